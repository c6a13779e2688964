#include "ChannelFixture.h"

#include "iolink/USaveBincc.h"
#include "platform/Files.h"
#include "platform/FormatSettings.h"
#include "shell/ParGenFile.h"
#include "support/LocaleSettings.h"

#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;

// A device with 16 bits of input process data.
IoddRecipe u16Input()
{
    IoddRecipe s;
    s.pdIn = kU16;
    s.pdInBits = 16;
    return s;
}

uint32_t u32(const Bytes &b, size_t off) { return b[off] | b[off + 1] << 8 | b[off + 2] << 16 | uint32_t(b[off + 3]) << 24; }
uint16_t u16(const Bytes &b, size_t off) { return uint16_t(b[off] | b[off + 1] << 8); }
float f32(const Bytes &b, size_t off)
{
    const uint32_t v = u32(b, off);
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}

// The block a build writes without "ParGen.xml", before the checksum, for the given addresses.
Bytes expectedDefaultBlock(uint32_t channelImage, uint32_t webPages, uint32_t activeChannels)
{
    Bytes b(2048, 0);
    auto put = [&](size_t off, uint32_t v, int width) {
        for (int i = 0; i < width; ++i) b[off + size_t(i)] = uint8_t(v >> (8 * i));
    };
    put(0, 250000, 4);
    put(4, 250000, 4);
    put(12, 9600, 4);
    const uint8_t addr[] = {192, 168, 2, 205, 255, 255, 255, 0, 255, 255, 255, 255};
    for (int i = 0; i < 12; ++i) b[40 + size_t(i)] = addr[i];
    put(52, 10000, 2);
    put(54, 10001, 2);
    put(56, 10001, 2);
    for (size_t i = 436; i <= 443; ++i) b[i] = 8;
    put(1524, activeChannels, 4);
    put(1528, channelImage, 4);
    put(1804, webPages, 4);
    uint32_t sum = 0;
    for (size_t i = 0; i < 2044; ++i) sum += b[i];
    put(2044, sum, 4);
    return b;
}

class BankTest : public ChannelTest {
public:
    TBank_Images images;
    QString err;
    void SetUp() override
    {
        ChannelTest::SetUp();
        writeParGen("");  // a build needs the communication parameters
    }
    bool build() { return images.Build_Bank_Images(&err); }
    // Puts a catalog IODD into the configuration's "IODD" folder, as assigning it would.
    void installIodd(const QString &name, const IoddRecipe &recipe)
    {
        catalog(name, recipe);
        QDir().mkpath(Project_Path + "/IODD");
        ASSERT_TRUE(QFile::copy(IODD_Catalog_Dir + "/" + name, Project_Path + "/IODD/" + name));
    }
    void writeParGen(const QString &elements)
    {
        ASSERT_TRUE(platform::writeFileAtomic(ParGen_File, ("<Par_Gen>" + elements + "</Par_Gen>").toUtf8()));
    }
    void writeChannels(const QString &channels)
    {
        ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File,
                                              ("<IO-Link><IO-Link_Channels>" + channels + "</IO-Link_Channels></IO-Link>").toUtf8()));
    }
};

TEST_F(BankTest, ParameterBlockDefaultsWithoutParGen)
{
    ASSERT_TRUE(QFile::remove(ParGen_File));
    images.Init_Bank1_Defaults();
    ASSERT_TRUE(images.Read_ParGen_To_Bank1(&err));
    Bytes block;
    images.Append_Bank1_Image(0, block);
    EXPECT_EQ(block, expectedDefaultBlock(0, 0, 0));
}

TEST_F(BankTest, BuildWithoutParGenStopsAndNamesTheFile)
{
    writeChannels("<Channel><IODD_File Pin4Mode=\"DIn\"/></Channel>");
    ASSERT_TRUE(QFile::remove(ParGen_File));
    EXPECT_FALSE(build());
    EXPECT_TRUE(err.contains("\"ParGen.xml\"")) << err.toStdString();
    EXPECT_TRUE(err.contains("missing")) << err.toStdString();
    EXPECT_TRUE(images.Bank1_Image.empty());
    EXPECT_TRUE(images.Bank2_Image.empty());
}

