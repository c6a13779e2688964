#pragma once
// Program-wide run-time state and the common routines every window shares.
#include <QString>
#include <QStringList>
#include <vector>

// ---- Run-time state -------------------------------------------------------------------------
// Folders (no trailing separator, except IOLink_StaDef_Dir which keeps its trailing "/").
inline QString Exe_Dir;
inline QString Master_Dir;
inline QString Projects_Dir;
inline QString Language_Dir;
inline QString IODD_Catalog_Dir;
inline QString IOLink_StaDef_Dir;

inline QString Project_Name;
inline QString Project_Path;
inline QString Main_Title;
inline QString SW_Code;
inline QString SW_Desc;

inline QString Last_IP_Address = QStringLiteral("192.168.2.205");
inline int Last_Update_Option = 0;
inline bool Last_Read_Back = true;
inline QString Language_Name = QStringLiteral("English");
inline bool Opt_Enable_Internet = false;
inline bool Opt_Enable_Update = false;
inline bool Opt_Enable_Jump_Field_Tables = false;
inline bool Opt_Double_Click_Auto_Size = false;

// Configuration file paths, computed by Set_Files from Project_Path.
inline QString ParGen_File;
inline QString IOLink_SetAccess_File;
inline QString ModbusM_SetAccess_File;
inline QString ModbusTCPM_SetAccess_File;
inline QString BACnet_Slave_SetAccess_File;
inline QString CAN_Rec_Frames_File;
inline QString CAN_Send_Frames_File;
inline QString SDO_Server_CANopen_File;
inline QString SDO_Client_CANopen_File;
inline QString PDO_CANopen_File;
inline QString J1939_Rec_Frames_File;
inline QString J1939_Send_Frames_File;
inline QString NMEA_Rec_Frames_File;
inline QString NMEA_Send_Frames_File;
inline QString SNMP_Trap_File;
inline QString MQTT_Set_Topic_File;
inline QString NMEA_0183_Set_Access_File;
inline QString EtherCAT_Slave_File;
inline QString EtherCAT_Slave_Group_File;

inline QStringList Row_Clipboard;
inline std::vector<bool> Row_Clipboard_Check;
inline QStringList MIB_Read_Desc;
inline QStringList MIB_Write_Desc;

// Fixed identity of this build.
inline const QString kMainTitle = QStringLiteral("Velmar - Configurator CF41520 - IO-Link / Modbus Slave ");
inline const QString kSWCode = QStringLiteral("CF41520");
inline const QString kSWDesc = QStringLiteral("IO-Link / Modbus Slave - Converter");
inline const QString kSWVersion = QStringLiteral("1.103");
inline const QString kDefaultIPAddress = QStringLiteral("192.168.2.205");

// ---- Common routines ------------------------------------------------------------------------

// Removes every character of code 32 or less at both ends.
QString Trim_Text(const QString &s);

// The one text-to-integer conversion of the program: leading blanks, optional sign, decimal digits or
// hexadecimal digits after "$", "x", "X", "0x", "0X", nothing after the digits, 32 bits.
// Empty or invalid text yields def.
int StrToIntDef(const QString &text, int def);
// Same, reporting success instead of taking a default.
bool TryStrToInt(const QString &text, int &value);
// The same conversion at 64 bits (hexadecimal up to sixteen significant digits).
bool TryStrToInt64(const QString &text, qint64 &value);
qint64 StrToInt64Def(const QString &text, qint64 def);

bool Split_IP_Address(const QString &text, QString &o1, QString &o2, QString &o3, QString &o4);
QStringList Get_COM_Port_List();
QChar Get_Decimal_Separator();
// A decimal number written with the given decimal separator (no thousands separators, blanks around
// allowed); the second form uses the user's decimal separator.
bool TryStrToFloat(const QString &text, QChar decimal, double &value);
bool TryStrToFloat(const QString &text, double &value);
bool Convert_Str_To_Float(const QString &text, QChar separator, float &value);
QString Get_Device_Code();
QString Get_Device_ID();

// Sets Exe_Dir and the five program folders beside it, creating the missing ones (one level).
void Init_Program_Dirs(const QString &exeDir);
// Recomputes the nineteen configuration file paths from Project_Path.
void Set_Files();
// True when name is one plain folder name that stays inside PROJECTS and is valid on any desktop.
bool Is_Plain_Project_Name(const QString &name);
// Project_Path := the folder of Project_Name under Projects_Dir when it exists (and the name is a
// plain folder name), else empty. Returns whether a configuration is open.
bool Reopen_Last_Project();
