// The EtherCAT tables without a window: the layout of positions and start bits, the groups, the type
// rule of the Length cell, row moves, the group file as the variable window reads it, and the rows
// an import makes of a channel file.
#include "grid/NovaGrid.h"
#include "protocols/TableTestSupport.h"
#include "protocols/UIOLink_Channel_Reader.h"
#include "protocols/UTables.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <memory>
#include <ostream>

using testsupport::writeFile;
using D = TEtherCAT_Direction;

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Cells first .. last of a row, an Enable box as "Y"/"N".
QStringList rowOf(TNovaStringGrid &g, int row, int first, int last)
{
    const TRowCells cells(g, row, true);
    QStringList out;
    for (int c = first; c <= last; ++c) out << cells.text(c);
    return out;
}

// One row as the test writes it: Enable, Type, Length.
struct Var {
    bool on;
    const char *type;
    const char *length = "";
};

class EtherCATTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        desc = EtherCAT_Slave_Table(state);
        for (const TGridDesc &d : desc.grids) {
            owned.emplace_back(Table_Make_Grid(d));
            grids.push_back(owned.back().get());
        }
        Table_Clear(desc, grids);
    }
    TNovaStringGrid &grid(D d) { return *grids[d == D::SlaveToMaster ? 0 : 1]; }
    void fill(D d, const std::vector<Var> &vars)
    {
        TNovaStringGrid &g = grid(d);
        for (size_t i = 0; i < vars.size(); ++i) {
            const int r = int(i) + 1;
            g.SetCheckBoxState(kEtherCATEnableCol, r, vars[i].on);
            g.SetCells(kEtherCATTypeCol, r, QLatin1String(vars[i].type));
            g.SetCells(kEtherCATLengthCol, r, QLatin1String(vars[i].length));
        }
    }
    // "position/bit" of rows 1 .. n.
    QStringList placed(D d, int n)
    {
        QStringList out;
        for (int r = 1; r <= n; ++r)
            out << grid(d).Cells(EtherCAT_Position_Col(d), r) + '/' + grid(d).Cells(EtherCAT_Bit_Col(d), r);
        return out;
    }

    TEtherCAT_Slave_State state;
    TTableDesc desc;
    std::vector<std::unique_ptr<TNovaStringGrid>> owned;
    TTableGrids grids;
};

} // namespace

