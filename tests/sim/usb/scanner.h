#pragma once
// The printer's scanner on the simulated bus: the open and close vendor
// requests, the D, S and I commands with their one-byte replies on the scan
// interface's bulk pair, and after the X command the page data, one message
// per transfer as the device sends it:
//   data block      12-byte header (bytes 3-4 the page number, bytes 10-11 the
//                   payload length L, low byte first), then L payload bytes;
//   closing block   a page's last data block directly followed by the 10-byte
//                   page-end record (first byte 0x82);
//   job-end byte    0x80 alone;
//   status byte     a status code alone (0xC3 a paper jam, ...).
// The stream is made as the host reads it, so pages are never held twice and
// a long scan costs the simulator no more memory than one page.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "sim/scan_request.h"
#include "sim/usb/usb_sim.h"

namespace sim::usb {

inline constexpr std::uint8_t kScanInterface = 1;
inline constexpr std::uint8_t kScanOut = 0x03;  // pipe 1 of the scan interface
inline constexpr std::uint8_t kScanIn = 0x84;   // pipe 2 of the scan interface
inline constexpr std::uint8_t kOpenRequest = 1;
inline constexpr std::uint8_t kCloseRequest = 2;
inline constexpr std::uint8_t kVendorIn = 0xC0;
inline constexpr std::uint16_t kLargestBlock = 65535;

// The printer with its scan interface: interface 0 as the printer has it,
// interface 1 with bulk OUT 0x03 and bulk IN 0x84.
DeviceConfig ktr6620lxvScanner();

// Open and close replies: byte 0 5 and byte 4 0 is success, byte 4 1 busy.
Bytes openReply(std::uint8_t byte0, std::uint8_t byte4);

// Bytes 0-2 of a block header: the host does not interpret them.
using HeaderStart = std::array<std::uint8_t, 3>;
inline constexpr HeaderStart kHeaderStart{0x1C, 0x00, 0x01};

Bytes blockHeader(std::uint16_t pageNumber, std::uint16_t payloadLength, HeaderStart start = kHeaderStart);
Bytes pageEndRecord(std::uint8_t marker = 0x82);

// One page as the scanner sends it.
struct ScanPage {
  std::shared_ptr<const Bytes> data;
  std::uint16_t number = 1;      // the page number in every header of the page
  std::uint8_t endMarker = 0x82;  // first byte of the page-end record
  // The page stops after this many data blocks: no closing block follows.
  std::optional<std::size_t> cutAfterBlocks{};
  // Transfers the device puts before data block i (counted from 0; the
  // closing block is the page's last block).
  std::map<std::size_t, std::vector<Answer>> before{};
};

// One item of what follows the X command: a page, or one bare transfer
// (the job-end byte, a status byte, a stall, silence, an unplug, ...).
struct StreamItem {
  std::optional<ScanPage> page;
  Answer transfer;

  static StreamItem of(ScanPage page) { return {std::move(page), {}}; }
  static StreamItem bare(Answer transfer) { return {std::nullopt, std::move(transfer)}; }
  static StreamItem jobEnd() { return bare(Answer::bytes({0x80})); }
  static StreamItem status(std::uint8_t code) { return bare(Answer::bytes({code})); }
};

struct ScannerScript {
  Answer open = Answer::bytes(openReply(5, 0));
  Answer close = Answer::bytes(openReply(5, 0));
  Answer dReply = Answer::bytes({0x80});
  Answer sReply = Answer::bytes({0x80});
  Answer iReply = Answer::bytes({0x00});
  Answer xWrite = Answer::accept();  // how the X command's write is taken
  std::size_t blockSize = 16384;     // payload bytes of a full data block
  HeaderStart headerStart = kHeaderStart;  // bytes 0-2 of every block header
  std::vector<StreamItem> stream;    // after it the device is silent
  // When set, each X command starts a new stream made for what the host
  // asked (the mode of its I command, the area of the X command), in place
  // of `stream`: a TEXT scan can be answered with 1-bit rows of its width.
  std::function<std::vector<StreamItem>(const ScanRequest&)> streamFor;
};

// Pages numbered 1..n as the device numbers them, then the job-end byte.
std::vector<StreamItem> pagesThenEnd(const std::vector<std::shared_ptr<const Bytes>>& pages);

// Installs the scanner's behaviour on a simulated device.
class Scanner {
 public:
  Scanner(Device& device, ScannerScript script);

  // The commands the host wrote on the scan interface, in order.
  std::vector<Bytes> commands() const { return device_.received(kScanOut); }
  // Vendor requests on the default pipe with this request number.
  std::vector<ControlSetup> requests(std::uint8_t request) const;
  // The X command came and the stream began.
  bool streaming() const;

 private:
  struct Stream;
  Device& device_;
  std::shared_ptr<Stream> stream_;
};

}  // namespace sim::usb
