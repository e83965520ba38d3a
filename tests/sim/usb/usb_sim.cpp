#include "sim/usb/usb_sim.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace sim::usb {
namespace {

// What usbfs offers the host: one URB per transfer of any length. Bulk
// continuation is left out: libusb would then cut a long read into 16 KiB
// URBs, and each of them would take a whole answer of its own.
constexpr std::uint32_t kCapabilities = USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_NO_PACKET_SIZE_LIM;

void complete(UMockdevIoctlClient* client, long result, int error) {
  umockdev_ioctl_client_complete(client, result, error);
}

void fail(UMockdevIoctlClient* client, int error) { complete(client, -1, error); }

bool failed(UMockdevIoctlClient* client, int error) {
  fail(client, error);
  return true;
}

// umockdev hands back new references from resolve; this keeps them paired.
struct Resolved {
  UMockdevIoctlData* data = nullptr;
  Resolved(UMockdevIoctlData* parent, std::size_t offset, std::size_t length) {
    GError* error = nullptr;
    data = umockdev_ioctl_data_resolve(parent, offset, length, &error);
    if (error != nullptr) {
      g_error_free(error);
      data = nullptr;
    }
  }
  Resolved(const Resolved&) = delete;
  Resolved& operator=(const Resolved&) = delete;
  ~Resolved() {
    if (data != nullptr) {
      umockdev_ioctl_data_unref(data);
    }
  }
  UMockdevIoctlData* release() { return std::exchange(data, nullptr); }
  explicit operator bool() const { return data != nullptr; }
  template <typename T>
  T* as() const {
    return reinterpret_cast<T*>(data->data);
  }
};

std::string hex(const Bytes& bytes) {
  std::string out;
  char two[3];
  for (auto byte : bytes) {
    std::snprintf(two, sizeof two, "%02X", static_cast<unsigned>(byte));
    out += two;
  }
  return out;
}

std::uint16_t le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

struct Device::Urb {
  UMockdevIoctlData* data = nullptr;    // our copy of the client's usbdevfs_urb
  UMockdevIoctlData* buffer = nullptr;  // and of its transfer buffer
  Urb() = default;
  Urb(const Urb&) = delete;
  Urb& operator=(const Urb&) = delete;
  ~Urb() {
    if (buffer != nullptr) umockdev_ioctl_data_unref(buffer);
    if (data != nullptr) umockdev_ioctl_data_unref(data);
  }
  usbdevfs_urb* urb() const { return reinterpret_cast<usbdevfs_urb*>(data->data); }
  std::uint8_t* bytes() const { return buffer != nullptr ? buffer->data : nullptr; }
  std::size_t length() const { return buffer != nullptr ? static_cast<std::size_t>(buffer->data_len) : 0; }
};

// ---- Testbed ---------------------------------------------------------------

Testbed::Testbed() : bed_(umockdev_testbed_new()) {
  // Asked only now: the answer is cached and false until a test bed exists.
  active_ = umockdev_in_mock_environment() != 0;
}

Testbed::~Testbed() {
  for (auto& device : devices_) {
    umockdev_testbed_detach_ioctl(bed_, device->devnode_.c_str(), nullptr);
    g_object_unref(device->handler_);
    device->handler_ = nullptr;
  }
  g_object_unref(bed_);
}

Device& Testbed::addDevice(const DeviceConfig& config) {
  const int devnum = 2 + static_cast<int>(devices_.size());
  devices_.push_back(std::unique_ptr<Device>(new Device(*this, config, devnum)));
  Device& device = *devices_.back();

  device.handler_ = umockdev_ioctl_base_new();
  g_signal_connect(device.handler_, "handle-ioctl", reinterpret_cast<GCallback>(&Device::onIoctl), &device);
  GError* error = nullptr;
  if (umockdev_testbed_attach_ioctl(bed_, device.devnode_.c_str(), device.handler_, &error) == 0) {
    std::string message = error != nullptr ? error->message : "attach_ioctl failed";
    if (error != nullptr) g_error_free(error);
    throw std::runtime_error(message);
  }

  const std::string num = device.devnode_.substr(device.devnode_.size() - 3);
  const std::string description =
      "P: " + device.syspath_.substr(4) + "\n" +
      "N: bus/usb/001/" + num + "\n"
      "E: SUBSYSTEM=usb\n"
      "E: DEVTYPE=usb_device\n"
      "E: BUSNUM=001\n"
      "E: DEVNUM=" + num + "\n" +
      "E: DEVNAME=" + device.devnode_ + "\n" +
      "A: busnum=1\n"
      "A: devnum=" + std::to_string(devnum) + "\n" +
      "A: bConfigurationValue=" + std::to_string(config.configurationValue) + "\n" +
      "A: speed=480\n"
      "H: descriptors=" + hex(descriptorBytes(config)) + "\n";
  if (umockdev_testbed_add_from_string(bed_, description.c_str(), &error) == 0) {
    std::string message = error != nullptr ? error->message : "add_from_string failed";
    if (error != nullptr) g_error_free(error);
    throw std::runtime_error(message);
  }
  return device;
}

// ---- Device: scripting -----------------------------------------------------

Device::Device(Testbed& bed, DeviceConfig config, int devnum) : bed_(bed), config_(std::move(config)) {
  std::string num = std::to_string(devnum);
  num.insert(0, num.size() < 3 ? 3 - num.size() : 0, '0');
  devnode_ = "/dev/bus/usb/001/" + num;
  syspath_ = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-" + std::to_string(devnum - 1);
}

Device::~Device() = default;

void Device::onControl(std::uint8_t requestType, std::uint8_t request, ControlHandler handler) {
  std::lock_guard lock(mutex_);
  control_[{requestType, request}] = std::move(handler);
}

void Device::replyToControl(std::uint8_t requestType, std::uint8_t request, Answer answer) {
  onControl(requestType, request, [answer = std::move(answer)](const ControlSetup&) { return answer; });
}

void Device::onOut(std::uint8_t endpoint, OutHandler handler) {
  onOutQueueing(endpoint, [handler = std::move(handler)](const Bytes& payload, InQueue&) { return handler(payload); });
}

void Device::onOutQueueing(std::uint8_t endpoint, QueueingOutHandler handler) {
  std::lock_guard lock(mutex_);
  out_[endpoint] = std::move(handler);
}

void Device::replyToCommand(std::string_view command, Answer answer) {
  std::lock_guard lock(mutex_);
  commands_[Bytes(command.begin(), command.end())] = std::move(answer);
}

void Device::queueIn(std::uint8_t endpoint, Answer answer) {
  std::lock_guard lock(mutex_);
  inAnswers_[endpoint].push_back(std::move(answer));
  matchIn(endpoint);
}

void Device::feedIn(std::uint8_t endpoint, InSource source) {
  std::lock_guard lock(mutex_);
  inSources_[endpoint] = std::move(source);
  matchIn(endpoint);
}

void Device::holdInterface(std::uint8_t interfaceNumber, std::string driver) {
  std::lock_guard lock(mutex_);
  heldBy_[interfaceNumber] = std::move(driver);
}

void Device::unplug() {
  {
    std::lock_guard lock(mutex_);
    goneLocked();
  }
  umockdev_testbed_remove_device(bed_.bed_, syspath_.c_str());
}

std::vector<Bytes> Device::received(std::uint8_t endpoint) const {
  std::lock_guard lock(mutex_);
  auto found = received_.find(endpoint);
  return found != received_.end() ? found->second : std::vector<Bytes>{};
}

std::vector<ControlSetup> Device::controlRequests() const {
  std::lock_guard lock(mutex_);
  return controlLog_;
}

bool Device::claimed(std::uint8_t interfaceNumber) const {
  std::lock_guard lock(mutex_);
  return claimed_.count(interfaceNumber) != 0;
}

bool Device::driverDetached(std::uint8_t interfaceNumber) const {
  std::lock_guard lock(mutex_);
  return detached_.count(interfaceNumber) != 0;
}

bool Device::driverReattached(std::uint8_t interfaceNumber) const {
  std::lock_guard lock(mutex_);
  return reattached_.count(interfaceNumber) != 0;
}

int Device::claimCount(std::uint8_t interfaceNumber) const {
  std::lock_guard lock(mutex_);
  auto found = claimCount_.find(interfaceNumber);
  return found != claimCount_.end() ? found->second : 0;
}

std::vector<std::uint8_t> Device::clearedHalts() const {
  std::lock_guard lock(mutex_);
  return clearedHalts_;
}

// ---- Device: usbfs ---------------------------------------------------------

int Device::onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, void* self) {
  return static_cast<Device*>(self)->handle(client) ? 1 : 0;
}

