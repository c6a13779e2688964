// The two list drop-downs besides the colour list: the image picker (a display of the chosen image)
// and the detail list (an edit that completes from the captions). Keys are typed into the window
// around the edit; while the pop-up is open the platform hands them to it.
#include "dropdown/NovaDetailDropDown.h"
#include "dropdown/NovaImagePickerDropDown.h"
#include "picker_test_support.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>

namespace {

using pickertest::Counter;

QByteArray pngOf(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

TMarkupImageList imageList(int count)
{
    TMarkupImageList l;
    for (int i = 0; i < count; ++i) {
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(QColor::fromHsv(i * 40, 200, 200));
        l.Images.push_back(img);
    }
    return l;
}

std::vector<TCanvasOp> imagesDrawn(const TRecordingCanvas &c) { return c.OfKind(TCanvasOp::Image); }

// ---- Image picker -------------------------------------------------------------------------------

class ShownImagePicker : public TNovaImagePickerDropDown {
public:
    using TNovaImagePickerDropDown::TNovaImagePickerDropDown;
    using TNovaImagePickerDropDown::GetEditRect;
};

class ImagePicker : public pickertest::PickerTest<ShownImagePicker> {
protected:
    void SetUp() override
    {
        PickerTest::SetUp();
        dd->OnChange = changes.handler();
        dd->OnSelect = selects.handler();
    }
    void addCaptioned(std::initializer_list<const char *> captions)
    {
        int i = 0;
        for (const char *c : captions) {
            TImageItem *item = dd->Items().Add();
            item->SetCaption(QString::fromLatin1(c));
            item->SetImageIndex(i++ % 4);
        }
    }
    Counter changes, selects;
    TMarkupImageList images = imageList(4);
};

} // namespace

TEST_F(ImagePicker, AnIndexAtTheCountChangesNothingAndMinusOneChoosesNothing)
{
    addCaptioned({"a", "b", "c"});
    dd->SetImages(&images);
    dd->SetItemIndex(3);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(selects.n, 0);
    dd->SetItemIndex(1);
    EXPECT_EQ(changes.n, 1);
    EXPECT_EQ(selects.n, 1);
    TRecordingCanvas shown;
    dd->DrawSelectedImage(shown);
    ASSERT_EQ(imagesDrawn(shown).size(), 1u);
    const QRect e = dd->GetEditRect();
    EXPECT_EQ(imagesDrawn(shown)[0].rect.Left, e.left() + (e.width() - 16) / 2) << "centred in the edit";
    dd->SetItemIndex(1);
    EXPECT_EQ(selects.n, 1) << "the same index again changes nothing";
    dd->SetItemIndex(-1);
    EXPECT_EQ(changes.n, 2);
    EXPECT_EQ(selects.n, 2);
    TRecordingCanvas none;
    dd->DrawSelectedImage(none);
    EXPECT_TRUE(imagesDrawn(none).empty());
}

TEST_F(ImagePicker, ImageIndexChoosesTheFirstItemWithIt)
{
    for (int index : {3, 5, 5}) dd->Items().Add()->SetImageIndex(index);
    EXPECT_EQ(dd->GetImageIndex(), -1) << "nothing chosen";
    dd->SetImageIndex(5);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->GetImageIndex(), 5);
    dd->SetImageIndex(9);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->Items().GetItem(2)->ImageIndex(), 5);
}

