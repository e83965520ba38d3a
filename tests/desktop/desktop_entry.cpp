#include "desktop_entry.h"

#include <fstream>

namespace desktop_test {

std::map<std::string, std::string> desktopEntry(const std::string& file) {
  std::map<std::string, std::string> keys;
  std::ifstream in(file);
  bool inGroup = false;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with('[')) {
      inGroup = line == "[Desktop Entry]";
    } else if (inGroup && !line.starts_with('#')) {
      const std::size_t equals = line.find('=');
      if (equals != std::string::npos) {
        keys[line.substr(0, equals)] = line.substr(equals + 1);
      }
    }
  }
  return keys;
}

}  // namespace desktop_test
