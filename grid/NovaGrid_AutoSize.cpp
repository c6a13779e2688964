// Automatic sizing: columns to their widest cell, rows to their tallest, both at once, columns
// spread over the control's width, and the control sized to its cells; with the measures of a
// cell's text they rest on.
#include "grid/NovaGrid.h"

#include "grid/NovaInplaceEdit.h"
#include "grid/NovaRichEdit.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/VedAzirText.h"
#include "grid/base/NumberDate.h"

#include <QRegularExpression>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace {

// Export notification states the row sizing reports (their stored values).
constexpr int ExportStart = 0;
constexpr int ExportDone = 2;
constexpr int ExportNextRow = 5;

int mulDiv(int a, int b, int c) { return c == 0 ? -1 : int(std::lround(double(a) * double(b) / double(c))); }

QStringList linesOf(const QString &text) { return text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))); }

} // namespace

// ---- measuring -----------------------------------------------------------------------------------------

TCanvas *TNovaStringGrid::MeasureCanvas()
{
    if (!FMeasureCanvas)
        FMeasureCanvas = std::make_unique<TImageCanvas>(1, 1);
    return FMeasureCanvas.get();
}

void TNovaStringGrid::SetMeasureCanvas(std::unique_ptr<TCanvas> Value) { FMeasureCanvas = std::move(Value); }

TPoint TNovaStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
    TPoint size;
    MeasureCellText(ACol, DisplColIndex(ACol), size, SB, VS, ARow);
    return size;
}

