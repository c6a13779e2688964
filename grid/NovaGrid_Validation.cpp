// Validation of an edited value before it is stored, the modified-row marks it feeds, and the
// grid's balloon windows.
#include "grid/GridEditorControls.h"
#include "grid/NovaGrid.h"
#include "grid/NovaInplaceEdit.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "grid/base/UndoRedo.h"

namespace {

// A balloon: a small always-on-top tip window with a bold title over its text.
class BalloonTip : public QLabel {
public:
    explicit BalloonTip(QWidget *parent) : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint)
    {
        setObjectName(QStringLiteral("ToolTipText"));
        setTextFormat(Qt::RichText);
        setMargin(6);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(255, 255, 225));
        pal.setColor(QPalette::WindowText, Qt::black);
        setPalette(pal);
    }
};

const char *iconText(TInvalidEntryIcon icon)
{
    switch (icon) {
    case ieInfo: return "\u2139 ";
    case ieWarning: return "\u26A0 ";
    case ieError: return "\u2716 ";
    default: return "";
    }
}

} // namespace

void TNovaStringGrid::RememberCellValue(int ACol, int ARow)
{
    FOldCol = ACol;
    FOldRow = ARow;
    const int c = RealColIndex(ACol);
    FOldCellText = GetGridCell(c < 0 ? ACol : c, ARow);
    FOldCellTextWide = ARow >= 0 && (c >= 0 || ACol >= 0) ? GetWideCells(c < 0 ? ACol : c, ARow) : QString();
    FOldModifiedValue = FGridModified;
}

bool TNovaStringGrid::RowModified(int ARow) const { return FModifiedRows && FModifiedRows->HasValue(ARow); }

void TNovaStringGrid::SetRowModified(int ARow, bool Value)
{
    if (!FModifiedRows) return;
    if (Value && !FModifiedRows->HasValue(ARow)) FModifiedRows->Add(ARow);
    else if (!Value) FModifiedRows->DeleteValue(ARow);
}

void TNovaStringGrid::CellValueChanged(int ACol, int) { CalcFooter(ACol); }

TNovaStringGrid::TValidationEnd::~TValidationEnd()
{
    // Whatever happens, the current cell is the next validation's base.
    if (g->FValidating) g->RememberCellValue(g->Col(), g->Row());
    g->FValidating = false;
}

void TNovaStringGrid::beginValidation(const QString &NewValue, int &ACol, int &ARow)
{
    FEditing = false;
    FValidating = true;
    ACol = RealColIndex(FOldCol) < 0 ? FOldCol : RealColIndex(FOldCol);
    ARow = FOldRow;
    FNewCellText = NewValue;
}

bool TNovaStringGrid::ValidateCell(const QString &NewValue)
{
    if (!FEditing || FValidating) return true;
    HideFocusWindow();
    int col = 0, row = 0;
    beginValidation(NewValue, col, row);
    bool valid = true;
    const TValidationEnd done{this};
    if (NewValue == FOldCellText && !FAlwaysValidate) return true;
    const bool changed = NewValue != FOldCellText;
    TNavigation *nav = FNavigation;
    const bool advance = nav->AdvanceOnEnter();
    nav->SetAdvanceOnEnter(false);
    QString value = NewValue;
    if (FCellChecker && FCellChecker->AutoCorrect()) value = FCellChecker->Correct(col, row, value);
    {
        struct Restore {
            TNavigation *n;
            bool v;
            ~Restore() { n->SetAdvanceOnEnter(v); }
        } restore{nav, advance};
        FireEvent(OnCellValidate, this, col, row, value, valid);
        if (value != FOldCellText) {
            FGridModified = true;
            if (FixedCols() > 0) {
                SetRowModified(RealRowIndex(Row()), true);
                if (ShowModified()->Enabled) RepaintCell(0, Row());
            }
        }
        if (valid) CellValueChanged(col, row);
        if (FCellChecker && FCellChecker->AutoMarkError()) value = FCellChecker->MarkError(col, row, value);
        if (valid && UndoRedoBase()) {
            if (auto *u = UndoRedo()) u->RegisterChange(col, row, FOldCellText, value);
        }
        if (valid && changed) CellsChanged(TGridRect{col, row, col, row});
    }
    FNewCellText = value;
    if (valid) {
        SetCells(col, row, value);
        if (IsMergedNonBaseCell(col, row)) {
            const TPoint b = BaseCell(col, row);
            SetCells(b.X, b.Y, value);
        }
    } else {
        FLastValidation = false;
        // The text editor reopens also when the move that validated had closed it.
        const bool special = FSpecialEditor || !NormalEdit();
        QWidget *anchor = special ? FEditCtrl : static_cast<QWidget *>(NormalEdit());
        if (!special) HideEditor();
        // The editor shows what the cell holds again: the handler's value or the old text.
        FNewCellText = value != NewValue ? value : FOldCellText;
        SetCells(col, row, FNewCellText);
        if (Col() != FOldCol || Row() != FOldRow) {
            FDisableChange = true;
            FocusCell(FOldCol, FOldRow, true);
            FDisableChange = false;
        }
        FValidating = false;
        FEditing = true;
        if (!special) {
            ShowEditor();
            anchor = NormalEdit();
        }
        FGridModified = FOldModifiedValue;
        if (!FInvalidEntryTitle.isEmpty() || !FInvalidEntryText.isEmpty()) ShowInvalidEntryBalloon(anchor);
    }
    FOldCellText = GetGridCell(col, row);
    return valid;
}

