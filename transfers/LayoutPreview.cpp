#include "transfers/LayoutPreview.h"

#include "platform/Cp949.h"
#include "platform/TextFile.h"
#include "transfers/TransferFileParser.h"

#include <QFile>

QString LayoutPreview::ruler() const
{
    QString out;
    for (int i = 1; i <= m_width; ++i)
        out.append(QChar(u'0' + i % 10));
    return out;
}

QString LayoutPreview::rulerTens() const
{
    QString out(m_width, QLatin1Char(' '));
    for (int pos = 10; pos <= m_width; pos += 10) {
        const QString mark = QString::number(pos / 10);
        out.replace(pos - mark.size(), mark.size(), mark);
    }
    return out;
}

void LayoutPreview::setLines(const QStringList &fileLines)
{
    m_lines.clear();
    for (int i = 0; i < LineCount; ++i)
        m_lines.append(CutBytes(fileLines.value(i), 1, m_width));
}

ConvField LayoutPreview::fieldOfSelection(int charStart, int charLength) const
{
    const QString line = firstLine();
    charStart = qBound(0, charStart, int(line.size()));
    charLength = qBound(0, charLength, int(line.size()) - charStart);
    const QStringView v(line);
    return ConvField{Cp949Width(v.left(charStart)) + 1, Cp949Width(v.mid(charStart, charLength))};
}

QString LayoutPreview::fieldText(int start, int length) const
{
    if (!hasLines() || start <= 0 || length <= 0)
        return QString();
    return CutBytes(firstLine(), start, length);
}

std::pair<int, int> LayoutPreview::selectionOfField(int start, int length) const
{
    const QString line = firstLine();
    int pos = 0, first = -1, count = 0;
    for (int i = 0; i < line.size(); ++i) {
        const int w = line[i].unicode() < 0x80 ? 1 : 2;
        if (pos >= start - 1 && pos + w <= start - 1 + length) {
            if (first < 0)
                first = i;
            ++count;
        }
        pos += w;
    }
    return {first < 0 ? 0 : first, count};
}

bool ReadPreviewLines(const QString &fileName, int count, QStringList *lines)
{
    constexpr qsizetype MaxPreviewLineBytes = qsizetype(1) << 20;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    lines->clear();
    QList<QByteArray> raw;
    // Read in pieces until enough lines are whole: the sample may be large, and
    // its lines may end in CR LF, LF or a bare CR.
    QByteArray buffer;
    qsizetype start = 0;
    while (raw.size() < count) {
        qsizetype next = 0;
        const qsizetype end = qvx::LineEndAt(buffer.constData(), buffer.size(), start, &next);
        const bool mayGoOn = end == buffer.size() || (next == buffer.size() && buffer.endsWith('\r'));
        if (mayGoOn && buffer.size() - start >= MaxPreviewLineBytes) {
            // No transfer file's line is this long: the preview shows it
            // this far and ends there, rather than reading the whole file.
            raw.append(buffer.mid(start, MaxPreviewLineBytes));
            break;
        }
        if (mayGoOn && !file.atEnd()) {
            const QByteArray more = file.read(64 * 1024);
            if (!more.isEmpty()) {
                buffer = buffer.mid(start) + more;
                start = 0;
                continue;
            }
        }
        if (start >= buffer.size())
            break;
        raw.append(buffer.mid(start, end - start));
        start = next;
    }
    // The lines in the file's encoding, as the conversion reads them (told
    // from the lines shown: a file that is no text shows as CP949).
    qsizetype size = 0;
    for (const QByteArray &line : raw)
        size += line.size() + 1;
    QByteArray shown;
    shown.reserve(size);
    for (const QByteArray &line : raw)
        shown += line + '\n';
    const qvx::Cp949::Encoding told = qvx::Cp949::encodingOf(shown);
    const qvx::Cp949::Encoding encoding = told == qvx::Cp949::Encoding::Utf8 ? told : qvx::Cp949::Encoding::Cp949;
    for (const QByteArray &line : raw)
        lines->append(qvx::Cp949::decode(line, encoding));
    return file.error() == QFileDevice::NoError;
}
