#include "backend/ServerSession.h"

#include "backend/BatchRegistry.h"
#include "backend/ServerContext.h"
#include "backend/ServiceTables.h"
#include "platform/SqlText.h"

#include <QJsonObject>
#include <QSet>

#include <cstdio>
#include <optional>

#include "platform/ResultSetJson.h"

namespace qvx {

namespace {

constexpr int MaxSeqNoBlock = 1000000;

// Argument i (from 0) of the call; MethodError when it has fewer.
QJsonValue argAt(const QJsonArray &args, int i)
{
    if (i >= args.size())
        throw MethodError(QStringLiteral("Missing argument %1").arg(i + 1));
    return args.at(i);
}

// The whole number a JSON number holds exactly; none for a fraction.
std::optional<qint64> wholeNumber(const QJsonValue &v)
{
    const double d = v.toDouble();
    if (d == double(qint64(d)))
        return qint64(d);
    return std::nullopt;
}

QString argText(const QJsonArray &args, int i)
{
    const QJsonValue v = argAt(args, i);
    if (v.isString()) {
        // The database would read a statement only up to a NUL and run what
        // stands before it ("delete from t<NUL> where 1=0" deletes every row).
        const QString text = v.toString();
        if (text.contains(QChar(u'\0')))
            throw MethodError(QStringLiteral("Argument %1 contains a NUL character; it is refused").arg(i + 1));
        return text;
    }
    if (v.isDouble()) {
        if (const std::optional<qint64> n = wholeNumber(v))
            return QString::number(*n);
        return QString::number(v.toDouble(), 'g', 17);
    }
    if (v.isNull())
        return QString();
    throw MethodError(QStringLiteral("Argument %1 must be a text").arg(i + 1));
}

qint64 argInteger(const QJsonArray &args, int i)
{
    const QJsonValue v = argAt(args, i);
    if (v.isDouble()) {
        if (const std::optional<qint64> n = wholeNumber(v))
            return *n;
    } else if (v.isString()) {
        const QString t = v.toString().trimmed();
        if (isInteger(t)) {
            bool ok = false;
            const qint64 n = t.toLongLong(&ok);
            if (ok)
                return n;
        }
    }
    throw MethodError(QStringLiteral("Argument %1 must be a whole number").arg(i + 1));
}

QJsonValue resultSetJson(const ResultSet &rs)
{
    QJsonArray columns;
    for (const QString &c : rs.columnNames())
        columns.append(c);
    QJsonArray rows;
    for (const QStringList &r : rs.rows()) {
        QJsonArray row;
        for (const QString &v : r)
            row.append(v.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(v));
        rows.append(row);
    }
    return QJsonObject{{QStringLiteral("columns"), columns}, {QStringLiteral("rows"), rows}};
}

// The statement without blanks and a final ';', lower-cased, for the words
// the server handles itself.
QString controlWord(const QString &sql)
{
    QString t = sql.trimmed();
    while (t.endsWith(QLatin1Char(';')))
        t.chop(1);
    return t.trimmed().simplified().toLower();
}

// The request tables' names, lower-case.
const QSet<QString> &requestTableNames()
{
    static const QSet<QString> names = [] {
        QSet<QString> out;
        for (const QString &t : requestTables())
            out.insert(t.toLower());
        return out;
    }();
    return names;
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Statement guards of the session's connections swapped for ones without the
// cancel check while the work at a commit runs: a client's close must not
// stop the commit halfway.
class UncancelledWork
{
public:
    UncancelledWork(std::initializer_list<DbConnection *> connections, int timeLimitMs,
                    std::function<QString()> cancel)
        : m_connections(connections), m_restore{timeLimitMs, std::move(cancel)}
    {
        for (DbConnection *c : m_connections)
            c->setStatementGuard({timeLimitMs, nullptr});
    }
    ~UncancelledWork()
    {
        try {
            for (DbConnection *c : m_connections)
                c->setStatementGuard(m_restore);
        } catch (const DbError &) {
        }
    }
    UncancelledWork(const UncancelledWork &) = delete;
    UncancelledWork &operator=(const UncancelledWork &) = delete;

private:
    std::vector<DbConnection *> m_connections;
    DbConnection::StatementGuard m_restore;
};

} // namespace

ServerSession::ServerSession(ServerContext &context)
    : m_context(context)
{
}

ServerSession::~ServerSession()
{
    // What the client did not commit is rolled back (the connections roll
    // back when closed).
    try {
        if (m_connection)
            m_connection->rollback();
    } catch (const std::exception &) {
    }
    returnUnregisteredRows();
}

// Rows committed as waiting to be sent whose batch this connection never
// registered: its client was told the send failed, or never heard it went.
// Left waiting, a later result inquiry or a registration by number could
// have some of them paid while the client sends the batch again.
void ServerSession::returnUnregisteredRows()
{
    if (m_unregistered.isEmpty())
        return;
    try {
        const std::unique_ptr<DbConnection> c = m_context.database().connect();
        c->setBusyTimeout(m_context.options().lockTimeoutMs);
        c->setStatementGuard({m_context.options().statementTimeoutMs, nullptr});
        const BatchRegistry::Returned returned = m_context.batchRegistry().returnUnregisteredRows(*c, &m_unregistered);
        if (returned.transfers > 0)
            std::fprintf(stderr, "QVXServer: a connection ended without registering %lld released transfer rows; "
                                 "they are back on their final approver's list\n", returned.transfers);
        if (returned.failed > 0)
            std::fprintf(stderr, "QVXServer: a connection ended without registering %lld request rows; they are "
                                 "marked as send errors and will not be answered\n", returned.failed);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "QVXServer: request rows a connection left unregistered stay waiting until the next "
                             "start: %s\n", e.what());
    }
    std::fflush(stderr);
    m_unregistered.clear();
}

void ServerSession::noteRequestTables(const QString &sql)
{
    const QSet<QString> &names = requestTableNames();
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        if (!isWordChar(sql.at(i))) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && isWordChar(sql.at(i)))
            ++i;
        if (i - start > 32)
            continue;
        const QString word = sql.mid(start, i - start).toLower();
        if (names.contains(word) && !m_namedRequestTables.contains(word))
            m_namedRequestTables << word;
    }
}

