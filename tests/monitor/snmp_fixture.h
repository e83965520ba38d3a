#pragma once
// A real snmpd on a free loopback port standing for a network printer.

#include <memory>
#include <string>
#include <vector>

#include "sim/net/process.h"
#include "sim/snmp/snmp_agent.h"

namespace monitor_test {

inline constexpr char kStatusObject[] = ".1.3.6.1.4.1.48117.2.7.1.1";
inline constexpr char kTonerObject[] = ".1.3.6.1.4.1.48117.2.7.4.1";

inline std::vector<sim::snmp::PassObject> printerObjects(const std::string& status, const std::string& toner,
                                                         const std::string& statusType = "string",
                                                         const std::string& tonerType = "integer") {
  return {{kStatusObject, statusType, status}, {kTonerObject, tonerType, toner}};
}

class LoopbackAgent {
 public:
  // Why no agent can run here, or nothing.
  static std::string unavailableReason() {
    if (sim::net::runCommand({"snmpd", "-v"}, {}, sim::net::Output::dropAll) != 0) {
      return "snmpd is not installed";
    }
    return {};
  }

  // Starts the agent serving `objects`; switched off, switches it on
  // again, on the port it had. Throws when it does not start.
  void start(const std::vector<sim::snmp::PassObject>& objects) {
    if (agent_) {
      agent_->setObjects(objects);
      agent_->switchOn();
      return;
    }
    sim::snmp::AgentConfig config;
    config.objects = objects;
    agent_ = sim::snmp::startLoopbackAgent(config, port_);
  }
  // A switched-off printer: nothing answers at its port.
  void stop() { agent_->switchOff(); }
  void serve(const std::vector<sim::snmp::PassObject>& objects) { agent_->setObjects(objects); }
  std::uint16_t port() const { return static_cast<std::uint16_t>(port_); }

 private:
  int port_ = -1;
  std::unique_ptr<sim::snmp::SnmpAgent> agent_;
};

}  // namespace monitor_test
