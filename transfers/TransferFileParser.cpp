#include "transfers/TransferFileParser.h"

#include "core/TextUtils.h"
#include "platform/Cp949.h"
#include "platform/TextFile.h"

#include <QVarLengthArray>

#include <algorithm>

namespace {

constexpr int TokenCount = 5;
constexpr char16_t Replacement = 0xFFFD;

// Appends text padded with blanks on the right to width CP949 bytes; returns
// how many characters it appended.
qsizetype appendPadded(QString &out, QStringView text, int width)
{
    const int w = Cp949Width(text);
    const qsizetype blanks = width > w ? width - w : 0;
    out.append(text);
    out.resize(out.size() + blanks, QLatin1Char(' '));
    return text.size() + blanks;
}

// Where c first stands in text at or after from, -1 for nowhere: a plain
// loop, as lines are short and this runs a few times a line.
qsizetype indexOfChar(QStringView text, QChar c, qsizetype from = 0)
{
    const QChar *begin = text.data();
    const QChar *end = begin + text.size();
    const QChar *at = std::find(begin + from, end, c);
    return at == end ? -1 : at - begin;
}

} // namespace

Cp949Columns::Cp949Columns(QStringView line) : m_line(line)
{
    m_start.resize(line.size() + 1);
    int pos = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        m_start[i] = pos;
        const char16_t c = line[i].unicode();
        pos += c < 0x80 ? 1 : 2;
        m_badBytes |= c == Replacement;
    }
    m_start[line.size()] = pos;
}

QStringView Cp949Columns::cut(int start, int length) const
{
    if (length <= 0)
        return {};
    const int from = (start < 1 ? 1 : start) - 1;
    const int to = from + length;
    const int *begin = m_start.constData();
    const int *end = begin + m_line.size(); // starts of the characters
    // The first character starting at or after from, and the characters
    // up to the last one ending at or before to.
    const qsizetype first = std::lower_bound(begin, end, from) - begin;
    const qsizetype past = std::upper_bound(begin + 1, end + 1, to) - (begin + 1);
    return first < past ? m_line.mid(first, past - first) : QStringView();
}

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

QStringView CutBytesView(QStringView line, int start, int length)
{
    if (length <= 0)
        return {};
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
    return first < 0 ? QStringView() : line.mid(first, last - first + 1);
}

QString CutBytes(QStringView line, int start, int length)
{
    return CutBytesView(line, start, length).toString();
}

QString TrimmedWithout(QStringView text, QChar c)
{
    const QStringView trimmed = text.trimmed();
    if (indexOfChar(trimmed, c) < 0)
        return trimmed.toString();
    QString out;
    out.reserve(trimmed.size());
    for (QChar ch : trimmed)
        if (ch != c)
            out.append(ch);
    return std::move(out).trimmed();
}

TransferFileText DecodeTransferFile(const QByteArray &bytes)
{
    TransferFileText file;
    file.text = qvx::Cp949::decode(bytes);
    file.lines = SplitTransferLines(file.text);
    return file;
}

QList<QStringView> SplitTransferLines(QStringView text)
{
    QList<QStringView> lines;
    const char16_t *data = text.utf16();
    lines.reserve(std::count_if(data, data + text.size(), [](char16_t c) { return c == u'\n' || c == u'\r'; }) + 1);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype next = 0;
        const qsizetype end = qvx::LineEndAt(data, text.size(), start, &next);
        lines.append(text.mid(start, end - start));
        start = next;
    }
    return lines;
}

TransferFileParser::TransferFileParser(DataForm form, const TransferPositions &fixed)
    : m_form(form), m_positions(form == DataForm::Fixed ? fixed : CanonicalPositions())
{
}

ParsedLine TransferFileParser::parse(QStringView line) const
{
    if (m_form == DataForm::Fixed)
        return parseFixed(line); // its walk over the line finds bad bytes too
    ParsedLine out = parseDelimited(line);
    if (indexOfChar(line, QChar(Replacement)) >= 0)
        out.fault = LineFault::BadBytes;
    return out;
}

