// The colour selection panels. Hot and selection changes repaint only the cells or boxes
// concerned; the spectrum reads the colour under the pointer from its own picture.
#include "dropdown/ColorPanels.h"

#include "platform/TextFormat.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

// Outside any namespace, as the resource initialiser must be.
static void initDropDownResources()
{
    Q_INIT_RESOURCE(dropdown);
}

TNovaCustomColorSelectorPanel::TNovaCustomColorSelectorPanel(QWidget *AOwner) : QWidget(AOwner)
{
    setMouseTracking(true);
}

TColor TNovaCustomColorSelectorPanel::ParentColor() const
{
    if (FColor != clNone)
        return FColor;
    const QWidget *w = parentWidget() ? parentWidget() : this;
    return FromQColor(w->palette().color(w->backgroundRole()));
}

void TNovaCustomColorSelectorPanel::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void TNovaCustomColorSelectorPanel::PaintTo(TCanvas &Canvas)
{
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = ParentColor();
    Canvas.FillRect(TRect{0, 0, width(), height()});
}

void TNovaCustomColorSelectorPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    PaintTo(canvas);
}

// ---- Colour cube ---------------------------------------------------------------------------

namespace {

const TColor kCubeColors[TNovaColorCubePanel::CellCount] = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF00CC,
    0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
    0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0x9900CC,
    0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC, 0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};

} // namespace

TNovaColorCubePanel::TNovaColorCubePanel(QWidget *AOwner) : TNovaCustomColorSelectorPanel(AOwner)
{
    InitCubeCells();
    SetPanelSize();
}

void TNovaColorCubePanel::InitCubeCells()
{
    FCubeSize = {6, 3};
    int cell = 1;
    for (int r = 1; r <= 13; ++r) {
        const int y = 20 + 10 * (r - 1);
        const int count = r <= 7 ? r + 6 : 20 - r;
        const int x0 = r <= 7 ? 55 - 6 * (r - 1) : 19 + 6 * (r - 7);
        for (int i = 0; i < count; ++i, ++cell) {
            FCubeCells[std::size_t(cell)].Center = {x0 + 2 * FCubeSize.X * i, y};
            FCubeCells[std::size_t(cell)].Color = kCubeColors[cell - 1];
        }
    }
}

void TNovaColorCubePanel::ResetHot()
{
    FHotIndex = -1;
    SetPanelSize();
}

void TNovaColorCubePanel::SetPanelSize()
{
    resize(182, 160);
}

void TNovaColorCubePanel::SetShowRGBHint(bool Value)
{
    FShowRGBHint = Value;
    if (!Value)
        setToolTip(QString());
}

void TNovaColorCubePanel::SetSelectedColor(TColor Value)
{
    FSelectedColor = Value;
    FSelectedIndex = -1;
    for (int i = 1; i <= CellCount; ++i) {
        if (FCubeCells[std::size_t(i)].Color == Value) {
            FSelectedIndex = i;
            break;
        }
    }
}

int TNovaColorCubePanel::CellAtPos(int X, int Y) const
{
    const int r2 = FCubeSize.X * FCubeSize.X;
    for (int i = 1; i <= CellCount; ++i) {
        const TPoint c = FCubeCells[std::size_t(i)].Center;
        if ((c.X - X) * (c.X - X) + (c.Y - Y) * (c.Y - Y) <= r2)
            return i;
    }
    return -1;
}

void TNovaColorCubePanel::DrawHexagon(TCanvas &Canvas, TPoint Center, int W, int H)
{
    const int cx = Center.X, cy = Center.Y;
    Canvas.Polygon({{cx - W, cy - H}, {cx, cy - 2 * H}, {cx + W, cy - H}, {cx + W, cy + H}, {cx, cy + 2 * H},
                    {cx - W, cy + H}});
}

// An outline one pixel inside the cell in Outer, and a white one inside that.
void TNovaColorCubePanel::DrawFrame(TCanvas &Canvas, TPoint Center, TColor Outer) const
{
    Canvas.Brush.Style = bsClear;
    Canvas.Pen.Color = Outer;
    DrawHexagon(Canvas, Center, FCubeSize.X - 1, FCubeSize.Y);
    Canvas.Pen.Color = clWhite;
    DrawHexagon(Canvas, Center, FCubeSize.X - 2, FCubeSize.Y - 1);
    Canvas.Brush.Style = bsSolid;
}

void TNovaColorCubePanel::DrawHotFrame(TCanvas &Canvas, TPoint Center) const
{
    DrawFrame(Canvas, Center, clRed);
}

