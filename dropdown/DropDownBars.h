#pragma once
// The header bar at the top and the footer bar at the bottom of a drop-down's pop-up, and the flat
// push button both carry. A bar paints a gradient or plain background, its border, an image and a
// mini-HTML caption, and holds a row of buttons built from the drop-down's header or footer button
// collection; a button's click tells the drop-down which one. Footer buttons also close the pop-up
// by their modal result, and the footer's grip resizes the pop-up. The bars keep their buttons in a
// range-checked list.
#include "dropdown/DropDownButton.h"
#include "grid/base/DropDownAppearance.h"
#include "grid/base/EditorKit.h"
#include "grid/base/MarkupRenderer.h"

#include <QAbstractButton>
#include <QCursor>
#include <QWidget>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

class TNovaCustomDropDown;

// A list whose indexed access is checked both ways, with a message that says which access failed.
class TDbgList {
public:
    // EListError "Index out of bounds in list read access" outside 0 .. Count - 1.
    QObject *GetItemsEx(int Index) const;
    // EListError "Index out of bounds in list write access" outside 0 .. Count - 1.
    void SetItemsEx(int Index, QObject *Value);
    // The items of ListA, in order, in place of these.
    void AssignList(const TDbgList &ListA);
    int Count() const { return int(FItems.size()); }
    void Add(QObject *Item) { FItems.push_back(Item); }
    void Clear() { FItems.clear(); }

private:
    std::vector<QObject *> FItems;
};

// The flat button of the bars: see-through where its appearance sets no colour, filled in its hot,
// pressed and disabled colours, with an image and a one-line caption.
class TNovaButton : public QAbstractButton {
public:
    explicit TNovaButton(QWidget *AOwner);

    TNovaButtonAppearance *Appearance() const { return FAppearance; }
    void SetAppearance(TNovaButtonAppearance *Value);
    const TMarkupImageList *Images() const { return FImages; }
    void SetImages(const TMarkupImageList *Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TNovaCustomDropDown *NovaDropDown() const { return FNovaDropDown; }
    void SetNovaDropDown(TNovaCustomDropDown *Value) { FNovaDropDown = Value; }
    bool MouseInControl() const { return FMouseInControl; }
    bool MouseDownInControl() const { return FMouseDownInControl; }
    editorkit::EditorTimer *UnHotTimer() const { return FUnHotTimer.get(); }

    // Sizes the button to its caption and image: 8 wider and 4 higher.
    void AutoSizeButton();
    // Sets the pop-up's modal result, closes the pop-up by it (footer buttons) and, unless Enter or
    // Space clicked it, fires OnClick.
    void Click();
    virtual void DrawButton(TCanvas &Canvas);

    int Tag = 0;
    editorkit::NotifyEvent OnClick;
    editorkit::NotifyEvent OnMouseEnter;
    editorkit::NotifyEvent OnMouseLeave;

protected:
    void paintEvent(QPaintEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void changeEvent(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void MouseEntered();
    void MouseLeft();
    // The hot state follows the control under the pointer again.
    void SyncHot(const QPoint &globalPos);

    bool FMouseInControl = false;
    bool FMouseDownInControl = false;
    std::unique_ptr<editorkit::EditorTimer> FUnHotTimer;
    bool FInternalClick = false;
    TNovaButtonAppearance *FAppearance = nullptr;
    const TMarkupImageList *FImages = nullptr;
    int FImageIndex = -1;
    TModalResult FModalResult = 0;
    TNovaCustomDropDown *FNovaDropDown = nullptr;
};

using TDrawBackGroundEvent = std::function<void(QObject *Sender, TCanvas &ACanvas, const TRect &ARect)>;
using TGetTextEvent = std::function<void(QObject *Sender, QString &Text)>;

// What the header and the footer share; TAppearance is THeaderAppearance or TFooterAppearance.
template <typename TAppearance>
class TNovaBar : public QWidget {
public:
    using TButtons = std::remove_reference_t<decltype(std::declval<TAppearance &>().Buttons())>;

    explicit TNovaBar(QWidget *AOwner);
    ~TNovaBar() override;

    TAppearance &Appearance() const { return *FAppearance; }
    void SetAppearance(const TAppearance &Value) { FAppearance->Assign(Value); }
    const TMarkupImageList *Images() const { return FImages; }
    void SetImages(const TMarkupImageList *Value) { FImages = Value; }
    // The bound drop-down's header (footer) buttons; null while no drop-down is bound.
    TButtons *Buttons() const;
    TNovaCustomDropDown *NovaDropDown() const { return FNovaDropDown; }
    // Binds the drop-down: its images and a copy of its header (footer) appearance.
    void SetNovaDropDown(TNovaCustomDropDown *Value);
    void RebuildButtons();
    const TDbgList &ButtonList() const { return FButtonList; }

    virtual void CreateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();

    // Where the buttons go, and where the caption may go while there are buttons ((-1, -1, -1, -1)
    // without).
    TRect ButtonArea() const;
    TRect GetCaptionArea() const;
    // The footer's grip shows: its appearance asks for it and the drop-down may be resized.
    bool HasSizeGrip() const;
    void DrawSizeGrip(TCanvas &Canvas, const TRect &G);
    // The whole painting of the bar (public for tests on a recording canvas).
    void PaintBar(TCanvas &Canvas);

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    static constexpr bool IsFooter = std::is_same_v<TAppearance, TFooterAppearance>;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void ButtonClick(QObject *Sender);
    void AppearanceChanged();

    std::unique_ptr<TAppearance> FAppearance;
    const TMarkupImageList *FImages = nullptr;
    TNovaCustomDropDown *FNovaDropDown = nullptr;
    TDbgList FButtonList;
};

class TNovaHeader : public TNovaBar<THeaderAppearance> {
public:
    using TNovaBar::TNovaBar;
};

class TNovaFooter : public TNovaBar<TFooterAppearance> {
public:
    explicit TNovaFooter(QWidget *AOwner);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    bool InGripCorner(const QPoint &p) const;

    QCursor FOldCursor;
    bool FSizingPopup = false;
};
