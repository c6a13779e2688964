// What the protocol tables use of the grids, one behaviour a test, met by the real string grid, column
// grid and row routines with real mouse and key events: cell text, cell properties, construction,
// row and column counts, the current cell, sizes, hidden columns, row selection, check boxes, the
// in-place editor kinds, the events the table windows handle, the column model, closing the editor
// and column auto-size.
#include "grid/GridEditorControls.h"
#include "grid/NovaColumnGrid.h"
#include "grid/NovaInplaceEdit.h"
#include "shell/UComon.h"
#include "shell/UGrid_Rows.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class GridServices : public ::testing::Test {
protected:
    // A shown, focused grid of 4 columns and 5 rows (one title row, one row-number column).
    template <class G = TNovaStringGrid>
    G *make()
    {
        auto g = std::make_unique<G>();
        g->SetColCount(4);
        g->SetRowCount(5);
        g->SetOptions(g->Options().Include(goEditing));
        g->resize(420, 200);
        g->show();
        QApplication::setActiveWindow(g.get());
        g->setFocus();
        QApplication::processEvents();
        G *raw = g.get();
        grid = std::move(g);
        return raw;
    }
    QPoint center(int col, int row) const
    {
        const TRect R = grid->CellRect(col, row);
        return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    void click(int col, int row) { QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, center(col, row)); }
    static QWidget *focused()
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : QApplication::activeWindow();
    }
    bool editorOpen() const { return grid->EditMode(); }
    // Keys go to whatever has the focus, as for a user: the grid, then the editor it opened.
    static void type(const QString &text)
    {
        for (QChar c : text) QTest::keyClick(focused(), c.toLatin1());
    }

    std::unique_ptr<TNovaStringGrid> grid;
};

} // namespace

TEST_F(GridServices, CellTextByRealColumnAndTitlesInRowZero)
{
    TNovaStringGrid *g = make();
    EXPECT_EQ(g->GetCellEx(2, 3), QString()) << "an empty cell";
    g->SetCellEx(2, 3, QStringLiteral("v"));
    g->HideColumn(1);
    EXPECT_EQ(g->GetCellEx(2, 3), QStringLiteral("v")) << "the real index counts hidden columns";
    g->SetCellEx(3, 0, QStringLiteral("Title"));
    EXPECT_EQ(g->Cells(3, 0), QStringLiteral("Title"));
}

TEST_F(GridServices, CellPropertiesReadOnlyColourAndAlignment)
{
    TNovaStringGrid *g = make();
    TCellProperties *p = g->GetCellProperties(2, 2);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(g->GetCellProperties(2, 2), p) << "created on first use, then kept";
    // ReadOnly stops editing of that one cell.
    p->SetReadOnly(true);
    click(2, 2);
    QTest::keyClick(focused(), Qt::Key_F2);
    EXPECT_FALSE(editorOpen());
    click(3, 2);
    QTest::keyClick(focused(), Qt::Key_F2);
    EXPECT_TRUE(editorOpen());
    QTest::keyClick(focused(), Qt::Key_Escape);
    // The background colour ($00BBGGRR) and the text's alignment are drawn.
    g->GetCellProperties(1, 3)->SetBrushColor(0x0000FF);
    g->SetCells(2, 3, QStringLiteral("I"));
    g->GetCellProperties(2, 3)->SetAlignment(taRightJustify);
    g->SetRow(1);
    g->SetCol(3);
    const QImage img = g->viewport()->grab().toImage();
    const TRect red = g->CellRect(1, 3);
    EXPECT_EQ(img.pixelColor((red.Left + red.Right) / 2, (red.Top + red.Bottom) / 2), QColor(255, 0, 0));
    const TRect R = g->CellRect(2, 3);
    int firstInk = -1;
    for (int x = R.Left + 1; x < R.Right - 1 && firstInk < 0; ++x)
        for (int y = R.Top + 2; y < R.Bottom - 2; ++y)
            if (img.pixelColor(x, y).lightness() < 100) {
                firstInk = x;
                break;
            }
    EXPECT_GT(firstInk, (R.Left + R.Right) / 2) << "the text stands right";
}

TEST_F(GridServices, ConstructionWithAnOwnerAndDestruction)
{
    auto owner = std::make_unique<QWidget>();
    QPointer<TNovaColumnGrid> g = new TNovaColumnGrid(owner.get());
    EXPECT_EQ(g->parentWidget(), owner.get());
    owner.reset();
    EXPECT_TRUE(g.isNull()) << "the owner frees it";
}

TEST_F(GridServices, CountsAndFixedRowsAndColumnsKeepTheRows)
{
    TNovaStringGrid *g = make();
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->ColCount(), 4);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->FixedCols(), 1);
    g->SetCells(2, 4, QStringLiteral("kept"));
    g->SetRowCount(9);
    EXPECT_EQ(g->Cells(2, 4), QStringLiteral("kept"));
    g->SetRowCount(5);
    EXPECT_EQ(g->Cells(2, 4), QStringLiteral("kept"));
}

