#include "platform/XlsWriter.h"

#include "platform/CompoundFile.h"
#include "platform/SheetValues.h"

#include <QHash>
#include <QLocale>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace qvx {

namespace {

constexpr int MaxRecordData = 8224;
constexpr quint16 DefaultCellXf = 15;
constexpr quint16 FirstNumberXf = 16;
constexpr quint16 FirstCustomFormat = 164;

// Record ids.
enum : quint16 {
    rBOF = 0x0809, rEOF = 0x000A, rCODEPAGE = 0x0042, rWINDOW1 = 0x003D, rFONT = 0x0031, rFORMAT = 0x041E,
    rXF = 0x00E0, rSTYLE = 0x0293, rBOUNDSHEET = 0x0085, rSST = 0x00FC, rEXTSST = 0x00FF, rCONTINUE = 0x003C,
    rDIMENSIONS = 0x0200, rWINDOW2 = 0x023E, rNUMBER = 0x0203, rLABELSST = 0x00FD, rDATEMODE = 0x0022,
    rCOUNTRY = 0x008C, rCOLINFO = 0x007D
};

class Bytes
{
public:
    Bytes &u8(quint8 v)
    {
        m_b.append(char(v));
        return *this;
    }
    Bytes &u16(quint16 v)
    {
        char b[2];
        qToLittleEndian<quint16>(v, b);
        m_b.append(b, 2);
        return *this;
    }
    Bytes &u32(quint32 v)
    {
        char b[4];
        qToLittleEndian<quint32>(v, b);
        m_b.append(b, 4);
        return *this;
    }
    Bytes &f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        char b[8];
        qToLittleEndian<quint64>(bits, b);
        m_b.append(b, 8);
        return *this;
    }
    Bytes &utf16(const QString &s)
    {
        for (QChar c : s)
            u16(c.unicode());
        return *this;
    }
    Bytes &raw(const QByteArray &b)
    {
        m_b.append(b);
        return *this;
    }
    const QByteArray &data() const { return m_b; }

private:
    QByteArray m_b;
};

void record(QByteArray &stream, quint16 id, const QByteArray &data)
{
    Bytes header;
    header.u16(id).u16(quint16(data.size()));
    stream += header.data();
    stream += data;
}

QByteArray bof(quint16 kind)
{
    return Bytes().u16(0x0600).u16(kind).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x06).data();
}

// A short string with a one-byte length (sheet and font names), stored as UTF-16.
QByteArray shortString(const QString &s)
{
    return Bytes().u8(quint8(s.size())).u8(0x01).utf16(s).data();
}

QByteArray font()
{
    return Bytes().u16(200).u16(0).u16(0x7FFF).u16(400).u16(0).u8(0).u8(0).u8(0).u8(0).raw(shortString(QStringLiteral("Arial"))).data();
}

QByteArray xf(quint16 fontIndex, quint16 format, bool style, quint8 usedAttributes)
{
    return Bytes()
        .u16(fontIndex)
        .u16(format)
        .u16(style ? 0xFFF5 : 0x0001) // locked; a style XF has no parent
        .u8(0x20)                     // bottom aligned
        .u8(0)
        .u8(0)
        .u8(usedAttributes)
        .u32(0)
        .u32(0)
        .u16(0x20C0) // pattern colours: system foreground and background
        .data();
}

// The shared string table, split into CONTINUE records where it outgrows a
// record; a string cut there goes on after a fresh option byte. Also gives
// the positions EXTSST needs (every `bucket`-th string: its offset in the
// stream and in its record).
struct SstResult
{
    QByteArray records;
    QByteArray extsst;
};

