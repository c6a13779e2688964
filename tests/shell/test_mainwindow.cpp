#include "platform/UrlOpener.h"
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"
#include "shell/controls/LbButton.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <QListWidget>
#include <signal.h>

using testsupport::LoopbackHttpServer;
using testsupport::ModalResponder;

using testsupport::writeFile;

namespace {

class MainWindow : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TProgramWindows> windows;
    DIDurovuzozAdozAvir *w = nullptr;
    QList<QUrl> opened;
    platform::UrlOpenFunction previousOpener;
    QString oldHost = Web_Server_Host;
    quint16 oldPort = Web_Server_Port;
    int oldTimeout = Version_Query_Timeout_Ms;

    void SetUp() override
    {
        previousOpener = platform::setUrlOpener([this](const QUrl &u) {
            opened << u;
            return true;
        });
        start();
    }
    void TearDown() override
    {
        windows.reset();
        platform::setUrlOpener(std::move(previousOpener));
        Web_Server_Host = oldHost;
        Web_Server_Port = oldPort;
        Version_Query_Timeout_Ms = oldTimeout;
    }
    void start()
    {
        windows.reset();
        windows = std::make_unique<TProgramWindows>(dir.path());
        w = FDovavivuvFirmWare;
    }
    void useLoopback(const LoopbackHttpServer &server, int timeoutMs = 3000)
    {
        Web_Server_Host = QStringLiteral("127.0.0.1");
        Web_Server_Port = server.port();
        Version_Query_Timeout_Ms = timeoutMs;
    }
};

QRect rectOf(QWidget *c) { return c->geometry(); }

} // namespace

TEST_F(MainWindow, LayoutOfTheFourStepWizard)
{
    EXPECT_EQ(w->size(), QSize(694, 396));
    const struct {
        QWidget *control;
        int top, left, width, height; // -1: the size follows the text
        bool visible;
    } table[] = {
        {w->L_SW_Code, 8, 16, -1, -1, true},
        {w->L_SW_Desc, 42, 16, -1, -1, true},
        {w->L_Begin, 84, 16, -1, -1, true},
        {w->Shape2, 70, 80, 348, 36, true},
        {w->L_Name_Conf, 75, 87, -1, -1, true},
        {w->L_Name_Conf_L2, 88, 87, -1, -1, true},
        {w->L_Step[0], 128, 16, -1, -1, true},
        {w->L_Step[1], 172, 16, -1, -1, true},
        {w->L_Step[2], 216, 16, -1, -1, true},
        {w->L_Step[3], 260, 16, -1, -1, true},
        {w->L_Step[4], 304, 16, -1, -1, false},
        {w->L_Step[5], 348, 16, -1, -1, false},
        {w->L_Step[6], 392, 16, -1, -1, false},
        {w->L_Step[7], 436, 16, -1, -1, false},
        {w->L_Velmar, 260, 565, -1, -1, true},
        {w->LL_Update, 19, 208, 294, 17, false},
        {w->Btn_Info, 8, 516, 50, 50, true},
        {w->Btn_Opz, 8, 574, 50, 50, true},
        {w->Btn_Close, 8, 632, 50, 50, true},
        {w->Btn_New, 112, 80, 170, 36, true},
        {w->Btn_Open, 112, 258, 170, 36, true},
        {w->Btn_Prm_Gen, 156, 80, 170, 36, true},
        {w->Btn_IOLink_Set_Access, 200, 80, 170, 36, true},
        {w->Btn_CreateBin, 244, 80, 170, 36, true},
        {w->Shape1, 295, 10, 674, 1, true},
    };
    for (const auto &c : table) {
        const QString name = c.control->objectName();
        const QRect r = rectOf(c.control);
        EXPECT_EQ(r.top(), c.top) << name.toStdString();
        EXPECT_EQ(r.left(), c.left) << name.toStdString();
        if (c.width >= 0) EXPECT_EQ(r.size(), QSize(c.width, c.height)) << name.toStdString();
        EXPECT_EQ(c.control->isVisibleTo(w), c.visible) << name.toStdString();
        // Nothing is cut at the window's edges.
        if (c.visible) EXPECT_LE(r.right(), w->width() - 1) << name.toStdString();
    }
    for (QAbstractButton *b : {w->Btn_Modbus_Set_Access, w->Btn_BACnet_SetAccess, w->Btn_BACnet_EDE_File,
                               w->Btn_CAN_Rec_Frame, w->Btn_CAN_Send_Frame, w->Btn_SDO_Server_CANopen,
                               w->Btn_SDO_Client_CANopen, w->Btn_PDO_CANopen, w->Btn_CANopen_EDS, w->Btn_SNMP_Trap,
                               w->Btn_SNMP_MIB, w->Btn_MQTT_Set_Topic, w->Btn_NMEA0183_Access,
                               w->Btn_EtherCAT_Set_Access, w->Btn_EtherCAT_ESI_File, w->Btn_EtherCAT_Set_Group,
                               w->Btn_PROFINET_XML}) {
        EXPECT_FALSE(b->isVisibleTo(w)) << b->objectName().toStdString();
        EXPECT_EQ(b->size(), QSize(170, 36));
    }
    EXPECT_EQ(w->Btn_PROFINET_XML->text(), QStringLiteral("PROFINET XML"));
    EXPECT_EQ(w->L_Velmar->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(248, 247, 237));
}

