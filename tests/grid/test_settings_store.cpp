// Settings kept in files: the INI class, the column-state string, column widths and positions in
// an INI file or the per-user store, print settings, and the column grid's "CP" keys.
#include "grid/HtmlPrintSettings.h"
#include "grid/NovaColumnGrid.h"
#include "grid/SizeSettings.h"
#include "platform/Files.h"
#include "platform/IniFile.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QByteArray data;
    platform::readFile(path, data);
    return data;
}

// The first column's texts, which name each column's start position.
QString columnNames(TNovaStringGrid &g)
{
    QStringList out;
    for (int c = 0; c < g.ColCount(); ++c)
        out << g.Cells(c, 0);
    return out.join(QLatin1Char(' '));
}

void nameColumns(TNovaStringGrid &g)
{
    for (int c = 0; c < g.AllColCount(); ++c)
        g.SetCells(c, 0, QStringLiteral("c%1").arg(c));
}

} // namespace

// ---- the INI class ---------------------------------------------------------------------------------

TEST(IniFile, NamesIgnoreCaseOtherLinesAreKeptAndLinesEndCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    platform::writeFileAtomic(path, "; made by hand\n[Other]\nKeep=1\njunk line\n[Grid]\nCol0=64\n");
    platform::IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("grid"), QStringLiteral("COL0"), -1), 64);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Grid"), QStringLiteral("Col9"), -1), -1);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Grid"), QStringLiteral("none"), QStringLiteral("d")), QStringLiteral("d"));
    ini.WriteInteger(QStringLiteral("GRID"), QStringLiteral("col0"), 80);
    ini.WriteString(QStringLiteral("New"), QStringLiteral("Text"), QStringLiteral("Größe"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(fileBytes(path),
              QByteArray("; made by hand\r\n[Other]\r\nKeep=1\r\njunk line\r\n[Grid]\r\nCol0=80\r\n[New]\r\nText=Gr\xF6\xDF" "e\r\n"));
    // Characters the ANSI code page lacks are kept (the file becomes UTF-8).
    ini.WriteString(QStringLiteral("New"), QStringLiteral("Text"), QStringLiteral("\u4e2d"));
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(platform::IniFile(path).ReadString(QStringLiteral("new"), QStringLiteral("text"), {}), QStringLiteral("\u4e2d"));
}

// ---- column-state string ---------------------------------------------------------------------------

struct ColumnStates : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.SetColCount(4);
        g.SetRowCount(3);
        for (int c = 0; c < 4; ++c)
            g.SetColWidths(c, 40 + 10 * c);
        nameColumns(g);
    }
};

TEST_F(ColumnStates, FourColumnsWithTheSecondHidden)
{
    g.HideColumn(1);
    const int def = g.DefaultColWidth();
    EXPECT_EQ(g.ColumnStatesToString(), QStringLiteral("4#40,60,70,%1#0,1,2,3#1,0,1,1").arg(def));
}

TEST_F(ColumnStates, MovedAndHiddenColumnsComeBackIntoAFreshGrid)
{
    g.MoveColumn(0, 3); // c1 c2 c3 c0
    g.SetColWidths(0, 77);
    g.HideColumn(2);
    const QString states = g.ColumnStatesToString();

    TNovaStringGrid fresh;
    fresh.SetColCount(4);
    fresh.SetRowCount(3);
    nameColumns(fresh);
    fresh.StringToColumnStates(states);
    EXPECT_EQ(fresh.NumHiddenColumns(), 1);
    EXPECT_EQ(columnNames(fresh), columnNames(g));
    EXPECT_EQ(fresh.ColWidths(0), 77);
    EXPECT_EQ(fresh.ColumnStatesToString(), states);
}

