#include "sim/usb/descriptors.h"

#include "device/common/supported_model.h"

#include <set>
#include <stdexcept>

namespace sim::usb {
namespace {

void put16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

}  // namespace

DeviceConfig ktr6620lxv() {
  DeviceConfig config;
  config.vendorId = device::model::kVendorId.value;
  config.productId = device::model::kProductId.value;
  InterfaceConfig interface;
  interface.endpoints = {EndpointConfig{0x01, 0x02, 512, 0}, EndpointConfig{0x82, 0x02, 512, 0}};
  config.interfaces.push_back(interface);
  return config;
}

Bytes descriptorBytes(const DeviceConfig& config) {
  Bytes out;
  // Device descriptor: USB 2.0, class given per interface, 64-byte EP0.
  out.insert(out.end(), {18, 0x01});
  put16(out, 0x0200);
  out.insert(out.end(), {0x00, 0x00, 0x00, 64});
  put16(out, config.vendorId);
  put16(out, config.productId);
  put16(out, 0x0100);
  out.insert(out.end(), {0, 0, 0, 1});

  Bytes body;
  std::set<std::uint8_t> numbers;
  for (const auto& interface : config.interfaces) {
    numbers.insert(interface.number);
    body.insert(body.end(), {9, 0x04, interface.number, interface.alternateSetting,
                             static_cast<std::uint8_t>(interface.endpoints.size()),
                             interface.interfaceClass, interface.interfaceSubClass,
                             interface.interfaceProtocol, 0});
    for (const auto& endpoint : interface.endpoints) {
      body.insert(body.end(), {7, 0x05, endpoint.address, endpoint.attributes});
      put16(body, endpoint.maxPacketSize);
      body.push_back(endpoint.interval);
    }
  }
  const std::size_t total = 9 + body.size();
  if (total > 0xFFFF) {
    throw std::invalid_argument("configuration descriptor too long");
  }
  out.insert(out.end(), {9, 0x02});
  put16(out, static_cast<std::uint16_t>(total));
  out.insert(out.end(), {static_cast<std::uint8_t>(numbers.size()), config.configurationValue, 0, 0xC0, 1});
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace sim::usb
