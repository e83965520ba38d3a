#include "sim/snmp/snmp_agent.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace sim::snmp {
namespace {

using test_support::readFile;

void replaceAll(std::string& text, const std::string& key, const std::string& value) {
  for (std::size_t at = text.find(key); at != std::string::npos;
       at = text.find(key, at + value.size())) {
    text.replace(at, key.size(), value);
  }
}

std::string accessLines(const AgentConfig& config) {
  if (!config.hideSysObjectId) {
    return "rocommunity ploxen default";
  }
  return "view visible included .1\n"
         "view visible excluded .1.3.6.1.2.1.1.2\n"
         "rocommunity ploxen default -V visible";
}

// The programs a command runs are named by their paths: "ip netns exec"
// and setpriv look the next program up in PATH, which for a normal user
// does not hold snmpd's folder.
std::vector<std::string> inNamespace(const std::string& netns, std::vector<std::string> argv) {
  argv.front() = net::findProgram(argv.front());
  if (netns.empty()) {
    return argv;
  }
  std::vector<std::string> wrapped{net::findProgram("ip"), "netns", "exec", netns};
  wrapped.insert(wrapped.end(), argv.begin(), argv.end());
  return wrapped;
}

// 127.0.0.1 at `port` (0: any port the system gives).
sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

// A UDP port on 127.0.0.1 that nothing listens on at the moment, below the
// range the system hands out to clients, so that no query's own socket
// takes it while an agent is being started there.
int freeLoopbackUdpPort() {
  // Below the clients' range, as the system says it.
  int clientsFrom = 32768;
  std::ifstream("/proc/sys/net/ipv4/ip_local_port_range") >> clientsFrom;
  const int lowest = std::min(20000, clientsFrom / 2);
  std::random_device seed;
  std::mt19937 pick(seed());
  std::uniform_int_distribution<int> ports(lowest, clientsFrom - 1);
  for (int attempt = 0; attempt < 200; ++attempt) {
    const int port = ports(pick);
    const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket < 0) {
      return -1;
    }
    const sockaddr_in address = loopback(port);
    const bool free = ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    if (free) {
      return port;
    }
  }
  return -1;
}

}  // namespace

