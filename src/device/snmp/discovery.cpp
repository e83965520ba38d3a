#include <netinet/in.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "device/snmp/render.h"
#include "device/snmp/session.h"
#include "device/snmp/snmp_library.h"
#include "device/snmp/snmputil.h"

#include <net-snmp/library/large_fd_set.h>

namespace device::snmp {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* sysObjectIdName = ".1.3.6.1.2.1.1.2.0";  // sysObjectID.0
// Asked of every device, in this order; only sysObjectID is used.
constexpr const char* discoveryObjects[] = {
    ".1.3.6.1.2.1.1.1.0",       // sysDescr.0
    sysObjectIdName,
    ".1.3.6.1.2.1.2.2.1.6.1",   // ifPhysAddress.1
};

struct SnmpResponder {
  std::string ip_addr;
  std::string oid;
};

// The answers of one subnet probe.
struct DiscoveryMagic {
  std::int32_t total = 0;
  std::vector<SnmpResponder> detect;
};

std::optional<std::string> senderAddress(const netsnmp_pdu& pdu) {
  if (pdu.transport_data == nullptr || pdu.transport_data_length < 0 ||
      static_cast<std::size_t>(pdu.transport_data_length) < sizeof(netsnmp_addr_pair)) {
    return std::nullopt;
  }
  // The UDP transport's address pair starts with the sender's address.
  netsnmp_addr_pair pair{};
  std::memcpy(&pair, pdu.transport_data, sizeof pair);
  if (pair.remote_addr.sa.sa_family != AF_INET) {
    return std::nullopt;
  }
  return dottedText(ntohl(pair.remote_addr.sin.sin_addr.s_addr));
}

// Records one answer; 1 when it was recorded.
int mc_network_discovery_handle(const netsnmp_pdu& pdu, DiscoveryMagic& magic) {
  const std::optional<std::string> sender = senderAddress(pdu);
  if (!sender) {
    std::fputs(" responder == NULL\n", stdout);
    return 0;
  }
  std::printf("ip_addr = %s \n", sender->c_str());
  if (magic.detect.empty()) {
    std::fputs("magic->detect is null\n", stdout);
  } else {
    for (const SnmpResponder& known : magic.detect) {
      if (known.ip_addr == *sender) {
        std::printf("ip %s  is already handled!", sender->c_str());
        return 0;
      }
    }
  }

  oid name[MAX_OID_LEN];
  std::size_t nameLength = MAX_OID_LEN;
  if (read_objid(sysObjectIdName, name, &nameLength) == 0) {
    return 0;
  }
  const netsnmp_variable_list* variable =
      find_varbind_in_list(pdu.variables, name, nameLength);
  // Without an identifier (no binding, or an exception such as
  // noSuchObject) the device could never be told apart: not recorded.
  if (variable == nullptr || variable->type != ASN_OBJECT_ID || variable->val.objid == nullptr) {
    return 0;
  }
  const std::string identifier = clipped(
      objectIdText(variable->val.objid, variable->val_len / sizeof(oid)), maxObjectIdTextLength);
  std::printf("device is : %s \n", identifier.c_str());

  if (magic.detect.empty()) {
    std::printf("snmp_ip = %s\n", sender->c_str());
    std::printf("oid = %s\n", identifier.c_str());
  } else {
    for (std::size_t i = 1; i < magic.detect.size(); ++i) {
      std::printf("in loop ip->ip_addr = %s\n", magic.detect[i].ip_addr.c_str());
    }
  }
  magic.detect.push_back({*sender, identifier});
  return 1;
}

int mc_network_discovery_cb(int operation, netsnmp_session* /*session*/, int /*requestId*/,
                            netsnmp_pdu* pdu, void* context) {
  std::fputs(" execute in function mc_network_discovery_cb +++++++++++++++++", stdout);
  if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu != nullptr &&
      context != nullptr) {
    auto& magic = *static_cast<DiscoveryMagic*>(context);
    magic.total += mc_network_discovery_handle(*pdu, magic);
    std::printf(" add %d printer", magic.total);
  }
  // 0 keeps the request alive: every device on the subnet answers the same
  // broadcast request, and a 1 would drop all answers after the first.
  return 0;
}

class LargeFdSet {
 public:
  LargeFdSet() { netsnmp_large_fd_set_init(&set_, FD_SETSIZE); }
  ~LargeFdSet() { netsnmp_large_fd_set_cleanup(&set_); }
  LargeFdSet(const LargeFdSet&) = delete;
  LargeFdSet& operator=(const LargeFdSet&) = delete;
  netsnmp_large_fd_set* get() { return &set_; }

