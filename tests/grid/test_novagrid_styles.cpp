// Look presets, grid styles, XP themes, colour tones and the office theme, as property values.
#include "grid/NovaGrid.h"

#include "grid/base/Theme.h"
#include "grid/base/VedAzirDraw.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// What a style or look leaves in the grid.
struct Colors {
    TGridLook look;
    TColor from, to, mirrorFrom, mirrorTo;
    TColor active, activeTo;
    TColor selection, selectionTo, selectionText;
    TGridSelectionStyle selectionStyle;
    TColor gridLine, fixedLine;
    TColor footer, footerTo;
};

Colors colorsOf(TNovaStringGrid &g)
{
    return {g.Look(), g.NovaGradientFrom(), g.NovaGradientTo(), g.NovaGradientMirrorFrom(), g.NovaGradientMirrorTo(),
            g.ActiveCellColor(), g.ActiveCellColorTo(), g.SelectionColor(), g.SelectionColorTo(),
            g.SelectionTextColor(), g.SelectionStyle(), g.GridLineColor(), g.GridFixedLineColor(),
            g.SearchFooter()->Color(), g.SearchFooter()->ColorTo()};
}

void expectColors(const Colors &a, const Colors &e, const char *what)
{
    EXPECT_EQ(a.look, e.look) << what;
    EXPECT_EQ(a.from, e.from) << what;
    EXPECT_EQ(a.to, e.to) << what;
    EXPECT_EQ(a.mirrorFrom, e.mirrorFrom) << what;
    EXPECT_EQ(a.mirrorTo, e.mirrorTo) << what;
    EXPECT_EQ(a.active, e.active) << what;
    EXPECT_EQ(a.activeTo, e.activeTo) << what;
    EXPECT_EQ(a.selection, e.selection) << what;
    EXPECT_EQ(a.selectionTo, e.selectionTo) << what;
    EXPECT_EQ(a.selectionText, e.selectionText) << what;
    EXPECT_EQ(a.selectionStyle, e.selectionStyle) << what;
    EXPECT_EQ(a.gridLine, e.gridLine) << what;
    EXPECT_EQ(a.fixedLine, e.fixedLine) << what;
    EXPECT_EQ(a.footer, e.footer) << what;
    EXPECT_EQ(a.footerTo, e.footerTo) << what;
}

const TColor N = clNone;
const TColor btnFace = ColorToRGB(clBtnFace);

} // namespace

