#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "filter_process.h"
#include "jobstream.h"
#include "printfilter/job_stream.h"

namespace printfilter {
namespace {

// A job stream written into memory, with its log.
class Captured {
 public:
  Captured() : fd_(memfd_create("stream", 0)), logFile_(open_memstream(&logBuffer_, &logSize_)), log_(logFile_) {}
  ~Captured() {
    close(fd_);
    std::fclose(logFile_);
    std::free(logBuffer_);
  }
  JobStream& stream() { return stream_; }
  std::string bytes() const {
    const off_t size = lseek(fd_, 0, SEEK_END);
    std::string out(static_cast<std::size_t>(size), '\0');
    EXPECT_EQ(pread(fd_, out.data(), out.size(), 0), size);
    return out;
  }
  std::string log() {
    std::fflush(logFile_);
    return std::string(logBuffer_, logSize_);
  }

 private:
  int fd_;
  char* logBuffer_ = nullptr;
  std::size_t logSize_ = 0;
  std::FILE* logFile_;
  Log log_;
  PrinterLink link_{nullptr, log_};
  JobStream stream_{fd_, link_, log_};
};

std::string pageFile(const fixture::TempDir& dir, std::size_t size) {
  const std::string path = dir.str() + "/jbig-0001";
  std::string content(size, '\0');
  for (std::size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 31 % 256);
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

struct RecordCase {
  std::size_t fileSize;
  std::vector<std::size_t> records;
};

class PageRecords : public testing::TestWithParam<RecordCase> {};

TEST_P(PageRecords, FileSentIn4096ByteRecordsClosedBySemicolons) {
  fixture::TempDir dir;
  const std::string path = pageFile(dir, GetParam().fileSize);
  Captured captured;
  EXPECT_TRUE(captured.stream().sendPageData(path));
  std::string expected;
  const std::string content = fixture::readFile(path);
  std::size_t at = 0;
  for (std::size_t size : GetParam().records) {
    expected += "RasterObject.Data#" + std::to_string(size) + "=" + content.substr(at, size) + ";";
    at += size;
  }
  EXPECT_EQ(captured.bytes(), expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PageRecords,
                         testing::Values(RecordCase{8192, {4096, 4096}}, RecordCase{4097, {4096, 1}},
                                         RecordCase{100, {100}}, RecordCase{0, {}}));

TEST(JobStreamWriter, UnreadablePageFileIsReportedAndSendsNothing) {
  Captured captured;
  EXPECT_FALSE(captured.stream().sendPageData("/nonexistent/jbig-0003"));
  EXPECT_EQ(captured.bytes(), "");
  EXPECT_NE(captured.log().find("DEBUG:[KTR6620LXV]can not open file /nonexistent/jbig-0003, goto loopendPage and "
                                "CancelJob;\n"),
            std::string::npos);
}

TEST(JobStreamWriter, CommandsGoOutAsTheyStand) {
  Captured captured;
  captured.stream().sendCmd("JobName=%s%n%d;");
  captured.stream().startOfJob();
  captured.stream().endOfPage();
  captured.stream().endOfJob();
  EXPECT_EQ(captured.bytes(), "JobName=%s%n%d;Event=StartOfJob;Event=EndOfPage;Event=EndOfJob;");
  EXPECT_NE(captured.log().find("DEBUG:[KTR6620LXV] sned cmd = JobName=%s%n%d;\n"), std::string::npos);
}

TEST(JobStreamWriter, PageHeaderParsesBack) {
  Captured captured;
  captured.stream().startOfJob();
  captured.stream().sendPageHeader("B5", 13, 7, InputSlot::Tray1);
  captured.stream().endOfPage();
  const auto job = jobstream::parse(captured.bytes());
  ASSERT_EQ(job.pages.size(), 1U);
  EXPECT_EQ(job.pages[0].field("MediaSize"), "na_b5_182x257mm");
  EXPECT_EQ(job.pages[0].field("RasterObject.Width"), "16");
  EXPECT_EQ(job.pages[0].field("RasterObject.Height"), "7");
  EXPECT_EQ(job.pages[0].field("MediaInputTrayCheck"), "cassette");
}

TEST(JobStreamWriter, FailedWriteStopsTheStreamAndSaysSo) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  close(fds[0]);
  signal(SIGPIPE, SIG_IGN);
  Log log(stderr, ProgressLanguage::None);
  PrinterLink link(nullptr, log);
  JobStream stream(fds[1], link, log);
  testing::internal::CaptureStderr();
  stream.startOfJob();
  stream.endOfJob();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(stream.ok());
  EXPECT_NE(err.find("ERROR: cannot write the job stream: Broken pipe\n"), std::string::npos) << err;
  // Said once: nothing more is tried after the first failure.
  EXPECT_EQ(err.find("ERROR:"), err.rfind("ERROR:"));
  close(fds[1]);
}

}  // namespace
}  // namespace printfilter
