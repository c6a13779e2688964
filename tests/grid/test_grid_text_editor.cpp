// The grid's text editor: typing opens it, Enter commits, Escape puts the old text back, the
// character filter and length limit per editor kind, and paste rules.
#include <QClipboard>
#include <QStringList>

#include "grid_edit_support.h"

TEST_F(GridEditTest, TypingOpensTheEditorAndEnterCommitsWithEventsInOrder)
{
    QStringList events;
    grid->OnKeyPress = [&](QObject *, QChar &k) { events << QStringLiteral("KeyPress %1").arg(k); };
    grid->OnEditChange = [&](QObject *, int c, int r, QString v) { events << QStringLiteral("EditChange %1,%2 %3").arg(c).arg(r).arg(v); };
    grid->OnCellValidate = [&](QObject *, int c, int r, QString &v, bool &) {
        events << QStringLiteral("Validate %1,%2 %3").arg(c).arg(r).arg(v);
    };
    grid->OnEditingDone = [&](QObject *) { events << QStringLiteral("EditingDone"); };
    grid->OnEditCellDone = [&](QObject *, int c, int r) { events << QStringLiteral("EditCellDone %1,%2").arg(c).arg(r); };
    grid->SetCells(1, 1, QStringLiteral("old"));
    type(QStringLiteral("ab"));
    ASSERT_TRUE(textEditorShown());
    EXPECT_EQ(textEditor()->text(), QStringLiteral("ab")) << "the typed character replaces the text";
    EXPECT_TRUE(grid->Editing());
    key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(textEditorShown());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("ab"));
    EXPECT_FALSE(grid->Editing());
    const QStringList want = {
        "KeyPress a", "EditChange 1,1 a", "KeyPress b", "EditChange 1,1 ab", "Validate 1,1 ab",
        "KeyPress \r", "EditingDone", "EditCellDone 1,1",
    };
    EXPECT_EQ(events, want);
}

TEST_F(GridEditTest, EscapePutsTheOldTextBack)
{
    grid->SetCells(1, 1, QStringLiteral("keep"));
    key(Qt::Key_F2);
    ASSERT_TRUE(textEditorShown());
    type(QStringLiteral("xyz"));
    key(Qt::Key_Escape);
    EXPECT_FALSE(textEditorShown());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("keep"));
}

TEST_F(GridEditTest, CharacterFilterPerEditorKind)
{
    struct Case { TEditorType kind; const char *typed; const char *text; int beeps; };
    const Case cases[] = {
        {edNormal, "a-1.B", "a-1.B", 0},
        {edNumeric, "-12a-3", "-123", 2},
        {edPositiveNumeric, "-12x", "12", 2},
        {edFloat, "-1.2.5,x", "-1.25", 0},   // second point and the thousands comma dropped silently
        {edFloat, "1-", "1", 1},             // a minus after the first position beeps
        {edPositiveFloat, "-3.5", "3.5", 0}, // no minus at all, silently
        {edUpperCase, "abC", "ABC", 0},
        {edCapital, "ab", "AB", 0},
        {edLowerCase, "AbC", "abc", 0},
        {edMixedCase, "hello world", "Hello World", 0},
        {edPassword, "pw", "pw", 0},
    };
    for (const Case &c : cases) {
        grid->SetCells(1, 1, QString());
        editorFor(c.kind);
        beeps = 0;
        key(Qt::Key_F2);
        ASSERT_TRUE(textEditorShown()) << c.typed;
        textEditor()->clear();
        type(QString::fromLatin1(c.typed));
        EXPECT_EQ(textEditor()->text(), QString::fromLatin1(c.text)) << int(c.kind) << " " << c.typed;
        EXPECT_EQ(beeps, c.beeps) << int(c.kind) << " " << c.typed;
        key(Qt::Key_Return);
        EXPECT_EQ(grid->Cells(1, 1), QString::fromLatin1(c.text)) << int(c.kind);
    }
}

