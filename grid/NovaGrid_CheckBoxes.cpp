// Cell check boxes and radio buttons: how each kind keeps its state (the graphic, the cell text
// or the row selection), reading and writing it also in hidden rows, toggling with its events,
// radio buttons exclusive in their column and radio groups inside one cell.
#include "grid/NovaGrid.h"

#include "grid/CompanionSettings.h"
#include "grid/base/UndoRedo.h"

#include <QFontMetrics>
#include <stdexcept>

namespace {

bool isDataCheckBoxKind(TCellType t) { return t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox; }

bool isClickableKind(TCellType t) { return isCheckBoxKind(t) || t == ctRadio || t == ctButton || t == ctRadioButton; }

bool isTextBackedKind(TCellType t)
{
    return t == ctDataCheckBox || t == ctDataImage || t == ctVirtCheckBox || t == ctRowCheckBox;
}

// The graphic of a cell's base cell (merged cells answer with it); none for negative indexes.
TCellGraphic *baseGraphic(TNovaStringGrid &g, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    const TPoint b = g.BaseCell(ACol, ARow);
    return g.GetCellGraphic(b.X, b.Y);
}

TCellType baseType(TNovaStringGrid &g, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    const TPoint b = g.BaseCell(ACol, ARow);
    return g.GetCellType(b.X, b.Y);
}

// A user's click or key acts only where the cell may be edited, unless controls are always active.
bool userMayAct(TNovaStringGrid &g, int ACol, int ARow, bool FromUser, bool AlwaysActive)
{
    if (!FromUser || AlwaysActive)
        return true;
    bool canEdit = true;
    g.CheckCanEditCell(ACol, ARow, canEdit);
    return canEdit;
}

TCellVAlign placementOf(TVAlignment v)
{
    switch (v) {
    case vtaCenter:
        return vaCenter;
    case vtaBottom:
        return vaBottom;
    default:
        return vaTop;
    }
}

} // namespace

// ---- adding and removing ---------------------------------------------------------------------------

TCellGraphic *TNovaStringGrid::addCheckGraphic(int ACol, int ARow)
{
    // Negative positions are refused too: no cell can hold them.
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw std::runtime_error("Invalid cell");
    return CreateCellGraphic(ACol, ARow);
}

void TNovaStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    TCellGraphic *g = addCheckGraphic(ACol, ARow);
    g->SetCheckBox(State, Data, haBeforeText, placementOf(VAlignment()), true);
    if (Data) {
        // A text that already is one of the two keeps the state it says.
        const QString text = Cells(ACol, ARow);
        if (text != FCheckTrue && text != FCheckFalse)
            SetCells(ACol, ARow, State ? FCheckTrue : FCheckFalse);
    }
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TNovaStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
    TCellGraphic *g = addCheckGraphic(ACol, ARow);
    g->SetCheckBox(State, true, haBeforeText, placementOf(VAlignment()));
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TNovaStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    for (int r = FMouseActions->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r) {
        if (IsSummary(r))
            continue;
        if (IsNode(r))
            AddCheckBox(ACol, r, TNovaCheckBox::cbUnchecked);
        else
            AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
}

void TNovaStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State)
{
    for (int r = FMouseActions->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r)
        AddCheckBox(ACol, r, State);
}

void TNovaStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g || (g->CellType() != ctCheckBox && g->CellType() != ctDataCheckBox && g->CellType() != ctTriStateCheckBox))
        return;
    if (g->CellAngle() == 1) { // an attached balloon's strings
        TCellObjectRef strings = g->CellBitmap();
        strings.Free();
        g->SetCellBitmap({});
    }
    RemoveCellGraphic(ACol, ARow);
}

void TNovaStringGrid::RemoveCheckBoxColumn(int ACol)
{
    for (int r = FMouseActions->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r)
        if (HasCheckBox(ACol, r))
            RemoveCheckBox(ACol, r);
}

void TNovaStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    TCellGraphic *g = addCheckGraphic(ACol, ARow);
    g->SetRadioButton(State, true, haBeforeText, placementOf(VAlignment()));
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TNovaStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        AddRadioButton(ACol, r, false);
}

void TNovaStringGrid::RemoveRadioButton(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (g && g->CellType() == ctRadioButton)
        RemoveCellGraphic(ACol, ARow);
}

void TNovaStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        RemoveRadioButton(ACol, r);
}

void TNovaStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, QStringList *sl)
{
    TCellGraphic *g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRadio);
    g->SetCellCreated(false);
    g->SetCellBitmap(TCellObjectRef(sl));
    g->SetCellAngle(sl ? int(sl->size()) : 0);
    g->SetCellBoolean(DirRadio != 0);
    g->SetCellIndex(IdxRadio);
    RepaintCell(DisplColIndex(ACol), ARow);
}

