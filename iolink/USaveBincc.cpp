#include "iolink/USaveBincc.h"

#include "iolink/UIOLink_IODD_Decode.h"
#include "iolink/UIO_Link_Channel_File.h"
#include "iolink/UIO_Link_Channels.h"
#include "platform/Files.h"
#include "platform/Xml.h"
#include "platform/TextFormat.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstring>
#include <pugixml.hpp>

using platform::attributeText;

namespace {

constexpr int kMaxNameChars = 31;      // device name field: 32 bytes with its terminating 0
constexpr int kMaxLoginChars = 7;      // user name and password fields: 8 bytes
constexpr int kMaxCountedRecords = 255;

// The shape of the program's integer texts, whatever their size.
const QRegularExpression &integerPattern()
{
    static const QRegularExpression re(QStringLiteral("^ *[+-]?([0-9]+|(\\$|x|X|0x|0X)[0-9A-Fa-f]+)$"));
    return re;
}

// Little-endian writer into an image buffer.
class Writer {
public:
    Writer(TByteImage &buf, int pos) : m_buf(buf), m_pos(pos) {}
    void u8(uint32_t v) { ensure(1); m_buf[size_t(m_pos++)] = uint8_t(v); }
    void u16(uint32_t v) { u8(v); u8(v >> 8); }
    void u32(uint32_t v) { u16(v); u16(v >> 16); }
    void f32(float f) { uint32_t v; std::memcpy(&v, &f, 4); u32(v); }
    void zeros(int n) { while (n-- > 0) u8(0); }
    int pos() const { return m_pos; }

private:
    void ensure(int n)
    {
        if (m_buf.size() < size_t(m_pos + n)) m_buf.resize(size_t(m_pos + n), 0);
    }
    TByteImage &m_buf;
    int m_pos;
};

} // namespace

void TBank_Images::put16(int off, uint16_t v)
{
    put8(off, uint8_t(v));
    put8(off + 1, uint8_t(v >> 8));
}

void TBank_Images::put32(int off, uint32_t v)
{
    put16(off, uint16_t(v));
    put16(off + 2, uint16_t(v >> 16));
}

// ---- Parameter block ------------------------------------------------------------------------

void TBank_Images::Init_Bank1_Defaults()
{
    Bank1_Block.fill(0);
    put32(0, 250000);
    put32(4, 250000);
    put32(8, 0);
    put32(12, 9600);
    const uint8_t defaults[] = {192, 168, 2, 205, 255, 255, 255, 0, 255, 255, 255, 255};
    for (int i = 0; i < 12; ++i) put8(40 + i, defaults[i]);
    put16(52, 10000);
    put16(54, 10001);
    put16(56, 10001);
    for (int i = 436; i <= 443; ++i) put8(i, 8);
}

void TBank_Images::Set_Bank1_Version()
{
    for (int i = 1644; i <= 1651; ++i) put8(i, 0);
    for (int i = 0; i < kSWVersion.size() && i < 8; ++i) put8(1644 + i, uint8_t(kSWVersion.at(i).unicode()));
}

