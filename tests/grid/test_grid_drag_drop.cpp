// Drag and drop by Qt's drag events: data a source grid drags out, dropped on a target grid;
// acceptance rules of the drop target; the start of a drag by pointer movement.
#include "FakeOffice.h"
#include "grid/GridDropTarget.h"
#include "grid/GridStreamCarriers.h"
#include "grid/NovaGrid.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QPixmap>
#include <climits>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QBuffer>
#include <QDrag>
#include <gtest/gtest.h>

namespace {

struct Grid : TNovaStringGrid {
    Grid(int cols, int rows, int fixedCols = 0, int fixedRows = 0)
    {
        SetColCount(cols);
        SetRowCount(rows);
        SetFixedCols(fixedCols);
        SetFixedRows(fixedRows);
        SetOptions(Options() + TGridOptions{goEditing});
        resize(800, 600);
        DragDropSettings()->SetOleDropTarget(true);
        show();
    }
    QPoint center(int c, int r) const { return CellRect(c, r).ToQRect().center(); }
};

// A drag over a target: enter and move at a point, then optionally drop. Answers whether the
// drop was accepted.
struct Drag {
    QWidget *target;
    QMimeData *data;
    Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    Qt::KeyboardModifiers keys = Qt::NoModifier;
    bool entered = false, moved = false;
    Qt::DropAction enterAction = Qt::IgnoreAction;

    bool over(QPoint p)
    {
        QDragEnterEvent enter(p, actions, data, Qt::LeftButton, keys);
        QApplication::sendEvent(target, &enter);
        entered = enter.isAccepted();
        enterAction = enter.dropAction();
        if (!entered)
            return false;
        QDragMoveEvent move(p, actions, data, Qt::LeftButton, keys);
        QApplication::sendEvent(target, &move);
        moved = move.isAccepted();
        return moved;
    }
    bool drop(QPoint p)
    {
        if (!over(p))
            return false;
        QDropEvent d(p, actions, data, Qt::LeftButton, keys);
        QApplication::sendEvent(target, &d);
        return d.isAccepted();
    }
};

// The data a grid drags out: its selected text (and, with the own format, its cell stream).
std::unique_ptr<QMimeData> sourceData(TNovaStringGrid &g, bool stream = false)
{
    QByteArray bytes;
    if (stream) {
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        const TGridRect s = g.Selection();
        g.SaveRectToBinStream(TRect{s.Left, s.Top, s.Right, s.Bottom}, buf);
    }
    return std::make_unique<TSourceDataObject>(g.SelectedText(), stream ? &bytes : nullptr, -1, QString());
}

} // namespace

TEST(GridDrop, TextBlockFillsAndSelects)
{
    struct Case {
        const char *name;
        bool rowSelect;
        int expectCol;
    };
    for (const Case &c : {Case{"on a cell", false, 2}, Case{"whole rows start in column 0", true, 0}}) {
        SCOPED_TRACE(c.name);
        Grid src(3, 2);
        for (int r = 0; r < 2; ++r)
            for (int k = 0; k < 3; ++k)
                src.SetCells(k, r, QStringLiteral("%1%2").arg(QChar('a' + k)).arg(r));
        src.SetSelection({0, 0, 2, 1});
        Grid dst(8, 10, 0, 0);
        if (c.rowSelect) {
            dst.SetOptions(dst.Options() + TGridOptions{goRowSelect});
            dst.DragDropSettings()->SetOleEntireRows(true);
        }
        auto data = sourceData(src);
        Drag d{dst.viewport(), data.get()};
        ASSERT_TRUE(d.drop(dst.center(2, 5)));
        const int c0 = c.expectCol;
        EXPECT_EQ(dst.Cells(c0, 5), QStringLiteral("a0"));
        EXPECT_EQ(dst.Cells(c0 + 2, 5), QStringLiteral("c0"));
        EXPECT_EQ(dst.Cells(c0 + 2, 6), QStringLiteral("c1"));
        EXPECT_EQ(dst.Cells(c0 + 3, 6), QString());
        if (!c.rowSelect)
            EXPECT_EQ(dst.Selection(), (TGridRect{2, 5, 4, 6}));
    }
}

