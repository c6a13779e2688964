// The looks of the drop-down family: the style presets (tables 1 to 3), the colour tones, the
// pop-up's background and frame, the header and footer bars with their buttons and grip, the
// checked list the bars keep their buttons in, and the grid foundation's services they stand on.
#include "dropdown/DropDownBars.h"
#include "dropdown/DropDownForm.h"
#include "dropdown/NovaDropDown.h"
#include "grid/base/Theme.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

constexpr TColor keep = clDefault; // "left unchanged" in the tables below

class TestDropDown : public TNovaCustomDropDown {
public:
    using TNovaCustomDropDown::TNovaCustomDropDown;
    using TNovaCustomDropDown::ApplyItemAppearanceStyle;
};

// An item appearance with the colour fields the item lists use.
struct Items {
    TColor ColorHot = 1, ColorHotTo = 1, ColorMirrorHot = 1, ColorMirrorHotTo = 1, ColorSelected = 1,
           ColorSelectedTo = 1, ColorMirrorSelected = 1, ColorMirrorSelectedTo = 1, BorderColor = 1, BorderColorTop = 1,
           BorderColorBottom = 1, EdgeColor = 1, BorderColorHot = 1, BorderColorSelected = 1, ColorHotText = 1,
           ColorSelectedText = 1;
};

const char *name(TNovaStyle s)
{
    static const char *names[] = {"2003Blue", "2003Silver", "2003Olive", "2003Classic", "2007Luna", "2007Obsidian",
                                  "WindowsXP", "Whidbey", "Custom", "2007Silver", "WindowsVista", "Windows7",
                                  "Terminal", "2010Blue", "2010Silver", "2010Black"};
    return names[s];
}

TNovaButton *button(const TDbgList &list, int i) { return static_cast<TNovaButton *>(list.GetItemsEx(i)); }

} // namespace

// ---- presets --------------------------------------------------------------------------------------

TEST(DropDownStyles, PopUpHeaderAndFooterTable)
{
    struct Row {
        TNovaStyle style;
        TColor dd, ddTo, ddBorder, color, colorTo, font, border, footerColor, footerColorTo, footerBorder;
    } rows[] = {
        {tsOffice2003Blue, 0xFFFFFF, clNone, keep, 0xFCE1CB, 0xE0A57D, clBlack, clBlack, 0xFCE1CB, 0xE0A57D, 0x962D00},
        {tsOffice2003Silver, 0xFFFFFF, clNone, keep, 0xECE2E1, 0xB39698, clBlack, 0x947C7C, 0xECE2E1, 0xB39698, 0x947C7C},
        {tsOffice2003Olive, 0xFFFFFF, clNone, clNone, 0xCFF0EA, 0x8CC0B1, clBlack, 0x588060, 0xCFF0EA, 0x8CC0B1, 0x588060},
        {tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, 0xFFFFFF, 0x808080, 0x808080, 0x808080, 0x808080},
        {tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0xFFD2AF},
        {tsOffice2007Obsidian, 0xFFFFFF, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, 0xF2F1F0, 0xC9C2BD, 0x5C534C},
        {tsWindowsXP, 0xFFFFFF, clNone, keep, 0xFFFFFF, clBtnFace, clBlack, 0x808080, 0xFFFFFF, clBtnFace, 0x808080},
        {tsWhidbey, 0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0xEBEEEF, 0x7E9898, 0x962D00},
        {tsOffice2007Silver, 0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, 0xF8F7F6, 0xE8E0DB, 0x74706F},
        {tsWindowsVista, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, clBlack, 0xFCF2DA, 0xFFFAF0, 0xFFFDF9, 0xFCF2DA},
        {tsWindows7, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, clBlack, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8},
        {tsTerminal, 0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, clBlack, clNone, clBtnFace, clBtnFace, clNone},
        {tsOffice2010Blue, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, 0xFDF6EF, 0xF0DAC7, 0xC7B29F},
        {tsOffice2010Silver, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, 0xFFFFFF, 0xEDE5E0, 0xD2CDC8},
        {tsOffice2010Black, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, 0xBFBFBF, 0x919191, 0x6D6D6D},
    };
    for (const Row &r : rows) {
        TestDropDown d;
        d.SetDropDownBorderColor(clRed);
        d.SetComponentStyle(r.style);
        EXPECT_EQ(d.GetComponentStyle(), r.style);
        EXPECT_EQ(d.DropDownColor(), r.dd) << name(r.style);
        EXPECT_EQ(d.DropDownColorTo(), r.ddTo) << name(r.style);
        EXPECT_EQ(d.DropDownBorderColor(), r.ddBorder == keep ? clRed : r.ddBorder) << name(r.style);
        const THeaderAppearance &h = d.DropDownHeader();
        EXPECT_EQ(h.Color(), r.color) << name(r.style);
        EXPECT_EQ(h.ColorTo(), r.colorTo) << name(r.style);
        EXPECT_EQ(h.Font().Color, r.font) << name(r.style);
        EXPECT_EQ(h.BorderColor(), r.border) << name(r.style);
        const TFooterAppearance &f = d.DropDownFooter();
        EXPECT_EQ(f.Color(), r.footerColor) << name(r.style);
        EXPECT_EQ(f.ColorTo(), r.footerColorTo) << name(r.style);
        EXPECT_EQ(f.Font().Color, r.font) << name(r.style);
        EXPECT_EQ(f.BorderColor(), r.footerBorder) << name(r.style);
    }
}

