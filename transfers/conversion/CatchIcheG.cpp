#include "transfers/conversion/CatchIcheG.h"

#include "core/screens/MotherAccountCombo.h"
#include "core/DMUnit.h"
#include "core/TextUtils.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenParts.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "platform/FileChooser.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/KeyHook.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

constexpr int GeneralRuler = 100;

} // namespace

TFrmCatchG::TFrmCatchG(const ScreenContext &context, QWidget *owner)
    : TFrmCatchG(context, owner, GeneralLayoutTable(), GeneralRuler, QStringLiteral("FrmCatchG"),
                 QStringLiteral("일반 이체 자료변환"))
{
}

TFrmCatchG::TFrmCatchG(const ScreenContext &context, QWidget *owner, const LayoutTable &table, int rulerWidth,
                       const QString &name, const QString &caption, const QString &emptyLibraryMessage,
                       const MotherAccountList &mothers)
    : TLayoutEditor(context, owner, table, rulerWidth)
{
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);

    cmb_dataparsing = MakeLabeledCombo(pnl_body, "cmb_dataparsing", QStringLiteral("자 료 형 태"), 220, 36, 108, 280);
    cmb_dataparsing->Items().Add(QStringLiteral("일정한 간격으로 분리된 텍스트"));
    cmb_dataparsing->Items().Add(QStringLiteral("',' 구분자로 분리된 텍스트"));
    cmb_dataparsing->Items().Add(QStringLiteral("';' 구분자로 분리된 텍스트"));
    cmb_dataparsing->SetItemIndex(0);
    cmb_dataparsing->SetEnabled(false);

    const int below = Grid->geometry().bottom() + 8;
    edMoBankNo = MakeLabeledCombo(pnl_body, "edMoBankNo", QStringLiteral("적용할 모계좌 번호"), 220, below, 108, 380);

    BtnConvert = MakeButton(pnl_buttons, "BtnConvert", QStringLiteral("자료변환"), btnExit->x() - 96, 8, 84, 26);
    BindClick(session, BtnConvert, "BtnConvertClick", [this] { BtnConvertClick(); });

    FormCreate(emptyLibraryMessage);
    MotherAccounts = FillMotherAccountCombo(dm, edMoBankNo, mothers.query, mothers.text);
}

QVector<MotherAccount> FillMotherAccountCombo(Tdm &dm, TKitComboBox *combo)
{
    return FillMotherAccountCombo(dm, combo, BankSql::motherAccounts({.passwords = true}),
                                  MotherAccountCombo::Text::Padded);
}

QVector<MotherAccount> FillMotherAccountCombo(Tdm &dm, TKitComboBox *combo, const QString &query,
                                              MotherAccountCombo::Text text)
{
    MotherAccountCombo accounts(combo, QStringLiteral("당행"), text);
    accounts.Load(*dm.scktconnect, query);
    return accounts.Accounts();
}

DataForm TFrmCatchG::dataForm() const
{
    const int i = cmb_dataparsing->ItemIndex();
    return i == 1 ? DataForm::Comma : i == 2 ? DataForm::Semicolon : DataForm::Fixed;
}

void TFrmCatchG::setDataForm(DataForm form)
{
    cmb_dataparsing->SetItemIndex(int(form));
}

TransferPositions TFrmCatchG::positions() const
{
    const LayoutTable &t = table();
    auto at = [&](ConvPair p) { return m_checked.value(t.indexOf(p)); };
    return TransferPositions{at(cvBankId), at(cvBankNo), at(cvMoney), at(cvCInfo), at(cvSName)};
}

std::optional<MotherAccount> TFrmCatchG::chosenMother() const
{
    const int k = edMoBankNo->ItemIndex();
    if (k < 1 || k > MotherAccounts.size())
        return std::nullopt;
    return MotherAccounts[k - 1];
}

void TFrmCatchG::editModeChanged(bool on)
{
    SetButtonEnabled(BtnConvert, !on);
    cmb_dataparsing->SetEnabled(on);
}

