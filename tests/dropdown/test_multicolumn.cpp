// The multi-column list: its pop-up height in whole rows, its columns scaled to the pop-up, the
// type-ahead into the open list, the completion and Enter and Esc in the edit, the wheel that
// scrolls without choosing, the list's drawing and the looks by style. Keys are typed into the
// window around the edit; while the pop-up is open the platform hands them to the list.
#include "dropdown/NovaMultiColumnDropDown.h"
#include "picker_test_support.h"

#include <QScrollBar>
#include <QSignalSpy>

namespace {

using multicolumn::TDropDownColumn;
using multicolumn::TDropDownItem;
using pickertest::Counter;

class MultiColumn : public pickertest::PickerTest<TNovaMultiColumnDropDown> {
protected:
    void SetUp() override
    {
        PickerTest::SetUp();
        dd->OnSelect = selects.handler();
        dd->OnDropUp = [this](QObject *, bool cancelled) { dropUps << cancelled; };
        addColumns(2);
    }
    void addColumns(int n)
    {
        for (int i = 0; i < n; ++i) dd->Columns().Add()->SetHeader(QStringLiteral("Column %1").arg(i));
    }
    void addItems(std::initializer_list<const char *> lookups)
    {
        for (const char *l : lookups) {
            TDropDownItem *item = dd->Items().Add();
            item->Text() << QString::fromLatin1(l) << QStringLiteral("%1 note").arg(QString::fromLatin1(l));
        }
        dd->EndUpdate();
    }
    void wheel(QWidget *w, int delta)
    {
        QWheelEvent e(QPointF(10, 40), w->mapToGlobal(QPointF(10, 40)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w->isWindow() ? w : static_cast<QAbstractScrollArea *>(w)->viewport(), &e);
    }
    multicolumn::TNovaColGrid &grid() { return *dd->Grid(); }
    Counter selects;
    QList<bool> dropUps;
};

} // namespace

// ---- rules -------------------------------------------------------------------------------------------

TEST(MultiColumnRules, ThePopUpHeightTakesWholeRows)
{
    struct Case {
        int height, bars, header, row, allowance, expected;
    };
    const Case cases[] = {
        {200, 0, 25, 22, 0, 181},  // 25 + 2 + 7 x 22
        {200, 0, 25, 22, 4, 185},  // the grid drop-down's 4 more
        {200, 22, 25, 22, 0, 181}, // a header bar: 22 + 25 + 2 + 6 x 22
        {200, 0, 25, 0, 0, 200},   // rows below 1 count as 1
        {200, 0, 25, -5, 0, 200},
        {40, 0, 25, 22, 0, 27},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SnapDropDownHeight(c.height, c.bars, c.header, c.row, c.allowance), c.expected)
            << c.height << " " << c.row;
}

TEST(MultiColumnRules, ColumnsScaleToThePopUpCarryingTheRemainder)
{
    EXPECT_EQ(ScaleColumnWidths({80, 80, 80}, 300), (std::vector<int>{100, 100, 100}));
    // 2 x 50 into 200: f = 200/101, e = 99.0099...: the remainder grows past 1 at the second column.
    EXPECT_EQ(ScaleColumnWidths({50, 50}, 200), (std::vector<int>{99, 99}));
    EXPECT_EQ(ScaleColumnWidths({10, 10, 10, 10, 10, 10}, 122), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    EXPECT_EQ(ScaleColumnWidths({1, 3}, 10), (std::vector<int>{2, 6}));
    EXPECT_TRUE(ScaleColumnWidths({}, 300).empty());
}

TEST(MultiColumnRules, KeyStepsOverTheChoosableRows)
{
    struct Case {
        TChoiceStep step;
        int current, count, expected; // -9: no move
    };
    const Case cases[] = {
        {csFirst, 5, 20, 0},     {csLast, 0, 20, 19},     {csNext, -1, 20, 0},    {csNext, 3, 20, 4},
        {csNext, 19, 20, -9},    {csPrevious, -1, 20, 0}, {csPrevious, 0, 20, -9}, {csPrevious, 4, 20, 3},
        {csPageDown, -1, 20, 0}, {csPageDown, 5, 20, 15}, {csPageDown, 15, 20, 19}, {csPageUp, 15, 20, 5},
        {csPageUp, 5, 20, 0},    {csNext, -1, 0, -9},
    };
    for (const Case &c : cases) {
        const std::optional<int> r = StepChoice(c.step, c.current, c.count);
        EXPECT_EQ(r.value_or(-9), c.expected) << int(c.step) << " from " << c.current;
    }
}

// ---- opening -------------------------------------------------------------------------------------------

TEST_F(MultiColumn, APopUpOf200WithRowsOf22Becomes181)
{
    addItems({"Alpha", "Beta", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf", "Hotel", "India"});
    showNow();
    ASSERT_TRUE(open());
    EXPECT_EQ(dd->DropDownForm()->RequestedSize().height(), 181);
    EXPECT_EQ(dd->DropDownForm()->height(), 181);
    key(Qt::Key_Escape);
    dd->SetDropDownRowHeight(0);
    showNow();
    ASSERT_TRUE(open()) << "a row height below 1 counts as 1";
    EXPECT_EQ(grid().DefaultRowHeight(), 1);
}

TEST_F(MultiColumn, ThreeColumnsOf80FillAPopUp300WideAs100Each)
{
    dd->Columns().Clear();
    addColumns(3);
    addItems({"a", "b"});
    dd->SetDropDownAutoWidth(false);
    dd->SetDropDownWidth(300);
    showNow();
    ASSERT_TRUE(open());
    ASSERT_EQ(dd->DropDownForm()->width(), 300);
    EXPECT_EQ(grid().ColWidths(0), 100);
    EXPECT_EQ(grid().ColWidths(1), 100);
    EXPECT_EQ(grid().ColWidths(2), 100);
    EXPECT_EQ(dd->Columns().GetItem(0)->Width(), 80) << "the model keeps its widths";
}

TEST_F(MultiColumn, AutoSizeAndWrappedColumns)
{
    addItems({"Alpha", "Beta"});
    // A column without texts or images in any item is sized to nothing.
    TDropDownColumn *empty = dd->Columns().Add();
    empty->SetAutoSize(true);
    TDropDownColumn *first = dd->Columns().GetItem(0);
    first->SetAutoSize(true);
    // Word-wrapped rows never get lower than 24, even with 22-pixel rows.
    dd->Columns().GetItem(1)->SetWordwrap(true);
    dd->SetColumnSizeWithDropDown(false);
    showNow();
    ASSERT_TRUE(open());
    EXPECT_EQ(grid().ColWidths(2), 0);
    EXPECT_EQ(empty->Width(), 0);
    const QFontMetrics fm(first->Font().ToQFont());
    EXPECT_EQ(grid().ColWidths(0), fm.boundingRect(QRect(0, 0, 1000, 500), Qt::TextSingleLine, "Alpha").width() + 6);
    EXPECT_EQ(grid().RowHeights(1), 24);
    EXPECT_EQ(grid().RowHeights(2), 24);
    EXPECT_EQ(grid().RowHeights(0), 25) << "the header row";
}

// ---- typing into the open list ------------------------------------------------------------------------

TEST_F(MultiColumn, TypingIntoTheOpenListJumpsToTheFirstMatch)
{
    addItems({"Alpha", "Beta", "Bravo"});
    showNow();
    ASSERT_TRUE(open());
    ASSERT_TRUE(grid().hasFocus());
    type("b");
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
    EXPECT_EQ(grid().Row(), 2);
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("b"));
    type("r");
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("br"));
    type("x");
    EXPECT_EQ(dd->LookupEntry(), QString()) << "nothing for brx, nothing for x alone";
    EXPECT_EQ(dd->ItemIndex(), 2) << "the choice stays";
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    EXPECT_TRUE(open());

    // z matches nothing and empties the entry; a alone then starts a fresh lookup.
    type("z");
    EXPECT_EQ(dd->LookupEntry(), QString());
    type("a");
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("a"));
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->text(), QStringLiteral("Alpha"));

