#pragma once
// The SNMP MIB module of the SNMP gateway model: a fixed module frame with one object per enabled
// read row and per enabled write row of the saved SNMP tables, and one trap per enabled read row,
// each named after the row's Description. The lines keep the gateway's own layout (not strict SMIv2).
#include "protocols/UDescription_File.h"

#include <QString>
#include <functional>
#include <vector>

// Per collected object of each group: its Type is "Int" (INTEGER) rather than a string. As many
// entries as objects, so a file with more rows than the tables hold still fits.
inline std::vector<bool> MIB_Read_Is_Int;
inline std::vector<bool> MIB_Write_Is_Int;

// True for a name that the module defines itself ("identity", "bufferinblk3", "trapval12", ...): an
// object of that name would be defined twice.
bool MIB_Reserved_Name(const QString &name);

// The SNMP window's data check applied to the rows as saved in the file: the message of the first
// failure, or empty when the rows pass.
using TSNMP_Saved_Check = std::function<QString(const platform::XmlFile &file)>;
// The check the export runs: the SNMP window's own data check over the rows as saved (a Description
// that is a reserved name included), or the reason the file cannot be loaded into its tables.
QString Check_Saved_SNMP_Rows(const platform::XmlFile &file);

// Fills MIB_Read_Desc, MIB_Write_Desc and the Int flags from SNMP_Trap_File after check passed
// over it. False with *error when the file cannot be read or the check fails (the lists are then
// empty). No file: empty lists.
bool Read_SNMP_Traps(const TSNMP_Saved_Check &check, QString *error);
// The module's text from the lists.
QByteArray MIB_Text();

// The file for the configuration as saved.
TDescription_File MIB_File_Bytes(const TSNMP_Saved_Check &check = Check_Saved_SNMP_Rows);
// Writes the module from the lists over FileName; false with *error when it cannot be written.
bool Write_MIB_File(const QString &FileName, QString *error);
