// Figures of the scan's page files at 600 dpi A4 (4864 x 6882): the JPEG page
// writer against TurboJPEG's and Qt's decode + encode alone, the merge per
// sheet, the PDF of all pages against a plain copy of their files, and the
// peak memory of each step.
//
//   scan_bench [pages [work-folder]]      (defaults: 20, a new folder in /tmp)
// One core, as the scanner application runs its file steps:  taskset -c 0 scan_bench

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <malloc.h>
#include <memory>
#include <random>
#include <fcntl.h>
#include <sched.h>
#include <unistd.h>
#include <string>
#include <vector>

#include "bench_support.h"
#include "scan/pages/file_names.h"
#include "scan/pages/merge.h"
#include "scan/pages/page_writer.h"
#include "scan/pages/pdf_writer.h"
#include "scan/scan_param.h"

namespace {

using namespace scanbench;

// Qt's image classes alone: the same with QImageReader and QImageWriter.
void qtDecodeEncode(const Bytes& page) {
  QByteArray in = QByteArray::fromRawData(reinterpret_cast<const char*>(page.data()), static_cast<qsizetype>(page.size()));
  QBuffer source(&in);
  QImageReader reader(&source, "jpeg");
  const QImage image = reader.read();
  QByteArray out;
  QBuffer sink(&out);
  sink.open(QIODevice::WriteOnly);
  QImageWriter writer(&sink, "jpeg");
  writer.setQuality(20);
  writer.write(image);
}

scan::ScanParam param(const std::string& mode, const std::string& combineType, int rotate, const std::filesystem::path& folder) {
  scan::ScanParam p;
  p.mode = mode;
  p.w = kWidth;
  p.h = kHeight;
  p.combineType = combineType;
  p.rotateAngle = rotate;
  p.fileType = "PDF";
  p.filePath = (folder / "file").string();
  return p;
}

struct Figures {
  double perPage = 0;
  double peakMiB = 0;
  double peakAfterFewMiB = 0;
};

Figures perPage(int pages, const std::function<void(int)>& onePage) {
  Figures f;
  resetPeakMemory();
  const double total = seconds([&] {
    for (int i = 1; i <= pages; ++i) {
      onePage(i);
      if (i == std::min(3, pages)) f.peakAfterFewMiB = peakMemoryMiB();
    }
  });
  f.perPage = total / pages;
  f.peakMiB = peakMemoryMiB();
  return f;
}

std::size_t folderBytes(const std::filesystem::path& folder) {
  std::size_t total = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) total += entry.file_size();
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  // Large blocks straight from and back to the system, so that the resident
  // size after a step tells what the step still holds.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 20);
  const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  std::filesystem::path work = argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path() / "scan-bench";
  std::filesystem::remove_all(work);
  std::filesystem::create_directories(work);
  cpu_set_t cpus;
  CPU_ZERO(&cpus);
  sched_getaffinity(0, sizeof cpus, &cpus);
  std::printf("scan page files, %d pages of %d x %d (600 dpi A4), %d CPU(s) allowed, work folder %s\n",
              pages, kWidth, kHeight, CPU_COUNT(&cpus), work.c_str());

  Bytes greyPage, colourPage, greyHalfPage, colourHalfPage;
  {
    const QImage greyPicture = scannedPage(false);
    const QImage colourPicture = scannedPage(true);
    greyPage = turboEncode(greyPicture, 85);
    colourPage = turboEncode(colourPicture, 85);
    // An ID card scan asks the device for half the page height.
    greyHalfPage = turboEncode(greyPicture.copy(0, 0, kWidth, kHeight / 2), 85);
    colourHalfPage = turboEncode(colourPicture.copy(0, 0, kWidth, kHeight / 2), 85);
  }
  std::printf("page data as the scanner sends it (JPEG q85): grey %zu KiB, colour %zu KiB\n\n",
              greyPage.size() / 1024, colourPage.size() / 1024);

  turboDecodeEncode(greyPage, true);  // warm-up: libraries loaded, memory mapped
  turboDecodeEncode(colourPage, false);

  std::printf("%-44s %10s %10s %12s\n", "JPEG page writer, per page", "seconds", "ratio", "+peak MiB");
  for (const bool grey : {true, false}) {
    const Bytes& page = grey ? greyPage : colourPage;
    const char* kind = grey ? "grey" : "colour";
    const Figures turbo = perPage(pages, [&](int) { turboDecodeEncode(page, grey); });
    const Figures qt = perPage(pages, [&](int) { qtDecodeEncode(page); });
    std::printf("%-44s %10.3f %10s %12.0f\n", (std::string("TurboJPEG decode + encode q20, ") + kind).c_str(),
                turbo.perPage, "1.00", turbo.peakMiB);
    std::printf("%-44s %10.3f %10.2f %12.0f\n", (std::string("Qt decode + encode q20, ") + kind).c_str(), qt.perPage,
                qt.perPage / turbo.perPage, qt.peakMiB);
    struct Case {
      const char* name;
      const char* combine;
      int rotate;
    };
    for (const Case c : {Case{"saveImages as received", "NoCombine", 0}, Case{"saveImages turned 90", "NoCombine", 90},
                         Case{"saveImages CombinHorizontal (0.7)", "CombinHorizontal", 0}}) {
      const auto folder = work / (std::string(kind) + "-" + c.combine + std::to_string(c.rotate));
      std::filesystem::create_directories(folder);
      const auto p = param(grey ? "GRAY256" : "CGRAY", c.combine, c.rotate, folder);
      Figures f;
      quiet([&] { f = perPage(pages, [&](int i) { scan::saveImages(p, i, page); }); });
      std::printf("%-44s %10.3f %10.2f %12.0f  (after 3 pages %.0f)\n", (std::string(c.name) + ", " + kind).c_str(),
                  f.perPage, f.perPage / turbo.perPage, f.peakMiB, f.peakAfterFewMiB);
    }
  }

