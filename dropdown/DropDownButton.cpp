#include "dropdown/DropDownButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <qdrawutil.h>

#include "grid/base/Theme.h"

using namespace editorkit;

// ---- drawing and text routines --------------------------------------------------------------------

void DrawRectangle(TCanvas *Canvas, const TRect &R, TColor Color, TColor ColorTo, TColor BorderColor, int BorderWidth,
                   TGradientDirection Direction)
{
    if (!Canvas) return;
    if (ColorTo != clNone) {
        DrawGradientRect(*Canvas, Color, ColorTo, 80, R, Direction == gdHorizontal);
    } else if (Color != clNone) {
        Canvas->Brush.Color = Color;
        Canvas->Brush.Style = bsSolid;
        Canvas->FillRect(R);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush.Style = bsClear;
        Canvas->Pen.Color = BorderColor;
        Canvas->Pen.Width = BorderWidth;
        Canvas->Pen.Style = psSolid;
        Canvas->Rectangle(R);
    }
}

void DrawButtonContent(TCanvas *Canvas, const TRect &R, const QString &Caption, int ImageIndex,
                       const TMarkupImageList *Images)
{
    if (!Canvas) return;
    TRect text = R;
    bool image = false;
    if (ImageIndex >= 0 && Images && ImageIndex < Images->Count()) {
        const QImage &img = Images->Images[std::size_t(ImageIndex)];
        Canvas->Draw(R.Left + 4, R.Top + (R.Height() - img.height()) / 2, img);
        text.Left = R.Left + img.width() + 8;
        image = true;
    }
    if (Caption.isEmpty()) return;
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!image) flags |= DT_CENTER;
    Canvas->DrawText(Caption, text, flags);
}

void GetTextSize(TCanvas *Canvas, const QString &Text, QSize &Size)
{
    Size = QSize(0, 0);
    if (!Canvas || Text.isEmpty()) return;
    TRect r{0, 0, 1000, 500};
    Canvas->DrawText(Text, r, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
    Size = QSize(r.Width(), r.Height());
}

void FitText(TCanvas *Canvas, const QString &Text, int MaxWidth, QString &Result, bool Ellipsis)
{
    Result = Text;
    if (!Canvas || Canvas->TextWidth(Text) <= MaxWidth) return;
    for (int keep = int(Text.size()) - 1; keep >= 0; --keep) {
        const QString candidate = Text.left(keep) + (Ellipsis ? QStringLiteral("...") : QString());
        if (Canvas->TextWidth(candidate) < MaxWidth) {
            Result = candidate;
            return;
        }
    }
}

void DrawMarkupCaption(TCanvas *Canvas, const QString &Text, const TRect &R, const TMarkupImageList *Images,
                       unsigned Flags, QSize &Size)
{
    Size = QSize(0, 0);
    if (!Canvas || Text.isEmpty()) return;
    TMarkupDrawParams params;
    params.imageList = Images;
    params.measureOnly = (Flags & DT_CALCRECT) != 0;
    TMarkupDrawResult result;
    DrawMarkupText(*Canvas, Text, R, params, result);
    Size = QSize(result.textWidth, result.textHeight);
}

void MatchCaseText(const QString &Text, bool CaseSensitive, QString &Result)
{
    Result = CaseSensitive ? Text : Text.toUpper();
}

// ---- speed button ---------------------------------------------------------------------------------

namespace {

// Visual styles for the drop-down family: their own library, loaded on first use, and a style in force.
bool dropDownThemed()
{
    LoadThemeLibrary(DropDownThemeLibrary());
    return DropDownThemeLibrary().Loaded && ThemePlatform().VisualStylesActive();
}

} // namespace

TNovaDropDownSpeedButton::TNovaDropDownSpeedButton(TDropDownEditButton *owner) : SpeedButton(owner), FOwner(owner)
{
    SetIsWinXP(IsComCtl6OrLater());
}

void TNovaDropDownSpeedButton::SetButtonStyle(TButtonStyle v)
{
    FButtonStyle = v;
    update();
}

void TNovaDropDownSpeedButton::SetEtched(bool v)
{
    if (v == FEtched) return;
    FEtched = v;
    update();
}

void TNovaDropDownSpeedButton::SetFocused(bool v)
{
    if (v == FFocused) return;
    FFocused = v;
    update();
}

const TDropDownButtonOwner *TNovaDropDownSpeedButton::Owner() const
{
    return FOwner ? dynamic_cast<const TDropDownButtonOwner *>(FOwner->parentWidget()) : nullptr;
}

void TNovaDropDownSpeedButton::mouseReleaseEvent(QMouseEvent *e)
{
    const Qt::MouseButton button = e->button();
    QAbstractButton::mouseReleaseEvent(e);
    if (FOwner) FOwner->ButtonMouseUp(button);
}

void TNovaDropDownSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (FButtonStyle == bsDropDown) PaintArrow(p);
    else PaintPushButton(p);
}

