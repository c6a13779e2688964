// The analogue watch. Angles run clockwise from 12 o'clock; every rounding goes to the nearest
// integer with halves to the even neighbour.
#include "dropdown/AnalogWatch.h"

#include "dropdown/DropDownButton.h"
#include "grid/base/VedAzirDraw.h"
#include "platform/Clock.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QThread>
#include <cmath>
#include <numbers>

namespace {

TClockTime decode(TDateTime t)
{
    return DecodeClockTime(t);
}

TDateTime encode(const TClockTime &c)
{
    return EncodeTime(c.h, c.m, c.s, c.ms);
}

double rad(double deg)
{
    return deg * std::numbers::pi / 180.0;
}

// The point at distance d and angle a (degrees clockwise from 12 o'clock) from c, plus a shift.
TPoint polar(TPoint c, double d, double a, double dx = 0, double dy = 0)
{
    return {RoundHalfEven(c.X + dx + d * std::sin(rad(a))), RoundHalfEven(c.Y + dy - d * std::cos(rad(a)))};
}

TRect square(double x, double y, int side)
{
    const int l = RoundHalfEven(x), t = RoundHalfEven(y);
    return {l, t, l + side, t + side};
}

} // namespace

TClockTime DecodeClockTime(TDateTime Time)
{
    TClockTime c;
    DecodeTime(Time, c.h, c.m, c.s, c.ms);
    return c;
}

TNovaWatch::TNovaWatch(QWidget *AOwner)
    : QWidget(AOwner), FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>())
{
    FAppearance->OnChange = [this](QObject *) { PaintAll(); };
    FSettings->OnChange = [this](QObject *) { SettingsChanged(); };
    FWatchTimer = editorkit::createTimer();
    FWatchTimer->setInterval(100);
    FWatchTimer->onTimeout = [this] { RepaintHands(); };
    if (FSettings->Auto())
        FWatchTimer->start();
    FAnimationTimer = editorkit::createTimer();
    FAnimationTimer->setInterval(1);
    FAnimationTimer->onTimeout = [this] { AnimationTimerTick(); };
    resize(180, 180);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Clock"));
}

TNovaWatch::~TNovaWatch()
{
    FAnimationTimer->stop();
    FWatchTimer->stop();
}

// ---- Properties -----------------------------------------------------------------------------

void TNovaWatch::SetShowAMPM(bool Value)
{
    if (Value == FShowAMPM)
        return;
    FShowAMPM = Value;
    PaintAll();
}

void TNovaWatch::SetShowNumbers(bool Value)
{
    if (Value == FShowNumbers)
        return;
    FShowNumbers = Value;
    PaintAll();
}

void TNovaWatch::SetStyle(TWatchStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    const TWatchStyleSwitches w = ApplyWatchStyle(*FAppearance, Value, width(), height());
    if (w.Animation)
        FAnimation = *w.Animation;
    if (w.AnimationFactor)
        FAnimationFactor = *w.AnimationFactor;
    if (w.ShowAMPM)
        SetShowAMPM(*w.ShowAMPM);
    if (w.ShowNumbers)
        SetShowNumbers(*w.ShowNumbers);
    PaintAll();
}

void TNovaWatch::SetComponentStyle(TNovaStyle AStyle)
{
    ApplyWatchComponentStyle(*FAppearance, AStyle);
}

void TNovaWatch::SettingsChanged()
{
    if (FSettings->Auto()) {
        FWatchTimer->start();
        FTime = QDateTimeToDateTime(platform::currentDateTime());
        followClockAM();
    } else {
        FWatchTimer->stop();
    }
    PaintAll();
}

TDateTime TNovaWatch::ShownTime() const
{
    if (!FSettings->Auto())
        return FTime;
    return QDateTimeToDateTime(platform::currentDateTime()) + FSettings->TimeOffset() / 1440.0;
}

void TNovaWatch::followClockAM()
{
    FInternalSet = true;
    SetAM(decode(ShownTime()).h < 12);
    FInternalSet = false;
}

