#include "grid/CellGraphic.h"
#include "grid/base/HtmlPicture.h"
#include "grid_pictures.h"

#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// Counts its own destruction, to see which objects a graphic frees.
struct Tracked {
    explicit Tracked(int &deaths) : deaths(deaths) {}
    ~Tracked() { ++deaths; }
    int &deaths;
};

} // namespace

TEST(CellGraphic, NewGraphicIsNone)
{
    TCellGraphic g;
    EXPECT_EQ(g.CellType(), ctNone);
    EXPECT_FALSE(g.CellCreated());
    EXPECT_FALSE(g.CellBitmap());
    EXPECT_STREQ(g.ClassName(), "TCellGraphic");
    EXPECT_EQ(int(ctExpand), 32); // 33 kinds, stored by ordinal
    EXPECT_EQ(int(ctEmpty), 10);
}

TEST(CellGraphic, SettersSetKindAndFields)
{
    QImage bmp(4, 4, QImage::Format_RGB32);
    TCellGraphic g;
    g.SetCellText(QStringLiteral("kept"));
    g.SetCellValue(2.5);

    g.SetBitmap(&bmp, true, haRight, vaBottom);
    EXPECT_EQ(g.CellType(), ctBitmap);
    EXPECT_EQ(g.CellBitmap().As<QImage>(), &bmp);
    EXPECT_EQ(g.CellHAlign(), haRight);
    EXPECT_EQ(g.CellVAlign(), vaBottom);
    EXPECT_TRUE(g.CellTransparent());
    EXPECT_EQ(g.CellText(), QStringLiteral("kept")); // fields not named keep their values
    EXPECT_EQ(g.CellValue(), 2.5);

    g.SetImageIdx(7, haCenter, vaCenter);
    EXPECT_EQ(g.CellType(), ctImageList);
    EXPECT_EQ(g.CellIndex(), 7);
    g.SetDataImage(3, haLeft, vaTop);
    EXPECT_EQ(g.CellType(), ctDataImage);
    EXPECT_EQ(g.CellIndex(), 3);

    g.SetCellAngle(1);
    g.SetCheckBox(true, true, haBeforeText, vaCenter, true);
    EXPECT_EQ(g.CellType(), ctDataCheckBox);
    EXPECT_EQ(g.CellAngle(), 0);
    EXPECT_TRUE(g.CellBoolean());
    EXPECT_TRUE(g.CellTransparent());
    g.SetCheckBox(false, false, haLeft, vaTop, false);
    EXPECT_EQ(g.CellType(), ctCheckBox);
    EXPECT_FALSE(g.CellBoolean());

    g.SetCellBoolean(true);
    g.SetCheckBox(TNovaCheckBox::cbGrayed, true, haLeft, vaTop);
    EXPECT_EQ(g.CellType(), ctTriStateCheckBox);
    EXPECT_EQ(g.CellCheckBoxState(), TNovaCheckBox::cbGrayed);
    EXPECT_FALSE(g.CellBoolean());

    g.SetRadioButton(true, false, haAfterText, vaTop);
    EXPECT_EQ(g.CellType(), ctRadioButton);
    EXPECT_TRUE(g.CellBoolean());
    EXPECT_EQ(g.CellHAlign(), haAfterText);

    g.SetButton(60, 20, haFull, vaFull, QStringLiteral("Go"));
    EXPECT_EQ(g.CellType(), ctButton);
    EXPECT_EQ(g.CellIndex() & 0xFFFF, 60);
    EXPECT_EQ(g.CellIndex() >> 16, 20);
    EXPECT_EQ(g.CellText(), QStringLiteral("Go"));
    EXPECT_FALSE(g.CellBoolean());

    g.SetBitButton(16, 16, haLeft, vaTop, &bmp, QStringLiteral("Pic"));
    EXPECT_EQ(g.CellType(), ctBitButton);
    EXPECT_EQ(g.CellBitmap().As<QImage>(), &bmp);
    EXPECT_EQ(g.CellIndex(), (16 << 16) | 16);

    THTMLPicture pic;
    g.SetPicture(&pic, false, haCenter, vaCenter, 3, 2);
    EXPECT_EQ(g.CellType(), ctPicture);
    EXPECT_EQ(g.CellIndex(), 3);
    EXPECT_EQ(g.CellAngle(), 2);
    TFilePicture file;
    g.SetFilePicture(&file, true, haLeft, vaTop, 1, 4);
    EXPECT_EQ(g.CellType(), ctFilePicture);
    EXPECT_EQ(g.CellAngle(), 4);

    int changes = 0;
    g.SetMultiImage(2, 5, [&](QObject *, int c, int r) { changes += c * 10 + r; }, true, haLeft, vaTop);
    EXPECT_EQ(g.CellType(), ctImages);
    EXPECT_FALSE(g.CellBoolean()); // vertical: stacked
    EXPECT_TRUE(g.CellCreated());
    auto *list = g.CellBitmap().As<TIntList>();
    ASSERT_NE(list, nullptr);
    list->Add(4);
    EXPECT_EQ(changes, 25); // the list knows its cell and reports to the grid
}

