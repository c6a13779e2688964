#include "grid/base/GridButton.h"

#include "grid/base/Theme.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace {

QImage transparentCopy(const QImage &glyph)
{
    // The bottom-left pixel's colour counts as transparent.
    QImage img = glyph.convertToFormat(QImage::Format_ARGB32);
    if (img.isNull()) return img;
    const QRgb key = img.pixel(0, img.height() - 1) | 0xFF000000u;
    for (int y = 0; y < img.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] | 0xFF000000u) == key) line[x] = 0;
    }
    return img;
}

struct Preset {
    TColor color, colorTo, hot, hotTo, down, downTo, checked, checkedTo, borderDown, borderHot;
};

const Preset kPresets[7] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
    {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080},
};

} // namespace

void DrawButtonGradient(TCanvas &Canvas, TColor From, TColor To, const TRect &R)
{
    const TColor a = ColorToRGB(From), b = ColorToRGB(To);
    const int h = R.Height();
    if (h <= 0 || R.Width() <= 0) return;
    const TBrush saved = Canvas.Brush;
    constexpr int bands = 16;
    for (int i = 0; i < bands; ++i) {
        const int r = GetRValue(a) + (GetRValue(b) - GetRValue(a)) * i / (bands - 1);
        const int g = GetGValue(a) + (GetGValue(b) - GetGValue(a)) * i / (bands - 1);
        const int bl = GetBValue(a) + (GetBValue(b) - GetBValue(a)) * i / (bands - 1);
        const int top = R.Top + i * h / bands;
        const int bottom = std::min(R.Bottom, R.Top + (i + 1) * h / bands + 1);
        if (bottom <= top) continue;
        Canvas.Brush.Color = RGBColor(r, g, bl);
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(Rect(R.Left, top, R.Right, bottom));
    }
    Canvas.Brush = saved;
}

TNovaGridButton::TNovaGridButton(QWidget *AOwner) : QAbstractButton(AOwner)
{
    FIsComCtl6 = IsComCtl6OrLater();
    setFocusPolicy(Qt::NoFocus); // a graphic control never takes the focus
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
    resize(23, 22);
}

TNovaGridButton::~TNovaGridButton() = default;

void TNovaGridButton::Click()
{
    if (OnClick) FireEvent(OnClick, this);
    else if (FAction) FAction->trigger();
    emit clicked(FDown);
}

void TNovaGridButton::Loaded()
{
    if (FShaded) createShadeGlyph();
    if (FAutoThemeAdapt) ApplyXPColorScheme(*this);
}

void TNovaGridButton::SetCaption(const QString &Value)
{
    FCaption = Value;
    setText(Value); // registers the accelerator and the accessible name
    repaint();
}

// ---- Down, groups, style ----------------------------------------------------------------------

void TNovaGridButton::SetDown(bool Value)
{
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        repaint();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return; // only another button of the group releases it
    FDown = Value;
    if (Value) {
        if (FState == bsUp) repaint();
        FState = bsExclusive;
        updateExclusive();
    } else {
        FState = bsUp;
        repaint();
    }
    if (FAction && FAction->isCheckable() && FGroupIndex != 0 && FAllowAllUp) FAction->setChecked(FDown);
}

void TNovaGridButton::SetGroupIndex(int Value)
{
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    updateExclusive();
}

void TNovaGridButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    updateExclusive();
}

void TNovaGridButton::updateExclusive()
{
    QWidget *parent = parentWidget();
    if (!parent || FGroupIndex == 0) return;
    const auto siblings = parent->findChildren<TNovaGridButton *>(QString(), Qt::FindDirectChildrenOnly);
    for (TNovaGridButton *b : siblings)
        if (b != this) b->buttonPressed(FGroupIndex, this);
}

