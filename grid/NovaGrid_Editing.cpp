// Editing core: which editor opens for a cell, what it is filled with, and what is written back
// when it closes; the shared combo list; opening, closing and the end-of-edit report.
#include "grid/DropDownEditorRegistry.h"
#include "grid/GridEditorControls.h"
#include "grid/NovaGrid.h"
#include "grid/NovaInplaceEdit.h"
#include "grid/NovaRichEdit.h"
#include "grid/base/EditorKit.h"
#include "grid/base/VedAzirText.h"
#include "platform/TextFormat.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

using namespace editorkit;


// ---- combo list ----------------------------------------------------------------------------------

void TNovaStringGrid::ClearComboString()
{
    Combo()->clear();
    Combo()->ItemObjects.clear();
}

void TNovaStringGrid::AddComboString(const QString &S) { AddComboStringObject(S, nullptr); }

void TNovaStringGrid::AddComboStringObject(const QString &S, QObject *AObject)
{
    TGridCombo *c = Combo();
    const QSignalBlocker block(c);
    c->addItem(S);
    while (c->ItemObjects.size() < c->count() - 1) c->ItemObjects.append(nullptr);
    c->ItemObjects.append(AObject);
    c->setCurrentIndex(-1);
}

bool TNovaStringGrid::RemoveComboString(const QString &S)
{
    TGridCombo *c = Combo();
    const int i = c->findText(S, Qt::MatchExactly);
    if (i < 0) return false;
    c->removeItem(i);
    if (i < c->ItemObjects.size()) c->ItemObjects.removeAt(i);
    return true;
}

bool TNovaStringGrid::SetComboSelectionString(const QString &S)
{
    const int i = Combo()->findText(S, Qt::MatchExactly);
    if (i < 0) return false;
    FComboIdx = i;
    return true;
}

void TNovaStringGrid::SetComboSelection(int Index)
{
    // An index outside the list selects nothing.
    FComboIdx = Index >= 0 && Index < GetComboCount() ? Index : -1;
}

int TNovaStringGrid::GetComboCount() { return Combo()->count(); }

int TNovaStringGrid::ComboIndex(int ACol, int ARow)
{
    DoGetEditorProp(ACol, ARow);
    return Combo()->findText(Cells(ACol, ARow), Qt::MatchExactly);
}

void TNovaStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    DoGetEditorProp(ACol, ARow);
    if (Value < 0 || Value >= GetComboCount()) return; // no such item: the cell keeps its text
    SetCells(ACol, ARow, Combo()->itemText(Value));
}

void TNovaStringGrid::DoGetEditorProp(int ACol, int ARow)
{
    FireEvent(OnGetEditorProp, this, ACol, ARow, nullptr);
    FireEvent(OnGetEditorPropInt, this, ACol, ARow);
}

void TNovaStringGrid::DoEllipsClick(int ACol, int ARow, QString &S)
{
    FireEvent(OnEllipsClick, this, ACol, ARow, S);
}

void TNovaStringGrid::DoCellChanging(int OldRow, int OldCol, int NewRow, int NewCol, bool &Allow)
{
    if (NewRow != OldRow) FireEvent(OnRowChanging, this, OldRow, NewRow, Allow);
    if (NewCol != OldCol) FireEvent(OnColChanging, this, OldCol, NewCol, Allow);
    if ((NewRow != OldRow || NewCol != OldCol) && OnCellChanging && !FDisableChange)
        OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, Allow);
}

void TNovaStringGrid::RestoreCellCache()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    SetCells(b.X, b.Y, FCellCache);
    RepaintCell(Col(), Row());
}

bool TNovaStringGrid::WantsTabKey() const
{
    return Options().Contains(goTabs) || bool(OnCellValidate) || bool(OnCellValidateWide);
}

TInplaceEdit *TNovaStringGrid::CreateEditor() { return new TNovaInplaceEdit(this); }

TNovaInplaceEdit *TNovaStringGrid::NormalEdit() const { return static_cast<TNovaInplaceEdit *>(InplaceEditor()); }

QString TNovaStringGrid::GetEditMask(int ACol, int ARow)
{
    QString Value = FEditMask;
    FireEvent(OnGetEditMask, this, ACol, ARow, Value);
    return Value;
}

