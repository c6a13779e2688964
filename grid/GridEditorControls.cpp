#include "grid/GridEditorControls.h"

#include "grid/NovaGrid.h"
#include "grid/NovaInplaceEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <typeinfo>

using namespace editorkit;

TNovaStringGrid *gridOwner(QWidget *AOwner)
{
    auto *g = dynamic_cast<TNovaStringGrid *>(AOwner);
    if (!g) throw std::bad_cast();
    return g;
}

namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
bool isTab(int key) { return key == Qt::Key_Tab || key == Qt::Key_Backtab; }
bool shiftHeld(int key, Qt::KeyboardModifiers shift)
{
    return key == Qt::Key_Backtab || (shift & Qt::ShiftModifier);
}

// Characters of the numeric and float edit-button kinds; null drops, beeping where the rules say.
QChar filterNumberChar(QChar ch, TEditorType kind, const QString &text, int selStart, int selLen,
                       bool ctrl)
{
    const ushort k = ch.unicode();
    const platform::FormatSettings fs = platform::FormatSettings::current();
    auto inSel = [&](int idx) { return selLen > 0 && idx >= selStart && idx < selStart + selLen; };
    const bool isFloat = kind == edFloatEditBtn || kind == edFloatUnitEditBtn;
    const bool candidate = k == 8 || k == 9 || k == 13 || k == 27 || ch.isDigit() || ch == QLatin1Char('-')
                           || (isFloat && (ch == QLatin1Char(',') || ch == QLatin1Char('.')));
    if (!candidate) {
        if (isFloat && ctrl) return ch;
        if (!isFloat) beep();
        return QChar();
    }
    if (ch == QLatin1Char('-')) {
        const int idx = text.indexOf(QLatin1Char('-'));
        if (selStart != 0 || (idx >= 0 && !inSel(idx))) {
            beep();
            return QChar();
        }
        return ch;
    }
    if (isFloat) {
        if (ch == fs.thousandSeparator) return QChar();
        const int dp = text.indexOf(fs.decimalSeparator);
        if (ch == fs.decimalSeparator && dp >= 0 && !inSel(dp)) return QChar();
    }
    return ch;
}

// Tab with goTabs: the editor closes and the grid walks on.
void tabOn(TNovaStringGrid *g, int key, Qt::KeyboardModifiers shift)
{
    const bool back = shiftHeld(key, shift);
    g->HideInplaceEdit();
    g->setFocus();
    g->HandleTabKey(back);
}

} // namespace

// ---------------------------------------------------------------- TGridCheckBox

TGridCheckBox::TGridCheckBox(QWidget *AOwner) : QCheckBox(AOwner), FGrid(gridOwner(AOwner))
{
    hide();
    setEnabled(false);
}

void TGridCheckBox::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) toggle();
    e->accept();
}

void TGridCheckBox::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    if (key == Qt::Key_Space) {
        toggle();
        e->accept();
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        FGrid->HideInplaceEdit();
        FGrid->setFocus();
        if (isEnter(key)) FGrid->AdvanceAfterEdit(FGrid->Col(), FGrid->Row(), false, true, true, false, true);
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            int k = key;
            FGrid->KeyDown(k, e->modifiers());
        }
        e->accept();
        return;
    }
    default: QCheckBox::keyPressEvent(e);
    }
}

void TGridCheckBox::focusOutEvent(QFocusEvent *e)
{
    FGrid->HideInplaceEdit();
    QCheckBox::focusOutEvent(e);
}

// ---------------------------------------------------------------- TGridSpin

TGridSpin::TGridSpin(QWidget *AOwner) : TNsgSpinEdit(AOwner), FGrid(gridOwner(AOwner))
{
    SetMaxValue(100);
    SetMinValue(0);
    SetIncrement(1);
}

void TGridSpin::UpButtonClick(QObject *sender)
{
    TNsgSpinEdit::UpButtonClick(sender);
    DoSpinClick(true);
}

void TGridSpin::DownButtonClick(QObject *sender)
{
    TNsgSpinEdit::DownButtonClick(sender);
    DoSpinClick(false);
}

void TGridSpin::DoSpinClick(bool UpDown)
{
    const int c = FGrid->Col(), r = FGrid->Row();
    switch (SpinType()) {
    case sptNormal: FireEvent(FGrid->OnSpinClick, FGrid, c, r, Value(), UpDown); break;
    case sptFloat: FireEvent(FGrid->OnFloatSpinClick, FGrid, c, r, FloatValue(), UpDown); break;
    case sptDate: FireEvent(FGrid->OnDateSpinClick, FGrid, c, r, DateValue(), UpDown); break;
    case sptTime: FireEvent(FGrid->OnTimeSpinClick, FGrid, c, r, TimeValue(), UpDown); break;
    }
}

