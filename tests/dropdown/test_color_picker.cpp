// The colour picker as a user drives it: clicks go into the pop-up's own window, keys into the
// window around the edit (the platform hands them to the open pop-up).
#include "dropdown/NovaColorPickerDropDown.h"
#include "picker_test_support.h"

#include <QScrollBar>

namespace {

using pickertest::Counter;

class ColorPicker : public pickertest::PickerTest<TNovaColorPickerDropDown> {
protected:
    void SetUp() override
    {
        PickerTest::SetUp();
        dd->AddDefaultColors();
        dd->OnSelect = selects.handler();
    }
    paneltest::FakeTimer *keyTimer() const
    {
        for (auto *t : timers)
            if (t->interval() == 500) return t;
        return nullptr;
    }
    // The centre of a list entry, scrolled into view.
    QPoint entry(int i) const
    {
        TNovaCustomItemSelector *list = dd->ItemSelector();
        list->ScrollItemInView(i);
        QApplication::processEvents();
        return list->Panel()->GetItemRect(i).ToQRect().center();
    }
    Counter selects;
};

// What the edit paints on a recording canvas.
struct EditPicture {
    TRecordingCanvas canvas;
    explicit EditPicture(TNovaColorPickerDropDown &dd) { dd.DrawSelectedColor(canvas); }
    std::vector<TCanvasOp> boxes() const { return canvas.OfKind(TCanvasOp::Rectangle); }
    QStringList texts() const
    {
        QStringList t;
        for (const TCanvasOp &op : canvas.OfKind(TCanvasOp::Text)) t << op.text;
        return t;
    }
};

} // namespace

TEST_F(ColorPicker, ANewPickerHasNoColoursTheDefaultsShowRedAtNine)
{
    TNovaColorPickerDropDown fresh;
    EXPECT_EQ(fresh.Colors().Count(), 0);
    EXPECT_EQ(fresh.ItemIndex(), -1);
    EXPECT_EQ(fresh.SelectedColor(), clNone);
    EXPECT_FALSE(fresh.EditorEnabled());
    EXPECT_EQ(fresh.DropDownHeight(), 200);
    EXPECT_FALSE(fresh.DropDownHeader().Visible());
    EXPECT_FALSE(fresh.DropDownFooter().Visible());
    EXPECT_TRUE(EditPicture(fresh).boxes().empty()) << "no colour, no box";

    ASSERT_EQ(dd->Colors().Count(), 16);
    const QStringList names{"Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray",
                            "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White"};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(dd->Colors().GetItem(i)->Caption(), names[i]);
    dd->SetItemIndex(9);
    EXPECT_EQ(selects.n, 1);
    EXPECT_EQ(dd->SelectedColor(), clRed);
    EXPECT_EQ(dd->SelectedColorText(), "Red");
    const EditPicture pic(*dd);
    const std::vector<TCanvasOp> boxes = pic.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    const TCanvasOp &box = boxes[0];
    EXPECT_EQ(box.brush.Color, clRed);
    EXPECT_EQ(box.pen.Color, clBlack);
    EXPECT_EQ(box.rect.Width(), 14);
    EXPECT_EQ(box.rect.Left, 5);
    EXPECT_EQ(box.rect.Top, (dd->height() - 14) / 2 + 1);
    EXPECT_EQ(pic.texts(), QStringList{"Red"});
    EXPECT_EQ(pic.canvas.OfKind(TCanvasOp::Text)[0].rect.Left, box.rect.Right + 4);

    dd->SetShowText(false);
    EXPECT_EQ(EditPicture(*dd).boxes().size(), 1u);
    EXPECT_TRUE(EditPicture(*dd).texts().isEmpty()) << "only the box";
}

TEST_F(ColorPicker, AnIndexBeyondTheColoursIsIgnored)
{
    dd->SetItemIndex(4);
    dd->SetItemIndex(16);
    EXPECT_EQ(dd->ItemIndex(), 4);
    EXPECT_EQ(selects.n, 1);
    dd->SetItemIndex(-1);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->SelectedColor(), clNavy) << "no entry chosen, the colour stays";
    EXPECT_EQ(selects.n, 2);
}