TEST_F(BankTest, ParameterBlockFromTheWindowDefaults)
{
    TParGenData data;
    pugi::xml_document doc;
    ASSERT_TRUE(ParGen_Write(data, doc, ParGen_File, &err)) << err.toStdString();
    ASSERT_TRUE(build()) << err.toStdString();
    const Bytes &b = images.Bank1_Image;
    EXPECT_EQ(Bytes(b.begin() + 40, b.begin() + 52), (Bytes{192, 168, 0, 10, 255, 255, 255, 0, 255, 255, 255, 255}));
    EXPECT_EQ(u32(b, 400), 115200u);
    EXPECT_EQ(b[424], 0x80);  // parity NONE, end-line resistor ticked
    EXPECT_EQ(b[430], 0);
    EXPECT_EQ(u32(b, 24), 10u);
    EXPECT_EQ(b[97], 0);      // input registers ticked
    EXPECT_EQ(u16(b, 1256), 0);
    EXPECT_EQ(Bytes(b.begin() + 1340, b.begin() + 1344), Bytes(4, 0));
    EXPECT_EQ(Bytes(b.begin() + 1420, b.begin() + 1424), Bytes(4, 0));
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(&b[1644])), "1.103");
    EXPECT_EQ(b[1649], 0);
}

TEST_F(BankTest, ParameterBlockFromEveryField)
{
    writeParGen("<Eth_Conn_Device_Name>Line 4 gateway</Eth_Conn_Device_Name>"
                "<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"
                "<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>"
                "<Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1><Eth_Conn_Primary_DNS2>2</Eth_Conn_Primary_DNS2>"
                "<Eth_Conn_Primary_DNS3>3</Eth_Conn_Primary_DNS3><Eth_Conn_Primary_DNS4>4</Eth_Conn_Primary_DNS4>"
                "<Eth_Conn_Secondary_DNS1>5</Eth_Conn_Secondary_DNS1><Eth_Conn_Secondary_DNS3>x</Eth_Conn_Secondary_DNS3>"
                "<Ethernet_IP1>10</Ethernet_IP1><Ethernet_IP2>$14</Ethernet_IP2><Ethernet_IP3>300</Ethernet_IP3><Ethernet_IP4>7</Ethernet_IP4>"
                "<Ethernet_SM3>0</Ethernet_SM3>"
                "<Ethernet_GAT1>10</Ethernet_GAT1><Ethernet_GAT2>0</Ethernet_GAT2><Ethernet_GAT3>0</Ethernet_GAT3><Ethernet_GAT4>1</Ethernet_GAT4>"
                "<Ethernet_EN_GAT>1</Ethernet_EN_GAT>"
                "<Ethernet_TCP_Port>502</Ethernet_TCP_Port><MODBUS_SLAVE_SERIAL>1</MODBUS_SLAVE_SERIAL>"
                "<MODBUS_SLAVE_BAUDRATE>3</MODBUS_SLAVE_BAUDRATE><MODBUS_SLAVE_PARITY>2</MODBUS_SLAVE_PARITY>"
                "<MODBUS_SLAVE_STOPBITS>1</MODBUS_SLAVE_STOPBITS><MODBUS_SLAVE_IDDEVICE>247</MODBUS_SLAVE_IDDEVICE>"
                "<MODBUS_SLAVE_READ_INPUT_REGISTER>0</MODBUS_SLAVE_READ_INPUT_REGISTER>"
                "<MODBUS_SLAVE_READ_END_LINE_RES>1</MODBUS_SLAVE_READ_END_LINE_RES>"
                "<WebServer_Username>admin</WebServer_Username><WebServer_Password>secret7</WebServer_Password>");
    ASSERT_TRUE(build()) << err.toStdString();
    const Bytes &b = images.Bank1_Image;
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(&b[1300])), "Line 4 gateway");
    EXPECT_EQ(u16(b, 1256), 3);
    EXPECT_EQ(Bytes(b.begin() + 1420, b.begin() + 1424), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(Bytes(b.begin() + 1340, b.begin() + 1344), (Bytes{5, 8, 4, 4}));
    EXPECT_EQ(Bytes(b.begin() + 40, b.begin() + 52), (Bytes{10, 20, 44, 7, 255, 255, 0, 0, 10, 0, 0, 1}));
    EXPECT_EQ(u32(b, 400), 9600u);
    EXPECT_EQ(b[424], 0x82);
    EXPECT_EQ(b[430], 2);
    EXPECT_EQ(u32(b, 24), 247u);
    EXPECT_EQ(b[97], 0x40);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(&b[1828])), "admin");
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(&b[1836])), "secret7");
    EXPECT_EQ(b[1843], 0);
    // Everything the block does not name stays 0.
    EXPECT_EQ(u32(b, 16), 0u);
    EXPECT_EQ(u32(b, 60), 0u);
    uint32_t sum = 0;
    for (size_t i = 0; i < 2044; ++i) sum += b[i];
    EXPECT_EQ(u32(b, 2044), sum);

    // The twin differs exactly in the two addresses and the checksum.
    ASSERT_EQ(images.Bank1_ESP32_Image.size(), 2048u);
    for (size_t i = 0; i < 2048; ++i) {
        const bool differs = (i >= 1528 && i < 1532) || (i >= 1804 && i < 1808) || i >= 2044;
        if (!differs) EXPECT_EQ(b[i], images.Bank1_ESP32_Image[i]) << i;
    }
    EXPECT_EQ(u32(images.Bank1_ESP32_Image, 1528), 0x310000u);
    EXPECT_EQ(u32(images.Bank1_ESP32_Image, 1804), 0x350000u);
}

