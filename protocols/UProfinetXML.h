#pragma once
// The PROFINET GSDML file (schema version 2.31) of the PROFINET gateway model: a fixed device access
// point and one module per IO-Link channel that carries data, with the channel's input and output
// byte counts taken from the saved IO-Link channel table and the channel count from the device
// variant in "ParGen.xml".
#include "protocols/UDescription_File.h"

#include <QStringList>
#include <vector>

// One channel slot: its byte ranges (Num = Max - Min; Max one past the last byte).
struct TDev_IOLink {
    bool Enable = false;
    bool En_ByteIn = false;
    int Num_ByteIn = 0, Min_ByteIn = 0, Max_ByteIn = 0;
    bool En_ByteOut = false;
    int Num_ByteOut = 0, Min_ByteOut = 0, Max_ByteOut = 0;
};

class TGSDML_Writer {
public:
    std::vector<TDev_IOLink> Dev_IOLink;
    int GSDML_Num_Channels = 0;
    QString GSDML_Device_Name, GSDML_Device_Code, GSDML_Device_ID;
    QStringList GSDML_Variants;  // the seven device-variant names

    // Reads ParGen_File and IOLink_SetAccess_File; false with *error when one cannot be read.
    bool Read_GSDML_Parameters(QString *error);
    // Fills the first Count records from the channel table; false with *error.
    bool Load_Dev_IOLink(int Count, QString *error);
    void Clear_Dev_IOLink();
    // The file's bytes (UTF-8 with its byte-order mark).
    QByteArray GSDML_Text() const;
};

// The file for the configuration as saved. Every call starts afresh.
TDescription_File GSDML_File_Bytes();
// Writes that file over FileName; false with *error when it is refused or cannot be written.
bool Write_GSDML_File(const QString &FileName, QString *error);
