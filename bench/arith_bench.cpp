// Generation of a 16F877 plan of 200 numeric blocks (comparators, arithmetic blocks and limiters mixed,
// with multiplications and divisions that call the shared routines).
#include <benchmark/benchmark.h>

#include <string>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "components/limit.h"
#include "components/mathe.h"
#include "components/vergl.h"
#include "model/project.h"

namespace tolmek {
namespace {

struct NumericPlan {
  RecordingSink sink;
  Messenger messages{&sink};
  Project project{messages};
  Analysis analysis{project};
  ProgramWriter writer{project, analysis};

  explicit NumericPlan(int blocks) {
    project.Mcu.ProcessorType = 23;  // 16F877
    for (int i = 0; i < blocks; ++i) {
      const bool wide = i % 2 == 1;
      const std::string x = "V" + std::to_string(i % 23), y = "V" + std::to_string((i + 7) % 23);
      const int x0 = 100 + (i % 30) * 90, y0 = 100 + (i / 30) * 90;
      switch (i % 3) {
        case 0: {
          auto& v = static_cast<TObjVergl&>(*project.CreateElement(kind::Vergl, x0, y0));
          v.SetCompareOp(uint8_t(i % 6));
          v.SetWidth16(wide);
          v.A().Name = x;
          v.B().Name = i % 4 ? y : "100";
          v.Output().Name = "F" + std::to_string(i % 11) + "." + std::to_string(i % 8);
          break;
        }
        case 1: {
          auto& m = static_cast<TObjMathe&>(*project.CreateElement(kind::Mathe, x0, y0));
          m.SetOperation(uint8_t(i % 4));
          m.SetWidth16(wide);
          m.A().Name = x;
          m.B().Name = i % 5 ? y : "3";
          m.Result().Name = "V" + std::to_string(i % 23);
          break;
        }
        default: {
          auto& l = static_cast<TObjLimit&>(*project.CreateElement(kind::Limit, x0, y0));
          l.SetWidth16(wide);
          l.In().Name = x;
          l.Output().Name = y;
          l.UpperLimit = "200";
          l.LowerLimit = i % 4 ? "10" : y;
          l.UpperFlag().Name = "F" + std::to_string(i % 11) + ".0";
          break;
        }
      }
    }
  }
};

void BM_Generate200NumericBlocks(benchmark::State& state) {
  NumericPlan plan(200);
  GenerationResult r;
  for (auto _ : state) {
    r = plan.writer.GenerateText();
    benchmark::DoNotOptimize(r);
  }
  state.counters["passes"] = r.Passes;
  state.counters["words"] = r.RomUsed;
}
BENCHMARK(BM_Generate200NumericBlocks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolmek
