#include "shell/UParGen.h"

#include "platform/Dialogs.h"
#include "shell/ParGenCheck.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

constexpr int kClientWidth = 460;
constexpr int kClientHeight = 700;
constexpr int kLabelLeft = 14;
constexpr int kFieldLeft = 191;
constexpr int kFieldWidth = 238;
constexpr int kCheckWidth = 415;
constexpr int kEditHeight = 21;
constexpr int kComboHeight = 22;
constexpr int kCheckHeight = 17;
constexpr int kOctetWidth = 55;
constexpr int kOctetLeft[4] = {191, 252, 313, 374};
constexpr int kDotLeft[3] = {247, 308, 369};

QLabel *newLabel(QWidget *body, const char *name, int x, int y, const QString &text = QString())
{
    auto *l = new QLabel(text, body);
    l->setObjectName(QLatin1String(name));
    l->move(x, y);
    l->resize(kFieldLeft - x - 4, 14);
    return l;
}

TParGenEdit *newEdit(QWidget *body, const QString &name, int x, int y, int w, int limit = 0)
{
    auto *e = new TParGenEdit(body);
    e->setObjectName(name);
    e->setGeometry(x, y, w, kEditHeight);
    e->Set_Typing_Limit(limit);
    return e;
}

QCheckBox *newCheck(QWidget *body, const char *name, int x, int y, int w, const QString &text = QString())
{
    auto *c = new QCheckBox(text, body);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(x, y, w, kCheckHeight);
    return c;
}

QComboBox *newCombo(QWidget *body, const char *name, int x, int y, const QStringList &items)
{
    auto *c = new QComboBox(body);
    c->setObjectName(QLatin1String(name));
    c->setEditable(false);
    c->addItems(items);
    c->setGeometry(x, y, kFieldWidth, kComboHeight);
    return c;
}

// Four octet edits of one address row with the "." labels between them.
std::array<TParGenEdit *, 4> newOctets(QWidget *body, const char *prefix, int top, std::array<QLabel *, 3> *dots = nullptr)
{
    std::array<TParGenEdit *, 4> edits{};
    for (int i = 0; i < 4; ++i)
        edits[size_t(i)] = newEdit(body, QLatin1String(prefix) + QString::number(i + 1), kOctetLeft[i], top, kOctetWidth);
    for (int i = 0; i < 3; ++i) {
        auto *dot = new QLabel(QStringLiteral("."), body);
        dot->setObjectName(QLatin1String(prefix) + QStringLiteral("_Dot%1").arg(i + 1));
        dot->setGeometry(kDotLeft[i], top + 4, 4, 14);
        if (dots)
            (*dots)[size_t(i)] = dot;
    }
    return edits;
}

} // namespace

TFParGen::TFParGen(QWidget *parent) : TFrameWindow(parent)
{
    FormCreate();
}

TFParGen::~TFParGen()
{
    if (FParGen == this)
        FParGen = nullptr;
}

