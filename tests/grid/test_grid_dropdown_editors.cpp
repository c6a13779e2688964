// The drop-down cell editors seen from the grid, with a small drop-down editor of the tests (an
// edit and a pop-up list) registered for every drop-down kind: what opens and with what, which keys
// commit, refuse, move on or cancel, what each kind writes back, the look the grid passes on, and
// that a kind without a factory opens nothing.
#include <QKeyEvent>
#include <QListWidget>
#include <QStringList>
#include <climits>

#include "grid/DropDownEditorRegistry.h"
#include "grid/NovaColumnGrid.h"
#include "grid/base/DropDownAppearance.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/MaskEdit.h"
#include "grid_edit_support.h"

namespace {

const TEditorType kDropDownKinds[] = {edTrackbarDropDown,    edMemoDropDown,        edCalculatorDropDown,
                                      edTimePickerDropDown,  edDetailDropDown,      edGridDropDown,
                                      edColorPickerDropDown, edImagePickerDropDown, edNovaGridDropDown};

struct NamedColor {
    const char *name;
    TColor color;
};
const NamedColor kColors[] = {{"Black", 0x000000}, {"Red", 0x0000FF}, {"Lime", 0x00FF00}, {"Blue", 0xFF0000}};

// An edit with a pop-up list, written the way a wrapper of a real drop-down is: its own handlers
// hand every key, character, change and exit to the grid's steps first. Its pop-up takes the
// keyboard while open and hands Enter, Esc and Tab to the edit; the row chosen there becomes the
// value when the pop-up closes without cancel.
class FakeDropDown : public TNovaMaskEdit, public TDropDownCellEditor, public INovaStyle, public INovaTones {
public:
    FakeDropDown(QWidget *owner, TEditorType kind) : TNovaMaskEdit(owner), TDropDownCellEditor(owner)
    {
        setObjectName(QStringLiteral("fake drop-down"));
        FPopup = new QListWidget(this);
        FPopup->setWindowFlags(Qt::Popup);
        FPopup->installEventFilter(&FKeys);
        FKeys.owner = this;
        if (kind == edColorPickerDropDown)
            for (const NamedColor &c : kColors) FPopup->addItem(QString::fromLatin1(c.name));
        else if (kind == edTrackbarDropDown)
            FPopup->addItems({QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("8")});
        else if (kind != edImagePickerDropDown)
            FPopup->addItems({QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("gamma")});
    }

    // ---- the face towards the grid
    QWidget *Widget() override { return this; }
    QString CellText() const override { return text(); }
    void SetCellText(const QString &Text) override
    {
        if (Kind() == edColorPickerDropDown) FSelected = rowOf(Text);
        setText(Text);
    }
    void OpenPopup() override
    {
        FPopup->move(mapToGlobal(QPoint(0, height())));
        FPopup->resize(std::max(width(), 80), 90);
        FPopup->setCurrentRow(FSelected >= 0 ? FSelected : 0);
        FPopup->show();
        FPopup->setFocus(Qt::PopupFocusReason);
        // Set after the pop-up took the focus: the grid must tell that focus change apart by itself.
        FDropped = true;
    }
    void ClosePopup(bool Cancel) override
    {
        FDropped = false;
        const int row = FPopup->currentRow();
        FPopup->hide();
        if (Cancel || row < 0) return;
        const QString item = FPopup->item(row)->text();
        if (Kind() == edColorPickerDropDown || Kind() == edImagePickerDropDown) {
            FSelected = row;
            setText(item);
            GridSelect();
        } else {
            setText(item);
        }
    }
    bool DroppedDown() const override { return FDropped; }
    QWidget *PopupWindow() const override { return FPopup; }
    INovaStyle &Style() override { return *this; }
    INovaTones &Tones() override { return *this; }
    void SetComponentStyle(TNovaStyle AStyle) override { style.push_back(AStyle); }
    void SetColorTones(const TColorTones &ATones) override { tones.push_back(ATones); }
    void SetDropDownBars(const THeaderAppearance &Header, const TFooterAppearance &Footer) override
    {
        headerCaption = Header.Caption();
        footerCaption = Footer.Caption();
    }
    void SetCellPosition(int Position) override
    {
        position = Position;
        setText(QString::number(Position));
    }
    void SetCellColor(TColor Color) override
    {
        FSelected = -1;
        for (int i = 0; i < int(std::size(kColors)); ++i)
            if (kColors[i].color == Color) FSelected = i;
        setText(FSelected >= 0 ? QString::fromLatin1(kColors[FSelected].name) : QString());
    }
    TColor CellColor() const override { return FSelected >= 0 ? kColors[FSelected].color : clNone; }
    void SetCellImages(const TMarkupImageList *Images) override
    {
        images = Images;
        if (Images && FPopup->count() == 0)
            for (int i = 0; i < Images->Count(); ++i) FPopup->addItem(QStringLiteral("Image %1").arg(i));
    }
    void SetCellImageIndex(int Index) override
    {
        FSelected = Index >= 0 && Index < FPopup->count() ? Index : -1;
        setText(FSelected >= 0 ? FPopup->item(FSelected)->text() : QString());
    }
    int CellImageIndex() const override { return FSelected; }

