#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "stdout_capture.h"
#include "device/usb/pipes.h"

namespace {

using namespace device::usb;

PipeProperties bulk(bool in, std::uint8_t number) {
  return pipePropertiesFromEndpoint(static_cast<std::uint8_t>((in ? 0x80 : 0x00) | number), 0x02, 512, 0);
}

struct MapCase {
  const char* name;
  std::vector<std::optional<PipeProperties>> pipes;  // pipes 1, 2, 3, ...
  PipeMap expected;
};

class PipeMapFromPipesOneAndTwo : public ::testing::TestWithParam<MapCase> {};

TEST_P(PipeMapFromPipesOneAndTwo, MapsByDirection) {
  const auto& pipes = GetParam().pipes;
  StdoutCapture capture;
  const PipeMap map = buildPipeMap(pipes.size(), [&](int pipe) -> std::optional<PipeProperties> {
    const auto index = static_cast<std::size_t>(pipe - 1);
    return index < pipes.size() ? pipes[index] : std::nullopt;
  });
  EXPECT_EQ(map, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PipeMapFromPipesOneAndTwo,
    ::testing::Values(
        MapCase{"OutThenIn", {bulk(false, 1), bulk(true, 2)}, {{"writePipe", 1}, {"readPipe", 2}}},
        MapCase{"InThenOut", {bulk(true, 1), bulk(false, 2)}, {{"readPipe", 1}, {"writePipe", 2}}},
        MapCase{"BothInPipeTwoWins", {bulk(true, 1), bulk(true, 2)}, {{"readPipe", 2}}},
        MapCase{"OutOnPipeThreeIsNotLookedAt", {bulk(true, 1), bulk(true, 2), bulk(false, 3)}, {{"readPipe", 2}}},
        MapCase{"UnreadablePipeSkipped", {std::nullopt, bulk(true, 2)}, {{"readPipe", 2}}},
        MapCase{"NoPipes", {}, {}}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST(PipeMapLog, NamesEachPipesPropertiesOrItsFailure) {
  StdoutCapture capture;
  buildPipeMap(1, [](int pipe) -> std::optional<PipeProperties> {
    if (pipe == 1) return bulk(false, 1);
    return std::nullopt;
  });
  EXPECT_EQ(capture.lines(), (std::vector<std::string>{
                                 "endpoints = 1 and get no res = 0",
                                 "endpointnum = 1,direction = 0,number = 1,transType=2,maxsize=512,interval=0",
                                 "endpoint1 direction: out, ",
                                 "endpoint1 type is: bulk, ",
                                 "Could not get properties for pipe 2",
                             }));
}

TEST(PipeProperties, ComeFromTheEndpointDescriptor) {
  const auto in = pipePropertiesFromEndpoint(0x82, 0x03, 64, 10);
  EXPECT_EQ(in.direction, 1);
  EXPECT_EQ(in.number, 2);
  EXPECT_EQ(in.transferType, 3);
  EXPECT_EQ(in.maxPacketSize, 64);
  EXPECT_EQ(in.interval, 10);
}

TEST(PipeNames, CoverEveryValue) {
  EXPECT_EQ(directionName(0), "out");
  EXPECT_EQ(directionName(1), "in");
  EXPECT_EQ(directionName(2), "none");
  EXPECT_EQ(directionName(3), "any");
  EXPECT_EQ(directionName(4), "???");
  EXPECT_EQ(transferTypeName(0), "control");
  EXPECT_EQ(transferTypeName(1), "isoc");
  EXPECT_EQ(transferTypeName(2), "bulk");
  EXPECT_EQ(transferTypeName(3), "interrupt");
  EXPECT_EQ(transferTypeName(0xFF), "any");
  EXPECT_EQ(transferTypeName(4), "???");
}

}  // namespace
