// The channel table in a real X11 window, its keys and clicks coming through the X server (run as
// shell_test_channel_window_keys_x11 under xvfb-run; on the offscreen platform it skips itself).
// Return pressed anywhere but on OK and Cancel never closes the table nor writes its file: in every
// grid, tab and button, and right after the catalog closed, with a choice or without one.
#include "ChannelWindowFixture.h"
#include "iolink/UIOLink_IODD_Catalog.h"
#include "support/XTest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QFileInfo>
#include <QTabBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {

// Runs an action once when a window shows up (polling, as the windows are modal and run their own
// loop): the catalog, or the message box that is the active modal window.
class WhenShown : public QObject {
public:
    WhenShown(std::function<QWidget *()> find, std::function<void(QWidget *)> action)
        : m_find(std::move(find)), m_action(std::move(action))
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *target = m_find();
            if (!target || !target->isVisible() || QApplication::activeModalWidget() != target) return;
            m_timer.stop();
            ++seen;
            m_action(target);
        });
        m_timer.start();
    }
    int seen = 0;

private:
    QTimer m_timer;
    std::function<QWidget *()> m_find;
    std::function<void(QWidget *)> m_action;
};

class ChannelWindowKeys : public ChannelWindowTest {
public:
    void SetUp() override
    {
        ChannelWindowTest::SetUp();
        if (const char *why = xPointerMissing(x))
            GTEST_SKIP() << why;
        catalogWindow = std::make_unique<TFIOLink_IODD_Catalog>();
        // The table asks the real catalog, as the program does.
        w->Choose_Catalog_File = [this]() -> std::optional<QString> {
            if (catalogWindow->exec() != QDialog::Accepted) return std::nullopt;
            return catalogWindow->Selected_File();
        };
        parGen(Get_Device_Code() + "-A1-2A-2B");
        IoddRecipe recipe;
        recipe.pdIn = kU16;
        recipe.pdInBits = 16;
        recipe.pdOut = kU16;
        recipe.pdOutBits = 16;
        recipe.ownEvents = 2;
        recipe.variables = "<Variable id=\"V_U8\" index=\"64\" accessRights=\"rw\"><Datatype xsi:type=\"UIntegerT\" "
                           "bitLength=\"8\"/><Name textId=\"T_Var\"/></Variable>";
        catalog("dev.xml", recipe);
        catalog("other.xml", recipe);
        // A saved table with one port mapped.
        ASSERT_TRUE(show());
        ASSERT_TRUE(w->Table.Assign_IODD(0, "dev.xml"));
        ASSERT_TRUE(w->OK_Check());
        saved = testsupport::readAll(IOLink_SetAccess_File);
        ASSERT_FALSE(saved.isEmpty());
        savedTime = QFileInfo(IOLink_SetAccess_File).lastModified();

        ASSERT_TRUE(show());
        w->setResult(0);
        w->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        // Without a window manager a click activates the window.
        clickCell(w->NCG_IODD, 0, 1);
        ASSERT_TRUE(XTest::waitFor([this] { return QApplication::activeWindow() == w.get(); }));
    }
    void TearDown() override
    {
        if (w) w->hide();
        ChannelWindowTest::TearDown();
        catalogWindow.reset();
    }

