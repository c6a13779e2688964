#include "grid/base/CellChecker.h"
#include "grid/base/GridOptions.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Counter = testsupport::NotifyCounter;

} // namespace

TEST(SearchFooter, DefaultsAndDesignTexts)
{
    TSearchFooter run;
    EXPECT_FALSE(run.AlwaysHighLight());
    EXPECT_TRUE(run.AutoSearch());
    EXPECT_EQ(run.Color(), clWhite);
    EXPECT_EQ(run.ColorTo(), clBtnFace);
    EXPECT_EQ(run.SearchColumn(), -1);
    EXPECT_EQ(run.SearchDirection(), sdTopBottom);
    EXPECT_TRUE(run.ShowClose() && run.ShowFindNext() && run.ShowFindPrev() && run.ShowHighLight() && run.ShowMatchCase());
    EXPECT_FALSE(run.Visible());
    EXPECT_FALSE(run.AutoThemeAdapt());
    EXPECT_TRUE(run.FindNextCaption().isEmpty());
    EXPECT_TRUE(run.HintHighlight().isEmpty());
    EXPECT_TRUE(run.LastSearch().isEmpty());

    TSearchFooter design(nullptr, true);
    EXPECT_EQ(design.FindPrevCaption(), QStringLiteral("Find &previous"));
    EXPECT_EQ(design.FindNextCaption(), QStringLiteral("Find &next"));
    EXPECT_EQ(design.MatchCaseCaption(), QStringLiteral("Match case"));
    EXPECT_EQ(design.HighLightCaption(), QStringLiteral("Highlight"));
    EXPECT_EQ(design.HintClose(), QStringLiteral("Close"));
    EXPECT_EQ(design.HintFindNext(), QStringLiteral("Find next occurrence"));
    EXPECT_EQ(design.HintFindPrev(), QStringLiteral("Find previous occurrence"));
    EXPECT_EQ(design.HintHighlight(), QStringLiteral("Highlight occurrences"));
}

TEST(SearchFooter, ChangeNotifications)
{
    TSearchFooter f;
    Counter c;
    f.OnChange = c.handler();
    struct Step { const char *what; std::function<void()> act; int expectedTotal; };
    TFont font;
    font.Size = 11;
    const Step steps[] = {
        {"Color", [&] { f.SetColor(0xF0F0F0); }, 1},
        {"ColorTo same value still notifies", [&] { f.SetColorTo(clBtnFace); }, 2},
        {"caption", [&] { f.SetFindNextCaption(QStringLiteral("Next")); }, 3},
        {"hint", [&] { f.SetHintClose(QStringLiteral("x")); }, 4},
        {"font", [&] { f.SetFont(font); }, 5},
        {"ShowClose unchanged notifies", [&] { f.SetShowClose(true); }, 6},
        {"ShowFindNext unchanged is quiet", [&] { f.SetShowFindNext(true); }, 6},
        {"ShowFindNext changed", [&] { f.SetShowFindNext(false); }, 7},
        {"Visible unchanged", [&] { f.SetVisible(false); }, 7},
        {"Visible changed", [&] { f.SetVisible(true); }, 8},
        {"AutoThemeAdapt", [&] { f.SetAutoThemeAdapt(true); }, 9},
        {"plain AlwaysHighLight", [&] { f.SetAlwaysHighLight(true); }, 9},
        {"plain SearchColumn", [&] { f.SetSearchColumn(3); }, 9},
        {"plain SearchDirection", [&] { f.SetSearchDirection(sdLeftRight); }, 9},
    };
    for (const Step &s : steps) {
        s.act();
        EXPECT_EQ(c.count, s.expectedTotal) << s.what;
    }
    EXPECT_EQ(c.sender, &f);
    EXPECT_EQ(f.Font().Size, 11);
}

TEST(SearchFooter, AssignSkipsAutoSearchAndFixedCellsAndDoesNotNotify)
{
    TSearchFooter src;
    src.SetAutoSearch(false);
    src.SetSearchFixedCells(true);
    src.SetColorTo(0xF0F0F0);
    src.SetMatchCaseCaption(QStringLiteral("Case"));
    src.SetShowMatchCase(false);
    src.SetVisible(true);
    src.SetSearchHiddenRows(true);
    src.SetAutoThemeAdapt(true);
    src.SetLastSearch(QStringLiteral("abc"));
    TFont font;
    font.Name = QStringLiteral("Arial");
    src.SetFont(font);

    TSearchFooter dst;
    Counter c;
    dst.OnChange = c.handler();
    dst.Assign(src);
    EXPECT_EQ(c.count, 0);
    EXPECT_TRUE(dst.AutoSearch());
    EXPECT_FALSE(dst.SearchFixedCells());
    EXPECT_FALSE(dst.AutoThemeAdapt());
    EXPECT_TRUE(dst.LastSearch().isEmpty());
    EXPECT_EQ(dst.ColorTo(), 0xF0F0F0u);
    EXPECT_EQ(dst.MatchCaseCaption(), QStringLiteral("Case"));
    EXPECT_FALSE(dst.ShowMatchCase());
    EXPECT_TRUE(dst.Visible());
    EXPECT_TRUE(dst.SearchHiddenRows());
    EXPECT_EQ(dst.Font().Name, QStringLiteral("Arial"));
}

