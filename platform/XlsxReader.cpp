#include "platform/XlsxReader.h"

#include "platform/SheetCells.h"
#include "platform/SheetValues.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

#include <algorithm>
#include <new>
#include <vector>

#include <minizip/unzip.h>

namespace qvx {

namespace {

// The limits of an Office Open XML sheet.
constexpr int XlsxMaxRows = 1048576;
constexpr int XlsxMaxColumns = 16384;
// Excel keeps at most some tens of thousands of cell formats; the rest of a
// styles part that lists more is not read.
constexpr qsizetype MaxStyles = 65536;

const QString Damaged = QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다");

// Column letters of a cell reference ("AB12" -> 27); letters beyond the
// sheet's last column give a column past it, never an overflow.
int columnOfRef(QStringView ref)
{
    int col = 0;
    for (QChar ch : ref) {
        if (ch < u'A' || ch > u'Z')
            break;
        col = std::min(col * 26 + (ch.unicode() - u'A' + 1), XlsxMaxColumns + 1);
    }
    return col - 1;
}

// Why a part could not be read to its end.
enum class Fault { None, Damaged, TooLarge, TooDeep, TooLong };

// A cell holds at most this many characters; a text, or any other token of a
// part, that runs on for more than a megabyte is no workbook's.
constexpr qsizetype MaxCellText = 32767;
constexpr int MaxChunksPerToken = 16;

// The workbook's zip, one member open at a time, counting what all members
// read so far have unpacked to against the budget.
class ZipReader
{
public:
    explicit ZipReader(const QString &fileName)
        : m_zip(unzOpen64(QFile::encodeName(fileName).constData())) {}
    ~ZipReader()
    {
        close();
        if (m_zip)
            unzClose(m_zip);
    }
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    bool isOpen() const { return m_zip != nullptr; }

    // False when the workbook has no such member or it cannot be opened; a
    // member that declares more than is left of the budget is refused before
    // anything of it is unpacked.
    bool open(const char *name, Fault *fault)
    {
        close();
        if (!m_zip || unzLocateFile(m_zip, name, 2) != UNZ_OK)
            return false;
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            return false;
        if (info.uncompressed_size > quint64(m_budget)) {
            *fault = Fault::TooLarge;
            return false;
        }
        m_open = unzOpenCurrentFile(m_zip) == UNZ_OK;
        return m_open;
    }

    // The next piece of the open member, empty at its end; false when the
    // member is damaged or unpacks to more than is left of the budget (a
    // member's declared size may lie).
    bool readChunk(QByteArray *chunk, Fault *fault)
    {
        chunk->resize(64 * 1024);
        const int n = unzReadCurrentFile(m_zip, chunk->data(), unsigned(chunk->size()));
        if (n < 0) {
            *fault = Fault::Damaged;
            return false;
        }
        chunk->truncate(n);
        if (n > m_budget) {
            *fault = Fault::TooLarge;
            return false;
        }
        m_budget -= n;
        if (n == 0) {
            const bool whole = unzCloseCurrentFile(m_zip) == UNZ_OK;  // the checksum
            m_open = false;
            if (!whole) {
                *fault = Fault::Damaged;
                return false;
            }
        }
        return true;
    }

private:
    void close()
    {
        if (m_open)
            unzCloseCurrentFile(m_zip);
        m_open = false;
    }

    unzFile m_zip;
    bool m_open = false;
    qint64 m_budget = XlsxReader::MaxUnpackedBytes;
};

// One XML part read token by token as it unpacks, counting how deep its
// elements nest. Texts are gathered by walking, never by recursion.
class XmlPart
{
public:
    // False when the workbook has no such part (or it cannot be opened).
    bool open(ZipReader &zip, const char *name)
    {
        m_zip = &zip;
        return zip.open(name, &m_fault);
    }

    QXmlStreamReader &xml() { return m_xml; }
    Fault fault() const { return m_fault; }
    QString errorString() const { return m_xml.errorString(); }
    int depth() const { return m_depth; }