    void clickHeaderButton(int i) { GridHeaderButtonClick(i); }
    void clickFooterButton(int i) { GridFooterButtonClick(i); }
    QListWidget *popup() const { return FPopup; }

    std::vector<TNovaStyle> style;
    std::vector<TColorTones> tones;
    QString headerCaption, footerCaption;
    int position = -1;
    const TMarkupImageList *images = nullptr;

protected:
    void KeyDown(int &key, Qt::KeyboardModifiers shift) override
    {
        if (GridKeyDown(key, shift)) {
            key = 0;
            return;
        }
        // The base drop-down's own keys: Alt+Down and Alt+Up open and close the pop-up.
        if ((shift & Qt::AltModifier) && (key == Qt::Key_Down || key == Qt::Key_Up)) {
            if (key == Qt::Key_Down && !FDropped) OpenPopup();
            else if (key == Qt::Key_Up && FDropped) ClosePopup(false);
            key = 0;
            return;
        }
        TNovaMaskEdit::KeyDown(key, shift);
    }
    void KeyPress(QChar &key) override
    {
        GridKeyPress(key);
        TNovaMaskEdit::KeyPress(key);
    }
    void Change() override
    {
        TNovaMaskEdit::Change();
        GridChange();
    }
    void DoExit() override
    {
        GridExit();
        TNovaMaskEdit::DoExit();
    }
    bool WantSpecialKey(int key, Qt::KeyboardModifiers) override { return GridWantsKey(key); }

private:
    int rowOf(const QString &name) const
    {
        for (int i = 0; i < int(std::size(kColors)); ++i)
            if (name == QLatin1String(kColors[i].name)) return i;
        return -1;
    }
    struct PopupKeys : QObject {
        FakeDropDown *owner = nullptr;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Hide) owner->FDropped = false;
            if (e->type() != QEvent::KeyPress) return false;
            auto *k = static_cast<QKeyEvent *>(e);
            const int key = k->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape && key != Qt::Key_Tab
                && key != Qt::Key_Backtab)
                return false;
            QKeyEvent forward(QEvent::KeyPress, key, k->modifiers(), k->text());
            QApplication::sendEvent(owner, &forward);
            return true;
        }
    };
    QListWidget *FPopup;
    PopupKeys FKeys;
    int FSelected = -1;
    bool FDropped = false;
};

void registerFakes()
{
    for (TEditorType k : kDropDownKinds)
        RegisterDropDownEditor(k, [k](TNovaStringGrid &g) { return new FakeDropDown(&g, k); });
}

void unregisterAll()
{
    for (TEditorType k : kDropDownKinds) UnregisterDropDownEditor(k);
}

