// Every export read back by the format's usual reader: Python's csv module (EDE), configparser with
// a small object checker (EDS), net-snmp's snmptranslate and libsmi's smilint with stand-in base
// modules (MIB), xmllint (ESI, GSDML). A test skips when its reader is not installed.
#include "ConsumerTools.h"
#include "WriterFixture.h"
#include "protocols/UBACnet_EDE_File.h"
#include "protocols/UEds.h"
#include "protocols/UEtherCAT_ESI_File.h"
#include "protocols/UProfinetXML.h"
#include "protocols/USNMP_MIB.h"

using namespace writers;
using namespace consumers;

namespace {

class ConsumerTest : public WriterTest {
public:
    QString saved(const TDescription_File &f, const QString &name)
    {
        EXPECT_TRUE(f.ok()) << f.Error.toStdString();
        const QString path = dir.filePath(name);
        QString error;
        EXPECT_TRUE(Save_Description_File(f, path, &error)) << error.toStdString();
        return path;
    }
};

// ---- EDE: csv, ";" delimited, cp1252 ---------------------------------------------------------

TEST_F(ConsumerTest, EdeReadsAsSemicolonSeparatedWindowsText)
{
    NEED_TOOL("python3");
    put(ParGen_File, parGen({{"BACnet_DEV_IDE", "1234"}}));
    auto bacnet = [](const QString &type, const QString &mnemonic) {
        return row({{"Data_Type", type}, {"Eng_Unit", "62"}, {"Position", "0"}, {"Bit", "0"}, {"Length", "4"}, {"Swap", "N"},
                    {"SwapWord", "N"}, {"Mnemonic", mnemonic}});
    };
    put(BACnet_Slave_SetAccess_File, tableFile("BACnet_to_Modbus",
                                               {{"BACnet_in_Read", {bacnet("Analog Input", QStringLiteral("T\u00E9mp \u20AC")),
                                                                    bacnet("Binary Input", "a;b")}},
                                                {"BACnet_in_Write", {bacnet("Analog Value", "\"quoted\"")}}}));
    const QString path = saved(EDE_File_Bytes(), "objects.csv");
    const ToolRun r = run(tool, {"-c", kCsvFields, path});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 10);
    for (int i = 0; i < 10; ++i) {
        if (i == 8) continue;
        EXPECT_TRUE(lines[i].startsWith("8 ")) << lines[i].toStdString();
    }
    EXPECT_EQ(lines[0], "8 PROJECT_NAME| Velmar--Plant||||||");
    EXPECT_EQ(lines[7], QStringLiteral("8 1234_T\u00E9mp \u20AC_0|1234|T\u00E9mp \u20AC|0|0|T\u00E9mp \u20AC|62|"));
    // The mnemonic's ";" is not quoted: its line has three fields more.
    EXPECT_EQ(lines[8], "11 1234_a|b_0|1234|a|b|3|0|a|b|62|");
    // Nor is a double quote: a field that starts with one is quoted text to the reader.
    EXPECT_EQ(lines[9], "8 1234_\"quoted\"_0|1234|quoted|2|0|quoted|62|");
}

// ---- EDS: configparser (strict) and the object checker ---------------------------------------

