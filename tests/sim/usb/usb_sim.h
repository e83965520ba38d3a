#pragma once
// A USB device simulator for the tests, on umockdev's ioctl handler: the code
// under test talks plain libusb to a device node that umockdev serves, and
// this fixture answers the usbfs requests that libusb makes.
//
// Scripting: control requests by (request type, request), bulk OUT payloads by
// content (a command and its reply) or by a handler (which may queue IN
// answers), bulk IN answers queued per endpoint or made on demand. Faults:
// stall, silence (the host's time-out runs out), unplug, interface held by a
// kernel driver. The scanner's side is scripted the same
// way (sim/usb/scanner.h): its vendor requests with onControl (the handler sees
// value and index), its commands with onOutQueueing, its page data through
// feedIn, its scan interface through DeviceConfig.
//
// Threads: umockdev calls the handler on its own thread; all device
// state sits behind one mutex, so a test may script the device while the code
// under test is talking to it. Handlers given to the fixture run under that
// mutex on umockdev's thread: they must not call back into the fixture.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/usb/descriptors.h"

using UMockdevTestbed = struct _UMockdevTestbed;
using UMockdevIoctlBase = struct _UMockdevIoctlBase;
using UMockdevIoctlClient = struct _UMockdevIoctlClient;
using UMockdevIoctlData = struct _UMockdevIoctlData;

namespace sim::usb {

// How the device answers one transfer.
struct Answer {
  enum class Kind {
    Data,     // IN: these bytes (cut to the host's buffer: overflow); OUT: accepted
    Stall,    // the endpoint stalls (-EPIPE)
    Silence,  // never completes; the host's time-out discards it
    Gone,     // the device is unplugged at this moment
  };
  Kind kind = Kind::Data;
  Bytes data;

  static Answer bytes(Bytes data) { return {Kind::Data, std::move(data)}; }
  static Answer text(std::string_view text) { return {Kind::Data, Bytes(text.begin(), text.end())}; }
  static Answer accept() { return {Kind::Data, {}}; }
  static Answer stall() { return {Kind::Stall, {}}; }
  static Answer silence() { return {Kind::Silence, {}}; }
  static Answer gone() { return {Kind::Gone, {}}; }
};

// The setup packet of a control request, with the OUT data stage if any.
struct ControlSetup {
  std::uint8_t requestType = 0;
  std::uint8_t request = 0;
  std::uint16_t value = 0;
  std::uint16_t index = 0;
  std::uint16_t length = 0;
  Bytes data;
};

class Testbed;
class Device;

// Answers an OUT handler queues on IN endpoints (a reply to a command, a
// stream that the command starts); they join the endpoints' queues once the
// handler has returned, in the order pushed.
class InQueue {
 public:
  void push(std::uint8_t endpoint, Answer answer) { items_.emplace_back(endpoint, std::move(answer)); }

 private:
  friend class Device;
  std::vector<std::pair<std::uint8_t, Answer>> items_;
};

class Device {
 public:
  using ControlHandler = std::function<Answer(const ControlSetup&)>;
  using OutHandler = std::function<Answer(const Bytes&)>;
  using QueueingOutHandler = std::function<Answer(const Bytes&, InQueue&)>;
  // The next answer of an IN endpoint whose queue is empty; no value: the
  // transfer waits (until the host's time-out, or a later queued answer).
  using InSource = std::function<std::optional<Answer>()>;

  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;
  ~Device();

  const DeviceConfig& config() const { return config_; }
  const std::string& devnode() const { return devnode_; }

  // Control requests on the default pipe. Without a script the device stalls
  // the request, as a device does with a request it does not know.
  void onControl(std::uint8_t requestType, std::uint8_t request, ControlHandler handler);
  void replyToControl(std::uint8_t requestType, std::uint8_t request, Answer answer);

  // Bulk OUT: the handler decides how a payload is taken (default: accepted).
  void onOut(std::uint8_t endpoint, OutHandler handler);
  // The same, with answers for IN endpoints queued as the payload is taken.
  void onOutQueueing(std::uint8_t endpoint, QueueingOutHandler handler);
  // A text command: when the first OUT endpoint receives exactly these bytes,
  // the answer is queued on the first IN endpoint (every time it is sent).
  void replyToCommand(std::string_view command, Answer answer);
  // Any command beginning with these bytes (one that replyToCommand does not
  // name exactly), for commands whose fields a user types; the first
  // matching prefix given wins.
  void replyToCommandsStartingWith(std::string_view prefix, Answer answer);
  // Bulk IN: answers handed out one per transfer, in order.
  void queueIn(std::uint8_t endpoint, Answer answer);
  // Bulk IN: asked for each transfer the queue has no answer for, so a long
  // stream is made as the host reads it and never held whole.
  void feedIn(std::uint8_t endpoint, InSource source);