void TNovaDropDownSpeedButton::PaintArrow(QPainter &p)
{
    const QPalette pal = palette();
    const bool pressed = Pressed();
    const bool hot = Hot();
    const TDropDownButtonOwner *owner = Owner();
    if (FOwner && FOwner->ButtonColor != clNone) {
        // Colours of their own, whatever the look of the system.
        const ButtonColors &c = *FOwner;
        TColor arrow = c.ButtonTextColor;
        if (hot && c.ButtonTextColorHot != clNone) arrow = c.ButtonTextColorHot;
        if (pressed && c.ButtonTextColorDown != clNone) arrow = c.ButtonTextColorDown;
        if (arrow == clNone) arrow = clBlack;
        drawDropArrowFace(p, rect(), 0, {5, 7}, c.DropButtonFill(hot || pressed, pressed),
                          owner ? owner->ButtonOwnerBorderColor() : clNone, arrow, pal);
        return;
    }
    if (!Glyph().isNull()) {
        p.fillRect(rect(), pal.color(QPalette::Button));
        frameRect(p, rect(), QColor(0x80, 0x80, 0x80));
        p.drawPixmap(0, 0, transparentGlyph(Glyph()));
        return;
    }
    const bool usable = isEnabled() && !(owner && owner->ButtonOwnerReadOnly());
    if (IsWinXP() && dropDownThemed()) {
        // The style's combo arrow: one pixel in from the left on newer systems, else grown by one
        // and two in from the left.
        QRect r = rect();
        if (IsWindowsVistaOrLater()) r.setLeft(r.left() + 1);
        else r = r.adjusted(-1, -1, 1, 1).adjusted(2, 0, 0, 0);
        QStyleOptionComboBox opt;
        opt.initFrom(this);
        opt.rect = r;
        opt.subControls = QStyle::SC_ComboBoxArrow;
        opt.activeSubControls = pressed ? QStyle::SC_ComboBoxArrow : QStyle::SC_None;
        opt.state.setFlag(QStyle::State_Enabled, usable);
        opt.state.setFlag(QStyle::State_Sunken, pressed);
        opt.state.setFlag(QStyle::State_MouseOver, hot);
        style()->drawComplexControl(QStyle::CC_ComboBox, &opt, &p, this);
        return;
    }
    // Without visual styles: the classic button with its arrow.
    const int W = width(), H = height();
    qDrawWinButton(&p, rect(), pal, pressed, &pal.brush(QPalette::Button));
    p.setPen(pal.color(QPalette::Button));
    p.drawLine(W - 2, 0, 0, 0);
    p.drawLine(0, 0, 0, H - 1);
    p.setPen(Qt::white);
    p.drawLine(W - 3, 1, 1, 1);
    p.drawLine(1, 1, 1, H - 2);
    drawTriangle(&p, {5, 7}, {11, 7}, {8, 10}, usable ? QColor(Qt::black) : pal.color(QPalette::Disabled, QPalette::ButtonText));
}

void TNovaDropDownSpeedButton::PaintPushButton(QPainter &p)
{
    const QPalette pal = palette();
    const bool down = Pressed();
    if (FOwner && FOwner->parentWidget()) p.setFont(FOwner->parentWidget()->font());
    QRect r = rect();
    if (Flat()) {
        p.fillRect(r, pal.color(QPalette::Button));
        if (!down) {
            if (FEtched) qDrawShadeRect(&p, r, pal, true, 1, 0);
            else qDrawShadePanel(&p, r, pal, false, 1);
        }
    } else {
        qDrawWinButton(&p, r, pal, down, &pal.brush(QPalette::Button));
    }
    r.adjust(3, 3, -3, -3);
    if (down) r.translate(1, 1);
    if (!Glyph().isNull()) {
        TPainterCanvas canvas(&p);
        DrawBitmapTransparent(canvas, Glyph(), FromQColor(pal.color(QPalette::Button)), TRect::FromQRect(r));
    }
    if (!text().isEmpty()) {
        p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        p.drawText(rect().adjusted(3, 1, -3, -1).translated(down ? QPoint(1, 1) : QPoint()),
                   Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text());
    }
}

// ---- edit button ----------------------------------------------------------------------------------

TDropDownEditButton::TDropDownEditButton(QWidget *parent) : TSpeedButtonHolder(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    FButton = new TNovaDropDownSpeedButton(this);
    SetHeldButton(FButton);
    FButton->setEnabled(isEnabled());
    FButton->setText(QString());
    FButton->show();
    FButton->SetButtonStyle(bsDropDown);
    resize(16, 25);
    FButton->setGeometry(rect());
}

void TDropDownEditButton::AdjustWinSize(int &AWidth, int &AHeight)
{
    AWidth = FBWidth;
    FButton->setGeometry(0, 0, AWidth, AHeight);
}

void TDropDownEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    AdjustWinSize(AWidth, AHeight);
    setGeometry(ALeft, ATop, AWidth, AHeight);
}

void TDropDownEditButton::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    int w = width(), h = height();
    AdjustWinSize(w, h);
    if (w != width()) resize(w, h);
}

void TDropDownEditButton::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) FButton->setEnabled(isEnabled());
}

void TDropDownEditButton::ButtonMouseUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton && OnClick) OnClick(this);
}
