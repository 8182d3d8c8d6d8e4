#include "platform/XlsReader.h"

#include "platform/CompoundFile.h"
#include "platform/SheetCells.h"
#include "platform/SheetValues.h"

#include <QHash>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <vector>

namespace qvx {

namespace {

enum : quint16 {
    rBOF = 0x0809, rEOF = 0x000A, rFILEPASS = 0x002F, rDATEMODE = 0x0022, rWINDOW1 = 0x003D, rFORMAT = 0x041E,
    rXF = 0x00E0, rBOUNDSHEET = 0x0085, rSST = 0x00FC, rCONTINUE = 0x003C, rNUMBER = 0x0203, rRK = 0x027E,
    rMULRK = 0x00BD, rLABELSST = 0x00FD, rLABEL = 0x0204, rRSTRING = 0x00D6, rBOOLERR = 0x0205,
    rFORMULA = 0x0006, rSTRING = 0x0207
};

// A BIFF8 sheet has 65536 rows (the record's 16 bits) and 256 columns.
constexpr int MaxColumn = 256;

quint8 u8(const QByteArray &b, qsizetype at) { return at < b.size() ? quint8(b[at]) : 0; }
quint16 u16(const QByteArray &b, qsizetype at) { return at + 2 <= b.size() ? qFromLittleEndian<quint16>(b.constData() + at) : 0; }
quint32 u32(const QByteArray &b, qsizetype at) { return at + 4 <= b.size() ? qFromLittleEndian<quint32>(b.constData() + at) : 0; }
double f64(const QByteArray &b, qsizetype at)
{
    if (at + 8 > b.size())
        return 0;
    const quint64 bits = qFromLittleEndian<quint64>(b.constData() + at);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

double rkValue(quint32 rk)
{
    double v;
    if (rk & 0x02) {
        v = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&v, &bits, 8);
    }
    return (rk & 0x01) ? v / 100.0 : v;
}

QString errorText(quint8 code)
{
    switch (code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    case 0x2A: return QStringLiteral("#N/A");
    default: return QStringLiteral("#ERROR!");
    }
}

struct Record
{
    quint16 id;
    QByteArray data;
};

// The records of a stream from `offset` to the first EOF.
std::vector<Record> records(const QByteArray &stream, qsizetype offset)
{
    std::vector<Record> out;
    qsizetype at = offset;
    while (at + 4 <= stream.size()) {
        const quint16 id = u16(stream, at);
        const quint16 length = u16(stream, at + 2);
        if (at + 4 + length > stream.size())
            break;
        out.push_back({id, stream.mid(at + 4, length)});
        at += 4 + length;
        if (id == rEOF)
            break;
    }
    return out;
}

// Reads strings that may run on from a record into its CONTINUE records; a
// string's characters go on in a CONTINUE after a fresh option byte.
class PieceReader
{
public:
    explicit PieceReader(std::vector<QByteArray> pieces) : m_pieces(std::move(pieces)) {}

    bool atEnd() const { return m_piece >= m_pieces.size(); }

    quint8 byte()
    {
        settle();
        if (atEnd())
            return 0;
        return quint8(m_pieces[m_piece][m_pos++]);
    }
    quint16 word() { return quint16(byte() | (byte() << 8)); }
    quint32 dword() { return quint32(word()) | (quint32(word()) << 16); }
    void skip(quint64 n)
    {
        while (n > 0 && !atEnd()) {
            settle();
            if (atEnd())
                return;
            const quint64 step = std::min<quint64>(n, quint64(m_pieces[m_piece].size() - m_pos));
            m_pos += qsizetype(step);
            n -= step;
        }
    }

    // An XLUnicodeString: length (2 bytes), options, characters, runs.
    QString string()
    {
        const quint16 count = word();
        quint8 options = byte();
        const quint16 runs = (options & 0x08) ? word() : 0;
        const quint32 extra = (options & 0x04) ? dword() : 0;
        QString out;
        out.reserve(count);
        bool wide = options & 0x01;
        while (out.size() < count && !atEnd()) {
            if (m_pos >= m_pieces[m_piece].size()) {
                ++m_piece;
                m_pos = 0;
                if (atEnd())
                    break;
                wide = quint8(m_pieces[m_piece][m_pos++]) & 0x01;
                continue;
            }
            const QByteArray &p = m_pieces[m_piece];
            if (wide) {
                if (m_pos + 2 > p.size()) {
                    m_pos = p.size();
                    continue;
                }
                out += QChar(qFromLittleEndian<quint16>(p.constData() + m_pos));
                m_pos += 2;
            } else {
                out += QChar(quint8(p[m_pos++])); // Latin-1 when compressed
            }
        }
        skip(quint64(runs) * 4 + extra);
        return out;
    }

private:
    void settle()
    {
        while (m_piece < m_pieces.size() && m_pos >= m_pieces[m_piece].size()) {
            ++m_piece;
            m_pos = 0;
        }
    }

