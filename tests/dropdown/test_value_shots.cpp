// Pictures of the open track bar, memo and calculator drop-downs in two looks, taken from a virtual
// X screen (QScreen::grabWindow(0)) for a person to look at. On the offscreen platform the test
// skips itself; the pictures land in /tmp, each also three times larger around the pop-up.
#include "dropdown/DropDownForm.h"
#include "dropdown/NovaCalculatorDropDown.h"
#include "dropdown/NovaMemoDropDown.h"
#include "dropdown/NovaTrackBarDropDown.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

namespace {

bool onX() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

void shotOf(const QString &name, TNovaStyle style, const std::function<TNovaCustomDropDown *(QWidget *)> &make)
{
    QWidget form;
    form.setWindowTitle("Value");
    form.setGeometry(40, 40, 460, 360);
    TNovaCustomDropDown *dd = make(&form);
    dd->SetComponentStyle(style);
    dd->SetBounds(110, 30, 200, std::max(22, dd->height()));
    dd->SetLabelCaption("Value:");
    dd->SetLabelPosition(lpLeftCenter);
    dd->SetLabelMargin(6);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    dd->setFocus();
    dd->ShowDropDown();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    QTest::qWait(250);
    const QImage img = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    ASSERT_FALSE(img.isNull());
    img.save(QStringLiteral("/tmp/value_%1.png").arg(name));
    const QRect around = dd->DropDownForm()->geometry()
                             .united(QRect(form.mapToGlobal(QPoint(40, 30)), QSize(280, dd->height())))
                             .adjusted(-10, -10, 10, 10);
    img.copy(around).scaled(around.size() * 3).save(QStringLiteral("/tmp/value_%1_x3.png").arg(name));
    dd->HideDropDown(false);
}

const std::pair<TNovaStyle, const char *> kStyles[] = {{tsOffice2007Luna, "luna"}, {tsWindows7, "windows7"}};

} // namespace

TEST(ValueShots, TrackBar)
{
    if (!onX()) GTEST_SKIP() << "pictures are taken on a virtual X screen";
    for (const auto &[style, look] : kStyles)
        shotOf(QStringLiteral("trackbar_%1").arg(look), style, [](QWidget *form) {
            auto *dd = new TNovaTrackBarDropDown(form);
            dd->SetMax(20);
            dd->SetPosition(13);
            return dd;
        });
}

TEST(ValueShots, Memo)
{
    if (!onX()) GTEST_SKIP() << "pictures are taken on a virtual X screen";
    for (const auto &[style, look] : kStyles)
        shotOf(QStringLiteral("memo_%1").arg(look), style, [](QWidget *form) {
            auto *dd = new TNovaMemoDropDown(form);
            dd->SetEditorEnabled(false);
            dd->DropDownHeader().SetCaption("<b>Notes</b>");
            dd->SetMemoScrollBars(ssVertical);
            dd->SetMemoText({"Pressure sensor on port 2", "Mounted on the return line", "Check every 6 months"});
            return dd;
        });
}

TEST(ValueShots, Calculator)
{
    if (!onX()) GTEST_SKIP() << "pictures are taken on a virtual X screen";
    for (const auto &[style, look] : kStyles)
        shotOf(QStringLiteral("calculator_%1").arg(look), style, [](QWidget *form) {
            auto *dd = new TNovaCalculatorDropdown(form);
            dd->SetShowThousandSeparator(true);
            dd->SetValue(12345.5L);
            return dd;
        });
}
