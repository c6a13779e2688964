// Cell objects of the string grid: adding, querying, changing and removing the pictures, icons,
// images, progress bars, comments, shapes, ratings, scroll bars, buttons, balloons, markers,
// expand cells, rotated texts and painted objects a cell can show.
#include "grid/NovaGrid.h"

#include "grid/DropDownEditorRegistry.h"

#include <QIcon>
#include <QImage>
#include <cmath>

namespace {

using Ref = TCellObjectRef;

TCellType baseKind(TNovaStringGrid &g, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    const TPoint b = g.BaseCell(ACol, ARow);
    return g.GetCellType(b.X, b.Y);
}

TCellGraphic *baseGraphicOf(TNovaStringGrid &g, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    const TPoint b = g.BaseCell(ACol, ARow);
    return g.GetCellGraphic(b.X, b.Y);
}

// A check box or radio button that carries a balloon of its own.
bool balloonHost(TCellType t) { return t == ctCheckBox || t == ctDataCheckBox || t == ctRadioButton; }

// A new graphic for an adder; none for a position no cell can hold.
TCellGraphic *newObjectGraphic(TNovaStringGrid &g, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= g.ColCount() + g.NumHiddenColumns() || ARow >= g.RowCount())
        return nullptr;
    return g.CreateCellGraphic(ACol, ARow);
}

} // namespace

// ---- bitmaps, pictures and icons ---------------------------------------------------------------------

void TNovaStringGrid::AddBitmap(int ACol, int ARow, QImage *ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    if (TCellGraphic *g = newObjectGraphic(*this, ACol, ARow))
        g->SetBitmap(ABmp, Transparent, hal, val);
}

QImage *TNovaStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return nullptr;
    auto *bmp = new QImage;
    g->SetBitmap(bmp, Transparent, hal, val);
    g->SetCellCreated(true);
    return bmp;
}

void TNovaStringGrid::RemoveBitmap(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }

QImage *TNovaStringGrid::GetBitmap(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellType(ACol, ARow) == ctBitmap ? GetCellGraphic(ACol, ARow) : nullptr;
    return g ? g->CellBitmap().As<QImage>() : nullptr;
}

bool TNovaStringGrid::HasBitmap(int ACol, int ARow) { return GetBitmap(ACol, ARow) != nullptr; }

void TNovaStringGrid::AddPicture(int ACol, int ARow, THTMLPicture *APicture, bool Transparent, TStretchMode StretchMode,
                                 int Padding, TCellHAlign hal, TCellVAlign val)
{
    if (TCellGraphic *g = newObjectGraphic(*this, ACol, ARow))
        g->SetPicture(APicture, Transparent, hal, val, Padding, StretchMode);
}

THTMLPicture *TNovaStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                             int Padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return nullptr;
    auto *picture = new THTMLPicture;
    g->SetPicture(picture, Transparent, hal, val, Padding, StretchMode);
    g->SetCellCreated(true);
    return picture;
}

void TNovaStringGrid::RemovePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }

THTMLPicture *TNovaStringGrid::GetPicture(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellType(ACol, ARow) == ctPicture ? GetCellGraphic(ACol, ARow) : nullptr;
    return g ? g->CellBitmap().As<THTMLPicture>() : nullptr;
}

bool TNovaStringGrid::HasPicture(int ACol, int ARow) { return GetPicture(ACol, ARow) != nullptr; }

void TNovaStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture *AFilePicture, bool Transparent,
                                     TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val)
{
    if (TCellGraphic *g = newObjectGraphic(*this, ACol, ARow))
        g->SetFilePicture(AFilePicture, Transparent, hal, val, Padding, StretchMode);
}

TFilePicture *TNovaStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                                 int Padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return nullptr;
    auto *picture = new TFilePicture;
    g->SetFilePicture(picture, Transparent, hal, val, Padding, StretchMode);
    g->SetCellCreated(true);
    return picture;
}

void TNovaStringGrid::RemoveFilePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctFilePicture); }

