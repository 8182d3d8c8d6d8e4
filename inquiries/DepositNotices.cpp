#include "inquiries/DepositNotices.h"

#include "core/FixedLine.h"
#include "core/ResultFields.h"
#include "core/TextUtils.h"
#include "core/TotalsTable.h"
#include "core/CellText.h"
#include "platform/ResultSet.h"
#include "platform/SqlText.h"

using qvx::sqlQuote;

namespace {

const char *const DepositColumns =
    "SELECT  deposit.SERVICE, deposit.SEQNO,   deposit.SENDID,  deposit.RECVID,  deposit.FIRMID,  deposit.BANKID,  "
    "deposit.SENDFLAG, deposit.ERRCODE,  deposit.DEPOSIT_SENDDATE,  deposit.ORG_SEQNO, deposit.MOBANKNO,  "
    "deposit.GUBUN,     deposit.INBANKID,  deposit.PRICE,  deposit.SIGN,   deposit.REMAIN, deposit.BRCODE, "
    "deposit.NAME,   deposit.NOTENO, deposit.PARAM1, deposit.PARAM2, deposit.PARAM3, deposit.INCODE, "
    "deposit.INTIME, deposit.INDATE, deposit.DUMMY,  deposit.RECEIVETIME,  deposit.RECEIVEDATE,  "
    "deposit.COMMON_DUMMY, deposit.UP_GUBUNCODE, transdiv.transdivcontents, ";

const char *const DepositJoins =
    "   left join error on  deposit.BANKID = error.BANKID  AND  deposit.ERRCODE = error.ERRCODE  left join "
    "transdiv on  deposit.BANKID = transdiv.BANKID  AND  deposit.GUBUN = transdiv.TRANSDIVCODE  ";

// The kind and account conditions of every variant, on `table`.
QString KindAndAccount(const QString &table, const DepositNoticeFilter &f)
{
    QString sql;
    if (!f.kindCode.isEmpty())
        sql += QStringLiteral(" and ") + table + QStringLiteral(".gubun = ") + sqlQuote(f.kindCode)
               + QStringLiteral(" ");
    if (!f.accountNo.isEmpty())
        sql += QStringLiteral(" and ") + table + QStringLiteral(".mobankno = ") + sqlQuote(f.accountNo)
               + QStringLiteral(" ");
    return sql;
}

// The bank and period conditions and the order of the joined variants.
QString BankPeriodOrder(const QString &table, const DepositNoticeFilter &f)
{
    QString sql;
    if (!f.bankCode.isEmpty())
        sql += QStringLiteral("  and ") + table + QStringLiteral(".bankid      = ") + sqlQuote(f.bankCode);
    sql += QStringLiteral("  and ") + table + QStringLiteral(".deposit_senddate >= ") + sqlQuote(f.dateFrom)
           + QStringLiteral("  and ") + table + QStringLiteral(".deposit_senddate <= ") + sqlQuote(f.dateTo);
    if (!f.bankCode.isEmpty())
        sql += QStringLiteral(" ");
    return sql + QStringLiteral(" order by ") + table + QStringLiteral(".bankid, ") + table
           + QStringLiteral(".deposit_senddate, ") + table + QStringLiteral(".org_seqno, ") + table
           + QStringLiteral(".common_dummy");
}

} // namespace

