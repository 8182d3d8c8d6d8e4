#include "platform/Spreadsheet.h"

#include "platform/SheetValues.h"
#include "platform/TextFile.h"
#include "platform/XlsReader.h"
#include "platform/XlsWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cmath>
#include <memory>

#include <freexl.h>
#include <minizip/unzip.h>
#include <xlsxwriter.h>

namespace qvx {

namespace {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// The limits of an Office Open XML sheet.
constexpr int XlsxMaxRows = 1048576;
constexpr int XlsxMaxColumns = 16384;

bool refuse(SheetCells *cells, QString *error, const QString &text)
{
    cells->clear();
    return fail(error, text);
}


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

class ZipReader
{
public:
    explicit ZipReader(const QString &fileName)
        : m_zip(unzOpen64(QFile::encodeName(fileName).constData())) {}
    ~ZipReader()
    {
        if (m_zip)
            unzClose(m_zip);
    }
    bool isOpen() const { return m_zip != nullptr; }

    bool read(const char *name, QByteArray *out)
    {
        if (!m_zip || unzLocateFile(m_zip, name, 2) != UNZ_OK)
            return false;
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            return false;
        constexpr quint64 kLimit = 512ull * 1024 * 1024;
        if (info.uncompressed_size > kLimit || unzOpenCurrentFile(m_zip) != UNZ_OK)
            return false;
        out->clear();
        char buf[65536];
        int n = 0;
        while ((n = unzReadCurrentFile(m_zip, buf, sizeof buf)) > 0) {
            out->append(buf, n);
            if (quint64(out->size()) > kLimit)
                break;
        }
        const int closeRc = unzCloseCurrentFile(m_zip);
        return n == 0 && closeRc == UNZ_OK;
    }

private:
    unzFile m_zip;
};

QStringList readSharedStrings(const QByteArray &xml)
{
    QStringList out;
    QXmlStreamReader r(xml);
    QString current;
    bool inSi = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            if (r.name() == u"si") {
                inSi = true;
                current.clear();
            } else if (inSi && r.name() == u"t") {
                current += r.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (inSi && r.name() == u"rPh") {
                r.skipCurrentElement();   // phonetic hints are not cell text
            }
        } else if (r.isEndElement() && r.name() == u"si") {
            out << current;
            inSi = false;
        }
    }
    return out;
}

// The target of the active sheet, e.g. "worksheets/sheet1.xml".
QString activeSheetPath(ZipReader &zip)
{
    QByteArray workbook, rels;
    if (!zip.read("xl/workbook.xml", &workbook))
        return QStringLiteral("worksheets/sheet1.xml");
    int active = 0;
    QStringList sheetRids;
    QXmlStreamReader r(workbook);
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        if (r.name() == u"workbookView" && r.attributes().hasAttribute(QStringLiteral("activeTab")))
            active = r.attributes().value(QStringLiteral("activeTab")).toInt();
        else if (r.name() == u"sheet") {
            for (const QXmlStreamAttribute &a : r.attributes())
                if (a.name() == u"id" && a.prefix() == u"r")
                    sheetRids << a.value().toString();
        }
    }
    if (sheetRids.isEmpty() || !zip.read("xl/_rels/workbook.xml.rels", &rels))
        return QStringLiteral("worksheets/sheet1.xml");
    const QString rid = sheetRids.value(std::clamp(active, 0, int(sheetRids.size()) - 1));
    QXmlStreamReader rr(rels);
    while (!rr.atEnd()) {
        rr.readNext();
        if (rr.isStartElement() && rr.name() == u"Relationship"
            && rr.attributes().value(QStringLiteral("Id")) == rid) {
            QString target = rr.attributes().value(QStringLiteral("Target")).toString();
            if (target.startsWith(u'/'))
                target = target.mid(1).remove(QStringLiteral("xl/"));
            return target;
        }
    }
    return QStringLiteral("worksheets/sheet1.xml");
}

