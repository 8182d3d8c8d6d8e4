#include "backend/BankSimulator.h"

#include "backend/BankRules.h"
#include "platform/SqlText.h"

#include <QStringList>

#include <algorithm>
#include <iterator>
#include <utility>

namespace qvx {

using namespace bank;

namespace {

// A column of a row, "" when the result has no such column.
QString val(const ResultSet &rs, int r, const QString &name)
{
    return rs.hasColumn(name) ? rs.value(r, name) : QString();
}

bool isTransferTable(const QString &t)
{
    return t == QLatin1String("giche") || t == QLatin1String("cmsjiche102") || t == QLatin1String("cmsjiche103");
}

// Runs fn inside a transaction of db: committed when it returns, rolled back
// when it throws.
template <typename Fn>
void inTransaction(DbConnection &db, Fn fn)
{
    db.begin();
    try {
        fn();
        db.commit();
    } catch (...) {
        try {
            db.rollback();
        } catch (...) {
        }
        throw;
    }
}

// The words of a text separated by single blanks.
QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '));
}

// What the bank's made-up rows pick from.
struct Choices
{
    QStringList depositKinds = words("11 12 20 21 30 40 52 60");
    QStringList draftKinds = words("20 21 29 30 39 55");
    QStringList partnerNames = words("홍길동 대한유통 서울주류 김철수 부산상회 (주)미래상사 이영희 동해물산");
    QStringList partnerBanks = words("03 04 11 20 81 88");
};

const Choices &choices()
{
    static const Choices c;
    return c;
}

QString pick(const QStringList &list, quint32 h)
{
    return list.at(int(h % quint32(list.size())));
}

} // namespace

BankSimulator::BankSimulator(DbConnection &db, Clock now, BatchRegistry *registry)
    : m_db(db), m_now(std::move(now)), m_registry(registry)
{
    m_at = m_now();
}

void BankSimulator::ensureTables(DbConnection &db)
{
    // kind: D deposit, V virtual account, B stored bill, E failed transfer.
    db.createTableIfMissing(QStringLiteral("bank_notice_no"),
                            QStringLiteral("CREATE TABLE bank_notice_no (kind varchar(2) NOT NULL, bankid varchar(2) "
                                           "NOT NULL, firmid varchar(20) NOT NULL, senddate varchar(8) NOT NULL, "
                                           "lastno int, PRIMARY KEY (kind, bankid, firmid, senddate))"));
}

QString BankSimulator::today() const
{
    return m_at.date().toString(QStringLiteral("yyyyMMdd"));
}

QString BankSimulator::nowTime() const
{
    return m_at.time().toString(QStringLiteral("HHmmss"));
}

QString BankSimulator::assignments(const Assignments &values)
{
    QStringList parts;
    for (const auto &[column, value] : values)
        parts << column + QStringLiteral(" = ") + sqlQuote(value);
    return parts.join(QStringLiteral(", "));
}

void BankSimulator::insertRow(const QString &table, const Assignments &values)
{
    QStringList columns, texts;
    for (const auto &[column, value] : values) {
        columns << column;
        texts << (column.compare(QLatin1String("SEQNO"), Qt::CaseInsensitive) == 0 ? sqlInt(value) : sqlQuote(value));
    }
    m_db.exec(QStringLiteral("insert into %1 (%2) values (%3)")
                  .arg(table, columns.join(QStringLiteral(", ")), texts.join(QStringLiteral(", "))));
}

QString BankSimulator::batchCondition(const SendBatch &batch) const
{
    if (batch.table.compare(QLatin1String("giche"), Qt::CaseInsensitive) == 0 && batch.firstNo == 0 &&
        batch.lastNo == 0)
        return QStringLiteral("CFMID = %1 and SENDTIME = %2 and SENDDATE = %3")
            .arg(sqlQuote(batch.userId), sqlQuote(batch.time), sqlQuote(batch.date.isEmpty() ? today() : batch.date));
    return QStringLiteral("SEQNO between %1 and %2").arg(batch.firstNo).arg(batch.lastNo);
}

BankSimulator::Reply BankSimulator::answer(const SendBatch &batch)
{
    m_at = m_now();
    const QString table = batch.table;
    const QString lower = table.toLower();
    const QString cond = batchCondition(batch);

    inTransaction(m_db, [&] {
        m_db.exec(QStringLiteral("update %1 set SR_FLAG = '2' where %2 and SR_FLAG = '1'").arg(table, cond));
    });

    Reply reply;
    reply.userId = batch.userId;
    reply.code = replyCode(batch.serviceCode);
    inTransaction(m_db, [&] {
        const ResultSet rs = m_db.query(QStringLiteral("select * from %1 where %2 and SR_FLAG = '2'").arg(table, cond));
        for (int r = 0; r < rs.recordCount(); ++r) {
            Assignments a = answerRow(lower, rs, r);
            a << qMakePair(QStringLiteral("SR_FLAG"), QStringLiteral("4"));
            m_db.exec(QStringLiteral("update %1 set %2 where %3 and SEQNO = %4 and SR_FLAG = '2'")
                          .arg(table, assignments(a), cond, sqlInt(rs.value(r, QStringLiteral("SEQNO")).trimmed())));
            ++reply.rows;
            const QString maker = val(rs, r, QStringLiteral("USERID")).trimmed();
            if (isTransferTable(lower) && !maker.isEmpty() && maker != batch.userId && !reply.makers.contains(maker))
                reply.makers << maker;
        }
    });
    return reply;
}

