#pragma once
// The About window: the product's identity and version, with links to the maker's home page.
#include <QDialog>
#include <QLabel>

class QAbstractButton;

// A label that reports a left click (the web-address labels and the About picture).
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit TClickLabel(QWidget *parent = nullptr);
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);

    void FormShow();
    // Opens the maker's home page (Label4 and Image2).
    void Label4Click();

    TClickLabel *Image2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label12 = nullptr;
    TClickLabel *Label4 = nullptr;
    QAbstractButton *LbButton1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
};

inline TFAbout *FAbout = nullptr;