bool TBank_Images::Read_ParGen_To_Bank1(QString *error)
{
    if (!QFileInfo::exists(ParGen_File)) return true;
    pugi::xml_document doc;
    if (!platform::readXmlFile(doc, ParGen_File, platform::kXmlReadOptions, error))
        return false;
    const pugi::xml_node root = doc.first_child();
    // Each element on its own: missing, or holding anything but text, gives that step's default.
    auto value = [&](const char *name, QString &out) { return platform::childText(root, name, out); };
    auto textOf = [&](const char *name) {
        QString t;
        value(name, t);
        return t;
    };
    auto is1 = [&](const char *name) { return textOf(name) == QLatin1String("1"); };
    auto integer = [&](const char *name, int def) {
        QString t;
        return value(name, t) ? StrToIntDef(t, def) : def;
    };

    // Texts go into fixed fields: refuse what would not fit before anything is written.
    const struct { const char *name; int max; } texts[] = {
        {"Eth_Conn_Device_Name", kMaxNameChars},
        {"WebServer_Username", kMaxLoginChars},
        {"WebServer_Password", kMaxLoginChars},
    };
    for (const auto &t : texts) {
        const QString v = textOf(t.name);
        if (v.size() > t.max) {
            if (error)
                *error = platform::formatText(
                    "The text of \"%s\" in \"ParGen.xml\" has %d characters; the device takes at most %d. "
                    "Correct it in Set Communication.", {QString::fromLatin1(t.name), int(v.size()), t.max});
            return false;
        }
    }

    Set_Bank1_Version();
    auto copyText = [&](const char *name, int offset) {
        QString v;
        if (value(name, v))
            for (int i = 0; i < v.size(); ++i) put8(offset + i, uint8_t(v.at(i).unicode()));
    };
    copyText("Eth_Conn_Device_Name", 1300);
    put16(1256, uint16_t((is1("Eth_Conn_DHCP_Cable") ? 1 : 0) | (is1("Eth_Conn_DHCP_WiFi") ? 2 : 0)));
    if (is1("Eth_Conn_Enable_DNS")) {
        const char *primary[] = {"Eth_Conn_Primary_DNS1", "Eth_Conn_Primary_DNS2", "Eth_Conn_Primary_DNS3", "Eth_Conn_Primary_DNS4"};
        const char *secondary[] = {"Eth_Conn_Secondary_DNS1", "Eth_Conn_Secondary_DNS2", "Eth_Conn_Secondary_DNS3", "Eth_Conn_Secondary_DNS4"};
        const int secondaryDefaults[] = {8, 8, 4, 4};
        for (int i = 0; i < 4; ++i) put8(1420 + i, uint8_t(integer(primary[i], 8)));
        for (int i = 0; i < 4; ++i) put8(1340 + i, uint8_t(integer(secondary[i], secondaryDefaults[i])));
    }
    const char *ip[] = {"Ethernet_IP1", "Ethernet_IP2", "Ethernet_IP3", "Ethernet_IP4"};
    const char *sm[] = {"Ethernet_SM1", "Ethernet_SM2", "Ethernet_SM3", "Ethernet_SM4"};
    const char *gw[] = {"Ethernet_GAT1", "Ethernet_GAT2", "Ethernet_GAT3", "Ethernet_GAT4"};
    const int ipDef[] = {192, 168, 0, 10}, smDef[] = {255, 255, 255, 0}, gwDef[] = {192, 168, 0, 1};
    for (int i = 0; i < 4; ++i) {
        put8(40 + i, uint8_t(integer(ip[i], ipDef[i])));
        put8(44 + i, uint8_t(integer(sm[i], smDef[i])));
        put8(48 + i, uint8_t(integer(gw[i], gwDef[i])));
    }
    if (!is1("Ethernet_EN_GAT"))
        for (int i = 48; i <= 51; ++i) put8(i, 255);

    static const uint32_t rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    const int rate = integer("MODBUS_SLAVE_BAUDRATE", 7);
    put32(400, rate >= 0 && rate <= 7 ? rates[rate] : 9600);
    put8(424, uint8_t(integer("MODBUS_SLAVE_PARITY", 0)));
    put8(430, uint8_t(integer("MODBUS_SLAVE_STOPBITS", 0)));
    if (Bank1_Block[430] == 1) put8(430, 2);
    put8(436, 8);
    put32(24, uint32_t(integer("MODBUS_SLAVE_IDDEVICE", 10)));
    put8(97, 0);
    if (textOf("MODBUS_SLAVE_READ_INPUT_REGISTER") == QLatin1String("0")) put8(97, Bank1_Block[97] | 0x40);
    if (is1("MODBUS_SLAVE_READ_END_LINE_RES")) put8(424, Bank1_Block[424] | 0x80);
    copyText("WebServer_Username", 1828);
    copyText("WebServer_Password", 1836);
    return true;
}

int TBank_Images::Append_Bank1_Image(int pos, TByteImage &buf)
{
    uint32_t sum = 0;
    for (int i = 0; i < 2044; ++i) sum += Bank1_Block[size_t(i)];
    put32(2044, sum);
    if (buf.size() < size_t(pos + kBank1Size)) buf.resize(size_t(pos + kBank1Size), 0);
    std::copy(Bank1_Block.begin(), Bank1_Block.end(), buf.begin() + pos);
    return pos + kBank1Size;
}

