#include "backend/ServerOptions.h"

#include <QCommandLineParser>

#include <cstdio>
#include <type_traits>

namespace qvx {

bool parseServerOptions(const QStringList &arguments, ServerOptions &options, QString *error, bool *helpShown)
{
    if (helpShown)
        *helpShown = false;
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "QVXServer: application server, relay and simulated bank.\n"
        "Any peer that reaches the application-server port can run any statement on the database:\n"
        "it listens on loopback (127.0.0.1) unless --listen names another address."));
    const QCommandLineOption help = p.addHelpOption();
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("SQLite database file."), QStringLiteral("FILE"));
    const QCommandLineOption mariadb(QStringLiteral("mariadb"),
                                     QStringLiteral("Use MariaDB: \"host=H;port=P;user=U;password=W;database=D\" "
                                                    "(or socket=PATH instead of host and port)."),
                                     QStringLiteral("CONNECTION"));
    const QCommandLineOption initDemo(QStringLiteral("init-demo"), QStringLiteral("Create the demo database and exit."));
    const QCommandLineOption listen(QStringLiteral("listen"), QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                    QStringLiteral("ADDR"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Application-server port (default 211)."),
                                  QStringLiteral("N"));
    const QCommandLineOption lockTimeout(QStringLiteral("lock-timeout"),
                                         QStringLiteral("Milliseconds a statement waits for a lock (default 5000)."),
                                         QStringLiteral("MS"));
    const QCommandLineOption maxConnections(
        QStringLiteral("max-connections"),
        QStringLiteral("Connections the application server serves at once; further ones are refused (default 256)."),
        QStringLiteral("N"));
    const QCommandLineOption openTimeout(
        QStringLiteral("open-timeout"),
        QStringLiteral("Milliseconds a new connection has to send \"open\" before it is closed (default 5000)."),
        QStringLiteral("MS"));
    const QCommandLineOption transactionTimeout(
        QStringLiteral("transaction-timeout"),
        QStringLiteral("Seconds a transaction may stay open without a request before it is rolled back and its "
                       "connection closed (default 60, 0: never)."),
        QStringLiteral("SEC"));
    const QCommandLineOption statementTimeout(
        QStringLiteral("statement-timeout"),
        QStringLiteral("Milliseconds a statement may run before it is stopped with an error (default 60000, 0: no "
                       "limit). A statement is also stopped when its client closes the connection."),
        QStringLiteral("MS"));
    const QCommandLineOption maxBuffered(
        QStringLiteral("max-buffered-bytes"),
        QStringLiteral("Bytes of unfinished requests all connections may hold together; the connection going "
                       "beyond is refused and closed (default 268435456)."),
        QStringLiteral("N"));
    const QCommandLineOption maxQueued(
        QStringLiteral("max-queued-bytes"),
        QStringLiteral("Bytes of answers a client may leave unread before its connection is closed "
                       "(default 67108864)."),
        QStringLiteral("N"));
    p.addOptions({db, mariadb, initDemo, listen, port, lockTimeout, maxConnections, openTimeout, transactionTimeout,
                  statementTimeout, maxBuffered, maxQueued});
    const QCommandLineOption bankDelay(QStringLiteral("bank-delay"),
                                       QStringLiteral("Milliseconds from a batch's registration to the bank's answer (default 1000)."),
                                       QStringLiteral("MS"));
    const QCommandLineOption bankMaxPending(QStringLiteral("bank-max-pending"),
                                            QStringLiteral("Batches waiting for the bank before registration answers busy (default 1000)."),
                                            QStringLiteral("N"));
    const QCommandLineOption bankNotices(QStringLiteral("bank-notices"),
                                         QStringLiteral("Post unrequested bank notices every SEC seconds (default 0: never)."),
                                         QStringLiteral("SEC"));
    const QCommandLineOption bankConsole(QStringLiteral("bank-console"),
                                         QStringLiteral("Read bank commands (notices, notice TEXT, smsid ID) from standard input."));
    p.addOptions({bankDelay, bankMaxPending, bankNotices, bankConsole});
    const QCommandLineOption relayPort(QStringLiteral("relay-port"), QStringLiteral("Relay port (default 20001)."),
                                       QStringLiteral("N"));
    const QCommandLineOption relayLoginTimeout(
        QStringLiteral("relay-login-timeout"),
        QStringLiteral("Milliseconds a relay connection has to log in before it is closed (default 10000)."),
        QStringLiteral("MS"));
    const QCommandLineOption relayMaxConnections(
        QStringLiteral("relay-max-connections"),
        QStringLiteral("Relay connections at once; beyond this the oldest one not logged in is closed, or the new "
                       "one refused when all are logged in (default 1000)."),
        QStringLiteral("N"));
    const QCommandLineOption relayMaxLoginsPerAddress(
        QStringLiteral("relay-max-logins-per-address"),
        QStringLiteral("Relay logins from one peer address at once; a further login from it is refused and closed, "
                       "so that one peer cannot take every place (default 200, 0: no limit)."),
        QStringLiteral("N"));
    p.addOptions({relayPort, relayLoginTimeout, relayMaxConnections, relayMaxLoginsPerAddress});

    if (!p.parse(arguments)) {
        if (error)
            *error = p.errorText();
        return false;
    }
    if (p.isSet(help)) {
        std::fputs(qPrintable(p.helpText()), stdout);
        if (helpShown)
            *helpShown = true;
        return true;
    }
    // A whole number within [low, high] for an option given; its target stays as it is otherwise.
    auto number = [&](const QCommandLineOption &o, qint64 low, qint64 high, auto &target) {
        if (!p.isSet(o))
            return true;
        bool ok = false;
        const qint64 v = p.value(o).toLongLong(&ok);
        if (!ok || v < low || v > high) {
            if (error)
                *error = QStringLiteral("Bad value for --%1: %2").arg(o.names().first(), p.value(o));
            return false;
        }
        target = std::remove_reference_t<decltype(target)>(v);
        return true;
    };
    if (p.isSet(db))
        options.dbFile = p.value(db);
    if (p.isSet(mariadb))
        options.mariadb = p.value(mariadb);
    options.initDemo = p.isSet(initDemo);
    if (p.isSet(listen))
        options.listenAddress = p.value(listen);
    if (!number(port, 0, 65535, options.port))
        return false;
    if (!number(lockTimeout, 0, 600000, options.lockTimeoutMs) || !number(maxConnections, 1, 100000, options.maxConnections)
        || !number(openTimeout, 100, 600000, options.openTimeoutMs))
        return false;
    int transactionSeconds = options.transactionTimeoutMs / 1000;
    if (!number(transactionTimeout, 0, 86400, transactionSeconds))
        return false;
    options.transactionTimeoutMs = transactionSeconds * 1000;
    if (!number(statementTimeout, 0, 86400000, options.statementTimeoutMs))
        return false;
    const qint64 byteLimit = qint64(1) << 40;
    if (!number(maxBuffered, 1024, byteLimit, options.maxBufferedBytes) ||
        !number(maxQueued, 1024, byteLimit, options.maxQueuedBytes))
        return false;
    if (!number(bankDelay, 0, 3600000, options.bankDelayMs) || !number(bankMaxPending, 0, 1000000, options.bankMaxPending) ||
        !number(bankNotices, 0, 86400, options.bankNoticeSeconds))
        return false;
    options.bankConsole = p.isSet(bankConsole);
    if (!number(relayPort, 0, 65535, options.relayPort))
        return false;
    if (!number(relayLoginTimeout, 100, 3600000, options.relayLoginTimeoutMs)
        || !number(relayMaxConnections, 1, 100000, options.relayMaxConnections)
        || !number(relayMaxLoginsPerAddress, 0, 100000, options.relayMaxLoginsPerAddress))
        return false;
    return true;
}

} // namespace qvx
