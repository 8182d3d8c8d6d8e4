// The transfer entry screen driven as a maker uses it, against the demo server:
// the entry checks, the duplicate question, the same-bank rules, the totals,
// the temporary save and reload, the row edit and the approval request.
#include "TransferScreenTest.h"
#include "ReportLayoutCheck.h"

#include "core/BankCheckCode.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "controls/edits/CurrEdit.h"
#include "transfers/TempSaveCodec.h"
#include "core/screens/ListGrid.h"
#include "transfers/screens/AcceptUserUnit.h"
#include "transfers/screens/IcheMakeUnit.h"
#include "transfers/screens/IcheModifyUnit.h"
#include "core/screens/TransSelectUnit.h"
#include "transfers/screens/TransferGrid.h"
#include "platform/AppServer.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "platform/Cp949.h"
#include "platform/TextFile.h"
#include "../../backend/relay_client.h"
#include "support/CountingLink.h"
#include "support/Eventually.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>

using namespace transfertest;

namespace {

// The link the client uses, failing the n-th "commit" it is asked to send
// (the commit does not reach the server; everything else does).
class CommitFailure : public qvx::AppServer
{
public:
    CommitFailure(qvx::AppServer &link, int failingCommit) : m_link(link), m_fail(failingCommit) {}
    qvx::ResultSet select(const QString &sql) override { return m_link.select(sql); }
    qvx::ResultSet select2(const QString &sql) override { return m_link.select2(sql); }
    void execute(const QString &sql) override
    {
        if (sql == u"commit" && ++m_commits == m_fail)
            throw qvx::AppServerError(qvx::AppServerError::Kind::Server, QStringLiteral("commit refused"));
        m_link.execute(sql);
    }
    int maxSeqNo(int n) override { return m_link.maxSeqNo(n); }
    int sendDesc(const QString &a, const QString &b, const QString &c, const QString &d, const QString &e) override
    {
        return m_link.sendDesc(a, b, c, d, e);
    }
    QString serverTime() override { return m_link.serverTime(); }
    QString commMsg(int kind) override { return m_link.commMsg(kind); }
    QString bankState(const QString &a, const QString &b, const QString &c) override { return m_link.bankState(a, b, c); }
    bool isOpen() const override { return m_link.isOpen(); }

private:
    qvx::AppServer &m_link;
    int m_fail;
    int m_commits = 0;
};

class EntryScreen : public MakerOnEntryScreen
{
protected:

    // A row typed by hand: mother account by bank code, counterpart bank and
    // account, name, amount, memo.
    void enter(Tqv_IcheMake_frm *s, const char *moBank, const char *bank, const QString &account,
               const QString &name, const QString &amount, const QString &memo = QString(),
               const QString &resident = QString())
    {
        Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[%1]").arg(QLatin1String(moBank))));
        TypeText(s->curredt_money, amount);
        TypeText(s->edt_resident, resident);
        Pick(s->cmb_daesang, 0);
        TypeText(s->edt_sendname, name);
        Pick(s->cmb_transbankid, ItemWith(s->cmb_transbankid, QStringLiteral("[%1]").arg(QLatin1String(bank))));
        TypeText(s->edt_bankno, account);
        TypeText(s->edt_daesanginfo, memo);
        ClickControl(s->KitButton1);
    }

    // Answers the approver choice with the given user.
    void chooseApprover(const QString &userId)
    {
        OnNextModal([userId](QDialog *d) {
            auto *dialog = qobject_cast<Tqv_acceptuser_frm *>(d);
            if (!dialog)
                return d->reject();
            for (int r = 1; r < dialog->GRD_acceptlist->RowCount(); ++r)
                if (dialog->GRD_acceptlist->Cells(1, r) == userId)
                    ClickGridCell(dialog->GRD_acceptlist, 0, r);
            ClickIn(dialog, "btn_select");
        });
    }

    QWidget *focused(Tqv_IcheMake_frm *s) const { return s->window()->focusWidget(); }
    static bool within(QWidget *w, QWidget *control) { return w && (w == control || control->isAncestorOf(w)); }
    qint64 totalShown(Tqv_IcheMake_frm *s) const { return s->curredt_MoneyR->Value().toInt64(); }
    qint64 countShown(Tqv_IcheMake_frm *s) const { return s->curredt_gunR->Value().toInt64(); }
    void expectTotalsMatch(Tqv_IcheMake_frm *s)
    {
        EXPECT_EQ(countShown(s), TransferRowCount(s->grd_ichelist));
        EXPECT_EQ(totalShown(s), TransferTotal(s->grd_ichelist));
    }
};

} // namespace

