// Links, jump anchors and embedded controls of cells: what a press does, the editors over edit and
// combo controls and how Return and Tab leave them, and the anchor events of pointer movement.
#include "grid/CellControlEditors.h"
#include "grid/HtmlHintWindow.h"
#include "grid/NovaGrid.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/MarkupRenderer.h"
#include "platform/UrlOpener.h"

#include <QAbstractItemView>
#include <QDir>
#include <QHelpEvent>
#include <QScreen>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class AnchorGrid : public TNovaStringGrid {
public:
    using TNovaStringGrid::hitTestCellMarkup;
    // A point of the cell over the anchor (or control) named by what, found as the grid hit-tests.
    QPoint pointOn(int ACol, int ARow, const QString &what)
    {
        const TRect r = CellRect(ACol, ARow);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                TMarkupDrawResult res;
                if (hitTestCellMarkup(ACol, ARow, x, y, res) && (res.hitAnchor == what || res.controlId == what))
                    return {x, y};
            }
        return {-1, -1};
    }
};

struct AnchorFixture : ::testing::Test {
    AnchorGrid g;
    QList<QUrl> opened;
    platform::UrlOpenFunction previous;

    void SetUp() override
    {
        previous = platform::setUrlOpener([this](const QUrl &u) {
            opened << u;
            return true;
        });
        g.resize(520, 300);
        g.SetColCount(5);
        g.SetRowCount(10);
        g.SetColWidths(1, 200);
        g.SetDefaultRowHeight(26);
        g.show();
        QApplication::processEvents();
    }
    void TearDown() override { platform::setUrlOpener(std::move(previous)); }
    void click(QPoint p) { QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, p); }
    QPoint middleOf(int c, int r) { return g.CellRect(c, r).ToQRect().center(); }
};

} // namespace

TEST(UrlOpener, WebAndMailAddressesOpenAsLinks)
{
    QList<QUrl> opened;
    auto previous = platform::setUrlOpener([&](const QUrl &u) {
        opened << u;
        return true;
    });
    for (const char *good : {"mailto:x", "MAILTO:a@b.c?subject=hi", "https://example.com/"})
        EXPECT_TRUE(platform::openLinkUrl(QUrl(QString::fromLatin1(good)))) << good;
    for (const char *bad : {"mailto:", "file:///etc/passwd", "javascript:alert(1)", "CELL://R1C1", "x"})
        EXPECT_FALSE(platform::openLinkUrl(QUrl(QString::fromLatin1(bad)))) << bad;
    EXPECT_FALSE(platform::openWebUrl(QUrl(QStringLiteral("mailto:x")))) << "the web opener stays web only";
    platform::setUrlOpener(std::move(previous));
    EXPECT_EQ(opened.size(), 3);
}

TEST_F(AnchorFixture, LinkTextPressFiresAnchorClickAndOpensUnlessTheHandlerRefuses)
{
    g.SetURLShow(true);
    g.SetCells(1, 3, "mailto:x");
    g.FocusCell(2, 5, true);
    std::vector<std::tuple<int, int, QString, bool>> clicks;
    bool refuse = false;
    g.OnAnchorClick = [&](QObject *, int r, int c, const QString &a, bool &auto_) {
        clicks.emplace_back(r, c, a, auto_);
        if (refuse) auto_ = false;
    };
    int clickCells = 0;
    g.OnClickCell = [&](QObject *, int, int) { ++clickCells; };
    click(middleOf(1, 3));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_tuple(3, 1, QString("mailto:x"), true));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].scheme(), "mailto");
    EXPECT_EQ(g.Col(), 2);
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(clickCells, 0);
    refuse = true;
    click(middleOf(1, 3));
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(AnchorFixture, CellJumpsMoveTheCurrentCellOnlyToCellsOfTheGrid)
{
    const struct {
        const char *anchor;
        int col, row; // -1: no move
    } cases[] = {
        {"CELL://R5C2", 2, 5}, {"cell://r7c3", 3, 7}, {"Cell://R99C2", -1, -1}, {"CELL://R5C40", -1, -1},
        {"CELL://R0C0", -1, -1}, {"CELL://x", -1, -1}, {"CELL://", -1, -1},
    };
    for (const auto &c : cases) {
        g.FocusCell(1, 1, true);
        g.SetCells(1, 2, QString("<A HREF=\"%1\">jump</A>").arg(c.anchor));
        const QPoint p = g.pointOn(1, 2, c.anchor);
        ASSERT_GE(p.x(), 0) << c.anchor;
        click(p);
        if (c.col < 0) {
            EXPECT_EQ(g.Col(), 1) << c.anchor;
            EXPECT_EQ(g.Row(), 1) << c.anchor;
        } else {
            EXPECT_EQ(g.Col(), c.col) << c.anchor;
            EXPECT_EQ(g.Row(), c.row) << c.anchor;
        }
    }
    EXPECT_TRUE(opened.isEmpty()) << "a jump never reaches the link opener";
}

