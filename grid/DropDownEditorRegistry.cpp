// The drop-down cell editors' face towards the grid, the grid's steps that end their edits (one
// copy for the nine kinds, the same rules as the grid's combo), and the registry of their factories.
#include "grid/DropDownEditorRegistry.h"

#include "grid/GridEditorControls.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <array>

namespace {

constexpr int kFirstKind = edTrackbarDropDown;
constexpr int kKinds = edNovaGridDropDown - edTrackbarDropDown + 1;

std::array<TDropDownEditorFactory, kKinds> &factories()
{
    static std::array<TDropDownEditorFactory, kKinds> f;
    return f;
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
bool isTab(int key) { return key == Qt::Key_Tab || key == Qt::Key_Backtab; }
bool isNavKey(int key)
{
    return key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Left || key == Qt::Key_Right
           || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

bool IsDropDownEditorKind(TEditorType Kind) { return Kind >= edTrackbarDropDown && Kind <= edNovaGridDropDown; }

bool RegisterDropDownEditor(TEditorType Kind, TDropDownEditorFactory Factory)
{
    if (!IsDropDownEditorKind(Kind) || !Factory) return false;
    factories()[Kind - kFirstKind] = std::move(Factory);
    return true;
}

void UnregisterDropDownEditor(TEditorType Kind)
{
    if (IsDropDownEditorKind(Kind)) factories()[Kind - kFirstKind] = nullptr;
}

bool HasDropDownEditorFactory(TEditorType Kind)
{
    return IsDropDownEditorKind(Kind) && bool(factories()[Kind - kFirstKind]);
}

TDropDownCellEditor *MakeDropDownEditor(TEditorType Kind, TNovaStringGrid &Grid)
{
    if (!HasDropDownEditorFactory(Kind)) return nullptr;
    return factories()[Kind - kFirstKind](Grid);
}

// ---- the editor's face: defaults of the kinds that do not have a value of their own ---------------

TDropDownCellEditor::TDropDownCellEditor(QWidget *AOwner) : FGrid(gridOwner(AOwner)) {}

TDropDownCellEditor::~TDropDownCellEditor() = default;

void TDropDownCellEditor::SetDropDownBars(const THeaderAppearance &, const TFooterAppearance &) {}
void TDropDownCellEditor::SetCellPosition(int Position) { SetCellText(QString::number(Position)); }
void TDropDownCellEditor::SetCellColor(TColor) {}
TColor TDropDownCellEditor::CellColor() const { return clNone; }
void TDropDownCellEditor::SetCellImages(const TMarkupImageList *) {}
void TDropDownCellEditor::SetCellImageIndex(int) {}
int TDropDownCellEditor::CellImageIndex() const { return -1; }

// ---- the grid's steps ------------------------------------------------------------------------------

QString TDropDownCellEditor::CommitText() const
{
    TNovaStringGrid *g = FGrid;
    const TPoint b = g->BaseCell(g->RealColIndex(g->Col()), g->Row());
    switch (FKind) {
    case edColorPickerDropDown:
        // No colour chosen: the cell keeps its text.
        return CellColor() == clNone ? g->GetCurrentCell() : CellText();
    case edImagePickerDropDown: {
        // The text the cell takes: an image-list cell keeps its own, a data image holds the index;
        // with no image chosen the cell keeps its text.
        const TCellType t = g->GetCellType(b.X, b.Y);
        const int i = CellImageIndex();
        if (t == ctImageList || i < 0) return g->GetCurrentCell();
        if (t == ctDataImage) return QString::number(i);
        return CellText();
    }
    default: return CellText();
    }
}

bool TDropDownCellEditor::Commit(bool Tab)
{
    TNovaStringGrid *g = FGrid;
    const QString v = CommitText();
    g->SetCurrentCell(v);
    if (!g->ValidateCell(v)) {
        SetCellText(g->FNewCellText);
        if (auto *le = qobject_cast<QLineEdit *>(Widget())) {
            if (Tab) le->end(false);
            else le->selectAll();
        }
        Widget()->update();
        if (!Tab) g->FNoAutoAdvance = true;
        return false;
    }
    // A validation handler may have changed the value: a text editor shows what the cell took.
    if (!Tab && FKind != edColorPickerDropDown && FKind != edImagePickerDropDown) {
        const QString cur = g->GetCurrentCell();
        if (cur != v) SetCellText(cur);
    }
    return true;
}

void TDropDownCellEditor::Closing(int &Key, Qt::KeyboardModifiers Shift, bool WasOpen)
{
    TNovaStringGrid *g = FGrid;
    if (WasOpen) {
        g->HideInplaceEdit();
        // The keys worked in the pop-up: the grid does not move with them.
        if (isNavKey(Key)) Key = 0;
    }
    g->DoneInplaceEdit(Key, Shift);
    if (g->Navigation()->AdvanceOnEnter() && g->Navigation()->AdvanceAutoEdit()) g->ShowInplaceEdit();
    Key = 0;
}

bool TDropDownCellEditor::GridKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    TNovaStringGrid *g = FGrid;
    if (Shift & Qt::AltModifier) return false;
    const bool open = DroppedDown();
    const bool colour = FKind == edColorPickerDropDown;
    const bool tab = isTab(Key), enter = isEnter(Key), esc = Key == Qt::Key_Escape;
    const bool upDown = Key == Qt::Key_Up || Key == Qt::Key_Down;
    bool handled = tab || enter || esc;
    // The open colour list keeps every other key for choosing.
    if (!(colour && open))
        handled = handled || upDown || Key == Qt::Key_PageUp || Key == Qt::Key_PageDown || Key == Qt::Key_End;
    if (colour && !open) handled = handled || Key == Qt::Key_Home;
    if (!handled) return false;
    if (tab && !g->WantsTabKey()) return false;
    if (!open && Key == Qt::Key_End) return false; // the caret goes to the end

    if (esc) {
        // The cell gets back the text it had when the edit began; nothing of the editor is written.
        if (open) ClosePopup(true);
        g->RestoreCellCache();
        g->FDropDownCancelled = true;
        g->HideInplaceEdit();
        g->FDropDownCancelled = false;
        g->setFocus(Qt::OtherFocusReason);
        Key = 0;
        return true;
    }
    const bool commits = enter || tab || (!colour && upDown);
    // A value chosen in the pop-up is taken before it is validated.
    if (commits && open) ClosePopup(false);
    if (commits && !Commit(tab)) {
        Key = 0;
        return true;
    }
    if (tab && g->Options().Contains(goTabs)) {
        const bool back = Key == Qt::Key_Backtab || (Shift & Qt::ShiftModifier);
        g->HideInplaceEdit();
        g->setFocus(Qt::OtherFocusReason);
        g->HandleTabKey(back);
        Key = 0;
        return true;
    }
    Closing(Key, Shift, open);
    return true;
}

void TDropDownCellEditor::GridKeyPress(QChar &Key)
{
    FireEvent(FGrid->OnKeyPress, Widget(), Key);
    const ushort k = Key.unicode();
    if (k == 27 || k == 13 || k == 9) Key = QChar();
}

void TDropDownCellEditor::GridChange()
{
    TNovaStringGrid *g = FGrid;
    if (g->FNoEditChange || !Widget()->isVisible() || g->FEditCtrl != Widget()) return;
    if (FKind == edMemoDropDown) g->MemoDropDownChange();
    FireEvent(g->OnEditChange, g, g->Col(), g->Row(), CellText());
}

bool TDropDownCellEditor::FocusInPopup() const
{
    QWidget *popup = PopupWindow();
    if (DroppedDown()) return true;
    if (!popup) return false;
    QWidget *f = QApplication::focusWidget();
    return QApplication::activePopupWidget() == popup || (f && (f == popup || popup->isAncestorOf(f)));
}

void TDropDownCellEditor::GridExit()
{
    TNovaStringGrid *g = FGrid;
    // The grid itself is closing the editor, or the pop-up took the keyboard.
    if (g->Destroying() || g->FBlockKill || FocusInPopup()) return;
    if (g->MustValidateOnExit(Widget()) && !Commit(true)) {
        g->RefuseExit(Widget());
        return;
    }
    g->HideInplaceEdit();
}

bool TDropDownCellEditor::GridWantsKey(int Key) const
{
    if (isTab(Key)) return FGrid->WantsTabKey();
    if (isEnter(Key) || Key == Qt::Key_Escape)
        return FKind == edTrackbarDropDown || FKind == edColorPickerDropDown;
    return false;
}

void TDropDownCellEditor::GridSelect()
{
    TNovaStringGrid *g = FGrid;
    if (FKind == edColorPickerDropDown) {
        TColor c = CellColor();
        g->DoColorSelect(g->Col(), g->Row(), c);
    } else if (FKind == edImagePickerDropDown) {
        int i = CellImageIndex();
        g->DoImageSelect(g->Col(), g->Row(), i);
    }
}

void TDropDownCellEditor::GridHeaderButtonClick(int ButtonIndex) { FGrid->DoDropDownHeaderButtonClick(ButtonIndex); }

void TDropDownCellEditor::GridFooterButtonClick(int ButtonIndex) { FGrid->DoDropDownFooterButtonClick(ButtonIndex); }
