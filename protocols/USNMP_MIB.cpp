#include "protocols/USNMP_MIB.h"

#include "iolink/UIO_Link_Channel_File.h"
#include "platform/Files.h"
#include "protocols/UTables.h"
#include "protocols/UWriter_Constants.h"
#include "shell/UComon.h"

namespace {

const char *const kSnmpGroups[] = {"SNMP_Trap_Read", "SNMP_Trap_Write"};

bool snmpRowEnabled(const pugi::xml_node &row) { return QString::fromUtf8(row.attribute("Enable").value()).toUpper() == QLatin1String("Y"); }

// A name followed by one or more decimal digits.
bool mibNumberedName(const QString &name, QLatin1String stem)
{
    if (name.size() <= stem.size() || !name.startsWith(stem)) return false;
    for (qsizetype i = stem.size(); i < name.size(); ++i)
        if (name[i] < QLatin1Char('0') || name[i] > QLatin1Char('9')) return false;
    return true;
}

} // namespace

bool MIB_Reserved_Name(const QString &name)
{
    static const QStringList fixed = [] {
        QStringList l{QStringLiteral("identity"), QStringLiteral("velmar"),     QStringLiteral("gateway"),
                      QStringLiteral("application"), QStringLiteral("data"),    QStringLiteral("hellostring"),
                      QStringLiteral("countin"),  QStringLiteral("countout"),   QStringLiteral("bufferin"),
                      QStringLiteral("bufferinval"), QStringLiteral("bufferout"), QStringLiteral("bufferoutval"),
                      QStringLiteral("traps"),    QStringLiteral("trapsval")};
        for (int k = 1; k <= 8; ++k)
            l << QStringLiteral("bufferinblk%1").arg(k) << QStringLiteral("bufferoutblk%1").arg(k);
        return l;
    }();
    if (fixed.contains(name)) return true;
    for (const char *stem : {"bufferinval", "bufferoutval", "trapval"})
        if (mibNumberedName(name, QLatin1String(stem))) return true;
    return false;
}

QString Check_Saved_SNMP_Rows(const platform::XmlFile &file)
{
    TSNMP_Trap_State state;
    return Table_Check_File(SNMP_Trap_Table(state), file);
}

bool Read_SNMP_Traps(const TSNMP_Saved_Check &check, QString *error)
{
    MIB_Read_Desc.clear();
    MIB_Write_Desc.clear();
    MIB_Read_Is_Int.clear();
    MIB_Write_Is_Int.clear();
    platform::XmlFile file;
    const TInput_File read = Read_Input_File(SNMP_Trap_File, file, error);
    if (read != TInput_File::Loaded) return read == TInput_File::Missing;
    if (check) {
        const QString failure = check(file);
        if (!failure.isEmpty()) {
            if (error) *error = failure;
            return false;
        }
    }
    const pugi::xml_node root = First_Node(file);
    QStringList *lists[] = {&MIB_Read_Desc, &MIB_Write_Desc};
    std::vector<bool> *flags[] = {&MIB_Read_Is_Int, &MIB_Write_Is_Int};
    for (int g = 0; g < 2; ++g) {
        for (const pugi::xml_node &r : Child_Elements(root.child(kSnmpGroups[g]))) {
            if (!snmpRowEnabled(r)) continue;
            flags[g]->push_back(QString::fromUtf8(r.attribute("Type").value()).toUpper() == QLatin1String("INT"));
            lists[g]->append(QString::fromUtf8(r.attribute("Description").value()));
        }
    }
    return true;
}

