// The track bar drop-down and the memo drop-down as a user drives them (keys and clicks through the
// window system's entry), and what the grid's cell editors take of them.
#include "dropdown/NovaMemoDropDown.h"
#include "dropdown/NovaTrackBarDropDown.h"
#include "value_test_support.h"

#include <QFontMetrics>
#include <QPlainTextEdit>

namespace {

// The protected hooks the grid's cell editors call.
class ShownTrackBar : public TNovaTrackBarDropDown {
public:
    using TNovaTrackBarDropDown::TNovaTrackBarDropDown;
    using TNovaTrackBarDropDown::Change;
    using TNovaTrackBarDropDown::GetEditRect;
};

class ShownMemo : public TNovaMemoDropDown {
public:
    using TNovaMemoDropDown::TNovaMemoDropDown;
    using TNovaMemoDropDown::Change;
    using TNovaMemoDropDown::GetEditRect;
};

using TrackBarDropDown = valuetest::ValueTest<ShownTrackBar>;
using MemoDropDown = valuetest::ValueTest<ShownMemo>;

} // namespace

// ---- track bar ------------------------------------------------------------------------------------

TEST_F(TrackBarDropDown, NewControlIsARangeFromZeroToTen)
{
    EXPECT_EQ(dd->Min(), 0);
    EXPECT_EQ(dd->Max(), 10);
    EXPECT_EQ(dd->Position(), 0);
    EXPECT_EQ(dd->PageSize(), 2);
    EXPECT_EQ(dd->Frequency(), 1);
    EXPECT_FALSE(dd->EditorEnabled());
    EXPECT_TRUE(dd->DropDownEnabled());
    EXPECT_TRUE(dd->ForceShadow());
    EXPECT_EQ(dd->EditType(), etNumeric);
    EXPECT_EQ(dd->GetText(), "0");
    EXPECT_FALSE(dd->DropDownHeader().Visible());
    EXPECT_FALSE(dd->DropDownFooter().Visible());
    ASSERT_NE(dd->TrackBar(), nullptr);
    EXPECT_EQ(dd->TrackBar()->parentWidget(), dd->DropDownForm());
}

TEST_F(TrackBarDropDown, PositionIsClampedByTheBar)
{
    struct Row {
        int set, position;
        const char *text;
    } rows[] = {{15, 10, "10"}, {-3, 0, "0"}, {7, 7, "7"}, {10, 10, "10"}};
    for (const Row &r : rows) {
        dd->SetPosition(r.set);
        EXPECT_EQ(dd->Position(), r.position) << r.set;
        EXPECT_EQ(dd->GetText(), r.text) << r.set;
    }
    dd->SetMax(5);
    EXPECT_EQ(dd->Position(), 5) << "a smaller range takes the position with it";
    dd->SetMin(8);
    EXPECT_EQ(dd->Max(), 8) << "the bar keeps its range consistent";
    EXPECT_EQ(dd->Position(), 8);
    EXPECT_EQ(dd->GetText(), "8");
}

TEST_F(TrackBarDropDown, UpAndDownStepWithinTheRange)
{
    for (int i = 1; i <= 12; ++i) {
        key(Qt::Key_Down);
        EXPECT_EQ(dd->Position(), std::min(i, 10));
    }
    EXPECT_EQ(dd->GetText(), "10");
    for (int i = 0; i < 12; ++i) key(Qt::Key_Up);
    EXPECT_EQ(dd->Position(), 0) << "stops at Min";

    dd->SetFrequency(3);
    dd->SetPosition(9);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->Position(), 9) << "12 is above Max";
    key(Qt::Key_Up);
    EXPECT_EQ(dd->Position(), 6);

    dd->SetEditorEnabled(true);
    key(Qt::Key_Up);
    EXPECT_EQ(dd->Position(), 6) << "an enabled editor keeps the arrows for its caret";
}

TEST_F(TrackBarDropDown, StepsInTheOpenPopUpMoveTheBar)
{
    key(Qt::Key_F4);
    ASSERT_TRUE(open());
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->Position(), 2);
    EXPECT_EQ(dd->TrackBar()->value(), 2);
    // As wide as the edit; 40 and two borders high, but never below the pop-up's 50.
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(dd->width(), 50));
    EXPECT_EQ(dd->TrackBar()->geometry(), QRect(1, 1, dd->width() - 2, 48)) << "inside the frame";
}

