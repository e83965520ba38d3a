#pragma once
// The supported scanner models and the record of one found scanner.

#include <QMetaType>
#include <QUuid>
#include <cstdint>
#include <string>
#include <vector>

namespace scan {

inline constexpr const char* kTypeNet = "Net";
inline constexpr const char* kTypeUsb = "USB";

// One supported scanner model: its name, the text a network device's
// sysObjectID contains, its USB product ID; the vendor ID is always the
// maker's.
struct BaseDevice {
  BaseDevice(std::string name, std::string oid, std::uint16_t PID);
  std::string name;
  std::string oid;
  std::uint16_t PID;
  std::uint16_t VID;
};

// The supported models, in the order discovery tries them.
const std::vector<BaseDevice>& BRELDevices();

// A found scanner. Every construction makes a new id, so two records of two
// discovery runs never compare equal, even for the same scanner.
struct Device {
  // The placeholder before discovery: every text empty, both IDs 0.
  Device();
  Device(std::string name, std::string label, std::string type, std::string ip,
         std::uint16_t PID, std::uint16_t VID);
  // A named record of no transport (vendor ID 0x6B19).
  explicit Device(std::string name);

  QUuid id;
  std::string name;
  std::string label;  // what the scanner picker shows
  std::string type;   // "Net" or "USB"
  std::string ip;     // dotted IPv4 address of a network scanner, else empty
  std::uint16_t PID = 0;
  std::uint16_t VID = 0;

  friend bool operator==(const Device&, const Device&) = default;
};

}  // namespace scan

Q_DECLARE_METATYPE(scan::Device)
