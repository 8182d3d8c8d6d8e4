#pragma once
// What both transfer entry screens (general and liquor-trade) hold: the
// session and data module, the entry fields they share, the list with its
// totals, the progress panel of a send or conversion and the buttons of the
// list.

#include "core/screens/FormParts.h"
#include "core/screens/ScreenForm.h"

#include <QWidget>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QProgressBar;
class TCurrencyEdit;
class TDDButton;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;

class TEntryListForm : public ScreenForm
{
    Q_OBJECT
public:
    TEntryListForm(const ScreenContext &context, QWidget *owner);


    // --- the entry fields ----------------------------------------------------
    TKitComboBox *cmb_allbank = nullptr;      // mother accounts
    TKitComboBox *cmb_transdiv = nullptr;     // "수납" / "지급", set by the menu, disabled
    TCurrencyEdit *curredt_money = nullptr;   // 이체금액
    TKitComboBox *cmb_daesang = nullptr;      // payees
    QLineEdit *edt_sendname = nullptr;
    QLineEdit *edt_bankno = nullptr;
    TKitComboBox *cmb_transbankid = nullptr;
    QLineEdit *edt_daesanginfo = nullptr;     // the screen says which information

    // --- the list, its totals and the progress ---------------------------------
    TListGrid *grd_ichelist = nullptr;
    TKitSimplePanel *pnl_total = nullptr;
    TKitSimplePanel *pnl_gauge = nullptr;
    TCurrencyEdit *curredt_gunR = nullptr;
    TCurrencyEdit *curredt_MoneyR = nullptr;
    TCurrencyEdit *curredt_tgun = nullptr;
    TCurrencyEdit *curredt_gun = nullptr;
    TCurrencyEdit *curredt_errgun = nullptr;
    QProgressBar *Gauge1 = nullptr;
    QLabel *lbl_message = nullptr;

    // --- the list's buttons -----------------------------------------------------
    TDDButton *btn_callfile = nullptr;
    TDDButton *btn_tempsave = nullptr;
    TDDButton *btn_dataconvert = nullptr;
    TDDButton *btn_modify = nullptr;
    TDDButton *btn_delete = nullptr;
    TDDButton *btn_accept = nullptr;
    TDDButton *btn_close = nullptr;

    // The progress panel in front, its gauge at 0 of maximum.
    void ShowGauge(int maximum);
    // The progress panel hidden a moment later (unless the form is gone by then).
    void HideGaugeSoon();

    // The totals under the list, counted again from its rows.
    virtual void UpdateTotals() = 0;

    // Asked as the program ends: true when the list may go (it is empty, or
    // the user agrees to lose its rows), and the screen's own close then asks
    // no more. False while a batch goes or when the user keeps the rows.
    bool agreeToExit();
    // The program stays open after all: the next close asks again.
    void exitRefused() { m_exitAgreed = false; }

protected:
    // The bar "pnl_buttons" at the bottom (40 high) with the list's buttons
    // from left to right, 88 wide unless they say otherwise: `lead`, then
    // 불러오기, 임시저장, 자료변환, `extra`, 수 정 and 자료삭제, then the
    // screen's delete-all button, its send button (btn_accept, `sendCaption`)
    // and 닫 기. The screen binds their handlers itself.
    void makeListButtons(std::initializer_list<ButtonRow::Placed> lead, std::initializer_list<ButtonRow::Placed> extra,
                         const ButtonRow::Placed &deleteAll, const char *sendCaption);

    // Empties the list (its cells up to column lastCol) and its totals.
    void ClearEntryList(int lastCol);
    // The totals after `row` came into the list; gives the row back.
    int RowAdded(int row);

    // Whether a close may go on: never while a batch goes, and with rows in
    // the list only when the user agrees to lose them (a kept form is
    // minimised when minimiseWhenKept). The event is ignored when not; when
    // it may, the entry menus come back.
    bool closingAllowed(QCloseEvent *event, bool minimiseWhenKept);
    // The close event of an entry screen: when closingAllowed lets it go on,
    // the numbers of the batch last sent (first and last) go back to 0 and
    // the form closes.
    void closeEntryForm(QCloseEvent *event, bool minimiseWhenKept, int &seqBase, int &seqLast);

    bool m_busy = false; // a batch goes to the server

private:
    bool m_exitAgreed = false; // the user agreed to lose the rows as the program ends
};
