#include "scan/conversation/page_receiver.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "device/common/log.h"
#include "scan/message_keys.h"
#include "scan/conversation/page_stream.h"
#include "scan/pages/page_writer.h"
#include "scan/conversation/scan_status.h"

namespace scan {
namespace {

using device::logLine;
using device::byteList;

constexpr std::size_t kReadSize = 40960;
constexpr std::size_t kPageLimitExtra = std::size_t{1} << 20;

std::size_t side(std::int64_t value) { return static_cast<std::size_t>(std::clamp<std::int64_t>(value, 0, kMaxPageSide)); }

ResultPair networkError() { return {false, keys::kScannerNetworkError}; }

}  // namespace

std::size_t expectedPageSize(const ScanParam& param) {
  const std::size_t w = side(param.w);
  const std::size_t rows = side(pageRows(param));
  return param.mode == kModeText ? (w + 7) / 8 * rows : w * rows;
}

std::size_t pageLimit(const ScanParam& param) {
  return 3 * side(param.w) * side(pageRows(param)) + kPageLimitExtra;
}

ResultPair receiveImages(device::tcp::TCPCommunicator& socket, const ScanParam& param) {
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  const std::size_t expected = expectedPageSize(param);
  logLine("expect image size = " + std::to_string(expected) + ", w = " + std::to_string(param.w) +
          " ,h = " + std::to_string(param.h));
  PageStreamParser parser(pageLimit(param), expected);
  ReceivedPages received(param);
  std::vector<std::uint8_t> buffer(kReadSize);

  // A status byte ends the receipt: the job's end, or the device's failure.
  const auto statusResult = [&](int status) -> ResultPair {
    logLine("header[0] = " + std::to_string(status));
    const std::string key = failureKeyOfStatus(status);
    logLine("process status is : " + key + " data=" + std::to_string(status));
    if (status != kScanFinished) return {false, key};
    if (parser.pageInProgress()) {
      logLine("scan finished inside a page");
      return networkError();
    }
    logLine("scan finished");
    return received.finished();
  };

  using Event = PageStreamParser::Event;
  for (;;) {
    // A byte held at a message boundary is a status byte once nothing
    // follows it for the settle time; the device sends those alone and last.
    const bool held = parser.ending() == PageStreamParser::Ending::loneByte;
    const std::ptrdiff_t count = held ? socket.readSome(buffer, socket.options().settleTime) : socket.readSome(buffer);
    logLine("receive image len = " + std::to_string(count) + " and readLean = " + std::to_string(kReadSize));
    if (count <= 0) {
      if (parser.quiet() == Event::status) return statusResult(parser.statusByte());
      if (count < 0) {
        logLine("header receive len = " + std::to_string(count));
        return networkError();
      }
      const auto ending = parser.ending();
      if (ending == PageStreamParser::Ending::clean) return received.finished();
      logLine(ending == PageStreamParser::Ending::pageCut ? "stream ended inside a page"
                                                          : "stream ended inside a message");
      return networkError();
    }

    parser.feed(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(count)));
    for (auto event = parser.next(); event != Event::needMore; event = parser.next()) {
      switch (event) {
        case Event::blockHeader:
          logLine(byteList(parser.record()));
          break;
        case Event::pageEnd:
          logLine("header len = 10 and " + byteList(parser.record()) +
                  " and imageSize = " + std::to_string(parser.announcedSize()) + " ");
          received.save(parser.page());
          break;
        case Event::byteDropped:
          logLine("byte behind the page end dropped = " + std::to_string(parser.droppedByte()));
          break;
        case Event::status:
          return statusResult(parser.statusByte());
        case Event::pageTooLarge:
          logLine("page exceeds " + std::to_string(pageLimit(param)) + " bytes");
          return networkError();
        case Event::needMore:
          break;
      }
    }
  }
}

}  // namespace scan
