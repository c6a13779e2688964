// The grid's own files: binary stream (records, carriers and what a damaged stream does), text
// file and text stream, CSV (also against Python's csv module) and fixed width, and the save
// and row hooks they go through.
#include "grid/GridStreamCarriers.h"
#include "grid/NovaGrid.h"
#include "grid/base/HtmlPicture.h"
#include "grid_pictures.h"
#include "grid_readers.h"
#include "platform/TextFile.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A grid of plain data cells: no fixed rows or columns.
struct Plain : TNovaStringGrid {
    Plain(int cols, int rows)
    {
        SetFixedRows(0);
        SetFixedCols(0);
        SetColCount(cols);
        SetRowCount(rows);
    }
    void fill(const std::vector<QStringList> &rows)
    {
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < int(rows[size_t(r)].size()); ++c)
                SetCells(c, r, rows[size_t(r)][c]);
    }
    std::vector<QStringList> all()
    {
        std::vector<QStringList> out;
        for (int r = 0; r < RowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < ColCount(); ++c)
                row << Cells(c, r);
            out.push_back(row);
        }
        return out;
    }
};

QByteArray binOf(TNovaStringGrid &g, const TRect &R)
{
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    g.SaveRectToBinStream(R, buf);
    return data;
}

void loadBin(TNovaStringGrid &g, const QByteArray &data, TPoint at = {0, 0})
{
    QByteArray copy = data;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    g.LoadAtPointFromBinStream(at, buf);
}

struct Files : ::testing::Test {
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
};

// ---- binary stream -----------------------------------------------------------------------------------

TEST(GridBinStream, CellRecordHasItsGoldenBytes)
{
    TGridCellIO cell;
    cell.Col = 1;
    cell.Row = 0;
    cell.Cell = "a";
    const QByteArray expected = QByteArray("TPF0") + char(0x0B) + "TGridCellIO" + char(0) + char(3) + "Col" + char(2)
                                + char(1) + char(3) + "Row" + char(2) + char(0) + char(4) + "Cell" + char(6) + char(1)
                                + "a" + char(7) + "HasProp" + char(8) + char(0) + char(0);
    EXPECT_EQ(platform::encodeRecord(cell.ToRecord()).toHex(' '), expected.toHex(' '));
}

TEST(GridBinStream, WholeGridComesBackWithPropertiesAndGraphics)
{
    Plain src(4, 3);
    src.fill({{"a", "b", "", "é€"}, {"", "x\r\ny", "c", ""}, {"1", "2", "3", "4"}});
    src.SetColWidths(2, 99);
    src.SetRowHeights(1, 33);
    src.SetColors(0, 0, clRed);
    src.SetColorsTo(0, 0, clBlue);
    src.SetFontStyles(0, 0, TFontStyles{fsBold, fsUnderline});
    src.SetFontNames(0, 0, "Courier");
    src.SetAlignments(0, 0, taCenter);
    src.SetReadOnly(0, 0, true);
    src.GetCellProperties(0, 0)->SetEditor(edComboList);
    src.SetColors(2, 0, clGreen); // properties, no text
    src.AddCheckBox(1, 1, true, false);
    src.CreateRadio(2, 1, 0, 1)->append({"one", "two"});
    TCellGraphic *bmp = src.CreateCellGraphic(3, 1);
    QImage img(3, 2, QImage::Format_ARGB32);
    img.fill(Qt::red);
    bmp->SetBitmap(new QImage(img), false, haRight, vaCenter);
    bmp->SetCellCreated(true);
    TCellGraphic *val = src.CreateCellGraphic(0, 2);
    val->SetCellType(ctProgress);
    val->SetCellValue(42.5);
    val->SetCellText("done");

    Plain dst(7, 7);
    dst.SetCells(5, 5, "old");
    loadBin(dst, binOf(src, TRect{0, 0, 3, 2}));
    EXPECT_EQ(dst.ColCount(), 4);
    EXPECT_EQ(dst.RowCount(), 3);
    EXPECT_EQ(dst.all(), src.all());
    EXPECT_EQ(dst.ColWidths(2), 99);
    EXPECT_EQ(dst.RowHeights(1), 33);
    EXPECT_EQ(dst.Colors(0, 0), clRed);
    EXPECT_EQ(dst.ColorsTo(0, 0), clBlue);
    EXPECT_TRUE(dst.FontStyles(0, 0).Contains(fsBold));
    EXPECT_TRUE(dst.FontStyles(0, 0).Contains(fsUnderline));
    EXPECT_FALSE(dst.FontStyles(0, 0).Contains(fsItalic));
    EXPECT_EQ(dst.FontNames(0, 0), "Courier");
    EXPECT_EQ(dst.Alignments(0, 0), taCenter);
    EXPECT_TRUE(dst.ReadOnly(0, 0));
    EXPECT_EQ(dst.GetCellProperties(0, 0)->Editor(), edComboList);
    EXPECT_TRUE(dst.HasCellProperties(2, 0));
    EXPECT_EQ(dst.Colors(2, 0), clGreen);
    EXPECT_TRUE(dst.HasCheckBox(1, 1));
    EXPECT_TRUE(dst.IsChecked(1, 1));
    ASSERT_TRUE(dst.GetRadioStrings(2, 1));
    EXPECT_EQ(*dst.GetRadioStrings(2, 1), (QStringList{"one", "two"}));
    int idx = -1;
    EXPECT_TRUE(dst.GetRadioIdx(2, 1, idx));
    EXPECT_EQ(idx, 1);
    ASSERT_EQ(dst.GetCellType(3, 1), ctBitmap);
    const QImage *back = dst.GetCellGraphic(3, 1)->CellBitmap().As<QImage>();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->size(), QSize(3, 2));
    EXPECT_EQ(back->pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(dst.GetCellGraphic(3, 1)->CellHAlign(), haRight);
    ASSERT_EQ(dst.GetCellType(0, 2), ctProgress);
    EXPECT_EQ(dst.GetCellGraphic(0, 2)->CellValue(), 42.5);
    EXPECT_EQ(dst.GetCellGraphic(0, 2)->CellText(), "done");
}

