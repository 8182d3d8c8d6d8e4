#pragma once
// The totals grid of the notice lists (`grd_test` in the panel `pnl_test`,
// docked below the list): pairs of a caption row and an amount row under a
// first column "구 분" / "금 액"; each figure column `span` units wide, the
// unit being the panel's width divided by `units`, the first column taking
// the rest. Amounts are written with ',' from exact sums.

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;
class TKitSimplePanel;
class TListGrid;

class NoticeTotalsGrid : public QObject
{
public:
    // `captions`: the figure captions row pair by row pair (columns 1.. of
    // each caption row); `firstCaption`/`firstAmount`: column 0's texts.
    NoticeTotalsGrid(QWidget *form, const QStringList &captions, int figuresPerRow, int units, int span,
                     const QString &firstCaption, const QString &firstAmount, int height);

    TKitSimplePanel *panel() const { return m_panel; }
    TListGrid *grid() const { return m_grid; }

    // Every amount "0".
    void clear();
    // The amount of figure `index` (0-based, in caption order).
    void setAmount(int index, qint64 amount);
    QString amount(int index) const;
    void setCaption(int index, const QString &caption);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int colOf(int index) const { return 1 + index % m_perRow; }
    int rowOf(int index) const { return 2 * (index / m_perRow) + 1; }
    void fitColumns();
    TKitSimplePanel *m_panel;
    TListGrid *m_grid;
    int m_count;
    int m_perRow;
    int m_units;
    int m_span;
};
