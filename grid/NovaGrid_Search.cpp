// Finding cells by their text, continuing a search, replacing, and bringing a cell into view.
//
// One engine walks the search range row by row or column by column, forwards or backwards, and
// remembers its last search so that FindNext can continue it. Without match case the texts are
// compared ignoring case; an empty search text matches nothing, two double quotes match empty cells.
#include "grid/NovaGrid.h"

#include "grid/base/FilterExpr.h"
#include "grid/base/MarkupHelpers.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace {
const QString kEmptyCell = QStringLiteral("\"\"");

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

// An ASCII cell against an ASCII search text (lower-cased without match case): for such texts Qt's
// case folding is that of the letters A-Z, so this answers what QStringView's matching answers.
bool matchAscii(std::string_view t, std::string_view s, bool matchCase, bool full, bool start)
{
    const auto at = [&](std::size_t i) {
        if (matchCase)
            return t.compare(i, s.size(), s) == 0;
        for (std::size_t k = 0; k < s.size(); ++k)
            if (lowerAscii(t[i + k]) != s[k])
                return false;
        return true;
    };
    if (full)
        return t.size() == s.size() && at(0);
    if (t.size() < s.size())
        return false;
    if (start)
        return at(0);
    const char first = s[0];
    for (std::size_t i = 0; i + s.size() <= t.size(); ++i)
        if ((matchCase ? t[i] : lowerAscii(t[i])) == first && at(i))
            return true;
    return false;
}
// Upper case character by character: a character whose upper case is longer ("ß") stays itself, so
// that the cached search text still matches what was searched for.
QString upperEach(const QString &t)
{
    QString u;
    u.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        char32_t c = t[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < t.size() && t[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(t[i].unicode(), t[++i].unicode());
        const char32_t up = QChar::toUpper(c);
        if (QChar::requiresSurrogates(up)) {
            u.append(QChar(QChar::highSurrogate(up)));
            u.append(QChar(QChar::lowSurrogate(up)));
        } else {
            u.append(QChar(char16_t(up)));
        }
    }
    return u;
}
} // namespace

