// Copy, cut and paste through the system clipboard: TAB-separated text always, the rich text of
// one cell, the grid's own cell stream and HTML. A cell with line breaks travels quoted (quotes
// doubled, CR LF as LF) so that it comes back whole; a paste grows the grid only within bounds.
#include "grid/NovaGrid.h"

#include "grid/FloatingFooter.h"
#include "grid/GridStreamCarriers.h"
#include "grid/base/GridDragDrop.h"
#include "grid/base/NumberDate.h"
#include "grid/base/UndoRedo.h"
#include "grid/base/VedAzirText.h"
#include "platform/ComponentStream.h"
#include "platform/TextFile.h"
#include "platform/TextFormat.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr QChar cbTab = QLatin1Char('\t');
constexpr QChar cbCR = QLatin1Char('\r');
constexpr QChar cbLF = QLatin1Char('\n');
constexpr QChar cbQuote = QLatin1Char('"');
const QString kWideMarker = QStringLiteral("|\\");

bool isRich(const QString &t) { return t.contains(QStringLiteral("{\\")); }

// The plain text of a rich text: control words and the groups that hold no text (font and colour
// tables, pictures, ignorable destinations) left out; \par and \line become CR LF.
QString richPlainText(const QString &rtf)
{
    QString out;
    std::vector<bool> skip{false};
    const qsizetype n = rtf.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = rtf[i];
        if (c == QLatin1Char('{')) {
            skip.push_back(skip.back());
            continue;
        }
        if (c == QLatin1Char('}')) {
            if (skip.size() > 1)
                skip.pop_back();
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < n) {
            const QChar d = rtf[i + 1];
            if (d == QLatin1Char('\\') || d == QLatin1Char('{') || d == QLatin1Char('}')) {
                if (!skip.back())
                    out += d;
                ++i;
                continue;
            }
            if (d == QLatin1Char('*')) {
                skip.back() = true;
                ++i;
                continue;
            }
            if (d == QLatin1Char('\'') && i + 3 < n) {
                if (!skip.back())
                    out += platform::decodeCodePage(QByteArray(1, char(rtf.mid(i + 2, 2).toInt(nullptr, 16))),
                                                    platform::TextEncoding::Ansi);
                i += 3;
                continue;
            }
            qsizetype j = i + 1;
            while (j < n && rtf[j].isLetter())
                ++j;
            const QString word = rtf.mid(i + 1, j - i - 1);
            qsizetype k = j;
            if (k < n && (rtf[k] == QLatin1Char('-') || rtf[k].isDigit()))
                ++k;
            while (k < n && rtf[k].isDigit())
                ++k;
            const QString num = rtf.mid(j, k - j);
            if (k < n && rtf[k] == QLatin1Char(' '))
                ++k;
            i = k - 1;
            static const QStringList destinations{QStringLiteral("fonttbl"), QStringLiteral("colortbl"),
                                                  QStringLiteral("stylesheet"), QStringLiteral("info"),
                                                  QStringLiteral("pict"), QStringLiteral("header"),
                                                  QStringLiteral("footer")};
            if (destinations.contains(word))
                skip.back() = true;
            else if (skip.back())
                continue;
            else if (word == QLatin1String("par") || word == QLatin1String("line"))
                out += QStringLiteral("\r\n");
            else if (word == QLatin1String("tab"))
                out += cbTab;
            else if (word == QLatin1String("u") && !num.isEmpty()) {
                out += QChar(char16_t(num.toInt() & 0xFFFF));
                if (i + 1 < n && rtf[i + 1] == QLatin1Char('?'))
                    ++i;
            }
            continue;
        }
        if (c == cbCR || c == cbLF || skip.back())
            continue;
        out += c;
    }
    while (out.endsWith(QStringLiteral("\r\n")))
        out.chop(2);
    return out;
}

