#pragma once
// File operations of the page writers: whole files or none, no half-written
// file left under a name that a reader may take for a finished one.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scan {

// Writes bytes to path, replacing a file there. On failure the file is removed
// and error says why. `durable` waits until the data is on the disk.
bool writeFileWhole(const std::string& path, std::span<const std::uint8_t> bytes, bool durable,
                    std::string& error);

// Writes bytes under a fresh hidden name in the folder of `target` and answers
// that name.
std::optional<std::string> writeTemporaryBeside(const std::string& target,
                                                std::span<const std::uint8_t> bytes, bool durable,
                                                std::string& error);

// Writes the file under a temporary name, then renames it over `target`.
bool writeFileReplacing(const std::string& target, std::span<const std::uint8_t> bytes,
                        bool durable, std::string& error);

bool renameReplacing(const std::string& from, const std::string& to, std::string& error);

enum class Placed { done, nameTaken, failed };
// Renames only when nothing is at `to`.
Placed renameNoReplace(const std::string& from, const std::string& to, std::string& error);

// Waits until the file's data is on the disk.
bool syncFile(const std::string& path, std::string& error);

// True when the file's last bytes are `tail`.
bool endsWith(const std::string& path, std::string_view tail, std::string& error);

bool removeFile(const std::string& path, std::string& error);

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::string& error);

}  // namespace scan
