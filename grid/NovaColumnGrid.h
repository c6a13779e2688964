#pragma once
// The column grid: the string grid with a column model. Every real column (hidden ones too) has
// one item of Columns; the grid's per-cell hooks apply the item's setting first, a cell's own
// properties may then win, and the string grid's hook (with the application's event) comes last.
//
// Bodies: NovaColumnGrid.cpp (object, keeping the items in step, headers, widths, moves),
// NovaColumnGrid_Hooks.cpp (per-cell hooks).
#include "grid/GridColumnItem.h"
#include "grid/NovaGrid.h"

#include <functional>
#include <memory>

using TAfterColumnMovedEvent = std::function<void(QObject *Sender, int FromIndex, int ToIndex)>;
using TColumnPopupEvent = std::function<void(QObject *Sender, int ACol, int ARow, QMenu *&PopupMenu)>;

class TNovaColumnGrid : public TNovaStringGrid {
public:
    explicit TNovaColumnGrid(QWidget *AOwner = nullptr);
    ~TNovaColumnGrid() override;

    // End of building a form: items in step, each item's default index := its index.
    void Loaded() override;

    TGridColumnCollection *Columns() const { return FColumnCollection.get(); }
    void SetColumns(const TGridColumnCollection &Value) { FColumnCollection->Assign(Value); }
    // The first item of that exact name; none when no item has it.
    TGridColumnItem *ColumnByName(const QString &AValue) const;

    // The string grid's column count, then one item per column (new ones copy the visuals of the
    // column before them, removed ones go from the end).
    void SetColCount(int Value);
    int ColCount() const { return TNovaStringGrid::ColCount(); }

    // Column organisation: the "CP" keys of an INI file hold, per position, the default index of
    // the column standing there (NovaColumnGrid_Organization.cpp).
    void SaveColumnPositions(const QString &Key, const QString &Section);
    void LoadColumnPositions(const QString &Key, const QString &Section);
    // The items as one column-stream record at the stream's position, and back (ColumnGridIO.cpp).
    // A damaged record raises ENovaGridError before anything changes, the stream where it was.
    void SaveColumnsToStream(QIODevice &st);
    void LoadColumnsFromStream(QIODevice &st);
    void SaveColPositions() override;
    void LoadColPositions() override;

    bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
    void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }
    bool ColMoving() const { return FColMoving; }
    // The spare item that keeps a grouped column's settings.
    const TGridColumnItem &SavedGroupColumn() const { return *FSaveCol; }

    TAfterColumnMovedEvent OnAfterColumnMoved;
    TColumnPopupEvent OnColumnPopup;

    // ---- overrides of the string grid's virtual operations ----------------------------------
    void GetDefaultCellProperties(int ACol, int ARow, TFont &AFont, TBrush &ABrush, TColor &AColorTo,
                                  TColor &AMirrorColor, TColor &AMirrorColorTo, TAlignment &HAlign,
                                  TVAlignment &VAlign, bool &WW, TCellGradientDirection &GD) override;
    QString GetFormattedCell(int ACol, int ARow) override;
    void GetFloatFormat(int ACol, int ARow, bool &IsFloat, QString &FloatFormat) override;
    TCellType GetCellType(int ACol, int ARow) override;
    TCellGraphic *GetCellGraphic(int ACol, int ARow) override;
    TCellGraphic *GetHiddenRowCellGraphic(int ACol, int RealRow) override;
    void DoUpdateColumnSize(int ACol, int &AWidth) override;
    void DoUpdateAutoColumnSize(int ACol, int &AWidth) override;
    void ColumnHeadersChanged() override;
    void CellsLoaded() override;
    void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush, TFont &AFont) override;
    void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush &ABrush, TFont &AFont) override;
    void GetCellBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders) override;
    void GetCellPrintBorder(int ACol, int ARow, TPen &APen, TCellBorders &Borders) override;
    void GetCellAlignment(int ACol, int ARow, TAlignment &HAlign, TVAlignment &VAlign) override;
    void GetColFormat(int ACol, TSortStyle &AStyle, QString &aPrefix, QString &aSuffix) override;
    void GetCellEditor(int ACol, int ARow, TEditorType &AEditor) override;
    void IsFixedCell(int ACol, int ARow, bool &IsFixed) override;
    void CheckCanEditCell(int ACol, int ARow, bool &CanEdit) override;
    void IsPasswordCell(int ACol, int ARow, bool &IsPassword) override;
    bool HasComboBox(int ACol, int ARow) override;
    void GetCheckTrue(int ACol, int ARow, QString &Value) override;
    void GetCheckFalse(int ACol, int ARow, QString &Value) override;
    bool GetColumnFilter(int ACol) override;
    void ApplyDropListFilter(QObject *Sender, int ItemIndex) override;
    int GetVersionNr() const override;
    QString GetVersionString() const override;
    void RemoveCols(int ColIndex, int CCount) override;
    void InsertCols(int ColIndex, int CCount) override;
    void Group(int ColIndex) override;
    void UnGroup() override;

    // ---- overrides of the platform grid --------------------------------------------------------
    void ChangeScale(int M, int D) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void ColWidthsChanged() override;
    int GetEditLimit() override;
    QString GetEditMask(int ACol, int ARow) override;
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y) override;
    void Notification(QObject *AComponent, bool Removed) override;
    void SizeChanged(int OldColCount, int OldRowCount) override;

protected:
    // Makes the collection; a descendant may answer its own collection class.
    virtual std::unique_ptr<TGridColumnCollection> CreateColumns();

private:
    friend class TGridColumnItem;
    friend class TGridColumnCollection;
    // One item per real column: added with Columns.Add, surplus freed from the end.
    void SyncColumnItems();
    // Rebuilds ColumnHeaders from the items (header texts taken from row 0 where items have none).
    void UpdateColumnHeaders();
    // The item of a real column, none beyond the items.
    TGridColumnItem *itemAt(int ACol) const;
    bool isDataCell(int ACol, int ARow) const;
    bool isBodyCell(int ACol, int ARow) const;
    bool isLoading() const { return FLoading; }
    bool isDesigning() const { return FDesigning; }

    std::unique_ptr<TGridColumnCollection> FColumnCollection;
    std::unique_ptr<TGridColumnItem> FSaveCol;
    bool FColMoving = false;
    std::unique_ptr<TCellGraphic> FVirtCheckGraphic; // answered for data check box cells
    bool FAutoFilterDisplay = false;
    int FKeepItems = 0; // > 0 while an operation puts the items in step itself
};
