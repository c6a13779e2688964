// The table engine on grids never shown: clearing, each load treatment, unreadable files kept as
// ".bad", the file written from the cells, the first-error data check and the showing's order.
#include "grid/NovaColumnGrid.h"
#include "protocols/TableTestSupport.h"
#include "protocols/UTable_Engine.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

using testsupport::readAll;
using testsupport::writeFile;

namespace {

TColumnDesc col(const char *attribute, TLoadKind load = TLoadKind::Optional, const char *value = "")
{
    TColumnDesc c;
    c.attribute = QString::fromLatin1(attribute);
    c.load = load;
    c.value = QString::fromLatin1(value);
    return c;
}

TColumnDesc box(const char *attribute, TLoadKind load, const char *value)
{
    TColumnDesc c = col(attribute, load, value);
    c.editor = edDataCheckBox;
    return c;
}

class TableEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        path = dir.filePath(QStringLiteral("Table.xml"));
        desc = makeDesc();
        for (const TGridDesc &d : desc.grids) {
            owned.emplace_back(Table_Make_Grid(d));
            grids.push_back(owned.back().get());
        }
        Table_Clear(desc, grids);
    }

    TTableDesc makeDesc()
    {
        TTableDesc t;
        t.path = &path;
        t.root = QStringLiteral("Test_Root");
        t.version = QStringLiteral("SW_VERSION = 9.999");
        t.textBase = 1600;
        t.rowPrefix = 1668;

        TGridDesc a;
        a.name = QStringLiteral("NCG_A");
        a.group = QStringLiteral("Alpha");
        a.rows = 4;
        a.keyColumn = 2;
        a.enableColumn = 1;
        a.enable = TEnableRule::Trimmed;
        a.copied = &copiedA;
        a.hints = &hintsA;
        TColumnDesc number;
        number.header = 1616;
        TColumnDesc secret = col("Secret");
        secret.hidden = true;
        TColumnDesc forced = box("", TLoadKind::Forced, "N");
        TColumnDesc pos = col("Pos");
        pos.editor = edComboList;
        pos.positions = 3;
        pos.positionsFirst = QStringLiteral("None");
        TColumnDesc code = col("Code");
        code.trimOnLoad = true;
        // The hook sees the trimmed value and the row's earlier cells already loaded.
        code.loadText = [](const QString &v, TNovaStringGrid &g, int row) { return g.Cells(2, row) + ':' + v; };
        code.saveText = [](TNovaStringGrid &g, int row) { return g.Cells(9, row).section(':', 1); };
        a.columns = {number, box("Enable", TLoadKind::Defaulted, "Y"), col("Key", TLoadKind::Required),
                     col("Text"), col("Time", TLoadKind::Defaulted, "0"), secret, forced,
                     col("Group", TLoadKind::NotRead), pos, code};
        a.columns[1].header = 1617;
        a.columns[1].hint = 1643;
        a.columns[2].hint = 1644;
        a.columns[3].hint = 1645;
        a.rules = {Rule_Range(4, 0, 100, 1674), Rule_Not_Empty(3, 1670), [](const TRowCells &r) {
                       if (r.text(3) == QLatin1String("limit")) return TCheckFault{1672, QStringLiteral("125")};
                       if (r.text(3) == QLatin1String("total")) return TCheckFault{1687, QString(), false};
                       return TCheckFault{};
                   }};
        a.afterRows = [this] { return afterRowsFault; };
        a.rowLoaded = [this](TNovaStringGrid &, int row, const pugi::xml_node &e) {
            loadedRows << QStringLiteral("%1:%2").arg(row).arg(QString::fromUtf8(e.attribute("Key").value()));
        };

        TGridDesc b;
        b.name = QStringLiteral("NSG_B");
        b.group = QStringLiteral("Beta");
        b.kind = TGridKind::StringGrid;
        b.rows = 3;
        b.keyColumn = 2;
        b.keyTrimmed = false;
        b.checkAllRows = true;
        b.enableColumn = 1;
        b.enable = TEnableRule::CheckBox;
        b.copied = &copiedB;
        TColumnDesc enable = box("Enable", TLoadKind::Defaulted, "Y");
        enable.tickUnlessN = true;
        b.columns = {TColumnDesc{}, enable, col("Key"), box("Flag", TLoadKind::Defaulted, "N")};
        b.rules = {Rule_Range(2, 0, 9, 1681)};

        t.grids = {a, b};
        t.afterCheck = [this] { return afterCheckFault; };
        t.prepare = [this](const TTableGrids &, QString &error) {
            ++prepared;
            error = QStringLiteral("prepare refused");
            return prepareOk;
        };
        return t;
    }

    TNovaStringGrid &A() { return *grids[0]; }
    TNovaStringGrid &B() { return *grids[1]; }
    bool ticked(int c, int r)
    {
        bool s = false;
        EXPECT_TRUE(B().GetCheckBoxState(c, r, s)) << "no box at " << c << "," << r;
        return s;
    }
    TTableLoad load() { return Table_Load(desc, grids, path); }
    QByteArray save()
    {
        pugi::xml_document doc;
        QString error;
        EXPECT_TRUE(Table_Save(desc, grids, doc, path, &error)) << error.toStdString();
        return readAll(path);
    }

    QTemporaryDir dir;
    QString path;
    bool copiedA = true, copiedB = true;
    QStringList hintsA, hintsB;
    QStringList loadedRows;
    int prepared = 0;
    bool prepareOk = true;
    TCheckFault afterRowsFault, afterCheckFault;
    TTableDesc desc;
    std::vector<std::unique_ptr<TNovaStringGrid>> owned;
    TTableGrids grids;
};

