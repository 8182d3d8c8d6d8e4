#pragma once
// One gap request of a notice kind on the request sender: the kind's policy
// (service code, registration table, reservation wait), one order row per
// missing number, all or nothing; and the status text the screens show.
//
//   const RequestResult r = SendNoticeGapRequest<TaIcheOrderRow>(sender, NoticeKind::FailedTransfer, gaps,
//       [&](int number) { return FailedNoticeGapRow(header, address, number); });
//   StatusBar1->showMessage(GapRequestStatus(r));

#include "core/GapRequest.h"
#include "inquiries/NoticeGapPolicy.h"

// The batch of a notice kind's gap request as its list screen sends it.
RequestBatch NoticeGapBatch(NoticeKind kind);
// The same kind's batch as the notice-count screen sends it: the usual
// reservation wait, and the pause before the registration for every kind.
RequestBatch CountGapBatch(NoticeKind kind);

template <class Row>
RequestResult SendNoticeGapRequest(RequestSender &sender, const RequestBatch &batch, const QList<int> &missing,
                                   const std::function<Row(int number)> &orderRow)
{
    return SendGapRequest<Row>(sender, batch, missing, orderRow);
}

template <class Row>
RequestResult SendNoticeGapRequest(RequestSender &sender, NoticeKind kind, const QList<int> &missing,
                                   const std::function<Row(int number)> &orderRow)
{
    return SendGapRequest<Row>(sender, NoticeGapBatch(kind), missing, orderRow);
}
