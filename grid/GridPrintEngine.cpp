#include "grid/GridPrintEngine.h"

#include "grid/CellGraphic.h"
#include "grid/CellNode.h"
#include "grid/CellObjects.h"
#include "grid/ControlLook.h"
#include "grid/HtmlPrintSettings.h"
#include "grid/base/GridLists.h"
#include "grid/base/HtmlPicture.h"
#include "grid/base/VedAzirDraw.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/VedAzirText.h"
#include "platform/Colors.h"

#include <QIcon>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

bool isTop(TPrintPosition p) { return p == ppTopLeft || p == ppTopRight || p == ppTopCenter; }
bool isBottom(TPrintPosition p) { return p == ppBottomLeft || p == ppBottomRight || p == ppBottomCenter; }
bool isLeft(TPrintPosition p) { return p == ppTopLeft || p == ppBottomLeft; }

QStringList splitLines(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

// Date and time by a pattern of d, m, y, h, n (minutes), s and quoted literals.
QString formatDateTime(const QString &pattern, const QDateTime &dt)
{
    QString out;
    const QDate d = dt.date();
    const QTime tm = dt.time();
    int i = 0;
    auto run = [&](QChar ch) {
        int n = 0;
        while (i + n < pattern.size() && pattern.at(i + n).toLower() == ch)
            ++n;
        return n;
    };
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    bool afterHour = false;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        const QChar l = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = pattern.indexOf(c, i + 1);
            out += pattern.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? int(pattern.size()) : end + 1;
            continue;
        }
        int n = run(l);
        if (l == QLatin1Char('d')) {
            out += n == 1 ? QString::number(d.day()) : n == 2 ? two(d.day()) : n == 3 ? QLocale::c().dayName(d.dayOfWeek(), QLocale::ShortFormat)
                                                                            : QLocale::c().dayName(d.dayOfWeek());
        } else if (l == QLatin1Char('m')) {
            if (afterHour && n <= 2) // minutes right after an hour
                out += n == 1 ? QString::number(tm.minute()) : two(tm.minute());
            else
                out += n == 1 ? QString::number(d.month()) : n == 2 ? two(d.month()) : n == 3 ? QLocale::c().monthName(d.month(), QLocale::ShortFormat)
                                                                                : QLocale::c().monthName(d.month());
        } else if (l == QLatin1Char('y')) {
            out += n <= 2 ? two(d.year() % 100) : QString::number(d.year());
        } else if (l == QLatin1Char('h')) {
            out += n == 1 ? QString::number(tm.hour()) : two(tm.hour());
        } else if (l == QLatin1Char('n')) {
            out += n == 1 ? QString::number(tm.minute()) : two(tm.minute());
        } else if (l == QLatin1Char('s')) {
            out += n == 1 ? QString::number(tm.second()) : two(tm.second());
        } else {
            n = 1;
            out += c;
        }
        if (l == QLatin1Char('h'))
            afterHour = true;
        else if (l.isLetter())
            afterHour = false;
        i += n;
    }
    return out;
}

} // namespace

TGridPrintEngine::TGridPrintEngine(TNovaStringGrid &Grid, TLometricCanvas &Canvas, TPrintMode Mode, int AW, int AH,
                                   const TGridRect &Range, bool Filter, std::function<void()> NewDevicePage)
    : G(Grid), PS(*Grid.PrintSettings()), C(Canvas), FMode(Mode), W(AW), H(AH), FRange(Range), FFilter(Filter),
      FNewDevicePage(std::move(NewDevicePage))
{
}

int TGridPrintEngine::ScreenPixelsPerInch(const TNovaStringGrid &Grid)
{
    const int dpi = Grid.logicalDpiY();
    return dpi > 0 ? dpi : 96;
}

QDateTime TGridPrintEngine::now() const
{
    return G.FPrintClock ? G.FPrintClock() : QDateTime::currentDateTime();
}

bool TGridPrintEngine::pageInRange() const
{
    return FPageIndex + 1 >= G.FPrintPageFrom && FPageIndex + 1 <= G.FPrintPageTo;
}

void TGridPrintEngine::setFont(const TFont &font)
{
    C.Font = font;
    C.SetFontHeight(G.MapFontHeight(font.Size));
}

int TGridPrintEngine::textHeightOf(const TFont &font)
{
    setFont(font);
    return C.TextHeight(QStringLiteral("gh"));
}

bool TGridPrintEngine::rowPasses(int r)
{
    if (!FFilter)
        return true;
    if (r < G.FixedRows() && PS.FixedCellsAlways())
        return true;
    if (G.MouseActions()->DisjunctRowSelect())
        return G.RowSelect(G.MouseActions()->RowSelectPersistent() ? G.RealRowIndex(r) : r);
    const TGridRect sel = G.Selection();
    return r >= sel.Top && r <= sel.Bottom;
}

bool TGridPrintEngine::colPasses(int c)
{
    if (!FFilter)
        return true;
    if (G.MouseActions()->DisjunctRowSelect())
        return true;
    if (c < G.FixedCols() && PS.FixedCellsAlways())
        return true;
    if (G.MouseActions()->DisjunctColSelect())
        return G.ColSelect(c);
    const TGridRect sel = G.Selection();
    return c >= sel.Left && c <= sel.Right;
}

