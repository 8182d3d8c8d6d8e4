#pragma once
// Small building blocks of the liquor-trade screens: amount and count fields
// with their captions, the payee picker's
// list, the account field's check, the progress panel of a sending.

#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QWidget;
class Session;
class TCurrencyEdit;
class TKitComboBox;
class TKitSimplePanel;
class TListGrid;
namespace qvx {
class ResultSet;
}

// A panel docked at the top with its caption (" ◎ ...") on its first line;
// its fields go below y = 26.
TKitSimplePanel *EntryPanel(QWidget *form, const char *name, const QString &caption, int height);
// A caption and a whole-won amount field (",0.;-\,0.", no decimals) after it.
TCurrencyEdit *LabeledAmount(QWidget *parent, const char *name, const QString &caption, int x, int y,
                             int fieldWidth = 120);
// The same for a count ("0").
TCurrencyEdit *LabeledCount(QWidget *parent, const char *name, const QString &caption, int x, int y);
// A panel that only shows: disabled, its captions keep their colour.
void ShowOnlyPanel(TKitSimplePanel *panel);

// Selects the first item whose code (characters 2-3) is bankId; unchanged when none.
bool SelectItemByCode(TKitComboBox *combo, const QString &bankId);

// The name field while a payee of the combo is chosen: disabled in the
// button-face colour; otherwise enabled and white.
void SetNameFieldTaken(QLineEdit *field, bool taken);
// The picker's list from a daesang select: name, bank code, hyphenated
// account, real-name number; row 1 current.
void FillPayeePicker(TListGrid *list, const qvx::ResultSet &payees);
// Leaving an account field: a valid account for the bank is hyphenated,
// otherwise the account message is shown and the text stays. An empty field
// is no account to check. True when the account fits.
bool FormatAccountField(QLineEdit *field, const QString &bankId);
// The message when the bank's check code cannot be made from a row.
QString CheckCodeRefusedMessage();

// "pnl_gauge" over the list (hidden): the gauge, total, done and error counts
// and the status text of a sending.
struct SendProgressPanel
{
    TKitSimplePanel *panel = nullptr;
    QProgressBar *gauge = nullptr;
    TCurrencyEdit *total = nullptr;   // curredt_tgun
    TCurrencyEdit *done = nullptr;    // curredt_gun
    TCurrencyEdit *errors = nullptr;  // curredt_errgun
    QLabel *message = nullptr;        // lbl_message
};
SendProgressPanel MakeSendProgressPanel(QWidget *form);
