// Data check of the communication parameters: order, ranges, messages, device-name test.
#include "shell/ParGenCheck.h"
#include "shell/ULanguage.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

class ParGenCheckTest : public ::testing::Test {
protected:
    void SetUp() override { Load_Default_Texts(); }
};

struct Case {
    const char *what;
    std::function<void(TParGenData &)> change;
    int slot; // 0: passes
};

} // namespace

TEST_F(ParGenCheckTest, FirstFailingFieldGivesItsSlot)
{
    const std::vector<Case> cases = {
        {"defaults", [](TParGenData &) {}, 0},
        // Address octets: every rejected form, in every position.
        {"IP1 256", [](TParGenData &d) { d.IP[0] = "256"; }, 858},
        {"IP2 -1", [](TParGenData &d) { d.IP[1] = "-1"; }, 859},
        {"IP3 1.5", [](TParGenData &d) { d.IP[2] = "1.5"; }, 860},
        {"IP4 trailing blank", [](TParGenData &d) { d.IP[3] = "12 "; }, 861},
        {"IP1 empty", [](TParGenData &d) { d.IP[0] = ""; }, 858},
        {"IP accepted forms", [](TParGenData &d) { d.IP = {" 12", "+12", "012", "$FF"}; }, 0},
        {"IP 0 and 255", [](TParGenData &d) { d.IP = {"0", "255", "x0", "0XFF"}; }, 0},
        {"SM1", [](TParGenData &d) { d.SM[0] = "abc"; }, 862},
        {"SM4", [](TParGenData &d) { d.SM[3] = "300"; }, 865},
        {"SM before IP? no: IP first", [](TParGenData &d) { d.SM[0] = "x"; d.IP[3] = "x"; }, 861},
        // DNS only when enabled, primary before secondary, before the address.
        {"DNS off, junk passes", [](TParGenData &d) { d.Pri_DNS[0] = "abc"; d.Sec_DNS[3] = ""; }, 0},
        {"DNS on, primary 1", [](TParGenData &d) { d.Enable_DNS = true; d.Pri_DNS[0] = "abc"; }, 1113},
        {"DNS on, primary 4", [](TParGenData &d) { d.Enable_DNS = true; d.Pri_DNS[3] = "256"; }, 1116},
        {"DNS on, secondary 1", [](TParGenData &d) { d.Enable_DNS = true; d.Sec_DNS[0] = ""; }, 1117},
        {"DNS on, secondary 3", [](TParGenData &d) { d.Enable_DNS = true; d.Sec_DNS[2] = "-5"; }, 1119},
        {"DNS before IP", [](TParGenData &d) { d.Enable_DNS = true; d.Sec_DNS[3] = "z"; d.IP[0] = ""; }, 1120},
        {"DNS 2 and ID: only DNS 2",
         [](TParGenData &d) { d.Enable_DNS = true; d.Pri_DNS[1] = "999"; d.IDDevice = "0"; }, 1114},
        // Gateway only when its box is ticked.
        {"gateway off", [](TParGenData &d) { d.GAT[3] = ""; }, 0},
        {"gateway on, 4 empty", [](TParGenData &d) { d.En_GAT = true; d.GAT[3] = ""; }, 869},
        {"gateway on, 1", [](TParGenData &d) { d.En_GAT = true; d.GAT[0] = "1000"; }, 866},
        {"gateway after mask", [](TParGenData &d) { d.En_GAT = true; d.GAT[0] = ""; d.SM[1] = ""; }, 863},
        // DHCP greys the fields but they are still checked.
        {"DHCP still checks", [](TParGenData &d) { d.DHCP_Cable = true; d.IP[1] = ""; }, 859},
        // Stop bits and parity.
        {"2 stop bits, NONE", [](TParGenData &d) { d.StopBits = 1; d.Parity = 0; }, 0},
        {"2 stop bits, ODD", [](TParGenData &d) { d.StopBits = 1; d.Parity = 1; }, 879},
        {"2 stop bits, EVEN", [](TParGenData &d) { d.StopBits = 1; d.Parity = 2; }, 879},
        {"2 stop bits, no parity selected", [](TParGenData &d) { d.StopBits = 1; d.Parity = -1; }, 0},
        {"1 stop bit, EVEN", [](TParGenData &d) { d.StopBits = 0; d.Parity = 2; }, 0},
        {"stop bits before ID", [](TParGenData &d) { d.StopBits = 1; d.Parity = 2; d.IDDevice = ""; }, 879},
        // Modbus identifier.
        {"ID 0", [](TParGenData &d) { d.IDDevice = "0"; }, 880},
        {"ID 248", [](TParGenData &d) { d.IDDevice = "248"; }, 880},
        {"ID empty", [](TParGenData &d) { d.IDDevice = ""; }, 880},
        {"ID 1", [](TParGenData &d) { d.IDDevice = "1"; }, 0},
        {"ID 247", [](TParGenData &d) { d.IDDevice = "247"; }, 0},
        {"ID 0x10", [](TParGenData &d) { d.IDDevice = "0x10"; }, 0},
        // Unchecked fields.
        {"unchecked fields", [](TParGenData &d) {
             d.Device_Name = QString(40, QChar('-'));
             d.Username = d.Password = QString(20, QChar(' '));
             d.TCP_Port = d.UDP_Port = "junk";
             d.Eth_DNS = {"a", "b", "c", "d"};
         }, 0},
    };
    for (const Case &c : cases) {
        TParGenData d;
        c.change(d);
        EXPECT_EQ(ParGen_Check_Slot(d), c.slot) << c.what;
    }
}

