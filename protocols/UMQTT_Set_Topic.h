#pragma once
// The MQTT topic tables ("MQTT_Set_Topic.xml"): the topics the gateway publishes and those it
// subscribes to, each tied to a place in the data area. A double click on a Template cell edits the
// template in the topic template editor.
#include "protocols/UTable_Window.h"
#include "protocols/UTables.h"

class TNovaColumnGrid;

// The window data comes first: the description is built from it before the frame.
class TFMQTT_Set_Topic : public TMQTT_Set_Topic_State, public TTable_Window {
public:
    explicit TFMQTT_Set_Topic(QWidget *parent = nullptr);

    // Grid events of both grids.
    void NCG_MQTT_KeyPress(QObject *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void NCG_MQTT_GridHint(QObject *Sender, int ARow, int ACol, QString &hintstr) { GridHint(Sender, ARow, ACol, hintstr); }
    // The column sized (on a title), then, when the grid's current cell is a Template cell, that cell
    // edited in the template editor.
    void NCG_MQTT_DblClickCell(QObject *Sender, int ARow, int ACol);
    void DblClickCell(QObject *Sender, int ARow, int ACol) override { NCG_MQTT_DblClickCell(Sender, ARow, ACol); }
    // Edits the cell (real column ACol) of the grid Sender in the template editor; OK takes its text.
    void Show_Form_Topic(QObject *Sender, int ARow, int ACol);

    TNovaColumnGrid *NCG_Pub = nullptr;
    TNovaColumnGrid *NCG_Sub = nullptr;
    QWidget *TS_MQTT_Publish = nullptr;
    QWidget *TS_MQTT_Subscribe = nullptr;
};

// The window of the program, created at start (nullptr until then).
inline TFMQTT_Set_Topic *FMQTT_Set_Topic = nullptr;