TEST(GridDrop, OwnCellFormatCarriesProperties)
{
    Grid src(2, 2);
    src.SetCells(0, 0, QStringLiteral("p"));
    src.CellProperties(0, 0)->SetBrushColor(clRed);
    src.SetSelection({0, 0, 0, 0});
    Grid dst(4, 4);
    auto data = sourceData(src, true);
    Drag d{dst.viewport(), data.get()};
    ASSERT_TRUE(d.drop(dst.center(1, 2)));
    EXPECT_EQ(dst.Cells(1, 2), QStringLiteral("p"));
    EXPECT_EQ(dst.CellProperties(1, 2)->BrushColor(), clRed);
}

TEST(GridDrop, OwnCellFormatThatCannotBeReadDropsNothing)
{
    TGridPropIO huge;
    huge.ColCount = 65536;
    huge.RowCount = 65536;
    TGridPropIO corrupt;
    corrupt.ColCount = 2147483647;
    corrupt.RowCount = 1;
    TGridCellIO cell;
    cell.Cell = QStringLiteral("bad");
    const QByteArray one = platform::encodeRecord(cell.ToRecord());
    for (const QByteArray &block : {platform::encodeRecord(huge.ToRecord()) + one,
                                    platform::encodeRecord(corrupt.ToRecord()) + one, one.left(20)}) {
        Grid dst(4, 4);
        dst.SetCells(1, 2, QStringLiteral("keep"));
        int dropped = 0;
        dst.OnOleDropped = [&](QObject *, const TGridRect &) { ++dropped; };
        TSourceDataObject data(QStringLiteral("text"), &block, -1, QString());
        Drag d{dst.viewport(), &data};
        EXPECT_NO_THROW(d.drop(dst.center(1, 2)));
        EXPECT_EQ(dst.Cells(1, 2), QStringLiteral("keep"));
        EXPECT_EQ(dst.ColCount(), 4);
        EXPECT_EQ(dst.RowCount(), 4);
        EXPECT_EQ(dropped, 0);
    }
}

TEST(GridDrop, AppendBelowTheLastRow)
{
    Grid dst(3, 3);
    dst.SetOptions(dst.Options() + TGridOptions{goRowSelect});
    dst.DragDropSettings()->SetOleEntireRows(true);
    dst.DragDropSettings()->SetOleAppendRows(true);
    dst.DragDropSettings()->SetOleInsertRows(true);
    QMimeData data;
    data.setText(QStringLiteral("x\ty\r\nz\tw\r\n"));
    Drag d{dst.viewport(), &data};
    const TRect last = dst.CellRect(0, 2);
    ASSERT_TRUE(d.drop(QPoint(10, last.Bottom + 20)));
    EXPECT_EQ(dst.RowCount(), 5);
    EXPECT_EQ(dst.Cells(0, 3), QStringLiteral("x"));
    EXPECT_EQ(dst.Cells(1, 4), QStringLiteral("w"));
}

TEST(GridDrop, RefusedAndIgnoredDrops)
{
    {
        SCOPED_TRACE("OnOleDrop refuses");
        Grid dst(3, 3);
        dst.OnOleDrop = [](QObject *, int, int, const QString &, bool &Allow) { Allow = false; };
        QMimeData data;
        data.setText(QStringLiteral("x"));
        Drag d{dst.viewport(), &data};
        d.drop(dst.center(1, 1));
        EXPECT_EQ(dst.Cells(1, 1), QString());
    }
    {
        SCOPED_TRACE("outside the cells");
        Grid dst(2, 2);
        QMimeData data;
        data.setText(QStringLiteral("x"));
        Drag d{dst.viewport(), &data};
        EXPECT_FALSE(d.over(QPoint(700, 500)));
        // Even a drop delivered there changes nothing.
        QDropEvent drop(QPoint(700, 500), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dst.viewport(), &drop);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                EXPECT_EQ(dst.Cells(c, r), QString());
    }
    {
        SCOPED_TRACE("header row refused for text unless one row and FixedRowAlways");
        Grid dst(3, 3, 0, 1);
        QMimeData data;
        data.setText(QStringLiteral("x"));
        Drag d{dst.viewport(), &data};
        EXPECT_FALSE(d.over(dst.center(1, 0)));
        EXPECT_TRUE(d.over(dst.center(1, 1)));
    }
}

