// The item selector. The cell size is computed once per layout over all entries; hot tracking
// draws the new hot cell at once and only invalidates the old one.
#include "dropdown/ItemSelector.h"

#include "dropdown/DropDownButton.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/VedAzirDraw.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <stdexcept>

// ---- Entries ------------------------------------------------------------------------------------

TImageEntry::TImageEntry(TCollectionBase *Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<THTMLPicture>())
{
}

TImageEntry::~TImageEntry() = default;

void TImageEntry::SetImage(const THTMLPicture &Value)
{
    // A picture that failed to load keeps its bytes: copying them would decode them again.
    FImage->Assign(Value.Empty() ? nullptr : &Value);
}

QSize TImageEntry::ShownImageSize(const TMarkupImageList *Images) const
{
    if (!FImage->Empty() && FImage->Decoded())
        return {FImage->Width(), FImage->Height()};
    if (Images && FImageIndex >= 0)
        return {Images->Width, Images->Height};
    return {0, 0};
}

void TImageEntry::DrawShownImage(TCanvas &Canvas, int X, int Y, const TMarkupImageList *Images) const
{
    if (!FImage->Empty() && FImage->Decoded())
        FImage->Draw(Canvas, TRect{X, Y, X + FImage->Width(), Y + FImage->Height()});
    else if (Images && FImageIndex >= 0 && FImageIndex < Images->Count())
        Canvas.Draw(X, Y, Images->Images[std::size_t(FImageIndex)]);
}

void TImageEntry::AssignEntry(const TImageEntry &Source)
{
    SetCaption(Source.FCaption);
    SetImageIndex(Source.FImageIndex);
    SetImage(*Source.FImage);
}

void TSelectorItem::Assign(const TSelectorItem &Source)
{
    AssignEntry(Source);
    SetColor(Source.FColor);
    FHint = Source.FHint;
}

// ---- Appearance ---------------------------------------------------------------------------------

namespace {

struct TStylePreset {
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, BorderColorTop, BorderColorBottom, BorderColor,
        EdgeColor, ColorSelected, ColorSelectedTo, ColorMirrorSelected, ColorMirrorSelectedTo;
};

const TStylePreset kOffice2007 = {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF,
                                  0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9};
const TStylePreset kWindowsVista = {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7,
                                    0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone, clNone};
const TStylePreset kWindows7 = {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB,
                                0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone, clNone};

void loadPreset(TItemAppearance &a, const TStylePreset &p)
{
    a.ColorHot = p.ColorHot;
    a.ColorHotTo = p.ColorHotTo;
    a.ColorMirrorHot = p.ColorMirrorHot;
    a.ColorMirrorHotTo = p.ColorMirrorHotTo;
    a.BorderColorTop = p.BorderColorTop;
    a.BorderColorBottom = p.BorderColorBottom;
    a.BorderColor = p.BorderColor;
    a.EdgeColor = p.EdgeColor;
    a.ColorSelected = p.ColorSelected;
    a.ColorSelectedTo = p.ColorSelectedTo;
    a.ColorMirrorSelected = p.ColorMirrorSelected;
    a.ColorMirrorSelectedTo = p.ColorMirrorSelectedTo;
}

} // namespace

TItemAppearance::TItemAppearance(QObject *AOwner) : FOwner(AOwner)
{
    Font.Name = QStringLiteral("Tahoma");
    SetColorStyle(scOffice2007);
}

void TItemAppearance::SetColorStyle(TSelectionColorStyle Style)
{
    if (Style == FColorStyle)
        return;
    FColorStyle = Style;
    switch (Style) {
    case scOffice2007: loadPreset(*this, kOffice2007); break;
    case scWindowsVista: loadPreset(*this, kWindowsVista); break;
    case scWindows7: loadPreset(*this, kWindows7); break;
    case scCustom: break;
    }
}

