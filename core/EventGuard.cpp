#include "core/EventGuard.h"

#include "core/AppControl.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "platform/AppServer.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"

#include <exception>
#include <new>

bool RunGuarded(const Session &session, const QString &where, const std::function<void()> &action)
{
    QString why;
    try {
        action();
        return true;
    } catch (const qvx::AppServerError &e) {
        // Offline the link is closed on purpose: say so as every refusal does.
        why = session.offline() && e.connectionClosed() ? OfflineMessage : e.message();
    } catch (const qvx::ResultSetError &e) {
        why = e.message();
    } catch (const std::bad_alloc &) {
        // What the action held is given back by now, so the message and the
        // log line find room.
        why = QStringLiteral("메모리가 부족하여 작업을 마칠 수 없습니다.");
    } catch (const std::exception &e) {
        why = QString::fromLocal8Bit(e.what());
    } catch (...) {
        why = QStringLiteral("unknown error");
    }
    WriteLog(session, where + QStringLiteral(" : ") + why);
    qvx::Prompt::instance().message(why);
    return false;
}
