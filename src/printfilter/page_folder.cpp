#include "printfilter/page_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace printfilter {

std::optional<PageFolder> PageFolder::create(const char* tmpdir, std::string& error) {
  std::string parent = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : kSpoolTempDir;
  std::string pattern = parent + "/ktr6620lxv-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) == nullptr) {
    error = "cannot make a page folder in " + parent + ": " + std::strerror(errno);
    return std::nullopt;
  }
  return PageFolder(std::string(name.data()));
}

PageFolder::~PageFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string PageFolder::pageFile(int page) const {
  char name[32];
  std::snprintf(name, sizeof name, "jbig-%04d", page);
  return path_ + "/" + name;
}

}  // namespace printfilter
