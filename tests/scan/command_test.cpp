// The scan commands byte for byte, the gamma table and the command log lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "scan/conversation/scan_command.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

scan::ScanParam exampleParam() {
  scan::ScanParam p;
  p.source = "ADF";
  p.resolution = "300,300";
  p.mode = "GRAY256";
  p.type = "AUTO";
  p.compression = "JPEG";
  p.compressRatio = "MID";
  p.brightness = "50";
  p.contrast = "50";
  p.w = 2432;
  p.h = 3441;
  p.duplex = "SIN";
  p.gamma = 1;
  p.combineType = "NoCombine";
  return p;
}

const std::string kExampleX =
    "\x1bX\nR=300,300\nM=GRAY256\nT=AUTO\nC=JPEG\nJ=MID\nB=50\nN=50\nA=0,0,2432,3441\nD=SIN\nIDCard=0\n";

struct CommandCase {
  const char* name;
  std::function<void(scan::ScanParam&)> change;
  std::function<Bytes(const scan::ScanCommand&)> build;
  Bytes expected;
};

class CommandBytes : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandBytes, AreExactlyTheDeviceBytes) {
  scan::ScanParam param = exampleParam();
  GetParam().change(param);
  const scan::ScanCommand command(param);
  EXPECT_EQ(GetParam().build(command), GetParam().expected);
}

std::string withGamma(const std::string& text, const Bytes& table) {
  std::string bytes = text + "GAMA=";
  bytes.append(table.begin(), table.end());
  return bytes + '\x80';
}

Bytes identityTable() {
  Bytes table(256);
  for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  return table;
}

const auto D = [](const scan::ScanCommand& c) { return c.getDCommand(); };
const auto S = [](const scan::ScanCommand& c) { return c.getSCommand(); };
const auto I = [](const scan::ScanCommand& c) { return c.getICommand(); };
const auto X = [](const scan::ScanCommand& c) { return c.getXCommand(); };
const auto same = [](scan::ScanParam&) {};

INSTANTIATE_TEST_SUITE_P(
    Table, CommandBytes,
    ::testing::Values(
        CommandCase{"D_ADF_is_9_bytes", same, D, {0x1B, 0x44, 0x0A, 0x41, 0x44, 0x46, 0x0A, 0xC2, 0x80}},
        CommandCase{"S_FB", [](auto& p) { p.source = "FB"; }, S, {0x1B, 0x53, 0x0A, 0x46, 0x42, 0x0A, 0xC2, 0x80}},
        CommandCase{"D_copies_an_unknown_source", [](auto& p) { p.source = "Tray 9"; }, D,
                    bytesOf("\x1b" "D\nTray 9\n\xc2\x80")},
        CommandCase{"I_300dpi_GRAY256_is_31_bytes", same, I,
                    bytesOf("\x1bI\nR=300,300\nM=GRAY256\nD=SIN\n\xc2\x80")},
        CommandCase{"X_default_ends_with_LF", same, X, bytesOf(kExampleX)},
        CommandCase{"X_IDCard_halves_an_odd_height", [](auto& p) { p.combineType = "IDCard"; }, X,
                    bytesOf("\x1bX\nR=300,300\nM=GRAY256\nT=AUTO\nC=JPEG\nJ=MID\nB=50\nN=50\n"
                            "A=0,0,2432,1720\nD=SIN\nPages=2\nIDCard=1\n")},
        CommandCase{"X_CombinHorizontal_two_pages_no_IDCard", [](auto& p) { p.combineType = "CombinHorizontal"; }, X,
                    bytesOf("\x1bX\nR=300,300\nM=GRAY256\nT=AUTO\nC=JPEG\nJ=MID\nB=50\nN=50\n"
                            "A=0,0,2432,3441\nD=SIN\nPages=2\nIDCard=0\n")},
        CommandCase{"X_negative_and_large_numbers_in_decimal",
                    [](auto& p) { p.mode = "CGRAY"; p.x = -3; p.y = 12; p.w = 9728; p.h = 13764; }, X,
                    bytesOf("\x1bX\nR=300,300\nM=CGRAY\nT=AUTO\nC=JPEG\nJ=MID\nB=50\nN=50\n"
                            "A=-3,12,9728,13764\nD=SIN\nIDCard=0\n")},
        CommandCase{"X_TEXT_gamma_1_adds_GAMA_identity_and_0x80",
                    [](auto& p) { p.mode = "TEXT"; p.compression = "BMP"; }, X,
                    bytesOf(withGamma("\x1bX\nR=300,300\nM=TEXT\nT=AUTO\nC=BMP\nJ=MID\nB=50\nN=50\n"
                                      "A=0,0,2432,3441\nD=SIN\nIDCard=0\n",
                                      identityTable()))}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CommandBytes, TextModeXCommandIsItsTextPartPlus262Bytes) {
  scan::ScanParam param = exampleParam();
  const std::size_t textPart = scan::ScanCommand(param).getXCommand().size();
  param.mode = "TEXT";
  const Bytes x = scan::ScanCommand(param).getXCommand();
  EXPECT_EQ(x.size(), textPart - std::string("GRAY256").size() + std::string("TEXT").size() + 262);
  EXPECT_EQ(x.back(), 0x80);
}

TEST(CommandBytes, SourceCommandsSeeTheSourceTheRunRewrote) {
  scan::ScanCommand command(exampleParam());
  command.param.source = "AUTO";
  EXPECT_EQ(command.getDCommand(), bytesOf("\x1b" "D\nAUTO\n\xc2\x80"));
  command.param.source = "FB";
  EXPECT_EQ(command.getSCommand(), bytesOf("\x1bS\nFB\n\xc2\x80"));
}

TEST(GammaTable, GammaTwoIsTheTruncatedSquareRootCurve) {
  const auto table = scan::gammaTable(2);
  EXPECT_EQ((Bytes{table.begin(), table.begin() + 6}), (Bytes{0, 15, 22, 27, 31, 35}));
  EXPECT_EQ(table[64], 127);
  EXPECT_EQ(table[255], 255);
}

TEST(GammaTable, GammaOfZeroOrBelowIsTakenAsOne) {
  for (const std::int64_t gamma : {0LL, -1LL, -1000000LL}) {
    const auto table = scan::gammaTable(gamma);
    EXPECT_EQ(Bytes(table.begin(), table.end()), identityTable()) << "gamma " << gamma;
  }
}

TEST(GammaTable, EveryEntryStaysInRangeForExtremeGammas) {
  for (const std::int64_t gamma : {3LL, 255LL, 1LL << 62}) {
    const auto table = scan::gammaTable(gamma);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[255], 255);
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end())) << "gamma " << gamma;
  }
}

TEST(CommandLog, DLogsTheSourceAndXItsTextPart) {
  scan::ScanParam param = exampleParam();
  param.mode = "TEXT";
  const scan::ScanCommand command(param);
  ::testing::internal::CaptureStdout();
  command.getDCommand();
  command.getSCommand();
  command.getXCommand();
  const std::string log = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(log, "selected source = ADF\ncmd = \x1bX\nR=300,300\nM=TEXT\nT=AUTO\nC=JPEG\nJ=MID\n"
                 "B=50\nN=50\nA=0,0,2432,3441\nD=SIN\nIDCard=0\n\n");
}

}  // namespace
