#include "core/screens/BankUnit.h"

#include "core/RunCommitted.h"
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/ListColumns.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/FormParts.h"
#include "core/Session.h"
#include "core/screens/ReferenceEdit.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "core/TextUtils.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/SqlText.h"
#include "platform/TListGrid.h"

#include <QKeyEvent>
#include <QLineEdit>

using qvx::sqlQuote;

namespace {

qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

const QString kAccountsQuery = QStringLiteral(
    "select BANKID, MOBANKNO, BankName, FIRMID, SUMFLAG, REGDATE, SENDNAME, PASSWD, DBLPASSWD, TR_GUBUNCODE, RECVID "
    "from bank");

// Three shown columns; beyond them each row keeps the rest of its account
// record for the entry panel.
const ListColumns &Columns()
{
    static const ListColumns columns = [] {
        ListColumn account = ListColumn::data("mobankno", CellFormat::Account);
        account.bankField = "bankid";
        return ListColumns{
            {QStringLiteral("업체코드"), 0, AlignCenter, "firmid"},
            {QStringLiteral("은행명"), 0, AlignLeft, "bankname"},
            {QStringLiteral("은행코드"), 0, AlignCenter, "bankid"},
            account,                          // 3: hyphenated for its bank
            ListColumn::data("sendname"),     // 4
            ListColumn::data("tr_gubuncode"), // 5
            ListColumn::data("passwd"),       // 6
            ListColumn::data("dblpasswd"),    // 7
            ListColumn::data("recvid"),       // 8
        };
    }();
    return columns;
}

// The account of `bankid` numbered `mobankno` as stored.
QString AccountByKey(const QString &bankid, const QString &mobankno)
{
    return kAccountsQuery + QStringLiteral(" where bankid = ") + sqlQuote(bankid) + QStringLiteral(" and mobankno = ")
           + sqlQuote(mobankno);
}

QLineEdit *makeField(QWidget *panel, const char *name, const QString &label, int y, int maxLength = 0,
                     bool masked = false)
{
    QLineEdit *e = MakeLabeledEdit(panel, name, label, 10, y, 90, 150);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    if (masked)
        SetPasswordInput(e);
    return e;
}

} // namespace

BankAccountRow BankAccountRow::read(const qvx::ResultSet &rs, int i)
{
    auto v = [&](const char *name) { return rs.value(i, QString::fromLatin1(name)); };
    return {v("bankid"), v("mobankno"), v("bankname"), v("firmid"), v("sendname"),
            v("passwd"), v("dblpasswd"), v("recvid"), v("tr_gubuncode")};
}

