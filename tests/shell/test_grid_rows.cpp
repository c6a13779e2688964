// Row routines of the table windows: delete, insert, copy and paste through the row clipboard,
// Enter moving to the next cell and the title double click sizing a column.
#include "grid/NovaColumnGrid.h"
#include "shell/UComon.h"
#include "shell/UGrid_Rows.h"
#include "shell/ULanguage.h"
#include "support/TestSupport.h"

#include <QFontMetrics>

using testsupport::ModalResponder;

namespace {

// A title row and `rows` data rows of `cols` data columns, each cell "r<row>c<col>".
template <class Grid>
void fill(Grid &g, int cols, int rows)
{
    g.SetColCount(cols + 1);
    g.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c)
            g.SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
}

template <class Grid>
QStringList row(Grid &g, int r)
{
    QStringList out;
    for (int c = 1; c < g.ColCount() + g.NumHiddenColumns(); ++c)
        out << g.Cells(c, r);
    return out;
}

bool ticked(TNovaStringGrid &g, int c, int r)
{
    bool state = false;
    EXPECT_TRUE(g.GetCheckBoxState(c, r, state)) << "no check box at " << c << "," << r;
    return state;
}

class GridRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        Row_Clipboard.clear();
        Row_Clipboard_Check.clear();
        Opt_Enable_Jump_Field_Tables = false;
        Opt_Double_Click_Auto_Size = false;
    }
    void TearDown() override
    {
        Opt_Enable_Jump_Field_Tables = false;
        Opt_Double_Click_Auto_Size = false;
    }
};

} // namespace

// ---- column grids ----------------------------------------------------------------------------------

TEST_F(GridRows, ColumnGridDeleteAndInsertKeepTheRowCount)
{
    TNovaColumnGrid g;
    fill(g, 3, 4);
    ColGrid_Delete_Row(2, &g);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(row(g, 2), (QStringList{"r3c1", "r3c2", "r3c3"}));
    EXPECT_EQ(row(g, 3), (QStringList{"r4c1", "r4c2", "r4c3"}));
    EXPECT_EQ(row(g, 4), (QStringList{"", "", ""}));

    fill(g, 3, 4);
    ColGrid_Insert_Row(2, &g, true); // the last row's content is lost without a message
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(row(g, 2), (QStringList{"Y", "", ""}));
    EXPECT_EQ(row(g, 3), (QStringList{"r2c1", "r2c2", "r2c3"}));
    EXPECT_EQ(row(g, 4), (QStringList{"r3c1", "r3c2", "r3c3"}));
    EXPECT_EQ(g.Cells(0, 2), QString()); // the row-number column is never written

    // Last row: delete only empties it, insert only resets it; a one-row grid empties row 1.
    fill(g, 3, 4);
    ColGrid_Delete_Row(4, &g);
    EXPECT_EQ(row(g, 4), (QStringList{"", "", ""}));
    EXPECT_EQ(row(g, 3), (QStringList{"r3c1", "r3c2", "r3c3"}));
    ColGrid_Insert_Row(4, &g, false);
    EXPECT_EQ(row(g, 4), (QStringList{"", "", ""}));
    TNovaColumnGrid one;
    fill(one, 2, 1);
    ColGrid_Delete_Row(1, &one);
    EXPECT_EQ(row(one, 1), (QStringList{"", ""}));
}

TEST_F(GridRows, HiddenColumnsTravelWithTheRow)
{
    TNovaColumnGrid g;
    fill(g, 4, 3);
    g.HideColumn(2);
    ASSERT_EQ(g.ColCount() + g.NumHiddenColumns() - 1, 4);
    ColGrid_Copy_Row(&g, 1);
    EXPECT_EQ(Row_Clipboard, (QStringList{"r1c1", "r1c2", "r1c3", "r1c4"}));
    ModalResponder responder;
    responder.answerBox(QMessageBox::Yes);
    ColGrid_Paste_Row(&g, 3, true);
    g.UnHideColumns(1, 4);
    EXPECT_EQ(row(g, 3), (QStringList{"r1c1", "r1c2", "r1c3", "r1c4"}));
}

