#include "printfilter/fields.h"

#include <array>
#include <utility>

namespace printfilter {

std::string fieldValue(std::string_view text, std::size_t maxBytes) {
  std::size_t length = text.size();
  if (length > maxBytes) {
    length = maxBytes;
    // Back off to the start of the UTF-8 sequence the cut falls into.
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0U) == 0x80U) --length;
  }
  std::string value(text.substr(0, length));
  for (char& c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == ';' || c == '=' || byte < 0x20U || byte == 0x7FU) c = '_';
  }
  return value;
}

unsigned roundedWidth(unsigned width) { return (width + 7U) / 8U * 8U; }

std::string mediaTypeField(MediaType type) {
  switch (type) {
    case MediaType::Thick: return "MediaType=thick;";
    case MediaType::Thin: return "MediaType=thin;";
    case MediaType::Card: return "MediaType=card;";
    case MediaType::Envelope: return "MediaType=envelope;";
    case MediaType::Plain: break;
  }
  return "MediaType=plain;";
}

std::string sidesField(Sides sides) {
  switch (sides) {
    case Sides::OneSided: return "Sides=OneSided;";
    case Sides::ShortEdge: return "Sides=TwoSidedShortEdge;";
    case Sides::LongEdge: break;
  }
  return "Sides=TwoSidedLongEdge;";
}

std::string mediaSizeField(std::string_view pageSize) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 10> sizes{{
      {"A4", "MediaSize=na_a4_210x297mm;"},
      {"A5", "MediaSize=na_a5_148x210mm;"},
      {"A6", "MediaSize=na_a6_105x148mm;"},
      {"B5", "MediaSize=na_b5_182x257mm;"},
      {"B6", "MediaSize=na_b6_128x182mm;"},
      {"16K", "MediaSize=na_16k_195x270mm;"},
      {"Custom.595.28x841.89", "MediaSize=na_16k_195x270mm;"},
      {"32K", "MediaSize=na_32k_135x195mm;"},
      {"Letter", "MediaSize=na_LETTER_216x279mm;"},
      {"85x170mm", "MediaSize=na_bank_85x170mm;"},
  }};
  for (const auto& [name, field] : sizes)
    if (name == pageSize) return std::string(field);
  return "MediaSize=na_a4_210x297mm;";
}

std::string inputTrayField(InputSlot slot) {
  switch (slot) {
    case InputSlot::Auto: return "MediaInputTrayCheck=auto;";
    case InputSlot::MpTray: return "MediaInputTrayCheck=manual;";
    case InputSlot::Tray1: return "MediaInputTrayCheck=cassette;";
    case InputSlot::Tray2:
    case InputSlot::Tray3: break;
  }
  return "";
}

std::string jobHeader(const JobHeaderValues& values, std::time_t now) {
  char when[32] = {};
  ctime_r(&now, when);  // 24 characters and a line feed, which stays in the field
  std::string header;
  header += "JobName=" + values.title + ";";
  header += std::string("JobTime=") + when + ";";
  header += "SysVersion=MAC;";
  header += "Resolution=600x600;";
  header += mediaTypeField(values.mediaType);
  header += sidesField(values.sides);
  header += "Copies=" + values.copies + ";";
  return header;
}

std::string pageHeader(std::string_view pageSize, unsigned width, unsigned height, InputSlot slot) {
  std::string header = mediaSizeField(pageSize);
  header += "Origin.Top=+50;";
  header += "Origin.Left=+50;";
  header += "RasterObject.Width=" + std::to_string(roundedWidth(width)) + ";";
  header += "RasterObject.Height=" + std::to_string(height) + ";";
  header += inputTrayField(slot);
  return header;
}

std::string dataRecordKey(std::size_t bytes) { return "RasterObject.Data#" + std::to_string(bytes) + "="; }

}  // namespace printfilter