void TNovaGridButton::buttonPressed(int Group, TNovaGridButton *Sender)
{
    if (Group != FGroupIndex || Sender == this) return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = bsUp;
        if (FAction && FAction->isCheckable()) FAction->setChecked(false);
        repaint();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

void TNovaGridButton::SetStyle(TNovaGridButtonStyle Value)
{
    FStyle = Value;
    repaint();
}

// ---- Plain repainting setters -----------------------------------------------------------------

#define CFG_REPAINT_SETTER(Type, Name)                                                                               \
    void TNovaGridButton::Set##Name(Type Value)                                                                     \
    {                                                                                                               \
        F##Name = Value;                                                                                            \
        repaint();                                                                                                  \
    }
CFG_REPAINT_SETTER(TButtonLayout, Layout)
CFG_REPAINT_SETTER(int, Spacing)
CFG_REPAINT_SETTER(bool, Flat)
CFG_REPAINT_SETTER(bool, Rounded)
CFG_REPAINT_SETTER(bool, ShowCaption)
CFG_REPAINT_SETTER(bool, DropDownButton)
CFG_REPAINT_SETTER(bool, AutoXPStyle)
CFG_REPAINT_SETTER(TColor, Color)
CFG_REPAINT_SETTER(TColor, ColorTo)
CFG_REPAINT_SETTER(TColor, ColorHot)
CFG_REPAINT_SETTER(TColor, ColorHotTo)
CFG_REPAINT_SETTER(TColor, ColorDown)
CFG_REPAINT_SETTER(TColor, ColorDownTo)
CFG_REPAINT_SETTER(TColor, ColorChecked)
CFG_REPAINT_SETTER(TColor, ColorCheckedTo)
CFG_REPAINT_SETTER(TColor, BorderColor)
CFG_REPAINT_SETTER(TColor, BorderDownColor)
CFG_REPAINT_SETTER(TColor, BorderHotColor)
CFG_REPAINT_SETTER(TColor, FontColor)
#undef CFG_REPAINT_SETTER

void TNovaGridButton::SetMargin(int Value)
{
    if (Value < -1) return;
    FMargin = Value;
    repaint();
}

void TNovaGridButton::SetShaded(bool Value)
{
    FShaded = Value;
    if (Value && !FLoading) createShadeGlyph();
    repaint();
}

void TNovaGridButton::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    if (Value) ApplyXPColorScheme(*this);
}

// ---- Glyphs -----------------------------------------------------------------------------------

void TNovaGridButton::SetGlyph(const QImage &Value)
{
    FGlyph = Value;
    if (FGlyphDisabled.isNull() || FGlyphDisabledDerived) createDisabledGlyph();
    if (FShaded) createShadeGlyph();
    repaint();
}

void TNovaGridButton::SetGlyphHot(const QImage &Value)
{
    FGlyphHot = Value;
    repaint();
}

void TNovaGridButton::SetGlyphDown(const QImage &Value)
{
    FGlyphDown = Value;
    repaint();
}

void TNovaGridButton::SetGlyphDisabled(const QImage &Value)
{
    FGlyphDisabled = Value;
    FGlyphDisabledDerived = false;
    if (Value.isNull() && !FGlyph.isNull()) createDisabledGlyph();
    repaint();
}

void TNovaGridButton::createDisabledGlyph()
{
    if (FGlyph.isNull()) {
        FGlyphDisabled = QImage();
        FGlyphDisabledDerived = false;
        return;
    }
    QImage img = FGlyph.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int grey = ((qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3) / 2 + 96;
            line[x] = qRgb(grey, grey, grey);
        }
    }
    FGlyphDisabled = img;
    FGlyphDisabledDerived = true;
}

void TNovaGridButton::createShadeGlyph()
{
    if (FGlyph.isNull()) {
        FGlyphShade = QImage();
        return;
    }
    const QImage src = FGlyph.convertToFormat(QImage::Format_RGB32);
    const QRgb key = src.pixel(0, src.height() - 1);
    QImage shade(src.size(), QImage::Format_RGB32);
    shade.fill(key);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (src.pixel(x, y) != key) shade.setPixel(x, y, qRgb(0x80, 0x80, 0x80));
    FGlyphShade = shade;
}

// ---- Looks ------------------------------------------------------------------------------------