void TFParGen::Build_Panels()
{
    // ---- 1. Ethernet Connection
    CP_Ethernet_Connection = CPG->Add_Panel(QStringLiteral("CP_Ethernet_Connection"));
    QWidget *b = CP_Ethernet_Connection->Body();
    L_EthConn_Device_Name = newLabel(b, "L_EthConn_Device_Name", kLabelLeft, 12);
    E_EthConn_Device_Name = newEdit(b, QStringLiteral("E_EthConn_Device_Name"), kFieldLeft, 9, kFieldWidth, 31);
    CB_EthConn_En_DHCP_Cable = newCheck(b, "CB_EthConn_En_DHCP_Cable", kLabelLeft, 40, kCheckWidth);
    CB_EthConn_En_DHCP_WiFi = newCheck(b, "CB_EthConn_En_DHCP_WiFi", kLabelLeft, 68, kCheckWidth);
    CB_EthConn_Enable_DNS = newCheck(b, "CB_EthConn_Enable_DNS", kLabelLeft, 96, kCheckWidth);
    L_EthConn_Primary_DNS = newLabel(b, "L_EthConn_Primary_DNS", kLabelLeft, 124);
    E_EthConn_Pri_DNS_IP = newOctets(b, "E_EthConn_Pri_DNS_IP", 121);
    L_EthConn_Secondary_DNS = newLabel(b, "L_EthConn_Secondary_DNS", kLabelLeft, 152);
    E_EthConn_Sec_DNS_IP = newOctets(b, "E_EthConn_Sec_DNS_IP", 149);

    // ---- 2. IO-Link
    CP_IOLink = CPG->Add_Panel(QStringLiteral("CP_IOLink"));
    b = CP_IOLink->Body();
    L_IOLink_SelectDevice = newLabel(b, "L_IOLink_SelectDevice", kLabelLeft, 12);
    CB_IOLink_SelectDevice = newCombo(b, "CB_IOLink_SelectDevice", kFieldLeft, 9, {});

    // ---- 3. Modbus Slave
    CP_Modbus_Slave = CPG->Add_Panel(QStringLiteral("CP_Modbus_Slave"));
    b = CP_Modbus_Slave->Body();
    L_ModbusSlave_Serial = newLabel(b, "L_ModbusSlave_Serial", kLabelLeft, 12);
    L_ModbusSlave_Baudrate = newLabel(b, "L_ModbusSlave_Baudrate", kLabelLeft, 40);
    L_ModbusSlave_Parity = newLabel(b, "L_ModbusSlave_Parity", kLabelLeft, 68);
    L_ModbusSlave_StopBits = newLabel(b, "L_ModbusSlave_StopBits", kLabelLeft, 96);
    L_ModbusSlave_IDDevice = newLabel(b, "L_ModbusSlave_IDDevice", kLabelLeft, 124);
    CB_ModbusSlave_Serial = newCombo(b, "CB_ModbusSlave_Serial", kFieldLeft, 9, ParGen_Serial_List());
    CB_ModbusSlave_Baudrate = newCombo(b, "CB_ModbusSlave_Baudrate", kFieldLeft, 37, ParGen_Baudrate_List());
    CB_ModbusSlave_Parity = newCombo(b, "CB_ModbusSlave_Parity", kFieldLeft, 65, ParGen_Parity_List());
    CB_ModbusSlave_StopBits = newCombo(b, "CB_ModbusSlave_StopBits", kFieldLeft, 93, ParGen_StopBits_List());
    E_ModbusSlave_IDDevice = newEdit(b, QStringLiteral("E_ModbusSlave_IDDevice"), kFieldLeft, 121, kFieldWidth);
    CB_ModbusSlave_ReadInput = newCheck(b, "CB_ModbusSlave_ReadInput", kLabelLeft, 152, kCheckWidth);
    CB_ModbusSlave_EndLineRes = newCheck(b, "CB_ModbusSlave_EndLineRes", kLabelLeft, 180, kCheckWidth,
                                         QStringLiteral("Enable End-Line Resistor"));

    // ---- 4. Ethernet
    CP_Ethernet = CPG->Add_Panel(QStringLiteral("CP_Ethernet"));
    b = CP_Ethernet->Body();
    L_Ethernet_IP = newLabel(b, "L_Ethernet_IP", kLabelLeft, 12);
    E_Ethernet_IP = newOctets(b, "E_Ethernet_IP", 9);
    L_Ethernet_SM = newLabel(b, "L_Ethernet_SM", kLabelLeft, 40);
    E_Ethernet_SM = newOctets(b, "E_Ethernet_SM", 37);
    E_Ethernet_SM[3]->move(E_Ethernet_SM[3]->x(), 36);
    CB_Ethernet_En_GAT = newCheck(b, "CB_Ethernet_En_GAT", kLabelLeft, 68, 175);
    E_Ethernet_GAT = newOctets(b, "E_Ethernet_GAT", 66);
    CB_Ethernet_DNS = newCheck(b, "CB_Ethernet_DNS", kLabelLeft, 96, 175);
    E_Ethernet_DNS = newOctets(b, "E_Ethernet_DNS", 94, &L_Ethernet_DNS_Dots);
    L_Ethernet_TCP_Port = newLabel(b, "L_Ethernet_TCP_Port", kLabelLeft, 124, QStringLiteral("TCP Port"));
    E_Ethernet_TCP_Port = newEdit(b, QStringLiteral("E_Ethernet_TCP_Port"), kFieldLeft, 121, kFieldWidth);
    L_Ethernet_UDP_Port = newLabel(b, "L_Ethernet_UDP_Port", kLabelLeft, 152, QStringLiteral("UDP Port"));
    E_Ethernet_UDP_Port = newEdit(b, QStringLiteral("E_Ethernet_UDP_Port"), kFieldLeft, 149, kFieldWidth);
    // The hidden address of this panel holds fixed values that the file receives.
    const TParGenData hidden;
    for (size_t i = 0; i < 4; ++i)
        E_Ethernet_DNS[i]->setText(hidden.Eth_DNS[i]);

    // ---- 5. WebServer
    CP_WebServer = CPG->Add_Panel(QStringLiteral("CP_WebServer"));
    b = CP_WebServer->Body();
    L_WebServer_Username = newLabel(b, "L_WebServer_Username", kLabelLeft, 12);
    E_WebServer_Username = newEdit(b, QStringLiteral("E_WebServer_Username"), kFieldLeft, 9, kFieldWidth, 7);
    L_WebServer_Password = newLabel(b, "L_WebServer_Password", kLabelLeft, 40);
    E_WebServer_Password = newEdit(b, QStringLiteral("E_WebServer_Password"), kFieldLeft, 37, kFieldWidth, 7);

    // Tab order: rows top to bottom; the octets of a row from first to fourth.
    auto chain = [](std::initializer_list<QWidget *> ws) {
        QWidget *prev = nullptr;
        for (QWidget *w : ws) {
            if (prev)
                QWidget::setTabOrder(prev, w);
            prev = w;
        }
    };
    chain({E_EthConn_Device_Name, CB_EthConn_En_DHCP_Cable, CB_EthConn_En_DHCP_WiFi, CB_EthConn_Enable_DNS,
           E_EthConn_Pri_DNS_IP[0], E_EthConn_Pri_DNS_IP[1], E_EthConn_Pri_DNS_IP[2], E_EthConn_Pri_DNS_IP[3],
           E_EthConn_Sec_DNS_IP[0], E_EthConn_Sec_DNS_IP[1], E_EthConn_Sec_DNS_IP[2], E_EthConn_Sec_DNS_IP[3],
           CB_IOLink_SelectDevice, CB_ModbusSlave_Serial, CB_ModbusSlave_Baudrate, CB_ModbusSlave_Parity,
           CB_ModbusSlave_StopBits, E_ModbusSlave_IDDevice, CB_ModbusSlave_ReadInput, CB_ModbusSlave_EndLineRes,
           E_Ethernet_IP[0], E_Ethernet_IP[1], E_Ethernet_IP[2], E_Ethernet_IP[3], E_Ethernet_SM[0],
           E_Ethernet_SM[1], E_Ethernet_SM[2], E_Ethernet_SM[3], CB_Ethernet_En_GAT, E_Ethernet_GAT[0],
           E_Ethernet_GAT[1], E_Ethernet_GAT[2], E_Ethernet_GAT[3], CB_Ethernet_DNS, E_Ethernet_DNS[0],
           E_Ethernet_DNS[1], E_Ethernet_DNS[2], E_Ethernet_DNS[3], E_Ethernet_TCP_Port, E_Ethernet_UDP_Port,
           E_WebServer_Username, E_WebServer_Password});

    // "." moves along an address; the last octet of a block keeps the focus.
    auto moves = [this](const std::array<TParGenEdit *, 4> &row, QWidget *after) {
        for (size_t i = 0; i < 4; ++i) {
            m_octets.push_back(row[i]);
            row[i]->installEventFilter(this);
            QWidget *next = i < 3 ? row[i + 1] : after;
            if (next)
                m_dotMoves[row[i]] = next;
        }
    };
    moves(E_EthConn_Pri_DNS_IP, E_EthConn_Sec_DNS_IP[0]);
    moves(E_EthConn_Sec_DNS_IP, nullptr);
    moves(E_Ethernet_IP, E_Ethernet_SM[0]);
    moves(E_Ethernet_SM, E_Ethernet_GAT[0]);
    moves(E_Ethernet_GAT, nullptr);
    for (TParGenEdit *e : E_Ethernet_DNS) { // octets of a hidden row swallow "." without moving
        m_octets.push_back(e);
        e->installEventFilter(this);
    }

    connect(CB_EthConn_En_DHCP_Cable, &QCheckBox::toggled, this, [this] { On_Click(CB_EthConn_En_DHCP_Cable); });
    connect(CB_EthConn_En_DHCP_WiFi, &QCheckBox::toggled, this, [this] { On_Click(CB_EthConn_En_DHCP_WiFi); });
}