TEST(GridStyles, EveryStyleWritesItsTableRow)
{
    struct Case {
        TNovaGridStyle style;
        const char *name;
        Colors expected;
    } cases[] = {
        {gsOffice2003Blue, "2003 blue", {glXP, 0xFCE1CB, 0xE0A57D, N, N, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, 0, ssDefault, 0xC0C0C0, 0x808080, 0xFCE1CB, N}},
        {gsOffice2003Silver, "2003 silver", {glXP, 0xECE2E1, 0xB39698, N, N, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, 0, ssDefault, 0xC0C0C0, 0x808080, 0xECE2E1, N}},
        {gsOffice2003Olive, "2003 olive", {glXP, 0xCFF0EA, 0x8CC0B1, N, N, 0x94E6FB, 0x1595EE, 0x94E6FB, 0x1595EE, 0, ssDefault, 0xC0C0C0, 0x808080, 0xCFF0EA, N}},
        {gsOffice2003Classic, "2003 classic", {glXP, clWhite, 0xCCD4D8, N, N, 0xD8D5D4, 0xD8D5D4, clHighlight, N, clHighlightText, ssDefault, 0xC0C0C0, 0x808080, clWhite, N}},
        {gsOffice2007Luna, "2007 luna", {glOffice2007, 0xFBF9F6, 0xE8DBD2, N, N, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, N, 0, ssOffice2007, 0xF1EDEB, 0xD1BBA4, 0xFBF9F6, N}},
        {gsOffice2007Obsidian, "2007 obsidian", {glOffice2007, 0xF7F7F7, 0xDEDEDE, N, N, 0x9DD8F9, 0x5EC1F1, 0x5EC1F1, N, 0, ssOffice2007, 0xE5D7D0, 0x808080, 0xF7F7F7, N}},
        {gsWindowsXP, "xp", {glXP, btnFace, btnFace, N, N, clBtnFace, clBtnFace, clHighlight, N, clHighlightText, ssDefault, 0xC0C0C0, 0x808080, btnFace, N}},
        {gsOffice2007Silver, "2007 silver", {glOffice2007, 0xF3F3F1, 0xCAC9C8, N, N, 0x99CCFF, 0x699CFF, 0x95C7F5, N, 0, ssOffice2007, 0xE5D7D0, 0x808080, 0xF3F3F1, N}},
        {gsWindowsVista, "vista", {glVista, clWhite, clWhite, 0xFAF8F7, 0xF4F2F1, 0xFDF8F1, 0xFCEFD5, 0xEACAB6, N, 0, ssVista, 0xECECF0, 0xD4D2D1, clWhite, 0xF4F2F1}},
        {gsWindows7, "win7", {glWin7, 0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, 0xFCEBDC, 0xFCDBC1, 0xEACAB6, N, 0, ssWin7, 0xECECF0, 0xD4D2D1, 0xFDFCFA, 0xF7E9DD}},
        {gsOffice2010Blue, "2010 blue", {glOffice2007, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, N, 0, ssDefault, 0xC0C0C0, 0xC7B0A0, 0xF5E7DA, 0xF5E7DA}},
        {gsOffice2010Silver, "2010 silver", {glOffice2007, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, N, 0, ssDefault, 0xC0C0C0, 0xBAB5B1, 0xE8E3DF, 0xE8E3DF}},
        {gsOffice2010Black, "2010 black", {glOffice2007, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x5BD5FF, 0x71EFFF, 0xFFDBB7, N, 0, ssDefault, 0xC0C0C0, 0x444444, 0x6A6A6A, 0x6A6A6A}},
    };
    for (const Case &c : cases) {
        TNovaStringGrid g;
        g.SetStyle(c.style);
        expectColors(colorsOf(g), c.expected, c.name);
    }
}

TEST(GridStyles, HoverDownAndSortHeaderColoursOfTheModernStyles)
{
    TNovaStringGrid g;
    g.SetStyle(gsWindowsVista);
    EXPECT_EQ(g.NovaGradientHoverFrom(), 0xFFF7E3u);
    EXPECT_EQ(g.NovaGradientHoverMirrorTo(), 0xFBE7B7u);
    EXPECT_EQ(g.NovaGradientHoverBorder(), 0xE3C993u);
    EXPECT_EQ(g.NovaGradientDownFrom(), 0xF9E4BCu);
    EXPECT_EQ(g.NovaGradientDownBorder(), 0xAE904Fu);
    EXPECT_EQ(g.ControlLook()->FixedGradientDownMirrorFrom(), 0xF7D68Du);
    EXPECT_EQ(g.SortSettings()->HeaderColor(), 0xFCF9F2u);
    EXPECT_EQ(g.SortSettings()->HeaderMirrorColorTo(), 0xF6ECD8u);
    // The control look's From and To are cleared while the grid keeps white headers.
    EXPECT_EQ(g.ControlLook()->FixedGradientFrom(), clNone);
    EXPECT_EQ(g.NovaGradientFrom(), clWhite);

    g.SetStyle(gsOffice2010Silver);
    EXPECT_EQ(g.NovaGradientHoverFrom(), 0x6BDFFFu);
    EXPECT_EQ(g.NovaGradientHoverBorder(), 0x3ABFE8u);
    EXPECT_EQ(g.NovaGradientDownTo(), 0x64E0FFu);
    EXPECT_EQ(g.NovaGradientDownBorder(), 0x308AC2u);
    EXPECT_EQ(g.SortSettings()->HeaderColorTo(), 0xAAAAAAu);

    g.SetStyle(gsOffice2007Luna);
    EXPECT_EQ(g.NovaGradientHoverTo(), 0xDBD3CDu);
    EXPECT_EQ(g.NovaGradientDownMirrorTo(), 0xE4C19Du);
    EXPECT_EQ(g.SortSettings()->HeaderColor(), clNone);
}

