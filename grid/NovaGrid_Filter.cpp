// Filtering: the rows that fail the conditions of Filter leave the grid as one filter level of
// the hidden-row store; levels stack (incremental narrowing) and come off one by one. Rows hidden
// otherwise (HideRows) are never touched by filtering, so they stay hidden when a filter goes.
// The filter lists under the header feed Filter through ApplyDropListFilter and
// ApplyCheckListFilter.
#include "grid/FilterDropDown.h"
#include "grid/GridFilter.h"
#include "grid/NovaGrid.h"
#include "grid/base/FilterExpr.h"
#include "grid/base/VedAzirDraw.h"
#include "grid/base/VedAzirText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <typeinfo>

// ---- drop-list entries -----------------------------------------------------------------------------

QString MakeFilterEntry(const QString &Value)
{
    // A value a bare entry would misread (a blank, "=" or a double quote) is listed as its name
    // with the value quoted, inner quotes doubled.
    if (!Value.contains(QLatin1Char(' ')) && !Value.contains(QLatin1Char('=')) && !Value.contains(QLatin1Char('"')))
        return Value;
    QString quoted = Value;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return Value + QLatin1String("=\"") + quoted + QLatin1Char('"');
}

bool UnquoteFilterValue(const QString &Condition, QString &Value)
{
    const qsizetype n = Condition.size();
    if (n < 2 || Condition.front() != QLatin1Char('"') || Condition.back() != QLatin1Char('"'))
        return false;
    QString out;
    for (qsizetype i = 1; i < n - 1; ++i) {
        if (Condition.at(i) == QLatin1Char('"')) {
            if (i + 1 >= n - 1 || Condition.at(i + 1) != QLatin1Char('"'))
                return false; // a lone quote inside: not one quoted value
            ++i;
        }
        out += Condition.at(i);
    }
    Value = out;
    return true;
}

void SplitFilterEntry(const QString &Entry, QString &FriendlyName, QString &Condition)
{
    // name="value" with doubled inner quotes: the opening quote is found from the end, so a name
    // holding "=" splits at the right place.
    const qsizetype n = Entry.size();
    if (n >= 3 && Entry.back() == QLatin1Char('"')) {
        qsizetype i = n - 2;
        while (i >= 0) {
            if (Entry.at(i) == QLatin1Char('"')) {
                if (i >= 1 && Entry.at(i - 1) == QLatin1Char('"')) {
                    i -= 2;
                    continue;
                }
                break;
            }
            --i;
        }
        if (i >= 1 && Entry.at(i - 1) == QLatin1Char('=')) {
            FriendlyName = Entry.left(i - 1);
            Condition = Entry.mid(i);
            return;
        }
    }
    const qsizetype eq = Entry.indexOf(QLatin1Char('='));
    FriendlyName = eq < 0 ? Entry : Entry.left(eq);
    Condition = eq < 0 ? Entry : Entry.mid(eq + 1);
}

void StoreFilterCondition(TFilterData &Item, const QString &Condition)
{
    // A quoted drop-list value is one exact value, whatever characters it holds.
    QString value;
    if (UnquoteFilterValue(Condition, value)) {
        Item.SetMethod(fmLiteral);
        Item.SetCondition(value);
    } else {
        Item.SetMethod(fmExpression);
        Item.SetCondition(Condition);
    }
}

// ---- settings --------------------------------------------------------------------------------------

void TNovaStringGrid::SetFilterDropDownRow(int Value)
{
    if (Value >= 0 && Value < FixedRows()) {
        FFilterDropDownRow = Value;
        InvalidateGrid();
    }
}

void TNovaStringGrid::SetFilterDropDownAuto(bool Value)
{
    FFilterDropDownAuto = Value;
    InvalidateGrid();
}

// ---- matching --------------------------------------------------------------------------------------

const TFilterCondition &TNovaStringGrid::parsedFilterCondition(int Index, const QString &Condition, bool CaseSensitive)
{
    while (int(FParsedFilter.size()) <= Index)
        FParsedFilter.push_back({Condition, CaseSensitive, TFilterCondition(Condition, CaseSensitive)});
    ParsedFilterCondition &p = FParsedFilter[std::size_t(Index)];
    if (p.caseSensitive != CaseSensitive || p.condition != Condition)
        p = {Condition, CaseSensitive, TFilterCondition(Condition, CaseSensitive)};
    return p.parsed;
}

void TNovaStringGrid::readDisplayText(int ACol, int ARow, QString &Text)
{
    // Cells passes the text through the display hooks and a merged cell's base; where none of
    // them is there, it is the store's text. A derived grid may change texts in its overrides.
    if (displayHooksIdle() && !Store().RowHasObjects(ARow)) {
        Store().TextInto(ACol, ARow, Text);
        return;
    }
    GetCellExInto(ACol, ARow, Text); // Cells, into the caller's buffer
}

