#pragma once
// The options dialog: interface language, internet options, table behaviours, and the version check.
#include "shell/TFrameWindow.h"
#include "shell/USoftOptions_Version.h"

#include <QStringList>

class QCheckBox;
class QLabel;
class QTabWidget;
class TClickLabel;

class TFSoftOptions : public TFrameWindow {
    Q_OBJECT
public:
    explicit TFSoftOptions(QWidget *parent = nullptr);

    void Set_Lang() override;
    void FormShow();
    // SL_Languages := the language files (sorted, case-insensitive); shows page 1.
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    // Handler of Btn_Next and Btn_Prev.
    void Btn_NextClick(QObject *Sender);
    // A click on language slot 1 to 6 of the page shown.
    void LangClick(int slot);
    void Update_CheckBox();
    void CB_En_ConClick();
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString &Link);
    void Btn_OKClick() override;
    // True when the maker's web server announces a newer version than this program's.
    bool Check_Version();

    int Show_Page = 1;
    QStringList SL_Languages;
    QString Language_In_Use;

    QTabWidget *PC_Options = nullptr;
    QWidget *TS_Language = nullptr;
    QWidget *TS_Con_Options = nullptr;
    QWidget *TS_Soft_Settings = nullptr;
    QLabel *L_Sel_Lang = nullptr;
    TClickLabel *I_L[6] = {};
    TClickLabel *L_L[6] = {};
    QAbstractButton *Btn_Prev = nullptr;
    QLabel *L_Page_Lang = nullptr;
    QAbstractButton *Btn_Next = nullptr;
    QCheckBox *CB_En_Con = nullptr;
    QCheckBox *CB_Update = nullptr;
    QAbstractButton *Btn_Check_Update = nullptr;
    QLabel *LL_Check_Update = nullptr;
    QCheckBox *CB_Soft_Set_Jump_Table = nullptr;
    QCheckBox *CB_DoubleClick_Auto_Size = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    int pageCount() const;
};

inline TFSoftOptions *FSoftOptions = nullptr;
