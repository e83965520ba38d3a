#include "scanner/choices_to_scan_param.h"

#include "scanner/picker_options.h"

namespace scan {
namespace {

struct PageSize300 {
  double width;
  double height;
};

PageSize300 pageSizeAt300Dpi(const std::string& pageSize) {
  if (pageSize == "A5") return {1728, 2433};
  if (pageSize == "B5(JIS)") return {2112, 2979};
  if (pageSize == "Letter") return {2528, 3234};
  return {2432, 3441};
}

// Truncated toward zero, as the device's dot counts are.
std::int64_t dots(double value) { return static_cast<std::int64_t>(value); }

std::string resolutionValue(const std::string& resolution) {
  if (resolution == "300dpi") return "300,300";
  if (resolution == "600dpi") return "600,600";
  if (resolution == "1200dpi") return "1200,1200";
  return "200,200";
}

}  // namespace

ScanArea scanArea(const std::string& pageSize, const std::string& resolution, const std::string& mode) {
  const PageSize300 size = pageSizeAt300Dpi(pageSize);
  if (resolution == "300dpi") return {dots(size.width), dots(size.height)};
  if (resolution == "600dpi") return {dots(size.width * 2), dots(size.height * 2)};
  if (resolution == "1200dpi") return {dots(size.width * 4), dots(size.height * 4)};
  // 200 dpi: two thirds, the division first. The 1-bit width is fixed so
  // that every row is a whole number of 32-bit words.
  const std::int64_t width = mode == kModeText ? 1632 : dots(size.width / 3 * 2);
  return {width, dots(size.height / 3 * 2)};
}

ScanParam setScanParameter(const UIParams& uiParam, const std::string& receiveDir) {
  const std::string mode(optionAt(colorModeOption, uiParam.colorModeIndex));
  const std::string resolution(optionAt(resolutionOption, uiParam.resolutionIndex));
  const ScanArea area = scanArea(std::string(optionAt(pageSizeOption, uiParam.pageSizeIndex)),
                                 resolution, mode);
  const bool text = mode == kModeText;

  ScanParam param;
  param.source = std::string(optionAt(scanSourceOption, uiParam.scanSourceIndex));
  param.resolution = resolutionValue(resolution);
  param.mode = mode;
  param.type = std::string(optionAt(typeOption, uiParam.contentTypeIndex));
  param.compression = text ? "BMP" : "JPEG";
  param.compressRatio = "MID";
  param.brightness = "50";
  param.contrast = "50";
  param.x = 0;
  param.y = 0;
  param.w = area.w;
  param.h = area.h;
  param.duplex = "SIN";
  param.gamma = 1;
  param.combineType = std::string(optionAt(combineTypeOption, uiParam.combineTypeIndex));
  param.filePath = receiveDir + "/" + uiParam.saveFileName;
  param.fileType = uiParam.saveTypeIndex != 0 ? "PDF" : (text ? "BMP" : "JPEG");
  param.rotateAngle = optionAt(rotateOption, uiParam.rotateAngleIndex);
  return param;
}

}  // namespace scan
