// Scroll bars of the string grid: their looks (window bars or the slim bars of ssMetro), which
// of them show, the hint that names the row or column a dragged thumb points at, the scroll bar
// of a scroll-bar cell, and scrolling while something is dragged over the grid's margins.
#include "grid/NovaGrid.h"

#include "grid/HtmlHintWindow.h"
#include "grid/ScrollControl.h"
#include "grid/ThumbSizeStyle.h"

#include <QCursor>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>
#include <cmath>

// ---- looks ---------------------------------------------------------------------------------------------

void TNovaStringGrid::SetScrollType(TScrollType Value)
{
    if (Value != FScrollType) {
        FScrollType = Value;
        if (Value == ssFlat || Value == ssEncarta) {
            InitFlatScrollBars();
            UpdateFlatScrollBars();
        } else {
            DoneFlatScrollBars();
        }
        if (Value == ssMetro) {
            CreateMetroScrollBars();
            SetScrollBars(ssNone);
        } else if (vscrlctrl || hscrlctrl) {
            FreeScrollControls();
            SetScrollBars(ssBoth);
        }
    }
    UpdateFlatScrollBars();
}

// No flat scroll-bar library exists here: the bars stay the window's own.
void TNovaStringGrid::InitFlatScrollBars()
{
    FIsFlat = false;
}

void TNovaStringGrid::DoneFlatScrollBars()
{
    FIsFlat = false;
}

void TNovaStringGrid::UpdateFlatScrollBars()
{
    // Style, colour and width go to flat bars only, and there are none while FIsFlat is false.
    if (!FIsFlat)
        return;
    FlatShowScrollBar(Qt::Vertical, VisibleRowCount() + FixedRows() < RowCount());
    UpdateFlatVScrollBar();
    FlatShowScrollBar(Qt::Horizontal, VisibleColCount() + FixedCols() < ColCount());
    UpdateFlatHScrollBar();
}

void TNovaStringGrid::UpdateFlatVScrollBar()
{
    // The flat bar would take the window bar's range, page and position.
    if (FIsFlat && (FScrollBars == ssVertical || FScrollBars == ssBoth))
        FlatSetScrollInfo(Qt::Vertical);
}

void TNovaStringGrid::UpdateFlatHScrollBar()
{
    if (FIsFlat && (FScrollBars == ssHorizontal || FScrollBars == ssBoth))
        FlatSetScrollInfo(Qt::Horizontal);
}

// Without flat scroll bars on this platform (FIsFlat stays false) the calls have nothing to reach.
void TNovaStringGrid::FlatSetScrollInfo(Qt::Orientation) {}
void TNovaStringGrid::FlatSetScrollProp(int, int) {}
void TNovaStringGrid::FlatShowScrollBar(Qt::Orientation, bool) {}

void TNovaStringGrid::SetScrollColor(TColor Value)
{
    FScrollColor = Value;
    UpdateFlatScrollBars();
}

void TNovaStringGrid::SetScrollWidth(int Value)
{
    FScrollWidth = Value;
    UpdateFlatScrollBars();
}

void TNovaStringGrid::SetScrollProportional(bool Value)
{
    FScrollProportional = Value;
    if (Value) {
        UpdateProportionalVScroll();
        UpdateProportionalHScroll();
    } else {
        if (FIsFlat && FScrollType == ssNormal)
            DoneFlatScrollBars();
        FPropScroll[0] = FPropScroll[1] = TProportionalScroll{};
    }
    verticalScrollBar()->update();
    horizontalScrollBar()->update();
}

// b: the fixed lines, c: the scrolling lines, d: the scrolling lines before the first shown one,
// each with its grid line; sum: the bare sizes of all lines.
void TNovaStringGrid::proportionalExtents(bool Vert, double &b, double &c, double &d, double &sum) const
{
    const int lw = GridLineWidth();
    const int count = Vert ? RowCount() : ColCount();
    const int fixed = Vert ? FixedRows() : FixedCols();
    const int first = Vert ? TopRow() : LeftCol();
    b = c = d = lw;
    sum = 0;
    for (int i = 0; i < count; ++i) {
        const int size = Vert ? RowHeights(i) : ColWidths(i);
        sum += size;
        if (i < fixed)
            b += lw + size;
        else {
            c += lw + size;
            if (i < first)
                d += lw + size;
        }
    }
}

