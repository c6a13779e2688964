// The column stream: the column grid's items written as one component-stream record and read
// back, and streams that must be refused before the grid changes.
#include "grid/ColumnGridIO.h"
#include "grid/NovaColumnGrid.h"

#include <QBuffer>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// Bytes of a literal, zero bytes included.
#define BYTES(s) QByteArray(s, sizeof(s) - 1)

namespace {

struct ColumnStream : ::testing::Test {
    QWidget window;
    TNovaColumnGrid *grid = new TNovaColumnGrid(&window);
    QMenu *menu = new QMenu(&window);

    void SetUp() override
    {
        menu->setObjectName(QStringLiteral("columnMenu"));
        grid->SetColCount(4);
        grid->SetRowCount(3);
        for (int c = 0; c < 4; ++c)
            grid->SetColWidths(c, 40 + 7 * c);
        TGridColumnItem &a = *item(1);
        a.SetHeader(QStringLiteral("Address"));
        a.SetEditor(edComboList);
        a.SetComboItems({QStringLiteral("one"), QString(), QStringLiteral("thr\u00e9e")});
        a.SetReadOnly(true);
        a.SetAlignment(taRightJustify);
        a.SetHeaderAlignment(taCenter);
        a.SetColor(TColor(0x123456));
        a.SetPrintColor(clInfoBk);
        TFont f = a.Font();
        f.Name = QStringLiteral("Courier");
        f.Size = 13;
        f.Style = TFontStyles{fsBold, fsUnderline};
        f.Color = clRed;
        a.SetFont(f);
        f.Size = 7;
        a.SetHeaderFont(f);
        a.SetBorders(TCellBorders{cbLeft, cbBottom});
        a.SetBorderPen(TPen{clNavy, 3, psDot});
        a.SetPrintBorders(TCellBorders{});
        a.SetSortStyle(ssNumeric);
        a.SetSortPrefix(QStringLiteral("$"));
        a.SetName(QStringLiteral("addr"));
        a.SetFilter({QStringLiteral("Low=<10")});
        a.SetMinSize(20);
        a.SetAutoMaxSize(300);
        a.SetSpinMin(-5);
        a.SetSpinMax(500000);
        a.SetTag(-1);
        a.SetFloatFormat(QStringLiteral("%.3f"));
        a.SetColumnPopup(menu);
        item(2)->SetHeader(QStringLiteral("On"));
        item(2)->SetEditor(edDataCheckBox);
        item(2)->SetCheckTrue(QStringLiteral("1"));
        item(2)->SetCheckFalse(QString());
        item(3)->SetPassword(true);
        item(3)->SetEditMask(QStringLiteral("000"));
    }
    TGridColumnItem *item(int i) const { return grid->Columns()->Items(i); }

    QByteArray save()
    {
        QByteArray data;
        QBuffer buf(&data);
        buf.open(QIODevice::WriteOnly);
        grid->SaveColumnsToStream(buf);
        return data;
    }
    void load(QByteArray data)
    {
        QBuffer buf(&data);
        buf.open(QIODevice::ReadOnly);
        grid->LoadColumnsFromStream(buf);
    }
    // Everything a column stream holds, and the grid's widths and headers.
    QByteArray state()
    {
        QByteArray s = save();
        for (int c = 0; c < grid->ColCount(); ++c)
            s += QByteArray::number(grid->ColWidths(c)) + ',' + grid->Cells(c, 0).toUtf8() + ';';
        return s;
    }
};

} // namespace

TEST_F(ColumnStream, TheRecordIsTheCarrierWithItsItemCollection)
{
    const QByteArray data = save();
    EXPECT_TRUE(data.startsWith(BYTES("TPF0\x11TNovaColumnGridIO\x00\x05Items\x0E\x01\x0B" "AutoMinSize\x02\x00")))
        << data.left(48).toHex().data();
    EXPECT_TRUE(data.endsWith(BYTES("\x05Width\x02\x3D\x00\x00\x00\x00"))) << data.right(12).toHex().data();
    // Defaults and empty values are left out; colours go by name where they have one.
    EXPECT_TRUE(data.contains(BYTES("\x0APrintColor\x07\x08" "clInfoBk")));
    EXPECT_TRUE(data.contains(BYTES("\x0B" "ColumnPopup\x07\x0A" "columnMenu")));
    EXPECT_FALSE(data.contains("PrintBorderCustom"));
    EXPECT_TRUE(data.contains(BYTES("\x0A" "CheckFalse\x06\x00"))); // empty, not the default "N"
    EXPECT_FALSE(data.contains("CheckTrue\x06\x01Y"));
    EXPECT_FALSE(data.contains("EditLink"));
}

