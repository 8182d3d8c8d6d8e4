#include "inquiries/FailedTransferNotices.h"

#include "core/CellText.h"
#include "core/RequestHeaders.h"
#include "platform/ResultSet.h"
#include "platform/SqlText.h"

using qvx::sqlQuote;

namespace FailedTransferSql {

QString head()
{
    return QStringLiteral(
        "SELECT          ta_iche_err.SERVICE,   ta_iche_err.SEQNO,     ta_iche_err.SENDID,    ta_iche_err.RECVID,    "
        "ta_iche_err.FIRMID,    ta_iche_err.BANKID,    ta_iche_err.SENDFLAG,   ta_iche_err.ERRCODE,    "
        "ta_iche_err.ERR_SENDDATE,    ta_iche_err.BANK_SEQNO,      ta_iche_err.ORG_SEQNO,       "
        "ta_iche_err.MOBANKNO,        ta_iche_err.TRANS_BANKID,    ta_iche_err.BANKNO,     ta_iche_err.GUBUN,      "
        "ta_iche_err.PRICE,      ta_iche_err.PROCTIME,   ta_iche_err.FEE,        ta_iche_err.CMSCODE,    "
        "ta_iche_err.NAME,       ta_iche_err.SUBSEQ,     ta_iche_err.PROCRESULT,   ta_iche_err.TAPROCNO,     "
        "ta_iche_err.DUMMY,        ta_iche_err.RECEIVETIME,     ta_iche_err.RECEIVEDATE,     "
        "ta_iche_err.COMMON_DUMMY,    bank.BANKNAME AS MOBANKNAME,    allbank.BANKNAME AS transBANKNAME,      "
        "if(ta_iche_err.errcode = error.errcode, error.errcontents, ta_iche_err.errcode) as errcontents   FROM      "
        "     allbank,       ta_iche_err    left join bank on    ta_iche_err.BANKID = bank.BANKID   left join "
        "error on    ta_iche_err.BANKID  = error.BANKID   AND  ta_iche_err.ERRCODE = error.ERRCODE   AND  "
        "ta_iche_err.PROCRESULT = error.ERRCODE   WHERE          ta_iche_err.TRANS_BANKID = allbank.BANKID     "
        "AND  ta_iche_err.MOBANKNO = bank.MOBANKNO  ");
}

QString byFilter(const FailedTransferFilter &f, Refusal *refusal)
{
    *refusal = Refusal::None;
    if (f.dateTo < f.dateFrom) {
        *refusal = Refusal::ReversedPeriod;
        return QString();
    }
    QString sql = head();
    if (!f.bankCode.isEmpty()) {
        sql += QStringLiteral("  and ta_iche_err.bankid      = ") + sqlQuote(f.bankCode);
        if (!f.moBankNo.isEmpty())
            sql += QStringLiteral("  AND ta_iche_err.MOBANKNO    = ") + sqlQuote(f.moBankNo);
    }
    sql += QStringLiteral("  and ta_iche_err.err_senddate >= ") + sqlQuote(f.dateFrom)
           + QStringLiteral("  and ta_iche_err.err_senddate <= ") + sqlQuote(f.dateTo) + QStringLiteral(" ");
    return sql + QStringLiteral(" order by ta_iche_err.err_senddate, ta_iche_err.bank_seqno");
}

QString noticeNumbers(const QString &bankCode, const QString &day)
{
    return QStringLiteral("select bank_seqno, sendid, recvid, firmid, bankid from      ta_iche_err where bankid = ")
           + sqlQuote(bankCode) + QStringLiteral("  and err_senddate = ") + sqlQuote(day)
           + QStringLiteral("  order by bank_seqno");
}

QString dayNotices(const QString &day)
{
    return QStringLiteral("select * from ta_iche_err where err_senddate = ") + sqlQuote(day)
           + QStringLiteral(" order by seqno");
}

} // namespace FailedTransferSql

TaIcheOrderRow FailedNoticeGapRow(const RequestHeader &header, const FailedNoticeAddress &to, int missingNumber)
{
    TaIcheOrderRow row;
    ApplyRequestHeader(row, AddressedHeader(header, to.sendId, to.recvId, to.firmId, to.bankId));
    row.Service = QStringLiteral("DY2");
    row.TA_ICHE_SendDate = to.day;
    row.BANK_SEQNO = QString::number(missingNumber);
    return row;
}

QString FailedNoticeDayLine(const qvx::ResultSet &rs, int i)
{
    static const char *const columns[] = {
        "SEQNO",   "SENDID",  "RECVID",      "FIRMID",      "BANKID",       "SENDFLAG",     "ERRCODE",
        "ERR_SENDDATE", "BANK_SEQNO", "ORG_SEQNO", "MOBANKNO", "TRANS_BANKID", "BANKNO", "GUBUN",
        "PRICE",   "PROCTIME", "FEE",        "CMSCODE",     "NAME",         "SUBSEQ",       "PROCRESULT",
        "TAPROCNO", "DUMMY",  "RECEIVETIME", "RECEIVEDATE", "COMMON_DUMMY", "up_gubuncode"};
    QString line;
    for (const char *c : columns) {
        const QString value = rs.value(i, QString::fromLatin1(c));
        line += qstrcmp(c, "PRICE") == 0 ? MoneyCellText(value) : value;
    }
    return line;
}

QString FailedNoticeDayFileName(const QString &day)
{
    return QStringLiteral("타행불능통지") + day + QStringLiteral(".dat");
}