TPoint TGridPrintEngine::cellExtent(int c, int r)
{
    TCellGraphic *cg = G.GetCellGraphic(G.RealColIndex(c) < 0 ? c : G.RealColIndex(c), r);
    QString text = G.Cells(c, r);
    if (cg && (cg->CellType() == ctDataCheckBox || cg->CellType() == ctDataImage))
        text.clear(); // the text is the graphic's value
    TGridDrawState st;
    TBrush br;
    TColor ct, mc, mct;
    TFont font;
    TAlignment ha;
    TVAlignment va;
    bool ww = false;
    TCellGradientDirection gd;
    G.GetVisualProperties(c, r, st, true, false, true, br, ct, mc, mct, font, ha, va, ww, gd);
    TPoint ext;
    const int kind = GetTextKind(text, G.EnableHTML());
    if (kind == tkHTML) {
        // Measured in device units by the markup renderer, then taken back to the page.
        TFont pf = font;
        pf.Size = PS.Font().Size;
        TCanvas &dev = C.Device();
        dev.Font = pf;
        dev.Font.Size = std::max(1, int(std::lround(std::abs(G.MapFontHeight(pf.Size)) * C.ScaleY() * 72.0 / 96.0)));
        const int wpx = PS.NoAutoSize() ? int(std::lround((G.ColWidths(c) + 12) * f * C.ScaleX())) : 65535;
        TMarkupDrawParams mp;
        mp.measureOnly = true;
        TMarkupDrawResult res;
        DrawMarkupText(dev, text, TRect{0, 0, wpx, 65535}, mp, res);
        ext.X = int(std::lround(res.textWidth / C.ScaleX()));
        ext.Y = int(std::lround(res.textHeight / C.ScaleY())) - int(std::lround(g * f));
    } else {
        setFont(font);
        QString plain = text.isEmpty() ? QStringLiteral("gh") : text;
        if (kind == tkRTF)
            plain = QStringLiteral("gh");
        double angle = 0;
        if (cg && cg->CellType() == ctRotated)
            angle = cg->CellAngle() * M_PI / 180.0;
        if (ww && PS.NoAutoSize() && angle == 0) {
            const TPoint span = G.CellSpan(c, r);
            TRect rc{0, 0, span.X > 0 ? 65535 : FWidths.size() > size_t(c) ? FWidths[c] : 65535, 0};
            C.DrawText(plain, rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            ext = {rc.Right - rc.Left, std::abs(rc.Bottom - rc.Top)};
        } else {
            const QStringList lines = splitLines(plain);
            int widest = 0;
            for (QString line : lines) {
                if (G.URLShow() && !G.URLFull())
                    StripURLProtocol(line);
                widest = std::max(widest, C.TextWidth(line));
            }
            ext.X = widest + (PS.PrintGraphics() && cg ? int(std::lround(G.GetCellGraphicSize(c, r).X * f)) : 0);
            ext.Y = int(lines.size()) * C.TextHeight(QStringLiteral("gh"));
        }
        if (angle != 0) {
            const int w = ext.X, h = ext.Y;
            ext.X = std::abs(int(std::lround(std::cos(angle) * w))) + std::abs(int(std::lround(std::sin(angle) * h)));
            ext.Y = std::abs(int(std::lround(std::sin(angle) * w))) + std::abs(int(std::lround(std::cos(angle) * h)));
        }
    }
    if (PS.PrintGraphics() && cg) {
        const TPoint gs = G.GetCellGraphicSize(c, r);
        ext.X = std::max(ext.X, int(std::lround(gs.X * f)));
        ext.Y = std::max(ext.Y, int(std::lround(gs.Y * f)));
    }
    if (G.OnCustomCellSize)
        G.OnCustomCellSize(&G, C, c, r, ext, true);
    return ext;
}

int TGridPrintEngine::columnWidth(int c)
{
    if (PS.NoAutoSize())
        return int(std::lround(G.ColWidths(c) * f));
    int widest = 0;
    const bool repeatRows = PS.RepeatFixedRows() && G.FixedRows() > 0 && FRange.Top >= G.FixedRows();
    auto measure = [&](int r) {
        if (G.IsMergedCell(c, r) && G.CellSpan(c, r).X > 0)
            return; // horizontally merged cells do not widen a column
        const int w = PS.UseFixedWidth() ? PS.FixedWidth() : cellExtent(c, r).X;
        widest = std::max(widest, w);
    };
    if (repeatRows)
        for (int r = 0; r < G.FixedRows(); ++r)
            measure(r);
    for (int r = FRange.Top; r <= FRange.Bottom; ++r)
        measure(r);
    return widest;
}

int TGridPrintEngine::rowHeight(int r)
{
    if (r == FLastRowAsked)
        return FLastRowHeight;
    int h = 0;
    if (PS.NoAutoSizeRow()) {
        h = int(std::lround(G.RowHeights(r) * f)) - 4;
    } else if (PS.UseFixedHeight()) {
        h = PS.FixedHeight();
    } else {
        int tallest = 0;
        bool any = false;
        TPoint last;
        for (int c = FRange.Left; c <= FRange.Right; ++c) {
            const TPoint e = cellExtent(c, r);
            last = e;
            if (G.IsMergedCell(c, r) && G.CellSpan(c, r).Y > 0)
                continue;
            any = true;
            tallest = std::max(tallest, e.Y);
        }
        if (!any)
            tallest = last.Y;
        h = tallest + tallest / 8;
        if (G.OnPrintSetRowHeight)
            G.OnPrintSetRowHeight(&G, r, h);
    }
    FLastRowAsked = r;
    FLastRowHeight = h;
    return h;
}

void TGridPrintEngine::computeHeaderFooterHeights()
{
    const TPrintPosition pos[] = {PS.Time(), PS.Date(), PS.PageNr(), PS.Title()};
    const bool top = std::any_of(std::begin(pos), std::end(pos), isTop);
    const bool bottom = std::any_of(std::begin(pos), std::end(pos), isBottom);
    const int lines = int(PS.TitleLines().size());
    const bool html = htmlTitle();
    if (top) {
        E = g + hH + PS.HeaderSize();
        if (lines > 0 && isTop(PS.Title()))
            E += html ? t + PS.HeaderSize() : (lines - 1) * hH;
    } else {
        E = PS.HeaderSize();
    }
    if (bottom) {
        B = 2 * (g + hF) + PS.FooterSize();
        if (lines > 0 && isBottom(PS.Title()) && !html)
            B += (lines - 1) * hF;
    } else {
        B = g + hF + PS.FooterSize();
    }
}

bool TGridPrintEngine::htmlTitle() const
{
    // A title text of its own takes the place of the lines, and is written as plain text.
    return PS.Title() != ppNone && PS.TitleText().isEmpty() && !PS.TitleLines().isEmpty()
        && GetTextKind(PS.TitleLines().join(QString()), true) == tkHTML;
}

void TGridPrintEngine::prepareTitleFont()
{
    setFont(isTop(PS.Title()) ? PS.HeaderFont() : PS.FooterFont());
    C.Sync();
    C.Device().Brush.Style = bsClear;
}

int TGridPrintEngine::measureHtmlTitle()
{
    if (!htmlTitle())
        return 0;
    prepareTitleFont();
    const TRect box = C.ToDevice(TRect{PS.LeftSize(), 0, W, -1});
    TMarkupDrawParams mp;
    mp.measureOnly = true;
    mp.printing = true;
    mp.printScale = f * C.ScaleX();
    TMarkupDrawResult res;
    DrawMarkupText(C.Device(), PS.TitleLines().join(QStringLiteral("\r\n")), TRect{box.Left, 0, box.Right, 65535}, mp,
                   res);
    // The title's height in page units, so that the rows start below it.
    return int(std::lround(res.textHeight / C.ScaleY()));
}

void TGridPrintEngine::drawHtmlTitle()
{
    prepareTitleFont();
    const TRect area = isTop(PS.Title()) ? TRect{PS.LeftSize(), -PS.HeaderSize(), W, -PS.HeaderSize() - t}
                                         : TRect{PS.LeftSize(), H + PS.FooterSize(), W, H};
    TMarkupDrawParams mp;
    mp.printing = true;
    mp.printScale = f * C.ScaleX();
    TMarkupDrawResult res;
    DrawMarkupText(C.Device(), PS.TitleLines().join(QStringLiteral("\r\n")), C.ToDevice(area), mp, res);
}

void TGridPrintEngine::layoutPageColumns()
{
    FPageColumns.clear();
    int c0 = FRange.Left;
    while (c0 <= FRange.Right) {
        const bool repeat = G.FixedCols() > 0 && PS.RepeatFixedCols() && (c0 > FRange.Left || G.FixedCols() < FRange.Left);
        int x = 0;
        if (repeat)
            for (int i = 0; i < G.FixedCols(); ++i)
                x += FWidths[i] + s;
        int c1 = c0;
        bool first = true;
        for (int c = c0; c <= FRange.Right; ++c) {
            const int w = colPasses(c) ? FWidths[c] + s : 0;
            if (!first && x + w > W - PS.RightSize())
                break;
            // A page column holds at least one column, even one wider than the page.
            x += w;
            c1 = c;
            first = false;
        }
        FPageColumns.emplace_back(c0, std::min(c1, FRange.Right));
        c0 = c1 + 1;
    }
}

void TGridPrintEngine::placeIndents(int c0, int c1, bool repeatFixed, int x)
{
    const int n = int(FWidths.size()) + 2;
    FIndent.assign(n, 0);
    const int start = PS.Centered() ? 0 : PS.LeftSize();
    FIndent[c0] = start;
    FIndent[0] = start;
    for (int c = c0; c <= c1; ++c)
        FIndent[c + 1] = FIndent[c] + (colPasses(c) ? FWidths[c] + s : 0);
    int fixedWidth = 0;
    if (repeatFixed) {
        for (int i = 1; i <= G.FixedCols() - 1; ++i)
            FIndent[i] = FIndent[i - 1] + FWidths[i - 1] + s;
        for (int i = 0; i < G.FixedCols(); ++i)
            fixedWidth += FWidths[i] + s;
    }
    if (PS.Centered() && x < W) {
        const int shift = (W - x) / 2;
        for (int c = c0; c <= c1 + 1; ++c)
            FIndent[c] += shift;
        if (repeatFixed)
            for (int i = 0; i <= G.FixedCols() && i < c0; ++i)
                FIndent[i] += shift;
    }
    for (int c = c0; c <= c1 + 1; ++c)
        FIndent[c] += fixedWidth;
}

QString TGridPrintEngine::pageNumberText()
{
    QString num;
    if (FPageColumns.size() > 1) {
        num = QStringLiteral("%1-%2").arg(FPageInColumn + 1).arg(FPageColumn + 1);
    } else {
        num = QString::number(FPageIndex + PS.PageNumberOffset() + 1);
        if (!PS.PageNumSep().isEmpty() && FPageTotal > 1)
            num += PS.PageNumSep() + QString::number(FPageTotal + PS.MaxPagesOffset());
    }
    G.DoPrintGetPageNum(FPageIndex + 1, FPageColumn + 1, num);
    return num;
}

void TGridPrintEngine::drawHeaderFooter()
{
    if (!drawing() || !pageInRange())
        return;
    QString texts[7];
    const QDateTime dt = now();
    auto put = [&](TPrintPosition p, const QString &src, bool spaceAlways) {
        if (p == ppNone)
            return;
        QString &slot = texts[p];
        const QString sep = spaceAlways || (!slot.isEmpty() && !src.isEmpty()) ? QStringLiteral(" ") : QString();
        slot = isLeft(p) ? src + sep + slot : slot + sep + src;
    };
    put(PS.Time(), formatDateTime(QStringLiteral("hh:nn"), dt), true);
    put(PS.Date(), formatDateTime(PS.DateFormat(), dt), true);
    put(PS.PageNr(), PS.PagePrefix() + QStringLiteral(" ") + pageNumberText() + QStringLiteral(" ") + PS.PageSuffix(), true);
    const QStringList &lines = PS.TitleLines();
    const bool html = htmlTitle();
    if (!PS.TitleText().isEmpty())
        put(PS.Title(), PS.TitleText(), true);
    else if (!lines.isEmpty() && !html)
        put(PS.Title(), lines.first(), false);
    if (html)
        drawHtmlTitle();

    const int bottomY = H + PS.FooterSize() + g + hF;
    for (int p = ppTopLeft; p <= ppBottomCenter; ++p) {
        const auto pos = TPrintPosition(p);
        if (texts[p].isEmpty())
            continue;
        const bool top = isTop(pos);
        const TFont &font = top ? PS.HeaderFont() : PS.FooterFont();
        setFont(font);
        const int y = top ? -PS.HeaderSize() : bottomY;
        auto xFor = [&](const QString &s) {
            if (pos == ppTopLeft || pos == ppBottomLeft)
                return PS.LeftSize();
            if (pos == ppTopRight || pos == ppBottomRight)
                return W - PS.RightSize() - 20 - C.TextWidth(s);
            return (W - C.TextWidth(s)) / 2;
        };
        C.Brush.Style = bsClear;
        C.TextOut(xFor(texts[p]), y, texts[p]);
        if (pos == PS.Title() && PS.TitleText().isEmpty() && !html) {
            const int lh = C.TextHeight(QStringLiteral("gh"));
            for (int i = 1; i < lines.size(); ++i)
                C.TextOut(xFor(lines.at(i)), y - i * lh, lines.at(i));
        }
    }
}

void TGridPrintEngine::printCellGraphic(int c, int r, TCellGraphic *cg, TRect &textRect, const TRect &cellRect,
                                        TAlignment ha, TColor cellColor)
{
    const TPoint sz = G.CalcCellGraphicRect(c, r, cellRect.Width(), std::abs(cellRect.Height()), f);
    int gw = int(std::lround(sz.X * f));
    int gh = int(std::lround(sz.Y * f));
    // Several images step by the scaled image size: the row spans exactly those steps, so that
    // right and bottom placements end at the cell's edge.
    const TMarkupImageList *images = G.GetGridImageList();
    const int iw = images ? int(std::lround(images->Width * f)) : 0;
    const int ih = images ? int(std::lround(images->Height * f)) : 0;
    if (cg->CellType() == ctImages && images) {
        if (const TIntList *indexes = cg->CellBitmap().As<TIntList>()) {
            gw = cg->CellBoolean() ? indexes->Count() * iw : iw;
            gh = cg->CellBoolean() ? ih : indexes->Count() * ih;
        }
    }
    TRect gr;
    const TCellHAlign cha = cg->CellHAlign();
    const TCellVAlign cva = cg->CellVAlign();
    const bool boxKind = cg->CellType() == ctCheckBox || cg->CellType() == ctDataCheckBox
                         || cg->CellType() == ctVirtCheckBox || cg->CellType() == ctRowCheckBox
                         || cg->CellType() == ctRadio;
    int left = cellRect.Left + int(std::lround(f));
    if (boxKind && G.Cells(c, r).isEmpty()) {
        if (ha == taRightJustify)
            left = cellRect.Right - gw;
        else if (ha == taCenter)
            left = (cellRect.Left + cellRect.Right - gw) / 2;
    } else if (cha == haRight || cha == haAfterText) {
        left = cellRect.Right - gw;
        textRect.Right = left;
    } else if (cha == haCenter) {
        left = (cellRect.Left + cellRect.Right - gw) / 2;
    } else if (cha == haFull) {
        left = cellRect.Left;
    } else {
        textRect.Left = left + gw;
    }
    int top = cellRect.Top;
    if (cva == vaBottom || cva == vaUnderText)
        top = cellRect.Bottom + gh;
    else if (cva == vaCenter)
        top = (cellRect.Top + cellRect.Bottom + gh) / 2;
    gr = {left, top, cha == haFull ? cellRect.Right : left + gw, cva == vaFull ? cellRect.Bottom : top - gh};
    if (cva == vaUnderText)
        textRect.Bottom = gr.Top;
    else if (cva == vaAboveText)
        textRect.Top = gr.Bottom;

    // A graphic larger than its cell is cut at the cell's edges, as on the screen.
    TCanvas &dev = C.Device();
    dev.SaveState();
    dev.IntersectClipRect(C.ToDevice(cellRect));
    drawCellGraphicKind(c, r, cg, gr, cellRect, cellColor, iw, ih);
    dev.RestoreState();
}

void TGridPrintEngine::drawCellGraphicKind(int c, int r, TCellGraphic *cg, const TRect &gr, const TRect &cellRect,
                                           TColor cellColor, int iw, int ih)
{
    switch (cg->CellType()) {
    case ctBitmap:
        if (const QImage *b = cg->CellBitmap().As<QImage>())
            C.StretchDraw(gr, *b);
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox: {
        bool state = false;
        G.GetCheckBoxState(c, r, state);
        C.Pen.Color = clBlack;
        C.Pen.Width = std::max(1, int(std::lround(f / 2)));
        C.Brush.Color = clWhite;
        C.Brush.Style = bsSolid;
        C.Rectangle(gr);
        if (state) {
            const int w = gr.Width(), h = gr.Top - gr.Bottom;
            C.Polyline({{gr.Left + w / 5, gr.Top - h / 2}, {gr.Left + w * 2 / 5, gr.Top - h * 4 / 5},
                        {gr.Left + w * 4 / 5, gr.Top - h / 5}});
        }
        break;
    }
    case ctIcon:
        if (const QIcon *icon = cg->CellIcon().As<QIcon>(); icon && !icon->isNull()) {
            const TRect d = C.ToDevice(gr);
            C.StretchDraw(gr, icon->pixmap(QSize(std::max(1, d.Width()), std::max(1, d.Height()))).toImage());
        }
        break;
    case ctImageList:
        printListImage(cg->CellIndex(), gr, cellColor);
        break;
    case ctDataImage: {
        bool ok = false;
        const int value = G.Cells(c, r).trimmed().toInt(&ok);
        if (ok)
            printListImage(value + cg->CellIndex(), gr, cellColor);
        break;
    }
    case ctImages: {
        const TIntList *indexes = cg->CellBitmap().As<TIntList>();
        if (!G.GetGridImageList() || !indexes)
            break;
        int x = gr.Left, y = gr.Top;
        for (int i = 0; i < indexes->Count(); ++i) {
            printListImage(indexes->Items(i), TRect{x, y, x + iw, y - ih}, cellColor);
            if (cg->CellBoolean())
                x += iw;
            else
                y -= ih;
        }
        break;
    }
    case ctPicture:
        if (const THTMLPicture *p = cg->CellBitmap().As<THTMLPicture>(); p && p->Decoded()) {
            // On a 24-bit bitmap of its size over the cell's colour: transparent parts show the cell.
            QImage bitmap(p->Image().size(), QImage::Format_RGB888);
            bitmap.fill(ToQColor(cellColor == clNone ? clWhite : ColorToRGB(cellColor)));
            {
                QPainter painter(&bitmap);
                painter.drawImage(0, 0, p->Image());
            }
            C.StretchDraw(gr, bitmap);
        }
        break;
    case ctFilePicture:
        if (const TFilePicture *p = cg->CellBitmap().As<TFilePicture>(); p && p->Width() > 0 && p->Height() > 0) {
            TImageCanvas bitmap(p->Width(), p->Height(), cellColor == clNone ? clWhite : cellColor);
            p->DrawPicture(bitmap, TRect{0, 0, p->Width(), p->Height()});
            bitmap.End();
            C.StretchDraw(gr, bitmap.Image());
        }
        break;
    case ctRadio:
        if (const QStringList *items = cg->CellBitmap().As<QStringList>()) {
            // Drawn in device pixels: the screen's glyph sizes scaled to the device.
            C.Sync();
            G.DrawRadioGroup(C.Device(), C.ToDevice(gr), false, f * C.ScaleX(), G.ControlLook()->ControlStyle(), r, c,
                             false, *items, false, cg->CellBoolean(), cg->CellIndex(), int(items->size()));
        }
        break;
    case ctProgress: {
        // To the cell's right edge, a little in from its top and bottom.
        const TRect bar{gr.Left, cellRect.Top - int(std::lround(2 * f)), cellRect.Right,
                        cellRect.Bottom + int(std::lround(4 * f))};
        const TColor fg = cg->CellBitmap().AsColor();
        const TColor bk = cg->CellIcon().AsColor();
        const TColor fgText = cg->CellBoolean() ? TColor(cg->CellIndex()) : (ColorToRGB(fg) ^ 0xFFFFFF);
        const TColor bkText = cg->CellBoolean() ? TColor(cg->CellAngle()) : (ColorToRGB(bk) ^ 0xFFFFFF);
        bool ok = false;
        const int value = G.Cells(c, r).trimmed().toInt(&ok);
        const double px = f * C.ScaleX();
        C.Sync();
        TCanvas &dev = C.Device();
        const TBrush brush = dev.Brush;
        DrawProgressBar(dev, C.ToDevice(bar), fg, fgText, bk, bkText, ok ? value : 0,
                        int(std::lround(G.ControlLook()->ProgressMarginX() * px)),
                        int(std::lround(G.ControlLook()->ProgressMarginY() * px)), cg->CellErrFrom(), cg->CellErrLen(),
                        cg->CellText(), G.ControlLook()->ProgressBorderColor(), false);
        dev.Brush = brush;
        break;
    }
    case ctProgressPie: {
        C.Sync();
        TCanvas &dev = C.Device();
        const TBrush brush = dev.Brush;
        const TPen pen = dev.Pen;
        DrawProgressPie(dev, C.ToDevice(gr), cg->CellBitmap().AsColor(), cg->CellAngle(), true);
        dev.Brush = brush;
        dev.Pen = pen;
        break;
    }
    case ctInterface:
        if (TInterfacedPersistent *o = cg->CellBitmap().As<TInterfacedPersistent>()) {
            // The object draws on a bitmap of its own size (0: the cell's), stretched onto the page.
            const TRect screen = G.CellRect(c, r);
            const int bw = o->GetWidth() ? o->GetWidth() : screen.Width();
            const int bh = o->GetHeight() ? o->GetHeight() : screen.Height();
            if (bw > 0 && bh > 0) {
                TImageCanvas bitmap(bw, bh, cellColor == clNone ? clWhite : cellColor);
                o->Draw(bitmap, TRect{0, 0, bw, bh}, c, r, false, &G);
                bitmap.End();
                C.StretchDraw(gr, bitmap.Image());
            }
        }
        break;
    case ctNode: {
        // A 20 x 20 square with a bar, and a second bar while contracted.
        const TRect sq{gr.Left, gr.Top, gr.Left + 20, gr.Top - 20};
        C.Pen.Color = clBlack;
        C.Pen.Width = 1;
        C.Brush.Color = G.CellNode()->NodeColor();
        C.Brush.Style = bsSolid;
        C.Rectangle(sq);
        C.MoveTo(sq.Left + 4, sq.Top - 10);
        C.LineTo(sq.Right - 4, sq.Top - 10);
        if (G.GetNodeState(r)) {
            C.MoveTo(sq.Left + 10, sq.Top - 4);
            C.LineTo(sq.Left + 10, sq.Bottom + 4);
        }
        break;
    }
    default:
        break; // tri-state boxes, radio buttons, buttons, shapes, ratings, comments and indicators do not print
    }
}

void TGridPrintEngine::printListImage(int index, const TRect &at, TColor cellColor)
{
    const TMarkupImageList *images = G.GetGridImageList();
    if (!images || index < 0 || index >= images->Count())
        return;
    // On a bitmap of the list's size filled with the cell's colour, then stretched.
    QImage bitmap(std::max(1, images->Width), std::max(1, images->Height), QImage::Format_RGB32);
    bitmap.fill(ToQColor(cellColor == clNone ? clWhite : ColorToRGB(cellColor)));
    {
        QPainter p(&bitmap);
        p.drawImage(0, 0, images->Images[size_t(index)]);
    }
    C.StretchDraw(at, bitmap);
}

void TGridPrintEngine::printCell(int c, int r, int y, int ph, int pageFirstCol, int c1)
{
    if (!G.IsBaseCell(c, r))
        return;
    const TPoint span = G.CellSpan(c, r);
    int right = FIndent[c];
    for (int i = c; i <= c + std::max(0, span.X) && i <= int(FWidths.size()) - 1; ++i) {
        if (i > c1 && c > c1) // a repeated fixed column keeps its own width
            break;
        right += FWidths[i] + s;
        if (i >= c1 && c >= pageFirstCol && c <= c1)
            break; // cut at the page's last column
    }
    int bottom = y - ph;
    for (int i = 1; i <= std::max(0, span.Y) && r + i < G.RowCount(); ++i) {
        const int t2 = int(std::trunc((G.RowHeights(r + i) - 4) * f));
        bottom -= t2 + t2 / 8 + 2 * g + PS.RowSpacing();
    }
    bool cutBottom = false;
    if (bottom < H + B) {
        bottom = y - ph;
        cutBottom = span.Y > 0;
    }
    const TRect cell{FIndent[c], y, right, bottom};

    TGridDrawState st;
    if (c < G.FixedCols() || r < G.FixedRows())
        st.Include(gdFixed);
    TBrush br;
    TColor ct, mc, mct;
    TFont font;
    TAlignment ha;
    TVAlignment va;
    bool ww = false;
    TCellGradientDirection gd;
    G.GetVisualProperties(c, r, st, true, false, true, br, ct, mc, mct, font, ha, va, ww, gd);
    C.Brush = br;
    if (br.Style != bsClear)
        C.FillRect(cell);

    TPen pen{PS.BorderColor(), 1, PS.BorderStyle()};
    TCellBorders borders;
    switch (PS.Borders()) {
    case pbSingle:
    case pbDouble:
        borders = TCellBorders{cbTop, cbLeft, cbRight, cbBottom};
        break;
    case pbHorizontal:
    case pbAroundHorizontal:
        borders = TCellBorders{cbTop, cbBottom};
        break;
    case pbVertical:
    case pbAroundVertical:
        borders = TCellBorders{cbLeft, cbRight};
        break;
    default:
        break;
    }
    const int rc = G.RealColIndex(c) < 0 ? c : G.RealColIndex(c);
    G.GetCellPrintBorder(rc, r, pen, borders);

    QString text = G.Cells(c, r);
    TCellGraphic *cg = G.GetCellGraphic(rc, r);
    TRect tr = cell;
    if (PS.PrintGraphics() && cg) {
        setFont(font);
        printCellGraphic(c, r, cg, tr, cell, ha, br.Color);
    }
    if (cg && (cg->CellType() == ctDataCheckBox || cg->CellType() == ctDataImage || cg->CellType() == ctProgress
               || cg->CellType() == ctProgressPie))
        text.clear(); // text-backed graphics print no text
    if (cg && cg->CellType() == ctRadio)
        text.clear();

    setFont(font);
    C.Brush.Style = bsClear;
    const int kind = GetTextKind(text, G.EnableHTML());
    const unsigned hflag = ha == taRightJustify ? DT_RIGHT : ha == taCenter ? DT_CENTER : DT_LEFT;
    const unsigned vflag = va == vtaBottom ? DT_BOTTOM : va == vtaCenter ? DT_VCENTER : DT_TOP;
    if (kind == tkHTML) {
        TRect dr = C.ToDevice({tr.Left, tr.Top, tr.Right - m - int(std::lround(2 * f)), tr.Bottom});
        C.Sync(); // the device font at the printed height
        TCanvas &dev = C.Device();
        TMarkupDrawParams mp;
        mp.wordWrap = ww;
        TMarkupDrawResult res;
        DrawMarkupText(dev, text, dr, mp, res);
    } else if (!text.isEmpty()) {
        if (ha == taLeftJustify)
            tr.Left += m;
        else if (ha == taRightJustify)
            tr.Right -= m;
        else {
            tr.Left += m;
            tr.Right -= m;
        }
        const QStringList lines = splitLines(text);
        if (ww && PS.NoAutoSize()) {
            TRect wr = tr;
            wr.Left += int(std::lround(2 * f));
            C.DrawText(text, wr, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL | hflag);
        } else if (lines.size() <= 1) {
            TRect sr = tr;
            C.DrawText(text, sr, DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL | hflag | vflag);
        } else {
            const int hh = C.TextHeight(QStringLiteral("gh")) + PS.RowSpacing();
            const int S = hh + hh / 8;
            const int step = S - PS.RowSpacing();
            const int block = int(lines.size()) * step;
            int top = tr.Top;
            const bool merged = span.X > 0 || span.Y > 0;
            if (!merged && va == vtaCenter)
                top -= (ph - block) / 2;
            else if (!merged && va == vtaBottom)
                top -= ph - block;
            for (const QString &line : lines) {
                const int lw = C.TextWidth(line);
                const int x = ha == taRightJustify ? tr.Right - lw : ha == taCenter ? (tr.Left + tr.Right - lw) / 2 : tr.Left;
                C.TextOut(x, top, line);
                top -= step;
            }
        }
    }
    if (G.OnCustomCellDraw) {
        TCanvas &dev = C.Device();
        G.OnCustomCellDraw(&G, dev, c, r, st, C.ToDevice(cell), true);
    }

    // Borders last.
    const int pw = FMode == pmPrint ? std::max(1, int(std::lround(pen.Width * f))) : pen.Width;
    C.Pen = TPen{pen.Color, pw, pen.Style};
    const int leftX = c == pageFirstCol ? cell.Left : cell.Left - pw;
    if (borders.Contains(cbTop)) {
        C.MoveTo(leftX, cell.Top);
        C.LineTo(cell.Right, cell.Top);
    }
    if (borders.Contains(cbBottom) && !cutBottom) {
        C.MoveTo(leftX, cell.Bottom);
        C.LineTo(cell.Right, cell.Bottom);
    }
    if (borders.Contains(cbLeft)) {
        C.MoveTo(leftX, cell.Top);
        C.LineTo(leftX, cell.Bottom);
    }
    if (borders.Contains(cbRight)) {
        C.MoveTo(cell.Right, cell.Top);
        C.LineTo(cell.Right, cell.Bottom);
    }
}

int TGridPrintEngine::printCells(int r, int y, bool onlyFixedCols)
{
    const int h = rowHeight(r);
    const int ph = 2 * g + h + PS.RowSpacing();
    if (!drawing() || !pageInRange())
        return ph;
    const bool all = FRange.Top <= G.FixedRows() && FRange.Bottom >= G.RowCount() - 1 - G.FixedFooters();
    G.ExportNotification(all ? esExportNewRow : esExportSelRow, r);
    const int pageFirstCol = FRepeatFixed ? 0 : FCol0;
    // Only a row taller than the page runs into the footer: it is cut there.
    const bool clip = y - h <= H + B;
    if (clip)
        C.SetClipRect(TRect{0, y, W, H + B});
    if (FRepeatFixed)
        for (int c = 0; c < G.FixedCols(); ++c)
            printCell(c, r, y, ph, pageFirstCol, FCol1);
    if (!onlyFixedCols)
        for (int c = FCol0; c <= FCol1; ++c)
            if (colPasses(c))
                printCell(c, r, y, ph, pageFirstCol, FCol1);
    if (clip)
        C.ResetClip();
    return ph;
}

void TGridPrintEngine::drawPageFrame(int y)
{
    if (!drawing() || !pageInRange())
        return;
    const int first = FRepeatFixed ? FIndent[0] : FIndent[FCol0];
    const int last = FIndent[FCol1 + 1];
    C.Pen.Color = PS.BorderColor();
    C.Pen.Style = PS.BorderStyle();
    const auto b = PS.Borders();
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal) {
        C.Brush.Style = bsClear;
        const int top = -E - PS.TitleSpacing();
        const int bot = y + g / 2;
        C.Polyline({{first, top}, {last, top}, {last, bot}, {first, bot}, {first, top}});
    }
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal) {
        C.MoveTo(first, y + g / 2);
        C.LineTo(last, y + g / 2);
    }
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && FRepeatFixed) {
        for (int i = 0; i < G.FixedCols(); ++i) {
            C.MoveTo(FIndent[i], -E - PS.TitleSpacing());
            C.LineTo(FIndent[i], y + g / 2);
        }
    }
}

