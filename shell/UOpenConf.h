#pragma once
// Step 1: choosing an existing configuration from the folders under PROJECTS.
#include "shell/TFrameWindow.h"

#include <QStringList>

class QLabel;
class QListWidget;

class TFOpenConf : public TFrameWindow {
    Q_OBJECT
public:
    explicit TFOpenConf(QWidget *parent = nullptr);

    void Set_Lang() override;
    // Rebuilds the list from PROJECTS and preselects the open configuration (else the first entry).
    void FormShow();
    // SL := the configuration folders directly inside PROJECTS.
    void Load_Existing_Configuration();
    // Index of the first entry of SL equal to snc ignoring the case of ASCII letters, or -1.
    int Search_Open_Conf(const QString &snc) const;
    void ListBox1Click();
    // Closes with OK when the chosen configuration still exists (or none is offered); a configuration
    // that vanished meanwhile is never handed back: the list is rebuilt instead.
    void Btn_OKClick() override;

    QStringList SL;
    QString Name_Conf;

    QLabel *Label1 = nullptr;
    QListWidget *ListBox1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

inline TFOpenConf *FOpenConf = nullptr;
