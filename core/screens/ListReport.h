#pragma once
// The report kit of the list screens: the report's columns (a column header
// and a detail line made from one table), the title's caption-and-value
// pairs, the print-date footer with the page number, and the exact sum of a
// money column.
//
//   const QList<ReportColumn> cols = {{"NO", 10, ReportColumn::RowNo}, {"이체금액", 26, cPrice, AlignRight}};
//   AddReportColumns(Report1, cols);
//   AddTitleValues(Report1, {{"전 체 건 수 : ", "qlbl_totalgun", {100, 14}, "건"}});
//   AddPrintDateFooter(Report1, 190);
//   m_reportRows.attachGrid(Report1, grd_list, cols);   // data rows, then empty lines

#include "core/ListColumns.h"

#include <QList>
#include <QPointF>
#include <QString>

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
    QString unit;          // after the value ("" for none)
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
