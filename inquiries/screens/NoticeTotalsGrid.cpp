#include "inquiries/screens/NoticeTotalsGrid.h"

#include "core/TextUtils.h"
#include "core/screens/KitLook.h"
#include "controls/panels/KitAlignLayout.h"
#include "controls/panels/KitGroup.h"
#include "platform/TListGrid.h"

#include <QEvent>

namespace {

// Brushes of the forms, written as the colour values they give ($BBGGRR).
QColor Bgr(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

} // namespace

NoticeTotalsGrid::NoticeTotalsGrid(QWidget *form, const QStringList &captions, int figuresPerRow, int units,
                                   int span, const QString &firstCaption, const QString &firstAmount, int height)
    : QObject(form), m_count(int(captions.size())), m_perRow(figuresPerRow), m_units(units), m_span(span)
{
    m_panel = MakePanel(form, "pnl_test");
    m_panel->resize(form->width(), height);
    SetAlign(m_panel, alBottom);
    m_grid = new TListGrid(m_panel);
    m_grid->setObjectName(QStringLiteral("grd_test"));
    const int pairs = (m_count + m_perRow - 1) / m_perRow;
    m_grid->SetColCount(m_perRow + 1);
    m_grid->SetRowCount(2 * pairs);
    m_grid->SetFixedCols(1);
    m_grid->setEnabled(false);
    for (int p = 0; p < pairs; ++p) {
        m_grid->SetCells(0, 2 * p, firstCaption);
        m_grid->SetCells(0, 2 * p + 1, firstAmount);
    }
    for (int i = 0; i < m_count; ++i)
        setCaption(i, captions[i]);
    m_grid->OnGetAlignment = [](int col, int row) -> Qt::Alignment {
        return row % 2 == 0 || col == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter;
    };
    m_grid->OnGetCellColor = [](int col, int row, QColor &brush, QColor &font, QFont &f) {
        if (row % 2 == 0 || col == 0) {
            brush = row % 2 == 0 ? Bgr(0xCFD2AC) : Bgr(0x9EDAE0);
            font = Qt::black;
            f.setBold(true);
        } else {
            brush = Bgr(0xCFFCFE);
            font = Qt::blue;
        }
    };
    m_panel->installEventFilter(this);
    fitColumns();
    clear();
}

void NoticeTotalsGrid::clear()
{
    for (int i = 0; i < m_count; ++i)
        setAmount(i, 0);
}

void NoticeTotalsGrid::setAmount(int index, qint64 amount)
{
    m_grid->SetCells(colOf(index), rowOf(index), CurrToMoneyStr(amount));
}

QString NoticeTotalsGrid::amount(int index) const { return m_grid->Cells(colOf(index), rowOf(index)); }

void NoticeTotalsGrid::setCaption(int index, const QString &caption)
{
    m_grid->SetCells(colOf(index), rowOf(index) - 1, caption);
}

bool NoticeTotalsGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        fitColumns();
    return QObject::eventFilter(watched, event);
}

void NoticeTotalsGrid::fitColumns()
{
    m_grid->setGeometry(0, 0, m_panel->width(), m_panel->height());
    const int unit = m_panel->width() / m_units;
    for (int c = 1; c <= m_perRow; ++c)
        m_grid->SetColWidths(c, m_span * unit);
    m_grid->SetColWidths(0, m_panel->width() - m_perRow * m_span * unit - 4);
    const int rowHeight = qMax(18, (m_panel->height() - 4) / m_grid->RowCount());
    m_grid->SetDefaultRowHeight(rowHeight);
}
