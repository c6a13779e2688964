// The text exports: BACnet EDE, CANopen EDS and SNMP MIB, from saved table files.
#include "WriterFixture.h"
#include "protocols/UBACnet_EDE_File.h"
#include "protocols/UEds.h"
#include "protocols/USNMP_MIB.h"

#include <QRegularExpression>

using namespace writers;

namespace {

// ---- BACnet EDE ------------------------------------------------------------------------------

QString bacnet(const QString &type, const QString &unit, const QString &mnemonic)
{
    return row({{"Data_Type", type}, {"Eng_Unit", unit}, {"Position", "0"}, {"Bit", "0"}, {"Length", "4"},
                {"Swap", "N"}, {"SwapWord", "N"}, {"Mnemonic", mnemonic}});
}

class EdeTest : public WriterTest {
public:
    void objects(const QStringList &read, const QStringList &write = {})
    {
        put(BACnet_Slave_SetAccess_File,
            tableFile("BACnet_to_Modbus", {{"BACnet_in_Read", read}, {"BACnet_in_Write", write}}, "SW_VERSION = 1.001"));
    }
    // The object lines of an export (the seven header lines left out).
    QStringList objectLines()
    {
        const TDescription_File f = EDE_File_Bytes();
        EXPECT_TRUE(f.ok()) << f.Error.toStdString();
        const QStringList lines = exportLines(f.Bytes);
        return lines.mid(7);
    }
};

TEST_F(EdeTest, ExampleOfTheObjectListIsWrittenByteForByte)
{
    put(ParGen_File, parGen({{"BACnet_Type", "0"}, {"BACnet_DEV_IDE", "1234"}, {"BACnet_Ser_DEV_IDE", "77"}}));
    objects({bacnet("Analog Input", "45", "Boiler_Temperature_1"), bacnet("Analog Input", "62", "T2")},
            {bacnet("Binary Out", "95", "Pump")});
    const TDescription_File f = EDE_File_Bytes();
    ASSERT_TRUE(f.ok()) << f.Error.toStdString();
    expectGolden(f.Bytes, QStringLiteral("example.csv"));
    EXPECT_EQ(exportLines(f.Bytes),
              (QStringList{"PROJECT_NAME; Velmar--Plant;;;;;;", "VERSION_OF_REFERENCEFILE;1.0;;;;;;",
                           "TIMESTAMP_OF_LAST_CHANGE;09:05:07 26/03/2024;;;;;;", "AUTHOR_OF_LAST_CHANGE;Velmar;;;;;;",
                           "VERSION_OF_LAYOUT;2;;;;;;",
                           "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;",
                           "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;",
                           "1234_Boiler_Temperature_1_0;1234;Boiler_Temperatu;0;0;Boiler_Temperatu;45;",
                           "1234_T2_1;1234;T2;0;1;T2;62;", "1234_Pump_0;1234;Pump;4;0;Pump;95;"}));
}

TEST_F(EdeTest, InstancesCountPerObjectTypeAcrossBothTables)
{
    put(ParGen_File, parGen({{"BACnet_DEV_IDE", "9"}}));
    objects({bacnet("Analog Value", "1", "a"), bacnet("Multi State Value", "1", "m"), bacnet("Analog Value", "1", "b"),
             bacnet("Multi State Value", "1", "n"), bacnet("Analog Input", "1", "ai"), bacnet("Hand Made", "1", "x"),
             bacnet("  analog input ", "1", "lower")},
            {bacnet("Analog Value", "1", "c")});
    // Type and instance of each line, in file order.
    QStringList got;
    for (const QString &l : objectLines()) got << l.section(';', 3, 4);
    EXPECT_EQ(got, (QStringList{"2;0", "19;0", "2;1", "19;1", "0;0", "0;1", "0;2", "2;2"}));
}

TEST_F(EdeTest, DataTypeTextsGiveTheStandardObjectTypes)
{
    const struct {
        const char *text;
        int type;
    } cases[] = {{"Analog Input", 0},         {"Analog Out", 1},          {"Analog Value", 2},
                 {"Binary Input", 3},         {"Binary Out", 4},          {"Binary Value", 5},
                 {"Multi State Input", 13},   {"Multi State Output", 14}, {"Multi State Value", 19},
                 {"Life Safety Point", 21},   {"Life Safety Zone", 22},   {"Accumulator", 23},
                 {"Access Door", 30},         {"CharacterString Value", 40}, {"DateTime Value", 44},
                 {"Integer Value", 45},       {"Large Analog Value", 46}, {"Octet String", 47},
                 {"Positive Integer Value", 48}, {"Analog", 0},           {"", 0}};
    for (const auto &c : cases) EXPECT_EQ(BACnet_Object_Type(QString::fromUtf8(c.text)), c.type) << c.text;
}

TEST_F(EdeTest, NamesAreCutTo16Or32CharactersButTheKeyNameKeepsThemWhole)
{
    const QString twenty = QStringLiteral("ABCDEFGHIJ0123456789");
    objects({bacnet("Analog Input", "5", twenty)});
    put(ParGen_File, parGen({{"BACnet_DEV_IDE", "1"}, {"BACnet_Desc_Chars_Limit", "1"}}));
    EXPECT_EQ(objectLines(), QStringList{"1_" + twenty + "_0;1;" + twenty + ";0;0;" + twenty + ";5;"});
    // The next export, of a configuration without the limit, cuts again: nothing is kept.
    put(ParGen_File, parGen({{"BACnet_DEV_IDE", "1"}}));
    EXPECT_EQ(objectLines(), QStringList{"1_" + twenty + "_0;1;ABCDEFGHIJ012345;0;0;ABCDEFGHIJ012345;5;"});
    put(ParGen_File, parGen({{"BACnet_DEV_IDE", "1"}, {"BACnet_Desc_Chars_Limit", " 1"}}));
    EXPECT_EQ(objectLines().value(0).section(';', 2, 2), QStringLiteral("ABCDEFGHIJ012345"));
}

TEST_F(EdeTest, DeviceInstanceFollowsTheBACnetType)
{
    objects({bacnet("Analog Input", "5", "t")});
    const struct {
        const char *type;  // nullptr: no element
        const char *instance;
    } cases[] = {{"1", "SER"}, {"0", "ETH"}, {"2", "ETH"}, {nullptr, "ETH"}, {"abc", "ETH"}, {"0x1", "SER"}};
    for (const auto &c : cases) {
        std::vector<std::pair<const char *, QString>> e{{"BACnet_Ser_DEV_IDE", "SER"}, {"BACnet_DEV_IDE", "ETH"}};
        if (c.type) e.push_back({"BACnet_Type", QString::fromLatin1(c.type)});
        put(ParGen_File, parGen(e));
        EXPECT_EQ(objectLines().value(0).section(';', 1, 1), QLatin1String(c.instance)) << (c.type ? c.type : "none");
    }
    // Without "ParGen.xml" the instance is empty, whatever an earlier export used.
    QFile::remove(ParGen_File);
    EXPECT_EQ(objectLines(), QStringList{"_t_0;;t;0;0;t;5;"});
}

TEST_F(EdeTest, MnemonicHoldingASemicolonShiftsTheLineAndNonAnsiTextBecomesQuestionMarks)
{
    put(ParGen_File, parGen({{"BACnet_DEV_IDE", "1"}}));
    objects({bacnet("Analog Input", "5", "a;b"), bacnet("Analog Input", "5", QStringLiteral("Temp\u00B0\u4E2D\u20AC\U0001F600"))});
    const TDescription_File f = EDE_File_Bytes();
    const QList<QByteArray> lines = f.Bytes.split('\n');
    EXPECT_EQ(lines.value(7), QByteArray("1_a;b_0;1;a;b;0;0;a;b;5;\r"));
    EXPECT_EQ(lines.value(8), QByteArray("1_Temp\xB0?\x80?_1;1;Temp\xB0?\x80?;0;1;Temp\xB0?\x80?;5;\r"));
}

TEST_F(EdeTest, WithoutATableOnlyTheHeaderIsWritten)
{
    const TDescription_File f = EDE_File_Bytes();
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(exportLines(f.Bytes).size(), 7);
    EXPECT_TRUE(exportLines(f.Bytes).first().endsWith(QStringLiteral("--Plant;;;;;;")));
}

TEST_F(EdeTest, UnreadableInputIsRefusedWithTheFileAndLine)
{
    put(BACnet_Slave_SetAccess_File, "<BACnet_to_Modbus>\n<BACnet_in_Read>\n<row Data_Type=\"Analog Input\" Eng_Unit=\"1\"/>\n"
                                     "</BACnet_in_Read></BACnet_to_Modbus>");
    TDescription_File f = EDE_File_Bytes();
    EXPECT_FALSE(f.ok());
    EXPECT_TRUE(f.Bytes.isEmpty());
    EXPECT_TRUE(f.Error.startsWith(BACnet_Slave_SetAccess_File + ", line 3:")) << f.Error.toStdString();
    EXPECT_TRUE(f.Error.contains("Mnemonic"));

    put(BACnet_Slave_SetAccess_File, "<BACnet_to_Modbus>\n<BACnet_in_Read>\n</BACnet_in_Write></BACnet_to_Modbus>");
    f = EDE_File_Bytes();
    EXPECT_TRUE(f.Error.startsWith(BACnet_Slave_SetAccess_File + ", line 3")) << f.Error.toStdString();

    QFile::remove(BACnet_Slave_SetAccess_File);
    put(ParGen_File, "<Par_Gen><BACnet_DEV_IDE>1</Par_Gen>");
    f = EDE_File_Bytes();
    EXPECT_TRUE(f.Error.startsWith(ParGen_File + ", line 1")) << f.Error.toStdString();
}

// ---- CANopen EDS -----------------------------------------------------------------------------

QString pdo(const QString &cob, const QString &dimension, bool transmit = false)
{
    Attributes a{{"COB-ID", cob}, {"Dimension", dimension}};
    for (const char *address : {"Address_B1", "Address_B2", "Address_B3", "Address_B4", "Address_B5", "Address_B6",
                                "Address_B7", "Address_B8"})
        a.push_back({address, QString()});
    if (transmit) a.insert(a.end(), {{"Send_Time", "100"}, {"On_Change", "N"}, {"Mnemonic", ""}});
    else a.insert(a.end(), {{"TimeOut", "0"}, {"Mnemonic", ""}});
    return row(a);
}

QString sdo(const QString &index, const QString &sub, const QString &bytes)
{
    return row({{"Index", index}, {"SubIndex", sub}, {"NByte", bytes}, {"Address_B1", "0"}, {"Address_B2", ""},
                {"Address_B3", ""}, {"Address_B4", ""}, {"Mnemonic", ""}});
}

class EdsTest : public WriterTest {
public:
    void pdos(const QStringList &receive, const QStringList &transmit = {})
    {
        put(PDO_CANopen_File, tableFile("PDO_CANopen", {{"Receive_PDO", receive}, {"Transmit_PDO", transmit}}, "SW_VERSION = 1.008"));
    }
    void sdos(const QStringList &read, const QStringList &write = {})
    {
        put(SDO_Server_CANopen_File, tableFile("SDO_Server_CANopen", {{"SDO_Read", read}, {"SDO_Write", write}}, "SW_VERSION = 1.008"));
    }
    QStringList lines()
    {
        const TDescription_File f = EDS_File_Bytes();
        EXPECT_TRUE(f.ok()) << f.Error.toStdString();
        return exportLines(f.Bytes);
    }
    // The lines of one section, its name left out.
    static QStringList section(const QStringList &lines, const QString &name)
    {
        const qsizetype at = lines.indexOf(name);
        if (at < 0) return {};
        const qsizetype end = lines.indexOf(QString(), at);
        return lines.mid(at + 1, end - at - 1);
    }
};

TEST_F(EdsTest, WithoutTableFilesTheFixedSectionsAreWritten)
{
    setTime(at(13, 15));
    const TDescription_File f = EDS_File_Bytes();
    ASSERT_TRUE(f.ok());
    expectGolden(f.Bytes, QStringLiteral("no_tables.eds"));
    const QStringList l = exportLines(f.Bytes);
    EXPECT_TRUE(section(l, "[DeviceInfo]").contains("NrOfRXPDO=0"));
    EXPECT_TRUE(section(l, "[DeviceInfo]").contains("NrOfTXPDO=0"));
    EXPECT_EQ(section(l, "[OptionalObjects]").value(0), "SupportedObjects=8");
    EXPECT_EQ(section(l, "[ManufacturerObjects]"), QStringList{"SupportedObjects=0"});
    EXPECT_EQ(l.filter(QRegularExpression("^\\[")).last(), "[1280sub3]");
    EXPECT_EQ(section(l, "[FileInfo]").filter("Creation"), (QStringList{"CreationTime=01:15PM", "CreationDate=03-26-2024"}));
    EXPECT_EQ(l.mid(l.size() - 2), (QStringList{QString(), QString()})) << "one empty line ends the file";
}

TEST_F(EdsTest, OneReceivePdoAndTwoServerSubIndexesAreWrittenByteForByte)
{
    setTime(at(12, 30));
    pdos({pdo("0x201", "2")});
    sdos({sdo("0x2000", "1", "2")}, {sdo("0x2000", "3", "4")});
    const TDescription_File f = EDS_File_Bytes();
    ASSERT_TRUE(f.ok()) << f.Error.toStdString();
    expectGolden(f.Bytes, QStringLiteral("pdo_201_sdo_2000.eds"));
    const QStringList l = exportLines(f.Bytes);
    EXPECT_EQ(section(l, "[FileInfo]").filter("Time="), (QStringList{"CreationTime=00:30PM", "ModificationTime=00:30PM"}));
    EXPECT_EQ(section(l, "[OptionalObjects]"),
              (QStringList{"SupportedObjects=11", "1=0x1005", "2=0x1006", "3=0x1008", "4=0x1014", "5=0x1016", "6=0x1017",
                           "7=0x1029", "8=0x1280", "9=0x1400", "10=0x1600", "11=0x7000"}));
    EXPECT_TRUE(section(l, "[1400sub1]").contains("DefaultValue=0x00000201"));
    EXPECT_EQ(section(l, "[1600]").value(0), "SubNumber=3");
    EXPECT_TRUE(section(l, "[1600sub0]").contains("DefaultValue=0x02"));
    EXPECT_TRUE(section(l, "[1600sub1]").contains("DefaultValue=0x70000108"));
    EXPECT_TRUE(section(l, "[1600sub2]").contains("DefaultValue=0x70000208"));
    EXPECT_TRUE(section(l, "[7000]").contains("ParameterName=RPDO1"));
    EXPECT_TRUE(section(l, "[7000sub1]").contains("ParameterName=b1"));
    EXPECT_TRUE(section(l, "[7000sub2]").contains("ParameterName=b2"));
    EXPECT_EQ(section(l, "[ManufacturerObjects]"), (QStringList{"SupportedObjects=1", "1=0x2000"}));
    EXPECT_EQ(section(l, "[2000]").value(0), "SubNumber=3");
    EXPECT_TRUE(section(l, "[2000sub0]").contains("DefaultValue=0x03"));
    EXPECT_TRUE(section(l, "[2000sub1]").contains("DataType=0x0006"));
    EXPECT_TRUE(section(l, "[2000sub1]").contains("AccessType=ro"));
    EXPECT_TRUE(section(l, "[2000sub3]").contains("DataType=0x0007"));
    EXPECT_TRUE(section(l, "[2000sub3]").contains("AccessType=rw"));
}

TEST_F(EdsTest, TransmitPdosMapTheirOwnDataObjects)
{
    pdos({}, {pdo("0x181", "1", true), pdo("385", "3", true)});
    const QStringList l = lines();
    EXPECT_EQ(section(l, "[OptionalObjects]").mid(9),
              (QStringList{"9=0x1800", "10=0x1801", "11=0x1A00", "12=0x1A01", "13=0x7050", "14=0x7051"}));
    EXPECT_EQ(section(l, "[1801]").value(1), "ParameterName=Transmit PDO Communication Parameter 2");
    EXPECT_TRUE(section(l, "[1801sub1]").contains("DefaultValue=0x00000181"));
    EXPECT_EQ(section(l, "[1A01]").mid(0, 2), (QStringList{"SubNumber=4", "ParameterName=Transmit PDO Mapping Parameter 2"}));
    EXPECT_TRUE(section(l, "[1A01sub3]").contains("DefaultValue=0x70510308"));
    EXPECT_TRUE(section(l, "[7051sub0]").contains("AccessType=rw"));
    EXPECT_TRUE(section(l, "[7051sub3]").contains("ParameterName=m3"));
    EXPECT_TRUE(section(l, "[7051sub3]").contains("AccessType=rwr"));
    EXPECT_TRUE(section(l, "[7050sub1]").contains("ParameterName=l1"));
}

TEST_F(EdsTest, ServerObjectsFollowTheirSmallestSubIndex)
{
    // Index 0x3000 starts at sub-index 0; 0x2000 is met again in the write table with the same
    // sub-index; sub-index 10 is written in hexadecimal.
    sdos({sdo("0x3000", "0", "1"), sdo("0x2000", "10", "2"), sdo("0x3000", "2", "9"), sdo("0x2000", "1", "1")},
         {sdo("0x2000", "1", "4")});
    const QStringList l = lines();
    EXPECT_EQ(section(l, "[ManufacturerObjects]"), (QStringList{"SupportedObjects=2", "1=0x3000", "2=0x2000"}));
    EXPECT_EQ(section(l, "[3000]").value(0), "SubNumber=2");
    EXPECT_FALSE(l.contains("[3000sub0]") && section(l, "[3000sub0]").contains("ParameterName=Largest Sub-Index supported"));
    EXPECT_TRUE(section(l, "[3000sub2]").contains("DataType=0x0007"));  // 9 bytes: the 32-bit entry
    EXPECT_EQ(section(l, "[2000]").value(0), "SubNumber=4");
    EXPECT_TRUE(section(l, "[2000sub0]").contains("DefaultValue=0x0A"));
    EXPECT_EQ(l.count("[2000sub1]"), 2);
    // The read table's entry first, then the write table's: equal sub-indexes keep their order.
    const qsizetype first = l.indexOf("[2000sub1]");
    EXPECT_EQ(l.mid(first + 1, 7).filter("AccessType"), QStringList{"AccessType=ro"});
    EXPECT_EQ(l.mid(l.indexOf("[2000sub1]", first + 1) + 1, 7).filter("AccessType"), QStringList{"AccessType=rw"});
    EXPECT_LT(l.lastIndexOf("[2000sub1]"), l.indexOf("[2000subA]"));
}

TEST_F(EdsTest, StampsUseTheTwelveHourClockOfTheFile)
{
    const struct {
        int h, m;
        const char *text;
    } cases[] = {{9, 5, "09:05AM"}, {12, 0, "12:00AM"}, {12, 30, "00:30PM"}, {13, 15, "01:15PM"}, {0, 10, "00:10AM"}, {23, 59, "11:59PM"}};
    for (const auto &c : cases) EXPECT_EQ(EDS_Time(QTime(c.h, c.m)), QLatin1String(c.text)) << c.text;
    EXPECT_EQ(EDS_Date(QDate(2024, 3, 6)), "03-06-2024");
}

TEST_F(EdsTest, ADimensionOutside0To8IsRefusedAndNoListGoesPast30Pdos)
{
    for (const char *bad : {"9", "-1", "-2147483648"}) {
        pdos({pdo("0x201", "2")}, {pdo("0x181", QString::fromLatin1(bad), true)});
        const TDescription_File f = EDS_File_Bytes();
        EXPECT_FALSE(f.ok()) << bad;
        EXPECT_TRUE(f.Bytes.isEmpty());
        EXPECT_EQ(f.Error, LT(2592)) << bad;
    }
    // Dimension 0 maps nothing; a Dimension that is no number (or beyond 32 bits) counts 8, a
    // COB-ID that is none 0.
    pdos({pdo("0x201", "0"), pdo("x", "y"), pdo("1", "4294967295")});
    QStringList l = lines();
    EXPECT_EQ(section(l, "[1600]").value(0), "SubNumber=1");
    EXPECT_EQ(section(l, "[1601]").value(0), "SubNumber=9");
    EXPECT_TRUE(section(l, "[1401sub1]").contains("DefaultValue=0x00000000"));
    EXPECT_EQ(section(l, "[1602]").value(0), "SubNumber=9");

    QStringList many;
    for (int i = 0; i < 31; ++i) many << pdo(QString::number(0x200 + i), "1");
    pdos(many);
    l = lines();
    EXPECT_TRUE(section(l, "[DeviceInfo]").contains("NrOfRXPDO=30"));
    EXPECT_TRUE(l.contains("[141D]"));
    EXPECT_FALSE(l.contains("[141E]"));
    EXPECT_TRUE(section(l, "[701Dsub1]").contains("ParameterName=av1"));
}

TEST_F(EdsTest, UnreadableTablesAreRefused)
{
    put(PDO_CANopen_File, "<PDO_CANopen><Receive_PDO>\n<row COB-ID=\"1\"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>");
    TDescription_File f = EDS_File_Bytes();
    EXPECT_TRUE(f.Error.startsWith(PDO_CANopen_File + ", line 2:")) << f.Error.toStdString();
    EXPECT_TRUE(f.Error.contains("Dimension"));
    QFile::remove(PDO_CANopen_File);
    put(SDO_Server_CANopen_File, "<SDO_Server_CANopen><SDO_Read>");
    f = EDS_File_Bytes();
    EXPECT_TRUE(f.Error.startsWith(SDO_Server_CANopen_File + ", line 1")) << f.Error.toStdString();
}

// ---- SNMP MIB --------------------------------------------------------------------------------

QString snmpRead(const QString &enable, const QString &type, const QString &description)
{
    return row({{"Enable", enable}, {"Community_Name", "Vantok"}, {"Type", type}, {"On_Change", "N"}, {"On_Command", "N"},
                {"On_Timer", "N"}, {"Time", ""}, {"Position", "0"}, {"Bit", "0"}, {"NumBits", "8"},
                {"Description", description}, {"IP_Address", "127.0.0.1"}, {"Conversion", "None"}, {"Mnemonic", ""}});
}

QString snmpWrite(const QString &enable, const QString &type, const QString &description)
{
    return row({{"Enable", enable}, {"Community_Name", "Vantok"}, {"Type", type}, {"Position", "0"}, {"Bit", "0"},
                {"NumBits", "8"}, {"Description", description}, {"Conversion", "None"}, {"Mnemonic", ""}});
}

class MibTest : public WriterTest {
public:
    void rows(const QStringList &read, const QStringList &write = {})
    {
        put(SNMP_Trap_File, tableFile("SNMP_Trap", {{"SNMP_Trap_Read", read}, {"SNMP_Trap_Write", write}}));
    }
    QStringList lines(const TSNMP_Saved_Check &check = Check_Saved_SNMP_Rows)
    {
        const TDescription_File f = MIB_File_Bytes(check);
        EXPECT_TRUE(f.ok()) << f.Error.toStdString();
        return exportLines(f.Bytes);
    }
};

TEST_F(MibTest, FixedModuleAloneAndWithOneReadAndOneWriteObject)
{
    TDescription_File f = MIB_File_Bytes();
    ASSERT_TRUE(f.ok());
    expectGolden(f.Bytes, QStringLiteral("fixed.mib"));
    EXPECT_EQ(exportLines(f.Bytes).size(), 56);

    rows({snmpRead("Y", "Int", "temp1")}, {snmpWrite("Y", "String", "")});
    f = MIB_File_Bytes();
    ASSERT_TRUE(f.ok()) << f.Error.toStdString();
    expectGolden(f.Bytes, QStringLiteral("temp1.mib"));
    const QStringList l = exportLines(f.Bytes);
    ASSERT_EQ(l.size(), 59);
    EXPECT_EQ(l[43], "temp1 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"temp1\" ::= { bufferinval 1 }");
    EXPECT_EQ(l[54], "bufferoutval1 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION \"\" ::= { bufferoutval 1 }");
    EXPECT_EQ(l[57], "trapval1 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"temp1\" ::= { trapsval 1 }");
    EXPECT_EQ(MIB_Read_Desc, QStringList{"temp1"});
    EXPECT_EQ(MIB_Write_Desc, QStringList{""});
}

TEST_F(MibTest, DisabledRowsTakeNoNumberAndEmptyDescriptionsGetTheBufferName)
{
    rows({snmpRead("N", "Int", "skipped"), snmpRead("y", "INT", "first"), snmpRead("Y", "String", ""),
          row({{"Enable", "Y"}, {"Community_Name", "Vantok"}, {"Description", "notype"}}), row({{"Description", "noenable"}})});
    // The export's check refuses a row without a Type, as the SNMP window does.
    EXPECT_EQ(MIB_File_Bytes().Error, LT(3260) + "4" + LT(3261));
    // The writer alone.
    const QStringList l = lines([](const platform::XmlFile &) { return QString(); });
    const QStringList objects = l.filter(" ::= { bufferinval ");
    EXPECT_EQ(objects,
              (QStringList{"first OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"first\" ::= { bufferinval 1 }",
                           "bufferinval2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { bufferinval 2 }",
                           "notype OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"notype\" ::= { bufferinval 3 }"}));
    EXPECT_EQ(l.filter("NOTIFICATION-TYPE").value(1),
              "trapval2 NOTIFICATION-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { trapsval 2 }");
    EXPECT_EQ(l.filter("NOTIFICATION-TYPE").size(), 3);
}

TEST_F(MibTest, TheSavedRowsCheckRunsFirstAndAFailureWritesNothing)
{
    rows({snmpRead("Y", "Int", "temp1")});
    int calls = 0;
    const TDescription_File f = MIB_File_Bytes([&](const platform::XmlFile &file) {
        ++calls;
        EXPECT_EQ(file.fileName(), SNMP_Trap_File);
        return QStringLiteral("Error row 1!! refused");
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(f.Error, "Error row 1!! refused");
    EXPECT_TRUE(f.Bytes.isEmpty());
    EXPECT_TRUE(MIB_Read_Desc.isEmpty());
}

TEST_F(MibTest, ReservedModuleNamesAreRefusedByTheExportCheck)
{
    const struct {
        const char *name;
        bool reserved;
    } cases[] = {{"identity", true},      {"velmar", true},        {"gateway", true},       {"application", true},
                 {"data", true},          {"hellostring", true},   {"countin", true},       {"countout", true},
                 {"bufferin", true},      {"bufferinblk1", true},  {"bufferinblk8", true},  {"bufferinblk9", false},
                 {"bufferinval", true},   {"bufferinval7", true},  {"bufferinval12", true}, {"bufferout", true},
                 {"bufferoutblk3", true}, {"bufferoutval", true},  {"bufferoutval0", true}, {"traps", true},
                 {"trapsval", true},      {"trapval", false},      {"trapval256", true},    {"trapval1a", false},
                 {"Identity", false},     {"temp1", false},        {"databuffer", false},   {"", false}};
    for (const auto &c : cases) EXPECT_EQ(MIB_Reserved_Name(QString::fromLatin1(c.name)), c.reserved) << c.name;

    // A disabled row may carry one; the first enabled one fails with its row.
    rows({snmpRead("N", "Int", "data"), snmpRead("Y", "Int", "temp1")}, {snmpWrite("Y", "Int", "w1"), snmpWrite("Y", "Int", "trapval2")});
    const TDescription_File f = MIB_File_Bytes();
    EXPECT_EQ(f.Error, LT(3260) + "2" + LT(3287));
    EXPECT_TRUE(f.Bytes.isEmpty());
}

TEST_F(MibTest, MoreRowsThanTheTablesHoldKeepTheirOwnTypes)
{
    QStringList read;
    for (int i = 1; i <= 300; ++i) read << snmpRead("Y", i % 3 == 0 ? "Int" : "String", QStringLiteral("r%1").arg(i));
    rows(read);
    // The SNMP window's tables hold 256 rows: the export's check cannot load more.
    const QString refused = MIB_File_Bytes().Error;
    EXPECT_TRUE(refused.startsWith(SNMP_Trap_File + ", line ")) << refused.toStdString();
    EXPECT_TRUE(refused.contains("more than 256 rows")) << refused.toStdString();
    // The writer alone.
    const QStringList l = lines([](const platform::XmlFile &) { return QString(); });
    EXPECT_EQ(MIB_Read_Is_Int.size(), 300u);
    EXPECT_EQ(l.filter(" ::= { bufferinval 300 }"),
              QStringList{"r300 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"r300\" ::= { bufferinval 300 }"});
    EXPECT_EQ(l.filter(" ::= { trapsval 299 }").value(0).section(' ', 3, 4), "OCTET STRING");
}

TEST_F(MibTest, UnreadableFileIsRefusedAndAMissingGroupCountsEmpty)
{
    put(SNMP_Trap_File, "<SNMP_Trap><SNMP_Trap_Read>\n<row Enable=\"Y\"></SNMP_Trap_Read></SNMP_Trap>");
    TDescription_File f = MIB_File_Bytes();
    EXPECT_TRUE(f.Error.startsWith(SNMP_Trap_File + ", line 2")) << f.Error.toStdString();
    put(SNMP_Trap_File, "<SNMP_Trap><SNMP_Trap_Write>" + snmpWrite("Y", "Int", "w").toUtf8() + "</SNMP_Trap_Write></SNMP_Trap>");
    EXPECT_EQ(lines().size(), 57);
}

} // namespace
