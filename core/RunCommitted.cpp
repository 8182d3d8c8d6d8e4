#include "core/RunCommitted.h"

#include "platform/AppServer.h"

bool RunCommitted(qvx::AppServer &server, const QString &sql, QString *error)
{
    try {
        server.execute(QStringLiteral("commit"));
        server.execute(sql);
        server.execute(QStringLiteral("commit"));
        return true;
    } catch (const std::exception &e) {
        if (error) {
            const auto *appError = dynamic_cast<const qvx::AppServerError *>(&e);
            *error = appError ? appError->message() : QString::fromUtf8(e.what());
        }
        try {
            server.execute(QStringLiteral("rollback"));
        } catch (const std::exception &) {
            // The link itself failed: the server rolls back when it closes.
        }
        return false;
    }
}
