#include "sim/net/process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <thread>

extern char** environ;

namespace sim::net {
namespace {

bool isProgram(const std::string& path) { return ::access(path.c_str(), X_OK) == 0; }

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extra,
            Output output) {
  if (argv.empty()) {
    return -1;
  }
  const std::string program = findProgram(argv[0]);
  std::vector<char*> args;
  for (const std::string& arg : argv) {
    args.push_back(const_cast<char*>(arg.c_str()));
  }
  args.push_back(nullptr);
  std::vector<char*> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    env.push_back(*entry);
  }
  for (const std::string& entry : extra) {
    env.push_back(const_cast<char*>(entry.c_str()));
  }
  env.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  if (output == Output::dropAll) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, program.c_str(), &actions, nullptr, args.data(), env.data());
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

std::string joined(const std::vector<std::string>& argv) {
  std::string text;
  for (const std::string& arg : argv) {
    text += (text.empty() ? "" : " ") + arg;
  }
  return text;
}

}  // namespace

std::string findProgram(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) {
    return name;
  }
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "";
  folders += ":/usr/local/sbin:/usr/sbin:/sbin";
  std::string_view rest = folders;
  while (!rest.empty()) {
    const std::size_t colon = rest.find(':');
    const std::string_view folder = rest.substr(0, colon);
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (!folder.empty() && isProgram(std::string(folder) + "/" + name)) {
      return std::string(folder) + "/" + name;
    }
  }
  return name;
}

int runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& extra,
               Output output) {
  const pid_t pid = spawn(argv, extra, output);
  if (pid <= 0) {
    return -1;
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      return -1;
    }
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void mustRun(const std::vector<std::string>& argv) {
  if (runCommand(argv) != 0) {
    throw std::runtime_error("command failed: " + joined(argv));
  }
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& extraEnvironment)
    : pid_(spawn(argv, extraEnvironment, Output::keepErrors)) {}

bool ChildProcess::running() {
  if (pid_ <= 0 || reaped_) {
    return false;
  }
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == pid_) {
    reaped_ = true;
  }
  return !reaped_;
}

void ChildProcess::pause() {
  if (running()) {
    ::kill(pid_, SIGSTOP);
  }
}

void ChildProcess::resume() {
  if (running()) {
    ::kill(pid_, SIGCONT);
  }
}

ChildProcess::~ChildProcess() {
  if (!running()) {
    return;
  }
  ::kill(pid_, SIGTERM);
  // A paused child takes its signal once it goes on.
  ::kill(pid_, SIGCONT);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (running() && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (running()) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

}  // namespace sim::net
