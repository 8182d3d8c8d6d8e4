#include "transfers/screens/IcheMakeUnit.h"

#include "core/screens/FormParts.h"
#include "core/screens/GridRows.h"
#include "core/screens/ListReport.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/CellText.h"
#include "core/AppControl.h"
#include "core/screens/ClientMainUnit.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ListGrid.h"
#include "core/screens/SearchUnit.h"
#include "core/screens/ProgressPanel.h"
#include "core/Session.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "core/TextUtils.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "transfers/ApprovalRequest.h"
#include "transfers/ConvertDecision.h"
#include "transfers/TempSaveCodec.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"
#include "transfers/screens/AcceptUserUnit.h"
#include "core/screens/AccountField.h"
#include "core/screens/EntryScreenParts.h"
#include "transfers/screens/IcheModifyUnit.h"
#include "core/screens/KeyHook.h"
#include "core/screens/TempSaveFiles.h"
#include "core/screens/TransSelectUnit.h"
#include "transfers/screens/TransferGrid.h"
#include "platform/AppServer.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"
#include "platform/Prompt.h"
#include "platform/SqlText.h"
#include "platform/TListGrid.h"
#include "platform/TextFile.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QSet>


namespace {

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

Tqv_IcheMake_frm::DataConvertRunner &convertRunner()
{
    static Tqv_IcheMake_frm::DataConvertRunner runner;
    return runner;
}

const int ShownWidths[16] = {55, 60, 126, 52, 53, 54, 58, 83, 65, 120, 98, 66, 66, 64, 65, 180};

TCurrencyEdit *currency(QWidget *parent, const char *name, int x, int y, int w, bool money)
{
    return money ? MakeAmountEdit(parent, name, x, y, w) : MakeCurrencyEdit(parent, name, x, y, w);
}

} // namespace

void Tqv_IcheMake_frm::SetDataConvertRunner(DataConvertRunner runner)
{
    convertRunner() = std::move(runner);
}

QString Tqv_IcheMake_frm::ItemBankCode(const QString &item)
{
    return item.mid(1, 2);
}

