#include "shell/UDovavivuvFirmWare.h"

#include "iolink/UBoot.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "iolink/UIO_Link_Set_Access.h"
#include "iolink/USaveBincc.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/UrlOpener.h"
#include "platform/Xml.h"
#include "protocols/UBACnetSlaveSetAccess.h"
#include "protocols/UBACnet_EDE_File.h"
#include "protocols/UBACnet_Eng_Unit.h"
#include "protocols/UDescription_Commands.h"
#include "protocols/UEds.h"
#include "protocols/UEtherCATSlave.h"
#include "protocols/UEtherCATSlave_Group.h"
#include "protocols/UMQTT_Set_Topic.h"
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
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/UParGen.h"
#include "shell/UProgram_Button.h"
#include "shell/USettings.h"
#include "shell/USoftOptions.h"
#include "shell/USoftOptions_Version.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QWindow>
#include <QStyle>
#include <pugixml.hpp>

namespace {

const QColor kFormColor(248, 247, 237);
const QColor kGrey(128, 128, 128);
constexpr int kFirstCheckMs = 60000;
constexpr int kNextCheckMs = 7200000;

QLabel *greyLabel(QWidget *parent, const char *name, int top, int left, bool bold)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, kGrey);
    l->setPalette(p);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    l->move(left, top);
    return l;
}

// Keeps a label as wide as its text after each change of the text.
void fitLabel(QLabel *l)
{
    l->adjustSize();
}

} // namespace

DIDurovuzozAdozAvir::DIDurovuzozAdozAvir(const QString &exeDir, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FDovavivuvFirmWare"));
    FormCreate(exeDir);
}

DIDurovuzozAdozAvir::~DIDurovuzozAdozAvir()
{
    if (FDovavivuvFirmWare == this) FDovavivuvFirmWare = nullptr;
}

QAbstractButton *DIDurovuzozAdozAvir::Make_Button(const char *name, int top, int left, int width, int height,
                                                  int style, int icon)
{
    const bool iconButton = width == height;
    TLbButton *b = Program_Button(this, name, top, left, width, height, TLbButtonStyle(style),
                                  QStyle::StandardPixmap(icon), iconButton ? 32 : 24);
    if (!iconButton) b->setAlignment(Qt::AlignLeft);
    connect(b, &QAbstractButton::clicked, this, [this, b] { Btn_Click(b); });
    return b;
}

QAbstractButton *DIDurovuzozAdozAvir::Protocol_Button(const char *name, int index)
{
    // Design positions of the other models' buttons: two columns to the right of the steps.
    return Make_Button(name, 112 + (index / 2) * 44, 258 + (index % 2) * 178, 170, 36, bsEncarta,
                       QStyle::SP_FileDialogContentsView);
}

