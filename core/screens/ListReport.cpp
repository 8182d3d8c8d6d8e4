#include "core/screens/ListReport.h"

#include "core/CellText.h"
#include "core/ReportParams.h"
#include "core/screens/FormParts.h"
#include "core/screens/ListGrid.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/Report.h"
#include "platform/TListGrid.h"

#include <algorithm>

using qvx::ReportItem;

QString ReportColumnLabel(int index) { return QStringLiteral("d") + QString::number(index); }

void AddReportColumns(qvx::Report &report, const QList<ReportColumn> &columns, const ReportColumnsLook &look)
{
    report.columnHeader.height = look.headerHeight;
    report.detail.height = look.detailHeight;
    double total = 0;
    for (const ReportColumn &c : columns)
        total += c.width;
    if (!look.boxEach) {
        report.columnHeader.add(ReportItem::Box, QString(), QRectF(look.x, 0, total, look.headerHeight));
        report.detail.add(ReportItem::Box, QString(), QRectF(look.x, 0, total, look.detailHeight));
    }
    double x = look.x;
    for (int i = 0; i < columns.size(); ++i) {
        const ReportColumn &c = columns[i];
        if (look.boxEach) {
            report.columnHeader.add(ReportItem::Box, QString(), QRectF(x, 0, c.width, look.headerHeight));
            report.detail.add(ReportItem::Box, QString(), QRectF(x, 0, c.width, look.detailHeight));
        }
        report.columnHeader.add(ReportItem::Label, QString(), QRectF(x, 0, c.width, look.headerHeight), c.title,
                                Qt::AlignCenter);
        report.detail.add(ReportItem::Label, ReportColumnLabel(i),
                          QRectF(x + look.inset, 0, c.width - 2 * look.inset, look.detailHeight), QString(), c.align);
        x += c.width;
    }
}

void FillReportColumns(qvx::Report &report, const QList<ReportColumn> &columns, const TListGrid *grid, int row)
{
    for (int i = 0; i < columns.size(); ++i) {
        QString text;
        if (row > 0)
            text = columns[i].gridCol == ReportColumn::RowNo ? QString::number(row) : grid->Cells(columns[i].gridCol, row);
        report.detail.setCaption(ReportColumnLabel(i), text);
    }
}

void AddReportTitle(qvx::Report &report, const QString &caption, double width, double productY)
{
    report.documentName = caption;
    report.title.add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 2, width, 10), caption, Qt::AlignCenter)
        .font.setPointSize(16);
    if (productY >= 0)
        report.title.add(ReportItem::Label, QStringLiteral("qlbl_product"), QRectF(width - 50, productY, 50, 5),
                         QStringLiteral("Quvex Service"), Qt::AlignRight | Qt::AlignVCenter);
}

void AddTitleValues(qvx::Report &report, const QList<TitleValue> &values)
{
    for (const TitleValue &v : values) {
        report.title.add(ReportItem::Label, QString(), QRectF(v.at.x(), v.at.y(), v.captionWidth, 5), v.caption);
        report.title.add(ReportItem::Label, v.name, QRectF(v.at.x() + v.captionWidth, v.at.y(), v.valueWidth, 5),
                         QString(), v.align);
        if (!v.unit.isEmpty())
            report.title.add(ReportItem::Label, QString(),
                             QRectF(v.at.x() + v.captionWidth + v.valueWidth + 1, v.at.y(), 5, 5), v.unit);
    }
}

void AddPrintDateFooter(qvx::Report &report, double width, const QString &caption)
{
    if (report.pageFooter.height <= 0)
        report.pageFooter.height = 7;
    report.pageFooter.add(ReportItem::Label, QString(), QRectF(0, 1, 20, 5), caption);
    report.pageFooter.add(ReportItem::Label, QStringLiteral("qlbl_printdate"), QRectF(20, 1, 50, 5));
    report.pageFooter.add(ReportItem::Label, QString(), QRectF(width - 40, 1, 15, 5), QStringLiteral("Page : "));
    report.pageFooter.add(ReportItem::PageNumber, QString(), QRectF(width - 25, 1, 25, 5));
}