TEST_F(ColumnStates, TextsWithoutSectionsOrDamagedChangeNothing)
{
    const QString before = g.ColumnStatesToString();
    g.StringToColumnStates(QString());
    g.StringToColumnStates(QStringLiteral("no sections"));
    EXPECT_EQ(g.ColumnStatesToString(), before);
    // Order not a permutation, a flag not 0/1, a width not a number: refused before any change.
    for (const char *bad : {"4#40,50,60,70#0,1,1,3#1,1,1,1", "4#40,50,60,70#0,1,2,3#1,2,1,1",
                            "4#40,x,60,70#0,1,2,3#1,1,1,1", "4#40,50,60,70#0,1,2,9#1,1,1,1"}) {
        EXPECT_THROW(g.StringToColumnStates(QString::fromLatin1(bad)), ENovaGridError) << bad;
        EXPECT_EQ(g.ColumnStatesToString(), before) << bad;
        EXPECT_EQ(columnNames(g), QStringLiteral("c0 c1 c2 c3"));
    }
}

// ---- widths and positions in the settings store ----------------------------------------------------

struct ColumnStore : ::testing::Test {
    QTemporaryDir dir;
    TNovaStringGrid g;
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        g.SetColCount(3);
        g.SetRowCount(2);
        nameColumns(g);
        g.ColumnSize()->SetKey(dir.filePath("cols.ini"));
        g.ColumnSize()->SetSection(QStringLiteral("Grid"));
        g.ColumnSize()->SetLocation(clIniFile);
    }
};

TEST_F(ColumnStore, WidthsAndPositionsRoundTrip)
{
    g.SetColWidths(1, 91);
    g.MoveColumn(0, 2); // c1 c2 c0
    g.SaveColSizes();
    g.SaveColPositions();
    const platform::IniFile ini(dir.filePath("cols.ini"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Grid"), QStringLiteral("Col1"), 0), g.ColWidths(1));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Grid"), QStringLiteral("Pos0"), -1), 1);

    TNovaStringGrid fresh;
    fresh.SetColCount(3);
    fresh.SetRowCount(2);
    nameColumns(fresh);
    fresh.ColumnSize()->SetKey(dir.filePath("cols.ini"));
    fresh.ColumnSize()->SetSection(QStringLiteral("grid"));
    fresh.ColumnSize()->SetLocation(clIniFile);
    fresh.LoadColPositions();
    fresh.LoadColSizes();
    EXPECT_EQ(columnNames(fresh), QStringLiteral("c1 c2 c0"));
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(fresh.ColWidths(c), g.ColWidths(c)) << c;
}

TEST_F(ColumnStore, TheRegistryLocationIsTheUsersSettingsFile)
{
    g.ColumnSize()->SetLocation(clRegistry);
    g.ColumnSize()->SetKey(QStringLiteral("Software\\Maker\\Grids"));
    g.SetColWidths(2, 55);
    g.SaveColSizes();
    const platform::IniFile store(platform::userSettingsFile());
    EXPECT_EQ(store.ReadInteger(QStringLiteral("software\\maker\\grids\\grid"), QStringLiteral("Col2"), 0), 55);
    g.SetColWidths(2, 10);
    g.LoadColSizes();
    EXPECT_EQ(g.ColWidths(2), 55);
    QFile::remove(platform::userSettingsFile());
}

TEST_F(ColumnStore, PositionsWithoutPos0OrNotAPermutationChangeNothing)
{
    platform::writeFileAtomic(dir.filePath("cols.ini"), "[Grid]\r\nPos1=0\r\n");
    g.LoadColPositions();
    EXPECT_EQ(columnNames(g), QStringLiteral("c0 c1 c2"));
    EXPECT_TRUE(g.ColumnOrder()->IsEmpty());
    platform::writeFileAtomic(dir.filePath("cols.ini"), "[Grid]\r\nPos0=2\r\nPos1=2\r\nPos2=0\r\n");
    EXPECT_THROW(g.LoadColPositions(), ENovaGridError);
    EXPECT_EQ(columnNames(g), QStringLiteral("c0 c1 c2"));
}

TEST_F(ColumnStore, NothingHappensWithoutKeyOrSection)
{
    g.ColumnSize()->SetSection(QString());
    g.SaveColSizes();
    EXPECT_FALSE(QFile::exists(dir.filePath("cols.ini")));
}

