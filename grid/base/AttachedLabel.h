#pragma once
// The caption label beside a control: created with the first caption, with the control as its buddy
// (screen readers read the two together), placed at one of fifteen positions around the control and
// shown and re-parented with it. The combo, the date-time picker and the drop-down edits take it.
#include <QFont>
#include <QLabel>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>

class QObject;
class QWidget;

// Where the attached label stands (lpRighBottom is spelled as stored in layouts; the two after it
// came later and keep the stored values before them).
enum TLabelPosition : quint8 {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter,
    lpRightTop,
    lpRightCenter,
    lpRighBottom,
    lpTopRight,
    lpBottomRight
};

// Top-left corner of a label of size `label` beside a control at `control`; `captionWidth` is the
// caption's drawn width. Halves are truncated toward zero.
QPoint LabelPlacement(TLabelPosition pos, const QRect &control, const QSize &label, int captionWidth, int margin);
// Sizes the label to its caption, moves it beside the control and shows it with the control.
void PlaceLabel(QLabel *label, const QWidget *control, TLabelPosition pos, int margin);

// The label properties of a control with an attached label. The control decides the label's font
// and when it follows the control's state; it places the label in UpdateLabel.
class TLabelledControl {
public:
    virtual ~TLabelledControl();

    QString LabelCaption() const;
    // The first caption creates the label (parent: the control's parent).
    void SetLabelCaption(const QString &caption);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition p);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int m);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    // Switching it on enables the label at once.
    void SetLabelAlwaysEnabled(bool v);
    QFont LabelFont() const { return FLabelFont; }
    void SetLabelFont(const QFont &f);

protected:
    TLabelledControl(QWidget *control, int margin);

    virtual void UpdateLabel() = 0;
    // A click (on the release) and a double click on the label.
    virtual void LabelClicked() {}
    virtual void LabelDblClicked() {}
    // A new label font; the default takes it when the control has a font of its own, then places.
    virtual void LabelFontChanged();

    // Transparency, font (unless null) and place; nothing without a label.
    void PlaceAttachedLabel(const QFont *font);
    // The label's enabled state follows the control's unless it is always enabled.
    void LabelFollowEnabled(bool enabled);
    void LabelFollowVisible(bool visible);
    // The control has a new parent: the label moves along (and is placed by UpdateLabel).
    void LabelFollowParent();
    QLabel *AttachedLabel() const { return FLabel; }

    QFont FLabelFont;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;

private:
    QWidget *FLabelledControl;
    QPointer<QLabel> FLabel;
    std::unique_ptr<QObject> FLabelClicks;
};