TEST(CellGraphic, AnglesWrapIntoAFullTurn)
{
    const std::pair<int, int> cases[] = {{-90, 270}, {450, 90}, {360, 360}, {0, 0}, {-360, 0},
                                         {720, 360}, {361, 1},  {-721, 359}, {45, 45}};
    for (auto [in, out] : cases) {
        TCellGraphic g;
        g.SetAngle(in);
        EXPECT_EQ(g.CellType(), ctRotated);
        EXPECT_EQ(g.CellAngle(), out) << in;
    }
    TCellGraphic big;
    big.SetAngle(std::numeric_limits<int>::min()); // no long loop, still within a turn
    EXPECT_GE(big.CellAngle(), 0);
    EXPECT_LE(big.CellAngle(), 360);
}

TEST(CellGraphic, PictureSizeByStretchMode)
{
    THTMLPicture pic;
    pic.LoadFromData(pngOfSize(200, 100));
    ASSERT_EQ(pic.Width(), 200);
    struct Case {
        int mode, w, h, padding;
        TPoint size;
    };
    const Case cases[] = {
        {0, 100, 100, 0, {200, 100}}, {1, 100, 100, 0, {100, 100}}, {2, 100, 100, 0, {100, 50}},
        {3, 100, 100, 0, {100, 100}}, {4, 100, 100, 0, {100, 50}},  {9, 100, 100, 0, {200, 100}},
        {3, 300, 300, 0, {200, 100}}, // fits: natural size
        {4, 300, 300, 0, {200, 100}},
        {2, 400, 400, 0, {400, 200}}, // stretch with aspect also grows
        {1, 110, 60, 10, {100, 50}},  // padding comes off both sides' sum
        {2, 100, 25, 0, {50, 25}},    // height limits
    };
    for (const Case &c : cases) {
        TCellGraphic g;
        g.SetPicture(&pic, false, haLeft, vaTop, c.padding, c.mode);
        TPoint size{-1, -1};
        g.GetPictureSize(c.w, c.h, true, size);
        EXPECT_EQ(size, c.size) << "mode " << c.mode << " in " << c.w << "x" << c.h;
    }
    TCellGraphic other;
    other.SetImageIdx(1, haLeft, vaTop);
    TPoint untouched{7, 8};
    other.GetPictureSize(50, 50, false, untouched);
    EXPECT_EQ(untouched, (TPoint{7, 8}));
}