void TNovaColorCubePanel::DrawSelectedFrame(TCanvas &Canvas, TPoint Center) const
{
    DrawFrame(Canvas, Center, clBlack);
}

void TNovaColorCubePanel::DrawCell(TCanvas &Canvas, int Index) const
{
    if (Index < 1 || Index > CellCount)
        return;
    const TCubeCell &c = FCubeCells[std::size_t(Index)];
    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Color = c.Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = c.Color;
    DrawHexagon(Canvas, c.Center, FCubeSize.X, FCubeSize.Y);
    if (Index == FHotIndex)
        DrawHotFrame(Canvas, c.Center);
    if (Index == FSelectedIndex)
        DrawSelectedFrame(Canvas, c.Center);
}

void TNovaColorCubePanel::PaintTo(TCanvas &Canvas)
{
    TNovaCustomColorSelectorPanel::PaintTo(Canvas);
    for (int i = 1; i <= CellCount; ++i)
        DrawCell(Canvas, i);
}

void TNovaColorCubePanel::updateCell(int Index)
{
    if (Index < 1 || Index > CellCount)
        return;
    const TPoint c = FCubeCells[std::size_t(Index)].Center;
    update(QRect(c.X - FCubeSize.X - 1, c.Y - 2 * FCubeSize.Y - 1, 2 * FCubeSize.X + 3, 4 * FCubeSize.Y + 3));
}

void TNovaColorCubePanel::SelectColor(TColor AColor, int Index)
{
    FSelectedColor = AColor;
    FSelectedIndex = Index;
    updateCell(Index);
    FireEvent(OnSelect, this);
}

void TNovaColorCubePanel::PointerAt(int X, int Y)
{
    const int cell = CellAtPos(X, Y);
    if (cell < 0) {
        if (FShowRGBHint) {
            setToolTip(QString());
            QToolTip::hideText();
        }
        return;
    }
    if (cell == FHotIndex)
        return;
    if (FHotIndex >= 0) {
        const int old = FHotIndex;
        FHotIndex = -1;
        updateCell(old);
    }
    FHotIndex = cell;
    updateCell(cell);
    if (FShowRGBHint) {
        const TColor c = FCubeCells[std::size_t(cell)].Color;
        setToolTip(platform::formatText(QStringLiteral("Red: %d,  Green: %d,  Blue: %d"),
                                        {GetRValue(c), GetGValue(c), GetBValue(c)}));
        QToolTip::hideText();
    }
}

void TNovaColorCubePanel::mousePressEvent(QMouseEvent *e)
{
    const int cell = CellAtPos(e->position().toPoint().x(), e->position().toPoint().y());
    if (cell < 0)
        return;
    if (FSelectedIndex >= 0) {
        const int old = FSelectedIndex;
        FSelectedIndex = -1;
        updateCell(old);
    }
    SelectColor(FCubeCells[std::size_t(cell)].Color, cell);
}

void TNovaColorCubePanel::mouseMoveEvent(QMouseEvent *e)
{
    PointerAt(e->position().toPoint().x(), e->position().toPoint().y());
}

// ---- Colour spectrum ------------------------------------------------------------------------

TSpectrumImage::TSpectrumImage(TNovaColorSpectrumPanel *APanel) : QLabel(APanel), FPanel(APanel)
{
    initDropDownResources();
    FPicture = QImage(QStringLiteral(":/NOVA_SPECTRUM")).convertToFormat(QImage::Format_RGB32);
    setPixmap(QPixmap::fromImage(FPicture));
    resize(FPicture.size());
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Colour spectrum"));
    // The eyedropper's tip is its hot spot.
    setCursor(QCursor(QPixmap(QStringLiteral(":/NOVA_POINTER")), 1, 30));
}

void TSpectrumImage::mousePressEvent(QMouseEvent *e)
{
    FPanel->PictureMouseDown(e->position().toPoint().x(), e->position().toPoint().y());
}

void TSpectrumImage::mouseMoveEvent(QMouseEvent *e)
{
    FPanel->PictureMouseMove(e->position().toPoint().x(), e->position().toPoint().y());
}

TNovaColorSpectrumPanel::TNovaColorSpectrumPanel(QWidget *AOwner)
    : TNovaCustomColorSelectorPanel(AOwner), FSpectrumImage(new TSpectrumImage(this))
{
    LayoutSpectrum();
}

void TNovaColorSpectrumPanel::SetSelectedColor(TColor Value)
{
    FSelectedColor = Value;
}

