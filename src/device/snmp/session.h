#pragma once

// A v2c session with the printer's agent, owned for one operation. Internal
// to device/snmp.

#include <string>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace device::snmp {

// Session settings: library defaults, version 2c, the read community, the
// peer ("address" or "address:port"). The texts the settings point at live
// in this object.
class V2cSettings {
 public:
  explicit V2cSettings(std::string peer);
  V2cSettings(const V2cSettings&) = delete;
  V2cSettings& operator=(const V2cSettings&) = delete;

  netsnmp_session& get() { return session_; }

 private:
  std::string community_;
  std::string peer_;
  netsnmp_session session_{};
};

// An opened single session (snmp_sess_open), closed with the object.
class OpenSession {
 public:
  explicit OpenSession(void* session) : session_(session) {}
  ~OpenSession() { snmp_sess_close(session_); }
  OpenSession(const OpenSession&) = delete;
  OpenSession& operator=(const OpenSession&) = delete;

  void* get() const { return session_; }

 private:
  void* session_;
};

}  // namespace device::snmp
