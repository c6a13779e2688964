// Printing and print preview: the runs around the page layout.
#include "grid/GridPrintEngine.h"
#include "grid/HtmlPrintSettings.h"

#include <QPainter>
#include <QPrinter>

#include <climits>
#include <cmath>

namespace {

// Device pixels per inch behind a canvas (96 without a painter).
void canvasDpi(TCanvas &canvas, int &dpiX, int &dpiY)
{
    dpiX = dpiY = 96;
    if (QPainter *p = canvas.Painter(); p && p->device()) {
        dpiX = p->device()->logicalDpiX() > 0 ? p->device()->logicalDpiX() : 96;
        dpiY = p->device()->logicalDpiY() > 0 ? p->device()->logicalDpiY() : 96;
    }
}

// Restores the preview flag and sends the closing notification also when a hook throws.
struct TPreviewGuard {
    TNovaStringGrid &grid;
    bool &flag;
    ~TPreviewGuard()
    {
        grid.ExportNotification(esExportDone, -1);
        flag = false;
    }
};

} // namespace

int TNovaStringGrid::MapFontHeight(int pointsize) const
{
    return -int(std::trunc(pointsize * 254.0 / 72.0 * Fontscalefactor));
}

int TNovaStringGrid::MapFontSize(int Height) const
{
    return int(std::trunc(Height * 72.0 / 254.0));
}

QPrinter *TNovaStringGrid::Printer()
{
    if (!FPrinter)
        FPrinter = std::make_shared<QPrinter>(QPrinter::HighResolution);
    return FPrinter.get();
}

