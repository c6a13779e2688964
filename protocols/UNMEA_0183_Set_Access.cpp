#include "protocols/UNMEA_0183_Set_Access.h"

#include "grid/NovaColumnGrid.h"
#include "protocols/UNMEA_0183_Objects_Map.h"
#include "shell/UComon.h"

TFNMEA_0183_Set_Access::TFNMEA_0183_Set_Access(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FNMEA_0183_Set_Access"));
    Build_Table(NMEA_0183_Listener_Table(*this));
    sga = static_cast<TNovaColumnGrid *>(Grids[0]);
    sga->OnDblClickCell = [this](QObject *s, int r, int c) { sgaDblClickCell(s, r, c); };
    sga->OnKeyPress = [this](QObject *s, QChar &k) { sgaKeyPress(s, k); };
    sga->OnGridHint = [this](QObject *s, int r, int c, QString &h) { sgaGridHint(s, r, c, h); };
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}

void TFNMEA_0183_Set_Access::Enable_Index_Cell() { Enable_Index_Cell(*sga); }

void TFNMEA_0183_Set_Access::sgaComboChange(QObject *Sender, int ACol, int ARow, int, const QString &ASelection)
{
    if (Sender != sga || ACol != kListenerSentenceCol || ARow < 1) return;
    const int index = Find_Sentence(ASelection);
    sga->SetReadOnly(kListenerIndexCol, ARow, index != kNMEA0183_XDR && index != kNMEA0183_PJELA);
}

void TFNMEA_0183_Set_Access::Row_Button_Done(TRowButton button, TNovaStringGrid *)
{
    if (button != TRowButton::Copy) Enable_Index_Cell();
}
