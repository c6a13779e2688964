// Date picker editor control: values, field keys, calendar events, look, and the AutoTab base.
#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QTest>
#include <QStyle>

#include "grid/base/DatePicker.h"
#include "test_editors_support.h"

using namespace editorkit;
using editortest::EditorTest;

namespace {

class DatePickerTest : public EditorTest {};

QColor pixelAt(QWidget *w, QPoint p)
{
    const QImage img = w->grab().toImage();
    return QColor(img.pixel(p.x() * img.width() / w->width(), p.y() * img.height() / w->height()));
}

TDateTime dt(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return encodeDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

// Runs posted events, and the events they post in turn.
void pump()
{
    for (int i = 0; i < 4; ++i) QApplication::processEvents();
}

void hover(QWidget *w, QPoint p)
{
    QMouseEvent ev(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

} // namespace

TEST_F(DatePickerTest, DefaultsAndVersion)
{
    TNsgDateTimePicker p;
    EXPECT_EQ(p.Version(), "1.0.0.0");
    EXPECT_EQ(p.VersionNumber(), 0x01000000u);
    p.SetVersion("9.9");
    EXPECT_EQ(p.Version(), "1.0.0.0");
    EXPECT_EQ(p.BorderStyle(), bsNone);
    EXPECT_EQ(p.BorderColor(), clNone);
    EXPECT_TRUE(p.Ctl3D());
    EXPECT_FALSE(p.MetroStyle());
    EXPECT_EQ(p.Kind(), dtkDate);
    EXPECT_TRUE(p.calendarPopup());
    EXPECT_EQ(p.ButtonWidth(), p.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &p) + 2);
    EXPECT_EQ(p.displayFormat(), "M/d/yyyy");
}

TEST_F(DatePickerTest, DefaultLookIsThePlatformPickers)
{
    TNsgDateTimePicker p;
    QDateTimeEdit plain;
    for (QDateTimeEdit *e : {static_cast<QDateTimeEdit *>(&p), &plain}) {
        e->setCalendarPopup(true);
        e->setDisplayFormat("M/d/yyyy");
        e->setDateTime(QDateTime(QDate(2024, 7, 4), QTime(10, 0)));
        e->resize(150, 24);
    }
    EXPECT_EQ(p.grab().toImage(), plain.grab().toImage());
}

TEST_F(DatePickerTest, ValuesKindsAndFormats)
{
    TNsgDateTimePicker p;
    p.SetPickerDateTime(dt(2024, 2, 29, 13, 45, 10));
    EXPECT_EQ(p.text(), "2/29/2024");
    EXPECT_DOUBLE_EQ(p.Date(), dt(2024, 2, 29));
    EXPECT_NEAR(p.Time(), dt(1899, 12, 30, 13, 45, 10), 1e-9);
    p.SetFormat("dd.MM.yyyy");
    EXPECT_EQ(p.text(), "29.02.2024");
    p.SetKind(dtkTime);
    EXPECT_FALSE(p.calendarPopup());
    p.SetFormat("");
    EXPECT_EQ(p.text(), "13:45:10");
    p.SetFormat("HH:mm");
    EXPECT_EQ(p.text(), "13:45");
    p.SetKind(dtkDate);
    p.SetFormat("");
    p.SetDateMode(dmUpDown);
    EXPECT_FALSE(p.calendarPopup());

    useSettings(editortest::germanSettings());
    TNsgDateTimePicker g;
    g.SetPickerDateTime(dt(2024, 12, 24));
    EXPECT_EQ(g.text(), "24.12.2024");
}

TEST_F(DatePickerTest, KeysMoveBetweenFieldsAndStepThem)
{
    TNsgDateTimePicker p;
    p.SetFormat("MM/dd/yyyy");
    p.SetPickerDateTime(dt(2024, 3, 5));
    int changes = 0;
    p.OnChange = [&](QObject *s) { EXPECT_EQ(s, &p); ++changes; };
    showActive(&p);
    p.setSelectedSection(QDateTimeEdit::MonthSection);
    QTest::keyClick(&p, Qt::Key_Up);
    EXPECT_EQ(p.text(), "04/05/2024");
    QTest::keyClick(&p, Qt::Key_Right);
    EXPECT_EQ(p.currentSection(), QDateTimeEdit::DaySection);
    QTest::keyClick(&p, Qt::Key_Down);
    EXPECT_EQ(p.text(), "04/04/2024");
    // A completed field keeps the input: no move without AutoTab.
    QTest::keyClicks(&p, "12");
    EXPECT_EQ(p.text(), "04/12/2024");
    EXPECT_EQ(p.currentSection(), QDateTimeEdit::DaySection);
    QTest::keyClick(&p, Qt::Key_Left);
    QTest::keyClick(&p, Qt::Key_Left);
    EXPECT_EQ(p.currentSection(), QDateTimeEdit::MonthSection) << "stops at the first field";
    EXPECT_GE(changes, 3);
    const int before = changes;
    p.SetPickerDateTime(dt(2020, 1, 1));
    EXPECT_EQ(changes, before) << "setting a value is no user change";
}

TEST_F(DatePickerTest, CalendarDropDownAndCloseUpEvents)
{
    TNsgDateTimePicker p;
    p.resize(160, 24);
    int drops = 0, ups = 0;
    p.OnDropDown = [&](QObject *s) { EXPECT_EQ(s, &p); ++drops; };
    p.OnCloseUp = [&](QObject *) { ++ups; };
    showActive(&p);
    QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(150, 12));
    QApplication::processEvents();
    ASSERT_TRUE(p.DroppedDown());
    EXPECT_EQ(drops, 1);
    QCalendarWidget *cal = p.calendarWidget();
    cal->setSelectedDate(QDate(2024, 5, 17));
    emit cal->clicked(QDate(2024, 5, 17));
    QApplication::processEvents();
    EXPECT_FALSE(p.DroppedDown());
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(p.date(), QDate(2024, 5, 17));

    // F4 and Alt+Down drop the calendar too.
    QTest::keyClick(&p, Qt::Key_F4);
    QApplication::processEvents();
    EXPECT_TRUE(p.DroppedDown());
    EXPECT_EQ(drops, 2);
    p.calendarWidget()->window()->hide();
    EXPECT_EQ(ups, 2);
    QTest::keyClick(&p, Qt::Key_Down, Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_TRUE(p.DroppedDown());
    p.calendarWidget()->window()->hide();
    p.SetDateMode(dmUpDown);
    QTest::keyClick(&p, Qt::Key_F4);
    EXPECT_FALSE(p.DroppedDown()) << "no calendar in the up-down mode";
}

TEST_F(DatePickerTest, PointerTracksButtonArea)
{
    TNsgDateTimePicker p;
    p.resize(160, 24);
    p.show();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&p, &enter);
    EXPECT_TRUE(p.MouseInControl());
    hover(&p, QPoint(160 - p.ButtonWidth(), 5));
    EXPECT_FALSE(p.ButtonHover());
    hover(&p, QPoint(160 - p.ButtonWidth() + 1, 5));
    EXPECT_TRUE(p.ButtonHover());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&p, &leave);
    EXPECT_FALSE(p.MouseInControl());
    EXPECT_FALSE(p.ButtonHover());
}

