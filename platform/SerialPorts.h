#pragma once
// Serial-port probe: the numbers (1-based) of the serial ports present.
#include <functional>
#include <vector>

namespace platform {

// Port n stands for the n-th serial device of the system (/dev/ttyS<n-1> here). A port that is
// present but held by another program counts as present.
std::vector<int> probeSerialPorts();

// Tests replace the probe; an empty function restores the real one.
void setSerialPortProbe(std::function<std::vector<int>()> probe);

} // namespace platform
