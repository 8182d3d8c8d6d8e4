#include "platform/Spreadsheet.h"

#include "platform/SheetValues.h"
#include "platform/TextFile.h"
#include "platform/XlsReader.h"
#include "platform/XlsWriter.h"
#include "platform/XlsxReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <memory>
#include <new>

#include <freexl.h>
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
constexpr int XlsxMaxColumns = 16384;

bool refuse(SheetCells *cells, QString *error, const QString &text)
{
    cells->clear();
    return fail(error, text);
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
            if (!cells->set(int(r), int(c), text))
                return refuse(cells, error, cells->refusal());
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

// A failed workbook write's reason in Korean, as the library's own are English.
QString xlsxFailure(const QString &temp, lxw_error rc)
{
    switch (rc) {
    case LXW_ERROR_CREATING_XLSX_FILE:
        return TextFile::writeFailure(temp, QFileDevice::OpenError);
    case LXW_ERROR_CREATING_TMPFILE:
        return QStringLiteral("임시 파일을 만들 수 없습니다. 임시 폴더의 빈 공간과 쓰기 권한을 확인하십시오.");
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("메모리가 부족합니다.");
    default:
        return TextFile::writeFailure(temp, QFileDevice::WriteError);
    }
}

bool writeXlsx(const QString &temp, const Spreadsheet::Rows &rows, const QVector<int> &amounts,
               const QString &sheetName, QString *error)
{
    lxw_workbook *book = workbook_new(QFile::encodeName(temp).constData());
    if (!book)
        return fail(error, xlsxFailure(temp, LXW_ERROR_MEMORY_MALLOC_FAILED));
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
        return fail(error, xlsxFailure(temp, rc));
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
        QString reason;
        const bool built = writeXlsx(temp, rows, amounts, sheetName, &reason);
        QFile file(temp);
        if (built && file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        file.close();
        QFile::remove(temp);
        if (!built)
            return fail(error, QStringLiteral("파일을 저장할 수 없습니다: ") + QDir::toNativeSeparators(fileName) +
                                   QStringLiteral(" (") + reason + u')');
        if (bytes.isEmpty())
            return fail(error, QStringLiteral("파일을 저장할 수 없습니다: ") + QDir::toNativeSeparators(fileName));
    } else {
        bytes = XlsWriter::build(rows, amounts, sheetName, error);
        if (bytes.isEmpty())
            return false;
    }
    // The finished workbook replaces the old file in one step, so a failure
    // here leaves the old file as it was.
    QString writeError;
    if (!TextFile::writeBytes(fileName, bytes, &writeError))
        return fail(error, QStringLiteral("파일을 저장할 수 없습니다: ") + QDir::toNativeSeparators(fileName) +
                               QStringLiteral(" (") + writeError + u')');
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
        return XlsxReader::read(fileName, cells, error);
    if (!head.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")))
        return fail(error, QStringLiteral("엑셀 파일이 아닙니다."));
    try {
        return readXls(fileName, cells, error);
    } catch (const std::bad_alloc &) {
        return refuse(cells, error, QStringLiteral("메모리가 부족하여 엑셀 파일을 읽을 수 없습니다."));
    }
}

} // namespace qvx
