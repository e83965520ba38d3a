#pragma once

// SNMP v2c client of the printer: discovery by subnet broadcast and single
// GETs of the status and toner objects. Every call blocks its caller; only
// one runs at a time (both applications call from their main thread).

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/snmp/interfaces.h"
#include "device/snmp/output_texts.h"

namespace device::snmp {

// Discovery listens to all probed addresses together in two passes, each
// for firstWait + pause: 4.25 s in all with the defaults, however many
// addresses the host has. Tests shorten it, and may be told when each pass
// (0, then 1) begins.
struct DiscoveryTiming {
  DiscoveryTiming() = default;
  DiscoveryTiming(std::chrono::milliseconds firstWaitFor, std::chrono::milliseconds pauseFor,
                  std::function<void(int pass)> onListening = {})
      : firstWait(firstWaitFor), pause(pauseFor), listening(std::move(onListening)) {}

  std::chrono::milliseconds firstWait{125};
  std::chrono::milliseconds pause{2000};
  std::function<void(int pass)> listening;
};

// Where discovery takes the host's interface addresses from.
using InterfaceSource = std::function<std::optional<std::vector<Ipv4Interface>>()>;

// Broadcasts one GET of sysDescr.0, sysObjectID.0 and ifPhysAddress.1 to the
// broadcast address of every IPv4 interface address but 127.0.0.1, sent
// again by the library after each of its time-outs (1 s, at most 5 times)
// while the listening window lasts, so one lost datagram loses no device; it
// appends an entry "address,sysObjectID|" for every device whose answer
// carries an object identifier as sysObjectID, once per probe (answers to
// the repeats are duplicates): probes in address order, each one's answers
// in the order of their first arrival. The list
// stays within discoveryListBufferSize bytes with its terminating zero
// (entries that do not fit whole are left out). Returns 0, or -1 when the
// interfaces cannot be enumerated.
long autoDetectSNMPPrinters(std::string& out);
long autoDetectSNMPPrinters(std::string& out, const InterfaceSource& interfaces,
                            const DiscoveryTiming& timing = {});

struct QueryOptions {
  std::uint16_t port = 161;
  // The library's per-try time-out (1 s) and retries (5) when left empty.
  std::optional<std::chrono::microseconds> timeout;
  std::optional<int> retries;
};

// One GET of oid (dotted numeric text) from the agent at ip (dotted IPv4
// text). Gives the value as the library prints it ("INTEGER: 85"), or
// "error" when no value came: no answer, an error status, an address or
// identifier that cannot be used. The text is cut to what a caller's buffer
// of bufferSize bytes holds with its terminating zero, and to 199 characters.
std::string getPrinterStatusBySNMP(std::string_view ip, std::string_view oid,
                                   std::size_t bufferSize, const QueryOptions& options = {});

}  // namespace device::snmp
