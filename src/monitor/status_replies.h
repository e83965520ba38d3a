#pragma once
// The printer's status replies: the USB status request's bytes and the
// SNMP status and toner value texts. Pure functions.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace monitor {

struct UsbStatusReply {
  int code = 0;   // bytes 0 (low) and 1 (high): 0 to 65535
  int toner = 0;  // byte 2: 0 to 255
};

// Bytes the device did not send read as 0.
UsbStatusReply usbStatusFromReply(std::span<const std::uint8_t> reply);

// An optional sign and decimal digits only (at least one, right after the
// sign), within the range of int.
std::optional<int> parseDecimal(std::string_view text);

// The code of a status value text such as STRING: "2009,sleep": the number
// between the first double quote and the next comma. No value for "error"
// and for any text not of that form (no quote, no comma after it, no
// number, a number beyond 32 bits): the status could not be read.
std::optional<int> statusCodeFromSnmpText(std::string_view text);

// The part after ": " of a toner value text ("INTEGER: 85" gives "85"),
// when the text splits at ": " into exactly two.
std::optional<std::string_view> tonerValueText(std::string_view text);

}  // namespace monitor
