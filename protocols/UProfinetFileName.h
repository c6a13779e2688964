#pragma once
// The dialog that proposes the name of the PROFINET GSDML file: a fixed first part, the user's
// part and a fixed last part of the date (taken when the program starts) and ".xml".
#include "shell/TFrameWindow.h"

class QLabel;
class QLineEdit;

class TFProfinetFileName : public TFrameWindow {
    Q_OBJECT
public:
    explicit TFProfinetFileName(QWidget *parent = nullptr);

    void Set_Lang() override;
    // Builds Name_File_XML from the three parts and closes with OK.
    void Btn_OKClick() override;

    // The proposed name of the parts: fix1, the user part (as typed; characters no file name may
    // hold become "_") joined by "_" unless it starts with one, and fix2. A user part of blanks
    // only is left out.
    static QString Proposed_Name(const QString &fix1, const QString &user, const QString &fix2);

    QLabel *Label1 = nullptr;  // "Select the PROFINET XML File Name"
    QLabel *Label2 = nullptr;  // captions over the three parts
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *L_XML_Fix1 = nullptr;
    QLineEdit *E_XML_User = nullptr;
    QLabel *L_XML_Fix2 = nullptr;
    QString Name_File_XML;

private:
    void FormCreate();
    void layoutParts();
};

inline TFProfinetFileName *FProfinetFileName = nullptr;
