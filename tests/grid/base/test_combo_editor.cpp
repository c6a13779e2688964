// Combo editor: look (frame, button, colours), label, item selection by keys and mouse,
// auto-completion and the drop-down events.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTest>

#include "grid/base/ComboEditor.h"
#include "test_editors_support.h"

using namespace editorkit;
using editortest::EditorTest;

namespace {

class ComboTest : public EditorTest {};

QColor pixelAt(QWidget *w, QPoint p)
{
    const QImage img = w->grab().toImage();
    return QColor(img.pixel(p.x() * img.width() / w->width(), p.y() * img.height() / w->height()));
}

// Pointer movement without buttons, delivered to the widget itself.
void hover(QWidget *w, QPoint p)
{
    QMouseEvent ev(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

} // namespace

TEST_F(ComboTest, Defaults)
{
    TNsgComboBox c;
    EXPECT_EQ(c.ButtonWidth(), c.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &c) + 2);
    EXPECT_EQ(c.DropDownCount(), 8);
    EXPECT_EQ(c.Style(), csDropDown);
    EXPECT_TRUE(c.isEditable());
    EXPECT_TRUE(c.AutoComplete());
    EXPECT_TRUE(c.DisabledBorder());
    EXPECT_TRUE(c.FlatParentColor());
    EXPECT_FALSE(c.Flat());
    EXPECT_EQ(c.LabelMargin(), 4);
    EXPECT_EQ(c.LabelPosition(), lpLeftTop);
    EXPECT_EQ(c.BorderColor(), clNone);
    EXPECT_EQ(c.Color(), clWindow);
    EXPECT_EQ(c.DropWidth(), 0);
    EXPECT_EQ(c.ComboLabel(), nullptr);
    EXPECT_FALSE(c.OwnPainting()) << "the default look is the platform's";
}

TEST_F(ComboTest, ButtonWidthAcceptsOnly14To32)
{
    TNsgComboBox c;
    c.SetButtonWidth(20);
    for (int w : {13, 33, 0, -1}) {
        c.SetButtonWidth(w);
        EXPECT_EQ(c.ButtonWidth(), 20) << w;
    }
    c.SetButtonWidth(14);
    EXPECT_EQ(c.ButtonWidth(), 14);
    c.SetButtonWidth(32);
    EXPECT_EQ(c.ButtonWidth(), 32);
}

TEST_F(ComboTest, SelectItemIgnoresLetterCase)
{
    TNsgComboBox c;
    c.SetStyle(csDropDownList);
    c.SetItems({"Alpha", "Beta", "Gamma"});
    c.SetItemIndex(0);
    c.SelectItem("bETA");
    EXPECT_EQ(c.ItemIndex(), 1);
    c.SelectItem("Delta");
    EXPECT_EQ(c.ItemIndex(), 1);
    c.SelectItem("Bet");
    EXPECT_EQ(c.ItemIndex(), 1) << "whole texts only";
}

TEST_F(ComboTest, DropWidthSetsListMinimumOnlyWhenPositive)
{
    TNsgComboBox c;
    const int before = c.view()->minimumWidth();
    c.SetDropWidth(0);
    EXPECT_EQ(c.view()->minimumWidth(), before);
    c.SetDropWidth(300);
    EXPECT_EQ(c.view()->minimumWidth(), 300);
}

TEST_F(ComboTest, LabelPlacementTable)
{
    const QRect c(100, 50, 80, 20);
    const QSize l(30, 14);
    const int tw = 28, m = 4;
    struct Case { TLabelPosition pos; QPoint at; } cases[] = {
        {lpLeftTop, {100 - 28 - 4, 50}},
        {lpLeftCenter, {68, 50 + 3}},
        {lpLeftBottom, {68, 50 + 20 - 14}},
        {lpTopLeft, {100, 50 - 14 - 4}},
        {lpBottomLeft, {100, 74}},
        {lpLeftTopLeft, {96, 50}},
        {lpLeftCenterLeft, {96, 53}},
        {lpLeftBottomLeft, {96, 56}},
        {lpTopCenter, {125, 32}},
        {lpBottomCenter, {125, 74}},
        {lpRightTop, {184, 50}},
        {lpRightCenter, {184, 53}},
        {lpRighBottom, {184, 56}},
        {lpTopRight, {150, 32}},
        {lpBottomRight, {150, 74}},
    };
    for (const auto &cs : cases) EXPECT_EQ(LabelPlacement(cs.pos, c, l, tw, m), cs.at) << int(cs.pos);
    // A label taller than the control sits (LH - H) div 2 above it.
    EXPECT_EQ(LabelPlacement(lpLeftCenter, QRect(0, 50, 80, 20), QSize(30, 25), 28, 4).y(), 50 - 2);
}

TEST_F(ComboTest, LabelFollowsComboPlacementStateAndFocus)
{
    QWidget form;
    form.resize(400, 200);
    auto *c = new TNsgComboBox(&form);
    c->setGeometry(120, 40, 150, 24);
    auto *other = new QLineEdit(&form);
    other->move(0, 150);
    form.show();
    c->SetLabelCaption("&Unit:");
    QLabel *l = c->ComboLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->parentWidget(), &form);
    EXPECT_EQ(l->buddy(), c);
    const int tw = QFontMetrics(l->font()).horizontalAdvance("Unit:");
    EXPECT_EQ(l->pos(), QPoint(120 - tw - 4, 40));
    c->SetLabelPosition(lpTopLeft);
    EXPECT_EQ(l->pos(), QPoint(120, 40 - l->height() - 4));
    c->move(130, 60);
    EXPECT_EQ(l->pos(), QPoint(130, 60 - l->height() - 4));
    c->SetLabelMargin(10);
    EXPECT_EQ(l->y(), 60 - l->height() - 10);

