#pragma once
// The J1939 receive table ("J1939_Rec_Frames.xml"): the parameter groups the gateway takes from the
// bus and which of their bytes it keeps, up to 1440 bytes in all. Created and translated only: no
// button of the main window opens it.
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The frame of the J1939 and NMEA 2000 windows: one grid, sga.
class TJ1939_Table_Window : public TTable_Window {
    Q_OBJECT
public:
    TJ1939_Table_Window(TTableDesc desc, QWidget *parent);

    // The data check: false after showing the first failure's message.
    bool Controllo_Dati() { return Controllo_dati(); }

    TNovaColumnGrid *sga = nullptr;
};

// The window data comes first: the description is built from it before the frame.
class TFReceiveJ1939 : public TReceiveJ1939_State, public TJ1939_Table_Window {
public:
    explicit TFReceiveJ1939(QWidget *parent = nullptr);
};

// The window of the program, created at start (nullptr until then).
inline TFReceiveJ1939 *FReceiveJ1939 = nullptr;
