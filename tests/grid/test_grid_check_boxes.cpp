// Cell check boxes and radio buttons: where each kind keeps its state, reading and setting it by
// real row also while rows are hidden, toggling with its events and permission, radio buttons
// exclusive in their column, radio groups, and the column grid's data check box columns.
#include <QApplication>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "grid/CompanionSettings.h"
#include "grid/NovaColumnGrid.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using S = TNovaCheckBox;

struct Change {
    int col, row;
    bool state;
    bool operator==(const Change &) const = default;
};

// A grid whose rows 1 .. 4 form a node at row 1 with children 2 .. 4, and row 6 a summary.
class NodeGrid : public TNovaStringGrid {
public:
    bool IsNode(int ARow) override { return ARow == 1; }
    int GetNodeSpan(int ARow) override { return ARow == 1 ? 4 : 0; }
    int GetParentRow(int ARow) override { return ARow >= 2 && ARow <= 4 ? 1 : -1; }
    bool IsSummary(int ARow) override { return ARow == 6; }
};

template <typename Grid>
struct CheckBoxFixture {
    std::unique_ptr<Grid> grid = std::make_unique<Grid>();
    std::vector<Change> changes;
    CheckBoxFixture()
    {
        grid->SetColCount(5);
        grid->SetRowCount(8);
        grid->OnCheckBoxChange = [this](QObject *, int c, int r, bool s) { changes.push_back({c, r, s}); };
    }
};

struct CheckBoxes : ::testing::Test, CheckBoxFixture<TNovaStringGrid> {};

TEST_F(CheckBoxes, SingleCellAddersRefuseCellsOutsideTheGridIncludingHiddenOnes)
{
    grid->HideColumn(4);
    grid->HideRow(7);
    // Hidden columns and rows still count as cells of the grid.
    EXPECT_NO_THROW(grid->AddCheckBox(4, 1, true, false));
    EXPECT_NO_THROW(grid->AddRadioButton(1, 7, false));
    struct Case {
        int col, row;
    };
    for (const Case c : {Case{5, 1}, Case{1, 8}, Case{-1, 1}, Case{1, -1}}) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        for (int kind = 0; kind < 3; ++kind) {
            try {
                if (kind == 0)
                    grid->AddCheckBox(c.col, c.row, true, true);
                else if (kind == 1)
                    grid->AddCheckBox(c.col, c.row, S::cbGrayed);
                else
                    grid->AddRadioButton(c.col, c.row, true);
                ADD_FAILURE() << "kind " << kind << " accepted";
            } catch (const std::runtime_error &e) {
                EXPECT_STREQ(e.what(), "Invalid cell");
            }
        }
        EXPECT_FALSE(grid->HasCheckBox(c.col, c.row));
    }
}

TEST_F(CheckBoxes, DataBoxTakesItsStateFromATextThatAlreadySaysOne)
{
    struct Case {
        const char *text;
        bool state;
        const char *after;
        bool checked;
    };
    const Case cases[] = {
        {"", false, "N", false}, {"", true, "Y", true},   {"N", true, "N", false},
        {"Y", false, "Y", true}, {"abc", true, "Y", true}, {"y", false, "N", false},
    };
    int r = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        grid->SetCells(1, r, QString::fromLatin1(c.text));
        grid->AddCheckBox(1, r, c.state, true);
        EXPECT_EQ(grid->Cells(1, r), QString::fromLatin1(c.after));
        EXPECT_EQ(grid->IsChecked(1, r), c.checked);
        EXPECT_EQ(grid->GetCellType(1, r), ctDataCheckBox);
        ++r;
    }
    // A plain box keeps its state apart from the text.
    grid->SetCells(2, 1, QStringLiteral("Y"));
    grid->AddCheckBox(2, 1, false, false);
    EXPECT_FALSE(grid->IsChecked(2, 1));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("Y"));
    const TCellGraphic *g = grid->GetCellGraphic(2, 1);
    EXPECT_EQ(g->CellHAlign(), haBeforeText);
    EXPECT_TRUE(g->CellTransparent());
}