void DIDurovuzozAdozAvir::Layout_Wizard()
{
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kFormColor);
    setPalette(pal);
    setFont(QFont(QStringLiteral("Verdana"), 8));

    L_SW_Code = greyLabel(this, "L_SW_Code", 8, 16, false);
    L_SW_Code->setFont(QFont(QStringLiteral("Verdana"), 24));
    L_SW_Desc = greyLabel(this, "L_SW_Desc", 42, 16, true);
    L_Begin = greyLabel(this, "L_Begin", 84, 16, true);

    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(80, 70, 348, 36);
    Shape2->setStyleSheet(QStringLiteral("#Shape2 { border: 1px solid #C0C0C0; background: transparent; }"));
    L_Name_Conf = greyLabel(this, "L_Name_Conf", 75, 87, false);
    L_Name_Conf_L2 = greyLabel(this, "L_Name_Conf_L2", 88, 87, false);

    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "L_Step_" + QByteArray::number(i + 1);
        L_Step[i] = greyLabel(this, name.constData(), 128 + 44 * i, 16, true);
        L_Step[i]->setVisible(i < 4);
    }

    L_Velmar = new TClickLabel(this);
    L_Velmar->setObjectName(QStringLiteral("L_Velmar"));
    {
        QPalette p = L_Velmar->palette();
        p.setColor(QPalette::WindowText, kGrey);
        L_Velmar->setPalette(p);
        QFont f = L_Velmar->font();
        f.setBold(true);
        L_Velmar->setFont(f);
    }
    L_Velmar->setCursor(Qt::PointingHandCursor);
    L_Velmar->setText(Web_Address_Text());
    fitLabel(L_Velmar);
    connect(L_Velmar, &TClickLabel::clicked, this, [this] { L_VelmarClick(); });

    LL_Update = new QLabel(this);
    LL_Update->setObjectName(QStringLiteral("LL_Update"));
    LL_Update->setGeometry(208, 19, 294, 17);
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Update->setOpenExternalLinks(false);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this, [this](const QString &link) { LL_UpdateLinkClick(link); });

    Btn_Info = Make_Button("Btn_Info", 8, 516, 50, 50, bsNormal, QStyle::SP_MessageBoxInformation);
    Btn_Opz = Make_Button("Btn_Opz", 8, 574, 50, 50, bsNormal, QStyle::SP_FileDialogDetailedView);
    Btn_Close = Make_Button("Btn_Close", 8, 632, 50, 50, bsNormal, QStyle::SP_DialogCloseButton);

    Btn_New = Make_Button("Btn_New", 112, 80, 170, 36, bsEncarta, QStyle::SP_FileIcon);
    Btn_Open = Make_Button("Btn_Open", 112, 258, 170, 36, bsEncarta, QStyle::SP_DirOpenIcon);
    Btn_Prm_Gen = Make_Button("Btn_Prm_Gen", 156, 80, 170, 36, bsNormal, QStyle::SP_ComputerIcon);
    Btn_IOLink_Set_Access = Make_Button("Btn_IOLink_Set_Access", 200, 80, 170, 36, bsEncarta, QStyle::SP_DriveNetIcon);
    Btn_IOLink_Set_Access->hide();
    Btn_CreateBin = Make_Button("Btn_CreateBin", 332, 80, 170, 36, bsEncarta, QStyle::SP_BrowserReload);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::NoFrame);
    Shape1->setAutoFillBackground(true);
    {
        QPalette p = Shape1->palette();
        p.setColor(QPalette::Window, QColor(192, 192, 192));
        Shape1->setPalette(p);
    }

    const struct {
        QAbstractButton **button;
        const char *name;
    } protocols[] = {
        {&Btn_Modbus_Set_Access, "Btn_Modbus_Set_Access"},
        {&Btn_BACnet_SetAccess, "Btn_BACnet_SetAccess"},
        {&Btn_BACnet_EDE_File, "Btn_BACnet_EDE_File"},
        {&Btn_CAN_Rec_Frame, "Btn_CAN_Rec_Frame"},
        {&Btn_CAN_Send_Frame, "Btn_CAN_Send_Frame"},
        {&Btn_SDO_Server_CANopen, "Btn_SDO_Server_CANopen"},
        {&Btn_SDO_Client_CANopen, "Btn_SDO_Client_CANopen"},
        {&Btn_PDO_CANopen, "Btn_PDO_CANopen"},
        {&Btn_CANopen_EDS, "Btn_CANopen_EDS"},
        {&Btn_SNMP_Trap, "Btn_SNMP_Trap"},
        {&Btn_SNMP_MIB, "Btn_SNMP_MIB"},
        {&Btn_MQTT_Set_Topic, "Btn_MQTT_Set_Topic"},
        {&Btn_NMEA0183_Access, "Btn_NMEA0183_Access"},
        {&Btn_EtherCAT_Set_Access, "Btn_EtherCAT_Set_Access"},
        {&Btn_EtherCAT_ESI_File, "Btn_EtherCAT_ESI_File"},
        {&Btn_EtherCAT_Set_Group, "Btn_EtherCAT_Set_Group"},
        {&Btn_PROFINET_XML, "Btn_PROFINET_XML"},
    };
    int index = 0;
    for (const auto &p : protocols) {
        *p.button = Protocol_Button(p.name, index++);
        (*p.button)->hide();
    }
    Btn_PROFINET_XML->setText(QStringLiteral("PROFINET XML"));

    // This model's four steps.
    for (int i = 0; i < 4; ++i) L_Step[i]->show();
    L_Velmar->move(565, L_Step[3]->y());
    Btn_IOLink_Set_Access->move(80, 200);
    Btn_IOLink_Set_Access->show();
    Btn_CreateBin->move(80, 244);
    Shape1->setGeometry(10, Btn_CreateBin->y() + 51, 674, 1);
    setFixedSize(694, Btn_CreateBin->y() + 152);

    SD1.filter = QStringLiteral("CSV (MS-DOS) (*.csv)");
    SaveEDS.filter = QStringLiteral("Electronic Data Sheet (*.eds)");
    SaveMIB.filter = QStringLiteral("Management Information Base (*.mib)");
    SaveMIB.defaultSuffix = QStringLiteral("mib");
    SaveESI.filter = QStringLiteral("EtherCAT ESI File (*.xml)");

    Timer_Update.setInterval(kFirstCheckMs);
    connect(&Timer_Update, &QTimer::timeout, this, [this] { Timer_UpdateTimer(); });
}

