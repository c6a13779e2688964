// Step 4's update window: the update job, the ping, the update tool and the main window's update step.
#include "iolink/UBoot.h"
#include "iolink/UBoot_Job.h"
#include "platform/Ping.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UParGen.h"
#include "support/TestSupport.h"
#include "RoadSteps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <mutex>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::writeFile;

namespace {

// Stands in for the network; records every address asked.
class FakePing {
public:
    explicit FakePing(std::function<platform::PingReply()> reply) : m_reply(std::move(reply))
    {
        platform::setPingFunction([this](const QString &address, int timeoutMs) {
            {
                std::lock_guard<std::mutex> lock(m_lock);
                m_asked << address;
                m_timeouts << timeoutMs;
            }
            return m_reply();
        });
    }
    ~FakePing() { platform::setPingFunction({}); }
    QStringList asked() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_asked;
    }
    QList<int> timeouts() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_timeouts;
    }

private:
    std::function<platform::PingReply()> m_reply;
    mutable std::mutex m_lock;
    QStringList m_asked;
    QList<int> m_timeouts;
};

platform::PingReply answer(int bytes)
{
    platform::PingReply r;
    r.answered = true;
    r.bytes = bytes;
    return r;
}

// A program folder with one open configuration "Plant".
class Boot : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TProgramWindows> windows;
    TFBoot *b = nullptr;

    void SetUp() override
    {
        QDir(dir.path()).mkpath("PROJECTS/Plant/bin");
        writeFile(dir.filePath("Fabricor.xml"),
                  "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
        Last_Update_Option = 0; // kept for the program's run only
        windows = std::make_unique<TProgramWindows>(dir.path());
        b = FBoot;
        ASSERT_NE(b, nullptr);
        ASSERT_EQ(Project_Path, dir.filePath("PROJECTS/Plant"));
    }
    void TearDown() override
    {
        if (b && b->isVisible()) b->hide();
        windows.reset();
    }

    QString job() const { return dir.filePath("Ethernet_Update.xml"); }
    QString seen() const { return dir.filePath("seen.xml"); }

    // The update tool: copies the job it finds beside itself, notes its arguments, then runs body.
    void installTool(const QByteArray &body)
    {
        const QString tool = dir.filePath("Ethernet_Update.exe");
        writeFile(tool, "#!/bin/sh\nd=$(dirname \"$0\")\ncp \"$d/Ethernet_Update.xml\" \"$d/seen.xml\"\n"
                        "echo \"$#\" > \"$d/argc\"\n" + body + "\n");
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void showWith(const QString &address)
    {
        b->Form_Type = 1;
        b->show();
        const QStringList parts = address.split('.');
        QLineEdit *fields[4] = {b->E_IP1, b->E_IP2, b->E_IP3, b->E_IP4};
        for (int i = 0; i < 4; ++i) fields[i]->setText(i < parts.size() ? parts[i] : QString());
    }
};

// ---- The job file --------------------------------------------------------------------------------

struct ExpectedOperation {
    const char *file; // relative to MASTER or the configuration's bin folder
    bool master;
    const char *address;
    const char *bank;
    bool setB;
    bool writeCss;
    bool goToAppAfter;
};

const ExpectedOperation kMainFirmware{"Sim41520.sim", true, "0x8000", "1", false, true, false};
const ExpectedOperation kMainBank1{"bank1.bin", false, "0x07000", "2", false, false, false};
const ExpectedOperation kMainBank2{"bank2.bin", false, "0x80000", "2", false, false, true};
const ExpectedOperation kEspFirmware{"Sim41520_ESP32.sim", true, "0x110000", "1", true, false, false};
const ExpectedOperation kEspBank1{"bank1_ESP32.bin", false, "0x09000", "2", false, false, false};
const ExpectedOperation kEspBank2{"bank2_ESP32.bin", false, "0x310000", "2", false, false, true};

QStringList childNames(const pugi::xml_node &n)
{
    QStringList names;
    for (pugi::xml_node c : n.children()) names << QString::fromUtf8(c.name());
    return names;
}

void expectOperations(const pugi::xml_node &operations, const std::vector<ExpectedOperation> &expected,
                      bool readBack, const QString &masterDir, const QString &binDir, const char *where)
{
    SCOPED_TRACE(where);
    ASSERT_EQ(size_t(std::distance(operations.children().begin(), operations.children().end())), expected.size());
    size_t i = 0;
    for (pugi::xml_node o : operations.children()) {
        const ExpectedOperation &e = expected[i++];
        SCOPED_TRACE(e.file);
        EXPECT_STREQ(o.name(), "Operation");
        const QString file = (e.master ? masterDir : binDir) + '/' + e.file;
        const QStringList want[] = {
            {"Ope_Protection_Enabled", ""},
            {"Ope_GoToBoot_Before", "0"},
            {"Ope_GoToApp_Before", "0"},
            {"Ope_IP_Address", ""},
            {"Ope_Port", "2008"},
            {"Ope_Port_Sec", "2007"},
            {"Ope_Erase_Memory", "0"},
            {"Ope_FileName", file},
            {"Ope_Start_Address", e.address},
            {"Ope_Memory_Type", "0"},
            {"Ope_Bank_Type", e.bank},
            {"Ope_Read_Back", readBack ? "1" : "0"},
            {"Ope_Write_CSS", e.writeCss ? "1" : "0"},
            {"Ope_Address_CSS", e.setB ? "0x78100" : "0x07A00"},
            {"Ope_Command_CSS", e.setB ? "0x0B" : "0x02"},
            {"Ope_Write_Internal_Data", "0"},
            {"Ope_WID_Address", e.setB ? "0x78200" : "0x07810"},
            {"Ope_WID_Command", e.setB ? "0x0B" : "0x02"},
            {"Ope_WID_Data", e.setB ? "" : "0x00, 0x00, 0x00, 0x01"},
            {"Ope_GoToApp_After", e.goToAppAfter ? "1" : "0"},
        };
        QStringList names;
        for (const QStringList &w : want) names << w[0];
        EXPECT_EQ(childNames(o), names);
        for (const QStringList &w : want) {
            const pugi::xml_node c = o.child(w[0].toUtf8().constData());
            EXPECT_EQ(QString::fromUtf8(c.child_value()), w[1]) << w[0].toStdString();
            EXPECT_FALSE(c.first_child() && c.first_child().type() == pugi::node_element);
        }
    }
}

TEST_F(Boot, JobFileForEachUpdateOption)
{
    // Web pages: the last firmware image, so they bring the device back only without configuration.
    const ExpectedOperation mainWeb0{"web_files_io_link.bin", true, "0xC0000", "1", false, false, false};
    const ExpectedOperation mainWeb1{"web_files_io_link.bin", true, "0xC0000", "1", false, false, true};
    const ExpectedOperation espWeb0{"web_files_io_link.bin", true, "0x350000", "1", true, false, false};
    const ExpectedOperation espWeb1{"web_files_io_link.bin", true, "0x350000", "1", true, false, true};
    const struct {
        int option;
        bool readBack;
        std::vector<ExpectedOperation> main, esp;
    } cases[] = {
        {0, true, {kMainFirmware, mainWeb0, kMainBank1, kMainBank2}, {kEspFirmware, espWeb0, kEspBank1, kEspBank2}},
        {0, false, {kMainFirmware, mainWeb0, kMainBank1, kMainBank2}, {kEspFirmware, espWeb0, kEspBank1, kEspBank2}},
        {1, true, {kMainFirmware, mainWeb1}, {kEspFirmware, espWeb1}},
        {2, false, {kMainBank1, kMainBank2}, {kEspBank1, kEspBank2}},
    };
    showWith("192.168.2.5");
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option << " read back " << c.readBack);
        b->CB_Update_Options->setCurrentIndex(c.option);
        b->CB_Update_Option_Read_Back->setChecked(c.readBack);
        QString error;
        ASSERT_TRUE(b->Compile_XML_Parameter_New_Boot(&error)) << error.toStdString();

        const QByteArray bytes = readAll(job());
        EXPECT_TRUE(bytes.startsWith("<Ethernet_Update><Version>1000</Version>")) << bytes.left(80).constData();
        EXPECT_FALSE(bytes.contains('\n'));
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_buffer(bytes.constData(), size_t(bytes.size())));
        const pugi::xml_node root = doc.document_element();
        EXPECT_STREQ(root.name(), "Ethernet_Update");
        EXPECT_FALSE(root.first_attribute());
        EXPECT_EQ(childNames(root), QStringList({"Version", "Title", "IP_Address_Dev", "Application_Port", "Boot_Port",
                                                 "Boot_Port_Sec", "Address_Protection", "Protections", "Operations",
                                                 "ESP32"}));
        EXPECT_STREQ(root.child_value("Title"), "Velmar - CF41520 Ethernet Update");
        EXPECT_STREQ(root.child_value("IP_Address_Dev"), "192.168.2.5");
        EXPECT_STREQ(root.child_value("Application_Port"), "10000");
        EXPECT_STREQ(root.child_value("Boot_Port"), "2008");
        EXPECT_STREQ(root.child_value("Boot_Port_Sec"), "2007");
        EXPECT_STREQ(root.child_value("Address_Protection"), "0x07800");
        EXPECT_EQ(childNames(root.child("Protections")), QStringList{"Protection"});
        EXPECT_STREQ(root.child("Protections").child_value("Protection"), "0x1E9");
        const pugi::xml_node esp = root.child("ESP32");
        EXPECT_EQ(childNames(esp), QStringList({"Address_Protection", "Operations"}));
        EXPECT_STREQ(esp.child_value("Address_Protection"), "0x7800");
        expectOperations(root.child("Operations"), c.main, c.readBack, Master_Dir, Project_Path + "/bin", "main");
        expectOperations(esp.child("Operations"), c.esp, c.readBack, Master_Dir, Project_Path + "/bin", "ESP32");
    }
    EXPECT_EQ(Master_Dir, dir.filePath("MASTER"));
}

