// Check-box and radio glyphs of every control style, and check boxes and radio groups painted in
// their cells: what is drawn (recording canvas) and a picture of all styles for a person to judge.
#include "grid/NovaGrid.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const TControlStyle kStyles[] = {csClassic, csFlat, csWinXP, csBorland, csNova, csGlyph, csTheme};
const char *kStyleNames[] = {"classic", "flat", "winxp", "borland", "nova", "glyph", "theme"};

QImage solid(QColor c)
{
    QImage img(12, 12, QImage::Format_ARGB32);
    img.fill(c);
    img.setPixel(0, 11, qRgb(255, 0, 255)); // the transparent colour
    return img;
}

struct Glyphs : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.ControlLook()->SetCheckedGlyph(solid(Qt::green));
        g.ControlLook()->SetUnCheckedGlyph(solid(Qt::red));
        g.ControlLook()->SetRadioOnGlyph(solid(Qt::green));
        g.ControlLook()->SetRadioOffGlyph(solid(Qt::red));
    }
    // What one glyph draws, as a comparable recording.
    std::vector<TCanvasOp> check(TControlStyle s, bool checked, bool grayed = false, bool enabled = true,
                                 TCheckBoxState tri = TNovaCheckBox::cbUnchecked, bool isTri = false)
    {
        TRecordingCanvas rc;
        g.DrawCheckBoxGlyph(rc, {10, 10, 40, 30}, checked, tri, isTri, s, grayed, enabled);
        return rc.Ops;
    }
    QImage rendered(TControlStyle s, bool checked, bool enabled = true, TCheckBoxState tri = TNovaCheckBox::cbUnchecked,
                    bool isTri = false)
    {
        TImageCanvas ic(30, 30, clWhite);
        g.DrawCheckBoxGlyph(ic, {2, 2, 28, 28}, checked, tri, isTri, s, false, enabled);
        ic.End();
        return ic.Image();
    }
};

bool sameOps(const std::vector<TCanvasOp> &a, const std::vector<TCanvasOp> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || !(a[i].rect == b[i].rect) || a[i].points != b[i].points
            || a[i].pen.Color != b[i].pen.Color || a[i].brush.Color != b[i].brush.Color)
            return false;
    return true;
}

} // namespace

TEST_F(Glyphs, EveryStyleDrawsCheckedUncheckedAndDisabledApart)
{
    for (size_t i = 0; i < std::size(kStyles); ++i) {
        SCOPED_TRACE(kStyleNames[i]);
        const TControlStyle s = kStyles[i];
        const auto on = check(s, true), off = check(s, false), offDisabled = check(s, false, false, false);
        EXPECT_FALSE(on.empty());
        EXPECT_FALSE(off.empty());
        if (s == csGlyph) {
            // The user's two pictures; a disabled box keeps them.
            EXPECT_NE(rendered(s, true).pixel(8, 8), rendered(s, false).pixel(8, 8));
            continue;
        }
        if (s == csWinXP || s == csNova) {
            EXPECT_NE(rendered(s, true), rendered(s, false));
            EXPECT_NE(rendered(s, false), rendered(s, false, false));
        } else {
            EXPECT_FALSE(sameOps(on, off));
            if (s != csBorland) // its disabled look changes only the fill
                EXPECT_FALSE(sameOps(off, offDisabled));
        }
    }
}

TEST_F(Glyphs, BitmapStylesDrawTheirPicturesAtTheTopLeftWithTheKeyColourLeftOut)
{
    struct Case {
        TControlStyle style;
        int size;
    } cases[] = {{csWinXP, 16}, {csNova, 20}};
    for (const Case &c : cases) {
        const auto ops = check(c.style, true);
        ASSERT_EQ(ops.size(), 1u);
        EXPECT_EQ(ops[0].kind, TCanvasOp::Image);
        EXPECT_EQ(ops[0].rect.Left, 10);
        EXPECT_EQ(ops[0].rect.Top, 10);
        EXPECT_EQ(ops[0].rect.Right - ops[0].rect.Left, c.size);
        // The corner is the key colour of the picture: the white below shows through.
        const QImage img = rendered(c.style, true);
        EXPECT_EQ(QColor(img.pixel(2, 2 + c.size - 1)), QColor(Qt::white));
    }
    // The XP tick is green, in the middle of the box.
    const QImage xp = rendered(csWinXP, true);
    bool green = false;
    for (int y = 4; y < 16; ++y)
        for (int x = 4; x < 16; ++x) {
            const QColor p(xp.pixel(x, y));
            green = green || (p.green() > 120 && p.red() < 90 && p.blue() < 90);
        }
    EXPECT_TRUE(green);
}

