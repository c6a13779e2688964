#pragma once
// The CAN frames the gateway receives ("CAN_Rec_Frames.xml"): per frame its identifier and format,
// its length, a time-out and, per data byte, the position of the data area that takes it. Opened by
// the main window's "Receive Frames".
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The window data comes first: the description is built from it before the frame.
class TFReceiveCAN : public TReceiveCAN_State, public TTable_Window {
public:
    explicit TFReceiveCAN(QWidget *parent = nullptr);

    // Grid events.
    void NCG_CAN_ReceiveKeyPress(QObject *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void NCG_CAN_ReceiveDblClickCell(QObject *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void NCG_CAN_ReceiveGridHint(QObject *Sender, int ARow, int ACol, QString &hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }

    TNovaColumnGrid *NCG_CAN_Receive = nullptr;
};

// The window of the program, created at start (nullptr until then).
inline TFReceiveCAN *FReceiveCAN = nullptr;
