// The editor link and the change notifier of the string grid.
#include "grid/EditLink.h"

#include "grid/NovaGrid.h"
#include "grid/NovaInplaceEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

void TGridChangeNotifier::CellsChanged(const TGridRect &) {}

TEditLink::TEditLink(TNovaStringGrid *AOwner) : QObject(AOwner), FGrid(AOwner) {}

TEditLink::~TEditLink()
{
    if (FWatched)
        FWatched->removeEventFilter(this);
    delete FPopupForm.data();
}

void TEditLink::CreateEditor(QWidget *) {}
void TEditLink::DestroyEditor() {}
void TEditLink::SetProperties() {}
void TEditLink::SetCellProps(TColor, const TFont &) {}
void TEditLink::SetEditorValue(const QString &) {}

QWidget *TEditLink::EnsurePopupForm()
{
    if (!FPopupForm) {
        // A popup widget: a press outside it or its closing ends the edit like leaving it.
        auto *form = new QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint);
        form->setObjectName(QStringLiteral("gridform"));
        form->installEventFilter(this);
        FPopupForm = form;
    }
    return FPopupForm;
}

QWidget *TEditLink::GetParent()
{
    if (FEditStyle == esPopup)
        return EnsurePopupForm();
    // In place the control lies over the grid's cells, in the grid's client area.
    return FGrid ? FGrid->viewport() : nullptr;
}

QString TEditLink::GetCellValue()
{
    if (!FGrid)
        return QString();
    return FGrid->Cells(FGrid->RealColIndex(FGrid->Col()), FGrid->Row());
}

void TEditLink::SetCellValue(const QString &s)
{
    if (FGrid)
        FGrid->SetEditedCellText(FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), s);
}

void TEditLink::SetRect(QRect r)
{
    if (QWidget *w = GetEditControl()) {
        const int lw = FGrid ? FGrid->GridLineWidth() : 0;
        w->setGeometry(r.left(), r.top(), r.width() - lw, r.height() - lw);
    }
}

void TEditLink::SetVisible(bool Value)
{
    if (QWidget *w = GetEditControl())
        w->setVisible(Value);
}

void TEditLink::SetFocus(bool Value)
{
    QWidget *w = GetEditControl();
    if (w && Value) {
        w->setVisible(true);
        w->setEnabled(true);
    }
    // The grid sees the in-place control's keys through a filter while it edits.
    if (w && FEditStyle == esInplace && !FSubclassed) {
        w->installEventFilter(this);
        if (FGrid) {
            FGrid->installEventFilter(this);
            FGrid->viewport()->installEventFilter(this);
        }
        FWatched = w;
        FSubclassed = true;
    }
    if (Value && w)
        w->setFocus(Qt::OtherFocusReason);
    else if (FGrid)
        FGrid->setFocus(Qt::OtherFocusReason);
}

void TEditLink::RestoreWinProc()
{
    if (FEditStyle != esInplace)
        return;
    if (FGrid) {
        FGrid->removeEventFilter(this);
        FGrid->viewport()->removeEventFilter(this);
    }
    if (FWatched) {
        FWatched->removeEventFilter(this);
        FWatched->hide();
    }
    FWatched = nullptr;
    FSubclassed = false;
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (FGrid)
        FGrid->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit(QObject *)
{
    HideEditor();
    if (FEditStyle == esPopup && FPopupForm) {
        DestroyEditor();
        FPopupForm->hide();
    }
}

void TEditLink::FormExit(QObject *Sender)
{
    if (FGrid)
        if (TNovaInplaceEdit *e = FGrid->NormalEdit())
            e->setText(GetEditorValue());
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
        return;
    }
    EditExit(Sender);
}

void TEditLink::forcedExit()
{
    FForcedExit = true;
    if (FGrid) {
        FGrid->setFocus(Qt::OtherFocusReason);
        FGrid->StoreEditorValue(FGrid->RealColIndex(FGrid->Col()), FGrid->Row());
    }
    FForcedExit = false;
}