void DIDurovuzozAdozAvir::FormCreate(const QString &exeDir)
{
    FDovavivuvFirmWare = this;
    Lang_Texts.clear();
    Layout_Wizard();

    Init_Program_Dirs(exeDir);
    Project_Name.clear();
    Last_Read_Back = true;

    QString error;
    if (Read_Settings(&error) == SettingsRead::Malformed) {
        // Start with the defaults; the file is rewritten on close.
        Settings_Warning = error;
        platform::showWarning(error);
    }

    Set_Update_Timer(Opt_Enable_Internet && Opt_Enable_Update);

    Main_Title = kMainTitle;
    SW_Code = kSWCode;
    SW_Desc = kSWDesc;
    setWindowTitle(Main_Title);
    L_SW_Code->setText(SW_Code);
    fitLabel(L_SW_Code);
    L_SW_Desc->setText(SW_Desc);
    fitLabel(L_SW_Desc);

    Load_Language();
    Reopen_Last_Project();
    Set_Lang();
    Set_Files();

    Row_Clipboard.clear();
    Row_Clipboard_Check.clear();
    MIB_Read_Desc.clear();
    MIB_Write_Desc.clear();
}

void DIDurovuzozAdozAvir::Show_Conf_Labels()
{
    if (!Project_Path.isEmpty()) {
        L_Name_Conf->setText(LT(11));
        L_Name_Conf_L2->setText(Project_Name);
    } else {
        L_Name_Conf->setText(LT(9));
        L_Name_Conf_L2->setText(LT(10));
    }
    fitLabel(L_Name_Conf);
    fitLabel(L_Name_Conf_L2);
}

void DIDurovuzozAdozAvir::Set_Lang()
{
    L_Begin->setText(LT(0));
    fitLabel(L_Begin);
    for (int i = 0; i < 8; ++i) {
        L_Step[i]->setText(LT(i + 1));
        fitLabel(L_Step[i]);
    }
    Show_Conf_Labels();
    Btn_Info->setToolTip(LT(12));
    Btn_Opz->setToolTip(LT(13));
    Btn_Close->setToolTip(LT(14));
    const struct {
        QAbstractButton *button;
        int caption, hint;
    } buttons[] = {
        {Btn_New, 15, 22},
        {Btn_Open, 16, 23},
        {Btn_CreateBin, 17, 26},
        {Btn_Prm_Gen, 20, 24},
        {Btn_IOLink_Set_Access, 21, 25},
        {Btn_Modbus_Set_Access, 27, 28},
        {Btn_BACnet_SetAccess, 29, 30},
        {Btn_BACnet_EDE_File, 31, 32},
        {Btn_CAN_Rec_Frame, 33, 35},
        {Btn_CAN_Send_Frame, 34, 36},
        {Btn_SDO_Server_CANopen, 41, 42},
        {Btn_SDO_Client_CANopen, 43, 44},
        {Btn_PDO_CANopen, 45, 46},
        {Btn_CANopen_EDS, 47, 48},
        {Btn_SNMP_Trap, 49, 50},
        {Btn_SNMP_MIB, 51, 52},
        {Btn_MQTT_Set_Topic, 53, 54},
        {Btn_NMEA0183_Access, 55, 56},
        {Btn_EtherCAT_Set_Access, 57, 58},
        {Btn_EtherCAT_ESI_File, 59, 60},
        {Btn_EtherCAT_Set_Group, 61, 62},
    };
    for (const auto &b : buttons) {
        b.button->setText(LT(b.caption));
        b.button->setToolTip(LT(b.hint));
    }
    Show_Update_Link(m_updateLink && LL_Update->isVisibleTo(this));
}

