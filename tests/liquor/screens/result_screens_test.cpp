// The liquor result inquiry and status view as the JURU user uses them,
// against the server with the simulated bank: a sent batch listed by its
// range, the period search by its status boxes, whole and single result
// inquiries answered by the bank, the exports byte for byte (the
// re-processing file loads back into the entry screen) and the report's pages.
#include "HookedLink.h"
#include "ListScreenFixture.h"
#include "ReportLayoutCheck.h"
#include "core/SeqNo.h"

#include "core/ListColumns.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/CellText.h"
#include "core/DMUnit.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListGrid.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/KitComboBox.h"
#include "core/screens/IcheSearchSubUnit.h"
#include "liquor/LiquorResultList.h"
#include "liquor/LiquorRow.h"
#include "liquor/screens/IcheMakeJuruUnit.h"
#include "liquor/screens/LiquorResultScreens.h"
#include "liquor/screens/LiquorScreens.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"
#include "platform/TListGrid.h"

#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QLabel>
#include <QMdiSubWindow>

#include <cstdlib>
#include <tuple>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

class LiquorResults : public ListScreenFixture
{
protected:
    void registerScreens() override { registerLiquorScreens(); }
    QString userId() const override { return S("JURU"); }
    QString password() const override { return S("4444"); }
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = ListScreenFixture::options();
        o.general = false;
        // The bank answers after a second, so that a test sees the list the
        // send leaves before the answer runs the search again, however
        // loaded the machine.
        o.server.adjust = [](qvx::ServerOptions &server) { server.bankDelayMs = 1000; };
        return o;
    }

    // One transfer row written straight into the database: kind "20" into
    // cmsjiche102, "30" into cmsjiche103, on mother account 21.
    void seed(const char *gubun, int seqno, const char *srFlag, const char *errCode, qint64 price, const QString &name,
              const QString &user = QStringLiteral("JURU"))
    {
        const bool collection = QLatin1String(gubun) == QLatin1String("20");
        const QString table = collection ? S("cmsjiche102") : S("cmsjiche103");
        // Both tables keep the mother account in MoBankNo, the counterparty's in bankNo.
        const QString mother = S("56012345678901");
        const QString other = S("110123456789");
        client->server().exec(
            S("insert into %1 (SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, "
              "bankNo, MoBankNo, PassWd, Boki, Gubun, Price, Sign, Remain, TRANS_BankID, Fee, Name, JuminNo, JuFlag, "
              "JuMoney, nonJuMoney, sr_flag, up_gubuncode, COMMON_DUMMY, ERRCODE, RECEIVEDATE, RECEIVETIME) values "
              "('%2', '101500', 'DY2', %3, 'NET01', 'CHB2100', 'HB2101', '21', '%4', '1', '%5', '%6', '6789', '', "
              "'%7', '%8', '-', '1200', '88', '300', '%9', '', '1', '%8', '0', '%10', '%11', ' 메모 ', '%12', '%13', "
              "'093015')")
                .arg(table, today, QString::number(seqno), user, other, mother,
                     QLatin1String(gubun), QString::number(price), name, QLatin1String(srFlag),
                     collection ? S("0102100") : S("0103100"), QLatin1String(errCode),
                     QLatin1String(srFlag) == QLatin1String("4") ? today : QString()));
    }

    Tqv_j_ichesearch_frm *openInquiry() { return open<Tqv_j_ichesearch_frm>("qv_d1", "qv_j_ichesearch_frm"); }
    Tqv_j_icheview_frm *openView() { return open<Tqv_j_icheview_frm>("qv_b3", "qv_j_icheview_frm"); }
    // The main window's work area and a screen's child window in it.
    QMdiArea *workArea() const { return main->findChild<QMdiArea *>(); }
    QMdiSubWindow *subWindowOf(QWidget *screen) const
    {
        for (QMdiSubWindow *sub : workArea()->subWindowList())
            if (sub->widget() == screen)
                return sub;
        return nullptr;
    }
    static QString cell(LiquorResultScreen *s, int col, int row) { return s->grd_ichelist->Cells(col, row); }
    static QString figure(LiquorResultScreen *s, int col, int row) { return s->grd_test->Cells(col, row); }
};

