// The saved area and the grid's binary stream: a grid record, then per cell a cell record, its
// properties and its graphic with the graphic's image or list. A stream is read and checked whole
// before the grid changes, so a damaged one leaves the grid as it was.
#include "grid/NovaGrid.h"

#include "grid/GridStreamCarriers.h"
#include "grid/base/HtmlPicture.h"
#include "platform/Files.h"

#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <algorithm>
#include <cmath>

using platform::StreamRecord;

// ---- saved area ------------------------------------------------------------------------------------

int TNovaStringGrid::SaveStartCol() const { return SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols(); }
int TNovaStringGrid::SaveStartRow() const { return SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows(); }

int TNovaStringGrid::SaveEndCol() const
{
    return ColCount() - 1 - (SaveFixedCells() || SaveFixedCols() ? 0 : FixedRightCols());
}

int TNovaStringGrid::SaveEndRow() const
{
    return RowCount() - 1 - (SaveFixedCells() || SaveFixedRows() ? 0 : FixedFooters());
}

void TNovaStringGrid::FileProgress(double Percent)
{
    const int p = std::clamp(int(std::lround(Percent)), 0, 100);
    if (p == FLastProgress)
        return;
    FLastProgress = p;
    FireEvent(OnFileProgress, this, short(p));
}

// ---- writing ---------------------------------------------------------------------------------------

namespace {

constexpr int MaxStreamIndex = 65535; // positions travel as 16-bit numbers

bool graphicCarriesObject(TCellType t)
{
    switch (t) {
    case ctBitmap: case ctIcon: case ctRadio: case ctImages: case ctPicture: case ctFilePicture: case ctBitButton:
        return true;
    default:
        return false;
    }
}

QString joinSizes(const std::vector<int> &v)
{
    QStringList s;
    s.reserve(qsizetype(v.size()));
    for (int x : v)
        s << QString::number(x);
    return s.join(QLatin1Char(','));
}

// A comma list of sizes; false when an item is no number of a size a grid can have.
bool splitSizes(const QString &text, std::vector<int> &out)
{
    out.clear();
    if (text.trimmed().isEmpty())
        return true;
    for (const QString &item : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int v = item.trimmed().toInt(&ok);
        if (!ok || v < 0 || v > 32767)
            return false;
        out.push_back(v);
    }
    return true;
}

} // namespace