TEST_F(AnchorFixture, CheckAndRadioTagsToggleInEditableCellsOnly)
{
    g.SetOptions(g.Options().Include(goEditing));
    g.SetCells(1, 2, "<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"FALSE\" WIDTH=\"16\"> ok");
    std::vector<QString> found;
    g.OnControlClick = [&](QObject *, int, int, const QString &id, const QString &type, const QString &v) {
        found.push_back(id + ":" + type + ":" + v);
    };
    int anchorClicks = 0;
    g.OnAnchorClick = [&](QObject *, int, int, const QString &, bool &) { ++anchorClicks; };
    const QPoint p = g.pointOn(1, 2, "c1");
    ASSERT_GE(p.x(), 0);
    click(p);
    QString v;
    ASSERT_TRUE(GetControlTagValue(g.Cells(1, 2), "c1", v));
    EXPECT_EQ(v, "TRUE");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], "c1:CHECK:FALSE") << "the value as found before the change";

    g.SetReadOnly(1, 2, true);
    click(p);
    ASSERT_TRUE(GetControlTagValue(g.Cells(1, 2), "c1", v));
    EXPECT_EQ(v, "TRUE") << "a read-only cell's control is a plain anchor";
    EXPECT_EQ(anchorClicks, 1);

    g.SetCells(1, 4, "<CONTROL TYPE=\"RADIO\" ID=\"a\" VALUE=\"TRUE\" WIDTH=\"16\"> <CONTROL TYPE=\"RADIO\" ID=\"b\" VALUE=\"FALSE\" WIDTH=\"16\">");
    const QPoint b = g.pointOn(1, 4, "b");
    ASSERT_GE(b.x(), 0);
    click(b);
    ASSERT_TRUE(GetControlTagValue(g.Cells(1, 4), "a", v));
    EXPECT_EQ(v, "FALSE");
    ASSERT_TRUE(GetControlTagValue(g.Cells(1, 4), "b", v));
    EXPECT_EQ(v, "TRUE");
}

TEST_F(AnchorFixture, ComboTagOpensDroppedDownAndWritesTheChosenItem)
{
    g.SetOptions(g.Options().Include(goEditing));
    g.SetCells(1, 2, "Pick <CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"two\" WIDTH=\"80\">");
    int dropCount = 8;
    g.OnControlComboList = [&](QObject *, int, int, const QString &, const QString &, const QString &, QStringList &values,
                               bool &, int &count) {
        values << "one" << "two" << "three";
        if (dropCount != 8) count = dropCount;
    };
    std::vector<QString> done, selected;
    g.OnControlEditDone = [&](QObject *, int r, int c, const QString &id, const QString &type, const QString &v) {
        done.push_back(QString("%1,%2,%3,%4,%5").arg(r).arg(c).arg(id, type, v));
    };
    g.OnControlComboSelect = [&](QObject *, int, int, int i, const QString &, const QString &v) {
        selected.push_back(QString::number(i) + v);
    };
    const QPoint p = g.pointOn(1, 2, "k");
    ASSERT_GE(p.x(), 0);
    click(p);
    TControlCombo *cb = g.ControlCombo();
    ASSERT_NE(cb, nullptr);
    EXPECT_TRUE(cb->isVisible());
    EXPECT_TRUE(cb->view()->isVisible()) << "the combo opens dropped down";
    EXPECT_EQ(cb->maxVisibleItems(), 8);
    EXPECT_EQ(cb->currentText(), "two");
    // Choosing an item and leaving with Return keeps it in the cell.
    cb->hidePopup();
    cb->setCurrentIndex(2);
    emit cb->activated(2);
    cb->setFocus();
    QTest::keyClick(cb, Qt::Key_Return);
    QString v;
    ASSERT_TRUE(GetControlTagValue(g.Cells(1, 2), "k", v));
    EXPECT_EQ(v, "three");
    EXPECT_FALSE(cb->isVisible());
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], "2,1,k,COMBO,three");
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0], "2three");

    dropCount = 3;
    click(p);
    EXPECT_EQ(cb->maxVisibleItems(), 3);
    cb->hidePopup();
    g.StoreCellControlValue();
}