TFilePicture *TNovaStringGrid::GetFilePicture(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellType(ACol, ARow) == ctFilePicture ? GetCellGraphic(ACol, ARow) : nullptr;
    return g ? g->CellBitmap().As<TFilePicture>() : nullptr;
}

void TNovaStringGrid::AddIcon(int ACol, int ARow, QIcon *AIcon, TCellHAlign hal, TCellVAlign val)
{
    if (TCellGraphic *g = newObjectGraphic(*this, ACol, ARow))
        g->SetIcon(AIcon, hal, val);
}

QIcon *TNovaStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return nullptr;
    auto *icon = new QIcon;
    g->SetIcon(icon, hal, val);
    g->SetCellCreated(true);
    return icon;
}

void TNovaStringGrid::RemoveIcon(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }

// ---- images of the grid's image list ---------------------------------------------------------------

void TNovaStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!GridImages())
        return;
    if (TCellGraphic *g = newObjectGraphic(*this, ACol, ARow))
        g->SetImageIdx(Aidx, hal, val);
}

void TNovaStringGrid::RemoveImageIdx(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImageList); }

bool TNovaStringGrid::GetImageIdx(int ACol, int ARow, int &idx)
{
    if (!GridImages() || GetCellType(ACol, ARow) != ctImageList)
        return false;
    idx = GetCellGraphic(ACol, ARow)->CellIndex();
    return true;
}

bool TNovaStringGrid::SetImageIdx(int ACol, int ARow, int idx)
{
    if (!GridImages() || GetCellType(ACol, ARow) != ctImageList)
        return false;
    GetCellGraphic(ACol, ARow)->SetCellIndex(idx);
    return true;
}

void TNovaStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!GridImages())
        return;
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetDataImage(Aidx, hal, val);
    // The shown image follows the cell text; an empty cell starts at the given index.
    if (Cells(ACol, ARow).isEmpty())
        SetCells(ACol, ARow, QString::number(Aidx));
}

void TNovaStringGrid::RemoveDataImage(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctDataImage);
    if (ACol >= 0 && ARow >= 0)
        SetCells(ACol, ARow, QString());
}

bool TNovaStringGrid::HasDataImage(int ACol, int ARow) { return baseKind(*this, ACol, ARow) == ctDataImage; }

void TNovaStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
    if (!GridImages())
        return;
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    // A change of the index list repaints the cell it belongs to.
    g->SetMultiImage(ACol, ARow, [this](QObject *Sender, int c, int r) { MultiImageChanged(Sender, c, r); }, Dir != 0,
                     hal, val);
}

void TNovaStringGrid::MultiImageChanged(QObject *, int ACol, int ARow)
{
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TNovaStringGrid::RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImages); }

// ---- progress bars, pies and ranges ------------------------------------------------------------------

void TNovaStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctProgress);
    g->SetCellBitmap(Ref::FromColor(FGColor));
    g->SetCellIcon(Ref::FromColor(BKColor));
    g->SetCellErrFrom(0);
    g->SetCellErrLen(100);
    g->SetCellBoolean(false);
    g->SetCellText(QString());
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
}

void TNovaStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                    TColor BKTextColor)
{
    AddProgress(ACol, ARow, FGColor, BKColor);
    if (GetCellType(ACol, ARow) != ctProgress)
        return;
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    g->SetCellIndex(std::int32_t(FGTextColor));
    g->SetCellAngle(std::int32_t(BKTextColor));
    g->SetCellBoolean(true);
}

void TNovaStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                           TColor BKTextColor, const QString &Fmt, int Min, int Max)
{
    AddProgressEx(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor);
    if (GetCellType(ACol, ARow) != ctProgress)
        return;
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    g->SetCellErrFrom(Min);
    g->SetCellErrLen(Max);
    g->SetCellText(Fmt);
}

void TNovaStringGrid::RemoveProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }

bool TNovaStringGrid::HasProgress(int ACol, int ARow) { return baseKind(*this, ACol, ARow) == ctProgress; }

void TNovaStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctProgressPie);
    g->SetCellBitmap(Ref::FromColor(Color));
    g->SetCellAngle(Value);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(vaTop);
}

void TNovaStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
    if (GetCellType(ACol, ARow) != ctProgressPie)
        return;
    GetCellGraphic(ACol, ARow)->SetCellAngle(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TNovaStringGrid::RemoveProgressPie(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgressPie); }

void TNovaStringGrid::AddNovaProgress(int ACol, int ARow, int Min, int Max)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctXPProgress);
    g->SetCellErrFrom(Min);
    g->SetCellErrLen(Max);
    g->SetCellBoolean(false);
    g->SetCellText(QString());
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
}

void TNovaStringGrid::RemoveNovaProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctXPProgress); }

void TNovaStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctRangeIndicator);
    g->SetCellIndex(Range);
    g->SetCellBitmap(Ref::FromColor(NegColor));
    g->SetCellIcon(Ref::FromColor(PosColor));
    g->SetCellBoolean(ShowValue);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
}

void TNovaStringGrid::RemoveRangeIndicator(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

// ---- comments --------------------------------------------------------------------------------------

void TNovaStringGrid::AddComment(int ACol, int ARow, const QString &Comment)
{
    // The look's colour of the moment: a later change of the look leaves the comment as it is.
    AddColorComment(ACol, ARow, Comment, ControlLook()->CommentColor());
}

void TNovaStringGrid::AddColorComment(int ACol, int ARow, const QString &Comment, TColor Color)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctComment);
    g->SetCellText(Comment);
    g->SetCellIndex(std::int32_t(Color));
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
}

void TNovaStringGrid::RemoveComment(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }

void TNovaStringGrid::RemoveAllComments()
{
    QString comment;
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            if (IsComment(c, r, comment))
                RemoveComment(c, r);
}

QString TNovaStringGrid::GetComment(int ACol, int ARow)
{
    QString comment;
    IsComment(ACol, ARow, comment);
    return comment;
}

bool TNovaStringGrid::IsComment(int ACol, int ARow, QString &Comment)
{
    if (GetCellType(ACol, ARow) != ctComment)
        return false;
    Comment = GetCellGraphic(ACol, ARow)->CellText();
    return true;
}

void TNovaStringGrid::SetComment(int ACol, int ARow, const QString &Value)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g) {
        AddComment(ACol, ARow, Value);
    } else if (g->CellType() == ctComment) {
        g->SetCellText(Value);
        RepaintCell(DisplColIndex(ACol), ARow);
    }
}

// ---- shapes and ratings ----------------------------------------------------------------------------

void TNovaStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                               TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctShape);
    g->SetCellAngle(Shape);
    g->SetCellIndex(std::int32_t(FillColor));
    g->SetCellBitmap(Ref::FromColor(LineColor));
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

void TNovaStringGrid::RemoveShape(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }

void TNovaStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor)
{
    if (GetCellType(ACol, ARow) == ctShape)
        GetCellGraphic(ACol, ARow)->SetCellIndex(std::int32_t(FillColor));
}

TColor TNovaStringGrid::GetShapeColor(int ACol, int ARow)
{
    return GetCellType(ACol, ARow) == ctShape ? TColor(GetCellGraphic(ACol, ARow)->CellIndex()) : clNone;
}

void TNovaStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctRating);
    g->SetCellAngle(Scale);
    g->SetCellIndex(std::int32_t(FillColor));
    g->SetCellBitmap(Ref::FromColor(EmptyColor));
    g->SetCellHAlign(haFull);
}

void TNovaStringGrid::RemoveRating(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }

bool TNovaStringGrid::HasRating(int ACol, int ARow) { return baseKind(*this, ACol, ARow) == ctRating; }

// ---- cell scroll bars --------------------------------------------------------------------------------

void TNovaStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctScrollbar);
    g->SetCellIndex(0);       // position
    g->SetCellAngle(0);       // page size
    g->SetCellErrFrom(100);   // range
    g->SetCellBoolean(AutoRange);
    if (AutoRange)
        CellTextChanged(ACol, ARow);
}

