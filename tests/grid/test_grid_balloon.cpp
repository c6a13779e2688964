// The balloon tooltip's text for the cell under the mouse: what is taken from the cell, how it is
// trimmed, and what the balloon event may change.
#include "grid/EditingTypes.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct BalloonFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.resize(400, 300);
        g.SetColCount(4);
        g.SetRowCount(5);
        g.show();
        QApplication::processEvents();
        g.Balloon()->SetEnable(true);
    }
    QPoint middleOf(int c, int r) { return g.CellRect(c, r).ToQRect().center(); }
    QString textOf(const QString &cell, QString *title = nullptr, int *icon = nullptr)
    {
        g.SetCells(1, 1, cell);
        QString t, x;
        int i = 0;
        EXPECT_TRUE(g.BalloonNeedText(middleOf(1, 1), t, x, i));
        if (title) *title = t;
        if (icon) *icon = i;
        return x;
    }
};

} // namespace

TEST_F(BalloonFixture, TextIsTheCellsTextTrimmedForTheBalloon)
{
    const struct {
        QString cell;
        QString shown;
    } cases[] = {
        {"\r\n\r\nafter two blank lines", "after two blank lines"},
        {"a\tb\t", "a b "},
        {"\tlead", " lead"},
        {"<B>bold</B> text", "bold text"},
        {R"({\rtf1 rich \b text})", "rich text"},
        {"plain", "plain"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(textOf(c.cell), c.shown) << c.cell.toStdString();

    const QString shown = textOf(QString(3000, QLatin1Char('x')));
    EXPECT_EQ(shown.size(), 2048);
    EXPECT_EQ(shown, QString(2045, QLatin1Char('x')) + "...");
    QString title;
    int icon = 0;
    textOf("t", &title, &icon);
    EXPECT_EQ(title, " ");
    EXPECT_EQ(icon, 1);
    EXPECT_EQ(g.LastBalloonCell(), (TPoint{1, 1}));
}

TEST_F(BalloonFixture, BalloonEventMayChangeTextTitleAndIcon)
{
    g.OnCellBalloon = [](QObject *, int c, int r, QString &title, QString &text, int &icon) {
        title = QString(150, QLatin1Char('T'));
        text = QString("%1/%2 %3").arg(c).arg(r).arg(text);
        icon = 3;
    };
    QString title;
    int icon = 0;
    EXPECT_EQ(textOf("cell", &title, &icon), "1/1 cell");
    EXPECT_EQ(title, QString(97, QLatin1Char('T')) + "...");
    EXPECT_EQ(icon, 3);
    // The balloon window shows it.
    EXPECT_TRUE(g.ShowCellBalloon(middleOf(1, 1)));
    auto *tip = qobject_cast<QLabel *>(g.BalloonWindow());
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_TRUE(tip->text().contains("1/1 cell"));
    tip->hide();
}

TEST_F(BalloonFixture, NoAnswerWhileBalloonsAreOff)
{
    g.Balloon()->SetEnable(false);
    g.SetCells(1, 1, "x");
    QString t, x;
    int i = 0;
    EXPECT_FALSE(g.BalloonNeedText(middleOf(1, 1), t, x, i));
    EXPECT_FALSE(g.ShowCellBalloon(middleOf(1, 1)));
}

TEST_F(BalloonFixture, DatePickerChangeReportsTheDateForTheCurrentCell)
{
    std::vector<std::tuple<int, int, TDateTime>> seen;
    g.OnDateTimeChange = [&](QObject *, int c, int r, TDateTime d) { seen.emplace_back(c, r, d); };
    g.FocusCell(2, 3, true);
    g.DateTimeChangeNotify(45000.5);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::make_tuple(2, 3, TDateTime(45000.5)));
}

TEST_F(BalloonFixture, CellsOwnBalloonComesBeforeTheEvent)
{
    g.SetCells(2, 2, "cell text");
    g.AddBalloon(2, 2, "Own title", "own text", biWarning);
    QString t, x;
    int i = 0;
    ASSERT_TRUE(g.BalloonNeedText(middleOf(2, 2), t, x, i));
    EXPECT_EQ(t, "Own title");
    EXPECT_EQ(x, "own text");
    EXPECT_EQ(i, int(biWarning));
    g.OnCellBalloon = [](QObject *, int, int, QString &, QString &text, int &icon) {
        text += "!";
        EXPECT_EQ(icon, int(biWarning)) << "the event sees the cell's icon";
    };
    ASSERT_TRUE(g.BalloonNeedText(middleOf(2, 2), t, x, i));
    EXPECT_EQ(x, "own text!");
    // A neighbour without a balloon of its own shows its text.
    g.SetCells(3, 2, "neighbour");
    g.OnCellBalloon = nullptr;
    ASSERT_TRUE(g.BalloonNeedText(middleOf(3, 2), t, x, i));
    EXPECT_EQ(x, "neighbour");
    EXPECT_EQ(i, 1);
}

TEST_F(BalloonFixture, PointerMovingToAnotherCellPopsTheBalloon)
{
    g.SetCells(1, 1, "one");
    g.SetCells(2, 2, "two");
    const QPoint p = middleOf(1, 1);
    QHelpEvent e(QEvent::ToolTip, p, g.viewport()->mapToGlobal(p));
    QApplication::sendEvent(g.viewport(), &e);
    QWidget *tip = g.BalloonWindow();
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(tip->isVisible());
    EXPECT_EQ(g.LastBalloonCell(), (TPoint{1, 1}));
    QTest::mouseMove(g.viewport(), p + QPoint(3, 1));
    EXPECT_TRUE(tip->isVisible()) << "a move inside the cell keeps it";
    QTest::mouseMove(g.viewport(), middleOf(2, 2));
    EXPECT_FALSE(tip->isVisible());
    EXPECT_EQ(g.LastBalloonCell(), (TPoint{-1, -1}));
}
