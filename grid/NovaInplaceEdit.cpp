#include "grid/NovaInplaceEdit.h"

#include "grid/NovaGrid.h"
#include "grid/base/EditorKit.h"
#include "grid/base/VedAzirText.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>

using namespace editorkit;

namespace {

bool isTextKind(TEditorType t)
{
    switch (t) {
    case edNormal:
    case edCapital:
    case edMixedCase:
    case edLowerCase:
    case edUpperCase:
    case edValidChars: return true;
    default: return false;
    }
}

// Digits with at most a leading minus.
bool isIntegerText(const QString &s)
{
    if (s.isEmpty()) return false;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('-') && i == 0 && s.size() > 1) continue;
        if (!c.isDigit()) return false;
    }
    return true;
}

// An integer or a decimal number with the locale's separators, without an exponent.
bool isDecimalText(const QString &s)
{
    const unsigned char k = ClassifyNumberText(s);
    return k == nkInteger || k == nkFloat;
}

} // namespace

TNovaInplaceEdit::TNovaInplaceEdit(TNovaStringGrid *AGrid) : TInplaceEdit(AGrid), FGrid(AGrid) {}

void TNovaInplaceEdit::UpdateContents()
{
    FGrid->FNoEditChange = true;
    TInplaceEdit::UpdateContents();
    FGrid->FNoEditChange = false;
    const TEditorType kind = FGrid->CurrentEditor();
    setEchoMode(kind == edPassword ? QLineEdit::Password : QLineEdit::Normal);
    FColE = FGrid->Col();
    FRowE = FGrid->Row();
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    FGrid->GetCellAlignment(FGrid->RealColIndex(FColE), FRowE, ha, va);
    SetVAlign(ha == taRightJustify);
    setAlignment((ha == taRightJustify ? Qt::AlignRight : ha == taCenter ? Qt::AlignHCenter : Qt::AlignLeft)
                 | Qt::AlignVCenter);
    FGrid->DoGetEditorProp(FGrid->RealColIndex(FColE), FRowE);
}

void TNovaInplaceEdit::SetVAlign(bool Value) { FValign = Value; }

void TNovaInplaceEdit::BoundsChanged()
{
    QRect r = FGrid->CellBounds(FGrid->Col(), FGrid->Row());
    if (r.isEmpty()) {
        move(-10000, -10000);
        return;
    }
    // Right to left: the cell's left grid line stays visible.
    if (FGrid->layoutDirection() == Qt::RightToLeft) r.setLeft(r.left() + 1);
    setGeometry(r.x(), r.y(), r.width() - 1, r.height() - 1);
    setTextMargins(2, 0, 0, 0);
}

void TNovaInplaceEdit::Change()
{
    TInplaceEdit::Change();
    if (!FGrid->FNoEditChange) FireEvent(FGrid->OnEditChange, FGrid, FGrid->Col(), FGrid->Row(), text());
}

void TNovaInplaceEdit::focusInEvent(QFocusEvent *e)
{
    TInplaceEdit::focusInEvent(e);
    FGotFocus = true;
    FGrid->FNoEditChange = false;
    FLengthLimit = FGrid->MaxEditLength();
    setMaxLength(FLengthLimit > 0 ? FLengthLimit : 32767);
    const TNavigation *nav = FGrid->Navigation();
    if (!inputMask().isEmpty() && !FGrid->LButFlg && nav->ImproveMaskSel()) {
        setSelection(0, 1);
        return;
    }
    if (!nav->EditSelectAll()) setCursorPosition(text().size());
    if (FGrid->LButFlg && rect().contains(mapFromGlobal(QCursor::pos()))) {
        setCursorPosition(cursorPositionAt(mapFromGlobal(QCursor::pos())));
        FGrid->LButFlg = false;
    }
}

void TNovaInplaceEdit::focusOutEvent(QFocusEvent *e)
{
    FGrid->FStartEditChar = QChar();
    if (FGrid->LookupHistory() && !text().isEmpty() && !FGrid->LookupItems().contains(text()))
        FGrid->LookupItems().append(text());
    TInplaceEdit::focusOutEvent(e);
    QWidget *to = QApplication::focusWidget();
    // While Alt+Backspace is held the edit stays open and unvalidated.
    if (!FAltBack && to != FGrid && isVisible() && to) {
        // Focus leaves the grid: the value is validated and the cell's text shown again.
        struct Cleanup {
            TNovaInplaceEdit *self;
            ~Cleanup()
            {
                self->FGrid->HideInplaceEdit();
                self->FGrid->FEditing = false;
                self->FGrid->FEditMode = false;
            }
        } cleanup{this};
        FGrid->ValidateCell(text());
    }
    FGrid->FNoEditChange = true;
    setText(FGrid->GetCurrentCell());
    FGrid->FNoEditChange = false;
    QString t = text();
    FGrid->ProcessEditText(-1, -1, t);
    if (FGotFocus) {
        FGotFocus = false;
        FGrid->PostGridEditDone(FGrid->RealColIndex(FColE), FRowE);
    }
}

