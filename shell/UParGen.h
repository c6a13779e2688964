#pragma once
// Step 2 window: the communication parameters of the open configuration ("ParGen.xml").
#include "shell/ParGenFile.h"
#include "shell/TFrameWindow.h"
#include "shell/UParGen_Panels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <array>
#include <map>
#include <pugixml.hpp>

class TFParGen : public TFrameWindow {
    Q_OBJECT
public:
    explicit TFParGen(QWidget *parent = nullptr);
    ~TFParGen() override;

    // Opens the window modally for ParGen_File; the dialog result (Accepted after a saved OK).
    int Edit_Configuration();

    // Loads ParGen_File into the fields, then lays the panels out again.
    void FormShow();
    // OK (through Btn_OKClick): the data check, then the file is written; true closes the window
    // with OK. On a failed check or write the window stays open.
    bool OK_Check() override;
    // Applies the text table to captions and hints (the panel captions excepted).
    void Set_Lang() override;
    void IOLink_Set_Device_List();
    void Order_TAB_Panels();
    void Move_GroupBoxs();
    // The data check: true when every field passes; otherwise shows the first failure's message.
    bool Controllo_Dati();

    // Field values as the file takes them, and back.
    TParGenData Get_Data() const;
    void Set_Data(const TParGenData &data);

    // Wheel over the panel group scrolls it by the system's wheel lines; true when handled.
    bool FormMouseWheel(const QPoint &globalPos, int delta);

    // ---- Controls (owned by the window through Qt parenting) ---------------------------------
    // Frame: P_Title, L_SW_Code, L_SW_Desc, P_Button, Btn_OK, Btn_Cancel (TFrameWindow).
    TParGenPanelGroup *CPG = nullptr;

    TParGenCategoryPanel *CP_Ethernet_Connection = nullptr;
    TParGenCategoryPanel *CP_IOLink = nullptr;
    TParGenCategoryPanel *CP_Modbus_Slave = nullptr;
    TParGenCategoryPanel *CP_Ethernet = nullptr;
    TParGenCategoryPanel *CP_WebServer = nullptr;

    QLabel *L_EthConn_Device_Name = nullptr;
    TParGenEdit *E_EthConn_Device_Name = nullptr;
    QCheckBox *CB_EthConn_En_DHCP_Cable = nullptr;
    QCheckBox *CB_EthConn_En_DHCP_WiFi = nullptr;
    QCheckBox *CB_EthConn_Enable_DNS = nullptr;
    QLabel *L_EthConn_Primary_DNS = nullptr;
    std::array<TParGenEdit *, 4> E_EthConn_Pri_DNS_IP{};
    QLabel *L_EthConn_Secondary_DNS = nullptr;
    std::array<TParGenEdit *, 4> E_EthConn_Sec_DNS_IP{};

    QLabel *L_IOLink_SelectDevice = nullptr;
    QComboBox *CB_IOLink_SelectDevice = nullptr;

    QLabel *L_ModbusSlave_Serial = nullptr;
    QLabel *L_ModbusSlave_Baudrate = nullptr;
    QLabel *L_ModbusSlave_Parity = nullptr;
    QLabel *L_ModbusSlave_StopBits = nullptr;
    QLabel *L_ModbusSlave_IDDevice = nullptr;
    QComboBox *CB_ModbusSlave_Serial = nullptr;
    QComboBox *CB_ModbusSlave_Baudrate = nullptr;
    QComboBox *CB_ModbusSlave_Parity = nullptr;
    QComboBox *CB_ModbusSlave_StopBits = nullptr;
    TParGenEdit *E_ModbusSlave_IDDevice = nullptr;
    QCheckBox *CB_ModbusSlave_ReadInput = nullptr;
    QCheckBox *CB_ModbusSlave_EndLineRes = nullptr;

    QLabel *L_Ethernet_IP = nullptr;
    std::array<TParGenEdit *, 4> E_Ethernet_IP{};
    QLabel *L_Ethernet_SM = nullptr;
    std::array<TParGenEdit *, 4> E_Ethernet_SM{};
    QCheckBox *CB_Ethernet_En_GAT = nullptr;
    std::array<TParGenEdit *, 4> E_Ethernet_GAT{};
    QCheckBox *CB_Ethernet_DNS = nullptr;
    std::array<TParGenEdit *, 4> E_Ethernet_DNS{};
    std::array<QLabel *, 3> L_Ethernet_DNS_Dots{};
    QLabel *L_Ethernet_TCP_Port = nullptr;
    TParGenEdit *E_Ethernet_TCP_Port = nullptr;
    QLabel *L_Ethernet_UDP_Port = nullptr;
    TParGenEdit *E_Ethernet_UDP_Port = nullptr;

    QLabel *L_WebServer_Username = nullptr;
    TParGenEdit *E_WebServer_Username = nullptr;
    QLabel *L_WebServer_Password = nullptr;
    TParGenEdit *E_WebServer_Password = nullptr;

    // The window's own XML document, used only for "ParGen.xml".
    pugi::xml_document XML1;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void FormCreate();
    void Build_Panels();
    void Build_Hidden_Panels();
    void Set_Lang_Hidden_Panels();
    void On_Click(QObject *sender);
    // The "." key of an octet edit: moves to the next field of the address; always swallowed.
    void KeyPress_Dot(QObject *sender);

    void RePosition_Object_Ethernet_Connection();
    void RePosition_Object_IO_Link();
    void RePosition_Object_Modbus_Slave();
    void RePosition_Object_Ethernet();
    void RePosition_Object_WebServer();

    // Height rule of every panel: last visible field's bottom + header + 12.
    static void Set_Panel_Height(TParGenCategoryPanel *panel, QWidget *lastField);

    // Texts of the other models' panels: caption or hint of a control from a slot.
    struct HiddenText {
        QWidget *widget;
        int slot;
        bool hint;
    };
    struct HiddenList {
        QComboBox *combo;
        int first, last;
    };
    std::vector<std::pair<TParGenCategoryPanel *, int>> m_hiddenCaptions;
    std::vector<HiddenText> m_hiddenTexts;
    std::vector<HiddenList> m_hiddenLists;

    std::map<QObject *, QPointer<QWidget>> m_dotMoves; // octet edit -> field "." moves to
    std::vector<QWidget *> m_octets;                   // every octet edit ("." never typed)
};

// The window of the program, created at start (nullptr until then).
inline TFParGen *FParGen = nullptr;
