// The real program with the drop-down cell editors registered as its start does it: a grid of one
// of its windows opens the calculator over a cell, and the pop-up of each editor kind over a column
// grid on a virtual X screen, for a person to look at (on the offscreen platform the pictures are
// skipped; they land in /tmp).
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "dropdown/DropDownForm.h"
#include "dropdown/GridDropDownEditors.h"
#include "grid/NovaColumnGrid.h"
#include "shell/UDovavivuvFirmWare.h"

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

TNovaColumnGrid *firstColumnGrid(const TProgramWindows &windows)
{
    // One the window shows (not on a hidden page) and that is enabled.
    for (QWidget *w : windows.Windows())
        for (auto *g : w->findChildren<TNovaColumnGrid *>())
            if (g->isVisibleTo(w) && g->isEnabledTo(w)) return g;
    return nullptr;
}

// Keys through the window, as the platform delivers them.
void key(QWidget *w, int k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(w->window()->windowHandle(), Qt::Key(k), m);
}

} // namespace

TEST(ProgramEditors, AGridOfTheProgramOpensTheCalculatorOverACell)
{
    RegisterGridDropDownEditors();
    QTemporaryDir dir;
    TProgramWindows windows(dir.path());
    TNovaColumnGrid *grid = firstColumnGrid(windows);
    ASSERT_NE(grid, nullptr);
    QWidget *top = grid->window();
    top->show();
    QApplication::setActiveWindow(top);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    TGridOptions o = grid->Options();
    o.Include(goEditing);
    grid->SetOptions(o);
    const int c = grid->Columns()->Count() > 1 ? 1 : 0;
    grid->Columns()->Items(c)->SetEditor(edCalculatorDropDown);
    // The window's own choice of editors and editable cells gives way to the calculator here.
    grid->OnGetEditorType = [](QObject *, int, int, TEditorType &t) { t = edCalculatorDropDown; };
    grid->OnCanEditCell = [](QObject *, int, int, bool &can) { can = true; };
    grid->SetRowCount(std::max(grid->RowCount(), 3));
    grid->SetCells(c, 1, "12");
    grid->SetCol(c);
    grid->SetRow(1);
    grid->setFocus();
    settle();
    key(grid, Qt::Key_F2);
    settle();
    auto *e = dynamic_cast<TGridCalculatorDropDown *>(grid->ExistingDropDownEditor(edCalculatorDropDown));
    ASSERT_NE(e, nullptr) << top->objectName().toStdString();
    EXPECT_TRUE(e->isVisible());
    EXPECT_EQ(grid->EditCtrl(), e);
    EXPECT_EQ(e->GetText(), "12");
    key(grid, Qt::Key_Escape);
    settle();
    EXPECT_EQ(grid->Cells(c, 1), "12");
    top->hide();
}

TEST(ProgramEditors, PicturesOfEachEditorOpenOverAColumnGrid)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "pictures need a real X screen";
    RegisterGridDropDownEditors();
    TNovaColumnGrid grid;
    grid.resize(520, 330);
    grid.move(20, 20);
    grid.SetColCount(3);
    grid.SetRowCount(8);
    TGridOptions o = grid.Options();
    o.Include(goEditing);
    grid.SetOptions(o);
    for (int c = 0; c < 3; ++c) grid.SetColWidths(c, 150);
    TMarkupImageList images;
    images.Images.resize(4, QImage(16, 16, QImage::Format_ARGB32));
    for (int i = 0; i < 4; ++i) images.Images[i].fill(QColor::fromHsv(i * 80, 200, 220));
    grid.SetGridImages(&images);
    grid.show();
    QApplication::setActiveWindow(&grid);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    auto *detail = dynamic_cast<TGridDetailPickerDropDown *>(grid.DetailPickerDropDown());
    for (const char *t : {"Alpha", "Beta", "Bravo"}) detail->Items().Add()->SetCaption(QString::fromLatin1(t));
    auto *list = dynamic_cast<TGridGridDropDown *>(grid.GridDropDown());
    for (const char *h : {"Name", "Code"}) {
        auto *col = list->Columns().Add();
        col->SetHeader(QString::fromLatin1(h));
        col->SetWidth(90);
    }
    for (const char *t : {"Alpha", "Beta", "Bravo"}) list->Items().Add()->Text() << QString::fromLatin1(t) << "42";
    const struct {
        TEditorType kind;
        const char *text;
        const char *name;
    } rows[] = {{edTrackbarDropDown, "6", "trackbar"},
                {edMemoDropDown, "first line\nsecond line\nthird line", "memo"},
                {edCalculatorDropDown, "12.50", "calculator"},
                {edTimePickerDropDown, "13:05:09", "time"},
                {edDetailDropDown, "Beta", "detail"},
                {edGridDropDown, "Bravo", "multicolumn"},
                {edColorPickerDropDown, "Red", "colour"},
                {edImagePickerDropDown, "1", "image"}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.name);
        grid.Columns()->Items(1)->SetEditor(r.kind);
        grid.SetCells(1, 2, QString::fromLatin1(r.text));
        if (r.kind == edColorPickerDropDown) grid.SetColors(1, 2, 0x0000FF);
        if (r.kind == edImagePickerDropDown) grid.AddDataImage(1, 2, 0, haLeft, vaTop);
        grid.SetCol(1);
        grid.SetRow(2);
        grid.setFocus();
        settle();
        key(&grid, Qt::Key_F2);
        settle();
        TDropDownCellEditor *e = grid.ExistingDropDownEditor(r.kind);
        ASSERT_NE(e, nullptr);
        key(&grid, Qt::Key_Down, Qt::AltModifier);
        QTest::qWait(300);
        EXPECT_TRUE(e->DroppedDown());
        QGuiApplication::primaryScreen()->grabWindow(0).toImage().save(
            QStringLiteral("/tmp/cell_editor_%1.png").arg(QString::fromLatin1(r.name)));
        key(&grid, Qt::Key_Escape);
        settle();
        if (grid.EditCtrl() == e->Widget() && e->Widget()->isVisible()) key(&grid, Qt::Key_Escape);
        settle();
        if (r.kind == edImagePickerDropDown) grid.RemoveDataImage(1, 2);
    }
    grid.SetGridImages(nullptr);
}
