// The main road of general transfers: a maker enters three transfers (from the
// payee book, by name search, typed), saves and reloads them and submits them
// for approval; the approver's relay connection hears of it and the batch waits
// in giche.
#include "TransferScreenTest.h"

#include "core/DMUnit.h"
#include "core/Session.h"
#include "controls/edits/CurrEdit.h"
#include "transfers/screens/AcceptUserUnit.h"
#include "transfers/screens/IcheMakeUnit.h"
#include "transfers/screens/TransferGrid.h"
#include "platform/FileChooser.h"
#include "../backend/relay_client.h"

#include <QFile>
#include <QLineEdit>

using namespace transfertest;

TEST(MainRoad, MakerEntersSavesReloadsAndSubmitsThreeTransfersToTheApprover)
{
    registerTransferScreens();
    ClientFixture maker;
    ASSERT_TRUE(maker.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    Tqv_frm *main = maker.mainWindow();
    ShowActive(main);
    qvx::testing::RelayTestClient approver;
    ASSERT_TRUE(approver.connectTo(maker.server().relayPort()));
    ASSERT_TRUE(approver.login("APPR2"));
    ASSERT_TRUE(ClientFixture::waitFor([&] { return maker.dm()->RelayActive(); }));

    Trigger(main, "qv_b2");
    auto *s = qobject_cast<Tqv_IcheMake_frm *>(FindScreen(main, QStringLiteral("qv_IcheMake_frm")));
    ASSERT_NE(s, nullptr);
    const int account88 = ItemWith(s->cmb_allbank, QStringLiteral("[88]"));

    // 1. From the payee book.
    Pick(s->cmb_allbank, account88);
    Type(s->curredt_money, QStringLiteral("150000"));
    Pick(s->cmb_daesang, ItemWith(s->cmb_daesang, QStringLiteral("대한유통")));
    Click(s->KitButton1);
    // 2. By name search.
    Type(s->curredt_money, QStringLiteral("72000"));
    Type(s->edt_sendname, QStringLiteral("서울"));
    QTest::keyClick(s->edt_sendname, Qt::Key_Return);
    Type(s->edt_daesanginfo, QStringLiteral("12월 주류대금"));
    Click(s->KitButton1);
    // 3. Typed.
    Type(s->curredt_money, QStringLiteral("3300"));
    Type(s->edt_sendname, QStringLiteral("새거래처"));
    Pick(s->cmb_transbankid, ItemWith(s->cmb_transbankid, QStringLiteral("[04]")));
    Type(s->edt_bankno, QStringLiteral("123456789012"));
    Click(s->KitButton1);
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 3);
    const QVector<TransferRow> rows = TransferRows(s->grd_ichelist);
    EXPECT_EQ(rows[0].name, QStringLiteral("대한유통"));
    EXPECT_EQ(rows[0].bankId, QStringLiteral("03"));
    EXPECT_EQ(rows[1].name, QStringLiteral("서울주류"));
    EXPECT_EQ(rows[1].workDiv, QStringLiteral("당행"));
    EXPECT_EQ(rows[2].name, QStringLiteral("새거래처"));
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 225300);
    SavePicture(s, "qv_IcheMake_frm_three_rows");

    // Save and reload.
    qvx::ScriptedFileChooser files;
    const QString saved = maker.home() + QStringLiteral("/data/tmp_road.txt");
    files.enqueue(saved);
    Click(s->btn_tempsave);
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    files.enqueue(saved);
    Click(s->btn_callfile);
    EXPECT_EQ(TransferRows(s->grd_ichelist), rows);
    EXPECT_FALSE(QFile::exists(saved));

    // Submit to the final approver.
    OnNextModal([](QDialog *d) {
        auto *dialog = qobject_cast<Tqv_acceptuser_frm *>(d);
        if (!dialog)
            return d->reject();
        SavePicture(dialog, "qv_acceptuser_frm");
        for (int r = 1; r < dialog->GRD_acceptlist->RowCount(); ++r)
            if (dialog->GRD_acceptlist->Cells(1, r) == u"APPR2")
                ClickCell(dialog->GRD_acceptlist, 0, r, true);
    });
    Click(s->btn_accept);
    EXPECT_EQ(maker.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(approver.nextFrame(), qvx::FrameReader::frame("F"));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));

    const qvx::ResultSet batch = maker.server().query(QStringLiteral(
        "select seqno, sr_flag, cfmid, userid, name, price from giche order by seqno"));
    ASSERT_EQ(batch.recordCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(batch.value(i, QStringLiteral("sr_flag")), QStringLiteral("0"));
        EXPECT_EQ(batch.value(i, QStringLiteral("cfmid")), QStringLiteral("APPR2"));
        EXPECT_EQ(batch.value(i, QStringLiteral("userid")), QStringLiteral("MAKER"));
        EXPECT_EQ(batch.value(i, QStringLiteral("name")), rows[i].name);
        EXPECT_EQ(batch.valueInt64(i, QStringLiteral("seqno")), maker.session().AcceptSeqBase + 1 + i);
    }
    EXPECT_EQ(maker.session().AcceptSeqLast, maker.session().AcceptSeqBase + 3);
}
