// Links, jump anchors and embedded controls of cells: what a press on them does, the editors laid
// over edit and combo controls and how their values go back into the cell text, and what pointer
// movement over anchors does (hover underline, link cursor, enter and exit events).
#include "grid/CellControlEditors.h"
#include "grid/ControlLook.h"
#include "grid/NovaGrid.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/VedAzirText.h"
#include "platform/UrlOpener.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPainter>

namespace {

bool isMarkedUp(const QString &text, bool enableHTML) { return GetTextKind(text, enableHTML) == tkHTML; }

bool hasCheckGlyph(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox || t == ctTriStateCheckBox;
}

} // namespace

bool TNovaStringGrid::hitTestCellMarkup(int ACol, int ARow, int X, int Y, TMarkupDrawResult &Result)
{
    const int rc = RealColIndex(ACol);
    const QString text = Cells(rc, ARow);
    TRect r = CellRect(ACol, ARow);
    r.Left += XYOffset.x() + 1;
    r.Top += XYOffset.y() + 1;
    r.Right -= XYOffset.x();
    if (hasCheckGlyph(GetCellType(rc, ARow)))
        r.Left += FControlLook->CheckBoxSize();

    TGridDrawState st;
    TBrush brush;
    TFont font;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = true;
    TCellGradientDirection gd = GradientVertical;
    GetVisualProperties(ACol, ARow, st, false, false, true, brush, colorTo, mirror, mirrorTo, font, ha, va, ww, gd);

    QImage scratch(1, 1, QImage::Format_ARGB32);
    QPainter painter(&scratch);
    TPainterCanvas canvas(&painter);
    canvas.Font = font;
    TMarkupDrawParams params;
    params.hitTestOnly = true;
    params.hitX = X;
    params.hitY = Y;
    params.linkColor = URLColor();
    params.imageList = GetGridImageList();
    params.pictureCache = &FImageCache;
    params.window = this;
    params.wordWrap = ww;
    return DrawMarkupText(canvas, text, r, params, Result);
}

// ---- the press ---------------------------------------------------------------------------------------

bool TNovaStringGrid::AnchorPress(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    if (rc < 0)
        return false;
    QString t = Cells(rc, ARow);
    const bool marked = isMarkedUp(t, EnableHTML());
    if (!URLShow() && !marked)
        return false;

    QString anchor;
    TMarkupDrawResult hit;
    bool control = false;
    if (!marked) {
        if (IsURL(t))
            anchor = t;
    } else if (hitTestCellMarkup(ACol, ARow, X, Y, hit)) {
        anchor = hit.hitAnchor;
        control = !hit.controlId.isEmpty();
    }

    if (!anchor.isEmpty()) {
        bool AutoHandle = true;
        bool CanEdit = (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit()) && !ReadOnly(rc, ARow);
        if (control)
            DoCanEditCell(rc, ARow, CanEdit);
        if (control && CanEdit) {
            if (FCtrlEditing) {
                StoreCellControlValue();
                t = Cells(rc, ARow);
            }
            const QString type = hit.controlType.toUpper();
            const QString &id = hit.controlId;
            if (type == QLatin1String("BUTTON")) {
                FCtrlXY = {rc, ARow};
                FCtrlDown = true;
                RepaintCell(ACol, ARow);
            } else if (type == QLatin1String("CHECK")) {
                const bool on = hit.controlValue.toUpper() == QLatin1String("TRUE");
                if (SetControlTagValue(t, id, on ? QStringLiteral("FALSE") : QStringLiteral("TRUE")))
                    SetCells(rc, ARow, t);
            } else if (type == QLatin1String("RADIO")) {
                t = ResetRadioControlTags(t);
                if (SetControlTagValue(t, id, QStringLiteral("TRUE")))
                    SetCells(rc, ARow, t);
            }
            FireEvent(OnControlClick, this, ARow, ACol, id, type, hit.controlValue);
            ShowCellControlEditor(t, type, ARow, rc, ACol, hit.controlRect, hit.controlValue, id);
            AutoHandle = false;
        } else {
            FireEvent(OnAnchorClick, this, ARow, ACol, anchor, AutoHandle);
        }
        if (AutoHandle)
            openAnchor(anchor);
        return true;
    }

    if (marked && t.toUpper().contains(QLatin1String("<CONTROL"))) {
        FireEvent(OnClickCell, this, ARow, ACol);
        HideInplaceEdit();
        FocusCell(ACol, ARow, true);
        return true;
    }
    return false;
}

