#pragma once
// Small shared pieces of the in-place editor controls: colours, date-time values,
// the refusal beep, injectable timers, locale-bound number/date texts and classic drawing.
#include <QChar>
#include <QColor>
#include <QDate>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QTime>
#include <functional>
#include <memory>

#include "grid/base/Colors.h"
#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"

class QPainter;
class QKeyEvent;
class QWidget;

namespace editorkit {

// The library's colour values (0x00BBGGRR, system colours, clNone).
using ::TColor;
using ::clNone;
using ::clBlack;
using ::clWindow;
using ::clBtnFace;
using ::clWindowText;

// System colours follow the widget palette, so the editors match the style they sit in
// (the grid's ToQColor uses the fixed classic table instead); clNone is transparent.
QColor toQColor(TColor c, const QPalette &pal);

using ::TDateTime;
using NotifyEvent = std::function<void(QObject *sender)>;

enum TBorderStyle : quint8 { bsNone, bsSingle };

// The refusal sound. Tests install a hook to count beeps instead of sounding them.
void beep();
void setBeepHook(std::function<void()> hook);

// Timers behind auto-repeat and focus delays; tests install a factory to fire them by hand.
class EditorTimer {
public:
    virtual ~EditorTimer() = default;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    std::function<void()> onTimeout;
};
using TimerFactory = std::function<std::unique_ptr<EditorTimer>()>;
std::unique_ptr<EditorTimer> createTimer();
void setTimerFactory(TimerFactory factory); // empty: real timers again

// Themed drawing possible (the grid library's theme table); false on this platform.
bool visualStylesActive();

// Date-time values (the grid's number and date routines, NumberDate.h, do the arithmetic).
TDateTime encodeDateTime(const QDate &d, const QTime &t = QTime(0, 0));
TDateTime nowValue(); // the program clock

// Editor texts. Numbers follow the given format settings; the date parser also takes day and
// month alone (current year) and two-digit years, the time parser AM/PM and milliseconds.
bool tryParseShortDate(const QString &text, const platform::FormatSettings &fs, TDateTime &out);
bool tryParseTime(const QString &text, const platform::FormatSettings &fs, TDateTime &out);
QString floatText(double v, int precision, const platform::FormatSettings &fs);
bool tryParseFloat(const QString &text, const platform::FormatSettings &fs, double &out);
// The short date format as a QDateTimeEdit display format.
QString qtDateFormat(const QString &windowsPattern, QChar dateSeparator);

// Character a key event types (Ctrl+letter gives its control code); null when none.
QChar typedChar(const QKeyEvent *e);

// Classic 3-D drawing.
void drawClassicButton(QPainter *p, const QRect &r, const QPalette &pal, bool down, bool flat, bool hot);
void drawTriangle(QPainter *p, const QPoint &a, const QPoint &b, const QPoint &c, const QColor &color);
void drawSunkenBorder(QPainter *p, const QRect &r, const QPalette &pal);

// The two built-in spin arrow bitmaps (9 x 6, black triangle on olive).
QImage spinArrowBitmap(bool up);
// A glyph drawn with the colour of its bottom-left pixel transparent.
QPixmap transparentGlyph(const QImage &glyph);

// Older spellings of the grid routines, kept for code written against the editor kit.
constexpr TColor rgb(int r, int g, int b) { return RGBColor(r, g, b); }
inline TColor fromQColor(const QColor &c) { return FromQColor(c); }
inline bool tryEncodeDate(int y, int m, int d, TDateTime &out) { return TryEncodeDate(y, m, d, out); }
inline bool tryEncodeTime(int h, int n, int s, int ms, TDateTime &out) { return TryEncodeTime(h, n, s, ms, out); }
inline QDate dateOf(TDateTime v) { return DateTimeToQDate(v); }
inline QString shortDateText(TDateTime v, const platform::FormatSettings &fs) { return DateToStr(v, fs); }

} // namespace editorkit