void settle()
{
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Parameter: false a string grid (the kind from OnGetEditorType), true a column grid (the kind of
// the column's item).
class DropDownEditTest : public GridEditTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        GridEditTest::SetUp();
        registerFakes();
        if (GetParam()) prepare(std::make_unique<TNovaColumnGrid>());
        grid->SetRowCount(12);
        grid->SetColCount(5);
    }
    void TearDown() override
    {
        GridEditTest::TearDown();
        unregisterAll();
    }
    void editWith(TEditorType kind)
    {
        if (auto *cg = dynamic_cast<TNovaColumnGrid *>(grid.get())) {
            for (int c = 1; c < cg->Columns()->Count(); ++c) cg->Columns()->Items(c)->SetEditor(kind);
        } else {
            editorFor(kind);
        }
    }
    FakeDropDown *fake(TEditorType kind) const
    {
        return static_cast<FakeDropDown *>(grid->ExistingDropDownEditor(kind));
    }
    bool open(TEditorType kind) const
    {
        return fake(kind) && fake(kind)->isVisible() && grid->EditCtrl() == fake(kind);
    }
};

INSTANTIATE_TEST_SUITE_P(Grids, DropDownEditTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &i) { return i.param ? "ColumnGrid" : "StringGrid"; });

} // namespace

TEST_P(DropDownEditTest, ANewGridHasNoDropDownEditor)
{
    for (TEditorType k : kDropDownKinds) EXPECT_EQ(grid->ExistingDropDownEditor(k), nullptr) << int(k);
    // A plain edit makes none either.
    type(QStringLiteral("a"));
    key(Qt::Key_Return);
    for (TEditorType k : kDropDownKinds) EXPECT_EQ(grid->ExistingDropDownEditor(k), nullptr) << int(k);
    EXPECT_EQ(grid->ExistingDropDownEditor(edComboList), nullptr);
    // A getter makes it once, hidden, a child of the grid.
    TDropDownCellEditor *memo = grid->MemoDropDown();
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(grid->MemoDropDown(), memo);
    EXPECT_EQ(memo->Kind(), edMemoDropDown);
    EXPECT_EQ(memo->Widget()->parentWidget(), grid.get());
    EXPECT_FALSE(memo->Widget()->isVisible());
}

TEST_P(DropDownEditTest, TypingOrAClickOpensTheEditorFilledFromTheCell)
{
    editWith(edCalculatorDropDown);
    grid->SetCells(1, 1, QStringLiteral("12.5"));
    key(Qt::Key_F2);
    ASSERT_TRUE(open(edCalculatorDropDown));
    EXPECT_TRUE(fake(edCalculatorDropDown)->hasFocus());
    EXPECT_EQ(fake(edCalculatorDropDown)->text(), QStringLiteral("12.5"));
    EXPECT_EQ(fake(edCalculatorDropDown)->geometry().topLeft(), grid->CellBounds(1, 1).topLeft());
    key(Qt::Key_Escape);
    EXPECT_FALSE(fake(edCalculatorDropDown)->isVisible());

    // A typed character opens the editor and goes into it.
    grid->SetRow(2);
    type(QStringLiteral("7"));
    settle();
    ASSERT_TRUE(open(edCalculatorDropDown));
    EXPECT_EQ(fake(edCalculatorDropDown)->text(), QStringLiteral("7"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("7"));

    // A click opens it too.
    grid->MouseActions()->SetDirectEdit(true);
    grid->SetCells(2, 3, QStringLiteral("9"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->CellBounds(2, 3).center());
    settle();
    ASSERT_TRUE(open(edCalculatorDropDown));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(fake(edCalculatorDropDown)->text(), QStringLiteral("9"));
}

TEST_P(DropDownEditTest, AltDownOpensThePopupWhichTakesTheKeyboardWithoutEndingTheEdit)
{
    editWith(edDetailDropDown);
    grid->SetCells(1, 1, QStringLiteral("alpha"));
    key(Qt::Key_F2);
    FakeDropDown *e = fake(edDetailDropDown);
    ASSERT_TRUE(open(edDetailDropDown));
    key(Qt::Key_Down, Qt::AltModifier);
    settle();
    ASSERT_TRUE(e->DroppedDown());
    EXPECT_TRUE(e->popup()->isVisible());
    EXPECT_NE(QApplication::focusWidget(), e) << "the pop-up has the keyboard";
    EXPECT_TRUE(open(edDetailDropDown)) << "the cell editor stays open";
    EXPECT_TRUE(grid->EditMode());
    key(Qt::Key_Down); // in the pop-up: the next row
    key(Qt::Key_Down);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("alpha")) << "nothing written while choosing";
    key(Qt::Key_Return); // handed to the edit: the choice is taken, validated and written
    settle();
    EXPECT_FALSE(e->popup()->isVisible());
    EXPECT_FALSE(e->isVisible());
    EXPECT_TRUE(grid->hasFocus()) << "the keys are the grid's again";
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("gamma"));
    EXPECT_EQ(grid->Row(), 1) << "Enter in the open pop-up does not move";

    // DirectComboDrop: the pop-up opens with the editor.
    grid->MouseActions()->SetDirectComboDrop(true);
    key(Qt::Key_F2);
    settle();
    EXPECT_TRUE(e->DroppedDown());
    EXPECT_TRUE(open(edDetailDropDown));
    key(Qt::Key_Escape);
    settle();
    EXPECT_FALSE(e->popup()->isVisible());
    EXPECT_FALSE(e->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("gamma"));
}

