#include "device/snmp/render.h"

#include <cstdlib>
#include <memory>

namespace device::snmp {
namespace {

struct FreeBuffer {
  void operator()(u_char* buffer) const { std::free(buffer); }
};

// Runs one of the library's sprint_realloc_* printers with a growing buffer.
template <typename Printer>
std::string printGrowing(Printer print) {
  std::size_t size = 256;
  std::size_t length = 0;
  auto* buffer = static_cast<u_char*>(std::malloc(size));
  if (buffer == nullptr) {
    return {};
  }
  const bool done = print(&buffer, &size, &length) != 0;
  const std::unique_ptr<u_char, FreeBuffer> owner(buffer);
  if (!done || buffer == nullptr) {
    return {};
  }
  return std::string(reinterpret_cast<const char*>(buffer), length);
}

}  // namespace

std::string objectIdText(const oid* id, std::size_t length) {
  return printGrowing([&](u_char** buffer, std::size_t* size, std::size_t* used) {
    return sprint_realloc_objid(buffer, size, used, 1, id, length);
  });
}

std::string valueText(const netsnmp_variable_list& variable) {
  return printGrowing([&](u_char** buffer, std::size_t* size, std::size_t* used) {
    return sprint_realloc_value(buffer, size, used, 1, variable.name, variable.name_length,
                                &variable);
  });
}

}  // namespace device::snmp
