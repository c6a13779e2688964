#include "grid/base/ComboEditor.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <qdrawutil.h>

#include "grid/base/Theme.h"

using namespace editorkit;

TNsgCustomCombo::TNsgCustomCombo(QWidget *parent) : QComboBox(parent), TLabelledControl(this, 4)
{
    setMouseTracking(true);
    setMaxVisibleItems(8);
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 2;
    FIsThemed = IsComCtl6OrLater();
    connect(this, &QComboBox::activated, this, [this] {
        Change();
        if (OnSelect) OnSelect(this);
    });
    SetStyle(csDropDown);
    SetColor(clWindow);
    resize(145, sizeHint().height());
    Init();
}

TNsgCustomCombo::~TNsgCustomCombo() = default;

// --- platform combo properties

void TNsgCustomCombo::SetStyle(TComboStyle s)
{
    FStyle = s;
    const bool editable = s == csDropDown || s == csSimple;
    if (editable != isEditable()) setEditable(editable);
    QLineEdit *le = lineEdit();
    if (le && le != FWiredEdit) {
        FWiredEdit = le;
        le->installEventFilter(this);
        le->setMouseTracking(true);
        connect(le, &QLineEdit::textEdited, this, [this] {
            ApplyCharCase();
            Change();
        });
    }
    SetAutoComplete(FAutoComplete);
    PlaceEditor();
    update();
}

QStringList TNsgCustomCombo::Items() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i) out << itemText(i);
    return out;
}

void TNsgCustomCombo::SetItems(const QStringList &items)
{
    const QString t = currentText();
    clear();
    addItems(items);
    if (isEditable()) setEditText(t);
}

void TNsgCustomCombo::SetText(const QString &t)
{
    if (isEditable()) setEditText(InCharCase(t));
    else setCurrentIndex(findText(t, Qt::MatchFixedString));
}

QString TNsgCustomCombo::InCharCase(const QString &t) const
{
    // Character by character, so the text keeps its length and the caret its place.
    QString out = t;
    for (QChar &c : out) c = FCharCase == ecUpperCase ? c.toUpper() : FCharCase == ecLowerCase ? c.toLower() : c;
    return out;
}

void TNsgCustomCombo::ApplyCharCase()
{
    QLineEdit *le = lineEdit();
    if (!le || FCharCase == ecNormal) return;
    const QString cased = InCharCase(le->text());
    if (cased == le->text()) return;
    const int pos = le->cursorPosition();
    le->setText(cased);
    le->setCursorPosition(pos);
}

void TNsgCustomCombo::SetCharCase(TEditCharCase c)
{
    FCharCase = c;
    ApplyCharCase();
}

namespace {
// Rows of one fixed height, when the combo asks for one.
class TComboRowDelegate : public QStyledItemDelegate {
public:
    TComboRowDelegate(int height, QObject *parent) : QStyledItemDelegate(parent), m_height(height) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_height};
    }

private:
    int m_height;
};
} // namespace

int TNsgCustomCombo::ItemHeight() const
{
    if (FItemHeight > 0) return FItemHeight;
    return view() && count() > 0 ? view()->sizeHintForRow(0) : fontMetrics().height();
}

void TNsgCustomCombo::SetItemHeight(int h)
{
    if (h == FItemHeight) return;
    FItemHeight = h > 0 ? h : 0;
    if (view()) {
        QAbstractItemDelegate *old = view()->itemDelegate();
        view()->setItemDelegate(FItemHeight > 0 ? new TComboRowDelegate(FItemHeight, view())
                                                : new QStyledItemDelegate(view()));
        if (old && old->parent() == view()) old->deleteLater();
    }
}

bool TNsgCustomCombo::DroppedDown() const
{
    return view() && view()->isVisible();
}

void TNsgCustomCombo::SetAutoComplete(bool v)
{
    FAutoComplete = v;
    if (!isEditable()) return;
    if (v) {
        auto *c = new QCompleter(model(), this);
        c->setCompletionMode(QCompleter::InlineCompletion);
        c->setCaseSensitivity(Qt::CaseInsensitive);
        setCompleter(c);
    } else {
        setCompleter(nullptr);
    }
}

