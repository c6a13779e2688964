// The BACnet object tables and the engineering-unit picker, shown and driven with the mouse and the
// keyboard: the row count and object limit that follow "BACnet_Desc_Chars_Limit", every check with its
// one error box, the Length a type choice fills in, the picker opened from an Eng. Unit cell, the file
// round trip against golden files, and both windows in the program.
#include "protocols/UBACnetSlaveSetAccess.h"
#include "protocols/UBACnet_Eng_Unit.h"
#include "protocols/UBACnet_Units.h"
#include "grid/GridEditorControls.h"
#include "protocols/windows/TableWindowFixture.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <set>

using testsupport::ModalResponder;
using testsupport::readAll;
using testsupport::writeFile;

namespace {

const Cells kValidRead{{1, "Analog Input"}, {2, "62"}, {3, "0"}, {4, "0"}, {5, "4"}, {6, "N"}, {7, "N"}, {8, "m"}};
const Cells kValidWrite{{1, "Analog Out"}, {2, "98"}, {3, "0"}, {4, "0"}, {5, "4"}, {6, "N"}, {7, "N"}, {8, "m"}};

QByteArray parGen(const char *limit)
{
    return QByteArray("<Par_Gen><Device_Name>x</Device_Name><BACnet_Desc_Chars_Limit>") + limit
           + "</BACnet_Desc_Chars_Limit></Par_Gen>";
}

class BACnetWindows : public TableWindowTest {
protected:
    void SetUp() override
    {
        TableWindowTest::SetUp();
        picker.Set_Lang(); // made before the texts were loaded
        FBACnet_Eng_Unit = &picker;
    }
    void TearDown() override
    {
        FBACnet_Eng_Unit = nullptr;
        TableWindowTest::TearDown();
    }

    // Opens the cell's combo list, clicks the item in the dropped list, as the user does; Enter takes it.
    static void choose(TNovaStringGrid &g, int col, int row, int item)
    {
        QComboBox *combo = g.Combo();
        clickCell(g, col, row);
        if (!combo->isVisible()) QTest::keyClick(focused(), Qt::Key_F2);
        QApplication::processEvents();
        ASSERT_TRUE(combo->isVisible());
        combo->showPopup();
        QApplication::processEvents();
        QAbstractItemView *view = combo->view();
        const QModelIndex index = view->model()->index(item, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
        QApplication::processEvents();
        QTest::keyClick(focused(), Qt::Key_Return);
        QApplication::processEvents();
    }

    TFBACnet_Eng_Unit picker;
};

// ---- the table ------------------------------------------------------------------------------------------

TEST_F(BACnetWindows, LayoutAndTexts)
{
    TFBACnetSlaveSetAccess w;
    open(w);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("BACnet Set Access"));
    EXPECT_EQ(w.L_SW_Desc->text(), QStringLiteral("BACnet Set Access"));
    EXPECT_EQ(w.L_SW_Code->text(), SW_Code);
    EXPECT_EQ(w.size(), QSize(920, 337));
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("BACnet in Read"));
    EXPECT_EQ(w.PageControl1->tabText(1), QStringLiteral("BACnet in Write"));
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TS_BACnet_in_Read);
    // Only the copy buttons show their hints.
    const TLbButton *buttons[] = {w.Btn_OK, w.Btn_Cancel, w.Btn_DelRow, w.Btn_InsRow, w.Btn_CopyRow, w.Btn_PasteRow};
    const char *captions[] = {"OK", "Cancel", "Delete Row", "Insert Row", "Copy Row", "Paste Row"};
    const char *hints[] = {"", "", "", "", "Copy all Fields of the Selected Row", "Paste the Copied Fields in the Selected Row"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(buttons[i]->text(), QLatin1String(captions[i]));
        EXPECT_EQ(buttons[i]->toolTip(), QLatin1String(hints[i]));
    }
    const QStringList headers{"N", "Data Type", "Eng. Unit", "Position", "Start Bit", "Length", "Swap", "Swap Word", "Mnemonic"};
    const int widths[] = {40, 150, 100, 64, 64, 64, 40, 75, 277};
    for (TNovaColumnGrid *g : {w.NCG_BACnet_in_Read, w.NCG_BACnet_in_Write}) {
        ASSERT_EQ(g->AllColCount(), 9);
        for (int c = 0; c < 9; ++c) {
            EXPECT_EQ(g->Columns()->Items(c)->Header(), headers.at(c)) << c;
            EXPECT_EQ(g->ColWidths(c), widths[c]) << c;
            EXPECT_FALSE(g->Columns()->Items(c)->ReadOnly()) << c;
        }
        const QStringList &positions = g->Columns()->Items(3)->ComboItems();
        ASSERT_EQ(positions.size(), 1440);
        EXPECT_EQ(positions.back(), QStringLiteral("1439"));
        EXPECT_EQ(g->Columns()->Items(4)->ComboItems(), (QStringList{"0", "1", "2", "3", "4", "5", "6", "7"}));
        EXPECT_EQ(g->Columns()->Items(6)->Editor(), edDataCheckBox);
        EXPECT_EQ(g->Columns()->Items(7)->Editor(), edDataCheckBox);
        // No column shows a hint.
        QString h = QStringLiteral("grid's own");
        g->OnGridHint(g, 0, 1, h);
        EXPECT_EQ(h, QStringLiteral("grid's own"));
    }
    EXPECT_EQ(w.NCG_BACnet_in_Read->Columns()->Items(1)->ComboItems(),
              (QStringList{"Analog Input", "Analog Value", "Binary Input", "Binary Value", "Positive Integer Value",
                           "Large Analog Value", "Integer Value", "Multi State Input", "Multi State Value",
                           "Life Safety Point", "Life Safety Zone", "Access Door", "Accumulator"}));
    EXPECT_EQ(w.NCG_BACnet_in_Write->Columns()->Items(1)->ComboItems(),
              (QStringList{"Analog Out", "Analog Value", "Binary Out", "Binary Value", "Positive Integer Value",
                           "Large Analog Value", "Integer Value", "Multi State Output", "Multi State Value", "Access Door"}));
    w.hide();
}

