// The timing and counting blocks on simulated chips (16F84, 16F877, 12C508A at 4 MHz): edges driven on
// pins, outputs and state variables read back at set times. At 4 MHz one millisecond is 1000 cycles.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "block_code_fixture.h"
#include "gpsim_table.h"
#include "components/inc.h"
#include "components/puls.h"
#include "components/shot.h"
#include "components/sregist.h"
#include "components/timer.h"
#include "components/vrzaehl.h"
#include "components/zaehler.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

constexpr uint64_t kMs = 1000;  // cycles per millisecond at 4 MHz

struct Chip {
  int type;
  const char* name;
  std::vector<std::string> inNets, inPins;
  std::vector<std::string> outNets;
  std::vector<OutputBit> outBits;
  const char* delayCounter;  // a register the long main-loop delay may count down
};

const std::vector<Chip>& Chips() {
  static const std::vector<Chip> chips = {
      {3, "16F84", {"RB.0", "RB.1", "RB.2", "RB.3"}, {"portb0", "portb1", "portb2", "portb3"},
       {"RA.0", "RA.1", "RA.2", "RA.3", "RB.4"}, {{"porta", 0}, {"porta", 1}, {"porta", 2}, {"porta", 3}, {"portb", 4}},
       "DLY"},
      {23, "16F877", {"RB.0", "RB.1", "RB.2", "RB.3"}, {"portb0", "portb1", "portb2", "portb3"},
       {"RD.0", "RD.1", "RD.2", "RD.3", "RD.4"}, {{"portd", 0}, {"portd", 1}, {"portd", 2}, {"portd", 3}, {"portd", 4}},
       "FSR"},
      {30, "12C508A", {"GP.0", "GP.1", "GP.3"}, {"gpio0", "gpio1", "gpio3"}, {"GP.2", "GP.4", "GP.5"},
       {{"gpio", 2}, {"gpio", 4}, {"gpio", 5}}, "DLY"},
  };
  return chips;
}

// Output levels expected at a cycle ('-': not looked at), and state variables expected by name.
struct Look {
  uint64_t cycle;
  std::string outs;
  std::vector<std::pair<std::string, int>> vars = {};
};

using Edges = std::vector<std::pair<uint64_t, int>>;

// A square wave on a pin: `count` high pulses of `high` cycles every `period` cycles from `start`.
Edges Pulses(uint64_t start, int count, uint64_t period, uint64_t high, Edges edges = {{0, 0}}) {
  for (int n = 0; n < count; ++n) {
    edges.push_back({start + n * period, 1});
    edges.push_back({start + n * period + high, 0});
  }
  return edges;
}

// Generates, assembles (clean, words as counted) and runs the plan, then compares every look.
void RunOnChip(WriterFixture& f, const Chip& chip, const std::vector<Edges>& inputs, const std::vector<Look>& looks) {
  ScratchDir dir(std::string("timing_") + chip.name);
  const std::string& text = f.Generate();
  // The long main loop's include file, where the plan has one.
  std::ofstream(dir.path() / "DELAY.INC") << "\tMOVLW 250\n\tMOVWF " << chip.delayCounter
                                         << "\nDLYLOOP\tDECFSZ " << chip.delayCounter << ",F\n\tGOTO DLYLOOP\n";
  const Assembly a = Assemble(text, dir.path());
  ASSERT_TRUE(a.Clean()) << a.Report();
  EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
  EXPECT_EQ(f.writer.GuardRepairs(), 0);
  EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;
  GpsimRun sim(a);
  for (size_t i = 0; i < inputs.size(); ++i) sim.Drive(chip.inPins.at(i), inputs[i]);
  struct Taken {
    size_t look, out;
    size_t sample;
  };
  std::vector<Taken> taken;
  for (size_t l = 0; l < looks.size(); ++l) {
    for (size_t o = 0; o < looks[l].outs.size(); ++o)
      if (looks[l].outs[o] != '-') taken.push_back({l, o, sim.Sample(looks[l].cycle, chip.outBits.at(o).reg)});
    for (size_t v = 0; v < looks[l].vars.size(); ++v) {
      const auto address = a.Symbol(looks[l].vars[v].first);
      ASSERT_TRUE(address.has_value()) << looks[l].vars[v].first;
      taken.push_back({l, 100 + v, sim.Sample(looks[l].cycle, "reg(" + std::to_string(*address) + ")")});
    }
  }
  ASSERT_TRUE(sim.Run()) << sim.Output() << "\n" << sim.Script();
  for (const Taken& t : taken) {
    const Look& look = looks[t.look];
    const int64_t value = sim.Value(t.sample).value_or(-1);
    if (t.out >= 100) {
      const auto& [name, expected] = look.vars[t.out - 100];
      EXPECT_EQ(value, expected) << chip.name << ": " << name << " at cycle " << look.cycle;
    } else {
      const OutputBit& bit = chip.outBits[t.out];
      EXPECT_EQ(int((value >> bit.bit) & 1), look.outs[t.out] - '0')
          << chip.name << ": output " << t.out << " at cycle " << look.cycle;
    }
  }
}

