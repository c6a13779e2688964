#pragma once
// The grid drop-down: a drop-down edit whose pop-up holds a whole string grid, with its sorting,
// filtering, search footer, anchors and hints. Its rows come from its own columns and items (items
// mode) or from what the application writes into the grid (grid mode). One column, the lookup
// column, gives the edit text and is searched by typing: the search jumps to the first match or
// narrows the grid down to the matching rows. The grid's events reach the owner through the
// drop-down's OnGrid events, since the grid itself lives inside the pop-up. Its model classes live
// in the namespace griddropdown.
#include "dropdown/ColumnListDropDown.h"
#include "grid/NovaGrid.h"

#include <QPointer>
#include <memory>

class TCustomNovaGridDropDown;

namespace griddropdown {

class TDropDownColumn : public TListColumn {
public:
    using TListColumn::TListColumn;
    void Assign(const TDropDownColumn &Source) { AssignColumn(Source); }
};

class TDropDownColumns : public TCollection<TDropDownColumn> {
public:
    using TCollection::TCollection;
};

class TDropDownItem : public TListItem {
public:
    using TListItem::TListItem;
    // Only the image index; the texts are not copied.
    void Assign(const TDropDownItem &Source) { AssignItem(Source); }
};

class TDropDownItems : public TCollection<TDropDownItem> {
public:
    using TCollection::TCollection;
    virtual ~TDropDownItems() = default;
};

// The grid in the pop-up: a string grid that draws itself, confirms a row by keys and clicks (not
// by the wheel) and knows its drop-down.
class TNovaColGrid : public TColumnListGrid<TNovaStringGrid> {
public:
    explicit TNovaColGrid(QWidget *AOwner);
    ~TNovaColGrid() override;

    TDropDownColumns &Columns() const { return *FColumns; }
    void SetColumns(const TDropDownColumns &Value) { FColumns->Assign(Value); }
    TCustomNovaGridDropDown *NovaDropDown() const { return FNovaDropDown; }
    void SetNovaDropDown(TCustomNovaGridDropDown *Value) { FNovaDropDown = Value; }
    // The string grid draws its own lines at this width.
    void SetGridLineWidth(int Value)
    {
        FGridLineWidth = Value;
        TNovaStringGrid::SetGridLineWidth(Value);
    }

protected:
    void mousePressEvent(QMouseEvent *e) override;
    // A release over a check box cell toggles it, and one ending a press on a link follows the
    // link: neither chooses the row.
    bool SelectsOnRelease(int X, int Y, int Row) const override;

private:
    bool FPressOnAnchor = false;
    std::unique_ptr<TDropDownColumns> FColumns;
    TCustomNovaGridDropDown *FNovaDropDown = nullptr;
};

} // namespace griddropdown

enum TLookupMethod : std::uint8_t { lmLookup, lmNarrowDown, lmNone };
enum TDropDownStyle : std::uint8_t { dsDropDown, dsDropDownList };
enum TGridSorting : std::uint8_t { gsNone, gsSingleColumn, gsMultiColumn };

class TCustomNovaGridDropDown : public TColumnListDropDown {
public:
    explicit TCustomNovaGridDropDown(QWidget *AOwner = nullptr);
    ~TCustomNovaGridDropDown() override;

    bool UseItems() const { return FUseItems; }
    void SetUseItems(bool Value) { FUseItems = Value; }
    griddropdown::TDropDownColumns &Columns() const { return *FColumns; }
    void SetColumns(const griddropdown::TDropDownColumns &Value) { FColumns->Assign(Value); }
    griddropdown::TDropDownItems &Items() const { return *FItems; }
    void SetItems(const griddropdown::TDropDownItems &Value) { FItems->Assign(Value); }
    // Items mode: any value below the item count, the edit showing its lookup text. Grid mode: a
    // data row counted from 0, the edit showing its lookup cell.
    void SetItemIndex(int Value) override;
    TLookupMethod LookupMethod() const { return FLookupMethod; }
    void SetLookupMethod(TLookupMethod Value) { FLookupMethod = Value; }
    TDropDownStyle Style() const { return FStyle; }
    // dsDropDownList makes the edit not editable.
    void SetStyle(TDropDownStyle Value);
    bool AutoShowDropDown() const { return FAutoShowDropDown; }
    void SetAutoShowDropDown(bool Value) { FAutoShowDropDown = Value; }
    bool AutoSizeColumns() const { return FAutoSizeColumns; }
    void SetAutoSizeColumns(bool Value) { FAutoSizeColumns = Value; }
    bool ColumnMoving() const { return FColumnMoving; }
    void SetColumnMoving(bool Value) { FColumnMoving = Value; }
    bool RowSizing() const { return FRowSizing; }
    void SetRowSizing(bool Value) { FRowSizing = Value; }
    bool RowMoving() const { return FRowMoving; }
    void SetRowMoving(bool Value) { FRowMoving = Value; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value) { FRowSelect = Value; }
    bool GridEditable() const { return FGridEditable; }
    void SetGridEditable(bool Value) { FGridEditable = Value; }
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
    TGridSorting Sorting() const { return FSorting; }
    void SetSorting(TGridSorting Value) { FSorting = Value; }
    int RowCount() const { return FItems->Count(); }

