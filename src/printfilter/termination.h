#pragma once

#include <csignal>

#include "printfilter/progress_language.h"

namespace printfilter {

// Set by a termination request (SIGTERM from the print service, or the flow
// itself); the flow acts on it before it prepares or sends the next page.
const volatile std::sig_atomic_t& terminationFlag();

// SIGTERM only sets the flag (and writes its two lines with write(2)); SIGPIPE
// is ignored so that a closed output shows up as a failed write.
void installTerminationHandler();

// What the handler does: the "cancelling" progress line, the flag, the log line.
void requestTermination();

// Language of the handler's progress line ("zh-Hans" until the flow knows).
void setTerminationLanguage(ProgressLanguage language);

}  // namespace printfilter