void TNovaStringGrid::MeasureCellText(int ACol, int DisplayCol, TPoint &Size, bool SB, bool VS, int ARow)
{
    TCanvas *canvas = MeasureCanvas();
    QString text = GetFormattedCell(ACol, ARow);
    const int kind = GetTextKind(text, EnableHTML());
    TGridDrawState state;
    TBrush brush;
    TFont font;
    GetFontProperties(DisplayCol, ACol, ARow, state, font, brush, true);
    if ((ARow < FixedRows() || DisplayCol < FixedCols()) && FActiveCellShow && FActiveCellFont.Style.Contains(fsBold))
        font.Style.Include(fsBold);
    font.Size += FZoomFactor;
    canvas->Font = font;
    if (kind == tkFormula)
        GetFormulaValue(ACol, ARow, text);

    TRect r = CellRect(DisplayCol, ARow);
    if (FXYOffsetTopLeftOnly)
        r = r.Offset(XYOffset.x(), XYOffset.y());
    else
        r = r.Inflate(-XYOffset.x(), -XYOffset.y());
    if (SB)
        r.Right -= 17;

    if (kind == tkHTML) {
        TRect m = r;
        if (!VS)
            m.Right = 65535;
        m.Bottom = 65535;
        TMarkupDrawParams mp;
        mp.measureOnly = true;
        mp.imageList = GetGridImageList();
        mp.pictureCache = &FImageCache;
        mp.linkColor = URLColor();
        mp.window = this;
        TMarkupDrawResult res;
        DrawMarkupText(*canvas, text, m, mp, res);
        Size = {res.textWidth + 2, res.textHeight + 2};
        return;
    }

    QTextDocument *richDoc = nullptr;
    if (kind == tkRTF && !FDesigning) {
        TNovaRichEdit *rich = RichEdit();
        CellToRich(ACol, ARow, rich);
        richDoc = rich->document();
        // The first character's font stands for the text.
        QTextCursor first(richDoc);
        first.movePosition(QTextCursor::NextCharacter);
        const QFont f = first.charFormat().font().resolve(richDoc->defaultFont());
        canvas->Font.Assign(f);
        text = richDoc->toPlainText();
    }

    if (VS) {
        r = r.Inflate(-2, -2);
        // An edited text that ends in a line break counts its empty last line.
        if (FEditMode && DisplayCol == Col() && ARow == Row() && text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('w');
        else if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
            text.chop(text.endsWith(QLatin1String("\r\n")) ? 2 : 1); // the canvas would count the empty line
        TRect calc = r;
        const TCellGraphic *g = GetCellGraphic(ACol, ARow);
        const unsigned breakFlag = g && g->CellType() == ctRotated ? DT_SINGLELINE : DT_WORDBREAK;
        const int h = canvas->DrawText(text, calc, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL | breakFlag);
        Size = {r.Width(), h};
    } else {
        QStringList lines = linesOf(text);
        if (!FMultilinecells)
            lines = QStringList{lines.value(0)};
        int widest = 0;
        for (QString line : lines) {
            if (URLShow() && !URLFull() && IsURL(line))
                StripURLProtocol(line);
            widest = std::max(widest, canvas->TextWidth(line));
        }
        Size = {widest, canvas->TextHeight(QStringLiteral("gh")) * int(lines.size())};
    }

    if (const TCellGraphic *g = GetCellGraphic(ACol, ARow); g && g->CellType() == ctRotated) {
        const double a = g->CellAngle() * M_PI / 180.0;
        const double S = std::sin(a), C = std::cos(a);
        const int W = Size.X, H = Size.Y;
        const int hs = std::abs(int(H * S)), wc = std::abs(int(W * C));
        const int hc = std::abs(int(H * C)), ws = std::abs(int(W * S));
        Size = {std::abs(hs - wc) + 12, std::abs(hc - ws) + 12};
    }

    if (richDoc) {
        // The rich edit reports the size its text needs at the cell's width (wrapped or not).
        richDoc->setTextWidth(WordWrap() ? std::max(1, r.Width()) : -1);
        const QSizeF need = richDoc->size();
        RichEdit()->RequestResize(int(std::ceil(WordWrap() ? need.width() : richDoc->idealWidth())),
                                  int(std::ceil(need.height())));
        Size = {RichEdit()->ReqWidth(), RichEdit()->ReqHeight() + 4};
    }
}

int TNovaStringGrid::MaxLinesInRow(int ARow)
{
    if (!FMultilinecells)
        return 1;
    int most = 1;
    for (int c = 0; c < AllColCount(); ++c)
        most = std::max(most, int(linesOf(Cells(c, ARow)).size()));
    return most;
}

// ---- columns -------------------------------------------------------------------------------------------

void TNovaStringGrid::autoSizeColumnCore(int ACol, bool GrowOnly)
{
    const int r = RealColIndex(ACol);
    if (r < 0)
        return;
    int first = 0, last = RowCount() - 1;
    switch (FColumnSize->Rows()) {
    case arNormal:
        first = FixedRows();
        last = RowCount() - FFixedFooters - 1;
        break;
    case arFixed:
        last = FixedRows() - 1;
        break;
    default:
        break;
    }
    int need = 0;
    for (int row = first; row <= last; ++row) {
        if (IsXMergedCell(r, row))
            continue;
        const TPoint g = GetCellGraphicSize(r, row);
        TPoint t;
        MeasureCellText(r, ACol, t, false, false, row);
        int w = g.X + t.X;
        if (FControlLook->DropDownAlwaysVisible() && HasComboBox(r, row))
            w += 16;
        if (FFilterDropDownAuto && row == FFilterDropDownRow && GetColumnFilter(ACol))
            w += 12;
        if (IsSortIndicatorCell(r, row) && ACol == FSortSettings->Column())
            w += 10;
        if (const TCellGraphic *cg = GetCellGraphic(r, row); cg && cg->CellHAlign() == haFull)
            w = g.X - 2 * GridLineWidth() - XYOffset.x() - 2;
        need = std::max(need, w);
    }
    int width = need + XYOffsetWidth() + 2 * GridLineWidth() + 2;
    if (!GrowOnly || ColWidths(ACol) < width) {
        // The hook gets the real column: the column grid's items are indexed by it.
        DoUpdateAutoColumnSize(r, width);
        SetColWidths(ACol, ClampToLimits(width, FMinColWidth, FMaxColWidth));
    }
}

void TNovaStringGrid::AutoSizeCol(int ACol, int Padding)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    autoSizeColumnCore(ACol, FSizeGrowOnly);
    if (Padding != 0)
        SetColWidths(ACol, ClampToLimits(ColWidths(ACol) + Padding, FMinColWidth, FMaxColWidth));
}

void TNovaStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int first = DoFixedCols ? 0 : FixedCols();
    const int last = DoFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    for (int c = first; c <= last; ++c)
        AutoSizeCol(c, Padding);
}

