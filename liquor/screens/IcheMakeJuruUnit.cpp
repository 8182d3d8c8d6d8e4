#include "liquor/screens/IcheMakeJuruUnit.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/screens/ClientMainUnit.h"
#include "core/screens/FormParts.h"
#include "core/screens/GridRows.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListCombos.h"
#include "core/screens/ListGrid.h"
#include "core/screens/SearchUnit.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ProgressPanel.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "liquor/LiquorRules.h"
#include "liquor/LiquorSend.h"
#include "liquor/LiquorTempSave.h"
#include "liquor/screens/IcheMakeJuruSubunit.h"
#include "liquor/screens/LiquorFields.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"
#include "core/screens/AccountField.h"
#include "core/screens/EntryScreenParts.h"
#include "core/screens/KeyHook.h"
#include "core/screens/TempSaveFiles.h"
#include "core/screens/TransSelectUnit.h"
#include "platform/AppServer.h"
#include "platform/Clock.h"
#include "platform/FileChooser.h"
#include "platform/Prompt.h"
#include "platform/SqlText.h"
#include "platform/TListGrid.h"
#include "platform/TextFile.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProgressBar>


namespace {

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

Tqv_IcheMakeJuru_frm::ConversionRunner &textRunner()
{
    static Tqv_IcheMakeJuru_frm::ConversionRunner runner;
    return runner;
}

Tqv_IcheMakeJuru_frm::ConversionRunner &excelRunner()
{
    static Tqv_IcheMakeJuru_frm::ConversionRunner runner;
    return runner;
}

const int ShownWidths[LiquorShownColumns] = {61, 58, 64, 120, 102, 104, 97, 74, 87, 115, 58, 123, 123, 71, 72, 118};

QString itemBankCode(const QString &item) { return item.mid(1, 2); }

// An amount field's text longer than an amount may be: the user is told,
// the cleared fields go back to 0 and the focus to `focus`. False when the
// text fits.
bool refusedLongAmount(const TCurrencyEdit *field, std::initializer_list<TCurrencyEdit *> cleared, TCurrencyEdit *focus)
{
    if (!LiquorAmountTextTooLong(field->Text()))
        return false;
    prompt().message(LiquorAmountTooLongMessage);
    for (TCurrencyEdit *edit : cleared)
        SetFigure(edit, 0);
    focus->setFocus();
    return true;
}

} // namespace

void Tqv_IcheMakeJuru_frm::SetTextConversionRunner(ConversionRunner runner) { textRunner() = std::move(runner); }
void Tqv_IcheMakeJuru_frm::SetExcelConversionRunner(ConversionRunner runner) { excelRunner() = std::move(runner); }

