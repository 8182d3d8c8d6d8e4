#include "platform/TextFile.h"

#include "platform/Cp949.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <cstring>
#include <limits>
#include <new>

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

bool TextFile::writeLinesReplacing(const QString &fileName, const QStringList &lines, QString *error)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        Cp949::append(bytes, line);
        bytes += "\r\n";
    }
    return writeBytes(fileName, bytes, error);
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

qsizetype TextFile::lineCount(QByteArrayView bytes, qsizetype stopAfter)
{
    // Every LF ends a line, and so does every CR that no LF follows; a last
    // line without its end counts too. memchr runs far ahead of a walk
    // byte by byte.
    const char *const begin = bytes.data();
    const char *const end = begin + bytes.size();
    qsizetype lines = 0;
    for (const char *p = begin; p < end && lines <= stopAfter; ++lines) {
        const void *lf = std::memchr(p, '\n', size_t(end - p));
        if (!lf)
            break;
        p = static_cast<const char *>(lf) + 1;
    }
    for (const char *p = begin; p < end && lines <= stopAfter;) {
        const void *cr = std::memchr(p, '\r', size_t(end - p));
        if (!cr)
            break;
        p = static_cast<const char *>(cr) + 1;
        if (p == end || *p != '\n')
            ++lines;
    }
    if (!bytes.isEmpty() && bytes.back() != '\n' && bytes.back() != '\r')
        ++lines;
    return std::min(lines, stopAfter + 1);
}

QString TextFile::tooManyLinesMessage(qsizetype maxLines)
{
    return QStringLiteral("파일의 줄이 너무 많아 읽을 수 없습니다 (한 번에 최대 %1줄).")
        .arg(QLocale(QLocale::Korean, QLocale::SouthKorea).toString(qlonglong(maxLines)));
}

QString TextFile::outOfMemoryMessage()
{
    return QStringLiteral("메모리가 부족하여 파일을 읽을 수 없습니다.");
}

QString TextFile::notTextMessage()
{
    return QStringLiteral("읽을 수 있는 텍스트 파일이 아닙니다.");
}

namespace {

// The bytes split into their lines.
void splitLines(const QByteArray &all, qsizetype count, QList<QByteArray> *lines)
{
    lines->reserve(count);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype next = 0;
        const qsizetype end = LineEndAt(all.constData(), all.size(), start, &next);
        lines->append(all.mid(start, end - start));
        start = next;
    }
}

// The file's bytes as the CP949 text the readers take, or why not: a file
// that is no text, a UTF-8 one with a character CP949 cannot write.
TextFile::Read asCp949(QByteArray *all, QString *refusal)
{
    const Cp949::Encoding encoding = Cp949::encodingOf(*all);
    if (encoding == Cp949::Encoding::Cp949)
        return TextFile::Read::Read;
    if (encoding == Cp949::Encoding::NotText) {
        if (refusal)
            *refusal = TextFile::notTextMessage();
        return TextFile::Read::Refused;
    }
    bool ok = true;
    const QString text = Cp949::decodeUtf8(*all, &ok);
    if (!ok) {
        // The line of the first character the file cannot be read with.
        const qsizetype bad = text.indexOf(QChar(QChar::ReplacementCharacter));
        qsizetype line = 1;
        for (qsizetype at = 0, next = 0; LineEndAt(text.constData(), text.size(), at, &next) < bad; at = next)
            ++line;
        if (refusal)
            *refusal = QStringLiteral("UTF-8 파일의 %1번째 줄에 CP949로 나타낼 수 없는 문자가 있어 파일을 읽을 수 "
                                      "없습니다.")
                           .arg(line);
        return TextFile::Read::Refused;
    }
    *all = Cp949::encode(text);
    return TextFile::Read::Read;
}

enum class Decoding { Bytes, Cp949 };

TextFile::Read readLinesOf(const QString &fileName, qsizetype maxLines, QList<QByteArray> *lines, QString *refusal,
                           Decoding decoding)
{
    lines->clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return TextFile::Read::Unreadable;
    try {
        QByteArray all = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return TextFile::Read::Unreadable;
        // Counted before anything is made of the bytes; CP949 and UTF-8 end
        // their lines with the same bytes.
        const qsizetype count = TextFile::lineCount(all, maxLines);
        if (count > maxLines) {
            if (refusal)
                *refusal = TextFile::tooManyLinesMessage(maxLines);
            return TextFile::Read::Refused;
        }
        if (decoding == Decoding::Cp949)
            if (const TextFile::Read read = asCp949(&all, refusal); read != TextFile::Read::Read)
                return read;
        splitLines(all, count, lines);
        return TextFile::Read::Read;
    } catch (const std::bad_alloc &) {
        *lines = QList<QByteArray>();
        if (refusal)
            *refusal = TextFile::outOfMemoryMessage();
        return TextFile::Read::Refused;
    }
}

} // namespace

TextFile::Read TextFile::readByteLines(const QString &fileName, qsizetype maxLines, QList<QByteArray> *lines,
                                       QString *refusal)
{
    return readLinesOf(fileName, maxLines, lines, refusal, Decoding::Bytes);
}

TextFile::Read TextFile::readCp949Lines(const QString &fileName, qsizetype maxLines, QList<QByteArray> *lines,
                                        QString *refusal)
{
    return readLinesOf(fileName, maxLines, lines, refusal, Decoding::Cp949);
}

QList<QByteArray> TextFile::readByteLines(const QString &fileName, bool *ok)
{
    QList<QByteArray> out;
    const Read read = readByteLines(fileName, std::numeric_limits<qsizetype>::max() - 1, &out);
    if (ok)
        *ok = read == Read::Read;
    return out;
}

QStringList TextFile::readLines(const QString &fileName, bool *ok)
{
    bool readOk = false;
    const QList<QByteArray> raw = readByteLines(fileName, &readOk);
    QStringList out;
    out.reserve(raw.size());
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