TEST(DropDownStyles, ButtonTable)
{
    // Color, ColorTo, BorderColor, hot (3), down (3), disabled (2), checked (3).
    using C = std::array<TColor, 14>;
    const C a = {0, 0, 0, 0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B};
    const C b = {0, 0, 0, 0x8AE3FD, clNone, 0x58CAF1, 0x6CD0FF, clNone, 0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE};
    auto with = [](C set, TColor c, TColor to, TColor border) {
        set[0] = c, set[1] = to, set[2] = border;
        return set;
    };
    struct Row {
        TNovaStyle style;
        C colors;
    } rows[] = {
        {tsOffice2003Blue, with(a, 0xFCE1CB, 0xE0A57D, clNone)},
        {tsOffice2003Silver, with(a, 0xECE2E1, 0xB39698, clNone)},
        {tsOffice2003Olive, with(a, 0xCFF0EA, 0x8CC0B1, clNone)},
        {tsOffice2007Luna, with(a, 0xFFEFE3, 0xFFDDC4, clNone)},
        {tsOffice2007Obsidian, with(a, 0xF2F1F0, 0xC9C2BD, clNone)},
        {tsWhidbey, with(a, 0xFFFFFF, 0xDFEDF0, clNone)},
        {tsOffice2007Silver, with(a, 0xF9F8F8, 0xE4E2DF, clNone)},
        {tsOffice2010Blue, with(b, 0xFDF6EF, 0xF0DAC7, 0xC7B29F)},
        {tsOffice2010Silver, with(b, 0xFFFFFF, 0xEDE5E0, 0xD2CDC8)},
        {tsOffice2010Black, with(b, 0xBFBFBF, 0x919191, 0xD7D7D6)},
        {tsOffice2003Classic, {0xFFFFFF, 0xC9D1D5, clNone, 0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080,
                               0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080}},
        {tsWindowsXP, {0xFFFFFF, clBtnFace, clNone, 0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption,
                       clInactiveCaption, clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, clBlack}},
        {tsWindowsVista, {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A,
                          0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A}},
        {tsWindows7, {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D,
                      0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D}},
        {tsTerminal, {clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080,
                      clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight}},
    };
    for (const Row &r : rows) {
        TestDropDown d;
        d.SetComponentStyle(r.style);
        const TNovaButtonAppearance &x = d.ButtonAppearance();
        const C got = {x.Color(), x.ColorTo(), x.BorderColor(), x.ColorHot(), x.ColorHotTo(), x.BorderColorHot(),
                       x.ColorDown(), x.ColorDownTo(), x.BorderColorDown(), x.ColorDisabled(), x.ColorDisabledTo(),
                       x.ColorChecked(), x.ColorCheckedTo(), x.BorderColorChecked()};
        for (int i = 0; i < 14; ++i) EXPECT_EQ(got[i], r.colors[i]) << name(r.style) << " colour " << i;
    }
}

