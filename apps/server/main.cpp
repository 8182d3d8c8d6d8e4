#include "backend/AppServerHost.h"
#include "backend/BatchRegistry.h"
#include "backend/BankSetup.h"
#include "backend/RelayServer.h"
#include "backend/DemoDatabase.h"
#include "backend/MariaDbDatabase.h"
#include "backend/ServerContext.h"
#include "backend/ServerOptions.h"
#include "backend/SqliteDatabase.h"
#include "backend/StopSignals.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QVXServer"));

    qvx::ServerOptions options;
    QString error;
    bool helpShown = false;
    if (!qvx::parseServerOptions(QCoreApplication::arguments(), options, &error, &helpShown)) {
        std::fprintf(stderr, "QVXServer: %s\n", qPrintable(error));
        return 2;
    }
    if (helpShown)
        return 0;

    const QString dbFile = QFileInfo(options.dbFile).absoluteFilePath();
    const QString dbName = options.mariadb.isEmpty() ? dbFile : QStringLiteral("MariaDB ") + options.mariadb.section(QLatin1Char(';'), 0, 0);
    try {
        std::shared_ptr<qvx::Database> database;
        if (!options.mariadb.isEmpty()) {
            if (!qvx::MariaDbDatabase::isAvailable()) {
                std::fprintf(stderr, "QVXServer: built without MariaDB support\n");
                return 1;
            }
            database = std::make_shared<qvx::MariaDbDatabase>(options.mariadb);
            if (options.initDemo) {
                const auto c = database->connect();
                qvx::refuseNarrowCharacterSet(*c);
                qvx::loadDemoData(*c);
                // Every table a start needs is made now: the server's own
                // account needs no more than SELECT, INSERT, UPDATE and DELETE.
                qvx::BatchRegistry::ensureTable(*c);
                std::printf("QVXServer: demo data loaded into %s\n", qPrintable(dbName));
                return 0;
            }
        } else {
            if (options.initDemo) {
                qvx::createDemoDatabase(dbFile);
                std::printf("QVXServer: demo database created in %s\n", qPrintable(dbFile));
                return 0;
            }
            if (!QFileInfo::exists(dbFile)) {
                std::fprintf(stderr, "QVXServer: no database %s (create it with --init-demo)\n", qPrintable(dbFile));
                return 1;
            }
            database = std::make_shared<qvx::SqliteDatabase>(dbFile);
        }
        qvx::ensureServerTables(*database->connect());

        auto context = std::make_shared<qvx::ServerContext>(options, database);
        qvx::AppServerHost appServer(context);

        // The relay and the simulated bank start before any client can reach
        // the application server: the bank's start-up return of batches an
        // earlier run never registered must not meet a batch being sent now.
        qvx::RelayServer relay;
        relay.setLimits(options.relayLoginTimeoutMs, options.relayMaxConnections);
        relay.setMaxLoginsPerAddress(options.relayMaxLoginsPerAddress);
        const bool relayListening = relay.listen(QHostAddress(options.listenAddress), options.relayPort);
        const auto bank = qvx::startBank(*context, relayListening ? &relay : nullptr);

        if (!appServer.listen(&error)) {
            std::fprintf(stderr, "QVXServer: cannot listen on %s:%u: %s\n", qPrintable(options.listenAddress),
                         unsigned(options.port), qPrintable(error));
            return 1;
        }
        std::printf("QVXServer: application server listening on %s:%u (database %s)\n",
                    qPrintable(appServer.address().toString()), unsigned(appServer.port()), qPrintable(dbName));
        if (!relayListening)
            std::fprintf(stderr, "QVXServer: relay not started: %s\n", qPrintable(relay.errorString()));
        else
            std::printf("QVXServer: relay listening on %s:%u\n", qPrintable(relay.address().toString()),
                        unsigned(relay.port()));
        std::printf("QVXServer: bank answers after %d ms%s\n", options.bankDelayMs,
                    options.bankConsole ? " (bank commands on standard input)" : "");

        // SIGTERM and SIGINT end the event loop. The application server then
        // stops accepting, stops every running statement, answers what each
        // connection has received, rolls back and closes, all connections at
        // once; leaving this block closes the bank, the relay and the database.
        qvx::StopSignals stopSignals;
        QObject::connect(&stopSignals, &qvx::StopSignals::stopRequested, &app, [](int) { QCoreApplication::quit(); });
        std::fflush(stdout);
        const int rc = app.exec();
        if (stopSignals.lastSignal() != 0)
            std::printf("QVXServer: signal %d received, shutting down\n", stopSignals.lastSignal());
        std::fflush(stdout);
        if (!appServer.close()) {
            // A connection stuck in a call that cannot be stopped: what it
            // did not commit is rolled back by the database on its next open.
            std::fprintf(stderr, "QVXServer: connections did not close within %d ms; exiting\n",
                         options.shutdownTimeoutMs);
            std::fflush(stderr);
            std::_Exit(rc);
        }
        return rc;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "QVXServer: %s\n", e.what());
        return 1;
    }
}