void TNovaColorSpectrumPanel::LayoutSpectrum()
{
    resize(150, 174);
    const int W = FSpectrumImage->width(), H = FSpectrumImage->height();
    FSpectrumImage->move((width() - W) / 2, 10);
    const int L = FSpectrumImage->x(), T = FSpectrumImage->y();
    FSelectedRect = {L - 1, T + H + 8, L + W / 2 - 2, T + H + 28};
    FHotRect = {FSelectedRect.Right + 4, FSelectedRect.Top, L + W + 1, FSelectedRect.Bottom};
    FHotColor = clNone;
    update();
}

void TNovaColorSpectrumPanel::PictureMouseMove(int X, int Y)
{
    const QImage &pic = FSpectrumImage->Picture();
    if (!pic.valid(X, Y))
        return;
    FHotColor = FromQColor(pic.pixelColor(X, Y));
    update(FHotRect.Inflate(1, 1).ToQRect());
}

void TNovaColorSpectrumPanel::PictureMouseDown(int X, int Y)
{
    // A press without a move before it still takes the colour under the pointer.
    PictureMouseMove(X, Y);
    FSelectedColor = FHotColor;
    update(FSelectedRect.Inflate(1, 1).ToQRect());
    FireEvent(OnSelect, this);
}

void TNovaColorSpectrumPanel::DrawSwatch(TCanvas &Canvas, const TRect &R, TColor AColor)
{
    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psSolid;
    Canvas.Brush.Style = bsClear;
    Canvas.Pen.Color = clGray;
    Canvas.Rectangle(R.Inflate(1, 1));
    Canvas.Pen.Color = clWhite;
    if (AColor != clNone) {
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = AColor;
    }
    Canvas.Rectangle(R);
    Canvas.Brush.Style = bsSolid;
}

void TNovaColorSpectrumPanel::DrawSelectedSwatch(TCanvas &Canvas) const
{
    DrawSwatch(Canvas, FSelectedRect, FSelectedColor);
}

void TNovaColorSpectrumPanel::DrawHotSwatch(TCanvas &Canvas) const
{
    DrawSwatch(Canvas, FHotRect, FHotColor);
}

void TNovaColorSpectrumPanel::PaintTo(TCanvas &Canvas)
{
    TNovaCustomColorSelectorPanel::PaintTo(Canvas);
    const int L = FSpectrumImage->x(), T = FSpectrumImage->y();
    const int W = FSpectrumImage->width(), H = FSpectrumImage->height();
    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psSolid;
    Canvas.Brush.Style = bsClear;
    Canvas.Pen.Color = clWhite;
    Canvas.Rectangle(TRect{L - 1, T - 1, L + W + 1, T + H + 1});
    Canvas.Pen.Color = clGray;
    Canvas.Rectangle(TRect{L - 2, T - 2, L + W + 2, T + H + 2});
    Canvas.Brush.Style = bsSolid;
    DrawSelectedSwatch(Canvas);
    DrawHotSwatch(Canvas);
}

// ---- Colour boxes ---------------------------------------------------------------------------

void TColorBoxItem::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TColorBoxAppearance::Assign(const TColorBoxAppearance &Source)
{
    BorderColor = Source.BorderColor;
    OuterBorderColorHot = Source.OuterBorderColorHot;
    InnerBorderColorHot = Source.InnerBorderColorHot;
    OuterBorderColorSelected = Source.OuterBorderColorSelected;
    InnerBorderColorSelected = Source.InnerBorderColorSelected;
}

TCustomColorSelector::TCustomColorSelector(QWidget *AOwner) : TNovaCustomColorSelectorPanel(AOwner), FItems(this)
{
    FItems.OnChange = [this] { update(); };
    UpdateItemsPosition();
}

namespace {

struct TDefaultBoxRow {
    TItemPos Pos;
    TColor Colors[10];
};

const TDefaultBoxRow kDefaultBoxes[] = {
    {ipStandAlone, {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7}},
    {ipTop, {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD}},
    {ipMiddle, {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB}},
    {ipMiddle, {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA}},
    {ipMiddle, {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3}},
    {ipBottom, {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897}},
};

} // namespace

void TCustomColorSelector::AddDefaultColorBoxes()
{
    FItems.Clear();
    for (const TDefaultBoxRow &row : kDefaultBoxes) {
        for (TColor c : row.Colors) {
            TColorBoxItem *item = FItems.Add();
            item->SetColor(c);
            item->SetColorBoxPos(row.Pos);
        }
    }
}

void TCustomColorSelector::SetColumns(int Value)
{
    if (Value == FColumns)
        return;
    FColumns = Value;
    UpdateItemsPosition();
}

