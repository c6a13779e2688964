#include "FakeSettingsHost.h"
#include "grid/ControlLook.h"

#include <gtest/gtest.h>

TEST(ControlLook, Defaults)
{
    TControlLook l;
    struct Colour {
        const char *name;
        TColor value, expected;
    };
    const Colour colours[] = {
        {"Color", l.Color(), clBlack},
        {"CommentColor", l.CommentColor(), 0x0000FF},
        {"FixedGradientFrom", l.FixedGradientFrom(), clNone},
        {"FixedGradientTo", l.FixedGradientTo(), clNone},
        {"FixedGradientMirrorFrom", l.FixedGradientMirrorFrom(), clNone},
        {"FixedGradientMirrorTo", l.FixedGradientMirrorTo(), clNone},
        {"FixedGradientHoverFrom", l.FixedGradientHoverFrom(), 0x808080},
        {"FixedGradientHoverTo", l.FixedGradientHoverTo(), 0xFFFFFF},
        {"FixedGradientHoverMirrorFrom", l.FixedGradientHoverMirrorFrom(), clNone},
        {"FixedGradientHoverMirrorTo", l.FixedGradientHoverMirrorTo(), clNone},
        {"FixedGradientHoverBorder", l.FixedGradientHoverBorder(), 0xC0C0C0},
        {"FixedGradientDownFrom", l.FixedGradientDownFrom(), 0x808080},
        {"FixedGradientDownTo", l.FixedGradientDownTo(), 0xC0C0C0},
        {"FixedGradientDownMirrorFrom", l.FixedGradientDownMirrorFrom(), clNone},
        {"FixedGradientDownMirrorTo", l.FixedGradientDownMirrorTo(), clNone},
        {"FixedGradientDownBorder", l.FixedGradientDownBorder(), 0x808080},
        {"ProgressBorderColor", l.ProgressBorderColor(), 0x808080},
    };
    for (const Colour &c : colours)
        EXPECT_EQ(c.value, c.expected) << c.name;
    struct Number {
        const char *name;
        int value, expected;
    };
    const Number numbers[] = {
        {"HintMaxWidth", l.HintMaxWidth(), 0},       {"CheckSize", l.CheckSize(), 15},
        {"RadioSize", l.RadioSize(), 10},            {"DropDownCount", l.DropDownCount(), 8},
        {"ProgressMarginX", l.ProgressMarginX(), 2}, {"ProgressMarginY", l.ProgressMarginY(), 2},
    };
    for (const Number &n : numbers)
        EXPECT_EQ(n.value, n.expected) << n.name;
    const bool flags[] = {l.FixedDropDownButton(),     l.CheckAlwaysActive(),        l.RadioAlwaysActive(),
                          l.DropDownAlwaysVisible(),   l.SpinButtonsAlwaysVisible(), l.FlatButton(),
                          l.NoDisabledCheckRadioLook(), l.NoDisabledButtonLook(),    l.ProgressXP()};
    for (bool f : flags)
        EXPECT_FALSE(f);
    EXPECT_EQ(l.ControlStyle(), csTheme);
    EXPECT_TRUE(l.CheckedGlyph().isNull() && l.UnCheckedGlyph().isNull() && l.RadioOnGlyph().isNull() &&
                l.RadioOffGlyph().isNull());
    EXPECT_EQ(l.DropDownHeader().Height(), 22);
    EXPECT_EQ(l.DropDownHeader().Font().Name, QStringLiteral("Tahoma"));
    EXPECT_TRUE(l.DropDownFooter().SizeGrip());
}

TEST(ControlLook, CreationPassesClearedMirrorsToTheGrid)
{
    FakeSettingsHost grid;
    TControlLook l(&grid);
    // Only the hover and down mirror colours go through their setters at creation.
    ASSERT_EQ(grid.gradients.size(), 4u);
    for (const auto &g : grid.gradients) {
        EXPECT_EQ(g.value, clNone);
        EXPECT_FALSE(g.repaint);
    }
    EXPECT_EQ(grid.gradientValues.count(fgHoverMirrorFrom), 1u);
    EXPECT_EQ(grid.gradientValues.count(fgDownMirrorTo), 1u);
    EXPECT_EQ(grid.gradientValues.count(fgFrom), 0u);
    EXPECT_EQ(grid.repaints, 0);
}