    // The next token; false at the end of the part or on a fault.
    bool next()
    {
        while (m_fault == Fault::None) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::Invalid) {
                if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !m_drained) {
                    QByteArray chunk;
                    if (!m_zip->readChunk(&chunk, &m_fault))
                        return false;
                    if (chunk.isEmpty()) {
                        m_drained = true;
                    } else if (++m_chunksInToken > MaxChunksPerToken) {
                        // The reader would gather the whole token before
                        // handing it over.
                        m_fault = Fault::TooLong;
                        return false;
                    } else {
                        m_xml.addData(chunk);
                    }
                    continue;
                }
                m_fault = Fault::Damaged;
                return false;
            }
            m_chunksInToken = 0;
            if (token == QXmlStreamReader::EndDocument)
                return false;
            if (token == QXmlStreamReader::StartElement && ++m_depth > XlsxReader::MaxDepth) {
                m_fault = Fault::TooDeep;
                return false;
            }
            if (token == QXmlStreamReader::EndElement)
                --m_depth;
            return true;
        }
        return false;
    }

    // The text of the element just started, its children's texts included,
    // read up to its end and appended to *out; a text longer than a cell
    // holds is a fault.
    void appendElementText(QString *out)
    {
        const int depth = m_depth;
        while (next()) {
            if (m_xml.isCharacters()) {
                if (out->size() + m_xml.text().size() > MaxCellText) {
                    m_fault = Fault::TooLong;
                    return;
                }
                out->append(m_xml.text());
            } else if (m_xml.isEndElement() && m_depth < depth) {
                break;
            }
        }
    }

    // Passes over the element just started.
    void skipElement()
    {
        const int depth = m_depth;
        while (next())
            if (m_xml.isEndElement() && m_depth < depth)
                break;
    }

private:
    ZipReader *m_zip = nullptr;
    QXmlStreamReader m_xml;
    Fault m_fault = Fault::None;
    bool m_drained = false;
    int m_chunksInToken = 0;
    int m_depth = 0;
};

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// The reason for a part that could not be read for its size or nesting;
// empty for any other part.
QString faultReason(Fault fault)
{
    switch (fault) {
    case Fault::TooLarge:
        return QStringLiteral("엑셀 파일의 압축을 풀면 너무 커서 읽을 수 없습니다 (최대 %1MB).")
            .arg(XlsxReader::MaxUnpackedBytes / (1024 * 1024));
    case Fault::TooDeep:
        return Damaged + QStringLiteral(" (요소가 %1단계보다 깊이 겹쳐 있습니다).").arg(XlsxReader::MaxDepth);
    case Fault::TooLong:
        return Damaged + QStringLiteral(" (글자가 셀 하나에 들어가는 %1자보다 깁니다).").arg(MaxCellText);
    case Fault::Damaged:
    case Fault::None:
        break;
    }
    return QString();
}

// Shared strings, kept in the sheet's text pool: false with the reason when
// there are more of them than cells a sheet may hold.
bool readSharedStrings(ZipReader &zip, SheetCells *cells, std::vector<SheetCells::Text> *out, Fault *fault,
                       QString *error)
{
    XmlPart part;
    if (!part.open(zip, "xl/sharedStrings.xml")) {
        *fault = part.fault();
        return true;
    }
    QXmlStreamReader &r = part.xml();
    QString current;
    bool inSi = false;
    while (part.next()) {
        if (r.isStartElement()) {
            if (r.name() == u"si") {
                inSi = true;
                current.clear();
            } else if (inSi && r.name() == u"t") {
                part.appendElementText(&current);
            } else if (inSi && r.name() == u"rPh") {
                part.skipElement();  // phonetic hints are not cell text
            }
        } else if (r.isEndElement() && r.name() == u"si") {
            if (qsizetype(out->size()) >= SheetCells::MaxCells)
                return fail(error, SheetCells::tooManyCellsMessage());
            out->push_back(cells->keep(current));
            if (cells->textFull())
                return fail(error, cells->refusal());
            inSi = false;
        }
    }
    *fault = part.fault();
    return true;
}

// What the workbook part says: the relationship of the sheet it was saved
// showing, and its epoch.
struct WorkbookFacts
{
    QString activeSheetRid;
    bool date1904 = false;
};