BankSimulator::Assignments BankSimulator::answerRow(const QString &table, const ResultSet &rs, int r)
{
    // The tables whose answer needs no more than the row.
    using RowAnswer = Assignments (BankSimulator::*)(const ResultSet &, int);
    static const std::pair<const char *, RowAnswer> rowAnswers[] = {
        {"amt_search", &BankSimulator::balanceAnswer}, {"ta_name_search", &BankSimulator::nameAnswer},
        {"tcount_search", &BankSimulator::countAnswer}, {"trsum", &BankSimulator::summaryAnswer},
        {"vas_trsum", &BankSimulator::vasSummaryAnswer}, {"sms_trans", &BankSimulator::smsAnswer}};
    const auto rowAnswer = std::find_if(std::begin(rowAnswers), std::end(rowAnswers),
                                        [&table](const auto &e) { return table == QLatin1String(e.first); });
    Assignments a;
    if (isTransferTable(table))
        a = transferAnswer(table, rs, r);
    else if (table == QLatin1String("icheresult") || table == QLatin1String("icheresult_102") ||
             table == QLatin1String("icheresult_103"))
        a = resultInquiryAnswer(table, rs, r);
    else if (rowAnswer != std::end(rowAnswers))
        a = (this->*rowAnswer->second)(rs, r);
    else if (table == QLatin1String("deposit_order") || table == QLatin1String("v_deposit_order") ||
             table == QLatin1String("draft_order") || table == QLatin1String("ta_iche_order"))
        a = gapAnswer(table, rs, r);
    else
        a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeOther));
    a << qMakePair(QStringLiteral("RECEIVEDATE"), today()) << qMakePair(QStringLiteral("RECEIVETIME"), nowTime());
    return a;
}

// ---- transfers ----

BankSimulator::Assignments BankSimulator::transferAnswer(const QString &table, const ResultSet &rs, int r)
{
    // In every transfer table BankNo is the counterpart's account (the
    // collection table names the mother account MoBankNo, like the others).
    const QString bankId = val(rs, r, QStringLiteral("BANKID"));
    const QString transBankId = val(rs, r, QStringLiteral("TRANS_BANKID"));
    const QString price = val(rs, r, QStringLiteral("PRICE"));
    const TransferResult result = transferResult(bankId, transBankId, val(rs, r, QStringLiteral("BANKNO")), price);
    const qint64 seqNo = val(rs, r, QStringLiteral("SEQNO")).toLongLong();

    Assignments a;
    a << qMakePair(QStringLiteral("ERRCODE"), result.errCode)
      << qMakePair(QStringLiteral("FEE"), QString::number(result.fee))
      << qMakePair(QStringLiteral("TAPROCNO"),
                   result.ok() ? otherBankProcNo(bankId, transBankId, m_at.date(), seqNo) : QString());
    const bool otherBank = bankId.trimmed() != transBankId.trimmed();
    const bool unprocessedOtherBank = !result.ok() && otherBank;
    if (table == QLatin1String("giche")) {
        // The request carries the payee's real-name number in TAERRFEE and
        // TAERRPRICE; the answer always replaces them with its own figures.
        const QString amount = unprocessedOtherBank ? QString::number(amountOf(price)) : QStringLiteral("0");
        a << qMakePair(QStringLiteral("TAERRFEE"), QStringLiteral("0")) << qMakePair(QStringLiteral("TAERRPRICE"), amount)
          << qMakePair(QStringLiteral("TAERRMONEY"), amount);
    }
    if (unprocessedOtherBank && val(rs, r, QStringLiteral("GUBUN")).trimmed() == QLatin1String("30"))
        postFailureNotice(rs, r, result.errCode);
    return a;
}

void BankSimulator::postFailureNotice(const ResultSet &rs, int r, const QString &errCode)
{
    Account acc;
    if (!accountOf(val(rs, r, QStringLiteral("BANKID")), &acc))
        return;
    const int number = nextNoticeNumber(QStringLiteral("E"), acc, today());
    Assignments n = failureNotice(acc, today(), number);
    // The notice describes this transfer.
    for (auto &[column, value] : n) {
        if (column == QLatin1String("ORG_SEQNO"))
            value = val(rs, r, QStringLiteral("SEQNO"));
        else if (column == QLatin1String("MOBANKNO"))
            value = val(rs, r, QStringLiteral("MOBANKNO"));
        else if (column == QLatin1String("TRANS_BANKID") || column == QLatin1String("BANKNO") ||
                 column == QLatin1String("GUBUN") || column == QLatin1String("PRICE") ||
                 column == QLatin1String("NAME") || column == QLatin1String("CMSCODE"))
            value = val(rs, r, column);
        else if (column == QLatin1String("ERRCODE") || column == QLatin1String("PROCRESULT"))
            value = errCode;
    }
    insertRow(QStringLiteral("ta_iche_err"), n);
}

// ---- result inquiries: answered from the transfers ----

