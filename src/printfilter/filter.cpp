#include "printfilter/filter.h"

#include <cups/cups.h>
#include <cups/raster.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <string>
#include <vector>

#include "printfilter/bit_page.h"
#include "printfilter/fields.h"
#include "printfilter/halftone.h"
#include "printfilter/jbig_encode.h"
#include "printfilter/job_stream.h"
#include "printfilter/log.h"
#include "printfilter/options.h"
#include "printfilter/page_folder.h"
#include "printfilter/page_order.h"
#include "printfilter/page_rows.h"
#include "printfilter/ppd_marks.h"
#include "printfilter/progress_language.h"
#include "printfilter/raster_check.h"
#include "printfilter/raster_input.h"
#include "printfilter/scaling.h"
#include "printfilter/side_channel.h"
#include "printfilter/termination.h"

namespace printfilter {

namespace {

constexpr const char* kUsage = "Usage: printfilter-quktr6620lxv job-id user title copies options [file]\n";

struct PageExtent {
  unsigned width = 0;
  unsigned height = 0;
};

enum class Sent { Ok, Failed, Cancelled };

// One job's pages: preparing them into page files and sending them.
class PageRun {
 public:
  PageRun(JobStream& stream, Log& log, const PageFolder& folder, const JobOptions& options)
      : stream_(stream), log_(log), folder_(folder), options_(options) {}

  bool prepare(cups_raster_t* raster, const cups_page_header2_t& header, int page);
  bool prepareBlank(int page);
  Sent send(int page);
  Sent sendAll(const std::vector<int>& pages);

 private:
  // Writes the page's file; false, with an error line, when it could not be written.
  bool store(BitPage& bits, int page);

  PageExtent& extent(int page) {
    if (extents_.size() <= static_cast<std::size_t>(page)) extents_.resize(static_cast<std::size_t>(page) + 1);
    return extents_[static_cast<std::size_t>(page)];
  }

