// Date-time picker: kinds and the companion time picker, values, auto tab, label, check box.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "grid/base/DateTimePicker.h"
#include "test_editors_support.h"

using namespace editorkit;
using editortest::EditorTest;

namespace {

class DateTimePickerTest : public EditorTest {};

TDateTime dt(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return encodeDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

void pump()
{
    for (int i = 0; i < 4; ++i) QApplication::processEvents();
}

} // namespace

TEST_F(DateTimePickerTest, DefaultsCreateTheTimePart)
{
    TNovaDateTimePicker p;
    EXPECT_EQ(p.Kind(), dkDateTime);
    EXPECT_EQ(p.Version(), "1.2.0.0");
    EXPECT_EQ(p.VersionNumber(), 0x01020000u);
    EXPECT_EQ(p.BorderStyle(), bsSingle);
    EXPECT_EQ(p.BorderColor(), clBlack);
    EXPECT_TRUE(p.Ctl3D());
    EXPECT_FALSE(p.AutoTab());
    EXPECT_FALSE(p.IsDefaultFrame());
    EXPECT_EQ(p.LabelMargin(), 4);
    EXPECT_EQ(p.PickerLabel(), nullptr);
    ASSERT_NE(p.TimePicker(), nullptr);
    EXPECT_EQ(p.TimePicker()->parentWidget(), &p);
    EXPECT_EQ(p.TimePicker()->Kind(), dtkTime);
    ASSERT_NE(p.FocusTimer(), nullptr);
    EXPECT_EQ(p.FocusTimer()->interval(), 20);
    EXPECT_FALSE(p.FocusTimer()->isActive());
    EXPECT_EQ(p.ChangedFieldPoint(), QPoint(-1, -1));
}

TEST_F(DateTimePickerTest, DateTimeDropsMillisecondsAndSplitsParts)
{
    TNovaDateTimePicker p;
    p.SetDateTime(dt(2024, 7, 4, 13, 45, 10, 789));
    EXPECT_NEAR(p.GetDateTime(), dt(2024, 7, 4, 13, 45, 10), 1e-9);
    EXPECT_EQ(p.text(), "7/4/2024");
    EXPECT_EQ(p.TimePicker()->text(), "13:45:10");
    EXPECT_DOUBLE_EQ(p.Date(), dt(2024, 7, 4));
    EXPECT_NEAR(p.Time(), dt(1899, 12, 30, 13, 45, 10), 1e-9);

    // Date keeps the time of day.
    p.SetDate(dt(2025, 1, 31, 8, 0, 0));
    EXPECT_NEAR(p.GetDateTime(), dt(2025, 1, 31, 13, 45, 10), 1e-9);
    // The time part's time of day is the picker's.
    p.TimePicker()->SetPickerDateTime(dt(2025, 1, 31, 6, 30, 0));
    EXPECT_NEAR(p.GetDateTime(), dt(2025, 1, 31, 6, 30, 0), 1e-9);
    p.SetTime(dt(1899, 12, 30, 22, 15, 0));
    EXPECT_EQ(p.TimePicker()->text(), "22:15:00");
}

TEST_F(DateTimePickerTest, DateKindDestroysTimePartAtOnce)
{
    TNovaDateTimePicker p;
    p.SetDateTime(dt(2024, 7, 4, 13, 45, 10));
    QPointer<TCustomDateTimePicker> part = p.TimePicker();
    ASSERT_TRUE(part);
    p.SetKind(dkDate);
    EXPECT_FALSE(part) << "destroyed by the update that hides it";
    EXPECT_EQ(p.TimePicker(), nullptr);
    EXPECT_NEAR(p.GetDateTime(), dt(2024, 7, 4, 13, 45, 10), 1e-9) << "the time of day survives";
    p.SetKind(dkTime);
    EXPECT_EQ(p.TimePicker(), nullptr);
    EXPECT_EQ(p.text(), "13:45:10");
    p.SetKind(dkDateTime);
    ASSERT_NE(p.TimePicker(), nullptr);
    EXPECT_EQ(p.TimePicker()->text(), "13:45:10");
    p.SetTimeFormat("HH:mm");
    EXPECT_EQ(p.TimePicker()->text(), "13:45");
}

TEST_F(DateTimePickerTest, TimePartSitsInsideTheRightPart)
{
    TNovaDateTimePicker p;
    p.resize(200, 24);
    p.SetDateTime(dt(2024, 7, 4, 13, 45, 10));
    p.show();
    QApplication::processEvents();
    TCustomDateTimePicker *tp = p.TimePicker();
    ASSERT_TRUE(tp->isVisible());
    const QRect r = tp->geometry();
    const int a = QFontMetrics(p.font()).horizontalAdvance(tp->text()) + 31;
    EXPECT_EQ(r.width(), a);
    EXPECT_EQ(r.right(), 200 - 23 + 2 - 1) << "left edge at W - a - 23 inside the border";
    EXPECT_TRUE(p.rect().adjusted(2, 2, -2, -2).contains(r));
    const int dateRight = QFontMetrics(p.font()).horizontalAdvance(p.text()) + 6;
    EXPECT_LT(dateRight, r.left()) << "the date text stays clear of the time part";
    p.resize(260, 24);
    EXPECT_EQ(tp->geometry().right(), 260 - 23 + 2 - 1);
}

TEST_F(DateTimePickerTest, TimePartChangesAndKeysReachThePicker)
{
    TNovaDateTimePicker p;
    p.SetDateTime(dt(2024, 7, 4, 13, 45, 10));
    QObject *timeSender = nullptr;
    int timeChanges = 0, changes = 0;
    QList<int> keys;
    p.OnTimeChange = [&](QObject *s) { timeSender = s; ++timeChanges; };
    p.OnChange = [&](QObject *) { ++changes; };
    p.OnKeyDown = [&](QObject *, int &key, Qt::KeyboardModifiers) { keys << key; };
    p.show();
    TCustomDateTimePicker *tp = p.TimePicker();
    tp->setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClick(tp, Qt::Key_Up);
    EXPECT_EQ(tp->text(), "14:45:10");
    EXPECT_EQ(timeChanges, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(timeSender, &p);
    EXPECT_EQ(keys, QList<int>{Qt::Key_Up});
    EXPECT_NEAR(p.GetDateTime(), dt(2024, 7, 4, 14, 45, 10), 1e-9);
}

TEST_F(DateTimePickerTest, AutoTabWithFormatEndingInYear)
{
    QWidget form;
    auto *p = new TNovaDateTimePicker(&form);
    p->resize(220, 24);
    p->SetFormat("MM/dd/yyyy");
    p->SetDateTime(dt(2024, 3, 5, 10, 0, 0));
    p->SetAutoTab(true);
    EXPECT_TRUE(p->TimePicker()->AutoTab()) << "passed to the time part";
    showActive(p);
    // The day changes: on to the next field.
    p->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(p, "9");
    pump();
    EXPECT_EQ(p->text(), "03/09/2024");
    EXPECT_EQ(p->currentSection(), QDateTimeEdit::YearSection);
    EXPECT_TRUE(p->hasFocus());
    // The year, the last field, changes: the time part takes the focus.
    p->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(p, "2031");
    pump();
    EXPECT_EQ(DateTimeToQDate(p->GetDateTime()).year(), 2031);
    EXPECT_TRUE(p->TimePicker()->hasFocus());
}

TEST_F(DateTimePickerTest, AutoTabWithoutFormat)
{
    QWidget form;
    auto *p = new TNovaDateTimePicker(&form);
    p->resize(220, 24);
    p->SetDateTime(dt(2024, 3, 5, 10, 0, 0));
    p->SetAutoTab(true);
    showActive(p);
    p->setSelectedSection(QDateTimeEdit::MonthSection);
    QTest::keyClicks(p, "7");
    pump();
    EXPECT_EQ(p->currentSection(), QDateTimeEdit::DaySection) << "a changed month moves on";
    p->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(p, "2030");
    pump();
    EXPECT_TRUE(p->TimePicker()->hasFocus()) << "a changed year alone goes to the time part";
}

TEST_F(DateTimePickerTest, LabelPlacementStateAndClicks)
{
    QWidget form;
    form.resize(400, 200);
    auto *p = new TNovaDateTimePicker(&form);
    form.show();
    p->setGeometry(150, 50, 200, 24);
    p->SetLabelCaption("Start:");
    QLabel *l = p->PickerLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->parentWidget(), &form);
    const int tw = QFontMetrics(l->font()).horizontalAdvance("Start:");
    EXPECT_EQ(l->pos(), QPoint(150 - tw - 4, 50));
    p->SetLabelPosition(lpRightCenter);
    EXPECT_EQ(l->pos(), QPoint(150 + 200 + 4, 50 + (24 - l->height()) / 2));
    p->move(100, 80);
    EXPECT_EQ(l->pos(), QPoint(100 + 200 + 4, 80 + (24 - l->height()) / 2));

    p->setEnabled(false);
    EXPECT_FALSE(l->isEnabled());
    EXPECT_FALSE(p->TimePicker()->isEnabled());
    p->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(l->isEnabled()) << "enabled at once";
    p->setEnabled(true);
    EXPECT_TRUE(p->TimePicker()->isEnabled());

    int clicks = 0, dbl = 0;
    p->OnLabelClick = [&](QObject *s) { EXPECT_EQ(s, p); ++clicks; };
    p->OnLabelDblClick = [&](QObject *) { ++dbl; };
    QTest::mouseClick(l, Qt::LeftButton);
    QTest::mouseDClick(l, Qt::LeftButton);
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(dbl, 1);

    p->hide();
    EXPECT_FALSE(l->isVisible());
}

TEST_F(DateTimePickerTest, CheckBoxEnablesTimePartAndStartsFocusTimer)
{
    TNovaDateTimePicker p;
    p.SetDateTime(dt(2024, 3, 5, 10, 0, 0));
    p.SetShowCheckbox(true);
    p.SetChecked(false);
    p.show();
    p.setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClick(&p, Qt::Key_Up);
    EXPECT_EQ(p.ChangedFieldPoint(), QPoint(28, 5));
    EXPECT_FALSE(p.TimePicker()->isEnabled()) << "unchecked: the time part is off";
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_TRUE(timers[0]->isActive());
    timers[0]->fire();
    EXPECT_FALSE(timers[0]->isActive()) << "the first tick switches it off";
    p.SetChecked(true);
    p.setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClick(&p, Qt::Key_Up);
    EXPECT_EQ(p.ChangedFieldPoint(), QPoint(80, 5));
    EXPECT_TRUE(p.TimePicker()->isEnabled());
}

TEST_F(DateTimePickerTest, Screenshot)
{
    QWidget form;
    form.setAutoFillBackground(true);
    QPalette fp = form.palette();
    fp.setColor(QPalette::Window, QColor(248, 247, 237));
    form.setPalette(fp);
    form.resize(330, 120);
    auto *a = new TNovaDateTimePicker(&form);
    a->setGeometry(100, 10, 210, 24);
    a->SetDateTime(dt(2024, 12, 24, 13, 45, 10));
    a->SetLabelCaption("Start:");
    auto *b = new TNovaDateTimePicker(&form);
    b->setGeometry(100, 45, 210, 24);
    b->SetKind(dkDate);
    b->SetDateTime(dt(2024, 12, 31));
    b->SetLabelCaption("Date only:");
    auto *c = new TNovaDateTimePicker(&form);
    c->setGeometry(100, 80, 210, 24);
    c->SetKind(dkTime);
    c->SetDateTime(dt(2024, 12, 31, 8, 5, 0));
    c->SetLabelCaption("Time only:");
    form.show();
    QApplication::processEvents();
    saveShot(&form, QStringLiteral("date_time_picker"));
    SUCCEED();
}