TEST_F(EntryScreen, ManualEntryChecksComeInOrderWithTheirMessagesAndFocus)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->cmb_transdiv->Text(), QStringLiteral("지급"));
    EXPECT_TRUE(s->windowTitle().endsWith(QStringLiteral("◆지급◆")));
    EXPECT_FALSE(main->item(QStringLiteral("qv_b1"))->isEnabled());

    ClickControl(s->KitButton1);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("모은행 및 계좌를 선택하시기 바랍니다."));
    EXPECT_TRUE(within(focused(s), s->cmb_allbank));

    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[03]")));
    ClickControl(s->KitButton1);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("송금인 또는 수금인을 등록하시기 바랍니다."));
    EXPECT_TRUE(within(focused(s), s->cmb_daesang));

    TypeText(s->edt_sendname, QStringLiteral("직접상사"));
    TypeText(s->edt_resident, QStringLiteral("800101-1234567"));
    ClickControl(s->KitButton1);
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("실명번호의 주민등록번호는 생년월일로 대체 되었습니다.\r\n확인 후 수정해 주시기 바랍니다."));
    EXPECT_TRUE(within(focused(s), s->edt_resident));

    // Longer than the 13 digits a transfer keeps: said so, not the birth-date rule.
    TypeText(s->edt_resident, QString(40, u'1'));
    ClickControl(s->KitButton1);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("실명번호는 13자리 이내로 입력하시기 바랍니다."));
    EXPECT_TRUE(within(focused(s), s->edt_resident));

    TypeText(s->edt_resident, QStringLiteral("123-45-67890"));
    ClickControl(s->KitButton1);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("이체금액을 등록하시기 바랍니다."));
    EXPECT_TRUE(within(focused(s), s->curredt_money));

    // A decimal point is kept as typed and the amount refused, never read as 10,005.
    TypeText(s->curredt_money, QStringLiteral("1000.5"));
    EXPECT_EQ(s->curredt_money->Text(), QStringLiteral("1000.5"));
    ClickControl(s->KitButton1);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("이체금액을 원 단위 숫자로 입력하시기 바랍니다."));
    EXPECT_TRUE(within(focused(s), s->curredt_money));

    TypeText(s->curredt_money, QStringLiteral("10000000000000"));
    ClickControl(s->KitButton1);
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("이체금액이 한도를 초과하였습니다. 10조(13자리) 이상은 금액은 이체되지 않습니다."));
    EXPECT_TRUE(within(focused(s), s->curredt_money));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));

    TypeText(s->curredt_money, QStringLiteral("9999999999999"));
    Pick(s->cmb_transbankid, ItemWith(s->cmb_transbankid, QStringLiteral("[20]")));
    TypeText(s->edt_bankno, QStringLiteral("1002345678901"));
    TypeText(s->edt_daesanginfo, QStringLiteral("메모"));
    ClickControl(s->KitButton1);
    ASSERT_FALSE(GridIsEmpty(s->grd_ichelist));
    const TransferRow row = ReadTransferRow(s->grd_ichelist, 1);
    EXPECT_EQ(row.no, QStringLiteral("1"));
    EXPECT_EQ(row.moBankName, QStringLiteral("기업은행"));
    EXPECT_EQ(row.moBankNo, FormatAcctNo(QStringLiteral("03"), QStringLiteral("12301234567890")));
    EXPECT_EQ(row.workDiv, QStringLiteral("타행"));
    EXPECT_EQ(row.transDiv, QStringLiteral("지급"));
    EXPECT_EQ(row.money, QStringLiteral("9,999,999,999,999"));
    EXPECT_EQ(row.bankName, QStringLiteral("우리은행"));
    EXPECT_EQ(row.bankNo, FormatAcctNo(QStringLiteral("20"), QStringLiteral("1002345678901")));
    EXPECT_EQ(row.name, QStringLiteral("직접상사"));
    EXPECT_EQ(row.sendId, QStringLiteral("QVX0000001"));
    EXPECT_EQ(row.recvId, QStringLiteral("IBK0300"));
    EXPECT_EQ(row.firmId, QStringLiteral("HB0301"));
    EXPECT_EQ(row.userId, QStringLiteral("MAKER"));
    EXPECT_EQ(row.info, QStringLiteral("메모"));
    EXPECT_EQ(row.gubun, QStringLiteral("30"));
    EXPECT_EQ(row.msgType, QStringLiteral("0101100"));
    EXPECT_EQ(row.moBankId, QStringLiteral("03"));
    EXPECT_EQ(row.bankId, QStringLiteral("20"));
    EXPECT_EQ(row.realNameNo, QStringLiteral("1234567890"));
    EXPECT_EQ(countShown(s), 1);
    EXPECT_EQ(totalShown(s), 9999999999999LL);
    // The payee fields are cleared, the mother account stays.
    EXPECT_TRUE(s->edt_sendname->text().isEmpty());
    EXPECT_EQ(s->curredt_money->Value().toInt64(), 0);
    EXPECT_EQ(s->cmb_allbank->ItemIndex(), ItemWith(s->cmb_allbank, QStringLiteral("[03]")));
    EXPECT_TRUE(within(focused(s), s->cmb_allbank));
    SavePicture(s, "qv_IcheMake_frm");
    ExpectButtonsBound(s);
}

TEST_F(EntryScreen, TheTotalsAreDrawnReadableAndTheListShowsWholeAmountsAndHeaders)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("큰금액"), QStringLiteral("9999999999999"));
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 1);
    // The totals take no input, yet their figures are drawn in the text colour.
    EXPECT_FALSE(s->curredt_MoneyR->isEnabled());
    for (TCurrencyEdit *total : {s->curredt_gunR, s->curredt_MoneyR}) {
        const QImage picture = total->grab().toImage();
        int dark = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                dark += qGray(picture.pixel(x, y)) < 60;
        EXPECT_GT(dark, 3) << qPrintable(total->objectName()); // greyed text has no such pixel
    }
    // The 13-digit amount and every header fit their columns in the list's font.
    EXPECT_EVENTUALLY(s->grd_ichelist->ColWidths(7) > QFontMetrics(s->grd_ichelist->font())
                                                    .horizontalAdvance(QStringLiteral("9,999,999,999,999")));
    const QFontMetrics metrics(s->grd_ichelist->font());
    for (int c = 0; c < 16; ++c)
        EXPECT_LT(metrics.horizontalAdvance(s->grd_ichelist->Cells(c, 0)), s->grd_ichelist->ColWidths(c))
            << qPrintable(s->grd_ichelist->Cells(c, 0));
    SavePicture(s, "qv_IcheMake_frm_totals");
}

TEST_F(EntryScreen, DuplicateQuestionFollowsIcheCheckFlag)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("가나상사"), QStringLiteral("1000"),
          QStringLiteral("A"));
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 1);

    // Flag clear: name and amount decide, the memo does not; Cancel adds nothing.
    client.session().IcheCheckFlag = 0;
    client.prompt().clear();
    client.prompt().enqueueAnswer(false);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("가나상사"), QStringLiteral("1000"),
          QStringLiteral("B"));
    ASSERT_EQ(client.prompt().count(), 1);
    EXPECT_EQ(client.prompt().entries().first().kind, qvx::ScriptedPrompt::Confirm);
    EXPECT_EQ(client.prompt().entries().first().caption, QStringLiteral("확인"));
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("중복이체자료를 발견하였습니다.\r\r거래처명 : 가나상사\r이체금액 :         1,000 원\r\r"
                             "위의 자료는 이미 이체작성화면에 등록되어 있는 상태입니다.\r\r이체자료에 추가하시겠습니까?"));
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 1);
    EXPECT_TRUE(s->btn_accept->isEnabled());

    client.prompt().enqueueAnswer(true);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("가나상사"), QStringLiteral("1000"),
          QStringLiteral("B"));
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 2);

    // Flag set: a different memo is no duplicate, the same memo is.
    client.session().IcheCheckFlag = 1;
    client.prompt().clear();
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("가나상사"), QStringLiteral("1000"),
          QStringLiteral("C"));
    EXPECT_EQ(client.prompt().count(), 0);
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 3);
    client.prompt().enqueueAnswer(false);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("가나상사"), QStringLiteral("1000"),
          QStringLiteral("C"));
    EXPECT_EQ(client.prompt().count(), 1);
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 3);
    expectTotalsMatch(s);
}

TEST_F(EntryScreen, SameBankWordUsesTheGroupAndMessageTypeTheCodes)
{
    Tqv_IcheMake_frm *s = openEntry(false);
    ASSERT_NE(s, nullptr);
    enter(s, "21", "26", QStringLiteral("12345678901"), QStringLiteral("조흥거래"), QStringLiteral("500"));
    enter(s, "03", "03", QStringLiteral("12345678901234"), QStringLiteral("대한거래"), QStringLiteral("700"));
    enter(s, "88", "20", QStringLiteral("1002345678901"), QStringLiteral("우리거래"), QStringLiteral("900"));
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 3);
    const QVector<TransferRow> rows = TransferRows(s->grd_ichelist);
    EXPECT_EQ(rows[0].workDiv, QStringLiteral("당행"));
    EXPECT_EQ(rows[0].msgType, QStringLiteral("0101100"));
    EXPECT_EQ(rows[1].workDiv, QStringLiteral("당행"));
    EXPECT_EQ(rows[1].msgType, QStringLiteral("0100100"));
    EXPECT_EQ(rows[2].workDiv, QStringLiteral("타행"));
    EXPECT_EQ(rows[2].msgType, QStringLiteral("0101100"));
    EXPECT_EQ(rows[0].gubun, QStringLiteral("20"));
}

