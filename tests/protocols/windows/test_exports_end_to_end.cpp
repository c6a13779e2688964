// The five description exports end to end: the tables filled in their windows and saved by OK, the
// channel table saved with real device descriptions, each file written by the main window's
// command and read back by the format's usual reader, carrying the values the windows were given.
#include "iolink/UIO_Link_Channels.h"
#include "platform/Clock.h"
#include "protocols/ConsumerTools.h"
#include "protocols/UBACnetSlaveSetAccess.h"
#include "protocols/UEtherCATSlave.h"
#include "protocols/UProfinetFileName.h"
#include "protocols/USNMP_Trap_Access.h"
#include "protocols/USet_PDO_Access.h"
#include "protocols/USet_SDO_Server_Access.h"
#include "protocols/windows/TableWindowFixture.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <algorithm>
#include <climits>

using namespace consumers;
using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::ScriptedFileChooser;
using testsupport::writeFile;

namespace {

// One table row as the user fills it: (attribute, text), "Y"/"N" for a check box.
using Row = std::vector<std::pair<const char *, QString>>;

// The program with all its windows over an open configuration "Plant".
class ExportsEndToEnd : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        platform::setClock([] { return QDateTime(QDate(2024, 3, 26), QTime(12, 30)); }, {});
        windows = std::make_unique<TProgramWindows>(dir.path());
        main = FDovavivuvFirmWare;
        Project_Name = QStringLiteral("Plant");
        Project_Path = Projects_Dir + QStringLiteral("/Plant");
        QDir().mkpath(Project_Path);
        Set_Files();
        writeFile(ParGen_File, "<Par_Gen><IOLink_SelectDevice>GW41520-A1-4A</IOLink_SelectDevice>"
                               "<BACnet_DEV_IDE>1234</BACnet_DEV_IDE></Par_Gen><!--SW_VERSION = 1.103-->");
    }
    void TearDown() override
    {
        windows.reset();
        platform::setClock({}, {});
        TableWindowTest::TearDown();
    }
    QString project(const QString &name) const { return Project_Path + QLatin1Char('/') + name; }

    // Puts rows 1.. of grid, each cell found by its attribute in the window's description; a choice
    // from a list goes through the grid's choice event, as the dropped list fires it.
    static void fill(TTable_Window &w, size_t grid, const std::vector<Row> &rows)
    {
        const TGridDesc &d = w.Description().grids[grid];
        TNovaStringGrid &g = *w.Grids[grid];
        for (size_t r = 0; r < rows.size(); ++r)
            for (const auto &[attribute, text] : rows[r]) {
                int col = -1;
                for (size_t c = 0; c < d.columns.size(); ++c)
                    if (d.columns[c].attribute == QLatin1String(attribute)) col = int(c);
                ASSERT_GE(col, 0) << w.objectName().toStdString() << " has no column " << attribute;
                putCell(w, grid, col, int(r) + 1, text);
                const TColumnDesc &column = d.columns[size_t(col)];
                if (!column.items.isEmpty() && g.OnComboChange)
                    g.OnComboChange(&g, col, int(r) + 1, int(column.items.indexOf(text)), text);
            }
    }
    // Shows the window (no box), fills it, and OK: no box, the window closed, its file written.
    void save(TTable_Window &w, const std::vector<std::vector<Row>> &grids)
    {
        {
            ModalResponder quiet;
            open(w);
            ASSERT_EQ(quiet.texts(), QStringList()) << w.objectName().toStdString();
        }
        for (size_t k = 0; k < grids.size(); ++k) fill(w, k, grids[k]);
        EXPECT_EQ(click(w.Btn_OK), QStringList()) << w.objectName().toStdString();
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(QFileInfo(*w.Description().path).isFile());
    }
    // The writer button with name typed into the chooser over an existing file, answering its
    // question (if any) with Yes; the file is replaced and no other box shows.
    QString exportFile(QAbstractButton *button, const QString &typed, const QString &file, bool asks)
    {
        writeFile(project(file), "old");
        ScriptedFileChooser chooser;
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        chooser.type(typed);
        main->Btn_Click(button);
        EXPECT_EQ(responder.texts(), asks ? QStringList{LT(1505)} : QStringList()) << file.toStdString();
        EXPECT_NE(readAll(project(file)), "old") << file.toStdString();
        return project(file);
    }

    std::unique_ptr<TProgramWindows> windows;
    DIDurovuzozAdozAvir *main = nullptr;
};

// ---- EDE: the BACnet window ------------------------------------------------------------------------------

