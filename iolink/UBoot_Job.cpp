#include "iolink/UBoot_Job.h"

#include "platform/Files.h"

namespace {

// The two controllers answer at different addresses for the integrity word and the internal data.
struct TCss_Set {
    const char *address_css, *command_css, *wid_address, *wid_command, *wid_data;
};
constexpr TCss_Set kSetA{"0x07A00", "0x02", "0x07810", "0x02", "0x00, 0x00, 0x00, 0x01"};
constexpr TCss_Set kSetB{"0x78100", "0x0B", "0x78200", "0x0B", ""};

struct TOperation {
    QString file;
    const char *start_address;
    const char *bank_type; // "1" firmware and web pages, "2" configuration images
    const TCss_Set &set;
    bool write_css;
    bool go_to_app_after;
};

void text(pugi::xml_node parent, const char *name, const char *value)
{
    pugi::xml_node e = parent.append_child(name);
    if (*value) e.text().set(value);
}

void text(pugi::xml_node parent, const char *name, const QString &value)
{
    text(parent, name, platform::toXml(value).constData());
}

void addOperation(pugi::xml_node operations, const TOperation &op, bool readBack)
{
    pugi::xml_node o = operations.append_child("Operation");
    text(o, "Ope_Protection_Enabled", "");
    text(o, "Ope_GoToBoot_Before", "0");
    text(o, "Ope_GoToApp_Before", "0");
    text(o, "Ope_IP_Address", "");
    text(o, "Ope_Port", "2008");
    text(o, "Ope_Port_Sec", "2007");
    text(o, "Ope_Erase_Memory", "0");
    text(o, "Ope_FileName", op.file);
    text(o, "Ope_Start_Address", op.start_address);
    text(o, "Ope_Memory_Type", "0");
    text(o, "Ope_Bank_Type", op.bank_type);
    text(o, "Ope_Read_Back", readBack ? "1" : "0");
    text(o, "Ope_Write_CSS", op.write_css ? "1" : "0");
    text(o, "Ope_Address_CSS", op.set.address_css);
    text(o, "Ope_Command_CSS", op.set.command_css);
    text(o, "Ope_Write_Internal_Data", "0");
    text(o, "Ope_WID_Address", op.set.wid_address);
    text(o, "Ope_WID_Command", op.set.wid_command);
    text(o, "Ope_WID_Data", op.set.wid_data);
    text(o, "Ope_GoToApp_After", op.go_to_app_after ? "1" : "0");
}

} // namespace

void Build_Update_Job(pugi::xml_document &doc, const TUpdate_Job &job)
{
    doc.reset();
    const bool firmware = job.Option == 0 || job.Option == 1;
    const bool configuration = job.Option == 0 || job.Option == 2;
    // With the firmware alone, the web pages are the last image sent and bring the device back.
    const bool webPagesLast = job.Option == 1;
    const QString master = job.Master_Dir + QLatin1Char('/');
    const QString bin = job.Project_Path + QStringLiteral("/bin/");

    pugi::xml_node root = doc.append_child("Ethernet_Update");
    text(root, "Version", "1000");
    text(root, "Title", "Velmar - CF41520 Ethernet Update");
    text(root, "IP_Address_Dev", job.IP_Address);
    text(root, "Application_Port", "10000");
    text(root, "Boot_Port", "2008");
    text(root, "Boot_Port_Sec", "2007");
    text(root, "Address_Protection", "0x07800");
    text(root.append_child("Protections"), "Protection", "0x1E9"); // the device type

    pugi::xml_node main = root.append_child("Operations");
    if (firmware) {
        addOperation(main, {master + "Sim41520.sim", "0x8000", "1", kSetA, true, false}, job.Read_Back);
        addOperation(main, {master + "web_files_io_link.bin", "0xC0000", "1", kSetA, false, webPagesLast},
                     job.Read_Back);
    }
    if (configuration) {
        addOperation(main, {bin + "bank1.bin", "0x07000", "2", kSetA, false, false}, job.Read_Back);
        addOperation(main, {bin + "bank2.bin", "0x80000", "2", kSetA, false, true}, job.Read_Back);
    }

    pugi::xml_node esp = root.append_child("ESP32");
    text(esp, "Address_Protection", "0x7800");
    pugi::xml_node espOps = esp.append_child("Operations");
    if (firmware) {
        addOperation(espOps, {master + "Sim41520_ESP32.sim", "0x110000", "1", kSetB, false, false}, job.Read_Back);
        addOperation(espOps, {master + "web_files_io_link.bin", "0x350000", "1", kSetB, false, webPagesLast},
                     job.Read_Back);
    }
    if (configuration) {
        // The ESP32 takes its configuration images with the main controller's integrity values.
        addOperation(espOps, {bin + "bank1_ESP32.bin", "0x09000", "2", kSetA, false, false}, job.Read_Back);
        addOperation(espOps, {bin + "bank2_ESP32.bin", "0x310000", "2", kSetA, false, true}, job.Read_Back);
    }
}

bool Save_Update_Job(pugi::xml_document &doc, const TUpdate_Job &job, const QString &path, QString *error)
{
    Build_Update_Job(doc, job);
    return platform::saveXmlFile(doc, path, pugi::format_raw | pugi::format_no_declaration, "", error);
}