TEST_F(ConsumerTest, EdsReadsAsAStrictIniFileWhoseObjectsAreComplete)
{
    NEED_TOOL("python3");
    auto pdo = [](const QString &cob, const QString &d, bool transmit) {
        Attributes a{{"COB-ID", cob}, {"Dimension", d}};
        for (const char *address : {"Address_B1", "Address_B2", "Address_B3", "Address_B4", "Address_B5", "Address_B6",
                                    "Address_B7", "Address_B8"})
            a.push_back({address, "0"});
        a.push_back({transmit ? "Send_Time" : "TimeOut", "0"});
        if (transmit) a.push_back({"On_Change", "N"});
        a.push_back({"Mnemonic", ""});
        return row(a);
    };
    auto sdo = [](const QString &index, const QString &sub, const QString &n) {
        return row({{"Index", index}, {"SubIndex", sub}, {"NByte", n}, {"Address_B1", "0"}, {"Address_B2", "0"},
                    {"Address_B3", "0"}, {"Address_B4", "0"}, {"Mnemonic", ""}});
    };
    const struct {
        const char *name;
        QStringList receive, transmit, read, write;
        QString expected;
    } cases[] = {
        {"no tables", {}, {}, {}, {}, "OK 32 sections"},
        {"one of each", {pdo("0x201", "2", false)}, {pdo("0x181", "8", true)}, {sdo("0x2000", "1", "2")}, {sdo("0x2000", "3", "4")},
         "OK 74 sections"},
        {"sub-index 0 and ten", {}, {}, {sdo("0x3000", "0", "1"), sdo("0x3000", "10", "4")}, {sdo("0x2001", "7", "1")}, "OK 38 sections"},
        // The same index and sub-index in both tables: two sections of one name.
        {"duplicate", {}, {}, {sdo("0x2000", "1", "2")}, {sdo("0x2000", "1", "4")}, "DuplicateSectionError 2000sub1"},
    };
    QStringList args{"-c", kEdsChecker}, expected;
    for (const auto &c : cases) {
        put(PDO_CANopen_File, tableFile("PDO_CANopen", {{"Receive_PDO", c.receive}, {"Transmit_PDO", c.transmit}}));
        put(SDO_Server_CANopen_File, tableFile("SDO_Server_CANopen", {{"SDO_Read", c.read}, {"SDO_Write", c.write}}));
        args << saved(EDS_File_Bytes(), QString::fromLatin1(c.name) + ".eds");
        expected << c.expected;
    }
    const ToolRun r = run(tool, args);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.split('\n', Qt::SkipEmptyParts), expected);
}

// ---- MIB: snmptranslate and smilint over stand-in base modules --------------------------------

class MibConsumerTest : public ConsumerTest {
public:
    // A folder with the module as "GATEWAY.txt" beside the stand-in base modules.
    // check: the export's own (the SNMP window's data check), or another for rows it would refuse.
    QString mibFolder(const TSNMP_Saved_Check &check = Check_Saved_SNMP_Rows)
    {
        const QString folder = dir.filePath("mibs");
        const TDescription_File f = MIB_File_Bytes(check);
        EXPECT_TRUE(f.ok()) << f.Error.toStdString();
        putMibFolder(folder, f.Bytes);
        return folder;
    }
    void rows(const QStringList &read, const QStringList &write)
    {
        put(SNMP_Trap_File, tableFile("SNMP_Trap", {{"SNMP_Trap_Read", read}, {"SNMP_Trap_Write", write}}));
    }
    // An enabled row the SNMP window accepts.
    static QString snmp(const QString &type, const QString &description)
    {
        return row({{"Enable", "Y"}, {"Community_Name", "Vantok"}, {"Type", type}, {"Position", "0"}, {"Bit", "0"},
                    {"NumBits", "8"}, {"Description", description}, {"IP_Address", "127.0.0.1"}, {"Conversion", "None"}});
    }
};

TEST_F(MibConsumerTest, SnmptranslateResolvesEveryObjectAndTrap)
{
    NEED_TOOL("snmptranslate");
    rows({snmp("Int", "temp1"), snmp("String", ""), snmp("Int", "level")}, {snmp("String", "setpoint"), snmp("Int", "")});
    // Two empty Descriptions, which the window's check refuses: the writer's names for both.
    const QString folder = mibFolder([](const platform::XmlFile &) { return QString(); });
    QTemporaryDir persistent;
    const QProcessEnvironment env = snmpEnvironment(persistent.path());
    const ToolRun tree = run(tool, {"-M", folder, "-m", "GATEWAY", "-Tp"}, env);
    EXPECT_EQ(tree.code, 0);
    EXPECT_EQ(tree.err, "");
    const QStringList names{"temp1", "bufferinval2", "level", "setpoint", "bufferoutval2", "trapval1", "trapval2", "trapval3"};
    QStringList args{"-M", folder, "-m", "GATEWAY", "-On"};
    for (const QString &n : names) args << "GATEWAY::" + n;
    const ToolRun oids = run(tool, args, env);
    EXPECT_EQ(oids.err, "");
    EXPECT_EQ(oids.out.split('\n', Qt::SkipEmptyParts),
              (QStringList{".1.3.6.1.4.1.0.1.1.1.4.9.1", ".1.3.6.1.4.1.0.1.1.1.4.9.2", ".1.3.6.1.4.1.0.1.1.1.4.9.3",
                           ".1.3.6.1.4.1.0.1.1.1.5.9.1", ".1.3.6.1.4.1.0.1.1.1.5.9.2", ".1.3.6.1.4.1.0.1.1.2.1.1",
                           ".1.3.6.1.4.1.0.1.1.2.1.2", ".1.3.6.1.4.1.0.1.1.2.1.3"}));
    EXPECT_TRUE(tree.out.contains("-R-- INTEGER   temp1(1)"));
    EXPECT_TRUE(tree.out.contains("-RW- String    setpoint(1)"));
}

