#pragma once

// A real snmpd started by a test as its own process, with the printer's
// community, a sysObjectID of the test's choice and a "pass" script serving
// the printer's private objects (1.3.6.1.4.1.48117.2.7) from a table.

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/net/process.h"
#include "sim/net/test_network.h"
#include "temp_dir.h"

namespace sim::snmp {

using net::ChildProcess;

inline constexpr char printerSysObjectId[] = ".1.3.6.1.4.1.48117.4.7.1.8";
// net-snmp's own agent identifier: a device of another maker.
inline constexpr char otherVendorSysObjectId[] = ".1.3.6.1.4.1.8072.3.2.10";

struct PassObject {
  std::string oid;    // numeric, with the leading dot
  std::string type;   // as pass scripts name them: integer, string, ...
  std::string value;
};

struct AgentConfig {
  std::string sysObjectId = printerSysObjectId;
  // The community's view leaves sysObjectID out: a GET of it gets noSuchObject.
  bool hideSysObjectId = false;
  std::vector<PassObject> objects;
};

using TempFolder = test_support::TempDir;

// Another process held the agent's endpoint first.
struct EndpointInUse : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class SnmpAgent {
 public:
  // Starts snmpd listening on `endpoint` (e.g. "udp:127.0.0.1:16161", or
  // "udp:161" inside a namespace). With a namespace, the agent runs there
  // with the broadcast shim preloaded. `probeAddress` is where it is asked
  // (sysDescr.0) until it answers as this agent, never another one on the
  // same port. Throws EndpointInUse when another process has the endpoint,
  // std::runtime_error when the agent does not start for another reason.
  SnmpAgent(const AgentConfig& config, const std::string& endpoint,
            const std::string& probeAddress, const std::string& netns = {});
  ~SnmpAgent();
  SnmpAgent(const SnmpAgent&) = delete;
  SnmpAgent& operator=(const SnmpAgent&) = delete;

  // Serves these objects from the next request on (the pass script reads
  // its table at every request).
  void setObjects(const std::vector<PassObject>& objects);

  // A switched-off printer: the agent answers nothing, yet keeps its
  // port, so no agent of another test can start there meanwhile; and
  // switched on again.
  void switchOff();
  void switchOn();

  // The next datagram that reaches an agent in a namespace is lost on its
  // way in, as on a radio link: the agent never sees it.
  void loseNextRequest();
  // Whether the loss asked for has happened.
  bool lostARequest() const;

  // The SNMP messages the agent has received so far (its snmpInPkts
  // counter), the one that asks for the count included; -1 when it cannot
  // be read.
  long messagesReceived() const;

 private:
  std::filesystem::path loseNextFile() const;
  // The value of one object as the agent answers it, when it answers
  // within `timeout` seconds.
  std::optional<std::string> value(const std::string& oid, const std::string& timeout) const;

  std::string netns_;
  std::string probeAddress_;
  TempFolder folder_;
  std::unique_ptr<ChildProcess> process_;  // stopped before its folder goes
};

// An agent in a namespace of its own (named after `role`), joined to
// `segment` of the test's network at `cidr` (e.g. "192.0.2.11/24") and
// listening on the SNMP port there.
std::unique_ptr<SnmpAgent> startAgentOn(net::TestNetwork& network, const std::string& segment,
                                        const std::string& cidr, const std::string& role,
                                        const AgentConfig& config = {});

// A UDP port on 127.0.0.1 held for as long as the object lives, where
// nothing ever answers: no agent of another test can start there meanwhile.
class SilentLoopbackPort {
 public:
  SilentLoopbackPort();
  ~SilentLoopbackPort();
  SilentLoopbackPort(const SilentLoopbackPort&) = delete;
  SilentLoopbackPort& operator=(const SilentLoopbackPort&) = delete;

  int port() const { return port_; }

 private:
  int socket_ = -1;
  int port_ = -1;
};

// An agent on 127.0.0.1 at `port`, or, when `port` is negative, at a free
// port below the range the system hands out to clients, another one when a
// process of another test takes it first; `port` is then where it listens.
std::unique_ptr<SnmpAgent> startLoopbackAgent(const AgentConfig& config, int& port);

}  // namespace sim::snmp
