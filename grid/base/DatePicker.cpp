#include "grid/base/DatePicker.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <cmath>
#include <qdrawutil.h>

#include "grid/base/Theme.h"

using namespace editorkit;

namespace {

// A picker display format (d, M, y, h, H, m, s, t) as a QDateTimeEdit format.
QString pickerToQtFormat(const QString &f)
{
    QString out;
    for (int i = 0; i < f.size();) {
        const QChar c = f.at(i);
        if (c == QLatin1Char('\'')) {
            const int end = f.indexOf(QLatin1Char('\''), i + 1);
            out += f.mid(i, end < 0 ? -1 : end - i + 1);
            if (end < 0) break;
            i = end + 1;
            continue;
        }
        int run = 1;
        while (i + run < f.size() && f.at(i + run) == c) ++run;
        switch (c.unicode()) {
        case 'd': out += QString(qMin(run, 4), QLatin1Char('d')); break;
        case 'M': out += QString(qMin(run, 4), QLatin1Char('M')); break;
        case 'y': out += run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case 'h': out += QString(qMin(run, 2), QLatin1Char('h')); break;
        case 'H': out += QString(qMin(run, 2), QLatin1Char('H')); break;
        case 'm': out += QString(qMin(run, 2), QLatin1Char('m')); break;
        case 's': out += QString(qMin(run, 2), QLatin1Char('s')); break;
        case 't': out += QStringLiteral("AP"); break;
        default:
            if (c.isLetter()) out += QLatin1Char('\'') + QString(run, c) + QLatin1Char('\'');
            else out += QString(run, c);
        }
        i += run;
    }
    return out;
}

} // namespace

TNsgDateTimePicker::TNsgDateTimePicker(QWidget *parent) : QDateTimeEdit(parent)
{
    setMouseTracking(true);
    setMinimumDateTime(QDateTime(QDate(100, 1, 1), QTime(0, 0)));
    FIsThemed = IsComCtl6OrLater();
    FIsWinXP = IsWindowsXPOrLater();
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 2;
    FCalendarWatch.OnShow = [this] {
        if (OnDropDown) OnDropDown(this);
        update();
    };
    FCalendarWatch.OnHide = [this] {
        update();
        if (OnCloseUp) OnCloseUp(this);
    };
    FValue = nowValue();
    setDateTime(DateTimeToQDateTime(FValue));
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime &v) {
        if (FSettingValue) return;
        const QDateTimeEdit::Sections shown = displayedSections();
        const QDate d = (shown & QDateTimeEdit::DateSections_Mask) ? v.date() : DateTimeToQDate(FValue);
        const QTime t = (shown & QDateTimeEdit::TimeSections_Mask) ? v.time() : DateTimeToQTime(FValue);
        FValue = encodeDateTime(d, t);
        Change();
    });
    SetDateMode(dmComboBox);
    ApplyFormat();
    resize(186, sizeHint().height());
}

// --- platform picker

void TNsgDateTimePicker::SetKind(TDateTimeKind k)
{
    FKind = k;
    if (k == dtkTime) setCalendarPopup(false);
    else SetDateMode(FDateMode);
    ApplyFormat();
}

void TNsgDateTimePicker::SetDateMode(TDTDateMode m)
{
    FDateMode = m;
    setCalendarPopup(m == dmComboBox && FKind == dtkDate);
    if (calendarPopup()) WatchCalendar();
}

void TNsgDateTimePicker::SetFormat(const QString &f)
{
    FFormat = f;
    ApplyFormat();
}

void TNsgDateTimePicker::ApplyFormat()
{
    const platform::FormatSettings fs = platform::FormatSettings::current();
    QString qf;
    if (!FFormat.isEmpty()) qf = pickerToQtFormat(FFormat);
    else if (FKind == dtkDate) qf = qtDateFormat(fs.shortDateFormat, fs.dateSeparator);
    else qf = QStringLiteral("HH:mm:ss").replace(QLatin1Char(':'), fs.timeSeparator);
    FSettingValue = true;
    setDisplayFormat(qf);
    setDateTime(DateTimeToQDateTime(FValue));
    FSettingValue = false;
}