bool TGridSpin::KeyMessage(QKeyEvent *e)
{
    // Up and Down end the edit in the grid; PgUp and PgDn are the grid spin's own page keys.
    const int k = e->key();
    if (k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_PageUp || k == Qt::Key_PageDown) return false;
    return TNsgSpinEdit::KeyMessage(e);
}

bool TGridSpin::Commit(bool tab)
{
    FGrid->SetCurrentCell(text());
    if (!FGrid->ValidateCell(text())) {
        setText(FGrid->GetCurrentCell());
        setCursorPosition(text().size());
        update();
        if (!tab) FGrid->FNoAutoAdvance = true;
        return false;
    }
    if (!tab) setText(FGrid->GetCurrentCell());
    return true;
}

void TGridSpin::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    if (SpinType() == sptNormal || SpinType() == sptFloat) {
        // Equal limits are no limits: the page keys step freely, End and Home keep the value.
        const bool normal = SpinType() == sptNormal;
        const bool limited = normal ? MinValue() != MaxValue() : MinFloatValue() != MaxFloatValue();
        switch (key) {
        case Qt::Key_PageUp:
            if (normal) {
                const qint64 v = qint64(Value()) + Increment();
                if (!limited || v <= MaxValue()) SetValue(int(qBound<qint64>(qint64(INT_MIN), v, qint64(INT_MAX))));
            } else if (!limited || FloatValue() + IncrementFloat() <= MaxFloatValue()) {
                SetFloatValue(FloatValue() + IncrementFloat());
            }
            break;
        case Qt::Key_PageDown:
            if (normal) {
                const qint64 v = qint64(Value()) - Increment();
                if (!limited || v >= MinValue()) SetValue(int(qBound<qint64>(qint64(INT_MIN), v, qint64(INT_MAX))));
            } else if (!limited || FloatValue() - IncrementFloat() >= MinFloatValue()) {
                SetFloatValue(FloatValue() - IncrementFloat());
            }
            break;
        case Qt::Key_End:
            if (limited) {
                if (normal) SetValue(MinValue());
                else SetFloatValue(MinFloatValue());
            }
            break;
        case Qt::Key_Home:
            if (limited) {
                if (normal) SetValue(MaxValue());
                else SetFloatValue(MaxFloatValue());
            }
            break;
        default: break;
        }
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Home) {
            FireEvent(FGrid->OnSpinClick, FGrid, FGrid->Col(), FGrid->Row(), Value(), false);
            key = 0;
            return;
        }
    }
    const bool tab = isTab(key);
    if (tab || isEnter(key) || key == Qt::Key_Escape || key == Qt::Key_Up || key == Qt::Key_Down) {
        if (key == Qt::Key_Escape) {
            setText(FGrid->FCellCache);
            if (SpinType() == sptFloat) SetFloatValue(FloatValue());
            else if (SpinType() == sptNormal) SetValue(Value());
        } else if (!Commit(tab)) {
            key = 0;
            return;
        }
        if (tab && FGrid->Options().Contains(goTabs)) {
            tabOn(FGrid, key, shift);
            key = 0;
            return;
        }
        FGrid->DoneInplaceEdit(key, shift);
        if (FGrid->Navigation()->AdvanceOnEnter() && FGrid->Navigation()->AdvanceAutoEdit()) FGrid->ShowInplaceEdit();
        key = 0;
        return;
    }
    TNsgSpinEdit::KeyDown(key, shift);
}

void TGridSpin::WMChar(QChar &ch, const QKeyEvent *e)
{
    if (ch.unicode() == 9 || ch.unicode() == 13) {
        ch = QChar();
        return;
    }
    TNsgSpinEdit::WMChar(ch, e);
}

void TGridSpin::KeyPress(QChar &key)
{
    if (key.unicode() == 27) {
        key = QChar();
        return;
    }
    if (key.unicode() == 13) return;
    TNsgSpinEdit::KeyPress(key);
}

void TGridSpin::Change()
{
    TNsgSpinEdit::Change();
    if (isVisible()) FireEvent(FGrid->OnEditChange, FGrid, FGrid->Col(), FGrid->Row(), text());
}

void TGridSpin::DoExit()
{
    // A value typed but not yet committed is validated before it may reach the cell.
    if (FGrid->MustValidateOnExit(this) && !Commit(true)) {
        FGrid->RefuseExit(this);
        TNsgSpinEdit::DoExit();
        return;
    }
    FGrid->HideInplaceEdit();
    TNsgSpinEdit::DoExit();
}

