// Programs larger than a page: blocks that crossed a boundary start exactly on it, and message 39 when too big.
#include <gtest/gtest.h>

#include <algorithm>

#include "components/gatter.h"
#include "support/gputils_runner.h"
#include "writer_fixture.h"

namespace tolmek {
namespace {

// `count` AND gates with 16 inputs each on the port pins (GPIO on the 8-pin parts).
void AddGates(test::WriterFixture& f, int count) {
  const int type = f.project().Mcu.ProcessorType;
  const bool gpio = type >= 30 && type <= 37;
  for (int i = 0; i < count; ++i) {
    auto& g = f.tp.Add<TObjGatter>(kind::Gatter);
    g.ApplySettings(TObjGatter::And, 16);
    for (int in = 0; in < 16; ++in)
      g.Input(in).Name = gpio ? "GP." + std::to_string(in % 3) : (in % 2 ? "RA." : "RB.") + std::to_string(in % 6);
    g.Output().Name = (gpio ? "GP." : "RB.") + std::to_string(gpio ? 4 + i % 2 : 6 + i % 2);
  }
}

struct Crossing {
  std::string name;
  int32_t boundary;
};

// Checks a generated program against gpasm's listing; returns the blocks that were moved to a fresh page.
std::vector<Crossing> CheckPlacement(test::WriterFixture& f, const std::filesystem::path& dir) {
  const test::Assembly a = test::Assemble(f.writer.Text(), dir);
  EXPECT_TRUE(a.Clean()) << a.Report();
  EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
  std::vector<Crossing> moved;
  const int32_t page = f.analysis.Props().PageSize;
  for (const auto& e : f.project().Elements()) {
    if (!e->CodeMark) continue;
    const auto first = a.Symbol("LABEL_" + e->Name + "_1");
    EXPECT_TRUE(first.has_value()) << e->Name;
    if (!first) continue;
    EXPECT_EQ(*first % page, 0) << e->Name << " starts on its page boundary";
    moved.push_back({e->Name, static_cast<int32_t>(*first)});
  }
  // In the text, each boundary is reached by "GOTO <boundary>" and NOP lines, or, with no room for the jump,
  // by the page selection filling the last words of the page.
  const auto code = test::Code(f.writer.Text());
  for (const Crossing& c : moved) {
    const auto header = std::find(code.begin(), code.end(), "LABEL_" + c.name + "_1");
    const auto go = std::find(code.begin(), header, "GOTO " + std::to_string(c.boundary));
    if (go != header) {
      EXPECT_TRUE(std::all_of(go + 1, header, [](const std::string& l) { return l == "NOP"; })) << c.name;
    } else {
      const std::string& last = *(header - 1);
      EXPECT_TRUE(last.find("PA0") != std::string::npos || last.find("PCLATH") != std::string::npos) << c.name;
    }
  }
  return moved;
}

TEST(Paging, BlocksThatCrossABoundaryStartOnTheNextPage) {
  if (!test::HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  test::ScratchDir dir("paging");
  struct Case {
    int type;
    int gates;
    size_t crossings;
  };
  // 16F877 (four pages of 2048), 16C73 (two of 2048), 12C509A (two of 512).
  for (const Case& c : {Case{23, 180, 3}, Case{10, 90, 1}, Case{31, 20, 1}}) {
    test::WriterFixture f(c.type);
    AddGates(f, c.gates);
    f.Generate();
    SCOPED_TRACE("type " + std::to_string(c.type));
    EXPECT_FALSE(f.last.OutOfRom);
    EXPECT_TRUE(f.tp.sink.Numbers().empty());
    EXPECT_EQ(f.last.Passes, static_cast<int>(c.crossings) + 1);
    const auto moved = CheckPlacement(f, dir.path());
    EXPECT_EQ(moved.size(), c.crossings);
  }
}

TEST(Paging, OutgrowingThePartEndsWithMessage39) {
  struct Case {
    int type;
    int fits;
    int tooMany;
  };
  // 16F877, 16C73, 12C509A (whose calibration word sits in the last word), 16F84 (one page).
  for (const Case& c : {Case{23, 200, 240}, Case{10, 100, 125}, Case{31, 25, 32}, Case{3, 25, 32}}) {
    for (int gates : {c.fits, c.tooMany}) {
      test::WriterFixture f(c.type);
      AddGates(f, gates);
      f.Generate();
      SCOPED_TRACE("type " + std::to_string(c.type) + ", " + std::to_string(gates) + " gates");
      const bool tooBig = gates == c.tooMany;
      EXPECT_EQ(f.last.OutOfRom, tooBig);
      EXPECT_EQ(f.tp.sink.Numbers(), tooBig ? std::vector<int>{39} : std::vector<int>{});
      EXPECT_LE(f.last.Passes, f.analysis.Props().PageCount + 1);
      if (!tooBig) EXPECT_LE(f.last.RomUsed, f.analysis.Props().RomSize);
    }
  }
}

TEST(Paging, SinglePagePartsNeverSelectPages) {
  test::WriterFixture f(3);
  AddGates(f, 10);
  const auto code = test::Code(f.Generate());
  for (const auto& l : code) EXPECT_EQ(l.find("PCLATH"), std::string::npos) << l;
  for (const auto& e : f.project().Elements()) EXPECT_EQ(e->CodeMark, 0);
}

}  // namespace
}  // namespace tolmek
