// The EtherCAT variable and group windows, shown and driven with the mouse and the keyboard: the
// layout and groups recomputed at their events and at no others, every check with its one box, both
// files against golden files, the row and move buttons, and the import from channel files written by
// hand and by the real channel table.
#include "grid/GridEditorControls.h"
#include "iolink/ChannelFixture.h"
#include "protocols/UEtherCATSlave.h"
#include "protocols/UEtherCATSlave_Group.h"
#include "protocols/UEtherCAT_ESI_File.h"
#include "protocols/windows/TableWindowFixture.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::writeFile;
using D = TEtherCAT_Direction;

namespace {

// One cell of a case: row, real column, text ("Y"/"N" tick or untick a string grid's box).
struct Edit {
    int row, col;
    const char *text;
};
struct CheckCase {
    std::vector<Edit> edits; // over the valid rows
    const char *message;     // the one box; nullptr: the check passes and the window closes
};

void setCell(TNovaStringGrid &g, int row, int col, const QString &text)
{
    if (g.HasCheckBox(col, row))
        g.SetCheckBoxState(col, row, text == QLatin1String("Y"));
    else
        g.SetCells(col, row, text);
}

// Cells first .. last of a row, a box as "Y"/"N".
QStringList rowOf(TNovaStringGrid &g, int row, int first, int last)
{
    const TRowCells cells(g, row, true);
    QStringList out;
    for (int c = first; c <= last; ++c) out << cells.text(c);
    return out;
}

const QByteArray kGroups = "<Groups><Slave_to_Master><row Group_Name=\"G\" Num_Variables=\"100\" Mnemonic=\"\"/>"
                           "</Slave_to_Master><Master_to_Slave><row Group_Name=\"H\" Num_Variables=\"100\" Mnemonic=\"\"/>"
                           "</Master_to_Slave></Groups>";

class EtherCATWindows : public TableWindowTest {
protected:
    // Each case over the valid rows of the grid (every other row of both grids emptied): OK gives
    // exactly the case's box, or passes and closes the window.
    void runChecks(TTable_Window &w, int grid, const std::vector<Edit> &valid, const std::vector<CheckCase> &cases)
    {
        for (size_t i = 0; i < cases.size(); ++i) {
            const CheckCase &c = cases[i];
            showQuietly(w, i);
            for (TNovaStringGrid *g : w.Grids)
                for (int r = 1; r <= 4; ++r) {
                    setCell(*g, r, 1, QStringLiteral("Y"));
                    for (int col = 1; col < g->AllColCount(); ++col)
                        if (!g->HasCheckBox(col, r)) g->SetCells(col, r, QString());
                }
            TNovaStringGrid &g = *w.Grids[size_t(grid)];
            for (const Edit &e : valid) setCell(g, e.row, e.col, QString::fromUtf8(e.text));
            for (const Edit &e : c.edits) setCell(g, e.row, e.col, QString::fromUtf8(e.text));
            expectOk(w, c.message, i);
        }
        w.hide();
    }

    // Opens the Type list of the row with a click and F2 and walks it with the keys to type.
    static void chooseType(TNovaStringGrid &g, int row, const QString &type)
    {
        if (row > 6) g.SetTopRow(row - 5); // the row in view, as the user scrolls to it
        QApplication::setActiveWindow(g.window()); // a closed message box leaves no active window
        clickCell(g, kEtherCATTypeCol, row);
        if (!g.Combo() || !g.Combo()->isVisible()) QTest::keyClick(focused(), Qt::Key_F2);
        QComboBox *combo = g.Combo();
        ASSERT_TRUE(combo && combo->isVisible()) << "the Type list opens";
        const int target = int(EtherCAT_Var_Types().indexOf(type));
        ASSERT_GE(target, 0);
        for (int keys = 0; keys < 20 && combo->currentIndex() < target; ++keys) QTest::keyClick(combo, Qt::Key_Down);
        for (int keys = 0; keys < 20 && combo->currentIndex() > target; ++keys) QTest::keyClick(combo, Qt::Key_Up);
        ASSERT_EQ(combo->currentIndex(), target) << "row " << row << ": the keys walk the list to " << type.toStdString();
        QTest::keyClick(combo, Qt::Key_Return);
        QApplication::processEvents();
    }
    // "position/bit" of rows 1 .. n.
    static QStringList placed(TNovaStringGrid &g, D d, int n)
    {
        QStringList out;
        for (int r = 1; r <= n; ++r) out << g.Cells(EtherCAT_Position_Col(d), r) + '/' + g.Cells(EtherCAT_Bit_Col(d), r);
        return out;
    }
    static QStringList groupsOf(TNovaStringGrid &g, D d, int n)
    {
        QStringList out;
        for (int r = 1; r <= n; ++r) out << g.Cells(EtherCAT_Group_Col(d), r);
        return out;
    }
    static bool ticked(TNovaStringGrid &g, int row)
    {
        bool on = false;
        return g.GetCheckBoxState(kEtherCATEnableCol, row, on) && on;
    }
};

QString hintOf(TNovaStringGrid *g, int realCol)
{
    QString h = QStringLiteral("none");
    g->OnGridHint(g, 0, g->DisplColIndex(realCol), h);
    return h;
}

} // namespace

// ---- the variable window -----------------------------------------------------------------------------------