void TNovaStringGrid::RemoveScrollBar(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }

bool TNovaStringGrid::HasScrollBar(int ACol, int ARow) { return baseKind(*this, ACol, ARow) == ctScrollbar; }

bool TNovaStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    const TCellGraphic *g = HasScrollBar(ACol, ARow) ? baseGraphicOf(*this, ACol, ARow) : nullptr;
    return g && g->CellBoolean();
}

void TNovaStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
    if (!HasScrollBar(ACol, ARow))
        return;
    baseGraphicOf(*this, ACol, ARow)->SetCellIndex(Pos);
    RepaintCell(DisplColIndex(ACol), ARow);
}

int TNovaStringGrid::GetScrollPosition(int ACol, int ARow)
{
    return HasScrollBar(ACol, ARow) ? baseGraphicOf(*this, ACol, ARow)->CellIndex() : -1;
}

void TNovaStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop)
{
    if (!HasScrollBar(ACol, ARow))
        return;
    TCellGraphic *g = baseGraphicOf(*this, ACol, ARow);
    g->SetCellAngle(Prop.PageSize);
    g->SetCellErrFrom(Prop.Range);
}

TScrollProp TNovaStringGrid::GetScrollProp(int ACol, int ARow)
{
    if (!HasScrollBar(ACol, ARow))
        return {-1, -1};
    const TCellGraphic *g = baseGraphicOf(*this, ACol, ARow);
    return {g->CellAngle(), g->CellErrFrom()};
}

// ---- buttons -------------------------------------------------------------------------------------

void TNovaStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TCellHAlign hal,
                                TCellVAlign val)
{
    if (TCellGraphic *g = newObjectGraphic(*this, ACol, ARow))
        g->SetButton(bw, bh, hal, val, Caption);
}

void TNovaStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption, QImage *Glyph,
                                   TCellHAlign hal, TCellVAlign val)
{
    if (TCellGraphic *g = newObjectGraphic(*this, ACol, ARow))
        g->SetBitButton(bw, bh, hal, val, Glyph, Caption);
}

QImage *TNovaStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const QString &Caption, TCellHAlign hal,
                                         TCellVAlign val)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return nullptr;
    auto *glyph = new QImage;
    g->SetBitButton(bw, bh, hal, val, glyph, Caption);
    g->SetCellCreated(true);
    return glyph;
}

void TNovaStringGrid::RemoveButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctButton);
    RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TNovaStringGrid::RemoveBitButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }

void TNovaStringGrid::RemoveAllButtons()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            if (HasButton(c, r))
                RemoveButton(c, r);
}

bool TNovaStringGrid::HasButton(int ACol, int ARow)
{
    const TCellType t = baseKind(*this, ACol, ARow);
    return t == ctButton || t == ctBitButton;
}

void TNovaStringGrid::SetButtonText(int ACol, int ARow, const QString &Caption)
{
    if (TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow)) {
        g->SetCellText(Caption);
        RepaintCell(ACol, ARow);
    }
}

QString TNovaStringGrid::GetButtonText(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow);
    return g ? g->CellText() : QString();
}

// The pushed look lives in CellBoolean, which other kinds use for their state (a node's
// contraction, a check box's tick): only buttons are pushed.
void TNovaStringGrid::PushButton(int ACol, int ARow, bool Push)
{
    TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || (g->CellType() != ctButton && g->CellType() != ctBitButton && g->CellType() != ctExpand))
        return;
    g->SetCellBoolean(Push);
    RepaintCell(ACol, ARow);
}