void TGridPrintEngine::endPage(int r, int y, bool &stop, bool more)
{
    if (drawing()) {
        if (G.OnPrintPageDone)
            G.OnPrintPageDone(&G, C, r, y, FPageIndex, W, H);
        bool cancel = false;
        if (G.OnPrintCancel)
            G.OnPrintCancel(&G, FPageIndex + 1, cancel);
        if (cancel)
            stop = true;
    }
    drawPageFrame(y);
    if (G.FastPrint() && FPageIndex > G.FPrintPageFrom)
        stop = true;
    if (!more || stop)
        return;
    // A new page: a new printer sheet only after a page that was printed.
    if (FMode == pmPrint && pageInRange() && FNewDevicePage)
        FNewDevicePage();
    ++FPageIndex;
    ++FPageInColumn;
    if (drawing() && pageInRange() && G.OnPrintPage)
        G.OnPrintPage(&G, C, FPageIndex + 1, W, H);
}

int TGridPrintEngine::Run(int PageTotal)
{
    FPageTotal = PageTotal;
    f = 254.0 / ScreenPixelsPerInch(G);
    k = 1.0;
    G.Fontscalefactor = k;
    C.Pen.Style = PS.BorderStyle();
    C.Pen.Width = PS.Borders() == pbDouble ? 10 : 2;
    hH = textHeightOf(PS.HeaderFont());
    hF = textHeightOf(PS.FooterFont());
    hT = textHeightOf(PS.Font());
    g = std::int16_t(hT / 8);
    setFont(PS.Font());
    m = C.TextWidth(QStringLiteral("g")) / 2;
    G.FPrintPageRect = TRect{0, 0, W, H};
    s = PS.UseFixedWidth() ? 0 : PS.ColumnSpacing() + 20;

    FRange.Right = std::min(FRange.Right, G.ColCount() - 1);
    FRange.Bottom = std::min(FRange.Bottom, G.RowCount() - 1);
    if (FRange.Left < 0 || FRange.Top < 0 || FRange.Right < FRange.Left || FRange.Bottom < FRange.Top)
        return 0;
    FWidths.assign(G.ColCount(), 0);
    for (int c = 0; c <= FRange.Right; ++c)
        FWidths[c] = columnWidth(c);

    if (PS.FitToPage() != fpNever) {
        int T = 0;
        for (int c = FRange.Left; c <= FRange.Right; ++c)
            if (colPasses(c))
                T += FWidths[c] + s;
        const int S = (FRange.Right - FRange.Left + 1) * s;
        double kk = T - S != 0 ? double(W - PS.RightSize() - PS.LeftSize() - S) / double(T - S) : 1.0;
        if (PS.FitToPage() == fpShrink && kk > 1)
            kk = 1;
        if (PS.FitToPage() == fpGrow && kk < 1)
            kk = 1;
        if (PS.FitToPage() == fpCustom && kk != 1) {
            bool allow = true;
            if (G.OnFitToPage)
                G.OnFitToPage(&G, kk, allow);
            if (!allow)
                kk = 1;
        }
        if (kk != 1)
            for (int c = FRange.Left; c <= FRange.Right; ++c)
                FWidths[c] = int(std::trunc(FWidths[c] * kk));
        k = kk;
        G.Fontscalefactor = k;
    }
    if (G.OnPrintSetColumnWidth)
        for (int c = FRange.Left; c <= FRange.Right; ++c)
            G.OnPrintSetColumnWidth(&G, c, FWidths[c]);
    FLastRowAsked = -1;
    t = measureHtmlTitle();

    layoutPageColumns();
    FPageIndex = 0;
    if (drawing() && pageInRange() && G.OnPrintPage)
        G.OnPrintPage(&G, C, 1, W, H);
    bool stop = false;
    for (size_t pc = 0; pc < FPageColumns.size() && !stop; ++pc) {
        FPageColumn = int(pc);
        FPageInColumn = 0;
        FCol0 = FPageColumns[pc].first;
        FCol1 = FPageColumns[pc].second;
        FRepeatFixed = G.FixedCols() > 0 && PS.RepeatFixedCols() && (FCol0 > FRange.Left || G.FixedCols() < FRange.Left);
        int x = 0;
        if (FRepeatFixed)
            for (int i = 0; i < G.FixedCols(); ++i)
                x += FWidths[i] + s;
        for (int c = FCol0; c <= FCol1; ++c)
            x += colPasses(c) ? FWidths[c] + s : 0;
        G.FPrintPageWidth = x;
        G.FPrintColStart = FCol0;
        G.FPrintColEnd = FCol1;
        placeIndents(FCol0, FCol1, FRepeatFixed, x);

        int r = FRange.Top;
        while (!stop) {
            computeHeaderFooterHeights();
            int y = -E;
            drawHeaderFooter();
            y -= PS.TitleSpacing() + t;
            if (r > 0 && G.FixedRows() > 0 && PS.RepeatFixedRows() && (FPageInColumn > 0 || FRange.Top >= G.FixedRows()))
                for (int fr = 0; fr < G.FixedRows(); ++fr)
                    y -= printCells(fr, y, false);
            bool placed = false;
            while (r <= FRange.Bottom) {
                bool fits = true;
                if (rowPasses(r)) {
                    const int h = rowHeight(r);
                    // A row taller than a whole page prints clipped on a page of its own.
                    if (y - h > H + B || !placed) {
                        y -= printCells(r, y, false);
                        placed = true;
                        ++r;
                    } else {
                        fits = false;
                    }
                } else {
                    ++r;
                }
                bool newPage = false;
                if (G.OnPrintNewPage)
                    G.OnPrintNewPage(&G, r, newPage);
                if (!fits || newPage)
                    break;
                if (r <= FRange.Bottom && rowPasses(r) && y - rowHeight(r) < H + B)
                    break;
            }
            const bool moreRows = r <= FRange.Bottom;
            const bool more = moreRows || pc + 1 < FPageColumns.size();
            endPage(r, y, stop, more);
            if (!moreRows)
                break;
        }
    }
    return FPageIndex + 1;
}
