// Validation of edited values with the invalid-entry balloon, the advance after Enter in every
// direction, and the grid's own navigation keys.
#include <QLabel>
#include <QStringList>
#include <memory>
#include <vector>

#include "grid/base/UndoRedo.h"
#include "grid_edit_support.h"

TEST_F(GridEditTest, RefusedValueIsPutBackAndTheEditorReopensWithABalloon)
{
    grid->SetInvalidEntryTitle(QStringLiteral("Wrong value"));
    grid->SetInvalidEntryText(QStringLiteral("Digits only"));
    grid->OnCellValidate = [](QObject *, int, int, QString &v, bool &valid) { valid = !v.contains(QLatin1Char('x')); };
    grid->SetCells(1, 1, QStringLiteral("12"));
    key(Qt::Key_F2);
    EXPECT_TRUE(grid->Editing()) << "set when the editor opens";
    textEditor()->setCursorPosition(2);
    type(QStringLiteral("x"));
    key(Qt::Key_Return);
    EXPECT_TRUE(textEditorShown()) << "the editor stays open";
    EXPECT_EQ(textEditor()->text(), QStringLiteral("12"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("12"));
    EXPECT_TRUE(grid->Editing()) << "set again on refusal";
    EXPECT_FALSE(grid->LastValidation());
    auto *tip = qobject_cast<QLabel *>(grid->InvalidEntryBalloon());
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_TRUE(tip->text().contains(QStringLiteral("Wrong value")));
    EXPECT_EQ(tip->property("balloonIcon").toInt(), int(ieWarning));
    // Now a good value.
    textEditor()->selectAll();
    type(QStringLiteral("34"));
    key(Qt::Key_Return);
    EXPECT_FALSE(textEditorShown());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("34"));
    EXPECT_FALSE(grid->Editing()) << "cleared by validation";
}

TEST_F(GridEditTest, AHandlerThatChangesTheValueReopensTheEditorWithIt)
{
    grid->OnCellValidate = [](QObject *, int, int, QString &v, bool &valid) {
        if (v == QLatin1String("bad")) {
            v = QStringLiteral("0");
            valid = false;
        }
    };
    type(QStringLiteral("bad"));
    key(Qt::Key_Return);
    EXPECT_TRUE(textEditorShown());
    EXPECT_EQ(textEditor()->text(), QStringLiteral("0"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("0"));
}

TEST_F(GridEditTest, ValidationRules)
{
    int calls = 0;
    bool nested = false;
    grid->OnCellValidate = [&](QObject *, int, int, QString &, bool &) {
        ++calls;
        nested = grid->ValidateCell(QStringLiteral("anything"));
    };
    grid->SetCells(1, 1, QStringLiteral("same"));
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(calls, 0) << "an unchanged text is not validated";
    EXPECT_FALSE(grid->ValidateCell(QStringLiteral("x")) == false) << "nothing pending: accepted";
    key(Qt::Key_F2);
    type(QStringLiteral("new"));
    key(Qt::Key_Return);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(nested) << "a validation inside a validation answers True";
    EXPECT_TRUE(grid->GridModified());
    EXPECT_TRUE(grid->RowModified(1)) << "marked with a fixed column even without ShowModified";
    grid->SetAlwaysValidate(true);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(calls, 2);
}

namespace {
// Records when the footer of a column is recalculated for a validated value.
class ChangeLoggingGrid : public TNovaStringGrid {
public:
    std::vector<QString> *log = nullptr;
    void CellValueChanged(int ACol, int ARow) override
    {
        if (log)
            log->push_back(QStringLiteral("changed %1,%2").arg(ACol).arg(ARow));
        TNovaStringGrid::CellValueChanged(ACol, ARow);
    }
};
} // namespace

// Wide text has its own order: the value counts as changed before the handler is asked, and a
// refused value still leaves that recalculation done.
TEST_F(GridEditTest, WideValidationChangesFirstAndAsksItsOwnEvent)
{
    auto g = std::make_unique<ChangeLoggingGrid>();
    ChangeLoggingGrid *wide = g.get();
    prepare(std::move(g));
    std::vector<QString> log;
    wide->log = &log;
    grid->SetCells(1, 1, QStringLiteral("old"));
    grid->OnCellValidate = [&](QObject *, int, int, QString &, bool &) { log.push_back(QStringLiteral("narrow")); };
    bool accept = true;
    grid->OnCellValidateWide = [&](QObject *, int c, int r, QString &v, bool &valid) {
        log.push_back(QStringLiteral("wide %1,%2 %3").arg(c).arg(r).arg(v));
        valid = accept;
    };
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->Editing());
    accept = false;
    EXPECT_FALSE(grid->ValidateCellWide(QStringLiteral("bad")));
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("changed 1,1"), QStringLiteral("wide 1,1 bad")}));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("old")) << "the old text comes back";
    EXPECT_TRUE(grid->Editing()) << "the editor reopens";
    EXPECT_FALSE(grid->RowModified(1)) << "wide text marks the row only with ShowModified";
    EXPECT_EQ(grid->InvalidEntryBalloon(), nullptr) << "no balloon for wide text";

    log.clear();
    accept = true;
    grid->ShowModified()->Enabled = true;
    EXPECT_TRUE(grid->ValidateCellWide(QStringLiteral("new")));
    EXPECT_EQ(log, (std::vector<QString>{QStringLiteral("changed 1,1"), QStringLiteral("wide 1,1 new")}));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("new"));
    EXPECT_TRUE(grid->RowModified(1));
    wide->log = nullptr;
}