TEST_F(ColumnStream, ItemsComeBackAsTheyWere)
{
    const QByteArray before = state();
    const QByteArray data = save();
    // Mess everything up, also the grid's widths and headers.
    item(1)->SetHeader(QStringLiteral("x"));
    item(1)->SetEditor(edNormal);
    item(1)->SetComboItems({});
    item(1)->SetColumnPopup(nullptr);
    item(2)->SetCheckFalse(QStringLiteral("F"));
    for (int c = 0; c < 4; ++c)
        grid->SetColWidths(c, 90);
    ASSERT_NE(state(), before);

    load(data);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(item(1)->ColumnPopup(), menu);
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("Address"));
    EXPECT_EQ(grid->ColWidths(3), 61);
    EXPECT_EQ(item(1)->ComboItems().value(2), QStringLiteral("thr\u00e9e"));

    // A fresh grid of the same shape takes the whole model.
    QWidget other;
    auto *fresh = new TNovaColumnGrid(&other);
    fresh->SetColCount(4);
    QByteArray copy = data;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    fresh->LoadColumnsFromStream(buf);
    EXPECT_EQ(fresh->Columns()->Items(1)->Name(), QStringLiteral("addr"));
    EXPECT_EQ(fresh->Columns()->Items(2)->Editor(), edDataCheckBox);
    EXPECT_EQ(fresh->Cells(2, 0), QStringLiteral("On"));
    EXPECT_EQ(fresh->ColWidths(1), 47);
    EXPECT_EQ(fresh->Columns()->Items(1)->ColumnPopup(), nullptr); // no menu of that name there
}

TEST_F(ColumnStream, SettingsThatItemCopiesSkipComeBackAtTheirDefaults)
{
    item(0)->SetColumnPopupType(cpAllCellsLClick);
    item(0)->SetPrintBorderCustom(false);
    item(0)->SetPrintFontCustom(false);
    load(save());
    EXPECT_EQ(item(0)->ColumnPopupType(), cpFixedCellsRClick);
    EXPECT_TRUE(item(0)->PrintBorderCustom());
    EXPECT_TRUE(item(0)->PrintFontCustom());
}

TEST_F(ColumnStream, TheReadStopsAtTheRecordsEnd)
{
    QByteArray data = save() + "TPF0 and more";
    QBuffer buf(&data);
    buf.open(QIODevice::ReadOnly);
    grid->LoadColumnsFromStream(buf);
    EXPECT_EQ(buf.pos(), data.size() - 13);
}

TEST_F(ColumnStream, OtherItemCountsLeaveTheGridsColumnsAlone)
{
    // Six entries for a grid of four columns: the entries past its columns touch no cell.
    QWidget w;
    auto *wide = new TNovaColumnGrid(&w);
    wide->SetColCount(6);
    for (int c = 0; c < 6; ++c) {
        wide->SetColWidths(c, 30 + c);
        wide->Columns()->Items(c)->SetHeader(QStringLiteral("h%1").arg(c));
    }
    QByteArray data;
    QBuffer out(&data);
    out.open(QIODevice::WriteOnly);
    wide->SaveColumnsToStream(out);
    load(data);
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->Columns()->Count(), 6);
    EXPECT_EQ(grid->ColWidths(3), 33);
    EXPECT_EQ(grid->Cells(4, 0), QString());
    grid->SetColCount(5); // the next change of the column count puts the items in step
    EXPECT_EQ(grid->Columns()->Count(), 5);
}

TEST_F(ColumnStream, UnreadableStreamsRaiseBeforeAnythingChanges)
{
    const QByteArray good = save();
    const auto withItems = [](int n, const char *width) {
        QByteArray d = BYTES("TPF0\x11TNovaColumnGridIO\x00\x05Items\x0E");
        for (int i = 0; i < n; ++i)
            d += BYTES("\x01\x05Width") + QByteArray::fromHex(width) + BYTES("\x00");
        return d + BYTES("\x00\x00\x00");
    };
    const struct {
        const char *what;
        QByteArray data;
    } cases[] = {
        {"nothing", QByteArray()},
        {"no record", QByteArray("just text")},
        {"cut short", good.left(good.size() / 2)},
        {"last byte missing", good.left(good.size() - 1)},
        {"a name longer than what is left", BYTES("TPF0\x11TNovaColumnGridIO\x00\x40Items\x0E\x00\x00\x00")},
        {"a text longer than what is left",
         BYTES("TPF0\x11TNovaColumnGridIO\x00\x05Items\x0E\x01\x06Header\x0C\xFF\xFF\xFF\x7F" "ab")},
        {"a record of another class", BYTES("TPF0\x0BTGridCellIO\x00\x00\x00")},
        {"more items than a grid has columns", withItems(513, "0214")},
        {"a width no column can have", withItems(2, "04409c0000")},
        {"a negative width", withItems(1, "02fb")},
        {"items that are no collection", BYTES("TPF0\x11TNovaColumnGridIO\x00\x05Items\x02\x05\x00\x00")},
    };
    const QByteArray before = state();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray data = c.data;
        QBuffer buf(&data);
        buf.open(QIODevice::ReadOnly);
        EXPECT_THROW(grid->LoadColumnsFromStream(buf), ENovaGridError);
        EXPECT_EQ(buf.pos(), 0);
        EXPECT_EQ(state(), before);
    }
    // 512 items is as many as a grid can have columns.
    EXPECT_NO_THROW(load(withItems(512, "0214")));
    EXPECT_EQ(grid->Columns()->Count(), 512);
    EXPECT_EQ(grid->ColWidths(0), 20);
}