BankSimulator::Assignments BankSimulator::resultInquiryAnswer(const QString &table, const ResultSet &rs, int r)
{
    const QString origin = table == QLatin1String("icheresult")       ? QStringLiteral("giche")
                           : table == QLatin1String("icheresult_102") ? QStringLiteral("cmsjiche102")
                                                                       : QStringLiteral("cmsjiche103");
    const QString date = val(rs, r, QStringLiteral("ICHE_SENDDATE")).trimmed();
    const QString number = val(rs, r, QStringLiteral("ORG_SEQNO")).trimmed();
    Assignments a;
    ResultSet t;
    if (isInteger(number))
        t = m_db.query(QStringLiteral("select * from %1 where SENDDATE = %2 and SEQNO = %3")
                           .arg(origin, sqlQuote(date), sqlInt(number)));
    // Numbers repeat (a drop file brings its own): the inquiry concerns the
    // first row of that date and number that reached the bank. A row waiting
    // to be sent reached it only when its batch was registered; otherwise its
    // sender was told the send failed.
    int found = -1;
    QString state;
    for (int i = 0; i < t.recordCount() && found < 0; ++i) {
        state = t.value(i, QStringLiteral("SR_FLAG")).trimmed();
        if (state == QLatin1String("2") || state == QLatin1String("4")
            || (state == QLatin1String("1") && m_registry
                && m_registry->isRegistered(BatchRegistry::waitingRow(origin, t, i))))
            found = i;
    }
    if (found < 0) {
        // Not found, not yet approved, never registered, or a send error: the bank has no such transfer.
        a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeNoOriginal))
          << qMakePair(QStringLiteral("PROCRESULT"), QString::fromLatin1(CodeNoOriginal));
        return a;
    }
    // That row alone, never another of the same number.
    const QString row = QStringLiteral("SENDDATE = %1 and SEQNO = %2 and %3")
                            .arg(sqlQuote(date), sqlInt(number),
                                 BatchRegistry::identityCondition(origin, BatchRegistry::waitingRow(origin, t, found).identity));
    if (state != QLatin1String("4")) {
        // Still on its way: the inquiry finds the bank processing it now.
        Assignments answered = transferAnswer(origin, t, found);
        answered << qMakePair(QStringLiteral("RECEIVEDATE"), today())
                 << qMakePair(QStringLiteral("RECEIVETIME"), nowTime())
                 << qMakePair(QStringLiteral("SR_FLAG"), QStringLiteral("4"));
        m_db.exec(QStringLiteral("update %1 set %2 where %3 and SR_FLAG in ('1', '2')")
                      .arg(origin, assignments(answered), row));
    }
    t = m_db.query(QStringLiteral("select * from %1 where %2").arg(origin, row));
    const QString code = t.value(0, QStringLiteral("ERRCODE"));
    a << qMakePair(QStringLiteral("ERRCODE"), code) << qMakePair(QStringLiteral("PROCRESULT"), code);
    for (const char *c : {"MOBANKNO", "TRANS_BANKID", "BANKNO", "PRICE", "FEE", "CMSCODE", "NAME", "TAPROCNO"})
        a << qMakePair(QString::fromLatin1(c), val(t, 0, QString::fromLatin1(c)));
    a << qMakePair(QStringLiteral("PROCTIME"), val(t, 0, QStringLiteral("RECEIVETIME")))
      << qMakePair(QStringLiteral("SUBSEQ"), QStringLiteral("1"));
    if (table == QLatin1String("icheresult"))
        a << qMakePair(QStringLiteral("GUBUN"), val(t, 0, QStringLiteral("GUBUN")));
    else
        for (const char *c : {"JUMINNO", "JUFLAG", "JUMONEY", "NONJUMONEY"})
            a << qMakePair(QString::fromLatin1(c), val(t, 0, QString::fromLatin1(c)));
    return a;
}

// ---- balances ----

BankSimulator::Assignments BankSimulator::balanceAnswer(const ResultSet &rs, int r)
{
    const QString bankId = val(rs, r, QStringLiteral("BANKID")).trimmed();
    const QString account = digitsOnly(val(rs, r, QStringLiteral("BANKNO")));
    Assignments a;
    const ResultSet known = m_db.query(QStringLiteral("select MOBANKNO from bank where BANKID = %1 and MOBANKNO = %2")
                                           .arg(sqlQuote(bankId), sqlQuote(account)));
    if (known.isEmpty()) {
        a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeBadAccount));
        return a;
    }
    // The day's answered transfers of the account move its balance.
    qint64 balance = openingBalance(bankId, account);
    struct Source
    {
        const char *table;
        const char *kindFilter; // "" = by GUBUN
    };
    for (const Source &s : {Source{"giche", ""}, Source{"cmsjiche102", "20"}, Source{"cmsjiche103", "30"}}) {
        const ResultSet moves = m_db.query(
            QStringLiteral("select GUBUN, PRICE, FEE from %1 where SENDDATE = %2 and BANKID = %3 and MOBANKNO = %4 "
                           "and SR_FLAG = '4' and ERRCODE = '0000'")
                .arg(QLatin1String(s.table), sqlQuote(today()), sqlQuote(bankId), sqlQuote(account)));
        for (int i = 0; i < moves.recordCount(); ++i) {
            const QString kind = *s.kindFilter ? QString::fromLatin1(s.kindFilter) : moves.value(i, QStringLiteral("GUBUN")).trimmed();
            const qint64 price = amountOf(moves.value(i, QStringLiteral("PRICE")));
            const qint64 fee = amountOf(moves.value(i, QStringLiteral("FEE")));
            balance += kind == QLatin1String("20") ? price : -price;
            balance -= fee;
        }
    }
    const qint64 able = qMax<qint64>(0, balance - BalanceHold);
    a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeOk))
      << qMakePair(QStringLiteral("SIGN"), balance < 0 ? QStringLiteral("-") : QStringLiteral("+"))
      << qMakePair(QStringLiteral("JANWON"), amount13(balance)) << qMakePair(QStringLiteral("ABLEWON"), amount13(able))
      << qMakePair(QStringLiteral("COMMON_DUMMY"), QStringLiteral("기업자유예금"));
    return a;
}

