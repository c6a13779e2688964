// The grid drop-down. The grid exists from construction on; at every opening it takes the
// drop-down's settings and event bindings and, in items mode, its rows anew. Every data row's first
// cell carries its item's index as the cell object, which travels with the row when the grid sorts
// or filters, so rows and items translate at any time.
#include "dropdown/NovaGridDropDown.h"

#include "dropdown/DropDownForm.h"
#include "grid/SortSettings.h"

#include <QGuiApplication>
#include <QMouseEvent>

namespace griddropdown {

TNovaColGrid::TNovaColGrid(QWidget *AOwner)
    : TColumnListGrid<TNovaStringGrid>(AOwner), FColumns(std::make_unique<TDropDownColumns>(this))
{
    FHeaderColorTo = 0x808080;
    FHeaderColor = clWhite;
    FLineColor = 0x808080;
    SetFixedRowAlways(true);
    SetFixedRows(1);
    SetFixedCols(0);
    FHeaderFont.Assign(font());
    FHeaderHeight = 25;
    TGridOptions o = Options();
    o.Exclude(goRangeSelect);
    o.Include(goHorzLine);
    o.Include(goRowSelect);
    SetOptions(o);
    setFrameShape(QFrame::NoFrame);
    SetGridLineWidth(1);
    setAccessibleName(QStringLiteral("Rows"));
}

TNovaColGrid::~TNovaColGrid() = default;

void TNovaColGrid::mousePressEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    int c = -1, r = -1;
    MouseToCell(p.x(), p.y(), c, r);
    TMarkupDrawResult hit;
    FPressOnAnchor = c >= 0 && r >= 0 && hitTestCellMarkup(c, r, p.x(), p.y(), hit) && !hit.hitAnchor.isEmpty();
    TColumnListGrid::mousePressEvent(e);
}

bool TNovaColGrid::SelectsOnRelease(int X, int Y, int Row) const
{
    if (FPressOnAnchor || !TColumnListGrid::SelectsOnRelease(X, Y, Row)) return false;
    int c = -1, r = -1;
    const_cast<TNovaColGrid *>(this)->MouseToCell(X, Y, c, r);
    return !const_cast<TNovaColGrid *>(this)->HasCheckBox(RealColIndex(c), Row);
}

} // namespace griddropdown

using namespace griddropdown;

namespace {

// The row index an item's cell object carries.
TObject *itemObject(int Item)
{
    return reinterpret_cast<TObject *>(quintptr(qintptr(Item)));
}

int objectItem(TObject *Object)
{
    return int(qintptr(reinterpret_cast<quintptr>(Object)));
}

// The grid event that fires Target when the owner has assigned it.
template <typename Event>
Event passOn(const Event &Target)
{
    return [&Target](auto &&...Args) {
        if (Target) Target(std::forward<decltype(Args)>(Args)...);
    };
}

bool isGridKey(int Key)
{
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Up:
    case Qt::Key_Down: return true;
    default: return false;
    }
}

} // namespace

// ---- construction ----------------------------------------------------------------------------------

TCustomNovaGridDropDown::TCustomNovaGridDropDown(QWidget *AOwner)
    : TColumnListDropDown(AOwner, 4, false), FColumns(std::make_unique<TDropDownColumns>(this))
{
    CreateDropDownForm();
    FColumnSizing = false;
    FLookupColumn = 0;
    FHeaderColorTo = 0x808080;
    FHeaderColor = clWhite;
    FHeaderHeight = 25;
    FLineColor = 0xC0C0C0;
    FItems = CreateItems(this);
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    FItemIndex = -1;
    FOldItemIndex = -1;
    FWorkMode = true;
    FMatchCase = false;
    SetAutoSelect(true);
    FDropDownAutoWidth = true;
    SetSelectionColorStyle(scOffice2007);
    FSelectionTextColor = 0;
    FColumnSizeWithDropDown = true;
    FDropDownRowHeight = 22;
    setAccessibleName(QStringLiteral("Row"));
}