TEST_F(Boot, JobThatCannotBeWrittenIsReportedAndTheToolNotStarted)
{
    installTool("exit 0");
    QDir(dir.path()).mkdir("Ethernet_Update.xml"); // a folder where the file should go
    FakePing ping([] { return answer(32); });
    showWith("10.1.2.3");
    ModalResponder responder;
    b->Btn_UpdateClick();
    ASSERT_EQ(responder.boxes().size(), 1);
    EXPECT_EQ(responder.boxes()[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(QFileInfo::exists(seen()));
}

// ---- The ping ------------------------------------------------------------------------------------

TEST_F(Boot, PingOutcomesShowTheirMessages)
{
    installTool("exit 0");
    b->Ping_Time_Limit_Ms = 300;
    const struct {
        const char *what;
        platform::PingReply reply;
        int messages;
        QMessageBox::Icon icon;
        QString text;
    } cases[] = {
        {"answer", answer(32), 0, QMessageBox::NoIcon, ""},
        {"reply without data", answer(0), 1, QMessageBox::Warning, "Device Not Found!"},
        {"time-out", platform::PingReply{}, 1, QMessageBox::Warning, "Device Not Found!"},
        {"error", platform::PingReply{false, 0, 0, "no echo socket"}, 1, QMessageBox::Critical,
         "Error!!! Check the Ip Address\n\nno echo socket"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(job());
        QFile::remove(seen());
        Last_IP_Address = "192.168.2.205";
        FakePing ping([&] { return c.reply; });
        showWith("10.1.2.3");
        ModalResponder responder;
        b->Btn_UpdateClick();
        ASSERT_EQ(responder.boxes().size(), c.messages) << responder.texts().join('\n').toStdString();
        const bool answered = c.messages == 0;
        if (!answered) {
            EXPECT_EQ(responder.boxes()[0].icon, c.icon);
            EXPECT_EQ(responder.boxes()[0].text, c.text);
            EXPECT_EQ(responder.boxes()[0].buttons, QMessageBox::Ok);
        }
        // An answering device is asked twice; an error ends the ping at once.
        const QStringList asked = ping.asked();
        ASSERT_FALSE(asked.isEmpty());
        EXPECT_EQ(asked.first(), "10.1.2.3");
        EXPECT_EQ(ping.timeouts().first(), TFBoot::kEchoTimeoutMs);
        if (answered) EXPECT_EQ(asked.size(), 2);
        if (c.reply.error.size()) EXPECT_EQ(asked.size(), 1);
        EXPECT_EQ(b->ping_res, answered ? 1 : c.reply.error.isEmpty() ? 2 : 0);
        // Only an answer writes the job, starts the tool and is remembered.
        EXPECT_EQ(QFileInfo::exists(job()), answered);
        EXPECT_EQ(QFileInfo::exists(seen()), answered);
        EXPECT_EQ(Last_IP_Address, answered ? "10.1.2.3" : "192.168.2.205");
    }
}

TEST_F(Boot, SilentAddressIsPingedUntilTheTimeLimit)
{
    std::atomic<int> calls{0};
    FakePing ping([&] {
        ++calls;
        QThread::msleep(40); // an echo that waits for its reply
        return platform::PingReply{};
    });
    b->Ping_Time_Limit_Ms = 400;
    showWith("10.9.9.9");
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(b->Send_Ping());
    EXPECT_GE(clock.elapsed(), 400);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(b->ping_res, 2);
    EXPECT_GE(calls.load(), 5);
}

TEST_F(Boot, LoopbackAnswersTheRealEcho)
{
    const platform::PingReply probe = platform::icmpEcho("127.0.0.1", 1000);
    if (!probe.error.isEmpty()) GTEST_SKIP() << probe.error.toStdString();
    showWith("127.0.0.1");
    EXPECT_TRUE(b->Send_Ping()) << b->Ping_Error.toStdString();
    EXPECT_EQ(b->ping_res, 1);
    EXPECT_TRUE(b->Ping_Error.isEmpty());
}

TEST_F(Boot, AddressIsCheckedBeforeThePingAndRememberedInItsPlainForm)
{
    installTool("exit 0");
    FakePing ping([] { return answer(32); });
    for (const char *bad : {"10.1.2", "10.1.2.256", "10.1.x.3", "10.1.2.-1", "...", "10.1.2.3."}) {
        SCOPED_TRACE(bad);
        showWith(bad);
        if (QString(bad) == "10.1.2.3.") b->E_IP4->setText("3.");
        ModalResponder responder;
        b->Btn_UpdateClick();
        EXPECT_EQ(responder.texts(), QStringList{"Error!!! Check the Ip Address"});
    }
    EXPECT_TRUE(ping.asked().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(job()));
    EXPECT_EQ(Last_IP_Address, "192.168.2.205");

    showWith("010. 1.0x2.003");
    ModalResponder responder;
    b->Btn_UpdateClick();
    EXPECT_TRUE(responder.texts().isEmpty()) << responder.texts().join('\n').toStdString();
    EXPECT_EQ(ping.asked().first(), "10.1.2.3");
    EXPECT_EQ(Last_IP_Address, "10.1.2.3");
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(job().toLocal8Bit().constData()));
    EXPECT_STREQ(doc.document_element().child_value("IP_Address_Dev"), "10.1.2.3");
}

TEST_F(Boot, FieldsStartFromTheLastAddressThatASuccessfulPingRemembers)
{
    // A fresh start shows the default address, the first option and read back ticked.
    b->show();
    EXPECT_EQ(b->E_IP1->text(), "192");
    EXPECT_EQ(b->E_IP2->text(), "168");
    EXPECT_EQ(b->E_IP3->text(), "2");
    EXPECT_EQ(b->E_IP4->text(), "205");
    EXPECT_EQ(b->CB_Update_Options->currentIndex(), 0);
    EXPECT_TRUE(b->CB_Update_Option_Read_Back->isChecked());
    b->hide();

    installTool("exit 0");
    {
        FakePing ping([] { return answer(32); });
        showWith("10.0.0.7");
        b->CB_Update_Options->setCurrentIndex(2);
        b->CB_Update_Option_Read_Back->setChecked(false);
        ModalResponder responder;
        b->Btn_UpdateClick();
        ASSERT_TRUE(responder.texts().isEmpty());
        b->hide();
    }
    EXPECT_EQ(Last_IP_Address, "10.0.0.7");
    EXPECT_EQ(Last_Update_Option, 2);
    EXPECT_FALSE(Last_Read_Back);
    b->E_IP1->setText("99");
    b->show();
    EXPECT_EQ(b->Typed_Address(), "10.0.0.7");
    EXPECT_EQ(b->CB_Update_Options->currentIndex(), 2);
    EXPECT_FALSE(b->CB_Update_Option_Read_Back->isChecked());
    b->hide();

    // A failed ping remembers nothing: the next showing starts from the same address.
    {
        FakePing ping([] { return answer(0); });
        b->Ping_Time_Limit_Ms = 50;
        showWith("10.0.0.8");
        b->CB_Update_Options->setCurrentIndex(1);
        ModalResponder responder;
        b->Btn_UpdateClick();
        EXPECT_EQ(responder.texts(), QStringList{"Device Not Found!"});
        b->hide();
    }
    EXPECT_EQ(Last_IP_Address, "10.0.0.7");
    EXPECT_EQ(Last_Update_Option, 2);
    b->show();
    EXPECT_EQ(b->Typed_Address(), "10.0.0.7");

    // The address is kept in the settings file; an address the fields cannot show leaves them alone.
    FDovavivuvFirmWare->Save_Setting();
    EXPECT_TRUE(readAll(dir.filePath("Fabricor.xml")).contains("<ipaddress>10.0.0.7</ipaddress>"));
    b->hide();
    Last_IP_Address = "not an address";
    b->show();
    EXPECT_EQ(b->Typed_Address(), "10.0.0.7");
}

// ---- The update tool -----------------------------------------------------------------------------

TEST_F(Boot, ToolSeesTheJobAndItsOutcomeIsReported)
{
    FakePing ping([] { return answer(32); });
    FDovavivuvFirmWare->Start_Program_Timeout_Ms = 600;
    const struct {
        const char *what;
        QByteArray body; // empty: no tool at all
        QMessageBox::Icon icon;
        QString text;
    } cases[] = {
        {"success", "exit 0", QMessageBox::NoIcon, ""},
        {"exit code", "exit 3", QMessageBox::Critical,
         "Error!!! The update program " + dir.filePath("Ethernet_Update.exe") + " ended with the error code 3"},
        {"time-out", "sleep 5", QMessageBox::Warning,
         "Warning!!! The update program " + dir.filePath("Ethernet_Update.exe") + " is still running after 1 seconds"},
        {"missing", "", QMessageBox::Critical,
         "Error!!! The update program " + dir.filePath("Ethernet_Update.exe") + " could not be started"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(dir.filePath("Ethernet_Update.exe"));
        QFile::remove(seen());
        if (!c.body.isEmpty()) installTool(c.body);
        showWith("10.2.3.4");
        ModalResponder responder;
        b->Btn_UpdateClick();
        if (c.text.isEmpty()) {
            EXPECT_TRUE(responder.texts().isEmpty()) << responder.texts().join('\n').toStdString();
        } else {
            ASSERT_EQ(responder.boxes().size(), 1);
            EXPECT_EQ(responder.boxes()[0].icon, c.icon);
            EXPECT_EQ(responder.boxes()[0].text, c.text);
        }
        if (!c.body.isEmpty()) {
            // Started without arguments, after the job was written.
            EXPECT_EQ(readAll(seen()), readAll(job()));
            EXPECT_EQ(readAll(dir.filePath("argc")).trimmed(), "0");
        }
        EXPECT_TRUE(b->isVisible()); // the window stays open for another try
    }
}

TEST_F(Boot, WindowKeepsPaintingWhileItWaits)
{
    struct PaintCounter : QObject {
        std::atomic<int> paints{0};
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    installTool("sleep 0.6");
    FakePing ping([] {
        QThread::msleep(300); // a slow answer
        return answer(32);
    });
    showWith("10.2.3.4");
    QApplication::processEvents();
    b->L_IP_Address->installEventFilter(&counter);
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, b->L_IP_Address, [&] { b->L_IP_Address->update(); });
    repaint.start(50);

    // Closing is refused while the tool runs; the window stays open.
    QTimer::singleShot(400, b, [this] { b->reject(); });
    QTimer::singleShot(450, b, [this] { b->close(); });
    ModalResponder responder;
    QElapsedTimer clock;
    clock.start();
    b->Btn_UpdateClick();
    const qint64 took = clock.elapsed();
    repaint.stop();
    b->L_IP_Address->removeEventFilter(&counter);
    EXPECT_TRUE(responder.texts().isEmpty());
    EXPECT_GE(took, 1100);
    // Two echoes of 300 ms and 600 ms of the tool: about 24 repaints asked for.
    EXPECT_GE(counter.paints.load(), 12);
    EXPECT_TRUE(b->isVisible());
}

// ---- Window --------------------------------------------------------------------------------------

TEST_F(Boot, EthernetLayoutAndTexts)
{
    b->Form_Type = 1;
    b->show();
    EXPECT_EQ(b->size(), QSize(449, 230));
    EXPECT_TRUE(b->P_IP_Address->isVisible());
    EXPECT_TRUE(b->P_Options->isVisible());
    EXPECT_FALSE(b->P_Serial->isVisible());
    EXPECT_FALSE(b->P_Eth_Search->isVisible());
    EXPECT_FALSE(b->Btn_OK->isVisible());
    EXPECT_EQ(b->P_IP_Address->height(), 49);
    EXPECT_EQ(b->P_Options->height(), 72);
    EXPECT_EQ(b->P_IP_Address->mapTo(b, QPoint()).y(), 69);
    EXPECT_EQ(b->P_Options->mapTo(b, QPoint()).y(), 69 + 49);
    EXPECT_EQ(b->P_Button->y(), 69 + 49 + 72);
    EXPECT_EQ(b->E_IP1->width(), 41);
    EXPECT_EQ(b->windowTitle(), "Update Device by Ethernet (UDP)");
    EXPECT_EQ(b->L_SW_Desc->text(), "Update Device Using the Ethernet Port");
    EXPECT_EQ(b->L_SW_Code->text(), "CF41520");
    EXPECT_EQ(b->L_IP_Address->text(), "Insert the IP Address of Device");
    EXPECT_EQ(b->L_Update_Option->text(), "Select Update Options");
    EXPECT_EQ(b->CB_Update_Options->count(), 3);
    EXPECT_EQ(b->CB_Update_Options->itemText(0), "Firmware + Configuration");
    EXPECT_EQ(b->CB_Update_Options->itemText(1), "Firmware");
    EXPECT_EQ(b->CB_Update_Options->itemText(2), "Configuration");
    EXPECT_EQ(b->CB_Update_Option_Read_Back->text(), "Read Back");
    EXPECT_EQ(b->Btn_Cancel->text(), "Cancel");
    EXPECT_EQ(b->Btn_Update->text(), "Execute Update Firmware");
    EXPECT_EQ(b->E_IP3->toolTip(), "Insert third byte of IP Address");
    EXPECT_EQ(b->Btn_Update->toolTip(), "Start the update of Device");
    EXPECT_EQ(b->Btn_Cancel->toolTip(), "Exit without to do the Update");
    EXPECT_TRUE(b->CB_Find_All_Velmar->isChecked());
    // The never-shown search panel still carries its device list with its two columns.
    ASSERT_EQ(b->NCG_List_Devices->ColCount(), 2);
    EXPECT_EQ(b->NCG_List_Devices->Columns()->GetItem(0)->Header(), "IP Address");
    EXPECT_EQ(b->NCG_List_Devices->Columns()->GetItem(1)->Header(), "MAC Address");
    EXPECT_EQ(b->NCG_List_Devices->Cells(0, 0), "IP Address");
    EXPECT_EQ(b->NCG_List_Devices->ColWidths(0), 180);
    EXPECT_EQ(b->NCG_List_Devices->ColWidths(1), 180);
    EXPECT_EQ(b->NCG_List_Devices->toolTip(), "Select a device in the list");
    // The captions fit their buttons.
    for (TLbButton *button : {b->Btn_Cancel, b->Btn_Update})
        EXPECT_LT(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 32, button->width())
            << button->text().toStdString();

    // A language file's texts arrive through Set_Lang; the list starts again at its first entry.
    b->CB_Update_Options->setCurrentIndex(2);
    Lang_Texts[1416] = "Nur Firmware";
    b->Set_Lang();
    EXPECT_EQ(b->CB_Update_Options->itemText(1), "Nur Firmware");
    EXPECT_EQ(b->CB_Update_Options->currentIndex(), 0);
    Load_Default_Texts();
}

TEST_F(Boot, DotMovesToTheNextAddressField)
{
    showWith("1.2.3.4");
    b->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(b));
    b->E_IP2->setFocus();
    QTest::keyClick(b->E_IP2, '.');
    EXPECT_EQ(QApplication::focusWidget(), b->E_IP3);
    QTest::keyClick(b->E_IP4, '.');
    EXPECT_EQ(QApplication::focusWidget(), b->E_IP3);
    QTest::keyClick(b->E_IP3, '7'); // the octet reached is selected, so typing replaces it
    EXPECT_EQ(b->E_IP2->text(), "2");
    EXPECT_EQ(b->E_IP3->text(), "7");
    EXPECT_EQ(b->E_IP4->text(), "4");
    // A field that cannot take the focus is passed over.
    b->E_IP4->setEnabled(false);
    QTest::keyClick(b->E_IP3, '.');
    EXPECT_EQ(QApplication::focusWidget(), b->E_IP3);
    EXPECT_EQ(b->E_IP3->text(), "7");
}

TEST_F(Boot, SerialAndUsbLayouts)
{
    b->Form_Type = 0;
    b->show();
    EXPECT_EQ(b->windowTitle(), "Update Device by Serial");
    EXPECT_EQ(b->L_SW_Desc->text(), "Update Device Using the Serial Port");
    EXPECT_TRUE(b->P_Serial->isVisible());
    EXPECT_TRUE(b->P_Options->isVisible());
    EXPECT_FALSE(b->P_IP_Address->isVisible());
    EXPECT_EQ(b->size(), QSize(449, 69 + 51 + 72 + 40));
    const struct {
        int option;
        bool readBack;
        const char *flags;
    } cases[] = {
        {0, true, "FW FR PW PR "}, {0, false, "FW NO PW NO "}, {1, true, "FW FR NO NO "},
        {1, false, "FW NO NO NO "}, {2, true, "NO NO PW PR "}, {2, false, "NO NO PW NO "},
    };
    for (const auto &c : cases) {
        b->CB_Update_Options->setCurrentIndex(c.option);
        b->CB_Update_Option_Read_Back->setChecked(c.readBack);
        EXPECT_EQ(b->Update_Options("x "), QString("x ") + c.flags) << c.option << c.readBack;
    }
    b->hide();

    b->Form_Type = 2;
    b->show();
    EXPECT_EQ(b->windowTitle(), "Update Device by USB");
    EXPECT_EQ(b->L_SW_Desc->text(), "Update Device Using the USB Port");
    EXPECT_FALSE(b->P_Serial->isVisible());
    EXPECT_FALSE(b->P_IP_Address->isVisible());
    EXPECT_FALSE(b->P_Options->isVisible());
    FakePing ping([] { return answer(32); });
    ModalResponder responder;
    b->Btn_UpdateClick();
    EXPECT_EQ(responder.modalsSeen(), 0);
    EXPECT_TRUE(ping.asked().isEmpty());
    b->hide();
}

TEST_F(Boot, Screenshot)
{
    b->Form_Type = 1;
    b->show();
    QApplication::processEvents();
    const QImage shot = b->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(449, 230) * shot.devicePixelRatio());
    shot.save(QDir::temp().filePath("boot_window.png"));
}

// ---- The main window's update step ---------------------------------------------------------------

// From an empty program folder: a new configuration, its communication parameters, then Step 4 builds the images, pings 127.0.0.1,
// writes the job beside the program and starts the tool, which sees that job.
TEST(BootRoad, StepFourFromAnEmptyFolder)
{
    const platform::PingReply probe = platform::icmpEcho("127.0.0.1", 1000);
    if (!probe.error.isEmpty()) GTEST_SKIP() << probe.error.toStdString();
    QTemporaryDir dir;
    TProgramWindows windows(dir.path());
    auto *w = FDovavivuvFirmWare;
    createConfiguration("Road");
    ASSERT_FALSE(HasFatalFailure());
    {
        // Set Communication confirmed with the window's values writes "ParGen.xml".
        ModalResponder responder;
        responder.then([](QWidget *d) {
            auto *dlg = qobject_cast<TFParGen *>(d);
            ASSERT_NE(dlg, nullptr);
            dlg->Btn_OK->click();
        });
        w->Btn_Prm_Gen->click();
        ASSERT_TRUE(responder.texts().isEmpty()) << responder.texts().join('\n').toStdString();
        ASSERT_TRUE(QFileInfo::exists(ParGen_File));
    }
    stepFourOnLoopback(dir.path(), "Road");
    EXPECT_EQ(Last_IP_Address, "127.0.0.1");
    w->close();
    EXPECT_TRUE(readAll(dir.filePath("Fabricor.xml")).contains("<ipaddress>127.0.0.1</ipaddress>"));
}

} // namespace