TEST(GridBinStream, FullGridOfTwoByTwoResizesTheTarget)
{
    Plain src(2, 2);
    src.fill({{"a", "b"}, {"c", "d"}});
    src.SetColWidths(0, 40);
    src.SetColWidths(1, 50);
    src.SetRowHeights(1, 30);
    Plain dst(5, 5);
    loadBin(dst, binOf(src, TRect{0, 0, 1, 1}));
    EXPECT_EQ(dst.ColCount(), 2);
    EXPECT_EQ(dst.RowCount(), 2);
    EXPECT_EQ(dst.ColWidths(1), 50);
    EXPECT_EQ(dst.RowHeights(1), 30);
    EXPECT_EQ(dst.all(), src.all());
}

TEST(GridBinStream, PartOfAGridLandsAtThePointAndNeverGrowsTheGrid)
{
    Plain src(6, 6);
    src.fill({{}, {"", "", "p", "q"}, {"", "", "r", "s"}});
    const QByteArray part = binOf(src, TRect{2, 1, 3, 2});
    Plain dst(10, 10);
    loadBin(dst, part, TPoint{5, 3});
    EXPECT_EQ(dst.Cells(5, 3), "p");
    EXPECT_EQ(dst.Cells(6, 3), "q");
    EXPECT_EQ(dst.Cells(5, 4), "r");
    EXPECT_EQ(dst.Cells(6, 4), "s");
    EXPECT_EQ(dst.Cells(2, 1), "");
    // At the last cell only the first one fits.
    Plain edge(10, 10);
    loadBin(edge, part, TPoint{9, 9});
    EXPECT_EQ(edge.Cells(9, 9), "p");
    EXPECT_EQ(edge.ColCount(), 10);
    EXPECT_EQ(edge.RowCount(), 10);
}

TEST(GridBinStream, BitmapTheGridDidNotCreateIsWrittenWithoutGraphic)
{
    Plain src(2, 2);
    QImage img(2, 2, QImage::Format_RGB32);
    TCellGraphic *g = src.CreateCellGraphic(0, 0);
    g->SetBitmap(&img, false, haLeft, vaTop); // the caller's, CellCreated false
    src.SetCells(0, 0, "t");
    Plain dst(2, 2);
    loadBin(dst, binOf(src, TRect{0, 0, 1, 1}));
    EXPECT_EQ(dst.Cells(0, 0), "t");
    EXPECT_TRUE(dst.HasCellProperties(0, 0));
    EXPECT_EQ(dst.GetCellType(0, 0), ctEmpty);
    src.RemoveCellGraphic(0, 0);
}

TEST(GridBinStream, AreaBeyondSixteenBitsIsRefusedBeforeAnythingIsWritten)
{
    Plain g(3, 3);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    EXPECT_THROW(g.SaveRectToBinStream(TRect{0, 0, 70000, 1}, buf), ENovaGridError);
    EXPECT_THROW(g.SaveRectToBinStream(TRect{0, 0, 1, 65536}, buf), ENovaGridError);
    EXPECT_TRUE(data.isEmpty());
}

TEST(GridBinStream, DamagedOrCutStreamsAreRefusedBeforeTheGridChanges)
{
    Plain src(3, 2);
    src.fill({{"a", "b", "c"}, {"d", "e", "f"}});
    const QByteArray good = binOf(src, TRect{0, 0, 2, 1});
    TGridPropIO huge;
    huge.ColCount = 1000000;
    huge.RowCount = 2;
    huge.FullGrid = true;
    TGridPropIO badWidths;
    badWidths.ColCount = 2;
    badWidths.RowCount = 2;
    badWidths.FullGrid = true;
    badWidths.ColWidths = "10,x";
    const qsizetype firstCell = good.indexOf("TPF0", 4);
    const qsizetype lastCell = good.lastIndexOf("TPF0");
    // A picture whose bytes are no image.
    Plain pictured(1, 1);
    pictured.CreatePicture(0, 0, false, TStretchMode(0), 0, haLeft, vaTop)->SetData(pngOfSize(2, 2));
    QByteArray badPicture = binOf(pictured, TRect{0, 0, 0, 0});
    ASSERT_GT(badPicture.indexOf("PNG"), 0);
    badPicture.replace(badPicture.indexOf("PNG"), 3, "XYZ");
    struct Case {
        const char *what;
        QByteArray data;
    } refused[] = {
        {"no record", "garbage"},
        {"empty", QByteArray()},
        {"size it cannot hold", platform::encodeRecord(huge.ToRecord())},
        {"widths that are no numbers", platform::encodeRecord(badWidths.ToRecord())},
        {"grid record cut short", good.left(firstCell - 2)},
        {"cell record cut short", good.left(lastCell + 10)},
        {"cut between two cells", good.left(lastCell)},
        {"other bytes after the cells", good + "trailing"},
        {"more cells than the grid record counts", good + good.mid(lastCell)},
        {"a picture that is no image", badPicture},
    };
    for (const Case &c : refused) {
        SCOPED_TRACE(c.what);
        Plain dst(4, 4);
        dst.SetCells(1, 1, "keep");
        dst.SetColors(2, 2, clRed);
        EXPECT_THROW(loadBin(dst, c.data), ENovaGridError);
        EXPECT_EQ(dst.ColCount(), 4);
        EXPECT_EQ(dst.RowCount(), 4);
        EXPECT_EQ(dst.Cells(1, 1), "keep");
        EXPECT_EQ(dst.Colors(2, 2), clRed);
    }
    // One byte after the last record is allowed, and the stream stays on it.
    QByteArray tail = good + "x";
    QBuffer buf(&tail);
    buf.open(QIODevice::ReadOnly);
    Plain all(4, 4);
    all.LoadFromBinStream(buf);
    EXPECT_EQ(all.Cells(2, 1), "f");
    EXPECT_EQ(buf.pos(), good.size());
}

