#include "platform/TListGrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int CellsPerRow = 32;

QStringList rowTexts()
{
    QStringList texts;
    for (int c = 0; c < CellsPerRow; ++c)
        texts << QStringLiteral("값%1-1,234,567").arg(c);
    return texts;
}

} // namespace

// Filling a list the way the search screens do: bracketed updates, 21 shown
// columns and 11 carried ones per row.
static void BM_FillListGrid(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const QStringList texts = rowTexts();
    for (auto _ : state) {
        TListGrid grid;
        grid.SetColCount(21);
        grid.BeginUpdate();
        grid.SetRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            for (int c = 0; c < CellsPerRow; ++c)
                grid.SetCells(c, r, texts[c]);
            grid.AddCheckBox(0, r);
        }
        grid.EndUpdate();
        benchmark::DoNotOptimize(grid.Cells(5, rows));
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_FillListGrid)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The floor: the same texts copied into a plain row-major vector of strings.
static void BM_FillFloor(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const QStringList texts = rowTexts();
    for (auto _ : state) {
        std::vector<QString> cells(size_t(rows + 1) * CellsPerRow);
        for (int r = 1; r <= rows; ++r)
            for (int c = 0; c < CellsPerRow; ++c)
                cells[size_t(r) * CellsPerRow + size_t(c)] = texts[c];
        benchmark::DoNotOptimize(cells[size_t(rows) * CellsPerRow + 5]);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_FillFloor)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

namespace {

// The console report, then one line that sets the grid's time for 100,000
// rows beside the floor measured in the same run.
class GridAndFloorReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime() / 1000.0; // ms -> s
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto grid = m_seconds.find("BM_FillListGrid/100000");
        const auto floor = m_seconds.find("BM_FillFloor/100000");
        if (grid != m_seconds.end() && floor != m_seconds.end())
            std::printf("list grid, 100,000 rows of 32 cells: %.3f s (floor, plain row-major vector: %.3f s; "
                        "aim: under 0.3 s)\n",
                        grid->second, floor->second);
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    GridAndFloorReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