// Each list opens inside the main window at no less than its design size,
// in the middle of the work area rather than in its top left corner.
TEST_F(LiquorResults, TheListsOpenAtTheirSizeInTheMiddleOfTheMainWindow)
{
    main->resize(1280, 1000);
    QCoreApplication::processEvents();
    const QRect area = main->mdiArea()->viewport()->rect();
    for (const auto &[item, name, designSize] :
         {std::tuple{"qv_d1", "qv_j_ichesearch_frm", QSize(830, 598)}, std::tuple{"qv_b3", "qv_j_icheview_frm", QSize(910, 762)}}) {
        auto *screen = open<QWidget>(item, name);
        ASSERT_NE(screen, nullptr);
        auto *sub = qobject_cast<QMdiSubWindow *>(screen->parentWidget());
        ASSERT_NE(sub, nullptr) << name;
        EXPECT_GE(screen->width(), designSize.width()) << name;
        EXPECT_GE(screen->height(), designSize.height()) << name;
        EXPECT_TRUE(area.contains(sub->geometry())) << name;
        EXPECT_LE(std::abs(sub->geometry().center().x() - area.center().x()), 1) << name;
        EXPECT_LE(std::abs(sub->geometry().center().y() - area.center().y()), 1) << name;
        SavePicture(main, name);
        sub->close();
    }
}

// The inquiry's period reads "부터" after its first picker and "까지" after
// the second, on the pickers' line and clear of the other controls.
TEST_F(LiquorResults, TheInquirysPeriodIsCaptionedFromAndTo)
{
    auto *s = openInquiry();
    ASSERT_NE(s, nullptr);
    auto captionAfter = [s](QWidget *picker) -> QLabel * {
        for (QLabel *label : s->findChildren<QLabel *>())
            if (label->isVisible() && label->y() == picker->y() && label->x() > picker->geometry().right()
                && label->x() <= picker->geometry().right() + 4)
                return label;
        return nullptr;
    };
    QLabel *from = captionAfter(s->dtpkr_from);
    QLabel *to = captionAfter(s->dtpkr_to);
    ASSERT_NE(from, nullptr);
    ASSERT_NE(to, nullptr);
    EXPECT_EQ(from->text(), S("부터"));
    EXPECT_EQ(to->text(), S("까지"));
    EXPECT_GT(s->dtpkr_to->x(), from->geometry().right());
    for (QWidget *other : {static_cast<QWidget *>(s->btn_search), static_cast<QWidget *>(s->cmb_allbank)})
        EXPECT_FALSE(other->geometry().intersects(to->geometry())) << other->objectName().toStdString();
    SavePicture(s, "liquor_inquiry_period");
}

TEST_F(LiquorResults, SentBatchIsListedByItsRangeAndTheBanksAnswerShowsInIt)
{
    // Two collections sent from the entry screen.
    ASSERT_TRUE(TriggerMenuItem(main, S("qv_b1")));
    auto *entry = qobject_cast<Tqv_IcheMakeJuru_frm *>(FindScreen(main, S("qv_ichemakeJuru_frm")));
    ASSERT_NE(entry, nullptr);
    client->server().client().maxSeqNo(40);
    const struct { const char *liquor, *name, *account; } rows[] = {
        {"1000", "가나상사", "56012345678901"}, {"2500", "다라상사", "110123456789"}};
    for (const auto &r : rows) {
        Pick(entry->cmb_allbank, ItemWith(entry->cmb_allbank, S("[21]")));
        TypeText(entry->curredt_juru, S(r.liquor));
        TypeText(entry->edt_sendname, S(r.name));
        QTest::keyClick(entry->edt_sendname, Qt::Key_Return);
        QTest::keyClick(entry->cmb_transbankid, Qt::Key_Return);
        TypeText(entry->edt_bankno, S(r.account));
        ClickControl(entry->btn_datasave);
    }
    ASSERT_EQ(entry->grd_ichelist->RowCount(), 3) << qPrintable(client->prompt().texts().join('|'));
    client->prompt().enqueueAnswer(true);
    ClickControl(entry->btn_accept);

    // The inquiry opened on the batch and listed it at once.
    auto *s = qobject_cast<Tqv_j_ichesearch_frm *>(FindScreen(main, S("qv_j_ichesearch_frm")));
    ASSERT_NE(s, nullptr);
    watchModel(s->grd_ichelist);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 2) << qPrintable(client->prompt().texts().join('|'));
    EXPECT_EQ(cell(s, lrSeqNo, 1), S("41"));
    EXPECT_EQ(cell(s, lrSendDate, 1), DashedDate(today));
    EXPECT_EQ(cell(s, lrKind, 2), S("수납"));
    EXPECT_EQ(cell(s, lrMoBankNo, 1), FormatAcctNo(S("21"), S("56012345678901")));
    EXPECT_EQ(cell(s, lrName, 2), S("다라상사"));
    EXPECT_EQ(cell(s, lrPrice, 2), S("2,500"));
    EXPECT_EQ(figure(s, 3, 2), S("2"));
    EXPECT_EQ(figure(s, 3, 3), S("3,500"));
    EXPECT_EQ(s->ResultSeqFrom, 0);

    // The bank's answer to the batch runs the search again on the same range.
    EXPECT_TRUE(ClientFixture::waitFor([&] { return cell(s, lrSendFlag, 1) == S("수신"); }, 15000));
    EXPECT_EQ(DataRowCount(s->grd_ichelist, 1), 2);
    EXPECT_TRUE(Checked(s->chk_sunab));
    EXPECT_FALSE(cell(s, lrErrCode, 1).isEmpty());
    SavePicture(s, "liquor_result_inquiry_range");
}

