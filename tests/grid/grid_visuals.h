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
    TColor mirror = clNone;
    TColor mirrorTo = clNone;
    bool wordWrap = true;
    TCellGradientDirection gradient = GradientVertical;
};

// Print takes the print fonts and colours; Select applies the selection colours.
inline CellVisuals resolveVisuals(TNovaStringGrid &g, int c, int r, bool Print, bool Select, TGridDrawState state = {},
                                  TAlignment hAlign = taLeftJustify)
{
    CellVisuals v;
    v.state = state;
    v.hAlign = hAlign;
    g.GetVisualProperties(c, r, v.state, Print, Select, false, v.brush, v.colorTo, v.mirror, v.mirrorTo, v.font,
                          v.hAlign, v.vAlign, v.wordWrap, v.gradient);
    return v;
}

// Not printing.
inline CellVisuals visualsOf(TNovaStringGrid &g, int c, int r, bool Select = false, TGridDrawState state = {})
{
    return resolveVisuals(g, c, r, false, Select, state);
}
