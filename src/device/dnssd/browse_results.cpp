#include "device/dnssd/browse_results.h"

namespace device::dnssd {
namespace {

void appendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '\\') {
      out += '\\';
      out += static_cast<char>('0' + byte / 100);
      out += static_cast<char>('0' + byte / 10 % 10);
      out += static_cast<char>('0' + byte % 10);
    } else {
      out += c;
    }
  }
}

}  // namespace

std::string serviceText(std::string_view name, std::string_view type, std::string_view domain) {
  std::string out;
  appendEscaped(out, name);
  out += '.';
  appendEscaped(out, type);
  out += '.';
  appendEscaped(out, domain);
  return out;
}

std::string stateLine(std::string_view state) { return "browser.stateUpdateHandler " + std::string(state); }

bool BrowseResults::add(const std::string& name, const std::string& type, const std::string& domain) {
  return ++seen_[Key{name, type, domain}] == 1;
}

bool BrowseResults::remove(const std::string& name, const std::string& type, const std::string& domain) {
  const auto found = seen_.find(Key{name, type, domain});
  if (found == seen_.end()) {
    return false;
  }
  if (--found->second > 0) {
    return false;
  }
  seen_.erase(found);
  return true;
}

std::vector<std::string> BrowseResults::lines() const {
  std::vector<std::string> out;
  for (const auto& [key, count] : seen_) {
    out.push_back("browser.browseResultsChangedHandler result: " +
                  serviceText(std::get<0>(key), std::get<1>(key), std::get<2>(key)));
  }
  return out;
}

}  // namespace device::dnssd
