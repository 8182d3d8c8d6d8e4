// The liquor-trade entry screen driven as the JURU user works it, against the
// demo server with the simulated bank: the amount trio, the same-bank rule,
// the adding checks and the duplicate question, sending (the request rows, the
// hand-over to the result inquiry, the bank's answer, a failing row), the
// temporary save and reload, and the row edit.
#include "ListScreenFixture.h"

#include "controls/panels/KitComboBox.h"
#include "platform/TListGrid.h"

#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenInterfaces.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "liquor/screens/LiquorScreens.h"
#include "liquor/LiquorTempSave.h"
#include "liquor/screens/IcheMakeJuruSubunit.h"
#include "liquor/screens/IcheMakeJuruUnit.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"
#include "support/FileDialogDriver.h"
#include "support/Eventually.h"

#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPointer>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

// Stands in for the liquor result inquiry: records the ranges it is given and
// the searches it is asked to run.
class RecordingInquiry : public QWidget, public IResultRangeScreen, public ISearchScreen
{
public:
    explicit RecordingInquiry(QWidget *owner) : QWidget(owner) { setObjectName(S("qv_j_ichesearch_frm")); }
    void setResultRange(int from, int to) override { ranges.append({from, to}); }
    void btn_searchClick(QObject *) override { ++searches; }
    QList<QPair<int, int>> ranges;
    int searches = 0;
};

// Chooses an item as a person does with the mouse: the list opened, the item
// clicked (no walk through the items before it).
void ChooseItem(TKitComboBox *combo, int index)
{
    ASSERT_GE(index, 0);
    ASSERT_TRUE(Usable(combo)) << qPrintable(combo->objectName());
    combo->setFocus(Qt::MouseFocusReason);
    static_cast<QComboBox *>(combo)->showPopup();
    QAbstractItemView *view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    const QPoint at = view->visualRect(item).center();
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EVENTUALLY(!view->isVisible());
}

// A dialog's window made active before it is typed into, as it is for a person.
void Activate(QWidget *dialog)
{
    // The click that opened the dialog may still hand the activation back to
    // the main window: ask again until the dialog has it.
    EXPECT_TRUE(ClientFixture::waitFor([dialog] {
        if (!dialog->isActiveWindow())
            dialog->activateWindow();
        return dialog->isActiveWindow();
    }));
}

class LiquorEntryScreen : public ListScreenFixture
{
protected:
    void registerScreens() override
    {
        registerLiquorScreens();
        ScreenRegistry::instance().add(S("qv_j_ichesearch_frm"), [this](QWidget *owner, const ScreenContext &) -> QWidget * {
            inquiry = new RecordingInquiry(owner);
            return inquiry;
        });
    }
    void TearDown() override
    {
        ListScreenFixture::TearDown();
        ScreenRegistry::instance().remove(S("qv_j_ichesearch_frm"));
    }
    QString userId() const override { return S("JURU"); }
    QString password() const override { return S("4444"); }
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = ListScreenFixture::options();
        o.general = false; // a liquor-trade client
        return o;
    }

    Tqv_IcheMakeJuru_frm *entry(bool payment)
    {
        return open<Tqv_IcheMakeJuru_frm>(payment ? "qv_b2" : "qv_b1", "qv_ichemakeJuru_frm");
    }

    // A row typed by hand on mother account [moBank]: the amounts, a name that
    // is no payee, the counterparty bank taken from the mother account by
    // walking into its field, the account, the other information.
    void enter(Tqv_IcheMakeJuru_frm *s, const char *moBank, const QString &liquor, const QString &nonLiquor,
               const QString &name, const QString &account, const QString &info = QString())
    {
        Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, S("[") + QLatin1String(moBank) + S("]")));
        TypeText(s->curredt_juru, liquor);
        TypeText(s->curredt_bijuru, nonLiquor);
        TypeText(s->edt_sendname, name);
        QTest::keyClick(s->edt_sendname, Qt::Key_Return); // into the bank, which takes the mother's bank
        QTest::keyClick(s->cmb_transbankid, Qt::Key_Return);
        TypeText(s->edt_bankno, account);
        TypeText(s->edt_other, info);
        ClickControl(s->btn_datasave);
    }

    QString cell(Tqv_IcheMakeJuru_frm *s, int col, int row) const { return s->grd_ichelist->Cells(col, row); }

    RecordingInquiry *inquiry = nullptr;
};

} // namespace

