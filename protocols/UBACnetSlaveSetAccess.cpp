#include "protocols/UBACnetSlaveSetAccess.h"

#include "grid/NovaColumnGrid.h"
#include "protocols/UBACnet_Eng_Unit.h"
#include "shell/UComon.h"
#include "shell/UGrid_Rows.h"

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FBACnetSlaveSetAccess"));
    Build_Table(BACnet_Slave_Table(*this));
    NCG_BACnet_in_Read = static_cast<TNovaColumnGrid *>(Grids[0]);
    NCG_BACnet_in_Write = static_cast<TNovaColumnGrid *>(Grids[1]);
    TS_BACnet_in_Read = Tab_Sheets[0];
    TS_BACnet_in_Write = Tab_Sheets[1];
    NCG_BACnet_in_Read->OnDblClickCell = [this](QObject *s, int r, int c) { NCG_BACnet_in_ReadDblClickCell(s, r, c); };
    NCG_BACnet_in_Write->OnDblClickCell = [this](QObject *s, int r, int c) { NCG_BACnet_in_WriteDblClickCell(s, r, c); };
    NCG_BACnet_in_Write->OnComboChange = [this](QObject *s, int c, int r, int i, QString t) {
        NCG_BACnet_in_WriteComboChange(s, c, r, i, t);
    };
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}

void TFBACnetSlaveSetAccess::bitbtn1Click() { TTable_Window::Btn_OKClick(); }

void TFBACnetSlaveSetAccess::Eng_Unit_Pick(TNovaStringGrid *grid, int ARow, int ACol)
{
    TFBACnet_Eng_Unit *picker = FBACnet_Eng_Unit;
    if (!picker || grid->RealColIndex(ACol) != kBACnetEngUnitCol) return;
    // An editor opened by the first click would write its old text over the picked code.
    grid->HideInplaceEdit();
    const QString cell = grid->Cells(kBACnetEngUnitCol, ARow);
    picker->E_Selected_EU->setText(cell);
    picker->Label5->setText(QStringLiteral("-> ") + TFBACnet_Eng_Unit::Desc_Unit(StrToIntDef(cell, -1)));
    if (picker->exec() == QDialog::Accepted) grid->SetCells(kBACnetEngUnitCol, ARow, picker->E_Selected_EU->text());
}

void TFBACnetSlaveSetAccess::NCG_BACnet_in_ReadDblClickCell(QObject *Sender, int ARow, int ACol)
{
    Eng_Unit_Pick(NCG_BACnet_in_Read, ARow, ACol);
    Grid_AutoSize_Col(static_cast<TNovaStringGrid *>(Sender), ARow, ACol);
}

void TFBACnetSlaveSetAccess::NCG_BACnet_in_WriteDblClickCell(QObject *Sender, int ARow, int ACol)
{
    Eng_Unit_Pick(NCG_BACnet_in_Write, ARow, ACol);
    Grid_AutoSize_Col(static_cast<TNovaStringGrid *>(Sender), ARow, ACol);
}

void TFBACnetSlaveSetAccess::NCG_BACnet_in_WriteComboChange(QObject *, int ACol, int ARow, int, const QString &ASelection)
{
    if (ACol != kBACnetTypeCol || ARow < 1) return;
    const QString length = BACnet_Write_Length(ASelection);
    if (!length.isEmpty()) NCG_BACnet_in_Write->SetCells(kBACnetLengthCol, ARow, length);
}