TEST_F(EntryScreen, PayeeComboAndNameSearchFillTheFields)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    Pick(s->cmb_daesang, ItemWith(s->cmb_daesang, QStringLiteral("대한유통")));
    EXPECT_FALSE(s->edt_sendname->isEnabled());
    EXPECT_EQ(s->edt_bankno->text(), QStringLiteral("12345678901234"));
    EXPECT_EQ(s->edt_resident->text(), QStringLiteral("1098765432"));
    EXPECT_EQ(Tqv_IcheMake_frm::ItemBankCode(s->cmb_transbankid->Text()), QStringLiteral("03"));

    // Enter in the real-name field goes to the payee combo; the name keeps at most 12 bytes.
    Pick(s->cmb_daesang, 0);
    EXPECT_TRUE(s->edt_sendname->isEnabled());
    s->edt_resident->setFocus();
    QTest::keyClick(s->edt_resident, Qt::Key_Return);
    EXPECT_TRUE(within(focused(s), s->cmb_daesang));
    TypeText(s->edt_sendname, QStringLiteral("가나다라마바사"));
    EXPECT_EQ(s->edt_sendname->text(), QStringLiteral("가나다라마바"));

    // One match fills the fields at once.
    TypeText(s->edt_sendname, QStringLiteral("서울"));
    QTest::keyClick(s->edt_sendname, Qt::Key_Return);
    EXPECT_EQ(s->edt_sendname->text(), QStringLiteral("서울주류"));
    EXPECT_EQ(s->edt_bankno->text(), FormatAcctNo(QStringLiteral("88"), QStringLiteral("110987654321")));
    EXPECT_EQ(Tqv_IcheMake_frm::ItemBankCode(s->cmb_transbankid->Text()), QStringLiteral("88"));

    // Several: the selection dialog; Esc leaves the fields as they were.
    TypeText(s->edt_sendname, QStringLiteral("상"));
    OnNextModal([](QDialog *d) { QTest::keyClick(d, Qt::Key_Escape); });
    QTest::keyClick(s->edt_sendname, Qt::Key_Return);
    EXPECT_EQ(s->edt_sendname->text(), QStringLiteral("상"));
    EXPECT_EQ(s->edt_bankno->text(), FormatAcctNo(QStringLiteral("88"), QStringLiteral("110987654321")));

    // Enter on the second row takes it.
    OnNextModal([](QDialog *d) {
        auto *dialog = qobject_cast<Tqv_transselect_frm *>(d);
        if (!dialog)
            return d->reject();
        SavePicture(dialog, "qv_transselect_frm");
        ExpectButtonsBound(dialog);
        ClickGridCell(dialog->GRD_acceptlist, 0, 2);
        QTest::keyClick(dialog->GRD_acceptlist, Qt::Key_Return);
    });
    QTest::keyClick(s->edt_sendname, Qt::Key_Return);
    EXPECT_EQ(s->edt_sendname->text(), QStringLiteral("폐업상사"));
    EXPECT_EQ(s->edt_resident->text(), QStringLiteral("1234512345"));
    EXPECT_EQ(Tqv_IcheMake_frm::ItemBankCode(s->cmb_transbankid->Text()), QStringLiteral("20"));
}

// Typed or pasted, a thousands comma groups won; a fraction is refused and
// stays as typed, in the entry and in the row edit.
TEST_F(EntryScreen, AmountsTypedWithThousandsCommasAreWholeWonAndAFractionStaysAsTyped)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    TypeText(s->curredt_money, QStringLiteral("5,000"));
    EXPECT_EQ(s->curredt_money->Text(), QStringLiteral("5,000"));
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("오천"), QStringLiteral("5,000"));
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("백만"), QStringLiteral("1,234,567"));
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 2);
    EXPECT_EQ(ReadTransferRow(s->grd_ichelist, 1).money, QStringLiteral("5,000"));
    EXPECT_EQ(ReadTransferRow(s->grd_ichelist, 2).money, QStringLiteral("1,234,567"));

    // Pasted, "5,000" is the same five thousand won.
    QGuiApplication::clipboard()->setText(QStringLiteral("5,000"));
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[03]")));
    TypeText(s->curredt_money, QString());
    QTest::keyClick(s->curredt_money, Qt::Key_V, Qt::ControlModifier);
    Pick(s->cmb_daesang, 0);
    TypeText(s->edt_sendname, QStringLiteral("붙여넣기"));
    Pick(s->cmb_transbankid, ItemWith(s->cmb_transbankid, QStringLiteral("[20]")));
    TypeText(s->edt_bankno, QStringLiteral("1002345678901"));
    ClickControl(s->KitButton1);
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 3);
    EXPECT_EQ(ReadTransferRow(s->grd_ichelist, 3).money, QStringLiteral("5,000"));
    EXPECT_EQ(totalShown(s), 5000 + 1234567 + 5000);

    // Not whole won: refused with the whole-won message (an amount was
    // typed), and the field shows what was typed.
    for (const QString &typed : {QStringLiteral("1000.00"), QStringLiteral("12,34"), QStringLiteral("1000.5")}) {
        client.prompt().clear();
        enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("소수"), typed);
        EXPECT_EQ(client.prompt().lastText(), QStringLiteral("이체금액을 원 단위 숫자로 입력하시기 바랍니다.")) << typed.toStdString();
    }
    // 19 digits stay as typed (never "1E19") and meet the limit message.
    client.prompt().clear();
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("한도"), QStringLiteral("1234567890123456789"));
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("이체금액이 한도를 초과하였습니다. 10조(13자리) 이상은 금액은 이체되지 않습니다."));
    EXPECT_EQ(s->curredt_money->Text(), QStringLiteral("1234567890123456789"));
    client.prompt().clear();
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("소수"), QStringLiteral("1000.5"));
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 3);
    s->edt_sendname->setFocus();
    EXPECT_EQ(s->curredt_money->Text(), QStringLiteral("1000.5"));
    EXPECT_EQ(s->curredt_money->DisplayText(), QStringLiteral("1000.5"));
    SavePicture(s, "entry_amount_as_typed");

    // The row edit reads its amount the same way.
    auto editRow = [&](const QString &amount) {
        ClickGridCell(s->grd_ichelist, 1, 1);
        OnNextModal([this, amount](QDialog *d) {
            auto *dialog = qobject_cast<Tqv_icheModify_frm *>(d);
            if (!dialog)
                return d->reject();
            client.prompt().clear();
            TypeText(dialog->curredt_money, amount);
            QTest::mouseClick(dialog->btn_modify, Qt::LeftButton);
            if (dialog->isVisible()) {
                EXPECT_EQ(dialog->curredt_money->Text(), amount);
                QTest::mouseClick(dialog->KitButton2, Qt::LeftButton);
            }
        });
        ClickControl(s->btn_modify);
    };
    editRow(QStringLiteral("7,000"));
    EXPECT_EQ(ReadTransferRow(s->grd_ichelist, 1).money, QStringLiteral("7,000"));
    editRow(QStringLiteral("1000.5"));
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("이체금액을 원 단위 숫자로 입력하시기 바랍니다."));
    EXPECT_EQ(ReadTransferRow(s->grd_ichelist, 1).money, QStringLiteral("7,000"));
    expectTotalsMatch(s);
}

