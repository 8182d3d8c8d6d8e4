#pragma once
// Parts of the list screens' forms beyond ScreenParts.h: the field makers,
// the status bar of a child form, hooks for the first show and for each
// activation, and the wait cursor.
//
//   edt_name = MakeEdit(top, "edt_sendname", 324, 64, 160);
//   cmb_bank = MakeCombo(top, "cmb_allbank", 70, 8, 330);
//   edt_from = MakeCurrencyEdit(top, "edt_seqnoS", 70, 64, 90, "0");
//   StatusBar1 = MakeStatusBar(this);
//   OnFirstShow(this, [this] { m_accounts->Load(server); });
//   { WaitCursor wait; FillList(...); }   // the arrow comes back however the block ends

#include <QString>
#include <functional>

class QLineEdit;
class QStatusBar;
class QWidget;
class TCurrencyEdit;
class TKitComboBox;

// A line edit at x, y (height 22).
QLineEdit *MakeEdit(QWidget *parent, const char *name, int x, int y, int width);
// A drop-down list (no typing) at x, y (height 22).
TKitComboBox *MakeCombo(QWidget *parent, const char *name, int x, int y, int width);
// A number field at x, y (height 22) with its display format ("0" for
// numbers without groups, ",0" for amounts).
TCurrencyEdit *MakeCurrencyEdit(QWidget *parent, const char *name, int x, int y, int width,
                                const QString &displayFormat = QStringLiteral("0"));

// The status bar "StatusBar1" docked at the bottom of a child form, one panel.
QStatusBar *MakeStatusBar(QWidget *form);

// `action` runs once, the first time the form is shown.
void OnFirstShow(QWidget *form, std::function<void()> action);
// `action` runs each time the form becomes the active window or the active
// child window of the main window.
void OnActivate(QWidget *form, std::function<void()> action);

// The wait cursor while the object lives; restored also when the block
// ends by an exception.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