namespace {
// Counts what the grid asks of its cell checker.
class CountingChecker : public TNovaStringGridCheck {
public:
    int corrects = 0, marks = 0;
    QString Correct(int, int, const QString &s) override { ++corrects; return s; }
    QString MarkError(int, int, const QString &s) override { ++marks; return s; }
};
} // namespace

// The narrow validation corrects, marks and records the change for undo; the wide one does none of
// these, so a wide text never passes through a checker made for narrow text.
TEST_F(GridEditTest, WideValidationAsksNoCheckerAndRecordsNoUndo)
{
    struct Case {
        const char *name;
        bool (TNovaStringGrid::*validate)(const QString &);
        int checkerCalls;
        size_t undoEntries;
    };
    const Case cases[] = {
        {"ValidateCell", &TNovaStringGrid::ValidateCell, 2, 1},
        {"ValidateCellWide", &TNovaStringGrid::ValidateCellWide, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        prepare(std::make_unique<TNovaStringGrid>());
        CountingChecker checker;
        checker.SetAutoCorrect(true);
        checker.SetAutoMarkError(true);
        grid->SetCellChecker(&checker);
        ZOdeRodeDeriDozu undo;
        grid->SetUndoRedo(&undo);
        grid->SetCells(1, 1, QStringLiteral("old"));
        key(Qt::Key_F2);
        ASSERT_TRUE(grid->Editing());
        EXPECT_TRUE((grid.get()->*c.validate)(QStringLiteral("new")));
        EXPECT_EQ(checker.corrects + checker.marks, c.checkerCalls);
        EXPECT_EQ(undo.Items().size(), c.undoEntries);
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("new"));
        grid->SetCellChecker(nullptr);
        grid->SetUndoRedo(nullptr);
    }
}

TEST_F(GridEditTest, BalloonWindowIsCreatedOnce)
{
    EXPECT_EQ(grid->BalloonWindow(), nullptr);
    grid->Balloon()->SetEnable(true);
    QWidget *w = grid->BalloonWindow();
    ASSERT_NE(w, nullptr);
    grid->Balloon()->SetEnable(true);
    EXPECT_EQ(grid->BalloonWindow(), w);
    EXPECT_EQ(grid->BalloonWindowsCreated(), 1);
    grid->Balloon()->SetEnable(false);
    EXPECT_EQ(grid->BalloonWindow(), nullptr);
}

namespace {
void enterAdvance(TNovaStringGrid &g, TAdvanceDirection d)
{
    g.Navigation()->SetAdvanceOnEnter(true);
    g.Navigation()->SetAdvanceDirection(d);
    g.Navigation()->SetAdvanceAutoEdit(false);
}
} // namespace

