#include "protocols/UEtherCATSlave_Group.h"

#include "grid/NovaColumnGrid.h"
#include "shell/UComon.h"

#include <QLabel>
#include <QTabWidget>

TFEtherCATSlave_Group::TFEtherCATSlave_Group(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FEtherCATSlave_Group"));
    Build_Table(EtherCAT_Slave_Group_Table(*this));
    NCG_Group_StoM = static_cast<TNovaColumnGrid *>(Grids[0]);
    NCG_Group_MtoS = static_cast<TNovaColumnGrid *>(Grids[1]);
    TS_SlaveToMaster = Tab_Sheets[0];
    TS_MasterToSlave = Tab_Sheets[1];
    for (TNovaColumnGrid *g : {NCG_Group_StoM, NCG_Group_MtoS})
        g->OnClickCell = [this](QObject *s, int r, int c) { NCG_Group_StoMClickCell(s, r, c); };
    L_SW_Code->setText(SW_Code);
    PageControl1->setCurrentWidget(TS_SlaveToMaster);
    Set_Lang();
}
