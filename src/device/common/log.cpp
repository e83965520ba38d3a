#include "device/common/log.h"

#include <iostream>

namespace device {

void logLine(std::string_view line) { std::cout << line << std::endl; }

}  // namespace device
