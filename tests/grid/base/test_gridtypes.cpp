#include "grid/base/GridTypes.h"
#include "grid/base/Theme.h"

#include <gtest/gtest.h>

TEST(GridTypes, EditorKindsKeepTheirStoredOrdinals)
{
    struct Case {
        TEditorType e;
        int v;
        const char *name;
    };
    const Case cases[] = {{edNormal, 0, "edNormal"},           {edComboEdit, 2, "edComboEdit"},
                          {edComboList, 3, "edComboList"},     {edDataCheckBox, 10, "edDataCheckBox"},
                          {edNone, 27, "edNone"},              {edTrackbarDropDown, 30, "edTrackbarDropDown"},
                          {edNovaGridDropDown, 38, "edNovaGridDropDown"}, {edMaskEditBtn, 42, "edMaskEditBtn"}};
    for (const Case &c : cases) {
        EXPECT_EQ(int(c.e), c.v) << c.name;
        EXPECT_EQ(EnumName(c.e), QString::fromLatin1(c.name));
        bool ok = false;
        EXPECT_EQ(EnumFromName(QString::fromLatin1(c.name).toUpper(), edNormal, &ok), c.e);
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(TEnumInfo<TEditorType>::Count, 43);
    bool ok = true;
    EXPECT_EQ(EnumFromName(QStringLiteral("edNothing"), edComboList, &ok), edComboList);
    EXPECT_FALSE(ok);
    EXPECT_EQ(sizeof(TEditorType), 1u);
}

TEST(GridTypes, OtherEnumerationsKeepTheirOrder)
{
    EXPECT_EQ(int(ssAlphaNumericNoCase), 19);
    EXPECT_EQ(int(ssHTML), 13);
    EXPECT_EQ(int(acSTDDEV), 9);
    EXPECT_EQ(int(ssOffice2007), 3);
    EXPECT_EQ(int(vtaBottom), 2);
    EXPECT_EQ(int(cbBottom), 3);
    EXPECT_EQ(int(fceRightClick), 3);
    EXPECT_EQ(int(fceComboList), 2);
    EXPECT_EQ(int(adTopBottomInCol), 3);
    EXPECT_EQ(int(caLoop), 2);
    EXPECT_EQ(int(waScroll), 1);
    EXPECT_EQ(int(tsOffice2010Black), 15);
    EXPECT_EQ(int(tsCustom), 8);
    EXPECT_EQ(int(otUnknown), 10);
    EXPECT_EQ(TEnumInfo<TSortStyle>::Count, 20);
    EXPECT_EQ(EnumName(ssAlphaNumericNoCase), QStringLiteral("ssAlphaNumericNoCase"));
    EXPECT_EQ(EnumName(acSTDDEV), QStringLiteral("acSTDDEV"));
}

TEST(GridTypes, SetsAreOneByteBitSets)
{
    EXPECT_EQ((THoverRowCells{hcNormal, hcSelected}).ToByte(), 5);
    EXPECT_EQ((TCellBorders{cbTop, cbBottom}).ToByte(), 9);
    TGridDrawState s{gdSelected, gdFixed};
    s.Exclude(gdSelected);
    EXPECT_FALSE(s.Contains(gdSelected));
    EXPECT_TRUE(s.Contains(gdFixed));
    EXPECT_EQ(TCellBorders::FromBits(2).Contains(cbLeft), true);
}

TEST(GridTypes, ColourVocabulary)
{
    EXPECT_EQ(clNone, 0x1FFFFFFFu);
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00FF8040), QColor(0x40, 0x80, 0xFF));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201u);
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clInfoBk), RGBColor(255, 255, 225));
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_FALSE(IsSystemColor(clNone));
}

TEST(GridTypes, EventsFireOnlyWhenAssigned)
{
    TCanEditCellEvent ev;
    bool can = true;
    FireEvent(ev, nullptr, 1, 2, can);
    EXPECT_TRUE(can);
    int seenRow = -1, seenCol = -1;
    ev = [&](QObject *, int ARow, int ACol, bool &CanEdit) {
        seenRow = ARow;
        seenCol = ACol;
        CanEdit = false;
    };
    FireEvent(ev, nullptr, 1, 2, can);
    EXPECT_FALSE(can);
    EXPECT_EQ(seenRow, 1);
    EXPECT_EQ(seenCol, 2);
}