void TFParGen::FormCreate()
{
    setObjectName(QStringLiteral("FParGen"));
    CPG = new TParGenPanelGroup(P_Client);
    auto *client = new QVBoxLayout(P_Client);
    client->setContentsMargins(0, 0, 0, 0);
    client->addWidget(CPG);
    // OK and Cancel stand at the right: OK at 217, Cancel at 335 in the 460 wide window.
    setButtonAlignment(Qt::AlignRight);
    P_Button->layout()->setContentsMargins(16, 6, kClientWidth - 335 - 110, 6);
    Build_Panels();
    Build_Hidden_Panels();

    // The wheel over the group scrolls it, whichever field lies under the pointer.
    CPG->viewport()->installEventFilter(this);
    for (QWidget *w : CPG->findChildren<QWidget *>())
        w->installEventFilter(this);

    L_SW_Code->setText(SW_Code);
    resize(kClientWidth, kClientHeight);
    setMinimumWidth(kClientWidth);
    setMaximumWidth(kClientWidth);
    for (TParGenCategoryPanel *p : CPG->Panels())
        p->hide();
    IOLink_Set_Device_List();
    Order_TAB_Panels();
    Move_GroupBoxs();
    Set_Lang();
}

void TFParGen::IOLink_Set_Device_List()
{
    const QSignalBlocker block(CB_IOLink_SelectDevice);
    CB_IOLink_SelectDevice->clear();
    CB_IOLink_SelectDevice->addItems(ParGen_Device_List());
    CB_IOLink_SelectDevice->setCurrentIndex(0);
}