Tqv_IcheMake_frm::Tqv_IcheMake_frm(const ScreenContext &context, QWidget *owner)
    : TEntryListForm(context, owner)
{
    setObjectName(QStringLiteral("qv_IcheMake_frm"));
    setWindowTitle(QStringLiteral("이체자료 작성"));
    setMinimumSize(750, 550);
    resize(1000, 620);
    SetFormColour(this);

    // Entry band: created in the order Enter and Tab walk it.
    TKitSimplePanel *entry = MakePanel(this, "pnl_entry");
    entry->resize(width(), 100);
    SetAlign(entry, alTop);
    MakeLabel(entry, QStringLiteral("모은행/계좌"), 8, 8, 78);
    cmb_allbank = MakeCombo(entry, "cmb_allbank", 88, 8, 330);
    cmb_transdiv = MakeLabeledCombo(entry, "cmb_transdiv", QStringLiteral("거래구분"), 430, 8, 56, 70);
    cmb_transdiv->Items().Add(QStringLiteral("수납"));
    cmb_transdiv->Items().Add(QStringLiteral("지급"));
    cmb_transdiv->SetItemIndex(session.PaymentMode == 1 ? 1 : 0);
    cmb_transdiv->SetEnabled(false);
    MakeLabel(entry, QStringLiteral("이체금액"), 570, 8, 56);
    curredt_money = currency(entry, "curredt_money", 630, 8, 130, true);
    edt_resident = MakeLabeledEdit(entry, "edt_resident", QStringLiteral("실명번호"), 770, 8, 56, 140);

    MakeLabel(entry, QStringLiteral("대상자"), 8, 38, 78);
    cmb_daesang = MakeCombo(entry, "cmb_daesang", 88, 38, 150);
    edt_sendname = MakeLabeledEdit(entry, "edt_sendname", QStringLiteral("거래처명"), 248, 38, 56, 110);
    cmb_transbankid = MakeLabeledCombo(entry, "cmb_transbankid", QStringLiteral("거래은행"), 430, 38, 56, 200);
    edt_bankno = MakeLabeledEdit(entry, "edt_bankno", QStringLiteral("계좌번호"), 700, 38, 56, 210);

    MakeLabel(entry, QStringLiteral("기    타"), 8, 68, 78);
    edt_daesanginfo = MakeEdit(entry, "edt_daesanginfo", 88, 68, 330);
    LimitInputBytes(edt_daesanginfo, TransferInfoBytes);
    KitButton1 = MakeButton(entry, "KitButton1", QStringLiteral("자료작성"), 430, 66, 100, 26);

    // Buttons and totals at the bottom.
    makeListButtons({{&btn_print, "btn_print", "출력하기"}}, {}, {&btn_deleteTot, "btn_deleteTot", "전체자료삭제", 100},
                    "승인신청");

    pnl_total = MakePanel(this, "pnl_total");
    pnl_total->resize(width(), 34);
    SetAlign(pnl_total, alBottom);
    // The totals are only shown: the panel is disabled, its captions and
    // values keep their colours.
    MakeLabel(pnl_total, QStringLiteral("작성 건수"), 8, 6, 70);
    MakeLabel(pnl_total, QStringLiteral("작성금액 합계"), 190, 6, 90);
    curredt_gunR = currency(pnl_total, "curredt_gunR", 80, 6, 90, false);
    curredt_MoneyR = currency(pnl_total, "curredt_MoneyR", 284, 6, 160, true);
    for (QWidget *shown : pnl_total->findChildren<QWidget *>())
        KeepReadableWhenDisabled(shown);
    pnl_total->SetEnabled(false);

    MakeBand(this, "pnl_listcaption", QStringLiteral(" ◎ 이체자료 리스트"), 25);
    QStringList headers;
    for (int c = 0; c < TransferColumnCount; ++c)
        headers.append(c <= tcInfo ? TransferColumnTitle(TransferColumn(c)) : QString());
    grd_ichelist = MakeEntryList(this, headers, ShownWidths, session, [this] { btn_modifyClick(); });
    grd_ichelist->OnGetAlignment = [](int col, int row) {
        return (row > 0 && col == tcMoney) ? Qt::AlignRight : Qt::AlignHCenter;
    };
    auto *n1 = new QAction(QStringLiteral("내용 검색"), grd_ichelist);
    n1->setObjectName(QStringLiteral("N1"));
    grd_ichelist->addAction(n1);
    grd_ichelist->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(n1, &QAction::triggered, this, [this] { RunGuarded(session, QStringLiteral("N1Click"), [this] { N1Click(); }); });

    // Progress of the approval request and the conversion, over the list.
    MakeProgressPanel(this).assignTo(pnl_gauge, Gauge1, curredt_tgun, curredt_errgun, curredt_gun, lbl_message);

    // Keys.
    for (QWidget *w : std::initializer_list<QWidget *>{cmb_allbank, cmb_transdiv, curredt_money, cmb_daesang,
                                                       cmb_transbankid, edt_bankno, edt_daesanginfo})
        EnterMovesFocus(w);
    OnKey(edt_resident, [this](QKeyEvent *e) {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return false;
        if (cmb_daesang->Enabled())
            cmb_daesang->setFocus(Qt::TabFocusReason);
        else
            edt_sendname->setFocus(Qt::TabFocusReason);
        return true;
    });
    OnKey(edt_sendname, [this](QKeyEvent *e) {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return false;
        RunGuarded(session, QStringLiteral("edt_sendnameKeyPress"), [this] { edt_sendnameSearch(); });
        if (QWidget *next = NextTabControl(edt_sendname))
            next->setFocus(Qt::TabFocusReason);
        return true;
    });
    // The payee name takes at most TransferNameBytes bytes (a name chosen from
    // the book is cut too); a double-byte character is never split.
    connect(edt_sendname, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (Cp949Length(text) > TransferNameBytes)
            edt_sendname->setText(LeftBytes(text, TransferNameBytes));
    });
    OnFocusOut(edt_bankno, [this] { RunGuarded(session, QStringLiteral("edt_banknoExit"), [this] { edt_banknoExit(); }); });
    cmb_daesang->OnChange = [this](QObject *) {
        RunGuarded(session, QStringLiteral("cmb_daesangChange"), [this] { cmb_daesangChange(); });
    };
    FocusOnShow(this, cmb_allbank);

    BindClicks(session, {{KitButton1, [this] { KitButton1Click(); }}, {btn_print, [this] { btn_printClick(); }},
                         {btn_callfile, [this] { btn_callfileClick(); }},
                         {btn_tempsave, [this] { btn_tempsaveClick(); }},
                         {btn_dataconvert, [this] { btn_dataconvertClick(); }},
                         {btn_modify, [this] { btn_modifyClick(); }}, {btn_delete, [this] { btn_deleteClick(); }},
                         {btn_deleteTot, [this] { btn_deleteTotClick(); }},
                         {btn_accept, [this] { btn_acceptClick(); }}, {btn_close, [this] { close(); }}});

    prepareReport();
    RunGuarded(session, QStringLiteral("qv_IcheMake_frm.FormCreate"), [this] { FormCreate(); });
}

Tqv_IcheMake_frm::~Tqv_IcheMake_frm() = default;

