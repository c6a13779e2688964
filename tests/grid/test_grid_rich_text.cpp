// Rich-text cells and cell text measures: the grid's rich edits, a cell's rich text in and out,
// what a measured text needs (lines, wrap while editing, rotation, rich text) and how a selected
// rich-text cell is drawn on the screen and on paper.
#include "grid/CellGraphic.h"
#include "grid/NovaGrid.h"
#include "grid/NovaRichEdit.h"
#include "grid/SizeSettings.h"
#include "grid/base/RichText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPicture>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

const char *kRich = R"({\rtf1{\fonttbl{\f0 DejaVu Sans;}}{\colortbl ;\red255\green0\blue0;}\f0\fs20 plain \cf1 red\cf0  H\sub 2\nosupersub O})";

struct RichFixture : ::testing::Test {
    TNovaStringGrid g;
    void SetUp() override
    {
        g.resize(400, 300);
        g.SetColCount(4);
        g.SetRowCount(6);
        g.SetColWidths(1, 180);
        g.show();
        QApplication::processEvents();
    }
    // Pixels of a colour in a cell of a grab of the grid.
    int countColour(const QImage &img, const TRect &r, QColor c)
    {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const QColor p = img.pixelColor(x, y);
                if (std::abs(p.red() - c.red()) < 40 && std::abs(p.green() - c.green()) < 40 && std::abs(p.blue() - c.blue()) < 40)
                    ++n;
            }
        return n;
    }
};

} // namespace

TEST_F(RichFixture, EditsAreMadeOnceAndOnlyForTheGrid)
{
    TNovaRichEdit *conv = g.RichEdit();
    EXPECT_EQ(g.RichEdit(), conv);
    EXPECT_FALSE(conv->isVisible());
    EXPECT_NE(g.InplaceRichEdit(), conv);
    QWidget other;
    EXPECT_THROW(TNovaRichEdit{&other}, std::bad_cast);
}

TEST_F(RichFixture, CellRichTextRoundTripAndPlainText)
{
    g.SetCells(1, 1, QString::fromLatin1(kRich));
    TNovaRichEdit *r = g.RichEdit();
    g.CellToRich(1, 1, r);
    EXPECT_EQ(r->toPlainText(), "plain red H2O");
    g.RichToCell(2, 1, r);
    EXPECT_TRUE(g.Cells(2, 1).startsWith("{\\rtf1"));
    EXPECT_EQ(g.RichCellPlainText(g.Cells(2, 1)), "plain red H2O");
    g.SetCells(3, 1, QString());
    g.CellToRich(3, 1, r);
    EXPECT_TRUE(r->document()->isEmpty());
}

TEST_F(RichFixture, SubAndSuperscriptOfTheSelection)
{
    TNovaRichEdit *e = g.InplaceRichEdit();
    e->setPlainText("x2");
    QTextCursor c = e->textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    e->setTextCursor(c);
    EXPECT_TRUE(e->IsSelNormal());
    e->SelSuperscript();
    EXPECT_TRUE(e->IsSelSuperscript());
    EXPECT_FALSE(e->IsSelSubscript());
    e->SelSubscript();
    EXPECT_TRUE(e->IsSelSubscript());
    e->SelNormal();
    EXPECT_FALSE(e->IsSelSuperscript());
    EXPECT_TRUE(e->IsSelNormal());
    // The raised character survives the cell's rich text.
    e->SelSuperscript();
    g.RichToCell(1, 2, e);
    EXPECT_NE(g.Cells(1, 2).indexOf("\\super"), -1);
}

TEST_F(RichFixture, TypingLinesGrowsTheRowUpToTheGridsBottom)
{
    g.SizeWhileTyping()->SetHeight(true);
    int ends = 0;
    g.OnEndRowSize = [&](QObject *, int) { ++ends; };
    g.FocusCell(1, 1, true);
    TNovaRichEdit *e = g.InplaceRichEdit();
    const int before = g.RowHeights(1);
    e->setGeometry(g.CellRect(1, 1).ToQRect());
    e->show();
    e->setFocus();
    QTest::keyClicks(e, "one");
    QTest::keyClick(e, Qt::Key_Return);
    QTest::keyClicks(e, "two");
    QTest::keyClick(e, Qt::Key_Return);
    QTest::keyClicks(e, "three");
    QApplication::processEvents();
    EXPECT_GT(g.RowHeights(1), before);
    EXPECT_GT(ends, 0);
    EXPECT_EQ(e->height(), g.RowHeights(1) - 1);
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(e, Qt::Key_Return);
        QTest::keyClicks(e, "more");
    }
    QApplication::processEvents();
    EXPECT_LE(g.CellRect(1, 1).Top + g.RowHeights(1), g.height() + 5);
    // While the grid fills the editor the row stays.
    const int h = g.RowHeights(1);
    e->Lock();
    e->RequestResize(100, h + 50);
    e->Unlock();
    EXPECT_EQ(g.RowHeights(1), h);
}

