#include "iolink/UBoot.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "iolink/UIO_Link_Set_Access.h"
#include "protocols/UEtherCATSlave.h"
#include "protocols/UEtherCATSlave_Group.h"
#include "protocols/UMQTT_Set_Topic.h"
#include "protocols/UModbus_TCP_Master_Set_Access.h"
#include "protocols/UNMEA_0183_Set_Access.h"
#include "protocols/UNMEA_0183_Set_Access2.h"
#include "protocols/USNMP_Trap_Access.h"
#include "protocols/USetAccess.h"
#include "protocols/UTopicTemplate.h"
#include "protocols/UBACnetSlaveSetAccess.h"
#include "protocols/UBACnet_Eng_Unit.h"
#include "protocols/UReceiveCAN.h"
#include "protocols/UTransmitCAN.h"
#include "protocols/UReceiveJ1939.h"
#include "protocols/UReceiveNMEA.h"
#include "protocols/USet_PDO_Access.h"
#include "protocols/USet_SDO_Client_Access.h"
#include "protocols/USet_SDO_Server_Access.h"
#include "protocols/UTransmitJ1939.h"
#include "protocols/UTransmitNMEA.h"
#include "grid/NovaColumnGrid.h"
#include "platform/UrlOpener.h"
#include "protocols/UProfinetFileName.h"
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/UParGen.h"
#include "shell/USoftOptions.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using testsupport::LoopbackHttpServer;
using testsupport::ModalResponder;

using testsupport::writeFile;
using testsupport::readAll;

namespace {

class Dialogs : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TProgramWindows> windows;
    QList<QUrl> opened;
    platform::UrlOpenFunction previousOpener;
    QString oldHost = Web_Server_Host;
    quint16 oldPort = Web_Server_Port;

    void SetUp() override
    {
        previousOpener = platform::setUrlOpener([this](const QUrl &u) {
            opened << u;
            return true;
        });
        windows = std::make_unique<TProgramWindows>(dir.path());
    }
    void TearDown() override
    {
        windows.reset();
        platform::setUrlOpener(std::move(previousOpener));
        Web_Server_Host = oldHost;
        Web_Server_Port = oldPort;
    }
    QString projects() const { return dir.path() + QStringLiteral("/PROJECTS"); }
    QString language() const { return dir.path() + QStringLiteral("/LANGUAGE"); }
    void addLanguage(const QString &name, const QByteArray &text = "STR15 = x\n")
    {
        writeFile(language() + QLatin1Char('/') + name + QStringLiteral(".lng"), text);
    }
    void addPicture(const QString &name, QColor colour)
    {
        QImage img(16, 12, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(language() + QLatin1Char('/') + name + QStringLiteral(".bmp"), "BMP"));
    }
};

} // namespace

// ---- New configuration ----------------------------------------------------------------------

TEST_F(Dialogs, NewConfigurationRefusesBadNamesWithItsOwnMessages)
{
    ASSERT_TRUE(QDir(projects()).mkdir(QStringLiteral("Existing")));
    const QString empty = QStringLiteral("Error! Name Project is not valid");
    const QString exists = QStringLiteral("Error! Name project is not valid because directory already exists");
    const QString refused = QStringLiteral("Error! Name project is not valid");
    const struct {
        QString name;
        QString message;
    } cases[] = {
        {QString(), empty},
        {QStringLiteral("Existing"), exists},
        {QStringLiteral("EXISTING"), exists}, // would clash on a desktop that ignores letter case
        {QStringLiteral("."), refused},
        {QStringLiteral(".."), refused},
        {QStringLiteral("../escape"), refused},
        {QStringLiteral("a/b"), refused},
        {QStringLiteral("a\\b"), refused},
        {QStringLiteral("a:b"), refused},
        {QStringLiteral("a*b"), refused},
        {QStringLiteral("a?b"), refused},
        {QStringLiteral("a\"b"), refused},
        {QStringLiteral("a<b"), refused},
        {QStringLiteral("a>b"), refused},
        {QStringLiteral("a|b"), refused},
        {QStringLiteral("a\tb"), refused},
        {QStringLiteral("a\nb"), refused},
        {QStringLiteral(" lead"), refused},
        {QStringLiteral("trail "), refused},
        {QStringLiteral("trail."), refused},
        {QStringLiteral("CON"), refused},
        {QStringLiteral("com1"), refused},
        {QStringLiteral("lpt9.txt"), refused},
    };
    for (const auto &c : cases) {
        ModalResponder responder;
        FNew_Project->setResult(QDialog::Rejected);
        FNew_Project->E_New_Proj->setText(c.name);
        FNew_Project->Btn_OKClick();
        EXPECT_EQ(responder.texts(), QStringList{c.message}) << c.name.toStdString();
        EXPECT_NE(FNew_Project->result(), QDialog::Accepted) << c.name.toStdString();
        EXPECT_EQ(FNew_Project->E_New_Proj->text(), c.name) << "the name stays for correction";
    }
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/escape")));
    EXPECT_EQ(QDir(projects()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("Existing")});
}

