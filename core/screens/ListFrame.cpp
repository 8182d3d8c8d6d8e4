#include "core/screens/ListFrame.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/GapRequest.h"
#include "core/Session.h"
#include "core/screens/FormParts.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/SearchUnit.h"
#include "platform/Prompt.h"
#include "platform/Report.h"
#include "platform/TListGrid.h"

#include <QStatusBar>
#include <algorithm>
#include <QWidget>

namespace {

void Say(const QString &text) { qvx::Prompt::instance().message(text); }

} // namespace

ListFrame::ListFrame(const ScreenContext &context, QWidget *form, ListDecl decl)
    : m_context(context), m_form(form), m_decl(std::move(decl))
{
    if (!m_decl.grid.columns)
        throw std::invalid_argument("a list is declared with its column table");
    if (m_decl.report && m_decl.report->title.trimmed().isEmpty())
        throw ReportDeclError("a list report is declared with its title");
}

ListFrame::~ListFrame() = default;

TListGrid *ListFrame::makeGrid(QWidget *parent, TAlign align, int height)
{
    m_grid = MakeListGrid(parent, m_decl.grid.name, *m_decl.grid.columns, align, height);
    if (m_decl.grid.find)
        AddFindAction(m_context, m_form, m_grid);
    return m_grid;
}

void ListFrame::formCreate()
{
    ApplyColumnVisibility(m_grid, m_form->objectName(), m_decl.grid.firstVisibilityKey,
                          m_decl.grid.lastVisibilityKey);
    if (m_decl.totals.clear)
        m_decl.totals.clear();
}

bool ListFrame::isEmpty() const { return GridIsEmpty(m_grid, m_decl.grid.emptyCol); }

void ListFrame::clear()
{
    ClearGridRows(m_grid, m_decl.grid.columns->size());
    forgetListed();
}

void ListFrame::forgetListed()
{
    if (m_decl.totals.clear)
        m_decl.totals.clear();
    m_listed = qvx::ResultSet();
    m_listedKey.reset();
}

void ListFrame::removeRow(int row)
{
    if (m_grid->RowCount() <= 2)
        m_grid->ClearBlock(0, 1, int(m_decl.grid.columns->size()) - 1, 1);
    else
        m_grid->DeleteRow(row);
}

bool ListFrame::searchedAsChosen() const
{
    if (!m_listedKey)
        return false;
    const ListSearchDecl &s = m_decl.search;
    return !s.filterKey || *m_listedKey == s.filterKey();
}

int ListFrame::search()
{
    const ListSearchDecl &s = m_decl.search;
    if (s.firstCheck && !s.firstCheck())
        return 0;
    if (s.refuseOffline && RefuseWhenOffline(m_context.session)) {
        if (s.onOffline)
            s.onOffline();
        return 0;
    }
    if (s.refusal) {
        const QString refused = s.refusal();
        if (!refused.isEmpty()) {
            Say(refused);
            return 0;
        }
    }
    if (!s.statementClearsList)
        ClearGridRows(m_grid, m_decl.grid.columns->size());
    if (s.listClearedCheck && !s.listClearedCheck())
        return 0;
    forgetListed();
    const QString sql = s.statement();
    if (sql.isEmpty())
        return 0;
    const QString key = s.filterKey ? s.filterKey() : QString();
    WaitCursor wait;
    if (s.logged)
        WriteLog(m_context.session, QStringLiteral("Query Send : ") + sql);
    qvx::ResultSet rs = m_context.dm.cms_select1(sql);
    const int rows = rs.recordCount();
    if (s.logged) {
        WriteLog(m_context.session, QStringLiteral("Query Recv : ") + sql);
        WriteLog(m_context.session, QStringLiteral("Data Count : ") + QString::number(rows));
    }
    if (rows == 0) {
        if (!s.emptyMessage.isEmpty())
            Say(s.emptyMessage);
        if (s.searched)
            s.searched(sql, 0);
        return 0;
    }
    const int listed = fillListed(std::move(rs), key);
    if (s.searched)
        s.searched(sql, listed);
    return listed;
}

