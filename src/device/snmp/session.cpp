#include "device/snmp/session.h"

#include <utility>

#include "device/snmp/snmp_library.h"

namespace device::snmp {

V2cSettings::V2cSettings(std::string peer)
    : community_(readCommunity), peer_(std::move(peer)) {
  snmp_sess_init(&session_);
  session_.version = SNMP_VERSION_2c;
  session_.community = reinterpret_cast<u_char*>(community_.data());
  session_.community_len = community_.size();
  session_.peername = peer_.data();
}

}  // namespace device::snmp
