#pragma once

#include <string>

namespace printfilter {

enum class MediaType { Plain = 0, Thick = 1, Thin = 2, Card = 3, Envelope = 4 };

enum class InputSlot { Auto = 0, MpTray = 1, Tray1 = 2, Tray2 = 3, Tray3 = 4 };

// The numbers are the ones the job stream's sender switches on.
enum class Sides { OneSided = 0, ShortEdge = 1 /* DuplexTumble */, LongEdge = 2 /* DuplexNoTumble */ };

// What the job's options (PPD marking) decide.
struct JobOptions {
  MediaType mediaType = MediaType::Plain;
  std::string pageSize = "A4";
  InputSlot inputSlot = InputSlot::Auto;
  Sides sides = Sides::OneSided;
  bool collate = true;
  double scale = 1.0;
  int darkness = 0;  // 0 off (4x4 matrix), 1 lightest .. 5 darkest
};

}  // namespace printfilter
