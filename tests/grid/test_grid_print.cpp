// Printing and print preview: the page layout on a recording canvas at one device pixel per tenth
// of a millimetre (exact positions), the runs around it, and real PDFs read back by poppler.
#include "grid/GridPrintEngine.h"
#include "grid/CellObjects.h"
#include "grid/HtmlPrintSettings.h"
#include "grid/base/MarkupRenderer.h"
#include "grid_pictures.h"

#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>

namespace {

// A grid that records the rows it is asked to export and the pages begun.
struct PrintGrid : TNovaStringGrid {
    std::vector<QString> log;
    PrintGrid(int cols, int rows, int fixedRows = 1, int fixedCols = 0)
    {
        SetColCount(cols);
        SetRowCount(rows);
        SetFixedRows(fixedRows);
        SetFixedCols(fixedCols);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                SetCells(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        OnPrintPage = [this](QObject *, TCanvas &, int page, int, int) { log.push_back(QStringLiteral("page %1").arg(page)); };
    }
    void ExportNotification(int AState, int ARow) override
    {
        if (AState == esExportStart)
            log.push_back(QStringLiteral("start"));
        else if (AState == esExportDone)
            log.push_back(QStringLiteral("done"));
        else
            log.push_back(QStringLiteral("row %1").arg(ARow));
    }
    // Rows printed per page, from the log.
    std::vector<std::vector<int>> pages() const
    {
        std::vector<std::vector<int>> out;
        for (const QString &e : log) {
            if (e.startsWith(QLatin1String("page")))
                out.emplace_back();
            else if (e.startsWith(QLatin1String("row")) && !out.empty())
                out.back().push_back(e.mid(4).toInt());
        }
        return out;
    }
};

// Lays the whole grid out onto a recording canvas: 7 units per character, 13 per line.
struct Layout {
    TRecordingCanvas device;
    TLometricCanvas canvas{device, 1.0, 1.0};
    int pages = 0;
    Layout(TNovaStringGrid &g, int W, int H, TPrintMode mode = pmPreview, int total = 0)
    {
        g.SetPreviewPage(1);
        TGridPrintEngine e(g, canvas, mode, W, H, TGridRect{0, 0, g.ColCount() - 1, g.RowCount() - 1}, false);
        pages = e.Run(total);
    }
};

QStringList textsOf(const TRecordingCanvas &c)
{
    return c.Texts();
}

// The device x of the first op drawing this text.
int xOf(const TRecordingCanvas &c, const QString &text)
{
    for (const TCanvasOp &op : c.Ops)
        if (op.kind == TCanvasOp::Text && op.text == text)
            return op.rect.Left;
    return INT_MIN;
}

} // namespace

TEST(PrintUnits, FontHeightsMapToTenthsOfAMillimetre)
{
    PrintGrid g(1, 1);
    struct Case {
        int in, height;
    } cases[] = {{10, -35}, {12, -42}, {8, -28}, {0, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(g.MapFontHeight(c.in), c.height) << c.in;
    EXPECT_EQ(g.MapFontSize(-35), -9); // truncated toward zero
    EXPECT_EQ(g.MapFontSize(254), 72);
    // The print font scale: the fit-to-page factor once the columns are measured.
    g.Fontscalefactor = 0.5;
    EXPECT_EQ(g.MapFontHeight(10), -17);
    g.Fontscalefactor = 1.0;
}

// A layout that grows its columns to the page leaves its fit factor as the font scale; the next
// run starts again from 1.
TEST(PrintUnits, FitToPageScalesTheFonts)
{
    PrintGrid g(3, 2);
    g.PrintSettings()->SetFitToPage(fpAlways);
    g.PrintSettings()->SetCentered(false);
    Layout l(g, 1000, -1000, pmPreviewCount, INT_MAX);
    EXPECT_GT(g.Fontscalefactor, 1.5);
    const double k = g.Fontscalefactor;
    EXPECT_EQ(g.MapFontHeight(10), -int(std::trunc(10 * 254.0 / 72.0 * k)));
    g.PrintSettings()->SetFitToPage(fpNever);
    Layout again(g, 1000, -1000, pmPreviewCount, INT_MAX);
    EXPECT_EQ(g.Fontscalefactor, 1.0);
}

TEST(PrintLayout, RowsBreakIntoPagesEachRowOnceInOrder)
{
    PrintGrid g(3, 101);
    // Row height 13 + 13/8 = 14, printed 2 * 1 + 14 = 16; footer 1 + 13 = 14: 61 rows on 1000.
    Layout l(g, 1000, -1000, pmPreview, 2);
    g.SetPreviewPage(1);
    const auto pages = g.pages();
    ASSERT_EQ(l.pages, 2);
    ASSERT_EQ(pages.size(), 1u) << "the preview draws only its page";
    EXPECT_EQ(pages[0].size(), 61u);
    EXPECT_EQ(pages[0].front(), 0);
    EXPECT_EQ(pages[0].back(), 60);

    // Page 2 repeats the fixed row when asked and carries on at row 61.
    g.PrintSettings()->SetRepeatFixedRows(true);
    g.log.clear();
    TRecordingCanvas dev;
    TLometricCanvas canvas(dev, 1.0, 1.0);
    g.SetPreviewPage(2);
    TGridPrintEngine e(g, canvas, pmPreview, 1000, -1000, TGridRect{0, 0, 2, 100}, false);
    EXPECT_EQ(e.Run(2), 2);
    const auto p2 = g.pages();
    ASSERT_EQ(p2.size(), 1u);
    ASSERT_FALSE(p2[0].empty());
    EXPECT_EQ(p2[0].front(), 0) << "the fixed row comes first";
    EXPECT_EQ(p2[0][1], 61);
    EXPECT_EQ(p2[0].back(), 100);
    EXPECT_TRUE(dev.Texts().contains(QStringLiteral("r100c2")));
    EXPECT_FALSE(dev.Texts().contains(QStringLiteral("r60c2")));
}

TEST(PrintLayout, FitToPageTable)
{
    // Three columns of "r0c0" (28 units) + spacing 20 = 48 each: 144 in all.
    struct Case {
        TFitToPage fit;
        int pageWidth;
        int pageColumns;
        bool widthsKept;
    } cases[] = {
        {fpShrink, 1000, 1, true},  // narrower than the page: kept
        {fpGrow, 100, 2, true},     // wider: kept and split
        {fpAlways, 1000, 1, false}, // grown to the page
        {fpAlways, 100, 1, false},  // shrunk to the page
        {fpNever, 100, 2, true},
    };
    for (const Case &c : cases) {
        PrintGrid g(3, 2);
        g.PrintSettings()->SetFitToPage(c.fit);
        g.PrintSettings()->SetCentered(false);
        Layout l(g, c.pageWidth, -1000, pmPreviewCount, INT_MAX);
        EXPECT_EQ(l.pages, c.pageColumns) << int(c.fit) << " " << c.pageWidth;
        // The last page column's width tells whether the widths changed.
        if (c.widthsKept)
            EXPECT_EQ(g.PrintPageWidth() % 48, 0) << int(c.fit) << " " << c.pageWidth;
        else
            EXPECT_NE(g.PrintPageWidth(), 144) << int(c.fit) << " " << c.pageWidth;
    }
}

TEST(PrintLayout, PageColumnsRepeatFixedColumnsAndNumberPagesPerColumn)
{
    PrintGrid g(6, 101, 1, 1);
    auto *ps = g.PrintSettings();
    ps->SetRepeatFixedCols(true);
    ps->SetCentered(false);
    ps->SetPageNr(ppBottomRight);
    ps->SetPagePrefix(QString());
    ps->SetPageSuffix(QString());
    std::vector<std::pair<int, int>> columns;
    g.OnPrintPage = [&](QObject *, TCanvas &, int, int, int) { columns.emplace_back(g.PrintColStart(), g.PrintColEnd()); };
    TRecordingCanvas dev;
    TLometricCanvas canvas(dev, 1.0, 1.0);
    g.SetPreviewPage(1);
    // Columns of 42 + 20 units; 260 units hold four, so page columns are 0-3 and 4-5 (with 0 again).
    int pages = 0;
    for (int p = 1; p <= 4; ++p) {
        g.SetPreviewPage(p);
        TGridPrintEngine e(g, canvas, pmPreview, 260, -1000, TGridRect{0, 0, 5, 100}, false);
        pages = e.Run(4);
    }
    EXPECT_EQ(pages, 4);
    const QStringList t = dev.Texts();
    // In page order: down the first page column, then down the second.
    qsizetype last = -1;
    for (const char *n : {"  1-1 ", "  2-1 ", "  1-2 ", "  2-2 "}) {
        const qsizetype at = t.indexOf(QString::fromLatin1(n));
        EXPECT_GT(at, last) << n << t.join(QLatin1Char('|')).left(400).toStdString();
        last = at;
    }
    // The second page column starts with the repeated fixed column.
    EXPECT_TRUE(t.contains(QStringLiteral("r70c0")) && t.contains(QStringLiteral("r70c5")));
    EXPECT_LT(xOf(dev, QStringLiteral("r1c0")), xOf(dev, QStringLiteral("r1c3")));
}

TEST(PrintLayout, PageNumbersWithSeparatorAndHeaderTexts)
{
    PrintGrid g(2, 130);
    auto *ps = g.PrintSettings();
    ps->SetPageNr(ppBottomCenter);
    ps->SetPageNumSep(QStringLiteral("/"));
    ps->SetTime(ppTopLeft);
    ps->SetDate(ppTopLeft);
    ps->SetDateFormat(QStringLiteral("dd/mm/yyyy"));
    g.SetPrintClock([] { return QDateTime(QDate(2026, 3, 4), QTime(9, 5)); });
    TRecordingCanvas dev;
    TLometricCanvas canvas(dev, 1.0, 1.0);
    QStringList numbers;
    for (int p = 1; p <= 3; ++p) {
        g.SetPreviewPage(p);
        TGridPrintEngine e(g, canvas, pmPreview, 1000, -1000, TGridRect{0, 0, 1, 129}, false);
        EXPECT_EQ(e.Run(3), 3);
    }
    const QStringList t = dev.Texts();
    // The number between its prefix and suffix, after the position's own space.
    for (const char *n : {"  1/3 ", "  2/3 ", "  3/3 "})
        EXPECT_TRUE(t.contains(QString::fromLatin1(n))) << n << t.join(QLatin1Char('|')).left(400).toStdString();
    // Later sources go in front at the left: the date, a space, the time and its space.
    EXPECT_TRUE(t.contains(QStringLiteral("04/03/2026 09:05 "))) << t.join(QLatin1Char('|')).left(300).toStdString();
    EXPECT_EQ(xOf(dev, QStringLiteral("04/03/2026 09:05 ")), 0);
}

TEST(PrintLayout, AColumnWiderThanThePageStillMakesAPageColumn)
{
    PrintGrid g(2, 2, 0, 0);
    g.SetCells(0, 0, QString(60, QLatin1Char('x'))); // 420 units
    g.PrintSettings()->SetCentered(false);
    Layout l(g, 300, -1000, pmPreviewCount, INT_MAX);
    EXPECT_EQ(l.pages, 2);
}

TEST(PrintLayout, ARowTallerThanThePagePrintsClippedOnAPageOfItsOwn)
{
    PrintGrid g(1, 3, 0, 0);
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines << QStringLiteral("line");
    g.SetCells(0, 1, lines.join(QLatin1Char('\n')));
    Layout count(g, 500, -500, pmPreviewCount, INT_MAX);
    EXPECT_EQ(count.pages, 3) << "row 0, the tall row alone, row 2";
    g.log.clear();
    g.SetPreviewPage(2);
    TRecordingCanvas dev;
    TLometricCanvas canvas(dev, 1.0, 1.0);
    TGridPrintEngine e(g, canvas, pmPreview, 500, -500, TGridRect{0, 0, 0, 2}, false);
    e.Run(3);
    EXPECT_EQ(g.pages(), (std::vector<std::vector<int>>{{1}}));
    bool clipped = false;
    for (const TCanvasOp &op : dev.Ops)
        clipped = clipped || (op.clipped && op.clip.Bottom <= 500);
    EXPECT_TRUE(clipped) << "drawn inside the page";
}

TEST(PrintCells, GraphicsPrintByKind)
{
    // Each kind in a cell of its own: what it draws with PrintGraphics, and that nothing of it
    // is drawn without.
    static TMarkupImageList images;
    images.Images.assign(2, QImage(16, 16, QImage::Format_RGB32));
    struct Drawn : TInterfacedPersistent {
        int *calls;
        explicit Drawn(int *c) : calls(c) {}
        void Draw(TCanvas &Canvas, const TRect &R, int, int, bool, TNovaStringGrid *) override
        {
            ++*calls;
            Canvas.FillRect(R);
        }
        int GetWidth() const override { return 10; }
    };
    static int interfaceDraws = 0;
    static Drawn drawn(&interfaceDraws);
    static QStringList radioItems{QStringLiteral("on"), QStringLiteral("off")};
    static QIcon icon(QPixmap::fromImage(QImage(16, 16, QImage::Format_RGB32)));
    using Check = std::function<bool(const TRecordingCanvas &)>;
    auto count = [](const TRecordingCanvas &c, TCanvasOp::Kind k) { return c.Count(k); };
    struct Case {
        const char *name;
        std::function<void(TNovaStringGrid &)> setup;
        Check drawn;
    };
    const std::vector<Case> cases = {
        {"progress bar: done part, rest and value",
         [](TNovaStringGrid &g) {
             g.SetCells(0, 0, QStringLiteral("40"));
             g.AddProgress(0, 0, clRed, clYellow);
         },
         [](const TRecordingCanvas &c) {
             bool done = false, rest = false;
             for (const TCanvasOp &op : c.OfKind(TCanvasOp::FillRect)) {
                 done = done || op.brush.Color == clRed;
                 rest = rest || op.brush.Color == clYellow;
             }
             return done && rest && c.Texts().contains(QStringLiteral("40%"));
         }},
        {"progress pie", [](TNovaStringGrid &g) { g.AddProgressPie(0, 0, clGreen, 30); },
         [count](const TRecordingCanvas &c) { return count(c, TCanvasOp::Pie) > 0; }},
        {"radio group: its captions",
         [](TNovaStringGrid &g) { g.AddRadio(0, 0, 0, 1, &radioItems); },
         [](const TRecordingCanvas &c) {
             return c.Texts().contains(QStringLiteral("on")) && c.Texts().contains(QStringLiteral("off"));
         }},
        {"image list", [](TNovaStringGrid &g) { g.AddImageIdx(0, 0, 1, haLeft, vaTop); },
         [count](const TRecordingCanvas &c) { return count(c, TCanvasOp::Image) == 1; }},
        {"data image: the image, not its index",
         [](TNovaStringGrid &g) {
             g.SetCells(0, 0, QStringLiteral("1"));
             g.AddDataImage(0, 0, 0, haLeft, vaTop);
         },
         [count](const TRecordingCanvas &c) {
             return count(c, TCanvasOp::Image) == 1 && !c.Texts().contains(QStringLiteral("1"));
         }},
        {"icon", [](TNovaStringGrid &g) { g.AddIcon(0, 0, &icon, haLeft, vaTop); },
         [count](const TRecordingCanvas &c) { return count(c, TCanvasOp::Image) == 1; }},
        {"interfaced object draws on a bitmap",
         [](TNovaStringGrid &g) { g.AddInterfacedCell(0, 0, &drawn); },
         [count](const TRecordingCanvas &c) { return count(c, TCanvasOp::Image) == 1 && interfaceDraws > 0; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (bool graphics : {true, false}) {
            PrintGrid g(1, 1, 0, 0);
            g.SetCells(0, 0, QString());
            g.SetGridImages(&images);
            // Room for the graphics at the recording canvas's small text sizes.
            g.PrintSettings()->SetUseFixedHeight(true);
            g.PrintSettings()->SetFixedHeight(80);
            g.PrintSettings()->SetUseFixedWidth(true);
            g.PrintSettings()->SetFixedWidth(300);
            g.PrintSettings()->SetPrintGraphics(graphics);
            c.setup(g);
            interfaceDraws = 0;
            Layout l(g, 1000, -1000);
            EXPECT_EQ(c.drawn(l.device), graphics) << (graphics ? "with" : "without") << " PrintGraphics";
        }
    }
}

TEST(PrintCells, ButtonsPrintNothing)
{
    PrintGrid g(1, 1, 0, 0);
    g.SetCells(0, 0, QString());
    g.PrintSettings()->SetPrintGraphics(true);
    g.AddButton(0, 0, 60, 20, QStringLiteral("Go"), haLeft, vaTop);
    Layout l(g, 1000, -1000);
    EXPECT_FALSE(l.device.Texts().contains(QStringLiteral("Go")));
    EXPECT_EQ(l.device.Count(TCanvasOp::Image), 0);
}

namespace {

// One cell of 300 x 202 units at the page's origin: at one device pixel per unit it covers device
// (0, 0)..(300, 202). Screen sizes print 254 / 96 times as large: a 16-pixel image takes 42 units,
// and graphics start Round(f) = 3 units in from the cell's left edge.
const TRect kCell{0, 0, 300, 202};

void setUpOneCell(PrintGrid &g, const QString &text)
{
    g.SetCells(0, 0, text);
    auto *ps = g.PrintSettings();
    ps->SetCentered(false);
    ps->SetUseFixedWidth(true);
    ps->SetFixedWidth(300);
    ps->SetUseFixedHeight(true);
    ps->SetFixedHeight(200); // printed 2 x 1 + 200
    ps->SetPrintGraphics(true);
}

std::unique_ptr<Layout> printOneCell(PrintGrid &g, const QString &text, const std::function<void(TNovaStringGrid &)> &setup)
{
    setUpOneCell(g, text);
    setup(g);
    return std::make_unique<Layout>(g, 1000, -1000);
}

// Where the cell's text was drawn: the rectangle of its DrawText call and its place among the ops.
std::pair<TRect, size_t> textOp(const TRecordingCanvas &c, const QString &text)
{
    for (size_t i = 0; i < c.Ops.size(); ++i)
        if (c.Ops[i].kind == TCanvasOp::Text && c.Ops[i].text == text)
            return {c.Ops[i].rect, i};
    return {TRect{}, SIZE_MAX};
}

// The image ops with their places among all ops.
std::vector<std::pair<TRect, size_t>> imageOps(const TRecordingCanvas &c)
{
    std::vector<std::pair<TRect, size_t>> out;
    for (size_t i = 0; i < c.Ops.size(); ++i)
        if (c.Ops[i].kind == TCanvasOp::Image)
            out.emplace_back(c.Ops[i].rect, i);
    return out;
}

std::string rectText(const TRect &r)
{
    return QStringLiteral("(%1,%2,%3,%4)").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom).toStdString();
}

// Checks the images drawn for one cell: their rectangles, each cut at the cell, and the text
// drawn over them in the rectangle they leave.
void expectCellGraphic(const TRecordingCanvas &c, const std::vector<TRect> &rects, const QString &text, const TRect &textRect)
{
    const auto images = imageOps(c);
    ASSERT_EQ(images.size(), rects.size());
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_EQ(images[i].first, rects[i]) << "image " << i << " at " << rectText(images[i].first);
        const TCanvasOp &op = c.Ops[images[i].second];
        EXPECT_TRUE(op.clipped && op.clip == kCell) << "image " << i << " clipped to " << rectText(op.clip);
    }
    if (text.isEmpty())
        return;
    const auto [tr, at] = textOp(c, text);
    ASSERT_NE(at, SIZE_MAX) << "the text prints";
    EXPECT_EQ(tr, textRect) << rectText(tr);
    EXPECT_GT(at, images.back().second) << "the text comes after the graphic";
    EXPECT_FALSE(c.Ops[at].clipped) << "the cut ends with the graphic";
}

} // namespace

TEST(PrintCells, MultiImagesPlacedSideBySideOrStackedInTheCell)
{
    static TMarkupImageList images;
    images.Images.assign(3, QImage(16, 16, QImage::Format_RGB32));
    struct Case {
        const char *name;
        int dir; // 0 side by side, else stacked
        std::vector<int> indexes;
        TCellHAlign ha;
        TCellVAlign va;
        QString text;
        std::vector<TRect> rects;
        TRect textRect; // left-aligned text: m = 3 in from the left of what the graphic leaves
    };
    const Case cases[] = {
        {"side by side at the top left", 0, {0, 1, 2}, haLeft, vaTop, {},
         {{3, 0, 45, 42}, {45, 0, 87, 42}, {87, 0, 129, 42}}, {}},
        {"stacked at the top left", 1, {0, 1, 2}, haLeft, vaTop, {},
         {{3, 0, 45, 42}, {3, 42, 45, 84}, {3, 84, 45, 126}}, {}},
        {"side by side ending at the bottom right", 0, {0, 1, 2}, haRight, vaBottom, {},
         {{174, 160, 216, 202}, {216, 160, 258, 202}, {258, 160, 300, 202}}, {}},
        {"stacked in the middle", 1, {2, 0, 1}, haCenter, vaCenter, {},
         {{129, 38, 171, 80}, {129, 80, 171, 122}, {129, 122, 171, 164}}, {}},
        {"before the text: the text starts after them", 0, {0, 1}, haBeforeText, vaTop, QStringLiteral("abc"),
         {{3, 0, 45, 42}, {45, 0, 87, 42}}, {90, 0, 300, 202}},
        {"after the text: the text ends before them", 0, {0, 1}, haAfterText, vaCenter, QStringLiteral("abc"),
         {{216, 80, 258, 122}, {258, 80, 300, 122}}, {3, 0, 216, 202}},
        {"under the text: the text above them", 0, {0, 1}, haCenter, vaUnderText, QStringLiteral("abc"),
         {{108, 160, 150, 202}, {150, 160, 192, 202}}, {3, 0, 300, 160}},
        {"above the text: the text below them", 1, {0, 1}, haCenter, vaAboveText, QStringLiteral("abc"),
         {{129, 0, 171, 42}, {129, 42, 171, 84}}, {3, 84, 300, 202}},
        {"over the whole cell: from its top left corner", 0, {0, 1}, haFull, vaFull, {},
         {{0, 0, 42, 42}, {42, 0, 84, 42}}, {}},
        {"more than the cell holds: cut at its right edge", 0, {0, 1, 2, 0, 1, 2, 0, 1}, haLeft, vaTop, {},
         {{3, 0, 45, 42}, {45, 0, 87, 42}, {87, 0, 129, 42}, {129, 0, 171, 42}, {171, 0, 213, 42},
          {213, 0, 255, 42}, {255, 0, 297, 42}, {297, 0, 339, 42}}, {}},
        {"an index outside the list prints nothing in its place", 0, {0, 7, 1}, haLeft, vaTop, {},
         {{3, 0, 45, 42}, {87, 0, 129, 42}}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PrintGrid g(1, 1, 0, 0);
        ASSERT_EQ(TGridPrintEngine::ScreenPixelsPerInch(g), 96);
        auto l = printOneCell(g, c.text, [&](TNovaStringGrid &grid) {
            grid.SetGridImages(&images);
            grid.AddMultiImage(0, 0, c.dir, c.ha, c.va);
            for (int i : c.indexes)
                grid.GetCellImages(0, 0)->Add(i);
        });
        expectCellGraphic(l->device, c.rects, c.text, c.textRect);
    }
}

TEST(PrintCells, PicturesSizedByStretchModeAndPlacedByAlignment)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pic.png"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(pngOfSize(60, 20));
    }
    // The cell is 113 x 76 screen pixels (300 / f, 202 / f); sizes print at lround(pixels x f).
    struct Case {
        const char *name;
        bool fromFile;
        QSize picture;
        TStretchMode mode;
        int padding;
        TCellHAlign ha;
        TCellVAlign va;
        QString text;
        TRect rect;
        TRect textRect;
    };
    const Case cases[] = {
        {"unstretched: its screen size scaled like the text", false, {40, 20}, noStretch, 0, haLeft, vaTop, {},
         {3, 0, 109, 53}, {}},
        {"stretched to the cell, cut at its right edge", false, {40, 20}, Stretch, 0, haLeft, vaTop, {},
         {3, 0, 302, 201}, {}},
        {"stretched less its padding", false, {40, 20}, Stretch, 10, haLeft, vaTop, {}, {3, 0, 276, 175}, {}},
        {"stretched keeping its aspect: full height", false, {40, 30}, StretchWithAspectRatio, 0, haLeft, vaTop, {},
         {3, 0, 270, 201}, {}},
        {"shrink leaves a picture that fits as it is", false, {40, 20}, Shrink, 0, haLeft, vaTop, {},
         {3, 0, 109, 53}, {}},
        {"shrink brings a larger picture to the cell", false, {200, 100}, Shrink, 0, haLeft, vaTop, {},
         {3, 0, 302, 201}, {}},
        {"shrink keeping its aspect: full width", false, {200, 80}, ShrinkWithAspectRatio, 0, haLeft, vaTop, {},
         {3, 0, 302, 119}, {}},
        {"at the bottom right", false, {40, 20}, noStretch, 0, haRight, vaBottom, {}, {194, 149, 300, 202}, {}},
        {"in the middle", false, {40, 20}, noStretch, 0, haCenter, vaCenter, {}, {97, 74, 203, 127}, {}},
        {"over the whole cell", false, {40, 20}, noStretch, 0, haFull, vaFull, {}, kCell, {}},
        {"before the text", false, {40, 20}, noStretch, 0, haBeforeText, vaTop, QStringLiteral("abc"),
         {3, 0, 109, 53}, {112, 0, 300, 202}},
        {"under the text, at the left", false, {40, 20}, noStretch, 0, haLeft, vaUnderText, QStringLiteral("abc"),
         {3, 149, 109, 202}, {112, 0, 300, 149}},
        {"above the text, in the middle", false, {40, 20}, noStretch, 0, haCenter, vaAboveText, QStringLiteral("abc"),
         {97, 0, 203, 53}, {3, 53, 300, 202}},
        {"a file picture, unstretched", true, {60, 20}, noStretch, 0, haLeft, vaTop, {}, {3, 0, 162, 53}, {}},
        {"a file picture in the middle, stretched keeping its aspect", true, {60, 20}, StretchWithAspectRatio, 0,
         haCenter, vaCenter, {}, {0, 50, 299, 151}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PrintGrid g(1, 1, 0, 0);
        ASSERT_EQ(TGridPrintEngine::ScreenPixelsPerInch(g), 96);
        auto l = printOneCell(g, c.text, [&](TNovaStringGrid &grid) {
            if (c.fromFile) {
                TFilePicture *p = grid.CreateFilePicture(0, 0, false, c.mode, c.padding, c.ha, c.va);
                ASSERT_TRUE(p->SetFilename(file));
            } else {
                THTMLPicture *p = grid.CreatePicture(0, 0, false, c.mode, c.padding, c.ha, c.va);
                p->LoadFromData(pngOfSize(c.picture.width(), c.picture.height()));
                ASSERT_EQ(p->Width(), c.picture.width());
            }
        });
        expectCellGraphic(l->device, {c.rect}, c.text, c.textRect);
    }
}

TEST(PrintCells, APictureShowsTheCellColourThroughItsTransparentParts)
{
    // Left half transparent, right half red, on a yellow cell.
    QImage img(40, 20, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            img.setPixel(x, y, qRgb(255, 0, 0));
    PrintGrid g(1, 1, 0, 0);
    setUpOneCell(g, QString());
    g.SetColors(0, 0, clYellow);
    g.CreatePicture(0, 0, true, noStretch, 0, haLeft, vaTop)->LoadFromData(pngOfImage(img));
    g.SetPreviewPage(1);
    TImageCanvas dev(400, 300);
    TLometricCanvas canvas(dev, 1.0, 1.0);
    TGridPrintEngine e(g, canvas, pmPreview, 400, -300, TGridRect{0, 0, 0, 0}, false);
    e.Run(1);
    dev.End();
    // The picture covers (3, 0)..(109, 53); the cell beyond it is yellow too.
    EXPECT_EQ(ColorToRGB(dev.PixelAt(20, 25)), ColorToRGB(clYellow)) << "transparent part";
    EXPECT_EQ(ColorToRGB(dev.PixelAt(90, 25)), ColorToRGB(clRed)) << "opaque part";
    EXPECT_EQ(ColorToRGB(dev.PixelAt(200, 100)), ColorToRGB(clYellow)) << "the cell";
}

TEST(PrintLayout, HtmlTitleIsRenderedAndTheRowsStartBelowIt)
{
    auto firstRowY = [](const TRecordingCanvas &c) {
        for (const TCanvasOp &op : c.OfKind(TCanvasOp::Text))
            if (op.text == QLatin1String("r0c0"))
                return op.rect.Top;
        return INT_MIN;
    };
    int plainY = 0;
    {
        PrintGrid g(2, 3, 0, 0);
        g.PrintSettings()->SetTitle(ppTopLeft);
        g.PrintSettings()->SetTitleLines({QStringLiteral("Port map")});
        Layout l(g, 1000, -1000);
        plainY = firstRowY(l.device);
    }
    PrintGrid g(2, 3, 0, 0);
    auto *ps = g.PrintSettings();
    ps->SetTitle(ppTopLeft);
    ps->SetTitleLines({QStringLiteral("<b>Port</b> map"), QStringLiteral("<i>second</i>")});
    Layout l(g, 1000, -1000);
    const QStringList t = l.device.Texts();
    EXPECT_FALSE(t.join(QString()).contains(QLatin1String("<b>"))) << "no markup shows";
    EXPECT_TRUE(t.join(QString()).contains(QLatin1String("Port"))) << t.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(t.join(QString()).contains(QLatin1String("second")));
    // The title's lowest text ends above the first row.
    int titleBottom = INT_MIN;
    for (const TCanvasOp &op : l.device.OfKind(TCanvasOp::Text))
        if (op.text.contains(QLatin1String("second")))
            titleBottom = std::max(titleBottom, op.rect.Bottom);
    ASSERT_NE(titleBottom, INT_MIN);
    const int rowY = firstRowY(l.device);
    EXPECT_GT(rowY, titleBottom);
    EXPECT_GT(rowY, plainY) << "two title lines take more room than one";
}

TEST(PrintRuns, PreviewFiresItsEventsAndNotifications)
{
    PrintGrid g(2, 3);
    std::vector<int> starts;
    g.OnPrintStart = [&](QObject *, int n, int &, int &) {
        starts.push_back(n);
        EXPECT_TRUE(g.IsPrintPreview());
    };
    TImageCanvas canvas(400, 400);
    g.PrintPreview(canvas, TRect{0, 0, 400, 400});
    EXPECT_FALSE(g.IsPrintPreview());
    EXPECT_EQ(starts, (std::vector<int>{1}));
    ASSERT_GE(g.log.size(), 3u);
    EXPECT_EQ(g.log.front(), QStringLiteral("start"));
    EXPECT_EQ(g.log.back(), QStringLiteral("done"));
    // FastPrint skips the counting pass: the count is 1.
    g.SetFastPrint(true);
    g.PrintPreview(canvas, TRect{0, 0, 400, 400});
    EXPECT_EQ(starts.back(), 1);
}

TEST(PrintRuns, PageTwoPreviewedIntoAnImage)
{
    PrintGrid g(3, 200);
    TImageCanvas canvas(794, 1123); // A4 at 96 dpi
    g.SetPreviewPage(2);
    g.PrintPreview(canvas, TRect{0, 0, 794, 1123});
    EXPECT_GE(g.PrintNrOfPages(), 2);
    canvas.End();
    const QImage &img = canvas.Image();
    int dark = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            dark += qGray(img.pixel(x, y)) < 128;
    EXPECT_GT(dark, 200) << "text and lines were drawn";
    const auto pages = g.pages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(pages[0].front(), 1) << "page 2 starts further down the grid";
    img.save(QStringLiteral("/tmp/grid_print_preview_page2.png"));
}

namespace {

QString tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

struct PrintPdf : ::testing::Test {
    QTemporaryDir dir;
    QString pdf;
    void SetUp() override
    {
        if (tool("pdfinfo").isEmpty() || tool("pdftotext").isEmpty())
            GTEST_SKIP() << "poppler-utils not installed";
        pdf = dir.filePath(QStringLiteral("grid.pdf"));
    }
    std::shared_ptr<QPrinter> printer()
    {
        auto p = std::make_shared<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        p->setPageSize(QPageSize(QPageSize::A4));
        return p;
    }
    int pages()
    {
        const QString info = run(tool("pdfinfo"), {pdf});
        for (const QString &line : info.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("Pages:")))
                return line.mid(6).trimmed().toInt();
        return -1;
    }
    QString pageText(int page)
    {
        return run(tool("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                       QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    }
};

TEST_F(PrintPdf, ThreePagesWithTitleAndPageNumbers)
{
    PrintGrid g(4, 100);
    g.SetPrinter(printer());
    auto *ps = g.PrintSettings();
    ps->SetTitle(ppTopCenter);
    ps->SetTitleText(QStringLiteral("Port mapping"));
    ps->SetPageNr(ppBottomRight);
    ps->SetPagePrefix(QStringLiteral("Page"));
    ps->SetPageNumSep(QStringLiteral("of"));
    ps->SetRepeatFixedRows(true);
    // Tall rows so that the grid takes three A4 pages.
    ps->SetUseFixedHeight(true);
    ps->SetFixedHeight(60);
    std::vector<int> counted;
    g.OnPrintStart = [&](QObject *, int n, int &, int &) { counted.push_back(n); };
    g.Print();
    ASSERT_EQ(counted.size(), 1u);
    const int n = counted[0];
    EXPECT_EQ(pages(), n);
    ASSERT_EQ(n, 3);
    for (int p = 1; p <= 3; ++p) {
        const QString text = pageText(p);
        EXPECT_TRUE(text.contains(QStringLiteral("Port mapping"))) << p;
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1of3").arg(p)) || text.contains(QStringLiteral("Page %1 of3").arg(p))
                    || text.contains(QStringLiteral("Page %1of 3").arg(p)) || text.contains(QStringLiteral("Page %1 of 3").arg(p)))
            << text.right(200).toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("r0c3"))) << "the header row repeats on page " << p;
    }
    EXPECT_TRUE(pageText(1).contains(QStringLiteral("r1c0")));
    if (qEnvironmentVariableIsSet("GRID_PRINT_SHOTS")) {
        QFile::remove(QStringLiteral("/tmp/grid_print.pdf"));
        QFile::copy(pdf, QStringLiteral("/tmp/grid_print.pdf"));
    }
    EXPECT_TRUE(pageText(3).contains(QStringLiteral("r99c3")));
    EXPECT_FALSE(pageText(1).contains(QStringLiteral("r99c3")));
}

TEST_F(PrintPdf, HtmlTitleAndCellGraphics)
{
    PrintGrid g(3, 6);
    g.SetPrinter(printer());
    auto *ps = g.PrintSettings();
    ps->SetTitle(ppTopCenter);
    ps->SetTitleLines({QStringLiteral("<b>Port</b> <font color=\"clRed\">mapping</font>")});
    ps->SetPrintGraphics(true);
    ps->SetPageNr(ppBottomRight);
    ps->SetNoAutoSize(true); // the screen's widths, so that the bars have room
    g.SetColWidths(1, 160);
    for (int r = 1; r < 6; ++r) {
        g.SetCells(1, r, QString::number(r * 20));
        g.AddProgress(1, r, clBlue, clWhite);
        g.AddProgressPie(2, r, clGreen, r * 20);
    }
    g.Print();
    ASSERT_EQ(pages(), 1);
    const QString text = pageText(1);
    EXPECT_TRUE(text.contains(QStringLiteral("Port mapping"))) << text.left(300).toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("<b>")));
    EXPECT_TRUE(text.contains(QStringLiteral("60%")));
    if (qEnvironmentVariableIsSet("GRID_PRINT_SHOTS")) {
        QFile::remove(QStringLiteral("/tmp/grid_print_graphics.pdf"));
        QFile::copy(pdf, QStringLiteral("/tmp/grid_print_graphics.pdf"));
    }
}

TEST_F(PrintPdf, MultiImageAndPictureCellsAtTheirScreenSizes)
{
    if (tool("pdftoppm").isEmpty())
        GTEST_SKIP() << "pdftoppm not installed";
    // Images of one colour each; the pictures blue (unstretched) and cyan (stretched).
    static TMarkupImageList images;
    images.Images.clear();
    for (QRgb rgb : {qRgb(255, 0, 0), qRgb(0, 170, 0), qRgb(255, 0, 255)}) {
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(rgb);
        images.Images.push_back(img);
    }
    PrintGrid g(3, 3);
    g.SetPrinter(printer());
    g.SetGridImages(&images);
    g.SetCells(0, 0, QStringLiteral("Port"));
    g.SetCells(1, 0, QStringLiteral("Status"));
    g.SetCells(2, 0, QStringLiteral("Device"));
    g.SetCells(0, 1, QStringLiteral("Port 1"));
    g.SetCells(0, 2, QStringLiteral("Port 2"));
    g.SetCells(1, 1, QStringLiteral("three lamps"));
    g.AddMultiImage(1, 1, 0, haBeforeText, vaCenter);
    g.SetCells(1, 2, QStringLiteral("two lamps"));
    g.AddMultiImage(1, 2, 1, haAfterText, vaTop);
    for (int i : {0, 1, 2})
        g.GetCellImages(1, 1)->Add(i);
    for (int i : {0, 2})
        g.GetCellImages(1, 2)->Add(i);
    g.SetCells(2, 1, QStringLiteral("sensor"));
    g.CreatePicture(2, 1, false, noStretch, 0, haBeforeText, vaTop)->LoadFromData(pngOfSize(40, 20));
    g.SetCells(2, 2, QStringLiteral("valve"));
    g.CreatePicture(2, 2, false, StretchWithAspectRatio, 4, haRight, vaCenter)->LoadFromData(pngOfSize(30, 30, qRgb(0, 255, 255)));
    g.PrintSettings()->SetPrintGraphics(true);
    g.Print();
    ASSERT_EQ(pages(), 1);
    const QString text = pageText(1);
    for (const char *t : {"three lamps", "two lamps", "sensor", "valve", "Port 2"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(t))) << t << "\n" << text.left(400).toStdString();

    // At 72 dots per inch a screen pixel (1/96 inch) prints as 0.75 dots: a 16-pixel image covers
    // 12 x 12 dots, the 40 x 20 picture 30 x 15.
    const QString prefix = dir.filePath(QStringLiteral("page"));
    run(tool("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                           pdf, prefix});
    QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    auto count = [&](auto pred) {
        int n = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                n += pred(QColor(page.pixel(x, y)));
        return n;
    };
    const int red = count([](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; });
    const int magenta = count([](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() > 200; });
    const int green = count([](QColor c) { return c.red() < 60 && c.green() > 120 && c.blue() < 60; });
    const int blue = count([](QColor c) { return c.red() < 60 && c.green() < 60 && c.blue() > 200; });
    const int cyanDots = count([](QColor c) { return c.red() < 60 && c.green() > 200 && c.blue() > 200; });
    EXPECT_NEAR(red, 2 * 144, 60) << "two red images";
    EXPECT_NEAR(magenta, 2 * 144, 60) << "two magenta images";
    EXPECT_NEAR(green, 144, 40);
    EXPECT_NEAR(blue, 450, 90) << "the unstretched picture at its screen size";
    EXPECT_GT(cyanDots, 0) << "the stretched picture";
    if (qEnvironmentVariableIsSet("GRID_PRINT_SHOTS")) {
        QFile::remove(QStringLiteral("/tmp/grid_print_pictures.pdf"));
        QFile::copy(pdf, QStringLiteral("/tmp/grid_print_pictures.pdf"));
    }
}

TEST_F(PrintPdf, WideGridSplitsIntoPageColumns)
{
    PrintGrid g(12, 10, 1, 1);
    g.SetPrinter(printer());
    for (int c = 0; c < 12; ++c)
        g.SetCells(c, 1, QStringLiteral("column%1-").arg(c) + QString(20, QLatin1Char('w')));
    auto *ps = g.PrintSettings();
    ps->SetRepeatFixedCols(true);
    ps->SetPageNr(ppBottomCenter);
    g.Print();
    const int n = pages();
    ASSERT_GE(n, 2);
    const QString first = pageText(1);
    const QString last = pageText(n);
    EXPECT_TRUE(first.contains(QStringLiteral("column1-")));
    EXPECT_FALSE(first.contains(QStringLiteral("column11-")));
    EXPECT_TRUE(last.contains(QStringLiteral("column11-")));
    EXPECT_TRUE(last.contains(QStringLiteral("column0-"))) << "the fixed column repeats";
    EXPECT_TRUE(first.contains(QStringLiteral("1-1")));
    EXPECT_TRUE(last.contains(QStringLiteral("1-%1").arg(n)));
}

TEST_F(PrintPdf, RefusedRangePrintsNothingAndCancelStopsAfterThePage)
{
    PrintGrid g(2, 200);
    g.SetPrinter(printer());
    g.OnPrintStart = [](QObject *, int, int &from, int &to) { from = 2, to = 1; };
    g.Print();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(g.log.back(), QStringLiteral("start")) << "no closing notification";

    g.OnPrintStart = nullptr;
    g.OnPrintCancel = [](QObject *, int page, bool &cancel) { cancel = page == 1; };
    g.log.clear();
    g.Print();
    EXPECT_EQ(pages(), 1);
    EXPECT_EQ(g.log.back(), QStringLiteral("done"));
}

TEST_F(PrintPdf, FastPrintSkipsTheCount)
{
    // Rows measured before the start event tell whether a counting pass ran.
    struct Case {
        bool fast;
        int count;
        bool counted;
    } cases[] = {{true, 2147483647, false}, {false, 1, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fast ? "FastPrint" : "counted");
        PrintGrid g(2, 5);
        g.SetPrinter(printer());
        g.SetFastPrint(c.fast);
        int measured = 0;
        g.OnPrintSetRowHeight = [&](QObject *, int, int &) { ++measured; };
        int seen = 0, nrOfPages = 0, measuredBefore = -1;
        g.OnPrintStart = [&](QObject *, int n, int &, int &) {
            seen = n;
            nrOfPages = g.PrintNrOfPages();
            measuredBefore = measured;
        };
        g.Print();
        EXPECT_EQ(seen, c.count);
        EXPECT_EQ(nrOfPages, c.count) << "the page count until printing";
        EXPECT_EQ(measuredBefore > 0, c.counted);
        EXPECT_GT(measured, measuredBefore) << "the rows are printed";
        EXPECT_EQ(pages(), 1);
    }
}
