#include "grid/base/EditorKit.h"

#include "platform/Clock.h"

#include <QApplication>
#include <QBitmap>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <qdrawutil.h>

namespace editorkit {

namespace {

std::function<void()> &beepHook()
{
    static std::function<void()> hook;
    return hook;
}

TimerFactory &timerFactory()
{
    static TimerFactory f;
    return f;
}

class QtEditorTimer final : public EditorTimer {
public:
    QtEditorTimer()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (onTimeout) onTimeout();
        });
    }
    void setInterval(int ms) override { m_timer.setInterval(ms); }
    int interval() const override { return m_timer.interval(); }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

int digitsAt(const QString &s, int &i, int maxDigits = 9)
{
    int v = 0;
    int n = 0;
    while (i < s.size() && s.at(i).isDigit() && n < maxDigits) {
        v = v * 10 + s.at(i).digitValue();
        ++i;
        ++n;
    }
    return n == 0 ? -1 : v;
}

} // namespace

QColor toQColor(TColor c, const QPalette &pal)
{
    if (c == clNone) return QColor(Qt::transparent);
    return ToQColor(c, pal);
}

void beep()
{
    if (beepHook()) beepHook()();
    else QApplication::beep();
}

void setBeepHook(std::function<void()> hook) { beepHook() = std::move(hook); }

std::unique_ptr<EditorTimer> createTimer()
{
    if (timerFactory()) return timerFactory()();
    return std::make_unique<QtEditorTimer>();
}

void setTimerFactory(TimerFactory factory) { timerFactory() = std::move(factory); }

TDateTime encodeDateTime(const QDate &d, const QTime &t)
{
    return ComposeDateTime(QDateToDateTime(d), QTimeToDateTime(t));
}

TDateTime nowValue() { return QDateTimeToDateTime(platform::currentDateTime()); }