// ---- account-holder names ----

BankSimulator::Assignments BankSimulator::nameAnswer(const ResultSet &rs, int r)
{
    const QString transBankId = val(rs, r, QStringLiteral("TRANS_BANKID")).trimmed();
    const QString account = digitsOnly(val(rs, r, QStringLiteral("BANKNO")));
    const QString idNo = digitsOnly(val(rs, r, QStringLiteral("RRNOCHECK")));
    Assignments a;
    QString code = QString::fromLatin1(CodeOk);
    QString name;
    if (account.size() < 6)
        code = QString::fromLatin1(CodeBadAccount);
    else if (account.startsWith(QLatin1String("999")))
        code = QString::fromLatin1(CodeClosed);
    else {
        const ResultSet payee = m_db.query(QStringLiteral("select name, residentno from daesang where bankid = %1 and "
                                                          "bankno = %2")
                                               .arg(sqlQuote(transBankId), sqlQuote(account)));
        if (payee.isEmpty()) {
            name = holderName(transBankId, account);
        } else {
            name = payee.value(0, QStringLiteral("name")).trimmed();
            const QString registered = digitsOnly(payee.value(0, QStringLiteral("residentno")));
            if (!idNo.isEmpty() && !registered.isEmpty() && !registered.startsWith(idNo))
                code = QString::fromLatin1(CodeHolderMismatch);
        }
    }
    a << qMakePair(QStringLiteral("ERRCODE"), code) << qMakePair(QStringLiteral("NAME"), name)
      << qMakePair(QStringLiteral("FEE"), QStringLiteral("0"));
    return a;
}

// ---- notice counts ----

BankSimulator::Assignments BankSimulator::countAnswer(const ResultSet &rs, int r)
{
    const QString bankId = val(rs, r, QStringLiteral("BANKID")).trimmed();
    const QString firmId = val(rs, r, QStringLiteral("FIRMID")).trimmed();
    QString date = val(rs, r, QStringLiteral("SEARCHDATE")).trimmed();
    if (date.isEmpty())
        date = today();
    Assignments a;
    a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeOk))
      << qMakePair(QStringLiteral("SEARCHDATE"), date)
      << qMakePair(QStringLiteral("DEPOSITCNT"), QString::number(issuedNotices(QStringLiteral("D"), bankId, firmId, date)))
      << qMakePair(QStringLiteral("BGDATACNT"), QString::number(issuedNotices(QStringLiteral("B"), bankId, firmId, date)))
      << qMakePair(QStringLiteral("TAERRCNT"), QString::number(issuedNotices(QStringLiteral("E"), bankId, firmId, date)));
    return a;
}

// ---- summaries ----

BankSimulator::Assignments BankSimulator::summaryAnswer(const ResultSet &rs, int r)
{
    const QString bankId = val(rs, r, QStringLiteral("BANKID")).trimmed();
    const QString account = digitsOnly(val(rs, r, QStringLiteral("MOBANKNO")));
    QString date = val(rs, r, QStringLiteral("SENDDATE")).trimmed();
    Assignments a;
    if (m_db.query(QStringLiteral("select MOBANKNO from bank where BANKID = %1 and MOBANKNO = %2")
                       .arg(sqlQuote(bankId), sqlQuote(account)))
            .isEmpty()) {
        a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeBadAccount));
        return a;
    }
    struct Tally
    {
        qint64 count = 0, sum = 0;
        void add(qint64 v) { ++count, sum += v; }
    } total, inOk, inErr, taOk, taErr, suOk, suErr;
    qint64 fee = 0;
    for (const char *t : {"giche", "cmsjiche102", "cmsjiche103"}) {
        const ResultSet rows = m_db.query(
            QStringLiteral("select GUBUN, PRICE, FEE, ERRCODE, TRANS_BANKID from %1 where SENDDATE = %2 and "
                           "BANKID = %3 and MOBANKNO = %4 and SR_FLAG = '4'")
                .arg(QLatin1String(t), sqlQuote(date), sqlQuote(bankId), sqlQuote(account)));
        for (int i = 0; i < rows.recordCount(); ++i) {
            const qint64 price = amountOf(rows.value(i, QStringLiteral("PRICE")));
            const bool ok = rows.value(i, QStringLiteral("ERRCODE")).trimmed() == QLatin1String(CodeOk);
            const bool collection = rows.value(i, QStringLiteral("GUBUN")).trimmed() == QLatin1String("20");
            const bool sameBank = rows.value(i, QStringLiteral("TRANS_BANKID")).trimmed() == bankId;
            total.add(price);
            fee += amountOf(rows.value(i, QStringLiteral("FEE")));
            if (collection)
                (ok ? suOk : suErr).add(price);
            else if (sameBank)
                (ok ? inOk : inErr).add(price);
            else
                (ok ? taOk : taErr).add(price);
        }
    }
    auto put = [&a](const char *cnt, const char *gum, const Tally &t) {
        a << qMakePair(QString::fromLatin1(cnt), QString::number(t.count))
          << qMakePair(QString::fromLatin1(gum), QString::number(t.sum));
    };
    a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeOk));
    put("TOTALCNT", "TOTALGUM", total);
    put("INOKCNT", "INOKGUM", inOk);
    put("INERRCNT", "INERRGUM", inErr);
    put("TAOKCNT", "TAOKGUM", taOk);
    put("TAERRCNT", "TAERRGUM", taErr);
    put("INSUCNT", "INSUGUM", suOk);
    put("INSUERRCNT", "INSUERRGUM", suErr);
    a << qMakePair(QStringLiteral("FEE"), QString::number(fee));
    return a;
}