QString TNovaStringGrid::GetEditInputMask(int ACol, int ARow) { return qtInputMask(GetEditMask(ACol, ARow)); }

int TNovaStringGrid::GetEditLimit() { return FMaxEditLength; }

// ---- opening -------------------------------------------------------------------------------------

bool TNovaStringGrid::CanEditShow()
{
    if (FValidating) return false;
    bool r = TBaseGrid::CanEditShow();
    if (FDesigning) return r;
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    if (r && !FEditMode && HasClickableGraphic(b.X, b.Y)) return false;
    // A cell that may not be edited opens no editor, whoever asks.
    if (r && !FEditMode && !IsEditableCell(b.X, b.Y)) return false;
    if (r && !FEditMode) {
        FNoEditChange = true;
        FCellCache = GetCurrentCell();
        if (!FEditing) RememberCellValue(Col(), Row());
        FCurrentEditor = FDefaultEditor;
        GetCellEditor(b.X, b.Y, FCurrentEditor);
        if (FCurrentEditor == edNone) {
            FNoEditChange = false;
            return false;
        }
        FEditMode = true;
        if (IsTextEditorKind(FCurrentEditor)) {
            FShowEditProcess = true;
            FNoEditChange = false;
        } else {
            const TPoint d{Col(), Row()};
            PrepareCellEditor(d.X, d.Y);
            FEntered = true;
            FNoEditChange = false;
            r = false;
        }
        showFocusFrameForEditor();
    }
    if (r) {
        FEntered = true;
        FEditing = true;
    }
    return r;
}

void TNovaStringGrid::ShowEditorControl(QWidget *w, const TRect &R, TColor B, bool focus)
{
    w->setGeometry(R.Left, R.Top, R.Right - R.Left - 1, R.Bottom - R.Top - 1);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, ToQColor(B, QApplication::palette()));
    w->setPalette(pal);
    w->setEnabled(true);
    w->show();
    w->raise();
    if (focus) w->setFocus(Qt::OtherFocusReason);
}

void TNovaStringGrid::PostStartChar(QWidget *w)
{
    if (FStartEditChar.isNull()) return;
    const QString t(FStartEditChar);
    QWidget *target = w;
    if (auto *cb = qobject_cast<QComboBox *>(w); cb && cb->lineEdit()) target = cb;
    QApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, 0, Qt::NoModifier, t));
}

