#include "core/screens/ListScreen.h"

#include "core/TotalsTable.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListReport.h"
#include "core/screens/ScreenBinding.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGroup.h"
#include "core/screens/SearchUnit.h"
#include "platform/FileChooser.h"
#include "platform/IniFile.h"
#include "platform/TextFile.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"
#include "platform/Report.h"
#include "platform/TListGrid.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

bool GridIsEmpty(const TListGrid *grid, int col)
{
    return grid->RowCount() < 2 || grid->Cells(col, 1).isEmpty();
}

void ClearGridRows(TListGrid *grid, int lastCol)
{
    grid->BeginUpdate();
    // The rows below the first data row go; only that one is emptied.
    grid->SetRowCount(2);
    grid->ClearBlock(0, 1, lastCol, 1);
    grid->RemoveCheckBox(0, 1);
    grid->EndUpdate();
}

void ApplyColumnVisibility(TListGrid *grid, const QString &formName, int firstKey, int lastKey)
{
    qvx::IniFile ini(qvx::ProgramDir::path(QStringLiteral("config.ini")));
    if (!ini.sectionExists(formName))
        return;
    // A key beyond the grid's columns names no column.
    lastKey = std::min(lastKey, grid->ColCount());
    for (int key = std::max(1, firstKey); key <= lastKey; ++key) {
        const QString k = QString::number(key);
        if (ini.valueExists(formName, k) && ini.readString(formName, k).startsWith(u'0'))
            grid->HideColumn(key - 1);
    }
}

QWidget *NextTabControl(QWidget *control)
{
    // The form the control belongs to: its window, or the child window's
    // content inside the main window.
    QWidget *form = control;
    while (!form->isWindow() && form->parentWidget()
           && form->parentWidget()->windowType() != Qt::SubWindow)
        form = form->parentWidget();
    for (QWidget *w = control->nextInFocusChain(); w && w != control; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !w->isEnabled() || w->focusProxy())
            continue;
        if (w->window() != control->window() || !form->isAncestorOf(w) || !w->isVisibleTo(form))
            continue;
        return w;
    }
    return nullptr;
}

namespace {

class ShowFocus : public QObject
{
public:
    ShowFocus(QWidget *form, QWidget *control) : QObject(form), m_control(control) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_control)
            m_control->setFocus(Qt::ActiveWindowFocusReason);
        return false;
    }

private:
    QPointer<QWidget> m_control;
};

class EnterFilter : public QObject
{
public:
    EnterFilter(QWidget *control, QWidget *target) : QObject(control), m_target(target) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        auto *w = qobject_cast<QWidget *>(watched);
        if (m_target)
            m_target->setFocus(Qt::TabFocusReason);
        else if (QWidget *next = w ? NextTabControl(w) : nullptr)
            next->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    QPointer<QWidget> m_target;
};

} // namespace

void FocusOnShow(QWidget *form, QWidget *control)
{
    form->installEventFilter(new ShowFocus(form, control));
}

void EnterMovesFocus(QWidget *control, QWidget *target)
{
    control->installEventFilter(new EnterFilter(control, target));
}

void EnterMovesFocus(std::initializer_list<QWidget *> controls)
{
    for (QWidget *control : controls)
        EnterMovesFocus(control);
}

void OpenFindDialog(const ScreenContext &context, QWidget *owner, TListGrid *grid)
{
    if (GridIsEmpty(grid)) {
        qvx::Prompt::instance().message(QStringLiteral("검색할 자료가 존재하지 않습니다."));
        return;
    }
    Tqv_search_frm dialog(context, owner);
    dialog.SetGrid(grid);
    dialog.exec();
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
    report.title.height = room - m_first * report.detail.height - 0.01;
}

QString SaveListFile(QWidget *owner, TListGrid *grid, const QString &proposedName,
                     const std::function<QStringList()> &lines, int emptyCol)
{
    ListSaveOptions options;
    options.emptyCol = emptyCol;
    return SaveListFile(owner, grid, proposedName, lines, options);
}