// One TAB-separated field of pasted text back to its cell text: a quoted multi-line field loses
// its enclosing quotes and gets its doubled quotes and CR LF back.
QString unquoteField(QString f)
{
    if (!f.contains(cbLF) && !f.contains(QChar(11)))
        return f;
    if (f.startsWith(cbQuote) && f.endsWith(cbQuote) && f.size() >= 2) {
        f = f.mid(1, f.size() - 2);
        f.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    } else {
        if (f.startsWith(cbQuote))
            f.remove(0, 1);
        if (f.endsWith(cbQuote))
            f.chop(1);
    }
    f.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    f.replace(cbLF, QStringLiteral("\r\n"));
    f.replace(QChar(11), QStringLiteral("\r\n"));
    return f;
}

// Lines of pasted text (split at CR, an LF after it skipped; a lone LF also ends a line outside
// quotes) and each line's fields. A quoted field may hold line breaks.
std::vector<QStringList> splitPasted(const QString &text)
{
    std::vector<QStringList> lines;
    QStringList fields;
    QString field;
    bool quoted = false;
    bool fieldStart = true;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (fieldStart && c == cbQuote) {
            quoted = true;
            fieldStart = false;
            field += c;
            continue;
        }
        fieldStart = false;
        if (quoted) {
            field += c;
            if (c == cbQuote) {
                if (i + 1 < n && text[i + 1] == cbQuote) {
                    field += cbQuote;
                    ++i;
                } else
                    quoted = false;
            }
            continue;
        }
        if (c == cbTab) {
            fields << field;
            field.clear();
            fieldStart = true;
        } else if (c == cbCR || c == cbLF) {
            if (c == cbCR && i + 1 < n && text[i + 1] == cbLF)
                ++i;
            fields << field;
            lines.push_back(fields);
            fields.clear();
            field.clear();
            fieldStart = true;
        } else
            field += c;
    }
    if (!field.isEmpty() || !fields.isEmpty())
        lines.push_back(fields << field);
    return lines;
}

QString decodeWideField(const QString &f) { return f.startsWith(kWideMarker) ? DecodeWideText(f) : f; }

TGridRect normalized(TGridRect r)
{
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    return r;
}

} // namespace

// ---- text form of a range -----------------------------------------------------------------------

QString TNovaStringGrid::SelectionToText(const TGridRect &R, bool Disjunct)
{
    FClipTopLeft = {R.Left, R.Top};
    ExportNotification(esExportStart, -1);
    QString s;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        const int sr = FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r;
        if (FMouseActions->DisjunctRowSelect() && !RowSelect(sr) && Disjunct && !FMouseActions->DisjunctColSelect())
            continue;
        for (int c = R.Left; c <= R.Right; ++c) {
            if (FMouseActions->DisjunctColSelect() && !ColSelect(c) && Disjunct)
                continue;
            QString t = GetSaveCellText(RealColIndex(c), r);
            if (t.startsWith(kWideMarker))
                t = DecodeWideText(t);
            if (!FNavigation->CopyHTMLTagsToClipboard() && t.contains(QStringLiteral("</")))
                t = StrippedCells(RealColIndex(c), r);
            else if (isRich(t))
                t = richPlainText(t);
            if (t.contains(cbCR) || t.contains(cbLF)) {
                // Quoted as spreadsheets do: quotes doubled, one LF per line break.
                t.replace(cbQuote, QStringLiteral("\"\""));
                t.replace(QStringLiteral("\r\n"), QString(cbLF));
                t.replace(cbCR, cbLF);
                t = cbQuote + t + cbQuote;
            }
            s += t;
            if (c != R.Right)
                s += cbTab;
        }
        if (R.Bottom > R.Top)
            s += QStringLiteral("\r\n");
    }
    ExportNotification(esExportDone, -1);
    return s;
}

void TNovaStringGrid::CopyRTFCellToClipboard(int ACol, int ARow, QMimeData &Data)
{
    const QString t = Cells(ACol, ARow);
    if (isRich(t))
        Data.setData(GridMime::Rtf(), platform::encodeText(t, platform::TextEncoding::Ansi));
}

void TNovaStringGrid::CopyCellsToClipboardFmt(const TGridRect &R, QMimeData &Data)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    SaveRectToBinStream(TRect{R.Left, R.Top, R.Right, R.Bottom}, buf);
    Data.setData(GridMime::GridCells(), PackGridCells(bytes));
}

