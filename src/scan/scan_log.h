#pragma once
// The scanner application's log: plain lines on standard output.

#include <string_view>

namespace scan {

void logLine(std::string_view line);

}  // namespace scan