// Text is the caller's buffer, reused from cell to cell so that reading a cell allocates nothing.
bool TNovaStringGrid::matchCellText(int ACol, int ARow, bool Wide, QString &text)
{
    const TFindParams fp = FFindParams;
    if (!fp.Contains(fnIncludeHiddenColumns))
        ACol = RealColIndex(ACol);
    // A plain ASCII cell of the store, read as it is shown, is matched on its bytes.
    if (!Wide && !FSearchAscii.empty() && !fp.Contains(fnIncludeHiddenRows) && !fp.Contains(fnIgnoreHTMLTags)
        && displayHooksIdle() && !Store().RowHasObjects(ARow)) {
        std::string_view bytes;
        if (Store().AsciiView(ACol, ARow, bytes))
            return matchAscii(bytes, FSearchAscii, fp.Contains(fnMatchCase), fp.Contains(fnMatchFull),
                              fp.Contains(fnMatchStart));
    }
    if (fp.Contains(fnIncludeHiddenRows))
        text = AllCells(ACol, ARow);
    else
        readDisplayText(ACol, ARow, text);
    if (!Wide && fp.Contains(fnIgnoreHTMLTags))
        text = StripMarkup(text);
    const QString &s = Wide ? SearchCacheWide : SearchCache;
    if (fp.Contains(fnMatchRegular))
        return MatchFilterCondition(SearchCache, text, fp.Contains(fnMatchCase));
    if (SearchCache == kEmptyCell || (Wide && SearchCacheWide == kEmptyCell))
        return text.isEmpty();
    if (s.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = fp.Contains(fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QStringView t(text);
    if (fp.Contains(fnMatchFull))
        return t.compare(s, cs) == 0;
    if (fp.Contains(fnMatchStart))
        return t.startsWith(s, cs);
    return t.contains(s, cs);
}

TPoint TNovaStringGrid::findCellCore(TPoint StartCell, const QString &s, TFindParams fp, bool Wide, const QString &ws)
{
    FFindParams = fp;
    const bool matchCase = fp.Contains(fnMatchCase);
    SearchCache = matchCase ? s : upperEach(s);
    SearchCacheWide = matchCase ? ws : upperEach(ws);
    FSearchAscii.clear();
    if (!fp.Contains(fnMatchRegular) && SearchCache != kEmptyCell
        && std::all_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 0x80; }))
        for (QChar c : s)
            FSearchAscii.push_back(matchCase ? char(c.unicode()) : lowerAscii(char(c.unicode())));
    TPoint result{-1, -1};
    if (ColCount() == FixedCols() || ColCount() == 0 || RowCount() + NumHiddenRows() == FixedRows()
        || RowCount() == 0)
        return result;

    int c0, c1, r0, r1;
    if (fp.Contains(fnIncludeFixed)) {
        c0 = 0, c1 = ColCount() - 1, r0 = 0, r1 = RowCount() - 1;
    } else {
        c0 = FixedCols(), c1 = ColCount() - FFixedRightCols - 1;
        r0 = FixedRows(), r1 = RowCount() - FFixedFooters - 1;
    }
    if (fp.Contains(fnSelectedCells)) {
        const TGridRect sel = Selection();
        c0 = sel.Left, c1 = sel.Right, r0 = sel.Top, r1 = sel.Bottom;
    }
    if (fp.Contains(fnIncludeHiddenColumns))
        c1 += NumHiddenColumns();
    if (fp.Contains(fnIncludeHiddenRows))
        r1 += NumHiddenRows();

    const bool back = fp.Contains(fnBackward);
    const bool byRow = fp.Contains(fnDirectionLeftRight);
    int X = StartCell.X, Y = StartCell.Y;
    if (X == -1 && Y == -1) {
        X = back ? c1 : c0;
        Y = back ? r1 : r0;
    } else if (byRow) {
        if (!back) {
            if (X <= c1) ++X;
            else if (Y <= r1) ++Y;
            else X = c0, Y = r0;
        } else {
            if (X >= c0) --X;
            else if (Y >= r0) --Y;
            else X = c1, Y = r1;
        }
    } else {
        if (!back) {
            if (Y <= r1) ++Y;
            else if (X <= c1) ++X;
            else X = c0, Y = r0;
        } else {
            if (Y >= r0) --Y;
            else if (X >= c0) --X;
            else X = c1, Y = r1;
        }
    }
    if (fp.Contains(fnFindInCurrentRow))
        Y = r0 = r1 = Row();
    if (fp.Contains(fnFindInPresetRow))
        Y = r0 = r1 = FindRow;
    if (fp.Contains(fnFindInCurrentCol))
        X = c0 = c1 = Col();
    if (fp.Contains(fnFindInPresetCol))
        X = c0 = c1 = FindCol;

    const int d = back ? -1 : 1;
    bool found = false;
    QString text;
    if (byRow) {
        while (!found && r0 <= Y && Y <= r1) {
            while (c0 <= X && X <= c1) {
                ExportNotification(esExportNewRow, Y);
                if (!IsIgnoredColumn(X) && matchCellText(X, Y, Wide, text)) {
                    found = true;
                    break;
                }
                X += d;
            }
            if (found)
                break;
            X = fp.Contains(fnFindInCurrentCol) ? Col() : (back ? c1 : c0);
            Y += d;
        }
    } else {
        while (!found && c0 <= X && X <= c1) {
            while (r0 <= Y && Y <= r1) {
                ExportNotification(esExportNewRow, Y);
                if (matchCellText(X, Y, Wide, text)) {
                    found = true;
                    break;
                }
                Y += d;
            }
            if (found)
                break;
            Y = fp.Contains(fnFindInCurrentRow) ? Row() : (back ? r1 : r0);
            X += d;
        }
    }
    if (!found)
        return result;

    result = {X, Y};
    SearchCell = result;
    if (fp.Contains(fnAutoGoto)) {
        int target = Y;
        if (fp.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0) {
            if (IsHiddenRow(Y) && HasNodes()) {
                int count = FixedRows(), r = FixedRows(), node = RowCount() - 1;
                for (; r <= RowCount() - 2; ++r) {
                    if (IsNode(r))
                        count += GetNodeSpan(r);
                    if (count >= Y) {
                        node = r;
                        break;
                    }
                }
                ExpandNode(RealRowIndex(node));
            }
            target = DisplRowIndex(Y);
        }
        if (FMouseActions->DisjunctRowSelect()) {
            ClearRowSelect();
            SetRowSelect(target, true);
            SetRow(target);
        } else {
            SetRow(target);
            SetCol(X);
        }
    }
    return result;
}