TEST_F(Dialogs, NewConfigurationCreatesTheFolderWithBin)
{
    for (const QString name : {QStringLiteral("Plant 1"), QStringLiteral("Ünïcode-名前"), QStringLiteral("v1.2")}) {
        ModalResponder responder;
        FNew_Project->setResult(QDialog::Rejected);
        FNew_Project->E_New_Proj->setText(name);
        FNew_Project->Btn_OKClick();
        EXPECT_TRUE(responder.texts().isEmpty()) << name.toStdString();
        EXPECT_EQ(FNew_Project->result(), QDialog::Accepted);
        EXPECT_TRUE(QFileInfo(projects() + QLatin1Char('/') + name + QStringLiteral("/bin")).isDir());
        EXPECT_EQ(Project_Name, name);
        EXPECT_EQ(Project_Path, projects() + QLatin1Char('/') + name);
        EXPECT_EQ(ParGen_File, Project_Path + QStringLiteral("/ParGen.xml"));
    }
}

TEST_F(Dialogs, NewConfigurationEnterKeyActsLikeOkAndShowingStartsEmpty)
{
    ModalResponder responder;
    responder.then([](QWidget *d) {
        auto *dlg = static_cast<TFNew_Project *>(d);
        EXPECT_TRUE(dlg->E_New_Proj->text().isEmpty());
        QTest::keyClicks(dlg->E_New_Proj, QStringLiteral("Keyed"));
        QTest::keyClick(dlg->E_New_Proj, Qt::Key_Return);
    });
    FNew_Project->E_New_Proj->setText(QStringLiteral("left over"));
    EXPECT_EQ(FNew_Project->exec(), QDialog::Accepted);
    EXPECT_TRUE(QFileInfo(projects() + QStringLiteral("/Keyed")).isDir());
    EXPECT_EQ(FNew_Project->size(), QSize(331, 162));
    EXPECT_EQ(FNew_Project->windowTitle(), QStringLiteral("Create New Configuration"));
    EXPECT_EQ(FNew_Project->L_SW_Desc->text(), QStringLiteral("Create New Configuration"));
    EXPECT_EQ(FNew_Project->Label1->text(), QStringLiteral("Name of the new Configuration"));
    EXPECT_EQ(FNew_Project->E_New_Proj->toolTip(), QStringLiteral("Insert here the name of new configuration"));
    EXPECT_EQ(FNew_Project->Btn_OK->toolTip(), QStringLiteral("Confirm the Name of new Configuration"));
    EXPECT_EQ(FNew_Project->Btn_Cancel->toolTip(), QStringLiteral("Cancel the New Configuration"));
}

// ---- Open configuration ---------------------------------------------------------------------

TEST_F(Dialogs, OpenListsConfigurationFoldersOnly)
{
    for (const char *name : {"Beta", "alpha", "Gamma", ".hidden"}) QDir(projects()).mkpath(QLatin1String(name));
    QDir(projects()).mkpath(QStringLiteral("bad:name")); // cannot be copied to every desktop
    writeFile(projects() + QStringLiteral("/notes.txt"), "x");
    FOpenConf->FormShow();
    EXPECT_EQ(FOpenConf->SL, (QStringList{QStringLiteral("alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")}));
    ASSERT_EQ(FOpenConf->ListBox1->count(), 3);
    EXPECT_EQ(FOpenConf->ListBox1->item(2)->text(), QStringLiteral("Gamma"));
    // No configuration open: the first is preselected.
    EXPECT_EQ(FOpenConf->ListBox1->currentRow(), 0);
    EXPECT_EQ(FOpenConf->Name_Conf, QStringLiteral("alpha"));
    // The selection by keyboard or mouse sets the name.
    FOpenConf->ListBox1->setCurrentRow(2);
    EXPECT_EQ(FOpenConf->Name_Conf, QStringLiteral("Gamma"));
    // A folder added meanwhile appears at the next showing.
    QDir(projects()).mkpath(QStringLiteral("Delta"));
    FOpenConf->FormShow();
    EXPECT_EQ(FOpenConf->SL.size(), 4);
    EXPECT_EQ(FOpenConf->Search_Open_Conf(QStringLiteral("DELTA")), 2);
    EXPECT_EQ(FOpenConf->Search_Open_Conf(QStringLiteral("Epsilon")), -1);
}

TEST_F(Dialogs, OpenPreselectsTheOpenConfigurationWhateverItsCase)
{
    for (const char *name : {"Alpha", "Beta", "Gamma"}) QDir(projects()).mkpath(QLatin1String(name));
    Project_Name = QStringLiteral("GAMMA");
    Project_Path = projects() + QStringLiteral("/GAMMA");
    FOpenConf->FormShow();
    EXPECT_EQ(FOpenConf->ListBox1->currentRow(), 2);
    EXPECT_EQ(FOpenConf->Name_Conf, QStringLiteral("Gamma"));
}

TEST_F(Dialogs, OpenNeverHandsBackAConfigurationThatVanished)
{
    for (const char *name : {"Alpha", "Beta"}) QDir(projects()).mkpath(QLatin1String(name));
    FOpenConf->FormShow();
    FOpenConf->ListBox1->setCurrentRow(1);
    ASSERT_EQ(FOpenConf->Name_Conf, QStringLiteral("Beta"));
    ASSERT_TRUE(QDir(projects() + QStringLiteral("/Beta")).removeRecursively());
    FOpenConf->setResult(QDialog::Rejected);
    FOpenConf->Btn_OKClick();
    // Still open, on the list as it is now.
    EXPECT_NE(FOpenConf->result(), QDialog::Accepted);
    EXPECT_EQ(FOpenConf->SL, QStringList{QStringLiteral("Alpha")});
    EXPECT_EQ(FOpenConf->Name_Conf, QStringLiteral("Alpha"));

    // With nothing left the dialog hands back no name at all.
    ASSERT_TRUE(QDir(projects() + QStringLiteral("/Alpha")).removeRecursively());
    FOpenConf->Btn_OKClick();
    EXPECT_EQ(FOpenConf->result(), QDialog::Accepted);
    EXPECT_TRUE(FOpenConf->Name_Conf.isEmpty());
    FOpenConf->FormShow();
    EXPECT_TRUE(FOpenConf->Name_Conf.isEmpty());
}

