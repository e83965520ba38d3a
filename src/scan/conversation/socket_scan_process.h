#pragma once
// One scan with a scanner on the network, over TCP port 54321: the greeting,
// the paper-source check, the S, I and X commands, then the pages.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/tcp/tcp_communicator.h"
#include "scan/result.h"
#include "scan/conversation/scan_command.h"
#include "scan/conversation/scanner_device.h"

namespace scan {

inline constexpr std::uint32_t kScanPort = 54321;

// How long the run waits: 5 s for the device to accept the connection, 60 s
// for each read (a reply, or the next page data while the device feeds and
// scans) and each write.
device::tcp::ChannelOptions scanChannelOptions();

class SocketScanProcess {
 public:
  // Keeps the scanner and the command builder (shared with the caller, which
  // sees the resolved source afterwards); connects nothing yet.
  SocketScanProcess(Device scanner, ScanCommand& scanCommand,
                    device::tcp::ChannelOptions options = scanChannelOptions());
  SocketScanProcess(const SocketScanProcess&) = delete;
  SocketScanProcess& operator=(const SocketScanProcess&) = delete;

  // The whole run; the connection is closed on every way out. The pages'
  // result (page count, or a failure key) or the failing step's.
  ResultPair startScan();

  // Connects and expects the greeting "0001": its first byte may take the
  // read time-out; it is judged once four bytes came, once the bytes can no
  // longer become it, or once the stream stayed quiet for the settle time.
  ResultPair checkScanner();
  // Sends D unless the source is "FB"; turns "AUTO" into "ADF" or "FB".
  ResultPair checkPaperSource();
  ResultPair sendSCommand();
  ResultPair sendICommand();
  // False when the command could not be written.
  bool sendXCommand();
  void closeScanner();

 private:
  // Sends a command and reads the first byte of its reply; nothing when
  // either fails.
  std::optional<std::uint8_t> exchange(std::span<const std::uint8_t> command);

  device::tcp::TCPCommunicator socket;
  Device scanner;
  ScanCommand& scanCommand;
};

}  // namespace scan
