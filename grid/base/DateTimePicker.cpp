#include "grid/base/DateTimePicker.h"

#include <QApplication>
#include <QMouseEvent>

#include "grid/base/Theme.h"

using namespace editorkit;

namespace {

// Whole days plus hours, minutes and seconds: the milliseconds dropped.
TDateTime withoutMilliseconds(TDateTime v)
{
    const QTime t = DateTimeToQTime(v);
    return encodeDateTime(DateTimeToQDate(v), QTime(t.hour(), t.minute(), t.second()));
}

} // namespace

TNovaDateTimePicker::TNovaDateTimePicker(QWidget *parent) : TCustomDateTimePicker(parent), TLabelledControl(this, 4)
{
    SetCtl3D(true);
    SetBorderStyle(bsSingle);
    FFocusTimer = createTimer();
    FFocusTimer->setInterval(20);
    FFocusTimer->onTimeout = [this] { FFocusTimer->stop(); };
    FLastDate = TNsgDateTimePicker::DateTime();
    TNsgDateTimePicker::SetKind(dtkDate);
    CreateTimePicker();
    UpdateTimePicker();
}

TNovaDateTimePicker::~TNovaDateTimePicker() = default;

// --- kind and values

void TNovaDateTimePicker::SetKind(TNovaDateTimeKind k)
{
    if (k == FKind) return;
    FKind = k;
    TNsgDateTimePicker::SetKind(k == dkTime ? dtkTime : dtkDate);
    if (k == dkTime && !FTimeFormat.isEmpty()) SetFormat(FTimeFormat);
    if (k == dkDateTime) CreateTimePicker();
    UpdateTimePicker();
}

TDateTime TNovaDateTimePicker::GetDateTime() const
{
    const TDateTime own = TNsgDateTimePicker::DateTime();
    if (!FTimePicker) return own;
    return ComposeDateTime(own, FTimePicker->DateTime());
}

void TNovaDateTimePicker::SetDateTime(TDateTime v)
{
    const TDateTime value = withoutMilliseconds(v);
    SetPickerDateTime(value);
    FLastDate = value;
    if (FKind == dkDateTime) CreateTimePicker();
    if (FTimePicker) FTimePicker->SetPickerDateTime(value);
}

TDateTime TNovaDateTimePicker::Date() const { return TNsgDateTimePicker::Date(); }

void TNovaDateTimePicker::SetDate(TDateTime v)
{
    SetDateTime(ComposeDateTime(v, GetDateTime()));
}

TDateTime TNovaDateTimePicker::Time() const
{
    if (FKind == dkDateTime && FTimePicker) return FTimePicker->Time();
    return TNsgDateTimePicker::Time();
}

void TNovaDateTimePicker::SetTime(TDateTime v)
{
    TNsgDateTimePicker::SetTime(v);
    UpdateTimePicker();
}

void TNovaDateTimePicker::SetTimeFormat(const QString &f)
{
    if (FTimePicker) FTimePicker->SetFormat(f);
    if (FKind == dkTime) SetFormat(f);
    FTimeFormat = f;
    UpdateTimePicker();
}

void TNovaDateTimePicker::SetBorderStyle(TBorderStyle s)
{
    TCustomDateTimePicker::SetBorderStyle(s);
    UpdateTimePicker();
}

void TNovaDateTimePicker::SetAutoTab(bool v)
{
    TCustomDateTimePicker::SetAutoTab(v);
    if (FTimePicker) FTimePicker->SetAutoTab(v);
}

void TNovaDateTimePicker::SetPickerColor(TColor c)
{
    SetColor(c);
    UpdateTimePicker();
}

// --- the companion time picker

