#pragma once
// The NMEA 2000 receive table ("NMEA_Rec_Frames.xml"): the parameter groups the gateway takes from
// the bus (single frames, fast packets or the transport protocol) and which of their bytes it keeps,
// up to 512 bytes in all. Created and translated only: no button of the main window opens it.
#include "protocols/UReceiveJ1939.h"

// The window data comes first: the description is built from it before the frame.
class TFReceiveNMEA : public TReceiveNMEA_State, public TJ1939_Table_Window {
public:
    explicit TFReceiveNMEA(QWidget *parent = nullptr);
};

// The window of the program, created at start (nullptr until then).
inline TFReceiveNMEA *FReceiveNMEA = nullptr;