TEST(Navigation, ExactlyThirteenBooleansAreOnByDefault)
{
    TNavigation n;
    const std::pair<const char *, bool> flags[] = {
        {"AllowInsertRow", n.AllowInsertRow()}, {"AllowDeleteRow", n.AllowDeleteRow()},
        {"AlwaysEdit", n.AlwaysEdit()}, {"AdvanceOnEnter", n.AdvanceOnEnter()},
        {"AdvanceOnEnterLoop", n.AdvanceOnEnterLoop()}, {"AdvanceInsert", n.AdvanceInsert()},
        {"AdvanceAutoEdit", n.AdvanceAutoEdit()}, {"AdvanceSkipReadOnlyCells", n.AdvanceSkipReadOnlyCells()},
        {"AutoGotoWhenSorted", n.AutoGotoWhenSorted()}, {"AutoGotoIncremental", n.AutoGotoIncremental()},
        {"AutoComboDropSize", n.AutoComboDropSize()}, {"AllowClipboardShortCuts", n.AllowClipboardShortCuts()},
        {"AllowCtrlEnter", n.AllowCtrlEnter()}, {"AllowSmartClipboard", n.AllowSmartClipboard()},
        {"AllowRTFClipboard", n.AllowRTFClipboard()}, {"AllowFmtClipboard", n.AllowFmtClipboard()},
        {"AllowClipboardAlways", n.AllowClipboardAlways()}, {"AllowClipboardRowGrow", n.AllowClipboardRowGrow()},
        {"AllowClipboardColGrow", n.AllowClipboardColGrow()}, {"AdvanceAuto", n.AdvanceAuto()},
        {"AppendOnArrowDown", n.AppendOnArrowDown()}, {"EditSelectAll", n.EditSelectAll()},
        {"ComboGetUpDown", n.ComboGetUpDown()}, {"CursorWalkEditor", n.CursorWalkEditor()},
        {"CursorWalkAlwaysEdit", n.CursorWalkAlwaysEdit()}, {"CursorMoveRows", n.CursorMoveRows()},
        {"MoveRowOnSort", n.MoveRowOnSort()}, {"KeepScrollOnSort", n.KeepScrollOnSort()},
        {"MoveScrollOnly", n.MoveScrollOnly()}, {"ImproveMaskSel", n.ImproveMaskSel()},
        {"LeftRightRowSelect", n.LeftRightRowSelect()}, {"CopyHTMLTagsToClipboard", n.CopyHTMLTagsToClipboard()},
        {"KeepHorizScroll", n.KeepHorizScroll()}, {"LineFeedOnEnter", n.LineFeedOnEnter()},
        {"SkipFixedCells", n.SkipFixedCells()}, {"SkipDisabledRows", n.SkipDisabledRows()},
        {"TabToNextAtEnd", n.TabToNextAtEnd()},
    };
    const QStringList expectedOn = {"AdvanceOnEnterLoop", "AdvanceAutoEdit", "AdvanceSkipReadOnlyCells",
                                    "AllowCtrlEnter", "AllowClipboardRowGrow", "AllowClipboardColGrow",
                                    "EditSelectAll", "ComboGetUpDown", "CursorWalkAlwaysEdit",
                                    "LeftRightRowSelect", "CopyHTMLTagsToClipboard", "SkipFixedCells",
                                    "SkipDisabledRows"};
    QStringList on;
    for (const auto &[name, value] : flags)
        if (value) on << QString::fromLatin1(name);
    EXPECT_EQ(on, expectedOn);
    EXPECT_EQ(n.AdvanceDirection(), adLeftRight);
    EXPECT_EQ(n.TabAdvanceDirection(), adLeftRight);
    EXPECT_EQ(n.InsertPosition(), pInsertBefore);
    EXPECT_EQ(n.ClipboardPasteAction(), paReplace);
    EXPECT_EQ(n.CursorAdvance(), caDefault);
    EXPECT_EQ(n.HomeEndKey(), heFirstLastColumn);
}