WorkbookFacts readWorkbook(ZipReader &zip, Fault *fault)
{
    WorkbookFacts facts;
    XmlPart part;
    if (!part.open(zip, "xl/workbook.xml")) {
        *fault = part.fault();
        return facts;
    }
    QXmlStreamReader &r = part.xml();
    int active = 0;
    int sheets = 0;
    // Only the ids an active tab can choose are kept: its own, and the first
    // and last for a tab before or past the sheets.
    QString firstRid, lastRid, activeRid;
    while (part.next()) {
        if (!r.isStartElement())
            continue;
        if (r.name() == u"workbookPr") {
            const QStringView v = r.attributes().value(QStringLiteral("date1904"));
            facts.date1904 = v == u"1" || v == u"true";
        } else if (r.name() == u"workbookView" && r.attributes().hasAttribute(QStringLiteral("activeTab"))) {
            active = r.attributes().value(QStringLiteral("activeTab")).toInt();
        } else if (r.name() == u"sheet") {
            for (const QXmlStreamAttribute &a : r.attributes())
                if (a.name() == u"id" && a.prefix() == u"r") {
                    lastRid = a.value().toString();
                    if (sheets == 0)
                        firstRid = lastRid;
                    if (sheets == active)
                        activeRid = lastRid;
                    ++sheets;
                }
        }
    }
    facts.activeSheetRid = active < 0 ? firstRid : active >= sheets ? lastRid : activeRid;
    *fault = part.fault();
    return facts;
}

// The target of the sheet of relationship `rid`, e.g. "worksheets/sheet1.xml";
// the first sheet's usual name when the workbook does not say.
QString sheetPath(ZipReader &zip, const QString &rid, Fault *fault)
{
    const QString standard = QStringLiteral("worksheets/sheet1.xml");
    XmlPart part;
    if (rid.isEmpty() || !part.open(zip, "xl/_rels/workbook.xml.rels")) {
        *fault = part.fault();
        return standard;
    }
    QXmlStreamReader &r = part.xml();
    while (part.next()) {
        if (r.isStartElement() && r.name() == u"Relationship" && r.attributes().value(QStringLiteral("Id")) == rid) {
            QString target = r.attributes().value(QStringLiteral("Target")).toString();
            if (target.startsWith(u'/'))
                target = target.mid(1).remove(QStringLiteral("xl/"));
            return target;
        }
    }
    *fault = part.fault();
    return standard;
}

