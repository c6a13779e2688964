// The string grid's keyboard layer driven by real key events: the pre- and post-processing around
// the platform's navigation (control cells, Home and End, sideways scrolling, fixed cells, the
// search footer, row keys, clipboard keys, select all, disjunct selection) and the steps after it
// (moving rows, disabled rows, a synchronised grid), and the incremental look-up.
#include "grid_edit_support.h"

#include "grid/CellGraphic.h"
#include "grid/ControlLook.h"

#include <vector>

namespace {

// A grid that records the hooks the keyboard calls.
class KeyGrid : public TNovaStringGrid {
public:
    std::vector<QString> calls;
    void DoSelectionChanged(int L, int T, int R, int B) override
    {
        calls.push_back(QStringLiteral("selection %1,%2-%3,%4").arg(L).arg(T).arg(R).arg(B));
    }
    void DoSelectAll() override { calls.push_back(QStringLiteral("select all")); }
    void AutoInsertRow(int ARow) override
    {
        calls.push_back(QStringLiteral("insert %1").arg(ARow));
        InsertRowsCore(ARow, 1);
    }
    void AutoDeleteRow(int ARow) override
    {
        calls.push_back(QStringLiteral("delete %1").arg(ARow));
        RemoveRowsCore(ARow, 1);
    }
    bool IsNode(int ARow) override { return ARow == nodeRow; }
    void ExpandNode(int ARow) override { calls.push_back(QStringLiteral("expand %1").arg(ARow)); }
    void ContractNode(int ARow) override { calls.push_back(QStringLiteral("contract %1").arg(ARow)); }
    void FocusSearchEdit() override { calls.push_back(QStringLiteral("search edit")); }
    int nodeRow = -1;
    void DoButtonClick(int ACol, int ARow) override { calls.push_back(QStringLiteral("button %1,%2").arg(ACol).arg(ARow)); }
    void DoCheckBoxClick(int ACol, int ARow, bool State) override
    {
        calls.push_back(QStringLiteral("check %1,%2 %3").arg(ACol).arg(ARow).arg(State));
    }
};

class KeyboardTest : public GridEditTest {
protected:
    void SetUp() override
    {
        GridEditTest::SetUp();
        auto g = std::make_unique<KeyGrid>();
        kg = g.get();
        prepare(std::move(g)); // the recording grid replaces the fixture's plain one
    }
    void editing(bool on)
    {
        TGridOptions o = grid->Options();
        if (on) o.Include(goEditing);
        else o.Exclude(goEditing);
        grid->SetOptions(o);
    }
    void option(TGridOption opt, bool on)
    {
        TGridOptions o = grid->Options();
        if (on) o.Include(opt);
        else o.Exclude(opt);
        grid->SetOptions(o);
    }
    int keyDowns(int k)
    {
        int n = 0;
        for (int seen : downs) n += seen == k;
        return n;
    }
    void recordKeyDowns()
    {
        grid->OnKeyDown = [this](QObject *, int &k, Qt::KeyboardModifiers) { downs.push_back(k); };
    }
    KeyGrid *kg = nullptr;
    std::vector<int> downs;
};

} // namespace

TEST_F(KeyboardTest, EnterAndF2OpenAnEditableCellWhenEditingWaitsForADoubleClick)
{
    grid->MouseActions()->SetEditOnDblClickOnly(true);
    editing(false);
    grid->FocusCell(1, 1);
    key(Qt::Key_F2);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
    EXPECT_TRUE(textEditorShown());
    key(Qt::Key_Escape);

    // A read-only cell stays closed.
    editing(false);
    grid->SetReadOnly(2, 2, true);
    grid->FocusCell(2, 2);
    editing(false);
    key(Qt::Key_F2);
    EXPECT_FALSE(grid->Options().Contains(goEditing));
    EXPECT_FALSE(textEditorShown());
}