TEST(GridDrop, ColumnDragAcceptsHeaderCellsAndTheAreaRightOfTheColumns)
{
    Grid dst(3, 3, 1, 1);
    dst.DragDropSettings()->SetOleColumnReorder(true);
    dst.DragDropSettings()->SetOleDropTarget(false);
    dst.DragDropSettings()->SetOleDropTarget(true);
    TSourceDataObject data(QString(), nullptr, 1, QString());
    Drag d{dst.viewport(), &data};
    EXPECT_TRUE(d.over(dst.center(2, 0)));
    EXPECT_FALSE(d.over(dst.center(2, 1))) << "a data cell";
    EXPECT_FALSE(d.over(dst.center(0, 0))) << "a fixed column";
    EXPECT_TRUE(d.over(QPoint(dst.CellRect(2, 0).Right + 30, dst.center(2, 0).y())));
}

TEST(GridDrop, DroppedFileLoadsByItsSuffix)
{
    QTemporaryDir dir;
    struct Case {
        const char *name;
        QStringList files;
        bool loads;
    };
    const QString csv = dir.filePath(QStringLiteral("data.csv"));
    const QString upper = dir.filePath(QStringLiteral("DATA.Csv"));
    const QString bak = dir.filePath(QStringLiteral("a.csv.bak"));
    for (const QString &f : {csv, upper, bak})
        testsupport::writeFile(f, "k;v\r\n1;2\r\n");
    const std::vector<Case> cases = {
        {"data.csv", {csv}, true},
        {"any case", {upper}, true},
        {"a.csv.bak is no CSV", {bak}, false},
        {"two files do nothing", {csv, upper}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grid dst(1, 1);
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &f : c.files)
            urls << QUrl::fromLocalFile(f);
        data.setUrls(urls);
        Drag d{dst.viewport(), &data};
        d.drop(dst.center(0, 0));
        EXPECT_EQ(dst.Cells(1, 1) == QStringLiteral("2"), c.loads);
    }
}

TEST(GridDrop, DroppedWorkbookLoadsThroughTheOffice)
{
    struct Case {
        const char *name;
        bool loads;
    };
    for (const Case &c : std::vector<Case>{{"book.xls", true}, {"BOOK.XLSX", true}, {"book.xls.bak", false}}) {
        SCOPED_TRACE(c.name);
        const QString path = QStringLiteral("/tmp/") + QLatin1String(c.name);
        TFakeOffice office;
        office.Files[path] = TFakeBook{{fakeSheet(QStringLiteral("S"), QStringLiteral("$A$1"), {}, QStringLiteral("v"))}, 0};
        Grid dst(1, 1);
        dst.SetOfficeLink(&office);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        Drag d{dst.viewport(), &data};
        d.drop(dst.center(0, 0));
        EXPECT_EQ(office.Log.contains(QStringLiteral("WorkBooks.Open(") + path + QLatin1Char(')')), c.loads);
    }
}

TEST(GridDrop, DroppedWorkbookWithoutOfficeIsReportedToTheUser)
{
    TFakeOffice office;
    office.Creatable = false;
    Grid dst(1, 1);
    dst.SetOfficeLink(&office);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/book.xls"))});
    testsupport::ModalResponder responder;
    Drag d{dst.viewport(), &data};
    d.drop(dst.center(0, 0));
    EXPECT_EQ(responder.texts(), QStringList{QStringLiteral("Excel OLE server not found")});
}