TEST_P(DropDownEditTest, EnterWritesTheCellAndMovesEscPutsTheTextBack)
{
    grid->Navigation()->SetAdvanceOnEnter(true);
    editWith(edMemoDropDown);
    grid->SetCells(1, 1, QStringLiteral("old"));
    key(Qt::Key_F2);
    FakeDropDown *e = fake(edMemoDropDown);
    ASSERT_TRUE(open(edMemoDropDown));
    EXPECT_EQ(e->cursorPosition(), 0) << "the memo starts at its beginning";
    EXPECT_FALSE(e->hasSelectedText());
    EXPECT_EQ(grid->CellCache(), QStringLiteral("old"));
    e->setText(QStringLiteral("new text"));
    EXPECT_EQ(grid->CellCache(), QStringLiteral("old"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("new text")) << "the memo's cell follows it";
    EXPECT_EQ(QApplication::focusWidget(), e);
    key(Qt::Key_Escape);
    EXPECT_FALSE(e->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("old"));
    EXPECT_TRUE(grid->hasFocus());

    key(Qt::Key_F2);
    ASSERT_TRUE(open(edMemoDropDown));
    EXPECT_EQ(QApplication::focusWidget(), e);
    EXPECT_TRUE(grid->EditMode());
    e->setText(QStringLiteral("kept"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("kept"));
    EXPECT_EQ(grid->Col(), 2) << "advance on Enter";
    EXPECT_TRUE(open(edMemoDropDown)) << "and the next cell's editor opens";
    EXPECT_EQ(e->text(), QString());
    key(Qt::Key_Escape);
    grid->SetCol(1);
    grid->SetRow(2);

    // Esc after a choice in the pop-up puts the text back too.
    editWith(edGridDropDown);
    grid->SetCells(1, 2, QStringLiteral("before"));
    key(Qt::Key_F2);
    key(Qt::Key_Down, Qt::AltModifier);
    settle();
    key(Qt::Key_Down);
    key(Qt::Key_Escape);
    settle();
    EXPECT_FALSE(fake(edGridDropDown)->isVisible());
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("before"));
}

TEST_P(DropDownEditTest, TabWithGoTabsWritesAndMovesOn)
{
    TGridOptions o = grid->Options();
    o.Include(goTabs);
    grid->SetOptions(o);
    editWith(edTimePickerDropDown);
    grid->SetCells(1, 1, QStringLiteral("13:05:09"));
    key(Qt::Key_F2);
    ASSERT_TRUE(open(edTimePickerDropDown));
    fake(edTimePickerDropDown)->setText(QStringLiteral("14:05:09"));
    key(Qt::Key_Tab);
    settle();
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("14:05:09"));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(open(edTimePickerDropDown)) << "the next cell's editor opens";
    key(Qt::Key_Tab, Qt::ShiftModifier);
    settle();
    EXPECT_EQ(grid->Col(), 1) << "Shift+Tab walks back";
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("14:05:09"));
}

