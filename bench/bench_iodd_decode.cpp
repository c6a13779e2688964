// Full-depth decode of the whole IODD corpus against a plain pugixml parse of the same files.
// Prints the ratio of the two (target: at most 2.0).
#include "iolink/UIOLink_IODD_Decode.h"

#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
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

void BM_IoddDecodeFull(benchmark::State &state)
{
    const QString stdDir = corpusDir() + QStringLiteral("/standard/");
    if (deviceFiles().isEmpty()) {
        state.SkipWithError("IODD corpus not present");
        return;
    }
    int64_t bytes = 0;
    for (auto _ : state) {
        for (const QString &f : deviceFiles()) {
            TIODD iodd;
            iodd.StandardDef_Path = stdDir;
            try {
                iodd.Decode_IODD(f, false);
            } catch (const EIODDError &) {
            }
            benchmark::DoNotOptimize(iodd.ProfileBody.DeviceFunction.VariableCollection.Var_List.size());
        }
        for (const QString &f : deviceFiles())
            bytes += QFileInfo(f).size();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_IoddDecodeFull)->Unit(benchmark::kMillisecond);

void BM_PugixmlParseOnly(benchmark::State &state)
{
    std::vector<QByteArray> paths;
    for (const QString &f : deviceFiles())
        paths.push_back(QFile::encodeName(f));
    if (paths.empty()) {
        state.SkipWithError("IODD corpus not present");
        return;
    }
    for (auto _ : state) {
        for (const QByteArray &p : paths) {
            pugi::xml_document doc;
            benchmark::DoNotOptimize(doc.load_file(p.constData(), pugi::parse_default).status);
        }
    }
}
BENCHMARK(BM_PugixmlParseOnly)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            if (!r.error_occurred)
                times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto full = reporter.times.find("BM_IoddDecodeFull");
    const auto plain = reporter.times.find("BM_PugixmlParseOnly");
    if (full != reporter.times.end() && plain != reporter.times.end() && plain->second > 0)
        std::printf("IODD corpus (%d files): full decode / pugixml parse = %.2f (target <= 2.0)\n",
                    int(deviceFiles().size()), full->second / plain->second);
    benchmark::Shutdown();
    return 0;
}