// ---- print settings ----------------------------------------------------------------------------------

TEST(PrintSettingsFile, AnEmptyFileGivesTheDefaults)
{
    QTemporaryDir dir;
    platform::writeFileAtomic(dir.filePath("p.ini"), QByteArray());
    TNovaStringGrid g;
    g.PrintSettings()->SetCentered(false);
    g.LoadPrintSettings(dir.filePath("p.ini"), QStringLiteral("Print"));
    const TPrintSettings &p = *g.PrintSettings();
    EXPECT_EQ(p.ColumnSpacing(), 20);
    EXPECT_EQ(p.RowSpacing(), 20);
    EXPECT_EQ(p.TitleSpacing(), 20);
    EXPECT_EQ(p.LeftSize(), 100);
    EXPECT_EQ(p.RightSize(), 100);
    EXPECT_EQ(p.HeaderSize(), 100);
    EXPECT_EQ(p.FooterSize(), 100);
    EXPECT_TRUE(p.Centered());
    for (const TFont &f : {p.Font(), p.HeaderFont(), p.FooterFont()}) {
        EXPECT_EQ(f.Name, QStringLiteral("Arial"));
        EXPECT_EQ(f.Size, 10);
    }
}

TEST(PrintSettingsFile, RoundTripWithTitleLinesAndFontStyles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    TNovaStringGrid g;
    TPrintSettings &p = *g.PrintSettings();
    p.SetTitleLines({QStringLiteral("A"), QStringLiteral("B")});
    p.SetBorders(pbAround);
    p.SetDate(ppBottomRight);
    p.SetOrientation(poLandscape);
    p.SetUseDisplayFont(false);
    TFont f = p.HeaderFont();
    f.Style = {fsBold};
    p.SetHeaderFont(f);
    g.SavePrintSettings(path, QStringLiteral("Print"));
    EXPECT_EQ(platform::IniFile(path).ReadString(QStringLiteral("Print"), QStringLiteral("TitleLines"), {}),
              QStringLiteral("A\\nB"));
    EXPECT_TRUE(fileBytes(path).contains("UseDisplFont=N\r\n"));

    TNovaStringGrid h;
    TFont italic = h.PrintSettings()->HeaderFont();
    italic.Style = {fsItalic};
    h.PrintSettings()->SetHeaderFont(italic);
    h.LoadPrintSettings(path, QStringLiteral("print"));
    const TPrintSettings &q = *h.PrintSettings();
    EXPECT_EQ(q.TitleLines(), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(q.Borders(), pbAround);
    EXPECT_EQ(q.Date(), ppBottomRight);
    EXPECT_EQ(q.Orientation(), poLandscape);
    EXPECT_FALSE(q.UseDisplayFont());
    // The stored style replaces the font's style: italic does not survive.
    EXPECT_EQ(q.HeaderFont().Style, TFontStyles({fsBold}));
}

// ---- the column grid's "CP" keys --------------------------------------------------------------------

struct ColumnPositions : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TNovaColumnGrid> g = makeGrid();
    QString ini() const { return dir.filePath("cp.ini"); }
    static std::unique_ptr<TNovaColumnGrid> makeGrid()
    {
        auto grid = std::make_unique<TNovaColumnGrid>();
        grid->SetColCount(3);
        grid->SetRowCount(3);
        for (int c = 0; c < 3; ++c) {
            grid->Columns()->Items(c)->SetHeader(QStringLiteral("c%1").arg(c));
            grid->SetColWidths(c, 50 + c);
        }
        grid->Loaded();
        return grid;
    }
    int cp(int i) const { return platform::IniFile(ini()).ReadInteger(QStringLiteral("Cols"), QStringLiteral("CP%1").arg(i), -1); }
    QString defIdx(TNovaColumnGrid &grid) const
    {
        QStringList out;
        for (int i = 0; i < grid.Columns()->Count(); ++i)
            out << QString::number(grid.Columns()->Items(i)->DefIdx());
        return out.join(QLatin1Char(' '));
    }
};

