// The notice-count screen as a clerk uses it: the bank's counts of a day,
// the check against the stored notices with its questions, and the gap
// requests queued for the answers "Yes".
#include "ListScreenFixture.h"

#include "backend/BankSimulator.h"
#include "core/SeqNo.h"
#include "inquiries/NoticeGapRequest.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "inquiries/screens/DepositCntUnit.h"
#include "inquiries/screens/InquiryScreens.h"
#include "platform/Clock.h"

#include <QDateEdit>
#include <QLabel>
#include <QStatusBar>

#include <cstdlib>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

class NoticeCounts : public ListScreenFixture
{
protected:
    void registerScreens() override { registerInquiryScreens(); }
    void postRounds(int rounds)
    {
        qvx::BankSimulator::ensureTables(client->server().db());
        qvx::BankSimulator bank(client->server().db(), [] { return qvx::Clock::now(); });
        for (int i = 0; i < rounds; ++i)
            bank.postNotices();
    }
    Tqv_depositCnt_Frm *openScreen() { return open<Tqv_depositCnt_Frm>("qv_c5", "qv_depositCnt_Frm"); }
    int orders(const char *table)
    {
        return client->server()
            .query(QStringLiteral("select count(*) as n from %1").arg(QString::fromLatin1(table)))
            .valueInt(0, QStringLiteral("n"));
    }
    QString dayText() const { return today.left(4) + S("년 ") + today.mid(4, 2) + S("월 ") + today.mid(6, 2) + S("일"); }
};

// Opened maximised, as the display option asks.
class NoticeCountsMaximised : public NoticeCounts
{
protected:
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = NoticeCounts::options();
        o.displayMax = true;
        return o;
    }
};

TEST_F(NoticeCountsMaximised, TheControlsStayTogetherInTheMiddleOfTheMaximisedScreen)
{
    main->resize(1280, 1000);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->parentWidget()->isMaximized());
    ASSERT_GT(s->width(), 1000);
    auto box = [s](QWidget *w) { return QRect(w->mapTo(s, QPoint(0, 0)), w->size()); };
    QRect controls;
    for (QWidget *w : {static_cast<QWidget *>(s->cmb_allbank), static_cast<QWidget *>(s->dt_SearchDate),
                       static_cast<QWidget *>(s->btn_search), static_cast<QWidget *>(s->ed_DepositCnt),
                       static_cast<QWidget *>(s->ed_TaErrCnt), static_cast<QWidget *>(s->btn_close)})
        controls |= box(w);
    for (QLabel *caption : s->findChildren<QLabel *>())
        if (caption->isVisible() && !s->stsbar->isAncestorOf(caption))
            controls |= box(caption);
    EXPECT_TRUE(s->rect().contains(controls));
    // As one block in the middle, not left in the top left corner.
    EXPECT_LE(std::abs((controls.left() - 0) - (s->width() - 1 - controls.right())), 40)
        << controls.left() << " " << controls.right() << " of " << s->width();
    // Close stays under the search button, not half-way along the bottom.
    EXPECT_EQ(box(s->btn_close).right(), box(s->btn_search).right());
    EXPECT_GT(box(s->btn_close).top(), box(s->ed_TaErrCnt).bottom());
    SavePicture(s, "qv_depositCnt_Frm-maximised");
}

