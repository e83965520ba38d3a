#include "sim/net/test_network.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "sim/net/process.h"

namespace sim::net {
namespace {

constexpr char namePrefix[] = "ktrsnmp-";

std::string runPrefix() {
  // Unique per run: the process id, and a counter for the networks of one process.
  static std::atomic<int> counter{0};
  return namePrefix + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// Namespaces left by a run that was killed before it could remove them
// (its process is gone). Their agents died with that run.
void removeStaleNamespaces() {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/run/netns", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(namePrefix, 0) != 0) {
      continue;
    }
    const std::string rest = name.substr(sizeof namePrefix - 1);
    const long pid = std::strtol(rest.c_str(), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      runCommand({"ip", "netns", "del", name});
    }
  }
}

}  // namespace

std::optional<std::string> TestNetwork::unavailableReason() {
  if (::geteuid() != 0) {
    return "needs root to make network namespaces";
  }
  const std::string probe = runPrefix() + "-probe";
  if (runCommand({"ip", "netns", "add", probe}, {}, Output::dropAll) != 0) {
    return "network namespaces are not available (\"ip netns add\" failed)";
  }
  runCommand({"ip", "netns", "del", probe});
  if (runCommand({"snmpd", "-v"}, {}, Output::dropAll) != 0) {
    return "snmpd is not installed";
  }
  return std::nullopt;
}

TestNetwork::TestNetwork() : prefix_(runPrefix()) {
  removeStaleNamespaces();
  try {
    switch_ = addHost("sw");
  } catch (...) {
    removeAll();
    throw;
  }
}

TestNetwork::~TestNetwork() { removeAll(); }

void TestNetwork::removeAll() {
  for (auto it = namespaces_.rbegin(); it != namespaces_.rend(); ++it) {
    runCommand({"ip", "netns", "del", *it});
  }
  namespaces_.clear();
}

std::string TestNetwork::addSegment() {
  const std::string bridge = "br" + std::to_string(segments_++);
  mustRun({"ip", "-n", switch_, "link", "add", bridge, "type", "bridge"});
  mustRun({"ip", "-n", switch_, "link", "set", bridge, "up"});
  return bridge;
}

std::string TestNetwork::addHost(const std::string& role) {
  const std::string name = prefix_ + "-" + role;
  mustRun({"ip", "netns", "add", name});
  namespaces_.push_back(name);
  mustRun({"ip", "-n", name, "link", "set", "lo", "up"});
  return name;
}

void TestNetwork::attach(const std::string& host, const std::string& segment,
                         const std::string& interfaceName, const std::string& cidr,
                         bool withBroadcast) {
  const std::string port = "v" + std::to_string(links_++);
  mustRun({"ip", "-n", switch_, "link", "add", port, "type", "veth", "peer", "name",
           interfaceName, "netns", host});
  mustRun({"ip", "-n", switch_, "link", "set", port, "master", segment, "up"});
  std::vector<std::string> address{"ip", "-n", host, "addr", "add", cidr};
  if (withBroadcast) {
    address.insert(address.end(), {"brd", "+"});
  }
  address.insert(address.end(), {"dev", interfaceName});
  mustRun(address);
  mustRun({"ip", "-n", host, "link", "set", interfaceName, "up"});
}

void TestNetwork::addAddress(const std::string& host, const std::string& interfaceName,
                             const std::string& cidr) {
  mustRun({"ip", "-n", host, "addr", "add", cidr, "brd", "+", "dev", interfaceName});
}

ThreadInNamespace::ThreadInNamespace(const std::string& netns)
    : own_(::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC)) {
  const int target = ::open(("/run/netns/" + netns).c_str(), O_RDONLY | O_CLOEXEC);
  const bool entered = own_ >= 0 && target >= 0 && ::setns(target, CLONE_NEWNET) == 0;
  if (target >= 0) ::close(target);
  if (!entered) {
    if (own_ >= 0) ::close(own_);
    throw std::runtime_error("cannot enter network namespace " + netns);
  }
}

ThreadInNamespace::~ThreadInNamespace() {
  ::setns(own_, CLONE_NEWNET);
  ::close(own_);
}

}  // namespace sim::net
