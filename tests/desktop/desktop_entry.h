#pragma once
// A desktop entry's keys as the desktop reads them: the lines of its
// [Desktop Entry] group, "Name[zh_CN]" a key of its own.

#include <map>
#include <string>

namespace desktop_test {

std::map<std::string, std::string> desktopEntry(const std::string& file);

}  // namespace desktop_test
