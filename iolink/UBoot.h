#pragma once
// Step 4's update window: the device's address and what to send; the update button pings the device,
// writes the update job beside the program and runs the external update tool.
#include "grid/NovaColumnGrid.h"
#include "platform/ProcessRunner.h"
#include "shell/TFrameWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <pugixml.hpp>

class TFBoot : public TFrameWindow {
    Q_OBJECT
public:
    explicit TFBoot(QWidget *parent = nullptr);
    ~TFBoot() override;

    // 1 the Ethernet path (the only one this model opens), 0 the serial path, 2 the USB captions.
    int Form_Type = 1;
    // Outcome of the last echo reply: 0 none yet, 1 a reply with data, 2 a reply without data.
    int ping_res = 0;

    // Lays the window out for Form_Type and fills it from the remembered choices.
    void FormShow();
    void Btn_UpdateClick();
    // Pings the address of the four fields until two replies carried data or the time limit passed;
    // true when the last reply carried data. Ping_Error tells why an echo could not be sent.
    bool Send_Ping();
    void PingReply(int receivedBytes);
    // Writes the update job for the fields as they are now; false with *error when it cannot.
    bool Compile_XML_Parameter_New_Boot(QString *error = nullptr);
    void Set_Lang() override;
    // Serial path: appends the option flags of the chosen entry to text.
    QString Update_Options(const QString &text) const;
    void update_ComPort();
    void Btn_COM_ListClick();

    // The address of the four fields joined with "." as typed.
    QString Typed_Address() const;

    QString Ping_Error;
    int Ping_Time_Limit_Ms = 5000;
    static constexpr int kEchoTimeoutMs = 400;

    // ---- Controls (owned through Qt parenting) --------------------------------------------------
    // Frame: P_Title, L_SW_Code, L_SW_Desc, P_Button, Btn_Cancel (TFrameWindow); Btn_OK stays hidden.
    QWidget *P_IP_Address = nullptr;
    QLabel *L_IP_Address = nullptr;
    QLineEdit *E_IP1 = nullptr;
    QLineEdit *E_IP2 = nullptr;
    QLineEdit *E_IP3 = nullptr;
    QLineEdit *E_IP4 = nullptr;

    QWidget *P_Serial = nullptr;
    QLabel *L_COM_Port = nullptr;
    QComboBox *CB_COM_Port = nullptr;
    TLbButton *Btn_COM_List = nullptr;

    // The device search has no behaviour in this model and is never shown.
    QWidget *P_Eth_Search = nullptr;
    QLabel *L_List_Device = nullptr;
    TLbButton *Btn_Search = nullptr;
    TNovaColumnGrid *NCG_List_Devices = nullptr;
    QCheckBox *CB_Find_All_Velmar = nullptr;

    QWidget *P_Options = nullptr;
    QLabel *L_Update_Option = nullptr;
    QComboBox *CB_Update_Options = nullptr;
    QCheckBox *CB_Update_Option_Read_Back = nullptr;

    TLbButton *Btn_Update = nullptr;

    // The window's own XML document, used only for the update job.
    pugi::xml_document XML1;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    std::array<QLineEdit *, 4> Address_Fields() const { return {E_IP1, E_IP2, E_IP3, E_IP4}; }
    void Run_Update_Tool(const QString &program, const QString &parameter);
    void Serial_Update();
    bool m_busy = false; // a ping or the update tool is running
};

inline TFBoot *FBoot = nullptr;
