#pragma once
// The core dialogs' few uses of the control kit in one place: making the
// form's panels, buttons, check boxes and radio buttons with the look the
// forms give them, and reading or setting their state.

#include <QString>
#include <functional>

class QAbstractItemView;
class QLineEdit;
class QTextEdit;
class QWidget;
class TDDButton;
class TKitSimplePanel;
class TKitCheckBox;
class TKitRadioButton;

TKitSimplePanel *MakePanel(QWidget *parent, const char *name);
// A form button: gradient colours of the forms, pressed look on mouse down/up.
TDDButton *MakeButton(QWidget *parent, const char *name, const QString &caption, int x, int y, int w, int h);
TKitCheckBox *MakeCheck(QWidget *parent, const char *name, const QString &caption, int x, int y, int w);
TKitRadioButton *MakeRadio(QWidget *parent, const char *name, const QString &caption, int x, int y, int w);

void OnButtonClick(TDDButton *button, std::function<void()> handler);
void SetButtonEnabled(TDDButton *button, bool enabled);
bool ButtonEnabled(const TDDButton *button);
void SetButtonCaption(TDDButton *button, const QString &caption);
void FocusButton(TDDButton *button);

bool Checked(const TKitCheckBox *box);
void SetChecked(TKitCheckBox *box, bool checked);
bool Checked(const TKitRadioButton *radio);
void SetChecked(TKitRadioButton *radio, bool checked);

// Enter pressed on a control (check boxes, radio buttons).
void OnEnterKey(QWidget *control, std::function<void()> handler);
// Letters typed into the edit become capitals.
void SetUpperCaseInput(QLineEdit *edit);
// The edit takes no more than maxBytes bytes of CP949 text: typing or pasting
// beyond is refused, so what is entered always fits its fixed-width field.
void LimitInputBytes(QLineEdit *edit, int maxBytes);
// A control shown in a disabled panel (totals, counters) is drawn in its
// normal colours: it takes no input, but its value stays readable.
void KeepReadableWhenDisabled(QWidget *control);
// A password field: what is typed shows as '*'.
void SetPasswordInput(QLineEdit *edit);

// Korean glyphs fill the whole height of the program's font, so lines set one
// font height apart touch each other. A list or a preview box of Korean lines
// leaves this many pixels between them.
constexpr int KoreanLineGap = 4;
// Every row of the list is a font height plus the gap tall.
void GiveLinesRoom(QAbstractItemView *list);
// The text's lines, a font height plus the gap apart (a plain text edit
// cannot space its lines, so previews of Korean lines are text edits).
void SetSpacedPlainText(QTextEdit *box, const QString &text);
// The distance from one line to the next in such a list or box.
int SpacedLinePitch(const QWidget *box);