editorkit::TDateTime TNsgDateTimePicker::DateTime() const { return FValue; }

void TNsgDateTimePicker::SetPickerDateTime(editorkit::TDateTime v)
{
    FValue = v;
    FSettingValue = true;
    setDateTime(DateTimeToQDateTime(v));
    FSettingValue = false;
}

editorkit::TDateTime TNsgDateTimePicker::Date() const { return std::trunc(DateTime()); }
editorkit::TDateTime TNsgDateTimePicker::Time() const { return QTimeToDateTime(DateTimeToQTime(DateTime())); }

void TNsgDateTimePicker::SetTime(editorkit::TDateTime t)
{
    SetPickerDateTime(ComposeDateTime(FValue, t));
}

bool TNsgDateTimePicker::DroppedDown() const
{
    return calendarPopup() && calendarWidget() && calendarWidget()->window()->isVisible();
}

void TNsgDateTimePicker::DropDown()
{
    if (!calendarPopup() || DroppedDown() || !isEnabled()) return;
    // The platform control opens its calendar on a press on its arrow.
    QStyleOptionComboBox opt;
    opt.initFrom(this);
    opt.editable = true;
    opt.subControls = QStyle::SC_All;
    const QPoint at = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(mapToGlobal(at)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QDateTimeEdit::mousePressEvent(&press);
}

void TNsgDateTimePicker::WatchCalendar()
{
    QCalendarWidget *cw = calendarWidget();
    if (!cw) return;
    FCalendarWatch.Watch(cw->window());
}

void TNsgDateTimePicker::SetCtl3D(bool v)
{
    FCtl3D = v;
    setFrame(v);
    update();
}

void TNsgDateTimePicker::SetBorderStyle(TBorderStyle s)
{
    if (s == FBorderStyle) return;
    FBorderStyle = s;
    update();
}

void TNsgDateTimePicker::SetBorderColor(TColor c)
{
    if (c == FBorderColor) return;
    FBorderColor = c;
    update();
}

void TNsgDateTimePicker::SetMetroStyle(bool v)
{
    if (v == FMetroStyle) return;
    FMetroStyle = v;
    update();
}

void TNsgDateTimePicker::SetColor(TColor c)
{
    FColor = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(c, QApplication::palette()));
    setPalette(pal);
}

// --- painting

QRect TNsgDateTimePicker::ButtonRect() const
{
    return QRect(width() - FButtonWidth + 2, 0, FButtonWidth - 2, height()).adjusted(1, 1, -1, -1);
}

QColor TNsgDateTimePicker::OuterBorderColor() const
{
    if (FBorderStyle == bsNone && parentWidget()) return parentBackground(this);
    if (FIsThemed) return QColor(127, 157, 185);
    return toQColor(FBorderColor, palette());
}

void TNsgDateTimePicker::DrawOuterBorder(QPainter &p)
{
    const int W = width(), H = height();
    p.setPen(OuterBorderColor());
    const QPoint outer[] = {{0, H}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}};
    p.drawPolyline(outer, 5);
    if (parentWidget()) {
        p.setPen(parentBackground(this));
        const QPoint inner[] = {{1, H - 2}, {1, 1}, {W - 1, 1}};
        p.drawPolyline(inner, 3);
    }
}

void TNsgDateTimePicker::DrawButton(QPainter &p)
{
    const QRect br = ButtonRect();
    const QPalette pal = palette();
    const bool mouseDown = QApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
    // Our button replaces the platform's arrow area.
    QStyleOptionComboBox opt;
    opt.initFrom(this);
    opt.editable = true;
    opt.subControls = QStyle::SC_All;
    const QRect arrow = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, this);
    const int clearFrom = qMin(width() - FButtonWidth - 4, arrow.left() - 2);
    p.fillRect(QRect(QPoint(clearFrom, 1), QPoint(width() - 2, height() - 2)), toQColor(FColor, pal));
    if (ButtonColor != clNone) {
        drawDropArrowFace(p, br.adjusted(2, 0, 0, 0), br.left(), br.topLeft() + QPoint(5, 7),
                          DropButtonFill(FPointer.overButton, mouseDown), ButtonBorderColor, DropButtonText(mouseDown), pal);
    } else {
        // Classic combo arrow, flat while enabled (no themed drawing on this platform).
        drawClassicButton(&p, br, pal, mouseDown && DroppedDown(), isEnabled(), false);
        drawComboArrow(&p, br, pal, isEnabled());
    }
}