TPoint TNovaStringGrid::Find(TPoint StartCell, const QString &s, TFindParams fp)
{
    ExportNotification(esExportStart, -1);
    const TPoint res = findCellCore(StartCell, s, fp, false, QString());
    ExportNotification(res.X == -1 ? esExportDone : esExportFail, -1);
    if (res.X != -1 && fp.Contains(fnAutoGoto)) {
        const int a = FloatingFooterShown() ? 2 : 0;
        if (TopRow() + VisibleRowCount() - 2 - a < Row() && VisibleRowCount() + FixedRows() + a < RowCount())
            SetTopRow(std::min(TopRow() + 1 + a, RowCount() - 1));
    }
    return res;
}

TPoint TNovaStringGrid::FindWide(TPoint StartCell, const QString &s, TFindParams fp)
{
    ExportNotification(esExportStart, -1);
    const TPoint res = findCellCore(StartCell, QString(), fp, true, s);
    ExportNotification(res.X == -1 ? esExportDone : esExportFail, -1);
    return res;
}

TPoint TNovaStringGrid::FindFirst(const QString &s, TFindParams fp)
{
    SearchCell = Find({-1, -1}, s, fp);
    return SearchCell;
}

TPoint TNovaStringGrid::FindNext()
{
    SearchCell = Find(SearchCell, SearchCache, FFindParams);
    return SearchCell;
}

// Replaces in every matching cell. A cell found again (a search restricted to the current row or
// column steps back onto its last match) ends the run, so a replacement that still holds the
// searched text cannot loop.
int TNovaStringGrid::Replace(const QString &OrigStr, const QString &NewStr, TFindParams fp)
{
    std::set<std::pair<int, int>> changed;
    int count = 0;
    TPoint at{-1, -1};
    for (;;) {
        at = Find(at, OrigStr, fp);
        if (at.X == -1 || !changed.insert({at.X, at.Y}).second)
            break;
        const int c = fp.Contains(fnIncludeHiddenColumns) ? at.X : RealColIndex(at.X);
        QString t = Cells(c, at.Y);
        t.replace(OrigStr, NewStr, Qt::CaseInsensitive);
        SetCells(c, at.Y, t);
        if (ShowModified()->Enabled)
            SetRowModified(at.Y, true);
        ++count;
    }
    return count;
}

void TNovaStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount())
        return;
    int a = LeftCol(), b = TopRow();
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + VisibleColCount()) {
        SetCol(ColIndex);
        a = std::max(ColIndex - VisibleColCount() / 2, FixedCols());
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + VisibleRowCount()) {
        SetRow(RowIndex);
        b = std::max(RowIndex - VisibleRowCount() / 2, FixedRows());
    }
    a = std::min(a, ColCount() - VisibleColCount() + 1);
    if (FixedCols() + VisibleColCount() < ColCount())
        SetLeftCol(std::max(a, FixedCols()));
    b = std::min(b, RowCount() - VisibleRowCount() + 1);
    if (FixedRows() + VisibleRowCount() >= RowCount())
        return;
    SetTopRow(std::max(b, FixedRows()));
    if (FSearchFooter->Visible()) {
        int usable = ClientHeight() - SearchPanelHeight();
        if (LeftCol() > FixedCols() && horizontalScrollBar()->isVisible())
            usable -= horizontalScrollBar()->height();
        while (CellRect(DisplColIndex(Col()), RowIndex).Bottom > usable
               && TopRow() + VisibleRowCount() < RowCount() && TopRow() < RowIndex) {
            const int before = TopRow();
            SetTopRow(TopRow() + 1);
            if (TopRow() == before)
                break;
        }
    }
}