TCustomNovaGridDropDown::~TCustomNovaGridDropDown() = default;

std::unique_ptr<TDropDownItems> TCustomNovaGridDropDown::CreateItems(QObject *AOwner)
{
    return std::make_unique<TDropDownItems>(AOwner);
}

void TCustomNovaGridDropDown::SetStyle(TDropDownStyle Value)
{
    FStyle = Value;
    SetEditorEnabled(Value == dsDropDown);
}

void TCustomNovaGridDropDown::CreateDropDownForm()
{
    TNovaCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FNovaColGrid) {
        FNovaColGrid = new TNovaColGrid(FDropDownForm);
        SetControl(FNovaColGrid);
    }
    FNovaColGrid->SetNovaDropDown(this);
    FNovaColGrid->setGeometry(0, 0, FNovaColGrid->width(), 180);
    FNovaColGrid->setAutoFillBackground(true);
}

void TCustomNovaGridDropDown::PlaceDropDownControl()
{
    if (FNovaColGrid && FControl != FNovaColGrid) FControl = FNovaColGrid;
    TNovaCustomDropDown::PlaceDropDownControl();
}

int TCustomNovaGridDropDown::ChoiceCount() const
{
    if (FUseItems) return FItems->Count();
    return FNovaColGrid ? std::max(0, FNovaColGrid->RowCount() - FNovaColGrid->FixedRows()) : 0;
}

// ---- rows and items --------------------------------------------------------------------------------

int TCustomNovaGridDropDown::RowToItem(int ARow) const
{
    if (!FNovaColGrid || ARow < 0 || ARow >= FNovaColGrid->RowCount()) return ARow;
    return objectItem(FNovaColGrid->Objects(0, ARow));
}

int TCustomNovaGridDropDown::ItemToRow(int AItem) const
{
    if (!FNovaColGrid || AItem < 0) return FItemIndex;
    const TNovaColGrid &g = *FNovaColGrid;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r)
        if (objectItem(g.Objects(0, r)) == AItem) return r;
    return FItemIndex;
}

void TCustomNovaGridDropDown::LoadItems()
{
    TNovaColGrid &g = *FNovaColGrid;
    if (g.ColCount() != FColumns->Count() && FColumns->Count() > 0) g.SetColCount(FColumns->Count());
    for (int c = 0; c < FColumns->Count(); ++c) {
        g.SetCells(c, 0, FColumns->GetItem(c)->Header());
        g.SetObjectEx(c, 0, itemObject(-1));
    }
    if (FItems->Count() > 0) g.SetRowCount(g.FixedRows() + FItems->Count());
    for (int i = 0; i < FItems->Count(); ++i) {
        const TDropDownItem &item = *FItems->GetItem(i);
        for (int c = 0; c < g.ColCount(); ++c) {
            QString t;
            item.TextIn(c, t);
            g.SetCells(c, i + 1, t);
        }
        g.SetObjectEx(0, i + 1, itemObject(i));
    }
}

bool TCustomNovaGridDropDown::LookupPrefix(const QString &Prefix, QString &Match, int &Index) const
{
    Index = -1;
    if (FUseItems) return ItemLookupPrefix(Prefix, Match, Index);
    if (!FNovaColGrid || Prefix.isEmpty()) return false;
    const Qt::CaseSensitivity cs = FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    TNovaColGrid &g = *FNovaColGrid;
    for (int r = g.FixedRows(); r < g.RowCount(); ++r) {
        const QString t = g.Cells(FLookupColumn, r);
        if (t.startsWith(Prefix, cs)) {
            Match = t;
            Index = r;
            return true;
        }
    }
    return false;
}