TEST_F(ImagePicker, OneItemPerImageOfTheList)
{
    dd->AddImagesFromImageList();
    EXPECT_EQ(dd->Items().Count(), 0) << "no list, no items";
    dd->SetImages(&images);
    dd->AddImagesFromImageList();
    ASSERT_EQ(dd->Items().Count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(dd->Items().GetItem(i)->ImageIndex(), i);
}

TEST_F(ImagePicker, AFolderOfPictureFilesGivesOneItemEach)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("red.png", pngOf(24, 16, Qt::red));
    write("green.png", pngOf(16, 16, Qt::green));
    write("broken.png", "not a picture at all");
    write("notes.txt", "text");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));

    dd->AddImagesFromFolder(dir.path() + "/*.png", true);
    ASSERT_EQ(dd->Items().Count(), 3);
    QSet<QString> captions;
    int empty = 0;
    for (int i = 0; i < 3; ++i) {
        const TImageItem *item = dd->Items().GetItem(i);
        if (item->Image().Empty()) {
            ++empty;
            EXPECT_EQ(item->Caption(), "") << "a file that cannot be read: no picture, no caption";
        } else {
            captions << item->Caption();
            EXPECT_EQ(item->Image().Width(), item->Caption() == "red.png" ? 24 : 16);
        }
    }
    EXPECT_EQ(empty, 1);
    EXPECT_EQ(captions, (QSet<QString>{"red.png", "green.png"}));

    dd->Items().Clear();
    dd->AddImagesFromFolder(dir.path() + "/*", false);
    // Every entry: two pictures, two unreadable files, the folder, "." and "..".
    ASSERT_EQ(dd->Items().Count(), 7);
    int pictures = 0;
    for (int i = 0; i < 7; ++i) {
        pictures += dd->Items().GetItem(i)->Image().Empty() ? 0 : 1;
        EXPECT_EQ(dd->Items().GetItem(i)->Caption(), "") << "no captions asked for";
    }
    EXPECT_EQ(pictures, 2);

    // The pop-up shows the pictures; the unreadable ones leave an empty cell (no box).
    showNow();
    TRecordingCanvas list;
    dd->ItemSelector()->Panel()->PaintTo(list);
    EXPECT_EQ(imagesDrawn(list).size(), 2u);
    EXPECT_EQ(list.Count(TCanvasOp::Rectangle), 0);
}

TEST_F(ImagePicker, APictureWinsOverTheImageIndex)
{
    dd->SetImages(&images);
    TImageItem *item = dd->Items().Add();
    item->SetImageIndex(2);
    item->Image().LoadFromData(pngOf(30, 10, Qt::blue));
    dd->SetItemIndex(0);
    TRecordingCanvas shown;
    dd->DrawSelectedImage(shown);
    ASSERT_EQ(imagesDrawn(shown).size(), 1u);
    EXPECT_EQ(imagesDrawn(shown)[0].rect.Width(), 30);
}

TEST_F(ImagePicker, AClickInTheListChoosesAndCloses)
{
    addCaptioned({"Alpha", "Beta", "Gamma"});
    dd->SetImages(&images);
    showNow();
    TCustomItemSelector *panel = dd->ItemSelector()->Panel();
    clickIn(panel, panel->GetItemRect(2).ToQRect().center());
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(changes.n, 1);
    EXPECT_EQ(selects.n, 1);
}

TEST_F(ImagePicker, WithFourColumnsDownMovesByFourAndRightByOne)
{
    for (int i = 0; i < 10; ++i) dd->Items().Add()->SetImageIndex(i % 4);
    dd->SetImages(&images);
    dd->SetColumns(4);
    showNow();
    EXPECT_EQ(dd->ItemSelector()->Columns(), 4);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 0) << "from nothing: the first";
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 4);
    key(Qt::Key_Right);
    EXPECT_EQ(dd->ItemIndex(), 5);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 9);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 9) << "nothing four below";
    key(Qt::Key_End);
    key(Qt::Key_Up);
    EXPECT_EQ(dd->ItemIndex(), 5);
    EXPECT_TRUE(open());
    // With the editor on, Left and Right belong to the text: the choice stays.
    dd->SetEditorEnabled(true);
    key(Qt::Key_Right);
    EXPECT_EQ(dd->ItemIndex(), 5);
    key(Qt::Key_Left);
    EXPECT_EQ(dd->ItemIndex(), 5);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 9) << "Down still steps by the columns";
}

