#pragma once
// Small shared pieces of the in-place editor controls: colours, date-time values,
// the refusal beep, injectable timers, locale-bound number/date texts and classic drawing.
#include <QAbstractButton>
#include <QChar>
#include <QColor>
#include <QDate>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QTime>
#include <functional>
#include <memory>

#include "platform/Colors.h"
#include "grid/base/NumberDate.h"
#include "platform/FormatSettings.h"

class QPainter;
class QEvent;
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
// The event as a Tab or Backtab key press (which focus navigation would take first); else null.
QKeyEvent *tabKeyPress(QEvent *e);

// The colours of a painted button; clNone: not set.
struct ButtonColors {
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonTextColorDown = clNone;
    TColor ButtonBorderColor = clNone;

    // Speed buttons: down, else hot, else normal (clNone where that one is not set).
    TColor SpeedButtonFill(bool down, bool hot) const;
    // Drop-down buttons: the down colour needs the pointer over the button, black text by default.
    TColor DropButtonFill(bool hover, bool mouseDown) const;
    TColor DropButtonText(bool mouseDown) const;
};

// The platform's flat glyph push button: a strip of 1..4 glyphs, flat look, themed flag and
// hot tracking. Takes no focus.
class SpeedButton : public QAbstractButton {
public:
    explicit SpeedButton(QWidget *parent);

    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    QImage Glyph() const { return FGlyph; }
    void SetGlyph(const QImage &glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int n);
    // The pointer is over the button.
    bool PointerOver() const { return FPointerOver; }

protected:
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    // The glyph of the current state (see glyphForState).
    QPixmap StateGlyph(bool down) const;

private:
    bool FIsWinXP = false;
    bool FFlat = false;
    bool FPointerOver = false;
    QImage FGlyph;
    int FNumGlyphs = 1;
};

// Pointer state of a control with a drop-down button along its right edge.
struct DropButtonPointer {
    bool inControl = false;
    bool overButton = false;
    // True when the pointer has just come in (an enabled control only).
    bool Enter(bool enabled);
    void Leave(bool enabled);
    // Over the button while x lies strictly between width - buttonWidth and width; true on a change.
    bool Move(int x, int width, int buttonWidth);
};

// The colour frame of the combo and the picker: disabled, border colour, focus border colour,
// sunken while hot, else frames in the parent's and the background colour (the inner one up to
// innerRight when that is >= 0). True when that last, plain frame was drawn.
struct ColourFrame {
    bool enabled = true;
    bool themed = false;         // version-6 common controls
    bool disabledBorder = false; // keep the normal frame when disabled
    bool hasFocus = false;
    bool hot = false;            // pointer inside or focused
    bool focusBorder = false;    // sunken frame while hot
    TColor borderColor = clNone;
    TColor focusBorderColor = clNone;
    TColor color = clWindow;     // background
    int innerRight = -1;
};
bool drawColourFrame(QPainter &p, const QWidget *w, const ColourFrame &f);
// 1-pixel rectangle along the inside of r.
void frameRect(QPainter &p, const QRect &r, const QColor &c);
// The colour the parent paints behind a control.
QColor parentBackground(const QWidget *w);

// Classic 3-D drawing.
void drawClassicButton(QPainter *p, const QRect &r, const QPalette &pal, bool down, bool flat, bool hot);
void drawTriangle(QPainter *p, const QPoint &a, const QPoint &b, const QPoint &c, const QColor &color);
void drawSunkenBorder(QPainter *p, const QRect &r, const QPalette &pal);

// The two built-in spin arrow bitmaps (9 x 6, black triangle on olive).
QImage spinArrowBitmap(bool up);
// A glyph drawn with the colour of its bottom-left pixel transparent.
QPixmap transparentGlyph(const QImage &glyph);
// The part of a strip of 1..4 glyphs (up, disabled, down, exclusive) for a button state;
// a strip without a disabled part is greyed by the style.
QPixmap glyphForState(const QImage &glyph, int numGlyphs, bool enabled, bool down, const QWidget *w);
// A glyph centred in r (from its left edge when wider), one pixel lower right when pressed.
void drawCentredGlyph(QPainter *p, const QRect &r, const QPixmap &pm, bool pressed);
// The small arrow of a classic combo button, centred in r, shifted by `offset` when pushed.
void drawComboArrow(QPainter *p, const QRect &r, const QPalette &pal, bool enabled, int offset = 0);
// The face of a drop-down button in colours of its own (the combo, the date picker and the
// drop-down edits): `face` filled, a line down x = lineX over the face's height, and the arrow, a
// triangle 6 pixels wide and 3 deep whose top-left point is arrowAt. A clNone part is skipped.
void drawDropArrowFace(QPainter &p, const QRect &face, int lineX, const QPoint &arrowAt, TColor fill, TColor line,
                       TColor arrow, const QPalette &pal);

} // namespace editorkit
