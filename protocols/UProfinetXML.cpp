#include "protocols/UProfinetXML.h"

#include "iolink/UIO_Link_Channel_File.h"
#include "protocols/UIOLink_Channel_Reader.h"
#include "protocols/UWriter_Constants.h"
#include "shell/ParGenFile.h"
#include "shell/UComon.h"

#include <QFileInfo>
#include <algorithm>
#include <tuple>

namespace {

// A byte range widened span by span; empty until the first span.
struct GsdmlRange {
    int lowest = 999999;
    int end = 0;
    void add(int first, int past)
    {
        lowest = std::min(lowest, first);
        end = std::max(end, past);
    }
    // A single byte position; a missing or invalid one adds nothing.
    void addByte(const QString &position)
    {
        const int p = StrToIntDef(position, -1);
        if (p >= 0) add(p, p + 1);
    }
    // A process-data record: from its position, (BitLength + 7) div 8 bytes (one at least). A
    // missing position or length reads as 0.
    void addRecord(const TChannel_File_Record &r)
    {
        const int p = r.Position.isEmpty() ? 0 : StrToIntDef(r.Position, -1);
        const int bits = StrToIntDef(r.BitLength, 0);
        if (p < 0) return;
        add(p, bits < 2 ? p + 1 : p + (bits + 7) / 8);
    }
    bool empty() const { return end <= lowest; }
};

QString gsdmlHex(unsigned v, int digits) { return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0')).toUpper(); }

// Stores a range; an empty one leaves the side without an item.
void storeGsdmlRange(const GsdmlRange &r, bool &en, int &num, int &min, int &max)
{
    if (!en || r.empty()) {
        en = false;
        return;
    }
    min = r.lowest;
    max = r.end;
    num = r.end - r.lowest;
}

} // namespace

void TGSDML_Writer::Clear_Dev_IOLink()
{
    for (TDev_IOLink &d : Dev_IOLink) d = TDev_IOLink();
}

bool TGSDML_Writer::Read_GSDML_Parameters(QString *error)
{
    GSDML_Variants = ParGen_Device_List();
    GSDML_Num_Channels = 8;
    GSDML_Device_Name = QStringLiteral("devicename1");
    TParGen_Writer_Settings settings;
    if (ParGen_Read_Writer_Settings(ParGen_File, settings, error) == TParGenLoad::Failed) return false;
    for (int i = 0; i < GSDML_Variants.size(); ++i) {
        if (GSDML_Variants[i].compare(settings.IOLink_SelectDevice, Qt::CaseInsensitive) != 0) continue;
        if (i == 0 || i == 2) GSDML_Num_Channels = 4;
        if (i == 1 || i == 3) GSDML_Num_Channels = 2;
        break;
    }
    GSDML_Device_Code = Get_Device_Code();
    GSDML_Device_ID = Get_Device_ID();
    Dev_IOLink.assign(size_t(GSDML_Num_Channels), TDev_IOLink());
    Clear_Dev_IOLink();
    return Load_Dev_IOLink(GSDML_Num_Channels, error);
}

bool TGSDML_Writer::Load_Dev_IOLink(int Count, QString *error)
{
    std::vector<TChannel_File_Channel> channels;
    if (Read_IOLink_Channels(channels, error) == TChannel_File_Read::Failed) return false;
    for (int i = 0; i < Count && size_t(i) < channels.size() && size_t(i) < Dev_IOLink.size(); ++i) {
        const TChannel_File_Channel &ch = channels[size_t(i)];
        TDev_IOLink &d = Dev_IOLink[size_t(i)];
        if (!ch.Has_IODD_File) continue;
        GsdmlRange in, out;
        const bool pin2 = ch.ReadPin2 == QLatin1String("Y");
        if (ch.Pin4Mode == QLatin1String("IO-Link")) {
            if (ch.FileName.isEmpty() || !Is_Plain_File_Name(ch.FileName)
                || !QFileInfo::exists(Project_Path + QStringLiteral("/IODD/") + ch.FileName))
                continue;
            d.Enable = true;
            if (ch.Has_ProcessDataIn) {
                d.En_ByteIn = true;
                for (const TChannel_File_Record &r : ch.ProcessDataIn) in.addRecord(r);
            }
            if (pin2) {
                d.En_ByteIn = true;
                in.addByte(ch.Pin2Pos);
            }
            for (const TChannel_File_Event &e : ch.Events) {
                if (e.Enable != QLatin1String("True")) continue;
                d.En_ByteIn = true;
                in.addByte(e.Position);
            }
            if (ch.Has_ProcessDataOut) {
                d.En_ByteOut = true;
                for (const TChannel_File_Record &r : ch.ProcessDataOut) out.addRecord(r);
            }
        } else if (ch.Pin4Mode == QLatin1String("DIn") || ch.Pin4Mode == QLatin1String("DOut")) {
            d.Enable = true;
            if (pin2) {
                d.En_ByteIn = true;
                in.addByte(ch.Pin2Pos);
            }
            if (ch.Pin4Mode == QLatin1String("DOut")) {
                d.En_ByteOut = true;
                out.addByte(ch.Pin4Pos);
            } else {
                d.En_ByteIn = true;
                in.addByte(ch.Pin4Pos);
            }
        } else {
            continue;
        }
        // A side without bytes gets no item, and a channel without any no module.
        storeGsdmlRange(in, d.En_ByteIn, d.Num_ByteIn, d.Min_ByteIn, d.Max_ByteIn);
        storeGsdmlRange(out, d.En_ByteOut, d.Num_ByteOut, d.Min_ByteOut, d.Max_ByteOut);
        d.Enable = d.En_ByteIn || d.En_ByteOut;
    }
    return true;
}

QByteArray TGSDML_Writer::GSDML_Text() const
{
    TExport_Lines lines(platform::TextEncoding::Utf8Bom);
    TXml_Lines x(lines, QStringLiteral("\t"), false);
    const QString profile = QStringLiteral("http://www.profibus.com/GSDML/2003/11/DeviceProfile");
    std::vector<int> modules;  // channel numbers of the enabled channels
    for (size_t i = 0; i < Dev_IOLink.size(); ++i)
        if (Dev_IOLink[i].Enable) modules.push_back(int(i) + 1);
    auto s = [](const char *t) { return QString::fromLatin1(t); };
    auto n = [](int v) { return QString::number(v); };

    x.Raw(s("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    x.Comment(s(" A fieldbus integration example. "));
    x.Open("ISO15745Profile", {{"xmlns", profile},
                               {"xmlns:xsi", s("http://www.w3.org/2001/XMLSchema-instance")},
                               {"xsi:schemaLocation", profile + s(" ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd")}});
    x.Open("ProfileHeader");
    x.Text("ProfileIdentification", s("PROFINET Device Profile"));
    x.Text("ProfileRevision", s("1.00"));
    x.Text("ProfileName", s("Device Profile for PROFINET Devices"));
    x.Text("ProfileSource", s("PROFIBUS Nutzerorganisation e. V. (PNO)"));
    x.Text("ProfileClassID", s("Device"));
    x.Open("ISO15745Reference");
    x.Text("ISO15745Part", s("4"));
    x.Text("ISO15745Edition", s("1"));
    x.Text("ProfileTechnology", s("GSDML"));
    x.Close();
    x.Close();
    x.Open("ProfileBody");
    x.Open("DeviceIdentity", {{"VendorID", s("0x") + gsdmlHex(writer_constants::kProfinetVendorId, 4)},
                              {"DeviceID", GSDML_Device_ID}});
    x.Empty("InfoText", {{"TextId", s("IDT_INFO_Device")}});
    x.Empty("VendorName", {{"Value", s("Velmar")}});
    x.Close();
    x.Open("DeviceFunction");
    x.Empty("Family", {{"MainFamily", s("Gateway")}, {"ProductFamily", GSDML_Device_Code}});
    x.Close();
    x.Open("ApplicationProcess");
    x.Open("DeviceAccessPointList");
    x.Open("DeviceAccessPointItem",
           {{"PNIO_Version", s("V2.3")}, {"RequiredSchemaVersion", s("V2.25")}, {"ID", s("IDD_1")},
            {"PhysicalSlots", s("0..9")}, {"ModuleIdentNumber", s("0x00000001")}, {"MinDeviceInterval", s("64")},
            {"ImplementationType", GSDML_Device_Name}, {"DNS_CompatibleName", GSDML_Device_Name},
            {"FixedInSlots", s("0")}, {"ObjectUUID_LocalIndex", s("1")}, {"MultipleWriteSupported", s("true")},
            {"MaxSupportedRecordSize", s("8192")}, {"ParameterizationSpeedupSupported", s("true")},
            {"PowerOnToCommReady", s("350")}, {"DeviceAccessSupported", s("true")}, {"SharedDeviceSupported", s("true")},
            {"CheckDeviceID_Allowed", s("false")}, {"NameOfStationNotTransferable", s("true")}});
    x.Open("ModuleInfo");
    x.Empty("Name", {{"TextId", s("IDT_NAME_DAP1")}});
    x.Empty("InfoText", {{"TextId", s("IDT_INFO_DAP1")}});
    x.Empty("VendorName", {{"Value", s("Velmar")}});
    x.Empty("OrderNumber", {{"Value", GSDML_Device_Code}});
    x.Close();
    x.Open("SubslotList");
    for (const auto &[number, id] : {std::pair{"0", "IDT_SUBSLOT_1"}, std::pair{"32768", "IDT_SUBSLOT_Interface"},
                                     std::pair{"32769", "IDT_SUBSLOT_Port1"}, std::pair{"32770", "IDT_SUBSLOT_Port2"}})
        x.Empty("SubslotItem", {{"SubslotNumber", s(number)}, {"TextId", s(id)}});
    x.Close();
    x.Empty("IOConfigData", {{"MaxInputLength", s("1440")}, {"MaxOutputLength", s("1440")}, {"MaxDataLength", s("2880")}});
    if (modules.empty()) {
        x.Empty("UseableModules");
    } else {
        x.Open("UseableModules");
        for (int m : modules) x.Empty("ModuleItemRef", {{"ModuleItemTarget", s("IDM_") + n(m)}, {"FixedInSlots", n(m)}});
        x.Close();
    }
    x.Open("VirtualSubmoduleList");
    x.Open("VirtualSubmoduleItem", {{"ID", s("IDS_V1")}, {"SubmoduleIdentNumber", s("0x00000000")}});
    x.Empty("IOData", {{"IOPS_Length", s("1")}, {"IOCS_Length", s("1")}});
    x.Open("ModuleInfo");
    x.Empty("Name", {{"TextId", s("IDT_NAME_VS1")}});
    x.Empty("InfoText", {{"TextId", s("IDT_INFO_VS1")}});
    x.Close();
    x.Close();
    x.Close();
    x.Open("SystemDefinedSubmoduleList");
    x.Open("InterfaceSubmoduleItem",
           {{"ID", s("IDS_I")}, {"SubmoduleIdentNumber", s("0x00000001")}, {"SubslotNumber", s("32768")},
            {"TextId", s("IDT_NAME_IS")}, {"SupportedRT_Classes", s("RT_CLASS_1")}, {"SupportedProtocols", s("SNMP;LLDP")},
            {"SupportedMibs", s("MIB2")}});
    x.Open("ApplicationRelations");
    x.Empty("TimingProperties", {{"SendClock", s("32")}, {"ReductionRatio", s("1 2 4 8 16 32 64 128 256 512")}});
    x.Close();
    x.Close();
    for (const auto &[id, slot, text] : {std::tuple{"IDS_P1", "32769", "IDT_NAME_PS1"}, std::tuple{"IDS_P2", "32770", "IDT_NAME_PS2"}})
        x.Empty("PortSubmoduleItem", {{"ID", s(id)}, {"SubmoduleIdentNumber", s("0x00000002")}, {"SubslotNumber", s(slot)},
                                      {"TextId", s(text)}, {"MaxPortRxDelay", s("350")}, {"MaxPortTxDelay", s("160")}});
    x.Close();
    x.Comment(s(" This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). "));
    x.Comment(s(" FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/"));
    x.Close();
    x.Close();

    x.Open("ModuleList");
    x.Comment(s(" The \"normal\" module carrying the FAP. "));
    for (int m : modules) {
        const TDev_IOLink &d = Dev_IOLink[size_t(m - 1)];
        const QString id = s("IDM_") + n(m);
        const QString ident = s("0x") + gsdmlHex(unsigned(m), 8);
        const QString name = s("IDT_NAME_M") + n(m);
        const QString info = s("IDT_INFO_M") + n(m);
        const QString channel = name + s("_IDT_REF_channel");
        x.Open("ModuleItem", {{"ID", id}, {"ModuleIdentNumber", ident}});
        x.Open("ModuleInfo");
        x.Empty("Name", {{"TextId", name}});
        x.Empty("InfoText", {{"TextId", info}});
        x.Empty("OrderNumber", {{"Value", s("12345-0040-M")}});
        x.Close();
        x.Open("VirtualSubmoduleList");
        x.Open("VirtualSubmoduleItem", {{"ID", id}, {"SubmoduleIdentNumber", ident}});
        x.Open("IOData", {{"IOPS_Length", s("1")}, {"IOCS_Length", s("1")}});
        auto item = [&](const char *side, int length, const char *text) {
            x.Line(s("<") + s(side) + s(">")
                   + x.Tag("DataItem", {{"DataType", s("OctetString")}, {"Length", n(length)}, {"TextId", s(text)}})
                   + s("/></") + s(side) + s(">"));
        };
        if (d.En_ByteIn) item("Input", d.Num_ByteIn, "IDT_Input_1");
        if (d.En_ByteOut) item("Output", d.Num_ByteOut, "IDT_Output_1");
        x.Close();
        x.Open("RecordDataList");
        x.Open("ParameterRecordDataItem", {{"Index", s("128")}, {"Length", s("2")}});
        x.Empty("Name", {{"TextId", channel}});
        x.Empty("Const", {{"ByteOffset", s("0")}, {"Data", s("0x00,0x00")}});
        x.Empty("Ref", {{"TextId", s("IDT_REF_reaction_to_cpu_stop")}, {"Visible", s("true")}, {"DataType", s("BitArea")},
                        {"ByteOffset", s("0")}, {"BitOffset", s("0")}, {"BitLength", s("2")}, {"DefaultValue", s("2")},
                        {"AllowedValues", s("0..2")}, {"ValueItemTarget", s("IDV_reaction_to_cpu_stop")},
                        {"ID", s("IDT_REF_reaction_to_cpu_stop")}});
        x.Open("MenuList");
        x.Open("MenuItem", {{"ID", channel}});
        x.Empty("Name", {{"TextId", channel}});
        x.Empty("MenuRef", {{"MenuTarget", s("IDT_NAME_Module_Base_Parameters")}});
        x.Close();
        x.Open("MenuItem", {{"ID", s("IDT_NAME_Module_Base_Parameters")}});
        x.Empty("Name", {{"TextId", s("IDT_NAME_Module_Base_Parameters")}});
        x.Empty("ParameterRef", {{"ParameterTarget", s("IDT_REF_reaction_to_cpu_stop")}});
        x.Close();
        x.Close();
        x.Close();
        x.Close();
        x.Open("ModuleInfo");
        x.Empty("Name", {{"TextId", name}});
        x.Empty("InfoText", {{"TextId", info}});
        x.Close();
        x.Close();
        x.Close();
        x.Close();
    }
    x.Close();

    x.Open("ValueList");
    x.Open("ValueItem", {{"ID", s("IDV_reaction_to_cpu_stop")}});
    x.Open("Assignments");
    for (const auto &[id, content] : {std::pair{"IDT_ASSIGN_do_set_substitude_values", "0"},
                                      std::pair{"IDT_ASSIGN_do_values_will_hold", "1"},
                                      std::pair{"IDT_ASSIGN_do_continue_counting", "2"}})
        x.Empty("Assign", {{"TextId", s(id)}, {"Content", s(content)}});
    x.Close();
    x.Close();
    x.Close();
    x.Open("CategoryList");
    for (const auto &[id, text, info] : {std::tuple{"IDC_DI", "IDT_CATEGORY_DI", "IDT_INFO_DI"},
                                         std::tuple{"IDC_DO", "IDT_CATEGORY_DO", "IDT_INFO_DO"}}) {
        x.Open("CategoryItem", {{"ID", s(id)}, {"TextId", s(text)}});
        x.Empty("InfoText", {{"TextId", s(info)}});
        x.Close();
    }
    x.Close();
    x.Open("ExternalTextList");
    x.Open("PrimaryLanguage");
    auto text = [&](const QString &id, const QString &value) { x.Empty("Text", {{"TextId", id}, {"Value", value}}); };
    for (const auto &[id, value] :
         {std::pair{"IDT_INFO_Device", "Velmar Gateways"}, std::pair{"IDT_NAME_DAP1", "IOLINKDevice"},
          std::pair{"IDT_INFO_DAP1", "Profinet IOLINK Adapter"}, std::pair{"IDT_SUBSLOT_1", "Subslot 1"},
          std::pair{"IDT_SUBSLOT_Interface", "Interface"}, std::pair{"IDT_SUBSLOT_Port1", "Port 1"},
          std::pair{"IDT_SUBSLOT_Port2", "Port 2"}, std::pair{"IDT_NAME_VS1", "Submodule V1"},
          std::pair{"IDT_INFO_VS1", "Description of submodule V1"}, std::pair{"IDT_NAME_IS", "I"},
          std::pair{"IDT_NAME_PS1", "P1"}, std::pair{"IDT_NAME_PS2", "P2"}})
        text(s(id), s(value));
    for (int m : modules) {
        text(s("IDT_NAME_M") + n(m), s("Module ") + n(m));
        text(s("IDT_INFO_M") + n(m), s("device IOLINK ") + n(m));
        text(s("IDT_NAME_M") + n(m) + s("_IDT_REF_channel"), s("Canale ") + n(m));
    }
    for (const auto &[id, value] :
         {std::pair{"IDT_Input_1", "Input byte"}, std::pair{"IDT_Output_1", "Output word"},
          std::pair{"IDT_CATEGORY_DI", "Digital Input"}, std::pair{"IDT_INFO_DI", "Description of digital input"},
          std::pair{"IDT_CATEGORY_DO", "Digital output"}, std::pair{"IDT_INFO_DO", "Description of digital output"},
          std::pair{"IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP"},
          std::pair{"IDT_NAME_Module_Base_Parameters", "Base Parameters"},
          std::pair{"IDT_ASSIGN_do_set_substitude_values", "Output substitute value"},
          std::pair{"IDT_ASSIGN_do_values_will_hold", "Keep last value"},
          std::pair{"IDT_ASSIGN_do_continue_counting", "Continue operation"}})
        text(s(id), s(value));
    x.Close();
    x.Close();
    x.Close();
    x.Close();
    x.Close();
    return lines.Bytes();
}

TDescription_File GSDML_File_Bytes()
{
    TGSDML_Writer w;
    QString error;
    if (!w.Read_GSDML_Parameters(&error)) return TDescription_File::Refused(error);
    TDescription_File file;
    file.Bytes = w.GSDML_Text();
    return file;
}

bool Write_GSDML_File(const QString &FileName, QString *error)
{
    return Save_Description_File(GSDML_File_Bytes(), FileName, error);
}
