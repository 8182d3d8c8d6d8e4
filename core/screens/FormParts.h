#pragma once
// Parts of the list screens' forms beyond ScreenParts.h: the field makers,
// the status bar of a child form, hooks for the first show and for each
// activation, the focus moving on Enter and going to a control on show, the
// tick-all radio pair, and the wait cursor.
//
//   edt_name = MakeEdit(top, "edt_sendname", 324, 64, 160);
//   cmb_bank = MakeCombo(top, "cmb_allbank", 70, 8, 330);
//   edt_from = MakeCurrencyEdit(top, "edt_seqnoS", 70, 64, 90, "0");
//   StatusBar1 = MakeStatusBar(this);
//   OnFirstShow(this, [this] { m_accounts->Load(server); });
//   { WaitCursor wait; FillList(...); }   // the arrow comes back however the block ends

#include <QColor>
#include <QRect>
#include <QString>
#include <functional>
#include <initializer_list>
#include <utility>

class QLabel;
class QLineEdit;
class QStatusBar;
class QWidget;
class Session;
class TCurrencyEdit;
class TDDButton;
class TKitComboBox;
class TKitRadioButton;
class TListGrid;

// A colour written as the forms write theirs, $BBGGRR.
inline QColor BgrColor(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// A caption at x, y (height 22).
QLabel *MakeLabel(QWidget *parent, const QString &caption, int x, int y, int width);
// A form button bound to its handler (named `name` + "Click") through the binding helper.
TDDButton *AddButton(Session &session, QWidget *parent, const char *name, const QString &caption, int x, int y,
                     int width, int height, std::function<void()> handler);

// A row of form buttons from left to right, each bound to its handler
// (named `name` + "Click"):
//   ButtonRow row(session, bottomBar);
//   btn_send = row.add("btn_send", "이체결과조회", 110, [this] { btn_sendClick(); });
class ButtonRow
{
public:
    ButtonRow(Session &session, QWidget *parent, int x = 8, int y = 9, int height = 26, int gap = 6)
        : m_session(session), m_parent(parent), m_x(x), m_y(y), m_height(height), m_gap(gap)
    {
    }
    TDDButton *add(const char *name, const QString &caption, int width, std::function<void()> handler);
    // Only placed; the screen binds its handler itself.
    TDDButton *add(const char *name, const QString &caption, int width);

    // A button of a row declared as a table: the member it fills, its
    // component name, caption, when not the row's, its width, and when it
    // does not follow the one before, where it starts.
    struct Placed
    {
        TDDButton **button;
        const char *name;
        const char *caption; // UTF-8
        int width = 0;
        int x = 0;
    };
    // Places the buttons in order, each `width` wide unless it says otherwise;
    // the screen binds their handlers itself.
    void add(std::initializer_list<Placed> buttons, int width);

private:
    Session &m_session;
    QWidget *m_parent;
    int m_x;
    int m_y;
    int m_height;
    int m_gap;
};

// A line edit at x, y (height 22).
QLineEdit *MakeEdit(QWidget *parent, const char *name, int x, int y, int width);
// A drop-down list (no typing) at x, y (height 22).
TKitComboBox *MakeCombo(QWidget *parent, const char *name, int x, int y, int width);
// A number field at x, y (height 22) with its display format ("0" for
// numbers without groups, ",0" for amounts).
TCurrencyEdit *MakeCurrencyEdit(QWidget *parent, const char *name, int x, int y, int width,
                                const QString &displayFormat = QStringLiteral("0"));
// An amount field at x, y (height 22): whole won (',' groups thousands, a
// fraction is kept for the amount rule to refuse), shown as ",0.;-\,0.".
TCurrencyEdit *MakeAmountEdit(QWidget *parent, const char *name, int x, int y, int width);

// The status bar "StatusBar1" docked at the bottom of a child form, one panel.
QStatusBar *MakeStatusBar(QWidget *form);

// `action` runs once, the first time the form is shown.
void OnFirstShow(QWidget *form, std::function<void()> action);
// `action` runs each time the user switches to the form's child window from
// another child window of the main window (and when it first becomes active).
// The main window coming back to the front with the same child active (a
// message box closed, another program left) does not run it.
void OnActivate(QWidget *form, std::function<void()> action);

// Enter in the control moves the focus to the next control in tab order and
// is swallowed; with `target` it focuses that control instead.
void EnterMovesFocus(QWidget *control, QWidget *target = nullptr);
// The same for each of the controls.
void EnterMovesFocus(std::initializer_list<QWidget *> controls);
// The control after `control` in tab order within its form (shown, enabled and
// taking the focus by Tab); nullptr when there is none.
QWidget *NextTabControl(QWidget *control);
// Whenever the form is shown the focus goes to `control`.
void FocusOnShow(QWidget *form, QWidget *control);
// Enter walks the fields in order, the last one's Enter going to `target`;
// whenever the form is shown the focus goes to the first.
void EnterWalks(QWidget *form, std::initializer_list<QWidget *> fields, QWidget *target);

// The radio pair "전체선택" / "선택해제" (rdbtn_entire, rdbtn_noselect, in a
// panel "pnl_tick" at `at`; 선택해제 chosen): ticks or clears every box of
// column `col` unless the list is empty (cell `emptyCol` of row 1).
//   std::tie(rdbtn_entire, rdbtn_noselect) = MakeTickChoice(session, top, QRect(...), grd_list, cNo);
using TickChoice = std::pair<TKitRadioButton *, TKitRadioButton *>;
TickChoice MakeTickChoice(Session &session, QWidget *parent, const QRect &at, TListGrid *grid, int col,
                          int emptyCol = 0);

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