TEST_F(TrackBarDropDown, DragOverTheEditStepsByPageSize)
{
    const int y = dd->height() / 2;
    auto drag = [&](std::initializer_list<int> moves) {
        int x = 20;
        QTest::mousePress(win(), Qt::LeftButton, {}, dd->mapTo(form.get(), QPoint(x, y)));
        for (int d : moves) {
            x += d;
            QTest::mouseMove(win(), dd->mapTo(form.get(), QPoint(x, y)));
        }
        QTest::mouseRelease(win(), Qt::LeftButton, {}, dd->mapTo(form.get(), QPoint(x, y)));
        QApplication::processEvents();
    };
    drag({5});
    EXPECT_TRUE(open()) << "the press that starts the drag opens the pop-up";
    EXPECT_EQ(dd->Position(), 2) << "5 pixels with PageSize 2";
    dd->HideDropDown(false);
    tick += 1000;
    drag({1, 1, 1, 1, 1});
    EXPECT_EQ(dd->Position(), 2) << "moves shorter than a page are dropped";
    dd->HideDropDown(false);
    tick += 1000;
    drag({-7});
    EXPECT_EQ(dd->Position(), 0) << "toward zero: -3, clamped";
    dd->HideDropDown(false);

    for (int pageSize : {0, -4}) {
        dd->SetPageSize(pageSize);
        tick += 1000;
        drag({9, 30});
        EXPECT_EQ(dd->Position(), 0) << "no step without a positive page size: " << pageSize;
        dd->HideDropDown(false);
    }
}

TEST_F(TrackBarDropDown, ClickOutsideKeepsTheBarsValueEscRestores)
{
    dd->SetText("4");
    EXPECT_EQ(dd->Position(), 4);
    key(Qt::Key_F4);
    ASSERT_TRUE(open());
    dd->TrackBar()->setValue(7);
    EXPECT_EQ(dd->GetText(), "7");
    clickForm({5, 5});
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "7");
    EXPECT_EQ(dd->Position(), 7);

    tick += 1000;
    key(Qt::Key_F4);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->Position(), 8);
    key(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "4") << "the text of the last SetText";
    EXPECT_EQ(dd->Position(), 4) << "and the position follows it";
}

TEST_F(TrackBarDropDown, TextSetsThePositionOtherTextKeepsIt)
{
    int changes = 0;
    QString seen;
    dd->OnTrackChange = [&](QObject *s) {
        ++changes;
        seen = static_cast<ShownTrackBar *>(s)->GetText();
    };
    dd->SetEditorEnabled(true);
    dd->setFocus();
    dd->selectAll();
    type("6");
    EXPECT_EQ(dd->Position(), 6);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, "6") << "fired once the edit shows the number";

    struct Row {
        const char *text;
        int position;
    } rows[] = {{"abc", 6}, {"", 6}, {" 3 ", 3}, {"99999999999999999999", 3}, {"4000000000", 10}, {"-12", 0}};
    for (const Row &r : rows) {
        dd->setText(QString::fromLatin1(r.text)); // as the grid's cell editor writes it
        EXPECT_EQ(dd->Position(), r.position) << r.text;
    }
    dd->setText("5");
    dd->Change();
    EXPECT_EQ(dd->Position(), 5);
}

// ---- memo -----------------------------------------------------------------------------------------

TEST_F(MemoDropDown, SummaryOfTheLines)
{
    dd->SetEditorEnabled(false);
    dd->SetMemoText({"alpha", "beta"});
    EXPECT_EQ(dd->GetText(), "alpha...");
    dd->SetMemoText({"alpha"});
    EXPECT_EQ(dd->GetText(), "alpha");
    dd->SetMemoText({});
    EXPECT_EQ(dd->GetText(), "");

    const QString longLine = QString("The first line of this text is far wider than the edit").repeated(2);
    dd->SetMemoText({longLine, "second"});
    const QFontMetrics fm(dd->font());
    const int room = dd->GetEditRect().width();
    QString expected;
    for (int keep = int(longLine.size()) - 1; keep >= 0; --keep) {
        const QString c = longLine.left(keep) + "...";
        if (fm.horizontalAdvance(c) < room) {
            expected = c;
            break;
        }
    }
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(dd->GetText(), expected) << "the longest head that, with \"...\", is narrower than the edit";
    EXPECT_EQ(dd->MemoText(), QStringList({longLine, "second"})) << "the value keeps the whole text";

    // A summary written before the edit had its size follows the size it gets.
    dd->SetBounds(40, 30, 20, 21);
    dd->SetMemoText({"Pressure sensor", "second"});
    dd->SetBounds(40, 30, 300, 21);
    EXPECT_EQ(dd->GetText(), "Pressure sensor...");
}

TEST_F(MemoDropDown, EnabledEditorHoldsAndReplacesTheWholeText)
{
    EXPECT_TRUE(dd->EditorEnabled());
    dd->SetMemoText({"alpha", "beta"});
    EXPECT_EQ(dd->GetText(), "alpha\nbeta");
    dd->setFocus();
    dd->selectAll();
    type("gamma");
    EXPECT_EQ(dd->MemoText(), QStringList({"gamma"}));
    EXPECT_EQ(dd->GetText(), "gamma");
    dd->SetText("from the cell"); // the grid starts an edit this way
    EXPECT_EQ(dd->MemoText(), QStringList({"from the cell"}));
    dd->setText("one\ntwo");
    dd->Change();
    EXPECT_EQ(dd->MemoText(), QStringList({"one", "two"})) << "the edit's text into the lines";
}