    c->SetEnabled(false);
    EXPECT_FALSE(l->isEnabled());
    c->SetEnabled(true);
    EXPECT_TRUE(l->isEnabled());
    c->SetLabelAlwaysEnabled(true);
    c->SetEnabled(false);
    EXPECT_TRUE(l->isEnabled());
    c->SetEnabled(true);

    EXPECT_TRUE(l->isVisible());
    c->SetVisible(false);
    EXPECT_FALSE(l->isVisible());
    c->SetVisible(true);

    c->setFont(QApplication::font()); // own font: the label takes LabelFont
    c->SetFocusLabel(true);
    showActive(c);
    EXPECT_TRUE(c->HasFocus());
    EXPECT_TRUE(l->font().bold());
    other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(l->font().bold());

    delete c;
    EXPECT_EQ(form.findChildren<QLabel *>().size(), 0) << "the combo owns its label";
}

TEST_F(ComboTest, FocusColourAndRestore)
{
    QWidget form;
    auto *c = new TNsgComboBox(&form);
    auto *other = new QLineEdit(&form);
    other->move(0, 60);
    c->SetColor(RGBColor(255, 255, 224));
    c->Init();
    c->SetFocusColor(RGBColor(200, 255, 200));
    showActive(c);
    EXPECT_EQ(c->Color(), RGBColor(200, 255, 200));
    other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(c->HasFocus());
    EXPECT_EQ(c->Color(), RGBColor(255, 255, 224));
}

TEST_F(ComboTest, PointerTracksControlAndButton)
{
    TNsgComboBox c;
    c.resize(150, 24);
    c.SetStyle(csDropDownList);
    c.show();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&c, &enter);
    EXPECT_TRUE(c.MouseInControl());
    const int bw = c.ButtonWidth();
    hover(&c, QPoint(150 - bw, 10));
    EXPECT_FALSE(c.ButtonHover()) << "strictly right of Width - ButtonWidth";
    hover(&c, QPoint(150 - bw + 1, 10));
    EXPECT_TRUE(c.ButtonHover());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&c, &leave);
    EXPECT_FALSE(c.MouseInControl());
    EXPECT_FALSE(c.ButtonHover());
}