TEST(GridDrop, AnnouncedColumnBecomesVisibleWhereItIsDropped)
{
    Grid dst(4, 3, 0, 1);
    dst.DragDropSettings()->SetOleColumnDragDrop(true);
    dst.DragDropSettings()->SetOleDropTarget(false);
    dst.DragDropSettings()->SetOleDropTarget(true);
    for (int c = 0; c < 4; ++c)
        dst.SetCells(c, 0, QStringLiteral("h%1").arg(c));
    dst.SetColumnOrder();
    dst.HideColumn(3);
    QListWidget list;
    list.addItem(QStringLiteral("h3"));
    dst.OleColumnDragStart(3, 0, &list);
    TSourceDataObject data(QString(), nullptr, 3, QString());
    Drag d{dst.viewport(), &data};
    ASSERT_TRUE(d.drop(dst.center(1, 0)));
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(dst.ColCount(), 4);
    EXPECT_EQ(dst.Cells(1, 0), QStringLiteral("h3"));
}

TEST(GridDrop, DraggingOverTheEdgesScrolls)
{
    Grid dst(3, 80, 0, 1);
    dst.SetTopRow(5);
    QMimeData data;
    data.setText(QStringLiteral("x"));
    Drag d{dst.viewport(), &data};
    d.over(dst.center(1, 0));
    EXPECT_EQ(dst.TopRow(), 4) << "the header row scrolls up one row per move";
    d.over(dst.center(1, 0));
    EXPECT_EQ(dst.TopRow(), 3);
    const int below = dst.TopRow() + dst.VisibleRowCount();
    const TRect r = dst.CellRect(1, below);
    ASSERT_LT(r.Top + 1, dst.viewport()->height()) << "the first row below the visible ones shows in part";
    d.over(QPoint(dst.center(1, 1).x(), r.Top + 1));
    EXPECT_EQ(dst.TopRow(), 4);
}

TEST(GridDrop, ArrowsMarkTheDropPlace)
{
    auto at = [](Grid &g, int c, int r, int dx, int dy) {
        const TRect R = g.CellRect(c, r);
        return g.viewport()->mapToGlobal(QPoint(R.Left + dx, (dy == INT_MAX ? R.Bottom : R.Top + dy)));
    };
    Grid dst(6, 10, 1, 1);
    TArrowWindow *left = dst.MoveArrow(arrLeft);
    TArrowWindow *down = dst.MoveArrow(arrDown);
    TArrowWindow *up = dst.MoveArrow(arrUp);
    QMimeData data;
    data.setText(QStringLiteral("x"));
    Drag d{dst.viewport(), &data};
    {
        SCOPED_TRACE("text over a cell: the left arrow at the cell's top");
        ASSERT_TRUE(d.over(dst.center(3, 4)));
        EXPECT_TRUE(left->isVisible());
        EXPECT_FALSE(down->isVisible());
        EXPECT_EQ(left->pos(), at(dst, 3, 4, -10, 0));
    }
    {
        SCOPED_TRACE("whole rows: left of the first normal column");
        dst.DragDropSettings()->SetOleEntireRows(true);
        ASSERT_TRUE(d.over(dst.center(3, 4)));
        EXPECT_EQ(left->pos(), at(dst, 1, 4, -10, 0));
    }
    {
        SCOPED_TRACE("a refused place hides it");
        EXPECT_FALSE(d.over(dst.center(3, 0)));
        EXPECT_FALSE(left->isVisible());
    }
    {
        SCOPED_TRACE("leaving hides it");
        ASSERT_TRUE(d.over(dst.center(3, 4)));
        QDragLeaveEvent leave;
        QApplication::sendEvent(dst.viewport(), &leave);
        EXPECT_FALSE(left->isVisible());
    }
    {
        SCOPED_TRACE("appending below the last row: at the last row's bottom");
        dst.DragDropSettings()->SetOleAppendRows(true);
        const TRect last = dst.CellRect(1, 9);
        ASSERT_TRUE(d.over(QPoint(dst.center(2, 9).x(), last.Bottom + 20)));
        EXPECT_EQ(left->pos(), dst.viewport()->mapToGlobal(QPoint(last.Left - 10, last.Top + dst.RowHeights(9))));
    }
    {
        SCOPED_TRACE("the drop hides it");
        ASSERT_TRUE(d.drop(dst.center(3, 4)));
        EXPECT_FALSE(left->isVisible());
    }
    {
        SCOPED_TRACE("a column: above and below the target column's left edge");
        dst.DragDropSettings()->SetOleColumnReorder(true);
        dst.DragDropSettings()->SetOleDropTarget(false);
        dst.DragDropSettings()->SetOleDropTarget(true);
        TSourceDataObject col(QString(), nullptr, 1, QString());
        Drag c{dst.viewport(), &col};
        ASSERT_TRUE(c.over(dst.center(3, 0)));
        EXPECT_TRUE(down->isVisible());
        EXPECT_TRUE(up->isVisible());
        EXPECT_FALSE(left->isVisible());
        EXPECT_EQ(down->pos(), at(dst, 3, 0, 0, -8));
        EXPECT_EQ(up->pos(), at(dst, 3, 0, 0, INT_MAX));
        EXPECT_FALSE(c.over(dst.center(3, 2))) << "a data cell";
        EXPECT_FALSE(down->isVisible());
        EXPECT_FALSE(up->isVisible());
    }
}

