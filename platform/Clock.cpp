#include "platform/Clock.h"

#include <QElapsedTimer>

namespace platform {
namespace {
std::function<QDateTime()> &clockSlot()
{
    static std::function<QDateTime()> f;
    return f;
}
std::function<qint64()> &tickSlot()
{
    static std::function<qint64()> f;
    return f;
}
} // namespace

QDateTime currentDateTime() { return clockSlot() ? clockSlot()() : QDateTime::currentDateTime(); }

qint64 tickMs()
{
    if (tickSlot()) return tickSlot()();
    static QElapsedTimer since = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return since.elapsed();
}

void setClock(std::function<QDateTime()> clock, std::function<qint64()> tick)
{
    clockSlot() = std::move(clock);
    tickSlot() = std::move(tick);
}

} // namespace platform
