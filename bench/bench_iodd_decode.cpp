// Full-depth decode of the whole IODD corpus against a plain pugixml parse of the same files.
// Prints the ratio of the two (target: at most 3.0). The decode includes the checks every XML file
// of the program goes through (encoding, well-formedness, lines) and the reader's own.
#include "iolink/UIOLink_IODD_Decode.h"

#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <algorithm>
#include <ctime>
#include <pugixml.hpp>

namespace {

QString corpusDir() { return QDir::cleanPath(QStringLiteral(CFG_SHARED_IODD_DIR)); }

// Device descriptions of the corpus (external language files are not descriptions).
const QStringList &deviceFiles()
{
    static const QStringList files = [] {
        QStringList out;
        const QDir dir(corpusDir() + QStringLiteral("/devices"));
        for (const QString &name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
            pugi::xml_document doc;
            if (doc.load_file(QFile::encodeName(dir.filePath(name)).constData())
                && std::strcmp(doc.document_element().name(), "IODevice") == 0)
                out << dir.filePath(name);
        }
        return out;
    }();
    return files;
}

const QString &standardDir()
{
    static const QString dir = corpusDir() + QStringLiteral("/standard/");
    return dir;
}

void decodeAll()
{
    for (const QString &f : deviceFiles()) {
        TIODD iodd;
        iodd.StandardDef_Path = standardDir();
        try {
            iodd.Decode_IODD(f, false);
        } catch (const EIODDError &) {
        }
        benchmark::DoNotOptimize(iodd.ProfileBody.DeviceFunction.VariableCollection.Var_List.size());
    }
}

const std::vector<QByteArray> &nativePaths()
{
    static const std::vector<QByteArray> paths = [] {
        std::vector<QByteArray> out;
        for (const QString &f : deviceFiles())
            out.push_back(QFile::encodeName(f));
        return out;
    }();
    return paths;
}

void parseAll()
{
    for (const QByteArray &p : nativePaths()) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_file(p.constData(), pugi::parse_default).status);
    }
}

void BM_IoddDecodeFull(benchmark::State &state)
{
    if (deviceFiles().isEmpty()) {
        state.SkipWithError("IODD corpus not present");
        return;
    }
    int64_t bytes = 0;
    for (auto _ : state) {
        decodeAll();
        for (const QString &f : deviceFiles())
            bytes += QFileInfo(f).size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_IoddDecodeFull)->Unit(benchmark::kMillisecond);

void BM_PugixmlParseOnly(benchmark::State &state)
{
    if (deviceFiles().isEmpty()) {
        state.SkipWithError("IODD corpus not present");
        return;
    }
    for (auto _ : state)
        parseAll();
}
BENCHMARK(BM_PugixmlParseOnly)->Unit(benchmark::kMillisecond);

// The program's checked read alone (encoding, well-formedness, lines, the copy of the tree).
void BM_CheckedXmlRead(benchmark::State &state)
{
    if (deviceFiles().isEmpty()) {
        state.SkipWithError("IODD corpus not present");
        return;
    }
    for (auto _ : state) {
        for (const QString &f : deviceFiles()) {
            platform::XmlFile xml;
            benchmark::DoNotOptimize(xml.load(f, pugi::parse_default));
        }
    }
}
BENCHMARK(BM_CheckedXmlRead)->Unit(benchmark::kMillisecond);

double threadSeconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The machines this runs on are often busy with other work: the ratio is taken from rounds that
// run the parse and the decode in turn, on this thread's processor time, as the median of the
// rounds' ratios.
double decodeToParseRatio()
{
    std::vector<double> ratios;
    for (int round = 0; round < 41; ++round) {
        const double t0 = threadSeconds();
        parseAll();
        const double t1 = threadSeconds();
        decodeAll();
        const double t2 = threadSeconds();
        if (t1 > t0)
            ratios.push_back((t2 - t1) / (t1 - t0));
    }
    if (ratios.empty())
        return 0;
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (!deviceFiles().isEmpty())
        std::printf("IODD corpus (%d files): full decode / pugixml parse = %.2f (target <= 3.0)\n",
                    int(deviceFiles().size()), decodeToParseRatio());
    benchmark::Shutdown();
    return 0;
}
