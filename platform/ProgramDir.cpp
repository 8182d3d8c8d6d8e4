#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QStringList>

namespace qvx {
namespace {

QMutex &lock()
{
    static QMutex m;
    return m;
}

QString &overrideValue()
{
    static QString dir;
    return dir;
}

} // namespace

QString ProgramDir::root()
{
    {
        QMutexLocker l(&lock());
        if (!overrideValue().isEmpty())
            return overrideValue();
    }
    const QString env = qEnvironmentVariable("QUVEX_HOME");
    if (!env.isEmpty())
        return QDir::cleanPath(QDir(env).absolutePath());
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString ProgramDir::path(const QString &relative)
{
    return QDir::cleanPath(root() + QLatin1Char('/') + relative);
}

void ProgramDir::setOverride(const QString &dir)
{
    QMutexLocker l(&lock());
    overrideValue() = dir.isEmpty() ? QString() : QDir::cleanPath(QDir(dir).absolutePath());
}

bool ProgramDir::applyArguments(const QStringList &arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--home") && i + 1 < arguments.size()) {
            setOverride(arguments[i + 1]);
            return true;
        }
        if (a.startsWith(QLatin1String("--home="))) {
            setOverride(a.mid(7));
            return true;
        }
    }
    return false;
}

} // namespace qvx
