#pragma once
// The text editor of the string grid: the platform grid's in-place edit with a character filter
// per editor kind, a length limit, clipboard events, validation before the grid moves on, lookup
// completion and the caret walk into the neighbouring cell.
#include "platform/StringGrid.h"

#include <functional>

class TNovaStringGrid;

class TNovaInplaceEdit : public TInplaceEdit {
public:
    explicit TNovaInplaceEdit(TNovaStringGrid *AGrid);

    TNovaStringGrid *NovaGrid() const { return FGrid; }
    void UpdateContents() override;
    void BoundsChanged() override;
    void Change() override;
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override;
    void KeyUp(int &key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar &key) override;
    // Auto-completion from the grid's lookup list.
    void DoChange();
    // A character typed into the editor: filter, key press, insertion (as the character message).
    void TypeChar(QChar ch, bool keypad = false, bool ctrl = false, bool startChar = false);
    void SetVAlign(bool Value);
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    int LengthLimit() const { return FLengthLimit; }
    int EditCol() const { return FColE; }
    int EditRowE() const { return FRowE; }
    bool AltBack() const { return FAltBack; }

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;

private:
    // Runs a row sizing with the column widths held, then reports the row's new height.
    void sizeRowKeepingColumns(const std::function<void()> &size);
    // The key-down message: validation of Tab, Enter and the caret walk; true consumes the key.
    bool WMKeyDown(int key, Qt::KeyboardModifiers shift);
    // Refused value: the validated text back, selected or with the caret at the end.
    void Refuse(const QString &keptOld);
    // The text written and validated before the caret leaves the cell; false after a refusal.
    bool CommitBeforeMove(const QString &keptOld);
    // Character filter of the editor kinds; false drops the character. Sets after-insert work.
    bool WMChar(QChar &ch, bool keypad, bool ctrl, bool &mixedCase, bool &autoAdvance);
    void WMPaste();
    void WMCopy();
    void WMCut();

    TNovaStringGrid *FGrid;
    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    int FLengthLimit = 0;
    bool FValign = false;
    bool FWordWrap = false;
    bool FGotFocus = false;
    bool Workmode = true;
    int FColE = -1;
    int FRowE = -1;
    bool FAltBack = false; // Alt+Backspace (undo) is held down
};
