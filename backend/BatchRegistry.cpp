#include "backend/BatchRegistry.h"

#include "backend/SqliteDatabase.h"
#include "platform/SqlText.h"

#include <QSet>

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

// The giche rows of one transfer batch: its final approver, time and date.
QString transferKey(const QString &approver, const QString &time, const QString &date)
{
    return approver.trimmed() + QLatin1Char('\n') + time.trimmed() + QLatin1Char('\n') + date.trimmed();
}

} // namespace

BatchRegistry::BatchRegistry(std::shared_ptr<Database> database)
    : m_store(storeFor(std::move(database)))
{
}

DbConnection &BatchRegistry::connection()
{
    if (!m_connection) {
        auto c = m_store->connect();
        c->exec(QStringLiteral("CREATE TABLE IF NOT EXISTS srv_batch (servicecode varchar(7) NOT NULL, "
                               "tablename varchar(30) NOT NULL, userid varchar(20) NOT NULL, firstno bigint NOT NULL, "
                               "lastno bigint NOT NULL, sendtime varchar(6) NOT NULL, senddate varchar(8) NOT NULL, "
                               "rowcount bigint, PRIMARY KEY (servicecode, userid, firstno, lastno, sendtime, senddate))"));
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

qint64 BatchRegistry::returnUnregisteredTransfers(DbConnection &database)
{
    QSet<QString> registered;
    for (const SendBatch &b : pending())
        if (b.table.compare(QLatin1String("giche"), Qt::CaseInsensitive) == 0 && b.firstNo == 0 && b.lastNo == 0)
            registered.insert(transferKey(b.userId, b.time, b.date));
    const ResultSet released = database.query(
        QStringLiteral("select distinct CFMID, SENDTIME, SENDDATE from giche where SR_FLAG = '1'"));
    qint64 returned = 0;
    for (int r = 0; r < released.recordCount(); ++r) {
        const QString approver = released.value(r, 0), time = released.value(r, 1), date = released.value(r, 2);
        if (registered.contains(transferKey(approver, time, date)))
            continue;
        returned += database.exec(QStringLiteral("update giche set SR_FLAG = '0' where CFMID = %1 and SENDTIME = %2 "
                                                 "and SENDDATE = %3 and SR_FLAG = '1'")
                                      .arg(sqlQuote(approver), sqlQuote(time), sqlQuote(date)));
    }
    return returned;
}

} // namespace qvx
