// The timing and counting blocks in the simulator: counters, shift register, up/down counter, one-shot,
// timer and mono-flop, each driven row by row on a bench; and their records through file and JSON.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "block_bench.h"
#include "block_code_fixture.h"
#include "components/puls.h"
#include "components/shot.h"
#include "components/sregist.h"
#include "components/timer.h"
#include "components/vrzaehl.h"
#include "components/zaehler.h"
#include "core/model/file_fixture.h"
#include "model/plan_json.h"
#include "sim/sim_context.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

// One row: levels of the named inputs, then a step; the value of the state and output levels expected.
struct CountRow {
  int res, clk, extra;  // extra: D of the shift register, "R / V" of the up/down counter
  int value;
  const char* note;
};

void RunCountTable(BlockBench& bench, TCountBlock& block, const char* extraNet, const std::vector<CountRow>& rows) {
  bench.Start();
  for (const CountRow& row : rows) {
    bench.Set("RES.0", row.res);
    bench.Set("CLK.0", row.clk);
    if (extraNet) bench.Set(extraNet, row.extra);
    bench.Step();
    EXPECT_EQ(block.SimValue(), row.value) << row.note;
    for (int i = 0; i < block.ActiveOutputs(); ++i)
      EXPECT_EQ(bench.Level("Q." + std::to_string(i)), (row.value >> i) & 1) << row.note << ", Q" << i;
  }
}

void WireCountBlock(BlockBench& bench, TCountBlock& block, int outputs) {
  block.SetOutputCount(outputs);
  bench.Wire(block.ResetInput(), "RES.0");
  bench.Wire(block.Clock(), "CLK.0");
  for (int i = 0; i < outputs; ++i) bench.Wire(block.Output(i), "Q." + std::to_string(i));
}

TEST(CountBlocksSimulation, CounterCountsRisingEdgesAndFollowsClockDuringReset) {
  BlockBench bench;
  auto& counter = bench.Add<TObjZaehler>(kind::Zaehler);
  WireCountBlock(bench, counter, 3);
  EXPECT_EQ(counter.Height, 70);
  RunCountTable(bench, counter, nullptr,
                {{0, 0, 0, 0, "start"},
                 {0, 1, 0, 1, "edge"},
                 {0, 1, 0, 1, "held high"},
                 {0, 0, 0, 1, "low"},
                 {0, 1, 0, 2, "edge"},
                 {1, 1, 0, 0, "reset"},
                 {1, 0, 0, 0, "clock moves in reset"},
                 {1, 1, 0, 0, "clock moves in reset"},
                 {0, 1, 0, 0, "released while CLK is high: no count"},
                 {0, 0, 0, 0, "low"},
                 {0, 1, 0, 1, "edge"}});
  for (int n = 0; n < 254; ++n) {
    bench.Set("CLK.0", 0);
    bench.Step();
    bench.Set("CLK.0", 1);
    bench.Step();
  }
  EXPECT_EQ(counter.SimValue(), 255);
  bench.Set("CLK.0", 0);
  bench.Step();
  bench.Set("CLK.0", 1);
  bench.Step();
  EXPECT_EQ(counter.SimValue(), 0) << "256 wraps to 0";
}

TEST(CountBlocksSimulation, InvertedClockCountsFallingEdgesButNotAtTheStart) {
  BlockBench bench;
  auto& counter = bench.Add<TObjZaehler>(kind::Zaehler);
  WireCountBlock(bench, counter, 2);
  counter.Clock().Inverted = true;
  RunCountTable(bench, counter, nullptr,
                {{0, 0, 0, 0, "low from the start is no edge"},
                 {0, 1, 0, 0, "rising"},
                 {0, 0, 0, 1, "falling"},
                 {0, 0, 0, 1, "held"},
                 {0, 1, 0, 1, "rising"},
                 {0, 0, 0, 2, "falling"}});
}

