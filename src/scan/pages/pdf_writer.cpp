#include "scan/pages/pdf_writer.h"

#include <hpdf.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "scan/pages/file_names.h"
#include "scan/pages/file_store.h"
#include "device/common/log.h"

namespace scan {

using device::logLine;
namespace {

constexpr int kMaxNameAttempts = 1000;

void recordError(HPDF_STATUS error, HPDF_STATUS detail, void* userData) {
  auto* text = static_cast<std::string*>(userData);
  char line[64];
  std::snprintf(line, sizeof line, "PDF library error 0x%04X (detail %u)",
                static_cast<unsigned>(error), static_cast<unsigned>(detail));
  if (text->empty()) *text = line;
}

using Document = std::unique_ptr<std::remove_pointer_t<HPDF_Doc>, void (*)(HPDF_Doc)>;

ResultPair failed(const std::string& error) {
  logLine("save pdf error = " + error);
  return saveFailed();
}

// libharu writes the file itself and does not report a failure of its last
// flush: the document is whole only when it ends in its end marker.
bool saveDocument(HPDF_Doc pdf, const std::string& path, std::string& error) {
  if (HPDF_SaveToFile(pdf, path.c_str()) != HPDF_OK) {
    if (error.empty()) error = "cannot write \"" + path + "\"";
    return false;
  }
  static constexpr char kEnd[] = "%%EOF\n";
  if (!endsWith(path, kEnd, error) || !syncFile(path, error)) return false;
  return true;
}

// Moves the finished file to its name; a name already taken is never replaced.
bool place(const std::string& temporary, const std::string& pdfDir, const std::string& stamp,
           std::string& error) {
  for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
    const std::string name = pdfFileName(pdfDir, stamp, attempt);
    switch (renameNoReplace(temporary, name, error)) {
      case Placed::done:
        return true;
      case Placed::failed:
        return false;
      case Placed::nameTaken:
        break;
    }
  }
  error = "no free name for " + pdfFileName(pdfDir, stamp, 0);
  return false;
}

}  // namespace

std::chrono::system_clock::time_point systemNow() { return std::chrono::system_clock::now(); }

MediaBox mediaBox(const std::string& pageSize, const ScanParam& param) {
  MediaBox box{595, 842};
  if (pageSize == "A5") box = {420, 595};
  if (pageSize == "B5(JIS)") box = {514, 725};
  if (pageSize == "Letter") box = {611, 791};
  if (param.rotateAngle == 90 || isCombinMode(param.combineType)) {
    box = {box.height, box.width};
  }
  return box;
}

ResultPair save2PDF(const ScanParam& param, long long pages, const std::string& pdfDir,
                    const std::string& pageSize, const Clock& clock) {
  std::string error;
  Document pdf(HPDF_New(recordError, &error), HPDF_Free);
  if (!pdf) return failed("no PDF document");
  const MediaBox box = mediaBox(pageSize, param);
  for (long long i = 1; i <= pages; ++i) {
    const std::string name = pageFileName(param.filePath, i, "jpg");
    // The JPEG file goes into the document unchanged (DCTDecode).
    HPDF_Image image = HPDF_LoadJpegImageFromFile(pdf.get(), name.c_str());
    HPDF_Page page = image != nullptr ? HPDF_AddPage(pdf.get()) : nullptr;
    if (page == nullptr || HPDF_Page_SetWidth(page, static_cast<HPDF_REAL>(box.width)) != HPDF_OK ||
        HPDF_Page_SetHeight(page, static_cast<HPDF_REAL>(box.height)) != HPDF_OK ||
        HPDF_Page_DrawImage(page, image, 0, 0, static_cast<HPDF_REAL>(box.width),
                            static_cast<HPDF_REAL>(box.height)) != HPDF_OK) {
      return failed("page file \"" + name + "\": " + error);
    }
  }
  const std::string stamp = timeStampName(clock());
  const std::string target = pdfFileName(pdfDir, stamp, 0);
  // Written beside its final name and moved there when complete: no half
  // PDF is ever seen under a finished name.
  const auto temporary = writeTemporaryBeside(target, {}, false, error);
  if (!temporary) return failed(error);
  if (!saveDocument(pdf.get(), *temporary, error) || !place(*temporary, pdfDir, stamp, error)) {
    std::string ignored;
    removeFile(*temporary, ignored);
    return failed(error);
  }
  return saveSucceeded();
}

}  // namespace scan