TEST_F(MainWindow, TextsOfTheWindow)
{
    const struct {
        QWidget *control;
        const char *text, *hint;
    } table[] = {
        {w->L_Begin, "Begin", nullptr},
        {w->L_Step[0], "Step 1", nullptr},
        {w->L_Step[3], "Step 4", nullptr},
        {w->Btn_Info, "", "Information"},
        {w->Btn_Opz, "", "Options"},
        {w->Btn_Close, "", "Close Configurator"},
        {w->Btn_New, "New Configuration", "Create a new configuration for the device"},
        {w->Btn_Open, "Open Configuration", "Open an exists configuration"},
        {w->Btn_Prm_Gen, "Set Communication", "Set the main parameters of Protocols"},
        {w->Btn_IOLink_Set_Access, "IO-Link Set Access", "Set the IO-Link Channels"},
        {w->Btn_CreateBin, "Update Device UDP", "Update the actual Firmware and/or Configuration in the device"},
        {w->Btn_CAN_Rec_Frame, "Receive Frames", "Set the CAN Receive Frames Rules"},
        {w->Btn_CAN_Send_Frame, "Send Frames", "Set the CAN Send Frames Rules"},
        {w->Btn_EtherCAT_Set_Group, "EtherCAT Set Group", "Set The EtherCAT Group"},
    };
    for (const auto &c : table) {
        if (auto *l = qobject_cast<QLabel *>(c.control))
            EXPECT_EQ(l->text(), QString::fromUtf8(c.text));
        else
            EXPECT_EQ(static_cast<QAbstractButton *>(c.control)->text(), QString::fromUtf8(c.text));
        if (c.hint) EXPECT_EQ(c.control->toolTip(), QString::fromUtf8(c.hint)) << c.hint;
    }
    EXPECT_EQ(w->L_Velmar->text(), Web_Address_Text());
}

TEST_F(MainWindow, StepsRefuseToStartWithoutAConfiguration)
{
    ModalResponder responder;
    for (QAbstractButton *b : {w->Btn_Prm_Gen, w->Btn_IOLink_Set_Access, w->Btn_CreateBin, w->Btn_SNMP_Trap,
                               w->Btn_PROFINET_XML})
        b->click();
    EXPECT_EQ(responder.texts(), QStringList(5, QStringLiteral("Error! Project not Valid")));
}

TEST_F(MainWindow, NewConfigurationOpensIt)
{
    {
        ModalResponder responder;
        responder.then([](QWidget *d) {
            auto *dlg = qobject_cast<TFNew_Project *>(d);
            ASSERT_NE(dlg, nullptr);
            dlg->E_New_Proj->setText(QStringLiteral("Line 3"));
            dlg->Btn_OK->click();
        });
        w->Btn_New->click();
        EXPECT_TRUE(responder.texts().isEmpty());
    }
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/PROJECTS/Line 3/bin")).isDir());
    EXPECT_EQ(Project_Name, QStringLiteral("Line 3"));
    EXPECT_EQ(Project_Path, dir.path() + QStringLiteral("/PROJECTS/Line 3"));
    EXPECT_EQ(ParGen_File, Project_Path + QStringLiteral("/ParGen.xml"));
    EXPECT_EQ(w->L_Name_Conf->text(), QStringLiteral("Opened Configuration of the Converter : "));
    EXPECT_EQ(w->L_Name_Conf_L2->text(), QStringLiteral("Line 3"));

    // Cancel changes nothing.
    {
        ModalResponder cancel;
        w->Btn_New->click();
        EXPECT_EQ(cancel.modalsSeen(), 1);
    }
    EXPECT_EQ(Project_Name, QStringLiteral("Line 3"));
    EXPECT_EQ(w->L_Name_Conf_L2->text(), QStringLiteral("Line 3"));
}

