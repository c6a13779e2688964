#include "protocols/USNMP_Trap_Access.h"

#include "grid/NovaColumnGrid.h"
#include "shell/UComon.h"

#include <QTabWidget>

TFSNMP_Trap_Access::TFSNMP_Trap_Access(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FSNMP_Trap_Access"));
    Build_Table(SNMP_Trap_Table(*this));
    NCG_SNMP_Read = static_cast<TNovaColumnGrid *>(Grids[0]);
    NCG_SNMP_Write = static_cast<TNovaColumnGrid *>(Grids[1]);
    TS_SNMP_Read = Tab_Sheets[0];
    TS_SNMP_Write = Tab_Sheets[1];
    for (TNovaColumnGrid *g : {NCG_SNMP_Read, NCG_SNMP_Write}) {
        g->OnKeyPress = [this](QObject *s, QChar &k) { SGA_KeyPress(s, k); };
        g->OnDblClickCell = [this](QObject *s, int r, int c) { Grid_DblClickCell(s, r, c); };
        g->OnGridHint = [this](QObject *s, int r, int c, QString &h) { SGA_GridHint(s, r, c, h); };
    }
    L_SW_Code->setText(SW_Code);
    PageControl1->setCurrentWidget(TS_SNMP_Read);
    Set_Lang();
}

void TFSNMP_Trap_Access::NCG_SNMP_ReadCheckBoxClick(QObject *Sender, int ACol, int, bool)
{
    auto *g = static_cast<TNovaStringGrid *>(Sender);
    if (g->RealColIndex(ACol) == 1) Index_Row_Build(g);
}