TEST_F(EntryScreen, TheKeyboardLeavesThePickListForItsButtonsAndComesBack)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    TypeText(s->edt_sendname, QStringLiteral("상"));
    bool walked = false;
    OnNextModal([&walked](QDialog *d) {
        auto *dialog = qobject_cast<Tqv_transselect_frm *>(d);
        if (!dialog)
            return d->reject();
        auto press = [dialog](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(dialog->focusWidget(), Qt::Key(key), modifiers);
            return dialog->focusWidget();
        };
        ASSERT_EQ(dialog->focusWidget(), dialog->GRD_acceptlist);
        // Arrows move within the list.
        const int row = dialog->GRD_acceptlist->currentIndex().row();
        EXPECT_EQ(press(Qt::Key_Down), dialog->GRD_acceptlist);
        EXPECT_EQ(dialog->GRD_acceptlist->currentIndex().row(), row + 1);
        // Tab goes on to the buttons under the list and round to the list again.
        EXPECT_EQ(press(Qt::Key_Tab), dialog->btn_select);
        EXPECT_EQ(press(Qt::Key_Tab), dialog->btn_close);
        EXPECT_EQ(press(Qt::Key_Tab), dialog->GRD_acceptlist);
        // Shift+Tab walks back the same way.
        EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), dialog->btn_close);
        EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), dialog->btn_select);
        EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), dialog->GRD_acceptlist);
        EXPECT_EQ(dialog->GRD_acceptlist->currentIndex().row(), row + 1);
        walked = true;
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QTest::keyClick(s->edt_sendname, Qt::Key_Return);
    EXPECT_TRUE(walked);
    EXPECT_EQ(s->edt_sendname->text(), QStringLiteral("상"));
}

TEST_F(EntryScreen, TotalsFollowTheListThroughEditCancelDeleteAndDeleteAll)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("하나"), QStringLiteral("1000"));
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("둘"), QStringLiteral("2000"));
    enter(s, "21", "04", QStringLiteral("123456789012"), QStringLiteral("셋"), QStringLiteral("3000"));
    EXPECT_EQ(totalShown(s), 6000);
    expectTotalsMatch(s);

    // Edit row 3: a new amount, bank 26 (same group as 21), a real-name number with hyphens.
    ClickGridCell(s->grd_ichelist, 1, 3);
    OnNextModal([](QDialog *d) {
        auto *dialog = qobject_cast<Tqv_icheModify_frm *>(d);
        if (!dialog)
            return d->reject();
        SavePicture(dialog, "qv_icheModify_frm");
        ExpectButtonsBound(dialog);
        TypeText(dialog->curredt_money, QStringLiteral("3500"));
        Pick(dialog->cmb_transbankid, ItemWith(dialog->cmb_transbankid, QStringLiteral("[26]")));
        TypeText(dialog->edt_daesanginfo, QStringLiteral("123-45 67890"));
        QTest::mouseClick(dialog->btn_modify, Qt::LeftButton);
        if (dialog->isVisible()) // the account does not suit bank 26: keep it and say so
            dialog->accept();
    });
    ClickControl(s->btn_modify);
    TransferRow edited = ReadTransferRow(s->grd_ichelist, 3);
    EXPECT_EQ(edited.money, QStringLiteral("3,500"));
    EXPECT_EQ(edited.bankId, QStringLiteral("26"));
    EXPECT_EQ(edited.workDiv, QStringLiteral("당행"));
    EXPECT_EQ(edited.msgType, QStringLiteral("0101100"));
    EXPECT_EQ(edited.realNameNo, QStringLiteral("1234567890"));
    EXPECT_EQ(totalShown(s), 6500);
    expectTotalsMatch(s);

    // The edit refuses a zero amount and stays open; closing leaves row and total.
    ClickGridCell(s->grd_ichelist, 1, 1);
    OnNextModal([this](QDialog *d) {
        auto *dialog = qobject_cast<Tqv_icheModify_frm *>(d);
        if (!dialog)
            return d->reject();
        TypeText(dialog->curredt_money, QStringLiteral("0"));
        QTest::mouseClick(dialog->btn_modify, Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(client.prompt().lastText(), QStringLiteral("이체금액을 등록하시기 바랍니다."));
        QTest::mouseClick(dialog->KitButton2, Qt::LeftButton);
    });
    ClickControl(s->btn_modify);
    EXPECT_EQ(ReadTransferRow(s->grd_ichelist, 1).money, QStringLiteral("1,000"));
    EXPECT_EQ(totalShown(s), 6500);

    ClickGridCell(s->grd_ichelist, 1, 2);
    ClickControl(s->btn_delete);
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 2);
    EXPECT_EQ(s->grd_ichelist->Cells(tcNo, 2), QStringLiteral("2"));
    EXPECT_EQ(totalShown(s), 4500);
    expectTotalsMatch(s);

    ClickControl(s->btn_deleteTot);
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    EXPECT_EQ(s->grd_ichelist->RowCount(), 2);
    EXPECT_EQ(totalShown(s), 0);
    EXPECT_EQ(countShown(s), 0);
    ClickControl(s->btn_deleteTot);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("삭제할 자료가 존재하지 않습니다."));
    ClickControl(s->btn_delete);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("삭제한 이체자료가 존재하지 않습니다."));
}