TEST(CellGraphic, DestructionFreesOnlyWhatItOwns)
{
    struct Case {
        const char *what;
        std::function<void(TCellGraphic &, Tracked *)> set;
        bool freed;
    };
    const Case cases[] = {
        {"bitmap not created by the graphic", [](TCellGraphic &g, Tracked *t) { g.SetCellType(ctBitmap); g.SetCellBitmap(t); }, false},
        {"bitmap created by the graphic",
         [](TCellGraphic &g, Tracked *t) { g.SetCellType(ctBitmap); g.SetCellBitmap(t); g.SetCellCreated(true); }, true},
        {"picture created", [](TCellGraphic &g, Tracked *t) { g.SetCellType(ctPicture); g.SetCellBitmap(t); g.SetCellCreated(true); }, true},
        {"radio group list created", [](TCellGraphic &g, Tracked *t) { g.SetCellType(ctRadio); g.SetCellBitmap(t); g.SetCellCreated(true); }, true},
        {"balloon texts always", [](TCellGraphic &g, Tracked *t) { g.SetCellType(ctBalloon); g.SetCellBitmap(t); }, true},
        {"image list always", [](TCellGraphic &g, Tracked *t) { g.SetCellType(ctImages); g.SetCellBitmap(t); }, true},
        {"icon created", [](TCellGraphic &g, Tracked *t) { g.SetCellType(ctIcon); g.SetCellIcon(t); g.SetCellCreated(true); }, true},
        {"icon not created", [](TCellGraphic &g, Tracked *t) { g.SetCellType(ctIcon); g.SetCellIcon(t); }, false},
        {"check box with its own glyph",
         [](TCellGraphic &g, Tracked *t) { g.SetCheckBox(true, false, haLeft, vaTop, false); g.SetCellBitmap(t); g.SetCellAngle(1); }, true},
        {"radio button without its own glyph",
         [](TCellGraphic &g, Tracked *t) { g.SetRadioButton(true, false, haLeft, vaTop); g.SetCellBitmap(t); }, false},
        {"interface object is the caller's",
         [](TCellGraphic &g, Tracked *t) { g.SetInterfacedCell(t); g.SetCellCreated(true); }, false},
    };
    for (const Case &c : cases) {
        int deaths = 0;
        auto *t = new Tracked(deaths);
        {
            TCellGraphic g;
            c.set(g, t);
        }
        EXPECT_EQ(deaths, c.freed ? 1 : 0) << c.what;
        if (!deaths)
            delete t;
    }
}

TEST(CellGraphic, AssignCopiesValuesNotObjects)
{
    QImage bmp(2, 2, QImage::Format_RGB32);
    TCellGraphic a;
    a.SetBitmap(&bmp, true, haCenter, vaFull);
    a.SetCellIndex(9);
    a.SetCellValue(1.5);
    a.SetCellAngle(45);
    a.SetCellBoolean(true);
    a.SetCellErrFrom(2);
    a.SetCellErrLen(3);
    a.SetCellText(QStringLiteral("t"));
    a.SetCellVar(QVariant(true));
    a.SetCellCheckBoxState(TNovaCheckBox::cbChecked);
    TCellGraphic b;
    b.Assign(a);
    EXPECT_EQ(b.CellType(), ctBitmap);
    EXPECT_EQ(b.CellHAlign(), haCenter);
    EXPECT_EQ(b.CellVAlign(), vaFull);
    EXPECT_EQ(b.CellIndex(), 9);
    EXPECT_TRUE(b.CellTransparent());
    EXPECT_EQ(b.CellValue(), 1.5);
    EXPECT_EQ(b.CellAngle(), 45);
    EXPECT_TRUE(b.CellBoolean());
    EXPECT_EQ(b.CellErrFrom(), 2);
    EXPECT_EQ(b.CellErrLen(), 3);
    EXPECT_EQ(b.CellText(), QStringLiteral("t"));
    EXPECT_FALSE(b.CellBitmap()); // references are not copied
    EXPECT_FALSE(b.CellVar().isValid());
    EXPECT_EQ(b.CellCheckBoxState(), TNovaCheckBox::cbUnchecked);
}
