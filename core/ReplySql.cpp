#include "core/ReplySql.h"

#include "platform/SqlText.h"

using qvx::sqlQuote;

namespace ReplySql {

QString latestSendTime(const QString &table, const QString &today)
{
    const bool summary = table.compare(QLatin1String("trsum"), Qt::CaseInsensitive) == 0
                         || table.compare(QLatin1String("vas_trsum"), Qt::CaseInsensitive) == 0;
    return QStringLiteral("select max(sendtime) from ") + table
           + (summary ? QStringLiteral(" where senddate = ") : QStringLiteral(" where senddate="))
           + sqlQuote(today);
}

QString balances(const QString &latest, const QString &bankCode)
{
    QString sql = QStringLiteral(
        "SELECT AMT_SEARCH.SENDDATE, AMT_SEARCH.SENDTIME, AMT_SEARCH.SEQNO, AMT_SEARCH.BANKID, AMT_SEARCH.BANKNO, "
        "AMT_SEARCH.SIGN, AMT_SEARCH.JANWON, AMT_SEARCH.ABLEWON, AMT_SEARCH.ERRCODE, AMT_SEARCH.SR_FLAG, "
        "AMT_SEARCH.RECEIVEDATE, AMT_SEARCH.RECEIVETIME, AMT_SEARCH.COMMON_DUMMY, bank.BANKNAME AS MOBANKNAME, "
        "IF(error.ERRCODE = AMT_SEARCH.ERRCODE, error.ERRCONTENTS, AMT_SEARCH.ERRCODE) AS ERRCONTENTS "
        "from bank, AMT_SEARCH left join error on AMT_SEARCH.BANKID  = error.BANKID and "
        "AMT_SEARCH.ERRCODE = error.ERRCODE "
        "where AMT_SEARCH.BANKID = bank.BANKID and AMT_SEARCH.BANKNO  = bank.MOBANKNO and ");
    if (!bankCode.isEmpty())
        sql += QStringLiteral(" AMT_SEARCH.bankid = ") + sqlQuote(bankCode) + QStringLiteral(" and ");
    return sql + QStringLiteral(" AMT_SEARCH.sendtime = ") + sqlQuote(latest);
}

QString holderNames(const QString &latest)
{
    return QStringLiteral(
               "SELECT ta_name_search.SEQNO, ta_name_search.BANKID, ta_name_search.MOBANKNO, "
               "ta_name_search.PRICE, ta_name_search.FEE, ta_name_search.NAME, ta_name_search.RRNOCHECK, "
               "ta_name_search.TRANS_BANKID, ta_name_search.BANKNO, ta_name_search.COMMON_DUMMY, ta_name_search.ERRCODE, "
               "bank.BANKNAME AS MOBANKNAME, allbank.BANKNAME AS BANKNAME, upgubun.GUBUNCONTENTS, "
               "if(ta_name_search.errcode = error.errcode, error.errcontents, ta_name_search.errcode) as errcontents "
               "from bank, upgubun, allbank, ta_name_search left join error on "
               "ta_name_search.BANKID = error.BANKID and ta_name_search.ERRCODE = error.ERRCODE "
               "where ta_name_search.BANKID = bank.BANKID and ta_name_search.MOBANKNO = bank.MOBANKNO "
               "and ta_name_search.TRANS_BANKID = allbank.BANKID "
               "and ta_name_search.UP_GUBUNCODE = upgubun.UP_GUBUNCODE")
           + QStringLiteral(" and ta_name_search.sendtime = ") + sqlQuote(latest);
}

QString summaries(const QString &latest, const QString &bankCode)
{
    QString sql = QStringLiteral(
        "SELECT trsum.SEQNO, trsum.BANKID, trsum.MOBANKNO, trsum.FIRMID, trsum.TOTALCNT, trsum.TOTALGUM, "
        "trsum.INOKCNT, trsum.INOKGUM, trsum.INERRCNT, trsum.INERRGUM, trsum.TAOKCNT, trsum.TAOKGUM, "
        "trsum.TAERRCNT, trsum.TAERRGUM, trsum.FEE, trsum.INSUCNT, trsum.INSUGUM, trsum.INSUERRCNT, "
        "trsum.INSUERRGUM, trsum.COMMON_DUMMY, bank.BANKNAME AS MOBANKNAME, "
        "if(trsum.errcode = error.errcode, error.errcontents, trsum.errcode) as errcontents "
        "from bank, trsum left join error on trsum.BANKID = error.BANKID and trsum.ERRCODE = error.ERRCODE "
        "where trsum.BANKID = bank.BANKID and trsum.MOBANKNO = bank.MOBANKNO");
    if (!bankCode.isEmpty())
        sql += QStringLiteral(" and trsum.bankid = ") + sqlQuote(bankCode) + QStringLiteral(" ");
    return sql + QStringLiteral(" and trsum.sendtime = ") + sqlQuote(latest);
}

QString vasSummaries(const QString &today, const QString &latest, const QString &bankCode)
{
    QString sql = QStringLiteral(
                      "SELECT vt.SEQNO, vt.BANKID, vt.TransDate, vt.GiKwanCode, vt.Ibgum_tot_gun, vt.Ibgum_tot_money, "
                      "vt.Ibgum_cnl_gun, vt.Ibgum_cnl_money, vt.Chul_tot_gun, vt.Chul_tot_money, vt.Chul_cnl_gun, "
                      "vt.Chul_cnl_money, vt.Fee_gun, vt.Fee_Money, vt.Dummy, b.BankName "
                      "from bank b, vas_trsum vt left join error on vt.BANKID = error.BANKID and "
                      "vt.ERRCODE = error.ERRCODE "
                      "where vt.BANKID = b.BANKID and vt.SendDate = ")
                  + sqlQuote(today) + QStringLiteral(" AND SR_FLAG = '4'");
    if (!bankCode.isEmpty())
        sql += QStringLiteral(" and vt.bankid = ") + sqlQuote(bankCode) + QStringLiteral(" ");
    return sql + QStringLiteral(" and vt.sendtime = ") + sqlQuote(latest);
}

QString resultDetail(const QString &table, qint64 seqNo, const QString &today)
{
    const QString t = table;
    return QStringLiteral("select ") + t + QStringLiteral(".*, bank.BANKNAME AS MOBANKNAME, "
                                                          "allbank.BANKNAME AS TRANSBANKNAME, "
                                                          "error.errcontents as errcontents, "
                                                          "error.errcontents as proccontents from bank, ")
           + t + QStringLiteral(" left join allbank on ") + t + QStringLiteral(".TRANS_BANKID = allbank.BANKID")
           + QStringLiteral(" left join error on ") + t + QStringLiteral(".BANKID = error.BANKID and ") + t
           + QStringLiteral(".ERRCODE = error.ERRCODE and ") + t + QStringLiteral(".procresult = error.errcode")
           + QStringLiteral(" where ") + t + QStringLiteral(".BANKID = bank.BANKID and ") + t + QStringLiteral(".sr_flag  > '0' and ") + t
           + QStringLiteral(".senddate = ") + sqlQuote(today) + QStringLiteral(" and ") + t
           + QStringLiteral(".seqno    = ") + qvx::sqlInt(seqNo);
}

QString waitingBatches(const QString &approverId, const QString &today, bool opening)
{
    return QStringLiteral("select userid, senddate, sendtime, cfmid, sum(price), min(seqno), max(seqno), gubun "
                          "from giche where cfmid = ")
           + sqlQuote(approverId)
           + (opening ? QStringLiteral("  and sr_flag = '0' ") : QStringLiteral("  and sr_flag = '0'"))
           + QStringLiteral("  and senddate = ") + sqlQuote(today) + QStringLiteral(" ")
           + QStringLiteral("group by userid, senddate, sendtime, cfmid, gubun");
}

QString noticeCounts(qint64 seqNo, const QString &today)
{
    return QStringLiteral(" SELECT  DepositCnt, BGDataCnt, TaErrCnt, SearchDate  FROM TCount_Search  WHERE SeqNo = ")
           + qvx::sqlInt(seqNo) + QStringLiteral("  AND  SendDate = ") + sqlQuote(today)
           + QStringLiteral("  AND  SR_Flag = '4' ");
}

} // namespace ReplySql
