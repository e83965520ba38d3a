#include "printfilter/options.h"

#include <array>
#include <utility>

namespace printfilter {

namespace {

template <typename T, std::size_t N>
std::optional<T> lookup(const std::array<std::pair<std::string_view, T>, N>& table, std::string_view choice) {
  for (const auto& [name, value] : table)
    if (name == choice) return value;
  return std::nullopt;
}

}  // namespace

std::optional<MediaType> mediaTypeOfChoice(std::string_view choice) {
  static constexpr std::array<std::pair<std::string_view, MediaType>, 5> table{{
      {"Plain", MediaType::Plain},
      {"Thick", MediaType::Thick},
      {"Thin", MediaType::Thin},
      {"Card", MediaType::Card},
      {"Envelope", MediaType::Envelope},
  }};
  return lookup(table, choice);
}

std::optional<InputSlot> inputSlotOfChoice(std::string_view choice) {
  static constexpr std::array<std::pair<std::string_view, InputSlot>, 5> table{{
      {"AUTO", InputSlot::Auto},
      {"MPTRAY", InputSlot::MpTray},
      {"TRAY1", InputSlot::Tray1},
      {"TRAY2", InputSlot::Tray2},
      {"TRAY3", InputSlot::Tray3},
  }};
  return lookup(table, choice);
}

Sides sidesOfChoice(std::string_view choice) {
  if (choice == "DuplexTumble") return Sides::ShortEdge;
  if (choice == "DuplexNoTumble") return Sides::LongEdge;
  return Sides::OneSided;
}

bool collateOfChoice(std::string_view choice) { return choice != "False"; }

std::optional<double> scaleOfChoice(std::string_view choice) {
  static constexpr std::array<std::pair<std::string_view, double>, 8> table{{
      {"25%", 0.25},
      {"50%", 0.5},
      {"80%", 0.8},
      {"90%", 0.9},
      {"100%", 1.0},
      {"110%", 1.1},
      {"120%", 1.2},
      {"150%", 1.5},
  }};
  return lookup(table, choice);
}

std::optional<int> darknessOfChoice(std::string_view choice) {
  static constexpr std::array<std::pair<std::string_view, int>, 6> table{{
      {"darkness0", 0},
      {"darkness1", 1},
      {"darkness2", 2},
      {"darkness3", 3},
      {"darkness4", 4},
      {"darkness5", 5},
  }};
  return lookup(table, choice);
}

JobOptions readJobOptions(const PpdMarks& marks, Log& log) {
  JobOptions job;

  if (const char* choice = marks.choice("MediaType")) {
    const auto type = mediaTypeOfChoice(choice);
    if (!type) log.line("DEBUG:[KTR6620LXV]media_type =%s\n", choice);
    job.mediaType = type.value_or(MediaType::Plain);
    log.line("DEBUG:[KTR6620LXV]media_type=%s\n", choice);
  } else {
    log.line("DEBUG:[KTR6620LXV]media_type=##\n");
  }

  if (const char* choice = marks.choice("PageSize")) {
    job.pageSize = choice;
    log.line("DEBUG:[KTR6620LXV]pageSize =%s\n", choice);
  } else {
    log.line("DEBUG:[KTR6620LXV]pageSize =NULL, use A4\n");
  }

  if (const char* choice = marks.choice("InputSlot")) {
    log.line("DEBUG:[KTR6620LXV]InputSlot =%s\n", choice);
    const auto slot = inputSlotOfChoice(choice);
    if (!slot) log.line("DEBUG:[KTR6620LXV]InputSlot =%s\n", choice);
    job.inputSlot = slot.value_or(InputSlot::Auto);
    log.line("DEBUG:[KTR6620LXV]isInputSlot =%d\n", static_cast<int>(job.inputSlot));
  } else {
    log.line("DEBUG:[KTR6620LXV]InputSlot =NULL\n");
  }

  if (const char* choice = marks.choice("Duplex")) {
    log.line("DEBUG:[KTR6620LXV]Duplex =%s\n", choice);
    job.sides = sidesOfChoice(choice);
  } else {
    log.line("DEBUG:[KTR6620LXV]Duplex =NULL\n");
  }

  if (const char* choice = marks.choice("Collate")) {
    log.line("DEBUG:[KTR6620LXV]collateChoice =%s\n", choice);
    job.collate = collateOfChoice(choice);
  } else {
    log.line("DEBUG:[KTR6620LXV]collateChoice = NULL\n");
  }
  log.line("DEBUG:[KTR6620LXV]collate =%d\n", job.collate ? 1 : 0);

  if (const char* choice = marks.choice("QUORScale")) {
    job.scale = scaleOfChoice(choice).value_or(1.0);
    log.line("DEBUG:[KTR6620LXV]QUORScale: =%s and ratio = %f\n", choice, job.scale);
  }

  if (const char* choice = marks.choice("GammaDarkness")) {
    log.line("DEBUG:[KTR6620LXV]imageDarkness choice = %s\n", choice);
    job.darkness = darknessOfChoice(choice).value_or(0);
  }
  log.line("DEBUG:[KTR6620LXV]imageDarkness=%d, 0 = off ,1->5 = ligth->dark\n", job.darkness);
  return job;
}

}  // namespace printfilter
