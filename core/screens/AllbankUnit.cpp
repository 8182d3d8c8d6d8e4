#include "core/screens/AllbankUnit.h"

#include "core/AppControl.h"
#include "core/BankSql.h"
#include "core/DMUnit.h"
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
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitControl.h"
#include "platform/Prompt.h"
#include "platform/SqlText.h"
#include "platform/TListGrid.h"

#include <QLabel>
#include <QLineEdit>

using qvx::sqlQuote;

namespace {
qvx::Prompt &prompt() { return qvx::Prompt::instance(); }

const ListColumns &Columns()
{
    static const ListColumns columns = {
        {QStringLiteral("은행코드"), 0, AlignCenter, "bankid"},
        {QStringLiteral("은 행 명"), 260, AlignCenter, "bankname"},
    };
    return columns;
}
} // namespace

BankCodeRow BankCodeRow::read(const qvx::ResultSet &rs, int i)
{
    return {rs.value(i, QStringLiteral("bankid")), rs.value(i, QStringLiteral("bankname"))};
}

Tqv_allbank_frm::Tqv_allbank_frm(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner)
{
    SetUpForm(this, "qv_allbank_frm", QStringLiteral("은행코드설정보기"), 520, 480);
    codes = std::make_unique<ReferenceRows<BankCodeRow>>(Columns());

    TKitSimplePanel *top = MakeReferenceSearchBar(this);
    cmb_bankname = MakeLabeledCombo(top, "cmb_bankname", QStringLiteral("은  행  명"), 10, 9, 80, 220);
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), 324, 7, 80, 26);

    ButtonRow buttons(session, MakeBar(this, "pnl_bottom", 40, alBottom), 8, 8, 25);
    buttons.add({{&btn_modify, "btn_modify", "내용변경"}, {&btn_add, "btn_add", "추 가"}, {&btn_save, "btn_save", "저 장"},
                 {&btn_cancel, "btn_cancel", "취 소"}, {&btn_close, "btn_close", "닫 기", 0, 430}},
                76);

    pnl_regallbank = MakeBar(this, "pnl_regallbank", 90, alBottom);
    MakeLabel(pnl_regallbank, QStringLiteral(" ◎ 은행코드 등록"), 6, 2, 200);
    edt_regcode = MakeLabeledEdit(pnl_regallbank, "edt_regcode", QStringLiteral("은 행 코 드"), 10, 28, 80, 60);
    edt_regcode->setReadOnly(true);
    MakeLabel(pnl_regallbank, QStringLiteral("( 저장 후 변경이 불가능합니다.)"), 160, 28, 240);
    edt_regcontents = MakeLabeledEdit(pnl_regallbank, "edt_regcontents", QStringLiteral("은  행  명"), 10, 56, 80, 220);
    pnl_regallbank->setEnabled(false);
    // The panel waits disabled until Add or Modify; its captions stay readable.
    for (QLabel *caption : pnl_regallbank->findChildren<QLabel *>())
        KeepReadableWhenDisabled(caption);

    MakeBand(this, "pnl_listcaption", QStringLiteral(" ◎ 은행코드 목록"), 22);
    grd_allbank = MakeListGrid(this, "grd_allbank", Columns());

    EnterWalks(this, {cmb_bankname, edt_regcode, edt_regcontents}, btn_save);
    BindClicks(session, {{btn_search, [this] { btn_searchClick(); }}, {btn_add, [this] { btn_addClick(); }},
                         {btn_modify, [this] { btn_modifyClick(); }}, {btn_save, [this] { btn_saveClick(); }},
                         {btn_cancel, [this] { btn_cancelClick(); }}, {btn_close, [this] { close(); }}});

    RunGuarded(session, QStringLiteral("qv_allbank_frm.FormCreate"), [this] { FormCreate(); });
}

void Tqv_allbank_frm::FormCreate()
{
    if (session.ServerState == 1) {
        edit.lock();
        return;
    }
    // Administrators maintain the codes; everyone else only looks.
    edit.idle();
    const qvx::ResultSet rs = dm.cms_select1(BankSql::bankCodes());
    if (rs.recordCount() == 0) {
        prompt().message(QStringLiteral("등록된 은행이 존재하지 않습니다. 신규등록을 하시기 바랍니다."));
        return;
    }
    cmb_bankname->Items().Add(QStringLiteral("모든 은행"));
    for (int i = 0; i < rs.recordCount(); ++i) {
        const QString id = rs.value(i, QStringLiteral("bankid"));
        const QString name = rs.value(i, QStringLiteral("bankname"));
        cmb_bankname->Items().Add(QStringLiteral("[") + id + QStringLiteral("] ") + name);
        BankCodeList.append({id, name});
    }
    cmb_bankname->SetItemIndex(0);
}

