#pragma once
// The list-screen frame. A list screen declares what its list is: the grid
// (name, column table, visibility keys), the search (statement, empty
// message, what each row adds to the totals), the totals, the printed report
// (title band, columns, paging), the saves and, where the screen has one, the
// gap request. The frame runs the flows every list shares, once:
//  - search: offline refusal, clear (list and totals), wait cursor, select,
//    the empty message, fill with totals, remember what was searched;
//  - report: title line, title values, column header, detail lines and
//    footer, paged and fitted; a report without a title cannot be declared;
//  - save: the save dialog, the text lines or the spreadsheet, the messages;
//  - gap request: the checks, the day's numbers, the missing ones, the
//    all-or-nothing send, the status line and, if declared, a new search.
// A screen writes only the handlers its own list adds.
//
//   ListDecl d;
//   d.grid = {"grd_deposit", &DepositNoticeColumns(), 0, 19};
//   d.search.statement = [this] { return DepositNoticeSql::byFilter(chosenFilter()); };
//   d.search.filterKey = [this] { return chosenFilter().key(); };
//   d.search.emptyMessage = "예금거래 통지 전문이 수신되지 않았습니다.";
//   d.search.onRow = [this](const qvx::ResultSet &rs, int gridRow, int row) { m_sums.add(rs, row); };
//   d.totals = {[this] { m_sums.clear(); }, [this] { m_totals->show(m_sums); }};
//   d.report.title = "예금거래명세";  d.report.columns = ReportColumns();  ...
//   m_frame = std::make_unique<ListFrame>(context, this, std::move(d));
//   grd_deposit = m_frame->makeGrid(this);
//   m_frame->attachReport(Report1);

#include "core/ListColumns.h"
#include "core/ReportParams.h"
#include "core/RequestSender.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListSave.h"
#include "core/screens/ScreenContext.h"
#include "controls/panels/KitAlignLayout.h"
#include "platform/ResultSet.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class QStatusBar;
class QWidget;
class TListGrid;
namespace qvx { class Report; struct ReportBand; }

// The list itself.
struct ListGridDecl
{
    const char *name = "grd_list";
    const ListColumns *columns = nullptr;
    // The keys of the screen's section of config.ini read for hidden columns.
    int firstVisibilityKey = 0;
    int lastVisibilityKey = 40;
    // A list is empty while this cell of its first data row is.
    int emptyCol = 0;
    // The find action "내용 검색" on the list.
    bool find = true;
};

// The search.
struct ListSearchDecl
{
    // The statement of the filter chosen now, or "" when the filter refuses
    // the search (the screen has said why).
    std::function<QString()> statement;
    // The filter chosen now as one comparable text; the gap request goes
    // only to what was searched. None: every search counts as the same.
    std::function<QString()> filterKey;
    // Said when the search finds nothing.
    QString emptyMessage;
    // Each listed row, after the grid row is written from it: totals, the
    // cells the column table leaves to the screen.
    std::function<void(const qvx::ResultSet &rs, int gridRow, int row)> onRow;
    // The statement, the answer and the count go to the day's log
    // ("Query Send : ", "Query Recv : ", "Data Count : ").
    bool logged = false;
    // Checked before the list is cleared: the message that refuses the
    // search ("" to go on); a refused search leaves the list as it was.
    std::function<QString()> refusal;
    // Checks made before the offline refusal; false stops the search (the
    // screen has said why).
    std::function<bool()> firstCheck;
    // After the offline refusal's message: what the screen empties then.
    std::function<void()> onOffline;
    // Checks made once the list is emptied and before the totals are; false
    // stops the search.
    std::function<bool()> listClearedCheck;
    // The statement empties the list itself, on the paths that do: the frame
    // empties only the totals before it.
    bool statementClearsList = false;
    // After every search that sent its statement: the statement and the rows
    // listed (0 after the empty message).
    std::function<void(const QString &sql, int rows)> searched;
    // Refused while the server has dropped the link (the message says so);
    // a dialog that reads its rows as it is made goes to the server anyway.
    bool refuseOffline = true;
};

// The totals under or beside the list.
struct ListTotalsDecl
{
    std::function<void()> clear;
    // After the list is filled.
    std::function<void()> show;
};