void DIDurovuzozAdozAvir::Show_Update_Link(bool show)
{
    m_updateLink = show;
    if (show) {
        LL_Update->setText(platform::linkHtml(Download_Page_Url(), LT(19)));
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
}

std::vector<DIDurovuzozAdozAvir::Lang_Window> DIDurovuzozAdozAvir::Language_Windows()
{
    std::vector<Lang_Window> list;
    list.push_back({this, [this] { Set_Lang(); }});
    if (FNew_Project) list.push_back({FNew_Project, [] { FNew_Project->Set_Lang(); }});
    if (FOpenConf) list.push_back({FOpenConf, [] { FOpenConf->Set_Lang(); }});
    if (FSoftOptions) list.push_back({FSoftOptions, [] { FSoftOptions->Set_Lang(); }});
    if (FBoot) list.push_back({FBoot, [] { FBoot->Set_Lang(); }});
    if (FParGen) list.push_back({FParGen, [] { FParGen->Set_Lang(); }});
    if (FIO_Link_Set_Access) list.push_back({FIO_Link_Set_Access, [] { FIO_Link_Set_Access->Set_Lang(); }});
    if (FIOLink_IODD_Catalog) list.push_back({FIOLink_IODD_Catalog, [] { FIOLink_IODD_Catalog->Set_Lang(); }});
    // The other models' windows.
    if (FSetAccess) list.push_back({FSetAccess, [] { FSetAccess->Set_Lang(); }});
    if (FProfinetFileName) list.push_back({FProfinetFileName, [] { FProfinetFileName->Set_Lang(); }});
    if (FModbus_TCP_Master_Set_Access)
        list.push_back({FModbus_TCP_Master_Set_Access, [] { FModbus_TCP_Master_Set_Access->Set_Lang(); }});
    if (FBACnet_Eng_Unit) list.push_back({FBACnet_Eng_Unit, [] { FBACnet_Eng_Unit->Set_Lang(); }});
    if (FBACnetSlaveSetAccess) list.push_back({FBACnetSlaveSetAccess, [] { FBACnetSlaveSetAccess->Set_Lang(); }});
    if (FReceiveCAN) list.push_back({FReceiveCAN, [] { FReceiveCAN->Set_Lang(); }});
    if (FTransmitCAN) list.push_back({FTransmitCAN, [] { FTransmitCAN->Set_Lang(); }});
    if (FSet_PDO_Access) list.push_back({FSet_PDO_Access, [] { FSet_PDO_Access->Set_Lang(); }});
    if (FSet_SDO_Client_Access) list.push_back({FSet_SDO_Client_Access, [] { FSet_SDO_Client_Access->Set_Lang(); }});
    if (FSet_SDO_Server_Access) list.push_back({FSet_SDO_Server_Access, [] { FSet_SDO_Server_Access->Set_Lang(); }});
    if (FReceiveJ1939) list.push_back({FReceiveJ1939, [] { FReceiveJ1939->Set_Lang(); }});
    if (FTransmitJ1939) list.push_back({FTransmitJ1939, [] { FTransmitJ1939->Set_Lang(); }});
    if (FReceiveNMEA) list.push_back({FReceiveNMEA, [] { FReceiveNMEA->Set_Lang(); }});
    if (FTransmitNMEA) list.push_back({FTransmitNMEA, [] { FTransmitNMEA->Set_Lang(); }});
    if (FSNMP_Trap_Access) list.push_back({FSNMP_Trap_Access, [] { FSNMP_Trap_Access->Set_Lang(); }});
    if (FMQTT_Set_Topic) list.push_back({FMQTT_Set_Topic, [] { FMQTT_Set_Topic->Set_Lang(); }});
    if (FTopicTemplate) list.push_back({FTopicTemplate, [] { FTopicTemplate->Set_Lang(); }});
    if (FNMEA_0183_Set_Access) list.push_back({FNMEA_0183_Set_Access, [] { FNMEA_0183_Set_Access->Set_Lang(); }});
    if (FNMEA_0183_Set_Access2) list.push_back({FNMEA_0183_Set_Access2, [] { FNMEA_0183_Set_Access2->Set_Lang(); }});
    if (FEtherCATSlave) list.push_back({FEtherCATSlave, [] { FEtherCATSlave->Set_Lang(); }});
    if (FEtherCATSlave_Group) list.push_back({FEtherCATSlave_Group, [] { FEtherCATSlave_Group->Set_Lang(); }});
    return list;
}

void DIDurovuzozAdozAvir::Change_Language()
{
    for (const Lang_Window &w : Language_Windows()) w.setLang();
}

void DIDurovuzozAdozAvir::Btn_Click(QObject *Sender)
{
    if (Sender == Btn_New) {
        Create_New_Project();
    } else if (Sender == Btn_Open) {
        Open_Project();
    } else if (Sender == Btn_Close) {
        close();
    } else if (Sender == Btn_Info) {
        if (FAbout) FAbout->exec();
    } else if (Sender == Btn_Opz) {
        if (FSoftOptions && FSoftOptions->exec() == QDialog::Accepted) {
            Save_Setting();
            Set_Update_Timer(Opt_Enable_Internet && Opt_Enable_Update);
        }
    } else if (Project_Path.isEmpty()) {
        platform::showError(LT(18), this);
    } else if (Sender == Btn_Prm_Gen) {
        if (FParGen) FParGen->Edit_Configuration();
    } else if (Sender == Btn_IOLink_Set_Access) {
        if (FIO_Link_Set_Access) FIO_Link_Set_Access->Edit_Configuration();
    } else if (Sender == Btn_Modbus_Set_Access) {
        if (FSetAccess) FSetAccess->exec();
    } else if (Sender == Btn_SNMP_Trap) {
        if (FSNMP_Trap_Access) FSNMP_Trap_Access->exec();
    } else if (Sender == Btn_MQTT_Set_Topic) {
        if (FMQTT_Set_Topic) FMQTT_Set_Topic->exec();
    } else if (Sender == Btn_NMEA0183_Access) {
        if (FNMEA_0183_Set_Access2) FNMEA_0183_Set_Access2->exec();
    } else if (Sender == Btn_BACnet_SetAccess) {
        if (FBACnetSlaveSetAccess) FBACnetSlaveSetAccess->exec();
    } else if (Sender == Btn_CAN_Rec_Frame) {
        if (FReceiveCAN) FReceiveCAN->exec();
    } else if (Sender == Btn_CAN_Send_Frame) {
        if (FTransmitCAN) FTransmitCAN->exec();
    } else if (Sender == Btn_PDO_CANopen) {
        if (FSet_PDO_Access) FSet_PDO_Access->exec();
    } else if (Sender == Btn_SDO_Client_CANopen) {
        if (FSet_SDO_Client_Access) FSet_SDO_Client_Access->exec();
    } else if (Sender == Btn_SDO_Server_CANopen) {
        if (FSet_SDO_Server_Access) FSet_SDO_Server_Access->exec();
    } else if (Sender == Btn_BACnet_EDE_File) {
        BACnet_EDE_File();
    } else if (Sender == Btn_CANopen_EDS) {
        Build_EDS_File();
    } else if (Sender == Btn_PROFINET_XML) {
        PROFINET_XML();
    } else if (Sender == Btn_SNMP_MIB) {
        Save_MIB_File(SaveMIB, this);
    } else if (Sender == Btn_EtherCAT_Set_Access) {
        if (FEtherCATSlave) FEtherCATSlave->exec();
    } else if (Sender == Btn_EtherCAT_Set_Group) {
        if (FEtherCATSlave_Group) FEtherCATSlave_Group->exec();
    } else if (Sender == Btn_EtherCAT_ESI_File) {
        Save_ESI_File(SaveESI, this);
    } else if (Sender == Btn_CreateBin) {
        Update_Device();
    }
}

void DIDurovuzozAdozAvir::Create_New_Project()
{
    if (!FNew_Project) return;
    if (FNew_Project->exec() != QDialog::Accepted) return;
    Show_Conf_Labels();
}

void DIDurovuzozAdozAvir::Open_Project()
{
    if (!FOpenConf) return;
    if (FOpenConf->exec() != QDialog::Accepted) return;
    Project_Name = FOpenConf->Name_Conf;
    if (!Project_Name.isEmpty())
        Project_Path = Projects_Dir + QLatin1Char('/') + Project_Name;
    else
        Project_Path.clear();
    Show_Conf_Labels();
    Set_Files();
}

void DIDurovuzozAdozAvir::Update_Device()
{
    // Images are rebuilt from the saved files each time; a failed build writes nothing.
    QString error;
    if (!Create_Bank_Images(&error) || !Save_Bank_Files(&error)) {
        platform::showError(error, this);
        return;
    }
    if (!FBoot) return;
    FBoot->Form_Type = 1;
    FBoot->exec();
}

platform::RunResult DIDurovuzozAdozAvir::Start_Program(const QString &NomeSW, const QString &Parameter, quint8 tipo)
{
    // Windows keep painting during the wait; clicks and keys wait until the program has ended.
    return platform::runProgramAndWait(NomeSW, QProcess::splitCommand(Parameter), tipo != 0,
                                       Start_Program_Timeout_Ms, 10, [] {
                                           QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                                       });
}

void DIDurovuzozAdozAvir::Set_Update_Timer(bool on)
{
    if (!on)
        Timer_Update.stop();
    else if (!Timer_Update.isActive())
        Timer_Update.start();
}

void DIDurovuzozAdozAvir::Timer_UpdateTimer()
{
    Timer_Update.stop();
    const bool newer = FSoftOptions ? FSoftOptions->Check_Version()
                                    : Is_Newer_Version_Reply(Query_Published_Version(), kSWVersion);
    Show_Update_Link(newer);
    Timer_Update.setInterval(kNextCheckMs);
    Timer_Update.start();
}

void DIDurovuzozAdozAvir::LL_UpdateLinkClick(const QString &Link)
{
    platform::openWebUrl(QUrl(Link));
}

void DIDurovuzozAdozAvir::L_VelmarClick()
{
    platform::openWebUrl(Home_Page_Url());
}

void DIDurovuzozAdozAvir::BACnet_EDE_File()
{
    platform::FileChoice choice = SD1;
    choice.save = true;
    choice.folder = Project_Path;
    QString name = platform::chooseFile(choice, this);
    if (name.isEmpty()) return;
    if (name.right(4).toUpper() != QLatin1String(".CSV")) name += QStringLiteral(".csv");
    if (QFileInfo::exists(name) && platform::askYesNoCancel(LT(1505), this) != platform::Answer::Yes) return;
    Export_Description_File(EDE_File_Bytes(), name, this);
}

void DIDurovuzozAdozAvir::Build_EDS_File()
{
    platform::FileChoice choice = SaveEDS;
    choice.save = true;
    choice.folder = Project_Path;
    const QString name = platform::chooseFile(choice, this);
    if (!name.isEmpty()) Export_Description_File(EDS_File_Bytes(), name, this);
}

void DIDurovuzozAdozAvir::PROFINET_XML()
{
    if (FProfinetFileName && FProfinetFileName->exec() == QDialog::Accepted)
        Save_GSDML_File(FProfinetFileName->Name_File_XML, this);
}

int DIDurovuzozAdozAvir::Get_Type_BACnet()
{
    XML1.reset();
    if (!platform::readXmlFile(XML1, ParGen_File, pugi::parse_default)) return 0;
    const pugi::xml_node node = XML1.document_element().child("BACnet_Type");
    if (!node || node.first_child().type() == pugi::node_element) return 0;
    return StrToIntDef(QString::fromUtf8(node.text().get()), 0);
}

bool DIDurovuzozAdozAvir::Save_Setting()
{
    XML1.reset();
    QString error;
    if (Write_Settings(&error)) return true;
    platform::showError(error, isVisible() ? this : nullptr);
    return false;
}

void DIDurovuzozAdozAvir::Set_Files()
{
    ::Set_Files();
}

void DIDurovuzozAdozAvir::closeEvent(QCloseEvent *event)
{
    // The program closes even when the settings cannot be written; the error has been shown.
    Save_Setting();
    event->accept();
}

void DIDurovuzozAdozAvir::showEvent(QShowEvent *event)
{
    if (!m_centred) {
        m_centred = true;
        if (QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
            move(s->availableGeometry().center() - rect().center());
        Btn_New->setFocus(); // the wizard starts at Step 1
    }
    QWidget::showEvent(event);
}

// ---- Program windows --------------------------------------------------------------------------

namespace {

// Every other window is shown as a child of the main window on the desktop, so the main window alone
// owns the task-bar button.
class TaskBarOwner : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && FDovavivuvFirmWare) {
            auto *w = static_cast<QWidget *>(watched);
            if (w->windowHandle() && FDovavivuvFirmWare->windowHandle() && w != FDovavivuvFirmWare)
                w->windowHandle()->setTransientParent(FDovavivuvFirmWare->windowHandle());
        }
        return false;
    }
};