TEST_F(LiquorEntryScreen, AmountsAddUpAndA14thCharacterIsRefused)
{
    Tqv_IcheMakeJuru_frm *s = entry(false);
    ASSERT_NE(s, nullptr);
    watchModel(s->grd_ichelist);
    EXPECT_EQ(s->cmb_transdiv->Text(), S("수납"));
    EXPECT_TRUE(s->windowTitle().endsWith(S("◆수납◆")));
    EXPECT_FALSE(main->item(S("qv_b2"))->isEnabled());

    enter(s, "21", S("1000000"), S("0"), S("가나상사"), S("56012345678901"));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2) << qPrintable(client->prompt().texts().join('|'));
    EXPECT_EQ(cell(s, lcJuMoney, 1), S("1,000,000"));
    EXPECT_EQ(cell(s, lcNonJuMoney, 1), S("0"));
    EXPECT_EQ(cell(s, lcMoney, 1), S("1,000,000"));
    EXPECT_EQ(cell(s, lcTransDiv, 1), S("수납"));
    EXPECT_EQ(cell(s, lcGubun, 1), S("20"));
    EXPECT_EQ(cell(s, lcBankId, 1), S("21"));
    EXPECT_EQ(s->curredt_gunR->Value().toInt64(), 1);
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 1000000);

    client->prompt().clear();
    TypeText(s->curredt_bijuru, S("12345678901234"));
    EXPECT_EQ(client->prompt().texts(), QStringList{S("금액을 초과하였습니다.")});
    EXPECT_EQ(s->curredt_bijuru->Value().toInt64(), 0);
    client->prompt().clear();
    TypeText(s->curredt_money, S("99999999999999"));
    EXPECT_EQ(client->prompt().texts(), QStringList{S("금액을 초과하였습니다.")});
    EXPECT_EQ(s->curredt_money->Value().toInt64(), 0);
    EXPECT_EQ(s->curredt_juru->Value().toInt64(), 0);

    // A decimal point stays in the field and the row is refused, never 10,005.
    client->prompt().clear();
    enter(s, "21", S("1000.5"), S("0"), S("가나상사"), S("56012345678901"));
    EXPECT_EQ(s->curredt_juru->Text(), S("1000.5"));
    EXPECT_EQ(client->prompt().lastText(), S("주류금액을 원 단위 숫자로 입력하시기 바랍니다."));
    EXPECT_EQ(s->grd_ichelist->RowCount(), 2);
    SavePicture(s, "liquor_entry_collection");
}

// Typed or pasted, a thousands comma groups won in each of the three amount
// fields; what is no whole won stays as typed and its refusal names its field.
TEST_F(LiquorEntryScreen, AmountsTypedWithThousandsCommasAreWholeWonAndRefusalsNameTheirField)
{
    Tqv_IcheMakeJuru_frm *s = entry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "21", S("5,000"), S("1,234,567"), S("가나상사"), S("56012345678901"));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2) << qPrintable(client->prompt().texts().join('|'));
    EXPECT_EQ(cell(s, lcJuMoney, 1), S("5,000"));
    EXPECT_EQ(cell(s, lcNonJuMoney, 1), S("1,234,567"));
    EXPECT_EQ(cell(s, lcMoney, 1), S("1,239,567"));
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 1239567);

    // Pasted into the liquor amount, "5,000" sums as typed.
    QGuiApplication::clipboard()->setText(S("5,000"));
    TypeText(s->curredt_juru, QString());
    QTest::keyClick(s->curredt_juru, Qt::Key_V, Qt::ControlModifier);
    TypeText(s->curredt_bijuru, S("0"));
    s->edt_other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(s->curredt_money->Value().toInt64(), 5000);
    EXPECT_EQ(s->curredt_money->DisplayText(), S("5,000"));

    // A fraction in a part: the part shows it as typed, the sum stays, the
    // row is refused naming the part.
    client->prompt().clear();
    enter(s, "21", S("1000"), S("1000.5"), S("다라상사"), S("56012345678901"));
    EXPECT_EQ(client->prompt().lastText(), S("비주류금액을 원 단위 숫자로 입력하시기 바랍니다."));
    EXPECT_EQ(s->grd_ichelist->RowCount(), 2);
    s->edt_other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(s->curredt_bijuru->DisplayText(), S("1000.5"));
    EXPECT_EQ(s->curredt_money->DisplayText(), S("1,000")); // the last sum that could be made
    client->prompt().clear();
    TypeText(s->curredt_bijuru, S("0"));
    TypeText(s->curredt_money, S("12,34"));
    s->edt_other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(s->curredt_money->DisplayText(), S("12,34"));
    SavePicture(s, "liquor_entry_amount_as_typed");
    ClickControl(s->btn_datasave);
    EXPECT_EQ(client->prompt().texts(), QStringList{S("이체금액을 원 단위 숫자로 입력하시기 바랍니다.")});

    // The row edit names the field that is wrong, and keeps it as typed.
    OnModal<Tqv_juruicheModify_frm>([this](Tqv_juruicheModify_frm *d) {
        Activate(d);
        client->prompt().clear();
        TypeText(d->curredt_juru, S("2,000.5"));
        ClickIn(d, "btn_modify");
        EXPECT_EQ(client->prompt().texts(), QStringList{S("주류금액을 원 단위 숫자로 입력하시기 바랍니다.")});
        EXPECT_EQ(d->curredt_juru->Text(), S("2,000.5"));
        client->prompt().clear();
        TypeText(d->curredt_juru, S("2,000"));
        TypeText(d->curredt_bijuru, S("-5"));
        ClickIn(d, "btn_modify");
        EXPECT_EQ(client->prompt().texts(), QStringList{S("비주류금액을 원 단위 숫자로 입력하시기 바랍니다.")});
        TypeText(d->curredt_bijuru, S("500"));
        d->edt_daesanginfo->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(d->curredt_money->Value().toInt64(), 2500);
        ClickIn(d, "btn_modify");
    });
    ClickGridCell(s->grd_ichelist, 2, 1, true);
    EXPECT_EQ(cell(s, lcJuMoney, 1), S("2,000"));
    EXPECT_EQ(cell(s, lcMoney, 1), S("2,500"));
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 2500);
}

