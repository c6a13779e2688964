// "ParGen.xml": element order and texts, tolerant reading, atomic rewrite.
#include "platform/Files.h"
#include "shell/ParGenFile.h"
#include "shell/UComon.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString fixture(const QString &name) { return testsupport::dataDir() + QStringLiteral("/pargen/") + name; }

QByteArray readAll(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

// The element list of a file written from the defaults, taken from the file description.
const std::vector<std::pair<const char *, const char *>> kDefaultElements = {
    {"Eth_Conn_Device_Name", ""},
    {"Eth_Conn_DHCP_Cable", "0"},
    {"Eth_Conn_DHCP_WiFi", "0"},
    {"Eth_Conn_Enable_DNS", "0"},
    {"Eth_Conn_Primary_DNS1", "8"},
    {"Eth_Conn_Primary_DNS2", "8"},
    {"Eth_Conn_Primary_DNS3", "8"},
    {"Eth_Conn_Primary_DNS4", "8"},
    {"Eth_Conn_Secondary_DNS1", "8"},
    {"Eth_Conn_Secondary_DNS2", "8"},
    {"Eth_Conn_Secondary_DNS3", "4"},
    {"Eth_Conn_Secondary_DNS4", "4"},
    {"IOLink_SelectDevice", "GW41520-A1-4A"},
    {"Ethernet_IP1", "192"},
    {"Ethernet_IP2", "168"},
    {"Ethernet_IP3", "0"},
    {"Ethernet_IP4", "10"},
    {"Ethernet_SM1", "255"},
    {"Ethernet_SM2", "255"},
    {"Ethernet_SM3", "255"},
    {"Ethernet_SM4", "0"},
    {"Ethernet_GAT1", "192"},
    {"Ethernet_GAT2", "168"},
    {"Ethernet_GAT3", "0"},
    {"Ethernet_GAT4", "1"},
    {"Ethernet_EN_GAT", "0"},
    {"Ethernet_DNS1", "192"},
    {"Ethernet_DNS2", "168"},
    {"Ethernet_DNS3", "0"},
    {"Ethernet_DNS4", "5"},
    {"Ethernet_EN_DNS", "0"},
    {"Ethernet_TCP_Port", "10001"},
    {"Ethernet_UDP_Port", "10001"},
    {"MODBUS_SLAVE_SERIAL", "0"},
    {"MODBUS_SLAVE_BAUDRATE", "7"},
    {"MODBUS_SLAVE_PARITY", "0"},
    {"MODBUS_SLAVE_STOPBITS", "0"},
    {"MODBUS_SLAVE_IDDEVICE", "10"},
    {"MODBUS_SLAVE_READ_INPUT_REGISTER", "1"},
    {"MODBUS_SLAVE_READ_END_LINE_RES", "1"},
    {"WebServer_Username", ""},
    {"WebServer_Password", ""},
};

// Parses bytes as an independent reader would and returns (name, text) of the root's children.
std::vector<std::pair<std::string, std::string>> elementsOf(const QByteArray &bytes, pugi::xml_document &doc)
{
    const auto r = doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                                   pugi::parse_default | pugi::parse_comments | pugi::parse_declaration |
                                       pugi::parse_ws_pcdata_single);
    EXPECT_TRUE(r) << r.description();
    std::vector<std::pair<std::string, std::string>> out;
    for (pugi::xml_node e : doc.first_child().children()) {
        EXPECT_EQ(e.type(), pugi::node_element);
        EXPECT_FALSE(e.first_attribute());
        for (pugi::xml_node c : e.children())
            EXPECT_EQ(c.type(), pugi::node_pcdata) << e.name();
        out.emplace_back(e.name(), e.child_value());
    }
    return out;
}

class ParGenFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("ParGen.xml"));
    }
    // Reads a file holding exactly xml into a copy of start.
    TParGenData readXml(const QByteArray &xml, TParGenData start = TParGenData())
    {
        writeAll(path, xml);
        pugi::xml_document doc;
        QString error;
        EXPECT_EQ(ParGen_Read(path, doc, start, &error), TParGenLoad::Loaded) << error.toStdString();
        return start;
    }
    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(ParGenFileTest, MissingFileGivesDefaultsAndPortsAndWritesTheFullDocument)
{
    TParGenData data;
    data.Device_Name = QStringLiteral("left over");
    data.Baudrate = 2;
    pugi::xml_document doc;
    ASSERT_EQ(ParGen_Read(path, doc, data), TParGenLoad::Missing);
    TParGenData expected;
    expected.TCP_Port = expected.UDP_Port = QStringLiteral("10001");
    EXPECT_EQ(data, expected);
    EXPECT_FALSE(QFile::exists(path)); // reading never creates the file

    QString error;
    ASSERT_TRUE(ParGen_Write(data, doc, path, &error)) << error.toStdString();
    const QByteArray bytes = readAll(path);

    // No declaration, no layout text, root first and the version comment after it.
    EXPECT_TRUE(bytes.startsWith("<Par_Gen><Eth_Conn_Device_Name/><Eth_Conn_DHCP_Cable>0</Eth_Conn_DHCP_Cable>"))
        << bytes.left(120).toStdString();
    EXPECT_TRUE(bytes.endsWith("<WebServer_Password/></Par_Gen><!--SW_VERSION = 1.103-->")) << bytes.right(80).toStdString();
    EXPECT_FALSE(bytes.contains('\n'));

    pugi::xml_document check;
    const auto elements = elementsOf(bytes, check);
    ASSERT_EQ(elements.size(), kDefaultElements.size());
    for (size_t i = 0; i < elements.size(); ++i) {
        EXPECT_EQ(elements[i].first, kDefaultElements[i].first) << "element " << i + 1;
        EXPECT_EQ(elements[i].second, kDefaultElements[i].second) << kDefaultElements[i].first;
    }
    int topLevel = 0;
    for (pugi::xml_node n : check.children()) {
        ++topLevel;
        if (topLevel == 1) {
            EXPECT_EQ(n.type(), pugi::node_element);
            EXPECT_STREQ(n.name(), "Par_Gen");
        } else {
            EXPECT_EQ(n.type(), pugi::node_comment);
            EXPECT_STREQ(n.value(), "SW_VERSION = 1.103");
        }
    }
    EXPECT_EQ(topLevel, 2);
}

TEST_F(ParGenFileTest, DeviceVariantsAreBuiltFromTheDeviceCode)
{
    const QStringList l = ParGen_Device_List();
    ASSERT_EQ(l.size(), 7);
    EXPECT_EQ(l.first(), Get_Device_Code() + QStringLiteral("-A1-4A"));
    EXPECT_EQ(l, (QStringList{"GW41520-A1-4A", "GW41520-A1-2A", "GW41520-A1-2A-2B", "GW41520-A1-2B",
                              "GW41520-A1-4B", "GW41520-A1-2A-4B", "GW41520-A1-6A"}));
}

