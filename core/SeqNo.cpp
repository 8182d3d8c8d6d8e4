#include "core/SeqNo.h"

#include "core/DayLog.h"
#include "platform/AppServer.h"
#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QElapsedTimer>

const QString SeqNoLoadMessage = QStringLiteral(
    "현재 서버 처리량이 많습니다. 잠시 후 전송하시기 바랍니다.\r\n [전문번호 생성 실패]");
const QString SeqNoDbErrorMessage = QStringLiteral("데이터베이스에 오류가 발생하였습니다.");
const QString SendDescNotStoredQuestion = QStringLiteral(
    "데이터베이스에서 이체자료를 아직 처리하지 못하고 있습니다.\r\r처리할 때까지 대기하시려면 확인 버튼을 "
    "클릭하시고\r\r이체 업무를   철회하시려면 취소 버튼을 클릭하시기 바랍니다.");
const QString SendDescBusyQuestion = QStringLiteral(
    "서버의 처리량이 많습니다. \r\r재시도 하시려면 확인 버튼을 클릭하시고, \r\r잠시후 하시려면 취소 버튼을 "
    "클릭하시기 바랍니다.");
const QString SendDescWithdrawnMessage = QStringLiteral("작업을 철회하였습니다.");

namespace {

constexpr int AnswersBeforeQuestion = 11;

qvx::AppServer &link(qvx::AppServer *server)
{
    if (server)
        return *server;
    throw qvx::AppServerError(qvx::AppServerError::Kind::ConnectionClosed,
                              QStringLiteral("no application-server connection"));
}

enum class Mode { ByCfmId, BySeqNo };

int registerBatch(const Session &session, Mode mode, const QString &serviceCode, const QString &userId, const QString &firstNo,
                  const QString &lastNo, const QString &time, const QString &tableName, qvx::AppServer *server)
{
    qvx::AppServer &app = link(server);
    const QString logLine = QStringLiteral("gubun :") + serviceCode + QStringLiteral(" userid :") + userId
                            + QStringLiteral(" minno :") + firstNo + QStringLiteral(" maxno :") + lastNo
                            + QStringLiteral(" time :") + time + QStringLiteral(" tablename :") + tableName;
    auto writeLog = [&] {
        if (mode == Mode::ByCfmId)
            WriteLog(session, logLine);
    };

    int notStored = 0;
    int busy = 0;
    for (;;) {
        if (notStored >= AnswersBeforeQuestion) {
            const bool wait = qvx::Prompt::instance().confirm(SendDescNotStoredQuestion, QStringLiteral("확인"));
            writeLog();
            if (!wait) {
                qvx::Prompt::instance().message(SendDescWithdrawnMessage);
                return SendDescWithdrawn;
            }
            notStored = 0;
            continue;
        }
        if (busy >= AnswersBeforeQuestion) {
            const bool retry = qvx::Prompt::instance().confirm(SendDescBusyQuestion, QStringLiteral("확인"));
            if (!retry) {
                qvx::Prompt::instance().message(SendDescWithdrawnMessage);
                return mode == Mode::ByCfmId ? SendDescWithdrawnBusy : SendDescWithdrawn;
            }
            writeLog();
            busy = 0;
            continue;
        }
        const int answer = app.sendDesc(serviceCode, userId, firstNo, lastNo, time);
        if (answer == 1)
            return SendDescAccepted;
        if (answer == 0)
            ++notStored;
        else
            ++busy;  // -1, and any answer the server should not give: never spin uncounted
    }
}

} // namespace

qint64 ReserveSeqNo(int count, int limitMs, qvx::AppServer *server, SeqNoDbErrorNotice dbErrorNotice)
{
    qvx::AppServer &app = link(server);
    QElapsedTimer started;
    started.start();
    for (;;) {
        if (started.elapsed() > limitMs) {
            qvx::Prompt::instance().message(SeqNoLoadMessage);
            return SeqNoTimedOut;
        }
        const qint64 answer = app.maxSeqNo(count);
        if (answer == -1)
            continue;
        if (answer < 0) {  // -2, or a negative base no server hands out
            if (dbErrorNotice == SeqNoDbErrorNotice::Show)
                qvx::Prompt::instance().message(SeqNoDbErrorMessage);
            return SeqNoDbError;
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return answer;
    }
}

int SendDescByCfmId(const Session &session, const QString &serviceCode, const QString &userId, const QString &firstNo,
                    const QString &lastNo, const QString &time, const QString &tableName, qvx::AppServer *server)
{
    return registerBatch(session, Mode::ByCfmId, serviceCode, userId, firstNo, lastNo, time, tableName, server);
}

int SendDescBySeqNo(const Session &session, const QString &serviceCode, const QString &userId, const QString &firstNo,
                    const QString &lastNo, const QString &time, const QString &tableName, qvx::AppServer *server)
{
    return registerBatch(session, Mode::BySeqNo, serviceCode, userId, firstNo, lastNo, time, tableName, server);
}