TEST_F(CheckBoxes, StateQueriesWithoutABoxAnswerFalseAndLeaveTheStateAlone)
{
    grid->SetCells(1, 1, QStringLiteral("Y"));
    bool state = true;
    TCheckBoxState tri = S::cbGrayed;
    EXPECT_FALSE(grid->GetCheckBoxState(1, 1, state));
    EXPECT_TRUE(state);
    EXPECT_FALSE(grid->GetCheckBoxState(1, 1, tri));
    EXPECT_EQ(tri, S::cbGrayed);
    EXPECT_FALSE(grid->IsChecked(1, 1));
    EXPECT_FALSE(grid->SetCheckBoxState(1, 1, true));
    EXPECT_FALSE(grid->SetCheckBoxState(1, 1, S::cbChecked));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Y"));
    grid->AddRadioButton(2, 1, true);
    EXPECT_FALSE(grid->GetCheckBoxState(2, 1, state)); // a radio button is no check box
    grid->AddCheckBox(3, 1, true, false);
    EXPECT_FALSE(grid->SetCheckBoxState(3, 1, S::cbUnchecked)); // tri-state setter only for tri-state boxes
}

TEST_F(CheckBoxes, StateByRealRowReadsAndSetsHiddenRows)
{
    for (int r = 1; r < 8; ++r) {
        grid->AddCheckBox(1, r, r % 2 == 0, false);
        grid->AddCheckBox(2, r, false, true);
        grid->AddCheckBox(3, r, S::cbUnchecked);
    }
    grid->SetCheckBoxState(2, 3, true);
    grid->HideRows(2, 3);
    // Hidden rows 2 and 3 are read by their real index.
    bool state = false;
    EXPECT_TRUE(grid->GetCheckBoxState(1, 2, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(grid->GetCheckBoxState(2, 3, state));
    EXPECT_TRUE(state);
    // Real row 4 is displayed at 2 now.
    EXPECT_TRUE(grid->GetCheckBoxState(1, 4, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(grid->GetCheckBoxState(2, 4, state));
    EXPECT_FALSE(state);

    // Setting a hidden row's boxes changes that row, not the row displayed at its index.
    EXPECT_TRUE(grid->SetCheckBoxState(2, 2, true));
    EXPECT_TRUE(grid->SetCheckBoxState(1, 3, true));
    EXPECT_TRUE(grid->SetCheckBoxState(3, 3, S::cbGrayed));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("N")); // displayed row 2 is real row 4
    EXPECT_EQ(grid->AllCells(2, 2), QStringLiteral("Y"));
    TCheckBoxState tri = S::cbUnchecked;
    EXPECT_TRUE(grid->GetCheckBoxState(3, 4, tri));
    EXPECT_EQ(tri, S::cbUnchecked);
    grid->UnHideRowsAll();
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("Y"));
    EXPECT_TRUE(grid->IsChecked(1, 3));
    EXPECT_TRUE(grid->GetCheckBoxState(3, 3, tri));
    EXPECT_EQ(tri, S::cbGrayed);
    EXPECT_TRUE(grid->GetCheckBoxState(3, 3, state)); // the Boolean question about a tri-state box
    EXPECT_FALSE(state);
}

TEST_F(CheckBoxes, ToggleFlipsEachKindAndReportsTheNewState)
{
    grid->AddCheckBox(1, 1, false, false);
    grid->AddCheckBox(2, 1, false, true);
    grid->AddCheckBox(3, 1, S::cbUnchecked);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(grid->ToggleCheckBox(1, 1));
        EXPECT_TRUE(grid->ToggleCheckBox(2, 1));
    }
    EXPECT_TRUE(grid->IsChecked(1, 1));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("Y"));
    // Tri-state outside a node: unchecked, grayed, checked, unchecked; only checked reports true.
    std::vector<TCheckBoxState> seen;
    changes.clear();
    for (int i = 0; i < 3; ++i) {
        grid->ToggleCheckBox(3, 1);
        TCheckBoxState s = S::cbUnchecked;
        grid->GetCheckBoxState(3, 1, s);
        seen.push_back(s);
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{S::cbGrayed, S::cbChecked, S::cbUnchecked}));
    EXPECT_EQ(changes, (std::vector<Change>{{3, 1, false}, {3, 1, true}, {3, 1, false}}));
    // Nothing to toggle in a cell without a box, or with a radio button.
    grid->AddRadioButton(4, 1, false);
    changes.clear();
    EXPECT_FALSE(grid->ToggleCheckBox(4, 1));
    EXPECT_FALSE(grid->ToggleCheckBox(4, 2));
    EXPECT_TRUE(changes.empty());
}

