#pragma once
// The folder that receives one scan's pages, inside the user's save folder.

#include <cstddef>
#include <optional>
#include <string>

#include "scan/result.h"

namespace scan {

class ReceiveFolder {
 public:
  // Makes saveDir + "/" + stamp (no parent folders; it must not exist yet).
  // path() is the new path whether or not it could be made.
  ResultPair create(const std::string& saveDir, const std::string& stamp);

  // Removes the folder that create() made, with everything in it, without
  // following symbolic links; afterwards nothing is left to remove. Without
  // a folder made by create() it removes nothing.
  void clear();

  const std::string& path() const { return path_; }
  // How many entries the folder create() made holds (0 without one).
  std::size_t entryCount() const;

 private:
  std::string path_;
  std::optional<std::string> created_;
};

// A file-name prefix the page files can carry: no "/", no control character
// or NUL, not "." or "..".
bool isValidSaveFileName(const std::string& prefix);

}  // namespace scan
