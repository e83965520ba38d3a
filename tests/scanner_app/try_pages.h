#pragma once
// The pages the simulated scanners of scripts/try-scanner send: sample
// documents drawn here, as JPEG pictures small enough for every page size
// and resolution.

#include <cstdint>
#include <vector>

namespace trytool {

// Page `pageNo` (1, 2, ...); needs a QGuiApplication for its text.
std::vector<std::uint8_t> samplePage(int pageNo);

}  // namespace trytool