TEST_F(LiquorResults, PeriodSearchByStatusBoxesKindAndTotals)
{
    seed("20", 1, "4", "0000", 1000, S("정상상사"));
    seed("20", 2, "4", "0013", 2000, S("불능상사"));
    seed("20", 3, "1", "", 4000, S("대기상사"));
    seed("30", 4, "4", "0000", 8000, S("지급상사"));
    seed("20", 5, "4", "0000", 16000, S("남의상사"), S("JURUSU"));
    // A counterparty bank whose accounts are hyphenated otherwise than the mother bank's.
    client->server().exec(S("update cmsjiche102 set TRANS_BANKID = '27' where SeqNo = 1"));
    ASSERT_NE(FormatAcctNo(S("27"), S("110123456789")), FormatAcctNo(S("21"), S("110123456789")));
    auto *s = openInquiry();
    ASSERT_NE(s, nullptr);
    watchModel(s->grd_ichelist);
    // Opened from the menu with no batch: the period search ran at once.
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 3);
    EXPECT_EQ(figure(s, 1, 2), S("3"));
    EXPECT_EQ(figure(s, 6, 3), S("1,000"));
    EXPECT_EQ(figure(s, 9, 2), S("2"));
    EXPECT_EQ(figure(s, 9, 3), S("6,000"));
    EXPECT_EQ(cell(s, lrRemain, 1), S("-1,200"));
    EXPECT_EQ(cell(s, lrRecvTime, 1), S("09:30:15"));
    EXPECT_EQ(cell(s, lrDummy, 1), S("메모"));

    // A collection's counterparty account is hyphenated for the mother bank.
    EXPECT_EQ(cell(s, lrTransBankNo, 1), FormatAcctNo(S("21"), S("110123456789")));
    // A Ctrl click leaves the clicked row selected.
    {
        const QModelIndex at = s->grd_ichelist->model()->index(2, lrName);
        const QPoint point = s->grd_ichelist->visualRect(at).center();
        QTest::mouseClick(s->grd_ichelist->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseClick(s->grd_ichelist->viewport(), Qt::LeftButton, Qt::ControlModifier, point);
        EXPECT_TRUE(ClientFixture::waitFor(
            [&] { return s->grd_ichelist->selectionModel()->isRowSelected(2, QModelIndex()); }, 2000));
        EXPECT_EQ(s->grd_ichelist->Row(), 2);
    }

    ClickControl(s->chk_right);
    ClickControl(s->chk_ErrSend);
    ClickControl(s->btn_search);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 1);
    EXPECT_EQ(cell(s, lrName, 1), S("불능상사"));
    EXPECT_EQ(cell(s, lrResult, 1), S("잔액 부족"));

    ClickControl(s->chk_wrong);
    client->prompt().clear();
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().texts(), QStringList{S("정상처리 / 비정상처리 옵션이 선택되지 않았습니다.")});
    EXPECT_TRUE(Checked(s->chk_right) && Checked(s->chk_wrong) && Checked(s->chk_ErrSend));
    EXPECT_EQ(cell(s, lrName, 1), S("불능상사"));
    EXPECT_EQ(figure(s, 3, 2), S("0"));

    ClickControl(s->chk_jigub);
    ClickControl(s->btn_search);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 1);
    EXPECT_EQ(cell(s, lrKind, 1), S("지급"));
    // A payment's mother account is its own, never the counterparty's.
    EXPECT_EQ(cell(s, lrMoBankNo, 1), FormatAcctNo(S("21"), S("56012345678901")));
    EXPECT_EQ(cell(s, lrTransBankNo, 1), FormatAcctNo(S("88"), S("110123456789")));
    EXPECT_EQ(figure(s, 5, 3), S("8,000"));
    // Answered normally: the row is drawn on the answered colour, white on it.
    {
        const QModelIndex at = s->grd_ichelist->model()->index(1, lrName);
        EXPECT_EQ(at.data(Qt::BackgroundRole).value<QColor>(), QColor(0x7B, 0x98, 0xE3));
        EXPECT_EQ(at.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));
    }

    TypeText(s->edt_seqnoS, S("3"));
    client->prompt().clear();
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().texts(), QStringList{S("전문범위가 올바르지 않습니다.")});
    SavePicture(s, "liquor_result_inquiry_period");
}

