#pragma once

#include <cups/sidechannel.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <memory>

#include "printfilter/log.h"

namespace printfilter {

// The print service's side channel to the backend: one question, one status.
class SideChannel {
 public:
  virtual ~SideChannel() = default;
  virtual cups_sc_status_t request(cups_sc_command_t command, double timeoutSeconds) = 0;
};

// cupsSideChannelDoRequest with a 512-byte answer buffer.
class CupsSideChannel final : public SideChannel {
 public:
  cups_sc_status_t request(cups_sc_command_t command, double timeoutSeconds) override;
};

// The side channel when the print service gave us one (descriptor 4 is a
// socket), nothing when the filter runs on its own.
std::unique_ptr<SideChannel> openSideChannel();

// How the filter uses the side channel: the wait for the printer's connection
// and the drain after each write. Neither may hang or crawl when nobody
// answers: an unserved channel (file: queues, cupsfilter) only times out.
class PrinterLink {
 public:
  // Sleeps for the given time unless the flag is or becomes set.
  using Pause = std::function<void(std::chrono::milliseconds, const volatile std::sig_atomic_t&)>;

  static constexpr int kMaxUnansweredQuestions = 3;
  static constexpr double kTimeoutSeconds = 1.0;

  // `channel` may be null (no side channel: no questions at all).
  PrinterLink(SideChannel* channel, Log& log, Pause pause = sleepUnlessFlagged);

  // Asks once a second whether the printer is connected until the answer is
  // OK or "not implemented", the termination flag is set, or the channel has
  // left kMaxUnansweredQuestions questions unanswered (then it goes on as if
  // the question were not implemented). "No response" and I/O errors call
  // `terminate` (the job is cancelled at its first page) and end the wait.
  void waitForConnection(const volatile std::sig_atomic_t& terminated, const std::function<void()>& terminate);

  // Asks the backend to drain what was written; after the first time-out no
  // further drains are asked in this job. Returns the status, or
  // CUPS_SC_STATUS_NONE when nothing was asked.
  cups_sc_status_t drain();

  bool drainsEnabled() const { return channel_ != nullptr && drains_; }

  static void sleepUnlessFlagged(std::chrono::milliseconds duration, const volatile std::sig_atomic_t& flag);

 private:
  SideChannel* channel_;
  Log& log_;
  Pause pause_;
  bool drains_ = true;
};

}  // namespace printfilter