TaskBarOwner *taskBarOwner()
{
    static TaskBarOwner owner;
    return &owner;
}

} // namespace

TProgramWindows::TProgramWindows(const QString &exeDir)
{
    auto *main = new DIDurovuzozAdozAvir(exeDir);
    main->winId(); // the desktop window the others are shown over
    m_release.push_back([main] { delete main; });
    m_windows.push_back(main);
    create(FIO_Link_Set_Access);
    create(FNew_Project);
    create(FOpenConf);
    create(FAbout);
    create(FSoftOptions);
    create(FParGen);
    create(FIOLink_IODD_Catalog);
    create(FBoot);
    // The other models' windows.
    create(FSetAccess);
    create(FProfinetFileName);
    create(FModbus_TCP_Master_Set_Access);
    create(FBACnet_Eng_Unit);
    create(FBACnetSlaveSetAccess);
    create(FReceiveCAN);
    create(FTransmitCAN);
    create(FSet_PDO_Access);
    create(FSet_SDO_Client_Access);
    create(FSet_SDO_Server_Access);
    create(FReceiveJ1939);
    create(FTransmitJ1939);
    create(FReceiveNMEA);
    create(FTransmitNMEA);
    create(FSNMP_Trap_Access);
    create(FMQTT_Set_Topic);
    create(FTopicTemplate);
    create(FNMEA_0183_Set_Access2);
    create(FNMEA_0183_Set_Access);
    create(FEtherCATSlave);
    create(FEtherCATSlave_Group);

    for (size_t i = 1; i < m_windows.size(); ++i) m_windows[i]->installEventFilter(taskBarOwner());
}

TProgramWindows::~TProgramWindows()
{
    for (auto it = m_release.rbegin(); it != m_release.rend(); ++it) (*it)();
}
