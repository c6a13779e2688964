#pragma once
// The keypad of the calculator drop-down: a panel of push keys that tracks the hovered and the
// pressed key and reports a click by the key's index. Its calculator type creates the 28 keys of
// a calculator and lays them out in five rows; the calculator acts on the keys' tags.
#include "dropdown/Collection.h"
#include "dropdown/ItemSelector.h"
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"
#include "grid/base/HtmlPicture.h"
#include "grid/base/MarkupRenderer.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

enum TButtonPanelType : std::uint8_t { plCalculator, plCustom };

// Sender: the panel; Index: the key's index in the collection.
using TCalculatorButtonClickEvent = std::function<void(QObject *Sender, int Index)>;

// One key. The setters only store.
class TButtonItem : public TCollectionItem {
public:
    explicit TButtonItem(TCollectionBase *Collection);
    // Caption, caption colour, tag, image index, picture, enabled state and name.
    void Assign(const TButtonItem &Source);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value) { FCaption = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    const THTMLPicture &Image() const { return *FImage; }
    THTMLPicture &Image() { return *FImage; }
    void SetImage(const THTMLPicture &Value) { FImage->Assign(&Value); }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    QString Name() const { return FName; }
    void SetName(const QString &Value) { FName = Value; }
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor Value) { FCaptionColor = Value; }
    bool Special() const { return FSpecial; }
    void SetSpecial(bool Value) { FSpecial = Value; }

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect Rect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

private:
    QString FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    std::unique_ptr<THTMLPicture> FImage;
    int FTag = 0;
    int FHeight = 0;
    int FLeft = 0;
    int FWidth = 0;
    int FTop = 0;
    QString FName;
    TColor FCaptionColor = clWhite;
    bool FSpecial = false;
};

class TButtonItems : public TCollection<TButtonItem> {
public:
    using TCollection::TCollection;
};

// Font, text colours and colour set of the keys. The colour setters report a changed value.
class TButtonAppearance : public QObject {
public:
    TButtonAppearance();
    // Every colour through its setter, the font and both text colours.
    void Assign(const TButtonAppearance &Source);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { set(FBorderColor, Value); }
    TColor BorderColorHot() const { return FBorderColorHot; }
    void SetBorderColorHot(TColor Value) { set(FBorderColorHot, Value); }
    TColor BorderColorDown() const { return FBorderColorDown; }
    void SetBorderColorDown(TColor Value) { set(FBorderColorDown, Value); }
    TColor BorderColorChecked() const { return FBorderColorChecked; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { set(FColor, Value); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { set(FColorTo, Value); }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value) { set(FColorDown, Value); }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value) { set(FColorDownTo, Value); }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { set(FColorHot, Value); }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { set(FColorHotTo, Value); }
    TColor GlowColorHot() const { return FGlowColorHot; }
    void SetGlowColorHot(TColor Value) { FGlowColorHot = Value; }
    TColor GlowColorDown() const { return FGlowColorDown; }
    void SetGlowColorDown(TColor Value) { FGlowColorDown = Value; }
    TColor ShineColor() const { return FShineColor; }
    void SetShineColor(TColor Value) { FShineColor = Value; }
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value) { FFont = Value; }
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value) { set(FTextColor, Value); }
    TColor SpecialTextColor() const { return FSpecialTextColor; }
    void SetSpecialTextColor(TColor Value) { set(FSpecialTextColor, Value); }

    TNotifyEvent OnChange;

