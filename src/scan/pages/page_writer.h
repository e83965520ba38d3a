#pragma once
// The page writers: each received page becomes one file in the receive folder
// at once, while the scan runs.

#include <cstdint>
#include <span>

#include "scan/result.h"
#include "scan/scan_param.h"

namespace scan {

// The one entry of the page receivers, once per page (numbered from 1). Mode
// "TEXT": `data` is a bare 1-bit raster (pageRows rows of w / 8 bytes, top row
// first, 1 white; a short raster is completed with white, an empty one
// fails), stored as filePath-%04d.bmp when fileType is "BMP", otherwise
// handed on as a BMP picture to save2JPEG. Other modes: `data` is an encoded
// page picture (JPEG), written by save2JPEG; a picture of any format whose
// header declares it larger than the scan area (w x h, beyond a small
// margin) fails before it is decoded.
// (true, "saveSuccessfully") or (false, "saveImageError"); a failed page
// leaves no file.
ResultPair saveImages(const ScanParam& param, long long pageNo, std::span<const std::uint8_t> data);

// The pages of one scan as the receivers get them, each saved at once with
// saveImages under the next number from 1, the order of arrival.
class ReceivedPages {
 public:
  explicit ReceivedPages(const ScanParam& param) : param_(param) {}

  long long nextPageNo() const { return pageNo_; }
  // A page that is not saved still uses up its number.
  void save(std::span<const std::uint8_t> page);
  // The job ended between pages: (true, the page count), or (false,
  // "saveImageError") when a page was not saved.
  ResultPair finished() const;

 private:
  const ScanParam& param_;
  long long pageNo_ = 1;
  bool saveFailed_ = false;
};

// Decodes the page picture (JPEG or 1-bit BMP), scales it by 0.7 for the
// "Combin" merge modes ("CombinVertical" also turns it upside down) or turns
// it by rotateAngle otherwise, and writes filePath-%04d.jpg.
ResultPair save2JPEG(const ScanParam& param, long long pageNo, std::span<const std::uint8_t> data);

}  // namespace scan