TEST_F(MemoDropDown, EscDiscardsCloseKeepsTheMemosText)
{
    int memoChanges = 0;
    dd->OnMemoChange = [&](QObject *) { ++memoChanges; };
    dd->SetText("cell text");
    dd->SetMemoText({"one", "two"});
    key(Qt::Key_F4);
    ASSERT_TRUE(open());
    QPlainTextEdit *memo = dd->Memo();
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(memo->toPlainText(), "one\ntwo");
    memo->moveCursor(QTextCursor::End);
    memoChanges = 0;
    key(Qt::Key_Return);
    EXPECT_TRUE(open()) << "Enter is a line break in the memo";
    type("three");
    EXPECT_EQ(memoChanges, 6);
    key(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->MemoText(), QStringList({"one", "two"})) << "as before the opening, not the last SetText";
    EXPECT_EQ(dd->GetText(), "one\ntwo");
    EXPECT_EQ(memo->toPlainText(), "one\ntwo");

    tick += 1000;
    key(Qt::Key_F4);
    memo->moveCursor(QTextCursor::End);
    key(Qt::Key_Return);
    type("three");
    key(Qt::Key_F4);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->MemoText(), QStringList({"one", "two", "three"})) << "F4 keeps";
    EXPECT_EQ(dd->cursorPosition(), 0);

    tick += 1000;
    key(Qt::Key_F4);
    memo->moveCursor(QTextCursor::End);
    key(Qt::Key_Return);
    type("four");
    clickForm({5, 5});
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->MemoText(), QStringList({"one", "two", "three", "four"})) << "a click outside keeps";
    EXPECT_EQ(dd->GetText(), "one\ntwo\nthree\nfour");
}

TEST_F(MemoDropDown, CtrlASelectsTheWholeMemo)
{
    dd->SetMemoText({"one", "two"});
    key(Qt::Key_F4);
    ASSERT_TRUE(open());
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(dd->Memo()->textCursor().selectedText(), QString("one") + QChar(0x2029) + "two");
    EXPECT_TRUE(open());
}

TEST_F(MemoDropDown, AutoDropOpensOnTabbingInOnly)
{
    dd->SetAutoDrop(true);
    other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(open());
    key(Qt::Key_Tab);
    EXPECT_TRUE(open()) << "tabbing into the edit";
    key(Qt::Key_F4);
    QApplication::processEvents();
    EXPECT_FALSE(open()) << "the focus coming back does not reopen it";
    EXPECT_TRUE(dd->hasFocus());
    EXPECT_TRUE(dd->AutoDrop());
}

TEST_F(MemoDropDown, ReadOnlyMemoTakesEffectAtTheNextOpening)
{
    dd->SetMemoReadOnly(true);
    EXPECT_FALSE(dd->Memo()->isReadOnly());
    key(Qt::Key_F4);
    EXPECT_TRUE(dd->Memo()->isReadOnly());
    type("x");
    dd->SetMemoReadOnly(false);
    EXPECT_FALSE(dd->Memo()->isReadOnly()) << "while open at once";
    key(Qt::Key_F4);
    EXPECT_TRUE(dd->MemoText().isEmpty());
}

TEST_F(MemoDropDown, PopUpSizeAndMemoSettings)
{
    dd->SetMemoScrollBars(ssVertical);
    dd->setMaxLength(5);
    dd->SetMemoText({"abcdefgh"});
    showNow();
    ASSERT_TRUE(open());
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(dd->width(), 2 + 22 + 22 + 100)) << "header, footer, memo";
    EXPECT_EQ(dd->Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(dd->Memo()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(dd->Memo()->toPlainText(), "abcde") << "the edit's maximum length";
    QMenu menu;
    dd->SetMemoPopup(&menu);
    dd->HideDropDown(false);
    showNow();
    EXPECT_EQ(dd->Memo()->contextMenuPolicy(), Qt::CustomContextMenu);
}

// ---- what every pop-up shares ---------------------------------------------------------------------

TEST(DropDownPopUpKeys, BackspaceInThePopUpDeletesOneCharacter)
{
    QWidget form;
    form.resize(300, 200);
    auto *dd = new TNovaCustomDropDown(&form);
    dd->SetBounds(20, 20, 150, 21);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    dd->setFocus();
    dd->SetText("abcd");
    dd->ShowDropDown();
    QApplication::processEvents();
    ASSERT_TRUE(dd->DroppedDown());
    QTest::keyClick(form.windowHandle(), Qt::Key_Backspace);
    EXPECT_EQ(dd->GetText(), "abc");
    dd->HideDropDown(false);
}