TEST_F(NoticeCounts, TheBanksCountsAreCheckedAndTheMissingNumbersAskedForOnYes)
{
    postRounds(5);   // the fourth deposit and stored-bill notice of each account held back
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    // The stored numbers of the requested bank (the first) before the bank answers anything.
    const QString bankId = client->server().query(QStringLiteral("select bankid from bank order by bankid")).value(0, 0);
    QSet<int> storedBefore;
    const qvx::ResultSet before = client->server().query(
        QStringLiteral("select org_seqno from deposit where bankid = '%1' and deposit_senddate = '%2'").arg(bankId, today));
    for (int i = 0; i < before.recordCount(); ++i)
        storedBefore.insert(before.value(i, 0).toInt());
    client->prompt().enqueueAnswer(true); // the deposit notices' gaps asked for
    client->prompt().enqueueAnswer(true); // and the stored bills'
    ASSERT_TRUE(ClickControl(s->btn_search));
    EXPECT_EQ(s->stsbar->currentMessage(), S("벨모아 주식회사에 요청중입니다. 잠시 기다리세요...."));
    ASSERT_TRUE(ClientFixture::waitFor([&] { return s->stsbar->currentMessage() == S("조회완료."); }, 15000));
    EXPECT_EQ(s->ed_SearchDate->text(), dayText());
    EXPECT_EQ(s->ed_TaErrCnt->text(), QStringLiteral("0 "));
    SavePicture(s, "notice_counts");
    const int reported = s->ed_DepositCnt->text().trimmed().toInt();
    ASSERT_GE(reported, 5);
    const QStringList texts = client->prompt().texts();
    EXPECT_TRUE(texts.contains(S("조회일(") + dayText() + S(")에 예금거래 명세통지 결번이 존재 합니다.\r\n결번요구를 하시겠습니까?")));
    EXPECT_TRUE(texts.contains(S("조회일(") + dayText() + S(")에 보관어음 명세통지 결번이 존재 합니다.\r\n결번요구를 하시겠습니까?")));
    const int depositGaps = orders("deposit_order");
    EXPECT_GT(depositGaps, 0);
    EXPECT_TRUE(texts.contains(S("예금거래명세통지 결번(") + QString::number(depositGaps)
                               + S("건)을 요청 하였습니다. 잠시후 예금거래통지에서 확인하세요.")));
    EXPECT_TRUE(texts.contains(S("보관어음통지 결번(") + QString::number(orders("draft_order"))
                               + S("건)을 요청 하였습니다. 잠시후보관어음통지에서 확인하세요.")));
    // Exactly the numbers up to the count that are not stored.
    QList<int> missing;
    for (int n = 1; n <= reported; ++n)
        if (!storedBefore.contains(n))
            missing.append(n);
    const qvx::ResultSet asked = client->server().query(
        QStringLiteral("select org_seqno from deposit_order where bankid = '%1' order by seqno").arg(bankId));
    QList<int> askedNumbers;
    for (int i = 0; i < asked.recordCount(); ++i)
        askedNumbers.append(asked.value(i, 0).toInt());
    EXPECT_EQ(askedNumbers, missing);
    EXPECT_EQ(orders("ta_iche_order"), 0);
}

TEST_F(NoticeCounts, NoQueuesNothingAndAnOldDayIsRefused)
{
    postRounds(5);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    client->prompt().setDefaultAnswer(false);
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_TRUE(ClientFixture::waitFor([&] { return s->stsbar->currentMessage() == S("조회완료."); }, 15000));
    EXPECT_EQ(client->prompt().count(), 2);   // the two questions, answered No
    EXPECT_EQ(orders("deposit_order"), 0);
    EXPECT_EQ(orders("draft_order"), 0);

    ASSERT_TRUE(TypeDate(s->dt_SearchDate, qvx::Clock::date().addDays(-8)));
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_search));
    EXPECT_EQ(client->prompt().lastText(), S("7일 이전 데이타는 조회를 할 수 없습니다."));
}

class BusyBankCounts : public NoticeCounts
{
protected:
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = NoticeCounts::options();
        o.server.adjust = [](qvx::ServerOptions &server) {
            server.bankDelayMs = 50;
            server.bankMaxPending = 0;
        };
        return o;
    }
};

