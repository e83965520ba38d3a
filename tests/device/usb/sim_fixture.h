#pragma once
// A test bed with the printer on it; skips when not run under umockdev.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "device/common/supported_model.h"
#include "device/usb/device_handle.h"
#include "device/usb/interface_handle.h"
#include "sim/usb/usb_sim.h"

inline constexpr device::usb::VendorId kVendorId = device::model::kVendorId;
inline constexpr device::usb::ProductId kProductId = device::model::kProductId;
inline constexpr std::uint8_t kBulkOut = 0x01;
inline constexpr std::uint8_t kBulkIn = 0x82;

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!bed.active()) {
      GTEST_SKIP() << "needs umockdev: run under umockdev-wrapper";
    }
  }

  sim::usb::Device& addPrinter(const sim::usb::DeviceConfig& config = sim::usb::ktr6620lxv()) {
    return bed.addDevice(config);
  }

  sim::usb::Testbed bed;
};

// The printer on the bus, with its device handle and first interface made.
class PrinterTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    if (IsSkipped()) return;
    printer = &addPrinter();
    device.emplace(device::usb::createDevice(kVendorId, kProductId));
    interface.emplace(device->createInterfaceInterface());
  }
  sim::usb::Device* printer = nullptr;
  std::optional<device::usb::DeviceHandle> device;
  std::optional<device::usb::InterfaceHandle> interface;
};

// The printer's description under other IDs: another model, another vendor.
inline sim::usb::DeviceConfig withIds(std::uint16_t vendor, std::uint16_t product) {
  auto config = sim::usb::ktr6620lxv();
  config.vendorId = vendor;
  config.productId = product;
  return config;
}

// The printer with three interfaces, numbered 0 to 2.
inline sim::usb::DeviceConfig printerWithThreeInterfaces() {
  auto config = sim::usb::ktr6620lxv();
  for (std::uint8_t number = 1; number <= 2; ++number) {
    sim::usb::InterfaceConfig extra;
    extra.number = number;
    extra.endpoints = {{static_cast<std::uint8_t>(0x01 + 2 * number), 0x02, 512, 0},
                       {static_cast<std::uint8_t>(0x82 + 2 * number), 0x02, 512, 0}};
    config.interfaces.push_back(extra);
  }
  return config;
}
