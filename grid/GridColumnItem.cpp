// Column items and their collection: properties, copying, and the collection's update that turns
// item changes into column-count and header changes of the grid.
#include "grid/GridColumnItem.h"

#include "grid/NovaColumnGrid.h"
#include "grid/base/GridLists.h"

#include <algorithm>

// ---- item ----------------------------------------------------------------------------------------

TGridColumnItem::TGridColumnItem(TGridColumnCollection *Collection) : FCollection(Collection)
{
    if (TNovaColumnGrid *g = grid()) {
        FFont = g->Font();
        FHeaderFont = g->Font();
        FPrintFont = g->Font();
        FColor = g->Color();
    }
}

TNovaColumnGrid *TGridColumnItem::grid() const { return FCollection ? FCollection->GetOwner() : nullptr; }

int TGridColumnItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

QString TGridColumnItem::GetDisplayName() const
{
    const QString index = QString::number(Index());
    return FName.isEmpty() ? QStringLiteral("Column ") + index : QStringLiteral("Col ") + index + QStringLiteral(": ") + FName;
}

void TGridColumnItem::changed()
{
    if (FCollection)
        FCollection->Update(this);
}

void TGridColumnItem::repaint() const
{
    if (TNovaColumnGrid *g = grid())
        g->InvalidateGrid();
}

int TGridColumnItem::Width() const
{
    TNovaColumnGrid *g = grid();
    return g ? g->AllColWidths(Index()) : 0;
}

void TGridColumnItem::SetWidth(int Value)
{
    FWidth = Value;
    if (TNovaColumnGrid *g = grid())
        g->SetAllColWidths(Index(), Value);
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    repaint();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value)
{
    FHeaderAlignment = Value;
    repaint();
}

void TGridColumnItem::SetHeaderFont(const TFont &Value)
{
    FHeaderFont = Value;
    repaint();
}

void TGridColumnItem::SetFloatFormat(const QString &Value)
{
    FFloatFormat = Value;
    repaint();
}

void TGridColumnItem::SetFilter(const QStringList &Value)
{
    FFilter = Value;
    repaint();
}

void TGridColumnItem::SetFont(const TFont &Value)
{
    FFont = Value;
    changed();
}

void TGridColumnItem::SetColor(TColor Value)
{
    FColor = Value;
    changed();
}

void TGridColumnItem::SetShowBands(bool Value)
{
    FShowBands = Value;
    changed();
}

void TGridColumnItem::SetFixed(bool Value)
{
    FFixed = Value;
    changed();
}

void TGridColumnItem::SetPassword(bool Value)
{
    FPassword = Value;
    changed();
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
    FBorders = Value;
    changed();
}

void TGridColumnItem::SetBorderPen(const TPen &Value)
{
    FBorderPen = Value;
    changed();
}

void TGridColumnItem::SetEditor(TEditorType Value)
{
    if (Value == FEditorType)
        return;
    const bool checkBoxes = Value == edDataCheckBox || FEditorType == edDataCheckBox;
    FEditorType = Value;
    if (checkBoxes)
        repaint(); // the column's cells start or stop showing check boxes
}

void TGridColumnItem::SetHeader(const QString &Value)
{
    FColumnHeader = Value;
    TNovaColumnGrid *g = grid();
    if (!g)
        return;
    if (g->FixedRows() > 0 && !g->ColMoving()) {
        g->SetCells(Index(), 0, Value);
        changed();
    }
    QStringList headers;
    for (int i = 0; i < FCollection->Count(); ++i)
        headers << FCollection->Items(i)->Header();
    g->SetColumnHeaders(headers);
}

QString TGridColumnItem::Rows(int ARow) const
{
    TNovaColumnGrid *g = grid();
    return g ? g->Cells(Index(), ARow) : QString();
}

void TGridColumnItem::SetRows(int ARow, const QString &Value)
{
    if (TNovaColumnGrid *g = grid())
        g->SetCells(Index(), ARow, Value);
}

void TGridColumnItem::Assign(const TGridColumnItem &Source)
{
    if (&Source == this)
        return;
    FAutoMinSize = Source.FAutoMinSize;
    FAutoMaxSize = Source.FAutoMaxSize;
    FAlignment = Source.FAlignment;
    FBorders = Source.FBorders;
    FBorderPen = Source.FBorderPen;
    FCheckFalse = Source.FCheckFalse;
    FCheckTrue = Source.FCheckTrue;
    FColor = Source.FColor;
    FColumnPopup = Source.FColumnPopup;
    FComboItems = Source.FComboItems;
    FDropDownCount = Source.FDropDownCount;
    FEditLength = Source.FEditLength;
    FEditLink = Source.FEditLink;
    FEditMask = Source.FEditMask;
    FEditorType = Source.FEditorType;
    FFilter = Source.FFilter;
    FFilterCaseSensitive = Source.FFilterCaseSensitive;
    FFixed = Source.FFixed;
    FFloatFormat = Source.FFloatFormat;
    FFont = Source.FFont;
    FColumnHeader = Source.FColumnHeader;
    FHeaderAlignment = Source.FHeaderAlignment;
    FHeaderFont = Source.FHeaderFont;
    FMinSize = Source.FMinSize;
    FMaxSize = Source.FMaxSize;
    FName = Source.FName;
    FPassword = Source.FPassword;
    FPrintBorders = Source.FPrintBorders;
    FPrintBorderPen = Source.FPrintBorderPen;
    FPrintColor = Source.FPrintColor;
    FPrintFont = Source.FPrintFont;
    FReadOnly = Source.FReadOnly;
    FShowBands = Source.FShowBands;
    FSortStyle = Source.FSortStyle;
    FSortPrefix = Source.FSortPrefix;
    FSortSuffix = Source.FSortSuffix;
    FSpinMax = Source.FSpinMax;
    FSpinMin = Source.FSpinMin;
    FSpinStep = Source.FSpinStep;
    FTag = Source.FTag;
    FWidth = Source.FWidth;
    FDefIdx = Source.FDefIdx;
}