TEST_F(AnchorFixture, TabWalksTheEditControlsOfACellAndThenBackToTheGrid)
{
    g.SetOptions(g.Options().Include(goEditing));
    g.SetCells(1, 2,
               "<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"a\" WIDTH=\"60\"> <CONTROL TYPE=\"PASSWORD\" ID=\"e2\" VALUE=\"b\" WIDTH=\"60\" MAXLEN=\"4\">");
    const QPoint p = g.pointOn(1, 2, "e1");
    ASSERT_GE(p.x(), 0);
    click(p);
    TControlEdit *e = g.ControlEditor();
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->isVisible());
    EXPECT_EQ(e->text(), "a");
    e->selectAll();
    QTest::keyClicks(e, "new");
    QTest::keyClick(e, Qt::Key_Tab);
    QString v;
    ASSERT_TRUE(GetControlTagValue(g.Cells(1, 2), "e1", v));
    EXPECT_EQ(v, "new");
    ASSERT_TRUE(e->isVisible()) << "Tab opens the next control of the cell";
    EXPECT_EQ(e->echoMode(), QLineEdit::Password);
    EXPECT_EQ(e->maxLength(), 4);
    const QRect walked = e->geometry();
    QTest::keyClick(e, Qt::Key_Tab);
    EXPECT_FALSE(e->isVisible());
    EXPECT_TRUE(g.hasFocus()) << "after the last control the grid has the focus";

    // Tab lays the editor over the second control exactly where a press on that control does.
    const QPoint p2 = g.pointOn(1, 2, "e2");
    ASSERT_GE(p2.x(), 0);
    click(p2);
    ASSERT_TRUE(e->isVisible());
    EXPECT_EQ(e->geometry(), walked);
    EXPECT_GT(walked.left(), g.CellRect(1, 2).Left + 40) << "the second control stands right of the first";
    g.StoreCellControlValue();
}

