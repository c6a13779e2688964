// Step 2 window: panels, layout, keys, OK and Cancel against a real "ParGen.xml".
#include "shell/ParGenFile.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/UParGen.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

class ParGenWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Texts();
        SW_Code = kSWCode;
        Project_Path = dir.path();
        ParGen_File = dir.filePath(QStringLiteral("ParGen.xml"));
        w = std::make_unique<TFParGen>();
    }
    void TearDown() override
    {
        w.reset();
        ParGen_File.clear();
        Project_Path.clear();
    }
    // Shows the window the way Step 2 does (non-blocking here) and makes it active for key tests.
    void showWindow()
    {
        w->show();
        QApplication::setActiveWindow(w.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QTemporaryDir dir;
    std::unique_ptr<TFParGen> w;
};

} // namespace

TEST_F(ParGenWindowTest, FivePanelsInOrderWithCaptionsAndHeights)
{
    showWindow();
    const auto shown = w->CPG->Shown_Panels();
    ASSERT_EQ(shown.size(), 5u);
    const std::vector<std::tuple<TParGenCategoryPanel *, const char *, int>> expected = {
        {w->CP_Ethernet_Connection, "1. Ethernet Connection", 206},
        {w->CP_IOLink, "2. IO-Link", 67},
        {w->CP_Modbus_Slave, "3. Modbus Slave", 233},
        {w->CP_Ethernet, "4. Ethernet", 123},
        {w->CP_WebServer, "5. WebServer", 94},
    };
    int top = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto &[panel, caption, height] = expected[i];
        EXPECT_EQ(shown[i], panel);
        EXPECT_EQ(panel->Caption(), QString::fromUtf8(caption));
        EXPECT_EQ(panel->height(), height) << caption;
        EXPECT_EQ(panel->y(), top) << caption;
        EXPECT_TRUE(panel->isVisible());
        top += height;
    }
    // Window frame: 460 wide, title 69 and buttons 40 high, the group between them scrolls.
    EXPECT_EQ(w->width(), 460);
    EXPECT_EQ(w->height(), 700);
    EXPECT_EQ(w->P_Title->height(), 69);
    EXPECT_EQ(w->P_Button->height(), 40);
    EXPECT_EQ(QRect(w->CPG->mapTo(w.get(), QPoint(0, 0)), w->CPG->size()), QRect(0, 69, 460, 700 - 69 - 40));
    EXPECT_TRUE(w->CPG->verticalScrollBar()->isVisible());
    EXPECT_EQ(w->L_SW_Code->text(), QStringLiteral("CF41520"));
    EXPECT_EQ(w->L_SW_Desc->text(), QStringLiteral("Set Communication Setting"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Set Communication"));
    EXPECT_EQ(w->Btn_OK->text(), QStringLiteral("OK"));
    EXPECT_EQ(w->Btn_Cancel->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(w->Btn_OK->geometry(), QRect(217, 6, 110, 28));
    EXPECT_EQ(w->Btn_Cancel->geometry(), QRect(335, 6, 110, 28));

    // Field places inside the panels and some texts.
    EXPECT_EQ(w->E_Ethernet_IP[1]->geometry(), QRect(252, 9, 55, 21));
    EXPECT_EQ(w->E_Ethernet_SM[3]->geometry().topLeft(), QPoint(374, 36));
    EXPECT_EQ(w->CB_IOLink_SelectDevice->geometry(), QRect(191, 9, 238, 22));
    EXPECT_EQ(w->L_EthConn_Device_Name->text(), QStringLiteral("Device Name (Hostname)"));
    EXPECT_EQ(w->E_EthConn_Device_Name->toolTip(), QStringLiteral("Insert the Device Name (hostname)"));
    EXPECT_EQ(w->CB_ModbusSlave_EndLineRes->text(), QStringLiteral("Enable End-Line Resistor"));
    EXPECT_EQ(w->E_Ethernet_GAT[3]->toolTip(), QStringLiteral("Insert Fourth byte of Default Gateway"));
    EXPECT_FALSE(w->CB_EthConn_En_DHCP_WiFi->isEnabled());
    // Hidden fields of the Ethernet panel.
    EXPECT_FALSE(w->CB_Ethernet_DNS->isVisible());
    EXPECT_FALSE(w->E_Ethernet_DNS[0]->isVisible());
    EXPECT_FALSE(w->E_Ethernet_TCP_Port->isVisible());
    EXPECT_FALSE(w->E_Ethernet_UDP_Port->isVisible());
    EXPECT_EQ(w->CB_IOLink_SelectDevice->count(), 7);
    EXPECT_EQ(w->CB_IOLink_SelectDevice->currentText(), QStringLiteral("GW41520-A1-4A"));
}

TEST_F(ParGenWindowTest, HeaderClickCollapsesAndRestacks)
{
    showWindow();
    const int ioTop = w->CP_IOLink->y();
    QTest::mouseClick(w->CP_Ethernet_Connection, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_TRUE(w->CP_Ethernet_Connection->Collapsed());
    EXPECT_EQ(w->CP_Ethernet_Connection->height(), 24);
    EXPECT_EQ(w->CP_IOLink->y(), 24);
    EXPECT_FALSE(w->E_EthConn_Device_Name->isVisible());
    QTest::mouseClick(w->CP_Ethernet_Connection, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(w->CP_IOLink->y(), ioTop);
    // A click into the body does not toggle.
    QTest::mouseClick(w->CP_IOLink, Qt::LeftButton, {}, QPoint(5, 40));
    EXPECT_FALSE(w->CP_IOLink->Collapsed());
}

TEST_F(ParGenWindowTest, DhcpGreysAddressMaskAndGateway)
{
    showWindow();
    auto enabledAll = [&](bool on) {
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(w->E_Ethernet_IP[i]->isEnabled(), on);
            EXPECT_EQ(w->E_Ethernet_SM[i]->isEnabled(), on);
            EXPECT_EQ(w->E_Ethernet_GAT[i]->isEnabled(), on);
        }
        EXPECT_EQ(w->CB_Ethernet_En_GAT->isEnabled(), on);
    };
    enabledAll(true);
    QTest::mouseClick(w->CB_EthConn_En_DHCP_Cable, Qt::LeftButton, {}, QPoint(6, 8));
    ASSERT_TRUE(w->CB_EthConn_En_DHCP_Cable->isChecked());
    enabledAll(false);
    EXPECT_TRUE(w->CB_EthConn_Enable_DNS->isEnabled());
    QTest::mouseClick(w->CB_EthConn_En_DHCP_Cable, Qt::LeftButton, {}, QPoint(6, 8));
    enabledAll(true);
    // The gateway box itself does not grey the gateway octets.
    w->CB_Ethernet_En_GAT->setChecked(true);
    w->CB_Ethernet_En_GAT->setChecked(false);
    EXPECT_TRUE(w->E_Ethernet_GAT[0]->isEnabled());

    // A file with DHCP greys the fields as soon as it is shown.
    w->hide();
    writeAll(ParGen_File, "<Par_Gen><Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable></Par_Gen>");
    showWindow();
    enabledAll(false);
}

TEST_F(ParGenWindowTest, DotKeyMovesToTheNextOctetField)
{
    showWindow();
    struct Move {
        QWidget *from;
        QWidget *to; // the field that has the focus afterwards
    };
    const std::vector<Move> moves = {
        {w->E_Ethernet_IP[1], w->E_Ethernet_IP[2]},
        {w->E_Ethernet_IP[3], w->E_Ethernet_SM[0]},
        {w->E_Ethernet_SM[3], w->E_Ethernet_GAT[0]},
        {w->E_Ethernet_GAT[3], w->E_Ethernet_GAT[3]},
        {w->E_EthConn_Pri_DNS_IP[0], w->E_EthConn_Pri_DNS_IP[1]},
        {w->E_EthConn_Pri_DNS_IP[3], w->E_EthConn_Sec_DNS_IP[0]},
        {w->E_EthConn_Sec_DNS_IP[2], w->E_EthConn_Sec_DNS_IP[3]},
        {w->E_EthConn_Sec_DNS_IP[3], w->E_EthConn_Sec_DNS_IP[3]},
    };
    for (const Move &m : moves) {
        m.from->setFocus();
        ASSERT_TRUE(m.from->hasFocus()) << m.from->objectName().toStdString();
        const QString before = static_cast<QLineEdit *>(m.from)->text();
        const QString beforeTo = static_cast<QLineEdit *>(m.to)->text();
        QTest::keyClick(m.from, Qt::Key_Period, Qt::NoModifier);
        EXPECT_TRUE(m.to->hasFocus()) << m.from->objectName().toStdString() << " -> "
                                      << QApplication::focusWidget()->objectName().toStdString();
        EXPECT_EQ(static_cast<QLineEdit *>(m.from)->text(), before);
        EXPECT_EQ(static_cast<QLineEdit *>(m.to)->text(), beforeTo);
    }
    // Other keys reach the text; "." on the numeric keypad is swallowed as well.
    w->E_Ethernet_IP[0]->setFocus();
    w->E_Ethernet_IP[0]->clear();
    QTest::keyClicks(w->E_Ethernet_IP[0], "1a");
    QTest::keyClick(w->E_Ethernet_IP[0], Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(w->E_Ethernet_IP[0]->text(), QStringLiteral("1a"));
    // "." is typed normally outside the octet fields.
    w->E_EthConn_Device_Name->setFocus();
    QTest::keyClicks(w->E_EthConn_Device_Name, "a.b");
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), QStringLiteral("a.b"));
}

TEST_F(ParGenWindowTest, TypingLimitBindsOnlyTyping)
{
    writeAll(ParGen_File, "<Par_Gen><Eth_Conn_Device_Name>ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789</Eth_Conn_Device_Name>"
                          "<WebServer_Username>UserLongerThan7</WebServer_Username></Par_Gen>");
    showWindow();
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"));
    EXPECT_EQ(w->E_WebServer_Username->text(), QStringLiteral("UserLongerThan7"));
    // Typing cannot make the over-long text longer, but deleting works.
    w->E_WebServer_Username->setFocus();
    w->E_WebServer_Username->end(false);
    QTest::keyClicks(w->E_WebServer_Username, "x");
    EXPECT_EQ(w->E_WebServer_Username->text(), QStringLiteral("UserLongerThan7"));
    QTest::keyClick(w->E_WebServer_Username, Qt::Key_Backspace);
    EXPECT_EQ(w->E_WebServer_Username->text(), QStringLiteral("UserLongerThan"));
    // A fresh text stops at 7 characters.
    w->E_WebServer_Password->setFocus();
    w->E_WebServer_Password->clear();
    QTest::keyClicks(w->E_WebServer_Password, "123456789");
    EXPECT_EQ(w->E_WebServer_Password->text(), QStringLiteral("1234567"));
    EXPECT_EQ(w->E_WebServer_Password->echoMode(), QLineEdit::Normal);
    w->E_EthConn_Device_Name->setFocus();
    w->E_EthConn_Device_Name->clear();
    QTest::keyClicks(w->E_EthConn_Device_Name, QString(40, QChar('n')));
    EXPECT_EQ(w->E_EthConn_Device_Name->text().size(), 31);
    // The identifier has no limit.
    w->E_ModbusSlave_IDDevice->setFocus();
    w->E_ModbusSlave_IDDevice->clear();
    QTest::keyClicks(w->E_ModbusSlave_IDDevice, QString(50, QChar('1')));
    EXPECT_EQ(w->E_ModbusSlave_IDDevice->text().size(), 50);
}

TEST_F(ParGenWindowTest, FailedCheckShowsMessageKeepsWindowAndWritesNothing)
{
    writeAll(ParGen_File, "<Par_Gen><Ethernet_IP1></Ethernet_IP1></Par_Gen>");
    const QByteArray before = readAll(ParGen_File);
    showWindow();
    EXPECT_EQ(w->E_Ethernet_IP[0]->text(), QString());
    w->CB_EthConn_Enable_DNS->setChecked(true);
    w->E_EthConn_Pri_DNS_IP[1]->setText(QStringLiteral("300"));
    w->E_ModbusSlave_IDDevice->setText(QStringLiteral("0"));
    {
        testsupport::ModalResponder responder;
        QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
        EXPECT_EQ(responder.texts(), QStringList{"Error Primary DNS!! DNS 2 must be between 0 and 255"});
    }
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(readAll(ParGen_File), before);
    EXPECT_EQ(w->E_EthConn_Pri_DNS_IP[1]->text(), QStringLiteral("300")); // input unchanged

    // Corrected field: the check starts again and stops at the next failure.
    w->E_EthConn_Pri_DNS_IP[1]->setText(QStringLiteral("8"));
    {
        testsupport::ModalResponder responder;
        QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
        EXPECT_EQ(responder.texts(), QStringList{"Error Ethernet!! IP Address 1 must be between 0 and 255"});
    }
    // Greyed by DHCP, still checked.
    w->E_Ethernet_IP[0]->setText(QStringLiteral("10"));
    w->CB_EthConn_En_DHCP_Cable->setChecked(true);
    w->E_Ethernet_SM[2]->setText(QStringLiteral("1.5"));
    {
        testsupport::ModalResponder responder;
        QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
        EXPECT_EQ(responder.texts(), QStringList{"Error Ethernet!! SubNet Mask 3 must be between 0 and 255"});
    }
    w->E_Ethernet_SM[2]->setText(QStringLiteral("255"));
    w->CB_ModbusSlave_StopBits->setCurrentIndex(1);
    w->CB_ModbusSlave_Parity->setCurrentIndex(2);
    {
        testsupport::ModalResponder responder;
        QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
        EXPECT_EQ(responder.texts(), QStringList{"Error Modbus Slave!! Two Stop Bits can be selected only with None Parity"});
    }
    w->CB_ModbusSlave_Parity->setCurrentIndex(0);
    {
        testsupport::ModalResponder responder;
        QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
        EXPECT_EQ(responder.texts(), QStringList{"Error Modbus Slave!! ID Device must be between 1 and 247"});
    }
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(readAll(ParGen_File), before);
}

TEST_F(ParGenWindowTest, OkAfterPassedCheckRewritesTheWholeFile)
{
    // An old file with extras and other order.
    writeAll(ParGen_File, "<?xml version=\"1.0\"?>\n<!-- old -->\n<Par_Gen><Extra>1</Extra></Par_Gen>");
    showWindow();
    // Declaration first: every field gets its default; the port fields stay as they were.
    TParGenData expected;
    EXPECT_EQ(w->Get_Data(), expected);
    w->E_EthConn_Device_Name->setText(QStringLiteral("Gate 1"));
    w->CB_IOLink_SelectDevice->setCurrentIndex(4);
    w->CB_ModbusSlave_Baudrate->setCurrentIndex(3);
    w->CB_ModbusSlave_StopBits->setCurrentIndex(1);
    w->CB_ModbusSlave_ReadInput->setChecked(false);
    w->E_Ethernet_GAT[3]->setText(QStringLiteral("abc")); // gateway box unticked: not checked
    w->E_ModbusSlave_IDDevice->setText(QStringLiteral("0x10"));
    w->E_WebServer_Password->setText(QStringLiteral("pw"));
    expected.Device_Name = QStringLiteral("Gate 1");
    expected.Select_Device = 4;
    expected.Baudrate = 3;
    expected.StopBits = 1;
    expected.ReadInput = false;
    expected.GAT[3] = QStringLiteral("abc");
    expected.IDDevice = QStringLiteral("0x10");
    expected.Password = QStringLiteral("pw");
    {
        testsupport::ModalResponder responder;
        QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
        EXPECT_TRUE(responder.texts().isEmpty()) << responder.texts().join('|').toStdString();
    }
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    pugi::xml_document doc;
    ParGen_Build_Document(expected, doc);
    const QByteArray bytes = readAll(ParGen_File);
    EXPECT_EQ(bytes, ParGen_Document_Bytes(doc));
    EXPECT_TRUE(bytes.contains("<IOLink_SelectDevice>GW41520-A1-4B</IOLink_SelectDevice>"));
    EXPECT_TRUE(bytes.contains("<Eth_Conn_DHCP_WiFi>0</Eth_Conn_DHCP_WiFi>"));
    EXPECT_TRUE(bytes.contains("<Ethernet_TCP_Port/>")); // file existed: port fields untouched
    EXPECT_FALSE(bytes.contains("Extra"));
    EXPECT_FALSE(bytes.contains("old"));
}

TEST_F(ParGenWindowTest, NewConfigurationGetsDefaultsAndPortFields)
{
    ASSERT_FALSE(QFile::exists(ParGen_File));
    // Step 2 opens the window modally; the user confirms at once.
    testsupport::ModalResponder responder;
    responder.then([](QWidget *dlg) {
        auto *win = qobject_cast<TFParGen *>(dlg);
        ASSERT_TRUE(win);
        EXPECT_EQ(win->E_Ethernet_TCP_Port->text(), QStringLiteral("10001"));
        QTest::mouseClick(win->Btn_OK, Qt::LeftButton);
    });
    EXPECT_EQ(w->Edit_Configuration(), QDialog::Accepted);
    TParGenData expected;
    expected.TCP_Port = expected.UDP_Port = QStringLiteral("10001");
    pugi::xml_document doc;
    ParGen_Build_Document(expected, doc);
    EXPECT_EQ(readAll(ParGen_File), ParGen_Document_Bytes(doc));
}

TEST_F(ParGenWindowTest, CancelLeavesTheFileAndNextShowingReloads)
{
    const QByteArray content = "<Par_Gen><Eth_Conn_Device_Name>Keep</Eth_Conn_Device_Name>"
                               "<MODBUS_SLAVE_BAUDRATE>9</MODBUS_SLAVE_BAUDRATE></Par_Gen>";
    writeAll(ParGen_File, content);
    testsupport::ModalResponder responder;
    responder.then([](QWidget *dlg) {
        auto *win = static_cast<TFParGen *>(dlg);
        EXPECT_EQ(win->E_EthConn_Device_Name->text(), QStringLiteral("Keep"));
        EXPECT_EQ(win->CB_ModbusSlave_Baudrate->currentText(), QStringLiteral("115200")); // 9 is outside
        win->E_EthConn_Device_Name->setText(QStringLiteral("Changed"));
        QTest::mouseClick(win->Btn_Cancel, Qt::LeftButton);
    });
    EXPECT_EQ(w->Edit_Configuration(), QDialog::Rejected);
    EXPECT_EQ(readAll(ParGen_File), content);
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), QStringLiteral("Changed")); // kept until next showing
    showWindow();
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), QStringLiteral("Keep"));
}