void TGridColumnItem::AssignVisuals(const TGridColumnItem &Source)
{
    if (&Source == this)
        return;
    FAlignment = Source.FAlignment;
    FHeaderAlignment = Source.FHeaderAlignment;
    FBorderPen = Source.FBorderPen;
    FBorders = Source.FBorders;
    FCheckFalse = Source.FCheckFalse;
    FCheckTrue = Source.FCheckTrue;
    FEditLength = Source.FEditLength;
    FEditLink = Source.FEditLink;
    FEditMask = Source.FEditMask;
    FEditorType = Source.FEditorType;
    FFixed = Source.FFixed;
    FPassword = Source.FPassword;
    FPrintBorderPen = Source.FPrintBorderPen;
    FPrintBorders = Source.FPrintBorders;
    FPrintColor = Source.FPrintColor;
    FPrintFont = Source.FPrintFont;
    FReadOnly = Source.FReadOnly;
    FSortPrefix = Source.FSortPrefix;
    FSortStyle = Source.FSortStyle;
    FSortSuffix = Source.FSortSuffix;
    FSpinMax = Source.FSpinMax;
    FSpinMin = Source.FSpinMin;
    FSpinStep = Source.FSpinStep;
    FColumnPopup = Source.FColumnPopup;
    FShowBands = Source.FShowBands;
    FMinSize = Source.FMinSize;
    FMaxSize = Source.FMaxSize;
    FAutoMinSize = Source.FAutoMinSize;
    FAutoMaxSize = Source.FAutoMaxSize;
    FFilter = Source.FFilter;
    FFilterCaseSensitive = Source.FFilterCaseSensitive;
    FDefIdx = Source.FDefIdx;
    FFloatFormat = Source.FFloatFormat;
    FWidth = Source.FWidth;
    // Colour and font come from the grid, not from the column before.
    if (TNovaColumnGrid *g = grid()) {
        FColor = g->Color();
        FFont = g->Font();
    }
}

// ---- collection ----------------------------------------------------------------------------------

TGridColumnCollection::TGridColumnCollection(TNovaColumnGrid *AOwner) : FOwner(AOwner) {}

TGridColumnCollection::~TGridColumnCollection()
{
    // Items go without feeding back into the grid.
    FNoRecursiveUpdate = true;
    FItems.clear();
}

TGridColumnItem *TGridColumnCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[std::size_t(Index)].get();
}

int TGridColumnCollection::IndexOf(const TGridColumnItem *Item) const
{
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Item)
            return int(i);
    return -1;
}

void TGridColumnCollection::SetItem(int Index, const TGridColumnItem &Value)
{
    Items(Index)->Assign(Value);
    Update(Items(Index));
}

TGridColumnItem *TGridColumnCollection::CreateItem() { return new TGridColumnItem(this); }

TGridColumnItem *TGridColumnCollection::Add()
{
    FItems.emplace_back(CreateItem());
    TGridColumnItem *item = FItems.back().get();
    if (FItems.size() > 1)
        item->AssignVisuals(*FItems[FItems.size() - 2]);
    Update(nullptr);
    return item;
}

TGridColumnItem *TGridColumnCollection::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    FItems.emplace(FItems.begin() + Index, CreateItem());
    TGridColumnItem *item = FItems[std::size_t(Index)].get();
    Update(nullptr);
    return item;
}

void TGridColumnCollection::Delete(int Index)
{
    Items(Index); // range check
    FItems.erase(FItems.begin() + Index);
    Update(nullptr);
}

void TGridColumnCollection::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Update(nullptr);
}

void TGridColumnCollection::Assign(const TGridColumnCollection &Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    FItems.clear();
    for (int i = 0; i < Source.Count(); ++i) {
        FItems.emplace_back(CreateItem());
        FItems.back()->Assign(*Source.Items(i));
    }
    EndUpdate();
}

std::unique_ptr<TGridColumnItem> TGridColumnCollection::extract(int Index)
{
    Items(Index);
    auto item = std::move(FItems[std::size_t(Index)]);
    FItems.erase(FItems.begin() + Index);
    return item;
}

void TGridColumnCollection::place(int Index, std::unique_ptr<TGridColumnItem> Item)
{
    Item->FCollection = this;
    FItems.emplace(FItems.begin() + std::clamp(Index, 0, Count()), std::move(Item));
}

void TGridColumnCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Update(nullptr);
}

void TGridColumnCollection::Update(TGridColumnItem *)
{
    TNovaColumnGrid *g = FOwner;
    if (!g || FUpdateCount > 0 || FNoRecursiveUpdate || g->isLoading() || g->Destroying())
        return;
    const int n = Count() - g->NumHiddenColumns();
    if (n != g->ColCount() && n > g->FixedCols())
        g->SetColCount(n);
    g->UpdateColumnHeaders();
    g->InvalidateGrid();
}

void TGridColumnCollection::SetOrganization()
{
    if (FOwner) {
        const bool keep = FNoRecursiveUpdate;
        FNoRecursiveUpdate = true;
        FOwner->SyncColumnItems();
        FNoRecursiveUpdate = keep;
    }
    for (int i = 0; i < Count(); ++i)
        FItems[std::size_t(i)]->FDefIdx = i;
}
