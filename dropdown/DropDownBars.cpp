#include "dropdown/DropDownBars.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "dropdown/DropDownForm.h"
#include "dropdown/NovaDropDown.h"
#include "grid/base/GridLists.h"

using namespace editorkit;

// ---- TDbgList -------------------------------------------------------------------------------------

QObject *TDbgList::GetItemsEx(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError("Index out of bounds in list read access");
    return FItems[std::size_t(Index)];
}

void TDbgList::SetItemsEx(int Index, QObject *Value)
{
    if (Index < 0 || Index >= Count()) throw EListError("Index out of bounds in list write access");
    FItems[std::size_t(Index)] = Value;
}

void TDbgList::AssignList(const TDbgList &ListA)
{
    if (&ListA == this) return;
    FItems = ListA.FItems;
}

// ---- TNovaButton ----------------------------------------------------------------------------------

TNovaButton::TNovaButton(QWidget *AOwner) : QAbstractButton(AOwner)
{
    resize(23, 22);
    QFont f = font();
    f.setFamily(QStringLiteral("Tahoma"));
    setFont(f);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    FUnHotTimer = createTimer();
    FUnHotTimer->setInterval(1);
    FUnHotTimer->onTimeout = [this] {
        if (rect().contains(mapFromGlobal(QCursor::pos()))) return;
        FUnHotTimer->stop();
        FMouseInControl = false;
        if (isEnabled()) update();
    };
    // The caption's accelerator clicks the button, OnClick included.
    connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
}

void TNovaButton::SetAppearance(TNovaButtonAppearance *Value)
{
    FAppearance = Value;
    update();
}

void TNovaButton::SetImages(const TMarkupImageList *Value)
{
    FImages = Value;
    update();
}

void TNovaButton::SetImageIndex(int Value)
{
    FImageIndex = Value;
    update();
}

void TNovaButton::AutoSizeButton()
{
    if (!FAppearance) return;
    TImageCanvas canvas(1, 1);
    canvas.Font = FAppearance->Font();
    QSize s;
    GetTextSize(&canvas, text(), s);
    int w = s.width(), h = s.height();
    if (FImages && FImageIndex >= 0) {
        w = std::max(w, FImages->Width);
        h = std::max(h, FImages->Height);
    }
    resize(w + 8, h + 4);
}

void TNovaButton::Click()
{
    if (auto *form = dynamic_cast<TDropDownForm *>(window())) form->SetModalResult(FModalResult);
    if (FNovaDropDown) {
        switch (FModalResult) {
        case 1: case 6: case 12: case 14: FNovaDropDown->DoHideDropDown(false); break; // OK, Yes, All, YesToAll
        case 2: case 3: case 5: case 7: case 13: FNovaDropDown->DoHideDropDown(true); break; // Cancel, Abort, Ignore, No, NoToAll
        default: break;
        }
    }
    if (!FInternalClick && OnClick) OnClick(this);
}

void TNovaButton::DrawButton(TCanvas &Canvas)
{
    if (!FAppearance) return;
    const TNovaButtonAppearance &a = *FAppearance;
    TColor fill, fillTo, border;
    if (!isEnabled()) {
        fill = a.ColorDisabled(), fillTo = a.ColorDisabledTo(), border = a.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        fill = fillTo = a.ColorDown(), border = a.BorderColorDown();
    } else if (FMouseInControl || hasFocus()) {
        fill = fillTo = a.ColorHot(), border = a.BorderColorHot();
    } else {
        fill = a.Color(), fillTo = a.ColorTo(), border = a.BorderColor();
    }
    const TRect r{0, 0, width(), height()};
    DrawRectangle(&Canvas, r, fill, fillTo, border, 1, a.Gradient());
    Canvas.Brush.Style = bsClear;
    Canvas.Font = a.Font();
    DrawButtonContent(&Canvas, r, text(), FImageIndex, FImages);
}