bool tryParseShortDate(const QString &text, const platform::FormatSettings &fs, TDateTime &out)
{
    // Field order from the pattern: the order of the first D, M and Y.
    const QString up = fs.shortDateFormat.toUpper();
    int pd = up.indexOf(QLatin1Char('D')), pm = up.indexOf(QLatin1Char('M')), py = up.indexOf(QLatin1Char('Y'));
    if (pd < 0) pd = 1000;
    if (pm < 0) pm = 1001;
    if (py < 0) py = 1002;
    const QString t = text.trimmed();
    int nums[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    int i = 0;
    while (i < t.size()) {
        if (count == 3) return false;
        const int start = i;
        const int v = digitsAt(t, i);
        if (v < 0) return false;
        digits[count] = i - start;
        nums[count++] = v;
        while (i < t.size() && t.at(i) == QLatin1Char(' ')) ++i;
        if (i < t.size()) {
            if (t.at(i) != fs.dateSeparator) return false;
            ++i;
            while (i < t.size() && t.at(i) == QLatin1Char(' ')) ++i;
            if (i >= t.size()) return false;
        }
    }
    if (count < 2) return false;
    int y = 0, m = 0, d = 0;
    if (count == 3) {
        struct F { int pos; int *slot; } f[3] = {{pd, &d}, {pm, &m}, {py, &y}};
        std::sort(std::begin(f), std::end(f), [](const F &a, const F &b) { return a.pos < b.pos; });
        for (int k = 0; k < 3; ++k) *f[k].slot = nums[k];
        for (int k = 0; k < 3; ++k)
            if (f[k].slot == &y && digits[k] <= 2) {
                // Two-digit year: the century that keeps it within 50 years of now.
                const int cur = platform::currentDateTime().date().year();
                int full = (cur / 100) * 100 + y;
                if (full > cur + 50) full -= 100;
                else if (full <= cur - 50) full += 100;
                y = full;
            }
    } else {
        if (pm < pd) { m = nums[0]; d = nums[1]; }
        else { d = nums[0]; m = nums[1]; }
        y = platform::currentDateTime().date().year();
    }
    return TryEncodeDate(y, m, d, out);
}

bool tryParseTime(const QString &text, const platform::FormatSettings &fs, TDateTime &out)
{
    QString t = text.trimmed();
    int ampm = 0;
    const QString upper = t.toUpper();
    if (upper.endsWith(QLatin1String("AM"))) { ampm = 1; t.chop(2); }
    else if (upper.endsWith(QLatin1String("PM"))) { ampm = 2; t.chop(2); }
    t = t.trimmed();
    int parts[4] = {0, 0, 0, 0};
    int count = 0;
    int i = 0;
    while (i < t.size()) {
        if (count == 3) return false;
        const int v = digitsAt(t, i);
        if (v < 0) return false;
        parts[count++] = v;
        if (i < t.size()) {
            if (count == 3 && t.at(i) == fs.decimalSeparator) {
                ++i;
                const int start = i;
                const int ms = digitsAt(t, i, 3);
                if (ms < 0 || i != t.size()) return false;
                parts[3] = ms * (i - start == 1 ? 100 : i - start == 2 ? 10 : 1);
                break;
            }
            if (t.at(i) != fs.timeSeparator) return false;
            ++i;
            if (i >= t.size()) return false;
        }
    }
    if (count == 0 || (count == 1 && ampm == 0)) return false;
    int h = parts[0];
    if (ampm) {
        if (h < 1 || h > 12) return false;
        if (ampm == 1 && h == 12) h = 0;
        else if (ampm == 2 && h != 12) h += 12;
    }
    return TryEncodeTime(h, parts[1], parts[2], parts[3], out);
}

namespace {

// Fixed-point text of v rounded to 15 significant digits first, so that digits beyond those
// (binary noise such as 0.30000000000000004) never show: the decimals past them are zeros.
// Empty when the whole part alone needs more than 15 digits.
QString fixedText15(double v, int decimals)
{
    if (!std::isfinite(v)) return QString();
    const QString e = QString::number(std::fabs(v), 'e', 14); // d.dddddddddddddde+XX
    const int ePos = e.indexOf(QLatin1Char('e'));
    QString digits = e.left(ePos);
    digits.remove(1, 1); // the point
    const int intDigits = e.mid(ePos + 1).toInt() + 1;
    if (intDigits > 15) return QString();
    QString whole, frac;
    if (intDigits <= 0) {
        whole = QStringLiteral("0");
        frac = QString(-intDigits, QLatin1Char('0')) + digits;
    } else {
        whole = digits.left(intDigits);
        frac = digits.mid(intDigits);
    }
    if (frac.size() > decimals) {
        // Half up on the decimal digits; a carry runs into the whole part.
        const bool up = frac.at(decimals).unicode() >= '5';
        frac.truncate(decimals);
        if (up) {
            QString all = whole + frac;
            int i = int(all.size()) - 1;
            while (i >= 0 && all.at(i) == QLatin1Char('9')) all[i--] = QLatin1Char('0');
            if (i >= 0) all[i] = QChar(all.at(i).unicode() + 1);
            else all.prepend(QLatin1Char('1'));
            whole = all.left(all.size() - decimals);
            frac = all.right(decimals);
        }
    }
    frac = frac.leftJustified(decimals, QLatin1Char('0'));
    while (whole.size() > 1 && whole.startsWith(QLatin1Char('0'))) whole.remove(0, 1);
    QString s = decimals > 0 ? whole + QLatin1Char('.') + frac : whole;
    const bool zero = std::all_of(s.begin(), s.end(), [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('.'); });
    if (v < 0 && !zero) s.prepend(QLatin1Char('-'));
    return s;
}

} // namespace

QString floatText(double v, int precision, const platform::FormatSettings &fs)
{
    QString s;
    if (precision != 0) s = fixedText15(v, qBound(0, precision, 18));
    if (s.isEmpty()) {
        s = QString::number(v, 'g', 15);
        const int e = s.indexOf(QLatin1Char('e'));
        if (e >= 0) {
            // 1E20 and 1.5E-5 rather than 1e+20 and 1.5e-05.
            QString mant = s.left(e);
            QString exp = s.mid(e + 1);
            const bool neg = exp.startsWith(QLatin1Char('-'));
            if (exp.startsWith(QLatin1Char('+')) || neg) exp.remove(0, 1);
            while (exp.size() > 1 && exp.startsWith(QLatin1Char('0'))) exp.remove(0, 1);
            s = mant + QLatin1Char('E') + (neg ? QStringLiteral("-") : QString()) + exp;
        }
    }
    if (s == QLatin1String("-0")) s = QStringLiteral("0");
    s.replace(QLatin1Char('.'), fs.decimalSeparator);
    return s;
}

bool tryParseFloat(const QString &text, const platform::FormatSettings &fs, double &out)
{
    // Only the locale's decimal separator counts; the plain reader takes the rest.
    QString t = text.trimmed();
    if (fs.decimalSeparator != QLatin1Char('.') && t.contains(QLatin1Char('.'))) return false;
    t.replace(fs.decimalSeparator, QLatin1Char('.'));
    return TryPlainTextToFloat(t, out);
}

QString qtDateFormat(const QString &windowsPattern, QChar dateSeparator)
{
    QString out;
    for (int i = 0; i < windowsPattern.size();) {
        const QChar c = windowsPattern.at(i);
        int run = 1;
        while (i + run < windowsPattern.size() && windowsPattern.at(i + run) == c) ++run;
        const QChar u = c.toUpper();
        if (u == QLatin1Char('D')) out += QString(qMin(run, 4), QLatin1Char('d'));
        else if (u == QLatin1Char('M')) out += QString(qMin(run, 4), QLatin1Char('M'));
        else if (u == QLatin1Char('Y')) out += run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        else if (c == QLatin1Char('/')) out += QString(run, dateSeparator);
        else if (c.isLetter()) out += QLatin1Char('\'') + QString(run, c) + QLatin1Char('\'');
        else out += QString(run, c);
        i += run;
    }
    return out;
}

QChar typedChar(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
        return QChar(char16_t(e->key() - Qt::Key_A + 1));
    const QString t = e->text();
    if (t.isEmpty()) return QChar();
    return t.at(0);
}

QKeyEvent *tabKeyPress(QEvent *e)
{
    if (e->type() != QEvent::KeyPress) return nullptr;
    auto *k = static_cast<QKeyEvent *>(e);
    return k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab ? k : nullptr;
}

TColor ButtonColors::SpeedButtonFill(bool down, bool hot) const
{
    return down ? ButtonColorDown : hot ? ButtonColorHot : ButtonColor;
}

SpeedButton::SpeedButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void SpeedButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    update();
}

