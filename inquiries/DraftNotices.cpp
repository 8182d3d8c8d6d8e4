#include "inquiries/DraftNotices.h"

#include "core/FixedLine.h"
#include "core/ResultFields.h"
#include "core/TextUtils.h"
#include "core/TotalsTable.h"
#include "platform/ResultSet.h"
#include "platform/SqlText.h"

using qvx::sqlQuote;

namespace DraftNoticeSql {

QString byFilter(const DraftNoticeFilter &f)
{
    QString sql = QStringLiteral(
        "SELECT         draft.SERVICE,  draft.SEQNO,    draft.SENDID,   draft.RECVID,   draft.FIRMID,   draft.BANKID,   "
        "draft.SENDFLAG, draft.ERRCODE,  draft.DRAFT_SENDDATE,  draft.ORG_SEQNO, draft.GUBUN,      draft.BANKNO,     "
        "draft.IBGUMCODE,  draft.DRAFTNO,    draft.DRAFTKIND,  draft.DRAFTMONEY, draft.PUB_NAME,   draft.DEP_NAME,   "
        "draft.SUTAK_DATE, draft.MANKI_DATE, draft.PAY_BANKNAME,    draft.PAY_DEPARTNAME,  draft.DANGTA_GUBUN,    "
        "draft.GYULJE_BANKNO,   draft.TRANS_DEPART,    draft.SELECTAREA1,     draft.SELECTAREA2,     draft.DUMMY,    "
        "       draft.RECEIVETIME,     draft.RECEIVEDATE,     draft.COMMON_DUMMY,    draft.UP_GUBUNCODE,    "
        "transdiv.TRANSDIVCONTENTS, draftkind.DRAFTKINDCONTENTS,  dangtagubun.DANGTACONTENTS, bank.BANKNAME AS "
        "MOBANKNAME,  if(draft.errcode = error.errcode, error.errcontents, draft.errcode) as errcontents FROM        "
        "bank,       transdiv,   draftkind,  draft       left join error on  draft.BANKID = error.BANKID  AND  "
        "draft.ERRCODE = error.ERRCODE  left join dangtagubun on  draft.BANKID = dangtagubun.BANKID AND  "
        "draft.DANGTA_GUBUN = dangtagubun.DANGTACODE WHERE      draft.BANKID = bank.BANKID  and  draft.BANKID = "
        "transdiv.BANKID and  draft.BANKID = draftkind.BANKID AND  draft.DRAFTKIND = draftkind.DRAFTKINDCODE AND  "
        "draft.GUBUN = transdiv.TRANSDIVCODE and  transdiv.divflag = '2'");
    if (!f.kindCode.isEmpty())
        sql += QStringLiteral(" and draft.gubun = ") + sqlQuote(f.kindCode) + QStringLiteral(" ");
    if (!f.accountNo.isEmpty())
        sql += QStringLiteral(" and draft.bankno = ") + sqlQuote(f.accountNo) + QStringLiteral(" ");
    if (!f.bankCode.isEmpty())
        sql += QStringLiteral("  and draft.bankid    = ") + sqlQuote(f.bankCode);
    sql += QStringLiteral("  and draft.draft_senddate >= ") + sqlQuote(f.dateFrom)
           + QStringLiteral("  and draft.draft_senddate <= ") + sqlQuote(f.dateTo) + QStringLiteral(" ");
    return sql + QStringLiteral(" group by draft_senddate, draft.bankid, draft.org_seqno");
}

} // namespace DraftNoticeSql

DraftNotice DraftNotice::FromRow(const qvx::ResultSet &rs, int i)
{
    using N = DraftNotice;
    DraftNotice n;
    ReadResultFields<N>(
        n, rs, i,
        {{"mobankname", &N::moBankName}, {"draft_senddate", &N::draftSendDate}, {"org_seqno", &N::orgSeqNo},
         {"transdivcontents", &N::transDivContents}, {"bankid", &N::bankId}, {"bankno", &N::bankNo},
         {"ibgumcode", &N::ibgumCode}, {"draftkindcontents", &N::draftKindContents}, {"draftno", &N::draftNo},
         {"draftmoney", &N::draftMoney}, {"pub_name", &N::pubName}, {"dep_name", &N::depName},
         {"sutak_date", &N::sutakDate}, {"manki_date", &N::mankiDate}, {"pay_bankname", &N::payBankName},
         {"pay_departname", &N::payDepartName}, {"dangtacontents", &N::dangTaContents},
         {"gyulje_bankno", &N::gyuljeBankNo}, {"trans_depart", &N::transDepart}, {"service", &N::service},
         {"sendid", &N::sendId}, {"recvid", &N::recvId}, {"firmid", &N::firmId}, {"sendflag", &N::sendFlag},
         {"gubun", &N::gubun}},
        FieldText::Trimmed);
    return n;
}

qint64 DraftNotice::amount() const
{
    return SafeStrToCurr(draftMoney, 0);
}

QString DraftTotalsCode(const QString &gubun)
{
    bool ok = false;
    const int code = gubun.trimmed().toInt(&ok);
    switch (ok ? code : 0) {
    case 20: return QStringLiteral("sutak");
    case 21: return QStringLiteral("sutakmod");
    case 29: return QStringLiteral("sutakcancel");
    case 30: return QStringLiteral("chusim");
    case 39: return QStringLiteral("chusimcancel");
    case 55: return QStringLiteral("return");
    default: return QString();
    }
}

TotalsTable DraftTotalsTable()
{
    return TotalsTable::inColumns({QStringLiteral("sutak"), QStringLiteral("sutakmod"), QStringLiteral("sutakcancel"),
                            QStringLiteral("chusim"), QStringLiteral("chusimcancel"), QStringLiteral("return")});
}

QString DraftSaveLine(const DraftNotice &n, int rowNo)
{
    FixedLine line;
    auto field = [&line](const QString &value, int width, bool zero = false) {
        if (zero)
            line.zeroLeft(value, width);
        else
            line.right(value, width);
        line.right(QStringLiteral(" "), 1);
    };
    field(QString::number(rowNo), 6, true);
    field(n.moBankName, 14);
    field(n.draftSendDate, 8);
    field(n.orgSeqNo, 6, true);
    field(n.transDivContents, 30);
    field(n.bankNo, 15);
    field(n.ibgumCode, 16);
    field(n.draftKindContents, 20);
    field(n.draftNo, 15);
    field(QString::number(n.amount()), 13);
    field(n.pubName, 20);
    field(n.depName, 20);
    field(n.sutakDate, 8);
    field(n.mankiDate, 8);
    field(n.payBankName, 20);
    field(n.payDepartName, 12);
    field(n.dangTaContents, 4);
    field(DelChar(n.gyuljeBankNo, u'-'), 15);
    field(n.transDepart, 6);
    field(n.service, 3);
    field(n.recvId, 10);
    field(n.firmId, 10);
    line.right(n.bankId, 8);
    return line.text();
}