TEST_F(RichFixture, ArrowsLeaveTheRichEditOnlyWithoutWrapping)
{
    g.FocusCell(1, 2, true);
    TNovaRichEdit *e = g.InplaceRichEdit();
    e->setPlainText("a\nb");
    e->show();
    e->setFocus();
    QTextCursor c = e->textCursor();
    c.setPosition(0);
    e->setTextCursor(c);
    g.SetWordWrap(true);
    QTest::keyClick(e, Qt::Key_Down);
    EXPECT_EQ(g.Row(), 2) << "with WordWrap the arrow moves inside the text";
    EXPECT_EQ(e->textCursor().blockNumber(), 1);
    g.SetWordWrap(false);
    QTest::keyClick(e, Qt::Key_Down);
    EXPECT_EQ(g.Row(), 3);
}

TEST_F(RichFixture, MeasuredLinesWrapEditingAndRotation)
{
    const TFont font = g.Font();
    const QFontMetrics fm(font.ToQFont());
    g.SetCells(1, 1, "short\rmuch longer second line");
    g.SetMultilinecells(false);
    TPoint one = g.GetCellTextSize(1, 1, false, false);
    g.SetMultilinecells(true);
    TPoint two = g.GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(two.Y, 2 * one.Y);
    EXPECT_LT(one.X, two.X) << "without Multilinecells only the first line counts";

    // A wrapped cell being edited counts the empty line after a final line break.
    g.SetWordWrap(true);
    g.SetCells(1, 2, "abc\n");
    const int closed = g.GetCellTextSize(1, 2, true, false).Y;
    g.SetOptions(g.Options().Include(goEditing));
    g.FocusCell(1, 2, true);
    g.ShowInplaceEdit();
    ASSERT_TRUE(g.EditMode());
    const int editing = g.GetCellTextSize(1, 2, true, false).Y;
    g.HideInplaceEdit();
    EXPECT_GT(editing, closed);

    // Rotated by 90 degrees, width and height trade places, 12 pixels added to each.
    g.SetMultilinecells(false);
    g.SetCells(2, 3, "rotated text");
    const TPoint flat = g.GetCellTextSize(2, 3, false, false);
    g.CreateCellGraphic(2, 3)->SetAngle(90);
    const TPoint turned = g.GetCellTextSize(2, 3, false, false);
    EXPECT_EQ(turned.X, flat.Y + 12);
    EXPECT_EQ(turned.Y, flat.X + 12);
}

TEST_F(RichFixture, MeasuredRichTextTakesItsDocumentsSize)
{
    g.SetCells(1, 1, QString::fromLatin1(kRich));
    const TPoint one = g.GetCellTextSize(1, 1, false, false);
    EXPECT_EQ(one.X, g.RichEdit()->ReqWidth());
    EXPECT_EQ(one.Y, g.RichEdit()->ReqHeight() + 4);
    g.SetCells(1, 2, R"({\rtf1 a\par b\par c})");
    EXPECT_GT(g.GetCellTextSize(1, 2, false, false).Y, one.Y) << "three paragraphs need more height";
}

TEST_F(RichFixture, SelectedRichCellKeepsItsColoursOnlyWhenAsked)
{
    g.SetCells(1, 1, R"({\rtf1{\colortbl ;\red255\green0\blue0;}\fs28\cf1 RRRRRRRR})");
    g.SetCells(1, 2, "x");
    g.SetSelectionTextColor(clWhite);
    // The current cell counts as selected under goDrawFocusSelected.
    g.SetOptions(g.Options().Include(goDrawFocusSelected));
    g.FocusCell(1, 1, true);
    g.SetSelectionRTFKeep(false);
    QApplication::processEvents();
    const TRect cell = g.CellRect(1, 1);
    const QImage plain = g.grab().toImage();
    EXPECT_EQ(countColour(plain, cell, QColor(255, 0, 0)), 0) << "on the screen the selection colours the text";
    g.SetSelectionRTFKeep(true);
    g.repaint();
    const QImage kept = g.grab().toImage();
    EXPECT_GT(countColour(kept, cell, QColor(255, 0, 0)), 20);

    // On paper the cell keeps its own colours whatever the setting.
    g.SetSelectionRTFKeep(false);
    QPicture printed; // a device that is no screen, as a printer's
    {
        QPainter p(&printed);
        TPainterCanvas canvas(&p);
        g.PaintRichTextCell(1, 1, TRect{0, 0, 300, 60}, canvas);
    }
    QImage page(300, 60, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        printed.play(&p);
    }
    EXPECT_GT(countColour(page, TRect{0, 0, 300, 60}, QColor(255, 0, 0)), 20) << "printed rich text keeps its red";
}