TEST_F(Files, BinaryFileCutShortIsRefusedAndTheGridKeepsItsCells)
{
    Plain src(6, 12);
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 6; ++c)
            src.SetCells(c, r, QStringLiteral("cell %1/%2").arg(c).arg(r));
    src.SaveToBinFile(path("grid.bin"));
    const QByteArray whole = testsupport::readAll(path("grid.bin"));
    ASSERT_GT(whole.size(), 2000);
    testsupport::writeFile(path("cut.bin"), whole.left(1000));
    Plain dst(3, 3);
    dst.fill({{"mine", "", "x"}, {"", "y"}});
    const auto before = dst.all();
    EXPECT_THROW(dst.LoadFromBinFile(path("cut.bin")), ENovaGridError);
    EXPECT_EQ(dst.all(), before);
    EXPECT_EQ(dst.ColCount(), 3);
    dst.LoadFromBinFile(path("grid.bin"));
    EXPECT_EQ(dst.all(), src.all());
}

TEST_F(Files, HiddenColumnIsLeftOutAndEveryShownCellIsSaved)
{
    Plain src(4, 3);
    src.fill({{"a", "hidden", "c", "last"}, {"d", "h2", "f", "g"}, {"x", "h3", "y", "z"}});
    src.SetColors(3, 1, clRed);        // the last shown column's properties
    src.AddCheckBox(2, 2, true, false); // and a graphic of a column that moves left
    src.SetColors(1, 0, clBlue);       // the hidden column's
    src.HideColumn(1);
    ASSERT_EQ(src.ColCount(), 3);
    src.SaveToBinFile(path("shown.bin"));
    const QByteArray file = testsupport::readAll(path("shown.bin"));
    EXPECT_FALSE(file.contains("hidden")) << "hidden columns are not written";
    // Cell records keep the shown column.
    qsizetype pos = 0;
    platform::StreamRecord rec;
    ASSERT_TRUE(platform::readRecord(file, pos, rec));
    std::vector<int> cols;
    while (platform::readRecord(file, pos, rec))
        if (rec.className == "TGridCellIO") {
            TGridCellIO cell;
            cell.FromRecord(rec);
            cols.push_back(cell.Col);
        }
    EXPECT_EQ(cols, (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1, 2}));

    Plain dst(1, 1);
    dst.LoadFromBinFile(path("shown.bin"));
    EXPECT_EQ(dst.all(), (std::vector<QStringList>{{"a", "c", "last"}, {"d", "f", "g"}, {"x", "y", "z"}}));
    EXPECT_EQ(dst.Colors(2, 1), clRed);
    EXPECT_TRUE(dst.HasCheckBox(1, 2));
    EXPECT_TRUE(dst.IsChecked(1, 2));
    EXPECT_NE(dst.Colors(1, 0), clBlue);

    // The grid's own clipboard format carries the same stream.
    src.Navigation()->SetAllowFmtClipboard(true);
    src.SetSelection({1, 0, 2, 1});
    src.CopySelectionToClipboard();
    Plain pasted(3, 3);
    pasted.Navigation()->SetAllowFmtClipboard(true);
    pasted.SetSelection({0, 0, 0, 0});
    pasted.PasteSelectionFromClipboard();
    EXPECT_EQ(pasted.all(), (std::vector<QStringList>{{"c", "last", ""}, {"f", "g", ""}, {"", "", ""}}));
    EXPECT_EQ(pasted.Colors(1, 1), clRed);
}

TEST(GridBinStream, ProgressStaysWithinZeroToHundred)
{
    Plain src(2, 40);
    for (int r = 0; r < 40; ++r)
        src.SetCells(0, r, QString::number(r));
    std::vector<int> seen;
    src.OnFileProgress = [&](QObject *, short p) { seen.push_back(p); };
    const QByteArray part = binOf(src, TRect{0, 20, 1, 39});
    Plain dst(2, 40);
    dst.OnFileProgress = src.OnFileProgress;
    loadBin(dst, part, TPoint{0, 30});
    ASSERT_FALSE(seen.empty());
    for (int p : seen) {
        EXPECT_GE(p, 0);
        EXPECT_LE(p, 100);
    }
}

// ---- text file and text stream ---------------------------------------------------------------------

