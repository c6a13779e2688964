// The time picker. Its text is always written by code and read back, so Time never holds more than
// the text shows. Keys in the open pop-up go to the watch; Page Up, Page Down, Up and Down reach the
// edit only with Alt (which opens and closes). A cancelled close leaves the time of the opening.
#include "dropdown/NovaTimePickerDropDown.h"

#include "dropdown/DropDownForm.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QChar timeSeparator()
{
    return platform::FormatSettings::current().timeSeparator;
}

// Hands the time edit's keys to its drop-down first; the time edit then takes them itself.
class TimeEditKeys : public QObject {
public:
    TimeEditKeys(std::function<void(int &, Qt::KeyboardModifiers)> down,
                 std::function<void(int &, Qt::KeyboardModifiers)> up, std::function<void(QChar &)> press)
        : m_down(std::move(down)), m_up(std::move(up)), m_press(std::move(press))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
            return QObject::eventFilter(watched, e);
        auto *k = static_cast<QKeyEvent *>(e);
        int key = k->key();
        QPointer<QObject> alive(watched);
        if (e->type() == QEvent::KeyRelease) {
            m_up(key, k->modifiers());
        } else {
            m_down(key, k->modifiers());
            QChar ch = editorkit::typedChar(k);
            if (!ch.isNull() && alive)
                m_press(ch);
        }
        // The time edit's own handling, without handing an unused key on to the panel around it.
        if (alive && key != 0)
            watched->event(e);
        return true;
    }

private:
    std::function<void(int &, Qt::KeyboardModifiers)> m_down, m_up;
    std::function<void(QChar &)> m_press;
};

} // namespace

QString TwoDigits(int Value)
{
    return Value < 10 && Value >= 0 ? QStringLiteral("0") + QString::number(Value) : QString::number(Value);
}

QString FormatTimeText(int Hour, int Minute, int Second, bool ShowSeconds)
{
    const QChar sep = timeSeparator();
    QString t = TwoDigits(Hour) + sep + TwoDigits(Minute);
    if (ShowSeconds)
        t += sep + TwoDigits(Second);
    return t;
}

bool IsTimeText(const QString &Text, QChar Separator, bool ShowSeconds)
{
    const int first = int(Text.indexOf(Separator));
    if (first < 0)
        return false;
    const QString rest = Text.mid(first + 1).trimmed();
    const int second = int(rest.indexOf(Separator));
    if (ShowSeconds != (second >= 0))
        return false;
    return second < 0 || !rest.mid(second + 1).contains(Separator);
}

QString BlanksToZeros(const QString &Text)
{
    QString t = Text;
    t.replace(QLatin1Char(' '), QLatin1Char('0'));
    return t;
}

bool IsTimeDigits(const QString &Text)
{
    auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (Text.isEmpty())
        return true;
    return digit(Text.at(0)) && (Text.size() < 2 || digit(Text.at(1)));
}

// ---- Construction -------------------------------------------------------------------------------

TNovaTimePickerDropDown::TNovaTimePickerDropDown(QWidget *AOwner)
    : TNovaCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>())
{
    // The base's constructor gave its look before the watch appearance existed.
    ApplyWatchComponentStyle(*FWatchAppearance, GetComponentStyle());
    FWatchAppearance->OnChange = [](QObject *) {};
    CreateDropDownForm();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    {
        const QScopedValueRollback<bool> internal(FInternalCall, true);
        SetMask();
        SetPlainText(FormatTimeText(0, 0, 0, true));
    }
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    setAccessibleName(QStringLiteral("Time"));
}

TNovaTimePickerDropDown::~TNovaTimePickerDropDown()
{
    if (FDateTimePicker && FTimePickerKeys)
        FDateTimePicker->removeEventFilter(FTimePickerKeys.get());
}

void TNovaTimePickerDropDown::SetMask()
{
    // The platform's mask syntax: ":" stands for the locale's time separator.
    SetEditMask(FShowSeconds ? QStringLiteral("!90:00:00;1; ") : QStringLiteral("!90:00;1; "));
}