void TFrmCatchG::loadSelectedLayout()
{
    const QString title = selectedTitle();
    const DataForm form = DataFormOfTitle(title);
    if (form != DataForm::Fixed) {
        setDataForm(form);
        loadDelimitedLayout(form);
        return;
    }
    const qvx::ResultSet &rows = dm.cms_select1(table().selectOne(title));
    setDataForm(DataForm::Fixed);
    LoadFixedLayout(rows);
}

void TFrmCatchG::LoadCommaLayout() { loadDelimitedLayout(DataForm::Comma); }
void TFrmCatchG::LoadSemicolonLayout() { loadDelimitedLayout(DataForm::Semicolon); }

void TFrmCatchG::loadDelimitedLayout(DataForm form)
{
    edTitle->setText(selectedTitle());
    const QStringList cells =
        preview().hasLines() ? delimitedPreview(preview().firstLine(), DelimiterOf(form)) : QStringList();
    for (int i = 0; i < table().fields.size(); ++i) {
        Grid->SetCells(1, i + 1, QString());
        Grid->SetCells(2, i + 1, QString());
        Grid->SetCells(3, i + 1, cells.value(i));
    }
}

QStringList TFrmCatchG::delimitedPreview(QString line, QChar delimiter) const
{
    QStringList cells;
    for (int i = 0; i < table().fields.size(); ++i)
        cells << CutToken(line, delimiter).trimmed();
    return cells;
}

void TFrmCatchG::refreshFieldPreviews()
{
    if (dataForm() == DataForm::Fixed)
        TLayoutEditor::refreshFieldPreviews();
    else
        loadDelimitedLayout(dataForm());
}

void TFrmCatchG::beginInsert()
{
    clearValueCells();
    setDataForm(DataForm::Fixed);
}

void TFrmCatchG::beginEdit()
{
    // The layout keeps its own form unless the user chooses another.
    setDataForm(DataFormOfTitle(selectedTitle()));
}

QString TFrmCatchG::storedTitle(bool insert, const QString &typed) const
{
    const QString title = TLayoutEditor::storedTitle(insert, typed);
    const DataForm form = dataForm();
    if (form != DataForm::Fixed)
        return TitleOfForm(TitleBody(title), form);
    // A fixed-width layout being changed loses a prefix it had.
    return insert ? title : TitleBody(title);
}

QString TFrmCatchG::saveStatement(bool insert, const QString &title, const QString &oldTitle)
{
    if (dataForm() != DataForm::Fixed)
        return insert ? table().insertDelimited(title) : table().updateDelimited(title, oldTitle);
    return TLayoutEditor::saveStatement(insert, title, oldTitle);
}

void TFrmCatchG::BtnConvertClick()
{
    qvx::Prompt &prompt = qvx::Prompt::instance();
    if (dataForm() == DataForm::Fixed) {
        if (Grid->Cells(1, 1).trimmed().isEmpty()) {
            prompt.message(QStringLiteral("자료변환을 위한 자료가 없거나 선택되지 않았습니다."));
            return;
        }
        const QString fault = ReadGrid(&m_checked);
        if (!fault.isEmpty()) {
            prompt.message(fault);
            return;
        }
    }
    if (!ButtonEnabled(BtnConvert))
        return;
    if (SourceFileName.isEmpty()) {
        const auto chosen = qvx::FileChooser::instance().open(this, QString(), QString(), QStringLiteral("*.*|*.*"));
        if (chosen.fileName.isEmpty())
            return;
        SourceFileName = chosen.fileName;
    }
    if (edMoBankNo->ItemIndex() < 1 && !confirmWithoutMother())
        return;
    accept();
}

bool TFrmCatchG::confirmWithoutMother()
{
    return qvx::Prompt::instance().confirm(QStringLiteral("모계좌번호를 선택하지 않았습니다.\r\r모계좌번호를 선택하지 않을 경우 변환 시\r\r"
                                       "타은행계좌이체의 경우 오류건수로 처리됩니다.\r\r계속 진행하시겠습니까?"),
                                           QStringLiteral("확인"));
}
