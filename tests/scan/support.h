#pragma once
// Fixtures for the page-file tests: pictures with asymmetric marks on a 3 x 3
// grid of cells, temporary folders, and the real peers (ImageMagick, poppler).

#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "scan/scan_param.h"
#include "shell.h"
#include "temp_dir.h"

namespace scantest {

// Grey level of each cell, row 0 at the top.
using Grid = std::array<std::array<int, 3>, 3>;

// A "Γ" mark (top row and the left cell of the middle row black) that no turn
// or mirror leaves in place, and the page number in binary in the bottom row
// (black = 1, most significant bit left).
Grid pageGrid(int pageNo);
Grid turnedCounterClockwise(const Grid& grid);
Grid turnedUpsideDown(const Grid& grid);

// The grid drawn over a picture of the given size; colour pictures get a blue
// centre cell so a lost colour shows.
QImage drawGrid(const Grid& grid, QSize size, QImage::Format format);
// The bare 1-bit raster a scanner sends in mode "TEXT": top row first, width / 8
// bytes a row, most significant bit leftmost, 1 white.
std::vector<std::uint8_t> textRaster(const Grid& grid, int width, int height);
// The page bytes a scanner sends in the JPEG modes (Qt's JPEG writer, quality 90).
std::vector<std::uint8_t> jpegBytes(const QImage& image);
// The JPEG with its frame header claiming width x height (the data stays that
// of the small picture): what a decoder would allocate for, not what it holds.
std::vector<std::uint8_t> withDeclaredSize(std::vector<std::uint8_t> jpeg, int width, int height);

// Mean grey of the middle of each cell of `area`; true when every cell lies
// within `tolerance` of the grid.
bool showsGrid(const QImage& picture, QRect area, const Grid& grid, int tolerance = 60);
std::string describeCells(const QImage& picture, QRect area);

// Values of block header bytes 0-2, which the host does not interpret: the
// usual, zeros, all ones, status values and the two marks.
using HeaderStart = std::array<std::uint8_t, 3>;
extern const std::array<HeaderStart, 8> kHeaderStarts;
// "C20102" for {0xC2, 0x01, 0x02}: a test name.
std::string hexName(const HeaderStart& start);

// The page stream `messages` read in pieces that end at `ends` (offsets into
// the joined stream, ascending; the last piece runs to the stream's end): true
// when a piece is misread by its length alone, the one reading page_stream.h
// leaves ambiguous. A piece that begins a message with 0x82 and holds exactly
// 10 or 11 bytes is taken for a page-end record (and the byte behind it);
// that is right only for a page-end record alone or with the job-end byte.
bool misreadByItsLength(const std::vector<std::vector<std::uint8_t>>& messages, std::vector<std::size_t> ends);

using test_support::TempDir;

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path);
std::vector<std::string> fileNames(const std::filesystem::path& folder);

using test_support::quoted;
using test_support::Run;
using test_support::run;

// Reads a picture with ImageMagick, an independent reader, as 8-bit grey.
QImage readWithImageMagick(const std::filesystem::path& file);
// A binary PGM (P5) file as 8-bit grey; null on anything else.
QImage readPgm(const std::filesystem::path& file);

scan::ScanParam pageParam(const std::string& mode, const std::string& fileType, int w, int h,
                          const std::string& combineType, int rotateAngle,
                          const std::string& filePath);

}  // namespace scantest
