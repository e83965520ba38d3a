#pragma once
// What the scanner's one-byte replies to the paper-source check (D command)
// and to the S command mean for the scan; the same over the network and USB.

#include <cstdint>
#include <string>

#include "scan/result.h"

namespace scan {

struct PaperSourceVerdict {
  ResultPair result;
  // The source the scan goes on with: "AUTO" settles on the feeder when it
  // holds paper, on the flatbed when it does not; any other stays.
  std::string source;
};

PaperSourceVerdict paperSourceVerdict(std::uint8_t reply, const std::string& source);
ResultPair sCommandVerdict(std::uint8_t reply);

}  // namespace scan