TEST_F(Dialogs, OpenDialogLookAndTexts)
{
    EXPECT_EQ(FOpenConf->size(), QSize(377, 351));
    EXPECT_EQ(FOpenConf->windowTitle(), QStringLiteral("Open Configuration"));
    EXPECT_EQ(FOpenConf->L_SW_Desc->text(), QStringLiteral("Open an Existing Configuration"));
    EXPECT_EQ(FOpenConf->Label1->text(), QStringLiteral("List of Avaliable Configurations"));
    EXPECT_EQ(FOpenConf->ListBox1->toolTip(), QStringLiteral("Select from this list the configuration to open"));
    EXPECT_EQ(FOpenConf->Btn_OK->toolTip(), QStringLiteral("Open the Selected Configuration"));
    EXPECT_EQ(FOpenConf->Btn_Cancel->toolTip(), QStringLiteral("Cancel open of Configuration"));
    FOpenConf->show();
    QTest::qWait(10);
    const QRect list = FOpenConf->ListBox1->geometry();
    EXPECT_EQ(FOpenConf->ListBox1->mapTo(FOpenConf, QPoint(0, 0)), QPoint(16, 94));
    // Resizing: the list follows all sides, the buttons keep to the right.
    const int okRight = FOpenConf->width() - FOpenConf->Btn_OK->mapTo(FOpenConf, QPoint(0, 0)).x();
    FOpenConf->resize(477, 451);
    QTest::qWait(10);
    EXPECT_EQ(FOpenConf->ListBox1->width(), list.width() + 100);
    EXPECT_EQ(FOpenConf->ListBox1->height(), list.height() + 100);
    EXPECT_EQ(FOpenConf->width() - FOpenConf->Btn_OK->mapTo(FOpenConf, QPoint(0, 0)).x(), okRight);
    // The list ends above the button panel.
    EXPECT_LT(FOpenConf->ListBox1->mapTo(FOpenConf, QPoint(0, FOpenConf->ListBox1->height())).y(),
              FOpenConf->P_Button->y());
    FOpenConf->hide();
}

// ---- Options --------------------------------------------------------------------------------

TEST_F(Dialogs, OptionsPagesOfLanguages)
{
    for (const char *name : {"Hindi", "alpha", "Beta", "Cymraeg", "Dansk", "Eesti", "Francais", "Gaeilge"})
        addLanguage(QLatin1String(name));
    FSoftOptions->FormShow();
    auto *o = FSoftOptions;
    auto shown = [o](QWidget *c) { return c->isVisibleTo(o->TS_Language); };
    EXPECT_EQ(o->SL_Languages.first(), QStringLiteral("alpha.lng"));
    EXPECT_EQ(o->SL_Languages.size(), 8);
    EXPECT_EQ(o->L_Page_Lang->text(), QStringLiteral("Page 1 / 2"));
    EXPECT_FALSE(shown(o->Btn_Prev));
    EXPECT_TRUE(shown(o->Btn_Next));
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(shown(o->L_L[i])) << i;
    EXPECT_EQ(o->L_L[0]->text(), QStringLiteral("alpha"));
    EXPECT_EQ(o->L_L[5]->text(), QStringLiteral("Francais"));

    o->Btn_Next->click();
    EXPECT_EQ(o->Show_Page, 2);
    EXPECT_EQ(o->L_Page_Lang->text(), QStringLiteral("Page 2 / 2"));
    EXPECT_TRUE(shown(o->Btn_Prev));
    EXPECT_FALSE(shown(o->Btn_Next));
    EXPECT_EQ(o->L_L[0]->text(), QStringLiteral("Gaeilge"));
    EXPECT_EQ(o->L_L[1]->text(), QStringLiteral("Hindi"));
    for (int i = 2; i < 6; ++i) {
        EXPECT_FALSE(shown(o->L_L[i])) << i;
        EXPECT_FALSE(shown(o->I_L[i])) << i;
    }
    o->Btn_NextClick(o->Btn_Next); // past the last page: stays
    EXPECT_EQ(o->Show_Page, 2);
    o->Btn_Prev->click();
    EXPECT_EQ(o->Show_Page, 1);
    EXPECT_EQ(o->L_Page_Lang->text(), QStringLiteral("Page 1 / 2"));
}

TEST_F(Dialogs, OptionsExactlyOnePageAndNone)
{
    auto *o = FSoftOptions;
    o->FormShow();
    EXPECT_EQ(o->L_Page_Lang->text(), QStringLiteral("Page 1 / 0"));
    EXPECT_TRUE(o->L_L[0]->isVisibleTo(o->TS_Language));
    EXPECT_TRUE(o->Btn_Next->isVisibleTo(o->TS_Language));
    {
        ModalResponder responder;
        o->LangClick(1); // no language behind it: nothing happens
        EXPECT_EQ(responder.modalsSeen(), 0);
    }
    for (const char *name : {"A", "B", "C", "D", "E", "F"}) addLanguage(QLatin1String(name));
    o->FormShow();
    EXPECT_EQ(o->L_Page_Lang->text(), QStringLiteral("Page 1 / 1"));
    EXPECT_FALSE(o->Btn_Prev->isVisibleTo(o->TS_Language));
    EXPECT_FALSE(o->Btn_Next->isVisibleTo(o->TS_Language));
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(o->L_L[i]->isVisibleTo(o->TS_Language));
}