void TItemAppearance::Assign(const TItemAppearance &Source)
{
    if (&Source == this)
        return;
    ColorMirrorHotTo = Source.ColorMirrorHotTo;
    BorderColor = Source.BorderColor;
    ColorMirrorHot = Source.ColorMirrorHot;
    ColorSelectedTo = Source.ColorSelectedTo;
    ColorSelected = Source.ColorSelected;
    EdgeColor = Source.EdgeColor;
    ColorHotTo = Source.ColorHotTo;
    BorderColorBottom = Source.BorderColorBottom;
    ColorHot = Source.ColorHot;
    BorderColorTop = Source.BorderColorTop;
    ColorMirrorSelectedTo = Source.ColorMirrorSelectedTo;
    ColorMirrorSelected = Source.ColorMirrorSelected;
    Font = Source.Font;
    SetColorStyle(Source.FColorStyle);
    ColorSelectedText = Source.ColorSelectedText;
    ColorHotText = Source.ColorHotText;
    BorderColorHot = Source.BorderColorHot;
    BorderColorSelected = Source.BorderColorSelected;
}

// ---- Panel --------------------------------------------------------------------------------------

TCustomItemSelector::TCustomItemSelector(TNovaCustomItemSelector *AOwner) : QWidget(nullptr), FNovaItemSelector(AOwner)
{
    if (!AOwner)
        throw std::invalid_argument("Invalid parent");
    setMouseTracking(true);
}

TSelectorItems &TCustomItemSelector::Items() const { return FNovaItemSelector->Items(); }
TSelectorType TCustomItemSelector::SelectorType() const { return FNovaItemSelector->SelectorType(); }
TItemLayout TCustomItemSelector::ItemLayout() const { return FNovaItemSelector->ItemLayout(); }
const TMarkupImageList *TCustomItemSelector::Images() const { return FNovaItemSelector->Images(); }
int TCustomItemSelector::Columns() const { return FNovaItemSelector->Columns(); }
int TCustomItemSelector::ColorBoxHeight() const { return FNovaItemSelector->ColorBoxHeight(); }
int TCustomItemSelector::ColorBoxWidth() const { return FNovaItemSelector->ColorBoxWidth(); }
TSelectionColorStyle TCustomItemSelector::ItemColorStyle() const
{
    return FNovaItemSelector->ItemAppearance().ColorStyle();
}
TColor TCustomItemSelector::ItemColorHot() const { return FNovaItemSelector->ItemAppearance().ColorHot; }
TColor TCustomItemSelector::ItemColorHotTo() const { return FNovaItemSelector->ItemAppearance().ColorHotTo; }
TColor TCustomItemSelector::ItemColorSelected() const { return FNovaItemSelector->ItemAppearance().ColorSelected; }
TColor TCustomItemSelector::ItemColorSelectedTo() const
{
    return FNovaItemSelector->ItemAppearance().ColorSelectedTo;
}

TColor TCustomItemSelector::PanelColor() const
{
    return FNovaItemSelector->Color();
}

TCanvas &TCustomItemSelector::measureCanvas()
{
    if (!FMeasure)
        FMeasure = std::make_unique<TImageCanvas>(1, 1);
    return *FMeasure;
}

void TCustomItemSelector::GetItemsRect(TRect &R) const
{
    R = TRect{0, 0, width(), height()}.Inflate(-FOffSetX, -FOffSetY);
}

void TCustomItemSelector::GetItemSize(QSize &S)
{
    if (FNovaItemSelector->OnItemSize) {
        S = QSize(0, 0);
        FNovaItemSelector->OnItemSize(this, S);
        return;
    }
    const bool color = SelectorType() == stColor;
    int iw = color ? ColorBoxWidth() : 0, ih = color ? ColorBoxHeight() : 0;
    int cw = 0, ch = 0;
    TCanvas &canvas = measureCanvas();
    canvas.Font = FNovaItemSelector->ItemAppearance().Font;
    const TMarkupImageList *images = Images();
    for (int i = 0; i < Items().Count(); ++i) {
        const TSelectorItem *item = Items().GetItem(i);
        if (!color) {
            if (!item->Image().Empty()) {
                iw = std::max(iw, item->Image().Width());
                ih = std::max(ih, item->Image().Height());
            } else if (images && item->ImageIndex() >= 0) {
                iw = std::max(iw, images->Width);
                ih = std::max(ih, images->Height);
            }
        }
        QSize size;
        DrawMarkupCaption(&canvas, item->Caption(), TRect{0, 0, 1000, 500}, images, DT_CALCRECT, size);
        cw = std::max(cw, size.width());
        ch = std::max(ch, size.height());
    }
    if (cw > 0)
        cw += 4;
    int w = 0, h = 0;
    switch (ItemLayout()) {
    case ilCaptionLeft:
    case ilCaptionRight:
        w = 2 * FItemOffSetX + (iw > 0 ? iw : 0) + (cw > 0 ? (iw > 0 ? FCaptionGap : 0) + cw : 0);
        h = std::max(ch, ih) + 2 * FItemOffSetY;
        break;
    case ilCaptionTop:
    case ilCaptionBottom:
        w = std::max(cw, iw) + 2 * FItemOffSetX;
        h = 2 * FItemOffSetY + (ih > 0 ? ih : 0) + (ch > 0 ? (ih > 0 ? FCaptionGap : 0) + ch : 0);
        break;
    }
    S = QSize(w, h);
}

