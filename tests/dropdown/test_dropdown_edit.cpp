// The drop-down edit and its pop-up as a user drives them: clicks and keys go through the window
// system's entry (QTest's QWindow overloads), so that the platform's pop-up routing takes them.
#include "dropdown/DropDownBars.h"
#include "dropdown/DropDownForm.h"
#include "dropdown/NovaDropDown.h"
#include "platform/Clock.h"
#include "support/LocaleSettings.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A drop-down that tells its hooks and shows its protected parts.
class TestDropDown : public TNovaCustomDropDown {
public:
    using TNovaCustomDropDown::TNovaCustomDropDown;
    using TNovaCustomDropDown::DrawSelectionBackground;
    using TNovaCustomDropDown::GetEditRect;
    using TNovaCustomDropDown::GetMinHeight;
    using TNovaCustomDropDown::SetControl;
    QStringList log;
    int next = 0, prev = 0;

protected:
    void BeforeDropDown() override
    {
        log << "prepare";
        TNovaCustomDropDown::BeforeDropDown();
    }
    void SelectNextValue() override { ++next; }
    void SelectPrevValue() override { ++prev; }
};

// The window around the edit: records the keys that reach it.
class Form : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        keys << e->key();
    }
};

class DropDownEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setClock({}, [this] { return tick; });
        m_fs = std::make_unique<platform::ScopedFormatSettings>(testsupport::usSettings());
        form = std::make_unique<Form>();
        form->resize(420, 300);
        dd = new TestDropDown(form.get());
        dd->SetBounds(100, 50, 150, 21);
        other = new QLineEdit(form.get());
        other->setGeometry(10, 250, 80, 21);
        form->show();
        QApplication::setActiveWindow(form.get());
        form->activateWindow();
        dd->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QApplication::processEvents();
    }
    void TearDown() override
    {
        form.reset();
        platform::setClock({}, {});
    }
    QWindow *win() const { return form->windowHandle(); }
    QPoint buttonPoint() const { return dd->Button()->mapTo(form.get(), QPoint(8, 9)); }
    void press(QPoint at) { QTest::mousePress(win(), Qt::LeftButton, {}, at); }
    void release(QPoint at) { QTest::mouseRelease(win(), Qt::LeftButton, {}, at); }
    // A click as the window system gives it: the press is handled (and a press that closes the
    // pop-up replayed) before the release comes.
    void click(QPoint at)
    {
        press(at);
        release(at);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(win(), k, m); }
    void type(const char *text)
    {
        for (const char *c = text; *c; ++c) QTest::keyClick(win(), *c);
    }
    bool open() const { return dd->DroppedDown() && dd->DropDownForm()->isVisible(); }
    // Opens and lets the window system report the pop-up's geometry.
    void showNow()
    {
        dd->ShowDropDown();
        QApplication::processEvents();
    }

    qint64 tick = 100000;
    std::unique_ptr<Form> form;
    TestDropDown *dd = nullptr;
    QLineEdit *other = nullptr;

private:
    std::unique_ptr<platform::ScopedFormatSettings> m_fs;
};

} // namespace

TEST_F(DropDownEdit, ButtonOpensAndASecondClickClosesWithoutReopening)
{
    dd->SetText("kept");
    click(buttonPoint());
    ASSERT_TRUE(open());
    dd->insert("typed");
    tick += 100;
    click(buttonPoint()); // closes by taking the activation: cancelled
    EXPECT_FALSE(open()) << "the same click does not open it again";
    EXPECT_EQ(dd->GetText(), "kept");
    tick += 100;
    click(buttonPoint());
    EXPECT_FALSE(open()) << "within 250 ms of the closing";
    tick += 300;
    click(buttonPoint());
    EXPECT_TRUE(open());
    QTest::mouseClick(win(), Qt::RightButton, {}, buttonPoint());
}

TEST_F(DropDownEdit, FirstClickOfTheProgramOpens)
{
    tick = 10; // a tick count near its start opens too: no closing has been seen yet
    click(buttonPoint());
    EXPECT_TRUE(open());
}

