#pragma once

#include <optional>
#include <string_view>

#include "printfilter/job_settings.h"
#include "printfilter/log.h"
#include "printfilter/ppd_marks.h"

namespace printfilter {

// Choice names of the queue's PPD options and what each becomes; nullopt for
// a name the option does not know (callers then take the option's fallback).
std::optional<MediaType> mediaTypeOfChoice(std::string_view choice);
std::optional<InputSlot> inputSlotOfChoice(std::string_view choice);
Sides sidesOfChoice(std::string_view choice);
bool collateOfChoice(std::string_view choice);
std::optional<double> scaleOfChoice(std::string_view choice);
std::optional<int> darknessOfChoice(std::string_view choice);

// Reads the seven options from the marked PPD, logging each as it is read;
// an option the PPD does not mark keeps its default.
JobOptions readJobOptions(const PpdMarks& marks, Log& log);

}  // namespace printfilter