bool TGridSpin::WantSpecialKey(int key, Qt::KeyboardModifiers)
{
    return isTab(key) && FGrid->Options().Contains(goTabs);
}

// ---------------------------------------------------------------- TGridCombo

TGridCombo::TGridCombo(QWidget *AOwner) : TNsgComboBox(AOwner), FGrid(gridOwner(AOwner))
{
    SetButtonWidth(16);
    hide();
    setEnabled(false);
    // An item taken from the dropped list, by the mouse or by keys in the list, is a choice too.
    connect(this, &QComboBox::activated, this, [this](int i) {
        if (i == FIndexAtDrop || !isVisible()) return;
        FIndexAtDrop = i;
        FIndexBeforeKey = i;
        FireItemChange();
    });
}

void TGridCombo::showPopup()
{
    FIndexAtDrop = currentIndex();
    TNsgComboBox::showPopup();
}

bool TGridCombo::Commit(bool tab)
{
    FGrid->SetCurrentCell(Text());
    if (!FGrid->ValidateCell(Text())) {
        if (Style() == csDropDownList) {
            const int i = findText(FGrid->FNewCellText);
            setCurrentIndex(i);
        } else {
            SetText(FGrid->FNewCellText);
            if (lineEdit()) lineEdit()->selectAll();
        }
        update();
        if (!tab) FGrid->FNoAutoAdvance = true;
        return false;
    }
    const QString cur = FGrid->GetCurrentCell();
    if (Style() == csDropDownList) {
        const int i = findText(cur);
        if (i >= 0) setCurrentIndex(i);
    } else {
        SetText(cur);
    }
    return true;
}

void TGridCombo::Closing(int &key, Qt::KeyboardModifiers shift)
{
    const bool navKey = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Left
                        || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (DroppedDown() || Style() == csDropDownList) {
        TMouseActions *ma = FGrid->MouseActions();
        const bool dcc = ma->DirectComboClose();
        ma->SetDirectComboClose(false);
        if (DroppedDown()) hidePopup();
        FGrid->HideInplaceEdit();
        ma->SetDirectComboClose(dcc);
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            int k = key;
            FGrid->setFocus();
            FGrid->KeyDown(k, shift);
        }
        if (navKey) key = 0;
    } else if (key == Qt::Key_End) {
        return;
    }
    FGrid->DoneInplaceEdit(key, shift);
    if (FGrid->Navigation()->AdvanceOnEnter() && FGrid->Navigation()->AdvanceAutoEdit()) FGrid->ShowInplaceEdit();
    key = 0;
}

void TGridCombo::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    WorkMode = !(key == Qt::Key_Backspace || key == Qt::Key_Delete);
    FIndexBeforeKey = currentIndex();
    const bool listMode = DroppedDown() || Style() == csDropDownList;
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !(shift & Qt::AltModifier)
        && !FGrid->Navigation()->ComboGetUpDown() && !DroppedDown()) {
        FGrid->HideInplaceEdit();
        TNavigation *nav = FGrid->Navigation();
        const bool ae = nav->AlwaysEdit();
        nav->SetAlwaysEdit(false);
        FGrid->setFocus();
        nav->SetAlwaysEdit(ae);
        int k = key;
        FGrid->KeyDown(k, shift);
        key = 0;
        return;
    }
    bool handled;
    if (listMode) {
        handled = isTab(key) || isEnter(key) || key == Qt::Key_Escape || key == Qt::Key_Left || key == Qt::Key_Right;
        // With ComboGetUpDown a list keeps Up and Down for choosing items.
    } else {
        handled = isTab(key) || isEnter(key) || key == Qt::Key_Escape || key == Qt::Key_PageUp
                  || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Up || key == Qt::Key_Down;
    }
    if (shift & Qt::AltModifier) handled = false;
    if (!handled) {
        TNsgComboBox::KeyDown(key, shift);
        return;
    }
    if (key == Qt::Key_Escape) {
        const QString cur = FGrid->GetCurrentCell();
        const int i = findText(cur);
        if (i >= 0) setCurrentIndex(i);
        if (Style() != csDropDownList) SetText(cur);
        if (DroppedDown()) hidePopup();
        FGrid->HideInplaceEdit();
        FGrid->setFocus();
        key = 0;
        return;
    }
    if (isEnter(key) || key == Qt::Key_Up || key == Qt::Key_Down) {
        if (!Commit(false)) {
            key = 0;
            return;
        }
    } else if (isTab(key)) {
        if (!FGrid->WantsTabKey()) {
            TNsgComboBox::KeyDown(key, shift);
            return;
        }
        if (!Commit(true)) {
            key = 0;
            return;
        }
        if (FGrid->Options().Contains(goTabs)) {
            if (DroppedDown()) hidePopup();
            tabOn(FGrid, key, shift);
            key = 0;
            return;
        }
    }
    Closing(key, shift);
}

