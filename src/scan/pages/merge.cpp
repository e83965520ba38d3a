#include "scan/pages/merge.h"

#include <optional>
#include <string>
#include <vector>

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

const char* extensionOf(const ScanParam& param) { return writesBmpPages(param) ? "bmp" : "jpg"; }

// Grey rows to a 1-bit raster, most significant bit leftmost, 1 white.
std::vector<std::uint8_t> packWhiteBits(const QImage& grey) {
  const auto width = static_cast<std::size_t>(grey.width());
  const std::size_t rowBytes = (width + 7) / 8;
  std::vector<std::uint8_t> raster(rowBytes * static_cast<std::size_t>(grey.height()), 0);
  for (int y = 0; y < grey.height(); ++y) {
    const uchar* in = grey.constScanLine(y);
    std::uint8_t* out = raster.data() + static_cast<std::size_t>(y) * rowBytes;
    for (std::size_t x = 0; x < width; ++x) {
      if (in[x] >= 128) out[x / 8] = static_cast<std::uint8_t>(out[x / 8] | (0x80u >> (x % 8)));
    }
  }
  return raster;
}

void discard(const std::vector<std::string>& staged) {
  std::string ignored;
  for (const auto& name : staged) removeFile(name, ignored);
}

ResultPair mergeFailed(const std::vector<std::string>& staged) {
  discard(staged);
  return saveFailed();
}

}  // namespace

QSize sheetSize(bool oriation, const ScanParam& param) {
  if (!isPageSide(param.w) || !isPageSide(param.h)) return {};
  const auto w = static_cast<int>(param.w);
  const auto h = static_cast<int>(param.h);
  return oriation ? QSize(w, h) : QSize(h, w);
}

QRect halfRect(bool oriation, bool oddPage, QSize sheet) {
  const int width = sheet.width();
  const int height = sheet.height();
  if (!oriation) {
    return oddPage ? QRect(0, 0, width / 2, height) : QRect(width / 2, 0, width / 2, height);
  }
  // Measured from the bottom edge: the odd page from 0, the even page from H / 2.
  const int bottom = oddPage ? 0 : height / 2;
  return QRect(0, height - bottom - height / 2, width, height / 2);
}

ResultPair save2Images(const QImage& image, long long pageNo, const ScanParam& param) {
  const std::string target = pageFileName(param.filePath, pageNo, extensionOf(param));
  logLine("save 2 image path = " + target);
  logLine("save2Images pixelsWide = " + std::to_string(image.width()) +
          " and pixelsHigh =" + std::to_string(image.height()));
  std::string error;
  bool written = false;
  if (writesBmpPages(param)) {
    const auto grey = image.convertToFormat(QImage::Format_Grayscale8);
    const auto rowBytes = (static_cast<std::size_t>(grey.width()) + 7) / 8;
    const auto bmp = withBWRows(bwBmpHeader(grey.width(), grey.height()), packWhiteBits(grey), rowBytes);
    written = !bmp.empty() && writeFileWhole(stagingFileName(target), bmp, true, error);
    if (bmp.empty()) error = "a sheet of this size does not fit a BMP file";
  } else if (const auto jpeg = encodeJpeg(image, error)) {
    // The sheets are to replace the pages: they must be on the disk first.
    written = writeFileWhole(stagingFileName(target), jpeg->bytes(), true, error);
  }
  if (!written) {
    logLine("save image error = " + error);
    return saveFailed();
  }
  return saveSucceeded();
}

ResultPair combineImage(long long pages, bool oriation, const ScanParam& param) {
  const QSize size = sheetSize(oriation, param);
  const std::string sheetWidth = std::to_string(oriation ? param.w : param.h);
  const std::string sheetHeight = std::to_string(oriation ? param.h : param.w);
  logLine("combine image w = " + sheetWidth + " h = " + sheetHeight);
  const char* extension = extensionOf(param);
  const std::string firstName = pageFileName(param.filePath, 1, extension);
  logLine("read odd image = " + firstName);
  std::string error;
  std::optional<QImage> page;
  if (pages >= 1) {
    page = readPageFile(firstName, error);
  } else {
    error = "no pages to merge";
  }
  if (!page) {
    logLine("comImage to cgImage error");
    logLine("read image error = " + error);
    return saveFailed();
  }
  const bool bmpPages = writesBmpPages(param);
  QImage sheet;
  if (!size.isEmpty()) sheet = QImage(size, bmpPages ? QImage::Format_Grayscale8 : page->format());
  if (sheet.isNull()) {
    logLine("save image error = no sheet of " + sheetWidth + " x " + sheetHeight + " pixels");
    return saveFailed();
  }

  std::vector<std::string> staged;
  for (long long i = 1; i <= pages; ++i) {
    if (i > 1) page = readPageFile(pageFileName(param.filePath, i, extension), error);
    if (!page) {
      logLine("read image error = " + error);
      return mergeFailed(staged);
    }
    // 1-bit pages are stored as scanned; the JPEG writer has already turned
    // the pages of this mode upside down, so the sheets come out alike.
    if (bmpPages && param.combineType == kCombinVertical) page = page->mirrored(true, true);
    const bool odd = i % 2 == 1;
    if (odd) sheet.fill(Qt::white);
    drawStretched(sheet, halfRect(oriation, odd, size), *page);
    page.reset();
    if (odd && i < pages) continue;
    const long long sheetNo = odd ? i / 2 + 1 : i / 2;
    if (!save2Images(sheet, sheetNo, param).status) return mergeFailed(staged);
    staged.push_back(stagingFileName(pageFileName(param.filePath, sheetNo, extension)));
  }

  // Every sheet is written: now they take the place of the pages.
  const long long sheets = static_cast<long long>(staged.size());
  for (long long k = 1; k <= sheets; ++k) {
    const auto& from = staged[static_cast<std::size_t>(k - 1)];
    if (!renameReplacing(from, pageFileName(param.filePath, k, extension), error)) {
      logLine("save image error = " + error);
      return mergeFailed({staged.begin() + k - 1, staged.end()});
    }
  }
  for (long long i = sheets + 1; i <= pages; ++i) {
    if (!removeFile(pageFileName(param.filePath, i, extension), error)) {
      logLine("delete even image error : " + error);
    }
  }
  return saveSucceeded();
}

}  // namespace scan