TEST(CountBlocksSimulation, ShiftRegisterEntersDAtBitZero) {
  BlockBench bench;
  auto& shift = bench.Add<TObjSregist>(kind::Sregist);
  WireCountBlock(bench, shift, 4);
  bench.Wire(shift.Data(), "D.0");
  RunCountTable(bench, shift, "D.0",
                {{0, 1, 1, 1, "edge with D high"},
                 {0, 0, 0, 1, ""},
                 {0, 1, 1, 3, ""},
                 {0, 0, 1, 3, ""},
                 {0, 1, 1, 7, "three edges with D high hold 7"},
                 {0, 0, 0, 7, ""},
                 {0, 1, 0, 14, "D low"},
                 {1, 0, 0, 0, "reset"},
                 {0, 0, 1, 0, ""},
                 {0, 1, 1, 1, ""}});
}

TEST(CountBlocksSimulation, UpDownCounterWrapsAtItsWidth) {
  for (bool wide : {false, true}) {
    BlockBench bench;
    auto& counter = bench.Add<TObjVrzaehl>(kind::Vrzaehl);
    counter.SetWidth16(wide);
    WireCountBlock(bench, counter, wide ? 16 : 8);
    bench.Wire(counter.Direction(), "RV.0");
    const int top = wide ? 65535 : 255;
    RunCountTable(bench, counter, "RV.0",
                  {{0, 1, 1, top, "down from 0"},
                   {0, 0, 1, top, ""},
                   {0, 1, 0, 0, "up again"},
                   {0, 0, 0, 0, ""},
                   {0, 1, 0, 1, ""},
                   {0, 0, 0, 1, ""},
                   {0, 1, 1, 0, ""},
                   {1, 0, 1, 0, "reset"}});
    EXPECT_EQ(counter.Count().Bits, wide ? 16 : 8);
  }
}

TEST(CountBlocksSimulation, UpDownCounterHandsItsNameToQs) {
  BlockBench bench;
  auto& counter = bench.Add<TObjVrzaehl>(kind::Vrzaehl);
  bench.Wire(counter.Count(), "ZV");
  counter.SetName("pieces");
  EXPECT_EQ(counter.Count().Name, "PIECES");
  EXPECT_EQ(counter.Count().Partner->Name, "PIECES");
  counter.SetOutputCount(3);
  EXPECT_EQ(counter.Height, 100);
}

TEST(OneShotSimulation, PulseLastsOneStepAndAnInvertedInputAtRestNeverFires) {
  BlockBench bench;
  auto& plain = bench.Add<TObjShot>(kind::Shot);
  auto& inverted = bench.Add<TObjShot>(kind::Shot);
  inverted.Input().Inverted = true;
  bench.Wire(plain.Input(), "A.0");
  bench.Wire(inverted.Input(), "A.1");
  bench.Start();
  SimContext pass(bench.project(), bench.engine().Variables());
  struct Row {
    int a0, a1, q0, q1;
  };
  // Each row is one evaluation of both blocks.
  const Row rows[] = {{0, 0, 0, 0}, {1, 0, 1, 0}, {1, 0, 0, 0}, {1, 1, 0, 0},
                      {0, 0, 0, 1}, {0, 0, 0, 0}, {1, 1, 1, 0}, {1, 1, 0, 0}};
  int n = 0;
  for (const Row& r : rows) {
    bench.Set("A.0", r.a0);
    bench.Set("A.1", r.a1);
    plain.SimulationStep(pass);
    inverted.SimulationStep(pass);
    EXPECT_EQ(plain.Output().GetMarked(), r.q0) << "row " << n;
    EXPECT_EQ(inverted.Output().GetMarked(), r.q1) << "row " << n;
    ++n;
  }
}

// A counter fed by a one-shot counts each edge of the one-shot's input once.
TEST(OneShotSimulation, FeedsACounterOncePerEdge) {
  BlockBench bench;
  auto& shot = bench.Add<TObjShot>(kind::Shot);
  auto& counter = bench.Add<TObjZaehler>(kind::Zaehler);
  bench.Wire(shot.Input(), "A.0");
  TObjKnoten& node = static_cast<TObjKnoten&>(*bench.project().CreateElement(kind::Knoten, 300, 50));
  ASSERT_TRUE(Connect(node, shot.Output()));
  ASSERT_TRUE(Connect(node, counter.Clock()));
  node.SetName("P.0");
  bench.Start();
  for (int n = 0; n < 5; ++n) {
    bench.Set("A.0", 1);
    bench.Step();
    bench.Step();
    bench.Set("A.0", 0);
    bench.Step();
  }
  EXPECT_EQ(counter.SimValue(), 5);
}

