#pragma once
// Types of the objects a cell can show besides check boxes and radio controls: how a picture is
// fitted, the icon of a balloon, a cell scroll bar's page and range, and an object of the
// caller's that paints itself in its cell.
#include "grid/base/Canvas.h"
#include "grid/base/VedAzirDraw.h"

#include <cstdint>

class TNovaStringGrid;

enum TStretchMode : std::uint8_t { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
enum TBalloonIcon : std::uint8_t { biNone, biInfo, biWarning, biError };

struct TScrollProp {
    int PageSize = 0;
    int Range = 0;
    bool operator==(const TScrollProp &) const = default;
};

// An object of the caller's that paints itself in a cell (the grid never frees it). A width or
// height of 0 takes the cell's.
class TInterfacedPersistent {
public:
    virtual ~TInterfacedPersistent() = default;
    virtual void Draw(TCanvas &Canvas, const TRect &R, int Col, int Row, bool Selected, TNovaStringGrid *Grid) = 0;
    virtual int GetWidth() const { return 0; }
    virtual int GetHeight() const { return 0; }
};