TEST(GridStyles, CustomOnlyResetsSelectionSortHeaderAndControlLookDefaults)
{
    TNovaStringGrid g;
    g.SetNovaGradientFrom(0x123456);
    g.SetActiveCellColor(0x111111);
    g.SetGridLineColor(0x222222);
    g.SetSelectionColor(0x333333);
    g.SortSettings()->SetHeaderColor(0x444444);
    g.ControlLook()->SetFixedGradientHoverFrom(0x555555);
    g.SetStyle(gsCustom);
    EXPECT_EQ(g.NovaGradientFrom(), 0x123456u);
    EXPECT_EQ(g.ActiveCellColor(), 0x111111u);
    EXPECT_EQ(g.GridLineColor(), 0x222222u);
    EXPECT_EQ(g.Look(), glXP);
    EXPECT_EQ(g.SelectionColor(), clHighlight);
    EXPECT_EQ(g.SelectionTextColor(), clHighlightText);
    EXPECT_EQ(g.SortSettings()->HeaderColor(), clNone);
    EXPECT_EQ(g.ControlLook()->FixedGradientHoverFrom(), clGray);
}

TEST(GridStyles, ComponentStyleKeepsTheStyleAndEndsMetroScrollingExceptForCustom)
{
    TNovaStringGrid g;
    g.SetScrollType(ssMetro);
    g.SetComponentStyle(tsCustom);
    EXPECT_EQ(g.ScrollType(), ssMetro);
    g.SetComponentStyle(tsOffice2003Olive);
    EXPECT_EQ(g.ComponentStyle(), tsOffice2003Olive);
    EXPECT_EQ(g.ScrollType(), ssNormal);
    EXPECT_EQ(g.NovaGradientFrom(), 0xCFF0EAu);
}

