#pragma once
// What the reference-data screens share: the admin-only edit buttons, storing a
// change as "commit", the statement, "commit", and their questions and
// messages (the rows behind the list are in ReferenceRows.h).

#include "core/screens/ScreenContext.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

class QLineEdit;
class QWidget;
class Session;
class TDDButton;
class TKitSimplePanel;
class TListGrid;

// The add / modify / save / cancel cycle of a reference-data screen: the
// screen's edit-mode field (0 none, 1 adding, 2 modifying) and its four
// buttons move together. Only administrators (authority code "3") change
// reference data: for everyone else all four buttons stay disabled.
//   ReferenceEditMode edit{session, BankCodeEditMode, {&btn_add, &btn_modify, &btn_save, &btn_cancel}};
class ReferenceEditMode
{
public:
    enum Mode { None = 0, Adding = 1, Modifying = 2 };

    // Where the screen keeps its four buttons (read when they are shown, so
    // the screen may make them later).
    struct Buttons
    {
        TDDButton *const *add, *const *modify, *const *save, *const *cancel;
    };

    ReferenceEditMode(const Session &session, int &mode, Buttons buttons)
        : m_session(session), m_mode(mode), m_buttons(buttons)
    {
    }

    // No edit: Add and Modify open, Save and Cancel closed.
    void idle();
    // An edit in that mode: Save and Cancel open, Add and Modify closed.
    void begin(Mode mode);
    // Every button closed (offline, or before the screen has its data).
    void lock();
    // The buttons as given, the mode left alone.
    void showButtons(bool addModify, bool saveCancel);

    int mode() const { return m_mode; }
    // An edit is open that this user can save: the list's cursor leaves it alone.
    bool saving() const;

private:
    const Session &m_session;
    int &m_mode;
    Buttons m_buttons;
};

// "commit", the statement, "commit"; a failure rolls back, logs the statement
// and returns false.
bool StoreReferenceChange(const ScreenContext &context, const QString &sql);

// A change of one stored row: "commit", `sql` + `where`, "commit", sent only
// when `table` holds a row matching `where` (" where ..."). False when the row
// is not there or the server refused; nothing is changed for a missing row.
bool StoreReferenceUpdate(const ScreenContext &context, const QString &table, const QString &where, const QString &sql);

// The search bar "pnl_search" (40 high) under its caption band " ◎ 검  색",
// both at the top of the form.
TKitSimplePanel *MakeReferenceSearchBar(QWidget *form);

// True when the field is empty: the message is shown and the caret put in
// the field.
bool RefuseEmpty(QLineEdit *field, const QString &message);

// Asks "<codeLabel> : <code>\r<textLabel> : <text>\r\r등록하시겠습니까"; true
// when the user agrees to store the entry.
bool ConfirmReferenceEntry(const QString &codeLabel, const QString &code, const QString &textLabel,
                           const QString &text);

// Tells whether a change was stored ("정상적으로 처리되었습니다.") or not.
void TellReferenceStored(bool ok);

