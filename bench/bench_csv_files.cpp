// Loads and saves a 35 MB CSV (10^6 rows x 6 fields, some quoted) through the grid, next to a
// plain read-and-split of the same file and a plain write of the same bytes from a ready buffer.
// Prints the two ratios (targets: load at most 3x, save at most 2x).
#include "grid/NovaGrid.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "BenchTiming.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRows = 1000000;

QTemporaryDir *g_dir = nullptr;
QString g_file;
QByteArray g_bytes;
std::unique_ptr<TNovaStringGrid> g_loaded;

// About 35 bytes a row: six short fields, every fifth row with a quoted delimiter and every
// seventh with doubled quotes.
QByteArray makeCsv()
{
    QByteArray out;
    out.reserve(36 * 1000 * 1000);
    for (int r = 0; r < kRows; ++r) {
        out += QByteArray::number(r) + ',';
        out += "it" + QByteArray::number(r % 97) + ',';
        out += r % 5 == 0 ? "\"a, b\"," : "text,";
        out += QByteArray::number(r * 7 % 1000) + ".5,";
        out += r % 7 == 0 ? "\"q\"\"x\"," : "word,";
        out += "final\r\n";
    }
    return out;
}

// The plain peer: decode, split into lines, split each line at the commas.
void plainReadSplit()
{
    QByteArray data;
    platform::readFile(g_file, data);
    const QStringList lines = platform::splitTextLines(platform::decodeText(data));
    qsizetype fields = 0;
    for (const QString &l : lines)
        fields += l.split(QLatin1Char(',')).size();
    benchmark::DoNotOptimize(fields);
}

void gridLoad()
{
    auto g = std::make_unique<TNovaStringGrid>();
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    g->LoadFromCSV(g_file);
    g_loaded = std::move(g);
}

void plainWrite() { platform::writeFileAtomic(g_dir->filePath("plain.csv"), g_bytes); }
void gridSave() { g_loaded->SaveToCSV(g_dir->filePath("grid.csv")); }

void BM_PlainReadSplit(benchmark::State &state)
{
    for (auto _ : state)
        plainReadSplit();
}
void BM_GridLoadCsv(benchmark::State &state)
{
    for (auto _ : state)
        gridLoad();
}
void BM_PlainWrite(benchmark::State &state)
{
    for (auto _ : state)
        plainWrite();
}
void BM_GridSaveCsv(benchmark::State &state)
{
    if (!g_loaded)
        gridLoad();
    for (auto _ : state)
        gridSave();
}

BENCHMARK(BM_PlainReadSplit)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GridLoadCsv)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GridSaveCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    g_file = dir.filePath("big.csv");
    const QByteArray csv = makeCsv();
    platform::writeFileAtomic(g_file, csv);
    std::printf("CSV: %.1f MB, %d rows x 6 fields\n", csv.size() / 1e6, kRows);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    // Alternating rounds measured here give the ratios.
    gridLoad();
    g_bytes = csv;
    const double split = bestMs(plainReadSplit);
    const double load = bestMs(gridLoad);
    const double write = bestMs(plainWrite);
    const double save = bestMs(gridSave);
    std::printf("load: %.0f ms vs plain read-and-split %.0f ms: ratio %.2f (target <= 3.0)\n", load, split, load / split);
    std::printf("save: %.0f ms vs plain write %.0f ms: ratio %.2f (target <= 2.0)\n", save, write, save / write);
    benchmark::Shutdown();
    return 0;
}
