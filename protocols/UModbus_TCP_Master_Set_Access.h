#pragma once
// The Modbus TCP master tables ("ModbusTCPM_SetAccess.xml"): the Modbus master rules with the slave's
// IPv4 address and TCP port. Created and translated only: no button of the main window opens it.
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

class TFModbus_TCP_Master_Set_Access : public TTable_Window, public TModbus_TCP_Master_State {
    Q_OBJECT
public:
    explicit TFModbus_TCP_Master_Set_Access(QWidget *parent = nullptr);

    // Grid events of both grids.
    void NCG_Modbus_ReadDblClickCell(QObject *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void NCG_Modbus_WriteKeyPress(QObject *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void NCG_Modbus_WriteGridHint(QObject *Sender, int ARow, int ACol, QString &hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }

    TNovaColumnGrid *NCG_Modbus_Read = nullptr;
    TNovaColumnGrid *NCG_Modbus_Write = nullptr;
    QWidget *TS_Modbus_Read = nullptr;
    QWidget *TS_Modbus_Write = nullptr;

private:
    void FormCreate();
};

// The window of the program, created at start (nullptr until then).
inline TFModbus_TCP_Master_Set_Access *FModbus_TCP_Master_Set_Access = nullptr;