// The 128-step range of one bar for the extent shown: false (range cleared) when all fits. Without
// room to scroll the position becomes FitPos (-1 keeps it).
bool TNovaStringGrid::proportionalRange(bool Vert, double Extent, int FitPos, double &Sum)
{
    double b, c, d;
    proportionalExtents(Vert, b, c, d, Sum);
    TProportionalScroll &info = FPropScroll[Vert ? 0 : 1];
    if (c == 0)
        return false;
    const float e = float((Extent - b) / c);
    if (e >= 0.9999f || b + c - Extent < 5) {
        info = TProportionalScroll{};
        return false;
    }
    info.Max = int(std::trunc((e + 127) / (1 - e)));
    info.Page = info.Max - 126;
    if (Extent < c)
        info.Pos = int(std::trunc(d / (c - Extent) * 128));
    else if (FitPos >= 0)
        info.Pos = FitPos;
    info.Set = true;
    return true;
}

bool TNovaStringGrid::proportionalGuard() const
{
    return FScrollProportional && !FLoading && !FDesigning && FUpdateCount == 0;
}

void TNovaStringGrid::UpdateProportionalHScroll()
{
    if (!proportionalGuard())
        return;
    double sum = 0;
    const double W = width();
    if (proportionalRange(false, W, -1, sum))
        UpdateFlatHScrollBar();
    horizontalScrollBar()->update();
    if (FScrollBarAlways != saHorz && FScrollBarAlways != saBoth) {
        const bool horz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
        if (sum < W || !horz)
            setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

void TNovaStringGrid::UpdateProportionalVScroll()
{
    if (!proportionalGuard())
        return;
    if (VisibleRowCount() + FixedRows() >= RowCount()) {
        FPropScroll[0] = TProportionalScroll{};
        return;
    }
    double sum = 0;
    if (proportionalRange(true, height(), 127, sum))
        UpdateFlatVScrollBar();
    verticalScrollBar()->update();
}

double TNovaStringGrid::ThumbShare(Qt::Orientation Orientation) const
{
    if (!FScrollProportional)
        return 0;
    const TProportionalScroll &info = FPropScroll[Orientation == Qt::Vertical ? 0 : 1];
    if (!info.Set)
        return -1;
    // A 128-step bar whose page shows the visible share.
    return info.Page <= 0 ? 0 : double(info.Page) / (info.Max + 1);
}

void TNovaStringGrid::CreateMetroScrollBars()
{
    if (!vscrlctrl) {
        vscrlctrl = new TScrollControl(viewport(), sdVertical);
        vscrlctrl->show();
    }
    if (!hscrlctrl) {
        hscrlctrl = new TScrollControl(viewport(), sdHorizontal);
        hscrlctrl->show();
    }
}

void TNovaStringGrid::FreeScrollControls()
{
    delete vscrlctrl;
    vscrlctrl = nullptr;
    delete hscrlctrl;
    hscrlctrl = nullptr;
}

// ---- which window bars show --------------------------------------------------------------------------

void TNovaStringGrid::SetScrollBars(TScrollStyle Value)
{
    FScrollBars = Value;
    UpdateScrollBarsAlways();
}

void TNovaStringGrid::SetScrollBarAlways(TScrollBarAlways Value)
{
    FScrollBarAlways = Value;
    UpdateScrollBarsAlways();
}

void TNovaStringGrid::UpdateScrollBarsAlways()
{
    const bool horz = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    const bool vert = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const bool horzAlways = FScrollBarAlways == saHorz || FScrollBarAlways == saBoth;
    const bool vertAlways = FScrollBarAlways == saVert || FScrollBarAlways == saBoth;
    setHorizontalScrollBarPolicy(!horz ? Qt::ScrollBarAlwaysOff : horzAlways ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(!vert ? Qt::ScrollBarAlwaysOff : vertAlways ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
}

// ---- thumb hints ----------------------------------------------------------------------------------------

void TNovaStringGrid::connectWindowScrollBars()
{
    if (FScrollBarsConnected)
        return;
    FScrollBarsConnected = true;
    // Proportional or fixed thumbs; the bars page by the visible rows either way.
    for (QScrollBar *bar : {verticalScrollBar(), horizontalScrollBar()}) {
        auto *thumbs = new TThumbSizeStyle(QStyleFactory::create(bar->style()->name()),
                                           [this](Qt::Orientation o) { return ThumbShare(o); });
        thumbs->setParent(bar);
        bar->setStyle(thumbs);
    }
    QObject::connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int pos) { VScrollThumbTrack(pos); });
    QObject::connect(horizontalScrollBar(), &QScrollBar::sliderMoved, this, [this](int pos) { HScrollThumbTrack(pos); });
    QObject::connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] { ScrollThumbEnd(); });
    QObject::connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, [this] { ScrollThumbEnd(); });
}

