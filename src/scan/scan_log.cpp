#include "scan/scan_log.h"

#include <iostream>

namespace scan {

void logLine(std::string_view line) { std::cout << line << std::endl; }

}  // namespace scan
