#include "core/RequestMessages.h"

#include "core/RequestSender.h"
#include "platform/Prompt.h"

const QString RequestFailedMessage = QStringLiteral("정상적으로 처리되지 않았습니다.");

bool RequestWentOut(const RequestResult &result, const QString &emptyMessage, const QString &failedMessage)
{
    using Outcome = RequestResult::Outcome;
    switch (result.outcome) {
    case Outcome::Sent:
        return true;
    case Outcome::Empty:
        if (!emptyMessage.isEmpty())
            qvx::Prompt::instance().message(emptyMessage);
        return false;
    case Outcome::ReserveFailed:
    case Outcome::Withdrawn:
    case Outcome::Stopped: // the batch's own step said no and told why
        return false;
    case Outcome::InsertFailed:
    case Outcome::CommitFailed:
    case Outcome::ConnectionLost:
        qvx::Prompt::instance().message(failedMessage);
        return false;
    }
    return false;
}