TEST_F(ParGenFileTest, EachElementIsReadOnItsOwn)
{
    struct Case {
        const char *element;
        const char *text; // nullptr: element left out
        std::function<void(TParGenData &)> expect;
    };
    const std::vector<Case> cases = {
        {"IOLink_SelectDevice", "gw41520-a1-2b", [](TParGenData &d) { d.Select_Device = 3; }},
        {"IOLink_SelectDevice", "GW41520-A1-6A", [](TParGenData &d) { d.Select_Device = 6; }},
        {"IOLink_SelectDevice", "NONE", [](TParGenData &d) { d.Select_Device = 0; }},
        {"IOLink_SelectDevice", "", [](TParGenData &d) { d.Select_Device = 0; }},
        {"MODBUS_SLAVE_BAUDRATE", "abc", [](TParGenData &d) { d.Baudrate = 7; }},
        {"MODBUS_SLAVE_BAUDRATE", "9", [](TParGenData &d) { d.Baudrate = 7; }},
        {"MODBUS_SLAVE_BAUDRATE", "-1", [](TParGenData &d) { d.Baudrate = 7; }},
        {"MODBUS_SLAVE_BAUDRATE", " 3", [](TParGenData &d) { d.Baudrate = 3; }},
        {"MODBUS_SLAVE_BAUDRATE", "$5", [](TParGenData &d) { d.Baudrate = 5; }},
        {"MODBUS_SLAVE_BAUDRATE", "0x0", [](TParGenData &d) { d.Baudrate = 0; }},
        {"MODBUS_SLAVE_BAUDRATE", "3 ", [](TParGenData &d) { d.Baudrate = 7; }},
        {"MODBUS_SLAVE_SERIAL", "1", [](TParGenData &d) { d.Serial = 1; }},
        {"MODBUS_SLAVE_SERIAL", "2", [](TParGenData &d) { d.Serial = 0; }},
        {"MODBUS_SLAVE_PARITY", "2", [](TParGenData &d) { d.Parity = 2; }},
        {"MODBUS_SLAVE_PARITY", "3", [](TParGenData &d) { d.Parity = 0; }},
        {"MODBUS_SLAVE_STOPBITS", "1", [](TParGenData &d) { d.StopBits = 1; }},
        {"MODBUS_SLAVE_STOPBITS", "7", [](TParGenData &d) { d.StopBits = 0; }},
        {"Eth_Conn_DHCP_Cable", "1", [](TParGenData &d) { d.DHCP_Cable = true; }},
        {"Eth_Conn_DHCP_Cable", "true", [](TParGenData &d) { d.DHCP_Cable = false; }},
        {"Eth_Conn_DHCP_Cable", " 1", [](TParGenData &d) { d.DHCP_Cable = false; }},
        {"Eth_Conn_DHCP_WiFi", "1", [](TParGenData &) {}},
        {"MODBUS_SLAVE_READ_INPUT_REGISTER", "0", [](TParGenData &d) { d.ReadInput = false; }},
        {"MODBUS_SLAVE_READ_INPUT_REGISTER", "yes", [](TParGenData &d) { d.ReadInput = false; }},
        {"MODBUS_SLAVE_READ_END_LINE_RES", nullptr, [](TParGenData &d) { d.EndLineRes = true; }},
        {"Ethernet_IP1", "", [](TParGenData &d) { d.IP[0] = QString(); }},
        {"Ethernet_IP1", " 12", [](TParGenData &d) { d.IP[0] = QStringLiteral(" 12"); }},
        {"Ethernet_SM4", "abc", [](TParGenData &d) { d.SM[3] = QStringLiteral("abc"); }},
        {"Ethernet_SM3", "<![CDATA[254]]>", [](TParGenData &d) { d.SM[2] = QStringLiteral("254"); }},
        {"Ethernet_SM2", "1<!-- note -->0", [](TParGenData &d) { d.SM[1] = QStringLiteral("255"); }},
        {"Ethernet_SM1", "<Ethernet_SM1>7</Ethernet_SM1>", [](TParGenData &d) { d.SM[0] = QStringLiteral("255"); }},
        {"Ethernet_GAT2", nullptr, [](TParGenData &d) { d.GAT[1] = QStringLiteral("168"); }},
        {"Eth_Conn_Device_Name", "  ", [](TParGenData &d) { d.Device_Name = QStringLiteral("  "); }},
        {"Eth_Conn_Device_Name", "A&amp;B &lt;x&gt; Grüße",
         [](TParGenData &d) { d.Device_Name = QStringLiteral("A&B <x> Grüße"); }},
        {"Ethernet_DNS1", "1", [](TParGenData &) {}},     // hidden, never read
        {"Ethernet_EN_DNS", "1", [](TParGenData &) {}},   // hidden, never read
        {"Ethernet_TCP_Port", "502", [](TParGenData &) {}}, // a file never changes the port fields
    };
    // Every other element holds a value that differs from its default, so a case that disturbs a
    // neighbour shows up.
    TParGenData others;
    others.Device_Name = QStringLiteral("Dev1");
    others.DHCP_Cable = true;
    others.Enable_DNS = true;
    others.Pri_DNS = {"1", "2", "3", "4"};
    others.Sec_DNS = {"5", "6", "7", "8"};
    others.Select_Device = 2;
    others.IP = {"10", "0", "0", "2"};
    others.SM = {"255", "0", "0", "0"};
    others.GAT = {"10", "0", "0", "1"};
    others.En_GAT = true;
    others.Serial = 1;
    others.Baudrate = 3;
    others.Parity = 1;
    others.StopBits = 1;
    others.IDDevice = QStringLiteral("7");
    others.ReadInput = false;
    others.EndLineRes = false;
    others.Username = QStringLiteral("usr");
    others.Password = QStringLiteral("pwd");

    const QStringList names = ParGen_Element_Names();
    const QStringList texts = ParGen_Element_Texts(others);
    for (const Case &c : cases) {
        QByteArray xml = "<Par_Gen>";
        for (int i = 0; i < names.size(); ++i) {
            const QByteArray n = names.at(i).toUtf8();
            if (n == c.element) {
                if (c.text)
                    xml += "<" + n + ">" + QByteArray(c.text) + "</" + n + ">";
            } else {
                xml += "<" + n + ">" + texts.at(i).toUtf8() + "</" + n + ">";
            }
        }
        xml += "</Par_Gen>";
        TParGenData start; // hidden fields as the window holds them
        start.TCP_Port = QStringLiteral("keep");
        TParGenData got = readXml(xml, start);
        TParGenData expected = others;
        expected.Eth_DNS = start.Eth_DNS;
        expected.Eth_En_DNS = false;
        expected.TCP_Port = QStringLiteral("keep");
        c.expect(expected);
        EXPECT_EQ(got, expected) << c.element << " = " << (c.text ? c.text : "(missing)");
    }
}