TEST_F(CheckBoxes, UserToggleNeedsEditPermissionUnlessChecksAreAlwaysActive)
{
    TGridOptions o = grid->Options();
    o.Include(goEditing);
    grid->SetOptions(o);
    grid->AddCheckBox(1, 1, false, true);
    grid->SetReadOnly(1, 1, true);
    EXPECT_FALSE(grid->DoToggleCheckBox(1, 1, true));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("N"));
    EXPECT_TRUE(changes.empty());
    grid->ControlLook()->SetCheckAlwaysActive(true);
    EXPECT_TRUE(grid->DoToggleCheckBox(1, 1, true));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Y"));
    grid->ControlLook()->SetCheckAlwaysActive(false);
    EXPECT_TRUE(grid->ToggleCheckBox(1, 1)); // from code: no permission asked
    EXPECT_EQ(changes, (std::vector<Change>{{1, 1, true}, {1, 1, false}}));
    // The application may refuse a writable cell.
    grid->AddCheckBox(2, 1, false, false);
    grid->OnCanEditCell = [](QObject *, int, int ACol, bool &CanEdit) { CanEdit = ACol != 2; };
    EXPECT_FALSE(grid->DoToggleCheckBox(2, 1, true));
    EXPECT_FALSE(grid->IsChecked(2, 1));
}

TEST_F(CheckBoxes, NotifyingSetterAndCheckAllReportOnlyChanges)
{
    grid->MouseActions()->SetCheckAllCheck(true);
    grid->AddCheckBoxColumn(1, false, true);
    EXPECT_TRUE(grid->HasCheckBox(1, 0)); // the header box with CheckAllCheck
    grid->SetCheckBoxState(1, 3, true);
    grid->CheckAll(1);
    std::vector<Change> expected;
    for (int r = 1; r < 8; ++r)
        if (r != 3)
            expected.push_back({1, r, true});
    EXPECT_EQ(changes, expected);
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("N")); // CheckAll starts at the first normal row
    changes.clear();
    grid->AddCheckBoxColumn(2, true, false);
    EXPECT_TRUE(grid->SetCheckBoxStateNotify(2, 4, true));
    EXPECT_TRUE(changes.empty());
    EXPECT_TRUE(grid->SetCheckBoxStateNotify(2, 4, false));
    grid->UnCheckAll(1);
    EXPECT_EQ(changes.size(), 8u);
    EXPECT_EQ(changes.front(), (Change{2, 4, false}));
    EXPECT_FALSE(grid->SetCheckBoxStateNotify(3, 4, true));
}

