// The multi-column list. The list grid exists from construction on and is filled anew from the
// columns and items at every opening, so changes of the model show at the next one. While the
// pop-up opens (FShowing) the row the grid is put on is no choice; afterwards the keys move the
// choice row by row, and a click, Enter, Alt+Up or Alt+Down ends it.
#include "dropdown/NovaMultiColumnDropDown.h"

#include "dropdown/DropDownForm.h"

#include <QGuiApplication>
#include <QPainter>

// ---- the model -----------------------------------------------------------------------------------

namespace multicolumn {

int TDropDownItems::IndexInColumn(int Column, const QString &Value) const
{
    QString t;
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->TextIn(Column, t) && t == Value) return i;
    return -1;
}

// ---- the list grid ---------------------------------------------------------------------------------

TNovaColGrid::TNovaColGrid(QWidget *AParent)
    : TColumnListGrid<TStringGrid>(AParent), FColumns(std::make_unique<TDropDownColumns>(this))
{
    FHeaderColorTo = 0x808080;
    FHeaderColor = clWhite;
    FHeaderFont.Assign(font());
    FLineColor = 0x808080;
    SetFixedCols(0);
    SetFixedRows(1);
    FHeaderHeight = 25;
    TGridOptions o = Options();
    o.Exclude(goRangeSelect);
    o.Exclude(goDrawFocusSelected);
    o.Include(goHorzLine);
    o.Include(goRowSelect);
    SetOptions(o);
    SetDefaultDrawing(false);
    setFrameShape(QFrame::NoFrame);
    SetGridLineWidth(1);
    setAccessibleName(QStringLiteral("Items"));
}

TNovaColGrid::~TNovaColGrid() = default;

void TNovaColGrid::DrawCell(int ACol, int ARow, const QRect &ARect, TGridDrawState AState)
{
    if (!PaintPainter()) return;
    TPainterCanvas canvas(PaintPainter());
    DrawCellOn(canvas, ACol, ARow, TRect::FromQRect(ARect), AState);
}