void TNovaStringGrid::SelectionToClipboard(const TGridRect &R, bool Disjunct)
{
    auto *data = new QMimeData;
    data->setText(SelectionToText(R, Disjunct));
    if (FNavigation->AllowRTFClipboard())
        CopyRTFCellToClipboard(R.Left, R.Top, *data);
    if (FNavigation->AllowFmtClipboard())
        CopyCellsToClipboardFmt(R, *data);
    QGuiApplication::clipboard()->setMimeData(data);
}

void TNovaStringGrid::ExtendSelectionToMergedCells()
{
    TGridRect s = Selection();
    const TGridRect old = s;
    if (IsMergedCell(s.Left, s.Top)) {
        const TPoint b = GetCellProperties(s.Left, s.Top)->GetBaseCell(s.Left, s.Top);
        s.Left = std::min(s.Left, b.X);
        s.Top = std::min(s.Top, b.Y);
    }
    if (IsMergedCell(s.Right, s.Bottom)) {
        const TPoint b = GetCellProperties(s.Right, s.Bottom)->GetBaseCell(s.Right, s.Bottom);
        const TCellProperties *p = GetCellProperties(b.X, b.Y);
        s.Right = std::max(s.Right, b.X + std::max(0, p->CellSpanX()));
        s.Bottom = std::max(s.Bottom, b.Y + std::max(0, p->CellSpanY()));
    }
    if (!(s == old))
        SetSelection(s);
}

void TNovaStringGrid::CopySelectionToClipboard()
{
    ExtendSelectionToMergedCells();
    if (!FNavigation->AllowFmtClipboard() && FMouseActions->DisjunctRowSelect())
        SelectionToClipboard({FixedCols(), SaveStartRow(), ColCount() - FixedRightCols() - 1, SaveEndRow()}, true);
    else if (!FNavigation->AllowFmtClipboard() && FMouseActions->DisjunctColSelect())
        SelectionToClipboard({SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, true);
    else
        SelectionToClipboard(normalized(Selection()), false);
    FClipLastOp = coCopy;
}

void TNovaStringGrid::CopyToClipBoard()
{
    SelectionToClipboard({SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, false);
    FClipLastOp = coCopy;
}

void TNovaStringGrid::CutToClipboard()
{
    CopyToClipBoard();
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        for (int c = SaveStartCol(); c <= SaveEndCol(); ++c)
            if (IsEditable(RealColIndex(c), r) || FNavigation->AllowClipboardAlways())
                SetCells(c, r, QString());
        if (ShowModified()->Enabled)
            SetRowModified(r, true);
    }
    FClipLastOp = coCut;
}

void TNovaStringGrid::CutSelectionToClipboard()
{
    const TGridRect sel = normalized(Selection());
    CopySelectionToClipboard();
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = RowCount() - 1; r >= FixedRows(); --r)
            if (RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(r) : r)) {
                ClearRows(r, 1);
                if (ShowModified()->Enabled)
                    SetRowModified(r, true);
            }
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (ColSelect(c))
                ClearCols(c, 1);
    } else {
        ZOdeRodeDeriDozu *undo = UndoRedo();
        if (undo)
            undo->StartSequence();
        for (int r = sel.Top; r <= sel.Bottom; ++r) {
            for (int c = sel.Left; c <= sel.Right; ++c)
                if (IsEditable(RealColIndex(c), r) || FNavigation->AllowClipboardAlways()) {
                    if (undo)
                        undo->RegisterChange(c, r, Cells(c, r), QString());
                    SetCells(c, r, QString());
                }
            if (ShowModified()->Enabled)
                SetRowModified(r, true);
        }
        if (undo)
            undo->StopSequence();
        if (FNavigation->AllowFmtClipboard())
            FreeCellPropertiesRange(sel.Left, sel.Top, sel.Right, sel.Bottom);
    }
    FClipLastOp = coCut;
    FireEvent(OnCellsChanged, this, sel);
    if (NumHiddenColumns() > 0)
        InvalidateGrid();
}