TEST_F(CheckBoxes, KindQueriesFollowTheKindSets)
{
    grid->AddCheckBox(1, 1, true, false);
    grid->AddCheckBox(1, 2, true, true);
    grid->AddCheckBox(1, 3, S::cbGrayed);
    grid->AddRadioButton(1, 4, true);
    grid->CreateRadio(1, 5, 0, 0)->append(QStringLiteral("a"));
    struct Case {
        int row;
        bool box, dataBox, clickable, textBacked, radioButton, radio;
    };
    const Case cases[] = {
        {1, true, false, true, false, false, false}, {2, true, true, true, true, false, false},
        {3, true, false, true, false, false, false}, {4, false, false, true, false, true, false},
        {5, false, false, true, false, false, true},  {6, false, false, false, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(grid->HasCheckBox(1, c.row), c.box);
        EXPECT_EQ(grid->HasDataCheckBox(1, c.row), c.dataBox);
        EXPECT_EQ(grid->HasClickableGraphic(1, c.row), c.clickable);
        EXPECT_EQ(grid->IsDataGraphicCell(1, c.row), c.textBacked);
        EXPECT_EQ(grid->HasRadioButton(1, c.row), c.radioButton);
        EXPECT_EQ(grid->IsRadio(1, c.row), c.radio);
    }
    EXPECT_FALSE(grid->HasCheckBox(-1, 1));
    EXPECT_FALSE(grid->HasClickableGraphic(1, -1));
    // The merged range answers with its base cell.
    grid->MergeCells(1, 1, 2, 1);
    EXPECT_TRUE(grid->HasCheckBox(2, 1));

    // RemoveCheckBox removes only its own kinds.
    grid->RemoveCheckBox(1, 4);
    EXPECT_TRUE(grid->HasRadioButton(1, 4));
    grid->RemoveCheckBox(1, 3);
    EXPECT_FALSE(grid->HasCheckBox(1, 3));
    grid->RemoveRadioButton(1, 4);
    grid->RemoveRadio(1, 5);
    EXPECT_FALSE(grid->HasClickableGraphic(1, 4));
    EXPECT_FALSE(grid->HasClickableGraphic(1, 5));
}

TEST_F(CheckBoxes, RadioButtonsAreExclusiveInTheirColumn)
{
    grid->AddRadioButtonColumn(2);
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), -1);
    EXPECT_TRUE(grid->DoClickRadioButton(2, 3, false));
    EXPECT_TRUE(grid->DoClickRadioButton(2, 5, false));
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 5);
    EXPECT_FALSE(grid->IsRadioButtonChecked(2, 3));
    EXPECT_TRUE(grid->DoClickRadioButton(2, 5, false)); // already checked: nothing changes
    EXPECT_TRUE(grid->IsRadioButtonChecked(2, 5));
    // The state setter leaves the other buttons alone; the column index setter does not.
    EXPECT_TRUE(grid->SetRadioButtonState(2, 2, true));
    EXPECT_TRUE(grid->IsRadioButtonChecked(2, 5));
    grid->SetRadioButtonColumnIndex(2, 4);
    for (int r = 1; r < 8; ++r)
        EXPECT_EQ(grid->IsRadioButtonChecked(2, r), r == 4) << r;
    EXPECT_FALSE(grid->SetRadioButtonState(3, 2, true));
    EXPECT_FALSE(grid->DoClickRadioButton(3, 2, false));
    // A user click needs permission.
    TGridOptions o = grid->Options();
    o.Include(goEditing);
    grid->SetOptions(o);
    grid->SetReadOnly(2, 6, true);
    EXPECT_FALSE(grid->DoClickRadioButton(2, 6, true));
    EXPECT_EQ(grid->GetRadioButtonColumnIndex(2), 4);
    EXPECT_TRUE(changes.empty()); // radio buttons fire no check box event
}

TEST_F(CheckBoxes, RadioGroupStepsThroughItsOptionsByIndexOrByText)
{
    QStringList *options = grid->CreateRadio(1, 1, 1, 2);
    *options << QStringLiteral("a") << QStringLiteral("b") << QStringLiteral("c");
    EXPECT_EQ(grid->GetRadioStrings(1, 1), options);
    int idx = 0;
    EXPECT_TRUE(grid->GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 2);
    grid->SelectNextRadio(1, 1, false); // the last option wraps to the first
    EXPECT_TRUE(grid->GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid->GetCellGraphic(1, 1)->CellVar().toInt(), 0);

    // Without an index the cell's text says which option is chosen; the step switches to index mode.
    QStringList shared{QStringLiteral("x"), QStringLiteral("y")};
    grid->AddRadio(1, 2, 0, -1, &shared);
    grid->SetCells(1, 2, QStringLiteral("x"));
    grid->SelectNextRadio(1, 2, false);
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("y"));
    EXPECT_TRUE(grid->GetRadioIdx(1, 2, idx));
    EXPECT_EQ(idx, 1);
    // Below -1 the group stays in text mode; a text that is no option starts at the first.
    grid->AddRadio(1, 3, 0, -2, &shared);
    grid->SetCells(1, 3, QStringLiteral("none"));
    grid->SelectNextRadio(1, 3, false);
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("x"));
    grid->SelectNextRadio(1, 3, false);
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("y"));
    EXPECT_TRUE(grid->GetRadioIdx(1, 3, idx));
    EXPECT_EQ(idx, -2);
    // SetRadioIdx with -1 empties the text.
    EXPECT_TRUE(grid->SetRadioIdx(1, 2, -1));
    EXPECT_EQ(grid->Cells(1, 2), QString());
    EXPECT_FALSE(grid->SetRadioIdx(1, 7, 1));
    grid->RemoveRadio(1, 2); // the caller's list stays the caller's
    EXPECT_EQ(shared.size(), 2);
}

