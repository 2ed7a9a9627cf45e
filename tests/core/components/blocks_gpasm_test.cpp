// Every supported part: a plan of gates, flip-flops, Schmitt triggers and GND/VCC builds cleanly, its word
// count is what the assembler placed, and no bank selection sits in a skipped slot.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "block_code_fixture.h"
#include "codegen/build.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

// "Program Memory Words Used:" of a gpasm listing, -1 when missing.
int ListedWords(const std::string& listingPath) {
  std::ifstream in(listingPath);
  std::string line;
  const std::string key = "Program Memory Words Used:";
  while (std::getline(in, line))
    if (auto at = line.find(key); at != std::string::npos) return std::stoi(line.substr(at + key.size()));
  return -1;
}

// One of each block form. GPIO parts have three inputs and four outputs; a RAM bit stands in for the rest.
void BuildPlan(TestProject& tp, bool gpio) {
  const std::string in0 = gpio ? "GP.0" : "RB.0", in1 = gpio ? "GP.3" : "RB.1", in2 = gpio ? "FLAGS2.3" : "RB.2";
  const std::string port = gpio ? "GP" : "RB";
  AddGate(tp, TObjGatter::And, {in0, in1, in2}, gpio ? "GP.2" : "RA.0");
  AddGate(tp, TObjGatter::Or, {in0, in1}, gpio ? "FLAGS2.2" : "RA.1").Input(1).Inverted = true;
  AddGate(tp, TObjGatter::ExclusiveOr, {in0, in1, in2}, gpio ? "GP.4" : "RA.2");
  tp.Add<TObjGatter>(kind::Gatter).ApplySettings(TObjGatter::And, 1);  // inverter, inverted output
  auto& inverter = static_cast<TObjGatter&>(*tp.project.Elements().back());
  inverter.Input(0).SetName(in1);
  inverter.Output().SetName("FLAGS.0");
  AddRsff(tp, in0, in1, "FLAGS.1");
  AddRsff(tp, in1, in2, "FLAGS.2").Output().Inverted = true;
  AddSchmitt(tp, false, port, "100", "10", "FLAGS.3");
  AddSchmitt(tp, false, port, "SPV", "HYV", "FLAGS.4");
  AddSchmitt(tp, false, port, "100", "HYV", "FLAGS.5");
  AddSchmitt(tp, false, port, "SPV", "10", "FLAGS.6").Output().Inverted = true;
  AddSchmitt(tp, true, "INW", "1000", "250", "FLAGS.7");
  AddSchmitt(tp, true, "INW", "SPW", "HYW", "FLAGS2.0").Output().Inverted = true;
  AddSupply(tp, false, gpio ? "GP.1" : "RA.3");
  AddSupply(tp, true, gpio ? "GP.5" : "RB.7");
  // The values the Schmitt triggers read get their cells through bits written by supplies.
  for (const char* bit : {"SPV.6", "SPW_HI.1", "FLAGS2.3"}) AddSupply(tp, true, bit);
  for (const char* bit : {"HYV.0", "INW.0", "INW_HI.0", "SPW.0", "HYW.0", "HYW_HI.0"}) AddSupply(tp, false, bit);
}

TEST(BlocksGpasm, EveryTypeBuildsCleanlyWithItsWordCount) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  ScratchDir dir("blocks_gpasm");
  for (int type = 0; type < ProcessorCount; ++type) {
    for (bool optimise : {true, false}) {
      SCOPED_TRACE(std::string(ProcessorName(type)) + (optimise ? "" : " without optimisation"));
      WriterFixture f(type);
      f.project().Options.Optimise = optimise;
      f.project().Info.AutoIncrement = false;
      BuildPlan(f.tp, type >= 30 && type <= 37);
      BuildOptions options;
      options.SourcePath = (dir.path() / "BLOCKS.ASM").string();
      const BuildResult r = Build(f.writer, options);
      ASSERT_TRUE(r.SourceWritten);
      EXPECT_TRUE(r.Succeeded()) << r.ErrorText;
      EXPECT_EQ(r.ErrorCount, 0);
      EXPECT_EQ(r.WarningCount, 0) << r.ErrorText;
      EXPECT_EQ(ListedWords(r.ListingPath), r.RomUsed);
      EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;
      const auto misplaced = SelectionsInSkippedSlots(f.writer.Text());
      EXPECT_TRUE(misplaced.empty()) << misplaced.front();
      // The blocks place their selections before their skips themselves; the writer had nothing to repair.
      EXPECT_EQ(f.writer.GuardRepairs(), 0);
    }
  }
}

}  // namespace
}  // namespace tolmek::test