QList<BatchRegistry::WaitingRow> ServerSession::rowsMadeWaiting()
{
    QList<BatchRegistry::WaitingRow> made;
    if (m_namedRequestTables.isEmpty())
        return made;
    DbConnection &c = connection();
    DbConnection &committed = auxConnection(); // sees what others committed, not this transaction
    const UncancelledWork uncancelled({&c, &committed}, m_context.options().statementTimeoutMs, m_cancel);
    for (const QString &table : std::as_const(m_namedRequestTables)) {
        QList<BatchRegistry::WaitingRow> mine;
        try {
            mine = BatchRegistry::waitingRows(c, table);
        } catch (const DbError &) {
            if (!committed.tableExists(table))
                continue; // the name stood in a statement's text only
            throw;
        }
        if (mine.isEmpty())
            continue;
        QSet<QString> before;
        for (const BatchRegistry::WaitingRow &row : BatchRegistry::waitingRows(committed, table))
            before.insert(row.key());
        for (const BatchRegistry::WaitingRow &row : mine)
            if (!before.contains(row.key()))
                made << row;
    }
    return made;
}

bool ServerSession::isKnownServerName(const QString &name)
{
    return name == QLatin1String("QVXServer.QVSERVER01") || name == QLatin1String("QVXServer.QVSERVER");
}

bool ServerSession::inTransaction() const
{
    return m_connection && m_connection->inTransaction();
}

DbConnection &ServerSession::opened(std::unique_ptr<DbConnection> &slot)
{
    if (!slot) {
        slot = m_context.database().connectForClient();
        slot->setBusyTimeout(m_context.options().lockTimeoutMs);
        slot->setStatementGuard({m_context.options().statementTimeoutMs, m_cancel});
    }
    return *slot;
}

DbConnection &ServerSession::connection()
{
    return opened(m_connection);
}

DbConnection &ServerSession::auxConnection()
{
    return opened(m_aux);
}