int ListFrame::fill(qvx::ResultSet rows)
{
    clear();
    if (rows.recordCount() == 0)
        return 0;
    const ListSearchDecl &s = m_decl.search;
    return fillListed(std::move(rows), s.filterKey ? s.filterKey() : QString());
}

int ListFrame::fillListed(qvx::ResultSet rs, const QString &key)
{
    const ListSearchDecl &s = m_decl.search;
    ListFillOptions options;
    if (s.onRow)
        options.onRow = [&](int gridRow, int row) { s.onRow(rs, gridRow, row); };
    const int rows = FillList(m_grid, *m_decl.grid.columns, rs, options);
    if (m_decl.totals.show)
        m_decl.totals.show();
    m_listed = std::move(rs);
    m_listedKey = key;
    return rows;
}

void ListFrame::buildReport(qvx::Report &report, const ListReportDecl &d)
{
    if (d.title.trimmed().isEmpty())
        throw ReportDeclError("a list report is declared with its title");
    report.font = d.font;
    AddReportTitle(report, d.title, d.width, d.productY);
    AddTitleValues(report, d.values);
    if (d.extras)
        d.extras(report);
    if (!d.columns.isEmpty())
        AddReportColumns(report, d.columns, d.look);
    AddPrintDateFooter(report, d.width, d.footerCaption);
    if (d.titleHeight > 0)
        report.title.height = d.titleHeight;
    // A title band as high as its items need, so that it is printed also
    // where no page fit sizes it.
    for (const qvx::ReportItem &item : report.title.items)
        report.title.height = std::max(report.title.height, item.rect.bottom() + 2);
}

void ListFrame::attachReport(qvx::Report &report)
{
    if (!m_decl.report)
        throw ReportDeclError("the list declares no report");
    const ListReportDecl &d = *m_decl.report;
    buildReport(report, d);
    if (d.detail) {
        report.orientation =
            d.paging.orientation == ReportParams::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        d.detail(report);
    } else {
        m_reportRows = std::make_unique<ListReportRows>(d.paging);
        m_reportRows->attachGrid(report, m_grid, d.columns, m_decl.grid.emptyCol);
    }
    report.BeforePrint = [this, &report] {
        if (m_reportRows)
            m_reportRows->reset();
        if (m_decl.report->fillTitle)
            m_decl.report->fillTitle(report);
        SetPrintDate(report);
    };
}

QString ListFrame::save(const ListSaveDecl &save)
{
    ListSaveOptions options = save.options;
    options.emptyCol = m_decl.grid.emptyCol;
    return SaveListFile(m_form, m_grid, save.proposedName(), save.lines ? save.lines : [] { return QStringList(); },
                        options);
}

void ListFrame::requestGaps(QStatusBar *status)
{
    if (!m_decl.gapRequest)
        return;
    const GapRequestDecl &g = *m_decl.gapRequest;
    if (RefuseWhenOffline(m_context.session))
        return;
    if (isEmpty()) {
        Say(g.emptyListMessage);
        return;
    }
    if (g.refusal) {
        const QString refused = g.refusal();
        if (!refused.isEmpty()) {
            Say(refused);
            return;
        }
    }
    // The request goes to the bank and day the list was searched for.
    if (!searchedAsChosen()) {
        Say(g.searchFirstMessage);
        return;
    }
    const qvx::ResultSet numbers = g.numbers();
    if (numbers.isEmpty()) {
        Say(g.noNumbersMessage);
        return;
    }
    const QList<int> gaps = MissingNumbers(numbers.columnValues(g.numberColumn));
    if (gaps.isEmpty()) {
        Say(g.noGapsMessage);
        return;
    }
    const RequestResult result = g.send(numbers, gaps);
    const QString text = GapRequestStatus(result);
    if (status && !text.isEmpty())
        status->showMessage(text);
    if (g.searchAgain && result.outcome == RequestResult::Outcome::Sent)
        search();
}