TEST_F(ComboTest, AutoFocusTakesFocusOnEnter)
{
    QWidget form;
    auto *other = new QLineEdit(&form);
    auto *c = new TNsgComboBox(&form);
    c->move(0, 40);
    c->SetAutoFocus(true);
    showActive(other);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(c, &enter);
    QApplication::processEvents();
    EXPECT_TRUE(c->HasFocus());
}

TEST_F(ComboTest, ListStyleSelectsByKeys)
{
    TNsgComboBox c;
    c.SetStyle(csDropDownList);
    c.SetItems({"Apple", "Banana", "Cherry", "Blueberry"});
    c.SetItemIndex(0);
    int changes = 0;
    c.OnChange = [&](QObject *s) { EXPECT_EQ(s, &c); ++changes; };
    QTest::keyClick(&c, Qt::Key_Down);
    EXPECT_EQ(c.Text(), "Banana");
    QTest::keyClick(&c, Qt::Key_C);
    EXPECT_EQ(c.Text(), "Cherry") << "typing selects the item that starts with the letter";
    QTest::keyClick(&c, Qt::Key_Up);
    EXPECT_EQ(c.Text(), "Banana");
    EXPECT_EQ(changes, 3);
    // A key-down handler may swallow the key.
    c.OnKeyDown = [](QObject *, int &key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Down) key = 0;
    };
    QTest::keyClick(&c, Qt::Key_Down);
    EXPECT_EQ(c.Text(), "Banana");
}

TEST_F(ComboTest, EditableAutoCompletesTypedText)
{
    TNsgComboBox c;
    c.SetItems({"Apple", "Banana", "Apricot"});
    c.SetText("");
    showActive(&c);
    QTest::keyClicks(&c, "ba");
    EXPECT_EQ(c.Text(), "banana");
    EXPECT_EQ(c.lineEdit()->selectedText(), "nana") << "the completed tail is selected";
    QTest::keyClick(&c, Qt::Key_Return);

    TNsgComboBox off;
    off.SetAutoComplete(false);
    off.SetItems({"Apple", "Banana"});
    off.SetText("");
    showActive(&off);
    QTest::keyClicks(&off, "ba");
    EXPECT_EQ(off.Text(), "ba");
}

