#pragma once
// What a simulated USB device reports about itself: the device and
// configuration descriptors, built from a small description.

#include <cstdint>
#include <vector>

namespace sim::usb {

using Bytes = std::vector<std::uint8_t>;

struct EndpointConfig {
  std::uint8_t address = 0;          // bit 7 set: IN (device to host)
  std::uint8_t attributes = 0x02;    // transfer type in bits 0-1: 2 bulk, 3 interrupt
  std::uint16_t maxPacketSize = 512;
  std::uint8_t interval = 0;
};

struct InterfaceConfig {
  std::uint8_t number = 0;
  std::uint8_t alternateSetting = 0;
  std::uint8_t interfaceClass = 0xFF;
  std::uint8_t interfaceSubClass = 0x00;
  std::uint8_t interfaceProtocol = 0x00;
  std::vector<EndpointConfig> endpoints;
};

struct DeviceConfig {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint8_t configurationValue = 1;
  std::vector<InterfaceConfig> interfaces;
};

// The printer as it shows on the bus: 5a3e:0034, one interface with bulk OUT
// 0x01 (pipe 1) and bulk IN 0x82 (pipe 2).
DeviceConfig ktr6620lxv();

// Device descriptor (18 bytes) followed by the configuration descriptor with
// its interface and endpoint descriptors, as sysfs "descriptors" holds them.
Bytes descriptorBytes(const DeviceConfig& config);

}  // namespace sim::usb