void Tqv_IcheMake_frm::FormCreate()
{
    ApplyColumnVisibility(grd_ichelist, QStringLiteral("QV_ICHEMAKE_FRM"), 0, 19);

    MotherAccountCombo accounts(cmb_allbank, QStringLiteral("은행 선택"));
    accounts.Load(*dm.scktconnect, BankSql::motherAccounts({.passwords = true}));
    BankInfos = accounts.Accounts();

    const qvx::ResultSet payees = dm.cms_select1(QStringLiteral("select * from daesang"));
    if (payees.isEmpty()) {
        cmb_daesang->Items().Add(QStringLiteral("대상자 없음"));
        cmb_daesang->SetEnabled(false);
    } else {
        cmb_daesang->Items().Add(QStringLiteral("대상자 선택"));
        for (int i = 0; i < payees.recordCount(); ++i) {
            PayeeInfo p{payees.value(i, QStringLiteral("name")), payees.value(i, QStringLiteral("bankno")),
                        payees.value(i, QStringLiteral("bankid")), payees.value(i, QStringLiteral("residentno"))};
            PayeeInfos.append(p);
            cmb_daesang->Items().Add(p.name);
        }
    }

    const qvx::ResultSet allbank = dm.cms_select1(BankSql::bankCodes());
    for (int i = 0; i < allbank.recordCount(); ++i) {
        const QString name = allbank.value(i, QStringLiteral("bankname"));
        bool isNumber = false;
        const qint64 n = name.trimmed().toLongLong(&isNumber);
        if (isNumber && n != 0)
            continue;
        cmb_transbankid->Items().Add(QStringLiteral("[") + allbank.value(i, QStringLiteral("bankid"))
                                     + QStringLiteral("]    ") + name);
    }
    cmb_transbankid->SetItemIndex(0);
    cmb_allbank->SetItemIndex(0);
    cmb_daesang->SetItemIndex(0);
}

// --- totals and rows ---------------------------------------------------------------

void Tqv_IcheMake_frm::UpdateTotals()
{
    SetFigure(curredt_gunR, TransferRowCount(grd_ichelist));
    SetFigure(curredt_MoneyR, TransferTotal(grd_ichelist));
}

void Tqv_IcheMake_frm::ClearTransferList()
{
    ClearEntryList(TransferColumnCount);
}

int Tqv_IcheMake_frm::AddTransferRow(const TransferRow &row)
{
    return RowAdded(AppendTransferRow(grd_ichelist, row));
}

bool Tqv_IcheMake_frm::IsDuplicateTransfer(const QString &name, const QString &amount, const QString &memo) const
{
    return ::IsDuplicateTransfer([this](int c, int r) { return grd_ichelist->Cells(c, r); }, grd_ichelist->RowCount(),
                                 name, amount, memo);
}

bool Tqv_IcheMake_frm::ConfirmDuplicate(const QString &name, qint64 amount, const QString &info,
                                        const QString &logPrefix)
{
    const QString grouped = FormatMoney(QString::number(amount));
    if (!IsDuplicateTransfer(name, grouped, DuplicateMemo(info, session.IcheCheckFlag)))
        return true;
    return ConfirmFoundDuplicate(name, grouped, logPrefix);
}

bool Tqv_IcheMake_frm::ConfirmFoundDuplicate(const QString &name, const QString &grouped, const QString &logPrefix)
{
    if (!prompt().confirm(DuplicateQuestion(name, grouped), QStringLiteral("확인"))) {
        if (!logPrefix.isEmpty())
            WriteLog(session, logPrefix + QStringLiteral("중복이체건 삭제 -> ") + DuplicateLogTail(name, grouped));
        return false;
    }
    WriteLog(session, logPrefix + QStringLiteral("중복이체건 추가 -> ") + DuplicateLogTail(name, grouped));
    return true;
}

// --- manual entry ----------------------------------------------------------------------

QString Tqv_IcheMake_frm::payeeName() const
{
    if (cmb_daesang->ItemIndex() > 0 && cmb_daesang->Enabled())
        return cmb_daesang->Text();
    return edt_sendname->text();
}

void Tqv_IcheMake_frm::selectTransBank(const QString &bankId, int fromItem)
{
    for (int i = fromItem; i < cmb_transbankid->Items().Count(); ++i) {
        if (ItemBankCode(cmb_transbankid->Items()[i]) == bankId) {
            cmb_transbankid->SetItemIndex(i);
            return;
        }
    }
}

