#include "protocols/USet_SDO_Server_Access.h"

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(QWidget *parent)
    : TCANopen_Table_Window(Set_SDO_Server_Access_Table(*this), parent)
{
    setObjectName(QStringLiteral("FSet_SDO_Server_Access"));
    TS_SDO_Read = Tab_Sheets[0];
    TS_SDO_Write = Tab_Sheets[1];
}
