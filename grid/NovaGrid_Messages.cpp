// Window-level glue of the string grid: the drawing lock, the grid timer and its ticks, focus and
// enabled changes, showing and hiding the in-place editor, the reaction to scrolling, the version
// and the small remember/notify hooks around cell values.
#include "grid/NovaGrid.h"

#include "grid/EditLink.h"
#include "grid/ScrollControl.h"
#include "grid/base/EditorKit.h"
#include "grid/base/Theme.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFocusEvent>
#include <QShowEvent>

namespace {
constexpr int kVersionNr = (6 << 24) | (2 << 16) | (1 << 8) | 3; // 6.2.1.3
} // namespace

// ---- drawing lock ----------------------------------------------------------------------------------

void TNovaStringGrid::BeginUpdate()
{
    if (!isVisible())
        return;
    ++FUpdateCount;
    viewport()->setUpdatesEnabled(false);
}

void TNovaStringGrid::EndUpdate()
{
    if (!isVisible())
        return;
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount == 0 && !Destroying()) {
        FSelChange = false;
        viewport()->setUpdatesEnabled(true);
        InvalidateGrid();
        PaintWindowBorder();
    }
}

void TNovaStringGrid::StartUpdate()
{
    ++FUpdateCount;
}

void TNovaStringGrid::ResetUpdate()
{
    FUpdateCount = 0;
}

void TNovaStringGrid::SetLockUpdate(bool Value)
{
    if (Value)
        BeginUpdate();
    else
        EndUpdate();
}

// ---- the grid timer ----------------------------------------------------------------------------------

void TNovaStringGrid::StartGridTimer()
{
    if (FGridTimer)
        return;
    FGridTimer = editorkit::createTimer();
    FGridTimer->setInterval(500);
    FGridTimer->onTimeout = [this] { GridTimerTick(); };
    FGridTimer->start();
}