std::uint8_t Device::firstEndpoint(bool in) const {
  for (const auto& interface : config_.interfaces) {
    for (const auto& endpoint : interface.endpoints) {
      if (((endpoint.address & 0x80) != 0) == in) return endpoint.address;
    }
  }
  return 0;
}

bool Device::hasInterface(std::uint8_t number) const {
  return std::any_of(config_.interfaces.begin(), config_.interfaces.end(),
                     [number](const InterfaceConfig& interface) { return interface.number == number; });
}

void Device::goneLocked() {
  if (gone_) return;
  gone_ = true;
  claimed_.clear();
  // As the kernel does on a disconnect: every URB in flight ends with
  // -ESHUTDOWN and can still be reaped; every other request fails.
  auto shutDown = [this](std::vector<std::shared_ptr<Urb>>& list) {
    for (auto& urb : list) finish(urb, -ESHUTDOWN, 0);
    list.clear();
  };
  shutDown(silent_);
  for (auto& [endpoint, pending] : inPending_) shutDown(pending);
}

bool Device::handle(UMockdevIoctlClient* client) {
  const unsigned long request = umockdev_ioctl_client_get_request(client);
  UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
  std::lock_guard lock(mutex_);
  if (gone_ && request != USBDEVFS_REAPURBNDELAY && request != USBDEVFS_REAPURB) {
    fail(client, ENODEV);
    return true;
  }
  switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
      Resolved caps(arg, 0, sizeof(std::uint32_t));
      if (!caps) return failed(client, EFAULT);
      *caps.as<std::uint32_t>() = kCapabilities;
      complete(client, 0, 0);
      return true;
    }
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE: {
      Resolved number(arg, 0, sizeof(unsigned int));
      if (!number) return failed(client, EFAULT);
      const auto ifno = static_cast<std::uint8_t>(*number.as<unsigned int>());
      if (!hasInterface(ifno)) return failed(client, ENOENT);
      if (request == USBDEVFS_CLAIMINTERFACE) {
        if (heldBy_.count(ifno) != 0) return failed(client, EBUSY);
        claimed_.insert(ifno);
        ++claimCount_[ifno];
      } else {
        if (claimed_.erase(ifno) == 0) return failed(client, EINVAL);
      }
      complete(client, 0, 0);
      return true;
    }
    case USBDEVFS_GETDRIVER: {
      Resolved driver(arg, 0, sizeof(usbdevfs_getdriver));
      if (!driver) return failed(client, EFAULT);
      auto* info = driver.as<usbdevfs_getdriver>();
      auto held = heldBy_.find(static_cast<std::uint8_t>(info->interface));
      if (held == heldBy_.end()) return failed(client, ENODATA);
      std::snprintf(info->driver, sizeof info->driver, "%s", held->second.c_str());
      complete(client, 0, 0);
      return true;
    }
    case USBDEVFS_IOCTL: {
      Resolved command(arg, 0, sizeof(usbdevfs_ioctl));
      if (!command) return failed(client, EFAULT);
      const auto* info = command.as<usbdevfs_ioctl>();
      const auto ifno = static_cast<std::uint8_t>(info->ifno);
      if (info->ioctl_code == static_cast<int>(USBDEVFS_DISCONNECT)) {
        auto held = heldBy_.find(ifno);
        if (held == heldBy_.end()) return failed(client, ENODATA);
        detached_[ifno] = held->second;
        heldBy_.erase(held);
      } else if (info->ioctl_code == static_cast<int>(USBDEVFS_CONNECT)) {
        // As the kernel does: nothing binds to an interface that a driver
        // (usbfs for a program's claim included) still has.
        if (claimed_.count(ifno) != 0 || heldBy_.count(ifno) != 0) return failed(client, EBUSY);
        auto detached = detached_.find(ifno);
        if (detached != detached_.end()) heldBy_[ifno] = detached->second;
        reattached_.insert(ifno);
      } else {
        return failed(client, ENOTTY);
      }
      complete(client, 0, 0);
      return true;
    }
    case USBDEVFS_CLEAR_HALT: {
      Resolved endpoint(arg, 0, sizeof(unsigned int));
      if (!endpoint) return failed(client, EFAULT);
      clearedHalts_.push_back(static_cast<std::uint8_t>(*endpoint.as<unsigned int>()));
      complete(client, 0, 0);
      return true;
    }
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_SETCONFIGURATION:
    case USBDEVFS_RESET:
    case USBDEVFS_RESETEP:
      complete(client, 0, 0);
      return true;
    case USBDEVFS_SUBMITURB:
      submit(client, arg);
      return true;
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
      reap(client, arg);
      return true;
    case USBDEVFS_DISCARDURB:
      discard(client, arg);
      return true;
    default:
      fail(client, ENOTTY);
      return true;
  }
}

