#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>
#include <QStringList>

namespace qvx {

// Text files as the program writes and reads them: CP949 on disk, CR LF line
// ends. A write goes to a file beside the final name and is renamed into place,
// so a failed write never leaves a half file.
struct TextFile
{
    // Who may read a file written: as the system's defaults give it, or the
    // owner alone (files that hold account passwords).
    enum class Access { Default, OwnerOnly };

    // Fails, writing nothing, when a line holds a character CP949 cannot hold;
    // *error names the line (counted from 1) and the character.
    static bool writeLines(const QString &fileName, const QStringList &lines, QString *error = nullptr,
                           Access access = Access::Default);
    // The same, a character CP949 cannot hold written as '?': for lines that
    // say what a file held (an error list), which must not be lost for one
    // character.
    static bool writeLinesReplacing(const QString &fileName, const QStringList &lines, QString *error = nullptr);
    // *error says in Korean why the file could not be written (writeFailure).
    static bool writeBytes(const QString &fileName, const QByteArray &bytes, QString *error = nullptr,
                           Access access = Access::Default);
    // Why fileName could not be written, in the user's language: the folder
    // that cannot be made, a folder of that name, a full disk, a file another
    // program holds, or no right to write there (the system's own texts are
    // English).
    static QString writeFailure(const QString &fileName, QFileDevice::FileError error);
    // Lines without their line ends; LF alone and CR alone also end a line. *ok is false
    // when the file cannot be read or holds bytes that are no CP949.
    static QStringList readLines(const QString &fileName, bool *ok = nullptr);
    // The raw CP949 lines, for readers that count bytes.
    static QList<QByteArray> readByteLines(const QString &fileName, bool *ok = nullptr);

    // The raw lines of a file that is to hold at most maxLines of them. A
    // longer file is refused before it is split (its lines counted first),
    // so that a file of line ends alone cannot make the reader hold tens of
    // bytes for each of its bytes; so is one that does not fit in memory.
    enum class Read { Read, Unreadable, Refused };
    static Read readByteLines(const QString &fileName, qsizetype maxLines, QList<QByteArray> *lines,
                              QString *refusal = nullptr);
    // The same for a file read as CP949 text whatever it was written in: a
    // file that is no text is refused (notTextMessage), a UTF-8 one has its
    // lines in CP949 and is refused when a character cannot be so written,
    // so that byte positions count CP949 bytes.
    static Read readCp949Lines(const QString &fileName, qsizetype maxLines, QList<QByteArray> *lines,
                               QString *refusal = nullptr);
    // The refusal of a file that is no text in an encoding the program reads.
    static QString notTextMessage();
    // How many lines the bytes hold as the readers split them; counting
    // stops once past `stopAfter`.
    static qsizetype lineCount(QByteArrayView bytes, qsizetype stopAfter);
    // The refusal of a file of more than maxLines lines, and of one that does
    // not fit in memory.
    static QString tooManyLinesMessage(qsizetype maxLines);
    static QString outOfMemoryMessage();
};

// Where the line that starts at `from` in text[0..size) ends (its last
// character + 1) and, in *next, where the following line starts. CR LF, LF and
// a bare CR each end a line, as files come from every kind of system.
template <typename Char>
qsizetype LineEndAt(const Char *text, qsizetype size, qsizetype from, qsizetype *next)
{
    for (qsizetype i = from; i < size; ++i) {
        if (text[i] == Char('\n')) {
            *next = i + 1;
            return i;
        }
        if (text[i] == Char('\r')) {
            *next = i + 1 < size && text[i + 1] == Char('\n') ? i + 2 : i + 1;
            return i;
        }
    }
    *next = size;
    return size;
}

} // namespace qvx
