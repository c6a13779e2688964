#include "protocols/UBACnet_EDE_File.h"

#include "iolink/UIO_Link_Channel_File.h"
#include "platform/Clock.h"
#include "shell/ParGenFile.h"
#include "shell/UComon.h"

#include <array>
#include <vector>

namespace {

struct TypeName {
    const char *text;
    int type;
};
// BACnetObjectType numbers of the table texts.
constexpr TypeName kObjectTypes[] = {
    {"ANALOG INPUT", 0},       {"ANALOG OUT", 1},         {"ANALOG VALUE", 2},      {"BINARY INPUT", 3},
    {"BINARY OUT", 4},         {"BINARY VALUE", 5},       {"MULTI STATE INPUT", 13}, {"MULTI STATE OUTPUT", 14},
    {"MULTI STATE VALUE", 19}, {"LIFE SAFETY POINT", 21}, {"LIFE SAFETY ZONE", 22}, {"ACCUMULATOR", 23},
    {"ACCESS DOOR", 30},       {"CHARACTERSTRING VALUE", 40}, {"DATETIME VALUE", 44}, {"INTEGER VALUE", 45},
    {"LARGE ANALOG VALUE", 46}, {"OCTET STRING", 47},     {"POSITIVE INTEGER VALUE", 48},
};
constexpr int kLastType = 48;

QString twoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

int BACnet_Object_Type(const QString &dataType)
{
    const QString key = Trim_Text(dataType).toUpper();
    for (const TypeName &t : kObjectTypes)
        if (key == QLatin1String(t.text)) return t.type;
    return 0;
}

TDescription_File EDE_File_Bytes()
{
    QString error;
    TParGen_Writer_Settings settings;
    if (ParGen_Read_Writer_Settings(ParGen_File, settings, &error) == TParGenLoad::Failed)
        return TDescription_File::Refused(error);
    const QString device = settings.BACnet_Device_Instance();
    const int nameLength = settings.BACnet_Desc_Chars_Limit ? 32 : 16;

    std::vector<TBACnet_EDE_Obj> objects;
    std::array<int, kLastType + 1> instance{};
    platform::XmlFile table;
    const TInput_File read = Read_Input_File(BACnet_Slave_SetAccess_File, table, &error);
    if (read == TInput_File::Failed) return TDescription_File::Refused(error);
    if (read == TInput_File::Loaded) {
        const pugi::xml_node root = First_Node(table);
        for (const char *group : {"BACnet_in_Read", "BACnet_in_Write"}) {
            for (const pugi::xml_node &row : Child_Elements(root.child(group))) {
                QString dataType, unit, mnemonic;
                if (!Required_Attribute(table, row, "Data_Type", dataType, &error)
                    || !Required_Attribute(table, row, "Eng_Unit", unit, &error)
                    || !Required_Attribute(table, row, "Mnemonic", mnemonic, &error))
                    return TDescription_File::Refused(error);
                const int type = BACnet_Object_Type(dataType);
                const QString number = QString::number(instance[size_t(type)]++);
                const QString name = mnemonic.left(nameLength);
                objects.push_back({device + QLatin1Char('_') + mnemonic + QLatin1Char('_') + number, device, name,
                                   QString::number(type), number, name, unit});
            }
        }
    }

    const QDateTime now = platform::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    TExport_Lines lines(platform::TextEncoding::Ansi);
    lines.Add(QStringLiteral("PROJECT_NAME; Velmar--") + Project_Name + QStringLiteral(";;;;;;"));
    lines.Add_Ascii("VERSION_OF_REFERENCEFILE;1.0;;;;;;");
    lines.Add(QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;%1:%2:%3 %4/%5/%6;;;;;;")
                  .arg(twoDigits(t.hour()), twoDigits(t.minute()), twoDigits(t.second()), twoDigits(d.day()),
                       twoDigits(d.month()), QString::number(d.year())));
    lines.Add_Ascii("AUTHOR_OF_LAST_CHANGE;Velmar;;;;;;");
    lines.Add_Ascii("VERSION_OF_LAYOUT;2;;;;;;");
    lines.Add_Ascii("# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;");
    lines.Add_Ascii("# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;");
    QString line;
    for (const TBACnet_EDE_Obj &o : objects) {
        line.clear();
        for (const QString *field : {&o.Keyname, &o.DevObjInstance, &o.ObjectName, &o.ObjectType, &o.ObjectInstance,
                                     &o.Description, &o.UnitCode}) {
            line += *field;
            line += QLatin1Char(';');
        }
        lines.Add(line);
    }
    TDescription_File file;
    file.Bytes = lines.Bytes();
    return file;
}

bool Write_EDE_File(const QString &FileName, QString *error)
{
    return Save_Description_File(EDE_File_Bytes(), FileName, error);
}

bool Create_EDE_File(const QString &FileName, QString *error) { return Write_EDE_File(FileName, error); }
