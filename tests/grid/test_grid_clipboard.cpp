// Copy, cut and paste through the system clipboard (the offscreen one): the text form, the own
// cell format between grids, smart paste series, growth and its bounds, rich text as bytes.
#include "grid/FloatingFooter.h"
#include "grid/GridStreamCarriers.h"
#include "grid/NovaGrid.h"
#include "grid/base/GridDragDrop.h"
#include "grid/base/NumberDate.h"
#include "grid_readers.h"
#include "support/LocaleSettings.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

struct Grid : TNovaStringGrid {
    Grid(int cols, int rows)
    {
        SetFixedCols(0);
        SetFixedRows(0);
        SetColCount(cols);
        SetRowCount(rows);
        SetOptions(Options() + TGridOptions{goEditing});
    }
    void fill(const std::vector<QStringList> &rows)
    {
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < int(rows[size_t(r)].size()); ++c)
                SetCells(c, r, rows[size_t(r)][c]);
    }
    void select(int l, int t, int r, int b) { SetSelection({l, t, r, b}); }
    std::vector<TPoint> origins;
    void CellsPasted(TPoint Origin, const TGridRect &R, TClipOperation Op) override
    {
        origins.push_back(Origin);
        TNovaStringGrid::CellsPasted(Origin, R, Op);
    }
    using TNovaStringGrid::FClipTopLeft;
};

QString clipText() { return QGuiApplication::clipboard()->text(); }
void setClipText(const QString &t) { QGuiApplication::clipboard()->setText(t); }

} // namespace

TEST(GridClipboard, TextForm)
{
    Grid g(3, 3);
    g.fill({{"a", "b", "x"}, {"c", "d", "y"}});
    g.select(0, 0, 1, 1);
    g.CopySelectionToClipboard();
    EXPECT_EQ(clipText(), QStringLiteral("a\tb\r\nc\td\r\n"));
    g.select(1, 1, 1, 1);
    g.CopySelectionToClipboard();
    EXPECT_EQ(clipText(), QStringLiteral("d"));
}

TEST(GridClipboard, MultiLineCellWithQuotesSurvivesCopyAndPaste)
{
    Grid g(2, 1);
    const QString cell = QStringLiteral("say \"hi\"\r\nnext");
    g.fill({{cell, "b"}});
    g.select(0, 0, 1, 0);
    g.CopySelectionToClipboard();
    EXPECT_EQ(clipText(), QStringLiteral("\"say \"\"hi\"\"\nnext\"\tb"));
    Grid t(2, 1);
    t.select(0, 0, 0, 0);
    t.PasteSelectionFromClipboard();
    EXPECT_EQ(t.Cells(0, 0), cell);
    EXPECT_EQ(t.Cells(1, 0), QStringLiteral("b"));
}

namespace {

// Cells that spreadsheets quote in TAB-separated text, each with the field it becomes.
struct QuotedCell {
    const char *text;
    const char *field;
};
const QuotedCell kQuotedCells[] = {
    {"plain", "plain"},
    {"tab\tinside", "\"tab\tinside\""},
    {"\tleading tab", "\"\tleading tab\""},
    {"two\r\nlines", "\"two\nlines\""},
    {"\r\nleading break", "\"\nleading break\""},
    {"lone\ncr\rbreaks", "\"lone\ncr\nbreaks\""},
    {"\"", "\"\"\"\""},
    {"\"starts quoted", "\"\"\"starts quoted\""},
    {"say \"hi\"", "\"say \"\"hi\"\"\""},
    {"\"whole\"", "\"\"\"whole\"\"\""},
    {"", ""},
    {" blanks ", " blanks "},
};

} // namespace

