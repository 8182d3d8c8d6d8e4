#include "platform/XlsReader.h"

#include "platform/CompoundFile.h"
#include "platform/SheetCells.h"
#include "platform/SheetValues.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <type_traits>
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

quint8 u8(QByteArrayView b, qsizetype at) { return at >= 0 && at < b.size() ? quint8(b[at]) : 0; }
quint16 u16(QByteArrayView b, qsizetype at) { return at >= 0 && at + 2 <= b.size() ? qFromLittleEndian<quint16>(b.data() + at) : 0; }
quint32 u32(QByteArrayView b, qsizetype at) { return at >= 0 && at + 4 <= b.size() ? qFromLittleEndian<quint32>(b.data() + at) : 0; }
double f64(QByteArrayView b, qsizetype at)
{
    if (at < 0 || at + 8 > b.size())
        return 0;
    const quint64 bits = qFromLittleEndian<quint64>(b.data() + at);
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

// A record of a stream, its data a view into the stream: records are walked
// where they lie, never copied.
struct Record
{
    quint16 id = 0;
    QByteArrayView data;
    qsizetype next = 0; // where the record after it starts
};

// The record that starts at `at`; false when none starts there whole.
bool recordAt(QByteArrayView stream, qsizetype at, Record *r)
{
    if (at < 0 || at + 4 > stream.size())
        return false;
    const quint16 length = u16(stream, at + 2);
    if (at + 4 + length > stream.size())
        return false;
    r->id = u16(stream, at);
    r->data = stream.sliced(at + 4, length);
    r->next = at + 4 + length;
    return true;
}

// Reads strings that may run on from a record into the CONTINUE records that
// follow it in the stream; a string's characters go on in a CONTINUE after a
// fresh option byte.
class PieceReader
{
public:
    // From `offset` into the data of the record at `recordStart`, on into its
    // CONTINUE records.
    PieceReader(QByteArrayView stream, const Record &record, qsizetype offset)
        : m_stream(stream), m_piece(record.data.sliced(std::min(offset, record.data.size()))), m_next(record.next) {}
    // A single piece of data, continued nowhere.
    explicit PieceReader(QByteArrayView data) : m_piece(data) {}

    bool atEnd() const { return m_ended; }

    quint8 byte()
    {
        settle();
        if (m_ended)
            return 0;
        return quint8(m_piece[m_pos++]);
    }
    quint16 word() { return quint16(byte() | (byte() << 8)); }
    quint32 dword() { return quint32(word()) | (quint32(word()) << 16); }
    void skip(quint64 n)
    {
        while (n > 0) {
            settle();
            if (m_ended)
                return;
            const quint64 step = std::min<quint64>(n, quint64(m_piece.size() - m_pos));
            m_pos += qsizetype(step);
            n -= step;
        }
    }

    // An XLUnicodeString (length (2 bytes), options, characters, runs),
    // appended to *out.
    void string(QString *out)
    {
        const quint16 count = word();
        const quint8 options = byte();
        const quint16 runs = (options & 0x08) ? word() : 0;
        const quint32 extra = (options & 0x04) ? dword() : 0;
        bool wide = options & 0x01;
        for (quint16 taken = 0; taken < count && !m_ended;) {
            if (m_pos >= m_piece.size()) {
                if (!nextPiece())
                    break;
                if (m_pos < m_piece.size())
                    wide = quint8(m_piece[m_pos++]) & 0x01;
                continue;
            }
            if (wide) {
                if (m_pos + 2 > m_piece.size()) {
                    m_pos = m_piece.size();
                    continue;
                }
                out->append(QChar(qFromLittleEndian<quint16>(m_piece.data() + m_pos)));
                m_pos += 2;
            } else {
                out->append(QChar(quint8(m_piece[m_pos++]))); // Latin-1 when compressed
            }
            ++taken;
        }
        skip(quint64(runs) * 4 + extra);
    }
    QString string()
    {
        QString out;
        string(&out);
        return out;
    }

private:
    // On to the CONTINUE record that follows the piece; false (and at its
    // end) when none does.
    bool nextPiece()
    {
        Record r;
        if (m_next <= 0 || !recordAt(m_stream, m_next, &r) || r.id != rCONTINUE) {
            m_ended = true;
            return false;
        }
        m_piece = r.data;
        m_pos = 0;
        m_next = r.next;
        return true;
    }
    void settle()
    {
        while (!m_ended && m_pos >= m_piece.size())
            nextPiece();
    }

    QByteArrayView m_stream;
    QByteArrayView m_piece;
    qsizetype m_pos = 0;
    qsizetype m_next = 0;
    bool m_ended = false;
};

QString recordString(QByteArrayView data, qsizetype at)
{
    PieceReader r(data.sliced(std::min(at, data.size())));
    return r.string();
}

// The workbook's shared strings, kept in the sheet's text pool: a string
// costs its characters and eight bytes, never an object of its own, and the
// cells that show it all refer to the one copy.
class SharedStrings
{
public:
    // Reads `unique` strings (at most as many as cells a sheet may hold).
    bool read(PieceReader &sst, quint32 unique, SheetCells *cells)
    {
        QString one;
        for (quint32 k = 0; k < unique && !sst.atEnd(); ++k) {
            if (qsizetype(m_texts.size()) >= SheetCells::MaxCells)
                return false;
            one.clear();
            sst.string(&one);
            m_texts.push_back(cells->keep(one));
            if (cells->textFull())
                return false;
        }
        return true;
    }
    SheetCells::Text at(quint32 i) const { return i < m_texts.size() ? m_texts[i] : SheetCells::Text(); }

private:
    std::vector<SheetCells::Text> m_texts;
};

XlsReader::Result failed(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return XlsReader::Result::Failed;
}


struct Sheet
{
    quint32 offset = 0;
    quint8 type = 0; // 0 worksheet
};

// The BIFF version a BOF record at the start of a stream names: 0x0600 for
// BIFF8, 0x0500 for BIFF5/7, 0x0200 to 0x0400 for BIFF2 to BIFF4 (their own
// record numbers); 0 when the stream starts with no BOF.
quint16 bofVersion(QByteArrayView stream)
{
    Record r;
    if (!recordAt(stream, 0, &r))
        return 0;
    switch (r.id) {
    case rBOF:
        return u16(r.data, 0);
    case 0x0009:
        return 0x0200;
    case 0x0209:
        return 0x0300;
    case 0x0409:
        return 0x0400;
    default:
        return 0;
    }
}

// The workbook stream, "Workbook" or the older "Book", whichever the file has.
bool workbookStream(const QByteArray &file, QByteArray *stream, QString *error)
{
    return CompoundFile::readStream(file, QStringLiteral("Workbook"), stream, error)
           || CompoundFile::readStream(file, QStringLiteral("Book"), stream);
}

} // namespace

