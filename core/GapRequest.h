#pragma once
// The notice screens' gap request: the numbers missing from the day's
// series up to a bound, asked again from the bank with one order row per
// missing number, sent as one batch that is stored whole or not at all.
//
//   const QList<int> gaps = MissingNumbers(receivedOrgSeqNos);   // up to the highest received
//   const RequestResult r = SendGapRequest<DepositOrderRow>(sender,
//       RequestBatch::bySeqNo(DepositOrderRow::ServiceCode, "deposit_order"), gaps,
//       [&](int missing) { DepositOrderRow row = ...; row.ORG_SEQNO = QString::number(missing); return row; });

#include "core/NoticeNumbers.h"
#include "core/RequestSender.h"

#include <QList>

#include <functional>

// One order row per missing number, in order, through the request sender
// with the all-or-nothing policy: a refused row rolls the whole request back
// and nothing is registered. No missing number: nothing is sent (Empty).
template <class Row>
RequestResult SendGapRequest(RequestSender &sender, RequestBatch batch, const QList<int> &missing,
                             const std::function<Row(int number)> &orderRow)
{
    QList<Row> rows;
    rows.reserve(missing.size());
    for (int number : missing)
        rows.append(orderRow(number));
    batch.policy = RequestBatch::Policy::AllOrNothing;
    return sender.sendRows(batch, rows);
}

// "결번전문 n 건을 처리중입니다." once the request is registered; after a refused
// insert, commit or registration "결번전문 n 건이 정상적으로 처리되지 않았습니다."
// (the request was rolled back whole); "" when no number could be reserved
// (that message was shown already) or nothing was missing.
QString GapRequestStatus(const RequestResult &result);
