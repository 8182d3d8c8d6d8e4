#pragma once
// What the conversion layout editors share: the list of stored layouts, the
// grid of start and size per field, the preview of the chosen file under a
// ruler of byte positions, and the view and edit modes with their buttons.
// A derived form names its table, adds its own controls and says how a
// layout is stored.

#include "core/screens/ScreenForm.h"
#include "transfers/ConvertLayout.h"
#include "transfers/LayoutPreview.h"
#include "platform/ResultSet.h"

#include <QDialog>
#include <QString>

class QLabel;
class Session;
class QLineEdit;
class QListWidget;
class QTextEdit;
class TDDButton;
class TKitSimplePanel;
class TListGrid;

class TLayoutEditor : public ScreenDialog
{
    Q_OBJECT
public:
    TLayoutEditor(const ScreenContext &context, QWidget *owner, const LayoutTable &table, int rulerWidth);

    // --- controls ----------------------------------------------------------
    TKitSimplePanel *lbl_title = nullptr;
    QLineEdit *edTitle = nullptr;
    QListWidget *edTitleList = nullptr;
    TListGrid *Grid = nullptr;
    QLabel *lblRulerTens = nullptr;
    QLabel *lblRuler = nullptr;
    QTextEdit *Memo = nullptr;
    TDDButton *btnInsert = nullptr;
    TDDButton *btnEdit = nullptr;
    TDDButton *btnDelete = nullptr;
    TDDButton *btnSave = nullptr;
    TDDButton *btnCancel = nullptr;
    TDDButton *BtnOpenDlg = nullptr;
    TDDButton *btnExit = nullptr;

    QString SourceFileName;
    bool InsertMode = false;

    // The text of the title band.
    void SetTitle(const QString &text);
    QString Title() const;

    // --- handlers -------------------------------------------------------------
    void edTitleListClick();
    void BtnOpenDlgClick();
    void btnInsertClick();
    void btnEditClick();
    void btnSaveClick();
    void btnCancelClick();
    void btnDeleteClick();
    void btnExitClick();
    // A selection of the preview made with Ctrl held (characters of the
    // preview text, as the memo reports it).
    void MemoSelected(int charStart, int charLength);
    void ShowFieldPreview();

    void SetLayoutEditMode(bool on);
    // Fills the grid from the first row of a one-layout query; false when it
    // holds no row (the grid stays).
    bool LoadFixedLayout(const qvx::ResultSet &rows);

    const LayoutPreview &preview() const { return m_preview; }
    // Start and size cells of the grid, read strictly: empty text and the
    // message when a cell is no whole number.
    QString ReadGrid(LayoutValues *values) const;

protected:
    // The controls that follow the mode besides the shared ones.
    virtual void editModeChanged(bool on) { Q_UNUSED(on) }
    // The selection rule for the title selected in the list.
    virtual void loadSelectedLayout();
    // Column 3 again after the file changed.
    virtual void refreshFieldPreviews();
    // Prepares Insert / Edit beyond the shared steps.
    virtual void beginInsert() {}
    virtual void beginEdit() {}
    // The title as it is to be stored (the typed one; a form may prefix it).
    virtual QString storedTitle(bool insert, const QString &typed) const;
    // The statement that stores the layout under title. Empty: refused, a
    // message was shown.
    virtual QString saveStatement(bool insert, const QString &title, const QString &oldTitle);
    // After a successful save, once the first layout is loaded again.
    virtual void afterSave() {}
    // The save's first step, before anything is checked.
    virtual void saveStarting() {}
    // After Cancel left edit mode.
    virtual void afterCancel() {}
    // After a sample file was read into the preview.
    virtual void afterSampleLoaded() {}

    // emptyLibraryMessage: shown when the table holds no layout yet (empty:
    // the list stays empty without a word).
    void FormCreate(const QString &emptyLibraryMessage = QString());
    void FormActivate();
    void selectFirstTitle();
    void clearValueCells();
    // The selected list title, empty when none.
    QString selectedTitle() const;
    const LayoutTable &table() const { return m_table; }
    // Previews of every field from the cells.
    void fillPreviews();
    QList<TDDButton *> viewButtons() const;

    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    TKitSimplePanel *pnl_buttons = nullptr;
    TKitSimplePanel *pnl_body = nullptr;

private:
    // The byte ruler starts exactly above the preview's first character.
    void alignRulerWithPreview();

    const LayoutTable &m_table;
    LayoutPreview m_preview;
    bool m_editMode = false;
    bool m_activated = false;
};