TEST_F(EtherCATWindows, SlaveWindowLayoutAndTexts)
{
    TFEtherCATSlave w;
    open(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("EtherCAT Slave Set Access"));
    EXPECT_EQ(w.L_SW_Desc->text(), QStringLiteral("EtherCAT Slave Set Access"));
    EXPECT_EQ(w.L_SW_Code->text(), SW_Code);
    EXPECT_EQ(w.size(), QSize(1200, 337));
    // Six buttons, then Move Up, Move Down and Import, from the left and 8 pixels apart.
    const TLbButton *order[] = {w.Btn_OK,     w.Btn_Cancel,  w.Btn_DelRow,    w.Btn_InsRow,         w.Btn_CopyRow,
                                w.Btn_PasteRow, w.Btn_MoveUp, w.Btn_MoveDown, w.Btn_Import_IO_Link};
    const char *captions[] = {"OK",        "Cancel",  "Delete Row", "Insert Row",    "Copy Row",
                              "Paste Row", "Move Up", "Move Down",  "Import IO Link"};
    const char *hints[] = {"Confirm and save the SNMP Trap List", "Exit without save the SNMP Trap List",
                           "Delete the selected Row in the table", "Insert a Row in the Table",
                           "Copy all Fields of the Selected Row", "Paste the Copied Fields in the Selected Row", "", "",
                           "Import the EtherCAT Rules directly from IO-Link configuration"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(order[i]->text(), QLatin1String(captions[i]));
        EXPECT_EQ(order[i]->toolTip(), QLatin1String(hints[i])) << captions[i];
        EXPECT_EQ(order[i]->size(), QSize(110, 28));
        if (i > 0) EXPECT_EQ(order[i]->x(), order[i - 1]->x() + 118) << captions[i];
    }
    EXPECT_LT(w.Btn_OK->x(), 20);
    EXPECT_LE(w.Btn_Import_IO_Link->geometry().right(), w.width());
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("Slave To Master"));
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("Master To Slave"));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TS_SlaveToMaster);
    EXPECT_EQ(w.NSG_SlaveMaster->RowCount(), 257);
    EXPECT_EQ(w.NSG_MasterSlave->RowCount(), 257);
    EXPECT_EQ(w.NSG_SlaveMaster->AllColCount(), 10);
    EXPECT_EQ(w.NSG_MasterSlave->AllColCount(), 9);
    EXPECT_EQ(tabletest::rowCells(*w.NSG_SlaveMaster, 0, 0, 9),
              (QStringList{"N", "Enable", "Type", "Length", "Name", "Init Value", "Position", "Start Bit", "Group", "Mnemonic"}));
    EXPECT_EQ(tabletest::rowCells(*w.NSG_MasterSlave, 0, 0, 8),
              (QStringList{"N", "Enable", "Type", "Length", "Name", "Position", "Start Bit", "Group", "Mnemonic"}));
    const int widths[] = {40, 50, 120, 100, 280, 100, 100, 100, 100, 100};
    for (int c = 0; c < 10; ++c) EXPECT_EQ(w.NSG_SlaveMaster->ColWidths(c), widths[c]) << c;
    EXPECT_EQ(w.VarType, (QStringList{"Bool", "Int8", "Int16", "Int32", "UInt8", "UInt16", "UInt32", "Float32", "Array", "String"}));
    EXPECT_TRUE(w.Group_StoM.empty());
    // Every row numbered, enabled (a centred box), empty; the computed cells read-only.
    for (TNovaStringGrid *g : w.Grids) {
        EXPECT_EQ(g->Cells(0, 256), QStringLiteral("256"));
        EXPECT_TRUE(ticked(*g, 256));
        EXPECT_EQ(g->GetCellProperties(1, 1)->Alignment(), taCenter);
        EXPECT_EQ(g->Cells(2, 1), QString());
    }
    for (int c : {6, 7, 8}) EXPECT_TRUE(w.NSG_SlaveMaster->ReadOnly(c, 256)) << c;
    for (int c : {5, 6, 7}) EXPECT_TRUE(w.NSG_MasterSlave->ReadOnly(c, 1)) << c;
    EXPECT_FALSE(w.NSG_SlaveMaster->ReadOnly(5, 1)) << "Init Value";
    // Title hints from the hint lists, per table.
    ASSERT_EQ(w.Hint_StM.size(), 9);
    ASSERT_EQ(w.Hint_MtS.size(), 8);
    EXPECT_EQ(hintOf(w.NSG_SlaveMaster, 5), QStringLiteral("Insert the Default Value of EtherCAT Slave Variable"));
    EXPECT_EQ(hintOf(w.NSG_SlaveMaster, 8), QStringLiteral("Select the Group of EtherCAT Slave Variable"));
    EXPECT_EQ(hintOf(w.NSG_MasterSlave, 5),
              QStringLiteral("Internal array Position of EtherCAT Slave Variable (read only)"));
    // The Type column edits as a list of the types.
    TEditorType kind = edNormal;
    w.NSG_SlaveMaster->OnGetEditorType(w.NSG_SlaveMaster, 2, 1, kind);
    EXPECT_EQ(kind, edComboList);
    w.hide();
}

TEST_F(EtherCATWindows, TypesChosenFromTheListLayOutTheTable)
{
    TFEtherCATSlave w;
    open(w);
    TNovaStringGrid &g = *w.NSG_SlaveMaster;
    const QString types[] = {"Bool", "Bool", "Int16", "Bool", "UInt8"};
    for (int r = 1; r <= 5; ++r) chooseType(g, r, types[r - 1]);
    EXPECT_EQ(tabletest::rowCells(g, 1, 2, 3) + tabletest::rowCells(g, 3, 2, 3),
              (QStringList{"Bool", "1", "Int16", "2"}));
    EXPECT_EQ(placed(g, D::SlaveToMaster, 5), (QStringList{"0/0", "0/1", "1/0", "3/0", "4/0"}));
    EXPECT_TRUE(g.ReadOnly(3, 3)) << "a fixed-size Length is not edited";

    // A String of Length 10 takes 11 bytes; its Length is edited and the layout follows.
    chooseType(g, 3, QStringLiteral("String"));
    EXPECT_EQ(g.Cells(3, 3), QStringLiteral("10"));
    EXPECT_FALSE(g.ReadOnly(3, 3));
    EXPECT_EQ(placed(g, D::SlaveToMaster, 5), (QStringList{"0/0", "0/1", "1/0", "12/0", "13/0"}));
    typeInto(g, 3, 3, QStringLiteral("2"));
    EXPECT_EQ(placed(g, D::SlaveToMaster, 5), (QStringList{"0/0", "0/1", "1/0", "4/0", "5/0"}));

    // A disabled Bool between two takes 0/0 (the click on its box regroups only: the next type
    // choice lays the table out).
    clickCell(g, 1, 2);
    ASSERT_FALSE(ticked(g, 2)) << "a click on the box unticks it";
    EXPECT_EQ(placed(g, D::SlaveToMaster, 2), (QStringList{"0/0", "0/1"}));
    chooseType(g, 3, QStringLiteral("Bool"));
    EXPECT_EQ(placed(g, D::SlaveToMaster, 3), (QStringList{"0/0", "0/0", "0/1"}));

    // Nine Bools, then an Int8, in the other table.
    w.PageControl1->setCurrentWidget(w.TS_MasterToSlave);
    TNovaStringGrid &m = *w.NSG_MasterSlave;
    for (int r = 1; r <= 9; ++r) chooseType(m, r, QStringLiteral("Bool"));
    chooseType(m, 10, QStringLiteral("Int8"));
    EXPECT_EQ(placed(m, D::MasterToSlave, 10),
              (QStringList{"0/0", "0/1", "0/2", "0/3", "0/4", "0/5", "0/6", "0/7", "1/0", "2/0"}));
    w.hide();
}