TEST_F(ColorPicker, ASelectedColourChoosesTheFirstEntryOfThatColour)
{
    dd->SetSelectedColor(0x0000FF);
    EXPECT_EQ(dd->ItemIndex(), 9);
    EXPECT_EQ(selects.n, 1);
    dd->SetSelectedColor(0x123456);
    EXPECT_EQ(dd->ItemIndex(), 9) << "no entry has it: the index stays";
    EXPECT_EQ(dd->SelectedColor(), TColor(0x123456));
    EXPECT_EQ(selects.n, 1);
    dd->SetSelectedColor(0x123456);
    EXPECT_EQ(selects.n, 1) << "the same colour again changes nothing";
}

TEST_F(ColorPicker, TheTextOfAColourFollowsColorValueText)
{
    dd->SetColorSelectionStyle(csColorCube);
    showNow();
    TNovaColorCubePanel *cube = dd->ColorCubePanel();
    ASSERT_TRUE(cube);
    ASSERT_EQ(cube->Cell(3).Color, TColor(0xCC6633));
    clickIn(cube, QPoint(cube->Cell(3).Center.X, cube->Cell(3).Center.Y));
    EXPECT_FALSE(open()) << "a click in the cube closes";
    EXPECT_EQ(dd->SelectedColor(), TColor(0xCC6633));
    EXPECT_EQ(dd->ItemIndex(), -1);
    const struct {
        TColorValueText kind;
        const char *text;
    } cases[] = {
        {cvtNone, ""}, {cvtHex, "CC6633"}, {cvtRGB, "Red:51,Green:102,Blue:204"}, {cvtHTML, "#3366CC"},
        {cvtWebName, "#3366CC"},
    };
    for (const auto &c : cases) {
        dd->SetColorValueText(c.kind);
        EXPECT_EQ(dd->GetSelectedColorText(), c.text) << int(c.kind);
    }
    dd->SetSelectedColor(clRed);
    dd->SetItemIndex(-1);
    dd->SetColorValueText(cvtWebName);
    EXPECT_EQ(dd->GetSelectedColorText(), "red");
    dd->SetSelectedColor(clNone);
    dd->SetColorValueText(cvtHex);
    EXPECT_EQ(dd->GetSelectedColorText(), "1FFFFFFF");
    dd->SetSelectedColor(clBtnFace);
    dd->SetColorValueText(cvtRGB);
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(dd->GetSelectedColorText(), QStringLiteral("Red:%1,Green:%2,Blue:%3")
                                              .arg(GetRValue(face)).arg(GetGValue(face)).arg(GetBValue(face)));
}

TEST_F(ColorPicker, ACubeColourThatIsInTheListStillLeavesNoIndex)
{
    dd->SetColorValueText(cvtHex);
    dd->SetColorSelectionStyle(csColorCube);
    showNow();
    clickIn(dd->ColorCubePanel(), QPoint(91, 80)); // cell 64, white
    EXPECT_EQ(dd->SelectedColor(), clWhite);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->SelectedColorText(), "FFFFFF");
    EXPECT_EQ(selects.n, 2) << "once for the list entry of that colour, once for no entry";
}