TEST_F(GridEditTest, ValidCharsKindTakesOnlyItsCharacters)
{
    grid->SetValidChars(QStringLiteral("ABC"));
    editorFor(edValidChars);
    key(Qt::Key_F2);
    textEditor()->clear();
    QTest::keyClicks(textEditor(), QStringLiteral("AxBCz"));
    EXPECT_EQ(textEditor()->text(), QStringLiteral("ABC"));
    EXPECT_EQ(beeps, 2);
}

TEST_F(GridEditTest, MixedCaseKeepsTheCaretAfterTheTypedCharacter)
{
    editorFor(edMixedCase);
    key(Qt::Key_F2);
    textEditor()->setText(QStringLiteral("ab cd"));
    textEditor()->setCursorPosition(2);
    QTest::keyClick(textEditor(), 'x');
    EXPECT_EQ(textEditor()->text(), QStringLiteral("Abx Cd"));
    EXPECT_EQ(textEditor()->cursorPosition(), 3);
}

TEST_F(GridEditTest, LengthLimitDropsCharactersButNotBackspaceOrAReplacement)
{
    grid->SetMaxEditLength(4);
    grid->SetCells(1, 1, QStringLiteral("1234"));
    key(Qt::Key_F2);
    textEditor()->setCursorPosition(4);
    QTest::keyClick(textEditor(), '5');
    EXPECT_EQ(textEditor()->text(), QStringLiteral("1234"));
    QTest::keyClick(textEditor(), Qt::Key_Backspace);
    EXPECT_EQ(textEditor()->text(), QStringLiteral("123"));
    textEditor()->setText(QStringLiteral("1234"));
    textEditor()->setSelection(1, 1);
    QTest::keyClick(textEditor(), '9');
    EXPECT_EQ(textEditor()->text(), QStringLiteral("1934"));
}

