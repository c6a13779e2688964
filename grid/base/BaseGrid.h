#pragma once
// The root of every grid: cell access through merged cells and display hooks, one property
// object per cell (created on first use, kept in the cell's object slot), merged cells built on
// these objects, its own painting of every cell, and keys and wheel that keep the current cell
// on the base cell of a merged range.
#include "grid/base/Canvas.h"
#include "grid/base/GridTypes.h"
#include "platform/StringGrid.h"

#include <QPointer>
#include <memory>

class TBaseGrid;
class QWidget;
class ZOdeRodeDeriDozu;

// Base of the undo/redo component a grid can attach; the grid does not own it.
class TGridUndoRedoBase : public QObject {
public:
    explicit TGridUndoRedoBase(QObject *parent = nullptr) : QObject(parent) {}
    TBaseGrid *Grid() const;
    virtual void SetGrid(TBaseGrid *grid);

private:
    QPointer<QWidget> m_grid;
};

// The properties of one cell, and its place in a merged range.
class TCellProperties : public TObject {
public:
    TCellProperties(TBaseGrid *owner, int col, int row);
    const char *ClassName() const override { return "TCellProperties"; }

    // Copies the published state (not the owner, graphic, colour-to, gradient, calculation, paint id).
    void Assign(const TCellProperties &source);
    // (c, r) for a base or unmerged cell, else the base cell of its range.
    TPoint GetBaseCell(int c, int r) const;

    TBaseGrid *OwnerGrid() const { return FOwnerGrid; }
    int OwnerCol() const { return FOwnerCol; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerCol(int c) { FOwnerCol = c; }
    void SetOwnerRow(int r) { FOwnerRow = r; }

    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool v) { FIsBaseCell = v; }
    int CellSpanX() const { return FCellSpanX; }
    int CellSpanY() const { return FCellSpanY; }
    void SetCellSpanX(int v) { FCellSpanX = v; }
    void SetCellSpanY(int v) { FCellSpanY = v; }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; } // no repaint
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor v);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor v);
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle v) { FBrushStyle = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; }
    quintptr CellObject() const { return FObject; }
    void SetCellObject(quintptr v) { FObject = v; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor v) { FFontColor = v; }
    QString FontName() const { return FFontName; }
    void SetFontName(const QString &v) { FFontName = v; }
    int FontSize() const { return FFontSize; }
    void SetFontSize(int v) { FFontSize = v; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles v) { FFontStyle = v; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType v) { FEditor = v; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection v) { FGradientDirection = v; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int v) { FNodeLevel = v; }
    QWidget *Control() const { return FControl; }
    void SetControl(QWidget *v) { FControl = v; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType v) { FCalcType = v; }
    TObject *CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject *v) { FCalcObject = v; }
    TObject *GraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject *v) { FGraphicObject = v; }
    int PaintID() const { return FPaintID; }
    void SetPaintID(int v) { FPaintID = v; }

private:
    // Redraws the cell these properties belong to, when they belong to a grid.
    void RepaintOwner();
    TBaseGrid *FOwnerGrid;
    int FOwnerCol;
    int FOwnerRow;
    quintptr FObject = 0;
    TObject *FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    int FFontSize = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintID = 0;
    bool FWordWrap = true;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject *FCalcObject = nullptr;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    QString FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    QWidget *FControl = nullptr;
};

// No field and no operation of its own.
class TObjStringGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
};

class TBaseGrid : public TObjStringGrid {
public:
    explicit TBaseGrid(QWidget *parent = nullptr);
    ~TBaseGrid() override;

