// libFuzzer target of the IODD reader. Run: tools/fuzz.sh fuzz_iodd_reader 600
// The input is written to a file and decoded as a device file (full or simple decode) or,
// as the standard-definition file of a small known-good device; the size picks the way. Device
// files are decoded against the real standard definitions when tools/fuzz.sh names their folder
// (CFG_FUZZ_STANDARD_DIR), so their references resolve as in the program; else against the
// small fixtures.
#include "iolink/UIOLink_IODD_Decode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>

namespace {

const QString &fixtureDir()
{
    static const QString dir = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../tests/data/iodd/");
    return dir;
}

const QString &standardDir()
{
    static const QString dir = [] {
        const QString env = qEnvironmentVariable("CFG_FUZZ_STANDARD_DIR");
        return env.isEmpty() ? fixtureDir() + QStringLiteral("std/") : QDir(env).absolutePath() + QLatin1Char('/');
    }();
    return dir;
}

QTemporaryDir &work()
{
    static QTemporaryDir dir;
    return dir;
}

void writeFile(const QString &path, const uint8_t *data, size_t size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char *>(data), qint64(size));
}

// Walks every query the windows use over whatever was decoded.
void query(const TIODD &iodd)
{
    volatile qsizetype sink = 0;
    const TDeviceFunction &df = iodd.ProfileBody.DeviceFunction;
    for (bool varRef : {false, true}) {
        for (const auto *list : {&df.VariableCollection.Var_List, &df.VariableCollection.StdVar_List,
                                 &iodd.SD_VariableCollection.Var_List}) {
            for (const auto &v : *list) {
                sink += v->Get_DataType(iodd, varRef).size() + v->Get_Length(iodd, varRef).size()
                        + v->Get_SubIndAccSup(iodd, varRef).size() + v->Get_AccessRights().size();
                if (const TVariable *def = v->Get_Index_Var_Ref(iodd))
                    sink += def->Get_Length(iodd, true).size();
                sink += iodd.GetDesc_ExtTextCol(varRef, v->Name).size();
                if (const TDataType *dt = v->ResolvedDataType(iodd, varRef); dt && dt->ComplexDataType) {
                    for (const auto &item : dt->ComplexDataType->RecItem)
                        sink += item->SimpleTD->Get_Length(iodd, varRef).size()
                                + item->SimpleTD->Get_ActualSimpleDataType(iodd, varRef).size();
                    if (const TSimpleDataType *e = dt->ComplexDataType->ArrayElementType())
                        sink += e->Get_Length(iodd, varRef).size();
                }
            }
        }
        sink += df.VariableCollection.Get_Variables(QStringLiteral("64"), QString(), iodd) != nullptr;
    }
    for (const auto &pd : df.ProcessDataCollection.ProcessData_List) {
        for (const TProcessDataInOut *io : {pd->ProcessDataIn.get(), pd->ProcessDataOut.get()}) {
            if (!io)
                continue;
            sink += io->Get_DataTypeStr(iodd).size() + io->Get_Gradient(iodd, true, true, QString()).size()
                    + io->Get_Offset(iodd, false, false, QStringLiteral("1")).size()
                    + io->Get_UnitCode(iodd, false, true, QStringLiteral("2")).size();
            sink += io->GetDataType(iodd) != nullptr;
        }
    }
    for (const TEventData *ev : df.EventCollection.StdEventRef_List)
        sink += ev ? iodd.GetDesc_ExtTextCol(true, ev->Name).size() : 0;
    sink += iodd.PhysicalLayer.Get_BitRate() + iodd.PhysicalLayer.Get_MinCycleTime();
    (void)sink;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!work().isValid())
        return 0;
    const QString dir = work().path() + QLatin1Char('/');
    const int way = int(size % 3);
    TIODD iodd;
    try {
        if (way < 2) {
            writeFile(dir + QStringLiteral("device.xml"), data, size);
            iodd.StandardDef_Path = standardDir();
            iodd.Decode_IODD(dir + QStringLiteral("device.xml"), way == 1);
        } else {
            QDir().mkpath(dir + QStringLiteral("std"));
            writeFile(dir + QStringLiteral("std/IODD-StandardDefinitions1.1.xml"), data, size);
            iodd.StandardDef_Path = dir + QStringLiteral("std/");
            iodd.Decode_IODD(fixtureDir() + QStringLiteral("Test-Device-IODD1.1.xml"), false);
        }
    } catch (const EIODDError &) {
    }
    query(iodd);
    return 0;
}