    QPoint cellCentre(TNovaStringGrid *g, int c, int r) const
    {
        const QRect cell = g->CellRect(c, r).ToQRect();
        return g->viewport()->mapToGlobal(cell.center());
    }
    // One click; a second one on the same place waits out the double-click time, so that two
    // clicks never make a double click by chance.
    void clickCell(TNovaStringGrid *g, int c, int r)
    {
        const QPoint at = cellCentre(g, c, r);
        if ((at - lastClick).manhattanLength() < 8 && sinceClick.isValid())
            x.settle(std::max<qint64>(0, QApplication::doubleClickInterval() + 100 - sinceClick.elapsed()));
        x.moveTo(at);
        x.click(1);
        lastClick = at;
        sinceClick.start();
    }
    // Return pressed and released with the focus where it is: the table stays, its file untouched.
    void returnLeavesTheTable(const std::string &where)
    {
        x.key(XTest::kReturn);
        x.settle(150);
        EXPECT_TRUE(w->isVisible()) << where;
        EXPECT_NE(w->result(), int(QDialog::Accepted)) << where;
        EXPECT_EQ(testsupport::readAll(IOLink_SetAccess_File), saved) << where;
        EXPECT_EQ(QFileInfo(IOLink_SetAccess_File).lastModified(), savedTime) << where;
    }
    void focus(QWidget *widget)
    {
        // After a modal window the table comes back active a moment later; a click on its title
        // panel (which does nothing else) activates it when it does not.
        QWidget *window = widget->window();
        if (!XTest::waitFor([window] { return QApplication::activeWindow() == window; }, 1000)) {
            x.moveTo(w->P_Title->mapToGlobal(QPoint(400, 30)));
            x.click(1);
        }
        widget->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(XTest::waitFor([widget] { return widget->hasFocus(); })) << widget->objectName().toStdString();
    }

    XTest x;
    QPoint lastClick;
    QElapsedTimer sinceClick;
    std::unique_ptr<TFIOLink_IODD_Catalog> catalogWindow;
    QByteArray saved;
    QDateTime savedTime;
};

} // namespace

TEST_F(ChannelWindowKeys, ReturnInEveryGridTabAndButtonLeavesTheTableOpen)
{
    // Channel grid, Pin 4 Mode cell selected.
    clickCell(w->NCG_IODD, 1, 1);
    returnLeavesTheTable("Pin 4 Mode cell");
    clickCell(w->NCG_IODD, 6, 1);
    returnLeavesTheTable("TimeOut cell");

    const struct {
        QWidget *page;
        TNovaStringGrid *grid;
        const char *name;
    } tabs[] = {
        {w->TS_ProcessData, w->NCG_ProcessDataIn, "process data in"},
        {w->TS_ProcessData, w->NCG_ProcessDataOut, "process data out"},
        {w->TS_Variables, w->NSG_Var, "variables"},
        {w->TS_IO_Options, w->NCG_IO_Options, "I/O options"},
        {w->TS_Events, w->NCG_Events, "events"},
        {w->TS_DeviceIdentity, w->NCG_DevIde_DevVarColl, "variants"},
    };
    for (const auto &t : tabs) {
        w->PC_Device->setCurrentWidget(t.page);
        if (t.grid == w->NCG_ProcessDataOut) w->PC_ProcessData->setCurrentWidget(w->TS_PD_Out);
        if (t.grid == w->NCG_ProcessDataIn) w->PC_ProcessData->setCurrentWidget(w->TS_PD_In);
        x.settle();
        if (t.grid->isVisible()) {
            clickCell(t.grid, std::min(1, t.grid->ColCount() - 1), std::min(1, t.grid->RowCount() - 1));
            focus(t.grid);
            returnLeavesTheTable(std::string(t.name) + " grid");
        }
        focus(w->PC_Device->tabBar());
        returnLeavesTheTable(std::string(t.name) + " tab");
    }
    w->PC_Device->setCurrentWidget(w->TS_ProcessData);
    focus(w->PC_ProcessData->tabBar());
    returnLeavesTheTable("process data tabs");
    focus(w->CB_PD_ConditionList);
    returnLeavesTheTable("condition list");

    // The buttons beside OK and Cancel: their own action runs and is left without a change.
    {
        WhenShown catalogShown([this] { return catalogWindow.get(); }, [](QWidget *d) { static_cast<QDialog *>(d)->reject(); });
        focus(w->Btn_InsIODD);
        returnLeavesTheTable("Insert IODD");
        EXPECT_EQ(catalogShown.seen, 1) << "the catalog was shown";
    }
    {
        WhenShown question([] { return qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); },
                           [](QWidget *box) { static_cast<QMessageBox *>(box)->button(QMessageBox::No)->click(); });
        w->NCG_IODD->SetRow(1);
        focus(w->Btn_DelIODD);
        returnLeavesTheTable("Delete IODD");
        EXPECT_EQ(question.seen, 1) << "the question was asked";
        EXPECT_EQ(w->Table.Channels[0].IODD_File, "dev.xml");
    }
}