    // ---- cell access -------------------------------------------------------------------------
    QString GetCellEx(int c, int r);
    // The same into text, reusing its buffer (for reading many cells).
    void GetCellExInto(int c, int r, QString &text);
    void SetCellEx(int c, int r, const QString &value);
    QString Cells(int c, int r) { return GetCellEx(c, r); }
    void SetCells(int c, int r, const QString &value) { SetCellEx(c, r, value); }
    QString GetGridCell(int c, int r) const { return m_store.Text(c, r); }
    void SetGridCell(int c, int r, const QString &value) { m_store.SetText(c, r, value); }
    TObject *GetGridObject(int c, int r) const { return m_store.Object(c, r); }
    void SetGridObject(int c, int r, TObject *value) { m_store.SetObject(c, r, value); }

    // ---- cell properties ---------------------------------------------------------------------
    TCellProperties *GetCellProperties(int c, int r); // created on first use, never null
    void SetCellProperties(int c, int r, TCellProperties *value); // frees the old one
    TCellProperties *CellProperties(int c, int r) { return GetCellProperties(c, r); }
    bool HasCellProperties(int c, int r) const;
    TObject *GetObjectEx(int c, int r) const;
    void SetObjectEx(int c, int r, TObject *value);
    TObject *Objects(int c, int r) const { return GetObjectEx(c, r); }
    TObject *GetGraphicObjectEx(int c, int r) const;
    void SetGraphicObjectEx(int c, int r, TObject *value);
    TObject *GraphicObjectOf(TObject *props) const;
    void FreeCellProperties(int c, int r);
    // Frees what a cell's object slot holds: its property object with the cell graphic it owns.
    static void FreeSlotObject(TObject *slot);
    void FreeCellPropertiesRange(int c1, int r1, int c2, int r2);

    // ---- merged cells ------------------------------------------------------------------------
    virtual void MergeCells(int c, int r, int spanx, int spany);
    virtual void SplitCells(int c, int r);
    TPoint BaseCell(int c, int r) const;
    bool ResolveBaseCell(int c, int r, int &bc, int &br) const;
    bool IsBaseCell(int c, int r) const;
    bool IsMergedCell(int c, int r) const;
    bool IsMergedNonBaseCell(int c, int r) const;
    bool IsXMergedCell(int c, int r) const;
    bool IsYMergedCell(int c, int r) const;
    TPoint CellSpan(int c, int r) const;
    TPoint CellExt(int c, int r) const;
    TGridRect FullCell(int c, int r) const;
    int MinRowSpan(int r) const;
    int MaxRowSpan(int r) const;
    bool RowSpanIdentical(int r1, int r2) const;
    bool ColSpanIdentical(int c1, int c2) const;
    void MoveToBaseCell();

    // ---- geometry ----------------------------------------------------------------------------
    TRect VirtualCellRect(int c, int r) const;
    TRect CellRect(int c, int r) const; // the whole range for a merged cell
    TPoint CellSize(int c, int r) const;
    QRect CellBounds(int c, int r) const override { return CellRect(c, r).ToQRect(); }
    int FixedColsWidth() const;
    int FixedRowsHeight() const;

    // ---- painting ----------------------------------------------------------------------------
    void PaintCell(TCanvas &canvas, int c, int r, const TRect &rect, TGridDrawState state);
    void PaintCellExt(TCanvas &canvas, int c, int r, const TRect &rect, TGridDrawState state);
    void RepaintCell(int c, int r);
    TCanvas *Canvas() const { return m_canvas; } // the canvas of the running paint pass

    void ResetColumnCells(int c);
    void ResetRowCells(int r);
    void ResetCell(int c, int r);