void TNovaStringGrid::PrepareCellEditor(int ACol, int ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    TRect R = TBaseGrid::CellRect(RealColIndex(ACol), ARow);
    const QRect q = CellBounds(ACol, ARow);
    if (!q.isEmpty()) R = TRect{q.left(), q.top(), q.right() + 1, q.bottom() + 1};
    if (layoutDirection() == Qt::RightToLeft) R.Left += 1;
    const int c = RealColIndex(ACol);
    const int w = R.Right - R.Left - 1, h = R.Bottom - R.Top - 1;
    TGridDrawState st;
    TBrush brush;
    TFont font;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd = GradientVertical;
    GetVisualProperties(ACol, ARow, st, false, false, true, brush, colorTo, mirror, mirrorTo, font, ha, va, ww, gd);
    const TColor B = brush.Color;
    FEditCtrl = nullptr;
    if (FCurrentEditor != edCustom) FLastValidation = true;
    const QString Text = GetEditText(ACol, ARow);
    FEditMode = true;
    switch (FCurrentEditor) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin *s = SpinEdit();
        s->SetBorderStyle(bsNone);
        ShowEditorControl(s, R, B, false);
        s->SetExcelStyleDecimalSeparator(FExcelStyleDecimalSeparator);
        DoGetEditorProp(c, ARow);
        const QSignalBlocker block(s);
        if (FCurrentEditor == edSpinEdit) {
            s->SetValue(LeadingInt(Text));
            s->SetSpinType(sptNormal);
        } else if (FCurrentEditor == edFloatSpinEdit) {
            double v = 0;
            if (!TryPlainTextToFloat(ExtractNumericText(Text), v)) v = 0;
            s->SetFloatValue(v);
            s->SetSpinType(sptFloat);
        } else if (FCurrentEditor == edTimeSpinEdit) {
            s->setText(Text);
            s->SetSpinType(sptTime);
        } else {
            TDateTime d = 0;
            if (Text.trimmed().isEmpty() || !tryParseShortDate(Text, platform::FormatSettings::current(), d)) d = nowValue();
            s->SetSpinType(sptDate);
            s->SetDateValue(d);
        }
        s->setFocus(Qt::OtherFocusReason);
        s->selectAll();
        PostStartChar(s);
        if (FSpinUpClick) s->UpButtonClick(s);
        if (FSpinDnClick) s->DownButtonClick(s);
        FSpinUpClick = FSpinDnClick = false;
        FEditCtrl = s;
        break;
    }
    case edComboEdit:
    case edComboList: {
        TGridCombo *cb = Combo();
        const QSignalBlocker block(cb);
        cb->SetStyle(FCurrentEditor == edComboEdit ? csDropDown : csDropDownList);
        DoGetEditorProp(c, ARow);
        bool fireFirst = false;
        if (FCurrentEditor == edComboEdit) {
            cb->SetText(Text);
            if (FComboIdx >= 0 && FComboIdx < cb->count() && cb->findText(Text, Qt::MatchExactly) < 0)
                cb->setCurrentIndex(FComboIdx);
            if (cb->lineEdit()) {
                cb->lineEdit()->setText(cb->currentIndex() >= 0 ? cb->currentText() : Text);
                cb->lineEdit()->setMaxLength(FMaxComboLength > 0 ? FMaxComboLength : 32767);
            }
        } else {
            int i = cb->findText(Cells(c, ARow), Qt::MatchExactly);
            if (i < 0 && FComboIdx == -1) {
                i = cb->findText(Text, Qt::MatchExactly);
                if (i < 0 && cb->count() > 0) {
                    i = 0;
                    fireFirst = true;
                }
            } else if (i < 0 && FComboIdx < cb->count()) {
                i = FComboIdx;
            }
            cb->setCurrentIndex(i);
        }
        cb->SetDropDownCount(FControlLook->DropDownCount());
        ShowEditorControl(cb, R, B, false);
        cb->setGeometry(R.Left, R.Top, w, h);
        cb->SetColor(B);
        const bool flatLook = FLook == glSoft || (FLook >= glNova && FLook <= glOffice2007);
        cb->SetFlat(flatLook);
        cb->SetEtched(flatLook);
        if (FNavigation->AutoComboDropSize()) cb->SizeDropDownWidth();
        cb->setFocus(Qt::OtherFocusReason);
        if (fireFirst) {
            const QString first = cb->itemText(0);
            FireEvent(OnComboChange, this, c, ARow, 0, first);
            FireEvent(OnComboObjectChange, this, c, ARow, 0, first, cb->ItemObjects.value(0));
        }
        if (FMouseActions->DirectComboDrop()) cb->showPopup();
        if (FMouseActions->DirectEdit() && FMouseActions->DirectComboDrop()) {
            const TGridRect s = Selection();
            DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
        }
        PostStartChar(cb);
        FEditCtrl = cb;
        break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn: {
        TGridEditBtn *e = EditBtn();
        e->SetBorderStyle(bsNone);
        e->SetEditMask(FCurrentEditor == edMaskEditBtn ? GetEditMask(Col(), Row()) : QString());
        {
            const QSignalBlocker block(e);
            e->setText(Text);
        }
        e->setMaxLength(GetEditLimit() > 0 ? GetEditLimit() : 32767);
        ShowEditorControl(e, R, B);
        e->selectAll();
        PostStartChar(e);
        FEditCtrl = e;
        break;
    }
    case edCheckBox: {
        TGridCheckBox *e = EditCheck();
        e->setText(Text);
        e->setChecked(false);
        ShowEditorControl(e, R, B);
        FEditCtrl = nullptr;
        break;
    }
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
        TGridDatePicker *p = DateTimePicker();
        const QSignalBlocker block(p);
        TDateTime d = nowValue();
        const platform::FormatSettings fs = platform::FormatSettings::current();
        if (FCurrentEditor == edTimeEdit) {
            TDateTime t = 0;
            if (!Text.trimmed().isEmpty() && tryParseTime(Text, fs, t)) d = t;
            p->SetKind(dtkTime);
        } else {
            if (!Text.isEmpty()) {
                if (OnCustomStrToDate) OnCustomStrToDate(this, Text, d);
                else {
                    TDateTime v = 0;
                    if (ParseLocaleDateTime(Text, v) || tryParseShortDate(Text, fs, v)) d = v;
                }
            }
            p->SetKind(dtkDate);
            p->SetDateMode(FCurrentEditor == edDateEditUpDown ? dmUpDown : dmComboBox);
        }
        p->SetPickerDateTime(d);
        DoGetEditorProp(c, ARow);
        ShowEditorControl(p, R, B);
        if (FMouseActions->DirectDateDrop() && FCurrentEditor != edTimeEdit) p->DropDown();
        PostStartChar(p);
        FEditCtrl = p;
        break;
    }
    case edButton: {
        TGridButton *b = GridButton();
        b->setGeometry(R.Left - 1, R.Top - 1, w + 2, h + 2);
        b->setText(Text);
        b->setEnabled(true);
        b->show();
        b->raise();
        b->setFocus(Qt::OtherFocusReason);
        FEditCtrl = b;
        break;
    }
    case edDataCheckBox:
        // No control opens: the check box toggles by click or key.
        FEditMode = false;
        FEditActive = false;
        break;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn: {
        TGridUnitEditBtn *u = UnitEditBtn();
        u->SetBorderStyle(bsNone);
        u->setMaxLength(GetEditLimit() > 0 ? GetEditLimit() : 32767);
        u->SetUnitID(QString());
        u->setText(QString());
        u->SetTextAndUnit(Text);
        DoGetEditorProp(c, ARow);
        ShowEditorControl(u, R, B);
        PostStartChar(u);
        FEditCtrl = u;
        break;
    }
    case edDateTimeEdit: {
        TGridDateTimePicker *p = DateAndTimePicker();
        TDateTime d = nowValue();
        TDateTime v = 0;
        if (!Text.trimmed().isEmpty() && ParseLocaleDateTime(Text, v)) d = v;
        FOriginalDateTime = d;
        p->SetKind(dkDateTime);
        p->SetBorderStyle(bsNone);
        p->SetDateTime(d);
        DoGetEditorProp(c, ARow);
        ShowEditorControl(p, R, B);
        FEditCtrl = nullptr;
        break;
    }
    case edRichEdit:
        openInplaceRichEdit(c, ARow, R, B);
        break;
    case edCustom:
        if (FEditLink) {
            openEditLink(ACol, ARow, R, B, font, Text);
            break;
        }
        FEditMode = false;
        break;
    default:
        // The drop-down kinds; one whose editor library registered no factory opens nothing.
        if (!IsDropDownEditorKind(FCurrentEditor) || !openDropDownEditor(ACol, ARow, R, B, Text)) FEditMode = false;
        break;
    }
    FStartEditChar = QChar();
}