TEST_F(DatePickerTest, MetroLookDrawsButtonOnlyForDates)
{
    QWidget form;
    form.resize(300, 100);
    auto *date = new TNsgDateTimePicker(&form);
    date->setGeometry(10, 10, 160, 24);
    date->SetMetroStyle(true);
    date->ButtonColor = RGBColor(0, 160, 0);
    date->SetBorderColor(RGBColor(255, 0, 0));
    auto *time = new TNsgDateTimePicker(&form);
    time->setGeometry(10, 50, 160, 24);
    time->SetKind(dtkTime);
    time->SetMetroStyle(true);
    time->ButtonColor = RGBColor(0, 160, 0);
    form.show();
    QApplication::processEvents();
    const QRect br = date->ButtonRect();
    EXPECT_EQ(pixelAt(date, br.center() + QPoint(3, -5)), QColor(0, 160, 0));
    EXPECT_EQ(pixelAt(date, {0, 12}), QColor(255, 0, 0)) << "Metro frame in BorderColor";
    const QImage t = time->grab().toImage();
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x) ASSERT_NE(QColor(t.pixel(x, y)), QColor(0, 160, 0)) << "no button in the time kind";
    // Outside the Metro look the button colour is not used either.
    date->SetMetroStyle(false);
    EXPECT_NE(pixelAt(date, br.center() + QPoint(3, -5)), QColor(0, 160, 0));
}