TEST_F(DropDownEdit, KeysToggleEnterKeepsEscRestores)
{
    dd->SetText("start");
    key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(open());
    key(Qt::Key_Up, Qt::AltModifier); // reaches the pop-up, which hands it to the edit
    EXPECT_FALSE(open());
    key(Qt::Key_F4);
    ASSERT_TRUE(open());
    type("xy"); // typed while open: into the edit
    EXPECT_EQ(dd->GetText(), "startxy");
    key(Qt::Key_F4);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "startxy") << "F4 closes without cancel";

    key(Qt::Key_F4);
    type("z");
    key(Qt::Key_Return);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "startxyz") << "Enter keeps";
    EXPECT_FALSE(form->keys.contains(Qt::Key_Return)) << "the Enter that closed the pop-up is the drop-down's";
    EXPECT_FALSE(form->keys.contains(Qt::Key_F4));

    key(Qt::Key_F4);
    type("!");
    key(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "start") << "Esc restores the text of the last SetText";
    EXPECT_TRUE(dd->hasFocus());
}

TEST_F(DropDownEdit, ClickOutsideCancelsOrKeeps)
{
    dd->SetText("old");
    key(Qt::Key_F4);
    dd->insert("new");
    click({20, 20});
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "old");

    dd->DropDownForm()->SetCancelOnDeActivate(false);
    tick += 1000;
    key(Qt::Key_F4);
    dd->insert("new");
    click({20, 20});
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "oldnew");
}

TEST_F(DropDownEdit, ReadOnlyOrDisabledNeverOpens)
{
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 0) dd->SetReadOnly(true);
        else dd->setEnabled(false);
        click(buttonPoint());
        key(Qt::Key_Down, Qt::AltModifier);
        key(Qt::Key_F4);
        dd->ShowDropDown();
        EXPECT_FALSE(open()) << pass;
        dd->SetReadOnly(false);
        dd->setEnabled(true);
        dd->setFocus();
    }
}

TEST_F(DropDownEdit, EventOrderAndRefusal)
{
    QStringList &log = dd->log;
    dd->OnBeforeDropDown = [&](QObject *s) { log << (s == dd ? "before" : "?"); };
    dd->OnDropDown = [&](QObject *, bool &accept) { log << QString("drop visible=%1").arg(dd->DropDownForm()->isVisible()); (void)accept; };
    dd->OnBeforeDropUp = [&](QObject *) { log << QString("before up dropped=%1").arg(dd->DroppedDown()); };
    dd->OnDropUp = [&](QObject *, bool cancelled) {
        log << QString("up cancelled=%1 dropped=%2 text=%3").arg(cancelled).arg(dd->DroppedDown()).arg(dd->GetText());
    };
    dd->SetText("a");
    dd->ShowDropDown();
    EXPECT_TRUE(open());
    dd->insert("b");
    dd->HideDropDown(true);
    EXPECT_EQ(log, QStringList({"prepare", "before", "drop visible=0", "before up dropped=1",
                                "up cancelled=1 dropped=0 text=a"}));

    log.clear();
    dd->OnDropDown = [&](QObject *, bool &accept) {
        log << "refused";
        accept = false;
    };
    click(buttonPoint());
    EXPECT_FALSE(open());
    EXPECT_EQ(log, QStringList({"prepare", "before", "refused"})) << "the preparation has run";
}

TEST_F(DropDownEdit, InsideClicksKeepThePopUpOpen)
{
    auto *slider = new QSlider(Qt::Horizontal);
    slider->resize(150, 30);
    dd->SetControl(slider);
    dd->DropDownHeader().SetCaption("Header");
    dd->DropDownHeader().Buttons().Add()->SetCaption("H");
    dd->DropDownFooter().Buttons().Add()->SetCaption("F");
    int headerClicks = -1;
    dd->OnDropDownHeaderButtonClick = [&](QObject *, int index) { headerClicks = index; };
    click(buttonPoint());
    ASSERT_TRUE(open());
    QWindow *pop = dd->DropDownForm()->windowHandle();
    QTest::mouseClick(pop, Qt::LeftButton, {}, slider->mapTo(dd->DropDownForm(), QPoint(5, 5)));
    EXPECT_TRUE(open()) << "the inner control";
    auto *hb = static_cast<TNovaButton *>(dd->DropDownForm()->Header()->ButtonList().GetItemsEx(0));
    QTest::mouseClick(pop, Qt::LeftButton, {}, hb->mapTo(dd->DropDownForm(), QPoint(3, 3)));
    EXPECT_TRUE(open()) << "a header button";
    EXPECT_EQ(headerClicks, 0);
    auto *fb = static_cast<TNovaButton *>(dd->DropDownForm()->Footer()->ButtonList().GetItemsEx(0));
    QTest::mouseClick(pop, Qt::LeftButton, {}, fb->mapTo(dd->DropDownForm(), QPoint(3, 3)));
    EXPECT_TRUE(open()) << "a footer button without a closing modal result";
    EXPECT_EQ(slider->parentWidget(), dd->DropDownForm());
}

