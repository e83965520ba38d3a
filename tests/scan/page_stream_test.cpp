// The page stream taken apart by its structure, however TCP cuts it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/page_stream.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Parser = scan::PageStreamParser;

Bytes header(std::size_t length) {
  return {0x42, 0x4C, 0x4B, 1, 0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(length & 0xFF),
          static_cast<std::uint8_t>(length >> 8)};
}

Bytes block(const Bytes& payload) {
  Bytes bytes = header(payload.size());
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return bytes;
}

const Bytes kPageEnd{0x82, 1, 0, 0, 0, 0, 0, 0, 0, 0};

Bytes join(const std::vector<Bytes>& parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// What a parser made of a stream fed in the given pieces: each event as text.
struct Parsed {
  std::vector<std::string> events;
  std::vector<Bytes> pages;
  Parser::Ending ending = Parser::Ending::clean;
};

Parsed feed(const Bytes& stream, const std::vector<std::size_t>& cuts, std::size_t limit = 1 << 20) {
  Parser parser(limit, 64);
  Parsed run;
  std::size_t from = 0;
  std::vector<std::size_t> ends = cuts;
  ends.push_back(stream.size());
  for (const std::size_t to : ends) {
    std::span<const std::uint8_t> input(stream.data() + from, to - from);
    from = to;
    for (auto kind = parser.next(input); kind != Parser::Kind::needMore; kind = parser.next(input)) {
      switch (kind) {
        case Parser::Kind::blockHeader:
          run.events.push_back("block " + std::to_string(parser.payloadLength()));
          break;
        case Parser::Kind::pageEnd:
          run.events.push_back("page " + std::to_string(parser.announcedSize()));
          run.pages.emplace_back(parser.page().begin(), parser.page().end());
          break;
        case Parser::Kind::status:
          // The receiver stops at a status byte.
          run.events.push_back("status " + std::to_string(parser.statusByte()));
          return run;
        case Parser::Kind::pageTooLarge:
          run.events.push_back("too large");
          run.ending = parser.ending();
          return run;
        case Parser::Kind::needMore:
          break;
      }
    }
  }
  run.ending = parser.ending();
  return run;
}

Bytes payload(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  // Payload bytes that look like marks (0x80, 0x82, status values) must stay data.
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 0x41);
  return bytes;
}

// Two pages (the first of two blocks, one of them empty) and the job-end byte.
Bytes twoPageJob() {
  return join({block(payload(37, 0x80)), block({}), block(payload(5, 0x82)), kPageEnd,
               block(payload(300, 0xC3)), kPageEnd, {0x80}});
}

const std::vector<std::string> kTwoPageEvents{"block 37", "block 0", "block 5", "page 42",
                                              "block 300", "page 300", "status 128"};

TEST(PageStream, PacedStreamGivesEveryMessageInOrder) {
  const Parsed run = feed(twoPageJob(), {});
  EXPECT_EQ(run.events, kTwoPageEvents);
  ASSERT_EQ(run.pages.size(), 2u);
  EXPECT_EQ(run.pages[0], join({payload(37, 0x80), payload(5, 0x82)}));
  EXPECT_EQ(run.pages[1], payload(300, 0xC3));
}

TEST(PageStream, AnyCutIntoTwoPiecesGivesTheSamePages) {
  const Bytes stream = twoPageJob();
  const Parsed whole = feed(stream, {});
  for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
    const Parsed run = feed(stream, {cut});
    EXPECT_EQ(run.events, whole.events) << "cut at " << cut;
    EXPECT_EQ(run.pages, whole.pages) << "cut at " << cut;
  }
}

TEST(PageStream, ByteByByteGivesTheSamePages) {
  const Bytes stream = twoPageJob();
  std::vector<std::size_t> cuts;
  for (std::size_t i = 1; i < stream.size(); ++i) cuts.push_back(i);
  const Parsed run = feed(stream, cuts);
  EXPECT_EQ(run.events, kTwoPageEvents);
  EXPECT_EQ(run.pages, feed(stream, {}).pages);
}