void Tqv_IcheMake_frm::cmb_daesangChange()
{
    const int k = cmb_daesang->ItemIndex();
    if (k < 1) {
        edt_sendname->setEnabled(true);
        edt_sendname->setStyleSheet(QString());
        edt_bankno->clear();
        edt_daesanginfo->clear();
        edt_resident->clear();
        cmb_transbankid->SetItemIndex(0);
        return;
    }
    const PayeeInfo &p = PayeeInfos.at(k - 1);
    edt_sendname->clear();
    edt_sendname->setEnabled(false);
    edt_sendname->setStyleSheet(QStringLiteral("background-color: palette(button);"));
    edt_bankno->setText(p.bankno);
    edt_daesanginfo->setText(p.residentno);
    edt_resident->setText(p.residentno);
    selectTransBank(p.bankid, 0);
}

void Tqv_IcheMake_frm::fillFromPayee(const QString &name, const QString &bankId, const QString &bankNo,
                                     const QString &residentNo, int fromItem)
{
    selectTransBank(bankId, fromItem);
    edt_sendname->setText(name);
    edt_bankno->setText(bankNo);
    edt_daesanginfo->setText(residentNo);
    edt_resident->setText(residentNo);
}

void Tqv_IcheMake_frm::edt_sendnameSearch()
{
    const qvx::ResultSet rs = dm.cms_select1(PayeeNameSearchSql(edt_sendname->text()));
    FoundPayee payee;
    switch (PickPayee({session, dm}, this, rs, &payee)) {
    case PayeeSearchOutcome::Single:
    case PayeeSearchOutcome::Picked:
        fillFromPayee(payee.name, payee.bankId, payee.bankNo, payee.residentNo, 1);
        break;
    case PayeeSearchOutcome::None:
        edt_bankno->clear();
        edt_daesanginfo->clear();
        edt_resident->clear();
        cmb_transbankid->SetItemIndex(0);
        break;
    case PayeeSearchOutcome::Declined:
        break;
    }
}

void Tqv_IcheMake_frm::edt_banknoExit()
{
    FormatAccountField(edt_bankno, ItemBankCode(cmb_transbankid->Text()));
}

TransferRow Tqv_IcheMake_frm::entryRow(const BankInfo &bank, qint64 amount) const
{
    const QString code = ItemBankCode(cmb_transbankid->Text());
    TransferRow row;
    row.moBankName = bank.bankname;
    row.moBankNo = FormatAcctNo(bank.bankid, bank.mobankno);
    row.passWd = bank.passwd;
    row.workDiv = SameBankWord(bank.bankid, code);
    row.transDiv = cmb_transdiv->Text();
    row.money = FormatMoney(QString::number(amount));
    row.bankName = cmb_transbankid->Text().mid(8);
    row.bankNo = FormatAcctNo(code, DelChar(edt_bankno->text(), QLatin1Char('-')).trimmed());
    row.name = payeeName();
    row.sendId = session.NetworkId;
    row.recvId = bank.recvid;
    row.firmId = bank.firmid;
    row.userId = session.LoginUserId;
    row.info = edt_daesanginfo->text();
    row.sendFlag = QStringLiteral("1");
    row.gubun = TransferKindCode(row.transDiv);
    row.msgType = TransferMessageType(bank.bankid, code);
    row.moBankId = bank.bankid;
    row.bankId = code;
    row.realNameNo = PlainRealNameNo(edt_resident->text());
    return row;
}

void Tqv_IcheMake_frm::KitButton1Click()
{
    TransferEntryInput input;
    input.moBankIndex = cmb_allbank->ItemIndex();
    if (input.moBankIndex > 0 && input.moBankIndex <= BankInfos.size())
        input.moBankId = BankInfos[input.moBankIndex - 1].bankid;
    input.payeeIndex = cmb_daesang->ItemIndex();
    input.payeeComboEnabled = cmb_daesang->Enabled();
    input.sendName = edt_sendname->text();
    input.residentNo = edt_resident->text();
    input.amountText = curredt_money->Text();
    input.bankNo = edt_bankno->text();
    input.today = qvx::Clock::today();
    const TransferEntryCheck check = CheckTransferEntry(input);
    using F = EntryFocus;
    if (RefuseEntry(check, {{F::MotherAccount, cmb_allbank}, {F::PayeeCombo, cmb_daesang}, {F::SendName, edt_sendname},
                            {F::ResidentNo, edt_resident}, {F::Amount, curredt_money}, {F::BankNo, edt_bankno}}))
        return;

    const QString name = cmb_daesang->ItemIndex() > 0 ? cmb_daesang->Text() : edt_sendname->text();
    if (!ConfirmDuplicate(name, check.amount, edt_daesanginfo->text(), QString())) {
        SetButtonEnabled(btn_accept, true);
        return;
    }

    // The check code comes first: a row whose data the bank's rule refuses
    // never reaches the list.
    TransferRow row = entryRow(BankInfos[input.moBankIndex - 1], check.amount);
    try {
        row.boki = EntryCheckCode(row, dm.scktconnect);
    } catch (const ConvertError &) {
        prompt().message(CheckCodeRefusedMessage());
        edt_bankno->setFocus();
        return;
    }

    AddTransferRow(row);
    WriteLog(session, TransferRowLogLine(QStringLiteral("이체작성  "), row));
    resetEntryFields();
}