void TNovaStringGrid::showThumbHint(const QString &Text)
{
    FScrollHintWnd->Color = HintColor();
    const TRect size = FScrollHintWnd->CalcHintRect(100, Text, this);
    const QPoint at = QCursor::pos() + QPoint(10, 0);
    FScrollHintWnd->ActivateHintData(TRect{at.x(), at.y(), at.x() + size.Right, at.y() + size.Bottom}, Text, this);
    FScrollHintShow = true;
}

void TNovaStringGrid::VScrollThumbTrack(int Pos)
{
    // The window bar counts rows from the first scrollable one.
    const int target = std::clamp(Pos + FixedRows(), FixedRows(), std::max(FixedRows(), RowCount() - 1));
    if (ScrollHints() == shVertical || ScrollHints() == shBoth) {
        QString hint = QStringLiteral("Row : %1").arg(target);
        FireEvent(OnScrollHint, this, target, hint);
        showThumbHint(hint);
    }
    if (ScrollSynch())
        SetTopRow(target);
}

void TNovaStringGrid::HScrollThumbTrack(int Pos)
{
    const int target = std::clamp(Pos + FixedCols(), FixedCols(), std::max(FixedCols(), ColCount() - 1));
    if (ScrollHints() == shHorizontal || ScrollHints() == shBoth) {
        QString hint = QStringLiteral("Col : %1").arg(target);
        FireEvent(OnScrollHint, this, target, hint);
        showThumbHint(hint);
    }
    if (ScrollSynch())
        SetLeftCol(target);
    // Without fixed columns an edit to the right of the thumb's column ends.
    if (FixedCols() == 0 && target >= Col() && EditorMode())
        HideInplaceEdit();
}

void TNovaStringGrid::ScrollThumbEnd()
{
    if (FScrollHintWnd)
        FScrollHintWnd->hide();
    FScrollHintShow = false;
    // The editor does not stay over a check-box cell.
    if (HasCheckBox(RealColIndex(Col()), Row()) && EditorMode())
        HideEditor();
}

// ---- the scroll bar of a scroll-bar cell -------------------------------------------------------------

bool TNovaStringGrid::CellScrollBarAction(int Action, int Pos)
{
    if (FScrollCol < 0 || FScrollRow < 0 || GetCellType(FScrollCol, FScrollRow) != ctScrollbar)
        return false;
    TCellGraphic *g = GetCellGraphic(FScrollCol, FScrollRow);
    if (!g)
        return false;
    const int minPos = 0;
    const int maxPos = std::max(0, int(g->CellErrFrom()));
    const int old = g->CellIndex();
    int pos = old;
    switch (Action) {
    case 0: pos = std::max(minPos, pos - 10); break;
    case 1: pos = std::min(maxPos, pos + 10); break;
    case 2: pos = std::max(minPos, pos - 100); break;
    case 3: pos = std::min(maxPos, pos + 100); break;
    case 5: pos = std::clamp(Pos, minPos, maxPos); break;
    default: return false;
    }
    if (pos == old)
        return false;
    g->SetCellIndex(pos);
    RepaintCell(DisplColIndexOf(FScrollCol), FScrollRow);
    DoScrollCell(FScrollCol, FScrollRow, pos, minPos, maxPos);
    return true;
}

