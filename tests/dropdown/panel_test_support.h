#pragma once
// Shared pieces of the pop-up panel tests: a shown window that holds one panel (so that QTest's
// window-level clicks and moves reach it through Qt's own routing), the editor tests' hand-fired
// timers and a settable clock.
#include "grid/base/Canvas.h"
#include "grid/base/EditorKit.h"
#include "grid/base/test_editors_support.h"
#include "platform/Clock.h"

#include <QPoint>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace paneltest {

// A top-level window with the panel at (0, 0).
class Host {
public:
    explicit Host(int width = 400, int height = 300)
    {
        window.resize(width, height);
        window.setAutoFillBackground(true);
    }
    template <typename T, typename... Args>
    T *add(Args &&...args)
    {
        auto *w = new T(std::forward<Args>(args)...);
        w->setParent(&window);
        w->move(0, 0);
        return w;
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    QWindow *handle() { return window.windowHandle(); }
    // Window coordinates of a point of a child widget.
    static QPoint at(QWidget *w, int x, int y) { return w->mapTo(w->window(), QPoint(x, y)); }
    void click(QWidget *w, int x, int y, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseClick(handle(), b, {}, at(w, x, y));
    }
    void press(QWidget *w, int x, int y) { QTest::mousePress(handle(), Qt::LeftButton, {}, at(w, x, y)); }
    void release(QWidget *w, int x, int y) { QTest::mouseRelease(handle(), Qt::LeftButton, {}, at(w, x, y)); }
    void move(QWidget *w, int x, int y) { QTest::mouseMove(handle(), at(w, x, y)); }

    QWidget window;
};

using editortest::FakeTimer;

// Hands out fake timers (in creation order) and a fixed clock for one test.
class TimedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editorkit::setTimerFactory([this] {
            auto t = std::make_unique<FakeTimer>();
            timers.push_back(t.get());
            return std::unique_ptr<editorkit::EditorTimer>(std::move(t));
        });
        platform::setClock([this] { return now; }, [] { return qint64(0); });
    }
    void TearDown() override
    {
        editorkit::setTimerFactory({});
        platform::setClock({}, {});
    }
    std::vector<FakeTimer *> timers;
    QDateTime now{QDate(2024, 5, 6), QTime(10, 30, 0)};
};

// The recorded ops of one kind whose pen (or brush) has a colour.
inline int countWithPen(const TRecordingCanvas &c, TCanvasOp::Kind k, TColor pen)
{
    int n = 0;
    for (const TCanvasOp &op : c.OfKind(k))
        n += op.pen.Color == pen ? 1 : 0;
    return n;
}

} // namespace paneltest