void TFParGen::Order_TAB_Panels()
{
    const std::pair<TParGenCategoryPanel *, int> order[] = {
        {CP_Ethernet_Connection, 1085}, {CP_IOLink, 1040}, {CP_Modbus_Slave, 586}, {CP_Ethernet, 433}, {CP_WebServer, 1070}};
    int n = 0;
    QWidget *prev = nullptr;
    for (const auto &[panel, slot] : order) {
        panel->show();
        panel->Tab_Order = n;
        panel->Set_Caption(QStringLiteral("%1. ").arg(n + 1) + LT(slot));
        if (prev)
            panel->stackUnder(prev);
        prev = panel;
        ++n;
    }
    // Hidden panels follow the shown ones.
    for (TParGenCategoryPanel *p : CPG->Panels())
        if (p->isHidden())
            p->Tab_Order = n++;
    CPG->Restack();
}

void TFParGen::Set_Panel_Height(TParGenCategoryPanel *panel, QWidget *lastField)
{
    panel->Set_Panel_Height(lastField->y() + lastField->height() + TParGenCategoryPanel::kHeaderHeight + 12);
}

void TFParGen::RePosition_Object_Ethernet_Connection()
{
    CB_EthConn_En_DHCP_WiFi->setEnabled(false);
    Set_Panel_Height(CP_Ethernet_Connection, E_EthConn_Sec_DNS_IP[3]);
}

