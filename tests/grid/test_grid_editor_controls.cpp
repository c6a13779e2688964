// The editor controls in a grid: which opens per kind, what it is filled with, what finishing
// keys commit or refuse and what is written back.
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <stdexcept>
#include <typeinfo>

#include "grid_edit_support.h"

TEST_F(GridEditTest, ComboListOnATextNotInTheListSelectsTheFirstItemAndReportsIt)
{
    editorFor(edComboList);
    for (const char *s : {"red", "green", "blue"}) grid->AddComboString(QString::fromLatin1(s));
    QStringList changes;
    grid->OnComboChange = [&](QObject *, int c, int r, int i, QString s) {
        changes << QStringLiteral("%1,%2 %3 %4").arg(c).arg(r).arg(i).arg(s);
    };
    grid->SetCells(1, 1, QStringLiteral("black"));
    key(Qt::Key_F2);
    ASSERT_EQ(grid->EditCtrl(), grid->Combo());
    EXPECT_TRUE(grid->Combo()->isVisible());
    EXPECT_EQ(grid->Combo()->currentText(), QStringLiteral("red"));
    EXPECT_EQ(changes, QStringList{QStringLiteral("1,1 0 red")});
    key(Qt::Key_Return);
    EXPECT_FALSE(grid->Combo()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("red"));
}

TEST_F(GridEditTest, ComboListOnAListedTextSelectsItQuietlyAndDownPicksTheNext)
{
    editorFor(edComboList);
    for (const char *s : {"red", "green", "blue"}) grid->AddComboString(QString::fromLatin1(s));
    int changes = 0;
    grid->OnComboChange = [&](QObject *, int, int, int, QString) { ++changes; };
    grid->SetCells(1, 1, QStringLiteral("green"));
    key(Qt::Key_F2);
    EXPECT_EQ(grid->Combo()->currentText(), QStringLiteral("green"));
    EXPECT_EQ(changes, 0);
    key(Qt::Key_Down); // ComboGetUpDown: the list keeps Up and Down
    EXPECT_EQ(grid->Combo()->currentText(), QStringLiteral("blue"));
    EXPECT_EQ(changes, 1);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("blue"));
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridEditTest, ComboSelectionStringWinsForATextNotInTheList)
{
    editorFor(edComboList);
    for (const char *s : {"a", "b", "c"}) grid->AddComboString(QString::fromLatin1(s));
    EXPECT_TRUE(grid->SetComboSelectionString(QStringLiteral("c")));
    EXPECT_FALSE(grid->SetComboSelectionString(QStringLiteral("zz")));
    int changes = 0;
    grid->OnComboChange = [&](QObject *, int, int, int, QString) { ++changes; };
    grid->SetCells(1, 1, QStringLiteral("x"));
    key(Qt::Key_F2);
    EXPECT_EQ(grid->Combo()->currentText(), QStringLiteral("c"));
    EXPECT_EQ(changes, 0);
}

TEST_F(GridEditTest, ComboIndexesOutsideTheListAreRefused)
{
    for (const char *s : {"a", "b"}) grid->AddComboString(QString::fromLatin1(s));
    grid->SetCells(1, 1, QStringLiteral("b"));
    EXPECT_EQ(grid->ComboIndex(1, 1), 1);
    grid->SetComboIndex(1, 1, 5);
    grid->SetComboIndex(1, 1, -1);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("b"));
    grid->SetComboIndex(1, 1, 0);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("a"));
    grid->SetComboSelection(7); // nothing to select
    editorFor(edComboList);
    grid->SetCells(1, 2, QStringLiteral("zz"));
    grid->SetRow(2);
    key(Qt::Key_F2);
    EXPECT_EQ(grid->Combo()->currentText(), QStringLiteral("a"));
    EXPECT_TRUE(grid->RemoveComboString(QStringLiteral("a")));
    EXPECT_FALSE(grid->RemoveComboString(QStringLiteral("a")));
}