// The kind of number of each cell style (the cell's "s" attribute).
QVector<sheet::NumberKind> readStyleKinds(const QByteArray &xml)
{
    QHash<int, QString> codes;
    QVector<sheet::NumberKind> kinds;
    QXmlStreamReader r(xml);
    bool inCellXfs = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            if (r.name() == u"numFmt")
                codes.insert(r.attributes().value(QStringLiteral("numFmtId")).toInt(),
                             r.attributes().value(QStringLiteral("formatCode")).toString());
            else if (r.name() == u"cellXfs")
                inCellXfs = true;
            else if (inCellXfs && r.name() == u"xf") {
                const int id = r.attributes().value(QStringLiteral("numFmtId")).toInt();
                kinds << sheet::kindOfFormat(id, codes.value(id));
            }
        } else if (r.isEndElement() && r.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    return kinds;
}

bool usesDate1904(const QByteArray &workbook)
{
    QXmlStreamReader r(workbook);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"workbookPr") {
            const QStringView v = r.attributes().value(QStringLiteral("date1904"));
            return v == u"1" || v == u"true";
        }
    }
    return false;
}

bool readXlsx(const QString &fileName, SheetCells *cells, QString *error)
{
    ZipReader zip(fileName);
    if (!zip.isOpen())
        return fail(error, QStringLiteral("읽을 수 있는 엑셀 파일이 아닙니다."));
    QByteArray shared, sheet, styles, workbook;
    QStringList strings;
    if (zip.read("xl/sharedStrings.xml", &shared))
        strings = readSharedStrings(shared);
    QVector<sheet::NumberKind> styleKinds;
    if (zip.read("xl/styles.xml", &styles))
        styleKinds = readStyleKinds(styles);
    const bool date1904 = zip.read("xl/workbook.xml", &workbook) && usesDate1904(workbook);
    const QByteArray sheetPath = ("xl/" + activeSheetPath(zip)).toUtf8();
    if (!zip.read(sheetPath.constData(), &sheet))
        return fail(error, QStringLiteral("엑셀 파일에 읽을 수 있는 시트가 없습니다."));

    cells->clear();
    QXmlStreamReader r(sheet);
    int rowIndex = -1;
    int colIndex = -1;
    QString type;
    sheet::NumberKind kind = sheet::NumberKind::Number;
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        if (r.name() == u"row") {
            const int number = r.attributes().value(QStringLiteral("r")).toInt();
            rowIndex = number > 0 ? number - 1 : rowIndex + 1;
            colIndex = -1;
            if (rowIndex >= XlsxMaxRows)
                return refuse(cells, error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (%1행이 시트의 %2행을 넘습니다).")
                                               .arg(rowIndex + 1)
                                               .arg(XlsxMaxRows));
        } else if (r.name() == u"c" && rowIndex >= 0) {
            const QStringView ref = r.attributes().value(QStringLiteral("r"));
            colIndex = ref.isEmpty() ? colIndex + 1 : columnOfRef(ref);
            if (colIndex >= XlsxMaxColumns)
                return refuse(cells, error, QStringLiteral("엑셀 파일이 손상되어 읽을 수 없습니다 (%1행의 셀이 시트의 %2열을 넘습니다).")
                                               .arg(rowIndex + 1)
                                               .arg(XlsxMaxColumns));
            type = r.attributes().value(QStringLiteral("t")).toString();
            const QStringView style = r.attributes().value(QStringLiteral("s"));
            kind = style.isEmpty() ? sheet::NumberKind::Number : styleKinds.value(style.toInt(), sheet::NumberKind::Number);
        } else if ((r.name() == u"v" || r.name() == u"is") && rowIndex >= 0 && colIndex >= 0) {
            const QString raw = r.readElementText(QXmlStreamReader::IncludeChildElements);
            QString text;
            if (type == u"s")
                text = strings.value(raw.toInt());
            else if (type == u"str" || type == u"inlineStr" || type == u"e")
                text = raw;
            else if (type == u"b")
                text = raw == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            else {
                bool ok = false;
                const double v = raw.toDouble(&ok);
                text = ok ? sheet::valueText(v, kind, date1904) : raw;
            }
            if (!text.isEmpty() && cells->cellCount() >= SheetCells::MaxCells)
                return refuse(cells, error, SheetCells::tooManyCellsMessage());
            cells->set(rowIndex, colIndex, text);
        }
    }
    if (r.hasError())
        return refuse(cells, error, QStringLiteral("엑셀 파일의 시트가 손상되어 읽을 수 없습니다: ") + r.errorString());
    return true;
}