TEST(TimerSimulation, TogglesEveryHalfPeriodAndKeepsTheRemainder) {
  BlockBench bench;
  bench.engine().SetSimRate(30);
  auto& timer = bench.Add<TObjTimer>(kind::Timer);
  timer.HalfPeriod = 100;
  bench.Wire(timer.Output(), "Q.0");
  bench.Start();
  // 30 ms per tick: toggles at 120, 210, 300, 420 ... (the 20 ms over the half period count on).
  std::string seen;
  for (int t = 0; t < 14; ++t) {
    bench.Step();
    seen += char('0' + bench.Level("Q.0"));
  }
  EXPECT_EQ(seen, "00011100011110");
}

TEST(TimerSimulation, PeriodByVariableCountsTicksAtTheClock) {
  BlockBench bench;
  bench.engine().SetSimRate(1);
  bench.project().Mcu.ClockHz = 4000000;
  auto& timer = bench.Add<TObjTimer>(kind::Timer);
  timer.PeriodByName = true;
  timer.PeriodName = "HALF";
  bench.SetValue("HALF", 0x1000 + 40);  // an 8-bit variable: 40 ticks of 0.256 ms, 10.24 ms
  bench.Wire(timer.Output(), "Q.0");
  bench.Start();
  int firstToggle = 0;
  for (int t = 1; t <= 20 && !firstToggle; ++t) {
    bench.Step();
    if (bench.Level("Q.0")) firstToggle = t;
  }
  EXPECT_EQ(firstToggle, 11);
}

TEST(TimerSimulation, MissingPeriodVariableStopsTheRun) {
  BlockBench bench;
  auto& timer = bench.Add<TObjTimer>(kind::Timer);
  timer.PeriodByName = true;
  timer.PeriodName = "NOWHERE";
  bench.Start();
  EXPECT_EQ(bench.sink().Numbers(), std::vector<int>{32});
  EXPECT_EQ(bench.engine().Tick(), SimEngine::TickOutcome::Aborted);
}

// Rows of input level and output level, one step of 10 ms each.
void ExpectPulseRows(TObjPuls& puls, BlockBench& bench, const std::string& in, const std::string& out) {
  bench.Wire(puls.Input(), "A.0");
  bench.Wire(puls.Output(), "Q.0");
  bench.engine().SetSimRate(10);
  bench.Start();
  std::string seen;
  for (char level : in) {
    bench.Set("A.0", level - '0');
    bench.Step();
    seen += char('0' + bench.Level("Q.0"));
  }
  EXPECT_EQ(seen, out) << "input " << in;
}

TEST(MonoFlopSimulation, EveryFunction) {
  struct Case {
    const char* what;
    bool delay, retrigger, invertedInput;
    uint8_t delayKind;
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"pulse of 30 ms", false, false, false, 0, "0110000001000000", "0111000001110000"},
      {"edges while it runs are ignored", false, false, false, 0, "0101010000000000", "0111011100000000"},
      {"retriggered", false, true, false, 0, "0101010000000000", "0111111100000000"},
      {"falling edges, none at the start", false, false, true, 0, "0001111000000000", "0000000111000000"},
      {"on-delay", true, false, false, 0, "0111110110000", "0001110000000"},
      {"drop-out delay", true, false, false, 1, "0110001000011", "0111101110011"},
  };
  for (const Case& c : cases) {
    BlockBench bench;
    auto& puls = bench.Add<TObjPuls>(kind::Puls);
    puls.Length = 30;
    puls.DelayFunction = c.delay;
    puls.Retrigger = c.retrigger;
    puls.DelayKind = c.delayKind;
    puls.Input().Inverted = c.invertedInput;
    SCOPED_TRACE(c.what);
    ExpectPulseRows(puls, bench, c.in, c.out);
  }
}