void TNovaStringGrid::GridTimerTick()
{
    ++FTimerTicks;
    if (FNavigation->AutoGotoIncremental()) {
        if (++SearchTics >= 4) {
            SearchInc.clear();
            SearchTics = 0;
        }
    }
    if (FHovering && !FDesigning) {
        const QPoint global = QCursor::pos();
        QWidget *under = QApplication::widgetAt(global);
        if (under == viewport() || under == this) {
            const QPoint p = viewport()->mapFromGlobal(global);
            int c = -1, r = -1;
            if (viewport()->rect().contains(p))
                MouseToCell(p.x(), p.y(), c, r);
            if (c >= FixedCols() && c < ColCount() && r >= FixedRows() && r < RowCount()) {
                setFocus();
                SetRow(r);
                SetCol(c);
            }
        }
    }
    if (EnableBlink()) {
        FGridBlink = !FGridBlink;
        auto repaintBlinking = [this](int displayCol, int row) {
            const int real = RealColIndex(displayCol);
            if (real >= 0 && GetGridCell(real, row).contains(QStringLiteral("<BLI"), Qt::CaseInsensitive))
                InvalidateCell(displayCol, row);
        };
        const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
        const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
        for (int r = TopRow(); r <= lastRow; ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                repaintBlinking(c, r);
        for (int r = 0; r < FixedRows(); ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                repaintBlinking(c, r);
        for (int c = 0; c < FixedCols(); ++c)
            for (int r = TopRow(); r <= lastRow; ++r)
                repaintBlinking(c, r);
    }
}

// ---- window events -----------------------------------------------------------------------------------

void TNovaStringGrid::showEvent(QShowEvent *e)
{
    TBaseGrid::showEvent(e);
    // A grid built in code has ended its building by its first show; its window exists from then.
    if (!FLoaded)
        Loaded();
    if (!FWindowCreated)
        CreateWnd();
    PaintWindowBorder();
}

void TNovaStringGrid::CreateWnd()
{
    if (FWindowCreated || Destroying())
        return;
    FWindowCreated = true;
    if (FBalloon->Enable())
        BalloonInit();
    placeFooterPanel();
    placeSearchPanel();
    if (FColumnSize->Save())
        LoadColSizes();
    StartGridTimer();
    // The panels' windows come with the grid's.
    FireEvent(OnCreatedFloatingFooter, this);
    FireEvent(OnCreatedSearchFooter, this);
}

void TNovaStringGrid::ApplyStyleColors()
{
    const TThemePlatform &platform = ThemePlatform();
    FUsePlatformStyles = platform.ActiveStyleName() != QLatin1String("Windows");
    if (!FUsePlatformStyles)
        return;
    const auto normal = platform.StyleCellColors(TThemePlatform::scNormal);
    const auto selected = platform.StyleCellColors(TThemePlatform::scSelected);
    const auto fixed = platform.StyleCellColors(TThemePlatform::scFixed);
    SetColor(normal.Fill);
    SetGridLineColor(normal.Border);
    SetGridFixedLineColor(fixed.Border);
    SetOptions(Options().Exclude(goFixedVertLine).Exclude(goFixedHorzLine));
    if (normal.Text != clNone) {
        TFont f = Font();
        f.Color = normal.Text;
        SetFont(f);
    }
    if (selected.Text != clNone)
        SetSelectionTextColor(selected.Text);
    if (fixed.Text != clNone)
        FFixedFont.Color = fixed.Text;
    InvalidateGrid();
}

void TNovaStringGrid::changeEvent(QEvent *e)
{
    TBaseGrid::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        InvalidateGrid();
    if (e->type() == QEvent::StyleChange && FLoaded)
        ApplyStyleColors();
}

void TNovaStringGrid::focusInEvent(QFocusEvent *e)
{
    if (FInvokedFocusChange)
        return;
    TBaseGrid::focusInEvent(e);
    if (HasClickableGraphic(RealColIndex(Col()), Row()))
        return;
    if (FNavigation->AlwaysEdit() && GridState() == gsNormal && e->reason() != Qt::OtherFocusReason) {
        TEditorType kind = DefaultEditor();
        GetCellEditor(RealColIndex(Col()), Row(), kind);
        bool CanEdit = true;
        CheckCanEditCell(RealColIndex(Col()), Row(), CanEdit);
        const bool inView = Row() >= TopRow() && Row() <= TopRow() + VisibleRowCount() && Col() >= LeftCol()
            && Col() <= LeftCol() + VisibleColCount();
        if (kind == edNormal && CanEdit && inView)
            ShowInplaceEdit();
    }
    if (IsMergedCell(RealColIndex(Col()), Row()))
        RepaintCell(RealColIndex(Col()), Row());
}

void TNovaStringGrid::focusOutEvent(QFocusEvent *e)
{
    if (FBlockKill)
        return;
    TBaseGrid::focusOutEvent(e);
    if (IsMergedCell(RealColIndex(Col()), Row()))
        RepaintCell(RealColIndex(Col()), Row());
    if (!FBlockFocus) {
        if (FSelChange)
            SyncRowSelect(false);
        FSelChange = false;
    }
}

// ---- scrolling ---------------------------------------------------------------------------------------

void TNovaStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    if (SelectionRectangle() && Selection().Bottom > Selection().Top)
        InvalidateGrid();
    if (FEditMode && FCurrentEditor != edNormal)
        HideInplaceEdit();
    FOldLeftCol = LeftCol();
    FOldTopRow = TopRow();
    if (vscrlctrl)
        vscrlctrl->update();
    if (hscrlctrl)
        hscrlctrl->update();
    if (QWidget *other = FSyncGrid->Grid()) {
        if (auto *g = dynamic_cast<TNovaStringGrid *>(other)) {
            if (FSyncGrid->ScrollVertical() && g->TopRow() != TopRow())
                g->SetTopRow(TopRow());
            if (FSyncGrid->ScrollHorizontal() && g->LeftCol() != LeftCol())
                g->SetLeftCol(LeftCol());
        }
    }
}

// ---- version and small hooks -----------------------------------------------------------------------

int TNovaStringGrid::GetVersionNr() const
{
    return kVersionNr;
}

QString TNovaStringGrid::versionDigits() const
{
    const unsigned v = unsigned(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

QString TNovaStringGrid::GetVersionString() const
{
    return versionDigits() + QStringLiteral(" Sep, 2012");
}

void TNovaStringGrid::CellsChanged(const TGridRect &R)
{
    FireEvent(OnCellsChanged, this, R);
    for (TGridChangeNotifier *n : std::vector<TGridChangeNotifier *>(FNotifierList))
        n->CellsChanged(R);
    CalcFooter(-1);
}

void TNovaStringGrid::CellsLoaded()
{
    CalcFooter(-1);
}

bool TNovaStringGrid::IsHoverFixedCell(int ACol, int ARow) const
{
    switch (HoverFixedCells()) {
    case hfAll:
        return ACol < FixedCols() || ARow < FixedRows();
    case hfFixedColumns:
        return ACol < FixedCols();
    case hfFixedRows:
        return ARow < FixedRows();
    default:
        return false;
    }
}

void TNovaStringGrid::ResetFixedCellHighlight()
{
    if (FHoverFixedX >= 0 || FHoverFixedY >= 0) {
        const int c = FHoverFixedX;
        const int r = FHoverFixedY;
        FHoverFixedX = -1;
        FHoverFixedY = -1;
        InvalidateCell(c, r);
    }
}
