#include "FakeSettingsHost.h"
#include "grid/SortSettings.h"

#include <gtest/gtest.h>

TEST(SortSettings, Defaults)
{
    TSortSettings s;
    EXPECT_TRUE(s.AutoSortForGrouping());
    EXPECT_FALSE(s.AutoColumnMerge());
    EXPECT_EQ(s.Column(), -1);
    EXPECT_FALSE(s.Show());
    EXPECT_FALSE(s.IndexShow());
    EXPECT_EQ(s.IndexColor(), 0x00FFFFu);
    EXPECT_EQ(s.IndexSortKey(), ikShift);
    EXPECT_TRUE(s.Full());
    EXPECT_FALSE(s.SingleColumn());
    EXPECT_FALSE(s.IgnoreBlanks());
    EXPECT_EQ(s.BlankPos(), blFirst);
    EXPECT_TRUE(s.AutoFormat());
    EXPECT_EQ(s.Direction(), sdAscending);
    EXPECT_TRUE(s.UpGlyph().isNull() && s.DownGlyph().isNull() && s.IndexUpGlyph().isNull() &&
                s.IndexDownGlyph().isNull());
    EXPECT_FALSE(s.IgnoreCase());
    EXPECT_EQ(s.InitSortDirection(), sdAscending);
    EXPECT_FALSE(s.FixedCols());
    EXPECT_FALSE(s.NormalCellsOnly());
    EXPECT_EQ(s.Row(), 0);
    EXPECT_FALSE(s.UndoSort());
    EXPECT_TRUE(s.SortOnVirtualCells());
    EXPECT_EQ(s.HeaderColor(), clNone);
    EXPECT_EQ(s.HeaderColorTo(), clNone);
    EXPECT_EQ(s.HeaderMirrorColor(), clNone);
    EXPECT_EQ(s.HeaderMirrorColorTo(), clNone);
}

TEST(SortSettings, LoadFromString)
{
    struct Case {
        const char *text;
        bool throws;
        bool show;
        bool indexShow;
        TSortDirection direction;
        int column;
        int qsorts;
        int indexedSorts;
        QString indexes;
    };
    // Every case starts from column 7, descending, IndexShow on, an index list "u1".
    const Case cases[] = {
        {"", false, false, true, sdDescending, 7, 0, 0, "u1"},         // nothing at all
        {"d12", false, true, false, sdDescending, 12, 1, 0, "u1"},
        {"u3", false, true, false, sdAscending, 3, 1, 0, "u1"},
        {"x5", false, true, false, sdDescending, 5, 1, 0, "u1"},       // no "u": descending
        {"u3a", false, true, false, sdAscending, 7, 0, 0, "u1"},       // no number: nothing sorted
        {"du0", false, true, false, sdAscending, 7, 0, 0, "u1"},       // "u0" is no number either
        {"u-3", false, true, false, sdAscending, 7, 0, 0, "u1"},       // no column below 0
        {"u", true, true, true, sdDescending, 7, 0, 0, "u1"},          // too short
        {"i;", false, true, true, sdDescending, 7, 0, 0, "u1"},        // index sort without entries
        {"i;u2;d5", false, true, true, sdDescending, 7, 0, 1, "u2;d5"},
    };
    for (const Case &c : cases) {
        FakeSettingsHost grid;
        grid.sortIndexes.LoadFromString(QStringLiteral("u1"));
        TSortSettings s(&grid);
        s.SetColumn(7);
        s.SetDirection(sdDescending);
        s.SetIndexShow(true);
        const QString text = QString::fromLatin1(c.text);
        if (c.throws) {
            try {
                s.LoadFromString(text);
                ADD_FAILURE() << c.text << " did not throw";
            } catch (const std::runtime_error &e) {
                EXPECT_STREQ(e.what(), "Invalid sort settings specifier");
            }
        } else {
            s.LoadFromString(text);
        }
        EXPECT_EQ(s.Show(), c.show) << c.text;
        EXPECT_EQ(s.IndexShow(), c.indexShow) << c.text;
        EXPECT_EQ(s.Direction(), c.direction) << c.text;
        EXPECT_EQ(s.Column(), c.column) << c.text;
        EXPECT_EQ(grid.qsorts, c.qsorts) << c.text;
        EXPECT_EQ(grid.qsortsIndexed, c.indexedSorts) << c.text;
        EXPECT_EQ(grid.sortIndexes.SaveToString(), c.indexes) << c.text;
    }
}

TEST(SortSettings, SaveToStringRoundTrips)
{
    FakeSettingsHost grid;
    TSortSettings s(&grid);
    s.SetColumn(3);
    EXPECT_EQ(s.SaveToString(), QStringLiteral("u3"));
    s.SetDirection(sdDescending);
    s.SetColumn(12);
    EXPECT_EQ(s.SaveToString(), QStringLiteral("d12"));

    TSortSettings back(&grid);
    back.LoadFromString(s.SaveToString());
    EXPECT_EQ(back.Column(), 12);
    EXPECT_EQ(back.Direction(), sdDescending);
    EXPECT_TRUE(back.Show());

    grid.sortIndexes.LoadFromString(QStringLiteral("u2;d5"));
    s.SetIndexShow(true);
    const QString saved = s.SaveToString();
    EXPECT_EQ(saved, QStringLiteral("i;u2;d5"));
    FakeSettingsHost other;
    TSortSettings again(&other);
    again.LoadFromString(saved);
    EXPECT_TRUE(again.IndexShow());
    EXPECT_EQ(other.sortIndexes.SaveToString(), QStringLiteral("u2;d5"));
    EXPECT_EQ(other.qsortsIndexed, 1);
}

