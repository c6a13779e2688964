#pragma once
// The CAN frames the gateway sends ("CAN_Send_Frames.xml"): per frame its identifier and format, its
// length, when it is sent (a data byte changed, a command, a timer with its period) and, per data
// byte, the position of the data area that supplies it. Opened by the main window's "Send Frames".
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The window data comes first: the description is built from it before the frame.
class TFTransmitCAN : public TTransmitCAN_State, public TTable_Window {
public:
    explicit TFTransmitCAN(QWidget *parent = nullptr);

    // Grid events.
    void NCG_CAN_TransmitKeyPress(QObject *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void NCG_CAN_TransmitDblClickCell(QObject *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void NCG_CAN_TransmitGridHint(QObject *Sender, int ARow, int ACol, QString &hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }

    TNovaColumnGrid *NCG_CAN_Transmit = nullptr;
};

// The window of the program, created at start (nullptr until then).
inline TFTransmitCAN *FTransmitCAN = nullptr;