void TNovaButton::paintEvent(QPaintEvent *)
{
    // Nothing is filled first: the bar shows through wherever the appearance sets no colour.
    QPainter p(this);
    TPainterCanvas canvas(&p);
    DrawButton(canvas);
}

void TNovaButton::MouseEntered()
{
    FMouseInControl = true;
    if (isEnabled()) update();
    FUnHotTimer->start();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TNovaButton::MouseLeft()
{
    FUnHotTimer->stop();
    FMouseInControl = false;
    if (isEnabled()) update();
    if (OnMouseLeave) OnMouseLeave(this);
}

void TNovaButton::SyncHot(const QPoint &globalPos)
{
    if (QApplication::widgetAt(globalPos) == this) MouseEntered();
    else MouseLeft();
}

void TNovaButton::enterEvent(QEnterEvent *e)
{
    QAbstractButton::enterEvent(e);
    MouseEntered();
}

void TNovaButton::leaveEvent(QEvent *e)
{
    QAbstractButton::leaveEvent(e);
    MouseLeft();
}

void TNovaButton::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && isEnabled()) {
        FMouseDownInControl = true;
        update();
    }
    e->accept();
}

void TNovaButton::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (FMouseDownInControl) {
        const bool inside = p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() <= height();
        if (inside != FMouseInControl) {
            FMouseInControl = inside;
            update();
        }
    } else if (!FMouseInControl) {
        SyncHot(e->globalPosition().toPoint());
    }
    e->accept();
}

void TNovaButton::mouseReleaseEvent(QMouseEvent *e)
{
    const bool wasDown = FMouseDownInControl;
    FMouseDownInControl = false;
    update();
    e->accept();
    if (e->button() != Qt::LeftButton) return;
    const bool inside = rect().contains(e->position().toPoint());
    FMouseInControl = false;
    SyncHot(e->globalPosition().toPoint());
    if (wasDown && inside) Click();
}

void TNovaButton::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space) {
        // Closes the pop-up by the modal result; no click event for keys.
        FInternalClick = true;
        Click();
        FInternalClick = false;
        e->accept();
        return;
    }
    QAbstractButton::keyPressEvent(e);
}

void TNovaButton::changeEvent(QEvent *e)
{
    QAbstractButton::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) update();
}

void TNovaButton::focusInEvent(QFocusEvent *e)
{
    QAbstractButton::focusInEvent(e);
    update();
}

void TNovaButton::focusOutEvent(QFocusEvent *e)
{
    QAbstractButton::focusOutEvent(e);
    update();
}

// ---- the bars -------------------------------------------------------------------------------------

template <typename TAppearance>
TNovaBar<TAppearance>::TNovaBar(QWidget *AOwner)
    : QWidget(AOwner), FAppearance(std::make_unique<TAppearance>(AOwner))
{
    FAppearance->OnChange = [this](QObject *) { AppearanceChanged(); };
    if constexpr (!IsFooter) FAppearance->OnButtonsChanged = [](QObject *) {};
}

template <typename TAppearance>
TNovaBar<TAppearance>::~TNovaBar() = default;

template <typename TAppearance>
typename TNovaBar<TAppearance>::TButtons *TNovaBar<TAppearance>::Buttons() const
{
    if (!FNovaDropDown) return nullptr;
    if constexpr (IsFooter) return &FNovaDropDown->DropDownFooter().Buttons();
    else return &FNovaDropDown->DropDownHeader().Buttons();
}

template <typename TAppearance>
void TNovaBar<TAppearance>::SetNovaDropDown(TNovaCustomDropDown *Value)
{
    FNovaDropDown = Value;
    if (!Value) {
        FImages = nullptr;
        return;
    }
    FImages = Value->Images();
    if constexpr (IsFooter) FAppearance->Assign(Value->DropDownFooter());
    else FAppearance->Assign(Value->DropDownHeader());
}