// The kind of number of each cell style (the cell's "s" attribute).
QVector<sheet::NumberKind> readStyleKinds(ZipReader &zip, Fault *fault)
{
    sheet::FormatKinds formats;
    QVector<sheet::NumberKind> kinds;
    XmlPart part;
    if (!part.open(zip, "xl/styles.xml")) {
        *fault = part.fault();
        return kinds;
    }
    QXmlStreamReader &r = part.xml();
    bool inCellXfs = false;
    while (part.next()) {
        if (r.isStartElement()) {
            if (r.name() == u"numFmt" && formats.size() < MaxStyles)
                formats.define(r.attributes().value(QStringLiteral("numFmtId")).toInt(),
                               r.attributes().value(QStringLiteral("formatCode")).toString());
            else if (r.name() == u"cellXfs")
                inCellXfs = true;
            else if (inCellXfs && r.name() == u"xf" && kinds.size() < MaxStyles) {
                const int id = r.attributes().value(QStringLiteral("numFmtId")).toInt();
                kinds << formats.kind(id);
            }
        } else if (r.isEndElement() && r.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    *fault = part.fault();
    return kinds;
}


// The cells of the sheet part `path`.
bool readSheet(ZipReader &zip, const QByteArray &path, const std::vector<SheetCells::Text> &strings,
               const QVector<sheet::NumberKind> &styleKinds, bool date1904, SheetCells *cells, QString *error)
{
    XmlPart part;
    if (!part.open(zip, path.constData())) {
        if (const QString reason = faultReason(part.fault()); !reason.isEmpty())
            return fail(error, reason);
        return fail(error, QStringLiteral("엑셀 파일에 읽을 수 있는 시트가 없습니다."));
    }
    QXmlStreamReader &r = part.xml();
    int rowIndex = -1;
    int colIndex = -1;
    QString type;
    sheet::NumberKind kind = sheet::NumberKind::Number;
    while (part.next()) {
        if (!r.isStartElement())
            continue;
        if (r.name() == u"row") {
            const int number = r.attributes().value(QStringLiteral("r")).toInt();
            rowIndex = number > 0 ? number - 1 : rowIndex + 1;
            colIndex = -1;
            if (rowIndex >= XlsxMaxRows)
                return fail(error, Damaged + QStringLiteral(" (%1행이 시트의 %2행을 넘습니다).").arg(rowIndex + 1).arg(XlsxMaxRows));
        } else if (r.name() == u"c" && rowIndex >= 0) {
            const QStringView ref = r.attributes().value(QStringLiteral("r"));
            colIndex = ref.isEmpty() ? colIndex + 1 : columnOfRef(ref);
            if (colIndex >= XlsxMaxColumns)
                return fail(error, Damaged + QStringLiteral(" (%1행의 셀이 시트의 %2열을 넘습니다).")
                                                 .arg(rowIndex + 1)
                                                 .arg(XlsxMaxColumns));
            type = r.attributes().value(QStringLiteral("t")).toString();
            const QStringView style = r.attributes().value(QStringLiteral("s"));
            kind = style.isEmpty() ? sheet::NumberKind::Number : styleKinds.value(style.toInt(), sheet::NumberKind::Number);
        } else if ((r.name() == u"v" || r.name() == u"is") && rowIndex >= 0 && colIndex >= 0) {
            QString raw;
            part.appendElementText(&raw);
            if (type == u"s") {
                const int index = raw.toInt();
                const SheetCells::Text shared = index >= 0 && size_t(index) < strings.size() ? strings[size_t(index)]
                                                                                               : SheetCells::Text();
                if (!cells->set(rowIndex, colIndex, shared))
                    return fail(error, cells->refusal());
                continue;
            }
            QString text;
            if (type == u"str" || type == u"inlineStr" || type == u"e")
                text = raw;
            else if (type == u"b")
                text = raw == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            else {
                bool ok = false;
                const double v = raw.toDouble(&ok);
                text = ok ? sheet::valueText(v, kind, date1904) : raw;
            }
            if (!cells->set(rowIndex, colIndex, text))
                return fail(error, cells->refusal());
        }
    }
    if (part.fault() == Fault::Damaged)
        return fail(error, QStringLiteral("엑셀 파일의 시트가 손상되어 읽을 수 없습니다: ") + part.errorString());
    if (const QString reason = faultReason(part.fault()); !reason.isEmpty())
        return fail(error, reason);
    return true;
}

bool readWorkbookCells(const QString &fileName, SheetCells *cells, QString *error)
{
    ZipReader zip(fileName);
    if (!zip.isOpen())
        return fail(error, QStringLiteral("읽을 수 있는 엑셀 파일이 아닙니다."));
    // A damaged part beside the sheet reads as far as it goes; one that
    // unpacks to too much or nests too deep refuses the workbook.
    Fault fault = Fault::None;
    std::vector<SheetCells::Text> strings;
    if (!readSharedStrings(zip, cells, &strings, &fault, error))
        return false;
    if (const QString reason = faultReason(fault); !reason.isEmpty())
        return fail(error, reason);
    const QVector<sheet::NumberKind> styleKinds = readStyleKinds(zip, &fault);
    if (const QString reason = faultReason(fault); !reason.isEmpty())
        return fail(error, reason);
    const WorkbookFacts workbook = readWorkbook(zip, &fault);
    if (const QString reason = faultReason(fault); !reason.isEmpty())
        return fail(error, reason);
    const QString path = sheetPath(zip, workbook.activeSheetRid, &fault);
    if (const QString reason = faultReason(fault); !reason.isEmpty())
        return fail(error, reason);
    return readSheet(zip, ("xl/" + path).toUtf8(), strings, styleKinds, workbook.date1904, cells, error);
}

} // namespace

bool XlsxReader::read(const QString &fileName, SheetCells *cells, QString *error)
{
    cells->clear();
    bool read = false;
    try {
        read = readWorkbookCells(fileName, cells, error);
    } catch (const std::bad_alloc &) {
        fail(error, QStringLiteral("메모리가 부족하여 엑셀 파일을 읽을 수 없습니다."));
    }
    if (!read)
        cells->clear();
    return read;
}

} // namespace qvx