TEST_F(LiquorEntryScreen, SameBankRuleInItsHandlers)
{
    Tqv_IcheMakeJuru_frm *s = entry(true);
    ASSERT_NE(s, nullptr);
    // Entering the bank field selects the mother account's bank.
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, S("[21]")));
    s->cmb_transbankid->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(s->cmb_transbankid->Text().mid(1, 2), S("21"));
    // Picking another bank is refused and set back; 88 is the same bank as 21.
    client->prompt().clear();
    ChooseItem(s->cmb_transbankid, ItemWith(s->cmb_transbankid, S("[04]")));
    EXPECT_TRUE(client->prompt().contains(S("현재 주류이체는 당행만 처리됩니다.")));
    EXPECT_EQ(s->cmb_transbankid->Text().mid(1, 2), S("21"));
    client->prompt().clear();
    ChooseItem(s->cmb_transbankid, ItemWith(s->cmb_transbankid, S("[88]")));
    EXPECT_EQ(client->prompt().count(), 0);
    EXPECT_EQ(s->cmb_transbankid->Text().mid(1, 2), S("88"));

    // A payee found by name at bank 88 takes the first account at 21 or 88.
    TypeText(s->edt_sendname, S("서울"));
    s->edt_bankno->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(s->edt_sendname->text(), S("서울주류"));
    EXPECT_EQ(s->cmb_allbank->Text().mid(1, 2), S("21"));
    EXPECT_EQ(s->cmb_transbankid->Text().mid(1, 2), S("88"));
    EXPECT_EQ(s->edt_bankno->text(), FormatAcctNo(S("88"), S("110987654321")));

    // Another mother account empties the counterparty; leaving it takes its bank.
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, S("[04]")));
    EXPECT_TRUE(s->edt_sendname->text().isEmpty());
    EXPECT_TRUE(s->edt_bankno->text().isEmpty());
    s->curredt_juru->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(s->cmb_transbankid->Text().mid(1, 2), S("04"));
    // With a mother account at 04 the name takes no ASCII letters.
    TypeText(s->edt_sendname, S("ab가c"));
    EXPECT_EQ(s->edt_sendname->text(), S("가"));
}

TEST_F(LiquorEntryScreen, AddingChecksAndTheDuplicateQuestion)
{
    Tqv_IcheMakeJuru_frm *s = entry(false);
    ASSERT_NE(s, nullptr);
    ClickControl(s->btn_datasave);
    EXPECT_EQ(client->prompt().lastText(), S("송금인 또는 수금인을 등록하시기 바랍니다."));
    TypeText(s->edt_sendname, S("가나상사"));
    ClickControl(s->btn_datasave);
    EXPECT_EQ(client->prompt().lastText(), S("이체금액을 등록하시기 바랍니다."));
    EXPECT_TRUE(s->curredt_juru->hasFocus());

    enter(s, "21", S("5000"), S("0"), S("가나상사"), S("56012345678901"), S("N"));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2);
    client->prompt().clear();
    client->prompt().enqueueAnswer(false);
    enter(s, "21", S("5000"), S("0"), S("가나상사"), S("56012345678901"), S("N"));
    EXPECT_EQ(client->prompt().lastText(),
              S("중복이체자료를 발견하였습니다.\r\r거래처명 : 가나상사\r이체금액 :         5,000 원\r\r"
                "위의 자료는 이미 이체작성화면에 등록되어 있는 상태입니다.\r\r이체자료에 추가하시겠습니까?"));
    EXPECT_EQ(s->grd_ichelist->RowCount(), 2);
    client->prompt().enqueueAnswer(true);
    enter(s, "21", S("5000"), S("0"), S("가나상사"), S("56012345678901"), S("N"));
    EXPECT_EQ(s->grd_ichelist->RowCount(), 3);
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 10000);

    // Deleting the middle row of three renumbers the rest.
    enter(s, "21", S("7000"), S("0"), S("다라상사"), S("56012345678901"));
    ClickGridCell(s->grd_ichelist, 1, 2);
    ClickControl(s->btn_delete);
    EXPECT_EQ(s->grd_ichelist->RowCount(), 3);
    EXPECT_EQ(cell(s, lcNo, 2), S("2"));
    EXPECT_EQ(cell(s, lcName, 2), S("다라상사"));
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 12000);

    // Closing with rows asks first; closed, both menu items are given back.
    EXPECT_FALSE(main->item(S("qv_b2"))->isEnabled());
    client->prompt().clear();
    client->prompt().enqueueAnswer(true);
    ClickControl(s->btn_close);
    EXPECT_EQ(client->prompt().lastText(), S("이체자료가 있습니다. 종료 후 데이터는 유실됩니다. 종료하시겠습니까?"));
    EXPECT_TRUE(ClientFixture::waitFor([&] { return FindScreen(main, S("qv_ichemakeJuru_frm")) == nullptr; }));
    EXPECT_TRUE(main->item(S("qv_b2"))->isEnabled());
}