void TGridCombo::KeyPress(QChar &key)
{
    FireEvent(FGrid->OnKeyPress, this, key);
    const ushort k = key.unicode();
    if (k == 13) FireEvent(OnReturnKey, this);
    if (k == 27 || k == 13 || k == 9) key = QChar();
    TNsgComboBox::KeyPress(key);
}

void TGridCombo::FireItemChange()
{
    const int i = currentIndex();
    const int c = FGrid->RealColIndex(FGrid->Col());
    const QString t = i >= 0 ? itemText(i) : Text();
    FireEvent(FGrid->OnComboChange, FGrid, c, FGrid->Row(), i, t);
    QObject *obj = i >= 0 && i < ItemObjects.size() ? ItemObjects.at(i) : nullptr;
    FireEvent(FGrid->OnComboObjectChange, FGrid, c, FGrid->Row(), i, t, obj);
}

void TGridCombo::KeyUp(int &key, Qt::KeyboardModifiers shift)
{
    if (FIndexBeforeKey != currentIndex() && isVisible()) FireItemChange();
    FIndexBeforeKey = currentIndex();
    const TNavigation *nav = FGrid->Navigation();
    if (Style() != csDropDownList && nav->CursorWalkEditor() && lineEdit()
        && !(shift & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier))
        && (key == Qt::Key_Left || key == Qt::Key_Right) && !lineEdit()->hasSelectedText()) {
        const bool left = key == Qt::Key_Left;
        const int pos = lineEdit()->cursorPosition();
        const int col = FGrid->Col();
        const int span = FGrid->CellSpan(FGrid->RealColIndex(col), FGrid->Row()).X;
        if ((left && pos == 0 && col > FGrid->FixedCols())
            || (!left && pos == Text().size() && col < FGrid->ColCount() - FGrid->FixedRightCols() - 1)) {
            key = 0;
            const int target = left ? col - 1 : col + span + 1;
            if (FGrid->HasClickableGraphic(FGrid->RealColIndex(target), FGrid->Row())) {
                if (FGrid->ValidateCell(Text())) {
                    FGrid->HideInplaceEdit();
                    FGrid->SetCol(target);
                }
            } else {
                FGrid->setFocus();
                FGrid->CaretWalk(left);
            }
        }
    }
    FGrid->FNoAutoAdvance = false;
    if (!isEnter(key)) TNsgComboBox::KeyUp(key, shift);
    DoChange();
}

void TGridCombo::DoChange()
{
    if (!WorkMode || !FGrid->Lookup() || !lineEdit() || Style() == csDropDownList) return;
    QLineEdit *le = lineEdit();
    if (le->hasSelectedText()) return;
    const bool cs = FGrid->LookupCaseSensitive();
    QString prefix = le->text().left(le->cursorPosition());
    if (prefix.isEmpty()) return;
    const QString cmp = cs ? prefix : prefix.toUpper();
    auto match = [&](const QString &entry) { return (cs ? entry : entry.toUpper()).startsWith(cmp); };
    int found = -1;
    QString entry;
    for (int i = 0; i < count(); ++i)
        if (match(itemText(i))) {
            found = i;
            entry = itemText(i);
            break;
        }
    if (found < 0)
        for (const QString &e : FGrid->LookupItems())
            if (match(e)) {
                entry = e;
                break;
            }
    if (entry.isEmpty() && found < 0) return;
    const QString completed = prefix + entry.mid(prefix.size(), 255);
    if (found >= 0) setCurrentIndex(found);
    le->setText(completed);
    le->setSelection(prefix.size(), completed.size() - prefix.size());
}