template <typename TAppearance>
void TNovaBar<TAppearance>::RebuildButtons()
{
    if (FNovaDropDown) CreateButtons();
}

template <typename TAppearance>
void TNovaBar<TAppearance>::AppearanceChanged()
{
    setVisible(FAppearance->Visible());
    resize(width(), FAppearance->Height());
}

template <typename TAppearance>
TRect TNovaBar<TAppearance>::ButtonArea() const
{
    if constexpr (IsFooter) return {2, 2, width() - (HasSizeGrip() ? 14 : 2), height() - 2};
    else return {2, 2, width() - 2, height() - 3};
}

template <typename TAppearance>
TRect TNovaBar<TAppearance>::GetCaptionArea() const
{
    if (FButtonList.Count() == 0) return {-1, -1, -1, -1};
    TRect a = ButtonArea();
    a.Right = static_cast<QWidget *>(FButtonList.GetItemsEx(FButtonList.Count() - 1))->x() - 2;
    return a;
}

template <typename TAppearance>
bool TNovaBar<TAppearance>::HasSizeGrip() const
{
    if constexpr (IsFooter) return FAppearance->SizeGrip() && FNovaDropDown && FNovaDropDown->DropDownSizeable();
    else return false;
}

template <typename TAppearance>
void TNovaBar<TAppearance>::ClearButtons()
{
    for (int i = FButtonList.Count() - 1; i >= 0; --i) delete FButtonList.GetItemsEx(i);
    FButtonList.Clear();
}

template <typename TAppearance>
void TNovaBar<TAppearance>::CreateButtons()
{
    TButtons *items = Buttons();
    if (!FNovaDropDown || !items) return;
    ClearButtons();
    const int H = ButtonArea().Height();
    for (int i = 0; i < items->Count(); ++i) {
        const auto *item = items->Items(i);
        auto *b = new TNovaButton(this);
        if constexpr (IsFooter) b->SetNovaDropDown(FNovaDropDown);
        b->SetAppearance(&FNovaDropDown->ButtonAppearance());
        b->setText(item->Caption());
        b->SetImages(FImages);
        b->SetImageIndex(item->ImageIndex());
        b->setEnabled(item->Enabled());
        if constexpr (IsFooter) b->SetModalResult(item->ModalResult());
        b->AutoSizeButton();
        if (item->Width() > 0) b->resize(item->Width(), b->height());
        if (item->Height() > 0) b->resize(b->width(), item->Height());
        if (b->height() > H) b->resize(b->width(), H);
        b->Tag = i;
        b->OnClick = [this](QObject *s) { ButtonClick(s); };
        b->show();
        FButtonList.Add(b);
    }
    ArrangeButtons();
}

template <typename TAppearance>
void TNovaBar<TAppearance>::UpdateButtons()
{
    TButtons *items = Buttons();
    if (!FNovaDropDown || !items) return;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        auto *b = static_cast<TNovaButton *>(FButtonList.GetItemsEx(i));
        b->SetAppearance(&FNovaDropDown->ButtonAppearance());
        b->SetImages(FImages);
        if (i < items->Count()) {
            b->setText(items->Items(i)->Caption());
            b->SetImageIndex(items->Items(i)->ImageIndex());
            b->setEnabled(items->Items(i)->Enabled());
        }
        b->AutoSizeButton();
    }
    ArrangeButtons();
}

template <typename TAppearance>
void TNovaBar<TAppearance>::ArrangeButtons()
{
    if (FButtonList.Count() == 0) return;
    const TRect A = ButtonArea();
    int x = FAppearance->ButtonAlignment() == baRight ? A.Right : A.Left;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        auto *b = static_cast<QWidget *>(FButtonList.GetItemsEx(i));
        const int top = std::max(A.Top, (A.Bottom - b->height()) / 2);
        if (FAppearance->ButtonAlignment() == baRight) {
            x -= b->width();
            b->move(x, top);
        } else {
            b->move(x, top);
            x += b->width();
        }
    }
}

