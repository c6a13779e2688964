#include "protocols/USet_PDO_Access.h"

#include "grid/NovaColumnGrid.h"
#include "shell/UComon.h"
#include "shell/UGrid_Rows.h"

TCANopen_Table_Window::TCANopen_Table_Window(TTableDesc desc, QWidget *parent) : TTable_Window(parent)
{
    Build_Table(std::move(desc));
    sga = static_cast<TNovaColumnGrid *>(Grids[0]);
    sgb = static_cast<TNovaColumnGrid *>(Grids[1]);
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}

// The grids hide no column: the common routine moves exactly columns 1 .. ColCount-1.
void TCANopen_Table_Window::Delete_Row(int Row, TNovaColumnGrid *Grid) { ColGrid_Delete_Row(Row, Grid); }

void TCANopen_Table_Window::Delete_Table_Row(int Row, TNovaStringGrid *Grid)
{
    Delete_Row(Row, static_cast<TNovaColumnGrid *>(Grid));
}

TFSet_PDO_Access::TFSet_PDO_Access(QWidget *parent) : TCANopen_Table_Window(Set_PDO_Access_Table(*this), parent)
{
    setObjectName(QStringLiteral("FSet_PDO_Access"));
    TS_Receive_PDO = Tab_Sheets[0];
    TS_Transmit_PDO = Tab_Sheets[1];
}