TEST_F(GridEditTest, ComboEditKeepsFreeTextAndDownCommitsAndMoves)
{
    editorFor(edComboEdit);
    for (const char *s : {"one", "two"}) grid->AddComboString(QString::fromLatin1(s));
    key(Qt::Key_F2);
    ASSERT_EQ(grid->EditCtrl(), grid->Combo());
    grid->Combo()->lineEdit()->selectAll();
    QTest::keyClicks(grid->Combo()->lineEdit(), QStringLiteral("free"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("free"));

    grid->Navigation()->SetComboGetUpDown(false);
    key(Qt::Key_F2);
    key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2) << "without ComboGetUpDown Down moves a row";
    EXPECT_EQ(grid->Cells(1, 2), QString());
}

TEST_F(GridEditTest, SpinEditorOpensAtTheLeadingNumberAndStepsAndStores)
{
    editorFor(edSpinEdit);
    grid->SetCells(1, 1, QStringLiteral("12abc"));
    key(Qt::Key_F2);
    ASSERT_EQ(grid->EditCtrl(), grid->SpinEdit());
    TGridSpin *s = grid->SpinEdit();
    EXPECT_EQ(s->Value(), 12);
    QStringList clicks;
    grid->OnSpinClick = [&](QObject *, int, int, int v, bool up) { clicks << QStringLiteral("%1 %2").arg(v).arg(up); };
    QTest::mouseClick(s->Button()->UpButton(), Qt::LeftButton);
    EXPECT_EQ(s->Value(), 13);
    key(Qt::Key_PageUp);
    EXPECT_EQ(s->Value(), 14);
    key(Qt::Key_Home);
    EXPECT_EQ(s->Value(), 100);
    key(Qt::Key_End);
    EXPECT_EQ(s->Value(), 0);
    EXPECT_EQ(clicks, (QStringList{"13 1", "14 0", "100 0", "0 0"}));
    key(Qt::Key_Return);
    EXPECT_FALSE(s->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("0"));
}

TEST_F(GridEditTest, SpinPageKeysKeepTheLimitsAndStepFreelyWithoutThem)
{
    editorFor(edSpinEdit);
    key(Qt::Key_F2);
    TGridSpin *s = grid->SpinEdit();
    s->SetIncrement(5);
    s->SetValue(98);
    int clicks = 0;
    grid->OnSpinClick = [&](QObject *, int, int, int, bool) { ++clicks; };
    key(Qt::Key_PageUp);
    EXPECT_EQ(s->Value(), 98) << "98 + 5 would pass 100";
    EXPECT_EQ(clicks, 1);
    // Equal limits are no limits: PgUp and PgDn step, End and Home keep the value.
    s->SetMinValue(0);
    s->SetMaxValue(0);
    s->SetValue(500);
    key(Qt::Key_PageUp);
    EXPECT_EQ(s->Value(), 505);
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    EXPECT_EQ(s->Value(), 495);
    key(Qt::Key_End);
    key(Qt::Key_Home);
    EXPECT_EQ(s->Value(), 495);
    s->SetValue(INT_MAX);
    key(Qt::Key_PageUp);
    EXPECT_EQ(s->Value(), INT_MAX);
}

TEST_F(GridEditTest, SpinKindsFillAndWriteBack)
{
    editorFor(edDateSpinEdit);
    key(Qt::Key_F2);
    EXPECT_EQ(DateTimeToQDate(grid->SpinEdit()->DateValue()), DateTimeToQDate(editorkit::nowValue()))
        << "an empty date cell opens at today";
    key(Qt::Key_Escape);
    editorFor(edFloatSpinEdit);
    grid->SetCells(1, 1, QStringLiteral("EUR 1,234.5"));
    key(Qt::Key_F2);
    EXPECT_DOUBLE_EQ(grid->SpinEdit()->FloatValue(), 100.0) << "1234.5 clamped to the default limits";
    grid->SpinEdit()->SetMaxFloatValue(5000);
    grid->SpinEdit()->SetFloatValue(1234.5);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("1234.50")) << "through the grid's float format";
    grid->SetFloatFormat(QStringLiteral("%s%n%d"));
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("1234.5")) << "a format that does not fit never reaches printf";
}