    // ---- properties --------------------------------------------------------------------------
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &f);
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool v);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor v);
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor v);
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor v);
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor v);
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle v);
    // The base grid's own settings; the platform grid's default drawing and line width stay off.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool v);
    int GridLineWidth() const { return FGridLineWidth; }
    int GetGridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int v);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor v);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor v);
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool v) { FHoverRow = v; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor v) { FHoverRowColor = v; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor v) { FHoverRowColorTo = v; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells v) { FHoverRowCells = v; }
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { FWordWrap = v; }
    ZOdeRodeDeriDozu *UndoRedo() const; // defined with the undo/redo component
    TGridUndoRedoBase *UndoRedoBase() const { return FUndoRedo; }
    void SetUndoRedo(TGridUndoRedoBase *u);
    int NormalRowCount() const { return FNormalRowCount; }
    void SetNormalRowCount(int n) { FNormalRowCount = n; }
    bool HideLastRow() const { return FHideLastRow; }
    void SetHideLastRow(bool v) { FHideLastRow = v; }
    int PaintID() const { return FPaintID; }
    int MergeCount() const { return FMergeCount; }
    bool HasCellProps() const { return FHasCellProps; }
    bool Destroying() const { return m_destroying; }
    bool UseRightToLeftAlignment() const { return layoutDirection() == Qt::RightToLeft; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplWideTextEvent OnGetDisplWideText;

    // ---- virtual operations for descendants --------------------------------------------------
    virtual bool IsFixed(int c, int r);
    virtual int GetRowIndent(int r);
    virtual bool HasNodes();
    virtual void PaintCellContents(TCanvas &canvas, int c, int r, const TRect &rect, TGridDrawState state);
    virtual void LastRowChanged();
    virtual void GetDisplText(int c, int r, QString &value);
    virtual void GetDisplWideText(int c, int r, QString &value);
    virtual void GetDefaultCellProperties(int c, int r, TFont &font, TBrush &brush, TColor &colorTo,
                                          TColor &mirrorColor, TColor &mirrorColorTo, TAlignment &halign,
                                          TVAlignment &valign, bool &wordWrap, TCellGradientDirection &gd);
    virtual void CellTextChanged(int c, int r);
    virtual bool HasCustomCellBorders();
    virtual bool UsesPlatformStyles();
    virtual void GetVisualProperties(int c, int r, TGridDrawState &state, bool print, bool select, bool remap,
                                     TBrush &brush, TColor &colorTo, TColor &mirrorColor, TColor &mirrorColorTo,
                                     TFont &font, TAlignment &halign, TVAlignment &valign, bool &wordWrap,
                                     TCellGradientDirection &gd);
    virtual int DisplColIndex(int c);
    virtual int TotalColCount() const;

    // Platform hooks.
    void Paint(QPainter &p, const QRect &updateRect) override;
    void DrawCell(int col, int row, const QRect &rect, TGridDrawState state) override;
    bool SelectCell(int col, int row) override;
    void TopLeftChanged() override;
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    bool DoMouseWheelDown(Qt::KeyboardModifiers shift, const QPoint &mousePos) override;
    bool DoMouseWheelUp(Qt::KeyboardModifiers shift, const QPoint &mousePos) override;
    QString GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const QString &value) override;
    void Notification(QObject *component, bool removed) override;
    // Scales the sizes and the grid's font (a form scaled for another resolution).
    void ChangeScale(int m, int d) override;

protected:
    void PaintGridCell(TCanvas &canvas, int c, int r, TRect rect, TGridDrawState state, bool ownRect);
    void RepaintMergedFixedColCells();
    void RepaintMergedFixedRowCells();

    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = clSilver;
    TColor FGridFixedLineColor = clGray;
    int FPaintID = 1;
    bool FHideLastRow = false;
    int FNormalRowCount = 0;
    QPointer<TGridUndoRedoBase> FUndoRedo;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    int FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells{hcNormal, hcSelected};
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    int FMergeCount = 0;

private:
    friend class TCellProperties;
    TCellProperties *propsAt(int c, int r) const; // the slot's property object, or null
    void keepAboveHiddenLastRow(bool moveAnchor); // with a hidden footer row, the current row stays above it
    bool gridFocused() const;

    TColor m_color = clWindow;
    TFont m_font;
    TCanvas *m_canvas = nullptr;
    bool m_destroying = false;
    std::unique_ptr<TCellProperties> m_outside; // answers for coordinates no cell can have
};