void TCustomItemSelector::UpdateItemsPosition()
{
    TSelectorItems &items = Items();
    if (items.Count() == 0) {
        resize(100, 50);
        return;
    }
    FItemHot = -1;
    QSize S;
    GetItemSize(S);
    TRect A;
    GetItemsRect(A);
    int x = A.Left, y = A.Top, column = 0, maxX = 0;
    const int columns = Columns();
    for (int i = 0; i < items.Count(); ++i) {
        items.GetItem(i)->FRect = {x, y, x + S.width(), y + S.height()};
        ++column;
        if (i == items.Count() - 1)
            break;
        if (column < columns) {
            x += S.width();
        } else {
            maxX = std::max(maxX, x);
            x = A.Left;
            y += S.height();
            column = 0;
        }
    }
    maxX = std::max(maxX, x);
    resize(maxX + S.width() + A.Left, y + S.height() + A.Top);
    update();
}

TRect TCustomItemSelector::GetItemRect(int Index) const
{
    if (Index < 0 || Index >= Items().Count())
        return {-1, -1, -1, -1};
    return Items().GetItem(Index)->FRect;
}

int TCustomItemSelector::ItemAtPos(int X, int Y) const
{
    for (int i = 0; i < Items().Count(); ++i)
        if (Items().GetItem(i)->FRect.Contains({X, Y}))
            return i;
    return -1;
}

void TCustomItemSelector::InvalidateItem(int Index)
{
    if (Index < 0 || Index >= Items().Count())
        return;
    update(Items().GetItem(Index)->FRect.ToQRect());
}

void TCustomItemSelector::drawAtOnce(int Index)
{
    if (Index < 0 || Index >= Items().Count() || !isVisible())
        return;
    repaint(Items().GetItem(Index)->FRect.ToQRect());
}

void TCustomItemSelector::SetItemIndex(int Value)
{
    if (FItemIndex >= 0 && Value != FItemIndex) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Value;
    if (Value >= 0) {
        drawAtOnce(Value);
        FireEvent(OnItemSelect, this);
    }
}

void TCustomItemSelector::SetItemHot(int Index)
{
    MoveMark(FItemHot, Index, [this](int i) { InvalidateItem(i); }, [this](int i) { drawAtOnce(i); });
}

void TCustomItemSelector::SelectFirst()
{
    if (Items().Count() > 0)
        SetItemIndex(0);
}

void TCustomItemSelector::SelectLast()
{
    if (Items().Count() > 0)
        SetItemIndex(Items().Count() - 1);
}

// From no selection both directions take the first entry.
void TCustomItemSelector::SelectNext()
{
    if (const int i = StepIndex(FItemIndex, Items().Count(), true, true); i >= 0)
        SetItemIndex(i);
}

void TCustomItemSelector::SelectPrevious()
{
    if (const int i = StepIndex(FItemIndex, Items().Count(), false, true); i >= 0)
        SetItemIndex(i);
}

void TCustomItemSelector::HotNext()
{
    if (const int i = StepIndex(FItemHot, Items().Count(), true, true); i >= 0)
        SetItemHot(i);
}

void TCustomItemSelector::HotPrevious()
{
    if (const int i = StepIndex(FItemHot, Items().Count(), false, true); i >= 0)
        SetItemHot(i);
}

