#include "protocols/UModbus_TCP_Master_Set_Access.h"

#include "grid/NovaColumnGrid.h"

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(QWidget *parent)
    : TModbus_Table_Window(Modbus_TCP_Master_Table(*this), parent)
{
    setObjectName(QStringLiteral("FModbus_TCP_Master_Set_Access"));
    for (TNovaColumnGrid *g : {NCG_Modbus_Read, NCG_Modbus_Write}) {
        g->OnDblClickCell = [this](QObject *s, int r, int c) { NCG_Modbus_ReadDblClickCell(s, r, c); };
        g->OnKeyPress = [this](QObject *s, QChar &k) { NCG_Modbus_WriteKeyPress(s, k); };
        g->OnGridHint = [this](QObject *s, int r, int c, QString &h) { NCG_Modbus_WriteGridHint(s, r, c, h); };
    }
}