TEST_F(NoticeCounts, TheQuestionsAreAskedOnceTheAnswerIsIn)
{
    postRounds(5);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    QStringList statusAtQuestion;
    client->prompt().setCallback([&](const qvx::ScriptedPrompt::Entry &) {
        statusAtQuestion << s->stsbar->currentMessage();
    });
    client->prompt().setDefaultAnswer(false);
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_TRUE(ClientFixture::waitFor([&] { return client->prompt().count() == 2; }, 15000));
    EXPECT_EQ(statusAtQuestion, QStringList({S("조회완료."), S("조회완료.")}));
    client->prompt().setCallback({});
}

TEST_F(BusyBankCounts, AWithdrawnRequestAwaitsNoAnswer)
{
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    client->prompt().setDefaultAnswer(false); // withdraw at the busy question
    ASSERT_TRUE(ClickControl(s->btn_search));
    EXPECT_TRUE(client->prompt().contains(SendDescBusyQuestion));
    EXPECT_NE(s->stsbar->currentMessage(), S("벨모아 주식회사에 요청중입니다. 잠시 기다리세요...."));
    EXPECT_EQ(s->PendingSeqNo(), 0);
}

// The bank answers late and takes one request at a time: a second request
// made while the first waits meets the busy question.
class SlowBankCounts : public NoticeCounts
{
protected:
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = NoticeCounts::options();
        o.server.adjust = [](qvx::ServerOptions &server) {
            server.bankDelayMs = 2000;
            server.bankMaxPending = 1;
        };
        return o;
    }
};

TEST_F(SlowBankCounts, AnAnswerIsCheckedWithTheBankItWasAskedOfAfterAWithdrawnRequest)
{
    postRounds(5);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->cmb_allbank->Text().startsWith(S("[03]")));
    ASSERT_TRUE(ClickControl(s->btn_search));
    const qint64 asked = s->PendingSeqNo();
    ASSERT_GT(asked, 0);

    // Another bank while the first answer is awaited, withdrawn at the busy question.
    ASSERT_TRUE(Pick(s->cmb_allbank, 1));
    ASSERT_TRUE(s->cmb_allbank->Text().startsWith(S("[04]")));
    client->prompt().enqueueAnswer(false); // the busy question: later
    client->prompt().enqueueAnswer(true);  // deposit gaps: ask for them
    client->prompt().enqueueAnswer(false); // stored-bill gaps: not now
    ASSERT_TRUE(ClickControl(s->btn_search));
    EXPECT_TRUE(client->prompt().contains(S("작업을 철회하였습니다.")));
    EXPECT_EQ(s->PendingSeqNo(), asked);

    // The first bank's answer is checked against that bank, and its gaps are asked of it.
    ASSERT_TRUE(ClientFixture::waitFor([&] { return s->stsbar->currentMessage() == S("조회완료."); }, 15000));
    const qvx::ResultSet gaps = client->server().query(S("select bankid, firmid from deposit_order"));
    ASSERT_GT(gaps.recordCount(), 0);
    for (int i = 0; i < gaps.recordCount(); ++i) {
        EXPECT_EQ(gaps.value(i, S("bankid")), S("03"));
        EXPECT_EQ(gaps.value(i, S("firmid")), S("HB0301"));
    }
}

TEST(CountGapTiming, TheCountScreenWaitsTheUsualTimeAndPausesBeforeEachRegistration)
{
    for (NoticeKind kind : {NoticeKind::Deposit, NoticeKind::Draft, NoticeKind::FailedTransfer}) {
        EXPECT_EQ(CountGapBatch(kind).reserveLimitMs, 5000);
        EXPECT_EQ(CountGapBatch(kind).registerPauseMs, 100);
    }
    EXPECT_EQ(NoticeGapBatch(NoticeKind::Deposit).registerPauseMs, 100);
    EXPECT_EQ(NoticeGapBatch(NoticeKind::VirtualDeposit).registerPauseMs, 100);
    EXPECT_EQ(NoticeGapBatch(NoticeKind::Draft).registerPauseMs, 0);
}

} // namespace
