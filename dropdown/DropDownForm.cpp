#include "dropdown/DropDownForm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "dropdown/DropDownBars.h"
#include "dropdown/NovaDropDown.h"
#include "grid/base/VedAzirDraw.h"
#include "platform/Clock.h"

using namespace editorkit;

TDropDownForm::TDropDownForm(QWidget *AOwner) : QWidget(AOwner, Qt::Popup | Qt::FramelessWindowHint)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

TDropDownForm::~TDropDownForm()
{
    if (OnDestroy) OnDestroy(this);
}

// ---- showing and hiding ---------------------------------------------------------------------------

void TDropDownForm::ShowPopup()
{
    FHiddenWhileBlocked = false;
    show();
    raise();
    LayoutChildren();
}

void TDropDownForm::HidePopup()
{
    FOwnHiding = true;
    hide();
    FOwnHiding = false;
}

void TDropDownForm::closeEvent(QCloseEvent *e)
{
    if (!FOwnHiding && isVisible()) DeActivated();
    if (OnClose) OnClose(this);
    e->accept();
}

void TDropDownForm::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    if (FSizing) EndUserSizing();
    if (FOwnHiding) {
        if (OnHide) OnHide(this);
    } else if (!FHiddenWhileBlocked && FNovaDropDown && FNovaDropDown->DroppedDown()) {
        // Hidden by the platform without a close: the same as losing the activation.
        DeActivated();
    }
}

void TDropDownForm::DeActivated()
{
    if (FBlockActivate) {
        // Not acted on: the platform hides the pop-up, the drop-down stays dropped down.
        FHiddenWhileBlocked = true;
        return;
    }
    FDeActivate = quint32(platform::tickMs());
    FHasDeActivated = true;
    if (FNovaDropDown) {
        FNovaDropDown->DoHideDropDown(FCancelOnDeActivate);
    } else {
        HidePopup();
    }
}

void TDropDownForm::SetBlockActivate(bool Value)
{
    FBlockActivate = Value;
    if (Value || !FHiddenWhileBlocked) return;
    FHiddenWhileBlocked = false;
    if (FNovaDropDown && FNovaDropDown->DroppedDown()) ShowPopup();
}

void TDropDownForm::SetRequestedSize(const QSize &Value)
{
    FRequestedSize = Value;
    resize(Value);
}

// ---- header, footer, layout ----------------------------------------------------------------------

namespace {

// A bar is made on the first opening that shows it, then only bound again, rebuilt and shown or hidden.
template <typename TBar, typename TAppearance>
void refreshBar(TBar *&bar, QWidget *form, TNovaCustomDropDown *dd, const TAppearance &a,
                const TDrawBackGroundEvent &draw, const TGetTextEvent &text)
{
    if (!bar && !a.Visible()) return;
    const bool made = !bar;
    if (made) {
        bar = new TBar(form);
        bar->resize(form->width(), a.Height());
    }
    bar->SetNovaDropDown(dd);
    bar->RebuildButtons();
    bar->setVisible(a.Visible());
    bar->OnDrawBackGround = draw;
    bar->OnGetText = text;
}

} // namespace

void TDropDownForm::InitializeAndUpdate()
{
    if (!FNovaDropDown) return;
    TNovaCustomDropDown &d = *FNovaDropDown;
    refreshBar(FHeader, this, &d, d.DropDownHeader(), d.OnDrawHeader, d.OnGetHeaderText);
    refreshBar(FFooter, this, &d, d.DropDownFooter(), d.OnDrawFooter, d.OnGetFooterText);
    LayoutChildren();
}

void TDropDownForm::LayoutChildren()
{
    const int bw = FNovaDropDown ? std::max(0, FNovaDropDown->DropDownBorderWidth()) : 0;
    QRect r = rect().adjusted(bw, bw, -bw, -bw);
    if (FHeader && !FHeader->isHidden()) {
        FHeader->setGeometry(r.x(), r.y(), r.width(), FHeader->height());
        r.setTop(r.top() + FHeader->height());
    }
    if (FFooter && !FFooter->isHidden()) {
        FFooter->setGeometry(r.x(), r.bottom() + 1 - FFooter->height(), r.width(), FFooter->height());
        r.setBottom(r.bottom() - FFooter->height());
    }
    // The inner control keeps its own size until the pop-up shows: that size is what the pop-up asks
    // for at its first opening.
    QWidget *control = FNovaDropDown ? FNovaDropDown->Control() : nullptr;
    if (control && control->parentWidget() == this && isVisible()) control->setGeometry(r);
}

