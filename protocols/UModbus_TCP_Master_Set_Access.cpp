#include "protocols/UModbus_TCP_Master_Set_Access.h"

#include "grid/NovaColumnGrid.h"
#include "shell/UComon.h"

TFModbus_TCP_Master_Set_Access::TFModbus_TCP_Master_Set_Access(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FModbus_TCP_Master_Set_Access"));
    FormCreate();
}

void TFModbus_TCP_Master_Set_Access::FormCreate()
{
    Build_Table(Modbus_TCP_Master_Table(*this));
    NCG_Modbus_Read = static_cast<TNovaColumnGrid *>(Grids[0]);
    NCG_Modbus_Write = static_cast<TNovaColumnGrid *>(Grids[1]);
    TS_Modbus_Read = Tab_Sheets[0];
    TS_Modbus_Write = Tab_Sheets[1];
    for (TNovaColumnGrid *g : {NCG_Modbus_Read, NCG_Modbus_Write}) {
        g->OnDblClickCell = [this](QObject *s, int r, int c) { NCG_Modbus_ReadDblClickCell(s, r, c); };
        g->OnKeyPress = [this](QObject *s, QChar &k) { NCG_Modbus_WriteKeyPress(s, k); };
        g->OnGridHint = [this](QObject *s, int r, int c, QString &h) { NCG_Modbus_WriteGridHint(s, r, c, h); };
    }
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}