TEST(GridStyles, XPColourSchemes)
{
    struct Case {
        TXPColorScheme scheme;
        TColor from, to, mirrorFrom, mirrorTo, active, activeTo, footer, footerTo;
    } cases[] = {
        {xpNone, clWhite, btnFace, N, N, clWhite, 0xFFD9B3, clWhite, 0xFFD9B3},
        {xpBlue, 0xFCE1CB, 0xE0A57D, N, N, 0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D},
        {xpGreen, 0xCFF0EA, 0x8CC0B1, N, N, 0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1},
        {xpGray, 0xECE2E1, 0xB39698, N, N, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
        {vistaAero, clWhite, clWhite, 0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
    };
    for (const Case &c : cases) {
        TNovaStringGrid g;
        g.SetTheme(c.scheme);
        EXPECT_EQ(g.NovaGradientFrom(), c.from) << int(c.scheme);
        EXPECT_EQ(g.NovaGradientTo(), c.to) << int(c.scheme);
        EXPECT_EQ(g.NovaGradientMirrorFrom(), c.mirrorFrom) << int(c.scheme);
        EXPECT_EQ(g.NovaGradientMirrorTo(), c.mirrorTo) << int(c.scheme);
        EXPECT_EQ(g.ActiveCellColor(), c.active) << int(c.scheme);
        EXPECT_EQ(g.ActiveCellColorTo(), c.activeTo) << int(c.scheme);
        EXPECT_EQ(g.SearchFooter()->Color(), c.footer) << int(c.scheme);
        EXPECT_EQ(g.SearchFooter()->ColorTo(), c.footerTo) << int(c.scheme);
    }
}

TEST(GridStyles, ColorTonesRecolourTheGridAndTurnItFlat)
{
    TNovaStringGrid g;
    TColorTones t;
    t.Background = {0xFAFAFA, 0xCCCCCC, 0x202020};
    t.Foreground = {0x805030, 0x805030, 0xFFFFFF};
    t.Selected = {0xF0D0B0, 0xC09060, 0x101010};
    g.SetColorTones(t);
    EXPECT_EQ(g.ColorTones(), t);
    EXPECT_EQ(g.Look(), glClassic);
    EXPECT_TRUE(g.Flat());
    EXPECT_EQ(g.ScrollType(), ssMetro);
    EXPECT_EQ(g.FixedColor(), 0x805030u);
    EXPECT_EQ(g.FixedFont().Color, 0xFFFFFFu);
    EXPECT_EQ(g.FixedFont().Name, DefaultThemeFontName());
    EXPECT_EQ(g.Color(), 0xFAFAFAu);
    EXPECT_EQ(g.Font().Color, 0x202020u);
    EXPECT_EQ(g.SelectionColor(), 0xF0D0B0u);
    EXPECT_EQ(g.SelectionTextColor(), 0x101010u);
    EXPECT_EQ(g.SelectionColorTo(), clNone);
    EXPECT_EQ(g.GridLineColor(), 0xE6E6E6u);
    EXPECT_EQ(g.GridFixedLineColor(), ChangeColorBrightness(0x805030, -20));
    EXPECT_EQ(g.BorderStyle(), editorkit::bsNone);
    EXPECT_EQ(g.ControlLook()->ControlStyle(), csGlyph);
    EXPECT_FALSE(g.ControlLook()->CheckedGlyph().isNull());
    EXPECT_TRUE(g.ControlLook()->FlatButton());
    EXPECT_EQ(g.SearchFooter()->Color(), 0x805030u);
    EXPECT_EQ(g.SearchFooter()->ColorTo(), 0x805030u);
}

// ---- looks --------------------------------------------------------------------------------------------

TEST(GridLooks, IdentifierAndDisplayTexts)
{
    const char *ids[] = {"glStandard", "glSoft", "glClassic", "glNova", "glXP", "glListView", "glVista", "glWin7", "glOffice2007"};
    const char *names[] = {"Standard", "Soft", "Classic", "Nova", "Windows XP", "ListView", "Windows Vista", "Windows 7", "Office2007"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(LookIdentifier(TGridLook(i)), QString::fromLatin1(ids[i]));
        EXPECT_EQ(LookDisplayName(TGridLook(i)), QString::fromLatin1(names[i]));
    }
    EXPECT_EQ(LookIdentifier(glCustom, QStringLiteral("keep")), QStringLiteral("keep"));
    EXPECT_EQ(LookDisplayName(glCustom, QStringLiteral("keep")), QStringLiteral("keep"));
}

TEST(GridLooks, EachLookWritesItsColours)
{
    struct Case {
        TGridLook look;
        const char *name;
        Colors expected;
        TColor fixedColor;
    } cases[] = {
        {glStandard, "standard", {glStandard, btnFace, N, N, N, clGray, N, clHighlight, N, clHighlightText, ssDefault, clSilver, clGray, clBtnFace, clBtnFace}, clBtnFace},
        {glClassic, "classic", {glClassic, btnFace, N, N, N, clGray, N, clHighlight, N, clHighlightText, ssDefault, clSilver, clGray, clBtnFace, clBtnFace}, clBtnFace},
        {glListView, "list view", {glListView, clWhite, btnFace, N, N, clGray, N, clHighlight, N, clHighlightText, ssDefault, clSilver, clGray, clBtnFace, clBtnFace}, clBtnFace},
        {glNova, "nova", {glNova, clWhite, clSilver, N, N, 0xEACAB6, N, 0xEACAB6, N, clBlack, ssDefault, clSilver, clGray, clWhite, clSilver}, clBtnFace},
    };
    for (const Case &c : cases) {
        TNovaStringGrid g;
        g.SetLook(c.look);
        expectColors(colorsOf(g), c.expected, c.name);
        EXPECT_EQ(g.FixedColor(), c.fixedColor) << c.name;
        EXPECT_EQ(g.ScrollType(), ssNormal) << c.name;
        EXPECT_EQ(g.BorderColor(), 0xB99D7Fu) << c.name;
    }
    TNovaStringGrid xp;
    xp.SetLook(glNova);
    xp.SetLook(glXP);
    EXPECT_EQ(xp.NovaGradientTo(), btnFace);
    EXPECT_EQ(xp.NovaGradientHoverFrom(), 0xCFD0D1u);
    EXPECT_EQ(xp.NovaGradientHoverMirrorTo(), 0xABBCBFu);
    EXPECT_EQ(xp.NovaGradientDownFrom(), 0x868788u);
    EXPECT_EQ(xp.NovaGradientDownMirrorTo(), 0x627376u);
}

TEST(GridLooks, TheModernLooksApplyTheirStyle)
{
    TNovaStringGrid g;
    g.SetLook(glWin7);
    EXPECT_EQ(g.SelectionStyle(), ssWin7);
    EXPECT_EQ(g.ComponentStyle(), tsWindows7);
    EXPECT_EQ(g.NovaGradientMirrorFrom(), 0xF4E6DCu);
    g.SetLook(glOffice2007);
    EXPECT_EQ(g.SelectionStyle(), ssOffice2007);
    EXPECT_EQ(g.ComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(g.NovaGradientFrom(), 0xFBF9F6u);
}

TEST(GridLooks, SettingThePresentLookChangesNothing)
{
    TNovaStringGrid g;
    g.SetSelectionColor(0x010203);
    g.SetLook(glXP);
    EXPECT_EQ(g.SelectionColor(), 0x010203u);
}

TEST(GridLooks, CustomKeepsEveryColourButEndsMetroScrollingAndResetsTheBorder)
{
    TNovaStringGrid g;
    g.SetSelectionColor(0x010203);
    g.SetNovaGradientFrom(0x040506);
    g.SetScrollType(ssMetro);
    g.SetBorderColor(0x111111);
    g.SetLook(glCustom);
    EXPECT_EQ(g.SelectionColor(), 0x010203u);
    EXPECT_EQ(g.NovaGradientFrom(), 0x040506u);
    EXPECT_EQ(g.ScrollType(), ssNormal);
    EXPECT_EQ(g.BorderColor(), 0xB99D7Fu);
}

namespace {
class LoadingGrid : public TNovaStringGrid {
public:
    void SetLoading(bool v) { FLoading = v; }
};
} // namespace

TEST(GridLooks, ALookSetWhileLoadingClearsTheGradientsOnly)
{
    LoadingGrid g;
    g.SetSelectionColor(0x010203);
    g.SetGridLineColor(0x040506);
    g.SetLoading(true);
    g.SetLook(glNova);
    EXPECT_EQ(g.SelectionColor(), 0x010203u);
    EXPECT_EQ(g.GridLineColor(), 0x040506u);
    EXPECT_EQ(g.NovaGradientFrom(), clNone);
    EXPECT_EQ(g.NovaGradientTo(), clNone);
    EXPECT_EQ(g.BorderColor(), 0xB99D7Fu);
}

// ---- office theme ---------------------------------------------------------------------------------

namespace {
// An office installation whose colour scheme the test chooses.
class OfficePlatform : public TThemePlatform {
public:
    int scheme = 3;
    bool KeyExists(const QString &) const override { return true; }
    bool ReadInteger(const QString &, const QString &, int &value) const override
    {
        value = scheme;
        return true;
    }
};
} // namespace

TEST(GridStyles, OfficeThemeIsAppliedOnlyWithAutoThemeAdaptAndOnlyWhenItChanged)
{
    OfficePlatform office;
    SetThemePlatform(&office);
    TNovaStringGrid g;
    g.ApplyOfficeTheme(); // not adapting: nothing
    EXPECT_EQ(int(g.ComponentStyle()), int(tsWindowsXP));
    g.SetAutoThemeAdapt(true);
    g.ApplyOfficeTheme();
    EXPECT_EQ(int(g.ComponentStyle()), int(tsOffice2010Black));
    EXPECT_EQ(g.NovaGradientMirrorTo(), 0x6A6A6Au);
    g.SetSelectionColor(0x010203);
    g.ApplyOfficeTheme(); // the same theme again: nothing
    EXPECT_EQ(g.SelectionColor(), 0x010203u);
    office.scheme = 1;
    g.ApplyOfficeTheme();
    EXPECT_EQ(int(g.ComponentStyle()), int(tsOffice2010Blue));
    SetThemePlatform(nullptr);
}
