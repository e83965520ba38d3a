#pragma once
// Every attached USB device's IDs, read from its device descriptor without
// opening it: discovery lists what is on the bus before it talks to anything.

#include <vector>

#include "device/usb/usb_ids.h"

namespace device::usb {

struct AttachedDevice {
  VendorId vendor;
  ProductId product;
  friend bool operator==(const AttachedDevice&, const AttachedDevice&) = default;
};

// In the order the bus enumerates them. A bus that cannot be enumerated
// gives an empty list; a device whose descriptor cannot be read is left out.
std::vector<AttachedDevice> listAttachedDevices();

}  // namespace device::usb
