#include "grid/HtmlHintWindow.h"

#include "grid/NovaGrid.h"
#include "grid/base/VedAzirText.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace {
QString &wideFontName()
{
    static QString name;
    return name;
}

constexpr int MeasureWidth = 1008; // layout width of an activated hint
constexpr int Edge = 2;            // gap kept to the screen's right and bottom edges
} // namespace

QString THTMLHintWindow::WideFontName()
{
    return wideFontName();
}

void THTMLHintWindow::SetWideFontName(const QString &Name)
{
    wideFontName() = Name;
}

THTMLHintWindow::THTMLHintWindow(QWidget *AOwner)
    : QWidget(AOwner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void THTMLHintWindow::SetCaption(const QString &Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    update();
}

bool THTMLHintWindow::measure(const QString &Hint, int MaxWidth, int &W, int &H)
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter p(&scratch);
    TPainterCanvas canvas(&p);
    canvas.Font.Assign(font());
    if (GetTextKind(Hint, false) == tkWide) {
        FWideCaption = DecodeWideText(Hint);
        if (!WideFontName().isEmpty())
            canvas.Font.Name = WideFontName();
        TRect r{0, 0, MaxWidth, 0};
        canvas.DrawText(FWideCaption, r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        W = r.Width();
        H = r.Height();
        return true;
    }
    TMarkupDrawParams params;
    params.measureOnly = true;
    params.imageList = Images;
    params.pictureContainer = PictureContainer;
    params.window = this;
    TMarkupDrawResult result;
    DrawMarkupText(canvas, Hint, TRect{0, 0, MaxWidth, 4096}, params, result);
    W = result.textWidth;
    H = result.textHeight;
    return false;
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString &AHint, QObject *)
{
    int w = 0, h = 0;
    measure(AHint, MaxWidth, w, h);
    return TRect{0, 0, w, h};
}

void THTMLHintWindow::ActivateHintData(const TRect &ARect, const QString &AHint, QObject *AData)
{
    if (auto *grid = dynamic_cast<TNovaStringGrid *>(AData))
        Images = grid->GridImages();
    ActivateHint(ARect, AHint);
}

void THTMLHintWindow::ActivateHint(const TRect &ARect, const QString &AHint)
{
    FCaption = AHint;
    int w = 0, h = 0;
    const bool wide = measure(AHint, MeasureWidth, w, h);
    FTextWidth = w;
    FTextHeight = h;
    TRect r{ARect.Left, ARect.Top, ARect.Left + w + (wide ? 8 : 16), ARect.Top + h + 4};

    QScreen *screen = QGuiApplication::screenAt(QPoint(r.Left, r.Top));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const TRect area = TRect::FromQRect(screen->availableGeometry());
        if (r.Right > area.Right - Edge)
            r = r.Offset(area.Right - Edge - r.Right, 0);
        if (r.Bottom > area.Bottom - Edge)
            r = r.Offset(0, area.Bottom - Edge - r.Bottom);
        // A hint wider or taller than the screen keeps its start on the screen.
        if (r.Left < area.Left)
            r = r.Offset(area.Left - r.Left, 0);
        if (r.Top < area.Top)
            r = r.Offset(0, area.Top - r.Top);
    }
    setGeometry(r.ToQRect());
    show();
    raise();
    update();
}

void THTMLHintWindow::drawHintText(TCanvas &Canvas, const TRect &R)
{
    if (GetTextKind(FCaption, false) == tkWide) {
        if (!WideFontName().isEmpty())
            Canvas.Font.Name = WideFontName();
        TRect tr = R;
        Canvas.DrawText(FWideCaption, tr, DT_NOPREFIX | DT_SINGLELINE);
        return;
    }
    TMarkupDrawParams params;
    params.imageList = Images;
    params.pictureContainer = PictureContainer;
    params.shadowColor = clGray;
    params.linkColor = TColor(0xFF0000);
    params.window = this;
    TMarkupDrawResult result;
    DrawMarkupText(Canvas, FCaption, R, params, result);
}

void THTMLHintWindow::PaintTo(TCanvas &Canvas)
{
    const TRect client{0, 0, width(), height()};
    Canvas.Brush.Color = Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.FillRect(client);

    Canvas.Pen.Color = cl3DLight;
    Canvas.Pen.Width = 1;
    Canvas.Pen.Style = psSolid;
    Canvas.MoveTo(client.Left, client.Bottom - 2);
    Canvas.LineTo(client.Left, client.Top);
    Canvas.LineTo(client.Right - 1, client.Top);
    Canvas.Pen.Color = cl3DDkShadow;
    Canvas.MoveTo(client.Left, client.Bottom - 1);
    Canvas.LineTo(client.Right - 1, client.Bottom - 1);
    Canvas.LineTo(client.Right - 1, client.Top - 1);

    TRect r = client;
    r.Left += 4;
    r.Right -= 4;
    r.Top = (client.Height() - FTextHeight) / 2;
    r.Bottom = r.Top + FTextHeight + 8;
    Canvas.Brush.Style = bsClear;
    drawHintText(Canvas, r);
}

void THTMLHintWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    canvas.Font.Assign(font());
    PaintTo(canvas);
}

// ---- the program's hint window class ------------------------------------------------------------

namespace {

// Takes the tool-tip requests of every widget while HTML hints are on.
class THTMLHintFilter : public QObject {
public:
    QPointer<THTMLHintWindow> Window;
    QPointer<QWidget> Owner; // the control whose hint shows

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::ToolTip: {
            auto *w = qobject_cast<QWidget *>(watched);
            if (!w || w->toolTip().isEmpty())
                return false;
            if (!Window) {
                Window = new THTMLHintWindow();
                Window->setAttribute(Qt::WA_DeleteOnClose);
            }
            const QPoint at = static_cast<QHelpEvent *>(e)->globalPos() + QPoint(0, 20);
            const TRect m = Window->CalcHintRect(300, w->toolTip());
            Window->ActivateHint(TRect{at.x(), at.y(), at.x() + m.Width(), at.y() + m.Height()}, w->toolTip());
            Owner = w;
            return true;
        }
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::Hide:
            if (Window && watched == Owner)
                Window->hide();
            return false;
        default:
            return false;
        }
    }
};

THTMLHintFilter *&hintFilter()
{
    static THTMLHintFilter *filter = nullptr;
    return filter;
}

} // namespace

void SetApplicationHTMLHints(bool On)
{
    THTMLHintFilter *&f = hintFilter();
    if (On && !f && qApp) {
        f = new THTMLHintFilter;
        f->setParent(qApp);
        qApp->installEventFilter(f);
    } else if (!On && f) {
        if (f->Window)
            f->Window->hide();
        delete f->Window;
        delete f;
        f = nullptr;
    }
}

bool ApplicationHTMLHints() { return hintFilter() != nullptr; }

THTMLHintWindow *ApplicationHintWindow()
{
    return hintFilter() ? hintFilter()->Window.data() : nullptr;
}