void TCustomNovaGridDropDown::SetItemIndex(int Value)
{
    if (FUseItems) {
        if (Value >= FItems->Count()) return;
        FItemIndex = Value;
        QString t;
        if (Value >= 0) ItemLookupText(Value, t);
        SetText(t);
        return;
    }
    if (!FNovaColGrid) {
        FItemIndex = Value;
        return;
    }
    if (Value == FItemIndex || Value >= FNovaColGrid->RowCount()) return;
    FItemIndex = Value;
    SetText(Value < 0 ? QString() : FNovaColGrid->Cells(FLookupColumn, Value + 1));
}

// ---- opening ---------------------------------------------------------------------------------------

void TCustomNovaGridDropDown::SyncWithDropDown()
{
    TNovaColGrid &g = *FNovaColGrid;
    g.SetColumns(*FColumns);
    if (g.ColCount() < FColumns->Count()) g.SetColCount(FColumns->Count());
    if (FUseItems) g.SetRowCount(FItems->Count() + 1);
    for (int c = 0; c < FColumns->Count(); ++c) g.SetColWidths(c, FColumns->GetItem(c)->Width());
    g.SetLineColor(FLineColor);
    g.SetFixedLineColor(FFixedLineColor);
    g.SetHeaderColor(FHeaderColor);
    g.SetHeaderColorTo(FHeaderColorTo);
    g.SetHeaderHeight(FHeaderHeight);
    g.SetHeaderFont(FHeaderFont);
    g.SetHoverRow(FHoverRow);
    g.SetHoverRowColor(FHoverRowColor);
    g.SetHoverRowColorTo(FHoverRowColorTo);
    g.SetImages(FImages);
    g.SetDefaultRowHeight(RowHeightInUse());
    g.SetRowHeights(0, FHeaderHeight);
    TGridOptions o = g.Options();
    auto set = [&o](TGridOption Option, bool On) { On ? o.Include(Option) : o.Exclude(Option); };
    set(goColSizing, FColumnSizing);
    set(goColMoving, FColumnMoving);
    set(goRowSizing, FRowSizing);
    set(goRowMoving, FRowMoving);
    g.SetOptions(o);
    if (FAutoSizeColumns) {
        if (FUseItems) SizeAutoSizeColumns(g);
        else g.AutoSizeColumns(true, 4);
    }
    UpdateWrapRowHeights(g);
}

void TCustomNovaGridDropDown::BeforeDropDown()
{
    FDropDownForm->SetCancelOnDeActivate(false);
    FShowing = true;
    if (!FNovaColGrid) {
        TNovaCustomDropDown::BeforeDropDown();
        FOldItemIndex = FItemIndex;
        return;
    }
    TNovaColGrid &g = *FNovaColGrid;
    SyncWithDropDown();
    QPalette pal = g.palette();
    pal.setColor(QPalette::Base, editorkit::toQColor(FDropDownColor, pal));
    g.setPalette(pal);
    g.SortSettings()->SetShow(FSorting != gsNone);
    g.SortSettings()->SetIndexShow(FSorting == gsMultiColumn);
    g.OnEndBlockFocus = [this](QObject *) {
        if (FDropDownForm) FDropDownForm->SetBlockActivate(false);
    };
    g.OnSelect = [this](QObject *) { GridSelect(); };
    BindGridEvents();
    // Columns scaled to the pop-up's width never need the horizontal bar.
    g.SetScrollBars(FColumnSizeWithDropDown ? ssVertical : ssBoth);
    TGridOptions o = g.Options();
    o.Include(goThumbTracking);
    FRowSelect ? o.Include(goRowSelect) : o.Exclude(goRowSelect);
    FGridEditable ? o.Include(goEditing) : o.Exclude(goEditing);
    g.SetOptions(o);
    g.OnCanSort = [this](QObject *, int, bool &DoSort) { GridCanSort(DoSort); };
    g.OnClickSort = [this](QObject *, int) { GridClickSort(); };
    g.OnSelectCell = [this](QObject *, int c, int r, bool &can) { GridSelectCell(c, r, can); };
    if (FUseItems) {
        TNovaCustomDropDown::BeforeDropDown();
        g.SetRowCount(FItems->Count() + 1);
        g.SetFixedRows(1);
        LoadItems();
        const int row = ItemToRow(FItemIndex);
        if (row >= g.FixedRows() && row < g.RowCount()) g.SetRow(row);
    } else {
        QString match;
        int row = -1;
        if (!LookupPrefix(text(), match, row)) row = g.FixedRows();
        if (row < g.RowCount()) g.SetRow(row);
    }
    if (g.SortSettings()->Column() >= 0 && g.SortSettings()->Show()) g.QSort();
    FOldItemIndex = FItemIndex;
    if (!FUseItems) TNovaCustomDropDown::BeforeDropDown();
}

