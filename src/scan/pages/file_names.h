#pragma once
// Names of the scan's files: pages and sheets, the PDF, and the names that
// hold a file while it is being written.

#include <chrono>
#include <string>

namespace scan {

// filePath + "-%04d.jpg" / "-%04d.bmp": at least four digits, zero-padded.
std::string pageFileName(const std::string& filePath, long long pageNo, const char* extension);

// Local time as "yyyyMMddHHmmss".
std::string timeStampName(std::chrono::system_clock::time_point time);

// pdfDir + "/" + stamp + ".pdf"; a later attempt (1, 2, ...) when that name is
// taken gives stamp + "-1.pdf", stamp + "-2.pdf", ...
std::string pdfFileName(const std::string& pdfDir, const std::string& stamp, int attempt);

// A finished sheet waits under this name until every sheet of the merge is written.
std::string stagingFileName(const std::string& finalName);

}  // namespace scan