TEST(ControlLook, FixedGradientSettersPassOnByTheirRules)
{
    struct Case {
        const char *what;
        std::function<void(TControlLook &)> set;
        TFixedGradientColor which;
        bool passed;
        TColor passedValue;
        bool repaint;
    };
    const Case cases[] = {
        {"From passes RGB with a repaint", [](TControlLook &l) { l.SetFixedGradientFrom(clBtnFace); }, fgFrom, true,
         ColorToRGB(clBtnFace), true},
        {"From clNone leaves the grid's colour", [](TControlLook &l) { l.SetFixedGradientFrom(clNone); }, fgFrom, false, 0, false},
        {"To passes", [](TControlLook &l) { l.SetFixedGradientTo(0x123456); }, fgTo, true, 0x123456, true},
        {"To clNone stays", [](TControlLook &l) { l.SetFixedGradientTo(clNone); }, fgTo, false, 0, false},
        {"MirrorFrom always passes", [](TControlLook &l) { l.SetFixedGradientMirrorFrom(clNone); }, fgMirrorFrom, true,
         clNone, true},
        {"MirrorTo resolves system colours", [](TControlLook &l) { l.SetFixedGradientMirrorTo(clWindow); }, fgMirrorTo,
         true, ColorToRGB(clWindow), true},
        {"HoverFrom passes without repaint", [](TControlLook &l) { l.SetFixedGradientHoverFrom(0x0A0B0C); }, fgHoverFrom,
         true, 0x0A0B0C, false},
        {"HoverTo clNone stays", [](TControlLook &l) { l.SetFixedGradientHoverTo(clNone); }, fgHoverTo, false, 0, false},
        {"HoverBorder passes", [](TControlLook &l) { l.SetFixedGradientHoverBorder(0x0D0E0F); }, fgHoverBorder, true,
         0x0D0E0F, false},
        {"HoverMirrorTo always passes", [](TControlLook &l) { l.SetFixedGradientHoverMirrorTo(clNone); },
         fgHoverMirrorTo, true, clNone, false},
        {"DownFrom passes", [](TControlLook &l) { l.SetFixedGradientDownFrom(0x010203); }, fgDownFrom, true, 0x010203, false},
        {"DownTo clNone stays", [](TControlLook &l) { l.SetFixedGradientDownTo(clNone); }, fgDownTo, false, 0, false},
        {"DownBorder clNone stays", [](TControlLook &l) { l.SetFixedGradientDownBorder(clNone); }, fgDownBorder, false, 0, false},
        {"DownMirrorFrom always passes", [](TControlLook &l) { l.SetFixedGradientDownMirrorFrom(0x040506); },
         fgDownMirrorFrom, true, 0x040506, false},
    };
    for (const Case &c : cases) {
        FakeSettingsHost grid;
        TControlLook l(&grid);
        grid.gradients.clear();
        c.set(l);
        if (!c.passed) {
            EXPECT_TRUE(grid.gradients.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(grid.gradients.size(), 1u) << c.what;
        EXPECT_EQ(grid.gradients[0].which, c.which) << c.what;
        EXPECT_EQ(grid.gradients[0].value, c.passedValue) << c.what;
        EXPECT_EQ(grid.gradients[0].repaint, c.repaint) << c.what;
    }
    // The stored value is what was set, also when nothing was passed on.
    FakeSettingsHost grid;
    TControlLook l(&grid);
    l.SetFixedGradientFrom(clNone);
    EXPECT_EQ(l.FixedGradientFrom(), clNone);
    l.SetFixedGradientFrom(clBtnFace);
    EXPECT_EQ(l.FixedGradientFrom(), clBtnFace);
}

TEST(ControlLook, OtherSettersStoreAndRepaint)
{
    FakeSettingsHost grid;
    TControlLook l(&grid);
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    const std::function<void()> setters[] = {
        [&] { l.SetColor(clRed); },          [&] { l.SetCommentColor(clBlue); },
        [&] { l.SetCheckedGlyph(glyph); },   [&] { l.SetRadioOffGlyph(glyph); },
        [&] { l.SetCheckSize(20); },         [&] { l.SetRadioSize(12); },
        [&] { l.SetControlStyle(csFlat); },  [&] { l.SetDropDownCount(12); },
        [&] { l.SetProgressXP(true); },      [&] { l.SetProgressMarginX(5); },
        [&] { l.SetFlatButton(true); },      [&] { l.SetHintMaxWidth(300); },
        [&] { l.SetCheckSize(20); }, // the same value again still repaints
    };
    int expected = 0;
    for (const auto &set : setters) {
        set();
        EXPECT_EQ(grid.repaints, ++expected);
    }
    EXPECT_EQ(l.CheckedGlyph(), glyph);
    glyph.fill(Qt::blue); // copied, not shared
    EXPECT_NE(l.CheckedGlyph(), glyph);
    EXPECT_EQ(l.CheckBoxSize(), 20);

    THeaderAppearance header;
    header.SetHeight(40);
    l.SetDropDownHeader(header);
    EXPECT_EQ(l.DropDownHeader().Height(), 40);
    EXPECT_EQ(grid.repaints, expected); // the appearances are copied without a repaint
}

TEST(ControlLook, AssignCopiesStoredValuesOnly)
{
    TControlLook a;
    QImage glyph(3, 3, QImage::Format_RGB32);
    glyph.fill(Qt::green);
    a.SetCheckSize(17);
    a.SetRadioSize(9);
    a.SetControlStyle(csNova);
    a.SetCheckedGlyph(glyph);
    a.SetUnCheckedGlyph(glyph);
    a.SetRadioOnGlyph(glyph);
    a.SetRadioOffGlyph(glyph);
    a.SetProgressMarginX(4);
    a.SetProgressMarginY(6);
    a.SetCommentColor(0x111111);
    a.SetColor(0x222222);
    a.SetProgressBorderColor(0x333333);
    a.SetCheckAlwaysActive(true);
    a.SetRadioAlwaysActive(true);
    a.SetFixedGradientFrom(0xCFD0D1);
    a.SetFixedGradientTo(clBtnFace);
    a.SetFixedGradientMirrorFrom(0xBEC6C8);
    a.SetFixedGradientMirrorTo(0xABBCBF);
    a.SetFixedGradientHoverFrom(0xCFD0D1);
    a.SetFixedGradientHoverTo(0xBEC6C8);
    a.SetFixedGradientHoverMirrorFrom(0xBEC6C8);
    a.SetFixedGradientHoverMirrorTo(0xABBCBF);
    a.SetFixedGradientHoverBorder(0x444444);
    a.SetFixedGradientDownFrom(0x868788);
    a.SetFixedGradientDownTo(0x737C7E);
    a.SetFixedGradientDownMirrorFrom(0x737C7E);
    a.SetFixedGradientDownMirrorTo(0x627376);
    a.SetFixedGradientDownBorder(0xD5BCAA);
    a.SetDropDownAlwaysVisible(true);
    a.SetSpinButtonsAlwaysVisible(true);
    a.SetDropDownCount(20);
    a.DropDownHeader().SetCaption(QStringLiteral("head"));
    a.DropDownFooter().SetSizeGrip(false);
    a.SetHintMaxWidth(250);
    // not copied
    a.SetFlatButton(true);
    a.SetProgressXP(true);
    a.SetNoDisabledCheckRadioLook(true);
    a.SetNoDisabledButtonLook(true);
    a.SetFixedDropDownButton(true);

    FakeSettingsHost grid;
    TControlLook b(&grid);
    grid.gradients.clear();
    b.Assign(a);
    EXPECT_TRUE(grid.gradients.empty()); // nothing reaches the grid
    EXPECT_EQ(grid.repaints, 0);

    EXPECT_EQ(b.CheckSize(), 17);
    EXPECT_EQ(b.RadioSize(), 9);
    EXPECT_EQ(b.ControlStyle(), csNova);
    EXPECT_EQ(b.CheckedGlyph(), glyph);
    EXPECT_EQ(b.RadioOffGlyph(), glyph);
    EXPECT_EQ(b.ProgressMarginX(), 4);
    EXPECT_EQ(b.ProgressMarginY(), 6);
    EXPECT_EQ(b.CommentColor(), 0x111111u);
    EXPECT_EQ(b.Color(), 0x222222u);
    EXPECT_EQ(b.ProgressBorderColor(), 0x333333u);
    EXPECT_TRUE(b.CheckAlwaysActive());
    EXPECT_TRUE(b.RadioAlwaysActive());
    const std::pair<TColor, TColor> gradients[] = {
        {b.FixedGradientFrom(), a.FixedGradientFrom()},
        {b.FixedGradientTo(), a.FixedGradientTo()},
        {b.FixedGradientMirrorFrom(), a.FixedGradientMirrorFrom()},
        {b.FixedGradientMirrorTo(), a.FixedGradientMirrorTo()},
        {b.FixedGradientHoverFrom(), a.FixedGradientHoverFrom()},
        {b.FixedGradientHoverTo(), a.FixedGradientHoverTo()},
        {b.FixedGradientHoverMirrorFrom(), a.FixedGradientHoverMirrorFrom()},
        {b.FixedGradientHoverMirrorTo(), a.FixedGradientHoverMirrorTo()},
        {b.FixedGradientHoverBorder(), a.FixedGradientHoverBorder()},
        {b.FixedGradientDownFrom(), a.FixedGradientDownFrom()},
        {b.FixedGradientDownTo(), a.FixedGradientDownTo()},
        {b.FixedGradientDownMirrorFrom(), a.FixedGradientDownMirrorFrom()},
        {b.FixedGradientDownMirrorTo(), a.FixedGradientDownMirrorTo()},
        {b.FixedGradientDownBorder(), a.FixedGradientDownBorder()},
    };
    for (size_t i = 0; i < std::size(gradients); ++i)
        EXPECT_EQ(gradients[i].first, gradients[i].second) << "gradient colour " << i;
    EXPECT_EQ(b.FixedGradientDownBorder(), 0xD5BCAAu);
    EXPECT_TRUE(b.DropDownAlwaysVisible());
    EXPECT_TRUE(b.SpinButtonsAlwaysVisible());
    EXPECT_EQ(b.DropDownCount(), 20);
    EXPECT_EQ(b.DropDownHeader().Caption(), QStringLiteral("head"));
    EXPECT_FALSE(b.DropDownFooter().SizeGrip());
    EXPECT_EQ(b.HintMaxWidth(), 250);
    EXPECT_FALSE(b.FlatButton());
    EXPECT_FALSE(b.ProgressXP());
    EXPECT_FALSE(b.NoDisabledCheckRadioLook());
    EXPECT_FALSE(b.NoDisabledButtonLook());
    EXPECT_FALSE(b.FixedDropDownButton());
}

TEST(ControlLook, InitRestoresTheGradientColours)
{
    FakeSettingsHost grid;
    TControlLook l(&grid);
    l.SetColor(clRed);
    l.SetFixedGradientFrom(clWhite);
    l.SetFixedGradientHoverFrom(0x123456);
    l.SetFixedGradientDownMirrorTo(0x654321);
    l.SetCheckSize(30);
    grid.gradients.clear();
    l.Init();
    EXPECT_EQ(l.Color(), clBlack);
    EXPECT_EQ(l.FixedGradientFrom(), clNone);
    EXPECT_EQ(l.FixedGradientHoverFrom(), clGray);
    EXPECT_EQ(l.FixedGradientDownMirrorTo(), clNone);
    EXPECT_EQ(grid.gradientValues[fgDownMirrorTo], clNone); // the grid's mirror colour cleared too
    EXPECT_EQ(grid.gradientValues[fgFrom], clWhite);        // the normal set is only stored
    EXPECT_EQ(l.CheckSize(), 30);                           // sizes are not colours
}
