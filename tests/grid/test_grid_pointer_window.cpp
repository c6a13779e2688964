// A string grid in a real window with the pointer over it: a hovered row, a header dragged onto
// another column (drag button and drop arrows showing), a cell edited with the focus frame on,
// the selection's resize handle dragged, anchor and comment hints, and the rich-text editor. With POINTER_SHOTS set the screen is grabbed after each step into /tmp (run under
// xvfb-run with QT_QPA_PLATFORM=xcb, where the pop-up windows show on the screen).
#include "grid/FixedCellEditors.h"
#include "grid/HtmlHintWindow.h"
#include "grid/NovaGrid.h"
#include "grid/NovaRichEdit.h"
#include "grid/base/MarkupRenderer.h"
#include "support/XTest.h"

#include <QApplication>
#include <QHelpEvent>
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

namespace {

class HintGrid : public TNovaStringGrid {
public:
    using TNovaStringGrid::TNovaStringGrid;
    // A point over the anchor named, found as the grid hit-tests.
    QPoint pointOn(int ACol, int ARow, const QString &anchor)
    {
        const TRect r = CellRect(ACol, ARow);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                TMarkupDrawResult res;
                if (hitTestCellMarkup(ACol, ARow, x, y, res) && res.hitAnchor == anchor)
                    return {x, y};
            }
        return {-1, -1};
    }
};

void toolTipAt(TNovaStringGrid &g, QPoint p)
{
    QHelpEvent e(QEvent::ToolTip, p, g.viewport()->mapToGlobal(p));
    QApplication::sendEvent(g.viewport(), &e);
}

} // namespace

TEST(GridPointerWindow, ResizeHandleHintsAndRichEditor)
{
    QWidget form;
    form.setWindowTitle(QStringLiteral("Grid"));
    form.resize(560, 300);
    form.move(60, 60);
    HintGrid g(&form);
    g.setGeometry(10, 10, 540, 280);
    g.SetColCount(4);
    g.SetRowCount(9);
    g.SetColWidths(1, 80);
    g.SetColWidths(2, 200);
    g.SetColWidths(3, 170);
    const char *headers[] = {"#", "Value", "Notes", "Links"};
    for (int c = 0; c < 4; ++c)
        g.SetCells(c, 0, QString::fromLatin1(headers[c]));
    for (int r = 1; r < 9; ++r)
        g.SetCells(0, r, QString::number(r));
    g.SetCells(1, 1, QStringLiteral("10"));
    g.SetCells(1, 2, QStringLiteral("20"));
    g.SetRowHeights(2, 44);
    g.SetCells(2, 2, QString::fromLatin1(R"({\rtf1{\fonttbl{\f0 DejaVu Sans;}}{\colortbl ;\red200\green0\blue0;})"
                                         R"(\f0\fs20 Flow in m\super 3\nosupersub /h, \b \cf1 alarm\cf0\b0 })"));
    g.SetCells(3, 1, QStringLiteral("See <A HREF=\"https://example.com\" TITLE=\"Open the manual\">manual</A>"));
    g.AddComment(3, 4, QStringLiteral("Checked on site"));
    g.SetCells(3, 4, QStringLiteral("commented"));
    g.SetOptions(g.Options().Include(goRangeSelect).Include(goEditing));
    g.SetSelectionRectangle(true);
    g.SetSelectionResizer(true);
    g.SetAnchorHint(true);
    g.Navigation()->SetAllowSmartClipboard(true);
    g.OnGetEditorType = [](QObject *, int c, int, TEditorType &e) {
        if (c == 2)
            e = edRichEdit;
    };
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    g.SetSelection(TGridRect{1, 1, 1, 2});
    const TRect R = g.CellRect(1, 2);
    const QPoint handle(R.Right - 2, R.Bottom - 2);
    QTest::mouseMove(g.viewport(), handle);
    // On an X server the move arrives through the server, a moment later.
    XTest::waitFor([&] { return g.SelectCursorId() == 8012; }, 1000);
    EXPECT_EQ(g.SelectCursorId(), 8012);
    shot(&form, "resize_handle");
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, handle);
    QTest::mouseMove(g.viewport(), centre(g, 1, 4));
    QTest::mouseMove(g.viewport(), centre(g, 1, 6));
    shot(&form, "resize_drag");
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, centre(g, 1, 6));
    EXPECT_EQ(g.Cells(1, 6), QStringLiteral("60"));
    shot(&form, "resize_done");

    const QPoint link = g.pointOn(3, 1, QStringLiteral("https://example.com"));
    ASSERT_GE(link.x(), 0);
    QTest::mouseMove(g.viewport(), link);
    toolTipAt(g, link);
    ASSERT_NE(g.CellHintWindow(), nullptr);
    EXPECT_TRUE(g.CellHintWindow()->isVisible());
    shot(&form, "anchor_hint");
    QTest::mouseMove(g.viewport(), centre(g, 3, 4));
    toolTipAt(g, centre(g, 3, 4));
    EXPECT_EQ(g.CellHintWindow()->Caption(), QStringLiteral("Checked on site"));
    shot(&form, "comment_hint");
    g.CellHintWindow()->hide();

    g.FocusCell(2, 2, true);
    g.setFocus();
    QTest::keyClick(&g, Qt::Key_F2);
    QApplication::processEvents();
    ASSERT_TRUE(g.InplaceRichEdit()->isVisible());
    shot(&form, "rich_editor");
    g.setFocus();
    g.HideInplaceEdit();
}