TEST_F(MainWindow, OpenConfigurationListsAndOpensTheChosenOne)
{
    for (const char *name : {"Alpha", "Beta", "Gamma"}) QDir(dir.path()).mkpath(QStringLiteral("PROJECTS/") + name);
    writeFile(dir.path() + QStringLiteral("/PROJECTS/file.txt"), "x");
    QStringList listed;
    ModalResponder responder;
    responder.then([&](QWidget *d) {
        auto *dlg = qobject_cast<TFOpenConf *>(d);
        ASSERT_NE(dlg, nullptr);
        listed = dlg->SL;
        dlg->ListBox1->setCurrentRow(1);
        dlg->Btn_OK->click();
    });
    w->Btn_Open->click();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}));
    EXPECT_EQ(Project_Name, QStringLiteral("Beta"));
    EXPECT_EQ(Project_Path, dir.path() + QStringLiteral("/PROJECTS/Beta"));
    EXPECT_EQ(IOLink_SetAccess_File, Project_Path + QStringLiteral("/IOLink_SetAccess.xml"));
    EXPECT_EQ(w->L_Name_Conf_L2->text(), QStringLiteral("Beta"));

    // The steps now run: no error box; Step 2 opens the communication parameters.
    writeFile(ParGen_File, "<Par_Gen/>");
    w->Btn_CreateBin->click();
    EXPECT_TRUE(responder.texts().isEmpty());
    QString step2;
    responder.then([&](QWidget *d) {
        step2 = d->objectName();
        static_cast<QDialog *>(d)->reject();
    });
    w->Btn_Prm_Gen->click();
    EXPECT_EQ(step2, QStringLiteral("FParGen"));
    EXPECT_TRUE(responder.texts().isEmpty());
}

