// The page stream taken apart by its structure, however TCP cuts it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "scan/conversation/page_stream.h"
#include "support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Parser = scan::PageStreamParser;

using Start = scantest::HeaderStart;  // header bytes 0-2
constexpr Start kBlk{0x42, 0x4C, 0x4B};

Bytes header(std::size_t length, Start start = kBlk) {
  return {start[0], start[1], start[2], 1, 0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(length & 0xFF),
          static_cast<std::uint8_t>(length >> 8)};
}

Bytes block(const Bytes& payload, Start start = kBlk) {
  Bytes bytes = header(payload.size(), start);
  bytes.insert(bytes.end(), payload.begin(), payload.end());
  return bytes;
}

const Bytes kPageEnd{0x82, 1, 0, 0, 0, 0, 0, 0, 0, 0};

Bytes join(const std::vector<Bytes>& parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// What a parser made of a stream fed in the given pieces, each piece one
// read, the stream quiet after the last: each event as text.
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
    if (to == from) continue;  // a read returns at least one byte
    parser.feed(std::span(stream).subspan(from, to - from));
    from = to;
    for (auto event = parser.next(); event != Parser::Event::needMore; event = parser.next()) {
      switch (event) {
        case Parser::Event::blockHeader:
          run.events.push_back("block " + std::to_string(parser.payloadLength()));
          break;
        case Parser::Event::pageEnd:
          run.events.push_back("page " + std::to_string(parser.announcedSize()));
          run.pages.emplace_back(parser.page().begin(), parser.page().end());
          break;
        case Parser::Event::byteDropped:
          run.events.push_back("dropped " + std::to_string(parser.droppedByte()));
          break;
        case Parser::Event::status:
          // The receiver stops at a status byte.
          run.events.push_back("status " + std::to_string(parser.statusByte()));
          return run;
        case Parser::Event::pageTooLarge:
          run.events.push_back("too large");
          run.ending = parser.ending();
          return run;
        case Parser::Event::needMore:
          break;
      }
    }
  }
  run.ending = parser.ending();
  // Quiet behind a lone byte: a status byte, where the receiver stops.
  if (parser.quiet() == Parser::Event::status) run.events.push_back("status " + std::to_string(parser.statusByte()));
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

TEST(PageStream, StatusByteLastIsJudgedOnceTheStreamIsQuiet) {
  const Parsed run = feed(join({block(payload(4, 0)), kPageEnd, {0xC3}}), {});
  EXPECT_EQ(run.events, (std::vector<std::string>{"block 4", "page 4", "status 195"}));
}

// Whether the parser decides a last byte itself or leaves it to the quiet.
struct LastByte {
  Parser::Event event;
  Parser::Ending ending;
};

LastByte lastByteOf(const Bytes& stream) {
  Parser parser(1 << 20, 64);
  parser.feed(stream);
  Parser::Event event = Parser::Event::needMore;
  for (event = parser.next(); event == Parser::Event::blockHeader || event == Parser::Event::pageEnd;
       event = parser.next()) {
  }
  return {event, parser.ending()};
}

TEST(PageStream, ALastByteThatCanBeginNoOtherMessageIsAStatusByteAtOnce) {
  const Bytes page = join({block(payload(4, 0)), kPageEnd});
  // 0x80 begins no header of this stream (they begin with 0x42).
  const LastByte jobEnd = lastByteOf(join({page, {0x80}}));
  EXPECT_EQ(jobEnd.event, Parser::Event::status);
  EXPECT_EQ(jobEnd.ending, Parser::Ending::clean);
  // The byte that begins this stream's headers, and the page-end mark, may
  // begin a message whose rest is still on its way: the quiet decides.
  for (const std::uint8_t last : {std::uint8_t{0x42}, std::uint8_t{0x82}}) {
    const LastByte held = lastByteOf(join({page, {last}}));
    EXPECT_EQ(held.event, Parser::Event::needMore) << int{last};
    EXPECT_EQ(held.ending, Parser::Ending::loneByte) << int{last};
  }
  const Start jobEndLike{0x80, 0x00, 0x00};
  EXPECT_EQ(lastByteOf(join({block(payload(4, 0), jobEndLike), kPageEnd, {0x80}})).ending, Parser::Ending::loneByte);
  // Before the first header nothing is known of the headers.
  EXPECT_EQ(lastByteOf({0xC3}).ending, Parser::Ending::loneByte);
}

