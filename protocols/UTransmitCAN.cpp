#include "protocols/UTransmitCAN.h"

#include "grid/NovaColumnGrid.h"
#include "shell/UComon.h"

TFTransmitCAN::TFTransmitCAN(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FTransmitCAN"));
    Build_Table(Transmit_CAN_Table(*this));
    NCG_CAN_Transmit = static_cast<TNovaColumnGrid *>(Grids[0]);
    NCG_CAN_Transmit->OnKeyPress = [this](QObject *s, QChar &k) { NCG_CAN_TransmitKeyPress(s, k); };
    NCG_CAN_Transmit->OnDblClickCell = [this](QObject *s, int r, int c) { NCG_CAN_TransmitDblClickCell(s, r, c); };
    NCG_CAN_Transmit->OnGridHint = [this](QObject *s, int r, int c, QString &h) { NCG_CAN_TransmitGridHint(s, r, c, h); };
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}