TEST_F(Files, TextFileRoundTripsInBothEncodings)
{
    for (bool unicode : {false, true}) {
        SCOPED_TRACE(unicode);
        Plain src(3, 3);
        src.SetMultilinecells(true);
        src.fill({{"a", "", "Café"}, {"x\r\ny", "lf\nonly", "c"}, {"", "", "z"}});
        if (unicode)
            src.SetCells(1, 2, QString::fromUtf8("€ 中"));
        src.SetColWidths(1, 77);
        src.SaveToFile(path("g.txt"), unicode);
        const QByteArray raw = testsupport::readAll(path("g.txt"));
        EXPECT_EQ(raw.startsWith("\xFF\xFE"), unicode);
        // Every cell stays on its own line.
        EXPECT_EQ(platform::splitTextLines(platform::decodeText(raw)).size(), 1 + 3 + 6 + (unicode ? 1 : 0));
        Plain dst(1, 1);
        dst.SetMultilinecells(true);
        dst.LoadFromFile(path("g.txt"));
        EXPECT_EQ(dst.all(), src.all());
        EXPECT_EQ(dst.ColWidths(1), 77);
    }
}

TEST_F(Files, TextFileLineBreakForms)
{
    struct Case {
        const char *what;
        QString cell;
        bool multiline;
        QString back;
    } cases[] = {
        {"LF without CR", "a\nb", false, "a\nb"},
        {"CR LF, multi-line", "a\r\nb", true, "a\r\nb"},
        {"CR LF, one line kept", "a\r\nb", false, "a"},
        {"CR without LF", "a\rb", true, QString("a") + QChar(9) + "b"},
        {"NUL with a line break", QString("a") + QChar(0) + "\r\nb", true, QString("a") + QChar(0) + "\r\nb"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Plain src(1, 1);
        src.SetCells(0, 0, c.cell);
        src.SaveToFile(path("b.txt"));
        Plain dst(1, 1);
        dst.SetMultilinecells(c.multiline);
        dst.LoadFromFile(path("b.txt"));
        EXPECT_EQ(dst.Cells(0, 0), c.back);
    }
}

TEST_F(Files, TextFileClaimingNoOrImpossibleSizeIsRefusedBeforeAnythingChanges)
{
    struct Case {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"empty", ""},
        {"no rows", "3,0\r\n"},
        {"no number", "x,y\r\n"},
        {"too many columns", "70000,2\r\n"},
        {"number beyond int", "99999999999,2\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::writeFile(path("bad.txt"), c.bytes);
        Plain dst(4, 4);
        dst.SetCells(1, 1, "keep");
        try {
            dst.LoadFromFile(path("bad.txt"));
            ADD_FAILURE() << "no error";
        } catch (const ENovaGridError &e) {
            EXPECT_EQ(QString::fromStdString(e.what()), "File contains no data or corrupt file " + path("bad.txt"));
        }
        EXPECT_EQ(dst.ColCount(), 4);
        EXPECT_EQ(dst.Cells(1, 1), "keep");
    }
    // Cell lines outside the grid and lines that are no cell are skipped.
    testsupport::writeFile(path("out.txt"), "2,2\r\ncw 9,50\r\n1,1,in\r\n5,0,out\r\nnonsense\r\n0,9,out\r\n");
    Plain dst(1, 1);
    dst.LoadFromFile(path("out.txt"));
    EXPECT_EQ(dst.all(), (std::vector<QStringList>{{"", ""}, {"", "in"}}));
}

TEST(GridTextStream, RoundTripsAndStopsBeforeOtherData)
{
    Plain src(3, 2);
    src.fill({{"a", "b,c", ""}, {"x\r\ny", "", "é€"}});
    src.SetMultilinecells(true);
    src.SetColWidths(2, 61);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::ReadWrite);
    src.SaveToStream(buf);
    const qint64 gridBytes = data.size();
    // UTF-16LE, lines ended CR LF, no mark.
    EXPECT_TRUE(data.startsWith(QByteArray("3\0,\0" "2\0\r\0\n\0", 10)));
    const QByteArray other = QByteArray("o\0t\0h\0e\0r\0\r\0\n\0", 14);
    buf.write(other);
    buf.seek(0);
    Plain dst(1, 1);
    dst.SetMultilinecells(true);
    dst.LoadFromStream(buf);
    EXPECT_EQ(dst.all(), src.all());
    EXPECT_EQ(dst.ColWidths(2), 61);
    EXPECT_EQ(buf.pos(), gridBytes);
}

TEST(GridTextStream, AssignCopiesTheCells)
{
    Plain src(3, 2);
    src.fill({{"a", "b", "c"}, {"d", "", "f"}});
    Plain dst(1, 1);
    dst.Assign(&src);
    EXPECT_EQ(dst.all(), src.all());
}

// ---- CSV ---------------------------------------------------------------------------------------------

TEST_F(Files, CsvRowsHaveTheirGoldenBytes)
{
    Plain g(3, 2);
    g.fill({{"a", "b,c", ""}, {"say \"hi\"", "x\r\ny", "1"}});
    g.SaveToCSV(path("g.csv"));
    EXPECT_EQ(testsupport::readAll(path("g.csv")), QByteArray("a,\"b,c\",\"\"\r\n\"say \"\"hi\"\"\",\"x\x0By\",1\r\n"));
}