TEST_F(GridEditTest, SpinEscapePutsBackTheCellText)
{
    editorFor(edSpinEdit);
    grid->SetCells(1, 1, QStringLiteral("7"));
    key(Qt::Key_F2);
    grid->SpinEdit()->SetValue(50);
    key(Qt::Key_Escape);
    EXPECT_FALSE(grid->SpinEdit()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("7"));
}

TEST_F(GridEditTest, EditButtonCommitsItsTextAndTheEllipsisChangesIt)
{
    editorFor(edEditBtn);
    grid->OnEllipsClick = [](QObject *, int, int, QString &s) { s = s + QStringLiteral("!"); };
    grid->SetCells(1, 1, QStringLiteral("v"));
    key(Qt::Key_F2);
    ASSERT_EQ(grid->EditCtrl(), grid->EditBtn());
    EXPECT_EQ(grid->EditBtn()->text(), QStringLiteral("v"));
    key(Qt::Key_F4);
    EXPECT_EQ(grid->EditBtn()->text(), QStringLiteral("v!"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("v!"));
}

// The mask editor takes the mask the grid answers for its own cell: EditMask, unless the event
// gives that cell another one.
TEST_F(GridEditTest, MaskEditorTakesTheMaskOfItsCell)
{
    editorFor(edMaskEditBtn);
    grid->SetEditMask(QStringLiteral("999;1;_"));
    grid->OnGetEditMask = [](QObject *, int c, int r, QString &m) {
        if (c == 2 && r == 3) m = QStringLiteral("00:00;1;_");
    };
    struct Case {
        int col, row;
        const char *mask;
    };
    const Case cases[] = {{2, 3, "00:00;1;_"}, {1, 3, "999;1;_"}, {2, 1, "999;1;_"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        EXPECT_EQ(grid->GetEditMask(c.col, c.row), QLatin1String(c.mask));
        grid->FocusCell(c.col, c.row);
        key(Qt::Key_F2);
        ASSERT_EQ(grid->EditCtrl(), grid->EditBtn());
        EXPECT_EQ(grid->EditBtn()->EditMask(), QLatin1String(c.mask));
        key(Qt::Key_Escape);
    }
    grid->OnGetEditMask = nullptr;
}

TEST_F(GridEditTest, NumericAndFloatEditButtonsFilterCharacters)
{
    editorFor(edNumericEditBtn);
    key(Qt::Key_F2);
    grid->EditBtn()->clear();
    QTest::keyClicks(grid->EditBtn(), QStringLiteral("1a-2"));
    EXPECT_EQ(grid->EditBtn()->text(), QStringLiteral("12"));
    EXPECT_EQ(beeps, 2);
    key(Qt::Key_Escape);
    editorFor(edFloatEditBtn);
    beeps = 0;
    key(Qt::Key_F2);
    grid->EditBtn()->clear();
    QTest::keyClicks(grid->EditBtn(), QStringLiteral("-1.2.x5"));
    EXPECT_EQ(grid->EditBtn()->text(), QStringLiteral("-1.25"));
    EXPECT_EQ(beeps, 0);
}

TEST_F(GridEditTest, UnitEditorSplitsAndJoinsValueAndUnit)
{
    editorFor(edUnitEditBtn);
    grid->UnitEditBtn()->SetUnits({QStringLiteral("mm"), QStringLiteral("cm")});
    grid->SetCells(1, 1, QStringLiteral("10mm"));
    key(Qt::Key_F2);
    ASSERT_EQ(grid->EditCtrl(), grid->UnitEditBtn());
    EXPECT_EQ(grid->UnitEditBtn()->text(), QStringLiteral("10"));
    EXPECT_EQ(grid->UnitEditBtn()->UnitID(), QStringLiteral("mm"));
    grid->UnitEditBtn()->SetUnitID(QStringLiteral("cm"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("10cm"));
}

TEST_F(GridEditTest, CheckBoxEditorShowsTheTextAndEnterHandsBack)
{
    editorFor(edCheckBox);
    grid->SetCells(1, 1, QStringLiteral("Option"));
    key(Qt::Key_F2);
    TGridCheckBox *cb = grid->EditCheck();
    ASSERT_TRUE(cb->isVisible());
    EXPECT_EQ(cb->text(), QStringLiteral("Option"));
    EXPECT_FALSE(cb->isChecked());
    key(Qt::Key_Space);
    EXPECT_TRUE(cb->isChecked());
    key(Qt::Key_Return);
    EXPECT_FALSE(cb->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Option")) << "nothing written";
}

TEST_F(GridEditTest, ButtonEditorEscapeRestoresAndHandsTheKeyToTheGrid)
{
    editorFor(edButton);
    grid->SetCells(1, 1, QStringLiteral("Go"));
    grid->OnEllipsClick = [](QObject *, int, int, QString &s) { s = QStringLiteral("Done"); };
    key(Qt::Key_F2);
    TGridButton *b = grid->GridButton();
    ASSERT_TRUE(b->isVisible());
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Done"));
    QTest::keyClick(b, Qt::Key_Escape);
    EXPECT_FALSE(b->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Go"));
}

TEST_F(GridEditTest, DateEditorsFillFromTheCellAndWriteTheirText)
{
    editorFor(edDateEdit);
    grid->SetCells(1, 1, QStringLiteral("12/24/2023"));
    key(Qt::Key_F2);
    ASSERT_EQ(grid->EditCtrl(), grid->DateTimePicker());
    EXPECT_EQ(DateTimeToQDate(grid->DateTimePicker()->DateTime()), QDate(2023, 12, 24));
    key(Qt::Key_Return);
    EXPECT_FALSE(grid->DateTimePicker()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("12/24/2023"));

    editorFor(edDateTimeEdit);
    grid->SetCells(1, 2, QStringLiteral("1/2/2024 10:30"));
    grid->SetRow(2);
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->DateAndTimePicker()->isVisible());
    grid->DateAndTimePicker()->SetDateTime(editorkit::encodeDateTime(QDate(2024, 1, 3), QTime(8, 0)));
    key(Qt::Key_Escape);
    EXPECT_DOUBLE_EQ(grid->DateAndTimePicker()->GetDateTime(), editorkit::encodeDateTime(QDate(2024, 1, 2), QTime(10, 30)))
        << "Escape goes back to the value editing began with";
}

TEST_F(GridEditTest, EditorsAreMadeOnceOnFirstUseHiddenAndDisabled)
{
    EXPECT_FALSE(grid->HasSpinEditor());
    EXPECT_FALSE(grid->HasDatePicker());
    EXPECT_FALSE(grid->HasDateTimeEditor());
    TGridSpin *s = grid->SpinEdit();
    EXPECT_EQ(grid->SpinEdit(), s);
    EXPECT_FALSE(s->isVisible());
    EXPECT_FALSE(s->isEnabled());
    EXPECT_EQ(s->parent(), grid.get());
    EXPECT_EQ(s->MaxValue(), 100);
    QWidget plain;
    EXPECT_THROW(TGridSpin bad(&plain), std::bad_cast);
    EXPECT_NO_THROW(TGridDateTimePicker ok(&plain));
}

TEST_F(GridEditTest, DroppingTheComboListKeepsTheEditorOpen)
{
    editorFor(edComboList);
    for (const char *s : {"red", "green", "blue"}) grid->AddComboString(QString::fromLatin1(s));
    grid->SetCells(1, 1, QStringLiteral("red"));
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->Combo()->isVisible());
    key(Qt::Key_F4); // the list takes the focus while it is down
    QApplication::processEvents();
    EXPECT_TRUE(grid->Combo()->isVisible());
    ASSERT_TRUE(grid->Combo()->DroppedDown());
    key(Qt::Key_Down); // in the list
    key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(grid->Combo()->DroppedDown());
    EXPECT_TRUE(grid->Combo()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("red")) << "nothing is written before the commit";
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("green"));
}
