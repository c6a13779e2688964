#pragma once
// TFrameWindow: the frame every window but the About window shares.
//
//   +--------------------------------------------------+
//   | P_Title (69 high)                                |
//   |   L_SW_Code  (16, 8): SW_Code, large grey        |
//   |   L_SW_Desc  (16, 42): the window's title, bold  |
//   +--------------------------------------------------+
//   | P_Client: the window's own controls              |
//   +--------------------------------------------------+
//   | P_Button (40 high): Btn_OK  Btn_Cancel  [more]   |
//   +--------------------------------------------------+
//
// Background RGB(248, 247, 237), font Verdana 8 point, centred on the screen at each showing,
// single border with the system menu only. Give the client size with resize(w, h) (the whole
// client area, title and button panels included) and call setFixedSize() where the window may
// not be resized.
//
// Buttons: Btn_OK and Btn_Cancel are TLbButton push buttons of 110 x 28 with the program's
// look (Set_Button_Look), centred in the button panel by default (setButtonAlignment for
// left or right). addPanelButton() appends further buttons to the row.
//   - Btn_Cancel has ModalResult 2: it closes the dialog with QDialog::Rejected. Escape and the
//     close box do the same.
//   - Btn_OK runs Btn_OKClick(): OK_Check(), and when that answers true the dialog closes with
//     QDialog::Accepted. A window whose OK closes directly keeps the default OK_Check (true);
//     a window that checks and saves first overrides OK_Check (show the one error message and
//     answer false to stay open).
//
// Texts: Set_Lang() is the hook that applies the text table (captions, hints, L_SW_Desc). The
// frame never calls it; a derived window calls it at the end of its constructor, and the main
// window's language change calls it again later.
#include "shell/controls/LbButton.h"

#include <QDialog>

class QHBoxLayout;
class QLabel;

class TFrameWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTitleHeight = 69;
    static constexpr int kButtonPanelHeight = 40;
    static constexpr int kButtonWidth = 110;
    static constexpr int kButtonHeight = 28;
    static QColor backgroundColor() { return QColor(248, 247, 237); }

    explicit TFrameWindow(QWidget *parent = nullptr);

    // Applies the text table to the window's controls.
    virtual void Set_Lang() {}
    // The check that OK runs before closing; true closes with Accepted.
    virtual bool OK_Check() { return true; }
    // Handler of Btn_OK (called by its click).
    virtual void Btn_OKClick();

    // Gives a push button the look of the program's buttons: 110 x 28, bsEncarta, the
    // window colour as face, yellow hover, orange while pressed, grey light edge.
    static void Set_Button_Look(TLbButton *button);

    // Placement of the button row: Qt::AlignLeft, Qt::AlignHCenter (default) or Qt::AlignRight.
    void setButtonAlignment(Qt::Alignment a);
    // Appends a button (with the program's look) to the button row; the frame takes ownership.
    void addPanelButton(TLbButton *button);

    QWidget *P_Title = nullptr;
    QLabel *L_SW_Code = nullptr;
    QLabel *L_SW_Desc = nullptr;
    QWidget *P_Client = nullptr; // the window's own controls go here (own layout or positions)
    QWidget *P_Button = nullptr;
    TLbButton *Btn_OK = nullptr;
    TLbButton *Btn_Cancel = nullptr;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void layoutTitle();
    QHBoxLayout *m_buttonRow = nullptr;
    Qt::Alignment m_buttonAlignment = Qt::AlignHCenter;
};