void TGridCombo::Change()
{
    TNsgComboBox::Change();
    if (isVisible()) FireEvent(FGrid->OnEditChange, FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridCombo::DoExit()
{
    if (FGrid->LookupHistory() && !Text().isEmpty() && findText(Text()) < 0) addItem(Text());
    if (FGrid->MustValidateOnExit(this) && !Commit(true)) {
        FGrid->RefuseExit(this);
        TNsgComboBox::DoExit();
        return;
    }
    FGrid->HideInplaceEdit();
    TNsgComboBox::DoExit();
}

bool TGridCombo::WantSpecialKey(int key, Qt::KeyboardModifiers)
{
    return isTab(key) && FGrid->WantsTabKey();
}

void TGridCombo::wheelEvent(QWheelEvent *e)
{
    // The wheel moves the selection one item, never past either end.
    const int d = e->angleDelta().y();
    int i = currentIndex();
    if (d < 0 && i < count() - 1) ++i;
    else if (d > 0 && i > 0) --i;
    else {
        e->accept();
        return;
    }
    setCurrentIndex(i);
    FireEvent(FGrid->OnEditChange, FGrid, FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), itemText(i));
    FireItemChange();
    e->accept();
}

void TGridCombo::SizeDropDownWidth()
{
    int w = width();
    const QFontMetrics fm(font());
    const bool scroll = count() > DropDownCount();
    for (int i = 0; i < count(); ++i) {
        const int iw = fm.horizontalAdvance(itemText(i));
        if (scroll && iw > w - 25) w = iw + 25;
        else if (!scroll && iw > w - 5) w = iw + 8;
    }
    SetDropWidth(w);
}

// ---------------------------------------------------------------- TGridEditBtn

TGridEditBtn::TGridEditBtn(QWidget *AOwner) : TNsgEditBtn(AOwner), FGrid(gridOwner(AOwner))
{
    OnClickBtn = [this](QObject *) { ButtonClick(); };
    hide();
    setEnabled(false);
}

void TGridEditBtn::ButtonClick()
{
    QString s = text();
    FGrid->DoEllipsClick(FGrid->Col(), FGrid->Row(), s);
    setText(s);
    selectAll();
    update();
    if (StopEditAfterClick) {
        FGrid->HideInplaceEdit();
        FGrid->setFocus();
    }
}

void TGridEditBtn::WMChar(QChar &ch, const QKeyEvent *e)
{
    const ushort k = ch.unicode();
    if (k == 13 || k == 9) {
        ch = QChar();
        return;
    }
    const TEditorType kind = FGrid->CurrentEditor();
    const bool ctrl = e && (e->modifiers() & Qt::ControlModifier);
    switch (kind) {
    case edEditBtn:
    case edMaskEditBtn: break;
    case edNumericEditBtn:
    case edFloatEditBtn:
        ch = filterNumberChar(ch, kind, text(), hasSelectedText() ? selectionStart() : cursorPosition(),
                              int(selectedText().size()), ctrl);
        break;
    default: ch = QChar(); break;
    }
    if (!ch.isNull()) TNsgEditBtn::WMChar(ch, e);
}

void TGridEditBtn::KeyPress(QChar &key)
{
    FireEvent(FGrid->OnKeyPress, FGrid, key);
    if (key.unicode() == 9) {
        key = QChar();
        return;
    }
    TNsgEditBtn::KeyPress(key);
}

void TGridEditBtn::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    const bool inSet = isTab(key) || isEnter(key) || key == Qt::Key_Escape || key == Qt::Key_PageUp
                       || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
    if (!inSet) FireEvent(FGrid->OnKeyDown, FGrid, key, shift);
    WorkMode = !(key == Qt::Key_Backspace || key == Qt::Key_Delete);
    FSelKeyDown = cursorPosition();
    if ((shift & Qt::ControlModifier) || !inSet) {
        TNsgEditBtn::KeyDown(key, shift);
        return;
    }
    FireEvent(OnKeyDown, this, key, shift);
    const bool tab = isTab(key);
    if (tab || isEnter(key) || key == Qt::Key_Up || key == Qt::Key_Down) {
        if (tab && !FGrid->WantsTabKey()) {
            TNsgEditBtn::KeyDown(key, shift);
            return;
        }
        const TEditorType before = FGrid->CurrentEditor();
        FGrid->SetCurrentCell(text());
        const bool ok = FGrid->ValidateCell(text());
        FGrid->FCurrentEditor = before;
        setText(FGrid->FNewCellText);
        if (!ok) {
            selectAll();
            update();
            key = 0;
            return;
        }
        if (tab && FGrid->Options().Contains(goTabs)) {
            tabOn(FGrid, key, shift);
            key = 0;
            return;
        }
    }
    if (key == Qt::Key_Escape) setText(FGrid->FCellCache);
    FGrid->DoneInplaceEdit(key, shift);
    key = 0;
}

