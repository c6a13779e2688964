#include "grid/base/GridCheckBox.h"

#include "grid/base/Theme.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

TNovaCheckBox::TNovaCheckBox(QWidget *AOwner) : QCheckBox(AOwner)
{
    setTristate(true);
    setFocusPolicy(Qt::ClickFocus); // TabStop off by default; a click still focuses it
    setMouseTracking(true);
    resize(98, 20);
    SetCaption(QStringLiteral("TNovaCheckBox"));
}

TNovaCheckBox::~TNovaCheckBox() = default;

void TNovaCheckBox::Toggle()
{
    if (!FReadOnly) SetChecked(!Checked());
}

void TNovaCheckBox::Click()
{
    FireEvent(OnClick, this);
    emit clicked(Checked());
}

void TNovaCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, AWidth, AHeight);
}

void TNovaCheckBox::resizeEvent(QResizeEvent *e)
{
    QCheckBox::resizeEvent(e);
    if (FTransparent) {
        FBkgCache = false;
        update();
    }
}

void TNovaCheckBox::SetCaption(const QString &Value)
{
    FCaption = Value;
    setText(Value); // registers the accelerator and the accessible name
    update();
}

void TNovaCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value) return;
    FState = Value;
    setCheckState(Value == cbChecked ? Qt::Checked : Value == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    repaintGlyph();
}

void TNovaCheckBox::SetButtonVertAlign(TTextLayout Value)
{
    FBtnVAlign = Value;
    update();
}

void TNovaCheckBox::SetAlignment(TAlignment Value)
{
    FAlignment = Value == taRightJustify ? taRightJustify : taLeftJustify;
    update();
}

void TNovaCheckBox::SetEllipsis(bool Value)
{
    FEllipsis = Value;
    update();
}

void TNovaCheckBox::SetTransparent(bool Value)
{
    FTransparent = Value;
    FBkgCache = false;
    update();
}

void TNovaCheckBox::SetTransparentChaching(bool Value)
{
    FTransparentCaching = Value;
    FBkgCache = false;
    update();
}

void TNovaCheckBox::SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus); }

void TNovaCheckBox::SetColor(TColor Value)
{
    FColor = Value;
    FParentColor = false;
    update();
}

void TNovaCheckBox::SetParentColor(bool Value)
{
    FParentColor = Value;
    update();
}

void TNovaCheckBox::SetFontColor(TColor Value)
{
    FFontColor = Value;
    update();
}

// ---- Input ------------------------------------------------------------------------------------

void TNovaCheckBox::setDown(bool Value)
{
    if (FDown == Value) return;
    FDown = Value;
    repaintGlyph();
}

bool TNovaCheckBox::isFocused() const
{
    return hasFocus() || (window() && window()->focusWidget() == this);
}

void TNovaCheckBox::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !isEnabled()) {
        e->ignore();
        return;
    }
    e->accept();
    setFocus(Qt::MouseFocusReason);
    FMouseDown = true;
    setDown(true);
}

void TNovaCheckBox::mouseDoubleClickEvent(QMouseEvent *e) { mousePressEvent(e); }

void TNovaCheckBox::mouseMoveEvent(QMouseEvent *e)
{
    if (!FMouseDown) return;
    const QPoint p = e->position().toPoint();
    setDown(p.x() >= 0 && p.x() <= width() && p.y() >= 0 && p.y() <= height());
}

void TNovaCheckBox::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !FMouseDown) {
        e->ignore();
        return;
    }
    e->accept();
    const QPoint p = e->position().toPoint();
    const bool in = p.x() >= 0 && p.x() <= width() && p.y() >= 0 && p.y() <= height();
    const bool wasDown = FDown;
    FMouseDown = false;
    setDown(false);
    if (in && isFocused() && wasDown) {
        Toggle();
        Click();
    }
}

void TNovaCheckBox::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        setDown(true);
        e->accept();
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && FReturnIsTab) {
        QApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TNovaCheckBox::keyReleaseEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        if (FDown) {
            setDown(false);
            Toggle();
            Click();
        }
        e->accept();
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void TNovaCheckBox::enterEvent(QEnterEvent *e)
{
    QCheckBox::enterEvent(e);
    FHot = true;
    repaintGlyph();
}

void TNovaCheckBox::leaveEvent(QEvent *e)
{
    QCheckBox::leaveEvent(e);
    FHot = false;
    repaintGlyph();
}

void TNovaCheckBox::focusInEvent(QFocusEvent *e)
{
    FFocused = true;
    QWidget::focusInEvent(e);
    update();
}

void TNovaCheckBox::focusOutEvent(QFocusEvent *e)
{
    FFocused = false;
    if (FDown && !FMouseDown) setDown(false);
    QWidget::focusOutEvent(e);
    update();
}

bool TNovaCheckBox::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut) {
        // the caption's accelerator toggles a box that can take the focus
        if (isEnabled() && isVisible()) {
            Toggle();
            if (TabStop()) setFocus(Qt::ShortcutFocusReason);
        }
        return true;
    }
    return QCheckBox::event(e);
}

// ---- Painting ---------------------------------------------------------------------------------

