// The drop-down cell editors of the string and column grids, driven by real keys: what opens and
// with what, the pop-up, what Enter writes, what Esc puts back, Tab, a refused validation, the
// change event, and the look the grid hands on.
#include <QKeyEvent>

#include "dropdown/DropDownForm.h"
#include "dropdown/GridDropDownEditors.h"
#include "grid/NovaColumnGrid.h"
#include "grid/grid_edit_support.h"

namespace {

void settle()
{
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

const TEditorType kRegistered[] = {edTrackbarDropDown,    edMemoDropDown,        edCalculatorDropDown,
                                   edTimePickerDropDown,  edDetailDropDown,      edGridDropDown,
                                   edColorPickerDropDown, edImagePickerDropDown, edNovaGridDropDown};

// Parameter: false a string grid (the kind from OnGetEditorType), true a column grid (the kind of
// the column's editor).
class CellEditors : public GridEditTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        GridEditTest::SetUp();
        RegisterGridDropDownEditors();
        if (GetParam()) prepare(std::make_unique<TNovaColumnGrid>());
        grid->SetRowCount(6);
        grid->SetColCount(4);
    }
    void TearDown() override
    {
        GridEditTest::TearDown();
        for (TEditorType k : kRegistered) UnregisterDropDownEditor(k);
    }
    // The table lists (multi-column list, grid drop-down): the row of the cell's text chosen on
    // opening; Alt+Down, Up and Enter write the row above.
    template <class TList>
    void chooseRowAboveWithKeys(TDropDownCellEditor *made, TEditorType kind)
    {
        auto *list = dynamic_cast<TList *>(made);
        ASSERT_NE(list, nullptr);
        list->Columns().Add()->SetWidth(80);
        for (const char *c : {"Alpha", "Beta", "Bravo"}) list->Items().Add()->Text().push_back(QString::fromLatin1(c));
        auto *m = openOn<TList>(kind, "Bravo");
        ASSERT_EQ(m, list);
        EXPECT_EQ(m->ItemIndex(), 2);
        key(Qt::Key_Down, Qt::AltModifier);
        settle();
        ASSERT_TRUE(m->DroppedDown());
        key(Qt::Key_Up);
        key(Qt::Key_Return);
        settle();
        EXPECT_FALSE(editing(kind));
        EXPECT_EQ(grid->Cells(1, 1), "Beta");
    }
    void editWith(TEditorType kind)
    {
        if (auto *cg = dynamic_cast<TNovaColumnGrid *>(grid.get())) {
            for (int c = 1; c < cg->Columns()->Count(); ++c) cg->Columns()->Items(c)->SetEditor(kind);
        } else {
            editorFor(kind);
        }
    }
    // Cell (1, 1) current, the editor opened by F2.
    template <class T>
    T *openOn(TEditorType kind, const QString &cellText)
    {
        editWith(kind);
        grid->SetCells(1, 1, cellText);
        grid->SetCol(1);
        grid->SetRow(1);
        settle();
        key(Qt::Key_F2);
        settle();
        auto *e = dynamic_cast<T *>(grid->ExistingDropDownEditor(kind));
        EXPECT_NE(e, nullptr);
        if (e) {
            EXPECT_TRUE(e->isVisible());
            EXPECT_EQ(grid->EditCtrl(), e);
        }
        return e;
    }
    // Keys through the grid's window, as the platform delivers them: an open pop-up takes them.
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) const
    {
        QTest::keyClick(grid->window()->windowHandle(), Qt::Key(k), m);
    }
    void type(const QString &s) const
    {
        for (QChar c : s) QTest::keyClick(grid->window()->windowHandle(), c.toLatin1());
    }
    bool editing(TEditorType kind) const
    {
        QWidget *w = grid->ExistingDropDownEditor(kind) ? grid->ExistingDropDownEditor(kind)->Widget() : nullptr;
        return w && w->isVisible() && grid->EditCtrl() == w;
    }
};

INSTANTIATE_TEST_SUITE_P(Grids, CellEditors, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &i) { return i.param ? "ColumnGrid" : "StringGrid"; });

} // namespace