const QStringList kClearedA{"Y", "", "", "", "", "", "", "", ""};

} // namespace

TEST_F(TableEngine, GridsAreBuiltFromTheDescription)
{
    auto *cg = dynamic_cast<TNovaColumnGrid *>(&A());
    ASSERT_NE(cg, nullptr);
    EXPECT_EQ(dynamic_cast<TNovaColumnGrid *>(&B()), nullptr) << "a string grid with check box cell objects";
    EXPECT_EQ(cg->objectName(), QStringLiteral("NCG_A"));
    EXPECT_EQ(A().AllColCount(), 10);
    EXPECT_EQ(A().RowCount(), 5);
    EXPECT_EQ(A().FixedRows(), 1);
    EXPECT_EQ(A().FixedCols(), 1);
    EXPECT_EQ(cg->Columns()->Items(1)->Editor(), edDataCheckBox);
    EXPECT_EQ(cg->Columns()->Items(1)->CheckTrue(), QStringLiteral("Y"));
    EXPECT_EQ(cg->Columns()->Items(1)->CheckFalse(), QStringLiteral("N"));
    EXPECT_EQ(cg->Columns()->Items(8)->Editor(), edComboList);
    EXPECT_TRUE(B().HasCheckBox(1, 2));
    EXPECT_TRUE(B().HasCheckBox(3, 3));
    EXPECT_FALSE(B().HasCheckBox(2, 1));
}

TEST_F(TableEngine, TitlesAndHintListsComeFromTheTextTable)
{
    Lang_Texts[1617] = QStringLiteral("Aktiv");
    Lang_Texts[1643] = QStringLiteral("Regel ein oder aus");
    Table_Apply_Texts(desc, grids);
    auto *cg = static_cast<TNovaColumnGrid *>(&A());
    EXPECT_EQ(cg->Columns()->Items(0)->Header(), LT(1616));
    EXPECT_EQ(cg->Columns()->Items(1)->Header(), QStringLiteral("Aktiv"));
    ASSERT_EQ(hintsA.size(), 9) << "one entry per column from column 1";
    EXPECT_EQ(hintsA.at(0), QStringLiteral("Regel ein oder aus"));
    EXPECT_EQ(hintsA.at(1), LT(1644));
    EXPECT_EQ(hintsA.at(8), LT(0)) << "a column without a hint slot";
    Table_Apply_Texts(desc, grids);
    EXPECT_EQ(hintsA.size(), 9) << "the list is cleared before it is refilled";
}

TEST_F(TableEngine, ClearingNumbersTheRowsAndRebuildsThePositionLists)
{
    for (int c = 0; c < A().AllColCount(); ++c) A().SetCells(c, 2, QStringLiteral("junk"));
    B().SetCheckBoxState(1, 3, false);
    B().SetCheckBoxState(3, 3, true);
    B().SetCells(2, 3, QStringLiteral("x"));
    A().UnHideColumn(5);
    A().HideColumn(3);
    Table_Clear(desc, grids);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(A().Cells(0, r), QString::number(r));
        EXPECT_EQ(tabletest::rowCells(A(), r, 1, 9), kClearedA) << r;
    }
    EXPECT_TRUE(A().IsHiddenColumn(5)) << "the hidden column is hidden at every showing";
    EXPECT_FALSE(A().IsHiddenColumn(3)) << "and every other column shown";
    EXPECT_EQ(static_cast<TNovaColumnGrid &>(A()).Columns()->Items(8)->ComboItems(),
              (QStringList{"None", "0", "1", "2"}));
    EXPECT_EQ(B().Cells(0, 3), QStringLiteral("3"));
    EXPECT_TRUE(ticked(1, 3));
    EXPECT_FALSE(ticked(3, 3));
    EXPECT_EQ(B().Cells(2, 3), QString());
}