void TNovaInplaceEdit::mouseDoubleClickEvent(QMouseEvent *e)
{
    TInplaceEdit::mouseDoubleClickEvent(e);
    FireEvent(FGrid->OnDblClickCell, FGrid, FGrid->Row(), FGrid->Col());
}

bool TNovaInplaceEdit::event(QEvent *e)
{
    // Tab stays with the editor while the grid takes it.
    if (QKeyEvent *k = tabKeyPress(e); k && FGrid->WantsTabKey()) {
        keyPressEvent(k);
        return true;
    }
    return TInplaceEdit::event(e);
}

void TNovaInplaceEdit::Refuse(const QString &keptOld)
{
    setText(FGrid->FNewCellText);
    if (FGrid->Navigation()->EditSelectAll()) selectAll();
    else setCursorPosition(text().size());
    FGrid->FOldCellText = keptOld;
}

bool TNovaInplaceEdit::CommitBeforeMove(const QString &keptOld)
{
    FGrid->FValidating = true;
    FGrid->SetCurrentCell(text());
    FGrid->FValidating = false;
    if (!FGrid->ValidateCell(text())) {
        Refuse(keptOld);
        update();
        return false;
    }
    setText(FGrid->FNewCellText);
    return true;
}

bool TNovaInplaceEdit::WMKeyDown(int key, Qt::KeyboardModifiers shift)
{
    int k = key;
    FGrid->InplaceEditWMKeyDown(k);
    FOldSelStart = cursorPosition();
    const bool ctrl = shift & Qt::ControlModifier;
    const bool sh = shift & Qt::ShiftModifier;
    const TNavigation *nav = FGrid->Navigation();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (key == Qt::Key_Escape) {
        setText(FGrid->FCellCache);
        FGrid->HideEditor();
        return false;
    }
    if (ctrl && key == Qt::Key_A && !(shift & Qt::AltModifier)) {
        selectAll();
        return true;
    }
    if (ctrl && enter && !(nav->AllowCtrlEnter() && (FGrid->WordWrap() || FGrid->Multilinecells()))) return true;
    const QString kept = FGrid->FOldCellText;
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && FGrid->WantsTabKey()) {
        if (!FGrid->ValidateCell(text())) {
            Refuse(kept);
            return true;
        }
        setText(FGrid->FNewCellText);
        const bool back = key == Qt::Key_Backtab || sh;
        FGrid->HideInplaceEdit();
        FGrid->HideEditor();
        if (FGrid->Options().Contains(goTabs)) {
            FGrid->setFocus();
            FGrid->HandleTabKey(back);
        } else {
            QApplication::postEvent(FGrid, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier));
        }
        return true;
    }
    if (sh && nav->CursorWalkEditor()
        && ((key == Qt::Key_Left && cursorPosition() == 0) || (key == Qt::Key_Right && cursorPosition() == text().size()))) {
        if (!CommitBeforeMove(kept)) return true;
        FGrid->HideEditor();
        FGrid->setFocus();
        return true;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !ctrl) {
        if (!CommitBeforeMove(kept)) return true;
        return false;
    }
    if (enter && !nav->LineFeedOnEnter() && !ctrl) {
        if (!FGrid->ValidateCell(text())) {
            Refuse(kept);
            return true;
        }
        setText(FGrid->FNewCellText);
    }
    if (!ctrl && !sh && key == Qt::Key_Home) setCursorPosition(0);
    if (!ctrl && !sh && key == Qt::Key_End) setCursorPosition(text().size());
    return false;
}

