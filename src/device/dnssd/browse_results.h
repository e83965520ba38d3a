#pragma once
// The browser's result set and the lines it prints, apart from Avahi so they
// can be tested alone.

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace device::dnssd {

// A service as a text: instance name, type and domain joined by dots
// ("Office._pdl-datastream._tcp.local"). Names come from the network: a
// control character or backslash in them is written as a backslash and
// three decimal digits, so a name can never break a log line in two.
std::string serviceText(std::string_view name, std::string_view type, std::string_view domain);

// "browser.stateUpdateHandler " and the state ("ready", "waiting(...)", ...).
std::string stateLine(std::string_view state);

// The services found so far. Each is counted once however many interfaces
// and protocols it is seen on, and stays until it has gone from all.
class BrowseResults {
 public:
  // True when the set changed.
  bool add(const std::string& name, const std::string& type, const std::string& domain);
  bool remove(const std::string& name, const std::string& type, const std::string& domain);
  void clear() { seen_.clear(); }

  // One "browser.browseResultsChangedHandler result: " line per service,
  // in a fixed order.
  std::vector<std::string> lines() const;

 private:
  using Key = std::tuple<std::string, std::string, std::string>;
  std::map<Key, int> seen_;
};

}  // namespace device::dnssd
