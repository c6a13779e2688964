// The drop-down lists' typing over many items. The multi-column list's completion over 10^5 items
// (the one match is the last item) next to a plain prefix scan of a QStringList holding the same
// texts. Prints both times and their ratio (target: at most 2x).
#include "dropdown/NovaMultiColumnDropDown.h"
#include "BenchTiming.h"

#include <QApplication>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

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
    ListCompletion list;
    g_list = &list;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    reportListCompletion();
    return 0;
}