// What each event recomputes, from a loaded file whose positions no layout would give: a "stale"
// Group or an "x" Position left in rows 1-4 shows that the event did not run that computation.
TEST_F(EtherCATWindows, EachEventRecomputesExactlyWhatItShould)
{
    writeFile(EtherCAT_Slave_Group_File, kGroups);
    writeFile(EtherCAT_Slave_File,
              "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
              "<row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Position=\"9\" BitStart=\"9\"/>"
              "<row Enable=\"Y\" Type=\"Bool\" Length=\"1\" Position=\"9\" BitStart=\"9\"/>"
              "<row Enable=\"Y\" Type=\"Int16\" Length=\"2\" Position=\"9\" BitStart=\"9\"/>"
              "<row Enable=\"Y\" Type=\"Array\" Length=\"4\" Position=\"9\" BitStart=\"9\"/>"
              "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave>"
              "<row Enable=\"Y\" Type=\"UInt8\" Length=\"1\" Position=\"9\" BitStart=\"9\"/>"
              "</EtherCAT_Master_To_Slave></EtherCAT_Slave_Variables></EtherCAT_Slave>");
    writeFile(IOLink_SetAccess_File, fixture("EtherCAT_channels.xml"));
    TFEtherCATSlave w;

    // The showing groups both tables and keeps the loaded positions.
    open(w);
    EXPECT_EQ(groupsOf(*w.NSG_SlaveMaster, D::SlaveToMaster, 5), (QStringList{"G", "G", "G", "G", "G"}));
    EXPECT_EQ(groupsOf(*w.NSG_MasterSlave, D::MasterToSlave, 2), (QStringList{"H", "H"}));
    EXPECT_EQ(placed(*w.NSG_SlaveMaster, D::SlaveToMaster, 4), QStringList(4, "9/9"));
    EXPECT_EQ(placed(*w.NSG_MasterSlave, D::MasterToSlave, 1), QStringList{"9/9"});
    w.hide();

    auto mark = [](TNovaStringGrid &g, D d) {
        for (int r = 1; r <= 4; ++r) {
            g.SetCells(EtherCAT_Group_Col(d), r, QStringLiteral("stale"));
            g.SetCells(EtherCAT_Position_Col(d), r, QStringLiteral("x"));
        }
    };
    auto grouped = [](TNovaStringGrid &g, D d) { return !groupsOf(g, d, 4).contains(QStringLiteral("stale")); };
    auto laidOut = [](TNovaStringGrid &g, D d) {
        for (int r = 1; r <= 4; ++r)
            if (g.Cells(EtherCAT_Position_Col(d), r) == QLatin1String("x")) return false;
        return true;
    };
    auto answer = [](QMessageBox::StandardButton b) {
        return [b](TFEtherCATSlave &w, QWidget *button) {
            ModalResponder responder;
            responder.answerBox(b);
            click(button, responder);
            EXPECT_EQ(responder.texts().size(), 1u);
        };
    };
    const struct {
        const char *event;
        std::function<void(TFEtherCATSlave &)> act;
        bool groups, positions;
    } events[] = {
        {"type chosen", [](TFEtherCATSlave &w) { chooseType(*w.NSG_SlaveMaster, 2, QStringLiteral("Int8")); }, false, true},
        {"Length typed", [](TFEtherCATSlave &w) { typeInto(*w.NSG_SlaveMaster, 3, 4, QStringLiteral("6")); }, false, true},
        {"Name typed", [](TFEtherCATSlave &w) { typeInto(*w.NSG_SlaveMaster, 4, 1, QStringLiteral("n")); }, false, false},
        {"Enable unticked", [](TFEtherCATSlave &w) { clickCell(*w.NSG_SlaveMaster, 1, 2); }, true, false},
        {"Delete answered No", [&](TFEtherCATSlave &w) { answer(QMessageBox::No)(w, w.Btn_DelRow); }, true, true},
        {"Delete answered Yes", [&](TFEtherCATSlave &w) { answer(QMessageBox::Yes)(w, w.Btn_DelRow); }, true, true},
        {"Insert", [](TFEtherCATSlave &w) { click(w.Btn_InsRow); }, true, false},
        {"Copy", [](TFEtherCATSlave &w) { click(w.Btn_CopyRow); }, false, false},
        {"Paste",
         [](TFEtherCATSlave &w) {
             click(w.Btn_CopyRow);
             // Row 5 holds a computed group: the paste asks before it overwrites.
             clickCell(*w.NSG_SlaveMaster, 4, 5);
             ModalResponder responder;
             responder.answerBox(QMessageBox::Yes);
             EXPECT_EQ(click(w.Btn_PasteRow, responder),
                       QStringList{"Row Already used. Do you want to overwrite the values?"});
         },
         true, true},
        {"Move Up", [](TFEtherCATSlave &w) { click(w.Btn_MoveUp); }, true, true},
        {"Move Down", [](TFEtherCATSlave &w) { click(w.Btn_MoveDown); }, true, true},
    };
    for (const auto &e : events) {
        open(w);
        mark(*w.NSG_SlaveMaster, D::SlaveToMaster);
        mark(*w.NSG_MasterSlave, D::MasterToSlave);
        clickCell(*w.NSG_SlaveMaster, 4, 2);
        e.act(w);
        EXPECT_EQ(grouped(*w.NSG_SlaveMaster, D::SlaveToMaster), e.groups) << e.event;
        EXPECT_EQ(laidOut(*w.NSG_SlaveMaster, D::SlaveToMaster), e.positions) << e.event;
        EXPECT_FALSE(grouped(*w.NSG_MasterSlave, D::MasterToSlave)) << e.event << ": the other table";
        EXPECT_FALSE(laidOut(*w.NSG_MasterSlave, D::MasterToSlave)) << e.event << ": the other table";
        w.hide();
    }

    // The import: neither; the channel table's positions stay and no group is handed out.
    open(w);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w.Btn_Import_IO_Link, responder),
                  QStringList{"This Operation delete all the rules inserted in tables. Do you want to Continue?"});
    }
    TNovaStringGrid &s = *w.NSG_SlaveMaster;
    EXPECT_EQ(placed(s, D::SlaveToMaster, 4), (QStringList{"0/0", "2/0", "7/0", "15/4"}));
    EXPECT_EQ(groupsOf(s, D::SlaveToMaster, 4), QStringList(4, QString()));
    // Then a tick regroups and keeps the imported positions; a type choice lays the table out afresh.
    clickCell(s, 1, 3);
    EXPECT_EQ(groupsOf(s, D::SlaveToMaster, 4), (QStringList{"G", "G", "", "G"}));
    EXPECT_EQ(placed(s, D::SlaveToMaster, 4), (QStringList{"0/0", "2/0", "7/0", "15/4"}));
    chooseType(s, 1, QStringLiteral("Int16"));
    EXPECT_EQ(placed(s, D::SlaveToMaster, 5), (QStringList{"0/0", "2/0", "0/0", "7/0", "8/0"}));
    w.hide();
}

TEST_F(EtherCATWindows, GroupsFromTheGroupFileTakeTheEnabledRows)
{
    writeFile(EtherCAT_Slave_Group_File,
              "<PROFINET_Master_to_Modbus_TCP_Master><Slave_to_Master>"
              "<row Group_Name=\"A\" Num_Variables=\"2\" Mnemonic=\"\"/><row Group_Name=\"B\" Num_Variables=\"1\" Mnemonic=\"\"/>"
              "</Slave_to_Master><Master_to_Slave/></PROFINET_Master_to_Modbus_TCP_Master>");
    writeFile(EtherCAT_Slave_File, "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master>"
                                   "<row Type=\"Bool\"/><row Enable=\"N\" Type=\"Bool\"/><row Type=\"Bool\"/>"
                                   "<row Type=\"Bool\"/><row Type=\"Bool\"/></EtherCAT_Slave_To_Master>"
                                   "<EtherCAT_Master_To_Slave/></EtherCAT_Slave_Variables></EtherCAT_Slave>");
    TFEtherCATSlave w;
    open(w);
    ASSERT_EQ(w.Group_StoM.size(), 2u);
    EXPECT_EQ(w.Group_StoM[1].Num_Var, 1);
    EXPECT_TRUE(w.Group_MtoS.empty());
    QStringList expected{"A", "", "A", "B", ""};
    expected += QStringList(kEtherCATRows - 5, QString());
    EXPECT_EQ(groupsOf(*w.NSG_SlaveMaster, D::SlaveToMaster, kEtherCATRows), expected);
    w.hide();

    // A group file that cannot be read is reported; the tables load all the same.
    writeFile(EtherCAT_Slave_Group_File, "<G><Slave_to_Master><row Group_Name=\"A\" Num_Variables=\"1\"/>\n"
                                         "<row Num_Variables=\"1\"/></Slave_to_Master></G>");
    ModalResponder responder;
    open(w);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts().front().startsWith(EtherCAT_Slave_Group_File + QStringLiteral(", line 2: ")))
        << responder.texts().front().toStdString();
    EXPECT_EQ(w.Group_StoM.size(), 1u) << "the groups read so far";
    EXPECT_EQ(groupsOf(*w.NSG_SlaveMaster, D::SlaveToMaster, 2), (QStringList{"A", ""}));
    EXPECT_EQ(w.NSG_SlaveMaster->Cells(2, 5), QStringLiteral("Bool")) << "the variables were loaded";
    EXPECT_FALSE(QFileInfo::exists(EtherCAT_Slave_Group_File + QStringLiteral(".bad"))) << "this window never writes it";
    w.hide();
}