void TNovaInplaceEdit::KeyDown(int &key, Qt::KeyboardModifiers shift)
{
    FSelKeyDown = cursorPosition();
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) Workmode = false;
    else if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Up && key != Qt::Key_Down) Workmode = true;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !FGrid->Navigation()->AllowCtrlEnter()
        && (FGrid->WordWrap() || FGrid->Multilinecells()))
        FGrid->FEditing = false;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (shift & (Qt::ControlModifier | Qt::ShiftModifier))
        && FGrid->SizeWhileTyping()->Height() && FGrid->Multilinecells()) {
        // The row makes room for the text and the line about to begin.
        const int lines = int((text() + QLatin1String("\n ")).count(QLatin1Char('\n'))) + 1;
        const int row = FGrid->Row();
        sizeRowKeepingColumns([&] {
            if (lines < FGrid->MaxLinesInRow(row)) FGrid->AutoSizeRow(row);
            else FGrid->SetRowHeightForLines(row, lines, FGrid->XYOffsetHeight());
        });
    }
    FGrid->InplaceEditKeyDown(key, shift);
    // Enter reaches the grid as a character (KeyPress); the platform edit hands the rest back.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return;
    TInplaceEdit::KeyDown(key, shift);
}

void TNovaInplaceEdit::keyPressEvent(QKeyEvent *e)
{
    e->accept();
    const int key0 = e->key();
    const Qt::KeyboardModifiers shift = e->modifiers();
    if (key0 == Qt::Key_Backspace && (shift & Qt::AltModifier)) {
        // Alt+Backspace undoes the last change, as in the platform's edit boxes.
        FAltBack = true;
        undo();
        Change();
        return;
    }
    if (WMKeyDown(key0, shift)) return;
    if (!isVisible() && key0 != Qt::Key_Escape) return;
    int key = key0;
    KeyDown(key, shift);
    if (key == 0) return;
    if ((shift & Qt::ControlModifier) && !(shift & Qt::AltModifier)) {
        if (e->matches(QKeySequence::Paste)) return WMPaste();
        if (e->matches(QKeySequence::Copy)) return WMCopy();
        if (e->matches(QKeySequence::Cut)) return WMCut();
    }
    if (key == Qt::Key_Insert && (shift & Qt::ShiftModifier)) return WMPaste();
    QChar ch = typedChar(e);
    if (key0 == Qt::Key_Return || key0 == Qt::Key_Enter) ch = QChar(13);
    if (key0 == Qt::Key_Escape) ch = QChar(27);
    if (key0 == Qt::Key_Backspace) ch = QChar(8);
    if (ch.isNull() || ch.unicode() == 127) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    TypeChar(ch, shift & Qt::KeypadModifier, shift & Qt::ControlModifier);
    if (ch.unicode() == 8 && isVisible()) QLineEdit::keyPressEvent(e);
}

void TNovaInplaceEdit::TypeChar(QChar ch, bool keypad, bool ctrl, bool startChar)
{
    bool mixed = false, advance = false;
    if (!WMChar(ch, keypad, ctrl, mixed, advance)) {
        if (advance) {
            QChar enter(13);
            FGrid->KeyPress(enter);
        }
        return;
    }
    // The character that opened the editor has been reported by the grid already.
    if (!startChar) KeyPress(ch);
    const ushort k = ch.unicode();
    if (!ch.isNull() && k >= 32 && isVisible() && !isReadOnly()) {
        const int pos = hasSelectedText() ? selectionStart() : cursorPosition();
        insert(QString(ch)); // reported as a user change
        if (mixed) {
            setText(ToMixedCase(text()));
            setCursorPosition(pos + 1);
            Change();
        }
    }
    if (advance) {
        QChar enter(13);
        FGrid->KeyPress(enter);
    }
}