TEST_F(CheckBoxes, PreciseHitTestFindsTheGlyphSquare)
{
    grid->AddCheckBox(1, 1, false, false);
    grid->SetDefaultRowHeight(30);
    const TRect r = grid->CellRect(1, 1);
    EXPECT_TRUE(grid->IsInCheckBox(1, 1, r.Right - 1, r.Bottom - 1)); // anywhere without precision
    grid->MouseActions()->SetPreciseCheckBoxCheck(true);
    const int s = grid->ControlLook()->CheckBoxSize();
    struct Case {
        TAlignment align;
        int left;
    };
    for (const Case c : {Case{taLeftJustify, r.Left + 2}, Case{taCenter, r.Left + (r.Width() - s) / 2},
                         Case{taRightJustify, r.Right - 2 - s}}) {
        SCOPED_TRACE(int(c.align));
        grid->SetAlignments(1, 1, c.align);
        const int top = r.Top + 2;
        EXPECT_TRUE(grid->IsInCheckBox(1, 1, c.left, top));
        EXPECT_TRUE(grid->IsInCheckBox(1, 1, c.left + s - 1, top + s - 1));
        EXPECT_FALSE(grid->IsInCheckBox(1, 1, c.left + s, top));
        EXPECT_FALSE(grid->IsInCheckBox(1, 1, c.left - 1, top));
        EXPECT_FALSE(grid->IsInCheckBox(1, 1, c.left, top + s));
    }
    EXPECT_FALSE(grid->IsInCheckBox(2, 1, r.Left + 3, r.Top + 3));
}

TEST_F(CheckBoxes, RowCheckBoxIsTheRowsSelection)
{
    grid->MouseActions()->SetHotmailRowSelect(true);
    bool state = true;
    EXPECT_TRUE(grid->GetCheckBoxState(0, 3, state));
    EXPECT_FALSE(state);
    EXPECT_TRUE(grid->SetCheckBoxState(0, 3, true));
    EXPECT_TRUE(grid->RowSelect(3));
    EXPECT_TRUE(grid->IsChecked(0, 3));
    grid->SetCells(0, 3, QStringLiteral("3"));
    EXPECT_TRUE(grid->ToggleCheckBox(0, 3));
    EXPECT_FALSE(grid->RowSelect(3));
    EXPECT_EQ(grid->Cells(0, 3), QStringLiteral("3")); // the row number stays
    EXPECT_EQ(changes, (std::vector<Change>{{0, 3, false}}));
}

struct GroupedCheckBoxes : ::testing::Test, CheckBoxFixture<NodeGrid> {};

TEST_F(GroupedCheckBoxes, ColumnSkipsSummariesAndGivesNodesTriStateBoxes)
{
    grid->AddCheckBoxColumn(1, true, false);
    EXPECT_EQ(grid->GetCellType(1, 1), ctTriStateCheckBox);
    EXPECT_EQ(grid->GetCellType(1, 2), ctCheckBox);
    EXPECT_FALSE(grid->HasCheckBox(1, 6));
    // The tri-state column gives every row a box, nodes and summaries alike.
    grid->AddTriStateCheckBoxColumn(2, S::cbGrayed);
    EXPECT_EQ(grid->GetCellType(2, 6), ctTriStateCheckBox);
}

TEST_F(GroupedCheckBoxes, AutoCheckGroupKeepsTheNodeAndItsChildrenInStep)
{
    grid->AddCheckBoxColumn(1, false, false);
    grid->Grouping()->SetAutoCheckGroup(true);
    TCheckBoxState node = S::cbUnchecked;
    auto nodeState = [&] {
        grid->GetCheckBoxState(1, 1, node);
        return node;
    };
    grid->ToggleCheckBox(1, 2);
    EXPECT_EQ(nodeState(), S::cbGrayed);
    grid->ToggleCheckBox(1, 3);
    grid->ToggleCheckBox(1, 4); // the last unchecked child
    EXPECT_EQ(nodeState(), S::cbChecked);
    grid->ToggleCheckBox(1, 3);
    EXPECT_EQ(nodeState(), S::cbGrayed);
    // A node cycles without the grayed step and passes its state to its children.
    grid->ToggleCheckBox(1, 1);
    EXPECT_EQ(nodeState(), S::cbChecked);
    for (int r = 2; r <= 4; ++r)
        EXPECT_TRUE(grid->IsChecked(1, r)) << r;
    grid->ToggleCheckBox(1, 1);
    EXPECT_EQ(nodeState(), S::cbUnchecked);
    for (int r = 2; r <= 4; ++r)
        EXPECT_FALSE(grid->IsChecked(1, r)) << r;
    EXPECT_FALSE(grid->IsChecked(1, 5)); // outside the node
}

