#include "grid/FixedCellEditors.h"

#include <QKeyEvent>
#include <QPainter>

bool TFixedCellEditLink::stopEdit(QWidget *editor, QString text)
{
    if (!FGrid) {
        editor->hide();
        return true;
    }
    if (!FGrid->SettingsValidateCell(FCol, FRow, text)) {
        FGrid->SettingsFocusCell(FCol, FRow);
        editor->setFocus();
        return false;
    }
    FGrid->SettingsEditingDone();
    FGrid->SettingsSetCell(FCol, FRow, text);
    editor->hide();
    return true;
}

namespace {
bool isEnter(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}
} // namespace

TGridTransEdit::TGridTransEdit(QWidget *AOwner, IGridSettingsHost *AGrid) : QLineEdit(AOwner), TFixedCellEditLink(AGrid)
{
    hide();
}

void TGridTransEdit::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    if (isVisible())
        StopEdit();
}

void TGridTransEdit::keyPressEvent(QKeyEvent *e)
{
    if (isEnter(e)) {
        e->accept(); // the edit ends when the editor loses the focus
        return;
    }
    QLineEdit::keyPressEvent(e);
}

TGridTransCombo::TGridTransCombo(QWidget *AOwner, IGridSettingsHost *AGrid) : QComboBox(AOwner), TFixedCellEditLink(AGrid)
{
    hide();
}

void TGridTransCombo::focusOutEvent(QFocusEvent *e)
{
    QComboBox::focusOutEvent(e);
    // Opening the list moves the focus into its pop-up; that does not end the edit.
    if (isVisible() && e->reason() != Qt::PopupFocusReason)
        StopEdit();
}

void TGridTransCombo::keyPressEvent(QKeyEvent *e)
{
    if (isEnter(e)) {
        e->accept();
        return;
    }
    QComboBox::keyPressEvent(e);
}

THeaderDragButton::THeaderDragButton(QWidget *AOwner, IGridSettingsHost *AGrid)
    : QWidget(AOwner, Qt::ToolTip | Qt::FramelessWindowHint), FGrid(AGrid)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(clBtnFace));
    setPalette(pal);
    hide();
}

void THeaderDragButton::SetCaption(const QString &Value)
{
    FCaption = Value;
    update();
}

void THeaderDragButton::PaintTo(TCanvas &Canvas)
{
    // One-pixel window border, the fixed-cell background inside it.
    const TRect outer{0, 0, width(), height()};
    const TRect r = outer.Inflate(-1, -1);
    Canvas.Brush.Color = clBtnFace;
    Canvas.Brush.Style = bsSolid;
    Canvas.FillRect(outer);
    if (FGrid)
        FGrid->SettingsPaintFixedBackground(Canvas, r);
    Canvas.Brush.Color = clWindowFrame;
    Canvas.FrameRect(outer);
    if (FCaption.contains(QLatin1String("</"))) {
        TMarkupDrawParams params;
        params.imageList = FImages;
        params.window = this;
        TMarkupDrawResult result;
        DrawMarkupText(Canvas, FCaption, r, params, result);
        return;
    }
    TRect tr = r;
    Canvas.DrawText(FCaption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void THeaderDragButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    TPainterCanvas canvas(&p);
    canvas.Font.Assign(font());
    PaintTo(canvas);
}
