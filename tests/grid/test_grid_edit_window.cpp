// A whole editing session in a real window: type into a cell, pick from a combo list, step a spin
// editor, commit each with Enter. With GRID_EDIT_SHOTS set the window is grabbed after each step
// into /tmp (run under xvfb-run with QT_QPA_PLATFORM=xcb to see it as a user does).
#include <QAbstractItemView>
#include <QScreen>
#include <QWindow>

#include "grid_edit_support.h"

namespace {
void shot(QWidget *w, const char *name)
{
    if (!qEnvironmentVariableIsSet("GRID_EDIT_SHOTS")) return;
    QApplication::processEvents();
    QPixmap pm = w->grab();
    if (QScreen *s = QGuiApplication::primaryScreen(); s && QGuiApplication::platformName() == QLatin1String("xcb"))
        pm = s->grabWindow(0, w->x(), w->y(), w->width(), w->height());
    pm.save(QStringLiteral("/tmp/grid_edit_%1.png").arg(QString::fromLatin1(name)));
}
} // namespace

TEST_F(GridEditTest, TypePickAndStepInARealWindow)
{
    grid->SetColCount(4);
    grid->SetRowCount(6);
    grid->SetColWidths(1, 110);
    grid->SetColWidths(2, 110);
    grid->SetColWidths(3, 110);
    grid->SetCells(1, 0, QStringLiteral("Name"));
    grid->SetCells(2, 0, QStringLiteral("Colour"));
    grid->SetCells(3, 0, QStringLiteral("Count"));
    for (const char *s : {"red", "green", "blue"}) grid->AddComboString(QString::fromLatin1(s));
    grid->OnGetEditorType = [](QObject *, int c, int, TEditorType &e) {
        e = c == 2 ? edComboList : c == 3 ? edSpinEdit : edNormal;
    };
    grid->move(40, 40);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(grid.get()));

    type(QStringLiteral("Sensor"));
    shot(grid.get(), "1_typing");
    EXPECT_EQ(textEditor()->text(), QStringLiteral("Sensor"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Sensor"));

    key(Qt::Key_Right);
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->Combo()->isVisible());
    // The list drops down and "blue" is clicked in it.
    TGridCombo *combo = grid->Combo();
    key(Qt::Key_F4);
    QAbstractItemView *list = combo->view();
    QApplication::processEvents();
    ASSERT_TRUE(combo->DroppedDown());
    shot(grid.get(), "2_combo_list");
    const QRect item = list->visualRect(list->model()->index(2, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    QApplication::processEvents();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->currentText(), QStringLiteral("blue"));
    shot(grid.get(), "2_combo");
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("blue"));

    key(Qt::Key_Right);
    type(QStringLiteral("4"));
    QApplication::processEvents(); // the typed character reaches the spin editor
    ASSERT_TRUE(grid->SpinEdit()->isVisible());
    QTest::mouseClick(grid->SpinEdit()->Button()->UpButton(), Qt::LeftButton);
    QTest::mouseClick(grid->SpinEdit()->Button()->UpButton(), Qt::LeftButton);
    shot(grid.get(), "3_spin");
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(3, 1), QStringLiteral("6"));
    shot(grid.get(), "4_done");
}