QString SaveListFile(QWidget *owner, TListGrid *grid, const QString &proposedName,
                     const std::function<QStringList()> &lines, const ListSaveOptions &options)
{
    qvx::Prompt &prompt = qvx::Prompt::instance();
    if (GridIsEmpty(grid, options.emptyCol)) {
        prompt.message(QStringLiteral("저장할 자료가 존재하지 않습니다."));
        return QString();
    }
    const QString dir = QDir::currentPath() + QStringLiteral("/data/");
    const auto chosen = qvx::FileChooser::instance().save(owner, QStringLiteral("파일 저장"), dir, proposedName,
                                                          options.filter, 1);
    if (chosen.fileName.isEmpty())
        return QString();
    const ListExportTarget target = ListExportTargetFor(chosen.fileName, chosen.filterIndex, options.naming);
    QString error;
    bool written = false;
    if (target.kind == ListExportTarget::Text && options.gridText) {
        written = grid->SaveToText(target.file, options.separator, false, &error);
    } else if (target.kind == ListExportTarget::Text) {
        if (const QString refusal = options.textRefusal ? options.textRefusal() : QString(); !refusal.isEmpty()) {
            prompt.message(refusal);
            return QString();
        }
        const QStringList out = lines ? lines() : QStringList();
        if (out.isEmpty()) {
            prompt.message(QStringLiteral("저장할 자료가 선택되지 않았습니다."));
            return QString();
        }
        written = qvx::TextFile::writeLines(target.file, out, &error,
                                            options.ownerOnly ? qvx::TextFile::Access::OwnerOnly
                                                              : qvx::TextFile::Access::Default);
    } else {
        written = grid->SaveToXLS(target.file, &error);
    }
    if (!written) {
        prompt.message(QStringLiteral("파일을 저장하지 못하였습니다.\r\r") + error);
        return QString();
    }
    const QString &message = target.kind == ListExportTarget::Text ? options.textMessage : options.spreadsheetMessage;
    prompt.message(message.isEmpty() ? target.message() : message.arg(chosen.fileName));
    return target.file;
}

void WriteTotals(TListGrid *grid, const TotalsTable &totals, int countRow, int amountRow)
{
    for (const TotalsTable::Cell &cell : totals.cells()) {
        grid->SetCells(cell.column, countRow + cell.row, totals.countText(cell.column, cell.row));
        grid->SetCells(cell.column, amountRow + cell.row, totals.amountText(cell.column, cell.row));
    }
}

TickChoice MakeTickChoice(Session &session, QWidget *parent, const QRect &at, TListGrid *grid, int col, int emptyCol)
{
    TKitSimplePanel *panel = MakePanel(parent, "pnl_tick");
    panel->setGeometry(at);
    const int y = (at.height() - 20) / 2;
    TickChoice choice{MakeRadio(panel, "rdbtn_entire", QStringLiteral("전체선택"), 4, y, 80),
                      MakeRadio(panel, "rdbtn_noselect", QStringLiteral("선택해제"), 86, y, 80)};
    SetChecked(choice.second, true);
    for (auto [radio, ticked] : {std::pair{choice.first, true}, std::pair{choice.second, false}})
        BindRadioClick(session, radio, radio->objectName() + QStringLiteral("Click"), [grid, col, emptyCol, ticked = ticked] {
            if (!GridIsEmpty(grid, emptyCol))
                TickAll(grid, col, ticked);
        });
    return choice;
}

PrintButtons AddPrintButtons(ButtonRow &row, QWidget *owner, TListGrid *grid, qvx::Report &report, int width)
{
    return {row.add("btn_preview", QStringLiteral("미리보기"), width, [owner, grid, &report] { PrintList(owner, grid, report, true); }),
            row.add("btn_print", QStringLiteral("인 쇄"), width, [owner, grid, &report] { PrintList(owner, grid, report, false); })};
}
