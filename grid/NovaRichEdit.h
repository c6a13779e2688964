#pragma once
// The rich-text edit of a string grid, in two roles: the hidden converter that turns rich-text
// cells into plain text, fonts, pictures and sizes, and the in-place editor of rich-text cells,
// which grows its row while the user types.
#include <QTextEdit>

class TNovaStringGrid;

class TNovaRichEdit : public QTextEdit {
public:
    // The owner must be a string grid (std::bad_cast otherwise); it is also the parent.
    explicit TNovaRichEdit(QObject *AOwner);

    TNovaStringGrid *Grid() const { return FGrid; }
    // A fresh document, as a new window would have.
    void ReCreate();

    // Vertical offset of the selected characters: none, lowered, raised.
    void SelNormal();
    void SelSubscript();
    void SelSuperscript();
    bool IsSelNormal() const;
    bool IsSelSubscript() const;
    bool IsSelSuperscript() const;

    // While locked (the grid filling the editor) size requests are ignored.
    void Lock() { FLocked = true; }
    void Unlock() { FLocked = false; }
    bool Locked() const { return FLocked; }
    // The size the text last asked for.
    int ReqWidth() const { return FReqWidth; }
    int ReqHeight() const { return FReqHeight; }
    // The text's layout asks for a size (the converter notes it, the in-place editor grows its row).
    void RequestResize(int Width, int Height);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    void setSelOffset(int Offset);
    int selOffset() const;

    TNovaStringGrid *FGrid;
    bool FLocked = false;
    int FReqWidth = 0;
    int FReqHeight = 0;
};
