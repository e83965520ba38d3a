#include "scan/pages/page_decode.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "scan/pages/bmp_image.h"
#include "scan/pages/file_store.h"
#include "scan/pages/jpeg_codec.h"

namespace scan {
namespace {

bool isBmp(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

// Qt refuses to decode pictures above its allocation limit, which it counts
// at 4 bytes a pixel whatever the depth: a 1200 dpi page is far above the
// default 128 MiB. The limit is raised to what this one picture needs, for
// its decode only; the BMP's size was checked against its data before, so a
// header cannot ask for more than the data can fill.
class DecodeAllowance {
 public:
  DecodeAllowance(std::int64_t width, std::int64_t height) : previous_(QImageReader::allocationLimit()) {
    const std::int64_t mebibytes = width * height * 4 / (1024 * 1024) + 1;
    const int wanted = static_cast<int>(std::min<std::int64_t>(mebibytes, std::numeric_limits<int>::max()));
    if (previous_ != 0 && previous_ < wanted) QImageReader::setAllocationLimit(wanted);
  }
  ~DecodeAllowance() { QImageReader::setAllocationLimit(previous_); }
  DecodeAllowance(const DecodeAllowance&) = delete;
  DecodeAllowance& operator=(const DecodeAllowance&) = delete;

 private:
  int previous_;
};

std::optional<QImage> decodeBmp(std::span<const std::uint8_t> bytes, std::string& error) {
  const std::size_t needed = bmpNeededSize(bytes);
  if (needed == 0 || bytes.size() < needed) {
    error = "BMP: " + std::to_string(bytes.size()) + " bytes, the picture needs " +
            std::to_string(needed);
    return std::nullopt;
  }
  const auto height = static_cast<std::int32_t>(readLE32(bytes, 22));
  const DecodeAllowance allowance(static_cast<std::int32_t>(readLE32(bytes, 18)), std::abs(std::int64_t{height}));
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer, "bmp");
  QImage image = reader.read();
  if (image.isNull()) {
    error = "BMP: " + reader.errorString().toStdString();
    return std::nullopt;
  }
  image = image.convertToFormat(QImage::Format_Grayscale8);
  if (image.isNull()) {
    error = "BMP: no memory for the picture";
    return std::nullopt;
  }
  return image;
}

}  // namespace

std::size_t bmpNeededSize(std::span<const std::uint8_t> bytes) {
  if (!isBmp(bytes) || bytes.size() < 54) return 0;
  const std::uint32_t offset = readLE32(bytes, 10);
  const auto width = static_cast<std::int32_t>(readLE32(bytes, 18));
  const auto height = static_cast<std::int32_t>(readLE32(bytes, 22));
  const std::uint32_t bits = readLE32(bytes, 28) & 0xFFFFu;
  const std::uint32_t compression = readLE32(bytes, 30);
  if (width <= 0 || height == 0 || bits == 0 || bits > 32 || compression != 0) return 0;
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  return static_cast<std::size_t>(offset + stride * static_cast<std::uint64_t>(std::abs(std::int64_t{height})));
}

std::optional<QSize> declaredSize(std::span<const std::uint8_t> bytes) {
  std::string ignored;
  if (const auto info = readJpegInfo(bytes, ignored)) return QSize(info->width, info->height);
  if (isBmp(bytes)) {
    if (bytes.size() < 26) return std::nullopt;
    const auto width = static_cast<std::int32_t>(readLE32(bytes, 18));
    const auto height = static_cast<std::int32_t>(readLE32(bytes, 22));
    const auto side = [](std::int32_t value) {
      return static_cast<int>(std::min<std::int64_t>(std::abs(std::int64_t{value}), std::numeric_limits<int>::max()));
    };
    return QSize(side(width), side(height));
  }
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (!size.isValid()) return std::nullopt;
  return size;
}

std::optional<QImage> decodePage(std::span<const std::uint8_t> bytes, QSize atLeast,
                                 std::string& error) {
  if (isBmp(bytes)) return decodeBmp(bytes, error);
  return decodeJpeg(bytes, atLeast, error);
}

std::optional<QImage> readPageFile(const std::string& path, std::string& error) {
  const auto bytes = readWholeFile(path, error);
  if (!bytes) return std::nullopt;
  auto image = decodePage(*bytes, QSize(), error);
  if (!image) error = "\"" + path + "\": " + error;
  return image;
}

}  // namespace scan