bool TCustomItemSelector::LookupItem(const QString &S)
{
    if (S.isEmpty())
        return false;
    for (int i = 0; i < Items().Count(); ++i) {
        if (StripMarkup(Items().GetItem(i)->Caption()).trimmed().toUpper().startsWith(S)) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

void TCustomItemSelector::DrawItem(int Index, TCanvas &Canvas)
{
    if (Index < 0 || Index >= Items().Count())
        return;
    const TSelectorItem *item = Items().GetItem(Index);
    const TRect cell = item->FRect;
    if (cell.Left == -1)
        return;
    const TItemAppearance &a = FNovaItemSelector->ItemAppearance();
    const TMarkupImageList *images = Images();
    const bool hot = Index == FItemHot, selected = Index == FItemIndex;

    // 1. Colours.
    TColor B = a.BorderColor, T = a.BorderColorTop, Bt = a.BorderColorBottom, E = a.EdgeColor;
    TColor F = clNone, F2 = clNone, M = clNone, M2 = clNone;
    auto take = [&](TColor c, TColor cTo, TColor m, TColor mTo, TColor plainBorder) {
        F = c;
        F2 = cTo;
        M = m;
        M2 = mTo;
        if (plainBorder != clNone) {
            B = plainBorder;
            T = Bt = E = clNone;
        }
    };
    if (hot)
        take(a.ColorHot, a.ColorHotTo, a.ColorMirrorHot, a.ColorMirrorHotTo, a.BorderColorHot);
    if (selected) // wins over hot
        take(a.ColorSelected, a.ColorSelectedTo, a.ColorMirrorSelected, a.ColorMirrorSelectedTo, a.BorderColorSelected);

    // 2. Background.
    if (!hot && !selected) {
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = PanelColor();
        Canvas.FillRect(cell);
    } else if (T == clNone) {
        DrawRectangle(&Canvas, cell, F, F2, B, 1, gdVertical);
    } else {
        DrawStyledSelection(Canvas, F, F2, M, M2, T, Bt, B, E, PanelColor(), cell, 0);
    }

    // 3. The owner draws the content.
    if (FNovaItemSelector->OnDrawItem) {
        FNovaItemSelector->OnDrawItem(this, Canvas, cell, Index);
        return;
    }

    // 4. Image size.
    const bool color = SelectorType() == stColor;
    const bool picture = !color && !item->Image().Empty();
    const bool listImage = !color && !picture && images && item->ImageIndex() >= 0;
    int w = 0, h = 0;
    if (color) {
        w = ColorBoxWidth();
        h = ColorBoxHeight();
    } else if (picture) {
        w = item->Image().Width();
        h = item->Image().Height();
    } else if (listImage) {
        w = images->Width;
        h = images->Height;
    }

    // 5, 6. Caption and image rectangles, font.
    TRect C = cell.Inflate(-FItemOffSetX, -FItemOffSetY);
    TRect P = C;
    Canvas.Font = a.Font;
    if (hot)
        Canvas.Font.Color = a.ColorHotText;
    if (selected)
        Canvas.Font.Color = a.ColorSelectedText;

    // 7. Image and caption by layout.
    auto drawImage = [&](int x, int y) -> bool {
        if (color) {
            Canvas.Pen.Style = psSolid;
            Canvas.Pen.Width = 1;
            Canvas.Pen.Color = clBlack;
            Canvas.Brush.Style = bsSolid;
            Canvas.Brush.Color = item->Color();
            Canvas.Rectangle(TRect{x, y, x + w, y + h});
            return true;
        }
        if (picture) {
            item->Image().Draw(Canvas, TRect{x, y, x + w, y + h});
            return true;
        }
        if (listImage) {
            if (item->ImageIndex() < images->Count())
                Canvas.Draw(x, y, images->Images[std::size_t(item->ImageIndex())]);
            return true;
        }
        return false;
    };
    const QString caption = item->Caption();
    QSize size;
    auto centreCaption = [&]() {
        DrawMarkupCaption(&Canvas, caption, C, images, DT_CALCRECT, size);
        if (size.height() < C.Height())
            C.Top += (C.Height() - size.height()) / 2;
    };
    switch (ItemLayout()) {
    case ilCaptionLeft:
        if (!caption.isEmpty()) {
            C.Right -= w;
            centreCaption();
            DrawMarkupCaption(&Canvas, caption, C, images, 0, size);
            P.Left = C.Left + size.width() + FCaptionGap;
        }
        drawImage(P.Left, color ? P.Top : P.Top + (P.Height() - h) / 2);
        break;
    case ilCaptionRight:
        if (color) {
            drawImage(P.Left, P.Top);
            C.Left = P.Left + w + FCaptionGap;
        } else if (drawImage(P.Left, P.Top + (P.Height() - h) / 2)) {
            C.Left = P.Left + w + FCaptionGap;
        }
        if (!caption.isEmpty()) {
            centreCaption();
            DrawMarkupCaption(&Canvas, caption, C, images, 0, size);
        }
        break;
    case ilCaptionTop:
        if (!caption.isEmpty()) {
            C.Bottom -= h;
            DrawMarkupCaption(&Canvas, caption, C, images, 0, size);
            P.Top = C.Top + size.height() + FCaptionGap;
        } else {
            P.Top += (P.Height() - h) / 2;
        }
        P.Left += (P.Width() - w) / 2;
        drawImage(P.Left, P.Top);
        break;
    case ilCaptionBottom:
        if (caption.isEmpty())
            P.Top += (P.Height() - h) / 2;
        P.Left += (P.Width() - w) / 2;
        if (drawImage(P.Left, P.Top))
            C.Top = P.Top + h + FCaptionGap;
        if (!caption.isEmpty())
            DrawMarkupCaption(&Canvas, caption, C, images, 0, size);
        break;
    }
    Canvas.Brush.Style = bsSolid;
}

void TCustomItemSelector::DrawAllItems(TCanvas &Canvas)
{
    for (int i = 0; i < Items().Count(); ++i)
        DrawItem(i, Canvas);
}

void TCustomItemSelector::PaintTo(TCanvas &Canvas)
{
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = PanelColor();
    Canvas.FillRect(TRect{0, 0, width(), height()});
    DrawAllItems(Canvas);
}

void TCustomItemSelector::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    PaintTo(canvas);
}

void TCustomItemSelector::mousePressEvent(QMouseEvent *e)
{
    const int i = ItemAtPos(e->position().toPoint().x(), e->position().toPoint().y());
    if (i >= 0)
        SetItemIndex(i);
}

void TCustomItemSelector::mouseMoveEvent(QMouseEvent *e)
{
    const int i = ItemAtPos(e->position().toPoint().x(), e->position().toPoint().y());
    if (i < 0) {
        SetItemHot(-1);
        return;
    }
    if (i == FItemHot)
        return;
    SetItemHot(i);
    setToolTip(Items().GetItem(i)->Hint());
    QToolTip::hideText();
}

void TCustomItemSelector::leaveEvent(QEvent *)
{
    SetItemHot(-1);
}

// ---- Container ----------------------------------------------------------------------------------

TNovaCustomItemSelector::TNovaCustomItemSelector(QWidget *AOwner)
    : QScrollArea(AOwner), FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    FItems->OnChange = [this] { UpdateSelectorPanel(); };
    FItemAppearance->OnChange = [](QObject *) {};
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("Item list"));
    CreateSelectorPanel();
    SetColor(FColor);
    UpdateSelectorPanel();
}

