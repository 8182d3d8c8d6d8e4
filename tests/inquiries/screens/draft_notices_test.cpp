// The stored-bill notices as a clerk uses them: the bank's rounds of
// notices listed and totalled by kind, the gap request for the held-back
// numbers, and the blank-joined text save.
#include "ListScreenFixture.h"

#include "backend/BankSimulator.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/TextUtils.h"
#include "core/screens/ListGrid.h"
#include "inquiries/DraftNoticeColumns.h"
#include "inquiries/screens/DraftUnit.h"
#include "inquiries/screens/InquiryScreens.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"
#include "platform/TListGrid.h"

#include <QApplication>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

// Blanks (or zeros) in front up to `width` CP949 bytes; a longer text whole.
QString Right(const QString &text, int width, QChar pad = u' ')
{
    const int bytes = int(qvx::Cp949::encode(text).size());
    return QString(qMax(0, width - bytes), pad) + text;
}

class DraftNotices : public ListScreenFixture
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
    Tqv_draft_frm *openScreen()
    {
        auto *s = open<Tqv_draft_frm>("qv_c3", "qv_draft_frm");
        if (s)
            watchModel(s->grd_draftlist);
        return s;
    }
    int rows(Tqv_draft_frm *s) const { return GridIsEmpty(s->grd_draftlist) ? 0 : s->grd_draftlist->RowCount() - 1; }
    int stored(const QString &bankId)
    {
        return client->server()
            .query(QStringLiteral("select count(*) as n from draft where bankid = '%1' and draft_senddate = '%2'")
                       .arg(bankId, today))
            .valueInt(0, QStringLiteral("n"));
    }
};

TEST_F(DraftNotices, TheNoticesAreListedAndTotalledByKind)
{
    postRounds(3);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_GT(rows(s), 0);
    // Each kind's total is the sum of its listed amounts.
    QMap<QString, qint64> byKind;
    for (int r = 1; r <= rows(s); ++r)
        byKind[s->grd_draftlist->Cells(DraftCol::Kind, r)] += MoneyStrToCurr(s->grd_draftlist->Cells(DraftCol::Money, r));
    qint64 totalled = 0;
    for (int c = 1; c <= 6; ++c)
        totalled += MoneyStrToCurr(s->grd_test->Cells(c, 1));
    qint64 listed = 0;
    const qvx::ResultSet kinds = client->server().query(
        QStringLiteral("select gubun, draftmoney from draft where gubun in ('20','21','29','30','39','55')"));
    for (int i = 0; i < kinds.recordCount(); ++i)
        listed += SafeStrToCurr(kinds.value(i, 1), 0);
    EXPECT_EQ(totalled, listed);
    EXPECT_EQ(s->grd_test->Cells(1, 0), S("수  탁"));
    EXPECT_EQ(s->grd_test->Cells(0, 1), S("금  액"));
    SavePicture(s, "draft_notices");

    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->KitButton1));   // all banks listed
    EXPECT_EQ(client->prompt().lastText(),
              S("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다."));
}

TEST_F(DraftNotices, AGapRequestBringsBackTheHeldBackNumbers)
{
    postRounds(5);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(Pick(s->cmb_allbank, 1));
    const QString bankId = s->cmb_allbank->Text().mid(1, 2);
    ASSERT_TRUE(ClickControl(s->btn_search));
    const int before = stored(bankId);
    const int issued = client->server()
                           .query(QStringLiteral("select sum(lastno) as n from bank_notice_no where kind = 'B' and "
                                                 "bankid = '%1' and senddate = '%2'")
                                      .arg(bankId, today))
                           .valueInt(0, QStringLiteral("n"));
    ASSERT_LT(before, issued);
    ASSERT_TRUE(ClickControl(s->KitButton1));
    EXPECT_EQ(s->StatusBar1->currentMessage(),
              S("결번전문 ") + QString::number(issued - before) + S(" 건을 처리중입니다."));
    EXPECT_EQ(client->server().query(QStringLiteral("select count(*) as n from draft_order where up_gubuncode = "
                                                    "'0200650'")).valueInt(0, QStringLiteral("n")),
              issued - before);
    // The bank's answer (0210650) runs the search again.
    EXPECT_TRUE(ClientFixture::waitFor([&] { return rows(s) == issued; }, 15000));
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->KitButton1));
    EXPECT_EQ(client->prompt().lastText(), S("결번요구할 전문이 없습니다."));
}

// Enter walks the search bar to 검 색 and searches; a second Enter searches
// again there, not on a button the focus moved on to.
TEST_F(DraftNotices, ASecondEnterOnSearchSearchesAgainAndPrintsNothing)
{
    postRounds(3);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(Pick(s->cmb_allbank, 1));
    for (int i = 0; i < 8 && QApplication::focusWidget() != s->btn_search; ++i)
        PressEnter();
    ASSERT_EQ(QApplication::focusWidget(), s->btn_search);
    EXPECT_EQ(PressEnter(), s->btn_search);
    ASSERT_GT(rows(s), 0);
    client->prompt().clear();
    expectEnterSearchesAgain(s->btn_search, [&] { return rows(s); }, "draft_order");
    EXPECT_TRUE(client->prompt().texts().isEmpty()) << qPrintable(client->prompt().lastText());
}

TEST_F(DraftNotices, TheTextSaveJoinsRightJustifiedAndZeroPaddedFieldsByBlanks)
{
    postRounds(1);
    QTemporaryDir home;
    qvx::ScriptedFileChooser files;
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_GT(rows(s), 0);
    const QString chosen = home.filePath(S("어음통지"));
    files.enqueue(chosen, 1);
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_filesave));
    EXPECT_EQ(client->prompt().lastText(), chosen + S(".txt 를 저장하였습니다."));
    QFile file(chosen + QStringLiteral(".txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), rows(s) + 1);
    TListGrid *g = s->grd_draftlist;
    auto cell = [g](int col) { return g->Cells(col, 1); };
    const QStringList fields = {
        Right(QStringLiteral("1"), 6, u'0'),
        Right(cell(DraftCol::BankName), 14),
        Right(DelChar(cell(DraftCol::SendDate), u'-'), 8),
        Right(cell(DraftCol::OrgSeqNo), 6, u'0'),
        Right(cell(DraftCol::Kind), 30),
        Right(DelChar(cell(DraftCol::BankNo), u'-'), 15),
        Right(cell(DraftCol::IbgumCode), 16),
        Right(cell(DraftCol::DraftKind), 20),
        Right(cell(DraftCol::DraftNo), 15),
        Right(DelChar(cell(DraftCol::Money), u','), 13),
        Right(cell(DraftCol::PubName), 20),
        Right(cell(DraftCol::DepName), 20),
        Right(DelChar(cell(DraftCol::SutakDate), u'-'), 8),
        Right(DelChar(cell(DraftCol::MankiDate), u'-'), 8),
        Right(cell(DraftCol::PayBankName), 20),
        Right(cell(DraftCol::PayDepartName), 12),
        Right(cell(DraftCol::DangTa), 4),
        Right(DelChar(cell(DraftCol::GyuljeBankNo), u'-'), 15),
        Right(cell(DraftCol::TransDepart), 6),
        Right(cell(DraftCol::Service), 3),
        Right(cell(DraftCol::RecvId), 10),
        Right(cell(DraftCol::FirmId), 10),
        Right(cell(DraftCol::BankId), 8),
    };
    EXPECT_EQ(lines[0], qvx::Cp949::encode(fields.join(u' ') + u'\r'));
}

} // namespace