TEST_F(Glyphs, GreyedTriStateShowsUncheckedInBitmapStylesAndItsOwnLookInFrameStyles)
{
    for (TControlStyle s : {csWinXP, csNova}) {
        EXPECT_EQ(rendered(s, false, true, TNovaCheckBox::cbGrayed, true),
                  rendered(s, false, true, TNovaCheckBox::cbUnchecked, true));
        EXPECT_NE(rendered(s, false, true, TNovaCheckBox::cbChecked, true),
                  rendered(s, false, true, TNovaCheckBox::cbUnchecked, true));
    }
    for (TControlStyle s : {csClassic, csFlat, csTheme}) {
        const auto grey = check(s, false, false, true, TNovaCheckBox::cbGrayed, true);
        EXPECT_FALSE(sameOps(grey, check(s, false)));
        EXPECT_FALSE(sameOps(grey, check(s, true)));
    }
}

TEST_F(Glyphs, ThemeWithoutDesktopThemesDrawsAsClassicAndFlatDiffersFromClassic)
{
    ASSERT_FALSE(g.ThemedControls()); // this platform's desktop has no visual styles
    for (bool on : {false, true}) {
        const auto theme = check(csTheme, on), classic = check(csClassic, on);
        // csTheme draws its CheckSize square at the top left, classic centres it.
        ASSERT_EQ(theme.size(), classic.size());
        for (size_t i = 0; i < theme.size(); ++i)
            EXPECT_EQ(theme[i].kind, classic[i].kind);
        EXPECT_FALSE(sameOps(check(csFlat, on), classic));
    }
    // Centred: a 30 x 20 rectangle puts the 15-pixel box at (17, 12).
    const auto classic = check(csClassic, false);
    ASSERT_FALSE(classic.empty());
    EXPECT_EQ(classic[0].kind, TCanvasOp::FillRect);
    EXPECT_EQ(classic[0].rect, (TRect{17, 12, 32, 27}));
}

TEST_F(Glyphs, BorlandMarkIsDrawnInTheLooksColourAndGreyWhenDisabled)
{
    g.ControlLook()->SetColor(clBlue);
    auto marks = [](const std::vector<TCanvasOp> &ops, TColor c) {
        int n = 0;
        for (const TCanvasOp &o : ops)
            n += o.kind == TCanvasOp::Line && o.pen.Color == c;
        return n;
    };
    EXPECT_EQ(marks(check(csBorland, true), clBlue), 4);
    EXPECT_EQ(marks(check(csBorland, false), clBlue), 0);
    EXPECT_EQ(marks(check(csBorland, true, false, false), clGray), 4);
    // Active looks force the enabled look.
    g.ControlLook()->SetNoDisabledCheckRadioLook(true);
    EXPECT_EQ(marks(check(csBorland, true, false, false), clBlue), 4);
}