TEST_F(EtherCATTables, PositionsAndStartBitsAreLaidOutRowByRow)
{
    const struct {
        const char *what;
        std::vector<Var> vars;
        QStringList expected;
    } cases[] = {
        {"mixed", {{true, "Bool"}, {true, "Bool"}, {true, "Int16"}, {true, "Bool"}, {true, "UInt8"}},
         {"0/0", "0/1", "1/0", "3/0", "4/0"}},
        {"nine bools, then an Int8",
         {{true, "Bool"}, {true, "Bool"}, {true, "Bool"}, {true, "Bool"}, {true, "Bool"}, {true, "Bool"},
          {true, "Bool"}, {true, "Bool"}, {true, "Bool"}, {true, "Int8"}},
         {"0/0", "0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "1/0", "2/0"}},
        {"eight bools fill their byte", {{true, "Bool"}, {true, "Bool"}, {true, "Bool"}, {true, "Bool"}, {true, "Bool"},
                                          {true, "Bool"}, {true, "Bool"}, {true, "Bool"}, {true, "UInt16"}},
         {"0/0", "0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "1/0"}},
        {"a disabled bool between two", {{true, "Bool"}, {false, "Bool"}, {true, "Bool"}}, {"0/0", "0/0", "0/1"}},
        {"a disabled row takes no room", {{true, "Int32"}, {false, "Float32"}, {true, "Int8"}}, {"0/0", "0/0", "4/0"}},
        {"a String of 10 takes 11 bytes", {{true, "String", "10"}, {true, "Int8"}}, {"0/0", "11/0"}},
        {"an Array takes its Length", {{true, "Array", "3"}, {true, "Float32"}, {true, "UInt32"}, {true, "Bool"}},
         {"0/0", "3/0", "7/0", "11/0"}},
        {"other types: their Length; no number or below 0 counts 0",
         {{true, "Mystery", "$10"}, {true, "Array", "x"}, {true, "Array", "-5"}, {true, "String", ""}, {true, "Int16"}},
         {"0/0", "16/0", "16/0", "16/0", "17/0"}},
        {"types compare trimmed and in any case", {{true, " bool"}, {true, "BOOL "}, {true, "int16"}}, {"0/0", "0/1", "1/0"}},
    };
    for (const auto &c : cases) {
        for (D d : {D::SlaveToMaster, D::MasterToSlave}) {
            Table_Clear(desc, grids);
            fill(d, c.vars);
            Calc_Position_Bit(grid(d), d);
            EXPECT_EQ(placed(d, int(c.vars.size())), c.expected) << c.what;
        }
    }
}

TEST_F(EtherCATTables, TheLayoutEndsAtTheFirstBlankType)
{
    fill(D::SlaveToMaster, {{true, "Int8"}, {true, "  "}, {true, "Int8"}});
    for (int r = 2; r <= 3; ++r) grid(D::SlaveToMaster).SetCells(6, r, QStringLiteral("kept"));
    Calc_Position_Bit(grid(D::SlaveToMaster), D::SlaveToMaster);
    EXPECT_EQ(placed(D::SlaveToMaster, 3), (QStringList{"0/0", "kept/", "kept/"}));
    EXPECT_EQ(placed(D::MasterToSlave, 1), QStringList{"/"}) << "the other table is left alone";
}

TEST_F(EtherCATTables, GroupsTakeTheEnabledRowsInOrder)
{
    const QStringList rest(kEtherCATRows - 5, QString());
    fill(D::SlaveToMaster, {{true, "Bool"}, {false, "Bool"}, {true, "Bool"}, {true, "Bool"}, {true, "Bool"}});
    TNovaStringGrid &g = grid(D::SlaveToMaster);
    for (int r = 1; r <= kEtherCATRows; ++r) g.SetCells(8, r, QStringLiteral("stale"));
    Show_Group(g, D::SlaveToMaster, {{"A", 2}, {"B", 1}});
    QStringList cells;
    for (int r = 1; r <= kEtherCATRows; ++r) cells << g.Cells(8, r);
    EXPECT_EQ(cells, QStringList({"A", "", "A", "B", ""}) + rest);

    // Groups of no rows are skipped; enabled rows below a blank Type take names as well; the last
    // group ends with the table.
    Table_Clear(desc, grids);
    TNovaStringGrid &m = grid(D::MasterToSlave);
    m.SetCheckBoxState(1, 3, false);
    Show_Group(m, D::MasterToSlave, {{"none", 0}, {"neg", -3}, {"C", 3}, {"D", 300}});
    EXPECT_EQ(tabletest::rowCells(m, 1, 7, 7), QStringList{"C"});
    EXPECT_EQ(m.Cells(7, 3), QString());
    EXPECT_EQ(m.Cells(7, 4), QStringLiteral("C"));
    EXPECT_EQ(m.Cells(7, 5), QStringLiteral("D"));
    EXPECT_EQ(m.Cells(7, kEtherCATRows), QStringLiteral("D"));
    Show_Group(m, D::MasterToSlave, {});
    EXPECT_EQ(m.Cells(7, 1), QString());
}

TEST_F(EtherCATTables, ATypeSetsTheLengthAndWhetherItCanBeEdited)
{
    TNovaStringGrid &g = grid(D::SlaveToMaster);
    const struct {
        const char *type;
        const char *length; // after the choice over "77"
        bool readOnly;
    } cases[] = {
        {"Bool", "1", true},    {"Int8", "1", true},     {"UInt8", "1", true},   {"Int16", "2", true},
        {"UInt16", "2", true},  {"Int32", "4", true},    {"UInt32", "4", true},  {"Float32", "4", true},
        {"Array", "10", false}, {"String", "10", false}, {" string ", "10", false},
    };
    for (const auto &c : cases) {
        g.SetCells(3, 1, QStringLiteral("77"));
        g.SetCells(2, 1, QLatin1String(c.type));
        VarSetLength(g, QLatin1String(c.type), 1);
        EXPECT_EQ(g.Cells(3, 1), QLatin1String(c.length)) << c.type;
        EXPECT_EQ(g.ReadOnly(3, 1), c.readOnly) << c.type;
        bool canEdit = true;
        g.CheckCanEditCell(3, 1, canEdit);
        EXPECT_EQ(canEdit, !c.readOnly) << c.type;
    }
    // Another text leaves the Length and its state.
    g.SetCells(3, 1, QStringLiteral("77"));
    VarSetLength(g, QStringLiteral("Int16"), 1);
    VarSetLength(g, QStringLiteral("Other"), 1);
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("2"));
    EXPECT_TRUE(g.ReadOnly(3, 1));
    // The state alone follows the row's type; the text stays.
    g.SetCells(2, 1, QStringLiteral("Array"));
    g.SetCells(3, 1, QStringLiteral("5"));
    Length_Follows_Type(g, 1);
    EXPECT_FALSE(g.ReadOnly(3, 1));
    EXPECT_EQ(g.Cells(3, 1), QStringLiteral("5"));
    // Position, Start Bit and Group are read-only in every table row.
    for (D d : {D::SlaveToMaster, D::MasterToSlave})
        for (int r : {1, kEtherCATRows})
            for (int c : {EtherCAT_Position_Col(d), EtherCAT_Bit_Col(d), EtherCAT_Group_Col(d)})
                EXPECT_TRUE(grid(d).ReadOnly(c, r)) << c << "," << r;
    EXPECT_FALSE(g.ReadOnly(4, 1)) << "Name";
}

TEST_F(EtherCATTables, ArrayValuesAreHexadecimalDigits)
{
    const struct {
        const char *text;
        bool ok;
    } cases[] = {{"", true}, {"0123456789ABCDEF", true}, {"abcdef", true}, {"0G", false}, {"0 1", false},
                 {"0x", false}, {"-1", false}, {"\xC3\xA4", false}};
    for (const auto &c : cases) EXPECT_EQ(CheckArraySting(QString::fromUtf8(c.text)), c.ok) << c.text;
}

TEST_F(EtherCATTables, MovingExchangesTwoRowsBelowTheirNumbers)
{
    TNovaStringGrid &g = grid(D::SlaveToMaster);
    fill(D::SlaveToMaster, {{true, "Int16", "2"}, {false, "String", "4"}});
    Length_Follows_Type(g, 1);
    g.SetCells(4, 1, QStringLiteral("a"));
    g.SetCells(9, 2, QStringLiteral("m"));
    EXPECT_TRUE(MoveRow_NSG(2, g, true));
    EXPECT_EQ(rowOf(g, 1, 0, 9), (QStringList{"1", "N", "String", "4", "", "", "", "", "", "m"}));
    EXPECT_EQ(rowOf(g, 2, 0, 9), (QStringList{"2", "Y", "Int16", "2", "a", "", "", "", "", ""}));
    EXPECT_FALSE(g.ReadOnly(3, 1)) << "the Length cell follows the String";
    EXPECT_TRUE(g.ReadOnly(3, 2));
    EXPECT_TRUE(MoveRow_NSG(1, g, false));
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("Int16"));
    // Nothing beyond either end.
    EXPECT_FALSE(MoveRow_NSG(1, g, true));
    EXPECT_FALSE(MoveRow_NSG(kEtherCATRows, g, false));
    EXPECT_TRUE(MoveRow_NSG(kEtherCATRows - 1, g, false)) << "row 255 moves into row 256";
    EXPECT_EQ(g.Cells(2, 1), QStringLiteral("Int16"));
}

// ---- the group file as the variable window reads it ------------------------------------------------------

TEST(EtherCATGroupFile, GroupsAreReadFromEitherDirectionUnderAnyRoot)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("EtherCAT_Slave_Group.xml"));
    std::vector<TGroup> stom{{"old", 1}}, mtos;
    QString error;
    EXPECT_TRUE(Read_EtherCAT_Groups(path, stom, mtos, &error)) << "no file: no groups";
    EXPECT_TRUE(stom.empty());

    writeFile(path, "<Any><Master_to_Slave><row Group_Name=\"M\" Num_Variables=\"$10\"/><!-- c --></Master_to_Slave>"
                    "<Slave_to_Master><row Group_Name=\"A\" Num_Variables=\"2\" Mnemonic=\"x\"/>"
                    "<row Group_Name=\"\" Num_Variables=\"many\"/></Slave_to_Master></Any><!--SW_VERSION = 1.006-->");
    ASSERT_TRUE(Read_EtherCAT_Groups(path, stom, mtos, &error)) << error.toStdString();
    ASSERT_EQ(stom.size(), 2u);
    EXPECT_EQ(stom[0].Name, QStringLiteral("A"));
    EXPECT_EQ(stom[0].Num_Var, 2);
    EXPECT_EQ(stom[1].Num_Var, 0) << "not a number";
    ASSERT_EQ(mtos.size(), 1u);
    EXPECT_EQ(mtos[0].Num_Var, 16);

    // A row without a count stops the reading there: the groups before it stay.
    writeFile(path, "<Any><Slave_to_Master><row Group_Name=\"A\" Num_Variables=\"1\"/>\n<row Group_Name=\"B\"/>"
                    "<row Group_Name=\"C\" Num_Variables=\"1\"/></Slave_to_Master><Master_to_Slave>"
                    "<row Group_Name=\"M\" Num_Variables=\"1\"/></Master_to_Slave></Any>");
    EXPECT_FALSE(Read_EtherCAT_Groups(path, stom, mtos, &error));
    EXPECT_TRUE(error.startsWith(path + QStringLiteral(", line 2: "))) << error.toStdString();
    EXPECT_TRUE(error.contains(QLatin1String("\"Num_Variables\""))) << error.toStdString();
    ASSERT_EQ(stom.size(), 1u);
    EXPECT_TRUE(mtos.empty());

    writeFile(path, "<Any><Slave_to_Master>");
    EXPECT_FALSE(Read_EtherCAT_Groups(path, stom, mtos, &error));
    EXPECT_TRUE(error.startsWith(path + QStringLiteral(", line 1"))) << error.toStdString();
}

