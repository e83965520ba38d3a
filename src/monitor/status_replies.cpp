#include "monitor/status_replies.h"

#include <charconv>
#include <limits>

namespace monitor {

UsbStatusReply usbStatusFromReply(std::span<const std::uint8_t> reply) {
  const auto byteAt = [&](std::size_t index) -> int { return index < reply.size() ? reply[index] : 0; };
  return {byteAt(1) * 256 + byteAt(0), byteAt(2)};
}

std::optional<int> parseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // A digit must follow the sign: from_chars takes a sign of its own, and
  // would read "--0" or "+-0" as 0.
  if (text.empty() || text.front() < '0' || text.front() > '9') {
    return std::nullopt;
  }
  // Digits only: from_chars alone would take a prefix and leave the rest.
  long long magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (error != std::errc() || end != text.data() + text.size() || magnitude < 0) {
    return std::nullopt;
  }
  const long long value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

std::optional<int> statusCodeFromSnmpText(std::string_view text) {
  const std::size_t quote = text.find('"');
  if (quote == std::string_view::npos) {
    return std::nullopt;
  }
  const std::size_t comma = text.find(',', quote + 1);
  if (comma == std::string_view::npos) {
    return std::nullopt;
  }
  return parseDecimal(text.substr(quote + 1, comma - quote - 1));
}

std::optional<std::string_view> tonerValueText(std::string_view text) {
  constexpr std::string_view separator = ": ";
  const std::size_t first = text.find(separator);
  if (first == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view rest = text.substr(first + separator.size());
  if (rest.find(separator) != std::string_view::npos) {
    return std::nullopt;
  }
  return rest;
}

}  // namespace monitor
