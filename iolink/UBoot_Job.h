#pragma once
// The update job: "Ethernet_Update.xml" beside the program, read by the external update tool
// "Ethernet_Update.exe", which sends the images it names to the device.
#include <QString>
#include <pugixml.hpp>

struct TUpdate_Job {
    QString IP_Address;   // the device, dotted
    int Option = 0;       // 0 firmware and configuration, 1 firmware only, 2 configuration only
    bool Read_Back = true;
    QString Master_Dir;   // firmware and web-page images
    QString Project_Path; // the configuration, whose "bin" folder holds the images
};

inline const QString kUpdate_Job_Name = QStringLiteral("Ethernet_Update.xml");
inline const QString kUpdate_Tool_Name = QStringLiteral("Ethernet_Update.exe");

// Replaces doc's content by the job.
void Build_Update_Job(pugi::xml_document &doc, const TUpdate_Job &job);
// Builds the job in doc and writes it whole to path (no declaration, no indentation); false with
// *error when the file cannot be written (an older job stays as it was).
bool Save_Update_Job(pugi::xml_document &doc, const TUpdate_Job &job, const QString &path, QString *error = nullptr);
