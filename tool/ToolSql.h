#pragma once
// The texts the inspection tool builds and reads, kept apart from the window
// so that tests reach them without painting: the browse statement of a table,
// the choice between "select" and "DML query" for a memo, the server address
// typed by the user, and the table names of a "show tables" answer.

#include "platform/ResultSet.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace tool {

// The port the tool connects to when the address names none.
constexpr quint16 DefaultToolPort = 211;

// "select * from " + table, and for the tables that hold a send date the
// range start..end (both ends included, written "yyyyMMdd" as those columns
// hold it) with the order clause, e.g. for CMSJICHE102:
//   select * from CMSJICHE102 where senddate >= '20260401' and senddate <= '20260430'  order by senddate, bankid, seqno
// Table names are matched without regard to letter case, as the server
// treats them.
QString BrowseTableSql(const QString &table, const QDate &start, const QDate &end);

// Whether the first line of the memo begins with "SELECT" in any letter case
// (leading blanks count as characters, so "  select" does not).
bool StartsWithSelect(const QString &memoText);

// "host" or "host:port" (one colon; an IPv6 address stays whole and takes the
// default port). An empty or bad port gives the default.
struct ServerAddress
{
    QString host;
    quint16 port = DefaultToolPort;
};
ServerAddress ParseServerAddress(const QString &text);

// The table names of a "show tables" answer, in answer order: the column
// "tables_in_quvex", or the answer's one column when the database has another
// name.
QStringList TableNames(const qvx::ResultSet &showTables);

// The combo's list before the server has listed its tables.
QStringList DesignTimeTables();

} // namespace tool