    // Enter takes the row, closes without cancel and fires OnSelect.
    key(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(selects.n, 1);
    EXPECT_EQ(dropUps, QList<bool>{false});
}

TEST_F(MultiColumn, KeysMoveTheChoiceRowByRowAndEscBringsBackTheOpeningOne)
{
    addItems({"Alpha", "Beta", "Bravo"});
    dd->SetItemIndex(0);
    showNow();
    ASSERT_TRUE(open());
    EXPECT_EQ(grid().Row(), 1);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
    key(Qt::Key_Down);
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    key(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(dropUps, QList<bool>{true});
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->text(), QStringLiteral("Alpha"));
    EXPECT_EQ(selects.n, 0);

    // Alt+Up in the list closes without cancel and keeps the row reached.
    showNow();
    key(Qt::Key_Down);
    key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
}

TEST_F(MultiColumn, TheWheelMovesTheRowButNotTheChoice)
{
    addItems({"Alpha", "Beta", "Bravo", "Charlie"});
    dd->SetItemIndex(1);
    showNow();
    ASSERT_TRUE(open());
    EXPECT_EQ(grid().Row(), 2);
    wheel(&grid(), -120);
    wheel(&grid(), -120);
    EXPECT_EQ(grid().Row(), 4);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
    // Closing without a click keeps the old choice.
    dd->HideDropDown(false);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
}

TEST_F(MultiColumn, AClickOnARowChoosesItAndCloses)
{
    addItems({"Alpha", "Beta", "Bravo"});
    showNow();
    ASSERT_TRUE(open());
    const QRect cell = grid().CellRect(1, 3);
    clickIn(grid().viewport(), cell.center());
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    EXPECT_EQ(selects.n, 1);
    EXPECT_EQ(dropUps, QList<bool>{false});
}

// ---- the edit ---------------------------------------------------------------------------------------

TEST_F(MultiColumn, TypingCompletesFromTheLookupColumn)
{
    addItems({"Alpha", "Beta", "Bravo"});
    type("br");
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    EXPECT_EQ(dd->selectedText(), QStringLiteral("avo"));
    EXPECT_EQ(dd->cursorPosition(), 2);
    EXPECT_EQ(dd->ItemIndex(), 2);
    // Items added without EndUpdate show in the list but neither complete nor answer Enter.
    TDropDownItem *late = dd->Items().Add();
    late->Text() << QStringLiteral("Zulu");
    dd->clear();
    type("zu");
    EXPECT_EQ(dd->text(), QStringLiteral("zu"));
    key(Qt::Key_Return);
    EXPECT_EQ(dd->ItemIndex(), 2) << "not found by Enter";
    showNow();
    EXPECT_EQ(grid().RowCount(), 5) << "but shown in the list";
    key(Qt::Key_Escape);
    dd->EndUpdate();
    dd->clear();
    type("zu");
    EXPECT_EQ(dd->text(), QStringLiteral("Zulu"));
}

TEST_F(MultiColumn, EnterTakesTheItemAsStoredAndReturnIsTabMovesOn)
{
    addItems({"Alpha", "Beta", "Bravo"});
    dd->SetMatchCase(true); // no completion of the lower-case text
    type("beta");
    ASSERT_EQ(dd->text(), QStringLiteral("beta"));
    key(Qt::Key_Return);
    EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_TRUE(dd->hasFocus());

    dd->SetReturnIsTab(true);
    dd->clear();
    type("bravo");
    key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_TRUE(other->hasFocus()) << "Enter acted as Tab";
}

TEST_F(MultiColumn, EscWithATextNoItemHasEmptiesIt)
{
    addItems({"Alpha", "Beta"});
    dd->SetItemIndex(1);
    dd->SetText(QStringLiteral("Gamma"));
    key(Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->text(), QString());
    EXPECT_FALSE(dd->WorkMode());
}

TEST_F(MultiColumn, ItemIndexAndGetItemIndex)
{
    addItems({"Alpha", "Beta"});
    dd->Items().Add(); // no lookup text
    dd->SetItemIndex(1);
    EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
    dd->SetItemIndex(3); // at the count: ignored
    EXPECT_EQ(dd->ItemIndex(), 1);
    dd->SetItemIndex(2);
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->text(), QString());
    dd->SetItemIndex(-4);
    EXPECT_EQ(dd->ItemIndex(), -4);
    EXPECT_EQ(dd->GetItemIndex(QStringLiteral("Beta")), 1);
    EXPECT_EQ(dd->GetItemIndex(QStringLiteral("beta")), -1);
    EXPECT_EQ(dd->Items().IndexInColumn(1, QStringLiteral("Alpha note")), 0);
    EXPECT_EQ(dd->Items().IndexInColumn(5, QStringLiteral("Alpha")), -1);
    // The edit's keys step through the items.
    dd->SetItemIndex(0);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 1);
    key(Qt::Key_PageDown);
    EXPECT_EQ(dd->ItemIndex(), 2);
    key(Qt::Key_PageUp);
    EXPECT_EQ(dd->ItemIndex(), 0);
}