void TCustomNovaGridDropDown::BindGridEvents()
{
    TNovaColGrid &g = *FNovaColGrid;
    g.OnAnchorClick = [this](QObject *s, int r, int c, QString a, bool &h) { DoAnchorClick(s, r, c, a, h); };
    g.OnAnchorEnter = [this](QObject *s, int r, int c, QString a) { DoAnchorEnter(s, r, c, a); };
    g.OnAnchorExit = [this](QObject *s, int r, int c, QString a) { DoAnchorExit(s, r, c, a); };
    g.OnAnchorHint = [this](QObject *s, int r, int c, QString &a) { DoAnchorHint(s, r, c, a); };
    g.OnGetAlignment = [this](QObject *s, int r, int c, TAlignment &h, TVAlignment &v) { DoGetAlignment(s, r, c, h, v); };
    g.OnGetCellColor = [this](QObject *s, int r, int c, TGridDrawState st, TBrush &b, TFont &f) {
        DoGetCellColor(s, r, c, st, b, f);
    };
    g.OnGetDisplText = [this](QObject *s, int c, int r, QString &v) { DoGetDisplText(s, c, r, v); };
    g.OnGridHint = [this](QObject *s, int r, int c, QString &h) { DoGridHint(s, r, c, h); };
    g.OnRightClickCell = [this](QObject *s, int r, int c) { DoRightClickCell(s, r, c); };
    g.OnButtonClick = [this](QObject *s, int c, int r) { DoButtonClick(s, c, r); };
    g.OnCheckBoxClick = [this](QObject *s, int c, int r, bool st) { DoCheckBoxClick(s, c, r, st); };
    g.OnGetEditorType = [this](QObject *s, int c, int r, TEditorType &e) { DoGetEditorType(s, c, r, e); };
    g.OnCanEditCell = [this](QObject *s, int r, int c, bool &can) { DoCanEditCell(s, r, c, can); };
    g.OnEllipsClick = [this](QObject *s, int c, int r, QString &t) { DoEllipsClick(s, c, r, t); };
    g.OnTopLeftChanged = [this](QObject *s) { DoTopLeftChanged(s); };
    g.OnSearchEditChange = [this](QObject *s, QString v, bool &d) { DoSearchEditChange(s, v, d); };
    g.OnGetFloatFormat = [this](QObject *s, int c, int r, bool &f, QString &t) { DoGetFloatFormat(s, c, r, f, t); };
    g.OnColumnSize = passOn(OnGridColumnSize);
    g.OnColumnSizing = passOn(OnGridColumnSizing);
    g.OnEndColumnSize = passOn(OnGridEndColumnSize);
    g.OnRowSize = passOn(OnGridRowSize);
    g.OnRowSizing = passOn(OnGridRowSizing);
    g.OnEndRowSize = passOn(OnGridEndRowSize);
    g.OnRowMove = passOn(OnGridRowMove);
    g.OnRowMoving = passOn(OnGridRowMoving);
    g.OnRowMoved = passOn(OnGridRowMoved);
    g.OnColumnMove = passOn(OnGridColumnMove);
    g.OnColumnMoving = passOn(OnGridColumnMoving);
    g.OnColumnMoved = passOn(OnGridColumnMoved);
    g.OnCellBalloon = passOn(OnGridCellBalloon);
    g.OnGetCellGradient = passOn(OnGridGetCellGradient);
    g.OnGetFormat = passOn(OnGridGetFormat);
    g.OnGetEditorProp = passOn(OnGridGetEditorProp);
    g.OnMouseDown = passOn(OnGridMouseDown);
    g.OnMouseUp = passOn(OnGridMouseUp);
    g.OnMouseMove = passOn(OnGridMouseMove);
    g.OnScrollHint = passOn(OnGridScrollHint);
    g.OnAutoAddRow = passOn(OnGridAutoAddRow);
    g.OnAutoInsertRow = passOn(OnGridInsertRow);
    g.OnAutoInsertCol = passOn(OnGridInsertCol);
    g.OnAutoDeleteRow = passOn(OnGridDeleteRow);
    g.OnCanAddRow = passOn(OnGridCanAddRow);
    g.OnCanInsertRow = passOn(OnGridCanInsertRow);
    g.OnCanDeleteRow = passOn(OnGridCanDeleteRow);
    // The custom drawing takes over only when the owner draws.
    g.OnCustomCellDraw = OnGridCustomCellDraw ? passOn(OnGridCustomCellDraw) : nullptr;
    g.OnCustomCellBkgDraw = OnGridCustomCellBkgDraw ? passOn(OnGridCustomCellBkgDraw) : nullptr;
}

