#include "protocols/UReceiveJ1939.h"

#include "grid/NovaColumnGrid.h"
#include "shell/UComon.h"

TJ1939_Table_Window::TJ1939_Table_Window(TTableDesc desc, QWidget *parent) : TTable_Window(parent)
{
    Build_Table(std::move(desc));
    sga = static_cast<TNovaColumnGrid *>(Grids[0]);
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}

TFReceiveJ1939::TFReceiveJ1939(QWidget *parent) : TJ1939_Table_Window(ReceiveJ1939_Table(*this), parent)
{
    setObjectName(QStringLiteral("FReceiveJ1939"));
}