void TNovaStringGrid::SaveRectToBinStream(const TRect &Rect, QIODevice &Stream)
{
    if (Rect.Left < 0 || Rect.Top < 0 || Rect.Left > Rect.Right || Rect.Top > Rect.Bottom)
        throw ENovaGridError(QStringLiteral("Invalid cell range"));
    if (Rect.Right > MaxStreamIndex || Rect.Bottom > MaxStreamIndex)
        throw ENovaGridError(QStringLiteral("Cells beyond column or row 65535 cannot be saved"));

    QByteArray out;
    TGridPropIO grid;
    grid.RowCount = Rect.Bottom - Rect.Top + 1;
    grid.ColCount = Rect.Right - Rect.Left + 1;
    grid.FullGrid = SaveFixedCells() ? RowCount() == grid.RowCount && ColCount() == grid.ColCount
                                     : RowCount() - FixedRows() == grid.RowCount
                                           && ColCount() - FixedCols() == grid.ColCount;
    grid.ID = std::int32_t(qHash(quintptr(this)) & 0x7FFFFFFF);
    std::vector<int> sizes;
    for (int c = Rect.Left; c <= Rect.Right; ++c)
        sizes.push_back(ColWidths(c));
    grid.ColWidths = joinSizes(sizes);
    sizes.clear();
    for (int r = Rect.Top; r <= Rect.Bottom; ++r)
        sizes.push_back(RowHeights(r));
    grid.RowHeights = joinSizes(sizes);
    platform::writeRecord(grid.ToRecord(), out);

    TGridCellIO cell;
    TGridCellPropIO props(this);
    TGridGraphicIO graphic;
    StartFileProgress();
    ExportNotification(esExportStart, Rect.Top);
    for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
        ExportNotification(esExportNextRow, r);
        for (int c = Rect.Left; c <= Rect.Right; ++c) {
            // The record keeps the shown column; the cell is the one shown there.
            const int rc = RealColIndex(c) < 0 ? c : RealColIndex(c);
            cell.Col = std::uint16_t(c);
            cell.Row = std::uint16_t(r);
            cell.Cell = Cells(rc, r);
            cell.HasProp = HasCellProperties(rc, r);
            platform::writeRecord(cell.ToRecord(), out);
            if (!cell.HasProp)
                continue;
            const TCellProperties *src = GetCellProperties(rc, r);
            props.CellProperties().Assign(*src);
            props.CellProperties().SetBrushColorTo(src->BrushColorTo());
            props.CellProperties().SetGradientDirection(src->GradientDirection());
            TCellGraphic *g = GetCellGraphic(rc, r);
            if (g == SharedCellGraphic())
                g = nullptr;
            const TCellType type = g ? g->CellType() : ctEmpty;
            props.HasGraphic = type != ctEmpty && (!graphicCarriesObject(type) || g->CellCreated());
            platform::writeRecord(props.ToRecord(), out);
            if (!props.HasGraphic)
                continue;
            graphic.CellGraphic().Assign(*g);
            graphic.CellGraphic().SetCellCheckBoxState(g->CellCheckBoxState());
            platform::writeRecord(graphic.ToRecord(), out);
            switch (type) {
            case ctBitmap:
            case ctBitButton: {
                TGridBMPIO bmp;
                if (const QImage *img = g->CellBitmap().As<QImage>())
                    bmp.Bitmap = *img;
                platform::writeRecord(bmp.ToRecord(), out);
                break;
            }
            case ctIcon: {
                TGridIconIO icon;
                if (const QIcon *i = g->CellIcon().As<QIcon>())
                    icon.Icon = *i;
                platform::writeRecord(icon.ToRecord(), out);
                break;
            }
            case ctRadio: {
                TGridSLIO sl;
                if (const QStringList *l = g->CellBitmap().As<QStringList>())
                    sl.Strings = *l;
                platform::writeRecord(sl.ToRecord(), out);
                break;
            }
            case ctImages: {
                TGridSLIO sl;
                const TIntList *l = g->CellBitmap().As<TIntList>();
                sl.Strings << (l ? l->StrValue() : QString());
                platform::writeRecord(sl.ToRecord(), out);
                break;
            }
            case ctPicture: {
                TGridPicIO pic;
                if (const THTMLPicture *p = g->CellBitmap().As<THTMLPicture>())
                    pic.Picture().SetData(p->Data());
                platform::writeRecord(pic.ToRecord(), out);
                break;
            }
            case ctFilePicture: {
                TGridFilePicIO pic;
                if (const TFilePicture *p = g->CellBitmap().As<TFilePicture>())
                    pic.Picture().Assign(*p);
                platform::writeRecord(pic.ToRecord(), out);
                break;
            }
            default:
                break;
            }
        }
        if (OnFileProgress)
            FileProgress(double(r - Rect.Top) * 100.0 / std::max(1, Rect.Bottom - Rect.Top));
    }
    ExportNotification(esExportDone, -1);
    if (Stream.write(out) != out.size())
        throw ENovaGridError(QStringLiteral("Cannot write the grid stream: ") + Stream.errorString());
}

void TNovaStringGrid::SaveToBinStream(QIODevice &Stream)
{
    SaveRectToBinStream(TRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()}, Stream);
}

void TNovaStringGrid::SaveToBinFile(const QString &FileName)
{
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    SaveToBinStream(buf);
    QString error;
    if (!platform::writeFileAtomic(FileName, data, &error))
        throw ENovaGridError(QStringLiteral("Cannot create file ") + FileName + QStringLiteral(": ") + error);
}

// ---- reading ---------------------------------------------------------------------------------------

namespace {

bool readAs(const QByteArray &data, qsizetype &pos, const char *cls, StreamRecord &rec)
{
    qsizetype p = pos;
    if (!platform::readRecord(data, p, rec) || rec.className != cls)
        return false;
    pos = p;
    return true;
}

const char *extraClassOf(TCellType t)
{
    switch (t) {
    case ctBitmap: case ctBitButton: return "TGridBMPIO";
    case ctIcon: return "TGridIconIO";
    case ctRadio: case ctImages: return "TGridSLIO";
    case ctPicture: return "TGridPicIO";
    case ctFilePicture: return "TGridFilePicIO";
    default: return nullptr;
    }
}

} // namespace

