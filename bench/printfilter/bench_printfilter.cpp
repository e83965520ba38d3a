// bench-printfilter [PAGES [RUNS]] (8 and 3 by default): the whole filter (raster in, job stream
// out, no side channel) on A4 600 dpi pages of mixed content and on blank
// pages, unscaled, scaled and two-sided, from compressed raster and from plain
// raster (what Ghostscript's raster filter hands it under the print service),
// against JBIG-KIT's encoding alone of the same halftoned bitmaps; peak memory
// of the filter process. Long-edge back sides are held whole to turn them,
// hence their larger peak. Times are processor time, the best of the runs.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "filter_process.h"
#include "memory_rows.h"
#include "printfilter/bit_page.h"
#include "printfilter/halftone.h"
#include "printfilter/jbig_encode.h"
#include "printfilter/scaling.h"
#include "raster_fixture.h"

namespace {

constexpr unsigned kWidth = 4960;   // A4 at 600 dpi
constexpr unsigned kHeight = 7016;

// Times are processor time (user and system), so that other work on a shared
// machine does not count; the filter is one thread that waits for nothing
// without a side channel, so on a quiet machine this is its wall time.
double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

std::uint32_t nextRandom(std::uint32_t& state) {
  state = state * 1664525U + 1013904223U;
  return state >> 8;
}

// Text-like rows of glyphs in the top third, a grey gradient in the middle
// third, a photo-like area (smooth shapes with grain) at the bottom.
fixture::GreyPage mixedPage() {
  fixture::GreyPage page = fixture::uniformPage(kWidth, kHeight, 255);
  std::uint32_t seed = 2024;
  const unsigned third = kHeight / 3;
  const unsigned margin = 300, lineHeight = 100, glyphHeight = 60;
  for (unsigned line = margin; line + lineHeight < third; line += lineHeight) {
    unsigned x = margin;
    while (x + 60 < kWidth - margin) {
      const unsigned glyph = 25 + nextRandom(seed) % 30;
      if (nextRandom(seed) % 7 == 0) {  // a word gap
        x += 45;
        continue;
      }
      // A glyph: a few strokes inside its box.
      for (int stroke = 0; stroke < 3; ++stroke) {
        const bool vertical = nextRandom(seed) % 2 == 0;
        const unsigned sx = x + nextRandom(seed) % glyph, sy = line + nextRandom(seed) % glyphHeight;
        const unsigned w = vertical ? 7 : glyph - (sx - x), h = vertical ? glyphHeight - (sy - line) : 7;
        for (unsigned yy = sy; yy < sy + h && yy < line + glyphHeight; ++yy)
          for (unsigned xx = sx; xx < sx + w && xx < x + glyph; ++xx) page.pixels[std::size_t{yy} * kWidth + xx] = 0;
      }
      x += glyph + 10;
    }
  }
  for (unsigned y = third; y < 2 * third; ++y)
    for (unsigned x = 0; x < kWidth; ++x)
      page.pixels[std::size_t{y} * kWidth + x] = static_cast<std::uint8_t>(x * 255 / (kWidth - 1));
  for (unsigned y = 2 * third; y < kHeight; ++y)
    for (unsigned x = 0; x < kWidth; ++x) {
      const double fx = x / 400.0, fy = y / 300.0;
      const double smooth = 128 + 70 * std::sin(fx) * std::cos(fy) + 40 * std::sin(fx * 0.3 + fy * 0.7);
      const double grain = static_cast<double>(nextRandom(seed) % 41) - 20;
      page.pixels[std::size_t{y} * kWidth + x] = static_cast<std::uint8_t>(std::clamp(smooth + grain, 0.0, 255.0));
    }
  return page;
}

// What the filter sends for the page at this scale (darkness 0).
printfilter::BitPage rendered(const fixture::GreyPage& page, double ratio) {
  fixture::MemoryRows rows(page);
  printfilter::Scaler scaler(page.width, page.height, ratio);
  const printfilter::Screen screen(0);
  return printfilter::renderPage(rows, page.width, page.height, scaler, screen);
}

struct EncodeFigures {
  double secondsPerPage;
  std::size_t bieBytes;
};

EncodeFigures encodeAlone(printfilter::BitPage& bits) {
  std::size_t bytes = 0;
  const double start = cpuSeconds();
  printfilter::encodeJbig(bits, [&](const std::uint8_t*, std::size_t size) { bytes += size; });
  return {cpuSeconds() - start, bytes};
}

struct FilterFigures {
  double secondsPerPage;
  double peakMegabytes;
};

// One filter run on the raster file, its output to /dev/null: processor seconds and
// the filter process's peak resident memory (ru_maxrss, KB). Done by a fresh
// small copy of this program (--run-filter), since a child forked from this
// big process would start out with its memory counted.
std::pair<double, long> runFilterOnce(const char* raster, const char* options, const char* tmpdir) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open(raster, O_RDONLY);
    const int out = open("/dev/null", O_WRONLY);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    close(4);
    setenv("TMPDIR", tmpdir, 1);
    setenv("PPD", PRINTFILTER_PPD, 1);
    execl(PRINTFILTER_BINARY, "bench-queue", "1", "bench", "bench", "1", options, static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double elapsed = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {-1.0, 0};
  return {elapsed, usage.ru_maxrss};
}

// One run of the filter on the job: processor seconds a page, peak memory.
FilterFigures wholeFilter(const std::string& raster, int pages, const char* options) {
  fixture::TempDir tmp;
  int fds[2];
  if (pipe(fds) != 0) std::exit(1);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fds[1], 1);
    execl("/proc/self/exe", "bench-printfilter", "--run-filter", raster.c_str(), options, tmp.path().c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  char answer[128] = {};
  const ssize_t n = read(fds[0], answer, sizeof answer - 1);
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  double seconds = -1;
  long maxrss = 0;
  if (n <= 0 || std::sscanf(answer, "%lf %ld", &seconds, &maxrss) != 2 || seconds < 0) {
    std::fprintf(stderr, "filter run failed\n");
    std::exit(1);
  }
  return {seconds / pages, static_cast<double>(maxrss) / 1024.0};
}

std::string rasterFile(const fixture::TempDir& dir, const std::string& name, const fixture::GreyPage& page, int pages,
                       fixture::Encoding encoding) {
  const std::string path = dir.str() + "/" + name;
  const std::string bytes =
      fixture::rasterBytes(std::vector<fixture::GreyPage>(static_cast<std::size_t>(pages), page), encoding);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  return path;
}

struct Case {
  const char* label;
  const char* options;
  double ratio;      // of the page whose encoding the filter is compared with
  bool plainRaster;  // uncompressed raster input instead of compressed
};

constexpr Case kCases[] = {
    {"100%", "", 1.0, false},
    {"100%, plain raster", "", 1.0, true},
    {"50%", "QUORScale=50%", 0.5, false},
    {"50%, plain raster", "QUORScale=50%", 0.5, true},
    {"150%", "QUORScale=150%", 1.5, false},
    {"150%, plain raster", "QUORScale=150%", 1.5, true},
    {"100%, long-edge duplex", "Duplex=DuplexNoTumble", 1.0, false},
};

void report(const char* what, const fixture::GreyPage& page, int pages, int runs) {
  fixture::TempDir dir;
  const std::string compressed = rasterFile(dir, "compressed", page, pages, fixture::Encoding::Compressed);
  const std::string plain = rasterFile(dir, "plain", page, pages, fixture::Encoding::Plain);
  std::printf("%s page (%ux%u):\n", what, page.width, page.height);
  std::printf("  %-24s %9s %9s %9s %9s %8s %9s\n", "case", "filter", "filter", "encode", "encode", "filter/", "peak");
  std::printf("  %-24s %9s %9s %9s %9s %8s %9s\n", "", "pages/s", "ms/page", "pages/s", "ms/page", "encode", "memory");
  for (const Case& c : kCases) {
    printfilter::BitPage bits = rendered(page, c.ratio);
    // Filter and encoder runs take turns, so that both meet the same load.
    EncodeFigures encode{1e9, 0};
    FilterFigures filter{1e9, 0};
    for (int run = 0; run < runs; ++run) {
      const EncodeFigures e = encodeAlone(bits);
      const FilterFigures f = wholeFilter(c.plainRaster ? plain : compressed, pages, c.options);
      encode = {std::min(encode.secondsPerPage, e.secondsPerPage), e.bieBytes};
      filter = {std::min(filter.secondsPerPage, f.secondsPerPage), std::max(filter.peakMegabytes, f.peakMegabytes)};
    }
    std::printf("  %-24s %9.2f %9.1f %9.2f %9.1f %8.2f %6.1f MB\n", c.label, 1 / filter.secondsPerPage,
                filter.secondsPerPage * 1000, 1 / encode.secondsPerPage, encode.secondsPerPage * 1000,
                filter.secondsPerPage / encode.secondsPerPage, filter.peakMegabytes);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 5 && std::string(argv[1]) == "--run-filter") {
    const auto [elapsed, maxrss] = runFilterOnce(argv[2], argv[3], argv[4]);
    std::printf("%f %ld\n", elapsed, maxrss);
    return 0;
  }
  const int pages = argc > 1 ? std::max(1, std::atoi(argv[1])) : 8;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  std::printf("printfilter-quktr6620lxv: %d pages a job, best of %d runs\n", pages, runs);
  report("Mixed", mixedPage(), pages, runs);
  report("Blank", fixture::uniformPage(kWidth, kHeight, 255), pages, runs);
  return 0;
}
