#include "scan/pages/file_names.h"

#include <cstdio>
#include <ctime>

namespace scan {

std::string pageFileName(const std::string& filePath, long long pageNo, const char* extension) {
  char number[32];
  std::snprintf(number, sizeof number, "-%04lld.", pageNo);
  return filePath + number + extension;
}

std::string timeStampName(std::chrono::system_clock::time_point time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
  return text;
}

std::string pdfFileName(const std::string& pdfDir, const std::string& stamp, int attempt) {
  std::string name = pdfDir + "/" + stamp;
  if (attempt > 0) name += "-" + std::to_string(attempt);
  return name + ".pdf";
}

std::string stagingFileName(const std::string& finalName) { return finalName + ".part"; }

}  // namespace scan
