#pragma once
// The file side of a temporary save of an entry list: choosing the file in
// the data folder, writing it and reading it back, with the messages the
// user sees on the way. What a line holds is up to the screen.

#include <QByteArray>
#include <QList>
#include <QString>

class QWidget;

// Asks where to write a temporary save (data folder, proposing this name).
// Empty when the user cancels.
QString ChooseTempSaveFile(QWidget *screen, const QString &proposed);

// Writes the bytes to path (its folder made first), readable by the owner
// alone, and tells the user where they went or why not. True when written.
bool WriteTempSaveFile(const QString &path, const QByteArray &bytes);

// Asks for a temporary save to reload (data folder, this filter, the name
// field proposing `proposed`) and reads its lines. False when the user
// cancels, and, after telling the user, when no readable file was chosen.
bool ReadTempSaveFile(QWidget *screen, const QString &filter, const QString &proposed, QString *fileName,
                      QList<QByteArray> *lines);