void TNovaColGrid::DrawCellOn(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    TNovaMultiColumnDropDown *dd = FNovaDropDown;
    if (dd && dd->OnDropDownDrawItem) {
        dd->OnDropDownDrawItem(dd, ACol, ARow, Canvas, ARect);
        return;
    }
    // Where the cell stands in its row, for the selection's open edges.
    const int side = ColCount() == 1 ? 0 : ACol == 0 ? 1 : ACol == ColCount() - 1 ? 2 : 3;
    TRect R{ARect.Left, ARect.Top, ARect.Left + ColWidths(ACol), ARect.Top + RowHeights(ARow)};
    const bool header = ARow < FixedRows();

    QString text = ARow >= 0 ? GetCell(ACol, ARow) : QString();
    TColor color = dd ? dd->DropDownColor() : clWhite;
    TAlignment alignment = taLeftJustify;
    bool wrap = false, ellipsis = false;
    int image = -1;
    TFont font = FHeaderFont;
    if (ACol < FColumns->Count()) {
        const TDropDownColumn &col = *FColumns->GetItem(ACol);
        color = col.Color();
        alignment = col.Alignment();
        wrap = col.Wordwrap();
        ellipsis = col.Ellipsis();
        if (!header) font = col.Font();
        if (dd && ARow >= 1 && ARow - 1 < dd->Items().Count()) {
            const TDropDownItem &item = *dd->Items().GetItem(ARow - 1);
            if (col.ColumnType() == ctImage) image = item.ImageIndex();
            QString t;
            if (item.TextIn(ACol, t)) text = t;
        }
    }
    if (dd && dd->OnDropDownGetItemText) dd->OnDropDownGetItemText(dd, ACol, ARow, text);

    // Background.
    const bool selected = !header && AState.Contains(gdSelected);
    if (header) {
        if (ACol < FColumns->Count()) text = FColumns->GetItem(ACol)->Header();
        image = -1;
        if (FHeaderColor == clNone || FHeaderColorTo == clNone) {
            Canvas.Brush.Color = FHeaderColor;
            Canvas.Brush.Style = bsSolid;
            Canvas.FillRect(R);
        } else if (dd) {
            dd->PaintGradient(Canvas, FHeaderColor, FHeaderColorTo, 80, R);
        } else {
            DrawGradientRect(Canvas, FHeaderColor, FHeaderColorTo, 80, R, false);
        }
    } else if (selected) {
        if (dd) {
            dd->PaintSelection(Canvas, R, side, color);
        } else {
            Canvas.Brush.Color = clActiveCaption;
            Canvas.Brush.Style = bsSolid;
            Canvas.FillRect(R);
        }
    } else {
        Canvas.Pen.Color = color;
        Canvas.Pen.Width = 1;
        Canvas.Pen.Style = psSolid;
        Canvas.Brush.Color = color;
        Canvas.Brush.Style = bsSolid;
        Canvas.Rectangle(R);
    }

    // Lines.
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const bool lines = header || FGridLineWidth > 0;
    if (lines) {
        const int c = header ? 1 : (FGridLineWidth + 1) / 2;
        Canvas.Pen.Color = header ? FFixedLineColor : FLineColor;
        Canvas.Pen.Width = header ? 1 : FGridLineWidth;
        Canvas.Pen.Style = psSolid;
        if (Options().Contains(header ? goFixedHorzLine : goHorzLine))
            Canvas.Line(R.Left - c + 1, R.Bottom - c, R.Right - c + 1, R.Bottom - c);
        if (Options().Contains(header ? goFixedVertLine : goVertLine)) {
            const int x = R.Right - c + (rtl ? 1 : 0);
            Canvas.Line(x, R.Bottom - c, x, R.Top - c);
        }
    }

    // Image and text.
    R = {R.Left + FGridLineWidth, R.Top + FGridLineWidth, R.Right - FGridLineWidth, R.Bottom - FGridLineWidth};
    const TMarkupImageList *images = dd ? dd->Images() : FImages;
    int textLeft = R.Left + 2;
    if (images && image >= 0 && image < images->Count()) {
        const QImage &img = images->Images[std::size_t(image)];
        const int h = img.height();
        const int y = h < R.Height() ? R.Top + (R.Height() - h) / 2 : R.Top;
        Canvas.Draw(R.Left + 2, y, img);
        textLeft = R.Left + images->Width + 4;
    }
    if (text.isEmpty()) return;
    unsigned flags = DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER;
    flags |= wrap ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
    if (alignment == taRightJustify) flags |= DT_RIGHT;
    else if (alignment == taCenter) flags |= DT_CENTER;
    if (ellipsis) flags |= DT_END_ELLIPSIS;
    Canvas.Font = header ? FHeaderFont : font;
    if (selected && dd) Canvas.Font.Color = dd->SelectionTextColor();
    Canvas.Brush.Style = bsClear;
    TRect t{textLeft, R.Top, R.Right, R.Bottom};
    Canvas.DrawText(text, t, flags);
    Canvas.Brush.Style = bsSolid;
}

} // namespace multicolumn

using namespace multicolumn;

// ---- construction ----------------------------------------------------------------------------------

TNovaMultiColumnDropDown::TNovaMultiColumnDropDown(QWidget *AOwner)
    : TColumnListDropDown(AOwner, 0, true), FColumns(std::make_unique<TDropDownColumns>(this)),
      FItems(std::make_unique<TDropDownItems>(this))
{
    CreateDropDownForm();
    FColumnSizing = false;
    FLookupColumn = 0;
    FHeaderColorTo = 0x808080;
    FHeaderColor = clWhite;
    FHeaderHeight = 25;
    FLineColor = 0xC0C0C0;
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    FItemIndex = -1;
    FOldItemIndex = -1;
    FWorkMode = true;
    FMatchCase = false;
    SetAutoSelect(true);
    FDropDownAutoWidth = true;
    SetSelectionColorStyle(scOffice2007);
    FSelectionTextColor = 0;
    FColumnSizeWithDropDown = true;
    FDropDownRowHeight = 22;
    setAccessibleName(QStringLiteral("Item"));
}

TNovaMultiColumnDropDown::~TNovaMultiColumnDropDown() = default;

