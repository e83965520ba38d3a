// The status-code table and its lookup.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "device/usb/stdout_capture.h"
#include "monitor/status_table.h"
#include "monitor_fixture.h"

namespace {

using monitor::decodeStatusInfo;
using monitor::KTR6620LXVStatus;
using monitor::StatusEntry;
using monitor_test::q;

const QString kModel = "KTR6620LXV";
const char* const kRestart = "请重启设备，如果错误还存在，请联系厂家";

TEST(StatusTable, HoldsFiftySevenCodesNineNormalThreeWarnings) {
  const auto& table = KTR6620LXVStatus();
  ASSERT_EQ(table.size(), 57u);
  std::map<int, int> byLevel;
  for (const auto& [code, entry] : table) {
    ++byLevel[entry.level];
    EXPECT_FALSE(entry.message.isEmpty()) << code;
    EXPECT_EQ(entry.level == 1, entry.description.isEmpty()) << code;
  }
  EXPECT_EQ(byLevel, (std::map<int, int>{{1, 9}, {2, 3}, {3, 45}}));
  EXPECT_EQ(table.begin()->first, 1);
  EXPECT_EQ(table.rbegin()->first, 3174);
}

struct Row {
  int code;
  StatusEntry entry;
};

class StatusTableRow : public ::testing::TestWithParam<Row> {};

// The texts that are easy to get wrong: full-width and ASCII commas, the
// hyphen-minus, the two spellings of the jam advice, spaces around "OK".
TEST_P(StatusTableRow, IsByteForByte) {
  const auto& table = KTR6620LXVStatus();
  const auto found = table.find(GetParam().code);
  ASSERT_NE(found, table.end());
  EXPECT_EQ(found->second.level, GetParam().entry.level);
  EXPECT_EQ(found->second.message.toStdString(), GetParam().entry.message.toStdString());
  EXPECT_EQ(found->second.description.toStdString(), GetParam().entry.description.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StatusTableRow,
    ::testing::Values(Row{1, {1, q("就绪"), {}}}, Row{10, {1, q("就绪"), {}}}, Row{2009, {1, q("休眠"), {}}},
                      Row{2017, {2, q("纸量较少"), q("请添加纸张")}},
                      Row{3017, {3, q("取纸卡纸"), q("请打开前盖，取出卡纸")}},
                      Row{3020, {3, q("出纸卡纸"), q("请打开后盖，取出卡纸")}},
                      Row{3030, {2, q("墨粉已不多"), q("请关注粉盒状态")}},
                      Row{3070, {3, q("机芯前部有纸-取纸"), q("机芯前部有纸-取纸")}},
                      Row{3071, {3, q("机芯内部有纸"), q("请打开前盖取出卡纸")}},
                      Row{3074, {3, q("设备过热"), q("设备过热，打印会出现停顿")}},
                      Row{3100, {3, q("纸型与机器纸张设置不匹配"), q("纸型与机器纸张设置不匹配,按 OK 键继续打印")}},
                      Row{3102, {3, q("纸盘无纸"), q("多功能纸盘无纸,按 OK 键继续打印")}},
                      Row{3173, {3, q("激光马达错误"), q("激光马达错误，请重启打印机")}}),
    [](const auto& row) { return std::to_string(row.param.code); });

struct Lookup {
  const char* name;
  int code;
  QString printerName;
  StatusEntry expected;
};

class Decode : public ::testing::TestWithParam<Lookup> {};

TEST_P(Decode, GivesTheTableEntryOnlyForTheSupportedModel) {
  const Lookup& c = GetParam();
  EXPECT_EQ(decodeStatusInfo(c.code, c.printerName), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Decode,
    ::testing::Values(
        Lookup{"Sleep", 2009, kModel, {1, q("休眠"), {}}},
        Lookup{"Warning", 3030, kModel, {2, q("墨粉已不多"), q("请关注粉盒状态")}},
        Lookup{"CodeZero", 0, kModel, {3, q("错误码0"), q(kRestart)}},
        Lookup{"CodeThree", 3, kModel, {3, q("错误码3"), q(kRestart)}},
        Lookup{"CodeNotInTable", 3999, kModel, {3, q("错误码3999"), q(kRestart)}},
        Lookup{"NegativeCode", -5, kModel, {3, q("错误码-5"), q(kRestart)}},
        Lookup{"EmptyName", 1, QString(), {3, q("错误码1"), q(kRestart)}},
        Lookup{"NameThatOnlyStartsWithTheModel", 1, kModel + "X", {3, q("错误码1"), q(kRestart)}},
        Lookup{"OtherModel", 1, "XRV100", {3, q("错误码1"), q(kRestart)}}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(Decode, LogsThePrinterAndTheCode) {
  StdoutCapture capture;
  decodeStatusInfo(3017, kModel);
  EXPECT_EQ(capture.lines(), std::vector<std::string>{"select printer is KTR6620LXV and status code = 3017"});
}

}  // namespace