TEST_F(ParGenFileTest, OutOfListIndexIsNeverWrittenBack)
{
    TParGenData d = readXml("<Par_Gen><MODBUS_SLAVE_BAUDRATE>9</MODBUS_SLAVE_BAUDRATE>"
                            "<MODBUS_SLAVE_PARITY>-1</MODBUS_SLAVE_PARITY></Par_Gen>");
    EXPECT_EQ(d.Baudrate, 7);
    EXPECT_EQ(d.Parity, 0);
    // Even a position set from elsewhere outside its list goes out as the default.
    d.StopBits = -1;
    d.Serial = 5;
    d.Select_Device = 9;
    pugi::xml_document doc;
    ASSERT_TRUE(ParGen_Write(d, doc, path));
    const QByteArray bytes = readAll(path);
    EXPECT_FALSE(bytes.contains("-1"));
    EXPECT_TRUE(bytes.contains("<MODBUS_SLAVE_BAUDRATE>7</MODBUS_SLAVE_BAUDRATE>"));
    EXPECT_TRUE(bytes.contains("<MODBUS_SLAVE_STOPBITS>0</MODBUS_SLAVE_STOPBITS>"));
    EXPECT_TRUE(bytes.contains("<MODBUS_SLAVE_SERIAL>0</MODBUS_SLAVE_SERIAL>"));
    EXPECT_TRUE(bytes.contains("<IOLink_SelectDevice>GW41520-A1-4A</IOLink_SelectDevice>"));
}

TEST_F(ParGenFileTest, FlagOtherThanOneIsWrittenBackAsZero)
{
    const TParGenData d = readXml("<Par_Gen><Eth_Conn_DHCP_Cable>true</Eth_Conn_DHCP_Cable></Par_Gen>");
    pugi::xml_document doc;
    ASSERT_TRUE(ParGen_Write(d, doc, path));
    EXPECT_TRUE(readAll(path).contains("<Eth_Conn_DHCP_Cable>0</Eth_Conn_DHCP_Cable>"));
}

TEST_F(ParGenFileTest, FirstTopLevelNodeIsTheRootWhateverItIs)
{
    TParGenData start;
    start.TCP_Port = start.UDP_Port = QStringLiteral("10001");
    TParGenData defaults = start;
    TParGenData changed = start;
    changed.Device_Name = QStringLiteral("X");
    changed.Baudrate = 1;
    changed.IP[3] = QStringLiteral("77");

    // A comment or a declaration first: no element is found, every field takes its default.
    EXPECT_EQ(readXml(readAll(fixture("comment_first.xml")), changed),
              defaults);
    EXPECT_EQ(readXml(readAll(fixture("declaration_first.xml")), changed), defaults);
    // Another root name is read all the same.
    const TParGenData other = readXml(readAll(fixture("other_root.xml")));
    EXPECT_EQ(other.Device_Name, QStringLiteral("Renamed"));
    EXPECT_EQ(other.Baudrate, 3);
}

TEST_F(ParGenFileTest, OrderExtrasLengthAndUnreadableElements)
{
    const TParGenData d = readXml(readAll(fixture("shuffled.xml")));
    // Elements out of order and extra elements read the same.
    EXPECT_EQ(d.Baudrate, 4);
    EXPECT_EQ(d.IP, (TParGenOctets{"10", "1", "2", "3"}));
    // Length limits only bind typing: long texts are taken whole.
    EXPECT_EQ(d.Device_Name, QStringLiteral("ThisDeviceNameIsLongerThanThirtyOneCharacters"));
    EXPECT_EQ(d.Username, QStringLiteral("UserLongerThan7"));
    EXPECT_EQ(d.Password, QStringLiteral("Secret123"));
    // An element holding another element has no readable text: default. The first of two
    // same-named elements counts.
    EXPECT_EQ(d.IDDevice, QStringLiteral("10"));
    EXPECT_EQ(d.SM[0], QStringLiteral("254"));

    pugi::xml_document doc;
    ASSERT_TRUE(ParGen_Write(d, doc, path));
    const QByteArray bytes = readAll(path);
    EXPECT_FALSE(bytes.contains("Extra"));
    EXPECT_TRUE(bytes.contains("<Eth_Conn_Device_Name>ThisDeviceNameIsLongerThanThirtyOneCharacters<"));
    EXPECT_TRUE(bytes.contains("<WebServer_Username>UserLongerThan7<"));
    pugi::xml_document check;
    const auto elements = elementsOf(bytes, check);
    ASSERT_EQ(elements.size(), kDefaultElements.size());
    for (size_t i = 0; i < elements.size(); ++i)
        EXPECT_EQ(elements[i].first, kDefaultElements[i].first);
}