TEST_F(TableEngine, EachLoadTreatmentOfAMissingAttribute)
{
    writeFile(path, "<Test_Root><Alpha>"
                    "<row Enable=\"N\" Key=\"1\" Text=\"t\" Time=\"7\" Secret=\"s\" Group=\"G\" Pos=\"2\" Code=\" c \"/>"
                    "<row Key=\"2\"/>"
                    "</Alpha><Beta>"
                    "<row Enable=\"no\" Key=\"k\" Flag=\"y\"/><row Enable=\"N\" Flag=\"Y\"/><row/>"
                    "</Beta></Test_Root>");
    A().SetCells(7, 1, QStringLiteral("left"));
    const TTableLoad r = load();
    ASSERT_EQ(r.status, TTableLoad::Loaded) << r.error.toStdString();
    // Enable Key Text Time Secret forced Group(never read) Pos Code(trimmed, hook after Key)
    EXPECT_EQ(tabletest::rowCells(A(), 1, 1, 9), (QStringList{"N", "1", "t", "7", "s", "N", "left", "2", "1:c"}));
    EXPECT_EQ(tabletest::rowCells(A(), 2, 1, 9), (QStringList{"Y", "2", "", "0", "", "N", "", "", ""}))
        << "defaulted: the default; optional: the cleared value; forced: its value";
    EXPECT_EQ(tabletest::rowCells(A(), 3, 1, 9), kClearedA) << "rows beyond the file stay cleared";
    EXPECT_EQ(loadedRows, (QStringList{"1:1", "2:2"}));
    // Ticked unless "N" / only for "Y", exactly.
    EXPECT_TRUE(ticked(1, 1));
    EXPECT_FALSE(ticked(3, 1));
    EXPECT_FALSE(ticked(1, 2));
    EXPECT_TRUE(ticked(3, 2));
    EXPECT_TRUE(ticked(1, 3)) << "a missing Enable defaults to Y";
    EXPECT_FALSE(ticked(3, 3));
}

TEST_F(TableEngine, GroupsLoadByNameUnderARootOfAnyName)
{
    const QByteArray rows = "<Beta><row Key=\"b\"/></Beta><Alpha><row Key=\"a\"/></Alpha>";
    for (const QByteArray &file : {"<Renamed>" + rows + "</Renamed><!--SW_VERSION = 1.000-->",
                                   "<Test_Root>" + rows + "</Test_Root>"}) {
        Table_Clear(desc, grids);
        writeFile(path, file);
        EXPECT_EQ(load().status, TTableLoad::Loaded);
        EXPECT_EQ(A().Cells(2, 1), QStringLiteral("a"));
        EXPECT_EQ(B().Cells(2, 1), QStringLiteral("b"));
    }
    // A group the file lacks leaves its table cleared, with no message.
    Table_Clear(desc, grids);
    writeFile(path, "<Test_Root><Beta><row Key=\"b\"/></Beta></Test_Root>");
    const TTableLoad r = load();
    EXPECT_EQ(r.status, TTableLoad::Loaded);
    EXPECT_EQ(r.error, QString());
    EXPECT_EQ(tabletest::rowCells(A(), 1, 1, 9), kClearedA);
    EXPECT_EQ(B().Cells(2, 1), QStringLiteral("b"));
    // No file: nothing happens.
    QFile::remove(path);
    EXPECT_EQ(load().status, TTableLoad::Missing);
}