// Fields the writer copies as the grid stores them and fields that need its rules, side by side:
// the file is the same whether copying applies (the grid itself, no hook) or every field takes
// the rules (a save hook that changes nothing, or a derived grid).
TEST_F(Files, CsvCopiedFieldsMatchTheRulesByteForByte)
{
    const std::vector<QStringList> rows = {
        {"plain", "b,c", "", " lead", "say \"hi\""},
        {"x\r\ny", "<b>bold</b>", "{\\rtf1 x}", QString::fromUtf8("Caf\u00e9"), "tab\there"},
        {"1.5", "a;b", "|\\wide", "=1+2", "<not a tag"},
        {"", "", "", "", ""},
        {"last", "q\"\"q", "~", "^", "end "},
        // Rows copied whole: short clean fields; fields of 8, 16 and more bytes; lengths whose
        // byte is a comma, a quote or "<"; a length of two bytes; a leading blank or brace.
        {"clean", "row", "of", "short", "texts"},
        {"exactly8", "sixteen bytes xx", "seventeen bytes x", "y", "z"},
        {QString(44, 'c'), QString(34, 'q'), QString(60, 't'), "a", QString(9, 'e')},
        {QString(200, 'w'), "b", "c", "d", "e"},
        {" lead", "b", "c", "d", "e"},
        {"{x", "b", "c", "d", "e"},
        {"a", "b", "c", "d", "with \"quote"},
        {"a", "b", "c", "d", "with,comma"},
        {"a", "b", "c", "d", "x"},
    };
    struct Setting {
        const char *what;
        std::function<void(TNovaStringGrid &)> set;
        bool unicode;
    };
    const Setting settings[] = {
        {"defaults", [](TNovaStringGrid &) {}, false},
        {"UTF-8", [](TNovaStringGrid &) {}, true},
        {"OEM", [](TNovaStringGrid &g) { g.SetOemConvert(true); }, false},
        {"semicolon", [](TNovaStringGrid &g) { g.SetDelimiter(QLatin1Char(';')); }, false},
        {"tab", [](TNovaStringGrid &g) { g.SetDelimiter(QLatin1Char('\t')); }, false},
        {"Java", [](TNovaStringGrid &g) { g.SetJavaCSV(true); }, false},
        {"empty cells unquoted", [](TNovaStringGrid &g) { g.SetQuoteEmptyCells(false); }, false},
        {"always quotes", [](TNovaStringGrid &g) { g.SetAlwaysQuotes(true); }, false},
        {"markup stripped", [](TNovaStringGrid &g) { g.SetSaveWithHTML(false); }, false},
        {"stored texts", [](TNovaStringGrid &g) { g.SetSaveVirtCells(false); }, false},
        {"hidden column saved", [](TNovaStringGrid &g) { g.HideColumn(1); g.SetSaveHiddenCells(true); }, false},
        {"hidden column left out", [](TNovaStringGrid &g) { g.HideColumn(2); }, false},
        {"merged cells", [](TNovaStringGrid &g) { g.MergeCells(0, 0, 2, 1); }, false},
        {"check box", [](TNovaStringGrid &g) { g.AddCheckBox(2, 3, true, false); }, false},
        {"display hook", [](TNovaStringGrid &g) {
             g.OnGetDisplText = [](QObject *, int c, int r, QString &v) { if (c == 0 && r == 0) v = QStringLiteral("shown"); };
         }, false},
    };
    auto save = [&](TNovaStringGrid &g, const Setting &s) {
        g.SetFixedRows(0);
        g.SetFixedCols(0);
        g.SetColCount(5);
        g.SetRowCount(int(rows.size()));
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < 5; ++c)
                g.SetCells(c, r, rows[size_t(r)][c]);
        s.set(g);
        g.SaveToCSV(path("d.csv"), s.unicode);
        return testsupport::readAll(path("d.csv"));
    };
    for (const Setting &s : settings) {
        SCOPED_TRACE(s.what);
        TNovaStringGrid own, hooked;
        Plain derived(1, 1);
        hooked.OnSaveCell = [](QObject *, int, int, QString &) {};
        const QByteArray bytes = save(own, s);
        EXPECT_EQ(bytes, save(hooked, s));
        EXPECT_EQ(bytes, save(derived, s));
    }
    TNovaStringGrid g;
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.SetColCount(3);
    g.SetRowCount(2);
    const std::vector<QStringList> golden = {{"a", "b,c", ""}, {"say \"hi\"", "x\r\ny", "1"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCells(c, r, golden[size_t(r)][c]);
    g.SaveToCSV(path("g.csv"));
    EXPECT_EQ(testsupport::readAll(path("g.csv")), QByteArray("a,\"b,c\",\"\"\r\n\"say \"\"hi\"\"\",\"x\x0By\",1\r\n"));
}

TEST_F(Files, CsvRoundTripsInAnsiAndUtf8)
{
    for (bool unicode : {false, true}) {
        SCOPED_TRACE(unicode);
        Plain src(4, 3);
        src.fill({{"a", "b,c", "", "Café"},
                  {"say \"hi\"", "x\r\ny", " lead", "q\"\"q"},
                  {"1", "2;3", "\"", unicode ? QString::fromUtf8("€ 中") : QString::fromUtf8("€")}});
        src.SaveToCSV(path("r.csv"), unicode);
        EXPECT_EQ(testsupport::readAll(path("r.csv")).startsWith("\xEF\xBB\xBF"), unicode);
        Plain dst(1, 1);
        dst.LoadFromCSV(path("r.csv"));
        EXPECT_EQ(dst.all(), src.all());
    }
}

TEST_F(Files, CsvEdgeCases)
{
    struct Case {
        const char *what;
        std::vector<QStringList> cells;
        std::function<void(TNovaStringGrid &)> setup;
        QByteArray bytes;                 // expected file, when given
        std::vector<QStringList> back;    // expected after reading it back
    };
    const auto none = [](TNovaStringGrid &) {};
    Case cases[] = {
        {"quotes without delimiter", {{"a\"b", "c"}}, none, "\"a\"\"b\",c\r\n", {{"a\"b", "c"}}},
        {"delimiter quoted", {{"a,b", "c"}}, none, "\"a,b\",c\r\n", {{"a,b", "c"}}},
        {"line break as character 11", {{"l1\r\nl2", "c"}}, none, "\"l1\x0Bl2\",c\r\n", {{"l1\r\nl2", "c"}}},
        {"JavaCSV empty and two lines", {{"", "l1\r\nl2"}}, [](TNovaStringGrid &g) { g.SetJavaCSV(true); },
         "^,l1~l2\r\n", {{"", "l1\r\nl2"}}},
        {"JavaCSV delimiter unquoted", {{"a,b", "c"}}, [](TNovaStringGrid &g) { g.SetJavaCSV(true); }, "a,b,c\r\n",
         {{"a", "b", "c"}}},
        {"AlwaysQuotes two lines read as one field", {{"l1\r\nl2", "c"}},
         [](TNovaStringGrid &g) { g.SetAlwaysQuotes(true); }, "\"l1\nl2\",\"c\"\r\n", {{"l1\r\nl2", "c"}}},
        {"quote and no delimiter, two lines", {{"q\"\r\nl2", "c"}}, none, "\"q\"\"\nl2\",c\r\n", {{"q\"\r\nl2", "c"}}},
        {"leading blank quoted", {{" a", "  "}}, none, "\" a\",\"  \"\r\n", {{" a", "  "}}},
        {"JavaCSV leading blank quoted", {{" lead", "  ", "x"}}, [](TNovaStringGrid &g) { g.SetJavaCSV(true); },
         "\" lead\",\"  \",x\r\n", {{" lead", "  ", "x"}}},
        {"JavaCSV leading blank with quotes", {{" say \"hi\"", "x"}}, [](TNovaStringGrid &g) { g.SetJavaCSV(true); },
         "\" say \"\"hi\"\"\",x\r\n", {{" say \"hi\"", "x"}}},
        {"tab delimiter leading blank quoted", {{" a", "b"}}, [](TNovaStringGrid &g) { g.SetDelimiter(QLatin1Char('\t')); },
         "\" a\"\tb\r\n", {{" a", "b"}}},
        {"empty cells unquoted", {{"", "b"}}, [](TNovaStringGrid &g) { g.SetQuoteEmptyCells(false); }, ",b\r\n",
         {{"", "b"}}},
        {"semicolon delimiter", {{"a", "b;c"}}, [](TNovaStringGrid &g) { g.SetDelimiter(QLatin1Char(';')); },
         "a;\"b;c\"\r\n", {{"a", "b;c"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Plain src(int(c.cells[0].size()), int(c.cells.size()));
        src.fill(c.cells);
        c.setup(src);
        src.SaveToCSV(path("e.csv"));
        EXPECT_EQ(testsupport::readAll(path("e.csv")), c.bytes);
        Plain dst(1, 1);
        c.setup(dst);
        dst.LoadFromCSV(path("e.csv"));
        EXPECT_EQ(dst.all(), c.back);
    }
}

TEST_F(Files, CsvReadingEdgeCases)
{
    struct Case {
        const char *what;
        QByteArray bytes;
        std::vector<QStringList> cells;
    } cases[] = {
        {"semicolons only: pass 3", "a;b;c\r\n", {{"a", "b", "c"}}},
        {"commas and semicolons: comma first", "a,b;c,d;e\r\nf,g;h,i;j\r\n", {{"a", "b;c", "d;e"}, {"f", "g;h", "i;j"}}},
        {"no candidate: one field per line", "abc\r\ndef\r\n", {{"abc"}, {"def"}}},
        {"line ending with the delimiter", "a,b,\r\nc,d,\r\n", {{"a", "b"}, {"c", "d"}}},
        {"leading blanks dropped", "a,  b\r\n", {{"a", "b"}}},
        {"unclosed quote keeps its text", "a,\"open text", {{"a", "open text"}}},
        {"unclosed quote in the middle", "\"open,b\r\n", {{"open,b"}}},
        {"quoted field over lines", "\"x\r\ny\",z\r\nu,v\r\n", {{"x\r\ny", "z"}, {"u", "v"}}},
        {"LF and CR line ends", "a,b\nc,d\re,f", {{"a", "b"}, {"c", "d"}, {"e", "f"}}},
        {"UTF-8 mark", "\xEF\xBB\xBF\xE2\x82\xAC,b\r\n", {{QString::fromUtf8("€"), "b"}}},
        {"ANSI bytes", "\x80,\xE9\r\n", {{QString::fromUtf8("€"), QString::fromUtf8("é")}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::writeFile(path("in.csv"), c.bytes);
        Plain dst(1, 1);
        dst.LoadFromCSV(path("in.csv"));
        EXPECT_EQ(dst.all(), c.cells);
        EXPECT_TRUE(dst.Delimiter().isNull());
    }
}

TEST_F(Files, CsvFirstRowInsertLimitsAndEmptyFiles)
{
    testsupport::writeFile(path("h.csv"), "h1,h2\r\na,b\r\nc,d\r\n");
    TNovaStringGrid g; // one fixed row and column
    g.LoadFromCSV(path("h.csv"));
    EXPECT_EQ(g.Cells(0, 0), "h1");
    EXPECT_EQ(g.Cells(1, 2), "d");
    EXPECT_EQ(g.RowCount(), 3);

    g.SetLoadFirstRow(false);
    g.LoadFromCSV(path("h.csv"), 1);
    EXPECT_EQ(g.Cells(0, 0), "a");
    EXPECT_EQ(g.RowCount(), 1);

    Plain ins(2, 2);
    ins.fill({{"1", "2"}, {"3", "4"}});
    ins.SetRow(0);
    ins.InsertFromCSV(path("h.csv"));
    EXPECT_EQ(ins.all(), (std::vector<QStringList>{{"1", "2"}, {"3", "4"}, {"h1", "h2"}, {"a", "b"}, {"c", "d"}}));

    testsupport::writeFile(path("zero.csv"), "");
    Plain z(2, 2);
    z.SetCells(0, 0, "keep");
    z.LoadFromCSV(path("zero.csv"));
    EXPECT_EQ(z.Cells(0, 0), "keep");
    testsupport::writeFile(path("bom.csv"), "\xEF\xBB\xBF");
    EXPECT_THROW(z.LoadFromCSV(path("bom.csv")), std::runtime_error);
    EXPECT_THROW(z.LoadFromCSV(path("missing.csv")), std::runtime_error);
    EXPECT_THROW(z.AppendToCSV(path("missing.csv")), std::runtime_error);

    // Append keeps what the file held.
    Plain more(2, 1);
    more.fill({{"e", "f"}});
    more.AppendToCSV(path("h.csv"));
    EXPECT_EQ(testsupport::readAll(path("h.csv")), QByteArray("h1,h2\r\na,b\r\nc,d\r\ne,f\r\n"));
}

TEST_F(Files, CsvWiderThanAGridIsRefusedBeforeAnythingChanges)
{
    auto line = [](int fields) {
        QByteArray l;
        l.reserve(fields * 2);
        for (int f = 0; f < fields; ++f)
            l += f ? ",x" : "x";
        return l;
    };
    for (int fields : {65537, 1000000}) {
        SCOPED_TRACE(fields);
        testsupport::writeFile(path("wide.csv"), "a,b\r\n" + line(fields) + "\r\n");
        Plain g(3, 2);
        g.fill({{"keep", "", "this"}, {"", "too"}});
        for (bool insert : {false, true}) {
            try {
                insert ? g.InsertFromCSV(path("wide.csv")) : g.LoadFromCSV(path("wide.csv"));
                ADD_FAILURE() << "a line of " << fields << " fields was read";
            } catch (const ENovaGridError &e) {
                EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("65536"))) << e.what();
            }
            EXPECT_EQ(g.ColCount(), 3);
            EXPECT_EQ(g.RowCount(), 2);
            EXPECT_EQ(g.all(), (std::vector<QStringList>{{"keep", "", "this"}, {"", "too", ""}}));
        }
    }
    // As wide as a grid can be: every field is there.
    testsupport::writeFile(path("widest.csv"), "a,b\r\n" + line(65535) + ",\"last, one\"\r\n");
    Plain g(1, 1);
    g.LoadFromCSV(path("widest.csv"));
    EXPECT_EQ(g.ColCount(), 65536);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Cells(1, 0), "b");
    EXPECT_EQ(g.Cells(65534, 1), "x");
    EXPECT_EQ(g.Cells(65535, 1), "last, one");
}

TEST_F(Files, CsvProgressStaysWithinZeroToHundred)
{
    QByteArray csv;
    for (int i = 0; i < 50; ++i)
        csv += "a,b\r\n";
    testsupport::writeFile(path("p.csv"), csv);
    TNovaStringGrid g;
    std::vector<int> seen;
    g.OnFileProgress = [&](QObject *, short p) { seen.push_back(p); };
    g.LoadFromCSV(path("p.csv"));
    g.SaveToCSV(path("p2.csv"));
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), 100);
    for (int p : seen)
        EXPECT_TRUE(p >= 0 && p <= 100);
}

TEST_F(Files, OemConvertUsesTheOemCodePage)
{
    Plain g(2, 1);
    g.SetOemConvert(true);
    g.fill({{QString::fromUtf8("é"), "Ä"}});
    g.SaveToCSV(path("o.csv"));
    EXPECT_EQ(testsupport::readAll(path("o.csv")), QByteArray("\x82,\x8E\r\n"));
    Plain back(1, 1);
    back.SetOemConvert(true);
    back.LoadFromCSV(path("o.csv"));
    EXPECT_EQ(back.all(), g.all());
}

// Python's csv module is a reader and writer of its own.
using gridreaders::python;
using gridreaders::runPython;

TEST_F(Files, PythonCsvReadsOurExport)
{
    if (python().isEmpty())
        GTEST_SKIP() << "python3 not present";
    Plain g(3, 3);
    g.fill({{"a", "b,c", ""}, {"say \"hi\"", "semi;colon", "1"}, {"Café", " lead", "q\"q,"}});
    g.SaveToCSV(path("ours.csv"), true);
    const QString out = runPython("import csv,sys,json\n"
                                  "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                                  "    print(json.dumps(list(csv.reader(f))))\n",
                                  {path("ours.csv")});
    EXPECT_EQ(out.trimmed(), QString::fromUtf8(R"([["a", "b,c", ""], ["say \"hi\"", "semi;colon", "1"], )"
                                               R"(["Caf\u00e9", " lead", "q\"q,"]])"));
}