// ---- the import ----------------------------------------------------------------------------------------------

TEST(EtherCATImport, DataTypesMapToTableTypes)
{
    const struct {
        const char *name;
        int bits;
        const char *type;
    } cases[] = {
        {"UIntegerT", 0, "UInt8"},   {"UIntegerT", 8, "UInt8"},   {"UIntegerT", 9, "UInt16"},  {"UIntegerT", 16, "UInt16"},
        {"UIntegerT", 17, "UInt32"}, {"UIntegerT", 32, "UInt32"}, {"UIntegerT", 33, "Array"},  {"UIntegerT", 40, "Array"},
        {"IntegerT", 8, "Int8"},     {"IntegerT", 12, "Int16"},   {"IntegerT", 32, "Int32"},   {"IntegerT", 64, "Array"},
        {"Float32T", 1, "Float32"},  {"Float32T", 64, "Float32"}, {"BooleanT", 1, "Bool"},     {"BooleanT", 40, "Bool"},
        {" uintegert ", 16, "UInt16"}, {"StringT", 64, "Array"},  {"OctetStringT", 8, "Array"}, {"", 8, "Array"},
    };
    for (const auto &c : cases) EXPECT_EQ(Get_Type(QLatin1String(c.name), c.bits), QLatin1String(c.type)) << c.name << " " << c.bits;
}

