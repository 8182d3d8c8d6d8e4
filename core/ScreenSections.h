#pragma once
// The list screens' column sections of config.ini as a fresh install has
// them ("1" + title for every column, key n for column n - 1): the same
// first settings the run command writes, kept with the client so that a
// program folder set up another way (a server registered from the login
// dialog) still offers every screen's columns in the screen settings.

#include <QList>
#include <QPair>
#include <QString>

struct ScreenSection
{
    QString name;                              // "QV_ICHEMAKE_FRM"
    QList<QPair<QString, QString>> keys;       // ("1", "1순번"), ...
};

// The default sections, in their order.
QList<ScreenSection> DefaultScreenSections();

// Appends every default section an existing file does not hold; a section
// already there is left as it is (the user's flags stay), and a missing file
// is not created. Returns false, with *error, when the file could not be
// read or written.
bool WriteMissingScreenSections(const QString &configFile, QString *error = nullptr);