TEST_F(LiquorEntryScreen, SendingStoresTheRowsAndTheBanksAnswerReachesTheInquiry)
{
    Tqv_IcheMakeJuru_frm *s = entry(false);
    ASSERT_NE(s, nullptr);
    client->server().client().maxSeqNo(10); // numbers from 11 on (a base of 0 reads as "no batch")
    enter(s, "21", S("1000"), S("500"), S("가나상사"), S("56012345678901"), S("첫째"));
    enter(s, "88", S("2000"), S("0"), S("다라상사"), S("110123456789"), S("둘째"));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 3);
    SavePicture(main, "liquor_entry_before_sending");

    client->prompt().clear();
    client->prompt().enqueueAnswer(true);
    ClickControl(s->btn_accept);
    EXPECT_EQ(client->prompt().texts().value(0),
              S("이체하실 자료는\r\r총이체건수 : 2 건\r이 체 금 액 :             3,500 원\r\r"
                "입니다. 이체송신을 하시겠습니까?"));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 0);

    const qvx::ResultSet rows = client->server().query(
        S("select seqno, bankid, mobankno, bankno, price, jumoney, nonjumoney, name, common_dummy, userid, gubun "
          "from cmsjiche102 order by seqno"));
    ASSERT_EQ(rows.recordCount(), 2);
    const int base = rows.value(0, S("seqno")).toInt() - 1;
    EXPECT_EQ(rows.value(0, S("bankid")), S("21"));
    EXPECT_EQ(rows.value(0, S("mobankno")), S("56012345678901"));
    EXPECT_EQ(rows.value(0, S("price")), S("1500"));
    EXPECT_EQ(rows.value(0, S("jumoney")), S("1000"));
    EXPECT_EQ(rows.value(0, S("nonjumoney")), S("500"));
    EXPECT_EQ(rows.value(0, S("name")), S("가나상사"));
    EXPECT_EQ(rows.value(0, S("common_dummy")), S("첫째"));
    EXPECT_EQ(rows.value(0, S("userid")), S("JURU"));
    EXPECT_EQ(rows.value(0, S("gubun")), S("20"));
    EXPECT_EQ(rows.value(1, S("seqno")).toInt(), base + 2);
    EXPECT_EQ(rows.value(1, S("bankid")), S("88"));

    // The result inquiry opened on the batch; the bank's answer hands it the range again.
    ASSERT_NE(inquiry, nullptr);
    ASSERT_FALSE(inquiry->ranges.isEmpty());
    EXPECT_EQ(inquiry->ranges.first(), qMakePair(base + 1, base + 2));
    EXPECT_EQ(inquiry->searches, 1);
    EXPECT_EQ(client->session().AcceptSeqBase, 0);
    EXPECT_TRUE(ClientFixture::waitFor([&] { return inquiry->searches >= 2; }, 15000));
    EXPECT_EQ(inquiry->ranges.last(), qMakePair(base + 1, base + 2));
    EXPECT_TRUE(ClientFixture::waitFor([&] {
        return client->server().query(S("select count(*) as n from cmsjiche102 where sr_flag <> '1'")).valueInt(0, S("n")) == 2;
    }));
    SavePicture(main, "liquor_entry_after_sending");
    EXPECT_FALSE(s->pnl_total->isEnabled()); // the totals only show, also after a batch
}