Tqv_IcheMakeJuru_frm::Tqv_IcheMakeJuru_frm(const ScreenContext &context, QWidget *owner)
    : TEntryListForm(context, owner)
    , m_server(*context.dm.scktconnect)
{
    setObjectName(QStringLiteral("qv_ichemakeJuru_frm"));
    setWindowTitle(QStringLiteral("이체자료 작성"));
    setMinimumSize(780, 560);
    resize(1040, 660);
    SetFormColour(this);

    // Mother account and amounts, created in tab order.
    TKitSimplePanel *top = EntryPanel(this, "pnl_mother", QStringLiteral(" ◎ 모 계 좌 설정"), 88);
    cmb_transdiv = MakeLabeledCombo(top, "cmb_transdiv", QStringLiteral("거 래 구 분"), 8, 28, 76, 80);
    cmb_transdiv->Items().Add(QStringLiteral("수납"));
    cmb_transdiv->Items().Add(QStringLiteral("지급"));
    cmb_transdiv->SetItemIndex(session.PaymentMode == 1 ? 1 : 0);
    cmb_transdiv->SetEnabled(false);
    cmb_allbank = MakeLabeledCombo(top, "cmb_allbank", QStringLiteral("은  행  명"), 200, 28, 76, 380);
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank);
    curredt_juru = LabeledAmount(top, "curredt_juru", QStringLiteral("주 류 금 액"), 8, 58);
    curredt_bijuru = LabeledAmount(top, "curredt_bijuru", QStringLiteral("비주류금액"), 240, 58);
    curredt_money = LabeledAmount(top, "curredt_money", QStringLiteral("이 체 금 액"), 472, 58);

    TKitSimplePanel *second = EntryPanel(this, "pnl_counterparty", QStringLiteral(" ◎ 거래계좌 설정"), 88);
    cmb_daesang = MakeLabeledCombo(second, "cmb_daesang", QStringLiteral("거 래 처 명"), 8, 28, 76, 130);
    m_payees = std::make_unique<PayeeCombo>(cmb_daesang);
    edt_sendname = MakeEdit(second, "edt_sendname", 224, 28, 130);
    cmb_transbankid = MakeLabeledCombo(second, "cmb_transbankid", QStringLiteral("거 래 은 행"), 370, 28, 76, 190);
    m_banks = std::make_unique<AllBanksCombo>(cmb_transbankid);
    edt_bankno = MakeLabeledEdit(second, "edt_bankno", QStringLiteral("거 래 계 좌"), 8, 58, 76, 266);
    edt_daesanginfo = MakeLabeledEdit(second, "edt_daesanginfo", QStringLiteral("실 명 번 호"), 370, 58, 76, 190);
    edt_other = MakeLabeledEdit(second, "edt_other", QStringLiteral("기      타"), 650, 58, 60, 150);
    btn_datasave = MakeButton(second, "btn_datasave", QStringLiteral("자료 작성"), 880, 26, 120, 56);

    // Buttons and totals at the bottom.
    makeListButtons({}, {{&btn_excel, "btn_excel", "Excel"}}, {&DDButton1, "DDButton1", "자료전체삭제", 100}, "송 신");

    pnl_total = MakeBar(this, "pnl_total", 34, alBottom);
    curredt_gunR = LabeledCount(pnl_total, "curredt_gunR", QStringLiteral("작성 건수"), 8, 6);
    curredt_MoneyR = LabeledAmount(pnl_total, "curredt_MoneyR", QStringLiteral("작성금액 합계 "), 200, 6);
    ShowOnlyPanel(pnl_total);

    MakeBand(this, "pnl_listcaption", QStringLiteral(" ◎ 이체자료 등록 목록"), 25);
    QStringList headers;
    for (int c = 0; c < LiquorColumnCount; ++c)
        headers.append(LiquorColumnTitle(LiquorColumn(c)));
    grd_ichelist = MakeEntryList(this, headers, ShownWidths, session, [this] { btn_modifyClick(); });
    grd_ichelist->OnGetAlignment = [](int col, int row) {
        return (row > 0 && col >= lcJuMoney && col <= lcMoney) ? Qt::AlignRight : Qt::AlignHCenter;
    };
    AddFindAction({session, dm}, this, grd_ichelist, "N1");

    MakeProgressPanel(this).assignTo(pnl_gauge, Gauge1, curredt_tgun, curredt_errgun, curredt_gun, lbl_message);

    // Keys: Enter walks the tab order; a few go elsewhere.
    for (QWidget *w : std::initializer_list<QWidget *>{cmb_transdiv, cmb_daesang, cmb_transbankid, edt_bankno,
                                                       edt_daesanginfo, edt_other, curredt_juru, curredt_bijuru})
        EnterMovesFocus(w);
    EnterMovesFocus(cmb_allbank, curredt_juru);
    OnKey(curredt_money, [this](QKeyEvent *e) {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return false;
        (cmb_daesang->Enabled() ? static_cast<QWidget *>(cmb_daesang) : edt_sendname)->setFocus(Qt::TabFocusReason);
        return true;
    });
    OnKey(edt_sendname, [this](QKeyEvent *e) {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            if (QWidget *next = NextTabControl(edt_sendname))
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
        // With a mother account at bank 04 the name takes Korean only.
        const QString typed = e->text();
        return motherBankCode() == u"04" && typed.size() == 1 && RejectAsciiKey(typed[0]).isNull();
    });
    connect(edt_sendname, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (Cp949Length(text) > LiquorNameBytes)
            edt_sendname->setText(LeftBytes(text, LiquorNameBytes));
    });
    OnFocusOut(edt_sendname, Guarded(session, QStringLiteral("edt_sendnameExit"), [this] { edt_sendnameExit(); }));
    OnFocusOut(edt_bankno, Guarded(session, QStringLiteral("edt_banknoExit"), [this] { edt_banknoExit(); }));
    cmb_daesang->OnChange = [this](QObject *) { Guarded(session, QStringLiteral("cmb_daesangChange"), [this] { cmb_daesangChange(); })(); };
    cmb_allbank->OnChange = [this](QObject *) { Guarded(session, QStringLiteral("cmb_allbankChange"), [this] { cmb_allbankChange(); })(); };
    cmb_allbank->OnExit = [this](QObject *) { Guarded(session, QStringLiteral("cmb_allbankExit"), [this] { cmb_allbankExit(); })(); };
    cmb_transbankid->OnEnter = [this](QObject *) { Guarded(session, QStringLiteral("cmb_transbankidEnter"), [this] { cmb_transbankidEnter(); })(); };
    cmb_transbankid->OnChange = [this](QObject *) { Guarded(session, QStringLiteral("cmb_transbankidChange"), [this] { cmb_transbankidChange(); })(); };
    curredt_juru->OnExit = [this](QObject *) { Guarded(session, QStringLiteral("curredt_juruExit"), [this] { curredt_juruExit(); })(); };
    curredt_bijuru->OnExit = [this](QObject *) { Guarded(session, QStringLiteral("curredt_bijuruExit"), [this] { curredt_juruExit(); })(); };
    curredt_juru->OnChange = [this](QObject *) { Guarded(session, QStringLiteral("curredt_juruChange"), [this] { curredt_juruChange(); })(); };
    curredt_bijuru->OnChange = [this](QObject *) { Guarded(session, QStringLiteral("curredt_bijuruChange"), [this] { curredt_bijuruChange(); })(); };
    curredt_money->OnChange = [this](QObject *) { Guarded(session, QStringLiteral("curredt_moneyChange"), [this] { curredt_moneyChange(); })(); };
    FocusOnShow(this, cmb_allbank);

    BindClicks(session, {{btn_datasave, [this] { btn_datasaveClick(); }},
                         {btn_callfile, [this] { btn_callfileClick(); }},
                         {btn_tempsave, [this] { btn_tempsaveClick(); }},
                         {btn_dataconvert, [this] { btn_dataconvertClick(); }},
                         {btn_excel, [this] { btn_excelClick(); }}, {btn_modify, [this] { btn_modifyClick(); }},
                         {btn_delete, [this] { btn_deleteClick(); }}, {DDButton1, [this] { DDButton1Click(); }},
                         {btn_accept, [this] { btn_acceptClick(); }}, {btn_close, [this] { btn_closeClick(); }}});

    RunGuarded(session, QStringLiteral("qv_ichemakeJuru_frm.FormCreate"), [this] { FormCreate(); });
}