TEST_F(KeyboardTest, SpaceAndEnterActOnControlCellsWithPermission)
{
    struct Case {
        const char *name;
        TCellType kind;
        bool editing;
        bool alwaysActive;
        int key;
        QString expected; // the hook call or event, empty for none
    };
    const Case cases[] = {
        {"check box, editing", ctCheckBox, true, false, Qt::Key_Space, QStringLiteral("check 1,1 1")},
        {"check box, no editing", ctCheckBox, false, false, Qt::Key_Space, QString()},
        {"check box, always active", ctCheckBox, false, true, Qt::Key_Space, QStringLiteral("check 1,1 1")},
        {"check box ignores Enter", ctCheckBox, true, false, Qt::Key_Return, QString()},
        {"radio group, next option", ctRadio, true, false, Qt::Key_Space, QStringLiteral("radio 1,1 1")},
        {"radio group, no editing", ctRadio, false, false, Qt::Key_Space, QString()},
        {"radio button", ctRadioButton, true, false, Qt::Key_Space, QStringLiteral("radio button 1,1")},
        {"button, Space", ctButton, true, false, Qt::Key_Space, QStringLiteral("button 1,1")},
        {"button, Enter", ctButton, true, false, Qt::Key_Return, QStringLiteral("button 1,1")},
        {"button, no editing", ctButton, false, true, Qt::Key_Space, QString()},
    };
    grid->OnRadioClick = [this](QObject *, int c, int r, int i) {
        kg->calls.push_back(QStringLiteral("radio %1,%2 %3").arg(c).arg(r).arg(i));
    };
    grid->OnRadioButtonClick = [this](QObject *, int c, int r) {
        kg->calls.push_back(QStringLiteral("radio button %1,%2").arg(c).arg(r));
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        kg->calls.clear();
        switch (c.kind) {
        case ctCheckBox: grid->AddCheckBox(1, 1, false, false); break;
        case ctRadioButton:
            grid->AddRadioButton(1, 1, false);
            grid->AddRadioButton(1, 2, true);
            break;
        case ctRadio: {
            QStringList *options = grid->CreateRadio(1, 1, 0, 0);
            *options << QStringLiteral("off") << QStringLiteral("on");
            break;
        }
        default: grid->CreateCellGraphic(1, 1)->SetCellType(c.kind); break;
        }
        grid->ControlLook()->SetCheckAlwaysActive(c.alwaysActive);
        editing(c.editing);
        grid->FocusCell(2, 3);
        grid->FocusCell(1, 1);
        editing(c.editing);
        grid->SetRowModified(1, false);
        key(c.key);
        std::vector<QString> hooks;
        for (const QString &s : kg->calls)
            if (!s.startsWith(QLatin1String("selection"))) hooks.push_back(s);
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(hooks.empty()) << hooks.front().toStdString();
        } else {
            ASSERT_EQ(hooks.size(), 1u);
            EXPECT_EQ(hooks.front(), c.expected);
        }
        // A control cell never opens the text editor; a toggled box is checked and marks its row.
        EXPECT_FALSE(textEditorShown());
        const bool acted = !c.expected.isEmpty();
        if (c.kind == ctCheckBox) {
            EXPECT_EQ(grid->IsChecked(1, 1), acted);
            EXPECT_EQ(grid->RowModified(1), acted);
        }
        if (c.kind == ctRadioButton) {
            EXPECT_EQ(grid->IsRadioButtonChecked(1, 1), acted);
            EXPECT_EQ(grid->IsRadioButtonChecked(1, 2), !acted);
            grid->RemoveRadioButton(1, 2);
        }
        if (c.kind == ctRadio) EXPECT_EQ(grid->Cells(1, 1), acted ? QStringLiteral("on") : QString());
        grid->RemoveCellGraphic(1, 1);
        grid->SetCells(1, 1, QString());
    }
}

TEST_F(KeyboardTest, HomeAndEndByRowAndByColumnWithShift)
{
    grid->SetColCount(6);
    grid->SetRowCount(8);
    recordKeyDowns();
    grid->Navigation()->SetHomeEndKey(heFirstLastRow);
    grid->FocusCell(3, 4);
    key(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(grid->Row(), 7);
    EXPECT_EQ(grid->Selection(), (TGridRect{3, 4, 3, 7}));
    EXPECT_EQ(keyDowns(Qt::Key_End), 1);
    key(Qt::Key_Home);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 3);

    grid->Navigation()->SetHomeEndKey(heFirstLastColumn);
    grid->FocusCell(4, 2);
    key(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 4, 2}));
    key(Qt::Key_End);
    EXPECT_EQ(grid->Col(), 5);
    key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->LeftCol(), 1);

    // A grid that is only its fixed row leaves Home and End to the platform.
    grid->SetFixedRowAlways(true);
    grid->SetRowCount(1);
    downs.clear();
    key(Qt::Key_End);
    EXPECT_EQ(keyDowns(Qt::Key_End), 1);
}

