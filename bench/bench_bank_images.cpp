// Builds the configuration images for 8 channels of the largest real IODD of the corpus, beside
// decoding those 8 IODDs alone: the build should add little to the decode.
#include "iolink/UIO_Link_Channels.h"
#include "iolink/USaveBincc.h"
#include "platform/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

QString corpus() { return QDir::cleanPath(QStringLiteral(CFG_SHARED_IODD_DIR)); }

struct Setup {
    QTemporaryDir dir;
    QString iodd;  // file name of the largest device file
    bool ok = false;

    Setup()
    {
        if (!QFileInfo(corpus()).isDir()) return;
        qint64 biggest = 0;
        for (QDirIterator it(corpus() + "/devices", {"*IODD1.1.xml"}, QDir::Files); it.hasNext();) {
            const QFileInfo fi(it.next());
            if (fi.size() > biggest) { biggest = fi.size(); iodd = fi.fileName(); }
        }
        Init_Program_Dirs(dir.path());
        QFile::copy(corpus() + "/standard/IODD-StandardDefinitions1.1.xml", IOLink_StaDef_Dir + "IODD-StandardDefinitions1.1.xml");
        QFile::copy(corpus() + "/devices/" + iodd, IODD_Catalog_Dir + "/" + iodd);
        Project_Path = Projects_Dir + "/Bench";
        QDir().mkpath(Project_Path);
        Set_Files();
        Load_Default_Texts();
        // Communication parameters without a variant: 8 ports of kind A.
        if (!platform::writeFileAtomic(ParGen_File, "<Par_Gen/>")) return;
        TIOLink_Channel_Table table;
        table.Report = [](auto, const QString &) {};
        if (!table.Create_Channels()) return;
        for (int c = 0; c < table.Num_Channels; ++c) {
            if (!table.Assign_IODD(c, iodd)) return;
            table.Channels[size_t(c)].Pin4Mode = "IO-Link";
            int enabled = 0;
            for (auto &v : table.Channels[size_t(c)].Var_List) {
                if (v.SubIndex_Present || enabled >= 20) continue;
                v.Enable = true;
                ++enabled;
            }
            for (auto &e : table.Channels[size_t(c)].Event_List) e.Enable = true;
        }
        table.Add_Name_to_Configuration();
        ok = table.Save_Configuration();
    }
};

Setup &setup()
{
    static Setup s;
    return s;
}

double g_decode = 0, g_build = 0;

void BM_DecodeEightIODDs(benchmark::State &state)
{
    if (!setup().ok) { state.SkipWithError("IODD corpus not present"); return; }
    const QString path = Project_Path + "/IODD/" + setup().iodd;
    QElapsedTimer t;
    t.start();
    qint64 n = 0;
    for (auto _ : state) {
        for (int c = 0; c < 8; ++c) {
            TIODD iodd;
            iodd.StandardDef_Path = IOLink_StaDef_Dir;
            benchmark::DoNotOptimize(iodd.Decode_IODD(path, false));
        }
        ++n;
    }
    g_decode = double(t.nsecsElapsed()) / double(n);
}

void BM_BuildImages(benchmark::State &state)
{
    if (!setup().ok) { state.SkipWithError("IODD corpus not present"); return; }
    TBank_Images images;
    if (!images.Build_Bank_Images()) { state.SkipWithError("the images cannot be built"); return; }
    QElapsedTimer t;
    t.start();
    qint64 n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(images.Build_Bank_Images());
        ++n;
    }
    g_build = double(t.nsecsElapsed()) / double(n);
    state.counters["bank2_bytes"] = double(images.Bank2_Image.size());
}

BENCHMARK(BM_DecodeEightIODDs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildImages)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (g_decode > 0 && g_build > 0)
        std::printf("Image build / decode of the same 8 IODDs: %.2f (%s)\n", g_build / g_decode,
                    setup().iodd.toUtf8().constData());
    benchmark::Shutdown();
    return 0;
}
