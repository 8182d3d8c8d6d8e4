#include "core/screens/AllbankUnit.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListScreen.h"
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
}

Tqv_allbank_frm::Tqv_allbank_frm(Session &s, QWidget *owner)
    : QWidget(owner), session(s)
{
    setObjectName(QStringLiteral("qv_allbank_frm"));
    setWindowTitle(QStringLiteral("은행코드설정보기"));
    resize(520, 480);
    SetFormColour(this);

    MakeBand(this, "pnl_searchcaption", QStringLiteral(" ◎ 검  색"), 22);
    TKitSimplePanel *top = MakePanel(this, "pnl_search");
    top->resize(width(), 40);
    SetAlign(top, alTop);
    auto *lbl = new QLabel(QStringLiteral("은  행  명"), top);
    lbl->setGeometry(10, 9, 80, 22);
    cmb_bankname = new TKitComboBox(top);
    cmb_bankname->setObjectName(QStringLiteral("cmb_bankname"));
    cmb_bankname->SetStyle(csDropDownList);
    cmb_bankname->setGeometry(94, 9, 220, 22);
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), 324, 7, 80, 26);

    TKitSimplePanel *bar = MakePanel(this, "pnl_bottom");
    bar->resize(width(), 40);
    SetAlign(bar, alBottom);
    btn_modify = MakeButton(bar, "btn_modify", QStringLiteral("내용변경"), 8, 8, 76, 25);
    btn_add = MakeButton(bar, "btn_add", QStringLiteral("추 가"), 90, 8, 76, 25);
    btn_save = MakeButton(bar, "btn_save", QStringLiteral("저 장"), 172, 8, 76, 25);
    btn_cancel = MakeButton(bar, "btn_cancel", QStringLiteral("취 소"), 254, 8, 76, 25);
    btn_close = MakeButton(bar, "btn_close", QStringLiteral("닫 기"), 430, 8, 76, 25);

    pnl_regallbank = MakePanel(this, "pnl_regallbank");
    pnl_regallbank->resize(width(), 90);
    SetAlign(pnl_regallbank, alBottom);
    auto *cap = new QLabel(QStringLiteral(" ◎ 은행코드 등록"), pnl_regallbank);
    cap->setGeometry(6, 2, 200, 22);
    auto *l1 = new QLabel(QStringLiteral("은 행 코 드"), pnl_regallbank);
    l1->setGeometry(10, 28, 80, 22);
    edt_regcode = new QLineEdit(pnl_regallbank);
    edt_regcode->setObjectName(QStringLiteral("edt_regcode"));
    edt_regcode->setGeometry(94, 28, 60, 22);
    edt_regcode->setReadOnly(true);
    auto *note = new QLabel(QStringLiteral("( 저장 후 변경이 불가능합니다.)"), pnl_regallbank);
    note->setGeometry(160, 28, 240, 22);
    auto *l2 = new QLabel(QStringLiteral("은  행  명"), pnl_regallbank);
    l2->setGeometry(10, 56, 80, 22);
    edt_regcontents = new QLineEdit(pnl_regallbank);
    edt_regcontents->setObjectName(QStringLiteral("edt_regcontents"));
    edt_regcontents->setGeometry(94, 56, 220, 22);
    pnl_regallbank->setEnabled(false);

    MakeBand(this, "pnl_listcaption", QStringLiteral(" ◎ 은행코드 목록"), 22);
    grd_allbank = MakeGrid(this, "grd_allbank", {QStringLiteral("은행코드"), QStringLiteral("은 행 명")});
    grd_allbank->SetColWidths(1, 260);
    grd_allbank->OnGetAlignment = [](int, int) { return Qt::AlignHCenter; };

    EnterMovesFocus(cmb_bankname);
    EnterMovesFocus(edt_regcode);
    EnterMovesFocus(edt_regcontents, btn_save);
    FocusOnShow(this, cmb_bankname);
    OnButtonClick(btn_search, [this] { RunGuarded(session, QStringLiteral("btn_searchClick"), [this] { btn_searchClick(); }); });
    OnButtonClick(btn_add, [this] { RunGuarded(session, QStringLiteral("btn_addClick"), [this] { btn_addClick(); }); });
    OnButtonClick(btn_modify, [this] { RunGuarded(session, QStringLiteral("btn_modifyClick"), [this] { btn_modifyClick(); }); });
    OnButtonClick(btn_save, [this] { RunGuarded(session, QStringLiteral("btn_saveClick"), [this] { btn_saveClick(); }); });
    OnButtonClick(btn_cancel, [this] { RunGuarded(session, QStringLiteral("btn_cancelClick"), [this] { btn_cancelClick(); }); });
    OnButtonClick(btn_close, [this] { close(); });

    RunGuarded(session, QStringLiteral("qv_allbank_frm.FormCreate"), [this] { FormCreate(); });
}

