// The detail list. The list lives in the pop-up from construction on and draws its entries
// through this control (picture, caption, notes); the notes stay with the control's own items.
// Completion runs on every change of the text; a text written by code completes nothing, as the
// caret then stands at its start.
#include "dropdown/NovaDetailDropDown.h"

#include "dropdown/AutoComplete.h"
#include "dropdown/DropDownForm.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

// ---- Items --------------------------------------------------------------------------------------

void TDetailItem::Assign(const TDetailItem &Source)
{
    AssignEntry(Source);
    FNotes = Source.FNotes;
    FTag = Source.FTag;
    FItemObject = Source.FItemObject;
}

int TDetailItems::IndexOf(const QString &Text) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->Caption() == Text)
            return i;
    return -1;
}

// ---- Construction and the list ------------------------------------------------------------------

TNovaDetailDropDown::TNovaDetailDropDown(QWidget *AOwner)
    : TSelectorDropDown(AOwner), FItems(std::make_unique<TDetailItems>(this))
{
    CreateDropDownForm();
    SetEditorEnabled(true);
    FCaptionFont.Assign(font());
    FNotesFont.Assign(font());
    setAccessibleName(QStringLiteral("Item"));
}

TNovaDetailDropDown::~TNovaDetailDropDown() = default;

void TNovaDetailDropDown::CreateDropDownForm()
{
    TNovaCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm)
        return;
    if (!FItemSelector) {
        CreateItemSelector(stImage, QStringLiteral("Items"));
        FItemSelector->OnDrawItem = [this](QObject *, TCanvas &Canvas, const TRect &R, int Index) {
            DrawSelectorItem(Canvas, R, Index);
        };
        FItemSelector->OnItemSize = [this](QObject *, QSize &ASize) { MeasureSelectorItem(ASize); };
        FItemSelector->UpdateSelectorPanel();
        FItemSelector->OnResize = [this](QObject *) { SelectorResized(); };
    }
    InstallItemSelector();
}

void TNovaDetailDropDown::FillSelector()
{
    // The notes stay with the items: the entries are drawn from them.
    FItemSelector->Items().Clear();
    for (int i = 0; i < FItems->Count(); ++i)
        AddEntry(*FItems->GetItem(i));
}

void TNovaDetailDropDown::SelectorResized()
{
    if (FItemSelector)
        FItemSelector->UpdateSelectorPanel();
}

void TNovaDetailDropDown::DropDownResized()
{
    TNovaCustomDropDown::DropDownResized();
    SelectorResized();
}

void TNovaDetailDropDown::MeasureSelectorItem(QSize &ASize) const
{
    const int W = FDropDownWidth > 0 ? FDropDownWidth : FDropDownForm ? FDropDownForm->width() : width();
    const bool bar = FItemSelector && FItemSelector->verticalScrollBar()->isVisible();
    const int V = bar ? VerticalScrollBarWidth() : 0;
    const int B = 1; // the platform's thin border
    ASize = QSize(W - V - 2 * B - 4, FItemHeight);
}

void TNovaDetailDropDown::BeforeDropDown()
{
    TNovaCustomDropDown::BeforeDropDown();
    UpdateSelector();
    FOldItemIndex = FItemIndex;
}

void TNovaDetailDropDown::DoShowDropDown()
{
    TSelectorDropDown::DoShowDropDown();
    if (FDropDownForm && FDropDownForm->isVisible() && FItemSelector)
        FItemSelector->setFocus(Qt::PopupFocusReason);
}

void TNovaDetailDropDown::UpdateDropDownSize()
{
    if (FItemSelector)
        FItemSelector->resize(FDropDownWidth <= 0 ? width() : FItemSelector->width(),
                              FDropDownHeight <= 0 ? 100 : FItemSelector->height());
    TNovaCustomDropDown::UpdateDropDownSize();
}