// ---- drop-down editors: the value in and out -----------------------------------------------------

int TNovaStringGrid::dataImageIndex(int ACol, int ARow)
{
    try {
        return Ints(ACol, ARow);
    } catch (const std::exception &) {
        return -1;
    }
}

bool TNovaStringGrid::openDropDownEditor(int ACol, int ARow, const TRect &R, TColor B, const QString &Text)
{
    TDropDownCellEditor *e = DropDownEditor(FCurrentEditor);
    if (!e) return false;
    const int c = RealColIndex(ACol);
    QWidget *w = e->Widget();
    e->SetDropDownBars(FControlLook->DropDownHeader(), FControlLook->DropDownFooter());
    e->Style().SetComponentStyle(FComponentStyle);
    DoGetEditorProp(c, ARow);
    switch (FCurrentEditor) {
    case edTrackbarDropDown: e->SetCellPosition(LeadingInt(Text)); break;
    case edColorPickerDropDown:
        e->SetCellColor(GetCellType(c, ARow) == ctShape ? GetShapeColor(c, ARow) : Colors(c, ARow));
        break;
    case edImagePickerDropDown: {
        const TCellType t = GetCellType(c, ARow);
        int i = -1;
        if (t == ctImageList || t == ctDataImage) {
            e->SetCellImages(GridImages());
            i = t == ctImageList ? GetCellGraphic(c, ARow)->CellIndex() : dataImageIndex(c, ARow);
        }
        e->SetCellImageIndex(i);
        break;
    }
    default: e->SetCellText(Text); break;
    }
    ShowEditorControl(w, R, B);
    PostStartChar(w);
    if (FMouseActions->DirectComboDrop()) e->OpenPopup();
    if (auto *le = qobject_cast<QLineEdit *>(w); le && FCurrentEditor == edMemoDropDown) {
        le->deselect();
        le->setCursorPosition(0);
    }
    FEditCtrl = w;
    return true;
}

