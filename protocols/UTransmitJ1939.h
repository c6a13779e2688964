#pragma once
// The J1939 transmit table ("J1939_Send_Frames.xml"): the parameter groups the gateway sends, their
// data bytes (up to 512 in all) and what sends them: a request, a change of the data, a timer.
// Created and translated only: no button of the main window opens it.
#include "protocols/UReceiveJ1939.h"

// The window data comes first: the description is built from it before the frame.
class TFTransmitJ1939 : public TTransmitJ1939_State, public TJ1939_Table_Window {
public:
    explicit TFTransmitJ1939(QWidget *parent = nullptr);
};

// The window of the program, created at start (nullptr until then).
inline TFTransmitJ1939 *FTransmitJ1939 = nullptr;
