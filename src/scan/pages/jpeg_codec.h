#pragma once
// JPEG decoding into, and encoding from, QImage buffers (TurboJPEG).

#include <QImage>
#include <QSize>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace scan {

// Pages are written with the compression factor 0.2 of the scanner
// application's platform, on its 0 (smallest) to 1 (best) scale; libjpeg's
// quality scale is 1 to 100, so the nearest quality is 20.
inline constexpr int kJpegQuality = 20;

struct JpegInfo {
  int width = 0;
  int height = 0;
  bool grey = false;
};

std::optional<JpegInfo> readJpegInfo(std::span<const std::uint8_t> bytes, std::string& error);

// Decodes into Format_Grayscale8 (grey JPEG) or Format_RGB888. With a valid
// `atLeast`, decodes at the smallest DCT scale whose picture still covers that
// size, so a page that is drawn smaller is never decoded whole. Any warning of
// the decoder (a truncated or damaged stream) fails the decode.
std::optional<QImage> decodeJpeg(std::span<const std::uint8_t> bytes, QSize atLeast,
                                 std::string& error);

class EncodedJpeg {
 public:
  EncodedJpeg(unsigned char* data, unsigned long size);
  std::span<const std::uint8_t> bytes() const { return {data_.get(), size_}; }

 private:
  std::unique_ptr<unsigned char, void (*)(unsigned char*)> data_;
  std::size_t size_;
};

// Grey and 1-bit pictures become grey JPEG, everything else colour (4:2:0).
std::optional<EncodedJpeg> encodeJpeg(const QImage& image, std::string& error);

}  // namespace scan
