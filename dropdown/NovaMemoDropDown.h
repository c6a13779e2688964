#pragma once
// The memo drop-down: a drop-down edit for a text of several lines. MemoText holds the whole text;
// the pop-up's memo edits a working copy of it, which becomes the text when the pop-up closes (Esc
// throws it away). The edit shows the whole text while its editor is on; with the editor off it
// shows a one-line summary: the first line, cut with "..." to fit, or followed by "..." when more
// lines follow.
#include "dropdown/NovaDropDown.h"
#include "grid/base/GridTypes.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>

// Lines joined by line breaks, and a text split into its lines (an empty text has none).
QString MemoLinesText(const QStringList &Lines);
QStringList MemoTextLines(const QString &Text);

class TNovaMemoDropDown : public TNovaCustomDropDown {
public:
    explicit TNovaMemoDropDown(QWidget *AOwner = nullptr);
    ~TNovaMemoDropDown() override;

    // The value, whether or not the pop-up was ever opened. Setting it also fills the memo and
    // writes the edit's summary.
    QStringList MemoText() const { return FMemoText; }
    void SetMemoText(const QStringList &Value);
    // The pop-up opens whenever the edit takes the focus.
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool Value) { FAutoDrop = Value; }
    // The memo's context menu (not owned; none: the memo's own).
    QMenu *MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(QMenu *Value) { FMemoPopup = Value; }
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
    // Applied at the next opening, or at once while open.
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool Value);
    QPlainTextEdit *Memo() const { return FMemo; }

    // Writes the summary of MemoText into the edit.
    void UpdateText();

    void DoHideDropDown(bool Cancel) override;
    void DropDownHidden() override;
    // While a cancelled close is under way the edit shows MemoText's summary again: Esc leaves
    // MemoText as it was before the opening.
    void SetText(const QString &Value) override;

    // Every change of the memo's text.
    editorkit::NotifyEvent OnMemoChange;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    // The memo keeps Enter, the arrows and the editing keys; Alt keys, Esc and F4 go to the edit.
    void ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift) override;
    void ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift) override;
    void ControlKeyPress(QChar &Key) override;
    // Typing into the edit replaces the whole text.
    void Change() override;
    void DoEnter() override;
    // The summary fits the edit as it is now: a new size or font writes it again.
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void ApplyScrollBars();
    void MemoChanged();
    void LimitMemoLength();

    QPointer<QMenu> FMemoPopup;
    QStringList FMemoText;
    QPointer<QPlainTextEdit> FMemo; // a child of the pop-up window
    TScrollStyle FMemoScrollBars = ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
    bool FCancelClose = false;
};
