#pragma once
// The NMEA 2000 transmit table ("NMEA_Send_Frames.xml", whose root is named like the receive file's):
// the parameter groups the gateway sends, their data bytes (up to 512 in all) and what sends them.
// Created and translated only: no button of the main window opens it.
#include "protocols/UReceiveJ1939.h"

// The window data comes first: the description is built from it before the frame.
class TFTransmitNMEA : public TTransmitNMEA_State, public TJ1939_Table_Window {
public:
    explicit TFTransmitNMEA(QWidget *parent = nullptr);
};

// The window of the program, created at start (nullptr until then).
inline TFTransmitNMEA *FTransmitNMEA = nullptr;