void TCustomNovaGridDropDown::DoGetFloatFormat(QObject *Sender, int ACol, int ARow, bool &IsFloat,
                                               QString &FloatFormat)
{
    FloatFormat.clear();
    if (OnGridGetFloatFormat) OnGridGetFloatFormat(Sender, ACol, ARow, IsFloat, FloatFormat);
}

void TCustomNovaGridDropDown::DoShowDropDown()
{
    TNovaCustomDropDown::DoShowDropDown();
    if (FNovaColGrid) {
        TNovaColGrid &g = *FNovaColGrid;
        if (!FUseItems)
            while (FColumns->Count() < g.ColCount()) FColumns->Add();
        if (FDroppedDown) SizeColumnsToDropDown();
        if (g.VisibleRowCount() + g.FixedRows() < g.RowCount()) {
            if (g.Row() > g.TopRow() + g.VisibleRowCount()) g.SetTopRow(g.Row());
            if (g.Row() < g.TopRow()) g.SetTopRow(g.Row());
        }
        FSelRow = g.FixedRows();
        g.setFocusPolicy(Qt::StrongFocus);
        if (FDroppedDown) g.setFocus(Qt::PopupFocusReason);
    }
    FShowing = false;
}

// ---- closing and choosing --------------------------------------------------------------------------

void TCustomNovaGridDropDown::DoHideDropDown(bool Cancel)
{
    const bool open = FDropDownForm && (FDropDownForm->isVisible() || FDroppedDown);
    if (open) {
        if (Cancel) {
            SetItemIndex(FOldItemIndex);
        } else if (FNovaColGrid && FNovaColGrid->ConfirmSelection()) {
            SetItemIndex(FUseItems ? RowToItem(FSelRow) : FSelRow - FNovaColGrid->FixedRows());
        }
        FOldItemIndex = FItemIndex;
        if (FNovaColGrid) FNovaColGrid->SetConfirmSelection(false);
    }
    TNovaCustomDropDown::DoHideDropDown(Cancel);
}

void TCustomNovaGridDropDown::GridSelectCell(int, int ARow, bool &)
{
    FSelRow = ARow;
    if (FShowing || !FNovaColGrid || FNovaColGrid->MouseWheelSelection()) return;
    if (FUseItems) {
        SetItemIndex(RowToItem(ARow));
    } else {
        SetText(FNovaColGrid->Cells(FLookupColumn, ARow));
        FItemIndex = ARow - FNovaColGrid->FixedRows();
    }
}