void TGridEditBtn::KeyUp(int &key, Qt::KeyboardModifiers shift)
{
    FireEvent(FGrid->OnKeyUp, FGrid, key, shift);
    const TNavigation *nav = FGrid->Navigation();
    if (nav->CursorWalkEditor() && !(shift & (Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier))
        && (key == Qt::Key_Left || key == Qt::Key_Right) && !hasSelectedText()) {
        const bool left = key == Qt::Key_Left;
        const int col = FGrid->Col();
        if ((left && FSelKeyDown == 0 && col > FGrid->FixedCols())
            || (!left && cursorPosition() == text().size() && col < FGrid->ColCount() - FGrid->FixedRightCols() - 1)) {
            key = 0;
            FGrid->setFocus();
            FGrid->CaretWalk(left);
        }
    }
    if (!isEnter(key)) TNsgEditBtn::KeyUp(key, shift);
    if (WorkMode && !hasSelectedText() && FGrid->Lookup() && !FGrid->LookupItems().isEmpty()) {
        const bool cs = FGrid->LookupCaseSensitive();
        const QString prefix = text().left(cursorPosition());
        if (prefix.isEmpty()) return;
        for (const QString &e : FGrid->LookupItems()) {
            if ((cs ? e : e.toUpper()).startsWith(cs ? prefix : prefix.toUpper())) {
                const QString done = prefix + e.mid(prefix.size(), 255);
                setText(done);
                setSelection(prefix.size(), done.size() - prefix.size());
                break;
            }
        }
    }
}

void TGridEditBtn::WMPaste()
{
    const QClipboard *cb = QApplication::clipboard();
    QString value = cb->text();
    bool allow = !value.isNull() && cb->mimeData() && cb->mimeData()->hasText();
    FireEvent(FGrid->OnClipboardPaste, this, allow);
    if (allow) FireEvent(FGrid->OnClipboardBeforePasteCell, this, FGrid->Col(), FGrid->Row(), value, allow);
    if (!allow) return;
    const int brk = value.indexOf(QLatin1String("\r\n"));
    if (brk >= 0 && brk == value.size() - 2) value.chop(2);
    const bool hadSel = hasSelectedText();
    const int start = hadSel ? selectionStart() : cursorPosition();
    QString t = text();
    t.replace(start, int(selectedText().size()), value);
    setText(t);
    FGrid->SetCurrentCellText(t);
    if (hadSel) setSelection(start, value.size());
    else setCursorPosition(start + value.size());
}

void TGridEditBtn::Change()
{
    TNsgEditBtn::Change();
    if (isVisible()) FireEvent(FGrid->OnEditChange, FGrid, FGrid->Col(), FGrid->Row(), text());
}

void TGridEditBtn::DoExit()
{
    if (FGrid->MustValidateOnExit(this)) {
        FGrid->SetCurrentCell(text());
        if (!FGrid->ValidateCell(text())) {
            setText(FGrid->FNewCellText);
            FGrid->RefuseExit(this);
            TNsgEditBtn::DoExit();
            return;
        }
    }
    FGrid->HideInplaceEdit();
    TNsgEditBtn::DoExit();
}

bool TGridEditBtn::WantSpecialKey(int key, Qt::KeyboardModifiers)
{
    return isTab(key) && FGrid->WantsTabKey();
}

void TGridEditBtn::mouseDoubleClickEvent(QMouseEvent *e)
{
    TNsgEditBtn::mouseDoubleClickEvent(e);
    FireEvent(FGrid->OnDblClickCell, FGrid, FGrid->Row(), FGrid->Col());
}

// ---------------------------------------------------------------- TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(QWidget *AOwner) : TNsgUnitEditBtn(AOwner), FGrid(gridOwner(AOwner))
{
    OnClickBtn = [this](QObject *) { ButtonClick(); };
    hide();
    setEnabled(false);
}

void TGridUnitEditBtn::ButtonClick()
{
    QString s = text();
    FGrid->DoEllipsClick(FGrid->Col(), FGrid->Row(), s);
    setText(s);
    selectAll();
    update();
}

void TGridUnitEditBtn::WMChar(QChar &ch, const QKeyEvent *e)
{
    if (ch.unicode() == 13) {
        ch = QChar();
        return;
    }
    const TEditorType kind = FGrid->CurrentEditor();
    const bool ctrl = e && (e->modifiers() & Qt::ControlModifier);
    switch (kind) {
    case edUnitEditBtn: break;
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
        ch = filterNumberChar(ch, kind == edNumericUnitEditBtn ? edNumericEditBtn : edFloatEditBtn, text(),
                              hasSelectedText() ? selectionStart() : cursorPosition(), int(selectedText().size()), ctrl);
        break;
    default: ch = QChar(); break;
    }
    if (!ch.isNull()) TNsgUnitEditBtn::WMChar(ch, e);
}

