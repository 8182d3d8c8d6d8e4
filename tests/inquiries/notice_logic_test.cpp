// The notice lists' logic: the gap walk and the gap rows of each kind, the
// totals by kind, the remain and closing-check texts, the save records, and
// every list statement run against the server's own database.
#include "core/GapRequest.h"
#include "core/TextUtils.h"
#include "core/TotalsTable.h"
#include "inquiries/DepositNoticeColumns.h"
#include "inquiries/DepositNotices.h"
#include "inquiries/DraftNotices.h"
#include "inquiries/FailedTransferColumns.h"
#include "inquiries/FailedTransferNotices.h"
#include "inquiries/KindSums.h"
#include "inquiries/NoticeGapRequest.h"
#include "inquiries/NoticeGapPolicy.h"
#include "inquiries/SmsLog.h"
#include "inquiries/StatusViewSql.h"
#include "platform/ResultSet.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

namespace {
QString S(const char *s) { return QString::fromUtf8(s); }
}

TEST(NoticeGapRows, EachKindCarriesDayNumberAndTheSearchedBank)
{
    RequestHeader h;
    h.SendDate = S("20261209");
    h.Service = S("XYZ");
    const NoticeBank bank{S("04"), S("F0001"), S("KB0001")};
    const DepositOrderRow d = DepositGapRow(h, bank, S("20261208"), 3);
    EXPECT_EQ(d.Service, S("DY2"));
    EXPECT_EQ(d.DEPOSIT_SendDate, S("20261208"));
    EXPECT_EQ(d.ORG_SEQNO, S("3"));
    EXPECT_EQ(d.RecvID, S("KB0001"));
    EXPECT_EQ(d.up_gubuncode, S("0200640"));
    const VDepositOrderRow v = VirtualDepositGapRow(h, bank, S("20261208"), 4);
    EXPECT_EQ(v.SERVICE, S("DY2"));
    EXPECT_EQ(v.DEPOSIT_SENDDATE, S("20261208"));
    EXPECT_EQ(v.BANKID, S("04"));
    const DraftOrderRow r = DraftGapRow(h, bank, S("20261208"), 5);
    EXPECT_EQ(r.DRAFT_SENDDATE, S("20261208"));
    EXPECT_EQ(r.FirmID, S("F0001"));
    EXPECT_EQ(GapPolicyOf(NoticeKind::Deposit).reserveLimitMs, 3000);
    EXPECT_EQ(QString::fromLatin1(GapPolicyOf(NoticeKind::FailedTransfer).serviceCode), S("0400640"));
    EXPECT_EQ(CountGapMessage(NoticeKind::Deposit, 2),
              S("예금거래명세통지 결번(2건)을 요청 하였습니다. 잠시후 예금거래통지에서 확인하세요."));
    EXPECT_TRUE(NoticeGapSql::countUpTo(NoticeKind::Deposit, S("F0001"), S("20261208"), 5)
                    .endsWith(S(" AND Org_SeqNo <= '000005'")));
}

TEST(DepositNotices, TotalsRemainAndClosingCheck)
{
    TotalsTable totals = DepositTotalsTable();
    const QStringList kinds{S("11"), S("12"), S("20"), S("21"), S("50"), S("52")};
    for (const QString &k : kinds)
        if (!DepositTotalsCode(k).isEmpty())
            totals.add({DepositTotalsCode(k)}, 1000);
    EXPECT_EQ(totals.amountText(1), S("4,000"));
    EXPECT_EQ(totals.amountText(9), S("1,000"));
    EXPECT_TRUE(DepositTotalsCode(S("50")).isEmpty());

    DepositNotice n;
    n.remain = S("1000");
    n.sign = S("-");
    EXPECT_EQ(n.remainText(), S("-1,000"));
    n.remain.clear();
    EXPECT_EQ(n.remainText(), S("0"));

    // In the list, a balance equal to the row above's with the other sign
    // shows its own sign.
    const qvx::ResultSet rows({S("remain"), S("sign")},
                              {{S("1000"), S("+")}, {S("1000"), S("+")}, {S("1000"), S("-")}, {S("1000"), S("+")}});
    ListCellTexts texts(DepositNoticeColumns(), rows);
    EXPECT_EQ(texts.text(DepositCol::Remain, 0), S("1,000"));
    EXPECT_EQ(texts.text(DepositCol::Remain, 1), S("1,000"));
    EXPECT_EQ(texts.text(DepositCol::Remain, 2), S("-1,000"));
    EXPECT_EQ(texts.text(DepositCol::Remain, 3), S("1,000"));

    EXPECT_EQ(ClosingCheckReport(1, 1, S("000001")), S("통지전문 1건이 수신되었습니다."));
    EXPECT_EQ(ClosingCheckReport(1, 1, S("000004")), S("변동된 거래가 없습니다."));
    EXPECT_EQ(ClosingCheckReport(3, 5, S("000005")), S("통지전문 2건이 수신되었습니다!."));
    EXPECT_TRUE(ClosingCheckReport(5, 3, S("000003")).isEmpty());
}

