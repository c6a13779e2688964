// Pictures of an open pop-up with header, footer buttons and grip, in two looks, taken from a
// virtual X screen (QScreen::grabWindow(0)) for a person to look at. On the offscreen platform the
// test skips itself; the pictures land in /tmp.
#include "dropdown/DropDownBars.h"
#include "dropdown/DropDownForm.h"
#include "dropdown/NovaDropDown.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ShownDropDown : public TNovaCustomDropDown {
public:
    using TNovaCustomDropDown::TNovaCustomDropDown;
    using TNovaCustomDropDown::SetControl;
};

QImage shotOf(TNovaStyle style, const QString &file)
{
    QWidget form;
    form.setWindowTitle("Drop-down");
    form.setGeometry(40, 40, 420, 320);
    auto *dd = new ShownDropDown(&form);
    dd->SetBounds(110, 30, 180, 21);
    dd->SetLabelCaption("Value:");
    dd->SetText("12.50");
    dd->SetComponentStyle(style);
    dd->DropDownHeader().SetCaption("<b>Choose</b> a value");
    dd->DropDownHeader().Buttons().Add()->SetCaption("Clear");
    TFooterButton *ok = dd->DropDownFooter().Buttons().Add();
    ok->SetCaption("OK");
    ok->SetModalResult(1);
    TFooterButton *cancel = dd->DropDownFooter().Buttons().Add();
    cancel->SetCaption("Cancel");
    cancel->SetModalResult(2);
    auto *inner = new QLabel("The inner control\nof a descendant");
    inner->setAlignment(Qt::AlignCenter);
    inner->resize(240, 110);
    dd->SetControl(inner);
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    dd->setFocus();
    dd->ShowDropDown();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    QTest::qWait(200);
    const QImage img = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    img.save(file);
    // The pop-up and the edit three times larger, for a close look.
    const QRect around = dd->DropDownForm()->geometry().united(QRect(form.mapToGlobal(QPoint(40, 20)), dd->size())).adjusted(-10, -10, 10, 10);
    QString large = file;
    large.replace(QLatin1String(".png"), QLatin1String("_x3.png"));
    img.copy(around).scaled(around.size() * 3).save(large);
    dd->HideDropDown(false);
    return img;
}

} // namespace

TEST(DropDownShots, PopUpInTwoLooks)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "pictures are taken on a virtual X screen";
    for (const auto &[style, file] : {std::pair{tsOffice2007Luna, "/tmp/dropdown_luna.png"},
                                      std::pair{tsWindows7, "/tmp/dropdown_windows7.png"}}) {
        const QImage img = shotOf(style, QString::fromLatin1(file));
        ASSERT_FALSE(img.isNull());
        // The header's gradient starts at the pop-up's top-left inside its frame.
        EXPECT_GT(img.width(), 300);
    }
}
