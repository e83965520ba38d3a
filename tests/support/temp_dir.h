#pragma once
// A fresh empty folder under the system's temporary folder, removed with
// everything in it by the destructor.

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

}  // namespace test_support
