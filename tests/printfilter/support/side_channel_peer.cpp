#include "side_channel_peer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace fixture {

namespace {

[[noreturn]] void serve(PeerAnswer answer, int report) {
  for (;;) {
    cups_sc_command_t command = CUPS_SC_CMD_NONE;
    cups_sc_status_t status = CUPS_SC_STATUS_NONE;
    char data[2048];
    int length = sizeof data;
    if (cupsSideChannelRead(&command, &status, data, &length, 60.0) != 0) _exit(0);
    const auto byte = static_cast<unsigned char>(command);
    if (::write(report, &byte, 1) != 1) _exit(1);
    if (answer == PeerAnswer::Nothing) continue;
    if (answer == PeerAnswer::NotImplemented) {
      cupsSideChannelWrite(command, CUPS_SC_STATUS_NOT_IMPLEMENTED, nullptr, 0, 1.0);
    } else if (command == CUPS_SC_CMD_GET_CONNECTED) {
      const char connected = 1;
      cupsSideChannelWrite(command, CUPS_SC_STATUS_OK, &connected, 1, 1.0);
    } else {
      cupsSideChannelWrite(command, CUPS_SC_STATUS_OK, nullptr, 0, 1.0);
    }
  }
}

}  // namespace

SideChannelPeer::SideChannelPeer(PeerAnswer answer) {
  int pair[2], report[2];
  if (socketpair(AF_LOCAL, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0 || pipe2(report, O_CLOEXEC) != 0)
    throw std::runtime_error("socketpair failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    // libcups's side channel calls always use descriptor 4; move everything
    // else out of its way first.
    const int reportFd = fcntl(report[1], F_DUPFD, 100);
    const int peerFd = fcntl(pair[1], F_DUPFD, 100);
    dup2(peerFd, CUPS_SC_FD);
    for (int fd = 3; fd < 1024; ++fd)
      if (fd != CUPS_SC_FD && fd != reportFd) ::close(fd);
    serve(answer, reportFd);
  }
  ::close(pair[1]);
  ::close(report[1]);
  filterEnd_ = pair[0];
  report_ = report[0];
}

SideChannelPeer::~SideChannelPeer() {
  releaseFilterEnd();
  if (report_ >= 0) ::close(report_);
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

void SideChannelPeer::releaseFilterEnd() {
  if (filterEnd_ >= 0) ::close(filterEnd_);
  filterEnd_ = -1;
}

std::vector<cups_sc_command_t> SideChannelPeer::questions() {
  releaseFilterEnd();
  std::vector<cups_sc_command_t> seen;
  unsigned char byte = 0;
  while (::read(report_, &byte, 1) == 1) seen.push_back(static_cast<cups_sc_command_t>(byte));
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
  return seen;
}

}  // namespace fixture
