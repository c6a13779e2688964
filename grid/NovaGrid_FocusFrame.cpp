// The focus frame of the edited cell: a soft translucent ring in a separate frameless window
// around the cell whose editor opens, following the form while it moves, gone with validation.
#include "grid/NovaGrid.h"
#include "grid/base/FeedbackWindows.h"
#include "grid/base/VedAzirDraw.h"

#include <QEvent>
#include <QRegion>

namespace {
// One frame at a time in the program: the grid that shows it.
QPointer<TNovaStringGrid> &shownFrameGrid()
{
    static QPointer<TNovaStringGrid> grid;
    return grid;
}

constexpr TColor FrameColor = 0xFDD397;
constexpr std::uint8_t FrameOpacity = 230;

// Shows a premultiplied image in a window with the mask's opacity; nothing for an empty mask.
void ApplyLayeredMask(QWidget *Window, const TGridAlphaMask &Mask)
{
    if (Mask.Empty())
        return;
    Window->resize(Mask.Image().size());
    CallUpdateLayeredWindow(Window, Mask.Image(), Mask.Opacity());
}
} // namespace

TNovaStringGrid *TNovaStringGrid::FocusFrameGrid()
{
    return shownFrameGrid().data();
}

void TNovaStringGrid::showFocusFrameForEditor()
{
    if (!FFocusHelper->Enabled() || FDesigning)
        return;
    shownFrameGrid() = this;
    ShowFocusFrame(CellRect(Col(), Row()));
}

void TNovaStringGrid::ShowFocusFrame(const TRect &R)
{
    if (!FFocusWindow)
        FFocusWindow = new TGridFocusWindow(this);
    const int W = R.Width() + 9, H = R.Height() + 9;
    FFocusWindow->hide();
    FFocusWindow->resize(W, H);

    QImage mask;
    MakeRoundRectMask(mask, W, H, 4, 5, 3);
    QImage colour(W, H, QImage::Format_RGB888);
    colour.fill(ToQColor(FrameColor));
    if (!FFocusMask)
        FFocusMask = std::make_unique<TGridAlphaMask>();
    FFocusMask->MergeMask(mask, colour);
    FFocusMask->SetOpacity(FrameOpacity);
    ApplyLayeredMask(FFocusWindow, *FFocusMask);

    // Only the ring is seen and takes the mouse.
    FFocusWindow->setMask(QRegion(0, 0, W, H).xored(QRegion(4, 4, R.Width(), R.Height())));
    const QPoint screen = viewport()->mapToGlobal(QPoint(R.Left, R.Top));
    FFocusWindow->move(screen.x() - 4, screen.y() - 4);
    FFocusWindow->show();

    // The frame follows the form: its moves are watched while the frame shows.
    if (FFocusTopLevel)
        FFocusTopLevel->removeEventFilter(this);
    FFocusTopLevel = window();
    if (FFocusTopLevel && FFocusTopLevel != this)
        FFocusTopLevel->installEventFilter(this);
}

void TNovaStringGrid::MoveFocusFrame()
{
    if (!FFocusWindow)
        return;
    const TRect R = CellRect(Col(), Row());
    const QPoint screen = viewport()->mapToGlobal(QPoint(R.Left, R.Top));
    FFocusWindow->setGeometry(screen.x() - 4, screen.y() - 4, R.Width() + 9, R.Height() + 9);
}

void TNovaStringGrid::HideFocusWindow()
{
    if (shownFrameGrid() == this)
        shownFrameGrid() = nullptr;
    if (FFocusTopLevel) {
        FFocusTopLevel->removeEventFilter(this);
        FFocusTopLevel = nullptr;
    }
    if (FFocusWindow)
        FFocusWindow->hide();
}