void TNovaStringGrid::openAnchor(const QString &Anchor)
{
    if (!Anchor.toUpper().contains(QLatin1String("CELL://"))) {
        // Only web and mail addresses are handed on; anything else opens nothing.
        platform::openLinkUrl(QUrl(Anchor.trimmed()));
        return;
    }
    int c = -1, r = -1;
    if (!ParseRCReference(Anchor.mid(7), c, r))
        return;
    // A jump to a cell outside the grid's data cells does nothing.
    if (c < FixedCols() || c >= ColCount() || r < FixedRows() || r >= RowCount())
        return;
    SetRow(r);
    SetCol(c);
    ScrollInView(c, r);
}

void TNovaStringGrid::AnchorRelease()
{
    if (!FCtrlDown)
        return;
    FCtrlDown = false;
    if (FCtrlXY.X >= 0 && FCtrlXY.Y >= 0 && FCtrlXY.Y < RowCount())
        RepaintCell(DisplColIndex(FCtrlXY.X), FCtrlXY.Y);
}

// ---- control editors -----------------------------------------------------------------------------------

void TNovaStringGrid::ShowCellControlEditor(const QString &Text, const QString &Type, int ARow, int ACol, int DCol,
                                            const TRect &R, const QString &Value, const QString &ID)
{
    const QString type = Type.toUpper();
    const bool edit = type == QLatin1String("EDIT") || type == QLatin1String("PASSWORD") || type == QLatin1String("MASK");
    if (!edit && type != QLatin1String("COMBO"))
        return;
    FCtrlXY = {ACol, ARow};
    FCtrlID = ID;
    FCtrlType = type;
    FCtrlEditing = true;
    const int maxLen = GetControlTagMaxLen(Text, ID);

    if (edit) {
        TControlEdit *e = FEditControl;
        e->setEchoMode(type == QLatin1String("PASSWORD") ? QLineEdit::Password : QLineEdit::Normal);
        e->SetEditMask(type == QLatin1String("MASK") ? GetControlTagProp(Text, ID) : QString());
        e->setText(Value);
        e->SetBorderStyle(editorkit::bsNone);
        e->setGeometry(R.Left + 1, R.Top + 8, R.Width() - 4, 14);
        e->setMaxLength(maxLen > 0 ? maxLen : 32767);
        e->show();
        e->raise();
        e->setFocus(Qt::OtherFocusReason);
        return;
    }

    TControlCombo *cb = FComboControl;
    bool Edit = true;
    int DropCount = 8;
    QStringList values;
    FireEvent(OnControlComboList, this, ARow, DCol, ID, type, Value, values, Edit, DropCount);
    {
        const QSignalBlocker block(cb);
        cb->SetFlat(false);
        cb->clear();
        cb->SetStyle(Edit ? csDropDown : csDropDownList);
        cb->addItems(values);
        cb->setCurrentIndex(int(values.indexOf(Value)));
        if (Edit)
            cb->setEditText(Value);
        cb->SetDropDownCount(DropCount);
        if (cb->lineEdit())
            cb->lineEdit()->setMaxLength(maxLen > 0 ? maxLen : 32767);
    }
    // The platform's combo counts its list in its height; here the list drops below the box.
    cb->setGeometry(R.Left - 1, R.Top + 4, R.Width(), cb->sizeHint().height());
    cb->show();
    cb->raise();
    cb->setFocus(Qt::OtherFocusReason);
    cb->showPopup();
}