void TNovaStringGrid::SetAutoSize(bool Value)
{
    const bool switchedOn = Value && !FAutoSize;
    FAutoSize = Value;
    if (switchedOn && !FLoading)
        AutoSizeColumns(false, 10);
}

// ---- rows ----------------------------------------------------------------------------------------------

void TNovaStringGrid::autoSizeRowCore(int ARow, bool GrowOnly, int Extra)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    int need = 0;
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        if (rc < 0 || IsYMergedCell(rc, ARow) || FIgnoreColumns->HasValue(rc))
            continue;
        int th = GetCellTextSize(rc, ARow, WordWrap(), false).Y;
        int gh = CalcCellGraphicSize(rc, ARow, Extra).Y;
        const TCellGraphic *g = GetCellGraphic(rc, ARow);
        if (g) {
            if (g->CellVAlign() == vaFull)
                gh = th != 0 ? 0 : DefaultRowHeight();
            if ((g->CellType() == ctDataCheckBox || g->CellType() == ctVirtCheckBox) && gh > 0)
                th = 0;
        }
        int h = th + gh;
        if (IsMergedCell(rc, ARow) && !IsBaseCell(rc, ARow))
            h = 0;
        if (g && (g->CellType() == ctCheckBox || g->CellType() == ctDataCheckBox || g->CellType() == ctVirtCheckBox
                  || g->CellType() == ctRadioButton))
            h = DefaultRowHeight();
        need = std::max(need, h);
    }
    int height = need + XYOffsetHeight() + 2 * GridLineWidth();
    if (FXYOffsetTopLeftOnly)
        height += 2;
    const bool typing = VisibleRowCount() == RowCount() && FEditMode && FSizeWhileTyping->Height();
    if (!GrowOnly || RowHeights(ARow) < height)
        SetRowHeights(ARow, ClampToLimits(height, FMinRowHeight, FMaxRowHeight));
    if (typing && VisibleRowCount() != RowCount() && NormalEdit()) {
        // The grown row pushed rows out of view: the editor follows with its caret at the end.
        ShowEditor();
        NormalEdit()->setCursorPosition(int(NormalEdit()->text().size()));
    }
}

void TNovaStringGrid::AutoSizeRow(int ARow, int Padding)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    autoSizeRowCore(ARow, FSizeGrowOnly, Padding);
    if (Padding != 0)
        SetRowHeights(ARow, ClampToLimits(RowHeights(ARow) + Padding, FMinRowHeight, FMaxRowHeight));
}

void TNovaStringGrid::SetRowHeightForLines(int ARow, int Lines, int Extra)
{
    TCanvas *canvas = MeasureCanvas();
    TGridDrawState state;
    TBrush brush;
    canvas->Font = Font();
    GetCellColor(RealColIndex(FixedCols()), ARow, state, brush, canvas->Font);
    const int t = canvas->TextHeight(QStringLiteral("gh"));
    SetRowHeights(ARow, ClampToLimits(Extra + Lines * (t + t / 8), FMinRowHeight, FMaxRowHeight));
}

void TNovaStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (RowCount() == 0)
        return;
    const int first = DoFixedRows ? 0 : FixedRows();
    ExportNotification(ExportStart, first);
    for (int r = first; r < RowCount(); ++r) {
        ExportNotification(ExportNextRow, r);
        if (WordWrap()) {
            AutoSizeRow(r, 0);
            if (Padding != 0)
                SetRowHeights(r, ClampToLimits(RowHeights(r) + Padding, FMinRowHeight, FMaxRowHeight));
        } else {
            SetRowHeightForLines(r, MaxLinesInRow(r), Padding);
        }
    }
    ExportNotification(ExportDone, -1);
}

// ---- cells, fitting and the control ----------------------------------------------------------------

void TNovaStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    BeginUpdate();
    TCanvas *canvas = MeasureCanvas();
    const int firstCol = DoFixedCells ? 0 : FixedCols();
    const int firstRow = DoFixedCells ? 0 : FixedRows();
    for (int c = firstCol; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        int a = FSizeGrowOnly ? ColWidths(c) : 0;
        for (int r = firstRow; r < RowCount(); ++r) {
            const int b = RowHeights(r);
            TGridDrawState state;
            TBrush brush;
            canvas->Font = r < FixedRows() || c < FixedCols() ? FFixedFont : Font();
            GetCellColor(rc, r, state, brush, canvas->Font);
            const TPoint g = GetCellGraphicSize(rc, r);
            const TPoint t = GetCellTextSize(rc, r, false, false);
            int w = t.X + g.X + PaddingX + XYOffset.x();
            int h = t.Y + g.Y + PaddingY + XYOffset.y();
            if (!IsXMergedCell(rc, r) && a < w) {
                w = ClampToLimits(w, FMinColWidth, FMaxColWidth);
                if (a < w) {
                    SetColWidths(c, w);
                    a = w;
                }
            }
            if (!IsYMergedCell(rc, r) && b < h) {
                h = ClampToLimits(h, FMinRowHeight, FMaxRowHeight);
                if (b < h)
                    SetRowHeights(r, h);
            }
        }
    }
    EndUpdate();
}

void TNovaStringGrid::AutoFitColumns(bool DoFixedCells)
{
    const int w = Width();
    int sb = 0;
    if (FScrollBarAlways == saVert || (FScrollBars != ssNone && VisibleRowCount() + FixedRows() < RowCount()))
        sb = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int bd = 2 * frameWidth(); // the control's own border
    const int first = DoFixedCells ? 0 : FixedCols();
    const int last = DoFixedCells ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    int avail = w;
    if (!DoFixedCells) {
        for (int c = 0; c < FixedCols(); ++c)
            avail -= ColWidths(c);
        for (int c = ColCount() - FFixedRightCols; c < ColCount(); ++c)
            avail -= ColWidths(c);
    }
    int gl = Options().Contains(goVertLine) ? GridLineWidth() * (ColCount() - FixedCols() - FFixedRightCols) : 0;
    if (DoFixedCells && Options().Contains(goFixedVertLine))
        gl += FixedCols() + FFixedRightCols;

    const int n = last - first + 1;
    if (n <= 0)
        return;
    auto fittedTotal = [&] {
        int sum = 0;
        for (int c = first; c <= last; ++c)
            sum += ColWidths(c);
        return sum;
    };
    if (ColCount() < 2) {
        SetColWidths(0, w - sb - 5);
    } else {
        const int sum = fittedTotal();
        if (sum == avail - sb - bd || sum <= 0)
            return;
        const double f = double(avail - sb - bd - gl) / sum;
        long long total = 0;
        for (int c = first; c <= last; ++c)
            total += std::llround(ColWidths(c) * f);
        std::vector<int> widths;
        for (int c = first; c <= last; ++c)
            widths.push_back(int(std::nearbyint(double(ColWidths(c)) * double(total) / sum))); // half to even
        for (int c = first; c <= last; ++c)
            SetColWidths(c, widths[std::size_t(c - first)]);
    }
    int rest = avail - (fittedTotal() + sb + bd);
    if (n > 1 && rest > n) {
        for (int c = first; c <= last; ++c)
            SetColWidths(c, ColWidths(c) + rest / n);
        rest %= n;
    }
    int widest = first;
    for (int c = first; c <= last; ++c)
        if (ColWidths(c) > ColWidths(widest))
            widest = c;
    SetColWidths(widest, ColWidths(widest) + rest);
}

void TNovaStringGrid::SizeToCols()
{
    int sum = 0;
    for (int c = 0; c < ColCount(); ++c)
        sum += ColWidths(c);
    resize(sum + (width() - viewport()->width()), height());
}

void TNovaStringGrid::SizeToRows()
{
    int sum = 0;
    for (int r = 0; r < RowCount(); ++r)
        sum += RowHeights(r);
    resize(width(), sum + (height() - viewport()->height()));
}

void TNovaStringGrid::SizeToCells()
{
    const Qt::ScrollBarPolicy h = horizontalScrollBarPolicy(), v = verticalScrollBarPolicy();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SizeToCols();
    SizeToRows();
    setHorizontalScrollBarPolicy(h);
    setVerticalScrollBarPolicy(v);
}

void TNovaStringGrid::ChangeScale(int M, int D)
{
    TBaseGrid::ChangeScale(M, D);
    if (FDesigning || M == D)
        return;
    FFixedFont.Size = mulDiv(FFixedFont.Size, M, D);
    FActiveCellFont.Size = mulDiv(FActiveCellFont.Size, M, D);
}