  std::printf("\n%-44s %10s %12s\n", "merge (combineImage)", "s/sheet", "+peak MiB");
  for (const bool grey : {true, false}) {
    for (const char* combine : {"CombinHorizontal", "IDCard"}) {
      const auto folder = work / (std::string("merge-") + combine + (grey ? "-grey" : "-colour"));
      std::filesystem::create_directories(folder);
      const auto p = param(grey ? "GRAY256" : "CGRAY", combine, 0, folder);
      const bool halves = std::string(combine) == scan::kIDCard;
      const Bytes& page = grey ? (halves ? greyHalfPage : greyPage) : (halves ? colourHalfPage : colourPage);
      quiet([&] { for (int i = 1; i <= pages; ++i) scan::saveImages(p, i, page); });
      resetPeakMemory();
      double total = 0;
      quiet([&] { total = seconds([&] { scan::combineImage(pages, scan::combineOriation(combine), p); }); });
      std::printf("%-44s %10.3f %12.0f\n", (std::string(combine) + (grey ? ", grey" : ", colour")).c_str(),
                  total / ((pages + 1) / 2), peakMemoryMiB());
    }
  }

  std::printf("\n%-44s %10s %10s %12s\n", "PDF of all pages", "seconds", "ratio", "+peak MiB");
  for (const bool grey : {true, false}) {
    const auto pagesFolder = work / (grey ? "grey-NoCombine0" : "colour-NoCombine0");
    const auto p = param(grey ? "GRAY256" : "CGRAY", "NoCombine", 0, pagesFolder);
    const auto copyFolder = work / "copy";
    const double copy = seconds([&] {
      std::filesystem::create_directories(copyFolder);
      for (int i = 1; i <= pages; ++i) {
        const std::filesystem::path from = scan::pageFileName(p.filePath, i, "jpg");
        std::filesystem::copy_file(from, copyFolder / from.filename(), std::filesystem::copy_options::overwrite_existing);
      }
    });
    std::filesystem::remove_all(copyFolder);
    const double userCopy = seconds([&] {
      std::filesystem::create_directories(copyFolder);
      for (int i = 1; i <= pages; ++i) {
        const std::filesystem::path from = scan::pageFileName(p.filePath, i, "jpg");
        std::ifstream in(from, std::ios::binary);
        const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::ofstream(copyFolder / from.filename(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      }
    });
    std::filesystem::remove_all(copyFolder);
    // The PDF is synced to the disk before it replaces the receive folder;
    // the same for the copy.
    const double syncedCopy = seconds([&] {
      std::filesystem::create_directories(copyFolder);
      for (int i = 1; i <= pages; ++i) {
        const std::filesystem::path from = scan::pageFileName(p.filePath, i, "jpg");
        const auto to = copyFolder / from.filename();
        std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
        const int fd = ::open(to.c_str(), O_RDONLY);
        ::fsync(fd);
        ::close(fd);
      }
    });
    std::filesystem::remove_all(copyFolder);
    const auto pdfFolder = work / "pdf";
    std::filesystem::remove_all(pdfFolder);
    std::filesystem::create_directories(pdfFolder);
    resetPeakMemory();
    const double pdf = seconds([&] { scan::save2PDF(p, pages, pdfFolder.string(), "A4"); });
    std::printf("%-44s %10.3f %10s %12s  (%zu KiB)\n", (std::string("plain copy of the page files, ") + (grey ? "grey" : "colour")).c_str(),
                copy, "1.00", "", folderBytes(pagesFolder) / 1024);
    std::printf("%-44s %10.3f %10.2f\n", (std::string("read + write copy, ") + (grey ? "grey" : "colour")).c_str(),
                userCopy, userCopy / copy);
    std::printf("%-44s %10.3f %10.2f\n", (std::string("plain copy + fsync of each file, ") + (grey ? "grey" : "colour")).c_str(),
                syncedCopy, syncedCopy / copy);
    std::printf("%-44s %10.3f %10.2f %12.0f  (%zu KiB)\n", (std::string("save2PDF (synced), ") + (grey ? "grey" : "colour")).c_str(), pdf,
                pdf / copy, peakMemoryMiB(), folderBytes(pdfFolder) / 1024);
  }
  std::filesystem::remove_all(work);
  return 0;
}
