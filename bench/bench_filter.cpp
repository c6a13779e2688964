// Filters a 10^6-row string grid so that half its rows are hidden (ApplyFilter), then shows them
// again (FilterActive := false), next to a plain loop that matches the same condition against
// the same texts. Prints both times and their ratio (target: at most 2x; no step may walk the
// hidden rows once per row).
#include "grid/GridFilter.h"
#include "grid/NovaGrid.h"
#include "grid/base/FilterExpr.h"
#include "BenchTiming.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 1000000;
const QString kCondition = QStringLiteral("A*");

// Every other data row starts with A: the filter hides the others.
QString textOf(int r) { return (r % 2 ? QStringLiteral("A%1") : QStringLiteral("B%1")).arg(r); }

std::unique_ptr<TNovaStringGrid> makeGrid()
{
    auto g = std::make_unique<TNovaStringGrid>();
    g->SetColCount(2);
    g->SetRowCount(kRows + 1);
    for (int r = 1; r <= kRows; ++r)
        g->SetCells(1, r, textOf(r));
    TFilterData *f = g->Filter()->Add();
    f->SetColumn(1);
    f->SetCondition(kCondition);
    return g;
}

std::vector<QString> g_texts;
TNovaStringGrid *g_grid = nullptr;

void filterOnAndOff()
{
    g_grid->SetFilterActive(true);
    if (g_grid->RowCount() != kRows / 2 + 1)
        std::abort();
    g_grid->SetFilterActive(false);
    if (g_grid->RowCount() != kRows + 1)
        std::abort();
}

void plainMatching()
{
    int n = 0;
    for (const QString &t : g_texts)
        n += MatchFilterCondition(kCondition, t, true) ? 1 : 0;
    benchmark::DoNotOptimize(n);
}

void BM_FilterOnAndOff(benchmark::State &state)
{
    for (auto _ : state)
        filterOnAndOff();
}

void BM_PlainMatching(benchmark::State &state)
{
    for (auto _ : state)
        plainMatching();
}

BENCHMARK(BM_FilterOnAndOff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainMatching)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    auto grid = makeGrid();
    g_grid = grid.get();
    g_texts.reserve(kRows);
    for (int r = 1; r <= kRows; ++r)
        g_texts.push_back(textOf(r));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double f = bestMs(filterOnAndOff, 3);
    const double p = bestMs(plainMatching, 3);
    std::printf("10^6 rows: filter on and off %.1f ms, plain matching %.1f ms\n", f, p);
    std::printf("ratio filter / plain matching %.2f (target <= 2.00)\n", f / p);
    return 0;
}