void TNovaDetailDropDown::SelectorItemSelected()
{
    if (!FItemSelector)
        return;
    // The list's index may lie beyond the items when they changed since it was filled.
    const int index = ItemOfList(FItemSelector->ItemIndex(), FItems->Count());
    if (index >= 0) {
        SetItemIndex(index);
        SetText(FItems->GetItem(index)->Caption());
        setSelection(0, int(text().size()));
    }
    if (!FInternalCall)
        DoHideDropDown(false);
}

void TNovaDetailDropDown::DoHideDropDown(bool Cancel)
{
    const bool open = FDropDownForm && (FDropDownForm->isVisible() || FDroppedDown);
    TNovaCustomDropDown::DoHideDropDown(Cancel);
    if (open && Cancel && FOldItemIndex != -1)
        SetItemIndex(FOldItemIndex);
}

// ---- Drawing an entry ---------------------------------------------------------------------------

void TNovaDetailDropDown::DrawSelectorItem(TCanvas &Canvas, const TRect &ARect, int Index)
{
    TRect R = ARect;
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, R);
        return;
    }
    if (Index < 0 || Index >= FItems->Count())
        return;
    const TDetailItem *item = FItems->GetItem(Index);
    // The picture (else the list's image) beside the caption, or centred without one.
    if (const QSize size = item->ShownImageSize(FImages); !size.isEmpty()) {
        const int left = item->Caption().isEmpty() ? R.Left + (R.Width() - size.width()) / 2 : R.Left + 2;
        item->DrawShownImage(Canvas, left, R.Top + (R.Height() - size.height()) / 2, FImages);
        R.Left += size.width() + 4;
    }
    // The hot and selected colours are the drop-down's own, not the list's copy.
    const bool hot = FItemSelector && Index == FItemSelector->ItemHot();
    const bool selected = Index == FItemIndex;
    auto takeFont = [&](const TFont &f) {
        Canvas.Font = f;
        if (hot)
            Canvas.Font.Color = FItemAppearance->ColorHotText;
        if (selected)
            Canvas.Font.Color = FItemAppearance->ColorSelectedText;
    };
    takeFont(FCaptionFont);
    Canvas.Brush.Style = bsClear;
    R.Left += 4;
    R.Top += 2;
    R.Right -= 4;
    TRect line = R;
    Canvas.DrawText(item->Caption(), line, DT_END_ELLIPSIS);
    if (!item->Notes().isEmpty()) {
        R.Top += Canvas.TextHeight(QStringLiteral("gh"));
        takeFont(FNotesFont);
        TMarkupDrawParams params;
        params.imageList = FImages;
        params.wordWrap = true;
        TMarkupDrawResult result;
        DrawMarkupText(Canvas, item->Notes(), R, params, result);
    }
    Canvas.Brush.Style = bsSolid;
}

// ---- Choosing -----------------------------------------------------------------------------------

void TNovaDetailDropDown::SetText(const QString &Value)
{
    const QScopedValueRollback<bool> fromCode(FTextFromCode, true);
    TNovaCustomDropDown::SetText(Value);
    setCursorPosition(0);
}

void TNovaDetailDropDown::SetItemIndex(int Value)
{
    if (Value == FItemIndex)
        return;
    if (Value >= 0 && Value < FItems->Count()) {
        FItemIndex = Value;
        SetText(FItems->GetItem(Value)->Caption());
        setSelection(0, int(text().size()));
        update();
        if (FItemSelector)
            FItemSelector->viewport()->update();
        FireEvent(OnSelect, this);
    } else if (Value == -1) {
        SetText(QString());
        FItemIndex = -1;
    }
}

void TNovaDetailDropDown::SelectNextValue()
{
    TNovaCustomDropDown::SelectNextValue();
    StepValue(true);
}

void TNovaDetailDropDown::SelectPrevValue()
{
    TNovaCustomDropDown::SelectPrevValue();
    StepValue(false);
}

void TNovaDetailDropDown::StepValue(bool Forward)
{
    if (!FDroppedDown || !FItemSelector)
        Forward ? SelectNext() : SelectPrevious();
    else
        FKeys.Step(Forward ? 1 : -1);
    update();
}