bool HaveTools() { return HaveGpasm() && HaveGpsim(); }

WriterFixture& Fixture(std::unique_ptr<WriterFixture>& holder, const Chip& chip) {
  holder = std::make_unique<WriterFixture>(chip.type);
  holder->project().Mcu.Mclre = 1;  // GP3 is an input
  holder->project().Mcu.ClockHz = 4000000;
  return *holder;
}

// 255 quick edges, then reset with the clock moving, release while CLK is high, and one more edge.
TEST(TimingGpsim, CounterCountsEveryEdgeAndReset) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const Chip& chip : Chips()) {
    SCOPED_TRACE(chip.name);
    std::unique_ptr<WriterFixture> holder;
    WriterFixture& f = Fixture(holder, chip);
    auto& counter = f.tp.Add<TObjZaehler>(kind::Zaehler);
    counter.SetName("CNT");
    counter.SetOutputCount(3);
    counter.Clock().SetName(chip.inNets[0]);
    counter.ResetInput().SetName(chip.inNets[1]);
    for (int i = 0; i < 3; ++i) counter.Output(i).SetName(chip.outNets[size_t(i)]);
    auto& falling = f.tp.Add<TObjZaehler>(kind::Zaehler);  // counts the falling edges of the same clock
    falling.SetName("DOWN");
    falling.Clock().SetName(chip.inNets[0]);
    falling.Clock().Inverted = true;
    falling.ResetInput().SetName(chip.inNets[1]);
    const uint64_t t0 = 5000, after = t0 + 255 * 400;
    Edges clk = Pulses(t0, 255, 400, 200);
    clk.push_back({after + 2000, 1});  // high while reset: no count
    clk.push_back({after + 3000, 0});
    clk.push_back({after + 4000, 1});  // high at the release
    clk.push_back({after + 6000, 0});
    clk.push_back({after + 7000, 1});  // the first edge after the reset
    const Edges res{{0, 0}, {after + 1000, 1}, {after + 5000, 0}};
    ASSERT_NO_FATAL_FAILURE(RunOnChip(f, chip, {clk, res},
              {{t0 + 2 * 400 + 300, "110"},
               {after, "111", {{"CNT", 255}, {"DOWN", 255}}},
               {after + 4500, "000", {{"CNT", 0}}},
               // The falling edge after the release counts for the counter of falling edges.
               {after + 6500, "000", {{"CNT", 0}, {"DOWN", 1}}},
               {after + 8000, "100", {{"CNT", 1}, {"DOWN", 1}}}}));
  }
}

TEST(TimingGpsim, ShiftRegisterTakesDOnEachEdge) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const Chip& chip : Chips()) {
    SCOPED_TRACE(chip.name);
    std::unique_ptr<WriterFixture> holder;
    WriterFixture& f = Fixture(holder, chip);
    auto& shift = f.tp.Add<TObjSregist>(kind::Sregist);
    shift.SetName("SHIFT");
    shift.SetOutputCount(3);
    shift.Clock().SetName(chip.inNets[0]);
    shift.ResetInput().SetName(chip.inNets[1]);
    shift.Data().SetName(chip.inNets[2]);
    for (int i = 0; i < 3; ++i) shift.Output(i).SetName(chip.outNets[size_t(i)]);
    // D: 1, 1, 0, 1 on four edges, then a reset.
    const Edges clk = Pulses(5000, 4, 2000, 1000);
    const Edges d{{0, 1}, {8000, 0}, {10000, 1}};
    const Edges res{{0, 0}, {14000, 1}, {15000, 0}};
    ASSERT_NO_FATAL_FAILURE(RunOnChip(f, chip, {clk, res, d},
              {{5600, "100", {{"SHIFT", 1}}},
               {7600, "110", {{"SHIFT", 3}}},
               {9600, "011", {{"SHIFT", 6}}},
               {11600, "101", {{"SHIFT", 13}}},
               {14600, "000", {{"SHIFT", 0}}}}));
  }
}