TEST_F(ParGenFileTest, TextsRoundTripExactly)
{
    TParGenData d;
    d.Device_Name = QStringLiteral(" a <b> & \"c\" Grüße ");
    d.Pri_DNS = {" 12", "+12", "012", "$FF"};
    d.IDDevice = QStringLiteral("0x10");
    d.Username = QStringLiteral(" ");
    d.Password = QStringLiteral("p&ss>");
    d.Select_Device = 5;
    d.Serial = 1;
    d.Baudrate = 0;
    d.Parity = 2;
    d.StopBits = 1;
    d.ReadInput = false;
    d.EndLineRes = false;
    d.TCP_Port = QStringLiteral("10001");
    pugi::xml_document doc;
    ASSERT_TRUE(ParGen_Write(d, doc, path));
    TParGenData back;
    back.TCP_Port = QStringLiteral("10001");
    ASSERT_EQ(ParGen_Read(path, doc, back), TParGenLoad::Loaded);
    EXPECT_EQ(back, d);
    // The file is UTF-8.
    EXPECT_TRUE(readAll(path).contains(QStringLiteral("Grüße").toUtf8()));
}

// A text holding characters XML cannot hold loses only those: the file is XML and reads back.
TEST_F(ParGenFileTest, CharactersXmlCannotHoldAreDroppedAndTheFileReadsBack)
{
    TParGenData d;
    d.Device_Name = QString::fromUtf8("Gate\x01way\x07");
    d.Username = QString::fromUtf8("us\x1F" "er\xEF\xBF\xBE");
    d.Password = QString::fromUtf8("p\x0Bw\x0C\r\n2");
    d.TCP_Port = QStringLiteral("502");
    pugi::xml_document doc;
    ASSERT_TRUE(ParGen_Write(d, doc, path));
    TParGenData back;
    QString error;
    ASSERT_EQ(ParGen_Read(path, doc, back, &error), TParGenLoad::Loaded) << error.toStdString();
    EXPECT_EQ(back.Device_Name, "Gateway");
    EXPECT_EQ(back.Username, "user");
    EXPECT_EQ(back.Password, "pw\r\n2") << "a line break comes back as it was";
    QString lint;
    if (testsupport::xmllintMessages(path, lint))
        EXPECT_TRUE(lint.isEmpty()) << lint.toStdString();
}

TEST_F(ParGenFileTest, MalformedFileTakesNothingAndReportsTheParser)
{
    const QByteArray bad = readAll(fixture("malformed.xml"));
    writeAll(path, bad);
    TParGenData d;
    d.Device_Name = QStringLiteral("before");
    d.IP[0] = QStringLiteral("1");
    const TParGenData before = d;
    pugi::xml_document doc;
    QString error;
    EXPECT_EQ(ParGen_Read(path, doc, d, &error), TParGenLoad::Failed);
    EXPECT_EQ(d, before);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path), bad);

    writeAll(path, QByteArray());
    EXPECT_EQ(ParGen_Read(path, doc, d, &error), TParGenLoad::Failed);
    EXPECT_EQ(d, before);
}

// A Latin-1 "ü" is not UTF-8: the file is refused, not read with U+FFFD and written back so.
TEST_F(ParGenFileTest, Latin1BytesAreRefusedWithTheLine)
{
    const QByteArray latin1 = "<Par_Gen>\n<Eth_Conn_Device_Name>Pr\xFC" "fung</Eth_Conn_Device_Name>\n</Par_Gen>";
    writeAll(path, latin1);
    TParGenData d;
    const TParGenData before = d;
    pugi::xml_document doc;
    QString error;
    EXPECT_EQ(ParGen_Read(path, doc, d, &error), TParGenLoad::Failed);
    EXPECT_EQ(d, before);
    EXPECT_TRUE(error.startsWith(path + ", line 2: ")) << error.toStdString();
    EXPECT_EQ(readAll(path), latin1);
}