private:
    void set(TColor &field, TColor Value);

    TColor FBorderColor = clBlack;
    TColor FBorderColorHot = clBlack;
    TColor FBorderColorDown = clBlack;
    TColor FBorderColorChecked = 0xFF0000;
    TColor FColor = 0x9A915F;
    TColor FColorTo = 0xB0A170;
    TColor FColorDown = 0x4B2F08;
    TColor FColorDownTo = 0xADB514;
    TColor FColorHot = 0x9F6F1C;
    TColor FColorHotTo = 0xD5C244;
    TColor FColorCheckedTo = clNone;
    TColor FColorDisabled = clNone;
    TColor FColorDisabledTo = clNone;
    TColor FColorChecked = clNone;
    TFont FFont;
    TColor FShineColor = clWhite;
    TColor FGlowColorHot = 0xD5C244;
    TColor FGlowColorDown = 0xD5C244;
    TColor FTextColor = clBlack;
    TColor FSpecialTextColor = 0x000080;
};

class TCustomButtonPanel : public QWidget {
public:
    // The keys of the calculator type, by index.
    static constexpr int CalculatorKeyCount = 28;

    explicit TCustomButtonPanel(QWidget *AOwner = nullptr);
    ~TCustomButtonPanel() override;

    // A panel built from a stored form: a standalone panel then creates its keys.
    virtual void Loaded();

    TButtonItems &Buttons() { return *FButtons; }
    void SetButtons(const TButtonItems &Value) { FButtons->Assign(Value); }
    TItemLayout ButtonLayout() const { return FButtonLayout; }
    void SetButtonLayout(TItemLayout Value) { FButtonLayout = Value; }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value) { FItemColorStyle = Value; }
    const TMarkupImageList *Images() const { return FImages; }
    void SetImages(const TMarkupImageList *Value);
    QWidget *Edit() const { return FEdit; }
    void SetEdit(QWidget *Value) { FEdit = Value; }
    TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
    void SetButtonPanelType(TButtonPanelType Value);
    TButtonAppearance &ButtonAppearance() { return *FButtonAppearance; }
    void SetButtonAppearance(const TButtonAppearance &Value) { FButtonAppearance->Assign(Value); }
    QWidget *NovaDropDown() const { return FNovaDropDown; }
    // The hosting drop-down (none: a standalone panel, which repaints itself and draws a frame).
    void SetNovaDropDown(QWidget *Value) { FNovaDropDown = Value; }

    int ButtonHot() const { return FButtonHot; }
    int ButtonDown() const { return FButtonDown; }
    void SetButtonHot(int Index);
    void SetButtonDown(int Index);

    // The whole panel on any canvas (the widget paints itself through it).
    void PaintTo(TCanvas &Canvas);
    virtual void DrawButton(int Index, TCanvas &Canvas);
    void DrawButtons(TCanvas &Canvas, bool WithHot);
    virtual TRect GetButtonsRect() const;
    // The size that fits every key's content.
    virtual QSize GetButtonSize();
    virtual void ClearButtons();
    virtual void ResetButtons();
    virtual void InitButtons();
    virtual void ArrangeButtons();
    virtual void InvalidateButton(int Index);
    virtual void DoButtonClick(int Index);

    // (-1, -1, -1, -1) outside the collection.
    TRect GetButtonRect(int Index) const;
    // The lowest index whose rectangle holds the point (right and bottom edges outside); -1 none.
    int ButtonAtPos(int X, int Y) const;

    TCalculatorButtonClickEvent OnButtonClick;

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    void changed();
    void drawAtOnce(int Index);
    void setKeyState(int &Field, int Index);

    std::unique_ptr<TButtonItems> FButtons;
    TItemLayout FButtonLayout = ilCaptionRight;
    TSelectionColorStyle FItemColorStyle = scCustom;
    int FButtonHot = -1;
    int FOffSetX = 8;
    int FOffSetY = 8;
    int FButtonOffSetX = 4;
    int FButtonOffSetY = 4;
    const TMarkupImageList *FImages = nullptr;
    int FCaptionGap = 0;
    QPointer<QWidget> FEdit;
    TButtonPanelType FButtonPanelType = plCalculator;
    std::unique_ptr<TButtonAppearance> FButtonAppearance;
    int FButtonDown = -1;
    QPointer<QWidget> FNovaDropDown;
};
