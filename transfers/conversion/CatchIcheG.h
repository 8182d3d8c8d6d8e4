#pragma once
// "일반 이체 자료변환": the dialog through which the entry screen converts a
// transfer file. It keeps the library of conversion layouts (table
// convertg), previews the chosen file, and hands the entry screen the file,
// the layout and the mother account to apply.

#include "core/BankSql.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenContext.h"
#include "transfers/ConvertDecision.h"
#include "transfers/conversion/LayoutEditor.h"

#include <QVector>

class TKitComboBox;
class Tdm;

// Fills an "적용할 모계좌 번호" list: "당행", then one item per mother account
// ("[bankid]   mobankno   bankname"). Returns the accounts in item order
// from item 1.
QVector<MotherAccount> FillMotherAccountCombo(Tdm &dm, TKitComboBox *combo);
// The same with the accounts of `query`, each item shown as `text`.
QVector<MotherAccount> FillMotherAccountCombo(Tdm &dm, TKitComboBox *combo, const QString &query,
                                              MotherAccountCombo::Text text);

// The "적용할 모계좌 번호" list of a conversion dialog: its query and how
// each item shows its account.
struct MotherAccountList
{
    QString query = BankSql::motherAccounts({.passwords = true});
    MotherAccountCombo::Text text = MotherAccountCombo::Text::Padded;
};

class TFrmCatchG : public TLayoutEditor
{
    Q_OBJECT
public:
    explicit TFrmCatchG(const ScreenContext &context, QWidget *owner = nullptr);

    TKitComboBox *cmb_dataparsing = nullptr;
    TKitComboBox *edMoBankNo = nullptr;
    TDDButton *BtnConvert = nullptr;

    // One per row of the mother-account query; item k of edMoBankNo is
    // element k - 1.
    QVector<MotherAccount> MotherAccounts;

    // What the entry screen reads after the dialog returned OK.
    QString GetSourceFileName() const { return SourceFileName.trimmed(); }
    DataForm dataForm() const;
    // The fixed-width positions of the grid (checked by BtnConvertClick).
    TransferPositions positions() const;
    // The chosen mother account; none for "당행".
    std::optional<MotherAccount> chosenMother() const;

    void BtnConvertClick();
    // The start and size cells as checked by BtnConvertClick.
    const LayoutValues &checkedValues() const { return m_checked; }
    void LoadCommaLayout();
    void LoadSemicolonLayout();

protected:
    // A dialog of another layout table (the liquor one).
    TFrmCatchG(const ScreenContext &context, QWidget *owner, const LayoutTable &table, int rulerWidth,
               const QString &name, const QString &caption, const QString &emptyLibraryMessage = QString(),
               const MotherAccountList &mothers = MotherAccountList());
    // Asked before converting without a chosen mother account; false stays.
    virtual bool confirmWithoutMother();
    void editModeChanged(bool on) override;
    void loadSelectedLayout() override;
    void refreshFieldPreviews() override;
    void beginInsert() override;
    void beginEdit() override;
    QString storedTitle(bool insert, const QString &typed) const override;
    QString saveStatement(bool insert, const QString &title, const QString &oldTitle) override;
    // Column 3 of the field rows for the first preview line of a delimited
    // layout: by default the tokens in field order.
    virtual QStringList delimitedPreview(QString line, QChar delimiter) const;

private:
    void loadDelimitedLayout(DataForm form);
    void setDataForm(DataForm form);
    LayoutValues m_checked;
};