void TCustomNovaGridDropDown::GridSelect()
{
    if (FNovaColGrid && FNovaColGrid->ConfirmSelection())
        SetItemIndex(FUseItems ? RowToItem(FNovaColGrid->Row()) : FNovaColGrid->Row() - 1);
    if (!FGridEditable) DoHideDropDown(false);
    if (OnSelect) OnSelect(this);
}

void TCustomNovaGridDropDown::GridCanSort(bool &)
{
    FTempItemIndex = FItemIndex;
}

void TCustomNovaGridDropDown::GridClickSort()
{
    const int r = ItemToRow(FTempItemIndex);
    if (r >= 0 && FNovaColGrid) FNovaColGrid->SetRow(r);
}

// ---- keys ------------------------------------------------------------------------------------------

void TCustomNovaGridDropDown::DoEnter()
{
    TColumnListDropDown::DoEnter();
    if (FNovaColGrid) FNovaColGrid->RemoveAllFilters();
    FLookupEntry.clear();
}

void TCustomNovaGridDropDown::BeforeEditKeyDown(int Key)
{
    if (Key == Qt::Key_Escape || isGridKey(Key) || Key == Qt::Key_Left || Key == Qt::Key_Right) FLookupEntry.clear();
}

void TCustomNovaGridDropDown::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    TNovaColGrid *g = FNovaColGrid;
    if (g && FGridEditable && g->EditMode() && (Key == Qt::Key_Return || Key == Qt::Key_Enter)
        && !(Shift & Qt::ShiftModifier)) {
        // Enter ends the grid's own cell edit; only an edit of the lookup column ends the choice.
        const bool lookup = g->Col() == FLookupColumn;
        g->HideInplaceEdit();
        SetText(g->Cells(FLookupColumn, g->Row()));
        FItemIndex = g->Row() - g->FixedRows();
        Key = 0;
        FKeyAfterHandlers = 0;
        if (lookup) HideDropDown(false);
        return;
    }
    TColumnListDropDown::KeyDown(Key, Shift);
}

void TCustomNovaGridDropDown::keyPressEvent(QKeyEvent *e)
{
    const QString typed = e->text();
    TColumnListDropDown::keyPressEvent(e);
    if (typed.size() != 1 || !isEnabled() || FDroppedDown) return;
    const QChar c = typed.front();
    if (!c.isPrint() && c != QChar(8)) return;
    IncrementalLookup(c);
    if (FAutoShowDropDown && !FDroppedDown) ShowDropDown();
}

void TCustomNovaGridDropDown::ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    TNovaColGrid *g = FNovaColGrid;
    if (g) g->SetConfirmSelection(true);
    const bool alt = Shift & Qt::AltModifier;
    if (isGridKey(Key) && !alt) {
        DoKeyDown(this, Key, Shift);
        return;
    }
    if ((Key == Qt::Key_Return || Key == Qt::Key_Enter) && !alt && g && !g->EditMode()) {
        // Enter chooses the grid's row.
        g->DoSelect();
        Key = 0;
        return;
    }
    TNovaCustomDropDown::ControlKeyDown(Key, Shift);
    if (Key == Qt::Key_Tab || Key == Qt::Key_Backtab) Key = 0;
    DoKeyDown(this, Key, Shift);
}

void TCustomNovaGridDropDown::ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift)
{
    if (isGridKey(Key) && !(Shift & Qt::AltModifier)) FLookupEntry.clear();
    else TNovaCustomDropDown::ControlKeyUp(Key, Shift);
    DoKeyUp(this, Key, Shift);
}

void TCustomNovaGridDropDown::ControlKeyPress(QChar &Key)
{
    if (!FNovaColGrid) return;
    TNovaColGrid &g = *FNovaColGrid;
    const bool alt = QGuiApplication::keyboardModifiers() & Qt::AltModifier;
    if ((IsLookupExcludedChar(Key) && !alt) || g.Options().Contains(goEditing)) {
        FLookupEntry.clear();
    } else {
        int r = IncrementalLookup(Key);
        if (FLookupMethod == lmNarrowDown) r = g.FixedRows();
        else if (FUseItems && r >= 0) r += g.FixedRows();
        if (r >= g.FixedRows() && r < g.RowCount()) {
            if (g.VisibleRowCount() + g.FixedRows() < g.RowCount()) g.SetTopRow(r);
            g.SetRow(r);
            g.SetCol(0);
            g.RepaintRow(r);
        } else if (FLookupMethod != lmNarrowDown) {
            FLookupEntry.clear();
        }
    }
    DoKeyPress(this, Key);
}