// ---- the drop target's acceptance rules --------------------------------------------------------

namespace {
struct Recorder : TNSGDropTarget {
    using TNSGDropTarget::TNSGDropTarget;
    QStringList calls;
    void DropText(QPoint, const QString &) override { calls << QStringLiteral("text"); }
    void DropFiles(QPoint, const QStringList &) override { calls << QStringLiteral("files"); }
    void DropStream(QPoint, QByteArray &s) override { calls << QStringLiteral("stream %1").arg(s.size()); }
};
} // namespace

TEST(DropTarget, Acceptance)
{
    QWidget w;
    w.resize(100, 100);
    w.show();
    {
        SCOPED_TRACE("files with text on a target that takes text only");
        Recorder t(&w);
        t.AcceptFiles = false;
        QMimeData data;
        data.setText(QStringLiteral("x"));
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))});
        data.setText(QStringLiteral("x"));
        Drag d{&w, &data};
        EXPECT_TRUE(d.drop(QPoint(5, 5)));
        EXPECT_EQ(t.calls, (QStringList{"text", "files"}));
    }
    {
        SCOPED_TRACE("grid cells alone, whatever the flags");
        Recorder t(&w);
        t.AcceptText = t.AcceptFiles = t.AcceptURLs = false;
        const QByteArray stream(10, 'z');
        TSourceDataObject data(QString(), &stream, -1, QString());
        EXPECT_EQ(data.data(GridMime::GridCells()).size(), 18);
        EXPECT_EQ(data.data(GridMime::GridCells()).left(8), QByteArray("\x0a\0\0\0\0\0\0\0", 8));
        Drag d{&w, &data};
        EXPECT_TRUE(d.drop(QPoint(5, 5)));
        EXPECT_EQ(t.calls, (QStringList{"stream 10"}));
    }
}

