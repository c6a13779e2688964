#pragma once
// The fixture of the track bar, memo and calculator tests: the picker fixture (a shown window with
// one drop-down, keys through the window system's entry) with a settable tick count for the 250 ms
// rule, and clicks and moves at window points.
#include "picker_test_support.h"
#include "platform/Clock.h"

namespace valuetest {

template <typename TDropDown>
class ValueTest : public pickertest::PickerTest<TDropDown> {
protected:
    void SetUp() override
    {
        pickertest::PickerTest<TDropDown>::SetUp();
        platform::setClock([this] { return this->now; }, [this] { return tick; });
    }
    QWindow *pop() const { return this->dd->DropDownForm()->windowHandle(); }
    // A point of the edit in the form's window.
    QPoint onEdit(int x) const { return this->dd->mapTo(this->form.get(), QPoint(x, this->dd->height() / 2)); }
    void clickForm(QPoint at)
    {
        QTest::mousePress(this->win(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(this->win(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }
    // A key typed into the open pop-up, or into the edit while it is closed.
    void typeKey(char c) { QTest::keyClick(this->win(), c); }

    qint64 tick = 100000;
};

} // namespace valuetest