TEST_F(GridEditTest, AdvanceLeftRightWrapsInsertsOrRefusesAtTheEnd)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    enterAdvance(*grid, adLeftRight);
    type(QStringLiteral("a"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid->Col(), 2);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    // Last cell: loop to the first data row.
    grid->FocusCell(2, 2);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    // With AdvanceInsert a row is appended; a refusing OnCanAddRow keeps the row count.
    grid->Navigation()->SetAdvanceInsert(true);
    int added = -1;
    grid->OnAutoAddRow = [&](QObject *, int r) { added = r; };
    grid->FocusCell(2, 2);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(added, 3);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Col(), 1);
    grid->OnCanAddRow = [](QObject *, bool &can) { can = false; };
    grid->FocusCell(2, 3);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(GridEditTest, AdvanceTopBottomAddsAColumnAtTheEnd)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    enterAdvance(*grid, adTopBottom);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Row(), 2);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 2);
    grid->Navigation()->SetAdvanceInsert(true);
    int inserted = -1;
    grid->OnAutoInsertCol = [&](QObject *, int c) { inserted = c; };
    grid->FocusCell(2, 2);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(inserted, 3);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridEditTest, AdvanceSkipsReadOnlyCellsAndObeysOnAutoAdvance)
{
    grid->SetColCount(5);
    enterAdvance(*grid, adLeftRight);
    grid->SetReadOnly(2, 1, true);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 3) << "the read-only column is jumped over";
    grid->Navigation()->SetAdvanceSkipReadOnlyCells(false);
    grid->FocusCell(1, 1);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 2) << "without skipping the cursor stops on it";
    grid->SetReadOnly(2, 1, false);
    grid->OnAutoAdvance = [](QObject *, int, int, int &, int &nc, bool &) { nc = 4; };
    grid->FocusCell(1, 1);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 4);
    grid->OnAutoAdvance = [](QObject *, int, int, int &, int &, bool &allow) { allow = false; };
    grid->FocusCell(1, 1);
    key(Qt::Key_F2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(GridEditTest, AdvanceNeverLoopsForeverOverAllReadOnlyCells)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    for (int r = 1; r < 3; ++r)
        for (int c = 1; c < 3; ++c) grid->SetReadOnly(c, r, true);
    grid->AdvanceAfterEdit(1, 1, true, false, true, false, false);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridEditTest, BackwardWalkGoesToThePreviousRowAndFromTheTopToTheBottom)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->AdvanceAfterEdit(1, 2, true, false, false, false, false);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    grid->FocusCell(1, 1);
    grid->AdvanceAfterEdit(1, 1, true, false, false, false, false);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(GridEditTest, EscapeWhileEditingFiresOnKeyPressOnce)
{
    int presses = 0;
    grid->SetCells(1, 1, QStringLiteral("orig"));
    key(Qt::Key_F2);
    type(QStringLiteral("zz"));
    grid->OnKeyPress = [&](QObject *, QChar &k) { presses += k.unicode() == 27; };
    key(Qt::Key_Escape);
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("orig"));
}

TEST_F(GridEditTest, HomeEndAndCursorAdvanceKeys)
{
    grid->SetColCount(4);
    grid->SetRowCount(4);
    int seen = 0;
    grid->OnKeyDown = [&](QObject *, int &k, Qt::KeyboardModifiers) { seen += k == Qt::Key_End; };
    grid->Navigation()->SetHomeEndKey(heFirstLastCell);
    key(Qt::Key_End);
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(seen, 1);
    key(Qt::Key_Home);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    grid->Navigation()->SetCursorAdvance(caSnake);
    grid->FocusCell(3, 1);
    key(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    grid->Navigation()->SetCursorAdvance(caLoop);
    grid->FocusCell(3, 1);
    key(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    grid->Navigation()->SetMoveScrollOnly(true);
    grid->SetRowCount(100);
    key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 2);
}

TEST_F(GridEditTest, TypingIntoAReadOnlyCellOpensNothing)
{
    grid->SetReadOnly(1, 1, true);
    type(QStringLiteral("x"));
    EXPECT_FALSE(textEditorShown());
    EXPECT_EQ(grid->Cells(1, 1), QString());
}
