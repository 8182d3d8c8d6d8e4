#include "liquor/LiquorResultSql.h"

#include "platform/SqlText.h"

using qvx::sqlInt;
using qvx::sqlQuote;

namespace LiquorResultSql {

QString TableName(Table table)
{
    return table == Table::Collection ? QStringLiteral("cmsjiche102") : QStringLiteral("cmsjiche103");
}

QString Base(Table table, bool withOwner)
{
    const QString t = TableName(table);
    // The collection table keeps the counterparty account in BANKNO and the
    // mother account in MOBANKNO; the payment table the other way round.
    const bool collection = table == Table::Collection;
    const QString mainNo = collection ? t + QStringLiteral(".BANKNO") : t + QStringLiteral(".moBANKNO");
    const QString bankNo = collection ? t + QStringLiteral(".moBANKNO") : t + QStringLiteral(".BANKNO");
    QString sql = QStringLiteral("select ");
    auto col = [&sql, &t](const char *name, const char *as = nullptr) {
        sql += t + u'.' + QLatin1String(name);
        if (as)
            sql += QStringLiteral(" as ") + QLatin1String(as);
        sql += QStringLiteral(", ");
    };
    col("SENDDATE", "senddate");
    for (const char *name : {"SENDTIME", "SERVICE", "SENDID", "RECVID", "FIRMID", "BANKID", "USERID", "CFMID",
                             "SENDFLAG", "UP_GUBUNCODE", "ERRCODE"})
        col(name);
    sql += mainNo + QStringLiteral(" AS MAINBANKNO, ");
    for (const char *name : {"PASSWD", "BOKI", "GUBUN", "PRICE", "SIGN", "REMAIN", "TRANS_BANKID"})
        col(name);
    sql += bankNo + QStringLiteral(" AS BANKNO, ");
    for (const char *name : {"FEE", "CMSCODE", "NAME", "TAPROCNO"})
        col(name);
    col("JUMINNO", "RESIDENTNO");
    for (const char *name : {"JUFLAG", "JUMONEY", "NONJUMONEY", "DUMMY", "SR_FLAG", "RECEIVETIME", "RECEIVEDATE"})
        col(name);
    col("SEQNO", "seqno");
    col("COMMON_DUMMY");
    sql += QStringLiteral("bank.BANKNAME AS MOBANKNAME, ");
    if (withOwner)
        sql += QStringLiteral("bank.SENDNAME AS ACTOWNER, ");
    sql += QStringLiteral("allbank.BANKNAME AS TRANSBANKNAME, IF(error.ERRCODE = %1.ERRCODE, error.ERRCONTENTS, "
                          "%1.ERRCODE) AS ERRCONTENTS from allbank, bank, %1 left join error on %1.BANKID = "
                          "error.BANKID and %1.ERRCODE = error.ERRCODE where %1.BANKID = bank.BANKID and "
                          "%1.mobankno = bank.mobankno and %1.TRANS_BANKID = allbank.BANKID")
               .arg(t);
    return sql;
}

QString InquiryByRange(qint64 from, qint64 to, const QString &userId, const QString &today)
{
    auto one = [&](Table table) {
        const QString t = TableName(table);
        return Base(table) + QStringLiteral(" and %1.seqno >= ").arg(t) + sqlInt(from)
               + QStringLiteral(" and %1.seqno <= ").arg(t) + sqlInt(to)
               + QStringLiteral(" and %1.userid = ").arg(t) + sqlQuote(userId)
               + QStringLiteral(" and %1.senddate = ").arg(t) + sqlQuote(today);
    };
    return one(Table::Collection) + QStringLiteral(" union all ") + one(Table::Payment)
           + QStringLiteral(" order by senddate, seqno");
}

namespace {

QString DateClause(const QString &t, const QString &from, const QString &to)
{
    return QStringLiteral(" and %1.senddate >= ").arg(t) + sqlQuote(from) + QStringLiteral(" and %1.senddate <= ").arg(t)
           + sqlQuote(to) + u' ';
}

QString InquiryStateClause(const QString &t, bool r, bool w, bool e, Refusal *refusal)
{
    QString s;
    if (r && w && e)
        return s;
    if (r && w)
        s = QStringLiteral(" and %1.sr_flag = '4'");
    else if (w && e)
        s = QStringLiteral(" and %1.sr_flag in ('2', '3', '4') and %1.errcode <> '0000'");
    else if (r && e)
        s = QStringLiteral(" and %1.sr_flag in ('2', '3', '4') and %1.errcode in ('', '0000') ");
    else if (r)
        s = QStringLiteral(" and %1.errcode = '0000' and %1.sr_flag = '4'");
    else if (w)
        s = QStringLiteral(" and %1.errcode <> '0000' and %1.sr_flag = '4'");
    else if (e)
        s = QStringLiteral(" and %1.sr_flag <> '4'");
    else
        *refusal = Refusal::NoStateOption;
    return s.isEmpty() ? s : s.arg(t);
}

} // namespace

QString InquiryByFilter(const InquiryFilter &f, Refusal *refusal)
{
    *refusal = Refusal::None;
    if (f.seqTo - f.seqFrom < 0) {
        *refusal = Refusal::SeqRangeReversed;
        return QString();
    }
    const Table table = f.collection ? Table::Collection : Table::Payment;
    const QString t = TableName(table);
    QString sql = Base(table) + InquiryStateClause(t, f.right, f.wrong, f.errSend, refusal);
    if (*refusal != Refusal::None)
        return QString();
    sql += DateClause(t, f.dateFrom, f.dateTo);
    if (f.seqFrom > 0 && f.seqTo > 0)
        sql += QStringLiteral(" and %1.seqno >= ").arg(t) + sqlInt(f.seqFrom) + QStringLiteral(" and %1.seqno <= ").arg(t)
               + sqlInt(f.seqTo);
    if (!f.bankCode.isEmpty())
        sql += QStringLiteral(" and %1.bankid = ").arg(t) + sqlQuote(f.bankCode);
    sql += QStringLiteral(" and %1.userid = ").arg(t) + sqlQuote(f.userId);
    if (!f.sendName.trimmed().isEmpty())
        sql += QStringLiteral(" and %1.name like ").arg(t) + sqlQuote(u'%' + f.sendName + u'%') + u' ';
    return sql + QStringLiteral(" order by %1.senddate, %1.seqno").arg(t);
}

QString View(const ViewFilter &f, Refusal *refusal)
{
    *refusal = Refusal::None;
    if (!f.right && !f.wrong) {
        *refusal = Refusal::NoStateOption;
        return QString();
    }
    const Table table = f.collection ? Table::Collection : Table::Payment;
    const QString t = TableName(table);
    QString sql = Base(table, true);
    if (!f.bankCode.isEmpty())
        sql += QStringLiteral(" and %1.bankid = ").arg(t) + sqlQuote(f.bankCode) + QStringLiteral(" and %1.mobankno = ").arg(t)
               + sqlQuote(f.accountNo) + u' ';
    switch (f.state) {
    case ViewFilter::State::Entire:
        sql += QStringLiteral(" and %1.sr_flag > '0' ").arg(t);
        break;
    case ViewFilter::State::Received:
        sql += QStringLiteral(" and %1.sr_flag = '4' ").arg(t);
        break;
    case ViewFilter::State::NotSent:
        sql += QStringLiteral(" and %1.sr_flag > '0' and %1.sr_flag < '4'").arg(t);
        break;
    }
    if (f.right && !f.wrong)
        sql += QStringLiteral(" and %1.sr_flag = '4' and %1.errcode = '0000'").arg(t);
    else if (!f.right && f.wrong)
        sql += QStringLiteral(" and %1.errcode <> '0000' ").arg(t);
    sql += DateClause(t, f.dateFrom, f.dateTo);
    return sql + QStringLiteral(" order by %1.senddate, %1.seqno").arg(t);
}


} // namespace LiquorResultSql