void TNovaMultiColumnDropDown::Assign(const TNovaMultiColumnDropDown &Source)
{
    TNovaCustomDropDown::Assign(Source);
    if (&Source == this) return;
    FCaseSensitive = Source.FCaseSensitive;
    FDropDownAutoWidth = Source.FDropDownAutoWidth;
    FDropDownRowHeight = Source.FDropDownRowHeight;
    FLineColor = Source.FLineColor;
    FFixedLineColor = Source.FFixedLineColor;
    FColumnSizing = Source.FColumnSizing;
    FColumnSizeWithDropDown = Source.FColumnSizeWithDropDown;
    FColumns->Assign(*Source.FColumns);
    FHeaderColor = Source.FHeaderColor;
    FHeaderColorTo = Source.FHeaderColorTo;
    FHeaderHeight = Source.FHeaderHeight;
    FHeaderFont = Source.FHeaderFont;
    FLookupColumn = Source.FLookupColumn;
    FSelectionTextColor = Source.FSelectionTextColor;
    FItems->Assign(*Source.FItems);
    FItemIndex = Source.FItemIndex;
}

void TNovaMultiColumnDropDown::CreateDropDownForm()
{
    TNovaCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FNovaColGrid) {
        FNovaColGrid = new TNovaColGrid(FDropDownForm);
        SetControl(FNovaColGrid);
    }
    FNovaColGrid->SetNovaDropDown(this);
    FNovaColGrid->setGeometry(0, 0, FNovaColGrid->width(), 180);
    FNovaColGrid->setAutoFillBackground(true);
}

void TNovaMultiColumnDropDown::PlaceDropDownControl()
{
    if (FNovaColGrid && FControl != FNovaColGrid) FControl = FNovaColGrid;
    TNovaCustomDropDown::PlaceDropDownControl();
}

// ---- opening ---------------------------------------------------------------------------------------

void TNovaMultiColumnDropDown::SyncWithDropDown()
{
    TNovaColGrid &g = *FNovaColGrid;
    g.SetColumns(*FColumns);
    g.SetColCount(FColumns->Count());
    g.SetRowCount(FItems->Count() + 1);
    if (g.RowCount() > 1) {
        g.SetFixedRows(1);
        g.SetRow(1);
        g.SetRowCount(FItems->Count() + 1);
    }
    for (int c = 0; c < FColumns->Count(); ++c) g.SetColWidths(c, FColumns->GetItem(c)->Width());
    g.SetLineColor(FLineColor);
    g.SetFixedLineColor(FFixedLineColor);
    g.SetHeaderColor(FHeaderColor);
    g.SetHeaderColorTo(FHeaderColorTo);
    g.SetHeaderHeight(FHeaderHeight);
    g.SetHeaderFont(FHeaderFont);
    g.SetImages(FImages);
    g.SetDefaultRowHeight(RowHeightInUse());
    g.SetRowHeights(0, FHeaderHeight);
    TGridOptions o = g.Options();
    if (FColumnSizing) o.Include(goColSizing);
    else o.Exclude(goColSizing);
    g.SetOptions(o);
    SizeAutoSizeColumns(g);
    UpdateWrapRowHeights(g);
}

void TNovaMultiColumnDropDown::BeforeDropDown()
{
    TNovaCustomDropDown::BeforeDropDown();
    FDropDownForm->SetCancelOnDeActivate(false);
    FShowing = true;
    if (FNovaColGrid) {
        TNovaColGrid &g = *FNovaColGrid;
        SyncWithDropDown();
        TGridOptions o = g.Options();
        o.Include(goThumbTracking);
        g.SetOptions(o);
        QPalette pal = g.palette();
        pal.setColor(QPalette::Base, toQColor(FDropDownColor, pal));
        g.setPalette(pal);
        g.OnSelectCell = [this](QObject *, int c, int r, bool &can) { GridSelectCell(c, r, can); };
        g.OnSelect = [this](QObject *) { GridSelect(); };
        const int row = FItemIndex + 1 < g.FixedRows() ? 1 : FItemIndex + 1;
        if (row < g.RowCount()) g.SetRow(row);
    }
    FOldItemIndex = FItemIndex;
}

void TNovaMultiColumnDropDown::DoShowDropDown()
{
    TNovaCustomDropDown::DoShowDropDown();
    if (FNovaColGrid && FDroppedDown) {
        TNovaColGrid &g = *FNovaColGrid;
        SizeColumnsToDropDown();
        if (g.RowCount() > 1) {
            g.SetRow(FItemIndex < 0 ? 1 : std::min(FItemIndex + 1, g.RowCount() - 1));
            // A row out of view shows at the bottom.
            if (g.CellRect(g.FixedCols(), g.Row()).isEmpty())
                g.SetTopRow(std::max(g.FixedRows(), g.Row() - g.VisibleRowCount() + 1));
        }
        g.setFocus(Qt::PopupFocusReason);
    }
    FShowing = false;
}