Tqv_IcheMakeJuru_frm::~Tqv_IcheMakeJuru_frm() = default;

void Tqv_IcheMakeJuru_frm::FormCreate()
{
    ApplyColumnVisibility(grd_ichelist, QStringLiteral("QV_ICHEMAKEJURU_FRM"), 1, 21);
    UpdateTotals();

    const int accounts = m_accounts->Load(m_server, BankSql::motherAccounts({.passwords = true}));
    if (accounts == 0) {
        prompt().message(LiquorNoMotherAccountMessage);
        return;
    }
    m_payees->Load(m_server);
    m_banks->Load(m_server);
    cmb_transbankid->SetItemIndex(0);
    cmb_allbank->SetItemIndex(0);
    cmb_daesang->SetItemIndex(0);
}

// --- list and totals ------------------------------------------------------------

QVector<LiquorRow> Tqv_IcheMakeJuru_frm::LiquorRows() const
{
    return GridRows<LiquorRow>(grd_ichelist);
}

void Tqv_IcheMakeJuru_frm::UpdateTotals()
{
    // Only the amount column is read: a list of a whole file is summed after
    // every conversion.
    qint64 total = 0;
    const int rows = DataRowCount(grd_ichelist);
    for (int r = 1; r <= rows; ++r)
        total += LiquorRow::amountOf(grd_ichelist->Cells(lcMoney, r));
    SetFigure(curredt_gunR, rows);
    SetFigure(curredt_MoneyR, total);
}

void Tqv_IcheMakeJuru_frm::ClearList()
{
    ClearEntryList(40);
}