TEST_F(LiquorEntryScreen, AFailingRowInTheMiddleKeepsTheWholeListAndRegistersNothing)
{
    Tqv_IcheMakeJuru_frm *s = entry(true);
    ASSERT_NE(s, nullptr);
    client->server().exec(S("create trigger refuse_second before insert on cmsjiche103 when new.Name = '둘째' "
                           "begin select raise(abort, 'refused'); end"));
    enter(s, "21", S("100"), S("0"), S("첫째"), S("56012345678901"));
    enter(s, "21", S("200"), S("0"), S("둘째"), S("56012345678901"));
    enter(s, "21", S("300"), S("0"), S("셋째"), S("56012345678901"));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 4);

    client->prompt().clear();
    client->prompt().enqueueAnswer(true);
    // While the batch goes (its failure is told before the screen takes input again)
    // nothing of the screen takes input.
    bool inputsShut = false;
    client->prompt().setCallback([&](const qvx::ScriptedPrompt::Entry &e) {
        if (e.kind == qvx::ScriptedPrompt::Message)
            inputsShut = !s->btn_datasave->isEnabled() && !s->grd_ichelist->isEnabled() && !s->edt_sendname->isEnabled()
                         && !s->btn_accept->isEnabled() && !s->btn_close->isEnabled();
    });
    ClickControl(s->btn_accept);
    client->prompt().setCallback({});
    EXPECT_TRUE(inputsShut);
    EXPECT_TRUE(client->prompt().contains(S("데이터베이스에 저장되지 않았습니다. 자료를 재작성한 후 송신하시기 바랍니다.")));
    EXPECT_EQ(s->grd_ichelist->RowCount(), 4);
    EXPECT_EQ(cell(s, lcName, 1), S("첫째"));
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 600);
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 1);
    EXPECT_TRUE(s->btn_datasave->isEnabled());
    EXPECT_EQ(client->server().query(S("select count(*) as n from cmsjiche103")).valueInt(0, S("n")), 0);
    EXPECT_EQ(inquiry, nullptr);
    client->server().exec(S("drop trigger refuse_second"));
}

TEST_F(LiquorEntryScreen, TemporarySaveAndReloadRoundTripByteForByte)
{
    qvx::ScriptedFileChooser chooser;
    Tqv_IcheMakeJuru_frm *s = entry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "21", S("1000"), S("234"), S("한빛주류상사"), S("56012345678901"), S("3월분"));
    enter(s, "88", S("50000"), S("0"), S("서해상회"), S("110123456789"));
    const QString first = client->home() + S("/지급_first");
    chooser.enqueue(first);
    client->prompt().enqueueAnswer(true); // empty the list
    ClickControl(s->btn_tempsave);
    EXPECT_TRUE(client->prompt().contains(QDir::toNativeSeparators(first) + S(".txt 를 저장하였습니다.")));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    QFile saved(first + S(".txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    saved.close();
    EXPECT_EQ(bytes.size(), 2 * (LiquorTempSaveLineBytes + 2));
    EXPECT_EQ(bytes.mid(78, 12), qvx::Cp949::encode(S("한빛주류상사")));

    chooser.enqueue(first + S(".txt"));
    client->prompt().enqueueAnswer(false); // keep the file
    ClickControl(s->btn_callfile);
    ASSERT_EQ(s->grd_ichelist->RowCount(), 3);
    EXPECT_EQ(cell(s, lcName, 1), S("한빛주류상사"));
    EXPECT_EQ(cell(s, lcMoBankNo, 2), FormatAcctNo(S("88"), S("110123456789")));
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 51234);
    EXPECT_TRUE(QFile::exists(first + S(".txt")));

    const QString second = client->home() + S("/지급_second");
    chooser.enqueue(second);
    client->prompt().enqueueAnswer(false);
    ClickControl(s->btn_tempsave);
    QFile again(second + S(".txt"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), bytes);

    // A collection file on the payment screen: its first line is refused.
    QFile collection(client->home() + S("/수납_x.txt"));
    ASSERT_TRUE(collection.open(QIODevice::WriteOnly));
    QByteArray line = bytes.left(LiquorTempSaveLineBytes);
    line.replace(0, 4, qvx::Cp949::encode(S("수납")));
    collection.write(line + "\r\n");
    collection.close();
    chooser.enqueue(collection.fileName());
    client->prompt().clear();
    ClickControl(s->btn_callfile);
    EXPECT_EQ(client->prompt().texts(), QStringList{S("지급이체 자료가 아닙니다. 파일 확인후 재시도 하세요")});
    EXPECT_EQ(s->grd_ichelist->RowCount(), 3);

    // Lines read before such a line stay in the list, numbered and summed.
    ASSERT_TRUE(collection.open(QIODevice::WriteOnly));
    collection.write(bytes.left(LiquorTempSaveLineBytes + 2) + line + "\r\n");
    collection.close();
    chooser.enqueue(collection.fileName());
    ClickControl(s->btn_callfile);
    ASSERT_EQ(s->grd_ichelist->RowCount(), 4);
    EXPECT_EQ(cell(s, lcNo, 3), S("3"));
    EXPECT_EQ(cell(s, lcName, 3), S("한빛주류상사"));
    EXPECT_EQ(s->curredt_gunR->Value().toInt64(), 3);
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 51234 + 1234);
}

