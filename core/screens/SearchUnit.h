#pragma once
// "검 색": finds a text in the rows of a list screen's grid and moves the
// grid's current row to the first or next match; the list's pop-up item
// "내용 검색" that opens it.

#include "core/screens/ScreenForm.h"
#include <QDialog>

class QAction;
class QLineEdit;
class TDDButton;
class TKitComboBox;
class TListGrid;

class Tqv_search_frm : public ScreenDialog
{
    Q_OBJECT
public:
    explicit Tqv_search_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TKitComboBox *cmb_search = nullptr;
    QLineEdit *edt_search = nullptr;
    TDDButton *btn_searchfirst = nullptr;   // tag 0
    TDDButton *btn_FindNext = nullptr;      // tag 1
    TDDButton *btn_close = nullptr;

    // Binds the dialog to the grid and lists its columns.
    void SetGrid(TListGrid *grid);
    // One handler for both buttons; tag 0 searches from the first data row,
    // tag 1 from the row after the current one.
    void SearchClick(int tag);
    void FormActivate();

protected:
    void showEvent(QShowEvent *e) override;

private:
    TListGrid *m_grid = nullptr;
};

// "내용 검색": the find dialog bound to the list, or the message when it is empty.
void OpenFindDialog(const ScreenContext &context, QWidget *owner, TListGrid *grid);
// The list's pop-up item "내용 검색" (component name `name`, handler
// name + "Click"): the find dialog over the list, or the message when the
// list is empty.
QAction *AddFindAction(const ScreenContext &context, QWidget *owner, TListGrid *grid, const char *name = "N1");