int Tqv_IcheMakeJuru_frm::AddLiquorRow(const LiquorRow &row)
{
    return RowAdded(AppendGridRow(grd_ichelist, row));
}

bool Tqv_IcheMakeJuru_frm::IsDuplicateTransfer(const QString &name, const QString &groupedAmount,
                                               const QString &info) const
{
    return IsDuplicateLiquorTransfer([this](int c, int r) { return grd_ichelist->Cells(c, r); },
                                     grd_ichelist->RowCount(), name, groupedAmount, info.trimmed(),
                                     DuplicateComparesInfo(session.IcheCheckFlag, info));
}

// --- the same-bank rule ------------------------------------------------------------

const MotherAccount *Tqv_IcheMakeJuru_frm::chosenAccount() const
{
    return m_accounts->Chosen();
}

QString Tqv_IcheMakeJuru_frm::motherBankCode() const
{
    return itemBankCode(cmb_allbank->Text());
}

void Tqv_IcheMakeJuru_frm::selectTransBank(const QString &bankId)
{
    m_banks->ChooseListed(bankId);
}

void Tqv_IcheMakeJuru_frm::cmb_transbankidEnter()
{
    if (!LiquorSameBank(motherBankCode(), itemBankCode(cmb_transbankid->Text())))
        selectTransBank(motherBankCode());
}

void Tqv_IcheMakeJuru_frm::cmb_transbankidChange()
{
    if (LiquorSameBank(motherBankCode(), itemBankCode(cmb_transbankid->Text())))
        return;
    prompt().message(LiquorOwnBankOnlyMessage);
    selectTransBank(motherBankCode());
}

void Tqv_IcheMakeJuru_frm::cmb_allbankExit()
{
    selectTransBank(motherBankCode());
}

void Tqv_IcheMakeJuru_frm::cmb_allbankChange()
{
    if (motherBankCode() == itemBankCode(cmb_transbankid->Text()))
        return;
    cmb_daesang->SetItemIndex(0);
    edt_sendname->clear();
    edt_bankno->clear();
    edt_daesanginfo->clear();
    edt_other->clear();
}

// --- amounts ----------------------------------------------------------------------

void Tqv_IcheMakeJuru_frm::curredt_juruExit()
{
    qint64 sum = 0;
    if (SumLiquorParts(curredt_juru->Text(), curredt_bijuru->Text(), &sum))
        SetFigure(curredt_money, sum);
}

void Tqv_IcheMakeJuru_frm::curredt_juruChange()
{
    refusedLongAmount(curredt_juru, {curredt_juru}, curredt_juru);
}

void Tqv_IcheMakeJuru_frm::curredt_bijuruChange()
{
    refusedLongAmount(curredt_bijuru, {curredt_bijuru}, curredt_bijuru);
}

void Tqv_IcheMakeJuru_frm::curredt_moneyChange()
{
    refusedLongAmount(curredt_money, {curredt_juru, curredt_bijuru, curredt_money}, curredt_juru);
}

// --- counterparty --------------------------------------------------------------------

void Tqv_IcheMakeJuru_frm::cmb_daesangChange()
{
    const PayeeItem *payee = m_payees->Chosen();
    if (!payee) {
        SetNameFieldTaken(edt_sendname, false);
        edt_sendname->setFocus();
        edt_bankno->clear();
        edt_daesanginfo->clear();
        cmb_transbankid->SetItemIndex(0);
        return;
    }
    const PayeeItem &p = *payee;
    edt_sendname->clear();
    SetNameFieldTaken(edt_sendname, true);
    edt_bankno->setText(FormatAcctNo(p.bankid, p.bankno));
    edt_daesanginfo->setText(p.residentno);
    selectTransBank(p.bankid);
    SelectItemByCode(cmb_allbank, p.bankid);
}

void Tqv_IcheMakeJuru_frm::selectMotherAccount(const QString &bankId, bool bank88TakesBank21)
{
    for (int i = 0; i < cmb_allbank->Items().Count(); ++i) {
        const QString code = itemBankCode(cmb_allbank->Items()[i]);
        if (code == bankId || (bank88TakesBank21 && bankId == u"88" && code == u"21")) {
            cmb_allbank->SetItemIndex(i);
            return;
        }
    }
}

