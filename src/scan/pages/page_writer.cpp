#include "scan/pages/page_writer.h"

#include <QImage>
#include <optional>
#include <string>

#include "scan/pages/bmp_image.h"
#include "scan/pages/file_names.h"
#include "scan/pages/file_store.h"
#include "scan/pages/image_rotate.h"
#include "scan/pages/jpeg_codec.h"
#include "scan/pages/page_decode.h"
#include "device/common/log.h"

namespace scan {

using device::logLine;
namespace {

constexpr double kCombinScale = 0.7;

struct Transform {
  double degree = 0;
  double ratio = 1.0;
  bool any() const { return degree != 0 || ratio != 1.0; }
};

// The merge modes that put two pages side by side shrink each page; the
// rotation setting applies only to pages that are not shrunk.
Transform transformFor(const ScanParam& param) {
  if (param.combineType == kCombinHorizontal) return {0, kCombinScale};
  if (param.combineType == kCombinVertical) return {180, kCombinScale};
  return {static_cast<double>(param.rotateAngle), 1.0};
}

ResultPair failed(const std::string& error) {
  logLine("save image error = " + error);
  return saveFailed();
}

// Leeway for a device that rounds the scan area up (to whole blocks of
// pixels, say): a sixteenth of the side and 64 pixels.
std::int64_t allowedSide(std::int64_t side) { return side + side / 16 + 64; }

// A picture header declares any size (a JPEG's up to 65535 x 65535, a BMP's
// up to 2^31 a side), and a decoder allocates for what it declares: a page
// far above the scan area the job asked for is refused before anything is
// allocated for it, whatever its format.
bool fitsScanArea(const ScanParam& param, std::span<const std::uint8_t> data, std::string& error) {
  const auto size = declaredSize(data);
  if (!size) return true;  // the decoder reports what is wrong with it
  // The page area, also for "IDCard", whose job asks for half its height: a
  // device that sends the whole height there still has its pages kept.
  if (isPageSide(param.w) && isPageSide(param.h) && size->width() <= allowedSide(param.w) &&
      size->height() <= allowedSide(param.h)) {
    return true;
  }
  error = "a page of " + std::to_string(size->width()) + " x " + std::to_string(size->height()) +
          " pixels for a scan of " + std::to_string(param.w) + " x " + std::to_string(param.h);
  return false;
}

QSize scaledSize(QSize size, double ratio) {
  return {static_cast<int>(size.width() * ratio), static_cast<int>(size.height() * ratio)};
}

}  // namespace

ResultPair save2JPEG(const ScanParam& param, long long pageNo, std::span<const std::uint8_t> data) {
  const std::string target = pageFileName(param.filePath, pageNo, "jpg");
  const Transform transform = transformFor(param);
  std::string error;

  // A page that will be shrunk is decoded no larger than needed.
  std::optional<QSize> pageSize;
  QSize decodeAtLeast;
  if (transform.ratio < 1.0) {
    if (const auto info = readJpegInfo(data, error)) {
      pageSize = QSize(info->width, info->height);
      decodeAtLeast = scaledSize(*pageSize, transform.ratio);
    }
  }
  auto image = decodePage(data, decodeAtLeast, error);
  if (!image) return failed("page " + std::to_string(pageNo) + " does not decode: " + error);
  if (transform.any()) {
    image = turnAndScale(transform.degree, *image,
                         scaledSize(pageSize.value_or(image->size()), transform.ratio));
    if (!image) return failed("page " + std::to_string(pageNo) + " cannot be scaled or turned");
  }
  logLine("pixelsWide = " + std::to_string(image->width()) +
          " and pixelsHigh =" + std::to_string(image->height()));
  const auto jpeg = encodeJpeg(*image, error);
  if (!jpeg) return failed(error);
  if (!writeFileReplacing(target, jpeg->bytes(), false, error)) return failed(error);
  return saveSucceeded();
}

ResultPair saveImages(const ScanParam& param, long long pageNo, std::span<const std::uint8_t> data) {
  if (param.mode != kModeText) {
    std::string error;
    if (!fitsScanArea(param, data, error)) return failed(error);
    return save2JPEG(param, pageNo, data);
  }

  // A page end with no page data before it is no page, in this mode as in
  // the others.
  if (data.empty()) return failed("page " + std::to_string(pageNo) + " holds no data");
  const std::int64_t rows = pageRows(param);
  if (!isPageSide(param.w) || !isPageSide(rows)) {
    return failed("a page of " + std::to_string(param.w) + " x " + std::to_string(rows) +
                  " pixels is no scan area");
  }
  auto header = getBWBMPHeader(param);
  if (header.empty()) {
    return failed("a page of " + std::to_string(param.w) + " x " + std::to_string(rows) +
                  " pixels does not fit a BMP file");
  }
  const auto rowBytes = static_cast<std::size_t>(param.w / 8);
  const std::size_t expected = rowBytes * static_cast<std::size_t>(rows);
  if (data.size() < expected) {
    logLine("page " + std::to_string(pageNo) + " has " + std::to_string(data.size()) + " of " +
            std::to_string(expected) + " bytes, the rest is white");
  }
  const auto bmp = withBWRows(std::move(header), data, rowBytes);
  if (param.fileType != kFileTypeBmp) return save2JPEG(param, pageNo, bmp);

  std::string error;
  if (!writeFileReplacing(pageFileName(param.filePath, pageNo, "bmp"), bmp, false, error)) {
    return failed(error);
  }
  return saveSucceeded();
}

void ReceivedPages::save(std::span<const std::uint8_t> page) {
  if (!saveImages(param_, pageNo_, page).status) saveFailed_ = true;
  ++pageNo_;
}

ResultPair ReceivedPages::finished() const {
  if (saveFailed_) return saveFailed();
  return {true, std::to_string(pageNo_ - 1)};
}

}  // namespace scan
