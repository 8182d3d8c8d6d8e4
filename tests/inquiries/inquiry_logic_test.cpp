// The widget-free logic of the inquiry, request and SMS screens: statements
// and their refusals, request rows, the summaries' hand-over, SMS bytes and
// numbers, and the records the saves write.
#include "core/RequestSender.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "inquiries/BalanceInquiry.h"
#include "inquiries/FailedTransferNotices.h"
#include "inquiries/HolderNameInquiry.h"
#include "inquiries/SmsLog.h"
#include "inquiries/SmsMessage.h"
#include "inquiries/StatusViewSql.h"
#include "inquiries/SummaryInquiry.h"
#include "platform/ResultSet.h"

#include <gtest/gtest.h>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

RequestHeader Header()
{
    RequestHeader h;
    h.SendDate = S("20261209");
    h.SendTime = S("101500");
    h.Service = S("DY2");
    h.SendID = S("QVX0000001");
    h.USERID = S("MAKER");
    return h;
}

MotherAccount Account(const char *bank, const char *no)
{
    MotherAccount a;
    a.bankid = S(bank);
    a.mobankno = S(no);
    a.firmid = S("F0001");
    a.recvid = S("R") + S(bank);
    a.passwd = S("1234");
    a.dblpasswd = S("5678");
    return a;
}

} // namespace

TEST(StatusViewSql, StateRadioAndOutcomeBoxes)
{
    StatusFilter f;
    f.dateFrom = S("20261201");
    f.dateTo = S("20261209");
    StatusViewSql::Refusal refusal;
    f.bankCode = S("04");
    EXPECT_EQ(StatusViewSql::byFilter(f, &refusal).mid(StatusViewSql::head().size()),
              S(" and giche.bankid = '04'  and giche.sr_flag > '0'  and giche.gubun = '20' "
                " and giche.senddate >= '20261201' and giche.senddate <= '20261209'  order by giche.senddate, "
                "giche.seqno "));
    f.bankCode.clear();
    f.collection = false;
    f.state = StatusFilter::State::NotSent;
    f.wrong = false;
    const QString notSentRight = StatusViewSql::byFilter(f, &refusal);
    EXPECT_TRUE(notSentRight.contains(S(" and giche.sr_flag > '0' and giche.sr_flag < '4' and giche.gubun = '30' "
                                        "  and giche.errcode = '0000' ")));
    f.state = StatusFilter::State::Received;
    f.wrong = true;
    f.right = false;
    EXPECT_TRUE(StatusViewSql::byFilter(f, &refusal)
                    .contains(S(" and giche.sr_flag = '4'  and giche.gubun = '30'  and giche.errcode <> '0000' ")));
    EXPECT_EQ(refusal, StatusViewSql::Refusal::None);
    f.wrong = false;
    EXPECT_TRUE(StatusViewSql::byFilter(f, &refusal).isEmpty());
    EXPECT_EQ(refusal, StatusViewSql::Refusal::NoOutcomeOption);
}

TEST(FailedTransferSql, PeriodRefusalAccountConditionAndQuotes)
{
    FailedTransferFilter f;
    f.dateFrom = S("20261209");
    f.dateTo = S("20261208");
    FailedTransferSql::Refusal refusal;
    EXPECT_TRUE(FailedTransferSql::byFilter(f, &refusal).isEmpty());
    EXPECT_EQ(refusal, FailedTransferSql::Refusal::ReversedPeriod);

    f.dateTo = S("20261209");
    f.bankCode = S("04");
    const QString byBank = FailedTransferSql::byFilter(f, &refusal);
    EXPECT_EQ(refusal, FailedTransferSql::Refusal::None);
    EXPECT_EQ(byBank.mid(FailedTransferSql::head().size()),
              S("  and ta_iche_err.bankid      = '04'  and ta_iche_err.err_senddate >= '20261209'  and "
                "ta_iche_err.err_senddate <= '20261209'  order by ta_iche_err.err_senddate, ta_iche_err.bank_seqno"));
    f.moBankNo = S("12'3");
    EXPECT_TRUE(FailedTransferSql::byFilter(f, &refusal).contains(S("  AND ta_iche_err.MOBANKNO    = '12''3'")));
}