class EtherCATImportRows : public EtherCATTables {};

TEST_F(EtherCATImportRows, EveryMappedPieceOfAnIOLinkChannelBecomesARow)
{
    QTemporaryDir dir;
    Project_Path = dir.path();
    Set_Files();
    writeFile(IOLink_SetAccess_File, testsupport::readAll(testsupport::dataDir() + "/protocols/EtherCAT_channels.xml"));
    std::vector<TChannel_File_Channel> channels;
    QString error;
    ASSERT_EQ(Read_IOLink_Channels(channels, &error), TChannel_File_Read::Loaded) << error.toStdString();
    const TEtherCAT_Import r = EtherCAT_Import_Channels(channels, grid(D::SlaveToMaster), grid(D::MasterToSlave));
    EXPECT_FALSE(r.Full);
    // Type, Length, Name, Position, Start Bit; Enable stays ticked; Init Value and Group stay empty.
    const std::vector<QStringList> toMaster{
        {"UInt16", "2", "u16", "0", "0"},        {"Array", "5", "u40", "2", "0"},   {"Array", "8", "s64", "7", "0"},
        {"Bool", "1", "b1", "15", "4"},          {"Int16", "2", "i12", "16", "0"},  {"Array", "0", "none", "17", ""},
        {"Bool", "1", "Pin2 State", "20", "3"}, {"Bool", "1", "Ev on", "18", "2"}, {"Int16", "2", "Both", "30", "1"},
        {"Int32", "4", "second", "50", "0"},
    };
    const std::vector<QStringList> toSlave{
        {"UInt8", "1", "o8", "0", "0"}, {"Int16", "2", "Both", "40", "2"}, {"Float32", "4", "Written", "44", "0"}};
    ASSERT_EQ(r.StoM, int(toMaster.size()));
    ASSERT_EQ(r.MtoS, int(toSlave.size()));
    TNovaStringGrid &s = grid(D::SlaveToMaster);
    TNovaStringGrid &m = grid(D::MasterToSlave);
    for (size_t i = 0; i < toMaster.size(); ++i) {
        const int row = int(i) + 1;
        EXPECT_EQ(tabletest::rowCells(s, row, 2, 4) + tabletest::rowCells(s, row, 6, 7), toMaster[i]) << row;
        EXPECT_EQ(s.Cells(5, row) + s.Cells(8, row), QString());
        bool on = false;
        EXPECT_TRUE(s.GetCheckBoxState(1, row, on) && on);
    }
    for (size_t i = 0; i < toSlave.size(); ++i)
        EXPECT_EQ(tabletest::rowCells(m, int(i) + 1, 2, 6), toSlave[i]) << i + 1;
    EXPECT_EQ(s.Cells(2, int(toMaster.size()) + 1), QString());
    EXPECT_EQ(m.Cells(2, int(toSlave.size()) + 1), QString());
    Project_Path.clear();
    Set_Files();
}

TEST_F(EtherCATImportRows, AFullTableStopsTheImportAtItsLastRow)
{
    TChannel_File_Channel ch;
    ch.Pin4Mode = QStringLiteral("IO-Link");
    for (int i = 0; i < 300; ++i) ch.ProcessDataOut.push_back({"UIntegerT", "8", QStringLiteral("o%1").arg(i), "0", "0"});
    ch.ProcessDataIn.push_back({"BooleanT", "1", "in", "0", "0"});
    TChannel_File_Channel later = ch;
    const TEtherCAT_Import r = EtherCAT_Import_Channels({ch, later}, grid(D::SlaveToMaster), grid(D::MasterToSlave));
    EXPECT_TRUE(r.Full);
    EXPECT_EQ(r.MtoS, kEtherCATRows);
    EXPECT_EQ(r.StoM, 1) << "nothing after the stop";
    EXPECT_EQ(grid(D::MasterToSlave).Cells(4, kEtherCATRows), QStringLiteral("o255"));
    EXPECT_EQ(grid(D::MasterToSlave).RowCount(), kEtherCATRows + 1) << "nothing written outside the table";
}
