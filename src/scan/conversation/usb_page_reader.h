#pragma once
// Receiving a USB scan's pages. After the X command the scanner sends the
// page data on its bulk IN pipe, one message to one transfer, so each
// transfer is told apart by its length alone (n bytes; L is the payload
// length in header bytes 10-11, low byte first):
//   data block     n = L + 12: the 12-byte block header, then L page bytes;
//   closing block  n = L + 22: a data block directly followed by the 10-byte
//                  page-end record, whose first byte is 0x82; header bytes
//                  3-4 (low byte first) carry the device's page number;
//   job-end byte   n = 1, 0x80: no further page follows;
//   status byte    n = 1, any other value: a condition the scanner reports.
// A transfer of any other shape, the job-end byte inside a page or a page-end
// record without its mark would damage or drop a page: reading fails.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <stdexcept>
#include <vector>

#include "device/usb/interface_handle.h"

namespace scan {

// The reader's answer: a page, the end of the scan, or a status byte.
struct PageTriple {
  bool isFinished = false;
  long long pageNo = 0;  // the device's page number, or one of the two below
  std::vector<std::uint8_t> data;
  friend bool operator==(const PageTriple&, const PageTriple&) = default;
};
inline constexpr long long kScanEnded = -1;      // data: empty
inline constexpr long long kStatusReported = -2;  // data: the status byte

// The bulk IN pipe the pages arrive on, as far as the reader needs it.
class PagePipe {
 public:
  virtual ~PagePipe() = default;
  // One transfer of at most buffer.size() bytes into the buffer.
  virtual device::usb::TransferResult read(std::span<std::uint8_t> buffer, std::uint32_t noDataTimeoutMs,
                                           std::uint32_t completionTimeoutMs) = 0;
  // Clears a stall of the pipe on both ends; throws when that fails.
  virtual void clearStall() = 0;
};

// Holds the largest closing block (12 + 65535 + 10 bytes), in whole 512-byte
// packets; every read asks for all of it.
inline constexpr std::size_t kPageReadBufferSize = 66048;
// Failed reads in a row that are tried again (a stall cleared, an
// interrupted read) before the page is given up.
inline constexpr int kPageReadRetries = 3;

struct PageReaderSettings {
  // Each read's bounds, and the most time empty transfers may go on.
  std::uint32_t noDataTimeoutMs = 30000;
  std::uint32_t completionTimeoutMs = 60000;
  // The most page bytes one page may gather.
  std::size_t pageLimit = std::numeric_limits<std::size_t>::max();
};

// Why a page could not be read; what() says what arrived.
class PageReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads transfers until one whole page, the job-end byte or a status byte.
// A failed read (time-out, unplugged device, interface not open, a stall that
// persists), a transfer that fits no kind, or a page beyond the limit throws
// PageReadError; a failure to clear a stall throws that failure.
PageTriple readImages(PagePipe& pipe, const PageReaderSettings& settings = {});

// The pipe of an interface handle (the pipe numbered as getPipes does).
class InterfacePagePipe final : public PagePipe {
 public:
  InterfacePagePipe(device::usb::InterfaceHandle& interface, int pipe) : interface_(interface), pipe_(pipe) {}
  device::usb::TransferResult read(std::span<std::uint8_t> buffer, std::uint32_t noDataTimeoutMs,
                                   std::uint32_t completionTimeoutMs) override;
  void clearStall() override;

 private:
  device::usb::InterfaceHandle& interface_;
  int pipe_;
};

}  // namespace scan