template <typename TAppearance>
void TNovaBar<TAppearance>::ButtonClick(QObject *Sender)
{
    auto *b = dynamic_cast<TNovaButton *>(Sender);
    if (!b || !FNovaDropDown) return;
    const auto &event = IsFooter ? FNovaDropDown->OnDropDownFooterButtonClick : FNovaDropDown->OnDropDownHeaderButtonClick;
    if (event) event(FNovaDropDown, b->Tag);
}

template <typename TAppearance>
void TNovaBar<TAppearance>::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    ArrangeButtons();
}

template <typename TAppearance>
void TNovaBar<TAppearance>::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    PaintBar(canvas);
}

template <typename TAppearance>
void TNovaBar<TAppearance>::DrawSizeGrip(TCanvas &Canvas, const TRect &G)
{
    static const TPoint dots[] = {{5, -2}, {9, -2}, {13, -2}, {13, -6}, {13, -10}, {9, -6}};
    auto dot = [&](int dx, int dy) {
        const int x = G.Left + dx, y = G.Bottom + dy;
        Canvas.Rectangle(TRect{x, y - 2, x + 2, y});
    };
    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psSolid;
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Color = Canvas.Brush.Color = clWhite;
    for (const TPoint &d : dots) dot(d.X, d.Y);
    Canvas.Pen.Color = Canvas.Brush.Color = FAppearance->BorderColor();
    for (const TPoint &d : dots) dot(d.X - 1, d.Y - 1);
}

template <typename TAppearance>
void TNovaBar<TAppearance>::PaintBar(TCanvas &Canvas)
{
    const TRect R{0, 0, width(), height()};
    if (OnDrawBackGround) {
        OnDrawBackGround(this, Canvas, R);
        return;
    }
    const TAppearance &a = *FAppearance;
    if (a.ColorTo() == clNone) {
        if (a.Color() != clNone) {
            Canvas.Brush.Color = a.Color();
            Canvas.Brush.Style = bsSolid;
            Canvas.FillRect(R);
        }
    } else {
        DrawGradientRect(Canvas, a.Color(), a.ColorTo(), 80, R, a.GradientDirection() == gdHorizontal);
    }
    const int bw = a.BorderWidth();
    if (a.BorderColor() != clNone && bw > 0) {
        Canvas.Pen.Width = bw;
        Canvas.Pen.Color = a.BorderColor();
        Canvas.Pen.Style = psSolid;
        // Without a frame of the pop-up's own the bar closes its outer sides itself.
        const bool noFrame = !FNovaDropDown || FNovaDropDown->DropDownBorderWidth() <= 0
                             || FNovaDropDown->DropDownBorderColor() == clNone;
        if constexpr (IsFooter) {
            Canvas.Line(R.Left, R.Top, R.Right, R.Top);
            if (noFrame) {
                Canvas.Line(R.Left, R.Top, R.Left, R.Bottom);
                Canvas.Line(R.Left, R.Bottom, R.Right, R.Bottom);
                Canvas.Line(R.Right, R.Bottom, R.Right, R.Top);
            }
        } else {
            Canvas.Line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
            if (noFrame) {
                Canvas.Line(R.Left, R.Bottom - 1, R.Left, R.Top);
                Canvas.Line(R.Left, R.Top, R.Right, R.Top);
                Canvas.Line(R.Right, R.Top, R.Right, R.Bottom - 1);
            }
        }
        Canvas.Pen.Width = 1;
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = BlendColor(a.BorderColor(), clWhite, 20);
        if constexpr (IsFooter) Canvas.Rectangle(TRect{R.Left, R.Top + bw, R.Right, R.Bottom});
        else Canvas.Rectangle(TRect{R.Left, R.Top, R.Right, R.Bottom - bw});
    }
    TRect C{R.Left + bw, R.Top + bw, R.Right - bw, R.Bottom - bw};
    if (a.ImageIndex() >= 0 && FImages && a.ImageIndex() < FImages->Count()) {
        const QImage &img = FImages->Images[std::size_t(a.ImageIndex())];
        Canvas.Draw(C.Left + 4, C.Top + (C.Height() - img.height()) / 2, img);
        C.Left += img.width() + 8;
    }
    QString caption = a.Caption();
    if (OnGetText) OnGetText(this, caption);
    if (!caption.isEmpty()) {
        if (FButtonList.Count() > 0) C.Right = GetCaptionArea().Right;
        Canvas.Font = a.Font();
        TMarkupDrawParams params;
        params.imageList = FImages;
        params.wordWrap = true;
        params.linkColor = 0xFF0000;
        params.shadowColor = 0x808080;
        params.measureOnly = true;
        TMarkupDrawResult measured;
        DrawMarkupText(Canvas, caption, C, params, measured);
        if (measured.textHeight < C.Height()) C.Top += (C.Height() - measured.textHeight) / 2;
        params.measureOnly = false;
        TMarkupDrawResult drawn;
        DrawMarkupText(Canvas, caption, C, params, drawn);
    }
    if (HasSizeGrip()) DrawSizeGrip(Canvas, TRect{R.Right - bw - 16, 1, R.Right - bw - 1, R.Bottom});
}