TEST_F(TableEngine, AnUnreadableFileIsReportedWithItsLineAndKept)
{
    const struct {
        const char *name;
        QByteArray bytes;
        int line;
        const char *cause;
        QStringList row1; // the read grid's row 1 afterwards
    } cases[] = {
        {"not well-formed", "<Test_Root>\n<Alpha><row Key=\"1\"></Alpha>\n</Test_Root>", 2, "", kClearedA},
        {"required attribute missing", "<Test_Root><Alpha>\n<row Key=\"1\" Text=\"kept\"/>\n<row Text=\"x\"/>\n</Alpha></Test_Root>",
         3, "no attribute \"Key\"", {"Y", "1", "kept", "0", "", "N", "", "", ""}},
        {"more rows than the table", "<Test_Root><Alpha><row Key=\"1\"/><row Key=\"2\"/><row Key=\"3\"/>\n"
                                     "<row Key=\"4\"/>\n<row Key=\"5\"/></Alpha></Test_Root>",
         3, "more than 4 rows", kClearedA},
        {"declaration first", "<?xml version=\"1.0\"?>\n<Test_Root><Alpha><row Key=\"1\"/></Alpha></Test_Root>", 1,
         "root element", kClearedA},
        {"comment first", "<!-- hand-edited -->\n<Test_Root><Alpha><row Key=\"1\"/></Alpha></Test_Root>", 1,
         "root element", kClearedA},
    };
    for (const auto &c : cases) {
        Table_Clear(desc, grids);
        QFile::remove(path + QStringLiteral(".bad"));
        writeFile(path, c.bytes);
        const TTableLoad r = load();
        EXPECT_EQ(r.status, TTableLoad::Failed) << c.name;
        EXPECT_TRUE(r.error.startsWith(path + QStringLiteral(", line %1: ").arg(c.line))) << c.name << ": " << r.error.toStdString();
        EXPECT_TRUE(r.error.contains(QLatin1String(c.cause))) << c.name << ": " << r.error.toStdString();
        EXPECT_TRUE(r.error.contains(QStringLiteral("\"Table.xml.bad\""))) << c.name;
        EXPECT_EQ(readAll(path + QStringLiteral(".bad")), c.bytes) << c.name;
        EXPECT_EQ(tabletest::rowCells(A(), 1, 1, 9), c.row1) << c.name;
        EXPECT_EQ(readAll(path), c.bytes) << "loading never writes the file";
    }
}

TEST_F(TableEngine, TheFileHoldsTheRowsDownToTheFirstEmptyKey)
{
    tabletest::setRow(A(), 1, 1, {"Y", "1", "a&b \"q\" <x> \xC3\xA9\xE2\x82\xAC", "5", "s", "N", "G1", "2", "1:c"});
    tabletest::setRow(A(), 2, 1, {"N", " 5 ", "", "", "", "N", "", "", ""}); // disabled, blanks kept
    tabletest::setRow(A(), 4, 1, {"Y", "lost", "below the empty key", "", "", "", "", "", ""});
    const QByteArray expected =
        "<Test_Root><Alpha>"
        "<row Enable=\"Y\" Key=\"1\" Text=\"a&amp;b &quot;q&quot; &lt;x> \xC3\xA9\xE2\x82\xAC\" Time=\"5\" Secret=\"s\" "
        "Group=\"G1\" Pos=\"2\" Code=\"c\"/>"
        "<row Enable=\"N\" Key=\" 5 \" Text=\"\" Time=\"\" Secret=\"\" Group=\"\" Pos=\"\" Code=\"\"/>"
        "</Alpha><Beta/></Test_Root><!--SW_VERSION = 9.999-->";
    EXPECT_EQ(save().toStdString(), expected.toStdString());
    EXPECT_XMLLINT_READS(path);

    // Read back by the engine, written again: the same bytes.
    Table_Clear(desc, grids);
    ASSERT_EQ(load().status, TTableLoad::Loaded);
    EXPECT_EQ(A().Cells(3, 1), QString::fromUtf8("a&b \"q\" <x> \xC3\xA9\xE2\x82\xAC"));
    EXPECT_EQ(A().Cells(2, 2), QStringLiteral(" 5 "));
    QByteArray again = expected;
    again.replace("Group=\"G1\"", "Group=\"\""); // never read back
    EXPECT_EQ(save().toStdString(), again.toStdString());
}

TEST_F(TableEngine, LineBreaksAndTabsSurviveTheFile)
{
    const QString text = QStringLiteral("line 1\nline 2\r\n\tend ");
    tabletest::setRow(A(), 1, 1, {"Y", "1", text});
    B().SetCells(2, 1, QStringLiteral("k"));
    B().SetCheckBoxState(3, 1, true);
    const QByteArray first = save();
    EXPECT_XMLLINT_READS(path);
    Table_Clear(desc, grids);
    ASSERT_EQ(load().status, TTableLoad::Loaded);
    EXPECT_EQ(A().Cells(3, 1), text);
    EXPECT_TRUE(ticked(3, 1));
    EXPECT_EQ(save(), first);
}