TEST_P(CellEditors, ANewGridHasNoneAndEachGetterMakesItsWrapperOnceWithTheGridsLook)
{
    for (TEditorType k : kRegistered) EXPECT_EQ(grid->ExistingDropDownEditor(k), nullptr) << int(k);
    grid->SetComponentStyle(tsOffice2007Obsidian);
    auto *colour = dynamic_cast<TGridColorDropDown *>(grid->ColorPickerDropDown());
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(grid->ColorPickerDropDown(), colour);
    EXPECT_FALSE(colour->isVisible());
    EXPECT_EQ(colour->Colors().Count(), 16);
    EXPECT_EQ(colour->Colors().GetItem(0)->Caption(), "Black");
    EXPECT_EQ(colour->Colors().GetItem(15)->Caption(), "White");
    const struct {
        TDropDownCellEditor *editor;
        const char *name;
    } made[] = {{grid->TrackbarDropDown(), "track bar"},   {grid->MemoDropDown(), "memo"},
                {grid->CalculatorDropDown(), "calculator"}, {grid->TimePickerDropDown(), "time"},         {grid->DetailPickerDropDown(), "detail"},
                {grid->GridDropDown(), "multi-column"},       {colour, "colour"},
                {grid->ImagePickerDropDown(), "image"},      {grid->NovaGridDropDown(), "grid"}};
    for (const auto &m : made) {
        ASSERT_NE(m.editor, nullptr) << m.name;
        auto *dd = dynamic_cast<TNovaCustomDropDown *>(m.editor->Widget());
        ASSERT_NE(dd, nullptr) << m.name;
        EXPECT_EQ(dd->parentWidget(), grid.get()) << m.name;
        EXPECT_EQ(dd->GetComponentStyle(), tsOffice2007Obsidian) << m.name;
    }
    // A later style reaches the editors made.
    grid->SetComponentStyle(tsWindowsXP);
    for (const auto &m : made)
        EXPECT_EQ(dynamic_cast<TNovaCustomDropDown *>(m.editor->Widget())->GetComponentStyle(), tsWindowsXP) << m.name;
}

TEST_P(CellEditors, TimePickerPageUpInThePopUpTurnsTheHourAndEnterWritesIt)
{
    auto *e = openOn<TGridTimepickerDropDown>(edTimePickerDropDown, "13:05:09");
    ASSERT_NE(e, nullptr);
    e->SetAnimation(false);
    EXPECT_EQ(e->GetText(), "13:05:09");
    EXPECT_FALSE(e->FocusDraw());
    key(Qt::Key_Down, Qt::AltModifier);
    settle();
    ASSERT_TRUE(e->DroppedDown());
    key(Qt::Key_PageUp);
    settle();
    key(Qt::Key_Return);
    settle();
    EXPECT_FALSE(editing(edTimePickerDropDown));
    EXPECT_EQ(grid->Cells(1, 1), "14:05:09");
}

TEST_P(CellEditors, EscPutsTheCellTextBackForEveryKind)
{
    const struct {
        TEditorType kind;
        const char *text;
    } rows[] = {{edTrackbarDropDown, "4"},           {edMemoDropDown, "one\ntwo"},
                {edCalculatorDropDown, "7.50"},        {edTimePickerDropDown, "10:00:00"},
                {edDetailDropDown, "one"},             {edGridDropDown, "b"},
                {edColorPickerDropDown, "Red"}, {edImagePickerDropDown, "x"}, {edNovaGridDropDown, "b"}};
    for (const auto &r : rows) {
        SCOPED_TRACE(int(r.kind));
        openOn<QWidget>(r.kind, QString::fromLatin1(r.text));
        ASSERT_TRUE(editing(r.kind));
        type("1");
        key(Qt::Key_Down, Qt::AltModifier);
        settle();
        key(Qt::Key_Escape);
        settle();
        if (editing(r.kind)) key(Qt::Key_Escape); // the first Esc closed only the pop-up
        settle();
        EXPECT_FALSE(editing(r.kind));
        EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(r.text));
    }
}