TEST_F(BACnetWindows, RowCountFollowsTheCharsLimitAtEveryShowing)
{
    TFBACnetSlaveSetAccess w;
    const struct {
        const char *parGen; // nullptr: no "ParGen.xml"
        int rows;
    } cases[] = {
        {nullptr, 2000},
        {"<Par_Gen><Device_Name>x</Device_Name></Par_Gen>", 2000},
        {"<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>", 1000},
        {"<Par_Gen><BACnet_Desc_Chars_Limit> 1</BACnet_Desc_Chars_Limit></Par_Gen>", 2000},
        {"<Par_Gen><BACnet_Desc_Chars_Limit>0</BACnet_Desc_Chars_Limit></Par_Gen>", 2000},
        {"<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>", 1000},
        {"<Par_Gen><BACnet_Desc_Chars_Limit/></Par_Gen>", 2000},
    };
    for (const auto &c : cases) {
        QFile::remove(ParGen_File);
        if (c.parGen) writeFile(ParGen_File, c.parGen);
        // Something left in the last row from before: the showing clears every row it numbers.
        w.NCG_BACnet_in_Write->SetCells(8, w.NCG_BACnet_in_Write->RowCount() - 1, QStringLiteral("old"));
        ModalResponder quiet;
        open(w);
        EXPECT_EQ(quiet.texts(), QStringList()) << (c.parGen ? c.parGen : "no file");
        EXPECT_EQ(w.Desc_Lenght, c.rows == 1000);
        for (TNovaColumnGrid *g : {w.NCG_BACnet_in_Read, w.NCG_BACnet_in_Write}) {
            ASSERT_EQ(g->RowCount(), c.rows + 1);
            EXPECT_EQ(g->Cells(0, c.rows), QString::number(c.rows));
            EXPECT_EQ(g->Cells(8, c.rows), QString());
            EXPECT_EQ(g->Cells(1, c.rows), QString()) << "no Enable column";
        }
        w.hide();
    }

    // A communication file that is not well-formed stops the showing with the parser's message.
    writeFile(ParGen_File, "<Par_Gen><BACnet_Desc_Chars_Limit>1</Par_Gen>");
    ModalResponder responder;
    open(w);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts().front().startsWith(ParGen_File + QStringLiteral(", line 1: ")))
        << responder.texts().front().toStdString();
    w.hide();
}

