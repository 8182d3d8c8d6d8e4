#pragma once
// A small read-only window that shows a text file the program wrote (CP949,
// CR LF lines), so that the user can read it whatever the desktop would open
// it with.

#include <QDialog>

class QPlainTextEdit;

class TTextFileViewer : public QDialog
{
public:
    // Reads the file at once; the window title names it.
    TTextFileViewer(const QString &path, QWidget *owner = nullptr);

    QPlainTextEdit *memo_text = nullptr;
};

// Shows the file in a viewer of its own (not modal, freed when closed).
TTextFileViewer *ShowTextFile(const QString &path, QWidget *owner = nullptr);