TEST_F(EtherCATWindows, SlaveToMasterChecksInOrder)
{
    TFEtherCATSlave w;
    const char *length = "Error row 1!! [Slave to Master] Length must be beetween 1 and 255";
    // Row 1: an enabled Array of Length 2.
    runChecks(w, 0, {{1, 2, "Array"}, {1, 3, "2"}, {1, 5, "0a1B"}},
              {
                  {{{1, 3, "0"}, {1, 5, "0a1"}}, length},
                  {{{1, 3, "256"}}, length},
                  {{{1, 3, "x"}}, length},
                  {{{1, 5, "0a1"}}, "Error row 1!! [Slave to Master] Init Value the number of characters must be even"},
                  {{{1, 5, "0A1B2C"}},
                   "Error row 1!! [Slave to Master] Init Value the number of byte must be equal or minor of Length"},
                  {{{1, 5, "0G"}},
                   "Error row 1!! [Slave to Master] Init Value one or more characters is not admited. Use 0..9 and A..F"},
                  {{}, nullptr},                                 // "0a1B": lower-case digits count as upper case
                  {{{1, 5, ""}, {1, 3, "$FF"}}, nullptr},         // no value; a hexadecimal Length
                  {{{1, 1, "N"}, {1, 3, "0"}, {1, 5, "zz"}}, nullptr}, // a disabled row is not checked
                  {{{1, 2, "String"}, {1, 3, "0"}}, "Error row 1!! [Slave to Master] Length must be beetween 1 and 255"},
                  {{{1, 2, "String"}, {1, 3, "3"}, {1, 5, "abcd"}},
                   "Error row 1!! [Slave to Master] Init Value the dimension of string must be equal or minor of Length"},
                  {{{1, 2, "String"}, {1, 3, "3"}, {1, 5, "abc"}}, nullptr},
                  // Other types: nothing is tested.
                  {{{1, 2, "Int8"}, {1, 3, "x"}, {1, 5, "zz"}}, nullptr},
                  // A later row, with its number.
                  {{{2, 2, "Array"}, {2, 3, "1"}, {2, 5, "123"}},
                   "Error row 2!! [Slave to Master] Init Value the number of characters must be even"},
                  // Below the first blank Type nothing is tested.
                  {{{3, 2, "Array"}, {3, 3, "0"}}, nullptr},
              });
}

TEST_F(EtherCATWindows, MasterToSlaveChecksInOrder)
{
    TFEtherCATSlave w;
    const char *length = "Error row 1!! [Master to Slave] Length must be beetween 1 and 255";
    runChecks(w, 1, {{1, 2, "Array"}, {1, 3, "2"}},
              {
                  {{{1, 3, "0"}}, length},
                  {{{1, 2, "String"}, {1, 3, "256"}}, length},
                  {{{1, 1, "N"}, {1, 3, "0"}}, nullptr},
                  {{{1, 2, "UInt32"}, {1, 3, ""}}, nullptr},
                  {{}, nullptr},
              });
    // A slave-to-master failure comes first.
    open(w);
    w.NSG_SlaveMaster->SetCells(2, 1, QStringLiteral("Array"));
    w.NSG_MasterSlave->SetCells(2, 1, QStringLiteral("Array"));
    EXPECT_EQ(click(w.Btn_OK), QStringList{"Error row 1!! [Slave to Master] Length must be beetween 1 and 255"});
    w.hide();
}

TEST_F(EtherCATWindows, SlaveFileRoundTripIsByteExactAndTheDescriptionWriterReadsIt)
{
    writeFile(EtherCAT_Slave_Group_File, "<G><Slave_to_Master><row Group_Name=\"A\" Num_Variables=\"3\" Mnemonic=\"\"/>"
                                         "</Slave_to_Master><Master_to_Slave><row Group_Name=\"M\" Num_Variables=\"1\" "
                                         "Mnemonic=\"\"/></Master_to_Slave></G>");
    writeFile(EtherCAT_Slave_File, fixture("EtherCAT_Slave_in.xml"));
    TFEtherCATSlave w;
    open(w);
    TNovaStringGrid &s = *w.NSG_SlaveMaster;
    EXPECT_EQ(rowOf(s, 1, 1, 9), (QStringList{"Y", "Bool", "1", "Start & Stop", "", "0", "0", "A", "m1"}));
    EXPECT_EQ(rowOf(s, 2, 1, 2), (QStringList{"Y", "Int16"})) << "\"no\" ticks: only N unticks";
    EXPECT_EQ(rowOf(s, 3, 1, 8), (QStringList{"N", "Array", "3", "raw", "0a1B2c", "9", "0", ""}))
        << "loaded positions stay; the file's group is not read";
    EXPECT_EQ(rowOf(s, 4, 1, 8), (QStringList{"Y", "String", "", "text", "hello", "", "", "A"}))
        << "a missing Length empties the cell";
    EXPECT_FALSE(s.ReadOnly(3, 4)) << "the String's Length is edited";
    EXPECT_TRUE(s.ReadOnly(3, 2));

    typeInto(s, 3, 4, QStringLiteral("10"));
    ASSERT_EQ(s.Cells(3, 4), QStringLiteral("10"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const QByteArray golden = fixture("EtherCAT_Slave_golden.xml");
    EXPECT_EQ(readAll(EtherCAT_Slave_File).toStdString(), golden.toStdString());
    EXPECT_XMLLINT_READS(EtherCAT_Slave_File);

    // Reopened, the window shows what was saved; OK again writes the same bytes.
    open(w);
    EXPECT_EQ(s.Cells(6, 4), QStringLiteral("3"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(EtherCAT_Slave_File).toStdString(), golden.toStdString());

    // The description writer reads the file: the enabled rows, a String of 10 with its end byte.
    const TDescription_File esi = ESI_File_Bytes();
    ASSERT_TRUE(esi.ok()) << esi.Error.toStdString();
    const QString text = QString::fromLatin1(esi.Bytes);
    EXPECT_TRUE(text.contains("<Name>text</Name>"));
    EXPECT_TRUE(text.contains("<BitLen>88</BitLen>"));
    EXPECT_TRUE(text.contains("<DataType>STRING(10)</DataType>"));
    EXPECT_TRUE(text.contains("<DataType>UDINT</DataType>"));
    EXPECT_FALSE(text.contains("ARRAY")) << "the disabled Array is left out";
    EXPECT_TRUE(text.contains("<Sm StartAddress=\"#x102C\" ControlByte=\"#x64\"")) << "14 input bytes";
}

TEST_F(EtherCATWindows, RowsAfterTheFirstBlankTypeAreNeitherCheckedLaidOutNorSaved)
{
    TFEtherCATSlave w;
    open(w);
    TNovaStringGrid &s = *w.NSG_SlaveMaster;
    setCell(s, 1, 2, QStringLiteral("Int8"));
    setCell(s, 3, 2, QStringLiteral("Array"));     // below the blank row 2
    setCell(s, 3, 3, QStringLiteral("0"));         // would fail
    setCell(s, 3, 6, QStringLiteral("kept"));
    typeInto(s, 3, 1, QStringLiteral("1"));        // a validated Length lays the table out
    EXPECT_EQ(s.Cells(6, 1), QStringLiteral("0"));
    EXPECT_EQ(s.Cells(6, 3), QStringLiteral("kept"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(EtherCAT_Slave_File).toStdString(),
              "<EtherCAT_Slave><EtherCAT_Slave_Variables><EtherCAT_Slave_To_Master><row Enable=\"Y\" Type=\"Int8\" "
              "Length=\"1\" Name=\"\" InitValue=\"\" Position=\"0\" BitStart=\"0\" Group=\"\" Mnemonic=\"\"/>"
              "</EtherCAT_Slave_To_Master><EtherCAT_Master_To_Slave/></EtherCAT_Slave_Variables></EtherCAT_Slave>"
              "<!--SW_VERSION = 1.006-->");
    EXPECT_XMLLINT_READS(EtherCAT_Slave_File);
}

TEST_F(EtherCATWindows, AFileThatCannotBeReadIsKeptAndAFailedSaveKeepsTheWindowOpen)
{
    const QByteArray broken = "<EtherCAT_Slave><EtherCAT_Slave_Variables>\n<EtherCAT_Slave_To_Master><row Type=\"Bool\">";
    writeFile(EtherCAT_Slave_File, broken);
    TFEtherCATSlave w;
    {
        ModalResponder responder;
        open(w);
        ASSERT_EQ(responder.texts().size(), 1);
        EXPECT_TRUE(responder.texts().front().startsWith(EtherCAT_Slave_File + QStringLiteral(", line 2: ")))
            << responder.texts().front().toStdString();
        EXPECT_TRUE(responder.texts().front().contains(QLatin1String("\"EtherCAT_Slave.xml.bad\"")));
    }
    EXPECT_EQ(readAll(EtherCAT_Slave_File + QStringLiteral(".bad")), broken);
    EXPECT_EQ(w.NSG_SlaveMaster->Cells(2, 1), QString()) << "the cleared rows";

    // The configuration's folder is gone: the save fails, the window stays with its rows.
    w.NSG_SlaveMaster->SetCells(2, 1, QStringLiteral("Bool"));
    const QString saved = EtherCAT_Slave_File;
    EtherCAT_Slave_File = dir.filePath(QStringLiteral("gone/EtherCAT_Slave.xml"));
    ModalResponder responder;
    const QStringList boxes = click(w.Btn_OK, responder);
    EtherCAT_Slave_File = saved;
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(responder.boxes().front().icon, QMessageBox::Critical);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.NSG_SlaveMaster->Cells(2, 1), QStringLiteral("Bool"));
    EXPECT_EQ(readAll(EtherCAT_Slave_File), broken) << "the old file stays";
    w.hide();
}

TEST_F(EtherCATWindows, RowButtonsKeepTheLengthCellsWithTheirTypes)
{
    TFEtherCATSlave w;
    open(w);
    TNovaStringGrid &s = *w.NSG_SlaveMaster;
    chooseType(s, 1, QStringLiteral("Int16"));
    chooseType(s, 2, QStringLiteral("Array"));
    typeInto(s, 3, 2, QStringLiteral("4"));
    chooseType(s, 3, QStringLiteral("Bool"));

    // Delete asks with the row number in place of %d; the Array moves up with an editable Length.
    clickCell(s, 4, 1);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w.Btn_DelRow, responder), QStringList{"Are you sure to delete the Row number 1"});
    }
    EXPECT_EQ(rowOf(s, 1, 1, 3), (QStringList{"Y", "Array", "4"}));
    EXPECT_FALSE(s.ReadOnly(3, 1));
    EXPECT_TRUE(s.ReadOnly(3, 2));
    EXPECT_TRUE(ticked(s, kEtherCATRows)) << "the freed last row is enabled";
    EXPECT_EQ(placed(s, D::SlaveToMaster, 2), (QStringList{"0/0", "4/0"}));

    // Insert: an empty enabled row; the rows below keep their Length states.
    clickCell(s, 4, 1);
    EXPECT_EQ(click(w.Btn_InsRow), QStringList());
    EXPECT_EQ(rowOf(s, 1, 1, 3), (QStringList{"Y", "", ""}));
    EXPECT_FALSE(s.ReadOnly(3, 1));
    EXPECT_FALSE(s.ReadOnly(3, 2)) << "the Array";
    EXPECT_TRUE(s.ReadOnly(3, 3)) << "the Bool";

    // Copy the Array, paste it into the empty row: it keeps its Length and its editable cell.
    clickCell(s, 4, 2);
    click(w.Btn_CopyRow);
    EXPECT_TRUE(w.Do_Copy_StM);
    clickCell(s, 4, 1);
    EXPECT_EQ(click(w.Btn_PasteRow), QStringList());
    EXPECT_EQ(rowOf(s, 1, 1, 3), (QStringList{"Y", "Array", "4"}));
    EXPECT_FALSE(s.ReadOnly(3, 1));
    EXPECT_EQ(placed(s, D::SlaveToMaster, 3), (QStringList{"0/0", "4/0", "8/0"}));
    // A pasted fixed-size row gets its type's Length.
    clickCell(s, 4, 3);
    click(w.Btn_CopyRow);
    clickCell(s, 4, 4);
    EXPECT_EQ(click(w.Btn_PasteRow), QStringList());
    EXPECT_TRUE(s.ReadOnly(3, 4));

    // The copy belongs to its table and to this showing.
    w.PageControl1->setCurrentWidget(w.TS_MasterToSlave);
    clickCell(*w.NSG_MasterSlave, 4, 1);
    EXPECT_EQ(click(w.Btn_PasteRow), QStringList{"Error!!! Copy a valid row before Paste it"});
    w.hide();
    open(w);
    clickCell(s, 4, 6);
    EXPECT_EQ(click(w.Btn_PasteRow), QStringList{"Error!!! Copy a valid row before Paste it"});
    EXPECT_FALSE(w.Do_Copy_StM);
    w.hide();
}

