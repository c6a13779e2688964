#include "ChannelFixture.h"

#include "platform/FormatSettings.h"

#include <functional>

namespace {

// One IO-Link channel with a 16-bit input, a 16-bit output, two events and a few variables.
class CheckTest : public ChannelTest {
public:
    void SetUp() override
    {
        ChannelTest::SetUp();
        parGen("GW41520-A1-4A");
        ASSERT_TRUE(table.Create_Channels());
        IoddRecipe recipe;
        recipe.pdIn = kU16;
        recipe.pdInBits = 16;
        recipe.pdOut = kU16;
        recipe.pdOutBits = 16;
        recipe.ownEvents = 2;
        recipe.variables =
            "<Variable id=\"V_U8\" index=\"64\" accessRights=\"rw\"><Datatype xsi:type=\"UIntegerT\" bitLength=\"8\"/><Name textId=\"T_Var\"/></Variable>"
            "<Variable id=\"V_I8\" index=\"65\" accessRights=\"rw\"><Datatype xsi:type=\"IntegerT\" bitLength=\"8\"/><Name textId=\"T_Var\"/></Variable>"
            "<Variable id=\"V_Arr\" index=\"66\" accessRights=\"rw\"><Datatype xsi:type=\"ArrayT\" count=\"3\" subindexAccessSupported=\"false\">"
            + simple("UIntegerT", 8) + "</Datatype><Name textId=\"T_Var\"/></Variable>"
            "<Variable id=\"V_RO\" index=\"67\" accessRights=\"ro\"><Datatype xsi:type=\"UIntegerT\" bitLength=\"8\"/><Name textId=\"T_Var\"/></Variable>"
            "<Variable id=\"V_U32\" index=\"68\" accessRights=\"rw\"><Datatype xsi:type=\"UIntegerT\" bitLength=\"32\"/><Name textId=\"T_Var\"/></Variable>"
            "<Variable id=\"V_U64\" index=\"69\" accessRights=\"rw\"><Datatype xsi:type=\"UIntegerT\" bitLength=\"64\"/><Name textId=\"T_Var\"/></Variable>"
            "<Variable id=\"V_I64\" index=\"70\" accessRights=\"rw\"><Datatype xsi:type=\"IntegerT\" bitLength=\"64\"/><Name textId=\"T_Var\"/></Variable>"
            "<Variable id=\"V_U40\" index=\"71\" accessRights=\"rw\"><Datatype xsi:type=\"UIntegerT\" bitLength=\"40\"/><Name textId=\"T_Var\"/></Variable>"
            "<Variable id=\"V_I40\" index=\"72\" accessRights=\"rw\"><Datatype xsi:type=\"IntegerT\" bitLength=\"40\"/><Name textId=\"T_Var\"/></Variable>";
        assign(0, "dev.xml", recipe);
    }
    TVarObjValue &var(const QString &index, const QString &sub = "")
    {
        return table.Channels[0].Var_List[size_t(table.Channels[0].Get_Index(index, sub))];
    }
    TProcDataObjValue &pdIn() { return (*table.Channels[0].ProcDataIn_List)[0]; }
    TProcDataObjValue &pdOut() { return (*table.Channels[0].ProcDataOut_List)[0]; }
};

struct CheckCase {
    const char *name;
    std::function<void(CheckTest &)> edit;
    bool ok;
    QStringList messages;
};

TEST_F(CheckTest, RulesAndTheirMessages)
{
    const CheckCase cases[] = {
        {"as placed", [](CheckTest &) {}, true, {}},
        {"disabled channel with nonsense passes",
         [](CheckTest &t) { t.table.Channels[1].Pin4Mode = "Disable"; t.table.Channels[1].Pin4_Pos = "abc"; }, true, {}},
        {"IO-Link without IODD", [](CheckTest &t) { t.table.Channels[1].Pin4Mode = "IO-Link"; }, false,
         {"E: Error in Channel #02!! Must Select an IODD file for use this channel"}},
        {"time-out above 65000", [](CheckTest &t) { t.table.Channels[0].TimeOut = "65001"; }, false,
         {"E: Error in Channel #01!! TimeOut must be between 0 and 65000 seconds"}},
        {"time-out with a blank", [](CheckTest &t) { t.table.Channels[0].TimeOut = "5 "; }, false,
         {"E: Error in Channel #01!! TimeOut must be between 0 and 65000 seconds"}},
        {"enabled writable variable without value", [](CheckTest &t) { t.var("64").Enable = true; }, false,
         {"E: Error in Channel #01!! Variable Index 64 and SubIndex  cannot be embty"}},
        {"read-only variable needs no value", [](CheckTest &t) { t.var("67").Enable = true; }, true, {}},
        {"UIntegerT 8 takes 255", [](CheckTest &t) { t.var("64").Enable = true; t.var("64").Value = "255"; }, true, {}},
        {"UIntegerT 8 refuses 256", [](CheckTest &t) { t.var("64").Enable = true; t.var("64").Value = "256"; }, false,
         {"E: Error in Channel #01!! Variable Index 64 and SubIndex  Value Error"}},
        {"UIntegerT 8 refuses letters", [](CheckTest &t) { t.var("64").Enable = true; t.var("64").Value = "abc"; }, false,
         {"E: Error in Channel #01!! Variable Index 64 and SubIndex  Value Error"}},
        {"IntegerT 8 takes -128", [](CheckTest &t) { t.var("65").Enable = true; t.var("65").Value = "-128"; }, true, {}},
        {"IntegerT 8 refuses 128", [](CheckTest &t) { t.var("65").Enable = true; t.var("65").Value = "128"; }, false,
         {"E: Error in Channel #01!! Variable Index 65 and SubIndex  Value Error"}},
        // The device takes a value in 32 bits: wider types keep to what 32 bits carry.
        {"UIntegerT 32 takes 4000000000", [](CheckTest &t) { t.var("68").Enable = true; t.var("68").Value = "4000000000"; }, true, {}},
        {"UIntegerT 64 takes 4294967295", [](CheckTest &t) { t.var("69").Enable = true; t.var("69").Value = "4294967295"; }, true, {}},
        {"UIntegerT 64 refuses 4294967296", [](CheckTest &t) { t.var("69").Enable = true; t.var("69").Value = "4294967296"; }, false,
         {"E: Error in Channel #01!! Variable Index 69 and SubIndex  Value Error"}},
        {"IntegerT 64 takes -2147483648", [](CheckTest &t) { t.var("70").Enable = true; t.var("70").Value = "-2147483648"; }, true, {}},
        {"IntegerT 64 refuses -2147483649", [](CheckTest &t) { t.var("70").Enable = true; t.var("70").Value = "-2147483649"; }, false,
         {"E: Error in Channel #01!! Variable Index 70 and SubIndex  Value Error"}},
        {"IntegerT 64 refuses 2147483648", [](CheckTest &t) { t.var("70").Enable = true; t.var("70").Value = "2147483648"; }, false,
         {"E: Error in Channel #01!! Variable Index 70 and SubIndex  Value Error"}},
        {"UIntegerT 64 takes 0", [](CheckTest &t) { t.var("69").Enable = true; t.var("69").Value = "0"; }, true, {}},
        {"IntegerT 40 takes -1", [](CheckTest &t) { t.var("72").Enable = true; t.var("72").Value = "-1"; }, true, {}},
        {"UIntegerT 40 takes 4294967295", [](CheckTest &t) { t.var("71").Enable = true; t.var("71").Value = "4294967295"; }, true, {}},
        {"array element 3 of 3 is in range",
         [](CheckTest &t) { for (auto s : {"1", "2", "3"}) { t.var("66", s).Enable = true; t.var("66", s).Value = "7"; } }, true, {}},
        {"array parts without subindex access go together",
         [](CheckTest &t) { t.var("66", "2").Enable = true; t.var("66", "2").Value = "1"; }, false,
         {"E: Error in Channel #01!! Variable Index 66 must be all selected or unselected"}},
        {"position below 512 warns and goes on",
         [](CheckTest &t) { t.var("67").Enable = true; t.var("67").Position = "100"; t.var("67").ReadPos = "513"; }, true,
         {"W: Warning in Channel #01!! Position of Variable Index 67 and SubIndex  must be a valid value, should be major of 512"}},
        {"negative position", [](CheckTest &t) { t.var("67").Enable = true; t.var("67").Position = "-1"; }, false,
         {"E: Error in Channel #01!! Position of Variable Index 67 and SubIndex  must be a valid value, better if major of 512"}},
        {"read time above 65535", [](CheckTest &t) { t.var("67").Enable = true; t.var("67").ReadTime = "65536"; }, false,
         {"E: Error in Channel #01!! Read Time of Variable Index 67 and SubIndex  must be between 0 and 65535"}},
        {"read position warning then error elsewhere",
         [](CheckTest &t) { t.var("67").Enable = true; t.var("67").ReadPos = "10"; t.table.Channels[0].Event_List[0].TimeOut = "x"; }, false,
         {"W: Warning in Channel #01!! Read Position of Variable Index 67 and SubIndex  must be a valid value, should be major of 512",
          "E: Error in Channel #01!! Event Code 36000, TimeOut must be beetwen 0 and 100000000"}},
        {"gradient that is no number", [](CheckTest &t) { t.pdIn().gradient = "x"; }, false,
         {"E: Error in Channel #01!! ProcessData In Index PI and SubIndex  Gradient must be a valid float value"}},
        {"gradient with a comma", [](CheckTest &t) { t.pdIn().gradient = "1,5"; t.pdOut().gradient = "2.5"; }, true, {}},
        {"offset -32768", [](CheckTest &t) { t.pdIn().offset = "-32768"; }, true, {}},
        {"offset 32768", [](CheckTest &t) { t.pdOut().offset = "32768"; }, false,
         {"E: Error in Channel #01!! ProcessData Out Index PO and SubIndex  Offset must be a valid value"}},
        {"position past the area", [](CheckTest &t) { t.pdIn().position = "1439"; }, false,
         {"E: Error in Channel #01!! ProcessData In Index PI and SubIndex  Position must be a valid value [0..1438]"}},
        {"start bit 8", [](CheckTest &t) { t.pdOut().bit = "8"; }, false,
         {"E: Error in Channel #01!! ProcessData Out Index PO and SubIndex  Start Bit must be a valid value [0..7]"}},
        {"event position 1439", [](CheckTest &t) { t.table.Channels[0].Event_List[1].Position = "1439"; }, false,
         {"E: Error in Channel #01!! Event Code 36001, Position must be a valid value [0..1438]"}},
        {"input end past the area",
         [](CheckTest &t) { t.table.Channels[0].Event_List.clear(); t.pdIn().position = "1437"; }, false,
         {"E: Error!! Too many bytes used in ProcessData In (#1439)"}},
        {"output end past the area", [](CheckTest &t) { t.pdOut().position = "1437"; }, false,
         {"E: Error!! Too many bytes used in ProcessData Out (#1439)"}},
        {"pin 2 of a digital input", [](CheckTest &t) {
             auto &c = t.table.Channels[1]; c.Pin4Mode = "DIn"; c.ReadPin2 = "Y"; c.Pin2_Pos = "2000"; }, false,
         {"E: Error in Channel #02!! I/O Options, Pin 2, Position must be a valid value [0..1438]"}},
        {"pin 4 bit of a digital output", [](CheckTest &t) {
             auto &c = t.table.Channels[1]; c.Pin4Mode = "DOut"; c.Pin4_Pos = "20"; c.Pin4_Bit = "9"; }, false,
         {"E: Error in Channel #02!! I/O Options, Pin 4, Start Bit must be a valid value [0..7]"}},
        {"pin 2 of kind B is not read", [](CheckTest &t) {
             auto &c = t.table.Channels[1]; c.TypeA = false; c.Pin4Mode = "DIn"; c.ReadPin2 = "Y"; c.Pin2_Pos = "x";
             c.Pin4_Pos = "30"; c.Pin4_Bit = "0"; }, true, {}},
    };
    for (const auto &c : cases) {
        SetUp();
        c.edit(*this);
        messages.clear();
        EXPECT_EQ(table.Check_Configuration(), c.ok) << c.name;
        EXPECT_EQ(messages.join("\n").toStdString(), c.messages.join("\n").toStdString()) << c.name;
    }
}

// Types wider than 32 bits refuse what is no number or lies outside their range like the narrow ones.
TEST_F(CheckTest, WideIntegersRefuseNonNumbersAndOutOfRangeValues)
{
    const struct { const char *index, *value; } cases[] = {
        {"69", "abc"}, {"69", "18446744073709551616"}, {"69", "18446744073709551615"}, {"69", "-1"}, {"69", "1e3"},
        {"70", "abc"}, {"70", "18446744073709551616"}, {"70", "-9223372036854775809"}, {"70", "9223372036854775808"},
        {"71", "abc"}, {"71", "1099511627776"}, {"71", "-1"}, {"71", "99999999999999999999999"},
        {"72", "abc"}, {"72", "1099511627776"}, {"72", "-549755813889"}, {"72", "$"},
        {"68", "0x100000000"}, {"68", ""},
    };
    for (const auto &c : cases) {
        SetUp();
        var(c.index).Enable = true;
        var(c.index).Value = c.value;
        messages.clear();
        EXPECT_FALSE(table.Check_Configuration()) << c.index << " " << c.value;
        const QString expected = *c.value ? "E: Error in Channel #01!! Variable Index %1 and SubIndex  Value Error"
                                          : "E: Error in Channel #01!! Variable Index %1 and SubIndex  cannot be embty";
        EXPECT_EQ(messages.join("\n").toStdString(), expected.arg(c.index).toStdString()) << c.value;
        // The check itself refuses, not only the 32-bit carrier test of the image.
        TSimpleDataType t;
        t.ActualSimpleDataType = QString(c.index) == "70" || QString(c.index) == "72" ? asdtIntegerT : asdtUIntegerT;
        t.BitLength = QString(c.index) == "69" || QString(c.index) == "70" ? 64 : QString(c.index) == "68" ? 32 : 40;
        EXPECT_FALSE(TIOLink_Channel_Table::Check_SimpleDataType(t, c.value)) << c.index << " " << c.value;
    }
}

TEST_F(CheckTest, SecondChannelMustStartBehindTheFirst)
{
    IoddRecipe recipe;
    recipe.pdIn = kU16;
    recipe.pdInBits = 16;
    assign(1, "dev2.xml", recipe);
    EXPECT_TRUE(table.Check_Configuration()) << messages.join("\n").toStdString();
    // Channel 0: input data in bytes 0-1, pin byte 2, its one remaining event flag at byte 3 bit 0.
    // The flag occupies byte 3 although it sits at bit 0, so channel 1 cannot start there.
    table.Channels[0].Event_List.pop_back();
    (*table.Channels[1].ProcDataIn_List)[0].position = "3";
    messages.clear();
    EXPECT_FALSE(table.Check_Configuration());
    EXPECT_EQ(messages.join("\n").toStdString(), "E: Error in Channel #02!! ProcessData In Position must start at index #04!");
}

TEST_F(CheckTest, NoTwoItemsShareABit)
{
    IoddRecipe recipe;
    recipe.pdIn = kU16;
    recipe.pdInBits = 16;
    assign(1, "dev2.xml", recipe);
    // Pin 2 read into byte 0, where channel 0's own input data lie.
    table.Channels[0].ReadPin2 = "Y";
    table.Channels[0].Pin2_Pos = "0";
    table.Channels[0].Pin2_Bit = "3";
    messages.clear();
    EXPECT_FALSE(table.Check_Configuration());
    EXPECT_EQ(messages.join("\n").toStdString(),
              "E: Error in Channel #01!! ProcessData In Index PI and SubIndex  overlaps Pin 2 of Channel #01 at byte 0, bit 3");

    // Channel 1 reads its pin 2 into the bit of an enabled event of channel 0.
    SetUp();
    assign(1, "dev2.xml", recipe);
    table.Channels[0].Event_List[0].Enable = true;
    table.Channels[1].ReadPin2 = "Y";
    table.Channels[1].Pin2_Pos = table.Channels[0].Event_List[0].Position;
    table.Channels[1].Pin2_Bit = "0";
    messages.clear();
    EXPECT_FALSE(table.Check_Configuration());
    EXPECT_EQ(messages.join("\n").toStdString(),
              "E: Error in Channel #02!! Pin 2 overlaps Event Code 36000 of Channel #01 at byte 3, bit 0");

    // Two enabled variables writing the same bytes.
    SetUp();
    for (const char *index : {"64", "65"}) {
        var(index).Enable = true;
        var(index).Value = "1";
        var(index).Position = "600";
    }
    messages.clear();
    EXPECT_FALSE(table.Check_Configuration());
    EXPECT_EQ(messages.join("\n").toStdString(),
              "E: Error in Channel #01!! Variable Index 65 and SubIndex  overlaps Variable Index 64 and SubIndex  of Channel #01 at byte 600, bit 0");

    // A language file translates the message and the names of the items in it.
    const struct { int slot; const char *text; } translated[] = {
        {1738, "Kanal %.2d: %s liegt auf %s von Kanal %.2d, Byte %d, Bit %d"},
        {1744, "Variable %s/%s"},
        {1745, "Lesestelle der Variable %s/%s"},
    };
    for (const auto &t : translated) Lang_Texts[t.slot] = t.text;
    var("65").ReadPos = "600";
    var("64").ReadPos = "600";
    var("65").Position = "601";
    messages.clear();
    EXPECT_FALSE(table.Check_Configuration());
    EXPECT_EQ(messages.join("\n").toStdString(), "E: Kanal 01: Lesestelle der Variable 65/ liegt auf Lesestelle der Variable 64/ von Kanal 01, Byte 600, Bit 0");
}

TEST_F(CheckTest, FloatValuesFollowTheLocaleSeparator)
{
    TSimpleDataType f;
    f.ActualSimpleDataType = asdtFloat32T;
    platform::FormatSettings s;
    s.decimalSeparator = QLatin1Char(',');
    platform::ScopedFormatSettings scope(s);
    EXPECT_TRUE(TIOLink_Channel_Table::Check_SimpleDataType(f, "1,5"));
    EXPECT_FALSE(TIOLink_Channel_Table::Check_SimpleDataType(f, "1.5"));
    EXPECT_FALSE(TIOLink_Channel_Table::Check_SimpleDataType(f, "x"));
    TSimpleDataType b;
    b.ActualSimpleDataType = asdtBooleanT;
    EXPECT_TRUE(TIOLink_Channel_Table::Check_SimpleDataType(b, "1"));
    EXPECT_FALSE(TIOLink_Channel_Table::Check_SimpleDataType(b, "2"));
    TSimpleDataType u32;
    u32.ActualSimpleDataType = asdtUIntegerT;
    u32.BitLength = 32;
    EXPECT_TRUE(TIOLink_Channel_Table::Check_SimpleDataType(u32, "4294967295"));
    EXPECT_FALSE(TIOLink_Channel_Table::Check_SimpleDataType(u32, "4294967296"));
}

} // namespace

