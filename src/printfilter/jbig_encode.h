#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "printfilter/bit_page.h"

namespace printfilter {

using BieSink = std::function<void(const std::uint8_t* data, std::size_t size)>;

// Encodes the page as one JBIG bi-level image entity with the library's
// defaults: one plane, no resolution layers. The BIE carries the page's own
// width (not rounded to a byte).
void encodeJbig(BitPage& page, BieSink sink);

// Encodes the page into a new file at `path`; false (with the file removed)
// when it could not be written whole.
bool writeJbigFile(BitPage& page, const std::string& path);

}  // namespace printfilter