TEST(GridClipboard, AwkwardCellsAreQuotedAsSpreadsheetsDoAndPasteBackUnchanged)
{
    const int n = int(std::size(kQuotedCells));
    Grid g(2, n);
    QString expected;
    for (int r = 0; r < n; ++r) {
        g.SetCells(0, r, QString::fromUtf8(kQuotedCells[r].text));
        g.SetCells(1, r, QStringLiteral("next"));
        expected += QString::fromUtf8(kQuotedCells[r].field) + QStringLiteral("\tnext\r\n");
    }
    g.select(0, 0, 1, n - 1);
    g.CopySelectionToClipboard();
    EXPECT_EQ(clipText(), expected);
    expected.chop(2);
    EXPECT_EQ(g.SelectedText(), expected) << "the drag text follows the same rule";
    EXPECT_EQ(g.GetSelectionAsText(), clipText());

    // Pasted into another grid, and set as the selection's text: the same cells.
    for (int way = 0; way < 2; ++way) {
        Grid t(2, n);
        t.select(0, 0, 0, 0);
        if (way == 0)
            t.PasteSelectionFromClipboard();
        else
            t.SetSelectionAsText(clipText());
        for (int r = 0; r < n; ++r) {
            QString want = QString::fromUtf8(kQuotedCells[r].text);
            if (want.contains(QLatin1Char('\n')) || want.contains(QLatin1Char('\r')))
                want = want.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                           .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                           .replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
            EXPECT_EQ(t.Cells(0, r), want) << way << " row " << r;
            EXPECT_EQ(t.Cells(1, r), QStringLiteral("next")) << way << " row " << r;
        }
    }

    // One plain cell is its text alone; one awkward cell is still one quoted field.
    g.select(0, 0, 0, 0);
    g.CopySelectionToClipboard();
    EXPECT_EQ(clipText(), QStringLiteral("plain"));
    g.select(0, 6, 0, 6);
    g.CopySelectionToClipboard();
    EXPECT_EQ(clipText(), QStringLiteral("\"\"\"\""));
}

TEST(GridClipboard, PythonCsvReadsTheCopiedTextAsTheSameCells)
{
    if (gridreaders::python().isEmpty())
        GTEST_SKIP() << "python3 not present";
    const int n = int(std::size(kQuotedCells));
    Grid g(3, n);
    QString json = QStringLiteral("[");
    for (int r = 0; r < n; ++r) {
        QString t = QString::fromUtf8(kQuotedCells[r].text);
        g.SetCells(0, r, QStringLiteral("a"));
        g.SetCells(1, r, t);
        g.SetCells(2, r, QString::fromUtf8("日本"));
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
        t.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
        t.replace(QLatin1Char('\n'), QStringLiteral("\\n")).replace(QLatin1Char('\t'), QStringLiteral("\\t"));
        json += (r ? QStringLiteral(", ") : QString()) + QStringLiteral("[\"a\", \"") + t
            + QStringLiteral("\", \"\\u65e5\\u672c\"]");
    }
    json += QLatin1Char(']');
    g.select(0, 0, 2, n - 1);
    g.CopySelectionToClipboard();
    EXPECT_EQ(gridreaders::pythonCsvRows(clipText().toUtf8(), QStringLiteral("excel-tab")), json);
}

