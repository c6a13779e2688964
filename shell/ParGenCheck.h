#pragma once
// Data check of the communication parameters before "ParGen.xml" is written.
#include "shell/ParGenFile.h"

#include <QString>

// Which optional fields the window shows; the port fields are hidden in this model.
struct TParGenCheckShown {
    bool TCP_Port = false;
    bool UDP_Port = false;
};

// Text-table slot of the message of the first failing check, 0 when every check passes.
// Checks run in the window's order and stop at the first failure.
int ParGen_Check_Slot(const TParGenData &data, TParGenCheckShown shown = {});

// Message of the first failing check (from the text table), empty when every check passes.
QString ParGen_Check_Message(const TParGenData &data, TParGenCheckShown shown = {});

// True when the name holds a character outside "0"-"9", "A"-"Z", "a"-"z": the name is not allowed.
// The empty name is allowed (false).
bool Check_Device_Name(const QString &name);
