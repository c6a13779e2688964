#pragma once
// The BACnet EDE file: the semicolon-separated object list that BACnet engineering tools import.
// One line per object of the saved BACnet tables after a fixed header; objects are numbered per
// object type across both tables.
#include "protocols/UDescription_File.h"

#include <QString>

// One object line, its seven fields in file order (UTF-8 texts, as the table file holds them).
struct TBACnet_EDE_Obj {
    QByteArray Keyname, DevObjInstance, ObjectName, ObjectType, ObjectInstance, Description, UnitCode;
};

// The BACnet object type of a table's "Data_Type" text (compared trimmed and in upper case); 0 for
// a text the list does not hold.
int BACnet_Object_Type(const QString &dataType);

// The file for the configuration as saved: device settings from ParGen_File, objects from
// BACnet_Slave_SetAccess_File, the time stamp from the clock. Every call starts afresh.
TDescription_File EDE_File_Bytes();
// Writes that file over FileName; false with *error when it is refused or cannot be written.
bool Write_EDE_File(const QString &FileName, QString *error);
bool Create_EDE_File(const QString &FileName, QString *error);
