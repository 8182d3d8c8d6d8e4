#include "liquor/LiquorResultRequest.h"

#include "core/RequestHeaders.h"
#include "core/RequestMessages.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "liquor/LiquorResultList.h"

namespace {

template <class Row>
Row InquiryRow(const QStringList &cells, const Session &session, const QString &date, const QString &time)
{
    auto c = [&cells](int col) { return col < cells.size() ? cells[col] : QString(); };
    RequestHeader header =
        AddressedHeader(RequestHeader::of(session), c(lrSendId), c(lrRecvId), c(lrFirmId), c(lrBankId2));
    header.SendDate = date;
    header.SendTime = time;
    Row row;
    ApplyRequestHeader(row, header);
    row.ICHE_SendDate = DelChar(c(lrSendDate), u'-');
    row.ORG_SEQNO = c(lrSeqNo);
    row.sr_flag = QStringLiteral("1");
    return row;
}

} // namespace

IcheResult102Row LiquorCollectionInquiry(const QStringList &cells, const Session &session, const QString &date,
                                         const QString &time)
{
    return InquiryRow<IcheResult102Row>(cells, session, date, time);
}

IcheResult103Row LiquorPaymentInquiry(const QStringList &cells, const Session &session, const QString &date,
                                      const QString &time)
{
    return InquiryRow<IcheResult103Row>(cells, session, date, time);
}

LiquorInquiryRows LiquorWholeInquiry(const QList<QStringList> &rows, const Session &session, const QString &date,
                                     const QString &time)
{
    LiquorInquiryRows out;
    for (const QStringList &cells : rows) {
        if (lrGubun < cells.size() && cells[lrGubun] == QLatin1String("20"))
            out.collections << LiquorCollectionInquiry(cells, session, date, time);
        else
            out.payments << LiquorPaymentInquiry(cells, session, date, time);
    }
    return out;
}

QString LiquorWholeInquiryFailure(const RequestResult &result, bool collectionsWentOut)
{
    using Outcome = RequestResult::Outcome;
    QString text;
    switch (result.outcome) {
    case Outcome::InsertFailed:
        text = QStringLiteral("데이터베이스에 오류가 발생하였습니다. 이체내역을 확인하시고 재송신하시기 바랍니다.");
        break;
    case Outcome::CommitFailed:
        text = QStringLiteral("데이터베이스에 오류가 발생하였습니다. Commit error");
        break;
    case Outcome::ConnectionLost:
        text = RequestFailedMessage;
        break;
    case Outcome::Sent:
    case Outcome::Empty:
    case Outcome::ReserveFailed:
    case Outcome::Stopped:
    case Outcome::Withdrawn:
        break;
    }
    if (collectionsWentOut) {
        if (!text.isEmpty())
            text += QStringLiteral("\r\n");
        text += QStringLiteral("수납 자료의 이체결과 조회는 송신되었습니다.");
    }
    return text;
}