  JobStream& stream_;
  Log& log_;
  const PageFolder& folder_;
  const JobOptions& options_;
  // Each page's own size: a page may be sent long after later pages were read.
  std::vector<PageExtent> extents_;
};

bool PageRun::prepare(cups_raster_t* raster, const cups_page_header2_t& header, int page) {
  const std::size_t width = header.cupsWidth;
  const std::size_t height = header.cupsHeight;
  extent(page) = {header.cupsWidth, header.cupsHeight};
  try {
    RasterRowReader reader(raster, header.cupsBytesPerLine, height, log_);
    Scaler scaler(width, height, options_.scale);
    scaler.logStart(log_);
    const Screen screen(options_.darkness, log_);
    BitPage bits = [&] {
      if (pageIsTurned(options_.sides, page)) {
        TurnedPage turned(reader, width, height);
        return renderPage(turned, width, height, scaler, screen);
      }
      StreamedRows rows(reader, width);
      BitPage rendered = renderPage(rows, width, height, scaler, screen);
      rows.finish();
      return rendered;
    }();
    if (screen.usesGammaCurve()) log_.line("DEBUG:[KTR6620LXV]==free=Halftone;\n");
    // A page whose rows stop early would print with its lower part blank and
    // the job would pass for done: the loss is the job's failure instead.
    if (reader.endedEarly()) {
      log_.line("ERROR: page %d: the raster input ends inside the page data\n", page);
      return false;
    }
    return store(bits, page);
  } catch (const std::bad_alloc&) {
    log_.line("DEBUG:[KTR6620LXV] failed to locate temp image memory size=%zu\n", width * height);
    return false;
  }
}

bool PageRun::prepareBlank(int page) {
  const PageExtent partner = extent(page - 1);
  extent(page) = partner;
  try {
    BitPage blank(partner.width, partner.height);
    return store(blank, page);
  } catch (const std::bad_alloc&) {
    log_.line("DEBUG:[KTR6620LXV] failed to locate temp image memory size=%u\n", partner.width * partner.height);
    return false;
  }
}

bool PageRun::store(BitPage& bits, int page) {
  const std::string path = folder_.pageFile(page);
  if (writeJbigFile(bits, path)) return true;
  log_.line("ERROR: cannot write page file %s\n", path.c_str());
  return false;
}

Sent PageRun::send(int page) {
  if (terminationFlag() != 0) return Sent::Cancelled;
  log_.progress(Progress::StartSendPage, page);
  const PageExtent size = extent(page);
  stream_.sendPageHeader(options_.pageSize, size.width, size.height, options_.inputSlot);
  const bool complete = stream_.sendPageData(folder_.pageFile(page));
  stream_.endOfPage();
  return complete && stream_.ok() ? Sent::Ok : Sent::Failed;
}

Sent PageRun::sendAll(const std::vector<int>& pages) {
  for (int page : pages)
    if (const Sent sent = send(page); sent != Sent::Ok) return sent;
  return Sent::Ok;
}

// Tells the printer and the print service that the job is cancelled.
int cancelJob(JobStream& stream, Log& log, const char* printerName, int jobId) {
  log.progress(Progress::JobCancelled);
  stream.sendCmd("CancelJob?");
  const int result = cupsCancelJob(printerName, jobId);
  log.line("[KTR6620LXV]cupsCancelJob int = %d\n", result);
  log.line("[KTR6620LXV]cupsCancelJoblasterror = %s\n", cupsLastErrorString());
  return 0;
}

}  // namespace

int runFilter(int argc, char* argv[]) {
  installTerminationHandler();
  if (argc < 6) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  Log log(stderr);
  const char* printerName = argv[0];
  const int jobId = std::atoi(argv[1]);
  const std::string title = fieldValue(argv[3]);
  const int copies = std::atoi(argv[4]);

  cups_option_t* jobOptions = nullptr;
  const int numOptions = cupsParseOptions(argv[5], 0, &jobOptions);
  if (numOptions < 0) {
    log.line("DEBUG:[KTR6620LXV]illegal option.return 0\n");
    return 0;
  }
  const ProgressLanguage language = progressLanguageOf(languageTag(std::getenv));
  log.setLanguage(language);
  setTerminationLanguage(language);
  const JobOptions options = [&] {
    const PpdMarks marks(std::getenv("PPD"), numOptions, jobOptions);
    return readJobOptions(marks, log);
  }();
  cupsFreeOptions(numOptions, jobOptions);

  int inputFd = STDIN_FILENO;
  if (argc > 6) {
    inputFd = ::open(argv[6], O_RDONLY | O_CLOEXEC);
    if (inputFd < 0) {
      log.line("ERROR: cannot open %s: %s\n", argv[6], std::strerror(errno));
      return 1;
    }
  }
  std::string folderError;
  const auto folder = PageFolder::create(std::getenv("TMPDIR"), folderError);
  if (!folder) {
    if (inputFd != STDIN_FILENO) ::close(inputFd);
    log.line("ERROR: %s\n", folderError.c_str());
    return 1;
  }

  const auto channel = openSideChannel();
  PrinterLink link(channel.get(), log);
  link.waitForConnection(terminationFlag(), requestTermination);

  // With collated copies the filter repeats the pages and the printer makes one copy.
  const std::string jobCopies = options.collate ? "1" : fieldValue(argv[4]);
  JobStream stream(STDOUT_FILENO, link, log);
  stream.startOfJob();
  stream.sendJobHeader({title, jobCopies, options.mediaType, options.sides}, std::time(nullptr));

  RasterInput input(inputFd);
  PageRun run(stream, log, *folder, options);
  auto cancel = [&] { return cancelJob(stream, log, printerName, jobId); };
  bool failed = false;
  if (input.get() == nullptr && input.sawData()) {
    log.line("ERROR: the input is not a CUPS raster stream\n");
    failed = true;
  }
  int page = 1;
  cups_page_header2_t header;
  RasterInput::Next next = RasterInput::Next::End;
  while (!failed && stream.ok() && input.get() != nullptr &&
         (next = input.nextPage(header)) == RasterInput::Next::Page) {
    log.line("DEBUG:[KTR6620LXV] raster image width =%d  height = %d\n", static_cast<int>(header.cupsWidth),
             static_cast<int>(header.cupsHeight));
    if (terminationFlag() != 0) return cancel();
    if (const auto problem = rasterHeaderProblem(header)) {
      log.line("ERROR: page %d: %s\n", page, problem->c_str());
      failed = true;
      break;
    }
    if (!run.prepare(input.get(), header, page)) {
      failed = true;
      break;
    }
    log.progress(Progress::FinishedPage, page);
    const Sent sent = run.sendAll(pagesSentAfter(page, options.sides));
    if (sent == Sent::Cancelled) return cancel();
    failed = sent == Sent::Failed;
    ++page;
  }
  // The pages also end where libcups refuses a page header; unless the input
  // ended cleanly there, the rest of the job was lost.
  if (!failed && stream.ok()) {
    switch (next) {
      case RasterInput::Next::Page:
      case RasterInput::Next::End:
        break;
      case RasterInput::Next::CutShort:
        log.line("ERROR: page %d: the raster input ends inside the page header\n", page);
        break;
      case RasterInput::Next::Unreadable:
        log.line("ERROR: page %d: the raster page header cannot be read\n", page);
        break;
      case RasterInput::Next::ReadFailed:
        log.line("ERROR: cannot read the raster input: %s\n", std::strerror(input.readError()));
        break;
    }
    failed = next != RasterInput::Next::Page && next != RasterInput::Next::End;
  }
  const int pagesRead = page - 1;
  log.line("DEBUG:[KTR6620LXV] total page number =  %d ========================\n", page);
  log.line("DEBUG: total page number =  %d ========================\n", pagesRead);

  // After a failed page nothing more is sent: no blank side, no copies.
  if (!failed && stream.ok()) {
    if (const int blank = blankPageNumber(pagesRead, options.sides); blank != 0) {
      failed = !run.prepareBlank(blank);
      if (!failed) {
        const Sent sent = run.sendAll(closingPages(pagesRead, options.sides));
        if (sent == Sent::Cancelled) return cancel();
        failed = sent == Sent::Failed;
      }
    }
    for (int copy = 2; options.collate && !failed && copy <= copies; ++copy) {
      log.line("DEBUG:send copy = %d and total copies = %d ========================\n", copy, copies);
      const Sent sent = run.sendAll(copyOrder(pagesRead, options.sides));
      if (sent == Sent::Cancelled) return cancel();
      failed = sent == Sent::Failed;
    }
  }
  if (terminationFlag() != 0 && !failed) return cancel();
  if (failed) requestTermination();
  if (stream.ok()) stream.endOfJob();
  return failed || !stream.ok() ? 1 : 0;
}

}  // namespace printfilter
