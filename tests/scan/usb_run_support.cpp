#include "usb_run_support.h"

#include <algorithm>
#include <sstream>

#include "run_support.h"

namespace usbtest {

std::shared_ptr<const Bytes> share(Bytes bytes) { return std::make_shared<const Bytes>(std::move(bytes)); }

std::vector<std::shared_ptr<const Bytes>> jpegPages(int count, QSize size) {
  std::vector<std::shared_ptr<const Bytes>> pages;
  for (int page = 1; page <= count; ++page) pages.push_back(share(runtest::jpegPage(page, size)));
  return pages;
}

sim::usb::ScannerScript script(const std::vector<std::shared_ptr<const Bytes>>& pages) {
  sim::usb::ScannerScript script;
  script.stream = sim::usb::pagesThenEnd(pages);
  return script;
}

namespace {
std::vector<std::string> linesOf(const std::string& log) {
  std::vector<std::string> lines;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
}  // namespace

bool linesInOrder(const std::string& log, std::initializer_list<std::string> wanted) {
  const auto lines = linesOf(log);
  auto at = lines.begin();
  for (const auto& line : wanted) {
    at = std::find(at, lines.end(), line);
    if (at == lines.end()) return false;
    ++at;
  }
  return true;
}

std::size_t countLines(const std::string& log, const std::string& line) {
  const auto lines = linesOf(log);
  return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

}  // namespace usbtest
