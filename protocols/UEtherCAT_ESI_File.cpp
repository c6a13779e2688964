#include "protocols/UEtherCAT_ESI_File.h"

#include "iolink/UIO_Link_Channel_File.h"
#include "protocols/UWriter_Constants.h"
#include "shell/ParGenFile.h"
#include "shell/UComon.h"

#include <tuple>

namespace {

struct EsiFixedType {
    const char *type, *dataType;
    int bits;
};
constexpr EsiFixedType kEsiTypes[] = {{"BOOL", "BIT", 1},    {"INT8", "SINT", 8},   {"INT16", "INT", 16},
                                {"INT32", "DINT", 32}, {"UINT8", "USINT", 8}, {"UINT16", "UINT", 16},
                                {"UINT32", "UDINT", 32}, {"FLOAT32", "REAL", 32}};

QString esiHex4(unsigned v) { return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toUpper(); }

bool isEsiBit(const TEtherCAT_Rule &r) { return r.DataType == QLatin1String("BIT"); }

} // namespace

TEtherCAT_Rule Get_ESI_Type(const QString &type, int length)
{
    const QString key = Trim_Text(type).toUpper();
    for (const EsiFixedType &t : kEsiTypes)
        if (key == QLatin1String(t.type)) return {QLatin1String(t.dataType), t.bits, QString()};
    if (key == QLatin1String("ARRAY"))
        return {QStringLiteral("ARRAY [0..%1] OF BYTE").arg(length - 1), length * 8, QString()};
    if (key == QLatin1String("STRING")) return {QStringLiteral("STRING(%1)").arg(length), length * 8 + 8, QString()};
    return {QStringLiteral("BIT"), 1, QString()};
}