ParsedLine TransferFileParser::parseFixed(QStringView line) const
{
    const TransferPositions &p = m_positions;
    const Cp949Columns columns(line);
    ParsedLine out;
    out.bankId = columns.cut(p.bankId.start, p.bankId.length);
    out.bankNo = columns.cut(p.bankNo.start, p.bankNo.length);
    out.money = columns.cut(p.money.start, p.money.length);
    out.cInfo = columns.cut(p.cInfo.start, p.cInfo.length);
    out.sName = columns.cut(p.sName.start, p.sName.length);
    out.account = TrimmedWithout(out.bankNo, QLatin1Char('-'));
    out.amount = out.money.trimmed().toString();
    if (columns.badBytes())
        out.fault = LineFault::BadBytes;
    return out;
}

ParsedLine TransferFileParser::parseDelimited(QStringView line) const
{
    const QChar delimiter = DelimiterOf(m_form);
    QStringView tokens[TokenCount];
    int found = 0;
    qsizetype start = 0;
    bool more = false; // the fifth token ended at a delimiter
    while (found < TokenCount) {
        const qsizetype end = indexOfChar(line, delimiter, start);
        if (end < 0) {
            tokens[found++] = line.mid(start);
            break;
        }
        tokens[found++] = line.mid(start, end - start);
        start = end + 1;
        more = found == TokenCount;
    }

    const TransferPositions &p = m_positions;
    ParsedLine out;
    out.bankId = tokens[0].trimmed();
    out.bankNo = tokens[1];
    out.money = tokens[2];
    out.cInfo = tokens[3].trimmed();
    out.sName = tokens[4].trimmed();
    out.account = TrimmedWithout(tokens[1], QLatin1Char('-'));
    // Thousands commas are dropped only where they group the digits; any
    // other comma stays, and the amount rule refuses the line for it.
    const QStringView money = tokens[2].trimmed();
    const bool grouped = IsThousandsGrouped(money);
    out.amount = grouped ? TrimmedWithout(money, QLatin1Char(',')) : money.toString();
    const bool amountTooWide = (grouped || indexOfChar(money, QLatin1Char(',')) < 0) &&
                               Cp949Width(out.amount) > p.money.length;
    // A ';' line ignores what follows its fifth delimiter; a ',' line has a
    // token too many there, most likely an amount written "1,000,000".
    if (more && m_form == DataForm::Comma)
        out.fault = LineFault::ExtraTokens;
    else if (Cp949Width(out.bankId) > p.bankId.length || Cp949Width(out.account) > p.bankNo.length ||
             amountTooWide || Cp949Width(out.cInfo) > p.cInfo.length || Cp949Width(out.sName) > p.sName.length)
        out.fault = LineFault::LongToken;
    return out;
}

TransferFields TransferFileParser::logFields(const ParsedLine &line) const
{
    if (m_form == DataForm::Fixed)
        return {line.bankId, line.bankNo, line.money, line.cInfo, line.sName, QString()};
    const TransferPositions &p = m_positions;
    TransferFields out;
    out.held.reserve(p.bankId.length + p.bankNo.length + p.money.length + p.cInfo.length + p.sName.length
                     + line.bankId.size() + line.account.size() + line.amount.size() + line.cInfo.size()
                     + line.sName.size());
    qsizetype sizes[5];
    sizes[0] = appendPadded(out.held, line.bankId, p.bankId.length);
    sizes[1] = appendPadded(out.held, line.account, p.bankNo.length);
    sizes[2] = appendPadded(out.held, line.amount, p.money.length);
    sizes[3] = appendPadded(out.held, line.cInfo, p.cInfo.length);
    sizes[4] = appendPadded(out.held, line.sName, p.sName.length);
    QStringView rest(out.held);
    QStringView *fields[5] = {&out.bankId, &out.bankNo, &out.money, &out.cInfo, &out.sName};
    for (int i = 0; i < 5; ++i) {
        *fields[i] = rest.first(sizes[i]);
        rest = rest.sliced(sizes[i]);
    }
    return out;
}