// A line skipped on the user's word does not spare the file the deletion question.
TEST_F(LiquorEntryScreen, ReloadAsksToDeleteTheFileAlsoAfterASkippedLine)
{
    qvx::ScriptedFileChooser chooser;
    Tqv_IcheMakeJuru_frm *s = entry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "21", S("1000"), S("234"), S("한빛주류상사"), S("56012345678901"));
    const QString saved = client->home() + S("/지급_skip");
    chooser.enqueue(saved);
    client->prompt().enqueueAnswer(true); // empty the list
    ClickControl(s->btn_tempsave);
    QFile file(saved + S(".txt"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("not a transfer line\r\n");
    file.close();

    chooser.enqueue(file.fileName());
    client->prompt().clear();
    client->prompt().enqueueAnswer(true); // go on past the bad line
    client->prompt().enqueueAnswer(true); // delete the file
    ClickControl(s->btn_callfile);
    EXPECT_EQ(client->prompt().texts(),
              (QStringList{S("이체작성자료로 적절하지 않은 파일입니다.\r\r계속 진행하시겠습니까?"),
                           S("불러온 임시저장 파일을 삭제하시겠습니까?")}));
    EXPECT_EQ(s->grd_ichelist->RowCount(), 2);
    EXPECT_EQ(cell(s, lcName, 1), S("한빛주류상사"));
    EXPECT_FALSE(QFile::exists(file.fileName()));
}

TEST_F(LiquorEntryScreen, TemporarySaveRefusesANameCharacterItCannotHoldAndWritesForTheOwnerOnly)
{
    qvx::ScriptedFileChooser chooser;
    Tqv_IcheMakeJuru_frm *s = entry(true);
    ASSERT_NE(s, nullptr);
    // The name field's 12-byte cut keeps a character CP949 lacks as typed.
    TypeText(s->edt_sendname, S("😀가나다라마바"));
    EXPECT_EQ(s->edt_sendname->text(), S("😀가나다라마"));
    enter(s, "21", S("1000"), S("234"), S("가나"), S("56012345678901"));
    // The row edit takes the name as typed: longer than 12 bytes, with a
    // character CP949 lacks.
    OnModal<Tqv_juruicheModify_frm>([](Tqv_juruicheModify_frm *d) {
        Activate(d);
        TypeText(d->edt_sendname, S("😀가나다라마바"));
        ClickIn(d, "btn_modify");
    });
    ClickControl(s->btn_modify);
    ASSERT_EQ(cell(s, lcName, 1), S("😀가나다라마바"));
    const QString name = client->home() + S("/지급_emoji");
    chooser.enqueue(name);
    client->prompt().clear();
    ClickControl(s->btn_tempsave);
    EXPECT_EQ(client->prompt().texts(),
              QStringList{S("1번째 자료의 '거래처명' 값의 문자 \"😀\"(U+1F600)는 CP949로 저장할 수 없습니다.\r\n"
                            "값을 수정한 후 다시 저장하시기 바랍니다.")});
    EXPECT_FALSE(QFile::exists(name + S(".txt")));
    EXPECT_EQ(s->grd_ichelist->RowCount(), 2);

    // A name CP949 holds is saved, and the file (it holds the account's
    // password) is readable by its owner alone.
    OnModal<Tqv_juruicheModify_frm>([](Tqv_juruicheModify_frm *d) {
        Activate(d);
        TypeText(d->edt_sendname, S("가나다라마바사"));
        ClickIn(d, "btn_modify");
    });
    ClickControl(s->btn_modify);
    chooser.enqueue(name);
    client->prompt().enqueueAnswer(false);
    ClickControl(s->btn_tempsave);
    QFile saved(name + S(".txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << qPrintable(client->prompt().texts().join('|'));
    EXPECT_EQ(saved.readAll().mid(78, 12), qvx::Cp949::encode(S("가나다라마바")));
    EXPECT_EQ(saved.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                                     | QFileDevice::WriteOther),
              QFileDevice::Permissions());
}

TEST_F(LiquorEntryScreen, ReloadDialogListsTheSavedFilesUnderItsFirstTypeAndCancelSaysNothing)
{
    Tqv_IcheMakeJuru_frm *s = entry(false);
    ASSERT_NE(s, nullptr);
    enter(s, "21", S("1000"), S("234"), S("한빛주류상사"), S("56012345678901"));
    const QString data = QDir::current().filePath(S("data"));
    QDir(data).removeRecursively();
    {
        qvx::ScriptedFileChooser chooser;
        chooser.enqueue(data + S("/수납_20261210023329"));
        client->prompt().enqueueAnswer(true); // empty the list
        ClickControl(s->btn_tempsave);
        EXPECT_EQ(chooser.asked.value(0).proposedName.left(3), S("수납_"));
    }
    QFile other(data + S("/메모.txt"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    // Under the first type only the collection saves are listed.
    auto answer = testsupport::AnswerNextFileDialog(QString(), S("수납_20261210023329.txt"));
    client->prompt().clear();
    client->prompt().enqueueAnswer(false); // keep the file
    ClickControl(s->btn_callfile);
    ASSERT_TRUE(answer->answered);
    EXPECT_EQ(answer->shownTypes, (QStringList{S("수납이체임시저장파일(수납_*.*)"), S("텍스트파일 (*.txt)"),
                                               S("모든파일 (*.*)")}));
    EXPECT_EQ(answer->shownName, S("수납_*.*"));
    EXPECT_EQ(answer->shownFiles, QStringList{S("수납_20261210023329.txt")});
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2) << qPrintable(client->prompt().texts().join('|'));
    EXPECT_EQ(cell(s, lcName, 1), S("한빛주류상사"));

    // Cancel ends the click without a word.
    answer = testsupport::AnswerNextFileDialog(QString(), QString());
    client->prompt().clear();
    ClickControl(s->btn_callfile);
    ASSERT_TRUE(answer->answered);
    EXPECT_EQ(client->prompt().texts(), QStringList());
    EXPECT_EQ(s->grd_ichelist->RowCount(), 2);
    QDir(data).removeRecursively();
}

TEST_F(LiquorEntryScreen, RowEditWritesBackAndKeepsTheTotals)
{
    Tqv_IcheMakeJuru_frm *s = entry(false);
    ASSERT_NE(s, nullptr);
    enter(s, "21", S("1000"), S("500"), S("가나상사"), S("56012345678901"));
    ASSERT_EQ(s->curredt_MoneyR->Value().toInt64(), 1500);

    OnModal<Tqv_juruicheModify_frm>([](Tqv_juruicheModify_frm *d) {
        Activate(d);
        EXPECT_EQ(d->cmb_transdiv->text(), S("수납"));
        EXPECT_EQ(d->edt_sendname->text(), S("가나상사"));
        EXPECT_EQ(d->cmb_transbankid->Text().mid(1, 2), S("21"));
        TypeText(d->curredt_juru, S("2000"));
        d->edt_daesanginfo->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(d->curredt_money->Value().toInt64(), 2500);
        ClickIn(d, "btn_modify");
    });
    ClickGridCell(s->grd_ichelist, 2, 1, true);
    EXPECT_EQ(cell(s, lcJuMoney, 1), S("2,000"));
    EXPECT_EQ(cell(s, lcNonJuMoney, 1), S("500"));
    EXPECT_EQ(cell(s, lcMoney, 1), S("2,500"));
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 2500);

    OnModal<Tqv_juruicheModify_frm>([](Tqv_juruicheModify_frm *d) {
        Activate(d);
        TypeText(d->curredt_money, S("9000"));
        SavePicture(d, "liquor_row_edit");
        ClickIn(d, "KitButton2");
    });
    ClickControl(s->btn_modify);
    EXPECT_EQ(cell(s, lcMoney, 1), S("2,500"));
    EXPECT_EQ(s->curredt_MoneyR->Value().toInt64(), 2500);
}

TEST_F(LiquorEntryScreen, RowEditKeepsTheRowsBankWhenTheListHasItUnderANumberOrNotAtAll)
{
    Tqv_IcheMakeJuru_frm *s = entry(false);
    ASSERT_NE(s, nullptr);
    enter(s, "21", S("1000"), S("0"), S("가나상사"), S("56012345678901"));
    ASSERT_EQ(cell(s, lcBankId, 1), S("21"));

    // A bank whose name is a number is still a bank of the dialog's list.
    client->server().exec(S("update allbank set bankname = '2100' where bankid = '21'"));
    OnModal<Tqv_juruicheModify_frm>([](Tqv_juruicheModify_frm *d) {
        Activate(d);
        EXPECT_EQ(d->cmb_transbankid->Text(), S("[21]    2100"));
        ClickIn(d, "btn_modify");
    });
    ClickControl(s->btn_modify);
    EXPECT_EQ(cell(s, lcBankId, 1), S("21"));
    EXPECT_EQ(cell(s, lcBankId2, 1), S("21"));
    EXPECT_EQ(cell(s, lcBankName, 1), S("2100"));

    // A bank the list does not hold: none is chosen and the row keeps its own.
    client->server().exec(S("delete from allbank where bankid = '21'"));
    OnModal<Tqv_juruicheModify_frm>([](Tqv_juruicheModify_frm *d) {
        Activate(d);
        EXPECT_EQ(d->cmb_transbankid->ItemIndex(), -1);
        EXPECT_EQ(d->cmb_transbankid->Text(), QString());
        TypeText(d->edt_sendname, S("가나다상사"));
        ClickIn(d, "btn_modify");
    });
    ClickControl(s->btn_modify);
    EXPECT_EQ(cell(s, lcName, 1), S("가나다상사"));
    EXPECT_EQ(cell(s, lcBankId, 1), S("21"));
    EXPECT_EQ(cell(s, lcBankId2, 1), S("21"));
    EXPECT_EQ(cell(s, lcBankName, 1), S("2100"));
}

TEST_F(LiquorEntryScreen, LeavingAMotherAccountWhoseBankIsNotListedKeepsTheCounterpartyBank)
{
    client->server().exec(S("delete from allbank where bankid = '88'"));
    Tqv_IcheMakeJuru_frm *s = entry(false);
    ASSERT_NE(s, nullptr);
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, S("[21]")));
    QTest::keyClick(s->cmb_allbank, Qt::Key_Return);
    ASSERT_EQ(s->cmb_transbankid->Text().mid(1, 2), S("21"));
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, S("[88]")));
    QTest::keyClick(s->cmb_allbank, Qt::Key_Return);
    EXPECT_EQ(s->cmb_transbankid->Text().mid(1, 2), S("21"));
}