void Tqv_IcheMake_frm::resetEntryFields()
{
    edt_sendname->setEnabled(true);
    edt_sendname->setStyleSheet(QString());
    curredt_money->SetValue(qvx::Decimal(0));
    cmb_daesang->SetItemIndex(0);
    cmb_transbankid->SetItemIndex(0);
    edt_bankno->clear();
    edt_daesanginfo->clear();
    edt_resident->clear();
    edt_sendname->clear();
    cmb_allbank->setFocus();
}

// --- deleting ------------------------------------------------------------------------------

void Tqv_IcheMake_frm::btn_deleteClick()
{
    if (!EntryListHasRows(grd_ichelist, QStringLiteral("삭제한 이체자료가 존재하지 않습니다.")))
        return;
    DeleteEntryRow(
        grd_ichelist, [this] { ClearTransferList(); }, [this] { UpdateTotals(); },
        [this](int row) {
            WriteLog(session, TransferRowLogLine(QStringLiteral("자료삭제  "), ReadTransferRow(grd_ichelist, row)));
        });
}

void Tqv_IcheMake_frm::btn_deleteTotClick()
{
    if (EntryListHasRows(grd_ichelist, QStringLiteral("삭제할 자료가 존재하지 않습니다.")))
        ClearTransferList();
}

void Tqv_IcheMake_frm::N1Click()
{
    OpenFindDialog({session, dm}, this, grd_ichelist);
}

void Tqv_IcheMake_frm::btn_dataconvertClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (convertRunner())
        convertRunner()(*this);
}

// --- row edit ------------------------------------------------------------------------------

void Tqv_IcheMake_frm::btn_modifyClick()
{
    const int r = EntryRowToModify(grd_ichelist);
    if (r == 0)
        return;
    const TransferRow row = ReadTransferRow(grd_ichelist, r);

    Tqv_icheModify_frm dialog({session, dm}, this);
    const qvx::ResultSet banks = dm.cms_select1(BankSql::bankCodes(BankSql::BankCodeRows::NamedSpaced));
    for (int i = 0; i < banks.recordCount(); ++i)
        dialog.cmb_transbankid->Items().Add(QStringLiteral("[") + banks.value(i, QStringLiteral("bankid"))
                                            + QStringLiteral("]    ") + banks.value(i, QStringLiteral("bankname")));
    dialog.cmb_transdiv->setText(session.PaymentMode == 1 ? QStringLiteral("지급") : QStringLiteral("수납"));
    dialog.edt_sendname->setText(row.name);
    for (int i = 0; i < dialog.cmb_transbankid->Items().Count(); ++i) {
        if (ItemBankCode(dialog.cmb_transbankid->Items()[i]) == row.bankId) {
            dialog.cmb_transbankid->SetItemIndex(i);
            break;
        }
    }
    dialog.edt_bankno->setText(row.bankNo);
    dialog.curredt_money->SetValue(qvx::Decimal(row.amount()));
    dialog.edt_daesanginfo->setText(row.realNameNo);
    dialog.MotherBankId = row.moBankId;
    // While the dialog is open the total leaves this row out.
    SetFigure(curredt_MoneyR, TransferTotal(grd_ichelist) - row.amount());
    if (dialog.exec() != QDialog::Accepted) {
        UpdateTotals();
        return;
    }

    TransferRowEdit change;
    change.name = dialog.edt_sendname->text();
    change.bankId = ItemBankCode(dialog.cmb_transbankid->Text());
    change.bankName = dialog.cmb_transbankid->Text().mid(8);
    change.bankNo = dialog.edt_bankno->text();
    change.amount = dialog.Amount();
    change.realNameNo = dialog.edt_daesanginfo->text();
    TransferRow edited = ApplyTransferRowEdit(row, change);
    try {
        if (edited.moBankId != u"23")
            edited.boki = EntryCheckCode(edited, dm.scktconnect);
    } catch (const ConvertError &) {
        prompt().message(CheckCodeRefusedMessage());
        UpdateTotals();
        return;
    }
    WriteTransferRow(grd_ichelist, r, edited);
    WriteLog(session, TransferRowLogLine(QStringLiteral("이체수정  "), edited));
    UpdateTotals();
}

// --- temporary save and reload ----------------------------------------------------------------