TEST_F(EtherCATWindows, MovesFollowTheSelectionAndStopAtTheEnds)
{
    TFEtherCATSlave w;
    open(w);
    TNovaStringGrid &s = *w.NSG_SlaveMaster;
    chooseType(s, 1, QStringLiteral("Int32"));
    chooseType(s, 2, QStringLiteral("Bool"));
    clickCell(s, 1, 2); // unticked
    typeInto(s, 4, 2, QStringLiteral("second"));

    clickCell(s, 4, 2);
    EXPECT_EQ(click(w.Btn_MoveUp), QStringList());
    EXPECT_EQ(rowOf(s, 1, 1, 4), (QStringList{"N", "Bool", "1", "second"}));
    EXPECT_EQ(rowOf(s, 2, 1, 4), (QStringList{"Y", "Int32", "4", ""}));
    EXPECT_EQ(tabletest::rowCells(s, 1, 0, 0), QStringList{"1"}) << "the numbers stay";
    EXPECT_EQ(s.Row(), 1) << "the selection follows";
    EXPECT_EQ(placed(s, D::SlaveToMaster, 2), (QStringList{"0/0", "0/0"}));

    // Move Up on row 1: nothing moves and the selection stays on row 1.
    EXPECT_EQ(click(w.Btn_MoveUp), QStringList());
    EXPECT_EQ(s.Row(), 1);
    EXPECT_EQ(s.Cells(4, 1), QStringLiteral("second"));
    EXPECT_EQ(click(w.Btn_MoveDown), QStringList());
    EXPECT_EQ(s.Row(), 2);
    EXPECT_EQ(s.Cells(4, 2), QStringLiteral("second"));

    // Row 255 moves into row 256; on row 256 Move Down keeps the selection there.
    s.SetCells(4, 255, QStringLiteral("low"));
    s.SetRow(255);
    EXPECT_EQ(click(w.Btn_MoveDown), QStringList());
    EXPECT_EQ(s.Row(), 256);
    EXPECT_EQ(s.Cells(4, 256), QStringLiteral("low"));
    EXPECT_EQ(click(w.Btn_MoveDown), QStringList());
    EXPECT_EQ(s.Row(), 256);
    EXPECT_EQ(s.Cells(4, 256), QStringLiteral("low"));
    w.hide();
}

// ---- the import -----------------------------------------------------------------------------------------------

