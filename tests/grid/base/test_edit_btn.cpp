// Edit with a button and the unit edit: button placement and clicks, F4, typing rules, units.
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QClipboard>

#include "grid/base/EditBtn.h"
#include "test_editors_support.h"

using namespace editorkit;
using editortest::EditorTest;

namespace {

class EditBtnTest : public EditorTest {};

// Picks the n-th item (from 1) of the next pop-up menu by keys; 0 closes it with Escape.
void pickNextMenuItem(int n, QStringList *seen = nullptr, QPoint *where = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) return;
        if (seen)
            for (QAction *a : menu->actions()) seen->append(a->text());
        if (where) *where = menu->pos();
        if (n == 0) {
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        for (int i = 0; i < n; ++i) QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

} // namespace

TEST_F(EditBtnTest, DefaultsAndButtonPlacement)
{
    TNsgEditBtn e;
    e.show();
    EXPECT_EQ(e.text(), "0");
    EXPECT_EQ(e.ButtonWidth(), 0);
    EXPECT_EQ(e.Button()->width(), 18);
    EXPECT_TRUE(e.EditorEnabled());
    EXPECT_FALSE(e.RightAlign());
    e.resize(150, 30);
    QRect b = e.Button()->geometry();
    EXPECT_EQ(b, QRect(150 - 18 - 3, 2, 18, 25));
    EXPECT_EQ(e.Button()->Button()->geometry(), QRect(0, 0, 18, 25)) << "the button fills its holder";
    EXPECT_LE(e.EditRect().right(), b.left() - 4);
    e.SetButtonWidth(30);
    EXPECT_EQ(e.Button()->geometry(), QRect(150 - 30 - 3, 2, 30, 25));
    e.SetBorderStyle(bsNone);
    EXPECT_EQ(e.Button()->geometry(), QRect(150 - 30 - 1, 0, 30, 29));
    e.resize(150, 2);
    EXPECT_EQ(e.height(), e.MinHeight());
}

TEST_F(EditBtnTest, ButtonClickFiresWithHolderAndFocusesEdit)
{
    QWidget form;
    auto *e = new TNsgEditBtn(&form);
    auto *other = new QLineEdit(&form);
    other->move(0, 50);
    showActive(other);
    QObject *sender = nullptr;
    int clicks = 0;
    e->OnClickBtn = [&](QObject *s) { sender = s; ++clicks; };
    QTest::mouseClick(e->Button()->Button(), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, e->Button());
    EXPECT_TRUE(e->hasFocus());
    // Released outside the button: the click still fires.
    QTest::mousePress(e->Button()->Button(), Qt::LeftButton);
    QTest::mouseRelease(e->Button()->Button(), Qt::LeftButton, {}, QPoint(-40, 60));
    EXPECT_EQ(clicks, 2);
    // Right button does nothing.
    QTest::mouseClick(e->Button()->Button(), Qt::RightButton);
    EXPECT_EQ(clicks, 2);
}

TEST_F(EditBtnTest, ColouredButtonShowsNormalHotAndDownStates)
{
    TNsgEditButton holder;
    holder.ButtonColor = RGBColor(200, 0, 0);
    holder.ButtonColorHot = RGBColor(0, 200, 0);
    holder.ButtonColorDown = RGBColor(0, 0, 200);
    holder.show();
    TNovaSpeedButton *b = holder.Button();
    auto at = [&] { return QColor(b->grab().toImage().pixel(3, 3)); };
    EXPECT_EQ(at(), QColor(200, 0, 0));
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(b, &enter);
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(at(), QColor(0, 200, 0));
    QTest::mousePress(b, Qt::LeftButton);
    EXPECT_EQ(at(), QColor(0, 0, 200));
    QTest::mouseRelease(b, Qt::LeftButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    EXPECT_FALSE(b->Hot());
    EXPECT_EQ(at(), QColor(200, 0, 0));
}

TEST_F(EditBtnTest, F4PressesTheButtonUnlessCtrlOrAlt)
{
    TNsgEditBtn e;
    QObject *sender = nullptr;
    int clicks = 0;
    e.OnClickBtn = [&](QObject *s) { sender = s; ++clicks; };
    QTest::keyClick(&e, Qt::Key_F4);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, &e);
    QTest::keyClick(&e, Qt::Key_F4, Qt::ControlModifier);
    QTest::keyClick(&e, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(&e, Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(clicks, 2);
}

TEST_F(EditBtnTest, EditorDisabledDropsCharactersSilently)
{
    TNsgEditBtn e;
    e.setText("ab");
    e.setCursorPosition(2);
    e.SetEditorEnabled(false);
    QTest::keyClicks(&e, "xy");
    QTest::keyClick(&e, Qt::Key_Backspace);
    EXPECT_EQ(e.text(), "ab");
    QApplication::clipboard()->setText("zz");
    QTest::keyClick(&e, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(e.text(), "ab");
    EXPECT_EQ(beeps, 0);
    e.SetEditorEnabled(true);
    QTest::keyClicks(&e, "c");
    EXPECT_EQ(e.text(), "abc");
    e.setReadOnly(true);
    QTest::keyClick(&e, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(e.text(), "abc");
    e.setReadOnly(false);
    QTest::keyClick(&e, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(e.text(), "abczz");
}

TEST_F(EditBtnTest, KeyHooksSeeKeysInPlatformOrder)
{
    TNsgEditBtn e;
    e.setText("");
    QStringList log;
    e.OnKeyDown = [&](QObject *, int &key, Qt::KeyboardModifiers) {
        log << QStringLiteral("down %1").arg(key);
        if (key == Qt::Key_Q) key = 0; // swallowed before any character
    };
    e.OnKeyPress = [&](QObject *, QChar &ch) {
        log << QStringLiteral("press %1").arg(ch);
        if (ch == QLatin1Char('a')) ch = QLatin1Char('b');
    };
    QTest::keyClick(&e, Qt::Key_A);
    QTest::keyClick(&e, Qt::Key_Q);
    EXPECT_EQ(e.text(), "b");
    EXPECT_EQ(log, (QStringList{QStringLiteral("down %1").arg(int(Qt::Key_A)), "press a",
                                QStringLiteral("down %1").arg(int(Qt::Key_Q))}));
}

TEST_F(EditBtnTest, TextAndUnitSplitsTrailingUnit)
{
    TNsgUnitEditBtn e;
    EXPECT_TRUE(e.RightAlign());
    EXPECT_EQ(e.UnitSpace(), 20);
    e.SetUnits({"m", "mm"});
    struct Case { const char *in; const char *text; const char *unit; } cases[] = {
        {"5 mm", "5 ", "mm"},  // "m" first occurs inside "mm", not at the end
        {"12m", "12", "m"},
        {"7 km", "7 k", "m"},
        {"12", "7 k", "m"},    // no unit: nothing changes
    };
    for (const auto &c : cases) {
        e.SetTextAndUnit(QString::fromLatin1(c.in));
        EXPECT_EQ(e.text(), QString::fromLatin1(c.text)) << c.in;
        EXPECT_EQ(e.UnitID(), QString::fromLatin1(c.unit)) << c.in;
    }
    EXPECT_EQ(e.TextAndUnit(), "7 km");

    TNsgUnitEditBtn none;
    none.setText("x");
    none.SetTextAndUnit("12");
    EXPECT_EQ(none.text(), "x");
    EXPECT_EQ(none.UnitID(), "");
}

TEST_F(EditBtnTest, UnitMenuChoosesUnitAndReportsChanges)
{
    TNsgUnitEditBtn e;
    e.resize(160, 26);
    showActive(&e);
    e.SetUnits({"mm", "cm", "m"});
    e.SetUnitID("mm");
    QStringList changes;
    int btnClicks = 0;
    QObject *btnSender = nullptr;
    e.OnUnitChanged = [&](QObject *s, const QString &u) {
        EXPECT_EQ(s, &e);
        changes << u;
    };
    e.OnClickBtn = [&](QObject *s) { btnSender = s; ++btnClicks; };

    QStringList items;
    QPoint at;
    pickNextMenuItem(2, &items, &at);
    QTest::mouseClick(e.Button()->Button(), Qt::LeftButton);
    EXPECT_EQ(items, (QStringList{"mm", "cm", "m"}));
    EXPECT_EQ(btnClicks, 1);
    EXPECT_EQ(btnSender, &e) << "the unit edit fires with itself as sender";
    EXPECT_EQ(e.UnitID(), "cm");
    EXPECT_EQ(changes, QStringList{"cm"});
    EXPECT_EQ(at, e.UnitMenuPoint());

    pickNextMenuItem(2); // the same unit again: no change event
    QTest::keyClick(&e, Qt::Key_F4);
    EXPECT_EQ(e.UnitID(), "cm");
    EXPECT_EQ(changes.size(), 1);

    pickNextMenuItem(0); // closed without a choice
    QTest::keyClick(&e, Qt::Key_F4);
    EXPECT_EQ(e.UnitID(), "cm");

    e.UnitMenuCommand(0);
    e.UnitMenuCommand(4);
    EXPECT_EQ(e.UnitID(), "cm");
    e.UnitMenuCommand(3);
    EXPECT_EQ(changes, (QStringList{"cm", "m"}));
}

TEST_F(EditBtnTest, UnitAreaSitsBetweenTextAndButton)
{
    TNsgUnitEditBtn e;
    e.show();
    e.resize(160, 26);
    const QRect unit = e.UnitRect();
    const QRect btn = e.Button()->geometry();
    EXPECT_EQ(unit.width(), 20);
    EXPECT_EQ(unit.right() + 1, e.ClientRect().left() + e.ClientRect().width() - (btn.width() + 3));
    EXPECT_LT(e.EditRect().right(), unit.left());
    e.SetUnitSpace(40);
    EXPECT_EQ(e.UnitRect().width(), 40);
    EXPECT_LT(e.EditRect().right(), e.UnitRect().left());
}

TEST_F(EditBtnTest, EditMaskTakesThePlatformThreePartForm)
{
    TNsgEditBtn e;
    e.SetEditMask(QStringLiteral("99/99/0000;1;_"));
    EXPECT_EQ(e.EditMask(), QStringLiteral("99/99/0000;1;_")) << "reads back as set";
    showActive(&e);
    e.setCursorPosition(0);
    QTest::keyClicks(&e, QStringLiteral("12312024"));
    EXPECT_EQ(e.text(), QStringLiteral("12/31/2024")) << "no typed 1 taken for the blank";
    EXPECT_EQ(e.displayText(), QStringLiteral("12/31/2024"));
    e.clear();
    EXPECT_EQ(e.displayText(), QStringLiteral("__/__/____")) << "the third part is the blank";

    // The separators of the mask are the locale's; required and optional digits swap letters.
    useSettings(editortest::germanSettings());
    e.SetEditMask(QStringLiteral("!90:00;0;*"));
    EXPECT_EQ(e.EditMask(), QStringLiteral("!90:00;0;*"));
    EXPECT_EQ(e.displayText(), QStringLiteral("**:**"));
}

TEST(EditMask, TranslationTable)
{
    platform::ScopedFormatSettings fs(editortest::usSettings());
    struct Case { const char *mask; const char *qt; };
    const Case cases[] = {
        {"", ""},
        {"99/99/0000;1;_", "00/00/9999;_"},
        {"00:00", "99:99;_"},
        {">LL<ll<>Aa", ">AA<aa!Nn;_"},
        {"Cc#", "Xx#;_"},
        {"!000", "999;_"},
        {"\\0\\9_0", "\\0\\9 9;_"},        // escaped literals stay literal, _ is a blank literal
        {"(000) 000-0000;0;*", "(999) 999-9999;*"},
        {"NXDHB[]{}", "\\N\\X\\D\\H\\B\\[\\]\\{\\};_"}, // Qt mask letters are literals here
        {"0\\;0;1; ", "9\\;9; "},               // an escaped semicolon belongs to the mask
    };
    for (const Case &c : cases)
        EXPECT_EQ(qtInputMask(QString::fromLatin1(c.mask)), QString::fromLatin1(c.qt)) << c.mask;
}

TEST_F(EditBtnTest, Screenshot)
{
    QWidget form;
    form.setAutoFillBackground(true);
    form.resize(360, 110);
    auto *a = new TNsgEditBtn(&form);
    a->setGeometry(10, 10, 160, 22);
    a->setText("C:/data/file.xml");
    a->SetButtonCaption("...");
    auto *b = new TNsgEditBtn(&form);
    b->setGeometry(190, 10, 160, 22);
    b->setText("coloured");
    b->SetButtonCaption("...");
    b->Button()->ButtonColor = RGBColor(210, 225, 250);
    auto *c = new TNsgUnitEditBtn(&form);
    c->setGeometry(10, 45, 160, 22);
    c->SetUnits({"mm", "cm", "m"});
    c->SetTextAndUnit("125mm");
    c->SetUnitSpace(26); // room for "mm" in this font
    c->SetButtonCaption("...");
    auto *d = new TNsgEditBtn(&form);
    d->setGeometry(190, 45, 160, 22);
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(QColor(128, 128, 0));
    for (int i = 0; i < 8; ++i) glyph.setPixel(i, i, qRgb(0, 0, 160)), glyph.setPixel(7 - i, i, qRgb(0, 0, 160));
    glyph.setPixel(0, 7, qRgb(128, 128, 0));
    d->SetGlyph(glyph);
    d->setText("glyph");
    auto *f = new TNsgEditBtn(&form);
    f->setGeometry(10, 80, 160, 22);
    f->SetButtonCaption("...");
    f->setEnabled(false);
    form.show();
    QApplication::processEvents();
    saveShot(&form, QStringLiteral("edit_btn"));
    // The unit is painted left of the button: dark text pixels in the unit area.
    const QImage img = c->grab().toImage();
    const QRect ur = c->UnitRect();
    int dark = 0;
    for (int y = ur.top(); y <= ur.bottom(); ++y)
        for (int x = ur.left(); x <= ur.right(); ++x)
            if (qGray(img.pixel(x * img.width() / c->width(), y * img.height() / c->height())) < 100) ++dark;
    EXPECT_GT(dark, 5);
}
