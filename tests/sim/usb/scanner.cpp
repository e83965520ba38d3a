#include "sim/usb/scanner.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <stdexcept>

namespace sim::usb {
namespace {

void put16(Bytes& out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<std::uint8_t>(value & 0xFFu);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

bool isCommand(const Bytes& payload, char letter) {
  return payload.size() >= 2 && payload[0] == 0x1B && payload[1] == static_cast<std::uint8_t>(letter);
}

}  // namespace

DeviceConfig ktr6620lxvScanner() {
  DeviceConfig config = ktr6620lxv();
  InterfaceConfig scan;
  scan.number = kScanInterface;
  scan.endpoints = {EndpointConfig{kScanOut, 0x02, 512, 0}, EndpointConfig{kScanIn, 0x02, 512, 0}};
  config.interfaces.push_back(scan);
  return config;
}

Bytes openReply(std::uint8_t byte0, std::uint8_t byte4) { return {byte0, 0, 0, 0, byte4}; }

Bytes blockHeader(std::uint16_t pageNumber, std::uint16_t payloadLength, HeaderStart start) {
  // Bytes 0-2 and 5-9 carry nothing the host reads.
  Bytes header{start[0], start[1], start[2], 0, 0, 0x00, 0x00, 0x00, 0x00, 0x00, 0, 0};
  put16(header, 3, pageNumber);
  put16(header, 10, payloadLength);
  return header;
}

Bytes pageEndRecord(std::uint8_t marker) {
  Bytes record(10, 0);
  record[0] = marker;
  record[1] = 0x01;
  return record;
}

std::vector<StreamItem> pagesThenEnd(const std::vector<std::shared_ptr<const Bytes>>& pages) {
  std::vector<StreamItem> stream;
  std::uint16_t number = 1;
  for (const auto& page : pages) {
    stream.push_back(StreamItem::of(ScanPage{page, number++}));
  }
  stream.push_back(StreamItem::jobEnd());
  return stream;
}

// The page data after the X command, made one transfer at a time.
struct Scanner::Stream {
  explicit Stream(ScannerScript scriptIn) : script(std::move(scriptIn)) {
    if (script.blockSize == 0 || script.blockSize > kLargestBlock) {
      throw std::invalid_argument("a block carries 1 to 65535 payload bytes");
    }
  }

  std::optional<Answer> next() {
    if (!started) return std::nullopt;
    for (;;) {
      if (!inserted.empty()) {
        Answer answer = std::move(inserted.front());
        inserted.pop_front();
        return answer;
      }
      if (item >= script.stream.size()) return std::nullopt;  // silent from here on
      const StreamItem& current = script.stream[item];
      if (!current.page) {
        ++item;
        return current.transfer;
      }
      const ScanPage& page = *current.page;
      if (!insertedBefore) {
        insertedBefore = true;
        if (auto found = page.before.find(block); found != page.before.end()) {
          inserted.assign(found->second.begin(), found->second.end());
          continue;
        }
      }
      if (page.cutAfterBlocks && block >= *page.cutAfterBlocks) {
        nextItem();
        continue;
      }
      return blockOf(page);
    }
  }

  Answer blockOf(const ScanPage& page) {
    const std::size_t size = page.data ? page.data->size() : 0;
    const std::size_t blocks = std::max<std::size_t>(1, (size + script.blockSize - 1) / script.blockSize);
    const std::size_t from = std::min(size, block * script.blockSize);
    const std::size_t to = std::min(size, from + script.blockSize);
    const bool closing = block + 1 == blocks;
    Bytes transfer = blockHeader(page.number, static_cast<std::uint16_t>(to - from), script.headerStart);
    transfer.reserve(transfer.size() + (to - from) + 10);
    if (to > from) transfer.insert(transfer.end(), page.data->begin() + static_cast<std::ptrdiff_t>(from),
                                   page.data->begin() + static_cast<std::ptrdiff_t>(to));
    if (closing) {
      const Bytes record = pageEndRecord(page.endMarker);
      transfer.insert(transfer.end(), record.begin(), record.end());
      nextItem();
    } else {
      ++block;
      insertedBefore = false;
    }
    return Answer::bytes(std::move(transfer));
  }

  void nextItem() {
    ++item;
    block = 0;
    insertedBefore = false;
  }

  void restart(std::vector<StreamItem> items) {
    script.stream = std::move(items);
    item = 0;
    block = 0;
    insertedBefore = false;
    inserted.clear();
  }

  ScannerScript script;
  ScanRequest request;
  std::atomic<bool> started{false};
  std::size_t item = 0;
  std::size_t block = 0;
  bool insertedBefore = false;
  std::deque<Answer> inserted;
};

Scanner::Scanner(Device& device, ScannerScript script)
    : device_(device), stream_(std::make_shared<Stream>(std::move(script))) {
  const auto stream = stream_;
  device_.onControl(kVendorIn, kOpenRequest, [stream](const ControlSetup&) { return stream->script.open; });
  device_.onControl(kVendorIn, kCloseRequest, [stream](const ControlSetup&) { return stream->script.close; });
  device_.onOutQueueing(kScanOut, [stream](const Bytes& payload, InQueue& queue) {
    if (isCommand(payload, 'D')) queue.push(kScanIn, stream->script.dReply);
    if (isCommand(payload, 'S')) queue.push(kScanIn, stream->script.sReply);
    if (isCommand(payload, 'I')) {
      readICommand(stream->request, payload);
      queue.push(kScanIn, stream->script.iReply);
    }
    if (isCommand(payload, 'X')) {
      readXCommand(stream->request, payload);
      if (stream->script.streamFor) stream->restart(stream->script.streamFor(stream->request));
      if (stream->script.xWrite.kind == Answer::Kind::Data) stream->started = true;
      return stream->script.xWrite;
    }
    return Answer::accept();
  });
  device_.feedIn(kScanIn, [stream] { return stream->next(); });
}

std::vector<ControlSetup> Scanner::requests(std::uint8_t request) const {
  std::vector<ControlSetup> found;
  for (auto& setup : device_.controlRequests()) {
    if (setup.requestType == kVendorIn && setup.request == request) found.push_back(setup);
  }
  return found;
}

bool Scanner::streaming() const { return stream_->started; }

}  // namespace sim::usb
