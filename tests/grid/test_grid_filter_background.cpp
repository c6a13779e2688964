#include "FakeSettingsHost.h"
#include "grid/BackGround.h"
#include "grid/GridFilter.h"

#include <gtest/gtest.h>

TEST(GridFilter, ConditionDefaultsAndAssign)
{
    TFilterData d;
    EXPECT_EQ(d.Column(), 0);
    EXPECT_TRUE(d.Condition().isEmpty());
    EXPECT_TRUE(d.CaseSensitive());
    EXPECT_EQ(d.Data(), fcVirtual);
    EXPECT_EQ(d.Operation(), foSHORT);
    EXPECT_EQ(d.Method(), fmExpression);

    TFilterData a;
    a.SetColumn(3);
    a.SetCondition(QStringLiteral(">5"));
    a.SetCaseSensitive(false);
    a.SetData(fcStripHTML);
    a.SetPrefix(QStringLiteral("$"));
    a.SetSuffix(QStringLiteral("%"));
    a.SetOperation(foOR);
    a.SetMethod(fmLiteral);
    d.Assign(a);
    EXPECT_EQ(d.Column(), 3);
    EXPECT_EQ(d.Condition(), QStringLiteral(">5"));
    EXPECT_FALSE(d.CaseSensitive());
    EXPECT_EQ(d.Data(), fcStripHTML);
    EXPECT_EQ(d.Prefix(), QStringLiteral("$"));
    EXPECT_EQ(d.Suffix(), QStringLiteral("%"));
    EXPECT_EQ(d.Operation(), foOR);
    EXPECT_EQ(d.Method(), fmExpression); // the method stays
}

TEST(GridFilter, AddJoinsConditionsAndColumnLookups)
{
    FakeSettingsHost grid;
    TFilter f(&grid);
    EXPECT_EQ(f.Add()->Operation(), foNONE);
    EXPECT_EQ(f.Add()->Operation(), foAND);
    EXPECT_EQ(f.Insert(0)->Operation(), foSHORT); // left at its initial value, at the end
    EXPECT_EQ(f.Count(), 3);
    EXPECT_EQ(f.Items(2)->Operation(), foSHORT);
    EXPECT_THROW(f.Items(3), EListError);

    f.Items(0)->SetColumn(1);
    f.Items(1)->SetColumn(2);
    f.Items(2)->SetColumn(1);
    EXPECT_TRUE(f.HasFilter(1));
    EXPECT_FALSE(f.HasFilter(4));
    EXPECT_EQ(f.GetColFilter(1), f.Items(0)); // the first of the column
    TFilterData *added = f.GetColFilter(4);   // none yet: one is added
    EXPECT_EQ(f.Count(), 4);
    EXPECT_EQ(added->Column(), 4);
    EXPECT_EQ(added->Operation(), foAND);

    f.RemoveColumnFilter(1);
    EXPECT_EQ(f.Count(), 2);
    EXPECT_FALSE(f.HasFilter(1));
    EXPECT_EQ(f.Items(0)->Column(), 2);
    EXPECT_EQ(f.Items(1)->Column(), 4);
    EXPECT_EQ(grid.repaintedCells, (std::vector<std::pair<int, int>>{{1, 0}}));

    TFilter copy;
    copy.Assign(f);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(1)->Column(), 4);
    EXPECT_NE(copy.Items(1), f.Items(1));
}

TEST(GridBackGround, DefaultsAndRepaints)
{
    FakeSettingsHost grid;
    TBackGround b(&grid);
    EXPECT_EQ(b.Top(), 0);
    EXPECT_EQ(b.Left(), 0);
    EXPECT_EQ(b.Display(), bdTile);
    EXPECT_TRUE(b.Bitmap().isNull());
    EXPECT_EQ(b.Cells(), bcNormal);
    EXPECT_EQ(b.Color(), 0xFF000005u);
    EXPECT_EQ(b.ColorTo(), 0xFF00000Fu);
    QImage bmp(2, 2, QImage::Format_RGB32);
    bmp.fill(Qt::white);
    b.SetTop(3);
    b.SetLeft(4);
    b.SetDisplay(bdGradientVert);
    b.SetBitmap(bmp);
    b.SetCells(bcAll);
    b.SetColor(clRed);
    b.SetColorTo(clBlue);
    EXPECT_EQ(grid.repaints, 7);
    EXPECT_EQ(b.Bitmap(), bmp);
    EXPECT_EQ(b.Display(), bdGradientVert);
}