TNovaCustomItemSelector::~TNovaCustomItemSelector() = default;

void TNovaCustomItemSelector::CreateSelectorPanel()
{
    if (FItemSelectorPanel)
        return;
    FItemSelectorPanel = new TCustomItemSelector(this);
    FItemSelectorPanel->OnItemSelect = [this](QObject *Sender) { PanelItemSelect(Sender); };
    setWidget(FItemSelectorPanel);
}

void TNovaCustomItemSelector::PanelItemSelect(QObject *)
{
    FireEvent(OnItemSelect, this);
}

void TNovaCustomItemSelector::UpdateSelectorPanel()
{
    if (FItemSelectorPanel)
        FItemSelectorPanel->UpdateItemsPosition();
}

QSize TNovaCustomItemSelector::GetSelectorPanelSize() const
{
    if (!FItemSelectorPanel)
        return QSize(100, 50);
    return FItemSelectorPanel->size();
}

void TNovaCustomItemSelector::resizeEvent(QResizeEvent *e)
{
    QScrollArea::resizeEvent(e);
    FireEvent(OnResize, this);
}

void TNovaCustomItemSelector::SetColumns(int Value)
{
    if (Value <= 0 || Value == FColumns)
        return;
    FColumns = Value;
    UpdateSelectorPanel();
}

int TNovaCustomItemSelector::ItemIndex() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1;
}

