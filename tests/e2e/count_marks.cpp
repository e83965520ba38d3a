// Counts the solid black squares on a printed page (a binary PBM file). The sample
// document marks page n with n such squares, so the count names the page even
// after scaling or a half turn; a blank page counts 0.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> black;  // one byte per pixel, 1 = black
};

bool readToken(std::istream& in, std::string& token) {
  token.clear();
  int c = 0;
  while ((c = in.get()) != EOF) {
    if (c == '#') {
      while ((c = in.get()) != EOF && c != '\n') {
      }
    } else if (!std::isspace(c)) {
      token.push_back(static_cast<char>(c));
      break;
    }
  }
  while ((c = in.peek()) != EOF && !std::isspace(c) && c != '#') token.push_back(static_cast<char>(in.get()));
  return !token.empty();
}

bool readPbm(const char* path, Bitmap& bitmap) {
  std::ifstream in(path, std::ios::binary);
  std::string magic, w, h;
  if (!readToken(in, magic) || magic != "P4" || !readToken(in, w) || !readToken(in, h)) return false;
  in.get();  // the single whitespace before the raster
  bitmap.width = std::atoi(w.c_str());
  bitmap.height = std::atoi(h.c_str());
  if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.width > 20000 || bitmap.height > 20000) return false;
  const auto stride = static_cast<size_t>((bitmap.width + 7) / 8);
  std::vector<unsigned char> row(stride);
  bitmap.black.assign(static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height), 0);
  for (int y = 0; y < bitmap.height; ++y) {
    if (!in.read(reinterpret_cast<char*>(row.data()), static_cast<std::streamsize>(stride))) return false;
    for (int x = 0; x < bitmap.width; ++x) {
      const auto bit = (row[static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1;
      bitmap.black[static_cast<size_t>(y) * static_cast<size_t>(bitmap.width) + static_cast<size_t>(x)] =
          static_cast<unsigned char>(bit);
    }
  }
  return true;
}

// A mark is a near-square component that is almost entirely black: halftoned
// greys and text strokes never are.
int countMarks(Bitmap& bitmap, int minSide) {
  int marks = 0;
  std::vector<size_t> stack;
  const auto width = static_cast<size_t>(bitmap.width);
  for (size_t start = 0; start < bitmap.black.size(); ++start) {
    if (bitmap.black[start] != 1) continue;
    size_t area = 0;
    size_t minX = width, maxX = 0, minY = SIZE_MAX, maxY = 0;
    stack.assign(1, start);
    bitmap.black[start] = 2;
    while (!stack.empty()) {
      const size_t p = stack.back();
      stack.pop_back();
      ++area;
      const size_t x = p % width, y = p / width;
      minX = std::min(minX, x), maxX = std::max(maxX, x);
      minY = std::min(minY, y), maxY = std::max(maxY, y);
      auto visit = [&](size_t q) {
        if (bitmap.black[q] == 1) {
          bitmap.black[q] = 2;
          stack.push_back(q);
        }
      };
      if (x > 0) visit(p - 1);
      if (x + 1 < width) visit(p + 1);
      if (y > 0) visit(p - width);
      if (y + 1 < static_cast<size_t>(bitmap.height)) visit(p + width);
    }
    const double w = static_cast<double>(maxX - minX + 1), h = static_cast<double>(maxY - minY + 1);
    if (w >= minSide && h >= minSide && w / h > 0.8 && w / h < 1.25 && static_cast<double>(area) >= 0.95 * w * h)
      ++marks;
  }
  return marks;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: count-marks PAGE.pbm [MIN_SIDE_PIXELS]\n";
    return 2;
  }
  Bitmap bitmap;
  if (!readPbm(argv[1], bitmap)) {
    std::cerr << "count-marks: " << argv[1] << " is not a readable binary PBM file\n";
    return 2;
  }
  const int minSide = argc > 2 ? std::atoi(argv[2]) : 100;
  std::cout << countMarks(bitmap, minSide) << '\n';
  return 0;
}