// A notice row takes each field by its name in any case: a deposit notice
// keeps its values as stored but for the name, lacks the bank names of the
// click search, and a stored-bill notice trims every value.
TEST(NoticeRows, ReadByFieldName)
{
    const QStringList common{S("ORG_SEQNO"), S("receivedate"), S("deposit_senddate"), S("bankid"), S("inbankid"),
                             S("mobankno"), S("errcontents"), S("transdivcontents"), S("gubun"), S("price"),
                             S("sign"), S("remain"), S("brcode"), S("NAME"), S("intime"), S("common_dummy"),
                             S("sendid"), S("recvid"), S("firmid"), S("sendflag"), S("errcode")};
    QStringList values;
    for (const QString &c : common)
        values << c.toLower() + S(" ");
    values[9] = S(" 1500 ");
    values[13] = S("  홍길동  ");
    qvx::ResultSet click(common + QStringList{S("noteno"), S("incode"), S("indate")},
                         {values + QStringList{S("N1"), S("C1"), S("20261209")}});
    const DepositNotice d = DepositNotice::FromRow(click, 0);
    EXPECT_EQ(d.orgSeqNo, S("org_seqno "));
    EXPECT_EQ(d.price, S(" 1500 "));
    EXPECT_EQ(d.amount(), 1500);
    EXPECT_EQ(d.name, S("홍길동"));
    EXPECT_EQ(d.errCode, S("errcode "));
    EXPECT_EQ(d.inDate, S("20261209"));
    EXPECT_TRUE(d.moBankName.isNull());
    EXPECT_TRUE(d.jagi.isEmpty());

    qvx::ResultSet virtualRow(common + QStringList{S("MOBANKNAME"), S("transbankname"), S("jagi"), S("gagae"),
                                                   S("v_bankno"), S("juminno"), S("org_date"), S("org_no")},
                              {values + QStringList{S("국민"), S("신한"), S("J"), S("G"), S("V-1"), S("800101-1"),
                                                    S("20261208"), S("000007")}});
    const DepositNotice v = DepositNotice::FromVirtualRow(virtualRow, 0);
    EXPECT_EQ(v.moBankName, S("국민"));
    EXPECT_EQ(v.transBankName, S("신한"));
    EXPECT_EQ(v.vBankNo, S("V-1"));
    EXPECT_EQ(v.orgNo, S("000007"));
    EXPECT_TRUE(v.noteNo.isEmpty());

    const QStringList draftColumns{S("MOBANKNAME"), S("draft_senddate"), S("org_seqno"), S("transdivcontents"),
                                   S("bankid"), S("bankno"), S("ibgumcode"), S("draftkindcontents"), S("draftno"),
                                   S("draftmoney"), S("pub_name"), S("dep_name"), S("sutak_date"), S("manki_date"),
                                   S("pay_bankname"), S("pay_departname"), S("dangtacontents"), S("gyulje_bankno"),
                                   S("trans_depart"), S("service"), S("sendid"), S("recvid"), S("firmid"),
                                   S("sendflag"), S("gubun")};
    QStringList draftValues;
    for (const QString &c : draftColumns)
        draftValues << S(" ") + c.toLower() + S(" ");
    draftValues[9] = S(" 2000 ");
    const DraftNotice r = DraftNotice::FromRow(qvx::ResultSet(draftColumns, {draftValues}), 0);
    EXPECT_EQ(r.moBankName, S("mobankname"));
    EXPECT_EQ(r.gyuljeBankNo, S("gyulje_bankno"));
    EXPECT_EQ(r.gubun, S("gubun"));
    EXPECT_EQ(r.amount(), 2000);
}

