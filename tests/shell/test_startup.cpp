#include "iolink/UBoot.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "iolink/UIO_Link_Set_Access.h"
#include "protocols/UEtherCATSlave.h"
#include "protocols/UEtherCATSlave_Group.h"
#include "protocols/UMQTT_Set_Topic.h"
#include "protocols/UBACnetSlaveSetAccess.h"
#include "protocols/UBACnet_Eng_Unit.h"
#include "protocols/UModbus_TCP_Master_Set_Access.h"
#include "protocols/UNMEA_0183_Set_Access.h"
#include "protocols/UNMEA_0183_Set_Access2.h"
#include "protocols/UProfinetFileName.h"
#include "protocols/USNMP_Trap_Access.h"
#include "protocols/USetAccess.h"
#include "protocols/UTopicTemplate.h"
#include "protocols/UReceiveCAN.h"
#include "protocols/UTransmitCAN.h"
#include "protocols/UReceiveJ1939.h"
#include "protocols/UReceiveNMEA.h"
#include "protocols/USet_PDO_Access.h"
#include "protocols/USet_SDO_Client_Access.h"
#include "protocols/USet_SDO_Server_Access.h"
#include "protocols/UTransmitJ1939.h"
#include "protocols/UTransmitNMEA.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/UParGen.h"
#include "shell/USoftOptions.h"
#include "shell/UAbout.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

using testsupport::writeFile;
using testsupport::readAll;

namespace {

QByteArray settingsXml(const QByteArray &project, const QByteArray &ip, const QByteArray &lang, const char *flags)
{
    auto flag = [&](int i) { return QByteArray(1, flags[i]); };
    return "<Conf_Settings><lastproj><projectname>" + project + "</projectname></lastproj><lastipadd><ipaddress>" + ip
           + "</ipaddress></lastipadd><lastlang><language>" + lang
           + "</language></lastlang><lastinternet><enable_internet>" + flag(0) + "</enable_internet><enable_update>"
           + flag(1) + "</enable_update><enable_jump_field_tables>" + flag(2)
           + "</enable_jump_field_tables><Double_Click_Auto_Size>" + flag(3)
           + "</Double_Click_Auto_Size></lastinternet></Conf_Settings>";
}

const QByteArray kDefaultSettings =
    "<Conf_Settings><lastproj><projectname/></lastproj><lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
    "<lastlang><language>English</language></lastlang><lastinternet><enable_internet>0</enable_internet>"
    "<enable_update>0</enable_update><enable_jump_field_tables>0</enable_jump_field_tables>"
    "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>";

class Startup : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString exe() const { return dir.path(); }
    QString settings() const { return dir.path() + QStringLiteral("/Fabricor.xml"); }
};

} // namespace

TEST_F(Startup, FirstStartInAnEmptyFolder)
{
    testsupport::ModalResponder responder;
    {
        TProgramWindows windows(exe());
        for (const char *name : {"MASTER", "PROJECTS", "LANGUAGE", "IODD_Catalog", "IOLink_StaDef"})
            EXPECT_TRUE(QFileInfo(exe() + QLatin1Char('/') + QLatin1String(name)).isDir()) << name;
        EXPECT_EQ(Exe_Dir, exe());
        EXPECT_EQ(Projects_Dir, exe() + QStringLiteral("/PROJECTS"));
        EXPECT_EQ(IOLink_StaDef_Dir, exe() + QStringLiteral("/IOLink_StaDef/"));
        EXPECT_EQ(Language_Name, QStringLiteral("English"));
        EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
        EXPECT_FALSE(Opt_Enable_Internet || Opt_Enable_Update || Opt_Enable_Jump_Field_Tables
                     || Opt_Double_Click_Auto_Size);
        EXPECT_TRUE(Project_Name.isEmpty());
        EXPECT_TRUE(Project_Path.isEmpty());
        EXPECT_TRUE(Last_Read_Back);
        EXPECT_EQ(Lang_Texts.size(), 3900);
        EXPECT_EQ(ParGen_File, QStringLiteral("/ParGen.xml"));
        EXPECT_FALSE(FDovavivuvFirmWare->Timer_Update.isActive());
        EXPECT_EQ(FDovavivuvFirmWare->windowTitle(), kMainTitle);
        EXPECT_EQ(FDovavivuvFirmWare->L_SW_Code->text(), QStringLiteral("CF41520"));
        EXPECT_EQ(FDovavivuvFirmWare->L_SW_Desc->text(), QStringLiteral("IO-Link / Modbus Slave - Converter"));
        EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
        EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf_L2->text(),
                  QStringLiteral("Use Step1 to open or create new configuration"));
        EXPECT_FALSE(QFileInfo::exists(settings())) << "nothing is written before the window closes";
        FDovavivuvFirmWare->show();
        EXPECT_TRUE(FDovavivuvFirmWare->close());
    }
    EXPECT_EQ(readAll(settings()), kDefaultSettings);
    EXPECT_EQ(responder.modalsSeen(), 0);
}