TEST(Navigation, SetterEffectsAndAssign)
{
    TNavigation n;
    Counter c;
    n.OnChange = c.handler();
    n.SetAdvanceDirection(adLeftRight);
    EXPECT_EQ(c.count, 0);
    n.SetAdvanceDirection(adTopBottom);
    EXPECT_EQ(c.count, 1);
    n.SetAdvanceInsert(true);
    n.SetAdvanceInsert(true);
    EXPECT_EQ(c.count, 2);
    n.SetAllowInsertRow(true); // plain field
    EXPECT_EQ(c.count, 2);

    n.SetAdvanceAuto(true);
    EXPECT_TRUE(n.AdvanceOnEnter());
    n.SetAdvanceAuto(false);
    EXPECT_TRUE(n.AdvanceOnEnter());
    EXPECT_EQ(c.count, 2);

    TNavigation src;
    src.SetAdvanceDirection(adTopBottomInCol);
    src.SetTabAdvanceDirection(adLeftRightInRow);
    src.SetKeepScrollOnSort(true);
    src.SetHomeEndKey(heFirstLastCell);
    src.SetEditSelectAll(false);
    TNavigation dst;
    Counter c2;
    dst.OnChange = c2.handler();
    dst.Assign(src);
    EXPECT_EQ(dst.AdvanceDirection(), adTopBottomInCol);
    EXPECT_EQ(dst.TabAdvanceDirection(), adLeftRightInRow);
    EXPECT_FALSE(dst.KeepScrollOnSort());
    EXPECT_EQ(dst.HomeEndKey(), heFirstLastCell);
    EXPECT_FALSE(dst.EditSelectAll());
    EXPECT_EQ(c2.count, 0);
}

