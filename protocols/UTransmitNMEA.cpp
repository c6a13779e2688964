#include "protocols/UTransmitNMEA.h"

TFTransmitNMEA::TFTransmitNMEA(QWidget *parent) : TJ1939_Table_Window(TransmitNMEA_Table(*this), parent)
{
    setObjectName(QStringLiteral("FTransmitNMEA"));
}
