#include "printfilter/termination.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace printfilter {

namespace {

volatile std::sig_atomic_t terminate = 0;
volatile std::sig_atomic_t language = static_cast<std::sig_atomic_t>(ProgressLanguage::Chinese);

void writeAll(const char* text) {
  std::size_t left = std::strlen(text);
  while (left > 0) {
    const ssize_t n = ::write(STDERR_FILENO, text, left);
    if (n <= 0) return;
    text += n;
    left -= static_cast<std::size_t>(n);
  }
}

extern "C" void onTerminationSignal(int) {
  const int savedErrno = errno;
  requestTermination();
  errno = savedErrno;
}

}  // namespace

const volatile std::sig_atomic_t& terminationFlag() { return terminate; }

// Runs inside the signal handler: async-signal-safe calls only.
void requestTermination() {
  if (language == static_cast<std::sig_atomic_t>(ProgressLanguage::English))
    writeAll("INFO:Job Cancelling\n");
  else if (language == static_cast<std::sig_atomic_t>(ProgressLanguage::Chinese))
    writeAll("INFO:正在取消任务\n");
  terminate = 1;
  writeAll("[KTR6620LXV] Set Cancel Job Flag to True =================\n");
}

void setTerminationLanguage(ProgressLanguage value) {
  language = static_cast<std::sig_atomic_t>(value);
}

void installTerminationHandler() {
  struct sigaction action {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);

  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, nullptr);
}

}  // namespace printfilter