// ---- drawing and looks --------------------------------------------------------------------------------

TEST_F(MultiColumn, TheListDrawsColumnColoursHeaderGradientAndItsOwnLines)
{
    addItems({"Alpha", "Beta"});
    dd->Columns().GetItem(1)->SetColor(0x00FFFF);
    dd->Columns().GetItem(1)->SetAlignment(taRightJustify);
    QStringList asked;
    dd->OnDropDownGetItemText = [&](QObject *, int c, int r, QString &t) {
        asked << QStringLiteral("%1,%2").arg(c).arg(r);
        if (c == 0 && r == 2) t = QStringLiteral("changed");
    };
    showNow();
    TRecordingCanvas c;
    grid().DrawCellOn(c, 1, 1, {0, 0, 80, 22}, {});
    ASSERT_FALSE(c.OfKind(TCanvasOp::Rectangle).empty());
    EXPECT_EQ(c.OfKind(TCanvasOp::Rectangle).front().brush.Color, TColor(0x00FFFF));
    const auto texts = c.OfKind(TCanvasOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts.front().text, QStringLiteral("Alpha note"));
    EXPECT_TRUE(texts.front().flags & DT_RIGHT);
    EXPECT_EQ(c.OfKind(TCanvasOp::Line).size(), 2u) << "the list's own horizontal and vertical line";
    EXPECT_EQ(c.OfKind(TCanvasOp::Line).front().pen.Color, dd->LineColor());
    c.Clear();
    grid().DrawCellOn(c, 0, 2, {0, 0, 80, 22}, {});
    ASSERT_EQ(c.OfKind(TCanvasOp::Text).size(), 1u);
    EXPECT_EQ(c.OfKind(TCanvasOp::Text).front().text, QStringLiteral("changed"));
    c.Clear();
    grid().DrawCellOn(c, 0, 0, {0, 0, 80, 25}, {gdFixed});
    EXPECT_EQ(c.OfKind(TCanvasOp::Text).front().text, QStringLiteral("Column 0"));
    EXPECT_GE(c.OfKind(TCanvasOp::FillRect).size(), 2u) << "the header's gradient bands";
    EXPECT_TRUE(asked.contains(QStringLiteral("0,0")));
}

