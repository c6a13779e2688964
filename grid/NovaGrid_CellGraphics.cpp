// Cell graphics of the string grid: finding, creating and removing a cell's graphic, its kind,
// and the room it takes in its cell.
#include "grid/NovaGrid.h"

#include "grid/base/MarkupRenderer.h"
#include "grid/base/VedAzirDraw.h"

#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <cstring>

namespace {

bool isSharedGraphic(const TCellGraphic *g)
{
    return g->CellType() == ctVirtCheckBox || g->CellType() == ctRowCheckBox;
}

} // namespace

TCellGraphic *TNovaStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
        // Column 0 shows one shared row check box; row 0 stands for all data rows.
        TCellGraphic *g = FCellGraphic.get();
        g->SetCellType(ctRowCheckBox);
        g->SetCellTransparent(FControlLook->ControlStyle() == csFlat);
        if (ARow == 0) {
            const int dataRows = RowCount() - FixedRows();
            int selected = 0;
            for (int r = FixedRows(); r < RowCount(); ++r)
                selected += FSelectedRows->HasValue(RealRowIndex(r)) ? 1 : 0;
            g->SetCellAngle(selected > 0 && selected < dataRows ? 1 : 0); // grayed: some, not all
            g->SetCellBoolean(dataRows > 0 && selected == dataRows);
        } else {
            g->SetCellAngle(0);
            g->SetCellBoolean(FSelectedRows->HasValue(RealRowIndex(ARow)));
        }
        return g;
    }
    if (ACol < 0 || ARow < 0)
        return nullptr;
    TObject *o = GetGraphicObjectEx(ACol, ARow);
    if (!o || std::strcmp(o->ClassName(), "TCellGraphic") != 0)
        return nullptr;
    return static_cast<TCellGraphic *>(o);
}

TCellType TNovaStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    if (ACol == 0 && FMouseActions->HotmailRowSelect())
        return ctRowCheckBox;
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    return g ? g->CellType() : ctEmpty;
}

TIntList *TNovaStringGrid::GetCellImages(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctImages ? g->CellBitmap().As<TIntList>() : nullptr;
}

TCellGraphic *TNovaStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    if (TCellGraphic *old = GetCellGraphic(ACol, ARow); old && old != FCellGraphic.get()) {
        SetGraphicObjectEx(ACol, ARow, nullptr);
        if (!isSharedGraphic(old))
            delete old;
    }
    auto *g = new TCellGraphic;
    // An empty cell holds a blank while the object is stored, so that storing cannot drop it.
    const bool wasEmpty = GetGridCell(ACol, ARow).isEmpty();
    if (wasEmpty)
        SetGridCell(ACol, ARow, QStringLiteral(" "));
    SetGraphicObjectEx(ACol, ARow, g);
    if (wasEmpty)
        SetGridCell(ACol, ARow, QString());
    if (NumHiddenColumns() > 0 && DisplColIndex(ACol) != ACol)
        RepaintCell(DisplColIndex(ACol), ARow);
    return g;
}

bool TNovaStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    if (ACol == 0 && FMouseActions->HotmailRowSelect() && !GetGraphicObjectEx(ACol, ARow))
        return false; // the shared row check box is no graphic of the cell
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g || g == FCellGraphic.get())
        return false;
    SetGraphicObjectEx(ACol, ARow, nullptr);
    if (!isSharedGraphic(g))
        delete g;
    if (!Destroying())
        RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

bool TNovaStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType AType)
{
    return GetCellType(ACol, ARow) == AType && RemoveCellGraphic(ACol, ARow);
}

TPoint TNovaStringGrid::GetCellGraphicSize(int ACol, int ARow) { return CalcCellGraphicSize(ACol, ARow, 0); }