TEST_F(ExportsEndToEnd, EdeOfTheBacnetWindowReadsAsCsv)
{
    NEED_TOOL("python3");
    auto object = [](const char *type, const char *unit, const char *position, const char *bit, const char *mnemonic) {
        return Row{{"Data_Type", type}, {"Eng_Unit", unit}, {"Position", position}, {"Bit", bit}, {"Length", "4"},
                   {"Swap", "N"}, {"SwapWord", "Y"}, {"Mnemonic", mnemonic}};
    };
    save(*FBACnetSlaveSetAccess, {{object("Analog Input", "62", "0", "0", "Boiler"), object("Binary Input", "95", "4", "3", "Pump"),
                                   object("Analog Input", "62", "5", "0", "Return")},
                                  {object("Analog Out", "98", "0", "0", "Setpoint")}});
    const QString path = exportFile(main->Btn_BACnet_EDE_File, QStringLiteral("objects"), QStringLiteral("objects.csv"), true);
    const ToolRun r = run(tool, {"-c", kCsvFields, path});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    // Seven head lines, then one line per object: key, device, name, type, instance, description, unit.
    ASSERT_EQ(lines.size(), 11) << r.out.toStdString();
    EXPECT_EQ(lines[0], "8 PROJECT_NAME| Velmar--Plant||||||");
    EXPECT_EQ(lines.mid(7), (QStringList{"8 1234_Boiler_0|1234|Boiler|0|0|Boiler|62|", "8 1234_Pump_0|1234|Pump|3|0|Pump|95|",
                                         "8 1234_Return_1|1234|Return|0|1|Return|62|",
                                         "8 1234_Setpoint_0|1234|Setpoint|1|0|Setpoint|98|"}));
}

// ---- EDS: the PDO and SDO server windows -----------------------------------------------------------------

// The values named "section/key", one line each.
const char *const kIniValues = R"(
import configparser, sys
p = configparser.ConfigParser(strict=True, interpolation=None)
p.optionxform = str
p.read(sys.argv[1], encoding='cp1252')
for name in sys.argv[2:]:
    s, k = name.split('/')
    print(name, p[s][k] if s in p and k in p[s] else '-')
)";

TEST_F(ExportsEndToEnd, EdsOfTheCanopenWindowsReadsAsACompleteIniFile)
{
    NEED_TOOL("python3");
    save(*FSet_PDO_Access, {{{{"COB-ID", "0x201"}, {"Dimension", "2"}, {"Address_B1", "0"}, {"Address_B2", "1"},
                              {"TimeOut", "100"}, {"Mnemonic", "rx"}}},
                            {{{"COB-ID", "0x181"}, {"Dimension", "3"}, {"Address_B1", "2"}, {"Address_B2", "3"},
                              {"Address_B3", "4"}, {"Send_Time", "100"}, {"On_Change", "Y"}, {"Mnemonic", "tx"}}}});
    auto sdo = [](const char *sub, const char *n) {
        Row row{{"Index", "0x2000"}, {"SubIndex", sub}, {"NByte", n}};
        const char *const address[] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4"};
        for (int b = 0; b < QString::fromLatin1(n).toInt(); ++b) row.push_back({address[b], QString::number(10 + b)});
        row.push_back({"Mnemonic", "v"});
        return row;
    };
    save(*FSet_SDO_Server_Access, {{sdo("1", "2")}, {sdo("3", "4")}});
    const QString path = exportFile(main->Btn_CANopen_EDS, QStringLiteral("device.eds"), QStringLiteral("device.eds"), false);

    const ToolRun checked = run(tool, {"-c", kEdsChecker, path});
    EXPECT_EQ(checked.out.trimmed().section(' ', 0, 0), "OK") << checked.out.toStdString() << checked.err.toStdString();
    const struct {
        const char *value, *expected;
    } values[] = {
        {"1400sub1/DefaultValue", "0x00000201"}, {"1600sub0/DefaultValue", "0x02"}, {"1600/SubNumber", "3"},
        {"1800sub1/DefaultValue", "0x00000181"}, {"1A00sub0/DefaultValue", "0x03"}, {"1A00/SubNumber", "4"},
        {"2000/SubNumber", "3"},                 {"2000sub1/DataType", "0x0006"}, {"2000sub1/AccessType", "ro"},
        {"2000sub3/DataType", "0x0007"},         {"2000sub3/AccessType", "rw"},   {"2000sub2/DataType", "-"},
    };
    QStringList args{"-c", kIniValues, path}, expected;
    for (const auto &v : values) {
        args << QLatin1String(v.value);
        expected << QStringLiteral("%1 %2").arg(QLatin1String(v.value), QLatin1String(v.expected));
    }
    const ToolRun r = run(tool, args);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.split('\n', Qt::SkipEmptyParts), expected);
}