TEST_P(CellEditors, ColourPickerChoosesRedThroughOnColorSelectedAndColoursTheCell)
{
    int selected = 0;
    grid->OnColorSelected = [&](QObject *, int, int, TColor &c, QString &v) {
        ++selected;
        EXPECT_EQ(c, TColor(0x0000FF));
        EXPECT_EQ(v, "Red");
    };
    auto *e = openOn<TGridColorDropDown>(edColorPickerDropDown, "no colour name");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->CellColor(), clNone) << "a cell without a listed colour opens on no choice";
    key(Qt::Key_Down, Qt::AltModifier);
    settle();
    ASSERT_TRUE(e->DroppedDown());
    for (int i = 0; i < 10; ++i) key(Qt::Key_Down);
    settle();
    key(Qt::Key_Return);
    settle();
    EXPECT_FALSE(editing(edColorPickerDropDown));
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(grid->Cells(1, 1), "Red");
    EXPECT_EQ(grid->Colors(1, 1), TColor(0x0000FF));

    // Unknown colour, no choice: Enter leaves the cell as it was.
    grid->SetColors(1, 2, TColor(0x123456));
    grid->SetCells(1, 2, "custom");
    grid->SetCol(1);
    grid->SetRow(2);
    settle();
    key(Qt::Key_F2);
    settle();
    ASSERT_TRUE(editing(edColorPickerDropDown));
    key(Qt::Key_Return);
    settle();
    EXPECT_EQ(grid->Cells(1, 2), "custom");
    EXPECT_EQ(grid->Colors(1, 2), TColor(0x123456));
}

TEST_P(CellEditors, DetailListTakesTheTypedTextAndFiresOnEditChange)
{
    QStringList changes;
    grid->OnEditChange = [&](QObject *, int, int, const QString &v) { changes << v; };
    auto *detail = dynamic_cast<TGridDetailPickerDropDown *>(grid->DetailPickerDropDown());
    ASSERT_NE(detail, nullptr);
    for (const char *c : {"Alpha", "Beta", "Bravo"}) detail->Items().Add()->SetCaption(QString::fromLatin1(c));
    auto *d = openOn<TGridDetailPickerDropDown>(edDetailDropDown, "Beta");
    ASSERT_EQ(d, detail);
    EXPECT_EQ(d->ItemIndex(), 1) << "the item of the cell's caption is chosen";
    d->selectAll();
    type("Alpha");
    EXPECT_FALSE(changes.isEmpty());
    key(Qt::Key_Return);
    settle();
    EXPECT_EQ(grid->Cells(1, 1), "Alpha");
    EXPECT_FALSE(editing(edDetailDropDown));
}

TEST_P(CellEditors, GridDropDownChoosesARowWithTheKeysAndEnterWritesItsLookupText)
{
    chooseRowAboveWithKeys<TGridNovaGridDropDown>(grid->NovaGridDropDown(), edNovaGridDropDown);
    auto *g = dynamic_cast<TGridNovaGridDropDown *>(grid->NovaGridDropDown());
    EXPECT_EQ(g->GetStringGrid(), g->GetGrid());
}

TEST_P(CellEditors, MultiColumnListChoosesARowWithTheKeysAndEnterWritesItsLookupText)
{
    chooseRowAboveWithKeys<TGridGridDropDown>(grid->GridDropDown(), edGridDropDown);
}

TEST_P(CellEditors, ARefusedValidationKeepsTheEditorWithTheNewTextSelected)
{
    int validations = 0;
    grid->OnCellValidate = [&](QObject *, int, int, QString &, bool &valid) {
        ++validations;
        valid = false;
    };
    auto *e = openOn<TGridTimepickerDropDown>(edTimePickerDropDown, "10:00:00");
    ASSERT_NE(e, nullptr);
    e->SetCellText("11:00:00");
    key(Qt::Key_Return);
    settle();
    EXPECT_EQ(validations, 1);
    EXPECT_TRUE(editing(edTimePickerDropDown));
    EXPECT_EQ(grid->Cells(1, 1), "10:00:00");
    EXPECT_EQ(grid->NewCellText(), "10:00:00");
    EXPECT_EQ(e->GetText(), grid->NewCellText());
    EXPECT_EQ(e->selectedText(), grid->NewCellText());
    EXPECT_EQ(grid->Row(), 1);
}

