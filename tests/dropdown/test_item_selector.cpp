// The list drop-downs' item selector (cells, layout, painting, selection, type-ahead lookup and
// scrolling), the type-ahead keys, the completion routine, and the grid foundation routines the
// selector draws and searches with.
#include "dropdown/AutoComplete.h"
#include "dropdown/DropDownButton.h"
#include "dropdown/ItemSelector.h"
#include "grid/base/MarkupHelpers.h"
#include "grid/base/MarkupRenderer.h"
#include "grid/base/VedAzirDraw.h"
#include "panel_test_support.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray pngOf(int w, int h, QColor c = Qt::blue)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    QByteArray data;
    QBuffer buf(&data);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return data;
}

void fill(TNovaCustomItemSelector &s, const QStringList &captions)
{
    for (const QString &c : captions)
        s.Items().Add()->SetCaption(c);
    s.UpdateSelectorPanel();
}

const TCanvasOp *textOp(const TRecordingCanvas &c, const QString &text)
{
    for (const TCanvasOp &op : c.Ops)
        if (op.kind == TCanvasOp::Text && op.text == text)
            return &op;
    return nullptr;
}

} // namespace

// ---- Layout -------------------------------------------------------------------------------------

TEST(ItemSelector, FiveEntriesInTwoColumnsFillThreeRows)
{
    TNovaCustomItemSelector s;
    s.SetColumns(2);
    fill(s, {"One", "Two", "Three", "Four", "Five"});
    const TRect first = s.Panel()->GetItemRect(0);
    const int w = first.Width(), h = first.Height();
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    EXPECT_EQ(first.Left, 2);
    EXPECT_EQ(first.Top, 2);
    const TPoint at[] = {{2, 2}, {2 + w, 2}, {2, 2 + h}, {2 + w, 2 + h}, {2, 2 + 2 * h}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ((TPoint{s.Panel()->GetItemRect(i).Left, s.Panel()->GetItemRect(i).Top}), at[i]) << i;
        EXPECT_EQ(s.Panel()->GetItemRect(i).Width(), w);
    }
    EXPECT_EQ(s.GetSelectorPanelSize(), QSize(2 * w + 4, 3 * h + 4));
    EXPECT_EQ(s.Panel()->GetItemRect(5), (TRect{-1, -1, -1, -1}));
}

TEST(ItemSelector, AnEmptyListIsAHundredByFifty)
{
    TNovaCustomItemSelector s;
    EXPECT_EQ(s.GetSelectorPanelSize(), QSize(100, 50));
    EXPECT_EQ(s.GetVisibleItemCount(), 0);
    s.SelectNext();
    s.HotNext();
    s.SelectPrevious();
    EXPECT_EQ(s.ItemIndex(), -1);
    EXPECT_EQ(s.ItemHot(), -1);
    EXPECT_FALSE(s.LookupItem(QStringLiteral("A")));
}

TEST(ItemSelector, CellSizeFromCaptionsImagesAndColourBoxes)
{
    TNovaCustomItemSelector s;
    int captionW = 0, captionH = 0;
    {
        // The caption as the selector measures it: the appearance font, the mini-HTML renderer.
        TImageCanvas c(1, 1);
        c.Font = s.ItemAppearance().Font;
        QSize sz;
        DrawMarkupCaption(&c, QStringLiteral("Yellow"), TRect{0, 0, 1000, 500}, nullptr, DT_CALCRECT, sz);
        captionW = sz.width();
        captionH = sz.height();
    }
    fill(s, {"Yellow"});
    // Caption right of nothing: padding 4 on both sides, caption + 4.
    EXPECT_EQ(s.Panel()->GetItemRect(0).Width(), 8 + captionW + 4);
    EXPECT_EQ(s.Panel()->GetItemRect(0).Height(), captionH + 8);

    s.SetSelectorType(stColor); // the colour picker's entry: box 14 by 14
    EXPECT_EQ(s.Panel()->GetItemRect(0).Width(), 8 + 14 + 4 + captionW + 4);
    EXPECT_EQ(s.Panel()->GetItemRect(0).Height(), std::max(captionH, 14) + 8);

    s.SetSelectorType(stImage);
    TMarkupImageList images;
    images.Width = 40;
    images.Height = 30;
    images.Images.push_back(QImage(40, 30, QImage::Format_RGB32));
    s.Items().GetItem(0)->SetImageIndex(0);
    s.SetImages(&images);
    s.SetItemLayout(ilCaptionBottom);
    s.UpdateSelectorPanel();
    EXPECT_EQ(s.Panel()->GetItemRect(0).Width(), std::max(captionW + 4, 40) + 8);
    EXPECT_EQ(s.Panel()->GetItemRect(0).Height(), 8 + 30 + 4 + captionH);

    // The entry's own picture goes before the list's image.
    s.Items().GetItem(0)->Image().LoadFromData(pngOf(60, 50));
    s.UpdateSelectorPanel();
    EXPECT_EQ(s.Panel()->GetItemRect(0).Height(), 8 + 50 + 4 + captionH);
}

