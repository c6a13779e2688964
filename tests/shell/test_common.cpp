#include "grid/NovaColumnGrid.h"
#include "platform/FormatSettings.h"
#include "platform/SerialPorts.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/UGrid_Rows.h"

#include <QTemporaryDir>
#include <memory>

#include <gtest/gtest.h>

namespace {

struct IntCase { const char *text; int expected; };

TEST(IntegerConversion, AcceptsDecimalAndHexFormsAndRejectsTheRest)
{
    const IntCase cases[] = {
        {"0", 0}, {"42", 42}, {"  42", 42}, {"+7", 7}, {"-7", -7},
        {"$FF", 255}, {"xff", 255}, {"X10", 16}, {"0x10", 16}, {"0X1f", 31}, {"-$10", -16},
        {"2147483647", 2147483647}, {"-2147483648", int(0x80000000u)},
        {"$FFFFFFFF", -1}, {"0x80000000", int(0x80000000u)}, {"$00000000FF", 255},
        // invalid: default -99
        {"", -99}, {" ", -99}, {"42 ", -99}, {"4 2", -99}, {"12a", -99}, {"$", -99}, {"0x", -99},
        {"-", -99}, {"2147483648", -99}, {"-2147483649", -99}, {"$100000000", -99}, {"1.5", -99},
        {"\t5", -99}, {"ff", -99}, {"--1", -99},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StrToIntDef(QString::fromLatin1(c.text), -99), c.expected) << c.text;
}

TEST(IntegerConversion, SixtyFourBitForm)
{
    const struct { const char *text; qint64 expected; } cases[] = {
        {"4294967295", 4294967295LL}, {"-9223372036854775808", std::numeric_limits<qint64>::min()},
        {"9223372036854775807", std::numeric_limits<qint64>::max()}, {"$FFFFFFFFFFFFFFFF", -1},
        {"9223372036854775808", -5}, {"$10000000000000000", -5}, {"12 ", -5}, {"", -5},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StrToInt64Def(QString::fromLatin1(c.text), -5), c.expected) << c.text;
}

TEST(TrimText, RemovesControlCharactersAndBlanksAtBothEnds)
{
    EXPECT_EQ(Trim_Text(QStringLiteral("\t\r\n a b \x01")), QStringLiteral("a b"));
    EXPECT_EQ(Trim_Text(QStringLiteral("  ")), QString());
}

struct IpCase { const char *text; bool valid; const char *o1, *o2, *o3, *o4; };

TEST(SplitIPAddress, ValidatesAndFillsOctets)
{
    const IpCase cases[] = {
        {"192.168.0.10", true, "192", "168", "0", "10"},
        {" 192 . 168 . 0 . 10 ", true, "192", "168", "0", "10"},
        {"0.0.0.0", true, "0", "0", "0", "0"},
        {"1.2.3.4.5", false, "1", "2", "3", "4.5"},
        {"1.2.3.256", false, "1", "2", "3", "256"},
        {"1.2.3", false, "1", "2", "", ""},
        {"1.2.3.", false, "1", "2", "3", ""},
        {"a.2.3.4", false, "a", "2", "3", "4"},
        {"1.2.3.-1", false, "1", "2", "3", "-1"},
        {"$FF.0.0.1", true, "$FF", "0", "0", "1"},
        {"", false, "", "", "", ""},
    };
    for (const auto &c : cases) {
        QString o1, o2, o3, o4;
        EXPECT_EQ(Split_IP_Address(QString::fromLatin1(c.text), o1, o2, o3, o4), c.valid) << c.text;
        EXPECT_EQ(o1, QLatin1String(c.o1)) << c.text;
        EXPECT_EQ(o2, QLatin1String(c.o2)) << c.text;
        EXPECT_EQ(o3, QLatin1String(c.o3)) << c.text;
        EXPECT_EQ(o4, QLatin1String(c.o4)) << c.text;
    }
}

platform::FormatSettings withDecimal(QChar sep, const QString &raw)
{
    platform::FormatSettings s;
    s.decimalSeparator = sep;
    s.decimalSetting = raw;
    return s;
}

TEST(DecimalSeparator, TakesOnlyCommaOrPointFromTheLocaleValue)
{
    const struct { const char *raw; char expected; } cases[] = {
        {".", '.'}, {",", ','}, {";", ','}, {"", ','}, {".,x", '.'}, {"x.", ','},
    };
    for (const auto &c : cases) {
        platform::ScopedFormatSettings scope(withDecimal(QLatin1Char('.'), QString::fromLatin1(c.raw)));
        EXPECT_EQ(Get_Decimal_Separator(), QLatin1Char(c.expected)) << c.raw;
    }
}

TEST(ConvertStrToFloat, AcceptsEitherSeparatorUnderEitherLocale)
{
    const struct { char locale; const char *text; bool ok; float value; } cases[] = {
        {',', "1.5", true, 1.5f}, {',', "1,5", true, 1.5f}, {'.', "1,5", true, 1.5f},
        {'.', "1.5", true, 1.5f}, {'.', "-0.25", true, -0.25f}, {'.', "3", true, 3.0f},
        {'.', "1e3", true, 1000.0f}, {'.', " 2.5 ", true, 2.5f},
        {'.', "abc", false, 1.0f}, {'.', "", false, 1.0f}, {'.', "1.2.3", false, 1.0f},
        {',', "1,000.5", false, 1.0f}, {'.', "1e999", false, 1.0f},
    };
    for (const auto &c : cases) {
        const QChar sep = QLatin1Char(c.locale);
        platform::ScopedFormatSettings scope(withDecimal(sep, QString(sep)));
        float v = -5;
        EXPECT_EQ(Convert_Str_To_Float(QString::fromLatin1(c.text), Get_Decimal_Separator(), v), c.ok) << c.text;
        EXPECT_FLOAT_EQ(v, c.value) << c.text;
    }
}

TEST(DeviceIdentity, FixedCodes)
{
    EXPECT_EQ(Get_Device_Code(), QStringLiteral("GW41520"));
    EXPECT_EQ(Get_Device_ID(), QStringLiteral("0x01E9"));
}

TEST(ComPortList, ListsProbedPortNumbersAsTexts)
{
    platform::setSerialPortProbe([] { return std::vector<int>{1, 3, 12}; });
    EXPECT_EQ(Get_COM_Port_List(), (QStringList{"1", "3", "12"}));
    platform::setSerialPortProbe({});
}

TEST(SetFiles, BuildsEveryPathFromTheProjectFolder)
{
    const struct {
        const QString *var;
        const char *name;
    } files[] = {
        {&ModbusM_SetAccess_File, "ModbusM_SetAccess.xml"},
        {&ModbusTCPM_SetAccess_File, "ModbusTCPM_SetAccess.xml"},
        {&BACnet_Slave_SetAccess_File, "BACnet_Slave_SetAccess.xml"},
        {&CAN_Rec_Frames_File, "CAN_Rec_Frames.xml"},
        {&CAN_Send_Frames_File, "CAN_Send_Frames.xml"},
        {&PDO_CANopen_File, "PDO_CANopen.xml"},
        {&SDO_Client_CANopen_File, "SDO_Client_CANopen.xml"},
        {&SDO_Server_CANopen_File, "SDO_Server_CANopen.xml"},
        {&J1939_Rec_Frames_File, "J1939_Rec_Frames.xml"},
        {&J1939_Send_Frames_File, "J1939_Send_Frames.xml"},
        {&NMEA_Rec_Frames_File, "NMEA_Rec_Frames.xml"},
        {&NMEA_Send_Frames_File, "NMEA_Send_Frames.xml"},
        {&SNMP_Trap_File, "SNMP_Trap.xml"},
        {&MQTT_Set_Topic_File, "MQTT_Set_Topic.xml"},
        {&NMEA_0183_Set_Access_File, "NMEA_0183_Set_Access.xml"},
        {&EtherCAT_Slave_File, "EtherCAT_Slave.xml"},
        {&EtherCAT_Slave_Group_File, "EtherCAT_Slave_Group.xml"},
        {&ParGen_File, "ParGen.xml"},
        {&IOLink_SetAccess_File, "IOLink_SetAccess.xml"},
    };
    Project_Path = QStringLiteral("/x/PROJECTS/Plant");
    Set_Files();
    for (const auto &f : files)
        EXPECT_EQ(*f.var, QStringLiteral("/x/PROJECTS/Plant/") + QLatin1String(f.name)) << f.name;
    Project_Path.clear();
    Set_Files();
    EXPECT_EQ(ParGen_File, QStringLiteral("/ParGen.xml"));
    EXPECT_EQ(EtherCAT_Slave_Group_File, QStringLiteral("/EtherCAT_Slave_Group.xml"));
}

TEST(ProjectNames, OnlyPlainPortableFolderNamesPass)
{
    for (const char *ok : {"Plant 1", "a", "Line-4_B.v2", "Überlauf"})
        EXPECT_TRUE(Is_Plain_Project_Name(QString::fromUtf8(ok))) << ok;
    for (const char *bad : {"", ".", "..", "a/b", "a\\b", "../x", " lead", "trail ", "a:b", "a*b", "a?b",
                            "a\"b", "a<b", "a>b", "a|b", "tab\there"})
        EXPECT_FALSE(Is_Plain_Project_Name(QString::fromUtf8(bad))) << bad;
}

} // namespace

