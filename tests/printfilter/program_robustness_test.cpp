// Bad input and failures through the real program: each ends with a clear
// message and the right exit status, never a crash, an over-read or a
// silently wrong page.

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "program_common.h"

namespace printfilter_test {
namespace {

using fixture::GreyPage;

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

GreyPage noisePage(unsigned width, unsigned height) { return fixture::noisePage(width, height, 99); }

struct HostileCase {
  const char* name;
  std::function<void(cups_page_header2_t&)> change;
  const char* message;
};

class HostileHeader : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileHeader, EndsTheJobAsFailedWithAnErrorLine) {
  // A good page first, then the hostile one; the good one is sent once, the
  // collated copies are not.
  fixture::RasterPage bad = fixture::rasterPage(fixture::uniformPage(64, 8, 100));
  GetParam().change(bad.header);
  bad.rows.assign(bad.header.cupsHeight < 16 ? bad.header.cupsHeight : 16,
                  std::vector<std::uint8_t>(std::min<std::size_t>(bad.header.cupsBytesPerLine, 1U << 16), 0x55));
  const auto raster = fixture::rasterBytes({fixture::rasterPage(fixture::uniformPage(16, 4, 0)), bad});
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  command.copies = "2";
  const Printed p = readBack(fixture::runFilter(command, raster));
  EXPECT_EQ(p.run.exitCode, 1);
  EXPECT_NE(p.run.err.find(std::string("ERROR: page 2: ") + GetParam().message), std::string::npos) << p.run.err;
  EXPECT_EQ(p.job.pages.size(), 1U);
  EXPECT_TRUE(p.job.ended);
  EXPECT_TRUE(tmp.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, HostileHeader,
    testing::Values(
        HostileCase{"OneBitPage",
                    fixture::makeOneBitBlack,
                    "raster page is not 8-bit grey (cupsBitsPerColor 1, cupsBitsPerPixel 1, cupsColorSpace 3)"},
        HostileCase{"ColorSpaceOutsideTheEnumeration", [](auto& h) { fixture::setRawColorSpace(h, 4000000000U); },
                    "raster page is not 8-bit grey (cupsBitsPerColor 8, cupsBitsPerPixel 8, "
                    "cupsColorSpace 4000000000)"},
        HostileCase{"RgbPage",
                    fixture::makeRgb,
                    "raster page is not 8-bit grey"},
        HostileCase{"RowsShorterThanWidth", [](auto& h) { h.cupsBytesPerLine = h.cupsWidth / 2; },
                    "raster page rows do not fit its width (cupsBytesPerLine 32, cupsWidth 64)"},
        HostileCase{"HugeWidth", [](auto& h) { h.cupsWidth = h.cupsBytesPerLine = 1000000; },
                    "raster page is too large (1000000x8"},
        HostileCase{"HugeHeight", [](auto& h) { h.cupsHeight = 4000000000U; }, "raster page is too large (64x4000000000"}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct UnreadableCase {
  const char* name;
  std::string input;
  std::size_t pagesSent;
  const char* message;
};

class UnreadableRaster : public testing::TestWithParam<UnreadableCase> {};

// libcups reads these as "no (more) pages"; the input had not ended, so the
// job did not print what it was given.
TEST_P(UnreadableRaster, EndsTheJobAsFailedWithAnErrorLine) {
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  command.copies = "2";
  const Printed p = print(command, GetParam().input);
  EXPECT_EQ(p.run.exitCode, 1);
  EXPECT_NE(p.run.err.find(GetParam().message), std::string::npos) << p.run.err;
  EXPECT_EQ(p.job.pages.size(), GetParam().pagesSent);
  EXPECT_TRUE(p.job.ended);
  EXPECT_TRUE(tmp.entries().empty());
}

std::string notAHeader() {
  std::string text;
  while (text.size() < 4000) text += "this is not a raster page header; ";
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, UnreadableRaster,
    testing::Values(UnreadableCase{"NotARasterStream", "%PDF-1.4\n" + notAHeader(), 0,
                                   "ERROR: the input is not a CUPS raster stream\n"},
                    UnreadableCase{"SyncWordThenNoHeader", "RaS2" + notAHeader(), 0,
                                   "ERROR: page 1: the raster page header cannot be read\n"},
                    UnreadableCase{"GarbageAfterAPage",
                                   fixture::rasterBytes({fixture::uniformPage(16, 4, 0)}) + notAHeader(), 1,
                                   "ERROR: page 2: the raster page header cannot be read\n"}),
    [](const auto& tested) { return std::string(tested.param.name); });

struct CutCase {
  const char* name;
  fixture::Encoding encoding;
  std::size_t headerBytes;  // of the second page's header that arrive
};

class CutHeader : public testing::TestWithParam<CutCase> {};

// Bytes of a header that the input cuts short are not a clean end of the
// job: the pages after it were lost.
TEST_P(CutHeader, EndsTheJobAsFailedWithAnErrorLine) {
  const auto first = fixture::uniformPage(16, 4, 0);
  const std::string one = fixture::rasterBytes({first}, GetParam().encoding);
  const std::string two = fixture::rasterBytes({first, fixture::uniformPage(16, 4, 128)}, GetParam().encoding);
  ASSERT_GT(two.size(), one.size() + sizeof(cups_page_header2_t));
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  command.copies = "2";
  const Printed p = print(command, two.substr(0, one.size() + GetParam().headerBytes));
  EXPECT_EQ(p.run.exitCode, 1);
  EXPECT_NE(p.run.err.find("ERROR: page 2: the raster input ends inside the page header\n"), std::string::npos)
      << p.run.err;
  ASSERT_EQ(p.pages.size(), 1U);  // page 1 once: no copies after the loss
  EXPECT_EQ(fixture::difference(p.pages[0], fixture::matrixHalftone(first)), "");
  EXPECT_TRUE(p.job.ended);
  EXPECT_TRUE(tmp.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CutHeader,
    testing::Values(CutCase{"CompressedOneByte", fixture::Encoding::Compressed, 1},
                    CutCase{"CompressedHalf", fixture::Encoding::Compressed, sizeof(cups_page_header2_t) / 2},
                    CutCase{"CompressedAllButOneByte", fixture::Encoding::Compressed, sizeof(cups_page_header2_t) - 1},
                    CutCase{"PlainOneByte", fixture::Encoding::Plain, 1},
                    CutCase{"PlainHalf", fixture::Encoding::Plain, sizeof(cups_page_header2_t) / 2},
                    CutCase{"PlainAllButOneByte", fixture::Encoding::Plain, sizeof(cups_page_header2_t) - 1}),
    [](const auto& tested) { return std::string(tested.param.name); });

class CleanEnd : public testing::TestWithParam<fixture::Encoding> {};

// A stream that ends where a page header would begin is a whole job, the
// stream of no pages (the sync word alone) included.
TEST_P(CleanEnd, IsAJobOfThePagesRead) {
  fixture::TempDir tmp;
  const Printed none = print(queueCommand(tmp), fixture::rasterBytes(std::vector<GreyPage>{}, GetParam()));
  EXPECT_EQ(none.run.exitCode, 0) << none.run.err;
  EXPECT_TRUE(none.job.ended);
  EXPECT_TRUE(none.pages.empty());
  EXPECT_EQ(none.run.err.find("ERROR:"), std::string::npos) << none.run.err;

  // Pages larger than the filter's read blocks, of mixed sizes, so that
  // blocks end inside rows and headers.
  const std::vector<GreyPage> pages = {noisePage(301, 250), noisePage(17, 3), noisePage(400, 180)};
  const Printed all = print(queueCommand(tmp), fixture::rasterBytes(pages, GetParam()));
  EXPECT_EQ(all.run.exitCode, 0) << all.run.err;
  EXPECT_EQ(all.run.err.find("ERROR:"), std::string::npos) << all.run.err;
  ASSERT_EQ(all.pages.size(), pages.size());
  for (std::size_t i = 0; i < pages.size(); ++i)
    EXPECT_EQ(fixture::difference(all.pages[i], fixture::matrixHalftone(pages[i])), "") << i;
}

INSTANTIATE_TEST_SUITE_P(Inputs, CleanEnd, testing::Values(fixture::Encoding::Compressed, fixture::Encoding::Plain),
                         [](const auto& tested) {
                           return std::string(tested.param == fixture::Encoding::Plain ? "Plain" : "Compressed");
                         });

class PageDataCutShort : public testing::TestWithParam<std::tuple<fixture::Encoding, const char*>> {};

TEST_P(PageDataCutShort, FailsTheJobAfterThePagesBeforeIt) {
  // A whole page, then one whose rows stop early: the first is printed once,
  // the cut one not at all, no blank back side and no copies follow.
  fixture::RasterPage cut = fixture::rasterPage(
      fixture::drawnPage(16, 10, [](unsigned x, unsigned y) { return static_cast<std::uint8_t>(y * 10 + x); }));
  cut.rows.resize(4);
  fixture::TempDir tmp;
  auto command = queueCommand(tmp, std::get<1>(GetParam()));
  command.copies = "2";
  const auto raster =
      fixture::rasterBytes({fixture::rasterPage(fixture::uniformPage(16, 4, 0)), cut}, std::get<0>(GetParam()));
  const Printed p = readBack(fixture::runFilter(command, raster));
  EXPECT_EQ(p.run.exitCode, 1);
  EXPECT_NE(p.run.err.find("ERROR: page 2: the raster input ends inside the page data"), std::string::npos)
      << p.run.err;
  EXPECT_NE(p.run.err.find("raster data ended at row"), std::string::npos) << p.run.err;
  EXPECT_TRUE(p.job.ended);
  EXPECT_TRUE(tmp.entries().empty());
  // One-sided, page 1 went out before page 2 was read; a duplex pair goes
  // out only whole, so nothing was sent.
  const bool duplex = !std::string(std::get<1>(GetParam())).empty();
  EXPECT_EQ(p.job.pages.size(), duplex ? 0U : 1U);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, PageDataCutShort,
    testing::Combine(testing::Values(fixture::Encoding::Compressed, fixture::Encoding::Plain),
                     testing::Values("", "Duplex=DuplexNoTumble")),
    [](const auto& tested) {
      return std::string(std::get<0>(tested.param) == fixture::Encoding::Plain ? "Plain" : "Compressed") +
             (std::string(std::get<1>(tested.param)).empty() ? "OneSided" : "LongEdgeDuplex");
    });

TEST(Robustness, TitleCannotInjectFields) {
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  command.title = "Budget;Copies=99;\nSysVersion=X 100%";
  const Printed p = print(command, {fixture::uniformPage(8, 2, 0)});
  EXPECT_EQ(p.job.field("JobName"), "Budget_Copies_99__SysVersion_X 100%");
  EXPECT_EQ(p.job.field("Copies"), "1");
  EXPECT_EQ(p.job.field("SysVersion"), "MAC");
  EXPECT_EQ(p.job.header.size(), 7U);
}

TEST(Robustness, LongTitleIsCutWithoutSplittingACharacter) {
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  command.title = "x";
  for (int i = 0; i < 100; ++i) command.title += "\xe6\x96\x87";  // "文", three bytes
  const Printed p = print(command, {fixture::uniformPage(8, 2, 0)});
  const std::string title = p.job.field("JobName").value_or("");
  EXPECT_EQ(title.size(), 253U);  // "x" and 84 whole characters fit in 255 bytes
  EXPECT_EQ(title, command.title.substr(0, 253));
}

TEST(Robustness, EachPageHeaderCarriesItsOwnSize) {
  fixture::TempDir tmp;
  // Two-sided: the front (24x10) goes after its back (40x20).
  const Printed duplex = print(queueCommand(tmp, "Duplex=DuplexNoTumble"),
                               {fixture::uniformPage(24, 10, 0), fixture::uniformPage(40, 20, 0),
                                fixture::uniformPage(8, 6, 0)});
  ASSERT_EQ(duplex.job.pages.size(), 4U);
  const std::vector<std::pair<std::string, std::string>> sizes = {{"40", "20"}, {"24", "10"}, {"8", "6"}, {"8", "6"}};
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    EXPECT_EQ(duplex.job.pages[i].field("RasterObject.Width"), sizes[i].first) << i;
    EXPECT_EQ(duplex.job.pages[i].field("RasterObject.Height"), sizes[i].second) << i;
    EXPECT_EQ(duplex.pages[i].width, std::stoul(sizes[i].first)) << i;
  }

  // Collated copies of a mixed-size job.
  auto command = queueCommand(tmp);
  command.copies = "2";
  const Printed copies = print(command, {fixture::uniformPage(24, 10, 0), fixture::uniformPage(40, 20, 0)});
  ASSERT_EQ(copies.job.pages.size(), 4U);
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_EQ(copies.job.pages[i].field("RasterObject.Height"), i % 2 == 0 ? "10" : "20") << i;
}

TEST(Robustness, FewerThanSixArgumentsGiveTheUsageLine) {
  fixture::TempDir tmp;
  for (int arguments : {1, 5}) {
    auto command = queueCommand(tmp);
    command.argumentCount = arguments;
    const auto result = fixture::runFilter(command, fixture::rasterBytes({fixture::uniformPage(8, 2, 0)}));
    EXPECT_EQ(result.exitCode, 1) << arguments;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Usage: printfilter-quktr6620lxv job-id user title copies options [file]\n");
  }
}

TEST(Robustness, RasterFileNamedOnTheCommandLineIsRead) {
  fixture::TempDir tmp;
  fixture::TempDir files;
  const std::string path = files.str() + "/job.ras";
  std::ofstream(path, std::ios::binary) << fixture::rasterBytes({fixture::uniformPage(16, 4, 0)});
  auto command = queueCommand(tmp);
  command.extraArgs = {path};
  const Printed p = print(command, std::string());  // nothing on standard input
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_EQ(p.pages.size(), 1U);

  command.extraArgs = {files.str() + "/missing.ras"};
  const auto missing = fixture::runFilter(command, "");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("ERROR: cannot open " + files.str() + "/missing.ras: No such file or directory"),
            std::string::npos)
      << missing.err;
}

struct LanguageCase {
  const char* name;
  std::map<std::string, std::string> env;
  const char* progress;  // the page-finished line, or null for none at all
};

class ProgressLanguage : public testing::TestWithParam<LanguageCase> {};

TEST_P(ProgressLanguage, ProgressLinesInTheJobsLanguage) {
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  for (const auto& [key, value] : GetParam().env) command.env[key] = value;
  const auto result = fixture::runFilter(command, fixture::rasterBytes({fixture::uniformPage(8, 2, 0)}));
  if (GetParam().progress != nullptr) {
    EXPECT_NE(result.err.find(GetParam().progress), std::string::npos) << result.err;
  } else {
    EXPECT_EQ(result.err.find("INFO:"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("DEBUG:"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Environments, ProgressLanguage,
    testing::Values(LanguageCase{"ChineseByDefault", {}, "INFO:完成第1页的数据转换\n"},
                    LanguageCase{"EnglishFromLang", {{"LANG", "en_US.UTF-8"}}, "INFO:Finished page 1 data transformation\n"},
                    LanguageCase{"AppleLanguageBeforeLang", {{"APPLE_LANGUAGE", "en"}, {"LANG", "zh_CN.UTF-8"}},
                                 "INFO: Finish sending all job data.And waiting for printer to finish the job.\n"},
                    LanguageCase{"OtherLanguagesWriteNone", {{"LANG", "fr_FR.UTF-8"}}, nullptr}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(Robustness, PageFileThatCannotBeWrittenFailsTheJobAndNoCopiesFollow) {
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  command.copies = "3";
  command.fileSizeLimit = 4096;  // the white page fits, the noise page does not
  const Printed p = print(command, {fixture::uniformPage(64, 64, 255), noisePage(256, 256), fixture::uniformPage(8, 8, 0)});
  EXPECT_EQ(p.run.exitCode, 1);
  EXPECT_NE(p.run.err.find("ERROR: cannot write page file "), std::string::npos) << p.run.err;
  EXPECT_EQ(p.job.pages.size(), 1U);  // page 1, once: no page 2, no copies
  EXPECT_TRUE(p.job.ended);
  EXPECT_TRUE(tmp.entries().empty());
}

TEST(Robustness, ClosedOutputFailsTheJobInsteadOfKillingIt) {
  fixture::TempDir tmp;
  fixture::FilterProcess process(queueCommand(tmp), /*closeOutput=*/true);
  process.write(fixture::rasterBytes({fixture::uniformPage(8, 2, 0)}));
  const auto result = process.finish();
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("ERROR: cannot write the job stream: Broken pipe"), std::string::npos) << result.err;
  EXPECT_EQ(count(result.err, "ERROR:"), 1U);
  EXPECT_TRUE(tmp.entries().empty());
}

TEST(Robustness, UnusableTmpdirFailsBeforeTheStreamStarts) {
  fixture::TempDir tmp;
  auto command = queueCommand(tmp);
  command.env["TMPDIR"] = tmp.str() + "/missing";
  const auto result = fixture::runFilter(command, fixture::rasterBytes({fixture::uniformPage(8, 2, 0)}));
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("ERROR: cannot make a page folder in " + tmp.str() + "/missing"), std::string::npos);
}

TEST(Robustness, PageFolderIsPrivateWhileTheJobRuns) {
  fixture::TempDir tmp;
  fixture::FilterProcess process(queueCommand(tmp));
  process.write(fixture::rasterBytes({fixture::uniformPage(8, 2, 0)}));
  ASSERT_TRUE(process.waitForOutput("Event=EndOfPage;"));
  // The job waits for its next page: its folder exists, only its owner may enter.
  const auto entries = tmp.entries();
  ASSERT_EQ(entries.size(), 1U);
  struct stat info {};
  ASSERT_EQ(stat((tmp.str() + "/" + entries[0]).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700U);
  EXPECT_TRUE(std::filesystem::exists(tmp.str() + "/" + entries[0] + "/jbig-0001"));
  const auto result = process.finish();
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_TRUE(tmp.entries().empty());
}

TEST(Robustness, EmptyInputIsAJobWithoutPages) {
  fixture::TempDir tmp;
  const Printed p = print(queueCommand(tmp), std::string());
  EXPECT_EQ(p.run.exitCode, 0);
  EXPECT_TRUE(p.job.started);
  EXPECT_TRUE(p.job.ended);
  EXPECT_TRUE(p.job.pages.empty());
}

}  // namespace
}  // namespace printfilter_test