TEST_F(Startup, WindowsAreCreatedInOrderAndFreedAtTheEnd)
{
    {
        TProgramWindows windows(exe());
        std::vector<QWidget *> expected{FDovavivuvFirmWare, FIO_Link_Set_Access, FNew_Project, FOpenConf, FAbout,
                                        FSoftOptions, FParGen, FIOLink_IODD_Catalog, FBoot,
                                        FSetAccess, FProfinetFileName, FModbus_TCP_Master_Set_Access,
                                        FBACnet_Eng_Unit, FBACnetSlaveSetAccess, FReceiveCAN, FTransmitCAN,
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
                                        FNMEA_0183_Set_Access2,
                                        FNMEA_0183_Set_Access,
                                        FEtherCATSlave,
                                        FEtherCATSlave_Group};
        for (QWidget *w : expected) ASSERT_NE(w, nullptr);
        EXPECT_EQ(windows.Windows(), expected);
        EXPECT_EQ(FIOLink_IODD_Catalog->windowTitle(), QStringLiteral("IO-Link IODD Catalog"));
        EXPECT_EQ(FIO_Link_Set_Access->windowTitle(), QStringLiteral("IO-Link Set Access"));
        EXPECT_EQ(FProfinetFileName->windowTitle(), QStringLiteral("PROFINET XML File Name"));
        // Windows created after the main window already show the software code and the texts.
        EXPECT_EQ(FNew_Project->L_SW_Code->text(), QStringLiteral("CF41520"));
        EXPECT_EQ(FOpenConf->windowTitle(), QStringLiteral("Open Configuration"));
        EXPECT_EQ(FSoftOptions->windowTitle(), QStringLiteral("Software Options"));
        EXPECT_EQ(FSetAccess->windowTitle(), QStringLiteral("Set Modbus Access"));
        EXPECT_EQ(FSetAccess->L_SW_Code->text(), QStringLiteral("CF41520"));
        EXPECT_EQ(FModbus_TCP_Master_Set_Access->windowTitle(), QStringLiteral("Set Modbus TCP Master Access"));
        EXPECT_EQ(FBACnet_Eng_Unit->windowTitle(), QStringLiteral("Select the BACnet Engineering Unit"));
        EXPECT_EQ(FBACnetSlaveSetAccess->windowTitle(), QStringLiteral("BACnet Set Access"));
        EXPECT_EQ(FReceiveCAN->windowTitle(), QStringLiteral("Receive CAN Frames Set Access"));
        EXPECT_EQ(FTransmitCAN->windowTitle(), QStringLiteral("Transmit CAN Frames Set Access"));
        EXPECT_EQ(FTransmitCAN->L_SW_Code->text(), QStringLiteral("CF41520"));
        EXPECT_EQ(FSet_PDO_Access->windowTitle(), QStringLiteral("Set PDO Access"));
        EXPECT_EQ(FTransmitNMEA->windowTitle(), QStringLiteral("Transmit NMEA 2000 Frames"));
        EXPECT_EQ(FSNMP_Trap_Access->windowTitle(), QStringLiteral("Set SNMP Trap Access"));
        EXPECT_EQ(FMQTT_Set_Topic->windowTitle(), QStringLiteral("Set MQTT Topics"));
        EXPECT_EQ(FTopicTemplate->windowTitle(), QStringLiteral("Set Topic"));
        EXPECT_EQ(FNMEA_0183_Set_Access2->windowTitle(), QStringLiteral("Definition of NMEA 0183 Sentences"));
        EXPECT_EQ(FNMEA_0183_Set_Access->windowTitle(), QStringLiteral("Definition of NMEA 0183 Sentences"));
        EXPECT_EQ(FEtherCATSlave->windowTitle(), QStringLiteral("EtherCAT Slave Set Access"));
        EXPECT_EQ(FEtherCATSlave_Group->windowTitle(), QStringLiteral("EtherCAT Slave Set Group"));
        for (QWidget *w : expected) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
        EXPECT_TRUE(Row_Clipboard.isEmpty());
    }
    EXPECT_EQ(FDovavivuvFirmWare, nullptr);
    EXPECT_EQ(FNew_Project, nullptr);
    EXPECT_EQ(FOpenConf, nullptr);
    EXPECT_EQ(FAbout, nullptr);
    EXPECT_EQ(FSoftOptions, nullptr);
    EXPECT_EQ(FIO_Link_Set_Access, nullptr);
    EXPECT_EQ(FParGen, nullptr);
    EXPECT_EQ(FIOLink_IODD_Catalog, nullptr);
    EXPECT_EQ(FBoot, nullptr);
    EXPECT_EQ(FSetAccess, nullptr);
    EXPECT_EQ(FProfinetFileName, nullptr);
    EXPECT_EQ(FModbus_TCP_Master_Set_Access, nullptr);
    EXPECT_EQ(FBACnet_Eng_Unit, nullptr);
    EXPECT_EQ(FBACnetSlaveSetAccess, nullptr);
    EXPECT_EQ(FReceiveCAN, nullptr);
    EXPECT_EQ(FTransmitCAN, nullptr);
    EXPECT_EQ(FSet_PDO_Access, nullptr);
    EXPECT_EQ(FSet_SDO_Client_Access, nullptr);
    EXPECT_EQ(FSet_SDO_Server_Access, nullptr);
    EXPECT_EQ(FReceiveJ1939, nullptr);
    EXPECT_EQ(FTransmitJ1939, nullptr);
    EXPECT_EQ(FReceiveNMEA, nullptr);
    EXPECT_EQ(FTransmitNMEA, nullptr);
    EXPECT_EQ(FSNMP_Trap_Access, nullptr);
    EXPECT_EQ(FMQTT_Set_Topic, nullptr);
    EXPECT_EQ(FTopicTemplate, nullptr);
    EXPECT_EQ(FNMEA_0183_Set_Access2, nullptr);
    EXPECT_EQ(FNMEA_0183_Set_Access, nullptr);
    EXPECT_EQ(FEtherCATSlave, nullptr);
    EXPECT_EQ(FEtherCATSlave_Group, nullptr);
}

