// The grid drop-down: its pop-up height in whole rows, the search by typing (jump or narrow down),
// sorting that keeps the choice, the editable grid, grid mode, and the grid's events as the owner
// sees them (column looks first, the Sender, the activation block around a handler's own window).
#include "../picker_test_support.h"
#include "dropdown/NovaGridDropDown.h"
#include "support/TestSupport.h"

#include <QMessageBox>
#include <QScreen>
#include <stdexcept>

namespace {

using griddropdown::TDropDownItem;
using pickertest::Counter;

class GridDropDown : public pickertest::PickerTest<TCustomNovaGridDropDown> {
protected:
    void SetUp() override
    {
        PickerTest::SetUp();
        dd->OnSelect = selects.handler();
        dd->OnDropUp = [this](QObject *, bool cancelled) { dropUps << cancelled; };
        for (int i = 0; i < 2; ++i) dd->Columns().Add()->SetHeader(QStringLiteral("Column %1").arg(i));
    }
    void addItems(std::initializer_list<const char *> lookups)
    {
        for (const char *l : lookups) {
            TDropDownItem *item = dd->Items().Add();
            item->Text() << QString::fromLatin1(l) << QStringLiteral("%1 note").arg(QString::fromLatin1(l));
        }
        dd->EndUpdate();
    }
    griddropdown::TNovaColGrid &grid() { return *dd->GetGrid(); }
    QStringList lookupColumn()
    {
        QStringList l;
        for (int r = grid().FixedRows(); r < grid().RowCount(); ++r) l << grid().Cells(0, r);
        return l;
    }
    QPoint cellCentre(int c, int r) { const TRect R = grid().CellRect(c, r);
        return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
    Counter selects;
    QList<bool> dropUps;
};

} // namespace

TEST_F(GridDropDown, ThePopUpHeightTakesWholeRowsAndRowsBelowOneCountAsOne)
{
    struct Case {
        int rowHeight, expected;
    };
    // 200 high, header row 25, no bars: 25 + 2 + 7 x 22 + 4.
    const Case cases[] = {{22, 185}, {0, 204}, {-3, 204}};
    for (const Case &c : cases) {
        auto *d = new TCustomNovaGridDropDown(form.get());
        d->Columns().Add();
        d->Items().Add()->Text() << QStringLiteral("Alpha");
        d->SetDropDownRowHeight(c.rowHeight);
        d->ShowDropDown();
        QApplication::processEvents();
        ASSERT_TRUE(d->DroppedDown()) << c.rowHeight;
        EXPECT_EQ(d->DropDownForm()->RequestedSize().height(), c.expected) << c.rowHeight;
        EXPECT_GE(d->GetGrid()->DefaultRowHeight(), 1);
        delete d;
    }
}

TEST_F(GridDropDown, ARunTimeControlStartsWithTheDefaultsAndNoColumns)
{
    TCustomNovaGridDropDown fresh;
    EXPECT_EQ(fresh.Columns().Count(), 0);
    EXPECT_TRUE(fresh.UseItems());
    EXPECT_EQ(fresh.ItemIndex(), -1);
    EXPECT_EQ(fresh.LookupMethod(), lmLookup);
    EXPECT_EQ(fresh.Style(), dsDropDown);
    EXPECT_EQ(fresh.DropDownRowHeight(), 22);
    EXPECT_EQ(fresh.GetVersionNr(), 0x06000101u);
    ASSERT_NE(fresh.GetGrid(), nullptr);
    EXPECT_EQ(fresh.GetGrid()->FixedRows(), 1);
    fresh.SetStyle(dsDropDownList);
    EXPECT_FALSE(fresh.EditorEnabled());
}

TEST_F(GridDropDown, NarrowingDownKeepsTheMatchingRowsUntilTheEditIsEnteredAgain)
{
    dd->SetLookupMethod(lmNarrowDown);
    addItems({"Cab", "Abc", "Xyz", "Tab", "Dog"});
    showNow();
    ASSERT_TRUE(open());
    type("a");
    EXPECT_EQ(lookupColumn(), (QStringList{"Cab", "Abc", "Tab"}));
    type("b");
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("ab"));
    EXPECT_EQ(lookupColumn(), (QStringList{"Cab", "Abc", "Tab"}));
    EXPECT_EQ(grid().Cells(0, 0), QStringLiteral("Column 0")) << "the header row stays";
    type("c");
    EXPECT_EQ(lookupColumn(), (QStringList{"Abc"}));
    // The row left is the item it was loaded from.
    key(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->text(), QStringLiteral("Abc"));