SstResult sharedStrings(const QStringList &strings, quint32 totalRefs, qsizetype streamOffset)
{
    SstResult out;
    QVector<QByteArray> records;
    QByteArray current = Bytes().u32(totalRefs).u32(quint32(strings.size())).data();
    const int bucket = std::max(8, int(strings.size() / 128 + 1));
    Bytes ext;
    ext.u16(quint16(bucket));
    auto recordStart = [&]() {
        qsizetype at = streamOffset;
        for (const QByteArray &r : records)
            at += 4 + r.size();
        return at;
    };
    qsizetype startOfCurrent = recordStart();
    auto flush = [&]() {
        records << current;
        startOfCurrent += 4 + current.size();
        current.clear();
    };
    for (int i = 0; i < strings.size(); ++i) {
        const QString &s = strings.at(i);
        // A string that fits a record of its own is not cut (some readers
        // stumble over cut strings); the header and first character of a
        // longer one at least stay together.
        const qsizetype bytes = 3 + s.size() * 2;
        if (current.size() + bytes > MaxRecordData && (bytes <= MaxRecordData || current.size() + 5 > MaxRecordData))
            flush();
        if (i % bucket == 0)
            ext.u32(quint32(startOfCurrent + 4 + current.size())).u16(quint16(4 + current.size())).u16(0);
        current += Bytes().u16(quint16(s.size())).u8(0x01).data();
        qsizetype done = 0;
        while (done < s.size()) {
            const qsizetype room = (MaxRecordData - current.size()) / 2;
            if (room <= 0) {
                flush();
                current += char(0x01); // the rest of the string, still two bytes a character
                continue;
            }
            const qsizetype n = std::min(room, s.size() - done);
            current += Bytes().utf16(s.mid(done, n)).data();
            done += n;
        }
    }
    flush();
    for (int i = 0; i < records.size(); ++i) {
        out.records += Bytes().u16(i == 0 ? rSST : rCONTINUE).u16(quint16(records[i].size())).data();
        out.records += records[i];
    }
    out.extsst = ext.data();
    return out;
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// A column's letters as the sheet shows them (0 -> "A", 27 -> "AB").
QString columnLetters(int column)
{
    QString letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.prepend(QChar(u'A' + (c - 1) % 26));
    return letters;
}

} // namespace

