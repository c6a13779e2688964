// The search bar below the grid, driven by real key events: enabling, Enter and Ctrl+Enter,
// accelerators, the match-case box's place, the edit's colour and the bar's look. The tests run
// once more in a real X11 window (grid_test_search_panel_x11), the last one with the X server's
// own keyboard.
#include "grid/NovaGrid.h"
#include "grid/SearchPanel.h"
#include "grid/base/EditorKit.h"
#include "support/XTest.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PanelFixture : ::testing::Test {
    TNovaStringGrid g;
    std::vector<std::string> actions;

    void SetUp() override
    {
        g.resize(640, 300);
        g.SetColCount(5);
        g.SetRowCount(8);
        g.SetCells(3, 1, "x");
        g.SetCells(1, 2, "x");
        TSearchFooter *f = g.SearchFooter();
        f->SetFindNextCaption("Find &next");
        f->SetFindPrevCaption("Find &previous");
        f->SetHighLightCaption("Highlight");
        f->SetMatchCaseCaption("Match case");
        f->SetVisible(true);
        g.OnSearchFooterAction = [this](QObject *, QString v, int c, int r, TSearchAction a) {
            const char *name[] = {"first", "previous", "next"};
            actions.push_back(std::string(name[a]) + " " + v.toStdString() + " " + std::to_string(c) + ","
                              + std::to_string(r));
        };
        g.show();
        QApplication::processEvents();
        ASSERT_NE(g.SearchPanel(), nullptr);
        edit()->setFocus();
    }
    TSearchPanel &panel() { return *g.SearchPanel(); }
    QLineEdit *edit() { return panel().Edit(); }
    bool buttonsEnabled()
    {
        return panel().ForwardButton()->isEnabled() && panel().BackwardButton()->isEnabled()
               && panel().HiliteButton()->isEnabled();
    }
};

TEST_F(PanelFixture, DockedAtTheBottomWithItsLayout)
{
    EXPECT_EQ(panel().geometry(), QRect(0, g.height() - 32, g.width(), 32));
    EXPECT_EQ(panel().Edit()->geometry().topLeft(), QPoint(25, 6));
    EXPECT_EQ(panel().ForwardButton()->geometry(), QRect(140, 5, 90, 23));
    EXPECT_EQ(panel().BackwardButton()->geometry(), QRect(235, 5, 90, 23));
    EXPECT_EQ(panel().HiliteButton()->geometry(), QRect(330, 5, 90, 23));
    EXPECT_EQ(panel().ExitButton()->geometry(), QRect(5, 7, 14, 14));
    EXPECT_EQ(panel().MatchCase()->x(), 425);
    g.SearchFooter()->SetShowHighLight(false);
    EXPECT_EQ(panel().MatchCase()->x(), 330);
    g.SearchFooter()->SetVisible(false);
    EXPECT_FALSE(panel().isVisible());
}

TEST_F(PanelFixture, ButtonsEnabledOnlyWithText)
{
    EXPECT_FALSE(buttonsEnabled());
    QTest::keyClick(edit(), Qt::Key_Q);
    EXPECT_TRUE(buttonsEnabled());
    QTest::keyClick(edit(), Qt::Key_Backspace);
    EXPECT_FALSE(buttonsEnabled());
}

TEST_F(PanelFixture, TypingEnterCtrlEnterAndTheEditColour)
{
    QTest::keyClick(edit(), Qt::Key_X);
    EXPECT_EQ(actions.back(), "first x 1,2");
    EXPECT_NE(edit()->palette().color(QPalette::Base), QColor(Qt::red));
    QTest::keyClick(edit(), Qt::Key_Return);
    EXPECT_EQ(actions.back(), "next x 3,1");
    QTest::keyClick(edit(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(actions.back(), "previous x 1,2");
    EXPECT_EQ(edit()->text(), "x"); // no line break
    EXPECT_EQ(g.Row(), 2);
    QTest::keyClick(edit(), Qt::Key_Z);
    EXPECT_EQ(actions.back(), "first xz -1,-1");
    EXPECT_EQ(edit()->palette().color(QPalette::Base), QColor(Qt::red));
    QTest::keyClick(edit(), Qt::Key_Backspace);
    EXPECT_NE(edit()->palette().color(QPalette::Base), QColor(Qt::red));
}

TEST_F(PanelFixture, AcceleratorsOnlyWhileShown)
{
    QTest::keyClicks(edit(), "x");
    actions.clear();
    QTest::keyClick(edit(), Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(edit(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(actions, (std::vector<std::string>{"next x 3,1", "previous x 1,2"}));
    EXPECT_EQ(edit()->text(), "x") << "the letters are the buttons' keys, not text";
    g.SearchFooter()->SetVisible(false);
    g.setFocus();
    actions.clear();
    QTest::keyClick(&g, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(&g, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(actions.empty());
}

TEST_F(PanelFixture, HighlightButtonAndMatchCase)
{
    g.SetCells(2, 3, "aXa");
    QTest::keyClicks(edit(), "x");
    panel().MatchCase()->SetChecked(true);
    QTest::mouseClick(panel().HiliteButton(), Qt::LeftButton);
    ASSERT_TRUE(panel().HiliteButton()->Down());
    EXPECT_EQ(g.Cells(1, 2), "<hi>x</hi>");
    EXPECT_EQ(g.Cells(2, 3), "aXa");
    QTest::mouseClick(panel().HiliteButton(), Qt::LeftButton);
    EXPECT_EQ(g.Cells(1, 2), "x");
}

TEST_F(PanelFixture, PlainColourWithAGridLineOnTop)
{
    g.SearchFooter()->SetColor(clWhite);
    g.SearchFooter()->SetColorTo(clNone);
    g.SetGridLineColor(clRed);
    QApplication::processEvents();
    const QImage img = panel().grab().toImage();
    EXPECT_EQ(QColor(img.pixel(300, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(600, 20)), QColor(Qt::white));
    // The whole grid, for looking at.
    QTest::keyClicks(edit(), "x");
    g.grab().save("/tmp/search_panel.png");
}

} // namespace

// Alt+N and Alt+P typed on the keyboard of a real X11 window, the window activated by a click.
TEST_F(PanelFixture, AcceleratorsFromTheKeyboardOfARealWindow)
{
    XTest x;
    if (const char *why = xPointerMissing(x))
        GTEST_SKIP() << why;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
    x.moveTo(edit()->mapToGlobal(edit()->rect().center()));
    x.click(1);
    ASSERT_TRUE(XTest::waitFor([this] { return edit()->hasFocus() && QApplication::activeWindow() == &g; }));
    x.key('x');
    ASSERT_EQ(edit()->text(), "x");
    actions.clear();
    x.key('n', true);
    x.key('p', true);
    EXPECT_EQ(actions, (std::vector<std::string>{"next x 3,1", "previous x 1,2"}));
    EXPECT_EQ(edit()->text(), "x");
}