TEST_F(LiquorEntryScreen, OtherInformationNStandsForAnyInTheDuplicateTest)
{
    client->session().IcheCheckFlag = 1; // the login compares the other information
    Tqv_IcheMakeJuru_frm *s = entry(false);
    ASSERT_NE(s, nullptr);
    enter(s, "21", S("5000"), S("0"), S("가나상사"), S("56012345678901"), S("3월분"));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2);
    enter(s, "21", S("5000"), S("0"), S("가나상사"), S("56012345678901"), S("4월분"));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 3); // other information differs: no duplicate

    // "N" compares name and amount only, as the conversions do.
    client->prompt().clear();
    client->prompt().enqueueAnswer(false);
    enter(s, "21", S("5000"), S("0"), S("가나상사"), S("56012345678901"), S("N"));
    EXPECT_TRUE(client->prompt().lastText().startsWith(S("중복이체자료를 발견하였습니다.")))
        << qPrintable(client->prompt().texts().join('|'));
    EXPECT_EQ(s->grd_ichelist->RowCount(), 3);
}

// An account of letters never reaches the list: 자료 작성 and the row edit
// refuse it with the account message.
TEST_F(LiquorEntryScreen, AnAccountOfLettersIsRefusedAtEntryAndInTheRowEdit)
{
    const QString refused = S("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다.");
    Tqv_IcheMakeJuru_frm *s = entry(false);
    ASSERT_NE(s, nullptr);
    client->prompt().clear();
    enter(s, "21", S("1000"), S("0"), S("글자상사"), S("일이삼사오육칠팔구"));
    EXPECT_EQ(client->prompt().lastText(), refused);
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    EXPECT_EQ(s->window()->focusWidget(), s->edt_bankno);

    enter(s, "21", S("1000"), S("0"), S("숫자상사"), S("560-12345-678901"));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2);
    const QString account = cell(s, lcBankNo, 1);
    bool refusedInDialog = false;
    OnModal<Tqv_juruicheModify_frm>([&](Tqv_juruicheModify_frm *d) {
        Activate(d);
        TypeText(d->edt_bankno, S("56O12345678901")); // a letter O among the digits
        client->prompt().clear();
        ClickIn(d, "btn_modify");
        refusedInDialog = client->prompt().lastText() == refused && d->isVisible();
        ClickIn(d, "KitButton2");
    });
    ClickGridCell(s->grd_ichelist, 2, 1, true);
    EXPECT_TRUE(refusedInDialog);
    EXPECT_EQ(cell(s, lcBankNo, 1), account);
}