TEST_F(BankTest, SerialLineValues)
{
    const struct { const char *baud; uint32_t rate; const char *stop; uint8_t stopCode; } cases[] = {
        {"<MODBUS_SLAVE_BAUDRATE>0</MODBUS_SLAVE_BAUDRATE>", 1200, "<MODBUS_SLAVE_STOPBITS>2</MODBUS_SLAVE_STOPBITS>", 2},
        {"<MODBUS_SLAVE_BAUDRATE>8</MODBUS_SLAVE_BAUDRATE>", 9600, "<MODBUS_SLAVE_STOPBITS>3</MODBUS_SLAVE_STOPBITS>", 3},
        {"<MODBUS_SLAVE_BAUDRATE>-1</MODBUS_SLAVE_BAUDRATE>", 9600, "<MODBUS_SLAVE_STOPBITS>0</MODBUS_SLAVE_STOPBITS>", 0},
        {"<MODBUS_SLAVE_BAUDRATE>x</MODBUS_SLAVE_BAUDRATE>", 115200, "", 0},
        {"", 115200, "<MODBUS_SLAVE_STOPBITS>1</MODBUS_SLAVE_STOPBITS>", 2},
    };
    for (const auto &c : cases) {
        writeParGen(QString(c.baud) + c.stop);
        ASSERT_TRUE(build());
        EXPECT_EQ(u32(images.Bank1_Image, 400), c.rate) << c.baud;
        EXPECT_EQ(images.Bank1_Image[430], c.stopCode) << c.stop;
        EXPECT_EQ(u32(images.Bank1_Image, 24), 10u);  // missing identifier
    }
}

TEST_F(BankTest, TextsLongerThanTheirFieldsAreRefusedBeforeAnythingIsWritten)
{
    const struct { QString xml; const char *element; } cases[] = {
        {"<Eth_Conn_Device_Name>" + QString(32, 'N') + "</Eth_Conn_Device_Name>", "Eth_Conn_Device_Name"},
        {"<WebServer_Username>eightchr</WebServer_Username>", "WebServer_Username"},
        {"<WebServer_Password>12345678</WebServer_Password>", "WebServer_Password"},
    };
    for (const auto &c : cases) {
        writeParGen(c.xml);
        EXPECT_FALSE(build());
        EXPECT_TRUE(err.contains(c.element)) << err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(Project_Path + "/bin/bank1.bin"));
    }
    writeParGen("<Eth_Conn_Device_Name>" + QString(31, 'N') + "</Eth_Conn_Device_Name>");
    ASSERT_TRUE(build()) << err.toStdString();
    EXPECT_EQ(images.Bank1_Image[1330], 'N');
    EXPECT_EQ(images.Bank1_Image[1331], 0);
}

