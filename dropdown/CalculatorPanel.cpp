// The calculator keypad. The pressed and the hot key are drawn at once when they change; the key
// that loses its state is repainted by the next paint.
#include "dropdown/CalculatorPanel.h"

#include "dropdown/DropDownButton.h"
#include "grid/base/VedAzirDraw.h"

#include <QMouseEvent>
#include <QPainter>

// ---- Keys ---------------------------------------------------------------------------------------

TButtonItem::TButtonItem(TCollectionBase *Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<THTMLPicture>())
{
}

void TButtonItem::Assign(const TButtonItem &Source)
{
    FCaption = Source.FCaption;
    FCaptionColor = Source.FCaptionColor;
    FTag = Source.FTag;
    FImageIndex = Source.FImageIndex;
    FImage->Assign(Source.FImage.get());
    FEnabled = Source.FEnabled;
    FName = Source.FName;
}

void TButtonItem::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
}

// ---- Appearance ---------------------------------------------------------------------------------

TButtonAppearance::TButtonAppearance()
{
    FFont.Size = 10;
    FFont.Style.Include(fsBold);
}

void TButtonAppearance::set(TColor &field, TColor Value)
{
    if (field == Value)
        return;
    field = Value;
    FireEvent(OnChange, this);
}

void TButtonAppearance::Assign(const TButtonAppearance &Source)
{
    if (&Source == this)
        return;
    SetBorderColor(Source.FBorderColor);
    SetBorderColorHot(Source.FBorderColorHot);
    SetBorderColorDown(Source.FBorderColorDown);
    set(FBorderColorChecked, Source.FBorderColorChecked);
    SetColor(Source.FColor);
    SetColorTo(Source.FColorTo);
    SetColorDown(Source.FColorDown);
    SetColorDownTo(Source.FColorDownTo);
    SetColorHot(Source.FColorHot);
    SetColorHotTo(Source.FColorHotTo);
    set(FColorCheckedTo, Source.FColorCheckedTo);
    set(FColorDisabled, Source.FColorDisabled);
    set(FColorDisabledTo, Source.FColorDisabledTo);
    set(FColorChecked, Source.FColorChecked);
    FFont = Source.FFont;
    SetShineColor(Source.FShineColor);
    SetGlowColorHot(Source.FGlowColorHot);
    SetGlowColorDown(Source.FGlowColorDown);
    SetTextColor(Source.FTextColor);
    SetSpecialTextColor(Source.FSpecialTextColor);
}

// ---- Panel --------------------------------------------------------------------------------------

namespace {

struct TKeyDef {
    const char *Caption;
    const char *Name;
    int Tag;
    bool Special;
};

// In collection order; ArrangeButtons places them by these indexes.
const TKeyDef kCalculatorKeys[TCustomButtonPanel::CalculatorKeyCount] = {
    {"", "BTN_ON", 30, false},      {"Back", "BTN_BACK", 31, true}, {"CE", "BTN_CE", 32, true},
    {"C", "BTN_C", 16, true},       {"MC", "BTN_MC", 33, true},     {"MR", "BTN_MR", 34, true},
    {"MS", "BTN_MS", 35, true},     {"M+", "BTN_M+", 36, true},     {"0", "BTN_0", 0, false},
    {"1", "BTN_1", 1, false},       {"4", "BTN_4", 4, false},       {"7", "BTN_7", 7, false},
    {"8", "BTN_8", 8, false},       {"5", "BTN_5", 5, false},       {"2", "BTN_2", 2, false},
    {"+/-", "BTN_+/-", 14, false},  {".", "BTN_.", 15, false},      {"3", "BTN_3", 3, false},
    {"6", "BTN_6", 6, false},       {"9", "BTN_9", 9, false},       {"/", "BTN_/", 13, true},
    {"*", "BTN_*", 12, true},       {"-", "BTN_-", 11, true},       {"+", "BTN_+", 10, true},
    {"=", "BTN_=", 17, true},       {"1/x", "BTN_1/x", 38, false},  {"%", "BTN_%", 18, false},
    {"sqrt", "BTN_sqrt", 37, true},
};

enum TKeyIndex {
    kOn, kBack, kCE, kC, kMC, kMR, kMS, kMPlus, k0, k1, k4, k7, k8, k5, k2, kSign, kPoint, k3, k6, k9, kDiv, kMul,
    kMinus, kPlus, kEquals, kInverse, kPercent, kSqrt
};

} // namespace