TEST_F(Dialogs, OptionsFlagPicturesAndUnlistedFiles)
{
    addLanguage(QStringLiteral("Deutsch"));
    addPicture(QStringLiteral("Deutsch"), Qt::red);
    addLanguage(QStringLiteral("Italiano"));
    addLanguage(QStringLiteral("Locked"));
    QFile::setPermissions(language() + QStringLiteral("/Locked.lng"), QFile::ReadOwner | QFile::ReadGroup);
    QDir(language()).mkdir(QStringLiteral("Folder.lng"));
    QFile::link(language() + QStringLiteral("/Deutsch.lng"), language() + QStringLiteral("/Linked.lng"));
    auto *o = FSoftOptions;
    o->FormShow();
    EXPECT_EQ(o->SL_Languages, (QStringList{QStringLiteral("Deutsch.lng"), QStringLiteral("Italiano.lng")}));
    EXPECT_TRUE(o->I_L[0]->isVisibleTo(o->TS_Language));
    EXPECT_EQ(o->I_L[0]->pixmap().toImage().pixelColor(1, 1), QColor(Qt::red));
    // Without its own flag and without a default flag: the name, no picture.
    EXPECT_TRUE(o->L_L[1]->isVisibleTo(o->TS_Language));
    EXPECT_FALSE(o->I_L[1]->isVisibleTo(o->TS_Language));
    // With a default flag it takes that.
    addPicture(QStringLiteral("DefaultFlag"), Qt::blue);
    o->FormShow();
    EXPECT_TRUE(o->I_L[1]->isVisibleTo(o->TS_Language));
    EXPECT_EQ(o->I_L[1]->pixmap().toImage().pixelColor(1, 1), QColor(Qt::blue));
    EXPECT_EQ(o->I_L[1]->size(), QSize(48, 48));
}