bool TNovaStringGrid::displayHooksIdle()
{
    return typeid(*this) == typeid(TNovaStringGrid) && !OnGetDisplText && !OnGetDisplWideText && !FURLShowInText
           && !FGrouping->ShowGroupCount();
}

bool TNovaStringGrid::RowPassesFilter(int ARow)
{
    bool R = true;
    const int cols = AllColCount();
    // The read buffer is borrowed for the row, so that a hook matching rows itself gets another.
    QString text = std::move(FFilterText);
    for (int i = 0; i < FFilter->Count(); ++i) {
        const TFilterData &f = *FFilter->Items(i);
        const int c = f.Column();
        switch (f.Data()) {
        case fcRow: {
            QStringList all;
            for (int k = 0; k < cols; ++k)
                all << Cells(k, ARow);
            text = all.join(QLatin1Char('\n'));
            break;
        }
        case fcVirtual:
        case fcNormal:
        case fcStripHTML:
        case fcCalculated:
            // A condition on a column the grid does not have is left out.
            if (c < 0 || c >= cols)
                continue;
            if (f.Data() == fcVirtual)
                readDisplayText(c, ARow, text);
            else if (f.Data() == fcNormal)
                Store().TextInto(c, ARow, text);
            else if (f.Data() == fcStripHTML)
                text = StrippedCells(c, ARow);
            else {
                text.clear();
                GetFormulaValue(c, ARow, text);
            }
            break;
        }
        text = std::move(text).trimmed();
        if (text.contains(QLatin1String("|\\")))
            text = DecodeWideText(text);

        bool m = false;
        if (f.Data() == fcRow) {
            m = text.toUpper().contains(f.Condition().toUpper());
        } else {
            if (!f.Prefix().isEmpty() && text.startsWith(f.Prefix()))
                text.remove(0, f.Prefix().size());
            if (!f.Suffix().isEmpty()) {
                const qsizetype at = text.indexOf(f.Suffix());
                if (at >= 0 && at + f.Suffix().size() == text.size())
                    text.truncate(at);
            }
            const QString cond = f.Condition();
            if (cond.isEmpty())
                m = true;
            else if (f.Method() == fmLiteral)
                m = cond == text;
            else {
                try {
                    m = parsedFilterCondition(i, cond, f.CaseSensitive()).Matches(text);
                } catch (...) {
                    m = false;
                }
            }
        }

        switch (f.Operation()) {
        case foSHORT:
        case foNONE: R = m; break;
        case foAND: R = R && m; break;
        case foXOR: R = R != m; break;
        case foOR: R = R || m; break;
        }
        if (f.Operation() == foSHORT && !m)
            break;
    }
    FFilterText = std::move(text);
    FireEvent(OnCustomFilter, this, ARow, R);
    return R;
}

void TNovaStringGrid::FilterRow(int ARow)
{
    if (!RowPassesFilter(ARow))
        HideRow(RealRowIndex(ARow));
}

// ---- levels ----------------------------------------------------------------------------------------

void TNovaStringGrid::ApplyFilter()
{
    FFilterFixedRows = FixedRows();
    const int last = RowCount() - FixedFooters() - 1;
    const int total = RowCount() - FixedFooters() - FixedRows();
    std::vector<int> failing;
    int n = 0;
    auto progress = [&] {
        if (OnFilterProgress && total > 0)
            OnFilterProgress(this, int(std::lround(double(n) / total * 100.0)));
    };
    for (int r = FixedRows(); r <= last; ++r) {
        if (FFilterNormalCellsOnly && (IsNode(r) || IsSummary(r)))
            continue;
        if (!RowPassesFilter(r))
            failing.push_back(r);
        ++n;
        progress();
    }
    HideRowList(failing);
    progress();
}

void TNovaStringGrid::SetFilterActive(bool Value)
{
    if (Value != FFilterActive) {
        FFilterActive = Value;
        if (Value) {
            if (Row() >= RowCount() || Col() >= ColCount())
                FocusCell(FixedCols(), FixedRows());
            BeginUpdate();
            ApplyFilter();
            EndUpdate();
            FSelHidden = false;
        } else {
            UnHideRowList();
            SetFixedRows(FFilterFixedRows);
            if (FSelHidden)
                UnHideSelection();
        }
        SetTopRow(FixedRows());
    }
    CalcFooter(-1);
}

bool TNovaStringGrid::RemoveLastFilter()
{
    if (FFilterLevel <= 0)
        return false;
    UnHideRowList();
    SetFixedRows(FFilterFixedRows);
    if (FSelHidden)
        UnHideSelection();
    CalcFooter(-1);
    --FFilterLevel;
    return FFilterLevel > 1;
}

