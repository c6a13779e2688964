// The column grid object: its collection, keeping one item per real column through every column
// change, headers, widths, moved, inserted and removed columns, grouping and the column pop-up.
#include "grid/NovaColumnGrid.h"

#include "grid/ControlLook.h"
#include "grid/base/MaskEdit.h"

#include <QMenu>
#include <algorithm>
#include <cmath>

namespace {

// Multiply, then divide with rounding to the nearest (halves away from zero).
int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    return int(std::lround(double(a) * double(b) / double(c)));
}

} // namespace

TNovaColumnGrid::TNovaColumnGrid(QWidget *AOwner) : TNovaStringGrid(AOwner)
{
    FColumnCollection = CreateColumns();
    FColumnCollection->SetNoRecursiveUpdate(true);
    SyncColumnItems();
    FColumnCollection->SetNoRecursiveUpdate(false);
    FColMoving = false;
    FVirtCheckGraphic = std::make_unique<TCellGraphic>();
    FSaveCol = std::make_unique<TGridColumnItem>(nullptr);
}

TNovaColumnGrid::~TNovaColumnGrid()
{
    // No editor may ask a hook about an item once the items are gone.
    ReleaseEditors();
    ++FKeepItems;
    FColumnCollection.reset();
    FVirtCheckGraphic.reset();
    FSaveCol.reset();
}

std::unique_ptr<TGridColumnCollection> TNovaColumnGrid::CreateColumns()
{
    return std::make_unique<TGridColumnCollection>(this);
}

void TNovaColumnGrid::Loaded()
{
    TNovaStringGrid::Loaded();
    const bool keep = FColumnCollection->NoRecursiveUpdate();
    FColumnCollection->SetNoRecursiveUpdate(true);
    SyncColumnItems();
    FColumnCollection->SetNoRecursiveUpdate(keep);
    FColumnCollection->SetOrganization();
}

TGridColumnItem *TNovaColumnGrid::ColumnByName(const QString &AValue) const
{
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        if (FColumnCollection->Items(i)->Name() == AValue)
            return FColumnCollection->Items(i);
    return nullptr;
}

TGridColumnItem *TNovaColumnGrid::itemAt(int ACol) const
{
    if (!FColumnCollection || ACol < 0 || ACol >= FColumnCollection->Count())
        return nullptr;
    return FColumnCollection->Items(ACol);
}

bool TNovaColumnGrid::isDataCell(int ACol, int ARow) const { return ACol >= FixedCols() && ARow >= FixedRows(); }

bool TNovaColumnGrid::isBodyCell(int ACol, int ARow) const
{
    return isDataCell(ACol, ARow) && ACol < ColCount() + NumHiddenColumns() - FixedRightCols()
           && ARow < RowCount() - FixedFooters();
}

// ---- keeping the items in step -------------------------------------------------------------------

void TNovaColumnGrid::SyncColumnItems()
{
    if (!FColumnCollection)
        return;
    const int target = ColCount() + NumHiddenColumns();
    const bool keep = FColumnCollection->NoRecursiveUpdate();
    FColumnCollection->SetNoRecursiveUpdate(true);
    while (FColumnCollection->Count() < target)
        FColumnCollection->Add();
    while (FColumnCollection->Count() > target)
        FColumnCollection->Delete(FColumnCollection->Count() - 1);
    FColumnCollection->SetNoRecursiveUpdate(keep);
    if (FDesigning)
        for (int i = 0; i < ColCount(); ++i)
            SetCells(i, FixedRows(), QStringLiteral("Column ") + QString::number(i));
}

void TNovaColumnGrid::SetColCount(int Value)
{
    TNovaStringGrid::SetColCount(Value);
    SyncColumnItems();
}

void TNovaColumnGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    TNovaStringGrid::SizeChanged(OldColCount, OldRowCount);
    // Any change of the column count (also through the string grid's own setter) keeps the items
    // in step, unless an operation is placing the items itself.
    if (FKeepItems == 0 && OldColCount != ColCount())
        SyncColumnItems();
}

void TNovaColumnGrid::CellsLoaded()
{
    TNovaStringGrid::CellsLoaded();
    SyncColumnItems();
}

