#pragma once
// The Modbus TCP master tables ("ModbusTCPM_SetAccess.xml"): the Modbus master rules with the slave's
// IPv4 address and TCP port. Created and translated only: no button of the main window opens it.
#include "protocols/USetAccess.h"

// The window data comes first: the description is built from it before the frame.
class TFModbus_TCP_Master_Set_Access : public TModbus_TCP_Master_State, public TModbus_Table_Window {
public:
    explicit TFModbus_TCP_Master_Set_Access(QWidget *parent = nullptr);

    // Grid events of both grids.
    void NCG_Modbus_ReadDblClickCell(QObject *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void NCG_Modbus_WriteKeyPress(QObject *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void NCG_Modbus_WriteGridHint(QObject *Sender, int ARow, int ACol, QString &hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }
};

// The window of the program, created at start (nullptr until then).
inline TFModbus_TCP_Master_Set_Access *FModbus_TCP_Master_Set_Access = nullptr;
