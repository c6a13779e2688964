#include "protocols/UReceiveNMEA.h"

TFReceiveNMEA::TFReceiveNMEA(QWidget *parent) : TJ1939_Table_Window(ReceiveNMEA_Table(*this), parent)
{
    setObjectName(QStringLiteral("FReceiveNMEA"));
}