void TNovaStringGrid::RemoveAllFilters()
{
    if (FFilterLevel <= 0) {
        FFilter->Clear();
        return;
    }
    while (FFilterLevel > 0)
        RemoveLastFilter();
}

void TNovaStringGrid::removeFilterLevels()
{
    std::vector<RowComeback> back;
    for (int i = FGridItems.Count() - 1; i >= 0; --i)
        if (FGridItems.Items(i)->Filtered())
            back.push_back({0, FGridItems.Take(i)});
    for (RowComeback &b : back)
        b.target = b.item->Idx() - FGridItems.CountBelow(b.item->Idx());
    if (Row() >= RowCount())
        FocusCell(FixedCols(), FixedRows());
    mergeRowsBack(back);
    FFilterLevel = 0;
    InvalidateGrid();
}

void TNovaStringGrid::NarrowDown(const QString &ACondition, int AColumn)
{
    SetFixedRowAlways(true);
    auto setItem = [&] {
        FFilter->Clear();
        TFilterData *f = FFilter->Add();
        f->SetCaseSensitive(false);
        f->SetColumn(std::int16_t(AColumn));
        if (AColumn == -1) {
            f->SetData(fcRow);
            f->SetCondition(ACondition);
        } else {
            f->SetData(fcNormal);
            QString cond = QLatin1Char('*') + ACondition + QLatin1Char('*');
            // Blanks outside quotes are no part of a condition.
            if (cond.contains(QLatin1Char(' ')))
                cond = QLatin1Char('"') + cond + QLatin1Char('"');
            f->SetCondition(cond);
        }
    };
    if (ACondition.size() == FLastFilter.size() + 1 && ACondition.startsWith(FLastFilter)) {
        setItem();
        ApplyFilter();
    } else if (!ACondition.isEmpty() && ACondition.size() + 1 == FLastFilter.size() && FLastFilter.startsWith(ACondition)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!ACondition.isEmpty()) {
            setItem();
            ApplyFilter();
        }
    }
    FLastFilter = ACondition;
    if (FLastFilter.isEmpty())
        removeFilterLevels();
}

// ---- the filter lists --------------------------------------------------------------------------------

void TNovaStringGrid::DoFilterDone()
{
    FireEvent(OnFilterDone, this);
}

void TNovaStringGrid::ApplyDropListFilter(QObject *Sender, int ItemIndex)
{
    setFocus();
    const int c = FFilterCol;
    if (c >= 0 && c < AllColCount() && ItemIndex >= 0 && ItemIndex < FDropList->count()) {
        GetColumnFilter(c);
        QString name, cond;
        SplitFilterEntry(FFilterList.value(ItemIndex), name, cond);
        if (FAutoFilterUpdate)
            SetFilterActive(false);
        if (cond == FFilterDropDownClear)
            cond.clear();
        if (OnFilterSelect)
            OnFilterSelect(Sender, c, ItemIndex, name, cond);
        if (!cond.isEmpty())
            StoreFilterCondition(*FFilter->GetColFilter(c), cond);
        else
            FFilter->RemoveColumnFilter(c);
        if (FAutoFilterUpdate) {
            SetFixedRowAlways(true);
            SetFilterActive(true);
            if (RowCount() != FixedRows() && RowCount() != 1)
                SetRow(FixedRows());
            DoFilterDone();
        }
    }
    FFilterCol = -1;
}

void TNovaStringGrid::ApplyCheckListFilter()
{
    const int c = FFilterCol;
    if (c < 0 || c >= AllColCount())
        return;
    GetColumnFilter(c);
    if (FAutoFilterUpdate)
        SetFilterActive(false);
    FFilter->Clear();
    bool first = true;
    for (int i = 0; i < FDropCheckList->count() && i < FFilterList.size(); ++i) {
        if (!FDropCheckList->Checked(i))
            continue;
        QString name, cond;
        SplitFilterEntry(FFilterList.at(i), name, cond);
        if (cond == FFilterDropDownClear)
            cond.clear();
        if (OnFilterCheck)
            OnFilterCheck(this, c, i, name, cond, FDropCheckList);
        TFilterData *f = FFilter->Add();
        StoreFilterCondition(*f, cond);
        f->SetColumn(std::int16_t(c));
        f->SetOperation(first ? foNONE : foOR);
        first = false;
    }
    SetFilterActive(true);
    FDropCheckList->viewport()->update();
}

void TNovaStringGrid::CloseFilterDropDown()
{
    FDropList->hide();
    FDropCheckList->hide();
    FFilterCol = -1;
}

