#include "platform/TextFile.h"

#include "platform/Cp949.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qvx {

bool TextFile::writeBytes(const QString &fileName, const QByteArray &bytes, QString *error)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = writeFailure(fileName, file.error());
        return false;
    }
    return true;
}

QString TextFile::writeFailure(const QString &fileName, QFileDevice::FileError error)
{
    const QFileInfo target(fileName);
    if (target.isDir())
        return QStringLiteral("같은 이름의 폴더가 있습니다.");
    if (!QFileInfo(target.absolutePath()).isDir())
        return QStringLiteral("저장할 폴더를 만들 수 없습니다: ") + QDir::toNativeSeparators(target.absolutePath());
    switch (error) {
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return QStringLiteral("파일을 쓰는 중 오류가 발생하였습니다. 디스크의 빈 공간을 확인하십시오.");
    case QFileDevice::RenameError:
    case QFileDevice::RemoveError:
        return QStringLiteral("기존 파일을 바꿀 수 없습니다. 다른 프로그램이 파일을 사용하고 있는지 확인하십시오.");
    default:
        return QStringLiteral("파일을 만들 수 없습니다. 쓰기 권한이 있는 폴더인지 확인하십시오.");
    }
}

bool TextFile::writeLines(const QString &fileName, const QStringList &lines, QString *error)
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
    return writeBytes(fileName, bytes, error);
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