void Device::finish(std::shared_ptr<Urb> urb, int status, std::size_t actual) {
  urb->urb()->status = status;
  urb->urb()->actual_length = static_cast<int>(actual);
  done_.push_back(std::move(urb));
}

void Device::answerUrb(const std::shared_ptr<Urb>& urb, const Answer& answer, std::size_t dataOffset) {
  switch (answer.kind) {
    case Answer::Kind::Data: {
      const std::size_t room = urb->length() > dataOffset ? urb->length() - dataOffset : 0;
      const std::size_t count = std::min(room, answer.data.size());
      if (count > 0) std::memcpy(urb->bytes() + dataOffset, answer.data.data(), count);
      finish(urb, answer.data.size() > room ? -EOVERFLOW : 0, count);
      return;
    }
    case Answer::Kind::Stall:
      finish(urb, -EPIPE, 0);
      return;
    case Answer::Kind::Silence:
      silent_.push_back(urb);
      return;
    case Answer::Kind::Gone:
      silent_.push_back(urb);  // ended with the rest by the disconnect
      goneLocked();
      return;
  }
}

void Device::matchIn(std::uint8_t endpoint) {
  auto& pending = inPending_[endpoint];
  auto& answers = inAnswers_[endpoint];
  auto source = inSources_.find(endpoint);
  while (!gone_ && !pending.empty()) {
    std::optional<Answer> answer;
    if (!answers.empty()) {
      answer = std::move(answers.front());
      answers.erase(answers.begin());
    } else if (source != inSources_.end()) {
      answer = source->second();
    }
    if (!answer) break;
    auto urb = pending.front();
    pending.erase(pending.begin());
    answerUrb(urb, *answer, 0);
  }
}