void TNovaCustomItemSelector::SetItemIndex(int Value)
{
    if (!FItemSelectorPanel)
        return;
    FItemSelectorPanel->SetItemIndex(Value);
    ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

int TNovaCustomItemSelector::ItemHot() const
{
    return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1;
}

void TNovaCustomItemSelector::SetSelectorType(TSelectorType Value)
{
    if (Value == FSelectorType)
        return;
    FSelectorType = Value;
    UpdateSelectorPanel();
}

void TNovaCustomItemSelector::SetImages(const TMarkupImageList *Value)
{
    if (Value == FImages)
        return;
    FImages = Value;
    UpdateSelectorPanel();
}

void TNovaCustomItemSelector::SetColorBoxHeight(int Value)
{
    if (Value == FColorBoxHeight)
        return;
    FColorBoxHeight = Value;
    UpdateSelectorPanel();
}

void TNovaCustomItemSelector::SetColorBoxWidth(int Value)
{
    if (Value == FColorBoxWidth)
        return;
    FColorBoxWidth = Value;
    UpdateSelectorPanel();
}

void TNovaCustomItemSelector::SetColor(TColor Value)
{
    FColor = Value;
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, ToQColor(Value));
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    if (FItemSelectorPanel)
        FItemSelectorPanel->update();
}

#define CFG_SELECT_AND_SCROLL(Name, Index)                                                               \
    void TNovaCustomItemSelector::Name()                                                                 \
    {                                                                                                    \
        if (!FItemSelectorPanel)                                                                         \
            return;                                                                                      \
        FItemSelectorPanel->Name();                                                                      \
        ScrollItemInView(FItemSelectorPanel->Index());                                                   \
    }
CFG_SELECT_AND_SCROLL(SelectFirst, ItemIndex)
CFG_SELECT_AND_SCROLL(SelectLast, ItemIndex)
CFG_SELECT_AND_SCROLL(SelectNext, ItemIndex)
CFG_SELECT_AND_SCROLL(SelectPrevious, ItemIndex)
CFG_SELECT_AND_SCROLL(HotNext, ItemHot)
CFG_SELECT_AND_SCROLL(HotPrevious, ItemHot)
#undef CFG_SELECT_AND_SCROLL

bool TNovaCustomItemSelector::LookupItem(const QString &S)
{
    return FItemSelectorPanel && FItemSelectorPanel->LookupItem(S);
}

void TNovaCustomItemSelector::ScrollItemInView(int Index)
{
    if (!FItemSelectorPanel || Index < 0 || Index >= FItems->Count())
        return;
    QScrollBar *bar = verticalScrollBar();
    if (bar->maximum() <= 0)
        return; // no vertical scroll bar
    // The platform's scroll bars keep no margin around a shown cell.
    TRect R = FItemSelectorPanel->GetItemRect(Index).Offset(FItemSelectorPanel->x(), FItemSelectorPanel->y());
    const int clientHeight = viewport()->height();
    if (R.Top < 0) {
        bar->setValue(bar->value() - (-R.Top));
    } else if (R.Bottom > clientHeight) {
        if (R.Height() > clientHeight)
            R.Bottom = clientHeight + R.Top;
        bar->setValue(bar->value() + R.Bottom - clientHeight);
    }
}

int TNovaCustomItemSelector::GetVisibleItemCount() const
{
    if (!FItemSelectorPanel || FItems->Count() == 0)
        return 0;
    const int cellHeight = FItems->GetItem(0)->FRect.Height();
    // A cell height of 0 or less (from an OnItemSize handler) shows no whole row.
    if (cellHeight <= 0)
        return 0;
    int H = height();
    if (horizontalScrollBar()->maximum() > 0)
        H -= 20;
    return H / cellHeight * FColumns;
}

// ---- Type-ahead ---------------------------------------------------------------------------------

TTypeAhead::TTypeAhead() : FKeyTimer(editorkit::createTimer())
{
    FKeyTimer->setInterval(500);
    FKeyTimer->onTimeout = [this] { KeyTimerExpired(); };
}

bool TTypeAhead::AddKey(int Key)
{
    const bool character = Key == Qt::Key_Space || (Key >= Qt::Key_0 && Key <= Qt::Key_9)
                           || (Key >= Qt::Key_A && Key <= Qt::Key_Z);
    if (!character)
        return false;
    FCurSearch += QChar(Key);
    // A running timer is not restarted: the text clears 500 ms after the first key of a burst.
    if (!FKeyTimer->isActive())
        FKeyTimer->start();
    return true;
}

void TTypeAhead::KeyTimerExpired()
{
    FKeyTimer->stop();
    FCurSearch.clear();
}