TEST_F(LiquorResults, WholeInquiryOfBothKindsAndTheSingleInquirysDialog)
{
    client->server().client().maxSeqNo(100);
    seed("20", 1, "4", "0000", 1000, S("가상사"));
    seed("20", 2, "2", "", 2000, S("나상사"));
    auto *s = openInquiry();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 2);

    // A period that is not today alone is refused before any number is reserved.
    ASSERT_TRUE(TypeDate(s->dtpkr_from, QDate::fromString(today, QStringLiteral("yyyyMMdd")).addDays(-1)));
    client->prompt().clear();
    ClickControl(s->btn_sendT);
    EXPECT_EQ(client->prompt().texts(), QStringList{S("금일 데이터에 대하여 조회가 가능합니다.")});
    EXPECT_EQ(client->server().query(S("select count(*) as n from icheresult_102")).valueInt(0, S("n")), 0);
    ASSERT_TRUE(TypeDate(s->dtpkr_from, QDate::fromString(today, QStringLiteral("yyyyMMdd"))));

    // The range the menu hands over lists both tables: one row of each kind
    // more, and each request goes to its transfer's own table.
    seed("30", 3, "2", "", 3000, S("다상사"));
    s->setResultRange(1, 3);
    ClickControl(s->btn_search);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 3);
    ClickControl(s->btn_sendT);
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist, 1));
    const qvx::ResultSet collections =
        client->server().query(S("select org_seqno, up_gubuncode, userid from icheresult_102 order by seqno"));
    const qvx::ResultSet payments = client->server().query(S("select org_seqno, ichE_senddate from icheresult_103"));
    ASSERT_EQ(collections.recordCount(), 2);
    ASSERT_EQ(payments.recordCount(), 1);
    EXPECT_EQ(collections.value(0, S("up_gubuncode")), S("0601100"));
    EXPECT_EQ(payments.value(0, S("org_seqno")), S("3"));
    EXPECT_EQ(payments.value(0, S("iche_senddate")), today);
    // The bank's answer runs the search on the listed range again.
    EXPECT_TRUE(ClientFixture::waitFor([&] { return DataRowCount(s->grd_ichelist, 1) >= 2; }, 15000));

    // The single inquiry waits in its dialog, which the answer fills.
    ASSERT_TRUE(ClickGridCell(s->grd_ichelist, lrName, 1));
    QString procResult;
    QString sendDate;
    OnModal<Tqv_ichesearchsub_frm>([&](Tqv_ichesearchsub_frm *d) {
        EXPECT_EQ(d->objectName(), S("qv_j_ichesearchsub_frm"));
        ClientFixture::waitFor([&] { return !d->edt_procresult->text().isEmpty(); }, 15000);
        procResult = d->edt_procresult->text();
        sendDate = d->edt_senddate->text();
        SavePicture(d, "liquor_result_dialog");
        ClickControl(d->DDButton1);
    });
    ClickControl(s->btn_sendS);
    EXPECT_FALSE(procResult.isEmpty());
    EXPECT_EQ(sendDate, DashedDate(today));
    EXPECT_EQ(client->server().query(S("select count(*) as n from icheresult_102")).valueInt(0, S("n")), 3);
}

TEST_F(LiquorResults, FailedInquiriesSayWhyAndARegisteredBatchIsNeverSentAgain)
{
    client->server().client().maxSeqNo(100);
    seed("20", 1, "2", "", 1000, S("가상사"));
    seed("20", 2, "2", "", 2000, S("나상사"));
    seed("30", 3, "2", "", 3000, S("다상사"));
    auto *s = openInquiry();
    ASSERT_NE(s, nullptr);
    auto count = [&](const char *table) {
        return client->server().query(S("select count(*) as n from %1").arg(QLatin1String(table))).valueInt(0, S("n"));
    };
    auto listRange = [&](int from, int to) {
        s->setResultRange(from, to);
        ClickControl(s->btn_search);
    };
    HookedLink link(*client->dm()->scktconnect);
    client->dm()->setAppServer(&link);

    // The collections went out, the payments' insert was refused: the user
    // is told both, and the registered collections leave the list.
    listRange(1, 3);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 3);
    link.refuse = [](const QString &sql) { return sql.contains(u"icheresult_103"); };
    client->prompt().clear();
    ClickControl(s->btn_sendT);
    EXPECT_EQ(client->prompt().texts(),
              QStringList{S("데이터베이스에 오류가 발생하였습니다. 이체내역을 확인하시고 재송신하시기 바랍니다.\r\n"
                            "수납 자료의 이체결과 조회는 송신되었습니다.")});
    EXPECT_EQ(count("icheresult_102"), 2);
    EXPECT_EQ(count("icheresult_103"), 0);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 1);
    EXPECT_EQ(cell(s, lrGubun, 1), S("30"));
    EXPECT_EQ(s->ResultSeqFrom, 0);

    // Sending again asks only for what did not go out.
    link.refuse = {};
    ClickControl(s->btn_sendT);
    EXPECT_EQ(count("icheresult_102"), 2);
    EXPECT_EQ(count("icheresult_103"), 1);
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist, 1));

    // A refused commit: the list stays as it was, nothing is stored.
    listRange(3, 3);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 1);
    bool inserted = false;
    link.refuse = [&inserted](const QString &sql) {
        if (sql.contains(u"icheresult_103"))
            inserted = true;
        return inserted && sql == u"commit";
    };
    client->prompt().clear();
    ClickControl(s->btn_sendT);
    EXPECT_EQ(client->prompt().texts(), QStringList{S("데이터베이스에 오류가 발생하였습니다. Commit error")});
    EXPECT_EQ(count("icheresult_103"), 1);
    EXPECT_EQ(DataRowCount(s->grd_ichelist, 1), 1);

    // The single inquiry that could not be stored says so and opens no dialog.
    inserted = false;
    link.refuse = [](const QString &sql) { return sql.contains(u"icheresult_103"); };
    client->prompt().clear();
    ASSERT_TRUE(ClickGridCell(s->grd_ichelist, lrName, 1));
    ClickControl(s->btn_sendS);
    EXPECT_EQ(client->prompt().texts(), QStringList{S("정상적으로 처리되지 않았습니다.")});
    EXPECT_EQ(s->findChild<Tqv_ichesearchsub_frm *>(), nullptr);
    EXPECT_EQ(count("icheresult_103"), 1);
    client->dm()->setAppServer(nullptr);
}

