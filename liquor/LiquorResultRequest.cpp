#include "liquor/LiquorResultRequest.h"

#include "core/Session.h"
#include "core/TextUtils.h"
#include "liquor/LiquorResultList.h"

namespace {

template <class Row>
Row InquiryRow(const QStringList &cells, const Session &session, const QString &date, const QString &time)
{
    auto c = [&cells](int col) { return col < cells.size() ? cells[col] : QString(); };
    Row row;
    row.SendDate = date;
    row.SendTime = time;
    row.Service = session.ServiceDiv;
    row.SendID = c(lrSendId);
    row.RecvID = c(lrRecvId);
    row.FirmID = c(lrFirmId);
    row.BankID = c(lrBankId2);
    row.USERID = session.LoginUserId;
    row.SendFlag = QStringLiteral("1");
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
