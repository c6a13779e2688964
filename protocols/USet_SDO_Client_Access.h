#pragma once
// The CANopen SDO client tables ("SDO_Client_CANopen.xml"): the objects the gateway reads from other
// CANopen devices ("SDO Read": device, index, sub-index, size, poll period and the data-area position
// of each byte) and those it writes ("SDO Write": the same, whether a change of the data writes too,
// and the position that supplies each byte). Opened by the main window's "Set SDO Client".
#include "protocols/USet_PDO_Access.h"

// The window data comes first: the description is built from it before the frame.
class TFSet_SDO_Client_Access : public TSet_SDO_Client_Access_State, public TCANopen_Table_Window {
public:
    explicit TFSet_SDO_Client_Access(QWidget *parent = nullptr);

    QWidget *TS_SDO_Read = nullptr;
    QWidget *TS_SDO_Write = nullptr;
};

// The window of the program, created at start (nullptr until then).
inline TFSet_SDO_Client_Access *FSet_SDO_Client_Access = nullptr;