// The bank takes longer, so that the test has moved to another screen before
// the answer to the inquiries comes in.
class SlowBankLiquorResults : public LiquorResults
{
protected:
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = LiquorResults::options();
        o.server.adjust = [](qvx::ServerOptions &server) { server.bankDelayMs = 3000; };
        return o;
    }
};

TEST_F(SlowBankLiquorResults, TheBanksAnswerLeavesTheRowsThatDidNotGoOutForTheRetry)
{
    client->server().client().maxSeqNo(100);
    seed("20", 1, "2", "", 1000, S("가상사"));
    seed("20", 2, "2", "", 2000, S("나상사"));
    seed("30", 3, "2", "", 3000, S("다상사"));
    auto *s = openInquiry();
    ASSERT_NE(s, nullptr);
    auto *view = openView();
    ASSERT_NE(view, nullptr);
    QMdiArea *mdi = workArea();
    ASSERT_NE(mdi, nullptr);
    HookedLink link(*client->dm()->scktconnect);
    client->dm()->setAppServer(&link);

    mdi->setActiveSubWindow(subWindowOf(s));
    s->setResultRange(1, 3);
    ClickControl(s->btn_search);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 3);
    link.refuse = [](const QString &sql) { return sql.contains(u"icheresult_103"); };
    ClickControl(s->btn_sendT);
    link.refuse = {};
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 1);

    // The user turns to the other list; the bank's answer to the collections
    // brings the inquiry back to the front with the failed payment still listed.
    mdi->setActiveSubWindow(subWindowOf(view));
    ASSERT_EQ(mdi->currentSubWindow()->widget(), view);
    ASSERT_TRUE(ClientFixture::waitFor([&] { return mdi->currentSubWindow()->widget() == s; }, 20000));
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 1);
    EXPECT_EQ(cell(s, lrGubun, 1), S("30"));
    EXPECT_EQ(cell(s, lrSeqNo, 1), S("3"));
    EXPECT_EQ(cell(s, lrNo, 1), S("1"));

    // Sending again asks for the payment alone: each collection was asked for once.
    ClickControl(s->btn_sendT);
    const qvx::ResultSet asked =
        client->server().query(S("select org_seqno, count(*) as n from icheresult_102 group by org_seqno order by org_seqno"));
    ASSERT_EQ(asked.recordCount(), 2);
    EXPECT_EQ(asked.value(0, S("n")), S("1"));
    EXPECT_EQ(asked.value(1, S("n")), S("1"));
    EXPECT_EQ(client->server().query(S("select org_seqno from icheresult_103")).value(0, 0), S("3"));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist, 1));
    client->dm()->setAppServer(nullptr);
}

// The bank takes one batch at a time: while the collections' inquiry waits
// for its answer, the payments' registration is answered busy.
class OneBatchBankLiquorResults : public LiquorResults
{
protected:
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = LiquorResults::options();
        o.server.adjust = [](qvx::ServerOptions &server) {
            server.bankDelayMs = 3000;
            server.bankMaxPending = 1;
        };
        return o;
    }
};