TEST_F(Files, PythonCsvWriterFileLoadsCellForCell)
{
    if (python().isEmpty())
        GTEST_SKIP() << "python3 not present";
    runPython("import csv,sys\n"
              "rows=[['plain','with,comma','with \"quotes\"'],['two\\r\\nlines','','end\"'],"
              "['a;b','tab\\there','\\u20ac uni \\u4e2d'],['\"\"','x','y']]\n"
              "with open(sys.argv[1],'w',newline='',encoding='utf-8-sig') as f:\n"
              "    csv.writer(f).writerows(rows)\n",
              {path("py.csv")});
    Plain g(1, 1);
    g.LoadFromCSV(path("py.csv"));
    EXPECT_EQ(g.all(), (std::vector<QStringList>{{"plain", "with,comma", "with \"quotes\""},
                                                 {"two\r\nlines", "", "end\""},
                                                 {"a;b", "tab\there", QString::fromUtf8("€ uni 中")},
                                                 {"\"\"", "x", "y"}}));
}

// ---- fixed width -------------------------------------------------------------------------------------

TEST_F(Files, FixedWidthRoundTripAndComputedWidths)
{
    Plain g(3, 2);
    g.fill({{"abc", "d", "efgh"}, {"i", "jk", ""}});
    TIntList widths;
    g.SaveToFixed(path("f.txt"), widths);
    EXPECT_EQ(widths.Values(), (std::vector<std::int32_t>{4, 3, 5}));
    EXPECT_EQ(testsupport::readAll(path("f.txt")), QByteArray("abc d  efgh \r\ni   jk      \r\n"));
    // Given widths cut and pad.
    TIntList two;
    two.Add(2);
    two.Add(1);
    g.SaveToFixed(path("cut.txt"), two);
    EXPECT_EQ(two.Count(), 3);
    EXPECT_EQ(testsupport::readAll(path("cut.txt")).left(9), QByteArray("abdefgh \r"));

    TIntList starts;
    for (int p : {1, 5, 8, 13})
        starts.Add(p);
    Plain back(1, 1);
    back.LoadFromFixed(path("f.txt"), starts, true);
    EXPECT_EQ(back.all(), g.all());

    // The widths list read as start positions: sorted, the fields between them.
    Plain odd(1, 1);
    odd.LoadFromFixed(path("f.txt"), widths, false);
    EXPECT_EQ(widths.Values(), (std::vector<std::int32_t>{3, 4, 5}));
    EXPECT_EQ(odd.all(), (std::vector<QStringList>{{"c", " "}, {" ", " "}}));
}

