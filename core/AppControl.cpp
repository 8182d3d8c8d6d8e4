#include "core/AppControl.h"

#include "core/Session.h"
#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

namespace {
std::function<void()> g_terminate;
int g_terminateRequests = 0;
} // namespace

const QString OfflineMessage =
    QStringLiteral("서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다.");

void TerminateProgram()
{
    ++g_terminateRequests;
    if (g_terminate) {
        g_terminate();
        return;
    }
    QCoreApplication::exit(0);
}

void SetTerminateHandler(std::function<void()> handler)
{
    g_terminate = std::move(handler);
}

int TerminateRequests()
{
    return g_terminateRequests;
}

void ResetTerminateRequests()
{
    g_terminateRequests = 0;
}

void WaitMs(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
        QThread::msleep(1);
    }
}

bool RefuseWhenOffline(const Session &session)
{
    if (!session.offline())
        return false;
    qvx::Prompt::instance().message(OfflineMessage);
    return true;
}
