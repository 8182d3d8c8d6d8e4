#pragma once
// What the list screens share: the empty-list test, the
// column visibility kept in config.ini, Enter moving to the next control, the
// find dialog on the list, print and preview, and the report rows that fill the
// last page with empty boxed lines.

#include "core/ListExport.h"
#include "core/ReportParams.h"
#include "core/screens/ScreenContext.h"

#include <QRect>
#include <QString>
#include <functional>
#include <initializer_list>
#include <tuple>
#include <utility>

class QWidget;
class Session;
struct ReportColumn;
class TListGrid;
namespace qvx { class Report; }

// A list counts as empty when the cell of `col` in its first data row is empty.
bool GridIsEmpty(const TListGrid *grid, int col = 0);
// Leaves the header and one blank data row.
void ClearGridRows(TListGrid *grid, int lastCol = 50);

// Hides the columns that the screen's section of config.ini marks hidden: key n
// (n >= 1) whose value begins with "0" hides column n - 1; key "0" names none.
// Keys are read from `firstKey` to `lastKey`.
void ApplyColumnVisibility(TListGrid *grid, const QString &formName, int firstKey = 0, int lastKey = 40);

// Enter in the control moves the focus to the next control in tab order and
// is swallowed; with `target` it focuses that control instead.
void EnterMovesFocus(QWidget *control, QWidget *target = nullptr);
// The same for each of the controls.
void EnterMovesFocus(std::initializer_list<QWidget *> controls);
// The control after `control` in tab order within its form (shown, enabled and
// taking the focus by Tab); nullptr when there is none.
QWidget *NextTabControl(QWidget *control);
// Whenever the form is shown the focus goes to `control`.
void FocusOnShow(QWidget *form, QWidget *control);

// "내용 검색": the find dialog bound to the list, or the message when it is empty.
void OpenFindDialog(const ScreenContext &context, QWidget *owner, TListGrid *grid);

// Print or preview a report; an empty list gives "출력할 자료가 존재하지 않습니다.".
void PrintList(QWidget *owner, TListGrid *grid, qvx::Report &report, bool preview, int emptyCol = 0);

// The list screens' save: text lines or the grid's spreadsheet export.
//  - an empty list (cell `emptyCol` of row 1): "저장할 자료가 존재하지 않습니다.";
//  - the dialog "파일 저장" in the current directory's data folder, with the
//    proposed name and the filter "텍스트파일 (*.txt)| *.txt|엑셀파일     (*.xls)|*.xls";
//  - text: `lines()` (no lines: "저장할 자료가 선택되지 않았습니다.", no file) written
//    to name + ".txt", then name + ".txt 를 저장하였습니다.";
//  - spreadsheet: the grid to name + ".xls", then name + " 를 저장하였습니다.".
// Returns the file written, empty when nothing was.
QString SaveListFile(QWidget *owner, TListGrid *grid, const QString &proposedName,
                     const std::function<QStringList()> &lines, int emptyCol = 0);

// What a screen's save does differently from the convention above.
struct ListSaveOptions
{
    QString filter = QString::fromUtf8(ListSaveFilter);
    // AddExtension: ".txt" / ".xls" after the chosen name; KeepName: the chosen name as it stands.
    ExportNaming naming = ExportNaming::AddExtension;
    // Text: the grid's own text export (every row, header included, cells
    // joined by `separator`, hidden columns left out) instead of the lines.
    bool gridText = false;
    QString separator = QStringLiteral("\t");
    // The message after a save; "" gives file + " 를 저장하였습니다.", otherwise
    // the text with %1 replaced by the chosen name.
    QString textMessage;
    QString spreadsheetMessage;
    int emptyCol = 0;
    // Text: a message that refuses the save before anything is written (the
    // lines would not hold the rows as they are); empty lets it go on.
    std::function<QString()> textRefusal;
    // Text: the file readable by its owner alone (lines that carry passwords).
    bool ownerOnly = false;
};
QString SaveListFile(QWidget *owner, TListGrid *grid, const QString &proposedName,
                     const std::function<QStringList()> &lines, const ListSaveOptions &options);

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
    // The same over a list grid and the report's columns (core/screens/ListReport.h).
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

class TotalsTable;
// Writes the figures of a totals table into a totals grid: counts into
// `countRow`, amounts into `amountRow`, each in its cell's column, with ','
// (a cell's own row is added to both).
void WriteTotals(TListGrid *grid, const TotalsTable &totals, int countRow, int amountRow);

class TKitRadioButton;
class TDDButton;
class ButtonRow;

// The radio pair "전체선택" / "선택해제" (rdbtn_entire, rdbtn_noselect, in a
// panel "pnl_tick" at `at`; 선택해제 chosen): ticks or clears every box of
// column `col` unless the list is empty (cell `emptyCol` of row 1).
//   std::tie(rdbtn_entire, rdbtn_noselect) = MakeTickChoice(session, top, QRect(...), grd_list, cNo);
using TickChoice = std::pair<TKitRadioButton *, TKitRadioButton *>;
TickChoice MakeTickChoice(Session &session, QWidget *parent, const QRect &at, TListGrid *grid, int col,
                          int emptyCol = 0);

// "미리보기" (btn_preview) and "인 쇄" (btn_print) of a list, `width` wide:
// the report of the list, refused while the list is empty.
//   std::tie(btn_preview, btn_print) = AddPrintButtons(buttons, this, grd_list, Report1);
using PrintButtons = std::pair<TDDButton *, TDDButton *>;
PrintButtons AddPrintButtons(ButtonRow &row, QWidget *owner, TListGrid *grid, qvx::Report &report, int width = 90);