void TNovaStringGrid::CopyToClipBoardAsHTML()
{
    const QString html = SaveToHTMLString(QString());
    auto *data = new QMimeData;
    data->setHtml(html);
    data->setText(html);
    QGuiApplication::clipboard()->setMimeData(data);
}

QString TNovaStringGrid::GetSelectionAsText() { return SelectionToText(normalized(Selection()), false); }

void TNovaStringGrid::SetSelectionAsText(const QString &Value)
{
    const TGridRect sel = normalized(Selection());
    int r = sel.Top;
    int maxCol = sel.Left;
    const auto lines = splitPasted(Value);
    for (size_t li = 0; li < lines.size(); ++li) {
        int c = sel.Left;
        for (const QString &raw : lines[li]) {
            QString f = unquoteField(raw);
            if (f.startsWith(kWideMarker))
                f = EncodeWideText(DecodeWideText(f));
            if (c >= ColCount() && c < MaxPasteCols)
                SetColCount(c + 1);
            if (c < ColCount() && r < pasteRowLimit())
                SetGridCell(c, r, f);
            maxCol = std::max(maxCol, c);
            ++c;
        }
        if (li + 1 < lines.size()) {
            ++r;
            if (r >= pasteRowLimit() && r < MaxPasteRows)
                SetRowCount(RowCount() + 1);
        }
    }
    CellsChanged({RealColIndex(sel.Left), sel.Top, RealColIndex(std::min(maxCol, ColCount() - 1)), r});
}

QString TNovaStringGrid::SelectedText()
{
    TGridRect s = normalized(Selection());
    if (Options().Contains(goRowSelect) && FDragDropSettings->OleEntireRows()) {
        s.Left = 0;
        s.Right = ColCount() - 1;
    }
    QStringList rows;
    for (int r = s.Top; r <= s.Bottom; ++r) {
        if (FMouseActions->DisjunctRowSelect() && (r < FixedRows() || !RowSelect(r)))
            continue;
        QStringList cells;
        for (int c = s.Left; c <= s.Right; ++c) {
            QString t = Cells(c, r);
            if (isRich(t))
                t = richPlainText(t);
            if (Multilinecells() && t.contains(cbCR) && ExcelClipboardFormat())
                t = QuoteMultiLineText(t);
            cells << t;
        }
        rows << cells.join(cbTab);
    }
    return rows.join(QStringLiteral("\r\n"));
}

// ---- paste --------------------------------------------------------------------------------------

void TNovaStringGrid::SetPastedCell(int ACol, int ARow, const QString &Value)
{
    const int rc = RealColIndex(ACol);
    if (ZOdeRodeDeriDozu *undo = UndoRedo())
        undo->RegisterChange(ACol, ARow, Cells(ACol, ARow), Value);
    if (HasCheckBox(rc, ARow)) {
        QString t = CheckTrue();
        GetCheckTrue(rc, ARow, t);
        SetCheckBoxStateNotify(rc, ARow, Value == t);
    } else
        SetCells(ACol, ARow, Value);
    if (rc != ACol)
        RepaintCell(ACol, ARow);
}

int TNovaStringGrid::pasteRowLimit()
{
    const bool footerRow = FloatingFooterShown() && FloatingFooter()->FooterStyle() == fsFixedLastRow;
    return footerRow ? RowCount() - 1 : RowCount();
}

void TNovaStringGrid::PasteBegin() {}
void TNovaStringGrid::PasteEnd() {}

void TNovaStringGrid::CellsPasted(TPoint, const TGridRect &R, TClipOperation)
{
    if (ShowModified()->Enabled)
        for (int r = R.Top; r <= R.Bottom; ++r)
            SetRowModified(r, true);
}

bool TNovaStringGrid::UseGridClipboardFormat() { return FNavigation->AllowFmtClipboard(); }