// ---- Time -------------------------------------------------------------------------------------

void TNovaWatch::SetTime(TDateTime Value)
{
    if (Value == FTime)
        return;
    SetTimeInternal(Value);
    RepaintHands();
}

void TNovaWatch::SetTimeInternal(TDateTime Value)
{
    if (Value == FTime)
        return;
    FTime = Value;
    FInternalSet = true;
    SetAM(decode(Value).h < 12);
    FInternalSet = false;
}

void TNovaWatch::SetAM(bool Value)
{
    if (Value == FAM)
        return;
    const bool from = FAM;
    FAM = Value;
    if (FAnimation && FShowAMPM && FAppearance->AMPMColor() != clNone && !FInternalSet)
        rollAMPM(from);
    PaintAll();
}

void TNovaWatch::hourAtOnce(int Value)
{
    const bool was = FInternalCall;
    FInternalCall = true;
    SetHour(Value);
    FInternalCall = was;
}

void TNovaWatch::SetHour(int Value)
{
    // No hour of a day lies outside 0 .. 23: such a value changes nothing.
    if (Value < 0 || Value > 23)
        return;
    TClockTime t = decode(ShownTime());
    if (Value == t.h)
        return;
    if (!FAnimation || FInternalCall) {
        t.h = Value;
        SetTimeInternal(encode(t));
        RepaintHands();
        if (Value == FCurrentHourTo)
            FireEvent(OnChange, this);
        return;
    }
    FCurrentHourTo = Value;
    FHourAnimating = true;
    FAnimationTimer->start();
}

void TNovaWatch::SetMinute(int Value)
{
    if (Value >= 60 || Value < 0)
        throw EConvertError("Invalid time");
    TClockTime t = decode(ShownTime());
    if (Value == t.m)
        return;
    if (FAnimation && !FInternalCall) {
        FCurrentMinuteTo = Value;
        FHourAnimating = false;
        FMinuteFrom = t.m;
        FAnimationTimer->start();
        return;
    }
    if (!FAnimation)
        FMinuteFrom = t.m;
    t.m = Value;
    if (Value == 0 && FMinuteFrom > 30) {
        t.h = (t.h + 1) % 24;
        FMinuteFrom = 0;
    }
    SetTimeInternal(encode(t));
    RepaintHands();
    if (Value == FCurrentMinuteTo)
        FireEvent(OnChange, this);
}

bool TNovaWatch::StepHour(int &Hour, int Step) const
{
    if (Hour == FCurrentHourTo)
        return true;
    Step = std::max(Step, 1);
    Hour += Hour < FCurrentHourTo ? std::min(Step, FCurrentHourTo - Hour) : -std::min(Step, Hour - FCurrentHourTo);
    return false;
}

bool TNovaWatch::StepMinute(int &Minute, int Step) const
{
    if (Minute == FCurrentMinuteTo)
        return true;
    Step = std::max(Step, 1);
    const bool backwards = Minute >= FCurrentMinuteTo && (FCurrentMinuteTo != 0 || Minute <= 30);
    Minute += backwards ? -Step : Step;
    if (Minute >= 60 || Minute < 0)
        Minute = 0;
    return false;
}

void TNovaWatch::AnimationTimerTick()
{
    if (!FAnimation)
        return;
    const TClockTime t = decode(ShownTime());
    const bool was = FInternalCall;
    FInternalCall = true;
    if (FHourAnimating) {
        int h = t.h;
        const int step = RoundHalfEven(std::abs(FCurrentHourTo - h) / double(factor()));
        if (!StepHour(h, step)) {
            SetHour(h);
        } else {
            SetHour(FCurrentHourTo);
            FAnimationTimer->stop();
        }
    } else {
        int m = t.m;
        const int step = FCurrentMinuteTo == 0 && m > 30 ? RoundHalfEven((60 - m) / double(factor()))
                                                         : RoundHalfEven(std::abs(FCurrentMinuteTo - m) / double(factor()));
        if (!StepMinute(m, step)) {
            SetMinute(m);
        } else {
            SetMinute(FCurrentMinuteTo);
            FAnimationTimer->stop();
        }
    }
    FInternalCall = was;
}

