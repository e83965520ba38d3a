#pragma once
// The one printer model this software supports, as every part of it knows
// the device: its name, its USB IDs, and the object-identifier text its SNMP
// sysObjectID carries.

#include <string_view>

#include "device/usb/usb_ids.h"

namespace device::model {

inline constexpr std::string_view kName = "KTR6620LXV";
inline constexpr usb::VendorId kVendorId{0x5A3E};
inline constexpr usb::ProductId kProductId{52};
// Matched as a substring of the sysObjectID text an agent answers with.
inline constexpr std::string_view kObjectId = "48117.4.7.1.8";

}  // namespace device::model
