// A grouped grid with summary rows in a real window, its groups contracted and expanded by
// presses of the X server's own pointer (XTest) on the node glyphs, when run under xvfb-run with
// QT_QPA_PLATFORM=xcb; elsewhere it is skipped. The screen is saved after each step under
// /tmp/grid-group-window/ for a person to look at.
#include "grid/CompanionSettings.h"
#include "grid/NovaGrid.h"
#include "support/XTest.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <gtest/gtest.h>

#include <memory>

namespace {

void shot(QWidget &w, const char *name)
{
    QApplication::processEvents();
    const QString dir = QDir::tempPath() + QStringLiteral("/grid-group-window");
    QDir().mkpath(dir);
    if (QScreen *s = QGuiApplication::primaryScreen()) {
        const QRect r = w.frameGeometry().adjusted(-10, -10, 10, 10);
        s->grabWindow(0, r.x(), r.y(), r.width(), r.height())
            .save(dir + QStringLiteral("/%1.png").arg(QString::fromLatin1(name)));
    }
}

// The screen point of row's node glyph: the first x of column 0 that hits it.
QPoint glyphOf(TNovaStringGrid &g, int row)
{
    const TRect cell = g.CellRect(0, row);
    for (int x = 0; x < cell.Width(); ++x)
        if (g.IsNodeGlyphHit(row, x))
            return g.viewport()->mapToGlobal(QPoint(cell.Left + x + 2, (cell.Top + cell.Bottom) / 2));
    return {};
}

QStringList shownColumn(TNovaStringGrid &g, int col)
{
    QStringList out;
    for (int r = 1; r < g.RowCount(); ++r)
        out << g.Cells(col, r);
    return out;
}

} // namespace

TEST(GridGroupWindow, NodeGlyphsContractAndExpandTheGroupsUnderTheRealPointer)
{
    XTest x;
    if (const char *why = xPointerMissing(x))
        GTEST_SKIP() << why;

    auto g = std::make_unique<TNovaStringGrid>();
    const char *rows[][4] = {{"", "Device", "Port", "Bytes"},     {"1", "Sensor", "Port 1", "2"},
                             {"2", "Sensor", "Port 2", "4"},      {"3", "Valve", "Port 3", "1"},
                             {"4", "Sensor", "Port 4", "2"},      {"5", "Display", "Port 5", "8"},
                             {"6", "Valve", "Port 6", "1"}};
    g->SetColCount(4);
    g->SetRowCount(7);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 4; ++c)
            g->SetCells(c, r, QString::fromLatin1(rows[r][c]));
    g->SetColWidths(0, 40);
    g->SetColWidths(1, 110);
    g->SetColWidths(2, 110);
    g->SetColWidths(3, 80);
    g->Grouping()->SetSummary(true);
    g->Grouping()->SetHeaderColor(0xF0E0D0);
    g->Grouping()->SetSummaryColor(0xD0F0F0);
    g->Group(1);
    g->GroupSum(2); // the byte column, one to the left once the group column went
    g->setWindowTitle(QStringLiteral("Grouped grid"));
    g->setGeometry(40, 40, 420, 340);
    g->show();
    x.settle(300);

    std::vector<int> nodes;
    for (int r = 1; r < g->RowCount(); ++r)
        if (g->IsNode(r))
            nodes.push_back(r);
    ASSERT_EQ(nodes.size(), 3u) << "one node per device";
    const int allRows = g->RowCount();
    int childRows = 0;
    for (int r : nodes)
        childRows += g->GetNodeSpan(r) - 1;
    shot(*g, "1-expanded");

    // The first group's glyph contracts it: its rows and summary hide.
    const int first = nodes[0];
    const int span = g->GetNodeSpan(first);
    ASSERT_GT(span, 1);
    const QPoint p = glyphOf(*g, first);
    ASSERT_FALSE(p.isNull());
    x.moveTo(p);
    x.press(1);
    x.release(1);
    EXPECT_TRUE(g->GetNodeState(first)) << "contracted";
    EXPECT_EQ(g->RowCount(), allRows - (span - 1));
    shot(*g, "2-first-contracted");

    // Every other group contracted too, from the bottom up: the node rows stay, each with the
    // summary row under it.
    for (int r = g->RowCount() - 1; r >= 1; --r) {
        if (!g->IsNode(r) || g->GetNodeState(r))
            continue;
        x.moveTo(glyphOf(*g, r));
        x.press(1);
        x.release(1);
        EXPECT_TRUE(g->GetNodeState(r));
    }
    EXPECT_EQ(g->RowCount(), allRows - childRows);
    EXPECT_EQ(g->RowCount(), 1 + 2 * int(nodes.size()));
    shot(*g, "3-all-contracted");

    // Expanded again one by one, from the bottom up: the grid is as it was.
    for (int r = g->RowCount() - 1; r >= 1; --r) {
        if (!g->IsNode(r) || !g->GetNodeState(r))
            continue;
        x.moveTo(glyphOf(*g, r));
        x.press(1);
        x.release(1);
        EXPECT_FALSE(g->GetNodeState(r));
    }
    EXPECT_EQ(g->RowCount(), allRows);
    shot(*g, "4-expanded-again");
    EXPECT_EQ(shownColumn(*g, 1).filter(QStringLiteral("Port")).size(), 6);
}