TCustomButtonPanel::TCustomButtonPanel(QWidget *AOwner)
    : QWidget(AOwner), FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>())
{
    FButtons->OnChange = [this] { changed(); };
    FButtonAppearance->OnChange = [this](QObject *) { changed(); };
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Calculator keys"));
}

TCustomButtonPanel::~TCustomButtonPanel() = default;

void TCustomButtonPanel::changed()
{
    // A hosted panel is repainted by its host.
    if (!FNovaDropDown)
        update();
}

void TCustomButtonPanel::Loaded()
{
    if (!FNovaDropDown)
        InitButtons();
}

void TCustomButtonPanel::SetImages(const TMarkupImageList *Value)
{
    if (Value == FImages)
        return;
    FImages = Value;
    ArrangeButtons();
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value)
{
    if (Value == FButtonPanelType)
        return;
    FButtonPanelType = Value;
    ArrangeButtons();
}

TRect TCustomButtonPanel::GetButtonsRect() const
{
    return TRect{0, 0, width(), height()}.Inflate(-FOffSetX, -FOffSetY);
}

void TCustomButtonPanel::ClearButtons()
{
    FButtons->Clear();
}

void TCustomButtonPanel::ResetButtons()
{
    ClearButtons();
    InitButtons();
}

void TCustomButtonPanel::InitButtons()
{
    if (FButtons->Count() > 0)
        return;
    if (FButtonPanelType == plCalculator) {
        for (const TKeyDef &k : kCalculatorKeys) {
            TButtonItem *b = FButtons->Add();
            b->SetCaption(QString::fromLatin1(k.Caption));
            b->SetName(QString::fromLatin1(k.Name));
            b->SetTag(k.Tag);
            b->SetSpecial(k.Special);
            b->SetCaptionColor(k.Special ? TColor(0x000080) : clWhite);
        }
    }
    ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons()
{
    // The layout places the calculator's own keys by index; another set keeps its places.
    if (FButtonPanelType != plCalculator || FButtons->Count() < CalculatorKeyCount)
        return;
    const TRect R = GetButtonsRect();
    const int gap = 4;
    const int W = (R.Right - R.Left - 2 * gap) / 6;
    const int H = (R.Bottom - R.Top - gap) / 5;
    const int y0 = R.Top, y1 = y0 + H + gap, y2 = y1 + H - 1, y3 = y2 + H - 1, y4 = y3 + H - 1;
    const int x0 = R.Left, x1 = x0 + W + gap, x2 = x1 + W - 1, x3 = x2 + W - 1, x4 = x3 + W + gap, x5 = x4 + W - 1;
    auto place = [&](int index, int x, int y, int w) { FButtons->GetItem(index)->SetBounds(x, y, w, H); };
    const int grid[4][6] = {
        {kMC, k7, k8, k9, kDiv, kSqrt},
        {kMR, k4, k5, k6, kMul, kPercent},
        {kMS, k1, k2, k3, kMinus, kInverse},
        {kMPlus, k0, kSign, kPoint, kPlus, kEquals},
    };
    const int xs[6] = {x0, x1, x2, x3, x4, x5};
    const int ys[4] = {y1, y2, y3, y4};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 6; ++col)
            place(grid[row][col], xs[col], ys[row], W);
    place(kOn, x0, y0, W);
    const int right = x5 + W;
    const int W3 = (right - x1 - 2 * gap) / 3;
    place(kBack, x1, y0, W3);
    place(kCE, x1 + W3 + gap, y0, W3);
    const int cLeft = x1 + 2 * (W3 + gap);
    place(kC, cLeft, y0, right - cLeft);
}

