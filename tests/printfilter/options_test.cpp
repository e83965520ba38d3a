#include <cups/cups.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "printfilter/options.h"

namespace printfilter {
namespace {

// Marks `options` on the queue's PPD and reads them as the filter does.
struct Read {
  JobOptions options;
  std::string log;
};

Read readWithPpd(const char* ppdPath, const char* optionText) {
  cups_option_t* options = nullptr;
  const int count = cupsParseOptions(optionText, 0, &options);
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  Log log(out);
  JobOptions job;
  {
    const PpdMarks marks(ppdPath, count, options);
    job = readJobOptions(marks, log);
  }
  std::fclose(out);
  std::string text(buffer, size);
  std::free(buffer);
  cupsFreeOptions(count, options);
  return {job, text};
}

TEST(JobOptionsFromPpd, DefaultsOfTheQueue) {
  const Read r = readWithPpd(PRINTFILTER_PPD, "");
  EXPECT_EQ(r.options.mediaType, MediaType::Plain);
  EXPECT_EQ(r.options.pageSize, "A4");
  EXPECT_EQ(r.options.inputSlot, InputSlot::Auto);
  EXPECT_EQ(r.options.sides, Sides::OneSided);
  EXPECT_TRUE(r.options.collate);
  EXPECT_EQ(r.options.scale, 1.0);
  EXPECT_EQ(r.options.darkness, 0);
  EXPECT_NE(r.log.find("DEBUG:[KTR6620LXV]QUORScale: =100% and ratio = 1.000000\n"), std::string::npos) << r.log;
  EXPECT_NE(r.log.find("DEBUG:[KTR6620LXV]imageDarkness=0, 0 = off ,1->5 = ligth->dark\n"), std::string::npos);
}

TEST(JobOptionsFromPpd, EveryOptionChosen) {
  const Read r = readWithPpd(PRINTFILTER_PPD,
                             "MediaType=Envelope PageSize=85x170mm InputSlot=TRAY3 Duplex=DuplexTumble "
                             "Collate=False QUORScale=25% GammaDarkness=darkness3");
  EXPECT_EQ(r.options.mediaType, MediaType::Envelope);
  EXPECT_EQ(r.options.pageSize, "85x170mm");
  EXPECT_EQ(r.options.inputSlot, InputSlot::Tray3);
  EXPECT_EQ(r.options.sides, Sides::ShortEdge);
  EXPECT_FALSE(r.options.collate);
  EXPECT_EQ(r.options.scale, 0.25);
  EXPECT_EQ(r.options.darkness, 3);
  EXPECT_NE(r.log.find("DEBUG:[KTR6620LXV]isInputSlot =4\n"), std::string::npos) << r.log;
  EXPECT_NE(r.log.find("DEBUG:[KTR6620LXV]collate =0\n"), std::string::npos);
}

TEST(JobOptionsFromPpd, IppAttributesMarkTheSameChoices) {
  // The print service passes IPP's names; libcups maps them onto the PPD.
  const Read r = readWithPpd(PRINTFILTER_PPD,
                             "sides=two-sided-long-edge multiple-document-handling=separate-documents-uncollated-copies");
  EXPECT_EQ(r.options.sides, Sides::LongEdge);
  EXPECT_FALSE(r.options.collate);
}

TEST(JobOptionsFromPpd, WithoutPpdEveryOptionKeepsItsDefault) {
  const Read r = readWithPpd("/nonexistent/queue.ppd", "Duplex=DuplexTumble QUORScale=50%");
  EXPECT_EQ(r.options.sides, Sides::OneSided);
  EXPECT_EQ(r.options.scale, 1.0);
  EXPECT_EQ(r.options.pageSize, "A4");
  EXPECT_TRUE(r.options.collate);
  EXPECT_NE(r.log.find("DEBUG:[KTR6620LXV]media_type=##\n"), std::string::npos) << r.log;
  EXPECT_NE(r.log.find("DEBUG:[KTR6620LXV]InputSlot =NULL\n"), std::string::npos);
  EXPECT_NE(r.log.find("DEBUG:[KTR6620LXV]Duplex =NULL\n"), std::string::npos);
  EXPECT_NE(r.log.find("DEBUG:[KTR6620LXV]collateChoice = NULL\n"), std::string::npos);
  EXPECT_EQ(r.log.find("QUORScale"), std::string::npos);
}

TEST(ChoiceMapping, MediaTypes) {
  EXPECT_EQ(mediaTypeOfChoice("Plain"), MediaType::Plain);
  EXPECT_EQ(mediaTypeOfChoice("Thick"), MediaType::Thick);
  EXPECT_EQ(mediaTypeOfChoice("Thin"), MediaType::Thin);
  EXPECT_EQ(mediaTypeOfChoice("Card"), MediaType::Card);
  EXPECT_EQ(mediaTypeOfChoice("Envelope"), MediaType::Envelope);
  EXPECT_EQ(mediaTypeOfChoice("Transparency"), std::nullopt);
}

TEST(ChoiceMapping, InputSlots) {
  EXPECT_EQ(inputSlotOfChoice("AUTO"), InputSlot::Auto);
  EXPECT_EQ(inputSlotOfChoice("MPTRAY"), InputSlot::MpTray);
  EXPECT_EQ(inputSlotOfChoice("TRAY1"), InputSlot::Tray1);
  EXPECT_EQ(inputSlotOfChoice("TRAY2"), InputSlot::Tray2);
  EXPECT_EQ(inputSlotOfChoice("TRAY3"), InputSlot::Tray3);
  EXPECT_EQ(inputSlotOfChoice("Manual"), std::nullopt);
}

TEST(ChoiceMapping, DuplexAndCollate) {
  EXPECT_EQ(sidesOfChoice("DuplexTumble"), Sides::ShortEdge);
  EXPECT_EQ(sidesOfChoice("DuplexNoTumble"), Sides::LongEdge);
  EXPECT_EQ(sidesOfChoice("None"), Sides::OneSided);
  EXPECT_FALSE(collateOfChoice("False"));
  EXPECT_TRUE(collateOfChoice("True"));
  EXPECT_TRUE(collateOfChoice("anything"));
}

TEST(ChoiceMapping, ScalesAndUnknownScale) {
  const std::pair<const char*, double> scales[] = {{"25%", 0.25}, {"50%", 0.5},  {"80%", 0.8},  {"90%", 0.9},
                                                   {"100%", 1.0}, {"110%", 1.1}, {"120%", 1.2}, {"150%", 1.5}};
  for (const auto& [name, ratio] : scales) EXPECT_EQ(scaleOfChoice(name), ratio) << name;
  EXPECT_EQ(scaleOfChoice("75%"), std::nullopt);
}

TEST(ChoiceMapping, Darkness) {
  for (int level = 0; level <= 5; ++level)
    EXPECT_EQ(darknessOfChoice("darkness" + std::to_string(level)), level);
  EXPECT_EQ(darknessOfChoice("darkness6"), std::nullopt);
}

}  // namespace
}  // namespace printfilter