TEST_F(Startup, SettingsAreReadAndWrittenBack)
{
    QDir(exe()).mkpath(QStringLiteral("PROJECTS/Plant A"));
    writeFile(settings(), settingsXml("Plant A", "10.0.0.7", "English", "1101"));
    {
        TProgramWindows windows(exe());
        EXPECT_EQ(Project_Path, exe() + QStringLiteral("/PROJECTS/Plant A"));
        EXPECT_EQ(ParGen_File, exe() + QStringLiteral("/PROJECTS/Plant A/ParGen.xml"));
        EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf->text(), QStringLiteral("Opened Configuration of the Converter : "));
        EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf_L2->text(), QStringLiteral("Plant A"));
        EXPECT_EQ(Last_IP_Address, QStringLiteral("10.0.0.7"));
        EXPECT_TRUE(Opt_Enable_Internet);
        EXPECT_TRUE(Opt_Enable_Update);
        EXPECT_FALSE(Opt_Enable_Jump_Field_Tables);
        EXPECT_TRUE(Opt_Double_Click_Auto_Size);
        // Both internet options on: the first check comes a minute after start.
        EXPECT_TRUE(FDovavivuvFirmWare->Timer_Update.isActive());
        EXPECT_EQ(FDovavivuvFirmWare->Timer_Update.interval(), 60000);
        FDovavivuvFirmWare->close();
    }
    EXPECT_EQ(readAll(settings()), settingsXml("Plant A", "10.0.0.7", "English", "1101"));
}

TEST_F(Startup, TimerStaysOffWithOnlyOneInternetOption)
{
    for (const char *flags : {"1000", "0100"}) {
        writeFile(settings(), settingsXml("", "1.2.3.4", "English", flags));
        TProgramWindows windows(exe());
        EXPECT_FALSE(FDovavivuvFirmWare->Timer_Update.isActive()) << flags;
    }
}

TEST_F(Startup, RememberedConfigurationThatIsGoneOrNotAPlainNameOpensNothing)
{
    QDir(exe()).mkpath(QStringLiteral("PROJECTS"));
    QDir(exe()).mkpath(QStringLiteral("outside"));
    // Names that reach outside PROJECTS, or a folder that was deleted.
    for (const QByteArray name : {QByteArray("Deleted"), QByteArray("../outside"), QByteArray(".."),
                                  QByteArray("."), QByteArray("../PROJECTS"), QByteArray(" Deleted")}) {
        writeFile(settings(), settingsXml(name, "1.2.3.4", "English", "0000"));
        testsupport::ModalResponder responder;
        {
            TProgramWindows windows(exe());
            EXPECT_TRUE(Project_Path.isEmpty()) << name.constData();
            EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
            EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf_L2->text(),
                      QStringLiteral("Use Step1 to open or create new configuration"));
            FDovavivuvFirmWare->Change_Language();
            EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
            FDovavivuvFirmWare->Btn_Prm_Gen->click();
            EXPECT_EQ(responder.texts(), QStringList{QStringLiteral("Error! Project not Valid")});
            FDovavivuvFirmWare->close();
        }
        // The remembered name goes back unchanged.
        EXPECT_EQ(readAll(settings()), settingsXml(name, "1.2.3.4", "English", "0000")) << name.constData();
    }
}