TRect TNovaCheckBox::GlyphRect() const
{
    const bool themed = IsThemeActive();
    const int size = themed ? 14 : 13;
    const int x = FAlignment == taRightJustify ? width() - (themed ? 15 : 13) : 0;
    int y = 4;
    if (FBtnVAlign == tlCenter) y = height() / 2 - 6;
    else if (FBtnVAlign == tlBottom) y = height() - (themed ? 14 : 17);
    return Rect(x, y, x + size, y + size);
}

void TNovaCheckBox::repaintGlyph()
{
    // the 20-pixel column on the glyph's side
    if (FAlignment == taRightJustify) update(width() - 20, 0, 20, height());
    else update(0, 0, 20, height());
}

void TNovaCheckBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    PaintTo(canvas);
}

void TNovaCheckBox::PaintTo(TCanvas &Canvas)
{
    const int w = width(), h = height();
    // 1. Background: a transparent box shows its parent (cached when asked); others fill.
    if (FTransparent) {
        if (FTransparentCaching && parentWidget()) {
            if (!FBkgCache || FBkgBmp.size() != size()) {
                FBkgBmp = QImage(size(), QImage::Format_ARGB32_Premultiplied);
                FBkgBmp.fill(Qt::transparent);
                parentWidget()->render(&FBkgBmp, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
                FBkgCache = true;
            }
            Canvas.Draw(0, 0, FBkgBmp);
        }
    } else {
        TColor bg = FColor;
        if (FParentColor && parentWidget())
            bg = FromQColor(parentWidget()->palette().color(parentWidget()->backgroundRole()));
        Canvas.Brush.Color = bg;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(Rect(0, 0, w, h));
    }

    // 2./3. Glyph
    const TRect g = GlyphRect();
    const bool enabled = isEnabled();
    QPainter *painter = Canvas.Painter();
    if (IsThemeActive() && painter) {
        QStyleOptionButton opt;
        opt.initFrom(this);
        opt.rect = g.ToQRect();
        opt.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange);
        opt.state |= FState == cbChecked ? QStyle::State_On : FState == cbGrayed ? QStyle::State_NoChange : QStyle::State_Off;
        if (FDown) opt.state |= QStyle::State_Sunken;
        if (FHot) opt.state |= QStyle::State_MouseOver;
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, painter, this);
    } else {
        const bool inactive = !enabled || FState == cbGrayed;
        // sunken two-pixel frame, then the box and its mark
        auto frame = [&](const TRect &r, TColor tl, TColor br) {
            Canvas.Pen.Style = psSolid;
            Canvas.Pen.Color = tl;
            Canvas.MoveTo(r.Left, r.Bottom - 1);
            Canvas.LineTo(r.Left, r.Top);
            Canvas.LineTo(r.Right, r.Top);
            Canvas.Pen.Color = br;
            Canvas.MoveTo(r.Right - 1, r.Top + 1);
            Canvas.LineTo(r.Right - 1, r.Bottom - 1);
            Canvas.LineTo(r.Left - 1, r.Bottom - 1);
        };
        frame(g, clBtnShadow, clBtnHighlight);
        frame(g.Inflate(-1, -1), cl3DDkShadow, cl3DLight);
        Canvas.Brush.Color = (inactive || FDown) ? clBtnFace : clWindow;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(g.Inflate(-2, -2));
        if (FState == cbChecked) {
            // the classic 7 x 7 tick
            const TColor mark = enabled ? clWindowText : clGrayText;
            const int x0 = g.Left + 3, y0 = g.Top + 3;
            for (int i = 0; i < 7; ++i) {
                const int top = y0 + (i <= 2 ? i + 2 : 6 - i);
                for (int k = 0; k < 3; ++k) Canvas.SetPixel(x0 + i, top + k, mark);
            }
        }
    }

    // 4. Caption
    TRect cr = FAlignment == taRightJustify ? Rect(6, 0, w - 9, h) : Rect(15, 0, w + 15, h);
    cr.Top += 4;
    Canvas.Font.Assign(font());
    Canvas.Brush.Style = bsClear;
    unsigned flags = DT_LEFT | DT_TOP | DT_SINGLELINE;
    if (FEllipsis) flags |= DT_END_ELLIPSIS;
    if (enabled) {
        Canvas.Font.Color = FFontColor;
        TRect r = cr;
        Canvas.DrawText(FCaption, r, flags);
    } else {
        TRect shadow = cr.Offset(1, 1);
        Canvas.Font.Color = clWhite;
        Canvas.DrawText(FCaption, shadow, flags);
        Canvas.Font.Color = clGray;
        TRect r = cr;
        Canvas.DrawText(FCaption, r, flags);
    }
    Canvas.Brush.Style = bsSolid;

    // 5. Focus rectangle around the caption
    if (FFocused || hasFocus()) {
        TRect calc = Rect(cr.Left, cr.Top, cr.Right, cr.Bottom);
        Canvas.DrawText(FCaption, calc, flags | DT_CALCRECT);
        const int tw = calc.Width(), th = calc.Height();
        Canvas.Pen.Color = FFontColor;
        Canvas.Pen.Style = psDot;
        Canvas.Brush.Style = bsClear;
        Canvas.Rectangle(Rect(cr.Left - 2, cr.Top, cr.Left + tw + 2, cr.Top + th + 2));
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Style = psSolid;
    }
}