TEST_F(DatePickerTest, FlatBorderColourChoice)
{
    QWidget form;
    form.setAutoFillBackground(true);
    QPalette fp = form.palette();
    fp.setColor(QPalette::Window, QColor(248, 247, 237));
    form.setPalette(fp);
    form.resize(300, 100);
    auto *p = new TNsgDateTimePicker(&form);
    p->setGeometry(10, 10, 160, 24);
    p->SetCtl3D(false);
    p->SetBorderColor(RGBColor(0, 0, 255));
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(pixelAt(p, {0, 12}), QColor(248, 247, 237)) << "no border style: the parent's colour";
    p->SetBorderStyle(bsSingle);
    EXPECT_EQ(pixelAt(p, {0, 12}), QColor(0, 0, 255));
    EXPECT_EQ(pixelAt(p, {159, 12}), QColor(0, 0, 255));
}

TEST_F(DatePickerTest, AutoTabMovesOnWhenTimeFieldChanges)
{
    TCustomDateTimePicker p;
    EXPECT_FALSE(p.Ctl3D());
    EXPECT_EQ(p.BorderColor(), clBlack);
    EXPECT_TRUE(p.IsDefaultFrame());
    p.SetMetroStyle(true);
    EXPECT_FALSE(p.MetroLook()) << "the default frame keeps the Metro look off";
    p.SetKind(dtkTime);
    p.SetPickerDateTime(dt(2024, 1, 1, 10, 20, 30));
    showActive(&p);
    p.setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClicks(&p, "1");
    QApplication::processEvents();
    EXPECT_EQ(p.currentSection(), QDateTimeEdit::HourSection) << "AutoTab off";

    p.SetAutoTab(true);
    p.setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClicks(&p, "9");
    pump();
    EXPECT_EQ(p.text(), "09:20:30");
    EXPECT_EQ(p.currentSection(), QDateTimeEdit::MinuteSection);
    // A digit that leaves the value as it was (a field still being typed) does not move.
    p.setSelectedSection(QDateTimeEdit::MinuteSection);
    QTest::keyClicks(&p, "2");
    pump();
    EXPECT_NEAR(p.DateTime(), dt(2024, 1, 1, 9, 20, 30), 1e-9);
    EXPECT_EQ(p.currentSection(), QDateTimeEdit::MinuteSection);
}

TEST_F(DatePickerTest, Screenshot)
{
    QWidget form;
    form.setAutoFillBackground(true);
    QPalette fp = form.palette();
    fp.setColor(QPalette::Window, QColor(248, 247, 237));
    form.setPalette(fp);
    form.resize(380, 110);
    auto *a = new TNsgDateTimePicker(&form);
    a->setGeometry(10, 10, 170, 24);
    a->SetPickerDateTime(dt(2024, 12, 24, 13, 45, 10));
    auto *b = new TNsgDateTimePicker(&form);
    b->setGeometry(200, 10, 170, 24);
    b->SetPickerDateTime(dt(2024, 12, 24, 13, 45, 10));
    b->SetMetroStyle(true);
    b->SetBorderColor(RGBColor(127, 157, 185));
    b->ButtonColor = RGBColor(220, 230, 250);
    b->ButtonBorderColor = RGBColor(127, 157, 185);
    b->ButtonTextColor = RGBColor(40, 60, 120);
    auto *c = new TNsgDateTimePicker(&form);
    c->setGeometry(10, 45, 170, 24);
    c->SetKind(dtkTime);
    c->SetPickerDateTime(dt(2024, 12, 24, 13, 45, 10));
    auto *d = new TCustomDateTimePicker(&form);
    d->setGeometry(200, 45, 170, 24);
    d->SetBorderStyle(bsSingle);
    d->SetPickerDateTime(dt(2024, 12, 24));
    auto *e = new TNsgDateTimePicker(&form);
    e->setGeometry(10, 80, 170, 24);
    e->SetPickerDateTime(dt(2024, 12, 24));
    e->setEnabled(false);
    form.show();
    QApplication::processEvents();
    saveShot(&form, QStringLiteral("date_picker"));
    SUCCEED();
}