TEST_F(Dialogs, LanguageChangeRelabelsEveryWindowInOrder)
{
    // UTF-8 with its mark; the pilcrows keep the blanks of the question's parts.
    addLanguage(QStringLiteral("Deutsch"), "\xEF\xBB\xBFSTR9 = Keine Konfiguration\nSTR15 = Neu\n"
                                           "STR100 = Neue Konfiguration\nSTR200 = Konfiguration \xC3\xB6" "ffnen\n"
                                           "STR300 = Optionen\nSTR304 = \xC2\xB6Sprache : \xC2\xB6\n"
                                           "STR400 = Kommunikation\nSTR316 = \xC2\xB6Sprache von \xC2\xB6\n"
                                           "STR317 = \xC2\xB6 nach \xC2\xB6\nSTR318 = ?\n"
                                           "STR1402 = Ger\xC3\xA4t aktualisieren\nSTR1300 = IODD-Katalog\n"
                                           "STR1200 = IO-Link Zugriff\nSTR1211 = Kan\xC3\xA4le\n"
                                           "STR1600 = Modbus-Zugriff\nSTR1900 = Modbus-TCP-Zugriff\n"
                                           "STR1800 = GSDML-Dateiname\n"
                                           "STR2200 = BACnet-Einheit\nSTR2100 = BACnet-Zugriff\n"
                                           "STR2300 = CAN empfangen\nSTR2400 = CAN senden\n"
                                           "STR2500 = PDO-Zugriff\n"
                                           "STR2600 = SDO-Client\n"
                                           "STR2700 = SDO-Server\n"
                                           "STR2800 = J1939 empfangen\n"
                                           "STR2900 = J1939 senden\n"
                                           "STR3000 = NMEA 2000 empfangen\n"
                                           "STR3100 = NMEA 2000 senden\n"
                                           "STR3200 = SNMP-Zugriff\nSTR3300 = MQTT-Themen\nSTR3400 = Thema\n"
                                           "STR3500 = NMEA-Lauscher\nSTR3600 = NMEA-Satzfelder\n"
                                           "STR3700 = EtherCAT-Variablen\n"
                                           "STR3800 = EtherCAT-Gruppen\n");
    addLanguage(QStringLiteral("Empty"), "/#/ translates nothing\n");

    std::vector<QString> names;
    for (const auto &lw : FDovavivuvFirmWare->Language_Windows()) names.push_back(lw.window->objectName());
    EXPECT_EQ(names, (std::vector<QString>{QStringLiteral("FDovavivuvFirmWare"), QStringLiteral("FNew_Project"),
                                           QStringLiteral("FOpenConf"), QStringLiteral("FSoftOptions"),
                                           QStringLiteral("FBoot"), QStringLiteral("FParGen"),
                                           QStringLiteral("FIO_Link_Set_Access"), QStringLiteral("FIOLink_IODD_Catalog"),
                                           QStringLiteral("FSetAccess"), QStringLiteral("FProfinetFileName"),
                                           QStringLiteral("FModbus_TCP_Master_Set_Access"),
                                           QStringLiteral("FBACnet_Eng_Unit"), QStringLiteral("FBACnetSlaveSetAccess"),
                                           QStringLiteral("FReceiveCAN"), QStringLiteral("FTransmitCAN"),
                                           QStringLiteral("FSet_PDO_Access"),
                                           QStringLiteral("FSet_SDO_Client_Access"),
                                           QStringLiteral("FSet_SDO_Server_Access"),
                                           QStringLiteral("FReceiveJ1939"),
                                           QStringLiteral("FTransmitJ1939"),
                                           QStringLiteral("FReceiveNMEA"),
                                           QStringLiteral("FTransmitNMEA"),
                                           QStringLiteral("FSNMP_Trap_Access"),
                                           QStringLiteral("FMQTT_Set_Topic"),
                                           QStringLiteral("FTopicTemplate"),
                                           QStringLiteral("FNMEA_0183_Set_Access"),
                                           QStringLiteral("FNMEA_0183_Set_Access2"),
                                           QStringLiteral("FEtherCATSlave"),
                                           QStringLiteral("FEtherCATSlave_Group")}));

    // The order in which the windows take their new titles.
    struct TitleLog : QObject {
        QStringList order;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::WindowTitleChange) order << o->objectName();
            return false;
        }
    } log;
    for (QWidget *win : std::initializer_list<QWidget *>{FNew_Project, FOpenConf, FSoftOptions, FBoot, FParGen, FIO_Link_Set_Access,
                                                         FIOLink_IODD_Catalog, FSetAccess, FProfinetFileName,
                                                         FModbus_TCP_Master_Set_Access, FBACnet_Eng_Unit,
                                                         FBACnetSlaveSetAccess, FReceiveCAN, FTransmitCAN,
                                                         FSet_PDO_Access,
                                                         FSet_SDO_Client_Access,
                                                         FSet_SDO_Server_Access,
                                                         FReceiveJ1939,
                                                         FTransmitJ1939,
                                                         FReceiveNMEA,
                                                         FTransmitNMEA,
                                                         FSNMP_Trap_Access,
                                                         FMQTT_Set_Topic,
                                                         FTopicTemplate,
                                                         FNMEA_0183_Set_Access,
                                                         FNMEA_0183_Set_Access2,
                                                         FEtherCATSlave,
                                                         FEtherCATSlave_Group})
        win->installEventFilter(&log);

    auto *o = FSoftOptions;
    o->FormShow();
    ASSERT_EQ(o->L_L[0]->text(), QStringLiteral("Deutsch"));
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::No);
        o->LangClick(1);
        EXPECT_EQ(responder.texts(), QStringList{QStringLiteral("Do you want to change the Language from English to Deutsch?")});
    }
    EXPECT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("New Configuration"));
    EXPECT_TRUE(log.order.isEmpty());

    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        o->LangClick(1);
    }
    EXPECT_EQ(log.order, (QStringList{QStringLiteral("FNew_Project"), QStringLiteral("FOpenConf"),
                                      QStringLiteral("FSoftOptions"), QStringLiteral("FBoot"), QStringLiteral("FParGen"),
                                      QStringLiteral("FIO_Link_Set_Access"), QStringLiteral("FIOLink_IODD_Catalog"),
                                      QStringLiteral("FSetAccess"), QStringLiteral("FProfinetFileName"),
                                      QStringLiteral("FModbus_TCP_Master_Set_Access"),
                                      QStringLiteral("FBACnet_Eng_Unit"), QStringLiteral("FBACnetSlaveSetAccess"),
                                      QStringLiteral("FReceiveCAN"), QStringLiteral("FTransmitCAN"),
                                      QStringLiteral("FSet_PDO_Access"),
                                      QStringLiteral("FSet_SDO_Client_Access"),
                                      QStringLiteral("FSet_SDO_Server_Access"),
                                      QStringLiteral("FReceiveJ1939"),
                                      QStringLiteral("FTransmitJ1939"),
                                      QStringLiteral("FReceiveNMEA"),
                                      QStringLiteral("FTransmitNMEA"),
                                      QStringLiteral("FSNMP_Trap_Access"),
                                      QStringLiteral("FMQTT_Set_Topic"),
                                      QStringLiteral("FTopicTemplate"),
                                      QStringLiteral("FNMEA_0183_Set_Access"),
                                      QStringLiteral("FNMEA_0183_Set_Access2"),
                                      QStringLiteral("FEtherCATSlave"),
                                      QStringLiteral("FEtherCATSlave_Group")}));
    EXPECT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("Neu"));
    EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf->text(), QStringLiteral("Keine Konfiguration"));
    EXPECT_EQ(FNew_Project->windowTitle(), QStringLiteral("Neue Konfiguration"));
    EXPECT_EQ(FOpenConf->windowTitle(), QStringLiteral("Konfiguration öffnen"));
    EXPECT_EQ(FSoftOptions->windowTitle(), QStringLiteral("Optionen"));
    EXPECT_EQ(FParGen->windowTitle(), QStringLiteral("Kommunikation"));
    EXPECT_EQ(FBoot->windowTitle(), QStringLiteral("Gerät aktualisieren"));
    EXPECT_EQ(FIO_Link_Set_Access->windowTitle(), QStringLiteral("IO-Link Zugriff"));
    EXPECT_EQ(FIO_Link_Set_Access->NCG_IODD->Cells(0, 0), QStringLiteral("Kanäle")) << "column titles follow too";
    EXPECT_EQ(FIOLink_IODD_Catalog->windowTitle(), QStringLiteral("IODD-Katalog"));
    EXPECT_EQ(FSetAccess->windowTitle(), QStringLiteral("Modbus-Zugriff"));
    EXPECT_EQ(FProfinetFileName->windowTitle(), QStringLiteral("GSDML-Dateiname"));
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->windowTitle(), QStringLiteral("Modbus-TCP-Zugriff"));
    EXPECT_EQ(FBACnet_Eng_Unit->windowTitle(), QStringLiteral("BACnet-Einheit"));
    EXPECT_EQ(FBACnetSlaveSetAccess->windowTitle(), QStringLiteral("BACnet-Zugriff"));
    EXPECT_EQ(FReceiveCAN->windowTitle(), QStringLiteral("CAN empfangen"));
    EXPECT_EQ(FTransmitCAN->windowTitle(), QStringLiteral("CAN senden"));
    EXPECT_EQ(FEtherCATSlave->windowTitle(), QStringLiteral("EtherCAT-Variablen"));
    EXPECT_EQ(FEtherCATSlave_Group->windowTitle(), QStringLiteral("EtherCAT-Gruppen"));
    EXPECT_EQ(o->L_Sel_Lang->text(), QStringLiteral("Sprache : Deutsch"));
    EXPECT_EQ(o->Language_In_Use, QStringLiteral("Deutsch"));
    EXPECT_EQ(Language_Name, QStringLiteral("English")) << "only OK commits the choice";

    // A language that translates nothing brings the English texts back.
    {
        ModalResponder responder;
        o->LangClick(2);
        EXPECT_EQ(responder.texts(), QStringList{QStringLiteral("Sprache von Deutsch nach Empty?")});
    }
    EXPECT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("New Configuration"));
    EXPECT_NE(FParGen->windowTitle(), QStringLiteral("Kommunikation"));
    EXPECT_EQ(FParGen->windowTitle(), LT(400));
    for (QWidget *win : std::initializer_list<QWidget *>{FNew_Project, FOpenConf, FSoftOptions, FBoot, FParGen, FIO_Link_Set_Access,
                                                         FIOLink_IODD_Catalog, FSetAccess, FModbus_TCP_Master_Set_Access,
                                                         FBACnet_Eng_Unit, FBACnetSlaveSetAccess, FReceiveCAN, FTransmitCAN,
                                                         FSNMP_Trap_Access,
                                                         FMQTT_Set_Topic,
                                                         FTopicTemplate,
                                                         FNMEA_0183_Set_Access,
                                                         FNMEA_0183_Set_Access2,
                                                         FEtherCATSlave,
                                                         FEtherCATSlave_Group})
        win->removeEventFilter(&log);
}