namespace {

// A graphic placed beside the cell's text, or above or under it, shares the cell with the text.
bool besideText(const TCellGraphic &g) { return g.CellHAlign() == haBeforeText || g.CellHAlign() == haAfterText; }
bool aboveOrUnderText(const TCellGraphic &g) { return g.CellVAlign() == vaUnderText || g.CellVAlign() == vaAboveText; }

QSize iconSize(const TCellGraphic &g)
{
    const QIcon *icon = g.CellIcon().As<QIcon>();
    return icon ? icon->availableSizes().value(0, QSize(32, 32)) : QSize();
}

// A radio group: items side by side on one line, or stacked one per line.
TPoint radioGroupSize(const TCellGraphic &g, const QFontMetrics &fm)
{
    TPoint size{0, 0};
    const QStringList *items = g.CellBitmap().As<QStringList>();
    if (!items)
        return size;
    const int th = fm.boundingRect(QStringLiteral("gh")).height();
    if (g.CellBoolean()) {
        for (const QString &s : *items)
            size.X += fm.horizontalAdvance(s) + 12;
        size.Y = th;
    } else {
        size.X = 12;
        for (const QString &s : *items)
            size.X = std::max(size.X, fm.horizontalAdvance(s) + 12);
        size.Y = std::max(16, th) * int(items->size());
    }
    return size;
}

// Several images of the grid's list, side by side or stacked.
TPoint imageRowSize(const TCellGraphic &g, const TMarkupImageList *images)
{
    const TIntList *indexes = g.CellBitmap().As<TIntList>();
    if (!images || !indexes)
        return {0, 0};
    const int n = indexes->Count();
    if (g.CellBoolean())
        return {n * images->Width, images->Height};
    return {images->Width, n * images->Height};
}

// A painted object's own size; a dimension it leaves at 0 takes the cell's.
TPoint interfacedSize(const TCellGraphic &g, TPoint cell)
{
    const TInterfacedPersistent *o = g.CellBitmap().As<TInterfacedPersistent>();
    if (!o)
        return {0, 0};
    const TPoint own{o->GetWidth(), o->GetHeight()};
    return own.X == 0 || own.Y == 0 ? cell : own;
}

} // namespace

TPoint TNovaStringGrid::CalcCellGraphicSize(int ACol, int ARow, int Extra)
{
    TPoint size{0, 0};
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return size;
    const bool hasText = !Cells(ACol, ARow).isEmpty();
    const bool beside = besideText(*g);
    const bool aboveUnder = aboveOrUnderText(*g);
    bool mayWiden = true;
    const QFontMetrics fm(Font().ToQFont());
    switch (g->CellType()) {
    case ctBitmap:
        if (const QImage *b = g->CellBitmap().As<QImage>()) {
            size.X = beside || !hasText ? b->width() : 0;
            size.Y = aboveUnder || !hasText ? b->height() : 0;
        }
        break;
    case ctIcon:
        if (const QSize s = iconSize(*g); s.isValid()) {
            size.X = beside || !hasText ? s.width() : 0;
            size.Y = s.height();
        }
        break;
    case ctImageList:
    case ctDataImage:
        if (const TMarkupImageList *images = GetGridImageList()) {
            size.X = beside || !hasText ? images->Width : 0;
            size.Y = aboveUnder || !hasText ? images->Height : 0;
        }
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
        size = {FControlLook->CheckBoxSize(), FControlLook->CheckBoxSize()};
        break;
    case ctRadioButton:
        size = {FControlLook->RadioSize(), FControlLook->RadioSize()};
        break;
    case ctRadio:
        size = radioGroupSize(*g, fm);
        break;
    case ctImages:
        size = imageRowSize(*g, GetGridImageList());
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint cell = CellSize(DisplColIndex(ACol), ARow);
        g->GetPictureSize(cell.X - 2 * XYOffset.x() - 1, cell.Y - 2 * XYOffset.y() - Extra - 1, hasText, size);
        break;
    }
    case ctButton:
    case ctBitButton: {
        size = {g->CellIndex() & 0xFFFF, (g->CellIndex() >> 16) & 0xFFFF};
        const int captionWidth = fm.horizontalAdvance(g->CellText()) + 4;
        if (!hasText) {
            if (g->CellHAlign() == haFull) {
                size.X = captionWidth;
                mayWiden = g->CellText().isEmpty();
            }
        } else {
            if (g->CellHAlign() == haCenter)
                size.X = 0;
            else if (g->CellHAlign() == haFull)
                size.X = captionWidth;
            if (!aboveUnder)
                size.Y = 0;
            else
                size.X = 0;
        }
        break;
    }
    case ctProgressPie:
        size = {20, 20};
        break;
    case ctRating:
        size = {g->CellAngle() * 18, 16};
        mayWiden = false;
        break;
    case ctInterface:
        size = interfacedSize(*g, CellSize(DisplColIndex(ACol), ARow));
        break;
    default:
        break;
    }
    if (g->CellVAlign() == vaFull || (g->CellHAlign() == haFull && mayWiden)) {
        const TRect r = CellRect(DisplColIndex(ACol), ARow);
        if (g->CellVAlign() == vaFull)
            size.Y = r.Height();
        if (g->CellHAlign() == haFull && mayWiden)
            size.X = r.Width();
    }
    return size;
}