void Tqv_IcheMakeJuru_frm::fillCounterparty(const QString &name, const QString &bankId, const QString &bankNo,
                                            const QString &residentNo, bool bank88TakesBank21)
{
    selectTransBank(bankId);
    selectMotherAccount(bankId, bank88TakesBank21);
    edt_sendname->setText(name);
    edt_bankno->setText(bankNo);
    edt_daesanginfo->setText(residentNo);
}

void Tqv_IcheMakeJuru_frm::edt_sendnameExit()
{
    // The picker takes the focus from the name field: that is no second leaving.
    if (m_lookingUp || !edt_sendname->isEnabled())
        return;
    m_lookingUp = true;
    const qvx::ResultSet rs = m_server.select(PayeeNameSearchSql(edt_sendname->text()));
    FoundPayee payee;
    const PayeeSearchOutcome found = PickPayee({session, dm}, this, rs, &payee);
    switch (found) {
    case PayeeSearchOutcome::Single:
    case PayeeSearchOutcome::Picked:
        // Bank 88 takes a bank-21 mother account only for the payee found alone.
        fillCounterparty(payee.name, payee.bankId, payee.bankNo, payee.residentNo,
                         found == PayeeSearchOutcome::Single);
        break;
    case PayeeSearchOutcome::None:
        edt_bankno->clear();
        edt_daesanginfo->clear();
        cmb_transbankid->SetItemIndex(0);
        break;
    case PayeeSearchOutcome::Declined:
        edt_sendname->setFocus();
        break;
    }
    m_lookingUp = false;
}

void Tqv_IcheMakeJuru_frm::edt_banknoExit()
{
    FormatAccountField(edt_bankno, itemBankCode(cmb_transbankid->Text()));
}

// --- adding a row ----------------------------------------------------------------------

void Tqv_IcheMakeJuru_frm::btn_datasaveClick()
{
    const MotherAccount *account = chosenAccount();
    LiquorEntryInput input;
    input.hasMotherAccount = account != nullptr;
    input.moBankId = account ? account->bankid : QString();
    input.payeeIndex = cmb_daesang->ItemIndex();
    input.payeeComboEnabled = cmb_daesang->Enabled();
    input.sendName = edt_sendname->text();
    input.liquorText = curredt_juru->Text();
    input.nonLiquorText = curredt_bijuru->Text();
    input.transferText = curredt_money->Text();
    input.realNameNo = edt_daesanginfo->text();
    input.bankId = itemBankCode(cmb_transbankid->Text());
    input.bankNo = edt_bankno->text();
    input.today = qvx::Clock::today();
    const LiquorEntryCheck check = CheckLiquorEntry(input);
    using F = LiquorEntryFocus;
    if (RefuseEntry(check, {{F::MotherAccount, cmb_allbank}, {F::PayeeCombo, cmb_daesang}, {F::SendName, edt_sendname},
                            {F::Liquor, curredt_juru}, {F::NonLiquor, curredt_bijuru}, {F::Transfer, curredt_money},
                            {F::RealNameNo, edt_daesanginfo}, {F::BankNo, edt_bankno}}))
        return;

    LiquorEntry entry;
    entry.name = cmb_daesang->ItemIndex() > 0 ? cmb_daesang->Text() : edt_sendname->text();
    entry.bankId = input.bankId;
    entry.bankName = cmb_transbankid->Text().mid(8);
    entry.bankNo = edt_bankno->text();
    entry.realNameNo = edt_daesanginfo->text();
    entry.info = edt_other->text();
    entry.amounts = check.amounts;
    const QString grouped = FormatMoney(QString::number(check.amounts.transfer));
    if (IsDuplicateTransfer(entry.name, grouped, entry.info)) {
        if (!prompt().confirm(DuplicateQuestion(entry.name, grouped), QStringLiteral("확인"))) {
            SetButtonEnabled(btn_accept, true);
            return;
        }
        WriteLog(session, LiquorDuplicateLogLine(entry.name, grouped));
    }

    LiquorRow row = MakeLiquorEntryRow(session, *account, entry);
    // A row whose data the bank's rule refuses never reaches the list.
    try {
        row.boki = LiquorEntryCheckCode(row, &m_server);
    } catch (const ConvertError &) {
        prompt().message(CheckCodeRefusedMessage());
        edt_bankno->setFocus();
        return;
    }
    AddLiquorRow(row);
    resetEntryFields();
}