// Every variant stored, read back and stored again gives the same bytes, directly and through JSON.
TEST(TimingBlocksRecords, EveryVariantSurvivesFileAndJson) {
  TestProject t;
  auto& timer = t.Add<TObjTimer>(kind::Timer);
  timer.HalfPeriod = 750;
  timer.Output().Inverted = true;
  auto& byName = t.Add<TObjTimer>(kind::Timer);
  byName.PeriodByName = true;
  byName.HalfPeriod = 0;
  byName.PeriodName = "HALF_PERIOD";
  for (int function = 0; function < 4; ++function) {
    auto& p = t.Add<TObjPuls>(kind::Puls);
    p.DelayFunction = function >= 2;
    p.DelayKind = function == 3 ? TObjPuls::DropOutDelay : TObjPuls::OnDelay;
    p.Retrigger = function == 1;
    p.Input().Inverted = function % 2 == 1;
    if (function == 2) {
      p.LengthByName = true;
      p.Length = 0;
      p.LengthName = "WAIT";
    }
  }
  t.Add<TObjShot>(kind::Shot).Input().Inverted = true;
  auto& counter = t.Add<TObjZaehler>(kind::Zaehler);
  counter.SetOutputCount(8);
  counter.Clock().Inverted = true;
  t.Add<TObjSregist>(kind::Sregist).SetOutputCount(5);
  auto& wide = t.Add<TObjVrzaehl>(kind::Vrzaehl);
  wide.SetWidth16(true);
  wide.SetOutputCount(16);
  wide.Direction().Inverted = true;
  t.Add<TObjVrzaehl>(kind::Vrzaehl).SetOutputCount(0);

  const std::string file = ProjectToBytes(t.project);
  TestProject back;
  FixedPassword none;
  ASSERT_TRUE(ProjectFromBytes(back.project, file, none));
  EXPECT_EQ(ProjectToBytes(back.project), file);
  TestProject json;
  PlanFromJson(json.project, PlanToJson(t.project));
  EXPECT_EQ(ProjectToBytes(json.project), file);
  const auto& wideBack = static_cast<const TObjVrzaehl&>(*back.project.Elements()[9]);
  EXPECT_EQ(wideBack.Count().Bits, 16);
  EXPECT_EQ(wideBack.ActiveOutputs(), 16);
}

}  // namespace
}  // namespace tolmek::test

namespace tolmek::test {
namespace {

// A clock raised after the times were entered: the counts no longer fit 16 bits, the program says so and
// uses the longest time it can count; the preview says nothing.
TEST(TimingBlocksCode, TimesBeyondTheCounterAreCutWithMessages34And30) {
  WriterFixture f(23);
  f.project().Mcu.ClockHz = 20000000;
  auto& timer = f.tp.Add<TObjTimer>(kind::Timer);
  timer.HalfPeriod = 20000;
  timer.Output().SetName("RB.0");
  auto& puls = f.tp.Add<TObjPuls>(kind::Puls);
  puls.Length = 4000;
  puls.Input().SetName("RB.1");
  puls.Output().SetName("RB.2");
  const std::string& text = f.Generate();
  ASSERT_EQ(f.tp.sink.Numbers(), (std::vector<int>{34, 30}));
  EXPECT_NE(f.tp.sink.entries[0].text.find("TR1 !"), std::string::npos) << f.tp.sink.entries[0].text;
  EXPECT_NE(f.tp.sink.entries[1].text.find("MF1 !"), std::string::npos) << f.tp.sink.entries[1].text;
  const auto timerLines = BlockLines(text, "; Timer -> TR1");
  // 65535 ticks: both bytes 255, in the comparison and in the subtraction.
  EXPECT_EQ(std::count(timerLines.begin(), timerLines.end(), "MOVLW 255"), 4) << ::testing::PrintToString(timerLines);
  f.tp.sink.entries.clear();
  ScratchDir dir("timing_preview");
  f.writer.GeneratePreview(dir.path().string());
  EXPECT_TRUE(f.tp.sink.entries.empty());
}

}  // namespace
}  // namespace tolmek::test