TEST_F(EntryScreen, TemporarySaveRoundTripsByteForByteAndRefusesOverlongValues)
{
    qvx::ScriptedFileChooser files;
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("홍길동상사"), QStringLiteral("1500"),
          QStringLiteral("3월분"));
    enter(s, "20", "04", QStringLiteral("123456789012"), QStringLiteral("김철수"), QStringLiteral("250000"),
          QStringLiteral("급여"));
    enter(s, "88", "88", QStringLiteral("110987654321"), QStringLiteral("서울주류"), QStringLiteral("7"));
    const QVector<TransferRow> before = TransferRows(s->grd_ichelist);
    ASSERT_EQ(before.size(), 3);

    // The memo field takes 40 bytes; a longer memo (a row kept from before the
    // limit) is refused by the save: nothing is written, the list stays.
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("넷째"), QStringLiteral("1"),
          QString(41, QLatin1Char('m')));
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 4);
    EXPECT_EQ(ReadTransferRow(s->grd_ichelist, 4).info, QString(40, QLatin1Char('m')));
    TransferRow longer = ReadTransferRow(s->grd_ichelist, 4);
    longer.info = QString(41, QLatin1Char('m'));
    WriteTransferRow(s->grd_ichelist, 4, longer);
    const QString dataDir = client.home() + QStringLiteral("/data");
    files.enqueue(dataDir + QStringLiteral("/long"));
    ClickControl(s->btn_tempsave);
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("4번째 자료의 '업체정보' 값이 저장 길이(40바이트)를 초과합니다.\r\n값을 수정한 후 다시 저장하시기 바랍니다."));
    EXPECT_FALSE(QFile::exists(dataDir + QStringLiteral("/tmp_long.txt")));
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 4);
    ClickGridCell(s->grd_ichelist, 1, 4);
    ClickControl(s->btn_delete);

    // A memo with a character CP949 cannot hold: that character is the cause.
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("넷째"), QStringLiteral("1"),
          QStringLiteral("납품\U0001F600"));
    files.enqueue(dataDir + QStringLiteral("/emoji"));
    ClickControl(s->btn_tempsave);
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("4번째 자료의 '업체정보' 값의 문자 \"\U0001F600\"(U+1F600)는 CP949로 저장할 수 없습니다.\r\n"
                             "값을 수정한 후 다시 저장하시기 바랍니다."));
    EXPECT_FALSE(QFile::exists(dataDir + QStringLiteral("/tmp_emoji.txt")));
    ClickGridCell(s->grd_ichelist, 1, 4);
    ClickControl(s->btn_delete);

    // A name without "tmp_" gets it inside the chosen folder.
    files.enqueue(dataDir + QStringLiteral("/batch"));
    ClickControl(s->btn_tempsave);
    const QString saved = dataDir + QStringLiteral("/tmp_batch.txt");
    EXPECT_EQ(client.prompt().lastText(), QDir::toNativeSeparators(saved) + QStringLiteral(" 를 저장하였습니다."));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    EXPECT_EQ(totalShown(s), 0);
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    QByteArray expected;
    for (const TransferRow &row : before)
        expected += EncodeTempSaveLine(row).line + "\r\n";
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.size(), 3 * (TempSaveLineBytes + 2));
    // The lines hold the accounts' passwords: the owner alone reads the file.
    EXPECT_EQ(QFile(saved).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                                            | QFileDevice::WriteOther),
              QFileDevice::Permissions());

    // Cancel in the reload's dialog ends the click without a word.
    client.prompt().clear();
    ClickControl(s->btn_callfile);
    EXPECT_EQ(client.prompt().count(), 0);
    EXPECT_EQ(files.asked.last().proposedName, QStringLiteral("tmp_*.txt"));

    files.enqueue(saved);
    ClickControl(s->btn_callfile);
    // The reload's first choice is the kind of file the save just wrote.
    const QString firstPattern = files.asked.last().filter.section(QLatin1Char('|'), 1, 1).trimmed();
    EXPECT_EQ(firstPattern, QStringLiteral("tmp_*.txt"));
    EXPECT_TRUE(QDir::match(firstPattern, QFileInfo(saved).fileName()));
    EXPECT_EQ(TransferRows(s->grd_ichelist), before);
    EXPECT_EQ(totalShown(s), 251507);
    expectTotalsMatch(s);
    EXPECT_FALSE(QFile::exists(saved));
}

TEST_F(EntryScreen, ReloadTakesOnlyOwnSoundLinesAndKeepsTheFileOtherwise)
{
    qvx::ScriptedFileChooser files;
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("정상"), QStringLiteral("1000"));
    const TransferRow own = ReadTransferRow(s->grd_ichelist, 1);
    ClickControl(s->btn_deleteTot);

    TransferRow foreign = own;
    foreign.sendId = QStringLiteral("OTHER00001");
    QByteArray badAmount = EncodeTempSaveLine(own).line;
    badAmount.replace(49, 13, "12x4         ");
    const QString path = client.home() + QStringLiteral("/data/tmp_mixed.txt");
    QDir().mkpath(client.home() + QStringLiteral("/data"));
    ASSERT_TRUE(qvx::TextFile::writeBytes(path, EncodeTempSaveLine(own).line + "\r\n" + EncodeTempSaveLine(foreign).line
                                                     + "\r\n" + badAmount + "\r\n" + EncodeTempSaveLine(own).line
                                                     + "X\r\n"));
    // The duplicate question comes only for lines that belong to this client.
    client.session().IcheCheckFlag = 0;
    client.prompt().clear();
    files.enqueue(path);
    ClickControl(s->btn_callfile);
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 1);
    EXPECT_EQ(client.prompt().count(), 1);
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("길이 또는 금액이 맞지 않는 자료 2건은 불러오지 않았습니다.\r\n파일은 삭제하지 않았습니다. (")
                  + QDir::toNativeSeparators(path) + QStringLiteral(")"));
    EXPECT_TRUE(QFile::exists(path));
    expectTotalsMatch(s);

    // Each line is tested against the listed rows and the lines taken before
    // it in the same file: added once on "yes", declined the second time.
    const QString twice = client.home() + QStringLiteral("/data/tmp_twice.txt");
    ASSERT_TRUE(qvx::TextFile::writeBytes(twice, EncodeTempSaveLine(own).line + "\r\n" + EncodeTempSaveLine(own).line
                                                      + "\r\n"));
    client.prompt().clear();
    client.prompt().enqueueAnswer(true);
    client.prompt().enqueueAnswer(false);
    files.enqueue(twice);
    ClickControl(s->btn_callfile);
    EXPECT_EQ(client.prompt().count(), 2);
    EXPECT_TRUE(client.prompt().lastText().startsWith(QStringLiteral("중복이체자료를 발견하였습니다.")));
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 2);
    EXPECT_EQ(s->grd_ichelist->Cells(tcNo, 2), QStringLiteral("2"));
    EXPECT_EQ(s->curredt_errgun->Value().toInt64(), 1);
    expectTotalsMatch(s);
}

TEST_F(EntryScreen, ReloadRefusesAFileOfMoreLinesThanABatchHoldsAndKeepsIt)
{
    qvx::ScriptedFileChooser files;
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("정상"), QStringLiteral("1000"));
    const QList<TransferRow> before = TransferRows(s->grd_ichelist);
    const QString path = client.home() + QStringLiteral("/data/tmp_ends.txt");
    ASSERT_TRUE(qvx::TextFile::writeBytes(path, EncodeTempSaveLine(before[0]).line + QByteArray(1'000'001, '\r')));
    client.prompt().clear();
    files.enqueue(path);
    ClickControl(s->btn_callfile);
    EXPECT_EQ(client.prompt().count(), 1);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("파일의 줄이 너무 많아 읽을 수 없습니다 (한 번에 최대 1,000,000줄)."));
    EXPECT_EQ(TransferRows(s->grd_ichelist), before);
    EXPECT_TRUE(QFile::exists(path));
}

