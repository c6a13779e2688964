#include "FakeSettingsHost.h"
#include "grid/CompanionSettings.h"
#include "grid/base/GridDragDrop.h"

#include <gtest/gtest.h>

TEST(Grouping, DefaultsAndAssignKeepsLines)
{
    TGrouping g;
    EXPECT_FALSE(g.AutoSelectGroup() || g.AutoCheckGroup() || g.HeaderUnderline() || g.MergeHeader() ||
                 g.MergeSummary() || g.ShowGroupCount() || g.Summary() || g.SummaryLine());
    EXPECT_TRUE(g.GroupCountFormat().isEmpty());
    for (TColor c : {g.HeaderColor(), g.HeaderColorTo(), g.HeaderTextColor(), g.SummaryColor(), g.SummaryColorTo(),
                     g.SummaryTextColor()})
        EXPECT_EQ(c, clNone);
    EXPECT_EQ(g.HeaderLineColor(), 0xFF0000u);
    EXPECT_EQ(g.SummaryLineColor(), 0xFF0000u);
    EXPECT_EQ(g.HeaderLineWidth(), 2);
    EXPECT_EQ(g.SummaryLineWidth(), 2);

    TGrouping a;
    a.SetAutoSelectGroup(true);
    a.SetGroupCountFormat(QStringLiteral("(%d)"));
    a.SetHeaderColor(clRed);
    a.SetSummaryTextColor(clGreen);
    a.SetSummaryLine(true);
    a.SetHeaderLineColor(clBlack);
    a.SetHeaderLineWidth(5);
    a.SetSummaryLineColor(clBlack);
    a.SetSummaryLineWidth(6);
    g.Assign(a);
    EXPECT_TRUE(g.AutoSelectGroup());
    EXPECT_EQ(g.GroupCountFormat(), QStringLiteral("(%d)"));
    EXPECT_EQ(g.HeaderColor(), clRed);
    EXPECT_EQ(g.SummaryTextColor(), clGreen);
    EXPECT_TRUE(g.SummaryLine());
    EXPECT_EQ(g.HeaderLineColor(), 0xFF0000u); // line colours and widths stay
    EXPECT_EQ(g.HeaderLineWidth(), 2);
    EXPECT_EQ(g.SummaryLineColor(), 0xFF0000u);
    EXPECT_EQ(g.SummaryLineWidth(), 2);
}

TEST(DragDropSettings, Defaults)
{
    TDragDropSettings d;
    EXPECT_TRUE(d.ShowCells() && d.OleAcceptFiles() && d.OleAcceptText() && d.OleAcceptURLs());
    EXPECT_FALSE(d.OleAppendRows() || d.OleColumnDragDrop() || d.OleColumnReorder() || d.OleColumnsOnly() ||
                 d.OleCopyAlways() || d.OleDropTarget() || d.OleDropSource() || d.OleEntireRows() ||
                 d.OleInsertRows() || d.OleRemoveRows() || d.OleDropRTF());
}

TEST(DragDropSettings, DropTargetRegistration)
{
    FakeSettingsHost grid;
    TDragDropSettings d(&grid);
    int registered = 0, revoked = 0;
    d.OnRegisterDropTarget = [&] { ++registered; return true; };
    d.OnRevokeDropTarget = [&] { ++revoked; };

    grid.designing = true;
    d.SetOleDropTarget(true); // at design time nothing is registered
    EXPECT_TRUE(d.OleDropTarget());
    EXPECT_EQ(registered, 0);
    EXPECT_FALSE(d.DropTargetRegistered());
    d.SetOleDropTarget(false);

    grid.designing = false;
    d.SetOleDropTarget(false); // nothing registered: nothing to revoke
    EXPECT_EQ(revoked, 0);
    d.SetOleDropTarget(true);
    EXPECT_EQ(registered, 1);
    EXPECT_TRUE(d.DropTargetRegistered());
    d.SetOleDropTarget(false);
    EXPECT_EQ(revoked, 1);
    EXPECT_FALSE(d.DropTargetRegistered());

    TDragDropSettings failing(&grid);
    failing.OnRegisterDropTarget = [] { return false; };
    failing.OnRevokeDropTarget = [&] { ++revoked; };
    failing.SetOleDropTarget(true);
    EXPECT_FALSE(failing.DropTargetRegistered());
    failing.SetOleDropTarget(false);
    EXPECT_EQ(revoked, 1); // a registration that failed is never revoked
}

