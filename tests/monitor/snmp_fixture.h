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

  // Starts the agent, on the port it had before when it is started again.
  // Throws when it does not start.
  void start(const std::vector<sim::snmp::PassObject>& objects) {
    if (port_ < 0) port_ = sim::snmp::freeLoopbackUdpPort();
    const std::string address = "127.0.0.1:" + std::to_string(port_);
    sim::snmp::AgentConfig config;
    config.objects = objects;
    agent_ = std::make_unique<sim::snmp::SnmpAgent>(config, "udp:" + address, address);
  }
  void stop() { agent_.reset(); }
  void serve(const std::vector<sim::snmp::PassObject>& objects) { agent_->setObjects(objects); }
  std::uint16_t port() const { return static_cast<std::uint16_t>(port_); }

 private:
  int port_ = -1;
  std::unique_ptr<sim::snmp::SnmpAgent> agent_;
};

}  // namespace monitor_test
