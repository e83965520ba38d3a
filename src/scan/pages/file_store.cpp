#include "scan/pages/file_store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scan {
namespace {

std::string describe(const std::string& what, const std::string& path, int code) {
  return what + " \"" + path + "\": " + std::strerror(code);
}

// Opened file closed on every path out.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return true;
}

// Fills an opened file; on failure removes it.
bool fill(Fd& fd, const std::string& path, std::span<const std::uint8_t> bytes, bool durable,
          std::string& error) {
  bool ok = writeAll(fd.get(), bytes) && (!durable || ::fsync(fd.get()) == 0);
  const int writeErrno = errno;
  // close() is where a delayed write error may first show.
  ok = (::close(fd.release()) == 0) && ok;
  if (!ok) {
    error = describe("cannot write", path, writeErrno != 0 ? writeErrno : errno);
    ::unlink(path.c_str());
  }
  return ok;
}

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool writeFileWhole(const std::string& path, std::span<const std::uint8_t> bytes, bool durable,
                    std::string& error) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) {
    error = describe("cannot create", path, errno);
    return false;
  }
  errno = 0;
  return fill(fd, path, bytes, durable, error);
}

std::optional<std::string> writeTemporaryBeside(const std::string& target,
                                                std::span<const std::uint8_t> bytes, bool durable,
                                                std::string& error) {
  static unsigned counter = 0;
  const std::string stem = folderOf(target) + "/." + baseOf(target) + ".tmp" +
                           std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = stem + std::to_string(++counter);
    Fd fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0) {
      if (errno == EEXIST) continue;
      error = describe("cannot create", name, errno);
      return std::nullopt;
    }
    errno = 0;
    if (!fill(fd, name, bytes, durable, error)) return std::nullopt;
    return name;
  }
  error = "no free temporary name beside \"" + target + "\"";
  return std::nullopt;
}

bool writeFileReplacing(const std::string& target, std::span<const std::uint8_t> bytes,
                        bool durable, std::string& error) {
  const auto temporary = writeTemporaryBeside(target, bytes, durable, error);
  if (!temporary) return false;
  if (!renameReplacing(*temporary, target, error)) {
    ::unlink(temporary->c_str());
    return false;
  }
  return true;
}

bool renameReplacing(const std::string& from, const std::string& to, std::string& error) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  error = describe("cannot rename \"" + from + "\" to", to, errno);
  return false;
}

Placed renameNoReplace(const std::string& from, const std::string& to, std::string& error) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return Placed::done;
  }
  if (errno == EEXIST) return Placed::nameTaken;
  if (errno == EINVAL || errno == ENOSYS) {
    // The file system cannot rename without replacing: a hard link fails on a
    // taken name just the same.
    if (::link(from.c_str(), to.c_str()) == 0) {
      ::unlink(from.c_str());
      return Placed::done;
    }
    if (errno == EEXIST) return Placed::nameTaken;
  }
  error = describe("cannot rename \"" + from + "\" to", to, errno);
  return Placed::failed;
}

bool syncFile(const std::string& path, std::string& error) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0 || ::fsync(fd.get()) != 0 || ::close(fd.release()) != 0) {
    error = describe("cannot write", path, errno);
    return false;
  }
  return true;
}

bool endsWith(const std::string& path, std::string_view tail, std::string& error) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) {
    error = describe("cannot open", path, errno);
    return false;
  }
  std::string last(tail.size(), '\0');
  const auto size = static_cast<std::size_t>(info.st_size);
  if (size < tail.size() ||
      ::pread(fd.get(), last.data(), tail.size(), static_cast<off_t>(size - tail.size())) !=
          static_cast<ssize_t>(tail.size()) ||
      last != tail) {
    error = "\"" + path + "\" is incomplete";
    return false;
  }
  return true;
}

bool removeFile(const std::string& path, std::string& error) {
  if (::unlink(path.c_str()) == 0) return true;
  error = describe("cannot remove", path, errno);
  return false;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path,
                                                       std::string& error) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) {
    error = describe("cannot open", path, errno);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = describe("cannot read", path, errno);
      return std::nullopt;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace scan
