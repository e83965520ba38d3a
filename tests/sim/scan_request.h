#pragma once
// What the host asks of a scan, read from its commands as both simulated
// scanners receive them: the colour mode of the I command ("M=...") and the
// scan area of the X command ("A=x,y,width,rows"), for scripts whose pages
// depend on the scan.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct ScanRequest {
  std::string mode;        // "CGRAY", "GRAY256", "TEXT", ...; empty before an I command
  std::int64_t width = 0;  // pixels of a row; 0 when the X command has no area
  std::int64_t rows = 0;
};

// The value of the line "<key>=..." of a command, or nothing.
inline std::string commandField(const std::vector<std::uint8_t>& command, std::string_view key) {
  const std::string_view text(reinterpret_cast<const char*>(command.data()), command.size());
  const std::string line = "\n" + std::string(key) + "=";
  const std::size_t at = text.find(line);
  if (at == std::string_view::npos) return {};
  const std::size_t from = at + line.size();
  return std::string(text.substr(from, text.find('\n', from) - from));
}

inline void readICommand(ScanRequest& request, const std::vector<std::uint8_t>& command) {
  request.mode = commandField(command, "M");
}

inline void readXCommand(ScanRequest& request, const std::vector<std::uint8_t>& command) {
  // "A=x,y,width,rows"
  const std::string area = commandField(command, "A");
  std::int64_t values[4] = {0, 0, 0, 0};
  const char* at = area.c_str();
  for (std::int64_t& value : values) {
    char* end = nullptr;
    value = std::strtoll(at, &end, 10);
    if (end == at) return;
    at = *end == ',' ? end + 1 : end;
  }
  request.width = values[2];
  request.rows = values[3];
}

}  // namespace sim