TEST_F(GridRows, ColumnGridPasteRefusalsAndTheOverwriteQuestion)
{
    TNovaColumnGrid g;
    fill(g, 3, 3);
    g.Columns()->GetItem(3)->SetEditor(edDataCheckBox);

    {   // nothing copied in this grid
        ModalResponder responder;
        ColGrid_Paste_Row(&g, 2, false);
        ASSERT_EQ(responder.boxes().size(), 1);
        EXPECT_EQ(responder.boxes()[0].text, "Error!!! Copy a valid row before Paste it");
        EXPECT_EQ(responder.boxes()[0].icon, QMessageBox::Critical);
    }
    {   // 4 copied columns into a grid of 3: refused, grid unchanged
        Row_Clipboard = QStringList{"a", "b", "c", "d"};
        ModalResponder responder;
        ColGrid_Paste_Row(&g, 2, true);
        ASSERT_EQ(responder.texts(), QStringList{"Error in the Copy values!!! Copy a valid row before Paste it"});
        EXPECT_EQ(row(g, 2), (QStringList{"r2c1", "r2c2", "r2c3"}));
    }
    ColGrid_Copy_Row(&g, 1);
    {   // a used row asks; No keeps it
        ModalResponder responder;
        responder.answerBox(QMessageBox::No);
        ColGrid_Paste_Row(&g, 2, true);
        EXPECT_EQ(responder.texts(), QStringList{"Row Already used. Do you want to overwrite the values?"});
        EXPECT_EQ(row(g, 2), (QStringList{"r2c1", "r2c2", "r2c3"}));
    }
    {   // blanks and check-box columns do not make a row used
        g.SetCells(1, 3, "  ");
        g.SetCells(2, 3, "");
        g.SetCells(3, 3, "Y");
        ModalResponder responder;
        ColGrid_Paste_Row(&g, 3, true);
        EXPECT_TRUE(responder.texts().isEmpty());
        EXPECT_EQ(row(g, 3), (QStringList{"r1c1", "r1c2", "r1c3"}));
    }
}

// ---- string grids with check boxes -------------------------------------------------------------------

TEST_F(GridRows, StringGridRowsCarryCheckBoxStates)
{
    TNovaStringGrid g;
    fill(g, 3, 3);
    g.AddCheckBoxColumn(1, false, false);
    g.SetCheckBoxState(1, 1, true);
    g.SetCheckBoxState(1, 3, true);

    StrGrid_Delete_Row(1, &g, true);
    EXPECT_FALSE(ticked(g, 1, 1)); // row 2 moved up
    EXPECT_TRUE(ticked(g, 1, 2));  // row 3 moved up
    EXPECT_TRUE(ticked(g, 1, 3));  // the last row: column 1 ticked because SetEnable
    EXPECT_EQ(g.Cells(2, 3), QString());
    EXPECT_EQ(g.Cells(2, 1), "r2c2");

    StrGrid_Insert_Row(1, &g, false);
    EXPECT_FALSE(ticked(g, 1, 1));
    EXPECT_EQ(g.Cells(2, 1), QString());
    EXPECT_EQ(g.Cells(2, 2), "r2c2");
    EXPECT_FALSE(ticked(g, 1, 2));
    EXPECT_TRUE(ticked(g, 1, 3));
}