QString Format_PDO_Number(int n) { return n >= 0 && n <= 99 ? QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')) : QString::number(n); }

bool TESI_Writer::Load_ESI_Rules(QString *error)
{
    TParGen_Writer_Settings settings;
    if (ParGen_Read_Writer_Settings(ParGen_File, settings, error) == TParGenLoad::Failed) return false;
    Device_Name = settings.EtherCAT_Slave_Name;
    Revision = settings.EtherCAT_Slave_Revision_Number;
    Alias = uint16_t(settings.EtherCAT_Slave_Node_Address);

    ESI_Rules_In.clear();
    ESI_Rules_Out.clear();
    ESI_Bytes_In = 0;
    platform::XmlFile file;
    const TInput_File read = Read_Input_File(EtherCAT_Slave_File, file, error);
    if (read != TInput_File::Loaded) return read == TInput_File::Missing;
    const pugi::xml_node root = First_Node(file);
    const pugi::xml_node vars = root.child("EtherCAT_Slave_Variables");
    if (!vars) {
        if (error) *error = Missing_Element(file, root, "EtherCAT_Slave_Variables");
        return false;
    }
    const char *groups[] = {"EtherCAT_Slave_To_Master", "EtherCAT_Master_To_Slave"};
    for (const char *group : groups) {
        if (!vars.child(group)) {
            if (error) *error = Missing_Element(file, vars, group);
            return false;
        }
    }
    for (int g = 0; g < 2; ++g) {
        std::vector<TEtherCAT_Rule> &rules = g == 0 ? ESI_Rules_In : ESI_Rules_Out;
        int runBits = 0;  // bits of the open run of BIT entries
        for (const pugi::xml_node &row : Child_Elements(vars.child(groups[g]))) {
            if (QLatin1String(row.attribute("Enable").value()) != QLatin1String("Y")) continue;
            const QString type = QString::fromUtf8(row.attribute("Type").value());
            const int length = StrToIntDef(QString::fromUtf8(row.attribute("Length").value()), 0);
            TEtherCAT_Rule rule = Get_ESI_Type(type, length);
            rule.Name = QString::fromUtf8(row.attribute("Name").value());
            if (g == 0) {
                if (isEsiBit(rule)) {
                    // The first bit of a run and every ninth after it open a byte.
                    if (runBits % 8 == 0) ++ESI_Bytes_In;
                    ++runBits;
                } else {
                    runBits = 0;
                    // A String takes its terminating byte too, as its BitLen says.
                    ESI_Bytes_In += rule.DataType.startsWith(QLatin1String("STRING(")) ? length + 1 : length;
                }
            }
            rules.push_back(std::move(rule));
        }
    }
    return true;
}

QByteArray TESI_Writer::Write_ESI_Lines() const
{
    using namespace writer_constants;
    TExport_Lines ESI_Lines(platform::TextEncoding::Ansi);
    // About 260 bytes an entry beside the fixed part.
    ESI_Lines.Reserve(qsizetype(8192 + 300 * (ESI_Rules_In.size() + ESI_Rules_Out.size())));
    TXml_Lines x(ESI_Lines, QStringLiteral("  "), true);
    const QString icon = kEtherCATIcon;
    const QString group = QStringLiteral("Velmar Slaves");
    x.Raw(QStringLiteral("<?xml version=\"1.0\"?>"));
    x.Open("EtherCATInfo", {{"xmlns:xsi", QStringLiteral("http://www.w3.org/2001/XMLSchema-instance")},
                            {"xsi:noNamespaceSchemaLocation", QStringLiteral("EtherCATInfo.xsd")},
                            {"Version", QStringLiteral("1.6")}});
    x.Open("Vendor");
    x.Text("Id", QStringLiteral("#x") + kEtherCATVendorId);
    x.Text("Name", QStringLiteral("Velmar"));
    x.Text("ImageData16x14", icon);
    x.Close();
    x.Open("Descriptions");
    x.Open("Groups");
    x.Open("Group", {{"SortOrder", QStringLiteral("0")}});
    x.Text("Type", group);
    x.Text("Name", group, {{"LcId", QStringLiteral("1031")}});
    x.Text("Name", group, {{"LcId", QStringLiteral("1033")}});
    x.Text("ImageData16x14", icon);
    x.Close();
    x.Close();
    x.Open("Devices");
    x.Open("Device", {{"Physics", QStringLiteral("YY")}});
    x.Text("Type", Device_Name,
           {{"ProductCode", QStringLiteral("#x") + kEtherCATProductCode},
            {"RevisionNo", QStringLiteral("#x") + QStringLiteral("%1").arg(uint32_t(Revision), 2, 16, QLatin1Char('0')).toUpper()}});
    x.Text("Name", Device_Name, {{"LcId", QStringLiteral("1033")}});
    x.Text("Name", Device_Name, {{"LcId", QStringLiteral("1031")}});
    x.Open("Info");
    x.Open("StateMachine");
    x.Open("Timeout");
    x.Text("PreopTimeout", QStringLiteral("2000"));
    x.Text("SafeopOpTimeout", QStringLiteral("9000"));
    x.Text("BackToInitTimeout", QStringLiteral("5000"));
    x.Text("BackToSafeopTimeout", QStringLiteral("200"));
    x.Close();
    x.Close();
    x.Open("Mailbox");
    x.Open("Timeout");
    x.Text("RequestTimeout", QStringLiteral("100"));
    x.Text("ResponseTimeout", QStringLiteral("2000"));
    x.Close();
    x.Close();
    x.Text("IdentificationReg134", QStringLiteral("true"));
    x.Close();
    x.Text("GroupType", group);
    x.Text("Fmmu", QStringLiteral("Outputs"));
    x.Text("Fmmu", QStringLiteral("Inputs"));
    const QString zero = QStringLiteral("0");
    x.Text("Sm", QStringLiteral("MBoxOut"),
           {{"MinSize", zero}, {"MaxSize", zero}, {"DefaultSize", zero}, {"StartAddress", QStringLiteral("#x1FFF")},
            {"ControlByte", QStringLiteral("#x26")}, {"Enable", zero}});
    x.Text("Sm", QStringLiteral("MBoxIn"),
           {{"MinSize", zero}, {"MaxSize", zero}, {"DefaultSize", zero}, {"StartAddress", QStringLiteral("#x1FFF")},
            {"ControlByte", QStringLiteral("#x22")}, {"Enable", zero}});
    // The outputs follow the three buffers of the input area, on a multiple of 4.
    const unsigned outputs = 0x1000 + unsigned((3 * ESI_Bytes_In + 3) / 4 * 4);
    x.Text("Sm", QStringLiteral("Outputs"),
           {{"StartAddress", QStringLiteral("#x") + esiHex4(outputs)}, {"ControlByte", QStringLiteral("#x64")},
            {"DefaultSize", QStringLiteral("1")}, {"Enable", QStringLiteral("1")}});
    x.Text("Sm", QStringLiteral("Inputs"),
           {{"StartAddress", QStringLiteral("#x1000")}, {"ControlByte", QStringLiteral("#x20")},
            {"DefaultSize", QStringLiteral("1")}, {"Enable", QStringLiteral("1")}});

    auto pdos = [&](const std::vector<TEtherCAT_Rule> &rules, bool out) {
        int free = 8;  // free bits of the byte the bit run fills
        const size_t n = rules.size();
        for (size_t i = 0; i < n; ++i) {
            if (i % 16 == 0) {
                x.Open(out ? "RxPdo" : "TxPdo", {{"Mandatory", QStringLiteral("true")}, {"Fixed", QStringLiteral("true")},
                                                 {"Sm", out ? QStringLiteral("2") : QStringLiteral("3")}});
                x.Text("Index", QStringLiteral("#x") + esiHex4(unsigned((out ? 0x1600 : 0x1A00) + i / 16)));
                x.Text("Name", (out ? QStringLiteral("Outputs_") : QStringLiteral("Inputs_")) + Format_PDO_Number(int(i / 16)));
                x.Raw(QString());
            }
            const TEtherCAT_Rule &r = rules[i];
            x.Open("Entry");
            x.Text("Index", QStringLiteral("#x") + esiHex4(unsigned((out ? 0x7000 : 0x6000) + i)));
            x.Text("SubIndex", zero);
            x.Text("BitLen", QString::number(r.Length));
            x.Text("Name", r.Name);
            x.Text("DataType", r.DataType);
            x.Close();
            x.Raw(QString());
            if (isEsiBit(r)) {
                if (--free == 0) {
                    free = 8;
                } else if (i + 1 == n || !isEsiBit(rules[i + 1])) {
                    const QString five(5, QLatin1Char('\t')), six(6, QLatin1Char('\t'));
                    x.Raw(five + QStringLiteral("<Entry>"));
                    x.Raw(six + QStringLiteral("<Index>#x0</Index>"));
                    x.Raw(six + QStringLiteral("<SubIndex>0</SubIndex>"));
                    x.Raw(six + QStringLiteral("<BitLen>%1</BitLen>").arg(free));
                    x.Raw(five + QStringLiteral("</Entry>"));
                    x.Raw(QString());
                    free = 8;
                }
            } else {
                free = 8;
            }
            if (i % 16 == 15 || i + 1 == n) x.Close();
        }
    };
    pdos(ESI_Rules_Out, true);
    pdos(ESI_Rules_In, false);

    x.Open("Mailbox", {{"DataLinkLayer", QStringLiteral("true")}});
    x.Empty("EoE");
    x.Empty("CoE", {{"SdoInfo", QStringLiteral("true")}, {"SegmentedSdo", QStringLiteral("true")},
                    {"CompleteAccess", QStringLiteral("true")}});
    x.Empty("FoE");
    x.Close();
    x.Open("Dc");
    for (const auto &[name, desc, assign] : {std::tuple{"Synchron", "SM-Synchron", "#x0"}, std::tuple{"DC", "DC-Synchron", "#x300"}}) {
        x.Open("OpMode");
        x.Text("Name", QString::fromLatin1(name));
        x.Text("Desc", QString::fromLatin1(desc));
        x.Text("AssignActivate", QString::fromLatin1(assign));
        x.Text("CycleTimeSync0", zero, {{"Factor", QStringLiteral("1")}});
        x.Text("ShiftTimeSync0", zero);
        x.Text("CycleTimeSync1", zero, {{"Factor", QStringLiteral("1")}});
        x.Close();
    }
    x.Close();
    x.Open("Eeprom");
    x.Text("ByteSize", QStringLiteral("2048"));
    // The station alias, low byte first.
    const QString alias = QStringLiteral("%1%2").arg(Alias & 0xFF, 2, 16, QLatin1Char('0')).arg(Alias >> 8, 2, 16, QLatin1Char('0')).toUpper();
    x.Text("ConfigData", QStringLiteral("800F00CC8813ff00") + alias + QStringLiteral("00800000"));
    x.Close();
    x.Text("ImageData16x14", icon);
    x.Close();
    x.Close();
    x.Close();
    x.Close();
    return ESI_Lines.Bytes();
}

TDescription_File ESI_File_Bytes()
{
    TESI_Writer w;
    QString error;
    if (!w.Load_ESI_Rules(&error)) return TDescription_File::Refused(error);
    TDescription_File file;
    file.Bytes = w.Write_ESI_Lines();
    return file;
}

bool Create_ESI_File(const QString &FileName, QString *error)
{
    return Save_Description_File(ESI_File_Bytes(), FileName, error);
}