int TCustomNovaGridDropDown::IncrementalLookup(QChar Key)
{
    if (FLookupMethod == lmNone) return -1;
    if (Key == QChar(8)) {
        LookupBackspace();
        if (FLookupMethod == lmNarrowDown && FNovaColGrid) FNovaColGrid->NarrowDown(FLookupEntry.trimmed(), FLookupColumn);
        return -1;
    }
    if (Key != QChar(9)) FLookupEntry += Key;
    const QString s = FLookupEntry.trimmed();
    if (FLookupMethod == lmNarrowDown) {
        if (!FNovaColGrid) return -1;
        TNovaColGrid &g = *FNovaColGrid;
        if (s.isEmpty()) {
            g.RemoveAllFilters();
        } else {
            g.NarrowDown(s, FLookupColumn);
            if (FStyle == dsDropDown && g.RowCount() > g.FixedRows())
                ShowFoundText(g.Cells(FLookupColumn, g.FixedRows()), int(FLookupEntry.size()), true);
        }
        return g.FixedRows();
    }
    QString match;
    int index = -1;
    auto take = [&] {
        FItemIndex = FUseItems || !FNovaColGrid ? index : index - FNovaColGrid->FixedRows();
    };
    if (LookupPrefix(s, match, index)) {
        take();
        ShowFoundText(match, int(FLookupEntry.size()), FStyle == dsDropDown);
        return index;
    }
    if (FStyle == dsDropDown) return -1;
    if (LookupPrefix(QString(Key), match, index)) {
        take();
        SetText(match);
        FLookupEntry = QString(Key);
        return index;
    }
    FLookupEntry.clear();
    return -1;
}

// ---- the grid's events -----------------------------------------------------------------------------

template <typename F>
void TCustomNovaGridDropDown::Blocked(F &&Fire)
{
    QPointer<TDropDownForm> form = FDropDownForm;
    struct Release {
        QPointer<TDropDownForm> &Form;
        ~Release()
        {
            if (Form) Form->SetBlockActivate(false);
        }
    } release{form};
    if (form) form->SetBlockActivate(true);
    Fire();
}

void TCustomNovaGridDropDown::DoAnchorClick(QObject *Sender, int ARow, int ACol, QString Anchor, bool &AutoHandle)
{
    Blocked([&] {
        if (OnGridAnchorClick) OnGridAnchorClick(Sender, ARow, ACol, Anchor, AutoHandle);
    });
}

void TCustomNovaGridDropDown::DoAnchorEnter(QObject *Sender, int ARow, int ACol, QString Anchor)
{
    if (OnGridAnchorEnter) OnGridAnchorEnter(Sender, ARow, ACol, Anchor);
}

void TCustomNovaGridDropDown::DoAnchorExit(QObject *Sender, int ARow, int ACol, QString Anchor)
{
    if (OnGridAnchorExit) OnGridAnchorExit(Sender, ARow, ACol, Anchor);
}

void TCustomNovaGridDropDown::DoAnchorHint(QObject *Sender, int ARow, int ACol, QString &Anchor)
{
    if (OnGridAnchorHint) OnGridAnchorHint(Sender, ARow, ACol, Anchor);
}

void TCustomNovaGridDropDown::DoButtonClick(QObject *Sender, int ACol, int ARow)
{
    Blocked([&] {
        if (OnGridButtonClick) OnGridButtonClick(Sender, ACol, ARow);
    });
}