bool TNovaStringGrid::ValidateCellWide(const QString &NewValue)
{
    if (!FEditing || FValidating) return true;
    int col = 0, row = 0;
    beginValidation(NewValue, col, row);
    bool valid = true;
    const TValidationEnd done{this};
    if (NewValue == FOldCellTextWide && !FAlwaysValidate) return true;
    const bool changed = NewValue != FOldCellTextWide;
    QString value = NewValue;
    // Wide text: the footer follows before the handler is asked, accepted or not.
    CellValueChanged(col, row);
    FireEvent(OnCellValidateWide, this, col, row, value, valid);
    if (changed) {
        FGridModified = true;
        if (ShowModified()->Enabled && FixedCols() > 0) {
            SetRowModified(RealRowIndex(row), true);
            RepaintCell(0, row);
        }
    }
    if (valid && changed) CellsChanged(TGridRect{col, row, col, row});
    FNewCellText = value;
    if (valid) {
        SetWideCells(col, row, value);
    } else {
        FLastValidation = false;
        const bool special = FSpecialEditor || !NormalEdit();
        if (!special) HideEditor();
        FNewCellText = value != NewValue ? value : FOldCellTextWide;
        SetWideCells(col, row, FNewCellText);
        if (Col() != FOldCol || Row() != FOldRow) {
            FDisableChange = true;
            FocusCell(FOldCol, FOldRow, true);
            FDisableChange = false;
        }
        FValidating = false;
        FEditing = true;
        if (!special) ShowEditor();
        FGridModified = FOldModifiedValue;
    }
    FOldCellTextWide = GetWideCells(col, row);
    return valid;
}

void TNovaStringGrid::ShowInvalidEntryBalloon(QWidget *Anchor)
{
    QWidget *target = Anchor ? Anchor : static_cast<QWidget *>(this);
    if (auto *cb = qobject_cast<QComboBox *>(target); cb && cb->lineEdit()) target = cb->lineEdit();
    if (!FInvalidEntryBalloon) FInvalidEntryBalloon = new BalloonTip(this);
    auto *tip = static_cast<QLabel *>(FInvalidEntryBalloon);
    tip->setText(QStringLiteral("<b>%1%2</b><br>%3")
                     .arg(QString::fromUtf8(iconText(FInvalidEntryIcon)), FInvalidEntryTitle.toHtmlEscaped(),
                          FInvalidEntryText.toHtmlEscaped()));
    tip->setProperty("balloonIcon", int(FInvalidEntryIcon));
    tip->setProperty("balloonTitle", FInvalidEntryTitle);
    tip->adjustSize();
    tip->move(target->mapToGlobal(QPoint(0, target->height())));
    tip->show();
    tip->raise();
}

void TNovaStringGrid::BalloonInit()
{
    if (Balloon()->Initialized) return;
    FBalloon->Initialized = true;
    auto *tip = new BalloonTip(this);
    tip->setProperty("balloonTitle", QStringLiteral("ToolTipText"));
    tip->setProperty("balloonIcon", 3);
    if (FBalloon->Transparency > 0) tip->setWindowOpacity((255 - FBalloon->Transparency) / 255.0);
    FBalloonWindow = tip;
    ++FBalloonWindowsCreated;
    WatchBalloonRequests();
}

void TNovaStringGrid::BalloonDone()
{
    if (Balloon()->Enable() && FBalloonWindow) {
        delete FBalloonWindow;
        FBalloonWindow = nullptr;
    }
    FBalloon->Initialized = false;
}

void TNovaStringGrid::BalloonEnableChanged()
{
    if (FLoading) return;
    if (Balloon()->Enable()) BalloonInit();
    else {
        delete FBalloonWindow;
        FBalloonWindow = nullptr;
        FBalloon->Initialized = false;
    }
}

TBalloonSettings *TNovaStringGrid::Balloon()
{
    return FBalloon;
}

TShowModified *TNovaStringGrid::ShowModified()
{
    return FShowModified;
}
