#include "core/screens/ResultTotalsGrid.h"

#include "core/ReportParams.h"
#include "core/ResultTotals.h"
#include "core/TextUtils.h"
#include "core/TotalsTable.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListReport.h"
#include "platform/Report.h"
#include "controls/panels/KitAlignLayout.h"
#include "controls/panels/KitGroup.h"
#include "platform/TListGrid.h"

#include <QEvent>

#include <algorithm>

void WriteTotals(TListGrid *grid, const TotalsTable &totals, int countRow, int amountRow)
{
    for (const TotalsTable::Cell &cell : totals.cells()) {
        grid->SetCells(cell.column, countRow + cell.row, totals.countText(cell.column, cell.row));
        grid->SetCells(cell.column, amountRow + cell.row, totals.amountText(cell.column, cell.row));
    }
}

ResultTotalsGrid::ResultTotalsGrid(QWidget *form, int height) : QObject(form)
{
    m_panel = MakePanel(form, "pnl_test");
    m_panel->resize(form->width(), height);
    SetAlign(m_panel, alBottom);
    m_grid = new TListGrid(m_panel);
    m_grid->setObjectName(QStringLiteral("grd_test"));
    m_grid->SetColCount(10);
    m_grid->SetRowCount(4);
    m_grid->SetFixedRows(2);
    m_grid->SetFixedCols(1);
    m_grid->setEnabled(false);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QString groups[] = {QStringLiteral("전    체"), QStringLiteral("정상이체"), QStringLiteral("비정상처리")};
    for (int g = 0; g < 3; ++g) {
        m_grid->SetCells(1 + g * 3, 0, groups[g]);
        m_grid->MergeCells(1 + g * 3, 0, 3, 1);
        m_grid->SetCells(1 + g * 3, 1, QStringLiteral("수 납"));
        m_grid->SetCells(2 + g * 3, 1, QStringLiteral("지 급"));
        m_grid->SetCells(3 + g * 3, 1, QStringLiteral("합 계"));
    }
    m_grid->SetCells(0, 1, QStringLiteral("구    분"));
    m_grid->SetCells(0, 2, QStringLiteral("총 건 수"));
    m_grid->SetCells(0, 3, QStringLiteral("총 금 액"));
    m_grid->OnGetAlignment = [](int col, int row) -> Qt::Alignment {
        return row < 2 || col == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter;
    };
    m_grid->OnGetCellColor = [](int col, int row, QColor &brush, QColor &font, QFont &f) {
        if (row == 0 || col == 0) {
            brush = BgrColor(0xCFD2AC);
            font = Qt::black;
            f.setBold(true);
        } else if (row == 1) {
            brush = BgrColor(0x9EDAE0);
            font = Qt::black;
            f.setBold(true);
        } else {
            brush = BgrColor(0xCFFCFE);
            font = col <= 3 ? QColor(Qt::black) : col <= 6 ? QColor(Qt::blue) : QColor(Qt::red);
        }
    };
    m_panel->installEventFilter(this);
    // New figures may need other widths; fitted once the event loop runs,
    // after the grid's own fit to its texts.
    connect(m_grid->model(), &QAbstractItemModel::dataChanged, this, [this] {
        if (m_fitPending)
            return;
        m_fitPending = true;
        QMetaObject::invokeMethod(this, [this] { fitColumns(); }, Qt::QueuedConnection);
    });
    fitColumns();
    clear();
}

void ResultTotalsGrid::clear()
{
    for (int c = 1; c < 10; ++c) {
        m_grid->SetCells(c, 2, QStringLiteral("0"));
        m_grid->SetCells(c, 3, QStringLiteral("0"));
    }
}

void ResultTotalsGrid::show(const ResultTotals &totals)
{
    WriteTotals(m_grid, totals.table(), 2, 3);
}

QString ResultTotalsGrid::figure(int col, int row) const
{
    return CurrToMoneyStr(MoneyCellValue(m_grid->Cells(col, row)));
}

namespace {

const struct
{
    const char *caption;
    const char *label;
    int col, row;
} Figures[] = {
    {"전 체 건 수 : ", "qlbl_totalgun", 3, 2},   {"정 상 건 수 : ", "qlbl_rightgun", 6, 2},
    {"불 능 건 수 : ", "qlbl_errgun", 9, 2},     {"전 체 금 액 : ", "qlbl_totalmoney", 3, 3},
    {"정 상 금 액 : ", "qlbl_rightmoney", 6, 3}, {"불 능 금 액 : ", "qlbl_errmoney", 9, 3},
};

} // namespace

void ResultTotalsGrid::AddReportFigures(qvx::Report &report)
{
    QList<TitleValue> values;
    for (int i = 0; i < 6; ++i) {
        const bool amount = Figures[i].row == 3;
        values.append({QString::fromUtf8(Figures[i].caption), QString::fromLatin1(Figures[i].label),
                       {amount ? 131.0 : 86.0, 14.0 + 6 * (i % 3)}, amount ? QStringLiteral("원") : QStringLiteral("건"),
                       23, amount ? 28.0 : 15.0, AlignRight});
    }
    AddTitleValues(report, values);
}

void ResultTotalsGrid::ShowReportFigures(qvx::Report &report) const
{
    for (const auto &f : Figures)
        report.title.setCaption(QString::fromLatin1(f.label), figure(f.col, f.row));
}

bool ResultTotalsGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        fitColumns();
    return false;
}

namespace {

// One step smaller, down to a size still read with ease; false at that size.
bool SmallerFont(QFont &font)
{
    if (font.pointSizeF() > 0) {
        if (font.pointSizeF() - 0.5 < 6)
            return false;
        font.setPointSizeF(font.pointSizeF() - 0.5);
        return true;
    }
    if (font.pixelSize() - 1 < 8)
        return false;
    font.setPixelSize(font.pixelSize() - 1);
    return true;
}

} // namespace

void ResultTotalsGrid::fitColumns()
{
    m_fitPending = false;
    m_grid->setGeometry(0, 0, m_panel->width(), m_panel->height());
    // A tenth of the panel for each figure column; the title column takes
    // what is left inside the grid's frame, so the last one ends at the frame.
    // Figures wider than a tenth take the room the title captions leave, and
    // where even that is too little (13-digit sums at the screen's own size)
    // the grid is drawn a size smaller, so that all ten columns stay whole.
    const int inside = m_panel->width() - 2 * m_grid->frameWidth();
    const int tenth = m_panel->width() / 10;
    QFont font = m_panel->font();
    int figure = tenth;
    for (;;) {
        if (m_grid->font() != font)
            m_grid->setFont(font);
        figure = tenth;
        for (int c = 1; c < 10; ++c)
            figure = std::max(figure, m_grid->NeededWidth(c));
        if (m_grid->NeededWidth(0) + 9 * figure <= inside || !SmallerFont(font))
            break;
    }
    for (int c = 1; c < 10; ++c)
        m_grid->SetColWidths(c, figure);
    m_grid->SetColWidths(0, inside - 9 * figure);
}
