// Reading bench files: every form of line, and bad lines reported with their numbers, never a crash.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "verify/bench.h"

namespace tolmek {
namespace {

TEST(BenchReading, EveryFormOfLine) {
  const BenchReading r = ReadBench(
      "# lamp test\r\n"
      "step 5\r\n"
      "\n"
      "0 set RA.0 1   # comment after a line\n"
      "  20ms   set LIMIT = 0x1F0\n"
      "20 expect RB.0 = 1 within 15\n"
      "30 watch COUNT\n",
      "/some/folder/lamp.tbench");
  ASSERT_TRUE(r.problems.empty()) << r.problems.front().place;
  const Bench& b = r.bench;
  EXPECT_EQ(b.stepMs, 5);
  EXPECT_EQ(b.endMs, 20 + 15 + 5) << "without an end: the last time with its tolerance, plus one step";
  ASSERT_EQ(b.lines.size(), 4u);
  EXPECT_EQ(b.lines[1].kind, BenchLine::Kind::Set);
  EXPECT_EQ(b.lines[1].line, 5);
  EXPECT_EQ(b.lines[1].name, "LIMIT");
  EXPECT_EQ(b.lines[1].value, 0x1F0);
  EXPECT_EQ(b.lines[2].kind, BenchLine::Kind::Expect);
  EXPECT_EQ(b.lines[2].withinMs, 15);
  EXPECT_EQ(b.lines[3].kind, BenchLine::Kind::Watch);
  EXPECT_EQ(BenchPlace(b, 7), "lamp.tbench:7");
  EXPECT_EQ(BenchPathFor("/a/b/lamp.v2.pic"), "/a/b/lamp.v2.tbench");
}

TEST(BenchReading, BadLinesAreReportedWithTheirNumbersAndTheRestIsRead) {
  const std::vector<std::pair<std::string, std::vector<std::pair<Msg, int>>>> cases = {
      {"hello world\n10 set RA.0 1", {{Msg::BenchUnreadable, 1}}},
      {"10 set RA.0 1\n5 set RA.0 0\n12 expect RB.0 0", {{Msg::BenchTimeBackwards, 2}}},
      {"10 sett RA.0 1\n10 set RA.0\n10 set RA.0 1 2\n10 expect RB.0 1 within\nx set RA.0 1",
       {{Msg::BenchUnreadable, 1}, {Msg::BenchUnreadable, 2}, {Msg::BenchUnreadable, 3}, {Msg::BenchUnreadable, 4},
        {Msg::BenchUnreadable, 5}}},
      {"10 set X 70000\n10 set X -1\nstep 0\nstep 70000\nend 0", {{Msg::BenchValueRange, 1}, {Msg::BenchValueRange, 2},
        {Msg::BenchValueRange, 3}, {Msg::BenchValueRange, 4}, {Msg::BenchValueRange, 5}}},
      {"99999999999999999999 set A 1\n10 set A 12x\n-5 set A 1", {{Msg::BenchUnreadable, 1}, {Msg::BenchUnreadable, 2},
        {Msg::BenchUnreadable, 3}}},
      {std::string("\0\x01\xff set\n\n\x7f", 10), {{Msg::BenchUnreadable, 1}, {Msg::BenchUnreadable, 3}}},
  };
  for (const auto& [text, expected] : cases) {
    const BenchReading r = ReadBench(text, "b.tbench");
    std::vector<std::pair<Msg, int>> found;
    for (const auto& p : r.problems) found.emplace_back(p.number, p.line);
    EXPECT_EQ(found, expected) << text;
  }
}

}  // namespace
}  // namespace tolmek