void TNovaStringGrid::ShowFilterDropDown(int ACol)
{
    const int d = DisplColIndex(ACol);
    if (ACol < 0 || ACol >= AllColCount() || IsHiddenColumn(ACol) || !GetColumnFilter(ACol)) {
        CloseFilterDropDown();
        return;
    }
    FFilterCol = ACol;
    const bool check = FFilterDropDownCheck;
    QListWidget *list = check ? static_cast<QListWidget *>(FDropCheckList) : FDropList;
    (check ? static_cast<QListWidget *>(FDropList) : FDropCheckList)->hide();
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, ToQColor(FFilterDropDown->Color()));
    list->setPalette(pal);
    list->setFont(FFilterDropDown->Font());
    FDropCheckList->FFilling = true;
    list->clear();
    const QFontMetrics fm(list->font());
    int widest = 0;
    for (int i = 0; i < FFilterList.size(); ++i) {
        QString name, cond;
        SplitFilterEntry(FFilterList.at(i), name, cond);
        auto *it = new QListWidgetItem(name, list);
        widest = std::max(widest, fm.horizontalAdvance(name) + 8);
        if (check) {
            // Ticked when a condition of the column names this entry.
            bool on = false;
            for (int k = 0; k < FFilter->Count(); ++k) {
                const TFilterData *f = FFilter->Items(k);
                if (f->Column() != ACol)
                    continue;
                QString value;
                const QString wanted = UnquoteFilterValue(cond, value) ? value : cond;
                on = on || f->Condition() == wanted || f->Condition() == cond;
            }
            it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
            it->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        }
    }
    FDropCheckList->FFilling = false;
    if (!check && list->count() > 0)
        list->setCurrentRow(0);

    const TRect cell = CellRect(d, FFilterDropDownRow);
    int w = FFilterDropDown->Width();
    int h = FFilterDropDown->Height();
    if (FFilterDropDown->AutoSize()) {
        const int edge = 2 * list->frameWidth();
        const int itemH = list->count() > 0 ? list->sizeHintForRow(0) : fm.height();
        h = list->count() * itemH + edge;
        w = widest + edge + (check ? style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4 : 0);
    }
    int left = cell.Right - 16;
    const int top = cell.Top + 16;
    if (FFilterDropDown->ColumnWidth()) {
        left = cell.Left;
        w = cell.Width();
    }
    const int room = viewport()->width();
    if (left + w > room)
        left = std::max(0, cell.Right - w);
    list->setGeometry(left, top, w, h);
    list->show();
    list->raise();
    list->setFocus();
}

void TNovaStringGrid::createFilterLists()
{
    FFilterDropDown = new TFilterDropDown(this);
    FFilterDropDown->OnChange = [this](QObject *) { InvalidateGrid(); };
    FDropList = new TDropList(viewport());
    FDropList->OnSelect = [this](QObject *Sender, int ItemIndex) { ApplyDropListFilter(Sender, ItemIndex); };
    FDropCheckList = new TDropCheckList(viewport());
    FDropCheckList->OnSelect = [this](QObject *, int) { ApplyCheckListFilter(); };
    auto cancel = [this](QObject *Target) {
        // A press on the grid itself is left to the release, which toggles the list.
        FFilterPressClosed = (Target == viewport() || Target == this) ? FFilterCol : -1;
        FFilterCol = -1;
    };
    FDropList->OnCancel = cancel;
    FDropCheckList->OnCancel = cancel;
}

void TNovaStringGrid::paintFilterGlyph(TCanvas &Canvas, const TRect &R, bool Active)
{
    const QImage &own = Active ? FFilterDropDown->GlyphActive() : FFilterDropDown->Glyph();
    if (!own.isNull()) {
        DrawBitmapTransparent(Canvas, own, FixedColor(), {R.Left, R.Top, R.Left + own.width(), R.Top + own.height()});
        return;
    }
    const QString name = Active ? QStringLiteral("NSGFILTACT") : QStringLiteral("NSGFILT");
    if (!QImage(QStringLiteral(":/") + name).isNull() || !QImage(QStringLiteral(":/") + name + QStringLiteral(".png")).isNull()) {
        DrawResourceBitmapTransparent(Canvas, FixedColor(), R, name);
        return;
    }
    // No picture given: a small funnel, filled while the column's filter is set.
    QPainter *p = Canvas.Painter();
    if (!p)
        return;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    const int x = R.Left + 3, y = R.Top + 4;
    const QPolygon funnel({QPoint(x, y), QPoint(x + 10, y), QPoint(x + 6, y + 5), QPoint(x + 6, y + 9),
                           QPoint(x + 4, y + 10), QPoint(x + 4, y + 5)});
    p->setPen(QPen(QColor(60, 60, 60), 1));
    p->setBrush(Active ? QColor(30, 110, 220) : QColor(255, 255, 255));
    p->drawPolygon(funnel);
    p->restore();
}