QSize TCustomButtonPanel::GetButtonSize()
{
    TImageCanvas canvas(1, 1);
    canvas.Font.Assign(font()); // the panel's own font
    int cw = 0, ch = 0, iw = 0, ih = 0;
    for (int i = 0; i < FButtons->Count(); ++i) {
        const TButtonItem *b = FButtons->GetItem(i);
        QSize s;
        GetTextSize(&canvas, b->Caption(), s);
        cw = std::max(cw, s.width());
        ch = std::max(ch, s.height());
        if (!b->Image().Empty()) {
            iw = std::max(iw, b->Image().Width());
            ih = std::max(ih, b->Image().Height());
        } else if (FImages && b->ImageIndex() >= 0) {
            iw = std::max(iw, FImages->Width);
            ih = std::max(ih, FImages->Height);
        }
    }
    canvas.End();
    if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight)
        return QSize(2 * FButtonOffSetX + (iw > 0 ? iw : 0) + (iw > 0 && cw > 0 ? FCaptionGap : 0) + cw,
                     std::max(ih, ch) + 2 * FButtonOffSetY);
    return QSize(std::max(iw, cw) + 2 * FButtonOffSetX,
                 2 * FButtonOffSetY + (ih > 0 ? ih : 0) + (ih > 0 && ch > 0 ? FCaptionGap : 0) + ch);
}

TRect TCustomButtonPanel::GetButtonRect(int Index) const
{
    if (Index < 0 || Index >= FButtons->Count())
        return {-1, -1, -1, -1};
    return FButtons->GetItem(Index)->Rect();
}

int TCustomButtonPanel::ButtonAtPos(int X, int Y) const
{
    for (int i = 0; i < FButtons->Count(); ++i)
        if (FButtons->GetItem(i)->Rect().Contains({X, Y}))
            return i;
    return -1;
}

void TCustomButtonPanel::InvalidateButton(int Index)
{
    if (Index < 0 || Index >= FButtons->Count())
        return;
    update(FButtons->GetItem(Index)->Rect().Inflate(8, 8).ToQRect());
}

void TCustomButtonPanel::drawAtOnce(int Index)
{
    if (Index < 0 || Index >= FButtons->Count() || !isVisible())
        return;
    repaint(FButtons->GetItem(Index)->Rect().ToQRect());
}

void TCustomButtonPanel::DoButtonClick(int Index)
{
    FireEvent(OnButtonClick, this, Index);
}

// The hot and the pressed key follow one rule: a disabled key never takes the state; the key that
// loses it is invalidated, the one that takes it drawn at once.
void TCustomButtonPanel::setKeyState(int &Field, int Index)
{
    if (Index >= 0 && Index < FButtons->Count() && !FButtons->GetItem(Index)->Enabled())
        return;
    MoveMark(Field, Index, [this](int i) { InvalidateButton(i); }, [this](int i) { drawAtOnce(i); });
}

void TCustomButtonPanel::SetButtonHot(int Index)
{
    setKeyState(FButtonHot, Index);
}