void TNsgCustomCombo::SelectItem(const QString &text)
{
    const int i = findText(text, Qt::MatchFixedString);
    if (i >= 0) setCurrentIndex(i);
}

void TNsgCustomCombo::Init()
{
    FNormalColor = FColor;
}

// --- own look properties

void TNsgCustomCombo::SetBorderColor(TColor c)
{
    FBorderColor = c;
    PlaceEditor();
    update();
}

void TNsgCustomCombo::SetButtonWidth(int w)
{
    if (w < 14 || w > 32) return;
    FButtonWidth = w;
    PlaceEditor();
    update();
}

void TNsgCustomCombo::SetDisabledBorder(bool v)
{
    FDisabledBorder = v;
    update();
}

void TNsgCustomCombo::SetFlat(bool v)
{
    if (v == FFlat) return;
    FFlat = v;
    if (v && FFlatParentColor && parentWidget()) ApplyColor(FromQColor(parentBackground(this)));
    else ApplyColor(FLoadedColor);
    PlaceEditor();
    update();
}

void TNsgCustomCombo::SetFlatLineColor(TColor c)
{
    FFlatLineColor = c;
    update();
}

void TNsgCustomCombo::SetFlatParentColor(bool v)
{
    FFlatParentColor = v;
    update();
}

void TNsgCustomCombo::SetEtched(bool v)
{
    FEtched = v;
    update();
}

void TNsgCustomCombo::SetDropWidth(int w)
{
    FDropWidth = w;
    if (w > 0 && view()) view()->setMinimumWidth(w);
}

void TNsgCustomCombo::ApplyColor(TColor c)
{
    FColor = c;
    QPalette pal = palette();
    const QColor qc = toQColor(c, QApplication::palette());
    pal.setColor(QPalette::Base, qc);
    if (!isEditable()) pal.setColor(QPalette::Button, qc);
    setPalette(pal);
    if (QLineEdit *le = lineEdit()) {
        QPalette lp = le->palette();
        lp.setColor(QPalette::Base, qc);
        le->setPalette(lp);
    }
}

void TNsgCustomCombo::SetColor(TColor c)
{
    if (FLoading) FLoadedColor = c;
    ApplyColor(c);
}

void TNsgCustomCombo::setVisible(bool visible)
{
    QComboBox::setVisible(visible);
    LabelFollowVisible(visible);
}

// --- label

void TNsgCustomCombo::UpdateLabel()
{
    QFont f = FLabelFont;
    if (FFocusLabel && FHasFocus) f.setBold(true);
    PlaceAttachedLabel(testAttribute(Qt::WA_SetFont) ? &f : nullptr);
}

// --- loading

void TNsgCustomCombo::Loaded()
{
    FLoading = false;
    if (FDropWidth > 0) SetDropWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!FFlatParentColor || FFlat) ApplyColor(FLoadedColor);
    LabelFollowEnabled(isEnabled());
    if (AttachedLabel() && !testAttribute(Qt::WA_SetFont)) AttachedLabel()->setFont(font());
    UpdateLabel();
    Init();
}

// --- geometry and painting

QRect TNsgCustomCombo::ButtonRect() const
{
    return QRect(width() - FButtonWidth + 2, 0, FButtonWidth - 2, height()).adjusted(1, 1, -1, -1);
}

bool TNsgCustomCombo::OwnPainting() const
{
    if (FIsVista && ButtonColor == clNone) return false;
    return FFlat || ButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus)
           || (!isEnabled() && FIsThemed && IsThemeActive() && !FDisabledBorder);
}

void TNsgCustomCombo::PlaceEditor()
{
    QLineEdit *le = lineEdit();
    if (!le || !OwnPainting()) return;
    const int right = FStyle == csSimple ? width() - 3 : width() - FButtonWidth - 4;
    le->setGeometry(QRect(QPoint(3, 3), QPoint(right - 1, height() - 4)));
}

void TNsgCustomCombo::resizeEvent(QResizeEvent *e)
{
    QComboBox::resizeEvent(e);
    PlaceEditor();
    UpdateLabel();
}

void TNsgCustomCombo::moveEvent(QMoveEvent *e)
{
    QComboBox::moveEvent(e);
    UpdateLabel();
}

