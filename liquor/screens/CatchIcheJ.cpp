#include "liquor/screens/CatchIcheJ.h"

#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/screens/FormParts.h"
#include "core/screens/ScreenRegistry.h"
#include "platform/TListGrid.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "liquor/LiquorLayouts.h"
#include "platform/Prompt.h"
#include "transfers/conversion/CatchIcheGA.h"

namespace {

constexpr int LiquorRuler = 140;

const QString NoLayoutMessage =
    QStringLiteral("자료변환을 위한 자료가 등록되어 있지 않습니다. 자료를 등록하시기 바랍니다.");

} // namespace

TFrmCatchJ::TFrmCatchJ(const ScreenContext &context, QWidget *owner)
    : TFrmCatchG(context, owner, LiquorLayoutTable(), LiquorRuler, QStringLiteral("FrmCatchJ"),
                 QStringLiteral("주류 이체자료 변환"), NoLayoutMessage,
                 {BankSql::distinctMotherAccounts(), MotherAccountCombo::Text::PaddedCodeTight})
{
    EnterMovesFocus(cmb_dataparsing, btnSave);
}

QStringList TFrmCatchJ::delimitedPreview(QString line, QChar delimiter) const
{
    // A line may leave out the type: an eighth token that is no type is the
    // real-name number.
    QStringList cells;
    for (int i = 0; i < 8; ++i)
        cells << CutToken(line, delimiter).trimmed();
    const QString eighth = cells[7];
    if (eighth == u"20" || eighth == u"30") {
        cells << CutToken(line, delimiter).trimmed();
    } else {
        cells[7].clear();
        cells << eighth;
    }
    return cells;
}

void TFrmCatchJ::afterSampleLoaded()
{
    // The positions stay as they are until 입 력 or 수 정 opens them again.
    Grid->setEnabled(false);
}

void TFrmCatchJ::beginInsert()
{
    TFrmCatchG::beginInsert();
    Grid->setEnabled(true);
}

void TFrmCatchJ::beginEdit()
{
    TFrmCatchG::beginEdit();
    Grid->setEnabled(true);
}

void TFrmCatchJ::saveStarting()
{
    // Positions and form are closed while the layout is stored; 입 력 or
    // 수 정 opens them again.
    Grid->setEnabled(false);
    cmb_dataparsing->SetEnabled(false);
}

QString TFrmCatchJ::saveStatement(bool insert, const QString &title, const QString &oldTitle)
{
    if (dataForm() != DataForm::Fixed)
        return insert ? LiquorLayoutSql::insertDelimited(title) : LiquorLayoutSql::updateDelimited(title, oldTitle);
    // A cell that holds no whole number is stored as 0.
    LayoutValues values;
    for (int row = 1; row <= table().fields.size(); ++row) {
        auto cell = [&](int col) {
            bool ok = false;
            const int v = Grid->Cells(col, row).trimmed().toInt(&ok);
            return ok ? v : 0;
        };
        values.append(ConvField{cell(1), cell(2)});
    }
    return insert ? LiquorLayoutSql::insert(title, values) : LiquorLayoutSql::update(title, values, oldTitle);
}

LiquorLayout TFrmCatchJ::liquorLayout() const
{
    return LiquorLayoutOf(checkedValues());
}

TFrmCatchJA::TFrmCatchJA(const ScreenContext &context, QWidget *owner)
    : TLayoutEditor(context, owner, LiquorAutoLayoutTable(), LiquorRuler)
{
    setObjectName(QStringLiteral("FrmCatchJA"));
    setWindowTitle(QStringLiteral("주류 이체자료 변환"));
    setAttribute(Qt::WA_DeleteOnClose);
    SetTitle(QStringLiteral(" ◎ 승인요청 자료 목록"));
    FormCreate(NoLayoutMessage);
}

QString TFrmCatchJA::saveStatement(bool insert, const QString &title, const QString &oldTitle)
{
    // Every cell a whole number, or nothing is sent.
    LayoutValues values;
    if (!ReadGrid(&values).isEmpty()) {
        qvx::Prompt::instance().message(LayoutMessages::SaveFailed);
        return QString();
    }
    return insert ? table().insert(title, values) : table().update(title, values, oldTitle);
}

void TFrmCatchJA::afterSave()
{
    // The first layout of the list is the one the send module cuts with.
    LayoutValues values;
    if (ReadGrid(&values).isEmpty())
        SetConvLayout(session, table(), values);
}

void registerCatchIcheJScreens()
{
    RegisterScreen<TFrmCatchJA>(QStringLiteral("FrmCatchJA"));
}