void TNovaStringGrid::StoreCellControlValue()
{
    if (!FCtrlEditing)
        return;
    FCtrlEditing = false;
    QString value;
    if (FCtrlType == QLatin1String("COMBO")) {
        value = FComboControl->currentText();
        FComboControl->hidePopup();
        FComboControl->hide();
    } else {
        value = FEditControl->text();
        FEditControl->hide();
    }
    if (FCtrlXY.Y >= 0 && FCtrlXY.Y < RowCount() && FCtrlXY.X >= 0 && FCtrlXY.X < AllColCount()) {
        QString t = Cells(FCtrlXY.X, FCtrlXY.Y);
        if (SetControlTagValue(t, FCtrlID, value))
            SetCells(FCtrlXY.X, FCtrlXY.Y, t);
    }
    FireEvent(OnControlEditDone, this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, value);
    FCtrlType.clear();
}

void TNovaStringGrid::LeaveCellControl(bool Tab)
{
    const TPoint cell = FCtrlXY;
    const QString id = FCtrlID;
    setFocus(Qt::OtherFocusReason);
    StoreCellControlValue();
    if (!Tab)
        return;
    if (FNavigation->AdvanceAuto())
        AdvanceAfterEdit(Col(), Row(), true, true, true, false, false);
    else
        EditNextCellControl(cell.X, cell.Y, id);
}

void TNovaStringGrid::ControlComboSelect(int Index)
{
    FireEvent(OnControlComboSelect, this, FCtrlXY.Y, FCtrlXY.X, Index, FCtrlID, FComboControl->itemText(Index));
}

// ---- pointer movement --------------------------------------------------------------------------------

bool TNovaStringGrid::AnchorHover(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    const QString t = rc >= 0 && ARow >= 0 ? Cells(rc, ARow) : QString();
    const bool marked = isMarkedUp(t, EnableHTML());
    bool claimed = false;

    if (URLShow() && !marked && IsURL(t))
        claimed = true;

    QString anchor;
    if (marked) {
        TMarkupDrawResult hit;
        const bool found = hitTestCellMarkup(ACol, ARow, X, Y, hit);
        if (found && hit.controlId.isEmpty())
            anchor = hit.hitAnchor;
        if (URLUnderlineOnHover()) {
            const TPoint cell{ACol, ARow};
            const int link = found ? hit.hitLink : -1;
            const TPoint old = FHoverCell;
            if (!(old == cell) || link != FHoverlink || link > 0) {
                FHoverCell = cell;
                FHoverlink = link;
                if (old.X >= 0 && old.Y >= 0 && !(old == cell))
                    RepaintCell(old.X, old.Y);
                RepaintCell(ACol, ARow);
            }
        }
        if (!anchor.isEmpty()) {
            QString title = hit.hitTitle;
            if (title.isEmpty())
                FireEvent(OnAnchorHint, this, ARow, ACol, title);
            if (title != FLastAnchorHint && !FLastAnchorHint.isEmpty() && anchor != FAnchor) {
                FLastAnchorHint = title;
                hideCellHint();
            }
            claimed = true;
            if (anchor != FAnchor) {
                FireEvent(OnAnchorEnter, this, ARow, ACol, anchor);
                FAnchor = anchor;
            }
        }
    } else if (URLUnderlineOnHover() && FHoverCell.X >= 0) {
        const TPoint old = FHoverCell;
        FHoverCell = {-1, -1};
        FHoverlink = -1;
        RepaintCell(old.X, old.Y);
    }
    // Off every anchor, whatever the cell holds: the anchor is left once.
    if (anchor.isEmpty() && !FAnchor.isEmpty()) {
        FireEvent(OnAnchorExit, this, ARow, ACol, QString());
        FAnchor.clear();
    }

    if (claimed)
        viewport()->setCursor(Qt::PointingHandCursor);
    else if (viewport()->cursor().shape() == Qt::PointingHandCursor)
        viewport()->unsetCursor();
    return claimed;
}

void TNovaStringGrid::AnchorLeave()
{
    if (FHoverCell.X >= 0) {
        const TPoint old = FHoverCell;
        FHoverCell = {-1, -1};
        FHoverlink = -1;
        RepaintCell(old.X, old.Y);
    }
    if (!FAnchor.isEmpty()) {
        FireEvent(OnAnchorExit, this, -1, -1, QString());
        FAnchor.clear();
    }
}