TEST_F(GridEditTest, KeypadDecimalKeyTypesTheLocaleSeparator)
{
    fs.reset();
    fs = std::make_unique<platform::ScopedFormatSettings>(testsupport::europeanSettings());
    grid->SetExcelStyleDecimalSeparator(true);
    editorFor(edFloat);
    key(Qt::Key_F2);
    textEditor()->clear();
    QTest::keyClick(textEditor(), '1');
    QTest::keyClick(textEditor(), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(textEditor(), '5');
    EXPECT_EQ(textEditor()->text(), QStringLiteral("1,5"));
    QTest::keyClick(textEditor(), '.'); // the main keyboard's point stays a point: a thousands separator here
    EXPECT_EQ(textEditor()->text(), QStringLiteral("1,5"));
}

TEST_F(GridEditTest, PasteRulesPerEditorKind)
{
    struct Case { TEditorType kind; const char *start; const char *clip; const char *text; };
    const Case cases[] = {
        {edNumeric, "", "-42", "-42"},
        {edNumeric, "", "4.2", ""},
        {edNumeric, "", "1e5", ""},
        {edPositiveNumeric, "", "-42", ""},
        {edFloat, "", "-4.25", "-4.25"},
        {edPositiveFloat, "", "-4.25", ""},
        {edFloat, "", "1e5", ""},
        {edUpperCase, "x", "ab", "XAB"},  // the new text converted
        {edNormal, "", "line\r\n", "line"},
    };
    int after = 0;
    grid->OnClipboardAfterPasteCell = [&](QObject *, int, int, QString) { ++after; };
    for (const Case &c : cases) {
        grid->SetCells(1, 1, QString::fromLatin1(c.start));
        editorFor(c.kind);
        key(Qt::Key_F2);
        ASSERT_TRUE(textEditorShown());
        textEditor()->setCursorPosition(textEditor()->text().size());
        QApplication::clipboard()->setText(QString::fromLatin1(c.clip));
        QTest::keyClick(textEditor(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(textEditor()->text(), QString::fromLatin1(c.text)) << int(c.kind) << " " << c.clip;
        key(Qt::Key_Escape);
    }
    EXPECT_EQ(after, int(std::size(cases)));
    // The paste events may refuse.
    grid->OnClipboardPaste = [](QObject *, bool &allow) { allow = false; };
    editorFor(edNormal);
    grid->SetCells(1, 1, QString());
    key(Qt::Key_F2);
    QTest::keyClick(textEditor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(textEditor()->text(), QString());
}

TEST_F(GridEditTest, TabWithGoTabsWalksTheRowAndWraps)
{
    TGridOptions o = grid->Options();
    o.Include(goTabs);
    grid->SetOptions(o);
    grid->SetColCount(3);
    grid->SetRowCount(3);
    key(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 2);
    key(Qt::Key_Tab);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    // Tab in an open text editor commits and moves on.
    type(QStringLiteral("t"));
    ASSERT_TRUE(textEditorShown());
    key(Qt::Key_Tab);
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("t"));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(GridEditTest, NoneAndDataCheckBoxKindsOpenNothing)
{
    for (TEditorType t : {edNone, edDataCheckBox}) {
        editorFor(t);
        key(Qt::Key_F2);
        type(QStringLiteral("q"));
        EXPECT_FALSE(textEditorShown()) << int(t);
        EXPECT_FALSE(grid->CanEditShow()) << int(t);
        EXPECT_EQ(grid->Cells(1, 1), QString()) << int(t);
    }
}

TEST_F(GridEditTest, F2GivesTheEditorTheFocus)
{
    EXPECT_TRUE(grid->hasFocus());
    key(Qt::Key_F2);
    ASSERT_TRUE(textEditorShown());
    EXPECT_EQ(QApplication::focusWidget(), textEditor());
}

TEST_F(GridEditTest, CaretWalksIntoTheNeighbourCellWithCursorWalkEditor)
{
    grid->Navigation()->SetCursorWalkEditor(true);
    grid->SetCells(1, 1, QStringLiteral("ab"));
    key(Qt::Key_F2);
    textEditor()->setCursorPosition(2);
    key(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 2) << "Right at the end walks to the next cell";
    EXPECT_TRUE(textEditorShown()) << "and opens its editor (CursorWalkAlwaysEdit)";
    textEditor()->setCursorPosition(0);
    key(Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(GridEditTest, SizingWhileTypingWidensTheColumnAndReportsRowHeights)
{
    std::vector<int> sizedRows;
    grid->OnEndRowSize = [&](QObject *, int r) { sizedRows.push_back(r); };
    grid->SizeWhileTyping()->SetWidth(true);
    const int before = grid->ColWidths(1);
    type(QStringLiteral("a rather long text for this column"));
    ASSERT_TRUE(textEditorShown());
    EXPECT_GT(grid->ColWidths(1), before) << "the column grows as the text is typed";
    EXPECT_TRUE(sizedRows.empty()) << "no row sizing without the height option";

    // Height with word wrap: every key sizes the row and says so.
    key(Qt::Key_Escape);
    grid->SizeWhileTyping()->SetWidth(false);
    grid->SizeWhileTyping()->SetHeight(true);
    grid->SetWordWrap(true);
    grid->SetCol(2);
    type(QStringLiteral("xy"));
    ASSERT_FALSE(sizedRows.empty());
    EXPECT_EQ(std::count(sizedRows.begin(), sizedRows.end(), 1), int(sizedRows.size()));

    // Shift+Enter in multi-line cells makes room for one more line than the text has.
    sizedRows.clear();
    grid->SetWordWrap(false);
    grid->SetMultilinecells(true);
    const int one = grid->RowHeights(1);
    key(Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_FALSE(sizedRows.empty());
    EXPECT_EQ(sizedRows.front(), 1);
    EXPECT_GT(grid->RowHeights(1), one);
}
