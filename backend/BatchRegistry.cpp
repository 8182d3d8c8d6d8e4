#include "backend/BatchRegistry.h"

#include "backend/ServiceTables.h"
#include "backend/SqliteDatabase.h"
#include "platform/SqlText.h"

#include <QHash>
#include <QMap>
#include <QSet>

#include <algorithm>


namespace qvx {

namespace {

QString keyCondition(const SendBatch &b)
{
    return QStringLiteral("servicecode = %1 and userid = %2 and firstno = %3 and lastno = %4 and sendtime = %5 "
                          "and senddate = %6")
        .arg(sqlQuote(b.serviceCode), sqlQuote(b.userId))
        .arg(b.firstNo)
        .arg(b.lastNo)
        .arg(sqlQuote(b.time), sqlQuote(b.date));
}

std::shared_ptr<Database> storeFor(std::shared_ptr<Database> database)
{
    if (const auto *sqlite = dynamic_cast<const SqliteDatabase *>(database.get()))
        return std::make_shared<SqliteDatabase>(sqlite->file() + QStringLiteral("-batches"), sqlite->name());
    return database;
}

// The table of the transfers a final approver releases, registered by
// approver and time (first and last number 0).
bool isTransferTable(const QString &table)
{
    return table.compare(QLatin1String("giche"), Qt::CaseInsensitive) == 0;
}

// The giche rows of one transfer batch: its final approver, time and date.
QString transferKey(const QString &approver, const QString &time, const QString &date)
{
    return approver.trimmed() + QLatin1Char('\n') + time.trimmed() + QLatin1Char('\n') + date.trimmed();
}

// The condition that a column holds the text as read back; an empty text
// stands for NULL too.
QString columnEquals(const QString &column, const QString &value)
{
    if (value.isEmpty())
        return QStringLiteral("(%1 is null or %1 = '')").arg(column);
    return column + QStringLiteral(" = ") + sqlQuote(value);
}

} // namespace

BatchRegistry::BatchRegistry(std::shared_ptr<Database> database)
    : m_store(storeFor(std::move(database)))
{
}

void BatchRegistry::ensureTable(DbConnection &c)
{
    c.createTableIfMissing(QStringLiteral("srv_batch"),
                           QStringLiteral("CREATE TABLE srv_batch (servicecode varchar(7) NOT NULL, "
                                          "tablename varchar(30) NOT NULL, userid varchar(20) NOT NULL, firstno bigint "
                                          "NOT NULL, lastno bigint NOT NULL, sendtime varchar(6) NOT NULL, senddate "
                                          "varchar(8) NOT NULL, rowcount bigint, PRIMARY KEY (servicecode, userid, "
                                          "firstno, lastno, sendtime, senddate))"));
}

DbConnection &BatchRegistry::connection()
{
    if (!m_connection) {
        auto c = m_store->connect();
        ensureTable(*c);
        m_connection = std::move(c);
    }
    return *m_connection;
}

void BatchRegistry::record(const SendBatch &batch)
{
    std::lock_guard lock(m_mutex);
    try {
        DbConnection &c = connection();
        c.begin();
        c.exec(QStringLiteral("delete from srv_batch where ") + keyCondition(batch));
        c.exec(QStringLiteral("insert into srv_batch (servicecode, tablename, userid, firstno, lastno, sendtime, "
                              "senddate, rowcount) values (%1, %2, %3, %4, %5, %6, %7, %8)")
                   .arg(sqlQuote(batch.serviceCode), sqlQuote(batch.table), sqlQuote(batch.userId))
                   .arg(batch.firstNo)
                   .arg(batch.lastNo)
                   .arg(sqlQuote(batch.time), sqlQuote(batch.date))
                   .arg(batch.rowCount));
        c.commit();
    } catch (...) {
        m_connection.reset(); // rolls back; the next call starts afresh
        throw;
    }
}

void BatchRegistry::forget(const SendBatch &batch)
{
    std::lock_guard lock(m_mutex);
    try {
        connection().exec(QStringLiteral("delete from srv_batch where ") + keyCondition(batch));
    } catch (...) {
        m_connection.reset();
        throw;
    }
}

QList<SendBatch> BatchRegistry::pending()
{
    std::lock_guard lock(m_mutex);
    const ResultSet rs = connection().query(QStringLiteral(
        "select servicecode, tablename, userid, firstno, lastno, sendtime, senddate, rowcount from srv_batch "
        "order by senddate, sendtime, firstno"));
    QList<SendBatch> out;
    for (int r = 0; r < rs.recordCount(); ++r) {
        SendBatch b;
        b.serviceCode = rs.value(r, QStringLiteral("servicecode"));
        b.table = rs.value(r, QStringLiteral("tablename"));
        b.userId = rs.value(r, QStringLiteral("userid"));
        b.firstNo = rs.valueInt64(r, QStringLiteral("firstno"));
        b.lastNo = rs.valueInt64(r, QStringLiteral("lastno"));
        b.time = rs.value(r, QStringLiteral("sendtime"));
        b.date = rs.value(r, QStringLiteral("senddate"));
        b.rowCount = rs.valueInt64(r, QStringLiteral("rowcount"));
        out << b;
    }
    return out;
}

QStringList BatchRegistry::identityColumns(const QString &table)
{
    QStringList columns{QStringLiteral("USERID"), QStringLiteral("SENDDATE"), QStringLiteral("SENDTIME")};
    if (isTransferTable(table))
        columns << QStringLiteral("CFMID");
    return columns;
}

QString BatchRegistry::identityCondition(const QString &table, const QStringList &identity)
{
    const QStringList columns = identityColumns(table);
    QStringList conditions;
    for (qsizetype c = 0; c < columns.size(); ++c)
        conditions << columnEquals(columns[c], identity.value(c));
    return conditions.join(QStringLiteral(" and "));
}

QString BatchRegistry::WaitingRow::key() const
{
    return seqNo + QLatin1Char('\n') + identity.join(QLatin1Char('\n'));
}

BatchRegistry::WaitingRow BatchRegistry::waitingRow(const QString &table, const ResultSet &rs, int r)
{
    WaitingRow row{table, rs.value(r, QStringLiteral("SEQNO")), QString(), {}};
    for (const QString &column : identityColumns(table))
        row.identity << rs.value(r, column);
    if (isTransferTable(table))
        row.transferKey = transferKey(rs.value(r, QStringLiteral("CFMID")), rs.value(r, QStringLiteral("SENDTIME")),
                                      rs.value(r, QStringLiteral("SENDDATE")));
    return row;
}

QList<BatchRegistry::WaitingRow> BatchRegistry::waitingRows(DbConnection &database, const QString &table,
                                                            const QStringList *seqNos)
{
    const QString select = QStringLiteral("select SEQNO, %1 from %2 where SR_FLAG = '1'")
                               .arg(identityColumns(table).join(QStringLiteral(", ")), table);
    QList<WaitingRow> rows;
    const auto add = [&](const QString &sql) {
        const ResultSet rs = database.query(sql);
        for (int r = 0; r < rs.recordCount(); ++r)
            rows << waitingRow(table, rs, r);
    };
    if (!seqNos) {
        add(select);
        return rows;
    }
    // In pieces: a statement's text stays short however many rows are asked for.
    for (qsizetype i = 0; i < seqNos->size(); i += 500) {
        QStringList quoted;
        for (const QString &n : seqNos->mid(i, 500))
            quoted << sqlQuote(n); // as stored: the column may hold text
        add(select + QStringLiteral(" and SEQNO in (%1)").arg(quoted.join(QLatin1Char(','))));
    }
    return rows;
}

bool BatchRegistry::covers(const SendBatch &b, const WaitingRow &row)
{
    if (b.table.compare(row.table, Qt::CaseInsensitive) != 0)
        return false;
    if (b.firstNo == 0 && b.lastNo == 0 && isTransferTable(b.table))
        return transferKey(b.userId, b.time, b.date) == row.transferKey;
    // A number that is no whole number: only a transfer batch can cover it.
    const QString n = row.seqNo.trimmed();
    if (!isInteger(n))
        return false;
    const qint64 number = n.toLongLong();
    return number >= b.firstNo && number <= b.lastNo;
}

bool BatchRegistry::isRegistered(const WaitingRow &row)
{
    const QList<SendBatch> registered = pending();
    return std::any_of(registered.begin(), registered.end(), [&](const SendBatch &b) { return covers(b, row); });
}

BatchRegistry::Returned BatchRegistry::returnUnregisteredRows(DbConnection &database, const QList<WaitingRow> *only)
{
    const QList<SendBatch> registered = pending();
    QStringList tables;
    QHash<QString, QStringList> numbers; // of the rows asked for, by table
    QHash<QString, QSet<QString>> asked; // their keys, by table
    if (only) {
        for (const WaitingRow &row : *only) {
            const QString table = row.table.toLower();
            if (!tables.contains(table))
                tables << table;
            numbers[table] << row.seqNo;
            asked[table].insert(row.key());
        }
    } else {
        tables = requestTables();
    }

    Returned returned;
    database.begin();
    try {
        for (const QString &table : tables) {
            if (!only && !database.tableExists(table))
                continue;
            const bool transfers = isTransferTable(table);
            // The lost rows by their identity: one statement names the numbers of one identity.
            QMap<QStringList, QStringList> lost;
            for (const WaitingRow &row : waitingRows(database, table, only ? &numbers[table] : nullptr)) {
                if (only && !asked[table].contains(row.key()))
                    continue; // another connection's row of the same number
                if (std::none_of(registered.begin(), registered.end(), [&](const SendBatch &b) { return covers(b, row); }))
                    lost[row.identity] << sqlQuote(row.seqNo); // as stored: the column may hold text
            }
            for (auto it = lost.cbegin(); it != lost.cend(); ++it) {
                const QString identity = identityCondition(table, it.key());
                // In pieces: a statement's text stays short however many rows were lost.
                for (qsizetype i = 0; i < it.value().size(); i += 500) {
                    const qint64 n = database.exec(
                        QStringLiteral("update %1 set SR_FLAG = %2 where SR_FLAG = '1' and %3 and SEQNO in (%4)")
                            .arg(table, transfers ? QStringLiteral("'0'") : QStringLiteral("'3'"),
                                 identity, it.value().mid(i, 500).join(QLatin1Char(','))));
                    (transfers ? returned.transfers : returned.failed) += n;
                }
            }
        }
        database.commit();
    } catch (...) {
        try {
            database.rollback();
        } catch (const DbError &) {
        }
        throw;
    }
    return returned;
}

} // namespace qvx
