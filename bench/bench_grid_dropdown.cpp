// The drop-downs with a table over 10^5 rows.
// Grid drop-down: in narrow-down mode one key typed into the open grid, next to a direct NarrowDown
// call with the same text on the same inner grid. Prints both times and their ratio (target: at
// most 1.5x: the drop-down adds no pass over the rows of its own).
#include "dropdown/NovaGridDropDown.h"
#include "BenchTiming.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>

namespace {

// ---- the grid drop-down ------------------------------------------------------------------------------

constexpr int kGridRows = 100000;

class BenchGridDropDown : public TCustomNovaGridDropDown {
public:
    using TCustomNovaGridDropDown::TCustomNovaGridDropDown;
    void TypeInGrid(QChar Key) { ControlKeyPress(Key); }
    // All rows back and nothing typed, as when the edit is entered again.
    void Reset()
    {
        FLookupEntry.clear();
        GetGrid()->RemoveAllFilters();
    }
};

BenchGridDropDown *g_gridDropDown = nullptr;

std::unique_ptr<BenchGridDropDown> makeGridDropDown()
{
    auto dd = std::make_unique<BenchGridDropDown>();
    dd->SetLookupMethod(lmNarrowDown);
    dd->Columns().Add()->SetHeader(QStringLiteral("Name"));
    dd->Columns().Add()->SetHeader(QStringLiteral("Note"));
    for (int i = 0; i < kGridRows; ++i)
        dd->Items().Add()->Text() << QStringLiteral("Item %1").arg(i, 6, 10, QLatin1Char('0'))
                                  << QStringLiteral("note %1").arg(i % 97);
    dd->EndUpdate();
    dd->ShowDropDown();
    return dd;
}

// The best of Runs timings of Step, each after an untimed reset.
template <typename F>
double bestAfterReset(F Step, int Runs = 5)
{
    double best = 1e300;
    for (int i = 0; i < Runs; ++i) {
        g_gridDropDown->Reset();
        const auto t0 = std::chrono::steady_clock::now();
        Step();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

void gridDropDownKey() { g_gridDropDown->TypeInGrid(QLatin1Char('7')); }
void gridDirectNarrowDown() { g_gridDropDown->GetGrid()->NarrowDown(QStringLiteral("7"), 0); }

void BM_GridDropDownTypedKey(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        g_gridDropDown->Reset();
        state.ResumeTiming();
        gridDropDownKey();
    }
}

void BM_GridDirectNarrowDown(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        g_gridDropDown->Reset();
        state.ResumeTiming();
        gridDirectNarrowDown();
    }
}

BENCHMARK(BM_GridDropDownTypedKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridDirectNarrowDown)->Unit(benchmark::kMillisecond);

void printGridDropDownRatio()
{
    const double k = bestAfterReset(gridDropDownKey);
    const double n = bestAfterReset(gridDirectNarrowDown);
    std::printf("grid drop-down, 10^5 rows: typed key %.2f ms, direct NarrowDown %.2f ms\n", k, n);
    std::printf("ratio typed key / NarrowDown %.2f (target <= 1.50)\n", k / n);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    auto gridDropDown = makeGridDropDown();
    g_gridDropDown = gridDropDown.get();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    printGridDropDownRatio();
    return 0;
}
