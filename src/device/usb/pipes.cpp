#include "device/usb/pipes.h"

#include "device/common/log.h"

namespace device::usb {

PipeProperties pipePropertiesFromEndpoint(std::uint8_t address, std::uint8_t attributes,
                                          std::uint16_t maxPacketSize, std::uint8_t interval) {
  PipeProperties properties;
  properties.direction = (address & 0x80u) != 0 ? 1 : 0;
  properties.number = static_cast<std::uint8_t>(address & 0x0Fu);
  properties.transferType = static_cast<std::uint8_t>(attributes & 0x03u);
  properties.maxPacketSize = maxPacketSize;
  properties.interval = interval;
  return properties;
}

std::string_view directionName(std::uint8_t direction) {
  switch (direction) {
    case 0: return "out";
    case 1: return "in";
    case 2: return "none";
    case 3: return "any";
    default: return "???";
  }
}

std::string_view transferTypeName(std::uint8_t transferType) {
  switch (transferType) {
    case 0: return "control";
    case 1: return "isoc";
    case 2: return "bulk";
    case 3: return "interrupt";
    case 0xFF: return "any";
    default: return "???";
  }
}

std::vector<std::string> pipePropertyLines(int pipe, const PipeProperties& p) {
  const std::string number = std::to_string(pipe);
  return {
      "endpointnum = " + number + ",direction = " + std::to_string(p.direction) +
          ",number = " + std::to_string(p.number) + ",transType=" + std::to_string(p.transferType) +
          ",maxsize=" + std::to_string(p.maxPacketSize) + ",interval=" + std::to_string(p.interval),
      "endpoint" + number + " direction: " + std::string(directionName(p.direction)) + ", ",
      "endpoint" + number + " type is: " + std::string(transferTypeName(p.transferType)) + ", ",
  };
}

PipeMap buildPipeMap(std::size_t endpointCount,
                     const std::function<std::optional<PipeProperties>(int pipe)>& properties) {
  logLine("endpoints = " + std::to_string(endpointCount) + " and get no res = 0");
  PipeMap pipes;
  for (int pipe = 1; pipe <= 2; ++pipe) {
    const auto found = properties(pipe);
    if (!found) {
      logLine("Could not get properties for pipe " + std::to_string(pipe));
      continue;
    }
    for (const auto& line : pipePropertyLines(pipe, *found)) {
      logLine(line);
    }
    if (found->direction == 0) {
      pipes[std::string(kWritePipe)] = pipe;
    } else if (found->direction == 1) {
      pipes[std::string(kReadPipe)] = pipe;
    }
  }
  return pipes;
}

}  // namespace device::usb
