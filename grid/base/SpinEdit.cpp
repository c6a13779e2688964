#include "grid/base/SpinEdit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <limits>

using namespace editorkit;

// ---------------------------------------------------------------- TNovaTimerSpeedButton

TNovaTimerSpeedButton::TNovaTimerSpeedButton(TNsgSpinButton *owner) : SpeedButton(owner), FOwner(owner)
{
    connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
}

TNovaTimerSpeedButton::~TNovaTimerSpeedButton() = default;

void TNovaTimerSpeedButton::SetTimeBtnState(TTimeBtnState s)
{
    FTimeBtnState = s;
    update();
}

void TNovaTimerSpeedButton::SetButtonDirection(TButtonDirection d)
{
    FButtonDirection = d;
    update();
}

void TNovaTimerSpeedButton::SetTransparent(bool v)
{
    FTransparent = v;
    update();
}

void TNovaTimerSpeedButton::Click()
{
    if (OnClick) OnClick(this);
}

void TNovaTimerSpeedButton::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    QAbstractButton::mousePressEvent(e);
    FMouseHeld = true;
    if (FOwner) FOwner->ArrowPressed(this);
    if (FTimeBtnState & timeBtnBit(tbAllowTimer)) {
        if (!FRepeatTimer) {
            FRepeatTimer = createTimer();
            FRepeatTimer->onTimeout = [this] { TimerExpired(); };
        }
        FRepeatTimer->setInterval(400);
        FRepeatTimer->start();
    }
    if (parentWidget()) parentWidget()->update();
}

void TNovaTimerSpeedButton::mouseReleaseEvent(QMouseEvent *e)
{
    FMouseHeld = false;
    if (FRepeatTimer) FRepeatTimer->stop();
    QAbstractButton::mouseReleaseEvent(e);
    if (parentWidget()) parentWidget()->update();
}

void TNovaTimerSpeedButton::TimerExpired()
{
    FRepeatTimer->setInterval(100);
    if (!isDown() || !FMouseHeld) return;
    try {
        Click();
    } catch (...) {
        FRepeatTimer->stop(); // a failing step must not repeat
        throw;
    }
}

void TNovaTimerSpeedButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    const bool down = isDown() || isChecked();
    const QPalette pal = palette();
    if (FOwner && FOwner->ButtonColor != clNone) {
        const TColor c = FOwner->SpeedButtonFill(down, HasMouse());
        if (c != clNone) p.fillRect(r, toQColor(c, pal));
        const int L = 0, T = 0;
        switch (FButtonDirection) {
        case bdLeft: drawTriangle(&p, {L + 5, T + 5}, {L + 3, T + 7}, {L + 5, T + 9}, Qt::black); break;
        case bdRight: drawTriangle(&p, {L + 3, T + 5}, {L + 5, T + 7}, {L + 3, T + 9}, Qt::black); break;
        case bdUp: drawTriangle(&p, {L + 4, T + 4}, {L + 8, T + 4}, {L + 6, T + 2}, Qt::black); break;
        case bdDown: drawTriangle(&p, {L + 4, T + 2}, {L + 8, T + 2}, {L + 6, T + 4}, Qt::black); break;
        }
    } else if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
        // Scroll-arrow frame control.
        drawClassicButton(&p, r, pal, down, Flat(), HasMouse());
        const int o = down ? 1 : 0;
        const int cx = r.width() / 2 + o, cy = r.height() / 2 + o;
        const QColor c = isEnabled() ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Disabled, QPalette::ButtonText);
        if (FButtonDirection == bdLeft) drawTriangle(&p, {cx + 1, cy - 3}, {cx - 2, cy}, {cx + 1, cy + 3}, c);
        else drawTriangle(&p, {cx - 1, cy - 3}, {cx + 2, cy}, {cx - 1, cy + 3}, c);
    } else {
        // Glyph button.
        if (!FTransparent || down || HasMouse()) {
            if (!Flat() || down || HasMouse()) drawClassicButton(&p, r, pal, down, Flat(), HasMouse());
            else p.fillRect(r, pal.brush(QPalette::Button));
        }
        const QPixmap pm = StateGlyph(down);
        if (!pm.isNull()) drawCentredGlyph(&p, r, pm, down);
    }
    if (FTimeBtnState & timeBtnBit(tbFocusRect)) {
        QStyleOptionFocusRect fo;
        fo.initFrom(this);
        fo.rect = r.adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &fo, &p, this);
    }
}

