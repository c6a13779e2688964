#include "protocols/UBACnet_EDE_File.h"

#include "iolink/UIO_Link_Channel_File.h"
#include "platform/Clock.h"
#include "shell/ParGenFile.h"
#include "shell/UComon.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <cstring>

namespace {

struct EdeTypeName {
    const char *text;
    int type;
};
// BACnetObjectType numbers of the table texts.
constexpr EdeTypeName kObjectTypes[] = {
    {"ANALOG INPUT", 0},       {"ANALOG OUT", 1},         {"ANALOG VALUE", 2},      {"BINARY INPUT", 3},
    {"BINARY OUT", 4},         {"BINARY VALUE", 5},       {"MULTI STATE INPUT", 13}, {"MULTI STATE OUTPUT", 14},
    {"MULTI STATE VALUE", 19}, {"LIFE SAFETY POINT", 21}, {"LIFE SAFETY ZONE", 22}, {"ACCUMULATOR", 23},
    {"ACCESS DOOR", 30},       {"CHARACTERSTRING VALUE", 40}, {"DATETIME VALUE", 44}, {"INTEGER VALUE", 45},
    {"LARGE ANALOG VALUE", 46}, {"OCTET STRING", 47},     {"POSITIVE INTEGER VALUE", 48},
};
constexpr int kEdeLastType = 48;

QString edeTwoDigits(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

int BACnet_Object_Type(const QString &dataType)
{
    const QString key = Trim_Text(dataType).toUpper();
    for (const EdeTypeName &t : kObjectTypes)
        if (key == QLatin1String(t.text)) return t.type;
    return 0;
}

namespace {

// The same for the attribute's UTF-8 text as the file holds it; ASCII is compared in place (a
// table row is read once per export), anything else the long way.
int objectTypeOf(const char *text)
{
    const char *b = text;
    const char *e = text + std::strlen(text);
    while (b < e && uchar(*b) <= 32) ++b;
    while (e > b && uchar(e[-1]) <= 32) --e;
    for (const char *p = b; p < e; ++p)
        if (uchar(*p) >= 0x80) return BACnet_Object_Type(QString::fromUtf8(text));
    const size_t n = size_t(e - b);
    for (const EdeTypeName &t : kObjectTypes)
        if (std::strlen(t.text) == n && qstrnicmp(b, t.text, qsizetype(n)) == 0) return t.type;
    return 0;
}

// The decimal digits of v, in out's own room (QByteArray::setNum goes a long way round per row).
void edeSetNumber(QByteArray &out, int v)
{
    char digits[16];
    const std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, v);
    const auto n = qsizetype(r.ptr - digits);
    out.resize(n);
    std::memcpy(out.data(), digits, size_t(n));
}

// A piece of an object's line: a field or a separator.
struct EdePiece {
    EdePiece(QByteArrayView v) : text(v) {}
    EdePiece(const QByteArray &v) : text(v) {}
    EdePiece(const char &c) : text(&c, 1) {}
    QByteArrayView text;
};

// out becomes the pieces one after the other, sized once and filled in place.
void edeJoin(QByteArray &out, std::initializer_list<EdePiece> pieces)
{
    qsizetype n = 0;
    for (const EdePiece &p : pieces) n += p.text.size();
    out.resize(n);
    char *at = out.data();
    for (const EdePiece &p : pieces) {
        if (p.text.isEmpty()) continue;
        std::memcpy(at, p.text.data(), size_t(p.text.size()));
        at += p.text.size();
    }
}

} // namespace

TDescription_File EDE_File_Bytes()
{
    QString error;
    TParGen_Writer_Settings settings;
    if (ParGen_Read_Writer_Settings(ParGen_File, settings, &error) == TParGenLoad::Failed)
        return TDescription_File::Refused(error);
    const QByteArray device = settings.BACnet_Device_Instance().toUtf8();
    const int nameLength = settings.BACnet_Desc_Chars_Limit ? 32 : 16;
    platform::XmlFile table;
    const TInput_File read = Read_Input_File(BACnet_Slave_SetAccess_File, table, &error);
    if (read == TInput_File::Failed) return TDescription_File::Refused(error);

    const QDateTime now = platform::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    TExport_Lines lines(platform::TextEncoding::Ansi);
    lines.Add(QStringLiteral("PROJECT_NAME; Velmar--") + Project_Name + QStringLiteral(";;;;;;"));
    lines.Add_Ascii("VERSION_OF_REFERENCEFILE;1.0;;;;;;");
    lines.Add(QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;%1:%2:%3 %4/%5/%6;;;;;;")
                  .arg(edeTwoDigits(t.hour()), edeTwoDigits(t.minute()), edeTwoDigits(t.second()), edeTwoDigits(d.day()),
                       edeTwoDigits(d.month()), QString::number(d.year())));
    lines.Add_Ascii("AUTHOR_OF_LAST_CHANGE;Velmar;;;;;;");
    lines.Add_Ascii("VERSION_OF_LAYOUT;2;;;;;;");
    lines.Add_Ascii("# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;");
    lines.Add_Ascii("# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;");
    if (read == TInput_File::Missing) return {lines.Bytes(), QString()};

    // One object at a time, straight from the file's texts into its line (the tables hold
    // thousands of rows): the object's buffers keep their room from row to row.
    std::array<int, kEdeLastType + 1> instance{};
    lines.Reserve(qsizetype(table.text().size() / 2));
    TBACnet_EDE_Obj o;
    o.DevObjInstance = device;
    QByteArray line;
    const pugi::xml_node root = First_Node(table);
    for (const char *group : {"BACnet_in_Read", "BACnet_in_Write"}) {
        for (const pugi::xml_node &row : Child_Elements(root.child(group))) {
            const pugi::xml_attribute dataType = row.attribute("Data_Type"), unit = row.attribute("Eng_Unit"),
                                      mnemonic = row.attribute("Mnemonic");
            QString ignored;
            if ((!dataType && !Required_Attribute(table, row, "Data_Type", ignored, &error))
                || (!unit && !Required_Attribute(table, row, "Eng_Unit", ignored, &error))
                || (!mnemonic && !Required_Attribute(table, row, "Mnemonic", ignored, &error)))
                return TDescription_File::Refused(error);
            const int type = objectTypeOf(dataType.value());
            edeSetNumber(o.ObjectType, type);
            edeSetNumber(o.ObjectInstance, instance[size_t(type)]++);
            const char *m = mnemonic.value();
            const qsizetype mLength = qsizetype(std::strlen(m));
            o.ObjectName.resize(0);
            if (std::all_of(m, m + mLength, [](char c) { return uchar(c) < 0x80; }))
                o.ObjectName.append(m, std::min<qsizetype>(mLength, nameLength));
            else
                o.ObjectName = QString::fromUtf8(m, mLength).left(nameLength).toUtf8();
            o.Description = o.ObjectName;
            o.UnitCode.resize(0);
            o.UnitCode.append(unit.value());
            edeJoin(o.Keyname, {device, '_', QByteArrayView(m, mLength), '_', o.ObjectInstance});
            edeJoin(line, {o.Keyname, ';', o.DevObjInstance, ';', o.ObjectName, ';', o.ObjectType, ';', o.ObjectInstance, ';',
                           o.Description, ';', o.UnitCode, ';'});
            lines.Add_Utf8(line);
        }
    }
    return {lines.Bytes(), QString()};
}

bool Write_EDE_File(const QString &FileName, QString *error)
{
    return Save_Description_File(EDE_File_Bytes(), FileName, error);
}

bool Create_EDE_File(const QString &FileName, QString *error) { return Write_EDE_File(FileName, error); }