TEST_F(ColorPicker, InEachStyleAClickPicksAndCloses)
{
    // Style, the control's point to click, the colour expected there.
    for (TColorSelectionStyle style : {csList, csDiscrete, csColorCube, csSpectrum}) {
        SCOPED_TRACE(int(style));
        dd->SetColorSelectionStyle(style);
        dd->SetItemIndex(-1);
        dd->SetSelectedColor(clNone);
        showNow();
        ASSERT_TRUE(open());
        QWidget *control = dd->Control();
        ASSERT_TRUE(control && control->isVisible());
        TColor expected = clNone;
        switch (style) {
        case csList: {
            const QPoint at = entry(3);
            clickIn(dd->ItemSelector()->Panel(), at);
            expected = clOlive;
            EXPECT_EQ(dd->ItemIndex(), 3);
            break;
        }
        case csDiscrete: {
            TCustomColorSelector *boxes = dd->ColorSelector();
            clickIn(boxes, boxes->Items().GetItem(14)->FRect.ToQRect().center());
            expected = boxes->Items().GetItem(14)->Color();
            break;
        }
        case csColorCube:
            clickIn(control, QPoint(91, 80));
            expected = clWhite;
            break;
        case csSpectrum: {
            TSpectrumImage *pic = dd->SpectrumPanel()->SpectrumImage();
            clickIn(pic, QPoint(20, 64));
            expected = FromQColor(pic->Picture().pixelColor(20, 64));
            break;
        }
        }
        EXPECT_FALSE(open());
        EXPECT_EQ(dd->SelectedColor(), expected);
        if (style != csList) EXPECT_EQ(dd->ItemIndex(), -1);
        QTest::qWait(300); // past the window in which a click does not reopen
    }
}

TEST_F(ColorPicker, EscRestoresTheIndexOfTheOpeningAndEnterKeepsTheMovedOne)
{
    dd->SetItemIndex(2);
    showNow();
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_TRUE(open()) << "keys move the choice and leave the pop-up open";
    EXPECT_EQ(dd->ItemIndex(), 4);
    EXPECT_EQ(dd->ItemSelector()->ItemIndex(), 4);
    key(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->SelectedColor(), clGreen);

    showNow();
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 3);
}

TEST_F(ColorPicker, EscBringsBackTheColourOfTheOpeningAlsoWithoutAnIndex)
{
    // Nothing chosen at the opening: the list moves to Black, Esc takes the index and the colour back.
    showNow();
    key(Qt::Key_Down);
    EXPECT_EQ(dd->SelectedColor(), clBlack);
    key(Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->SelectedColor(), clNone);

    // A colour no box holds, moved from in the open boxes.
    dd->SetColorSelectionStyle(csDiscrete);
    dd->SetSelectedColor(0x123456);
    showNow();
    key(Qt::Key_Right);
    EXPECT_EQ(dd->SelectedColor(), clWhite) << "from no box, Right takes the first";
    key(Qt::Key_Escape);
    EXPECT_EQ(dd->SelectedColor(), TColor(0x123456));
}

TEST_F(ColorPicker, TheChoiceIsInViewWhenTheListOpens)
{
    dd->SetItemIndex(14);
    showNow();
    TNovaCustomItemSelector *list = dd->ItemSelector();
    const QRect cell = list->Panel()->GetItemRect(14).ToQRect().translated(list->Panel()->pos());
    EXPECT_TRUE(list->viewport()->rect().contains(cell)) << "Aqua scrolled into view";
}

TEST_F(ColorPicker, EnterTakesTheHotEntry)
{
    showNow();
    dd->ItemSelector()->Panel()->SetItemHot(5);
    key(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 5);
    EXPECT_EQ(selects.n, 1) << "Enter that took the hot entry fires no second OnSelect";
    key(Qt::Key_Return);
    EXPECT_EQ(selects.n, 2) << "Enter with the pop-up closed reports the choice again";
}

TEST_F(ColorPicker, TypingRThenEWithinTheBurstFindsRed)
{
    showNow();
    type("r");
    EXPECT_EQ(dd->ItemIndex(), 9) << "R: the first name that starts with it";
    type("e");
    EXPECT_EQ(dd->ItemIndex(), 9);
    ASSERT_TRUE(keyTimer());
    EXPECT_EQ(keyTimer()->starts, 1) << "a running timer is not restarted";
    EXPECT_TRUE(open());
    key(Qt::Key_Shift);
    key(Qt::Key_F2);
    type("d");
    EXPECT_EQ(dd->ItemIndex(), 9) << "RED: Shift and F2 added nothing";
    keyTimer()->fire();
    type("b");
    EXPECT_EQ(dd->ItemIndex(), 0) << "after the burst a key starts a new search: Black";
    keyTimer()->fire();
    type("re");
    EXPECT_EQ(dd->ItemIndex(), 9);
    keyTimer()->fire();
    type("e");
    EXPECT_EQ(dd->ItemIndex(), 9) << "no name starts with E: the choice stays";
}

