#include "platform/TListGrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

// Filling a list the way the search screens do: bracketed updates, 21 shown
// columns and 11 carried ones per row.
static void BM_FillListGrid(benchmark::State &state)
{
    const int rows = int(state.range(0));
    QStringList texts;
    for (int c = 0; c < 32; ++c)
        texts << QStringLiteral("값%1-1,234,567").arg(c);
    for (auto _ : state) {
        TListGrid grid;
        grid.SetColCount(21);
        grid.BeginUpdate();
        grid.SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            for (int c = 0; c < 32; ++c)
                grid.SetCells(c, r, texts[c]);
            grid.AddCheckBox(0, r);
        }
        grid.EndUpdate();
        benchmark::DoNotOptimize(grid.Cells(5, rows));
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_FillListGrid)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