QStringList *TNovaStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    auto *list = new QStringList;
    AddRadio(ACol, ARow, DirRadio, IdxRadio, list);
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    g->SetCellCreated(true); // freed with the graphic
    g->SetCellAngle(0);
    return list;
}

void TNovaStringGrid::RemoveRadio(int ACol, int ARow)
{
    if (GetCellType(ACol, ARow) == ctRadio)
        RemoveCellGraphic(ACol, ARow);
}

// ---- queries ------------------------------------------------------------------------------------------

bool TNovaStringGrid::HasCheckBox(int ACol, int ARow)
{
    const TCellGraphic *g = baseGraphic(*this, ACol, ARow);
    return g && isCheckBoxKind(g->CellType());
}

bool TNovaStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    const TCellGraphic *g = baseGraphic(*this, ACol, ARow);
    return g && isDataCheckBoxKind(g->CellType());
}

bool TNovaStringGrid::HasRadioButton(int ACol, int ARow) { return baseType(*this, ACol, ARow) == ctRadioButton; }

bool TNovaStringGrid::IsRadio(int ACol, int ARow)
{
    const TCellGraphic *g = baseGraphic(*this, ACol, ARow);
    return g && g->CellType() == ctRadio;
}

bool TNovaStringGrid::HasClickableGraphic(int ACol, int ARow) { return isClickableKind(baseType(*this, ACol, ARow)); }

bool TNovaStringGrid::IsDataGraphicCell(int ACol, int ARow) { return isTextBackedKind(baseType(*this, ACol, ARow)); }

// ---- state by real row ----------------------------------------------------------------------------------

TCellGraphic *TNovaStringGrid::GetHiddenRowCellGraphic(int, int) { return nullptr; }

TCellGraphic *TNovaStringGrid::FindCheckGraphic(int ACol, int RealRow, CheckBoxAt &At)
{
    if (ACol < 0 || RealRow < 0)
        return nullptr;
    if (IsHiddenRow(RealRow)) {
        At = {true, RealRow};
        const TGridItem *item = FGridItems.Find(RealRow);
        if (auto *g = dynamic_cast<TCellGraphic *>(GraphicObjectOf(item->Object(ACol))))
            return g;
        return GetHiddenRowCellGraphic(ACol, RealRow);
    }
    // A displayed row: its own graphic, or the one its column supplies (row and virtual boxes).
    At = {false, DisplRowIndex(RealRow)};
    return At.row < 0 ? nullptr : GetCellGraphic(ACol, At.row);
}

QString TNovaStringGrid::checkCellText(int ACol, const CheckBoxAt &At)
{
    return At.hidden ? AllCells(ACol, At.row) : Cells(ACol, At.row);
}

void TNovaStringGrid::setCheckCellText(int ACol, const CheckBoxAt &At, const QString &Value)
{
    if (At.hidden)
        SetAllCells(ACol, At.row, Value);
    else
        SetCells(ACol, At.row, Value);
}

bool TNovaStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState &State)
{
    CheckBoxAt at;
    const TCellGraphic *g = FindCheckGraphic(ACol, ARow, at);
    if (!g)
        return false;
    auto answer = [&State](bool checked) {
        State = checked ? TNovaCheckBox::cbChecked : TNovaCheckBox::cbUnchecked;
        return true;
    };
    switch (g->CellType()) {
    case ctCheckBox:
        return answer(g->CellBoolean());
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString checked;
        GetCheckTrue(ACol, at.row, checked);
        return answer(checkCellText(ACol, at) == checked);
    }
    case ctTriStateCheckBox:
        State = g->CellCheckBoxState();
        return true;
    case ctRowCheckBox:
        if (ACol == 0 && !at.hidden)
            return answer(RowSelect(at.row));
        return false;
    default:
        return false;
    }
}

bool TNovaStringGrid::GetCheckBoxState(int ACol, int ARow, bool &State)
{
    TCheckBoxState s = TNovaCheckBox::cbUnchecked;
    if (!GetCheckBoxState(ACol, ARow, s))
        return false;
    State = s == TNovaCheckBox::cbChecked;
    return true;
}

bool TNovaStringGrid::IsChecked(int ACol, int ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

bool TNovaStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    CheckBoxAt at;
    TCellGraphic *g = FindCheckGraphic(ACol, ARow, at);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        g->SetCellBoolean(State);
        if (!at.hidden)
            RepaintCell(DisplColIndex(ACol), at.row);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString text;
        if (State)
            GetCheckTrue(ACol, at.row, text);
        else
            GetCheckFalse(ACol, at.row, text);
        setCheckCellText(ACol, at, text);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0 || at.hidden)
            return false;
        SetRowSelect(at.row, State);
        return true;
    default:
        return false;
    }
}

