#pragma once
// The NMEA 0183 listener table ("NMEA_0183_Set_Access.xml"): which sentence the gateway takes from
// which serial channel, with an instance index for "XDR" and "$PJELA". The channels switched off in
// "ParGen.xml" are not offered. Created and translated only: no button of the main window opens it.
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The window data comes first: the description is built from it before the frame.
class TFNMEA_0183_Set_Access : public TNMEA_0183_Listener_State, public TTable_Window {
public:
    explicit TFNMEA_0183_Set_Access(QWidget *parent = nullptr);

    using TNMEA_0183_Listener_State::Enable_Index_Cell;
    // The Index cells of the grid follow the rows' sentences.
    void Enable_Index_Cell();

    // Grid events.
    void sgaDblClickCell(QObject *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void sgaKeyPress(QObject *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void sgaGridHint(QObject *Sender, int ARow, int ACol, QString &hintstr) { GridHint(Sender, ARow, ACol, hintstr); }
    // A sentence chosen: the row's Index cell editable for "XDR" and "$PJELA" only.
    void sgaComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection);
    void ComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &ASelection) override
    {
        sgaComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    }

    TNovaColumnGrid *sga = nullptr;

protected:
    // Delete, Insert and Paste move rows: the Index cells follow them.
    void Row_Button_Done(TRowButton button, TNovaStringGrid *grid) override;
};

// The window of the program, created at start (nullptr until then).
inline TFNMEA_0183_Set_Access *FNMEA_0183_Set_Access = nullptr;
