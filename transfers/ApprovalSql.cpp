#include "transfers/ApprovalSql.h"

#include "core/TextUtils.h"
#include "platform/SqlText.h"

using qvx::sqlQuote;

namespace ApprovalSql {

QString listDelete(const WaitingBatch &b)
{
    return QStringLiteral("delete from giche where cfmid = ") + sqlQuote(b.cfmid)
           + QStringLiteral(" and sendtime = ") + sqlQuote(DelChar(b.timeText, u':'))
           + QStringLiteral(" and senddate = ") + sqlQuote(DelChar(b.dateText, u'-'))
           + QStringLiteral(" and sr_flag = '0'")
           + QStringLiteral(" and userid = ") + sqlQuote(b.userid);
}

// The condition of forward one: the batch as the list row names it.
static QString forwardCondition(const WaitingBatch &b)
{
    return QStringLiteral(" where cfmid = ") + sqlQuote(b.cfmid)
           + QStringLiteral(" and sr_flag = '0'")
           + QStringLiteral(" and sendtime = ") + sqlQuote(DelChar(b.timeText, u':'))
           + QStringLiteral(" and userid = ") + sqlQuote(b.userid)
           + QStringLiteral(" and senddate = ") + sqlQuote(DelChar(b.senddate, u'-'));
}

QString forwardDelete(const WaitingBatch &b)
{
    return QStringLiteral("delete from giche") + forwardCondition(b);
}

QString forwardOne(const WaitingBatch &b, const QString &approverId)
{
    return QStringLiteral("update giche set cfmid = ") + sqlQuote(approverId) + forwardCondition(b);
}

QString forwardAll(const WaitingBatch &b, const QString &approverId)
{
    return QStringLiteral("update giche set cfmid = ") + sqlQuote(approverId)
           + QStringLiteral(" where cfmid = ") + sqlQuote(b.cfmid)
           + QStringLiteral(" and sr_flag = '0'")
           + QStringLiteral(" and userid = ") + sqlQuote(b.userid)
           + QStringLiteral(" and senddate = ") + sqlQuote(b.senddate);
}

// The condition of the final approver's statements.
static QString sendCondition(const WaitingBatch &b, const QString &approverId)
{
    return QStringLiteral(" where cfmid = ") + sqlQuote(approverId)
           + QStringLiteral(" and sendtime = ") + sqlQuote(b.sendtime)
           + QStringLiteral(" and senddate = ") + sqlQuote(b.senddate)
           + QStringLiteral(" and sr_flag = '0'")
           + QStringLiteral(" and userid = ") + sqlQuote(b.userid);
}

QString sendUpdate(const WaitingBatch &b, const QString &approverId)
{
    return QStringLiteral("update giche set sr_flag = '1'") + sendCondition(b, approverId);
}

QString sendDelete(const WaitingBatch &b, const QString &approverId)
{
    return QStringLiteral("delete from giche") + sendCondition(b, approverId);
}

QString detailRows(const WaitingBatch &b)
{
    return QStringLiteral(
               "SELECT giche.SENDDATE, giche.SENDTIME, giche.SERVICE, giche.SEQNO, giche.SENDID, giche.RECVID, "
               "giche.FIRMID, giche.BANKID, giche.USERID, giche.CFMID, giche.SENDFLAG, giche.UP_GUBUNCODE, "
               "giche.ERRCODE, giche.MOBANKNO, giche.PASSWD, giche.BOKI, giche.GUBUN, giche.PRICE, giche.SIGN, "
               "giche.REMAIN, giche.TRANS_BANKID, giche.BANKNO, giche.FEE, giche.CMSCODE, giche.NAME, "
               "giche.TAPROCNO, giche.TAERRFEE, giche.TAERRPRICE, giche.TAERRMONEY, giche.DUMMY, giche.SR_FLAG, "
               "giche.RECEIVETIME, giche.RECEIVEDATE, giche.COMMON_DUMMY, bank.BANKNAME AS MOBANKNAME, "
               "allbank.BANKNAME AS TRANSBANKNAME, upgubun.GUBUNCONTENTS, "
               "if(giche.errcode = error.errcode, error.errcontents, giche.errcode) as errcontents "
               "from giche "
               "left join bank on giche.BANKID = bank.BANKID and giche.mobankno = bank.mobankno "
               "left join upgubun on giche.UP_GUBUNCODE = upgubun.UP_GUBUNCODE "
               "left join allbank on giche.TRANS_BANKID = allbank.BANKID "
               "left join error on giche.BANKID = error.BANKID AND giche.ERRCODE = error.ERRCODE "
               "WHERE giche.cfmid = ")
           + sqlQuote(b.cfmid)
           + QStringLiteral(" and giche.senddate = ") + sqlQuote(b.senddate)
           + QStringLiteral(" and giche.sendtime = ") + sqlQuote(b.sendtime)
           + QStringLiteral(" and giche.sr_flag = '0'")
           + QStringLiteral(" and giche.userid = ") + sqlQuote(b.userid)
           + QStringLiteral(" order by giche.seqno");
}

QString detailDelete(const QString &seqNo, const QString &senddate)
{
    return QStringLiteral("delete from giche where seqno = ") + qvx::sqlInt(seqNo.trimmed())
           + QStringLiteral(" and senddate = ") + sqlQuote(senddate)
           + QStringLiteral(" and sr_flag = '0'");
}

QString logLine(const QString &prefix, const WaitingBatch &b)
{
    return prefix + FixLenSpace(b.userid, 10, true)
           + QStringLiteral(" 이체금액:") + PadSpace(b.amount, 15, false)
           + QStringLiteral(" 요청일자:") + FixLenSpace(b.dateText, 10, true)
           + QStringLiteral(" 요청시각:") + FixLenSpace(b.timeText, 8, true)
           + QStringLiteral(" 승인자:") + FixLenSpace(b.cfmid, 10, true);
}

} // namespace ApprovalSql

namespace ApprovalSql {

QString detailLogLine(const QString &prefix, const QString &seqNo, const QString &userId, const QString &amount,
                      const QString &name, const QString &bankName)
{
    return prefix + seqNo + QStringLiteral(" 요청자:") + FixLenSpace(userId, 15, false)
           + QStringLiteral(" 금액:") + PadSpace(amount, 10, true)
           + QStringLiteral(" 거래처:") + FixLenSpace(name, 10, true)
           + QStringLiteral(" 거래은행:") + FixLenSpace(bankName, 20, true);
}

} // namespace ApprovalSql