TEST_F(BankTest, HeaderOnlyChannelImage)
{
    writeChannels("<Channel><IODD_File FileName=\"\" Pin4Mode=\"IO-Link\" TimeOut=\"70000\"/></Channel>"
                  "<Channel><IODD_File FileName=\"\" Pin4Mode=\"Disable\"/></Channel>"
                  "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\" ReadPin2=\"Y\" Pin2Pos=\"12\" Pin2Bit=\"3\" Pin2Inv=\"Y\""
                  " Pin2InType=\"NPN (Pull UP)\" Pin4Pos=\"12\" Pin4Bit=\"4\" Pin4Inv=\"y\" TimeOut=\"9\"/></Channel>"
                  "<Channel><IODD_File FileName=\"missing.xml\" Pin4Mode=\"IO-Link\"/></Channel>");
    ASSERT_TRUE(build()) << err.toStdString();
    const Bytes &b = images.Bank2_Image;
    ASSERT_EQ(b.size(), 168u);
    EXPECT_EQ(u32(images.Bank1_Image, 1524), 3u);
    EXPECT_EQ(u32(images.Bank1_ESP32_Image, 1524), 3u);
    // First header: IO-Link, no records; its addresses all point past the three headers.
    EXPECT_EQ(u32(b, 20), 0x800A8u);
    EXPECT_EQ(u32(b, 24), 0x800A8u);
    EXPECT_EQ(u32(b, 28), 0x800A8u);
    EXPECT_EQ(u32(b, 52), 0x800A8u);
    EXPECT_EQ(u32(b, 32), 1u);
    EXPECT_EQ(u16(b, 14), uint16_t(70000 & 0xFFFF));
    EXPECT_EQ(u32(images.Bank2_ESP32_Image, 20), 0x3100A8u);
    // Second header: the digital input of slot 3.
    const size_t h = 56;
    EXPECT_EQ(u32(b, h + 32), 3u);
    EXPECT_EQ(b[h + 37], 1);
    EXPECT_EQ(b[h + 36], 1);
    EXPECT_EQ(u16(b, h + 38), 12);
    EXPECT_EQ(u16(b, h + 42), 3);
    EXPECT_EQ(u16(b, h + 44), 4);
    EXPECT_EQ(b[h + 46], 1);
    EXPECT_EQ(b[h + 47], 0);  // only "Y" counts
    EXPECT_EQ(b[h + 4], 2);
    EXPECT_EQ(u16(b, h + 14), 0);  // a digital channel keeps no time-out
    // Third header: slot 4, its IODD missing from the configuration.
    EXPECT_EQ(u32(b, 2 * h + 32), 4u);
    EXPECT_EQ(b[2 * h + 0], 0);
    EXPECT_EQ(u32(b, 2 * h + 16), 0u);
}

