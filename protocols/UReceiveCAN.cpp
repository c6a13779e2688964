#include "protocols/UReceiveCAN.h"

#include "grid/NovaColumnGrid.h"
#include "shell/UComon.h"

TFReceiveCAN::TFReceiveCAN(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FReceiveCAN"));
    Build_Table(Receive_CAN_Table(*this));
    NCG_CAN_Receive = static_cast<TNovaColumnGrid *>(Grids[0]);
    NCG_CAN_Receive->OnKeyPress = [this](QObject *s, QChar &k) { NCG_CAN_ReceiveKeyPress(s, k); };
    NCG_CAN_Receive->OnDblClickCell = [this](QObject *s, int r, int c) { NCG_CAN_ReceiveDblClickCell(s, r, c); };
    NCG_CAN_Receive->OnGridHint = [this](QObject *s, int r, int c, QString &h) { NCG_CAN_ReceiveGridHint(s, r, c, h); };
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}