TEST(DropDownStyles, ItemTable)
{
    using C = std::array<TColor, 13>; // twelve colours and the selected text
    const C o3 = {0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone, clNone, clNone, clBlack};
    C o7 = o3;
    o7[9] = 0xF4FEFF, o7[10] = 0xCAF8FF, o7[11] = 0xC3D9DF;
    const C o10 = {0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, clNone, clNone, clNone, clBlack};
    struct Row {
        TNovaStyle style;
        C colors;
    } rows[] = {
        {tsOffice2003Blue, o3}, {tsOffice2003Silver, o3}, {tsOffice2003Olive, o3}, {tsWhidbey, o3},
        {tsOffice2007Luna, o7}, {tsOffice2007Obsidian, o7}, {tsOffice2007Silver, o7},
        {tsOffice2003Classic, {0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, 0x808080, clNone, clNone, clNone, clBlack}},
        {tsWindowsXP, {0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlightText}},
        {tsWindowsVista, {0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, 0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, clBlack}},
        {tsWindows7, {0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, clBlack}},
        {tsTerminal, {0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone, 0x808080, clNone, clNone, clNone, clHighlightText}},
        {tsOffice2010Blue, o10}, {tsOffice2010Silver, o10}, {tsOffice2010Black, o10},
    };
    TestDropDown d;
    for (const Row &r : rows) {
        Items x;
        d.ApplyItemAppearanceStyle(&x, r.style);
        const C got = {x.ColorHot, x.ColorHotTo, x.ColorMirrorHot, x.ColorMirrorHotTo, x.ColorSelected, x.ColorSelectedTo,
                       x.ColorMirrorSelected, x.ColorMirrorSelectedTo, x.BorderColor, x.BorderColorTop,
                       x.BorderColorBottom, x.EdgeColor, x.ColorSelectedText};
        for (int i = 0; i < 13; ++i) EXPECT_EQ(got[i], r.colors[i]) << name(r.style) << " colour " << i;
        EXPECT_EQ(x.BorderColorHot, clNone);
        EXPECT_EQ(x.BorderColorSelected, clNone);
        EXPECT_EQ(x.ColorHotText, clBlack);
    }
    Items untouched;
    d.ApplyItemAppearanceStyle(&untouched, tsCustom);
    EXPECT_EQ(untouched.ColorHot, 1u);
    EXPECT_EQ(untouched.ColorSelectedText, 1u) << "tsCustom leaves the text colours too";
    d.ApplyItemAppearanceStyle<Items>(nullptr, tsWindows7);
}

TEST(DropDownStyles, FreshDropDownCustomStyleAndTones)
{
    TestDropDown d;
    EXPECT_EQ(d.GetComponentStyle(), tsOffice2007Luna);
    EXPECT_EQ(d.DropDownColor(), 0xF3E5DAu);
    EXPECT_EQ(d.DropDownBorderColor(), clNone);
    EXPECT_EQ(d.ButtonAppearance().ColorTo(), 0xFFDDC4u);
    d.SetComponentStyle(tsWindows7);
    d.SetComponentStyle(tsCustom);
    EXPECT_EQ(d.GetComponentStyle(), tsCustom);
    EXPECT_EQ(d.DropDownBorderColor(), 0x979797u) << "as Windows 7 left it";
    EXPECT_EQ(d.ButtonAppearance().BorderColorChecked(), 0xCEA27Du);

    TColorTones tones;
    tones.Background = {clNone, clNone, clNone};
    d.SetColorTones(tones);
    EXPECT_EQ(d.BorderColor(), clNone) << "no frame of its own";
    EXPECT_EQ(d.Button()->ButtonColor, clNone) << "the classic arrow";
    tones.Background = {RGBColor(0, 160, 0), RGBColor(200, 0, 0), clBlack};
    tones.Hover.BrushColor = RGBColor(0, 200, 0);
    tones.Selected.BrushColor = RGBColor(0, 100, 0);
    d.SetColorTones(tones);
    EXPECT_EQ(d.BorderColor(), RGBColor(200, 0, 0));
    EXPECT_EQ(d.Button()->ButtonColor, RGBColor(0, 160, 0));
    EXPECT_EQ(d.Button()->ButtonColorHot, RGBColor(0, 200, 0));
    EXPECT_EQ(d.Button()->ButtonColorDown, RGBColor(0, 100, 0));
    EXPECT_EQ(d.Button()->ButtonBorderColor, RGBColor(200, 0, 0));
    d.resize(150, 21);
    const QImage img = d.Button()->SpeedButton()->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(13, 15)), QColor(0, 160, 0)) << "the tones' colours";
    EXPECT_EQ(QColor(img.pixel(0, 12)), QColor(200, 0, 0)) << "the edit's frame colour down its left edge";
}

// ---- the pop-up's background and frame ------------------------------------------------------------

