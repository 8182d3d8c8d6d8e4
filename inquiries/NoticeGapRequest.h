#pragma once
// One gap request of a notice kind on the request sender: the kind's policy
// (service code, registration table, reservation wait), one order row per
// missing number, all or nothing; and the status text the screens show.
//
//   const RequestResult r = SendNoticeGapRequest<TaIcheOrderRow>(sender, NoticeKind::FailedTransfer, gaps,
//       [&](int number) { return FailedNoticeGapRow(header, address, number); });
//   StatusBar1->showMessage(GapRequestStatus(r));

#include "core/GapRequest.h"
#include "inquiries/NoticeGaps.h"

template <class Row>
RequestResult SendNoticeGapRequest(RequestSender &sender, NoticeKind kind, const QList<int> &missing,
                                   const std::function<Row(int number)> &orderRow)
{
    const NoticeGapPolicy &policy = GapPolicyOf(kind);
    RequestBatch batch = RequestBatch::bySeqNo(QString::fromLatin1(policy.serviceCode),
                                               QString::fromLatin1(policy.registrationTable));
    batch.reserveLimitMs = policy.reserveLimitMs;
    return SendGapRequest<Row>(sender, batch, missing, orderRow);
}

// "결번전문 n 건을 처리중입니다." once the request is registered; after a refused
// insert, commit or registration "결번전문 n 건이 정상적으로 처리되지 않았습니다."
// (the request was rolled back whole); "" when no number could be reserved
// (that message was shown already) or nothing was missing.
QString GapRequestStatus(const RequestResult &result);