// Workbooks older than Excel 97 (BIFF5 and before).
bool readOldXls(const QString &fileName, int sheet, SheetCells *cells, QString *error)
{
    const void *handle = nullptr;
    if (freexl_open(QFile::encodeName(fileName).constData(), &handle) != FREEXL_OK)
        return fail(error, QStringLiteral("읽을 수 있는 엑셀 파일이 아닙니다."));
    std::unique_ptr<const void, void (*)(const void *)> guard(handle, [](const void *h) { freexl_close(h); });
    if (freexl_select_active_worksheet(handle, unsigned(sheet)) != FREEXL_OK
        && freexl_select_active_worksheet(handle, 0) != FREEXL_OK)
        return fail(error, QStringLiteral("엑셀 파일에 읽을 수 있는 시트가 없습니다."));
    unsigned int nRows = 0;
    unsigned short nCols = 0;
    if (freexl_worksheet_dimensions(handle, &nRows, &nCols) != FREEXL_OK)
        return fail(error, QStringLiteral("엑셀 파일에 읽을 수 있는 시트가 없습니다."));
    cells->clear();
    for (unsigned int r = 0; r < nRows; ++r) {
        for (unsigned short c = 0; c < nCols; ++c) {
            FreeXL_CellValue cell;
            QString text;
            if (freexl_get_cell_value(handle, r, c, &cell) == FREEXL_OK) {
                switch (cell.type) {
                case FREEXL_CELL_INT:
                    text = QString::number(cell.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    text = sheet::numberText(cell.value.double_value);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    text = QString::fromUtf8(cell.value.text_value);
                    break;
                default:
                    break;
                }
            }
            if (!text.isEmpty() && cells->cellCount() >= SheetCells::MaxCells)
                return refuse(cells, error, SheetCells::tooManyCellsMessage());
            cells->set(int(r), int(c), text);
        }
    }
    return true;
}

bool readXls(const QString &fileName, SheetCells *cells, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    constexpr qint64 Limit = 512LL * 1024 * 1024;
    if (file.size() > Limit)
        return fail(error, QStringLiteral("엑셀 파일이 너무 커서 읽을 수 없습니다."));
    const QByteArray bytes = file.readAll();
    file.close();
    switch (XlsReader::read(bytes, cells, error)) {
    case XlsReader::Result::Read:
        return true;
    case XlsReader::Result::NotBiff8:
        if (!XlsReader::olderSheetsFit(bytes, error))
            return false;
        return readOldXls(fileName, XlsReader::activeWorksheet(bytes), cells, error);
    case XlsReader::Result::Failed:
        break;
    }
    return false;
}

bool writeXlsx(const QString &temp, const Spreadsheet::Rows &rows, const QVector<int> &amounts,
               const QString &sheetName, QString *error)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(temp).constData());
    if (!book)
        return fail(error, QStringLiteral("파일을 만들 수 없습니다: ") + temp);
    lxw_worksheet *sheet = workbook_add_worksheet(book, sheetName.toUtf8().constData());
    if (!sheet) {
        workbook_close(book);
        return fail(error, QStringLiteral("시트 이름으로 쓸 수 없습니다: ") + sheetName);
    }
    const QVector<int> widths = XlsWriter::columnWidths(rows);
    for (int c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
    QHash<int, lxw_format *> formats;
    auto formatFor = [&](int decimals) {
        auto it = formats.find(decimals);
        if (it == formats.end()) {
            lxw_format *f = workbook_add_format(book);
            const QByteArray code = decimals == 0 ? QByteArray("#,##0") : "#,##0." + QByteArray(decimals, '0');
            format_set_num_format(f, code.constData());
            it = formats.insert(decimals, f);
        }
        return it.value();
    };
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString &text = rows[r][c];
            if (text.isEmpty())
                continue;
            const int decimals = amounts.value(c, -1);
            double value = 0;
            if (r > 0 && decimals >= 0 && sheet::exactAmount(text, &value))
                worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), value, formatFor(decimals));
            else
                worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), text.toUtf8().constData(), nullptr);
        }
    const lxw_error rc = workbook_close(book);
    if (rc != LXW_NO_ERROR)
        return fail(error, QString::fromUtf8(lxw_strerror(rc)));
    return true;
}

} // namespace