void TCustomButtonPanel::SetButtonDown(int Index)
{
    setKeyState(FButtonDown, Index);
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas &Canvas)
{
    if (Index < 0 || Index >= FButtons->Count())
        return;
    const TButtonItem *b = FButtons->GetItem(Index);
    const TRect key = b->Rect();
    if (key.Left == -1)
        return;

    // Background: the push-button face in its state (themed where the platform has visual styles).
    Canvas.FillRect(key);
    const int state = !isEnabled() ? 3 : Index == FButtonDown ? 2 : Index == FButtonHot ? 1 : 0;
    DrawCellButton(Canvas, this, key, 0, state, TButtonTones());

    // Image.
    const bool picture = !b->Image().Empty() && b->Image().Decoded();
    const bool listImage = !picture && FImages && b->ImageIndex() >= 0;
    int iw = 0, ih = 0;
    if (picture) {
        iw = b->Image().Width();
        ih = b->Image().Height();
    } else if (listImage) {
        iw = FImages->Width;
        ih = FImages->Height;
    }
    const bool image = picture || listImage;
    const unsigned flags = DT_SINGLELINE | DT_VCENTER | (image ? 0u : unsigned(DT_CENTER));
    auto drawImage = [&](int x, int y) {
        if (picture) {
            b->Image().Draw(Canvas, TRect{x, y, x + iw, y + ih});
        } else if (listImage && b->ImageIndex() < FImages->Count()) {
            QImage img = FImages->Images[std::size_t(b->ImageIndex())];
            if (!b->Enabled())
                img = img.convertToFormat(QImage::Format_Grayscale8);
            Canvas.Draw(x, y, img);
        }
    };

    // Content.
    TRect C = key.Inflate(-FButtonOffSetX, -FButtonOffSetY);
    Canvas.Font = FButtonAppearance->Font();
    Canvas.Font.Color = b->Special() ? FButtonAppearance->SpecialTextColor() : FButtonAppearance->TextColor();
    Canvas.Brush.Style = bsClear;
    const QString caption = b->Caption();
    QSize cs;
    GetTextSize(&Canvas, caption, cs);
    auto vcentre = [&]() { return C.Top + (C.Height() - ih) / 2; };
    switch (FButtonLayout) {
    case ilCaptionLeft:
        if (!caption.isEmpty()) {
            C.Right -= iw;
            TRect t = C;
            Canvas.DrawText(caption, t, flags);
            if (image)
                drawImage(C.Left + cs.width() + FCaptionGap, vcentre());
        } else if (image) {
            drawImage(C.Left, vcentre());
        }
        break;
    case ilCaptionRight:
        if (image) {
            drawImage(C.Left, vcentre());
            C.Left += iw + FCaptionGap;
        }
        if (!caption.isEmpty()) {
            TRect t = C;
            Canvas.DrawText(caption, t, flags);
        }
        break;
    case ilCaptionTop:
        if (!caption.isEmpty()) {
            C.Bottom -= ih;
            TRect t = C;
            Canvas.DrawText(caption, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
            if (image)
                drawImage(C.Left, C.Top + cs.height() + FCaptionGap);
        } else if (image) {
            drawImage(C.Left, vcentre());
        }
        break;
    case ilCaptionBottom:
        if (caption.isEmpty()) {
            if (image)
                drawImage(C.Left, vcentre());
        } else {
            if (image)
                drawImage(C.Left, C.Top);
            C.Top += ih + FCaptionGap;
            TRect t = C;
            Canvas.DrawText(caption, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        }
        break;
    }
    Canvas.Brush.Style = bsSolid;
}

void TCustomButtonPanel::DrawButtons(TCanvas &Canvas, bool WithHot)
{
    for (int i = 0; i < FButtons->Count(); ++i)
        if (WithHot || i != FButtonHot)
            DrawButton(i, Canvas);
}

void TCustomButtonPanel::PaintTo(TCanvas &Canvas)
{
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = FromQColor(palette().color(backgroundRole()));
    Canvas.FillRect(TRect{0, 0, width(), height()});
    if (!FNovaDropDown) {
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Style = psSolid;
        Canvas.Pen.Width = 1;
        Canvas.Pen.Color = clBlack;
        Canvas.Rectangle(TRect{0, 0, width(), height()});
        Canvas.Brush.Style = bsSolid;
    }
    DrawButtons(Canvas, false);
    DrawButton(FButtonHot, Canvas); // the hot key last
}

void TCustomButtonPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    PaintTo(canvas);
}

void TCustomButtonPanel::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    ArrangeButtons();
}

void TCustomButtonPanel::mousePressEvent(QMouseEvent *e)
{
    QWidget::mousePressEvent(e);
    const int i = ButtonAtPos(e->position().toPoint().x(), e->position().toPoint().y());
    if (i >= 0 && FButtons->GetItem(i)->Enabled())
        SetButtonDown(i);
}

void TCustomButtonPanel::mouseMoveEvent(QMouseEvent *e)
{
    QWidget::mouseMoveEvent(e);
    const int i = ButtonAtPos(e->position().toPoint().x(), e->position().toPoint().y());
    if (i < 0 || !FButtons->GetItem(i)->Enabled()) {
        SetButtonHot(-1);
        return;
    }
    if (i != FButtonHot)
        SetButtonHot(i);
}

void TCustomButtonPanel::mouseReleaseEvent(QMouseEvent *e)
{
    QWidget::mouseReleaseEvent(e);
    if (FButtonDown < 0)
        return;
    const int pressed = FButtonDown;
    const bool counts = ButtonAtPos(e->position().toPoint().x(), e->position().toPoint().y()) == pressed;
    SetButtonDown(-1);
    if (counts)
        DoButtonClick(pressed);
}

void TCustomButtonPanel::leaveEvent(QEvent *e)
{
    QWidget::leaveEvent(e);
    SetButtonHot(-1);
}