// ---------------------------------------------------------------- TNsgSpinButton

TNsgSpinButton::TNsgSpinButton(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    FUpButton = new TNovaTimerSpeedButton(this);
    FDownButton = new TNovaTimerSpeedButton(this);
    for (TNovaTimerSpeedButton *b : {FUpButton, FDownButton}) {
        b->SetTimeBtnState(timeBtnBit(tbAllowTimer));
        b->OnClick = [this](TNovaTimerSpeedButton *btn) { BtnClick(btn); };
        b->show();
    }
    FUpButton->SetButtonDirection(bdUp);
    FDownButton->SetButtonDirection(bdDown);
    FUpButton->SetGlyph(spinArrowBitmap(true));
    FDownButton->SetGlyph(spinArrowBitmap(false));
    FFocusedButton = FUpButton;
    resize(15, 25);
    AdjustSize();
}

void TNsgSpinButton::SetDirection(TSpinDirection d)
{
    if (d == FDirection) return;
    FDirection = d;
    if (d == spHorizontal) {
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
        resize(20, height());
    } else {
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
        resize(15, height());
    }
    AdjustSize();
}

void TNsgSpinButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FUpButton->SetIsWinXP(v);
    FDownButton->SetIsWinXP(v);
}

QImage TNsgSpinButton::UpGlyph() const { return FUpButton->Glyph(); }
QImage TNsgSpinButton::DownGlyph() const { return FDownButton->Glyph(); }
int TNsgSpinButton::UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
int TNsgSpinButton::DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
void TNsgSpinButton::SetUpNumGlyphs(int n) { FUpButton->SetNumGlyphs(n); }
void TNsgSpinButton::SetDownNumGlyphs(int n) { FDownButton->SetNumGlyphs(n); }

void TNsgSpinButton::SetUpGlyph(const QImage &glyph)
{
    if (glyph.isNull()) {
        FUpButton->SetGlyph(spinArrowBitmap(true));
        FUpButton->SetNumGlyphs(1);
    } else {
        FUpButton->SetGlyph(glyph);
    }
}

void TNsgSpinButton::SetDownGlyph(const QImage &glyph)
{
    if (glyph.isNull()) {
        FDownButton->SetGlyph(spinArrowBitmap(false));
        FDownButton->SetNumGlyphs(1);
    } else {
        FDownButton->SetGlyph(glyph);
    }
}

void TNsgSpinButton::AdjustSize()
{
    if (!FUpButton || !FDownButton) return;
    int W = width();
    const int H = height();
    if (FDirection == spVertical) {
        if (W < 15) W = 15;
        const int upH = H / 2;
        FUpButton->setGeometry(0, 0, W, upH);
        FDownButton->setGeometry(0, upH - 1, W, H - upH + 1);
    } else {
        if (W < 20) W = 20;
        FDownButton->setGeometry(0, 0, W / 2, H);
        FUpButton->setGeometry(W / 2 + 1, 0, W / 2, H);
    }
    if (W != width()) resize(W, H);
}

void TNsgSpinButton::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    AdjustSize();
}

void TNsgSpinButton::SetFocusBtn(TNovaTimerSpeedButton *btn)
{
    if (!TabStop() || btn == FFocusedButton) return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~timeBtnBit(tbFocusRect));
    FFocusedButton = btn;
    if (hasFocus()) FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | timeBtnBit(tbFocusRect));
    update();
}