void SpeedButton::SetFlat(bool v)
{
    FFlat = v;
    update();
}

void SpeedButton::SetGlyph(const QImage &glyph)
{
    FGlyph = glyph;
    update();
}

void SpeedButton::SetNumGlyphs(int n)
{
    FNumGlyphs = qBound(1, n, 4);
    update();
}

void SpeedButton::enterEvent(QEnterEvent *e)
{
    FPointerOver = true;
    update();
    QAbstractButton::enterEvent(e);
}

void SpeedButton::leaveEvent(QEvent *e)
{
    FPointerOver = false;
    update();
    QAbstractButton::leaveEvent(e);
}

QPixmap SpeedButton::StateGlyph(bool down) const
{
    return glyphForState(FGlyph, FNumGlyphs, isEnabled(), down, this);
}

TColor ButtonColors::DropButtonFill(bool hover, bool mouseDown) const
{
    if (mouseDown && hover && ButtonColorDown != clNone) return ButtonColorDown;
    if (hover && ButtonColorHot != clNone) return ButtonColorHot;
    return ButtonColor;
}

TColor ButtonColors::DropButtonText(bool mouseDown) const
{
    if (mouseDown && ButtonTextColorDown != clNone) return ButtonTextColorDown;
    return ButtonTextColor != clNone ? ButtonTextColor : clBlack;
}

bool DropButtonPointer::Enter(bool enabled)
{
    if (inControl || !enabled) return false;
    inControl = true;
    return true;
}

void DropButtonPointer::Leave(bool enabled)
{
    if (enabled) inControl = false;
    overButton = false;
}

bool DropButtonPointer::Move(int x, int width, int buttonWidth)
{
    const bool over = x > width - buttonWidth && x < width;
    if (over == overButton) return false;
    overButton = over;
    return true;
}

