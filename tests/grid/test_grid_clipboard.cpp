// Copy, cut and paste through the system clipboard (the offscreen one): the text form, the own
// cell format between grids, smart paste series, growth and its bounds, rich text as bytes.
#include "grid/FloatingFooter.h"
#include "grid/NovaGrid.h"
#include "grid/base/GridDragDrop.h"
#include "grid/base/NumberDate.h"
#include "support/LocaleSettings.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
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
