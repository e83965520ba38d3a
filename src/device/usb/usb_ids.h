#pragma once
// USB vendor and product IDs as distinct types. Some calls take the product
// ID first and others the vendor ID first; with one plain integer type for
// both, a swapped pair compiles and silently finds nothing.

#include <compare>
#include <cstdint>

namespace device::usb {

struct VendorId {
  constexpr explicit VendorId(std::uint16_t id) noexcept : value(id) {}
  std::uint16_t value;
  friend constexpr auto operator<=>(VendorId, VendorId) = default;
};

struct ProductId {
  constexpr explicit ProductId(std::uint16_t id) noexcept : value(id) {}
  std::uint16_t value;
  friend constexpr auto operator<=>(ProductId, ProductId) = default;
};

}  // namespace device::usb
