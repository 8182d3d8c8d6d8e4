#include "backend/DemoDatabase.h"

#include "backend/BankSimulator.h"
#include "backend/MariaDbDatabase.h"
#include "backend/ServiceTables.h"
#include "backend/SqliteDatabase.h"

#include <QFile>
#include <QRegularExpression>

static void initBackendResources()
{
    Q_INIT_RESOURCE(backend);
}

namespace qvx {

namespace {

QString readResource(const QString &name)
{
    initBackendResources();
    QFile f(QStringLiteral(":/backend/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Missing built-in script %1").arg(name));
    return QString::fromUtf8(f.readAll());
}

void runInTransaction(DbConnection &c, const QString &script)
{
    c.begin();
    try {
        c.execScript(script);
        c.commit();
    } catch (...) {
        c.rollback();
        throw;
    }
}

} // namespace

QString schemaScript() { return readResource(QStringLiteral("schema.sql")); }
QString demoScript() { return readResource(QStringLiteral("demo.sql")); }
QString serverTablesScript() { return readResource(QStringLiteral("server_tables.sql")); }
QString serverDemoScript() { return readResource(QStringLiteral("server_demo.sql")); }

void ensureServerTables(DbConnection &c)
{
    for (const QString &statement : splitSqlScript(serverTablesScript())) {
        static const QRegularExpression created(QStringLiteral("^CREATE TABLE (\\w+)"),
                                                QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = created.match(statement);
        if (!match.hasMatch())
            throw DbError(QStringLiteral("Unreadable built-in script server_tables.sql: %1").arg(statement.left(40)));
        c.createTableIfMissing(match.captured(1), statement);
    }
    BankSimulator::ensureTables(c);
    c.begin();
    try {
        if (c.query(QStringLiteral("select count(*) as n from srv_seqno")).valueInt(0, QStringLiteral("n")) == 0) {
            // Start above every number already in use.
            qint64 last = 0;
            for (const QString &table : requestTables()) {
                if (!c.tableExists(table))
                    continue;
                const ResultSet rs = c.query(QStringLiteral("select max(SeqNo) as m from %1").arg(table));
                last = qMax(last, rs.valueInt64(0, QStringLiteral("m")));
            }
            c.exec(QStringLiteral("insert into srv_seqno (lastno) values (%1)").arg(last));
        }
        c.commit();
    } catch (...) {
        c.rollback();
        throw;
    }
}

void createDemoDatabase(const QString &sqliteFile)
{
    // The registrations of an earlier database (BatchRegistry) go with it.
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal"),
                                  QStringLiteral("-batches"), QStringLiteral("-batches-wal"),
                                  QStringLiteral("-batches-shm"), QStringLiteral("-batches-journal")}) {
        const QString f = sqliteFile + suffix;
        if (QFile::exists(f) && !QFile::remove(f))
            throw DbError(QStringLiteral("Cannot replace %1").arg(f));
    }
    SqliteDatabase db(sqliteFile);
    loadDemoData(*db.connect());
}

void loadDemoData(DbConnection &c)
{
    const ResultSet tables = c.query(QStringLiteral("show tables"));
    for (int r = 0; r < tables.recordCount(); ++r)
        c.exec(QStringLiteral("drop table %1").arg(tables.value(r, 0)));
    runInTransaction(c, schemaScript());
    runInTransaction(c, demoScript());
    ensureServerTables(c);
    runInTransaction(c, serverDemoScript());
}

} // namespace qvx
