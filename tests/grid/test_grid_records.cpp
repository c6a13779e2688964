#include "FakeSettingsHost.h"
#include "grid/CellNode.h"
#include "grid/HtmlPrintSettings.h"
#include "grid/SizeSettings.h"

#include <gtest/gtest.h>

TEST(CellNode, DefaultsRepaintsAndAssign)
{
    FakeSettingsHost grid;
    TCellNode n(&grid);
    EXPECT_EQ(n.Color(), 0xC0C0C0u);
    EXPECT_FALSE(n.ExpandOne());
    EXPECT_EQ(n.NodeType(), cnXP);
    EXPECT_EQ(n.NodeColor(), clBlack);
    EXPECT_EQ(n.NodeIndent(), 12);
    EXPECT_TRUE(n.ExpandGlyph().isNull() && n.ContractGlyph().isNull());
    EXPECT_TRUE(n.ShowTree());
    EXPECT_TRUE(n.ShowTreeFull());
    EXPECT_EQ(n.TreeColor(), 0x808080u);

    struct Step {
        const char *what;
        std::function<void()> act;
        int repaints;
    };
    const Step steps[] = {
        {"NodeType changes", [&] { n.SetNodeType(cnFlat); }, 1},
        {"NodeType same", [&] { n.SetNodeType(cnFlat); }, 1},
        {"ShowTree", [&] { n.SetShowTree(false); }, 2},
        {"ShowTreeFull", [&] { n.SetShowTreeFull(false); }, 3},
        {"TreeColor", [&] { n.SetTreeColor(clRed); }, 4},
        {"NodeIndent", [&] { n.SetNodeIndent(20); }, 5},
        {"Color is only stored", [&] { n.SetColor(clBlue); }, 5},
        {"NodeColor is only stored", [&] { n.SetNodeColor(clBlue); }, 5},
    };
    for (const Step &s : steps) {
        s.act();
        EXPECT_EQ(grid.repaints, s.repaints) << s.what;
    }
    QImage glyph(3, 3, QImage::Format_RGB32);
    glyph.fill(Qt::black);
    n.SetExpandGlyph(glyph);
    n.SetExpandOne(true);
    TCellNode copy;
    copy.Assign(n);
    EXPECT_EQ(copy.NodeType(), cnFlat);
    EXPECT_FALSE(copy.ShowTree());
    EXPECT_EQ(copy.TreeColor(), clRed);
    EXPECT_EQ(copy.NodeIndent(), 20);
    EXPECT_EQ(copy.Color(), clBlue);
    EXPECT_EQ(copy.ExpandGlyph(), glyph);
    EXPECT_TRUE(copy.ExpandOne());
}

TEST(SizeWhileTyping, Defaults)
{
    TSizeWhileTyping s;
    EXPECT_FALSE(s.Height());
    EXPECT_FALSE(s.Width());
}

TEST(ColumnSize, DefaultsStretchAndAssign)
{
    FakeSettingsHost grid;
    TColumnSize c(&grid);
    EXPECT_EQ(c.Rows(), arAll);
    EXPECT_FALSE(c.Save());
    EXPECT_TRUE(c.Key().isEmpty());
    EXPECT_TRUE(c.Section().isEmpty());
    EXPECT_FALSE(c.Stretch());
    EXPECT_EQ(c.StretchColumn(), -1);
    EXPECT_FALSE(c.SynchWithGrid());
    EXPECT_FALSE(c.SynchNormalCellsOnly());
    EXPECT_EQ(c.Location(), clRegistry);

    c.SetStretch(true);
    EXPECT_TRUE(c.Stretch());
    EXPECT_EQ(grid.stretched, std::vector<int>{-1});
    c.SetStretchColumn(2);
    grid.hasParent = false;
    c.SetStretch(false); // without a parent nothing is stretched
    EXPECT_EQ(grid.stretched, std::vector<int>{-1});

    TColumnSize a;
    a.SetRows(arFixed);
    a.SetSave(true);
    a.SetKey(QStringLiteral("k"));
    a.SetSection(QStringLiteral("s"));
    a.SetStretch(true);
    a.SetStretchColumn(3);
    a.SetSynchWithGrid(true);
    a.SetSynchNormalCellsOnly(true);
    a.SetLocation(clIniFile);
    c.Assign(a);
    EXPECT_EQ(c.Rows(), arFixed);
    EXPECT_TRUE(c.Save());
    EXPECT_EQ(c.Key(), QStringLiteral("k"));
    EXPECT_EQ(c.Section(), QStringLiteral("s"));
    EXPECT_TRUE(c.Stretch());
    EXPECT_EQ(c.StretchColumn(), 3);
    EXPECT_TRUE(c.SynchWithGrid());
    EXPECT_TRUE(c.SynchNormalCellsOnly());
    EXPECT_EQ(c.Location(), clIniFile);
}

