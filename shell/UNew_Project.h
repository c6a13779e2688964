#pragma once
// Step 1: creating a configuration, a folder under PROJECTS with its "bin" folder.
#include "shell/TFrameWindow.h"

class QLabel;
class QLineEdit;

class TFNew_Project : public TFrameWindow {
    Q_OBJECT
public:
    explicit TFNew_Project(QWidget *parent = nullptr);

    void Set_Lang() override;
    // Checks the typed name and creates the configuration; closes with OK on success, otherwise shows
    // the matching error and stays open.
    void Btn_OKClick() override;

    QLabel *Label1 = nullptr;
    QLineEdit *E_New_Proj = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Why a name cannot become a configuration folder: the text slot of the dialog's message, or 0 when
// the name may be created. Looks at PROJECTS for a folder of the same name (whatever its letter case).
int New_Project_Name_Error(const QString &name);

inline TFNew_Project *FNew_Project = nullptr;
