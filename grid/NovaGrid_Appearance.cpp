// Appearance setters of the string grid that do more than store, its listeners, and small
// queries used by painting, mouse handling and export: the used cells, the cell under a screen
// point and the sizing borders.
#include "grid/NovaGrid.h"
#include "grid/base/FeedbackWindows.h"

#include "grid/EditLink.h"
#include "grid/NovaInplaceEdit.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/Theme.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <algorithm>

// ---- setters -----------------------------------------------------------------------------------------

void TNovaStringGrid::SetHighlightColor(TColor Value)
{
    if (FHighlightColor == Value)
        return;
    FHighlightColor = Value;
    SetMarkupHighlightColors(FHighlightColor, FHighlightTextColor);
    InvalidateGrid();
}

void TNovaStringGrid::SetHighlightTextColor(TColor Value)
{
    if (FHighlightTextColor == Value)
        return;
    FHighlightTextColor = Value;
    SetMarkupHighlightColors(FHighlightColor, FHighlightTextColor);
    InvalidateGrid();
}

void TNovaStringGrid::SetSelectionColorMixerFactor(int Value)
{
    if (FSelectionColorMixerFactor == Value)
        return;
    FSelectionColorMixerFactor = std::clamp(Value, 0, 100);
    InvalidateGrid();
}

void TNovaStringGrid::SetShowSelection(bool Value)
{
    if (FShowSelection == Value)
        return;
    FShowSelection = Value;
    FShowSel = Value;
    InvalidateGrid();
}

void TNovaStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    if (!FLoading)
        InvalidateGrid();
}

void TNovaStringGrid::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    FVAlign = Value == vtaCenter ? 4 : Value == vtaBottom ? 8 : 0;
    if (FUpdateCount == 0)
        InvalidateGrid();
}

void TNovaStringGrid::SetMaxEditLength(int Value)
{
    FMaxEditLength = Value;
    if (TNovaInplaceEdit *e = NormalEdit())
        e->setMaxLength(Value > 0 ? Value : 32767);
}

void TNovaStringGrid::SetSpreadSheet(bool Value)
{
    FSpreadSheet = Value;
    SetSelectionRectangle(true);
    SetSelectionResizer(true);
    FNavigation->SetAllowSmartClipboard(true);
    TGridOptions o = Options();
    o.Include(goRangeSelect);
    o.Include(goEditing);
    SetOptions(o);
    FMouseActions->SetRangeSelectAndEdit(true);
}

namespace {

// While a grid follows the office theme: the notifier's message re-applies it, and a grid that
// goes away leaves the notifier's list.
class TThemeAdaptFilter : public QObject {
public:
    explicit TThemeAdaptFilter(TNovaStringGrid *Grid) : QObject(Grid), FGrid(Grid) {}
    ~TThemeAdaptFilter() override
    {
        if (FNotifier)
            FNotifier->UnRegisterWindow(FGrid);
    }
    // The notifier the grid is registered with (none while it is not).
    QPointer<TThemeNotifier> FNotifier;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == FGrid && (event->type() == TOfficeThemeChangeEvent::EventType || event->type() == QEvent::ThemeChange)
            && FGrid->AutoThemeAdapt()) {
            FGrid->ApplyOfficeTheme();
            return event->type() == TOfficeThemeChangeEvent::EventType;
        }
        return false;
    }

private:
    TNovaStringGrid *FGrid;
};

} // namespace

void TNovaStringGrid::SetAutoThemeAdapt(bool Value)
{
    if (FAutoThemeAdapt == Value)
        return;
    FAutoThemeAdapt = Value;
    FSearchFooter->SetAutoThemeAdapt(Value);
    if (Value) {
        ApplyOfficeTheme();
        InvalidateGrid();
    }
    if (FDesigning || FLoading)
        return;
    TThemeAdaptFilter *filter = nullptr;
    for (QObject *c : children())
        if ((filter = dynamic_cast<TThemeAdaptFilter *>(c)))
            break;
    if (!filter) {
        filter = new TThemeAdaptFilter(this);
        installEventFilter(filter);
    }
    TThemeNotifier *n = GetThemeNotifier(this);
    if (Value) {
        n->RegisterWindow(this);
        filter->FNotifier = n;
    } else {
        n->UnRegisterWindow(this);
        filter->FNotifier = nullptr;
    }
}

