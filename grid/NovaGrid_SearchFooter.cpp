// The search bar below the cells: applying the SearchFooter settings to it, keeping it docked,
// its accelerators, and what typing and its buttons do in the grid.
#include "grid/NovaGrid.h"

#include "grid/ControlLook.h"
#include "grid/SearchPanel.h"

#include <QApplication>
#include <QKeySequence>

namespace {

// The Alt+letter of a caption with "&" before the letter; 0 when it has none.
int accelerator(const QString &caption)
{
    const QKeySequence k = QKeySequence::mnemonic(caption);
    return k.isEmpty() ? 0 : int(k[0].key());
}

} // namespace

void TNovaStringGrid::placeSearchPanel()
{
    if (!FSearchPanel)
        return;
    if (FSearchFooter->Visible()) {
        FSearchPanel->setGeometry(0, height() - 32, width(), 32);
        FSearchPanel->Arrange();
        FSearchPanel->show();
        FSearchPanel->raise();
    } else {
        FSearchPanel->setGeometry(0, height(), width(), 0);
        FSearchPanel->hide();
    }
}

void TNovaStringGrid::createSearchPanel()
{
    FSearchPanel = new TSearchPanel(this);
    FSearchPanel->hide();
    FSearchPanel->OnForwardClick = [this](QObject *) { SearchPanelForwardClick(); };
    FSearchPanel->OnBackwardClick = [this](QObject *) { SearchPanelBackwardClick(); };
    FSearchPanel->OnHighlightClick = [this](QObject *) { SearchPanelHighlightClick(); };
    FSearchPanel->OnExitClick = [this](QObject *) { SearchPanelExitClick(); };
    FSearchPanel->OnEditChange = [this](QObject *) { SearchPanelEditChange(); };
}

void TNovaStringGrid::UpdateSearchFooter()
{
    TSearchPanel &P = *FSearchPanel;
    const TSearchFooter &F = *FSearchFooter;
    const bool hiDown = P.HiliteButton()->Down();
    if ((hiDown && P.isVisible() && !F.Visible()) || F.AlwaysHighLight()) {
        if (F.SearchColumn() == -1)
            UnHilightInGrid(false);
        else
            UnHilightInCol(false, F.SearchColumn());
    }
    P.SetColor(F.Color());
    P.SetColorTo(F.ColorTo());
    P.setFont(F.Font().ToQFont());
    P.FindNextCaption = F.FindNextCaption();
    P.FindPrevCaption = F.FindPrevCaption();
    P.HighLightCaption = F.HighLightCaption();
    P.MatchCaseCaption = F.MatchCaseCaption();
    P.HintFindNext = F.HintFindNext();
    P.HintFindPrev = F.HintFindPrev();
    P.HintClose = F.HintClose();
    P.HintHighlight = F.HintHighlight();

    for (TNovaGridButton *b : {P.ForwardButton(), P.BackwardButton(), P.HiliteButton()}) {
        b->setFont(P.font());
        switch (FControlLook->ControlStyle()) {
        case csFlat:
            b->SetFlat(true);
            break;
        case csWinXP:
        case csTheme:
            b->SetAutoThemeAdapt(F.AutoThemeAdapt());
            b->SetAutoXPStyle(!F.AutoThemeAdapt());
            b->SetFlat(F.AutoThemeAdapt());
            break;
        default:
            b->SetAutoXPStyle(false);
            b->SetFlat(false);
            break;
        }
    }
    P.HiliteButton()->setVisible(F.ShowHighLight());
    P.ExitButton()->setVisible(F.ShowClose());
    P.MatchCase()->setVisible(F.ShowMatchCase());
    P.BackwardButton()->setVisible(F.ShowFindPrev());
    P.ForwardButton()->setVisible(F.ShowFindNext());
    placeSearchPanel();
    if (F.Visible())
        KeepLastRowAboveSearchFooter();
    InvalidateGrid();
}

bool TNovaStringGrid::DialogChar(int Key)
{
    if (!FSearchPanel || !FSearchFooter->Visible() || Key == 0)
        return false;
    const struct {
        TNovaGridButton *button;
        void (TNovaStringGrid::*action)();
    } buttons[] = {
        {FSearchPanel->ForwardButton(), &TNovaStringGrid::SearchPanelForwardClick},
        {FSearchPanel->BackwardButton(), &TNovaStringGrid::SearchPanelBackwardClick},
        {FSearchPanel->HiliteButton(), &TNovaStringGrid::SearchPanelHighlightClick},
    };
    for (const auto &b : buttons)
        if (accelerator(b.button->Caption()) == Key && b.button->isVisibleTo(this) && b.button->isEnabled()) {
            if (b.button == FSearchPanel->HiliteButton())
                b.button->SetDown(!b.button->Down());
            (this->*b.action)();
            return true;
        }
    return false;
}