TEST_F(ColorPicker, KeysWithThePopUpClosedStepThroughTheColours)
{
    // Key, expected index, starting from nothing chosen.
    const struct {
        int key;
        int index;
    } steps[] = {
        {Qt::Key_Up, 0},  {Qt::Key_Up, 0},    {Qt::Key_Down, 1}, {Qt::Key_End, 15},
        {Qt::Key_Down, 15}, {Qt::Key_Home, 0}, {Qt::Key_Right, 0},
    };
    for (const auto &s : steps) {
        key(s.key);
        EXPECT_FALSE(open());
        EXPECT_EQ(dd->ItemIndex(), s.index) << s.key;
    }
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(open()) << "Alt+Down still opens";
}

TEST_F(ColorPicker, PageKeysInTheOpenListMoveByTheVisibleEntries)
{
    showNow();
    const int page = dd->ItemSelector()->GetVisibleItemCount();
    ASSERT_GT(page, 1);
    key(Qt::Key_PageDown);
    EXPECT_EQ(dd->ItemIndex(), page - 1);
    key(Qt::Key_PageDown);
    EXPECT_EQ(dd->ItemIndex(), std::min(2 * page - 1, 15));
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    EXPECT_EQ(dd->ItemIndex(), 15);
    key(Qt::Key_PageUp);
    EXPECT_EQ(dd->ItemIndex(), 15 - page);
    key(Qt::Key_Home);
    EXPECT_EQ(dd->ItemIndex(), 0);
    key(Qt::Key_End);
    EXPECT_EQ(dd->ItemIndex(), 15);
    EXPECT_TRUE(open());
    TNovaCustomItemSelector *list = dd->ItemSelector();
    const QRect last = list->Panel()->GetItemRect(15).ToQRect().translated(list->Panel()->pos());
    EXPECT_GT(list->verticalScrollBar()->value(), 0);
    EXPECT_EQ(last.bottom() + 1, list->viewport()->height()) << "the last entry scrolled into view";
}

TEST_F(ColorPicker, TheListColumnsStepUpAndDown)
{
    dd->SetColumns(4);
    dd->SetItemIndex(5);
    showNow();
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 9);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    EXPECT_EQ(dd->ItemIndex(), 1);
    key(Qt::Key_Up);
    EXPECT_EQ(dd->ItemIndex(), 1) << "no entry four above";
    key(Qt::Key_Right);
    EXPECT_EQ(dd->ItemIndex(), 2);
}

TEST_F(ColorPicker, TheWheelMovesTheHotEntryOpenAndTheChoiceClosed)
{
    showNow();
    key(Qt::Key_Escape);
    ASSERT_FALSE(open());
    QWheelEvent down(QPointF(5, 5), dd->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->ItemIndex(), 0);
    QApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->ItemIndex(), 1);
    showNow();
    QWheelEvent popDown(QPointF(5, 5), QPointF(), QPoint(), QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase,
                        false);
    QApplication::sendEvent(dd->DropDownForm(), &popDown);
    EXPECT_EQ(dd->ItemIndex(), 1) << "open: the choice stays";
    EXPECT_EQ(dd->ItemSelector()->ItemHot(), 0);
}

TEST_F(ColorPicker, AnEntryTheListHandsBackBeyondTheColoursIsIgnored)
{
    showNow();
    dd->Colors().Clear();
    dd->AddDefaultColors();
    for (int i = 0; i < 10; ++i) dd->Colors().Delete(dd->Colors().Count() - 1);
    const QPoint at = entry(12); // still in the list, no longer a colour
    clickIn(dd->ItemSelector()->Panel(), at);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->SelectedColor(), clNone);
    EXPECT_EQ(dd->SelectedColorText(), "");
}