bool TNovaStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    CheckBoxAt at;
    TCellGraphic *g = FindCheckGraphic(ACol, ARow, at);
    if (!g || g->CellType() != ctTriStateCheckBox)
        return false;
    g->SetCellCheckBoxState(State);
    if (!at.hidden)
        RepaintCell(DisplColIndex(ACol), at.row);
    return true;
}

bool TNovaStringGrid::SetCheckBoxStateNotify(int ACol, int ARow, bool State)
{
    CheckBoxAt at;
    TCellGraphic *g = FindCheckGraphic(ACol, RealRowIndex(ARow), at);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox:
        if (g->CellBoolean() != State) {
            g->SetCellBoolean(State);
            DoCheckBoxChange(ACol, ARow, State);
            RepaintCell(DisplColIndex(ACol), ARow);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString checked, unchecked;
        GetCheckTrue(ACol, ARow, checked);
        GetCheckFalse(ACol, ARow, unchecked);
        const bool old = Cells(ACol, ARow) == checked;
        SetCells(ACol, ARow, State ? checked : unchecked);
        if (old != State)
            DoCheckBoxChange(ACol, ARow, State);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        if (RowSelect(ARow) != State) {
            SetRowSelect(ARow, State);
            DoCheckBoxChange(ACol, ARow, State);
        }
        return true;
    default:
        return false;
    }
}

void TNovaStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxStateNotify(ACol, r, true);
    if (NumHiddenColumns() > 0)
        InvalidateGrid(); // the displayed column of a real one moved
}

void TNovaStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxStateNotify(ACol, r, false);
    if (NumHiddenColumns() > 0)
        InvalidateGrid(); // the displayed column of a real one moved
}

// ---- toggling -----------------------------------------------------------------------------------------

bool TNovaStringGrid::DoToggleCheckBox(int ACol, int ARow, bool FromUser)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    const bool autoGroup = FGrouping->AutoCheckGroup();
    bool node = false, contracted = false;
    int span = 0, parent = -1;
    if (autoGroup) {
        node = IsNode(ARow);
        if (node) {
            span = GetNodeSpan(ARow);
            contracted = GetNodeState(ARow);
        } else {
            parent = GetParentRow(ARow);
            span = parent >= 0 ? GetNodeSpan(parent) : 0;
        }
    }
    const TCellType kind = g->CellType();
    if (!isCheckBoxKind(kind))
        return false;
    if (!userMayAct(*this, ACol, ARow, FromUser, FControlLook->CheckAlwaysActive()))
        return false;

    bool state = false;
    QString oldText, newText;
    const bool textBacked = kind == ctDataCheckBox || kind == ctVirtCheckBox;
    if (kind == ctCheckBox) {
        g->SetCellBoolean(!g->CellBoolean());
        state = g->CellBoolean();
    } else if (kind == ctTriStateCheckBox) {
        using S = TNovaCheckBox;
        const TCheckBoxState s = g->CellCheckBoxState();
        TCheckBoxState next;
        if (node)
            next = s == S::cbChecked ? S::cbUnchecked : S::cbChecked;
        else
            next = s == S::cbUnchecked ? S::cbGrayed : s == S::cbGrayed ? S::cbChecked : S::cbUnchecked;
        g->SetCellCheckBoxState(next);
        state = next == S::cbChecked;
    } else if (kind == ctRowCheckBox) {
        // The box is the row's selection: flip that, not a text in the row-number column.
        state = !RowSelect(ARow);
        SetRowSelect(ARow, state);
    } else {
        QString checked, unchecked;
        GetCheckTrue(ACol, ARow, checked);
        GetCheckFalse(ACol, ARow, unchecked);
        oldText = Cells(ACol, ARow);
        state = oldText != checked;
        newText = state ? checked : unchecked;
        SetCells(ACol, ARow, newText);
    }
    RepaintCell(DisplColIndex(ACol), ARow);
    DoCheckBoxChange(ACol, ARow, state);

    if (autoGroup && node) {
        for (int e = 1; e < span; ++e)
            SetCheckBoxState(ACol, contracted ? RealRowIndex(ARow) + e : RealRowIndex(ARow + e), state);
    } else if (autoGroup && parent >= 0 && span > 1) {
        bool first = false, each = false, differ = false;
        GetCheckBoxState(ACol, RealRowIndex(parent + 1), first);
        each = first;
        for (int r = parent + 1; r < parent + span; ++r) {
            GetCheckBoxState(ACol, RealRowIndex(r), each);
            differ = differ || each != first;
        }
        using S = TNovaCheckBox;
        SetCheckBoxState(ACol, RealRowIndex(parent), differ ? S::cbGrayed : first ? S::cbChecked : S::cbUnchecked);
    }
    // Undo keeps the texts it can put back: only text-backed boxes have them.
    if (textBacked)
        if (ZOdeRodeDeriDozu *undo = UndoRedo())
            undo->RegisterChange(ACol, ARow, oldText, newText);
    return true;
}

