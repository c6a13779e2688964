// Painting of one cell's contents: fixed-cell looks, permanent cell buttons, the text (plain,
// HTML, URL, password, formula), background bitmaps and gradients, the selection rectangle,
// borders, the look's edges and the focus rectangle. The base grid has filled the background and
// drawn the grid lines before it calls PaintCellContents.
#include "grid/NovaGrid.h"

#include "grid/CellGraphic.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/Theme.h"
#include "grid/base/VedAzirDraw.h"
#include "grid/base/VedAzirText.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QScrollBar>
#include <algorithm>

// The painter's view of the cell it is painting.
struct TNovaStringGrid::TCellPaint {
    explicit TCellPaint(TCanvas &canvas) : K(canvas) {}
    TCanvas &K;
    int ACol = 0; // display column
    int ARow = 0;
    int RCol = 0;  // real column
    int DRow = 0;  // row of the disjunct-selection tests
    TGridDrawState State;
    TRect ClipRect;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = true;
    TCellGradientDirection GD = GradientVertical;
    TColor ColorTo = clNone;
    TColor MirrorColor = clNone;
    TColor MirrorColorTo = clNone;
    TCellGraphic *Graphic = nullptr;
    TCellHAlign GHAlign = haLeft;
    TCellVAlign GVAlign = vaTop;
    bool TextBeside = true;
    int GW = 0;
    int GH = 0;
    bool ShowFilter = false;
    bool LooksFixed = false;
    TColor UnselBrush = clNone;
    TColor UnselFont = clNone;
    TColor LinkColor = clBlue;
    int TextWidth = 0;
    int ScrollBarWidth = 0; // taken from the right of a scroll-bar cell
    int ScrollOffset = 0;   // the text moves up by it
};

namespace {


} // namespace

TButtonTones TNovaStringGrid::ButtonTones() const
{
    TButtonTones b;
    const TColorTones &t = FColorTones;
    const TColorTone *order[5] = {&t.Background, &t.Background, &t.Selected, &t.Hover, &t.Disabled};
    for (int i = 0; i < 5; ++i) {
        if (order[i]->BrushColor != clNone)
            b.Fill[i] = order[i]->BrushColor;
        if (order[i]->BorderColor != clNone)
            b.Border[i] = order[i]->BorderColor;
        if (order[i]->TextColor != clNone)
            b.Glyph[i] = order[i]->TextColor;
    }
    return b;
}

bool TNovaStringGrid::TonedButtons() const { return Flat() && FColorTones.Background.BrushColor != clNone; }

// ---- the cell painter ------------------------------------------------------------------------------