TEST_F(ImagePicker, AnEntryTheListHandsBackBeyondTheItemsIsIgnored)
{
    addCaptioned({"a", "b", "c"});
    dd->SetImages(&images);
    showNow();
    // The list still shows three entries while the picker holds two: a click on the third is none.
    dd->Items().Delete(2);
    TCustomItemSelector *panel = dd->ItemSelector()->Panel();
    clickIn(panel, panel->GetItemRect(2).ToQRect().center());
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(selects.n, 0);
}

TEST_F(ImagePicker, TheWheelMovesTheHotEntryOpenAndTheChoiceClosed)
{
    addCaptioned({"a", "b", "c"});
    showNow();
    QWheelEvent down(QPointF(5, 5), QPointF(), QPoint(), QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(dd->DropDownForm(), &down);
    QApplication::sendEvent(dd->DropDownForm(), &down);
    EXPECT_EQ(dd->ItemSelector()->ItemHot(), 1);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(selects.n, 0);
    key(Qt::Key_Escape);
    QWheelEvent editDown(QPointF(5, 5), dd->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
    QApplication::sendEvent(dd, &editDown);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(changes.n, 1);
    EXPECT_EQ(selects.n, 1);
}

TEST_F(ImagePicker, EnterWithThePopUpClosedReportsTheChoice)
{
    addCaptioned({"a", "b"});
    key(Qt::Key_Return);
    EXPECT_EQ(selects.n, 1);
    EXPECT_EQ(changes.n, 0);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 0) << "closed: the next item";
    showNow();
    dd->ItemSelector()->Panel()->SetItemHot(1);
    key(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 1) << "Enter takes the hot entry";
}

TEST_F(ImagePicker, CancellingBringsBackTheIndexOfTheOpeningAlsoMinusOne)
{
    addCaptioned({"a", "b", "c"});
    showNow();
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(dd->ItemIndex(), 1);
    key(Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), -1);
    dd->SetItemIndex(2);
    showNow();
    key(Qt::Key_Home);
    EXPECT_EQ(dd->ItemIndex(), 0);
    key(Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), 2);
}

TEST_F(ImagePicker, TypeAheadAndPagesInTheOpenList)
{
    addCaptioned({"Apple", "Banana", "Blueberry", "Cherry", "Damson", "Elder", "Fig", "Grape", "Hazel", "Ivy", "Jujube",
                  "Kiwi"});
    dd->SetDropDownHeight(100);
    showNow();
    type("bl");
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->SearchText(), "BL");
    const int page = dd->ItemSelector()->GetVisibleItemCount();
    ASSERT_GT(page, 0);
    key(Qt::Key_PageDown);
    EXPECT_EQ(dd->ItemIndex(), std::min(2 + page, 11));
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_TRUE(open());
}

// ---- Detail list --------------------------------------------------------------------------------

namespace {

class DetailList : public pickertest::PickerTest<TNovaDetailDropDown> {
protected:
    void SetUp() override
    {
        PickerTest::SetUp();
        dd->OnSelect = selects.handler();
        for (const char *c : {"Apple", "Apricot"}) dd->Items().Add()->SetCaption(QString::fromLatin1(c));
    }
    Counter selects;
};

} // namespace

TEST_F(DetailList, TypingApCompletesTheFirstCaptionWithItsTailSelected)
{
    ASSERT_TRUE(dd->EditorEnabled());
    type("ap");
    EXPECT_EQ(dd->text(), "apple");
    EXPECT_EQ(dd->selectedText(), "ple");
    EXPECT_EQ(dd->cursorPosition(), 2) << "the caret after the typed characters";
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(selects.n, 0);

    key(Qt::Key_Return);
    EXPECT_EQ(dd->text(), "apple") << "no caption equals apple in its letter case";
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(selects.n, 0);
}

