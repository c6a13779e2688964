#pragma once
// The three colour selection panels of the colour picker's pop-up: the grid of colour boxes
// (single boxes and vertical strips of shades, by default a ten-column theme palette), the
// honeycomb of 127 web colours, and the hue-by-lightness spectrum picture with its hot and
// selected swatches. Each reports a choice through an event; the picker then takes the panel's
// selected colour. They paint through a TCanvas, so tests read them from a recording canvas.
#include "dropdown/Collection.h"
#include "dropdown/DropDownStyles.h"
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"

#include <QImage>
#include <QLabel>
#include <QSize>
#include <QWidget>
#include <array>
#include <cstdint>


// Which control the colour picker shows.
enum TColorSelectionStyle : std::uint8_t { csDiscrete, csColorCube, csSpectrum, csList };

// Common base: paints through a TCanvas on its parent's colour.
class TNovaCustomColorSelectorPanel : public QWidget {
public:
    explicit TNovaCustomColorSelectorPanel(QWidget *AOwner = nullptr);
    // The whole panel on any canvas (the widget paints itself through it).
    virtual void PaintTo(TCanvas &Canvas);
    // The colour given by SetColor, else the parent's (the panel's own when it has no parent).
    TColor ParentColor() const;
    // The background the owner gives (its pop-up's colour); clNone: the parent's again.
    void SetColor(TColor Value);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    TColor FColor = clNone;
};

// ---- Colour cube ---------------------------------------------------------------------------

struct TCubeCell {
    TPoint Center;
    TColor Color = clNone;
};

class TNovaColorCubePanel : public TNovaCustomColorSelectorPanel {
public:
    static constexpr int CellCount = 127;

    explicit TNovaColorCubePanel(QWidget *AOwner = nullptr);

    TColor SelectedColor() const { return FSelectedColor; }
    // The first cell of that colour becomes the selected one (none: -1); nothing is repainted.
    void SetSelectedColor(TColor Value);
    int SelectedIndex() const { return FSelectedIndex; }
    int HotIndex() const { return FHotIndex; }
    bool ShowRGBHint() const { return FShowRGBHint; }
    void SetShowRGBHint(bool Value);

    void InitCubeCells();
    // No hot cell; 182 by 160.
    void ResetHot();
    void SetPanelSize();
    // The first cell, 1 .. 127, whose centre lies within the half-width of the point; -1 when none.
    int CellAtPos(int X, int Y) const;
    const TCubeCell &Cell(int Index) const { return FCubeCells[std::size_t(Index)]; }
    // Takes the colour and the cell, repaints it and fires OnSelect.
    void SelectColor(TColor AColor, int Index);
    // The hexagon of cell Index (nothing outside 1 .. 127).
    void DrawCell(TCanvas &Canvas, int Index) const;
    // The pointer moved to a panel point: hot cell and hint.
    void PointerAt(int X, int Y);

    void PaintTo(TCanvas &Canvas) override;

    TNotifyEvent OnSelect;

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    static void DrawHexagon(TCanvas &Canvas, TPoint Center, int W, int H);
    void DrawFrame(TCanvas &Canvas, TPoint Center, TColor Outer) const;
    void DrawHotFrame(TCanvas &Canvas, TPoint Center) const;
    void DrawSelectedFrame(TCanvas &Canvas, TPoint Center) const;
    void updateCell(int Index);

    std::array<TCubeCell, CellCount + 1> FCubeCells{}; // 1 .. 127 used
    TPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    int FSelectedIndex = -1;
    int FHotIndex = -1;
    bool FShowRGBHint = true;
};

// ---- Colour spectrum ------------------------------------------------------------------------

class TNovaColorSpectrumPanel;

// The picture control: shows the spectrum under the eyedropper and hands the pointer to its panel.
class TSpectrumImage : public QLabel {
public:
    explicit TSpectrumImage(TNovaColorSpectrumPanel *APanel);
    const QImage &Picture() const { return FPicture; }

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    TNovaColorSpectrumPanel *FPanel;
    QImage FPicture;
};