// ---- Channel image --------------------------------------------------------------------------

void TBank_Images::Clear_Channel_Data()
{
    for (int i = 0; i < kChannelSlots; ++i) {
        Channel_Headers[i] = TChannel_Header{};
        Channel_Lists[i] = TIO_Link_List_Param_ProcessData{};
    }
}

int TBank_Images::Pin4_Mode_Code(const QString &mode)
{
    if (mode == QLatin1String("IO-Link")) return 0;
    if (mode == QLatin1String("DIn")) return 1;
    if (mode == QLatin1String("DOut")) return 2;
    return -1;
}

bool TBank_Images::Read_Channel_Data(QString *error)
{
    for (auto &h : Channel_Headers) h.Channel_No = -1;
    if (!QFileInfo::exists(IOLink_SetAccess_File)) return true;
    pugi::xml_document doc;
    const pugi::xml_node root = Read_Channel_File(doc, error);
    if (!root) return false;
    // Only the ports of the saved device variant reach the device; further channels are left out.
    TDevice_Ports ports;
    if (!Read_Device_Ports(ports, error)) return false;
    const int portSlots = std::min(ports.Count(), kChannelSlots);
    const std::vector<pugi::xml_node> channels = Child_Elements(root.child("IO-Link_Channels"));
    auto num = [](const pugi::xml_node &n, const char *name, int def = 0) {
        return n.attribute(name) ? StrToIntDef(attributeText(n, name), def) : 0;
    };
    auto yes = [](const pugi::xml_node &n, const char *name) { return attributeText(n, name) == QLatin1String("Y") ? 1 : 0; };

    for (int slot = 0; slot < portSlots && size_t(slot) < channels.size(); ++slot) {
        const pugi::xml_node child = channels[size_t(slot)];
        TChannel_Header &h = Channel_Headers[slot];
        TIO_Link_List_Param_ProcessData &lists = Channel_Lists[slot];
        const pugi::xml_node f = child.child("IODD_File");
        if (!f) continue;
        const QString fileName = attributeText(f, "FileName");
        const int code = Pin4_Mode_Code(attributeText(f, "Pin4Mode"));
        if (code < 0) continue;
        h.Channel_No = slot + 1;
        h.Pin4_Mode = uint8_t(code);
        h.Pin4_Pos = uint16_t(num(f, "Pin4Pos"));
        h.Pin4_Bit = uint16_t(num(f, "Pin4Bit"));
        h.Pin4_Inv = uint8_t(yes(f, "Pin4Inv"));
        h.Read_Pin2 = ports.TypeA(slot) ? uint8_t(yes(f, "ReadPin2")) : 0;  // kind-B ports have no pin 2 input
        h.Pin2_Pos = uint16_t(num(f, "Pin2Pos"));
        h.Pin2_Bit = uint16_t(num(f, "Pin2Bit"));
        h.Pin2_Inv = uint8_t(yes(f, "Pin2Inv"));
        const QString inType = attributeText(f, "Pin2InType");
        h.Pin2_In_Type = inType == QLatin1String("PNP (Pull Down)") ? 1 : inType == QLatin1String("NPN (Pull UP)") ? 2 : 0;
        if (code != 0) continue;
        h.TimeOut = uint16_t(num(f, "TimeOut"));

        if (!fileName.isEmpty() && !Is_Plain_File_Name(fileName)) {
            // Nothing outside the configuration's IODD folder is read.
            if (error) *error = platform::formatText(LT(1747), {slot + 1, fileName});
            return false;
        }
        const QString path = Project_Path + QStringLiteral("/IODD/") + fileName;
        if (fileName.isEmpty() || !QFileInfo(path).isFile()) continue;
        {
            TIODD iodd;
            iodd.StandardDef_Path = IOLink_StaDef_Dir;
            try {
                iodd.Decode_IODD(path, false);
            } catch (const EIODDError &e) {
                if (error) *error = e.message();
                return false;
            }
            h.Bit_Rate = uint8_t(iodd.PhysicalLayer.Get_BitRate());
            h.Min_Cycle_Time = uint32_t(iodd.PhysicalLayer.Get_MinCycleTime());
        }

        for (const pugi::xml_node &v : Child_Elements(child.child("Variables"))) {
            if (attributeText(v, "Enable") != QLatin1String("True")) continue;
            TIO_Link_Parameter p;
            p.index = uint16_t(num(v, "Index"));
            p.subindex = uint8_t(num(v, "SubIndex"));
            // The record carries the value in 32 bits: unsigned values up to 2^32 - 1 keep their bits.
            if (v.attribute("Value")) {
                const QString text = attributeText(v, "Value");
                qint64 value = 0;
                // Digits too many for 64 bits are still a number, not a text that gives 0.
                if (!TryStrToInt64(text, value) && integerPattern().match(text).hasMatch())
                    value = kMaxCarriedValue + 1;
                if (value < kMinCarriedValue || value > kMaxCarriedValue) {
                    if (error)
                        *error = platform::formatText(
                            "Channel #%.2d: the value %s of variable Index %s and SubIndex %s does not fit in 32 bits. "
                            "Correct it in IO-Link Set Access.",
                            {slot + 1, text, attributeText(v, "Index"), attributeText(v, "SubIndex")});
                    return false;
                }
                p.value = uint32_t(value);
            }
            p.position_write = uint16_t(num(v, "Position"));
            p.bit_address_write = uint8_t(num(v, "Bit"));
            p.position_read = uint16_t(num(v, "ReadPos"));
            p.bit_address_read = uint8_t(num(v, "ReadBit"));
            p.time = uint32_t(num(v, "Time", 1000));
            const QString access = Trim_Text(attributeText(v, "Access")).toUpper();
            p.options = uint8_t((attributeText(v, "On_Change") == QLatin1String("True") ? 1 : 0)
                                | (attributeText(v, "On_CMD") == QLatin1String("True") ? 2 : 0)
                                | (attributeText(v, "On_Timer") == QLatin1String("True") ? 4 : 0)
                                | (access == QLatin1String("READ WRITE") || access == QLatin1String("WRITE ONLY") ? 8 : 0));
            p.bit_length = uint16_t(num(v, "Length"));
            p.readtime = uint16_t(num(v, "ReadTime"));
            p.total_bit_length = uint32_t(num(v, "Total_bit_length"));
            p.subindexAccessSupported = uint8_t(num(v, "SubindexAccessSupported"));
            p.bit_offset = uint32_t(num(v, "Bit_offset"));
            lists.List_Param.push_back(p);
        }

        if (const pugi::xml_node pd = child.child("ProcessData")) {
            for (bool in : {true, false}) {
                auto &list = in ? lists.List_ProDataIn : lists.List_ProDataOut;
                for (const pugi::xml_node &r : Child_Elements(pd.child(in ? "ProcessDataIn" : "ProcessDataOut"))) {
                    TIO_Link_Process_Data e;
                    e.bit_length = uint32_t(num(r, "BitLength", 1));
                    // Read as the channel check reads it: either separator; no number gives 1.0.
                    if (r.attribute("Gradient"))
                        Convert_Str_To_Float(attributeText(r, "Gradient"), Get_Decimal_Separator(), e.gradient);
                    e.offset = uint32_t(num(r, "Offset"));
                    e.unit_code = uint16_t(num(r, "UnitCode"));
                    e.Position = uint16_t(num(r, "Position"));
                    e.Bit = uint16_t(num(r, "Bit"));
                    e.BitOffset = uint32_t(num(r, "BitOffset"));
                    list.push_back(e);
                }
            }
        }

        for (const pugi::xml_node &ev : Child_Elements(child.child("Events"))) {
            if (attributeText(ev, "Enable") != QLatin1String("True")) continue;
            TIO_Link_Event e;
            e.time = uint32_t(num(ev, "TimeOut"));
            e.code = uint16_t(num(ev, "Code"));
            e.position = uint16_t(num(ev, "Position"));
            e.bit_address = uint8_t(num(ev, "Bit"));
            lists.List_Events.push_back(e);
        }

        // The header counts parameter and process-data records in one byte each.
        const struct { const char *what; size_t n; } counts[] = {
            {"parameter", lists.List_Param.size()},
            {"process data in", lists.List_ProDataIn.size()},
            {"process data out", lists.List_ProDataOut.size()},
        };
        for (const auto &c : counts) {
            if (c.n > size_t(kMaxCountedRecords)) {
                if (error)
                    *error = platform::formatText("Channel #%.2d has %d %s records; the device takes at most %d.",
                                                  {slot + 1, int(c.n), QString::fromLatin1(c.what), kMaxCountedRecords});
                return false;
            }
        }
        h.Param_Count = uint8_t(lists.List_Param.size());
        h.PD_In_Count = uint8_t(lists.List_ProDataIn.size());
        h.PD_Out_Count = uint8_t(lists.List_ProDataOut.size());
        h.Event_Count = uint32_t(lists.List_Events.size());
    }
    return true;
}