TEST_F(Startup, MalformedSettingsFileStartsWithDefaultsAndOneWarning)
{
    writeFile(settings(), "<Conf_Settings><lastproj><projectname>X</projectname></lastproj");
    testsupport::ModalResponder responder;
    {
        TProgramWindows windows(exe());
        ASSERT_EQ(responder.texts().size(), 1);
        EXPECT_TRUE(responder.texts().at(0).contains(QStringLiteral("Fabricor.xml")));
        EXPECT_EQ(FDovavivuvFirmWare->Settings_Warning, responder.texts().at(0));
        EXPECT_TRUE(Project_Name.isEmpty());
        EXPECT_EQ(Language_Name, QStringLiteral("English"));
        EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
        EXPECT_EQ(Lang_Texts.at(15), QStringLiteral("New Configuration"));
        EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
        FDovavivuvFirmWare->close();
    }
    EXPECT_EQ(responder.texts().size(), 1);
    EXPECT_EQ(readAll(settings()), kDefaultSettings);
}

TEST_F(Startup, Latin1SettingsFileStartsWithDefaultsAndIsKeptAsBad)
{
    const QByteArray latin1 = settingsXml("Pr\xFC" "fung", "1.2.3.4", "English", "1111");
    writeFile(settings(), latin1);
    testsupport::ModalResponder responder;
    {
        TProgramWindows windows(exe());
        ASSERT_EQ(responder.texts().size(), 1);
        EXPECT_TRUE(responder.texts().at(0).contains(QStringLiteral("Fabricor.xml.bad")));
        EXPECT_TRUE(Project_Name.isEmpty());
        EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
        EXPECT_FALSE(Opt_Enable_Internet);
        FDovavivuvFirmWare->close();
    }
    EXPECT_EQ(readAll(settings()), kDefaultSettings);
    EXPECT_EQ(readAll(settings() + QStringLiteral(".bad")), latin1);
}

TEST_F(Startup, UnwritableSettingsFileShowsTheErrorOnceAndStillCloses)
{
    testsupport::ModalResponder responder;
    {
        TProgramWindows windows(exe());
        EXPECT_TRUE(responder.texts().isEmpty());
        ASSERT_TRUE(QDir(exe()).mkdir(QStringLiteral("Fabricor.xml"))); // a folder in the file's place
        FDovavivuvFirmWare->show();
        EXPECT_TRUE(FDovavivuvFirmWare->close());
        EXPECT_FALSE(FDovavivuvFirmWare->isVisible());
        EXPECT_EQ(responder.texts().size(), 1);
    }
    EXPECT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(QFileInfo(settings()).isDir());
}

TEST_F(Startup, LanguageFromTheSettingsAndItsFallback)
{
    QDir(exe()).mkpath(QStringLiteral("LANGUAGE"));
    writeFile(exe() + QStringLiteral("/LANGUAGE/Deutsch.lng"), "STR15 = Neue Konfiguration\nSTR9 = Keine\n");
    writeFile(settings(), settingsXml("", "1.2.3.4", "Deutsch", "0000"));
    {
        TProgramWindows windows(exe());
        EXPECT_EQ(Language_Name, QStringLiteral("Deutsch"));
        EXPECT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("Neue Konfiguration"));
        EXPECT_EQ(FDovavivuvFirmWare->L_Name_Conf->text(), QStringLiteral("Keine"));
        FDovavivuvFirmWare->close();
    }
    writeFile(settings(), settingsXml("", "1.2.3.4", "Klingon", "0000"));
    {
        TProgramWindows windows(exe());
        EXPECT_EQ(Language_Name, QStringLiteral("English"));
        EXPECT_EQ(FDovavivuvFirmWare->Btn_New->text(), QStringLiteral("New Configuration"));
        FDovavivuvFirmWare->close();
    }
    EXPECT_TRUE(readAll(settings()).contains("<language>English</language>"));
}