TEST_F(BankTest, RecordsFromTheChannelFile)
{
    installIodd("dev.xml", u16Input());
    writeChannels("<Channel><IODD_File FileName=\"dev.xml\" Pin4Mode=\"IO-Link\" TimeOut=\"30\"/>"
                  "<Variables>"
                  "<Variable Enable=\"True\" Index=\"64\" SubIndex=\"2\" Value=\"-1\" Position=\"600\" Bit=\"3\" Time=\"x\""
                  " On_CMD=\"True\" On_Change=\"False\" On_Timer=\"True\" Length=\"16\" Access=\" read write \" ReadTime=\"50\""
                  " ReadPos=\"700\" ReadBit=\"1\" Total_bit_length=\"32\" SubindexAccessSupported=\"1\" Bit_offset=\"16\"/>"
                  "<Variable Enable=\"true\" Index=\"65\"/>"
                  "<Variable Enable=\"True\" Index=\"66\" Access=\"Read Only\"/>"
                  "</Variables>"
                  "<ProcessData><ProcessDataIn>"
                  "<PD_Record VariableId=\"PI\" BitLength=\"16\" Gradient=\"0.5\" Offset=\"-3\" UnitCode=\"1001\" Position=\"2\" Bit=\"1\" BitOffset=\"8\"/>"
                  "<PD_Record VariableId=\"PI\" Gradient=\"abc\" BitLength=\"x\"/>"
                  "<PD_Record VariableId=\"PI\"/>"
                  "</ProcessDataIn></ProcessData>"
                  "<Events><Event Enable=\"True\" Code=\"36000\" TimeOut=\"100\" Position=\"5\" Bit=\"7\"/>"
                  "<Event Enable=\"False\" Code=\"1\"/><Event Enable=\"True\"/></Events>"
                  "</Channel>");
    platform::FormatSettings dot;
    dot.decimalSeparator = QLatin1Char('.');
    platform::ScopedFormatSettings scope(dot);
    ASSERT_TRUE(build()) << err.toStdString();
    const Bytes &b = images.Bank2_Image;
    ASSERT_EQ(b.size(), size_t(56 + 2 * 36 + 3 * 24 + 2 * 12));
    EXPECT_EQ(b[0], 2);   // COM2
    EXPECT_EQ(b[1], 2);   // parameters
    EXPECT_EQ(b[2], 3);
    EXPECT_EQ(b[3], 0);
    EXPECT_EQ(u16(b, 14), 30);
    EXPECT_EQ(u32(b, 16), 2300u);
    EXPECT_EQ(u32(b, 20), 0x80000u + 56);
    EXPECT_EQ(u32(b, 24), 0x80000u + 56 + 72);
    EXPECT_EQ(u32(b, 28), 0x80000u + 56 + 72 + 72);
    EXPECT_EQ(u32(b, 48), 2u);
    EXPECT_EQ(u32(b, 52), 0x80000u + 56 + 72 + 72);

    size_t p = 56;  // first parameter
    EXPECT_EQ(u16(b, p + 0), 64);
    EXPECT_EQ(b[p + 2], 2);
    EXPECT_EQ(b[p + 3], 0x2 | 0x4 | 0x8);
    EXPECT_EQ(u32(b, p + 4), 0xFFFFFFFFu);
    EXPECT_EQ(u16(b, p + 8), 700);
    EXPECT_EQ(b[p + 10], 1);
    EXPECT_EQ(b[p + 11], 3);
    EXPECT_EQ(u16(b, p + 12), 600);
    EXPECT_EQ(u16(b, p + 14), 16);
    EXPECT_EQ(u32(b, p + 16), 1000u);  // "x" is no number
    EXPECT_EQ(u32(b, p + 24), 32u);
    EXPECT_EQ(b[p + 28], 1);
    EXPECT_EQ(u16(b, p + 30), 50);
    EXPECT_EQ(u32(b, p + 32), 16u);
    p += 36;  // second parameter: index 66, read only, no time
    EXPECT_EQ(u16(b, p), 66);
    EXPECT_EQ(b[p + 3], 0);
    EXPECT_EQ(u32(b, p + 16), 0u);
    p += 36;  // process data
    EXPECT_FLOAT_EQ(f32(b, p), 0.5f);
    EXPECT_EQ(u16(b, p + 4), 1001);
    EXPECT_EQ(u32(b, p + 8), 8u);
    EXPECT_EQ(u32(b, p + 12), uint32_t(-3));
    EXPECT_EQ(u32(b, p + 16), 16u);
    EXPECT_EQ(u16(b, p + 20), 2);
    EXPECT_EQ(u16(b, p + 22), 1);
    EXPECT_FLOAT_EQ(f32(b, p + 24), 1.0f);  // "abc"
    EXPECT_EQ(u32(b, p + 24 + 16), 1u);     // bit length "x"
    EXPECT_FLOAT_EQ(f32(b, p + 48), 0.0f);  // no gradient
    p += 72;  // events
    EXPECT_EQ(u32(b, p), 100u);
    EXPECT_EQ(u16(b, p + 4), 36000);
    EXPECT_EQ(u16(b, p + 6), 5);
    EXPECT_EQ(b[p + 8], 7);
    EXPECT_EQ(Bytes(b.begin() + long(p + 9), b.begin() + long(p + 12)), Bytes(3, 0));
    EXPECT_EQ(u16(b, p + 12 + 4), 0);  // enabled event without a code

    // The twin: same length, only the four address fields of the header differ.
    const Bytes &e = images.Bank2_ESP32_Image;
    ASSERT_EQ(e.size(), b.size());
    for (size_t i = 0; i < b.size(); ++i) {
        const bool address = (i >= 20 && i < 32) || (i >= 52 && i < 56);
        if (address) EXPECT_EQ(u32(e, i - (i % 4)) - u32(b, i - (i % 4)), 0x310000u - 0x80000u) << i;
        else EXPECT_EQ(e[i], b[i]) << i;
    }
}

// The channel table accepts a gradient with either separator, so its file may hold either.
TEST_F(BankTest, GradientsWithEitherSeparator)
{
    installIodd("dev.xml", u16Input());
    writeChannels("<Channel><IODD_File FileName=\"dev.xml\" Pin4Mode=\"IO-Link\"/><ProcessData><ProcessDataIn>"
                  "<PD_Record Gradient=\"0,5\"/><PD_Record Gradient=\"1,5\"/><PD_Record Gradient=\"0.5\"/>"
                  "<PD_Record Gradient=\" -2,25 \"/><PD_Record Gradient=\"abc\"/><PD_Record Gradient=\"\"/><PD_Record/>"
                  "</ProcessDataIn></ProcessData></Channel>");
    const float expected[] = {0.5f, 1.5f, 0.5f, -2.25f, 1.0f, 1.0f, 0.0f};
    const struct { const char *name; platform::FormatSettings settings; } locales[] = {
        {"decimal point", testsupport::usSettings()}, {"decimal comma", testsupport::europeanSettings()}};
    for (const auto &l : locales) {
        platform::ScopedFormatSettings scope(l.settings);
        ASSERT_TRUE(build()) << err.toStdString();
        const size_t first = 56;
        ASSERT_EQ(images.Bank2_Image.size(), first + 7 * 24) << l.name;
        for (size_t i = 0; i < 7; ++i)
            EXPECT_FLOAT_EQ(f32(images.Bank2_Image, first + 24 * i), expected[i]) << l.name << ", record " << i;
    }
}