// ---- closing and choosing --------------------------------------------------------------------------

void TNovaMultiColumnDropDown::DoHideDropDown(bool Cancel)
{
    const bool open = FDropDownForm && (FDropDownForm->isVisible() || FDroppedDown);
    TNovaCustomDropDown::DoHideDropDown(Cancel);
    if (!open) return;
    if (Cancel) SetItemIndex(FOldItemIndex);
    else if (FNovaColGrid && FNovaColGrid->ConfirmSelection()) SetItemIndex(FNovaColGrid->Row() - 1);
    FOldItemIndex = FItemIndex;
}

void TNovaMultiColumnDropDown::SetItemIndex(int Value)
{
    if (Value >= FItems->Count()) return;
    FItemIndex = Value;
    QString t;
    if (Value >= 0) ItemLookupText(Value, t);
    SetText(t);
}

void TNovaMultiColumnDropDown::GridSelectCell(int, int ARow, bool &)
{
    if (FShowing || !FNovaColGrid || FNovaColGrid->MouseWheelSelection()) return;
    SetItemIndex(ARow - 1);
}

void TNovaMultiColumnDropDown::GridSelect()
{
    if (FNovaColGrid && FNovaColGrid->ConfirmSelection()) SetItemIndex(FNovaColGrid->Row() - 1);
    DoHideDropDown(false);
    if (OnSelect) OnSelect(this);
}

// ---- keys in the open list -------------------------------------------------------------------------

namespace {

bool isListKey(int Key)
{
    return Key == Qt::Key_PageUp || Key == Qt::Key_PageDown || Key == Qt::Key_Up || Key == Qt::Key_Down;
}

} // namespace

void TNovaMultiColumnDropDown::ControlKeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if (FNovaColGrid) FNovaColGrid->SetConfirmSelection(true);
    const bool alt = Shift & Qt::AltModifier;
    if (isListKey(Key) && !alt) return;
    if ((Key == Qt::Key_Return || Key == Qt::Key_Enter) && !alt && FNovaColGrid) {
        // Enter chooses the row in the list, then reaches the edit as well.
        FNovaColGrid->DoSelect();
        TNovaCustomDropDown::ControlKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    TNovaCustomDropDown::ControlKeyDown(Key, Shift);
    if (Key == Qt::Key_Tab || Key == Qt::Key_Backtab) Key = 0; // the list itself takes no Tab
}

void TNovaMultiColumnDropDown::ControlKeyUp(int &Key, Qt::KeyboardModifiers Shift)
{
    if (isListKey(Key) && !(Shift & Qt::AltModifier)) return;
    TNovaCustomDropDown::ControlKeyUp(Key, Shift);
}

void TNovaMultiColumnDropDown::ControlKeyPress(QChar &Key)
{
    if (!FNovaColGrid) return;
    TNovaColGrid &g = *FNovaColGrid;
    const bool alt = QGuiApplication::keyboardModifiers() & Qt::AltModifier;
    if ((IsLookupExcludedChar(Key) && !alt) || g.Options().Contains(goEditing)) {
        FLookupEntry.clear();
        return;
    }
    const int found = IncrementalLookup(Key);
    if (found == -1) {
        FLookupEntry.clear();
        return;
    }
    const int row = found + g.FixedRows();
    if (row > g.TopRow() + g.VisibleRowCount() || row < g.TopRow()) g.SetTopRow(row);
    g.SetRow(row);
    g.SetCol(0);
}

int TNovaMultiColumnDropDown::IncrementalLookup(QChar Key)
{
    if (Key == QChar(8)) {
        LookupBackspace();
        return -1;
    }
    if (Key != QChar(9)) FLookupEntry += Key;
    QString match;
    int index = -1;
    if (ItemLookupPrefix(FLookupEntry, match, index)) {
        FItemIndex = index;
        ShowFoundText(match, int(FLookupEntry.size()), true);
        return index;
    }
    if (ItemLookupPrefix(QString(Key), match, index)) {
        FItemIndex = index;
        SetText(match);
        FLookupEntry = QString(Key);
        return index;
    }
    FLookupEntry.clear();
    return -1;
}