void frameRect(QPainter &p, const QRect &r, const QColor &c)
{
    p.save();
    p.setPen(c);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

QColor parentBackground(const QWidget *w)
{
    if (const QWidget *p = w->parentWidget()) return p->palette().color(p->backgroundRole());
    return QApplication::palette().color(QPalette::Window);
}

bool drawColourFrame(QPainter &p, const QWidget *w, const ColourFrame &f)
{
    const QRect R = w->rect();
    const QPalette pal = w->palette();
    if (!f.enabled && f.themed && !f.disabledBorder) {
        frameRect(p, R, QColor(127, 157, 185));
    } else if (f.borderColor != clNone) {
        frameRect(p, R, toQColor(f.hasFocus && f.focusBorderColor != clNone ? f.focusBorderColor : f.borderColor, pal));
    } else if (f.focusBorderColor != clNone) {
        if (f.hasFocus) frameRect(p, R, toQColor(f.focusBorderColor, pal));
    } else if (f.focusBorder && f.hot) {
        qDrawShadeRect(&p, R, pal, true, 1, 0);
        frameRect(p, R.adjusted(1, 1, -1, -1), pal.color(QPalette::Button));
        frameRect(p, R.adjusted(2, 2, -2, -2), toQColor(f.color, pal));
    } else {
        const QColor pc = parentBackground(w);
        frameRect(p, R, pc);
        QRect inner = R.adjusted(1, 1, -1, -1);
        if (f.innerRight >= 0) inner.setRight(f.innerRight);
        frameRect(p, inner, pc);
        frameRect(p, inner.adjusted(1, 1, -1, -1), toQColor(f.color, pal));
        return true;
    }
    return false;
}

void drawClassicButton(QPainter *p, const QRect &r, const QPalette &pal, bool down, bool flat, bool hot)
{
    if (!flat) {
        qDrawWinButton(p, r, pal, down, &pal.brush(QPalette::Button));
        return;
    }
    p->fillRect(r, pal.brush(QPalette::Button));
    if (down) qDrawShadePanel(p, r, pal, true, 1);
    else if (hot) qDrawShadePanel(p, r, pal, false, 1);
}

void drawTriangle(QPainter *p, const QPoint &a, const QPoint &b, const QPoint &c, const QColor &color)
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setPen(color);
    p->setBrush(color);
    const QPoint pts[3] = {a, b, c};
    p->drawPolygon(pts, 3);
    p->restore();
}

void drawDropArrowFace(QPainter &p, const QRect &face, int lineX, const QPoint &arrowAt, TColor fill, TColor line,
                       TColor arrow, const QPalette &pal)
{
    if (fill != clNone) p.fillRect(face, toQColor(fill, pal));
    if (line != clNone) {
        p.save();
        p.setPen(toQColor(line, pal));
        p.drawLine(QPoint(lineX, face.top()), QPoint(lineX, face.bottom()));
        p.restore();
    }
    if (arrow != clNone) {
        const int L = arrowAt.x(), T = arrowAt.y();
        drawTriangle(&p, {L, T}, {L + 6, T}, {L + 3, T + 3}, toQColor(arrow, pal));
    }
}

void drawSunkenBorder(QPainter *p, const QRect &r, const QPalette &pal)
{
    qDrawWinPanel(p, r, pal, true, nullptr);
}

QImage spinArrowBitmap(bool up)
{
    QImage img(9, 6, QImage::Format_RGB32);
    img.fill(QColor(128, 128, 0));
    for (int row = 0; row < 4; ++row) {
        const int half = up ? row : 3 - row;   // 0 at the tip
        const int y = 1 + row;
        for (int x = 4 - half; x <= 4 + half; ++x) img.setPixel(x, y, qRgb(0, 0, 0));
    }
    return img;
}

QPixmap transparentGlyph(const QImage &glyph)
{
    if (glyph.isNull()) return QPixmap();
    QImage img = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = img.pixel(0, img.height() - 1);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) img.setPixel(x, y, 0);
    return QPixmap::fromImage(img);
}

QPixmap glyphForState(const QImage &glyph, int numGlyphs, bool enabled, bool down, const QWidget *w)
{
    if (glyph.isNull()) return QPixmap();
    const int n = qBound(1, numGlyphs, 4);
    const int width = glyph.width() / n;
    const int index = !enabled && n > 1 ? 1 : (down && n > 2 ? 2 : 0);
    QPixmap pm = transparentGlyph(glyph.copy(index * width, 0, width, glyph.height()));
    if (!enabled && n < 2 && !pm.isNull()) {
        QStyleOption opt;
        opt.initFrom(w);
        pm = w->style()->generatedIconPixmap(QIcon::Disabled, pm, &opt);
    }
    return pm;
}

void drawCentredGlyph(QPainter *p, const QRect &r, const QPixmap &pm, bool pressed)
{
    int x = pm.width() < r.width() ? (r.width() - pm.width()) / 2 : 0;
    int y = pm.height() < r.height() ? (r.height() - pm.height()) / 2 : 0;
    if (pressed) { ++x; ++y; }
    p->drawPixmap(r.left() + x, r.top() + y, pm);
}

void drawComboArrow(QPainter *p, const QRect &r, const QPalette &pal, bool enabled, int offset)
{
    const int cx = r.left() + r.width() / 2 + offset, cy = r.top() + r.height() / 2 + offset;
    const QColor c = enabled ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Disabled, QPalette::ButtonText);
    drawTriangle(p, {cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}, c);
}

} // namespace editorkit
