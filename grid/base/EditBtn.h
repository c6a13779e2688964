#pragma once
// Single-line edit with a push button inside its right edge, and the variant whose button
// picks a unit shown between the text and the button. The grid's edit-with-button
// in-place editors derive from these.
#include <QAbstractButton>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "grid/base/EditorKit.h"
#include "grid/base/MaskEdit.h"

class TNsgEditButton;

// The painted push button of the holder.
class TNovaSpeedButton : public editorkit::SpeedButton {
public:
    explicit TNovaSpeedButton(TNsgEditButton *owner);

    bool Hot() const { return PointerOver(); }

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    TNsgEditButton *FOwner;
    bool FPressed = false;
};

// A windowed holder of one speed button, for an edit: the button fills it; glyph, glyph count and
// caption are the button's; the focus control is the edit the holder serves. The edit with a button
// and the drop-down edits hold their buttons this way.
class TSpeedButtonHolder : public QWidget, public editorkit::ButtonColors {
public:
    QWidget *FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget *w) { FFocusControl = w; }
    QImage Glyph() const { return FHeld->Glyph(); }
    void SetGlyph(const QImage &g) { FHeld->SetGlyph(g); }
    int NumGlyphs() const { return FHeld->NumGlyphs(); }
    void SetNumGlyphs(int n) { FHeld->SetNumGlyphs(n); }
    QString ButtonCaption() const { return FHeld->text(); }
    void SetButtonCaption(const QString &c) { FHeld->setText(c); }

    editorkit::NotifyEvent OnClick;

protected:
    explicit TSpeedButtonHolder(QWidget *parent) : QWidget(parent) {}
    // The button made by the holder's constructor.
    void SetHeldButton(editorkit::SpeedButton *b) { FHeld = b; }

private:
    editorkit::SpeedButton *FHeld = nullptr;
    QPointer<QWidget> FFocusControl;
};

class TNsgEditButton : public TSpeedButtonHolder {
public:
    explicit TNsgEditButton(QWidget *parent = nullptr);

    TNovaSpeedButton *Button() const { return FButton; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool v) { setFocusPolicy(v ? Qt::TabFocus : Qt::NoFocus); }

    // The left button went up after a press on the button.
    void ButtonReleased();

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    TNovaSpeedButton *FButton;
    bool FFlat = false;
};

class TNsgEditBtn : public TNovaMaskEdit {
public:
    explicit TNsgEditBtn(QWidget *parent = nullptr);

    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool v);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int w);
    QString ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const QString &c) { FButton->SetButtonCaption(c); }
    QImage Glyph() const { return FButton->Glyph(); }
    void SetGlyph(const QImage &g) { FButton->SetGlyph(g); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int n) { FButton->SetNumGlyphs(n); }
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    TNsgEditButton *Button() const { return FButton; }

    int MinHeight() const override;
    // The text area, in widget coordinates.
    QRect EditRect() const;

    // Fired by the button (sender: the holder) and by F4 (sender: the edit).
    virtual void EditButtonClick(QObject *sender);
    editorkit::NotifyEvent OnClickBtn;

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void WMChar(QChar &ch, const QKeyEvent *e) override;
    bool CanChangeByClipboard() const override { return FEditorEnabled && !isReadOnly(); }
    void LayoutEdit() override;

    int FUnitSize = 0;

private:
    bool FRightAlign = false;
    TNsgEditButton *FButton = nullptr;
    bool FEditorEnabled = true;
    int FButtonWidth = 0;
    bool FIsWinXP = false;
};

class TNsgUnitEditBtn : public TNsgEditBtn {
public:
    using UnitChangedEvent = std::function<void(QObject *sender, const QString &newUnit)>;

    explicit TNsgUnitEditBtn(QWidget *parent = nullptr);

    QStringList Units() const { return FUnits; }
    void SetUnits(const QStringList &units) { FUnits = units; }
    QString UnitID() const { return FUnitID; }
    void SetUnitID(const QString &unit);
    int UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(int w);
    QString TextAndUnit() const { return text() + FUnitID; }
    void SetTextAndUnit(const QString &value);
    UnitChangedEvent OnUnitChanged;

    // Fires OnClickBtn, then offers the units in a pop-up menu.
    void EditButtonClick(QObject *sender) override;
    // A chosen menu item: command n (from 1) stands for Units[n - 1].
    void UnitMenuCommand(int n);
    // Screen point where the unit menu opens.
    QPoint UnitMenuPoint() const;
    // Where the unit is drawn, in widget coordinates.
    QRect UnitRect() const;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    QString FUnitID;
    QStringList FUnits;
};