TEST_F(MainWindow, OpenConfirmedOnAnEmptyListLeavesNoConfigurationOpen)
{
    QDir(dir.path()).mkpath(QStringLiteral("PROJECTS/Only"));
    {
        ModalResponder first;
        first.then([](QWidget *d) { static_cast<TFOpenConf *>(d)->Btn_OK->click(); });
        w->Btn_Open->click();
    }
    ASSERT_EQ(Project_Name, QStringLiteral("Only"));

    // The folder disappears; the dialog must not hand back the earlier choice.
    ASSERT_TRUE(QDir(dir.path() + QStringLiteral("/PROJECTS/Only")).removeRecursively());
    {
        ModalResponder second;
        second.then([](QWidget *d) { static_cast<TFOpenConf *>(d)->Btn_OK->click(); });
        w->Btn_Open->click();
    }
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_EQ(w->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(w->L_Name_Conf_L2->text(), QStringLiteral("Use Step1 to open or create new configuration"));
    ModalResponder steps;
    w->Btn_Prm_Gen->click();
    EXPECT_EQ(steps.texts(), QStringList{QStringLiteral("Error! Project not Valid")});
}

TEST_F(MainWindow, VersionCheckTickShowsOrHidesTheLink)
{
    const struct {
        const char *name;
        QByteArray reply;
        bool silent;
        bool link;
    } cases[] = {
        {"newer", LoopbackHttpServer::okReply("VER. 1.104"), false, true},
        {"none published", LoopbackHttpServer::okReply("VER. 0.000"), false, false},
        {"same", LoopbackHttpServer::okReply("VER. 1.103"), false, false},
        {"newer again", LoopbackHttpServer::okReply("ver. 2.000\r\n"), false, true},
        {"html error page", "HTTP/1.0 404 Not Found\r\n\r\n<html><body>Error 12345</body></html>", false, false},
        {"html page with 200", LoopbackHttpServer::okReply("<html><body>Error 12345</body></html>"), false, false},
        {"garbage", "\x7f\x01garbage 9.999", false, false},
        {"short", LoopbackHttpServer::okReply("VER. 1.1"), false, false},
        {"no answer", {}, true, false},
    };
    bool linkShownBefore = false;
    for (const auto &c : cases) {
        // The last state must be replaced either way.
        ASSERT_EQ(w->LL_Update->isVisibleTo(w), linkShownBefore) << c.name;
        LoopbackHttpServer server(c.reply, c.silent);
        useLoopback(server, c.silent ? 300 : 3000);
        w->Timer_UpdateTimer();
        EXPECT_EQ(w->LL_Update->isVisibleTo(w), c.link) << c.name;
        EXPECT_TRUE(w->Timer_Update.isActive()) << c.name;
        EXPECT_EQ(w->Timer_Update.interval(), 7200000) << c.name;
        linkShownBefore = c.link;
        if (c.link) {
            EXPECT_TRUE(w->LL_Update->text().contains(QStringLiteral("New Version Available. Click Here for more Details")));
            EXPECT_TRUE(w->LL_Update->text().contains(QStringLiteral("Home/download/download.asp#GW41520")));
        }
    }
}

TEST_F(MainWindow, LinksOpenTheMakersPages)
{
    LoopbackHttpServer server(LoopbackHttpServer::okReply("VER. 1.104"));
    useLoopback(server);
    w->Timer_UpdateTimer();
    ASSERT_TRUE(w->LL_Update->isVisibleTo(w));
    // The whole link text fits and stays clear of the icon buttons.
    EXPECT_GE(w->LL_Update->width(), w->LL_Update->sizeHint().width());
    EXPECT_LT(w->LL_Update->geometry().right(), w->Btn_Info->x());
    w->show();
    w->grab().save(QStringLiteral("/tmp/main4_mainwindow_link.png"));
    emit w->LL_Update->linkActivated(w->LL_Update->text().section(QLatin1Char('"'), 1, 1));
    w->L_VelmarClick();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.at(0).path(), QStringLiteral("/Home/download/download.asp"));
    EXPECT_EQ(opened.at(0).fragment(), QStringLiteral("GW41520"));
    EXPECT_EQ(opened.at(1).path(), QStringLiteral("/HOME/default.asp"));
    EXPECT_EQ(opened.at(1).query(), QStringLiteral("frompg=CF41520"));
    // Only web addresses leave the program.
    w->LL_UpdateLinkClick(QStringLiteral("file:///etc/passwd"));
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(MainWindow, TimerFollowsTheOptions)
{
    w->Set_Update_Timer(true);
    ASSERT_TRUE(w->Timer_Update.isActive());
    const int remaining = w->Timer_Update.remainingTime();
    QTest::qWait(30);
    w->Set_Update_Timer(true); // does not restart the interval
    EXPECT_LT(w->Timer_Update.remainingTime(), remaining);
    w->Set_Update_Timer(false);
    EXPECT_FALSE(w->Timer_Update.isActive());
}

TEST_F(MainWindow, StartProgramWaitsForTheEndOrTheTimeOut)
{
    QElapsedTimer clock;
    clock.start();
    platform::RunResult r = w->Start_Program(QStringLiteral("/bin/sh"), QStringLiteral("-c \"exit 0\""), 0);
    EXPECT_EQ(r.outcome, platform::RunOutcome::Ended);
    EXPECT_LT(clock.elapsed(), 250);

    w->Start_Program_Timeout_Ms = 200;
    clock.restart();
    r = w->Start_Program(QStringLiteral("sleep"), QStringLiteral("20"), 1);
    EXPECT_EQ(r.outcome, platform::RunOutcome::StillRunning);
    EXPECT_GE(clock.elapsed(), 200);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(platform::isProgramRunning(r.pid));
    ::kill(pid_t(r.pid), SIGKILL);

    // A program that cannot start returns silently.
    ModalResponder responder;
    EXPECT_EQ(w->Start_Program(dir.path() + QStringLiteral("/Ethernet_Update.exe"), QString(), 0).outcome,
              platform::RunOutcome::NotStarted);
    EXPECT_EQ(responder.modalsSeen(), 0);
}

TEST_F(MainWindow, TypeOfBACnetFromTheCommunicationFile)
{
    QDir(dir.path()).mkpath(QStringLiteral("PROJECTS/P"));
    Project_Path = dir.path() + QStringLiteral("/PROJECTS/P");
    w->Set_Files();
    const struct {
        const char *file;
        int value;
    } cases[] = {
        {nullptr, 0},
        {"<Par_Gen><BACnet_Type>2</BACnet_Type></Par_Gen>", 2},
        {"<Par_Gen><BACnet_Type>x</BACnet_Type></Par_Gen>", 0},
        {"<Par_Gen><Other>3</Other></Par_Gen>", 0},
        {"<Par_Gen><BACnet_Type><a>3</a></BACnet_Type></Par_Gen>", 0},
        {"<Par_Gen><BACnet_Type>", 0},
    };
    for (const auto &c : cases) {
        QFile::remove(ParGen_File);
        if (c.file) writeFile(ParGen_File, c.file);
        EXPECT_EQ(w->Get_Type_BACnet(), c.value) << (c.file ? c.file : "no file");
    }
}

TEST_F(MainWindow, CloseButtonClosesAndSavesTheSettings)
{
    w->show();
    w->Btn_Close->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("/Fabricor.xml")));
}