TEST(FailedTransferNotices, GapRowGoesBackToTheNoticesSenderAndDayLineKeepsStoredValues)
{
    FailedNoticeAddress to{S("QVX0000001"), S("KB0001"), S("F0001"), S("04"), S("20261208")};
    const TaIcheOrderRow row = FailedNoticeGapRow(Header(), to, 7);
    EXPECT_EQ(row.Service, S("DY2"));
    EXPECT_EQ(row.SendID, S("QVX0000001"));
    EXPECT_EQ(row.RecvID, S("KB0001"));
    EXPECT_EQ(row.TA_ICHE_SendDate, S("20261208"));
    EXPECT_EQ(row.BANK_SEQNO, S("7"));
    EXPECT_TRUE(row.ORG_SEQNO.isEmpty());
    EXPECT_EQ(row.up_gubuncode, S("0400640"));

    QStringList names{S("SEQNO"), S("SENDID"), S("RECVID"), S("FIRMID"), S("BANKID"), S("SENDFLAG"), S("ERRCODE"),
                      S("ERR_SENDDATE"), S("BANK_SEQNO"), S("ORG_SEQNO"), S("MOBANKNO"), S("TRANS_BANKID"),
                      S("BANKNO"), S("GUBUN"), S("PRICE"), S("PROCTIME"), S("FEE"), S("CMSCODE"), S("NAME"),
                      S("SUBSEQ"), S("PROCRESULT"), S("TAPROCNO"), S("DUMMY"), S("RECEIVETIME"), S("RECEIVEDATE"),
                      S("COMMON_DUMMY"), S("up_gubuncode")};
    QStringList values;
    for (const QString &n : names)
        values << (n == S("PRICE") ? S("1234567") : n == S("NAME") ? S("홍길동") : S("x"));
    const qvx::ResultSet rs(names, {values});
    const QString line = FailedNoticeDayLine(rs, 0);
    EXPECT_TRUE(line.contains(S("x1,234,567x")));
    EXPECT_TRUE(line.contains(S("x홍길동x")));
    EXPECT_EQ(FailedNoticeDayFileName(S("20261209")), S("타행불능통지20261209.dat"));
}

TEST(RequestRowsOfInquiries, BalanceNameAndSummaryRowsCarryTheirAccounts)
{
    const QList<AmtSearchRow> balances =
        BalanceRequestRows(Header(), {Account("04", "111"), Account("04", "222"), Account("20", "333")});
    ASSERT_EQ(balances.size(), 3); // two accounts of one bank are two rows
    EXPECT_EQ(balances[1].BankNo, S("222"));
    EXPECT_EQ(balances[2].RecvID, S("R20"));
    EXPECT_EQ(balances[0].SendID, S("QVX0000001"));
    EXPECT_EQ(balances[0].up_gubuncode, S("0600300"));

    HolderNameRequest request{Account("04", "111"), S("20"), S("123-45-678"), S("")};
    EXPECT_EQ(CheckHolderNameRequest(request), HolderNameRefusal::None);
    const TaNameSearchRow name = HolderNameRequestRow(Header(), request);
    EXPECT_EQ(name.Price, S("0000000000001"));
    EXPECT_EQ(name.BankNo, S("12345678"));
    EXPECT_EQ(name.MoPassWd, S("1234"));
    EXPECT_EQ(name.MoBoki, S("5678"));
    EXPECT_EQ(name.TRANS_BankID, S("20"));
    request.accountNo.clear();
    EXPECT_EQ(CheckHolderNameRequest(request), HolderNameRefusal::NoAccountNo);

    const QList<VasTrsumRow> vas = VasSummaryRequestRows(Header(), {Account("26", "444")});
    ASSERT_EQ(vas.size(), 1);
    EXPECT_EQ(vas[0].Service, S("VAS"));
    EXPECT_EQ(vas[0].TransDate, S("20261209"));
    EXPECT_EQ(vas[0].GiKwanCode, S("F0001"));
    EXPECT_EQ(SummaryRequestRows(Header(), {Account("04", "111")})[0].MoBankNo, S("111"));
}

TEST(SummaryHandOver, OnlyAllAccountsAndNeverIntoTheTransferRange)
{
    Session session;
    RequestResult sent;
    sent.outcome = RequestResult::Outcome::Sent;
    sent.base = 100;
    sent.count = 3;
    HandOverSummaryRange(session, sent, false);
    EXPECT_EQ(session.SummarySeqBase, 0);
    HandOverSummaryRange(session, sent, true);
    EXPECT_EQ(session.SummarySeqBase, 101);
    EXPECT_EQ(session.SummarySeqLast, 103);
    EXPECT_EQ(session.SeqNoBase, 0);  // no transfer was sent: the result inquiry gets no range
    EXPECT_EQ(session.SeqNoLast, 0);

    session.SeqNoBase = 61; // the final approver's batch
    session.SeqNoLast = 64;
    sent.base = 300;
    HandOverSummaryRange(session, sent, true);
    EXPECT_EQ(session.SeqNoBase, 61);
    EXPECT_EQ(session.SeqNoLast, 64);
    EXPECT_EQ(session.SummarySeqBase, 301);

    RequestResult withdrawn = sent;
    withdrawn.outcome = RequestResult::Outcome::Withdrawn;
    session = Session();
    HandOverSummaryRange(session, withdrawn, true);
    EXPECT_EQ(session.SummarySeqBase, 0);
}