template class TNovaBar<THeaderAppearance>;
template class TNovaBar<TFooterAppearance>;

// ---- the footer's grip ----------------------------------------------------------------------------

TNovaFooter::TNovaFooter(QWidget *AOwner) : TNovaBar(AOwner)
{
    setMouseTracking(true);
}

bool TNovaFooter::InGripCorner(const QPoint &p) const
{
    return p.x() > width() - 12 && p.y() > height() - 15;
}

void TNovaFooter::enterEvent(QEnterEvent *e)
{
    TNovaBar::enterEvent(e);
    if (cursor().shape() != Qt::SizeFDiagCursor) FOldCursor = cursor();
}

void TNovaFooter::leaveEvent(QEvent *e)
{
    TNovaBar::leaveEvent(e);
    if (cursor().shape() != FOldCursor.shape()) setCursor(FOldCursor);
}

void TNovaFooter::mousePressEvent(QMouseEvent *e)
{
    auto *form = dynamic_cast<TDropDownForm *>(parentWidget());
    if (e->button() == Qt::LeftButton && HasSizeGrip() && form && InGripCorner(e->position().toPoint())) {
        // The grip sizes the pop-up from its bottom-right corner, whatever the pop-up's Sizeable says.
        FSizingPopup = true;
        form->BeginUserSizing(e->globalPosition().toPoint());
        e->accept();
        return;
    }
    TNovaBar::mousePressEvent(e);
}

void TNovaFooter::mouseMoveEvent(QMouseEvent *e)
{
    auto *form = dynamic_cast<TDropDownForm *>(parentWidget());
    if (FSizingPopup && form) {
        form->UserSizingMove(e->globalPosition().toPoint());
    } else if (HasSizeGrip() && parentWidget()) {
        if (InGripCorner(e->position().toPoint())) {
            if (cursor().shape() != Qt::SizeFDiagCursor) setCursor(Qt::SizeFDiagCursor);
        } else if (cursor().shape() != FOldCursor.shape()) {
            setCursor(FOldCursor);
        }
    }
    TNovaBar::mouseMoveEvent(e);
}

void TNovaFooter::mouseReleaseEvent(QMouseEvent *e)
{
    auto *form = dynamic_cast<TDropDownForm *>(parentWidget());
    if (FSizingPopup && form) {
        form->UserSizingMove(e->globalPosition().toPoint());
        form->EndUserSizing();
    }
    FSizingPopup = false;
    if (cursor().shape() != FOldCursor.shape()) setCursor(FOldCursor);
    TNovaBar::mouseReleaseEvent(e);
}
