#pragma once
// Files for tests: a fresh empty folder under the system's temporary folder,
// removed with everything in it by the destructor; a file's whole content.

#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> entries() const;

 private:
  std::filesystem::path path_;
};

// The whole content of a file ("" when it cannot be read).
std::string readFile(const std::filesystem::path& path);

}  // namespace test_support
