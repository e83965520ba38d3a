#pragma once
// One interface of an opened device: its pipes, bulk transfers, control
// requests on the default pipe, and the open/close bracket around bulk work.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "device/usb/control_request.h"
#include "device/usb/io_return.h"
#include "device/usb/pipes.h"
#include "device/usb/session.h"

namespace device::usb {

inline constexpr double kDefaultTimeoutSeconds = 0.3;

// The outcome of one transfer: its code and the bytes moved, which a failed
// transfer may also have moved some of.
struct TransferResult {
  IOReturn code = kIOReturnSuccess;
  std::size_t count = 0;
};

class InterfaceHandle {
 public:
  // Moving hands the open claim over; the source stays a valid, closed handle
  // on the same interface.
  InterfaceHandle(InterfaceHandle&& other) noexcept;
  InterfaceHandle& operator=(InterfaceHandle&& other) noexcept;
  InterfaceHandle(const InterfaceHandle&) = delete;
  InterfaceHandle& operator=(const InterfaceHandle&) = delete;
  // Gives back a claim still held, silently.
  ~InterfaceHandle();

  // Claims the interface, detaching a kernel driver bound to it first
  // (reattached on close). Failure throws, except in the scanner's build
  // where a non-seizing open only logs "open interface failed".
  void open(bool seize = false);
  // Releases the claim. Never throws; the scanner's build logs a failure and
  // then "interface closed".
  void close();

  // open, the handler, close whether or not the handler threw. open's and
  // the handler's errors reach the caller, close's never.
  template <typename Handler>
  void openAndPerform(bool seize, Handler&& handler) {
    open(seize);
    try {
      std::forward<Handler>(handler)();
    } catch (...) {
      close();
      throw;
    }
    close();
  }

  PipeMap getPipes() const;
  std::optional<PipeProperties> getPipeProperties(int pipe) const;
  std::uint8_t getInterfaceNum() const noexcept { return interfaceNumber_; }

  // One bulk (or interrupt) transfer of all the bytes, nothing added.
  void write(std::span<const std::uint8_t> bytes, int pipe, double noDataTimeout = kDefaultTimeoutSeconds,
             double completionTimeout = kDefaultTimeoutSeconds);

  // One transfer of at most maxCount bytes; exactly the bytes received come
  // back. Fewer than minCount: QDIOException(couldNotGetEnoughData).
  std::vector<std::uint8_t> readBytes(std::optional<std::size_t> minCount, std::size_t maxCount, int pipe,
                                      double noDataTimeout = kDefaultTimeoutSeconds,
                                      double completionTimeout = kDefaultTimeoutSeconds);

  // The transfers themselves, reporting rather than throwing; time-outs in
  // milliseconds. Bulk work needs an open interface (kIOReturnNotOpen).
  TransferResult readPipeTO(int pipe, std::span<std::uint8_t> buffer, std::uint32_t noDataTimeoutMs,
                            std::uint32_t completionTimeoutMs);
  TransferResult writePipeTO(int pipe, std::span<const std::uint8_t> bytes, std::uint32_t noDataTimeoutMs,
                             std::uint32_t completionTimeoutMs);

  // A control request on the default pipe (0); the interface need not be
  // open. The request is taken by value: the reply lands in its buffer, and
  // the bytes that came back are counted, so that a caller can tell a short
  // reply from one whose last bytes are zero.
  std::uint32_t sendControlRequest(IOUSBDevRequestTO request, int pipe);

  // bothEnds: clear the endpoint's halt on the device too; otherwise only the
  // host's record of the stall.
  void clearPipeStall(bool bothEnds, int pipe);

  // The host's view of a pipe: kIOUSBPipeStalled after a stall until it is
  // cleared, success otherwise.
  IOReturn getPipeStatus(int pipe) const;

 private:
  friend class DeviceHandle;
  struct Endpoint {
    std::uint8_t address = 0;
    std::uint8_t attributes = 0;
    std::uint16_t maxPacketSize = 0;
    std::uint8_t interval = 0;
  };

  InterfaceHandle(detail::SessionPtr session, std::uint8_t interfaceNumber, std::vector<Endpoint> endpoints);
  const Endpoint* endpointOf(int pipe) const;
  TransferResult transfer(int pipe, bool in, std::uint8_t* data, std::size_t length, std::uint32_t noDataTimeoutMs,
                          std::uint32_t completionTimeoutMs);
  void giveBack() noexcept;

  detail::SessionPtr session_;
  std::uint8_t interfaceNumber_ = 0;
  std::vector<Endpoint> endpoints_;
  bool open_ = false;
  bool driverDetached_ = false;
  std::vector<int> stalledPipes_;
};

}  // namespace device::usb