TEST_F(ChannelWindowKeys, ReturnRightAfterTheCatalogClosesLeavesTheTableOpen)
{
    auto catalogRow = [this](const QString &file) {
        for (int r = 1; r < catalogWindow->NSG_IODD_Cat->RowCount(); ++r)
            if (catalogWindow->NSG_IODD_Cat->Cells(2, r) == file) return r;
        return -1;
    };
    struct Way {
        const char *name;
        std::function<void()> close;  // runs with the catalog shown
        const char *assigned;         // the file of port 1 afterwards
    };
    const Way ways[] = {
        {"chosen with Return on OK",
         [&] {
             clickCell(catalogWindow->NSG_IODD_Cat, 0, catalogRow("other.xml"));
             focus(catalogWindow->Btn_OK);
             x.key(XTest::kReturn);
         },
         "other.xml"},
        {"chosen with a double click",
         [&] {
             x.moveTo(cellCentre(catalogWindow->NSG_IODD_Cat, 0, catalogRow("dev.xml")));
             x.doubleClick(1);
         },
         "dev.xml"},
        {"cancelled with a click on Cancel",
         [&] {
             x.moveTo(catalogWindow->Btn_Cancel->mapToGlobal(catalogWindow->Btn_Cancel->rect().center()));
             x.click(1);
         },
         "dev.xml"},
        {"cancelled with Return on Cancel",
         [&] {
             focus(catalogWindow->Btn_Cancel);
             x.key(XTest::kReturn);
         },
         "dev.xml"},
    };
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        // A double click on the Pin 4 Mode cell of the first port: it selects the cell, opens the
        // cell's list, which holds the focus while the catalog shows, and opens the catalog.
        clickCell(w->NCG_IODD, 0, 1);
        x.settle(QApplication::doubleClickInterval() + 100);
        QPointer<QWidget> focusWhenShown;
        WhenShown catalogShown([this] { return catalogWindow.get(); }, [&](QWidget *d) {
            focusWhenShown = w->focusWidget();
            EXPECT_TRUE(XTest::waitFor([&] { return QApplication::activeWindow() == d; })) << "catalog active";
            way.close();
        });
        // A catalog left open would hold the test in its loop.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            if (catalogWindow->isVisible()) {
                ADD_FAILURE() << "the catalog did not close";
                catalogWindow->reject();
            }
        });
        watchdog.start(8000);
        x.moveTo(cellCentre(w->NCG_IODD, 1, 1));
        x.doubleClick(1);
        ASSERT_TRUE(XTest::waitFor([&] { return catalogShown.seen == 1 && !catalogWindow->isVisible(); }, 5000));
        EXPECT_EQ(w->Table.Channels[0].IODD_File, QString::fromLatin1(way.assigned));
        EXPECT_TRUE(focusWhenShown && w->NCG_IODD->isAncestorOf(focusWhenShown)) << "the cell's list had the focus";
        // The list closed while the catalog was the active window: the grid keeps the focus, which
        // is not passed on along the window's tab chain (to the tab bar here; from the chain's last
        // widget it would wrap round to OK). Without a window manager the table is not made active
        // again, but a key still goes to the widget that holds its focus.
        x.settle(150);
        EXPECT_EQ(w->focusWidget(), w->NCG_IODD) << (w->focusWidget() ? w->focusWidget()->metaObject()->className() : "none");
        // Return at once, wherever the focus went.
        returnLeavesTheTable(std::string(way.name) + ", then Return");
        returnLeavesTheTable(std::string(way.name) + ", then Return again");
    }
}

