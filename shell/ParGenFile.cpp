#include "shell/ParGenFile.h"

#include "platform/Files.h"
#include "platform/Xml.h"
#include "shell/UComon.h"

#include <QFileInfo>
#include <cstring>

const QStringList &ParGen_Serial_List()
{
    static const QStringList l{QStringLiteral("RS232"), QStringLiteral("RS485")};
    return l;
}

const QStringList &ParGen_Baudrate_List()
{
    static const QStringList l{QStringLiteral("1200"),  QStringLiteral("2400"),  QStringLiteral("4800"),
                               QStringLiteral("9600"),  QStringLiteral("19200"), QStringLiteral("38400"),
                               QStringLiteral("57600"), QStringLiteral("115200")};
    return l;
}

const QStringList &ParGen_Parity_List()
{
    static const QStringList l{QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")};
    return l;
}

const QStringList &ParGen_StopBits_List()
{
    static const QStringList l{QStringLiteral("1 Stop Bits"), QStringLiteral("2 Stop Bits")};
    return l;
}

QStringList ParGen_Device_List()
{
    static const char *const suffixes[] = {"-A1-4A", "-A1-2A", "-A1-2A-2B", "-A1-2B",
                                           "-A1-4B", "-A1-2A-4B", "-A1-6A"};
    const QString code = Get_Device_Code();
    QStringList l;
    for (const char *s : suffixes)
        l << code + QLatin1String(s);
    return l;
}

int ParGen_Find_Device(const QString &name)
{
    const QStringList l = ParGen_Device_List();
    for (int i = 0; i < l.size(); ++i)
        if (l.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

void TParGenData::Set_Read_Defaults()
{
    const TParGenData d;
    Device_Name = d.Device_Name;
    DHCP_Cable = d.DHCP_Cable;
    DHCP_WiFi = false;
    Enable_DNS = d.Enable_DNS;
    Pri_DNS = d.Pri_DNS;
    Sec_DNS = d.Sec_DNS;
    Select_Device = d.Select_Device;
    IP = d.IP;
    SM = d.SM;
    GAT = d.GAT;
    En_GAT = d.En_GAT;
    Serial = d.Serial;
    Baudrate = d.Baudrate;
    Parity = d.Parity;
    StopBits = d.StopBits;
    IDDevice = d.IDDevice;
    ReadInput = d.ReadInput;
    EndLineRes = d.EndLineRes;
    Username = d.Username;
    Password = d.Password;
}

const QStringList &ParGen_Element_Names()
{
    static const QStringList l = [] {
        QStringList n{QStringLiteral("Eth_Conn_Device_Name"), QStringLiteral("Eth_Conn_DHCP_Cable"),
                      QStringLiteral("Eth_Conn_DHCP_WiFi"), QStringLiteral("Eth_Conn_Enable_DNS")};
        for (int i = 1; i <= 4; ++i) n << QStringLiteral("Eth_Conn_Primary_DNS%1").arg(i);
        for (int i = 1; i <= 4; ++i) n << QStringLiteral("Eth_Conn_Secondary_DNS%1").arg(i);
        n << QStringLiteral("IOLink_SelectDevice");
        for (int i = 1; i <= 4; ++i) n << QStringLiteral("Ethernet_IP%1").arg(i);
        for (int i = 1; i <= 4; ++i) n << QStringLiteral("Ethernet_SM%1").arg(i);
        for (int i = 1; i <= 4; ++i) n << QStringLiteral("Ethernet_GAT%1").arg(i);
        n << QStringLiteral("Ethernet_EN_GAT");
        for (int i = 1; i <= 4; ++i) n << QStringLiteral("Ethernet_DNS%1").arg(i);
        n << QStringLiteral("Ethernet_EN_DNS") << QStringLiteral("Ethernet_TCP_Port")
          << QStringLiteral("Ethernet_UDP_Port") << QStringLiteral("MODBUS_SLAVE_SERIAL")
          << QStringLiteral("MODBUS_SLAVE_BAUDRATE") << QStringLiteral("MODBUS_SLAVE_PARITY")
          << QStringLiteral("MODBUS_SLAVE_STOPBITS") << QStringLiteral("MODBUS_SLAVE_IDDEVICE")
          << QStringLiteral("MODBUS_SLAVE_READ_INPUT_REGISTER")
          << QStringLiteral("MODBUS_SLAVE_READ_END_LINE_RES") << QStringLiteral("WebServer_Username")
          << QStringLiteral("WebServer_Password");
        return n;
    }();
    return l;
}

namespace {

QString flagText(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// A list position is written in decimal; one outside its list would make the file unreadable for
// the next showing, so the list's default goes out instead.
QString indexText(int index, int count, int def)
{
    return QString::number(index >= 0 && index < count ? index : def);
}

void appendOctets(QStringList &l, const TParGenOctets &o)
{
    for (const QString &s : o) l << s;
}

} // namespace

QStringList ParGen_Element_Texts(const TParGenData &d)
{
    QStringList t;
    t << d.Device_Name << flagText(d.DHCP_Cable) << flagText(false) << flagText(d.Enable_DNS);
    appendOctets(t, d.Pri_DNS);
    appendOctets(t, d.Sec_DNS);
    const QStringList devices = ParGen_Device_List();
    t << devices.at(d.Select_Device >= 0 && d.Select_Device < devices.size() ? d.Select_Device : 0);
    appendOctets(t, d.IP);
    appendOctets(t, d.SM);
    appendOctets(t, d.GAT);
    t << flagText(d.En_GAT);
    appendOctets(t, d.Eth_DNS);
    t << flagText(d.Eth_En_DNS) << d.TCP_Port << d.UDP_Port;
    t << indexText(d.Serial, int(ParGen_Serial_List().size()), kParGenDefSerial)
      << indexText(d.Baudrate, int(ParGen_Baudrate_List().size()), kParGenDefBaudrate)
      << indexText(d.Parity, int(ParGen_Parity_List().size()), kParGenDefParity)
      << indexText(d.StopBits, int(ParGen_StopBits_List().size()), kParGenDefStopBits);
    t << d.IDDevice << flagText(d.ReadInput) << flagText(d.EndLineRes) << d.Username << d.Password;
    return t;
}

void ParGen_Build_Document(const TParGenData &data, pugi::xml_document &doc)
{
    doc.reset();
    pugi::xml_node root = doc.append_child(kParGenRoot);
    doc.append_child(pugi::node_comment).set_value(kParGenVersionComment);
    const QStringList names = ParGen_Element_Names();
    const QStringList texts = ParGen_Element_Texts(data);
    for (int i = 0; i < names.size(); ++i) {
        pugi::xml_node e = root.append_child(names.at(i).toUtf8().constData());
        const QByteArray v = platform::toXml(texts.at(i));
        // An empty text leaves the element empty ("<Name/>"), as an empty field reads back.
        if (!v.isEmpty())
            e.append_child(pugi::node_pcdata).set_value(v.constData());
    }
}

QByteArray ParGen_Document_Bytes(const pugi::xml_document &doc)
{
    return platform::xmlBytes(doc, pugi::format_raw | pugi::format_no_declaration, "");
}

bool ParGen_Write(const TParGenData &data, pugi::xml_document &doc, const QString &path, QString *error)
{
    ParGen_Build_Document(data, doc);
    return platform::writeFileAtomic(path, ParGen_Document_Bytes(doc), error);
}

unsigned ParGen_Parse_Options() { return platform::kXmlReadOptions; }

bool ParGen_Element_Text(const pugi::xml_node &root, const char *name, QString &text)
{
    return platform::childText(root, name, text);
}

TParGenLoad ParGen_Read_Writer_Settings(const QString &path, TParGen_Writer_Settings &s, QString *error)
{
    s = TParGen_Writer_Settings();
    if (!QFileInfo::exists(path)) return TParGenLoad::Missing;
    pugi::xml_document doc;
    if (!platform::readXmlFile(doc, path, ParGen_Parse_Options(), error)) return TParGenLoad::Failed;
    const pugi::xml_node root = doc.first_child();
    QString t;
    auto number = [&](const char *name, int &field) {
        if (ParGen_Element_Text(root, name, t)) field = StrToIntDef(t, field);
    };
    auto text = [&](const char *name, QString &field) {
        if (ParGen_Element_Text(root, name, t)) field = t;
    };
    text("IOLink_SelectDevice", s.IOLink_SelectDevice);
    s.BACnet_Desc_Chars_Limit = ParGen_Element_Text(root, "BACnet_Desc_Chars_Limit", t) && t == QLatin1String("1");
    number("BACnet_Type", s.BACnet_Type);
    text("BACnet_Ser_DEV_IDE", s.BACnet_Ser_DEV_IDE);
    text("BACnet_DEV_IDE", s.BACnet_DEV_IDE);
    number("EtherCAT_Slave_Revision_Number", s.EtherCAT_Slave_Revision_Number);
    text("EtherCAT_Slave_Name", s.EtherCAT_Slave_Name);
    number("EtherCAT_Slave_Node_Address", s.EtherCAT_Slave_Node_Address);
    return TParGenLoad::Loaded;
}

namespace {

class Reader {
public:
    explicit Reader(const pugi::xml_node &root) : m_root(root) {}

    void text(const char *name, QString &field, const QString &def)
    {
        QString t;
        field = find(name, t) ? t : def;
    }
    void flag(const char *name, bool &field, bool def)
    {
        QString t;
        field = find(name, t) ? t == QLatin1String("1") : def;
    }
    // A number outside the list selects the list's default entry like a text that is no number.
    void index(const char *name, int &field, int count, int def)
    {
        QString t;
        const int v = find(name, t) ? StrToIntDef(t, def) : def;
        field = v >= 0 && v < count ? v : def;
    }
    void octets(const char *prefix, TParGenOctets &field, const TParGenOctets &def)
    {
        for (int i = 0; i < 4; ++i)
            text(QByteArray(prefix).append(QByteArray::number(i + 1)).constData(), field[size_t(i)],
                 def[size_t(i)]);
    }

private:
    bool find(const char *name, QString &t) { return m_root && ParGen_Element_Text(m_root, name, t); }
    pugi::xml_node m_root;
};

} // namespace

void ParGen_Read_Document(const pugi::xml_document &doc, TParGenData &data)
{
    const TParGenData def;
    Reader r(doc.first_child());
    r.text("Eth_Conn_Device_Name", data.Device_Name, def.Device_Name);
    r.flag("Eth_Conn_DHCP_Cable", data.DHCP_Cable, def.DHCP_Cable);
    data.DHCP_WiFi = false;
    r.flag("Eth_Conn_Enable_DNS", data.Enable_DNS, def.Enable_DNS);
    r.octets("Eth_Conn_Primary_DNS", data.Pri_DNS, def.Pri_DNS);
    r.octets("Eth_Conn_Secondary_DNS", data.Sec_DNS, def.Sec_DNS);
    QString device;
    r.text("IOLink_SelectDevice", device, QString());
    data.Select_Device = ParGen_Find_Device(device);
    r.octets("Ethernet_IP", data.IP, def.IP);
    r.octets("Ethernet_SM", data.SM, def.SM);
    r.octets("Ethernet_GAT", data.GAT, def.GAT);
    r.flag("Ethernet_EN_GAT", data.En_GAT, def.En_GAT);
    r.index("MODBUS_SLAVE_SERIAL", data.Serial, int(ParGen_Serial_List().size()), kParGenDefSerial);
    r.index("MODBUS_SLAVE_BAUDRATE", data.Baudrate, int(ParGen_Baudrate_List().size()), kParGenDefBaudrate);
    r.index("MODBUS_SLAVE_PARITY", data.Parity, int(ParGen_Parity_List().size()), kParGenDefParity);
    r.index("MODBUS_SLAVE_STOPBITS", data.StopBits, int(ParGen_StopBits_List().size()), kParGenDefStopBits);
    r.text("MODBUS_SLAVE_IDDEVICE", data.IDDevice, def.IDDevice);
    r.flag("MODBUS_SLAVE_READ_INPUT_REGISTER", data.ReadInput, def.ReadInput);
    r.flag("MODBUS_SLAVE_READ_END_LINE_RES", data.EndLineRes, def.EndLineRes);
    r.text("WebServer_Username", data.Username, def.Username);
    r.text("WebServer_Password", data.Password, def.Password);
}

TParGenLoad ParGen_Read(const QString &path, pugi::xml_document &doc, TParGenData &data, QString *error)
{
    if (!QFileInfo::exists(path)) {
        data.Set_Read_Defaults();
        data.TCP_Port = QString::fromLatin1(kParGenPortDefault);
        data.UDP_Port = QString::fromLatin1(kParGenPortDefault);
        return TParGenLoad::Missing;
    }
    if (!platform::readXmlFile(doc, path, ParGen_Parse_Options(), error)) {
        doc.reset();
        return TParGenLoad::Failed;
    }
    ParGen_Read_Document(doc, data);
    return TParGenLoad::Loaded;
}

TParGenLoad ParGen_Read_Table_Values(const QString &path, TParGenTableValues &values, QString *error)
{
    if (!QFileInfo::exists(path)) {
        values = TParGenTableValues();
        return TParGenLoad::Missing;
    }
    pugi::xml_document doc;
    if (!platform::readXmlFile(doc, path, ParGen_Parse_Options(), error)) return TParGenLoad::Failed;
    const pugi::xml_node root = doc.first_child();
    QString t;
    values.Working_Mode = ParGen_Element_Text(root, "Working_Mode", t) ? StrToIntDef(t, 0) : 0;
    auto on = [&](const char *name) { return !(ParGen_Element_Text(root, name, t) && t == QLatin1String("0")); };
    values.RS232_Enable = on("RS232_ENABLE");
    values.RS485_1_Enable = on("RS485_1_ENABLE");
    values.RS485_2_Enable = on("RS485_2_ENABLE");
    return TParGenLoad::Loaded;
}
