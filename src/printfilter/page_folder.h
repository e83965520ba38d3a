#pragma once

#include <optional>
#include <string>

namespace printfilter {

// Where the print service keeps temporary files when TMPDIR is not set.
inline constexpr const char* kSpoolTempDir = "/var/spool/cups/tmp";

// The job's private folder of page files, made with mkdtemp (mode 0700) under
// TMPDIR; removed with everything in it when the job ends, however it ends.
class PageFolder {
 public:
  // `tmpdir` is TMPDIR's value, or null. On failure `error` says why.
  static std::optional<PageFolder> create(const char* tmpdir, std::string& error);

  PageFolder(PageFolder&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
  PageFolder& operator=(PageFolder&&) = delete;
  PageFolder(const PageFolder&) = delete;
  PageFolder& operator=(const PageFolder&) = delete;
  ~PageFolder();

  const std::string& path() const { return path_; }
  // "<folder>/jbig-0001" for page 1.
  std::string pageFile(int page) const;

 private:
  explicit PageFolder(std::string path) : path_(std::move(path)) {}
  std::string path_;
};

}  // namespace printfilter
