#include "printfilter/job_stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace printfilter {

bool JobStream::writeAll(const char* data, std::size_t size) {
  while (ok_ && size > 0) {
    const ssize_t n = ::write(fd_, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok_ = false;
      log_.line("ERROR: cannot write the job stream: %s\n", n < 0 ? std::strerror(errno) : "nothing written");
      break;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return ok_;
}

cups_sc_status_t JobStream::sendCmd(std::string_view text) {
  log_.line("DEBUG:[KTR6620LXV] sned cmd = %.*s\n", static_cast<int>(text.size()), text.data());
  if (!writeAll(text.data(), text.size())) return CUPS_SC_STATUS_IO_ERROR;
  return link_.drain();
}

void JobStream::sendJobHeader(const JobHeaderValues& values, std::time_t now) {
  const std::string header = jobHeader(values, now);
  log_.line("DEBUG:[KTR6620LXV]##copies=%s\n", values.copies.c_str());
  sendCmd(header);
  log_.line("DEBUG:[KTR6620LXV]send job header info : %s \n", header.c_str());
}

void JobStream::sendPageHeader(std::string_view pageSize, unsigned width, unsigned height, InputSlot slot) {
  const std::string header = pageHeader(pageSize, width, height, slot);
  sendCmd(header);
  log_.line("DEBUG:[KTR6620LXV]send page header info : %s \n", header.c_str());
}

bool JobStream::sendPageData(const std::string& path) {
  log_.line("DEBUG:[KTR6620LXV]start to send page : %s\n", path.c_str());
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) {
    log_.line("DEBUG:[KTR6620LXV]can not open file %s, goto loopendPage and CancelJob;\n", path.c_str());
    return false;
  }
  // One buffer holds a whole record: key, payload and ";".
  const std::string longestKey = dataRecordKey(kDataRecordBytes);
  std::vector<char> record(longestKey.size() + kDataRecordBytes + 1);
  char* payload = record.data() + longestKey.size();
  bool complete = true;
  for (;;) {
    ssize_t count = ::read(file, payload, kDataRecordBytes);
    if (count < 0 && errno == EINTR) continue;
    log_.line("DEBUG:[KTR6620LXV]read jbig file and readsize = %d\n", static_cast<int>(count));
    if (count < 0) complete = false;
    if (count <= 0) break;
    const auto size = static_cast<std::size_t>(count);
    const std::string key = dataRecordKey(size);
    char* start = payload - key.size();
    std::memcpy(start, key.data(), key.size());
    payload[size] = ';';
    if (!writeAll(start, key.size() + size + 1)) {
      complete = false;
      break;
    }
    switch (link_.drain()) {
      case CUPS_SC_STATUS_TIMEOUT: log_.line("DEBUG:[KTR6620LXV] write data to stdout time out \n"); break;
      case CUPS_SC_STATUS_IO_ERROR: log_.line("DEBUG:[KTR6620LXV] write data to stdout IO Error \n"); break;
      case CUPS_SC_STATUS_NO_RESPONSE: log_.line("DEBUG:[KTR6620LXV] write data to stdout no response \n"); break;
      default: break;
    }
  }
  ::close(file);
  return complete;
}

void JobStream::endOfJob() {
  sendCmd("Event=EndOfJob;");
  log_.progress(Progress::FinishedJob);
}

}  // namespace printfilter