void TFParGen::RePosition_Object_IO_Link()
{
    Set_Panel_Height(CP_IOLink, CB_IOLink_SelectDevice);
}

void TFParGen::RePosition_Object_Modbus_Slave()
{
    Set_Panel_Height(CP_Modbus_Slave, CB_ModbusSlave_EndLineRes);
}

void TFParGen::RePosition_Object_Ethernet()
{
    CB_Ethernet_DNS->hide();
    for (QWidget *w : E_Ethernet_DNS) w->hide();
    for (QWidget *w : L_Ethernet_DNS_Dots) w->hide();
    L_Ethernet_TCP_Port->hide();
    E_Ethernet_TCP_Port->hide();
    L_Ethernet_UDP_Port->hide();
    E_Ethernet_UDP_Port->hide();
    // DHCP on the cable greys the address, mask and gateway; their values are still checked.
    const bool manual = !CB_EthConn_En_DHCP_Cable->isChecked();
    for (QWidget *w : E_Ethernet_IP) w->setEnabled(manual);
    for (QWidget *w : E_Ethernet_SM) w->setEnabled(manual);
    CB_Ethernet_En_GAT->setEnabled(manual);
    for (QWidget *w : E_Ethernet_GAT) w->setEnabled(manual);
    Set_Panel_Height(CP_Ethernet, E_Ethernet_GAT[3]);
}

void TFParGen::RePosition_Object_WebServer()
{
    Set_Panel_Height(CP_WebServer, E_WebServer_Password);
}

void TFParGen::Move_GroupBoxs()
{
    RePosition_Object_Ethernet_Connection();
    RePosition_Object_IO_Link();
    RePosition_Object_Modbus_Slave();
    RePosition_Object_Ethernet();
    RePosition_Object_WebServer();
    CPG->Restack();
}

void TFParGen::Set_Lang()
{
    setWindowTitle(LT(400));
    L_SW_Desc->setText(LT(401));
    Btn_OK->setText(LT(402));
    Btn_OK->setToolTip(LT(404));
    Btn_Cancel->setText(LT(403));
    Btn_Cancel->setToolTip(LT(405));

    L_EthConn_Device_Name->setText(LT(1086));
    E_EthConn_Device_Name->setToolTip(LT(1087));
    CB_EthConn_En_DHCP_Cable->setText(LT(1088));
    CB_EthConn_En_DHCP_Cable->setToolTip(LT(1089));
    CB_EthConn_En_DHCP_WiFi->setText(LT(1090));
    CB_EthConn_En_DHCP_WiFi->setToolTip(LT(1091));
    CB_EthConn_Enable_DNS->setText(LT(1092));
    CB_EthConn_Enable_DNS->setToolTip(LT(1093));
    L_EthConn_Primary_DNS->setText(LT(1094));
    L_EthConn_Secondary_DNS->setText(LT(1099));
    for (int i = 0; i < 4; ++i) {
        E_EthConn_Pri_DNS_IP[size_t(i)]->setToolTip(LT(1095 + i));
        E_EthConn_Sec_DNS_IP[size_t(i)]->setToolTip(LT(1100 + i));
        E_Ethernet_IP[size_t(i)]->setToolTip(LT(435 + i));
        E_Ethernet_SM[size_t(i)]->setToolTip(LT(440 + i));
        E_Ethernet_GAT[size_t(i)]->setToolTip(LT(446 + i));
        E_Ethernet_DNS[size_t(i)]->setToolTip(LT(452 + i));
    }

    L_IOLink_SelectDevice->setText(LT(1041));
    CB_IOLink_SelectDevice->setToolTip(LT(1042));

    L_ModbusSlave_Serial->setText(LT(587));
    CB_ModbusSlave_Serial->setToolTip(LT(588));
    L_ModbusSlave_Baudrate->setText(LT(589));
    CB_ModbusSlave_Baudrate->setToolTip(LT(590));
    L_ModbusSlave_Parity->setText(LT(591));
    CB_ModbusSlave_Parity->setToolTip(LT(592));
    L_ModbusSlave_StopBits->setText(LT(593));
    CB_ModbusSlave_StopBits->setToolTip(LT(594));
    L_ModbusSlave_IDDevice->setText(LT(595));
    E_ModbusSlave_IDDevice->setToolTip(LT(596));
    CB_ModbusSlave_ReadInput->setText(LT(597));
    CB_ModbusSlave_ReadInput->setToolTip(LT(598));

    L_Ethernet_IP->setText(LT(434));
    L_Ethernet_SM->setText(LT(439));
    CB_Ethernet_En_GAT->setText(LT(444));
    CB_Ethernet_En_GAT->setToolTip(LT(445));
    CB_Ethernet_DNS->setText(LT(450));
    CB_Ethernet_DNS->setToolTip(LT(451));

    L_WebServer_Username->setText(LT(1071));
    E_WebServer_Username->setToolTip(LT(1072));
    L_WebServer_Password->setText(LT(1073));
    E_WebServer_Password->setToolTip(LT(1074));

    Set_Lang_Hidden_Panels();
}