SnmpAgent::SnmpAgent(const AgentConfig& config, const std::string& endpoint,
                     const std::string& probeAddress, const std::string& netns)
    : netns_(netns), probeAddress_(probeAddress) {
  const std::filesystem::path source = SNMP_TEST_DATA_DIR;
  const std::filesystem::path& folder = folder_.path();
  std::filesystem::create_directory(folder / "persist");
  std::filesystem::copy_file(source / "pass.sh", folder / "pass.sh");
  setObjects(config.objects);
  std::string conf = readFile(source / "snmpd.conf.in");
  replaceAll(conf, "@PERSISTENT_DIR@", (folder / "persist").string());
  replaceAll(conf, "@ACCESS@", accessLines(config));
  replaceAll(conf, "@SYS_OBJECT_ID@", config.sysObjectId);
  // Names this agent alone, so that its start is never taken for another
  // agent's answer on the same port.
  const std::string descr = "KTR6620LXV test agent " + folder.filename().string();
  replaceAll(conf, "@SYS_DESCR@", descr);
  replaceAll(conf, "@PASS_SCRIPT@", (folder / "pass.sh").string());
  std::ofstream(folder / "snmpd.conf") << conf;

  std::vector<std::string> extra;
  if (!netns.empty()) {
    extra.push_back(std::string("LD_PRELOAD=") + SNMP_BROADCAST_SHIM);
    extra.push_back("SNMP_SHIM_LOSE_NEXT=" + loseNextFile().string());
  }
  // The agent dies with the test process, even when that is killed.
  std::vector<std::string> command{"setpriv", "--pdeathsig", "KILL", "--"};
  const std::vector<std::string> agent = inNamespace(netns, {"snmpd", "-f", "-C", "-c", (folder / "snmpd.conf").string(), "-Lf",
                          (folder / "snmpd.log").string(), endpoint});
  command.insert(command.end(), agent.begin(), agent.end());
  process_ = std::make_unique<ChildProcess>(command, extra);

  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    const std::optional<std::string> answer = value(".1.3.6.1.2.1.1.1.0", "0.05");
    if (answer && answer->find(descr) != std::string::npos) {
      break;
    }
    if (!process_->running()) {
      const std::string log = readFile(folder / "snmpd.log");
      const std::string failure = "snmpd did not start at " + endpoint + ": " + log;
      if (log.find("Error opening specified endpoint") != std::string::npos) {
        throw EndpointInUse(failure);
      }
      throw std::runtime_error(failure);
    }
    if (std::chrono::steady_clock::now() > end) {
      throw std::runtime_error("snmpd did not answer at " + endpoint + ": " + readFile(folder / "snmpd.log"));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

SnmpAgent::~SnmpAgent() = default;

std::filesystem::path SnmpAgent::loseNextFile() const { return folder_.path() / "lose-next"; }

void SnmpAgent::loseNextRequest() {
  if (netns_.empty()) {
    throw std::logic_error("only an agent in a namespace of its own runs with the shim that loses requests");
  }
  std::ofstream(loseNextFile()).flush();
}

bool SnmpAgent::lostARequest() const { return !std::filesystem::exists(loseNextFile()); }

void SnmpAgent::switchOff() { process_->pause(); }

void SnmpAgent::switchOn() { process_->resume(); }

void SnmpAgent::setObjects(const std::vector<PassObject>& objects) {
  // Written aside and renamed into place: a request never sees half a table.
  const std::filesystem::path next = folder_.path() / "values.next";
  {
    std::ofstream values(next);
    for (const PassObject& object : objects) {
      values << object.oid << ' ' << object.type << ' ' << object.value << '\n';
    }
  }
  std::filesystem::rename(next, folder_.path() / "values");
}

std::optional<std::string> SnmpAgent::value(const std::string& oid, const std::string& timeout) const {
  std::string command = "MIBS= ";
  for (const std::string& word : inNamespace(netns_, {"snmpget", "-v2c", "-c", "ploxen", "-Oqv", "-t", timeout, "-r",
                                                      "0", probeAddress_, oid})) {
    command += word + " ";
  }
  FILE* output = ::popen((command + "2>/dev/null").c_str(), "r");
  if (output == nullptr) {
    return std::nullopt;
  }
  std::string text;
  char chunk[256];
  while (std::fgets(chunk, sizeof chunk, output) != nullptr) {
    text += chunk;
  }
  return ::pclose(output) == 0 ? std::optional(text) : std::nullopt;
}

long SnmpAgent::messagesReceived() const {
  const std::optional<std::string> count = value(".1.3.6.1.2.1.11.1.0", "1");
  if (!count) {
    return -1;
  }
  char* end = nullptr;
  const long received = std::strtol(count->c_str(), &end, 10);
  return end != count->c_str() ? received : -1;
}

std::unique_ptr<SnmpAgent> startAgentOn(net::TestNetwork& network, const std::string& segment,
                                        const std::string& cidr, const std::string& role,
                                        const AgentConfig& config) {
  const std::string host = network.addHost(role);
  network.attach(host, segment, "eth0", cidr);
  const std::string address = cidr.substr(0, cidr.find('/'));
  return std::make_unique<SnmpAgent>(config, "udp:161", address, host);
}

SilentLoopbackPort::SilentLoopbackPort() : socket_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
  sockaddr_in address = loopback(0);
  socklen_t length = sizeof address;
  if (socket_ >= 0 && ::bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port_ = ntohs(address.sin_port);
  }
}

SilentLoopbackPort::~SilentLoopbackPort() {
  if (socket_ >= 0) {
    ::close(socket_);
  }
}

std::unique_ptr<SnmpAgent> startLoopbackAgent(const AgentConfig& config, int& port) {
  const bool fixed = port >= 0;
  for (int attempt = 0;; ++attempt) {
    if (!fixed) {
      port = freeLoopbackUdpPort();
    }
    const std::string address = "127.0.0.1:" + std::to_string(port);
    try {
      return std::make_unique<SnmpAgent>(config, "udp:" + address, address);
    } catch (const EndpointInUse&) {
      if (fixed || attempt == 20) {
        throw;
      }
    }
  }
}

}  // namespace sim::snmp
