#pragma once
// Watching the USB device list: the handler hears of every matching device
// already attached and then of every later arrival or removal, on the
// queue the caller chooses (the main queue by default), for as long as the
// caller keeps the observer.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "device/common/main_queue.h"
#include "device/usb/usb_ids.h"

namespace device::usb {

// The notification kinds: a matching device is there (for those already
// attached, and for each arrival), and a matching device has gone.
inline constexpr char kFirstMatchNotification[] = "IOServiceFirstMatch";
inline constexpr char kTerminateNotification[] = "IOServiceTerminate";

// A device as the handler hears of it: where it sits on the bus and what it
// is. To talk to it, the handler opens it itself.
struct ObservedDevice {
  std::uint8_t busNumber = 0;
  std::uint8_t deviceAddress = 0;
  VendorId vendor{0};
  ProductId product{0};
  friend bool operator==(const ObservedDevice&, const ObservedDevice&) = default;
};

// Which devices are observed: those with this vendor and product ID, each
// left out matching any.
struct DeviceMatch {
  std::optional<VendorId> vendor;
  std::optional<ProductId> product;
};

using DeviceListHandler = std::function<void(const std::string& notificationName, const ObservedDevice& device)>;

// Keeps the observation going; dropping it ends the observation: the
// handler is not called again, queued calls included, provided it is
// dropped on the handler's queue.
class DeviceListObserver {
 public:
  struct Impl;
  explicit DeviceListObserver(std::unique_ptr<Impl> impl);
  DeviceListObserver(const DeviceListObserver&) = delete;
  DeviceListObserver& operator=(const DeviceListObserver&) = delete;
  ~DeviceListObserver();

 private:
  std::unique_ptr<Impl> impl_;
};

// {kFirstMatchNotification, kTerminateNotification}
std::set<std::string> defaultNotificationNames();

// Observes the devices `match` selects for each named kind. The handler
// runs on `queue`, never inside this call: first once for each matching
// device attached now (for kFirstMatchNotification), then for each change.
// An empty set of names observes nothing. A name of another kind, or a
// system without device-list notifications, throws IOReturnError.
std::unique_ptr<DeviceListObserver> observeDeviceList(const DeviceMatch& match, DeviceListHandler handler,
                                                      const std::set<std::string>& notificationNames =
                                                          defaultNotificationNames(),
                                                      Queue queue = mainQueue());

// Every USB device.
std::unique_ptr<DeviceListObserver> observeDeviceList(DeviceListHandler handler,
                                                      const std::set<std::string>& notificationNames =
                                                          defaultNotificationNames(),
                                                      Queue queue = mainQueue());

// One vendor's product.
std::unique_ptr<DeviceListObserver> observeDeviceList(VendorId vendor, ProductId product,
                                                      DeviceListHandler handler,
                                                      const std::set<std::string>& notificationNames =
                                                          defaultNotificationNames(),
                                                      Queue queue = mainQueue());

}  // namespace device::usb