void TNovaDateTimePicker::CreateTimePicker()
{
    if (FKind != dkDateTime || FTimePicker) return;
    auto *tp = new TCustomDateTimePicker(this);
    tp->resize(90, 17);
    tp->hide();
    tp->setEnabled(isEnabled());
    tp->SetKind(dtkTime);
    tp->SetAutoTab(AutoTab());
    tp->OnChange = [this](QObject *) {
        DoChange();
        if (OnTimeChange) OnTimeChange(this);
    };
    tp->OnKeyPress = [](QObject *, QChar &) {};
    // The picker's key handling also sees the keys typed in the time part.
    tp->OnKeyDown = [this](QObject *, int &key, Qt::KeyboardModifiers shift) { KeyDown(key, shift); };
    tp->installEventFilter(this);
    FTimePicker = tp;
}

void TNovaDateTimePicker::TimePartEnabledByCheck()
{
    if (FTimePicker) FTimePicker->setEnabled(isEnabled() && (!ShowCheckbox() || Checked()));
}

void TNovaDateTimePicker::UpdateTimePicker()
{
    if (!FTimePicker || FUpdating) return;
    FUpdating = true;
    TCustomDateTimePicker *tp = FTimePicker;
    if (tp->parentWidget() != this) tp->setParent(this);
    tp->SetColor(Color());
    TimePartEnabledByCheck();
    const bool vis = FKind == dkDateTime;
    tp->setVisible(vis);
    tp->SetPickerDateTime(TNsgDateTimePicker::DateTime());
    tp->SetFormat(FTimeFormat);
    tp->setFont(font());
    if (vis || FLoading) {
        const int a = QFontMetrics(font()).horizontalAdvance(tp->text()) + 31;
        const int b = 0; // no bevel edges on this platform
        const int W = width(), H = height();
        QRect r;
        const bool vista = IsWindowsVistaOrLater(), cc6 = IsComCtl6OrLater(), themed = IsThemeActive();
        if (vista && cc6 && themed && MetroLook()) r = QRect(W - a - b - 21, 1, a, H - b - 2);
        else if (vista && cc6 && themed) r = QRect(W - a - b - 34, 1, a, H - b - 2);
        else if (vista && cc6) r = QRect(W - a - b - 21, 2, a, H - b - 4);
        else if (vista) r = QRect(W - a - b - 23, -2, a, H - b);
        else r = QRect(W - a - 21, -2, a, H);
        // The table counts inside the border; keep the part within it.
        const int off = Ctl3D() && BorderStyle() == bsSingle ? 2 : 0;
        const QRect inner = rect().adjusted(off, off, -off, -off);
        tp->setGeometry(r.translated(off, off).intersected(inner));
    } else {
        FTimePicker = nullptr;
        delete tp;
    }
    FUpdating = false;
}

void TNovaDateTimePicker::AdvanceDateField()
{
    if (FKind == dkTime) {
        TCustomDateTimePicker::AdvanceDateField();
        return;
    }
    const QDate d = DateTimeToQDate(GetDateTime());
    const bool dc = d.day() != Fd, mc = d.month() != FmDate, yc = d.year() != Fy;
    const QString f = Format();
    if (!f.isEmpty()) {
        const QChar last = f.back().toLower();
        if ((dc && last == QLatin1Char('d')) || (mc && last == QLatin1Char('m')) || (yc && last == QLatin1Char('y'))) {
            if (FTimePicker) FTimePicker->setFocus(Qt::OtherFocusReason);
        } else if (dc || mc || yc) {
            PostRightArrow();
        }
    } else if (dc || mc) {
        PostRightArrow();
    } else if (yc && FTimePicker) {
        FTimePicker->setFocus(Qt::OtherFocusReason);
    }
}

void TNovaDateTimePicker::RememberBeforeDigit()
{
    const QDate d = DateTimeToQDate(GetDateTime());
    Fy = quint16(d.year());
    FmDate = quint16(d.month());
    Fd = quint16(d.day());
    if (TNsgDateTimePicker::Kind() == dtkTime) TCustomDateTimePicker::RememberBeforeDigit();
}