bool TNovaInplaceEdit::WMChar(QChar &ch, bool keypad, bool ctrl, bool &mixedCase, bool &autoAdvance)
{
    const platform::FormatSettings fs = platform::FormatSettings::current();
    const TNavigation *nav = FGrid->Navigation();
    const TEditorType kind = FGrid->CurrentEditor();
    ushort k = ch.unicode();
    if (ch == QLatin1Char('.') && keypad && FGrid->ExcelStyleDecimalSeparator()) ch = fs.decimalSeparator;
    if (k == 1 && ctrl) return false;
    if (k == 10 && ctrl && !(nav->AllowCtrlEnter() && (FGrid->WordWrap() || FGrid->Multilinecells()))) return false;
    if (FLengthLimit > 0 && text().size() >= FLengthLimit && !hasSelectedText() && k != 8 && k != 27 && k != 13)
        return false;
    if (isTextKind(kind) && k == 13 && nav->LineFeedOnEnter()) return true;
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selLen = int(selectedText().size());
    auto inSel = [&](int idx) { return selLen > 0 && idx >= selStart && idx < selStart + selLen; };
    auto full = [&] {
        const int m = FGrid->MaxEditLength();
        return nav->AdvanceAuto() && nav->AdvanceOnEnter() && m > 0 && text().size() == m && !hasSelectedText()
               && cursorPosition() == text().size();
    };
    const bool control = k == 8 || k == 9 || k == 13 || k == 27;
    bool pass = true;
    switch (kind) {
    case edNormal:
    case edPassword: break;
    case edNumeric:
        pass = control || ch.isDigit()
               || (ch == QLatin1Char('-') && !text().contains(QLatin1Char('-')) && selStart == 0);
        if (!pass) beep();
        break;
    case edPositiveNumeric:
        pass = control || ch.isDigit();
        if (!pass) beep();
        break;
    case edFloat:
    case edPositiveFloat: {
        const bool minusCand = kind == edFloat && ch == QLatin1Char('-');
        const bool cand = control || ch.isDigit() || ch == QLatin1Char(',') || ch == QLatin1Char('.') || minusCand;
        if (!cand) {
            if (ctrl) return true; // shortcuts
            return false;
        }
        if (ch == fs.thousandSeparator && !control) return false;
        if (ch == fs.decimalSeparator) {
            const int dp = text().indexOf(fs.decimalSeparator);
            if (dp >= 0 && !inSel(dp)) return false;
        }
        if (minusCand) {
            const int idx = text().indexOf(QLatin1Char('-'));
            if (selStart != 0 || (idx >= 0 && !inSel(idx))) {
                beep();
                pass = false;
            }
        }
        break;
    }
    case edCapital:
    case edUpperCase: ch = ch.toUpper(); break;
    case edLowerCase: ch = ch.toLower(); break;
    case edMixedCase: mixedCase = true; break;
    case edValidChars: {
        const QString valid = FGrid->ValidChars();
        pass = k == 8 || k == 13 || valid.contains(ch);
        if (!pass) beep();
        break;
    }
    default: pass = false; break;
    }
    autoAdvance = full();
    return pass;
}

void TNovaInplaceEdit::KeyPress(QChar &key)
{
    const ushort k = key.unicode();
    if (k == 13 && !FGrid->Navigation()->LineFeedOnEnter()) {
        if (!FGrid->ValidateCell(text())) {
            setText(FGrid->GetCurrentCell());
            key = QChar();
            return;
        }
    }
    // The platform in-place edit lets its grid see every typed character first.
    if (k == 13 || k == 27 || k == 9) {
        FGrid->KeyPress(key);
        return;
    }
    QChar copy = key;
    FireEvent(FGrid->OnKeyPress, FGrid, copy);
    key = copy;
    if (!key.isNull() && k >= 32 && !inputMask().isEmpty() && FGrid->Navigation()->AdvanceAuto()
        && !text().contains(QLatin1Char(' ')) && cursorPosition() == text().size()) {
        QChar enter(13);
        FGrid->KeyPress(enter);
    }
}

void TNovaInplaceEdit::keyReleaseEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Backspace && FAltBack) {
        FAltBack = false;
        return;
    }
    int key = e->key();
    KeyUp(key, e->modifiers());
    if (key != 0) QLineEdit::keyReleaseEvent(e);
    if (cursorPosition() > 0) {
        QString t = text();
        FGrid->ProcessEditText(FColE, FRowE, t);
    }
    FGrid->FormulaEditChanged();
}

void TNovaInplaceEdit::KeyUp(int &key, Qt::KeyboardModifiers shift)
{
    const TNavigation *nav = FGrid->Navigation();
    const bool plain = !(shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && plain && nav->CursorWalkEditor() && !hasSelectedText()) {
        const bool left = key == Qt::Key_Left;
        const int col = FGrid->Col();
        const bool atEdge = left ? (FSelKeyDown == 0 && cursorPosition() == 0 && col > FGrid->FixedCols())
                                 : (FOldSelStart == text().size() && col < FGrid->ColCount() - FGrid->FixedRightCols() - 1);
        if (atEdge) {
            key = 0;
            const int span = FGrid->CellSpan(FGrid->RealColIndex(col), FGrid->Row()).X;
            const int target = left ? col - 1 : col + span + 1;
            if (FGrid->HasClickableGraphic(FGrid->RealColIndex(target), FGrid->Row())) {
                if (FGrid->ValidateCell(text())) {
                    FGrid->HideEditor();
                    FGrid->SetCol(target);
                }
                return;
            }
            if (!left || FGrid->ValidateCell(text())) FGrid->HideEditor();
            FGrid->CaretWalk(left);
            if (!nav->CursorWalkAlwaysEdit()) FGrid->HideEditor();
            return;
        }
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right) return;
    TInplaceEdit::KeyUp(key, shift);
    DoChange();
    if (FGrid->SizeWhileTyping()->Width()) FGrid->AutoSizeCol(FGrid->Col());
    if (FGrid->SizeWhileTyping()->Height() && FGrid->WordWrap())
        sizeRowKeepingColumns([&] { FGrid->AutoSizeRow(FGrid->Row()); });
}

