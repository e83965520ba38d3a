#pragma once
// An opened device, shared by its device handle and every interface handle
// made from it, so whichever is released last closes it. Internal to the
// layer.

#include <memory>

struct libusb_context;
struct libusb_device_handle;

namespace device::usb::detail {

class Session {
 public:
  Session(libusb_context* context, libusb_device_handle* handle) noexcept
      : context_(context), handle_(handle) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();

  libusb_device_handle* handle() const noexcept { return handle_; }

 private:
  libusb_context* context_;
  libusb_device_handle* handle_;
};

using SessionPtr = std::shared_ptr<Session>;

}  // namespace device::usb::detail