TEST(PageStream, PageEndJoinedWithTheNextHeadersFirstBytes) {
  // The device's next header follows the page-end record while the host is
  // still saving the page: one read holds the record and 3 header bytes.
  const Bytes stream = join({block(payload(20, 1)), kPageEnd, block(payload(9, 2)), kPageEnd});
  const std::size_t recordStart = 12 + 20;
  const Parsed run = feed(stream, {recordStart, recordStart + 10 + 3});
  EXPECT_EQ(run.events, (std::vector<std::string>{"block 20", "page 20", "block 9", "page 9"}));
  EXPECT_EQ(run.pages, (std::vector<Bytes>{payload(20, 1), payload(9, 2)}));
  EXPECT_EQ(run.ending, Parser::Ending::clean);
}

TEST(PageStream, HeaderSplitInTwoIsGathered) {
  const Bytes stream = join({block(payload(20, 1)), kPageEnd});
  const Parsed run = feed(stream, {5});
  EXPECT_EQ(run.events, (std::vector<std::string>{"block 20", "page 20"}));
  EXPECT_EQ(run.pages, (std::vector<Bytes>{payload(20, 1)}));
}

TEST(PageStream, ALargestBlockIsGatheredAcrossReads) {
  const Bytes stream = join({block(payload(65535, 7)), kPageEnd});
  const Parsed run = feed(stream, {12, 13, 40973, 50000});
  EXPECT_EQ(run.events, (std::vector<std::string>{"block 65535", "page 65535"}));
  EXPECT_EQ(run.pages, (std::vector<Bytes>{payload(65535, 7)}));
}

TEST(PageStream, StatusByteAtABoundaryStopsWithItsValue) {
  const Parsed run = feed(join({block(payload(4, 0)), kPageEnd, {0xC3}, block(payload(4, 0))}), {});
  EXPECT_EQ(run.events, (std::vector<std::string>{"block 4", "page 4", "status 195"}));
}

struct EndingCase {
  const char* name;
  Bytes stream;
  Parser::Ending ending;
};

Bytes withoutLastByte(Bytes bytes) {
  bytes.pop_back();
  return bytes;
}

class PageStreamEnding : public ::testing::TestWithParam<EndingCase> {};

TEST_P(PageStreamEnding, TellsWhereTheStreamStopped) {
  EXPECT_EQ(feed(GetParam().stream, {}).ending, GetParam().ending);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PageStreamEnding,
    ::testing::Values(
        EndingCase{"Nothing", {}, Parser::Ending::clean},
        EndingCase{"AfterAPageEnd", join({block(payload(3, 0)), kPageEnd}), Parser::Ending::clean},
        EndingCase{"BetweenBlocksOfAPage", join({block(payload(3, 0)), block(payload(3, 0))}),
                   Parser::Ending::pageCut},
        EndingCase{"AfterAnEmptyBlock", block({}), Parser::Ending::pageCut},
        EndingCase{"InsideAHeader", Bytes{0x42, 0x4C, 0x4B, 1}, Parser::Ending::truncated},
        EndingCase{"InsideAPayload", withoutLastByte(block(payload(30, 0))), Parser::Ending::truncated},
        EndingCase{"InsideAPageEndRecord", Bytes{0x82, 1, 0}, Parser::Ending::truncated},
        EndingCase{"OnAPageEndMarkAlone", Bytes{0x82}, Parser::Ending::truncated},
        EndingCase{"OnAnUnknownByteAlone", join({block(payload(3, 0)), kPageEnd, {0x81}}),
                   Parser::Ending::loneByte}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PageStream, APageBeyondTheLimitStopsTheParse) {
  const Bytes stream = join({block(payload(600, 0)), block(payload(600, 0)), kPageEnd});
  const Parsed run = feed(stream, {}, 1000);
  EXPECT_EQ(run.events, (std::vector<std::string>{"block 600", "block 600", "too large"}));
  EXPECT_TRUE(run.pages.empty());
  // Pages that stay within the limit are kept apart: the limit is per page.
  const Bytes pages = join({block(payload(600, 0)), kPageEnd, block(payload(600, 0)), kPageEnd});
  EXPECT_EQ(feed(pages, {}, 1000).pages.size(), 2u);
}

}  // namespace
