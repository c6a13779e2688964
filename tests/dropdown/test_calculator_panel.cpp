// The calculator keypad: its keys, their layout, the pointer and the painting.
#include "dropdown/CalculatorPanel.h"
#include "panel_test_support.h"

#include <QBuffer>
#include <QTest>
#include <gtest/gtest.h>

using paneltest::Host;

namespace {

int indexOf(TCustomButtonPanel &p, const QString &caption)
{
    for (int i = 0; i < p.Buttons().Count(); ++i)
        if (p.Buttons().GetItem(i)->Caption() == caption)
            return i;
    return -1;
}

TRect rectOf(TCustomButtonPanel &p, const QString &caption)
{
    return p.GetButtonRect(indexOf(p, caption));
}

const TCanvasOp *textOp(const TRecordingCanvas &c, const QString &text)
{
    for (const TCanvasOp &op : c.Ops)
        if (op.kind == TCanvasOp::Text && op.text == text)
            return &op;
    return nullptr;
}

// A standalone calculator keypad with a 228 by 150 client area.
class Keypad : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel.resize(228, 150);
        panel.InitButtons();
        panel.OnButtonClick = [this](QObject *Sender, int Index) {
            EXPECT_EQ(Sender, &panel);
            clicks.push_back(Index);
        };
    }
    TCustomButtonPanel panel;
    std::vector<int> clicks;
};

} // namespace

TEST_F(Keypad, HoldsTheTwentyEightCalculatorKeys)
{
    ASSERT_EQ(panel.Buttons().Count(), 28);
    struct Row {
        int index;
        const char *caption, *name;
        int tag;
        bool special;
    } rows[] = {
        {0, "", "BTN_ON", 30, false},   {1, "Back", "BTN_BACK", 31, true}, {3, "C", "BTN_C", 16, true},
        {7, "M+", "BTN_M+", 36, true},  {8, "0", "BTN_0", 0, false},       {15, "+/-", "BTN_+/-", 14, false},
        {16, ".", "BTN_.", 15, false},  {20, "/", "BTN_/", 13, true},      {24, "=", "BTN_=", 17, true},
        {25, "1/x", "BTN_1/x", 38, false}, {26, "%", "BTN_%", 18, false},  {27, "sqrt", "BTN_sqrt", 37, true},
    };
    for (const Row &r : rows) {
        const TButtonItem *b = panel.Buttons().GetItem(r.index);
        EXPECT_EQ(b->Caption(), QString::fromLatin1(r.caption)) << r.index;
        EXPECT_EQ(b->Name(), QString::fromLatin1(r.name)) << r.index;
        EXPECT_EQ(b->Tag(), r.tag) << r.index;
        EXPECT_EQ(b->Special(), r.special) << r.index;
        EXPECT_EQ(b->CaptionColor(), r.special ? TColor(0x000080) : clWhite) << r.index;
        EXPECT_TRUE(b->Enabled());
    }
    // Every digit key's tag is its digit.
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(panel.Buttons().GetItem(indexOf(panel, QString::number(d)))->Tag(), d);
}

TEST_F(Keypad, LaysTheKeysOutInFiveRows)
{
    struct Row {
        const char *caption;
        TRect rect;
    } rows[] = {
        {"", {8, 8, 42, 34}},         {"Back", {46, 8, 100, 34}}, {"CE", {104, 8, 158, 34}},
        {"C", {162, 8, 217, 34}},     {"MC", {8, 38, 42, 64}},    {"7", {46, 38, 80, 64}},
        {"8", {79, 38, 113, 64}},     {"9", {112, 38, 146, 64}},  {"/", {150, 38, 184, 64}},
        {"sqrt", {183, 38, 217, 64}}, {"MR", {8, 63, 42, 89}},    {"%", {183, 63, 217, 89}},
        {"MS", {8, 88, 42, 114}},     {"1/x", {183, 88, 217, 114}}, {"M+", {8, 113, 42, 139}},
        {"0", {46, 113, 80, 139}},    {"+/-", {79, 113, 113, 139}}, {".", {112, 113, 146, 139}},
        {"+", {150, 113, 184, 139}},  {"=", {183, 113, 217, 139}},
    };
    for (const Row &r : rows)
        EXPECT_EQ(rectOf(panel, QString::fromLatin1(r.caption)), r.rect) << r.caption;
}

TEST_F(Keypad, AResizeLaysTheKeysOutAgain)
{
    Host host(400, 300);
    TCustomButtonPanel *p = host.add<TCustomButtonPanel>();
    p->resize(228, 150);
    p->InitButtons();
    ASSERT_TRUE(host.show());
    p->resize(228 + 60, 150 + 50);
    EXPECT_EQ(rectOf(*p, QStringLiteral("7")).Width(), 44);
    EXPECT_EQ(rectOf(*p, QStringLiteral("7")).Height(), 36);
}