TEST_F(ComboTest, CharCaseTurnsTypedPastedAndSetTexts)
{
    struct Case {
        TEditCharCase charCase;
        const char *typed, *pasted, *set, *expectTyped, *expectPasted, *expectSet;
    };
    const Case cases[] = {
        {ecNormal, "aB", "cD", "Ef", "aB", "aBcD", "Ef"},
        {ecUpperCase, "aB", "cD", "Ef", "AB", "ABCD", "EF"},
        {ecLowerCase, "aB", "cD", "Ef", "ab", "abcd", "ef"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(int(k.charCase));
        TNsgComboBox c;
        c.SetAutoComplete(false);
        c.SetText("");
        c.SetCharCase(k.charCase);
        showActive(&c);
        QTest::keyClicks(&c, k.typed);
        EXPECT_EQ(c.Text(), k.expectTyped);
        QApplication::clipboard()->setText(QString::fromLatin1(k.pasted));
        c.lineEdit()->setCursorPosition(c.lineEdit()->text().size());
        QTest::keyClick(c.lineEdit(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(c.Text(), k.expectPasted);
        c.SetText(k.set);
        EXPECT_EQ(c.Text(), k.expectSet);
    }
    TNsgComboBox late;
    late.SetText("MiXed");
    late.SetCharCase(ecLowerCase);
    EXPECT_EQ(late.Text(), "mixed") << "switching the case turns the text already there";
}

TEST_F(ComboTest, ItemHeightSetsTheListRows)
{
    TNsgComboBox c;
    c.SetItems({"Apple", "Banana"});
    EXPECT_EQ(c.ItemHeight(), c.view()->sizeHintForRow(0)) << "by default the font decides";
    c.SetItemHeight(31);
    EXPECT_EQ(c.ItemHeight(), 31);
    EXPECT_EQ(c.view()->sizeHintForRow(1), 31);
    c.SetItemHeight(0);
    EXPECT_NE(c.view()->sizeHintForRow(0), 31);
}

TEST_F(ComboTest, MouseOpensListAndPicksItem)
{
    TNsgComboBox c;
    c.SetStyle(csDropDownList);
    c.SetItems({"One", "Two", "Three"});
    c.SetItemIndex(0);
    c.resize(150, 24);
    int drops = 0, ups = 0;
    c.OnDropDown = [&](QObject *) { ++drops; };
    c.OnDropUp = [&](QObject *s) {
        EXPECT_EQ(s, &c);
        EXPECT_FALSE(c.DroppedDown()) << "fired after the list closed";
        ++ups;
    };
    showActive(&c);
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(140, 12));
    ASSERT_TRUE(c.DroppedDown());
    EXPECT_EQ(drops, 1);
    QAbstractItemView *v = c.view();
    const QRect r = v->visualRect(v->model()->index(2, 0));
    // The list ignores a release that follows its opening within a double-click time.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, r.center());
    QApplication::processEvents();
    EXPECT_EQ(c.Text(), "Three");
    EXPECT_FALSE(c.DroppedDown());
    EXPECT_EQ(ups, 1);
}

TEST_F(ComboTest, OwnPaintingDecision)
{
    struct Case { bool flat; TColor button; TColor border; TColor focusBorder; bool vista; bool own; } cases[] = {
        {false, clNone, clNone, clNone, false, false},
        {true, clNone, clNone, clNone, false, true},
        {false, RGBColor(1, 2, 3), clNone, clNone, false, true},
        {false, clNone, RGBColor(1, 2, 3), clNone, false, true},
        {false, clNone, clNone, RGBColor(1, 2, 3), false, false}, // only while focused
        {true, clNone, clNone, clNone, true, false},          // Vista look without button colour
        {false, RGBColor(1, 2, 3), clNone, clNone, true, true},
    };
    for (const auto &c : cases) {
        TNsgComboBox box;
        box.SetFlat(c.flat);
        box.ButtonColor = c.button;
        box.SetBorderColor(c.border);
        box.SetFocusBorderColor(c.focusBorder);
        box.SetIsVista(c.vista);
        EXPECT_EQ(box.OwnPainting(), c.own) << c.flat << " " << c.button << " " << c.border << " " << c.vista;
    }
}

TEST_F(ComboTest, DrawingStatesShowInPixels)
{
    QWidget form;
    form.resize(300, 200);
    form.setAutoFillBackground(true);
    QPalette fp = form.palette();
    fp.setColor(QPalette::Window, QColor(248, 247, 237));
    form.setPalette(fp);

    auto *border = new TNsgComboBox(&form);
    border->setGeometry(10, 10, 150, 24);
    border->SetBorderColor(RGBColor(255, 0, 0));
    border->SetFocusBorderColor(RGBColor(0, 0, 255));

    auto *button = new TNsgComboBox(&form);
    button->setGeometry(10, 50, 150, 24);
    button->ButtonColor = RGBColor(0, 160, 0);
    button->ButtonColorHot = RGBColor(0, 200, 0);
    button->ButtonBorderColor = RGBColor(0, 0, 0);

    auto *flat = new TNsgComboBox(&form);
    flat->setGeometry(10, 90, 150, 24);
    flat->SetFlat(true);
    flat->SetFlatLineColor(RGBColor(0, 0, 255));

    auto *other = new QLineEdit(&form);
    other->setGeometry(10, 150, 100, 24);
    showActive(other);

    EXPECT_EQ(pixelAt(border, {0, 0}), QColor(255, 0, 0));
    EXPECT_EQ(pixelAt(border, {149, 23}), QColor(255, 0, 0));
    border->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(pixelAt(border, {0, 12}), QColor(0, 0, 255)) << "focus frame colour";

    const QRect br = button->ButtonRect();
    EXPECT_EQ(pixelAt(button, br.center() + QPoint(3, -5)), QColor(0, 160, 0));
    EXPECT_EQ(pixelAt(button, {br.left() - 1, br.center().y()}), QColor(0, 0, 0)) << "button border line";
    hover(button, br.center());
    ASSERT_TRUE(button->ButtonHover());
    EXPECT_EQ(pixelAt(button, br.center() + QPoint(3, -5)), QColor(0, 200, 0)) << "hot button";

    // Flat and not hot: outer frame in the parent's colour, a flat button face, the bottom line.
    EXPECT_EQ(flat->Color(), FromQColor(QColor(248, 247, 237))) << "flat takes the parent's colour";
    EXPECT_EQ(pixelAt(flat, {0, 5}), QColor(248, 247, 237));
    EXPECT_EQ(pixelAt(flat, {40, 23}), QColor(0, 0, 255));
    EXPECT_EQ(pixelAt(flat, {flat->width() - 4, 4}), flat->palette().color(QPalette::Button));
}

TEST_F(ComboTest, FlatLookDisabledTakesParentColourAndRestores)
{
    QWidget form;
    QPalette fp = form.palette();
    fp.setColor(QPalette::Window, QColor(10, 20, 30));
    form.setPalette(fp);
    auto *c = new TNsgComboBox(&form);
    c->SetFlatParentColor(false);
    c->SetFlat(true);
    c->SetColor(RGBColor(250, 250, 200));
    c->SetEnabled(false);
    EXPECT_EQ(c->Color(), RGBColor(10, 20, 30));
    c->SetEnabled(true);
    EXPECT_EQ(c->Color(), RGBColor(250, 250, 200));
}

TEST_F(ComboTest, LoadingKeepsLoadedColourAndRecordsNormalColour)
{
    QWidget form;
    auto *c = new TNsgComboBox(&form);
    c->BeginLoading();
    c->SetColor(RGBColor(1, 2, 3));
    c->SetFocusColor(RGBColor(9, 9, 9));
    c->SetDropWidth(250);
    c->Loaded();
    EXPECT_EQ(c->Color(), RGBColor(1, 2, 3));
    EXPECT_EQ(c->view()->minimumWidth(), 250);
    auto *other = new QLineEdit(&form);
    other->move(0, 50);
    showActive(c);
    EXPECT_EQ(c->Color(), RGBColor(9, 9, 9));
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(c->Color(), RGBColor(1, 2, 3));
}

TEST_F(ComboTest, Screenshot)
{
    QWidget form;
    form.setAutoFillBackground(true);
    QPalette fp = form.palette();
    fp.setColor(QPalette::Window, QColor(248, 247, 237));
    form.setPalette(fp);
    form.resize(420, 190);
    const QStringList items{"9600", "19200", "38400", "57600", "115200"};
    auto make = [&](int x, int y, const QString &label) {
        auto *c = new TNsgComboBox(&form);
        c->setGeometry(x, y, 120, 22);
        c->SetItems(items);
        c->SetText("19200");
        c->SetLabelCaption(label);
        return c;
    };
    make(80, 10, "Default:");
    auto *flat = make(280, 10, "Flat:");
    flat->SetFlat(true);
    auto *border = make(80, 50, "Border:");
    border->SetBorderColor(RGBColor(127, 157, 185));
    auto *button = make(280, 50, "Button:");
    button->ButtonColor = RGBColor(220, 230, 250);
    button->ButtonBorderColor = RGBColor(127, 157, 185);
    button->ButtonTextColor = RGBColor(40, 60, 120);
    auto *list = make(80, 90, "List:");
    list->SetStyle(csDropDownList);
    list->SetItemIndex(2);
    auto *dis = make(280, 90, "Disabled:");
    dis->SetFlat(true);
    dis->SetEnabled(false);
    auto *top = make(80, 150, "Above:");
    top->SetLabelPosition(lpTopLeft);
    top->SetBorderColor(RGBColor(0, 120, 215));
    form.show();
    QApplication::processEvents();
    saveShot(&form, QStringLiteral("combo_editor"));
    SUCCEED();
}