// ---- data check box columns of the column grid ---------------------------------------------------

struct DataCheckColumns : ::testing::Test, CheckBoxFixture<TNovaColumnGrid> {
    DataCheckColumns()
    {
        grid->Columns()->Items(2)->SetEditor(edDataCheckBox);
        grid->Columns()->Items(3)->SetEditor(edDataCheckBox);
        grid->Columns()->Items(3)->SetCheckTrue(QStringLiteral("on"));
        grid->Columns()->Items(3)->SetCheckFalse(QStringLiteral("off"));
    }
};

TEST_F(DataCheckColumns, CellsStoreTheColumnsTextsAndToggleFromAnyText)
{
    struct Case {
        int col;
        const char *text;
        bool checked;
        const char *toggled;
    };
    const Case cases[] = {
        {2, "Y", true, "N"},   {2, "N", false, "Y"},   {2, "", false, "Y"},   {2, "y", false, "Y"},
        {3, "on", true, "off"}, {3, "Y", false, "on"}, {3, "off", false, "on"},
    };
    int r = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << " '" << c.text << "'");
        grid->SetCells(c.col, r, QString::fromLatin1(c.text));
        EXPECT_TRUE(grid->HasCheckBox(c.col, r));
        EXPECT_EQ(grid->IsChecked(c.col, r), c.checked);
        changes.clear();
        EXPECT_TRUE(grid->ToggleCheckBox(c.col, r));
        EXPECT_EQ(grid->Cells(c.col, r), QString::fromLatin1(c.toggled));
        EXPECT_EQ(changes, (std::vector<Change>{{c.col, r, !c.checked}}));
        r = r % 7 + 1;
    }
    EXPECT_TRUE(grid->SetCheckBoxState(3, 2, true));
    EXPECT_EQ(grid->Cells(3, 2), QStringLiteral("on"));
    EXPECT_FALSE(grid->HasCheckBox(2, 0)); // header cells carry no box
    EXPECT_FALSE(grid->HasCheckBox(1, 1));
}

TEST_F(DataCheckColumns, ReadOnlyOrFixedColumnsRefuseTheUsersToggle)
{
    TGridOptions o = grid->Options();
    o.Include(goEditing);
    grid->SetOptions(o);
    grid->Columns()->Items(2)->SetReadOnly(true);
    grid->Columns()->Items(3)->SetFixed(true);
    EXPECT_FALSE(grid->DoToggleCheckBox(2, 1, true));
    EXPECT_FALSE(grid->DoToggleCheckBox(3, 1, true));
    EXPECT_EQ(grid->Cells(2, 1), QString());
    EXPECT_TRUE(changes.empty());
    grid->ControlLook()->SetCheckAlwaysActive(true);
    EXPECT_TRUE(grid->DoToggleCheckBox(2, 1, true));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("Y"));
}

TEST_F(DataCheckColumns, HiddenRowsAndCellsWithOwnPropertiesStillHaveTheirBox)
{
    grid->SetCells(2, 3, QStringLiteral("Y"));
    grid->SetColors(2, 4, clYellow); // properties without a graphic of their own
    grid->SetCells(2, 4, QStringLiteral("Y"));
    bool state = false;
    EXPECT_TRUE(grid->GetCheckBoxState(2, 4, state));
    EXPECT_TRUE(state);
    grid->HideRow(3);
    EXPECT_TRUE(grid->GetCheckBoxState(2, 3, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(grid->SetCheckBoxState(2, 3, false));
    EXPECT_EQ(grid->AllCells(2, 3), QStringLiteral("N"));
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("Y")); // displayed row 3 is real row 4
    EXPECT_TRUE(grid->SetCheckBoxState(3, 3, true));
    EXPECT_EQ(grid->AllCells(3, 3), QStringLiteral("on"));
    grid->UnHideRow(3);
    EXPECT_EQ(grid->Cells(2, 3), QStringLiteral("N"));
    EXPECT_FALSE(grid->GetCheckBoxState(1, 3, state));
}

} // namespace
