#pragma once
// The Modbus master tables of the serial-line models ("ModbusM_SetAccess.xml"): rules that read
// coils, inputs or registers of a slave into the input data area, and rules that write coils or
// holding registers from the output data area. Opened by the main window's "Modbus Set Access".
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The frame both Modbus windows share: a read grid and a write grid on two tab sheets.
class TModbus_Table_Window : public TTable_Window {
    Q_OBJECT
public:
    TModbus_Table_Window(TTableDesc desc, QWidget *parent);

    TNovaColumnGrid *NCG_Modbus_Read = nullptr;
    TNovaColumnGrid *NCG_Modbus_Write = nullptr;
    QWidget *TS_Modbus_Read = nullptr;
    QWidget *TS_Modbus_Write = nullptr;
};

// The window data comes first: the description is built from it before the frame.
class TFSetAccess : public TModbus_Master_State, public TModbus_Table_Window {
public:
    explicit TFSetAccess(QWidget *parent = nullptr);

    // OK: the frame's check-and-save path.
    void bitbtn1Click();
    void Btn_OKClick() override { bitbtn1Click(); }
    void Btn_InsertRowClick() { Btn_InsRowClick(); }
    // Grid events of both grids.
    void NCG_Modbus_ReadDblClickCell(QObject *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void NCG_Modbus_ReadKeyPress(QObject *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void NCG_Modbus_ReadGridHint(QObject *Sender, int ARow, int ACol, QString &hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }
    // A topic chosen in the read grid: the row's remembered topic index.
    void ComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection) override;
};

// The window of the program, created at start (nullptr until then).
inline TFSetAccess *FSetAccess = nullptr;
