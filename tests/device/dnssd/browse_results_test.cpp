// The browser's result set and its lines, without a daemon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/dnssd/browse_results.h"

namespace device::dnssd {
namespace {

constexpr char kResult[] = "browser.browseResultsChangedHandler result: ";

TEST(ServiceText, JoinsNameTypeAndDomainAndKeepsAControlCharacterFromBreakingTheLine) {
  struct Case {
    std::string name;
    std::string expected;
  };
  const std::vector<Case> cases{
      {"Office", "Office._pdl-datastream._tcp.local"},
      {"KTR6620LXV (2nd floor) 打印机", "KTR6620LXV (2nd floor) 打印机._pdl-datastream._tcp.local"},
      {"dots.in.name", "dots.in.name._pdl-datastream._tcp.local"},
      {"two\nlines", "two\\010lines._pdl-datastream._tcp.local"},
      {"back\\slash\x7F", "back\\092slash\\127._pdl-datastream._tcp.local"},
      {std::string("nul\0", 4), "nul\\000._pdl-datastream._tcp.local"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(serviceText(c.name, "_pdl-datastream._tcp", "local"), c.expected);
  }
}

TEST(BrowseResults, ChangesOnlyWhenAServiceComesOrHasGoneEverywhere) {
  BrowseResults results;
  EXPECT_TRUE(results.add("Office", "_pdl-datastream._tcp", "local"));
  // The same service on a second interface or protocol.
  EXPECT_FALSE(results.add("Office", "_pdl-datastream._tcp", "local"));
  EXPECT_TRUE(results.add("Lobby", "_pdl-datastream._tcp", "local"));
  EXPECT_EQ(results.lines(), (std::vector<std::string>{std::string(kResult) + "Lobby._pdl-datastream._tcp.local",
                                                       std::string(kResult) + "Office._pdl-datastream._tcp.local"}));

  EXPECT_FALSE(results.remove("Office", "_pdl-datastream._tcp", "local"));
  EXPECT_EQ(results.lines().size(), 2u) << "still seen on one interface";
  EXPECT_TRUE(results.remove("Office", "_pdl-datastream._tcp", "local"));
  EXPECT_FALSE(results.remove("Office", "_pdl-datastream._tcp", "local")) << "gone already";
  EXPECT_EQ(results.lines(), (std::vector<std::string>{std::string(kResult) + "Lobby._pdl-datastream._tcp.local"}));
}

}  // namespace
}  // namespace device::dnssd
