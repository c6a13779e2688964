#pragma once
// "IOLink_SetAccess.xml" as the description writers and the EtherCAT import read it: the channels in
// order, each with the attribute texts of its pin settings, variables, process-data records and
// events exactly as they stand in the file (a missing attribute reads as empty, "ReadPin2" as "N").
// It reads the saved file, never the channel table's decoded IODDs.
#include <QString>
#include <vector>

struct TChannel_File_Variable {
    QString Enable, On_Change, On_Timer, ReadTime, ReadPos, ReadBit, Position, Bit, Length, Name, VarType;
};

struct TChannel_File_Record {
    QString VarType, BitLength, Name, Position, Bit;
};

struct TChannel_File_Event {
    QString Enable, Name, Position, Bit;
};

struct TChannel_File_Channel {
    bool Has_IODD_File = false;  // the channel holds an "IODD_File" element
    // Attributes of "IODD_File".
    QString FileName, Pin4Mode, ReadPin2 = QStringLiteral("N"), Pin2Pos, Pin2Bit, Pin4Pos;
    bool Has_Variables = false;
    std::vector<TChannel_File_Variable> Variables;
    bool Has_ProcessData = false;
    bool Has_ProcessDataIn = false;
    bool Has_ProcessDataOut = false;
    std::vector<TChannel_File_Record> ProcessDataIn, ProcessDataOut;
    bool Has_Events = false;
    std::vector<TChannel_File_Event> Events;
};

enum class TChannel_File_Read { Missing, Loaded, Failed };

// Reads IOLink_SetAccess_File into channels (one per element child of "IO-Link_Channels", in order;
// none when that element is missing). Missing: no file. Failed (*error: the file, its line and why):
// not well-formed XML, or not a channel file.
TChannel_File_Read Read_IOLink_Channels(std::vector<TChannel_File_Channel> &channels, QString *error);
