#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "filter_process.h"
#include "printfilter/page_folder.h"

namespace printfilter {
namespace {

TEST(PageFolder, PrivateFolderUnderTmpdir) {
  fixture::TempDir tmp;
  std::string error;
  const auto folder = PageFolder::create(tmp.path().c_str(), error);
  ASSERT_TRUE(folder) << error;
  EXPECT_EQ(std::filesystem::path(folder->path()).parent_path(), tmp.path());
  struct stat info {};
  ASSERT_EQ(stat(folder->path().c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700U);
}

TEST(PageFolder, PageFilesNamedByFourDigitPageNumber) {
  fixture::TempDir tmp;
  std::string error;
  const auto folder = PageFolder::create(tmp.path().c_str(), error);
  ASSERT_TRUE(folder);
  EXPECT_EQ(folder->pageFile(1), folder->path() + "/jbig-0001");
  EXPECT_EQ(folder->pageFile(12), folder->path() + "/jbig-0012");
}

TEST(PageFolder, EachJobGetsItsOwnFolder) {
  fixture::TempDir tmp;
  std::string error;
  const auto first = PageFolder::create(tmp.path().c_str(), error);
  const auto second = PageFolder::create(tmp.path().c_str(), error);
  ASSERT_TRUE(first && second);
  EXPECT_NE(first->path(), second->path());
}

TEST(PageFolder, RemovedWithItsFilesAtTheEnd) {
  fixture::TempDir tmp;
  std::string path;
  {
    std::string error;
    const auto folder = PageFolder::create(tmp.path().c_str(), error);
    ASSERT_TRUE(folder);
    path = folder->path();
    std::ofstream(folder->pageFile(1)) << "page";
    std::ofstream(folder->pageFile(2)) << "page";
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(tmp.entries().empty());
}

TEST(PageFolder, SpoolFolderWhenTmpdirUnset) {
  if (access(kSpoolTempDir, W_OK) != 0) GTEST_SKIP() << kSpoolTempDir << " is not writable here (print service's user or root)";
  std::string error;
  const auto folder = PageFolder::create(nullptr, error);
  ASSERT_TRUE(folder) << error;
  EXPECT_EQ(std::filesystem::path(folder->path()).parent_path(), kSpoolTempDir);
}

TEST(PageFolder, UnusableTmpdirIsAnError) {
  std::string error;
  EXPECT_FALSE(PageFolder::create("/nonexistent/tmp", error));
  EXPECT_NE(error.find("/nonexistent/tmp"), std::string::npos) << error;
}

}  // namespace
}  // namespace printfilter
