#pragma once
// The file side of a temporary save of an entry list: choosing the file in
// the data folder, writing it and reading it back, with the messages the
// user sees on the way. What a line holds is up to the screen.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <optional>

#include "platform/Prompt.h"

class QWidget;

// Asks where to write a temporary save (data folder, proposing this name).
// Empty when the user cancels.
QString ChooseTempSaveFile(QWidget *screen, const QString &proposed);

// Writes the bytes to path (its folder made first), readable by the owner
// alone, and tells the user where they went or why not. True when written.
bool WriteTempSaveFile(const QString &path, const QByteArray &bytes);

// A temporary save read back: its file and its lines.
struct TempSaveFile
{
    QString fileName;
    QList<QByteArray> lines;
};
// Asks for a temporary save to reload in the data folder (the first filter
// the saves, `caption` matching `pattern`, then text files and all files; the
// name field proposing `pattern`) and reads its lines. Nothing when the user
// cancels, and, after telling the user, when no readable file was chosen.
std::optional<TempSaveFile> ReadTempSaveFile(QWidget *screen, const QString &caption, const QString &pattern);

// The bytes of a temporary save: one line a row, each ended by CR LF, all
// built before anything is written. encode(row) gives an encoded line with
// ok() and line; the first row that gives none refuses the whole save with
// refusal(list row from 1, encoded line) and leaves *bytes untouched.
template <typename Row, typename Encode, typename Refusal>
bool TempSaveBytes(const QVector<Row> &rows, Encode encode, Refusal refusal, QByteArray *bytes)
{
    QByteArray out;
    for (int i = 0; i < rows.size(); ++i) {
        const auto line = encode(rows[i]);
        if (!line.ok()) {
            qvx::Prompt::instance().message(refusal(i + 1, line));
            return false;
        }
        out += line.line;
        out += "\r\n";
    }
    *bytes = out;
    return true;
}
