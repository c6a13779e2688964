#pragma once
// The list of entries that the colour picker, the detail list and the image picker show in their
// pop-ups: equal cells in a grid of Columns columns, each a mini-HTML caption beside a colour box,
// a picture of the entry's own or an image of an image list. The container scrolls its one panel;
// the panel lays the cells out, sizes itself to them, paints them and follows the pointer, and
// reads every setting from its container. The owning drop-down moves the hot entry and the
// selection by keys and hears of a selection through OnItemSelect.
#include "dropdown/Collection.h"
#include "dropdown/DropDownStyles.h"
#include "grid/base/Canvas.h"
#include "grid/base/EditorKit.h"
#include "grid/base/GridTypes.h"
#include "grid/base/HtmlPicture.h"
#include "grid/base/MarkupRenderer.h"

#include <QObject>
#include <QScrollArea>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

enum TSelectorType : std::uint8_t { stImage, stColor };
// Where a caption stands relative to its image.
enum TItemLayout : std::uint8_t { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

using TCaption = QString;
// Draws a cell's content after its background (Sender: the panel).
using TDrawItemEvent = std::function<void(QObject *Sender, TCanvas &Canvas, const TRect &R, int Index)>;
// Gives the cell size; the handler sets both dimensions (Sender: the panel).
using TItemSizeEvent = std::function<void(QObject *Sender, QSize &ASize)>;

// What the list's entries and the pickers' items share: a caption, and an image of an image list
// or a picture of their own. Caption and ImageIndex report a change to their collection.
class TImageEntry : public TCollectionItem {
public:
    explicit TImageEntry(TCollectionBase *Collection);
    ~TImageEntry() override;

    TCaption Caption() const { return FCaption; }
    void SetCaption(const TCaption &Value) { SetField(FCaption, Value); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { SetField(FImageIndex, Value); }
    const THTMLPicture &Image() const { return *FImage; }
    THTMLPicture &Image() { return *FImage; }
    // A copy of the picture; an empty one leaves nothing of itself behind.
    void SetImage(const THTMLPicture &Value);
    // What the entry shows: its picture when it has one, else the image of Images that ImageIndex
    // names; its size ((0, 0) for none) and drawing with its top-left at (X, Y).
    QSize ShownImageSize(const TMarkupImageList *Images) const;
    void DrawShownImage(TCanvas &Canvas, int X, int Y, const TMarkupImageList *Images) const;

protected:
    // Caption and ImageIndex through their setters, then the picture.
    void AssignEntry(const TImageEntry &Source);

private:
    TCaption FCaption;
    int FImageIndex = -1;
    std::unique_ptr<THTMLPicture> FImage;
};

class TSelectorItem : public TImageEntry {
public:
    using TImageEntry::TImageEntry;
    // Caption, Color and ImageIndex through their setters, then the picture and the hint.
    void Assign(const TSelectorItem &Source);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { SetField(FColor, Value); }
    QString Hint() const { return FHint; }
    void SetHint(const QString &Value) { FHint = Value; }

    TRect FRect{-1, -1, -1, -1}; // the cell in panel coordinates, written by the layout

private:
    TColor FColor = clNone;
    QString FHint;
};

class TSelectorItems : public TCollection<TSelectorItem> {
public:
    using TCollection::TCollection;
};

// Colours, font and colour style of hot and selected entries.
class TItemAppearance : public QObject {
public:
    explicit TItemAppearance(QObject *AOwner = nullptr);
    QObject *Owner() const { return FOwner; }
    // The twelve colours, the font, the colour style (which reloads its preset when it differs),
    // then the text and plain border colours.
    void Assign(const TItemAppearance &Source);
    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // A different style is stored; a named one loads its twelve colours.
    void SetColorStyle(TSelectionColorStyle Style);

    TColor ColorHot = clNone, ColorHotTo = clNone, ColorMirrorHot = clNone, ColorMirrorHotTo = clNone;
    TColor ColorSelected = clNone, ColorSelectedTo = clNone, ColorMirrorSelected = clNone,
           ColorMirrorSelectedTo = clNone;
    TColor BorderColor = clNone;
    // BorderColorTop clNone: the plain box.
    TColor BorderColorTop = clNone, BorderColorBottom = clNone, EdgeColor = clNone;
    // Set: a plain frame of this colour replaces the styled box.
    TColor BorderColorHot = clNone, BorderColorSelected = clNone;
    TColor ColorHotText = clBlack, ColorSelectedText = clBlack;
    TFont Font;
    TNotifyEvent OnChange;

private:
    QObject *FOwner;
    TSelectionColorStyle FColorStyle = scCustom;
};

class TNovaCustomItemSelector;

// The panel inside the container.
class TCustomItemSelector : public QWidget {
public:
    // Raises "Invalid parent" without a container.
    explicit TCustomItemSelector(TNovaCustomItemSelector *AOwner);