TEST_F(GridServices, TheCurrentCellFollowsTheMouse)
{
    TNovaStringGrid *g = make();
    click(2, 3);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Col(), 2);
    g->SetRow(1);
    g->SetCol(3);
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->Col(), 3);
}

TEST_F(GridServices, RowHeightAndColumnWidths)
{
    TNovaStringGrid *g = make();
    g->SetDefaultRowHeight(22);
    EXPECT_EQ(g->DefaultRowHeight(), 22);
    EXPECT_EQ(g->RowHeights(3), 22);
    g->SetColWidths(2, 77);
    EXPECT_EQ(g->ColWidths(2), 77);
    EXPECT_EQ(g->CellRect(2, 1).Right - g->CellRect(2, 1).Left, 77);
}

TEST_F(GridServices, HiddenColumnsKeepTheirCellsAndRealIndexes)
{
    TNovaStringGrid *g = make();
    g->SetCells(2, 1, QStringLiteral("two"));
    g->HideColumn(2);
    EXPECT_TRUE(g->IsHiddenColumn(2));
    EXPECT_EQ(g->NumHiddenColumns(), 1);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->AllColCount(), 4);
    EXPECT_EQ(g->RealColIndex(2), 3) << "displayed column 2 is real column 3";
    click(2, 2);
    EXPECT_EQ(g->RealCol(), 3) << "the real column of the current cell";
    EXPECT_EQ(g->RealRow(), 2);
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("two"));
    g->UnHideColumn(2);
    EXPECT_FALSE(g->IsHiddenColumn(2));
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->ColCount(), 4);
}

TEST_F(GridServices, SelectRowsSelectsWholeRows)
{
    TNovaStringGrid *g = make();
    g->SelectRows(2, 2);
    const TGridRect s = g->Selection();
    EXPECT_EQ(s.Top, 2);
    EXPECT_EQ(s.Bottom, 3);
    EXPECT_EQ(s.Left, g->FixedCols());
    EXPECT_EQ(s.Right, g->ColCount() - 1);
}

TEST_F(GridServices, CheckBoxCellObjects)
{
    TNovaStringGrid *g = make();
    g->AddCheckBoxColumn(2);
    bool state = true;
    for (int r = 1; r < 5; ++r) {
        EXPECT_TRUE(g->HasCheckBox(2, r)) << r;
        EXPECT_TRUE(g->GetCheckBoxState(2, r, state));
        EXPECT_FALSE(state) << "unticked";
    }
    EXPECT_FALSE(g->HasCheckBox(2, 0)) << "not in the title row";
    EXPECT_FALSE(g->GetCheckBoxState(3, 1, state)) << "no box in that cell";
    EXPECT_TRUE(g->SetCheckBoxState(2, 3, true));
    EXPECT_TRUE(g->GetCheckBoxState(2, 3, state));
    EXPECT_TRUE(state);
    click(2, 1);
    g->GetCheckBoxState(2, 1, state);
    EXPECT_TRUE(state) << "a click ticks it";
}

TEST_F(GridServices, InPlaceEditorKindsAndTheComboList)
{
    TNovaStringGrid *g = make();
    g->OnGetEditorType = [g](QObject *, int ACol, int, TEditorType &AEditor) {
        if (ACol == 2) {
            AEditor = edComboList;
            g->ClearComboString();
            g->AddComboString(QStringLiteral("Coil Status"));
            g->AddComboString(QStringLiteral("Holding Register"));
        } else if (ACol == 3) {
            AEditor = edNormal;
        }
    };
    // The drop-down list takes only its items.
    click(2, 1);
    QTest::keyClick(focused(), Qt::Key_F2);
    TGridCombo *combo = g->Combo();
    ASSERT_NE(combo, nullptr);
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->count(), 2);
    QTest::keyClick(focused(), Qt::Key_Down);
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("Holding Register"));
    // The plain edit takes any text.
    click(3, 1);
    type(QStringLiteral("free"));
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(g->Cells(3, 1), QStringLiteral("free"));

    // A data check box's cell text is its check text.
    auto *cg = make<TNovaColumnGrid>();
    TGridColumnItem *item = cg->Columns()->GetItem(2);
    item->SetEditor(edDataCheckBox);
    item->SetCheckTrue(QStringLiteral("Y"));
    item->SetCheckFalse(QStringLiteral("N"));
    cg->SetCells(2, 1, QStringLiteral("N"));
    click(2, 1);
    EXPECT_EQ(cg->Cells(2, 1), QStringLiteral("Y"));
    click(2, 1);
    EXPECT_EQ(cg->Cells(2, 1), QStringLiteral("N"));
}