TEST_P(CellEditors, TabWithGoTabsWritesAndMovesOn)
{
    TGridOptions o = grid->Options();
    o.Include(goTabs);
    grid->SetOptions(o);
    auto *d = openOn<TGridDetailPickerDropDown>(edDetailDropDown, "x");
    ASSERT_NE(d, nullptr);
    d->selectAll();
    type("yz");
    key(Qt::Key_Tab);
    settle();
    EXPECT_EQ(grid->Cells(1, 1), "yz");
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_FALSE(editing(edDetailDropDown) && grid->Col() == 1);
}

TEST_P(CellEditors, ATimeThatIsNoTimeOpensOnTheDefaultAndLeavesTheCell)
{
    auto *e = openOn<TGridTimepickerDropDown>(edTimePickerDropDown, "later");
    ASSERT_NE(e, nullptr);
    key(Qt::Key_Escape);
    settle();
    EXPECT_EQ(grid->Cells(1, 1), "later");
}

TEST_P(CellEditors, ImagePickerWritesTheIndexOfAnImageListCellAndTheTextOfADataImage)
{
    TMarkupImageList images;
    images.Images.resize(3, QImage(16, 16, QImage::Format_ARGB32));
    grid->SetGridImages(&images);
    editWith(edImagePickerDropDown);
    grid->AddImageIdx(1, 1, 2, haLeft, vaTop);
    grid->SetCells(1, 1, "caption");
    grid->AddDataImage(1, 2, 0, haLeft, vaTop);
    grid->SetCells(1, 2, "1");
    // A data image whose text is no index, or a huge one, opens on no choice.
    grid->AddDataImage(1, 3, 0, haLeft, vaTop);
    grid->SetCells(1, 3, "99999999999999999999");
    const struct {
        int row;
        int opensOn;
        int steps; // Down in the open list
        QString cellAfter;
        int indexAfter; // image index of an image-list cell, -1 for a data image
    } rows[] = {{1, 2, -2, "caption", 0}, {2, 1, 1, "2", -1}, {3, -1, 0, "99999999999999999999", -1}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.row);
        grid->SetCol(1);
        grid->SetRow(r.row);
        settle();
        key(Qt::Key_F2);
        settle();
        auto *e = dynamic_cast<TGridImageDropDown *>(grid->ExistingDropDownEditor(edImagePickerDropDown));
        ASSERT_NE(e, nullptr);
        ASSERT_TRUE(editing(edImagePickerDropDown));
        EXPECT_EQ(e->Items().Count(), 3) << "one item per image of the grid";
        EXPECT_EQ(e->CellImageIndex(), r.opensOn);
        if (r.steps != 0) {
            key(Qt::Key_Down, Qt::AltModifier);
            settle();
            ASSERT_TRUE(e->DroppedDown());
            for (int i = 0; i < std::abs(r.steps); ++i) key(r.steps > 0 ? Qt::Key_Down : Qt::Key_Up);
            settle();
        }
        key(Qt::Key_Return);
        settle();
        EXPECT_FALSE(editing(edImagePickerDropDown));
        EXPECT_EQ(grid->Cells(1, r.row), r.cellAfter);
        if (r.indexAfter >= 0) {
            int idx = -1;
            ASSERT_TRUE(grid->GetImageIdx(1, r.row, idx));
            EXPECT_EQ(idx, r.indexAfter);
        }
    }
    grid->SetGridImages(nullptr);
}