TFindParams TNovaStringGrid::footerFlags(bool Forward, bool Backward, bool Full)
{
    const TSearchFooter &F = *FSearchFooter;
    TFindParams fp{fnAutoGoto};
    if (Backward)
        fp.Include(fnBackward);
    if (FSearchPanel->HiliteButton()->Down())
        fp.Include(fnIgnoreHTMLTags);
    if (FSearchPanel->MatchCase()->Checked())
        fp.Include(fnMatchCase);
    if (F.SearchActiveColumnOnly())
        fp.Include(fnFindInCurrentCol);
    if (F.SearchMatchStart())
        fp.Include(fnMatchStart);
    if (Full && F.SearchFixedCells())
        fp.Include(fnIncludeFixed);
    if (Full && F.SearchHiddenRows())
        fp.Include(fnIncludeHiddenRows);
    if (Forward && F.SearchDirection() == sdLeftRight)
        fp.Include(fnDirectionLeftRight);
    if (F.SearchColumn() >= 0 && F.SearchColumn() < ColCount()) {
        fp.Include(fnFindInPresetCol);
        FindCol = F.SearchColumn();
    }
    return fp;
}

void TNovaStringGrid::setSearchEditColor(TColor Color)
{
    QLineEdit *e = FSearchPanel->Edit();
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, Color == clRed ? QColor(Qt::red) : QApplication::palette().color(QPalette::Base));
    e->setPalette(pal);
    e->update();
}

void TNovaStringGrid::SearchPanelEditChange()
{
    const QString text = FSearchPanel->Edit()->text();
    bool defaultSearch = true;
    FireEvent(OnSearchEditChange, this, text, defaultSearch);
    if (!defaultSearch || !FSearchFooter->AutoSearch())
        return;
    const TSearchFooter &F = *FSearchFooter;
    const bool hiDown = FSearchPanel->HiliteButton()->Down();
    FFindParams = footerFlags(F.SearchDirection() == sdLeftRight, false, true);
    const TFindParams fp = FFindParams;
    auto unHilight = [&] {
        if (F.SearchColumn() == -1)
            UnHilightInGrid(false);
        else
            UnHilightInCol(false, F.SearchColumn());
    };
    if (hiDown || F.AlwaysHighLight())
        unHilight();
    if (text.isEmpty()) {
        setSearchEditColor(clWindow);
        if (hiDown)
            unHilight();
        return;
    }
    SearchCell = Find({-1, -1}, text, fp);
    DoSearchFooterAction(text, SearchCell.X, SearchCell.Y, saFindFirst);
    if (SearchCell.X == -1) {
        setSearchEditColor(clRed);
        return;
    }
    setSearchEditColor(clWindow);
    ScrollInView(SearchCell.X, SearchCell.Y);
    if (hiDown || F.AlwaysHighLight()) {
        const bool mc = FSearchPanel->MatchCase()->Checked();
        if (F.SearchColumn() == -1)
            HilightInGrid(false, mc, text);
        else
            HilightInCol(false, mc, F.SearchColumn(), text);
    }
}

void TNovaStringGrid::SearchPanelForwardClick()
{
    const QString text = FSearchPanel->Edit()->text();
    if (!FSearchFooter->AutoSearch() && text != FSearchFooter->LastSearch())
        SearchCell = {-1, -1};
    FSearchFooter->SetLastSearch(text);
    SearchCell = Find(SearchCell, text, footerFlags(true, false, false));
    if (SearchCell.X != -1) {
        ScrollInView(SearchCell.X, SearchCell.Y);
        const int hidden = FloatingFooterShown() ? 0 : 1;
        if (TopRow() + VisibleRowCount() + hidden - 3 < Row()
            && (1 - hidden) + VisibleRowCount() + FixedRows() < RowCount())
            SetTopRow(std::min(TopRow() + 2, RowCount() - 1));
    }
    DoSearchFooterAction(text, SearchCell.X, SearchCell.Y, saFindNext);
    FSearchPanel->update();
}

void TNovaStringGrid::SearchPanelBackwardClick()
{
    const QString text = FSearchPanel->Edit()->text();
    if (!FSearchFooter->AutoSearch() && text != FSearchFooter->LastSearch())
        SearchCell = {-1, -1};
    FSearchFooter->SetLastSearch(text);
    SearchCell = Find(SearchCell, text, footerFlags(false, true, false));
    if (SearchCell.X != -1) {
        const int hidden = FloatingFooterShown() ? 0 : 1;
        if (TopRow() + VisibleRowCount() + hidden - 3 < Row()
            && (1 - hidden) + VisibleRowCount() + FixedRows() < RowCount())
            SetTopRow(std::min(TopRow() + 2, RowCount() - 1));
        ScrollInView(SearchCell.X, SearchCell.Y);
    }
    DoSearchFooterAction(text, SearchCell.X, SearchCell.Y, saFindPrevious);
    FSearchPanel->update();
}

void TNovaStringGrid::SearchPanelHighlightClick()
{
    const QString text = FSearchPanel->Edit()->text();
    const bool mc = FSearchPanel->MatchCase()->Checked();
    const int col = FSearchFooter->SearchColumn();
    if (FSearchPanel->HiliteButton()->Down()) {
        if (col == -1)
            HilightInGrid(false, mc, text);
        else
            HilightInCol(false, mc, col, text);
    } else {
        if (col == -1)
            UnHilightInGrid(false);
        else
            UnHilightInCol(false, col);
    }
}

void TNovaStringGrid::SearchPanelExitClick()
{
    FireEvent(OnSearchFooterClose, this);
    FSearchFooter->SetVisible(false);
}

void TNovaStringGrid::FocusSearchEdit()
{
    if (FSearchPanel)
        FSearchPanel->Edit()->setFocus();
}