void TNsgSpinButton::ArrowPressed(TNovaTimerSpeedButton *button)
{
    SetFocusBtn(button);
    if (FFocusControl && FFocusControl->focusPolicy() != Qt::NoFocus && FFocusControl->isEnabled()
        && !FFocusControl->hasFocus())
        FFocusControl->setFocus(Qt::MouseFocusReason);
    else if (TabStop() && !hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

void TNsgSpinButton::BtnClick(TNovaTimerSpeedButton *btn)
{
    if (btn == FUpButton) {
        if (OnUpClick) OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

bool TNsgSpinButton::event(QEvent *e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Up || k->key() == Qt::Key_Down) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void TNsgSpinButton::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Space: FFocusedButton->Click(); break;
    case Qt::Key_Up: SetFocusBtn(FUpButton); FUpButton->Click(); break;
    case Qt::Key_Down: SetFocusBtn(FDownButton); FDownButton->Click(); break;
    default: QWidget::keyPressEvent(e); return;
    }
    e->accept();
}

void TNsgSpinButton::focusInEvent(QFocusEvent *e)
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | timeBtnBit(tbFocusRect));
    QWidget::focusInEvent(e);
}

void TNsgSpinButton::focusOutEvent(QFocusEvent *e)
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~timeBtnBit(tbFocusRect));
    QWidget::focusOutEvent(e);
}

// ---------------------------------------------------------------- TNsgSpinEdit

TNsgSpinEdit::TNsgSpinEdit(QWidget *parent) : TNovaMaskEdit(parent)
{
    FButton = new TNsgSpinButton(this);
    FButton->resize(15, 17);
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](QObject *s) { UpButtonClick(s); };
    FButton->OnDownClick = [this](QObject *s) { DownButtonClick(s); };
    FButton->setCursor(Qt::ArrowCursor);
    FButton->show();
    setText(QStringLiteral("0"));
    resize(121, MinHeight());
    LayoutEdit();
}

TNsgSpinEdit::~TNsgSpinEdit() = default;

// --- geometry

int TNsgSpinEdit::MinHeight() const
{
    const int h = QFontMetrics(font()).height();
    const int s = QFontMetrics(QApplication::font()).height();
    int m = h + qMin(h, s) / 4 + 2;
    if (BorderStyle() == bsSingle) m += 4;
    return m;
}

QRect TNsgSpinEdit::EditRect() const
{
    const QRect c = ClientRect();
    const int m = BorderStyle() == bsSingle ? 0 : 3;
    const int right = c.width() - FButton->width() - 2 - m;
    return QRect(QPoint(c.left() + m, c.top() + m), QPoint(c.left() + right - 1, c.top() + c.height()));
}

void TNsgSpinEdit::LayoutEdit()
{
    if (FButton) PlaceRightButton(FButton, EditRect());
}

// --- values

int TNsgSpinEdit::Value() const
{
    const QString t = text().trimmed();
    if (t.isEmpty()) return 0;
    int v = 0;
    return TryTextToInt(t, v) ? v : FMinValue;
}