Tqv_bank_frm::Tqv_bank_frm(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner)
{
    SetUpForm(this, "qv_bank_frm", QStringLiteral("은행 및 계좌정보 보기"), 720, 460);
    accounts = std::make_unique<ReferenceRows<BankAccountRow>>(Columns());

    TKitSimplePanel *top = MakeBar(this, "pnl_search", 40, alTop);
    cmb_allbank = MakeLabeledCombo(top, "cmb_allbank", QStringLiteral("은 행 선 택"), 10, 9, 80, 220);
    banks = std::make_unique<AllBanksCombo>(cmb_allbank, QStringLiteral("모든 은행"));
    btn_search = MakeButton(top, "btn_search", QStringLiteral("모계좌 검색"), 324, 7, 100, 26);

    ButtonRow buttons(session, MakeBar(this, "pnl_bottom", 40, alBottom), 270, 8, 25);
    buttons.add({{&btn_add, "btn_add", "추 가"}, {&btn_modify, "btn_modify", "수 정"}, {&btn_save, "btn_save", "저 장"},
                 {&btn_delete, "btn_delete", "취 소"}, {&btn_close, "btn_close", "닫 기", 0, 628}},
                80);
    edit.lock();

    pnl_bankinfo = MakePanel(this, "pnl_bankinfo");
    pnl_bankinfo->resize(270, height());
    SetAlign(pnl_bankinfo, alRight);
    MakeLabel(pnl_bankinfo, QStringLiteral(" ◎ 모계좌 등록"), 6, 4, 200);
    edt_bankid = makeField(pnl_bankinfo, "edt_bankid", QStringLiteral("은 행 코 드"), 34);
    edt_bankname = makeField(pnl_bankinfo, "edt_bankname", QStringLiteral("은 행 명"), 62);
    edt_bankid->setReadOnly(true);
    edt_bankname->setReadOnly(true);
    edt_bankno = makeField(pnl_bankinfo, "edt_bankno", QStringLiteral("모계좌 번호"), 90);
    edt_pwd = makeField(pnl_bankinfo, "edt_pwd", QStringLiteral("비 밀 번 호"), 118, 8, true);
    edt_dpwd = makeField(pnl_bankinfo, "edt_dpwd", QStringLiteral("이중비밀번호"), 146, 6, true);
    edt_sendname = makeField(pnl_bankinfo, "edt_sendname", QStringLiteral("송 금 인"), 174);
    edt_firmid = makeField(pnl_bankinfo, "edt_firmid", QStringLiteral("은행업체코드"), 202, 10);
    edt_recvid = makeField(pnl_bankinfo, "edt_recvid", QStringLiteral("은행벨모아ID"), 230);
    cmb_transdiv = new TKitComboBox(pnl_bankinfo);
    cmb_transdiv->setObjectName(QStringLiteral("cmb_transdiv"));
    cmb_transdiv->SetStyle(csDropDownList);
    cmb_transdiv->Items().Add(QStringLiteral("이체"));
    cmb_transdiv->Items().Add(QStringLiteral("수납"));
    cmb_transdiv->hide();

    MakeBand(this, "pnl_listcaption", QStringLiteral(" ◎ 거래은행 리스트"), 25);
    grd_allbank = MakeListGrid(this, "grd_allbank", Columns());
    grd_allbank->OnClickCell = [this](int c, int r) {
        RunGuarded(session, QStringLiteral("grd_allbankClickCell"), [=, this] { grd_allbankClickCell(c, r); });
    };
    grd_allbank->OnDblClickCell = [this](int c, int r) {
        RunGuarded(session, QStringLiteral("grd_allbankDblClickCell"), [=, this] { grd_allbankDblClickCell(c, r); });
    };
    // A character typed in the list (not a movement key) shows the current
    // row with the bank left blank.
    grd_allbank->OnKeyDown = [this](QKeyEvent *e) {
        const QString typed = e->text();
        if (typed.isEmpty() || typed.at(0).unicode() < 32 || typed.at(0).unicode() == 127
            || (e->modifiers() & Qt::ControlModifier))
            return false;
        RunGuarded(session, QStringLiteral("grd_allbankKeyPress"), [this] { grd_allbankKeyPress(); });
        return false;
    };

    EnterWalks(this, {cmb_allbank, edt_bankno, edt_pwd, edt_dpwd, cmb_transdiv, edt_sendname, edt_firmid, edt_recvid},
               btn_save);

    BindClicks(session, {{btn_search, [this] { btn_searchClick(); }}, {btn_add, [this] { btn_addClick(); }},
                         {btn_modify, [this] { btn_modifyClick(); }}, {btn_save, [this] { btn_saveClick(); }},
                         {btn_delete, [this] { btn_deleteClick(); }}, {btn_close, [this] { close(); }}});

    RunGuarded(session, QStringLiteral("qv_bank_frm.FormCreate"), [this] { FormCreate(); });
}

void Tqv_bank_frm::lockPanel(bool locked)
{
    for (QLineEdit *e : {edt_bankno, edt_pwd, edt_dpwd, edt_sendname, edt_firmid, edt_recvid})
        e->setReadOnly(locked);
    cmb_transdiv->SetEnabled(!locked);
}

void Tqv_bank_frm::FormCreate()
{
    lockPanel(true);
    // With banks to choose from, an administrator can add or modify at once
    // (no row has to be opened and cancelled first); Save and Cancel wait for an edit.
    if (banks->Load(*dm.scktconnect) == 0) {
        ComboClearItems(cmb_allbank); // no bank yet: nothing to choose, not even all
    } else {
        edit.idle();
        cmb_transdiv->SetItemIndex(0);
        const qvx::ResultSet accounts = dm.cms_select1(kAccountsQuery);
        if (accounts.recordCount() > 0) {
            fillGrid(accounts);
            grd_allbank->SetRow(1);
            ShowAccountRow();
        }
    }
}

void Tqv_bank_frm::fillGrid(const qvx::ResultSet &rs)
{
    FillList(grd_allbank, Columns(), rs);
    accounts->listed(rs);
}

void Tqv_bank_frm::ShowAccountRow()
{
    const BankAccountRow *row = accounts->at(grd_allbank->Row());
    showAccount(row ? *row : BankAccountRow{});
}