void Tqv_IcheMakeJuru_frm::resetEntryFields()
{
    SetFigure(curredt_juru, 0);
    SetFigure(curredt_bijuru, 0);
    SetFigure(curredt_money, 0);
    cmb_daesang->SetItemIndex(0);
    SetNameFieldTaken(edt_sendname, false);
    edt_sendname->clear();
    edt_bankno->clear();
    edt_daesanginfo->clear();
    edt_other->clear();
    cmb_allbank->setFocus();
}

// --- deleting, editing, finding ---------------------------------------------------------

void Tqv_IcheMakeJuru_frm::btn_deleteClick()
{
    if (EntryListHasRows(grd_ichelist, QStringLiteral("삭제할 자료가 존재하지 않습니다.")))
        DeleteEntryRow(grd_ichelist, [this] { ClearList(); }, [this] { UpdateTotals(); });
}

void Tqv_IcheMakeJuru_frm::DDButton1Click()
{
    if (EntryListHasRows(grd_ichelist, QStringLiteral("삭제할 자료가 존재하지 않습니다.")))
        ClearList();
}

void Tqv_IcheMakeJuru_frm::btn_modifyClick()
{
    const int r = EntryRowToModify(grd_ichelist);
    if (r == 0)
        return;
    const LiquorRow row = ReadGridRow<LiquorRow>(grd_ichelist, r);

    Tqv_juruicheModify_frm dialog({session, dm}, this);
    AllBanksCombo(dialog.cmb_transbankid).Load(m_server, BankCombo::Rows::Every);
    dialog.Fill(row, LiquorModeWord(session.PaymentMode));
    // While the dialog is open the total leaves this row out.
    SetFigure(curredt_MoneyR, curredt_MoneyR->Value().toInt64() - row.amount());
    if (dialog.exec() != QDialog::Accepted) {
        UpdateTotals();
        return;
    }
    LiquorRow edited = ApplyLiquorRowEdit(row, dialog.Edit());
    try {
        if (edited.moBankId != u"23")
            edited.boki = LiquorEntryCheckCode(edited, &m_server);
    } catch (const ConvertError &) {
        prompt().message(CheckCodeRefusedMessage());
        UpdateTotals();
        return;
    }
    WriteGridRow(grd_ichelist, r, edited);
    UpdateTotals();
}

void Tqv_IcheMakeJuru_frm::btn_dataconvertClick()
{
    if (!RefuseWhenOffline(session) && textRunner())
        textRunner()(*this);
}

void Tqv_IcheMakeJuru_frm::btn_excelClick()
{
    if (!RefuseWhenOffline(session) && excelRunner())
        excelRunner()(*this);
}

// --- temporary save and reload ---------------------------------------------------------

void Tqv_IcheMakeJuru_frm::btn_tempsaveClick()
{
    if (!EntryListHasRows(grd_ichelist, QStringLiteral("저장할 자료가 존재하지 않습니다.")))
        return;
    const QString proposed = LiquorModeWord(session.PaymentMode) + QStringLiteral("_")
                             + qvx::Clock::nowText(QStringLiteral("yyyyMMddhhmmss"));
    const QString chosen = ChooseTempSaveFile(this, proposed);
    if (chosen.isEmpty())
        return;

    QByteArray bytes;
    if (!TempSaveBytes(LiquorRows(), EncodeLiquorTempSaveLine, LiquorTempSaveRefusalMessage, &bytes))
        return;
    if (!WriteTempSaveFile(chosen + QStringLiteral(".txt"), bytes))
        return;
    if (prompt().yesNo(QStringLiteral("현재 작성된 이체자료 목록을 삭제하시겠습니까?"), windowTitle()))
        ClearList();
}