TEST_P(CellEditors, TrackBarMemoAndCalculatorOpenFilledAndEnterWritesWhatThePopUpMade)
{
    const struct {
        TEditorType kind;
        QString cell;
        QString opensWith; // the edit's text once open
        QString keys;      // typed with the pop-up open
        int steps;         // track bar steps made in the pop-up
        QString written;
    } rows[] = {
        {edCalculatorDropDown, "0", "0", "2+3", 0, "5.00"},
        // The bar moved one step in the pop-up.
        {edTrackbarDropDown, "3", "3", "", 1, "4"},
        // No number, and one far beyond any int: the bar's own range, no overflow.
        {edTrackbarDropDown, "many", "0", "", 1, "1"},
        {edTrackbarDropDown, "99999999999999999999", "10", "", 0, "10"},
        {edMemoDropDown, "one\ntwo\nthree", "", "", 0, "one\ntwo\nthree"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.cell.toStdString());
        QStringList changes;
        grid->OnEditChange = [&](QObject *, int, int, const QString &v) { changes << v; };
        auto *e = openOn<TNovaCustomDropDown>(r.kind, r.cell);
        ASSERT_NE(e, nullptr);
        if (!r.opensWith.isEmpty()) EXPECT_EQ(e->GetText(), r.opensWith);
        if (r.kind == edMemoDropDown) {
            auto *m = dynamic_cast<TGridMemoDropDown *>(e);
            ASSERT_NE(m, nullptr);
            EXPECT_EQ(m->MemoText(), QStringList({"one", "two", "three"}));
        }
        key(Qt::Key_Down, Qt::AltModifier);
        settle();
        ASSERT_TRUE(e->DroppedDown());
        type(r.keys);
        if (r.steps) {
            auto *t = dynamic_cast<TGridTrackbarDropDown *>(e);
            ASSERT_NE(t, nullptr);
            for (int i = 0; i < r.steps; ++i) t->TrackBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
        settle();
        key(Qt::Key_Return);
        settle();
        EXPECT_FALSE(editing(r.kind));
        EXPECT_EQ(grid->Cells(1, 1), r.written);
        if (r.steps || !r.keys.isEmpty()) EXPECT_FALSE(changes.isEmpty()) << "OnEditChange";
        grid->OnEditChange = nullptr;
    }
}

TEST_P(CellEditors, MemoAndCalculatorTabOnAndKeepARefusedValue)
{
    const struct {
        TEditorType kind;
        QString cell;
        QString typed; // the refused value
    } rows[] = {{edMemoDropDown, "a\nb", "x"}, {edCalculatorDropDown, "1.00", "9"}};
    for (const auto &r : rows) {
        SCOPED_TRACE(int(r.kind));
        int validations = 0;
        grid->OnCellValidate = [&](QObject *, int, int, QString &, bool &valid) {
            ++validations;
            valid = false;
        };
        auto *e = openOn<TNovaCustomDropDown>(r.kind, r.cell);
        ASSERT_NE(e, nullptr);
        e->selectAll();
        type(r.typed);
        key(Qt::Key_Return);
        settle();
        EXPECT_EQ(validations, 1);
        EXPECT_TRUE(editing(r.kind));
        EXPECT_EQ(grid->Cells(1, 1), r.cell);
        EXPECT_EQ(e->selectedText(), e->text());
        EXPECT_FALSE(e->text().isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), e) << "focus after refusal";
        // Accepted now: Enter writes what the editor shows.
        grid->OnCellValidate = nullptr;
        key(Qt::Key_Return);
        settle();
        EXPECT_FALSE(editing(r.kind));
        EXPECT_EQ(grid->Cells(1, 1), r.cell);

        TGridOptions o = grid->Options();
        o.Include(goTabs);
        grid->SetOptions(o);
        openOn<QWidget>(r.kind, r.cell);
        ASSERT_TRUE(editing(r.kind));
        key(Qt::Key_Tab);
        settle();
        EXPECT_EQ(grid->Col(), 2);
        EXPECT_EQ(grid->Cells(1, 1), r.cell);
        if (editing(r.kind)) key(Qt::Key_Escape);
        settle();
        o.Exclude(goTabs);
        grid->SetOptions(o);
    }
}