void Tqv_IcheMake_frm::btn_tempsaveClick()
{
    if (!EntryListHasRows(grd_ichelist, QStringLiteral("저장할 자료가 존재하지 않습니다.")))
        return;
    const QString proposed = QStringLiteral("tmp_") + qvx::Clock::nowText(QStringLiteral("yyMMddhhmmss"))
                             + QStringLiteral("이체");
    const QString chosen = ChooseTempSaveFile(this, proposed);
    if (chosen.isEmpty())
        return;

    QByteArray bytes;
    if (!TempSaveBytes(TransferRows(grd_ichelist), EncodeTempSaveLine, TempSaveRefusalMessage, &bytes))
        return;

    QFileInfo info(chosen);
    QString base = info.fileName();
    if (base.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
        base.chop(4);
    if (!base.contains(QStringLiteral("tmp_")))
        base = QStringLiteral("tmp_") + base;
    const QString path = QDir(info.absolutePath()).filePath(base + QStringLiteral(".txt"));
    if (WriteTempSaveFile(path, bytes))
        ClearTransferList();
}

void Tqv_IcheMake_frm::btn_callfileClick()
{
    // The first choice shows what the temporary save writes ("tmp_....txt").
    const QString caption = session.PaymentMode == 1 ? QStringLiteral("지급이체임시저장파일 (tmp_*.txt)")
                                                     : QStringLiteral("수납이체임시저장파일 (tmp_*.txt)");
    const std::optional<TempSaveFile> file = ReadTempSaveFile(this, caption, QStringLiteral("tmp_*.txt"));
    if (!file)
        return;

    const qvx::ResultSet config = dm.cms_select1(QStringLiteral("SELECT nevarid FROM config"));
    if (config.isEmpty()) {
        prompt().message(QStringLiteral("송신자의 벨모아 주식회사 아이디가 존재 하지 않아 불러오기를 할수 없습니다."));
        return;
    }
    const QString sender = config.value(0, QStringLiteral("nevarid")).trimmed();
    const qvx::ResultSet banks = dm.cms_select1(BankSql::everyMotherAccount());
    if (banks.isEmpty()) {
        prompt().message(QStringLiteral("거래은행 정보가 등록되어 있지 않습니다."));
        return;
    }
    QSet<QString> knownMoBankNos;
    QSet<QString> knownRecvIds;
    for (int i = 0; i < banks.recordCount(); ++i) {
        knownMoBankNos.insert(banks.value(i, QStringLiteral("mobankno")).trimmed());
        knownRecvIds.insert(banks.value(i, QStringLiteral("recvid")).trimmed());
    }

    int taken = 0;
    int refused = 0;   // longer than the record or a bad amount
    int foreign = 0;   // another client's line
    qint64 total = 0;
    // The duplicate test looks up the listed rows and the lines taken so far
    // in one index, and the list grows once: a file of a whole batch loads
    // in one pass.
    TransferDuplicateIndex listed;
    for (const TransferRow &r : TransferRows(grd_ichelist))
        listed.add(r.name, r.money, r.info);
    QVector<TransferRow> takenRows;
    for (const QByteArray &line : file->lines) {
        if (line.trimmed().isEmpty())
            continue;
        const TempSaveDecoded decoded = DecodeTempSaveLine(line);
        if (!decoded.ok()) {
            ++refused;
            continue;
        }
        const TransferRow &row = decoded.row;
        if (row.sendId != sender || !knownMoBankNos.contains(row.plainMoBankNo())
            || !knownRecvIds.contains(row.recvId)) {
            ++foreign;
            continue;
        }
        const QString grouped = FormatMoney(QString::number(decoded.amount));
        if (listed.contains(row.name, grouped, DuplicateMemo(row.info, session.IcheCheckFlag))
            && !ConfirmFoundDuplicate(row.name, grouped, QStringLiteral("자료변환 "))) {
            SetFigure(curredt_errgun, curredt_errgun->Value().toInt64() + 1);
            continue;
        }
        listed.add(row.name, row.money, row.info);
        takenRows.append(row);
        ++taken;
        total += decoded.amount;
    }
    AppendGridRows(grd_ichelist, takenRows);
    UpdateTotals();

    // The file goes only when every line is in the list (or was declined by
    // the user as a duplicate); otherwise it stays for another look.
    const QString chosen = file->fileName;
    const QString shown = QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath());
    if (refused == 0 && foreign == 0)
        QFile::remove(chosen);
    if (refused > 0)
        prompt().message(QStringLiteral("길이 또는 금액이 맞지 않는 자료 %1건은 불러오지 않았습니다.\r\n"
                                        "파일은 삭제하지 않았습니다. (%2)")
                             .arg(refused)
                             .arg(shown));
    WriteLog(session, QStringLiteral("자료변환  자료건수:") + FixLenSpace(QString::number(taken), 5, false)
             + QStringLiteral(" 이체금액:") + FixLenSpace(QString::number(total), 15, false)
             + QStringLiteral(" 송신자:") + FixLenSpace(sender, 10, true) + QStringLiteral(" 파일명:")
             + FixLenSpace(shown, 50, true));
}

