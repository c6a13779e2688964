#pragma once
// What a cell is painted with, as the grid's visual-properties chain answers it.
#include "grid/NovaGrid.h"

struct CellVisuals {
    TGridDrawState state;
    TBrush brush;
    TFont font;
    TColor colorTo = clNone;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
};

// Not printing; Select applies the selection colours.
inline CellVisuals visualsOf(TNovaStringGrid &g, int c, int r, bool Select = false, TGridDrawState state = {})
{
    CellVisuals v;
    v.state = state;
    TColor mirror = clNone, mirrorTo = clNone;
    bool ww = true;
    TCellGradientDirection gd = GradientVertical;
    g.GetVisualProperties(c, r, v.state, false, Select, false, v.brush, v.colorTo, mirror, mirrorTo, v.font, v.hAlign,
                          v.vAlign, ww, gd);
    return v;
}