QJsonValue ServerSession::call(const QString &method, const QJsonArray &args)
{
    // Method names are matched without regard to case (cms_select1 = cms_Select1).
    const QString m = method.toLower();
    if (m == QLatin1String("open") || m == QLatin1String("hello"))
        return open(args);
    if (!m_opened)
        throw MethodError(QStringLiteral("No server object is open on this connection"));
    try {
        if (m == QLatin1String("cms_select1") || m == QLatin1String("cms_select2"))
            return select(args);
        if (m == QLatin1String("cms_insert1"))
            return insert(args);
        if (m == QLatin1String("max_seqno"))
            return maxSeqNo(args);
        if (m == QLatin1String("cms_senddesc"))
            return sendDesc(args);
        if (m == QLatin1String("cms_time"))
            return m_context.now().toString(QStringLiteral("yyyyMMddHHmmss"));
        if (m == QLatin1String("get_comm_msg"))
            return commMsg(args);
        if (m == QLatin1String("get_bankstate"))
            return bankState(args);
    } catch (const DbError &e) {
        throw MethodError(e.message());
    } catch (const ResultSetError &e) {
        throw MethodError(e.message());
    }
    throw MethodError(QStringLiteral("Unknown method %1").arg(method));
}

bool ServerSession::callQuery(const QString &method, const QJsonArray &args, QByteArray *resultJson,
                              AnswerMeter *meter)
{
    const QString m = method.toLower();
    if (!m_opened || (m != QLatin1String("cms_select1") && m != QLatin1String("cms_select2")))
        return false;
    try {
        DbConnection &c = connection();
        c.setAnswerMeter(meter);
        struct Unset
        {
            DbConnection &c;
            ~Unset() { c.setAnswerMeter(nullptr); }
        } unset{c};
        *resultJson = c.queryJson(argText(args, 0));
    } catch (const DbError &e) {
        throw MethodError(e.message());
    } catch (const ResultSetError &e) {
        throw MethodError(e.message());
    }
    return true;
}

QJsonValue ServerSession::open(const QJsonArray &args)
{
    const QString name = argText(args, 0);
    if (!isKnownServerName(name))
        throw MethodError(QStringLiteral("Server object %1 is not registered").arg(name));
    m_opened = true;
    m_serverName = name;
    return QJsonObject{{QStringLiteral("server"), name}, {QStringLiteral("database"), m_context.database().name()}};
}

QJsonValue ServerSession::select(const QJsonArray &args)
{
    return resultSetJson(connection().query(argText(args, 0)));
}

QJsonValue ServerSession::insert(const QJsonArray &args)
{
    const QString sql = argText(args, 0);
    const QString word = controlWord(sql);
    DbConnection &c = connection();
    if (word == QLatin1String("commit") || word == QLatin1String("commit work")) {
        const QList<BatchRegistry::WaitingRow> made = rowsMadeWaiting();
        c.commit();
        m_namedRequestTables.clear();
        m_unregistered += made;
        return 0;
    }
    if (word == QLatin1String("rollback") || word == QLatin1String("rollback work")) {
        m_namedRequestTables.clear();
        c.rollback();
        return 0;
    }
    if (word == QLatin1String("begin") || word == QLatin1String("start transaction")) {
        c.begin();
        return 0;
    }
    if (word.isEmpty())
        throw MethodError(QStringLiteral("Query was empty"));
    c.begin(); // the connection's transaction, until "commit" or "rollback"
    noteRequestTables(sql);
    return double(c.exec(sql));
}

QJsonValue ServerSession::maxSeqNo(const QJsonArray &args)
{
    const qint64 n = argInteger(args, 0);
    if (n < 0 || n > MaxSeqNoBlock)
        throw MethodError(QStringLiteral("max_seqno: count %1 out of range").arg(n));
    return double(m_context.reserveSeqNo(int(n)));
}