    std::vector<QByteArray> m_pieces;
    size_t m_piece = 0;
    qsizetype m_pos = 0;
};

QString recordString(const QByteArray &data, qsizetype at)
{
    PieceReader r({data.mid(at)});
    return r.string();
}

XlsReader::Result failed(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return XlsReader::Result::Failed;
}


struct Sheet
{
    QString name;
    quint32 offset = 0;
    quint8 type = 0; // 0 worksheet
};

} // namespace

XlsReader::Result XlsReader::read(const QByteArray &file, SheetCells *cells, QString *error)
{
    QByteArray stream;
    QString why;
    if (!CompoundFile::readStream(file, QStringLiteral("Workbook"), &stream, &why)) {
        QByteArray older;
        if (CompoundFile::readStream(file, QStringLiteral("Book"), &older))
            return Result::NotBiff8;
        return failed(error, why);
    }
    if (stream.size() < 8 || u16(stream, 0) != rBOF || u16(stream, 4) != 0x0600)
        return Result::NotBiff8;

    // Workbook globals.
    bool date1904 = false;
    int activeTab = 0;
    QHash<int, QString> formats;
    std::vector<int> xfFormat;
    std::vector<Sheet> sheets;
    QStringList strings;
    const std::vector<Record> globals = records(stream, 0);
    for (size_t i = 0; i < globals.size(); ++i) {
        const Record &r = globals[i];
        switch (r.id) {
        case rFILEPASS:
            return failed(error, QStringLiteral("암호로 보호된 엑셀 파일은 읽을 수 없습니다."));
        case rDATEMODE:
            date1904 = u16(r.data, 0) == 1;
            break;
        case rWINDOW1:
            activeTab = u16(r.data, 10);
            break;
        case rFORMAT:
            formats.insert(u16(r.data, 0), recordString(r.data, 2));
            break;
        case rXF:
            xfFormat.push_back(u16(r.data, 2));
            break;
        case rBOUNDSHEET: {
            Sheet s;
            s.offset = u32(r.data, 0);
            s.type = quint8(r.data.size() > 5 ? r.data[5] : 0);
            PieceReader name({r.data.mid(6)});
            const quint8 count = name.byte();
            const quint8 options = name.byte();
            for (int k = 0; k < count && !name.atEnd(); ++k)
                s.name += (options & 0x01) ? QChar(name.word()) : QChar(name.byte());
            sheets.push_back(s);
            break;
        }
        case rSST: {
            std::vector<QByteArray> pieces{r.data.mid(8)};
            for (size_t k = i + 1; k < globals.size() && globals[k].id == rCONTINUE; ++k)
                pieces.push_back(globals[k].data);
            const quint32 unique = u32(r.data, 4);
            PieceReader sst(std::move(pieces));
            for (quint32 k = 0; k < unique && !sst.atEnd(); ++k)
                strings << sst.string();
            break;
        }
        default:
            break;
        }
    }
    if (sheets.empty())
        return failed(error, QStringLiteral("엑셀 파일에 시트가 없습니다."));
    // The sheet the workbook was saved showing; the first worksheet when that
    // one holds no cells (a chart).
    size_t chosen = size_t(std::max(0, activeTab));
    if (chosen >= sheets.size() || sheets[chosen].type != 0) {
        chosen = 0;
        while (chosen < sheets.size() && sheets[chosen].type != 0)
            ++chosen;
        if (chosen >= sheets.size())
            return failed(error, QStringLiteral("엑셀 파일에 워크시트가 없습니다."));
    }
    if (sheets[chosen].offset >= quint32(stream.size()) || u16(stream, sheets[chosen].offset) != rBOF)
        return failed(error, QStringLiteral("엑셀 파일의 시트가 손상되어 읽을 수 없습니다."));

    auto numberText = [&](quint16 xf, double value) {
        const int format = xf < xfFormat.size() ? xfFormat[xf] : 0;
        return sheet::valueText(value, sheet::kindOfFormat(format, formats.value(format)), date1904);
    };
    cells->clear();
    QString refusal;
    auto put = [&](int row, int col, const QString &text) {
        if (!refusal.isEmpty() || text.isEmpty())
            return;
        if (col >= MaxColumn) {
            refusal = QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (%1행의 셀이 .xls 시트의 %2열을 넘습니다).")
                          .arg(row + 1)
                          .arg(MaxColumn);
            return;
        }
        if (cells->cellCount() >= SheetCells::MaxCells) {
            refusal = SheetCells::tooManyCellsMessage();
            return;
        }
        cells->set(row, col, text);
    };

    const std::vector<Record> sheetRecords = records(stream, sheets[chosen].offset);
    for (size_t i = 0; i < sheetRecords.size() && refusal.isEmpty(); ++i) {
        const Record &r = sheetRecords[i];
        const int row = u16(r.data, 0);
        const int col = u16(r.data, 2);
        const quint16 xf = u16(r.data, 4);
        switch (r.id) {
        case rLABELSST:
            put(row, col, strings.value(qsizetype(u32(r.data, 6))));
            break;
        case rLABEL:
        case rRSTRING:
            put(row, col, recordString(r.data, 6));
            break;
        case rNUMBER:
            put(row, col, numberText(xf, f64(r.data, 6)));
            break;
        case rRK:
            put(row, col, numberText(xf, rkValue(u32(r.data, 6))));
            break;
        case rMULRK: {
            const int last = u16(r.data, r.data.size() - 2);
            for (int c = col, at = 4; c <= last && at + 6 <= r.data.size() - 2; ++c, at += 6)
                put(row, c, numberText(u16(r.data, at), rkValue(u32(r.data, at + 2))));
            break;
        }
        case rBOOLERR: {
            const quint8 value = quint8(u8(r.data, 6));
            if (u8(r.data, 7))
                put(row, col, errorText(value));
            else
                put(row, col, value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
            break;
        }
        case rFORMULA: {
            // The result the workbook keeps: a number, or a marker for a
            // text (in the STRING record that follows), a boolean or an error.
            if (u16(r.data, 12) != 0xFFFF) {
                put(row, col, numberText(xf, f64(r.data, 6)));
                break;
            }
            const quint8 kind = quint8(u8(r.data, 6));
            const quint8 value = quint8(u8(r.data, 8));
            if (kind == 0) {
                for (size_t k = i + 1; k < sheetRecords.size(); ++k) {
                    if (sheetRecords[k].id == rSTRING) {
                        std::vector<QByteArray> pieces{sheetRecords[k].data};
                        for (size_t m = k + 1; m < sheetRecords.size() && sheetRecords[m].id == rCONTINUE; ++m)
                            pieces.push_back(sheetRecords[m].data);
                        put(row, col, PieceReader(std::move(pieces)).string());
                        break;
                    }
                    if (sheetRecords[k].id != rCONTINUE && sheetRecords[k].id != 0x04BC && sheetRecords[k].id != 0x0221
                        && sheetRecords[k].id != 0x0236) // shared formula, array, table: may stand between
                        break;
                }
            } else if (kind == 1) {
                put(row, col, value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
            } else if (kind == 2) {
                put(row, col, errorText(value));
            }
            break;
        }
        default:
            break;
        }
    }
    if (!refusal.isEmpty()) {
        cells->clear();
        return failed(error, refusal);
    }
    return Result::Read;
}

int XlsReader::activeWorksheet(const QByteArray &file)
{
    QByteArray stream;
    if (!CompoundFile::readStream(file, QStringLiteral("Workbook"), &stream)
        && !CompoundFile::readStream(file, QStringLiteral("Book"), &stream))
        return 0;
    int activeTab = 0;
    std::vector<quint8> types;
    for (const Record &r : records(stream, 0)) {
        if (r.id == rWINDOW1)
            activeTab = u16(r.data, 10);
        else if (r.id == rBOUNDSHEET)
            types.push_back(u8(r.data, 5));
    }
    if (activeTab >= int(types.size()) || types[size_t(activeTab)] != 0)
        return 0;
    return int(std::count(types.begin(), types.begin() + activeTab, quint8(0)));
}

bool XlsReader::olderSheetsFit(const QByteArray &file, QString *error)
{
    constexpr int MaxOlderRows = 16384;
    constexpr int MaxOlderColumns = 256;
    constexpr quint16 rDIMENSIONS = 0x0200;
    QByteArray stream;
    if (!CompoundFile::readStream(file, QStringLiteral("Book"), &stream, error)
        && !CompoundFile::readStream(file, QStringLiteral("Workbook"), &stream, error))
        return false;
    // Every record of every sheet, not only up to the first end record.
    for (qsizetype at = 0; at + 4 <= stream.size();) {
        const quint16 id = u16(stream, at);
        const quint16 length = u16(stream, at + 2);
        if (id == rDIMENSIONS && length >= 8
            && (u16(stream, at + 6) > MaxOlderRows || u16(stream, at + 10) > MaxOlderColumns)) {
            failed(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (시트의 크기가 %1행, %2열을 넘습니다).")
                              .arg(MaxOlderRows)
                              .arg(MaxOlderColumns));
            return false;
        }
        at += 4 + length;
    }
    return true;
}

} // namespace qvx
