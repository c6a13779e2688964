#include "protocols/USetAccess.h"

#include "grid/NovaColumnGrid.h"
#include "shell/UComon.h"

TModbus_Table_Window::TModbus_Table_Window(TTableDesc desc, QWidget *parent) : TTable_Window(parent)
{
    Build_Table(std::move(desc));
    NCG_Modbus_Read = static_cast<TNovaColumnGrid *>(Grids[0]);
    NCG_Modbus_Write = static_cast<TNovaColumnGrid *>(Grids[1]);
    TS_Modbus_Read = Tab_Sheets[0];
    TS_Modbus_Write = Tab_Sheets[1];
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}

TFSetAccess::TFSetAccess(QWidget *parent) : TModbus_Table_Window(Modbus_Master_Table(*this), parent)
{
    setObjectName(QStringLiteral("FSetAccess"));
    for (TNovaColumnGrid *g : {NCG_Modbus_Read, NCG_Modbus_Write}) {
        g->OnDblClickCell = [this](QObject *s, int r, int c) { NCG_Modbus_ReadDblClickCell(s, r, c); };
        g->OnKeyPress = [this](QObject *s, QChar &k) { NCG_Modbus_ReadKeyPress(s, k); };
        g->OnGridHint = [this](QObject *s, int r, int c, QString &h) { NCG_Modbus_ReadGridHint(s, r, c, h); };
    }
}

void TFSetAccess::bitbtn1Click() { TTable_Window::Btn_OKClick(); }

void TFSetAccess::ComboChange(QObject *Sender, int ACol, int ARow, int AItemIndex, const QString &)
{
    if (Sender == NCG_Modbus_Read && ACol == kModbusReadTopicCol && ARow >= 1
        && ARow <= int(ComboItem_Topic.size()))
        ComboItem_Topic[size_t(ARow - 1)] = AItemIndex;
}