int TBank_Images::Bank2_Size() const
{
    int size = 0;
    for (int s = 0; s < kChannelSlots; ++s) {
        if (Channel_Headers[s].Channel_No <= 0) continue;
        const auto &l = Channel_Lists[s];
        size += kHeaderSize + kParamSize * int(l.List_Param.size())
                + kProcessDataSize * int(l.List_ProDataIn.size() + l.List_ProDataOut.size())
                + kEventSize * int(l.List_Events.size());
    }
    return size;
}

int TBank_Images::Append_Bank2_Image(uint32_t base, int pos, TByteImage &buf, int)
{
    int active = 0;
    for (const auto &h : Channel_Headers)
        if (h.Channel_No > 0) ++active;
    put32(1524, uint32_t(active));
    uint32_t a = base + uint32_t(kHeaderSize * active);
    for (int s = 0; s < kChannelSlots; ++s) {
        TChannel_Header &h = Channel_Headers[s];
        if (h.Channel_No <= 0) continue;
        const auto &l = Channel_Lists[s];
        h.Param_Address = a;
        a += uint32_t(kParamSize * l.List_Param.size());
        h.PD_In_Address = a;
        a += uint32_t(kProcessDataSize * l.List_ProDataIn.size());
        h.PD_Out_Address = a;
        h.Event_Address = a + uint32_t(kProcessDataSize * l.List_ProDataOut.size());
        a += uint32_t(kProcessDataSize * l.List_ProDataOut.size() + kEventSize * l.List_Events.size());
    }

    Writer w(buf, pos);
    for (const TChannel_Header &h : Channel_Headers) {
        if (h.Channel_No <= 0) continue;
        w.u8(h.Bit_Rate);
        w.u8(h.Param_Count);
        w.u8(h.PD_In_Count);
        w.u8(h.PD_Out_Count);
        w.u8(h.Pin2_In_Type);
        w.zeros(9);
        w.u16(h.TimeOut);
        w.u32(h.Min_Cycle_Time);
        w.u32(h.Param_Address);
        w.u32(h.PD_In_Address);
        w.u32(h.PD_Out_Address);
        w.u32(uint32_t(h.Channel_No));
        w.u8(h.Read_Pin2);
        w.u8(h.Pin4_Mode);
        w.u16(h.Pin2_Pos);
        w.u16(h.Pin4_Pos);
        w.u16(h.Pin2_Bit);
        w.u16(h.Pin4_Bit);
        w.u8(h.Pin2_Inv);
        w.u8(h.Pin4_Inv);
        w.u32(h.Event_Count);
        w.u32(h.Event_Address);
    }
    for (int s = 0; s < kChannelSlots; ++s) {
        const auto &l = Channel_Lists[s];
        for (const TIO_Link_Parameter &p : l.List_Param) {
            w.u16(p.index);
            w.u8(p.subindex);
            w.u8(p.options);
            w.u32(p.value);
            w.u16(p.position_read);
            w.u8(p.bit_address_read);
            w.u8(p.bit_address_write);
            w.u16(p.position_write);
            w.u16(p.bit_length);
            w.u32(p.time);
            w.u32(p.counter);
            w.u32(p.total_bit_length);
            w.u8(p.subindexAccessSupported);
            w.u8(p.spare);
            w.u16(p.readtime);
            w.u32(p.bit_offset);
        }
        for (const auto *list : {&l.List_ProDataIn, &l.List_ProDataOut}) {
            for (const TIO_Link_Process_Data &e : *list) {
                w.f32(e.gradient);
                w.u16(e.unit_code);
                w.u16(e.options);
                w.u32(e.BitOffset);
                w.u32(e.offset);
                w.u32(e.bit_length);
                w.u16(e.Position);
                w.u16(e.Bit);
            }
        }
        for (const TIO_Link_Event &e : l.List_Events) {
            w.u32(e.time);
            w.u16(e.code);
            w.u16(e.position);
            w.u8(e.bit_address);
            w.zeros(3);
        }
    }
    return w.pos();
}

