// The scan engine's fixed tables: status bytes, option lists, supported models
// and the found-scanner record.
#include <gtest/gtest.h>

#include "scanner/picker_options.h"
#include "scan/conversation/scan_status.h"
#include "scan/conversation/scanner_device.h"

namespace {

TEST(ScanStatusTable, HasTheThirteenRowsFromScanFinishedToPushOutPaperFailed) {
  ASSERT_EQ(scan::ScanStatus.size(), 13u);
  EXPECT_EQ(scan::scanStatusKey(0x80), "scanFinished");
  EXPECT_EQ(scan::scanStatusKey(0xC2), "noPaperInADF");
  EXPECT_EQ(scan::scanStatusKey(0xC3), "paperJunck");
  EXPECT_EQ(scan::scanStatusKey(0xD0), "commandXSyntaxError");
  EXPECT_EQ(scan::scanStatusKey(0xE9), "pushOutPaperFailed");
  for (const int unknown : {0x00, 0x7F, 0x81, 0x82, 0xC1, 0xFF}) {
    EXPECT_FALSE(scan::scanStatusKey(unknown).has_value()) << unknown;
  }
}

TEST(ScanStatusTable, AnUnknownByteFailsAsUnexpectErrorWithItsValueLogged) {
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(scan::failureKeyOfStatus(0xC3), "paperJunck");
  EXPECT_EQ(scan::failureKeyOfStatus(0x81), "unexpectError");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "unknown scan status = 129\n");
}

TEST(OptionLists, KeepThePickersOrder) {
  EXPECT_EQ(scan::colorModeOption[2], "TEXT");
  EXPECT_EQ(scan::resolutionOption[3], "1200dpi");
  EXPECT_EQ(scan::combineTypeOption[3], "IDCard");
  EXPECT_EQ(scan::pageSizeOption[2], "B5(JIS)");
  EXPECT_EQ(scan::scanSourceOption[2], "FB");
  EXPECT_EQ(scan::rotateOption[1], 90);
  EXPECT_EQ(scan::typeOption[1], "PHOTO");
}

TEST(OptionLists, AnIndexOutsideTheListGivesTheFirstEntry) {
  EXPECT_EQ(scan::optionAt(scan::colorModeOption, 2), "TEXT");
  for (const std::int64_t index : {std::int64_t{-1}, std::int64_t{3}, std::int64_t{1} << 40, INT64_MIN, INT64_MAX}) {
    EXPECT_EQ(scan::optionAt(scan::colorModeOption, index), "CGRAY") << index;
    EXPECT_EQ(scan::optionAt(scan::rotateOption, index), 0) << index;
  }
}

TEST(SupportedModels, OneRowFromTheDeviceLayersModel) {
  ASSERT_EQ(scan::BRELDevices().size(), 1u);
  const scan::BaseDevice& row = scan::BRELDevices()[0];
  EXPECT_EQ(row.name, "KTR6620LXV");
  EXPECT_EQ(row.oid, "48117.4.7.1.8");
  EXPECT_EQ(row.PID, 52);
  EXPECT_EQ(row.VID, 0x5A3E);
  EXPECT_EQ(scan::BaseDevice("other", "1.2", 7).VID, 0x5A3E);
}

TEST(DeviceRecord, PlaceholderIsEmptyAndEveryRecordHasItsOwnId) {
  const scan::Device placeholder;
  EXPECT_TRUE(placeholder.name.empty() && placeholder.label.empty() && placeholder.type.empty() &&
              placeholder.ip.empty());
  EXPECT_EQ(placeholder.PID, 0);
  EXPECT_EQ(placeholder.VID, 0);
  const scan::Device a("KTR6620LXV", "KTR6620LXV(192.0.2.11)", "Net", "192.0.2.11", 52, 0x5A3E);
  const scan::Device b("KTR6620LXV", "KTR6620LXV(192.0.2.11)", "Net", "192.0.2.11", 52, 0x5A3E);
  EXPECT_NE(a, b);
  EXPECT_EQ(a, a);
  EXPECT_FALSE(a.id.isNull());
  EXPECT_EQ(scan::Device("named").VID, 0x6B19);
}

}  // namespace
