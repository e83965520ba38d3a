#include "scan/conversation/scanner_device.h"

#include <string_view>

#include "device/common/supported_model.h"

namespace scan {
namespace {
constexpr std::uint16_t kUnnamedVendorId = 0x6B19;
}

BaseDevice::BaseDevice(std::string name_, std::string oid_, std::uint16_t PID_)
    : name(std::move(name_)), oid(std::move(oid_)), PID(PID_), VID(device::model::kVendorId.value) {}

const std::vector<BaseDevice>& BRELDevices() {
  static const std::vector<BaseDevice> rows{
      BaseDevice(std::string(device::model::kName), std::string(device::model::kObjectId),
                 device::model::kProductId.value),
  };
  return rows;
}

Device::Device() : id(QUuid::createUuid()) {}

Device::Device(std::string name_, std::string label_, std::string type_, std::string ip_,
               std::uint16_t PID_, std::uint16_t VID_)
    : id(QUuid::createUuid()),
      name(std::move(name_)),
      label(std::move(label_)),
      type(std::move(type_)),
      ip(std::move(ip_)),
      PID(PID_),
      VID(VID_) {}

Device::Device(std::string name_) : id(QUuid::createUuid()), name(std::move(name_)), VID(kUnnamedVendorId) {}

}  // namespace scan