void Tqv_allbank_frm::setEditButtons(bool addModify, bool saveCancel)
{
    EditButtons{btn_add, btn_modify, btn_save, btn_cancel}.set(session, addModify, saveCancel);
}

void Tqv_allbank_frm::FormCreate()
{
    if (session.ServerState == 1) {
        setEditButtons(false, false);
        return;
    }
    BankCodeEditMode = 0;
    // Administrators maintain the codes; everyone else only looks.
    setEditButtons(true, false);
    const qvx::ResultSet rs = dm->cms_select1(QStringLiteral("select * from allbank order by bankid"));
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
    QString sql = QStringLiteral("select bankid, bankname from allbank");
    const int item = cmb_bankname->ItemIndex();
    if (item > 0 && item - 1 < BankCodeList.size())
        sql += QStringLiteral(" where bankid = ") + sqlQuote(BankCodeList[item - 1].first);
    sql += QStringLiteral(" order by bankid");
    const qvx::ResultSet rs = dm->cms_select1(sql);
    if (rs.recordCount() == 0)
        return;
    grd_allbank->BeginUpdate();
    grd_allbank->SetRowCount(rs.recordCount() + 1);
    for (int i = 0; i < rs.recordCount(); ++i) {
        grd_allbank->SetCells(0, i + 1, rs.value(i, QStringLiteral("bankid")));
        grd_allbank->SetCells(1, i + 1, rs.value(i, QStringLiteral("bankname")));
    }
    grd_allbank->EndUpdate();
}

void Tqv_allbank_frm::btn_addClick()
{
    pnl_regallbank->setEnabled(true);
    edt_regcode->clear();
    edt_regcontents->clear();
    edt_regcode->setReadOnly(false);
    setEditButtons(false, true);
    edt_regcode->setFocus();
    BankCodeEditMode = 1;
}

void Tqv_allbank_frm::btn_modifyClick()
{
    pnl_regallbank->setEnabled(true);
    edt_regcode->setReadOnly(true);
    const int r = grd_allbank->Row();
    edt_regcode->setText(grd_allbank->Cells(0, r));
    edt_regcontents->setText(grd_allbank->Cells(1, r));
    setEditButtons(false, true);
    edt_regcontents->setFocus();
    BankCodeEditMode = 2;
}

void Tqv_allbank_frm::btn_cancelClick()
{
    edt_regcode->clear();
    edt_regcontents->clear();
    edt_regcode->setReadOnly(true);
    setEditButtons(true, false);
    BankCodeEditMode = 0;
}

void Tqv_allbank_frm::btn_saveClick()
{
    if (RefuseWhenOffline(session) || BankCodeEditMode == 0)
        return;
    const QString code = edt_regcode->text();
    const QString name = edt_regcontents->text();
    if (code.isEmpty()) {
        prompt().message(QStringLiteral("은행코드를 입력하시기 바랍니다."));
        edt_regcode->setFocus();
        return;
    }
    if (name.isEmpty()) {
        prompt().message(QStringLiteral("은행명을 입력하시기 바랍니다."));
        edt_regcontents->setFocus();
        return;
    }
    if (BankCodeEditMode == 1) {
        for (int r = 1; r < grd_allbank->RowCount(); ++r) {
            if (grd_allbank->Cells(0, r) == code) {
                prompt().message(QStringLiteral("해당 은행코드가 존재합니다. 확인하시기 바랍니다."));
                edt_regcode->setFocus();
                return;
            }
        }
    }
    if (!prompt().confirm(QStringLiteral("은행코드 : ") + code + u'\r' + QStringLiteral("은행명 : ") + name
                          + QStringLiteral("\r\r등록하시겠습니까")))
        return;

    bool ok = false;
    if (BankCodeEditMode == 1) {
        ok = StoreReferenceChange(session, QStringLiteral("insert into allbank (     bankid,    bankname) values(") + sqlQuote(code)
                                  + u',' + sqlQuote(name) + u')');
        if (ok)
            AppendGridRow(grd_allbank, {code, name});
    } else {
        ok = StoreReferenceChange(session, QStringLiteral("update allbank set   bankname = ") + sqlQuote(name)
                                  + QStringLiteral(" where bankid = ") + sqlQuote(code));
    }
    prompt().message(ok ? QStringLiteral("정상적으로 처리되었습니다.") : QStringLiteral("정상적으로 처리되지 않았습니다."));
    edt_regcode->clear();
    edt_regcontents->clear();
    cmb_bankname->SetItemIndex(0);
    BankCodeEditMode = 0;
    setEditButtons(true, false);
}

void registerAllbankScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_allbank_frm"), [](QWidget *owner, Session &session) -> QWidget * {
        return new Tqv_allbank_frm(session, owner);
    });
}