void TCustomColorSelector::SetColumnGap(int Value)
{
    if (Value == FColumnGap)
        return;
    FColumnGap = Value;
    UpdateItemsPosition();
}

void TCustomColorSelector::SetColorBoxHeight(int Value)
{
    if (Value == FColorBoxHeight)
        return;
    FColorBoxHeight = Value;
    UpdateItemsPosition();
}

void TCustomColorSelector::SetColorBoxWidth(int Value)
{
    if (Value == FColorBoxWidth)
        return;
    FColorBoxWidth = Value;
    UpdateItemsPosition();
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value)
{
    if (Value == FItemColorStyle)
        return;
    FItemColorStyle = Value;
    if (Value == scOffice2007 || Value == scWindowsVista || Value == scWindows7)
        FColorBoxAppearance.Assign(TColorBoxAppearance());
}

void TCustomColorSelector::GetItemsRect(TRect &R) const
{
    R = TRect{0, 0, width(), height()}.Inflate(-FOffSetX, -FOffSetY);
}

void TCustomColorSelector::GetItemSize(QSize &S) const
{
    S = QSize(FColorBoxWidth, FColorBoxHeight);
}

void TCustomColorSelector::UpdateItemsPosition()
{
    if (FItems.Count() == 0) {
        resize(100, 50);
        return;
    }
    FItemHot = -1;
    QSize S;
    GetItemSize(S);
    TRect A;
    GetItemsRect(A);
    int x = A.Left, y = A.Top, column = 0, maxX = 0;
    bool standAlone = false;
    for (int i = 0; i < FItems.Count(); ++i) {
        TColorBoxItem *item = FItems.GetItem(i);
        item->FRect = {x, y, x + S.width(), y + S.height()};
        ++column;
        if (i == FItems.Count() - 1)
            break;
        if (item->ColorBoxPos() == ipStandAlone)
            standAlone = true;
        if (column < FColumns) {
            x += S.width() + FColumnGap;
        } else {
            maxX = std::max(maxX, x);
            x = A.Left;
            y += S.height() + (standAlone ? FColumnGap : 0);
            column = 0;
            standAlone = false;
        }
    }
    maxX = std::max(maxX, x);
    resize(maxX + S.width() + A.Left + 1, y + S.height() + A.Top);
    update();
}

void TCustomColorSelector::InvalidateItem(int Index)
{
    if (Index < 0 || Index >= FItems.Count())
        return;
    update(FItems.GetItem(Index)->FRect.Inflate(1, 1).ToQRect());
}

void TCustomColorSelector::drawAtOnce(int Index)
{
    if (Index < 0 || Index >= FItems.Count())
        return;
    const QRect r = FItems.GetItem(Index)->FRect.Inflate(1, 1).ToQRect();
    if (isVisible())
        repaint(r);
}

void TCustomColorSelector::DrawItem(int Index, TCanvas &Canvas)
{
    if (Index < 0 || Index >= FItems.Count())
        return;
    const TColorBoxItem *item = FItems.GetItem(Index);
    TRect Q = item->FRect;
    if (Q.Left == -1)
        return;
    const TColorBoxAppearance &a = FColorBoxAppearance;
    TColor O = a.BorderColor, I = clNone;
    const bool hot = Index == FItemHot, selected = Index == FItemIndex;
    if (hot) {
        O = a.OuterBorderColorHot;
        I = a.InnerBorderColorHot;
    }
    if (selected) {
        O = a.OuterBorderColorSelected;
        I = a.InnerBorderColorSelected;
    }
    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psSolid;
    if (item->Color() != clNone) {
        Canvas.Pen.Color = item->Color();
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = item->Color();
        Canvas.Rectangle(Q);
    }
    if (hot || selected) {
        Canvas.Brush.Style = bsClear;
        if (O != clNone) {
            Canvas.Pen.Color = O;
            Canvas.Rectangle(Q);
            Q = Q.Inflate(-1, -1);
        }
        if (I != clNone) {
            Canvas.Pen.Color = I;
            Canvas.Rectangle(Q);
        }
        Canvas.Brush.Style = bsSolid;
        return;
    }
    const int L = Q.Left, T = Q.Top, R = Q.Right, B = Q.Bottom;
    Canvas.Pen.Color = O;
    switch (item->ColorBoxPos()) {
    case ipStandAlone:
        Canvas.MoveTo(L, B);
        Canvas.LineTo(L, T);
        Canvas.LineTo(R, T);
        Canvas.LineTo(R, B);
        Canvas.LineTo(L, B);
        break;
    case ipTop:
        Canvas.MoveTo(L, B);
        Canvas.LineTo(L, T);
        Canvas.LineTo(R, T);
        Canvas.LineTo(R, B);
        break;
    case ipMiddle:
        Canvas.Line(L, T, L, B);
        Canvas.Line(R, T, R, B);
        break;
    case ipBottom:
        Canvas.MoveTo(L, T);
        Canvas.LineTo(L, B);
        Canvas.LineTo(R, B);
        Canvas.Line(R, T, R, B + 1);
        break;
    }
}