TEST(SortSettings, SettersRepaintWhatTheyShow)
{
    FakeSettingsHost grid;
    grid.fixedRows = 2;
    TSortSettings s(&grid);
    s.SetShow(false);
    EXPECT_EQ(grid.repaints, 0);
    s.SetShow(true);
    EXPECT_EQ(grid.repaints, 1);
    s.SetHeaderColor(clNone); // unchanged
    EXPECT_TRUE(grid.repaintedRows.empty());
    s.SetHeaderColor(clRed);
    s.SetHeaderColorTo(clBlue);
    s.SetHeaderMirrorColor(clLime);
    s.SetHeaderMirrorColorTo(clYellow);
    EXPECT_EQ(grid.repaintedRows, (std::vector<int>{1, 1, 1, 1})); // the last fixed row
    grid.fixedRows = 0;
    s.SetHeaderColor(clBlack);
    EXPECT_EQ(grid.repaintedRows.size(), 4u); // no fixed row to repaint
    EXPECT_EQ(s.HeaderColor(), clBlack);
}

TEST(SortSettings, RowMustBeAFixedRow)
{
    FakeSettingsHost grid;
    grid.fixedRows = 2;
    TSortSettings s(&grid);
    s.SetRow(1);
    EXPECT_EQ(s.Row(), 1);
    try {
        s.SetRow(2);
        ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(s.Row(), 1);
}

TEST(SortSettings, RemoveToggleAndAssign)
{
    FakeSettingsHost grid;
    grid.sortIndexes.LoadFromString(QStringLiteral("u1;d2"));
    TSortSettings s(&grid);
    s.SetColumn(4);
    s.Remove();
    EXPECT_EQ(s.Column(), -1);
    EXPECT_EQ(grid.sortIndexes.Count(), 0);
    EXPECT_EQ(grid.repaintedRows, std::vector<int>{0});
    s.ToggleDirection();
    EXPECT_EQ(s.Direction(), sdDescending);
    s.ToggleDirection();
    EXPECT_EQ(s.Direction(), sdAscending);

    TSortSettings a;
    QImage glyph(2, 2, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    a.SetAutoSortForGrouping(false);
    a.SetAutoColumnMerge(true);
    a.SetColumn(5);
    a.SetShow(true);
    a.SetIndexShow(true);
    a.SetIndexColor(clRed);
    a.SetFull(false);
    a.SetSingleColumn(true);
    a.SetIgnoreBlanks(true);
    a.SetBlankPos(blLast);
    a.SetAutoFormat(false);
    a.SetDirection(sdDescending);
    a.SetUpGlyph(glyph);
    a.SetIndexDownGlyph(glyph);
    a.SetIndexSortKey(ikCtrl);
    a.SetInitSortDirection(sdDescending);
    a.SetFixedCols(true);
    a.SetNormalCellsOnly(true);
    a.SetUndoSort(true);
    a.SetHeaderColor(1);
    a.SetHeaderColorTo(2);
    a.SetHeaderMirrorColor(3);
    a.SetHeaderMirrorColorTo(4);
    a.SetSortOnVirtualCells(false); // not copied
    a.SetIgnoreCase(true);          // not copied
    TSortSettings b(&grid);
    grid.repaints = 0;
    b.Assign(a);
    EXPECT_EQ(grid.repaints, 0);
    EXPECT_FALSE(b.AutoSortForGrouping());
    EXPECT_TRUE(b.AutoColumnMerge());
    EXPECT_EQ(b.Column(), 5);
    EXPECT_TRUE(b.Show());
    EXPECT_TRUE(b.IndexShow());
    EXPECT_EQ(b.IndexColor(), clRed);
    EXPECT_FALSE(b.Full());
    EXPECT_TRUE(b.SingleColumn());
    EXPECT_TRUE(b.IgnoreBlanks());
    EXPECT_EQ(b.BlankPos(), blLast);
    EXPECT_FALSE(b.AutoFormat());
    EXPECT_EQ(b.Direction(), sdDescending);
    EXPECT_EQ(b.UpGlyph(), glyph);
    EXPECT_EQ(b.IndexDownGlyph(), glyph);
    EXPECT_EQ(b.IndexSortKey(), ikCtrl);
    EXPECT_EQ(b.InitSortDirection(), sdDescending);
    EXPECT_TRUE(b.FixedCols());
    EXPECT_TRUE(b.NormalCellsOnly());
    EXPECT_TRUE(b.UndoSort());
    EXPECT_EQ(b.HeaderColor(), 1u);
    EXPECT_EQ(b.HeaderColorTo(), 2u);
    EXPECT_EQ(b.HeaderMirrorColor(), 3u);
    EXPECT_EQ(b.HeaderMirrorColorTo(), 4u);
    EXPECT_TRUE(b.SortOnVirtualCells());
    EXPECT_FALSE(b.IgnoreCase());
}
