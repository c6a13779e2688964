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
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

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
    QString file(const char *name) const { return dir.filePath(QLatin1String(name)); }
    static QByteArray fixture(const char *name)
    {
        return testsupport::readAll(testsupport::dataDir() + QStringLiteral("/protocols/") + QLatin1String(name));
    }

    QTemporaryDir dir;
};