void Tqv_bank_frm::showAccount(const BankAccountRow &row)
{
    edt_firmid->setText(row.firmid);
    edt_bankname->setText(row.bankname);
    edt_bankid->setText(row.bankid);
    edt_bankno->setText(row.mobankno.isEmpty() ? QString() : FormatAcctNo(row.bankid, row.mobankno));
    edt_sendname->setText(row.sendname);
    edt_pwd->setText(row.passwd);
    edt_dpwd->setText(row.dblpasswd);
    edt_recvid->setText(row.recvid);
    cmb_transdiv->SetItemIndex(row.trGubunCode == u"20" ? 0 : 1);
    lockPanel(true);
}

void Tqv_bank_frm::btn_searchClick()
{
    if (RefuseWhenOffline(session))
        return;
    AccountEditMode = 0;
    accounts->closeEdit();
    ClearGridRows(grd_allbank, 8);
    accounts->clear();
    grd_allbank->SetRow(1);
    ShowAccountRow();
    grd_allbank->setFocus();
    const int item = cmb_allbank->ItemIndex();
    if (cmb_allbank->Text().isEmpty() || item < 0) {
        prompt().message(QStringLiteral("등록할 거래은행을 선택하시기 바랍니다."));
        cmb_allbank->SetItemIndex(0);
        cmb_allbank->setFocus();
        return;
    }
    QString sql = QStringLiteral("select * from bank ");
    if (const BankItem *bank = banks->Chosen()) {
        sql += QStringLiteral("where bankname = ") + sqlQuote(bank->bankname)
               + QStringLiteral("  and bankid   = ") + sqlQuote(bank->bankid);
    }
    sql += QStringLiteral(" order by bankid");
    const qvx::ResultSet rs = dm.cms_select1(sql);
    if (rs.recordCount() == 0) {
        prompt().message(QStringLiteral("자료가 존재하지 않습니다."));
        cmb_allbank->setFocus();
        return;
    }
    fillGrid(rs);
    grd_allbank->SetRow(1);
    ShowAccountRow();
}

void Tqv_bank_frm::grd_allbankClickCell(int, int row)
{
    // An open edit keeps its row in the panel wherever the cursor goes.
    if (row < 1 || edit.saving())
        return;
    ShowAccountRow();
}

void Tqv_bank_frm::BeginAccountEdit()
{
    // The edit opens the row as stored and keeps it, never what the panel
    // last showed of another row.
    accounts->open(grd_allbank->Row());
    ShowAccountRow();
    lockPanel(false);
    edt_bankno->setFocus();
}

void Tqv_bank_frm::ClearAccountEdit()
{
    // The new account belongs to the bank of the row the cursor is on.
    accounts->open(grd_allbank->Row());
    const BankAccountRow *row = accounts->opened();
    edt_bankid->setText(row ? row->bankid : QString());
    edt_bankname->setText(row ? row->bankname : QString());
    for (QLineEdit *e : {edt_bankno, edt_pwd, edt_dpwd, edt_sendname, edt_firmid, edt_recvid})
        e->clear();
    lockPanel(false);
    cmb_transdiv->SetItemIndex(0);
    edt_bankno->setFocus();
}

void Tqv_bank_frm::grd_allbankKeyPress()
{
    if (edit.saving())
        return;
    ShowAccountRow();
    edt_bankid->clear();
    edt_bankname->clear();
}

void Tqv_bank_frm::grd_allbankDblClickCell(int, int row)
{
    // The panel opens for everyone; only administrators get the buttons to
    // save it (the edit buttons stay disabled for the others).
    BeginAccountEdit();
    if (row >= 1)
        edit.begin(ReferenceEditMode::Modifying);
}

void Tqv_bank_frm::btn_addClick()
{
    ClearAccountEdit();
    edit.showButtons(false, true);
    grd_allbank->setFocus();
    if (grd_allbank->Row() >= 1) {
        edt_bankno->setFocus();
        edit.begin(ReferenceEditMode::Adding);
    }
}

void Tqv_bank_frm::btn_modifyClick()
{
    BeginAccountEdit();
    edit.begin(ReferenceEditMode::Modifying);
}