void TCustomColorSelector::PaintTo(TCanvas &Canvas)
{
    TNovaCustomColorSelectorPanel::PaintTo(Canvas);
    for (int i = 0; i < FItems.Count(); ++i)
        DrawItem(i, Canvas);
}

void TCustomColorSelector::SetItemIndex(int Value)
{
    // A box beyond the list would be read for its colour: ignore such an index.
    if (Value >= FItems.Count())
        return;
    if (Value < 0)
        Value = -1;
    if (FItemIndex >= 0 && Value != FItemIndex) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Value;
    if (Value >= 0) {
        FSelectedColor = FItems.GetItem(Value)->Color();
        drawAtOnce(Value);
        FireEvent(OnItemSelect, this);
    }
}

void TCustomColorSelector::SetItemHot(int Index)
{
    MoveMark(FItemHot, Index, [this](int i) { InvalidateItem(i); }, [this](int i) { drawAtOnce(i); });
}

void TCustomColorSelector::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor)
        return;
    FSelectedColor = Value;
    if (Value == clNone)
        SetItemIndex(-1);
    for (int i = 0; i < FItems.Count(); ++i) {
        if (FItems.GetItem(i)->Color() == Value) {
            SetItemIndex(i);
            return;
        }
    }
    SetItemIndex(-1);
}

int TCustomColorSelector::ItemAtPos(int X, int Y) const
{
    for (int i = 0; i < FItems.Count(); ++i) {
        if (FItems.GetItem(i)->FRect.Contains({X, Y}))
            return i;
    }
    return -1;
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems.Count() > 0)
        SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems.Count() > 0)
        SetItemIndex(FItems.Count() - 1);
}

// From no selection Next takes the first box and Previous nothing.
void TCustomColorSelector::SelectNext()
{
    if (const int i = StepIndex(FItemIndex, FItems.Count(), true, false); i >= 0)
        SetItemIndex(i);
}

void TCustomColorSelector::SelectPrevious()
{
    if (const int i = StepIndex(FItemIndex, FItems.Count(), false, false); i >= 0)
        SetItemIndex(i);
}

void TCustomColorSelector::HotNext()
{
    if (const int i = StepIndex(FItemHot, FItems.Count(), true, false); i >= 0)
        SetItemHot(i);
}

void TCustomColorSelector::HotPrevious()
{
    if (const int i = StepIndex(FItemHot, FItems.Count(), false, false); i >= 0)
        SetItemHot(i);
}

void TCustomColorSelector::HandleKey(int Key, bool EditorEnabled, bool DroppedDown)
{
    if (!isEnabled())
        return;
    const bool arrowsForEditor = EditorEnabled && !DroppedDown;
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_Home:
        SelectFirst();
        break;
    case Qt::Key_PageDown:
    case Qt::Key_End:
        SelectLast();
        break;
    case Qt::Key_Left:
        if (!arrowsForEditor)
            SelectPrevious();
        break;
    case Qt::Key_Right:
        if (!arrowsForEditor)
            SelectNext();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (!DroppedDown) {
            Key == Qt::Key_Up ? SelectPrevious() : SelectNext();
            break;
        }
        const int step = Key == Qt::Key_Up ? -FColumns : FColumns;
        const int target = FItemIndex < 0 ? 0 : FItemIndex + step;
        if (target >= 0 && target < FItems.Count())
            SetItemIndex(target);
        break;
    }
    default:
        break;
    }
}

void TCustomColorSelector::mousePressEvent(QMouseEvent *e)
{
    const int i = ItemAtPos(e->position().toPoint().x(), e->position().toPoint().y());
    if (i >= 0)
        SetItemIndex(i);
}

void TCustomColorSelector::mouseMoveEvent(QMouseEvent *e)
{
    SetItemHot(ItemAtPos(e->position().toPoint().x(), e->position().toPoint().y()));
}

void TCustomColorSelector::leaveEvent(QEvent *)
{
    SetItemHot(-1);
}