XlsReader::Result XlsReader::read(const QByteArray &file, SheetCells *cells, QString *error)
{
    QByteArray stream;
    QString why;
    if (!workbookStream(file, &stream, &why))
        return failed(error, why);
    // The BOF record, not the stream's name, tells the format: BIFF8 records
    // in a "Book" stream are read here, by their own layout.
    if (stream.size() < 8 || u16(stream, 0) != rBOF || bofVersion(stream) != 0x0600)
        return Result::NotBiff8;

    // Workbook globals.
    bool date1904 = false;
    int activeTab = 0;
    sheet::FormatKinds formats;
    std::vector<quint16> xfFormat;
    std::vector<Sheet> sheets;
    cells->clear();
    SharedStrings strings;
    Record r;
    for (qsizetype at = 0; recordAt(stream, at, &r); at = r.next) {
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
            formats.define(u16(r.data, 0), recordString(r.data, 2));
            break;
        case rXF:
            xfFormat.push_back(u16(r.data, 2));
            break;
        case rBOUNDSHEET:
            sheets.push_back({u32(r.data, 0), u8(r.data, 5)});
            break;
        case rSST: {
            PieceReader sst(stream, r, 8);
            if (!strings.read(sst, u32(r.data, 4), cells))
                return failed(error, cells->refusal());
            break;
        }
        default:
            break;
        }
        if (r.id == rEOF)
            break;
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
        return sheet::valueText(value, formats.kind(format), date1904);
    };
    QString refusal;
    auto put = [&](int row, int col, const auto &text) {
        if constexpr (std::is_same_v<std::decay_t<decltype(text)>, SheetCells::Text>) {
            if (!refusal.isEmpty() || text.length == 0)
                return;
        } else if (!refusal.isEmpty() || text.isEmpty()) {
            return;
        }
        if (col >= MaxColumn) {
            refusal = QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (%1행의 셀이 .xls 시트의 %2열을 넘습니다).")
                          .arg(row + 1)
                          .arg(MaxColumn);
            return;
        }
        if (!cells->set(row, col, text))
            refusal = cells->refusal();
    };

    for (qsizetype at = sheets[chosen].offset; refusal.isEmpty() && recordAt(stream, at, &r); at = r.next) {
        const int row = u16(r.data, 0);
        const int col = u16(r.data, 2);
        const quint16 xf = u16(r.data, 4);
        switch (r.id) {
        case rLABELSST:
            put(row, col, strings.at(u32(r.data, 6)));
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
            const quint8 value = u8(r.data, 6);
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
            const quint8 kind = u8(r.data, 6);
            const quint8 value = u8(r.data, 8);
            if (kind == 0) {
                Record k;
                for (qsizetype after = r.next; recordAt(stream, after, &k); after = k.next) {
                    if (k.id == rSTRING) {
                        PieceReader text(stream, k, 0);
                        put(row, col, text.string());
                        break;
                    }
                    if (k.id != rCONTINUE && k.id != 0x04BC && k.id != 0x0221
                        && k.id != 0x0236) // shared formula, array, table: may stand between
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
        if (r.id == rEOF)
            break;
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
    if (!workbookStream(file, &stream, nullptr))
        return 0;
    int activeTab = 0;
    std::vector<quint8> types;
    Record r;
    for (qsizetype at = 0; recordAt(stream, at, &r); at = r.next) {
        if (r.id == rWINDOW1)
            activeTab = u16(r.data, 10);
        else if (r.id == rBOUNDSHEET)
            types.push_back(u8(r.data, 5));
        if (r.id == rEOF)
            break;
    }
    if (activeTab >= int(types.size()) || types[size_t(activeTab)] != 0)
        return 0;
    return int(std::count(types.begin(), types.begin() + activeTab, quint8(0)));
}

bool XlsReader::olderSheetsFit(const QByteArray &file, QString *error)
{
    constexpr int MaxOlderRows = 16384;
    constexpr int MaxOlderColumns = 256;
    constexpr quint16 rDIMENSIONS = 0x0200, rDIMENSIONS2 = 0x0000;
    constexpr qint64 MaxOlderCellsAnyway = 1'000'000;
    QByteArray stream;
    if (!workbookStream(file, &stream, error))
        return false;
    // An older workbook is read by the version its first BOF names; a sheet
    // whose own BOF names another version would be read by a layout not its
    // own, and is refused.
    const quint16 version = bofVersion(stream);
    if (version == 0 || version >= 0x0600) {
        failed(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (통합 문서의 형식을 알 수 없습니다)."));
        return false;
    }
    // Every record of every sheet, not only up to the first end record.
    Record r;
    for (qsizetype at = 0; recordAt(stream, at, &r); at = r.next) {
        if (r.id == rBOF && u16(r.data, 0) != version) {
            failed(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (시트마다 형식이 다릅니다)."));
            return false;
        }
        if ((r.id == rDIMENSIONS || r.id == rDIMENSIONS2) && r.data.size() >= 8
            && (u16(r.data, 2) > MaxOlderRows || u16(r.data, 6) > MaxOlderColumns)) {
            failed(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (시트의 크기가 %1행, %2열을 넘습니다).")
                              .arg(MaxOlderRows)
                              .arg(MaxOlderColumns));
            return false;
        }
        // The older format's reader holds a cell for every row and column a
        // sheet declares, some seventeen bytes each. A sheet declaring far
        // more cells than its records could fill (a cell takes six bytes at
        // the least) is refused, so that a small file cannot make it hold
        // tens of megabytes.
        if ((r.id == rDIMENSIONS || r.id == rDIMENSIONS2) && r.data.size() >= 8
            && qint64(u16(r.data, 2)) * u16(r.data, 6) > MaxOlderCellsAnyway + stream.size() / 2) {
            failed(error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (시트가 담은 자료보다 훨씬 큰 크기를 밝힙니다)."));
            return false;
        }
    }
    return true;
}

} // namespace qvx
