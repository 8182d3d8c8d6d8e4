#include "transfers/screens/DataFileUnit.h"

#include "core/EventGuard.h"
#include "core/Session.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "controls/panels/KitContainers.h"
#include "controls/panels/KitGroup.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"
#include "transfers/DataFileKinds.h"
#include "transfers/LayoutPreview.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/KeyHook.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

const QString Section = QStringLiteral("DATAFILE");
constexpr int FieldColumns = 24;

qvx::IniFile dataIni()
{
    return qvx::IniFile(qvx::ProgramDir::path(QStringLiteral("data.ini")));
}

} // namespace

Tqv_datafile_frm::Tqv_datafile_frm(const ScreenContext &context, QWidget *owner) : ScreenForm(context, owner)
{
    SetUpForm(this, "qv_datafile_frm", QStringLiteral("자료파일 생성"), 980, 560);

    MakeBand(this, "pnl_caption", QStringLiteral(" ◎ 생성자료 필드 목록"), 28);

    pnl_select = MakePanel(this, "pnl_select");
    pnl_select->resize(width(), 40);
    chk_sunabiche = MakeCheck(pnl_select, "chk_sunabiche", QStringLiteral("수납이체전문"), 8, 9, 120);
    chk_jigubiche = MakeCheck(pnl_select, "chk_jigubiche", QStringLiteral("지급이체전문"), 134, 9, 120);
    chk_draft = MakeCheck(pnl_select, "chk_draft", QStringLiteral("보관어음통지"), 260, 9, 120);
    chk_deposit = MakeCheck(pnl_select, "chk_deposit", QStringLiteral("예금거래통지"), 386, 9, 120);
    chk_taicheerr = MakeCheck(pnl_select, "chk_taicheerr", QStringLiteral("타행이체불능통지"), 512, 9, 140);
    btn_selectsave = MakeButton(pnl_select, "btn_selectsave", QStringLiteral("저 장"), 670, 7, 84, 26);
    pnl_select->hide();

    TKitSimplePanel *kinds = MakeBar(this, "pnl_kind", 36, alTop);
    cmb_dataname = MakeLabeledCombo(kinds, "cmb_dataname", QStringLiteral("자 료 선 택"), 8, 7, 80, 240);
    btn_select = MakeButton(kinds, "btn_select", QStringLiteral("파일생성자료 선택"), 344, 5, 140, 26);

    TKitSimplePanel *bar = MakeBar(this, "pnl_buttons", 40, alBottom);
    btn_fieldsave = MakeButton(bar, "btn_fieldsave", QStringLiteral("저 장"), 8, 7, 84, 26);
    btn_delete = MakeButton(bar, "btn_delete", QStringLiteral("삭 제"), 98, 7, 84, 26);
    btn_close = MakeButton(bar, "btn_close", QStringLiteral("닫 기"), 188, 7, 84, 26);

    // The record preview under its ruler (no action of its own).
    TKitSimplePanel *previewPanel = MakeBar(this, "pnl_preview", 96, alBottom);
    const LayoutPreview ruler(130);
    const QFont fixed(QStringLiteral("굴림체"), 9);
    auto *tens = new QLabel(ruler.rulerTens(), previewPanel);
    auto *ones = new QLabel(ruler.ruler(), previewPanel);
    for (QLabel *l : {tens, ones})
        l->setFont(fixed);
    tens->setGeometry(12, 2, 960, 16);
    ones->setGeometry(12, 18, 960, 16);
    Memo = new QPlainTextEdit(previewPanel);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setFont(fixed);
    Memo->setReadOnly(true);
    Memo->setGeometry(8, 36, 960, 56);

    QStringList headers{QStringLiteral("구분")};
    for (int c = 1; c < FieldColumns; ++c)
        headers << QString();
    grd_datalist = MakeGrid(this, "grd_datalist", headers);

    cmb_dataname->OnChange = [this](QObject *) {
        RunGuarded(session, QStringLiteral("cmb_datanameChange"), [this] { cmb_datanameChange(); });
    };
    BindClicks(session, {{btn_select, [this] { btn_selectClick(); }},
                         {btn_selectsave, [this] { btn_selectsaveClick(); }}, {btn_close, [this] { close(); }}});
    setAttribute(Qt::WA_DeleteOnClose);
    RunGuarded(session, QStringLiteral("qv_datafile_frm.FormCreate"), [this] { FormCreate(); });
}

TKitCheckBox *Tqv_datafile_frm::boxOf(const QString &name) const
{
    return findChild<TKitCheckBox *>(name);
}

void Tqv_datafile_frm::FormCreate()
{
    const qvx::IniFile ini = dataIni();
    if (!QFileInfo::exists(ini.fileName())) {
        qvx::Prompt::instance().message(
            QStringLiteral("DATA.INI 파일이 존재하지 않습니다. 관리자에게 문의하시기 바랍니다."));
        return;
    }
    for (const DataFileKind &kind : DataFileKinds(session.IcheKind)) {
        if (!ini.valueExists(Section, kind.key))
            continue;
        const bool used = ini.readString(Section, kind.key) != QStringLiteral("0");
        SetChecked(boxOf(kind.checkBox), used);
        if (used)
            cmb_dataname->Items().Add(kind.name);
    }
    selectFirstKind();
}

void Tqv_datafile_frm::selectFirstKind()
{
    if (cmb_dataname->Items().Count() == 0)
        cmb_dataname->Items().Add(NoDataFileKind);
    cmb_dataname->SetItemIndex(0);
    cmb_datanameChange();
}

void Tqv_datafile_frm::cmb_datanameChange()
{
    // Each kind's record has its own number of fields; with no kind chosen the
    // list keeps its designed columns.
    const QStringList fields = DataFileFields(cmb_dataname->Text(), session.IcheKind);
    const int columns = fields.isEmpty() ? FieldColumns : int(fields.size()) + 1;
    grd_datalist->SetColCount(columns);
    for (int c = 1; c < FieldColumns; ++c)
        grd_datalist->SetCells(c, 0, fields.value(c - 1));
}

void Tqv_datafile_frm::btn_selectClick()
{
    pnl_select->resize(width(), 40);
    SetAlign(pnl_select, alTop);
    pnl_select->show();
}

void Tqv_datafile_frm::btn_selectsaveClick()
{
    // Cancel keeps the list as it was.
    if (!qvx::Prompt::instance().confirm(QStringLiteral("저장하시겠습니까?"), QStringLiteral("확인")))
        return;
    cmb_dataname->Items().Clear();
    qvx::IniFile ini = dataIni();
    for (const DataFileKind &kind : DataFileKinds(session.IcheKind)) {
        const bool used = Checked(boxOf(kind.checkBox));
        ini.writeString(Section, kind.key, used ? QStringLiteral("1") : QStringLiteral("0"));
        if (used)
            cmb_dataname->Items().Add(kind.name);
    }
    selectFirstKind();
    pnl_select->hide();
    SetAlign(pnl_select, alNone);
}

void registerDataFileScreen()
{
    RegisterScreen<Tqv_datafile_frm>(QStringLiteral("qv_datafile_frm"));
}
