#include "sim/snmp/snmp_agent.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace sim::snmp {
namespace {

using test_support::readFile;
using net::Output;
using net::runCommand;

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

  const std::vector<std::string> probe = inNamespace(
      netns, {"snmpget", "-v2c", "-c", "ploxen", "-t", "0.05", "-r", "0", probeAddress,
              ".1.3.6.1.2.1.1.1.0"});
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (runCommand(probe, {"MIBS="}, Output::dropAll) != 0) {
    if (!process_->running() || std::chrono::steady_clock::now() > end) {
      throw std::runtime_error("snmpd did not start at " + endpoint + ": " +
                               readFile(folder / "snmpd.log"));
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

long SnmpAgent::messagesReceived() const {
  std::string command = "MIBS= ";
  for (const std::string& word : inNamespace(netns_, {"snmpget", "-v2c", "-c", "ploxen", "-Oqv", "-t", "1", "-r", "0",
                                                      probeAddress_, ".1.3.6.1.2.1.11.1.0"})) {
    command += word + " ";
  }
  FILE* output = ::popen((command + "2>/dev/null").c_str(), "r");
  if (output == nullptr) {
    return -1;
  }
  char line[64] = {};
  const bool read = std::fgets(line, sizeof line, output) != nullptr;
  const int status = ::pclose(output);
  char* end = nullptr;
  const long count = read ? std::strtol(line, &end, 10) : -1;
  return status == 0 && end != line ? count : -1;
}

std::unique_ptr<SnmpAgent> startAgentOn(net::TestNetwork& network, const std::string& segment,
                                        const std::string& cidr, const std::string& role,
                                        const AgentConfig& config) {
  const std::string host = network.addHost(role);
  network.attach(host, segment, "eth0", cidr);
  const std::string address = cidr.substr(0, cidr.find('/'));
  return std::make_unique<SnmpAgent>(config, "udp:161", address, host);
}

int freeLoopbackUdpPort() {
  const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = -1;
  if (socket >= 0 &&
      ::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  if (socket >= 0) {
    ::close(socket);
  }
  return port;
}

}  // namespace sim::snmp