namespace {

// Every real device description, placed automatically, passes the check: alone on port 1, and
// eight at a time on the eight ports one below the other.
TEST_F(ChannelTest, RealIoddsPlacedAutomaticallyPassTheCheck)
{
    SKIP_WITHOUT_SHARED_IODD();
    const QString corpus = testsupport::sharedIoddDir();
    IOLink_StaDef_Dir = corpus + "/standard/";
    QStringList devices;
    for (const QString &name : QDir(corpus + "/devices").entryList({"*.xml"}, QDir::Files, QDir::Name)) {
        ASSERT_TRUE(QFile::copy(corpus + "/devices/" + name, IODD_Catalog_Dir + "/" + name));
        ASSERT_TRUE(table.Create_Channels());
        QString err;
        // Language files and the one broken description are no devices to place.
        if (!table.Assign_IODD(0, name, &err)) continue;
        devices << name;
        table.Channels[0].Pin4Mode = "IO-Link";
        messages.clear();
        EXPECT_TRUE(table.Check_Configuration()) << name.toStdString() << ": " << messages.join("\n").toStdString();
    }
    EXPECT_GE(devices.size(), 25);
    for (const QString needed : {"S15C-IU.xml", "STEGO-SmartSensor-CSS014-08-20190726-IODD1.1.xml"})
        EXPECT_TRUE(devices.contains(needed)) << needed.toStdString();

    for (qsizetype first = 0; first < devices.size(); first += 8) {
        ASSERT_TRUE(table.Create_Channels());
        QStringList placed;
        for (int c = 0; c < 8 && first + c < devices.size(); ++c) {
            ASSERT_TRUE(table.Assign_IODD(c, devices[first + c]));
            table.Channels[size_t(c)].Pin4Mode = "IO-Link";
            placed << devices[first + c];
        }
        messages.clear();
        EXPECT_TRUE(table.Check_Configuration()) << placed.join(", ").toStdString() << ": " << messages.join("\n").toStdString();
    }
}

} // namespace