void TNovaWatch::WatchKeyDown(int Key)
{
    if (FSettings->Auto())
        return;
    const TClockTime t = decode(ShownTime());
    switch (Key) {
    case Qt::Key_A:
        if (t.h >= 12)
            SetHour(t.h - 12);
        break;
    case Qt::Key_P:
        if (t.h < 12)
            SetHour(t.h + 12);
        break;
    case Qt::Key_PageUp:
        if (t.h < 23)
            SetHour(t.h + 1);
        else
            hourAtOnce(0);
        break;
    case Qt::Key_PageDown:
        if (t.h > 0)
            SetHour(t.h - 1);
        else
            hourAtOnce(23);
        break;
    case Qt::Key_Home:
        hourAtOnce(12);
        break;
    case Qt::Key_End:
        SetMinute(0);
        break;
    case Qt::Key_Left:
        if (t.m > 0) {
            SetMinute(t.m - 1);
        } else {
            TClockTime n = t;
            n.h = t.h == 0 ? 23 : t.h - 1;
            n.m = 59;
            SetTime(encode(n));
        }
        break;
    case Qt::Key_Right:
        SetMinute(t.m < 59 ? t.m + 1 : 0);
        break;
    default:
        break;
    }
}

// ---- Geometry ---------------------------------------------------------------------------------

TRect TNovaWatch::GetWatchRect() const
{
    const int w = width(), h = height();
    int side = FAppearance->Size();
    if (side > 0)
        side = std::min({side, w, h});
    else
        side = std::min(w, h) - 20;
    const int l = (w - side) / 2, t = (h - side) / 2;
    return {l, t, l + side, t + side};
}

TPoint TNovaWatch::GetCenter() const
{
    const TRect r = GetWatchRect();
    return {r.Left + r.Width() / 2, r.Top + r.Width() / 2};
}

int TNovaWatch::GetRadius() const
{
    return GetWatchRect().Width() / 2;
}

TRect TNovaWatch::GetAMPMRect(TCanvas &Canvas) const
{
    if (!FShowAMPM)
        return {-1, -1, -1, -1};
    Canvas.Font = FAppearance->AMPMFont();
    TRect m{0, 0, 0, 0};
    Canvas.DrawText(QStringLiteral("AM"), m, DT_CALCRECT | DT_SINGLELINE);
    const int w = m.Width(), h = m.Height();
    const TPoint c = GetCenter();
    const int left = c.X - (w + 8) / 2;
    const int top = c.Y + RoundHalfEven((GetRadius() - h) / 3.0);
    return {left, top, left + w + 8, top + h};
}

TRect TNovaWatch::GetAMPMRect() const
{
    if (!FMeasure)
        FMeasure = std::make_unique<TImageCanvas>(1, 1);
    return GetAMPMRect(*FMeasure);
}

int TNovaWatch::MinuteAtPos(int X, int Y) const
{
    const TPoint c = GetCenter();
    int dx = std::abs(c.X - X), dy = std::abs(c.Y - Y);
    if (dx == 0)
        dx = 1;
    if (dy == 0)
        dy = 1;
    const int k = RoundHalfEven(std::atan(double(dy) / dx) * 180.0 / std::numbers::pi / 6.0);
    int m;
    if (X >= c.X && Y >= c.Y)
        m = 15 + k;
    else if (X <= c.X && Y >= c.Y)
        m = 45 - k;
    else if (X <= c.X && Y <= c.Y)
        m = 45 + k;
    else
        m = 15 - k;
    return m < 0 || m > 59 ? 0 : m;
}