namespace DepositNoticeSql {

QString byClick(const DepositNoticeFilter &f)
{
    QString sql = QString::fromLatin1(DepositColumns)
                  + QStringLiteral("if(deposit.errcode=error.errcode, error.errcontents, deposit.errcode) as "
                                   "errcontents FROM      deposit")
                  + QString::fromLatin1(DepositJoins) + QStringLiteral("WHERE  transdiv.divflag  = '1'");
    sql += KindAndAccount(QStringLiteral("deposit"), f);
    if (!f.bankCode.isEmpty())
        sql += QStringLiteral("  and deposit.bankid      = ") + sqlQuote(f.bankCode);
    return sql + QStringLiteral(" and deposit.deposit_senddate between ") + sqlQuote(f.dateFrom)
           + QStringLiteral(" and ") + sqlQuote(f.dateTo)
           + QStringLiteral("  order by deposit.bankid, deposit.deposit_senddate, deposit.org_seqno, "
                            "deposit.common_dummy");
}

QString byEnter(const DepositNoticeFilter &f)
{
    return QString::fromLatin1(DepositColumns)
           + QStringLiteral("bank.BANKNAME AS MOBANKNAME,  allbank.bankname as Transbankname,  "
                            "if(deposit.errcode=error.errcode, error.errcontents, deposit.errcode) as errcontents "
                            "FROM      bank,     allbank,  deposit")
           + QString::fromLatin1(DepositJoins)
           + QStringLiteral("WHERE  deposit.bankid = bank.bankid  and deposit.mobankno = bank.mobankno  and "
                            "deposit.INbankid   = allbank.BANKID and  transdiv.divflag  = '1'")
           + KindAndAccount(QStringLiteral("deposit"), f) + BankPeriodOrder(QStringLiteral("deposit"), f);
}

QString virtualAccounts(const DepositNoticeFilter &f)
{
    return QStringLiteral(
               "SELECT  V_deposit.SERVICE, V_deposit.SEQNO,   V_deposit.SENDID,  V_deposit.RECVID,  "
               "V_deposit.FIRMID,  V_deposit.BANKID,  V_deposit.SENDFLAG, V_deposit.ERRCODE,  "
               "V_deposit.deposit_SENDDATE,  V_deposit.ORG_SEQNO, V_deposit.MOBANKNO,  V_deposit.GUBUN,     "
               "V_deposit.INBANKID,  V_deposit.PRICE,  V_deposit.SIGN,   V_deposit.REMAIN, V_deposit.BRCODE, "
               "V_deposit.NAME,   V_deposit.JAGI, V_deposit.GAGAE, V_deposit.V_BANKNO, V_deposit.JUMINNO, "
               "V_deposit.INTIME, V_deposit.ORG_DATE, V_deposit.ORG_NO, V_deposit.DUMMY,  V_deposit.RECEIVETIME,  "
               "V_deposit.RECEIVEDATE,  V_deposit.COMMON_DUMMY, V_deposit.UP_GUBUNCODE, transdiv.transdivcontents, "
               "bank.BANKNAME AS MOBANKNAME,  allbank.bankname as Transbankname,  "
               "if(V_deposit.errcode=error.errcode, error.errcontents, V_deposit.errcode) as errcontents FROM        "
               "bank,       allbank,    V_deposit   left join error on  V_deposit.BANKID = error.BANKID  AND  "
               "V_deposit.ERRCODE = error.ERRCODE left join transdiv on  V_deposit.BANKID = transdiv.BANKID  AND  "
               "V_deposit.GUBUN = transdiv.TRANSDIVCODE  WHERE  V_deposit.bankid = bank.bankid  and "
               "V_deposit.mobankno = bank.mobankno  and V_deposit.INbankid   = allbank.BANKID and  "
               "transdiv.divflag  = '1'")
           + KindAndAccount(QStringLiteral("V_deposit"), f) + BankPeriodOrder(QStringLiteral("V_deposit"), f);
}

} // namespace DepositNoticeSql

static DepositNotice CommonFields(const qvx::ResultSet &rs, int i)
{
    auto optional = [&rs, i](const char *name) {
        const QString n = QString::fromLatin1(name);
        return rs.hasColumn(n) ? rs.value(i, n) : QString();
    };
    using N = DepositNotice;
    DepositNotice n;
    ReadResultFields<N>(n, rs, i,
                        {{"org_seqno", &N::orgSeqNo}, {"receivedate", &N::receiveDate},
                         {"deposit_senddate", &N::depositSendDate}, {"bankid", &N::bankId},
                         {"inbankid", &N::inBankId}, {"mobankno", &N::moBankNo}, {"errcontents", &N::errContents},
                         {"transdivcontents", &N::transDivContents}, {"gubun", &N::gubun}, {"price", &N::price},
                         {"sign", &N::sign}, {"remain", &N::remain}, {"brcode", &N::brCode}, {"name", &N::name},
                         {"intime", &N::inTime}, {"common_dummy", &N::commonDummy}, {"sendid", &N::sendId},
                         {"recvid", &N::recvId}, {"firmid", &N::firmId}, {"sendflag", &N::sendFlag},
                         {"errcode", &N::errCode}});
    n.moBankName = optional("mobankname");
    n.transBankName = optional("transbankname");
    n.name = n.name.trimmed();
    return n;
}

DepositNotice DepositNotice::FromRow(const qvx::ResultSet &rs, int i)
{
    using N = DepositNotice;
    DepositNotice n = CommonFields(rs, i);
    ReadResultFields<N>(n, rs, i, {{"noteno", &N::noteNo}, {"incode", &N::inCode}, {"indate", &N::inDate}});
    return n;
}

DepositNotice DepositNotice::FromVirtualRow(const qvx::ResultSet &rs, int i)
{
    using N = DepositNotice;
    DepositNotice n = CommonFields(rs, i);
    ReadResultFields<N>(n, rs, i,
                        {{"jagi", &N::jagi}, {"gagae", &N::gagae}, {"v_bankno", &N::vBankNo}, {"juminno", &N::juminNo},
                         {"org_date", &N::orgDate}, {"org_no", &N::orgNo}});
    return n;
}