TEST_F(ColumnPositions, NeverMovedSavesTheirOwnIndexesHiddenIncluded)
{
    g->HideColumn(1);
    g->SaveColumnPositions(ini(), QStringLiteral("Cols"));
    EXPECT_EQ(cp(0), 0);
    EXPECT_EQ(cp(1), 1);
    EXPECT_EQ(cp(2), 2);
}

TEST_F(ColumnPositions, AMovedColumnIsSavedAndRestoredInAFreshGrid)
{
    g->MoveColumn(0, 2);
    g->SaveColumnPositions(ini(), QStringLiteral("Cols"));
    EXPECT_EQ(cp(0), 1);
    EXPECT_EQ(cp(1), 2);
    EXPECT_EQ(cp(2), 0);
    auto fresh = makeGrid();
    fresh->LoadColumnPositions(ini(), QStringLiteral("Cols"));
    EXPECT_EQ(columnNames(*fresh), QStringLiteral("c1 c2 c0"));
    EXPECT_EQ(defIdx(*fresh), QStringLiteral("1 2 0"));
    EXPECT_EQ(fresh->ColWidths(2), 50);
    // Through the string grid's virtual operation with an INI location.
    auto viaColumnSize = makeGrid();
    viaColumnSize->ColumnSize()->SetKey(ini());
    viaColumnSize->ColumnSize()->SetSection(QStringLiteral("Cols"));
    viaColumnSize->ColumnSize()->SetLocation(clIniFile);
    viaColumnSize->LoadColPositions();
    EXPECT_EQ(columnNames(*viaColumnSize), QStringLiteral("c1 c2 c0"));
}

TEST_F(ColumnPositions, IncompleteOrDamagedKeysChangeNothing)
{
    const struct {
        const char *name;
        const char *file;
        bool refused;
    } cases[] = {
        {"CP2 missing", "[Cols]\r\nCP0=1\r\nCP1=0\r\n", false},
        {"repeated value", "[Cols]\r\nCP0=1\r\nCP1=1\r\nCP2=0\r\n", true},
        {"out of range", "[Cols]\r\nCP0=1\r\nCP1=5\r\nCP2=0\r\n", true},
    };
    for (const auto &c : cases) {
        platform::writeFileAtomic(ini(), c.file);
        g->MoveColumn(2, 0); // c2 c0 c1: the grid's own arrangement must survive
        if (c.refused)
            EXPECT_THROW(g->LoadColumnPositions(ini(), QStringLiteral("Cols")), ENovaGridError) << c.name;
        else
            g->LoadColumnPositions(ini(), QStringLiteral("Cols"));
        EXPECT_EQ(columnNames(*g), QStringLiteral("c2 c0 c1")) << c.name;
        EXPECT_EQ(defIdx(*g), QStringLiteral("2 0 1")) << c.name;
        g->MoveColumn(0, 2);
    }
}

TEST_F(ColumnPositions, ResetOrganizationMovesColumnsHome)
{
    for (int r = 1; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g->SetCells(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
    g->Columns()->Items(0)->SetDefIdx(2);
    g->Columns()->Items(1)->SetDefIdx(0);
    g->Columns()->Items(2)->SetDefIdx(1);
    g->Columns()->ResetOrganization();
    EXPECT_EQ(defIdx(*g), QStringLiteral("0 1 2"));
    EXPECT_EQ(columnNames(*g), QStringLiteral("c1 c2 c0"));
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("1/1"));
    EXPECT_EQ(g->ColWidths(0), 51);
    // Repeated default indexes are refused instead of moving columns for ever.
    g->Columns()->Items(0)->SetDefIdx(1);
    EXPECT_THROW(g->Columns()->ResetOrganization(), EListError);
    EXPECT_EQ(columnNames(*g), QStringLiteral("c1 c2 c0"));
}