int TNovaWatch::HourAtPos(int X, int Y) const
{
    const int k = RoundHalfEven(MinuteAtPos(X, Y) / 5.0);
    if (k == 0 || k == 12)
        return FAM ? 0 : 12;
    return FAM ? k : k + 12;
}

// ---- Mouse ------------------------------------------------------------------------------------

void TNovaWatch::mouseReleaseEvent(QMouseEvent *e)
{
    QWidget::mouseReleaseEvent(e);
    if (FSettings->Auto())
        return;
    const QPoint p = e->position().toPoint();
    const TRect face = GetWatchRect();
    const double a = face.Width() / 2.0;
    const double nx = (p.x() - (face.Left + a)) / a, ny = (p.y() - (face.Top + a)) / a;
    if (a <= 0 || nx * nx + ny * ny > 1.0) {
        SetMinute(MinuteAtPos(p.x(), p.y()));
        return;
    }
    if (GetAMPMRect().Contains({p.x(), p.y()})) {
        if (FAnimation)
            SetAM(!FAM);
        const int h = decode(ShownTime()).h;
        FCurrentHourTo = h < 12 ? h + 12 : h - 12;
        hourAtOnce(FCurrentHourTo);
        return;
    }
    SetHour(HourAtPos(p.x(), p.y()));
}