void TDropDownForm::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    LayoutChildren();
    update();
}

// ---- painting -------------------------------------------------------------------------------------

void TDropDownForm::PaintBackground(TCanvas &Canvas)
{
    if (!FNovaDropDown) return;
    const TNovaCustomDropDown &d = *FNovaDropDown;
    const int bw = d.DropDownBorderWidth();
    const TRect all{0, 0, width(), height()};
    const TRect R{bw, bw, width() - bw, height() - bw};
    if (d.DropDownColor() != clNone && d.DropDownColorTo() != clNone) {
        DrawGradientRect(Canvas, d.DropDownColor(), d.DropDownColorTo(), 80, R, d.DropDownGradient() == gdHorizontal);
    } else if (d.DropDownColor() != clNone) {
        Canvas.Brush.Color = d.DropDownColor();
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(R);
    }
    if (bw > 0 && d.DropDownBorderColor() != clNone) {
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = d.DropDownBorderColor();
        Canvas.Pen.Width = bw;
        Canvas.Pen.Style = psSolid;
        Canvas.Rectangle(TRect{all.Left + bw / 2, all.Top + bw / 2, all.Right, all.Bottom});
    }
}

void TDropDownForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    PaintBackground(canvas);
}

// ---- keys and wheel -------------------------------------------------------------------------------

bool TDropDownForm::event(QEvent *e)
{
    // Every key is the pop-up's, Tab included: no focus moves between its children.
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            keyPressEvent(k);
            return true;
        }
    }
    return QWidget::event(e);
}

void TDropDownForm::keyPressEvent(QKeyEvent *e)
{
    e->accept();
    int key = e->key();
    QChar ch = typedChar(e);
    if (OnKeyDown) OnKeyDown(this, key, e->modifiers());
    if (!ch.isNull() && OnKeyPress) OnKeyPress(this, ch);
}

void TDropDownForm::keyReleaseEvent(QKeyEvent *e)
{
    e->accept();
    int key = e->key();
    if (OnKeyUp) OnKeyUp(this, key, e->modifiers());
}

void TDropDownForm::wheelEvent(QWheelEvent *e)
{
    const int dy = e->angleDelta().y();
    if (dy < 0 && OnMouseWheelDown) OnMouseWheelDown(this);
    else if (dy > 0 && OnMouseWheelUp) OnMouseWheelUp(this);
    e->accept();
}

// ---- sizing by the user ---------------------------------------------------------------------------

bool TDropDownForm::InSizingCorner(const QPoint &p) const
{
    return p.x() > width() - 10 && p.y() > height() - 10;
}

void TDropDownForm::BeginUserSizing(const QPoint &globalPos)
{
    FSizing = true;
    FSizingFrom = globalPos;
    FSizingSize = size();
}

void TDropDownForm::UserSizingMove(const QPoint &globalPos)
{
    if (!FSizing) return;
    const QPoint d = globalPos - FSizingFrom;
    const QSize next = QSize(FSizingSize.width() + d.x(), FSizingSize.height() + d.y()).expandedTo(minimumSize());
    if (next == size()) return;
    resize(next);
    if (OnSizing) OnSizing(this);
}

void TDropDownForm::EndUserSizing() { FSizing = false; }

void TDropDownForm::mousePressEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::LeftButton && FSizeable && rect().contains(p) && InSizingCorner(p)) {
        BeginUserSizing(e->globalPosition().toPoint());
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e); // a press outside closes the pop-up
}

void TDropDownForm::mouseMoveEvent(QMouseEvent *e)
{
    if (FSizing) UserSizingMove(e->globalPosition().toPoint());
    else if (FSizeable) setCursor(InSizingCorner(e->position().toPoint()) ? Qt::SizeFDiagCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(e);
}

void TDropDownForm::mouseReleaseEvent(QMouseEvent *e)
{
    if (FSizing && e->button() == Qt::LeftButton) {
        UserSizingMove(e->globalPosition().toPoint());
        EndUserSizing();
    }
    QWidget::mouseReleaseEvent(e);
}