TColor TNovaStringGrid::ArrowColor() const
{
    return FArrows[std::size_t(arrUp)] ? FArrows[std::size_t(arrUp)]->Color() : clLime;
}

void TNovaStringGrid::SetArrowColor(TColor Value)
{
    for (TArrowWindow *a : FArrows)
        if (a)
            a->SetColor(Value);
}

void TNovaStringGrid::SetXYOffset(QPoint Value)
{
    XYOffset = Value;
    InvalidateGrid();
}

// ---- listeners ---------------------------------------------------------------------------------------

void TNovaStringGrid::RegisterNotifier(TGridChangeNotifier *Item)
{
    if (Item && std::find(FNotifierList.begin(), FNotifierList.end(), Item) == FNotifierList.end())
        FNotifierList.push_back(Item);
}

void TNovaStringGrid::UnRegisterNotifier(TGridChangeNotifier *ANotifier)
{
    FNotifierList.erase(std::remove(FNotifierList.begin(), FNotifierList.end(), ANotifier), FNotifierList.end());
}

void TNovaStringGrid::Notification(QObject *AComponent, bool Removed)
{
    if (Removed && AComponent) {
        // The image list is no QObject: it is only compared, never looked into.
        if (static_cast<const void *>(FGridImages) == static_cast<const void *>(AComponent)) {
            FGridImages = nullptr;
            return;
        }
        if (FCellChecker && static_cast<QObject *>(FCellChecker) == AComponent)
            FCellChecker = nullptr;
        if (FixedDropDownMenu && static_cast<QObject *>(FixedDropDownMenu) == AComponent)
            FixedDropDownMenu = nullptr;
        if (auto *n = dynamic_cast<TGridChangeNotifier *>(AComponent))
            UnRegisterNotifier(n);
        if (!Destroying() && FSyncGrid->Grid() == AComponent)
            FSyncGrid->SetGrid(nullptr);
    }
    TBaseGrid::Notification(AComponent, Removed);
}

// ---- queries -----------------------------------------------------------------------------------------

TRect TNovaStringGrid::UsedCells()
{
    TRect r{0, 0, 0, 0};
    bool any = false;
    const TGridCellStore &store = Store();
    for (int row = store.NextRow(0); row >= 0 && row < RowCount(); row = row == INT_MAX ? -1 : store.NextRow(row + 1)) {
        const int n = std::min(store.CellsInRow(row), ColCount());
        for (int c = 0; c < n; ++c) {
            if (store.IsEmpty(c, row))
                continue;
            if (!any) {
                r = TRect{c, row, c, row};
                any = true;
            } else {
                r.Left = std::min(r.Left, c);
                r.Right = std::max(r.Right, c);
                r.Top = std::min(r.Top, row);
                r.Bottom = std::max(r.Bottom, row);
            }
        }
    }
    return r;
}

void TNovaStringGrid::ScreenToCell(QPoint pt, int &ACol, int &ARow)
{
    const QPoint p = viewport()->mapFromGlobal(pt);
    MouseToCell(p.x(), p.y(), ACol, ARow);
}

bool TNovaStringGrid::IsOnSizingBorder(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return false;
    const QRect q = TStringGrid::CellRect(c, r);
    bool on = false;
    if (r <= FixedRows() && Options().Contains(goColSizing))
        on = std::abs(X - q.left()) < 4 || std::abs(X - (q.right() + 1)) < 4;
    if (c <= FixedCols() && Options().Contains(goRowSizing))
        on = std::abs(Y - q.top()) < 4 || std::abs(Y - (q.bottom() + 1)) < 4;
    return on;
}
