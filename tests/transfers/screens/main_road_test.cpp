// The main road of general transfers: a maker enters three transfers (from the
// payee book, by name search, typed), saves and reloads them and submits them
// for approval; the approver's relay connection hears of it and the batch waits
// in giche.
#include "TransferScreenTest.h"

#include "core/DMUnit.h"
#include "core/Session.h"
#include "controls/edits/CurrEdit.h"
#include "core/screens/ListGrid.h"
#include "transfers/screens/AcceptUserUnit.h"
#include "transfers/screens/IcheMakeUnit.h"
#include "transfers/screens/TransferGrid.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "core/Session.h"
#include "backend/RelayServer.h"

#include <QFile>
#include <QLineEdit>

using namespace transfertest;

TEST(MainRoad, MakerEntersSavesReloadsAndSubmitsThreeTransfersToTheApprover)
{
    registerTransferScreens();
    // The approver's client opens its approval screen when the notice
    // arrives; a stand-in records that and closes at once.
    int approvalScreens = 0;
    ScreenRegistry::instance().add(QStringLiteral("qv_acceptconfirm_frm"), [&approvalScreens](QWidget *owner, const ScreenContext &) {
        ++approvalScreens;
        auto *d = new QDialog(owner);
        d->setObjectName(QStringLiteral("qv_acceptconfirm_frm"));
        d->setAttribute(Qt::WA_DeleteOnClose);
        QTimer::singleShot(0, d, &QDialog::accept);
        return d;
    });

    // One server, two clients with their relay connections: the approver
    // logs in first, the maker second (the maker's screens are the ones driven).
    qvx::test::TestServer server;
    ClientFixture::Options shared;
    shared.sharedServer = &server;
    ClientFixture approver(shared);
    ASSERT_TRUE(approver.start(QStringLiteral("APPR1"), QStringLiteral("2222")));
    ClientFixture maker(shared);
    ASSERT_TRUE(maker.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    ASSERT_TRUE(ClientFixture::waitFor([&] { return maker.dm()->RelayActive() && approver.dm()->RelayActive(); }));
    ASSERT_TRUE(ClientFixture::waitFor([&] {
        return server.relay()->isConnected(QStringLiteral("APPR1")) && server.relay()->isConnected(QStringLiteral("MAKER"));
    }));
    // What the approver's client does with a notice: the approval check of its
    // main window (the reply dispatch installs the same).
    int notices = 0;
    approver.dm()->setApprovalHandler([&] {
        ++notices;
        approver.mainWindow()->FormActivate();
    });
    Tqv_frm *main = maker.mainWindow();
    ShowActive(main);

    ASSERT_TRUE(TriggerMenuItem(main, QStringLiteral("qv_b2")));
    auto *s = qobject_cast<Tqv_IcheMake_frm *>(FindScreen(main, QStringLiteral("qv_IcheMake_frm")));
    ASSERT_NE(s, nullptr);
    const int account88 = ItemWith(s->cmb_allbank, QStringLiteral("[88]"));

    // 1. From the payee book.
    Pick(s->cmb_allbank, account88);
    TypeText(s->curredt_money, QStringLiteral("150000"));
    Pick(s->cmb_daesang, ItemWith(s->cmb_daesang, QStringLiteral("대한유통")));
    ClickControl(s->KitButton1);
    // 2. By name search.
    TypeText(s->curredt_money, QStringLiteral("72000"));
    TypeText(s->edt_sendname, QStringLiteral("서울"));
    QTest::keyClick(s->edt_sendname, Qt::Key_Return);
    TypeText(s->edt_daesanginfo, QStringLiteral("12월 주류대금"));
    ClickControl(s->KitButton1);
    // 3. Typed.
    TypeText(s->curredt_money, QStringLiteral("3300"));
    TypeText(s->edt_sendname, QStringLiteral("새거래처"));
    Pick(s->cmb_transbankid, ItemWith(s->cmb_transbankid, QStringLiteral("[04]")));
    TypeText(s->edt_bankno, QStringLiteral("123456789012"));
    ClickControl(s->KitButton1);
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
    ClickControl(s->btn_tempsave);
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    files.enqueue(saved);
    ClickControl(s->btn_callfile);
    EXPECT_EQ(TransferRows(s->grd_ichelist), rows);
    EXPECT_FALSE(QFile::exists(saved));

    // Submit to the approver.
    OnNextModal([](QDialog *d) {
        auto *dialog = qobject_cast<Tqv_acceptuser_frm *>(d);
        if (!dialog)
            return d->reject();
        SavePicture(dialog, "qv_acceptuser_frm");
        ExpectButtonsBound(dialog);
        for (int r = 1; r < dialog->GRD_acceptlist->RowCount(); ++r)
            if (dialog->GRD_acceptlist->Cells(1, r) == u"APPR1")
                ClickGridCell(dialog->GRD_acceptlist, 0, r, true);
    });
    ClickControl(s->btn_accept);
    EXPECT_TRUE(maker.prompt().contains(QStringLiteral("정상적으로 처리되었습니다.")));
    // The approver's client hears of the batch and opens its approval screen.
    EXPECT_TRUE(ClientFixture::waitFor([&] { return approvalScreens == 1; }));
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(approver.mainWindow()->approvalChecks(), 1);
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));

    const qvx::ResultSet batch = maker.server().query(QStringLiteral(
        "select seqno, sr_flag, cfmid, userid, name, price from giche order by seqno"));
    ASSERT_EQ(batch.recordCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(batch.value(i, QStringLiteral("sr_flag")), QStringLiteral("0"));
        EXPECT_EQ(batch.value(i, QStringLiteral("cfmid")), QStringLiteral("APPR1"));
        EXPECT_EQ(batch.value(i, QStringLiteral("userid")), QStringLiteral("MAKER"));
        EXPECT_EQ(batch.value(i, QStringLiteral("name")), rows[i].name);
        EXPECT_EQ(batch.valueInt64(i, QStringLiteral("seqno")), maker.session().AcceptSeqBase + 1 + i);
    }
    EXPECT_EQ(maker.session().AcceptSeqLast, maker.session().AcceptSeqBase + 3);
    ScreenRegistry::instance().remove(QStringLiteral("qv_acceptconfirm_frm"));
}

TEST(MainRoad, EveryDemoPayeePassesTheRealNameRuleOfEveryDemoBank)
{
    // A payee chosen on the entry screen brings its real-name number; the demo
    // book holds birth dates, as the banks have taken since 2014, not resident
    // registration numbers, so no demo payee stops the main road.
    qvx::test::TestServer server;
    const qvx::ResultSet payees = server.query(QStringLiteral("select name, residentno from daesang"));
    const qvx::ResultSet banks = server.query(QStringLiteral("select bankid from bank"));
    ASSERT_GT(payees.recordCount(), 0);
    ASSERT_GT(banks.recordCount(), 0);
    for (int p = 0; p < payees.recordCount(); ++p)
        for (int b = 0; b < banks.recordCount(); ++b)
            EXPECT_FALSE(IsResidentNoBanned(banks.value(b, QStringLiteral("bankid")).trimmed(),
                                            payees.value(p, QStringLiteral("residentno")), qvx::Clock::today()))
                << payees.value(p, QStringLiteral("name")).toStdString();
}