TEST_F(MultiColumn, StylesSetTheHeaderLineAndSelectionColours)
{
    struct Case {
        TNovaStyle style;
        TColor header, headerTo, line, fixedLine, selection, selectionText;
    };
    const Case cases[] = {
        {tsOffice2003Blue, 0xD68759, 0x933803, 0x962D00, 0x962D00, 0xD7FFFD, 0},
        {tsWindowsXP, clBtnFace, clBtnFace, 0xC0C0C0, 0, clHighlight, clHighlightText},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFCEBDC, 0},
        {tsOffice2010Black, 0x828282, clNone, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.style));
        dd->SetComponentStyle(c.style);
        EXPECT_EQ(dd->HeaderColor(), c.header);
        EXPECT_EQ(dd->HeaderColorTo(), c.headerTo);
        EXPECT_EQ(dd->LineColor(), c.line);
        EXPECT_EQ(dd->FixedLineColor(), c.fixedLine);
        EXPECT_EQ(dd->SelectionColor(), c.selection);
        EXPECT_EQ(dd->SelectionTextColor(), c.selectionText);
    }
    dd->SetHeaderColor(0x123456);
    dd->SetComponentStyle(tsCustom);
    EXPECT_EQ(dd->HeaderColor(), TColor(0x123456)) << "tsCustom changes nothing";
}

TEST_F(MultiColumn, ConstructionValues)
{
    TNovaMultiColumnDropDown d;
    EXPECT_EQ(d.ItemIndex(), -1);
    EXPECT_EQ(d.LookupColumn(), 0);
    EXPECT_EQ(d.DropDownHeight(), 200);
    EXPECT_EQ(d.DropDownRowHeight(), 22);
    EXPECT_EQ(d.HeaderHeight(), 25);
    EXPECT_EQ(d.HeaderColor(), clWhite);
    EXPECT_EQ(d.HeaderColorTo(), TColor(0x808080));
    EXPECT_EQ(d.LineColor(), TColor(0xF1EDEB));
    EXPECT_EQ(d.FixedLineColor(), TColor(0xD1BBA4));
    EXPECT_TRUE(d.DropDownAutoWidth());
    EXPECT_TRUE(d.ColumnSizeWithDropDown());
    EXPECT_FALSE(d.ColumnSizing());
    EXPECT_TRUE(d.WorkMode());
    ASSERT_NE(d.Grid(), nullptr);
    EXPECT_EQ(d.Grid()->GridLineWidth(), 1);
    EXPECT_EQ(static_cast<TStringGrid *>(d.Grid())->GridLineWidth(), 0);
    EXPECT_EQ(d.Grid()->FixedRows(), 1);
    EXPECT_EQ(d.Grid()->FixedCols(), 0);
    EXPECT_TRUE(d.Grid()->Options().Contains(goRowSelect));
}
