#include "transfers/TransferFileParser.h"

#include "platform/Cp949.h"

namespace {

constexpr int TokenCount = 5;
constexpr char16_t Replacement = 0xFFFD;

QString padded(QStringView token, int width, bool *fits)
{
    const int w = Cp949Width(token);
    *fits = w <= width;
    QString out;
    out.reserve(token.size() + (width > w ? width - w : 0));
    out.append(token);
    if (width > w)
        out.append(QString(width - w, QLatin1Char(' ')));
    return out;
}

QString without(QStringView text, QChar c)
{
    QString out;
    out.reserve(text.size());
    for (QChar ch : text)
        if (ch != c)
            out.append(ch);
    return out;
}

} // namespace

TransferPositions CanonicalPositions()
{
    return TransferPositions{{1, 2}, {3, 15}, {18, 13}, {31, 36}, {67, 16}};
}

int Cp949Width(QStringView text)
{
    int w = 0;
    for (QChar c : text)
        w += c.unicode() < 0x80 ? 1 : 2;
    return w;
}

QString CutBytes(QStringView line, int start, int length)
{
    if (length <= 0)
        return QString();
    const int from = (start < 1 ? 1 : start) - 1;
    const int to = from + length; // one past the last byte
    int pos = 0;
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < line.size() && pos < to; ++i) {
        const int w = line[i].unicode() < 0x80 ? 1 : 2;
        if (pos >= from && pos + w <= to) {
            if (first < 0)
                first = i;
            last = i;
        }
        pos += w;
    }
    return first < 0 ? QString() : line.mid(first, last - first + 1).toString();
}

QStringList DecodeTransferFile(const QByteArray &bytes)
{
    const QString text = qvx::Cp949::decode(bytes);
    QStringList lines;
    lines.reserve(bytes.count('\n') + 1);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        qsizetype stop = end;
        if (stop > start && text[stop - 1] == QLatin1Char('\r'))
            --stop;
        lines.append(text.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

TransferFileParser::TransferFileParser(DataForm form, const TransferPositions &fixed)
    : m_form(form), m_positions(form == DataForm::Fixed ? fixed : CanonicalPositions())
{
}

ParsedLine TransferFileParser::parse(QStringView line) const
{
    if (line.contains(QChar(Replacement))) {
        ParsedLine bad = m_form == DataForm::Fixed ? parseFixed(line) : parseDelimited(line);
        bad.fault = LineFault::BadBytes;
        return bad;
    }
    return m_form == DataForm::Fixed ? parseFixed(line) : parseDelimited(line);
}

ParsedLine TransferFileParser::parseFixed(QStringView line) const
{
    const TransferPositions &p = m_positions;
    ParsedLine out;
    out.fields.bankId = CutBytes(line, p.bankId.start, p.bankId.length);
    out.fields.bankNo = CutBytes(line, p.bankNo.start, p.bankNo.length);
    out.fields.money = CutBytes(line, p.money.start, p.money.length);
    out.fields.cInfo = CutBytes(line, p.cInfo.start, p.cInfo.length);
    out.fields.sName = CutBytes(line, p.sName.start, p.sName.length);
    return out;
}

ParsedLine TransferFileParser::parseDelimited(QStringView line) const
{
    const QChar delimiter = DelimiterOf(m_form);
    QStringView tokens[TokenCount];
    int found = 0;
    qsizetype start = 0;
    bool extra = false;
    while (found < TokenCount) {
        const qsizetype end = line.indexOf(delimiter, start);
        if (end < 0) {
            tokens[found++] = line.mid(start);
            start = line.size() + 1;
            break;
        }
        tokens[found++] = line.mid(start, end - start);
        start = end + 1;
    }
    // The fifth delimiter was reached: a ';' line ignores the rest, a ','
    // line has a token too many (most likely an amount written "1,000,000").
    if (found == TokenCount && start <= line.size() && m_form == DataForm::Comma)
        extra = true;

    const TransferPositions &p = m_positions;
    ParsedLine out;
    bool fits = true, all = true;
    out.fields.bankId = padded(tokens[0].trimmed(), p.bankId.length, &fits);
    all = all && fits;
    out.fields.bankNo = padded(QStringView(without(tokens[1], QLatin1Char('-'))).trimmed(), p.bankNo.length, &fits);
    all = all && fits;
    out.fields.money = padded(QStringView(without(tokens[2], QLatin1Char(','))).trimmed(), p.money.length, &fits);
    all = all && fits;
    out.fields.cInfo = padded(tokens[3].trimmed(), p.cInfo.length, &fits);
    all = all && fits;
    out.fields.sName = padded(tokens[4].trimmed(), p.sName.length, &fits);
    all = all && fits;
    if (extra)
        out.fault = LineFault::ExtraTokens;
    else if (!all)
        out.fault = LineFault::LongToken;
    return out;
}