void TNsgDateTimePicker::DrawFrame(QPainter &p)
{
    if (!MetroLook()) return;
    if (isEnabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    const QPalette pal = palette();
    const bool hot = FPointer.inControl || FHasFocus;
    ColourFrame f;
    f.enabled = isEnabled();
    f.themed = FIsThemed;
    f.disabledBorder = FDisabledBorder;
    f.hasFocus = FHasFocus;
    f.hot = hot;
    f.focusBorder = FFocusBorder;
    f.borderColor = FBorderColor;
    f.focusBorderColor = FFocusBorderColor;
    f.color = FColor;
    f.innerRight = width() - FButtonWidth - 1;
    drawColourFrame(p, this, f);
    if (!(FIsWinXP && IsThemeActive()) && FKind == dtkDate && ButtonColor == clNone) {
        const QRect face = QRect(QPoint(width() - FButtonWidth - 2, 0), QPoint(width() - 1, height() - 1)).adjusted(2, 2, -2, -2);
        if (hot) {
            if (DroppedDown()) qDrawShadePanel(&p, face, pal, false, 1);
            else qDrawWinButton(&p, face, pal, false, nullptr);
        } else {
            p.fillRect(face.adjusted(0, 1, -1, -1), pal.color(QPalette::Button));
            drawComboArrow(&p, face, pal, isEnabled());
        }
    }
}

void TNsgDateTimePicker::PaintOwnLook(QPainter &p)
{
    if (!FCtl3D && FBorderColor != clNone) DrawOuterBorder(p);
    if (!MetroLook()) return;
    if (IsWindowsVistaOrLater() && FKind == dtkDate) DrawButton(p);
    DrawFrame(p);
}

void TNsgDateTimePicker::paintEvent(QPaintEvent *e)
{
    QDateTimeEdit::paintEvent(e);
    QPainter p(this);
    PaintOwnLook(p);
}

// --- focus and pointer

void TNsgDateTimePicker::focusInEvent(QFocusEvent *e)
{
    QDateTimeEdit::focusInEvent(e);
    FHasFocus = true;
    update();
    DoEnter();
}

void TNsgDateTimePicker::focusOutEvent(QFocusEvent *e)
{
    QDateTimeEdit::focusOutEvent(e);
    if (FCalendarWatch.FocusGoesToPopup(e)) return;
    FHasFocus = false;
    update();
    DoExit();
}

void TNsgDateTimePicker::enterEvent(QEnterEvent *e)
{
    QDateTimeEdit::enterEvent(e);
    if (!FPointer.Enter(isEnabled())) return;
    update();
}

void TNsgDateTimePicker::leaveEvent(QEvent *e)
{
    QDateTimeEdit::leaveEvent(e);
    FPointer.Leave(isEnabled());
    update();
}

void TNsgDateTimePicker::mouseMoveEvent(QMouseEvent *e)
{
    QDateTimeEdit::mouseMoveEvent(e);
    if (FPointer.Move(int(e->position().x()), width(), FButtonWidth)) update();
}

// --- keys

bool TNsgDateTimePicker::WantSpecialKey(int, Qt::KeyboardModifiers) { return false; }

bool TNsgDateTimePicker::event(QEvent *e)
{
    if (QKeyEvent *k = tabKeyPress(e); k && WantSpecialKey(k->key(), k->modifiers())) {
        keyPressEvent(k);
        return true;
    }
    return QDateTimeEdit::event(e);
}

void TNsgDateTimePicker::keyPressEvent(QKeyEvent *e)
{
    const int k = e->key();
    int key = k;
    KeyDown(key, e->modifiers());
    if (key == 0 && k != 0) {
        e->accept();
        return;
    }
    QChar ch = typedChar(e);
    if (!ch.isNull()) {
        KeyPress(ch);
        if (ch.isNull()) {
            e->accept();
            return;
        }
    }
    const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
    if (calendarPopup() && ((plain && key == Qt::Key_F4) || (key == Qt::Key_Down && (e->modifiers() & Qt::AltModifier)))) {
        DropDown();
        e->accept();
        return;
    }
    if (plain && (key == Qt::Key_Right || key == Qt::Key_Left)) {
        // Left and Right move between the fields, as in the platform's picker.
        const int i = currentSectionIndex() + (key == Qt::Key_Right ? 1 : -1);
        if (i >= 0 && i < sectionCount()) setSelectedSection(sectionAt(i));
        e->accept();
        return;
    }
    const int before = currentSectionIndex();
    if (key != k) {
        QKeyEvent other(QEvent::KeyPress, key, e->modifiers());
        QDateTimeEdit::keyPressEvent(&other);
    } else {
        QDateTimeEdit::keyPressEvent(e);
    }
    // A completed field keeps the input; moving on is the caller's choice (AutoTab).
    if (ch.isDigit() && currentSectionIndex() != before && before >= 0) setSelectedSection(sectionAt(before));
}

void TNsgDateTimePicker::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TNsgDateTimePicker::KeyPress(QChar &key)
{
    if (OnKeyPress) OnKeyPress(this, key);
}

void TNsgDateTimePicker::Change()
{
    if (OnChange) OnChange(this);
}

void TNsgDateTimePicker::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TNsgDateTimePicker::DoExit()
{
    if (OnExit) OnExit(this);
}

// ---------------------------------------------------------------- TCustomDateTimePicker

TCustomDateTimePicker::TCustomDateTimePicker(QWidget *parent) : TNsgDateTimePicker(parent)
{
    SetCtl3D(false);
    SetBorderColor(clBlack);
}

int TCustomDateTimePicker::ShiftFocusEventType()
{
    static const int type = QEvent::registerEventType();
    return type;
}

void TCustomDateTimePicker::SetBorderStyle(TBorderStyle s)
{
    if (s == BorderStyle()) return;
    TNsgDateTimePicker::SetBorderStyle(s);
    update();
}

void TCustomDateTimePicker::PaintOwnLook(QPainter &p)
{
    if (!Ctl3D()) DrawOuterBorder(p);
    if (MetroLook()) {
        if (IsWindowsVistaOrLater() && Kind() == dtkDate) DrawButton(p);
        DrawFrame(p);
    }
    if (!Ctl3D()) {
        const int W = width(), H = height();
        const QColor c = OuterBorderColor();
        p.setPen(c);
        const QPoint outer[] = {{0, H}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}};
        p.drawPolyline(outer, 5);
        if (IsWindowsVistaOrLater() && !IsThemeActive()) {
            const QPoint inner[] = {{1, H}, {1, 1}, {W - 2, 1}, {W - 2, H - 2}, {0, H - 2}};
            p.drawPolyline(inner, 5);
        }
    }
}