TEST(PageStream, AStatusValueWithBytesBehindItBeginsAHeader) {
  // A status byte comes alone and last: 0xC3 followed by more is a header's start.
  const Bytes stream = join({block(payload(4, 0), {0xC3, 0, 0}), kPageEnd});
  for (const auto& cuts : {std::vector<std::size_t>{}, std::vector<std::size_t>{1}, std::vector<std::size_t>{1, 2}}) {
    EXPECT_EQ(feed(stream, cuts).events, (std::vector<std::string>{"block 4", "page 4"})) << cuts.size();
  }
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
  Parser parser(1 << 20, 64);
  parser.feed(GetParam().stream);
  while (parser.next() != Parser::Event::needMore) {
  }
  EXPECT_EQ(parser.ending(), GetParam().ending);
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
        EndingCase{"OnAPageEndMarkAlone", Bytes{0x82}, Parser::Ending::loneByte},
        EndingCase{"OnAByteAloneBeforeAnyHeader", Bytes{0x81}, Parser::Ending::loneByte},
        EndingCase{"OnAJobEndByteAloneBeforeAnyHeader", Bytes{0x80}, Parser::Ending::loneByte},
        EndingCase{"OnAByteAloneThatMayBeginAHeader", join({block(payload(3, 0)), kPageEnd, {0x42}}),
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

// Header bytes 0-2 may hold anything: a stream of two pages, each page of
// two blocks, then the job-end byte, with every start of the table, read as
// the device paces it (one message to a read), and cut in every other way.
const Bytes kPage1End{0x82, 1, 0, 0, 0, 0, 0, 0, 0, 0};
const Bytes kPage2End{0x82, 2, 0, 0, 0, 0, 0, 0, 0, 0};

std::vector<Bytes> messagesWith(Start start) {
  return {block(payload(40, 0x82), start), block(payload(7, 0x80), start), kPage1End,
          block(payload(300, 0xC3), start), block({}, start), kPage2End, {0x80}};
}

// The cuts of each read of `stream`: at message ends, every `size` bytes, or
// seeded random sizes.
std::vector<std::size_t> messageCuts(const std::vector<Bytes>& messages) {
  std::vector<std::size_t> cuts;
  std::size_t at = 0;
  for (std::size_t i = 0; i + 1 < messages.size(); ++i) cuts.push_back(at += messages[i].size());
  return cuts;
}

std::vector<std::size_t> everyCut(std::size_t size, std::size_t total) {
  std::vector<std::size_t> cuts;
  for (std::size_t at = size; at < total; at += size) cuts.push_back(at);
  return cuts;
}

// A read of exactly 11 bytes that begins with 0x82, as the device paces it: a
// page-end record and one byte behind it. The job-end byte ends the job; any
// other is dropped and the stream goes on.
struct ElevenCase {
  const char* name;
  std::uint8_t behind;
  std::vector<std::string> events;
};

class ElevenByteRead : public ::testing::TestWithParam<ElevenCase> {};

TEST_P(ElevenByteRead, IsAPageEndAndItsLastByteIsJudgedByTheRead) {
  const std::vector<Bytes> messages{block(payload(20, 1)), join({kPageEnd, {GetParam().behind}}),
                                    block(payload(9, 2)), kPageEnd, {0x80}};
  const Parsed run = feed(join(messages), messageCuts(messages));
  EXPECT_EQ(run.events, GetParam().events);
  std::vector<Bytes> pages{payload(20, 1), payload(9, 2)};
  if (GetParam().behind == 0x80) pages.pop_back();
  EXPECT_EQ(run.pages, pages);
}

std::vector<std::string> droppedThenPage2(std::uint8_t byte) {
  return {"block 20", "page 20", "dropped " + std::to_string(byte), "block 9", "page 9", "status 128"};
}

INSTANTIATE_TEST_SUITE_P(
    Table, ElevenByteRead,
    ::testing::Values(ElevenCase{"Zero", 0x00, droppedThenPage2(0x00)},
                      ElevenCase{"TheHeadersFirstByte", kBlk[0], droppedThenPage2(kBlk[0])},
                      ElevenCase{"AStatusValue", 0xC3, droppedThenPage2(0xC3)},
                      ElevenCase{"TheJobEndByte", 0x80, {"block 20", "page 20", "status 128"}}),
    [](const auto& row) { return std::string(row.param.name); });

// A device's failure status byte that TCP hands over together with the
// page-end record before it, as a read of exactly 11 bytes: the rule drops
// it, and the stream, quiet behind it, stands clean at a page boundary, with
// no byte held for quiet() to give.
TEST(PageStream, AFailureStatusByteLastInAnElevenByteReadIsDropped) {
  const std::vector<Bytes> messages{block(payload(20, 1)), join({kPageEnd, {0xC3}})};
  const Parsed run = feed(join(messages), messageCuts(messages));
  EXPECT_EQ(run.events, (std::vector<std::string>{"block 20", "page 20", "dropped 195"}));
  EXPECT_EQ(run.pages, std::vector<Bytes>{payload(20, 1)});
  EXPECT_EQ(run.ending, Parser::Ending::clean);
}

class AnyHeaderStart : public ::testing::TestWithParam<Start> {};

TEST_P(AnyHeaderStart, GivesTheSamePagesHoweverTheStreamIsCut) {
  const auto messages = messagesWith(GetParam());
  const Bytes stream = join(messages);
  const std::vector<std::string> events{"block 40", "block 7", "page 47", "block 300", "block 0", "page 300",
                                        "status 128"};
  const std::vector<Bytes> pages{join({payload(40, 0x82), payload(7, 0x80)}), payload(300, 0xC3)};

  std::vector<std::pair<std::string, std::vector<std::size_t>>> readings{{"paced", messageCuts(messages)},
                                                                         {"oneRead", {}}};
  for (const std::size_t size : {std::size_t{1}, std::size_t{5}, std::size_t{7}, std::size_t{13}, std::size_t{4096}}) readings.emplace_back("chunks" + std::to_string(size), everyCut(size, stream.size()));
  for (std::size_t cut = 1; cut < stream.size(); ++cut) readings.emplace_back("cutAt" + std::to_string(cut), std::vector{cut});
  for (const unsigned seed : {1u, 2u, 3u}) {
    std::vector<std::size_t> cuts;
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> size(1, 40);
    for (std::size_t at = size(random); at < stream.size(); at += size(random)) cuts.push_back(at);
    readings.emplace_back("random" + std::to_string(seed), cuts);
  }
  for (const auto& [name, cuts] : readings) {
    if (scantest::misreadByItsLength(messages, cuts)) continue;  // pinned below
    const Parsed run = feed(stream, cuts);
    EXPECT_EQ(run.events, events) << name;
    EXPECT_EQ(run.pages, pages) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, AnyHeaderStart, ::testing::ValuesIn(scantest::kHeaderStarts),
                         [](const auto& row) { return scantest::hexName(row.param); });

// What stays ambiguous: headers beginning with 0x82, and a page-end record
// whose bytes 1-2 repeat theirs. Paced, the record comes as a read of its
// own and is told by its length; joined with the bytes behind it, nothing
// tells it from a header, and it is taken for one.
TEST(PageStream, APageEndRecordThatRepeatsTheHeaderStartIsToldOnlyByItsRead) {
  const Start start{0x82, 0x01, 0x00};
  const std::vector<Bytes> messages{block(payload(20, 1), start), kPage1End, block(payload(9, 2), start),
                                    kPage2End};
  const Bytes stream = join(messages);
  const Parsed paced = feed(stream, messageCuts(messages));
  EXPECT_EQ(paced.events, (std::vector<std::string>{"block 20", "page 20", "block 9", "page 9"}));
  // Joined: the record 82 01 00 ... is read as a header of L = bytes 10-11,
  // which here are the next header's bytes 0-1 (0x82, 0x01): 386 bytes that
  // never come.
  const Parsed joined = feed(stream, {});
  EXPECT_EQ(joined.events, (std::vector<std::string>{"block 20", "block 386"}));
  EXPECT_EQ(joined.ending, Parser::Ending::truncated);
  // A record that differs from the header start in bytes 1-2 is told apart.
  const Start other{0x82, 0x00, 0x00};
  const Bytes distinct = join({block(payload(20, 1), other), kPage1End, block(payload(9, 2), other), kPage2End});
  EXPECT_EQ(feed(distinct, {}).events, paced.events);
}

TEST(PageStream, AHeaderBeginningWith0x82ReadAsTenBytesAloneIsTakenForAPageEnd) {
  // The reading of one message to a read, which the device's pacing makes
  // right; a device that splits a header there is misread.
  const Start start{0x82, 0x00, 0x00};
  const Bytes stream = join({block(payload(20, 1), start), kPage1End});
  EXPECT_EQ(feed(stream, {10}).events.front(), "page 0");
  EXPECT_EQ(feed(stream, {9}).events, (std::vector<std::string>{"block 20", "page 20"}));
}

}  // namespace