void Tqv_IcheMakeJuru_frm::btn_callfileClick()
{
    // The saves are named after the mode ("지급_....txt").
    const QString pattern = LiquorModeWord(session.PaymentMode) + QStringLiteral("_*.*");
    const std::optional<TempSaveFile> file = ReadTempSaveFile(
        this, LiquorModeWord(session.PaymentMode) + QStringLiteral("이체임시저장파일(") + pattern + u')', pattern);
    if (!file)
        return;

    // The lines read before a stop stay in the list, as they were taken; the
    // list grows once and is summed once, however long the file.
    bool stopped = false;
    QVector<LiquorRow> taken;
    taken.reserve(file->lines.size());
    for (const QByteArray &line : file->lines) {
        if (line.trimmed().isEmpty())
            continue;
        LiquorTempSaveDecoded decoded = DecodeLiquorTempSaveLine(line, session.PaymentMode);
        if (decoded.fault == LiquorTempSaveFault::OtherMode) {
            prompt().message(LiquorOtherModeMessage(session.PaymentMode));
            stopped = true;
            break;
        }
        if (decoded.fault == LiquorTempSaveFault::Implausible) {
            if (!prompt().confirm(LiquorImplausibleLineQuestion, QStringLiteral("확인"))) {
                stopped = true;
                break;
            }
            continue;
        }
        taken.append(std::move(decoded.row));
    }
    AppendGridRows(grd_ichelist, taken);
    UpdateTotals();
    if (stopped)
        return;
    // Also after a skipped line: the user was told of it and chose to go on.
    if (prompt().yesNo(QStringLiteral("불러온 임시저장 파일을 삭제하시겠습니까?"), windowTitle()))
        QFile::remove(file->fileName);
}

// --- sending -------------------------------------------------------------------------------

void Tqv_IcheMakeJuru_frm::setBusy(bool busy)
{
    m_busy = busy;
    // Nothing of the screen takes input while a batch goes; the progress stays
    // readable, and what was disabled before (the totals) stays so.
    if (busy) {
        m_disabledWhileBusy.clear();
        for (QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (w != pnl_gauge && w->isEnabled()) {
                w->setEnabled(false);
                m_disabledWhileBusy.append(w);
            }
        }
        return;
    }
    for (QWidget *w : std::as_const(m_disabledWhileBusy))
        w->setEnabled(true);
    m_disabledWhileBusy.clear();
}

void Tqv_IcheMakeJuru_frm::btn_acceptClick()
{
    if (!ReadyToSendEntryList(session, m_busy, grd_ichelist, {curredt_tgun, curredt_gun, curredt_errgun}))
        return;
    // What is sent is the list as it stands now.
    const LiquorBatch batch = LiquorBatch::of(session, LiquorRows());
    qint64 total = 0;
    for (const LiquorRow &row : batch.rows)
        total += row.amount();
    if (!prompt().confirm(LiquorSendQuestion(int(batch.rows.size()), batch.rows.first().name, total),
                          QStringLiteral("확인"))) {
        SetButtonEnabled(btn_accept, true);
        return;
    }

    setBusy(true);
    LiquorSendProgress progress;
    progress.reserved = [this](qint64, int count) {
        ShowGauge(count);
        SetFigure(curredt_tgun, count);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    progress.rowStored = [this](int stored) {
        SetFigure(curredt_gun, stored);
        lbl_message->setText(QStringLiteral("정상처리"));
        Gauge1->setValue(stored);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const LiquorSendOutcome outcome = SendLiquorBatch(session, m_server, batch, progress);

    if (outcome.status == LiquorSendOutcome::RowFailed) {
        lbl_message->setText(QStringLiteral("데이터베이스에 저장되지 않았습니다."));
        SetFigure(curredt_errgun, 1);
    }
    const QString failure = LiquorSendFailureMessage(outcome);
    if (!failure.isEmpty())
        prompt().message(failure);
    pnl_gauge->hide();
    setBusy(false);
    if (!outcome.committed())
        return; // every row stays in the list
    ClearList();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    openResultInquiry();
}

void Tqv_IcheMakeJuru_frm::openResultInquiry()
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *main = qobject_cast<Tqv_frm *>(w)) {
            main->qv_d1Click();
            return;
        }
    }
}

// --- closing ---------------------------------------------------------------------------------

void Tqv_IcheMakeJuru_frm::btn_closeClick()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void Tqv_IcheMakeJuru_frm::closeEvent(QCloseEvent *event)
{
    closeEntryForm(event, false, session.SeqNoBase, session.SeqNoLast);
}

void registerIcheMakeJuruScreen()
{
    RegisterScreen<Tqv_IcheMakeJuru_frm>(QStringLiteral("qv_ichemakeJuru_frm"));
}