TEST_P(DropDownEditTest, ARefusedValueKeepsTheEditorOpenWithTheNewCellTextSelected)
{
    editWith(edNovaGridDropDown);
    grid->SetCells(1, 1, QStringLiteral("good"));
    bool accept = false;
    int validations = 0;
    grid->OnCellValidate = [&](QObject *, int, int, QString &, bool &valid) {
        ++validations;
        valid = accept;
    };
    key(Qt::Key_F2);
    FakeDropDown *e = fake(edNovaGridDropDown);
    e->setText(QStringLiteral("bad"));
    key(Qt::Key_Return);
    EXPECT_EQ(validations, 1);
    ASSERT_TRUE(open(edNovaGridDropDown)) << "refused: the editor stays";
    EXPECT_EQ(e->text(), grid->NewCellText());
    EXPECT_EQ(e->text(), QStringLiteral("good"));
    EXPECT_EQ(e->selectedText(), QStringLiteral("good"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("good"));
    EXPECT_EQ(grid->Row(), 1);

    // Tab is claimed while a validation event is assigned; refused it keeps the editor too.
    e->setText(QStringLiteral("bad"));
    key(Qt::Key_Tab);
    EXPECT_TRUE(open(edNovaGridDropDown));
    EXPECT_EQ(grid->Col(), 1);

    accept = true;
    e->setText(QStringLiteral("fine"));
    key(Qt::Key_Return);
    EXPECT_FALSE(e->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("fine"));
}

TEST_P(DropDownEditTest, EditChangeFiresForTheUsersChangesNotForTheLoad)
{
    editWith(edMemoDropDown);
    QStringList changes;
    grid->OnEditChange = [&](QObject *, int c, int r, QString v) {
        changes << QStringLiteral("%1,%2 %3").arg(c).arg(r).arg(v);
    };
    grid->SetCells(1, 1, QStringLiteral("ab"));
    key(Qt::Key_F2);
    EXPECT_TRUE(changes.isEmpty());
    key(Qt::Key_End);
    type(QStringLiteral("c"));
    EXPECT_EQ(changes, QStringList{QStringLiteral("1,1 abc")});
    QStringList typed;
    grid->OnKeyPress = [&](QObject *sender, QChar &k) {
        typed << QString(k);
        EXPECT_EQ(sender, fake(edMemoDropDown)) << "the editor is the Sender";
    };
    type(QStringLiteral("d"));
    EXPECT_EQ(typed, QStringList{QStringLiteral("d")});
}

TEST_P(DropDownEditTest, LeavingTheCellStoresTheValueUnlessRefused)
{
    editWith(edDetailDropDown);
    bool accept = false;
    grid->OnCellValidate = [&](QObject *, int, int, QString &, bool &valid) { valid = accept; };
    grid->SetCells(1, 1, QStringLiteral("old"));
    key(Qt::Key_F2);
    fake(edDetailDropDown)->setText(QStringLiteral("other"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->CellBounds(3, 3).center());
    settle();
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("old"));
    EXPECT_TRUE(open(edDetailDropDown));
    accept = true;
    fake(edDetailDropDown)->setText(QStringLiteral("other"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->CellBounds(3, 3).center());
    settle();
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("other"));
    EXPECT_FALSE(fake(edDetailDropDown)->isVisible());
}

// Each kind opened on a cell, the pop-up's second row chosen, Enter: what the editor started
// with and what the cell holds after.
TEST_P(DropDownEditTest, EachKindLoadsAndWritesBackItsValue)
{
    TMarkupImageList images;
    images.Images.resize(4, QImage(16, 16, QImage::Format_ARGB32));
    grid->SetGridImages(&images);
    QStringList selected;
    grid->OnColorSelected = [&](QObject *, int c, int r, TColor &col, QString &v) {
        selected << QStringLiteral("%1,%2 %3 %4").arg(c).arg(r).arg(v).arg(col, 6, 16, QLatin1Char('0'));
    };
    grid->OnImageSelected = [&](QObject *, int c, int r, int &i) {
        selected << QStringLiteral("%1,%2 image %3").arg(c).arg(r).arg(i);
    };

    struct Case {
        TEditorType kind;
        const char *cellText;
        const char *loaded;   // the editor's text after opening
        const char *cellAfter;
    };
    const Case cases[] = {
        {edTrackbarDropDown, "7 steps", "7", "5"},
        {edMemoDropDown, "line", "line", "beta"},
        {edCalculatorDropDown, "2", "2", "beta"},
        {edTimePickerDropDown, "13:05:09", "13:05:09", "beta"},
        {edDetailDropDown, "gamma", "gamma", "beta"},
        {edGridDropDown, "", "", "beta"},
        {edColorPickerDropDown, "Blue", "Blue", "Red"},
        {edImagePickerDropDown, "2", "Image 2", "1"},
        {edNovaGridDropDown, "x", "x", "beta"},
    };
    int row = 1;
    for (const Case &k : cases) {
        SCOPED_TRACE(int(k.kind));
        editWith(k.kind);
        grid->SetRow(row);
        if (k.kind == edImagePickerDropDown) grid->AddDataImage(1, row, 0, haLeft, vaTop);
        grid->SetCells(1, row, QString::fromLatin1(k.cellText));
        if (k.kind == edColorPickerDropDown) grid->SetColors(1, row, 0xFF0000);
        key(Qt::Key_F2);
        FakeDropDown *e = fake(k.kind);
        ASSERT_NE(e, nullptr);
        ASSERT_TRUE(open(k.kind));
        EXPECT_EQ(e->text(), QString::fromLatin1(k.loaded));
        key(Qt::Key_Down, Qt::AltModifier);
        settle();
        ASSERT_TRUE(e->DroppedDown());
        e->popup()->setCurrentRow(1);
        key(Qt::Key_Return);
        settle();
        EXPECT_FALSE(e->isVisible());
        EXPECT_EQ(grid->Cells(1, row), QString::fromLatin1(k.cellAfter));
        ++row;
    }
    EXPECT_EQ(fake(edTrackbarDropDown)->position, 7);
    EXPECT_EQ(fake(edImagePickerDropDown)->images, &images);
    EXPECT_EQ(grid->Colors(1, 7), TColor(0x0000FF));
    EXPECT_EQ(selected, (QStringList{QStringLiteral("1,7 Red 0000ff"), QStringLiteral("1,8 image 1")}));
    grid->SetGridImages(nullptr);
}

TEST_P(DropDownEditTest, ColourAndImageWriteBackFollowTheCellsGraphic)
{
    TMarkupImageList images;
    images.Images.resize(3, QImage(16, 16, QImage::Format_ARGB32));
    grid->SetGridImages(&images);

    // A shape cell: the picker starts at the shape's colour and the choice goes to the shape.
    editWith(edColorPickerDropDown);
    grid->AddShape(1, 1, csCircle, 0x00FF00, clBlack, haLeft, vaTop);
    grid->SetCells(1, 1, QStringLiteral("Lime"));
    const TColor cellColour = grid->Colors(1, 1);
    int colourSelects = 0;
    grid->OnColorSelect = [&](QObject *, int, int, TColor c, const QString &v) {
        ++colourSelects;
        EXPECT_EQ(c, TColor(0xFF0000));
        EXPECT_EQ(v, QStringLiteral("Blue"));
    };
    // The write-back event may change colour and text.
    grid->OnColorSelected = [](QObject *, int, int, TColor &c, QString &v) {
        if (v == QLatin1String("Blue")) {
            c = 0x800000;
            v = QStringLiteral("Navy");
        }
    };
    key(Qt::Key_F2);
    EXPECT_EQ(fake(edColorPickerDropDown)->CellColor(), TColor(0x00FF00));
    key(Qt::Key_Down, Qt::AltModifier);
    settle();
    fake(edColorPickerDropDown)->popup()->setCurrentRow(3);
    key(Qt::Key_Return);
    EXPECT_EQ(colourSelects, 1);
    EXPECT_EQ(grid->GetShapeColor(1, 1), TColor(0x800000));
    EXPECT_EQ(grid->Colors(1, 1), cellColour) << "a shape cell keeps its cell colour";
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Navy"));

    // An image-list cell: the index changes, its text stays.
    editWith(edImagePickerDropDown);
    grid->SetRow(2);
    grid->AddImageIdx(1, 2, 2, haLeft, vaTop);
    grid->SetCells(1, 2, QStringLiteral("caption"));
    key(Qt::Key_F2);
    EXPECT_EQ(fake(edImagePickerDropDown)->CellImageIndex(), 2);
    EXPECT_EQ(fake(edImagePickerDropDown)->text(), QStringLiteral("Image 2"));
    key(Qt::Key_Down, Qt::AltModifier);
    settle();
    fake(edImagePickerDropDown)->popup()->setCurrentRow(0);
    key(Qt::Key_Return);
    int idx = -1;
    ASSERT_TRUE(grid->GetImageIdx(1, 2, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("caption"));
    grid->SetGridImages(nullptr);
}

// A cell text the editor cannot take opens it on its default and leaves the cell as it was unless
// the user chooses.
TEST_P(DropDownEditTest, UnusableCellValuesOpenTheDefaultAndChangeNothing)
{
    TMarkupImageList images;
    images.Images.resize(3, QImage(16, 16, QImage::Format_ARGB32));
    grid->SetGridImages(&images);
    struct Case {
        TEditorType kind;
        const char *text;
        bool dataImage;
    };
    const Case cases[] = {
        {edImagePickerDropDown, "abc", true},
        {edImagePickerDropDown, "7", true},                    // no such image
        {edImagePickerDropDown, "99999999999999999999", true}, // longer than any index
        {edColorPickerDropDown, "Mauve", false},               // no cell colour the picker knows
        {edImagePickerDropDown, "plain", false},                // no image cell at all
    };
    int row = 1;
    for (const Case &k : cases) {
        SCOPED_TRACE(k.text);
        editWith(k.kind);
        grid->SetRow(row);
        if (k.dataImage) grid->AddDataImage(1, row, 0, haLeft, vaTop);
        grid->SetCells(1, row, QString::fromLatin1(k.text));
        if (k.kind == edColorPickerDropDown) grid->SetColors(1, row, 0x123456);
        key(Qt::Key_F2);
        ASSERT_TRUE(open(k.kind));
        EXPECT_EQ(fake(k.kind)->text(), QString());
        key(Qt::Key_Return);
        settle();
        EXPECT_FALSE(fake(k.kind)->isVisible());
        EXPECT_EQ(grid->Cells(1, row), QString::fromLatin1(k.text));
        if (k.kind == edColorPickerDropDown) EXPECT_EQ(grid->Colors(1, row), TColor(0x123456));
        ++row;
    }
    grid->SetGridImages(nullptr);
}

TEST_P(DropDownEditTest, WithoutAFactoryAKindOpensNothing)
{
    unregisterAll();
    for (TEditorType k : kDropDownKinds) {
        SCOPED_TRACE(int(k));
        editWith(k);
        grid->SetCells(1, 1, QStringLiteral("same"));
        key(Qt::Key_F2);
        type(QStringLiteral("x"));
        settle();
        EXPECT_EQ(grid->ExistingDropDownEditor(k), nullptr);
        EXPECT_EQ(grid->DropDownEditor(k), nullptr);
        EXPECT_FALSE(grid->EditMode());
        EXPECT_FALSE(textEditorShown());
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("same"));
    }
}

TEST_P(DropDownEditTest, TheGridsStyleTonesAndBarsReachEveryEditor)
{
    grid->SetComponentStyle(tsOffice2010Blue);
    TColorTones tones;
    tones.Background.BrushColor = 0x112233;
    tones.Hover.BrushColor = 0x445566;
    grid->ControlLook()->DropDownHeader().SetCaption(QStringLiteral("Pick one"));
    grid->ControlLook()->DropDownFooter().SetCaption(QStringLiteral("Footer"));
    for (TEditorType k : kDropDownKinds) {
        SCOPED_TRACE(int(k));
        auto *e = static_cast<FakeDropDown *>(grid->DropDownEditor(k));
        ASSERT_NE(e, nullptr);
        ASSERT_FALSE(e->style.empty());
        EXPECT_EQ(e->style.back(), tsOffice2010Blue) << "made with the grid's style";
        ASSERT_FALSE(e->tones.empty());
    }
    grid->SetColorTones(tones);
    grid->SetComponentStyle(tsOffice2007Silver);
    for (TEditorType k : kDropDownKinds) {
        SCOPED_TRACE(int(k));
        EXPECT_EQ(fake(k)->style.back(), tsOffice2007Silver);
        EXPECT_EQ(fake(k)->tones.back(), tones);
    }
    // Opening hands over copies of the header and footer and binds their buttons.
    editWith(edColorPickerDropDown);
    QStringList clicks;
    grid->OnDropDownHeaderButtonClick = [&](QObject *, int c, int r, int b) {
        clicks << QStringLiteral("h %1,%2 %3").arg(c).arg(r).arg(b);
    };
    grid->OnDropDownFooterButtonClick = [&](QObject *, int c, int r, int b) {
        clicks << QStringLiteral("f %1,%2 %3").arg(c).arg(r).arg(b);
    };
    key(Qt::Key_F2);
    EXPECT_EQ(fake(edColorPickerDropDown)->headerCaption, QStringLiteral("Pick one"));
    EXPECT_EQ(fake(edColorPickerDropDown)->footerCaption, QStringLiteral("Footer"));
    fake(edColorPickerDropDown)->clickHeaderButton(2);
    fake(edColorPickerDropDown)->clickFooterButton(0);
    EXPECT_EQ(clicks, (QStringList{QStringLiteral("h 1,1 2"), QStringLiteral("f 1,1 0")}));
}

TEST(DropDownEditorRegistry, OnlyTheDropDownKindsTakeAFactory)
{
    auto factory = [](TNovaStringGrid &g) -> TDropDownCellEditor * { return new FakeDropDown(&g, edMemoDropDown); };
    EXPECT_FALSE(RegisterDropDownEditor(edComboList, factory));
    EXPECT_FALSE(RegisterDropDownEditor(edNormal, factory));
    EXPECT_FALSE(RegisterDropDownEditor(edPositiveFloat, factory));
    EXPECT_FALSE(RegisterDropDownEditor(edMemoDropDown, nullptr));
    EXPECT_FALSE(HasDropDownEditorFactory(edMemoDropDown));
    EXPECT_TRUE(RegisterDropDownEditor(edMemoDropDown, factory));
    EXPECT_TRUE(HasDropDownEditorFactory(edMemoDropDown));
    UnregisterDropDownEditor(edMemoDropDown);
    EXPECT_FALSE(HasDropDownEditorFactory(edMemoDropDown));
    // An editor wants a string grid as its owner.
    QWidget notAGrid;
    EXPECT_THROW({ FakeDropDown e(&notAGrid, edMemoDropDown); }, std::bad_cast);
}

// The number a cell text starts with, as the track bar and the spin editor read it.
TEST(DropDownEditorRegistry, LeadingNumberOfACellTextNeverOverflows)
{
    struct Case {
        const char *text;
        int expected;
    };
    const Case cases[] = {
        {"", -1},
        {"abc", -1},
        {"-", -1},
        {"+", -1},
        {"12abc", 12},
        {" 42 ", 42},
        {"-7", -7},
        {"+3", 3},
        {"007", 7},
        {"5.9", 5},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999999999999", INT_MIN},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TNovaStringGrid::LeadingInt(QString::fromLatin1(c.text), -1), c.expected) << c.text;
    EXPECT_EQ(TNovaStringGrid::LeadingInt(QStringLiteral("none")), 0) << "the default default";
}