TEST_F(OneBatchBankLiquorResults, AnAnswerWhileTheBusyQuestionIsOpenLeavesTheUnsentPaymentsForTheRetry)
{
    client->server().client().maxSeqNo(100);
    for (int i = 1; i <= 5; ++i)
        seed("20", i, "2", "", 1000 * i, S("수납상사") + QString::number(i));
    seed("30", 6, "2", "", 6000, S("지급상사1"));
    seed("30", 7, "2", "", 7000, S("지급상사2"));
    auto *s = openInquiry();
    ASSERT_NE(s, nullptr);
    auto *view = openView();
    ASSERT_NE(view, nullptr);
    QMdiArea *mdi = workArea();
    ASSERT_NE(mdi, nullptr);
    mdi->setActiveSubWindow(subWindowOf(s));
    s->setResultRange(1, 7);
    ClickControl(s->btn_search);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 7);

    // The busy question stays open until the bank's answer to the
    // collections has come in and brought the inquiry to the front; then the
    // user withdraws.
    bool answered = false;
    client->prompt().setCallback([&, this](const qvx::ScriptedPrompt::Entry &e) {
        if (e.text != SendDescBusyQuestion)
            return;
        mdi->setActiveSubWindow(subWindowOf(view));
        answered = ClientFixture::waitFor([&] { return mdi->currentSubWindow()->widget() == s; }, 20000);
    });
    client->prompt().clear();
    client->prompt().enqueueAnswer(false);
    ClickControl(s->btn_sendT);
    client->prompt().setCallback({});
    ASSERT_TRUE(answered);
    EXPECT_EQ(client->prompt().texts(),
              (QStringList{SendDescBusyQuestion, S("작업을 철회하였습니다."),
                           S("수납 자료의 이체결과 조회는 송신되었습니다.")}));
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 2);
    EXPECT_EQ(cell(s, lrSeqNo, 1), S("6"));
    EXPECT_EQ(cell(s, lrSeqNo, 2), S("7"));
    EXPECT_EQ(cell(s, lrNo, 1), S("1"));
    EXPECT_EQ(cell(s, lrNo, 2), S("2"));

    // Sending again asks for the payments alone (the withdrawn batch's rows
    // stay stored, never registered).
    client->prompt().clear();
    const int storedPayments = client->server().query(S("select count(*) from icheresult_103")).value(0, 0).toInt();
    ClickControl(s->btn_sendT);
    EXPECT_FALSE(client->prompt().contains(S("조회할 데이터가 존재하지 않습니다.")));
    EXPECT_EQ(client->server().query(S("select count(*) as n from icheresult_102")).value(0, 0), S("5"));
    EXPECT_EQ(client->server().query(S("select count(*) from icheresult_103")).value(0, 0).toInt(), storedPayments + 2);
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist, 1));
    const qvx::ResultSet payments =
        client->server().query(S("select distinct org_seqno from icheresult_103 order by org_seqno"));
    ASSERT_EQ(payments.recordCount(), 2);
    EXPECT_EQ(payments.value(0, 0), S("6"));
    EXPECT_EQ(payments.value(1, 0), S("7"));
}

TEST_F(LiquorResults, ReprocessingRecordLoadsBackIntoTheEntryScreen)
{
    seed("30", 7, "4", "0013", 1500, S("가나주류상사"));
    seed("30", 8, "4", "0000", 700, S("다라"));
    qvx::ScriptedFileChooser chooser;
    auto *s = openInquiry();
    ASSERT_NE(s, nullptr);
    ClickControl(s->chk_jigub);
    ClickControl(s->btn_search);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 2);

    // Nothing ticked: no text file.
    const QString name = client->home() + S("/data/지급_재처리");
    QDir().mkpath(client->home() + S("/data"));
    chooser.enqueue(name, 1);
    client->prompt().clear();
    ClickControl(s->btn_filesave);
    EXPECT_EQ(client->prompt().texts(), QStringList{S("저장할 자료가 선택되지 않았습니다.")});
    EXPECT_TRUE(chooser.asked.value(0).proposedName.startsWith(S("지급_재처리")));

    ASSERT_TRUE(TickGridCheckBox(s->grd_ichelist, lrNo, 1));
    chooser.enqueue(name, 1);
    client->prompt().clear();
    ClickControl(s->btn_filesave);
    QFile file(name + S(".txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(client->prompt().texts().join('|'));
    const QByteArray bytes = file.readAll();
    file.close();
    EXPECT_TRUE(client->prompt().contains(QDir::toNativeSeparators(name + S(".txt")) + S(" 를 저장하였습니다."))
                || client->prompt().contains(name + S(".txt 를 저장하였습니다.")))
        << qPrintable(client->prompt().texts().join('|'));
    ASSERT_EQ(bytes.size(), 243);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    // The record carries the account password: for the owner's eyes only.
    EXPECT_FALSE(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                                       | QFileDevice::WriteOther));
    EXPECT_EQ(bytes.left(4), qvx::Cp949::encode(S("지급")));
    EXPECT_EQ(bytes.mid(24, 15), QByteArray("56012345678901 "));
    EXPECT_EQ(bytes.mid(78, 12), qvx::Cp949::encode(S("가나주류상사")));
    EXPECT_EQ(bytes.mid(125, 6), qvx::Cp949::encode(S("주류  ")));
    EXPECT_EQ(bytes.mid(191, 10), QByteArray("JURU      "));
    EXPECT_EQ(bytes.mid(229, 12), (today + S("0013")).toLatin1());

    // The entry screen reads the record back as a row to send again.
    ASSERT_TRUE(TriggerMenuItem(main, S("qv_b2")));
    auto *entry = qobject_cast<Tqv_IcheMakeJuru_frm *>(FindScreen(main, S("qv_ichemakeJuru_frm")));
    ASSERT_NE(entry, nullptr);
    chooser.enqueue(name + S(".txt"));
    client->prompt().enqueueAnswer(false); // keep the file
    ClickControl(entry->btn_callfile);
    ASSERT_EQ(entry->grd_ichelist->RowCount(), 2) << qPrintable(client->prompt().texts().join('|'));
    EXPECT_EQ(entry->grd_ichelist->Cells(lcName, 1), S("가나주류상사"));
    EXPECT_EQ(entry->grd_ichelist->Cells(lcMoney, 1), S("1,500"));
    EXPECT_EQ(entry->grd_ichelist->Cells(lcGubun, 1), S("30"));
}