// A variable's value travels in 32 bits: unsigned values above 2^31 - 1 keep their bits.
TEST_F(BankTest, UnsignedValuesKeepTheir32Bits)
{
    parGen("GW41520-A1-4A");
    ASSERT_TRUE(table.Create_Channels());
    IoddRecipe recipe;
    recipe.variables =
        "<Variable id=\"V_U32\" index=\"68\" accessRights=\"rw\"><Datatype xsi:type=\"UIntegerT\" bitLength=\"32\"/><Name textId=\"T_Var\"/></Variable>"
        "<Variable id=\"V_U32b\" index=\"69\" accessRights=\"rw\"><Datatype xsi:type=\"UIntegerT\" bitLength=\"32\"/><Name textId=\"T_Var\"/></Variable>"
        "<Variable id=\"V_I32\" index=\"70\" accessRights=\"rw\"><Datatype xsi:type=\"IntegerT\" bitLength=\"32\"/><Name textId=\"T_Var\"/></Variable>";
    assign(0, "dev.xml", recipe);
    auto &ch = table.Channels[0];
    const struct { const char *index, *value, *position; uint32_t bits; } cases[] = {
        {"68", "2147483648", "600", 0x80000000u}, {"69", "4000000000", "604", 0xEE6B2800u},
        {"70", "-2147483648", "608", 0x80000000u}};
    for (const auto &c : cases) {
        TVarObjValue &v = ch.Var_List[size_t(ch.Get_Index(c.index, ""))];
        v.Enable = true;
        v.Value = c.value;
        v.Position = c.position;
    }
    ASSERT_TRUE(table.Check_Configuration()) << messages.join("\n").toStdString();
    ASSERT_TRUE(table.Save_Configuration(&err)) << err.toStdString();
    ASSERT_TRUE(build()) << err.toStdString();
    const Bytes &b = images.Bank2_Image;
    ASSERT_EQ(b[1], 3);
    for (size_t i = 0; i < 3; ++i) {
        const size_t p = 56 + 36 * i;
        EXPECT_EQ(u16(b, p), uint16_t(std::stoi(cases[i].index)));
        EXPECT_EQ(u32(b, p + 4), cases[i].bits) << cases[i].value;
    }
}

// A hand-edited value that 32 bits cannot carry stops the build instead of becoming 0.
TEST_F(BankTest, ValuesBeyond32BitsStopTheBuild)
{
    installIodd("dev.xml", IoddRecipe{});
    for (const char *value : {"4294967296", "-2147483649", "99999999999999999999"}) {
        writeChannels(QString("<Channel><IODD_File FileName=\"dev.xml\" Pin4Mode=\"IO-Link\"/><Variables>"
                              "<Variable Enable=\"True\" Index=\"69\" SubIndex=\"0\" Value=\"%1\"/></Variables></Channel>").arg(value));
        EXPECT_FALSE(build()) << value;
        EXPECT_EQ(err, QString("Channel #01: the value %1 of variable Index 69 and SubIndex 0 does not fit in 32 bits. "
                               "Correct it in IO-Link Set Access.").arg(value));
    }
    // Hexadecimal and the largest unsigned value keep their bits; a text that is no number stays 0.
    const struct { const char *value; uint32_t bits; } kept[] = {
        {"0xEE6B2800", 0xEE6B2800u}, {"4294967295", 0xFFFFFFFFu}, {"-1", 0xFFFFFFFFu}, {"x", 0}};
    for (const auto &k : kept) {
        writeChannels(QString("<Channel><IODD_File FileName=\"dev.xml\" Pin4Mode=\"IO-Link\"/><Variables>"
                              "<Variable Enable=\"True\" Index=\"69\" Value=\"%1\"/></Variables></Channel>").arg(k.value));
        ASSERT_TRUE(build()) << err.toStdString();
        EXPECT_EQ(u32(images.Bank2_Image, 56 + 4), k.bits) << k.value;
    }
}

