#include "backend/MariaDbDatabase.h"

#include "platform/SqlText.h"

#ifdef QVX_HAVE_MARIADB
#include <mysql.h>
#endif

#include <mutex>

namespace qvx {

QStringList splitSqlScript(const QString &script)
{
    QStringList out;
    QString current;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            current += c;
            for (++i; i < n; ++i) {
                current += script.at(i);
                if (script.at(i) == c) {
                    if (i + 1 < n && script.at(i + 1) == c) {
                        current += script.at(++i);
                        continue;
                    }
                    break;
                }
            }
            continue;
        }
        if ((c == QLatin1Char('-') && i + 1 < n && script.at(i + 1) == QLatin1Char('-')) || c == QLatin1Char('#')) {
            while (i < n && script.at(i) != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && script.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 1;
            current += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty())
                out << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

MariaDbDatabase::MariaDbDatabase(const QString &spec)
{
    for (const QString &part : spec.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed().toLower();
        const QString value = part.section(QLatin1Char('='), 1);
        if (key == QLatin1String("host"))
            m_host = value.trimmed();
        else if (key == QLatin1String("port"))
            m_port = value.trimmed().toUInt();
        else if (key == QLatin1String("user"))
            m_user = value.trimmed();
        else if (key == QLatin1String("password"))
            m_password = value;
        else if (key == QLatin1String("database"))
            m_database = value.trimmed();
        else if (key == QLatin1String("socket"))
            m_socket = value.trimmed();
        else
            throw DbError(QStringLiteral("Unknown MariaDB connection key %1").arg(key));
    }
    if (m_database.isEmpty())
        m_database = QStringLiteral("quvex");
}

#ifdef QVX_HAVE_MARIADB

namespace {

bool isBusyErrno(unsigned e)
{
    return e == 1205 /* lock wait timeout */ || e == 1213 /* deadlock */;
}

class MariaDbConnection : public DbConnection
{
public:
    MariaDbConnection(const QString &host, unsigned port, const QString &user, const QString &password,
                      const QString &database, const QString &socket)
    {
        m_db = mysql_init(nullptr);
        if (!m_db)
            throw DbError(QStringLiteral("MariaDB: out of memory"));
        mysql_options(m_db, MYSQL_SET_CHARSET_NAME, "utf8mb4");
        const QByteArray h = host.toUtf8(), u = user.toUtf8(), p = password.toUtf8(), d = database.toUtf8(),
                         s = socket.toUtf8();
        if (!mysql_real_connect(m_db, host.isEmpty() ? nullptr : h.constData(), u.constData(), p.constData(),
                                d.constData(), port, socket.isEmpty() ? nullptr : s.constData(), 0)) {
            const QString message = QString::fromUtf8(mysql_error(m_db));
            mysql_close(m_db);
            m_db = nullptr;
            throw DbError(QStringLiteral("Cannot connect to MariaDB: %1").arg(message));
        }
        run("SET SESSION sql_mode = 'NO_BACKSLASH_ESCAPES,STRICT_TRANS_TABLES'");
        run("SET autocommit = 1");
        setBusyTimeout(5000);
    }

    ~MariaDbConnection() override
    {
        if (m_db) {
            if (m_inTransaction)
                mysql_query(m_db, "ROLLBACK");
            mysql_close(m_db);
        }
    }

    ResultSet query(const QString &sql) override
    {
        send(sql);
        MYSQL_RES *res = mysql_store_result(m_db);
        if (!res) {
            if (mysql_field_count(m_db) != 0)
                fail();
            return ResultSet();
        }
        const unsigned columns = mysql_num_fields(res);
        const MYSQL_FIELD *fields = mysql_fetch_fields(res);
        QStringList names;
        for (unsigned c = 0; c < columns; ++c)
            names << QString::fromUtf8(fields[c].name, int(fields[c].name_length));
        QList<QStringList> rows;
        while (MYSQL_ROW row = mysql_fetch_row(res)) {
            const unsigned long *lengths = mysql_fetch_lengths(res);
            QStringList values;
            values.reserve(columns);
            for (unsigned c = 0; c < columns; ++c)
                values << (row[c] ? QString::fromUtf8(row[c], qsizetype(lengths[c])) : QString());
            rows << std::move(values);
        }
        mysql_free_result(res);
        return ResultSet(std::move(names), std::move(rows));
    }

    qint64 exec(const QString &sql) override
    {
        send(sql);
        if (MYSQL_RES *res = mysql_store_result(m_db)) {
            mysql_free_result(res);
            return 0;
        }
        if (mysql_field_count(m_db) != 0)
            fail();
        return qint64(mysql_affected_rows(m_db));
    }

    void execScript(const QString &sql) override
    {
        for (const QString &statement : splitSqlScript(sql))
            exec(statement);
    }

    void begin() override
    {
        if (m_inTransaction)
            return;
        run("START TRANSACTION");
        m_inTransaction = true;
    }
    void commit() override
    {
        if (!m_inTransaction)
            return;
        m_inTransaction = false;
        run("COMMIT");
    }
    void rollback() override
    {
        if (!m_inTransaction)
            return;
        m_inTransaction = false;
        run("ROLLBACK");
    }
    bool inTransaction() const override { return m_inTransaction; }

    void setBusyTimeout(int ms) override
    {
        const int seconds = qMax(1, (ms + 999) / 1000);
        run(QStringLiteral("SET SESSION innodb_lock_wait_timeout = %1").arg(seconds).toUtf8().constData());
    }

    bool tableExists(const QString &table) override
    {
        const ResultSet rs = query(QStringLiteral("select count(*) as n from information_schema.tables "
                                                  "where table_schema = database() and lower(table_name) = lower(%1)")
                                       .arg(sqlQuote(table)));
        return rs.valueInt(0, QStringLiteral("n")) > 0;
    }

private:
    void send(const QString &sql)
    {
        const QByteArray utf8 = sql.toUtf8();
        if (mysql_real_query(m_db, utf8.constData(), static_cast<unsigned long>(utf8.size())) != 0)
            fail();
    }

    void run(const char *sql)
    {
        if (mysql_query(m_db, sql) != 0)
            fail();
    }

    [[noreturn]] void fail()
    {
        const unsigned e = mysql_errno(m_db);
        // A deadlock rolls the whole transaction back on the server.
        if (e == 1213)
            m_inTransaction = false;
        throw DbError(QString::fromUtf8(mysql_error(m_db)), isBusyErrno(e));
    }

    MYSQL *m_db = nullptr;
    bool m_inTransaction = false;
};

} // namespace

bool MariaDbDatabase::isAvailable()
{
    return true;
}

std::unique_ptr<DbConnection> MariaDbDatabase::connect()
{
    static std::once_flag once;
    std::call_once(once, [] { mysql_library_init(0, nullptr, nullptr); });
    return std::make_unique<MariaDbConnection>(m_host, m_port, m_user, m_password, m_database, m_socket);
}

#else

bool MariaDbDatabase::isAvailable()
{
    return false;
}

std::unique_ptr<DbConnection> MariaDbDatabase::connect()
{
    throw DbError(QStringLiteral("This server was built without MariaDB support"));
}

#endif

} // namespace qvx
