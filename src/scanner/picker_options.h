#pragma once
// The values behind the scan dialog's pickers, indexed by the picker's
// position.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace scan {

inline constexpr std::array<std::string_view, 3> colorModeOption{"CGRAY", "GRAY256", "TEXT"};
inline constexpr std::array<std::string_view, 4> resolutionOption{"200dpi", "300dpi", "600dpi",
                                                                  "1200dpi"};
inline constexpr std::array<std::string_view, 3> typeOption{"AUTO", "PHOTO", "TYPE"};
inline constexpr std::array<std::string_view, 4> pageSizeOption{"A4", "A5", "B5(JIS)", "Letter"};
inline constexpr std::array<std::string_view, 3> scanSourceOption{"AUTO", "ADF", "FB"};
inline constexpr std::array<std::int64_t, 3> rotateOption{0, 90, 180};
inline constexpr std::array<std::string_view, 4> combineTypeOption{"NoCombine", "CombinHorizontal",
                                                                   "CombinVertical", "IDCard"};

// The entry at `index`; the first entry for an index outside the list, so a
// stale or foreign index gives the dialog's default instead of a crash.
template <typename T, std::size_t N>
constexpr T optionAt(const std::array<T, N>& list, std::int64_t index) {
  static_assert(N > 0);
  if (index < 0 || static_cast<std::uint64_t>(index) >= N) return list[0];
  return list[static_cast<std::size_t>(index)];
}

}  // namespace scan
