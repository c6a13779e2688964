// Colour identifiers and the text form of colours in settings files, both ways.
#include "platform/ColorNames.h"

#include <gtest/gtest.h>

TEST(ColorNames, NamedColoursGoByTheirIdentifiersOthersByEightHexDigits)
{
    const struct {
        TColor color;
        const char *text;
    } cases[] = {
        {clWindow, "clWindow"},
        {clNone, "clNone"},
        {clBtnFace, "clBtnFace"},
        {clBlack, "clBlack"},
        {clWhite, "clWhite"},
        {clRed, "clRed"},
        {clInfoBk, "clInfoBk"},
        {clDefault, "clDefault"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {clMenuBar, "clMenuBar"},
        {TColor(0xB99D7F), "$00B99D7F"},
        {TColor(0x000001), "$00000001"},
        {TColor(0xFF000040), "$FF000040"}, // a system colour number without a name
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ColorToString(c.color), QString::fromLatin1(c.text));
        TColor back = 12345;
        ASSERT_TRUE(StringToColor(QString::fromLatin1(c.text), back));
        EXPECT_EQ(back, c.color);
    }
}

TEST(ColorNames, ReadingTakesAnyCaseAndTheNumberForms)
{
    const struct {
        const char *text;
        TColor color;
    } cases[] = {
        {"clwindow", clWindow}, {"CLNONE", clNone}, {" clRed ", clRed}, {"255", clRed},
        {"$FF", clRed},         {"0x00ff00", clLime}, {"-16777201", clBtnFace}, {"$1fffffff", clNone},
        {"+16", TColor(16)},    {"$FFFFFFFF", TColor(0xFFFFFFFF)}, {"-1", TColor(0xFFFFFFFF)},
    };
    for (const auto &c : cases) {
        TColor back = 0;
        EXPECT_TRUE(StringToColor(QString::fromLatin1(c.text), back)) << c.text;
        EXPECT_EQ(back, c.color) << c.text;
    }
}

TEST(ColorNames, UnknownOrDamagedTextsAreRefusedAndLeaveTheColour)
{
    for (const char *bad : {"", "clWindows", "clRedd", "red", "$", "0x", "$1G", "12ab", "$100000000", "4294967296",
                            "2147483648", "-2147483649", "--5", "$-5", "1 2", "cl Red"}) {
        TColor c = clAqua;
        EXPECT_FALSE(StringToColor(QString::fromLatin1(bad), c)) << bad;
        EXPECT_EQ(c, clAqua) << bad;
    }
    QString ident = QStringLiteral("kept");
    EXPECT_FALSE(ColorToIdent(TColor(0x123456), ident));
    EXPECT_EQ(ident, QStringLiteral("kept"));
}