void TNovaGridButton::SetLook(int Value)
{
    if (Value < 0 || Value > 6) return;
    const Preset &p = kPresets[Value];
    FColor = p.color;
    FColorTo = p.colorTo;
    FColorHot = p.hot;
    FColorHotTo = p.hotTo;
    FColorDown = p.down;
    FColorDownTo = p.downTo;
    FColorChecked = p.checked;
    FColorCheckedTo = p.checkedTo;
    FBorderDownColor = p.borderDown;
    FBorderHotColor = p.borderHot;
    if (Value == 0) {
        FRounded = true;
        FFlat = true;
    } else {
        FBorderColor = clNone;
        FRounded = false;
        FFlat = true;
    }
    FLook = Value;
    repaint();
}

void TNovaGridButton::ApplyXPColorScheme(TNovaGridButton &button)
{
    QString scheme;
    if (IsWindowsXPOrLater() && ThemePlatform().VisualStylesActive()) scheme = ThemePlatform().CurrentColorSchemeName();
    int look = 1;
    if (scheme == QLatin1String("NormalColor")) look = 2;
    else if (scheme == QLatin1String("HomeStead")) look = 3;
    else if (scheme == QLatin1String("Metallic")) look = 4;
    button.SetLook(look);
}

// ---- Action -----------------------------------------------------------------------------------

void TNovaGridButton::SetAction(QAction *Value)
{
    if (FActionConn) disconnect(FActionConn);
    FAction = Value;
    if (!Value) return;
    FActionConn = connect(Value, &QAction::changed, this, [this] { actionChanged(); });
    if (FCaption.isEmpty()) SetCaption(Value->text());
    actionChanged();
}

void TNovaGridButton::actionChanged()
{
    if (!FAction) return;
    setEnabled(FAction->isEnabled());
    setVisible(FAction->isVisible());
    setToolTip(FAction->toolTip());
    if (FAction->isCheckable() && FGroupIndex != 0 && FAllowAllUp && FAction->isChecked() != FDown)
        SetDown(FAction->isChecked());
    if (FAction->text() != FCaption && !FAction->text().isEmpty()) SetCaption(FAction->text());
}

// ---- Mouse ------------------------------------------------------------------------------------

bool TNovaGridButton::inside(const QPoint &p) const
{
    return p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
}

void TNovaGridButton::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !isEnabled()) {
        e->ignore();
        return;
    }
    e->accept();
    const int x = e->position().toPoint().x();
    if (FDropDownButton && x > width() - 12) {
        FState = bsUp;
        FireEvent(OnDropDown, this);
        if (FDropDownMenu) FDropDownMenu->popup(mapToGlobal(QPoint(0, height())));
        repaint();
        return;
    }
    if (!FDown) {
        FState = bsDown;
        repaint();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        repaint();
    }
    FDragging = true;
}

void TNovaGridButton::mouseMoveEvent(QMouseEvent *e)
{
    if (!FDragging) {
        updateTracking(e->position().toPoint());
        return;
    }
    TButtonState s = FDown ? bsExclusive : bsUp;
    if (inside(e->position().toPoint())) s = FDown ? bsExclusive : bsDown;
    if (FStyle == tasCheck && FDown) s = bsDown;
    if (s != FState) {
        FState = s;
        repaint();
    }
}

void TNovaGridButton::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !FDragging) {
        e->ignore();
        return;
    }
    e->accept();
    FDragging = false;
    const bool in = inside(e->position().toPoint());
    if (FGroupIndex == 0) {
        FState = bsUp;
        // A check button toggles only when released on it: dragging off cancels, as it
        // does for the click that would report the change.
        if (FStyle == tasCheck && in) {
            SetDown(!FDown);
            FState = bsUp;
        }
        if (in) repaint();
    } else if (in) {
        SetDown(!FDown);
        if (FDown) repaint();
    } else if (FDown) {
        FState = bsExclusive;
        repaint();
    }
    if (in) Click();
    updateTracking(e->position().toPoint());
}

void TNovaGridButton::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && FDown) FireEvent(OnDblClick, this);
    // A double click is also a press, so a second click works as the first one did.
    mousePressEvent(e);
}

void TNovaGridButton::updateTracking(const QPoint &pos)
{
    if (!isEnabled()) return;
    const bool over = rect().contains(pos);
    if (over != FMouseInControl) {
        if (over) mouseEnter();
        else mouseLeave();
    }
}