// Only the saved variant's ports reach the images and the count; kind B first.
TEST_F(BankTest, OnlyTheVariantsPortsAreWritten)
{
    QString eight;
    for (int i = 0; i < 8; ++i)
        eight += "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\" ReadPin2=\"Y\" Pin4Pos=\"" + QString::number(i) + "\"/></Channel>";
    writeChannels(eight);
    const struct { const char *variant; uint32_t ports; } cases[] = {
        {"GW41520-A1-4A", 4}, {"gw41520-a1-2b", 2}, {"GW41520-A1-2A-4B", 6}, {"GW41520-A1-6A", 6},
        {"GW41520-A1-9Z", 8}, {"", 8}};
    for (const auto &c : cases) {
        parGen(c.variant);
        ASSERT_TRUE(build()) << err.toStdString();
        EXPECT_EQ(images.Bank2_Image.size(), 56u * c.ports) << c.variant;
        EXPECT_EQ(images.Bank2_ESP32_Image.size(), 56u * c.ports) << c.variant;
        EXPECT_EQ(u32(images.Bank1_Image, 1524), c.ports) << c.variant;
        EXPECT_EQ(u32(images.Bank1_ESP32_Image, 1524), c.ports) << c.variant;
        for (uint32_t h = 0; h < c.ports && 56 * h < images.Bank2_Image.size(); ++h) {
            EXPECT_EQ(u32(images.Bank2_Image, 56 * h + 32), h + 1) << c.variant;
            EXPECT_EQ(u16(images.Bank2_Image, 56 * h + 40), h) << c.variant;
        }
    }
}

// Kind-B ports never read pin 2, whatever the file says.
TEST_F(BankTest, ReadPin2OnlyOnKindAPorts)
{
    parGen("GW41520-A1-2A-2B");
    writeChannels("<Channel><IODD_File FileName=\"\" Pin4Mode=\"IO-Link\" ReadPin2=\"Y\" Pin2Pos=\"3\"/></Channel>"
                  "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\" ReadPin2=\"Y\" Pin2Pos=\"4\"/></Channel>"
                  "<Channel><IODD_File FileName=\"\" Pin4Mode=\"IO-Link\" ReadPin2=\"Y\" Pin2Pos=\"5\"/></Channel>"
                  "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\" ReadPin2=\"Y\" Pin2Pos=\"6\"/></Channel>");
    ASSERT_TRUE(build()) << err.toStdString();
    const uint8_t readPin2[] = {0, 0, 1, 1};  // two B ports, then two A ports
    for (const Bytes *image : {&images.Bank2_Image, &images.Bank2_ESP32_Image}) {
        ASSERT_EQ(image->size(), 4u * 56);
        for (size_t h = 0; h < 4; ++h) EXPECT_EQ((*image)[56 * h + 36], readPin2[h]) << "port " << h + 1;
    }
}

TEST_F(BankTest, OversizedListsAndImagesStopTheBuild)
{
    QString variables;
    for (int i = 0; i < 256; ++i) variables += QString("<Variable Enable=\"True\" Index=\"%1\"/>").arg(i);
    installIodd("dev.xml", IoddRecipe{});
    writeChannels("<Channel><IODD_File FileName=\"dev.xml\" Pin4Mode=\"IO-Link\"/><Variables>" + variables + "</Variables></Channel>");
    EXPECT_FALSE(build());
    EXPECT_EQ(err.toStdString(), "Channel #01 has 256 parameter records; the device takes at most 255.");

    QString events;
    for (int i = 0; i < 11000; ++i) events += "<Event Enable=\"True\"/>";
    writeChannels("<Channel><IODD_File FileName=\"dev.xml\" Pin4Mode=\"IO-Link\"/><Events>" + events + "</Events></Channel>");
    EXPECT_FALSE(build());
    EXPECT_TRUE(err.startsWith("The IO-Link channel image needs 132056 bytes; the ESP32 controller has room for 131072.")) << err.toStdString();
}

TEST_F(BankTest, UnreadableFilesStopTheBuild)
{
    writeChannels("<Channel>");
    ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File, "<IO-Link><IO-Link_Channels>"));
    EXPECT_FALSE(build());
    EXPECT_FALSE(err.isEmpty());
    ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File, "<IO-Link/>"));
    ASSERT_TRUE(platform::writeFileAtomic(ParGen_File, "not xml"));
    EXPECT_FALSE(build());
}