TEST(TimingGpsim, UpDownCounterCountsBothWaysOnSixteenBits) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const Chip& chip : Chips()) {
    SCOPED_TRACE(chip.name);
    std::unique_ptr<WriterFixture> holder;
    WriterFixture& f = Fixture(holder, chip);
    auto& wide = f.tp.Add<TObjVrzaehl>(kind::Vrzaehl);
    wide.SetName("WIDE");
    wide.SetWidth16(true);
    wide.SetOutputCount(10);
    wide.Clock().SetName(chip.inNets[0]);
    wide.ResetInput().SetName(chip.inNets[1]);
    wide.Direction().SetName(chip.inNets[2]);
    wide.Output(0).SetName(chip.outNets[0]);
    wide.Output(9).SetName(chip.outNets[1]);
    auto& narrow = f.tp.Add<TObjVrzaehl>(kind::Vrzaehl);
    narrow.SetName("NARROW");
    narrow.Clock().SetName(chip.inNets[0]);
    narrow.ResetInput().SetName(chip.inNets[1]);
    narrow.Direction().SetName(chip.inNets[2]);
    narrow.Direction().Inverted = true;
    // Down twice from 0, up three times, then a reset.
    const Edges clk = Pulses(5000, 5, 2000, 1000);
    const Edges rv{{0, 1}, {8500, 0}};
    const Edges res{{0, 0}, {16000, 1}, {17000, 0}};
    ASSERT_NO_FATAL_FAILURE(RunOnChip(f, chip, {clk, res, rv},
              {{5600, "11", {{"WIDE", 255}, {"WIDE_HI", 255}, {"NARROW", 1}}},
               {7600, "01", {{"WIDE", 254}, {"WIDE_HI", 255}, {"NARROW", 2}}},
               {13600, "10", {{"WIDE", 1}, {"WIDE_HI", 0}, {"NARROW", 255}}},
               {16600, "00", {{"WIDE", 0}, {"WIDE_HI", 0}, {"NARROW", 0}}}}));
  }
}

// A one-shot feeding a counter counts each edge once; an inverted one-shot at rest does not fire at start.
TEST(TimingGpsim, OneShotFeedsACounterOncePerEdge) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const Chip& chip : Chips()) {
    SCOPED_TRACE(chip.name);
    std::unique_ptr<WriterFixture> holder;
    WriterFixture& f = Fixture(holder, chip);
    auto& shot = f.tp.Add<TObjShot>(kind::Shot);
    shot.SetName("SHOT");
    shot.Input().SetName(chip.inNets[0]);
    shot.Output().SetName("PULSE.0");
    auto& counter = f.tp.Add<TObjZaehler>(kind::Zaehler);
    counter.SetName("EDGES");
    counter.Clock().SetName("PULSE.0");
    counter.ResetInput().SetName("NORESET.0");
    auto& idle = f.tp.Add<TObjShot>(kind::Shot);
    idle.SetName("IDLE");
    idle.Input().SetName(chip.inNets[1]);  // held high: an inverted input at rest
    idle.Input().Inverted = true;
    idle.Output().SetName("PULSE.1");
    auto& counter2 = f.tp.Add<TObjZaehler>(kind::Zaehler);
    counter2.SetName("FIRED");
    counter2.Clock().SetName("PULSE.1");
    counter2.ResetInput().SetName("NORESET.0");
    AddSupply(f.tp, false, "NORESET.0");
    // Slow edges: each lasts many passes of the loop.
    const Edges in = Pulses(5000, 7, 3000, 1500);
    const Edges held{{0, 1}, {30000, 0}};
    ASSERT_NO_FATAL_FAILURE(RunOnChip(f, chip, {in, held},
              {{20000, "", {{"EDGES", 5}, {"FIRED", 0}}}, {31000, "", {{"EDGES", 7}, {"FIRED", 1}}}}));
  }
}

