#include "device/dnssd/browser.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>

#include <string>

#include "device/common/log.h"
#include "device/dnssd/qt_poll.h"

namespace device::dnssd {
namespace {

std::string text(const char* value) { return value != nullptr ? value : ""; }

}  // namespace

Browser::~Browser() {
  if (browser_ != nullptr) avahi_service_browser_free(browser_);
  if (client_ != nullptr) avahi_client_free(client_);
}

void Browser::start() {
  if (started_) {
    return;
  }
  started_ = true;
  int error = 0;
  // The client reports its states from inside this call already.
  client_ = avahi_client_new(
      qtPoll(), AVAHI_CLIENT_NO_FAIL,
      [](AvahiClient* client, AvahiClientState state, void* self) {
        static_cast<Browser*>(self)->clientChanged(client, state);
      },
      this, &error);
  if (client_ == nullptr) {
    logLine(stateLine("failed(" + text(avahi_strerror(error)) + ")"));
  }
}

void Browser::clientChanged(AvahiClient* client, int state) {
  switch (state) {
    case AVAHI_CLIENT_CONNECTING:
      logLine(stateLine("waiting(" + text(avahi_strerror(AVAHI_ERR_NO_DAEMON)) + ")"));
      return;
    case AVAHI_CLIENT_FAILURE:
      fail(client);
      return;
    default:  // the daemon is there, whatever its own name's state
      break;
  }
  if (browser_ != nullptr) {
    return;
  }
  browser_ = avahi_service_browser_new(
      client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, kServiceType, nullptr, static_cast<AvahiLookupFlags>(0),
      [](AvahiServiceBrowser* browser, AvahiIfIndex, AvahiProtocol, AvahiBrowserEvent event, const char* name,
         const char* type, const char* domain, AvahiLookupResultFlags, void* self) {
        static_cast<Browser*>(self)->resultsChanged(avahi_service_browser_get_client(browser), event, name, type,
                                                    domain);
      },
      this);
  if (browser_ == nullptr) {
    fail(client);
    return;
  }
  logLine(stateLine("ready"));
}

void Browser::resultsChanged(AvahiClient* client, int event, const char* name, const char* type, const char* domain) {
  switch (event) {
    case AVAHI_BROWSER_NEW:
      if (results_.add(text(name), text(type), text(domain))) printResults();
      return;
    case AVAHI_BROWSER_REMOVE:
      if (results_.remove(text(name), text(type), text(domain))) printResults();
      return;
    case AVAHI_BROWSER_FAILURE:
      fail(client);
      return;
    default:  // the cache is read, or nothing more for now: no change
      return;
  }
}

void Browser::fail(AvahiClient* client) {
  logLine(stateLine("failed(" + text(avahi_strerror(avahi_client_errno(client))) + ")"));
  if (browser_ != nullptr) {
    avahi_service_browser_free(browser_);
    browser_ = nullptr;
  }
  results_.clear();
}

void Browser::printResults() const {
  for (const std::string& line : results_.lines()) {
    logLine(line);
  }
}

}  // namespace device::dnssd