TEST(GridClipboard, HiddenColumnsAndRowsStayOutOfCopyCutAndPaste)
{
    Grid g(4, 4);
    g.fill({{"a0", "b0", "c0", "d0"}, {"a1", "b1", "c1", "d1"}, {"a2", "b2", "c2", "d2"}, {"a3", "b3", "c3", "d3"}});
    g.HideColumn(1);
    g.HideRow(1);
    g.select(0, 0, 2, 2); // the whole shown grid
    const QString shown = QStringLiteral("a0\tc0\td0\r\na2\tc2\td2\r\na3\tc3\td3");
    EXPECT_EQ(g.SelectedText(), shown);
    g.CopySelectionToClipboard();
    EXPECT_EQ(clipText(), shown + QStringLiteral("\r\n"));

    // Pasted over the shown cells: the hidden column keeps its texts.
    setClipText(QStringLiteral("x\ty\tz"));
    g.select(0, 0, 0, 0);
    g.PasteSelectionFromClipboard();
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("x"));
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("b0"));
    EXPECT_EQ(g.Cells(2, 0), QStringLiteral("y"));
    EXPECT_EQ(g.Cells(3, 0), QStringLiteral("z"));
    g.select(1, 1, 2, 1);
    g.SetSelectionAsText(QStringLiteral("p\tq"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("b2"));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("p"));
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("q"));

    // A cut empties the shown cells only.
    g.select(1, 2, 1, 2);
    g.CutSelectionToClipboard();
    EXPECT_EQ(clipText(), QStringLiteral("c3"));
    EXPECT_EQ(g.Cells(2, 2), QString());
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("b3"));
    g.CutToClipboard();
    for (int r = 0; r < 3; ++r) {
        EXPECT_FALSE(g.Cells(1, r).isEmpty()) << "hidden cell of row " << r;
        EXPECT_TRUE(g.Cells(3, r).isEmpty()) << "last shown cell of row " << r;
    }
}

TEST(GridClipboard, CutEmptiesTheSavedAreasEditableCells)
{
    Grid g(2, 2);
    g.fill({{"a", "b"}, {"c", "d"}});
    g.OnCanEditCell = [](QObject *, int ARow, int ACol, bool &CanEdit) { CanEdit = !(ACol == 1 && ARow == 1); };
    g.CutToClipboard();
    EXPECT_EQ(clipText(), QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(g.Cells(0, 0), QString());
    EXPECT_EQ(g.Cells(1, 0), QString());
    EXPECT_EQ(g.Cells(0, 1), QString());
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("d"));
}