TRect TNovaStringGrid::GetCellButtonRect(int ACol, int ARow)
{
    // Only a button's CellIndex holds a size; an expand cell answers GetExpandButtonRect.
    const TCellGraphic *g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || (g->CellType() != ctButton && g->CellType() != ctBitButton))
        return {};
    const TRect cell = CellRect(ACol, ARow);
    // The painter keeps the button's offset in the cell: x in the low, y in the high 16 bits.
    const auto offset = static_cast<std::uint32_t>(std::lround(g->CellValue()));
    const auto size = static_cast<std::uint32_t>(g->CellIndex());
    TRect r;
    r.Left = cell.Left + int(offset & 0xFFFF);
    r.Top = cell.Top + int(offset >> 16);
    r.Right = r.Left + int(size & 0xFFFF);
    r.Bottom = r.Top + int(size >> 16);
    if (g->CellVAlign() == vaFull) {
        r.Top = cell.Top;
        r.Bottom = cell.Bottom;
    }
    if (g->CellHAlign() == haFull) {
        r.Left = cell.Left;
        r.Right = cell.Right;
    }
    return r;
}

// ---- balloons and markers ------------------------------------------------------------------------

void TNovaStringGrid::AddBalloon(int ACol, int ARow, const QString &Title, const QString &Text, TBalloonIcon Icon)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (g && balloonHost(g->CellType())) {
        // Attached to the control, which stays; a list of an earlier balloon goes.
        if (g->CellAngle() == 1) {
            Ref old = g->CellBitmap();
            old.Free();
        }
        g->SetCellAngle(1);
        g->SetCellBitmap(new QStringList{Title, Text});
        g->SetCellIndex(Icon);
        return;
    }
    if (g)
        return; // any other kind carries no balloon
    g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctBalloon);
    g->SetCellAngle(0);
    g->SetCellBitmap(new QStringList{Title, Text});
    g->SetCellIndex(Icon);
}

void TNovaStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (g && balloonHost(g->CellType()) && g->CellAngle() == 1) {
        g->SetCellAngle(0);
        Ref list = g->CellBitmap();
        list.Free();
        g->SetCellBitmap(Ref());
        return;
    }
    RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

bool TNovaStringGrid::HasBalloon(int ACol, int ARow) { return baseKind(*this, ACol, ARow) == ctBalloon; }

bool TNovaStringGrid::IsBalloon(int ACol, int ARow, QString &Title, QString &Text, TBalloonIcon &Icon)
{
    const TCellGraphic *g = baseGraphicOf(*this, ACol, ARow);
    if (!g)
        return false;
    const bool own = g->CellType() == ctBalloon;
    const bool attached = balloonHost(g->CellType()) && g->CellAngle() == 1;
    const QStringList *lines = g->CellBitmap().As<QStringList>();
    if (!(own || attached) || !lines)
        return false;
    Title = lines->value(0);
    Text = lines->value(1);
    Icon = static_cast<TBalloonIcon>(g->CellIndex());
    return true;
}

void TNovaStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = newObjectGraphic(*this, ACol, ARow);
        if (!g)
            return;
        g->SetCellType(ctEmpty);
    }
    g->SetCellErrFrom(ErrPos);
    g->SetCellErrLen(ErrLen);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TNovaStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    if (g->CellType() == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
        return;
    }
    g->SetCellErrFrom(0);
    g->SetCellErrLen(0);
}

void TNovaStringGrid::RemoveAllMarkers()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            RemoveMarker(c, r);
}

void TNovaStringGrid::GetMarker(int ACol, int ARow, int &ErrPos, int &ErrLen)
{
    ErrPos = 0;
    ErrLen = 0;
    if (const TCellGraphic *g = GetCellGraphic(ACol, ARow)) {
        ErrPos = g->CellErrFrom();
        ErrLen = g->CellErrLen();
    }
}

// ---- expand cells ------------------------------------------------------------------------------------

void TNovaStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetCellType(ctExpand);
    g->SetCellAngle(ExpandedHeight);
    g->SetCellIndex(RowHeights(ARow)); // the collapsed height is the present one
    g->SetCellVar(false);
}

void TNovaStringGrid::RemoveExpand(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctExpand); }

bool TNovaStringGrid::HasExpand(int ACol, int ARow) { return baseKind(*this, ACol, ARow) == ctExpand; }