TEST(DropDownForm, BackgroundAndFrame)
{
    TestDropDown d;
    TDropDownForm *f = d.DropDownForm();
    f->resize(100, 60);
    struct Row {
        int border;
        TColor color, colorTo, frame;
        int fills, frames;
        TRect firstFill, frameRect;
    } rows[] = {
        {1, clRed, clBlue, clBlack, 80, 1, {1, 1, 3, 59}, {0, 0, 100, 60}}, // bands overlap by one
        {0, clRed, clNone, clBlack, 1, 0, {0, 0, 100, 60}, {}},
        {3, clRed, clNone, clBlack, 1, 1, {3, 3, 97, 57}, {1, 1, 100, 60}},
        {1, clNone, clNone, clBlack, 0, 1, {}, {0, 0, 100, 60}},
        {1, clRed, clNone, clNone, 1, 0, {1, 1, 99, 59}, {}},
    };
    for (const Row &r : rows) {
        d.SetDropDownBorderWidth(r.border);
        d.SetDropDownColor(r.color);
        d.SetDropDownColorTo(r.colorTo);
        d.SetDropDownBorderColor(r.frame);
        TRecordingCanvas c;
        f->PaintBackground(c);
        const auto fills = c.OfKind(TCanvasOp::FillRect);
        ASSERT_EQ(int(fills.size()), r.fills) << r.border;
        if (r.fills) EXPECT_EQ(fills[0].rect, r.firstFill) << r.border;
        ASSERT_EQ(c.Count(TCanvasOp::Rectangle), r.frames) << r.border;
        if (r.frames) {
            const TCanvasOp op = c.OfKind(TCanvasOp::Rectangle)[0];
            EXPECT_EQ(op.rect, r.frameRect);
            EXPECT_EQ(op.pen.Width, r.border);
            EXPECT_EQ(op.brush.Style, bsClear);
        }
    }
    TDropDownForm alone(nullptr);
    TRecordingCanvas c;
    alone.PaintBackground(c);
    EXPECT_TRUE(c.Ops.empty()) << "no drop-down, nothing of its own";
}

TEST(DropDownForm, HeaderIsMadeOnlyWhenVisible)
{
    TestDropDown d;
    d.DropDownHeader().SetVisible(false);
    d.ShowDropDown();
    EXPECT_EQ(d.DropDownForm()->Header(), nullptr);
    ASSERT_NE(d.DropDownForm()->Footer(), nullptr);
    d.HideDropDown(false);
    d.DropDownHeader().SetVisible(true);
    d.ShowDropDown();
    ASSERT_NE(d.DropDownForm()->Header(), nullptr);
    d.DropDownHeader().SetVisible(false); // while open: follows at once
    EXPECT_TRUE(d.DropDownForm()->Header()->isHidden());
    d.HideDropDown(false);
}

// ---- bars and buttons -----------------------------------------------------------------------------

class DropDownBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        d = std::make_unique<TestDropDown>();
        d->resize(200, 21);
        d->SetDropDownWidth(300);
    }
    TDropDownForm *open()
    {
        d->ShowDropDown();
        return d->DropDownForm();
    }
    std::unique_ptr<TestDropDown> d;
};

TEST_F(DropDownBars, HeaderButtonsFromTheRightAndTheCaptionBeforeThem)
{
    d->DropDownHeader().SetCaption("Caption");
    d->DropDownHeader().Buttons().Add()->SetCaption("First");
    d->DropDownHeader().Buttons().Add()->SetCaption("Second");
    TNovaHeader *h = open()->Header();
    ASSERT_EQ(h->ButtonList().Count(), 2);
    TNovaButton *first = button(h->ButtonList(), 0), *second = button(h->ButtonList(), 1);
    const TRect area = h->ButtonArea();
    EXPECT_EQ(area, (TRect{2, 2, h->width() - 2, h->height() - 3}));
    EXPECT_EQ(first->x() + first->width(), area.Right) << "the first item at the right edge";
    EXPECT_EQ(second->x() + second->width(), first->x()) << "the second to its left";
    EXPECT_EQ(h->GetCaptionArea().Right, second->x() - 2);
    d->DropDownHeader().SetButtonAlignment(baLeft);
    d->HideDropDown(false);
    h = open()->Header();
    first = button(h->ButtonList(), 0);
    EXPECT_EQ(first->x(), 2);
    EXPECT_EQ(button(h->ButtonList(), 1)->x(), first->x() + first->width());
}