    // The inner grid (the application fills it in grid mode).
    griddropdown::TNovaColGrid *GetGrid() const { return FNovaColGrid; }
    // What has been typed into the search so far.
    QString LookupEntry() const { return FLookupEntry; }
    // The item of a grid row (the row itself outside the grid) and the first data row of an item.
    int RowToItem(int ARow) const;
    int ItemToRow(int AItem) const;
    // The first item (items mode) or grid row (grid mode) whose lookup text starts with Prefix.
    bool LookupPrefix(const QString &Prefix, QString &Match, int &Index) const;
    quint32 GetVersionNr() const override { return 0x06000101; }

    void DoHideDropDown(bool Cancel) override;

    editorkit::NotifyEvent OnSelect;

    // ---- the inner grid's events (Sender: the grid, but the drop-down for OnGridTopLeftChanged)
    TAnchorClickEvent OnGridAnchorClick;
    TAnchorEvent OnGridAnchorEnter;
    TAnchorEvent OnGridAnchorExit;
    TAnchorHintEvent OnGridAnchorHint;
    ::TButtonClickEvent OnGridButtonClick;
    TEllipsClickEvent OnGridEllipsClick;
    TCanSortEvent OnGridCanSort;
    TClickSortEvent OnGridClickSort;
    TGridAlignEvent OnGridGetAlignment;
    TGridColorEvent OnGridGetCellColor;
    TGetDisplTextEvent OnGridGetDiplText;
    TGridHintEvent OnGridHint;
    TClickCellEvent OnGridRightClickCell;
    TNotifyEvent OnGridTopLeftChanged;
    TSearchEditChangeEvent OnGridSearchEditChange;
    TCanEditCellEvent OnGridCanEditCell;
    TGetEditorTypeEvent OnGridGetEditorType;
    TCheckBoxClickEvent OnGridCheckBoxClick;
    TGridKeyEvent OnGridKeyDown;
    TGridKeyEvent OnGridKeyUp;
    std::function<void(QObject *Sender, QChar &Key)> OnGridKeyPress;
    // Handed on unchanged (the grid's own event types).
    decltype(TNovaStringGrid::OnColumnSize) OnGridColumnSize;
    decltype(TNovaStringGrid::OnColumnSizing) OnGridColumnSizing;
    decltype(TNovaStringGrid::OnEndColumnSize) OnGridEndColumnSize;
    decltype(TNovaStringGrid::OnRowSize) OnGridRowSize;
    decltype(TNovaStringGrid::OnRowSizing) OnGridRowSizing;
    decltype(TNovaStringGrid::OnEndRowSize) OnGridEndRowSize;
    decltype(TNovaStringGrid::OnRowMove) OnGridRowMove;
    decltype(TNovaStringGrid::OnRowMoving) OnGridRowMoving;
    decltype(TNovaStringGrid::OnRowMoved) OnGridRowMoved;
    decltype(TNovaStringGrid::OnColumnMove) OnGridColumnMove;
    decltype(TNovaStringGrid::OnColumnMoving) OnGridColumnMoving;
    decltype(TNovaStringGrid::OnColumnMoved) OnGridColumnMoved;
    decltype(TNovaStringGrid::OnCustomCellDraw) OnGridCustomCellDraw;
    decltype(TNovaStringGrid::OnCustomCellBkgDraw) OnGridCustomCellBkgDraw;
    decltype(TNovaStringGrid::OnCellBalloon) OnGridCellBalloon;
    decltype(TNovaStringGrid::OnGetCellGradient) OnGridGetCellGradient;
    decltype(TNovaStringGrid::OnGetFormat) OnGridGetFormat;
    decltype(TNovaStringGrid::OnGetEditorProp) OnGridGetEditorProp;
    decltype(TNovaStringGrid::OnMouseDown) OnGridMouseDown;
    decltype(TNovaStringGrid::OnMouseUp) OnGridMouseUp;
    decltype(TNovaStringGrid::OnMouseMove) OnGridMouseMove;
    decltype(TNovaStringGrid::OnScrollHint) OnGridScrollHint;
    decltype(TNovaStringGrid::OnAutoAddRow) OnGridAutoAddRow;
    decltype(TNovaStringGrid::OnAutoInsertRow) OnGridInsertRow;
    decltype(TNovaStringGrid::OnAutoInsertCol) OnGridInsertCol;
    decltype(TNovaStringGrid::OnAutoDeleteRow) OnGridDeleteRow;
    decltype(TNovaStringGrid::OnCanAddRow) OnGridCanAddRow;
    decltype(TNovaStringGrid::OnCanInsertRow) OnGridCanInsertRow;
    decltype(TNovaStringGrid::OnCanDeleteRow) OnGridCanDeleteRow;
    TFloatFormatEvent OnGridGetFloatFormat;

protected:
    int ColumnCount() const override { return FColumns->Count(); }
    const TListColumn &ListColumn(int Index) const override { return *FColumns->GetItem(Index); }
    int ItemCount() const override { return FItems->Count(); }
    const TListItem &ListItem(int Index) const override { return *FItems->GetItem(Index); }
    int ChoiceCount() const override;
    TStringGrid *ListGrid() const override { return FNovaColGrid; }