void TNovaGridButton::mouseEnter()
{
    if (!FMouseInControl && isEnabled() && !FDragging && QWidget::mouseGrabber() == nullptr) {
        FMouseInControl = true;
        repaint();
    }
    FireEvent(OnMouseEnter, this);
}

void TNovaGridButton::mouseLeave()
{
    if (FMouseInControl && isEnabled() && !FDragging) {
        FMouseInControl = false;
        repaint();
    }
    FireEvent(OnMouseLeave, this);
}

void TNovaGridButton::enterEvent(QEnterEvent *e)
{
    QAbstractButton::enterEvent(e);
    mouseEnter();
}

void TNovaGridButton::leaveEvent(QEvent *e)
{
    QAbstractButton::leaveEvent(e);
    mouseLeave();
}

void TNovaGridButton::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled()) FMouseInControl = false;
        repaint();
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        repaint();
        break;
    case QEvent::StyleChange:
    case QEvent::ThemeChange:
        // a changed desktop appearance
        if (FAutoThemeAdapt) ApplyXPColorScheme(*this);
        repaint();
        break;
    default:
        break;
    }
    QAbstractButton::changeEvent(e);
}

bool TNovaGridButton::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut) {
        // the caption's accelerator
        if (isEnabled() && isVisible() && parentWidget() && parentWidget()->isVisible()) Click();
        return true;
    }
    return QAbstractButton::event(e);
}

void TNovaGridButton::keyPressEvent(QKeyEvent *e) { e->ignore(); }
void TNovaGridButton::keyReleaseEvent(QKeyEvent *e) { e->ignore(); }

// ---- Painting ---------------------------------------------------------------------------------

bool TNovaGridButton::hotLook() const { return FMouseInControl && isEnabled(); }

void TNovaGridButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    PaintTo(canvas);
}

// Fills "From to To": solid when To is clNone, else the 16-band gradient; framed in PenColor.
void TNovaGridButton::fillFace(TCanvas &Canvas, const TRect &R, TColor From, TColor To, TColor PenColor)
{
    if (From == clNone) return;
    if (To == clNone) {
        Canvas.Brush.Color = From;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = PenColor == clNone ? From : PenColor;
        Canvas.Pen.Style = psSolid;
        Canvas.Rectangle(R);
        return;
    }
    DrawButtonGradient(Canvas, From, To, R);
    if (PenColor != clNone) {
        Canvas.Pen.Color = PenColor;
        Canvas.Pen.Style = psSolid;
        Canvas.Brush.Style = bsClear;
        Canvas.Rectangle(R);
        Canvas.Brush.Style = bsSolid;
    }
}

