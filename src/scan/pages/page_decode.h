#pragma once
// Decoding of page data and page files: JPEG, or the 1-bit BMP of mode "TEXT".

#include <QImage>
#include <QSize>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace scan {

// Size a BMP file must have to hold all its rows; 0 when the bytes are no BMP
// whose size can be told (compressed, or a header too short).
std::size_t bmpNeededSize(std::span<const std::uint8_t> bytes);

// The picture size the data's header declares (JPEG, BMP, or any format
// Qt reads the size of without decoding); nothing when no header tells it.
std::optional<QSize> declaredSize(std::span<const std::uint8_t> bytes);

// A JPEG comes back as Format_Grayscale8 or Format_RGB888 (DCT-scaled towards
// `atLeast` when that is valid); a 1-bit BMP as Format_Grayscale8, 0 and 255.
// A BMP shorter than its header says, or data no decoder takes, fails.
std::optional<QImage> decodePage(std::span<const std::uint8_t> bytes, QSize atLeast,
                                 std::string& error);

std::optional<QImage> readPageFile(const std::string& path, std::string& error);

}  // namespace scan
