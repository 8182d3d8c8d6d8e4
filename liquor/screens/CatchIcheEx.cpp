#include "liquor/screens/CatchIcheEx.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitAlignLayout.h"
#include "controls/panels/KitComboBox.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "liquor/LiquorConversion.h"
#include "platform/FileChooser.h"
#include "platform/Prompt.h"
#include "platform/Spreadsheet.h"
#include "platform/TListGrid.h"
#include "transfers/conversion/CatchIcheG.h"

#include <QDir>
#include <QFile>
#include <QLabel>

TFrmCatchEx::TFrmCatchEx(const ScreenContext &context, QWidget *owner)
    : ScreenDialog(context, owner)
{
    setObjectName(QStringLiteral("FrmCatchEx"));
    setWindowTitle(QStringLiteral("주류 이체 엑셀 변환"));
    setModal(true);
    SetFormColour(this);
    resize(803, 522);

    lbl_title = MakeBand(this, "lbl_title", QStringLiteral(" ◎ 이체 자료 목록"), 28);
    TKitSimplePanel *buttons = MakeBar(this, "pnl_buttons", 42, alBottom);
    TKitSimplePanel *body = MakePanel(this, "pnl_body");
    SetAlign(body, alClient);

    edMoBankNo = MakeLabeledCombo(body, "edMoBankNo", QStringLiteral("적용할 모계좌 번호"), 8, 8, 120, 380);
    MotherAccounts = FillMotherAccountCombo(dm, edMoBankNo);

    Grid = new TListGrid(body);
    Grid->setObjectName(QStringLiteral("Grid"));
    const QStringList headers = LiquorSheetHeaders();
    Grid->SetColCount(int(headers.size()));
    Grid->SetRowCount(2);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(0);
    const int widths[] = {30, 55, 80, 100, 65, 65, 65, 65, 100, 55, 88};
    for (int c = 0; c < headers.size(); ++c) {
        Grid->SetCells(c, 0, headers[c]);
        Grid->SetColWidths(c, widths[c]);
    }
    Grid->setGeometry(8, 40, 803 - 16, 522 - 28 - 42 - 48);

    btnCancel = MakeButton(buttons, "btnCancel", QStringLiteral("취 소"), 8, 8, 84, 26);
    BtnOpenDlg = MakeButton(buttons, "BtnOpenDlg", QStringLiteral("파일선택"), 98, 8, 84, 26);
    btnExit = MakeButton(buttons, "btnExit", QStringLiteral("닫 기"), 803 - 100, 8, 84, 26);
    BtnConvert = MakeButton(buttons, "BtnConvert", QStringLiteral("자료변환"), 803 - 196, 8, 84, 26);
    BindClicks(session, {{btnCancel, [this] { btnCancelClick(); }}, {BtnOpenDlg, [this] { BtnOpenDlgClick(); }},
                         {BtnConvert, [this] { BtnConvertClick(); }}, {btnExit, [this] { btnExitClick(); }}});
}

void TFrmCatchEx::SetTitle(const QString &text)
{
    BandCaption(lbl_title)->setText(text);
}

QString TFrmCatchEx::Title() const
{
    return BandCaption(lbl_title)->text();
}

QVector<QStringList> TFrmCatchEx::DataRows() const
{
    QVector<QStringList> rows;
    for (int r = 1; r < Grid->RowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < Grid->ColCount(); ++c)
            row.append(Grid->Cells(c, r));
        if (!row[0].trimmed().isEmpty())
            rows.append(row);
    }
    return rows;
}

std::optional<MotherAccount> TFrmCatchEx::chosenMother() const
{
    const int k = edMoBankNo->ItemIndex();
    if (k < 1 || k > MotherAccounts.size())
        return std::nullopt;
    return MotherAccounts[k - 1];
}

bool TFrmCatchEx::LoadSheet(const QString &fileName)
{
    // The reader's reasons for a refused workbook are the user's own words;
    // a file that does not open at all is named instead of the system's text.
    if (QFile probe(fileName); !probe.open(QIODevice::ReadOnly)) {
        qvx::Prompt::instance().message(QStringLiteral("엑셀 파일을 열 수 없습니다.\r\r") +
                                        QDir::toNativeSeparators(fileName));
        return false;
    }
    qvx::SheetCells cells;
    QString error;
    if (!qvx::Spreadsheet::read(fileName, &cells, &error)) {
        qvx::Prompt::instance().message(QStringLiteral("엑셀 파일을 읽을 수 없습니다.\r\r") + error);
        return false;
    }
    const QVector<QStringList> rows = LiquorSheetRows(cells, &error);
    if (!error.isEmpty()) {
        qvx::Prompt::instance().message(QStringLiteral("엑셀 파일을 읽을 수 없습니다.\r\r") + error);
        return false;
    }
    Grid->BeginUpdate();
    Grid->SetRowCount(qMax(2, int(rows.size()) + 1));
    for (int c = 0; c < Grid->ColCount(); ++c)
        Grid->SetCells(c, 1, QString());
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < Grid->ColCount(); ++c)
            Grid->SetCells(c, r + 1, rows[r].value(c));
    Grid->EndUpdate();
    SourceFileName = fileName;
    return true;
}

void TFrmCatchEx::BtnOpenDlgClick()
{
    const auto chosen = qvx::FileChooser::instance().open(this, QString(), QString(), QString());
    if (!chosen.fileName.isEmpty())
        LoadSheet(chosen.fileName);
}

void TFrmCatchEx::BtnConvertClick()
{
    if (Grid->Cells(1, 1).trimmed().isEmpty()) {
        qvx::Prompt::instance().message(QStringLiteral("자료변환을 위한 자료가 없거나 선택되지 않았습니다."));
        return;
    }
    accept();
}

void TFrmCatchEx::btnCancelClick()
{
    Grid->SetRowCount(2);
    for (int c = 0; c < Grid->ColCount(); ++c)
        Grid->SetCells(c, 1, QString());
}

void TFrmCatchEx::btnExitClick()
{
    reject();
}
