#pragma once
// The day's log: log/log<yyyymmdd>.txt in the program folder, CP949, CR LF.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <limits>

// Appends "[yyyy-mm-dd hh:nn:ss <user id in 6 bytes>] text" to today's log.
// Never throws: the log folder is created when missing and a failed write is
// reported on standard error, so logging never stops the action being logged.
class Session;
void WriteLog(const Session &session, const QString &text);

// The program's log folder: the day's logs and the conversion's error list.
QString DayLogFolder();
// Full name of today's log file.
QString DayLogFileName();

// Appends one line as it stands (CR LF added) to today's log file, with the
// same folder creation and failure handling as WriteLog. For writers that
// format their own lines in the same file. Returns false when it failed.
bool AppendDayLogLine(const QString &line);

// The user-id field of a log line: CP949 bytes cut or padded on the right to
// 6 bytes, never splitting a double-byte character.
QString LogUserField(const QString &userId);

// The present moment as text in one format, made again only when the clock
// has moved to another second: a run that stamps each of many lines does not
// turn the time into local time for every one.
class SecondStamp
{
public:
    explicit SecondStamp(QString format) : m_format(std::move(format)) {}
    const QString &text();

private:
    QString m_format;
    qint64 m_second = std::numeric_limits<qint64>::min();
    QString m_text;
};

// The day's log of a run that writes many lines (a conversion logs every
// refused line): the file of the day the run started, opened at the first
// write and kept open, its lines gathered in CP949 as they come and written
// in blocks, in the order they came. flush() writes what is gathered, and so
// does the destructor, so a run that ends in an error loses none of its
// lines. As with WriteLog, nothing here throws: a failed write is reported on
// standard error, the lines it held are dropped, and the next flush opens the
// file again.
class DayLogBatch
{
public:
    DayLogBatch();
    ~DayLogBatch();
    Q_DISABLE_COPY(DayLogBatch)

    // As AppendDayLogLine.
    void append(const QString &line);
    // As append, the line's CP949 bytes written by make(QByteArray &gathered)
    // straight after the lines gathered so far, not made apart first.
    template <typename Make>
    void appendMade(Make &&make)
    {
        make(m_pending);
        endLine();
    }
    // As WriteLog.
    void write(const Session &session, const QString &text);
    // Writes the gathered lines; false when they could not be written.
    bool flush();

    const QString &fileName() const { return m_fileName; }

private:
    void endLine();

    QString m_fileName;
    QFile m_file;
    QByteArray m_pending; // lines in CP949 with their CR LF, not yet written
    SecondStamp m_stamp{QStringLiteral("yyyy-MM-dd hh:mm:ss")};
    QString m_userId;    // whose field m_userField is
    QString m_userField; // LogUserField(m_userId), null until the first write
};