bool TNovaStringGrid::ToggleExpand(int ACol, int ARow)
{
    if (!HasExpand(ACol, ARow))
        return false;
    TCellGraphic *g = baseGraphicOf(*this, ACol, ARow);
    if (!g)
        return false;
    const bool expanded = !g->CellVar().toBool();
    g->SetCellVar(expanded);
    return expanded;
}

bool TNovaStringGrid::GetExpandState(int ACol, int ARow)
{
    const TCellGraphic *g = baseGraphicOf(*this, ACol, ARow);
    return g && g->CellVar().toBool();
}

int TNovaStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    const TCellGraphic *g = baseGraphicOf(*this, ACol, ARow);
    if (!g)
        return DefaultRowHeight();
    return Expanded ? g->CellAngle() : g->CellIndex();
}

TRect TNovaStringGrid::GetExpandButtonRect(int ACol, int ARow)
{
    if (!HasExpand(ACol, ARow))
        return {};
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    return {r.Right - 13, r.Top + 2, r.Right - 2, r.Top + 13};
}

// ---- rotated text and painted objects --------------------------------------------------------------

void TNovaStringGrid::AddRotated(int ACol, int ARow, int AAngle, const QString &s)
{
    TCellGraphic *g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetAngle(static_cast<std::int16_t>(AAngle));
    SetCells(ACol, ARow, s);
}

void TNovaStringGrid::SetRotated(int ACol, int ARow, int AAngle)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        g = newObjectGraphic(*this, ACol, ARow);
    if (!g)
        return;
    g->SetAngle(AAngle);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TNovaStringGrid::RemoveRotated(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRotated); }

bool TNovaStringGrid::IsRotated(int ACol, int ARow, int &aAngle)
{
    if (GetCellType(ACol, ARow) != ctRotated)
        return false;
    aAngle = GetCellGraphic(ACol, ARow)->CellAngle();
    return true;
}

void TNovaStringGrid::AddInterfacedCell(int ACol, int ARow, TInterfacedPersistent *AObject)
{
    if (TCellGraphic *g = newObjectGraphic(*this, ACol, ARow))
        g->SetInterfacedCell(AObject);
}

void TNovaStringGrid::RemoveInterfacedCell(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctInterface); }

TInterfacedPersistent *TNovaStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    const TCellGraphic *g = GetCellType(ACol, ARow) == ctInterface ? GetCellGraphic(ACol, ARow) : nullptr;
    return g ? g->CellBitmap().As<TInterfacedPersistent>() : nullptr;
}

// ---- link look ---------------------------------------------------------------------------------------

void TNovaStringGrid::SetURLColor(TColor Value)
{
    if (FURLColor == Value)
        return;
    FURLColor = Value;
    if (FURLShow)
        InvalidateGrid();
}

void TNovaStringGrid::SetURLShow(bool Value)
{
    if (FURLShow == Value)
        return;
    FURLShow = Value;
    InvalidateGrid();
}

void TNovaStringGrid::SetURLShowInText(bool Value)
{
    if (FURLShowInText == Value)
        return;
    FURLShowInText = Value;
    InvalidateGrid();
}

void TNovaStringGrid::SetURLFull(bool Value)
{
    FURLFull = Value;
    if (FURLShow)
        InvalidateGrid();
}

// ---- events that stand with the cell objects ---------------------------------------------------------

bool TNovaStringGrid::DoRatingChange(int ACol, int ARow, double &NewRate)
{
    bool allow = true;
    if (OnRatingChange)
        OnRatingChange(this, ACol, ARow, NewRate, allow);
    return allow;
}

void TNovaStringGrid::DoColorSelect(int ACol, int ARow, TColor &Color)
{
    Q_UNUSED(ACol);
    Q_UNUSED(ARow);
    if (OnColorSelect)
        OnColorSelect(this, Col(), Row(), Color, FEditColorPicker ? FEditColorPicker->CellText() : QString());
}

void TNovaStringGrid::DoImageSelect(int ACol, int ARow, int &ImageIndex)
{
    Q_UNUSED(ACol);
    Q_UNUSED(ARow);
    if (OnImageSelect)
        OnImageSelect(this, Col(), Row(), ImageIndex);
}
