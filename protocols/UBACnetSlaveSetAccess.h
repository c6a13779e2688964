#pragma once
// The BACnet object tables of the BACnet gateway model ("BACnet_Slave_SetAccess.xml"): the objects
// the gateway presents, each with its type, engineering unit, place in the data area and name, on
// two tab sheets (input-side and output-side types). Opened by the main window's "Set BACnet Access".
// A double click in an Eng. Unit cell opens the unit picker; choosing a type in the write table fills
// in its Length.
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The window data comes first: the description is built from it before the frame.
class TFBACnetSlaveSetAccess : public TBACnet_Slave_State, public TTable_Window {
public:
    explicit TFBACnetSlaveSetAccess(QWidget *parent = nullptr);

    // OK: the frame's check-and-save path.
    void bitbtn1Click();
    void Btn_OKClick() override { bitbtn1Click(); }
    void Btn_DelRow_Click() { Btn_DelRowClick(); }
    // A double click: in column 2 the unit picker for that cell; then, as everywhere, the column's
    // auto-size on a title.
    void NCG_BACnet_in_ReadDblClickCell(QObject *Sender, int ARow, int ACol);
    void NCG_BACnet_in_WriteDblClickCell(QObject *Sender, int ARow, int ACol);
    // A type chosen in the write table: its Length.
    void NCG_BACnet_in_WriteComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection);

    TNovaColumnGrid *NCG_BACnet_in_Read = nullptr;
    TNovaColumnGrid *NCG_BACnet_in_Write = nullptr;
    QWidget *TS_BACnet_in_Read = nullptr;
    QWidget *TS_BACnet_in_Write = nullptr;

private:
    void Eng_Unit_Pick(TNovaStringGrid *grid, int ARow, int ACol);
};

// The window of the program, created at start (nullptr until then).
inline TFBACnetSlaveSetAccess *FBACnetSlaveSetAccess = nullptr;