void SetPrintDate(qvx::Report &report)
{
    report.pageFooter.setCaption(QStringLiteral("qlbl_printdate"), KoreanDateText(qvx::Clock::date()) + u' ');
}

qint64 ColumnSum(const TListGrid *grid, int col)
{
    qint64 sum = 0;
    for (int r = 1; r < grid->RowCount(); ++r)
        sum += MoneyCellValue(grid->CellView(col, r));
    return sum;
}

int ListReportRows::nextLine(int rows)
{
    const int perPage = m_firstPage ? m_first : m_later;
    if (m_i >= rows && (!m_fill || perPage <= 0 || m_p % perPage == 0))
        return -1;
    const int row = m_i < rows ? m_i + 1 : 0;
    ++m_i;
    ++m_p;
    return row;
}

void ListReportRows::endPage()
{
    m_p = 0;
    m_firstPage = false;
}

QList<int> ListReportRows::linesPerPage(int dataRows) const
{
    ListReportRows run = *this;
    run.reset();
    QList<int> pages;
    int onPage = 0;
    while (run.nextLine(dataRows) >= 0) {
        ++onPage;
        const int capacity = pages.isEmpty() ? m_first : m_later;
        if (onPage == capacity) {
            pages.append(onPage);
            onPage = 0;
            run.endPage();
        }
    }
    if (onPage > 0)
        pages.append(onPage);
    return pages;
}

void ListReportRows::attach(qvx::Report &report, std::function<int()> dataRows, std::function<void(int)> fill)
{
    auto previousBefore = report.BeforePrint;
    report.BeforePrint = [this, previousBefore] {
        reset();
        if (previousBefore)
            previousBefore();
    };
    report.NeedData = [this, dataRows, fill] {
        const int row = nextLine(dataRows());
        if (row < 0)
            return false;
        fill(row);
        return true;
    };
    report.EndPage = [this] { endPage(); };
    // A report made from a screen's parameters is fitted to them here, so
    // that its title band is printed and its pages hold the lines they name.
    if (m_setsOrientation)
        fitPage(report);
}

void ListReportRows::attachGrid(qvx::Report &report, const TListGrid *grid, QList<ReportColumn> columns, int emptyCol)
{
    attach(
        report, [grid, emptyCol] { return GridIsEmpty(grid, emptyCol) ? 0 : grid->RowCount() - 1; },
        [&report, grid, columns = std::move(columns)](int row) { FillReportColumns(report, columns, grid, row); });
}

void ListReportRows::fitPage(qvx::Report &report) const
{
    if (m_setsOrientation)
        report.orientation = m_orientation == ReportParams::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    const double room = report.printableHeight() - report.columnHeader.height - report.pageFooter.height;
    report.detail.height = room / m_later - 0.001;
    // The title band keeps the height its items need (or the one it was
    // given), so the list follows its last line at once; the first page
    // counts its own lines, and what room they leave stays at its foot.
    double needed = report.title.height;
    for (const qvx::ReportItem &item : report.title.items)
        needed = std::max(needed, item.rect.bottom() + 2);
    report.title.height = std::min(needed, room - m_first * report.detail.height - 0.01);
    report.firstPageDetails = m_first;
    report.laterPageDetails = m_later;
}

void PrintList(QWidget *owner, TListGrid *grid, qvx::Report &report, bool preview, int emptyCol)
{
    if (GridIsEmpty(grid, emptyCol)) {
        qvx::Prompt::instance().message(QStringLiteral("출력할 자료가 존재하지 않습니다."));
        return;
    }
    if (preview)
        report.preview(owner);
    else
        report.print(owner);
}

PrintButtons AddPrintButtons(ButtonRow &row, QWidget *owner, TListGrid *grid, qvx::Report &report, int width)
{
    return {row.add("btn_preview", QStringLiteral("미리보기"), width, [owner, grid, &report] { PrintList(owner, grid, report, true); }),
            row.add("btn_print", QStringLiteral("인 쇄"), width, [owner, grid, &report] { PrintList(owner, grid, report, false); })};
}
