// The drop-downs with a table over 10^5 rows or items.
// Grid drop-down: in narrow-down mode one key typed into the open grid, next to a direct NarrowDown
// call with the same text on the same inner grid (target: at most 1.5x: the drop-down adds no pass
// over the rows of its own). Multi-column list: its completion over 10^5 items (the one match is the
// last item) next to a plain prefix scan of a QStringList holding the same texts (target: at most
// 2x). Prints the times and their ratios.
#include "dropdown/NovaGridDropDown.h"
#include "dropdown/NovaMultiColumnDropDown.h"
#include "BenchTiming.h"

#include <QApplication>
#include <QStringList>
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

// ---- the multi-column list -----------------------------------------------------------------------

constexpr int kListItems = 100000;

QString listText(int i) { return QStringLiteral("item %1").arg(i, 6, 10, QLatin1Char('0')); }
const QString kListPrefix = QStringLiteral("ITEM 099999");

// The completion's search as the list runs it for each typed key.
class TBenchMultiColumnList : public TNovaMultiColumnDropDown {
public:
    using TNovaMultiColumnDropDown::ItemLookupPrefix;
};

struct ListCompletion {
    std::unique_ptr<TBenchMultiColumnList> list;
    QStringList texts;
    int found = -1;

    ListCompletion()
    {
        list = std::make_unique<TBenchMultiColumnList>();
        list->Columns().Add()->SetWidth(100);
        for (int i = 0; i < kListItems; ++i) {
            list->Items().Add()->Text().push_back(listText(i));
            texts << listText(i);
        }
    }
    void complete()
    {
        QString match;
        list->ItemLookupPrefix(kListPrefix, match, found);
    }
    void plainScan()
    {
        found = -1;
        for (int i = 0; i < texts.size(); ++i)
            if (texts[i].startsWith(kListPrefix, Qt::CaseInsensitive)) {
                found = i;
                break;
            }
    }
};

ListCompletion *g_list = nullptr;

void BM_MultiColumnCompletion(benchmark::State &state)
{
    for (auto _ : state) g_list->complete();
}
BENCHMARK(BM_MultiColumnCompletion)->Unit(benchmark::kMillisecond);

void BM_PlainPrefixScan(benchmark::State &state)
{
    for (auto _ : state) g_list->plainScan();
}
BENCHMARK(BM_PlainPrefixScan)->Unit(benchmark::kMillisecond);

void reportListCompletion()
{
    const double c = bestMs([] { g_list->complete(); });
    const int foundByList = g_list->found;
    const double p = bestMs([] { g_list->plainScan(); });
    std::printf("10^5 items: multi-column completion %.2f ms (item %d), plain prefix scan %.2f ms (item %d)\n", c,
                foundByList, p, g_list->found);
    std::printf("ratio completion / plain prefix scan %.2f (target <= 2.00)\n", c / p);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    auto gridDropDown = makeGridDropDown();
    g_gridDropDown = gridDropDown.get();
    ListCompletion list;
    g_list = &list;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    printGridDropDownRatio();
    reportListCompletion();
    return 0;
}