TEST_F(Glyphs, RadioGroupChecksByIndexOrByTheCellsText)
{
    g.SetCells(1, 1, QStringLiteral("Two"));
    const QStringList items{QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")};
    auto innerDots = [&](int checkedIndex) {
        TRecordingCanvas rc;
        g.DrawRadioGroup(rc, {0, 0, 200, 60}, false, 1.0, csClassic, 1, 1, false, items, false, false, checkedIndex, 3);
        std::vector<int> tops;
        for (const TCanvasOp &o : rc.Ops)
            if (o.kind == TCanvasOp::Ellipse && o.rect.Right - o.rect.Left < g.ControlLook()->RadioSize())
                tops.push_back(o.rect.Top);
        return std::make_pair(tops, rc.Texts());
    };
    const auto [byIndex, texts] = innerDots(2);
    EXPECT_EQ(texts, items);
    ASSERT_EQ(byIndex.size(), 1u);
    const auto [byText, t2] = innerDots(-1);
    ASSERT_EQ(byText.size(), 1u);
    EXPECT_LT(byText[0], byIndex[0]); // "Two" lies above "Three"
    g.SetCells(1, 1, QStringLiteral("Four"));
    EXPECT_TRUE(innerDots(-1).first.empty());
}

TEST_F(Glyphs, RadioGroupOfEveryStyleDrawsEachOptionAndItsCaption)
{
    const QStringList items{QStringLiteral("A"), QStringLiteral("B")};
    for (size_t i = 0; i < std::size(kStyles); ++i) {
        SCOPED_TRACE(kStyleNames[i]);
        for (bool sideBySide : {false, true}) {
            TRecordingCanvas rc;
            g.DrawRadioGroup(rc, {0, 0, 200, 60}, false, 1.0, kStyles[i], 1, 1, false, items, false, sideBySide, 0, 2);
            EXPECT_EQ(rc.Texts(), items);
            const auto texts = rc.OfKind(TCanvasOp::Text);
            ASSERT_EQ(texts.size(), 2u);
            if (sideBySide)
                EXPECT_GT(texts[1].rect.Left, texts[0].rect.Right);
            else
                EXPECT_GT(texts[1].rect.Top, texts[0].rect.Top);
        }
    }
}

TEST_F(Glyphs, CellsPaintTheirBoxesByStateAndDataBoxesByTheirText)
{
    g.resize(300, 200);
    g.SetColCount(3);
    g.SetRowCount(4);
    g.ControlLook()->SetControlStyle(csBorland);
    g.ControlLook()->SetColor(clBlue);
    g.AddCheckBox(1, 1, true, false);
    g.AddCheckBox(1, 2, false, false);
    g.AddCheckBox(2, 1, false, true);
    g.AddCheckBox(2, 2, false, true);
    g.AddCheckBox(2, 3, false, true);
    g.SetCells(2, 1, QStringLiteral("Y"));
    g.SetCells(2, 2, QStringLiteral("N"));
    g.SetCells(2, 3, QStringLiteral("maybe")); // neither of the check texts: unchecked
    TGridOptions o = g.Options();
    o.Include(goEditing);
    g.SetOptions(o);
    auto marked = [&](int c, int r) {
        TRecordingCanvas rc;
        g.PaintCell(rc, c, r, {}, {});
        int n = 0;
        for (const TCanvasOp &o : rc.Ops)
            n += o.kind == TCanvasOp::Line && o.pen.Color == clBlue;
        return n > 0;
    };
    EXPECT_TRUE(marked(1, 1));
    EXPECT_FALSE(marked(1, 2));
    EXPECT_TRUE(marked(2, 1));
    EXPECT_FALSE(marked(2, 2));
    EXPECT_FALSE(marked(2, 3));
    g.SetCheckBoxState(1, 2, true);
    EXPECT_TRUE(marked(1, 2));
}

// A data box's "Y"/"N" only backs the glyph: drawn, it shows around the box wherever the font is
// wider than the glyph. A plain box keeps its caption beside it.
TEST_F(Glyphs, DataBoxesDrawNoTextAndPlainBoxesKeepTheirCaption)
{
    g.resize(300, 200);
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetColWidths(1, 100);
    g.SetColWidths(2, 100);
    g.AddCheckBox(1, 1, true, true);
    g.AddCheckBox(2, 1, true, false);
    g.SetCells(2, 1, QStringLiteral("chosen"));
    auto texts = [&](int c, int r) {
        TRecordingCanvas rc;
        g.PaintCell(rc, c, r, {}, {});
        QStringList t;
        for (const TCanvasOp &o : rc.Ops)
            if (o.kind == TCanvasOp::Text && !o.text.isEmpty())
                t << o.text;
        return t;
    };
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("Y"));
    EXPECT_TRUE(texts(1, 1).isEmpty());
    EXPECT_TRUE(texts(2, 1).contains(QStringLiteral("chosen")));
}