class TNovaColorSpectrumPanel : public TNovaCustomColorSelectorPanel {
public:
    explicit TNovaColorSpectrumPanel(QWidget *AOwner = nullptr);

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    TColor HotColor() const { return FHotColor; }
    TRect HotRect() const { return FHotRect; }
    TRect SelectedRect() const { return FSelectedRect; }
    TSpectrumImage *SpectrumImage() const { return FSpectrumImage; }

    // 150 by 174, the picture centred at the top, the swatches below it; no hot colour.
    void LayoutSpectrum();
    // Pointer events of the picture, in picture coordinates.
    void PictureMouseMove(int X, int Y);
    void PictureMouseDown(int X, int Y);

    void PaintTo(TCanvas &Canvas) override;

    TNotifyEvent OnSelect;

private:
    void DrawSelectedSwatch(TCanvas &Canvas) const;
    void DrawHotSwatch(TCanvas &Canvas) const;
    static void DrawSwatch(TCanvas &Canvas, const TRect &R, TColor AColor);

    TSpectrumImage *FSpectrumImage; // child
    TColor FHotColor = clNone;
    TColor FSelectedColor = clWhite;
    TRect FHotRect;
    TRect FSelectedRect;
};

// ---- Colour boxes ---------------------------------------------------------------------------

enum TItemPos : std::uint8_t { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxItem : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    void Assign(const TColorBoxItem &Source) { SetColor(Source.FColor); }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos Value) { FColorBoxPos = Value; }
    TRect FRect{-1, -1, -1, -1}; // written by the layout

private:
    TColor FColor = clNone;
    TItemPos FColorBoxPos = ipStandAlone;
};

class TColorBoxItems : public TCollection<TColorBoxItem> {
public:
    using TCollection::TCollection;
};

class TColorBoxAppearance {
public:
    void Assign(const TColorBoxAppearance &Source);
    TColor BorderColor = 0xC5C5C5;
    TColor OuterBorderColorHot = 0x3694F2;
    TColor InnerBorderColorHot = 0x94E2FF;
    TColor OuterBorderColorSelected = 0x0000FF;
    TColor InnerBorderColorSelected = 0x94E2FF;
    std::function<void()> OnChange; // never raised by the colours
};

class TCustomColorSelector : public TNovaCustomColorSelectorPanel {
public:
    explicit TCustomColorSelector(QWidget *AOwner = nullptr);

    int ItemIndex() const { return FItemIndex; }
    // An index beyond the boxes is ignored.
    void SetItemIndex(int Value);
    int ItemHot() const { return FItemHot; }
    void SetItemHot(int Index);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    int ColumnGap() const { return FColumnGap; }
    void SetColumnGap(int Value);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int Value);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int Value);
    TColorBoxAppearance &ColorBoxAppearance() { return FColorBoxAppearance; }
    void SetColorBoxAppearance(const TColorBoxAppearance &Value) { FColorBoxAppearance.Assign(Value); }
    TColorBoxItems &Items() { return FItems; }
    const TColorBoxItems &Items() const { return FItems; }
    void SetItems(const TColorBoxItems &Value) { FItems.Assign(Value); }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);

    // The 60 colours of the theme palette, ten per row.
    void AddDefaultColorBoxes();

    virtual void DrawItem(int Index, TCanvas &Canvas);
    virtual void GetItemsRect(TRect &R) const;
    virtual void GetItemSize(QSize &S) const;
    virtual void UpdateItemsPosition();
    virtual void InvalidateItem(int Index);

    int ItemAtPos(int X, int Y) const;
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // Keys of the owning drop-down (Qt key codes), with its own state.
    void HandleKey(int Key, bool EditorEnabled, bool DroppedDown);

    void PaintTo(TCanvas &Canvas) override;

    TNotifyEvent OnItemSelect;

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void leaveEvent(QEvent *e) override;

private:
    void drawAtOnce(int Index);

    int FItemIndex = -1;
    int FItemHot = -1;
    int FOffSetX = 4;
    int FOffSetY = 4;
    int FColumns = 10;
    int FColumnGap = 4;
    int FColorBoxHeight = 12;
    int FColorBoxWidth = 12;
    TColorBoxAppearance FColorBoxAppearance;
    TColorBoxItems FItems;
    TSelectionColorStyle FItemColorStyle = scOffice2007;
    TColor FSelectedColor = clNone;
};