QByteArray XlsWriter::build(const QVector<QStringList> &rows, const ColumnKinds &kinds, const QString &sheetName,
                            QString *error)
{
    if (rows.size() > MaxRows) {
        fail(error, QStringLiteral("%1행은 엑셀(.xls) 시트에 담을 수 없습니다 (최대 %2행).").arg(rows.size()).arg(MaxRows));
        return {};
    }
    int columns = 0;
    for (const QStringList &r : rows)
        columns = std::max(columns, int(r.size()));
    if (columns > MaxColumns) {
        fail(error, QStringLiteral("%1열은 엑셀(.xls) 시트에 담을 수 없습니다 (최대 %2열).").arg(columns).arg(MaxColumns));
        return {};
    }
    if (const QString refusal = overlongText(rows); !refusal.isEmpty()) {
        fail(error, refusal);
        return {};
    }
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    if (sheetName.isEmpty() || sheetName.size() > 31
        || std::any_of(sheetName.begin(), sheetName.end(), [](QChar c) { return forbidden.contains(c); })) {
        fail(error, QStringLiteral("시트 이름으로 쓸 수 없습니다: ") + sheetName);
        return {};
    }

    // Number formats: one cell XF per decimal count in use.
    QVector<int> decimalsInUse;
    for (int d : kinds)
        if (d >= 0 && !decimalsInUse.contains(d))
            decimalsInUse << d;
    auto numberXf = [&](int decimals) { return quint16(FirstNumberXf + decimalsInUse.indexOf(decimals)); };

    // Cells, and the shared strings they use.
    QStringList strings;
    QHash<QString, quint32> stringIndex;
    quint32 stringRefs = 0;
    QByteArray cells;
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString &text = rows[r][c];
            if (text.isEmpty())
                continue;
            double value = 0;
            const int kind = kinds.value(c, -1);
            if (r > 0 && kind >= 0 && sheet::exactAmount(text, &value)) {
                record(cells, rNUMBER, Bytes().u16(quint16(r)).u16(quint16(c)).u16(numberXf(kind)).f64(value).data());
                continue;
            }
            const QString &cellText = text;
            auto it = stringIndex.find(cellText);
            if (it == stringIndex.end()) {
                it = stringIndex.insert(cellText, quint32(strings.size()));
                strings << cellText;
            }
            ++stringRefs;
            record(cells, rLABELSST, Bytes().u16(quint16(r)).u16(quint16(c)).u16(DefaultCellXf).u32(it.value()).data());
        }
    }

    // Workbook globals. The sheet's offset in BOUNDSHEET is known only once
    // everything before the sheet is laid out, so it is patched in at the end.
    QByteArray globals;
    record(globals, rBOF, bof(0x0005));
    record(globals, rCODEPAGE, Bytes().u16(1200).data()); // UTF-16
    record(globals, rWINDOW1,
           Bytes().u16(0).u16(0).u16(0x3A5C).u16(0x23BE).u16(0x0038).u16(0).u16(0).u16(1).u16(0x0258).data());
    record(globals, rDATEMODE, Bytes().u16(0).data());
    for (int i = 0; i < 4; ++i) // font 4 does not exist in this format; four suffice
        record(globals, rFONT, font());
    for (int i = 0; i < decimalsInUse.size(); ++i) {
        const int d = decimalsInUse[i];
        const QString code = d == 0 ? QStringLiteral("#,##0") : QStringLiteral("#,##0.") + QString(d, QLatin1Char('0'));
        record(globals, rFORMAT, Bytes().u16(quint16(FirstCustomFormat + i)).u16(quint16(code.size())).u8(0x01).utf16(code).data());
    }
    record(globals, rXF, xf(0, 0, true, 0));
    for (int i = 1; i < 15; ++i)
        record(globals, rXF, xf(i <= 2 ? 1 : i <= 4 ? 2 : 0, 0, true, 0xF4));
    record(globals, rXF, xf(0, 0, false, 0)); // 15: the cells' XF
    for (int i = 0; i < decimalsInUse.size(); ++i)
        record(globals, rXF, xf(0, quint16(FirstCustomFormat + i), false, 0x04));
    record(globals, rSTYLE, Bytes().u16(0x8000).u8(0).u8(0xFF).data()); // "Normal"
    const qsizetype boundsheetAt = globals.size();
    record(globals, rBOUNDSHEET, Bytes().u32(0).u8(0).u8(0).raw(shortString(sheetName)).data());
    record(globals, rCOUNTRY, Bytes().u16(82).u16(82).data()); // Korea
    const SstResult sst = sharedStrings(strings, stringRefs, globals.size());
    globals += sst.records;
    record(globals, rEXTSST, sst.extsst);
    record(globals, rEOF, QByteArray());
    qToLittleEndian<quint32>(quint32(globals.size()), globals.data() + boundsheetAt + 4);

    QByteArray sheet;
    record(sheet, rBOF, bof(0x0010));
    // Columns as wide as their longest text, so amounts show instead of "###".
    const QVector<int> widths = XlsWriter::columnWidths(rows);
    for (int c = 0; c < widths.size(); ++c)
        record(sheet, rCOLINFO, Bytes().u16(quint16(c)).u16(quint16(c)).u16(quint16(widths[c] * 256)).u16(DefaultCellXf).u16(0).u16(0).data());
    record(sheet, rDIMENSIONS, Bytes().u32(0).u32(quint32(rows.size())).u16(0).u16(quint16(columns)).u16(0).data());
    sheet += cells;
    record(sheet, rWINDOW2, Bytes().u16(0x06B6).u16(0).u16(0).u32(0x40).u16(0).u16(0).u32(0).data());
    record(sheet, rEOF, QByteArray());

    return CompoundFile::build(QStringLiteral("Workbook"), globals + sheet);
}

QString XlsWriter::overlongText(const QVector<QStringList> &rows)
{
    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            if (rows[r][c].size() > MaxCellText)
                return QStringLiteral("%1행 %2열의 글자(%3자)가 엑셀 셀에 담을 수 있는 %4자를 넘습니다.")
                    .arg(r + 1)
                    .arg(columnLetters(c), korean.toString(qlonglong(rows[r][c].size())),
                         korean.toString(MaxCellText));
    return QString();
}

QVector<int> XlsWriter::columnWidths(const QVector<QStringList> &rows)
{
    QVector<int> widths;
    for (const QStringList &row : rows) {
        if (widths.size() < row.size())
            widths.resize(row.size(), 0);
        for (int c = 0; c < row.size(); ++c) {
            int width = 0;
            for (QChar ch : row[c])
                width += ch.unicode() >= 0x1100 ? 2 : 1; // Korean and other wide letters fill two places
            widths[c] = std::max(widths[c], width);
        }
    }
    for (int &w : widths)
        w = std::clamp(w + 2, 8, 80);
    return widths;
}

} // namespace qvx