void TCustomDateTimePicker::RememberBeforeDigit()
{
    const QTime t = DateTimeToQTime(DateTime());
    Fh = quint16(t.hour());
    Fm = quint16(t.minute());
    Fs = quint16(t.second());
    Fms = quint16(t.msec());
}

void TCustomDateTimePicker::keyPressEvent(QKeyEvent *e)
{
    const QChar ch = typedChar(e);
    if (FAutoTab && ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
        RememberBeforeDigit();
        TNsgDateTimePicker::keyPressEvent(e);
        QApplication::postEvent(this, new QEvent(QEvent::Type(ShiftFocusEventType())));
        return;
    }
    TNsgDateTimePicker::keyPressEvent(e);
}

bool TCustomDateTimePicker::event(QEvent *e)
{
    if (e->type() == ShiftFocusEventType()) {
        AdvanceDateField();
        return true;
    }
    return TNsgDateTimePicker::event(e);
}

void TCustomDateTimePicker::PostRightArrow()
{
    QApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
}

void TCustomDateTimePicker::AdvanceDateField()
{
    if (Kind() != dtkTime) return;
    const QTime t = DateTimeToQTime(DateTime());
    if (t.hour() != Fh || t.minute() != Fm || t.second() != Fs) PostRightArrow();
}
