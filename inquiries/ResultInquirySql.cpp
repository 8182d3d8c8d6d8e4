#include "inquiries/ResultInquirySql.h"

#include "platform/SqlText.h"

using qvx::sqlQuote;

namespace ResultInquirySql {

QString gicheColumns()
{
    return QStringLiteral(
        "SELECT            giche.SENDDATE,  giche.SENDTIME,  giche.SERVICE,   giche.SEQNO,     giche.SENDID,    "
        "giche.RECVID,    giche.FIRMID,    giche.BANKID,    giche.USERID,    giche.CFMID,     giche.SENDFLAG,  "
        "giche.UP_GUBUNCODE,  giche.ERRCODE,   giche.MOBANKNO,  giche.PASSWD,    giche.BOKI,      giche.GUBUN,     "
        "giche.PRICE,     giche.SIGN,      giche.REMAIN,    giche.TRANS_BANKID,  giche.BANKNO,      giche.FEE,         "
        "giche.CMSCODE,     giche.NAME,        giche.TAPROCNO,    "
        "if(giche.SR_FLAG = '4', giche.TAERRFEE, '') as TAERRFEE,    "
        "if(giche.SR_FLAG = '4', giche.TAERRPRICE, '') as TAERRPRICE,  "
        "if(giche.SR_FLAG = '4', giche.TAERRMONEY, '') as TAERRMONEY,  "
        "giche.DUMMY,       giche.SR_FLAG,     giche.RECEIVETIME, giche.RECEIVEDATE, "
        "giche.COMMON_DUMMY,  ");
}

QString head()
{
    return gicheColumns()
        + QStringLiteral("bank.BANKNAME AS MOBANKNAME,     allbank.BANKNAME AS TRANSBANKNAME,  "
        "if(giche.errcode = error.errcode, error.errcontents, giche.errcode) as errcontents from      allbank,  "
        "bank,     giche     left join error on giche.BANKID = error.BANKID AND  giche.ERRCODE = error.ERRCODE "
        "WHERE     giche.BANKID = bank.BANKID  and  giche.mobankno = bank.mobankno  AND  "
        "giche.TRANS_BANKID = allbank.BANKID ");
}

QString byRange(qint64 from, qint64 to, const QString &today)
{
    return head() + QStringLiteral(" and giche.seqno >= ") + qvx::sqlInt(from)
           + QStringLiteral(" and giche.seqno <= ") + qvx::sqlInt(to)
           + QStringLiteral(" and giche.senddate = ") + sqlQuote(today) + QStringLiteral(" order by giche.seqno");
}

static QString stateClause(const ResultFilter &f, Refusal *refusal)
{
    const bool r = f.right, w = f.wrong, e = f.errSend;
    if (r && w && e)
        return QString();
    if (r && w)
        return QStringLiteral(" and giche.sr_flag = '4'");
    if (w && e)
        return QStringLiteral(" and giche.sr_flag in ('2', '3', '4') and giche.errcode <> '0000'");
    if (r && e)
        return QStringLiteral(" and giche.sr_flag in ('2', '3', '4') and giche.errcode in ('', '0000') ");
    if (r)
        return QStringLiteral(" and giche.sr_flag = '4' and giche.errcode = '0000' ");
    if (w)
        return QStringLiteral(" and giche.sr_flag = '4' and giche.errcode <> '0000' ");
    if (e)
        return QStringLiteral(" and giche.sr_flag <> '4'");
    *refusal = Refusal::NoStateOption;
    return QString();
}

QString byFilter(const ResultFilter &f, Refusal *refusal)
{
    *refusal = Refusal::None;
    QString sql = head() + QStringLiteral(" and  giche.userid  = ") + sqlQuote(f.userId) + QStringLiteral(" ");
    if (!f.bankCode.isEmpty())
        sql += QStringLiteral(" and giche.bankid = ") + sqlQuote(f.bankCode) + QStringLiteral(" ");
    sql += f.collection ? QStringLiteral(" and giche.gubun = '20' ") : QStringLiteral(" and giche.gubun = '30' ");
    sql += stateClause(f, refusal);
    if (*refusal != Refusal::None)
        return QString();
    sql += QStringLiteral(" and giche.senddate >= ") + sqlQuote(f.dateFrom)
           + QStringLiteral(" and giche.senddate <= ") + sqlQuote(f.dateTo) + QStringLiteral(" ");
    if (f.seqTo < f.seqFrom) {
        *refusal = Refusal::SeqRangeReversed;
        return QString();
    }
    if (f.seqFrom > 0 && f.seqTo > 0)
        sql += QStringLiteral(" and giche.seqno between ") + qvx::sqlInt(f.seqFrom) + QStringLiteral(" and ")
               + qvx::sqlInt(f.seqTo);
    if (!f.sendName.trimmed().isEmpty()) {
        // The name is a LIKE pattern inside quotes: quotes are doubled.
        sql += QStringLiteral(" and giche.name like ") + sqlQuote(QStringLiteral("%") + f.sendName + QStringLiteral("%"))
               + QStringLiteral(" ");
    }
    sql += QStringLiteral(" order by giche.senddate, giche.seqno, giche.sr_flag");
    return sql;
}

QString refusalMessage(Refusal refusal)
{
    switch (refusal) {
    case Refusal::NoStateOption:
        return QStringLiteral("정상처리 / 비정상처리 옵션이 선택되지 않았습니다.");
    case Refusal::SeqRangeReversed:
        return QStringLiteral("전문번호 입력이 잘못되었습니다. [시작번호가 크면 안됩니다]");
    case Refusal::None:
        break;
    }
    return QString();
}

} // namespace ResultInquirySql