// ---- Completion ---------------------------------------------------------------------------------

void TNovaDetailDropDown::Change()
{
    FItemChange = false;
    TNovaCustomDropDown::Change();
    if (!FWorkMode)
        return;
    const QString t = text();
    SetIsModified(!t.isEmpty());
    const int selStart = FTextFromCode ? 0 : hasSelectedText() ? selectionStart() : cursorPosition();
    if (FItems->Count() == 0)
        return;
    QStringList captions;
    for (int i = 0; i < FItems->Count(); ++i)
        captions << FItems->GetItem(i)->Caption();
    const TAutoCompletion c = AutoComplete(t, selStart, captions, FMatchCase);
    switch (c.Kind) {
    case TAutoCompletion::acNone: break;
    case TAutoCompletion::acCompleted:
        // Stored directly: no OnSelect, no list update.
        FItemIndex = c.Index;
        FItemIdx = c.Index;
        FItemChange = true;
        SetText(c.Text);
        setSelection(c.SelStart + c.SelLength, -c.SelLength);
        break;
    case TAutoCompletion::acCut:
        SetText(c.Text);
        setCursorPosition(c.SelStart);
        break;
    }
}

void TNovaDetailDropDown::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if (FItems->Count() == 0) {
        TNovaCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    const bool esc = Key == Qt::Key_Escape;
    switch (Key) {
    case Qt::Key_Backspace:
    case Qt::Key_Escape:
    case Qt::Key_Delete: FWorkMode = false; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const int i = FItems->IndexOf(text()); i >= 0) {
            SetText(FItems->GetItem(i)->Caption());
            SetItemIndex(i);
            const QScopedValueRollback<bool> fromCode(FTextFromCode, true);
            Change();
        }
        break;
    default: FWorkMode = true; break;
    }
    TNovaCustomDropDown::KeyDown(Key, Shift);
    if (esc) {
        if (const int i = FItems->IndexOf(text()); i >= 0)
            SetItemIndex(i);
    }
}

void TNovaDetailDropDown::KeyUp(int &Key, Qt::KeyboardModifiers Shift)
{
    TNovaCustomDropDown::KeyUp(Key, Shift);
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        FItemChange = false;
    }
}

// ---- Navigation ---------------------------------------------------------------------------------

void TNovaDetailDropDown::keyPressEvent(QKeyEvent *e)
{
    if (NavigationKey(e->key(), e->modifiers())) {
        e->accept();
        return;
    }
    TNovaCustomDropDown::keyPressEvent(e);
}

bool TNovaDetailDropDown::NavigationKey(int Key, Qt::KeyboardModifiers Shift)
{
    if (!isEnabled() || (Shift & Qt::AltModifier))
        return false;
    const bool listOpen = FDroppedDown && FItemSelector;
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        FKeys.Page(Key == Qt::Key_PageDown, FItems->Count(), [this] { UpdateSelector(); });
        break;
    case Qt::Key_End:
    case Qt::Key_Home: {
        const bool end = Key == Qt::Key_End;
        if (listOpen)
            end ? FKeys.Last() : FKeys.First();
        else if (!FEditorEnabled)
            end ? SelectLast() : SelectFirst();
        break;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!FEditorEnabled && FDroppedDown)
            Key == Qt::Key_Left ? FKeys.Previous() : FKeys.Next();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (listOpen) {
            FKeys.Step(Key == Qt::Key_Down ? 1 : -1);
            update();
        } else {
            Key == Qt::Key_Down ? SelectNext() : SelectPrevious();
        }
        break;
    default:
        // With the editor on, typed characters go into the text, whose completion finds the
        // item: a type-ahead would first put the found caption over what was typed.
        if (!(Shift & Qt::ControlModifier) && !FEditorEnabled)
            FKeys.TypeAhead(Key);
        break;
    }
    if (!FDroppedDown)
        return false;
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: return true;
    default: return false;
    }
}
