#pragma once
// The main wizard window: four steps, the icon buttons, the version-check timer and the program's
// start-up sequence.
#include "platform/FileChooser.h"
#include "platform/ProcessRunner.h"

#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <utility>
#include <vector>

class QAbstractButton;
class QFrame;
class QLabel;
class TClickLabel;

class DIDurovuzozAdozAvir : public QWidget {
    Q_OBJECT
public:
    // Runs the start-up sequence with the program's folder exeDir (where "Fabricor.xml" lives and the
    // program folders are created).
    explicit DIDurovuzozAdozAvir(const QString &exeDir, QWidget *parent = nullptr);
    ~DIDurovuzozAdozAvir() override;

    void Set_Lang();
    // Every window that takes texts from the table re-applies them, in the fixed order.
    void Change_Language();
    // The one click handler of every button of the window.
    void Btn_Click(QObject *Sender);
    void Create_New_Project();
    void Open_Project();
    void Update_Device();
    // Runs NomeSW with Parameter (split like a command line) and waits for its end, at most
    // Start_Program_Timeout_Ms; tipo 0 shows the program normally, any other value hidden. The windows
    // keep painting meanwhile. Failures are silent; the result tells what happened.
    platform::RunResult Start_Program(const QString &NomeSW, const QString &Parameter, quint8 tipo);
    void Timer_UpdateTimer();
    void LL_UpdateLinkClick(const QString &Link);
    void L_VelmarClick();
    // Handlers of the other models' buttons (never shown in this model).
    void BACnet_EDE_File();
    void Build_EDS_File();
    void PROFINET_XML();
    // "BACnet_Type" under the root of ParGen_File; 0 when the file or the element is missing or bad.
    int Get_Type_BACnet();

    // Rewrites the settings file; shows the error and returns false when it cannot be written.
    bool Save_Setting();
    void Set_Files();
    // Switches the version-check timer on or off; switching on a running timer keeps its interval.
    void Set_Update_Timer(bool on);

    // The windows that re-apply their texts on a language change, in the order Change_Language runs them
    // (only those that exist).
    struct Lang_Window {
        QWidget *window;
        std::function<void()> setLang;
    };
    std::vector<Lang_Window> Language_Windows();

    int Start_Program_Timeout_Ms = 150000;

    // Controls, as the window holds them.
    QLabel *L_SW_Code = nullptr;
    QLabel *L_SW_Desc = nullptr;
    QLabel *L_Begin = nullptr;
    QFrame *Shape2 = nullptr;
    QLabel *L_Name_Conf = nullptr;
    QLabel *L_Name_Conf_L2 = nullptr;
    QLabel *L_Step[8] = {};
    TClickLabel *L_Velmar = nullptr;
    QLabel *LL_Update = nullptr;
    QAbstractButton *Btn_Info = nullptr;
    QAbstractButton *Btn_Opz = nullptr;
    QAbstractButton *Btn_Close = nullptr;
    QAbstractButton *Btn_New = nullptr;
    QAbstractButton *Btn_Open = nullptr;
    QAbstractButton *Btn_Prm_Gen = nullptr;
    QAbstractButton *Btn_IOLink_Set_Access = nullptr;
    QAbstractButton *Btn_CreateBin = nullptr;
    QFrame *Shape1 = nullptr;
    // The other models' buttons.
    QAbstractButton *Btn_Modbus_Set_Access = nullptr;
    QAbstractButton *Btn_BACnet_SetAccess = nullptr;
    QAbstractButton *Btn_BACnet_EDE_File = nullptr;
    QAbstractButton *Btn_CAN_Rec_Frame = nullptr;
    QAbstractButton *Btn_CAN_Send_Frame = nullptr;
    QAbstractButton *Btn_SDO_Server_CANopen = nullptr;
    QAbstractButton *Btn_SDO_Client_CANopen = nullptr;
    QAbstractButton *Btn_PDO_CANopen = nullptr;
    QAbstractButton *Btn_CANopen_EDS = nullptr;
    QAbstractButton *Btn_SNMP_Trap = nullptr;
    QAbstractButton *Btn_SNMP_MIB = nullptr;
    QAbstractButton *Btn_MQTT_Set_Topic = nullptr;
    QAbstractButton *Btn_NMEA0183_Access = nullptr;
    QAbstractButton *Btn_EtherCAT_Set_Access = nullptr;
    QAbstractButton *Btn_EtherCAT_ESI_File = nullptr;
    QAbstractButton *Btn_EtherCAT_Set_Group = nullptr;
    QAbstractButton *Btn_PROFINET_XML = nullptr;

    // Save choosers of the description-file commands (the folder is the configuration's at each use).
    platform::FileChoice SD1;      // BACnet EDE
    platform::FileChoice SaveEDS;  // CANopen EDS
    platform::FileChoice SaveMIB;  // SNMP MIB
    platform::FileChoice SaveESI;  // EtherCAT ESI

    QTimer Timer_Update;
    // The XML document that the settings, the image writers and the description writers borrow in
    // turn; each loads or builds its own document in it.
    pugi::xml_document XML1;

    // How the settings file fared at start.
    QString Settings_Warning; // the warning shown for an unreadable settings file ("" when none)

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate(const QString &exeDir);
    void Layout_Wizard();
    void Show_Conf_Labels();
    void Show_Update_Link(bool show);
    QAbstractButton *Make_Button(const char *name, int top, int left, int width, int height, int style, int icon);
    QAbstractButton *Protocol_Button(const char *name, int index);

    bool m_updateLink = false; // LL_Update holds the download link
    bool m_centred = false;
};

// The main window (window 1).
inline DIDurovuzozAdozAvir *FDovavivuvFirmWare = nullptr;

// Every window of the program, created once in the fixed order (the main window first, whose creation
// runs the start-up sequence) and freed in reverse order; the program-wide window variables point at
// them meanwhile.
class TProgramWindows {
public:
    explicit TProgramWindows(const QString &exeDir);
    ~TProgramWindows();
    TProgramWindows(const TProgramWindows &) = delete;
    TProgramWindows &operator=(const TProgramWindows &) = delete;

    // The windows in creation order.
    const std::vector<QWidget *> &Windows() const { return m_windows; }

private:
    // Creates the window of the program-wide variable var; it is freed, and var cleared, at the end.
    template <class W>
    void create(W *&var)
    {
        var = new W();
        m_windows.push_back(var);
        m_release.push_back([&var] { delete std::exchange(var, nullptr); });
    }

    std::vector<QWidget *> m_windows;
    std::vector<std::function<void()>> m_release; // in creation order
};