  // A driver holds the interface: claiming it fails with EBUSY until the host
  // detaches it. "usbfs" stands for another program's claim, which the host
  // cannot detach; any other name is a kernel driver such as "usblp", which a
  // reattach binds again, refused (EBUSY) while the interface is claimed.
  void holdInterface(std::uint8_t interfaceNumber, std::string driver);
  // The device leaves the bus: every request fails with ENODEV, the device
  // is gone from the device list, and a "remove" uevent says so (adding a
  // device to a test bed sends its "add" uevent).
  void unplug();

  // What the host did.
  std::vector<Bytes> received(std::uint8_t endpoint) const;
  std::vector<ControlSetup> controlRequests() const;
  bool claimed(std::uint8_t interfaceNumber) const;
  // How often the host claimed the interface.
  int claimCount(std::uint8_t interfaceNumber) const;
  bool driverDetached(std::uint8_t interfaceNumber) const;
  bool driverReattached(std::uint8_t interfaceNumber) const;
  std::vector<std::uint8_t> clearedHalts() const;

 private:
  friend class Testbed;
  struct Urb;

  Device(Testbed& bed, DeviceConfig config, int devnum);
  static int onIoctl(UMockdevIoctlBase* base, UMockdevIoctlClient* client, void* self);
  bool handle(UMockdevIoctlClient* client);
  void submit(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void discard(UMockdevIoctlClient* client, UMockdevIoctlData* arg);
  void finish(std::shared_ptr<Urb> urb, int status, std::size_t actual);
  void answerUrb(const std::shared_ptr<Urb>& urb, const Answer& answer, std::size_t dataOffset);
  void matchIn(std::uint8_t endpoint);
  void goneLocked();
  std::uint8_t firstEndpoint(bool in) const;
  bool hasInterface(std::uint8_t number) const;

  Testbed& bed_;
  DeviceConfig config_;
  std::string devnode_;
  std::string syspath_;
  UMockdevIoctlBase* handler_ = nullptr;

  mutable std::mutex mutex_;
  bool gone_ = false;
  std::map<std::pair<std::uint8_t, std::uint8_t>, ControlHandler> control_;
  std::map<std::uint8_t, QueueingOutHandler> out_;
  std::map<std::uint8_t, InSource> inSources_;
  std::map<Bytes, Answer> commands_;
  std::vector<std::pair<Bytes, Answer>> commandPrefixes_;
  std::map<std::uint8_t, std::vector<Answer>> inAnswers_;
  std::map<std::uint8_t, std::vector<std::shared_ptr<Urb>>> inPending_;
  std::vector<std::shared_ptr<Urb>> silent_;
  std::vector<std::shared_ptr<Urb>> done_;
  std::map<std::uint8_t, std::string> heldBy_;
  std::set<std::uint8_t> claimed_;
  std::map<std::uint8_t, int> claimCount_;
  std::map<std::uint8_t, std::string> detached_;  // and the driver set aside
  std::set<std::uint8_t> reattached_;
  std::map<std::uint8_t, std::vector<Bytes>> received_;
  std::vector<ControlSetup> controlLog_;
  std::vector<std::uint8_t> clearedHalts_;
};

// One umockdev test bed: a private sysfs and /dev that libusb enumerates
// instead of the machine's own. One per test; devices are added to it.
class Testbed {
 public:
  Testbed();
  Testbed(const Testbed&) = delete;
  Testbed& operator=(const Testbed&) = delete;
  ~Testbed();

  // False when the process does not run under umockdev-wrapper: libusb would
  // then see the machine's real devices, so a test must skip.
  bool active() const { return active_; }

  Device& addDevice(const DeviceConfig& config = ktr6620lxv());

 private:
  friend class Device;
  UMockdevTestbed* bed_ = nullptr;
  bool active_ = false;
  std::vector<std::unique_ptr<Device>> devices_;
};

}  // namespace sim::usb
