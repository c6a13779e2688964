// The shared steps of the two table drop-downs: the lookup texts and their completion, the keys
// that choose, the pop-up's height in whole rows, the columns sized to their texts or scaled to
// the pop-up, and the looks by component style.
#include "dropdown/ColumnListDropDown.h"

#include "dropdown/AutoComplete.h"
#include "dropdown/DropDownForm.h"
#include "dropdown/SelectorDropDown.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <cmath>

// ---- the model's fields ---------------------------------------------------------------------------

void TListColumn::AssignColumn(const TListColumn &Source)
{
    FWordwrap = Source.FWordwrap;
    FWidth = Source.FWidth;
    FAutoSize = Source.FAutoSize;
    FHeader = Source.FHeader;
    FAlignment = Source.FAlignment;
    FColor = Source.FColor;
    FColumnType = Source.FColumnType;
    FFont = Source.FFont;
    FEllipsis = Source.FEllipsis;
}

bool TListItem::TextIn(int Column, QString &Value) const
{
    Value.clear();
    if (Column < 0 || Column >= FText.size()) return false;
    Value = FText[Column];
    return true;
}

// ---- rules ----------------------------------------------------------------------------------------

int SnapDropDownHeight(int Height, int Bars, int HeaderHeight, int RowHeight, int Allowance)
{
    const int row = std::max(1, RowHeight);
    return Bars + HeaderHeight + 2 + ((Height - Bars - HeaderHeight - 2) / row) * row + Allowance;
}

std::vector<int> ScaleColumnWidths(const std::vector<int> &Widths, int Available)
{
    std::vector<int> out;
    if (Widths.empty()) return out;
    long long total = 1;
    for (int w : Widths) total += w;
    const double f = double(Available) / double(total);
    double remainder = 0;
    for (int w : Widths) {
        const double e = f * w;
        int n = int(std::nearbyint(e)); // halves to even
        remainder += e - n;
        if (remainder > 1) {
            ++n;
            remainder -= 1;
        }
        out.push_back(n);
    }
    return out;
}

std::optional<int> StepChoice(TChoiceStep Step, int Current, int Count)
{
    if (Count <= 0) return std::nullopt;
    switch (Step) {
    case csFirst: return 0;
    case csLast: return Count - 1;
    case csNext:
        if (Current < 0) return 0;
        if (Current < Count - 1) return Current + 1;
        return std::nullopt;
    case csPrevious:
        if (Current < 0) return 0;
        if (Current > 0) return Current - 1;
        return std::nullopt;
    case csPageDown: return Current < 0 ? 0 : std::min(Current + 10, Count - 1);
    case csPageUp: return Current - 10 >= 0 ? Current - 10 : 0;
    }
    return std::nullopt;
}

bool IsLookupExcludedChar(QChar Key)
{
    switch (Key.unicode()) {
    case 13: case 27: case 33: case 34: case 35: case 36: case 38: case 40: return true;
    default: return false;
    }
}

// ---- the drop-down ----------------------------------------------------------------------------------

TColumnListDropDown::TColumnListDropDown(QWidget *AOwner, int Allowance, bool Office2010Looks)
    : TNovaCustomDropDown(AOwner), FAllowance(Allowance), FOffice2010Looks(Office2010Looks)
{
    FHeaderFont.Assign(font());
}

void TColumnListDropDown::Loaded()
{
    TNovaCustomDropDown::Loaded();
    UpdateLookupItems();
}

bool TColumnListDropDown::ItemLookupText(int Index, QString &Text) const
{
    Text.clear();
    if (Index < 0 || Index >= ItemCount()) return false;
    return ListItem(Index).TextIn(FLookupColumn, Text);
}

int TColumnListDropDown::ItemOfLookupText(const QString &Value) const
{
    QString t;
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemLookupText(i, t) && t == Value) return i;
    return -1;
}

void TColumnListDropDown::UpdateLookupItems()
{
    if (FLookupColumn < 0 || ItemCount() == 0) return;
    FLookupItems.clear();
    QString t;
    for (int i = 0; i < ItemCount(); ++i) {
        ItemLookupText(i, t);
        FLookupItems << t;
    }
}