// A temporary save turned into UTF-8 (an editor saved it so) reloads with its
// names as written; one that is no text is refused once.
TEST_F(EntryScreen, ReloadReadsAUtf8SaveAsUtf8AndRefusesOneThatIsNoText)
{
    qvx::ScriptedFileChooser files;
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("강건"), QStringLiteral("1000"),
          QStringLiteral("급여"));
    const QList<TransferRow> before = TransferRows(s->grd_ichelist);
    ClickControl(s->btn_deleteTot);
    const QString path = client.home() + QStringLiteral("/data/tmp_utf8.txt");
    QDir().mkpath(client.home() + QStringLiteral("/data"));
    const QByteArray line = qvx::Cp949::decode(EncodeTempSaveLine(before[0]).line).toUtf8();
    ASSERT_TRUE(qvx::TextFile::writeBytes(path, "\xEF\xBB\xBF" + line + "\r\n"));
    client.prompt().clear();
    files.enqueue(path);
    ClickControl(s->btn_callfile);
    EXPECT_EQ(TransferRows(s->grd_ichelist), before);
    EXPECT_EQ(s->grd_ichelist->Cells(tcName, 1), QStringLiteral("강건"));

    const QString noise = client.home() + QStringLiteral("/data/tmp_noise.txt");
    QByteArray bytes;
    for (int i = 0; bytes.size() < 4096; ++i)
        if (const char c = char((i * 2654435761u) >> 24))
            bytes += c;
    ASSERT_TRUE(qvx::TextFile::writeBytes(noise, bytes));
    client.prompt().clear();
    files.enqueue(noise);
    ClickControl(s->btn_callfile);
    EXPECT_EQ(client.prompt().texts(), QStringList{QStringLiteral("읽을 수 있는 텍스트 파일이 아닙니다.")});
    EXPECT_EQ(TransferRows(s->grd_ichelist), before);
    EXPECT_TRUE(QFile::exists(noise));
}

TEST_F(EntryScreen, ApprovalRequestWritesTheBatchAndNotifiesTheApprover)
{
    qvx::testing::RelayTestClient approver;
    ASSERT_TRUE(approver.connectTo(client.server().relayPort()));
    ASSERT_TRUE(approver.login("APPR1"));
    ASSERT_TRUE(ClientFixture::waitFor([this] { return client.dm()->RelayActive(); }));

    Tqv_IcheMake_frm *s = openEntry(false);
    ASSERT_NE(s, nullptr);
    enter(s, "20", "20", QStringLiteral("1002345678901"), QStringLiteral("우리수납"), QStringLiteral("12000"),
          QStringLiteral("메모1"), QStringLiteral("1098765432"));
    enter(s, "23", "04", QStringLiteral("123456789012"), QStringLiteral("제일수납"), QStringLiteral("34000"));
    enter(s, "03", "88", QStringLiteral("110987654321"), QStringLiteral("O'Neil"), QStringLiteral("5600"));
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 3);
    EXPECT_TRUE(s->grd_ichelist->Cells(tcBoki, 2).isEmpty());
    const QVector<TransferRow> rows = TransferRows(s->grd_ichelist);

    client.prompt().clear();
    chooseApprover(QStringLiteral("APPR1"));
    ClickControl(s->btn_accept);
    EXPECT_EQ(client.prompt().texts().mid(0, 2),
              QStringList({QStringLiteral("승인자 ID : APPR1\r\r승인신청하시겠습니까?"),
                           QStringLiteral("정상적으로 처리되었습니다.")}));
    // The relay tells the maker that the notice reached the approver.
    EXPECT_TRUE(ClientFixture::waitFor([this] { return client.prompt().contains(QStringLiteral("승인자에게 전송되었습니다.")); }));
    EXPECT_EQ(approver.nextFrame(), qvx::FrameReader::frame("F"));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    EXPECT_EQ(totalShown(s), 0);
    EXPECT_TRUE(client.session().ApproverId.isEmpty());
    EXPECT_EQ(client.session().AcceptSeqLast, client.session().AcceptSeqBase + 3);

    const qvx::ResultSet giche = client.server().query(QStringLiteral(
        "select seqno, cfmid, sr_flag, gubun, price, name, cmscode, taerrfee, taerrprice, boki, bankid, sendtime, "
        "mobankno, trans_bankid, bankno, up_gubuncode, common_dummy, sendid, userid from giche where userid = 'MAKER' "
        "order by seqno"));
    ASSERT_EQ(giche.recordCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(giche.valueInt64(i, QStringLiteral("seqno")), client.session().AcceptSeqBase + i + 1);
        EXPECT_EQ(giche.value(i, QStringLiteral("cfmid")), QStringLiteral("APPR1"));
        EXPECT_EQ(giche.value(i, QStringLiteral("sr_flag")), QStringLiteral("0"));
        EXPECT_EQ(giche.value(i, QStringLiteral("gubun")), QStringLiteral("20"));
        EXPECT_EQ(giche.value(i, QStringLiteral("price")), rows[i].plainMoney());
        EXPECT_EQ(giche.value(i, QStringLiteral("name")), rows[i].name);
        EXPECT_EQ(giche.value(i, QStringLiteral("sendid")), QStringLiteral("QVX0000001"));
    }
    // A collection from mother bank 20 carries the real-name number as CmsCode.
    EXPECT_EQ(giche.value(0, QStringLiteral("cmscode")), QStringLiteral("1098765432"));
    EXPECT_EQ(giche.value(0, QStringLiteral("taerrfee")), QStringLiteral("10987"));
    EXPECT_EQ(giche.value(0, QStringLiteral("taerrprice")), QStringLiteral("65432"));
    EXPECT_EQ(giche.value(0, QStringLiteral("common_dummy")), QStringLiteral("메모1"));
    EXPECT_EQ(giche.value(1, QStringLiteral("cmscode")), QString());
    EXPECT_EQ(giche.value(2, QStringLiteral("name")), QStringLiteral("O'Neil"));
    EXPECT_EQ(giche.value(2, QStringLiteral("up_gubuncode")), QStringLiteral("0101100"));
    // Bank 23's check code is made with the row's own message number and the batch time.
    const QString boki23 = MakeBankCheckCode(QStringLiteral("23"), QStringLiteral("12345678901"), QStringLiteral("04"),
                                             QStringLiteral("123456789012"), QStringLiteral("0000000034000"),
                                             QString::number(client.session().AcceptSeqBase + 2), QStringLiteral("20"),
                                             giche.value(1, QStringLiteral("sendtime")), &client.server().client());
    EXPECT_FALSE(boki23.isEmpty());
    EXPECT_EQ(giche.value(1, QStringLiteral("boki")), boki23);
    EXPECT_EQ(giche.value(0, QStringLiteral("boki")), rows[0].boki);
}

