// Highlighting ("hi" tags) and error marks ("e" tags) of text occurrences in cells. Both rewrite
// the cell texts: the text is escaped, each occurrence wrapped in the tag; removing the tags and
// unescaping once gives the cell its text back.
#include "grid/NovaGrid.h"

#include "grid/base/MarkupHelpers.h"

#include <QRegularExpression>

namespace {

const QString kHi = QStringLiteral("hi");
const QString kMark = QStringLiteral("e");

// Removes <tag> and </tag> in any letter case, entities left alone.
QString removeTags(const QString &text, const QString &tag)
{
    const QRegularExpression re(QStringLiteral("</?%1>").arg(QRegularExpression::escape(tag)),
                                QRegularExpression::CaseInsensitiveOption);
    QString t = text;
    t.remove(re);
    return t;
}

} // namespace

QString TNovaStringGrid::HilightText(bool DoCase, const QString &S, const QString &Text)
{
    return HighlightMarkupText(S, Text, kHi, DoCase);
}

QString TNovaStringGrid::UnHilightText(const QString &S) { return UnhighlightMarkupText(S, kHi); }

QString TNovaStringGrid::MarkText(bool DoCase, const QString &S, const QString &Text)
{
    return HighlightMarkupText(S, Text, kMark, DoCase);
}

QString TNovaStringGrid::UnMarkText(const QString &S) { return UnhighlightMarkupText(S, kMark); }

void TNovaStringGrid::hilightRange(const QString &Text, const QString &Tag, int R1, int R2, int C1, int C2,
                                   bool DoCase)
{
    const QString search = EscapeHTMLText(Text, false);
    for (int r = R1; r <= R2; ++r)
        for (int c = C1; c <= C2; ++c) {
            if (IsMergedNonBaseCell(c, r))
                continue;
            const QString t = OnGetDisplText ? Cells(c, r) : GetGridCell(c, r);
            SetCells(c, r, HighlightMarkupText(EscapeHTMLText(t, false), search, Tag, DoCase));
        }
}

// The tags go first, then the entities are turned back once: "&lt;b" written as text stays so.
void TNovaStringGrid::unHilightRange(const QString &Tag, int R1, int R2, int C1, int C2)
{
    for (int r = R1; r <= R2; ++r)
        for (int c = C1; c <= C2; ++c) {
            if (IsMergedNonBaseCell(c, r))
                continue;
            const QString t = OnGetDisplText ? Cells(c, r) : GetGridCell(c, r);
            const QString clean = UnescapeHTMLText(removeTags(t, Tag), false);
            if (clean != t)
                SetCells(c, r, clean);
        }
}

void TNovaStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString &HiText)
{
    hilightRange(HiText, kHi, Row, Row, Col, Col, DoCase);
}

void TNovaStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString &HiText)
{
    hilightRange(HiText, kMark, Row, Row, Col, Col, DoCase);
}

void TNovaStringGrid::UnHilightInCell(int Col, int Row) { unHilightRange(kHi, Row, Row, Col, Col); }
void TNovaStringGrid::UnMarkInCell(int Col, int Row) { unHilightRange(kMark, Row, Row, Col, Col); }

void TNovaStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText)
{
    const int r1 = DoFixed ? 0 : FixedRows(), r2 = DoFixed ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
    hilightRange(HiText, kHi, r1, r2, Col, Col, DoCase);
}

void TNovaStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString &HiText)
{
    const int r1 = DoFixed ? 0 : FixedRows(), r2 = DoFixed ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
    hilightRange(HiText, kMark, r1, r2, Col, Col, DoCase);
}

void TNovaStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    const int r1 = DoFixed ? 0 : FixedRows(), r2 = DoFixed ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
    unHilightRange(kHi, r1, r2, Col, Col);
}

void TNovaStringGrid::UnMarkInCol(bool DoFixed, int Col)
{
    const int r1 = DoFixed ? 0 : FixedRows(), r2 = DoFixed ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
    unHilightRange(kMark, r1, r2, Col, Col);
}

void TNovaStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText)
{
    const int c1 = DoFixed ? 0 : FixedCols(), c2 = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    hilightRange(HiText, kHi, Row, Row, c1, c2, DoCase);
}

void TNovaStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString &HiText)
{
    const int c1 = DoFixed ? 0 : FixedCols(), c2 = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    hilightRange(HiText, kMark, Row, Row, c1, c2, DoCase);
}

void TNovaStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    const int c1 = DoFixed ? 0 : FixedCols(), c2 = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    unHilightRange(kHi, Row, Row, c1, c2 + NumHiddenColumns());
}

void TNovaStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
    const int c1 = DoFixed ? 0 : FixedCols(), c2 = DoFixed ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
    unHilightRange(kMark, Row, Row, c1, c2 + NumHiddenColumns());
}

void TNovaStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString &HiText)
{
    if (DoFixed)
        hilightRange(HiText, kHi, 0, RowCount() - 1, 0, ColCount() - 1, DoCase);
    else
        hilightRange(HiText, kHi, FixedRows(), RowCount() - FFixedFooters - 1, FixedCols(),
                     ColCount() - FFixedRightCols - 1 + NumHiddenColumns(), DoCase);
}

void TNovaStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString &HiText)
{
    if (DoFixed)
        hilightRange(HiText, kMark, 0, RowCount() - 1, 0, ColCount() - 1, DoCase);
    else
        hilightRange(HiText, kMark, FixedRows(), RowCount() - FFixedFooters - 1, FixedCols(),
                     ColCount() - FFixedRightCols - 1, DoCase);
}

void TNovaStringGrid::UnHilightInGrid(bool DoFixed)
{
    if (DoFixed)
        unHilightRange(kHi, 0, RowCount() - 1, 0, ColCount() + NumHiddenColumns() - 1);
    else
        unHilightRange(kHi, FixedRows(), RowCount() - FFixedFooters - 1, FixedCols(),
                       ColCount() + NumHiddenColumns() - FFixedRightCols - 1);
}

void TNovaStringGrid::UnMarkInGrid(bool DoFixed)
{
    if (DoFixed)
        unHilightRange(kMark, 0, RowCount() - 1, 0, ColCount() + NumHiddenColumns() - 1);
    else
        unHilightRange(kMark, FixedRows(), RowCount() - FFixedFooters - 1, FixedCols(),
                       ColCount() + NumHiddenColumns() - FFixedRightCols - 1);
}