void TNovaTimePickerDropDown::CreateDropDownForm()
{
    TNovaCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm)
        return;
    if (!FPanelCtrl) {
        auto *panel = new QWidget(FDropDownForm);
        panel->setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        FPanelCtrl = panel;
    }
    FPanelCtrl->setGeometry(0, 0, FPanelCtrl->width(), 180);
    if (!FNovaWatch) {
        FNovaWatch = new TNovaWatch(FPanelCtrl);
        static_cast<QVBoxLayout *>(FPanelCtrl->layout())->insertWidget(0, FNovaWatch, 1);
    }
    SetControl(FPanelCtrl);
}

void TNovaTimePickerDropDown::CreateTimePicker()
{
    if (FDateTimePicker || !FPanelCtrl)
        return;
    FDateTimePicker = new QTimeEdit(FPanelCtrl);
    FDateTimePicker->setAccessibleName(QStringLiteral("Time of day"));
    FPanelCtrl->layout()->addWidget(FDateTimePicker);
    connect(FDateTimePicker, &QTimeEdit::timeChanged, this, [this] { TimePickerChange(); });
    FTimePickerKeys = std::make_unique<TimeEditKeys>(
        [this](int &Key, Qt::KeyboardModifiers Shift) { TimePickerKeyDown(Key, Shift); },
        [this](int &Key, Qt::KeyboardModifiers Shift) { TimePickerKeyUp(Key, Shift); },
        [this](QChar &Key) { TimePickerKeyPress(Key); });
    FDateTimePicker->installEventFilter(FTimePickerKeys.get());
}

// ---- Opening and closing ------------------------------------------------------------------------

