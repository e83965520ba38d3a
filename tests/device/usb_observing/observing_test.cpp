// The device-list observer on the simulated bus: devices added and removed
// while it watches, its handler run by Qt's event loop on the main thread.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "device/usb/errors.h"
#include "device/usb/observing.h"
#include "device/usb/sim_fixture.h"
#include "event_loop.h"

namespace {

using namespace device::usb;
using namespace std::chrono_literals;
using test_support::spinFor;
using test_support::spinUntil;

struct Call {
  std::string name;
  ObservedDevice device;
  std::thread::id thread;
  friend bool operator==(const Call& a, const Call& b) { return a.name == b.name && a.device == b.device; }
};

void PrintTo(const Call& call, std::ostream* out) {
  *out << call.name << " " << int{call.device.busNumber} << ":" << int{call.device.deviceAddress} << " " << std::hex
       << call.device.vendor.value << ":" << call.device.product.value;
}

constexpr VendorId kOtherVendor{0x1234};
constexpr ProductId kOtherProduct{0x0035};

class ObserverTest : public SimTest {
 protected:
  DeviceListHandler recorder() {
    return [this](const std::string& name, const ObservedDevice& device) {
      calls.push_back({name, device, std::this_thread::get_id()});
    };
  }

  bool spinUntilCalls(std::size_t count) {
    return spinUntil([&] { return calls.size() >= count; });
  }

  std::vector<Call> calls;
};

ObservedDevice printerAt(std::uint8_t address) { return {1, address, kVendorId, kProductId}; }

TEST_F(ObserverTest, AttachedDeviceIsReportedOnceOnTheMainThreadAfterTheCallReturns) {
  bed.addDevice();
  const auto observer = observeDeviceList(recorder());
  EXPECT_TRUE(calls.empty()) << "reported during the call";

  ASSERT_TRUE(spinUntilCalls(1));
  spinFor(300ms);
  ASSERT_EQ(calls, (std::vector<Call>{{kFirstMatchNotification, printerAt(2), {}}}));
  EXPECT_EQ(calls[0].thread, std::this_thread::get_id());
}

TEST_F(ObserverTest, ArrivalAndRemovalAreReportedInOrder) {
  auto& first = bed.addDevice();
  const auto observer = observeDeviceList(recorder());
  ASSERT_TRUE(spinUntilCalls(1));

  auto& second = bed.addDevice();
  ASSERT_TRUE(spinUntilCalls(2));
  first.unplug();
  ASSERT_TRUE(spinUntilCalls(3));
  second.unplug();
  ASSERT_TRUE(spinUntilCalls(4));

  EXPECT_EQ(calls, (std::vector<Call>{{kFirstMatchNotification, printerAt(2), {}},
                                      {kFirstMatchNotification, printerAt(3), {}},
                                      {kTerminateNotification, printerAt(2), {}},
                                      {kTerminateNotification, printerAt(3), {}}}));
  for (const Call& call : calls) EXPECT_EQ(call.thread, std::this_thread::get_id());
}

// The printer attached, then a device of another maker and another device
// of the printer's maker arriving: who hears of which.
struct MatchCase {
  const char* what;
  std::function<std::unique_ptr<DeviceListObserver>(DeviceListHandler)> observe;
  std::vector<std::uint8_t> reportedAddresses;
};

void PrintTo(const MatchCase& c, std::ostream* out) { *out << c.what; }

class MatchingTest : public ObserverTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(MatchingTest, OnlyMatchingDevicesAreReported) {
  const std::vector<ObservedDevice> devices{printerAt(2), {1, 3, kOtherVendor, kProductId},
                                            {1, 4, kVendorId, kOtherProduct}};
  bed.addDevice();
  const auto observer = GetParam().observe(recorder());
  bed.addDevice(withIds(kOtherVendor.value, kProductId.value));
  bed.addDevice(withIds(kVendorId.value, kOtherProduct.value));
  std::vector<Call> expected;
  for (const std::uint8_t address : GetParam().reportedAddresses) {
    expected.push_back({kFirstMatchNotification, devices[address - 2u], {}});
  }
  spinUntilCalls(expected.size());
  spinFor(300ms);
  EXPECT_EQ(calls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Matches, MatchingTest,
    ::testing::Values(
        MatchCase{"AllDevices", [](DeviceListHandler h) { return observeDeviceList(std::move(h)); }, {2, 3, 4}},
        MatchCase{"OneVendorsProduct",
                  [](DeviceListHandler h) { return observeDeviceList(kVendorId, kProductId, std::move(h)); },
                  {2}},
        MatchCase{"AVendorsDevices",
                  [](DeviceListHandler h) {
                    return observeDeviceList(DeviceMatch{kVendorId, std::nullopt}, std::move(h));
                  },
                  {2, 4}}),
    [](const ::testing::TestParamInfo<MatchCase>& param) { return std::string(param.param.what); });

TEST_F(ObserverTest, EmptySetOfKindsNeverCallsTheHandler) {
  auto& printer = bed.addDevice();
  const auto observer = observeDeviceList(recorder(), {});
  bed.addDevice();
  printer.unplug();
  spinFor(500ms);
  EXPECT_TRUE(calls.empty());
}

TEST_F(ObserverTest, OneKindReportsOnlyThatKind) {
  auto& printer = bed.addDevice();
  const auto observer = observeDeviceList(recorder(), {kTerminateNotification});
  bed.addDevice();
  printer.unplug();
  ASSERT_TRUE(spinUntilCalls(1));
  spinFor(300ms);
  EXPECT_EQ(calls, (std::vector<Call>{{kTerminateNotification, printerAt(2), {}}}));
}

TEST_F(ObserverTest, DroppedObserverCallsNothingMoreQueuedCallsIncluded) {
  auto& printer = bed.addDevice();
  auto observer = observeDeviceList(recorder());
  // The attached device's call is queued but has not run yet.
  observer.reset();
  bed.addDevice();
  printer.unplug();
  spinFor(500ms);
  EXPECT_TRUE(calls.empty());
}

TEST_F(ObserverTest, DroppingFromInsideTheHandlerEndsTheObservation) {
  std::unique_ptr<DeviceListObserver> observer;
  int handled = 0;
  bed.addDevice();
  bed.addDevice();
  observer = observeDeviceList([&](const std::string&, const ObservedDevice&) {
    ++handled;
    observer.reset();
  });
  spinFor(500ms);
  EXPECT_EQ(handled, 1);
}

TEST_F(ObserverTest, KindTheSystemDoesNotKnowIsRefused) {
  IOReturn code = kIOReturnSuccess;
  try {
    observeDeviceList(recorder(), {kFirstMatchNotification, "IOServiceMatched"});
  } catch (const IOReturnError& error) {
    code = error.code();
  }
  EXPECT_EQ(code, kIOReturnBadArgument);
  bed.addDevice();
  spinFor(300ms);
  EXPECT_TRUE(calls.empty());
}

TEST_F(ObserverTest, HandlerRunsOnTheQueueTheCallerChose) {
  std::vector<device::Work> queued;
  bed.addDevice();
  const auto observer =
      observeDeviceList(recorder(), defaultNotificationNames(), [&](device::Work work) { queued.push_back(work); });
  ASSERT_EQ(queued.size(), 1u);
  spinFor(200ms);
  EXPECT_TRUE(calls.empty()) << "ran on the main queue";
  queued.front()();
  EXPECT_EQ(calls, (std::vector<Call>{{kFirstMatchNotification, printerAt(2), {}}}));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