void TNovaStringGrid::storeDropDownEditor(int ACol, int ARow)
{
    TDropDownCellEditor *e = ExistingDropDownEditor(FCurrentEditor);
    if (!e) return;
    const bool cancelled = FDropDownCancelled;
    if (e->DroppedDown()) e->ClosePopup(cancelled);
    if (!cancelled) {
        switch (FCurrentEditor) {
        case edColorPickerDropDown: {
            TColor color = e->CellColor();
            // No colour chosen: the cell stays as it was.
            if (color == clNone) break;
            QString v = e->CellText();
            FireEvent(OnColorSelected, this, ACol, ARow, color, v);
            SetEditedCellText(ACol, ARow, v);
            if (GetCellType(ACol, ARow) == ctShape) SetShapeColor(ACol, ARow, color);
            else SetColors(ACol, ARow, color);
            break;
        }
        case edImagePickerDropDown: {
            int i = e->CellImageIndex();
            FireEvent(OnImageSelected, this, ACol, ARow, i);
            if (i < 0) break;
            const TCellType t = GetCellType(ACol, ARow);
            if (t == ctImageList) {
                GetCellGraphic(ACol, ARow)->SetCellIndex(i);
                RepaintCell(DisplColIndex(ACol), ARow);
            } else if (t == ctDataImage) {
                SetEditedCellText(ACol, ARow, QString::number(i));
            }
            break;
        }
        default: SetEditedCellText(ACol, ARow, e->CellText()); break;
        }
    }
    CloseEditor(e->Widget());
}

// ---- closing -------------------------------------------------------------------------------------

void TNovaStringGrid::CloseEditor(QWidget *w)
{
    if (w) {
        const bool hadFocus = holdsWindowFocus(w);
        w->setEnabled(false);
        w->hide();
        if (hadFocus && !FBlockFocus) setFocus(Qt::OtherFocusReason);
    }
    FEditMode = false;
}

void TNovaStringGrid::StoreSpinValue(int c, int ARow)
{
    TGridSpin *s = FEditSpin;
    if (s->AllowEmptyValue() && s->text().trimmed().isEmpty()) {
        SetEditedCellText(c, ARow, QString());
        return;
    }
    switch (FCurrentEditor) {
    case edSpinEdit: SetCells(c, ARow, QString::number(s->Value())); break;
    case edFloatSpinEdit: {
        // The float format is the grid's (or the hook's); it never reaches printf.
        bool isFloat = true;
        QString fmt = FFloatFormat;
        GetFloatFormat(c, ARow, isFloat, fmt);
        QString out;
        if (!platform::tryFormatText(fmt, {platform::FormatArg(s->FloatValue())}, out))
            out = floatText(s->FloatValue(), 0, platform::FormatSettings::current());
        SetCells(c, ARow, out);
        break;
    }
    case edTimeSpinEdit: SetEditedCellText(c, ARow, s->text()); break;
    default: SetCells(c, ARow, DateToStr(s->DateValue())); break;
    }
}

