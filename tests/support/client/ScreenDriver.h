#pragma once
// Driving a screen as a person would: controls found by their component
// names, clicks and keys through QTest. Each helper fails the test where a
// person would be stuck (a missing, hidden or disabled control) instead of
// acting anyway.
//
//   auto *search = FindControl<TDDButton>(screen, "btn_search");
//   ClickControl(search);
//   TypeText(FindControl<QLineEdit>(screen, "edt_errcode"), "E01");
//   ClickGridCell(FindControl<TListGrid>(screen, "grd_error"), 0, 2);

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QDateEdit;
class QLineEdit;
class TKitComboBox;
class TListGrid;
class Tqv_frm;

// The child of that component name (without regard to case); the test fails
// when there is none.
QWidget *FindControlWidget(QWidget *root, const QString &name);
template <class T>
T *FindControl(QWidget *root, const QString &name)
{
    QWidget *w = FindControlWidget(root, name);
    T *typed = qobject_cast<T *>(w);
    if (w && !typed)
        ADD_FAILURE_AT(__FILE__, __LINE__) << "control " << qPrintable(name) << " is a "
                                           << w->metaObject()->className();
    return typed;
}

// True when a person could reach the control: shown and enabled.
bool Usable(const QWidget *control);

// A left click at the control's centre; fails (and does not click) when the
// control is missing, hidden or disabled. True when it clicked.
bool ClickControl(QWidget *control);
// Enter pressed where the focus is, as a person presses it; a button that
// takes it is released (its click has run) before this returns. Gives the
// widget that had the focus (null, with a failure, when none had).
QWidget *PressEnter();
// Focus, the old text deleted, then the text typed key by key (Korean
// characters committed through the input method).
bool TypeText(QLineEdit *edit, const QString &text);
// A click (or double click) at the visual rectangle of a grid cell, scrolled
// into view first. Rows count from the title row 0.
bool ClickGridCell(TListGrid *grid, int col, int row, bool doubleClick = false);
// A menu item of the main window by component name; fails when missing or
// disabled. True when it was triggered.
bool TriggerMenuItem(Tqv_frm *main, const QString &name);

// Ticks (or clears) the check box of a grid cell by clicking its box, as a
// person does; fails when the cell has no box or the click did not change it.
bool TickGridCheckBox(TListGrid *grid, int col, int row);
// Types the date into the picker with the keyboard, section by section.
bool TypeDate(QDateEdit *picker, const QDate &date);

// Chooses item `index` of a drop-down list with the keyboard (Home, then
// Down); fails when the list is hidden or disabled or the item is not there.
bool Pick(TKitComboBox *combo, int index);
// The first item whose text contains `part`; fails (and gives -1) when none does.
int ItemWith(TKitComboBox *combo, const QString &part);

// How tall the font draws Korean text, from its highest to its lowest inked
// pixel: lines of Korean text set closer than this plus a gap touch.
int KoreanGlyphHeight(const QFont &font);

// What the widget shows, saved as <name>.png among the tests' pictures.
void SavePicture(QWidget *w, const char *name);

// Runs `act` on the next modal dialog of type T once it is shown; other
// modal windows (the one that opens it) are left alone. Call it before the
// action that opens the dialog (that action blocks until it closes).
template <typename T>
void OnModal(std::function<void(T *)> act, int timeoutMs = 60000)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [timer, act, timeoutMs, weak = std::weak_ptr<std::function<void()>>(poll)] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            if (dialog->isVisible()) {
                act(dialog);
                return;
            }
        }
        // No dialog within the time: the test's own checks tell what went wrong.
        if (timer->elapsed() > timeoutMs)
            return;
        if (auto self = weak.lock())
            QTimer::singleShot(10, [self] { (*self)(); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}
// The same for whichever modal dialog comes next.
inline void OnNextModal(std::function<void(QDialog *)> act, int timeoutMs = 10000)
{
    OnModal<QDialog>(std::move(act), timeoutMs);
}
// Clicks a button of the dialog by its component name (the dialog is
// rejected when the button cannot be clicked, so the test does not hang).
void ClickIn(QDialog *dialog, const char *button);
