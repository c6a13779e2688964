#pragma once
// The groups of the EtherCAT slave's variables ("EtherCAT_Slave_Group.xml"): per direction a list of
// named groups, each taking a number of the enabled variables in order. The variable window reads the
// file at each showing. Opened by the main window's hidden "EtherCAT Set Group".
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The window data comes first: the description is built from it before the frame.
class TFEtherCATSlave_Group : public TEtherCAT_Slave_Group_State, public TTable_Window {
public:
    explicit TFEtherCATSlave_Group(QWidget *parent = nullptr);

    // A click in either grid: column 0 selects the row.
    void NCG_Group_StoMClickCell(QObject *Sender, int ARow, int ACol) { ClickCell(Sender, ARow, ACol); }

    TNovaColumnGrid *NCG_Group_StoM = nullptr;
    TNovaColumnGrid *NCG_Group_MtoS = nullptr;
    QWidget *TS_SlaveToMaster = nullptr;
    QWidget *TS_MasterToSlave = nullptr;
};

// The window of the program, created at start (nullptr until then).
inline TFEtherCATSlave_Group *FEtherCATSlave_Group = nullptr;
