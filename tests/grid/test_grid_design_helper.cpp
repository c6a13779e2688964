// The design-time quick configuration box of the string grid: absent at run time, and under the
// designing flag (which the program never sets) its items, hit tests and repaints.
#include "grid/NovaGrid.h"
#include "platform/Colors.h"

#include <QApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

struct DesignFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.resize(400, 300);
        g.show();
        QApplication::processEvents();
    }
    // A point inside the text of an item (1 to 3) or the close glyph (4).
    QPoint itemPoint(int item)
    {
        const QRect b = g.DesignHelperRect();
        const int H = (b.height() + 1 - 18) / 4;
        switch (item) {
        case 4: return QPoint(b.right() - 6, b.top() + 6);
        case 1: return QPoint(b.left() + 24, b.top() + H + 10);
        case 2: return QPoint(b.left() + 24, b.top() + 2 * H + 12);
        default: return QPoint(b.left() + 10, b.top() + 3 * H + 13);
        }
    }
    // Whether anything of the box's colour shows in its corner.
    bool boxPainted()
    {
        const QImage img = g.viewport()->grab().toImage();
        const QRect b = g.DesignHelperRect();
        return img.pixelColor(b.left() + 60, b.bottom() - 2) == ToQColor(clInfoBk);
    }
};

TEST_F(DesignFixture, AtRunTimeTheBoxIsNeitherPaintedNorHitTested)
{
    ASSERT_TRUE(g.ShowDesignHelper());
    EXPECT_FALSE(boxPainted());
    for (int item = 1; item <= 4; ++item) {
        EXPECT_EQ(g.DesignHelperHitTest(itemPoint(item).x(), itemPoint(item).y()), -1);
        EXPECT_FALSE(g.CMDesignHitTest(itemPoint(item).x(), itemPoint(item).y()));
    }
    g.DesignHelperClickAt(itemPoint(1).x(), itemPoint(1).y());
    EXPECT_FALSE(g.Options().Contains(goEditing));
}

TEST_F(DesignFixture, WhileDesigningTheItemsAreFoundAndAct)
{
    g.SetDesigning(true);
    g.viewport()->update();
    EXPECT_TRUE(boxPainted());
    for (int item = 1; item <= 4; ++item)
        EXPECT_EQ(g.DesignHelperHitTest(itemPoint(item).x(), itemPoint(item).y()), item);
    EXPECT_EQ(g.DesignHelperHitTest(10, 10), -1);
    const bool editing = g.Options().Contains(goEditing);
    g.DesignHelperClickAt(itemPoint(1).x(), itemPoint(1).y());
    EXPECT_NE(g.Options().Contains(goEditing), editing);
    g.DesignHelperClickAt(itemPoint(2).x(), itemPoint(2).y());
    EXPECT_TRUE(g.DesignColumnNumbers());
    g.DesignHelperClickAt(itemPoint(4).x(), itemPoint(4).y());
    EXPECT_FALSE(g.ShowDesignHelper());
    EXPECT_FALSE(boxPainted());
}

TEST_F(DesignFixture, MovingWithinAnItemDoesNotRepaintMovingToAnotherDoes)
{
    g.SetDesigning(true);
    const QPoint a = itemPoint(1);
    EXPECT_TRUE(g.CMDesignHitTest(a.x(), a.y()));
    const int after = g.DesignHelperRepaints();
    EXPECT_TRUE(g.CMDesignHitTest(a.x() + 2, a.y()));
    EXPECT_EQ(g.DesignHelperRepaints(), after);
    EXPECT_TRUE(g.CMDesignHitTest(itemPoint(2).x(), itemPoint(2).y()));
    EXPECT_EQ(g.DesignHelperRepaints(), after + 1);
    EXPECT_FALSE(g.CMDesignHitTest(10, 10));
    EXPECT_EQ(g.DesignHelperRepaints(), after + 2);
}

TEST_F(DesignFixture, TheLookMenuListsTheLooksWithTheCurrentOneChecked)
{
    g.SetDesigning(true);
    g.SetLook(glVista);
    QMenu *m = g.DesignLookMenu();
    QStringList captions;
    QString checked;
    for (QAction *a : m->actions()) {
        captions << a->text();
        if (a->isChecked())
            checked = a->text();
    }
    EXPECT_EQ(captions, (QStringList{"Standard", "Soft", "Classic", "Nova", "ListView", "Office 2007", "Windows XP",
                                     "Windows Vista", "Windows 7"}));
    EXPECT_EQ(checked, "Windows Vista");
    EXPECT_EQ(m->actions().at(5)->data().toInt(), int(glOffice2007) + 1);
}

TEST_F(DesignFixture, WithTheCustomLookTheThirdLineIsTheBareCaption)
{
    g.SetDesigning(true);
    g.SetLook(glCustom);
    EXPECT_EQ(LookDisplayName(glCustom), QString());
    // The item's width is that of "Set look: " alone: a point past it is no item.
    const QPoint p = itemPoint(3);
    EXPECT_EQ(g.DesignHelperHitTest(p.x(), p.y()), 3);
    EXPECT_EQ(g.DesignHelperHitTest(g.DesignHelperRect().left() + 100, p.y()), -1);
}

} // namespace