 private:
  netsnmp_large_fd_set set_{};
};

// How long to wait at most before the library's next retransmission or
// time-out falls due.
Clock::duration libraryWait(void* session, Clock::duration limit) {
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(limit).count();
  timeval wait{};
  wait.tv_sec = static_cast<time_t>(micros / 1000000);
  wait.tv_usec = static_cast<suseconds_t>(micros % 1000000);
  int descriptors = 0;
  int block = 0;
  LargeFdSet unused;
  snmp_sess_select_info2(session, &descriptors, unused.get(), &wait, &block);
  const auto due = std::chrono::seconds(wait.tv_sec) + std::chrono::microseconds(wait.tv_usec);
  return std::min(limit, std::chrono::duration_cast<Clock::duration>(due));
}

int pollMilliseconds(Clock::duration wait) {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
  return static_cast<int>(std::clamp<std::int64_t>(ms, 0, 60000));
}

// Two listening passes. Every answer that arrives within a pass is read
// (one datagram per read), so no device is lost because several answered
// at once; the library's retransmissions are served in between.
void listenForAnswers(void* session, const DiscoveryTiming& timing) {
  const int socket = snmp_sess_transport(session)->sock;
  for (int pass = 0; pass < 2; ++pass) {
    std::printf("    loop=%d\n", pass);
    const Clock::time_point end = Clock::now() + timing.firstWait + timing.pause;
    for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
      pollfd ready{socket, POLLIN, 0};
      const int count = ::poll(&ready, 1, pollMilliseconds(libraryWait(session, end - now)));
      if (count > 0) {
        LargeFdSet readable;
        NETSNMP_LARGE_FD_SET(socket, readable.get());
        snmp_sess_read2(session, readable.get());
      } else if (count == 0) {
        snmp_sess_timeout(session);
      } else if (errno != EINTR) {
        std::perror("poll");
        return;
      }
    }
  }
}

// Probes one subnet: appends its answers to out. 0, or -1 when the request
// could not be made.
long detectOneSubNet(std::string& out, const std::string& subnetBroadcast,
                     const DiscoveryTiming& timing) {
  V2cSettings v2c(subnetBroadcast);
  netsnmp_session& settings = v2c.get();
  std::printf("brocast sub net ip = %s\n", subnetBroadcast.c_str());
  settings.flags |= SNMP_FLAGS_UDP_BROADCAST;
  DiscoveryMagic magic;
  settings.callback = mc_network_discovery_cb;
  settings.callback_magic = &magic;

  void* opened = snmp_sess_open(&settings);
  if (opened == nullptr) {
    snmp_sess_perror("ack", &settings);
    return -1;
  }
  const OpenSession session(opened);  // closed before magic goes

  netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GET);
  for (const char* object : discoveryObjects) {
    oid name[MAX_OID_LEN];
    std::size_t nameLength = MAX_OID_LEN;
    if (read_objid(object, name, &nameLength) != 0) {
      snmp_add_null_var(request, name, nameLength);
    }
  }
  if (snmp_sess_send(session.get(), request) == 0) {
    std::fputs(" send snmp request error ++++++++++++++++++++++++++++++++++++++++++\n", stdout);
    snmp_free_pdu(request);
    return -1;
  }

  listenForAnswers(session.get(), timing);

  for (const SnmpResponder& responder : magic.detect) {
    appendDiscoveryEntry(out, responder.ip_addr, responder.oid);
  }
  return 0;
}

}  // namespace

long autoDetectSNMPPrinters(std::string& out) {
  return autoDetectSNMPPrinters(out, hostIPv4Interfaces);
}

long autoDetectSNMPPrinters(std::string& out, const InterfaceSource& interfaces,
                            const DiscoveryTiming& timing) {
  ensureSnmpLibrary();
  const std::optional<std::vector<Ipv4Interface>> list =
      interfaces ? interfaces() : std::nullopt;
  if (!list) {
    return -1;
  }
  for (const ProbeTarget& target : probeTargets(*list)) {
    std::printf("one ip of computer address : %s\n", target.address.c_str());
    // A subnet that cannot be probed adds nothing; the others still count.
    detectOneSubNet(out, target.broadcast, timing);
  }
  return 0;
}

}  // namespace device::snmp