BankSimulator::Assignments BankSimulator::vasSummaryAnswer(const ResultSet &rs, int r)
{
    const QString bankId = val(rs, r, QStringLiteral("BANKID")).trimmed();
    QString date = val(rs, r, QStringLiteral("TRANSDATE")).trimmed();
    if (date.isEmpty())
        date = today();
    qint64 inCnt = 0, inSum = 0, inCnl = 0, inCnlSum = 0, outCnt = 0, outSum = 0, outCnl = 0, outCnlSum = 0;
    const ResultSet notices = m_db.query(QStringLiteral("select GUBUN, PRICE from V_deposit where BANKID = %1 and "
                                                        "DEPOSIT_SENDDATE = %2")
                                             .arg(sqlQuote(bankId), sqlQuote(date)));
    for (int i = 0; i < notices.recordCount(); ++i) {
        const QString kind = notices.value(i, QStringLiteral("GUBUN")).trimmed();
        const qint64 price = amountOf(notices.value(i, QStringLiteral("PRICE")));
        if (kind == QLatin1String("30"))
            ++outCnt, outSum += price;
        else if (kind == QLatin1String("52"))
            ++outCnl, outCnlSum += price;
        else if (kind == QLatin1String("13") || kind == QLatin1String("14") || kind == QLatin1String("51"))
            ++inCnl, inCnlSum += price;
        else
            ++inCnt, inSum += price;
    }
    Assignments a;
    a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeOk))
      << qMakePair(QStringLiteral("IBGUM_TOT_GUN"), QString::number(inCnt))
      << qMakePair(QStringLiteral("IBGUM_TOT_MONEY"), QString::number(inSum))
      << qMakePair(QStringLiteral("IBGUM_CNL_GUN"), QString::number(inCnl))
      << qMakePair(QStringLiteral("IBGUM_CNL_MONEY"), QString::number(inCnlSum))
      << qMakePair(QStringLiteral("CHUL_TOT_GUN"), QString::number(outCnt))
      << qMakePair(QStringLiteral("CHUL_TOT_MONEY"), QString::number(outSum))
      << qMakePair(QStringLiteral("CHUL_CNL_GUN"), QString::number(outCnl))
      << qMakePair(QStringLiteral("CHUL_CNL_MONEY"), QString::number(outCnlSum))
      << qMakePair(QStringLiteral("FEE_GUN"), QString::number(inCnt))
      << qMakePair(QStringLiteral("FEE_MONEY"), QString::number(inCnt * 300));
    return a;
}

// ---- SMS ----

BankSimulator::Assignments BankSimulator::smsAnswer(const ResultSet &rs, int r)
{
    const int digits = int(digitsOnly(val(rs, r, QStringLiteral("RECVTELNO"))).size());
    Assignments a;
    a << qMakePair(QStringLiteral("ERRCODE"),
                   QString::fromLatin1(digits >= 10 && digits <= 12 ? CodeOk : CodeBadAccount));
    return a;
}

// ---- notices and gap requests ----

QString BankSimulator::networkId()
{
    return m_db.query(QStringLiteral("select nevarid from CONFIG")).value(0, QStringLiteral("nevarid")).trimmed();
}

QList<BankSimulator::Account> BankSimulator::accounts(const QString &where)
{
    const ResultSet rs = m_db.query(QStringLiteral("select BANKID, MOBANKNO, BANKNAME, FIRMID, SENDNAME, RECVID, "
                                                   "TR_GUBUNCODE from bank %1 order by BANKID, MOBANKNO")
                                        .arg(where));
    QList<Account> list;
    for (int r = 0; r < rs.recordCount(); ++r)
        list << Account{rs.value(r, QStringLiteral("BANKID")).trimmed(), rs.value(r, QStringLiteral("MOBANKNO")).trimmed(),
                        rs.value(r, QStringLiteral("BANKNAME")).trimmed(), rs.value(r, QStringLiteral("FIRMID")).trimmed(),
                        rs.value(r, QStringLiteral("SENDNAME")).trimmed(), rs.value(r, QStringLiteral("RECVID")).trimmed()};
    return list;
}

bool BankSimulator::accountOf(const QString &bankId, Account *account)
{
    const QList<Account> list = accounts(QStringLiteral("where BANKID = ") + sqlQuote(bankId.trimmed()));
    if (list.isEmpty())
        return false;
    *account = list.first();
    return true;
}

int BankSimulator::issuedNotices(const QString &kind, const QString &bankId, const QString &firmId, const QString &date)
{
    const ResultSet rs = m_db.query(QStringLiteral("select lastno from bank_notice_no where kind = %1 and bankid = %2 "
                                                   "and firmid = %3 and senddate = %4")
                                        .arg(sqlQuote(kind), sqlQuote(bankId), sqlQuote(firmId), sqlQuote(date)));
    return rs.isEmpty() ? 0 : rs.valueInt(0, QStringLiteral("lastno"));
}