TEST_F(Files, FixedWidthPositionsAreCheckedAndClamped)
{
    testsupport::writeFile(path("f.txt"), "abcdef\r\nghij\r\n");
    Plain g(2, 2);
    g.SetCells(0, 0, "keep");
    TIntList one;
    one.Add(1);
    EXPECT_THROW(g.LoadFromFixed(path("f.txt"), one, true), ENovaGridError);
    EXPECT_EQ(g.Cells(0, 0), "keep");
    TIntList wild;
    for (int p : {-5, 3, 100})
        wild.Add(p);
    g.LoadFromFixed(path("f.txt"), wild, false, 1);
    EXPECT_EQ(g.Cells(0, 0), "ab");
    EXPECT_EQ(g.Cells(1, 0), "cdef");
    EXPECT_EQ(g.Cells(0, 1), "");
    EXPECT_THROW(g.LoadFromFixed(path("none.txt"), wild, false), ENovaGridError);
}

// ---- save and row hooks ------------------------------------------------------------------------------

TEST(GridSaveHooks, ExportTextOfCheckBoxesHtmlAndRichText)
{
    Plain g(4, 1);
    g.AddCheckBox(0, 0, false, false);
    g.AddCheckBox(1, 0, true, false);
    g.SetCells(1, 0, "own");
    g.SetCells(2, 0, "<B>bold</B> text");
    g.SetCells(3, 0, "{\\rtf1 a\r\nb}");
    EXPECT_EQ(g.GetSaveCellText(0, 0), "N");
    EXPECT_EQ(g.GetSaveCellText(1, 0), "own");
    EXPECT_EQ(g.GetSaveCellText(2, 0), "<B>bold</B> text");
    g.SetSaveWithHTML(false);
    EXPECT_EQ(g.GetSaveCellText(2, 0), "bold text");
    g.SetSaveWithRTF(true);
    EXPECT_EQ(g.GetSaveCellText(3, 0), "{\\rtf1 ab}");
    g.OnSaveCell = [](QObject *, int c, int, QString &v) { if (c == 0) v = "changed"; };
    EXPECT_EQ(g.GetSaveCellText(0, 0), "changed");
    g.OnLoadCell = [](QObject *, int, int, QString &v) { v = v.toUpper(); };
    g.LoadCellText(0, 0, "low");
    EXPECT_EQ(g.Cells(0, 0), "LOW");
}

TEST(GridSaveHooks, DeletingTheOnlyDataRow)
{
    for (bool always : {false, true}) {
        SCOPED_TRACE(always);
        TNovaStringGrid g;
        g.SetRowCount(2); // a fixed row and one data row
        g.SetCells(1, 1, "x");
        g.SetFixedRowAlways(always);
        int deleted = -1;
        g.OnAutoDeleteRow = [&](QObject *, int r) { deleted = r; };
        g.AutoDeleteRow(1);
        EXPECT_EQ(deleted, 1);
        if (always) {
            EXPECT_EQ(g.RowCount(), 1);
        } else {
            EXPECT_EQ(g.RowCount(), 2);
            EXPECT_EQ(g.Cells(1, 1), "");
        }
    }
}

} // namespace