TEST(DragDropSettings, RichTextAcceptanceAndAssign)
{
    TDragDropSettings d;
    d.SetOleDropRTF(true);
    EXPECT_TRUE(AcceptRTFDrop());
    d.SetOleDropRTF(false);
    EXPECT_FALSE(AcceptRTFDrop());

    TDragDropSettings a;
    a.SetShowCells(false);
    a.SetOleColumnReorder(true);
    a.SetOleRemoveRows(true);
    a.SetOleDropRTF(true);
    SetAcceptRTFDrop(false);
    int registered = 0;
    d.OnRegisterDropTarget = [&] { ++registered; return true; };
    TDragDropSettings src;
    src.SetOleDropTarget(true);
    a.SetOleDropTarget(true);
    d.Assign(a);
    EXPECT_FALSE(d.ShowCells());
    EXPECT_TRUE(d.OleColumnReorder());
    EXPECT_TRUE(d.OleRemoveRows());
    EXPECT_TRUE(d.OleDropRTF());
    EXPECT_TRUE(d.OleDropTarget());
    EXPECT_EQ(registered, 0);       // copied without the setters' effects
    EXPECT_FALSE(AcceptRTFDrop());
}

TEST(DragScrollOptions, DefaultsAndAssign)
{
    TDragScrollOptions o;
    EXPECT_FALSE(o.Active());
    EXPECT_EQ(o.Delays().InitialDelay(), 1000);
    EXPECT_EQ(o.Delays().RepeatDelay(), 250);
    EXPECT_EQ(o.Margins().TopMargin(), 50);
    EXPECT_EQ(o.Margins().BottomMargin(), 50);
    EXPECT_EQ(o.Margins().LeftMargin(), 50);
    EXPECT_EQ(o.Margins().RightMargin(), 50);

    TDragScrollOptions a;
    a.SetActive(true);
    a.Delays().SetInitialDelay(10);
    a.Delays().SetRepeatDelay(20);
    a.Margins().SetTopMargin(1);
    a.Margins().SetRightMargin(4);
    o.Assign(a);
    EXPECT_TRUE(o.Active());
    EXPECT_EQ(o.Delays().InitialDelay(), 10);
    EXPECT_EQ(o.Delays().RepeatDelay(), 20);
    EXPECT_EQ(o.Margins().TopMargin(), 1);
    EXPECT_EQ(o.Margins().RightMargin(), 4);
    EXPECT_EQ(o.Margins().LeftMargin(), 50);
}

TEST(GridProgressAppearance, DefaultsNotificationsAndAssign)
{
    TGridProgressAppearance p;
    struct Colour {
        const char *name;
        TColor value, expected;
    };
    const Colour colours[] = {
        {"CompleteColor", p.CompleteColor(), 0x0000FF},     {"CompleteFontColor", p.CompleteFontColor(), 0xFF0000},
        {"UnCompleteColor", p.UnCompleteColor(), clNone},   {"UnCompleteFontColor", p.UnCompleteFontColor(), clWindowText},
        {"Level0Color", p.Level0Color(), 0x00FF00},         {"Level0ColorTo", p.Level0ColorTo(), 0xE1FFE1},
        {"Level1Color", p.Level1Color(), 0x00FFFF},         {"Level1ColorTo", p.Level1ColorTo(), 0xCAFFFF},
        {"Level2Color", p.Level2Color(), 0x53A9FF},         {"Level2ColorTo", p.Level2ColorTo(), 0xA8D3FF},
        {"Level3Color", p.Level3Color(), 0x0000FF},         {"Level3ColorTo", p.Level3ColorTo(), 0xCACAFF},
        {"BorderColor", p.BorderColor(), 0},
    };
    for (const Colour &c : colours)
        EXPECT_EQ(c.value, c.expected) << c.name;
    EXPECT_EQ(p.Level1Perc(), 70);
    EXPECT_EQ(p.Level2Perc(), 90);
    EXPECT_EQ(p.Steps(), 11);
    EXPECT_FALSE(p.ShowBorder());
    EXPECT_FALSE(p.Stacked());
    EXPECT_TRUE(p.ShowPercentage());
    EXPECT_TRUE(p.CompletionSmooth());
    EXPECT_TRUE(p.ShowGradient());
    EXPECT_EQ(p.Style(), psXP);

    int changes = 0;
    p.OnChange = [&](QObject *) { ++changes; };
    p.SetSteps(11);
    p.SetLevel0Color(0x00FF00);
    EXPECT_EQ(changes, 0);
    p.SetSteps(20);
    p.SetStyle(psClassic);
    p.SetShowBorder(true);
    EXPECT_EQ(changes, 3);

    TGridProgressAppearance q;
    int qChanges = 0;
    q.OnChange = [&](QObject *) { ++qChanges; };
    q.Assign(p);
    EXPECT_EQ(qChanges, 1); // once for the whole copy
    EXPECT_EQ(q.Steps(), 20);
    EXPECT_EQ(q.Style(), psClassic);
    EXPECT_TRUE(q.ShowBorder());
}
