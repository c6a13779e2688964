#include "protocols/UMQTT_Set_Topic.h"

#include "grid/NovaColumnGrid.h"
#include "protocols/UTopicTemplate.h"
#include "shell/UComon.h"
#include "shell/UGrid_Rows.h"

#include <QPlainTextEdit>

TFMQTT_Set_Topic::TFMQTT_Set_Topic(QWidget *parent) : TTable_Window(parent)
{
    setObjectName(QStringLiteral("FMQTT_Set_Topic"));
    Build_Table(MQTT_Set_Topic_Table(*this));
    NCG_Pub = static_cast<TNovaColumnGrid *>(Grids[0]);
    NCG_Sub = static_cast<TNovaColumnGrid *>(Grids[1]);
    TS_MQTT_Publish = Tab_Sheets[0];
    TS_MQTT_Subscribe = Tab_Sheets[1];
    for (TNovaColumnGrid *g : {NCG_Pub, NCG_Sub}) {
        g->OnKeyPress = [this](QObject *s, QChar &k) { NCG_MQTT_KeyPress(s, k); };
        g->OnGridHint = [this](QObject *s, int r, int c, QString &h) { NCG_MQTT_GridHint(s, r, c, h); };
    }
    L_SW_Code->setText(SW_Code);
    Set_Lang();
}

void TFMQTT_Set_Topic::NCG_MQTT_DblClickCell(QObject *Sender, int ARow, int ACol)
{
    auto *g = static_cast<TNovaStringGrid *>(Sender);
    Grid_AutoSize_Col(g, ARow, ACol);
    const int templateCol = g == NCG_Pub ? kMQTTPubTemplateCol : kMQTTSubTemplateCol;
    const int col = g->RealColIndex(g->Col());
    if (col == templateCol && g->Row() >= 1) Show_Form_Topic(g, g->Row(), col);
}

void TFMQTT_Set_Topic::Show_Form_Topic(QObject *Sender, int ARow, int ACol)
{
    if (!FTopicTemplate) return;
    auto *g = static_cast<TNovaStringGrid *>(Sender);
    g->HideInplaceEdit(); // what was typed into the cell belongs to it first
    FTopicTemplate->TopicTemplate = true;
    FTopicTemplate->RE_TopicTemplate->clear();
    FTopicTemplate->RE_TopicTemplate->setPlainText(g->Cells(ACol, ARow));
    if (FTopicTemplate->exec() == QDialog::Accepted) g->SetCells(ACol, ARow, FTopicTemplate->Template_Text());
}
