#include "core/DayLog.h"

#include "core/Session.h"
#include "core/RelayFrames.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

void reportFailure(const QString &fileName, const QString &why)
{
    std::fprintf(stderr, "WriteLog: cannot write %s: %s\n", qPrintable(fileName), qPrintable(why));
}

bool appendBytes(const QByteArray &line)
{
    const QString fileName = DayLogFileName();
    const QString dir = QFileInfo(fileName).absolutePath();
    if (!QDir().mkpath(dir)) {
        reportFailure(fileName, QStringLiteral("cannot create the folder"));
        return false;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        reportFailure(fileName, file.errorString());
        return false;
    }
    const qint64 written = file.write(line + "\r\n");
    file.close();
    if (written != line.size() + 2 || file.error() != QFileDevice::NoError) {
        reportFailure(fileName, file.errorString());
        return false;
    }
    return true;
}

} // namespace

QString DayLogFileName()
{
    return qvx::ProgramDir::path(QStringLiteral("log")) + QStringLiteral("/log")
           + qvx::Clock::today(QStringLiteral("yyyyMMdd")) + QStringLiteral(".txt");
}

QString LogUserField(const QString &userId)
{
    // Counted in bytes, handed back as text: the line is written as CP949 again.
    return qvx::Cp949::decode(Cp949FixedField(userId, 6));
}

void WriteLog(const Session &session, const QString &text)
{
    const QString line = QStringLiteral("[") + qvx::Clock::nowText(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                         + QLatin1Char(' ') + LogUserField(session.LoginUserId) + QStringLiteral("] ") + text;
    appendBytes(qvx::Cp949::encode(line));
}

bool AppendDayLogLine(const QString &line)
{
    return appendBytes(qvx::Cp949::encode(line));
}