void TNovaInplaceEdit::sizeRowKeepingColumns(const std::function<void()> &size)
{
    // The column widths must not follow the row's new height.
    TColumnSize *cs = FGrid->ColumnSize();
    const bool synch = cs->SynchWithGrid();
    cs->SetSynchWithGrid(false);
    size();
    cs->SetSynchWithGrid(synch);
    FireEvent(FGrid->OnEndRowSize, FGrid, FGrid->Row());
}

void TNovaInplaceEdit::DoChange()
{
    if (!Workmode || hasSelectedText() || !FGrid->Lookup() || FGrid->LookupItems().isEmpty()) return;
    const bool cs = FGrid->LookupCaseSensitive();
    const QString prefix = text().left(cursorPosition());
    if (prefix.isEmpty()) return;
    const QString cmp = cs ? prefix : prefix.toUpper();
    for (const QString &e : FGrid->LookupItems()) {
        if ((cs ? e : e.toUpper()).startsWith(cmp)) {
            const QString done = prefix + e.mid(prefix.size(), 255);
            setText(done);
            setSelection(prefix.size(), done.size() - prefix.size());
            TInplaceEdit::Change();
            return;
        }
    }
}

void TNovaInplaceEdit::WMPaste()
{
    const QMimeData *md = QApplication::clipboard()->mimeData();
    QString value = md && md->hasText() ? md->text() : QString();
    bool allow = md && md->hasText();
    FireEvent(FGrid->OnClipboardPaste, this, allow);
    if (allow) FireEvent(FGrid->OnClipboardBeforePasteCell, this, FGrid->Col(), FGrid->Row(), value, allow);
    const bool hadSel = hasSelectedText();
    const int start = hadSel ? selectionStart() : cursorPosition();
    int selStart = cursorPosition(), selLen = 0;
    if (allow && (FLengthLimit < 1 || FLengthLimit >= value.size())) {
        const int brk = value.indexOf(QLatin1String("\r\n"));
        if (brk >= 0 && brk == value.size() - 2) value.chop(2);
        QString t = text();
        t.replace(start, int(selectedText().size()), value);
        selStart = hadSel ? start : start + int(value.size());
        selLen = hadSel ? int(value.size()) : 0;
        if (FLengthLimit < 1 || t.size() <= FLengthLimit) {
            const TEditorType kind = FGrid->CurrentEditor();
            bool take = true;
            switch (kind) {
            case edNumeric: take = isIntegerText(t); break;
            case edPositiveNumeric: take = isIntegerText(t) && !t.contains(QLatin1Char('-')); break;
            case edFloat: take = isDecimalText(t); break;
            case edPositiveFloat: take = isDecimalText(t) && !t.contains(QLatin1Char('-')); break;
            case edMixedCase: t = ToMixedCase(t); break;
            case edLowerCase: t = t.toLower(); break;
            case edUpperCase: t = t.toUpper(); break;
            case edValidChars:
                for (QChar c : t)
                    if (!FGrid->ValidChars().contains(c)) take = false;
                break;
            default: break;
            }
            if (take) setText(t);
            else {
                selStart = cursorPosition();
                selLen = 0;
            }
        }
    }
    FGrid->SetCurrentCellText(text());
    if (selLen > 0) setSelection(selStart, selLen);
    else setCursorPosition(qMin(selStart, int(text().size())));
    FireEvent(FGrid->OnClipboardAfterPasteCell, this, FGrid->Col(), FGrid->Row(), text());
}

void TNovaInplaceEdit::WMCopy()
{
    bool allow = true;
    FireEvent(FGrid->OnClipboardCopy, this, allow);
    if (allow) copy();
}

void TNovaInplaceEdit::WMCut()
{
    bool allow = true;
    FireEvent(FGrid->OnClipboardCut, this, allow);
    if (allow) {
        cut();
        TInplaceEdit::Change();
    }
}
