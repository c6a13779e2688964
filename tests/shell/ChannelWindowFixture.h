#pragma once
// The channel table window over a program folder with a catalog and one open configuration.
#include "grid/NovaColumnGrid.h"
#include "iolink/ChannelFixture.h"
#include "iolink/UIO_Link_Set_Access.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QTabWidget>

class ChannelWindowTest : public ChannelTest {
public:
    void SetUp() override
    {
        ChannelTest::SetUp();
        w = std::make_unique<TFIO_Link_Set_Access>();
        w->Choose_Catalog_File = [this]() -> std::optional<QString> {
            ++catalogShown;
            return chosen;
        };
    }
    void TearDown() override { w.reset(); }

    // Shows the window as Step 3 does (without entering its loop); message boxes are answered.
    bool show()
    {
        testsupport::ModalResponder responder;
        const bool shown = w->FormShow();
        boxes << responder.texts();
        return shown;
    }
    // Chooses a catalog file for a grid row the way a double click does.
    void choose(int row, const QString &file)
    {
        chosen = file;
        testsupport::ModalResponder responder;
        w->NCG_IODD->SetRow(row);
        w->NCG_IODDDblClickCell(row, 0);
        boxes << responder.texts();
    }
    // Presses OK; true when the window would close.
    bool ok(testsupport::ModalResponder &responder)
    {
        const bool closes = w->OK_Check();
        boxes << responder.texts();
        return closes;
    }
    QStringList column(TNovaStringGrid *g, int col) const
    {
        QStringList out;
        for (int r = 1; r < g->RowCount(); ++r) out << g->Cells(col, r);
        return out;
    }
    QStringList rowOf(TNovaStringGrid *g, int row, int from, int to) const
    {
        QStringList out;
        for (int c = from; c <= to; ++c) out << g->Cells(c, row);
        return out;
    }
    bool tabShown(QTabWidget *tabs, QWidget *page) const { return tabs->isTabVisible(tabs->indexOf(page)); }

    std::unique_ptr<TFIO_Link_Set_Access> w;
    std::optional<QString> chosen;
    int catalogShown = 0;
    QStringList boxes;
};
