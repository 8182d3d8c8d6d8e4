#include "core/GapRequest.h"

QString GapRequestStatus(const RequestResult &result)
{
    switch (result.outcome) {
    case RequestResult::Outcome::Sent:
        return QStringLiteral("결번전문 ") + QString::number(result.count) + QStringLiteral(" 건을 처리중입니다.");
    case RequestResult::Outcome::Empty:
    case RequestResult::Outcome::ReserveFailed:
        return QString();
    default:
        return QStringLiteral("결번전문 ") + QString::number(result.count)
               + QStringLiteral(" 건이 정상적으로 처리되지 않았습니다.");
    }
}