TEST_F(GridServices, TheEventsTheTableWindowsHandle)
{
    TNovaStringGrid *g = make();
    g->AddCheckBoxColumn(3);
    QStringList log;
    g->OnClickCell = [&](QObject *s, int r, int c) {
        if (s == g) log << QStringLiteral("click %1,%2").arg(c).arg(r);
    };
    g->OnDblClickCell = [&](QObject *, int r, int c) { log << QStringLiteral("dbl %1,%2").arg(c).arg(r); };
    g->OnKeyPress = [&](QObject *, QChar &k) {
        if (k == QLatin1Char('x')) k = QLatin1Char('y'); // the handler may change the key
        log << QStringLiteral("key");
    };
    g->OnGetEditorType = [&](QObject *, int c, int r, TEditorType &) { log << QStringLiteral("editor %1,%2").arg(c).arg(r); };
    g->OnCellValidate = [&](QObject *, int c, int r, QString &v, bool &valid) {
        log << QStringLiteral("validate %1,%2 %3").arg(c).arg(r).arg(v);
        v = v.toUpper();
        valid = true;
    };
    g->OnCheckBoxClick = [&](QObject *, int c, int r, bool on) { log << QStringLiteral("box click %1,%2 %3").arg(c).arg(r).arg(on); };
    g->OnCheckBoxChange = [&](QObject *, int c, int r, bool on) { log << QStringLiteral("box change %1,%2 %3").arg(c).arg(r).arg(on); };
    g->OnGridHint = [&](QObject *, int r, int c, QString &h) {
        log << QStringLiteral("hint %1,%2").arg(c).arg(r);
        h = QStringLiteral("title hint");
    };

    click(2, 2);
    EXPECT_TRUE(log.contains(QStringLiteral("click 2,2")));
    log.clear();
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, center(2, 0));
    EXPECT_TRUE(log.contains(QStringLiteral("dbl 2,0"))) << "also for the title row";
    log.clear();
    click(2, 2);
    type(QStringLiteral("ax"));
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_TRUE(log.contains(QStringLiteral("key")));
    EXPECT_TRUE(log.contains(QStringLiteral("editor 2,2")));
    EXPECT_TRUE(log.contains(QStringLiteral("validate 2,2 ay"))) << log.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("AY")) << "the validated value goes into the cell";
    log.clear();
    click(3, 1);
    EXPECT_TRUE(log.contains(QStringLiteral("box click 3,1 1"))) << log.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("box change 3,1 1"))) << log.join(QLatin1Char('|')).toStdString();
    // The pointer resting on a title cell asks the handler for its hint.
    log.clear();
    QHelpEvent help(QEvent::ToolTip, center(1, 0), g->viewport()->mapToGlobal(center(1, 0)));
    QApplication::sendEvent(g->viewport(), &help);
    EXPECT_EQ(log, QStringList{"hint 1,0"});
}

TEST_F(GridServices, TheColumnModelOfTheColumnGrid)
{
    auto *g = make<TNovaColumnGrid>();
    g->SetColCount(5);
    ASSERT_EQ(g->Columns()->Count(), 5) << "one item per column";
    TGridColumnItem *type = g->Columns()->GetItem(2);
    type->SetHeader(QStringLiteral("Type"));
    EXPECT_EQ(g->Cells(2, 0), QStringLiteral("Type")) << "the header is the title shown";
    type->SetEditor(edComboList);
    type->SetComboItems({QStringLiteral("Coil Status"), QStringLiteral("Input Status")});
    click(2, 1);
    QTest::keyClick(focused(), Qt::Key_F2);
    ASSERT_NE(g->Combo(), nullptr);
    EXPECT_EQ(g->Combo()->count(), 2) << "the column's list items";
    QTest::keyClick(focused(), Qt::Key_Escape);
    g->Columns()->GetItem(3)->SetReadOnly(true);
    click(3, 1);
    QTest::keyClick(focused(), Qt::Key_F2);
    EXPECT_FALSE(editorOpen()) << "a read-only column takes no editor";
    EXPECT_EQ(g->Columns()->GetItem(4)->CheckTrue(), QStringLiteral("Y"));
    EXPECT_EQ(g->Columns()->GetItem(4)->CheckFalse(), QStringLiteral("N"));
}

TEST_F(GridServices, HideInplaceEditKeepsTheTypedText)
{
    TNovaStringGrid *g = make();
    click(2, 1);
    type(QStringLiteral("typed"));
    ASSERT_TRUE(editorOpen());
    g->HideInplaceEdit();
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("typed"));
}

TEST_F(GridServices, ATitleDoubleClickSizesTheColumnToItsWidestText)
{
    TNovaStringGrid *g = make();
    g->SetColWidths(2, 20);
    const QString wide(30, QLatin1Char('W'));
    g->SetCells(2, 3, wide);
    Opt_Double_Click_Auto_Size = true;
    Grid_AutoSize_Col(g, 0, 2);
    Opt_Double_Click_Auto_Size = false;
    EXPECT_GE(g->ColWidths(2), QFontMetrics(g->font()).horizontalAdvance(wide));
}
