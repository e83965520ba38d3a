#include "device/usb/observing.h"

#include <libusb.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "device/usb/errors.h"
#include "device/usb/libusb_codes.h"

namespace device::usb {
namespace {

// What queued calls share with the observer: they find it inactive once
// the observer is dropped.
struct Delivery {
  DeviceListHandler handler;
  Queue queue;
  std::atomic<bool> active{true};
};

struct Registration {
  std::shared_ptr<Delivery> delivery;
  std::string name;
  libusb_hotplug_callback_handle handle = 0;
  bool registered = false;
};

libusb_hotplug_event eventFor(const std::string& name) {
  if (name == kFirstMatchNotification) return LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED;
  if (name == kTerminateNotification) return LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT;
  throw IOReturnError(kIOReturnBadArgument);
}

// Runs on the observer's event thread, or on the caller's thread for the
// devices already attached while it registers: hands the device to the
// handler's queue.
int LIBUSB_CALL notify(libusb_context*, libusb_device* device, libusb_hotplug_event, void* data) {
  const auto* registration = static_cast<const Registration*>(data);
  libusb_device_descriptor descriptor{};
  libusb_get_device_descriptor(device, &descriptor);
  const ObservedDevice seen{libusb_get_bus_number(device), libusb_get_device_address(device),
                            VendorId(descriptor.idVendor), ProductId(descriptor.idProduct)};
  registration->delivery->queue([delivery = registration->delivery, name = registration->name, seen] {
    if (delivery->active) {
      delivery->handler(name, seen);
    }
  });
  return 0;  // stay registered
}

void throwIfFailed(int result) {
  const IOReturn code = ioReturnFromLibusb(result);
  if (code != kIOReturnSuccess) {
    throw IOReturnError(code);
  }
}

}  // namespace

struct DeviceListObserver::Impl {
  std::shared_ptr<Delivery> delivery;
  libusb_context* context = nullptr;
  std::vector<std::unique_ptr<Registration>> registrations;
  std::atomic<bool> stopping{false};
  std::thread events;

  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;
  Impl(DeviceListHandler handler, Queue queue) : delivery(std::make_shared<Delivery>()) {
    delivery->handler = std::move(handler);
    delivery->queue = std::move(queue);
  }

  ~Impl() {
    delivery->active = false;
    if (context == nullptr) {
      return;
    }
    stopping = true;
    for (const auto& registration : registrations) {
      if (registration->registered) {
        libusb_hotplug_deregister_callback(context, registration->handle);
      }
    }
    libusb_interrupt_event_handler(context);
    if (events.joinable()) {
      events.join();
    }
    libusb_exit(context);
  }

  void handleEvents() {
    while (!stopping) {
      timeval wait{1, 0};
      libusb_handle_events_timeout_completed(context, &wait, nullptr);
    }
  }
};

DeviceListObserver::DeviceListObserver(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

DeviceListObserver::~DeviceListObserver() = default;

std::set<std::string> defaultNotificationNames() { return {kFirstMatchNotification, kTerminateNotification}; }

std::unique_ptr<DeviceListObserver> observeDeviceList(const DeviceMatch& match, DeviceListHandler handler,
                                                      const std::set<std::string>& notificationNames, Queue queue) {
  auto impl = std::make_unique<DeviceListObserver::Impl>(std::move(handler), std::move(queue));
  if (notificationNames.empty()) {
    return std::make_unique<DeviceListObserver>(std::move(impl));
  }
  std::vector<libusb_hotplug_event> events;
  for (const std::string& name : notificationNames) {
    events.push_back(eventFor(name));
  }
  throwIfFailed(libusb_init(&impl->context));
  if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG) == 0) {
    throw IOReturnError(kIOReturnUnsupported);
  }
  std::size_t index = 0;
  for (const std::string& name : notificationNames) {
    auto& registration = *impl->registrations.emplace_back(std::make_unique<Registration>());
    registration.delivery = impl->delivery;
    registration.name = name;
    const libusb_hotplug_event event = events[index++];
    // Arrivals start with the devices already attached.
    const int flags = event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED ? LIBUSB_HOTPLUG_ENUMERATE : LIBUSB_HOTPLUG_NO_FLAGS;
    throwIfFailed(libusb_hotplug_register_callback(
        impl->context, event, flags, match.vendor ? int{match.vendor->value} : LIBUSB_HOTPLUG_MATCH_ANY,
        match.product ? int{match.product->value} : LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY, &notify,
        &registration, &registration.handle));
    registration.registered = true;
  }
  impl->events = std::thread([raw = impl.get()] { raw->handleEvents(); });
  return std::make_unique<DeviceListObserver>(std::move(impl));
}

std::unique_ptr<DeviceListObserver> observeDeviceList(DeviceListHandler handler,
                                                      const std::set<std::string>& notificationNames, Queue queue) {
  return observeDeviceList(DeviceMatch{}, std::move(handler), notificationNames, std::move(queue));
}

std::unique_ptr<DeviceListObserver> observeDeviceList(VendorId vendor, ProductId product, DeviceListHandler handler,
                                                      const std::set<std::string>& notificationNames, Queue queue) {
  return observeDeviceList(DeviceMatch{vendor, product}, std::move(handler), notificationNames, std::move(queue));
}

}  // namespace device::usb
