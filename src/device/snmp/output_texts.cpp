#include "device/snmp/output_texts.h"

#include <algorithm>

namespace device::snmp {

std::string clipped(std::string_view text, std::size_t maxLength) {
  return std::string(text.substr(0, std::min(text.size(), maxLength)));
}

std::string fitToBuffer(std::string_view text, std::size_t bufferSize) {
  return bufferSize == 0 ? std::string() : clipped(text, bufferSize - 1);
}

void writeOverStart(std::string& out, std::string_view text) {
  if (text.size() >= out.size()) {
    out.assign(text);
  } else {
    out.replace(0, text.size(), text);
  }
}

bool appendDiscoveryEntry(std::string& list, std::string_view address,
                          std::string_view objectId, std::size_t bufferSize) {
  const std::size_t entryLength = address.size() + 1 + objectId.size() + 1;
  if (list.size() + entryLength + 1 > bufferSize) {
    return false;
  }
  list.append(address).append(",").append(objectId).append("|");
  return true;
}

}  // namespace device::snmp
