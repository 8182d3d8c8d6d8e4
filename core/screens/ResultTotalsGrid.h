#pragma once
// The totals grid of the transfer result lists (`grd_test` in the panel
// `pnl_test`, docked below the list): group titles 전 체, 정상이체 and
// 비정상처리 over 수 납, 지 급 and 합 계, counts in row 2 and amounts in
// row 3, a tenth of the panel's width for each figure column; and the one
// writer of a totals table into a totals grid.

#include <QObject>
#include <QString>

class QWidget;
class ResultTotals;
class TotalsTable;
namespace qvx { class Report; }
class TKitSimplePanel;
class TListGrid;

// Writes the figures of a totals table into a totals grid: counts into
// `countRow`, amounts into `amountRow`, each in its cell's column, with ','
// (a cell's own row is added to both).
void WriteTotals(TListGrid *grid, const TotalsTable &totals, int countRow, int amountRow);

class ResultTotalsGrid : public QObject
{
public:
    ResultTotalsGrid(QWidget *form, int height = 96);

    TKitSimplePanel *panel() const { return m_panel; }
    TListGrid *grid() const { return m_grid; }

    // Every figure "0".
    void clear();
    void show(const ResultTotals &totals);
    // Figure of column `col` (1..9) in row 2 (count) or 3 (amount), read back
    // exactly and written with ','.
    QString figure(int col, int row) const;

    // The report title's figures: 전 체 / 정 상 / 불 능 건 수 at x = 86 and
    // 금 액 at x = 131, from y = 14 (labels qlbl_totalgun ... qlbl_errmoney),
    // and their captions read back from the grid before printing.
    static void AddReportFigures(qvx::Report &report);
    void ShowReportFigures(qvx::Report &report) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitColumns();
    TKitSimplePanel *m_panel;
    TListGrid *m_grid;
    bool m_fitPending = false;
};