TEST_F(KeyboardTest, RowSelectScrollsSidewaysWithTheArrows)
{
    grid->SetColCount(30);
    grid->SetRowCount(5);
    option(goRowSelect, true);
    recordKeyDowns();
    grid->Navigation()->SetLeftRightRowSelect(false);
    key(Qt::Key_Right);
    EXPECT_EQ(grid->LeftCol(), 2);
    EXPECT_EQ(keyDowns(Qt::Key_Right), 1);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    EXPECT_EQ(grid->LeftCol(), 1);

    grid->Navigation()->SetLeftRightRowSelect(true);
    const int row = grid->Row();
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_GT(grid->LeftCol(), 1);
    EXPECT_EQ(grid->Row(), row);
}

TEST_F(KeyboardTest, VerticalKeysKeepTheHorizontalScrollInRowSelectMode)
{
    grid->SetColCount(30);
    grid->SetRowCount(20);
    option(goRowSelect, true);
    grid->Navigation()->SetKeepHorizScroll(true);
    grid->SetLeftCol(5);
    key(Qt::Key_Down);
    key(Qt::Key_PageDown);
    EXPECT_GT(grid->Row(), 2);
    EXPECT_EQ(grid->LeftCol(), 5);
    EXPECT_EQ(grid->UpdateCount(), 0);
}

TEST_F(KeyboardTest, ArrowsJumpOverFixedCells)
{
    grid->SetColCount(6);
    grid->SetRowCount(6);
    grid->OnIsFixedCell = [](QObject *, int r, int c, bool &f) { f = f || c == 2 || c == 3 || r == 3; };
    recordKeyDowns();
    struct Case {
        const char *name;
        int col, row, key;
        bool rtl;
        int toCol, toRow;
    };
    const Case cases[] = {
        {"right over two fixed columns", 1, 1, Qt::Key_Right, false, 4, 1},
        {"left back over them", 4, 1, Qt::Key_Left, false, 1, 1},
        {"down over a fixed row", 1, 2, Qt::Key_Down, false, 1, 4},
        {"up over it", 1, 4, Qt::Key_Up, false, 1, 2},
        {"right to left: Left walks right", 1, 1, Qt::Key_Left, true, 4, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        grid->setLayoutDirection(c.rtl ? Qt::RightToLeft : Qt::LeftToRight);
        grid->FocusCell(c.col, c.row);
        downs.clear();
        key(c.key);
        EXPECT_EQ(grid->Col(), c.toCol);
        EXPECT_EQ(grid->Row(), c.toRow);
        EXPECT_EQ(keyDowns(c.key), 1);
    }
    grid->setLayoutDirection(Qt::LeftToRight);
    grid->Navigation()->SetSkipFixedCells(false);
    grid->FocusCell(1, 1);
    key(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 1) << "the platform refuses the fixed cell";
}

TEST_F(KeyboardTest, SearchFooterConsumesKeysAtTheLastRowAndTheDrawingLockIsReleased)
{
    grid->SetRowCount(40);
    grid->SearchFooter()->SetVisible(true);
    recordKeyDowns();
    key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 39);
    downs.clear();
    const int top = grid->TopRow();
    key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 39);
    EXPECT_EQ(grid->TopRow(), top);
    EXPECT_EQ(keyDowns(Qt::Key_Down), 1);
    key(Qt::Key_Right);
    key(Qt::Key_F5);
    EXPECT_EQ(grid->UpdateCount(), 0);
}

