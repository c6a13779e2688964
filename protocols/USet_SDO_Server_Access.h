#pragma once
// The CANopen SDO server tables ("SDO_Server_CANopen.xml"): the objects of the gateway's own object
// dictionary that a CANopen master may read ("SDO in Read") or write ("SDO in Write"), each with its
// index, sub-index, size and the data-area position of each byte. Opened by the main window's
// "Set SDO Server".
#include "protocols/USet_PDO_Access.h"

// The window data comes first: the description is built from it before the frame.
class TFSet_SDO_Server_Access : public TSet_SDO_Server_Access_State, public TCANopen_Table_Window {
public:
    explicit TFSet_SDO_Server_Access(QWidget *parent = nullptr);

    QWidget *TS_SDO_Read = nullptr;
    QWidget *TS_SDO_Write = nullptr;
};

// The window of the program, created at start (nullptr until then).
inline TFSet_SDO_Server_Access *FSet_SDO_Server_Access = nullptr;