TParGenData TFParGen::Get_Data() const
{
    TParGenData d;
    auto octets = [](const std::array<TParGenEdit *, 4> &row) {
        TParGenOctets o;
        for (size_t i = 0; i < 4; ++i)
            o[i] = row[i]->text();
        return o;
    };
    d.Device_Name = E_EthConn_Device_Name->text();
    d.DHCP_Cable = CB_EthConn_En_DHCP_Cable->isChecked();
    d.DHCP_WiFi = CB_EthConn_En_DHCP_WiFi->isChecked();
    d.Enable_DNS = CB_EthConn_Enable_DNS->isChecked();
    d.Pri_DNS = octets(E_EthConn_Pri_DNS_IP);
    d.Sec_DNS = octets(E_EthConn_Sec_DNS_IP);
    d.Select_Device = CB_IOLink_SelectDevice->currentIndex();
    d.IP = octets(E_Ethernet_IP);
    d.SM = octets(E_Ethernet_SM);
    d.GAT = octets(E_Ethernet_GAT);
    d.En_GAT = CB_Ethernet_En_GAT->isChecked();
    d.Eth_DNS = octets(E_Ethernet_DNS);
    d.Eth_En_DNS = CB_Ethernet_DNS->isChecked();
    d.TCP_Port = E_Ethernet_TCP_Port->text();
    d.UDP_Port = E_Ethernet_UDP_Port->text();
    d.Serial = CB_ModbusSlave_Serial->currentIndex();
    d.Baudrate = CB_ModbusSlave_Baudrate->currentIndex();
    d.Parity = CB_ModbusSlave_Parity->currentIndex();
    d.StopBits = CB_ModbusSlave_StopBits->currentIndex();
    d.IDDevice = E_ModbusSlave_IDDevice->text();
    d.ReadInput = CB_ModbusSlave_ReadInput->isChecked();
    d.EndLineRes = CB_ModbusSlave_EndLineRes->isChecked();
    d.Username = E_WebServer_Username->text();
    d.Password = E_WebServer_Password->text();
    return d;
}

