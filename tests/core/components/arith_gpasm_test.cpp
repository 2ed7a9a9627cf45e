// Every part builds every form of the comparator, the arithmetic block and the limiter cleanly, with the
// word count the assembler placed and no bank selection in a skipped slot.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "block_code_fixture.h"
#include "codegen/processors.h"
#include "components/limit.h"
#include "components/mathe.h"
#include "components/vergl.h"
#include "support/gputils_runner.h"

namespace tolmek::test {
namespace {

// Inputs: byte AV (a port byte where it names one), word WV; results share RSLT, SUM and the bits of FL.
void ComparatorForms(TestProject& tp, const std::string& a, const std::string& bit) {
  for (bool wide : {false, true}) {
    const std::string x = wide ? "WV" : a;
    for (uint8_t op = 0; op < TObjVergl::kOpCount; ++op) {
      auto& v = tp.Add<TObjVergl>(kind::Vergl);
      v.SetWidth16(wide);
      v.SetCompareOp(op);
      v.A().SetName(op % 2 ? x : (wide ? "1000" : "100"));  // a constant A on every other relation
      v.B().SetName(op == 2 ? (wide ? "300" : "30") : x);
      v.Output().SetName(op == 4 ? bit : "FL." + std::to_string(op));
      v.Output().Inverted = op == 5;
    }
    auto& fixed = tp.Add<TObjVergl>(kind::Vergl);
    fixed.SetWidth16(wide);
    fixed.A().SetName("7");
    fixed.B().SetName("9");
    fixed.Output().SetName("FL.7");
  }
}

void ArithmeticForms(TestProject& tp, const std::string& a, bool routines) {
  for (bool wide : {false, true}) {
    const std::string x = wide ? "WV" : a;
    const std::string r = wide ? "SUM" : "RSLT";
    for (uint8_t op = 0; op < TObjMathe::kOpCount; ++op) {
      if (!routines && op >= TObjMathe::Multiply) continue;
      using Inputs = std::pair<std::string, std::string>;
      for (const auto& [p, q] : {Inputs{x, x}, Inputs{"10", x}, Inputs{x, "20"}, Inputs{"30", "3"}}) {
        auto& m = tp.Add<TObjMathe>(kind::Mathe);
        m.SetWidth16(wide);
        m.SetOperation(op);
        m.A().SetName(p);
        m.B().SetName(q);
        m.Result().SetName(r);
      }
    }
  }
}

void LimiterForms(TestProject& tp, const std::string& a, const std::string& bit) {
  for (bool wide : {false, true})
    for (const auto& [upper, lower] :
         {std::pair{"200", "0"}, std::pair{"200", "50"}, std::pair{wide ? "UW" : "UV", wide ? "LW" : "LV"}}) {
      auto& l = tp.Add<TObjLimit>(kind::Limit);
      l.SetWidth16(wide);
      l.In().SetName(wide ? "WV" : a);
      l.Output().SetName(wide ? "SUM" : "RSLT");
      l.UpperLimit = upper;
      l.LowerLimit = lower;
      l.UpperFlag().SetName(bit);
      l.LowerFlag().SetName("FL.6");
      l.LowerFlag().Inverted = true;
    }
}

void InputCells(TestProject& tp) {
  // The inputs get their cells from blocks that write them with their own values.
  for (const auto& [name, wide] :
       {std::pair{"AV", false}, std::pair{"UV", false}, std::pair{"LV", false}, std::pair{"WV", true},
        std::pair{"UW", true}, std::pair{"LW", true}}) {
    auto& keep = tp.Add<TObjMathe>(kind::Mathe);
    keep.SetWidth16(wide);
    keep.A().SetName(name);
    keep.B().SetName("0");
    keep.Result().SetName(name);
  }
}

TEST(ArithGpasm, EveryTypeBuildsEveryFormCleanly) {
  if (!HaveGpasm()) GTEST_SKIP() << "gpasm not installed";
  ScratchDir dir("arith_gpasm");
  const std::function<void(TestProject&, const std::string&, const std::string&)> plans[] = {
      [](TestProject& tp, const std::string& a, const std::string& bit) { ComparatorForms(tp, a, bit); },
      [](TestProject& tp, const std::string& a, const std::string&) { ArithmeticForms(tp, a, true); },
      [](TestProject& tp, const std::string& a, const std::string& bit) {
        ArithmeticForms(tp, a, false);
        LimiterForms(tp, a, bit);
      }};
  for (int type = 0; type < ProcessorCount; ++type) {
    const bool gpio = type >= 30 && type <= 37;
    for (size_t plan = 0; plan < std::size(plans); ++plan) {
      for (bool optimise : {true, false}) {
        SCOPED_TRACE(std::string(ProcessorName(type)) + ", plan " + std::to_string(plan) +
                     (optimise ? "" : " without optimisation"));
        WriterFixture f(type);
        f.project().Options.Optimise = optimise;
        // A port byte as input and a port bit as output, and RAM values besides.
        plans[plan](f.tp, plan == 1 ? "AV" : (gpio ? "GP" : "RB"), gpio ? "GP.2" : "RA.1");
        InputCells(f.tp);
        const std::string& text = f.Generate();
        const Assembly a = Assemble(text, dir.path());
        EXPECT_TRUE(a.Clean()) << a.Report();
        EXPECT_EQ(a.wordsUsed, f.last.RomUsed);
        EXPECT_TRUE(f.tp.sink.entries.empty()) << f.tp.sink.entries.front().text;
        const auto misplaced = SelectionsInSkippedSlots(text);
        EXPECT_TRUE(misplaced.empty()) << misplaced.front();
        EXPECT_EQ(f.writer.GuardRepairs(), 0);
      }
    }
  }
}

}  // namespace
}  // namespace tolmek::test
