#include "scan/pages/receive_folder.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "device/common/log.h"
#include "scan/message_keys.h"

namespace scan {

using device::logLine;

ResultPair ReceiveFolder::create(const std::string& saveDir, const std::string& stamp) {
  path_ = saveDir + "/" + stamp;
  created_.reset();
  // An empty save folder would put the receive folder at the file system's root.
  if (saveDir.empty() || ::mkdir(path_.c_str(), 0777) != 0) {
    logLine("create save image directory error");
    return {false, keys::kCannotCreateReceiveDir};
  }
  created_ = path_;
  logLine("receive directory created: " + path_);
  return {true, keys::kOk};
}

void ReceiveFolder::clear() {
  if (!created_) return;
  std::error_code error;
  // remove_all takes a symbolic link for itself, never for what it points to.
  std::filesystem::remove_all(*created_, error);
  if (error) logLine("clear receive dir error");
  created_.reset();
}

std::size_t ReceiveFolder::entryCount() const {
  if (!created_) return 0;
  std::error_code error;
  std::size_t count = 0;
  for (std::filesystem::directory_iterator entry(*created_, error), end; !error && entry != end;
       entry.increment(error)) {
    ++count;
  }
  return count;
}

bool isValidSaveFileName(const std::string& prefix) {
  if (prefix == "." || prefix == "..") return false;
  return std::none_of(prefix.begin(), prefix.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == '/' || byte < 0x20 || byte == 0x7F;
  });
}

}  // namespace scan