TEST(DropTarget, Effects)
{
    EXPECT_EQ(ChooseDropEffect(Qt::ControlModifier, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(ChooseDropEffect(Qt::NoModifier, Qt::CopyAction | Qt::MoveAction), Qt::MoveAction);
    EXPECT_EQ(ChooseDropEffect(Qt::NoModifier, Qt::CopyAction), Qt::CopyAction);
}

TEST(DropTarget, ColumnDragData)
{
    TSourceDataObject data(QString(), nullptr, 7, QString());
    EXPECT_TRUE(data.formats().contains(GridMime::Text()));
    EXPECT_TRUE(data.data(GridMime::Text()).isEmpty()) << "offered but empty: no text";
    EXPECT_EQ(data.data(GridMime::GridColumn()), QByteArray("\x07\0\0\0", 4));
    EXPECT_EQ(TEnumFormats(&data).Col(), 7);
    // A cell block shorter than its length field reads as no stream.
    QMimeData bad;
    bad.setData(GridMime::GridCells(), QByteArray("\x20\0\0\0\0\0\0\0abc", 11));
    QByteArray s;
    EXPECT_FALSE(TEnumFormats(&bad).Stream(s));
}

// ---- starting a drag ----------------------------------------------------------------------------

namespace {
struct RecordingSource : TGridDropSource {
    using TGridDropSource::TGridDropSource;
    int *runs;
    QString *text;
    QPixmap *picture;
    QPoint *hotSpot;
    Qt::DropAction Execute(QDrag &Drag, Qt::DropActions, Qt::DropAction) override
    {
        ++*runs;
        *text = Drag.mimeData()->text();
        *picture = Drag.pixmap();
        *hotSpot = Drag.hotSpot();
        GiveFeedback(Qt::MoveAction);
        return Qt::MoveAction;
    }
};
struct DragGrid : Grid {
    DragGrid() : Grid(4, 4) { SetOptions(Options() - TGridOptions{goEditing}); }
    int runs = 0;
    QString text;
    QPixmap picture;
    QPoint hotSpot;
    std::unique_ptr<TGridDropSource> CreateDropSource() override
    {
        auto s = std::make_unique<RecordingSource>(this);
        s->runs = &runs;
        s->text = &text;
        s->picture = &picture;
        s->hotSpot = &hotSpot;
        return s;
    }
};
} // namespace

TEST(GridDragStart, StartsAtFourPixelsNotThree)
{
    DragGrid g;
    g.DragDropSettings()->SetOleDropSource(true);
    g.SetCells(1, 1, QStringLiteral("m"));
    g.SetSelection({1, 1, 1, 1});
    const QPoint p = g.center(1, 1);
    QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseMove(g.viewport(), p + QPoint(3, 0));
    EXPECT_EQ(g.runs, 0);
    QTest::mouseMove(g.viewport(), p + QPoint(4, 0));
    EXPECT_EQ(g.runs, 1);
    EXPECT_EQ(g.text, QStringLiteral("m"));
    // A move drag clears what was dragged out.
    EXPECT_EQ(g.Cells(1, 1), QString());
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, p + QPoint(4, 0));
}

TEST(GridDragStart, ThePictureOfTheDraggedCellsFollowsThePointer)
{
    for (bool showCells : {true, false}) {
        SCOPED_TRACE(showCells);
        DragGrid g;
        g.DragDropSettings()->SetOleDropSource(true);
        g.DragDropSettings()->SetShowCells(showCells);
        g.DragDropSettings()->SetOleCopyAlways(true);
        g.SetCells(1, 1, QStringLiteral("m"));
        g.CellProperties(2, 1)->SetBrushColor(clRed);
        g.SetShowSelection(false); // the cells in their own colours
        g.SetSelection({1, 1, 2, 1});
        const QPoint p = g.center(1, 1);
        QTest::mousePress(g.viewport(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseMove(g.viewport(), p + QPoint(4, 0));
        QTest::mouseRelease(g.viewport(), Qt::LeftButton, Qt::NoModifier, p + QPoint(4, 0));
        ASSERT_EQ(g.runs, 1);
        if (!showCells) {
            EXPECT_TRUE(g.picture.isNull());
            continue;
        }
        // The two selected cells, as painted, seen through, top-left 4 pixels off the pointer.
        const TRect a = g.CellRect(1, 1), b = g.CellRect(2, 1);
        ASSERT_FALSE(g.picture.isNull());
        EXPECT_EQ(g.picture.size(), QSize(b.Right - a.Left + 1, a.Bottom - a.Top + 1));
        EXPECT_EQ(g.hotSpot, QPoint(-4, -4));
        const QImage img = g.picture.toImage().convertToFormat(QImage::Format_ARGB32);
        const QRgb red = img.pixel(b.ToQRect().center() - QPoint(a.Left, a.Top));
        EXPECT_GT(qRed(red), 200);
        EXPECT_LT(qGreen(red), 60);
        EXPECT_EQ(qAlpha(red), 192);
    }
}