void TNovaStringGrid::StoreEditorValue(int ACol, int ARow)
{
    if (Destroying()) return;
    FSpecialEditor = false;
    FBlockKill = true;
    const int c = RealColIndex(ACol);
    FStartEditChar = QChar();
    switch (FCurrentEditor) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        if (FEditSpin) {
            StoreSpinValue(c, ARow);
            CloseEditor(FEditSpin);
        }
        break;
    case edComboEdit:
    case edComboList:
        if (FEditMode && FEditCombo) {
            const QString v = FCurrentEditor == edComboList
                                  ? (FEditCombo->currentIndex() >= 0 ? FEditCombo->currentText() : GetCurrentCell())
                                  : FEditCombo->Text();
            SetEditedCellText(c, ARow, v);
            CloseEditor(FEditCombo);
        }
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
    case edMaskEditBtn:
        if (FEditMode && FEditBtn) {
            SetEditedCellText(c, ARow, FEditBtn->text());
            CloseEditor(FEditBtn);
        }
        break;
    case edCheckBox: CloseEditor(FEditCheck); break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        if (FEditDate) {
            SetEditedCellText(c, ARow, FEditDate->Checked() || !FEditDate->ShowCheckbox() ? FEditDate->text() : QString());
            CloseEditor(FEditDate);
        }
        break;
    case edButton: CloseEditor(FGridButton); break;
    case edUnitEditBtn:
    case edNumericUnitEditBtn:
    case edFloatUnitEditBtn:
        if (FUnitEditBtn) {
            SetEditedCellText(c, ARow, FUnitEditBtn->text() + FUnitEditBtn->UnitID());
            CloseEditor(FUnitEditBtn);
        }
        break;
    case edDateTimeEdit:
        if (FEditDateTime) {
            const TDateTime v = FEditDateTime->GetDateTime();
            SetEditedCellText(c, ARow, DateToStr(v) + QLatin1Char(' ') + TimeToStr(v));
            CloseEditor(FEditDateTime);
        }
        break;
    case edCustom: closeEditLink(c, ARow); break;
    case edRichEdit:
        if (FInplaceRichEdit) {
            storeInplaceRichEdit(c, ARow);
            CloseEditor(FInplaceRichEdit);
        }
        break;
    default:
        if (FEditMode && IsDropDownEditorKind(FCurrentEditor)) storeDropDownEditor(c, ARow);
        break;
    }
    FDropDownCancelled = false;
    if (FCurrentEditor != edNormal && FEditActive) PostGridEditDone(c, ARow);
    FBlockKill = false;
    FEditActive = false;
}

void TNovaStringGrid::HideCellEdit() { StoreEditorValue(Col(), Row()); }

void TNovaStringGrid::ShowCellEdit()
{
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(this, &f2);
}

void TNovaStringGrid::ShowInplaceEdit()
{
    if (HasClickableGraphic(RealColIndex(Col()), Row())) return;
    ShowEditor();
}

void TNovaStringGrid::HideInplaceEdit()
{
    if (!FEditMode || FBlockKill) return;
    HideEditor();
    StoreEditorValue(Col(), Row());
    FEditMode = false;
}

bool TNovaStringGrid::MustValidateOnExit(QWidget *w) const
{
    return FEditMode && FEditing && !FValidating && w == FEditCtrl && w->isVisible();
}

void TNovaStringGrid::RefuseExit(QWidget *w)
{
    FRefuseSelect = true;
    QPointer<TNovaStringGrid> self(this);
    QPointer<QWidget> ctrl(w);
    QTimer::singleShot(0, this, [self, ctrl] {
        if (!self) return;
        self->FRefuseSelect = false;
        if (ctrl && ctrl->isVisible()) ctrl->setFocus(Qt::OtherFocusReason);
    });
}

void TNovaStringGrid::PostGridEditDone(int ACol, int ARow)
{
    FireEvent(OnEditingDone, this);
    FEditMode = false;
    // The end of the edit is reported once the current event is over.
    QPointer<TNovaStringGrid> self(this);
    QTimer::singleShot(0, this, [self, ACol, ARow] {
        if (!self) return;
        FireEvent(self->OnEditCellDone, self.data(), ACol, ARow);
        if (self->FMouseActions->EditOnDblClickOnly()) {
            self->HideEditor();
            self->FEditMode = false;
            self->ClearEditingOption();
        }
    });
}

// ---- date-picker notifications -------------------------------------------------------------------

void TNovaStringGrid::DatePickerChange()
{
    if (OnDateTimeChange && FEditDate) DateTimeChangeNotify(FEditDate->DateTime());
    if (!OnEditChange || !FEditDate) return;
    const QString v = FEditDate->Kind() == dtkTime ? TimeToStr(FEditDate->DateTime()) : DateToStr(FEditDate->DateTime());
    OnEditChange(this, Col(), Row(), v);
}

void TNovaStringGrid::DatePickerCloseUp()
{
    FireEvent(OnDatePickerCloseUp, this, Row(), Col());
    if (FMouseActions->DirectDateClose()) HideInplaceEdit();
}

void TNovaStringGrid::DatePickerDropDown() { FireEvent(OnDatePickerDropDown, this, Row(), Col()); }

void TNovaStringGrid::DateAndTimePickerChange()
{
    if (FEditDateTime) FireEvent(OnDateTimeChange, this, Col(), Row(), FEditDateTime->GetDateTime());
}