TEST_F(DetailList, MatchCaseCompletesOnlyTheSameLetters)
{
    dd->SetMatchCase(true);
    type("ap");
    EXPECT_EQ(dd->text(), "ap");
    EXPECT_EQ(dd->ItemIndex(), -1);
    dd->clear();
    type("Apr");
    EXPECT_EQ(dd->text(), "Apricot");
    EXPECT_EQ(dd->ItemIndex(), 1);
}

TEST_F(DetailList, EnterTakesAnItemWhoseCaptionIsTyped)
{
    dd->SetItemIndex(1);
    dd->SetText("Apple"); // written by code: no completion, the index stays
    EXPECT_EQ(dd->ItemIndex(), 1);
    selects.n = 0;
    key(Qt::Key_Return);
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->text(), "Apple");
    EXPECT_EQ(selects.n, 1);
}

TEST_F(DetailList, ACharacterNoCaptionTakesCutsTheTextBackToTheCaret)
{
    dd->SetText("abc");
    EXPECT_EQ(dd->text(), "abc") << "a text written by code completes nothing";
    dd->setCursorPosition(1);
    type("x");
    EXPECT_EQ(dd->text(), "ax");
    EXPECT_EQ(dd->cursorPosition(), 2);
    EXPECT_FALSE(dd->hasSelectedText());
}

TEST_F(DetailList, BackspaceSwitchesCompletionOffUntilTheNextKey)
{
    type("ap");
    key(Qt::Key_Backspace);
    EXPECT_EQ(dd->text(), "ap") << "the deletion is not completed again";
    type("r");
    EXPECT_EQ(dd->text(), "apricot");
    EXPECT_EQ(dd->ItemIndex(), 1);
}

TEST_F(DetailList, ALongCaptionCompletesWithAtMost255MoreCharacters)
{
    dd->Items().Add()->SetCaption("x" + QString(300, QLatin1Char('y')));
    type("x");
    EXPECT_EQ(dd->text().size(), 256);
}

TEST_F(DetailList, ItemIndexRules)
{
    dd->SetItemIndex(2);
    EXPECT_EQ(dd->ItemIndex(), -1);
    dd->SetItemIndex(1);
    EXPECT_EQ(dd->text(), "Apricot");
    EXPECT_EQ(dd->selectedText(), "Apricot");
    EXPECT_EQ(selects.n, 1);
    dd->SetItemIndex(1);
    EXPECT_EQ(selects.n, 1) << "the current index again fires nothing";
    dd->SetItemIndex(-1);
    EXPECT_EQ(dd->text(), "");
    EXPECT_EQ(selects.n, 1) << "emptied without OnSelect";
    EXPECT_EQ(dd->Items().IndexOf("Apricot"), 1);
    EXPECT_EQ(dd->Items().IndexOf("apricot"), -1);

    dd->SelectPrevious();
    EXPECT_EQ(dd->ItemIndex(), 0) << "from nothing: the first";
    dd->SelectPrevious();
    EXPECT_EQ(dd->ItemIndex(), 0);
    dd->SelectNext();
    dd->SelectNext();
    EXPECT_EQ(dd->ItemIndex(), 1);
}

TEST_F(DetailList, KeysInTheOpenListMoveTheChoiceAndEscBringsBackTheOpeningOne)
{
    dd->SetItemIndex(1);
    showNow();
    EXPECT_TRUE(dd->ItemSelector()->hasFocus()) << "the list takes the keyboard";
    key(Qt::Key_Up);
    EXPECT_TRUE(open());
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->text(), "Apple");
    key(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->text(), "Apricot");

    dd->SetItemIndex(-1);
    showNow();
    key(Qt::Key_Down);
    key(Qt::Key_Escape);
    EXPECT_EQ(dd->ItemIndex(), 0) << "opened with nothing chosen: the index moved to stays";
}

TEST_F(DetailList, TypingAfterAnOpeningStillCompletes)
{
    showNow();
    key(Qt::Key_Escape);
    type("ap");
    EXPECT_EQ(dd->text(), "apple");
    EXPECT_EQ(dd->ItemIndex(), 0);
}

