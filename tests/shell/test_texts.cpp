// The built-in English text table and its language-file override.
#include "shell/DefaultTexts1.h"
#include "shell/DefaultTexts2.h"
#include "shell/DefaultTexts3.h"
#include "shell/ULanguage.h"
#include "shell/ExpectedProtocolTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <set>

namespace {

struct Expect {
    int slot;
    const char *text;
};

// Slots whose window gives no built-in text although they lie inside a window block.
const std::set<int> kUnfilledInsideBlocks = {458, 1244, 1245, 1246};

// Slot ranges that windows use; every other slot holds one blank.
const std::vector<std::pair<int, int>> kBlocks = {
    {0, 62},      {100, 110},   {200, 207},   {300, 321},   {400, 1125},  {1200, 1298}, {1300, 1312},
    {1400, 1440}, {1500, 1505}, {1600, 1693}, {1700, 1750}, {1800, 1811}, {1900, 2003}, {2100, 2160},
    {2200, 2208}, {2300, 2358}, {2400, 2463}, {2500, 2592}, {2600, 2679}, {2700, 2765}, {2800, 2847},
    {2900, 2943}, {3000, 3043}, {3100, 3142}, {3200, 3287}, {3300, 3398}, {3400, 3474}, {3500, 3530},
    {3600, 3645}, {3700, 3766}, {3800, 3829}};

bool inBlock(int slot)
{
    for (const auto &[a, b] : kBlocks)
        if (slot >= a && slot <= b) return true;
    return false;
}

class TextTable : public ::testing::Test {
protected:
    void SetUp() override { Load_Default_Texts(); }
};

TEST_F(TextTable, HoldsThe3900Slots)
{
    EXPECT_EQ(Lang_Texts.size(), 3900);
    EXPECT_EQ(Lang_Texts_Count, 3900);
    Load_Default_Texts(); // a reload starts afresh, it does not append
    EXPECT_EQ(Lang_Texts.size(), 3900);
}

TEST_F(TextTable, SpotChecksEveryBlockExactly)
{
    const Expect cases[] = {
        // main window
        {0, "Begin"},
        {1, "Step 1"},
        {8, "Step 8"},
        {9, "None Configuration Opened "},
        {11, "Opened Configuration of the Converter : "},
        {18, "Error! Project not Valid"},
        {19, "New Version Available. Click Here for more Details"},
        {23, "Open an exists configuration"},
        {37, "Set the J1939 Receive Frames Rules"},
        {62, "Set The EtherCAT Group"},
        // new and open configuration
        {100, "Create New Configuration"},
        {106, "Error! Name project is not valid because directory already exists"},
        {107, "Error! Name Project is not valid"},
        {110, "Cancel the New Configuration"},
        {202, "List of Avaliable Configurations"},
        {207, "Cancel open of Configuration"},
        // options
        {304, "Selected Language : "},
        {305, "Page "},
        {306, " / "},
        {317, " to "},
        {318, "?"},
        {321, "Enable Auto Size of Table Columns by Double Click"},
        // communication parameters, its checks and the other models' panels
        {400, "Set Communication"},
        {406, "MQTT"},
        {438, "Insert Fourth byte of IP Address"},
        {442, "Insert Third byte of SubNet Mask"},
        {448, "Insert Third byte of Default Gateway"},
        {455, "Insert Fourth byte of DNS"},
        {459, "Access Point"},
        {521, "1"},
        {531, "11"},
        {546, "Insert the Pasword for the Client Certificate"},
        {598, "Enable/disable the Input Register / Status for Read Data, the Holding Register and Coil Status for Write Data"},
        {773, "Name of Station"},
        {858, "Error Ethernet!! IP Address 1 must be between 0 and 255"},
        {869, "Error Ethernet!! Gateway IP 4 must be between 0 and 255"},
        {879, "Error Modbus Slave!! Two Stop Bits can be selected only with None Parity"},
        {880, "Error Modbus Slave!! ID Device must be between 1 and 247"},
        {881, "Error Modbus TCP Master!! IP Address 1 must be between 0 and 255"},
        {921, "Error BACnet!! BACnet Device Name is not correct (allowed characters are 'a'..'z' and '0'..'1')"},
        {967, "Error EtherNet/IP!! Number Byte Input must be between 0 and "},
        {1015, "Error PROFINET!! Diagnosis Address must be between 0 and "},
        {1085, "Ethernet Connection"},
        {1098, "Insert Fourth byte of Primary DNS"},
        {1111, "Clear Data on EtherCAT fault"},
        {1114, "Error Primary DNS!! DNS 2 must be between 0 and 255"},
        {1123, "Error EtherCAT Slave!! Node Address must be between 1 and 192"},
        {1125, "Select the Diagnostic Type"},
        // IO-Link channel table
        {1200, "IO-Link Set Access"},
        {1211, "Channels"},
        {1243, "Do you really want to remove the IO-Link device?"},
        {1258, "Unit Code"},
        {1269, "Position"},
        {1270, "Start Bit"},
        {1281, "Error in Channel #%.2d!! Channel doesn't exist"},
        {1282, "Error in Channel #%.2d!! Variable Index %s and SubIndex %s cannot be embty"},
        {1286, "Error in Channel #%.2d!! ProcessData In Index %s and SubIndex %s Position must be a valid value [0..%4d]"},
        {1290, "Error in Channel #%.2d!! ProcessData Out Index %s and SubIndex %s Unit Code must be a valid value"},
        {1293, "Error in Channel #%.2d!! Variable Index %s must be all selected or unselected"},
        {1294, "SindAccSupp"},
        {1297, "Pin 4 Mode"},
        {1298, "Read Pin 2"},
        {1700, "Error in Channel #%.2d!! Must Select an IODD file for use this channel"},
        {1705, "Error in Channel #%.2d!! ProcessData In Position must start at index #%.2d!"},
        {1708, "Error!! Too many bytes used in ProcessData Out (#%.2d)"},
        {1709, "I/O Options"},
        {1715, "Menmonic"},
        {1725, "Error in Channel #%.2d!! Event Code %s, TimeOut must be beetwen 0 and 100000000"},
        {1728, "Warning in Channel #%.2d!! Position of Variable Index %s and SubIndex %s must be a valid value, should be major of 512"},
        {1729, "Read Time"},
        {1731, "TimeOut"},
        {1733, "Input Type"},
        {1736, "Warning in Channel #%.2d!! Read Position of Variable Index %s and SubIndex %s must be a valid value, should be major of 512"},
        {1737, "Read Start Bit"},
        // IODD catalog
        {1300, "IO-Link IODD Catalog"},
        {1310, "FileName"},
        {1311, "IODD File already exists in Catalog, Do you want to overwrite file?"},
        // device update
        {1402, "Update Device by Ethernet (UDP)"},
        {1408, "Select the COM Port (USB) for the Update"},
        {1424, "Insert fourth byte of IP Address"},
        {1429, "Serch Velmar Device in Network"},
        {1436, "Device Not Found!"},
        {1437, "Error!!! Check the Ip Address"},
        {1438, "Error!!! The update program %s could not be started"},
        {1439, "Error!!! The update program %s ended with the error code %d"},
        {1440, "Warning!!! The update program %s is still running after %d seconds"},
        // shared rows and file questions
        {1500, "Row Already used. Do you want to overwrite the values?"},
        {1502, "Error!!! Copy a valid row before Paste it"},
        {1505, "File already exists. Do you want to overwrite?"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Lang_Texts.at(c.slot), QString::fromLatin1(c.text)) << "slot " << c.slot;
}

TEST_F(TextTable, EverySlotNoWindowUsesHoldsOneBlank)
{
    std::vector<int> ours;
    for (int slot = 0; slot < 1600; ++slot) ours.push_back(slot);
    for (int slot = 1700; slot <= 1799; ++slot) ours.push_back(slot); // the channel table's second block
    for (int slot : ours) {
        const QString &t = Lang_Texts.at(slot);
        if (inBlock(slot) && !kUnfilledInsideBlocks.count(slot)) {
            EXPECT_FALSE(t.isEmpty()) << "slot " << slot;
            EXPECT_NE(t, QStringLiteral(" ")) << "slot " << slot << " has no built-in text";
        } else {
            EXPECT_EQ(t, QStringLiteral(" ")) << "slot " << slot;
        }
    }
    // Above 1599 the slots outside every block stay blank whatever the later tables fill.
    for (int slot = 1600; slot < 3900; ++slot)
        if (!inBlock(slot)) {
            EXPECT_EQ(Lang_Texts.at(slot), QStringLiteral(" ")) << "slot " << slot;
        }
}

// Slots 1600-3899 (the channel table's second block aside) hold exactly the texts that the protocol
// windows and writers are described with, role-only slots their role texts (button captions, the
// title label repeating the caption), and one blank everywhere else. The expected table is written
// by tools/gen-slot-table.py.
TEST_F(TextTable, ProtocolSlotsHoldTheirWindowsTextsAndBlanksElsewhere)
{
    std::map<int, QString> expected;
    for (const auto &e : expected_texts::kProtocolSlots) expected[e.slot] = QString::fromUtf16(e.text);
    int blanks = 0;
    int checked = 0;
    for (int slot = 1600; slot < 3900; ++slot) {
        if (slot >= 1700 && slot < 1800) continue; // the channel table's second block
        const auto it = expected.find(slot);
        const QString want = it == expected.end() ? QStringLiteral(" ") : it->second;
        EXPECT_EQ(Lang_Texts.at(slot), want) << "slot " << slot;
        ++checked;
        if (want == QStringLiteral(" ")) ++blanks;
    }
    const auto all = std::count(Lang_Texts.begin(), Lang_Texts.end(), QStringLiteral(" "));
    std::cout << "blank slots: " << all << " of " << Lang_Texts.size() << " (" << blanks << " of the " << checked
              << " slots 1600-3899 outside the channel table's block)\n";
    RecordProperty("blank_slots", static_cast<int>(all));
}

TEST(TextTableData, EachBlockListsItsOwnSlotsOnceInOrder)
{
    std::vector<default_texts::DefaultTextBlock> blocks = default_texts::Blocks_1();
    for (const auto *more : {&default_texts::Blocks_2(), &default_texts::Blocks_3()})
        blocks.insert(blocks.end(), more->begin(), more->end());
    std::set<int> seen;
    for (const auto &block : blocks) {
        int previous = -1;
        for (const auto &t : block.texts) {
            EXPECT_GE(t.slot, block.first) << block.name;
            EXPECT_LE(t.slot, block.last) << block.name;
            EXPECT_GT(t.slot, previous) << block.name << ": slot " << t.slot << " out of order or twice";
            EXPECT_TRUE(seen.insert(t.slot).second) << "slot " << t.slot << " in two blocks";
            previous = t.slot;
        }
    }
}

TEST_F(TextTable, LanguageFileStillOverridesAnySlot)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Test.lng"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xEF\xBB\xBF"
            "STR0 = Inizio\r\n"
            "STR9 = \xC2\xB6Nessuna configurazione \xC2\xB6\r\n"
            "STR1125 = Tipo diagnostica /#/ hidden panel\r\n"
            "STR1244 = Was blank\r\n"
            "STR1505 = Il file esiste. Sovrascrivere?\r\n"
            "STR3899 = Last slot\r\n");
    f.close();
    ASSERT_TRUE(Read_Language_File(file));
    EXPECT_EQ(Lang_Texts.at(0), QStringLiteral("Inizio"));
    EXPECT_EQ(Lang_Texts.at(9), QStringLiteral("Nessuna configurazione "));
    EXPECT_EQ(Lang_Texts.at(1125), QStringLiteral("Tipo diagnostica"));
    EXPECT_EQ(Lang_Texts.at(1244), QStringLiteral("Was blank"));
    EXPECT_EQ(Lang_Texts.at(1505), QStringLiteral("Il file esiste. Sovrascrivere?"));
    EXPECT_EQ(Lang_Texts.at(3899), QStringLiteral("Last slot"));
    EXPECT_EQ(Lang_Texts.at(18), QStringLiteral("Error! Project not Valid")); // untouched slots keep English

    Load_Default_Texts(); // back to the built-in texts
    EXPECT_EQ(Lang_Texts.at(0), QStringLiteral("Begin"));
    EXPECT_EQ(Lang_Texts.at(9), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(Lang_Texts.at(1244), QStringLiteral(" "));
}

} // namespace
