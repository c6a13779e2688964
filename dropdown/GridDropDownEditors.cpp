// The drop-down cell editors of the string grid and the one function that registers them.
#include "dropdown/GridDropDownEditors.h"

#include "dropdown/DropDownForm.h"
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QKeyEvent>

// ---- what every wrapper shares -----------------------------------------------------------------------

template <class TBaseDropDown>
TGridDropDownWrapper<TBaseDropDown>::TGridDropDownWrapper(TNovaStringGrid &AGrid)
    : TBaseDropDown(&AGrid), TDropDownCellEditor(&AGrid)
{
    this->hide();
    this->OnDropDownHeaderButtonClick = [this](QObject *, int i) { GridHeaderButtonClick(i); };
    this->OnDropDownFooterButtonClick = [this](QObject *, int i) { GridFooterButtonClick(i); };
    qApp->installEventFilter(this);
}

template <class TBaseDropDown>
bool TGridDropDownWrapper<TBaseDropDown>::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Event->type() != QEvent::KeyPress || !TBaseDropDown::DroppedDown() || Watched == this)
        return TBaseDropDown::eventFilter(Watched, Event);
    auto *w = qobject_cast<QWidget *>(Watched);
    QWidget *popup = PopupWindow();
    if (!w || !popup || !(w == popup || popup->isAncestorOf(w))) return TBaseDropDown::eventFilter(Watched, Event);
    auto *k = static_cast<QKeyEvent *>(Event);
    const int key = k->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return TBaseDropDown::eventFilter(Watched, Event);
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !Grid()->WantsTabKey())
        return TBaseDropDown::eventFilter(Watched, Event);
    QKeyEvent forward(QEvent::KeyPress, key, k->modifiers(), k->text());
    QApplication::sendEvent(this, &forward);
    return true;
}

template <class TBaseDropDown>
QWidget *TGridDropDownWrapper<TBaseDropDown>::PopupWindow() const
{
    return this->DropDownForm();
}

template <class TBaseDropDown>
void TGridDropDownWrapper<TBaseDropDown>::SetDropDownBars(const THeaderAppearance &Header,
                                                          const TFooterAppearance &Footer)
{
    this->SetDropDownHeader(Header);
    this->SetDropDownFooter(Footer);
}

template <class TBaseDropDown>
bool TGridDropDownWrapper<TBaseDropDown>::OwnedByPopup(int Key) const
{
    // The open pop-up is where the user chooses: only the keys that end the edit go to the grid.
    return TBaseDropDown::DroppedDown() && Key != Qt::Key_Return && Key != Qt::Key_Enter && Key != Qt::Key_Tab
           && Key != Qt::Key_Backtab && Key != Qt::Key_Escape;
}

template <class TBaseDropDown>
void TGridDropDownWrapper<TBaseDropDown>::keyPressEvent(QKeyEvent *e)
{
    int key = e->key();
    if (OwnedByPopup(key)) {
        TBaseDropDown::keyPressEvent(e);
        return;
    }
    if (GridKeyDown(key, e->modifiers())) {
        e->accept();
        return;
    }
    TBaseDropDown::keyPressEvent(e);
}

template <class TBaseDropDown>
void TGridDropDownWrapper<TBaseDropDown>::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if (!OwnedByPopup(Key) && GridKeyDown(Key, Shift)) {
        Key = 0;
        return;
    }
    TBaseDropDown::KeyDown(Key, Shift);
}

template <class TBaseDropDown>
void TGridDropDownWrapper<TBaseDropDown>::KeyPress(QChar &Key)
{
    GridKeyPress(Key);
    if (!Key.isNull()) TBaseDropDown::KeyPress(Key);
}

template <class TBaseDropDown>
void TGridDropDownWrapper<TBaseDropDown>::Change()
{
    TBaseDropDown::Change();
    GridChange();
}

template <class TBaseDropDown>
void TGridDropDownWrapper<TBaseDropDown>::DoExit()
{
    GridExit();
    TBaseDropDown::DoExit();
}

template <class TBaseDropDown>
bool TGridDropDownWrapper<TBaseDropDown>::WantSpecialKey(int Key, Qt::KeyboardModifiers Shift)
{
    return GridWantsKey(Key) || TBaseDropDown::WantSpecialKey(Key, Shift);
}

template class TGridDropDownWrapper<TNovaTrackBarDropDown>;
template class TGridDropDownWrapper<TNovaMemoDropDown>;
template class TGridDropDownWrapper<TNovaCalculatorDropdown>;
template class TGridDropDownWrapper<TNovaTimePickerDropDown>;
template class TGridDropDownWrapper<TNovaDetailDropDown>;
template class TGridDropDownWrapper<TNovaMultiColumnDropDown>;
template class TGridDropDownWrapper<TNovaColorPickerDropDown>;
template class TGridDropDownWrapper<TCustomNovaGridDropDown>;
template class TGridDropDownWrapper<TNovaImagePickerDropDown>;

// ---- the kinds -----------------------------------------------------------------------------------------

TGridTrackbarDropDown::TGridTrackbarDropDown(TNovaStringGrid &AGrid) : TGridDropDownWrapper(AGrid)
{
    SetEditorEnabled(true);
}

void TGridTrackbarDropDown::SetCellText(const QString &Text) { SetText(Text); }

void TGridTrackbarDropDown::SetCellPosition(int Position)
{
    SetPosition(Position);
    SetText(QString::number(this->Position()));
}

TGridMemoDropDown::TGridMemoDropDown(TNovaStringGrid &AGrid) : TGridDropDownWrapper(AGrid)
{
    // The cell follows the memo while it is edited.
    OnMemoChange = [this](QObject *) { GridChange(); };
}