TEST(ProgramLists, RowClipboardAndMibListsStartEmptyAndOutliveTheWindows)
{
    Row_Clipboard = QStringList{"stale"};
    Row_Clipboard_Check = {true};
    MIB_Read_Desc = QStringList{"temp1"};
    MIB_Write_Desc = QStringList{"set1"};
    QTemporaryDir exe;
    {
        TProgramWindows windows(exe.path());
        // Created empty by the start-up sequence, last.
        EXPECT_TRUE(Row_Clipboard.isEmpty());
        EXPECT_TRUE(Row_Clipboard_Check.empty());
        EXPECT_TRUE(MIB_Read_Desc.isEmpty());
        EXPECT_TRUE(MIB_Write_Desc.isEmpty());
        FDovavivuvFirmWare->close();
    }
    // A row copied from a grid that is gone pastes into another grid.
    auto first = std::make_unique<TNovaColumnGrid>();
    first->SetColCount(3);
    first->SetRowCount(3);
    first->SetCells(1, 1, QStringLiteral("a"));
    first->SetCells(2, 1, QStringLiteral("b"));
    ColGrid_Copy_Row(first.get(), 1);
    first.reset();
    EXPECT_EQ(Row_Clipboard, (QStringList{"a", "b"}));
    TNovaColumnGrid second;
    second.SetColCount(3);
    second.SetRowCount(3);
    ColGrid_Paste_Row(&second, 2, true);
    EXPECT_EQ(second.Cells(1, 2), QStringLiteral("a"));
    EXPECT_EQ(second.Cells(2, 2), QStringLiteral("b"));
    Row_Clipboard.clear();
}