TEST_F(KeyboardTest, InsertAndDeleteAskTheirEventsAndCallTheRowHooks)
{
    grid->SetRowCount(5);
    for (int r = 1; r < 5; ++r) grid->SetCells(1, r, QString::number(r));
    std::vector<QString> events;
    bool allow = false;
    grid->OnCanInsertRow = [&](QObject *, int r, bool &can) {
        events.push_back(QStringLiteral("can insert %1").arg(r));
        can = allow;
    };
    grid->OnAutoInsertRow = [&](QObject *, int r) { events.push_back(QStringLiteral("inserted %1").arg(r)); };
    grid->OnCanDeleteRow = [&](QObject *, int r, bool &can) {
        events.push_back(QStringLiteral("can delete %1").arg(r));
        can = allow;
    };
    grid->FocusCell(1, 2);
    key(Qt::Key_Insert);
    EXPECT_TRUE(events.empty()) << "Insert needs AllowInsertRow";
    grid->Navigation()->SetAllowInsertRow(true);
    grid->Navigation()->SetAllowDeleteRow(true);
    key(Qt::Key_Insert);
    key(Qt::Key_Delete);
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("can insert 2"), QStringLiteral("can delete 2")}));
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_FALSE(grid->GridModified());

    allow = true;
    events.clear();
    kg->calls.clear();
    key(Qt::Key_Insert);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->Cells(1, 2), QString());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(grid->GridModified());
    grid->Navigation()->SetInsertPosition(pInsertAfter);
    key(Qt::Key_Insert);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Cells(1, 4), QStringLiteral("2"));
    key(Qt::Key_Delete);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("can insert 2"), QStringLiteral("inserted 2"),
                                            QStringLiteral("can insert 2"), QStringLiteral("inserted 3"),
                                            QStringLiteral("can delete 3")}));
    EXPECT_FALSE(textEditorShown());
}

TEST_F(KeyboardTest, ClipboardShortcutsAskTheirEventsOnlyWhenAllowed)
{
    std::vector<QString> events;
    grid->OnClipboardCopy = [&](QObject *, bool &) { events.push_back(QStringLiteral("copy")); };
    grid->OnClipboardCut = [&](QObject *, bool &) { events.push_back(QStringLiteral("cut")); };
    grid->OnClipboardPaste = [&](QObject *, bool &) { events.push_back(QStringLiteral("paste")); };
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(events.empty());
    grid->Navigation()->SetAllowClipboardShortCuts(true);
    key(Qt::Key_C, Qt::ControlModifier);
    key(Qt::Key_Insert, Qt::ControlModifier);
    key(Qt::Key_X, Qt::ControlModifier);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("copy"), QStringLiteral("copy"), QStringLiteral("cut"),
                                            QStringLiteral("cut"), QStringLiteral("paste"), QStringLiteral("paste")}));
    // The letters never reach a cell editor.
    EXPECT_FALSE(textEditorShown());
    EXPECT_EQ(grid->Cells(1, 1), QString());
}

TEST_F(KeyboardTest, CtrlASelectsEveryDataCellOnlyInRangeOrRowSelectMode)
{
    grid->SetColCount(5);
    grid->SetRowCount(6);
    option(goRangeSelect, false);
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
    option(goRangeSelect, true);
    kg->calls.clear();
    std::vector<std::pair<int, int>> clicks;
    grid->OnClickCell = [&](QObject *, int r, int c) { clicks.emplace_back(c, r); };
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 4, 5}));
    ASSERT_FALSE(kg->calls.empty());
    EXPECT_EQ(kg->calls.front(), QStringLiteral("select all"));
    // The settling click lands on the last data cell and leaves the whole selection standing.
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{4, 5}}));
    EXPECT_FALSE(textEditorShown());
}

TEST_F(KeyboardTest, DisjunctRowSelectionFollowsTheKeys)
{
    editing(false);
    grid->SetRowCount(8);
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->SetRowSelect(5, true);
    key(Qt::Key_Down);
    EXPECT_EQ(grid->RowSelectCount(), 0) << "a plain arrow clears the flags";
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_TRUE(grid->RowSelect(grid->Row()));
    const int r = grid->Row();
    key(Qt::Key_Space);
    EXPECT_FALSE(grid->RowSelect(r));
    key(Qt::Key_Space);
    EXPECT_TRUE(grid->RowSelect(r));
}

