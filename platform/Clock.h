#pragma once
// Time as the program sees it: the wall clock and a millisecond tick. Tests set their own.
#include <QDateTime>
#include <functional>

namespace platform {

QDateTime currentDateTime();
// Milliseconds from an arbitrary start; never goes back.
qint64 tickMs();

// Empty functions restore the system's clock and tick.
void setClock(std::function<QDateTime()> clock, std::function<qint64()> tick);

} // namespace platform