TEST(NoticeSaveRecords, DepositFixedAndDraftRightJustified)
{
    DepositNotice n;
    n.orgSeqNo = S("000012");
    n.depositSendDate = S("20261209");
    n.moBankNo = S("123456789012");
    n.price = S("15000");
    n.name = S("홍길동");
    const QString line = DepositSaveLine(n, S("국민은행"), S("신한은행"));
    EXPECT_TRUE(line.startsWith(S("00001220261209국민은행      123456789012   ")));
    EXPECT_EQ(Cp949Length(line), 6 + 8 + 14 + 15 + 40 + 16 + 30 + 13 + 13 + 20 + 16 + 16 + 16 + 8 + 6 + 30);

    DraftNotice d;
    d.orgSeqNo = S("7");
    d.moBankName = S("국민");
    d.draftMoney = S("1000");
    d.bankId = S("04");
    const QString draft = DraftSaveLine(d, 3);
    EXPECT_TRUE(draft.startsWith(S("000003           국민          000007 ")));
    EXPECT_TRUE(draft.endsWith(S("      04")));
}

// Every statement of the lists runs on the server's database as built.
TEST(NoticeStatements, RunOnTheServer)
{
    qvx::test::TestServer server;
    auto &app = server.client();
    DepositNoticeFilter d{S("20"), S("123"), S("04"), S("20261201"), S("20261209")};
    DraftNoticeFilter r{S("20"), S("123"), S("04"), S("20261201"), S("20261209")};
    FailedTransferFilter f{S("04"), S("123"), S("20261201"), S("20261209")};
    StatusFilter s;
    s.dateFrom = S("20261201");
    s.dateTo = S("20261209");
    StatusViewSql::Refusal sr;
    FailedTransferSql::Refusal fr;
    const NoticeBank bank{S("04"), S("F0001"), S("KB0001")};
    const QStringList statements = {
        DepositNoticeSql::byClick(d), DepositNoticeSql::byEnter(d), DepositNoticeSql::virtualAccounts(d),
        DraftNoticeSql::byFilter(r), FailedTransferSql::byFilter(f, &fr), StatusViewSql::byFilter(s, &sr),
        SmsLogSql::between(s.dateFrom, s.dateTo), FailedTransferSql::noticeNumbers(S("04"), S("20261209")),
        FailedTransferSql::dayNotices(S("20261209")),
        NoticeGapSql::numbers(NoticeKind::Deposit, bank, S("20261209")),
        NoticeGapSql::numbers(NoticeKind::VirtualDeposit, bank, S("20261209")),
        NoticeGapSql::numbers(NoticeKind::Draft, bank, S("20261209")),
        NoticeGapSql::numbers(NoticeKind::FailedTransfer, bank, S("20261209")),
        NoticeGapSql::countUpTo(NoticeKind::Deposit, S("F0001"), S("20261209"), 3),
        NoticeGapSql::countUpTo(NoticeKind::Draft, S("F0001"), S("20261209"), 3),
        NoticeGapSql::countUpTo(NoticeKind::FailedTransfer, S("F0001"), S("20261209"), 3)};
    for (const QString &sql : statements)
        EXPECT_NO_THROW(app.select(sql)) << sql.toStdString();
}