void TGridUnitEditBtn::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    const bool tab = isTab(key);
    if (!(tab || isEnter(key) || key == Qt::Key_Escape || key == Qt::Key_PageUp || key == Qt::Key_PageDown
          || key == Qt::Key_Up || key == Qt::Key_Down)) {
        TNsgUnitEditBtn::KeyDown(key, shift);
        return;
    }
    if (tab || isEnter(key) || key == Qt::Key_Up || key == Qt::Key_Down) {
        FGrid->SetCurrentCell(TextAndUnit());
        if (!FGrid->ValidateCell(TextAndUnit())) {
            // The cell's text goes back; the key goes on.
            SetTextAndUnit(FGrid->GetCurrentCell());
        } else {
            SetTextAndUnit(FGrid->GetCurrentCell());
        }
    }
    if (isEnter(key) && FGrid->Navigation()->AdvanceOnEnter()) {
        FGrid->HideInplaceEdit();
        FGrid->setFocus();
        key = 0;
        FGrid->AdvanceAfterEdit(FGrid->Col(), FGrid->Row(), false, true, true, false, true);
        return;
    }
    if (tab && FGrid->Options().Contains(goTabs)) {
        tabOn(FGrid, key, shift);
        key = 0;
        return;
    }
    if (key == Qt::Key_Escape) {
        SetUnitID(QString());
        SetTextAndUnit(FGrid->GetCurrentCell());
    }
    FGrid->DoneInplaceEdit(key, shift);
    key = 0;
}

void TGridUnitEditBtn::DoExit()
{
    FGrid->HideInplaceEdit();
    TNsgUnitEditBtn::DoExit();
}

bool TGridUnitEditBtn::WantSpecialKey(int key, Qt::KeyboardModifiers)
{
    return isTab(key) && FGrid->Options().Contains(goTabs);
}

// ---------------------------------------------------------------- TGridButton

TGridButton::TGridButton(QWidget *AOwner) : QPushButton(AOwner), FGrid(gridOwner(AOwner))
{
    hide();
    setEnabled(false);
}

void TGridButton::Press()
{
    QString s = text();
    FGrid->DoEllipsClick(FGrid->Col(), FGrid->Row(), s);
    setText(s);
    FGrid->SetCurrentCell(s);
}

void TGridButton::Close()
{
    hide();
    setEnabled(false);
    FGrid->FEditMode = false;
    FGrid->setFocus();
}

bool TGridButton::event(QEvent *e)
{
    // Arrows and Escape belong to the button, not to focus navigation.
    if (e->type() == QEvent::ShortcutOverride) {
        const int k = static_cast<QKeyEvent *>(e)->key();
        if (k == Qt::Key_Escape || k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down) {
            e->accept();
            return true;
        }
    }
    return QPushButton::event(e);
}

void TGridButton::keyPressEvent(QKeyEvent *e)
{
    const int k = e->key();
    if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_Escape) {
        if (k == Qt::Key_Escape) {
            Close();
            FGrid->RestoreCellCache();
        } else {
            Close();
        }
        QKeyEvent down(QEvent::KeyPress, k, e->modifiers());
        QApplication::sendEvent(FGrid, &down);
        QKeyEvent up(QEvent::KeyRelease, k, e->modifiers());
        QApplication::sendEvent(FGrid, &up);
        e->accept();
        return;
    }
    if (k == Qt::Key_Space) {
        e->accept();
        return; // pressed on key-up
    }
    QPushButton::keyPressEvent(e);
}

void TGridButton::keyReleaseEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        Press();
        // The button's own click follows, as for a click with the mouse.
        click();
        update();
        e->accept();
        return;
    }
    QPushButton::keyReleaseEvent(e);
}

void TGridButton::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Press();
    QPushButton::mouseReleaseEvent(e);
}

void TGridButton::focusOutEvent(QFocusEvent *e)
{
    FGrid->HideInplaceEdit();
    QPushButton::focusOutEvent(e);
}

// ---------------------------------------------------------------- TGridDatePicker

TGridDatePicker::TGridDatePicker(QWidget *AOwner) : TNsgDateTimePicker(AOwner), FGrid(gridOwner(AOwner))
{
    hide();
    setEnabled(false);
}