void Tqv_bank_frm::btn_saveClick()
{
    if (RefuseWhenOffline(session) || AccountEditMode == 0)
        return;
    if (GridIsEmpty(grd_allbank)) {
        prompt().message(QStringLiteral("은행을 선택하시기 바랍니다."));
        cmb_allbank->setFocus();
        return;
    }
    if (RefuseEmpty(edt_bankno, QStringLiteral("계좌번호를 입력하시기 바랍니다.")))
        return;
    if (cmb_transdiv->Text().isEmpty()) {
        prompt().message(QStringLiteral("거래구분을 선택하시기 바랍니다."));
        return;
    }
    if (RefuseEmpty(edt_firmid, QStringLiteral("업체코드를 입력하시기 바랍니다.")))
        return;
    // An account of anything but digits (and hyphens) is no account.
    const std::optional<QString> typed = StoredAccountNo(edt_bankno->text());
    if (!typed) {
        prompt().message(QStringLiteral("계좌번호를 입력하시기 바랍니다."));
        edt_bankno->setFocus();
        return;
    }
    const QString account = *typed;
    const QString kind = cmb_transdiv->ItemIndex() == 0 ? QStringLiteral("20") : QStringLiteral("30");
    if (AccountEditMode == 1) {
        if (!insertAccount(account, kind))
            return;
    } else {
        updateAccount(account, kind);
    }
    accounts->closeEdit();
    edit.idle();
    ShowAccountRow();
    lockPanel(true);
    grd_allbank->setFocus();
}

bool Tqv_bank_frm::insertAccount(const QString &account, const QString &kind)
{
    const BankAccountRow *bank = accounts->opened();
    if (!bank) {
        prompt().message(QStringLiteral("은행을 선택하시기 바랍니다."));
        return false;
    }
    const QString sql =
        QStringLiteral("insert into bank (   bankid,  mobankno,  bankname,  firmid,  sumflag,  regdate,  sendname,  "
                       "passwd,  dblpasswd,  recvid,  tr_gubuncode) values(")
        + sqlQuote(bank->bankid) + u',' + sqlQuote(account) + u',' + sqlQuote(bank->bankname) + u','
        + sqlQuote(edt_firmid->text()) + QStringLiteral(",'0',") + sqlQuote(qvx::Clock::today()) + u','
        + sqlQuote(edt_sendname->text()) + u',' + sqlQuote(edt_pwd->text()) + u',' + sqlQuote(edt_dpwd->text())
        + u',' + sqlQuote(edt_recvid->text()) + u',' + sqlQuote(kind) + u')';
    if (!RunCommitted(*dm.scktconnect, sql)) {
        WriteLog(session, sql);
        prompt().message(QStringLiteral("정상적으로 처리되지 않았습니다."));
        return false;
    }
    prompt().message(QStringLiteral("정상적으로 처리하였습니다."));
    grd_allbank->setFocus();
    accounts->appendStored(grd_allbank, ReadStoredRow(context(), AccountByKey(bank->bankid, account)));
    return true;
}

void Tqv_bank_frm::updateAccount(const QString &account, const QString &kind)
{
    // The row the edit opened: its bank and its account as stored, wherever
    // the list's cursor went meanwhile.
    const BankAccountRow *opened = accounts->opened();
    if (!opened) {
        TellReferenceStored(false);
        return;
    }
    const QString bankid = opened->bankid;
    const QString where = QStringLiteral(" where bankid = ") + sqlQuote(bankid) + QStringLiteral(" and mobankno = ")
                          + sqlQuote(opened->mobankno);
    const QString sql = QStringLiteral("update bank set      mobankno = ") + sqlQuote(account)
                        + QStringLiteral(",    passwd = ") + sqlQuote(edt_pwd->text())
                        + QStringLiteral(",    tr_gubuncode = ") + sqlQuote(kind)
                        + QStringLiteral(",    sendname = ") + sqlQuote(edt_sendname->text())
                        + QStringLiteral(",    firmid = ") + sqlQuote(edt_firmid->text())
                        + QStringLiteral(",    recvid = ") + sqlQuote(edt_recvid->text())
                        + QStringLiteral(",    dblpasswd = ") + sqlQuote(edt_dpwd->text());
    const bool ok = StoreReferenceUpdate(context(), QStringLiteral("bank"), where, sql);
    if (ok)
        accounts->showStored(grd_allbank, ReadStoredRow(context(), AccountByKey(bankid, account)));
    TellReferenceStored(ok);
}

void Tqv_bank_frm::btn_deleteClick()
{
    accounts->closeEdit();
    edit.idle();
    ShowAccountRow();
    lockPanel(true);
}

void registerBankScreen()
{
    RegisterScreen<Tqv_bank_frm>(QStringLiteral("qv_bank_frm"));
}
