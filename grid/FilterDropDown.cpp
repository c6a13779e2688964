#include "grid/FilterDropDown.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

void TFilterDropDown::Assign(const TFilterDropDown &Source)
{
    FColor = Source.FColor;
    FColumnWidth = Source.FColumnWidth;
    FFont = Source.FFont;
    FHeight = Source.FHeight;
    FWidth = Source.FWidth;
    SetGlyph(Source.FGlyph);
    SetGlyphActive(Source.FGlyphActive);
}

void TFilterDropDown::SetGlyph(const QImage &Value)
{
    FGlyph = Value;
    FireEvent(OnChange, this);
}

void TFilterDropDown::SetGlyphActive(const QImage &Value)
{
    FGlyphActive = Value;
    FireEvent(OnChange, this);
}

namespace {

// The cancel-mode rule: a press anywhere outside the open list closes it without a choice.
bool pressOutside(QWidget *list, QEvent *e)
{
    if (e->type() != QEvent::MouseButtonPress || !list->isVisible())
        return false;
    const QPoint at = static_cast<QMouseEvent *>(e)->globalPosition().toPoint();
    return !QRect(list->mapToGlobal(QPoint(0, 0)), list->size()).contains(at);
}

void setupList(QListWidget *w)
{
    w->setAutoFillBackground(true);
    w->setFocusPolicy(Qt::StrongFocus);
    w->resize(0, 0);
    w->hide();
}

} // namespace

TDropList::TDropList(QWidget *AParent) : QListWidget(AParent)
{
    setupList(this);
}

void TDropList::keyPressEvent(QKeyEvent *e)
{
    QListWidget::keyPressEvent(e);
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        hide();
        FireEvent(OnSelect, this, currentRow());
    } else if (e->key() == Qt::Key_Escape) {
        hide();
        if (OnCancel)
            OnCancel(this);
    }
}

void TDropList::mouseReleaseEvent(QMouseEvent *e)
{
    QListWidget::mouseReleaseEvent(e);
    hide();
    FireEvent(OnSelect, this, currentRow());
}

bool TDropList::eventFilter(QObject *watched, QEvent *e)
{
    if (pressOutside(this, e)) {
        hide();
        if (OnCancel)
            OnCancel(watched);
    }
    return false;
}

void TDropList::showEvent(QShowEvent *e)
{
    qApp->installEventFilter(this);
    QListWidget::showEvent(e);
}

void TDropList::hideEvent(QHideEvent *e)
{
    qApp->removeEventFilter(this);
    QListWidget::hideEvent(e);
}

TDropCheckList::TDropCheckList(QWidget *AParent) : QListWidget(AParent)
{
    setupList(this);
    // A tick re-applies the whole check state at once.
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem *) {
        if (!FFilling)
            FireEvent(OnSelect, this, -1);
    });
}

bool TDropCheckList::Checked(int Index) const
{
    const QListWidgetItem *it = item(Index);
    return it && it->checkState() == Qt::Checked;
}

void TDropCheckList::SetChecked(int Index, bool Value)
{
    if (QListWidgetItem *it = item(Index))
        it->setCheckState(Value ? Qt::Checked : Qt::Unchecked);
}

bool TDropCheckList::eventFilter(QObject *watched, QEvent *e)
{
    if (pressOutside(this, e)) {
        hide();
        if (OnCancel)
            OnCancel(watched);
    }
    return false;
}

void TDropCheckList::showEvent(QShowEvent *e)
{
    qApp->installEventFilter(this);
    QListWidget::showEvent(e);
}

void TDropCheckList::hideEvent(QHideEvent *e)
{
    qApp->removeEventFilter(this);
    QListWidget::hideEvent(e);
}

TNoActiveForm::TNoActiveForm(QWidget *AOwner)
    : QWidget(AOwner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
}