// ---- MIB: the SNMP window --------------------------------------------------------------------------------

TEST_F(ExportsEndToEnd, MibOfTheSnmpWindowResolvesInSnmptranslate)
{
    NEED_TOOL("snmptranslate");
    auto read = [](const char *type, const char *position, const char *bits, const char *description) {
        return Row{{"Enable", "Y"}, {"Community_Name", "Vantok"}, {"Type", type}, {"Position", position}, {"Bit", "0"},
                   {"NumBits", bits}, {"Description", description}, {"IP_Address", "127.0.0.1"}, {"Conversion", "None"}};
    };
    save(*FSNMP_Trap_Access, {{read("Int", "0", "8", "temp1"), read("String", "1", "4", "level")},
                              {{{"Enable", "Y"}, {"Community_Name", "Drevany"}, {"Type", "String"}, {"Position", "4"},
                                {"Bit", "0"}, {"NumBits", "16"}, {"Description", "setpoint"}, {"Conversion", "None"}}}});
    const QString path = exportFile(main->Btn_SNMP_MIB, QStringLiteral("gateway"), QStringLiteral("gateway.mib"), true);

    const QString folder = dir.filePath("mibs");
    putMibFolder(folder, readAll(path));
    QTemporaryDir persistent;
    const QProcessEnvironment env = snmpEnvironment(persistent.path());
    const ToolRun tree = run(tool, {"-M", folder, "-m", "GATEWAY", "-Tp"}, env);
    EXPECT_EQ(tree.code, 0);
    EXPECT_EQ(tree.err, "");
    EXPECT_TRUE(tree.out.contains("-R-- INTEGER   temp1(1)")) << tree.out.toStdString();
    EXPECT_TRUE(tree.out.contains("-R-- String    level(2)")) << tree.out.toStdString();
    EXPECT_TRUE(tree.out.contains("-RW- String    setpoint(1)")) << tree.out.toStdString();
    QStringList args{"-M", folder, "-m", "GATEWAY", "-On"};
    for (const char *name : {"temp1", "level", "setpoint", "trapval1", "trapval2"}) args << QStringLiteral("GATEWAY::") + name;
    const ToolRun oids = run(tool, args, env);
    EXPECT_EQ(oids.err, "");
    EXPECT_EQ(oids.out.split('\n', Qt::SkipEmptyParts),
              (QStringList{".1.3.6.1.4.1.0.1.1.1.4.9.1", ".1.3.6.1.4.1.0.1.1.1.4.9.2", ".1.3.6.1.4.1.0.1.1.1.5.9.1",
                           ".1.3.6.1.4.1.0.1.1.2.1.1", ".1.3.6.1.4.1.0.1.1.2.1.2"}));
}

// ---- ESI: the EtherCAT window ----------------------------------------------------------------------------

TEST_F(ExportsEndToEnd, EsiOfTheEthercatWindowIsWellFormedWithItsEntries)
{
    NEED_TOOL("xmllint");
    save(*FEtherCATSlave, {{{{"Type", "Bool"}, {"Name", "Start & Stop"}}, {{"Type", "Int16"}, {"Name", "Speed <rpm>"}},
                            {{"Enable", "N"}, {"Type", "UInt8"}, {"Name", "Unused"}}},
                           {{{"Type", "UInt8"}, {"Name", QStringLiteral("Mode \u00E9")}}}});
    const QString path = exportFile(main->Btn_EtherCAT_ESI_File, QStringLiteral("slave.xml"), QStringLiteral("slave.xml"), true);
    const ToolRun lint = run(tool, {"--noout", path});
    EXPECT_EQ(lint.code, 0) << lint.err.toStdString();
    EXPECT_EQ(lint.err, "");
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) return;
    // Outputs first; the disabled row is left out.
    const ToolRun names = run(python, {"-c", kEsiEntryNames, path});
    EXPECT_EQ(names.out.trimmed(), QStringLiteral("Mode \u00E9|Start & Stop|Speed <rpm>")) << names.err.toStdString();
}

// ---- GSDML: the channel table with real device descriptions ----------------------------------------------

// Per module, from the file: "IDM_<n> slot <s> in <bytes> out <bytes>" (0: no such item).
const char *const kGsdmlModules = R"(
import sys, xml.etree.ElementTree as E
def named(node, name):
    return [e for e in node.iter() if e.tag.rsplit('}', 1)[-1] == name]
root = E.parse(sys.argv[1]).getroot()
slots = {r.get('ModuleItemTarget'): r.get('FixedInSlots') for r in named(root, 'ModuleItemRef')}
for m in named(root, 'ModuleItem'):
    def length(side):
        return sum(int(d.get('Length')) for s in named(m, side) for d in named(s, 'DataItem'))
    print(m.get('ID'), 'slot', slots.get(m.get('ID'), '-'), 'in', length('Input'), 'out', length('Output'))
)";

