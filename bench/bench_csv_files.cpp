// Loads and saves a 35 MB CSV (10^6 rows x 6 fields, some quoted) through the grid, next to a
// plain read-and-split of the same file and a plain write of the same bytes from a ready buffer.
// Prints the two ratios (targets: load at most 3x, save at most 2x), the load's peak memory
// growth over the file's size (target: at most 3x, for lines of the length users load), and the
// load of very wide lines against the plain read of the same file.
#include "grid/NovaGrid.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "BenchTiming.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <malloc.h>
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

// Lines of the shape users load (about 107 bytes of six fields, as a 200 MB export of 1.86 million
// lines): a number, texts of some twenty characters, a quoted one holding the delimiter.
QByteArray makeLongLineCsv(int rows)
{
    QByteArray out;
    out.reserve(qsizetype(rows) * 110);
    for (int r = 0; r < rows; ++r) {
        out += QByteArray::number(r) + ',';
        out += "measured value " + QByteArray::number(r % 9973) + ',';
        out += "\"Hall " + QByteArray::number(r % 31) + ", sensor row " + QByteArray::number(r % 211) + "\",";
        out += QByteArray::number(r * 7 % 100000) + ".125,";
        out += r % 7 == 0 ? "\"say \"\"ok\"\" here\"," : "status text normal,";
        out += "final field of the line\r\n";
    }
    return out;
}

// Lines of many short fields.
QByteArray makeWideCsv(int rows, int fields)
{
    QByteArray out;
    for (int r = 0; r < rows; ++r) {
        for (int f = 0; f < fields; ++f)
            out += (f ? "," : "") + QByteArray::number((r + f) % 1000);
        out += "\r\n";
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

// Resident memory now and at its peak, in bytes, from the kernel's accounting of this process.
long long statusBytes(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').value(0).toLongLong() * 1024;
    return 0;
}

// How far a run lifts the process's peak resident memory above what it held before: freed
// memory goes back to the system first and the kernel's peak is reset to the present.
template <typename F>
long long peakGrowth(F run)
{
    malloc_trim(0);
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (reset.open(QIODevice::WriteOnly))
        reset.write("5");
    reset.close();
    const long long before = statusBytes("VmRSS:");
    run();
    return statusBytes("VmHWM:") - before;
}

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
    // Memory: a file of the lines users load, then this file's short lines, where the cell store's
    // cost per row weighs more.
    g_loaded.reset();
    const QByteArray longLines = makeLongLineCsv(400000);
    platform::writeFileAtomic(g_file, longLines);
    const long long growth = peakGrowth(gridLoad);
    std::printf("load memory: peak growth %.0f MB over a %.0f MB file of %.0f-byte lines: ratio %.2f (target <= 3.0)\n",
                growth / 1e6, longLines.size() / 1e6, longLines.size() / 4e5, double(growth) / double(longLines.size()));
    g_loaded.reset();
    platform::writeFileAtomic(g_file, csv);
    const long long shortGrowth = peakGrowth(gridLoad);
    std::printf("load memory, %.0f-byte lines: peak growth %.0f MB over %.0f MB: ratio %.2f, the cell store alone %.2f\n",
                csv.size() / double(kRows), shortGrowth / 1e6, csv.size() / 1e6, double(shortGrowth) / double(csv.size()),
                double(g_loaded->Store().MemoryBytes()) / double(csv.size()));
    g_loaded.reset();

    // Width: lines of 60000 fields cost what their bytes cost (twice the lines, twice the time),
    // however the bytes are split into lines, and a line wider than a grid is refused after one
    // look at the file.
    platform::writeFileAtomic(g_file, makeWideCsv(20, 60000));
    const double wide20 = bestMs(gridLoad);
    g_loaded.reset();
    platform::writeFileAtomic(g_file, makeWideCsv(40, 60000));
    const double wide40 = bestMs(gridLoad);
    g_loaded.reset();
    std::printf("wide lines: 20 x 60000 fields load in %.0f ms, 40 x 60000 in %.0f ms: ratio %.2f (linear: 2.0)\n",
                wide20, wide40, wide40 / wide20);
    // The same bytes in lines of half the width: a cost that grew with the square of a line's
    // fields would take twice as long for the wide lines.
    platform::writeFileAtomic(g_file, makeWideCsv(80, 30000));
    const double narrow80 = bestMs(gridLoad);
    g_loaded.reset();
    std::printf("line width: 40 x 60000 fields in %.0f ms, 80 x 30000 in %.0f ms: ratio %.2f (linear: 1.0)\n", wide40,
                narrow80, wide40 / narrow80);
    platform::writeFileAtomic(g_file, makeWideCsv(1, 1000000));
    const double tooWideSplit = bestMs(plainReadSplit);
    const double refuse = bestMs([] {
        try {
            gridLoad();
        } catch (const ENovaGridError &) {
        }
    });
    std::printf("a line of 10^6 fields: refused in %.0f ms vs plain read-and-split %.0f ms: ratio %.2f\n", refuse,
                tooWideSplit, refuse / tooWideSplit);
    benchmark::Shutdown();
    return 0;
}