TEST(ItemSelector, APictureFileThatCannotBeReadLeavesNoPicture)
{
    const QString path = QDir::temp().filePath(QStringLiteral("selector_broken.png"));
    testsupport::writeFile(path, QByteArray("not a picture"));
    TNovaCustomItemSelector s;
    s.SetItemLayout(ilCaptionTop);
    fill(s, {"A"});
    const int plain = s.Panel()->GetItemRect(0).Height();
    s.Items().GetItem(0)->Image().LoadFromFile(path);
    s.Items().GetItem(0)->Image().LoadFromFile(QStringLiteral("/nonexistent/none.png"));
    s.UpdateSelectorPanel();
    EXPECT_TRUE(s.Items().GetItem(0)->Image().Empty());
    EXPECT_EQ(s.Panel()->GetItemRect(0).Height(), plain);
    TRecordingCanvas rec;
    s.Panel()->DrawItem(0, rec);
    EXPECT_EQ(rec.Count(TCanvasOp::Image), 0);
    QFile::remove(path);
}

TEST(ItemSelector, TheSizeHandlerDecidesAndAFlatCellShowsNoPage)
{
    TNovaCustomItemSelector s;
    s.resize(200, 100);
    QObject *sender = nullptr;
    int height = 20;
    s.OnItemSize = [&](QObject *Sender, QSize &size) {
        sender = Sender;
        size = QSize(50, height);
    };
    s.SetColumns(3);
    fill(s, {"a", "b", "c", "d"});
    EXPECT_EQ(sender, s.Panel());
    EXPECT_EQ(s.Panel()->GetItemRect(3), (TRect{2, 22, 52, 42}));
    EXPECT_EQ(s.GetVisibleItemCount(), 100 / 20 * 3);
    height = 0;
    s.UpdateSelectorPanel();
    EXPECT_EQ(s.GetVisibleItemCount(), 0);
    height = -5;
    s.UpdateSelectorPanel();
    EXPECT_EQ(s.GetVisibleItemCount(), 0);
}

TEST(ItemSelector, APanelNeedsItsContainer)
{
    EXPECT_THROW(TCustomItemSelector(nullptr), std::invalid_argument);
}

TEST(ItemSelector, ColumnsBelowOneAreIgnored)
{
    TNovaCustomItemSelector s;
    s.SetColumns(0);
    s.SetColumns(-2);
    EXPECT_EQ(s.Columns(), 1);
}

// ---- Selection and lookup -----------------------------------------------------------------------

