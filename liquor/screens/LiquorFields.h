#pragma once
// Small building blocks of the liquor-trade screens: captioned entry panels,
// amount and count fields with their captions, a bank item chosen by code,
// the name field taken by a chosen payee.

#include <QString>

class QLineEdit;
class QWidget;
class TCurrencyEdit;
class TKitComboBox;
class TKitSimplePanel;

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