    virtual std::unique_ptr<griddropdown::TDropDownItems> CreateItems(QObject *AOwner);

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoShowDropDown() override;
    void PlaceDropDownControl() override;
    void ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift) override;
    void ControlKeyPress(QChar &Key) override;
    void BeforeEditKeyDown(int Key) override;
    void keyPressEvent(QKeyEvent *e) override;
    void DoEnter() override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;

    // ---- one operation per grid event; each fires its OnGrid event when assigned
    virtual void DoAnchorClick(QObject *Sender, int ARow, int ACol, QString Anchor, bool &AutoHandle);
    virtual void DoAnchorEnter(QObject *Sender, int ARow, int ACol, QString Anchor);
    virtual void DoAnchorExit(QObject *Sender, int ARow, int ACol, QString Anchor);
    virtual void DoAnchorHint(QObject *Sender, int ARow, int ACol, QString &Anchor);
    virtual void DoButtonClick(QObject *Sender, int ACol, int ARow);
    virtual void DoEllipsClick(QObject *Sender, int ACol, int ARow, QString &S);
    virtual void DoCanSort(QObject *Sender, int ACol, bool &DoSort);
    virtual void DoClickSort(QObject *Sender, int ACol);
    virtual void DoGetAlignment(QObject *Sender, int ARow, int ACol, TAlignment &HAlign, TVAlignment &VAlign);
    virtual void DoGetCellColor(QObject *Sender, int ARow, int ACol, TGridDrawState AState, TBrush &ABrush,
                                TFont &AFont);
    virtual void DoGetDisplText(QObject *Sender, int ACol, int ARow, QString &Value);
    virtual void DoGridHint(QObject *Sender, int ARow, int ACol, QString &HintStr);
    virtual void DoRightClickCell(QObject *Sender, int ARow, int ACol);
    virtual void DoTopLeftChanged(QObject *Sender);
    virtual void DoSearchEditChange(QObject *Sender, QString Value, bool &DefaultSearch);
    virtual void DoCanEditCell(QObject *Sender, int ARow, int ACol, bool &CanEdit);
    virtual void DoGetEditorType(QObject *Sender, int ACol, int ARow, TEditorType &AEditor);
    virtual void DoKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    virtual void DoKeyUp(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift);
    virtual void DoKeyPress(QObject *Sender, QChar &Key);
    void DoCheckBoxClick(QObject *Sender, int ACol, int ARow, bool State);
    // The format text starts empty.
    virtual void DoGetFloatFormat(QObject *Sender, int ACol, int ARow, bool &IsFloat, QString &FloatFormat);

private:
    void SyncWithDropDown();
    void LoadItems();
    void BindGridEvents();
    void GridSelectCell(int ACol, int ARow, bool &CanSelect);
    void GridSelect();
    void GridCanSort(bool &DoSort);
    void GridClickSort();
    int IncrementalLookup(QChar Key);
    // Runs Fire with the pop-up's activation block set, so that a window the handler opens does
    // not close the pop-up; the block ends on every way out.
    template <typename F>
    void Blocked(F &&Fire);

    std::unique_ptr<griddropdown::TDropDownColumns> FColumns;
    std::unique_ptr<griddropdown::TDropDownItems> FItems;
    bool FUseItems = true;
    TLookupMethod FLookupMethod = lmLookup;
    TDropDownStyle FStyle = dsDropDown;
    bool FAutoShowDropDown = false;
    bool FAutoSizeColumns = true;
    bool FColumnMoving = false;
    bool FRowSizing = false;
    bool FRowMoving = false;
    bool FRowSelect = true;
    bool FGridEditable = false;
    bool FHoverRow = false;
    TColor FHoverRowColor = TColor(0xFF000018);
    TColor FHoverRowColorTo = clNone;
    TGridSorting FSorting = gsNone;

    int FSelRow = 1;
    int FTempItemIndex = -1;
    bool FShowing = false;
    // A child of the pop-up window, which frees it.
    QPointer<griddropdown::TNovaColGrid> FNovaColGrid;
};