void TNovaColumnGrid::UpdateColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    QStringList headers;
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem *item = FColumnCollection->Items(i);
        if (item->FColumnHeader.isEmpty() && !Cells(i, 0).isEmpty())
            item->FColumnHeader = Cells(i, 0);
        headers << item->FColumnHeader;
    }
    SetColumnHeaders(headers);
}

void TNovaColumnGrid::ColumnHeadersChanged()
{
    TNovaStringGrid::ColumnHeadersChanged();
    if (!FColumnCollection)
        return;
    const QStringList &headers = ColumnHeaders();
    for (int i = 0; i < FColumnCollection->Count() && i < headers.size(); ++i)
        FColumnCollection->Items(i)->FColumnHeader = headers.at(i);
}

// ---- widths ---------------------------------------------------------------------------------------

void TNovaColumnGrid::ColWidthsChanged()
{
    TNovaStringGrid::ColWidthsChanged();
    if (!FColumnCollection || FLoading || Destroying())
        return;
    for (int c = 0; c < ColCount(); ++c) {
        const int r = RealColIndex(c);
        if (TGridColumnItem *item = itemAt(r))
            item->FWidth = ColWidths(c);
    }
}

namespace {

// A limit of 0 or less is none; the minimum first, so that the maximum wins over it.
int clampSize(int Width, int Min, int Max)
{
    if (Min > 0 && Width < Min)
        Width = Min;
    if (Max > 0 && Width > Max)
        Width = Max;
    return Width;
}

} // namespace

void TNovaColumnGrid::DoUpdateColumnSize(int ACol, int &AWidth)
{
    if (const TGridColumnItem *item = itemAt(ACol))
        AWidth = clampSize(AWidth, item->MinSize(), item->MaxSize());
    TNovaStringGrid::DoUpdateColumnSize(ACol, AWidth);
}

void TNovaColumnGrid::DoUpdateAutoColumnSize(int ACol, int &AWidth)
{
    if (const TGridColumnItem *item = itemAt(ACol))
        AWidth = clampSize(AWidth, item->AutoMinSize(), item->AutoMaxSize());
    TNovaStringGrid::DoUpdateAutoColumnSize(ACol, AWidth);
}

void TNovaColumnGrid::ChangeScale(int M, int D)
{
    TNovaStringGrid::ChangeScale(M, D);
    if (FDesigning || M == D)
        return;
    for (int i = 0; i < ColCount() && i < FColumnCollection->Count(); ++i) {
        TGridColumnItem *item = FColumnCollection->Items(i);
        item->FFont.Size = mulDiv(item->FFont.Size, M, D);
        item->FHeaderFont.Size = mulDiv(item->FHeaderFont.Size, M, D);
    }
}

// ---- moving, inserting and removing columns -------------------------------------------------------

void TNovaColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    FColumnCollection->SetNoRecursiveUpdate(true);
    const int top = TopRow();
    const int rf = RealColIndex(FromIndex);
    const int rt = RealColIndex(ToIndex);
    ++FKeepItems;
    TNovaStringGrid::ColumnMoved(FromIndex, ToIndex);
    --FKeepItems;
    BeginUpdate();
    FColMoving = true;
    if (itemAt(rf) && itemAt(rt)) {
        // The item travels by copy: what Assign leaves out comes out at its defaults.
        TGridColumnItem moved(FColumnCollection.get());
        moved.Assign(*FColumnCollection->Items(rf));
        FColumnCollection->extract(rf);
        std::unique_ptr<TGridColumnItem> fresh(FColumnCollection->CreateItem());
        fresh->Assign(moved);
        FColumnCollection->place(rt, std::move(fresh));
    }
    SetTopRow(top);
    FColMoving = false;
    ColWidthsChanged();
    EndUpdate();
    FColumnCollection->SetNoRecursiveUpdate(false);
    FireEvent(OnAfterColumnMoved, this, rf, rt);
}