    other->setFocus();
    dd->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(grid().RowCount(), 6) << "all rows back";
    EXPECT_EQ(dd->LookupEntry(), QString());
}

TEST_F(GridDropDown, LookupKeepsOrRestartsTheEntryByStyle)
{
    struct Case {
        TDropDownStyle style;
        QString entry;
        int index;
    };
    // "ba" starts no item: the editable style keeps the entry; the list style restarts with "a".
    const Case cases[] = {{dsDropDown, "ba", 1}, {dsDropDownList, "a", 0}};
    addItems({"Alpha", "Beta", "Bravo"});
    for (const Case &c : cases) {
        dd->SetStyle(c.style);
        dd->SetItemIndex(-1);
        other->setFocus();
        dd->setFocus();
        QApplication::processEvents();
        type("b");
        EXPECT_EQ(dd->ItemIndex(), 1) << int(c.style);
        EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
        type("a");
        EXPECT_EQ(dd->LookupEntry(), c.entry) << int(c.style);
        EXPECT_EQ(dd->ItemIndex(), c.index) << int(c.style);
    }
}

TEST_F(GridDropDown, TypingIntoTheOpenGridJumpsToTheFirstMatch)
{
    addItems({"Alpha", "Beta", "Bravo"});
    showNow();
    QList<QObject *> senders;
    dd->OnGridKeyPress = [&](QObject *s, QChar &) { senders << s; };
    type("br");
    EXPECT_EQ(grid().Row(), 3);
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
    EXPECT_EQ(senders, (QList<QObject *>{dd, dd})) << "key events name the drop-down";
    key(Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), -1) << "Esc brings back the opening choice";
    EXPECT_EQ(dropUps, QList<bool>{true});
}

TEST_F(GridDropDown, AHeaderClickSortKeepsTheChosenItemWithoutTheSortEvents)
{
    dd->SetSorting(gsSingleColumn);
    addItems({"Charlie", "Alpha", "Bravo"});
    Counter canSort, clickSort;
    dd->OnGridCanSort = [&](QObject *, int, bool &) { ++canSort.n; };
    dd->OnGridClickSort = [&](QObject *, int) { ++clickSort.n; };
    dd->SetItemIndex(0);
    showNow();
    ASSERT_EQ(grid().Row(), 1);
    clickIn(&grid(), cellCentre(0, 0));
    ASSERT_EQ(lookupColumn(), (QStringList{"Alpha", "Bravo", "Charlie"}));
    EXPECT_TRUE(open());
    EXPECT_EQ(grid().Row(), 3) << "Charlie's new row";
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->text(), QStringLiteral("Charlie"));
    EXPECT_EQ(canSort.n, 0);
    EXPECT_EQ(clickSort.n, 0);
    // Rows and items still translate both ways.
    EXPECT_EQ(dd->RowToItem(1), 1);
    EXPECT_EQ(dd->ItemToRow(2), 2);
    key(Qt::Key_Up);
    key(Qt::Key_Return);
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
}

TEST_F(GridDropDown, AnEditableGridChoosesWithoutClosingAndEnterClosesOnlyOnTheLookupColumn)
{
    dd->SetGridEditable(true);
    dd->SetRowSelect(false);
    addItems({"Alpha", "Beta", "Bravo"});
    struct Case {
        int col;
        bool closes;
    };
    for (const Case c : {Case{1, false}, Case{0, true}}) {
        showNow();
        ASSERT_TRUE(open());
        clickIn(&grid(), cellCentre(1, 2));
        EXPECT_TRUE(open()) << "a click chooses without closing";
        EXPECT_EQ(dd->ItemIndex(), 1);
        grid().SetCol(c.col);
        grid().ShowInplaceEdit();
        ASSERT_TRUE(grid().EditMode());
        QTest::keyClick(dd, Qt::Key_Return);
        EXPECT_FALSE(grid().EditMode()) << c.col;
        EXPECT_EQ(open(), !c.closes) << c.col;
        EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
        dd->HideDropDown(false);
    }
}