TEST_F(BACnetWindows, ReadChecksInOrder)
{
    TFBACnetSlaveSetAccess w;
    const char *pos = "Error row 1!! [BACnet in Read] Position must be between 0 and 1439";
    const char *bytes = "Error row 1!! [BACnet in Read] Too many bytes to save starting from the Position indicate";
    const char *bit = "Error row 1!! [BACnet in Read] Bit must be between 0 and 7";
    const char *analogInput = "Error row 1!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4";
    // Each case also breaks the next check, which therefore comes later.
    runChecks(w, 0, kValidRead,
              {
                  {{{2, ""}, {3, "1440"}}, "Error row 1!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
                  {{{2, "65536"}}, "Error row 1!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
                  {{{2, "-1"}}, "Error row 1!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
                  {{{2, "65535"}}, nullptr},
                  {{{3, "1440"}, {5, "9"}}, pos},
                  {{{3, ""}}, pos},
                  {{{3, "-1"}}, pos},
                  {{{5, "5"}, {3, "1439"}}, analogInput},
                  {{{5, "0"}}, analogInput},
                  {{{5, "x"}}, analogInput}, // not a number counts as 0
                  {{{5, ""}}, analogInput},
                  {{{3, "1437"}}, bytes},   // last byte 1440
                  {{{3, "1436"}}, nullptr}, // last byte 1439
                  // The binary types want a Start Bit, whatever their Length.
                  {{{1, "Binary Input"}, {4, ""}, {5, "99"}}, bit},
                  {{{1, "Binary Value"}, {4, ""}}, bit},
                  {{{1, "Binary Input"}, {3, "1439"}, {4, "7"}, {5, "99"}}, nullptr},
                  // Binary by name in either table.
                  {{{1, "Binary Out"}, {4, ""}}, bit},
                  // The Length each type allows.
                  {{{1, "Positive Integer Value"}, {5, "5"}},
                   "Error row 1!! [BACnet in Read] Length with variable \"Positive Integer Value\" must be between 1 and 4"},
                  {{{1, "Large Analog Value"}, {5, "9"}},
                   "Error row 1!! [BACnet in Read] Length with variable \"Large Analog Value\" must be between 1 and 8"},
                  {{{1, "Large Analog Value"}, {5, "8"}, {3, "1432"}}, nullptr},
                  {{{1, "Large Analog Value"}, {5, "8"}, {3, "1433"}}, bytes},
                  {{{1, "Analog Value"}, {5, "5"}},
                   "Error row 1!! [BACnet in Read] Length with variable \"Analog Value\" must be between 1 and 4"},
                  {{{1, "Multi State Input"}, {5, "0"}},
                   "Error row 1!! [BACnet in Read] Length with variable \"Multi State Input\" must be between 1 and 4"},
                  {{{1, "Multi State Value"}, {5, "5"}},
                   "Error row 1!! [BACnet in Read] Length with variable \"Multi State Value\" must be between 1 and 4"},
                  {{{1, "Life Safety Point"}, {5, "3"}},
                   "Error row 1!! [BACnet in Read] Length with variable \"Life Safety Point\" must be 1 or 2"},
                  {{{1, "Life Safety Zone"}, {5, "3"}},
                   "Error row 1!! [BACnet in Read] Length with variable \"Life Safety Zone\" must be 1 or 2"},
                  {{{1, "Life Safety Zone"}, {5, "2"}}, nullptr},
                  {{{1, "Access Door"}, {5, "2"}},
                   "Error row 1!! [BACnet in Read] Length with variable \"Access Door\" must be equal to 1"},
                  {{{1, "Accumulator"}, {5, "5"}},
                   "Error row 1!! [BACnet in Read] Length with variable \"Accumulator\" must be between 1 and 4"},
                  // No Length rule here for "Integer Value", nor for a type of no list; the last byte still counts.
                  {{{1, "Integer Value"}, {5, "99"}}, nullptr},
                  {{{1, "Integer Value"}, {5, "2"}, {3, "1439"}}, bytes},
                  {{{1, "Analog Out"}, {5, "0"}}, nullptr},
                  // The type compares exactly.
                  {{{1, "analog input"}, {5, "9"}}, nullptr},
                  {{{2, "$3E"}, {3, "0x10"}}, nullptr}, // hexadecimal numbers
              });
}

TEST_F(BACnetWindows, WriteChecksInOrder)
{
    TFBACnetSlaveSetAccess w;
    const char *bit = "Error row 1!! [BACnet in Write] Bit must be between 0 and 7";
    runChecks(w, 1, kValidWrite,
              {
                  {{{2, "65536"}, {3, "-1"}}, "Error row 1!! [BACnet in Write] Eng. Unit must be between 0 and 65535"},
                  {{{3, "1440"}, {5, "0"}}, "Error row 1!! [BACnet in Write] Position must be between 0 and 1439"},
                  {{{5, "5"}, {3, "1439"}},
                   "Error row 1!! [BACnet in Write] Length with variable \"Analog Out\" must be between 1 and 4"},
                  {{{3, "1437"}},
                   "Error row 1!! [BACnet in Write] Too many bytes to save starting from the Position indicate"},
                  {{{1, "Binary Out"}, {4, ""}, {5, "4"}}, bit},
                  {{{1, "Binary Value"}, {4, " "}}, bit},
                  {{{1, "Binary Out"}, {3, "1439"}, {4, "0"}}, nullptr},
                  {{{1, "Integer Value"}, {5, "5"}},
                   "Error row 1!! [BACnet in Write] Length with variable \"Integer Value\" must be between 1 and 4"},
                  {{{1, "Integer Value"}, {5, "4"}}, nullptr},
                  {{{1, "Analog Value"}, {5, "0"}},
                   "Error row 1!! [BACnet in Write] Length with variable \"Analog Value\" must be between 1 and 4"},
                  {{{1, "Positive Integer Value"}, {5, "5"}},
                   "Error row 1!! [BACnet in Write] Length with variable \"Positive Integer Value\" must be between 1 and 4"},
                  {{{1, "Large Analog Value"}, {5, "9"}},
                   "Error row 1!! [BACnet in Write] Length with variable \"Large Analog Value\" must be between 1 and 8"},
                  {{{1, "Multi State Output"}, {5, "5"}},
                   "Error row 1!! [BACnet in Write] Length with variable \"Multi State Output\" must be between 1 and 4"},
                  {{{1, "Multi State Value"}, {5, "5"}},
                   "Error row 1!! [BACnet in Write] Length with variable \"Multi State Value\" must be between 1 and 4"},
                  {{{1, "Access Door"}, {5, "2"}},
                   "Error row 1!! [BACnet in Write] Length with variable \"Access Door\" must be equal to 1"},
                  {{{1, "Access Door"}, {5, "1"}, {3, "1439"}}, nullptr},
                  // A read type in the write table has no rule here.
                  {{{1, "Analog Input"}, {5, "9"}}, nullptr},
              });
}

TEST_F(BACnetWindows, TheReadTableIsCheckedFirstAndEndsAtTheFirstEmptyType)
{
    TFBACnetSlaveSetAccess w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_BACnet_in_Read;
    TNovaColumnGrid &write = *w.NCG_BACnet_in_Write;
    setCells(read, 1, kValidRead);
    setCells(read, 2, kValidRead);
    read.SetCells(5, 2, QStringLiteral("7"));
    setCells(write, 1, kValidWrite);
    write.SetCells(2, 1, QStringLiteral("x"));
    EXPECT_EQ(click(w.Btn_OK),
              QStringList{"Error row 2!! [BACnet in Read] Length with variable \"Analog Input\" must be between 1 and 4"});
    // A type of blanks ends the table: the row below it is neither checked nor saved.
    read.SetCells(1, 2, QStringLiteral("  "));
    setCells(read, 3, kValidRead);
    read.SetCells(2, 3, QStringLiteral("x"));
    EXPECT_EQ(click(w.Btn_OK), QStringList{"Error row 1!! [BACnet in Write] Eng. Unit must be between 0 and 65535"});
    write.SetCells(2, 1, QStringLiteral("98"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(BACnet_Slave_SetAccess_File).toStdString(),
              "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"0\" "
              "Length=\"4\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"m\"/></BACnet_in_Read><BACnet_in_Write><row "
              "Data_Type=\"Analog Out\" Eng_Unit=\"98\" Position=\"0\" Bit=\"0\" Length=\"4\" Swap=\"N\" SwapWord=\"N\" "
              "Mnemonic=\"m\"/></BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.001-->");
    EXPECT_XMLLINT_READS(BACnet_Slave_SetAccess_File);
}

TEST_F(BACnetWindows, ObjectsOfBothTablesCountAgainstTheLimit)
{
    TFBACnetSlaveSetAccess w;
    const struct {
        const char *limit; // "BACnet_Desc_Chars_Limit", nullptr: no file
        int read, write;
        const char *message;
    } cases[] = {
        {"1", 600, 401, "Error!! Too many Requests. Max requests 1000"},
        {"1", 600, 400, nullptr},
        {"1", 1000, 0, nullptr},
        {nullptr, 1000, 1001, "Error!! Too many Requests. Max requests 2000"},
        {nullptr, 1000, 1000, nullptr},
        {"0", 2000, 1, "Error!! Too many Requests. Max requests 2000"},
    };
    for (const auto &c : cases) {
        QFile::remove(BACnet_Slave_SetAccess_File); // what the last case saved
        QFile::remove(ParGen_File);
        if (c.limit) writeFile(ParGen_File, parGen(c.limit));
        {
            ModalResponder quiet;
            open(w);
            ASSERT_EQ(quiet.texts(), QStringList());
        }
        for (int r = 1; r <= c.read; ++r) setCells(*w.NCG_BACnet_in_Read, r, kValidRead);
        for (int r = 1; r <= c.write; ++r) setCells(*w.NCG_BACnet_in_Write, r, kValidWrite);
        ModalResponder responder;
        const QStringList boxes = click(w.Btn_OK, responder);
        if (c.message) {
            EXPECT_EQ(boxes, QStringList{QString::fromLatin1(c.message)}) << c.read << "+" << c.write;
            EXPECT_TRUE(w.isVisible());
        } else {
            EXPECT_EQ(boxes, QStringList()) << c.read << "+" << c.write;
            EXPECT_FALSE(w.isVisible());
        }
        w.hide();
    }
}

TEST(BACnetDescription, WriteLengthByType)
{
    const struct {
        const char *type;
        const char *length;
    } cases[] = {
        {"Analog Out", "4"}, {"Analog Value", "4"}, {"Binary Out", "1"}, {"Binary Value", "1"},
        {"Positive Integer Value", "4"}, {"Large Analog Value", "8"}, {"Integer Value", "4"},
        {"Multi State Output", "4"}, {"Multi State Value", "4"}, {"Access Door", "1"},
        {"large analog value", "8"}, // compared in upper case
        {"Analog Input", ""}, {"Binary Input", ""}, {"", ""}, {" Access Door", ""},
    };
    for (const auto &c : cases) EXPECT_EQ(BACnet_Write_Length(QLatin1String(c.type)), QLatin1String(c.length)) << c.type;
}

TEST_F(BACnetWindows, ChoosingATypeInTheWriteTableFillsItsLength)
{
    TFBACnetSlaveSetAccess w;
    open(w);
    w.PageControl1->setCurrentWidget(w.TS_BACnet_in_Write);
    TNovaColumnGrid &write = *w.NCG_BACnet_in_Write;
    choose(write, 1, 1, 5);
    EXPECT_EQ(write.Cells(1, 1), QStringLiteral("Large Analog Value"));
    EXPECT_EQ(write.Cells(5, 1), QStringLiteral("8"));
    // A choice overwrites a Length typed before.
    typeInto(write, 5, 1, QStringLiteral("3"));
    ASSERT_EQ(write.Cells(5, 1), QStringLiteral("3"));
    choose(write, 1, 1, 9);
    EXPECT_EQ(write.Cells(1, 1), QStringLiteral("Access Door"));
    EXPECT_EQ(write.Cells(5, 1), QStringLiteral("1"));
    typeInto(write, 5, 1, QStringLiteral("3"));
    choose(write, 1, 1, 9); // the item the cell holds: no choice, nothing changes
    EXPECT_EQ(write.Cells(5, 1), QStringLiteral("3"));
    choose(write, 1, 2, 2);
    EXPECT_EQ(write.Cells(1, 2), QStringLiteral("Binary Out"));
    EXPECT_EQ(write.Cells(5, 2), QStringLiteral("1"));

    // The read table fills in nothing.
    w.PageControl1->setCurrentWidget(w.TS_BACnet_in_Read);
    QApplication::processEvents();
    choose(*w.NCG_BACnet_in_Read, 1, 1, 5);
    EXPECT_EQ(w.NCG_BACnet_in_Read->Cells(1, 1), QStringLiteral("Large Analog Value"));
    EXPECT_EQ(w.NCG_BACnet_in_Read->Cells(5, 1), QString());
    w.hide();
}

// ---- the picker from the table ----------------------------------------------------------------------------

TEST_F(BACnetWindows, ADoubleClickInTheEngUnitColumnOpensThePicker)
{
    TFBACnetSlaveSetAccess w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_BACnet_in_Read;
    read.SetCells(2, 1, QStringLiteral("62"));

    // What the picker shows, then its choice with the keyboard and the mouse, then OK.
    QString shown, label;
    {
        ModalResponder responder;
        responder.then([&](QWidget *win) {
            EXPECT_EQ(win, &picker);
            shown = picker.E_Selected_EU->text();
            label = picker.Label5->text();
            picker.CB_Select_Type->setFocus();
            QTest::keyClick(picker.CB_Select_Type, Qt::Key_End); // "Other"
            picker.CB_Select_Unit->setFocus();
            QTest::keyClick(picker.CB_Select_Unit, Qt::Key_Home);
            for (int i = 0; i < 29; ++i) QTest::keyClick(picker.CB_Select_Unit, Qt::Key_Down);
            QTest::mouseClick(picker.Btn_Select_Eng_Unit, Qt::LeftButton);
            QTest::mouseClick(picker.Btn_OK, Qt::LeftButton);
        });
        QTest::mouseDClick(read.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(read, 2, 1));
        QApplication::processEvents();
        EXPECT_EQ(responder.modalsSeen(), 1);
        EXPECT_FALSE(responder.timedOut());
    }
    EXPECT_EQ(shown, QStringLiteral("62"));
    EXPECT_EQ(label, QStringLiteral("-> degrees-Celsius"));
    EXPECT_EQ(read.Cells(2, 1), QStringLiteral("207"));
    EXPECT_FALSE(read.EditMode()) << "no editor left over the cell";

    // Cells that are no code, or no code of the list: "unknown"; Cancel leaves the cell.
    for (const char *text : {"", "abc", "300"}) {
        read.SetCells(2, 3, QLatin1String(text));
        ModalResponder responder;
        responder.then([&](QWidget *) {
            shown = picker.E_Selected_EU->text();
            label = picker.Label5->text();
            QTest::mouseClick(picker.Btn_Select_Eng_Unit, Qt::LeftButton);
            QTest::mouseClick(picker.Btn_Cancel, Qt::LeftButton);
        });
        QTest::mouseDClick(read.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(read, 2, 3));
        QApplication::processEvents();
        EXPECT_EQ(shown, QLatin1String(text));
        EXPECT_EQ(label, QStringLiteral("-> unknown")) << text;
        EXPECT_EQ(read.Cells(2, 3), QLatin1String(text)) << "Cancel";
    }

    // The write table's column 2 too; what the user typed into the field is what OK returns.
    w.PageControl1->setCurrentWidget(w.TS_BACnet_in_Write);
    TNovaColumnGrid &write = *w.NCG_BACnet_in_Write;
    {
        ModalResponder responder;
        responder.then([&](QWidget *) {
            picker.E_Selected_EU->setFocus();
            picker.E_Selected_EU->selectAll();
            QTest::keyClicks(picker.E_Selected_EU, QStringLiteral("1234"));
            label = picker.Label5->text();
            QTest::mouseClick(picker.Btn_OK, Qt::LeftButton);
        });
        QTest::mouseDClick(write.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(write, 2, 4));
        QApplication::processEvents();
    }
    EXPECT_EQ(write.Cells(2, 4), QStringLiteral("1234"));
    EXPECT_EQ(label, QStringLiteral("-> unknown")) << "typing does not name the unit";

    // The title cell: no number, so "unknown"; OK writes the code into the title.
    {
        ModalResponder responder;
        responder.then([&](QWidget *) {
            label = picker.Label5->text();
            picker.CB_Select_Type->setFocus();
            QTest::keyClick(picker.CB_Select_Type, Qt::Key_Home); // "Acceleration"
            QTest::mouseClick(picker.Btn_Select_Eng_Unit, Qt::LeftButton);
            QTest::mouseClick(picker.Btn_OK, Qt::LeftButton);
        });
        QTest::mouseDClick(write.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(write, 2, 0));
        QApplication::processEvents();
    }
    EXPECT_EQ(label, QStringLiteral("-> unknown"));
    EXPECT_EQ(write.Cells(2, 0), QStringLiteral("166"));

    // Other columns open nothing.
    {
        ModalResponder responder;
        QTest::mouseDClick(write.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(write, 8, 4));
        QApplication::processEvents();
        EXPECT_EQ(responder.modalsSeen(), 0);
    }
    w.hide();
}

TEST_F(BACnetWindows, ADoubleClickSizesATitleOnlyWithTheOption)
{
    TFBACnetSlaveSetAccess w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_BACnet_in_Read;
    read.SetCells(8, 1, QString(80, QLatin1Char('W')));
    QTest::mouseDClick(read.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(read, 8, 0));
    EXPECT_EQ(read.ColWidths(8), 277);
    Opt_Double_Click_Auto_Size = true;
    QTest::mouseDClick(read.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(read, 8, 1));
    EXPECT_EQ(read.ColWidths(8), 277) << "a data cell";
    QTest::mouseDClick(read.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(read, 8, 0));
    EXPECT_GT(read.ColWidths(8), 400);
    w.hide();
}

// ---- the file -----------------------------------------------------------------------------------------------

TEST_F(BACnetWindows, FileRoundTripIsByteExact)
{
    writeFile(BACnet_Slave_SetAccess_File, fixture("BACnet_Slave_SetAccess_in.xml"));
    TFBACnetSlaveSetAccess w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_BACnet_in_Read;
    TNovaColumnGrid &write = *w.NCG_BACnet_in_Write;
    EXPECT_EQ(tabletest::rowCells(read, 1, 1, 8),
              (QStringList{"Analog Input", "62", "10", "0", "4", "Y", "Y", QString::fromUtf8("Temp & \"Kühlung\" <1>")}));
    // Without "Swap" and "SwapWord": "N".
    EXPECT_EQ(tabletest::rowCells(read, 2, 6, 8), (QStringList{"N", "N", "door"}));
    EXPECT_EQ(tabletest::rowCells(write, 1, 1, 8),
              (QStringList{"Large Analog Value", "98", "100", "0", "8", "N", "Y", "setpoint"}));
    EXPECT_EQ(read.Cells(0, 3), QStringLiteral("3"));
    EXPECT_EQ(read.Cells(1, 3), QString()) << "rows beyond the file";

    typeInto(read, 2, 2, QStringLiteral("95"));
    ASSERT_EQ(read.Cells(2, 2), QStringLiteral("95"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const QByteArray golden = fixture("BACnet_Slave_SetAccess_golden.xml");
    EXPECT_EQ(readAll(BACnet_Slave_SetAccess_File).toStdString(), golden.toStdString());
    EXPECT_XMLLINT_READS(BACnet_Slave_SetAccess_File);

    // Cancel leaves the file; the next showing shows it; OK again writes the same bytes.
    open(w);
    read.SetCells(2, 2, QStringLiteral("1"));
    EXPECT_EQ(click(w.Btn_Cancel), QStringList());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    open(w);
    EXPECT_EQ(read.Cells(2, 2), QStringLiteral("95"));
    EXPECT_EQ(click(w.Btn_OK), QStringList());
    EXPECT_EQ(readAll(BACnet_Slave_SetAccess_File).toStdString(), golden.toStdString());

    // A row without "Mnemonic" stops the load there; the file is kept beside itself.
    QByteArray noName = golden;
    noName.replace(" Mnemonic=\"setpoint\"", "");
    writeFile(BACnet_Slave_SetAccess_File, noName);
    ModalResponder responder;
    open(w);
    ASSERT_EQ(responder.texts().size(), 1);
    EXPECT_TRUE(responder.texts().front().contains(QLatin1String("\"Mnemonic\""))) << responder.texts().front().toStdString();
    EXPECT_TRUE(responder.texts().front().contains(QLatin1String("BACnet_Slave_SetAccess.xml.bad")));
    EXPECT_EQ(readAll(BACnet_Slave_SetAccess_File + QStringLiteral(".bad")), noName);
    EXPECT_EQ(read.Cells(2, 2), QStringLiteral("95")) << "the read table before the stop";
    EXPECT_EQ(write.Cells(7, 1), QStringLiteral("Y"));
    EXPECT_EQ(write.Cells(8, 1), QString());
    w.hide();
}

TEST_F(BACnetWindows, RowButtons)
{
    TFBACnetSlaveSetAccess w;
    open(w);
    TNovaColumnGrid &read = *w.NCG_BACnet_in_Read;
    TNovaColumnGrid &write = *w.NCG_BACnet_in_Write;
    for (int r = 1; r <= 3; ++r) setCells(read, r, {{1, "Analog Input"}, {8, QStringLiteral("m%1").arg(r)}});
    clickCell(read, 8, 3);
    {
        ModalResponder responder;
        responder.answerBox(QMessageBox::Yes);
        EXPECT_EQ(click(w.Btn_DelRow, responder), QStringList{"Are you sure to delete the Row number 3"});
        EXPECT_EQ(read.Cells(8, 3), QString());
    }
    // Insert: no Enable column, an empty row.
    clickCell(read, 8, 1);
    click(w.Btn_InsRow);
    EXPECT_EQ(tabletest::rowCells(read, 1, 1, 8), QStringList(8, QString()));
    EXPECT_EQ(read.Cells(8, 2), QStringLiteral("m1"));
    // A row copied in the read table cannot be pasted in the write table.
    clickCell(read, 8, 2);
    click(w.Btn_CopyRow);
    EXPECT_TRUE(w.Do_Copy_Read);
    EXPECT_FALSE(w.Do_Copy_Write);
    w.PageControl1->setCurrentWidget(w.TS_BACnet_in_Write);
    clickCell(write, 8, 1);
    EXPECT_EQ(click(w.Btn_PasteRow), QStringList{"Error!!! Copy a valid row before Paste it"});
    // A click on the row number selects the row.
    clickCell(write, 0, 5);
    EXPECT_EQ(write.Selection().Top, 5);
    EXPECT_EQ(write.Selection().Right, write.ColCount() - 1);
    w.hide();
}

// ---- the picker alone ---------------------------------------------------------------------------------------

class BACnetEngUnit : public TableWindowTest {
protected:
    // Shows the picker as the table does (field and label set first), runs act on it, then closes it.
    int pick(TFBACnet_Eng_Unit &p, const QString &field, const std::function<void()> &act)
    {
        p.E_Selected_EU->setText(field);
        p.Label5->setText(QStringLiteral("-> ") + TFBACnet_Eng_Unit::Desc_Unit(StrToIntDef(field, -1)));
        ModalResponder responder;
        responder.then([&](QWidget *) { act(); });
        return p.exec();
    }
    static void chooseType(TFBACnet_Eng_Unit &p, const char *group)
    {
        const int i = p.CB_Select_Type->findText(QLatin1String(group));
        ASSERT_GE(i, 0) << group;
        p.CB_Select_Type->setFocus();
        QTest::keyClick(p.CB_Select_Type, Qt::Key_Home);
        for (int k = 0; k < i; ++k) QTest::keyClick(p.CB_Select_Type, Qt::Key_Down);
    }
    static void chooseUnit(TFBACnet_Eng_Unit &p, const char *unit)
    {
        const int i = p.CB_Select_Unit->findText(QLatin1String(unit));
        ASSERT_GE(i, 0) << unit;
        p.CB_Select_Unit->setFocus();
        QTest::keyClick(p.CB_Select_Unit, Qt::Key_Home);
        for (int k = 0; k < i; ++k) QTest::keyClick(p.CB_Select_Unit, Qt::Key_Down);
    }
};

TEST_F(BACnetEngUnit, LayoutAndTexts)
{
    TFBACnet_Eng_Unit p;
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Select the BACnet Engineering Unit"));
    EXPECT_EQ(p.L_SW_Desc->text(), QStringLiteral("Select the BACnet Engineering Unit"));
    EXPECT_EQ(p.L_SW_Code->text(), SW_Code);
    EXPECT_EQ(p.size(), QSize(548, 306));
    EXPECT_EQ(p.Label1->text(), QStringLiteral("Selected BACnet Engineering Unit"));
    EXPECT_EQ(p.Label2->text(), QStringLiteral("Select a New BACnet Engineering Unit"));
    EXPECT_EQ(p.Label3->text(), QStringLiteral("Select the Type"));
    EXPECT_EQ(p.Label4->text(), QStringLiteral("Select Unit"));
    EXPECT_EQ(p.Btn_Select_Eng_Unit->text(), QStringLiteral("Select Engineering Unit"));
    EXPECT_EQ(p.Btn_OK->text(), QStringLiteral("OK"));
    EXPECT_EQ(p.Btn_Cancel->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(p.CB_Select_Type->count(), 23);
    EXPECT_EQ(p.CB_Select_Type->currentText(), QStringLiteral("Acceleration"));
    EXPECT_FALSE(p.CB_Select_Type->isEditable());
    EXPECT_FALSE(p.CB_Select_Unit->isEditable());
    p.show();
    QApplication::processEvents();
    // The button spans the client's width; the field and its name sit side by side under the title.
    EXPECT_GT(p.Btn_Select_Eng_Unit->width(), 480);
    EXPECT_GT(p.Label5->x(), p.E_Selected_EU->x() + p.E_Selected_EU->width() - 1);
    EXPECT_LT(p.Shape2->geometry().bottom(), p.P_Client->height());
    p.hide();
}

TEST_F(BACnetEngUnit, EveryCodeIsOfferedOnce)
{
    TFBACnet_Eng_Unit p;
    std::multiset<int> codes;
    pick(p, QString(), [&] {
        for (int g = 0; g < p.CB_Select_Type->count(); ++g) {
            p.CB_Select_Type->setCurrentIndex(g);
            p.CB_Select_TypeSelect();
            for (int u = 0; u < p.CB_Select_Unit->count(); ++u) {
                p.CB_Select_Unit->setCurrentIndex(u);
                QTest::mouseClick(p.Btn_Select_Eng_Unit, Qt::LeftButton);
                const int code = p.E_Selected_EU->text().toInt();
                codes.insert(code);
                EXPECT_EQ(p.Label5->text(), QStringLiteral("-> ") + Desc_Unit(code));
            }
        }
        QTest::mouseClick(p.Btn_Cancel, Qt::LeftButton);
    });
    EXPECT_EQ(codes.size(), 237u);
    for (int code = 0; code <= 236; ++code) EXPECT_EQ(codes.count(code), 1u) << code;
}

TEST_F(BACnetEngUnit, SelectingAUnitGivesItsCodeAndName)
{
    const struct {
        const char *group, *unit, *code, *label;
    } cases[] = {
        {"Other", "per-mille", "207", "-> per-mille"},
        {"Electrical", "ohms-meters", "172", "-> ohm-meters"},
        {"Other", "megajoules-per-square-meter", "139", "-> megajoules-hours-per-square-meter"},
        {"Acceleration", "meters-per-second-per-second", "166", "-> meters-per-second-per-second"},
        {"Temperature", "degrees-Celsius", "62", "-> degrees-Celsius"},
        {"Power", "housepower", "51", "-> housepower"},
    };
    TFBACnet_Eng_Unit p;
    for (const auto &c : cases) {
        QString field, label;
        const int result = pick(p, QStringLiteral("0"), [&] {
            chooseType(p, c.group);
            chooseUnit(p, c.unit);
            QTest::mouseClick(p.Btn_Select_Eng_Unit, Qt::LeftButton);
            field = p.E_Selected_EU->text();
            label = p.Label5->text();
            QTest::mouseClick(p.Btn_OK, Qt::LeftButton);
        });
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_EQ(field, QLatin1String(c.code)) << c.unit;
        EXPECT_EQ(label, QLatin1String(c.label)) << c.unit;
    }
    // "Acceleration" holds one unit.
    p.CB_Select_Type->setCurrentIndex(0);
    p.CB_Select_TypeSelect();
    EXPECT_EQ(p.CB_Select_Unit->count(), 1);
    EXPECT_EQ(p.CB_Select_Type->itemText(22), QStringLiteral("Other"));
    p.CB_Select_Type->setCurrentIndex(22);
    p.CB_Select_TypeSelect();
    EXPECT_EQ(p.CB_Select_Unit->itemText(29), QStringLiteral("per-mille")) << "the 30th unit of \"Other\"";
}

TEST_F(BACnetEngUnit, TheGroupSurvivesShowingsAndTheListStartsAtItsFirstUnit)
{
    TFBACnet_Eng_Unit p;
    QString field, label;
    pick(p, QStringLiteral("62"), [&] {
        chooseType(p, "Temperature");
        chooseUnit(p, "delta-degrees-Kelvin");
        // A group choice leaves the field and the name alone.
        field = p.E_Selected_EU->text();
        label = p.Label5->text();
        QTest::mouseClick(p.Btn_Cancel, Qt::LeftButton);
    });
    EXPECT_EQ(field, QStringLiteral("62"));
    EXPECT_EQ(label, QStringLiteral("-> degrees-Celsius"));
    QString group, unit;
    const int result = pick(p, QStringLiteral("abc"), [&] {
        group = p.CB_Select_Type->currentText();
        unit = p.CB_Select_Unit->currentText();
        field = p.E_Selected_EU->text();
        label = p.Label5->text();
        p.close(); // the close box: Cancel
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(group, QStringLiteral("Temperature"));
    EXPECT_EQ(unit, QStringLiteral("degrees-Celsius"));
    EXPECT_EQ(field, QStringLiteral("abc"));
    EXPECT_EQ(label, QStringLiteral("-> unknown"));
    // OK without "Select Engineering Unit" returns the field as it was.
    const int ok = pick(p, QStringLiteral("300"), [&] { QTest::mouseClick(p.Btn_OK, Qt::LeftButton); });
    EXPECT_EQ(ok, QDialog::Accepted);
    EXPECT_EQ(p.E_Selected_EU->text(), QStringLiteral("300"));
}

// ---- in the program ---------------------------------------------------------------------------------------

TEST_F(BACnetWindows, TheMainWindowCreatesTranslatesAndOpensThem)
{
    FBACnet_Eng_Unit = nullptr; // the program's own
    QTemporaryDir exe;
    TProgramWindows windows(exe.path());
    ASSERT_NE(FBACnet_Eng_Unit, nullptr);
    ASSERT_NE(FBACnetSlaveSetAccess, nullptr);
    DIDurovuzozAdozAvir *main = FDovavivuvFirmWare;
    ASSERT_TRUE(Project_Path.isEmpty());
    {
        ModalResponder responder;
        main->Btn_Click(main->Btn_BACnet_SetAccess);
        EXPECT_EQ(responder.texts(), QStringList{"Error! Project not Valid"});
    }
    Project_Path = dir.path();
    main->Set_Files();
    writeFile(BACnet_Slave_SetAccess_File, fixture("BACnet_Slave_SetAccess_in.xml"));
    QWidget *seen = nullptr, *picked = nullptr;
    QString shownType;
    {
        ModalResponder responder;
        responder.then([&](QWidget *w) {
            seen = w;
            TNovaColumnGrid &read = *FBACnetSlaveSetAccess->NCG_BACnet_in_Read;
            shownType = read.Cells(1, 1);
            // Once the table runs its own loop: the double click opens the picker there.
            QTimer::singleShot(0, [&read] {
                QTest::mouseDClick(read.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(read, 2, 2));
            });
        });
        responder.then([&](QWidget *w) {
            picked = w;
            QTest::mouseClick(FBACnet_Eng_Unit->Btn_Select_Eng_Unit, Qt::LeftButton); // "Acceleration"
            QTest::mouseClick(FBACnet_Eng_Unit->Btn_OK, Qt::LeftButton);
            QTimer::singleShot(0, [] { QTest::mouseClick(FBACnetSlaveSetAccess->Btn_OK, Qt::LeftButton); });
        });
        main->Btn_Click(main->Btn_BACnet_SetAccess);
        EXPECT_FALSE(responder.timedOut());
        EXPECT_EQ(responder.texts(), QStringList());
    }
    EXPECT_EQ(seen, FBACnetSlaveSetAccess);
    EXPECT_EQ(picked, FBACnet_Eng_Unit);
    EXPECT_EQ(shownType, QStringLiteral("Analog Input"));
    EXPECT_TRUE(readAll(BACnet_Slave_SetAccess_File).contains("Eng_Unit=\"166\" Position=\"12\""));
    EXPECT_FALSE(main->Btn_BACnet_SetAccess->isVisibleTo(main));

    writeFile(Language_Dir + QStringLiteral("/Deutsch.lng"),
              "\xEF\xBB\xBFSTR2100 = BACnet-Zugriff\nSTR2117 = Datentyp\nSTR2109 = Schreiben\nSTR2114 = Zeile kopieren\n"
              "STR2200 = Einheit w\xC3\xA4hlen\nSTR2206 = Gruppe\nSTR2208 = Einheit \xC3\xBC" "bernehmen\n");
    Language_Name = QStringLiteral("Deutsch");
    Load_Language();
    main->Change_Language();
    TFBACnetSlaveSetAccess &b = *FBACnetSlaveSetAccess;
    EXPECT_FALSE(b.isVisible());
    EXPECT_EQ(b.windowTitle(), QStringLiteral("BACnet-Zugriff"));
    EXPECT_EQ(b.NCG_BACnet_in_Read->Columns()->Items(1)->Header(), QStringLiteral("Datentyp"));
    EXPECT_EQ(b.NCG_BACnet_in_Write->Columns()->Items(1)->Header(), QStringLiteral("Data Type")) << "slot 2125";
    EXPECT_EQ(b.NCG_BACnet_in_Read->Columns()->Items(7)->Header(), QStringLiteral("Swap Word"));
    EXPECT_EQ(b.PageControl1->tabText(1), QStringLiteral("Schreiben"));
    EXPECT_EQ(b.Btn_CopyRow->toolTip(), QStringLiteral("Zeile kopieren"));
    EXPECT_EQ(FBACnet_Eng_Unit->windowTitle(), QString::fromUtf8("Einheit wählen"));
    EXPECT_EQ(FBACnet_Eng_Unit->Label3->text(), QStringLiteral("Gruppe"));
    EXPECT_EQ(FBACnet_Eng_Unit->Btn_Select_Eng_Unit->text(), QString::fromUtf8("Einheit übernehmen"));
    EXPECT_EQ(FBACnet_Eng_Unit->CB_Select_Type->itemText(0), QStringLiteral("Acceleration")) << "never translated";
    Language_Name = QStringLiteral("English");
    Load_Language();
    main->Change_Language();
    EXPECT_EQ(b.windowTitle(), QStringLiteral("BACnet Set Access"));
    main->close();
}

// ---- how they look ---------------------------------------------------------------------------------------

// The write table with its picker open over it; with CFG_SCREENSHOT_DIR set the picture is kept there
// (under a virtual X screen the screen itself is taken).
TEST_F(BACnetWindows, TheTableWithThePickerOpenRenders)
{
    writeFile(BACnet_Slave_SetAccess_File, fixture("BACnet_Slave_SetAccess_in.xml"));
    TFBACnetSlaveSetAccess w;
    open(w);
    w.move(0, 0);
    w.PageControl1->setCurrentWidget(w.TS_BACnet_in_Write);
    TNovaColumnGrid &write = *w.NCG_BACnet_in_Write;
    const QString keep = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
    QImage table, dialog, screen;
    ModalResponder responder;
    responder.then([&](QWidget *) {
        picker.move(200, 120);
        picker.CB_Select_Type->setCurrentIndex(22);
        picker.CB_Select_TypeSelect();
        picker.CB_Select_Unit->setCurrentIndex(29);
        QTest::mouseClick(picker.Btn_Select_Eng_Unit, Qt::LeftButton);
        QApplication::processEvents();
        QTest::qWait(50);
        table = w.grab().toImage();
        dialog = picker.grab().toImage();
        if (QGuiApplication::platformName() == QLatin1String("xcb")) screen = picker.screen()->grabWindow(0).toImage();
        QTest::mouseClick(picker.Btn_Cancel, Qt::LeftButton);
    });
    QTest::mouseDClick(write.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(write, 2, 1));
    QApplication::processEvents();
    ASSERT_FALSE(dialog.isNull());
    EXPECT_EQ(dialog.size(), QSize(548, 306));
    // Text in the picker's name label: dark pixels right of the field.
    const QRect name = picker.Label5->geometry().translated(picker.P_Client->pos());
    int ink = 0;
    for (int x = name.left(); x < name.right(); ++x)
        for (int y = name.top(); y < name.bottom(); ++y)
            if (dialog.pixelColor(x, y).lightness() < 80) ++ink;
    EXPECT_GT(ink, 30);
    if (!keep.isEmpty()) {
        table.save(keep + QStringLiteral("/FBACnetSlaveSetAccess_write.png"));
        dialog.save(keep + QStringLiteral("/FBACnet_Eng_Unit.png"));
        if (!screen.isNull()) screen.save(keep + QStringLiteral("/FBACnetSlaveSetAccess_with_picker.png"));
    }
    w.hide();
}

} // namespace