TEST(MouseActions, DefaultsAndSetterEffects)
{
    TMouseActions m;
    EXPECT_TRUE(m.AutoSizeColOnDblClick());
    EXPECT_TRUE(m.PreciseNodeClick());
    EXPECT_FALSE(m.DirectEdit());
    EXPECT_EQ(m.WheelIncrement(), 0);
    EXPECT_EQ(m.WheelAction(), waMoveSelection);
    EXPECT_EQ(m.FixedRowsEdit(), fceNone);
    EXPECT_EQ(m.FixedColsEditor(), fceEdit);
    EXPECT_TRUE(m.FixedComboValues().isEmpty());

    // At run time (no designer) the disjunct selections do not exclude each other.
    m.SetDisjunctRowSelect(true);
    m.SetDisjunctColSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.DisjunctColSelect());

    TMouseActions d;
    d.OnIsDesigning = [](QObject *, bool &designing) { designing = true; };
    d.SetDisjunctRowSelect(true);
    d.SetDisjunctCellSelect(true);
    EXPECT_FALSE(d.DisjunctRowSelect());
    EXPECT_TRUE(d.DisjunctCellSelect());
    d.SetDisjunctColSelect(true);
    EXPECT_FALSE(d.DisjunctCellSelect());
    EXPECT_TRUE(d.DisjunctColSelect());
    d.SetDisjunctRowSelectDirect(true); // the field without the setter's effect
    EXPECT_TRUE(d.DisjunctColSelect());

    Counter change, invalidate, disable;
    m.OnChange = change.handler();
    m.OnInvalidate = invalidate.handler();
    m.OnDisableEdit = disable.handler();
    m.SetWheelAction(waMoveSelection);
    EXPECT_EQ(change.count, 0);
    m.SetWheelAction(waScroll);
    EXPECT_EQ(change.count, 1);
    m.SetEditOnDblClickOnly(false);
    EXPECT_EQ(disable.count, 0);
    m.SetEditOnDblClickOnly(true);
    EXPECT_EQ(disable.count, 1);
    TMouseActions h;
    Counter inv2;
    h.OnInvalidate = inv2.handler();
    h.SetHotmailRowSelect(false);
    EXPECT_EQ(inv2.count, 1);
    EXPECT_FALSE(h.DisjunctRowSelect());
    h.SetHotmailRowSelect(true);
    EXPECT_EQ(inv2.count, 2);
    EXPECT_TRUE(h.DisjunctRowSelect());
    EXPECT_TRUE(h.CheckAllCheck());

    m.SetFixedComboValues({QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(m.FixedComboValues().size(), 2);
}

TEST(MouseActions, AssignSkipsFourValues)
{
    TMouseActions src;
    src.SetEditOnDblClickOnly(true);
    src.SetFixedComboValues({QStringLiteral("x")});
    src.SetHotmailRowSelect(true);
    src.SetSizeFixedRow(true);
    src.SetWheelIncrement(1);
    src.SetWheelAction(waScroll);
    src.SetRowSelect(true);
    TMouseActions dst;
    Counter c;
    dst.OnChange = c.handler();
    dst.Assign(src);
    EXPECT_FALSE(dst.EditOnDblClickOnly());
    EXPECT_TRUE(dst.FixedComboValues().isEmpty());
    EXPECT_FALSE(dst.HotmailRowSelect());
    EXPECT_FALSE(dst.SizeFixedRow());
    EXPECT_TRUE(dst.DisjunctRowSelect());   // copied as a value of its own
    EXPECT_TRUE(dst.CheckAllCheck());
    EXPECT_EQ(dst.WheelIncrement(), 1);
    EXPECT_EQ(dst.WheelAction(), waScroll);
    EXPECT_TRUE(dst.RowSelect());
    EXPECT_EQ(c.count, 0);
}

TEST(SyncGrid, NeverCouplesAGridWithItself)
{
    QWidget owner, other;
    TSyncGrid s(&owner);
    EXPECT_EQ(s.Grid(), nullptr);
    s.SetGrid(&owner);
    EXPECT_EQ(s.Grid(), nullptr);
    s.SetGrid(&other);
    EXPECT_EQ(s.Grid(), &other);
    s.SetScrollVertical(true);
    s.SetMoveRow(true);

    QWidget secondOwner;
    TSyncGrid t(&secondOwner);
    t.Assign(s);
    EXPECT_EQ(t.Grid(), &other);
    EXPECT_TRUE(t.ScrollVertical());
    EXPECT_TRUE(t.MoveRow());
    EXPECT_FALSE(t.SelectionRow());

    TSyncGrid u(&other); // its owner is the grid s points to: refused
    u.Assign(s);
    EXPECT_EQ(u.Grid(), nullptr);
    EXPECT_TRUE(u.ScrollVertical());
    s.SetGrid(nullptr);
    EXPECT_EQ(s.Grid(), nullptr);
}

TEST(Bands, LengthsColoursAndNotifications)
{
    TBands b;
    EXPECT_FALSE(b.Active());
    EXPECT_EQ(b.PrimaryColor(), clInfoBk);
    EXPECT_EQ(b.SecondaryColor(), clWindow);
    EXPECT_EQ(b.TotalLength(), 2);
    Counter c;
    b.OnChange = c.handler();
    b.SetSecondaryLength(3);
    EXPECT_EQ(b.TotalLength(), 4);
    EXPECT_EQ(c.count, 0); // inactive bands do not notify
    b.SetPrimaryColor(clRed);
    EXPECT_EQ(c.count, 0);
    b.SetActive(true);
    EXPECT_EQ(c.count, 1);
    b.SetActive(true);
    EXPECT_EQ(c.count, 1);
    b.SetPrimaryColor(clRed);
    EXPECT_EQ(c.count, 1); // unchanged
    b.SetPrimaryColor(clBlue);
    b.SetPrimaryLength(2);
    b.SetSecondaryColor(clYellow);
    EXPECT_EQ(c.count, 4);
    EXPECT_EQ(b.TotalLength(), 5);
    b.SetPrimaryLength(0); // a band is at least one row
    EXPECT_EQ(b.PrimaryLength(), 1);
    EXPECT_EQ(b.TotalLength(), 4);
    b.SetPrint(true);

    TBands d;
    Counter c2;
    d.OnChange = c2.handler();
    d.Assign(b);
    EXPECT_EQ(c2.count, 0);
    EXPECT_TRUE(d.Active());
    EXPECT_EQ(d.PrimaryColor(), clBlue);
    EXPECT_EQ(d.SecondaryColor(), clYellow);
    EXPECT_EQ(d.TotalLength(), 4);
    EXPECT_TRUE(d.Print());

    TFocusHelper f1, f2;
    EXPECT_FALSE(f1.Enabled());
    f1.SetEnabled(true);
    f2.Assign(f1);
    EXPECT_TRUE(f2.Enabled());
}

TEST(CellChecker, BaseChangesNothing)
{
    TNovaStringGridCheck check;
    EXPECT_FALSE(check.GotoCell() || check.AutoCorrect() || check.AutoMarkError() || check.UseCorrect() ||
                 check.UseMarkError());
    check.SetGotoCell(true);
    check.SetAutoCorrect(true);
    check.SetAutoMarkError(true);
    check.SetUseCorrect(true);
    check.SetUseMarkError(true);
    check.StartCheck();
    const QStringList texts = {QString(), QStringLiteral("teh"), QStringLiteral("<b>x</b>"), QStringLiteral("  ")};
    for (const QString &t : texts) {
        EXPECT_EQ(check.Correct(1, 2, t), t);
        EXPECT_EQ(check.MarkError(1, 2, t), t);
    }
    check.StopCheck();

    // A derived checker overrides the hooks; the grid calls them through the base.
    struct Upper : TNovaStringGridCheck {
        QString Correct(int, int, const QString &s) override { return s.toUpper(); }
    } upper;
    TNovaStringGridCheck *base = &upper;
    EXPECT_EQ(base->Correct(0, 0, QStringLiteral("ab")), QStringLiteral("AB"));
    EXPECT_EQ(base->MarkError(0, 0, QStringLiteral("ab")), QStringLiteral("ab"));
}
