#pragma once

// Reader of the printer's job stream as the print filter writes it, and the
// JBIG decoding of its pages: for tests and for looking at captured jobs.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace jobstream {

struct Field {
  std::string key;
  std::string value;
};

struct Page {
  std::vector<Field> header;
  std::vector<std::size_t> recordSizes;  // payload of each data record, in order
  std::string data;                      // the records' payloads joined: one BIE
  bool ended = false;                    // "Event=EndOfPage;" seen

  std::optional<std::string> field(std::string_view key) const;
};

struct Job {
  bool started = false;    // "Event=StartOfJob;"
  bool ended = false;      // "Event=EndOfJob;"
  bool cancelled = false;  // "CancelJob?"
  std::vector<Field> header;
  std::vector<Page> pages;

  std::optional<std::string> field(std::string_view key) const;
};

struct ParseError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws ParseError saying where and what, for anything that is not a
// well-formed stream (truncated record, field without ";", data outside a
// page, anything after the end).
Job parse(std::string_view stream);

// A decoded page: rows of (width + 7) / 8 bytes, first pixel in the top bit, 1 black.
struct Bitmap {
  std::size_t width = 0;
  std::size_t height = 0;
  std::vector<std::uint8_t> bits;

  std::size_t bytesPerRow() const { return (width + 7) / 8; }
  bool black(std::size_t x, std::size_t y) const {
    return ((static_cast<unsigned>(bits[y * bytesPerRow() + x / 8]) >> (7 - x % 8)) & 1U) != 0;
  }
};

struct DecodeError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Decodes one JBIG BIE with JBIG-KIT's decoder; throws DecodeError.
Bitmap decodeBie(std::string_view bie);

// Binary PBM ("P4"); throws std::runtime_error when it cannot be written.
void writePbm(const std::string& path, const Bitmap& bitmap);

}  // namespace jobstream
