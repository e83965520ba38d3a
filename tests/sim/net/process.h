#pragma once

// Child processes of the simulators and tests: commands run to completion and
// daemons stopped by their process id.

#include <sys/types.h>

#include <string>
#include <vector>

namespace sim::net {

enum class Output { keepErrors, dropAll };

// Where program `name` is: found in PATH, else in the folders Debian keeps
// daemons and system tools in (/usr/sbin, ...), which a normal user's PATH
// leaves out. A name with a "/" is taken as it is; a program found nowhere
// is returned as given, so running it fails as usual.
std::string findProgram(const std::string& name);

// Runs argv[0] (looked up with findProgram) with the extra environment entries and
// waits for it. Standard output is dropped, and standard error too with
// Output::dropAll. Returns its exit status, or -1.
int runCommand(const std::vector<std::string>& argv,
               const std::vector<std::string>& extraEnvironment = {},
               Output output = Output::keepErrors);

// Like runCommand; throws std::runtime_error when the command fails.
void mustRun(const std::vector<std::string>& argv);

// A started child process, stopped (SIGTERM, then SIGKILL) and reaped when
// the object goes.
class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& argv,
               const std::vector<std::string>& extraEnvironment = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // True while the child has not exited.
  bool running();
  // Stops the child where it is (it holds what it holds, answers nothing)
  // and lets it go on.
  void pause();
  void resume();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};

}  // namespace sim::net