TEST_F(TableEngine, AFailedSaveLeavesTheOldFile)
{
    writeFile(path, "old");
    A().SetCells(2, 1, QStringLiteral("1"));
    pugi::xml_document doc;
    QString error;
    // The target is a folder: the file cannot replace it.
    const QString folder = dir.filePath(QStringLiteral("Folder.xml"));
    QDir().mkdir(folder);
    EXPECT_FALSE(Table_Save(desc, grids, doc, folder, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    // The configuration's folder is gone.
    error.clear();
    EXPECT_FALSE(Table_Save(desc, grids, doc, dir.filePath(QStringLiteral("gone/Table.xml")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path), QByteArray("old"));
}

TEST_F(TableEngine, TheCheckStopsAtTheFirstFailure)
{
    const auto check = [&] { return Table_Check(desc, grids); };
    EXPECT_FALSE(check()) << "empty tables pass";

    tabletest::setRow(A(), 1, 1, {"Y", "1", "t", "5"});
    tabletest::setRow(A(), 2, 1, {" Y ", "2", "", "5"});
    TCheckFault f = check();
    EXPECT_EQ(f.slot, 1670);
    EXPECT_EQ(f.row, 2);
    EXPECT_EQ(Table_Fault_Text(desc, f), LT(1668) + QStringLiteral("2") + LT(1670));

    // Rules run in order: the first one fails first.
    A().SetCells(4, 2, QStringLiteral("101"));
    EXPECT_EQ(check().slot, 1674);
    // A disabled row is not checked; Enable is trimmed, not upper-cased.
    A().SetCells(1, 2, QStringLiteral("y"));
    EXPECT_FALSE(check());
    A().SetCells(1, 2, QStringLiteral("Y"));
    A().SetCells(4, 2, QStringLiteral("5"));
    A().SetCells(3, 2, QStringLiteral("limit"));
    f = check();
    EXPECT_EQ(Table_Fault_Text(desc, f), LT(1668) + QStringLiteral("2") + LT(1672) + QStringLiteral("125"));
    A().SetCells(3, 2, QStringLiteral("total"));
    f = check();
    EXPECT_EQ(Table_Fault_Text(desc, f), LT(1687)) << "a fault without the row prefix";

    // The visit ends at the first key empty after trimming.
    A().SetCells(2, 2, QStringLiteral("  "));
    EXPECT_FALSE(check());
    A().SetCells(3, 3, QStringLiteral("total"));
    A().SetCells(2, 3, QStringLiteral("3"));
    EXPECT_FALSE(check()) << "rows below the empty key are not checked";

    // The string grid: every row, empty keys skipped, a blank key is not empty; its check boxes.
    B().SetCells(2, 2, QStringLiteral("4"));
    EXPECT_FALSE(check());
    B().SetCells(2, 3, QStringLiteral(" "));
    f = check();
    EXPECT_EQ(f.slot, 1681);
    EXPECT_EQ(f.row, 3);
    B().SetCheckBoxState(1, 3, false);
    EXPECT_FALSE(check()) << "an unticked Enable box skips the row";

    afterRowsFault = {1677, QStringLiteral("!"), false};
    EXPECT_EQ(Table_Fault_Text(desc, check()), LT(1677) + QStringLiteral("!"));
    afterRowsFault = {};
    afterCheckFault = {1689, QString(), false};
    EXPECT_EQ(check().slot, 1689);
}

TEST_F(TableEngine, TheShowingPreparesClearsLoadsAndForgetsTheCopies)
{
    writeFile(path, "<Test_Root><Alpha><row Key=\"9\"/></Alpha></Test_Root>");
    A().SetCells(3, 2, QStringLiteral("edited"));
    TTableLoad r;
    QString error;
    prepareOk = false;
    EXPECT_FALSE(Table_Show(desc, grids, r, error));
    EXPECT_EQ(error, QStringLiteral("prepare refused"));
    EXPECT_EQ(A().Cells(3, 2), QStringLiteral("edited")) << "a stopped showing leaves the grids";
    EXPECT_TRUE(copiedA);

    prepareOk = true;
    EXPECT_TRUE(Table_Show(desc, grids, r, error));
    EXPECT_EQ(prepared, 2);
    EXPECT_EQ(r.status, TTableLoad::Loaded);
    EXPECT_EQ(A().Cells(2, 1), QStringLiteral("9"));
    EXPECT_EQ(A().Cells(3, 2), QString());
    EXPECT_FALSE(copiedA);
    EXPECT_FALSE(copiedB);
    desc.keepCopyFlags = true;
    copiedB = true;
    EXPECT_TRUE(Table_Show(desc, grids, r, error));
    EXPECT_TRUE(copiedB);
}