    // What the container holds.
    TSelectorItems &Items() const;
    TSelectorType SelectorType() const;
    TItemLayout ItemLayout() const;
    const TMarkupImageList *Images() const;
    int Columns() const;
    int ColorBoxHeight() const;
    int ColorBoxWidth() const;
    TSelectionColorStyle ItemColorStyle() const;
    TColor ItemColorHot() const;
    TColor ItemColorHotTo() const;
    TColor ItemColorSelected() const;
    TColor ItemColorSelectedTo() const;
    TNovaCustomItemSelector *NovaItemSelector() const { return FNovaItemSelector; }

    int ItemIndex() const { return FItemIndex; }
    // Selects (drawn at once) and reports, also for the entry already selected.
    void SetItemIndex(int Value);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int Index);

    virtual void DrawItem(int Index, TCanvas &Canvas);
    virtual void GetItemsRect(TRect &R) const;
    virtual void GetItemSize(QSize &S);
    virtual void InvalidateItem(int Index);
    virtual void UpdateItemsPosition();

    // (-1, -1, -1, -1) for an index outside the list.
    TRect GetItemRect(int Index) const;
    int ItemAtPos(int X, int Y) const;
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Selects the first entry whose caption, without tags, trimmed and upper-cased, starts with S.
    bool LookupItem(const QString &S);

    // The whole panel on any canvas (the widget paints itself through it).
    void PaintTo(TCanvas &Canvas);
    void DrawAllItems(TCanvas &Canvas);
    TColor PanelColor() const;

    TNotifyEvent OnItemSelect;

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    void drawAtOnce(int Index);
    // A canvas with the panel's font metrics for measuring captions.
    TCanvas &measureCanvas();

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 2;
    int FOffSetY = 2;
    int FItemOffSetX = 4;
    int FItemOffSetY = 4;
    int FCaptionGap = 4;
    TNovaCustomItemSelector *FNovaItemSelector;
    std::unique_ptr<TImageCanvas> FMeasure;
};

// The container: scrolls its panel when the panel is larger.
class TNovaCustomItemSelector : public QScrollArea {
public:
    explicit TNovaCustomItemSelector(QWidget *AOwner = nullptr);
    ~TNovaCustomItemSelector() override;

    TCustomItemSelector *Panel() const { return FItemSelectorPanel; }
    void UpdateSelectorPanel();
    // The panel's size: what a pop-up without a size of its own takes.
    QSize GetSelectorPanelSize() const;

    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    TSelectorItems &Items() { return *FItems; }
    void SetItems(const TSelectorItems &Value) { FItems->Assign(Value); }
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int ItemHot() const;
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType Value);
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
    const TMarkupImageList *Images() const { return FImages; }
    void SetImages(const TMarkupImageList *Value);
    TItemAppearance &ItemAppearance() { return *FItemAppearance; }
    void SetItemAppearance(const TItemAppearance &Value) { FItemAppearance->Assign(Value); }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const QString &S);
    void ScrollItemInView(int Index);
    // Whole rows that fit the container's height, times the columns: the drop-downs' page size.
    int GetVisibleItemCount() const;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;
    TNotifyEvent OnResize;

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void CreateSelectorPanel();
    void PanelItemSelect(QObject *Sender);

    TCustomItemSelector *FItemSelectorPanel = nullptr; // owned by the scroll area
    std::unique_ptr<TSelectorItems> FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    int FColumns = 1;
    int FColorBoxWidth = 14;
    int FColorBoxHeight = 14;
    const TMarkupImageList *FImages = nullptr;
    std::unique_ptr<TItemAppearance> FItemAppearance;
    TColor FColor = clWindow;
};

// The type-ahead of a list drop-down: character keys (space, digits, letters) typed within 500 ms
// of the first form the search text; then the timer clears it.
class TTypeAhead {
public:
    TTypeAhead();
    // False, and nothing added, for a key that is no character.
    bool AddKey(int Key);
    QString Text() const { return FCurSearch; }
    void KeyTimerExpired();

private:
    std::unique_ptr<editorkit::EditorTimer> FKeyTimer;
    QString FCurSearch;
};