TEST_F(DropDownBars, FooterButtonsCloseByTheirModalResult)
{
    d->SetText("old");
    TFooterButton *cancel = d->DropDownFooter().Buttons().Add();
    cancel->SetCaption("Cancel");
    cancel->SetModalResult(2);
    TFooterButton *help = d->DropDownFooter().Buttons().Add();
    help->SetCaption("Help");
    help->SetModalResult(9);
    QList<int> clicked;
    d->OnDropDownFooterButtonClick = [&](QObject *s, int index) {
        EXPECT_EQ(s, d.get());
        clicked << index;
    };
    TDropDownForm *f = open();
    d->insert("new");
    button(f->Footer()->ButtonList(), 1)->Click();
    EXPECT_TRUE(d->DroppedDown()) << "Help only tells";
    EXPECT_EQ(clicked, QList<int>({1}));
    button(f->Footer()->ButtonList(), 0)->Click();
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->GetText(), "old") << "closed as cancelled";
    EXPECT_EQ(clicked, QList<int>({1, 0}));
    EXPECT_EQ(f->ModalResult(), 2);

    // Enter on a button closes by the result but fires no click event.
    open();
    TNovaButton *b = button(f->Footer()->ButtonList(), 0);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(b, &enter);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(clicked.size(), 2);
}

TEST_F(DropDownBars, ButtonSizesAndTheGrip)
{
    THeaderButton *hb = d->DropDownHeader().Buttons().Add();
    hb->SetCaption("Tall");
    hb->SetHeight(100);
    hb->SetWidth(40);
    TFooterButton *fb = d->DropDownFooter().Buttons().Add();
    fb->SetCaption("Tall");
    fb->SetHeight(100);
    TDropDownForm *f = open();
    EXPECT_EQ(button(f->Header()->ButtonList(), 0)->height(), f->Header()->height() - 5);
    EXPECT_EQ(button(f->Header()->ButtonList(), 0)->width(), 40);
    EXPECT_EQ(button(f->Footer()->ButtonList(), 0)->height(), f->Footer()->height() - 4);

    TNovaFooter *footer = f->Footer();
    EXPECT_TRUE(footer->HasSizeGrip());
    EXPECT_EQ(footer->ButtonArea().Right, footer->width() - 14);
    const TNovaButton *withGrip = button(footer->ButtonList(), 0);
    EXPECT_EQ(withGrip->x() + withGrip->width(), footer->width() - 14);
    d->HideDropDown(false);
    d->SetDropDownSizeable(false);
    f = open();
    EXPECT_FALSE(f->Footer()->HasSizeGrip());
    EXPECT_EQ(f->Footer()->ButtonArea().Right, f->Footer()->width() - 2) << "12 pixels further right";
    d->HideDropDown(false);
    d->SetDropDownSizeable(true);
    d->DropDownFooter().SetSizeGrip(false);
    EXPECT_FALSE(open()->Footer()->HasSizeGrip());
}

TEST_F(DropDownBars, BarPainting)
{
    TDropDownForm *f = open();
    TNovaHeader *h = f->Header();
    TNovaFooter *foot = f->Footer();

    // With a frame of the pop-up's own: only the inner line; without: all four.
    d->SetDropDownBorderWidth(1);
    d->SetDropDownBorderColor(clBlack);
    TRecordingCanvas c;
    h->PaintBar(c);
    EXPECT_EQ(c.Count(TCanvasOp::Line), 1);
    c.Clear();
    foot->PaintBar(c);
    ASSERT_GE(c.Count(TCanvasOp::Line), 1);
    EXPECT_EQ(c.OfKind(TCanvasOp::Line)[0].points[0].Y, 0) << "the footer's line is its top";
    d->SetDropDownBorderWidth(0);
    c.Clear();
    h->PaintBar(c);
    EXPECT_EQ(c.Count(TCanvasOp::Line), 4);

    // No colours: no background, the border and the caption still.
    THeaderAppearance plain;
    plain.SetColor(clNone);
    plain.SetColorTo(clNone);
    plain.SetCaption("Title");
    h->SetAppearance(plain);
    c.Clear();
    h->PaintBar(c);
    EXPECT_EQ(c.Count(TCanvasOp::FillRect), 0);
    EXPECT_GT(c.Count(TCanvasOp::Line), 0);
    EXPECT_TRUE(c.Texts().join("").contains("Title"));
    h->OnGetText = [](QObject *, QString &text) { text.clear(); };
    c.Clear();
    h->PaintBar(c);
    EXPECT_EQ(c.Count(TCanvasOp::Text), 0) << "an empty text from OnGetText: no caption";
    h->OnGetText = {};
    bool custom = false;
    h->OnDrawBackGround = [&](QObject *, TCanvas &, const TRect &) { custom = true; };
    c.Clear();
    h->PaintBar(c);
    EXPECT_TRUE(custom);
    EXPECT_TRUE(c.Ops.empty()) << "the event replaces the whole painting";

    // The grip: six white dots, six in the border colour.
    c.Clear();
    foot->PaintBar(c);
    int white = 0, dark = 0;
    for (const auto &op : c.OfKind(TCanvasOp::Rectangle)) {
        if (op.rect.Width() != 2) continue;
        white += op.brush.Color == clWhite;
        dark += op.brush.Color == d->DropDownFooter().BorderColor();
    }
    EXPECT_EQ(white, 6);
    EXPECT_EQ(dark, 6);
}