TGridStreamContent TNovaStringGrid::readBinStream(const QByteArray &data)
{
    TGridStreamContent out;
    qsizetype pos = 0;
    StreamRecord rec;
    QString why;
    if (!platform::readRecord(data, pos, rec, &why) || rec.className != "TGridPropIO")
        throw ENovaGridError(QStringLiteral("Stream contains no grid data") + (why.isEmpty() ? QString() : QStringLiteral(": ") + why));
    TGridPropIO &grid = out.Head;
    grid.FromRecord(rec);
    if (grid.ColCount < 1 || grid.RowCount < 1 || grid.ColCount > MaxStreamIndex + 1 || grid.RowCount > MaxStreamIndex + 1
        || !splitSizes(grid.ColWidths, out.ColWidths) || !splitSizes(grid.RowHeights, out.RowHeights))
        throw ENovaGridError(QStringLiteral("Stream contains no grid data: corrupt grid size"));

    // The writer puts down every cell of its area: a stream that ends inside a record, or holds
    // other cells than its grid record counts, was cut short or damaged.
    const qsizetype expected = qsizetype(grid.ColCount) * grid.RowCount;
    const auto damaged = [] { return ENovaGridError(QStringLiteral("Stream read error: the grid data is cut short or damaged")); };
    TGridCellIO cellIO;
    TGridCellPropIO propIO(this);
    TGridGraphicIO graphicIO;
    while (pos < data.size() - 1) {
        if (qsizetype(out.Cells.size()) >= expected)
            throw damaged();
        TGridStreamCell g;
        if (!readAs(data, pos, "TGridCellIO", g.cell))
            throw damaged();
        cellIO.HasProp = false;
        cellIO.FromRecord(g.cell);
        if (cellIO.HasProp) {
            if (!readAs(data, pos, "TGridCellPropIO", g.props))
                throw damaged();
            g.hasProps = true;
            propIO.HasGraphic = false;
            propIO.FromRecord(g.props);
            if (propIO.HasGraphic) {
                if (!readAs(data, pos, "TGridGraphicIO", g.graphic))
                    throw damaged();
                g.hasGraphic = true;
                graphicIO.CellGraphic().SetCellType(ctNone);
                graphicIO.FromRecord(g.graphic);
                if (const char *extra = extraClassOf(graphicIO.CellGraphic().CellType())) {
                    if (!readAs(data, pos, extra, g.extra))
                        throw damaged();
                    g.hasExtra = true;
                    // A picture whose data is no image the grid can show is damage too.
                    if (graphicIO.CellGraphic().CellType() == ctPicture) {
                        try {
                            TGridPicIO pic;
                            pic.FromRecord(g.extra);
                        } catch (const std::exception &) {
                            throw damaged();
                        }
                    }
                }
            }
        }
        out.Cells.push_back(std::move(g));
    }
    if (qsizetype(out.Cells.size()) != expected)
        throw damaged();
    out.Used = pos;
    return out;
}

void TNovaStringGrid::LoadAtPointFromBinStream(TPoint Point, QIODevice &Stream)
{
    const qint64 start = Stream.pos();
    const TGridStreamContent content = readBinStream(Stream.readAll());
    Stream.seek(start + content.Used);
    loadBinStreamCells(Point, content);
}

