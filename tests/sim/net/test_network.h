#pragma once

// Private networks for the broadcast tests: network namespaces of this run
// joined by veth pairs to bridges in a switch namespace, addressed from
// TEST-NET-1 (192.0.2.0/24). Nothing reaches the host's own interfaces.
// Every namespace is deleted when the object goes, also after a failure.

#include <exception>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sim::net {

class TestNetwork {
 public:
  // Why namespaces cannot be made here (not root, no "ip netns"), or nothing.
  static std::optional<std::string> unavailableReason();

  TestNetwork();
  ~TestNetwork();
  TestNetwork(const TestNetwork&) = delete;
  TestNetwork& operator=(const TestNetwork&) = delete;

  // A new segment (bridge); returns its name in the switch namespace.
  std::string addSegment();
  // A new host namespace with its loopback up; returns the namespace name.
  std::string addHost(const std::string& role);
  // Joins host to segment with interface `interfaceName` and address
  // `cidr` (e.g. "192.0.2.11/24"); the broadcast address is set from the
  // prefix unless withBroadcast is false (then the interface has none).
  void attach(const std::string& host, const std::string& segment,
              const std::string& interfaceName, const std::string& cidr,
              bool withBroadcast = true);
  // A further address on an interface that attach made, its broadcast
  // address set from the prefix.
  void addAddress(const std::string& host, const std::string& interfaceName, const std::string& cidr);

 private:
  void removeAll();

  std::string prefix_;
  std::string switch_;
  std::vector<std::string> namespaces_;
  int segments_ = 0;
  int links_ = 0;
};

// The calling thread in network namespace `netns` for the object's life, and
// back in its own afterwards: for code that must run on a given thread, such
// as a GUI thread that discovers and scans.
class ThreadInNamespace {
 public:
  // Throws std::runtime_error when the namespace cannot be entered.
  explicit ThreadInNamespace(const std::string& netns);
  ~ThreadInNamespace();
  ThreadInNamespace(const ThreadInNamespace&) = delete;
  ThreadInNamespace& operator=(const ThreadInNamespace&) = delete;

 private:
  int own_ = -1;
};

// Runs `work` on a thread of its own that has entered network namespace
// `netns`, and waits for it. Sockets and interface lists made by `work` are
// those of the namespace; the rest of the process stays where it is.
template <typename Work>
void runInNamespace(const std::string& netns, Work&& work) {
  std::exception_ptr failure;
  std::thread thread([&] {
    try {
      const ThreadInNamespace inside(netns);
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  thread.join();
  if (failure) {
    std::rethrow_exception(failure);
  }
}

}  // namespace sim::net
