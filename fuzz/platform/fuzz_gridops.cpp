// Drives a base grid through counts, fixed areas, merges, splits, keys, scrolling, moves and
// painting in any order; checks that the current cell stays inside the grid.
#include "grid/base/BaseGrid.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
QApplication *g_app = nullptr;

void check(bool ok)
{
    if (!ok)
        std::abort();
}
} // namespace

// The font library keeps its caches until the process ends.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_app = new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    auto grid = std::make_unique<TBaseGrid>();
    TBaseGrid &g = *grid;
    g.resize(300, 200);
    size_t i = 0;
    auto byte = [&]() -> int { return i < size ? data[i++] : 0; };
    static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                               Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Tab};
    QImage img(300, 200, QImage::Format_RGB32);
    while (i < size) {
        switch (byte() % 14) {
        case 0: g.SetColCount(byte() % 30); break;
        case 1: g.SetRowCount(byte() * 4 % 300); break;
        case 2: g.SetFixedCols(byte() % 4); break;
        case 3: g.SetFixedRows(byte() % 4); break;
        case 4: {
            const int c = byte() % std::max(1, g.ColCount()), r = byte() % std::max(1, g.RowCount());
            const int sx = 1 + byte() % 4, sy = 1 + byte() % 4;
            if (c + sx <= g.ColCount() && r + sy <= g.RowCount())
                g.MergeCells(c, r, sx, sy);
            break;
        }
        case 5: {
            const int c = byte() % std::max(1, g.ColCount()), r = byte() % std::max(1, g.RowCount());
            g.SplitCells(c, r);
            break;
        }
        case 6: {
            // Mostly near the grid, sometimes at the very last rows there are.
            const int c = byte() % 40, r = (byte() & 1) ? byte() % 40 : INT_MAX - byte() % 4;
            g.SetCells(c, r, QString(byte() % 5, QLatin1Char('x')));
            if (byte() & 1)
                g.GetCellProperties(c, r);
            break;
        }
        case 7: {
            int key = keys[byte() % 9];
            g.KeyDown(key, (byte() & 1) ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        }
        case 8: g.SetTopRow(byte() * 2); break;
        case 9: g.SetLeftCol(byte() % 30); break;
        case 10: g.FocusCell(byte() % 30, byte() % 300, byte() & 1); break;
        case 11: g.MoveColRow(byte() & 1, byte() % 30, byte() % 30); break;
        case 12: g.SetHideLastRow(byte() & 1); break;
        default: {
            QPainter p(&img);
            g.PaintTo(p);
            break;
        }
        }
        check(g.Col() >= 0 && g.Col() < g.ColCount());
        check(g.Row() >= 0 && g.Row() < g.RowCount());
        (void)g.Cells(g.Col(), g.Row());
        (void)g.CellRect(g.Col(), g.Row());
    }
    return 0;
}