TEST_F(GridRows, StringGridCopyAndPaste)
{
    TNovaStringGrid g;
    fill(g, 3, 3);
    g.AddCheckBoxColumn(1, false, false);
    g.SetCheckBoxState(1, 1, true);
    g.SetCells(2, 1, "Y"); // a text "Y" stays a text
    StrGrid_Copy_Row(&g, 1);
    EXPECT_EQ(Row_Clipboard, (QStringList{"Y", "Y", "r1c3"}));
    EXPECT_EQ(Row_Clipboard_Check, (std::vector<bool>{true, false, false}));

    {   // a single blank makes a string-grid row used
        g.SetCells(2, 3, " ");
        g.SetCells(3, 3, "");
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        StrGrid_Paste_Row(&g, 3, true);
        EXPECT_EQ(responder.texts(), QStringList{"Row Already used. Do you want to overwrite the values?"});
    }
    EXPECT_TRUE(ticked(g, 1, 3));
    EXPECT_EQ(g.Cells(2, 3), "Y");
    EXPECT_EQ(g.Cells(3, 3), "r1c3");

    {   // a column grid copy of another width leaves the flags; the count mismatch refuses
        TNovaStringGrid wider;
        fill(wider, 4, 2);
        ModalResponder responder;
        StrGrid_Paste_Row(&wider, 1, true);
        EXPECT_EQ(responder.texts(), QStringList{"Error in the Copy values!!! Copy a valid row before Paste it"});
        EXPECT_EQ(row(wider, 1), (QStringList{"r1c1", "r1c2", "r1c3", "r1c4"}));
    }
    {   // more columns than flags: the rest paste as text, never past the flag list
        TNovaStringGrid four;
        fill(four, 4, 2);
        Row_Clipboard = QStringList{"N", "b", "c", "d"};
        Row_Clipboard_Check = {false};
        four.SetCells(1, 2, "");
        four.SetCells(2, 2, "");
        four.SetCells(3, 2, "");
        four.SetCells(4, 2, "");
        ModalResponder responder;
        StrGrid_Paste_Row(&four, 2, true);
        EXPECT_EQ(row(four, 2), (QStringList{"N", "b", "c", "d"}));
    }
}

// ---- Enter and the title double click ------------------------------------------------------------------

TEST_F(GridRows, EnterMovesToTheNextCellWhenTheOptionIsOn)
{
    TNovaStringGrid g;
    fill(g, 3, 3);
    const struct {
        bool option;
        char16_t key;
        int col, row;
        int wantCol, wantRow;
        char16_t wantKey;
    } cases[] = {
        {false, 13, 1, 1, 1, 1, 13}, // option off: unchanged
        {true, 'a', 1, 1, 1, 1, 'a'},
        {true, 13, 1, 1, 2, 1, 0},
        {true, 13, 3, 1, 1, 2, 0},   // wraps to the next row
        {true, 13, 3, 3, 1, 1, 0},   // last cell: back to row 1
    };
    for (const auto &t : cases) {
        Opt_Enable_Jump_Field_Tables = t.option;
        g.SetRow(t.row);
        g.SetCol(t.col);
        char16_t key = t.key;
        Grid_Enter_Next_Cell(&g, key);
        EXPECT_EQ(g.Col(), t.wantCol) << t.col << "," << t.row;
        EXPECT_EQ(g.Row(), t.wantRow) << t.col << "," << t.row;
        EXPECT_EQ(key, t.wantKey) << t.col << "," << t.row;
    }
    // On the row-number column (a grid without fixed columns) Enter is consumed without a move.
    g.SetFixedCols(0);
    g.SetRow(2);
    g.SetCol(0);
    ASSERT_EQ(g.Col(), 0);
    char16_t key = 13;
    Grid_Enter_Next_Cell(&g, key);
    EXPECT_EQ(g.Col(), 0);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(key, 0);
}

TEST_F(GridRows, TitleDoubleClickSizesTheColumnWhenTheOptionIsOn)
{
    TNovaStringGrid g;
    fill(g, 2, 2);
    g.SetColWidths(1, 20);
    g.SetCells(1, 2, QString(40, 'W'));
    Grid_AutoSize_Col(&g, 0, 1); // option off
    EXPECT_EQ(g.ColWidths(1), 20);
    Opt_Double_Click_Auto_Size = true;
    Grid_AutoSize_Col(&g, 1, 1); // not the title row
    EXPECT_EQ(g.ColWidths(1), 20);
    Grid_AutoSize_Col(&g, 0, 1);
    EXPECT_GE(g.ColWidths(1), QFontMetrics(g.font()).horizontalAdvance(QString(40, 'W')));
}
