#include "grid/base/DropDownAppearance.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace {

using Counter = testsupport::NotifyCounter;

template <typename A>
void expectStripDefaults(const A &a)
{
    EXPECT_EQ(a.Color(), 0xC0C0C0u);
    EXPECT_EQ(a.ColorTo(), 0xFFFFFFu);
    EXPECT_TRUE(a.Caption().isEmpty());
    EXPECT_EQ(a.GradientDirection(), gdVertical);
    EXPECT_TRUE(a.Visible());
    EXPECT_EQ(a.Height(), 22);
    EXPECT_EQ(a.BorderColor(), 0u);
    EXPECT_EQ(a.BorderWidth(), 1);
    EXPECT_EQ(a.ImageIndex(), -1);
    EXPECT_EQ(a.Buttons().Count(), 0);
    EXPECT_EQ(a.ButtonAlignment(), baRight);
}

} // namespace

TEST(StripAppearance, Defaults)
{
    QObject owner;
    THeaderAppearance h(&owner);
    expectStripDefaults(h);
    EXPECT_EQ(h.Font().Name, QStringLiteral("Tahoma"));
    EXPECT_EQ(h.Owner(), &owner);
    EXPECT_EQ(h.Buttons().GetOwner(), &owner);

    TFooterAppearance f(&owner);
    expectStripDefaults(f);
    EXPECT_TRUE(f.SizeGrip());
    EXPECT_EQ(f.Font(), TFont()); // the platform's default font, no name of its own
    EXPECT_EQ(f.Buttons().GetOwner(), &owner);

    THeaderButton *hb = h.Buttons().Add();
    EXPECT_TRUE(hb->Caption().isEmpty());
    EXPECT_EQ(hb->ImageIndex(), -1);
    EXPECT_TRUE(hb->Enabled());
    EXPECT_EQ(hb->Width(), 0);
    EXPECT_EQ(hb->Height(), 0);
    TFooterButton *fb = f.Buttons().Add();
    EXPECT_EQ(fb->ModalResult(), 0);
    EXPECT_EQ(fb->ImageIndex(), -1);
}

TEST(StripAppearance, VisibleNotifiesOnlyOnAChange)
{
    THeaderAppearance h;
    Counter c;
    h.OnChange = c.handler();
    h.SetVisible(true);
    EXPECT_EQ(c.count, 0);
    h.SetVisible(false);
    EXPECT_EQ(c.count, 1);
    EXPECT_EQ(c.sender, &h);
    h.SetVisible(false);
    EXPECT_EQ(c.count, 1);
    // the other values are plain stores
    h.SetColor(clRed);
    h.SetHeight(30);
    h.SetCaption(QStringLiteral("x"));
    EXPECT_EQ(c.count, 1);
}

TEST(StripAppearance, ButtonChangesReachTheAppearance)
{
    THeaderAppearance h;
    Counter c;
    h.OnButtonsChanged = c.handler();
    THeaderButton *b = h.Buttons().Add();
    EXPECT_EQ(c.count, 1);
    EXPECT_EQ(c.sender, &h);
    struct Step {
        const char *what;
        std::function<void()> act;
        int total;
    };
    const Step steps[] = {
        {"Height is only stored", [&] { b->SetHeight(40); }, 1},
        {"ImageIndex is only stored", [&] { b->SetImageIndex(3); }, 1},
        {"Width notifies", [&] { b->SetWidth(20); }, 2},
        {"same Width again is silent", [&] { b->SetWidth(20); }, 2},
        {"Caption notifies", [&] { b->SetCaption(QStringLiteral("OK")); }, 3},
        {"Enabled notifies", [&] { b->SetEnabled(false); }, 4},
        {"same Enabled is silent", [&] { b->SetEnabled(false); }, 4},
        {"Insert notifies", [&] { h.Buttons().Insert(0); }, 5},
        {"Delete notifies", [&] { h.Buttons().Delete(0); }, 6},
    };
    for (const Step &s : steps) {
        s.act();
        EXPECT_EQ(c.count, s.total) << s.what;
    }
    EXPECT_EQ(h.Buttons().Items(0), b);
    EXPECT_THROW(h.Buttons().Items(1), EListError);
    EXPECT_THROW(h.Buttons().Delete(-1), EListError);

    TFooterAppearance f;
    Counter fc;
    f.OnButtonsChanged = fc.handler();
    TFooterButton *fb = f.Buttons().Add();
    fb->SetModalResult(2);
    EXPECT_EQ(fc.count, 1);
    fb->SetWidth(5);
    EXPECT_EQ(fc.count, 2);
}