void Tqv_allbank_frm::btn_searchClick()
{
    if (RefuseWhenOffline(session))
        return;
    ClearGridRows(grd_allbank, 1);
    codes->clear();
    QString bankId;
    const int item = cmb_bankname->ItemIndex();
    if (item > 0 && item - 1 < BankCodeList.size())
        bankId = BankCodeList[item - 1].first;
    const qvx::ResultSet rs = dm.cms_select1(BankSql::bankCodeNames(bankId));
    if (rs.recordCount() == 0)
        return;
    FillList(grd_allbank, Columns(), rs);
    codes->listed(rs);
}

void Tqv_allbank_frm::btn_addClick()
{
    pnl_regallbank->setEnabled(true);
    edt_regcode->clear();
    edt_regcontents->clear();
    edt_regcode->setReadOnly(false);
    codes->closeEdit();
    edit.begin(ReferenceEditMode::Adding);
    edt_regcode->setFocus();
}

void Tqv_allbank_frm::btn_modifyClick()
{
    pnl_regallbank->setEnabled(true);
    edt_regcode->setReadOnly(true);
    // The rename keeps the row it opened, wherever the cursor goes.
    codes->open(grd_allbank->Row());
    const BankCodeRow *row = codes->opened();
    edt_regcode->setText(row ? row->bankid : QString());
    edt_regcontents->setText(row ? row->bankname : QString());
    edit.begin(ReferenceEditMode::Modifying);
    edt_regcontents->setFocus();
}

void Tqv_allbank_frm::btn_cancelClick()
{
    edt_regcode->clear();
    edt_regcontents->clear();
    edt_regcode->setReadOnly(true);
    codes->closeEdit();
    edit.idle();
}

void Tqv_allbank_frm::btn_saveClick()
{
    if (RefuseWhenOffline(session) || BankCodeEditMode == 0)
        return;
    const QString code = edt_regcode->text();
    const QString name = edt_regcontents->text();
    if (RefuseEmpty(edt_regcode, QStringLiteral("은행코드를 입력하시기 바랍니다."))
        || RefuseEmpty(edt_regcontents, QStringLiteral("은행명을 입력하시기 바랍니다.")))
        return;
    if (BankCodeEditMode == 1) {
        for (int r = 1; r < grd_allbank->RowCount(); ++r) {
            if (grd_allbank->Cells(0, r) == code) {
                prompt().message(QStringLiteral("해당 은행코드가 존재합니다. 확인하시기 바랍니다."));
                edt_regcode->setFocus();
                return;
            }
        }
    }
    if (!ConfirmReferenceEntry(QStringLiteral("은행코드"), code, QStringLiteral("은행명"), name))
        return;

    bool ok = false;
    if (BankCodeEditMode == 1) {
        ok = StoreReferenceChange(context(), QStringLiteral("insert into allbank (     bankid,    bankname) values(") + sqlQuote(code)
                                  + u',' + sqlQuote(name) + u')');
        if (ok)
            codes->appendStored(grd_allbank, ReadStoredRow(context(), BankSql::bankCodeNames(code)));
    } else if (const BankCodeRow *opened = codes->opened()) {
        const QString key = opened->bankid;
        ok = StoreReferenceUpdate(context(), QStringLiteral("allbank"), QStringLiteral(" where bankid = ") + sqlQuote(key),
                                  QStringLiteral("update allbank set   bankname = ") + sqlQuote(name));
        if (ok)
            codes->showStored(grd_allbank, ReadStoredRow(context(), BankSql::bankCodeNames(key)));
    }
    TellReferenceStored(ok);
    edt_regcode->clear();
    edt_regcontents->clear();
    cmb_bankname->SetItemIndex(0);
    codes->closeEdit();
    edit.idle();
}

void registerAllbankScreen()
{
    RegisterScreen<Tqv_allbank_frm>(QStringLiteral("qv_allbank_frm"));
}