TEST(GridClipboard, SmartPaste)
{
    platform::ScopedFormatSettings us{testsupport::usSettings()};
    struct Case {
        const char *name;
        QString clip;
        std::vector<QStringList> before;
        TGridRect sel;
        bool smart;
        QStringList column0; // the first column afterwards
    };
    const std::vector<Case> cases = {
        {"one value fills a 3x3 selection", "x", {}, {0, 0, 2, 2}, true, {"x", "x", "x", "", ""}},
        {"without smart paste only the top-left cell", "x", {}, {0, 0, 2, 2}, false, {"x", "", "", "", ""}},
        {"integer series continues", "1\r\n3\r\n", {}, {0, 0, 0, 4}, true, {"1", "3", "5", "7", "9"}},
        {"text block repeats", "p\r\nq\r\n", {}, {0, 0, 0, 4}, true, {"p", "q", "p", "q", "p"}},
        {"integer series stops before it overflows", "2147483645\r\n2147483646\r\n", {}, {0, 0, 0, 4}, true,
         {"2147483645", "2147483646", "2147483647", "", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grid g(3, 5);
        g.fill(c.before);
        g.Navigation()->SetAllowSmartClipboard(c.smart);
        setClipText(c.clip);
        g.select(c.sel.Left, c.sel.Top, c.sel.Right, c.sel.Bottom);
        g.PasteSelectionFromClipboard();
        QStringList col;
        for (int r = 0; r < 5; ++r)
            col << g.Cells(0, r);
        EXPECT_EQ(col, c.column0);
        if (c.clip == QLatin1String("x"))
            EXPECT_EQ(g.Cells(2, 2), c.smart ? QStringLiteral("x") : QString());
    }
}

TEST(GridClipboard, SmartDateSeries)
{
    platform::ScopedFormatSettings us{testsupport::usSettings()};
    struct Case {
        const char *name;
        TDateTime a, b;
        TDateTime third;
    };
    const std::vector<Case> cases = {
        {"months", EncodeDate(2024, 1, 15), EncodeDate(2024, 2, 15), EncodeDate(2024, 3, 15)},
        {"one day back", EncodeDate(2024, 3, 2), EncodeDate(2024, 3, 1), EncodeDate(2024, 2, 29)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grid g(1, 4);
        g.Navigation()->SetAllowSmartClipboard(true);
        setClipText(DateToStr(c.a) + QStringLiteral("\r\n") + DateToStr(c.b) + QStringLiteral("\r\n"));
        g.select(0, 0, 0, 3);
        g.PasteSelectionFromClipboard();
        EXPECT_EQ(g.Cells(0, 2), DateToStr(c.third));
    }
}

TEST(GridClipboard, GrowthByPastedLines)
{
    for (bool grow : {true, false}) {
        SCOPED_TRACE(grow);
        Grid g(2, 2);
        g.Navigation()->SetAllowClipboardRowGrow(grow);
        setClipText(QStringLiteral("1\r\n2\r\n3\r\n4\r\n"));
        g.select(0, 1, 0, 1);
        g.PasteSelectionFromClipboard();
        EXPECT_EQ(g.RowCount(), grow ? 5 : 2);
        EXPECT_EQ(g.Cells(0, 1), QStringLiteral("1"));
        if (grow)
            EXPECT_EQ(g.Cells(0, 4), QStringLiteral("4"));
    }
    // Growth by columns stops at its bound.
    Grid g(1, 1);
    setClipText(QString(TNovaStringGrid::MaxPasteCols + 100, QLatin1Char('\t')) + QStringLiteral("end"));
    g.select(0, 0, 0, 0);
    g.PasteSelectionFromClipboard();
    EXPECT_EQ(g.ColCount(), TNovaStringGrid::MaxPasteCols);
}

TEST(GridClipboard, PasteKeepsTheFooterRowLast)
{
    // Rows 0..2 take data; row 3 is the footer row of a fixed-last-row floating footer.
    struct Case {
        const char *name;
        bool ownFormat;
        bool grow;
        int rows;         // RowCount after the paste
        QString lastData; // column 0 of row 3 afterwards
    };
    const std::vector<Case> cases = {
        {"text, growing", false, true, 5, QStringLiteral("3")},
        {"text, not growing", false, false, 4, QStringLiteral("total")},
        {"own format, growing", true, true, 5, QStringLiteral("3")},
        {"own format, not growing", true, false, 4, QStringLiteral("total")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Grid src(2, 4);
        src.fill({{"1"}, {"2"}, {"3"}});
        src.Navigation()->SetAllowFmtClipboard(c.ownFormat);
        src.select(0, 0, 0, 2);
        src.CopySelectionToClipboard();

        Grid g(2, 4);
        g.Navigation()->SetAllowFmtClipboard(c.ownFormat);
        g.Navigation()->SetAllowClipboardRowGrow(c.grow);
        g.FloatingFooter()->SetVisible(true);
        g.SetCells(0, 3, QStringLiteral("total"));
        g.select(0, 1, 0, 1);
        g.PasteSelectionFromClipboard();
        EXPECT_EQ(g.RowCount(), c.rows);
        EXPECT_EQ(g.Cells(0, 1), QStringLiteral("1"));
        EXPECT_EQ(g.Cells(0, 2), QStringLiteral("2"));
        EXPECT_EQ(g.Cells(0, 3), c.lastData);
        EXPECT_EQ(g.Cells(0, g.RowCount() - 1), QStringLiteral("total")) << "the footer row stays last, untouched";
    }
    // Text set as the selection's text obeys the same rule.
    Grid g(1, 3);
    g.FloatingFooter()->SetVisible(true);
    g.SetCells(0, 2, QStringLiteral("total"));
    g.select(0, 1, 0, 1);
    g.SetSelectionAsText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cells(0, 2), QStringLiteral("b"));
    EXPECT_EQ(g.Cells(0, 3), QStringLiteral("total"));
}

TEST(GridClipboard, OwnFormatReportsItsOriginOnlyToTheCopyingGrid)
{
    Grid a(3, 3), b(3, 3);
    for (Grid *g : {&a, &b})
        g->Navigation()->SetAllowFmtClipboard(true);
    a.fill({{"", ""}, {"", "p", "q"}});
    a.CellProperties(1, 1)->SetBrushColor(clRed);
    a.select(1, 1, 2, 1);
    a.CopySelectionToClipboard();
    ASSERT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(GridMime::GridCells()));
    a.select(0, 2, 0, 2);
    a.PasteSelectionFromClipboard();
    EXPECT_EQ(a.Cells(0, 2), QStringLiteral("p"));
    EXPECT_EQ(a.Cells(1, 2), QStringLiteral("q"));
    EXPECT_EQ(a.CellProperties(0, 2)->BrushColor(), clRed);
    ASSERT_FALSE(a.origins.empty());
    EXPECT_EQ(a.origins.back(), (TPoint{1, 1}));
    b.select(0, 0, 0, 0);
    b.PasteSelectionFromClipboard();
    EXPECT_EQ(b.Cells(0, 0), QStringLiteral("p"));
    ASSERT_FALSE(b.origins.empty());
    EXPECT_EQ(b.origins.back(), (TPoint{-1, -1}));
}

namespace {

// A block of the grid's own format: a grid record with these counts, then `cells` cell records.
QByteArray gridBlock(int cols, int rows, int cells)
{
    TGridPropIO head;
    head.ColCount = cols;
    head.RowCount = rows;
    QByteArray s = platform::encodeRecord(head.ToRecord());
    for (int i = 0; i < cells; ++i) {
        TGridCellIO cell;
        cell.Col = std::uint16_t(i);
        cell.Cell = QStringLiteral("bad");
        s += platform::encodeRecord(cell.ToRecord());
    }
    return s;
}

} // namespace

TEST(GridClipboard, GridFormatBlockThatCannotBeReadPastesNothing)
{
    struct Block {
        const char *what;
        QByteArray data;
    } blocks[] = {
        {"counts of 65536 x 65536", gridBlock(65536, 65536, 1)},
        {"a corrupt column count", gridBlock(2147483647, 1, 1)},
        {"cut short", gridBlock(2, 1, 1)},
    };
    enum Path { Paste, PasteSelection, CtrlV };
    for (const Block &b : blocks)
        for (Path path : {Paste, PasteSelection, CtrlV})
            for (TClipboardPasteAction action : {paReplace, paInsert}) {
                SCOPED_TRACE(testing::Message() << b.what << ", path " << int(path) << ", action " << int(action));
                auto *md = new QMimeData;
                md->setData(GridMime::GridCells(), PackGridCells(b.data));
                md->setText(QStringLiteral("text"));
                QGuiApplication::clipboard()->setMimeData(md);
                Grid g(3, 3);
                g.fill({{"a", "b", "c"}, {"d", "e", "f"}});
                g.Navigation()->SetAllowFmtClipboard(true);
                g.Navigation()->SetAllowClipboardShortCuts(true);
                g.Navigation()->SetClipboardPasteAction(action);
                g.select(1, 1, 1, 1);
                EXPECT_NO_THROW({
                    if (path == Paste)
                        g.PasteFromClipboard();
                    else if (path == PasteSelection)
                        g.PasteSelectionFromClipboard();
                    else
                        QTest::keyClick(&g, Qt::Key_V, Qt::ControlModifier);
                });
                EXPECT_EQ(g.ColCount(), 3);
                EXPECT_EQ(g.RowCount(), 3);
                EXPECT_EQ(g.Cells(0, 0), QStringLiteral("a"));
                EXPECT_EQ(g.Cells(1, 1), QStringLiteral("e"));
                EXPECT_EQ(g.Cells(2, 2), QString());
            }
}

TEST(GridClipboard, CheckBoxCellTakesPastedCheckTrueAsState)
{
    Grid g(2, 1);
    g.AddCheckBox(0, 0, false, false);
    setClipText(QStringLiteral("Y"));
    g.select(0, 0, 0, 0);
    g.PasteSelectionFromClipboard();
    bool state = false;
    g.GetCheckBoxState(0, 0, state);
    EXPECT_TRUE(state);
}

TEST(GridClipboard, RichTextTravelsAsEightBitBytes)
{
    Grid g(1, 1);
    g.Navigation()->SetAllowRTFClipboard(true);
    const QString rtf = QStringLiteral("{\\rtf1\\ansi caf\u00e9}");
    g.SetCells(0, 0, rtf);
    g.select(0, 0, 0, 0);
    g.CopySelectionToClipboard();
    const QMimeData *md = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(md->data(GridMime::Rtf()), QByteArray("{\\rtf1\\ansi caf\xe9}"));
    EXPECT_EQ(md->text(), QStringLiteral("caf\u00e9")) << "the text form holds the plain text";
    Grid t(1, 1);
    t.Navigation()->SetAllowRTFClipboard(true);
    t.select(0, 0, 0, 0);
    t.PasteSelectionFromClipboard();
    EXPECT_EQ(t.Cells(0, 0), rtf);
}

TEST(GridClipboard, HtmlCopyHoldsTheTable)
{
    Grid g(2, 1);
    g.fill({{"a", "b"}});
    g.CopyToClipBoardAsHTML();
    const QMimeData *md = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(md->html().contains(QStringLiteral("<TD class=\"c0\" nowrap>a</td>")));
}

// ---- a second process reads the clipboard (X server under xvfb-run) ------------------------------

namespace {
QString selfPath() { return QCoreApplication::applicationFilePath(); }

// Runs this program in a role; its output and exit code.
int runRole(const QString &program, const QStringList &args, const QString &role, QByteArray &out)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("GRID_CLIP_ROLE"), role);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    // The clipboard's owner answers the reader's requests while it waits.
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (p.state() != QProcess::NotRunning)
        loop.exec();
    out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
} // namespace

TEST(GridClipboardX11, Reader)
{
    if (qgetenv("GRID_CLIP_ROLE") != "reader")
        GTEST_SKIP() << "runs as the second process only";
    const QMimeData *md = QGuiApplication::clipboard()->mimeData();
    std::printf("TEXT[%s]\nHTML[%s]\n", md->text().toUtf8().constData(), md->html().toUtf8().constData());
    std::fflush(stdout);
}

TEST(GridClipboardX11, Writer)
{
    if (qgetenv("GRID_CLIP_ROLE") != "writer")
        GTEST_SKIP() << "runs under an X server only";
    Grid g(2, 2);
    g.fill({{"a", "b"}, {"c", "d"}});
    g.CopyToClipBoard();
    QByteArray out;
    ASSERT_EQ(runRole(selfPath(), {QStringLiteral("--gtest_filter=GridClipboardX11.Reader")}, QStringLiteral("reader"), out), 0);
    EXPECT_TRUE(out.contains("TEXT[a\tb\r\nc\td\r\n]")) << out.toStdString();
    g.CopyToClipBoardAsHTML();
    ASSERT_EQ(runRole(selfPath(), {QStringLiteral("--gtest_filter=GridClipboardX11.Reader")}, QStringLiteral("reader"), out), 0);
    EXPECT_TRUE(out.contains("<TD class=\"c0\" nowrap>d</td>")) << out.toStdString();
    EXPECT_TRUE(out.contains("HTML[<style>")) << out.toStdString();
}

TEST(GridClipboardX11, SecondProcessReadsTextAndHtml)
{
    if (!qgetenv("GRID_CLIP_ROLE").isEmpty())
        GTEST_SKIP();
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty())
        GTEST_SKIP() << "xvfb-run not installed";
    QByteArray out;
    const int code = runRole(xvfb,
                             {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 640x480x24"),
                              selfPath(), QStringLiteral("--gtest_filter=GridClipboardX11.Writer")},
                             QStringLiteral("writer"), out);
    EXPECT_EQ(code, 0) << out.toStdString();
    EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
}