TEST_F(ParGenFileTest, RewriteReplacesTheWholeFileAtomically)
{
    // A longer old file leaves no tail behind.
    writeAll(path, QByteArray(20000, 'x'));
    TParGenData d;
    pugi::xml_document doc;
    ASSERT_TRUE(ParGen_Write(d, doc, path));
    const QByteArray bytes = readAll(path);
    EXPECT_TRUE(bytes.startsWith("<Par_Gen>"));
    EXPECT_FALSE(bytes.contains("xxxx"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ParGen.xml"});

    // A file that cannot be written: false with a reason, the old file stays as it was.
    QString error;
    EXPECT_FALSE(ParGen_Write(d, doc, dir.filePath(QStringLiteral("missing/ParGen.xml")), &error));
    EXPECT_FALSE(error.isEmpty());
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(QDir().mkpath(blocked + QStringLiteral("/ParGen.xml")));
    writeAll(blocked + QStringLiteral("/ParGen.xml/inside"), "old");
    error.clear();
    EXPECT_FALSE(ParGen_Write(d, doc, blocked + QStringLiteral("/ParGen.xml"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(blocked + QStringLiteral("/ParGen.xml/inside")), QByteArray("old"));
    EXPECT_EQ(QDir(blocked).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(ParGenFileTest, TheOtherModelsReadWorkingModeAndTheSerialChannels)
{
    TParGenTableValues v;
    v.Working_Mode = 5;
    v.RS232_Enable = false;
    EXPECT_EQ(ParGen_Read_Table_Values(path, v), TParGenLoad::Missing);
    EXPECT_EQ(v, TParGenTableValues()) << "no file: the defaults";

    const struct {
        const char *xml;
        int mode;
        bool rs232, rs485_1, rs485_2;
    } cases[] = {
        {"<Par_Gen/>", 0, true, true, true},
        {"<Par_Gen><Working_Mode>1</Working_Mode></Par_Gen>", 1, true, true, true},
        {"<Par_Gen><Working_Mode>$10</Working_Mode></Par_Gen>", 16, true, true, true},
        {"<Par_Gen><Working_Mode>1 </Working_Mode></Par_Gen>", 0, true, true, true},
        {"<Par_Gen><Working_Mode><x/></Working_Mode></Par_Gen>", 0, true, true, true},
        {"<Par_Gen><RS232_ENABLE>0</RS232_ENABLE><RS485_1_ENABLE>1</RS485_1_ENABLE><RS485_2_ENABLE>0</RS485_2_ENABLE></Par_Gen>",
         0, false, true, false},
        {"<Par_Gen><RS232_ENABLE> 0</RS232_ENABLE><RS485_1_ENABLE>00</RS485_1_ENABLE><RS485_2_ENABLE/></Par_Gen>", 0, true,
         true, true},
        // The first top-level node is the root, whatever its name.
        {"<Other><Working_Mode>2</Working_Mode><RS485_1_ENABLE>0</RS485_1_ENABLE></Other>", 2, true, false, true},
    };
    for (const auto &c : cases) {
        writeAll(path, c.xml);
        TParGenTableValues got;
        got.Working_Mode = 9;
        EXPECT_EQ(ParGen_Read_Table_Values(path, got), TParGenLoad::Loaded) << c.xml;
        EXPECT_EQ(got.Working_Mode, c.mode) << c.xml;
        EXPECT_EQ(got.RS232_Enable, c.rs232) << c.xml;
        EXPECT_EQ(got.RS485_1_Enable, c.rs485_1) << c.xml;
        EXPECT_EQ(got.RS485_2_Enable, c.rs485_2) << c.xml;
    }

    writeAll(path, "<Par_Gen><Working_Mode>1</Par_Gen>");
    QString error;
    v = TParGenTableValues();
    v.Working_Mode = 3;
    EXPECT_EQ(ParGen_Read_Table_Values(path, v, &error), TParGenLoad::Failed);
    EXPECT_TRUE(error.startsWith(path + QStringLiteral(", line 1: "))) << error.toStdString();
    EXPECT_EQ(v.Working_Mode, 3) << "values untouched";
}