int TNovaStringGrid::PasteTextIntoCells(int ACol, int ARow, int &Rows, int &Cols, const QString &Text)
{
    Rows = Cols = 0;
    if (ACol < 0 || ARow < 0
        || !(Options().Contains(goEditing) || FNavigation->AllowClipboardAlways() || FMouseActions->RangeSelectAndEdit()))
        return 0;
    const auto lines = splitPasted(Text);
    ZOdeRodeDeriDozu *undo = UndoRedo();
    if (undo)
        undo->StartSequence();
    int r = ARow;
    int fieldsRead = 0;
    TGridRect pasted{ACol, ARow, ACol, ARow};
    bool any = false;
    for (size_t li = 0; li < lines.size(); ++li) {
        const QStringList &fields = lines[li];
        ImportNotification(FPasteAll ? isImportNewRow : isImportSelRow, r);
        if (FNavigation->ClipboardPasteAction() == paInsert && !(fields.size() == 1 && fields[0].isEmpty()))
            InsertRows(r, 1);
        int c = ACol;
        for (qsizetype fi = 0; fi < fields.size(); ++fi) {
            ++fieldsRead;
            QString f = unquoteField(fields[fi]);
            if (c < ColCount() && r < pasteRowLimit()
                && (IsEditable(RealColIndex(c), r) || FNavigation->AllowClipboardAlways())) {
                bool allow = true;
                const bool wide = f.startsWith(kWideMarker);
                if (wide) {
                    QString w = DecodeWideText(f);
                    FireEvent(OnClipboardBeforePasteWideCell, this, c, r, w, allow);
                    f = EncodeWideText(w);
                } else
                    FireEvent(OnClipboardBeforePasteCell, this, c, r, f, allow);
                if (allow) {
                    SetPastedCell(c, r, f);
                    if (!any)
                        pasted = {c, r, c, r};
                    any = true;
                    pasted.Left = std::min(pasted.Left, c);
                    pasted.Right = std::max(pasted.Right, c);
                    pasted.Top = std::min(pasted.Top, r);
                    pasted.Bottom = std::max(pasted.Bottom, r);
                    if (wide)
                        FireEvent(OnClipboardAfterPasteWideCell, this, c, r, DecodeWideText(f));
                    else
                        FireEvent(OnClipboardAfterPasteCell, this, c, r, f);
                }
            }
            if (fi + 1 < fields.size()) {
                ++c;
                if (c >= ColCount() && FNavigation->AllowClipboardColGrow() && c < MaxPasteCols)
                    SetColCount(c + 1);
            }
        }
        Cols = int(fields.size());
        if (li + 1 < lines.size()) {
            ++r;
            if (r >= pasteRowLimit() && FNavigation->AllowClipboardRowGrow() && r < MaxPasteRows)
                SetRowCount(RowCount() + 1);
        }
    }
    if (undo)
        undo->StopSequence();
    Rows = int(lines.size());
    CellsPasted(FClipTopLeft, pasted, FClipLastOp);
    if (any)
        CellsChanged({RealColIndex(pasted.Left), pasted.Top, RealColIndex(pasted.Right), pasted.Bottom});
    return fieldsRead;
}

