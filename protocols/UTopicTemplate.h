#pragma once
// The editor of one MQTT topic or payload template: a text over a legend of the keywords a template
// may hold between two "$". The MQTT tables open it on a Template cell and take the text back on OK;
// the editor itself neither checks nor changes the text.
#include "shell/TFrameWindow.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QSplitter;
class TNovaStringGrid;

class TFTopicTemplate : public TFrameWindow {
    Q_OBJECT
public:
    explicit TFTopicTemplate(QWidget *parent = nullptr);

    void Set_Lang() override;
    // The caption for a template or a topic, the legend filled, the focus in the text.
    void FormShow();
    // The legend: one row per keyword (editable) with its description (read-only); one empty row
    // when there is none.
    void Laod_Keywords();
    // The text exactly as it stands in the editor, line breaks as "\n".
    QString Template_Text() const;

    bool TopicTemplate = false; // set by the caller: the text is a template (else a topic)
    // The keywords of the legend and their descriptions (of equal length; none in this program).
    QStringList List_Keywords;
    QStringList List_Keywords_Desc;

    QWidget *Panel1 = nullptr;
    QPlainTextEdit *RE_TopicTemplate = nullptr;
    QSplitter *Splitter1 = nullptr;
    QWidget *P_Legend = nullptr;
    QLabel *L_List_Keywords = nullptr;
    TNovaStringGrid *NSG_Keywords = nullptr;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void FormCreate();
};

// The window of the program, created at start (nullptr until then).
inline TFTopicTemplate *FTopicTemplate = nullptr;