TEST_F(EtherCATWindows, ImportAsksReadsFirstAndFillsBothTables)
{
    TFEtherCATSlave w;
    open(w);
    TNovaStringGrid &s = *w.NSG_SlaveMaster;
    TNovaStringGrid &m = *w.NSG_MasterSlave;
    s.SetCells(4, 1, QStringLiteral("mine"));
    const QString question = QStringLiteral("This Operation delete all the rules inserted in tables. Do you want to Continue?");
    auto import = [&](QMessageBox::StandardButton b) {
        ModalResponder responder;
        responder.answerBox(b);
        const QStringList texts = click(w.Btn_Import_IO_Link, responder);
        EXPECT_FALSE(texts.isEmpty());
        if (!texts.isEmpty()) EXPECT_EQ(texts.front(), question);
        return texts.mid(1);
    };
    // No, or no channel file: nothing happens.
    writeFile(IOLink_SetAccess_File, fixture("EtherCAT_channels.xml"));
    EXPECT_EQ(import(QMessageBox::No), QStringList());
    EXPECT_EQ(s.Cells(4, 1), QStringLiteral("mine"));
    QFile::remove(IOLink_SetAccess_File);
    EXPECT_EQ(import(QMessageBox::Yes), QStringList());
    EXPECT_EQ(s.Cells(4, 1), QStringLiteral("mine"));
    // A channel file that cannot be read says why and changes nothing.
    writeFile(IOLink_SetAccess_File, "<IO-Link>\n<IO-Link_Channels><Channel></IO-Link_Channels></IO-Link>");
    const QStringList failed = import(QMessageBox::Yes);
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed.front().startsWith(IOLink_SetAccess_File + QStringLiteral(", line 2"))) << failed.front().toStdString();
    EXPECT_EQ(s.Cells(4, 1), QStringLiteral("mine"));

    // The channels in order, each piece in its table: nothing from the DIn channel, a Pin2 State row
    // from the IO-Link one, no disabled event, one variable in both tables.
    writeFile(IOLink_SetAccess_File, fixture("EtherCAT_channels.xml"));
    EXPECT_EQ(import(QMessageBox::Yes), QStringList());
    QStringList names;
    for (int r = 1; r <= 11; ++r) names << s.Cells(4, r);
    EXPECT_EQ(names, (QStringList{"u16", "u40", "s64", "b1", "i12", "none", "Pin2 State", "Ev on", "Both", "second", ""}));
    EXPECT_EQ(rowOf(s, 1, 1, 3), (QStringList{"Y", "UInt16", "2"}));
    EXPECT_EQ(rowOf(s, 2, 2, 3), (QStringList{"Array", "5"}));
    EXPECT_EQ(rowOf(s, 3, 2, 3), (QStringList{"Array", "8"}));
    EXPECT_EQ(rowOf(s, 4, 2, 3), (QStringList{"Bool", "1"}));
    EXPECT_EQ(rowOf(s, 7, 2, 7), (QStringList{"Bool", "1", "Pin2 State", "", "20", "3"}));
    EXPECT_EQ(rowOf(s, 9, 2, 7), (QStringList{"Int16", "2", "Both", "", "30", "1"}));
    EXPECT_EQ(rowOf(m, 1, 2, 6), (QStringList{"UInt8", "1", "o8", "0", "0"}));
    EXPECT_EQ(rowOf(m, 2, 2, 6), (QStringList{"Int16", "2", "Both", "40", "2"}));
    EXPECT_EQ(m.Cells(4, 3), QStringLiteral("Written"));
    EXPECT_EQ(m.Cells(2, 4), QString());
    EXPECT_TRUE(s.ReadOnly(3, 1)) << "a UInt16's Length";
    EXPECT_FALSE(s.ReadOnly(3, 2)) << "an Array's Length";
    EXPECT_FALSE(QFileInfo::exists(EtherCAT_Slave_File)) << "the import writes nothing";

    // Cancel forgets the imported rows.
    EXPECT_EQ(click(w.Btn_Cancel), QStringList());
    open(w);
    EXPECT_EQ(s.Cells(4, 1), QString());
    w.hide();
}

TEST_F(EtherCATWindows, AnImportBeyondTheTableStopsAtItsLastRowAndSaysSoOnce)
{
    QString channels = "<IO-Link><IO-Link_Channels><Channel><IODD_File Pin4Mode=\"IO-Link\"/><ProcessData><ProcessDataIn>";
    for (int i = 0; i < 300; ++i)
        channels += QStringLiteral("<PD_Record VarType=\"BooleanT\" BitLength=\"1\" Name=\"b%1\" Position=\"%2\" Bit=\"%3\"/>")
                        .arg(i).arg(i / 8).arg(i % 8);
    channels += "</ProcessDataIn><ProcessDataOut><PD_Record VarType=\"UIntegerT\" BitLength=\"8\" Name=\"o\"/>"
                "</ProcessDataOut></ProcessData></Channel></IO-Link_Channels></IO-Link>";
    writeFile(IOLink_SetAccess_File, channels.toUtf8());
    TFEtherCATSlave w;
    open(w);
    ModalResponder responder;
    responder.answerBox(QMessageBox::Yes);
    EXPECT_EQ(click(w.Btn_Import_IO_Link, responder),
              (QStringList{"This Operation delete all the rules inserted in tables. Do you want to Continue?",
                           "Warning!! The table is full: the import stopped at row 256"}));
    EXPECT_EQ(responder.boxes().back().icon, QMessageBox::Warning);
    EXPECT_EQ(w.NSG_SlaveMaster->Cells(4, 256), QStringLiteral("b255"));
    EXPECT_EQ(w.NSG_SlaveMaster->RowCount(), 257);
    EXPECT_EQ(w.NSG_MasterSlave->Cells(4, 1), QString()) << "the import stopped before the outputs";
    w.hide();
}

// The channel file as the real channel table writes it for two real device descriptions.
class EtherCATRealChannels : public ChannelTest {};