void TNovaTimePickerDropDown::BeforeDropDown()
{
    TNovaCustomDropDown::BeforeDropDown();
    if (!FPanelCtrl || !FNovaWatch)
        return;
    FPanelCtrl->resize(170, 170);
    if (FDropDownForm)
        FDropDownForm->SetCancelOnDeActivate(false);
    QPalette pal = FPanelCtrl->palette();
    pal.setColor(QPalette::Window, editorkit::toQColor(FDropDownColor, pal));
    FPanelCtrl->setPalette(pal);
    TNovaWatch &watch = *FNovaWatch;
    watch.SetAppearance(*FWatchAppearance);
    watch.SetSettings(*FWatchSettings);
    watch.SetShowAMPM(FShowWatchAMPM);
    watch.SetShowNumbers(FShowWatchNumbers);
    watch.SetAnimation(FAnimation);
    watch.SetAnimationFactor(FAnimationFactor);
    watch.OnChange = nullptr;
    if (!FWatchSettings->Auto())
        watch.SetTime(FTime);
    watch.OnChange = [this](QObject *) { WatchChange(); };
    // What a cancelled close brings back: the time shown now.
    FOldText = EditText();
    if (!FShowTimePicker) {
        if (FDateTimePicker)
            FDateTimePicker->hide();
        return;
    }
    CreateTimePicker();
    {
        const QSignalBlocker quiet(FDateTimePicker.data());
        FDateTimePicker->show();
        const TClockTime f = DecodeClockTime(FTime);
        FDateTimePicker->setTime(QTime(f.h, f.m, f.s));
        FDateTimePicker->raise();
    }
    FDateTimePicker->setDisplayFormat(FShowSeconds ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    FPanelCtrl->resize(170, FDateTimePicker->sizeHint().height() + 170);
}

void TNovaTimePickerDropDown::DoHideDropDown(bool Cancel)
{
    const bool open = FDropDownForm && (FDropDownForm->isVisible() || FDroppedDown);
    {
        const QScopedValueRollback<bool> cancel(FCancelClose, Cancel && open);
        // Cancelled, the base writes back the text of the opening, which is read back.
        TNovaCustomDropDown::DoHideDropDown(Cancel);
    }
    if (!open || !FNovaWatch)
        return;
    if (Cancel)
        FNovaWatch->SetTime(FTime);
    else
        SetTime(FNovaWatch->Time());
}

void TNovaTimePickerDropDown::DropDownHidden()
{
    TNovaCustomDropDown::DropDownHidden();
    if (FNovaWatch && !FCancelClose)
        SetTime(FNovaWatch->Time());
}

// ---- Time ---------------------------------------------------------------------------------------

void TNovaTimePickerDropDown::SetTime(TDateTime Value)
{
    if (Value == FTime)
        return;
    FTime = Value;
    const TClockTime f = DecodeClockTime(Value);
    const QString text = FormatTimeText(f.h, f.m, f.s, FShowSeconds);
    if (EditText() == text)
        Change(); // the same text: read back all the same
    else
        SetPlainText(text);
    if (!FDroppedDown)
        return;
    if (FNovaWatch)
        FNovaWatch->SetTime(Value);
    if (FShowTimePicker && FDateTimePicker) {
        const QSignalBlocker quiet(FDateTimePicker.data());
        FDateTimePicker->setTime(QTime(f.h, f.m, f.s));
    }
}

void TNovaTimePickerDropDown::ReplaceField(int Field, int Value)
{
    TClockTime f = DecodeClockTime(FTime);
    int *field = Field == 0 ? &f.h : Field == 1 ? &f.m : &f.s;
    const int limit = Field == 0 ? 23 : 59;
    if (Value == *field || Value < 0 || Value > limit)
        return;
    *field = Value;
    SetTime(EncodeTime(f.h, f.m, f.s, f.ms));
    FireEvent(OnTimeChange, this);
}

void TNovaTimePickerDropDown::SetTimeHour(int Value) { ReplaceField(0, Value); }

void TNovaTimePickerDropDown::SetTimeMinute(int Value) { ReplaceField(1, Value); }

void TNovaTimePickerDropDown::SetTimeSecond(int Value) { ReplaceField(2, Value); }

void TNovaTimePickerDropDown::SetShowSeconds(bool Value)
{
    if (Value == FShowSeconds)
        return;
    FShowSeconds = Value;
    const TDateTime kept = FTime;
    {
        const QScopedValueRollback<bool> internal(FInternalCall, true);
        SetText(QString());
        SetMask();
    }
    FTime = kept + 1; // so that the kept time is written again
    SetTime(kept);
}

void TNovaTimePickerDropDown::WatchChange()
{
    if (!FNovaWatch)
        return;
    const TClockTime w = DecodeClockTime(FNovaWatch->Time());
    if (FDateTimePicker && !FDateTimePicker->isHidden() && FDateTimePicker->time() != QTime(w.h, w.m, w.s)) {
        {
            const QSignalBlocker quiet(FDateTimePicker.data());
            FDateTimePicker->setTime(QTime(w.h, w.m, w.s));
        }
        FireEvent(OnTimeChange, this);
    }
    SetTime(FNovaWatch->Time());
}

void TNovaTimePickerDropDown::TimePickerChange()
{
    if (FNovaWatch && FDateTimePicker && !FWatchSettings->Auto())
        FNovaWatch->SetTime(QTimeToDateTime(FDateTimePicker->time()));
}

// ---- Typed times --------------------------------------------------------------------------------

void TNovaTimePickerDropDown::Change()
{
    TNovaCustomDropDown::Change();
    const QString shown = EditText();
    if (shown.isEmpty() || FInternalCall)
        return;
    if (shown.trimmed().size() != (FShowSeconds ? 8 : 5))
        return;
    const QChar sep = timeSeparator();
    if (!IsTimeText(shown, sep, FShowSeconds))
        return;
    const QString t = BlanksToZeros(shown);
    const int first = int(t.indexOf(sep));
    const QString hourText = t.left(first).trimmed();
    if (!IsTimeDigits(hourText))
        return;
    const QString rest = t.mid(first + 1).trimmed();
    const int second = FShowSeconds ? int(rest.indexOf(sep)) : -1;
    const QString minuteText = FShowSeconds ? rest.left(second).trimmed() : rest;
    if (!IsTimeDigits(minuteText))
        return;
    QString secondText;
    if (FShowSeconds) {
        secondText = rest.mid(second + 1).trimmed();
        if (!IsTimeDigits(secondText))
            return;
    }
    const int h = hourText.toInt(), m = minuteText.toInt(), s = secondText.toInt();
    TDateTime time = 0;
    // A time the mask lets through but no day has (25:00, 10:75) is ignored: Time keeps its value.
    if (!TryEncodeTime(h, m, s, 0, time))
        return;
    FTime = time;
    const QString formatted = FormatTimeText(h, m, s, FShowSeconds);
    if (formatted != shown && m == 0 && s == 0) {
        const QScopedValueRollback<bool> internal(FInternalCall, true);
        SetText(formatted);
    }
}

void TNovaTimePickerDropDown::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    TNovaCustomDropDown::KeyDown(Key, Shift);
    if (Key != Qt::Key_Up && Key != Qt::Key_Down)
        return;
    const bool alt = (Shift & Qt::AltModifier) || (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);
    if (alt || (Shift & Qt::ControlModifier))
        return;
    const int p = hasSelectedText() ? selectionStart() : cursorPosition();
    const QString t = EditText();
    const QChar sep = timeSeparator();
    const int s1 = int(t.indexOf(sep)) + 1;
    const int s2 = int(t.mid(s1).indexOf(sep)) + 1;
    const int field = p < s1 ? 0 : (FShowSeconds && p - s1 >= s2 ? 2 : 1);
    const TClockTime f = DecodeClockTime(FTime);
    const int value = field == 0 ? f.h : field == 1 ? f.m : f.s;
    const int count = field == 0 ? 24 : 60;
    const int next = (value + (Key == Qt::Key_Down ? 1 : count - 1)) % count;
    ReplaceField(field, next);
    setCursorPosition(p);
    Key = 0; // the caret stays where it was
}