void TNovaGridButton::PaintTo(TCanvas &Canvas)
{
    // 1. State
    if (!isEnabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = (FDown && FGroupIndex != 0) ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown) FState = bsDown;
    Canvas.Font.Assign(font());
    Canvas.Font.Color = FFontColor;
    TRect R = Rect(0, 0, width(), height());
    const bool hot = hotLook();
    const bool pressed = FState == bsDown || FState == bsExclusive;

    if (FFlat) {
        // 2. Flat face
        if (FBorderDownColor == clNone || FRounded) R = R.Inflate(-1, -1);
        if (!hot) {
            if (FStyle == tasCheck && FDown) {
                fillFace(Canvas, R, FColorChecked, FColorCheckedTo, FBorderDownColor);
            } else if (FColorTo == clNone) {
                Canvas.Brush.Color = FColor;
                Canvas.Brush.Style = bsSolid;
                Canvas.FillRect(R);
            } else {
                fillFace(Canvas, R, FColor, FColorTo, FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor));
            }
            if (FBorderColor != clNone) {
                Canvas.Pen.Color = FBorderColor;
                Canvas.Pen.Style = psSolid;
                Canvas.Brush.Style = bsClear;
                if (FRounded) Canvas.RoundRect(R.Inflate(1, 1), 8, 8);
                else Canvas.Rectangle(R);
                Canvas.Brush.Style = bsSolid;
            }
        } else {
            TColor from, to, border;
            if (FState == bsDown) {
                from = FColorDown;
                to = FColorDownTo;
                border = FBorderDownColor;
            } else {
                from = FColorHot;
                to = FColorHotTo;
                border = FBorderHotColor;
            }
            if (FStyle == tasCheck && FDown && FState != bsDown) {
                from = FColorChecked;
                to = FColorCheckedTo;
                border = FBorderDownColor;
            }
            fillFace(Canvas, R, from, to, FRounded ? clNone : border);
            if (FRounded && border != clNone) {
                Canvas.Pen.Color = border;
                Canvas.Pen.Style = psSolid;
                Canvas.Brush.Style = bsClear;
                Canvas.RoundRect(R.Inflate(1, 1), 8, 8);
                Canvas.Brush.Style = bsSolid;
            }
            if (FDropDownButton && border != clNone) {
                Canvas.Pen.Color = border;
                Canvas.Pen.Style = psSolid;
                Canvas.MoveTo(R.Right - 12, R.Top);
                Canvas.LineTo(R.Right - 12, R.Bottom);
            }
        }
        R = R.Inflate(-1, -1);
    } else {
        // 3. Raised classic frame (this platform has no visual styles for the themed variant)
        QPainter *painter = Canvas.Painter();
        if (painter && FAutoXPStyle && FIsComCtl6 && IsThemeActive()) {
            QStyleOptionButton opt;
            opt.initFrom(this);
            opt.rect = R.ToQRect();
            if (pressed) opt.state |= QStyle::State_Sunken;
            style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &opt, painter, this);
        } else {
            Canvas.Brush.Color = clBtnFace;
            Canvas.Brush.Style = bsSolid;
            Canvas.FillRect(R);
            auto frame = [&](const TRect &r, TColor tl, TColor br) {
                Canvas.Pen.Style = psSolid;
                Canvas.Pen.Color = tl;
                Canvas.MoveTo(r.Left, r.Bottom - 1);
                Canvas.LineTo(r.Left, r.Top);
                Canvas.LineTo(r.Right - 1, r.Top);
                Canvas.Pen.Color = br;
                Canvas.LineTo(r.Right - 1, r.Bottom - 1);
                Canvas.LineTo(r.Left - 1, r.Bottom - 1);
            };
            if (pressed) {
                frame(R, cl3DDkShadow, clBtnHighlight);
                frame(R.Inflate(-1, -1), clBtnShadow, cl3DLight);
            } else {
                frame(R, clBtnHighlight, cl3DDkShadow);
                frame(R.Inflate(-1, -1), cl3DLight, clBtnShadow);
            }
        }
    }

    // 4. Offset of the contents
    TPoint O{0, 0};
    if (pressed) {
        if (FState == bsExclusive && (!FFlat || !hot))
            fillFace(Canvas, R.Inflate(1, 1), FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor);
        if (!FFlat) O = {1, 1};
    } else if (FFlat && hot && isEnabled() && FShaded) {
        O = {-1, -1};
    }

    // 5. Drop-down part
    if (FDropDownButton) {
        const int mid = (R.Top + R.Bottom) / 2;
        Canvas.Brush.Color = FFontColor;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = FFontColor;
        Canvas.Pen.Style = psSolid;
        Canvas.Polygon({{R.Right - 8, mid - 1}, {R.Right - 4, mid - 1}, {R.Right - 6, mid + 1}});
        R.Right -= 12;
    }

    // 6. Contents
    DrawButtonContents(Canvas, R, O, pressed, hot);
}