// ---- radio buttons and radio groups -----------------------------------------------------------------

bool TNovaStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    const TCellGraphic *g = baseGraphic(*this, ACol, ARow);
    return g && g->CellType() == ctRadioButton && g->CellBoolean();
}

bool TNovaStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    TCellGraphic *g = baseGraphic(*this, ACol, ARow);
    if (!g || g->CellType() != ctRadioButton)
        return false;
    if (g->CellBoolean() != State) {
        g->SetCellBoolean(State);
        RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
}

void TNovaStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetRadioButtonState(ACol, r, r == Index);
}

int TNovaStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r))
            return r;
    return -1;
}

bool TNovaStringGrid::DoClickRadioButton(int ACol, int ARow, bool FromUser)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadioButton)
        return false;
    if (!userMayAct(*this, ACol, ARow, FromUser, FControlLook->CheckAlwaysActive()))
        return false;
    if (g->CellBoolean())
        return true;
    g->SetCellBoolean(true);
    RepaintCell(DisplColIndex(ACol), ARow);
    for (int r = 0; r < RowCount(); ++r) {
        if (r == ARow)
            continue;
        TCellGraphic *other = GetCellGraphic(ACol, r);
        if (other && other->CellType() == ctRadioButton && other->CellBoolean()) {
            other->SetCellBoolean(false);
            RepaintCell(DisplColIndex(ACol), r);
        }
    }
    return true;
}

bool TNovaStringGrid::GetRadioIdx(int ACol, int ARow, int &IdxRadio)
{
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    IdxRadio = g->CellIndex();
    return g->CellType() == ctRadio;
}

bool TNovaStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    g->SetCellIndex(IdxRadio);
    if (IdxRadio == -1)
        SetCells(ACol, ARow, QString());
    RepaintCell(DisplColIndex(ACol), ARow);
    return g->CellType() == ctRadio;
}

QStringList *TNovaStringGrid::GetRadioStrings(int ACol, int ARow)
{
    const TCellGraphic *g = baseGraphic(*this, ACol, ARow);
    return g && g->CellType() == ctRadio ? g->CellBitmap().As<QStringList>() : nullptr;
}

void TNovaStringGrid::SelectNextRadio(int ACol, int ARow, bool FromUser)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadio)
        return;
    if (!userMayAct(*this, ACol, ARow, FromUser, FControlLook->RadioAlwaysActive()))
        return;
    const QStringList *options = g->CellBitmap().As<QStringList>();
    const int count = options ? int(options->size()) : 0;
    if (count == 0)
        return; // nothing to choose from
    int n = g->CellIndex() >= 0 ? g->CellIndex() + 1 : int(options->indexOf(Cells(ACol, ARow))) + 1;
    if (n >= count)
        n = 0;
    if (g->CellIndex() >= -1)
        g->SetCellIndex(n);
    g->SetCellVar(n);
    SetCells(ACol, ARow, options->at(n));
}

// ---- hit test -----------------------------------------------------------------------------------------

bool TNovaStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    switch (g->CellType()) {
    case ctCheckBox: case ctDataCheckBox: case ctVirtCheckBox: case ctRowCheckBox: case ctRadioButton:
    case ctTriStateCheckBox:
        break;
    default:
        return false;
    }
    if (!FMouseActions->PreciseCheckBoxCheck())
        return true;
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    const int s = FControlLook->CheckBoxSize();
    int top = r.Top + 2;
    if (g->CellVAlign() == vaBottom)
        top = r.Bottom - 2 - s;
    else if (g->CellVAlign() == vaCenter)
        top = r.Top + (r.Bottom - r.Top - s) / 2;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    ResolveCellAlignment(ACol, ARow, ha, va);
    int left = r.Left + 2;
    if (ha == taRightJustify) {
        left = r.Right - 2 - s;
        const QString text = Cells(ACol, ARow);
        if (!text.isEmpty())
            left -= QFontMetrics(Font().ToQFont()).horizontalAdvance(text);
    } else if (ha == taCenter) {
        left = r.Left + (r.Right - r.Left - s) / 2;
    }
    return XPos >= left && XPos < left + s && YPos >= top && YPos < top + s;
}
