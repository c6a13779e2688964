// The track bar drop-down. The bar is the one place the number is kept in range: every value set here
// goes through it and comes back clamped. The bar's moves write the edit through SetPlainText, so a
// cancelled close still brings back the text of the last SetText.
#include "dropdown/NovaTrackBarDropDown.h"

#include "dropdown/DropDownForm.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <limits>

TNovaTrackBarDropDown::TNovaTrackBarDropDown(QWidget *AOwner) : TNovaCustomDropDown(AOwner)
{
    CreateDropDownForm();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditType(etNumeric);
    DropDownHeader().SetVisible(false);
    DropDownFooter().SetVisible(false);
    SetForceShadow(true);
    if (FDropDownForm) FDropDownForm->installEventFilter(this);
    setAccessibleName(QStringLiteral("Position"));
}

TNovaTrackBarDropDown::~TNovaTrackBarDropDown()
{
    if (FDropDownForm) FDropDownForm->removeEventFilter(this);
}

void TNovaTrackBarDropDown::CreateDropDownForm()
{
    TNovaCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FTrackBar) {
        FTrackBar = new QSlider(Qt::Horizontal, FDropDownForm);
        FTrackBar->setGeometry(0, 0, FTrackBar->width(), 40);
        FTrackBar->setTickPosition(QSlider::TicksBelow);
        // Keys act through the edit (Up and Down step there), so the bar takes no focus of its own.
        FTrackBar->setFocusPolicy(Qt::NoFocus);
        FTrackBar->setAccessibleName(QStringLiteral("Position"));
        FTrackBar->setRange(FMin, FMax);
        FTrackBar->setValue(FPosition);
        FTrackBar->setPageStep(FPageSize);
        FTrackBar->setTickInterval(FFrequency);
        FTrackBar->installEventFilter(this);
    }
    disconnect(FTrackBar, &QSlider::valueChanged, this, nullptr);
    connect(FTrackBar, &QSlider::valueChanged, this, [this] { TrackChange(); });
}

void TNovaTrackBarDropDown::BeforeDropDown()
{
    TNovaCustomDropDown::BeforeDropDown();
    // Clicking elsewhere closes the pop-up keeping the number the bar shows.
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    if (!FTrackBar) return;
    FTrackBar->setMinimum(FMin);
    FTrackBar->setMaximum(FMax);
    FTrackBar->setValue(FPosition);
    FTrackBar->setPageStep(FPageSize);
    FTrackBar->setTickInterval(FFrequency);
    FTrackBar->resize(width(), FTrackBar->height());
    SetControl(FTrackBar);
}

// ---- values ---------------------------------------------------------------------------------------

void TNovaTrackBarDropDown::TakeBack()
{
    if (!FTrackBar) return;
    FMin = FTrackBar->minimum();
    FMax = FTrackBar->maximum();
    FPosition = FTrackBar->value();
}

void TNovaTrackBarDropDown::SetMin(int Value)
{
    FMin = Value;
    if (FTrackBar) FTrackBar->setMinimum(Value);
    TakeBack();
}

void TNovaTrackBarDropDown::SetMax(int Value)
{
    FMax = Value;
    if (FTrackBar) FTrackBar->setMaximum(Value);
    TakeBack();
}

void TNovaTrackBarDropDown::SetPosition(int Value)
{
    FPosition = Value;
    if (FTrackBar) FTrackBar->setValue(Value);
    TakeBack();
}

void TNovaTrackBarDropDown::SetFrequency(int Value)
{
    FFrequency = Value;
    if (FTrackBar) FTrackBar->setTickInterval(Value);
}

void TNovaTrackBarDropDown::SetPageSize(int Value)
{
    FPageSize = Value;
    if (FTrackBar) FTrackBar->setPageStep(Value);
}

void TNovaTrackBarDropDown::TrackChange()
{
    if (!FTrackBar) return;
    FPosition = FTrackBar->value();
    SetPlainText(QString::number(FPosition));
    FireEvent(OnTrackChange, this);
}

void TNovaTrackBarDropDown::Change()
{
    const bool dropped = FBlockChange; // the notification the base drops once
    TNovaCustomDropDown::Change();
    if (dropped) return;
    // Digits only, with an optional sign: an emptied or foreign text leaves the position as it was,
    // a number beyond the integers counts as the nearest one (the bar clamps it to its range).
    bool ok = false;
    const qlonglong v = text().trimmed().toLongLong(&ok, 10);
    if (!ok) return;
    const qlonglong lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    SetPosition(int(std::clamp(v, lo, hi)));
}

// ---- keys and mouse -------------------------------------------------------------------------------

void TNovaTrackBarDropDown::keyPressEvent(QKeyEvent *e)
{
    TNovaCustomDropDown::keyPressEvent(e);
    const bool alt = (e->modifiers() & Qt::AltModifier)
                     || (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);
    if (FEditorEnabled || alt) return;
    if (e->key() == Qt::Key_Up && FPosition - FFrequency >= FMin) SetPosition(FPosition - FFrequency);
    else if (e->key() == Qt::Key_Down && FPosition + FFrequency <= FMax) SetPosition(FPosition + FFrequency);
}

void TNovaTrackBarDropDown::mousePressEvent(QMouseEvent *e)
{
    TNovaCustomDropDown::mousePressEvent(e);
    if (e->button() != Qt::LeftButton || !FDropDownEnabled || FEditorEnabled) return;
    FMouseX = int(e->position().x());
    FMouseDraging = true;
}

void TNovaTrackBarDropDown::DragTo(int X)
{
    // A page size of 0 or less makes no step.
    if (!FMouseDraging || !FDropDownEnabled || FEditorEnabled || FPageSize <= 0) return;
    const int step = (X - FMouseX) / FPageSize; // toward zero: moves shorter than a page are dropped
    FMouseX = X;
    if (step != 0) SetPosition(FPosition + step);
}

void TNovaTrackBarDropDown::mouseMoveEvent(QMouseEvent *e)
{
    TNovaCustomDropDown::mouseMoveEvent(e);
    DragTo(int(e->position().x()));
}

void TNovaTrackBarDropDown::mouseReleaseEvent(QMouseEvent *e)
{
    TNovaCustomDropDown::mouseReleaseEvent(e);
    FMouseDraging = false;
}

bool TNovaTrackBarDropDown::eventFilter(QObject *watched, QEvent *e)
{
    if (FMouseDraging && (watched == FDropDownForm || watched == FTrackBar)) {
        if (e->type() == QEvent::MouseMove) {
            auto *m = static_cast<QMouseEvent *>(e);
            DragTo(mapFromGlobal(m->globalPosition()).toPoint().x());
        } else if (e->type() == QEvent::MouseButtonRelease || e->type() == QEvent::Hide) {
            FMouseDraging = false;
        }
    }
    return TNovaCustomDropDown::eventFilter(watched, e);
}
