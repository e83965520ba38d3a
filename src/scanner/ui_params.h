#pragma once
// The scan dialog's choices as the scan button hands them to the scanner
// model: picker positions as indexes into the option lists, and the save
// folder and file-name prefix.

#include <cstdint>
#include <string>

namespace scan {

struct UIParams {
  std::string scannerName;
  std::int64_t scanSourceIndex = 0;
  std::int64_t colorModeIndex = 0;
  std::int64_t resolutionIndex = 0;
  std::int64_t pageSizeIndex = 0;
  std::int64_t saveTypeIndex = 0;  // 0 the image format, any other value PDF
  std::int64_t contentTypeIndex = 0;
  std::int64_t rotateAngleIndex = 0;
  std::int64_t combineTypeIndex = 0;
  std::string savePrefix;
  std::string saveDir;       // full path of the save folder
  std::string saveFileName;  // file-name prefix of the page files
};

}  // namespace scan