void TCustomNovaGridDropDown::DoEllipsClick(QObject *Sender, int ACol, int ARow, QString &S)
{
    Blocked([&] {
        if (OnGridEllipsClick) OnGridEllipsClick(Sender, ACol, ARow, S);
    });
}

void TCustomNovaGridDropDown::DoCanSort(QObject *Sender, int ACol, bool &DoSort)
{
    if (OnGridCanSort) OnGridCanSort(Sender, ACol, DoSort);
}

void TCustomNovaGridDropDown::DoClickSort(QObject *Sender, int ACol)
{
    if (OnGridClickSort) OnGridClickSort(Sender, ACol);
}

void TCustomNovaGridDropDown::DoGetAlignment(QObject *Sender, int ARow, int ACol, TAlignment &HAlign,
                                             TVAlignment &VAlign)
{
    if (ACol >= 0 && ACol < FColumns->Count()) HAlign = FColumns->GetItem(ACol)->Alignment();
    if (OnGridGetAlignment) OnGridGetAlignment(Sender, ARow, ACol, HAlign, VAlign);
}

void TCustomNovaGridDropDown::DoGetCellColor(QObject *Sender, int ARow, int ACol, TGridDrawState AState,
                                             TBrush &ABrush, TFont &AFont)
{
    if (ACol >= 0 && ACol < FColumns->Count()) ABrush.Color = FColumns->GetItem(ACol)->Color();
    if (OnGridGetCellColor) OnGridGetCellColor(Sender, ARow, ACol, AState, ABrush, AFont);
}

void TCustomNovaGridDropDown::DoGetDisplText(QObject *Sender, int ACol, int ARow, QString &Value)
{
    if (OnGridGetDiplText) OnGridGetDiplText(Sender, ACol, ARow, Value);
}

void TCustomNovaGridDropDown::DoGridHint(QObject *Sender, int ARow, int ACol, QString &HintStr)
{
    if (OnGridHint) OnGridHint(Sender, ARow, ACol, HintStr);
}

void TCustomNovaGridDropDown::DoRightClickCell(QObject *Sender, int ARow, int ACol)
{
    if (OnGridRightClickCell) OnGridRightClickCell(Sender, ARow, ACol);
}

void TCustomNovaGridDropDown::DoTopLeftChanged(QObject *)
{
    if (OnGridTopLeftChanged) OnGridTopLeftChanged(this);
}

void TCustomNovaGridDropDown::DoSearchEditChange(QObject *Sender, QString Value, bool &DefaultSearch)
{
    if (OnGridSearchEditChange) OnGridSearchEditChange(Sender, Value, DefaultSearch);
}

void TCustomNovaGridDropDown::DoCanEditCell(QObject *Sender, int ARow, int ACol, bool &CanEdit)
{
    if (OnGridCanEditCell) OnGridCanEditCell(Sender, ARow, ACol, CanEdit);
}

void TCustomNovaGridDropDown::DoGetEditorType(QObject *Sender, int ACol, int ARow, TEditorType &AEditor)
{
    if (OnGridGetEditorType) OnGridGetEditorType(Sender, ACol, ARow, AEditor);
}

void TCustomNovaGridDropDown::DoKeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift)
{
    if (OnGridKeyDown) OnGridKeyDown(Sender, Key, Shift);
}

void TCustomNovaGridDropDown::DoKeyUp(QObject *Sender, int &Key, Qt::KeyboardModifiers Shift)
{
    if (OnGridKeyUp) OnGridKeyUp(Sender, Key, Shift);
}

void TCustomNovaGridDropDown::DoKeyPress(QObject *Sender, QChar &Key)
{
    if (OnGridKeyPress) OnGridKeyPress(Sender, Key);
}

void TCustomNovaGridDropDown::DoCheckBoxClick(QObject *Sender, int ACol, int ARow, bool State)
{
    if (OnGridCheckBoxClick) OnGridCheckBoxClick(Sender, ACol, ARow, State);
}
