// Sorting a 10^6 x 5 string grid on a number column and on a text column, next to two peers
// measured in the same run: parsing each key once and std::stable_sort of (key, row), and a
// QSortFilterProxyModel over a table model of the same texts. Then searching 10^6 cells for a text
// that is absent, next to a QString::indexOf(..., Qt::CaseInsensitive) loop over the same texts.
// Prints the times and the ratios (targets: sort at most 3x the stable_sort peer and faster than
// the proxy model; search at most 2x the indexOf loop).
#include "grid/NovaGrid.h"
#include "grid/SortSettings.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QSortFilterProxyModel>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 5;
constexpr int kNumCol = 1;
constexpr int kTextCol = 2;

// Cell texts by column, shared by the grid and the peers.
std::vector<std::vector<QString>> g_texts;

void makeTexts()
{
    std::uint32_t x = 987654321u;
    auto next = [&] { return x = x * 1664525u + 1013904223u; };
    g_texts.assign(kCols, std::vector<QString>(kRows));
    static const char *words[] = {"alpha", "Bravo", "charlie", "Delta", "echo", "Foxtrot", "golf", "Hotel"};
    for (int r = 0; r < kRows; ++r) {
        g_texts[0][std::size_t(r)] = QString::number(r);
        g_texts[kNumCol][std::size_t(r)] = QString::number(double(next() % 1000000) / 100.0, 'f', 2);
        g_texts[kTextCol][std::size_t(r)] =
            QStringLiteral("%1 %2").arg(QLatin1String(words[next() % 8])).arg(next() % 100000);
        g_texts[3][std::size_t(r)] = QStringLiteral("row %1").arg(next() % 1000);
        g_texts[4][std::size_t(r)] = QStringLiteral("x");
    }
}

std::unique_ptr<TNovaStringGrid> makeGrid()
{
    auto g = std::make_unique<TNovaStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(kRows + 1);
    for (int c = 0; c < kCols; ++c)
        for (int r = 0; r < kRows; ++r)
            g->SetGridCell(c, r + 1, g_texts[std::size_t(c)][std::size_t(r)]);
    return g;
}

TNovaStringGrid *g_grid = nullptr;

void gridSort(int col)
{
    g_grid->Sort(col, sdAscending);
    g_grid->QUnSort(); // not part of the time measured by time()
}

// Parse once, stable_sort of (key, row).
void peerNumbers()
{
    std::vector<std::pair<double, int>> keys(kRows);
    for (int r = 0; r < kRows; ++r)
        keys[std::size_t(r)] = {g_grid->GetGridCell(kNumCol, r + 1).toDouble(), r};
    std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    benchmark::DoNotOptimize(keys.data());
}

void peerTexts()
{
    std::vector<std::pair<QString, int>> keys(kRows);
    for (int r = 0; r < kRows; ++r)
        keys[std::size_t(r)] = {g_grid->GetGridCell(kTextCol, r + 1), r};
    std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    benchmark::DoNotOptimize(keys.data());
}

class TextModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex &) const override { return kRows; }
    int columnCount(const QModelIndex &) const override { return kCols; }
    QVariant data(const QModelIndex &i, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const QString &t = g_texts[std::size_t(i.column())][std::size_t(i.row())];
        if (i.column() == kNumCol)
            return t.toDouble();
        return t;
    }
};

void proxySort(int col)
{
    TextModel model;
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.sort(col);
    benchmark::DoNotOptimize(proxy.rowCount());
}

void gridSearch()
{
    const TPoint p = g_grid->Find({-1, -1}, QStringLiteral("zulu"), {});
    benchmark::DoNotOptimize(p);
}

void peerSearch()
{
    int found = 0;
    const QString s = QStringLiteral("zulu");
    for (int c = 1; c < kCols; ++c)
        for (int r = 0; r < kRows / 4; ++r)
            found += g_texts[std::size_t(c)][std::size_t(r)].indexOf(s, 0, Qt::CaseInsensitive) >= 0;
    benchmark::DoNotOptimize(found);
}

// Seconds, best of n runs; the sorts' undo is outside the time.
double time(const std::function<void()> &run, int n = 3)
{
    double best = 1e300;
    for (int i = 0; i < n; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

double timeGridSort(int col)
{
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        g_grid->Sort(col, sdAscending);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        g_grid->QUnSort();
    }
    return best;
}

void BM_GridSortNumbers(benchmark::State &state)
{
    for (auto _ : state)
        gridSort(kNumCol);
}
void BM_GridSortTexts(benchmark::State &state)
{
    for (auto _ : state)
        gridSort(kTextCol);
}
void BM_GridSearchAbsent(benchmark::State &state)
{
    for (auto _ : state)
        gridSearch();
}
BENCHMARK(BM_GridSortNumbers)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GridSortTexts)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GridSearchAbsent)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    makeTexts();
    auto grid = makeGrid();
    g_grid = grid.get();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double gn = timeGridSort(kNumCol);
    const double pn = time(peerNumbers);
    const double qn = time([] { proxySort(kNumCol); }, 1);
    const double gt = timeGridSort(kTextCol);
    const double pt = time(peerTexts);
    const double qt = time([] { proxySort(kTextCol); }, 1);
    std::printf("sort 10^6 x 5, number column: grid %.3f s, parse-once stable_sort %.3f s, proxy model %.3f s\n", gn,
                pn, qn);
    std::printf("  ratio grid/stable_sort %.2f (target <= 3.00), grid/proxy %.2f (target < 1.00)\n", gn / pn, gn / qn);
    std::printf("sort 10^6 x 5, text column: grid %.3f s, parse-once stable_sort %.3f s, proxy model %.3f s\n", gt, pt,
                qt);
    std::printf("  ratio grid/stable_sort %.2f (target <= 3.00), grid/proxy %.2f (target < 1.00)\n", gt / pt, gt / qt);

    // 10^6 cells: 250000 rows x 4 data columns.
    g_grid->SetRowCount(kRows / 4 + 1);
    const double gs = time(gridSearch, 5);
    const double ps = time(peerSearch, 5);
    std::printf("absent text in 10^6 cells: grid Find %.3f s, indexOf loop %.3f s, ratio %.2f (target <= 2.00)\n", gs,
                ps, gs / ps);
    return 0;
}