TEST_F(ColorPicker, TheCubePopUpIsItsPanelPlusTheFrameAndCannotBeResized)
{
    dd->SetColorSelectionStyle(csColorCube);
    showNow();
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(182 + 2, 160 + 2));
    EXPECT_EQ(dd->ColorCubePanel()->geometry(), QRect(1, 1, 182, 160));
    EXPECT_FALSE(dd->DropDownForm()->Sizeable());
    key(Qt::Key_Escape);

    TNovaColorPickerDropDown wide(form.get());
    wide.SetColorSelectionStyle(csColorCube);
    wide.SetDropDownBorderWidth(3);
    wide.show();
    wide.ShowDropDown();
    QApplication::processEvents();
    EXPECT_EQ(wide.DropDownForm()->size(), QSize(182 + 6, 160 + 6));
    wide.HideDropDown(true);
}

TEST_F(ColorPicker, TheListPopUpFitsItsPanelBesideTheFrame)
{
    dd->SetDropDownHeight(0);
    showNow();
    TNovaCustomItemSelector *list = dd->ItemSelector();
    EXPECT_GE(list->viewport()->width(), list->Panel()->width()) << "nothing cut";
    EXPECT_GE(list->viewport()->height(), list->Panel()->height());
    EXPECT_FALSE(list->verticalScrollBar()->isVisible());
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
    key(Qt::Key_Escape);

    TNovaColorPickerDropDown tall(form.get());
    tall.AddDefaultColors();
    tall.show();
    tall.ShowDropDown();
    QApplication::processEvents();
    TNovaCustomItemSelector *l = tall.ItemSelector();
    EXPECT_EQ(tall.DropDownForm()->height(), 200);
    EXPECT_TRUE(l->verticalScrollBar()->isVisible());
    EXPECT_FALSE(l->horizontalScrollBar()->isVisible()) << "the pop-up grew by the scroll bar";
    tall.HideDropDown(true);
}

TEST_F(ColorPicker, TheColourBoxesTakeTheKeysOfTheDropDown)
{
    dd->SetColorSelectionStyle(csDiscrete);
    showNow();
    TCustomColorSelector *boxes = dd->ColorSelector();
    ASSERT_EQ(boxes->Items().Count(), 60);
    key(Qt::Key_Down);
    EXPECT_EQ(boxes->ItemIndex(), 0);
    key(Qt::Key_Down);
    EXPECT_EQ(boxes->ItemIndex(), 10);
    EXPECT_TRUE(open());
    EXPECT_EQ(dd->SelectedColor(), boxes->Items().GetItem(10)->Color());
    EXPECT_EQ(dd->ItemIndex(), -1);
    boxes->SetItemHot(23);
    key(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->SelectedColor(), boxes->Items().GetItem(23)->Color());
    key(Qt::Key_Right);
    EXPECT_EQ(boxes->ItemIndex(), 24) << "closed, the arrows step the boxes";
    EXPECT_EQ(dd->SelectedColor(), boxes->Items().GetItem(24)->Color());
}

TEST_F(ColorPicker, StylesReachTheListAndTheBoxes)
{
    dd->SetComponentStyle(tsWindows7);
    TItemStyleColors c;
    ASSERT_TRUE(ItemStyleColors(tsWindows7, c));
    EXPECT_EQ(dd->ItemAppearance().ColorHot, c.ColorHot);
    showNow();
    EXPECT_EQ(dd->ItemSelector()->ItemAppearance().ColorHot, dd->ItemAppearance().ColorHot)
        << "the list takes the drop-down's appearance at the opening";
    key(Qt::Key_Escape);
    dd->SetSelectionColorStyle(scWindowsVista);
    EXPECT_EQ(dd->ItemSelector()->ItemAppearance().ColorStyle(), scWindowsVista);
    dd->SetColorSelectionStyle(csDiscrete);
    EXPECT_EQ(dd->ColorSelector()->ItemColorStyle(), scWindowsVista);
}