TEST_F(EntryScreen, AFailedRowOrCommitKeepsTheListAndSendsNoNotice)
{
    qvx::testing::RelayTestClient approver;
    ASSERT_TRUE(approver.connectTo(client.server().relayPort()));
    ASSERT_TRUE(approver.login("APPR1"));
    ASSERT_TRUE(ClientFixture::waitFor([this] { return client.dm()->RelayActive(); }));
    client.server().exec(QStringLiteral("create trigger refuse_row before insert on giche when new.Name = 'REFUSED' "
                                        "begin select raise(abort, 'row refused'); end"));

    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("GOOD"), QStringLiteral("1000"));
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("REFUSED"), QStringLiteral("2000"));
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("LATER"), QStringLiteral("3000"));
    const QVector<TransferRow> rows = TransferRows(s->grd_ichelist);

    client.prompt().clear();
    chooseApprover(QStringLiteral("APPR1"));
    ClickControl(s->btn_accept);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("데이터베이스에 저장되지 않았습니다."));
    EXPECT_EQ(TransferRows(s->grd_ichelist), rows);
    EXPECT_EQ(totalShown(s), 6000);
    EXPECT_TRUE(client.session().ApproverId.isEmpty());
    EXPECT_FALSE(s->pnl_gauge->isVisible());
    // Nothing of the batch is visible to another connection, no notice went out.
    auto other = client.server().newClient();
    EXPECT_EQ(other->select(QStringLiteral("select count(*) as n from giche")).valueInt(0, QStringLiteral("n")), 0);
    EXPECT_TRUE(approver.quietFor(300));

    // The final commit fails: rolled back, list kept, no notice.
    client.server().exec(QStringLiteral("drop trigger refuse_row"));
    CommitFailure failing(*client.dm()->scktconnect, 2);
    client.dm()->setAppServer(&failing);
    client.prompt().clear();
    chooseApprover(QStringLiteral("APPR1"));
    ClickControl(s->btn_accept);
    client.dm()->setAppServer(nullptr);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되지 않았습니다."));
    EXPECT_EQ(TransferRows(s->grd_ichelist), rows);
    EXPECT_TRUE(client.session().ApproverId.isEmpty());
    EXPECT_EQ(other->select(QStringLiteral("select count(*) as n from giche")).valueInt(0, QStringLiteral("n")), 0);
    EXPECT_EQ(client.server().query(QStringLiteral("select count(*) as n from giche")).valueInt(0, QStringLiteral("n")), 0);
    EXPECT_TRUE(approver.quietFor(300));

    // Once the server takes the batch the same list goes through: one
    // reservation, commit, rows, commit, and no registration (the approver sends).
    qvx::test::CountingLink counting(*client.dm()->scktconnect);
    client.dm()->setAppServer(&counting);
    client.prompt().clear();
    chooseApprover(QStringLiteral("APPR1"));
    ClickControl(s->btn_accept);
    client.dm()->setAppServer(nullptr);
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("정상적으로 처리되었습니다.")));
    EXPECT_EQ(counting.seqCalls, 1);
    EXPECT_TRUE(counting.answers.empty());
    ASSERT_EQ(counting.statements.size(), 5u);
    EXPECT_EQ(counting.statements.front(), QStringLiteral("commit"));
    EXPECT_EQ(counting.statements.back(), QStringLiteral("commit"));
    EXPECT_EQ(other->select(QStringLiteral("select count(*) as n from giche")).valueInt(0, QStringLiteral("n")), 3);
    EXPECT_EQ(approver.nextFrame(), qvx::FrameReader::frame("F"));
}

TEST_F(EntryScreen, PrintFindAndCloseAskBeforeRowsAreLost)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    ClickControl(s->btn_print);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("출력할 자료가 존재하지 않습니다."));
    auto *find = s->grd_ichelist->findChild<QAction *>(QStringLiteral("N1"));
    ASSERT_NE(find, nullptr);
    find->trigger();
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("검색할 자료가 존재하지 않습니다."));

    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("출력상사"), QStringLiteral("4200"));
    const QVector<qvx::Report::Page> pages = s->Report1.layout();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].detailCount(), 18);
    {
        // The row at its widest prints whole in every column.
        TListGrid *g = s->grd_ichelist;
        const QString account = QStringLiteral("123-4567-8901-234");
        g->SetCells(tcMoBankName, 1, QStringLiteral("한국씨티은행"));
        g->SetCells(tcMoBankNo, 1, account);
        g->SetCells(tcMoney, 1, QStringLiteral("9,999,999,999,999"));
        g->SetCells(tcBankName, 1, QStringLiteral("한국씨티은행"));
        g->SetCells(tcBankNo, 1, account);
        g->SetCells(tcName, 1, QStringLiteral("가나다라마바"));
        g->SetCells(tcFirmId, 1, QStringLiteral("HB210199"));
        g->SetCells(tcUserId, 1, QStringLiteral("MAKER001"));
        g->SetCells(tcInfo, 1, QStringLiteral("가나다라마바사아자차카타파하가나다라마바"));
        EXPECT_EQ(ClippedTexts(s->Report1).join(u'\n').toStdString(), "");
    }
    OnNextModal([](QDialog *preview) {
        SavePicture(preview, "qv_IcheMake_frm_preview");
        preview->reject();
    });
    ClickControl(s->btn_print);

    QPointer<Tqv_IcheMake_frm> screen(s);
    client.prompt().clear();
    client.prompt().enqueueAnswer(false);
    ClickControl(s->btn_close);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("이체자료가 있습니다. 종료 후 데이터는 유실됩니다. 종료하시겠습니까?"));
    EXPECT_EQ(TransferRowCount(s->grd_ichelist), 1);
    EXPECT_FALSE(main->item(QStringLiteral("qv_b1"))->isEnabled());
    // The child window is minimised with its rows; the maker brings it back.
    auto *sub = qobject_cast<QMdiSubWindow *>(s->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isMinimized());
    sub->showNormal();

    client.prompt().enqueueAnswer(true);
    ClickControl(s->btn_close);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(main->item(QStringLiteral("qv_b1"))->isEnabled());
    EXPECT_EQ(client.session().AcceptSeqBase, 0);
}

TEST_F(EntryScreen, CheckCodesAreMadeBeforeTheRowAndRenewedOnTheRequestDay)
{
    qvx::testing::RelayTestClient approver;
    ASSERT_TRUE(approver.connectTo(client.server().relayPort()));
    ASSERT_TRUE(approver.login("APPR1"));
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);

    // Mother bank 03's rule needs six digits of the counterpart account: the row is refused whole.
    enter(s, "03", "20", QStringLiteral("12345"), QStringLiteral("짧은계좌"), QStringLiteral("1000"));
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("복기(검증번호)를 만들 수 없습니다.\r\n모계좌, 거래계좌와 이체금액을 확인하시기 바랍니다."));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    EXPECT_EQ(totalShown(s), 0);

    // Made on one day, requested on the next: the date-dependent code is made anew.
    qvx::Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("어제상사"), QStringLiteral("1000"));
    const TransferRow row = ReadTransferRow(s->grd_ichelist, 1);
    EXPECT_EQ(row.boki, MakeBankCheckCode(QStringLiteral("03"), QStringLiteral("12301234567890"), QStringLiteral("20"),
                                          QStringLiteral("1002345678901"), QStringLiteral("0000000001000"), QString(),
                                          QStringLiteral("30"), QStringLiteral("999999")));
    qvx::Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    const QString today = MakeBankCheckCode(QStringLiteral("03"), QStringLiteral("12301234567890"), QStringLiteral("20"),
                                            QStringLiteral("1002345678901"), QStringLiteral("0000000001000"), QString(),
                                            QStringLiteral("30"), QStringLiteral("999999"));
    ASSERT_NE(today, row.boki);
    chooseApprover(QStringLiteral("APPR1"));
    ClickControl(s->btn_accept);
    EXPECT_EQ(client.server().query(QStringLiteral("select boki from giche")).value(0, QStringLiteral("boki")), today);
    qvx::Clock::reset();
}