TEST_F(EtherCATRealChannels, TheImportTakesWhatTheChannelTableSaved)
{
    SKIP_WITHOUT_SHARED_IODD();
    SW_Code = kSWCode;
    parGen("GW41520-A1-4A");
    assignSharedIodds({"IO-Link-17-ComplexProcessDataDevice-20240824-IODD1.1.xml", "IO-Link-06-EventDevice-20240824-IODD1.1.xml"});
    TChannel_IOLink &first = table.Channels[0];
    first.ReadPin2 = "Y";
    ASSERT_FALSE(first.Var_List.empty());
    TVarObjValue &triggered = first.Var_List.back();
    triggered.Enable = true;
    triggered.On_Timer = true;
    triggered.ReadTime = "0";
    TChannel_IOLink &second = table.Channels[1];
    ASSERT_FALSE(second.Event_List.empty());
    second.Event_List.front().Enable = true;
    table.Channels[2].Pin4Mode = "DIn";
    table.Channels[2].ReadPin2 = "Y";
    table.Add_Name_to_Configuration();
    ASSERT_TRUE(table.Save_Configuration());

    // The rows the channel table's own data give, in its order.
    std::vector<QStringList> toMaster, toSlave; // Type, Length, Name, Position, Start Bit
    auto bytes = [](const QString &bits) { return QString::number((StrToIntDef(bits, 0) + 7) / 8); };
    for (const TChannel_IOLink &ch : table.Channels) {
        if (ch.Pin4Mode != "IO-Link") continue;
        for (bool in : {true, false})
            if (const TProcDataList *l = ch.PD_List(in))
                for (const auto &p : *l)
                    (in ? toMaster : toSlave).push_back({Get_Type(p.VarType, StrToIntDef(p.BitLength, 0)), bytes(p.BitLength), p.Name, p.position, p.bit});
        if (ch.ReadPin2 == "Y") toMaster.push_back({"Bool", "1", "Pin2 State", ch.Pin2_Pos, ch.Pin2_Bit});
        for (const TEventObjValue &e : ch.Event_List)
            if (e.Enable) toMaster.push_back({"Bool", "1", e.Name, e.Position, e.Bit});
        for (const TVarObjValue &v : ch.Var_List) {
            if (!v.Enable) continue;
            const QString type = Get_Type(v.VarType, StrToIntDef(v.Dimension, 0));
            if (StrToIntDef(v.ReadTime, -1) >= 0) toMaster.push_back({type, bytes(v.Dimension), v.Name, v.ReadPos, v.ReadBit});
            if (v.On_Change || v.On_Timer) toSlave.push_back({type, bytes(v.Dimension), v.Name, v.Position, v.Bit});
        }
    }
    ASSERT_GE(toMaster.size(), 4u);
    ASSERT_GE(toSlave.size(), 2u);

    TFEtherCATSlave w;
    w.show();
    QApplication::processEvents();
    ModalResponder responder;
    responder.answerBox(QMessageBox::Yes);
    QTest::mouseClick(w.Btn_Import_IO_Link, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(responder.texts().size(), 1);
    for (size_t i = 0; i < toMaster.size(); ++i) {
        const int r = int(i) + 1;
        EXPECT_EQ(tabletest::rowCells(*w.NSG_SlaveMaster, r, 2, 4) + tabletest::rowCells(*w.NSG_SlaveMaster, r, 6, 7),
                  toMaster[i]) << r;
    }
    EXPECT_EQ(w.NSG_SlaveMaster->Cells(2, int(toMaster.size()) + 1), QString());
    for (size_t i = 0; i < toSlave.size(); ++i)
        EXPECT_EQ(tabletest::rowCells(*w.NSG_MasterSlave, int(i) + 1, 2, 6), toSlave[i]) << i + 1;
    EXPECT_EQ(w.NSG_MasterSlave->Cells(2, int(toSlave.size()) + 1), QString());
    // The triggered variable stands in both tables; the first channel comes before the second.
    int pin2 = -1, event = -1;
    for (size_t i = 0; i < toMaster.size(); ++i) {
        if (toMaster[i][2] == "Pin2 State") pin2 = int(i);
        if (toMaster[i][2] == second.Event_List.front().Name) event = int(i);
    }
    EXPECT_GE(pin2, 0);
    EXPECT_GT(event, pin2);
    auto named = [&](const std::vector<QStringList> &rows) {
        return std::any_of(rows.begin(), rows.end(), [&](const QStringList &r) { return r[2] == triggered.Name; });
    };
    EXPECT_TRUE(named(toMaster));
    EXPECT_TRUE(named(toSlave));
    // Saved as imported, the file is what the description writer reads.
    {
        ModalResponder quiet;
        QTest::mouseClick(w.Btn_OK, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(quiet.texts(), QStringList());
    }
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(ESI_File_Bytes().ok());
}

// ---- the group window --------------------------------------------------------------------------------------------

TEST_F(EtherCATWindows, GroupWindowLayoutAndTexts)
{
    TFEtherCATSlave_Group w;
    open(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("EtherCAT Slave Set Group"));
    EXPECT_EQ(w.L_SW_Desc->text(), QStringLiteral("EtherCAT Slave Set Group"));
    EXPECT_EQ(w.size(), QSize(800, 337));
    EXPECT_EQ(w.Btn_OK->toolTip(), QStringLiteral("Confirm and save the EtherCAT Slave Group List"));
    EXPECT_EQ(w.Btn_PasteRow->text(), QStringLiteral("Paste Row"));
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("Slave To Master"));
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("Master To Slave"));
    for (TNovaColumnGrid *g : {w.NCG_Group_StoM, w.NCG_Group_MtoS}) {
        EXPECT_EQ(g->RowCount(), 17);
        EXPECT_EQ(g->AllColCount(), 4);
        EXPECT_EQ(g->Columns()->Items(1)->Header(), QStringLiteral("Group Name"));
        EXPECT_EQ(g->Columns()->Items(2)->Header(), QStringLiteral("Num Variables"));
        EXPECT_EQ(g->Columns()->Items(3)->Header(), QStringLiteral("Mnemonic"));
        EXPECT_EQ(g->Columns()->Items(1)->Width(), 300);
        EXPECT_EQ(g->Cells(0, 16), QStringLiteral("16"));
        EXPECT_EQ(g->Cells(1, 1), QString()) << "no Enable mark";
        EXPECT_EQ(hintOf(g, 1), QStringLiteral("none")) << "no column hints";
    }
    // A click on the row number selects the row.
    clickCell(*w.NCG_Group_StoM, 0, 3);
    EXPECT_EQ(w.NCG_Group_StoM->Selection().Top, 3);
    EXPECT_EQ(w.NCG_Group_StoM->Selection().Right, 3);
    w.hide();
}

TEST_F(EtherCATWindows, GroupChecksInOrder)
{
    TFEtherCATSlave_Group w;
    const char *total = "Error!! [Slave to Master] Num Variables in total must be minor or equal to 256";
    const char *range = "Error row 1!! [Slave to Master] Num Variables must be beetween 1 and 256";
    runChecks(w, 0, {{1, 1, "A"}, {1, 2, "200"}, {2, 1, "B"}, {2, 2, "56"}},
              {
                  {{{2, 2, "57"}}, total},
                  {{{1, 2, "0"}, {2, 2, "57"}}, range},
                  {{{1, 2, ""}}, range},
                  {{{1, 2, "257"}}, range},
                  {{{1, 2, "x"}}, range},
                  {{{2, 2, "0"}}, "Error row 2!! [Slave to Master] Num Variables must be beetween 1 and 256"},
                  {{}, nullptr},                                       // 200 + 56
                  {{{1, 1, " "}, {1, 2, "0"}}, nullptr},               // a blank name ends the list
                  {{{2, 1, ""}, {3, 1, "C"}, {3, 2, "0"}}, nullptr},   // row 3 is not tested
                  {{{1, 2, "$C8"}, {1, 1, "A"}, {1, 3, "dup"}, {2, 1, "A"}}, nullptr}, // names may repeat
              });
    runChecks(w, 1, {{1, 1, "M"}, {1, 2, "200"}, {2, 1, "N"}, {2, 2, "56"}},
              {
                  {{{2, 2, "57"}}, "Error!! [Master to Slave] Num Variables in total must be minor or equal to 256"},
                  {{{1, 2, "0"}}, "Error row 1!! [Master to Slave] Num Variables must be beetween 1 and 256"},
                  {{}, nullptr},
              });
}

TEST_F(EtherCATWindows, GroupFileRoundTripIsReadBackByBothWindows)
{
    writeFile(EtherCAT_Slave_Group_File, fixture("EtherCAT_Slave_Group_in.xml"));
    TFEtherCATSlave_Group w;
    open(w);
    EXPECT_EQ(tabletest::rowCells(*w.NCG_Group_StoM, 1, 1, 3), (QStringList{"A", "2", "first <a>"}));
    EXPECT_EQ(tabletest::rowCells(*w.NCG_Group_StoM, 2, 1, 3), (QStringList{"B", "", "no count"}))
        << "a missing Num_Variables stays empty";
    EXPECT_EQ(w.NCG_Group_MtoS->Cells(1, 1), QStringLiteral("M")) << "groups in any order";
    typeInto(*w.NCG_Group_StoM, 2, 2, QStringLiteral("1"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    const QByteArray golden = fixture("EtherCAT_Slave_Group_golden.xml");
    EXPECT_EQ(readAll(EtherCAT_Slave_Group_File).toStdString(), golden.toStdString());
    EXPECT_TRUE(golden.startsWith("<PROFINET_Master_to_Modbus_TCP_Master>"));
    EXPECT_XMLLINT_READS(EtherCAT_Slave_Group_File);
    open(w);
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(EtherCAT_Slave_Group_File).toStdString(), golden.toStdString());

    // The variable window hands the saved groups out.
    TFEtherCATSlave v;
    open(v);
    ASSERT_EQ(v.Group_StoM.size(), 2u);
    EXPECT_EQ(v.Group_StoM[0].Name, QStringLiteral("A"));
    EXPECT_EQ(v.Group_StoM[1].Num_Var, 1);
    ASSERT_EQ(v.Group_MtoS.size(), 1u);
    EXPECT_EQ(groupsOf(*v.NSG_SlaveMaster, D::SlaveToMaster, 4), (QStringList{"A", "A", "B", ""}));
    EXPECT_EQ(groupsOf(*v.NSG_MasterSlave, D::MasterToSlave, 2), (QStringList{"M", ""}));
    v.hide();

    // A row without its Mnemonic stops the group window's loading there; Delete asks with the row.
    QByteArray noMnemonic = golden;
    noMnemonic.replace(" Mnemonic=\"no count\"", "");
    writeFile(EtherCAT_Slave_Group_File, noMnemonic);
    {
        ModalResponder responder;
        open(w);
        ASSERT_EQ(responder.texts().size(), 1);
        EXPECT_TRUE(responder.texts().front().contains(QLatin1String("\"Mnemonic\""))) << responder.texts().front().toStdString();
    }
    EXPECT_EQ(w.NCG_Group_StoM->Cells(1, 2), QStringLiteral("B")) << "the cells before the stop";
    EXPECT_EQ(w.NCG_Group_MtoS->Cells(1, 1), QString());
    clickCell(*w.NCG_Group_StoM, 1, 1);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w.Btn_DelRow, responder), QStringList{"Are you sure to delete the Row number 1"});
    }
    EXPECT_EQ(w.NCG_Group_StoM->Cells(1, 1), QStringLiteral("B"));
    EXPECT_EQ(click(w.Btn_InsRow), QStringList());
    EXPECT_EQ(tabletest::rowCells(*w.NCG_Group_StoM, 1, 1, 3), QStringList(3, QString())) << "no Enable mark";
    w.hide();
}

