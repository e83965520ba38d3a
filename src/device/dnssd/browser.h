#pragma once
// A browser for DNS-SD services of one fixed type over TCP, in the default
// domains, on the Avahi daemon. It only logs: its state, and the whole set
// of services found whenever that set changes.
//
// Avahi's callbacks come from Qt's event loop of the thread that starts the
// browser, whichever loop Qt runs there: everything the browser prints, it
// prints on that thread. Make, start and drop it on the GUI thread.

#include "device/dnssd/browse_results.h"

struct AvahiClient;
struct AvahiServiceBrowser;

namespace device::dnssd {

// The service the printers announce for print jobs sent as they are over a
// plain TCP connection (port 9100): the way the print filter's job stream,
// which only this printer understands, reaches a printer on the network.
inline constexpr char kServiceType[] = "_pdl-datastream._tcp";

class Browser {
 public:
  // Browses kServiceType in the default domains; does not start.
  Browser() = default;
  Browser(const Browser&) = delete;
  Browser& operator=(const Browser&) = delete;
  ~Browser();

  // Starts browsing (once). Without an Avahi daemon the browser waits for
  // one and starts when it appears; a daemon that goes away later fails
  // it for good ("failed(...)").
  void start();

 private:
  void clientChanged(AvahiClient* client, int state);
  void resultsChanged(AvahiClient* client, int event, const char* name, const char* type, const char* domain);
  void fail(AvahiClient* client);
  void printResults() const;

  bool started_ = false;
  AvahiClient* client_ = nullptr;
  AvahiServiceBrowser* browser_ = nullptr;
  BrowseResults results_;
};

}  // namespace device::dnssd
