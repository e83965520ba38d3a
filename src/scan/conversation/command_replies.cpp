#include "scan/conversation/command_replies.h"

#include "scan/message_keys.h"

namespace scan {
namespace {

constexpr std::uint8_t kReplyOk = 0x80;
constexpr std::uint8_t kReplyNoPaper = 0xC2;
constexpr std::uint8_t kReplyNoSource = 0xD0;
constexpr std::uint8_t kReplyCannotCheck = 0xC4;

}  // namespace

PaperSourceVerdict paperSourceVerdict(std::uint8_t reply, const std::string& source) {
  switch (reply) {
    case kReplyOk:
      return {{true, keys::kOk}, source == "AUTO" ? "ADF" : source};
    case kReplyNoPaper:
      if (source == "AUTO") return {{true, keys::kOk}, "FB"};
      return {{false, keys::kNoPaperInADF}, source};
    case kReplyNoSource:
      return {{false, keys::kPaperSourceNotExist}, source};
    case kReplyCannotCheck:
      return {{false, keys::kCannotChekPaperSource}, source};
    default:
      return {{false, keys::kUnexpectError}, source};
  }
}

ResultPair sCommandVerdict(std::uint8_t reply) {
  if (reply == kReplyOk) return {true, keys::kOk};
  if (reply == kReplyNoSource) return {false, keys::kPaperSourceNotExist};
  return {false, keys::kUnexpectError};
}

}  // namespace scan
