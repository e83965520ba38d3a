#pragma once
// A network scanner for the tests, on a loopback TCP server at
// 127.0.0.N:54321 (N distinct per simulator, so tests run in parallel).
//
// It greets with "0001", gathers each command across reads (D, S and I end
// at 0A C2 80; X at the line after "IDCard=", or in mode "TEXT" after
// "GAMA=", 256 table bytes and 0x80), answers D, S and I with scripted status
// bytes and answers X with scripted pages: data blocks of up to 65535 payload
// bytes, a page-end record after each page and the job-end byte 0x80. How the
// page stream is cut into writes is the delivery mode; faults stop the
// stream, send a status byte in place of data, or fall silent. Everything
// the host sent, and whether it closed the connection, is recorded.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/scan_request.h"
#include "sim/tcp/loopback_server.h"

namespace sim::scanner {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint16_t kScanPort = 54321;

// How the page stream is written to the connection.
struct Delivery {
  enum class Kind {
    paced,     // one write per message, as the device does
    chunks,    // fixed-size writes regardless of the messages
    random,    // writes of seeded random sizes (1 to 4096 bytes)
    oneWrite,  // the whole stream in one write
  };
  Kind kind = Kind::paced;
  std::size_t chunk = 0;  // chunks
  unsigned seed = 0;      // random
  std::string name() const;
};

// Paced, chunks of 1, 5, 7, 13 and 4096 bytes, three random seeds, one write.
std::vector<Delivery> allDeliveries();

// What the scanner does once `messages` whole messages of the page stream
// and `bytes` further bytes of the next one are written.
struct StreamStop {
  enum class Action {
    close,    // closes the connection
    silence,  // sends nothing more and keeps the connection open
    status,   // sends `status` in place of further data, then waits
  };
  std::size_t messages = 0;
  std::size_t bytes = 0;
  Action action = Action::close;
  std::uint8_t status = 0;
};

struct Script {
  std::string greeting = "0001";
  bool splitGreeting = false;  // the greeting in two writes, 50 ms apart
  // How long after accepting the connection the greeting comes: a device
  // busy with a job or waking from sleep answers late.
  std::chrono::milliseconds greetingDelay{0};
  bool silentAfterConnect = false;
  bool silentAfterD = false;
  bool silentAfterX = false;
  std::uint8_t replyD = 0x80;
  std::uint8_t replyS = 0x80;
  std::uint8_t replyI = 0x80;
  // Resets the connection (RST) right after replying to the command of this
  // letter: the host's next write fails.
  char resetAfterReplyTo = 0;
  // Runs on the scanner's thread once every page is written, before the
  // job-end byte.
  std::function<void()> beforeJobEnd;
  // Runs on the scanner's thread before it writes the stop's status byte
  // (StreamStop::Action::status): a test waits there until the host has
  // read what came before (page_saved.h), so the byte reaches it alone.
  std::function<void()> beforeStopStatus;

  std::vector<Bytes> pages;       // each page's data
  // When set, each scan's pages are made at its X command for what the host
  // asked (the mode of its I command, the area of the X command), in place
  // of `pages`: a TEXT scan can be answered with 1-bit rows of its width.
  std::function<std::vector<Bytes>(const ScanRequest&)> pagesFor;
  std::size_t blockSize = 65535;  // payload bytes per block, 1 to 65535
  // Bytes 0-2 of every block header, which the host does not interpret.
  std::array<std::uint8_t, 3> headerStart{0x42, 0x4C, 0x4B};
  bool endByte = true;            // 0x80 after the last page end; else the stream just closes
  std::optional<StreamStop> stop;
  Delivery delivery;
  int connections = 1;            // scans served one after another
};

// The messages of the page stream: each page's blocks, then its page-end
// record; the job-end byte last (when the script has it).
std::vector<Bytes> pageStreamMessages(const Script& script);
// The number of messages up to and including the page-end record of page
// `pages` (1-based; 0 gives 0).
std::size_t messagesThroughPage(const Script& script, std::size_t pages);

struct Record {
  Bytes received;                 // every byte the host sent
  std::vector<Bytes> commands;    // the commands as gathered
  bool hostClosed = false;        // the host closed the connection
  int connections = 0;
};

class ScannerSim {
 public:
  explicit ScannerSim(Script script);
  // Listens at address:54321 (an address of the caller's network
  // namespace, such as a scanner's address on a test network); throws when
  // it cannot.
  ScannerSim(Script script, const std::string& address);
  ~ScannerSim();
  ScannerSim(const ScannerSim&) = delete;
  ScannerSim& operator=(const ScannerSim&) = delete;

  // Where the scanner listens on port 54321 (127.0.0.N unless given).
  const std::string& address() const { return address_; }

  // Waits until every scripted connection has been served and closed by
  // the host, then tells what the host did.
  Record finish();
  // What the host did so far, without waiting.
  Record recordSoFar() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
  std::string address_;
  std::unique_ptr<tcp::LoopbackServer> server_;
};

}  // namespace sim::scanner