TEST_F(Dialogs, LanguageWhoseFileVanishedFallsBackToEnglish)
{
    addLanguage(QStringLiteral("Deutsch"), "STR15 = Neu\n");
    addLanguage(QStringLiteral("Gone"), "STR15 = Weg\n");
    auto *o = FSoftOptions;
    o->FormShow();
    {
        ModalResponder responder;
        o->LangClick(1);
    }
    ASSERT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("Neu"));
    ASSERT_TRUE(QFile::remove(language() + QStringLiteral("/Gone.lng")));
    {
        ModalResponder responder;
        o->LangClick(2);
        EXPECT_EQ(responder.modalsSeen(), 1); // the question only
    }
    EXPECT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("New Configuration"));
    EXPECT_EQ(FNew_Project->windowTitle(), QStringLiteral("Create New Configuration"));
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
}

TEST_F(Dialogs, OptionsConfirmedFromTheMainWindowAreWrittenAndRemembered)
{
    addLanguage(QStringLiteral("Deutsch"), "STR15 = Neu\n");
    addLanguage(QStringLiteral("Missing"), "STR15 = Weg\n");
    ModalResponder responder;
    responder.then([](QWidget *d) {
        auto *o = qobject_cast<TFSoftOptions *>(d);
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(o->PC_Options->currentWidget(), o->TS_Language);
        EXPECT_FALSE(o->CB_En_Con->isChecked());
        EXPECT_FALSE(o->CB_Update->isEnabled());
        QTimer::singleShot(0, o, [o] { o->LangClick(1); }); // asks a question of its own
    });
    responder.answerBox(QMessageBox::Yes);
    responder.then([](QWidget *d) {
        auto *o = static_cast<TFSoftOptions *>(d);
        o->CB_En_Con->setChecked(true);
        EXPECT_TRUE(o->CB_Update->isEnabled());
        EXPECT_FALSE(o->Btn_Check_Update->isEnabled());
        o->CB_Update->setChecked(true);
        EXPECT_TRUE(o->Btn_Check_Update->isEnabled());
        o->CB_DoubleClick_Auto_Size->setChecked(true);
        o->Btn_OK->click();
    });
    FDovavivuvFirmWare->Btn_Opz->click();
    EXPECT_FALSE(responder.timedOut());
    EXPECT_EQ(Language_Name, QStringLiteral("Deutsch"));
    EXPECT_TRUE(Opt_Enable_Internet);
    EXPECT_TRUE(Opt_Enable_Update);
    EXPECT_FALSE(Opt_Enable_Jump_Field_Tables);
    EXPECT_TRUE(Opt_Double_Click_Auto_Size);
    EXPECT_TRUE(FDovavivuvFirmWare->Timer_Update.isActive());
    const QByteArray written = readAll(dir.path() + QStringLiteral("/Fabricor.xml"));
    EXPECT_TRUE(written.contains("<language>Deutsch</language>")) << written.constData();
    EXPECT_TRUE(written.contains("<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
                                 "<enable_jump_field_tables>0</enable_jump_field_tables>"
                                 "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet>"));

    // Next showing: the boxes come from the options; unticking the connection greys the update box,
    // which keeps its tick, and the timer goes off.
    ModalResponder second;
    second.then([](QWidget *d) {
        auto *o = static_cast<TFSoftOptions *>(d);
        EXPECT_TRUE(o->CB_En_Con->isChecked());
        EXPECT_TRUE(o->CB_Update->isChecked());
        EXPECT_TRUE(o->CB_DoubleClick_Auto_Size->isChecked());
        EXPECT_EQ(o->L_Sel_Lang->text(), QStringLiteral("Selected Language : Deutsch"));
        o->CB_En_Con->setChecked(false);
        EXPECT_FALSE(o->CB_Update->isEnabled());
        EXPECT_FALSE(o->Btn_Check_Update->isEnabled());
        EXPECT_TRUE(o->CB_Update->isChecked());
        o->Btn_OK->click();
    });
    FDovavivuvFirmWare->Btn_Opz->click();
    EXPECT_FALSE(Opt_Enable_Internet);
    EXPECT_TRUE(Opt_Enable_Update);
    EXPECT_FALSE(FDovavivuvFirmWare->Timer_Update.isActive());
    EXPECT_TRUE(readAll(dir.path() + QStringLiteral("/Fabricor.xml"))
                    .contains("<enable_internet>0</enable_internet><enable_update>1</enable_update>"));
}