void TNovaStringGrid::PaintCellContents(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    TCellPaint P(Canvas);
    TCanvas &K = Canvas;
    const bool ctl3D = !Flat();
    P.ACol = ACol;
    P.ARow = ARow;
    P.RCol = RealColIndex(ACol);
    if (P.RCol < 0)
        P.RCol = ACol;
    P.State = AState;
    P.ClipRect = ARect;
    P.LinkColor = URLColor();
    const int glw = GridLineWidth();

    // 2. filter glyph, row of the disjunct tests
    P.ShowFilter = ARow == FilterDropDownRow() && GetColumnFilter(P.RCol);
    P.DRow = FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow;

    // 3. scroll bar of a scroll-bar cell
    if (GetCellType(P.RCol, ARow) == ctScrollbar)
        paintCellScrollBar(P);

    // 4. colours, font, alignment
    P.WW = WordWrap();
    GetVisualProperties(ACol, ARow, P.State, false, false, true, K.Brush, P.ColorTo, P.MirrorColor, P.MirrorColorTo,
                        K.Font, P.HA, P.VA, P.WW, P.GD);

    // 5. the cell's graphic
    P.Graphic = MeasureCellGraphic(P.RCol, ARow, P.GVAlign, P.GHAlign, P.TextBeside, P.GH, P.GW);
    if (P.RCol == 0 && P.Graphic && P.Graphic->CellType() == ctNode)
        P.GW = GetCellProperties(0, ARow)->NodeLevel() * 12 + 4;

    // 6. unselected colours
    if (P.State.Contains(gdSelected) && !P.State.Contains(gdFocused) && SelectionColor() == clNone)
        K.Brush.Color = clHighlight;
    K.Font.Size += ZoomFactor();
    P.UnselBrush = K.Brush.Color;
    P.UnselFont = K.Font.Color;

    // 7. does the cell look fixed
    P.LooksFixed = (IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows())
        && !(ARow == FHoverRowIdx && HoverRow() && HoverRowCells().Contains(hcFixed));

    // 8. a platform visual style draws fixed and selected cells itself (none on this platform)
    const bool styled = UsesPlatformStyles() && (P.LooksFixed || P.State.Contains(gdSelected));
    if (styled)
        K.Brush.Style = bsClear;
    const int savedRight = P.ClipRect.Right;

    // 9. fixed background of the gradient looks
    const TGridLook look = Look();
    if (P.LooksFixed && !styled
        && (look == glNova || look == glXP || look == glVista || look == glWin7 || look == glOffice2007))
        paintFixedBackground(P);

    // 10. row indicator
    int indicatorWidth = 0;
    if (P.RCol == 0 && ARow == Row() && FixedCols() > 0 && !FRowIndicator.isNull()
        && !(FixedRowAlways() && RowCount() == FixedRows())) {
        const int w = FRowIndicator.width();
        const int h = FRowIndicator.height();
        int y = P.ClipRect.Top;
        if (VAlignment() == vtaCenter)
            y = P.ClipRect.Top + (P.ClipRect.Height() - h) / 2;
        else if (VAlignment() == vtaBottom)
            y = P.ClipRect.Bottom - h;
        DrawBitmapTransparent(K, FRowIndicator, K.Brush.Color, {P.ClipRect.Left + 2, y, P.ClipRect.Left + 2 + w, y + h});
        P.ClipRect.Left += w + 2;
        indicatorWidth = w;
    }

    // 11. list-view look of fixed cells (classic drawing: no visual styles here)
    if (look == glListView && P.LooksFixed && !styled && !Flat()) {
        const TBrush b = K.Brush;
        const TPen pen = K.Pen;
        K.Brush.Color = clBtnFace;
        K.Pen.Color = clWhite;
        K.Rectangle(P.ClipRect);
        K.Brush = b;
        K.Pen = pen;
    }

    // 12. bar of a row changed by editing
    if (ACol == 0 && FShowModified && FShowModified->Enabled && RowModified(RealRowIndex(ARow))) {
        const TBrush b = K.Brush;
        K.Brush.Color = FShowModified->Color();
        K.Brush.Style = bsSolid;
        K.FillRect({P.ClipRect.Right - 4, P.ClipRect.Top, P.ClipRect.Right, P.ClipRect.Bottom});
        K.Brush = b;
    }

    // 13. application background drawing
    FireEvent(OnCustomCellBkgDraw, this, K, P.RCol, ARow, P.State, P.ClipRect, false);

    // 14. permanent combo and spin buttons
    if (!P.LooksFixed && (FControlLook->DropDownAlwaysVisible() || FControlLook->SpinButtonsAlwaysVisible())) {
        int style = FControlLook->FlatButton() ? 2 : (IsThemeActive() ? 0 : 1);
        if (TonedButtons())
            style = 3;
        const bool combo = HasComboBox(P.RCol, ARow);
        const bool spin = !combo && HasSpinEdit(P.RCol, ARow);
        if (combo || spin) {
            bool CanEdit = true;
            CheckCanEditCell(P.RCol, ARow, CanEdit);
            const int state = CanEdit ? 0 : 3;
            const TBrush b = K.Brush;
            const TPen pen = K.Pen;
            const TButtonTones tones = ButtonTones();
            if (combo) {
                DrawComboButton(K, this, {P.ClipRect.Left - 2, P.ClipRect.Top - 1, P.ClipRect.Right + 1, P.ClipRect.Bottom},
                                style, state, tones);
            } else {
                DrawSpinButtons(K, this, P.ClipRect, style, state, tones);
            }
            P.ClipRect.Right -= 16;
            K.Brush = b;
            K.Pen = pen;
        }
    }

    // 15. the text
    const bool customDraw = (OnDrawCell || OnCustomCellDraw) && NoDefaultDraw();
    // The text of a data check box or data image only backs the graphic ("Y"/"N", an index): it
    // would show around the glyph wherever the font is wider than the glyph.
    const TCellType gk = P.Graphic ? P.Graphic->CellType() : ctEmpty;
    const bool textBacked = gk == ctDataCheckBox || gk == ctVirtCheckBox || gk == ctRowCheckBox || gk == ctDataImage
        || gk == ctRotated  // a rotated text is written by its graphic only
        || gk == ctRating;  // the stars show the value
    if (!(P.Graphic && NoImageAndText()) && !textBacked && !customDraw)
        DrawCellText(P);

    // 16. borders
    P.ClipRect.Right = savedRight + P.ScrollBarWidth;
    K.Brush.Color = P.UnselBrush;
    K.Font.Color = P.UnselFont;
    P.ClipRect = P.ClipRect.Inflate(1, 1);
    DrawCellBorders(K, P.RCol, ARow, P.ClipRect);
    P.ClipRect.Left -= indicatorWidth;

    // 17. edges of the looks
    if (P.LooksFixed && !Flat())
        paintLookEdges(P, ctl3D);

    // 18. right fixed columns of a flat grid
    if (FixedRightCols() > 0 && FixedRightCols() >= ColCount() + NumHiddenColumns() - P.RCol && look != glClassic && !ctl3D) {
        const TPen pen = K.Pen;
        K.Pen.Color = Flat() ? clGray : clBlack;
        K.Pen.Width = 1;
        const TRect &r = P.ClipRect;
        if (Options().Contains(goFixedHorzLine)) {
            K.Line(r.Left - 1, r.Top - 1, r.Right + 1, r.Top - 1);
            K.Line(r.Left - 1, r.Bottom + 1, r.Right + 1, r.Bottom + 1);
        }
        if (Options().Contains(goFixedVertLine)) {
            K.Line(r.Left - 1, r.Top - 1, r.Left - 1, r.Bottom + 1);
            K.Line(r.Right + 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
        }
        K.Pen = pen;
    }

    // 19. tree lines of the node outline
    if (HasNodes() && P.RCol == 0 && ARow >= FixedRows() && FCellNode->ShowTree())
        paintTreeLines(P);

    // 20. the graphic
    if (P.Graphic) {
        TRect g = P.ClipRect;
        if (P.LooksFixed)
            g.Top += 1;
        DrawCellGraphic(K, P, g);
    }

    // 21. application drawing
    if (OnDrawCell) {
        const TRect r{ARect.Left + 1, ARect.Top + 1, ARect.Right + 1 - glw, ARect.Bottom + 1 - glw};
        OnDrawCell(this, P.RCol, ARow, r.ToQRect(), P.State);
    }
    FireEvent(OnCustomCellDraw, this, K, P.RCol, ARow, P.State, ARect, false);

    // 22. focus rectangle
    if (!HideFocusRect()) {
        const TPoint b = BaseCell(P.RCol, ARow);
        const bool focused = hasFocus() || (InplaceEditor() && InplaceEditor()->hasFocus());
        if (DisplColIndexOf(b.X) == Col() && b.Y == Row() && focused && !Options().Contains(goRowSelect)
            && Col() >= FixedCols() && Row() >= FixedRows()) {
            TRect f = P.ClipRect.Inflate(glw - 1, glw - 1);
            f.Right -= 1;
            f.Bottom -= 1;
            K.DrawFocusRect(f);
        }
    }
}

// Lines joining the rows of the outline: a stub to each child, a vertical line down the group
// (ending at mid height on its last child), and the lines of the outer levels passing by.
void TNovaStringGrid::paintTreeLines(TCellPaint &P)
{
    TCanvas &K = P.K;
    const int ARow = P.ARow;
    const int ni = FCellNode->NodeIndent();
    const int indent = GetRowIndent(ARow);
    const int level = HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : 0;
    if (level <= 0)
        return;
    const TPen saved = K.Pen;
    K.Pen.Color = FCellNode->TreeColor();
    K.Pen.Width = 1;
    K.Pen.Style = psSolid;
    const TRect &r = P.ClipRect;
    const int left = r.Left + indent;
    const int x = left + ni / 2 - ni + 2;
    const int mid = (r.Top + r.Bottom) / 2;
    K.Line(x, mid, FCellNode->ShowTreeFull() ? r.Right : left + 4, mid);
    const int span = GetNodeSpanType(ARow);
    if (span == 1)
        K.Line(x, r.Top, x, mid);
    else if (span == 2)
        K.Line(x, r.Top, x, r.Bottom + 4);
    const int next = ARow + 1;
    const bool nextIsChild = next < RowCount() && HasCellProperties(0, next) && GetCellProperties(0, next)->NodeLevel() != 0;
    for (int i = 1; i <= level; ++i) {
        const int xi = x - ni * i;
        K.Line(xi, r.Top, xi, nextIsChild ? r.Bottom + 4 : mid);
        if (i < level)
            K.Line(xi, mid, x + ni - ni * i, mid);
    }
    K.Pen = saved;
}

void TNovaStringGrid::paintFixedBackground(TCellPaint &P)
{
    TCanvas &K = P.K;
    const int ACol = P.ACol;
    const int ARow = P.ARow;
    const bool moving = GridState() == gsColMoving;
    const bool hover = IsHoverFixedCell(ACol, ARow) && !FDesigning
        && ((ACol == FHoverFixedX && ARow == FHoverFixedY && !moving) || (moving && ACol == FMovingCol));
    const TBrush savedBrush = K.Brush;
    const TPen savedPen = K.Pen;
    if (hover) {
        P.ClipRect.Bottom += 1;
        auto hoverGradient = [&](const TRect &r) {
            DrawGradientBackground(K, r, FNovaGradientHoverFrom, FNovaGradientHoverTo, FNovaGradientHoverMirrorFrom,
                                   FNovaGradientHoverMirrorTo, true, FNovaGradientHoverBorder, false, true);
        };
        auto downGradient = [&](const TRect &r) {
            DrawGradientBackground(K, r, FNovaGradientDownFrom, FNovaGradientDownTo, FNovaGradientDownMirrorFrom,
                                   FNovaGradientDownMirrorTo, true, FNovaGradientDownBorder, false, true);
        };
        const bool dropDown = FControlLook->FixedDropDownButton() && CanShowFixedDropDown(P.RCol);
        const TRect &c = P.ClipRect;
        if (!FMouseDownMove && !moving) {
            hoverGradient(c);
        } else if (dropDown) {
            const TRect button{c.Right - 16, c.Top, c.Right, c.Bottom};
            const TRect rest{c.Left, c.Top, c.Right - 16, c.Bottom};
            if (FFixedDropDownDown) {
                downGradient(button);
                hoverGradient(rest);
            } else {
                downGradient(rest);
                hoverGradient(button);
            }
        } else {
            downGradient(c);
        }
        if (dropDown) {
            K.Pen.Color = FMouseDownMove ? FNovaGradientDownBorder : FNovaGradientHoverBorder;
            K.Pen.Width = 1;
            K.Line(c.Right - 16, c.Top, c.Right - 16, c.Bottom);
            DrawDropDownArrow(K, c.Right - 8, c.Top + 8, clBlack);
            P.ClipRect.Right -= 16;
        }
    } else {
        const bool activeHeader = ActiveCellShow()
            && ((ARow == Row() && ACol == FixedCols() - 1) || (ACol == Col() && ARow == FixedRows() - 1));
        if (activeHeader) {
            DrawGradientBackground(K, P.ClipRect, ActiveCellColor(), ActiveCellColorTo(), clNone, clNone, true, clNone,
                                   false, true);
        } else {
            const TColor border = Look() == glVista ? clWhite : clNone;
            const TSortSettings &s = *FSortSettings;
            const bool sortHeader = s.Column() != -1 && s.HeaderColor() != clNone && P.RCol == s.Column()
                && ARow == FixedRows() - 1 && (ACol >= FixedCols() || s.FixedCols());
            if (sortHeader) {
                DrawGradientBackground(K, P.ClipRect, s.HeaderColor(), s.HeaderColorTo(), s.HeaderMirrorColor(),
                                       s.HeaderMirrorColorTo(), true, clNone, true, true);
            } else if (!Flat()) {
                DrawGradientBackground(K, P.ClipRect, savedBrush.Color, P.ColorTo, P.MirrorColor, P.MirrorColorTo, true,
                                       border, true, true);
            }
        }
    }
    K.Brush = savedBrush;
    K.Pen = savedPen;
}

void TNovaStringGrid::paintLookEdges(TCellPaint &P, bool ctl3D)
{
    TCanvas &K = P.K;
    const TPen savedPen = K.Pen;
    TRect &r = P.ClipRect;
    const bool horz = Options().Contains(goFixedHorzLine);
    const bool vert = Options().Contains(goFixedVertLine);
    K.Pen.Width = 1;
    switch (Look()) {
    case glClassic: {
        r.Top += 1;
        r.Bottom += 1;
        r.Left += 1;
        // Raised edges: light inner left and top, dark outer and shadow inner right and bottom.
        K.Pen.Color = clBtnHighlight;
        K.Line(r.Left, r.Top, r.Left, r.Bottom - 1);
        K.Line(r.Left, r.Top, r.Right - 1, r.Top);
        K.Pen.Color = cl3DDkShadow;
        K.Line(r.Right - 1, r.Top, r.Right - 1, r.Bottom);
        K.Line(r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
        K.Pen.Color = clBtnShadow;
        K.Line(r.Right - 2, r.Top + 1, r.Right - 2, r.Bottom - 1);
        K.Line(r.Left + 1, r.Bottom - 2, r.Right - 1, r.Bottom - 2);
        K.Pen.Color = clBlack;
        K.Line(r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
        K.Line(r.Right - 1, r.Bottom - 1, r.Left - 1, r.Bottom - 1);
        break;
    }
    case glNova:
    case glXP:
        r.Bottom += 1;
        if (horz) {
            K.Pen.Color = HalveColor(FixedColor());
            K.Line(r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
            K.Pen.Color = clWhite;
            K.Line(r.Right - 2, r.Top + 1, r.Left + 1, r.Top + 1);
            K.Line(r.Left + 1, r.Top + 1, r.Left + 1, r.Bottom - 1);
        }
        break;
    case glSoft:
        if (ctl3D) {
            r.Right += 1;
            r.Bottom += 1;
            if (horz) {
                K.Pen.Color = HalveColor(FixedColor());
                K.Line(r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
                K.Pen.Color = clWhite;
                K.Line(r.Right, r.Top + 1, r.Left + 1, r.Top + 1);
                K.Line(r.Left + 1, r.Top + 1, r.Left + 1, r.Bottom - 1);
            }
            if (vert) {
                K.Pen.Color = HalveColor(FixedColor());
                K.Line(r.Right - 2, r.Top, r.Right - 2, r.Bottom - 1);
                K.Pen.Color = clWhite;
                K.Line(r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
            }
        } else {
            K.Pen.Color = clBlack;
            if (horz) {
                K.Line(r.Left - 1, r.Top - 1, r.Right + 1, r.Top - 1);
                K.Line(r.Left - 1, r.Bottom + 1, r.Right + 1, r.Bottom + 1);
            }
            if (vert) {
                K.Line(r.Left - 1, r.Top - 1, r.Left - 1, r.Bottom + 1);
                K.Line(r.Right + 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
            }
        }
        break;
    default:
        break;
    }
    K.Pen = savedPen;
}

// ---- text ------------------------------------------------------------------------------------------

void TNovaStringGrid::DrawCellText(TCellPaint &P)
{
    TCanvas &K = P.K;
    const int ACol = P.ACol;
    const int ARow = P.ARow;
    const int glw = GridLineWidth();
    const bool focused = hasFocus() || (InplaceEditor() && InplaceEditor()->hasFocus());

    // 1. selection colours
    const TGridRect sel = Selection();
    const bool rowSelected = Options().Contains(goRowSelect) && ARow >= sel.Top && ARow <= sel.Bottom
        && ACol >= FixedCols() && ACol < ColCount() - FixedRightCols();
    if ((P.State.Contains(gdSelected) || rowSelected) && !P.LooksFixed) {
        if (ShowSelection()) {
            if (SelectionColor() != clNone)
                K.Brush.Color = SelectionColor();
            if (SelectionTextColor() != clNone && isEnabled())
                K.Font.Color = SelectionTextColor();
            P.LinkColor = SelectionTextColor();
        } else if (!focused || (P.Graphic && isCheckBoxKind(P.Graphic->CellType()))) {
            K.Brush.Color = P.UnselBrush;
            K.Font.Color = P.UnselFont;
            P.LinkColor = URLColor();
        }
    }

    // 2. the text to show
    QString s;
    try {
        s = GetFormattedCell(P.RCol, ARow);
    } catch (...) {
        s = Cells(P.RCol, ARow);
    }
    int kind = GetTextKind(s, EnableHTML());
    if (kind == 3) {
        GetFormulaValue(P.RCol, ARow, s);
        kind = GetTextKind(s, EnableHTML());
    }
    if (QueryPasswordCell(P.RCol, ARow))
        FillWithChar(s, PasswordChar());

    // 3. text rectangle
    TRect TR = P.ClipRect;
    if (P.LooksFixed) {
        TR.Left += glw;
        TR.Top += glw;
    }
    // A scrolled cell shows the part of its text below the offset, clipped to the cell.
    const bool scrollClip = P.ScrollOffset > 0;
    if (scrollClip) {
        K.SaveState();
        K.IntersectClipRect(P.ClipRect);
        TR = TR.Offset(0, -P.ScrollOffset);
    }

    // 4. filter glyph
    if (P.ShowFilter) {
        const TBrush b = K.Brush;
        paintFilterGlyph(K, {TR.Right - 16, TR.Top, TR.Right, TR.Top + 16}, FFilter->HasFilter(P.RCol));
        K.Brush = b;
    }

    // 5. rows and columns outside a disjunct selection
    if (!P.LooksFixed && !FMouseDown
        && ((FMouseActions->DisjunctRowSelect() && P.DRow >= 0 && !RowSelect(P.DRow))
            || (FMouseActions->DisjunctColSelect() && !ColSelect(P.RCol)))) {
        P.LinkColor = URLColor();
        K.Brush.Color = Color();
        const int size = K.Font.Size - ZoomFactor();
        const TFontStyles style = K.Font.Style;
        K.Font.Color = Font().Color;
        K.Font.Size = size;
        GetCellColor(P.RCol, ARow, P.State, K.Brush, K.Font);
        K.Font.Style = style;
        K.Font.Size += ZoomFactor();
    }

    // 6., 7. background bitmap or gradient
    const TBackGround &bg = *FBackGround;
    const bool cellsMatch = bg.Cells() == bcAll || (bg.Cells() == bcFixed) == P.LooksFixed;
    const bool ownColor = P.UnselBrush != Color() && P.UnselBrush != FixedColor();
    if (!bg.Bitmap().isNull() && !ownColor && cellsMatch && !(P.State.Contains(gdSelected) && ShowSelection())) {
        const TRect r{TR.Left - glw + 1, TR.Top - glw + 1, TR.Right, TR.Bottom};
        if (bg.Display() == bdTile)
            PaintBackgroundTiled(K, r, P.ACol, ARow);
        else
            PaintBackgroundFixed(K, r);
    }
    if (bg.Bitmap().isNull() && (bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert) && cellsMatch) {
        const TCellType t = P.Graphic ? P.Graphic->CellType() : ctEmpty;
        const bool buttonLike = t == ctCheckBox || t == ctDataCheckBox || t == ctRadio || t == ctButton || t == ctRadioButton;
        const bool selectedLook = P.State.Contains(gdSelected) && !P.State.Contains(gdFocused);
        const bool focusSelected = P.State.Contains(gdFocused) && Options().Contains(goDrawFocusSelected);
        if ((!ownColor || buttonLike) && ((!selectedLook && !focusSelected) || !ShowSelection()))
            PaintBackgroundGradient(K, {TR.Left - 1, TR.Top - glw, TR.Right, TR.Bottom + glw - 1});
    }

    // 8. selection rectangle
    if (SelectionRectangle() && !P.LooksFixed && IsSelected(P.RCol, ARow))
        paintSelectionRectangle(P, TR);

    // 9. room for the text beside the graphic
    int graphicOffset = 0;
    if (P.TextBeside) {
        TR.Left += XYOffset.x();
        if (!FXYOffsetTopLeftOnly)
            TR.Right -= XYOffset.x();
        TR.Top += XYOffset.y();
        if (P.Graphic) {
            if (P.GHAlign == haBeforeText)
                TR.Left += P.GW;
            else if (P.GHAlign == haAfterText)
                TR.Right -= P.GW;
            if (P.GVAlign == vaAboveText)
                TR.Top += P.GH;
            else if (P.GVAlign == vaUnderText)
                TR.Bottom -= P.GH;
            if (P.GHAlign == haLeft || (P.GHAlign == haBeforeText && P.HA == taLeftJustify))
                graphicOffset = P.GW;
        }
    }
    if (P.RCol == 0 && HasNodes() && ARow >= FixedRows())
        TR.Left = std::max(TR.Left, P.ClipRect.Left + GetRowIndent(ARow));

    const bool rtl = UseRightToLeftAlignment();
    if (rtl) {
        // The columns are not mirrored on this canvas: the text takes the mirrored place inside
        // its own cell, as pictures do.
        const int sum = P.ClipRect.Left + P.ClipRect.Right;
        TR = {sum - TR.Right, TR.Top, sum - TR.Left, TR.Bottom};
    }
    auto sortIndicatorY = [&](const TRect &r) {
        return P.VA == vtaTop ? r.Top + 8 : P.VA == vtaCenter ? (r.Top + r.Bottom) / 2 : r.Bottom - 8;
    };

    if (kind == 1) {
        // 10. mini-HTML
        if (P.ShowFilter)
            TR.Right -= 18;
        TR.Left -= 1;
        const bool sortCell = IsSortIndicatorCell(P.RCol, ARow)
            && (P.RCol == FSortSettings->Column() || FSortIndexes->FindIndex(P.RCol) >= 0) && FixedRows() > 0
            && (ACol >= FixedCols() || FSortSettings->FixedCols());
        if (sortCell)
            TR.Right -= 10;
        TMarkupDrawParams mp;
        mp.linkColor = P.LinkColor;
        mp.shadowColor = clGray;
        mp.hoverLink = FHoverCell == TPoint{ACol, ARow} ? FHoverlink : -1;
        mp.mouseDown = FCtrlDown && FCtrlXY == TPoint{P.RCol, ARow};
        mp.hoverOnly = URLUnderlineOnHover();
        mp.blinkVisible = FGridBlink;
        mp.pictureCache = &FImageCache;
        mp.window = this;
        mp.wordWrap = P.WW;
        mp.selected = P.State.Contains(gdSelected) && ShowSelection();
        TMarkupDrawResult res;
        DrawMarkupText(K, s, TR, mp, res);
        P.TextWidth = res.textWidth + 2;
        if (sortCell) {
            const int idx = FSortIndexes->FindIndex(P.RCol);
            if (idx < 1 || FSortSettings->IndexShow())
                PaintSortIndicator(K, P.RCol, sortIndicatorY(TR), TR.Right + 2);
        }
    } else if (kind == 2) {
        // 11. rich text
        PaintRichTextCell(P.RCol, ARow, TR, K);
    } else {
        // 12. plain text
        if (FSortSettings->Show() && P.HA == taCenter && ARow == FSortSettings->Row() && P.RCol == FSortSettings->Column())
            TR.Left += 10;
        const TFont savedFont = K.Font;
        if (URLShow() && IsURL(s)) {
            if (!URLFull())
                StripURLProtocol(s);
            K.Font.Style.Include(fsUnderline);
            K.Font.Color = P.LinkColor;
        }
        unsigned flags = DT_EDITCONTROL;
        if (!Multilinecells() && !P.WW) {
            flags = DT_SINGLELINE;
            if (EnhTextSize())
                flags |= DT_END_ELLIPSIS;
            QString first;
            ExtractFirstLine(s, true, first);
            s = first;
        } else if (P.WW && !Multilinecells() && EnhTextSize()) {
            flags |= DT_END_ELLIPSIS;
        }
        flags |= DT_EXPANDTABS | DT_NOPREFIX;
        flags |= P.HA == taRightJustify ? DT_RIGHT : P.HA == taCenter ? DT_CENTER : DT_LEFT;
        flags |= P.VA == vtaCenter ? DT_VCENTER : P.VA == vtaBottom ? DT_BOTTOM : DT_TOP;
        FLastVAlign = P.VA;
        if (P.WW || Multilinecells())
            flags |= DT_WORDBREAK | DT_EDITCONTROL;
        else
            flags |= DT_SINGLELINE;
        if (rtl)
            flags |= DT_RTLREADING;
        if (P.ShowFilter)
            TR.Right -= 16;
        if (P.Graphic && !s.isEmpty()) {
            TRect m = TR;
            K.DrawText(s, m, flags | DT_CALCRECT);
            P.TextWidth = m.Width() + 2;
        }
        K.DrawText(s, TR, flags);
        if (IsSortIndicatorCell(P.RCol, ARow) && P.RCol == FSortSettings->Column()
            && (ACol >= FixedCols() || FSortSettings->FixedCols())) {
            const int w = std::max(0, std::min(TR.Right - TR.Left - 16, K.TextWidth(s)));
            int x;
            if (P.HA == taRightJustify)
                x = TR.Right - w - 10;
            else if (P.HA == taCenter)
                x = TR.Left + 8;
            else
                x = TR.Left + w + graphicOffset + 10;
            PaintSortIndicator(K, P.RCol, sortIndicatorY(TR), x);
        }
        K.Font = savedFont;
    }

    // 13. the scroll clip goes
    if (scrollClip) {
        const TFont font = K.Font;
        const TBrush brush = K.Brush;
        K.RestoreState();
        K.Font = font;
        K.Brush = brush;
    }
}

void TNovaStringGrid::paintCellScrollBar(TCellPaint &P)
{
    const TCellGraphic *g = GetCellGraphic(P.RCol, P.ARow);
    if (!g || !FPaintScrollBar)
        return;
    const int range = std::max(0, int(g->CellErrFrom()));
    const int page = g->CellAngle();
    const int pos = std::max(0, g->CellIndex());
    QStyle *style = QApplication::style();
    const int w = style->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int h = P.ClipRect.Height();
    if (w <= 0 || h <= 0 || P.ClipRect.Width() <= w)
        return;
    // The page covers part of the range; a page as large as the range leaves nothing to scroll.
    const bool paged = page > 0 && page < range;
    QImage bar(w, h, QImage::Format_ARGB32_Premultiplied);
    bar.fill(Qt::transparent);
    QScrollBar &sb = *FPaintScrollBar;
    const QSignalBlocker quiet(&sb);
    sb.resize(w, h);
    sb.setRange(0, paged ? range - page : range);
    sb.setPageStep(paged ? page : 0);
    sb.setSingleStep(10);
    sb.setValue(std::min(pos, sb.maximum()));
    sb.render(&bar, QPoint(), QRegion(), QWidget::DrawChildren);
    P.K.Draw(P.ClipRect.Right - w, P.ClipRect.Top, bar);
    P.ClipRect.Right -= w;
    P.ScrollBarWidth = w;
    P.ScrollOffset = pos;
}

void TNovaStringGrid::paintSelectionRectangle(TCellPaint &P, const TRect &TR)
{
    TCanvas &K = P.K;
    const int glw = GridLineWidth();
    TGridRect sel = Selection();
    const TPoint base = BaseCell(RealColIndex(sel.Left), sel.Top);
    sel.Left = DisplColIndexOf(base.X);
    sel.Top = base.Y;
    const TPen savedPen = K.Pen;
    K.Pen.Color = SelectionRectangleColor();
    K.Pen.Width = 2;
    const int x1 = TR.Left - glw + 1;
    const int y1 = TR.Top - glw + 1;
    const int x2 = TR.Right - 1;
    const int y2 = TR.Bottom;
    const TPoint span = CellSpan(P.RCol, P.ARow);
    const bool left = P.ACol == sel.Left;
    const bool right = P.ACol + span.X >= sel.Right;
    const bool top = P.ARow == sel.Top;
    const bool bottom = P.ARow + span.Y >= sel.Bottom;
    if (left)
        K.Line(x1, y1, x1, y2);
    if (right)
        K.Line(x2, y1, x2, y2);
    if (top)
        K.Line(x1, y1, right ? x2 : TR.Right, y1);
    if (bottom)
        K.Line(x1, y2, right ? x2 : TR.Right, y2);
    if (SelectionResizer() && right && bottom) {
        const TBrush b = K.Brush;
        K.Brush.Color = SelectionRectangleColor();
        K.FillRect({x2 - 4, y2 - 4, x2 + 1, y2 + 1});
        K.Brush = b;
    }
    K.Pen = savedPen;
}

// ---- backgrounds -----------------------------------------------------------------------------------

void TNovaStringGrid::PaintBackgroundFixed(TCanvas &K, const TRect &R)
{
    const QImage &bmp = FBackGround->Bitmap();
    const TRect image{FBackGround->Left(), FBackGround->Top(), FBackGround->Left() + bmp.width(),
                      FBackGround->Top() + bmp.height()};
    const TRect part = R.Intersected(image);
    if (part.IsEmpty())
        return;
    K.Draw(part.Left, part.Top, bmp.copy(part.Offset(-image.Left, -image.Top).ToQRect()));
}

void TNovaStringGrid::PaintBackgroundTiled(TCanvas &K, const TRect &R, int ACol, int ARow)
{
    const QImage &bmp = FBackGround->Bitmap();
    if (bmp.isNull() || R.IsEmpty())
        return;
    const bool fromZero = FBackGround->Cells() != bcNormal;
    const int firstCol = fromZero ? 0 : FixedCols();
    const int firstRow = fromZero ? 0 : FixedRows();
    const int ox = ColSpanWidth(firstCol, std::max(firstCol, ACol)) % bmp.width();
    const int oy = RowSpanHeight(firstRow, std::max(firstRow, ARow)) % bmp.height();
    const int startX = R.Left - 1 - ox;
    const int startY = R.Top - 1 - oy;
    K.SaveState();
    K.IntersectClipRect(R);
    for (int y = startY; y < R.Bottom; y += bmp.height())
        for (int x = startX; x < R.Right; x += bmp.width())
            K.Draw(x, y, bmp);
    K.RestoreState();
}

void TNovaStringGrid::PaintBackgroundGradient(TCanvas &K, const TRect &R)
{
    const bool horizontal = FBackGround->Display() == bdGradientHorz;
    const int extent = horizontal ? ClientWidth() : ClientHeight();
    const int from = horizontal ? R.Left : R.Top;
    const int to = horizontal ? R.Right : R.Bottom;
    const TColor c1 = ColorToRGB(FBackGround->Color());
    const TColor c2 = ColorToRGB(FBackGround->ColorTo());
    DrawGradientRect(K, InterpolateColor(c1, c2, 0, extent, from), InterpolateColor(c1, c2, 0, extent, to), 128, R,
                     horizontal);
}

// ---- borders -------------------------------------------------------------------------------------

void TNovaStringGrid::DrawCellBorders(TCanvas &K, int ACol, int ARow, TRect R)
{
    const TPen saved = K.Pen;
    TCellBorders borders;
    TPen pen = K.Pen;
    GetCellBorder(ACol, ARow, pen, borders);
    if (borders.IsEmpty()) {
        K.Pen = saved;
        return;
    }
    TPen lp = pen, tp = pen, rp = pen, bp = pen;
    FireEvent(OnGetCellBorderProp, this, ARow, ACol, lp, tp, rp, bp);
    const int glw = GridLineWidth();
    const int e = Options().Contains(goHorzLine) ? (pen.Width + 1) / 2 : 0;
    if (Options().Contains(goVertLine)) {
        R.Left += (pen.Width + 1) / 2;
        R.Right -= (pen.Width + 1) / 2;
    }
    R.Bottom -= e;
    if (borders.Contains(cbLeft)) {
        K.Pen = lp;
        K.Line(std::max(0, R.Left), R.Top, std::max(0, R.Left), R.Bottom);
    }
    if (borders.Contains(cbRight)) {
        K.Pen = rp;
        K.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    }
    if (borders.Contains(cbTop)) {
        K.Pen = tp;
        R.Top += e;
        const int y = glw == 0 ? R.Top + 1 : std::max(0, R.Top - glw);
        K.Line(R.Left, y, R.Right, y);
    }
    if (borders.Contains(cbBottom)) {
        K.Pen = bp;
        K.Line(R.Left - glw - 1, R.Bottom - 1, R.Right, R.Bottom - 1);
    }
    K.Pen = saved;
}

// ---- permanent look of cells with graphics ----------------------------------------------------------

TCellGraphic *TNovaStringGrid::MeasureCellGraphic(int ACol, int ARow, TCellVAlign &VAlign, TCellHAlign &HAlign,
                                                  bool &TextBeside, int &Height, int &Width)
{
    VAlign = vaTop;
    HAlign = haLeft;
    TextBeside = true;
    Height = 0;
    Width = 0;
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return nullptr;
    VAlign = g->CellVAlign();
    HAlign = g->CellHAlign();
    TPoint size = GetCellGraphicSize(ACol, ARow);
    // Placing takes the graphic's whole size, also where the text leaves it no room of its own.
    switch (g->CellType()) {
    case ctShape: // a square as high as the row leaves room for
        size.X = size.Y = RowHeights(ARow) - 2 * XYOffset.y();
        break;
    case ctImageList:
    case ctDataImage:
        if (const TMarkupImageList *images = GetGridImageList())
            size = {images->Width, images->Height};
        break;
    default:
        break;
    }
    Width = size.X;
    Height = size.Y;
    switch (g->CellType()) {
    case ctDataImage: case ctDataCheckBox: case ctVirtCheckBox: case ctRowCheckBox: case ctRotated: case ctRadio:
    case ctProgress: case ctRangeIndicator: case ctXPProgress: case ctRating:
        TextBeside = false;
        break;
    default:
        break;
    }
    return g;
}

void TNovaStringGrid::DrawCellGraphic(TCanvas &Canvas, TCellPaint &P, const TRect &R)
{
    DrawGraphicInCell(Canvas, *P.Graphic, R, P.RCol, P.ARow, P.HA, P.VA, P.TextWidth, P.GW, P.GH,
                      P.State.Contains(gdSelected));
}
