#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

#include "printfilter/job_settings.h"

namespace printfilter {

// The longest job title (in bytes) that goes into the job header.
inline constexpr std::size_t kMaxFieldValueBytes = 255;

// A value fit to stand between "=" and ";": ";", "=" and control characters
// would end the field or start another, so they become "_"; the value is cut
// to `maxBytes` without splitting a UTF-8 sequence. Everything else, "%"
// included, goes through as it is.
std::string fieldValue(std::string_view text, std::size_t maxBytes = kMaxFieldValueBytes);

// Width as the page header carries it: rounded up to a multiple of 8.
unsigned roundedWidth(unsigned width);

std::string mediaTypeField(MediaType type);
std::string sidesField(Sides sides);
std::string mediaSizeField(std::string_view pageSize);
// Empty for the trays the printer picks by itself (TRAY2, TRAY3).
std::string inputTrayField(InputSlot slot);

struct JobHeaderValues {
  std::string title;       // already a field value
  std::string copies;      // already a field value
  MediaType mediaType = MediaType::Plain;
  Sides sides = Sides::OneSided;
};

// "JobName=...;JobTime=...\n;SysVersion=MAC;Resolution=600x600;MediaType=...;Sides=...;Copies=...;"
std::string jobHeader(const JobHeaderValues& values, std::time_t now);

// "MediaSize=...;Origin.Top=+50;Origin.Left=+50;RasterObject.Width=...;RasterObject.Height=...;[MediaInputTrayCheck=...;]"
std::string pageHeader(std::string_view pageSize, unsigned width, unsigned height, InputSlot slot);

// "RasterObject.Data#N=" that opens a data record of N bytes (closed by ";").
std::string dataRecordKey(std::size_t bytes);

}  // namespace printfilter