int BankSimulator::nextNoticeNumber(const QString &kind, const Account &a, const QString &date)
{
    const int last = issuedNotices(kind, a.bankId, a.firmId, date);
    if (last == 0)
        m_db.exec(QStringLiteral("insert into bank_notice_no (kind, bankid, firmid, senddate, lastno) values (%1, %2, "
                                 "%3, %4, 1)")
                      .arg(sqlQuote(kind), sqlQuote(a.bankId), sqlQuote(a.firmId), sqlQuote(date)));
    else
        m_db.exec(QStringLiteral("update bank_notice_no set lastno = %1 where kind = %2 and bankid = %3 and firmid = "
                                 "%4 and senddate = %5")
                      .arg(QString::number(last + 1), sqlQuote(kind), sqlQuote(a.bankId), sqlQuote(a.firmId),
                           sqlQuote(date)));
    return last + 1;
}

BankSimulator::Assignments BankSimulator::noticeHeader(const Account &a, int number)
{
    Assignments n;
    n << qMakePair(QStringLiteral("SENDDATE"), today()) << qMakePair(QStringLiteral("SENDTIME"), nowTime())
      << qMakePair(QStringLiteral("SERVICE"), QStringLiteral("DY2")) << qMakePair(QStringLiteral("SEQNO"), QString::number(number))
      << qMakePair(QStringLiteral("SENDID"), a.recvId) << qMakePair(QStringLiteral("RECVID"), networkId())
      << qMakePair(QStringLiteral("FIRMID"), a.firmId) << qMakePair(QStringLiteral("BANKID"), a.bankId)
      << qMakePair(QStringLiteral("USERID"), QString()) << qMakePair(QStringLiteral("SENDFLAG"), QStringLiteral("1"));
    return n;
}

BankSimulator::Assignments BankSimulator::noticeTrailer(const QString &upGubunCode) const
{
    Assignments n;
    n << qMakePair(QStringLiteral("RECEIVEDATE"), today()) << qMakePair(QStringLiteral("RECEIVETIME"), nowTime())
      << qMakePair(QStringLiteral("COMMON_DUMMY"), QString()) << qMakePair(QStringLiteral("UP_GUBUNCODE"), upGubunCode)
      << qMakePair(QStringLiteral("SR_FLAG"), QStringLiteral("4"));
    return n;
}

BankSimulator::Assignments BankSimulator::depositNotice(const Account &a, const QString &date, int number,
                                                        bool virtualAccount)
{
    const quint32 h = stableHash(QStringLiteral("%1|%2|%3|%4|%5")
                                     .arg(virtualAccount ? QStringLiteral("V") : QStringLiteral("D"), a.bankId,
                                          a.firmId, date)
                                     .arg(number));
    const QString kind = virtualAccount ? (h % 5 == 0 ? QStringLiteral("30") : QStringLiteral("11"))
                                        : pick(choices().depositKinds, h);
    const qint64 price = qint64((h >> 4) % 500 + 1) * 10000;
    const int minutes = 9 * 60 + number * 7 % (9 * 60);
    const QString inTime = QStringLiteral("%1%2%3")
                               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                               .arg(minutes % 60, 2, 10, QLatin1Char('0'))
                               .arg(int(h % 60), 2, 10, QLatin1Char('0'));
    Assignments n = noticeHeader(a, number);
    n << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeOk))
      << qMakePair(QStringLiteral("DEPOSIT_SENDDATE"), date) << qMakePair(QStringLiteral("ORG_SEQNO"), zeroPad(number, 6))
      << qMakePair(QStringLiteral("MOBANKNO"), a.moBankNo) << qMakePair(QStringLiteral("GUBUN"), kind)
      << qMakePair(QStringLiteral("INBANKID"), pick(choices().partnerBanks, h >> 12))
      << qMakePair(QStringLiteral("PRICE"), amount13(price)) << qMakePair(QStringLiteral("SIGN"), QStringLiteral("+"))
      << qMakePair(QStringLiteral("REMAIN"), amount13(openingBalance(a.bankId, a.moBankNo) + price))
      << qMakePair(QStringLiteral("BRCODE"), zeroPad(h % 900 + 100, 4))
      << qMakePair(QStringLiteral("NAME"), pick(choices().partnerNames, h >> 8)) << qMakePair(QStringLiteral("INTIME"), inTime)
      << qMakePair(QStringLiteral("DUMMY"), QString());
    n << noticeTrailer(virtualAccount ? QStringLiteral("0200900") : QStringLiteral("0200300"));
    if (virtualAccount) {
        n << qMakePair(QStringLiteral("JAGI"), QString()) << qMakePair(QStringLiteral("GAGAE"), QString())
          << qMakePair(QStringLiteral("V_BANKNO"), QStringLiteral("56090") + zeroPad(h % 1000000000, 9))
          << qMakePair(QStringLiteral("JUMINNO"), zeroPad((h >> 3) % 1000000, 6) + QStringLiteral("1000000"))
          << qMakePair(QStringLiteral("ORG_DATE"), QString()) << qMakePair(QStringLiteral("ORG_NO"), QString());
    } else {
        n << qMakePair(QStringLiteral("NOTENO"), kind == QLatin1String("60") ? QStringLiteral("AB") + zeroPad(h % 100000000, 8) : QString())
          << qMakePair(QStringLiteral("PARAM1"), QString()) << qMakePair(QStringLiteral("PARAM2"), QString())
          << qMakePair(QStringLiteral("PARAM3"), QString()) << qMakePair(QStringLiteral("INCODE"), kind + QStringLiteral("01"))
          << qMakePair(QStringLiteral("INDATE"), date);
    }
    return n;
}

