// Listing what is on the bus, as discovery does before it opens anything.
#include <gtest/gtest.h>

#include <vector>

#include "device/usb/device_list.h"
#include "sim_fixture.h"

namespace {

using device::usb::AttachedDevice;
using device::usb::listAttachedDevices;
using device::usb::ProductId;
using device::usb::VendorId;

using DeviceList = SimTest;

TEST_F(DeviceList, EmptyBusListsNothing) {
  EXPECT_TRUE(listAttachedDevices().empty());
}

TEST_F(DeviceList, ListsEveryDeviceOfEveryVendorWithoutOpeningAny) {
  auto& printer = addPrinter();
  addPrinter(withIds(0x5A3E, 0x0035));
  addPrinter(withIds(0x1D6B, 0x0034));

  const std::vector<AttachedDevice> expected{{kVendorId, kProductId},
                                             {VendorId(0x5A3E), ProductId(0x0035)},
                                             {VendorId(0x1D6B), ProductId(0x0034)}};
  auto listed = listAttachedDevices();
  ASSERT_EQ(listed.size(), expected.size());
  for (const auto& device : expected) {
    EXPECT_NE(std::find(listed.begin(), listed.end(), device), listed.end());
  }
  EXPECT_TRUE(printer.controlRequests().empty());
  EXPECT_FALSE(printer.claimed(0));
}

TEST_F(DeviceList, AnUnpluggedDeviceIsNoLongerListed) {
  auto& printer = addPrinter();
  addPrinter(withIds(0x1D6B, 0x0002));
  printer.unplug();
  const auto listed = listAttachedDevices();
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed.front().vendor, VendorId(0x1D6B));
}

}  // namespace