// The image is read from the same channels whatever declaration or comments the file holds; a file
// of another kind, or an IODD name leading out of the configuration's "IODD" folder, stops the build.
TEST_F(BankTest, ChannelFileReadByItsRootElementOnly)
{
    installIodd("dev.xml", u16Input());
    testsupport::writeFile(Project_Path + "/outside.xml", makeIodd(u16Input()));
    const QByteArray channels =
        "<IO-Link_Channels>%C<Channel><IODD_File FileName=\"%F\" Pin4Mode=\"IO-Link\" TimeOut=\"9\"/><Variables>%C"
        "<Variable Enable=\"True\" Index=\"64\" Value=\"5\" Position=\"600\"/></Variables></Channel>%C"
        "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\" Pin4Pos=\"21\"/></Channel></IO-Link_Channels>";
    auto file = [&](const char *before, const char *comment, const char *name, const char *root = "IO-Link") {
        return QByteArray(before) + "<" + root + ">" + QByteArray(channels).replace("%C", comment).replace("%F", name) + "</" + root + ">";
    };
    ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File, file("", "", "dev.xml")));
    ASSERT_TRUE(build()) << err.toStdString();
    const Bytes plain = images.Bank2_Image;
    ASSERT_GT(plain.size(), 2u * 56);

    const struct { const char *name; QByteArray file; QString error; } cases[] = {
        {"declaration and comments", file("<?xml version=\"1.0\"?><!-- by hand -->", "<!-- c -->", "dev.xml"), ""},
        {"other root", file("", "", "dev.xml", "Par_Gen"),
         "Error!! " + IOLink_SetAccess_File + " is not an IO-Link channel file: its root element is \"Par_Gen\", not \"IO-Link\""},
        {"name leaving the folder", file("", "", "../outside.xml"),
         "Error in Channel #01!! The IODD file name ../outside.xml is not a plain file name"},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(platform::writeFileAtomic(IOLink_SetAccess_File, c.file));
        err.clear();
        EXPECT_EQ(build(), c.error.isEmpty()) << c.name;
        EXPECT_EQ(err.toStdString(), c.error.toStdString()) << c.name;
        if (c.error.isEmpty()) EXPECT_EQ(images.Bank2_Image, plain) << c.name;
    }
}

// Bytes that are not UTF-8 (a Latin-1 "ü") stop the build with the file and its line.
TEST_F(BankTest, FilesWithLatin1BytesStopTheBuild)
{
    const struct { QString path; QByteArray bytes; } cases[] = {
        {ParGen_File, "<Par_Gen>\n<Eth_Conn_Device_Name>Pr\xFC" "fung</Eth_Conn_Device_Name></Par_Gen>"},
        {IOLink_SetAccess_File, "<IO-Link><IO-Link_Channels>\n<Channel><IODD_File FileName=\"Pr\xFC" "fung.xml\""
                                " Pin4Mode=\"DIn\"/></Channel></IO-Link_Channels></IO-Link>"},
    };
    for (const auto &c : cases) {
        writeParGen("");
        writeChannels("");
        ASSERT_TRUE(platform::writeFileAtomic(c.path, c.bytes));
        EXPECT_FALSE(build()) << c.path.toStdString();
        EXPECT_TRUE(err.startsWith(c.path + ", line 2: ")) << err.toStdString();
    }
}

TEST_F(BankTest, SaveWritesTheFourFiles)
{
    writeChannels("<Channel><IODD_File Pin4Mode=\"DOut\"/></Channel>");
    ASSERT_TRUE(Create_Bank_Images(&err)) << err.toStdString();
    ASSERT_TRUE(Save_Bank_Files(&err)) << err.toStdString();
    const struct { const char *name; qint64 size; } files[] = {
        {"bank1.bin", 2048}, {"bank2.bin", 56}, {"bank1_ESP32.bin", 2048}, {"bank2_ESP32.bin", 56}};
    for (const auto &f : files) EXPECT_EQ(QFileInfo(Project_Path + "/bin/" + f.name).size(), f.size) << f.name;
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(Project_Path + "/bin/bank2.bin", bytes));
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), Bank_Images().Bank2_Image);

    // A "bin" that cannot be written is reported, not passed over.
    QDir(Project_Path + "/bin").removeRecursively();
    ASSERT_TRUE(platform::writeFileAtomic(Project_Path + "/bin", "a file where the folder should be"));
    EXPECT_FALSE(Save_Bank_Files(&err));
    EXPECT_FALSE(err.isEmpty());
}

} // namespace
