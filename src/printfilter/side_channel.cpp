#include "printfilter/side_channel.h"

#include <sys/stat.h>
#include <time.h>

#include <cerrno>

namespace printfilter {

cups_sc_status_t CupsSideChannel::request(cups_sc_command_t command, double timeoutSeconds) {
  char answer[512];
  int length = sizeof answer;
  return cupsSideChannelDoRequest(command, answer, &length, timeoutSeconds);
}

std::unique_ptr<SideChannel> openSideChannel() {
  // The print service hands its end of a socket pair; descriptor 4 may
  // otherwise be anything, the raster file we opened ourselves among them.
  struct stat info {};
  if (::fstat(CUPS_SC_FD, &info) != 0 || !S_ISSOCK(info.st_mode)) return nullptr;
  return std::make_unique<CupsSideChannel>();
}

PrinterLink::PrinterLink(SideChannel* channel, Log& log, Pause pause)
    : channel_(channel), log_(log), pause_(std::move(pause)) {}

void PrinterLink::sleepUnlessFlagged(std::chrono::milliseconds duration, const volatile std::sig_atomic_t& flag) {
  timespec left{static_cast<time_t>(duration.count() / 1000), static_cast<long>(duration.count() % 1000) * 1000000L};
  // A signal ends the sleep early (EINTR); go on sleeping only if it was not ours.
  while (flag == 0 && ::nanosleep(&left, &left) == -1 && errno == EINTR) {
  }
}

void PrinterLink::waitForConnection(const volatile std::sig_atomic_t& terminated,
                                    const std::function<void()>& terminate) {
  if (channel_ == nullptr) return;
  int unanswered = 0;
  while (terminated == 0) {
    const cups_sc_status_t status = channel_->request(CUPS_SC_CMD_GET_CONNECTED, kTimeoutSeconds);
    if (status == CUPS_SC_STATUS_OK || status == CUPS_SC_STATUS_NOT_IMPLEMENTED) return;
    log_.line("DEBUG:[KTR6620LXV] Check Connecttion CUPS Stauts = %d \n", static_cast<int>(status));
    if (status == CUPS_SC_STATUS_NO_RESPONSE || status == CUPS_SC_STATUS_IO_ERROR) {
      log_.line("DEBUG:[KTR6620LXV] CUPS_SC_STATUS_NO_RESPONSE or CUPS_SC_STATUS_IO_ERROR\n");
      terminate();
      return;
    }
    if (++unanswered >= kMaxUnansweredQuestions) {
      log_.line("DEBUG:[KTR6620LXV] side channel gave no answer %d times, going on without it\n", unanswered);
      return;
    }
    // A time-out has already waited its second; anything else waits here.
    if (status != CUPS_SC_STATUS_TIMEOUT) pause_(std::chrono::milliseconds(1000), terminated);
  }
}

cups_sc_status_t PrinterLink::drain() {
  if (!drainsEnabled()) return CUPS_SC_STATUS_NONE;
  const cups_sc_status_t status = channel_->request(CUPS_SC_CMD_DRAIN_OUTPUT, kTimeoutSeconds);
  if (status == CUPS_SC_STATUS_TIMEOUT) {
    drains_ = false;
    log_.line("DEBUG:[KTR6620LXV] drain request timed out, no more drain requests in this job\n");
  }
  return status;
}

}  // namespace printfilter