TEST(StripAppearance, AssignCopiesEverythingAndColorsOnlyTheLook)
{
    THeaderAppearance a;
    a.SetColor(0x102030);
    a.SetColorTo(0x405060);
    a.SetCaption(QStringLiteral("Pick"));
    TFont font;
    font.Name = QStringLiteral("Courier");
    font.Size = 12;
    a.SetFont(font);
    a.SetGradientDirection(gdHorizontal);
    a.SetVisible(false);
    a.SetHeight(31);
    a.SetBorderColor(clNavy);
    a.SetBorderWidth(3);
    a.SetImageIndex(4);
    a.SetButtonAlignment(baLeft);
    THeaderButton *ab = a.Buttons().Add();
    ab->SetCaption(QStringLiteral("Close"));
    ab->SetWidth(40);
    ab->SetHeight(18);
    ab->SetImageIndex(2);
    ab->SetEnabled(false);

    THeaderAppearance b;
    Counter visible;
    b.OnChange = visible.handler();
    b.Assign(a);
    EXPECT_EQ(visible.count, 1); // Visible went through its setter
    EXPECT_EQ(b.Color(), 0x102030u);
    EXPECT_EQ(b.ColorTo(), 0x405060u);
    EXPECT_EQ(b.Caption(), QStringLiteral("Pick"));
    EXPECT_EQ(b.Font(), font);
    EXPECT_EQ(b.GradientDirection(), gdHorizontal);
    EXPECT_FALSE(b.Visible());
    EXPECT_EQ(b.Height(), 31);
    EXPECT_EQ(b.BorderColor(), clNavy);
    EXPECT_EQ(b.BorderWidth(), 3);
    EXPECT_EQ(b.ImageIndex(), 4);
    EXPECT_EQ(b.ButtonAlignment(), baLeft);
    ASSERT_EQ(b.Buttons().Count(), 1);
    const THeaderButton *bb = b.Buttons().Items(0);
    EXPECT_NE(bb, ab); // copied, not shared
    EXPECT_EQ(bb->Caption(), QStringLiteral("Close"));
    EXPECT_EQ(bb->Width(), 40);
    EXPECT_EQ(bb->Height(), 18);
    EXPECT_EQ(bb->ImageIndex(), 2);
    EXPECT_FALSE(bb->Enabled());

    THeaderAppearance colours;
    colours.AssignColors(a);
    EXPECT_EQ(colours.Color(), 0x102030u);
    EXPECT_EQ(colours.ColorTo(), 0x405060u);
    EXPECT_EQ(colours.BorderColor(), clNavy);
    EXPECT_EQ(colours.Font(), font);
    EXPECT_EQ(colours.GradientDirection(), gdHorizontal);
    EXPECT_TRUE(colours.Caption().isEmpty());
    EXPECT_TRUE(colours.Visible());
    EXPECT_EQ(colours.Height(), 22);
    EXPECT_EQ(colours.Buttons().Count(), 0);

    TFooterAppearance fa;
    fa.SetSizeGrip(false);
    fa.Buttons().Add()->SetModalResult(1);
    TFooterAppearance fb;
    fb.Assign(fa);
    EXPECT_FALSE(fb.SizeGrip());
    EXPECT_EQ(fb.Buttons().Items(0)->ModalResult(), 1);

    // a header appearance cannot be assigned to a footer appearance or the other way round
    static_assert(!std::is_invocable_v<decltype(&TFooterAppearance::Assign), TFooterAppearance &, const THeaderAppearance &>);
    static_assert(!std::is_invocable_v<decltype(&THeaderAppearance::Assign), THeaderAppearance &, const TFooterAppearance &>);
}

TEST(NovaButtonAppearance, DefaultsAndCheckedColours)
{
    TNovaButtonAppearance a;
    EXPECT_EQ(a.BorderColor(), clNone);
    EXPECT_EQ(a.BorderColorHot(), 0x808080u);
    EXPECT_EQ(a.BorderColorDown(), 0x800000u);
    EXPECT_EQ(a.BorderColorDisabled(), 0x808080u);
    EXPECT_EQ(a.BorderColorChecked(), 0xFF0000u);
    EXPECT_EQ(a.Color(), clNone);
    EXPECT_EQ(a.ColorTo(), clNone);
    EXPECT_EQ(a.ColorDisabled(), 0xF2F2F2u);
    EXPECT_EQ(a.ColorDisabledTo(), clNone);
    EXPECT_EQ(a.ColorDown(), 0xF5D8CAu);
    EXPECT_EQ(a.ColorDownTo(), 0xF9BDA0u);
    EXPECT_EQ(a.ColorHot(), 0xF5F0E1u);
    EXPECT_EQ(a.ColorHotTo(), 0xF9D2B2u);
    EXPECT_EQ(a.ColorChecked(), 0xF5D8CAu);
    EXPECT_EQ(a.ColorCheckedTo(), 0xF9BDA0u);
    EXPECT_EQ(a.Font().Name, QStringLiteral("Tahoma"));
    EXPECT_EQ(a.Gradient(), gdVertical);
}

TEST(NovaButtonAppearance, SettersNotifyOnAChangeAndAssignCopiesAll)
{
    TNovaButtonAppearance a;
    Counter c;
    a.OnChange = c.handler();
    a.SetColorHot(0xF5F0E1); // same value
    EXPECT_EQ(c.count, 0);
    a.SetColorHot(0x123456);
    EXPECT_EQ(c.count, 1);
    a.SetGradient(gdVertical);
    EXPECT_EQ(c.count, 1);
    a.SetGradient(gdHorizontal);
    EXPECT_EQ(c.count, 2);
    TFont f;
    f.Size = 20;
    a.SetFont(f); // copied silently
    EXPECT_EQ(c.count, 2);
    a.SetColorChecked(0x010101);
    a.SetBorderColorChecked(0x020202);
    a.SetColorCheckedTo(0x030303);

    TNovaButtonAppearance b;
    Counter bc;
    b.OnChange = bc.handler();
    b.Assign(a);
    EXPECT_EQ(b.ColorHot(), 0x123456u);
    EXPECT_EQ(b.Gradient(), gdHorizontal);
    EXPECT_EQ(b.Font(), f);
    EXPECT_EQ(b.ColorChecked(), 0x010101u);
    EXPECT_EQ(b.ColorCheckedTo(), 0x030303u);
    EXPECT_EQ(b.BorderColorChecked(), 0x020202u);
    EXPECT_EQ(bc.count, 5); // one per differing value, through the setters
}