void TGridMemoDropDown::SetCellText(const QString &Text) { SetMemoText(MemoTextLines(Text)); }

TGridCalculatorDropDown::TGridCalculatorDropDown(TNovaStringGrid &AGrid) : TGridDropDownWrapper(AGrid)
{
    SetEditorEnabled(true);
}

void TGridCalculatorDropDown::keyPressEvent(QKeyEvent *e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !(e->modifiers() & Qt::AltModifier))
        CalcResult();
    TGridDropDownWrapper::keyPressEvent(e);
}

TGridTimepickerDropDown::TGridTimepickerDropDown(TNovaStringGrid &AGrid) : TGridDropDownWrapper(AGrid)
{
    SetFocusDraw(false);
}

void TGridTimepickerDropDown::SetCellText(const QString &Text)
{
    SetEditorEnabled(true);
    const TDateTime before = Time();
    SetText(Text);
    // The picker reads only what is a time; anything else leaves it where it was.
    if (GetText() != Text && Time() == before) SetTime(before);
}

void TGridDetailPickerDropDown::SetCellText(const QString &Text)
{
    SetEditorEnabled(true);
    SetPlainText(Text);
    const int i = Items().IndexOf(Text);
    if (i >= 0) SetItemIndex(i);
}

void TGridGridDropDown::SetCellText(const QString &Text)
{
    BeginUpdate();
    EndUpdate();
    const int i = Text.isEmpty() ? (Items().Count() > 0 ? 0 : -1) : GetItemIndex(Text);
    SetItemIndex(i);
    SetPlainText(Text);
}

void TGridNovaGridDropDown::SetCellText(const QString &Text)
{
    QString match;
    int index = -1;
    if (UseItems()) {
        EndUpdate();
        index = ItemOfLookupText(Text);
    } else if (LookupPrefix(Text, match, index) && match == Text) {
        index -= GetGrid()->FixedRows();
    } else {
        index = -1;
    }
    SetItemIndex(index);
    SetPlainText(Text);
}

TGridColorDropDown::TGridColorDropDown(TNovaStringGrid &AGrid) : TGridDropDownWrapper(AGrid)
{
    AddDefaultColors();
    OnSelect = [this](QObject *) {
        if (!FLoading) GridSelect();
    };
}

QString TGridColorDropDown::CellText() const
{
    return ItemIndex() >= 0 ? GetSelectedColorText() : QString();
}

void TGridColorDropDown::SetCellText(const QString &Text)
{
    FLoading = true;
    int found = -1;
    for (int i = 0; i < Colors().Count() && found < 0; ++i)
        if (Colors().GetItem(i)->Caption() == Text) found = i;
    SetItemIndex(found);
    FLoading = false;
}

void TGridColorDropDown::SetCellColor(TColor Color)
{
    FLoading = true;
    int found = -1;
    for (int i = 0; i < Colors().Count() && found < 0; ++i)
        if (Colors().GetItem(i)->Color() == Color) found = i;
    SetItemIndex(found);
    FLoading = false;
}

TColor TGridColorDropDown::CellColor() const
{
    return ItemIndex() >= 0 ? SelectedColor() : clNone;
}

TGridImageDropDown::TGridImageDropDown(TNovaStringGrid &AGrid) : TGridDropDownWrapper(AGrid)
{
    OnSelect = [this](QObject *) {
        if (!FLoading) GridSelect();
    };
}

QString TGridImageDropDown::CellText() const
{
    // The items are only read here.
    TImageItems &items = const_cast<TGridImageDropDown *>(this)->Items();
    const int i = ItemIndex();
    return i >= 0 && i < items.Count() ? items.GetItem(i)->Caption() : QString();
}

void TGridImageDropDown::SetCellText(const QString &Text)
{
    FLoading = true;
    int found = -1;
    for (int i = 0; i < Items().Count() && found < 0; ++i)
        if (Items().GetItem(i)->Caption() == Text) found = i;
    SetItemIndex(found);
    FLoading = false;
}

void TGridImageDropDown::SetCellImages(const TMarkupImageList *Images)
{
    SetImages(Images);
    if (Images && Items().Count() == 0) AddImagesFromImageList();
}

void TGridImageDropDown::SetCellImageIndex(int Index)
{
    FLoading = true;
    SetImageIndex(Index);
    FLoading = false;
}

// ---- the registry --------------------------------------------------------------------------------------

void RegisterGridDropDownEditors()
{
    RegisterDropDownEditor(edTrackbarDropDown, [](TNovaStringGrid &g) { return new TGridTrackbarDropDown(g); });
    RegisterDropDownEditor(edMemoDropDown, [](TNovaStringGrid &g) { return new TGridMemoDropDown(g); });
    RegisterDropDownEditor(edCalculatorDropDown, [](TNovaStringGrid &g) { return new TGridCalculatorDropDown(g); });
    RegisterDropDownEditor(edTimePickerDropDown, [](TNovaStringGrid &g) { return new TGridTimepickerDropDown(g); });
    RegisterDropDownEditor(edDetailDropDown, [](TNovaStringGrid &g) { return new TGridDetailPickerDropDown(g); });
    RegisterDropDownEditor(edGridDropDown, [](TNovaStringGrid &g) { return new TGridGridDropDown(g); });
    RegisterDropDownEditor(edColorPickerDropDown, [](TNovaStringGrid &g) { return new TGridColorDropDown(g); });
    RegisterDropDownEditor(edImagePickerDropDown, [](TNovaStringGrid &g) { return new TGridImageDropDown(g); });
    RegisterDropDownEditor(edNovaGridDropDown, [](TNovaStringGrid &g) { return new TGridNovaGridDropDown(g); });
}
