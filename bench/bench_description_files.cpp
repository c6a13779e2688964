// The description-file exports at the size of their largest tables: EDE of 2000 + 2000 BACnet
// objects, MIB of 256 + 256 SNMP rows, ESI of 256 + 256 EtherCAT variables. Each export (read the
// saved files, build the text, write it whole) stands next to a plain pugixml parse of the same
// input files plus a plain write of the same output bytes. Prints the ratios (target: at most 3x).
#include "platform/Files.h"
#include "protocols/UBACnet_EDE_File.h"
#include "protocols/UEtherCAT_ESI_File.h"
#include "protocols/USNMP_MIB.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "BenchTiming.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <pugixml.hpp>

namespace {

QTemporaryDir *g_dir = nullptr;

QByteArray rows(int count, const std::function<QByteArray(int)> &row)
{
    QByteArray out;
    for (int i = 0; i < count; ++i) out += row(i);
    return out;
}

void writeInputs()
{
    platform::writeFileAtomic(ParGen_File, "<Par_Gen><BACnet_Type>0</BACnet_Type><BACnet_DEV_IDE>1234</BACnet_DEV_IDE>"
                                           "<EtherCAT_Slave_Name>Gateway</EtherCAT_Slave_Name></Par_Gen><!--SW_VERSION = 1.103-->");
    const char *types[] = {"Analog Input", "Binary Value", "Multi State Value", "Large Analog Value"};
    auto bacnet = [&](int i) {
        return "<row Data_Type=\"" + QByteArray(types[i % 4]) + "\" Eng_Unit=\"" + QByteArray::number(i % 237)
               + "\" Position=\"" + QByteArray::number(i % 1440) + "\" Bit=\"0\" Length=\"4\" Swap=\"N\" SwapWord=\"N\" "
                 "Mnemonic=\"Boiler_Temperature_" + QByteArray::number(i) + "\"/>";
    };
    platform::writeFileAtomic(BACnet_Slave_SetAccess_File, "<BACnet_to_Modbus><BACnet_in_Read>" + rows(2000, bacnet)
                                                                 + "</BACnet_in_Read><BACnet_in_Write>" + rows(2000, bacnet)
                                                                 + "</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.001-->");
    auto snmpRead = [](int i) {
        return "<row Enable=\"Y\" Community_Name=\"Vantok\" Type=\"" + QByteArray(i % 2 ? "Int" : "String")
               + "\" On_Change=\"N\" On_Command=\"N\" On_Timer=\"N\" Time=\"\" Position=\"" + QByteArray::number(i)
               + "\" Bit=\"0\" NumBits=\"8\" Description=\"read" + QByteArray::number(i)
               + "\" IP_Address=\"127.0.0.1\" Conversion=\"None\" Mnemonic=\"\"/>";
    };
    auto snmpWrite = [](int i) {
        return "<row Enable=\"Y\" Community_Name=\"Vantok\" Type=\"Int\" Position=\"" + QByteArray::number(i)
               + "\" Bit=\"0\" NumBits=\"16\" Description=\"write" + QByteArray::number(i) + "\" Conversion=\"None\" Mnemonic=\"\"/>";
    };
    platform::writeFileAtomic(SNMP_Trap_File, "<SNMP_Trap><SNMP_Trap_Read>" + rows(256, snmpRead) + "</SNMP_Trap_Read><SNMP_Trap_Write>"
                                                  + rows(256, snmpWrite) + "</SNMP_Trap_Write></SNMP_Trap><!--SW_VERSION = 1.000-->");
    const char *ecat[] = {"Bool", "Int16", "UInt8", "Float32", "String", "Bool", "Bool", "Array"};
    auto variable = [&](int i, bool init) {
        const QByteArray type = ecat[i % 8];
        const QByteArray length = type == "String" || type == "Array" ? "10" : type == "Int16" ? "2" : type == "Float32" ? "4" : "1";
        return "<row Enable=\"Y\" Type=\"" + type + "\" Length=\"" + length + "\" Name=\"Variable " + QByteArray::number(i)
               + "\"" + (init ? " InitValue=\"\"" : "") + " Position=\"0\" BitStart=\"0\" Group=\"\" Mnemonic=\"\"/>";
    };
    platform::writeFileAtomic(EtherCAT_Slave_File,
                              "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
                                  + rows(256, [&](int i) { return variable(i, true); }) + "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>"
                                  + rows(256, [&](int i) { return variable(i, false); })
                                  + "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave><!--SW_VERSION = 1.006-->");
}

struct Export {
    const char *name;
    QStringList inputs;
    std::function<TDescription_File()> bytes;
    QByteArray output;  // the export's bytes, for the plain peer's write
};

void runExport(const Export &e)
{
    const TDescription_File f = e.bytes();
    platform::writeFileAtomic(g_dir->filePath(QString::fromLatin1(e.name) + ".out"), f.Bytes);
}

void runPlain(const Export &e)
{
    for (const QString &input : e.inputs) {
        pugi::xml_document doc;
        benchmark::DoNotOptimize(doc.load_file(input.toLocal8Bit().constData(), pugi::parse_default | pugi::parse_comments));
    }
    platform::writeFileAtomic(g_dir->filePath(QString::fromLatin1(e.name) + ".plain"), e.output);
}

std::vector<Export> &exports()
{
    static std::vector<Export> list;
    return list;
}

void BM_Export(benchmark::State &state)
{
    const Export &e = exports()[size_t(state.range(0))];
    state.SetLabel(e.name);
    for (auto _ : state) runExport(e);
}
void BM_Plain(benchmark::State &state)
{
    const Export &e = exports()[size_t(state.range(0))];
    state.SetLabel(e.name);
    for (auto _ : state) runPlain(e);
}
BENCHMARK(BM_Export)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Plain)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    Project_Name = QStringLiteral("Bench");
    Project_Path = dir.filePath(QStringLiteral("Bench"));
    QDir().mkpath(Project_Path);
    Set_Files();
    Load_Default_Texts();
    writeInputs();
    exports() = {{"EDE 2000+2000", {ParGen_File, BACnet_Slave_SetAccess_File}, EDE_File_Bytes, {}},
                 {"MIB 256+256", {SNMP_Trap_File}, [] { return MIB_File_Bytes(); }, {}},
                 {"ESI 256+256", {ParGen_File, EtherCAT_Slave_File}, ESI_File_Bytes, {}}};
    for (Export &e : exports()) {
        const TDescription_File f = e.bytes();
        if (!f.ok()) {
            std::printf("%s refused: %s\n", e.name, qPrintable(f.Error));
            return 1;
        }
        e.output = f.Bytes;
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();

    for (const Export &e : exports()) {
        const double plain = bestMs([&] { runPlain(e); });
        const double exported = bestMs([&] { runExport(e); });
        std::printf("%s: %.2f ms vs plain parse and write %.2f ms: ratio %.2f (target <= 3.0), %lld bytes\n", e.name, exported,
                    plain, exported / plain, static_cast<long long>(e.output.size()));
    }
    benchmark::Shutdown();
    return 0;
}
