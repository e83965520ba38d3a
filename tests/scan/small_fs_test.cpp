// Full disk and read-only folder, on a tmpfs of the test's own (in_small_fs.sh).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <sys/mount.h>
#include <unistd.h>

#include "scan/pages/merge.h"
#include "scan/pages/page_writer.h"
#include "scan/pages/pdf_writer.h"
#include "support.h"

namespace {

using namespace scantest;

constexpr int kW = 256;
constexpr int kH = 363;

class SmallFs : public testing::Test {
 protected:
  void SetUp() override {
    const char* root = std::getenv("SCAN_SMALL_FS");
    if (root == nullptr) GTEST_SKIP() << "runs under in_small_fs.sh only";
    root_ = root;
    std::filesystem::create_directories(receive());
    std::filesystem::create_directories(save());
  }
  void TearDown() override {
    if (root_.empty()) return;
    ::mount(nullptr, root_.c_str(), nullptr, MS_REMOUNT, "size=4m");  // writable again
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(root_)) std::filesystem::remove_all(entry, ignored);
  }

  std::filesystem::path receive() const { return root_ / "receive"; }
  std::filesystem::path save() const { return root_ / "save"; }

  scan::ScanParam param(const std::string& combineType) const {
    return pageParam("GRAY256", "PDF", kW, kH, combineType, 0, (receive() / "file").string());
  }

  void scanPages(const scan::ScanParam& p, int count) const {
    for (int page = 1; page <= count; ++page) {
      const auto data = jpegBytes(drawGrid(pageGrid(page), QSize(kW, kH), QImage::Format_Grayscale8));
      ASSERT_TRUE(scan::saveImages(p, page, data).status);
    }
  }

  // Takes every free byte of the file system.
  void fillDisk() const {
    const int fd = ::open((root_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    std::vector<char> block(65536, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    while (::write(fd, block.data(), 1) > 0) {
    }
    ::close(fd);
  }

  void makeReadOnly() const {
    ASSERT_EQ(::mount(nullptr, root_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  }

  std::map<std::string, std::vector<std::uint8_t>> pages() const {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& name : fileNames(receive())) files[name] = fileBytes(receive() / name);
    return files;
  }

  std::filesystem::path root_;
};

TEST_F(SmallFs, FullDiskFailsThePageAndLeavesNoPartOfIt) {
  fillDisk();
  const auto data = jpegBytes(drawGrid(pageGrid(1), QSize(kW, kH), QImage::Format_Grayscale8));
  EXPECT_EQ(scan::saveImages(param("NoCombine"), 1, data), scan::saveFailed());
  EXPECT_TRUE(fileNames(receive()).empty());
}

TEST_F(SmallFs, FullDiskFailsTheMergeAndKeepsThePages) {
  const auto p = param("CombinHorizontal");
  scanPages(p, 4);
  const auto before = pages();
  fillDisk();
  EXPECT_EQ(scan::combineImage(4, false, p), scan::saveFailed());
  EXPECT_EQ(pages(), before);
}

TEST_F(SmallFs, FullDiskFailsThePdfAndLeavesNoFile) {
  const auto p = param("NoCombine");
  scanPages(p, 3);
  const auto before = pages();
  fillDisk();
  EXPECT_EQ(scan::save2PDF(p, 3, save().string(), "A4"), scan::saveFailed());
  EXPECT_TRUE(fileNames(save()).empty());
  EXPECT_EQ(pages(), before);
}

TEST_F(SmallFs, ReadOnlyFolderFailsMergeAndPdfAndKeepsThePages) {
  const auto p = param("IDCard");
  scanPages(p, 3);
  const auto before = pages();
  makeReadOnly();
  EXPECT_EQ(scan::combineImage(3, true, p), scan::saveFailed());
  EXPECT_EQ(scan::save2PDF(p, 3, save().string(), "A4"), scan::saveFailed());
  EXPECT_EQ(pages(), before);
  EXPECT_TRUE(fileNames(save()).empty());
}

}  // namespace