int TNovaStringGrid::PasteFromClipboardCore(int ACol, int ARow, int &Rows, int &Cols)
{
    Rows = Cols = 0;
    const QMimeData *md = QGuiApplication::clipboard()->mimeData();
    if (!md)
        return 0;
    const TEnumFormats f(md);
    QByteArray stream;
    if (UseGridClipboardFormat() && f.Stream(stream)) {
        PasteBegin();
        qsizetype pos = 0;
        platform::StreamRecord rec;
        TGridPropIO head;
        if (!platform::readRecord(stream, pos, rec) || rec.className != "TGridPropIO") {
            PasteEnd();
            return 0;
        }
        head.FromRecord(rec);
        if (FNavigation->AllowClipboardRowGrow() || FNavigation->AllowClipboardColGrow()
            || FNavigation->ClipboardPasteAction() == paInsert) {
            if (ACol + head.ColCount >= ColCount() && FNavigation->AllowClipboardColGrow()
                && ACol + head.ColCount <= MaxPasteCols)
                SetColCount(ACol + head.ColCount);
            const int footer = RowCount() - pasteRowLimit();
            if (ARow + head.RowCount >= pasteRowLimit() && FNavigation->AllowClipboardRowGrow()
                && ARow + head.RowCount <= MaxPasteRows)
                SetRowCount(ARow + head.RowCount + footer);
            Rows = RowCount();
            Cols = ColCount();
            if (FNavigation->ClipboardPasteAction() == paInsert)
                InsertRows(ARow, head.RowCount);
        }
        QBuffer buf(&stream);
        buf.open(QIODevice::ReadOnly);
        LoadAtPointFromBinStream({ACol, ARow}, buf);
        const TGridRect R{ACol, ARow, ACol + head.ColCount - 1, ARow + head.RowCount - 1};
        const bool own = head.ID == std::int32_t(qHash(quintptr(this)) & 0x7FFFFFFF);
        CellsPasted(own ? FClipTopLeft : TPoint{-1, -1}, R, FClipLastOp);
        PasteEnd();
        return head.ColCount * head.RowCount;
    }
    if (FNavigation->AllowRTFClipboard() && f.HasRTF()) {
        if (IsEditable(RealColIndex(ACol), ARow))
            SetPastedCell(ACol, ARow, f.RTF());
        Rows = Cols = 1;
        return 0;
    }
    if (md->hasText())
        return PasteTextIntoCells(ACol, ARow, Rows, Cols, md->text());
    return 0;
}

void TNovaStringGrid::PasteFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteAll = true;
    int rows = 0, cols = 0;
    PasteFromClipboardCore(SaveStartCol(), SaveStartRow(), rows, cols);
    FPasteAll = false;
    ImportNotification(isImportDone, -1);
    CellsLoaded();
}

void TNovaStringGrid::pasteIntoCell(int c, int r, const QString &Value, bool Events, const TGridRect &)
{
    if (!(IsEditable(RealColIndex(c), r) || FNavigation->AllowClipboardAlways()))
        return;
    QString v = Value;
    bool allow = true;
    if (Events)
        FireEvent(OnClipboardBeforePasteCell, this, c, r, v, allow);
    if (!allow)
        return;
    SetPastedCell(c, r, v);
    CellsPasted(FClipTopLeft, {c, r, c, r}, coCopy);
    if (Events)
        FireEvent(OnClipboardAfterPasteCell, this, c, r, v);
}

// Fills a one-column or one-row selection from its first two cells; false when the texts are
// no date, time or number series.
bool TNovaStringGrid::smartSeries(const TGridRect &S, int)
{
    const bool oneCol = S.Left == S.Right;
    const QString first = Cells(S.Left, S.Top);
    const QString second = oneCol ? Cells(S.Left, S.Top + 1) : Cells(S.Left + 1, S.Top);
    std::vector<TPoint> cells;
    for (int c = S.Left; c <= S.Right; ++c)
        for (int r = S.Top; r <= S.Bottom; ++r)
            cells.push_back({c, r});
    auto fill = [&](const std::function<bool(QString &)> &next) {
        for (size_t i = 0; i < cells.size(); ++i) {
            QString v;
            if (!next(v))
                return; // a value out of range ends the series
            pasteIntoCell(cells[i].X, cells[i].Y, v, i > 0, S);
        }
    };
    const QChar ds = LocaleDateSeparator();
    auto hasDate = [ds](const QString &t) {
        const qsizetype a = t.indexOf(ds);
        const qsizetype b = a < 0 ? -1 : t.indexOf(ds, a + 1);
        return a > 0 && b > a + 1;
    };
    const QChar ts = LocaleTimeSeparator();
    if ((hasDate(first) && hasDate(second)) || first.contains(ts)) {
        TDateTime a = 0, b = 0;
        if (ParseLocaleDateTime(first, a) && ParseLocaleDateTime(second, b)) {
            int y1, m1, d1, y2, m2, d2;
            DecodeDate(a, y1, m1, d1);
            DecodeDate(b, y2, m2, d2);
            const int dy = y2 - y1, dm = m2 - m1, dd = d2 - d1;
            const bool isDate = first.contains(ds);
            TDateTime v = a;
            fill([&](QString &out) {
                if (!std::isfinite(v) || v < -693593 || v > 2958465)
                    return false;
                out = isDate ? DateToStr(v) : TimeToStr(v);
                try {
                    v = IncDateBy(dy, dm, dd, v, b - a);
                } catch (const std::exception &) {
                    v = std::numeric_limits<double>::quiet_NaN(); // the next value cannot be made
                }
                return true;
            });
        }
        return true;
    }
    const QChar dec = LocaleDecimalSeparator();
    if (first.contains(dec) || second.contains(dec)) {
        double a = 0, b = 0;
        QString fa = first, fb = second;
        fa.replace(dec, QLatin1Char('.'));
        fb.replace(dec, QLatin1Char('.'));
        if (TryPlainTextToFloat(fa, a) && TryPlainTextToFloat(fb, b)) {
            const double step = b - a;
            double v = a;
            fill([&](QString &out) {
                if (!std::isfinite(v))
                    return false;
                out = platform::checkedFormatText(FloatFormat(), {v});
                v += step;
                return true;
            });
        }
        return true;
    }
    int ia = 0, ib = 0;
    if (TryTextToInt(first, ia) && TryTextToInt(second, ib)) {
        const qint64 step = qint64(ib) - ia;
        qint64 v = ia;
        fill([&](QString &out) {
            // Integers stop before they overflow.
            if (v > INT_MAX || v < INT_MIN)
                return false;
            out = QString::number(v);
            v += step;
            return true;
        });
        return true;
    }
    return false;
}

