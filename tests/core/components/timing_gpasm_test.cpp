// Every supported part: plans using every form of the timing and counting blocks assemble without error or
// warning, the words counted are the words placed, and no bank selection was repaired into a skipped slot.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "block_code_fixture.h"
#include "components/puls.h"
#include "components/shot.h"
#include "components/sregist.h"
#include "components/timer.h"
#include "components/vrzaehl.h"
#include "components/zaehler.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

struct Pins {
  std::string in0, in1, out0, out1;
};

Pins PinsFor(int type) {
  if (type >= 30 && type <= 37) return {"GP.0", "GP.3", "GP.2", "GP.4"};
  return {"RB.0", "RB.1", "RA.0", "RB.7"};
}

// Timers: constant (inverted output), by a word variable and by a byte variable; one-shots.
void TimerPlan(TestProject& tp, const Pins& p) {
  auto& fixed = tp.Add<TObjTimer>(kind::Timer);
  fixed.HalfPeriod = 500;
  fixed.Output().SetName(p.out0);
  fixed.Output().Inverted = true;
  auto& word = tp.Add<TObjTimer>(kind::Timer);
  word.PeriodByName = true;
  word.HalfPeriod = 0;
  word.PeriodName = "PW";
  word.Output().SetName("FL.0");
  auto& byte = tp.Add<TObjTimer>(kind::Timer);
  byte.PeriodByName = true;
  byte.HalfPeriod = 0;
  byte.PeriodName = "PB";
  byte.Output().SetName("FL.1");
  for (const char* bit : {"PW.0", "PW_HI.0", "PB.0"}) AddSupply(tp, true, bit);
  auto& shot = tp.Add<TObjShot>(kind::Shot);
  shot.Input().SetName(p.in0);
  shot.Output().SetName(p.out1);
  auto& inverted = tp.Add<TObjShot>(kind::Shot);
  inverted.Input().SetName(p.in1);
  inverted.Input().Inverted = true;
  inverted.Output().SetName("FL.2");
  inverted.Output().Inverted = true;
}

// Mono-flops: pulse, retriggerable with inverted input, on-delay by a word, drop-out delay by a byte with
// an inverted output, and an on-delay with inverted pins.
void MonoFlopPlan(TestProject& tp, const Pins& p) {
  auto add = [&](bool delay, uint8_t kindOfDelay, bool retrigger, const std::string& in, const std::string& out) {
    auto& m = tp.Add<TObjPuls>(kind::Puls);
    m.Length = 20;
    m.DelayFunction = delay;
    m.DelayKind = kindOfDelay;
    m.Retrigger = retrigger;
    m.Input().SetName(in);
    m.Output().SetName(out);
    return &m;
  };
  add(false, 0, false, p.in0, p.out0);
  add(false, 0, true, p.in1, p.out1)->Input().Inverted = true;
  auto* word = add(true, TObjPuls::OnDelay, false, p.in0, "FL.0");
  word->LengthByName = true;
  word->Length = 0;
  word->LengthName = "LW";
  auto* byte = add(true, TObjPuls::DropOutDelay, false, p.in1, "FL.1");
  byte->LengthByName = true;
  byte->Length = 0;
  byte->LengthName = "LB";
  byte->Output().Inverted = true;
  auto* both = add(true, TObjPuls::OnDelay, false, p.in1, "FL.2");
  both->Input().Inverted = true;
  both->Output().Inverted = true;
  for (const char* bit : {"LW.0", "LW_HI.0", "LB.0"}) AddSupply(tp, true, bit);
}

// Counters with every output used, an inverted clock, a shift register, 8- and 16-bit up/down counters.
void CounterPlan(TestProject& tp, const Pins& p) {
  auto& counter = tp.Add<TObjZaehler>(kind::Zaehler);
  counter.SetOutputCount(8);
  counter.Clock().SetName(p.in0);
  counter.Clock().Inverted = true;
  counter.ResetInput().SetName(p.in1);
  for (int i = 0; i < 8; ++i) counter.Output(i).SetName(i == 0 ? p.out0 : "QA." + std::to_string(i));
  counter.Output(7).Inverted = true;
  auto& shift = tp.Add<TObjSregist>(kind::Sregist);
  shift.SetOutputCount(8);
  shift.Clock().SetName(p.in1);
  shift.Data().SetName(p.in0);
  shift.Data().Inverted = true;
  shift.ResetInput().SetName("FL.0");
  for (int i = 0; i < 8; ++i) shift.Output(i).SetName("QB." + std::to_string(i));
  auto& narrow = tp.Add<TObjVrzaehl>(kind::Vrzaehl);
  narrow.SetOutputCount(8);
  narrow.Clock().SetName(p.in0);
  narrow.Direction().SetName(p.in1);
  narrow.ResetInput().SetName("FL.0");
  narrow.ResetInput().Inverted = true;
  for (int i = 0; i < 8; ++i) narrow.Output(i).SetName("QC." + std::to_string(i));
  auto& wide = tp.Add<TObjVrzaehl>(kind::Vrzaehl);
  wide.SetWidth16(true);
  wide.SetOutputCount(16);
  wide.Clock().SetName(p.in1);
  wide.Direction().SetName(p.in0);
  wide.Direction().Inverted = true;
  wide.ResetInput().SetName("FL.1");
  for (int i = 0; i < 16; ++i) wide.Output(i).SetName(i == 15 ? p.out1 : "QD" + std::to_string(i / 8) + "." + std::to_string(i % 8));
  AddSupply(tp, false, "FL.0");
}

TEST(TimingGpasm, EveryFormBuildsCleanlyOnEveryTypeWithItsWordCount) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  ScratchDir dir("timing_gpasm");
  const std::pair<const char*, std::function<void(TestProject&, const Pins&)>> plans[] = {
      {"timers", TimerPlan}, {"mono-flops", MonoFlopPlan}, {"counters", CounterPlan}};
  for (int type = 0; type < ProcessorCount; ++type) {
    for (const auto& [what, build] : plans) {
      for (bool optimise : {true, false}) {
        SCOPED_TRACE(std::string(ProcessorName(type)) + ", " + what + (optimise ? "" : ", not optimised"));
        WriterFixture f(type);
        f.project().Options.Optimise = optimise;
        f.project().Mcu.Mclre = 1;
        build(f.tp, PinsFor(type));
        const std::string& text = f.Generate();
        const Assembly a = Assemble(text, dir.path());
        EXPECT_TRUE(a.Clean()) << a.Report();
        EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
        EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;
        EXPECT_EQ(f.writer.GuardRepairs(), 0);
        const auto misplaced = SelectionsInSkippedSlots(text);
        EXPECT_TRUE(misplaced.empty()) << misplaced.front();
        if (::testing::Test::HasFailure()) return;
      }
    }
  }
}

}  // namespace
}  // namespace tolmek::test