// Half periods of 64 ms (250 ticks) and, from a 16-bit variable, 500 ticks; a delay of some 750 cycles at
// the head of the main loop makes every pass longer than a tick. Each toggle is looked at just before and
// just after its time.
TEST(TimingGpsim, TimerKeepsItsPeriodWithALongMainLoop) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const Chip& chip : Chips()) {
    SCOPED_TRACE(chip.name);
    std::unique_ptr<WriterFixture> holder;
    WriterFixture& f = Fixture(holder, chip);
    auto& fixed = f.tp.Add<TObjTimer>(kind::Timer);
    fixed.SetName("FIXED");
    fixed.HalfPeriod = 64;
    fixed.Output().SetName(chip.outNets[0]);
    auto& byName = f.tp.Add<TObjTimer>(kind::Timer);
    byName.SetName("BYNAME");
    byName.PeriodByName = true;
    byName.HalfPeriod = 0;
    byName.PeriodName = "HALF";
    byName.Output().SetName(chip.outNets[1]);
    // HALF = 500 = 256 + 244, given by the initial values of its bits.
    AddSupply(f.tp, true, "HALF_HI.0");
    for (int bit : {2, 4, 5, 6, 7}) AddSupply(f.tp, true, "HALF." + std::to_string(bit));
    AddSupply(f.tp, false, std::string(chip.delayCounter) == "DLY" ? "DLY.0" : "UNUSED.0");
    auto& delay = f.tp.Add<TObjInc>(kind::Inc);
    delay.ApplySettings("DELAY.INC", TObjInc::MainStart, 4);
    std::vector<Look> looks;
    for (uint64_t k = 1; k <= 8; ++k) {
      const uint64_t at = k * 64 * kMs;
      const auto level = [](uint64_t t, uint64_t halfMs) { return char('0' + (t / (halfMs * kMs)) % 2); };
      looks.push_back({at - 1000, {level(at - 1, 64), level(at - 1, 128)}});
      looks.push_back({at + 3500, {level(at, 64), level(at, 128)}});
    }
    ASSERT_NO_FATAL_FAILURE(RunOnChip(f, chip, {}, looks));
  }
}

// Pulses of 50 ms (one ignoring, one taking a second edge), and an on-delay and a drop-out delay of 50 ms;
// each end looked at 1 ms (2%) before and after its time. The 12C508A has room for the first three.
TEST(TimingGpsim, MonoFlopPulsesAndDelays) {
  if (!HaveTools()) GTEST_SKIP() << "gpasm/gpsim not installed";
  for (const Chip& chip : Chips()) {
    SCOPED_TRACE(chip.name);
    std::unique_ptr<WriterFixture> holder;
    WriterFixture& f = Fixture(holder, chip);
    auto add = [&](const char* name, int input, bool delay, uint8_t delayKind, bool retrigger) -> TObjPuls& {
      auto& p = f.tp.Add<TObjPuls>(kind::Puls);
      p.SetName(name);
      p.Length = 50;
      p.DelayFunction = delay;
      p.DelayKind = delayKind;
      p.Retrigger = retrigger;
      p.Input().SetName(chip.inNets[size_t(input)]);
      p.Output().SetName(chip.outNets[f.tp.project.Elements().size() - 1]);
      return p;
    };
    add("PULSE", 0, false, 0, false);
    add("RETRIG", 1, false, 0, true);
    add("ONDELAY", 2, true, TObjPuls::OnDelay, false);
    const bool room = chip.outNets.size() >= 5;
    if (room) {
      add("DROPOUT", 2, true, TObjPuls::DropOutDelay, false);
      auto& byName = add("BYNAME", 0, false, 0, false);  // 195 ticks of an 8-bit variable: 49.9 ms
      byName.LengthByName = true;
      byName.Length = 0;
      byName.LengthName = "LEN";
      for (int bit : {0, 1, 6, 7}) AddSupply(f.tp, true, "LEN." + std::to_string(bit));
    }
    const Edges in0{{0, 0}, {10 * kMs, 1}, {20 * kMs, 0}, {40 * kMs, 1}, {50 * kMs, 0}, {100 * kMs, 1}, {110 * kMs, 0}};
    const Edges in2{{0, 0}, {10 * kMs, 1}, {120 * kMs, 0}};
    auto at = [](int ms, int before) { return uint64_t(ms) * kMs + (before ? -1000 : 1000); };
    std::vector<Look> looks = {
        {at(10, 0), "110"},     {at(60, 1), "11-"},     {at(60, 0), "011"},  {at(90, 1), "-1-"},
        {at(90, 0), "-0-"},     {at(100, 0), "1--"},    {at(150, 1), "110"}, {at(150, 0), "000"},
        {at(120, 1), "--1"},    {at(120, 0), "--0"},
    };
    if (room) {
      for (Look& l : looks) l.outs += "--";
      looks.push_back({at(10, 0), "---11"});
      looks.push_back({at(60, 1), "----1"});
      looks.push_back({at(60, 0), "----0"});
      looks.push_back({at(170, 1), "---1-"});
      looks.push_back({at(170, 0), "---0-"});
    }
    ASSERT_NO_FATAL_FAILURE(RunOnChip(f, chip, {in0, in0, in2}, looks));
  }
}

}  // namespace
}  // namespace tolmek::test
