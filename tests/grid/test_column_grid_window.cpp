// A column grid in a real window, as the channel table uses one: a text column, a combo column, a
// data check box column and a read-only column, clicked and typed into. With COLGRID_SHOTS set the
// window is grabbed after each step into /tmp (run under xvfb-run with QT_QPA_PLATFORM=xcb).
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

#include "grid/GridEditorControls.h"
#include "grid/NovaColumnGrid.h"
#include "grid/NovaInplaceEdit.h"
#include "support/LocaleSettings.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

void shot(QWidget *w, const char *name)
{
    if (!qEnvironmentVariableIsSet("COLGRID_SHOTS"))
        return;
    QApplication::processEvents();
    QPixmap pm = w->grab();
    if (QScreen *s = QGuiApplication::primaryScreen(); s && QGuiApplication::platformName() == QLatin1String("xcb"))
        pm = s->grabWindow(0, w->x(), w->y(), w->width(), w->height());
    pm.save(QStringLiteral("/tmp/colgrid_window_%1.png").arg(QString::fromLatin1(name)));
}

QWidget *focused()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w : QApplication::activeWindow();
}

void key(int k) { QTest::keyClick(focused(), Qt::Key(k)); }

void type(const QString &s)
{
    for (QChar c : s)
        QTest::keyClick(focused(), c.toLatin1());
}

TEST(ColumnGridWindow, TextComboCheckBoxAndReadOnlyColumnsClickedAndTypedInto)
{
    platform::ScopedFormatSettings fs(testsupport::usSettings());
    auto grid = std::make_unique<TNovaColumnGrid>();
    grid->SetColCount(5);
    grid->SetRowCount(6);
    TGridOptions o = grid->Options();
    o.Include(goEditing);
    grid->SetOptions(o);
    const char *headers[] = {"#", "Name", "Mode", "Enable", "Type"};
    const int widths[] = {30, 120, 100, 70, 100};
    for (int i = 0; i < 5; ++i) {
        grid->Columns()->Items(i)->SetHeader(QString::fromLatin1(headers[i]));
        grid->Columns()->Items(i)->SetWidth(widths[i]);
    }
    TGridColumnItem *mode = grid->Columns()->Items(2);
    mode->SetEditor(edComboList);
    mode->SetComboItems({QStringLiteral("Read"), QStringLiteral("Write"), QStringLiteral("Read/Write")});
    grid->Columns()->Items(3)->SetEditor(edDataCheckBox);
    grid->Columns()->Items(3)->SetAlignment(taCenter);
    TGridColumnItem *typeCol = grid->Columns()->Items(4);
    typeCol->SetReadOnly(true);
    typeCol->SetColor(TColor(0x00E0E0E0));
    for (int r = 1; r < 6; ++r) {
        grid->SetCells(0, r, QString::number(r));
        grid->SetCells(3, r, QStringLiteral("N"));
        grid->SetCells(4, r, QStringLiteral("UInt16"));
    }
    int checkChanges = 0;
    grid->OnCheckBoxChange = [&](QObject *, int, int, bool) { ++checkChanges; };
    grid->resize(440, 180);
    grid->move(40, 40);
    grid->show();
    QApplication::setActiveWindow(grid.get());
    grid->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
    EXPECT_EQ(grid->Cells(3, 0), QStringLiteral("Enable"));

    auto clickCell = [&](int c, int r) {
        const TRect R = grid->CellRect(c, r);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
        QApplication::processEvents();
    };

    // Text column: typed into.
    clickCell(1, 1);
    type(QStringLiteral("Sensor"));
    shot(grid.get(), "1_typing");
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("Sensor"));

    // Combo column: exactly the column's choices.
    clickCell(2, 1);
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->Combo()->isVisible());
    EXPECT_EQ(grid->Combo()->count(), 3);
    key(Qt::Key_Down);
    shot(grid.get(), "2_combo");
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("Write"));

    // Check box column: a click stores the column's checked text.
    clickCell(3, 2);
    EXPECT_EQ(grid->Cells(3, 2), QStringLiteral("Y"));
    EXPECT_EQ(checkChanges, 1);
    shot(grid.get(), "3_checked");

    // Read-only column: nothing typed arrives.
    clickCell(4, 3);
    type(QStringLiteral("x"));
    key(Qt::Key_Return);
    EXPECT_EQ(grid->Cells(4, 3), QStringLiteral("UInt16"));
    EXPECT_FALSE(grid->EditMode());
    shot(grid.get(), "4_readonly");
}

} // namespace
