// Removes the duplicate rows of a string grid of 2*10^5 and of 4*10^5 rows (3 columns, every
// other row repeating an earlier key), next to std::remove_if over a vector of the same keys with
// a hash set of those seen. Prints the grid's time over the peer's for both sizes; the target is
// a ratio at 4*10^5 rows at most 1.5x the ratio at 2*10^5 (the grid's removal stays linear).
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QSet>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Row r holds key r/2 for even r and key (r-1)/2 for odd r: half the rows are duplicates.
QString keyOf(int r) { return QStringLiteral("key%1").arg(r / 2); }

std::unique_ptr<TNovaStringGrid> makeGrid(int rows)
{
    auto g = std::make_unique<TNovaStringGrid>();
    g->SetColCount(3);
    g->SetRowCount(rows + 1);
    for (int r = 0; r < rows; ++r) {
        g->SetCells(1, r + 1, keyOf(r));
        g->SetCells(2, r + 1, QString::number(r));
    }
    return g;
}

std::vector<QString> makeKeys(int rows)
{
    std::vector<QString> v;
    v.reserve(std::size_t(rows));
    for (int r = 0; r < rows; ++r)
        v.push_back(keyOf(r));
    return v;
}

// Seconds of the grid's removal (the grid is built outside the timing).
double timeGrid(int rows)
{
    auto g = makeGrid(rows);
    const auto t0 = std::chrono::steady_clock::now();
    g->RemoveDuplicates(1, true);
    const auto t1 = std::chrono::steady_clock::now();
    if (g->RowCount() != rows / 2 + 1)
        std::printf("wrong result: %d rows left\n", g->RowCount());
    return std::chrono::duration<double>(t1 - t0).count();
}

double timePeer(int rows)
{
    std::vector<QString> v = makeKeys(rows);
    const auto t0 = std::chrono::steady_clock::now();
    QSet<QString> seen;
    seen.reserve(rows);
    v.erase(std::remove_if(v.begin(), v.end(), [&seen](const QString &s) {
                if (seen.contains(s))
                    return true;
                seen.insert(s);
                return false;
            }),
            v.end());
    const auto t1 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(v.size());
    return std::chrono::duration<double>(t1 - t0).count();
}

template <typename F> double best(F run, int rows)
{
    double b = 1e300;
    for (int i = 0; i < 3; ++i)
        b = std::min(b, run(rows));
    return b;
}

void BM_GridRemoveDuplicates(benchmark::State &state)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto g = makeGrid(rows);
        state.ResumeTiming();
        g->RemoveDuplicates(1, true);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}

void BM_VectorRemoveIf(benchmark::State &state)
{
    const int rows = int(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(timePeer(rows));
}

BENCHMARK(BM_GridRemoveDuplicates)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_VectorRemoveIf)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double g2 = best(timeGrid, 200000), p2 = best(timePeer, 200000);
    const double g4 = best(timeGrid, 400000), p4 = best(timePeer, 400000);
    const double r2 = g2 / p2, r4 = g4 / p4;
    std::printf("2*10^5 rows: grid %.1f ms, remove_if %.1f ms, ratio %.2f\n", g2 * 1e3, p2 * 1e3, r2);
    std::printf("4*10^5 rows: grid %.1f ms, remove_if %.1f ms, ratio %.2f\n", g4 * 1e3, p4 * 1e3, r4);
    std::printf("ratio at 4*10^5 / ratio at 2*10^5: %.2f (target <= 1.50)\n", r4 / r2);
    return 0;
}
