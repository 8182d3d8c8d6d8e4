#pragma once

#include <QList>
#include <QString>

struct sqlite3;

namespace qvx {
struct StatementStop;
}

namespace qvx {

// A MySQL statement rewritten for SQLite, with the position in the original
// text of every character of the rewritten one (to name result columns as
// MySQL would).
struct TranslatedSql
{
    QString text;
    QList<int> origin; // origin[i]: index in the original text of text[i]
    bool changed = false;

    // The original text of a span of the rewritten text (a column expression
    // as SQLite names it); the span itself when it cannot be found.
    QString originalOf(const QString &original, const QString &span) const;
};

// Rewrites what SQLite reads differently, outside string literals and
// comments: "double-quoted" texts become 'single-quoted' literals, if( becomes
// iif(, left( and right( become mysql_left( and mysql_right(, a '#' comment
// becomes a '--' comment.
TranslatedSql translateMySqlToSqlite(const QString &sql);

// The names MySQL gives the plain column references of a SELECT's list, as
// they are written there ("select BankId, t.name" -> "BankId", "name"; SQLite
// names them as the table declares them); an empty entry for every other item
// (expressions, aliased items). Empty when the list cannot be read (no SELECT
// at the front, "*" in the list).
QStringList writtenColumnNames(const QString &sql);

// "show tables" (optionally "show full tables", "like '...'"): true, with the
// LIKE pattern (empty when none) in *pattern.
bool parseShowTables(const QString &sql, QString *pattern);

// Registers the MySQL functions the client's statements use on a connection:
// concat, concat_ws, left, right, mid, lpad, rpad, ucase, lcase, locate,
// char_length, format(x, d), truncate, now, sysdate, curdate, curtime,
// date_format. The longer ones ask `stop` (when given) as they go, and the
// ones that join their arguments check the result's length first.
void registerMySqlFunctions(sqlite3 *db, const StatementStop *stop = nullptr);

// Text of a REAL as MySQL shows a double: whole numbers without a fraction.
QString realToText(double value);

} // namespace qvx
