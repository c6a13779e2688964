#pragma once
// The SNMP trap tables ("SNMP_Trap.xml"): the values the gateway offers to SNMP managers and sends as
// traps, and the values managers write into it. Column 0 counts the enabled rows only. Opened by the
// main window's "Set SNMP Access".
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The window data comes first: the description is built from it before the frame.
class TFSNMP_Trap_Access : public TSNMP_Trap_State, public TTable_Window {
public:
    explicit TFSNMP_Trap_Access(QWidget *parent = nullptr);

    // Grid events of both grids.
    void SGA_KeyPress(QObject *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void Grid_DblClickCell(QObject *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void SGA_GridHint(QObject *Sender, int ARow, int ACol, QString &hintstr) { GridHint(Sender, ARow, ACol, hintstr); }
    // An Enable box clicked: that grid renumbered.
    void NCG_SNMP_ReadCheckBoxClick(QObject *Sender, int ACol, int ARow, bool State);
    void CheckBoxClick(QObject *Sender, int ACol, int ARow, bool State) override
    {
        NCG_SNMP_ReadCheckBoxClick(Sender, ACol, ARow, State);
    }

    TNovaColumnGrid *NCG_SNMP_Read = nullptr;
    TNovaColumnGrid *NCG_SNMP_Write = nullptr;
    QWidget *TS_SNMP_Read = nullptr;
    QWidget *TS_SNMP_Write = nullptr;
};

// The window of the program, created at start (nullptr until then).
inline TFSNMP_Trap_Access *FSNMP_Trap_Access = nullptr;