TEST_F(Keypad, ASharedBorderBelongsToTheLowerIndex)
{
    const int y = 50;
    EXPECT_EQ(panel.ButtonAtPos(79, y), indexOf(panel, "7")); // "7" (11) before "8" (12)
    EXPECT_EQ(panel.ButtonAtPos(80, y), indexOf(panel, "8"));
    EXPECT_EQ(panel.ButtonAtPos(46, 38), indexOf(panel, "7")); // left and top edges inside
    EXPECT_EQ(panel.ButtonAtPos(217, 50), -1);                  // right edge outside
    EXPECT_EQ(panel.ButtonAtPos(44, 50), -1);                   // the gap
    EXPECT_EQ(panel.GetButtonRect(28), (TRect{-1, -1, -1, -1}));
    EXPECT_EQ(panel.GetButtonRect(-1), (TRect{-1, -1, -1, -1}));
}

TEST_F(Keypad, AClickIsAPressAndAReleaseOnTheSameKey)
{
    Host host(300, 200);
    TCustomButtonPanel *p = host.add<TCustomButtonPanel>();
    p->resize(228, 150);
    p->InitButtons();
    std::vector<int> seen;
    p->OnButtonClick = [&](QObject *, int i) { seen.push_back(i); };
    ASSERT_TRUE(host.show());

    const TRect five = rectOf(*p, "5"), six = rectOf(*p, "6");
    host.click(p, five.Left + 5, five.Top + 5);
    EXPECT_EQ(seen, std::vector<int>{indexOf(*p, "5")});

    host.press(p, five.Left + 5, five.Top + 5);
    EXPECT_EQ(p->ButtonDown(), indexOf(*p, "5"));
    host.release(p, six.Left + 5, six.Top + 5); // released elsewhere: no click
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(p->ButtonDown(), -1);

    host.click(p, five.Left + 5, five.Top + 5, Qt::RightButton); // any button
    EXPECT_EQ(seen.size(), 2u);
    host.click(p, 2, 2); // no key
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(Keypad, ADisabledKeyIsNeverHotNorPressed)
{
    Host host(300, 200);
    TCustomButtonPanel *p = host.add<TCustomButtonPanel>();
    p->resize(228, 150);
    p->InitButtons();
    int clicked = 0;
    p->OnButtonClick = [&](QObject *, int) { ++clicked; };
    const int nine = indexOf(*p, "9");
    p->Buttons().GetItem(nine)->SetEnabled(false);
    ASSERT_TRUE(host.show());
    const TRect r8 = rectOf(*p, "8"), r9 = rectOf(*p, "9");

    host.move(p, r8.Left + 5, r8.Top + 5);
    EXPECT_EQ(p->ButtonHot(), indexOf(*p, "8"));
    host.move(p, r9.Left + 10, r9.Top + 5); // onto the disabled key: no hot key
    EXPECT_EQ(p->ButtonHot(), -1);
    host.click(p, r9.Left + 10, r9.Top + 5);
    EXPECT_EQ(p->ButtonDown(), -1);
    EXPECT_EQ(clicked, 0);
    p->SetButtonHot(nine);
    p->SetButtonDown(nine);
    EXPECT_EQ(p->ButtonHot(), -1);
    EXPECT_EQ(p->ButtonDown(), -1);
}

TEST_F(Keypad, InitButtonsLeavesAFilledCollectionAlone)
{
    panel.Buttons().GetItem(0)->SetBounds(1, 2, 3, 4);
    panel.InitButtons();
    EXPECT_EQ(panel.Buttons().Count(), 28);
    EXPECT_EQ(panel.GetButtonRect(0), (TRect{1, 2, 4, 6})); // not arranged again
    panel.ResetButtons();
    EXPECT_EQ(panel.GetButtonRect(0), (TRect{8, 8, 42, 34}));
}

TEST_F(Keypad, ACustomPanelKeepsItsKeysWhereTheyAre)
{
    TCustomButtonPanel custom;
    custom.SetButtonPanelType(plCustom);
    custom.InitButtons();
    EXPECT_EQ(custom.Buttons().Count(), 0);
    TButtonItem *b = custom.Buttons().Add();
    EXPECT_EQ(custom.GetButtonRect(0), (TRect{0, 0, 0, 0}));
    b->SetBounds(10, 10, 30, 20);
    custom.resize(300, 300);
    custom.ArrangeButtons();
    EXPECT_EQ(custom.GetButtonRect(0), (TRect{10, 10, 40, 30}));
    // A calculator panel with fewer keys than its layout places keeps them too.
    custom.SetButtonPanelType(plCalculator);
    EXPECT_EQ(custom.GetButtonRect(0), (TRect{10, 10, 40, 30}));
}

TEST_F(Keypad, LoadingCreatesTheKeysOfAStandalonePanelOnly)
{
    TCustomButtonPanel standalone;
    standalone.Loaded();
    EXPECT_EQ(standalone.Buttons().Count(), 28);
    QWidget host;
    TCustomButtonPanel hosted;
    hosted.SetNovaDropDown(&host);
    hosted.Loaded();
    EXPECT_EQ(hosted.Buttons().Count(), 0);
}

TEST_F(Keypad, PaintsTheHotKeyLastAndSpecialCaptionsInTheirColour)
{
    panel.ButtonAppearance().SetTextColor(0x000011);
    panel.SetButtonHot(indexOf(panel, "5"));
    TRecordingCanvas rec;
    panel.PaintTo(rec);
    const QStringList texts = rec.Texts();
    ASSERT_EQ(texts.size(), 27); // the blank key draws no caption
    EXPECT_EQ(texts.last(), QStringLiteral("5"));
    EXPECT_EQ(textOp(rec, "7")->font.Color, TColor(0x000011));
    EXPECT_EQ(textOp(rec, "sqrt")->font.Color, TColor(0x000080));
    EXPECT_EQ(textOp(rec, "sqrt")->font.Size, 10);
    EXPECT_TRUE(textOp(rec, "sqrt")->font.Style.Contains(fsBold));
    // Captions are centred in the key less its insets.
    EXPECT_EQ(textOp(rec, "7")->rect, (TRect{50, 42, 76, 60}));
    EXPECT_EQ(textOp(rec, "7")->flags & (DT_CENTER | DT_VCENTER | DT_SINGLELINE),
              unsigned(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    // A standalone panel frames itself in black.
    EXPECT_EQ(rec.OfKind(TCanvasOp::Rectangle).front().rect, (TRect{0, 0, 228, 150}));
    EXPECT_EQ(rec.OfKind(TCanvasOp::Rectangle).front().pen.Color, clBlack);
}

TEST_F(Keypad, AnImageWithItsCaptionBelow)
{
    QImage img(16, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    TButtonItem *b = panel.Buttons().GetItem(indexOf(panel, "0"));
    b->Image().LoadFromData(data);
    panel.SetButtonLayout(ilCaptionBottom);
    panel.resize(300, 300); // keys 46 high
    const TRect key = b->Rect();
    TRecordingCanvas rec;
    panel.DrawButton(indexOf(panel, "0"), rec);
    const auto images = rec.OfKind(TCanvasOp::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].rect.Left, key.Left + 4);
    EXPECT_EQ(images[0].rect.Top, key.Top + 4);
    EXPECT_EQ(textOp(rec, "0")->rect.Top, key.Top + 4 + 20); // the caption gap is 0
}

TEST(ButtonAppearance, StartsWithItsColoursAndReportsChanges)
{
    TButtonAppearance a;
    EXPECT_EQ(a.Color(), TColor(0x9A915F));
    EXPECT_EQ(a.ColorTo(), TColor(0xB0A170));
    EXPECT_EQ(a.ColorDown(), TColor(0x4B2F08));
    EXPECT_EQ(a.ColorHotTo(), TColor(0xD5C244));
    EXPECT_EQ(a.GlowColorDown(), TColor(0xD5C244));
    EXPECT_EQ(a.BorderColorChecked(), TColor(0xFF0000));
    EXPECT_EQ(a.SpecialTextColor(), TColor(0x000080));
    EXPECT_EQ(a.Font().Size, 10);
    int changes = 0;
    a.OnChange = [&](QObject *) { ++changes; };
    a.SetColor(0x9A915F);
    a.SetShineColor(clRed); // stored without notice
    a.SetGlowColorHot(clRed);
    EXPECT_EQ(changes, 0);
    a.SetColor(clRed);
    a.SetSpecialTextColor(clBlue);
    EXPECT_EQ(changes, 2);
    TButtonAppearance b;
    int bChanges = 0;
    b.OnChange = [&](QObject *) { ++bChanges; };
    b.Assign(a);
    EXPECT_EQ(b.Color(), clRed);
    EXPECT_EQ(b.ShineColor(), clRed);
    EXPECT_EQ(bChanges, 2);
}

TEST(ButtonItem, AssignCopiesAllButThePlace)
{
    TButtonItem a(nullptr), b(nullptr);
    a.SetCaption(QStringLiteral("X"));
    a.SetTag(7);
    a.SetName(QStringLiteral("BTN_X"));
    a.SetEnabled(false);
    a.SetCaptionColor(clRed);
    a.SetSpecial(true);
    a.SetBounds(1, 2, 3, 4);
    b.Assign(a);
    EXPECT_EQ(b.Caption(), QStringLiteral("X"));
    EXPECT_EQ(b.Tag(), 7);
    EXPECT_EQ(b.Name(), QStringLiteral("BTN_X"));
    EXPECT_FALSE(b.Enabled());
    EXPECT_EQ(b.CaptionColor(), clRed);
    EXPECT_FALSE(b.Special());
    EXPECT_EQ(b.Rect(), (TRect{0, 0, 0, 0}));
}