// 종료, Ctrl+X and the main window's close box ask before the liquor rows
// are lost; 취소 keeps the program open, 확인 ends it.
TEST_F(LiquorEntryScreen, EveryWayOfQuittingAsksBeforeTheRowsAreLost)
{
    const QString question = S("이체자료가 있습니다. 종료 후 데이터는 유실됩니다. 종료하시겠습니까?");
    Tqv_IcheMakeJuru_frm *s = entry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "21", S("1000"), S("0"), S("종료상사"), S("56012345678901"));
    ASSERT_EQ(s->grd_ichelist->RowCount(), 2);
    QPointer<Tqv_IcheMakeJuru_frm> screen(s);
    auto keptOpen = [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(client->prompt().texts(), QStringList{question});
        EXPECT_TRUE(main->isVisible());
        ASSERT_FALSE(screen.isNull());
        EXPECT_FALSE(GridIsEmpty(s->grd_ichelist));
        EXPECT_EQ(client->session().ServerState, 0);
    };
    client->prompt().clear();
    client->prompt().enqueueAnswer(false);
    ASSERT_TRUE(TriggerMenuItem(main, S("qv_a8")));
    keptOpen();
    client->prompt().clear();
    client->prompt().enqueueAnswer(false);
    main->activateWindow();
    QTest::keyClick(main, Qt::Key_X, Qt::ControlModifier);
    keptOpen();
    client->prompt().clear();
    client->prompt().enqueueAnswer(false);
    main->close();
    keptOpen();

    client->prompt().clear();
    client->prompt().enqueueAnswer(true);
    QTest::keyClick(main, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(client->prompt().texts(), QStringList{question});
    EXPECT_FALSE(main->isVisible());
}