void TFParGen::Set_Data(const TParGenData &d)
{
    auto octets = [](const std::array<TParGenEdit *, 4> &row, const TParGenOctets &o) {
        for (size_t i = 0; i < 4; ++i)
            row[i]->setText(o[i]);
    };
    E_EthConn_Device_Name->setText(d.Device_Name);
    CB_EthConn_En_DHCP_Cable->setChecked(d.DHCP_Cable);
    CB_EthConn_En_DHCP_WiFi->setChecked(false);
    CB_EthConn_Enable_DNS->setChecked(d.Enable_DNS);
    octets(E_EthConn_Pri_DNS_IP, d.Pri_DNS);
    octets(E_EthConn_Sec_DNS_IP, d.Sec_DNS);
    CB_IOLink_SelectDevice->setCurrentIndex(d.Select_Device);
    octets(E_Ethernet_IP, d.IP);
    octets(E_Ethernet_SM, d.SM);
    octets(E_Ethernet_GAT, d.GAT);
    CB_Ethernet_En_GAT->setChecked(d.En_GAT);
    octets(E_Ethernet_DNS, d.Eth_DNS);
    CB_Ethernet_DNS->setChecked(d.Eth_En_DNS);
    E_Ethernet_TCP_Port->setText(d.TCP_Port);
    E_Ethernet_UDP_Port->setText(d.UDP_Port);
    CB_ModbusSlave_Serial->setCurrentIndex(d.Serial);
    CB_ModbusSlave_Baudrate->setCurrentIndex(d.Baudrate);
    CB_ModbusSlave_Parity->setCurrentIndex(d.Parity);
    CB_ModbusSlave_StopBits->setCurrentIndex(d.StopBits);
    E_ModbusSlave_IDDevice->setText(d.IDDevice);
    CB_ModbusSlave_ReadInput->setChecked(d.ReadInput);
    CB_ModbusSlave_EndLineRes->setChecked(d.EndLineRes);
    E_WebServer_Username->setText(d.Username);
    E_WebServer_Password->setText(d.Password);
}

void TFParGen::FormShow()
{
    TParGenData d = Get_Data();
    QString error;
    if (ParGen_Read(ParGen_File, XML1, d, &error) == TParGenLoad::Failed) {
        // Nothing is taken from a file that does not load; the fields keep what they held.
        platform::showError(error, this);
    } else {
        Set_Data(d);
    }
    Move_GroupBoxs();
}

void TFParGen::showEvent(QShowEvent *e)
{
    TFrameWindow::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

int TFParGen::Edit_Configuration()
{
    return exec();
}

bool TFParGen::Controllo_Dati()
{
    TParGenCheckShown shown;
    shown.TCP_Port = !E_Ethernet_TCP_Port->isHidden();
    shown.UDP_Port = !E_Ethernet_UDP_Port->isHidden();
    const int slot = ParGen_Check_Slot(Get_Data(), shown);
    if (slot == 0)
        return true;
    platform::showError(LT(slot), this);
    return false;
}

bool TFParGen::OK_Check()
{
    if (!Controllo_Dati())
        return false;
    QString error;
    if (!ParGen_Write(Get_Data(), XML1, ParGen_File, &error)) {
        platform::showError(error, this);
        return false;
    }
    return true;
}

void TFParGen::On_Click(QObject *sender)
{
    if (sender == CB_EthConn_En_DHCP_Cable || sender == CB_EthConn_En_DHCP_WiFi)
        Move_GroupBoxs();
}

void TFParGen::KeyPress_Dot(QObject *sender)
{
    const auto it = m_dotMoves.find(sender);
    if (it == m_dotMoves.end() || !it->second)
        return;
    QWidget *next = it->second;
    if (next->isVisible() && next->isEnabled() && next->focusPolicy() != Qt::NoFocus)
        next->setFocus(Qt::TabFocusReason);
}

bool TFParGen::FormMouseWheel(const QPoint &globalPos, int delta)
{
    const QPoint p = CPG->mapFromGlobal(globalPos);
    if (!CPG->rect().contains(p))
        return false;
    const int lines = QApplication::wheelScrollLines();
    if (lines >= 1)
        CPG->Scroll_Lines(delta > 0 ? -lines : lines);
    return true;
}

bool TFParGen::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if (ke->text() == QLatin1String(".") &&
            std::find(m_octets.begin(), m_octets.end(), watched) != m_octets.end()) {
            KeyPress_Dot(watched);
            return true;
        }
    } else if (e->type() == QEvent::Wheel) {
        auto *we = static_cast<QWheelEvent *>(e);
        const int delta = we->angleDelta().y();
        if (delta != 0 && FormMouseWheel(we->globalPosition().toPoint(), delta)) {
            we->accept();
            return true;
        }
    }
    return TFrameWindow::eventFilter(watched, e);
}