// ---- Keys of the pop-up -------------------------------------------------------------------------

bool TNovaTimePickerDropDown::ForEdit(int Key, bool Alt)
{
    const bool moving = Key == Qt::Key_PageUp || Key == Qt::Key_PageDown || Key == Qt::Key_Up || Key == Qt::Key_Down;
    return !moving || Alt;
}

void TNovaTimePickerDropDown::FormKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if (ForEdit(Key, Shift & Qt::AltModifier))
        TNovaCustomDropDown::FormKeyDown(Key, Shift);
    if (FDropDownForm && FDropDownForm->isVisible() && FNovaWatch)
        FNovaWatch->WatchKeyDown(Key);
}

void TNovaTimePickerDropDown::FormKeyUp(int &Key, Qt::KeyboardModifiers Shift)
{
    if (ForEdit(Key, Shift & Qt::AltModifier))
        TNovaCustomDropDown::FormKeyUp(Key, Shift);
}

void TNovaTimePickerDropDown::ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if (ForEdit(Key, Shift & Qt::AltModifier))
        TNovaCustomDropDown::ControlKeyDown(Key, Shift);
}

void TNovaTimePickerDropDown::ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift)
{
    if (ForEdit(Key, Shift & Qt::AltModifier))
        TNovaCustomDropDown::ControlKeyUp(Key, Shift);
}

void TNovaTimePickerDropDown::ControlKeyPress(QChar &Key)
{
    // The characters whose codes are those of the four keys follow the same rule.
    const ushort c = Key.unicode();
    const bool moving = c == 33 || c == 34 || c == 38 || c == 40;
    if (!moving || (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier))
        TNovaCustomDropDown::ControlKeyPress(Key);
}

void TNovaTimePickerDropDown::TimePickerKeyDown(int &Key, Qt::KeyboardModifiers Shift) { ControlKeyDown(Key, Shift); }

void TNovaTimePickerDropDown::TimePickerKeyUp(int &Key, Qt::KeyboardModifiers Shift) { ControlKeyUp(Key, Shift); }

void TNovaTimePickerDropDown::TimePickerKeyPress(QChar &Key) { ControlKeyPress(Key); }

// ---- Looks --------------------------------------------------------------------------------------

void TNovaTimePickerDropDown::SetComponentStyle(TNovaStyle Style)
{
    TNovaCustomDropDown::SetComponentStyle(Style);
    if (FWatchAppearance)
        ApplyWatchComponentStyle(*FWatchAppearance, Style);
}
