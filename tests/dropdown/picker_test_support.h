#pragma once
// Shared pieces of the picker tests: a shown window holding one drop-down, keys typed into that
// window (while the pop-up is open the platform hands them to it), clicks into the pop-up through
// its own window, hand-fired timers and a settable clock.
#include "dropdown/DropDownForm.h"
#include "dropdown/NovaDropDown.h"
#include "panel_test_support.h"
#include "support/LocaleSettings.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace pickertest {

template <typename TPicker>
class PickerTest : public paneltest::TimedTest {
protected:
    void SetUp() override
    {
        paneltest::TimedTest::SetUp();
        m_fs = std::make_unique<platform::ScopedFormatSettings>(testsupport::usSettings());
        form = std::make_unique<QWidget>();
        form->resize(460, 360);
        dd = new TPicker(form.get());
        dd->SetBounds(40, 30, 180, 21);
        other = new QLineEdit(form.get());
        other->setGeometry(10, 320, 80, 21);
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
        m_fs.reset();
        paneltest::TimedTest::TearDown();
    }
    QWindow *win() const { return form->windowHandle(); }
    void key(int k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(win(), Qt::Key(k), m); }
    void type(const char *text)
    {
        for (const char *c = text; *c; ++c) QTest::keyClick(win(), *c);
    }
    bool open() const { return dd->DroppedDown() && dd->DropDownForm()->isVisible(); }
    void showNow()
    {
        dd->ShowDropDown();
        QApplication::processEvents();
    }
    // A click at a point of a control inside the pop-up, through the pop-up's window.
    void clickIn(QWidget *w, QPoint at, Qt::MouseButton b = Qt::LeftButton)
    {
        QWindow *pop = dd->DropDownForm()->windowHandle();
        QTest::mouseClick(pop, b, {}, w->mapTo(dd->DropDownForm(), at));
        QApplication::processEvents();
    }
    void moveIn(QWidget *w, QPoint at)
    {
        QTest::mouseMove(dd->DropDownForm()->windowHandle(), w->mapTo(dd->DropDownForm(), at));
        QApplication::processEvents();
    }

    std::unique_ptr<QWidget> form;
    TPicker *dd = nullptr;
    QLineEdit *other = nullptr;

private:
    std::unique_ptr<platform::ScopedFormatSettings> m_fs;
};

// Counts the calls of a notify event.
struct Counter {
    int n = 0;
    auto handler()
    {
        return [this](QObject *) { ++n; };
    }
};

} // namespace pickertest