void TNovaColumnGrid::InsertCols(int ColIndex, int CCount)
{
    const int before = AllColCount();
    ++FKeepItems;
    TNovaStringGrid::InsertCols(ColIndex, CCount);
    --FKeepItems;
    // As many fresh items as columns came, so that the items stay one per column.
    const int added = std::clamp(AllColCount() - before, 0, std::max(CCount, 0));
    const bool keep = FColumnCollection->NoRecursiveUpdate();
    FColumnCollection->SetNoRecursiveUpdate(true);
    for (int i = 0; i < added; ++i)
        FColumnCollection->Insert(ColIndex);
    FColumnCollection->SetNoRecursiveUpdate(keep);
    SyncColumnItems();
}

void TNovaColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    const int before = AllColCount();
    ++FKeepItems;
    TNovaStringGrid::RemoveCols(ColIndex, CCount);
    --FKeepItems;
    const int removed = std::clamp(before - AllColCount(), 0, std::max(CCount, 0));
    for (int i = 0; i < removed && ColIndex >= 0 && ColIndex < FColumnCollection->Count(); ++i)
        FColumnCollection->Delete(ColIndex);
    SyncColumnItems();
}

void TNovaColumnGrid::Group(int ColIndex)
{
    if (const TGridColumnItem *item = itemAt(ColIndex))
        FSaveCol->Assign(*item);
    TNovaStringGrid::Group(ColIndex);
}

void TNovaColumnGrid::UnGroup()
{
    const int noted = FGroupColumn;
    TNovaStringGrid::UnGroup();
    if (noted != -1)
        if (TGridColumnItem *item = itemAt(noted))
            item->Assign(*FSaveCol);
}

// ---- editing limits, pop-up menus, references -----------------------------------------------------

int TNovaColumnGrid::GetEditLimit()
{
    int limit = TNovaStringGrid::GetEditLimit();
    if (Col() >= FixedCols())
        if (const TGridColumnItem *item = itemAt(RealColIndex(Col())))
            limit = item->EditLength();
    return limit;
}

QString TNovaColumnGrid::GetEditMask(int ACol, int ARow)
{
    QString mask;
    if (ACol >= FixedCols())
        if (const TGridColumnItem *item = itemAt(RealColIndex(ACol)))
            mask = item->EditMask();
    const QString own = TNovaStringGrid::GetEditMask(ACol, ARow);
    return own.isEmpty() ? mask : own;
}

void TNovaColumnGrid::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    TNovaStringGrid::MouseDown(Button, Shift, X, Y);
    int col = -1, row = -1;
    MouseToCell(X, Y, col, row);
    if (col < 0 || row < 0)
        return;
    TGridColumnItem *item = itemAt(RealColIndex(col));
    if (!item || !item->ColumnPopup() || (Button != Qt::LeftButton && Button != Qt::RightButton))
        return;
    const bool left = Button == Qt::LeftButton;
    const TColumnPopupType t = item->ColumnPopupType();
    const TColumnPopupType fixedKind = left ? cpFixedCellsLClick : cpFixedCellsRClick;
    const TColumnPopupType normalKind = left ? cpNormalCellsLClick : cpNormalCellsRClick;
    const TColumnPopupType allKind = left ? cpAllCellsLClick : cpAllCellsRClick;
    if (t != fixedKind && t != normalKind && t != allKind)
        return;
    QMenu *menu = item->ColumnPopup();
    const TRect r = CellRect(col, row);
    const QPoint at = viewport()->mapToGlobal(QPoint(r.Left, r.Bottom));
    FireEvent(OnColumnPopup, this, col, row, menu);
    const bool fixedRow = row < FixedRows();
    if (menu && ((fixedRow && (t == fixedKind || t == allKind)) || (!fixedRow && (t == normalKind || t == allKind))))
        menu->popup(at);
}

void TNovaColumnGrid::Notification(QObject *AComponent, bool Removed)
{
    TNovaStringGrid::Notification(AComponent, Removed);
    if (!Removed || !FColumnCollection)
        return;
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem *item = FColumnCollection->Items(i);
        if (item->FEditLink == AComponent)
            item->FEditLink = nullptr;
        if (item->FColumnPopup == AComponent)
            item->FColumnPopup = nullptr;
    }
}

int TNovaColumnGrid::GetVersionNr() const { return 0x03010301; }

QString TNovaColumnGrid::GetVersionString() const
{
    const auto v = unsigned(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4 Aug, 2012")
        .arg((v >> 24) & 0xFF)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}
