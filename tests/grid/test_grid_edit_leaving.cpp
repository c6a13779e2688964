// Ways an edit ends or is held open, driven by real keys and clicks: a click on another cell while
// an editor control holds a refused value, Alt+Backspace in the text editor, the date picker's
// move to its next field after a typed digit, and the editors' place in a right-to-left grid.
#include "grid_edit_support.h"

#include <QLineEdit>

namespace {

void settle()
{
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

QPoint cellCentre(TNovaStringGrid &g, int c, int r) { return g.CellBounds(c, r).center(); }

} // namespace

TEST_F(GridEditTest, ClickingAnotherCellValidatesTheOpenEditorControlFirst)
{
    editorFor(edComboList);
    for (const char *s : {"red", "green", "blue"}) grid->AddComboString(QString::fromLatin1(s));
    grid->SetCells(1, 1, QStringLiteral("red"));
    int validations = 0;
    bool accept = false;
    grid->OnCellValidate = [&](QObject *, int, int, QString &, bool &valid) {
        ++validations;
        valid = accept;
    };
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->Combo()->isVisible());
    key(Qt::Key_Down);
    EXPECT_EQ(grid->Combo()->currentText(), QStringLiteral("green"));

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(*grid, 2, 2));
    settle();
    EXPECT_GE(validations, 1);
    EXPECT_EQ(grid->Col(), 1) << "a refused value keeps the current cell";
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("red")) << "the refused value never reaches the cell";

    EXPECT_TRUE(grid->Combo()->isVisible());
    EXPECT_TRUE(grid->Combo()->hasFocus()) << "the control keeps the edit";
    accept = true;
    key(Qt::Key_Down);
    EXPECT_EQ(grid->Combo()->currentText(), QStringLiteral("green"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(*grid, 2, 2));
    settle();
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("green"));
    EXPECT_FALSE(grid->Combo()->isVisible());
}

TEST_F(GridEditTest, ClickingAnotherCellValidatesTheTextEditorFirst)
{
    grid->SetCells(1, 1, QStringLiteral("old"));
    bool accept = false;
    grid->OnCellValidate = [&](QObject *, int, int, QString &, bool &valid) { valid = accept; };
    type(QStringLiteral("bad"));
    ASSERT_TRUE(textEditorShown());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(*grid, 2, 2));
    settle();
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("old"));
    ASSERT_TRUE(textEditorShown()) << "the editor reopens with the old text";
    EXPECT_EQ(textEditor()->text(), QStringLiteral("old"));

    accept = true;
    key(Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("good"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(*grid, 2, 2));
    settle();
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("good"));
}

TEST_F(GridEditTest, AltBackspaceUndoesAndKeepsTheEditOpenWhileHeld)
{
    grid->SetCells(1, 1, QStringLiteral("old"));
    int validations = 0;
    grid->OnCellValidate = [&](QObject *, int, int, QString &, bool &) { ++validations; };
    type(QStringLiteral("abc"));
    ASSERT_TRUE(textEditorShown());
    key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(textEditor()->text(), QStringLiteral("old")) << "the typing is undone";
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("old"));
    EXPECT_TRUE(textEditorShown());
    EXPECT_FALSE(textEditor()->AltBack()) << "the key-up ends the undo";

    // Held down: the focus may leave without the edit being validated and closed.
    QLineEdit elsewhere(grid.get());
    elsewhere.show();
    QTest::keyPress(textEditor(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_TRUE(textEditor()->AltBack());
    elsewhere.setFocus();
    settle();
    EXPECT_EQ(validations, 0);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("old"));
    QTest::keyRelease(textEditor(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_FALSE(textEditor()->AltBack());
}

TEST_F(GridEditTest, DatePickerMovesToTheNextFieldWhenATypedDigitCompletesOne)
{
    struct Case {
        const char *name;
        QString format;
        QString digits;
        QDate expected;
        int fieldAfter; // index of the field the caret ends in
    };
    const Case cases[] = {
        // Month, then day: each digit that changes a field moves on; the year is typed in full.
        {"locale format", QString(), QStringLiteral("312025"), QDate(2025, 3, 1), 2},
        // A change of the format's last field does not move on.
        {"own format", QStringLiteral("M/d/yy"), QStringLiteral("41"), QDate(2023, 4, 1), 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        editorFor(edDateEdit);
        grid->SetCells(1, 1, QStringLiteral("12/24/2023"));
        grid->DateTimePicker()->SetFormat(c.format);
        key(Qt::Key_F2);
        ASSERT_EQ(grid->EditCtrl(), grid->DateTimePicker());
        grid->DateTimePicker()->setSelectedSection(grid->DateTimePicker()->sectionAt(0));
        for (QChar d : c.digits) {
            QTest::keyClick(grid->DateTimePicker(), d.toLatin1());
            settle();
        }
        EXPECT_EQ(DateTimeToQDate(grid->DateTimePicker()->DateTime()), c.expected);
        EXPECT_EQ(grid->DateTimePicker()->currentSectionIndex(), c.fieldAfter);
        key(Qt::Key_Escape);
        settle();
    }
}

TEST_F(GridEditTest, EditorsKeepTheCellsLeftLineInARightToLeftGrid)
{
    for (bool rtl : {false, true}) {
        SCOPED_TRACE(rtl ? "right to left" : "left to right");
        grid->setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
        const QRect cell = grid->CellBounds(1, 1);
        editorFor(edNormal);
        type(QStringLiteral("x"));
        ASSERT_TRUE(textEditorShown());
        EXPECT_EQ(textEditor()->geometry().left(), cell.left() + (rtl ? 1 : 0));
        EXPECT_EQ(textEditor()->geometry().right(), cell.right() - 1);
        key(Qt::Key_Escape);

        editorFor(edSpinEdit);
        key(Qt::Key_F2);
        ASSERT_TRUE(grid->SpinEdit()->isVisible());
        EXPECT_EQ(grid->SpinEdit()->geometry().left(), cell.left() + (rtl ? 1 : 0));
        key(Qt::Key_Escape);
        settle();
    }
}
