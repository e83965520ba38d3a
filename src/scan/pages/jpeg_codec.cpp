#include "scan/pages/jpeg_codec.h"

#include <turbojpeg.h>

#include <limits>

namespace scan {
namespace {

class Handle {
 public:
  explicit Handle(tjhandle handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_ != nullptr) tjDestroy(handle_);
  }
  tjhandle get() const { return handle_; }

 private:
  tjhandle handle_;
};

std::string lastError(tjhandle handle) { return std::string("JPEG: ") + tjGetErrorStr2(handle); }

bool fitsTurboJpeg(std::span<const std::uint8_t> bytes) {
  return !bytes.empty() && bytes.size() <= std::numeric_limits<unsigned long>::max();
}

// The smallest scale that keeps at least `atLeast`; 1/1 without a target.
tjscalingfactor scaleFor(const JpegInfo& info, QSize atLeast) {
  tjscalingfactor best{1, 1};
  if (!atLeast.isValid()) return best;
  int count = 0;
  const tjscalingfactor* factors = tjGetScalingFactors(&count);
  for (int i = 0; factors != nullptr && i < count; ++i) {
    const tjscalingfactor f = factors[i];
    if (f.num > f.denom) continue;
    const bool covers = TJSCALED(info.width, f) >= atLeast.width() &&
                        TJSCALED(info.height, f) >= atLeast.height();
    if (covers && f.num * best.denom < best.num * f.denom) best = f;
  }
  return best;
}

}  // namespace

std::optional<JpegInfo> readJpegInfo(std::span<const std::uint8_t> bytes, std::string& error) {
  if (!fitsTurboJpeg(bytes)) {
    error = "JPEG: no data";
    return std::nullopt;
  }
  Handle handle(tjInitDecompress());
  if (handle.get() == nullptr) {
    error = "JPEG: no decoder";
    return std::nullopt;
  }
  int width = 0, height = 0, subsampling = 0, colourSpace = 0;
  if (tjDecompressHeader3(handle.get(), bytes.data(), static_cast<unsigned long>(bytes.size()),
                          &width, &height, &subsampling, &colourSpace) != 0) {
    error = lastError(handle.get());
    return std::nullopt;
  }
  return JpegInfo{width, height, colourSpace == TJCS_GRAY};
}

std::optional<QImage> decodeJpeg(std::span<const std::uint8_t> bytes, QSize atLeast,
                                 std::string& error) {
  const auto info = readJpegInfo(bytes, error);
  if (!info) return std::nullopt;
  const tjscalingfactor scale = scaleFor(*info, atLeast);
  const int width = TJSCALED(info->width, scale);
  const int height = TJSCALED(info->height, scale);
  QImage image(width, height, info->grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
  if (image.isNull()) {
    error = "JPEG: no memory for " + std::to_string(width) + " x " + std::to_string(height);
    return std::nullopt;
  }
  Handle handle(tjInitDecompress());
  if (handle.get() == nullptr ||
      tjDecompress2(handle.get(), bytes.data(), static_cast<unsigned long>(bytes.size()),
                    image.bits(), width, static_cast<int>(image.bytesPerLine()), height,
                    info->grey ? TJPF_GRAY : TJPF_RGB, TJFLAG_STOPONWARNING) != 0) {
    error = handle.get() == nullptr ? "JPEG: no decoder" : lastError(handle.get());
    return std::nullopt;
  }
  return image;
}

EncodedJpeg::EncodedJpeg(unsigned char* data, unsigned long size)
    : data_(data, [](unsigned char* p) { tjFree(p); }), size_(size) {}

std::optional<EncodedJpeg> encodeJpeg(const QImage& image, std::string& error) {
  if (image.isNull()) {
    error = "JPEG: no picture to encode";
    return std::nullopt;
  }
  const bool grey = image.depth() == 1 || image.format() == QImage::Format_Grayscale8 ||
                    image.format() == QImage::Format_Grayscale16;
  const QImage::Format format = grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
  // convertToFormat shares the data when the format is already right.
  const QImage source = image.convertToFormat(format);
  Handle handle(tjInitCompress());
  unsigned char* data = nullptr;
  unsigned long size = 0;
  if (handle.get() == nullptr ||
      tjCompress2(handle.get(), source.constBits(), source.width(),
                  static_cast<int>(source.bytesPerLine()), source.height(),
                  grey ? TJPF_GRAY : TJPF_RGB, &data, &size, grey ? TJSAMP_GRAY : TJSAMP_420,
                  kJpegQuality, 0) != 0) {
    error = handle.get() == nullptr ? "JPEG: no encoder" : lastError(handle.get());
    if (data != nullptr) tjFree(data);
    return std::nullopt;
  }
  return EncodedJpeg(data, size);
}

}  // namespace scan
