// The XML exports (EtherCAT ESI, PROFINET GSDML) and the reader of the IO-Link channel file they
// and the EtherCAT import share.
#include "WriterFixture.h"
#include "iolink/ChannelFixture.h"
#include "protocols/UEtherCAT_ESI_File.h"
#include "protocols/UIOLink_Channel_Reader.h"
#include "protocols/UProfinetXML.h"
#include "shell/ParGenFile.h"

#include <QRegularExpression>

using namespace writers;

namespace {

// ---- EtherCAT ESI ----------------------------------------------------------------------------

QString toMaster(const QString &enable, const QString &type, const QString &length, const QString &name)
{
    return row({{"Enable", enable}, {"Type", type}, {"Length", length}, {"Name", name}, {"InitValue", ""},
                {"Position", "0"}, {"BitStart", "0"}, {"Group", ""}, {"Mnemonic", ""}});
}

QString toSlave(const QString &enable, const QString &type, const QString &length, const QString &name)
{
    return row({{"Enable", enable}, {"Type", type}, {"Length", length}, {"Name", name}, {"Position", "0"},
                {"BitStart", "0"}, {"Group", ""}, {"Mnemonic", ""}});
}

class EsiTest : public WriterTest {
public:
    void variables(const QStringList &in, const QStringList &out = {})
    {
        put(EtherCAT_Slave_File, ("<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>" + in.join(QString())
                                  + "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>" + out.join(QString())
                                  + "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave>"
                                    "<!--SW_VERSION = 1.006-->")
                                     .toUtf8());
    }
    QByteArray bytes()
    {
        const TDescription_File f = ESI_File_Bytes();
        EXPECT_TRUE(f.ok()) << f.Error.toStdString();
        return f.Bytes;
    }
    // The entries of the file as "index/bitlen/datatype", padding entries as "pad/bitlen".
    QStringList entries()
    {
        QStringList out;
        const QString text = QString::fromLatin1(bytes());
        static const QRegularExpression entry(
            "<Entry>\\s*<Index>#x([0-9A-F]+)</Index>\\s*<SubIndex>0</SubIndex>\\s*<BitLen>(\\d+)</BitLen>(?:\\s*<Name>[^<]*</Name>"
            "\\s*<DataType>([^<]*)</DataType>)?");
        for (auto it = entry.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            out << (m.captured(1) == "0" ? "pad/" + m.captured(2) : m.captured(1) + "/" + m.captured(2) + "/" + m.captured(3));
        }
        return out;
    }
    QString outputsStart()
    {
        static const QRegularExpression sm("<Sm StartAddress=\"#x([0-9A-F]{4})\" ControlByte=\"#x64\"");
        return sm.match(QString::fromLatin1(bytes())).captured(1);
    }
};

TEST_F(EsiTest, WithoutTheSlaveFileTheDeviceHasNoProcessData)
{
    const QByteArray b = bytes();
    expectGolden(b, QStringLiteral("no_variables.xml"));
    EXPECT_FALSE(b.contains("RxPdo"));
    EXPECT_FALSE(b.contains("TxPdo"));
    EXPECT_EQ(outputsStart(), "1000");
    EXPECT_TRUE(b.contains("<Sm StartAddress=\"#x1000\" ControlByte=\"#x20\""));
    // The defaults of a configuration without the EtherCAT elements.
    EXPECT_TRUE(b.contains("<Type ProductCode=\"#x00000000\" RevisionNo=\"#x00\">EtherCAT Slave</Type>"));
    EXPECT_TRUE(b.contains("<ConfigData>800F00CC8813ff00010000800000</ConfigData>"));
}

TEST_F(EsiTest, ThreeBoolsAndAnInt16AreWrittenByteForByte)
{
    put(ParGen_File, parGen({{"EtherCAT_Slave_Node_Address", "258"}, {"EtherCAT_Slave_Revision_Number", "10"},
                             {"EtherCAT_Slave_Name", "Gateway"}}));
    variables({toMaster("Y", "Bool", "1", "b1"), toMaster("Y", "Bool", "1", "b2"), toMaster("Y", "Bool", "1", "b3"),
               toMaster("Y", "Int16", "2", "w")});
    const QByteArray b = bytes();
    expectGolden(b, QStringLiteral("three_bools_int16.xml"));
    EXPECT_EQ(entries(), (QStringList{"6000/1/BIT", "6001/1/BIT", "6002/1/BIT", "pad/5", "6003/16/INT"}));
    EXPECT_TRUE(b.contains("<Index>#x1A00</Index>\r\n          <Name>Inputs_000</Name>"));
    EXPECT_EQ(outputsStart(), "100C");
    EXPECT_TRUE(b.contains("<ConfigData>800F00CC8813ff00020100800000</ConfigData>"));
    EXPECT_TRUE(b.contains("RevisionNo=\"#x0A\">Gateway</Type>"));
    EXPECT_TRUE(b.contains("\r\n\t\t\t\t\t<Entry>\r\n\t\t\t\t\t\t<Index>#x0</Index>\r\n"));
}

TEST_F(EsiTest, SeventeenOutputsFillTwoBlocks)
{
    QStringList out;
    for (int i = 0; i < 17; ++i) out << toSlave("Y", "UInt8", "1", QStringLiteral("o%1").arg(i));
    variables({}, out);
    const QByteArray b = bytes();
    expectGolden(b, QStringLiteral("seventeen_outputs.xml"));
    const QStringList e = entries();
    ASSERT_EQ(e.size(), 17);
    EXPECT_EQ(e.first(), "7000/8/USINT");
    EXPECT_EQ(e[15], "700F/8/USINT");
    EXPECT_EQ(e[16], "7010/8/USINT");
    EXPECT_EQ(b.count("<RxPdo Mandatory=\"true\" Fixed=\"true\" Sm=\"2\">"), 2);
    EXPECT_TRUE(b.contains("<Index>#x1601</Index>\r\n          <Name>Outputs_001</Name>"));
    EXPECT_EQ(outputsStart(), "1000") << "outputs do not move the outputs";
}

TEST_F(EsiTest, BitRunsArePaddedToWholeBytes)
{
    const struct {
        int bools;
        QStringList expected;
    } cases[] = {
        {8, {"6000/1/BIT", "6001/1/BIT", "6002/1/BIT", "6003/1/BIT", "6004/1/BIT", "6005/1/BIT", "6006/1/BIT", "6007/1/BIT"}},
        {9, {"6000/1/BIT", "6001/1/BIT", "6002/1/BIT", "6003/1/BIT", "6004/1/BIT", "6005/1/BIT", "6006/1/BIT", "6007/1/BIT",
             "6008/1/BIT", "pad/7"}},
    };
    for (const auto &c : cases) {
        QStringList in;
        for (int i = 0; i < c.bools; ++i) in << toMaster("Y", "Bool", "1", "b");
        variables(in);
        EXPECT_EQ(entries(), c.expected) << c.bools;
        EXPECT_EQ(outputsStart(), c.bools == 8 ? "1004" : "1008") << c.bools;
    }
    // A run continues across a block boundary: 15 bytes, then 3 bits; the run closes at the end.
    QStringList in;
    for (int i = 0; i < 15; ++i) in << toMaster("Y", "UInt8", "1", "u");
    for (int i = 0; i < 3; ++i) in << toMaster("Y", "Bool", "1", "b");
    variables(in);
    const QStringList e = entries();
    EXPECT_EQ(e.mid(15), (QStringList{"600F/1/BIT", "6010/1/BIT", "6011/1/BIT", "pad/5"}));
}

TEST_F(EsiTest, TypesGiveTheirDataTypesAndBitLengths)
{
    const struct {
        const char *type;
        int length;
        const char *dataType;
        int bits;
    } cases[] = {{"Bool", 1, "BIT", 1},       {"Int8", 1, "SINT", 8},     {"Int16", 2, "INT", 16},
                 {"Int32", 4, "DINT", 32},    {"UInt8", 1, "USINT", 8},   {"UInt16", 2, "UINT", 16},
                 {"UInt32", 4, "UDINT", 32},  {"Float32", 4, "REAL", 32}, {" array ", 4, "ARRAY [0..3] OF BYTE", 32},
                 {"String", 10, "STRING(10)", 88}, {"Word", 2, "BIT", 1},  {"", 0, "BIT", 1}};
    for (const auto &c : cases) {
        const TEtherCAT_Rule r = Get_ESI_Type(QString::fromLatin1(c.type), c.length);
        EXPECT_EQ(r.DataType, QLatin1String(c.dataType)) << c.type;
        EXPECT_EQ(r.Length, c.bits) << c.type;
    }
    EXPECT_EQ(Format_PDO_Number(0), "000");
    EXPECT_EQ(Format_PDO_Number(99), "099");
    EXPECT_EQ(Format_PDO_Number(100), "100");
}

TEST_F(EsiTest, InputBytesPlaceTheOutputs)
{
    const struct {
        QStringList rows;
        const char *start;
    } cases[] = {
        // A String of 10 takes 11 bytes, as its BitLen and the slave table say: 33 bytes round to 36.
        {{toMaster("Y", "String", "10", "s")}, "1024"},
        {{toMaster("Y", "Array", "4", "a")}, "100C"},
        // Disabled rows are left out and count nothing.
        {{toMaster("N", "Int32", "4", "x"), toMaster("Y", "UInt8", "1", "u"), toMaster("n", "Bool", "1", "y")}, "1004"},
        {{toMaster("Y", "UInt16", "2", "u"), toMaster("Y", "Bool", "1", "b"), toMaster("Y", "UInt8", "1", "v")}, "100C"},
    };
    for (const auto &c : cases) {
        variables(c.rows);
        EXPECT_EQ(outputsStart(), QLatin1String(c.start)) << c.rows.join(" ").toStdString();
    }
    variables({toMaster("N", "Int32", "4", "x"), toMaster("Y", "UInt8", "1", "u")});
    EXPECT_EQ(entries(), QStringList{"6000/8/USINT"});
}

TEST_F(EsiTest, NamesAreEscapedAndNonAsciiBecomesCharacterReferences)
{
    put(ParGen_File, parGen({{"EtherCAT_Slave_Name", "A&amp;B &lt;Gateway&gt; \xC3\xA9"}}));
    variables({toMaster("Y", "UInt8", "1", QStringLiteral("T\u00E9mp \"in\" <1> & \u4E2D"))});
    const QByteArray b = bytes();
    EXPECT_TRUE(b.contains("<Name>T&#233;mp &quot;in&quot; &lt;1&gt; &amp; &#20013;</Name>"));
    EXPECT_TRUE(b.contains(">A&amp;B &lt;Gateway&gt; &#233;</Type>"));
    for (char c : b) EXPECT_LT(uchar(c), 0x80) << "the file is ASCII";
    EXPECT_TRUE(b.startsWith("<?xml version=\"1.0\"?>\r\n"));
}

// The XML exports drop what XML cannot hold, by the rule of every XML file the program writes: a
// "?" in its place would change the name, a reference ("&#1;") would make the file unreadable.
TEST(XmlEscape, DropsTheCharactersXmlCannotHold)
{
    const struct {
        QString text;
        bool ascii;
        QString written;
    } cases[] = {
        {QStringLiteral("a\u0001b\u0007c\u000Bd\u001Fe"), false, "abcde"},
        {QStringLiteral("a\uFFFEb\uFFFFc"), true, "abc"},
        {QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") + QChar(0xDC00), false, "ab"},
        {QStringLiteral("t\tn\nr\r"), false, "t\tn\nr\r"},
        {QString::fromUcs4(U"\U0001F600<"), true, "&#128512;&lt;"},
        {QString::fromUcs4(U"\U0001F600"), false, QString::fromUcs4(U"\U0001F600")},
    };
    for (const auto &c : cases) EXPECT_EQ(Xml_Escape(c.text, c.ascii), c.written) << c.text.toStdString();
}

TEST_F(EsiTest, EachExportStartsFromTheDefaults)
{
    put(ParGen_File, parGen({{"EtherCAT_Slave_Node_Address", "258"}, {"EtherCAT_Slave_Name", "First"}}));
    EXPECT_TRUE(bytes().contains("<ConfigData>800F00CC8813ff00020100800000</ConfigData>"));
    QFile::remove(ParGen_File);
    const QByteArray b = bytes();
    EXPECT_TRUE(b.contains("<ConfigData>800F00CC8813ff00010000800000</ConfigData>")) << "alias 1, not the last run's";
    EXPECT_TRUE(b.contains(">EtherCAT Slave</Type>"));
    put(ParGen_File, parGen({{"EtherCAT_Slave_Node_Address", "x"}, {"EtherCAT_Slave_Revision_Number", "$1F"}}));
    EXPECT_TRUE(bytes().contains("<ConfigData>800F00CC8813ff00010000800000</ConfigData>"));
    EXPECT_TRUE(bytes().contains("RevisionNo=\"#x1F\""));
}

TEST_F(EsiTest, SlaveFileWithoutItsVariableElementsIsRefused)
{
    const char *files[] = {"<EtherCAT_Slave>\n<Other/></EtherCAT_Slave>",
                           "<EtherCAT_Slave>\n<EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master/></EtherCAT_Slave_Variables></EtherCAT_Slave>",
                           "<EtherCAT_Slave><EtherCAT_Slave_Variables>"};
    const char *expected[] = {"EtherCAT_Slave_Variables", "EtherCAT_Master_To_Slave", ", line 1"};
    for (int i = 0; i < 3; ++i) {
        put(EtherCAT_Slave_File, files[i]);
        const TDescription_File f = ESI_File_Bytes();
        EXPECT_FALSE(f.ok()) << i;
        EXPECT_TRUE(f.Bytes.isEmpty());
        EXPECT_TRUE(f.Error.startsWith(EtherCAT_Slave_File)) << f.Error.toStdString();
        EXPECT_TRUE(f.Error.contains(QLatin1String(expected[i]))) << f.Error.toStdString();
    }
}

// ---- PROFINET GSDML --------------------------------------------------------------------------

// A channel: its "IODD_File" attributes, then the elements inside it.
QString channel(const Attributes &iodd, const QString &inner = QString())
{
    return "<Channel>" + row(iodd).replace("<row", "<IODD_File") + inner + "</Channel>";
}
QString records(const char *side, const std::vector<std::pair<QString, QString>> &positionBits)
{
    QString s = QStringLiteral("<%1>").arg(QLatin1String(side));
    for (const auto &[position, bits] : positionBits)
        s += row({{"VarType", "UIntegerT"}, {"BitLength", bits}, {"Name", "pd"}, {"Position", position}, {"Bit", "0"}})
                 .replace("<row", "<PD_Record");
    return s + QStringLiteral("</%1>").arg(QLatin1String(side));
}
QString events(const std::vector<std::pair<QString, QString>> &enablePositions)
{
    QString s = QStringLiteral("<Events>");
    for (const auto &[enable, position] : enablePositions)
        s += row({{"Enable", enable}, {"Name", "e"}, {"Position", position}, {"Bit", "0"}}).replace("<row", "<Event");
    return s + QStringLiteral("</Events>");
}

class GsdmlTest : public WriterTest {
public:
    void channels(const QStringList &list)
    {
        put(IOLink_SetAccess_File, ("<IO-Link><IO-Link_Channels>" + list.join(QString()) + "</IO-Link_Channels></IO-Link>"
                                                                                              "<!--SW_VERSION = 1.103-->")
                                       .toUtf8());
    }
    void iodd(const QString &name)
    {
        QDir().mkpath(Project_Path + "/IODD");
        put(Project_Path + "/IODD/" + name, "<IODevice/>");
    }
    TGSDML_Writer read()
    {
        TGSDML_Writer w;
        QString error;
        EXPECT_TRUE(w.Read_GSDML_Parameters(&error)) << error.toStdString();
        return w;
    }
    // "n:in/out" of every module (a missing side as "-").
    static QStringList modules(const TGSDML_Writer &w)
    {
        QStringList out;
        for (size_t i = 0; i < w.Dev_IOLink.size(); ++i) {
            const TDev_IOLink &d = w.Dev_IOLink[i];
            if (!d.Enable) continue;
            out << QStringLiteral("%1:%2/%3")
                       .arg(i + 1)
                       .arg(d.En_ByteIn ? QString::number(d.Num_ByteIn) : "-")
                       .arg(d.En_ByteOut ? QString::number(d.Num_ByteOut) : "-");
        }
        return out;
    }
    // The IO-Link channel of the examples: inputs 10..14 (Length 5), one output byte at 5.
    QString ioLinkChannel(const QString &file)
    {
        return channel({{"FileName", file}, {"Pin4Mode", "IO-Link"}, {"ReadPin2", "Y"}, {"Pin2Pos", "13"}, {"Pin2Bit", "0"},
                        {"Pin4Pos", ""}},
                       "<ProcessData><processDataCondition>0</processDataCondition>" + records("ProcessDataIn", {{"10", "16"}, {"12", "1"}})
                           + records("ProcessDataOut", {{"5", "8"}}) + "</ProcessData>"
                           + events({{"True", "14"}, {"False", "30"}}));
    }
};

TEST_F(GsdmlTest, TwoChannelVariantWritesItsModulesByteForByte)
{
    put(ParGen_File, parGen({{"IOLink_SelectDevice", "GW41520-A1-2A"}}));
    iodd("dev.xml");
    channels({ioLinkChannel("dev.xml"),
              channel({{"FileName", ""}, {"Pin4Mode", "DOut"}, {"ReadPin2", "N"}, {"Pin2Pos", "3"}, {"Pin4Pos", "20"}}),
              channel({{"FileName", ""}, {"Pin4Mode", "DIn"}, {"ReadPin2", "Y"}, {"Pin2Pos", "7"}, {"Pin4Pos", "7"}}),
              ioLinkChannel("dev.xml")});
    const TGSDML_Writer w = read();
    EXPECT_EQ(w.GSDML_Num_Channels, 2);
    EXPECT_EQ(modules(w), (QStringList{"1:5/1", "2:-/1"}));
    EXPECT_EQ(w.Dev_IOLink[0].Min_ByteIn, 10);
    EXPECT_EQ(w.Dev_IOLink[0].Max_ByteIn, 15);
    EXPECT_EQ(w.Dev_IOLink[1].Min_ByteOut, 20);
    EXPECT_EQ(w.Dev_IOLink[1].Max_ByteOut, 21);
    const TDescription_File f = GSDML_File_Bytes();
    ASSERT_TRUE(f.ok()) << f.Error.toStdString();
    expectGolden(f.Bytes, QStringLiteral("GSDML-A1-2A.xml"));
    EXPECT_TRUE(f.Bytes.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- A fieldbus integration example. -->\r\n"));
    const QString text = QString::fromUtf8(f.Bytes);
    EXPECT_TRUE(text.contains("<Input><DataItem DataType=\"OctetString\" Length=\"5\" TextId=\"IDT_Input_1\"/></Input>"));
    EXPECT_EQ(text.count("<Input>"), 1);
    EXPECT_EQ(text.count("<Output>"), 2);
    EXPECT_TRUE(text.contains("<ModuleItem ID=\"IDM_2\" ModuleIdentNumber=\"0x00000002\">"));
    EXPECT_FALSE(text.contains("IDM_3"));
}

TEST_F(GsdmlTest, ChannelCasesOfTheEightSlotDefault)
{
    iodd("dev.xml");
    channels({ioLinkChannel("gone.xml"),  // its IODD is not in the configuration
              channel({{"FileName", ""}, {"Pin4Mode", "DIn"}, {"ReadPin2", "Y"}, {"Pin2Pos", "7"}, {"Pin4Pos", "7"}}),
              channel({{"FileName", ""}, {"Pin4Mode", "Disable"}, {"ReadPin2", "Y"}, {"Pin2Pos", "1"}}),
              // Process data declared but empty, only disabled events: no bytes, no module.
              channel({{"FileName", "dev.xml"}, {"Pin4Mode", "IO-Link"}, {"ReadPin2", "N"}},
                      "<ProcessData>" + records("ProcessDataIn", {}) + records("ProcessDataOut", {}) + "</ProcessData>"
                          + events({{"False", "3"}})),
              // No output position: only the pin-2 input remains.
              channel({{"FileName", ""}, {"Pin4Mode", "DOut"}, {"ReadPin2", "Y"}, {"Pin2Pos", "3"}, {"Pin4Pos", ""}}),
              "<Channel/>",
              channel({{"FileName", "dev.xml"}, {"Pin4Mode", "IO-Link"}}, records("ProcessDataIn", {{"2", "16"}})),
              channel({{"FileName", "../dev.xml"}, {"Pin4Mode", "IO-Link"}, {"ReadPin2", "Y"}, {"Pin2Pos", "1"}}),
              channel({{"FileName", ""}, {"Pin4Mode", "DIn"}, {"Pin4Pos", "4"}})});
    const TGSDML_Writer w = read();
    EXPECT_EQ(w.GSDML_Num_Channels, 8);
    // Channel 7's process data lies outside "ProcessData": it adds nothing. The ninth channel is
    // beyond the eight slots.
    EXPECT_EQ(modules(w), (QStringList{"2:1/-", "5:1/-"}));
    const QString text = QString::fromUtf8(GSDML_File_Bytes().Bytes);
    EXPECT_TRUE(text.contains("<ModuleItemRef ModuleItemTarget=\"IDM_2\" FixedInSlots=\"2\"/>"));
    EXPECT_TRUE(text.contains("<ModuleItemRef ModuleItemTarget=\"IDM_5\" FixedInSlots=\"5\"/>"));
    EXPECT_TRUE(text.contains("<Text TextId=\"IDT_NAME_M5_IDT_REF_channel\" Value=\"Canale 5\"/>"));
    EXPECT_FALSE(text.contains("<Output>"));
}

TEST_F(GsdmlTest, VariantDecidesTheSlotCount)
{
    const struct {
        const char *variant;
        int count;
    } cases[] = {{"GW41520-A1-4A", 4}, {"GW41520-A1-2A", 2}, {"GW41520-A1-2A-2B", 4}, {"GW41520-A1-2B", 2},
                 {"GW41520-A1-4B", 8}, {"GW41520-A1-2A-4B", 8}, {"GW41520-A1-6A", 8},  {"gw41520-a1-2b", 2},
                 {"Other", 8},         {"", 8}};
    for (const auto &c : cases) {
        put(ParGen_File, parGen({{"IOLink_SelectDevice", QString::fromLatin1(c.variant)}}));
        EXPECT_EQ(read().GSDML_Num_Channels, c.count) << c.variant;
    }
    QFile::remove(ParGen_File);
    const TGSDML_Writer w = read();
    EXPECT_EQ(w.GSDML_Num_Channels, 8);
    EXPECT_EQ(w.GSDML_Device_Code, "GW41520");
    EXPECT_EQ(w.GSDML_Device_ID, "0x01E9");
    EXPECT_EQ(w.GSDML_Device_Name, "devicename1");
    EXPECT_EQ(w.GSDML_Variants.size(), 7);
}

TEST_F(GsdmlTest, WithoutTheChannelTableNoModuleIsWritten)
{
    const TDescription_File f = GSDML_File_Bytes();
    ASSERT_TRUE(f.ok());
    const QString text = QString::fromUtf8(f.Bytes);
    EXPECT_TRUE(text.contains("\t\t\t\t\t<UseableModules/>\r\n"));
    EXPECT_TRUE(text.contains("<ModuleList>\r\n\t\t\t\t<!-- The \"normal\" module carrying the FAP. -->\r\n\t\t\t</ModuleList>"));
    EXPECT_FALSE(text.contains("IDT_NAME_M1"));
}

TEST_F(GsdmlTest, UnreadableInputStopsTheExport)
{
    put(ParGen_File, "<Par_Gen>\n<IOLink_SelectDevice>");
    TDescription_File f = GSDML_File_Bytes();
    EXPECT_TRUE(f.Error.startsWith(ParGen_File + ", line 2")) << f.Error.toStdString();
    QFile::remove(ParGen_File);
    put(IOLink_SetAccess_File, "<IO-Link>\n<IO-Link_Channels>\n</IO-Link>");
    f = GSDML_File_Bytes();
    EXPECT_TRUE(f.Error.startsWith(IOLink_SetAccess_File + ", line 3")) << f.Error.toStdString();
    EXPECT_TRUE(f.Bytes.isEmpty());
}

// ---- The IO-Link channel file as plain texts -------------------------------------------------

class ChannelReaderTest : public ChannelTest {};

TEST_F(ChannelReaderTest, AttributesAreTakenAsTheyStand)
{
    testsupport::writeFile(IOLink_SetAccess_File,
                           "<?xml version=\"1.0\"?><!-- saved --><IO-Link><IO-Link_Channels>\n"
                           "<Channel><IODD_File FileName=\"a.xml\" Pin4Mode=\"IO-Link\" Pin2Pos=\" 4\"/>"
                           "<Variables><Variable Enable=\"True\" ReadTime=\"0\" Name=\"v &amp; w\" VarType=\"UIntegerT\"/><!-- c --></Variables>"
                           "<ProcessData><processDataCondition>0</processDataCondition><ProcessDataIn><PD_Record BitLength=\"8\" Position=\"2\"/>"
                           "</ProcessDataIn></ProcessData><Events><Event Enable=\"False\" Position=\"9\"/></Events></Channel>\n"
                           "<!-- between --><Channel/>\n"
                           "<Channel><IODD_File Pin4Mode=\"DIn\" ReadPin2=\"Y\"/><ProcessData/></Channel>"
                           "</IO-Link_Channels></IO-Link>");
    std::vector<TChannel_File_Channel> c;
    QString error;
    ASSERT_EQ(Read_IOLink_Channels(c, &error), TChannel_File_Read::Loaded) << error.toStdString();
    ASSERT_EQ(c.size(), 3u);
    EXPECT_TRUE(c[0].Has_IODD_File);
    EXPECT_EQ(c[0].FileName, "a.xml");
    EXPECT_EQ(c[0].Pin2Pos, " 4");
    EXPECT_EQ(c[0].ReadPin2, "N");
    EXPECT_EQ(c[0].Pin4Pos, "");
    ASSERT_EQ(c[0].Variables.size(), 1u);
    EXPECT_EQ(c[0].Variables[0].Name, "v & w");
    EXPECT_EQ(c[0].Variables[0].ReadTime, "0");
    EXPECT_EQ(c[0].Variables[0].On_Timer, "");
    ASSERT_EQ(c[0].ProcessDataIn.size(), 1u);
    EXPECT_EQ(c[0].ProcessDataIn[0].BitLength, "8");
    EXPECT_EQ(c[0].ProcessDataIn[0].VarType, "");
    EXPECT_TRUE(c[0].Has_ProcessDataIn);
    EXPECT_FALSE(c[0].Has_ProcessDataOut);
    ASSERT_EQ(c[0].Events.size(), 1u);
    EXPECT_EQ(c[0].Events[0].Enable, "False");
    EXPECT_FALSE(c[1].Has_IODD_File);
    EXPECT_FALSE(c[1].Has_ProcessData);
    EXPECT_EQ(c[2].ReadPin2, "Y");
    EXPECT_TRUE(c[2].Has_ProcessData);
    EXPECT_FALSE(c[2].Has_ProcessDataIn);
    EXPECT_FALSE(c[2].Has_Variables);
    EXPECT_FALSE(c[2].Has_Events);

    testsupport::writeFile(IOLink_SetAccess_File, "<IO-Link>\n<IO-Link_Channels><Channel></IO-Link_Channels></IO-Link>");
    EXPECT_EQ(Read_IOLink_Channels(c, &error), TChannel_File_Read::Failed);
    EXPECT_TRUE(error.startsWith(IOLink_SetAccess_File + ", line 2")) << error.toStdString();
    EXPECT_TRUE(c.empty());
    QFile::remove(IOLink_SetAccess_File);
    EXPECT_EQ(Read_IOLink_Channels(c, &error), TChannel_File_Read::Missing);
}

TEST_F(ChannelReaderTest, ReadsWhatTheChannelTableSavesWithRealDeviceDescriptions)
{
    SKIP_WITHOUT_SHARED_IODD();
    parGen("GW41520-A1-4A");
    assignSharedIodds({"IO-Link-17-ComplexProcessDataDevice-20240824-IODD1.1.xml", "IO-Link-06-EventDevice-20240824-IODD1.1.xml"});
    TChannel_IOLink &first = table.Channels[0];
    first.ReadPin2 = "Y";
    ASSERT_FALSE(first.Var_List.empty());
    first.Var_List.back().Enable = true;
    first.Var_List.back().On_Timer = true;
    first.Var_List.back().ReadTime = "0";
    TChannel_IOLink &second = table.Channels[1];
    ASSERT_FALSE(second.Event_List.empty());
    second.Event_List.front().Enable = true;
    table.Channels[2].Pin4Mode = "DOut";
    table.Channels[2].Pin4_Pos = "40";
    table.Add_Name_to_Configuration();
    ASSERT_TRUE(table.Save_Configuration());

    std::vector<TChannel_File_Channel> c;
    QString error;
    ASSERT_EQ(Read_IOLink_Channels(c, &error), TChannel_File_Read::Loaded) << error.toStdString();
    ASSERT_EQ(c.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const TChannel_IOLink &ch = table.Channels[i];
        EXPECT_EQ(c[i].FileName, ch.IODD_File) << i;
        EXPECT_EQ(c[i].Pin4Mode, ch.Pin4Mode) << i;
        EXPECT_EQ(c[i].ReadPin2, ch.ReadPin2) << i;
        EXPECT_EQ(c[i].Pin2Pos, ch.Pin2_Pos) << i;
        EXPECT_EQ(c[i].Pin2Bit, ch.Pin2_Bit) << i;
        EXPECT_EQ(c[i].Pin4Pos, ch.Pin4_Pos) << i;
        ASSERT_EQ(c[i].Variables.size(), ch.Var_List.size()) << i;
        for (size_t k = 0; k < ch.Var_List.size(); ++k) {
            const TVarObjValue &v = ch.Var_List[k];
            const TChannel_File_Variable &r = c[i].Variables[k];
            EXPECT_EQ(r.Enable, v.Enable ? "True" : "False");
            EXPECT_EQ(r.On_Timer, v.On_Timer ? "True" : "False");
            EXPECT_EQ(r.ReadTime, v.ReadTime);
            EXPECT_EQ(r.Length, v.Dimension);
            EXPECT_EQ(r.Name, v.Name);
            EXPECT_EQ(r.VarType, v.VarType);
            EXPECT_EQ(r.ReadPos, v.ReadPos);
            EXPECT_EQ(r.Position, v.Position);
        }
        for (bool in : {true, false}) {
            const TProcDataList *l = ch.PD_List(in);
            const auto &got = in ? c[i].ProcessDataIn : c[i].ProcessDataOut;
            ASSERT_EQ(got.size(), l ? l->size() : 0u) << i;
            for (size_t k = 0; l && k < l->size(); ++k) {
                EXPECT_EQ(got[k].BitLength, (*l)[k].BitLength);
                EXPECT_EQ(got[k].Position, (*l)[k].position);
                EXPECT_EQ(got[k].Bit, (*l)[k].bit);
                EXPECT_EQ(got[k].Name, (*l)[k].Name);
                EXPECT_EQ(got[k].VarType, (*l)[k].VarType);
            }
        }
        ASSERT_EQ(c[i].Events.size(), ch.Event_List.size()) << i;
        for (size_t k = 0; k < ch.Event_List.size(); ++k) {
            EXPECT_EQ(c[i].Events[k].Enable, ch.Event_List[k].Enable ? "True" : "False");
            EXPECT_EQ(c[i].Events[k].Position, ch.Event_List[k].Position);
        }
    }
    EXPECT_FALSE(c[0].ProcessDataIn.empty());
    EXPECT_FALSE(c[0].ProcessDataOut.empty());

    // The GSDML writer takes the same file: three modules, the first with input and output bytes.
    TGSDML_Writer w;
    ASSERT_TRUE(w.Read_GSDML_Parameters(&error)) << error.toStdString();
    EXPECT_TRUE(w.Dev_IOLink[0].Enable && w.Dev_IOLink[0].En_ByteIn && w.Dev_IOLink[0].En_ByteOut);
    EXPECT_TRUE(w.Dev_IOLink[1].Enable && w.Dev_IOLink[1].En_ByteIn);
    EXPECT_TRUE(w.Dev_IOLink[2].Enable && w.Dev_IOLink[2].En_ByteOut && !w.Dev_IOLink[2].En_ByteIn);
    EXPECT_FALSE(w.Dev_IOLink[3].Enable);
}

} // namespace
