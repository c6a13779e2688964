#include "protocols/UTransmitJ1939.h"

TFTransmitJ1939::TFTransmitJ1939(QWidget *parent) : TJ1939_Table_Window(TransmitJ1939_Table(*this), parent)
{
    setObjectName(QStringLiteral("FTransmitJ1939"));
}
