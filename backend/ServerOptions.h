#pragma once

#include <QString>
#include <QStringList>

namespace qvx {

// Every setting of QVXServer, filled from the command line by
// parseServerOptions(). To add an option: a member here and its line in the
// option table of ServerOptions.cpp.
struct ServerOptions
{
    // Database
    QString dbFile = QStringLiteral("qvx.sqlite"); // --db FILE (SQLite)
    bool initDemo = false;                          // --init-demo: create the demo database and exit
    QString mariadb; // --mariadb CONNECTION: use MariaDB instead ("host=...;port=...;user=...;password=...;database=quvex")

    // Application server
    QString listenAddress = QStringLiteral("127.0.0.1"); // --listen ADDR
    quint16 port = 211;                                   // --port N (0 = any free port)

    // Limits of the application server
    int lockTimeoutMs = 5000;            // a statement waits this long for a lock, then fails
    int seqLockTimeoutMs = 1000;         // max_seqno waits this long for its lock, then answers -1
    int partialRequestTimeoutMs = 30000; // a request started but not completed within this is refused
    int maxRequestBytes = 16 * 1024 * 1024;
    int maxConnections = 256;            // --max-connections N: connections beyond this are refused
    int openTimeoutMs = 5000;            // --open-timeout MS: a connection that has not opened by then is closed
    int transactionTimeoutMs = 60000;    // --transaction-timeout SEC: an open transaction idle this long is
                                         // rolled back and its connection closed (0: never)
    int statementTimeoutMs = 60000;      // --statement-timeout MS: a statement running longer is stopped (0: never)
    qint64 maxBufferedBytes = 256LL * 1024 * 1024; // --max-buffered-bytes N: unfinished requests of all
                                                   // connections together; the one going beyond is refused
    qint64 maxQueuedBytes = 64LL * 1024 * 1024;    // --max-queued-bytes N: answers a client leaves unread
                                                   // beyond this close its connection
    qint64 maxAnswerBytes = 1024LL * 1024 * 1024;  // --max-answer-bytes N: answers being made or waiting to
                                                   // be read on all connections together; one that would
                                                   // pass it is refused
    int shutdownTimeoutMs = 3000;        // on SIGTERM, connections get this long to answer and close

    // Relay
    quint16 relayPort = 20001; // --relay-port N (0 = any free port)
    int relayLoginTimeoutMs = 10000; // --relay-login-timeout MS: a relay connection not logged in by then is closed
    int relayMaxConnections = 1000;  // --relay-max-connections N: beyond this the oldest not logged in is
                                     // closed, or the new one refused when all are logged in
    int relayMaxLoginsPerAddress = 200; // --relay-max-logins-per-address N: logins from one peer address at
                                        // once; a further one is refused (0: no limit)
    // Simulated bank (backend/BANK.md)
    int bankDelayMs = 1000;      // --bank-delay MS: from registration to answer
    int bankMaxPending = 1000;   // --bank-max-pending N: beyond this cms_senddesc answers -1
    int bankNoticeSeconds = 0;   // --bank-notices SEC: unrequested notices every SEC seconds (0: off)
    bool bankConsole = false;    // --bank-console: bank commands on standard input
};

// Reads the options from a program's arguments (arguments[0] is the program).
// Returns false with a message in *error on a bad option; *helpShown is set
// when --help/--version printed and the program should end.
bool parseServerOptions(const QStringList &arguments, ServerOptions &options, QString *error,
                        bool *helpShown = nullptr);

} // namespace qvx