TEST(ItemSelector, StepsThroughTheEntries)
{
    TNovaCustomItemSelector s;
    fill(s, {"a", "b", "c"});
    int selects = 0;
    s.OnItemSelect = [&](QObject *Sender) {
        EXPECT_EQ(Sender, &s);
        ++selects;
    };
    s.SelectPrevious(); // nothing selected: the first
    EXPECT_EQ(s.ItemIndex(), 0);
    s.SelectPrevious(); // at the first: nothing
    EXPECT_EQ(s.ItemIndex(), 0);
    EXPECT_EQ(selects, 1);
    s.SelectLast();
    s.SelectNext();
    EXPECT_EQ(s.ItemIndex(), 2);
    s.SetItemIndex(2); // again: reported again
    EXPECT_EQ(selects, 3);
    s.HotNext();
    s.HotNext();
    s.HotNext();
    s.HotNext();
    EXPECT_EQ(s.ItemHot(), 2);
    s.HotPrevious();
    EXPECT_EQ(s.ItemHot(), 1);
    s.UpdateSelectorPanel(); // a layout forgets the hot entry
    EXPECT_EQ(s.ItemHot(), -1);
}

TEST(ItemSelector, LookupComparesTheCaptionsWithoutTags)
{
    TNovaCustomItemSelector s;
    fill(s, {"Green", "<b>Rosso</b>", "  <font color=\"red\">red</font>", "Reed"});
    EXPECT_TRUE(s.LookupItem(QStringLiteral("RE")));
    EXPECT_EQ(s.ItemIndex(), 2); // tags gone, trimmed, upper-cased: the first in list order
    EXPECT_TRUE(s.LookupItem(QStringLiteral("RO")));
    EXPECT_EQ(s.ItemIndex(), 1);
    EXPECT_FALSE(s.LookupItem(QStringLiteral("re"))); // callers pass upper case
    EXPECT_FALSE(s.LookupItem(QString()));
    EXPECT_FALSE(s.LookupItem(QStringLiteral("X")));
    EXPECT_EQ(s.ItemIndex(), 1);
}

TEST(ItemSelector, ThePointerMakesHotAndAPressSelects)
{
    paneltest::Host host(300, 300);
    auto *s = host.add<TNovaCustomItemSelector>();
    s->resize(250, 250);
    fill(*s, {"Alpha", "Beta", "Gamma"});
    s->Items().GetItem(1)->SetHint(QStringLiteral("The second"));
    int selects = 0;
    s->OnItemSelect = [&](QObject *) { ++selects; };
    ASSERT_TRUE(host.show());
    const TRect r1 = s->Panel()->GetItemRect(1);

    host.move(s->Panel(), r1.Left + 3, r1.Top + 3);
    EXPECT_EQ(s->ItemHot(), 1);
    EXPECT_EQ(s->Panel()->toolTip(), QStringLiteral("The second"));
    host.move(s->Panel(), 1, 1); // the margin: no entry
    EXPECT_EQ(s->ItemHot(), -1);
    host.click(s->Panel(), r1.Left + 3, r1.Top + 3, Qt::RightButton);
    EXPECT_EQ(s->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
}

TEST(ItemSelector, SelectingScrollsTheEntryIntoView)
{
    paneltest::Host host(200, 200);
    auto *s = host.add<TNovaCustomItemSelector>();
    s->resize(150, 100);
    s->OnItemSize = [](QObject *, QSize &size) { size = QSize(100, 22); };
    QStringList many;
    for (int i = 0; i < 20; ++i)
        many << QString::number(i);
    fill(*s, many);
    ASSERT_TRUE(host.show());
    QScrollBar *bar = s->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);

    s->SelectLast(); // the last cell's bottom comes to the bottom edge
    const TRect last = s->Panel()->GetItemRect(19);
    EXPECT_EQ(bar->value(), last.Bottom - s->viewport()->height());
    s->SelectFirst(); // its top comes to the top edge
    EXPECT_EQ(bar->value(), 2);
    s->SetItemIndex(10);
    EXPECT_EQ(bar->value(), s->Panel()->GetItemRect(10).Bottom - s->viewport()->height());
}

// ---- Painting -----------------------------------------------------------------------------------

