#pragma once
// One scan's parameters, built once per scan from the user's choices and read
// by the command builder, the page receivers and the page-file writers.

#include <cstdint>
#include <string>

namespace scan {

struct ScanParam {
  std::string source;         // "AUTO", "ADF", "FB"; the paper-source check rewrites "AUTO"
  std::string resolution;     // "200,200" ... "1200,1200"
  std::string mode;           // "CGRAY", "GRAY256", "TEXT" (1 bit per pixel)
  std::string type;           // "AUTO", "PHOTO", "TYPE"
  std::string compression;    // "BMP" in mode "TEXT", else "JPEG"
  std::string compressRatio;  // "MID"
  std::string brightness;     // "50"
  std::string contrast;       // "50"
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::int64_t w = 0;         // scan area in dots at the chosen resolution
  std::int64_t h = 0;
  std::string duplex;         // "SIN"
  std::int64_t gamma = 1;
  std::string combineType;    // "NoCombine", "CombinHorizontal", "CombinVertical", "IDCard"
  std::string filePath;       // receive folder + "/" + file-name prefix
  std::string fileType;       // "JPEG", "PDF", "BMP"
  std::int64_t rotateAngle = 0;  // 0, 90, 180
};

inline constexpr const char* kModeText = "TEXT";
inline constexpr const char* kFileTypeBmp = "BMP";
inline constexpr const char* kNoCombine = "NoCombine";
inline constexpr const char* kCombinHorizontal = "CombinHorizontal";
inline constexpr const char* kCombinVertical = "CombinVertical";
inline constexpr const char* kIDCard = "IDCard";

// Pages of mode "TEXT" saved as "BMP" stay 1-bit BMP files; every other page
// file is a JPEG file.
inline bool writesBmpPages(const ScanParam& param) {
  return param.mode == kModeText && param.fileType == kFileTypeBmp;
}

inline bool isCombinMode(const std::string& combineType) {
  return combineType == kCombinHorizontal || combineType == kCombinVertical;
}

// No scan area is longer than A4 at 1200 dpi (13764 dots). A side beyond
// this bound, or not positive, is a wrong parameter and not a page: taking it
// would fill gigabytes with padding, or wrap when held in an int.
inline constexpr std::int64_t kMaxPageSide = 16384;
inline bool isPageSide(std::int64_t side) { return side > 0 && side <= kMaxPageSide; }

// Rows of a received page: for "IDCard" the scan job asks the device for half
// the height (h / 2, rounded down).
inline std::int64_t pageRows(const ScanParam& param) {
  return param.combineType == kIDCard ? param.h / 2 : param.h;
}

// The arrangement flag the scan run hands to combineImage: "IDCard" halves lie
// one above the other on an upright sheet; the two "Combin" modes put the
// pages side by side on a landscape sheet.
inline bool combineOriation(const std::string& combineType) { return combineType == kIDCard; }

}  // namespace scan