TEST_F(ExportsEndToEnd, GsdmlOfTheChannelTableCarriesItsProcessData)
{
    SKIP_WITHOUT_SHARED_IODD();
    NEED_TOOL("xmllint");
    const QString corpus = testsupport::sharedIoddDir();
    QFile::remove(IOLink_StaDef_Dir + "IODD-StandardDefinitions1.1.xml");
    ASSERT_TRUE(QFile::copy(corpus + "/standard/IODD-StandardDefinitions1.1.xml", IOLink_StaDef_Dir + "IODD-StandardDefinitions1.1.xml"));
    TIOLink_Channel_Table table;
    QStringList reported;
    table.Report = [&](TIOLink_Channel_Table::MsgKind, const QString &t) { reported << t; };
    ASSERT_TRUE(table.Create_Channels());
    const QString names[] = {"IO-Link-17-ComplexProcessDataDevice-20240824-IODD1.1.xml", "IO-Link-06-EventDevice-20240824-IODD1.1.xml"};
    for (int i = 0; i < 2; ++i) {
        QFile::remove(IODD_Catalog_Dir + "/" + names[i]);
        ASSERT_TRUE(QFile::copy(corpus + "/devices/" + names[i], IODD_Catalog_Dir + "/" + names[i]));
        QString err;
        ASSERT_TRUE(table.Assign_IODD(i, names[i], &err)) << err.toStdString();
        table.Channels[size_t(i)].Pin4Mode = "IO-Link";
    }
    TChannel_IOLink &events = table.Channels[1];
    events.ReadPin2 = "Y";
    ASSERT_FALSE(events.Event_List.empty());
    events.Event_List.front().Enable = true;
    table.Channels[2].Pin4Mode = "DIn";
    table.Channels[2].Pin4_Pos = "20";
    table.Channels[2].Pin4_Bit = "0";
    EXPECT_TRUE(table.Check_Configuration()) << reported.join("\n").toStdString();
    table.Add_Name_to_Configuration();
    ASSERT_TRUE(table.Save_Configuration());

    // The bytes each channel's data take in the table itself: first .. one past the last.
    auto span = [](const TChannel_IOLink &ch, bool in) {
        int lo = INT_MAX, hi = 0;
        auto add = [&](const QString &position, int bytes) {
            const int p = position.toInt();
            lo = std::min(lo, p);
            hi = std::max(hi, p + std::max(bytes, 1));
        };
        if (const TProcDataList *l = ch.PD_List(in))
            for (const auto &p : *l) add(p.position, (p.BitLength.toInt() + 7) / 8);
        if (in && ch.ReadPin2 == "Y") add(ch.Pin2_Pos, 1);
        if (in)
            for (const TEventObjValue &e : ch.Event_List)
                if (e.Enable) add(e.Position, 1);
        return hi > lo ? hi - lo : 0;
    };
    const TChannel_IOLink &complex = table.Channels[0];
    ASSERT_EQ(span(complex, true), 4) << "16 + 8 + 2 bits from byte 0";
    ASSERT_EQ(span(complex, false), 2);
    const QStringList expected{
        QStringLiteral("IDM_1 slot 1 in 4 out 2"),
        QStringLiteral("IDM_2 slot 2 in %1 out %2").arg(span(events, true)).arg(span(events, false)),
        QStringLiteral("IDM_3 slot 3 in 1 out 0"),
    };

    ScriptedFileChooser chooser;
    ModalResponder responder;
    responder.then([](QWidget *m) {
        auto *d = static_cast<TFProfinetFileName *>(m);
        d->E_XML_User->setText(QStringLiteral("plant"));
        QTest::mouseClick(d->Btn_OK, Qt::LeftButton);
    });
    chooser.type(Project_Path + QStringLiteral("/any.xml"));
    main->Btn_Click(main->Btn_PROFINET_XML);
    EXPECT_EQ(responder.texts(), QStringList());
    const QString path = project("GSDML-V2.31-Velmar-PN00000_plant-20240326.xml");
    ASSERT_TRUE(QFileInfo(path).isFile());

    const ToolRun lint = run(tool, {"--noout", path});
    EXPECT_EQ(lint.code, 0) << lint.err.toStdString();
    EXPECT_EQ(lint.err, "");
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) return;
    const ToolRun modules = run(python, {"-c", kGsdmlModules, path});
    EXPECT_EQ(modules.out.split('\n', Qt::SkipEmptyParts), expected) << modules.err.toStdString();
}

} // namespace