void TNovaStringGrid::loadBinStreamCells(TPoint Point, const TGridStreamContent &content)
{
    const TGridPropIO &grid = content.Head;
    if (grid.FullGrid) {
        ClearRect(0, 0, ColCount() - 1, RowCount() - 1);
        SetRowCount(grid.RowCount);
        SetColCount(grid.ColCount);
        for (int c = 0; c < int(content.ColWidths.size()) && c < ColCount(); ++c)
            SetColWidths(c, content.ColWidths[size_t(c)]);
        for (int r = 0; r < int(content.RowHeights.size()) && r < RowCount(); ++r)
            SetRowHeights(r, content.RowHeights[size_t(r)]);
    }
    TGridCellIO cellIO;
    int originCol = 0, originRow = 0;
    if (!grid.FullGrid && !content.Cells.empty()) {
        cellIO.FromRecord(content.Cells.front().cell);
        originCol = cellIO.Col;
        originRow = cellIO.Row;
    }

    StartFileProgress();
    ImportNotification(isImportStart, Point.Y);
    const int rowLimit = grid.FullGrid ? RowCount() : pasteRowLimit();
    int lastRow = -1;
    for (const TGridStreamCell &g : content.Cells) {
        cellIO = TGridCellIO();
        cellIO.FromRecord(g.cell);
        const int tc = Point.X + cellIO.Col - originCol;
        const int tr = Point.Y + cellIO.Row - originRow;
        if (tc < 0 || tr < 0 || tc >= ColCount() || tr >= rowLimit)
            continue; // the stream never grows the grid beyond its own size, nor writes a footer row
        SetCells(tc, tr, cellIO.Cell);
        if (tr != lastRow) {
            lastRow = tr;
            if (OnFileProgress)
                FileProgress(double(tr) * 100.0 / std::max(1, RowCount()));
        }
        if (!g.hasProps)
            continue;
        TGridCellPropIO props(this);
        props.FromRecord(g.props);
        TCellProperties *target = GetCellProperties(tc, tr);
        target->Assign(props.CellProperties());
        target->SetBrushColorTo(props.CellProperties().BrushColorTo());
        target->SetGradientDirection(props.CellProperties().GradientDirection());
        target->SetOwnerCol(tc);
        target->SetOwnerRow(tr);
        if (!g.hasGraphic)
            continue;
        TGridGraphicIO read;
        read.FromRecord(g.graphic);
        TCellGraphic *gr = CreateCellGraphic(tc, tr);
        gr->Assign(read.CellGraphic());
        gr->SetCellCheckBoxState(read.CellGraphic().CellCheckBoxState());
        switch (gr->CellType()) {
        case ctBitmap:
        case ctBitButton: {
            TGridBMPIO bmp;
            bmp.FromRecord(g.extra);
            gr->SetCellBitmap(new QImage(bmp.Bitmap));
            gr->SetCellCreated(true);
            break;
        }
        case ctIcon: {
            TGridIconIO icon;
            icon.FromRecord(g.extra);
            gr->SetCellIcon(new QIcon(icon.Icon));
            gr->SetCellCreated(true);
            break;
        }
        case ctRadio: {
            TGridSLIO sl;
            sl.FromRecord(g.extra);
            gr->SetCellBitmap(new QStringList(sl.Strings));
            gr->SetCellCreated(true);
            break;
        }
        case ctImages: {
            TGridSLIO sl;
            sl.FromRecord(g.extra);
            auto *list = new TIntList(tc, tr);
            gr->SetCellBitmap(list);
            gr->SetCellCreated(true);
            try {
                list->SetStrValue(sl.Strings.value(0));
            } catch (const std::exception &) {
                // the numbers before a bad item stay
            }
            break;
        }
        case ctPicture: {
            TGridPicIO pic;
            pic.FromRecord(g.extra);
            auto *p = new THTMLPicture;
            p->SetData(pic.Picture().Data());
            gr->SetCellBitmap(p);
            gr->SetCellCreated(true);
            break;
        }
        case ctFilePicture: {
            TGridFilePicIO pic;
            pic.FromRecord(g.extra);
            auto *p = new TFilePicture;
            p->Assign(pic.Picture());
            gr->SetCellBitmap(p);
            gr->SetCellCreated(true);
            break;
        }
        default:
            break;
        }
    }
    ImportNotification(isImportDone, -1);
    InvalidateGrid();
}

void TNovaStringGrid::LoadFromBinStream(QIODevice &Stream)
{
    LoadAtPointFromBinStream(TPoint{0, 0}, Stream);
    FNodeCount = 0;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (GetCellType(0, r) == ctNode)
            ++FNodeCount;
    if (FNodeCount > 0)
        for (int r = 0; r < RowCount(); ++r)
            RepaintCell(0, r);
}

void TNovaStringGrid::LoadFromBinFile(const QString &FileName)
{
    QByteArray data;
    QString error;
    if (!platform::readFile(FileName, data, &error))
        throw ENovaGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    QBuffer buf(&data);
    buf.open(QIODevice::ReadOnly);
    LoadFromBinStream(buf);
}