bool TColumnListDropDown::ItemLookupPrefix(const QString &Prefix, QString &Match, int &Index) const
{
    Index = -1;
    Match.clear();
    if (Prefix.isEmpty()) return false;
    // Compared in place: upper-casing every item's text for each typed key costs more than the scan.
    const Qt::CaseSensitivity cs = FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QString t;
    for (int i = 0; i < ItemCount(); ++i) {
        if (!ItemLookupText(i, t)) continue;
        if (t.startsWith(Prefix, cs)) {
            Match = t;
            Index = i;
            return true;
        }
    }
    return false;
}

void TColumnListDropDown::LookupBackspace()
{
    if (hasSelectedText()) {
        QString t = text();
        t.remove(selectionStart(), int(selectedText().size()));
        TNovaCustomDropDown::SetText(t);
        end(false);
        return;
    }
    FLookupEntry.chop(1);
    TNovaCustomDropDown::SetText(FLookupEntry);
    end(false);
}

void TColumnListDropDown::ShowFoundText(const QString &Found, int Typed, bool SelectTail)
{
    SetText(Found);
    const int n = int(Found.size());
    const int typed = std::clamp(Typed, 0, n);
    if (SelectTail) setSelection(n, typed - n);
    else setCursorPosition(typed);
}

// ---- the edit's keys and completion ----------------------------------------------------------------

void TColumnListDropDown::SetText(const QString &Value)
{
    const QScopedValueRollback<bool> fromCode(FTextFromCode, true);
    TNovaCustomDropDown::SetText(Value);
    setCursorPosition(0);
}

void TColumnListDropDown::Change()
{
    FItemChange = false;
    TNovaCustomDropDown::Change();
    if (!FWorkMode) return;
    const QString t = text();
    SetIsModified(!t.isEmpty());
    const int selStart = FTextFromCode ? 0 : hasSelectedText() ? selectionStart() : cursorPosition();
    if (FLookupItems.isEmpty()) return;
    const TAutoCompletion c = AutoComplete(t, selStart, FLookupItems, FMatchCase);
    switch (c.Kind) {
    case TAutoCompletion::acNone: break;
    case TAutoCompletion::acCompleted:
        // Stored directly: the choice is taken when the key goes up.
        FItemIndex = c.Index;
        FItemIdx = c.Index;
        SetText(c.Text);
        setSelection(c.SelStart + c.SelLength, -c.SelLength);
        // After the text: writing it runs this change handler once more, which clears the flag.
        FItemChange = true;
        break;
    case TAutoCompletion::acCut:
        SetText(c.Text);
        setCursorPosition(c.SelStart);
        break;
    }
}

