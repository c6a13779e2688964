// The focus frame of the edited cell: a soft translucent ring in a separate frameless window
// around the cell whose editor opens, following the form while it moves, gone with validation.
#include "grid/NovaGrid.h"
#include "grid/base/FeedbackWindows.h"
#include "grid/base/VedAzirDraw.h"
#include "platform/Compositing.h"

#include <QEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTimer>

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

// Renews the frame's backdrop after the cells under it repainted (once per burst of paints).
class TFocusBackdropWatch : public QObject {
public:
    TFocusBackdropWatch(TNovaStringGrid *Grid, std::function<void()> Renew)
        : QObject(Grid), FRenew(std::move(Renew)) {}
    bool Busy = false;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !Busy && !FPending) {
            FPending = true;
            QTimer::singleShot(0, this, [this] {
                FPending = false;
                FRenew();
            });
        }
        return false;
    }

private:
    std::function<void()> FRenew;
    bool FPending = false;
};

// What lies behind a screen rectangle: the screen's pixels (other windows too), then the form's
// own current rendering wherever the form covers it.
QImage backdropOf(QWidget *form, const QRect &area)
{
    QImage back(area.size(), QImage::Format_ARGB32_Premultiplied);
    back.fill(form->palette().color(QPalette::Window));
    QPainter p(&back);
    if (QScreen *s = form->screen()) {
        const QRect g = s->geometry();
        p.drawPixmap(0, 0, s->grabWindow(0, area.x() - g.x(), area.y() - g.y(), area.width(), area.height()));
    }
    const QRect inForm = QRect(form->mapFromGlobal(area.topLeft()), area.size()).intersected(form->rect());
    if (!inForm.isEmpty())
        p.drawPixmap(form->mapToGlobal(inForm.topLeft()) - area.topLeft(), form->grab(inForm));
    return back;
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
    // Without a compositor a translucent window shows its colour with the alpha ignored: the
    // glow is blended here over what lies behind, taken while the frame is still hidden.
    if (DesktopComposites()) {
        FFocusWindow->SetBackdrop(QImage());
    } else {
        FFocusWindow->SetBackdrop(backdropOf(window(), FFocusWindow->geometry()));
        if (!FFocusBackdropWatch)
            FFocusBackdropWatch = new TFocusBackdropWatch(this, [this] { renewFocusBackdrop(); });
        viewport()->installEventFilter(FFocusBackdropWatch);
    }
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
    renewFocusBackdrop();
}

void TNovaStringGrid::renewFocusBackdrop()
{
    if (!FFocusWindow || FFocusWindow->Backdrop().isNull() || !FFocusWindow->isVisible())
        return;
    // The form's rendering only: a screen grab now would take the frame itself. Rendering
    // repaints the cells, which must not renew the backdrop once more.
    auto *watch = static_cast<TFocusBackdropWatch *>(FFocusBackdropWatch);
    if (watch)
        watch->Busy = true;
    QImage back = FFocusWindow->Backdrop();
    QWidget *form = window();
    const QRect area = FFocusWindow->geometry();
    const QRect inForm = QRect(form->mapFromGlobal(area.topLeft()), area.size()).intersected(form->rect());
    if (back.size() != area.size()) {
        back = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        back.fill(form->palette().color(QPalette::Window));
    }
    if (!inForm.isEmpty()) {
        QPainter p(&back);
        p.drawPixmap(form->mapToGlobal(inForm.topLeft()) - area.topLeft(), form->grab(inForm));
    }
    if (watch)
        watch->Busy = false;
    FFocusWindow->SetBackdrop(back);
}

void TNovaStringGrid::HideFocusWindow()
{
    if (shownFrameGrid() == this)
        shownFrameGrid() = nullptr;
    if (FFocusTopLevel) {
        FFocusTopLevel->removeEventFilter(this);
        FFocusTopLevel = nullptr;
    }
    if (FFocusBackdropWatch)
        viewport()->removeEventFilter(FFocusBackdropWatch);
    if (FFocusWindow)
        FFocusWindow->hide();
}
