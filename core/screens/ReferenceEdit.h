#pragma once
// What the reference-data screens share: the admin-only edit buttons, storing a
// change as "commit", the statement, "commit", and appending a saved row.

#include <QString>
#include <QStringList>

class Session;
class TDDButton;
class TListGrid;

// Add/Modify and Save/Cancel of a reference-data screen. Only administrators
// (authority code "3") change reference data: for everyone else all four stay
// disabled.
struct EditButtons
{
    TDDButton *add = nullptr;
    TDDButton *modify = nullptr;
    TDDButton *save = nullptr;
    TDDButton *cancel = nullptr;
    void set(const Session &session, bool addModify, bool saveCancel) const;
};

// "commit", the statement, "commit"; a failure rolls back, logs the statement
// and returns false.
bool StoreReferenceChange(const Session &session, const QString &sql);

// Appends a row with the cells (from column 0); an empty first data row is
// used instead of a new one.
void AppendGridRow(TListGrid *grid, const QStringList &cells);