TEST_F(MainWindow, AboutWindowFromTheInformationButton)
{
    ModalResponder responder;
    QString version, code;
    responder.then([&](QWidget *d) {
        auto *about = qobject_cast<TFAbout *>(d);
        ASSERT_NE(about, nullptr);
        // Shown over the main window, which alone owns the task-bar button.
        ASSERT_NE(about->windowHandle(), nullptr);
        EXPECT_EQ(about->windowHandle()->transientParent(), w->windowHandle());
        version = about->Label10->text();
        code = about->Label9->text();
        about->LbButton1->click();
    });
    w->Btn_Info->click();
    EXPECT_EQ(version, QStringLiteral("1.103"));
    EXPECT_EQ(code, QStringLiteral("CF41520"));
    EXPECT_FALSE(FAbout->isVisible());
}

// A screen reader names a button without a caption by its hint, in the language chosen last.
TEST_F(MainWindow, ButtonsWithoutACaptionAreNamedByTheirHints)
{
    auto name = [](QWidget *b) {
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(b);
        return i ? i->text(QAccessible::Name) : QString();
    };
    w->show();
    const struct {
        QWidget *button;
        int slot;
        const char *english, *other;
    } icons[] = {
        {w->Btn_Info, 12, "Information", "Informazioni"},
        {w->Btn_Opz, 13, "Options", "Opzioni"},
        {w->Btn_Close, 14, "Close Configurator", "Chiudi"},
    };
    for (const auto &b : icons)
        EXPECT_EQ(name(b.button), QString::fromUtf8(b.english));
    EXPECT_EQ(name(w->Btn_New), QStringLiteral("New Configuration")) << "a caption stays the name";
    int unnamed = 0;
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *button = qobject_cast<TLbButton *>(widget);
        if (button && button->text().isEmpty() && !button->toolTip().isEmpty() && name(button) != button->toolTip()) {
            ADD_FAILURE() << button->objectName().toStdString() << " of " << button->window()->objectName().toStdString();
            ++unnamed;
        }
    }
    EXPECT_EQ(unnamed, 0);

    for (const auto &b : icons)
        Lang_Texts[b.slot] = QString::fromUtf8(b.other);
    w->Change_Language();
    for (const auto &b : icons)
        EXPECT_EQ(name(b.button), QString::fromUtf8(b.other));
    Load_Default_Texts();
}

TEST_F(MainWindow, Screenshot)
{
    QDir(dir.path()).mkpath(QStringLiteral("PROJECTS/Plant 1"));
    Project_Name = QStringLiteral("Plant 1");
    Reopen_Last_Project();
    w->Set_Lang();
    w->show();
    QTest::qWait(20);
    const QImage shot = w->grab().toImage();
    shot.save(QStringLiteral("/tmp/main4_mainwindow.png"));
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // Under a real X server (xvfb-run) the screen shows the window as the user sees it.
        QTest::qWait(300);
        w->screen()->grabWindow(0).save(QStringLiteral("/tmp/main4_screen.png"));
    }
    EXPECT_EQ(shot.size(), QSize(694, 396));
    // The window is not one flat colour: labels and buttons are drawn.
    EXPECT_NE(shot.pixel(100, 130), shot.pixel(5, 390));
}
