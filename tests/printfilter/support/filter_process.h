#pragma once

// Runs the real filter program as the print service would: arguments,
// a chosen environment, raster on standard input, optional side channel on
// descriptor 4; collects the job stream, the log and the exit status.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "temp_dir.h"

namespace fixture {

struct FilterCommand {
  std::string title = "test job";
  std::string copies = "1";
  std::string options;
  std::vector<std::string> extraArgs;  // after the options: the file name, for one
  // Whole environment of the child (nothing is inherited).
  std::map<std::string, std::string> env;
  // Descriptor handed to the child as its side channel (4); -1 for none.
  int sideChannel = -1;
  // Descriptor handed to the child as its back channel (3); -1 for none.
  int backChannel = -1;
  // File size limit of the child in bytes (RLIMIT_FSIZE); 0 for none.
  unsigned long fileSizeLimit = 0;
  // Keep only this many arguments (argv[0] counted), for a command line
  // shorter than the print service's; -1 keeps them all.
  int argumentCount = -1;
};

struct FilterResult {
  int exitCode = -1;  // -1 when killed by a signal
  int signal = 0;
  bool timedOut = false;
  std::string out;  // standard output: the job stream
  std::string err;  // standard error: the log
};

// A running filter whose input and output the test drives step by step.
class FilterProcess {
 public:
  explicit FilterProcess(const FilterCommand& command, bool closeOutput = false);
  ~FilterProcess();
  FilterProcess(const FilterProcess&) = delete;
  FilterProcess& operator=(const FilterProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Writes input while collecting output (no deadlock on full pipes).
  void write(std::string_view bytes);
  void closeInput();
  // Collects output until standard output (or, for waitForLog, standard
  // error) holds `marker`; false if the child ended or the time ran out first.
  bool waitForOutput(std::string_view marker, std::chrono::seconds limit = std::chrono::seconds(30));
  bool waitForLog(std::string_view marker, std::chrono::seconds limit = std::chrono::seconds(30));
  void signal(int number);
  // Closes the input, collects everything and reaps the child (killing it
  // after `limit`).
  FilterResult finish(std::chrono::seconds limit = std::chrono::seconds(60));

 private:
  // Collects what the filter wrote within `timeoutMs` (or until the input
  // takes more); false once both outputs are closed.
  bool pump(int timeoutMs, bool untilInputTakesMore = false);
  bool waitFor(const std::string& collected, std::string_view marker, std::chrono::seconds limit);

  pid_t pid_ = -1;
  int in_ = -1, out_ = -1, err_ = -1;
  FilterResult result_;
};

// The whole run at once: raster bytes in, everything out.
FilterResult runFilter(const FilterCommand& command, std::string_view raster);

// The environment the tests start from: PATH, and TMPDIR set to `tmpdir`;
// no language variables.
std::map<std::string, std::string> baseEnvironment(const std::string& tmpdir);

using test_support::readFile;

using test_support::TempDir;

}  // namespace fixture
