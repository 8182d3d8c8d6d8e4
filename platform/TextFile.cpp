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
            *error = file.errorString();
        return false;
    }
    return true;
}

namespace {

// The first character of `text` that CP949 cannot hold (a surrogate pair
// counts as one); empty when there is none.
QString firstUnencodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, length);
        bool ok = true;
        Cp949::encode(ch, &ok);
        if (!ok)
            return ch;
        i += length - 1;
    }
    return QString();
}

} // namespace

bool TextFile::writeLines(const QString &fileName, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool ok = true;
        bytes += Cp949::encode(lines.at(i), &ok);
        if (!ok) {
            // A "?" in place of the character would go unnoticed into the file.
            if (error)
                *error = QStringLiteral("%1번째 줄의 문자 \"%2\"(U+%3)는 CP949로 저장할 수 없습니다.")
                             .arg(i + 1)
                             .arg(firstUnencodable(lines.at(i)))
                             .arg(QString::number(firstUnencodable(lines.at(i)).toUcs4().value(0), 16).toUpper(), 4,
                                  QLatin1Char('0'));
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
