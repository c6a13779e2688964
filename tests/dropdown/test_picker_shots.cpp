// Pictures of the open pickers taken from a virtual X screen (QScreen::grabWindow(0)) for a person
// to look at: the colour picker in its four styles, the image picker, the detail list with notes
// and the time picker in three watch styles. On the offscreen platform the test skips itself; the
// pictures land in /tmp, each also three times larger around the pop-up.
#include "dropdown/DropDownForm.h"
#include "dropdown/NovaColorPickerDropDown.h"
#include "dropdown/NovaDetailDropDown.h"
#include "dropdown/NovaImagePickerDropDown.h"
#include "dropdown/NovaTimePickerDropDown.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>

namespace {

bool onX()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// A window with one picker, the picker opened, the screen saved.
QImage shotOf(const QString &name, const std::function<TNovaCustomDropDown *(QWidget *)> &make)
{
    QWidget form;
    form.setWindowTitle("Picker");
    form.setGeometry(40, 40, 460, 380);
    TNovaCustomDropDown *dd = make(&form);
    dd->SetBounds(110, 30, 200, std::max(22, dd->height()));
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    dd->setFocus();
    dd->ShowDropDown();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dd->DropDownForm()));
    QTest::qWait(250);
    const QImage img = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QString file = QStringLiteral("/tmp/picker_%1.png").arg(name);
    img.save(file);
    const QRect around = dd->DropDownForm()->geometry()
                             .united(QRect(form.mapToGlobal(QPoint(110, 30)), dd->size()))
                             .adjusted(-10, -10, 10, 10);
    img.copy(around).scaled(around.size() * 3).save(QStringLiteral("/tmp/picker_%1_x3.png").arg(name));
    dd->HideDropDown(false);
    return img;
}

QImage swatch(QColor c, int w, int h, const QString &mark)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(c);
    p.setPen(c.darker());
    p.drawEllipse(1, 1, w - 3, h - 3);
    p.setPen(Qt::white);
    p.drawText(img.rect(), Qt::AlignCenter, mark);
    return img;
}

TMarkupImageList icons()
{
    TMarkupImageList l;
    l.Width = l.Height = 24;
    const QColor colours[] = {Qt::red, QColor(0, 140, 0), Qt::blue, QColor(200, 120, 0), Qt::darkCyan, Qt::magenta};
    int i = 0;
    for (const QColor &c : colours) l.Images.push_back(swatch(c, 24, 24, QString::number(++i)));
    return l;
}

} // namespace

TEST(PickerShots, ColourPickerInItsFourStyles)
{
    if (!onX()) GTEST_SKIP() << "pictures are taken on a virtual X screen";
    const std::pair<TColorSelectionStyle, const char *> styles[] = {
        {csList, "colour_list"}, {csDiscrete, "colour_boxes"}, {csColorCube, "colour_cube"}, {csSpectrum, "colour_spectrum"}};
    for (const auto &[style, name] : styles) {
        const QImage img = shotOf(QString::fromLatin1(name), [style](QWidget *form) {
            auto *dd = new TNovaColorPickerDropDown(form);
            dd->AddDefaultColors();
            dd->SetColorValueText(cvtHTML);
            dd->SetColorSelectionStyle(style);
            dd->SetSelectedColor(style == csList ? clRed : TColor(0xCC6633));
            return dd;
        });
        EXPECT_FALSE(img.isNull());
    }
}

TEST(PickerShots, ImagePicker)
{
    if (!onX()) GTEST_SKIP() << "pictures are taken on a virtual X screen";
    static const TMarkupImageList list = icons();
    shotOf("images", [](QWidget *form) {
        auto *dd = new TNovaImagePickerDropDown(form);
        dd->resize(200, 30); // room for the 24-pixel pictures
        dd->SetImages(&list);
        dd->SetColumns(3);
        dd->SetLayout(ilCaptionBottom);
        const char *names[] = {"Alarm", "Run", "Stop", "Warning", "Idle", "Service"};
        for (int i = 0; i < 6; ++i) {
            TImageItem *item = dd->Items().Add();
            item->SetImageIndex(i);
            item->SetCaption(QString::fromLatin1(names[i]));
        }
        dd->SetItemIndex(4);
        return dd;
    });
}

TEST(PickerShots, DetailListWithNotes)
{
    if (!onX()) GTEST_SKIP() << "pictures are taken on a virtual X screen";
    static const TMarkupImageList list = icons();
    shotOf("details", [](QWidget *form) {
        auto *dd = new TNovaDetailDropDown(form);
        dd->SetImages(&list);
        dd->SetItemHeight(44);
        dd->SetDropDownWidth(280);
        dd->SetDropDownHeight(200);
        TFont notes = dd->NotesFont();
        notes.Color = 0x606060;
        dd->SetNotesFont(notes);
        TFont caption = dd->CaptionFont();
        caption.Style = {fsBold};
        dd->SetCaptionFont(caption);
        const char *rows[][2] = {{"Pressure sensor", "Process data <b>16 bit</b>, events on"},
                                 {"Temperature probe", "Range -40 to <i>150</i> degrees"},
                                 {"Valve block", "Eight outputs, <font color=\"clRed\">no events</font>"},
                                 {"Light barrier", "Switching output, pin 4"},
                                 {"Flow meter", "Totaliser and flow rate"}};
        int i = 0;
        for (const auto &r : rows) {
            TDetailItem *item = dd->Items().Add();
            item->SetCaption(QString::fromLatin1(r[0]));
            item->SetNotes(QString::fromLatin1(r[1]));
            item->SetImageIndex(i++);
        }
        dd->SetItemIndex(1);
        return dd;
    });
}

TEST(PickerShots, TimePickerInThreeWatchStyles)
{
    if (!onX()) GTEST_SKIP() << "pictures are taken on a virtual X screen";
    const std::pair<TWatchStyle, const char *> styles[] = {
        {wsClassic, "time_classic"}, {wsTower, "time_tower"}, {wsBlueStar, "time_bluestar"}};
    for (const auto &[style, name] : styles) {
        shotOf(QString::fromLatin1(name), [style = style](QWidget *form) {
            auto *dd = new TNovaTimePickerDropDown(form);
            const TWatchStyleSwitches w = ApplyWatchStyle(dd->WatchAppearance(), style, 170, 170);
            if (w.ShowAMPM) dd->SetShowWatchAMPM(*w.ShowAMPM);
            if (w.ShowNumbers) dd->SetShowWatchNumbers(*w.ShowNumbers);
            dd->SetShowTimePicker(style == wsClassic);
            dd->SetTime(EncodeTime(10, 10, 30));
            return dd;
        });
    }
}
