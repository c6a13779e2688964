#pragma once
// The page layout of printing and print preview: measures the cells in tenths of a millimetre,
// fits the columns to the page, splits them into page columns, breaks the rows into pages and
// draws headers, footers, cells and frames. Counting runs lay out without drawing.
#include "grid/NovaGrid.h"
#include "grid/PrintCanvas.h"

#include <functional>
#include <vector>

enum TPrintMode : std::uint8_t { pmPreview, pmPrint, pmPrintCount, pmPreviewCount };

class TGridPrintEngine {
public:
    // The page is W x H logical units (H negative: the page bottom). NewDevicePage begins the
    // next sheet of a printer (print mode only).
    TGridPrintEngine(TNovaStringGrid &Grid, TLometricCanvas &Canvas, TPrintMode Mode, int W, int H,
                     const TGridRect &Range, bool Filter, std::function<void()> NewDevicePage = {});
    // Lays out (and in drawing modes draws) the range; answers the number of pages.
    int Run(int PageTotal);

    // Pixels per inch of the screen the grid's widths and heights are measured in.
    static int ScreenPixelsPerInch(const TNovaStringGrid &Grid);

private:
    bool drawing() const { return FMode == pmPreview || FMode == pmPrint; }
    bool pageInRange() const;
    void setFont(const TFont &font);
    int textHeightOf(const TFont &font);
    bool rowPasses(int r);
    bool colPasses(int c);
    // The engine walks displayed columns; cells, their properties and objects are read at the real one.
    int realCol(int c) const;
    TPoint cellExtent(int c, int r);
    int columnWidth(int c);
    int rowHeight(int r);
    void computeHeaderFooterHeights();
    void layoutPageColumns();
    void placeIndents(int c0, int c1, bool repeatFixed, int x);
    void drawHeaderFooter();
    // A title given as HTML lines is rendered by the markup renderer.
    bool htmlTitle() const;
    void prepareTitleFont();
    int measureHtmlTitle();
    void drawHtmlTitle();
    QString pageNumberText();
    int printCells(int r, int y, bool onlyFixedCols);
    void printCell(int c, int r, int y, int ph, int pageFirstCol, int c1);
    void printCellGraphic(int c, int r, TCellGraphic *cg, TRect &textRect, const TRect &cellRect, TAlignment ha,
                          TColor cellColor);
    void drawCellGraphicKind(int c, int r, TCellGraphic *cg, const TRect &gr, const TRect &cellRect, TColor cellColor,
                             int iw, int ih);
    void printListImage(int index, const TRect &at, TColor cellColor);
    void drawPageFrame(int y);
    void endPage(int r, int y, bool &stop, bool more);
    QDateTime now() const;

    TNovaStringGrid &G;
    TPrintSettings &PS;
    TLometricCanvas &C;
    TPrintMode FMode;
    int W;
    int H;
    TGridRect FRange;
    bool FFilter;
    std::function<void()> FNewDevicePage;

    double f = 1.0;    // logical units per screen pixel
    double k = 1.0;    // fit-to-page factor, the font scale while rows are measured and drawn
    int hH = 0, hF = 0, hT = 0, g = 0, m = 0, s = 0;
    int E = 0, B = 0, t = 0;
    int FPageTotal = 0;
    int FPageIndex = 0;    // over the whole run
    int FPageInColumn = 0; // within the current page column
    int FPageColumn = 0;
    int FCol0 = 0, FCol1 = 0;
    bool FRepeatFixed = false;
    std::vector<std::pair<int, int>> FPageColumns;
    std::vector<int> FWidths;
    std::vector<int> FIndent;
    int FLastRowAsked = -1;
    int FLastRowHeight = 0;
};