TEST_F(GridDropDown, GridModeOpensOnTheRowTheTextStartsOrTheFirst)
{
    dd->SetUseItems(false);
    auto &g = grid();
    g.SetColCount(2);
    g.SetRowCount(4);
    const char *names[] = {"Alpha", "Beta", "Bravo"};
    for (int r = 1; r <= 3; ++r) g.SetCells(0, r, QString::fromLatin1(names[r - 1]));
    struct Case {
        const char *text;
        int row;
    };
    for (const Case c : {Case{"Br", 3}, Case{"zzz", 1}}) {
        dd->SetText(QString::fromLatin1(c.text));
        showNow();
        EXPECT_EQ(g.Row(), c.row) << c.text;
        dd->HideDropDown(true);
    }
    EXPECT_EQ(dd->Columns().Count(), 2) << "columns follow the grid's";
    dd->SetItemIndex(1);
    EXPECT_EQ(dd->text(), QStringLiteral("Beta"));
    showNow();
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->text(), QStringLiteral("Bravo"));
}

// ---- the grid's events ------------------------------------------------------------------------------

TEST_F(GridDropDown, ColumnColourAndAlignmentComeFirstAndAHandlerWins)
{
    dd->Columns().GetItem(0)->SetColor(0x00FF00);
    dd->Columns().GetItem(0)->SetAlignment(taRightJustify);
    addItems({"Alpha"});
    showNow();
    auto &g = grid();
    TBrush brush;
    TFont font;
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    g.OnGetCellColor(&g, 1, 0, {}, brush, font);
    g.OnGetAlignment(&g, 1, 0, h, v);
    EXPECT_EQ(brush.Color, TColor(0x00FF00));
    EXPECT_EQ(h, taRightJustify);

    QList<QObject *> senders;
    dd->OnGridGetCellColor = [&](QObject *s, int, int, TGridDrawState, TBrush &b, TFont &) {
        senders << s;
        b.Color = 0x0000FF;
    };
    dd->OnGridGetAlignment = [&](QObject *s, int, int, TAlignment &a, TVAlignment &) {
        senders << s;
        a = taCenter;
    };
    g.OnGetCellColor(&g, 1, 0, {}, brush, font);
    g.OnGetAlignment(&g, 1, 0, h, v);
    EXPECT_EQ(brush.Color, TColor(0x0000FF));
    EXPECT_EQ(h, taCenter);
    EXPECT_EQ(senders, (QList<QObject *>{&g, &g})) << "the grid is the Sender";
}

TEST_F(GridDropDown, TheGridsOtherEventsReachTheOwnerWithTheGridAsSender)
{
    addItems({"Alpha", "Beta"});
    QList<QObject *> senders;
    dd->OnGridRowMoved = [&](QObject *s, int, int) { senders << s; };
    dd->OnGridGetFloatFormat = [&](QObject *s, int, int, bool &, QString &f) {
        senders << s;
        EXPECT_TRUE(f.isEmpty()) << "the format starts empty";
    };
    showNow();
    auto &g = grid();
    EXPECT_FALSE(bool(g.OnCustomCellDraw)) << "no owner drawing: the grid draws";
    g.OnRowMoved(&g, 1, 2);
    bool isFloat = false;
    QString format = QStringLiteral("%.2f");
    g.OnGetFloatFormat(&g, 0, 1, isFloat, format);
    EXPECT_EQ(senders, (QList<QObject *>{&g, &g}));
    // An owner's drawing assigned while open takes effect at the next opening.
    dd->OnGridCustomCellDraw = [](auto &&...) {};
    EXPECT_FALSE(bool(g.OnCustomCellDraw));
    dd->HideDropDown(true);
    showNow();
    EXPECT_TRUE(bool(g.OnCustomCellDraw));
}

TEST_F(GridDropDown, TopLeftChangedNamesTheDropDown)
{
    for (int i = 0; i < 30; ++i) addItems({"Row"});
    QList<QObject *> senders;
    dd->OnGridTopLeftChanged = [&](QObject *s) { senders << s; };
    showNow();
    senders.clear();
    grid().SetTopRow(10);
    ASSERT_FALSE(senders.isEmpty());
    EXPECT_EQ(senders.front(), dd);
}

