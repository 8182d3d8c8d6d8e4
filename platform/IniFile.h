#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace qvx {

// A settings file (config.ini, remote.ini) read and written the way Windows
// profile files behave:
//  - sections and keys are found without regard to case; the first match wins;
//  - keys and values are trimmed of surrounding blanks; a value wrapped in a
//    matching pair of quotes loses them; nothing is escaped;
//  - lines starting with ';' are comments; order, comments, unknown lines and
//    line endings survive a rewrite untouched (byte for byte);
//  - values are CP949 on disk;
//  - a missing file reads as empty; every change is written at once, beside
//    the file and renamed into place.
// Every call reads the file afresh, so several IniFile objects (or programs)
// on one file always see each other's changes.
class IniFile
{
public:
    explicit IniFile(const QString &fileName);

    QString fileName() const { return m_fileName; }
    bool exists() const;

    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    // The value read as a decimal integer; the default when the key is missing
    // or its value is no integer.
    int readInteger(const QString &section, const QString &key, int defaultValue = 0) const;

    // Returns false when the file could not be written (nothing changed then)
    // or the value holds a line break (it would break the file).
    bool writeString(const QString &section, const QString &key, const QString &value);

    QStringList sections() const;
    QStringList keys(const QString &section) const;
    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;

    // Removes the section (every copy of it) with its lines. True when written
    // or when there was nothing to remove.
    bool eraseSection(const QString &section);
    // Removes the key's line from the section. True when written or absent.
    bool deleteKey(const QString &section, const QString &key);

    // Last error text of a failed write (empty after success).
    QString errorString() const { return m_error; }

private:
    struct Line
    {
        QByteArray raw;     // the line as stored, without its line ending
        QByteArray ending;  // "\r\n", "\n", "\r" or empty (last line)
        enum Kind { Other, Section, Key } kind = Other;
        QString name;       // section or key name, trimmed
        QString value;      // key value as read (trimmed, quotes removed)
    };

    void load() const;
    bool save(const QList<Line> &lines);
    int findSection(const QString &section) const;             // index of header or -1
    int sectionEnd(int header) const;                          // index past its last line
    int findKey(int header, const QString &key) const;         // index or -1
    QByteArray newline() const;

    QString m_fileName;
    mutable QList<Line> m_lines;
    QString m_error;
};

} // namespace qvx