// ---- in the program ----------------------------------------------------------------------------------------------

TEST_F(EtherCATWindows, TheMainWindowCreatesTranslatesAndOpensThem)
{
    QTemporaryDir exe;
    TProgramWindows windows(exe.path());
    ASSERT_NE(FEtherCATSlave, nullptr);
    ASSERT_NE(FEtherCATSlave_Group, nullptr);
    DIDurovuzozAdozAvir *main = FDovavivuvFirmWare;
    for (QAbstractButton *b : {main->Btn_EtherCAT_Set_Access, main->Btn_EtherCAT_Set_Group}) {
        ModalResponder responder;
        main->Btn_Click(b);
        EXPECT_EQ(responder.texts(), QStringList{"Error! Project not Valid"});
        EXPECT_FALSE(b->isVisibleTo(main));
    }
    Project_Path = dir.path();
    main->Set_Files();
    writeFile(EtherCAT_Slave_File, fixture("EtherCAT_Slave_in.xml"));
    const std::pair<QAbstractButton *, TTable_Window *> opens[] = {{main->Btn_EtherCAT_Set_Access, FEtherCATSlave},
                                                                    {main->Btn_EtherCAT_Set_Group, FEtherCATSlave_Group}};
    for (const auto &[button, window] : opens) {
        QWidget *seen = nullptr;
        ModalResponder responder;
        responder.then([&, window = window](QWidget *w) {
            seen = w;
            QTest::mouseClick(window->Btn_Cancel, Qt::LeftButton);
        });
        main->Btn_Click(button);
        EXPECT_FALSE(responder.timedOut());
        EXPECT_EQ(seen, window);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(FEtherCATSlave->NSG_SlaveMaster->Cells(4, 1), QStringLiteral("Start & Stop")) << "loaded for the showing";

    // A language reaches both hidden windows; the move buttons keep their captions.
    writeFile(Language_Dir + QStringLiteral("/Deutsch.lng"),
              "STR3700 = EtherCAT-Variablen\nSTR3715 = Aktiv\nSTR3734 = Zum Master\nSTR3763 = Importieren\n"
              "STR3724 = Variable ein oder aus\nSTR3800 = EtherCAT-Gruppen\nSTR3817 = Gruppe\nSTR3815 = Zum Slave\n");
    Language_Name = QStringLiteral("Deutsch");
    Load_Language();
    main->Change_Language();
    TFEtherCATSlave &s = *FEtherCATSlave;
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(s.windowTitle(), QStringLiteral("EtherCAT-Variablen"));
    EXPECT_EQ(s.NSG_SlaveMaster->Cells(1, 0), QStringLiteral("Aktiv"));
    EXPECT_EQ(hintOf(s.NSG_SlaveMaster, 1), QStringLiteral("Variable ein oder aus"));
    EXPECT_EQ(s.PageControl1->tabText(0), QStringLiteral("Zum Master"));
    EXPECT_EQ(s.Btn_Import_IO_Link->text(), QStringLiteral("Importieren"));
    EXPECT_EQ(s.Btn_MoveUp->text(), QStringLiteral("Move Up"));
    TFEtherCATSlave_Group &g = *FEtherCATSlave_Group;
    EXPECT_EQ(g.windowTitle(), QStringLiteral("EtherCAT-Gruppen"));
    EXPECT_EQ(g.NCG_Group_StoM->Columns()->Items(1)->Header(), QStringLiteral("Gruppe"));
    EXPECT_EQ(g.PageControl1->tabText(1), QStringLiteral("Zum Slave"));
    Language_Name = QStringLiteral("English");
    Load_Language();
    main->Change_Language();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("EtherCAT Slave Set Access"));
    EXPECT_EQ(g.NCG_Group_StoM->Columns()->Items(1)->Header(), QStringLiteral("Group Name"));
    main->close();
}

// ---- how it looks ------------------------------------------------------------------------------------------------

// The variable window after an import; with CFG_SCREENSHOT_DIR set the picture is kept there (under a
// virtual X screen the screen itself is taken).
TEST_F(EtherCATWindows, TheSlaveWindowAfterAnImportRenders)
{
    writeFile(IOLink_SetAccess_File, fixture("EtherCAT_channels.xml"));
    writeFile(EtherCAT_Slave_Group_File, kGroups);
    TFEtherCATSlave w;
    open(w);
    w.move(0, 0);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        click(w.Btn_Import_IO_Link, responder);
    }
    clickCell(*w.NSG_SlaveMaster, 1, 3); // a disabled row, and groups handed out
    QApplication::processEvents();
    QTest::qWait(50);
    const QImage drawn = w.grab().toImage();
    QImage img = drawn;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        img = w.screen()->grabWindow(0, 0, 0, w.frameGeometry().width(), w.frameGeometry().height()).toImage();
    EXPECT_GE(img.width(), w.width());
    // Text in the title row and in the first data rows.
    TNovaStringGrid &g = *w.NSG_SlaveMaster;
    const QPoint origin = g.viewport()->mapTo(&w, QPoint());
    int ink = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < g.viewport()->width(); ++x)
            if (drawn.pixelColor(origin.x() + x, origin.y() + 22 + y).lightness() < 80) ++ink;
    EXPECT_GT(ink, 200) << "the first imported row's texts are drawn";
    const QString keep = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
    if (!keep.isEmpty()) img.save(keep + QStringLiteral("/ethercat_slave_after_import.png"));
    // The other table and the group window, kept beside it.
    w.PageControl1->setCurrentWidget(w.TS_MasterToSlave);
    QApplication::processEvents();
    if (!keep.isEmpty()) w.grab().save(keep + QStringLiteral("/ethercat_slave_master_to_slave.png"));
    w.hide();
    writeFile(EtherCAT_Slave_Group_File, fixture("EtherCAT_Slave_Group_golden.xml"));
    TFEtherCATSlave_Group groups;
    open(groups);
    EXPECT_EQ(groups.NCG_Group_StoM->Cells(1, 1), QStringLiteral("A"));
    if (!keep.isEmpty()) groups.grab().save(keep + QStringLiteral("/ethercat_groups.png"));
    groups.hide();
}