TEST_F(GridDropDown, AMessageBoxFromAnAnchorClickLeavesThePopUpOpen)
{
    dd->Columns().GetItem(0)->SetWidth(150);
    addItems({"<a href=\"go\">go there</a>"});
    testsupport::ModalResponder responder;
    responder.answerBox(QMessageBox::Ok);
    QStringList anchors;
    bool blockedDuring = false;
    dd->OnGridAnchorClick = [&](QObject *, int, int, QString a, bool &) {
        anchors << a;
        blockedDuring = dd->DropDownForm()->BlockActivate();
        QMessageBox::information(dd, QStringLiteral("Anchor"), a);
    };
    showNow();
    ASSERT_TRUE(open());
    const TRect r = grid().CellRect(0, 1);
    clickIn(&grid(), QPoint(r.Left + 8, (r.Top + r.Bottom) / 2));
    if (anchors.isEmpty()) { // the click missed the link text: fire as the grid would
        bool autoHandle = false;
        grid().OnAnchorClick(&grid(), 1, 0, QStringLiteral("go"), autoHandle);
    }
    QApplication::processEvents();
    EXPECT_EQ(anchors, QStringList{"go"});
    EXPECT_TRUE(blockedDuring);
    EXPECT_EQ(responder.modalsSeen(), 1);
    EXPECT_TRUE(open()) << "open again after the box";
    EXPECT_TRUE(dropUps.isEmpty());
    EXPECT_FALSE(dd->DropDownForm()->BlockActivate());
}

TEST_F(GridDropDown, TheActivationBlockEndsOnEveryWayOut)
{
    addItems({"Alpha"});
    showNow();
    auto &g = grid();
    dd->OnGridAnchorClick = [](QObject *, int, int, QString, bool &) { throw std::runtime_error("anchor"); };
    dd->OnGridButtonClick = [](QObject *, int, int) { throw std::runtime_error("button"); };
    dd->OnGridEllipsClick = [](QObject *, int, int, QString &) { throw std::runtime_error("ellipsis"); };
    bool autoHandle = false;
    QString s;
    EXPECT_THROW(g.OnAnchorClick(&g, 1, 0, QStringLiteral("x"), autoHandle), std::runtime_error);
    EXPECT_FALSE(dd->DropDownForm()->BlockActivate());
    EXPECT_THROW(g.OnButtonClick(&g, 0, 1), std::runtime_error);
    EXPECT_FALSE(dd->DropDownForm()->BlockActivate());
    EXPECT_THROW(g.OnEllipsClick(&g, 0, 1, s), std::runtime_error);
    EXPECT_FALSE(dd->DropDownForm()->BlockActivate());
}

// ---- the picture --------------------------------------------------------------------------------------

TEST_F(GridDropDown, PictureOfTheOpenGridSortedAndNarrowed)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "pictures need a real X screen";
    dd->SetSorting(gsSingleColumn);
    dd->SetLookupMethod(lmNarrowDown);
    dd->Columns().GetItem(0)->SetWidth(110);
    dd->Columns().GetItem(1)->SetWidth(110);
    dd->Columns().GetItem(1)->SetColor(0xE0F0FF);
    dd->Columns().GetItem(1)->SetAlignment(taRightJustify);
    dd->Columns().GetItem(0)->SetHeader(QStringLiteral("Device"));
    dd->Columns().GetItem(1)->SetHeader(QStringLiteral("Port"));
    const char *names[] = {"Sensor tank", "Valve block", "Pressure switch", "Light stack",
                           "Flow meter",  "Temperature", "Analog input",    "Level probe"};
    for (int i = 0; i < 8; ++i) {
        TDropDownItem *item = dd->Items().Add();
        item->Text() << QString::fromLatin1(names[i]) << QStringLiteral("X%1").arg(i + 1);
    }
    dd->EndUpdate();
    dd->SetItemIndex(2);
    showNow();
    QTest::qWait(200);
    ASSERT_TRUE(open());
    clickIn(&grid(), cellCentre(0, 0));
    type("e");
    QTest::qWait(300);
    EXPECT_EQ(lookupColumn(), (QStringList{"Flow meter", "Level probe", "Pressure switch", "Sensor tank",
                                           "Temperature", "Valve block"}));
    QGuiApplication::primaryScreen()->grabWindow(0).toImage().save(
        QStringLiteral("/tmp/grid_dropdown_sorted_narrowed.png"));
    EXPECT_TRUE(open());
}
