#include "support.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <QPainter>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace scantest {

Grid pageGrid(int pageNo) {
  Grid grid{};
  for (auto& row : grid) row.fill(255);
  grid[0] = {0, 0, 0};
  grid[1][0] = 0;
  for (int bit = 0; bit < 3; ++bit) {
    if ((pageNo >> (2 - bit)) & 1) grid[2][static_cast<std::size_t>(bit)] = 0;
  }
  return grid;
}

Grid turnedCounterClockwise(const Grid& grid) {
  Grid out{};
  for (std::size_t r = 0; r < 3; ++r) {
    for (std::size_t c = 0; c < 3; ++c) out[r][c] = grid[c][2 - r];
  }
  return out;
}

Grid turnedUpsideDown(const Grid& grid) {
  Grid out{};
  for (std::size_t r = 0; r < 3; ++r) {
    for (std::size_t c = 0; c < 3; ++c) out[r][c] = grid[2 - r][2 - c];
  }
  return out;
}

namespace {

QRect cell(QRect area, int row, int col) {
  const int x0 = area.x() + area.width() * col / 3;
  const int x1 = area.x() + area.width() * (col + 1) / 3;
  const int y0 = area.y() + area.height() * row / 3;
  const int y1 = area.y() + area.height() * (row + 1) / 3;
  return QRect(x0, y0, x1 - x0, y1 - y0);
}

int meanGrey(const QImage& grey, QRect r) {
  // The middle half of the cell: edges blur in scaling and JPEG.
  const QRect inner = r.adjusted(r.width() / 4, r.height() / 4, -r.width() / 4, -r.height() / 4);
  long long sum = 0, count = 0;
  for (int y = inner.top(); y <= inner.bottom(); ++y) {
    const uchar* line = grey.constScanLine(y);
    for (int x = inner.left(); x <= inner.right(); ++x, ++count) sum += line[x];
  }
  return count == 0 ? -1 : static_cast<int>(sum / count);
}

}  // namespace

QImage drawGrid(const Grid& grid, QSize size, QImage::Format format) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  const QRect all(QPoint(0, 0), size);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const int g = grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      painter.fillRect(cell(all, r, c), QColor(g, g, g));
    }
  }
  if (format != QImage::Format_Grayscale8) painter.fillRect(cell(all, 1, 1), QColor(40, 60, 230));
  painter.end();
  return image.convertToFormat(format);
}

std::vector<std::uint8_t> textRaster(const Grid& grid, int width, int height) {
  const QImage grey = drawGrid(grid, QSize(width, height), QImage::Format_Grayscale8);
  const auto rowBytes = static_cast<std::size_t>(width / 8);
  std::vector<std::uint8_t> raster(rowBytes * static_cast<std::size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    const uchar* line = grey.constScanLine(y);
    for (int x = 0; x < width; ++x) {
      if (line[x] >= 128) {
        raster[static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x / 8)] |=
            static_cast<std::uint8_t>(0x80 >> (x % 8));
      }
    }
  }
  return raster;
}

std::vector<std::uint8_t> jpegBytes(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(90);
  if (!writer.write(image)) throw std::runtime_error("Qt cannot write JPEG");
  return {data.begin(), data.end()};
}

std::vector<std::uint8_t> withDeclaredSize(std::vector<std::uint8_t> jpeg, int width, int height) {
  for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
      jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8);
      jpeg[i + 6] = static_cast<std::uint8_t>(height & 0xFF);
      jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8);
      jpeg[i + 8] = static_cast<std::uint8_t>(width & 0xFF);
      return jpeg;
    }
  }
  throw std::runtime_error("no frame header in the JPEG");
}

bool showsGrid(const QImage& picture, QRect area, const Grid& grid, int tolerance) {
  const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const int expected = grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      if (std::abs(meanGrey(grey, cell(area, r, c)) - expected) > tolerance) {
        // A blue centre cell reads as dark grey; only its darkness is not checked.
        if (!(r == 1 && c == 1 && picture.format() != QImage::Format_Grayscale8 &&
              !picture.isGrayscale())) {
          return false;
        }
      }
    }
  }
  return true;
}

