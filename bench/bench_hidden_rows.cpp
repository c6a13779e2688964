// Maps 10^6 row indexes both ways (displayed to real and real to displayed) on a 10^6-row string
// grid with every other row hidden, and again with 10 rows hidden, next to reading the same
// number of entries of a plain vector. Prints the time per mapping and the two ratios (targets:
// half the rows hidden at most 2x the time with 10 hidden, and at most 20x a vector read).
#include "grid/NovaGrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <numeric>
#include <vector>

namespace {

constexpr int kRows = 1000000;
constexpr int kMappings = 1000000;

std::unique_ptr<TNovaStringGrid> makeGrid(bool everyOther)
{
    auto g = std::make_unique<TNovaStringGrid>();
    g->SetColCount(2);
    g->SetRowCount(kRows);
    for (int r = 0; r < kRows; r += 1000)
        g->SetCells(1, r, QString::number(r));
    std::vector<int> hide;
    if (everyOther)
        for (int r = 1; r < kRows; r += 2)
            hide.push_back(r);
    else
        for (int i = 1; i <= 10; ++i)
            hide.push_back(i * (kRows / 11));
    g->HideRowList(hide);
    return g;
}

// Indexes spread over the grid in a fixed scattered order, so that no mapping profits from the last.
std::vector<int> queries(int limit)
{
    std::vector<int> q(kMappings);
    std::uint32_t x = 12345;
    for (int &v : q) {
        x = x * 1664525u + 1013904223u;
        v = int(x % std::uint32_t(limit));
    }
    return q;
}

double mapBothWays(const TNovaStringGrid &g, const std::vector<int> &q)
{
    long long sum = 0;
    for (int d : q)
        sum += g.RealRowIndex(d);
    for (int r : q)
        sum += g.DisplRowIndex(r);
    benchmark::DoNotOptimize(sum);
    return double(sum);
}

TNovaStringGrid *g_half = nullptr;
TNovaStringGrid *g_ten = nullptr;
std::vector<int> g_queriesHalf;
std::vector<int> g_queriesTen;
std::vector<int> g_plain;

// The same number of reads from a plain vector, in the same order.
void readPlain()
{
    long long sum = 0;
    for (int d : g_queriesHalf)
        sum += g_plain[std::size_t(d)];
    for (int r : g_queriesHalf)
        sum += g_plain[std::size_t(r)];
    benchmark::DoNotOptimize(sum);
}

void BM_HalfHidden(benchmark::State &state)
{
    for (auto _ : state)
        mapBothWays(*g_half, g_queriesHalf);
    state.SetItemsProcessed(state.iterations() * 2 * kMappings);
}

void BM_TenHidden(benchmark::State &state)
{
    for (auto _ : state)
        mapBothWays(*g_ten, g_queriesTen);
    state.SetItemsProcessed(state.iterations() * 2 * kMappings);
}

void BM_PlainVector(benchmark::State &state)
{
    for (auto _ : state)
        readPlain();
    state.SetItemsProcessed(state.iterations() * 2 * kMappings);
}

BENCHMARK(BM_HalfHidden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenHidden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainVector)->Unit(benchmark::kMillisecond);

// Nanoseconds per mapping, best of a few runs.
template <typename F>
double nsPerMapping(F run)
{
    double best = 1e300;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::nano>(t1 - t0).count() / (2.0 * kMappings));
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    auto half = makeGrid(true);
    auto ten = makeGrid(false);
    g_half = half.get();
    g_ten = ten.get();
    g_queriesHalf = queries(half->RowCount());
    g_queriesTen = queries(ten->RowCount());
    g_plain.resize(kRows);
    std::iota(g_plain.begin(), g_plain.end(), 0);
    std::printf("hidden rows: %d and %d of %d\n", half->NumHiddenRows(), ten->NumHiddenRows(), kRows);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double h = nsPerMapping([] { mapBothWays(*g_half, g_queriesHalf); });
    const double t = nsPerMapping([] { mapBothWays(*g_ten, g_queriesTen); });
    const double p = nsPerMapping(readPlain);
    std::printf("per mapping: 5*10^5 hidden %.2f ns, 10 hidden %.2f ns, plain vector %.2f ns\n", h, t, p);
    std::printf("ratio 5*10^5 hidden / 10 hidden %.2f (target <= 2.00), 5*10^5 hidden / vector %.2f (target <= 20.00)\n",
                h / t, h / p);
    return 0;
}