BankSimulator::Assignments BankSimulator::draftNotice(const Account &a, const QString &date, int number)
{
    const quint32 h = stableHash(QStringLiteral("B|%1|%2|%3|%4").arg(a.bankId, a.firmId, date).arg(number));
    const QDate d = QDate::fromString(date, QStringLiteral("yyyyMMdd"));
    const QString due = (d.isValid() ? d : m_at.date()).addDays(30 + int(h % 60)).toString(QStringLiteral("yyyyMMdd"));
    const bool ours = (h >> 7) % 2 == 0;
    Assignments n = noticeHeader(a, number);
    n << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeOk))
      << qMakePair(QStringLiteral("DRAFT_SENDDATE"), date) << qMakePair(QStringLiteral("ORG_SEQNO"), zeroPad(number, 6))
      << qMakePair(QStringLiteral("GUBUN"), pick(choices().draftKinds, h)) << qMakePair(QStringLiteral("BANKNO"), a.moBankNo)
      << qMakePair(QStringLiteral("IBGUMCODE"), zeroPad(h % 100000, 5))
      << qMakePair(QStringLiteral("DRAFTNO"), QStringLiteral("AA") + zeroPad((h >> 5) % 100000000, 8))
      << qMakePair(QStringLiteral("DRAFTKIND"), QString::number((h >> 9) % 4 + 1))
      << qMakePair(QStringLiteral("DRAFTMONEY"), amount13(qint64((h >> 11) % 900 + 100) * 10000))
      << qMakePair(QStringLiteral("PUB_NAME"), pick(choices().partnerNames, h >> 13)) << qMakePair(QStringLiteral("DEP_NAME"), a.sendName)
      << qMakePair(QStringLiteral("SUTAK_DATE"), date) << qMakePair(QStringLiteral("MANKI_DATE"), due)
      << qMakePair(QStringLiteral("PAY_BANKNAME"), ours ? a.bankName : QStringLiteral("국민은행"))
      << qMakePair(QStringLiteral("PAY_DEPARTNAME"), ours ? QStringLiteral("본점영업부") : QStringLiteral("역삼동지점"))
      << qMakePair(QStringLiteral("DANGTA_GUBUN"), ours ? QStringLiteral("1") : QStringLiteral("2"))
      << qMakePair(QStringLiteral("GYULJE_BANKNO"), a.moBankNo) << qMakePair(QStringLiteral("TRANS_DEPART"), QStringLiteral("본점"))
      << qMakePair(QStringLiteral("SELECTAREA1"), QString()) << qMakePair(QStringLiteral("SELECTAREA2"), QString())
      << qMakePair(QStringLiteral("DUMMY"), QString());
    n << noticeTrailer(QStringLiteral("0200650"));
    return n;
}

BankSimulator::Assignments BankSimulator::failureNotice(const Account &a, const QString &date, int number)
{
    const quint32 h = stableHash(QStringLiteral("E|%1|%2|%3|%4").arg(a.bankId, a.firmId, date).arg(number));
    Assignments n = noticeHeader(a, number);
    n << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeClosed))
      << qMakePair(QStringLiteral("ERR_SENDDATE"), date) << qMakePair(QStringLiteral("ORG_SEQNO"), QString())
      << qMakePair(QStringLiteral("BANK_SEQNO"), zeroPad(number, 6)) << qMakePair(QStringLiteral("MOBANKNO"), a.moBankNo)
      << qMakePair(QStringLiteral("TRANS_BANKID"), pick(choices().partnerBanks, h))
      << qMakePair(QStringLiteral("BANKNO"), QStringLiteral("999") + zeroPad(h % 1000000000, 9))
      << qMakePair(QStringLiteral("GUBUN"), QStringLiteral("30"))
      << qMakePair(QStringLiteral("PRICE"), amount13(qint64((h >> 6) % 300 + 1) * 10000))
      << qMakePair(QStringLiteral("PROCTIME"), nowTime()) << qMakePair(QStringLiteral("FEE"), QStringLiteral("0"))
      << qMakePair(QStringLiteral("CMSCODE"), QString()) << qMakePair(QStringLiteral("NAME"), pick(choices().partnerNames, h >> 10))
      << qMakePair(QStringLiteral("SUBSEQ"), QStringLiteral("1")) << qMakePair(QStringLiteral("PROCRESULT"), QString::fromLatin1(CodeClosed))
      << qMakePair(QStringLiteral("TAPROCNO"), QString()) << qMakePair(QStringLiteral("DUMMY"), QString());
    n << noticeTrailer(QStringLiteral("0400640"));
    return n;
}

bool BankSimulator::noticeStored(const QString &table, const QString &dateColumn, const QString &numberColumn,
                                 const Account &a, const QString &date, int number)
{
    const ResultSet rs = m_db.query(QStringLiteral("select %1 from %2 where BANKID = %3 and FIRMID = %4 and %5 = %6")
                                        .arg(numberColumn, table, sqlQuote(a.bankId), sqlQuote(a.firmId), dateColumn,
                                             sqlQuote(date)));
    for (int r = 0; r < rs.recordCount(); ++r)
        if (amountOf(rs.value(r, 0)) == number)
            return true;
    return false;
}