TNovaGridButton::TButtonContentLayout TNovaGridButton::CalcButtonLayout(TCanvas &Canvas, const TRect &Client,
                                                                          TPoint Offset) const
{
    TButtonLayout layout = FLayout;
    if (layoutDirection() == Qt::RightToLeft) {
        if (layout == blGlyphLeft) layout = blGlyphRight;
        else if (layout == blGlyphRight) layout = blGlyphLeft;
    }
    const TPoint clientSize{Client.Width(), Client.Height()};
    const TPoint G = FGlyph.isNull() ? TPoint{0, 0} : TPoint{FGlyph.width(), FGlyph.height()};
    TPoint T{0, 0};
    if (!FCaption.isEmpty()) {
        TRect bounds = Rect(0, 0, Client.Width(), 0);
        Canvas.DrawText(FCaption, bounds, DT_CALCRECT | DT_SINGLELINE);
        T = {bounds.Width(), bounds.Height()};
    }
    TPoint glyphPos{0, 0}, textPos{0, 0};
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    if (horizontal) {
        glyphPos.Y = (clientSize.Y - G.Y + 1) / 2;
        textPos.Y = (clientSize.Y - T.Y + 1) / 2;
    } else {
        glyphPos.X = (clientSize.X - G.X + 1) / 2;
        textPos.X = (clientSize.X - T.X + 1) / 2;
    }
    int spacing = FSpacing, margin = FMargin;
    if (T.X == 0 || G.X == 0) spacing = 0;
    const int extent = horizontal ? clientSize.X : clientSize.Y;
    const int g = horizontal ? G.X : G.Y;
    const int t = horizontal ? T.X : T.Y;
    if (margin == -1) {
        if (spacing == -1) {
            margin = spacing = (extent - g - t) / 3;
        } else {
            margin = (extent - (g + spacing + t) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (extent - margin - g - t) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        glyphPos.X = margin;
        textPos.X = glyphPos.X + G.X + spacing;
        break;
    case blGlyphRight:
        glyphPos.X = clientSize.X - margin - G.X;
        textPos.X = glyphPos.X - spacing - T.X;
        break;
    case blGlyphTop:
        glyphPos.Y = margin;
        textPos.Y = glyphPos.Y + G.Y + spacing;
        break;
    case blGlyphBottom:
        glyphPos.Y = clientSize.Y - margin - G.Y;
        textPos.Y = glyphPos.Y - spacing - T.Y;
        break;
    }
    TButtonContentLayout out;
    out.GlyphPos = {glyphPos.X + Client.Left + Offset.X, glyphPos.Y + Client.Top + Offset.Y};
    const TPoint tp{textPos.X + Client.Left + Offset.X, textPos.Y + Client.Top + Offset.Y};
    out.TextBounds = Rect(tp.X, tp.Y, tp.X + T.X, tp.Y + T.Y);
    return out;
}

void TNovaGridButton::DrawButtonContents(TCanvas &Canvas, const TRect &R, TPoint Offset, bool pressed, bool hot)
{
    TButtonContentLayout lay = CalcButtonLayout(Canvas, R, Offset);
    if (FCaption.isEmpty()) lay.GlyphPos = {0, 0};
    const bool enabled = isEnabled();

    const QImage *glyph = &FGlyph;
    if (!enabled) {
        if (!FGlyphDisabled.isNull()) glyph = &FGlyphDisabled;
    } else if (hot && !pressed && !FGlyphHot.isNull()) {
        glyph = &FGlyphHot;
    } else if (pressed && !FGlyphDown.isNull()) {
        glyph = &FGlyphDown;
    }
    if (!glyph->isNull()) {
        if (hot && FShaded && enabled && !pressed && !FGlyphShade.isNull())
            Canvas.Draw(lay.GlyphPos.X + 2, lay.GlyphPos.Y + 2, transparentCopy(FGlyphShade));
        Canvas.Draw(lay.GlyphPos.X, lay.GlyphPos.Y, transparentCopy(*glyph));
    }

    if (!FShowCaption || FCaption.isEmpty()) return;
    TRect tb = lay.TextBounds;
    if (hot && FShaded && enabled && !pressed && FFlat) tb = tb.Offset(1, 1);
    Canvas.Brush.Style = bsClear;
    const unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (!enabled) {
        TRect shadow = tb.Offset(1, 1);
        Canvas.Font.Color = clBtnHighlight;
        Canvas.DrawText(FCaption, shadow, flags);
        Canvas.Font.Color = clBtnShadow;
        Canvas.DrawText(FCaption, tb, flags);
    } else {
        Canvas.Font.Color = FFontColor;
        Canvas.DrawText(FCaption, tb, flags);
    }
    Canvas.Brush.Style = bsSolid;
}