QString Spreadsheet::numberText(double value)
{
    return sheet::numberText(value);
}

QVector<int> Spreadsheet::amountColumns(const Rows &rows, const QVector<bool> &numberColumns)
{
    static const QRegularExpression amount(QStringLiteral("^-?(0|[1-9][0-9]{0,2}(,[0-9]{3})*)(\\.([0-9]+))?$"));
    int columns = 0;
    for (const QStringList &r : rows)
        columns = std::max(columns, int(r.size()));
    QVector<int> out(columns, -1);
    for (int c = 0; c < columns; ++c) {
        bool grouped = false, allAmounts = true;
        int decimals = 0;
        for (int r = 1; r < rows.size() && allAmounts; ++r) {
            const QString text = rows[r].value(c);
            if (text.isEmpty())
                continue;
            const QRegularExpressionMatch m = amount.match(text);
            allAmounts = m.hasMatch();
            grouped = grouped || text.contains(u',');
            decimals = std::max(decimals, int(m.capturedLength(4)));
        }
        if (allAmounts && (grouped || numberColumns.value(c)))
            out[c] = decimals;
    }
    return out;
}

bool Spreadsheet::write(const QString &fileName, const Rows &rows, QString *error, const QString &sheetName,
                        const QVector<bool> &numberColumns)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    const QVector<int> amounts = amountColumns(rows, numberColumns);
    QByteArray bytes;
    if (fileName.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) {
        if (const QString refusal = XlsWriter::overlongText(rows); !refusal.isEmpty())
            return fail(error, refusal);
        const QString temp = fileName + QStringLiteral(".part");
        QFile::remove(temp);
        const bool built = writeXlsx(temp, rows, amounts, sheetName, error);
        QFile file(temp);
        if (built && file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        file.close();
        QFile::remove(temp);
        if (!built)
            return false;
        if (bytes.isEmpty())
            return fail(error, QStringLiteral("파일을 저장할 수 없습니다: ") + fileName);
    } else {
        bytes = XlsWriter::build(rows, amounts, sheetName, error);
        if (bytes.isEmpty())
            return false;
    }
    // The finished workbook replaces the old file in one step, so a failure
    // here leaves the old file as it was.
    QString writeError;
    if (!TextFile::writeBytes(fileName, bytes, &writeError))
        return fail(error, QStringLiteral("파일을 저장할 수 없습니다: ") + fileName + QStringLiteral(" (") + writeError + u')');
    return true;
}

bool Spreadsheet::read(const QString &fileName, Rows *rows, QString *error)
{
    rows->clear();
    SheetCells cells;
    if (!read(fileName, &cells, error))
        return false;
    if (cells.paddedCellCount() > MaxDenseCells)
        return fail(error, QStringLiteral("시트가 너무 넓거나 길어 읽을 수 없습니다 (빈 칸을 포함해 최대 %1칸).")
                               .arg(QLocale(QLocale::Korean, QLocale::SouthKorea).toString(qlonglong(MaxDenseCells))));
    *rows = cells.rows(XlsxMaxColumns);
    return true;
}

bool Spreadsheet::read(const QString &fileName, SheetCells *cells, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    const QByteArray head = file.read(8);
    file.close();
    if (head.startsWith("PK"))
        return readXlsx(fileName, cells, error);
    if (head.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")))
        return readXls(fileName, cells, error);
    return fail(error, QStringLiteral("엑셀 파일이 아닙니다."));
}

} // namespace qvx