void TNsgCustomCombo::DrawButton(QPainter &p)
{
    const QRect br = ButtonRect();
    const bool mouseDown = QApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
    const QPalette pal = palette();
    if (ButtonColor == clNone) {
        // Themed drawing is not available here: the classic combo arrow, flat while enabled.
        const QRect r = br.adjusted(-4, 1, 0, -1);
        const bool pushed = mouseDown && DroppedDown();
        drawClassicButton(&p, r, pal, pushed, isEnabled(), false);
        drawComboArrow(&p, r, pal, isEnabled(), pushed ? 1 : 0);
    } else {
        const QRect r = br.adjusted(-1, 1, -1, -1);
        drawDropArrowFace(p, r, r.left(), r.topLeft() + QPoint(4, 7), DropButtonFill(FPointer.overButton, mouseDown),
                          ButtonBorderColor, DropButtonText(mouseDown), pal);
    }
}

void TNsgCustomCombo::DrawBorders(QPainter &p)
{
    if (isEnabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    if (FIsVista && FBorderColor == clNone) return;
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
    if (FStyle != csSimple) f.innerRight = width() - FButtonWidth - 1;
    if (drawColourFrame(p, this, f) && FFlat && FFlatLineColor != clNone) {
        p.setPen(toQColor(FFlatLineColor, pal));
        p.drawLine(QPoint(0, height() - 1), QPoint(width() - FButtonWidth, height() - 1));
    }
    if (FStyle != csSimple && !(FIsWinXP && IsThemeActive()) && !hot && ButtonColor == clNone) {
        // Not hot: the button shows as a flat face.
        const QRect face = QRect(width() - FButtonWidth, 2, FButtonWidth - 2, height() - 4);
        p.fillRect(face, pal.color(QPalette::Button));
        drawComboArrow(&p, face, pal, isEnabled());
    }
}

void TNsgCustomCombo::paintEvent(QPaintEvent *e)
{
    if (!OwnPainting()) {
        QComboBox::paintEvent(e);
        if (FIsVista && FBorderColor != clNone) {
            QPainter p(this);
            DrawBorders(p);
        }
        return;
    }
    QPainter p(this);
    const QPalette pal = palette();
    p.fillRect(rect(), toQColor(FColor, pal));
    const bool ltr = layoutDirection() == Qt::LeftToRight;
    if (FStyle != csSimple && ltr) DrawButton(p);
    if (!isEditable()) {
        // The list style shows the selected text; highlighted while focused and closed.
        const int right = width() - FButtonWidth - 4;
        QRect tr(QPoint(3, 3), QPoint(right - 1, height() - 4));
        const bool sel = hasFocus() && !DroppedDown();
        if (sel) p.fillRect(tr, pal.color(QPalette::Highlight));
        p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                           sel ? QPalette::HighlightedText : QPalette::Text));
        p.setClipRect(tr);
        p.drawText(tr.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, currentText());
        p.setClipping(false);
    }
    if (ltr) {
        // The 3-D edge stays unless the flat look replaces it; colour frames draw over it.
        if (!FFlat) qDrawWinPanel(&p, rect(), pal, true, nullptr);
        DrawBorders(p);
    }
}

// --- focus, pointer, state

void TNsgCustomCombo::focusInEvent(QFocusEvent *e)
{
    QComboBox::focusInEvent(e);
    FHasFocus = true;
    if (FFocusColor != clNone) ApplyColor(FFocusColor);
    if (FFocusLabel) UpdateLabel();
    PlaceEditor();
    update();
    DoEnter();
}

void TNsgCustomCombo::focusOutEvent(QFocusEvent *e)
{
    QComboBox::focusOutEvent(e);
    // Dropping the list down hands the focus to the list itself, not always as a pop-up focus.
    if (view()) FListWatch.Watch(view()->window());
    if (FListWatch.FocusGoesToPopup(e)) return;
    FHasFocus = false;
    if (FFocusColor != clNone && FNormalColor != clNone) ApplyColor(FNormalColor);
    if (FFocusLabel) UpdateLabel();
    update();
    DoExit();
}

void TNsgCustomCombo::enterEvent(QEnterEvent *e)
{
    QComboBox::enterEvent(e);
    if (!FPointer.Enter(isEnabled())) return;
    if (FAutoFocus) {
        QWidget *form = window();
        if (!form || form->isActiveWindow()) setFocus(Qt::MouseFocusReason);
    }
    update();
}