TEST_F(LiquorResults, ReprocessingRecordCutsALongNameAndRefusesACharacterItCannotHold)
{
    seed("30", 7, "4", "0013", 1500, S("가나다라마a바사아"));
    seed("30", 8, "4", "0000", 700, S("😀가나다라마바"));
    qvx::ScriptedFileChooser chooser;
    auto *s = openView();
    ASSERT_NE(s, nullptr);
    ClickControl(s->chk_jigub);
    ClickControl(s->btn_close);
    ASSERT_EQ(DataRowCount(s->grd_ichelist), 2);

    // The view saves every row: the second cannot be written as it stands.
    const QString name = client->home() + S("/data/지급_재처리");
    QDir().mkpath(client->home() + S("/data"));
    chooser.enqueue(name, 1);
    client->prompt().clear();
    ClickControl(s->btn_filesave);
    EXPECT_EQ(client->prompt().texts(),
              QStringList{S("2번째 자료의 '도매상명' 값의 문자 \"😀\"(U+1F600)는 CP949로 저장할 수 없습니다.\r\n"
                            "값을 수정한 후 다시 저장하시기 바랍니다.")});
    EXPECT_FALSE(QFile::exists(name + S(".txt")));

    // Without it, the long name is cut to its 12 bytes and nothing after it moves.
    client->server().exec(S("delete from cmsjiche103 where SeqNo = 8"));
    ClickControl(s->btn_close);
    ASSERT_EQ(DataRowCount(s->grd_ichelist), 1);
    chooser.enqueue(name, 1);
    ClickControl(s->btn_filesave);
    QFile file(name + S(".txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(client->prompt().texts().join('|'));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 243);
    EXPECT_EQ(bytes.mid(78, 12), qvx::Cp949::encode(S("가나다라마a ")));
    EXPECT_EQ(bytes.mid(186, 3), QByteArray("DY2"));
    EXPECT_EQ(bytes.mid(229, 12), (today + S("0013")).toLatin1());
}

TEST_F(LiquorResults, InquiryReportFillsItsPageAndTheViewsDoesNot)
{
    for (int i = 1; i <= 5; ++i)
        seed("20", i, "4", "0000", 100 * i, S("상사") + QString::number(i));
    auto *s = openInquiry();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 5);
    QVector<qvx::Report::Page> pages = s->Report1.layout();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].detailCount(), 31);
    {
        // The page as it prints, for a person to look at.
        QImage image(QSize(210 * 4, 297 * 4), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        s->Report1.paintPage(painter, pages[0], 4);
        painter.end();
        image.save(qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath()) + S("/liquor_result_report.png"));
    }

    auto *v = openView();
    ASSERT_NE(v, nullptr);
    ClickControl(v->btn_close);
    ASSERT_EQ(DataRowCount(v->grd_ichelist, 1), 5);
    pages = v->Report1.layout();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].detailCount(), 5);
    EXPECT_EQ(v->JuMoneyTotal, 1500);
    ExpectReportLayout(v->Report1, S("이체처리현황 (사용자별)"), 5);

    // Both print the same title band; the inquiry's pages hold 31, then 37 lines.
    for (int i = 6; i <= 33; ++i)
        seed("20", i, "4", "0000", 100, S("상사") + QString::number(i));
    ClickControl(s->btn_search);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 33);
    ExpectReportLayout(s->Report1, S("이체처리현황 (사용자별)"), 31, 37);
}