TEST_F(KeyboardTest, CtrlUpAndDownMoveTheSelectedRows)
{
    grid->SetRowCount(6);
    for (int r = 1; r < 6; ++r) grid->SetCells(1, r, QStringLiteral("r%1").arg(r));
    grid->Navigation()->SetCursorMoveRows(true);
    grid->FocusCell(1, 2);
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("r2"));
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("r3"));

    // A block of rows moves as one; the selection goes with it over all columns.
    grid->SetSelection(TGridRect{1, 3, 1, 4});
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("r2"));
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("r4"));
    EXPECT_EQ(grid->Cells(1, 4), QStringLiteral("r3"));
    EXPECT_EQ(grid->Selection().Top, 2);
    EXPECT_EQ(grid->Selection().Bottom, 3);

    // Nothing moves past the first data row.
    grid->FocusCell(1, 1);
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("r1"));
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(KeyboardTest, ArrowsSkipDisabledRowsAndASynchronisedGridFollows)
{
    grid->SetRowCount(8);
    grid->SetRowEnabled(2, false);
    grid->SetRowEnabled(3, false);
    TNovaStringGrid other;
    other.SetRowCount(8);
    other.SetColCount(5);
    grid->SyncGrid()->SetGrid(&other);
    grid->SyncGrid()->SetSelectionRow(true);
    grid->SyncGrid()->SetSelectionColumn(true);
    grid->FocusCell(1, 1);
    key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 4);
    EXPECT_EQ(other.Row(), 4);
    key(Qt::Key_Right);
    EXPECT_EQ(other.Col(), 2);
    key(Qt::Key_Up);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(other.Row(), 1);
    grid->Navigation()->SetSkipDisabledRows(false);
    key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    grid->SyncGrid()->SetGrid(nullptr);
}

TEST_F(KeyboardTest, IncrementalLookUpOnTheSortedColumn)
{
    editing(false);
    grid->SetRowCount(6);
    const char *names[] = {"alpha", "Bravo", "bread", "<b>Brown</b>", "charlie"};
    for (int r = 1; r < 6; ++r) grid->SetCells(1, r, QString::fromLatin1(names[r - 1]));
    grid->SortSettings()->SetShow(true);
    grid->SortSettings()->SetColumn(1);
    grid->Navigation()->SetAutoGotoWhenSorted(true);
    grid->Navigation()->SetAutoGotoIncremental(true);
    type(QStringLiteral("br"));
    EXPECT_EQ(grid->Row(), 2);
    type(QStringLiteral("o"));
    EXPECT_EQ(grid->Row(), 4) << "marked-up text is compared without its tags";
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    type(QStringLiteral("re"));
    EXPECT_EQ(grid->Row(), 3) << "Backspace shortened the look-up to \"b\"";
    type(QStringLiteral("x"));
    type(QStringLiteral("a"));
    EXPECT_EQ(grid->Row(), 1) << "a miss empties the look-up";

    // Without incremental look-up each character starts anew.
    grid->Navigation()->SetAutoGotoIncremental(false);
    type(QStringLiteral("cb"));
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(KeyboardTest, EnterOnACellWithControlElementsOpensNoTextEditor)
{
    grid->SetCells(1, 1, QStringLiteral("Name <CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\">"));
    recordKeyDowns();
    key(Qt::Key_Return);
    EXPECT_FALSE(textEditorShown());
    EXPECT_EQ(keyDowns(Qt::Key_Return), 0);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(KeyboardTest, RightAndLeftOnTheMergedCellOfANodeRowOpenAndCloseTheNode)
{
    grid->SetRowCount(8);
    grid->HideRow(1); // displayed row 3 is real row 4 from here on
    kg->nodeRow = 3;
    grid->MergeCells(1, 3, 3, 1);
    grid->FocusCell(1, 2, true);
    kg->calls.clear();
    key(Qt::Key_Right); // not a node row: only the platform's step
    for (const QString &c : kg->calls)
        EXPECT_TRUE(c.startsWith(QLatin1String("selection"))) << c.toStdString();
    grid->FocusCell(1, 3, true);
    kg->calls.clear();
    key(Qt::Key_Right);
    grid->FocusCell(1, 3, true); // the step went on past the merged cell
    key(Qt::Key_Left);
    std::vector<QString> nodes;
    for (const QString &c : kg->calls)
        if (!c.startsWith(QLatin1String("selection"))) nodes.push_back(c);
    EXPECT_EQ(nodes, (std::vector<QString>{QStringLiteral("expand 4"), QStringLiteral("contract 4")}));
}

TEST_F(KeyboardTest, CtrlFPutsTheFocusIntoAVisibleSearchFooter)
{
    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(kg->calls.empty());
    grid->SearchFooter()->SetVisible(true);
    key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(kg->calls, (std::vector<QString>{QStringLiteral("search edit")}));
}