void TNsgCustomCombo::leaveEvent(QEvent *e)
{
    QComboBox::leaveEvent(e);
    FPointer.Leave(isEnabled());
    update();
}

void TNsgCustomCombo::mouseMoveEvent(QMouseEvent *e)
{
    QComboBox::mouseMoveEvent(e);
    if (FPointer.Move(int(e->position().x()), width(), FButtonWidth)) update();
}

bool TNsgCustomCombo::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == lineEdit() && e->type() == QEvent::MouseMove && FPointer.overButton) {
        FPointer.overButton = false;
        update();
    }
    return QComboBox::eventFilter(watched, e);
}

void TNsgCustomCombo::changeEvent(QEvent *e)
{
    QComboBox::changeEvent(e);
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (!FLoading) {
            if (FFlat) {
                if (!isEnabled()) {
                    FOldParentColor = FParentColor;
                    FOldColor = FColor;
                    FParentColor = true;
                    ApplyColor(FromQColor(parentBackground(this)));
                } else {
                    FParentColor = FOldParentColor;
                    ApplyColor(FOldColor);
                }
            }
            LabelFollowEnabled(isEnabled());
            UpdateLabel();
        }
        update();
        break;
    case QEvent::FontChange:
        if (AttachedLabel() && !testAttribute(Qt::WA_SetFont)) {
            AttachedLabel()->setFont(font());
            UpdateLabel();
        }
        break;
    case QEvent::ParentChange:
        LabelFollowParent();
        UpdateLabel();
        break;
    default: break;
    }
}

void TNsgCustomCombo::showPopup()
{
    if (OnDropDown) OnDropDown(this);
    if (FDropWidth > 0 && view()) view()->setMinimumWidth(FDropWidth);
    QComboBox::showPopup();
    update(ButtonRect());
}

void TNsgCustomCombo::hidePopup()
{
    QComboBox::hidePopup();
    update(ButtonRect());
    if (OnDropUp) OnDropUp(this);
}

// --- keys

bool TNsgCustomCombo::WantSpecialKey(int, Qt::KeyboardModifiers) { return false; }

bool TNsgCustomCombo::event(QEvent *e)
{
    if (QKeyEvent *k = tabKeyPress(e); k && WantSpecialKey(k->key(), k->modifiers())) {
        keyPressEvent(k);
        return true;
    }
    return QComboBox::event(e);
}

void TNsgCustomCombo::keyPressEvent(QKeyEvent *e)
{
    const int k = e->key();
    int key = k;
    KeyDown(key, e->modifiers());
    if (key == 0 && k != 0) {
        e->accept();
        return;
    }
    if (key != k) {
        QKeyEvent other(QEvent::KeyPress, key, e->modifiers());
        QComboBox::keyPressEvent(&other);
        return;
    }
    QChar ch = typedChar(e);
    if (!ch.isNull()) {
        const QChar typed = ch;
        KeyPress(ch);
        if (!ch.isNull() && isEditable()) ch = InCharCase(QString(ch)).at(0);
        if (ch.isNull()) {
            e->accept();
            return;
        }
        if (ch != typed) {
            QKeyEvent other(QEvent::KeyPress, 0, e->modifiers(), QString(ch));
            QComboBox::keyPressEvent(&other);
            return;
        }
    }
    QComboBox::keyPressEvent(e);
}

void TNsgCustomCombo::keyReleaseEvent(QKeyEvent *e)
{
    int key = e->key();
    KeyUp(key, e->modifiers());
    if (key != 0) QComboBox::keyReleaseEvent(e);
}

void TNsgCustomCombo::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TNsgCustomCombo::KeyPress(QChar &key)
{
    if (OnKeyPress) OnKeyPress(this, key);
}

void TNsgCustomCombo::KeyUp(int &key, Qt::KeyboardModifiers shift)
{
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TNsgCustomCombo::Change()
{
    if (OnChange) OnChange(this);
}

void TNsgCustomCombo::DoEnter()
{
    if (OnEnter) OnEnter(this);
}

void TNsgCustomCombo::DoExit()
{
    if (OnExit) OnExit(this);
}