TEST(SaveRecords, BalanceAndSummaryLinesPadAndKeepLongValues)
{
    BalanceAnswer b{S("국민은행"), S("04"), S("123456789012"), S("기업자유예금"), S("0000050000000"), S("x"), S("20261209")};
    const QString line = BalanceSaveLine(b, S("20261209"));
    EXPECT_EQ(Cp949Length(line), 93);
    EXPECT_TRUE(line.startsWith(S("국민은행                ")));
    EXPECT_EQ(line.mid(line.size() - 34), S("50000000     0            20261209"));

    SummaryAnswer s;
    s.seqNo = S("12");
    s.moBankName = S("국민은행");
    s.bankId = S("04");
    s.moBankNo = S("123456789012");
    s.firmId = S("F-1");
    for (auto &a : s.amounts)
        a = S("5");
    s.amounts[1] = S("12345678901234"); // longer than its field: written whole
    const QStringList fields = SummarySaveLine(s).split(u' ', Qt::SkipEmptyParts);
    EXPECT_EQ(fields.size(), 18); // the empty spare field leaves only its blanks
    EXPECT_EQ(fields[1], S("F1"));
    EXPECT_EQ(fields[3], S("12345678901234"));
    EXPECT_EQ(fields.last(), S("12"));

    // Amounts of 13 digits and counts of 6 stand in their own fields: every
    // field starts where the record puts it.
    for (int k = 0; k < SummaryAnswer::AmountCount; ++k) {
        const bool count = QList<int>{0, 2, 4, 6, 8, 11, 13}.contains(k);
        s.amounts[size_t(k)] = count ? S("999999") : S("1234567890123");
    }
    s.commonDummy = S("X");
    s.moBankName.clear();       // a bank and account that fit their 14 bytes
    s.moBankNo = S("1234");
    const QString record = SummarySaveLine(s);
    const int widths[] = {14, 15, 6, 13, 6, 13, 6, 13, 6, 13, 6, 13, 13, 10, 13, 6, 13, 13, 6};
    int at = 0;
    QStringList fixed;
    for (int w : widths) {
        fixed << record.mid(at, w).trimmed();
        at += w + 1;
    }
    EXPECT_EQ(fixed[1], S("F1"));
    EXPECT_EQ(fixed[2], S("999999"));                 // 의뢰총건수
    EXPECT_EQ(fixed[3], S("1234567890123"));          // 의뢰총금액
    EXPECT_EQ(fixed[4], S("999999"));                 // 당행정상건수
    EXPECT_EQ(fixed[12], S("1234567890123"));         // 수수료
    EXPECT_EQ(fixed[17], S("X"));
    EXPECT_EQ(fixed[18], S("12"));
}

TEST(SmsMessage, ByteLimitSymbolsAndRecipients)
{
    const QString korean = QString(39, QChar(0xAC00)); // 가 x 39 = 78 bytes
    auto added = InsertSmsSymbol(korean, 10, SmsSymbols().first());
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(Cp949Length(added->text), 80);
    EXPECT_EQ(added->caret, 11);
    EXPECT_EQ(added->text.mid(10, 1), S("☆"));
    EXPECT_FALSE(InsertSmsSymbol(korean + S("a"), 0, S("☆")).has_value()); // 79 bytes: unchanged
    EXPECT_EQ(SmsSymbols().size(), 76);
    for (const QString &symbol : SmsSymbols())
        EXPECT_EQ(Cp949Length(symbol), 2) << symbol.toStdString();

    EXPECT_EQ(LimitSmsMessage(S("a") + QString(40, QChar(0xAC00))), S("a") + QString(39, QChar(0xAC00)));

    SmsRecipient r{S("홍길동"), S("010"), S("123"), S("4567")};
    EXPECT_TRUE(r.valid());
    EXPECT_EQ(r.number(), S("001001234567"));
    EXPECT_FALSE((SmsRecipient{S("a"), S("010"), S(""), S("4567")}).valid());
    EXPECT_FALSE((SmsRecipient{S("a"), S("010"), S("12a4"), S("4567")}).valid());
    EXPECT_FALSE((SmsRecipient{S("a"), S("010"), S("12345"), S("4567")}).valid());

    const SmsTransRow row = SmsRequestRow(Header(), r, S("02-123-4567"), S("안녕 'x'"));
    EXPECT_EQ(row.Service, S("DY2"));
    EXPECT_EQ(row.RecvID, S("HELP002"));
    EXPECT_EQ(row.BankID, S("00"));
    EXPECT_EQ(row.RecvName, S("1"));
    EXPECT_EQ(row.RecvTelNo, S("001001234567"));
    EXPECT_EQ(row.SendTelNo, S("021234567"));
    EXPECT_EQ(row.up_gubuncode, S("0900900"));
    RequestRowFromValues<SmsTransRow>({});
    SmsTransRow numbered = row;
    SetRequestSeqNo(numbered, 42);
    EXPECT_TRUE(MakeInsertSql(numbered).contains(S("'안녕 ''x'''")));
}

TEST(SmsLog, MessageCutAtNulOnOneLine)
{
    EXPECT_EQ(SmsLogMessageText(S("첫줄\r\n둘째줄") + QChar(0) + S("garbage")), S("첫줄둘째줄"));
    EXPECT_EQ(SmsLogMessageText(S("plain")), S("plain"));
    EXPECT_EQ(SmsLogSql::between(S("20261201"), S("20261209")),
              S(" select * from SMS_Trans  where SendDate Between '20261201' AND '20261209'"));
}