// Below the lower limit gives the lower, above the upper the upper; checked in that order, so
// reversed limits never trip an assertion.
template <typename T>
static T clampToLimits(T v, T lo, T hi)
{
    if (lo == hi) return v;
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

void TNsgSpinEdit::SetValue(int v)
{
    v = clampToLimits(v, FMinValue, FMaxValue);
    setText(QString::number(v));
    if (!FEditorEnabled) selectAll();
}

void TNsgSpinEdit::StepValue(qint64 delta)
{
    // Summed in 64 bits: a step past the int range stays at its end instead of wrapping.
    const qint64 next = std::clamp(qint64(Value()) + delta, qint64(std::numeric_limits<int>::min()),
                                   qint64(std::numeric_limits<int>::max()));
    SetValue(int(next));
}

double TNsgSpinEdit::FloatValue() const
{
    double v = 0;
    if (tryParseFloat(text(), platform::FormatSettings::current(), v)) return v;
    return FMinValue;
}

void TNsgSpinEdit::SetFloatValue(double v)
{
    v = clampToLimits(v, FMinFloatValue, FMaxFloatValue);
    setText(floatText(v, FPrecision, platform::FormatSettings::current()));
}

editorkit::TDateTime TNsgSpinEdit::DateValue() const
{
    const QString t = text().trimmed();
    if (t.isEmpty() || t == QLatin1String("0")) return nowValue();
    TDateTime v = 0;
    if (tryParseShortDate(t, platform::FormatSettings::current(), v)) return v;
    return FMinDateValue;
}

double TNsgSpinEdit::ClampDate(double v) const
{
    return clampToLimits(v, FMinDateValue, FMaxDateValue);
}

void TNsgSpinEdit::WriteKeepingCaret(const QString &t)
{
    const int pos = cursorPosition();
    setText(t);
    setCursorPosition(qMin(pos, int(t.size())));
}

void TNsgSpinEdit::SetDateValue(editorkit::TDateTime v)
{
    FDateValue = v;
    if (FLoading) return;
    WriteKeepingCaret(DateToStr(ClampDate(v)));
}

editorkit::TDateTime TNsgSpinEdit::TimeValue() const
{
    TDateTime v = 0;
    if (tryParseTime(text(), platform::FormatSettings::current(), v)) return v;
    return 0;
}

void TNsgSpinEdit::SetTimeValue(editorkit::TDateTime v)
{
    FTimeValue = v;
    if (FLoading) return;
    v = ClampDate(v);
    if (FShowSeconds) {
        WriteKeepingCaret(TimeToStr(v));
        return;
    }
    // h:nn, the hour without a leading zero
    const QTime t = DateTimeToQTime(v);
    WriteKeepingCaret(QString::number(t.hour()) + LocaleTimeSeparator()
                      + QString::number(t.minute()).rightJustified(2, QLatin1Char('0')));
}

void TNsgSpinEdit::SetSpinType(TNsgSpinType t)
{
    FSpinType = t;
    switch (t) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TNsgSpinEdit::SetPrecision(int v)
{
    FPrecision = v;
    if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

void TNsgSpinEdit::SetDirection(TSpinDirection d)
{
    FDirection = d;
    FButton->SetDirection(d);
    resize(width() + 1, height());
    resize(width() - 1, height());
    LayoutEdit();
}

void TNsgSpinEdit::SetEditAlign(TEditAlign a)
{
    FEditAlign = a;
    setAlignment(a == eaRight ? Qt::AlignRight | Qt::AlignVCenter
                 : a == eaCenter ? Qt::AlignHCenter | Qt::AlignVCenter
                                 : Qt::AlignLeft | Qt::AlignVCenter);
}

void TNsgSpinEdit::SetSpinFlat(bool v)
{
    FSpinFlat = v;
    FButton->UpButton()->SetFlat(v);
    FButton->DownButton()->SetFlat(v);
}

void TNsgSpinEdit::SetSpinTransparent(bool v)
{
    FSpinTransparent = v;
    FButton->UpButton()->SetTransparent(v);
    FButton->DownButton()->SetTransparent(v);
    resize(width() + 1, height());
    resize(width() - 1, height());
}

void TNsgSpinEdit::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->SetIsWinXP(v);
}

void TNsgSpinEdit::Loaded()
{
    FLoading = false;
    if (FSpinType == sptDate) SetDateValue(FDateValue);
    if (FSpinType == sptTime) SetTimeValue(FTimeValue);
    SetSpinType(FSpinType);
}

// --- stepping

void TNsgSpinEdit::IncrementValue(bool page)
{
    if (isReadOnly()) {
        beep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: StepValue(FIncrement); break;
    case sptFloat: SetFloatValue(FloatValue() + (page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: StepDate(1); break;
    case sptTime: StepTime(1); break;
    }
}

void TNsgSpinEdit::DecrementValue(bool page)
{
    if (isReadOnly()) {
        beep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: StepValue(-qint64(FIncrement)); break;
    case sptFloat: SetFloatValue(FloatValue() - (page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: StepDate(-1); break;
    case sptTime: StepTime(-1); break;
    }
}

void TNsgSpinEdit::StepDate(int dir)
{
    const platform::FormatSettings fs = platform::FormatSettings::current();
    const QString fmt = fs.shortDateFormat.toUpper();
    const int M = fmt.indexOf(QLatin1Char('M')) + 1;
    const int D = fmt.indexOf(QLatin1Char('D')) + 1;
    FUsDates = M < D;
    const QString t = text();
    const int S = hasSelectedText() ? selectionStart() : cursorPosition();
    const int P1 = t.indexOf(fs.dateSeparator) + 1;
    const int P2 = P1 > 0 ? t.indexOf(fs.dateSeparator, P1) + 1 : 0;
    const int field = S < P1 ? 0 : S < P2 ? 1 : 2;
    enum { Day, Month, Year } kind = field == 2 ? Year : (field == 0) == FUsDates ? Month : Day;
    const TDateTime cur = DateValue();
    const QDate d = DateTimeToQDate(cur);
    QDate target;
    if (kind == Day) target = d.addDays(dir);
    else if (kind == Month) target = d.addMonths(dir); // the day clipped to the target month
    else target = QDate(d.year() + dir, d.month(), d.day());
    TDateTime next = 0;
    // 29 February into a year without it, or a step out of the years 1 to 9999 (whose text
    // would not read back): the value stays.
    if (!target.isValid() || target.year() < 1 || target.year() > 9999
        || !TryEncodeDate(target.year(), target.month(), target.day(), next)) {
        beep();
        return;
    }
    SetDateValue(ComposeDateTime(next, cur));
}

void TNsgSpinEdit::StepTime(int dir)
{
    const platform::FormatSettings fs = platform::FormatSettings::current();
    const QString t = text();
    const int S = hasSelectedText() ? selectionStart() : cursorPosition();
    const int T1 = t.indexOf(fs.timeSeparator) + 1;
    const int T2 = T1 > 0 ? t.indexOf(fs.timeSeparator, T1) + 1 : 0;
    TDateTime step = 0;
    bool ok;
    if (S < T1) ok = TryEncodeTime(FIncrementHours, 0, 0, 0, step);
    else if (FShowSeconds && S >= T2) ok = TryEncodeTime(0, 0, FIncrementSeconds, 0, step);
    else ok = TryEncodeTime(0, FIncrementMinutes, 0, 0, step);
    if (!ok) {
        beep(); // a step of a day or more cannot be shown as a time of day
        return;
    }
    const TDateTime cur = TimeValue();
    TDateTime next;
    if (dir > 0) {
        next = cur + step;
    } else {
        next = cur + 1 - step;
        if (next > 1) next -= 1;
    }
    SetTimeValue(next);
}

void TNsgSpinEdit::UpButtonClick(QObject *) { IncrementValue(false); }
void TNsgSpinEdit::DownButtonClick(QObject *) { DecrementValue(false); }

// --- keys

bool TNsgSpinEdit::IsValidKey(QChar key)
{
    if (key.unicode() == 8) return FEditorEnabled;
    const platform::FormatSettings fs = platform::FormatSettings::current();
    const ushort k = key.unicode();
    bool r = key == fs.decimalSeparator || key == fs.thousandSeparator || key == fs.timeSeparator
             || key == fs.dateSeparator || key.isNumber() || key == QLatin1Char('-') || (k < 32 && k != 13);
    auto sepRule = [&](QChar sep, TNsgSpinType own) {
        if (key == sep && FSpinType != own) {
            const bool alias = key == fs.decimalSeparator || key == fs.thousandSeparator
                               || key == QLatin1Char('-') || key == QLatin1Char('+');
            if (!(alias && (FSpinType == sptNormal || FSpinType == sptFloat))) r = false;
        }
    };
    sepRule(fs.timeSeparator, sptTime);
    sepRule(fs.dateSeparator, sptDate);
    const QString t = text();
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selLen = hasSelectedText() ? int(selectedText().size()) : 0;
    auto inSelection = [&](int idx) { return selLen > 0 && idx >= selStart && idx < selStart + selLen; };
    if (key == QLatin1Char('-')) {
        if (selStart != 0) r = false;
        const int idx = t.indexOf(QLatin1Char('-'));
        if (idx >= 0 && !inSelection(idx)) r = false;
    }
    if (FSpinType == sptNormal && !(key.isNumber() || key == QLatin1Char('-'))) r = false;
    if (FSpinType == sptFloat && k != 27 && k != 13 && k != 8) {
        if (key == fs.thousandSeparator) r = false;
        const int dp = t.indexOf(fs.decimalSeparator);
        if (key == fs.decimalSeparator && dp >= 0 && !inSelection(dp)) r = false;
        if (FPrecision > 0 && dp >= 0) {
            const int P = dp + 1;
            if (selStart >= P && selLen == 0 && r && t.size() >= P + FPrecision) r = false;
        }
    }
    if (FSpinType == sptTime && key == fs.timeSeparator && t.count(fs.timeSeparator) >= 2) r = false;
    if (!FEditorEnabled && k >= 32) r = false;
    return r;
}

bool TNsgSpinEdit::KeyMessage(QKeyEvent *e)
{
    const int k = e->key();
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    switch (k) {
    case Qt::Key_Up: IncrementValue(false); return true;
    case Qt::Key_Down: DecrementValue(false); return true;
    case Qt::Key_PageUp: IncrementValue(true); return true;
    case Qt::Key_PageDown: DecrementValue(true); return true;
    default: return false;
    }
}

void TNsgSpinEdit::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    TNovaMaskEdit::KeyDown(key, shift);
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && FReturnIsTab) {
        key = Qt::Key_Tab;
        QApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
    }
    if (key == Qt::Key_Delete && !FEditorEnabled) key = 0;
}

void TNsgSpinEdit::WMChar(QChar &ch, const QKeyEvent *e)
{
    // The keypad's decimal key types the locale's decimal separator.
    if (FExcelStyleDecimalSeparator && ch == QLatin1Char('.') && (e->modifiers() & Qt::KeypadModifier))
        ch = platform::FormatSettings::current().decimalSeparator;
    KeyPress(ch);
}

void TNsgSpinEdit::KeyPress(QChar &key)
{
    TNovaMaskEdit::KeyPress(key);
    if (key.isNull()) return;
    if (!IsValidKey(key)) {
        key = QChar();
        beep();
    }
}

bool TNsgSpinEdit::SelectAllOnEnter() const
{
    return AutoSelect() && (!(QApplication::mouseButtons() & Qt::LeftButton) || !FEditorEnabled);
}

void TNsgSpinEdit::DoExit()
{
    switch (FSpinType) {
    case sptNormal: {
        const int v = Value();
        if (FMinValue != FMaxValue && (v < FMinValue || v > FMaxValue)) SetValue(v);
        break;
    }
    case sptFloat: {
        const double v = FloatValue();
        if (FMinFloatValue != FMaxFloatValue && (v < FMinFloatValue || v > FMaxFloatValue)) SetFloatValue(v);
        break;
    }
    case sptDate: {
        const TDateTime v = DateValue();
        if (ClampDate(v) != v) SetDateValue(v);
        break;
    }
    case sptTime: {
        const TDateTime v = TimeValue();
        if (ClampDate(v) != v) SetTimeValue(v);
        break;
    }
    }
    TNovaMaskEdit::DoExit();
}