TEST(NoticeGapWalk, TheMissingNumbersAreASetUpToTheBound)
{
    const auto texts = [](std::initializer_list<const char *> l) {
        QStringList out;
        for (const char *t : l)
            out << QString::fromLatin1(t);
        return out;
    };
    // Duplicates, order and texts that are no number change nothing.
    EXPECT_TRUE(MissingNumbers(texts({"000001", "000002", "000002", "000003"})).isEmpty());
    EXPECT_EQ(MissingNumbers(texts({"000007", "abc", "000001", "000004", "000002", "000002"})), (QList<int>{3, 5, 6}));
    EXPECT_EQ(MissingNumbers(texts({"000005"})), (QList<int>{1, 2, 3, 4}));
    // The notice-count check: up to the reported count, numbers above it left out.
    EXPECT_EQ(MissingNumbers(texts({"000001", "000002", "000004", "000009"}), 5), (QList<int>{3, 5}));
    EXPECT_EQ(MissingNumbers({}, 3), (QList<int>{1, 2, 3}));
}

TEST(NoticeGapWalk, StatusTextsOfTheGapRequest)
{
    RequestResult r;
    r.count = 2;
    r.outcome = RequestResult::Outcome::Sent;
    EXPECT_EQ(GapRequestStatus(r), QString::fromUtf8("결번전문 2 건을 처리중입니다."));
    r.outcome = RequestResult::Outcome::InsertFailed;
    EXPECT_EQ(GapRequestStatus(r), QString::fromUtf8("결번전문 2 건이 정상적으로 처리되지 않았습니다."));
    r.outcome = RequestResult::Outcome::ReserveFailed;
    EXPECT_TRUE(GapRequestStatus(r).isEmpty());
}

TEST(FailedTransferColumns, KindTextAndHiddenIds)
{
    const qvx::ResultSet rs({QStringLiteral("gubun"), QStringLiteral("price"), QStringLiteral("bankid")},
                            {{QStringLiteral("20"), QStringLiteral("0000001234567"), QStringLiteral("20")},
                             {QStringLiteral("30"), QStringLiteral("x"), QStringLiteral("20")}});
    const ListColumns &c = FailedTransferColumns();
    EXPECT_EQ(c.size(), int(FailedCol::Count));
    EXPECT_EQ(CellText(c[FailedCol::Kind], rs, 0), QString::fromUtf8("수납"));
    EXPECT_EQ(CellText(c[FailedCol::Kind], rs, 1), QString::fromUtf8("이체"));
    EXPECT_EQ(CellText(c[FailedCol::Price], rs, 0), QStringLiteral("1,234,567"));
    EXPECT_TRUE(c[FailedCol::BankId].hidden);
    int shown = 0;
    for (const ListColumn &column : c)
        shown += column.hidden ? 0 : 1;
    EXPECT_EQ(shown, 17);
}

TEST(KindSums, EachKindIsSummedAndHandedOverInTheOrderOfItsLastRow)
{
    qvx::ResultSet rs({S("gubun"), S("price")});
    rs.appendRow({S("20"), S("0000000001000")});
    rs.appendRow({S("30"), S(" 500 ")});
    rs.appendRow({S("20"), S("0000000001000")}); // the same texts again, numbered apart from the first
    rs.appendRow({S("21"), QString()});           // no amount: 0
    rs.appendRow({QString(), S("7")});            // no kind
    rs.appendRow({S("30"), S("abc")});            // no number: 0
    rs.appendRow({S("20"), S("-250")});
    KindSums sums(rs, rs.columnIndex(S("gubun")), rs.columnIndex(S("price")));
    for (int r = 0; r < rs.recordCount(); ++r)
        sums.add(r);
    QList<std::pair<QString, qint64>> got;
    sums.forEach([&](const QString &kind, qint64 sum) { got.append({kind, sum}); });
    // Equal texts numbered apart come out apart: summed by text they are
    // the totals of adding row by row, and each text's last appearance
    // keeps the order of its last row.
    QMap<QString, qint64> byText;
    QStringList lastOrder;
    for (const auto &[kind, sum] : got) {
        const QString name = kind.isNull() ? S("NULL") : kind;
        byText[name] += sum;
        lastOrder.removeAll(name);
        lastOrder << name;
    }
    EXPECT_EQ(byText.value(S("20")), 1750);
    EXPECT_EQ(byText.value(S("30")), 500);
    EXPECT_EQ(byText.value(S("21")), 0);
    EXPECT_EQ(byText.value(S("NULL")), 7);
    EXPECT_EQ(lastOrder, (QStringList{S("21"), S("NULL"), S("30"), S("20")}));
}
