#include "core/EventGuard.h"

#include "core/DayLog.h"
#include "platform/AppServer.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"

#include <exception>

bool RunGuarded(const Session &session, const QString &where, const std::function<void()> &action)
{
    QString why;
    try {
        action();
        return true;
    } catch (const qvx::AppServerError &e) {
        why = e.message();
    } catch (const qvx::ResultSetError &e) {
        why = e.message();
    } catch (const std::exception &e) {
        why = QString::fromLocal8Bit(e.what());
    } catch (...) {
        why = QStringLiteral("unknown error");
    }
    WriteLog(session, where + QStringLiteral(" : ") + why);
    qvx::Prompt::instance().message(why);
    return false;
}