TEST_F(DropDownBars, ButtonStates)
{
    d->DropDownFooter().Buttons().Add()->SetCaption("OK");
    TDropDownForm *f = open();
    TNovaButton *b = button(f->Footer()->ButtonList(), 0);
    const TNovaButtonAppearance &a = d->ButtonAppearance();
    auto fillOf = [&] {
        TRecordingCanvas c;
        b->DrawButton(c);
        const auto fills = c.OfKind(TCanvasOp::FillRect);
        return fills.empty() ? clNone : fills.front().brush.Color;
    };
    d->ButtonAppearance().SetColorTo(clNone);
    d->ButtonAppearance().SetColor(clNone);
    EXPECT_EQ(fillOf(), clNone) << "normal: the bar shows through";
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_EQ(fillOf(), a.ColorHot()) << "hot fills solid";
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(b, &down);
    EXPECT_EQ(fillOf(), a.ColorDown());
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(b, &up);
    EXPECT_FALSE(b->MouseDownInControl());
    b->setEnabled(false);
    EXPECT_EQ(fillOf(), a.ColorDisabled());
    b->SetAppearance(nullptr);
    TRecordingCanvas c;
    b->DrawButton(c);
    EXPECT_TRUE(c.Ops.empty()) << "no appearance, nothing of its own";
}

TEST(DbgList, BoundsBothWays)
{
    TDbgList l;
    QObject a, b;
    l.Add(&a);
    EXPECT_EQ(l.GetItemsEx(0), &a);
    auto message = [](auto f) {
        try {
            f();
        } catch (const EListError &e) {
            return QString::fromStdString(e.what());
        }
        return QString("no error");
    };
    EXPECT_EQ(message([&] { l.GetItemsEx(l.Count()); }), "Index out of bounds in list read access");
    EXPECT_EQ(message([&] { l.GetItemsEx(-1); }), "Index out of bounds in list read access") << "negative too";
    EXPECT_EQ(message([&] { l.SetItemsEx(1, &b); }), "Index out of bounds in list write access");
    EXPECT_EQ(message([&] { l.SetItemsEx(-3, &b); }), "Index out of bounds in list write access");
    l.SetItemsEx(0, &b);
    TDbgList copy;
    copy.Add(&a);
    copy.Add(&a);
    copy.AssignList(l);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.GetItemsEx(0), &b);
}

// ---- what the drop-downs use of the grid foundation and of the grid's appearance objects ---------

TEST(DropDownServices, MarkupTextDrawsMeasuresAndShowsImages)
{
    TMarkupImageList images;
    images.Width = images.Height = 10;
    images.Images.assign(1, QImage(10, 10, QImage::Format_RGB32));
    TRecordingCanvas c;
    QSize measured;
    DrawMarkupCaption(&c, "Text <IMG SRC=\"IDX:0\"> more", Rect(0, 0, 300, 40), &images, DT_CALCRECT, measured);
    EXPECT_TRUE(c.Ops.empty());
    QSize drawn;
    DrawMarkupCaption(&c, "Text <IMG SRC=\"IDX:0\"> more", Rect(0, 0, 300, 40), &images, 0, drawn);
    EXPECT_EQ(c.Count(TCanvasOp::Image), 1) << "the image tag draws from the list";
    EXPECT_EQ(drawn, measured);
    EXPECT_GE(drawn.width(), 10 + 7 * 9) << "text and image in the extent";
}