// --- approval request ----------------------------------------------------------------------------

void Tqv_IcheMake_frm::setBusy(bool busy)
{
    m_busy = busy;
    for (TDDButton *b : {KitButton1, btn_print, btn_callfile, btn_tempsave, btn_dataconvert, btn_modify, btn_delete,
                         btn_deleteTot, btn_accept, btn_close})
        SetButtonEnabled(b, !busy);
}

void Tqv_IcheMake_frm::btn_acceptClick()
{
    if (!ReadyToSendEntryList(session, m_busy, grd_ichelist, {curredt_tgun, curredt_gun, curredt_errgun}))
        return;
    {
        Tqv_acceptuser_frm dialog({session, dm}, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }

    ApprovalBatch batch;
    batch.rows = TransferRows(grd_ichelist);
    const int n = int(batch.rows.size());
    setBusy(true);
    ShowGauge(n);
    SetFigure(curredt_tgun, n);
    batch.sendDate = qvx::Clock::today();
    batch.sendTime = qvx::Clock::nowText(QStringLiteral("hhmmss"));
    batch.serviceDiv = session.ServiceDiv;
    batch.networkId = session.NetworkId;
    batch.userId = session.LoginUserId;
    batch.approverId = session.ApproverId;
    batch.sendFlagInit = session.SendFlagInit;

    const ApprovalOutcome outcome = SubmitApprovalBatch(session, *dm.scktconnect, batch, [this](int done) {
        SetFigure(curredt_gun, done);
        if (done > 0)
            lbl_message->setText(QStringLiteral("정상처리"));
        Gauge1->setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    const qint64 base = outcome.seqBase;
    if (outcome.reserved()) {
        session.AcceptSeqBase = int(base);
        session.AcceptSeqLast = int(base + n);
    }

    const QString first = QString::number(base + 1);
    const QString last = QString::number(base + n);
    switch (outcome.status) {
    case ApprovalOutcome::OpenCommitFailed:
        prompt().message(QStringLiteral("데이터베이스에 오류가 발생하였습니다. Commit error"));
        WriteTransferLog(QStringLiteral("3"), QString(), {QStringLiteral("Commit error")});
        break;
    case ApprovalOutcome::ReserveFailed:
        break; // the reservation said why
    case ApprovalOutcome::RowFailed: {
        const TransferRow &row = batch.rows[outcome.failedRow - 1];
        lbl_message->setText(QStringLiteral("데이터베이스에 저장되지 않았습니다."));
        SetFigure(curredt_errgun, curredt_errgun->Value().toInt64() + 1);
        WriteTransferLog(QStringLiteral("2"), QString::number(base + outcome.failedRow),
                         {row.moBankId, row.moBankNo, row.plainMoney(), row.name,
                          session.PaymentMode == 1 ? QStringLiteral("30") : QStringLiteral("20"), row.info});
        WriteLog(session, QStringLiteral("승인신청 취소 -> ") + outcome.error);
        prompt().message(QStringLiteral("데이터베이스에 저장되지 않았습니다."));
        break;
    }
    case ApprovalOutcome::CommitFailed:
        WriteLog(session, QStringLiteral("승인신청 취소 -> ") + outcome.error);
        prompt().message(QStringLiteral("정상적으로 처리되지 않았습니다."));
        WriteTransferLog(QStringLiteral("3"), first, {last});
        break;
    case ApprovalOutcome::Stored:
        WriteLog(session, QStringLiteral("자료변환  자료건수:") + FixLenSpace(QString::number(outcome.rowsStored), 5, false)
                 + QStringLiteral(" 이체금액:") + FixLenSpace(QString::number(outcome.total), 15, false)
                 + QStringLiteral(" 작성자:") + FixLenSpace(session.NetworkId, 10, true) + QStringLiteral(" 승인요청:")
                 + FixLenSpace(session.ApproverId, 10, true));
        prompt().message(QStringLiteral("정상적으로 처리되었습니다."));
        // Without the relay the approver still finds the batch on activation.
        if (!(dm.RelayActive() && dm.SendApprovalNotice(session.ApproverId)))
            WriteLog(session, QStringLiteral("승인요청 알림 미전송(중계서버 연결 없음) -> 승인자 : ") + session.ApproverId);
        ClearTransferList();
        break;
    }
    pnl_gauge->hide();
    session.ApproverId.clear();
    setBusy(false);
}

// --- printing --------------------------------------------------------------------------------------

void Tqv_IcheMake_frm::prepareReport()
{
    using qvx::ReportItem;
    Report1.orientation = QPageLayout::Landscape;
    Report1.columnHeader.height = 8;
    Report1.pageFooter.height = 8;
    AddReportTitle(Report1, QStringLiteral("송신요청이체자료 리스트"), 277, 27);
    Report1.title.add(ReportItem::Label, QStringLiteral("qlbl_user"), QRectF(0, 14, 120, 5));
    Report1.title.add(ReportItem::Label, QStringLiteral("qlbl_date"), QRectF(0, 20, 120, 5));
    Report1.title.add(ReportItem::Label, QStringLiteral("qlbl_count"), QRectF(130, 14, 147, 5));
    Report1.title.add(ReportItem::Label, QStringLiteral("qlbl_sum"), QRectF(130, 20, 147, 5));
    // Each column holds its widest value: a 13-digit amount, a hyphenated
    // account, a 12-byte name, the 40 bytes of the other information.
    static const QList<ReportColumn> columns = {
        {QStringLiteral("NO"), 7, ReportColumn::RowNo},    {QStringLiteral("모은행"), 20.5, 1},
        {QStringLiteral("모계좌"), 28.5, 2},               {QStringLiteral("업무구분"), 14, 5},
        {QStringLiteral("거래구분"), 14, 6},               {QStringLiteral("이체금액"), 28.5, tcMoney, AlignRight},
        {QStringLiteral("거래은행"), 21.5, 8},             {QStringLiteral("거래계좌"), 28.5, 9},
        {QStringLiteral("업체"), 20.5, 10},                {QStringLiteral("업체코드"), 14.5, 13},
        {QStringLiteral("작성자ID"), 14.5, 14},            {QStringLiteral("업체정보"), 64.5, 15}};
    AddReportColumns(Report1, columns);
    Report1.pageFooter.add(ReportItem::Label, QStringLiteral("qlbl_printdate"), QRectF(0, 1, 150, 6));
    Report1.pageFooter.add(ReportItem::PageNumber, QStringLiteral("qrpage"), QRectF(177, 1, 100, 6),
                           QStringLiteral("Page : "), Qt::AlignRight | Qt::AlignVCenter);

    Report1.BeforePrint = [this] {
        const QDate d = qvx::Clock::date();
        Report1.title.setCaption(QStringLiteral("qlbl_user"), QStringLiteral("승 인 요 청 자 : ") + session.LoginUserId);
        Report1.title.setCaption(QStringLiteral("qlbl_date"),
                                 QStringLiteral("승인 요청 일자 : ") + d.toString(QStringLiteral("yyyy-MM-dd")));
        Report1.title.setCaption(QStringLiteral("qlbl_count"), QStringLiteral("승인요청이체자료 총건수 : ")
                                                                   + FormatMoney(curredt_gunR->Text().isEmpty() ? QStringLiteral("0") : curredt_gunR->Text())
                                                                   + QStringLiteral("건"));
        Report1.title.setCaption(QStringLiteral("qlbl_sum"), QStringLiteral("승인요청이체자료 총금액 : ")
                                                                 + FormatMoney(curredt_MoneyR->Text().isEmpty() ? QStringLiteral("0") : curredt_MoneyR->Text())
                                                                 + QStringLiteral("원"));
        Report1.pageFooter.setCaption(QStringLiteral("qlbl_printdate"),
                                      QStringLiteral("출력 일자 : ") + KoreanDateText(d) + u' ');
    };
    // Data rows, then blank lines up to 18 lines on the first page and 25 on later ones.
    m_reportRows.fitPage(Report1);
    m_reportRows.attach(
        Report1, [this] { return TransferRowCount(grd_ichelist); },
        [this](int row) { FillReportColumns(Report1, columns, grd_ichelist, row); });
}

void Tqv_IcheMake_frm::btn_printClick()
{
    if (GridIsEmpty(grd_ichelist)) {
        prompt().message(QStringLiteral("출력할 자료가 존재하지 않습니다."));
        return;
    }
    Report1.preview(this);
}

// --- closing ---------------------------------------------------------------------------------------

void Tqv_IcheMake_frm::closeEvent(QCloseEvent *event)
{
    closeEntryForm(event, true, session.AcceptSeqBase, session.AcceptSeqLast);
}

void registerIcheMakeScreen()
{
    RegisterScreen<Tqv_IcheMake_frm>(QStringLiteral("qv_IcheMake_frm"));
}
