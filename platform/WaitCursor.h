#pragma once
// The hourglass for the time of a long operation: set on construction, restored when the scope
// ends, also when an exception leaves it.
#include <QApplication>
#include <QCursor>

namespace platform {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace platform