TEST(HTMLSettings, DefaultsAndAssignWithoutWidths)
{
    THTMLSettings h;
    EXPECT_FALSE(h.AutoPreview());
    EXPECT_EQ(h.BorderSize(), 1);
    EXPECT_EQ(h.CellSpacing(), 0);
    EXPECT_EQ(h.CellPadding(), 0);
    EXPECT_FALSE(h.ConvertSpecialChars());
    EXPECT_TRUE(h.ExportImages());
    EXPECT_TRUE(h.FooterFile().isEmpty() && h.HeaderFile().isEmpty() && h.PrefixTag().isEmpty() &&
                h.SuffixTag().isEmpty() && h.Summary().isEmpty() && h.TableStyle().isEmpty());
    EXPECT_FALSE(h.NonBreakingText());
    EXPECT_TRUE(h.SaveColor());
    EXPECT_TRUE(h.SaveFonts());
    EXPECT_EQ(h.Width(), 100);
    EXPECT_FALSE(h.XHTML());
    EXPECT_EQ(h.ColWidths().Count(), 0);

    THTMLSettings a;
    a.SetBorderSize(3);
    a.SetTableStyle(QStringLiteral("x"));
    a.SetXHTML(true);
    a.ColWidths().Add(40);
    h.Assign(a);
    EXPECT_EQ(h.BorderSize(), 3);
    EXPECT_EQ(h.TableStyle(), QStringLiteral("x"));
    EXPECT_TRUE(h.XHTML());
    EXPECT_EQ(h.ColWidths().Count(), 0);
}

TEST(PrintSettings, DefaultsAndAssign)
{
    FakeSettingsHost grid;
    TPrintSettings p(&grid);
    EXPECT_EQ(p.Grid(), &grid);
    EXPECT_EQ(p.FooterSize(), 0);
    EXPECT_EQ(p.HeaderSize(), 0);
    for (TPrintPosition pos : {p.Time(), p.Date(), p.PageNr(), p.Title()})
        EXPECT_EQ(pos, ppNone);
    EXPECT_EQ(p.DateFormat(), QStringLiteral("dd/mm/yyyy"));
    EXPECT_TRUE(p.TitleText().isEmpty());
    EXPECT_TRUE(p.TitleLines().isEmpty());
    EXPECT_EQ(p.Font(), TFont());
    EXPECT_EQ(p.FixedFont(), TFont());
    EXPECT_EQ(p.Borders(), pbSingle);
    EXPECT_EQ(p.BorderStyle(), psSolid);
    EXPECT_EQ(p.BorderColor(), clBlack);
    EXPECT_TRUE(p.Centered());
    EXPECT_FALSE(p.RepeatFixedRows() || p.RepeatFixedCols() || p.UseFixedHeight() || p.UseFixedWidth() ||
                 p.NoAutoSize() || p.NoAutoSizeRow() || p.PrintGraphics() || p.UseDefaultOrientation() ||
                 p.FixedCellsAlways());
    for (int v : {p.LeftSize(), p.RightSize(), p.ColumnSpacing(), p.RowSpacing(), p.TitleSpacing(),
                  p.PageNumberOffset(), p.MaxPagesOffset(), p.FixedWidth(), p.FixedHeight()})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(p.Orientation(), poPortrait);
    EXPECT_EQ(p.FitToPage(), fpNever);
    EXPECT_EQ(p.PageNumSep(), QStringLiteral("/"));
    EXPECT_TRUE(p.UseDisplayFont());

    TPrintSettings a;
    TFont f;
    f.Size = 14;
    a.SetHeaderFont(f);
    a.SetTitleLines({QStringLiteral("one"), QStringLiteral("two")});
    a.SetBorders(pbAround);
    a.SetOrientation(poLandscape);
    a.SetFitToPage(fpShrink);
    a.SetJobName(QStringLiteral("job"));
    a.SetUseDisplayFont(false);
    a.SetFixedCellsAlways(true); // not copied
    p.Assign(a);
    EXPECT_EQ(p.HeaderFont(), f);
    EXPECT_EQ(p.TitleLines(), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    EXPECT_EQ(p.Borders(), pbAround);
    EXPECT_EQ(p.Orientation(), poLandscape);
    EXPECT_EQ(p.FitToPage(), fpShrink);
    EXPECT_EQ(p.JobName(), QStringLiteral("job"));
    EXPECT_FALSE(p.UseDisplayFont());
    EXPECT_FALSE(p.FixedCellsAlways());
    EXPECT_EQ(p.Grid(), &grid);
}