void TNovaWatch::mouseMoveEvent(QMouseEvent *e)
{
    QWidget::mouseMoveEvent(e);
    const QPoint p = e->position().toPoint();
    setCursor(GetAMPMRect().Contains({p.x(), p.y()}) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

// ---- Painting ---------------------------------------------------------------------------------

void TNovaWatch::PaintAll()
{
    FCacheValid = false;
    update();
}

void TNovaWatch::RepaintHands()
{
    update();
}

void TNovaWatch::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    FCacheValid = false;
}

void TNovaWatch::paintEvent(QPaintEvent *)
{
    if (FSettings->Auto())
        followClockAM();
    if (!FCacheValid || FBKGCache.size() != size()) {
        FBKGCache = QImage(size(), QImage::Format_RGB32);
        QWidget *bg = parentWidget() ? parentWidget() : this;
        FBKGCache.fill(bg->palette().color(bg->backgroundRole()));
        QPainter cp(&FBKGCache);
        TPainterCanvas cache(&cp);
        DrawFace(cache);
        DrawTickMarks(cache);
        DrawNumbers(cache);
        DrawAMPM(cache);
        FCacheValid = true;
    }
    QPainter p(this);
    TPainterCanvas canvas(&p);
    canvas.Draw(0, 0, FBKGCache);
    if (FRollOffset >= 0)
        drawRoll(canvas);
    DrawHands(canvas);
}

void TNovaWatch::PaintTo(TCanvas &Canvas)
{
    if (FSettings->Auto())
        followClockAM();
    DrawFace(Canvas);
    DrawTickMarks(Canvas);
    DrawNumbers(Canvas);
    DrawAMPM(Canvas);
    DrawHands(Canvas);
}

void TNovaWatch::DrawFace(TCanvas &Canvas) const
{
    const TWatchAppearance &A = *FAppearance;
    const TRect client{0, 0, width(), height()};
    const TRect F = A.Shape() == wsCircle ? GetWatchRect() : client;
    const TRect clipBounds{F.Left - 1, F.Top - 1, F.Right + 2, F.Bottom + 2};
    QPainter *p = Canvas.Painter();
    if (p && A.Shape() != wsRect) {
        QPainterPath path;
        if (A.Shape() == wsCircle)
            path.addEllipse(clipBounds.ToQRect());
        else
            path.addRoundedRect(clipBounds.ToQRect(), 10, 10);
        p->setClipPath(path);
    }
    if (A.BackgroundColor() != clNone && A.BackgroundColorTo() != clNone) {
        DrawGradientRect(Canvas, A.BackgroundColor(), A.BackgroundColorTo(), 80, F, A.BackgroundGradient() == wgRadial);
    } else if (A.BackgroundColor() != clNone) {
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = A.BackgroundColor();
        Canvas.FillRect(F);
    }
    if (A.BorderColor() != clNone && A.BorderWidth() > 0) {
        Canvas.Pen.Style = psSolid;
        Canvas.Pen.Color = A.BorderColor();
        Canvas.Pen.Width = A.BorderWidth();
        Canvas.Brush.Style = bsClear;
        if (A.Shape() == wsCircle)
            Canvas.Ellipse(F);
        else if (A.Shape() == wsRect)
            Canvas.Rectangle(client);
        else
            Canvas.RoundRect(client, 20, 20);
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Width = 1;
    }
    if (p)
        p->setClipping(false);
    if (!A.Picture().Empty() && A.Picture().Decoded() && width() > 0 && height() > 0) {
        // The picture at the top left of a client-sized bitmap whose bottom-left colour is clear.
        QImage bmp(size(), QImage::Format_ARGB32);
        bmp.fill(Qt::white);
        {
            QPainter bp(&bmp);
            bp.drawImage(0, 0, A.Picture().Image());
        }
        const QRgb key = bmp.pixel(0, bmp.height() - 1);
        for (int y = 0; y < bmp.height(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(bmp.scanLine(y));
            for (int x = 0; x < bmp.width(); ++x)
                if (line[x] == key)
                    line[x] = 0;
        }
        Canvas.Draw(0, 0, bmp);
    }
}

void TNovaWatch::DrawTickMarks(TCanvas &Canvas) const
{
    const TWatchAppearance &A = *FAppearance;
    if (A.TickMarks() == tmNone)
        return;
    const TPoint c = GetCenter();
    const double outer = GetRadius() - A.BorderWidth() / 2;
    // These angles count from 3 o'clock.
    auto line = [&](double inner, double a, int sx, int sy) {
        const double ca = std::cos(rad(a)), sa = std::sin(rad(a));
        Canvas.Line(c.X + sx + RoundHalfEven(inner * ca), c.Y + sy + RoundHalfEven(inner * sa),
                    c.X + sx + RoundHalfEven(outer * ca), c.Y + sy + RoundHalfEven(outer * sa));
    };
    Canvas.Pen.Style = psSolid;
    double inner = A.HourMarkLength() == 0 ? outer * 0.9 : outer - A.HourMarkLength();
    Canvas.Pen.Color = A.HourColor();
    Canvas.Pen.Width = A.HourMarkWidth();
    for (int a = 0; a < 360; a += 90) {
        if (A.HourMarkStyle() == hmsQuartDblLine) {
            const bool horizontalMark = a == 0 || a == 180; // 3 and 9 o'clock: shifted vertically
            line(inner, a, horizontalMark ? 0 : -2, horizontalMark ? -2 : 0);
            line(inner, a, horizontalMark ? 0 : 2, horizontalMark ? 2 : 0);
        } else {
            line(inner, a, 0, 0);
        }
    }
    if (A.TickMarks() == tmAll || A.TickMarks() == tmHours) {
        for (int a = 30; a < 360; a += 30)
            if (a % 90 != 0)
                line(inner, a, 0, 0);
    }
    if (A.TickMarks() == tmAll) {
        inner = A.MinuteMarkLength() == 0 ? outer * 0.95 : outer - A.MinuteMarkLength();
        Canvas.Pen.Color = A.MinuteColor();
        Canvas.Pen.Width = A.MinuteMarkWidth();
        for (int a = 0; a < 360; a += 6)
            if (a % 30 != 0)
                line(inner, a, 0, 0);
    }
    Canvas.Pen.Width = 1;
}

void TNovaWatch::DrawNumbers(TCanvas &Canvas) const
{
    const TWatchAppearance &A = *FAppearance;
    if (!FShowNumbers || A.TickMarks() == tmNone || A.TickMarks() == tmHours)
        return;
    const TPoint c = GetCenter();
    const int rr = GetRadius() - A.BorderWidth() / 2;
    const int L = A.HourMarkLength() == 0 ? RoundHalfEven(rr - rr * 0.9) + 2 : A.HourMarkLength();
    const int D = rr - 2 * L - 2;
    Canvas.Font = A.HourFont();
    Canvas.Brush.Style = bsClear;
    for (int i = 1; i <= 12; ++i) {
        if (A.TickMarks() == tmQuartHours && i % 3 != 0)
            continue;
        const QString text = QString::number(i);
        QSize sz;
        GetTextSize(&Canvas, text, sz);
        const int n = i == 10 ? RoundHalfEven(0.2 * sz.height()) : i == 11 ? RoundHalfEven(0.15 * sz.height()) : 0;
        const double d = D - n + L / 2;
        const double a = rad(30.0 * i);
        const int px = c.X + 1 + RoundHalfEven(std::sin(a) * d);
        const int py = c.Y + 1 - RoundHalfEven(std::cos(a) * d);
        Canvas.TextOut(px - sz.width() / 2 - 1, py - sz.height() / 2 - 1, text);
    }
    Canvas.Brush.Style = bsSolid;
}

void TNovaWatch::drawAMPMFrame(TCanvas &Canvas, const TRect &Box) const
{
    Canvas.Pen.Width = 1;
    if (FAppearance->AMPMFrame() == apRect)
        Canvas.Rectangle(Box);
    else
        Canvas.RoundRect(Box, 5, 5);
}

void TNovaWatch::DrawAMPM(TCanvas &Canvas) const
{
    if (!FShowAMPM)
        return;
    const TWatchAppearance &A = *FAppearance;
    const TRect box = GetAMPMRect(Canvas);
    if (A.AMPMColor() != clNone || A.AMPMBorderColor() != clNone) {
        Canvas.Brush.Style = A.AMPMColor() == clNone ? bsClear : bsSolid;
        Canvas.Brush.Color = A.AMPMColor();
        Canvas.Pen.Style = A.AMPMBorderColor() == clNone ? psClear : psSolid;
        Canvas.Pen.Color = A.AMPMBorderColor();
        drawAMPMFrame(Canvas, box);
        Canvas.Pen.Style = psSolid;
    }
    Canvas.Brush.Style = bsClear;
    Canvas.Font = A.AMPMFont();
    TRect r = box;
    Canvas.DrawText(FAM ? QStringLiteral("AM") : QStringLiteral("PM"), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    Canvas.Brush.Style = bsSolid;
}

void TNovaWatch::DrawHands(TCanvas &Canvas)
{
    const TWatchAppearance &A = *FAppearance;
    const TClockTime t = decode(ShownTime());
    if (FSettings->Auto())
        followClockAM();
    const TPoint c = GetCenter();
    const double r = GetRadius();
    const double hourA = (t.h % 12) * 30 + t.m * 0.5, minuteA = t.m * 6.0, secondA = t.s * 6.0;
    Canvas.Pen.Style = psSolid;
    auto hand = [&](TColor color, int width, double a, double back, double front, double dx, double dy) {
        if (color == clNone)
            return;
        Canvas.Pen.Color = color;
        Canvas.Pen.Width = width;
        const TPoint from = polar(c, -back * r, a, dx, dy), to = polar(c, front * r, a, dx, dy);
        Canvas.Line(from.X, from.Y, to.X, to.Y);
    };
    auto pointer = [&](TColor color, double a, double tip, double dx, double dy) {
        if (color == clNone)
            return;
        Canvas.Pen.Color = color;
        Canvas.Pen.Width = 1;
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = color;
        Canvas.Polygon({polar(c, 0.1 * r, a + 180, dx, dy), polar(c, 0.05 * r, a - 90, dx, dy),
                        polar(c, tip * r, a, dx, dy), polar(c, 0.05 * r, a + 90, dx, dy)});
    };
    switch (A.PointerStyle()) {
    case psLine:
        hand(A.HourPointerShadow(), A.HourPointerSize(), hourA, 0.1, 0.46, -1, 3);
        hand(A.MinutePointerShadow(), A.MinutePointerSize(), minuteA, 0.1, 0.65, 0, 3);
        hand(A.HourPointer(), A.HourPointerSize(), hourA, 0.1, 0.5, 0, 0);
        hand(A.MinutePointer(), A.MinutePointerSize(), minuteA, 0.1, 0.7, 0, 0);
        break;
    case psPointer:
        pointer(A.HourPointerShadow(), hourA, 0.5, 1, 3);
        pointer(A.HourPointer(), hourA, 0.5, 0, 0);
        pointer(A.MinutePointerShadow(), minuteA, 0.7, 1, 3);
        pointer(A.MinutePointer(), minuteA, 0.7, 0, 0);
        break;
    case psShortLine:
    case psLineArrow:
        break;
    }
    if (FSettings->Auto() && FSettings->Second() && A.PointerStyle() != psShortLine && A.PointerStyle() != psLineArrow)
        hand(A.SecondPointer(), A.SecondPointerSize(), secondA, 0.2, 0.9, 0, 0);
    Canvas.Pen.Width = 1;

    const int s = A.CenterPointSize();
    if (s > 0) {
        int w = 0;
        if (A.CenterPointColor() != clNone) {
            Canvas.Pen.Color = A.CenterPointColor();
            Canvas.Brush.Style = bsSolid;
            Canvas.Brush.Color = A.CenterPointColor();
            Canvas.Ellipse(square(c.X - s / 2.0, c.Y - s / 2.0, s));
        }
        Canvas.Brush.Style = bsClear;
        if (A.CenterPointOuterBorderColor() != clNone) {
            w = RoundHalfEven(0.2 * s);
            Canvas.Pen.Color = A.CenterPointOuterBorderColor();
            Canvas.Pen.Width = w;
            Canvas.Ellipse(square(c.X - s / 2.0, c.Y - s / 2.0, s));
        }
        if (A.CenterPointBorderColor() != clNone) {
            Canvas.Pen.Color = A.CenterPointBorderColor();
            Canvas.Pen.Width = RoundHalfEven(0.1 * s);
            Canvas.Ellipse(square(c.X - (s - w) / 2.0, c.Y - (s - w) / 2.0, s - w));
        }
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Width = 1;
    }
}

// ---- The AM/PM roll ---------------------------------------------------------------------------

void TNovaWatch::rollAMPM(bool From)
{
    // Only a shown watch rolls: the frames block the interface thread for about 10 ms each.
    if (!isVisible())
        return;
    const TRect b = GetAMPMRect().Inflate(-1, -1);
    const int H = b.Height();
    if (H <= 0 || b.Width() <= 0)
        return;
    for (int i = 1; i <= H; ++i) {
        FRollOffset = From ? i : H - i; // AM lies above PM
        repaint();
        QThread::msleep(10);
    }
    FRollOffset = -1;
}

void TNovaWatch::drawRoll(TCanvas &Canvas) const
{
    const TWatchAppearance &A = *FAppearance;
    const TRect box = GetAMPMRect(Canvas);
    const TRect b = box.Inflate(-1, -1);
    const int W = b.Width(), H = b.Height();
    QImage strip(W, 2 * H, QImage::Format_RGB32);
    strip.fill(ToQColor(A.AMPMColor()));
    {
        QPainter sp(&strip);
        TPainterCanvas sc(&sp);
        sc.Font = A.AMPMFont();
        TRect upper{0, 0, W, H}, lower{0, H, W, 2 * H};
        sc.DrawText(QStringLiteral("AM"), upper, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        sc.DrawText(QStringLiteral("PM"), lower, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    Canvas.Draw(b.Left, b.Top, strip.copy(0, FRollOffset, W, H));
    if (A.AMPMBorderColor() != clNone) {
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = A.AMPMBorderColor();
        drawAMPMFrame(Canvas, box);
        Canvas.Brush.Style = bsSolid;
    }
}
