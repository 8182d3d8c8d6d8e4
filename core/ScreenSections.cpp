#include "core/ScreenSections.h"

#include "platform/Cp949.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"

#include <QFile>

static void initDefaultsResource()
{
    Q_INIT_RESOURCE(client_defaults);
}

namespace {

QString defaultsText()
{
    initDefaultsResource();
    QFile file(QStringLiteral(":/client/config.ini.in"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

QList<ScreenSection> DefaultScreenSections()
{
    QList<ScreenSection> out;
    bool inScreen = false;
    for (const QString &raw : defaultsText().split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            inScreen = name.startsWith(QLatin1String("QV_"), Qt::CaseInsensitive);
            if (inScreen)
                out.append({name, {}});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inScreen && eq > 0)
            out.last().keys.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return out;
}

bool WriteMissingScreenSections(const QString &configFile, QString *error)
{
    if (!QFile::exists(configFile))
        return true; // a program folder without settings is told so where they are read
    const qvx::IniFile ini(configFile);
    QString added;
    for (const ScreenSection &section : DefaultScreenSections()) {
        if (ini.sectionExists(section.name))
            continue;
        added += QLatin1Char('[') + section.name + QStringLiteral("]\r\n");
        for (const auto &[key, value] : section.keys)
            added += key + QLatin1Char('=') + value + QStringLiteral("\r\n");
    }
    if (added.isEmpty())
        return true;
    QFile file(configFile);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray bytes = file.readAll();
    file.close();
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !bytes.endsWith('\r'))
        bytes += "\r\n";
    // The whole file is written beside its name and renamed into place.
    return qvx::TextFile::writeBytes(configFile, bytes + qvx::Cp949::encode(added), error);
}