void TEditLink::EditKeyDown(QObject *, int &Key, Qt::KeyboardModifiers Shift)
{
    if (!FGrid)
        return;
    const bool alt = Shift & Qt::AltModifier;
    bool gridTakes = alt;
    switch (Key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: gridTakes = gridTakes || !FWantTabs; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: gridTakes = gridTakes || !FWantKeyReturn; break;
    case Qt::Key_Escape: gridTakes = gridTakes || !FWantKeyEscape; break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: gridTakes = gridTakes || !FWantKeyPriorNext; break;
    case Qt::Key_Home:
    case Qt::Key_End: gridTakes = gridTakes || !FWantKeyHomeEnd; break;
    case Qt::Key_Up:
    case Qt::Key_Down: gridTakes = gridTakes || !FWantKeyUpDown; break;
    case Qt::Key_Left:
    case Qt::Key_Right: gridTakes = gridTakes || !FWantKeyLeftRight; break;
    default: break;
    }
    FGridTookKey = gridTakes;
    if (!gridTakes)
        return;
    const bool tab = Key == Qt::Key_Tab || Key == Qt::Key_Backtab;
    if (tab && FGrid->Navigation()->TabToNextAtEnd()) {
        forcedExit();
        const int oldCol = FGrid->Col(), oldRow = FGrid->Row();
        const bool backward = Key == Qt::Key_Backtab || (Shift & Qt::ShiftModifier);
        if (FGrid->HandleTabKey(backward) && (FGrid->Col() != oldCol || FGrid->Row() != oldRow)
            && !FGrid->HasClickableGraphic(FGrid->RealColIndex(FGrid->Col()), FGrid->Row())) {
            QPointer<TNovaStringGrid> g = FGrid;
            QTimer::singleShot(0, FGrid, [g] {
                if (g) {
                    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
                    QApplication::sendEvent(g, &f2);
                }
            });
            Key = 0;
            return;
        }
    }
    if (Key == Qt::Key_Escape)
        SetEditorValue(FGrid->CellCache());
    forcedExit();
    if (FEditStyle == esPopup)
        EditExit(this);
    FGrid->HideInplaceEdit();
    FGrid->FocusCell(FGrid->Col(), FGrid->Row());
    if (!FGrid->LastValidation()) {
        // The value was refused: the editor opens again on the same cell.
        FGrid->PrepareCellEditor(FGrid->Col(), FGrid->Row());
        Key = 0;
        return;
    }
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        FGrid->AdvanceAfterEdit(FGrid->Col(), FGrid->Row(), false, false, true, false, false);
        Key = 0;
        return;
    }
    if (Key == Qt::Key_Escape) {
        Key = 0;
        return;
    }
    if (tab || Key == Qt::Key_Up || Key == Qt::Key_Down || Key == Qt::Key_Left || Key == Qt::Key_Right) {
        if (QWidget *w = GetEditControl())
            w->setEnabled(false);
        int k = Key;
        FGrid->KeyDown(k, Shift);
        Key = 0;
    }
}

bool TEditLink::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FPopupForm && event->type() == QEvent::Hide) {
        // The popup closed (a press outside it): the edit ends with the editor's value.
        if (FGrid && FGrid->EditMode())
            FormExit(watched);
        return false;
    }
    if (FKeptKey != 0 && FGrid && (watched == FGrid || watched == FGrid->viewport())
        && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == FKeptKey) {
        // A key the control keeps is the control's alone: one it ignores stops here instead of
        // moving the grid behind it.
        FKeptKey = 0;
        return true;
    }
    if (watched == FWatched && event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        int key = k->key();
        FGridTookKey = false;
        EditKeyDown(watched, key, k->modifiers());
        if (key == 0)
            return true;
        if (!FGridTookKey) {
            switch (key) {
            case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Home:
            case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Tab: case Qt::Key_Backtab:
            case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Escape:
                FKeptKey = key;
                QTimer::singleShot(0, this, [this] { FKeptKey = 0; });
                break;
            default:
                break;
            }
        }
        return false;
    }
    return QObject::eventFilter(watched, event);
}

// ---- the grid's side of the link --------------------------------------------------------------------

TEditLink *TNovaStringGrid::EditLink() const
{
    return static_cast<TEditLink *>(FEditLink.data());
}

void TNovaStringGrid::SetEditLink(TEditLink *Value)
{
    FEditLink = Value;
}

void TNovaStringGrid::openEditLink(int ACol, int ARow, const TRect &R, TColor B, const TFont &F, const QString &Text)
{
    TEditLink *link = EditLink();
    link->SetGrid(this);
    link->SetEditCell(QPoint(ACol, ARow));
    QRect editorRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    if (link->EditStyle() == esPopup) {
        if (link->AutoPopupWidth())
            link->SetPopupWidth(R.Right - R.Left);
        QWidget *form = link->EnsurePopupForm();
        QPoint at(link->PopupLeft(), link->PopupTop());
        if (at.x() == -1 || at.y() == -1)
            at = viewport()->mapToGlobal(QPoint(R.Left, R.Top));
        form->setGeometry(at.x(), at.y(), std::max(1, link->PopupWidth()), std::max(1, link->PopupHeight()));
        link->CreateEditor(form);
        form->show();
        editorRect = QRect(0, 0, link->PopupWidth(), link->PopupHeight());
    } else {
        link->CreateEditor(link->GetParent());
    }
    link->SetRect(editorRect);
    link->SetVisible(true);
    link->SetCellProps(B, F);
    link->SetProperties();
    DoGetEditorProp(RealColIndex(ACol), ARow);
    link->SetEditorValue(Text);
    link->SetFocus(true);
    FEditActive = true;
    FEditCtrl = link->GetEditControl();
}

void TNovaStringGrid::closeEditLink(int ACol, int ARow)
{
    TEditLink *link = EditLink();
    if (!link)
        return;
    SetEditedCellText(ACol, ARow, link->GetEditorValue());
    if (link->EditStyle() != esPopup)
        link->SetVisible(false);
    link->RestoreWinProc();
    FEditMode = false;
}
