#pragma once
// The settings file "Fabricor.xml" beside the program.
#include <QString>

enum class SettingsRead {
    Missing,   // no file: defaults
    Read,      // values taken (missing elements gave their defaults)
    Malformed, // not well-formed XML: defaults; the file is kept as "Fabricor.xml.bad", *error says so
};

QString Settings_File_Path();

// Reads the settings into the run-time state (Project_Name, Last_IP_Address, Language_Name and the
// four option flags). Every value is looked up on its own and falls back to its default.
SettingsRead Read_Settings(QString *error = nullptr);

// Rewrites the settings file whole from the run-time state. False (with *error) when it cannot
// be written; the old file is then left as it was.
bool Write_Settings(QString *error = nullptr);
