#pragma once
// "주류 이체 엑셀 변환": the dialog through which the liquor entry screen
// takes transfers from a workbook (.xlsx or .xls, read by the program
// itself). The active sheet's data rows are shown in an eleven-column grid;
// the user picks the mother account and confirms.

#include "core/MotherAccount.h"
#include "core/screens/ScreenForm.h"

#include <QDialog>
#include <QStringList>
#include <QVector>

#include <optional>

class Session;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;

class TFrmCatchEx : public ScreenDialog
{
    Q_OBJECT
public:
    explicit TFrmCatchEx(const ScreenContext &context, QWidget *owner = nullptr);

    TKitSimplePanel *lbl_title = nullptr;
    TKitComboBox *edMoBankNo = nullptr;
    TListGrid *Grid = nullptr;
    TDDButton *btnCancel = nullptr;
    TDDButton *BtnOpenDlg = nullptr;
    TDDButton *BtnConvert = nullptr;
    TDDButton *btnExit = nullptr;

    QVector<MotherAccount> MotherAccounts;
    QString SourceFileName;

    void SetTitle(const QString &text);
    QString Title() const;
    // The data rows of the grid (row 1 on), each its eleven cells.
    QVector<QStringList> DataRows() const;
    // The chosen mother account; none for "당행".
    std::optional<MotherAccount> chosenMother() const;

    void BtnOpenDlgClick();
    void BtnConvertClick();
    void btnCancelClick();
    void btnExitClick();

    // Loads a workbook's data rows into the grid; false (grid unchanged)
    // with the reason shown when it cannot be read.
    bool LoadSheet(const QString &fileName);
};