TEST_F(DropDownEdit, KeysOfTheInnerControlActOnTheEdit)
{
    auto *slider = new QSlider(Qt::Horizontal);
    slider->resize(150, 30);
    slider->setFocusPolicy(Qt::StrongFocus);
    dd->SetControl(slider);
    dd->SetText("v");
    dd->ShowDropDown();
    slider->setFocus();
    ASSERT_TRUE(open());
    const int before = slider->value();
    key(Qt::Key_Right); // the slider still takes its own keys
    EXPECT_EQ(slider->value(), before + 1);
    type("w");
    key(Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(dd->GetText(), "v");
    key(Qt::Key_F4);
    slider->setFocus();
    key(Qt::Key_F4); // one F4 from the control: closes, and is not handed on to open again
    EXPECT_FALSE(open());
}

TEST_F(DropDownEdit, BlockedActivationIsNoClosing)
{
    dd->ShowDropDown();
    ASSERT_TRUE(open());
    TDropDownForm *pop = dd->DropDownForm();
    pop->SetBlockActivate(true);
    const quint32 before = pop->DeActivateTime();
    tick += 5000;
    click({20, 20});
    EXPECT_TRUE(dd->DroppedDown()) << "still dropped down";
    EXPECT_EQ(pop->DeActivateTime(), before) << "no deactivation recorded";
    pop->SetBlockActivate(false);
    EXPECT_TRUE(open()) << "shows again when the block ends";
    dd->HideDropDown(false);
    EXPECT_FALSE(open());
}

TEST_F(DropDownEdit, NotEditableDisplay)
{
    dd->SetText("shown");
    dd->SetEditorEnabled(false);
    type("abc");
    EXPECT_EQ(dd->GetText(), "shown") << "typing changes nothing";
    key(Qt::Key_Left);
    key(Qt::Key_Return);
    key(Qt::Key_Escape);
    EXPECT_EQ(form->keys, QList<int>({Qt::Key_Return, Qt::Key_Escape})) << "Enter and Esc reach the form";
    key(Qt::Key_F4);
    EXPECT_TRUE(open());
    key(Qt::Key_F4);
    EXPECT_FALSE(open());
    tick += 1000;
    click(dd->mapTo(form.get(), QPoint(20, 10)));
    EXPECT_TRUE(open()) << "a click on the text opens";
    dd->HideDropDown(false);
    dd->setFocus();
    // The display draws its focus highlight over the text.
    const QImage img = dd->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(10, dd->height() / 2)), dd->palette().color(QPalette::Highlight));
}

TEST_F(DropDownEdit, PressInsideTheSelectionKeepsIt)
{
    dd->SetText("abcdefghij");
    int x = 0;
    while (x < dd->width() && dd->cursorPositionAt(QPoint(x, dd->height() / 2)) < 4) ++x;
    const QPoint local(x, dd->height() / 2); // over "d", inside the selection below
    const int caret = dd->cursorPositionAt(local);
    const QPoint at = dd->mapTo(form.get(), local);
    dd->setSelection(2, 5);
    press(at);
    EXPECT_EQ(dd->selectedText(), "cdefg") << "kept while the button is down";
    release(at);
    EXPECT_FALSE(dd->hasSelectedText());
    EXPECT_EQ(dd->cursorPosition(), caret);
}

