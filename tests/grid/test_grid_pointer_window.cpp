// A string grid in a real window with the pointer over it: a hovered row, a header dragged onto
// another column (drag button and drop arrows showing), and a cell edited with the focus frame
// on. With POINTER_SHOTS set the screen is grabbed after each step into /tmp (run under
// xvfb-run with QT_QPA_PLATFORM=xcb, where the pop-up windows show on the screen).
#include "grid/FixedCellEditors.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void shot(QWidget *w, const char *name)
{
    if (!qEnvironmentVariableIsSet("POINTER_SHOTS"))
        return;
    QApplication::processEvents();
    QTest::qWait(100);
    QPixmap pm = w->grab();
    if (QScreen *s = QGuiApplication::primaryScreen(); s && QGuiApplication::platformName() == QLatin1String("xcb"))
        pm = s->grabWindow(0, w->x() - 20, w->y() - 20, w->width() + 40, w->height() + 40);
    pm.save(QStringLiteral("/tmp/pointer_window_%1.png").arg(QString::fromLatin1(name)));
}

QPoint centre(TNovaStringGrid &g, int c, int r)
{
    const TRect R = g.CellRect(c, r);
    return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

} // namespace

TEST(GridPointerWindow, HoveredRowHeaderDragAndFocusFrame)
{
    QWidget form;
    form.setWindowTitle(QStringLiteral("Grid"));
    form.resize(520, 260);
    form.move(60, 60);
    TNovaStringGrid g(&form);
    g.setGeometry(10, 10, 500, 240);
    g.SetColCount(6);
    g.SetRowCount(9);
    const char *headers[] = {"#", "Name", "Address", "Type", "Length", "Unit"};
    for (int c = 0; c < 6; ++c) {
        g.SetCells(c, 0, QString::fromLatin1(headers[c]));
        for (int r = 1; r < 9; ++r)
            g.SetCells(c, r, c == 0 ? QString::number(r) : QStringLiteral("%1 %2").arg(QLatin1String(headers[c])).arg(r));
    }
    g.SetOptions(g.Options().Include(goColMoving).Include(goEditing));
    g.DragDropSettings()->SetShowCells(false);
    g.SetHoverRow(true);
    g.SetHoverRowColor(TColor(0xC0FFFF));
    g.FocusHelper()->SetEnabled(true);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QTest::mouseMove(g.viewport(), centre(g, 2, 4));
    QTest::qWait(50); // on a real screen the pointer's move arrives through the window system
    EXPECT_EQ(g.HoverRowIndex(), 4);
    shot(&form, "hover");

    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, centre(g, 2, 0));
    QTest::mouseMove(g.viewport(), centre(g, 3, 0));
    QTest::mouseMove(g.viewport(), centre(g, 4, 0));
    QTest::mouseMove(g.viewport(), centre(g, 4, 0) + QPoint(4, 6));
    EXPECT_TRUE(g.MoveButton()->isVisible());
    EXPECT_TRUE(g.MoveArrow(arrUp)->isVisible());
    shot(&form, "drag");
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, centre(g, 4, 0) + QPoint(4, 6));
    EXPECT_EQ(g.Cells(4, 0), QStringLiteral("Address"));
    shot(&form, "dropped");

    g.FocusCell(2, 3, true);
    g.ShowInplaceEdit();
    ASSERT_NE(g.FocusWindow(), nullptr);
    EXPECT_TRUE(g.FocusWindow()->isVisible());
    shot(&form, "focus");
    g.HideInplaceEdit();
}