BankSimulator::Assignments BankSimulator::gapAnswer(const QString &table, const ResultSet &rs, int r)
{
    struct Gap
    {
        const char *kind, *noticeTable, *dateColumn, *numberColumn, *requestDate, *requestNumber;
    };
    const Gap gap = table == QLatin1String("deposit_order")
                        ? Gap{"D", "deposit", "DEPOSIT_SENDDATE", "ORG_SEQNO", "DEPOSIT_SENDDATE", "ORG_SEQNO"}
                    : table == QLatin1String("v_deposit_order")
                        ? Gap{"V", "V_deposit", "DEPOSIT_SENDDATE", "ORG_SEQNO", "DEPOSIT_SENDDATE", "ORG_SEQNO"}
                    : table == QLatin1String("draft_order")
                        ? Gap{"B", "draft", "DRAFT_SENDDATE", "ORG_SEQNO", "DRAFT_SENDDATE", "ORG_SEQNO"}
                        : Gap{"E", "ta_iche_err", "ERR_SENDDATE", "BANK_SEQNO", "TA_ICHE_SENDDATE", "BANK_SEQNO"};
    Assignments a;
    // The failure gap request carries the ids of a received notice, the
    // sender and receiver swapped; the bank and the firm are what count.
    Account acc;
    QString date = val(rs, r, QLatin1String(gap.requestDate)).trimmed();
    const QString numberText = val(rs, r, QLatin1String(gap.requestNumber)).trimmed();
    const int number = isInteger(numberText) ? numberText.toInt() : 0;
    if (!accountOf(val(rs, r, QStringLiteral("BANKID")), &acc) || number <= 0) {
        a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeNoNotice));
        return a;
    }
    const QString firm = val(rs, r, QStringLiteral("FIRMID")).trimmed();
    if (!firm.isEmpty())
        acc.firmId = firm;
    if (number > issuedNotices(QLatin1String(gap.kind), acc.bankId, acc.firmId, date)) {
        a << qMakePair(QStringLiteral("ERRCODE"), QString::fromLatin1(CodeNoNotice));
        return a;
    }
    Assignments notice = gap.kind == QLatin1String("D")   ? depositNotice(acc, date, number, false)
                         : gap.kind == QLatin1String("V") ? depositNotice(acc, date, number, true)
                         : gap.kind == QLatin1String("B") ? draftNotice(acc, date, number)
                                                          : failureNotice(acc, date, number);
    if (!noticeStored(QLatin1String(gap.noticeTable), QLatin1String(gap.dateColumn), QLatin1String(gap.numberColumn),
                      acc, date, number))
        insertRow(QLatin1String(gap.noticeTable), notice);
    // The request row carries the notice's contents back.
    static const QStringList header = words("SENDDATE SENDTIME SERVICE SEQNO SENDID RECVID FIRMID BANKID USERID "
                                            "SENDFLAG SR_FLAG UP_GUBUNCODE RECEIVEDATE RECEIVETIME COMMON_DUMMY "
                                            "ERR_SENDDATE PROCTIME");
    for (const auto &[column, value] : notice)
        if (!header.contains(column) && rs.hasColumn(column))
            a << qMakePair(column, value);
    return a;
}

QStringList BankSimulator::postNotices()
{
    m_at = m_now();
    QStringList codes;
    inTransaction(m_db, [&] {
        const QString date = today();
        bool deposits = false, virtualDeposits = false;
        for (const Account &a : accounts()) {
            const ResultSet kind = m_db.query(QStringLiteral("select TR_GUBUNCODE from bank where BANKID = %1 and "
                                                             "MOBANKNO = %2")
                                                  .arg(sqlQuote(a.bankId), sqlQuote(a.moBankNo)));
            const bool virtualAccount = kind.value(0, QStringLiteral("TR_GUBUNCODE")).trimmed() == QLatin1String("Y");
            if (virtualAccount) {
                const int n = nextNoticeNumber(QStringLiteral("V"), a, date);
                if (!lostOnFirstDelivery(n)) {
                    insertRow(QStringLiteral("V_deposit"), depositNotice(a, date, n, true));
                    virtualDeposits = true;
                }
                continue;
            }
            const int n = nextNoticeNumber(QStringLiteral("D"), a, date);
            if (!lostOnFirstDelivery(n)) {
                insertRow(QStringLiteral("deposit"), depositNotice(a, date, n, false));
                deposits = true;
            }
            const int b = nextNoticeNumber(QStringLiteral("B"), a, date);
            if (!lostOnFirstDelivery(b))
                insertRow(QStringLiteral("draft"), draftNotice(a, date, b));
        }
        if (deposits)
            codes << QStringLiteral("0200300");
        if (virtualDeposits)
            codes << QStringLiteral("0200900");
    });
    return codes;
}

void BankSimulator::setCommNotice(const QString &text)
{
    inTransaction(m_db, [&] {
        m_db.exec(QStringLiteral("delete from srv_commmsg where kind = 1"));
        m_db.exec(QStringLiteral("insert into srv_commmsg (kind, msg) values (1, %1)").arg(sqlQuote(text)));
    });
}

void BankSimulator::setSmsId(const QString &smsId)
{
    inTransaction(m_db, [&] {
        m_db.exec(QStringLiteral("delete from srv_commmsg where kind = 2"));
        m_db.exec(QStringLiteral("insert into srv_commmsg (kind, msg) values (2, %1)").arg(sqlQuote(smsId)));
    });
}

} // namespace qvx