void TNovaStringGrid::cellScrollBarHover(int ACol, int ARow)
{
    const int rc = RealColIndex(ACol);
    const TCellGraphic *g = rc >= 0 && GetCellType(rc, ARow) == ctScrollbar ? GetCellGraphic(rc, ARow) : nullptr;
    const int range = g ? std::max(0, int(g->CellErrFrom())) : 0;
    const int page = g ? g->CellAngle() : 0;
    if (!g || page >= range) {
        if (FScrollBar)
            FScrollBar->hide();
        return;
    }
    const TRect R = CellRect(ACol, ARow);
    const int lw = GridLineWidth();
    const int w = style()->pixelMetric(QStyle::PM_ScrollBarExtent); // as wide as the painted one
    const QRect place(R.Right - w - lw, R.Top + lw, w, std::max(0, R.Bottom - R.Top - 2 * lw));
    if (FScrollCol == rc && FScrollRow == ARow && FScrollBar->isVisible() && FScrollBar->geometry() == place)
        return;
    FScrollCol = rc;
    FScrollRow = ARow;
    const QSignalBlocker quiet(FScrollBar);
    // The same scale as the painted bar, so the thumb does not jump when the control covers it.
    FScrollBar->setRange(0, page > 0 ? range - page : range);
    FScrollBar->setPageStep(std::max(1, page));
    FScrollBar->setSingleStep(10);
    FScrollBar->setValue(std::max(0, g->CellIndex()));
    FScrollBar->setGeometry(place);
    FScrollBar->show();
    FScrollBar->raise();
}

void TNovaStringGrid::cellScrollBarTriggered(int Action)
{
    int code = -1;
    switch (Action) {
    case QAbstractSlider::SliderSingleStepSub: code = 0; break;
    case QAbstractSlider::SliderSingleStepAdd: code = 1; break;
    case QAbstractSlider::SliderPageStepSub: code = 2; break;
    case QAbstractSlider::SliderPageStepAdd: code = 3; break;
    case QAbstractSlider::SliderMove: code = 5; break;
    default: return;
    }
    CellScrollBarAction(code, FScrollBar->sliderPosition());
    // The cell holds the position; the control shows what it took.
    if (const TCellGraphic *g = FScrollCol >= 0 ? GetCellGraphic(FScrollCol, FScrollRow) : nullptr)
        FScrollBar->setSliderPosition(std::min(std::max(0, g->CellIndex()), FScrollBar->maximum()));
}

// ---- drag scrolling -------------------------------------------------------------------------------------

// Stopped, not freed: a tick may stop the timer that runs it.
void TNovaStringGrid::stopDragScroll()
{
    if (FDragTmr)
        FDragTmr->stop();
}

void TNovaStringGrid::DragOver(QObject *, int X, int Y, TDragOverState State, bool &)
{
    if (!FDragScrollOptions->Active()) {
        stopDragScroll();
        return;
    }
    const int previous = FDragScrollDirection;
    FDragScrollDirection = 0;
    if (State == dsDragLeave) {
        stopDragScroll();
        return;
    }
    const TDragScrollMargins &m = FDragScrollOptions->Margins();
    if (Y < m.TopMargin())
        FDragScrollDirection |= dsdUp;
    else if (Y > Height() - m.BottomMargin())
        FDragScrollDirection |= dsdDown;
    if (X < m.LeftMargin())
        FDragScrollDirection |= dsdLeft;
    else if (X > Width() - m.RightMargin())
        FDragScrollDirection |= dsdRight;
    if (FDragScrollDirection == 0) {
        stopDragScroll();
        return;
    }
    const int initial = FDragScrollOptions->Delays().InitialDelay();
    if (!FDragTmr) {
        FDragTmr = editorkit::createTimer();
        FDragTmr->onTimeout = [this] { dragScrollTick(); };
    }
    if (!FDragTmr->isActive()) {
        FDragTmr->setInterval(initial);
        FDragTmr->start();
    } else if (previous == 0) {
        FDragTmr->setInterval(initial);
    }
}

void TNovaStringGrid::dragScrollTick()
{
    if (!FDragScrollOptions->Active()) {
        stopDragScroll();
        return;
    }
    FDragTmr->setInterval(FDragScrollOptions->Delays().RepeatDelay());
    int dir = FDragScrollDirection;
    if (OnDragScroll) {
        bool canScroll = true;
        OnDragScroll(this, TopRow(), LeftCol(), dir, canScroll);
        if (!canScroll)
            return;
    }
    if ((dir & dsdUp) && TopRow() > FixedRows())
        SetTopRow(TopRow() - 1);
    if ((dir & dsdDown) && TopRow() + VisibleRowCount() < RowCount())
        SetTopRow(TopRow() + 1);
    if ((dir & dsdLeft) && LeftCol() > FixedCols())
        SetLeftCol(LeftCol() - 1);
    if ((dir & dsdRight) && LeftCol() + VisibleColCount() < ColCount())
        SetLeftCol(LeftCol() + 1);
}