// The printed list. The title is required: every list report prints its
// title band.
struct ListReportDecl
{
    QString title;                  // the title line and the document name
    double width = 190;             // of the page's printable area, millimetres
    double productY = -1;           // "Quvex Service" at the right of this line; none when negative
    QFont font = QFont(QStringLiteral("굴림체"), 9);
    QList<TitleValue> values;       // the title band's captions and values
    double titleHeight = 0;         // 0: as the title values need
    QList<ReportColumn> columns;
    ReportColumnsLook look;
    ReportParams paging;
    QString footerCaption = QStringLiteral("출력 일자 : ");
    // Other items of the title band (a totals figure table).
    std::function<void(qvx::Report &)> extras;
    // Before each print: the title values of the list as it is now
    // (report.title.setCaption(name, text)).
    std::function<void(qvx::Report &)> fillTitle;
    // A detail of the screen's own instead of one line per list row (a block
    // per row): builds the detail band and pulls its rows (NeedData). Such a
    // report is neither filled with empty lines nor fitted; with no columns
    // it has no column header.
    std::function<void(qvx::Report &)> detail;
};

// One save of the list ("Text 파일 저장", "엑셀 저장").
struct ListSaveDecl
{
    std::function<QString()> proposedName;
    // The text lines (none when the save writes the grid's own export).
    std::function<QStringList()> lines;
    ListSaveOptions options;
};

// The gap request of a notice list: the numbers the bank sent for the
// searched day, the missing ones asked again in one all-or-nothing request.
struct GapRequestDecl
{
    QString emptyListMessage;       // the list is empty
    // The screen's own checks (a bank chosen, one day, ...): the refusal
    // message, "" to go on. Run after the list is known not to be empty.
    std::function<QString()> refusal;
    // Said when the filter chosen now is not what was searched.
    QString searchFirstMessage;
    // The numbers of the searched day, and the column that holds them.
    std::function<qvx::ResultSet()> numbers;
    QString numberColumn;
    QString noNumbersMessage;       // the day has no notices
    QString noGapsMessage = QStringLiteral("결번요구할 전문이 없습니다.");
    // Sends one order row a missing number, all or nothing.
    std::function<RequestResult(const qvx::ResultSet &numbers, const QList<int> &gaps)> send;
    // The list is searched again once the request went out.
    bool searchAgain = false;
};

struct ListDecl
{
    ListGridDecl grid;
    ListSearchDecl search{};
    ListTotalsDecl totals{};
    std::optional<ListReportDecl> report{};
    std::optional<GapRequestDecl> gapRequest{};
};

// A report declared without a title.
class ReportDeclError : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

class ListFrame
{
public:
    ListFrame(const ScreenContext &context, QWidget *form, ListDecl decl);
    ~ListFrame();

    const ListDecl &decl() const { return m_decl; }
    TListGrid *grid() const { return m_grid; }

    // The list (with the find action "내용 검색"), docked at `align`.
    TListGrid *makeGrid(QWidget *parent, TAlign align = alClient, int height = 0);
    // Form creation: the hidden columns of the screen's section; the totals cleared.
    void formCreate();

    // --- search ---
    // The whole search; returns the rows listed (0 when refused or none).
    int search();
    // A data row leaves the list; the only one is emptied instead.
    void removeRow(int row);
    // Empties the list and the totals and forgets what was searched.
    void clear();
    // Rows handed to the list rather than searched (the bank's answer that the
    // reply dispatcher hands over, the approval rows its opener read): the
    // list and totals cleared, then filled from them as a search fills them,
    // and remembered as listed. Nothing is said when there are none. Returns
    // the rows listed.
    int fill(qvx::ResultSet rows);
    // The rows listed by the last search (empty after clear()).
    const qvx::ResultSet &listed() const { return m_listed; }
    // Whether the filter chosen now is the one the list was searched with.
    bool searchedAsChosen() const;
    bool isEmpty() const;

    // --- report ---
    // Builds the declared report into `report` (title band, column header,
    // detail lines, footer, page fit) and prints the list through it.
    // Throws ReportDeclError when the report has no title.
    void attachReport(qvx::Report &report);
    static void buildReport(qvx::Report &report, const ListReportDecl &decl);
    ListReportRows *reportRows() const { return m_reportRows.get(); }

    // --- save ---
    // Returns the file written, "" when nothing was.
    QString save(const ListSaveDecl &save);

    // --- gap request ---
    // The declared gap request; the outcome goes to `status` (and a message
    // where the request could not go out).
    void requestGaps(QStatusBar *status);

private:
    int fillListed(qvx::ResultSet rows, const QString &key);
    // Empties the totals and forgets the listed rows and what they were searched with.
    void forgetListed();

    const ScreenContext m_context;
    QWidget *m_form;
    ListDecl m_decl;
    TListGrid *m_grid = nullptr;
    qvx::ResultSet m_listed;
    std::optional<QString> m_listedKey;
    std::unique_ptr<ListReportRows> m_reportRows;
};

// Registers a screen class under its component name; the class is made with
// (context, owner).
template <class Screen>
void RegisterListScreen(const QString &name);

#include "core/screens/ScreenRegistry.h"

template <class Screen>
void RegisterListScreen(const QString &name)
{
    RegisterScreen<Screen>(name);
}
