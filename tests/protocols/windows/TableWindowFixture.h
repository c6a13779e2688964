#pragma once
// A configuration folder for the table windows, and the user's hands: mouse clicks on buttons and
// cells, keys typed into cells.
#include "grid/NovaColumnGrid.h"
#include "protocols/TableTestSupport.h"
#include "protocols/UTable_Window.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>
#include <ostream>
#include <string>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// Cells of one row by real column: (column, text).
using Cells = std::vector<std::pair<int, QString>>;

struct CheckCase {
    Cells cells;         // set over the valid row
    const char *message; // the one box, nullptr: the check passes
};

inline void setCells(TNovaStringGrid &g, int row, const Cells &cells)
{
    for (const auto &[c, text] : cells) g.SetCells(c, row, text);
}

class TableWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = kSWCode;
        Project_Path = dir.path();
        Set_Files();
        Row_Clipboard.clear();
        Row_Clipboard_Check.clear();
        Opt_Enable_Jump_Field_Tables = false;
        Opt_Double_Click_Auto_Size = false;
    }
    void TearDown() override
    {
        Project_Path.clear();
        Set_Files();
        Opt_Enable_Jump_Field_Tables = false;
        Opt_Double_Click_Auto_Size = false;
    }

    // Shows the window as the main window would (the showing loads the file).
    static void open(TTable_Window &w)
    {
        w.show();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
    }
    // A mouse click on a push button; the texts of the boxes it raised.
    static QStringList click(QWidget *button, testsupport::ModalResponder &responder)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
        return responder.texts();
    }
    static QStringList click(QWidget *button)
    {
        testsupport::ModalResponder responder;
        return click(button, responder);
    }
    static QPoint cellCenter(TNovaStringGrid &g, int realCol, int row)
    {
        const TRect R = g.CellRect(g.DisplColIndex(realCol), row);
        return QPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    static void clickCell(TNovaStringGrid &g, int realCol, int row)
    {
        QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(g, realCol, row));
        QApplication::processEvents();
    }
    static QWidget *focused()
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : QApplication::activeWindow();
    }
    // Clicks the cell and types text over it, then Enter.
    static void typeInto(TNovaStringGrid &g, int realCol, int row, const QString &text)
    {
        clickCell(g, realCol, row);
        QTest::keyClick(focused(), Qt::Key_F2);
        QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(focused(), text);
        QTest::keyClick(focused(), Qt::Key_Return);
        QApplication::processEvents();
    }
    // A cell as the user leaves it: a check box cell object of a string grid ticked for "Y".
    static void putCell(TTable_Window &w, size_t grid, int col, int row, const QString &text)
    {
        const TGridDesc &d = w.Description().grids[grid];
        TNovaStringGrid &g = *w.Grids[grid];
        if (d.kind == TGridKind::StringGrid && d.columns[size_t(col)].editor == edDataCheckBox)
            g.SetCheckBoxState(col, row, text == QLatin1String("Y"));
        else
            g.SetCells(col, row, text);
    }
    static void putCells(TTable_Window &w, size_t grid, int row, const Cells &cells)
    {
        for (const auto &[c, text] : cells) putCell(w, grid, c, row, text);
    }
    // Each case over a valid row 1 of the grid (row 1 of the other grids empty but enabled): OK gives
    // exactly the case's box, or passes and closes the window.
    void runChecks(TTable_Window &w, int grid, const Cells &valid, const std::vector<CheckCase> &cases)
    {
        for (size_t i = 0; i < cases.size(); ++i) {
            const CheckCase &c = cases[i];
            showQuietly(w, i);
            for (size_t k = 0; k < w.Grids.size(); ++k) {
                const TGridDesc &d = w.Description().grids[k];
                for (int col = 1; col < int(d.columns.size()); ++col)
                    if (col != d.enableColumn) putCell(w, k, col, 1, QString());
            }
            putCells(w, size_t(grid), 1, valid);
            putCells(w, size_t(grid), 1, c.cells);
            expectOk(w, c.message, i);
        }
        w.hide();
    }
    // Shows the window unless it is shown: its saved file loads without a box.
    static void showQuietly(TTable_Window &w, size_t i)
    {
        if (w.isVisible()) return;
        testsupport::ModalResponder quiet;
        open(w);
        EXPECT_EQ(quiet.texts(), QStringList()) << "case " << i << ": the saved file loads";
    }
    // OK: exactly the one error box of message with the window kept open, or (nullptr) no box and the
    // window closed.
    static void expectOk(TTable_Window &w, const char *message, size_t i)
    {
        testsupport::ModalResponder responder;
        const QStringList boxes = click(w.Btn_OK, responder);
        if (!message) {
            EXPECT_EQ(boxes, QStringList()) << "case " << i;
            EXPECT_FALSE(w.isVisible()) << "case " << i << ": a passing OK closes the window";
            return;
        }
        EXPECT_EQ(boxes, QStringList{QString::fromUtf8(message)}) << "case " << i;
        if (!responder.boxes().isEmpty()) EXPECT_EQ(responder.boxes().front().icon, QMessageBox::Critical);
        EXPECT_TRUE(w.isVisible()) << "case " << i << ": a failing check keeps the window open";
    }
    // Draws the shown window with the grid's tab sheet active: its titles show and its last column ends
    // inside it (nothing to scroll sideways). With CFG_SCREENSHOT_DIR set the picture is kept there as
    // "<object name>_tab<grid>.png" (under a virtual X screen, the screen itself is taken).
    static void checkDrawing(TTable_Window &w, int grid)
    {
        w.move(0, 0);
        if (w.PageControl1) w.PageControl1->setCurrentIndex(grid);
        QApplication::processEvents();
        QTest::qWait(50);
        const QImage drawn = w.grab().toImage();
        TNovaStringGrid *g = w.Grids[size_t(grid)];
        const QRect title = g->geometry().translated(g->parentWidget()->mapTo(&w, QPoint()));
        int ink = 0;
        for (int x = title.left(); x < title.right(); ++x)
            if (drawn.pixelColor(x, title.top() + 11).lightness() < 80) ++ink;
        const std::string name = w.objectName().toStdString() + " tab " + std::to_string(grid);
        EXPECT_GT(ink, 50) << name << ": the titles show";
        EXPECT_LE(g->CellRect(g->ColCount() - 1, 0).Right, g->viewport()->width()) << name;
        const QString keep = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
        if (keep.isEmpty()) return;
        QImage img = drawn;
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            img = w.screen()->grabWindow(0, 0, 0, w.frameGeometry().width(), w.frameGeometry().height()).toImage();
        img.save(keep + QStringLiteral("/%1_tab%2.png").arg(w.objectName()).arg(grid));
    }
    // The hint a column's title shows, and the title itself.
    static QString titleHint(TNovaStringGrid &g, int col)
    {
        QString h;
        g.OnGridHint(&g, 0, g.DisplColIndex(col), h);
        return h;
    }
    static QString header(TNovaColumnGrid &g, int col) { return g.Columns()->Items(col)->Header(); }
    // OK while the window's file path names a folder: one error box with the reason, the folder and
    // what it holds untouched, the window still open; with the path sound again OK saves and closes.
    void checkFailedSave(TTable_Window &w, QString &path)
    {
        open(w);
        const QString sound = path;
        path = file("Folder.xml");
        ASSERT_TRUE(QDir().mkpath(path));
        testsupport::writeFile(path + QStringLiteral("/kept"), "kept");
        testsupport::ModalResponder responder;
        const QStringList boxes = click(w.Btn_OK, responder);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes.front().contains(path)) << boxes.front().toStdString();
        EXPECT_EQ(responder.boxes().front().icon, QMessageBox::Critical);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(testsupport::readAll(path + QStringLiteral("/kept")), QByteArray("kept"));
        path = sound;
        EXPECT_EQ(click(w.Btn_OK), QStringList());
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(QFileInfo(path).isFile());
        QDir(file("Folder.xml")).removeRecursively();
    }
    QString file(const char *name) const { return dir.filePath(QLatin1String(name)); }
    static QByteArray fixture(const char *name)
    {
        return testsupport::readAll(testsupport::dataDir() + QStringLiteral("/protocols/") + QLatin1String(name));
    }

    QTemporaryDir dir;
};