std::string describeCells(const QImage& picture, QRect area) {
  const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
  std::ostringstream out;
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) out << meanGrey(grey, cell(area, r, c)) << (c < 2 ? " " : "; ");
  }
  return out.str();
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> fileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

QImage readPgm(const std::filesystem::path& file) {
  const auto bytes = fileBytes(file);
  std::string head(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(bytes.size(), 64)));
  std::istringstream in(head);
  std::string magic;
  int width = 0, height = 0, maxValue = 0;
  in >> magic >> width >> height >> maxValue;
  if (magic != "P5" || maxValue != 255 || width <= 0 || height <= 0) return {};
  const auto offset = static_cast<std::size_t>(in.tellg()) + 1;
  if (bytes.size() < offset + static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return {};
  QImage image(width, height, QImage::Format_Grayscale8);
  for (int y = 0; y < height; ++y) {
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset + static_cast<std::size_t>(y * width)),
                width, image.scanLine(y));
  }
  return image;
}

QImage readWithImageMagick(const std::filesystem::path& file) {
  const std::string pgm = file.string() + ".peer.pgm";
  const Run conversion = run("convert " + quoted(file.string()) + " -depth 8 -colorspace Gray " + quoted("pgm:" + pgm));
  if (conversion.status != 0) return {};
  QImage image = readPgm(pgm);
  std::filesystem::remove(pgm);
  return image;
}

scan::ScanParam pageParam(const std::string& mode, const std::string& fileType, int w, int h,
                          const std::string& combineType, int rotateAngle,
                          const std::string& filePath) {
  scan::ScanParam param;
  param.source = "ADF";
  param.resolution = "300,300";
  param.mode = mode;
  param.type = "AUTO";
  param.compression = mode == "TEXT" ? "BMP" : "JPEG";
  param.compressRatio = "MID";
  param.brightness = "50";
  param.contrast = "50";
  param.w = w;
  param.h = h;
  param.duplex = "SIN";
  param.combineType = combineType;
  param.filePath = filePath;
  param.fileType = fileType;
  param.rotateAngle = rotateAngle;
  return param;
}

const std::array<HeaderStart, 8> kHeaderStarts{{{0x00, 0x00, 0x00}, {0x42, 0x4C, 0x4B}, {0x80, 0x00, 0x00},
                                                {0x82, 0x00, 0x00}, {0xC2, 0x01, 0x02}, {0xC3, 0x00, 0x00},
                                                {0xE9, 0x00, 0x00}, {0xFF, 0xFF, 0xFF}}};

std::string hexName(const HeaderStart& start) {
  char name[8];
  std::snprintf(name, sizeof name, "%02X%02X%02X", start[0], start[1], start[2]);
  return name;
}

bool misreadByItsLength(const std::vector<std::vector<std::uint8_t>>& messages, std::vector<std::size_t> ends) {
  // Where each message begins, and its size.
  std::map<std::size_t, std::size_t> sizeAt;
  std::vector<std::uint8_t> stream;
  for (const auto& message : messages) {
    sizeAt[stream.size()] = message.size();
    stream.insert(stream.end(), message.begin(), message.end());
  }
  ends.push_back(stream.size());
  std::size_t from = 0;
  for (const std::size_t to : ends) {
    if (to <= from) continue;
    const std::size_t size = to - from;
    const auto begun = sizeAt.find(from);
    if (begun != sizeAt.end() && stream[from] == 0x82 && (size == 10 || size == 11)) {
      const bool pageEnd = begun->second == 10;
      const auto behind = sizeAt.find(from + 10);
      const bool jobEndBehind = behind != sizeAt.end() && behind->second == 1 && stream[from + 10] == 0x80;
      if (!pageEnd || (size == 11 && !jobEndBehind)) return true;
    }
    from = to;
  }
  return false;
}

}  // namespace scantest