void TNovaStringGrid::PasteSelectionFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteAll = false;
    ExtendSelectionToMergedCells();
    const TGridRect S = normalized(Selection());
    int rows = 0, cols = 0;
    const int n = Options().Contains(goRowSelect) ? PasteFromClipboardCore(FixedCols(), S.Top, rows, cols)
                                                  : PasteFromClipboardCore(S.Left, S.Top, rows, cols);
    auto done = [&] {
        ImportNotification(isImportDone, -1);
        CellsChanged(S);
        CellsLoaded();
    };
    const int selCells = (S.Right - S.Left + 1) * (S.Bottom - S.Top + 1);
    if (!FNavigation->AllowSmartClipboard() || n == selCells + 1) {
        ImportNotification(isImportDone, -1);
        return;
    }
    PasteBegin();
    if (n == 1 && selCells > 1) {
        QString v = Cells(S.Left, S.Top);
        const int rc = RealColIndex(S.Left);
        if (HasCheckBox(rc, S.Top)) {
            bool st = false;
            GetCheckBoxState(rc, S.Top, st);
            v = st ? CheckTrue() : CheckFalse();
        }
        for (int c = S.Left; c <= S.Right; ++c)
            for (int r = S.Top; r <= S.Bottom; ++r)
                pasteIntoCell(c, r, v, !(c == S.Left && r == S.Top), S);
        PasteEnd();
        done();
        return;
    }
    PasteEnd();
    if (n > 1 && (S.Left == S.Right || S.Top == S.Bottom) && selCells > 1) {
        if (!smartSeries(S, n)) {
            // The pasted block repeats along the selection.
            if (S.Left == S.Right) {
                for (int r = S.Top + n; r <= S.Bottom; ++r)
                    pasteIntoCell(S.Left, r, Cells(S.Left, r - n), true, S);
            } else {
                for (int c = S.Left + n; c <= S.Right; ++c)
                    pasteIntoCell(c, S.Top, Cells(c - n, S.Top), true, S);
            }
        }
        done();
        return;
    }
    if (S.Right > S.Left && S.Bottom > S.Top) {
        if (rows == 1)
            for (int r = S.Top + 1; r <= S.Bottom; ++r) {
                int rr = 0, cc = 0;
                PasteFromClipboardCore(S.Left, r, rr, cc);
            }
        else if (cols == 1)
            for (int c = S.Left + 1; c <= S.Right; ++c) {
                int rr = 0, cc = 0;
                PasteFromClipboardCore(c, S.Top, rr, cc);
            }
        SetSelection(S);
    }
    done();
}
