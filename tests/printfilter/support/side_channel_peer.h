#pragma once

// A backend's end of the side channel: a process on the other side of a
// socketpair that reads the filter's questions with cupsSideChannelRead and
// answers with cupsSideChannelWrite (or, like a file: queue, never answers).

#include <cups/sidechannel.h>
#include <sys/types.h>

#include <vector>

namespace fixture {

enum class PeerAnswer { Ok, NotImplemented, Nothing };

class SideChannelPeer {
 public:
  explicit SideChannelPeer(PeerAnswer answer);
  ~SideChannelPeer();
  SideChannelPeer(const SideChannelPeer&) = delete;
  SideChannelPeer& operator=(const SideChannelPeer&) = delete;

  // The filter's end, to be handed to it as descriptor 4.
  int filterEnd() const { return filterEnd_; }
  // Once the filter has it: the test's copy goes, so that the peer sees the
  // filter's end close when the filter exits.
  void releaseFilterEnd();
  // Waits for the peer to see the channel close and returns every question
  // it was asked, in order.
  std::vector<cups_sc_command_t> questions();

 private:
  pid_t pid_ = -1;
  int filterEnd_ = -1;
  int report_ = -1;
};

}  // namespace fixture