TEST_F(DropDownEdit, WheelStepsTheValue)
{
    QWheelEvent down(QPointF(10, 10), dd->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120), Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(dd, &down);
    EXPECT_EQ(dd->next, 1);
    dd->ShowDropDown();
    QWheelEvent up(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(dd->DropDownForm(), &up);
    EXPECT_EQ(dd->prev, 1);
}

TEST_F(DropDownEdit, SizesOfThePopUp)
{
    // No inner control, no width: the edit's width, at least 80.
    dd->DropDownHeader().SetVisible(false);
    dd->DropDownFooter().SetVisible(false);
    showNow();
    EXPECT_EQ(dd->DropDownForm()->size(), QSize(150, 50)) << "two borders asked for, 50 at least";
    dd->HideDropDown(false);
    dd->SetBounds(100, 50, 60, 21);
    dd->SetDropDownWidth(1); // forget the size kept from the last opening
    dd->SetDropDownWidth(0);
    dd->SetDropDownHeight(1);
    dd->SetDropDownHeight(0);
    showNow();
    EXPECT_EQ(dd->DropDownForm()->width(), 80);
    dd->HideDropDown(false);

    // Header, footer and control add up; the user's size survives until a new size is assigned.
    dd->SetBounds(100, 50, 150, 21);
    dd->SetDropDownWidth(1);
    dd->SetDropDownWidth(0);
    dd->SetDropDownHeight(1);
    dd->SetDropDownHeight(0);
    dd->DropDownHeader().SetVisible(true);
    dd->DropDownFooter().SetVisible(true);
    auto *inner = new QWidget;
    inner->resize(170, 60);
    dd->SetControl(inner);
    showNow();
    TDropDownForm *pop = dd->DropDownForm();
    EXPECT_EQ(pop->size(), QSize(170, 2 + 22 + 22 + 60));
    // The footer's grip: press in its corner and drag.
    TNovaFooter *footer = pop->Footer();
    const QPoint grip = footer->mapTo(pop, QPoint(footer->width() - 4, footer->height() - 4));
    QTest::mousePress(pop->windowHandle(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(pop->windowHandle(), grip + QPoint(30, 20));
    QTest::mouseRelease(pop->windowHandle(), Qt::LeftButton, {}, grip + QPoint(30, 20));
    EXPECT_EQ(pop->size(), QSize(200, 126));
    dd->HideDropDown(false);
    showNow();
    EXPECT_EQ(pop->size(), QSize(200, 126)) << "reopens with the user's size";
    dd->HideDropDown(false);
    dd->SetDropDownHeight(150);
    showNow();
    EXPECT_EQ(pop->size(), QSize(200, 150)) << "the new height, the user's width";
    // Aligned: header at the top, footer at the bottom, the control between, inside the frame.
    EXPECT_EQ(pop->Header()->geometry(), QRect(1, 1, 198, 22));
    EXPECT_EQ(pop->Footer()->geometry(), QRect(1, 150 - 1 - 22, 198, 22));
    EXPECT_EQ(inner->geometry(), QRect(1, 23, 198, 150 - 2 - 44));
}

TEST_F(DropDownEdit, PlacementOnTheScreen)
{
    const QSize pop(200, 100);
    struct Row {
        QPoint P;
        TDropPosition pos;
        QRect work;
        QPoint expected;
        const char *what;
    } rows[] = {
        {{50, 100}, dpAuto, {0, 0, 800, 560}, {50, 120}, "below: top + edit height - 1"},
        {{50, 500}, dpAuto, {0, 0, 800, 560}, {50, 400}, "P.y + height reaches the screen: above"},
        {{50, 500}, dpDown, {0, 0, 800, 560}, {50, 520}, "dpDown: below even off the screen"},
        {{50, 100}, dpUp, {0, 0, 800, 560}, {50, 0}, "dpUp"},
        {{700, 100}, dpAuto, {0, 0, 800, 560}, {600, 120}, "moved left to the work area's right edge"},
        {{700, 100}, dpAuto, {-300, 0, 1100, 560}, {700, 120}, "a work area left of 0: no correction"},
        {{850, 100}, dpAuto, {0, 0, 800, 560}, {850, 120}, "left edge beyond the work area: none either"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(DropDownPlacement(r.P, 21, pop, r.pos, 600, r.work), r.expected) << r.what;

    // Live, near the bottom of the screen.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    form->move(0, screen.height() - 120);
    QApplication::processEvents();
    dd->SetDropDownHeight(100);
    dd->ShowDropDown();
    const QPoint P = form->mapToGlobal(dd->pos());
    EXPECT_EQ(dd->DropDownForm()->y(), P.y() - 100);
    dd->HideDropDown(false);
    dd->SetDropPosition(dpDown);
    dd->ShowDropDown();
    EXPECT_EQ(dd->DropDownForm()->y(), P.y() + dd->height() - 1);
}

TEST_F(DropDownEdit, LabelAtEveryPosition)
{
    dd->SetBounds(100, 50, 150, 21);
    EXPECT_EQ(dd->height(), 21);
    dd->SetLabelMargin(4);
    dd->SetLabelCaption("&Value:");
    QLabel *l = dd->Label();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->buddy(), dd) << "read with the edit";
    EXPECT_EQ(l->parentWidget(), form.get());
    const int L = 100, T = 50, W = 150, H = dd->height(), m = 4;
    const int w = QFontMetrics(l->font()).horizontalAdvance("Value:");
    const int lw = l->width(), lh = l->height();
    struct Row {
        TLabelPosition pos;
        QPoint at;
    } rows[] = {
        {lpLeftTop, {L - w - m, T}},
        {lpLeftCenter, {L - w - m, T + (H - lh) / 2}},
        {lpLeftBottom, {L - w - m, T + H - lh}},
        {lpTopLeft, {L, T - lh - m}},
        {lpBottomLeft, {L, T + H + m}},
        {lpLeftTopLeft, {L - m, T}},
        {lpLeftCenterLeft, {L - m, T + (H - lh) / 2}},
        {lpLeftBottomLeft, {L - m, T + H - lh}},
        {lpTopCenter, {L + (W - lw) / 2, T - lh - m}},
        {lpBottomCenter, {L + (W - lw) / 2, T + H + m}},
        {lpRightTop, {L + W + m, T}},
        {lpRightCenter, {L + W + m, T + (H - lh) / 2}},
        {lpRighBottom, {L + W + m, T + H - lh}},
        {lpTopRight, {L + W - lw, T - lh - m}},
        {lpBottomRight, {L + W - lw, T + H + m}},
    };
    for (const Row &r : rows) {
        dd->SetLabelPosition(r.pos);
        EXPECT_EQ(l->pos(), r.at) << int(r.pos);
    }
    dd->SetLabelPosition(lpLeftCenter);
    EXPECT_EQ(l->pos(), QPoint(96 - w, 50 + (21 - lh) / 2));
    dd->SetBounds(120, 80, 150, 21);
    EXPECT_EQ(l->pos(), QPoint(116 - w, 80 + (21 - lh) / 2)) << "follows the edit";

    int clicks = 0, doubles = 0;
    dd->OnLabelClick = [&](QObject *s) { clicks += s == dd; };
    dd->OnLabelDblClick = [&](QObject *) { ++doubles; };
    QTest::mouseClick(win(), Qt::LeftButton, {}, l->geometry().center());
    QTest::mouseDClick(win(), Qt::LeftButton, {}, l->geometry().center());
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(doubles, 1);
    dd->hide();
    EXPECT_FALSE(l->isVisible());
    dd->show();
    EXPECT_TRUE(l->isVisible());
}

TEST_F(DropDownEdit, ButtonAndTextLayout)
{
    TDropDownEditButton *b = dd->Button();
    EXPECT_EQ(b->width(), 16) << "starts 16 wide";
    EXPECT_EQ(b->geometry(), QRect(150 - 16 - 2, 2, 16, 21 - 4)) << "inside the 3-D border";
    dd->SetDropDownButtonWidth(20);
    EXPECT_EQ(b->geometry(), QRect(150 - 20 - 2, 2, 20, 21 - 4));
    const QRect client = dd->ClientRect();
    EXPECT_EQ(dd->GetEditRect(), QRect(QPoint(1, 1), QPoint(client.width() - 20 - 3 - 1, client.height())));
    dd->SetBounds(100, 50, 150, 5);
    EXPECT_EQ(dd->height(), dd->GetMinHeight()) << "never lower than the font asks";
    EXPECT_EQ(dd->Version(), "1.2.1.4");
    dd->SetVersion("9.9");
    EXPECT_EQ(dd->Version(), "1.2.1.4");
}

TEST_F(DropDownEdit, FocusStaysWhileThePopUpHasTheKeyboard)
{
    int exits = 0, enters = 0;
    dd->OnExit = [&](QObject *) { ++exits; };
    dd->OnEnter = [&](QObject *) { ++enters; };
    key(Qt::Key_F4);
    ASSERT_TRUE(open());
    key(Qt::Key_Escape);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(enters, 0);
    EXPECT_TRUE(dd->hasFocus());
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(exits, 1);
}

TEST_F(DropDownEdit, SelectionBackgroundAndFrames)
{
    struct Row {
        TSelectionColorStyle style;
        TColor color, colorTo, edge, corner;
    } rows[] = {
        {scOffice2007, 0xD7FFFD, 0x58D4FC, 0x8DD7D3, 0xC3D9DF},
        {scWindowsVista, 0xFDF8F1, 0xFCEFD5, 0xFDDE99, 0xFCEDCB},
        {scWindows7, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xE0C5AE},
    };
    for (const Row &r : rows) {
        dd->SetSelectionColorStyle(r.style);
        EXPECT_EQ(dd->SelectionColor(), r.color);
        EXPECT_EQ(dd->SelectionColorTo(), r.colorTo);
        TRecordingCanvas c;
        dd->DrawSelectionBackground(c, Rect(0, 0, 40, 20), 0, clRed);
        const auto pixels = c.OfKind(TCanvasOp::Pixel);
        ASSERT_FALSE(pixels.empty());
        bool backCorner = false, corner = false;
        for (const auto &p : pixels) {
            backCorner |= p.color == clRed;
            corner |= p.color == r.corner;
        }
        EXPECT_TRUE(backCorner && corner) << int(r.style);
        bool edge = false;
        for (const auto &op : c.OfKind(TCanvasOp::Line)) edge |= op.pen.Color == r.edge;
        EXPECT_TRUE(edge) << int(r.style);
    }
    dd->SetSelectionColorStyle(scCustom);
    EXPECT_EQ(dd->SelectionColor(), 0xFCEBDCu) << "scCustom keeps the colours";
    dd->SetSelectionColor(clLime);
    TRecordingCanvas c;
    dd->DrawSelectionBackground(c, Rect(0, 0, 40, 20), 0, clRed);
    ASSERT_EQ(c.Count(TCanvasOp::Rectangle), 1);
    EXPECT_EQ(c.Ops.back().brush.Color, clLime);

    // Frames over the edit: the border colour, the focus colour while focused.
    dd->SetBorderColor(RGBColor(255, 0, 0));
    EXPECT_EQ(QColor(dd->grab().toImage().pixel(0, 10)), QColor(255, 0, 0));
    dd->SetFocusBorderColor(RGBColor(0, 0, 255));
    dd->setFocus();
    dd->update();
    EXPECT_EQ(QColor(dd->grab().toImage().pixel(0, 10)), QColor(0, 0, 255));
}

TEST_F(DropDownEdit, AssignAndStoredStyles)
{
    TestDropDown src;
    src.SetDropDownColor(clRed);
    src.SetDropDownWidth(333);
    src.SetDropPosition(dpUp);
    src.SetDropDownButtonWidth(25);
    src.SetEditorEnabled(false);
    src.DropDownHeader().SetCaption("Copied");
    src.ButtonAppearance().SetColorHot(clAqua);
    src.SetSelectionColorStyle(scWindows7);
    dd->Assign(src);
    EXPECT_EQ(dd->DropDownColor(), clRed);
    EXPECT_EQ(dd->DropDownWidth(), 333);
    EXPECT_EQ(dd->DropPosition(), dpUp);
    EXPECT_EQ(dd->Button()->width(), 25);
    EXPECT_FALSE(dd->EditorEnabled());
    EXPECT_EQ(dd->DropDownHeader().Caption(), "Copied");
    EXPECT_EQ(dd->ButtonAppearance().ColorHot(), clAqua);
    EXPECT_EQ(dd->SelectionColor(), 0xFCEBDCu);

    platform::StreamRecord rec;
    src.SetComponentStyle(tsWindows7);
    src.DefineProperties(rec);
    ASSERT_NE(rec.find("SelectionColorStyle"), nullptr);
    EXPECT_EQ(rec.find("NovaStyle")->integer, int(tsWindows7));
    dd->SetSelectionColor(clLime);
    dd->ReadDefinedProperties(rec);
    EXPECT_EQ(dd->SelectionColorStyle(), scWindows7);
    EXPECT_EQ(dd->GetComponentStyle(), tsWindows7);
    EXPECT_EQ(dd->SelectionColor(), clLime) << "read back without applying the preset";
}
