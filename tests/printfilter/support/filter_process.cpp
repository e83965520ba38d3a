#include "filter_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#ifndef PRINTFILTER_BINARY
#error "PRINTFILTER_BINARY must name the filter program"
#endif

namespace fixture {

namespace {

void makePipe(int fds[2]) {
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
}

bool readSome(int& fd, std::string& into) {
  char buffer[65536];
  const ssize_t n = ::read(fd, buffer, sizeof buffer);
  if (n > 0) {
    into.append(buffer, static_cast<std::size_t>(n));
    return true;
  }
  if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
  ::close(fd);
  fd = -1;
  return false;
}

}  // namespace

FilterProcess::FilterProcess(const FilterCommand& command, bool closeOutput) {
  int in[2], out[2], err[2];
  // The test writes into a filter that may have stopped reading.
  ::signal(SIGPIPE, SIG_IGN);
  makePipe(in);
  makePipe(out);
  makePipe(err);
  if (closeOutput) {
    // A reader that has gone before the filter starts: every write to its
    // standard output fails.
    ::close(out[0]);
    out[0] = -1;
  }

  std::vector<std::string> args{"test-queue", "42", "tester", command.title, command.copies, command.options};
  args.insert(args.end(), command.extraArgs.begin(), command.extraArgs.end());
  if (command.argumentCount >= 0) args.resize(static_cast<std::size_t>(command.argumentCount));
  std::vector<std::string> env;
  for (const auto& [key, value] : command.env) env.push_back(key + "=" + value);
  std::vector<char*> argv, envp;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // The back channel waits out of the way while 0 to 4 are set up.
    constexpr int kParked = 1023;
    if (command.backChannel >= 0) dup2(command.backChannel, kParked);
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    if (command.sideChannel >= 0) {
      dup2(command.sideChannel, 4);
      fcntl(4, F_SETFD, 0);  // dup2 onto itself keeps close-on-exec
    } else {
      ::close(4);
    }
    for (int fd = 5; fd < kParked; ++fd) ::close(fd);
    if (command.backChannel >= 0) {
      dup2(kParked, 3);
      ::close(kParked);
    } else {
      ::close(3);
    }
    if (command.fileSizeLimit != 0) {
      const rlimit limit{command.fileSizeLimit, command.fileSizeLimit};
      setrlimit(RLIMIT_FSIZE, &limit);
      ::signal(SIGXFSZ, SIG_IGN);
    }
    ::signal(SIGPIPE, SIG_DFL);
    execve(PRINTFILTER_BINARY, argv.data(), envp.data());
    _exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  in_ = in[1];
  out_ = out[0];
  err_ = err[0];
  fcntl(in_, F_SETFL, O_NONBLOCK);
}

FilterProcess::~FilterProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  for (int fd : {in_, out_, err_})
    if (fd >= 0) ::close(fd);
}

bool FilterProcess::pump(int timeoutMs, bool untilInputTakesMore) {
  pollfd fds[3];
  nfds_t count = 0;
  if (untilInputTakesMore) fds[count++] = {in_, POLLOUT, 0};
  if (out_ >= 0) fds[count++] = {out_, POLLIN, 0};
  if (err_ >= 0) fds[count++] = {err_, POLLIN, 0};
  if (count == 0) return false;
  if (poll(fds, count, timeoutMs) <= 0) return true;
  for (nfds_t i = 0; i < count; ++i) {
    if (fds[i].revents == 0) continue;
    if (fds[i].fd == out_) readSome(out_, result_.out);
    else if (fds[i].fd == err_) readSome(err_, result_.err);
  }
  return true;
}

void FilterProcess::write(std::string_view bytes) {
  while (!bytes.empty() && in_ >= 0) {
    const ssize_t n = ::write(in_, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EAGAIN) {
      pump(1000, true);
      continue;
    }
    // The filter stopped reading (it ended, or it will not read on).
    closeInput();
  }
}

void FilterProcess::closeInput() {
  if (in_ >= 0) ::close(in_);
  in_ = -1;
}

bool FilterProcess::waitFor(const std::string& collected, std::string_view marker, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (collected.find(marker) == std::string::npos) {
    if (std::chrono::steady_clock::now() > deadline || !pump(100)) return false;
  }
  return true;
}

bool FilterProcess::waitForOutput(std::string_view marker, std::chrono::seconds limit) {
  return waitFor(result_.out, marker, limit);
}

bool FilterProcess::waitForLog(std::string_view marker, std::chrono::seconds limit) {
  return waitFor(result_.err, marker, limit);
}

void FilterProcess::signal(int number) { kill(pid_, number); }

FilterResult FilterProcess::finish(std::chrono::seconds limit) {
  closeInput();
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (out_ >= 0 || err_ >= 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      result_.timedOut = true;
      kill(pid_, SIGKILL);
      break;
    }
    pump(100);
  }
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  if (WIFEXITED(status)) result_.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result_.signal = WTERMSIG(status);
  return result_;
}

FilterResult runFilter(const FilterCommand& command, std::string_view raster) {
  FilterProcess process(command);
  process.write(raster);
  return process.finish();
}

std::map<std::string, std::string> baseEnvironment(const std::string& tmpdir) {
  return {{"PATH", "/usr/bin:/bin"}, {"TMPDIR", tmpdir}, {"CUPS_SERVER", "/nonexistent/cups.sock"}};
}

}  // namespace fixture
