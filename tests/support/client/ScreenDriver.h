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

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

class QLineEdit;
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
// Focus, the old text deleted, then the text typed key by key (Korean
// characters committed through the input method).
bool TypeText(QLineEdit *edit, const QString &text);
// A click (or double click) at the visual rectangle of a grid cell, scrolled
// into view first. Rows count from the title row 0.
bool ClickGridCell(TListGrid *grid, int col, int row, bool doubleClick = false);
// A menu item of the main window by component name; fails when missing or
// disabled. True when it was triggered.
bool TriggerMenuItem(Tqv_frm *main, const QString &name);