// Both reports print the widest figures whole: 13-digit amounts in the
// lines, 14-digit totals in the title band, beside full-width names.
TEST_F(LiquorResults, BothReportsPrintTheWidestAmountsAndTotalsWhole)
{
    for (int i = 1; i <= 2; ++i)
        seed("20", i, "4", "0000", 9999999999999, S("가나다라마바"));
    client->server().exec(S("update cmsjiche102 set nonJuMoney = '9999999999999'"));
    auto *s = openInquiry();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(DataRowCount(s->grd_ichelist, 1), 2);
    EXPECT_EQ(figure(s, 3, 3), S("19,999,999,999,998"));
    EXPECT_EQ(ClippedTexts(s->Report1).join(u'\n').toStdString(), "");
    auto *v = openView();
    ASSERT_NE(v, nullptr);
    ClickControl(v->btn_close);
    ASSERT_EQ(DataRowCount(v->grd_ichelist, 1), 2);
    EXPECT_EQ(ClippedTexts(v->Report1).join(u'\n').toStdString(), "");
    // Both first pages as they print, for a person to look at.
    for (auto [report, name] : {std::pair{&s->Report1, "liquor_inquiry_report_widest"},
                                std::pair{&v->Report1, "liquor_view_report_widest"}}) {
        const QVector<qvx::Report::Page> pages = report->layout();
        QImage image(QSize(210 * 5, 297 * 5), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        report->paintPage(painter, pages[0], 5);
        painter.end();
        image.save(qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath()) + u'/' + QString::fromLatin1(name)
                   + S(".png"));
    }
}

TEST_F(LiquorResults, StatusViewOfEveryUserWithOwnerNamesAndItsSemicolonExport)
{
    seed("20", 1, "4", "0000", 1000, S("가상사"));
    seed("20", 2, "2", "", 2000, S("나상사"), S("JURUSU"));
    seed("20", 3, "4", "0013", 4000, S("다상사"));
    client->session().FileSaveFlag = 1;
    qvx::ScriptedFileChooser chooser;
    auto *v = openView();
    ASSERT_NE(v, nullptr);
    watchModel(v->grd_ichelist);
    EXPECT_TRUE(GridIsEmpty(v->grd_ichelist, 1)); // shown without searching
    // The kind and the send state each under their caption.
    auto *kind = v->findChild<QGroupBox *>(S("grp_kind"));
    auto *state = v->findChild<QGroupBox *>(S("grp_state"));
    ASSERT_NE(kind, nullptr);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(kind->title(), S("거래구분"));
    EXPECT_EQ(state->title(), S("송수신상태"));
    EXPECT_TRUE(kind->isAncestorOf(v->chk_sunab) && kind->isAncestorOf(v->chk_jigub));
    EXPECT_TRUE(state->isAncestorOf(v->rd_entire) && state->isAncestorOf(v->rd_notsend));
    SavePicture(v, "qv_j_icheview_frm");
    ClickControl(v->chk_MoName);
    ClickControl(v->btn_close);
    ASSERT_EQ(DataRowCount(v->grd_ichelist, 1), 3);
    EXPECT_EQ(cell(v, lrMoBankNo, 1), S("한빛상사"));
    EXPECT_EQ(figure(v, 9, 3), S("6,000"));

    // "미 송 신" unticks and disables "정상처리".
    ClickControl(v->rd_notsend);
    EXPECT_FALSE(Checked(v->chk_right));
    EXPECT_FALSE(v->chk_right->isEnabled());
    ClickControl(v->btn_close);
    ASSERT_EQ(DataRowCount(v->grd_ichelist, 1), 1);
    EXPECT_EQ(cell(v, lrName, 1), S("나상사"));

    const QString name = client->home() + S("/view");
    chooser.enqueue(name, 1);
    ClickControl(v->btn_filesave);
    QFile file(name + S(".txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              qvx::Cp949::encode(today + S(";2;조흥은행;56012345678901;수납;송신완료;;나상사;2000;-1200;신한은행;"
                                           "110123456789;;093015;300;;2000;0;메모;\r\n")));

    // A sheet that cannot be written, a file standing where its folder should be, says why in Korean.
    const QString blocked = client->home() + S("/막힘");
    QFile blocker(blocked);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    chooser.enqueue(blocked + S("/view"), 2);
    ClickControl(v->btn_filesave);
    EXPECT_EQ(client->prompt().lastText(), S("파일을 저장하지 못하였습니다.\r\r파일을 저장할 수 없습니다: ") +
                                               QDir::toNativeSeparators(blocked + S("/view.xls")) +
                                               S(" (저장할 폴더를 만들 수 없습니다: ") +
                                               QDir::toNativeSeparators(blocked) + u')');
    SavePicture(v, "liquor_status_view");
}

} // namespace
