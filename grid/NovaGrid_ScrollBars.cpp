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
}

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
    if (!Value && FIsFlat && FScrollType == ssNormal)
        DoneFlatScrollBars();
    // The bars' styles ask ThumbShare each time they draw.
    verticalScrollBar()->update();
    horizontalScrollBar()->update();
}

double TNovaStringGrid::ThumbShare(Qt::Orientation Orientation) const
{
    if (!FScrollProportional)
        return 0;
    const bool vert = Orientation == Qt::Vertical;
    const int count = vert ? RowCount() : ColCount();
    const int fixed = vert ? FixedRows() : FixedCols();
    if (vert && VisibleRowCount() + fixed >= count)
        return -1;
    // Pixels of the fixed and of the scrolling lines, each with its grid line.
    const int lw = GridLineWidth();
    double b = lw, c = lw;
    for (int i = 0; i < count; ++i)
        (i < fixed ? b : c) += lw + (vert ? RowHeights(i) : ColWidths(i));
    if (c == 0)
        return -1;
    const double extent = vert ? ClientHeight() : ClientWidth();
    const float e = float((extent - b) / c);
    if (e >= 0.9999f || b + c - extent < 5)
        return -1;
    // A 128-step bar whose page shows the visible share.
    const int nMax = int(std::trunc((e + 127) / (1 - e)));
    const int nPage = nMax - 126;
    return nPage <= 0 ? 0 : double(nPage) / (nMax + 1);
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
    if (!FThumbHintWnd)
        FThumbHintWnd = new THTMLHintWindow(this);
    FThumbHintWnd->Color = HintColor();
    const TRect size = FThumbHintWnd->CalcHintRect(100, Text, this);
    const QPoint at = QCursor::pos() + QPoint(10, 0);
    FThumbHintWnd->ActivateHintData(TRect{at.x(), at.y(), at.x() + size.Right, at.y() + size.Bottom}, Text, this);
    FThumbHintShow = true;
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
    if (FThumbHintWnd)
        FThumbHintWnd->hide();
    FThumbHintShow = false;
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
    if (!FScrollBar) {
        FScrollBar = new QScrollBar(Qt::Vertical, viewport());
        FScrollBar->setFocusPolicy(Qt::NoFocus);
        FScrollBar->hide();
        connect(FScrollBar, &QAbstractSlider::actionTriggered, this, [this](int a) { cellScrollBarTriggered(a); });
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
