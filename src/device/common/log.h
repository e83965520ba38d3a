#pragma once
// The applications' log: plain lines on standard output, one call per line.
// Every layer above the device (models, scan engine) writes through it too.

#include <string_view>

namespace device {

void logLine(std::string_view line);

}  // namespace device