// The list shows "Deutsch.LNG" as "Deutsch": that language loads when chosen and at the next start.
TEST_F(Dialogs, LanguageFileWithUpperCaseExtensionLoads)
{
    writeFile(language() + QStringLiteral("/Deutsch.LNG"), "STR15 = Neu\n");
    ModalResponder responder;
    responder.then([](QWidget *d) {
        auto *o = static_cast<TFSoftOptions *>(d);
        EXPECT_EQ(o->L_L[0]->text(), QStringLiteral("Deutsch"));
        QTimer::singleShot(0, o, [o] { o->LangClick(1); });
    });
    responder.answerBox(QMessageBox::Yes);
    responder.then([](QWidget *d) {
        auto *o = static_cast<TFSoftOptions *>(d);
        EXPECT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("Neu")) << "loaded when chosen";
        o->Btn_OK->click();
    });
    FDovavivuvFirmWare->Btn_Opz->click();
    EXPECT_FALSE(responder.timedOut());
    EXPECT_EQ(Language_Name, QStringLiteral("Deutsch"));
    FDovavivuvFirmWare->close();
    EXPECT_TRUE(readAll(dir.path() + QStringLiteral("/Fabricor.xml")).contains("<language>Deutsch</language>"));

    windows.reset();
    windows = std::make_unique<TProgramWindows>(dir.path());
    EXPECT_EQ(Language_Name, QStringLiteral("Deutsch"));
    EXPECT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("Neu")) << "loaded at the next start";
}

TEST_F(Dialogs, OptionsCancelledKeepTheLoadedTextsButNotTheChoice)
{
    addLanguage(QStringLiteral("Deutsch"), "STR15 = Neu\n");
    ModalResponder responder;
    responder.then([](QWidget *d) {
        auto *o = static_cast<TFSoftOptions *>(d);
        QTimer::singleShot(0, o, [o] { o->LangClick(1); });
    });
    responder.answerBox(QMessageBox::Yes);
    responder.then([](QWidget *d) {
        auto *o = static_cast<TFSoftOptions *>(d);
        o->CB_Soft_Set_Jump_Table->setChecked(true);
        o->Btn_Cancel->click();
    });
    FDovavivuvFirmWare->Btn_Opz->click();
    EXPECT_FALSE(responder.timedOut());
    EXPECT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("Neu"));
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_FALSE(Opt_Enable_Jump_Field_Tables);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/Fabricor.xml")));
    FDovavivuvFirmWare->close();
    EXPECT_TRUE(readAll(dir.path() + QStringLiteral("/Fabricor.xml")).contains("<language>English</language>"));
}

TEST_F(Dialogs, CheckForUpdateAtOnce)
{
    auto *o = FSoftOptions;
    o->FormShow();
    EXPECT_FALSE(o->LL_Check_Update->isVisibleTo(o->TS_Con_Options));
    LoopbackHttpServer server(LoopbackHttpServer::okReply("VER. 1.104"));
    Web_Server_Host = QStringLiteral("127.0.0.1");
    Web_Server_Port = server.port();
    o->Btn_Check_UpdateClick();
    EXPECT_TRUE(o->LL_Check_Update->isVisibleTo(o->TS_Con_Options));
    EXPECT_TRUE(o->LL_Check_Update->text().contains(QStringLiteral(">New Version Available. Click Here for more Details<")));
    emit o->LL_Check_Update->linkActivated(o->LL_Check_Update->text().section(QLatin1Char('"'), 1, 1));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.at(0).fragment(), QStringLiteral("GW41520"));

    server.setReply(LoopbackHttpServer::okReply("VER. 1.103"));
    o->Btn_Check_UpdateClick();
    EXPECT_EQ(o->LL_Check_Update->text(), QStringLiteral("No Update Available"));
    o->FormShow();
    EXPECT_FALSE(o->LL_Check_Update->isVisibleTo(o->TS_Con_Options));
}

