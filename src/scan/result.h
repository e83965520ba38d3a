#pragma once
// The (status, message) pair that the scan engine's operations answer.

#include <string>

#include "scan/message_keys.h"

namespace scan {

struct ResultPair {
  bool status = false;
  std::string message;
  friend bool operator==(const ResultPair&, const ResultPair&) = default;
};

inline constexpr const char* kSaveSuccessfully = "saveSuccessfully";

inline ResultPair saveSucceeded() { return {true, kSaveSuccessfully}; }
inline ResultPair saveFailed() { return {false, keys::kSaveImageError}; }

}  // namespace scan
