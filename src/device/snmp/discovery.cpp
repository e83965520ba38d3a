#include <netinet/in.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
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

// One subnet's probe: its request sent on a session of its own, and the
// answers that session received.
struct SubnetProbe {
  DiscoveryMagic magic;
  std::optional<OpenSession> session;  // closed before magic goes
  int socket = -1;
};

// Opens the subnet's session and sends it the request. Nothing when the
// session cannot be opened or the request not sent (both reported).
std::unique_ptr<SubnetProbe> startSubnetProbe(const std::string& subnetBroadcast) {
  V2cSettings v2c(subnetBroadcast);
  netsnmp_session& settings = v2c.get();
  std::printf("brocast sub net ip = %s\n", subnetBroadcast.c_str());
  settings.flags |= SNMP_FLAGS_UDP_BROADCAST;
  // The library's own time-out and retries stay: a broadcast goes out
  // without acknowledgement (on Wi-Fi it is sent once), so one lost
  // datagram would drop a printer from the list; the repeats within the
  // listening window bring it back, and their answers are duplicates.
  auto probe = std::make_unique<SubnetProbe>();
  settings.callback = mc_network_discovery_cb;
  settings.callback_magic = &probe->magic;

  void* opened = snmp_sess_open(&settings);
  if (opened == nullptr) {
    snmp_sess_perror("ack", &settings);
    return nullptr;
  }
  probe->session.emplace(opened);
  probe->socket = snmp_sess_transport(opened)->sock;

  netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GET);
  for (const char* object : discoveryObjects) {
    oid name[MAX_OID_LEN];
    std::size_t nameLength = MAX_OID_LEN;
    if (read_objid(object, name, &nameLength) != 0) {
      snmp_add_null_var(request, name, nameLength);
    }
  }
  if (snmp_sess_send(opened, request) == 0) {
    std::fputs(" send snmp request error ++++++++++++++++++++++++++++++++++++++++++\n", stdout);
    snmp_free_pdu(request);
    return nullptr;
  }
  return probe;
}

// How long until the first of the sessions' retransmissions falls due, at
// most `limit`.
Clock::duration libraryWait(const std::vector<std::unique_ptr<SubnetProbe>>& probes, Clock::duration limit) {
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(limit).count();
  timeval wait{};
  wait.tv_sec = static_cast<time_t>(micros / 1000000);
  wait.tv_usec = static_cast<suseconds_t>(micros % 1000000);
  for (const auto& probe : probes) {
    // Shortens the wait when this session has a request due earlier.
    int descriptors = 0;
    int block = 0;
    LargeFdSet unused;
    snmp_sess_select_info2(probe->session->get(), &descriptors, unused.get(), &wait, &block);
  }
  const auto due = std::chrono::seconds(wait.tv_sec) + std::chrono::microseconds(wait.tv_usec);
  return std::min(limit, std::chrono::duration_cast<Clock::duration>(due));
}

int pollMilliseconds(Clock::duration wait) {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
  return static_cast<int>(std::clamp<std::int64_t>(ms, 0, 60000));
}

// Reads every answer that arrives on any of the probes' sessions until
// `end` (one datagram per read, so no device is lost because several
// answered at once), and lets the library repeat each request when its
// time-out falls due, all sessions side by side.
void readAnswersUntil(const std::vector<std::unique_ptr<SubnetProbe>>& probes, Clock::time_point end) {
  std::vector<pollfd> sockets;
  for (const auto& probe : probes) {
    sockets.push_back({probe->socket, POLLIN, 0});
  }
  for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
    const int count = ::poll(sockets.data(), sockets.size(), pollMilliseconds(libraryWait(probes, end - now)));
    if (count < 0 && errno != EINTR) {
      std::perror("poll");
      return;
    }
    for (std::size_t i = 0; count > 0 && i < sockets.size(); ++i) {
      if (sockets[i].revents != 0) {
        LargeFdSet readable;
        NETSNMP_LARGE_FD_SET(sockets[i].fd, readable.get());
        snmp_sess_read2(probes[i]->session->get(), readable.get());
      }
    }
    // Only requests whose time-out has passed are sent again; a steady
    // stream of answers does not hold the repeats back.
    for (const auto& probe : probes) {
      snmp_sess_timeout(probe->session->get());
    }
  }
}

// Two listening passes for all subnets at once, so discovery takes the
// same time however many addresses the host has. Each subnet's pass line
// is still written, at the start of the pass.
void listenForAnswers(const std::vector<std::unique_ptr<SubnetProbe>>& probes, const DiscoveryTiming& timing) {
  if (probes.empty()) {
    return;
  }
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < probes.size(); ++i) {
      std::printf("    loop=%d\n", pass);
    }
    if (timing.listening) {
      timing.listening(pass);
    }
    readAnswersUntil(probes, Clock::now() + timing.firstWait + timing.pause);
  }
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
  // Every subnet gets its request first; then all are listened to
  // together, and the list is written subnet by subnet in the order of the
  // addresses, each subnet's answers in the order they came.
  std::vector<std::unique_ptr<SubnetProbe>> probes;
  for (const ProbeTarget& target : probeTargets(*list)) {
    std::printf("one ip of computer address : %s\n", target.address.c_str());
    // A subnet that cannot be probed adds nothing; the others still count.
    if (auto probe = startSubnetProbe(target.broadcast)) {
      probes.push_back(std::move(probe));
    }
  }
  listenForAnswers(probes, timing);
  for (const auto& probe : probes) {
    for (const SnmpResponder& responder : probe->magic.detect) {
      appendDiscoveryEntry(out, responder.ip_addr, responder.oid);
    }
  }
  return 0;
}

}  // namespace device::snmp