TEST_F(ParGenWindowTest, MalformedFileShowsTheParserErrorAndTakesNothing)
{
    showWindow();
    w->hide();
    w->E_EthConn_Device_Name->setText(QStringLiteral("typed"));
    writeAll(ParGen_File, "<Par_Gen><Eth_Conn_Device_Name>x</Par_Gen>");
    {
        testsupport::ModalResponder responder;
        w->show();
        QTRY_COMPARE_WITH_TIMEOUT(responder.texts().size(), 1, 3000);
        EXPECT_TRUE(responder.texts().first().contains(ParGen_File + QStringLiteral(", line 1: ")))
            << responder.texts().first().toStdString();
    }
    EXPECT_EQ(w->E_EthConn_Device_Name->text(), QStringLiteral("typed"));
    EXPECT_EQ(readAll(ParGen_File), QByteArray("<Par_Gen><Eth_Conn_Device_Name>x</Par_Gen>"));
}

TEST_F(ParGenWindowTest, UnwritableFileKeepsTheWindowOpen)
{
    ParGen_File = dir.filePath(QStringLiteral("gone/ParGen.xml"));
    showWindow();
    testsupport::ModalResponder responder;
    QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(QFile::exists(ParGen_File));
}

TEST_F(ParGenWindowTest, LanguageChangeSkipsPanelCaptions)
{
    Lang_Texts[1086] = QStringLiteral("Gerätename");
    Lang_Texts[1085] = QStringLiteral("Ethernet-Verbindung");
    Lang_Texts[404] = QStringLiteral("Bestätigen");
    w->Set_Lang();
    EXPECT_EQ(w->L_EthConn_Device_Name->text(), QStringLiteral("Gerätename"));
    EXPECT_EQ(w->Btn_OK->toolTip(), QStringLiteral("Bestätigen"));
    EXPECT_EQ(w->CP_Ethernet_Connection->Caption(), QStringLiteral("1. Ethernet Connection"));
    // A window created after the language was loaded takes it for its captions.
    TFParGen later;
    EXPECT_EQ(later.CP_Ethernet_Connection->Caption(), QStringLiteral("1. Ethernet-Verbindung"));
}

