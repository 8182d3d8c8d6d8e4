#include "platform/TextFile.h"

#include "platform/Cp949.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qvx {

bool TextFile::writeBytes(const QString &fileName, const QByteArray &bytes, QString *error, Access access)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile file(fileName);
    // The file beside the final name is restricted before anything is written
    // into it, so the contents are never readable by others, not even briefly.
    const bool opened = file.open(QIODevice::WriteOnly)
                        && (access == Access::Default
                            || file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    if (!opened || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool TextFile::writeLines(const QString &fileName, const QStringList &lines, QString *error, Access access)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool ok = true;
        bytes += Cp949::encode(lines.at(i), &ok);
        if (!ok) {
            // A "?" in place of the character would go unnoticed into the file.
            if (error)
                *error = QStringLiteral("%1번째 줄의 문자 %2는 CP949로 저장할 수 없습니다.")
                             .arg(i + 1)
                             .arg(Cp949::characterName(Cp949::firstUnencodable(lines.at(i))));
            return false;
        }
        bytes += "\r\n";
    }
    return writeBytes(fileName, bytes, error, access);
}

QList<QByteArray> TextFile::readByteLines(const QString &fileName, bool *ok)
{
    QList<QByteArray> out;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return out;
    }
    const QByteArray all = file.readAll();
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype next = 0;
        const qsizetype end = LineEndAt(all.constData(), all.size(), start, &next);
        out << all.mid(start, end - start);
        start = next;
    }
    if (ok)
        *ok = true;
    return out;
}

QStringList TextFile::readLines(const QString &fileName, bool *ok)
{
    bool readOk = false;
    const QList<QByteArray> raw = readByteLines(fileName, &readOk);
    QStringList out;
    bool allOk = readOk;
    for (const QByteArray &line : raw) {
        bool lineOk = true;
        out << Cp949::decode(line, &lineOk);
        allOk = allOk && lineOk;
    }
    if (ok)
        *ok = allOk;
    return out;
}

} // namespace qvx