TEST(DropDownServices, NothingRaisesOutOfPainting)
{
    // Pop-up, bars and buttons painted in every style, with and without drop-down and appearance.
    TestDropDown d;
    d.DropDownHeader().SetCaption("<b>x</b><IMG SRC=\"IDX:7\">");
    d.DropDownHeader().SetImageIndex(3);
    d.DropDownFooter().Buttons().Add()->SetImageIndex(9);
    TMarkupImageList empty;
    d.SetImages(&empty);
    for (int s = tsOffice2003Blue; s <= tsOffice2010Black; ++s) {
        d.SetComponentStyle(TNovaStyle(s));
        EXPECT_NO_THROW({
            d.ShowDropDown();
            d.DropDownForm()->grab();
            d.grab();
            d.HideDropDown(true);
        }) << s;
    }
    TNovaHeader alone(nullptr);
    alone.resize(50, 20);
    EXPECT_NO_THROW(alone.grab());
    TNovaButton bare(nullptr);
    EXPECT_NO_THROW(bare.grab());
    d.SetImages(nullptr);
}

TEST(DropDownServices, StyledSelectionBox)
{
    // The drop-down's selection background is the foundation's styled box: open sides leave edges.
    TRecordingCanvas closed, open;
    DrawStyledSelection(closed, clWhite, clSilver, clNone, clNone, clWhite, clSilver, clBlue, clGray, clRed,
                        Rect(0, 0, 30, 16), 0);
    DrawStyledSelection(open, clWhite, clSilver, clNone, clNone, clWhite, clSilver, clBlue, clGray, clRed,
                        Rect(0, 0, 30, 16), 3);
    EXPECT_GT(closed.Count(TCanvasOp::Line), open.Count(TCanvasOp::Line));
}

TEST(DropDownServices, ThemeQueriesAndLibrary)
{
    EXPECT_TRUE(IsWindowsVistaOrLater()) << "a current platform version";
    LoadThemeLibrary(DropDownThemeLibrary());
    EXPECT_FALSE(IsThemeActive()) << "no visual styles here: the buttons paint classic";
    TestDropDown d;
    d.resize(150, 21);
    const QImage img = d.Button()->SpeedButton()->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(8, 8)), QColor(Qt::black)) << "the classic arrow";
}

TEST(DropDownServices, HeaderAndFooterAppearances)
{
    THeaderAppearance h;
    EXPECT_EQ(h.Font().Name, "Tahoma");
    EXPECT_TRUE(h.Visible());
    EXPECT_EQ(h.Height(), 22);
    EXPECT_EQ(h.BorderWidth(), 1);
    EXPECT_EQ(h.ImageIndex(), -1);
    EXPECT_EQ(h.Color(), 0xC0C0C0u);
    EXPECT_EQ(h.ColorTo(), 0xFFFFFFu);
    EXPECT_EQ(h.GradientDirection(), gdVertical);
    EXPECT_EQ(h.ButtonAlignment(), baRight);
    int changes = 0;
    h.OnChange = [&](QObject *) { ++changes; };
    h.SetColor(clRed);
    h.SetVisible(false);
    EXPECT_EQ(changes, 1) << "only Visible tells";
    TFooterAppearance f;
    EXPECT_TRUE(f.SizeGrip());
    TFooterButton *b = f.Buttons().Add();
    EXPECT_EQ(b->ModalResult(), 0);
    EXPECT_EQ(b->ImageIndex(), -1);
    int buttonChanges = 0;
    f.Buttons().OnChange = [&] { ++buttonChanges; };
    b->SetCaption("OK");
    b->SetHeight(30);
    EXPECT_EQ(buttonChanges, 1) << "Caption tells, Height is only stored";
    THeaderAppearance copy;
    h.Buttons().Add()->SetCaption("Copied");
    copy.Assign(h);
    EXPECT_EQ(copy.Color(), clRed);
    EXPECT_FALSE(copy.Visible());
    ASSERT_EQ(copy.Buttons().Count(), 1);
    EXPECT_EQ(copy.Buttons().Items(0)->Caption(), "Copied");
    TNovaButtonAppearance a;
    EXPECT_EQ(a.ColorHot(), 0xF5F0E1u);
    EXPECT_EQ(a.ColorChecked(), BrightnessColor(0xF5F0E1, -10, -10, 0));
    EXPECT_EQ(a.BorderColorDown(), 0x800000u);
}