QJsonValue ServerSession::sendDesc(const QJsonArray &args)
{
    const QString code = argText(args, 0).trimmed();
    const QString userId = argText(args, 1);
    const QString firstText = argText(args, 2).trimmed();
    const QString lastText = argText(args, 3).trimmed();
    const QString time = argText(args, 4);
    const QString table = requestTableForService(code);
    if (table.isEmpty())
        throw MethodError(QStringLiteral("Unknown service code %1").arg(code));
    if (!isInteger(firstText) || !isInteger(lastText))
        throw MethodError(QStringLiteral("cms_senddesc: message numbers must be whole numbers"));

    SendBatch batch;
    batch.serviceCode = code;
    batch.table = table;
    batch.userId = userId;
    batch.firstNo = firstText.toLongLong();
    batch.lastNo = lastText.toLongLong();
    batch.time = time;

    // Only rows waiting to be sent count (not those already answered or
    // returned), and the bank takes exactly the rows counted.
    QString sql;
    const bool transferBatch = table == QLatin1String("giche") && batch.firstNo == 0 && batch.lastNo == 0;
    if (transferBatch) {
        // A transfer batch: the rows the confirming user released at that
        // time, of their own date (released at 23:59:59, registered after
        // midnight), the latest when that time holds rows of several days.
        sql = QStringLiteral("select SENDDATE as d, count(*) as n from giche where CFMID = %1 and SENDTIME = %2 "
                             "and SR_FLAG = '1' and SENDDATE <> '' group by SENDDATE order by SENDDATE desc")
                  .arg(sqlQuote(userId), sqlQuote(time));
    } else {
        sql = QStringLiteral("select count(*) as n from %1 where SEQNO between %2 and %3 and SR_FLAG = '1'")
                  .arg(table)
                  .arg(batch.firstNo)
                  .arg(batch.lastNo);
    }
    try {
        // Its own connection: only committed rows count.
        const ResultSet rs = auxConnection().query(sql);
        batch.rowCount = rs.isEmpty() ? 0 : rs.valueInt64(0, QStringLiteral("n"));
        batch.date = transferBatch && !rs.isEmpty() ? rs.value(0, QStringLiteral("d"))
                                                    : m_context.now().toString(QStringLiteral("yyyyMMdd"));
    } catch (const DbError &e) {
        if (e.busy())
            return -1;
        throw;
    }
    if (batch.rowCount == 0)
        return 0;
    // Stored before it is answered: a batch the client is told was taken
    // survives a crash of the server (the bank answers it after the restart).
    BatchRegistry &registry = m_context.batchRegistry();
    try {
        registry.record(batch);
    } catch (const DbError &e) {
        if (e.busy())
            return -1;
        throw;
    }
    if (m_context.batchSink()->acceptBatch(batch)) {
        m_unregistered.removeIf([&batch](const BatchRegistry::WaitingRow &row) { return BatchRegistry::covers(batch, row); });
        return 1;
    }
    try {
        registry.forget(batch);
    } catch (const DbError &) {
        // Left stored, the bank answers it at the next start.
    }
    return -1;
}

QJsonValue ServerSession::commMsg(const QJsonArray &args)
{
    const qint64 kind = argInteger(args, 0);
    const ResultSet rs = connection().query(QStringLiteral("select msg from srv_commmsg where kind = %1").arg(kind));
    return rs.value(0, QStringLiteral("msg"));
}

QJsonValue ServerSession::bankState(const QJsonArray &args)
{
    const QString bankId = argText(args, 0).trimmed();
    const QString firmId = argText(args, 1).trimmed();
    const QString kind = argText(args, 2).trimmed();
    DbConnection &c = auxConnection();
    if (kind == QLatin1String("1")) {
        const ResultSet rs = c.query(QStringLiteral("select state from srv_bankstate where bankid = %1 and firmid = %2")
                                         .arg(sqlQuote(bankId), sqlQuote(firmId)));
        return rs.isEmpty() || rs.value(0, QStringLiteral("state")).isEmpty() ? QStringLiteral("N")
                                                                              : rs.value(0, QStringLiteral("state"));
    }
    if (kind != QLatin1String("2") && kind != QLatin1String("3"))
        throw MethodError(QStringLiteral("get_bankstate: unknown kind %1").arg(kind));
    c.begin();
    try {
        if (kind == QLatin1String("2")) {
            c.exec(QStringLiteral("delete from srv_bankstate"));
            c.exec(QStringLiteral("insert into srv_bankstate (bankid, firmid, state) "
                                  "select distinct BANKID, coalesce(FIRMID, ''), 'Y' from bank"));
        } else {
            c.exec(QStringLiteral("delete from srv_bankstate where bankid = %1 and firmid = %2")
                       .arg(sqlQuote(bankId), sqlQuote(firmId)));
            c.exec(QStringLiteral("insert into srv_bankstate (bankid, firmid, state) values (%1, %2, 'Y')")
                       .arg(sqlQuote(bankId), sqlQuote(firmId)));
        }
        c.commit();
    } catch (...) {
        c.rollback();
        throw;
    }
    return kind;
}

} // namespace qvx
