#pragma once
// The report kit of the list screens: the report's columns (a column header
// and a detail line made from one table), the title's caption-and-value
// pairs, the print-date footer with the page number, the exact sum of a
// money column, the paging of the list's rows, and print and preview.
//
//   const QList<ReportColumn> cols = {{"NO", 10, ReportColumn::RowNo}, {"이체금액", 26, cPrice, AlignRight}};
//   AddReportColumns(Report1, cols);
//   AddTitleValues(Report1, {{"전 체 건 수 : ", "qlbl_totalgun", {100, 14}, "건"}});
//   AddPrintDateFooter(Report1, 190);
//   m_reportRows.attachGrid(Report1, grd_list, cols);   // data rows, then empty lines

#include "core/ListColumns.h"
#include "core/ReportParams.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <functional>
#include <utility>

class ButtonRow;
class QWidget;
class TDDButton;
class TListGrid;
namespace qvx { class Report; }

struct ReportColumn
{
    static constexpr int RowNo = -1;   // the column shows the list row number
    QString title;
    double width = 20;                 // millimetres
    int gridCol = RowNo;               // the grid column it prints
    Qt::Alignment align = AlignCenter;
};

struct ReportColumnsLook
{
    double headerHeight = 8;
    double detailHeight = 6;
    bool boxEach = false;  // a box around each column; otherwise one box around the line
    double inset = 0;      // left and right margin of the texts inside their column
    double x = 0;          // where the first column starts
};

// The column header (titles centred) and the detail labels ("d0", "d1", ...
// by position in the table), with the bands' heights.
void AddReportColumns(qvx::Report &report, const QList<ReportColumn> &columns, const ReportColumnsLook &look = {});
// The detail labels for grid row `row`; row 0: an empty line.
void FillReportColumns(qvx::Report &report, const QList<ReportColumn> &columns, const TListGrid *grid, int row);
// The name of the detail label of column `index`.
QString ReportColumnLabel(int index);

// The report's name and its title line: `caption` centred in 16 points over
// the page's `width` (label "qrlbl_Title"), and "Quvex Service" at the right
// of the line at `productY` (none when negative).
void AddReportTitle(qvx::Report &report, const QString &caption, double width, double productY = -1);

// A caption and its value label in the title band ("전 체 건 수 : " then the
// figure, then the unit).
struct TitleValue
{
    QString caption;
    QString name;          // the value label's name
    QPointF at;            // top left of the caption, millimetres
    QString unit{};        // after the value ("" for none)
    double captionWidth = 24;
    double valueWidth = 70;
    Qt::Alignment align = AlignLeft;
};
void AddTitleValues(qvx::Report &report, const QList<TitleValue> &values);

// The page footer: "출력 일자 : " and the print date at the left, "Page : "
// and the page number at the right of a band `width` millimetres wide.
// SetPrintDate writes today's date into it (call it before printing).
void AddPrintDateFooter(qvx::Report &report, double width, const QString &caption = QStringLiteral("출력 일자 : "));
void SetPrintDate(qvx::Report &report);

// The sum of a money column over the data rows, read exactly (',' removed;
// a cell that is no whole number counts 0).
qint64 ColumnSum(const TListGrid *grid, int col);

// The detail rows of a list report: data rows 1..n of the grid, then empty rows
// until the page is full (`firstPage` lines on the first page, `laterPages` on
// the others). `fill(row)` sets the detail labels for grid row `row`, or for an
// empty line when row is 0.
class ListReportRows
{
public:
    ListReportRows(int firstPage, int laterPages) : m_first(firstPage), m_later(laterPages) {}
    // A screen's report parameters: lines per page, the last page filled
    // or not, and the orientation that fitPage gives the report.
    explicit ListReportRows(const ReportParams &params)
        : m_first(params.firstPageLines), m_later(params.laterPageLines), m_fill(params.fillLastPage),
          m_orientation(params.orientation), m_setsOrientation(true)
    {
    }
    // Made from a screen's parameters, attaching also fits the page
    // (fitPage): attach after the column header and the footer are built.
    void attach(qvx::Report &report, std::function<int()> dataRows, std::function<void(int row)> fill);
    // The same over a list grid and the report's columns.
    void attachGrid(qvx::Report &report, const TListGrid *grid, QList<ReportColumn> columns, int emptyCol = 0);
    void reset() { m_i = 0; m_p = 0; m_firstPage = true; }
    // The detail lines each page prints for `dataRows` list rows: the one
    // paging rule, which the report follows line by line.
    QList<int> linesPerPage(int dataRows) const;
    // Sizes the detail and title bands so that exactly `firstPage` and
    // `laterPages` detail lines fit (column header and footer heights kept).
    void fitPage(qvx::Report &report) const;

private:
    int m_first;
    int m_later;
    bool m_fill = true;
    // One more detail line for `rows` data rows: the row it prints (0 for an
    // empty line), or -1 when the report is complete.
    int nextLine(int rows);
    void endPage();
    ReportParams::Orientation m_orientation = ReportParams::Portrait;
    bool m_setsOrientation = false; // made from a screen's parameters
    int m_i = 0;
    int m_p = 0;
    bool m_firstPage = true;
};

// Print or preview a report; an empty list gives "출력할 자료가 존재하지 않습니다.".
void PrintList(QWidget *owner, TListGrid *grid, qvx::Report &report, bool preview, int emptyCol = 0);

// "미리보기" (btn_preview) and "인 쇄" (btn_print) of a list, `width` wide:
// the report of the list, refused while the list is empty.
//   std::tie(btn_preview, btn_print) = AddPrintButtons(buttons, this, grd_list, Report1);
using PrintButtons = std::pair<TDDButton *, TDDButton *>;
PrintButtons AddPrintButtons(ButtonRow &row, QWidget *owner, TListGrid *grid, qvx::Report &report, int width = 90);