void TNovaStringGrid::Print()
{
    PrintRect(TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TNovaStringGrid::PrintSelection()
{
    PrintRect(Selection());
}

namespace {

void printRun(TNovaStringGrid &grid, QPrinter &printer, const TGridRect &range, bool filter, int &pageFrom,
              int &pageTo, int &nrOfPages)
{
    TPrintSettings &ps = *grid.PrintSettings();
    grid.ExportNotification(esExportStart, -1);
    if (!ps.UseDefaultOrientation())
        printer.setPageOrientation(ps.Orientation() == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const int dpiX = printer.logicalDpiX() > 0 ? printer.logicalDpiX() : 600;
    const int dpiY = printer.logicalDpiY() > 0 ? printer.logicalDpiY() : 600;
    const int W = int(std::lround(254.0 / dpiX * printer.width()));
    const int H = -int(std::lround(254.0 / dpiY * printer.height()));
    printer.setDocName(ps.JobName());

    // The page count is laid out on an image of the printer's resolution, so that a refused range
    // never starts a document.
    int N = INT_MAX;
    if (!grid.FastPrint()) {
        QImage scratch(1, 1, QImage::Format_RGB32);
        scratch.setDotsPerMeterX(int(std::lround(dpiX / 0.0254)));
        scratch.setDotsPerMeterY(int(std::lround(dpiY / 0.0254)));
        QPainter sp(&scratch);
        TPainterCanvas sdev(&sp);
        TLometricCanvas counting(sdev, dpiX / 254.0, dpiY / 254.0);
        TGridPrintEngine engine(grid, counting, pmPrintCount, W, H, range, filter);
        N = engine.Run(N);
    }
    pageFrom = 1;
    pageTo = N;
    nrOfPages = N;
    if (grid.OnPrintStart) {
        int from = 1, to = N;
        grid.OnPrintStart(&grid, N, from, to);
        if (from == 0 || to == 0 || from > to)
            return; // nothing printed, no closing notification
        pageFrom = from;
        pageTo = to;
    }
    nrOfPages = pageTo;
    QPainter painter;
    if (!painter.begin(&printer))
        throw ENovaGridError(QStringLiteral("The printer could not be opened"));
    {
        TPainterCanvas dev(&painter);
        TLometricCanvas canvas(dev, dpiX / 254.0, dpiY / 254.0);
        struct End {
            QPainter &p;
            ~End() { p.end(); }
        } end{painter};
        TGridPrintEngine engine(grid, canvas, pmPrint, W, H, range, filter, [&printer] { printer.newPage(); });
        engine.Run(N);
    }
    grid.ExportNotification(esExportDone, -1);
}

} // namespace

void TNovaStringGrid::PrintRect(const TGridRect &Gridrect)
{
    printRun(*this, *Printer(), Gridrect, false, FPrintPageFrom, FPrintPageTo, FPrintNrOfPages);
}

void TNovaStringGrid::PrintSelectedRows()
{
    printRun(*this, *Printer(), TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true, FPrintPageFrom,
             FPrintPageTo, FPrintNrOfPages);
}

void TNovaStringGrid::PrintSelectedCols()
{
    PrintSelectedRows();
}

void TNovaStringGrid::PrintPreviewRect(TCanvas &Canvas, const TRect &Displayrect, const TGridRect &Gridrect)
{
    previewRun(Canvas, Displayrect, Gridrect, false);
}

void TNovaStringGrid::PrintPreview(TCanvas &Canvas, const TRect &Displayrect)
{
    previewRun(Canvas, Displayrect, TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, false);
}

void TNovaStringGrid::PrintPreviewSelection(TCanvas &Canvas, const TRect &Displayrect)
{
    previewRun(Canvas, Displayrect, Selection(), false);
}

void TNovaStringGrid::PrintPreviewSelectedRows(TCanvas &Canvas, const TRect &Displayrect)
{
    previewRun(Canvas, Displayrect, TGridRect{0, 0, ColCount() - 1, RowCount() - 1}, true);
}

void TNovaStringGrid::PrintPreviewSelectedCols(TCanvas &Canvas, const TRect &Displayrect)
{
    PrintPreviewSelectedRows(Canvas, Displayrect);
}

void TNovaStringGrid::previewRun(TCanvas &Canvas, const TRect &Displayrect, const TGridRect &Range, bool Filter)
{
    ExportNotification(esExportStart, -1);
    TPreviewGuard guard{*this, FIsPrintPreview};
    int dpiX, dpiY;
    canvasDpi(Canvas, dpiX, dpiY);
    TLometricCanvas canvas(Canvas, dpiX / 254.0, dpiY / 254.0, Displayrect.Left, Displayrect.Top);
    const int W = int(std::lround(Displayrect.Width() * 254.0 / dpiX));
    const int H = -int(std::lround(Displayrect.Height() * 254.0 / dpiY));
    int count = 1;
    if (!FFastPrint) {
        TGridPrintEngine engine(*this, canvas, pmPreviewCount, W, H, Range, Filter);
        count = engine.Run(INT_MAX);
    }
    FPrintNrOfPages = count;
    FIsPrintPreview = true;
    int from = 1, to = count;
    if (OnPrintStart)
        OnPrintStart(this, count, from, to);
    if (from > 0 && to > 0 && from <= to) {
        TGridPrintEngine engine(*this, canvas, pmPreview, W, H, Range, Filter);
        engine.Run(count);
    }
}

void TNovaStringGrid::PrintDraw(TCanvas &Canvas, const TRect &DrawRect)
{
    PrintDrawRect(Canvas, DrawRect, TGridRect{0, 0, ColCount() - 1, RowCount() - 1});
}

void TNovaStringGrid::PrintDrawRect(TCanvas &Canvas, const TRect &DrawRect, const TGridRect &Gridrect)
{
    const TRect page = Canvas.HasClip() ? Canvas.ClipRect() : DrawRect;
    int dpiX, dpiY;
    canvasDpi(Canvas, dpiX, dpiY);
    TLometricCanvas canvas(Canvas, dpiX / 254.0, dpiY / 254.0, page.Left, page.Top);
    FPrintPageFrom = FPrintPageTo = 1;
    const int W = int(std::lround(page.Width() * 254.0 / dpiX));
    const int H = -int(std::lround(page.Height() * 254.0 / dpiY));
    TGridPrintEngine engine(*this, canvas, pmPrint, W, H, Gridrect, false);
    FPrintNrOfPages = engine.Run(1);
}