// ---- Build and files ------------------------------------------------------------------------

bool TBank_Images::Build_Bank_Images(QString *error)
{
    // Without the communication parameters the device would get an address and a serial line
    // nobody chose.
    if (!QFileInfo::exists(ParGen_File)) {
        if (error)
            *error = platform::formatText("The file \"%s\" of the configuration is missing (%s). Set the communication "
                                          "parameters in Step 2 before updating the device. No image was written.",
                                          {QFileInfo(ParGen_File).fileName(), QDir::toNativeSeparators(ParGen_File)});
        return false;
    }
    Init_Bank1_Defaults();
    Clear_Channel_Data();
    if (!Read_ParGen_To_Bank1(error) || !Read_Channel_Data(error)) return false;

    // The channel image must fit its buffer and end before the web pages begin.
    const int size = Bank2_Size();
    const struct { const char *controller; int room; } limits[] = {
        {"main", int(std::min<uint32_t>(0x80000, kMainWebPages - kMainChannelImage))},
        {"ESP32", int(std::min<uint32_t>(0x20000, kEspWebPages - kEspChannelImage))},
    };
    for (const auto &l : limits) {
        if (size > l.room) {
            if (error)
                *error = platform::formatText("The IO-Link channel image needs %d bytes; the %s controller has room for %d. "
                                              "Map fewer variables, process data or events.",
                                              {size, QString::fromLatin1(l.controller), l.room});
            return false;
        }
    }

    Bank1_Image.clear();
    Bank2_Image.clear();
    put32(1804, kMainWebPages);
    put32(1524, 0);
    put32(1528, kMainChannelImage);
    Append_Bank2_Image(kMainChannelImage, 0, Bank2_Image, 0x7FFFF);
    Append_Bank1_Image(0, Bank1_Image);

    Bank1_ESP32_Image.clear();
    Bank2_ESP32_Image.clear();
    put32(1804, kEspWebPages);
    put32(1528, kEspChannelImage);
    Append_Bank2_Image(kEspChannelImage, 0, Bank2_ESP32_Image, 0x1FFFF);
    Append_Bank1_Image(0, Bank1_ESP32_Image);
    return true;
}

bool TBank_Images::Write_Bank_Files(QString *error) const
{
    const QString bin = Project_Path + QStringLiteral("/bin");
    QDir().mkpath(bin);
    const struct { const char *name; const TByteImage &image; } files[] = {
        {"bank1.bin", Bank1_Image}, {"bank2.bin", Bank2_Image},
        {"bank1_ESP32.bin", Bank1_ESP32_Image}, {"bank2_ESP32.bin", Bank2_ESP32_Image},
    };
    for (const auto &f : files) {
        const QByteArray data(reinterpret_cast<const char *>(f.image.data()), qsizetype(f.image.size()));
        if (!platform::writeFileAtomic(bin + QLatin1Char('/') + QLatin1String(f.name), data, error)) return false;
    }
    return true;
}

TBank_Images &Bank_Images()
{
    static TBank_Images images;
    return images;
}

bool Create_Bank_Images(QString *error) { return Bank_Images().Build_Bank_Images(error); }
bool Save_Bank_Files(QString *error) { return Bank_Images().Write_Bank_Files(error); }
