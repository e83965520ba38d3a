#include "printfilter/jbig_encode.h"

#include <cstdio>
#include <vector>

extern "C" {
#include <jbig.h>
}

namespace printfilter {

namespace {

extern "C" void deliverBie(unsigned char* start, std::size_t length, void* context) {
  (*static_cast<const BieSink*>(context))(start, length);
}

}  // namespace

void encodeJbig(BitPage& page, BieSink sink) {
  unsigned char* planes[1] = {page.bits.data()};
  jbg_enc_state state;
  jbg_enc_init(&state, static_cast<unsigned long>(page.width), static_cast<unsigned long>(page.height), 1, planes,
               deliverBie, &sink);
  jbg_enc_out(&state);
  jbg_enc_free(&state);
}

bool writeJbigFile(BitPage& page, const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wbe");
  if (file == nullptr) return false;
  std::vector<char> buffer(std::size_t{1} << 16);
  std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
  bool written = true;
  encodeJbig(page, [&](const std::uint8_t* data, std::size_t size) {
    if (written && std::fwrite(data, 1, size, file) != size) written = false;
  });
  if (std::fclose(file) != 0) written = false;
  if (!written) std::remove(path.c_str());
  return written;
}

}  // namespace printfilter