void Device::submit(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  Resolved urbData(arg, 0, sizeof(usbdevfs_urb));
  if (!urbData) return fail(client, EFAULT);
  auto urb = std::make_shared<Urb>();
  urb->data = urbData.release();
  const auto* raw = urb->urb();
  if (raw->buffer_length > 0) {
    Resolved buffer(urb->data, offsetof(usbdevfs_urb, buffer), static_cast<std::size_t>(raw->buffer_length));
    if (!buffer) return fail(client, EFAULT);
    urb->buffer = buffer.release();
  }

  if (raw->type == USBDEVFS_URB_TYPE_CONTROL) {
    if (urb->length() < 8) return fail(client, EINVAL);
    const std::uint8_t* packet = urb->bytes();
    ControlSetup setup;
    setup.requestType = packet[0];
    setup.request = packet[1];
    setup.value = le16(packet + 2);
    setup.index = le16(packet + 4);
    setup.length = le16(packet + 6);
    const bool in = (setup.requestType & 0x80) != 0;
    if (!in) {
      const std::size_t count = std::min<std::size_t>(setup.length, urb->length() - 8);
      setup.data.assign(packet + 8, packet + 8 + count);
    }
    controlLog_.push_back(setup);
    auto script = control_.find({setup.requestType, setup.request});
    Answer answer = script != control_.end() ? script->second(setup) : Answer::stall();
    if (answer.kind == Answer::Kind::Gone) {
      goneLocked();
      return fail(client, ENODEV);
    }
    if (answer.kind == Answer::Kind::Data && !in) {
      finish(urb, 0, setup.length);
    } else {
      if (answer.kind == Answer::Kind::Data && answer.data.size() > setup.length) {
        answer.data.resize(setup.length);  // a device never sends past wLength
      }
      answerUrb(urb, answer, 8);
    }
    complete(client, 0, 0);
    return;
  }

  if (raw->type != USBDEVFS_URB_TYPE_BULK && raw->type != USBDEVFS_URB_TYPE_INTERRUPT) {
    return fail(client, EINVAL);
  }
  const std::uint8_t endpoint = raw->endpoint;
  const InterfaceConfig* owner = nullptr;
  for (const auto& interface : config_.interfaces) {
    for (const auto& candidate : interface.endpoints) {
      if (candidate.address == endpoint) owner = &interface;
    }
  }
  if (owner == nullptr) return fail(client, ENOENT);
  if (heldBy_.count(owner->number) != 0) return fail(client, EBUSY);

  if ((endpoint & 0x80) != 0) {
    inPending_[endpoint].push_back(urb);
    matchIn(endpoint);
    complete(client, 0, 0);
    return;
  }

  Bytes payload(urb->bytes(), urb->bytes() + urb->length());
  auto handler = out_.find(endpoint);
  InQueue queued;
  Answer answer = handler != out_.end() ? handler->second(payload, queued) : Answer::accept();
  if (answer.kind == Answer::Kind::Gone) {
    goneLocked();
    return fail(client, ENODEV);
  }
  if (answer.kind == Answer::Kind::Data) {
    received_[endpoint].push_back(payload);
    finish(urb, 0, payload.size());
    auto command = commands_.find(payload);
    if (endpoint == firstEndpoint(false) && command != commands_.end()) {
      const std::uint8_t in = firstEndpoint(true);
      inAnswers_[in].push_back(command->second);
      matchIn(in);
    }
    for (auto& [in, queuedAnswer] : queued.items_) {
      inAnswers_[in].push_back(std::move(queuedAnswer));
      matchIn(in);
    }
  } else {
    answerUrb(urb, answer, 0);
  }
  complete(client, 0, 0);
}

void Device::reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  if (done_.empty()) return fail(client, gone_ ? ENODEV : EAGAIN);
  auto urb = done_.front();
  done_.erase(done_.begin());
  Resolved slot(arg, 0, sizeof(void*));
  if (!slot) return fail(client, EFAULT);
  umockdev_ioctl_data_set_ptr(slot.data, 0, urb->data);
  complete(client, 0, 0);
}

void Device::discard(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
  if (arg->data_len < static_cast<int>(sizeof(void*))) return fail(client, EINVAL);
  unsigned long target = 0;
  std::memcpy(&target, arg->data, sizeof target);
  auto take = [&](std::vector<std::shared_ptr<Urb>>& list) {
    auto found = std::find_if(list.begin(), list.end(),
                              [target](const std::shared_ptr<Urb>& urb) { return urb->data->client_addr == target; });
    if (found == list.end()) return false;
    auto urb = *found;
    list.erase(found);
    finish(urb, -ENOENT, 0);
    return true;
  };
  bool found = take(silent_);
  for (auto& [endpoint, pending] : inPending_) {
    if (!found) found = take(pending);
  }
  if (!found) return fail(client, EINVAL);
  complete(client, 0, 0);
}

}  // namespace sim::usb