TEST(ItemSelector, CaptionsBelowTheImageStartFourPixelsUnderIt)
{
    TNovaCustomItemSelector s;
    s.SetItemLayout(ilCaptionBottom);
    fill(s, {"Below"});
    s.Items().GetItem(0)->Image().LoadFromData(pngOf(16, 32));
    s.UpdateSelectorPanel();
    TRecordingCanvas rec;
    s.Panel()->DrawItem(0, rec);
    const auto images = rec.OfKind(TCanvasOp::Image);
    ASSERT_EQ(images.size(), 1u);
    const TCanvasOp *text = textOp(rec, QStringLiteral("Below"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(images[0].rect.Height(), 32);
    EXPECT_EQ(text->rect.Top, images[0].rect.Top + 32 + 4);

    // A colour box instead: ColorBoxHeight + 4.
    s.SetSelectorType(stColor);
    s.SetColorBoxHeight(10);
    s.Items().GetItem(0)->SetColor(clRed);
    rec.Clear();
    s.Panel()->DrawItem(0, rec);
    const auto boxes = rec.OfKind(TCanvasOp::Rectangle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].brush.Color, clRed);
    EXPECT_EQ(boxes[0].pen.Color, clBlack);
    EXPECT_EQ(boxes[0].rect.Height(), 10);
    EXPECT_EQ(textOp(rec, QStringLiteral("Below"))->rect.Top, boxes[0].rect.Top + 10 + 4);
}

TEST(ItemSelector, CaptionsByLayoutBesideAColourBox)
{
    TNovaCustomItemSelector s;
    s.SetSelectorType(stColor);
    fill(s, {"Red"});
    const TRect cell = s.Panel()->GetItemRect(0);
    struct Row {
        TItemLayout layout;
        bool captionFirst; // caption left of (or above) the box
    } rows[] = {{ilCaptionLeft, true}, {ilCaptionRight, false}, {ilCaptionTop, true}, {ilCaptionBottom, false}};
    for (const Row &r : rows) {
        s.SetItemLayout(r.layout);
        TRecordingCanvas rec;
        s.Panel()->DrawItem(0, rec);
        const auto box = rec.OfKind(TCanvasOp::Rectangle);
        const TCanvasOp *text = textOp(rec, QStringLiteral("Red"));
        ASSERT_EQ(box.size(), 1u);
        ASSERT_NE(text, nullptr);
        const bool horizontal = r.layout == ilCaptionLeft || r.layout == ilCaptionRight;
        const int textPos = horizontal ? text->rect.Left : text->rect.Top;
        const int boxPos = horizontal ? box[0].rect.Left : box[0].rect.Top;
        EXPECT_EQ(textPos < boxPos, r.captionFirst) << int(r.layout);
        EXPECT_GE(box[0].rect.Left, cell.Left + 4);
    }
    // Caption right: the box at the padding, the caption 4 pixels after it.
    s.SetItemLayout(ilCaptionRight);
    TRecordingCanvas rec;
    s.Panel()->DrawItem(0, rec);
    EXPECT_EQ(rec.OfKind(TCanvasOp::Rectangle)[0].rect, (TRect{cell.Left + 4, cell.Top + 4, cell.Left + 18, cell.Top + 18}));
    TRecordingCanvas probe; // where the renderer puts a caption drawn at 0
    QSize sz;
    DrawMarkupCaption(&probe, QStringLiteral("Red"), TRect{0, 0, 100, 30}, nullptr, 0, sz);
    EXPECT_EQ(textOp(rec, QStringLiteral("Red"))->rect.Left,
              cell.Left + 4 + 14 + 4 + textOp(probe, QStringLiteral("Red"))->rect.Left);
}

TEST(ItemSelector, HotAndSelectedCellsOnARecordingCanvas)
{
    TNovaCustomItemSelector s;
    fill(s, {"Plain", "Hot", "Both"});
    s.SetColor(0x00F0F0);
    TItemAppearance &a = s.ItemAppearance();
    a.ColorHotText = 0x000011;
    a.ColorSelectedText = 0x000022;
    s.Panel()->SetItemHot(1);

    // Styled box (the Office 2007 preset): the hot cell's gradient starts at ColorHot.
    TRecordingCanvas rec;
    s.Panel()->DrawItem(1, rec);
    ASSERT_FALSE(rec.OfKind(TCanvasOp::FillRect).empty());
    EXPECT_EQ(rec.OfKind(TCanvasOp::FillRect)[0].brush.Color, TColor(0xD7FFFD));
    EXPECT_GT(rec.Count(TCanvasOp::Pixel), 0); // the rounded corners
    EXPECT_EQ(textOp(rec, QStringLiteral("Hot"))->font.Color, TColor(0x000011));

    // A plain frame colour for hot cells switches to the plain box: fill and one frame.
    a.BorderColorHot = clBlue;
    rec.Clear();
    s.Panel()->DrawItem(1, rec);
    EXPECT_EQ(rec.Count(TCanvasOp::Pixel), 0);
    ASSERT_EQ(rec.Count(TCanvasOp::Rectangle), 1);
    EXPECT_EQ(rec.OfKind(TCanvasOp::Rectangle)[0].pen.Color, clBlue);

    // Hot and selected: selected colours and text colour win.
    s.Panel()->SetItemHot(2);
    s.SetItemIndex(2);
    a.BorderColorSelected = clLime;
    a.ColorSelectedTo = clNone;
    rec.Clear();
    s.Panel()->DrawItem(2, rec);
    EXPECT_EQ(rec.OfKind(TCanvasOp::FillRect)[0].brush.Color, a.ColorSelected);
    EXPECT_EQ(rec.OfKind(TCanvasOp::Rectangle)[0].pen.Color, clLime);
    EXPECT_EQ(textOp(rec, QStringLiteral("Both"))->font.Color, TColor(0x000022));

    // A plain cell: the panel's colour, the appearance font's own colour.
    rec.Clear();
    s.Panel()->DrawItem(0, rec);
    EXPECT_EQ(rec.OfKind(TCanvasOp::FillRect)[0].brush.Color, TColor(0x00F0F0));
    EXPECT_EQ(rec.OfKind(TCanvasOp::FillRect)[0].rect, s.Panel()->GetItemRect(0));
    EXPECT_EQ(textOp(rec, QStringLiteral("Plain"))->font.Color, a.Font.Color);
}

TEST(ItemSelector, TheOwnerCanDrawTheContent)
{
    TNovaCustomItemSelector s;
    fill(s, {"a", "b"});
    std::vector<int> drawn;
    s.OnDrawItem = [&](QObject *Sender, TCanvas &, const TRect &R, int Index) {
        EXPECT_EQ(Sender, s.Panel());
        EXPECT_EQ(R, s.Panel()->GetItemRect(Index));
        drawn.push_back(Index);
    };
    TRecordingCanvas rec;
    s.Panel()->PaintTo(rec);
    EXPECT_EQ(drawn, (std::vector<int>{0, 1}));
    EXPECT_TRUE(rec.Texts().isEmpty());
    EXPECT_EQ(rec.Count(TCanvasOp::FillRect), 3); // the panel, then each cell's background
}

TEST(ItemSelector, AssigningAnotherStyleReloadsItsPreset)
{
    TItemAppearance src, dst;
    src.SetColorStyle(scWindows7);
    src.ColorHot = 0x010203; // custom colour of a styled source
    src.ColorHotText = clRed;
    dst.Assign(src);
    EXPECT_EQ(dst.ColorStyle(), scWindows7);
    EXPECT_EQ(dst.ColorHot, TColor(0xFCEBDC)); // the preset replaced it
    EXPECT_EQ(dst.ColorHotText, clRed);
    dst.ColorHot = 0x010203;
    dst.Assign(src); // the same style: the copied colour stays
    EXPECT_EQ(dst.ColorHot, TColor(0x010203));

    TItemAppearance fresh;
    EXPECT_EQ(fresh.ColorStyle(), scOffice2007);
    EXPECT_EQ(fresh.ColorMirrorSelectedTo, TColor(0x68E3F9));
    EXPECT_EQ(fresh.BorderColorHot, clNone);
    EXPECT_EQ(fresh.Font.Name, QStringLiteral("Tahoma"));
    fresh.SetColorStyle(scWindowsVista);
    EXPECT_EQ(fresh.ColorMirrorHot, clNone);
    EXPECT_EQ(fresh.BorderColor, TColor(0xFDDE99));
    fresh.SetColorStyle(scCustom);
    EXPECT_EQ(fresh.BorderColor, TColor(0xFDDE99));
}

TEST(ItemSelector, TakesTheComponentStylePresetsOfTheDropDowns)
{
    TItemAppearance a;
    a.BorderColorHot = clRed;
    ApplyItemStyle(a, tsOffice2003Blue);
    EXPECT_EQ(a.BorderColorHot, clNone);
    TItemStyleColors c;
    ASSERT_TRUE(ItemStyleColors(tsOffice2003Blue, c));
    EXPECT_EQ(a.ColorHot, c.ColorHot);
    EXPECT_EQ(a.EdgeColor, c.EdgeColor);
}

TEST(ItemSelector, EntryChangesLayOutAgain)
{
    TNovaCustomItemSelector s;
    s.OnItemSize = [](QObject *, QSize &size) { size = QSize(30, 10); };
    fill(s, {"a"});
    s.Items().Add()->SetCaption(QStringLiteral("b")); // the caption change lays out
    EXPECT_EQ(s.Panel()->GetItemRect(1), (TRect{2, 12, 32, 22}));
    TSelectorItem copy(nullptr);
    copy.Assign(*s.Items().GetItem(1));
    EXPECT_EQ(copy.Caption(), QStringLiteral("b"));
}

// ---- Type-ahead keys ----------------------------------------------------------------------------

class TypeAhead : public paneltest::TimedTest {};

TEST_F(TypeAhead, CharacterKeysWithinTheBurstFormTheSearch)
{
    TTypeAhead t;
    TNovaCustomItemSelector s;
    fill(s, {"Green", "Rosso", "Red"});
    ASSERT_TRUE(t.AddKey(Qt::Key_R));
    EXPECT_TRUE(timers[0]->isActive());
    EXPECT_EQ(timers[0]->interval(), 500);
    for (int key : {int(Qt::Key_Shift), int(Qt::Key_F1), int(Qt::Key_Control), int(Qt::Key_Left)})
        EXPECT_FALSE(t.AddKey(key)) << key;
    ASSERT_TRUE(t.AddKey(Qt::Key_E));
    EXPECT_EQ(t.Text(), QStringLiteral("RE"));
    EXPECT_EQ(timers[0]->starts, 1); // the running timer is not restarted by the second key
    EXPECT_TRUE(s.LookupItem(t.Text()));
    EXPECT_EQ(s.ItemIndex(), 2);
    timers[0]->fire(); // 500 ms after the first key
    EXPECT_EQ(t.Text(), QString());
    EXPECT_FALSE(timers[0]->isActive());
    EXPECT_TRUE(t.AddKey(Qt::Key_Space));
    EXPECT_TRUE(t.AddKey(Qt::Key_7));
    EXPECT_EQ(t.Text(), QStringLiteral(" 7"));
}

// ---- Completion ---------------------------------------------------------------------------------

TEST(AutoComplete, CompletesFromTheFirstMatchingText)
{
    const QStringList items{"Apple", "Apricot", "Banana"};
    struct Row {
        QString text;
        int selStart;
        bool matchCase;
        TAutoCompletion::TKind kind;
        int index;
        QString result;
        int caret, selected;
    } rows[] = {
        {"ap", 2, false, TAutoCompletion::acCompleted, 0, "apple", 2, 3},
        {"apr", 3, false, TAutoCompletion::acCompleted, 1, "apricot", 3, 4},
        {"APR", 3, false, TAutoCompletion::acCompleted, 1, "APRicot", 3, 4},
        {"ap", 2, true, TAutoCompletion::acCut, -1, "ap", 2, 0},
        {"Ap", 2, true, TAutoCompletion::acCompleted, 0, "Apple", 2, 3},
        {"apx", 3, false, TAutoCompletion::acCut, -1, "apx", 3, 0},
        {"apxyz", 3, false, TAutoCompletion::acCut, -1, "apx", 3, 0}, // behind the caret: dropped
        {"bXYZ", 1, false, TAutoCompletion::acCompleted, 2, "banana", 1, 5},
        {"", 0, false, TAutoCompletion::acNone, -1, "", 0, 0},
        {"apple", 0, false, TAutoCompletion::acNone, -1, "", 0, 0},
    };
    for (const Row &r : rows) {
        const TAutoCompletion c = AutoComplete(r.text, r.selStart, items, r.matchCase);
        EXPECT_EQ(c.Kind, r.kind) << r.text.toStdString();
        EXPECT_EQ(c.Index, r.index) << r.text.toStdString();
        EXPECT_EQ(c.Text, r.result) << r.text.toStdString();
        EXPECT_EQ(c.SelStart, r.caret) << r.text.toStdString();
        EXPECT_EQ(c.SelLength, r.selected) << r.text.toStdString();
    }
    EXPECT_EQ(AutoComplete(QStringLiteral("a"), 1, {}, false).Kind, TAutoCompletion::acNone);
}

TEST(AutoComplete, TakesAtMost255CharactersOfTheTail)
{
    const QString longText = QStringLiteral("ab") + QString(300, QLatin1Char('c'));
    const TAutoCompletion c = AutoComplete(QStringLiteral("ab"), 2, {longText}, false);
    EXPECT_EQ(c.Text.size(), 2 + 255);
    EXPECT_EQ(c.SelLength, 255);
}

// ---- What the selector takes from the grid foundation -------------------------------------------

TEST(GridFoundation, StripMarkupLeavesTheText)
{
    EXPECT_EQ(StripMarkup(QStringLiteral("<b>Red</b> and <font color=\"clBlue\">blue</font>")),
              QStringLiteral("Red and blue"));
    EXPECT_EQ(StripMarkup(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST(GridFoundation, StyledSelectionClosesAllEdgesAndRoundsTheCorners)
{
    TRecordingCanvas rec;
    DrawStyledSelection(rec, 0x000010, 0x000020, clNone, clNone, 0x000030, 0x000040, 0x000050, 0x000060, 0x000070,
                        TRect{0, 0, 40, 20}, 0);
    // Edge lines in the border colour on all four sides, corner pixels in two colours.
    int edges = 0;
    for (const TCanvasOp &op : rec.Ops)
        if ((op.kind == TCanvasOp::Line || op.kind == TCanvasOp::FillRect) && op.pen.Color == 0x000050)
            ++edges;
    EXPECT_GE(edges, 4);
    int outer = 0, inner = 0;
    for (const TCanvasOp &op : rec.OfKind(TCanvasOp::Pixel)) {
        outer += op.color == 0x000070 ? 1 : 0;
        inner += op.color == 0x000060 ? 1 : 0;
    }
    EXPECT_EQ(outer, 4);
    EXPECT_EQ(inner, 12);
    EXPECT_EQ(rec.OfKind(TCanvasOp::FillRect).front().brush.Color, TColor(0x000010)); // gradient start
}

TEST(GridFoundation, MarkupTextDrawsListImagesForImageTags)
{
    TMarkupImageList images;
    images.Width = 12;
    images.Height = 12;
    images.Images.push_back(QImage(12, 12, QImage::Format_RGB32));
    TRecordingCanvas rec;
    TMarkupDrawParams p;
    p.imageList = &images;
    TMarkupDrawResult r;
    DrawMarkupText(rec, QStringLiteral("<IMG SRC=\"IDX:0\">Go"), TRect{0, 0, 200, 40}, p, r);
    ASSERT_EQ(rec.Count(TCanvasOp::Image), 1);
    EXPECT_EQ(rec.OfKind(TCanvasOp::Image)[0].rect.Width(), 12);
    EXPECT_GE(textOp(rec, QStringLiteral("Go"))->rect.Left, 12);

    TRecordingCanvas measure;
    p.measureOnly = true;
    DrawMarkupText(measure, QStringLiteral("<IMG SRC=\"IDX:0\">Go"), TRect{0, 0, 200, 40}, p, r);
    EXPECT_EQ(measure.Count(TCanvasOp::Image), 0);
    EXPECT_GE(r.textWidth, 12 + 2 * measure.CharWidth);
}