void TGridDatePicker::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    const bool tab = isTab(key);
    if (!(tab || isEnter(key) || key == Qt::Key_Escape || key == Qt::Key_PageUp || key == Qt::Key_PageDown
          || key == Qt::Key_End)) {
        TNsgDateTimePicker::KeyDown(key, shift);
        return;
    }
    if (key == Qt::Key_Escape) {
        TDateTime v = 0;
        const QString t = FGrid->GetCurrentCell();
        const platform::FormatSettings fs = platform::FormatSettings::current();
        const bool ok = Kind() == dtkTime ? tryParseTime(t, fs, v) : tryParseShortDate(t, fs, v);
        SetPickerDateTime(ok ? v : nowValue());
    } else if (isEnter(key) || tab) {
        if (tab && !FGrid->WantsTabKey()) {
            TNsgDateTimePicker::KeyDown(key, shift);
            return;
        }
        FGrid->SetCurrentCell(text());
        if (!FGrid->ValidateCell(text())) {
            TDateTime v = 0;
            const platform::FormatSettings fs = platform::FormatSettings::current();
            if (Kind() == dtkTime ? tryParseTime(FGrid->FNewCellText, fs, v) : tryParseShortDate(FGrid->FNewCellText, fs, v))
                SetPickerDateTime(v);
            if (!tab) FGrid->FNoAutoAdvance = true;
            key = 0;
            return;
        }
        if (tab && FGrid->Options().Contains(goTabs)) {
            tabOn(FGrid, key, shift);
            key = 0;
            return;
        }
    }
    if (!DroppedDown()) FGrid->DoneInplaceEdit(key, shift);
    key = 0;
}

void TGridDatePicker::KeyPress(QChar &key)
{
    if (key.isDigit()) {
        const QDateTime v = DateTimeToQDateTime(DateTime());
        Fy = v.date().year();
        Fm = v.date().month();
        Fd = v.date().day();
        Fth = v.time().hour();
        Ftm = v.time().minute();
        Fts = v.time().second();
        Ftms = v.time().msec();
        TNsgDateTimePicker::KeyPress(key);
        QApplication::postEvent(this, new QEvent(QEvent::Type(TCustomDateTimePicker::ShiftFocusEventType())));
    } else {
        TNsgDateTimePicker::KeyPress(key);
    }
    FireEvent(FGrid->OnKeyPress, FGrid, key);
}

bool TGridDatePicker::event(QEvent *e)
{
    if (e->type() == TCustomDateTimePicker::ShiftFocusEventType()) {
        ShiftFocus();
        return true;
    }
    return TNsgDateTimePicker::event(e);
}

void TGridDatePicker::ShiftFocus()
{
    const QDateTime v = DateTimeToQDateTime(DateTime());
    bool move;
    if (Kind() == dtkTime) {
        move = v.time().hour() != Fth || v.time().minute() != Ftm || v.time().second() != Fts;
    } else {
        const bool day = v.date().day() != Fd, month = v.date().month() != Fm, year = v.date().year() != Fy;
        if (Format().isEmpty()) {
            move = day || month;
        } else {
            // The last field of the format has no next one.
            const QChar last = Format().back().toLower();
            move = (day || month || year) && !(day && last == QLatin1Char('d')) && !(month && last == QLatin1Char('m'))
                   && !(year && last == QLatin1Char('y'));
        }
    }
    if (move) QApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
}

void TGridDatePicker::Change()
{
    TNsgDateTimePicker::Change();
    FireEvent(OnPickerChange, this);
}

void TGridDatePicker::DoExit()
{
    FGrid->HideInplaceEdit();
    TNsgDateTimePicker::DoExit();
}

bool TGridDatePicker::WantSpecialKey(int key, Qt::KeyboardModifiers)
{
    return isTab(key) && FGrid->WantsTabKey();
}

// ---------------------------------------------------------------- TGridDateTimePicker

TGridDateTimePicker::TGridDateTimePicker(QWidget *AOwner) : TNovaDateTimePicker(AOwner)
{
    // Any owner may hold this one; it edits only for a string grid.
    FGrid = dynamic_cast<TNovaStringGrid *>(AOwner);
    hide();
    setEnabled(false);
}

void TGridDateTimePicker::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    if (!FGrid) {
        TNovaDateTimePicker::KeyDown(key, shift);
        return;
    }
    if (key == Qt::Key_Escape) {
        SetDateTime(FGrid->FOriginalDateTime);
        FGrid->HideInplaceEdit();
        FGrid->setFocus();
        key = 0;
        return;
    }
    if (isEnter(key)) {
        FGrid->HideInplaceEdit();
        FGrid->setFocus();
        key = 0;
        if (FGrid->Navigation()->AdvanceOnEnter())
            FGrid->AdvanceAfterEdit(FGrid->Col(), FGrid->Row(), false, true, true, false, true);
        return;
    }
    if (isTab(key) && FGrid->WantsTabKey()) {
        const bool back = shiftHeld(key, shift);
        FGrid->HideInplaceEdit();
        FGrid->setFocus();
        FGrid->SetCurrentCell(text());
        FGrid->HandleTabKey(back);
        key = 0;
        return;
    }
    TNovaDateTimePicker::KeyDown(key, shift);
}

void TGridDateTimePicker::Change()
{
    TNovaDateTimePicker::Change();
    FireEvent(OnValueChange, this);
}
