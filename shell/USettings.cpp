#include "shell/USettings.h"

#include "platform/Files.h"
#include "platform/Xml.h"
#include "shell/UComon.h"

#include <QFile>
#include <QFileInfo>
#include <pugixml.hpp>

QString Settings_File_Path() { return Exe_Dir + QStringLiteral("/Fabricor.xml"); }

namespace {

void setDefaults()
{
    Project_Name.clear();
    Project_Path.clear();
    Last_IP_Address = kDefaultIPAddress;
    Language_Name = QStringLiteral("English");
    Opt_Enable_Internet = Opt_Enable_Update = false;
    Opt_Enable_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
}

} // namespace

SettingsRead Read_Settings(QString *error)
{
    setDefaults();
    const QString path = Settings_File_Path();
    if (!QFileInfo::exists(path)) return SettingsRead::Missing;

    pugi::xml_document doc;
    QString reason;
    if (!platform::readXmlFile(doc, path, platform::kXmlReadOptions, &reason)) {
        // The next save replaces the file: keep the unreadable one beside it so nothing is lost.
        const QString kept = path + QStringLiteral(".bad");
        QFile::remove(kept);
        const bool copied = QFile::copy(path, kept);
        if (error) {
            *error = reason + QLatin1Char('\n')
                     + (copied ? QStringLiteral("The file was kept as \"Fabricor.xml.bad\". ") : QString())
                     + QStringLiteral("The program starts with the default settings.");
        }
        return SettingsRead::Malformed;
    }

    // The document's first top-level node is the root, whatever its name.
    const pugi::xml_node root = doc.first_child();
    auto value = [&](const char *child, const char *grandchild, QString &out, const QString &def) {
        if (!platform::elementText(root.type() == pugi::node_element ? root.child(child).child(grandchild) : pugi::xml_node(), out))
            out = def;
    };
    value("lastproj", "projectname", Project_Name, QString());
    value("lastipadd", "ipaddress", Last_IP_Address, kDefaultIPAddress);
    value("lastlang", "language", Language_Name, QStringLiteral("English"));

    const pugi::xml_node internet = root.type() == pugi::node_element ? root.child("lastinternet") : pugi::xml_node();
    auto flag = [&](const char *name) {
        QString t;
        return platform::elementText(internet.child(name), t) && t == QLatin1String("1");
    };
    Opt_Enable_Internet = flag("enable_internet");
    Opt_Enable_Update = flag("enable_update");
    Opt_Enable_Jump_Field_Tables = flag("enable_jump_field_tables");
    Opt_Double_Click_Auto_Size = flag("Double_Click_Auto_Size");
    return SettingsRead::Read;
}

bool Write_Settings(QString *error)
{
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("Conf_Settings");
    auto add = [](pugi::xml_node parent, const char *name, const QString &text) {
        pugi::xml_node n = parent.append_child(name);
        if (!text.isEmpty()) n.text().set(platform::toXml(text).constData());
    };
    add(root.append_child("lastproj"), "projectname", Project_Name);
    add(root.append_child("lastipadd"), "ipaddress", Last_IP_Address);
    add(root.append_child("lastlang"), "language", Language_Name);
    pugi::xml_node internet = root.append_child("lastinternet");
    const QString one = QStringLiteral("1"), zero = QStringLiteral("0");
    add(internet, "enable_internet", Opt_Enable_Internet ? one : zero);
    add(internet, "enable_update", Opt_Enable_Update ? one : zero);
    add(internet, "enable_jump_field_tables", Opt_Enable_Jump_Field_Tables ? one : zero);
    add(internet, "Double_Click_Auto_Size", Opt_Double_Click_Auto_Size ? one : zero);
    return platform::saveXmlFile(doc, Settings_File_Path(), pugi::format_raw | pugi::format_no_declaration, "", error);
}