TEST_F(Dialogs, OptionsLookAndTexts)
{
    auto *o = FSoftOptions;
    EXPECT_EQ(o->size(), QSize(509, 373));
    EXPECT_EQ(o->PC_Options->count(), 3);
    EXPECT_EQ(o->PC_Options->tabText(0), QStringLiteral("Language"));
    EXPECT_EQ(o->PC_Options->tabText(1), QStringLiteral("Connection Options"));
    EXPECT_EQ(o->PC_Options->tabText(2), QStringLiteral("Software Settings"));
    EXPECT_EQ(o->CB_En_Con->text(), QStringLiteral("Enable Internet Connection"));
    EXPECT_EQ(o->CB_Update->text(), QStringLiteral("Check Software Update at Start of Program"));
    EXPECT_EQ(o->Btn_Check_Update->text(), QStringLiteral("Check Available Update"));
    EXPECT_EQ(o->CB_Soft_Set_Jump_Table->text(),
              QStringLiteral("Jump into next field in the tables by pressing the Enter Key"));
    EXPECT_EQ(o->CB_DoubleClick_Auto_Size->text(), QStringLiteral("Enable Auto Size of Table Columns by Double Click"));
    o->show();
    QTest::qWait(10);
    EXPECT_EQ(o->Btn_OK->mapTo(o, QPoint(0, 0)).x(), 16);
    EXPECT_EQ(o->Btn_Cancel->mapTo(o, QPoint(0, 0)).x(), 134);
    EXPECT_EQ(o->PC_Options->mapTo(o, QPoint(0, 0)).y(), 69);
    EXPECT_EQ(o->PC_Options->height(), 373 - 69 - 40);
    o->hide();
    EXPECT_EQ(o->Btn_Check_Update->geometry(), QRect(36, 78, 204, 28));
}

// ---- About ----------------------------------------------------------------------------------

TEST_F(Dialogs, AboutWindow)
{
    FAbout->show();
    QTest::qWait(10);
    EXPECT_EQ(FAbout->size(), QSize(425, 148));
    EXPECT_EQ(FAbout->windowTitle(), QStringLiteral("About..."));
    const struct {
        QLabel *label;
        const char *text;
        int top, left;
    } table[] = {
        {FAbout->Label1, "Software Fabricor ", 24, 128},
        {FAbout->Label2, "IO-Link / Modbus Slave - Converter", 39, 128},
        {FAbout->Label6, "Software Code : ", 62, 128},
        {FAbout->Label9, "CF41520", 62, 240},
        {FAbout->Label3, "Version :", 77, 128},
        {FAbout->Label10, "1.103", 77, 240},
        {FAbout->Label8, "Document Code :", 93, 128},
        {FAbout->Label12, "MA41520", 93, 240},
    };
    for (const auto &c : table) {
        EXPECT_EQ(c.label->text(), QLatin1String(c.text));
        EXPECT_EQ(c.label->pos(), QPoint(c.left, c.top)) << c.text;
        EXPECT_LE(c.label->geometry().right(), FAbout->width() - 1) << c.text;
    }
    EXPECT_EQ(FAbout->Image2->geometry(), QRect(32, 24, 81, 81));
    EXPECT_EQ(FAbout->LbButton1->geometry(), QRect(32, 115, 81, 22));
    EXPECT_EQ(FAbout->LbButton1->text(), QStringLiteral("OK"));
    EXPECT_LE(FAbout->Label4->geometry().right(), FAbout->width() - 1);
    FAbout->grab().save(QStringLiteral("/tmp/main4_about.png"));

    QTest::mouseClick(FAbout->Label4, Qt::LeftButton);
    QTest::mouseClick(FAbout->Image2, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.at(0), opened.at(1));
    EXPECT_EQ(opened.at(0).path(), QStringLiteral("/HOME/default.asp"));
    EXPECT_EQ(opened.at(0).query(), QStringLiteral("frompg=CF41520"));
    FAbout->LbButton1->click();
    EXPECT_FALSE(FAbout->isVisible());
}

TEST_F(Dialogs, Screenshots)
{
    for (const char *name : {"Alpha", "Beta"}) QDir(projects()).mkpath(QLatin1String(name));
    for (const char *name : {"Deutsch", "English", "Italiano"}) addLanguage(QLatin1String(name));
    addPicture(QStringLiteral("DefaultFlag"), QColor(40, 90, 160));
    FNew_Project->show();
    FNew_Project->grab().save(QStringLiteral("/tmp/main4_new.png"));
    FNew_Project->hide();
    FOpenConf->show();
    FOpenConf->grab().save(QStringLiteral("/tmp/main4_open.png"));
    FOpenConf->hide();
    FSoftOptions->show();
    FSoftOptions->grab().save(QStringLiteral("/tmp/main4_options_lang.png"));
    FSoftOptions->PC_Options->setCurrentIndex(1);
    FSoftOptions->grab().save(QStringLiteral("/tmp/main4_options_con.png"));
    FSoftOptions->PC_Options->setCurrentIndex(2);
    FSoftOptions->grab().save(QStringLiteral("/tmp/main4_options_soft.png"));
    FSoftOptions->hide();
    SUCCEED();
}
