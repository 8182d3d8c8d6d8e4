#include "core/DayLog.h"

#include "core/Session.h"
#include "core/RelayFrames.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/ProgramDir.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

// Bytes of lines a batch gathers before it writes them.
constexpr qsizetype BatchBytes = 256 * 1024;

void reportFailure(const QString &fileName, const QString &why)
{
    std::fprintf(stderr, "WriteLog: cannot write %s: %s\n", qPrintable(fileName), qPrintable(why));
}

// Opens the log file for appending, its folder made when missing; reports
// and returns false when it cannot.
bool openForAppend(QFile &file)
{
    const QString dir = QFileInfo(file.fileName()).absolutePath();
    if (!QDir().mkpath(dir)) {
        reportFailure(file.fileName(), QStringLiteral("cannot create the folder"));
        return false;
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        reportFailure(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

// Writes all of bytes to an open file; reports and returns false when it cannot.
bool writeAll(QFile &file, const QByteArray &bytes)
{
    const qint64 written = file.write(bytes);
    if (written != bytes.size() || file.error() != QFileDevice::NoError) {
        reportFailure(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

bool appendBytes(const QByteArray &line)
{
    QFile file(DayLogFileName());
    if (!openForAppend(file))
        return false;
    return writeAll(file, line + "\r\n");
}

QString logLine(const Session &session, const QString &stamp, const QString &text)
{
    return QStringLiteral("[") + stamp + QLatin1Char(' ') + LogUserField(session.LoginUserId) + QStringLiteral("] ")
           + text;
}

} // namespace

QString DayLogFolder() { return qvx::ProgramDir::path(QStringLiteral("log")); }

QString DayLogFileName()
{
    return DayLogFolder() + QStringLiteral("/log")
           + qvx::Clock::today(QStringLiteral("yyyyMMdd")) + QStringLiteral(".txt");
}

QString LogUserField(const QString &userId)
{
    // Counted in bytes, handed back as text: the line is written as CP949 again.
    return qvx::Cp949::decode(Cp949FixedField(userId, 6));
}

void WriteLog(const Session &session, const QString &text)
{
    appendBytes(qvx::Cp949::encode(logLine(session, qvx::Clock::nowText(QStringLiteral("yyyy-MM-dd hh:mm:ss")), text)));
}

bool AppendDayLogLine(const QString &line)
{
    return appendBytes(qvx::Cp949::encode(line));
}

const QString &SecondStamp::text()
{
    const qint64 ms = qvx::Clock::nowMsecs();
    const qint64 second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    if (second != m_second) {
        m_second = second;
        m_text = QDateTime::fromMSecsSinceEpoch(second * 1000).toString(m_format);
    }
    return m_text;
}

DayLogBatch::DayLogBatch() : m_fileName(DayLogFileName()), m_file(m_fileName)
{
}

DayLogBatch::~DayLogBatch()
{
    flush();
}

void DayLogBatch::append(const QString &line)
{
    qvx::Cp949::append(m_pending, line);
    endLine();
}

void DayLogBatch::endLine()
{
    m_pending.append("\r\n", 2);
    if (m_pending.size() >= BatchBytes)
        flush();
}

void DayLogBatch::write(const Session &session, const QString &text)
{
    // logLine's pieces written straight into the block, the user's field
    // made again only for another user.
    if (m_userField.isNull() || session.LoginUserId != m_userId) {
        m_userId = session.LoginUserId;
        m_userField = LogUserField(m_userId);
    }
    const QString &stamp = m_stamp.text();
    const qsizetype at = m_pending.size();
    m_pending.resize(at + 2 * (stamp.size() + m_userField.size() + text.size()) + 4);
    char *const begin = m_pending.data();
    char *to = begin + at;
    *to++ = '[';
    to = qvx::Cp949::write(to, stamp);
    *to++ = ' ';
    to = qvx::Cp949::write(to, m_userField);
    *to++ = ']';
    *to++ = ' ';
    to = qvx::Cp949::write(to, text);
    m_pending.truncate(to - begin);
    endLine();
}

bool DayLogBatch::flush()
{
    if (m_pending.isEmpty())
        return true;
    bool ok = m_file.isOpen() || openForAppend(m_file);
    if (ok)
        ok = writeAll(m_file, m_pending);
    if (!ok)
        m_file.close(); // tried afresh at the next flush
    m_pending.resize(0); // the room is kept for the next block
    return ok;
}