TEST_F(DetailList, WithTheEditorOffTypedKeysLookTheItemsUp)
{
    dd->SetEditorEnabled(false);
    showNow();
    type("apr");
    EXPECT_EQ(dd->SearchText(), "APR");
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->text(), "Apricot");
    EXPECT_TRUE(open());
    key(Qt::Key_Left);
    EXPECT_EQ(dd->ItemIndex(), 0);
    key(Qt::Key_Escape);
    key(Qt::Key_End);
    EXPECT_EQ(dd->ItemIndex(), 1) << "closed with the editor off, End takes the last";
}

TEST_F(DetailList, AnEntryTheListHandsBackBeyondTheItemsIsIgnored)
{
    showNow();
    dd->Items().Delete(1);
    TCustomItemSelector *panel = dd->ItemSelector()->Panel();
    clickIn(panel, panel->GetItemRect(1).ToQRect().center());
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->text(), "");
    EXPECT_FALSE(open());
}

TEST_F(DetailList, EntriesFillThePopUpWidthAndTheListIsAHundredHigh)
{
    showNow();
    TNovaCustomItemSelector *list = dd->ItemSelector();
    EXPECT_EQ(dd->DropDownForm()->width(), dd->width());
    EXPECT_EQ(list->height(), 100);
    EXPECT_EQ(list->Panel()->GetItemRect(0).Width(), dd->width() - 2 - 4);
    EXPECT_EQ(list->Panel()->GetItemRect(0).Height(), 22);
    EXPECT_LE(list->Panel()->width(), list->viewport()->width());
}

TEST_F(DetailList, NotesStandOneGhHeightBelowTheCaption)
{
    dd->Items().GetItem(0)->SetNotes("Crisp <b>and</b> sweet");
    TRecordingCanvas c;
    const TRect cell{2, 2, 200, 50};
    dd->DrawSelectorItem(c, cell, 0);
    const std::vector<TCanvasOp> texts = c.OfKind(TCanvasOp::Text);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Apple");
    EXPECT_EQ(texts[0].rect.Top, cell.Top + 2);
    EXPECT_EQ(texts[0].rect.Left, cell.Left + 4);
    EXPECT_TRUE(texts[0].flags & DT_END_ELLIPSIS);
    EXPECT_EQ(texts[1].rect.Top, cell.Top + 2 + c.LineHeight) << "notes one \"gh\" below the caption's top";
    QString notes;
    for (std::size_t i = 1; i < texts.size(); ++i) notes += texts[i].text;
    EXPECT_TRUE(notes.contains("Crisp")) << notes.toStdString();
    EXPECT_FALSE(notes.contains("<b>"));
}

TEST_F(DetailList, APictureWinsOverTheImageIndexAndTheOwnerCanDrawInstead)
{
    TMarkupImageList images = imageList(3);
    dd->SetImages(&images);
    TDetailItem *item = dd->Items().GetItem(0);
    item->SetImageIndex(1);
    item->Image().LoadFromData(pngOf(12, 12, Qt::red));
    TRecordingCanvas c;
    dd->DrawSelectorItem(c, TRect{0, 0, 200, 22}, 0);
    ASSERT_EQ(imagesDrawn(c).size(), 1u);
    EXPECT_EQ(imagesDrawn(c)[0].rect.Left, 2) << "beside the caption";
    EXPECT_EQ(c.OfKind(TCanvasOp::Text)[0].rect.Left, 12 + 4 + 4) << "the cell's left plus picture, gap and margin";

    int owner = 0;
    dd->OnDrawSelectedImage = [&](QObject *, TCanvas &, const TRect &) { ++owner; };
    TRecordingCanvas none;
    dd->DrawSelectorItem(none, TRect{0, 0, 200, 22}, 0);
    EXPECT_EQ(owner, 1);
    EXPECT_TRUE(none.Ops.empty()) << "no caption, picture or notes";
}
