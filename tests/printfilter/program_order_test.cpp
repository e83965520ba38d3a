// The order in which a job's pages reach the printer: one table for the
// sending plan and for the real program.

#include "printfilter/page_order.h"
#include "program_common.h"

namespace printfilter_test {
namespace {

using printfilter::Sides;

struct OrderCase {
  int pages;
  Sides sides;
  int copies;
  bool collate;
};

// One copy as the printer gets it: one-sided pages in order; two-sided pages
// in sheets, back side first, an odd last page with a blank back (page n+1).
std::vector<int> oneCopy(int pages, Sides sides) {
  if (sides == Sides::OneSided) {
    const std::vector<std::vector<int>> byCount = {{1}, {1, 2}, {1, 2, 3}};
    return byCount[static_cast<std::size_t>(pages - 1)];
  }
  const std::vector<std::vector<int>> byCount = {{2, 1}, {2, 1}, {2, 1, 4, 3}};
  return byCount[static_cast<std::size_t>(pages - 1)];
}

std::vector<int> expectedOrder(const OrderCase& c) {
  std::vector<int> order;
  for (int copy = 1; copy <= (c.collate ? c.copies : 1); ++copy)
    for (int page : oneCopy(c.pages, c.sides)) order.push_back(page);
  return order;
}

std::string caseName(const testing::TestParamInfo<OrderCase>& info) {
  const OrderCase& c = info.param;
  const char* sides = c.sides == Sides::OneSided ? "OneSided" : c.sides == Sides::LongEdge ? "LongEdge" : "ShortEdge";
  return std::to_string(c.pages) + "Pages" + sides + std::to_string(c.copies) + "Copies" +
         (c.collate ? "Collated" : "Uncollated");
}

class PageOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(PageOrder, PlanAndProgramSendPagesInPrinterOrder) {
  const OrderCase& c = GetParam();
  const std::vector<int> expected = expectedOrder(c);
  EXPECT_EQ(printfilter::jobPageOrder(c.pages, c.sides, c.copies, c.collate), expected);

  // Page k is black, 16 wide and 8 + k rows high; a blank side is white.
  std::vector<fixture::GreyPage> pages;
  for (int k = 1; k <= c.pages; ++k) pages.push_back(fixture::uniformPage(16, static_cast<unsigned>(8 + k), 0));
  const char* duplex = c.sides == Sides::OneSided ? "None" : c.sides == Sides::LongEdge ? "DuplexNoTumble" : "DuplexTumble";
  fixture::TempDir tmp;
  auto command = queueCommand(tmp, std::string("Duplex=") + duplex + " Collate=" + (c.collate ? "True" : "False"));
  command.copies = std::to_string(c.copies);
  const Printed p = print(command, pages);

  EXPECT_EQ(p.run.exitCode, 0) << p.run.err;
  EXPECT_TRUE(p.job.ended);
  EXPECT_EQ(p.job.field("Copies"), c.collate ? "1" : std::to_string(c.copies));
  std::vector<int> sent;
  for (const auto& bitmap : p.pages) {
    const int height = static_cast<int>(bitmap.height) - 8;
    const bool blank = std::all_of(bitmap.bits.begin(), bitmap.bits.end(), [](auto b) { return b == 0; });
    sent.push_back(blank ? height + 1 : height);
  }
  EXPECT_EQ(sent, expected);
  EXPECT_TRUE(tmp.entries().empty()) << "page folder left behind";
}

std::vector<OrderCase> allCases() {
  std::vector<OrderCase> cases;
  for (int pages : {1, 2, 3})
    for (Sides sides : {Sides::OneSided, Sides::LongEdge, Sides::ShortEdge})
      for (int copies : {1, 3})
        for (bool collate : {true, false}) cases.push_back({pages, sides, copies, collate});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Jobs, PageOrder, testing::ValuesIn(allCases()), caseName);

}  // namespace
}  // namespace printfilter_test
