// The darkness choices of the queue's PPD, as a print dialog lists them,
// printed on a grey wedge through the real filter: each prints what its label
// says.

#include <algorithm>
#include <fstream>
#include <regex>
#include <utility>

#include "program_common.h"

namespace printfilter_test {
namespace {

struct Choice {
  std::string name;
  std::string label;
};

struct DarknessOption {
  std::vector<Choice> choices;  // in the order of the PPD, which dialogs keep
  std::string defaultChoice;
};

DarknessOption darknessOption() {
  DarknessOption option;
  std::ifstream ppd(PRINTFILTER_PPD);
  const std::regex choiceLine(R"(^\*GammaDarkness ([^/:]+)/([^:]*):)");
  const std::regex defaultLine(R"(^\*DefaultGammaDarkness: *(\S+))");
  std::smatch m;
  for (std::string line; std::getline(ppd, line);) {
    if (std::regex_search(line, m, choiceLine)) option.choices.push_back({m[1], m[2]});
    if (std::regex_search(line, m, defaultLine)) option.defaultChoice = m[1];
  }
  return option;
}

// Seventeen bands of grey from black to white, each a whole 128x128 tile of
// either screen, so every threshold is met at every level: 50% ink.
constexpr unsigned kBand = 128, kBands = 17;
const fixture::GreyPage kWedge = fixture::drawnPage(kBand, kBand * kBands, [](unsigned, unsigned y) {
  return static_cast<std::uint8_t>(y / kBand * 255 / (kBands - 1));
});

double coverage(const jobstream::Bitmap& page, std::size_t top, std::size_t rows) {
  std::size_t black = 0;
  for (std::size_t y = top; y < top + rows; ++y)
    for (std::size_t x = 0; x < page.width; ++x)
      if (page.black(x, y)) ++black;
  return 100.0 * static_cast<double>(black) / static_cast<double>(page.width * rows);
}

// Whether a band of the page repeats every `period` pixels across.
bool repeatsAcross(const jobstream::Bitmap& page, std::size_t top, std::size_t rows, std::size_t period) {
  for (std::size_t y = top; y < top + rows; ++y)
    for (std::size_t x = 0; x + period < page.width; ++x)
      if (page.black(x, y) != page.black(x + period, y)) return false;
  return true;
}

// How light a label says its choice prints: 0 lightest .. 4 the page's own tone.
int promisedTone(const std::string& label) {
  for (const auto& [word, tone] : std::vector<std::pair<std::string, int>>{
           {"Lightest", 0}, {"Lighter", 1}, {"Slightly Light", 3}, {"Light", 2}, {"Normal", 4}})
    if (label.rfind(word, 0) == 0) return tone;
  return -1;
}

constexpr double kWedgeInk = 50.0;
constexpr int kNormal = 4;

TEST(Darkness, EachChoicePrintsWhatItsLabelSays) {
  const DarknessOption option = darknessOption();
  ASSERT_EQ(option.choices.size(), 6U);
  fixture::TempDir tmp;
  const std::size_t midBand = kBands / 2 * kBand;  // grey 127
  int previousTone = -1;
  double previousInk = 0;
  for (const Choice& choice : option.choices) {
    SCOPED_TRACE(choice.name + " \"" + choice.label + "\"");
    const int tone = promisedTone(choice.label);
    ASSERT_GE(tone, 0) << "the label names no tone";
    const Printed p = print(queueCommand(tmp, "GammaDarkness=" + choice.name), {kWedge});
    ASSERT_EQ(p.pages.size(), 1U);
    const double ink = coverage(p.pages[0], 0, p.pages[0].height);
    if (tone == kNormal) {
      EXPECT_NEAR(ink, kWedgeInk, 1.0);
    } else {
      EXPECT_LT(ink, kWedgeInk - 4.0);
    }
    // Listed from lightest to darkest: each lighter tone clearly lighter
    // than the next, the two normal tones alike.
    EXPECT_GE(tone, previousTone) << "listed out of order";
    if (tone > previousTone && previousTone >= 0) {
      EXPECT_GT(ink, previousInk + 2.0);
    }
    if (tone == previousTone) {
      EXPECT_NEAR(ink, previousInk, 1.0);
    }
    if (choice.label.find("Fine Screen") != std::string::npos) {
      EXPECT_TRUE(repeatsAcross(p.pages[0], midBand, kBand, 4));
    }
    if (choice.label.find("Coarse Screen") != std::string::npos) {
      EXPECT_FALSE(repeatsAcross(p.pages[0], midBand, kBand, 4));
      EXPECT_TRUE(repeatsAcross(p.pages[0], midBand, kBand, 128));
    }
    previousTone = tone;
    previousInk = ink;
  }
  EXPECT_EQ(previousTone, kNormal);
}

TEST(Darkness, DefaultIsTheNormalToneOnTheFineScreen) {
  const DarknessOption option = darknessOption();
  const auto chosen = std::find_if(option.choices.begin(), option.choices.end(),
                                   [&](const Choice& c) { return c.name == option.defaultChoice; });
  ASSERT_NE(chosen, option.choices.end()) << option.defaultChoice;
  EXPECT_EQ(chosen->label, "Normal, Fine Screen");
  // And it is what a job without the option gets.
  fixture::TempDir tmp;
  const Printed withDefault = print(queueCommand(tmp, "GammaDarkness=" + option.defaultChoice), {kWedge});
  const Printed without = print(queueCommand(tmp), {kWedge});
  ASSERT_EQ(without.pages.size(), 1U);
  EXPECT_EQ(fixture::difference(without.pages[0], withDefault.pages.at(0)), "");
}

}  // namespace
}  // namespace printfilter_test
