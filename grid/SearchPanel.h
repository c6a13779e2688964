#pragma once
// The search bar a grid shows docked at its bottom: a search edit, find next, find previous,
// highlight and close buttons and a match-case box. What the buttons do is the grid's business;
// the bar only enables its buttons while the edit holds text and passes the clicks on.
#include "grid/base/GridButton.h"
#include "grid/base/GridCheckBox.h"
#include "grid/base/GridTypes.h"

#include <QLineEdit>
#include <QWidget>

class TNovaStringGrid;

// The search edit: Enter and Ctrl+Enter are its two commands, never a line break.
class TRetEdit : public QLineEdit {
public:
    explicit TRetEdit(QWidget *parent = nullptr) : QLineEdit(parent) {}
    TNotifyEvent OnReturn;
    TNotifyEvent OnCtrlReturn;

protected:
    void keyPressEvent(QKeyEvent *e) override;
};

class TSearchPanel : public QWidget {
public:
    // The grid is owner and parent.
    explicit TSearchPanel(TNovaStringGrid *AGrid);

    TNovaStringGrid *Grid() const { return FGrid; }
    TRetEdit *Edit() const { return FEdit; }
    TNovaGridButton *ForwardButton() const { return FForwardButton; }
    TNovaGridButton *BackwardButton() const { return FBackwardButton; }
    TNovaGridButton *HiliteButton() const { return FHiliteButton; }
    TNovaGridButton *ExitButton() const { return FExitButton; }
    TNovaCheckBox *MatchCase() const { return FMatchCase; }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    QString FindNextCaption, FindPrevCaption, MatchCaseCaption, HighLightCaption;
    QString HintFindNext, HintFindPrev, HintClose, HintHighlight;

    // Places the children as the layout says (right to left mirrors each left edge) and applies
    // the captions and hints.
    void Arrange();

    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnHighlightClick;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnEditChange;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    void editChanged();
    TNovaStringGrid *FGrid;
    TRetEdit *FEdit;
    TNovaGridButton *FForwardButton;
    TNovaGridButton *FBackwardButton;
    TNovaGridButton *FHiliteButton;
    TNovaGridButton *FExitButton;
    TNovaCheckBox *FMatchCase;
    TColor FColor = clBtnFace;
    TColor FColorTo = clNone;
};