TEST_F(MibConsumerTest, SmilintReportsOnlyTheTrapLinesItsLayoutKeeps)
{
    NEED_TOOL("smilint");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Without read rows the module holds no trap line and smilint has nothing to say.
    rows({}, {snmp("Int", "setpoint")});
    QString folder = mibFolder();
    env.insert("SMIPATH", folder);
    ToolRun r = run(tool, {"-l", "2", folder + "/GATEWAY.txt"}, env);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out + r.err, "");

    // Each trap line: the same two errors (smilint exits 0 either way, so its output is read).
    rows({snmp("Int", "temp1"), snmp("String", "level")}, {});
    folder = mibFolder();
    r = run(tool, {"-l", "2", folder + "/GATEWAY.txt"}, env);
    EXPECT_EQ(r.code, 0);
    const QString file = folder + "/GATEWAY.txt";
    const QStringList expected{file + ":58: macro `NOTIFICATION-TYPE' has not been imported from module `SNMPv2-SMI'",
                               file + ":58: syntax error, unexpected SYNTAX, expecting STATUS",
                               file + ":59: macro `NOTIFICATION-TYPE' has not been imported from module `SNMPv2-SMI'",
                               file + ":59: syntax error, unexpected SYNTAX, expecting STATUS"};
    EXPECT_EQ((r.out + r.err).split('\n', Qt::SkipEmptyParts), expected);
}

// ---- ESI and GSDML: well-formed XML ------------------------------------------------------------

TEST_F(ConsumerTest, EsiAndGsdmlAreWellFormedXml)
{
    NEED_TOOL("xmllint");
    put(ParGen_File, parGen({{"EtherCAT_Slave_Name", "A&amp;B \xC3\xA9"}, {"IOLink_SelectDevice", "GW41520-A1-4A"}}));
    put(EtherCAT_Slave_File, "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
                             + row({{"Enable", "Y"}, {"Type", "Bool"}, {"Length", "1"}, {"Name", "<b> & \"c\" \xC3\xA9"}}).toUtf8()
                             + row({{"Enable", "Y"}, {"Type", "String"}, {"Length", "10"}, {"Name", "s\x01"}}).toUtf8()
                             + "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>"
                             + row({{"Enable", "Y"}, {"Type", "Array"}, {"Length", "4"}, {"Name", "\xE4\xB8\xAD"}}).toUtf8()
                             + "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave>");
    QDir().mkpath(Project_Path + "/IODD");
    put(Project_Path + "/IODD/d.xml", "<IODevice/>");
    put(IOLink_SetAccess_File, "<IO-Link><IO-Link_Channels><Channel><IODD_File FileName=\"d.xml\" Pin4Mode=\"IO-Link\" "
                               "ReadPin2=\"Y\" Pin2Pos=\"3\"/><ProcessData><ProcessDataIn><PD_Record BitLength=\"16\" Position=\"0\"/>"
                               "</ProcessDataIn><ProcessDataOut><PD_Record BitLength=\"8\" Position=\"1\"/></ProcessDataOut>"
                               "</ProcessData></Channel><Channel><IODD_File Pin4Mode=\"DIn\" Pin4Pos=\"9\"/></Channel>"
                               "</IO-Link_Channels></IO-Link>");
    for (const auto &[file, bytes] : {std::pair{"esi.xml", ESI_File_Bytes()}, std::pair{"gsdml.xml", GSDML_File_Bytes()}}) {
        const QString path = saved(bytes, file);
        const ToolRun r = run(tool, {"--noout", path});
        EXPECT_EQ(r.code, 0) << file << r.err.toStdString();
        EXPECT_EQ(r.err, "") << file;
    }
    // The names come back through a parser as they were written (outputs first).
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) return;
    const ToolRun names = run(python, {"-c", kEsiEntryNames, dir.filePath("esi.xml")});
    EXPECT_EQ(names.out.trimmed(), QStringLiteral("\u4E2D|<b> & \"c\" \u00E9|s"));
}

} // namespace