TEST_F(Glyphs, CheckBoxFollowsTheCellsTextAlignment)
{
    g.resize(300, 200);
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetColWidths(1, 100);
    g.ControlLook()->SetControlStyle(csWinXP);
    g.AddCheckBox(1, 1, true, true);
    auto left = [&] {
        TRecordingCanvas rc;
        g.PaintCell(rc, 1, 1, {}, {});
        const auto imgs = rc.OfKind(TCanvasOp::Image);
        return imgs.empty() ? -1 : imgs[0].rect.Left;
    };
    const TRect R = g.CellRect(1, 1);
    const int atLeft = left();
    EXPECT_GE(atLeft, R.Left);
    EXPECT_LT(atLeft, R.Left + 6);
    g.OnGetAlignment = [](QObject *, int, int, TAlignment &HA, TVAlignment &) { HA = taRightJustify; };
    const int atRight = left();
    EXPECT_GT(atRight, R.Right - 16 - 6);
    EXPECT_LE(atRight + 15, R.Right);
    g.OnGetAlignment = [](QObject *, int, int, TAlignment &HA, TVAlignment &) { HA = taCenter; };
    const int centred = left();
    EXPECT_GT(centred, atLeft);
    EXPECT_LT(centred, atRight);
}

// A picture of every style's boxes and radio groups (set CFG_SCREENSHOT_DIR to write it).
TEST(GlyphScreenshots, EveryControlStyleRenderedToAPngFile)
{
    const QString dir = qEnvironmentVariable("CFG_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "CFG_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    QImage sheet(860, int(std::size(kStyles)) * 96, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter sheetPainter(&sheet);
    for (size_t i = 0; i < std::size(kStyles); ++i) {
        TNovaStringGrid g;
        g.resize(860, 94);
        g.SetScrollBars(ssNone);
        g.SetColCount(7);
        g.SetRowCount(2);
        g.SetRowHeights(1, 68);
        TGridOptions o = g.Options();
        o.Include(goEditing);
        g.SetOptions(o);
        g.ControlLook()->SetControlStyle(kStyles[i]);
        g.ControlLook()->SetCheckedGlyph(solid(Qt::darkGreen));
        g.ControlLook()->SetUnCheckedGlyph(solid(Qt::lightGray));
        g.ControlLook()->SetRadioOnGlyph(solid(Qt::darkGreen));
        g.ControlLook()->SetRadioOffGlyph(solid(Qt::lightGray));
        const char *heads[] = {"style", "check box", "", "tri-state", "radio button", "radio group", "side by side"};
        for (int c = 0; c < 7; ++c)
            g.SetCells(c, 0, QString::fromLatin1(heads[c]));
        g.SetColWidths(0, 80);
        g.SetColWidths(1, 90);
        g.SetColWidths(2, 90);
        g.SetColWidths(3, 90);
        g.SetColWidths(4, 110);
        g.SetColWidths(5, 150);
        g.SetColWidths(6, 200);
        g.SetCells(0, 1, QString::fromLatin1(kStyleNames[i]));
        g.AddCheckBox(1, 1, true, false);
        g.SetCells(1, 1, QStringLiteral("on"));
        g.AddCheckBox(2, 1, false, false);
        g.SetCells(2, 1, QStringLiteral("off"));
        g.AddCheckBox(3, 1, TNovaCheckBox::cbGrayed);
        g.SetCells(3, 1, QStringLiteral("grey"));
        g.AddRadioButton(4, 1, true);
        g.SetCells(4, 1, QStringLiteral("chosen"));
        QStringList *opts = g.CreateRadio(5, 1, 0, 1);
        *opts << QStringLiteral("first") << QStringLiteral("second") << QStringLiteral("third");
        QStringList *side = g.CreateRadio(6, 1, 1, 0);
        *side << QStringLiteral("yes") << QStringLiteral("no") << QStringLiteral("maybe");
        g.show();
        QApplication::processEvents();
        EXPECT_TRUE(g.IsChecked(1, 1));
        sheetPainter.drawPixmap(0, int(i) * 96, g.grab());
    }
    sheetPainter.end();
    const QString file = dir + QStringLiteral("/glyphs-all-styles.png");
    EXPECT_TRUE(sheet.save(file)) << file.toStdString();
}
