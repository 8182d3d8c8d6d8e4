#include "backend/ServerOptions.h"

#include <QCommandLineParser>

#include <cstdio>
#include <type_traits>
#include <variant>

namespace qvx {

namespace {

// One option of the command line and the member it fills: a text taken as
// given, a flag (set or not), or a whole number within [low, high], stored
// times scale (the transaction time-out is given in seconds and kept in
// milliseconds); a member whose option is not given stays as it is.
struct Option
{
    const char *name;
    const char *help;
    const char *valueName; // none for a flag
    std::variant<QString ServerOptions::*, bool ServerOptions::*, quint16 ServerOptions::*, int ServerOptions::*,
                 qint64 ServerOptions::*>
        target;
    qint64 low = 0;
    qint64 high = 0;
    int scale = 1;
};

constexpr qint64 ByteLimit = qint64(1) << 40;

// In the order --help lists them and their values are checked.
const Option Options[] = {
    {"db", "SQLite database file.", "FILE", &ServerOptions::dbFile},
    {"mariadb",
     "Use MariaDB: \"host=H;port=P;user=U;password=W;database=D\" (or socket=PATH instead of host and port).",
     "CONNECTION", &ServerOptions::mariadb},
    {"init-demo", "Create the demo database and exit.", nullptr, &ServerOptions::initDemo},
    {"listen", "Address to listen on (default 127.0.0.1).", "ADDR", &ServerOptions::listenAddress},
    {"port", "Application-server port (default 211).", "N", &ServerOptions::port, 0, 65535},
    {"lock-timeout", "Milliseconds a statement waits for a lock (default 5000).", "MS", &ServerOptions::lockTimeoutMs,
     0, 600000},
    {"max-connections", "Connections the application server serves at once; further ones are refused (default 256).",
     "N", &ServerOptions::maxConnections, 1, 100000},
    {"open-timeout", "Milliseconds a new connection has to send \"open\" before it is closed (default 5000).", "MS",
     &ServerOptions::openTimeoutMs, 100, 600000},
    {"transaction-timeout",
     "Seconds a transaction may stay open without a request before it is rolled back and its connection closed "
     "(default 60, 0: never).",
     "SEC", &ServerOptions::transactionTimeoutMs, 0, 86400, 1000},
    {"statement-timeout",
     "Milliseconds a statement may run before it is stopped with an error (default 60000, 0: no limit). A statement "
     "is also stopped when its client closes the connection.",
     "MS", &ServerOptions::statementTimeoutMs, 0, 86400000},
    {"max-buffered-bytes",
     "Bytes of unfinished requests all connections may hold together; the connection going beyond is refused and "
     "closed (default 268435456).",
     "N", &ServerOptions::maxBufferedBytes, 1024, ByteLimit},
    {"max-queued-bytes", "Bytes of answers a client may leave unread before its connection is closed (default 67108864).",
     "N", &ServerOptions::maxQueuedBytes, 1024, ByteLimit},
    {"max-answer-bytes",
     "Bytes of answers all connections may be making or leave unread together; an answer that would pass it is "
     "refused as busy (default 1073741824; the last 64 MiB are kept for answers under 1 MiB).",
     "N", &ServerOptions::maxAnswerBytes, 1024, ByteLimit},
    {"bank-delay", "Milliseconds from a batch's registration to the bank's answer (default 1000).", "MS",
     &ServerOptions::bankDelayMs, 0, 3600000},
    {"bank-max-pending", "Batches waiting for the bank before registration answers busy (default 1000).", "N",
     &ServerOptions::bankMaxPending, 0, 1000000},
    {"bank-notices", "Post unrequested bank notices every SEC seconds (default 0: never).", "SEC",
     &ServerOptions::bankNoticeSeconds, 0, 86400},
    {"bank-console", "Read bank commands (notices, notice TEXT, smsid ID) from standard input.", nullptr,
     &ServerOptions::bankConsole},
    {"relay-port", "Relay port (default 20001).", "N", &ServerOptions::relayPort, 0, 65535},
    {"relay-login-timeout", "Milliseconds a relay connection has to log in before it is closed (default 10000).", "MS",
     &ServerOptions::relayLoginTimeoutMs, 100, 3600000},
    {"relay-max-connections",
     "Relay connections at once; beyond this the oldest one not logged in is closed, or the new one refused when all "
     "are logged in (default 1000).",
     "N", &ServerOptions::relayMaxConnections, 1, 100000},
    {"relay-max-logins-per-address",
     "Relay logins from one peer address at once; a further login from it is refused and closed, so that one peer "
     "cannot take every place (default 200, 0: no limit).",
     "N", &ServerOptions::relayMaxLoginsPerAddress, 0, 100000},
};

} // namespace

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
    for (const Option &o : Options)
        p.addOption(QCommandLineOption(QString::fromLatin1(o.name), QString::fromLatin1(o.help),
                                       o.valueName ? QString::fromLatin1(o.valueName) : QString()));

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
    for (const Option &o : Options) {
        const QString name = QString::fromLatin1(o.name);
        const bool given = p.isSet(name);
        const bool read = std::visit(
            [&](auto member) {
                auto &target = options.*member;
                using Target = std::remove_reference_t<decltype(target)>;
                if constexpr (std::is_same_v<Target, bool>) {
                    target = given;
                } else if constexpr (std::is_same_v<Target, QString>) {
                    if (given)
                        target = p.value(name);
                } else if (given) {
                    bool ok = false;
                    const qint64 v = p.value(name).toLongLong(&ok);
                    if (!ok || v < o.low || v > o.high) {
                        if (error)
                            *error = QStringLiteral("Bad value for --%1: %2").arg(name, p.value(name));
                        return false;
                    }
                    target = Target(v * o.scale);
                }
                return true;
            },
            o.target);
        if (!read)
            return false;
    }
    return true;
}

} // namespace qvx
