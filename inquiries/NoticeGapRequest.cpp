#include "inquiries/NoticeGapRequest.h"

#include "core/SeqNo.h"

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
