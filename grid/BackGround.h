#pragma once
// The grid's background: a tiled or fixed bitmap, or a gradient, behind normal, fixed or all cells.
#include "grid/GridSettingsHost.h"

#include <QImage>
#include <QObject>

enum TBackGroundDisplay : std::uint8_t { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells : std::uint8_t { bcNormal, bcFixed, bcAll };

// Every setter stores (the bitmap is copied) and repaints the grid, its Qt parent.
class TBackGround : public QObject {
public:
    explicit TBackGround(IGridSettingsHost *AGrid = nullptr) : QObject(SettingsParent(AGrid)), FGrid(AGrid) {}

    int Top() const { return FTop; }
    void SetTop(int Value) { store(FTop, Value); }
    int Left() const { return FLeft; }
    void SetLeft(int Value) { store(FLeft, Value); }
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay Value) { store(FDisplay, Value); }
    const QImage &Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage &Value) { store(FBitmap, Value); }
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells Value) { store(FCells, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { store(FColor, Value); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { store(FColorTo, Value); }

private:
    template <typename T>
    void store(T &field, const T &Value)
    {
        field = Value;
        if (FGrid)
            FGrid->SettingsRepaint();
    }
    IGridSettingsHost *FGrid;
    int FTop = 0;
    int FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    QImage FBitmap;
    TBackGroundCells FCells = bcNormal;
    TColor FColor = clWindow;
    TColor FColorTo = clBtnFace;
};