QByteArray MIB_Text()
{
    using namespace writer_constants;
    TExport_Lines out(platform::TextEncoding::Ansi);
    for (const char *line : {"GATEWAY DEFINITIONS ::= BEGIN", "IMPORTS", "       MODULE-IDENTITY,OBJECT-TYPE",
                             "         FROM SNMPv2-SMI", "         DisplayString, TimeStamp", "         FROM SNMPv2-TC",
                             "         enterprises", "         FROM RFC1155-SMI;", "", "identity MODULE-IDENTITY",
                             "    LAST-UPDATED \"201701310000Z\""})
        out.Add_Ascii(line);
    out.Add(QStringLiteral("    ORGANIZATION \"") + kWebHost + QLatin1Char('"'));
    out.Add_Ascii("    CONTACT-INFO");
    out.Add(QStringLiteral("\t \"") + kStreetLine);
    out.Add(QStringLiteral("    ") + kTownLine);
    out.Add(QStringLiteral("    ") + kCountryLine);
    out.Add(QStringLiteral("    email:    ") + kMailDomain + QLatin1Char('"'));
    for (const char *line : {"    DESCRIPTION", "\t\"MIB objects for agent module \"", "    REVISION     \"201701310000Z\"",
                             "    DESCRIPTION", "\t\"Corrected notification \"", "    REVISION     \"200202060000Z\"",
                             "    DESCRIPTION", "\t\"First draft\"", "    ::= { velmar 2 }"})
        out.Add_Ascii(line);
    out.Add(QStringLiteral("velmar          OBJECT IDENTIFIER ::= { enterprises %1 }").arg(kEnterpriseNumber));
    for (const char *line :
         {"gateway OBJECT IDENTIFIER::= { velmar 1 }", "application OBJECT IDENTIFIER::= { gateway 1 }",
          "data OBJECT IDENTIFIER::= { application 1 }",
          "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 1}",
          "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 2}",
          "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION \"\" ::= { data 3}",
          "bufferin OBJECT IDENTIFIER::= { data 4 }"})
        out.Add_Ascii(line);

    auto syntax = [](const std::vector<bool> &flags, qsizetype i) {
        return size_t(i) < flags.size() && flags[size_t(i)] ? QLatin1String("INTEGER") : QLatin1String("OCTET STRING");
    };
    auto buffer = [&](const char *dir, const char *access, const QStringList &desc, const std::vector<bool> &flags) {
        for (int k = 1; k <= 8; ++k)
            out.Add(QStringLiteral("buffer%1blk%2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS %3 STATUS current DESCRIPTION "
                                   "\"data block n.%2\" ::= { buffer%1 %2 }")
                        .arg(QLatin1String(dir)).arg(k).arg(QLatin1String(access)));
        out.Add(QStringLiteral(" buffer%1val OBJECT IDENTIFIER::= { buffer%1 9 }").arg(QLatin1String(dir)));
        for (qsizetype i = 0; i < desc.size(); ++i) {
            const QString n = QString::number(i + 1);
            const QString &d = desc[i];
            const QString name = d.isEmpty() ? QStringLiteral("buffer%1val").arg(QLatin1String(dir)) + n : d;
            out.Add(name + QLatin1String(" OBJECT-TYPE SYNTAX ") + syntax(flags, i) + QLatin1String(" MAX-ACCESS ")
                    + QLatin1String(access) + QLatin1String(" STATUS current DESCRIPTION \"") + d
                    + QStringLiteral("\" ::= { buffer%1val ").arg(QLatin1String(dir)) + n + QLatin1String(" }"));
        }
    };
    buffer("in", "read-only", MIB_Read_Desc, MIB_Read_Is_Int);
    out.Add_Ascii("bufferout OBJECT IDENTIFIER::= { data 5 }");
    buffer("out", "read-write", MIB_Write_Desc, MIB_Write_Is_Int);
    out.Add_Ascii("traps OBJECT IDENTIFIER::= { application 2 }");
    out.Add_Ascii(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
    for (qsizetype i = 0; i < MIB_Read_Desc.size(); ++i) {
        const QString n = QString::number(i + 1);
        out.Add(QLatin1String("trapval") + n + QLatin1String(" NOTIFICATION-TYPE SYNTAX ") + syntax(MIB_Read_Is_Int, i)
                + QLatin1String(" MAX-ACCESS read-only STATUS current DESCRIPTION \"") + MIB_Read_Desc[i]
                + QLatin1String("\" ::= { trapsval ") + n + QLatin1String(" }"));
    }
    out.Add_Ascii("END");
    return out.Bytes();
}

TDescription_File MIB_File_Bytes(const TSNMP_Saved_Check &check)
{
    QString error;
    if (!Read_SNMP_Traps(check, &error)) return TDescription_File::Refused(error);
    TDescription_File file;
    file.Bytes = MIB_Text();
    return file;
}

bool Write_MIB_File(const QString &FileName, QString *error)
{
    return platform::writeFileAtomic(FileName, MIB_Text(), error);
}