TPoint TNovaStringGrid::CalcCellGraphicRect(int ACol, int ARow, int AWidth, int AHeight, double Scale)
{
    TPoint size{0, 0};
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return size;
    const TMarkupImageList *images = GetGridImageList();
    const TCellType kind = g->CellType();
    if (isCheckBoxKind(kind))
        return {FControlLook->CheckBoxSize(), FControlLook->CheckBoxSize()};
    switch (kind) {
    case ctBitmap:
        if (const QImage *b = g->CellBitmap().As<QImage>())
            size = {b->width(), b->height()};
        break;
    case ctIcon:
        if (const QSize s = iconSize(*g); s.isValid())
            size = {s.width(), s.height()};
        break;
    case ctImageList:
        if (images)
            size = {besideText(*g) || Cells(ACol, ARow).isEmpty() ? images->Width : 0, images->Height};
        break;
    case ctDataImage:
        if (images)
            size = {images->Width, images->Height};
        break;
    case ctNode:
    case ctProgressPie:
        size = {20, 20};
        break;
    case ctRadio:
        size = radioGroupSize(*g, QFontMetrics(Font().ToQFont()));
        break;
    case ctImages:
        size = imageRowSize(*g, images);
        break;
    case ctPicture:
    case ctFilePicture: {
        // The given size is taken back to screen pixels first, the unit of the picture's own size
        // and padding: an unstretched picture then prints as large as the room measured for it. A
        // scale of 0 or below would divide by nothing: the size is taken as it is.
        const int w = Scale > 0 ? RoundHalfEven(AWidth / Scale) : AWidth;
        const int h = Scale > 0 ? RoundHalfEven(AHeight / Scale) : AHeight;
        g->GetPictureSize(w, h, !Cells(ACol, ARow).isEmpty(), size);
        break;
    }
    case ctProgress:
    case ctXPProgress:
        size = {ColWidths(DisplColIndex(ACol)), RowHeights(ARow)};
        break;
    case ctButton:
    case ctBitButton:
        size = {g->CellIndex() & 0xFFFF, (g->CellIndex() >> 16) & 0xFFFF};
        break;
    case ctRadioButton:
        size = {FControlLook->RadioSize(), FControlLook->RadioSize()};
        break;
    case ctShape:
        size.X = size.Y = RowHeights(ARow) - 2 * XYOffset.y();
        break;
    case ctInterface: {
        // For printing only the dimension the object leaves at 0 takes the cell's.
        if (const TInterfacedPersistent *o = g->CellBitmap().As<TInterfacedPersistent>()) {
            const TRect r = CellRect(DisplColIndex(ACol), ARow);
            size = {o->GetWidth() ? o->GetWidth() : r.Width(), o->GetHeight() ? o->GetHeight() : r.Height()};
        }
        break;
    }
    default:
        break;
    }
    return size;
}

void TNovaStringGrid::SetGridImages(const TMarkupImageList *Value)
{
    FGridImages = Value;
    InvalidateGrid();
}

const TMarkupImageList *TNovaStringGrid::GetGridImageList() { return FGridImages; }

int TNovaStringGrid::GetGraphicSortKey(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return -1;
    switch (g->CellType()) {
    case ctBitmap:
        return int(reinterpret_cast<quintptr>(g->CellBitmap().Get()) & 0x7FFFFFFF);
    case ctIcon:
        return int(reinterpret_cast<quintptr>(g->CellIcon().Get()) & 0x7FFFFFFF);
    case ctImageList:
        return g->CellIndex();
    default:
        return -1;
    }
}

bool TNovaStringGrid::IsSortIndicatorCell(int ACol, int ARow)
{
    if (IsMergedCell(ACol, ARow)) {
        const TPoint base = BaseCell(ACol, ARow);
        ARow = base.Y + std::max(0, CellSpan(base.X, base.Y).Y); // the span's last row
    }
    return ARow == FSortSettings->Row() && FSortSettings->Show() && FixedRows() + 1 < RowCount();
}
