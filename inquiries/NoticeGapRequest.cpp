#include "inquiries/NoticeGapRequest.h"

#include "core/SeqNo.h"

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

RequestBatch NoticeGapBatch(NoticeKind kind)
{
    const NoticeGapPolicy &policy = GapPolicyOf(kind);
    RequestBatch batch = RequestBatch::bySeqNo(QString::fromLatin1(policy.serviceCode),
                                               QString::fromLatin1(policy.registrationTable));
    batch.reserveLimitMs = policy.reserveLimitMs;
    batch.registerPauseMs = policy.registerPauseMs;
    return batch;
}

RequestBatch CountGapBatch(NoticeKind kind)
{
    RequestBatch batch = NoticeGapBatch(kind);
    batch.reserveLimitMs = SeqNoLimitMs;
    batch.registerPauseMs = GapRegisterPauseMs;
    return batch;
}