QString DepositNotice::remainText() const
{
    return RemainMoneyText(remain, sign);
}

QString RemainMoneyText(const QString &remain, const QString &sign)
{
    if (remain.isEmpty())
        return QStringLiteral("0");
    bool ok = false;
    qint64 value = remain.trimmed().toLongLong(&ok);
    if (!ok)
        value = 0;
    if (sign.trimmed() == QLatin1String("-"))
        value = -value;
    return CurrToMoneyStr(value);
}

qint64 DepositNotice::amount() const
{
    return SafeStrToCurr(price.trimmed(), 0);
}

QString DepositTotalsCode(const QString &gubun)
{
    static const QList<std::pair<QString, QStringList>> cells = {
        {QStringLiteral("ibgum"), {QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("20"), QStringLiteral("21")}},
        {QStringLiteral("jigub"), {QStringLiteral("30")}},
        {QStringLiteral("bjigub"), {QStringLiteral("31")}},
        {QStringLiteral("bjigubcancel"), {QStringLiteral("32")}},
        {QStringLiteral("amt"), {QStringLiteral("40")}},
        {QStringLiteral("amtdeposit"), {QStringLiteral("41")}},
        {QStringLiteral("amtdaechul"), {QStringLiteral("42")}},
        {QStringLiteral("ibgumcancel"), {QStringLiteral("13"), QStringLiteral("14"), QStringLiteral("51")}},
        {QStringLiteral("jigubcancel"), {QStringLiteral("52")}},
        {QStringLiteral("jigum"), {QStringLiteral("60")}}};
    const QString code = gubun.trimmed();
    for (const auto &[cell, codes] : cells)
        if (codes.contains(code))
            return cell;
    return QString();
}

TotalsTable DepositTotalsTable()
{
    return TotalsTable::inColumns({QStringLiteral("ibgum"), QStringLiteral("jigub"), QStringLiteral("bjigub"),
                            QStringLiteral("bjigubcancel"), QStringLiteral("amt"), QStringLiteral("amtdeposit"),
                            QStringLiteral("amtdaechul"), QStringLiteral("ibgumcancel"), QStringLiteral("jigubcancel"),
                            QStringLiteral("jigum")});
}

QStringList DepositTotalsCaptions()
{
    return {QStringLiteral("입    금"),       QStringLiteral("지    급"),       QStringLiteral("부 도 지 급"),
            QStringLiteral("부도지급(취소)"), QStringLiteral("결 산 이 자"),     QStringLiteral("결산이자(예금)"),
            QStringLiteral("결산이자(대출)"), QStringLiteral("입 금 취 소"),     QStringLiteral("지 급 취 소"),
            QStringLiteral("집금/어음만기입금")};
}

QString ClosingCheckReport(int previousRows, int rows, const QString &lastOrgSeqNo)
{
    if (rows <= 0)
        return QString();
    if (rows == previousRows)
        return lastOrgSeqNo.trimmed() == QLatin1String("000001") ? QStringLiteral("통지전문 1건이 수신되었습니다.")
                                                                  : QStringLiteral("변동된 거래가 없습니다.");
    if (rows > previousRows)
        return QStringLiteral("통지전문 ") + QString::number(rows - previousRows) + QStringLiteral("건이 수신되었습니다!.");
    return QString();
}

static FixedLine &DepositHead(FixedLine &line, const DepositNotice &n, const QString &moBankName,
                              const QString &transBankName)
{
    return line.left(n.orgSeqNo, 4)
        .left(n.depositSendDate, 8)
        .left(moBankName, 14)
        .left(n.moBankNo, 15)
        .left(n.errContents, 40)
        .left(transBankName, 16)
        .left(n.transDivContents, 30)
        .left(QString::number(n.amount()), 13)
        .left(n.remainText(), 13)
        .left(n.brCode, 20)
        .left(n.name, 16);
}

QString DepositSaveLine(const DepositNotice &n, const QString &moBankName, const QString &transBankName)
{
    FixedLine line;
    DepositHead(line, n, moBankName, transBankName)
        .left(n.noteNo, 16)
        .left(n.inCode, 16)
        .left(n.inDate, 8)
        .left(n.inTime, 6)
        .left(n.commonDummy, 30);
    return line.text();
}

QString VirtualDepositSaveLine(const DepositNotice &n)
{
    FixedLine line;
    DepositHead(line, n, n.moBankName, n.transBankName)
        .left(n.jagi, 13)
        .left(n.gagae, 16)
        .left(DelChar(n.vBankNo, u'-'), 15)
        .left(DelChar(n.juminNo, u'-'), 13)
        .left(n.inTime, 6)
        .left(n.orgDate, 8)
        .left(n.orgNo, 6);
    return line.text();
}