// --- events

void TNovaDateTimePicker::Change()
{
    const TDateTime now = TNsgDateTimePicker::DateTime();
    if (ShowCheckbox()) {
        const QDate before = DateTimeToQDate(FLastDate), after = DateTimeToQDate(now);
        if (before.year() != after.year()) Fpt = {80, 5};
        else if (before.month() != after.month()) Fpt = {46, 5};
        else if (before.day() != after.day()) Fpt = {28, 5};
        FFocusTimer->start();
        if (!FIgnoreTimePickerCheck) TimePartEnabledByCheck();
        FIgnoreTimePickerCheck = false;
    }
    FLastDate = now;
    DoChange();
}

void TNovaDateTimePicker::DoChange()
{
    if (OnChange) OnChange(this);
}

void TNovaDateTimePicker::DoClick()
{
    if (OnClick) OnClick(this);
}

void TNovaDateTimePicker::mousePressEvent(QMouseEvent *e)
{
    TCustomDateTimePicker::mousePressEvent(e);
    DoClick();
}

bool TNovaDateTimePicker::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == FTimePicker && e->type() == QEvent::MouseButtonPress) DoClick();
    return TCustomDateTimePicker::eventFilter(watched, e);
}

void TNovaDateTimePicker::DoEnter()
{
    if (FFocusLabel && !FLoading) UpdateLabel();
    TCustomDateTimePicker::DoEnter();
}

void TNovaDateTimePicker::DoExit()
{
    if (FFocusLabel && !FLoading) UpdateLabel();
    TCustomDateTimePicker::DoExit();
}

void TNovaDateTimePicker::changeEvent(QEvent *e)
{
    TCustomDateTimePicker::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        TimePartEnabledByCheck();
        LabelFollowEnabled(isEnabled());
        break;
    case QEvent::FontChange:
        if (AttachedLabel() && !testAttribute(Qt::WA_SetFont)) AttachedLabel()->setFont(font());
        UpdateTimePicker();
        break;
    case QEvent::PaletteChange: UpdateTimePicker(); break;
    case QEvent::ParentChange:
        LabelFollowParent();
        UpdateLabel();
        break;
    default: break;
    }
}

void TNovaDateTimePicker::moveEvent(QMoveEvent *e)
{
    TCustomDateTimePicker::moveEvent(e);
    UpdateLabel();
}

void TNovaDateTimePicker::resizeEvent(QResizeEvent *e)
{
    TCustomDateTimePicker::resizeEvent(e);
    UpdateTimePicker();
    UpdateLabel();
}

void TNovaDateTimePicker::paintEvent(QPaintEvent *e)
{
    if (FFirstRun) {
        FFirstRun = false;
        UpdateTimePicker();
    }
    TCustomDateTimePicker::paintEvent(e);
}

void TNovaDateTimePicker::setVisible(bool visible)
{
    TCustomDateTimePicker::setVisible(visible);
    LabelFollowVisible(visible);
}

void TNovaDateTimePicker::Loaded()
{
    FLoading = false;
    CreateTimePicker();
    UpdateTimePicker();
    if (ShowCheckbox() && !Checked() && FTimePicker) FTimePicker->setEnabled(false);
    LabelFollowEnabled(isEnabled());
    FParentFnt = !testAttribute(Qt::WA_SetFont);
    UpdateLabel();
}

// --- label

void TNovaDateTimePicker::UpdateLabel()
{
    QFont f = FParentFnt && !testAttribute(Qt::WA_SetFont) ? font() : FLabelFont;
    f.setBold(FFocusLabel && HasFocus());
    PlaceAttachedLabel(&f);
}

void TNovaDateTimePicker::LabelClicked()
{
    if (OnLabelClick) OnLabelClick(this);
}

void TNovaDateTimePicker::LabelDblClicked()
{
    if (OnLabelDblClick) OnLabelDblClick(this);
}