TEST_F(AnchorFixture, HoverEntersEachAnchorAndLeavesOnce)
{
    g.SetURLUnderlineOnHover(true);
    g.SetCells(1, 2, "<A HREF=\"one\">first</A> and <A HREF=\"two\">second</A>");
    g.SetCells(1, 3, "plain");
    std::vector<QString> events;
    g.OnAnchorEnter = [&](QObject *, int, int, const QString &a) { events.push_back("enter " + a); };
    g.OnAnchorExit = [&](QObject *, int, int, const QString &a) { events.push_back("exit " + a); };
    const QPoint a = g.pointOn(1, 2, "one"), b = g.pointOn(1, 2, "two");
    ASSERT_GE(a.x(), 0);
    ASSERT_GE(b.x(), 0);
    EXPECT_TRUE(g.AnchorHover(1, 2, a.x(), a.y()));
    EXPECT_TRUE(g.AnchorHover(1, 2, a.x() + 1, a.y()));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(g.HoverCell(), (TPoint{1, 2}));
    EXPECT_EQ(g.HoverLink(), 1);
    EXPECT_TRUE(g.AnchorHover(1, 2, b.x(), b.y()));
    EXPECT_EQ(g.HoverLink(), 2);
    const QPoint off = middleOf(1, 3);
    EXPECT_FALSE(g.AnchorHover(1, 3, off.x(), off.y()));
    EXPECT_FALSE(g.AnchorHover(1, 3, off.x() + 2, off.y()));
    EXPECT_NE(g.viewport()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(g.HoverCell(), (TPoint{-1, -1}));
    EXPECT_EQ(events, (std::vector<QString>{"enter one", "enter two", "exit "}));
}

TEST_F(AnchorFixture, PointerMovesOverAnchorsShowTheLinkCursorAndLeaveOnce)
{
    g.SetCells(1, 2, "<A HREF=\"one\">first</A> and <A HREF=\"two\">second</A>");
    g.SetCells(1, 3, "plain");
    std::vector<QString> events;
    g.OnAnchorEnter = [&](QObject *, int, int, const QString &a) { events.push_back("enter " + a); };
    g.OnAnchorExit = [&](QObject *, int, int, const QString &a) { events.push_back("exit " + a); };
    const QPoint a = g.pointOn(1, 2, "one"), b = g.pointOn(1, 2, "two");
    ASSERT_GE(a.x(), 0);
    ASSERT_GE(b.x(), 0);
    QTest::mouseMove(g.viewport(), a);
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(g.viewport(), b);
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(g.viewport(), middleOf(1, 3));
    EXPECT_EQ(g.viewport()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(events, (std::vector<QString>{"enter one", "enter two", "exit "}));

    // Leaving the grid from an anchor leaves the anchor too, so coming back enters it again.
    QTest::mouseMove(g.viewport(), a);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(g.viewport(), &leave);
    QTest::mouseMove(g.viewport(), a + QPoint(1, 0));
    EXPECT_EQ(events, (std::vector<QString>{"enter one", "enter two", "exit ", "enter one", "exit ", "enter one"}));
}

TEST_F(AnchorFixture, AnchorHintShowsTheTitleBesideTheCursor)
{
    g.SetCells(1, 2, "<A HREF=\"one\" TITLE=\"The first\">first</A> and <A HREF=\"two\">second</A>");
    const QPoint a = g.pointOn(1, 2, "one"), b = g.pointOn(1, 2, "two");
    ASSERT_GE(a.x(), 0);
    ASSERT_GE(b.x(), 0);
    auto hintAt = [&](QPoint p) {
        QHelpEvent e(QEvent::ToolTip, p, g.viewport()->mapToGlobal(p));
        QApplication::sendEvent(g.viewport(), &e);
        THTMLHintWindow *w = g.CellHintWindow();
        return w && w->isVisible() ? w->Caption() : QString();
    };
    EXPECT_EQ(hintAt(a), QString()) << "off without AnchorHint";

    g.SetAnchorHint(true);
    EXPECT_EQ(hintAt(a), "The first");
    EXPECT_EQ(g.CellHintWindow()->pos(), g.viewport()->mapToGlobal(a + QPoint(8, -16)));
    EXPECT_EQ(hintAt(b), "two") << "an anchor without a title shows itself";
    std::vector<QString> asked;
    g.OnAnchorHint = [&](QObject *, int r, int c, QString &anchor) {
        asked.push_back(QString("%1,%2 %3").arg(r).arg(c).arg(anchor));
        anchor = "second link";
    };
    EXPECT_EQ(hintAt(b), "second link");
    EXPECT_EQ(asked, (std::vector<QString>{"2,1 two"}));
    EXPECT_EQ(hintAt(middleOf(1, 3)), QString()) << "no anchor, no hint";
}

// A rich-text cell and a hovered anchor for a person to look at (set CFG_SCREENSHOT_DIR to write them).
TEST(AnchorScreenshots, RichTextCellAndHoveredAnchor)
{
    const QString dir = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "CFG_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    AnchorGrid g;
    g.resize(560, 200);
    g.move(20, 20);
    g.SetColCount(3);
    g.SetRowCount(4);
    g.SetColWidths(1, 260);
    g.SetColWidths(2, 200);
    g.SetRowHeights(1, 48);
    g.SetCells(1, 0, "Rich text");
    g.SetCells(2, 0, "Links");
    g.SetCells(1, 1, R"({\rtf1{\fonttbl{\f0 DejaVu Sans;}{\f1 DejaVu Serif;}}{\colortbl ;\red200\green0\blue0;\red0\green100\blue0;})"
                     R"(\f0\fs20 Water is H\sub 2\nosupersub O, \b bold\b0 , \i italic\i0 ,\par \cf1 red\cf0 , \cf2\f1 serif green\cf0\f0 , E = mc\super 2\nosupersub })");
    g.SetCells(2, 1, "See <A HREF=\"https://example.com\">the site</A> or <A HREF=\"CELL://R3C1\">row 3</A>");
    g.SetURLUnderlineOnHover(true);
    g.show();
    QApplication::processEvents();
    const QPoint p = g.pointOn(2, 1, "https://example.com");
    ASSERT_GE(p.x(), 0);
    QTest::mouseMove(g.viewport(), p);
    g.AnchorHover(2, 1, p.x(), p.y());
    g.repaint();
    QApplication::processEvents();
    QImage img = g.grab().toImage();
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        img = g.screen()->grabWindow(0, g.x(), g.y(), g.width(), g.height()).toImage();
    EXPECT_TRUE(img.save(dir + "/rich-text-and-hovered-anchor.png"));
}