TEST_F(ParGenWindowTest, ResizeKeepsWidthAndWheelScrollsOnlyOverTheGroup)
{
    showWindow();
    w->resize(600, 500);
    EXPECT_EQ(w->width(), 460);
    EXPECT_EQ(w->height(), 500);
    QScrollBar *sb = w->CPG->verticalScrollBar();
    ASSERT_GT(sb->maximum(), 0);
    sb->setValue(0);
    // Over the title panel: nothing scrolls.
    EXPECT_FALSE(w->FormMouseWheel(w->P_Title->mapToGlobal(QPoint(10, 10)), -120));
    EXPECT_EQ(sb->value(), 0);
    // Over a list inside the group: the group scrolls and the list keeps its entry.
    QComboBox *baud = w->CB_ModbusSlave_Baudrate;
    const int before = baud->currentIndex();
    const QPoint local(20, 10);
    QWheelEvent wheel(QPointF(local), QPointF(baud->mapToGlobal(local)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(baud, &wheel);
    EXPECT_EQ(baud->currentIndex(), before);
    EXPECT_EQ(sb->value(), std::min(sb->maximum(), QApplication::wheelScrollLines() * sb->singleStep()));
    EXPECT_TRUE(w->FormMouseWheel(w->CPG->mapToGlobal(QPoint(10, 10)), 120));
    EXPECT_EQ(sb->value(), 0);
}

TEST_F(ParGenWindowTest, Screenshot)
{
    writeAll(ParGen_File, "<Par_Gen><Eth_Conn_Device_Name>Gateway01</Eth_Conn_Device_Name>"
                          "<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable></Par_Gen>");
    showWindow();
    QTest::qWait(50);
    EXPECT_TRUE(w->grab().save(QStringLiteral("/tmp/pargen_window.png")));
    w->CPG->verticalScrollBar()->setValue(w->CPG->verticalScrollBar()->maximum());
    EXPECT_TRUE(w->grab().save(QStringLiteral("/tmp/pargen_window_bottom.png")));
}

TEST_F(ParGenWindowTest, OtherModelsPanelsStayHiddenAndFollowTheTextTable)
{
    showWindow();
    const auto &all = w->CPG->Panels();
    EXPECT_EQ(all.size(), 28u);
    int hidden = 0;
    for (TParGenCategoryPanel *p : all)
        hidden += p->isHidden() ? 1 : 0;
    EXPECT_EQ(hidden, 23);

    auto *mqtt = w->findChild<TParGenCategoryPanel *>(QStringLiteral("CP_MQTT"));
    ASSERT_TRUE(mqtt);
    EXPECT_TRUE(mqtt->isHidden());
    EXPECT_EQ(mqtt->Caption(), QStringLiteral("MQTT"));
    auto *server = mqtt->findChild<QLabel *>(QStringLiteral("L_MQTT_1"));
    ASSERT_TRUE(server);
    EXPECT_EQ(server->text(), QStringLiteral("Server URL"));
    auto *serverEdit = mqtt->findChild<QLineEdit *>(QStringLiteral("E_MQTT_1"));
    ASSERT_TRUE(serverEdit);
    EXPECT_EQ(serverEdit->toolTip(), QStringLiteral("Insert the URL or IP Address of MQTT server"));

    auto *wifi = w->findChild<TParGenCategoryPanel *>(QStringLiteral("CP_WiFi"));
    ASSERT_TRUE(wifi);
    auto *type = wifi->findChild<QComboBox *>(QStringLiteral("CB_WiFi_1"));
    ASSERT_TRUE(type);
    ASSERT_EQ(type->count(), 3);
    EXPECT_EQ(type->itemText(0), QStringLiteral("Access Point"));
    EXPECT_EQ(type->itemText(2), QStringLiteral("WiFi Direct"));
    auto *channel = wifi->findChild<QComboBox *>(QStringLiteral("CB_WiFi_18"));
    ASSERT_TRUE(channel);
    EXPECT_EQ(channel->count(), 12);
    EXPECT_EQ(channel->itemText(0), QStringLiteral("Auto Search"));

    auto *ecat = w->findChild<TParGenCategoryPanel *>(QStringLiteral("CP_EtherCAT_Slave"));
    ASSERT_TRUE(ecat);
    auto *clear = ecat->findChild<QCheckBox *>(QStringLiteral("CB_EtherCAT_Slave_4"));
    ASSERT_TRUE(clear);
    EXPECT_EQ(clear->text(), QStringLiteral("Clear Data on EtherCAT fault"));

    // A language change reaches the hidden panels too; the lists start again at their first entry.
    type->setCurrentIndex(2);
    Lang_Texts[407] = QStringLiteral("Server-URL");
    Lang_Texts[459] = QStringLiteral("Zugangspunkt");
    w->Set_Lang();
    EXPECT_EQ(server->text(), QStringLiteral("Server-URL"));
    EXPECT_EQ(type->currentIndex(), 0);
    EXPECT_EQ(type->currentText(), QStringLiteral("Zugangspunkt"));

    // "." in a hidden panel's octet is swallowed without moving.
    auto *pnIp = w->findChild<QLineEdit *>(QStringLiteral("E_PROFINET_1_1"));
    ASSERT_TRUE(pnIp);
    QKeyEvent dot(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
    QApplication::sendEvent(pnIp, &dot);
    EXPECT_EQ(pnIp->text(), QString());
}

TEST(ParGenStep2, MainWindowOpensTheWindowForTheOpenConfiguration)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto windows = std::make_unique<TProgramWindows>(dir.path());
    ASSERT_TRUE(FDovavivuvFirmWare);
    ASSERT_TRUE(FParGen);
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("PROJECTS/Line 4")));
    Project_Name = QStringLiteral("Line 4");
    Project_Path = dir.path() + QStringLiteral("/PROJECTS/Line 4");
    Set_Files();
    const QString file = Project_Path + QStringLiteral("/ParGen.xml");
    ASSERT_EQ(ParGen_File, file);

    auto responder = std::make_unique<testsupport::ModalResponder>();
    QString shownFor;
    responder->then([&](QWidget *dlg) {
        auto *win = qobject_cast<TFParGen *>(dlg);
        ASSERT_TRUE(win);
        shownFor = win->E_Ethernet_IP[3]->text();
        win->E_EthConn_Device_Name->setText(QStringLiteral("Line4"));
        QTest::mouseClick(win->Btn_OK, Qt::LeftButton);
    });
    FDovavivuvFirmWare->Btn_Prm_Gen->click();
    EXPECT_EQ(shownFor, QStringLiteral("10"));
    EXPECT_TRUE(responder->texts().isEmpty()) << responder->texts().join('|').toStdString();
    EXPECT_TRUE(readAll(file).contains("<Eth_Conn_Device_Name>Line4</Eth_Conn_Device_Name>"));

    // Opened again (the same window object): it shows what the file holds.
    responder = std::make_unique<testsupport::ModalResponder>();
    responder->then([&](QWidget *dlg) {
        auto *win = static_cast<TFParGen *>(dlg);
        shownFor = win->E_EthConn_Device_Name->text();
        win->reject();
    });
    FDovavivuvFirmWare->Btn_Prm_Gen->click();
    EXPECT_EQ(shownFor, QStringLiteral("Line4"));
    windows.reset();
    Project_Path.clear();
    ParGen_File.clear();
}