TEST(EntryScreenRelayGone, TheBatchIsStoredAndTheMissingNoticeLogged)
{
    registerTransferScreens();
    ClientFixture client;
    ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    ShowActive(client.mainWindow());
    // The relay line is gone before its loss has been handled (a relay that
    // fails at start-up, or drops later, asks to quit or go offline at once).
    Tdm *data = client.dm();
    QObject::disconnect(data->Csckt, nullptr, data, nullptr);
    data->Csckt->abort();
    ASSERT_TRUE(TriggerMenuItem(client.mainWindow(), QStringLiteral("qv_b1")));
    auto *s = qobject_cast<Tqv_IcheMake_frm *>(FindScreen(client.mainWindow(), QStringLiteral("qv_IcheMake_frm")));
    ASSERT_NE(s, nullptr);
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[04]")));
    TypeText(s->curredt_money, QStringLiteral("800"));
    TypeText(s->edt_sendname, QStringLiteral("NORELAY"));
    Pick(s->cmb_transbankid, ItemWith(s->cmb_transbankid, QStringLiteral("[04]")));
    TypeText(s->edt_bankno, QStringLiteral("123456789012"));
    ClickControl(s->KitButton1);
    OnNextModal([](QDialog *d) { ClickIn(d, "btn_select"); });
    ClickControl(s->btn_accept);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(client.server().query(QStringLiteral("select count(*) as n from giche where sr_flag = '0'")).valueInt(0, QStringLiteral("n")), 1);
    const QStringList log = qvx::TextFile::readLines(DayLogFileName());
    EXPECT_TRUE(log.filter(QStringLiteral("승인요청 알림 미전송(중계서버 연결 없음) -> 승인자 : APPR1")).size() == 1)
        << qPrintable(log.join(QLatin1Char('\n')));
}

// 종료, Ctrl+X and the main window's close box each ask before the entry
// rows are lost; 취소 keeps the program open with its rows, 확인 ends it.
TEST_F(EntryScreen, EveryWayOfQuittingAsksBeforeTheRowsAreLost)
{
    const QString question = QStringLiteral("이체자료가 있습니다. 종료 후 데이터는 유실됩니다. 종료하시겠습니까?");
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("종료상사"), QStringLiteral("4200"));
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 1);
    QPointer<Tqv_IcheMake_frm> screen(s);
    auto keptOpen = [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(client.prompt().lastText(), question);
        EXPECT_TRUE(main->isVisible());
        ASSERT_FALSE(screen.isNull());
        EXPECT_EQ(TransferRowCount(s->grd_ichelist), 1);
        EXPECT_TRUE(client.dm()->ServerLinkOpen());
        EXPECT_EQ(client.session().ServerState, 0);
    };

    client.prompt().clear();
    client.prompt().enqueueAnswer(false);
    ASSERT_TRUE(TriggerMenuItem(main, QStringLiteral("qv_a8")));
    keptOpen();

    client.prompt().clear();
    client.prompt().enqueueAnswer(false);
    main->activateWindow();
    QTest::keyClick(main, Qt::Key_X, Qt::ControlModifier);
    keptOpen();

    client.prompt().clear();
    client.prompt().enqueueAnswer(false);
    main->close();
    keptOpen();

    // The entry screen's own close box still asks afterwards.
    client.prompt().clear();
    client.prompt().enqueueAnswer(false);
    ClickControl(s->btn_close);
    keptOpen();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(s->parentWidget()))
        sub->showNormal();

    client.prompt().clear();
    client.prompt().enqueueAnswer(true);
    ASSERT_TRUE(TriggerMenuItem(main, QStringLiteral("qv_a8")));
    EXPECT_EQ(client.prompt().texts(), QStringList{question});
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(client.session().ServerState, -1);
}

TEST_F(EntryScreen, ClosingTheMainWindowAsksAndEndsOnConfirm)
{
    Tqv_IcheMake_frm *s = openEntry(false);
    ASSERT_NE(s, nullptr);
    enter(s, "03", "20", QStringLiteral("1002345678901"), QStringLiteral("닫기상사"), QStringLiteral("4200"));
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 1);
    client.prompt().clear();
    client.prompt().enqueueAnswer(true);
    main->close();
    EXPECT_EQ(client.prompt().texts(),
              QStringList{QStringLiteral("이체자료가 있습니다. 종료 후 데이터는 유실됩니다. 종료하시겠습니까?")});
    EXPECT_FALSE(main->isVisible());
}

// With mother bank [04] (no check-code rule), an account of letters is
// refused by 자료작성 with the account message; digits with hyphens go in.
TEST_F(EntryScreen, AnAccountOfLettersIsRefusedAtEntry)
{
    Tqv_IcheMake_frm *s = openEntry(true);
    ASSERT_NE(s, nullptr);
    client.prompt().clear();
    enter(s, "04", "04", QStringLiteral("일이삼사오육칠팔구"), QStringLiteral("글자상사"), QStringLiteral("1000"));
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다."));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    EXPECT_EQ(focused(s), s->edt_bankno);
    for (const char *typed : {"1234a5678", "12 345678", "---"}) {
        client.prompt().clear();
        enter(s, "04", "04", QString::fromLatin1(typed), QStringLiteral("글자상사"), QStringLiteral("1000"));
        EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다."))
            << typed;
        EXPECT_TRUE(GridIsEmpty(s->grd_ichelist)) << typed;
    }
    client.prompt().clear();
    enter(s, "04", "04", QStringLiteral("123-456-789012"), QStringLiteral("숫자상사"), QStringLiteral("1000"));
    ASSERT_EQ(TransferRowCount(s->grd_ichelist), 1);
    const QString account = ReadTransferRow(s->grd_ichelist, 1).bankNo;

    // The row edit refuses letters as well and keeps the row.
    bool refusedInDialog = false;
    ClickGridCell(s->grd_ichelist, 1, 1);
    OnNextModal([&](QDialog *d) {
        auto *dialog = qobject_cast<Tqv_icheModify_frm *>(d);
        if (!dialog)
            return d->reject();
        TypeText(dialog->edt_bankno, QStringLiteral("일이삼사오육칠팔구"));
        client.prompt().clear();
        QTest::mouseClick(dialog->btn_modify, Qt::LeftButton);
        refusedInDialog = dialog->isVisible()
                          && client.prompt().lastText()
                                 == QStringLiteral("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다.");
        QTest::mouseClick(dialog->KitButton2, Qt::LeftButton);
    });
    ClickControl(s->btn_modify);
    EXPECT_TRUE(refusedInDialog);
    EXPECT_EQ(ReadTransferRow(s->grd_ichelist, 1).bankNo, account);
}