TEST_F(ParGenCheckTest, PortsAreCheckedOnlyWhenShown)
{
    TParGenData d;
    d.TCP_Port = "10000";
    d.UDP_Port = "70000";
    EXPECT_EQ(ParGen_Check_Slot(d), 0);
    EXPECT_EQ(ParGen_Check_Slot(d, {true, false}), 874);
    EXPECT_EQ(ParGen_Check_Slot(d, {false, true}), 875);
    d.TCP_Port = "65535";
    EXPECT_EQ(ParGen_Check_Slot(d, {true, true}), 875);
    d.UDP_Port = "0";
    EXPECT_EQ(ParGen_Check_Slot(d, {true, true}), 0);
    d.UDP_Port = "10001";
    EXPECT_EQ(ParGen_Check_Slot(d, {true, true}), 0);
    // The port comes after the gateway and before the stop bits.
    d.UDP_Port = "";
    d.StopBits = 1;
    d.Parity = 1;
    EXPECT_EQ(ParGen_Check_Slot(d, {true, true}), 875);
    d.En_GAT = true;
    d.GAT[2] = "";
    EXPECT_EQ(ParGen_Check_Slot(d, {true, true}), 868);
}

TEST_F(ParGenCheckTest, MessagesAreTheBuiltInTexts)
{
    const std::vector<std::pair<int, const char *>> texts = {
        {1113, "Error Primary DNS!! DNS 1 must be between 0 and 255"},
        {1114, "Error Primary DNS!! DNS 2 must be between 0 and 255"},
        {1115, "Error Primary DNS!! DNS 3 must be between 0 and 255"},
        {1116, "Error Primary DNS!! DNS 4 must be between 0 and 255"},
        {1117, "Error Secondary DNS!! DNS 1 must be between 0 and 255"},
        {1118, "Error Secondary DNS!! DNS 2 must be between 0 and 255"},
        {1119, "Error Secondary DNS!! DNS 3 must be between 0 and 255"},
        {1120, "Error Secondary DNS!! DNS 4 must be between 0 and 255"},
        {858, "Error Ethernet!! IP Address 1 must be between 0 and 255"},
        {859, "Error Ethernet!! IP Address 2 must be between 0 and 255"},
        {860, "Error Ethernet!! IP Address 3 must be between 0 and 255"},
        {861, "Error Ethernet!! IP Address 4 must be between 0 and 255"},
        {862, "Error Ethernet!! SubNet Mask 1 must be between 0 and 255"},
        {863, "Error Ethernet!! SubNet Mask 2 must be between 0 and 255"},
        {864, "Error Ethernet!! SubNet Mask 3 must be between 0 and 255"},
        {865, "Error Ethernet!! SubNet Mask 4 must be between 0 and 255"},
        {866, "Error Ethernet!! Gateway IP 1 must be between 0 and 255"},
        {867, "Error Ethernet!! Gateway IP 2 must be between 0 and 255"},
        {868, "Error Ethernet!! Gateway IP 3 must be between 0 and 255"},
        {869, "Error Ethernet!! Gateway IP 4 must be between 0 and 255"},
        {874, "Error Ethernet!! TCP Port must be between 0 and 65535 and different from 10000"},
        {875, "Error Ethernet!! UDP Port must be between 0 and 65535 and different from 10000"},
        {879, "Error Modbus Slave!! Two Stop Bits can be selected only with None Parity"},
        {880, "Error Modbus Slave!! ID Device must be between 1 and 247"},
    };
    for (const auto &[slot, text] : texts)
        EXPECT_EQ(LT(slot), QString::fromUtf8(text)) << slot;

    // The message is the text of the first failing slot, in the current language.
    TParGenData d;
    d.Enable_DNS = true;
    d.Pri_DNS[1] = "x";
    d.IDDevice = "0";
    EXPECT_EQ(ParGen_Check_Message(d), QStringLiteral("Error Primary DNS!! DNS 2 must be between 0 and 255"));
    Lang_Texts[1114] = QStringLiteral("Fehler DNS 2");
    EXPECT_EQ(ParGen_Check_Message(d), QStringLiteral("Fehler DNS 2"));
    EXPECT_TRUE(ParGen_Check_Message(TParGenData()).isEmpty());
}

TEST_F(ParGenCheckTest, DeviceNameTest)
{
    EXPECT_FALSE(Check_Device_Name(QString()));
    EXPECT_FALSE(Check_Device_Name(QStringLiteral("Gateway01azAZ09")));
    for (const char *bad : {"gate-way", "gate way", "gate_way", "Grüße", "é", "abc.", "0\t"})
        EXPECT_TRUE(Check_Device_Name(QString::fromUtf8(bad))) << bad;
    // Full-width digits are not plain ASCII.
    EXPECT_TRUE(Check_Device_Name(QString(QChar(0xFF11))));
}
