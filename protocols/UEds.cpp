#include "protocols/UEds.h"

#include "iolink/UIO_Link_Channel_File.h"
#include "platform/Clock.h"
#include "protocols/UWriter_Constants.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <algorithm>

namespace {

constexpr int kEdsDimensionSlot = 2592;

QString edsHexN(uint32_t v, int digits) { return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0')).toUpper(); }
QString edsHex(uint32_t v) { return QString::number(v, 16).toUpper(); }
QString edsDec(long long v) { return QString::number(v); }

QString edsObjectName(uint32_t index) { return QLatin1Char('[') + edsHexN(index, 4) + QLatin1Char(']'); }
QString edsSubName(uint32_t index, uint32_t k)
{
    return QLatin1Char('[') + edsHexN(index, 4) + QLatin1String("sub") + edsHex(k) + QLatin1Char(']');
}

// A section: its name, its lines, then one empty line.
void edsSection(QStringList &out, const QString &name, std::initializer_list<QString> lines)
{
    out << name;
    for (const QString &l : lines) out << l;
    out << QString();
}

// The fixed objects; a null entry is a key that is not written.
struct EdsFixedObject {
    const char *section, *subNumber, *name, *objectType, *dataType, *access, *defaultValue, *pdoMapping;
};
constexpr EdsFixedObject kEdsFixedObjects[] = {
    {"[1000]", nullptr, "Device Type", "0x07", "0x0007", "const", "0x000101A4", "0"},
    {"[1001]", nullptr, "Error Register", "0x07", "0x0005", "ro", "0x00", "0"},
    {"[1005]", nullptr, "COB-ID SYNC", "0x07", "0x0007", "rw", "0x80000080", "0"},
    {"[1006]", nullptr, "Communication Cycle Period", "0x07", "0x0007", "rw", "0x00000000", "0"},
    {"[1008]", nullptr, "Manufacturer Device Name", "0x07", "0x0009", "const", "s1", "0"},
    {"[1014]", nullptr, "COB-ID EMCY", "0x07", "0x0007", "ro", "$NODEID+0x80", "0"},
    {"[1016]", "3", "Heartbeat Consumer Entries", "0x08", nullptr, nullptr, nullptr, nullptr},
    {"[1016sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x02", "0"},
    {"[1016sub1]", nullptr, "Consumer Heartbeat Time 1", "0x07", "0x0007", "rw", "0x00000000", "0"},
    {"[1016sub2]", nullptr, "Consumer Heartbeat Time 2", "0x07", "0x0007", "rw", "0x00000000", "0"},
    {"[1017]", nullptr, "Producer Heartbeat Time", "0x07", "0x0006", "rw", "0x000003E8", "0"},
    {"[1018]", "5", "Identity Object", "0x09", nullptr, nullptr, nullptr, nullptr},
    {"[1018sub0]", nullptr, "number of entries", "0x07", "0x0005", "ro", "0x4", "0"},
    {"[1018sub1]", nullptr, "Vendor Id", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1018sub2]", nullptr, "Product Code", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1018sub3]", nullptr, "Revision number", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1018sub4]", nullptr, "Serial number", "0x07", "0x0007", "ro", nullptr, "0"},
    {"[1029]", "2", "Error Behaviour", "0x08", nullptr, nullptr, nullptr, nullptr},
    {"[1029sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "1", "0"},
    {"[1029sub1]", nullptr, "Communication Error", "0x07", "0x0005", "rw", "0x0", "0"},
    {"[1280]", "4", "Client SDO Parameter 1", "0x09", nullptr, nullptr, nullptr, nullptr},
    {"[1280sub0]", nullptr, "Number of Entries", "0x07", "0x0005", "ro", "0x03", "0"},
    {"[1280sub1]", nullptr, "COB-ID Client -> Server", "0x07", "0x0007", "rw", nullptr, "0"},
    {"[1280sub2]", nullptr, "COB-ID Server -> Client", "0x07", "0x0007", "rw", nullptr, "0"},
    {"[1280sub3]", nullptr, "Node ID of the SDO Server", "0x07", "0x0005", "rw", nullptr, "0"},
};

// Reads one PDO group into list; false with *error.
bool readEdsPdoGroup(const platform::XmlFile &file, const pugi::xml_node &group, std::array<PDO_Entry, kEDS_Max_PDO> &list,
                  int &count, QString *error)
{
    count = 0;
    for (const pugi::xml_node &row : Child_Elements(group)) {
        if (count == kEDS_Max_PDO) break;
        QString cob, dimension;
        if (!Required_Attribute(file, row, "COB-ID", cob, error) || !Required_Attribute(file, row, "Dimension", dimension, error))
            return false;
        const int d = StrToIntDef(dimension, 8);
        if (d < 0 || d > 8) {
            if (error) *error = LT(kEdsDimensionSlot);
            return false;
        }
        list[size_t(count)].COB_ID = uint32_t(StrToIntDef(cob, 0));
        list[size_t(count)].Dimension = uint32_t(d);
        ++count;
    }
    return true;
}

} // namespace

const QStringList &EDS_Texts()
{
    static const QStringList texts = [] {
        QStringList t{QStringLiteral("CANopen_IOLink.eds"), QStringLiteral("Radoridor UD Edov / EDOZ"),
                      writer_constants::kEdsProductNumber, writer_constants::kEdsOrderCode};
        for (const char *n : {"b", "c", "d", "e", "f", "g", "h", "j", "k", "i", "aa", "ab", "ac", "ad", "ae",
                              "af", "ag", "ah", "ai", "al", "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av",
                              "l", "m", "n", "o", "p", "q", "r", "s", "t", "u", "ca", "cb", "cc", "cd", "ce",
                              "cf", "cg", "ch", "ci", "cl", "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"})
            t << QLatin1String(n);
        return t;
    }();
    return texts;
}

QString EDS_Date(const QDate &date)
{
    return QStringLiteral("%1-%2-%3").arg(date.month(), 2, 10, QLatin1Char('0')).arg(date.day(), 2, 10, QLatin1Char('0')).arg(date.year());
}

QString EDS_Time(const QTime &time)
{
    int h = time.hour();
    const int m = time.minute();
    QLatin1String suffix("AM");
    if (h > 12) {
        h -= 12;
        suffix = QLatin1String("PM");
    } else if (h == 12 && m != 0) {
        h = 0;
        suffix = QLatin1String("PM");
    }
    return QStringLiteral("%1:%2").arg(h, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0')) + suffix;
}

bool TEDS_Writer::Read_PDO_File(QString *error)
{
    PDO_Receive_Count = PDO_Transmit_Count = 0;
    platform::XmlFile file;
    const TInput_File read = Read_Input_File(PDO_CANopen_File, file, error);
    if (read != TInput_File::Loaded) return read == TInput_File::Missing;
    const pugi::xml_node root = First_Node(file);
    return readEdsPdoGroup(file, root.child("Receive_PDO"), PDO_Receive_List, PDO_Receive_Count, error)
           && readEdsPdoGroup(file, root.child("Transmit_PDO"), PDO_Transmit_List, PDO_Transmit_Count, error);
}

bool TEDS_Writer::Read_SDO_Server_File(QString *error)
{
    SDO_List.clear();
    platform::XmlFile file;
    const TInput_File read = Read_Input_File(SDO_Server_CANopen_File, file, error);
    if (read != TInput_File::Loaded) return read == TInput_File::Missing;
    const pugi::xml_node root = First_Node(file);
    for (const auto &[group, readonly] : {std::pair{"SDO_Read", true}, std::pair{"SDO_Write", false}}) {
        for (const pugi::xml_node &row : Child_Elements(root.child(group))) {
            QString index, sub, bytes;
            if (!Required_Attribute(file, row, "Index", index, error) || !Required_Attribute(file, row, "SubIndex", sub, error)
                || !Required_Attribute(file, row, "NByte", bytes, error))
                return false;
            const auto i = uint16_t(StrToIntDef(index, -1));
            const SDO_Sub_Type entry{uint8_t(StrToIntDef(sub, -1)), uint8_t(StrToIntDef(bytes, -1)), readonly, QString()};
            const int at = Find_SDO_Index(i);
            if (at >= 0)
                SDO_List[size_t(at)].Sub_Indexs.push_back(entry);
            else
                SDO_List.push_back({i, {entry}});
        }
    }
    return true;
}

int TEDS_Writer::Find_SDO_Index(uint16_t Index) const
{
    for (size_t i = 0; i < SDO_List.size(); ++i)
        if (SDO_List[i].Index == Index) return int(i);
    return -1;
}

void TEDS_Writer::Sort_SDO_Sub_Indexs()
{
    // Equal sub-indexes keep their order.
    for (SDO_Index &e : SDO_List)
        std::stable_sort(e.Sub_Indexs.begin(), e.Sub_Indexs.end(),
                         [](const SDO_Sub_Type &a, const SDO_Sub_Type &b) { return a.Sub < b.Sub; });
}

QStringList TEDS_Writer::EDS_Lines(const QDateTime &when) const
{
    const QStringList &texts = EDS_Texts();
    const QString date = EDS_Date(when.date());
    const QString time = EDS_Time(when.time());
    const int R = PDO_Receive_Count, T = PDO_Transmit_Count;
    QStringList out;

    edsSection(out, QStringLiteral("[FileInfo]"),
            {QStringLiteral("FileName=") + texts[0], QStringLiteral("FileVersion=1"), QStringLiteral("FileRevision=0"),
             QStringLiteral("EDSVersion=4.0"), QStringLiteral("Description=") + texts[1], QStringLiteral("CreationTime=") + time,
             QStringLiteral("CreationDate=") + date, QStringLiteral("CreatedBy=Velmar"),
             QStringLiteral("ModificationTime=") + time, QStringLiteral("ModificationDate=") + date,
             QStringLiteral("ModifiedBy=Velmar")});
    edsSection(out, QStringLiteral("[DeviceInfo]"),
            {QStringLiteral("VendorName=Velmar"), QStringLiteral("VendorNumber=0x00"), QStringLiteral("ProductName=") + texts[1],
             QStringLiteral("ProductNumber=") + texts[2], QStringLiteral("RevisionNumber=0x0"),
             QStringLiteral("OrderCode=") + texts[3], QStringLiteral("BaudRate_10=1"), QStringLiteral("BaudRate_20=1"),
             QStringLiteral("BaudRate_50=1"), QStringLiteral("BaudRate_125=1"), QStringLiteral("BaudRate_250=1"),
             QStringLiteral("BaudRate_500=1"), QStringLiteral("BaudRate_800=0"), QStringLiteral("BaudRate_1000=1"),
             QStringLiteral("DynamicChannelsSupported=0"), QStringLiteral("GroupMessaging=0"), QStringLiteral("LSS_Supported=0"),
             QStringLiteral("Granularity=0"), QStringLiteral("SimpleBootUpSlave=1"), QStringLiteral("SimpleBootUpMaster=0"),
             QStringLiteral("NrOfRXPDO=") + edsDec(R), QStringLiteral("NrOfTXPDO=") + edsDec(T)});
    edsSection(out, QStringLiteral("[Comments]"), {QStringLiteral("Lines=0")});
    edsSection(out, QStringLiteral("[DummyUsage]"),
            {QStringLiteral("Dummy0001=0"), QStringLiteral("Dummy0002=0"), QStringLiteral("Dummy0003=0"),
             QStringLiteral("Dummy0004=0"), QStringLiteral("Dummy0005=0"), QStringLiteral("Dummy0006=0"),
             QStringLiteral("Dummy0007=0")});
    edsSection(out, QStringLiteral("[MandatoryObjects]"),
            {QStringLiteral("SupportedObjects=3"), QStringLiteral("1=0x1000"), QStringLiteral("2=0x1001"), QStringLiteral("3=0x1018")});

    out << QStringLiteral("[OptionalObjects]") << QStringLiteral("SupportedObjects=") + edsDec(3 * R + 3 * T + 8);
    int number = 0;
    for (const char *fixed : {"0x1005", "0x1006", "0x1008", "0x1014", "0x1016", "0x1017", "0x1029", "0x1280"})
        out << edsDec(++number) + QLatin1Char('=') + QLatin1String(fixed);
    const struct {
        uint32_t base;
        int count;
    } runs[] = {{0x1400, R}, {0x1600, R}, {0x1800, T}, {0x1A00, T}, {0x7000, R}, {0x7050, T}};
    for (const auto &run : runs)
        for (int n = 0; n < run.count; ++n) out << edsDec(++number) + QLatin1String("=0x") + edsHexN(run.base + uint32_t(n), 4);
    out << QString();

    out << QStringLiteral("[ManufacturerObjects]") << QStringLiteral("SupportedObjects=") + edsDec(qsizetype(SDO_List.size()));
    for (size_t i = 0; i < SDO_List.size(); ++i) out << edsDec(qsizetype(i) + 1) + QLatin1String("=0x") + edsHexN(SDO_List[i].Index, 4);
    out << QString();

    for (const EdsFixedObject &f : kEdsFixedObjects) {
        out << QLatin1String(f.section);
        const std::pair<const char *, const char *> keys[] = {
            {"SubNumber=", f.subNumber}, {"ParameterName=", f.name}, {"ObjectType=", f.objectType}, {"DataType=", f.dataType},
            {"AccessType=", f.access},   {"DefaultValue=", f.defaultValue}, {"PDOMapping=", f.pdoMapping}};
        for (const auto &[key, value] : keys)
            if (value) out << QLatin1String(key) + QLatin1String(value);
        out << QString();
    }

    const QString entries = QStringLiteral("ParameterName=Number of Entries");
    // Communication objects of one direction.
    auto communication = [&](uint32_t base, const std::array<PDO_Entry, kEDS_Max_PDO> &list, int count, const char *what) {
        for (int n = 0; n < count; ++n) {
            const uint32_t index = base + uint32_t(n);
            edsSection(out, edsObjectName(index),
                    {QStringLiteral("SubNumber=4"), QLatin1String(what) + edsDec(n + 1), QStringLiteral("ObjectType=0x09")});
            edsSection(out, edsSubName(index, 0),
                    {entries, QStringLiteral("ObjectType=0x07"), QStringLiteral("DataType=0x0005"), QStringLiteral("AccessType=ro"),
                     QStringLiteral("DefaultValue=0x03"), QStringLiteral("PDOMapping=0")});
            edsSection(out, edsSubName(index, 1),
                    {QStringLiteral("ParameterName=COB-ID"), QStringLiteral("ObjectType=0x07"), QStringLiteral("DataType=0x0007"),
                     QStringLiteral("AccessType=rw"), QStringLiteral("DefaultValue=0x") + edsHexN(list[size_t(n)].COB_ID, 8),
                     QStringLiteral("PDOMapping=0")});
            edsSection(out, edsSubName(index, 2),
                    {QStringLiteral("ParameterName=Transmission Type"), QStringLiteral("ObjectType=0x07"),
                     QStringLiteral("DataType=0x0005"), QStringLiteral("AccessType=rw"), QStringLiteral("DefaultValue=0xFE"),
                     QStringLiteral("PDOMapping=0")});
            edsSection(out, edsSubName(index, 3),
                    {QStringLiteral("ParameterName=Inhibit Time"), QStringLiteral("ObjectType=0x07"), QStringLiteral("DataType=0x0006"),
                     QStringLiteral("AccessType=rw"), QStringLiteral("DefaultValue=0x0"), QStringLiteral("PDOMapping=0")});
        }
    };
    // Mapping objects: entry k of PDO n maps byte k of its data object, 8 bits.
    auto mapping = [&](uint32_t base, uint32_t data, const std::array<PDO_Entry, kEDS_Max_PDO> &list, int count, bool numbered,
                       const char *what) {
        for (int n = 0; n < count; ++n) {
            const uint32_t index = base + uint32_t(n);
            const uint32_t d = list[size_t(n)].Dimension;
            edsSection(out, edsObjectName(index),
                    {QStringLiteral("SubNumber=") + edsDec(d + 1), QLatin1String(what) + (numbered ? QLatin1Char(' ') + edsDec(n + 1) : QString()),
                     QStringLiteral("ObjectType=0x09")});
            edsSection(out, edsSubName(index, 0),
                    {entries, QStringLiteral("ObjectType=0x07"), QStringLiteral("DataType=0x0005"), QStringLiteral("AccessType=ro"),
                     QStringLiteral("DefaultValue=0x") + edsHexN(d, 2), QStringLiteral("PDOMapping=0")});
            for (uint32_t k = 1; k <= d; ++k)
                edsSection(out, edsSubName(index, k),
                        {QStringLiteral("ParameterName=Mapping Entry ") + edsDec(k), QStringLiteral("ObjectType=0x07"),
                         QStringLiteral("DataType=0x0007"), QStringLiteral("AccessType=ro"),
                         QStringLiteral("DefaultValue=0x") + edsHexN(data + uint32_t(n), 4) + edsHexN(k, 2) + QStringLiteral("08"),
                         QStringLiteral("PDOMapping=0")});
        }
    };
    // Data objects: one 8-bit entry per byte of the PDO.
    auto dataObjects = [&](uint32_t base, const std::array<PDO_Entry, kEDS_Max_PDO> &list, int count, const char *what,
                           const char *sub0Access, const char *access, int firstName) {
        for (int n = 0; n < count; ++n) {
            const uint32_t index = base + uint32_t(n);
            const uint32_t d = list[size_t(n)].Dimension;
            edsSection(out, edsObjectName(index),
                    {QStringLiteral("SubNumber=") + edsDec(d + 1), QLatin1String(what) + edsDec(n + 1), QStringLiteral("ObjectType=0x08")});
            edsSection(out, edsSubName(index, 0),
                    {entries, QStringLiteral("ObjectType=0x07"), QStringLiteral("DataType=0x0005"),
                     QStringLiteral("AccessType=") + QLatin1String(sub0Access), QStringLiteral("DefaultValue=0x") + edsHexN(d, 2),
                     QStringLiteral("PDOMapping=0")});
            for (uint32_t k = 1; k <= d; ++k)
                edsSection(out, edsSubName(index, k),
                        {QStringLiteral("ParameterName=") + texts[firstName + n] + edsDec(k), QStringLiteral("ObjectType=0x07"),
                         QStringLiteral("DataType=0x0005"), QStringLiteral("AccessType=") + QLatin1String(access),
                         QStringLiteral("DefaultValue=0x00"), QStringLiteral("PDOMapping=1")});
        }
    };
    communication(0x1400, PDO_Receive_List, R, "ParameterName=Receive PDO Communication Parameter ");
    mapping(0x1600, 0x7000, PDO_Receive_List, R, false, "ParameterName=Receive PDO Mapping Parameter");
    communication(0x1800, PDO_Transmit_List, T, "ParameterName=Transmit PDO Communication Parameter ");
    mapping(0x1A00, 0x7050, PDO_Transmit_List, T, true, "ParameterName=Transmit PDO Mapping Parameter");
    dataObjects(0x7000, PDO_Receive_List, R, "ParameterName=RPDO", "ro", "rww", 4);
    dataObjects(0x7050, PDO_Transmit_List, T, "ParameterName=TPDO", "rw", "rwr", 34);

    for (const SDO_Index &e : SDO_List) {
        const auto &subs = e.Sub_Indexs;
        const bool sub0 = !subs.empty() && subs.front().Sub != 0;
        edsSection(out, edsObjectName(e.Index),
                {QStringLiteral("SubNumber=") + edsDec(qsizetype(subs.size()) + (sub0 ? 1 : 0)), QStringLiteral("ParameterName=App Vars"),
                 QStringLiteral("ObjectType=0x9")});
        if (sub0)
            edsSection(out, edsSubName(e.Index, 0),
                    {QStringLiteral("ParameterName=Largest Sub-Index supported"), QStringLiteral("ObjectType=0x7"),
                     QStringLiteral("DataType=0x0005"), QStringLiteral("AccessType=ro"),
                     QStringLiteral("DefaultValue=0x") + edsHexN(subs.back().Sub, 2), QStringLiteral("PDOMapping=0")});
        for (const SDO_Sub_Type &s : subs) {
            out << edsSubName(e.Index, s.Sub) << QStringLiteral("ParameterName=Application Variable") << QStringLiteral("ObjectType=0x7");
            if (s.Quantity == 1)
                out << QStringLiteral("DataType=0x0005") << QStringLiteral("LowLimit=0x00") << QStringLiteral("HighLimit=0xFF")
                    << QStringLiteral("DefaultValue=0x00");
            else if (s.Quantity == 2)
                out << QStringLiteral("DataType=0x0006") << QStringLiteral("LowLimit=0x0000") << QStringLiteral("HighLimit=0xFFFF")
                    << QStringLiteral("DefaultValue=0x0000");
            else
                out << QStringLiteral("DataType=0x0007") << QStringLiteral("LowLimit=0x00000000")
                    << QStringLiteral("HighLimit=0xFFFFFFFF") << QStringLiteral("DefaultValue=0x00000000");
            out << (s.Readonly ? QStringLiteral("AccessType=ro") : QStringLiteral("AccessType=rw")) << QStringLiteral("PDOMapping=0")
                << QString();
        }
    }
    out << QString();
    return out;
}

TDescription_File EDS_File_Bytes()
{
    TEDS_Writer w;
    QString error;
    if (!w.Read_PDO_File(&error) || !w.Read_SDO_Server_File(&error)) return TDescription_File::Refused(error);
    w.Sort_SDO_Sub_Indexs();
    TExport_Lines lines(platform::TextEncoding::Ansi);
    for (const QString &l : w.EDS_Lines(platform::currentDateTime())) lines.Add(l);
    TDescription_File file;
    file.Bytes = lines.Bytes();
    return file;
}

bool Write_EDS_File(const QString &FileName, QString *error)
{
    return Save_Description_File(EDS_File_Bytes(), FileName, error);
}
