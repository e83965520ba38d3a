#pragma once

#include <string>
#include <string_view>

#include "printfilter/fields.h"
#include "printfilter/log.h"
#include "printfilter/side_channel.h"

namespace printfilter {

// Size of one page data record's payload.
inline constexpr std::size_t kDataRecordBytes = 4096;

// Writer of the printer's job stream on one descriptor (standard output):
// fields, page data records, events. Every write is checked; after a failed
// write nothing more is written and ok() stays false.
class JobStream {
 public:
  JobStream(int fd, PrinterLink& link, Log& log) : fd_(fd), link_(link), log_(log) {}

  bool ok() const { return ok_; }

  // Writes the text as it stands, then asks for a drain.
  cups_sc_status_t sendCmd(std::string_view text);

  void startOfJob() { sendCmd("Event=StartOfJob;"); }
  void sendJobHeader(const JobHeaderValues& values, std::time_t now);
  void sendPageHeader(std::string_view pageSize, unsigned width, unsigned height, InputSlot slot);
  // Sends the page file as data records; false when the file could not be
  // read to its end (or the stream failed).
  bool sendPageData(const std::string& path);
  void endOfPage() { sendCmd("Event=EndOfPage;"); }
  void endOfJob();

 private:
  bool writeAll(const char* data, std::size_t size);

  int fd_;
  PrinterLink& link_;
  Log& log_;
  bool ok_ = true;
};

}  // namespace printfilter