namespace {

int indexOfNoCase(const QStringList &List, const QString &Text)
{
    for (int i = 0; i < List.size(); ++i)
        if (List[i].compare(Text, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool isEnter(int Key) { return Key == Qt::Key_Return || Key == Qt::Key_Enter; }

} // namespace

void TColumnListDropDown::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if (EditKeyBefore(Key, Shift)) {
        Key = 0;
        FKeyAfterHandlers = 0;
        return;
    }
    if (FLookupColumn < 0 || ItemCount() == 0) {
        TNovaCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    const int original = Key;
    switch (Key) {
    case Qt::Key_Backspace:
    case Qt::Key_Escape:
    case Qt::Key_Delete: FWorkMode = false; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const int i = indexOfNoCase(FLookupItems, text()); i >= 0) {
            SetText(FLookupItems[i]);
            SetItemIndex(i);
            Change();
        }
        if (FReturnIsTab) {
            // Enter then acts as Tab: the window's focus moves on.
            QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
            Key = 0;
        }
        break;
    default: FWorkMode = true; break;
    }
    BeforeEditKeyDown(original);
    TNovaCustomDropDown::KeyDown(Key, Shift);
    if (original == Qt::Key_Escape) SetItemIndex(indexOfNoCase(FLookupItems, text()));
}

bool TColumnListDropDown::event(QEvent *e)
{
    // Esc of the closed drop-down goes on to the window around it (the base's rule), after it
    // has put the choice in line with the text.
    if (e->type() == QEvent::KeyPress && !FDroppedDown && static_cast<QKeyEvent *>(e)->key() == Qt::Key_Escape
        && FLookupColumn >= 0 && ItemCount() > 0) {
        FWorkMode = false;
        BeforeEditKeyDown(Qt::Key_Escape);
        SetItemIndex(indexOfNoCase(FLookupItems, text()));
    }
    return TNovaCustomDropDown::event(e);
}

void TColumnListDropDown::KeyPress(QChar &Key)
{
    if (Key == QChar(13) && FReturnIsTab) {
        Key = QChar();
        return;
    }
    TNovaCustomDropDown::KeyPress(Key);
}

void TColumnListDropDown::KeyUp(int &Key, Qt::KeyboardModifiers Shift)
{
    if (!(isEnter(Key) && FReturnIsTab)) TNovaCustomDropDown::KeyUp(Key, Shift);
    if (!FItemChange) return;
    FItemChange = false;
    // The completed choice is taken; the text keeps the completion's caret and selection.
    const int start = selectionStart(), length = int(selectedText().size()), caret = cursorPosition();
    SetItemIndex(FItemIdx);
    if (length > 0 && start + length <= text().size())
        setSelection(caret == start ? start + length : start, caret == start ? -length : length);
    else
        setCursorPosition(std::min(caret, int(text().size())));
}

void TColumnListDropDown::keyPressEvent(QKeyEvent *e)
{
    FKeyAfterHandlers = e->key();
    TNovaCustomDropDown::keyPressEvent(e);
    // A key-down handler that took the key leaves it at 0.
    if (FKeyAfterHandlers == 0 || !isEnabled() || (e->modifiers() & Qt::AltModifier)) return;
    SelectionKey(e->key(), e->modifiers());
}

void TColumnListDropDown::SelectionKey(int Key, Qt::KeyboardModifiers Shift)
{
    switch (Key) {
    case Qt::Key_PageUp: SelectPageUp(); break;
    case Qt::Key_PageDown: SelectPageDown(); break;
    case Qt::Key_End:
        if (HomeEndChoose(Shift)) SelectLast();
        break;
    case Qt::Key_Home:
        if (HomeEndChoose(Shift)) SelectFirst();
        break;
    case Qt::Key_Up: SelectPrevious(); break;
    case Qt::Key_Down: SelectNext(); break;
    default: break;
    }
}

void TColumnListDropDown::Step(TChoiceStep Kind)
{
    if (const std::optional<int> to = StepChoice(Kind, FItemIndex, ChoiceCount())) SetItemIndex(*to);
}

void TColumnListDropDown::SelectNextValue()
{
    TNovaCustomDropDown::SelectNextValue();
    SelectNext();
}

void TColumnListDropDown::SelectPrevValue()
{
    TNovaCustomDropDown::SelectPrevValue();
    SelectPrevious();
}

// ---- the pop-up and its table ----------------------------------------------------------------------

void TColumnListDropDown::AdaptDropDownSize(int &Height)
{
    int bars = 0;
    if (FDropDownHeader->Visible()) bars += FDropDownHeader->Height();
    if (FDropDownFooter->Visible()) bars += FDropDownFooter->Height();
    Height = SnapDropDownHeight(Height, bars, FHeaderHeight, FDropDownRowHeight, FAllowance);
}

void TColumnListDropDown::UpdateDropDownSize()
{
    TNovaCustomDropDown::UpdateDropDownSize();
    TStringGrid *grid = ListGrid();
    if (!FDropDownAutoWidth || !FDropDownForm || !grid) return;
    const int total = GetTotalWidth(*grid);
    grid->resize(total, grid->height());
    FDropDownForm->SetRequestedSize({total + 2 * FDropDownBorderWidth, FDropDownForm->RequestedSize().height()});
}

void TColumnListDropDown::DropDownResized()
{
    TNovaCustomDropDown::DropDownResized();
    SizeColumnsToDropDown();
}

int TColumnListDropDown::GetTotalWidth(TStringGrid &Grid) const
{
    int w = 2 * Grid.frameWidth();
    for (int c = 0; c < Grid.ColCount(); ++c) w += Grid.ColWidths(c);
    if (Grid.VisibleRowCount() + Grid.FixedRows() < Grid.RowCount()) w += VerticalScrollBarWidth();
    return w;
}

void TColumnListDropDown::SizeColumnsToDropDown()
{
    TStringGrid *grid = ListGrid();
    if (!FColumnSizeWithDropDown || !grid || !FDropDownForm) return;
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int n = std::min(ColumnCount(), grid->ColCount());
    if (n <= 0) return;
    std::vector<int> widths;
    for (int i = 0; i < n; ++i) widths.push_back(ListColumn(i).Width());
    int W = FDropDownForm->width();
    if (grid->VisibleRowCount() < grid->RowCount() - grid->FixedRows()) W -= VerticalScrollBarWidth();
    const std::vector<int> scaled = ScaleColumnWidths(widths, W);
    for (int i = 0; i < n; ++i) grid->SetColWidths(i, scaled[std::size_t(i)]);
}

QString TColumnListDropDown::SizingText(TStringGrid &Grid, int Col, int Row) const
{
    QString t;
    if (Row >= 1 && Row - 1 < ItemCount()) ListItem(Row - 1).TextIn(Col, t);
    else t = Grid.GetCell(Col, Row);
    return t;
}

void TColumnListDropDown::SizeAutoSizeColumns(TStringGrid &Grid)
{
    for (int i = 0; i < ColumnCount() && i < Grid.ColCount(); ++i)
        if (ListColumn(i).AutoSize()) AutoSizeColumn(Grid, i);
}

void TColumnListDropDown::AutoSizeColumn(TStringGrid &Grid, int Index)
{
    if (!FDropDownForm || Grid.parentWidget() != FDropDownForm) return;
    const TListColumn &col = ListColumn(Index);
    const QFontMetrics fm(col.Font().ToQFont());
    int widest = 0;
    for (int r = 1; r < Grid.RowCount(); ++r) {
        int w = 0;
        if (col.ColumnType() == ctImage && FImages && r - 1 < ItemCount() && ListItem(r - 1).ImageIndex() >= 0)
            w += FImages->Width + 4;
        const QString t = SizingText(Grid, Index, r);
        if (!t.isEmpty()) w += fm.boundingRect(QRect(0, 0, 1000, 500), Qt::TextSingleLine, t).width() + 6;
        widest = std::max(widest, w);
    }
    // The column model keeps the width too: the scaling to the pop-up starts from it.
    const_cast<TListColumn &>(col).SetWidth(widest);
    Grid.SetColWidths(Index, widest);
}

void TColumnListDropDown::UpdateWrapRowHeights(TStringGrid &Grid)
{
    if (!FDropDownForm || Grid.parentWidget() != FDropDownForm) return;
    bool wraps = false;
    for (int i = 0; i < ColumnCount(); ++i) wraps = wraps || ListColumn(i).Wordwrap();
    if (!wraps) return;
    for (int r = 1; r < Grid.RowCount(); ++r) {
        int h = 24;
        for (int i = 0; i < ColumnCount() && i < Grid.ColCount(); ++i) {
            const TListColumn &col = ListColumn(i);
            if (!col.Wordwrap()) continue;
            if (col.ColumnType() == ctImage && FImages && r - 1 < ItemCount() && ListItem(r - 1).ImageIndex() >= 0) {
                h = std::max(h, FImages->Height + 6);
                continue;
            }
            const QFontMetrics fm(col.Font().ToQFont());
            const QRect b = fm.boundingRect(QRect(0, 0, std::max(1, Grid.ColWidths(i)), 500), Qt::TextWordWrap,
                                            SizingText(Grid, i, r));
            h = std::max(h, std::min(b.height(), 500) + 6);
        }
        Grid.SetRowHeights(r, h);
    }
}

// ---- looks -----------------------------------------------------------------------------------------

void TColumnListDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    switch (Style) {
    case scOffice2007:
        FLineColor = 0xF1EDEB;
        FFixedLineColor = 0xD1BBA4;
        break;
    case scWindowsVista:
    case scWindows7:
        FLineColor = 0xECECF0;
        FFixedLineColor = 0xD4D2D1;
        break;
    case scCustom: break;
    }
    TNovaCustomDropDown::SetSelectionColorStyle(Style);
}

namespace {

// One row of the looks by component style. A selection pair of clNone keeps the colour style's
// presets; a header font colour of clNone leaves the font.
struct TListLook {
    TNovaStyle Style;
    TColor HeaderColor, HeaderColorTo;
    TSelectionColorStyle ColorStyle;
    TColor HeaderFontColor;
    TColor LineColor, FixedLineColor;
    TColor SelectionColor, SelectionColorTo;
    TColor SelectionTextColor;
};

constexpr TColor kPreset = clNone;

const TListLook kListLooks[] = {
    {tsOffice2003Blue, 0xD68759, 0x933803, scOffice2007, 0xFFFFFF, 0x962D00, 0x962D00, kPreset, kPreset, 0},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, scOffice2007, clNone, 0x947C7C, 0x947C7C, kPreset, kPreset, 0},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, scOffice2007, clNone, 0x588060, 0x588060, kPreset, kPreset, 0},
    {tsOffice2003Classic, 0x808080, 0x808080, scOffice2007, clNone, 0x808080, 0x808080, kPreset, kPreset, 0},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, scOffice2007, 0x723708, 0xFFD2AF, 0xFFD2AF, kPreset, kPreset, 0},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, scOffice2007, 0x433C37, 0x5C534C, 0x5C534C, kPreset, kPreset, 0},
    {tsWindowsXP, clBtnFace, clBtnFace, scCustom, 0, 0xC0C0C0, 0, clHighlight, clHighlight, clHighlightText},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, scOffice2007, 0xFFFFFF, 0x962D00, 0x962D00, kPreset, kPreset, 0},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, scOffice2007, 0x8B4215, 0x74706F, 0x74706F, kPreset, kPreset, 0},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, scWindowsVista, 0, 0xFCF2DA, 0xFCF2DA, kPreset, kPreset, 0},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, scWindows7, 0, 0xFBD6B8, 0xFBD6B8, kPreset, kPreset, 0},
    {tsTerminal, clBtnFace, clBtnFace, scCustom, 0, 0x808080, 0x808080, clHighlight, clHighlight, clHighlightText},
    {tsOffice2010Blue, 0xEDDBCD, clNone, scCustom, 0x5B391E, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF, 0},
    {tsOffice2010Silver, 0xEDE9E5, clNone, scCustom, 0x5B391E, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF, 0},
    {tsOffice2010Black, 0x828282, clNone, scCustom, 0xD7D7D6, 0xEEDDCF, 0xEEDDCF, 0x6CD0FF, 0x6CD0FF, 0},
};

bool isOffice2010(TNovaStyle Style)
{
    return Style == tsOffice2010Blue || Style == tsOffice2010Silver || Style == tsOffice2010Black;
}

} // namespace

void TColumnListDropDown::SetComponentStyle(TNovaStyle Style)
{
    TNovaCustomDropDown::SetComponentStyle(Style);
    if (isOffice2010(Style) && !FOffice2010Looks) return;
    for (const TListLook &l : kListLooks) {
        if (l.Style != Style) continue;
        FHeaderColor = l.HeaderColor;
        FHeaderColorTo = l.HeaderColorTo;
        SetSelectionColorStyle(l.ColorStyle);
        if (l.HeaderFontColor != clNone) FHeaderFont.Color = l.HeaderFontColor;
        FLineColor = l.LineColor;
        FFixedLineColor = l.FixedLineColor;
        if (l.SelectionColor != kPreset) {
            FSelectionColor = l.SelectionColor;
            FSelectionColorTo = l.SelectionColorTo;
        }
        FSelectionTextColor = l.SelectionTextColor;
        return;
    }
}
