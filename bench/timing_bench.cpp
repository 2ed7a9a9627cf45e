// The timing and counting blocks: generating a 16F877 program of 200 of them, and one simulation tick of
// the same plan.
#include <benchmark/benchmark.h>

#include <string>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "components/puls.h"
#include "components/shot.h"
#include "components/sregist.h"
#include "components/timer.h"
#include "components/vrzaehl.h"
#include "components/zaehler.h"
#include "model/messages.h"
#include "model/project.h"
#include "sim/engine.h"
#include "sim/plan_variables.h"

namespace tolmek {
namespace {

// 200 blocks, the six kinds in turn, every input on a port bit of B, outputs on RAM bits and port D.
struct TimingPlan {
  RecordingSink sink;
  Messenger messages{&sink};
  Project project{messages};
  Analysis analysis{project};
  ProgramWriter writer{project, analysis};
  SimEngine engine{project};

  TimingPlan() {
    project.Mcu.ProcessorType = 23;  // 16F877
    project.Pasting = true;
    for (int i = 0; i < 200; ++i) {
      const std::string in = "RB." + std::to_string(i % 8);
      const std::string out = i % 10 == 0 ? "RD." + std::to_string(i / 10 % 8) : "F" + std::to_string(i / 8) + "." + std::to_string(i % 8);
      TBauteil* e = project.CreateElement(kKinds[i % 6], 100 + (i % 20) * 100, 100 + (i / 20) * 120);
      if (auto* t = dynamic_cast<TObjTimer*>(e)) {
        t->HalfPeriod = uint16_t(50 + i);
        t->Output().Name = out;
      } else if (auto* p = dynamic_cast<TObjPuls*>(e)) {
        p->Length = uint16_t(20 + i);
        p->DelayFunction = i % 4 == 1;
        p->Retrigger = i % 4 == 3;
        p->Input().Name = in;
        p->Output().Name = out;
      } else if (auto* s = dynamic_cast<TObjShot*>(e)) {
        s->Input().Name = in;
        s->Output().Name = out;
      } else if (auto* c = dynamic_cast<TCountBlock*>(e)) {
        if (auto* v = dynamic_cast<TObjVrzaehl*>(c)) v->SetWidth16(i % 2 == 0);
        c->SetOutputCount(4);
        c->Clock().Name = in;
        c->ResetInput().Name = "RB.7";
        for (int q = 0; q < 4; ++q) c->Output(q).Name = "Q" + std::to_string(i) + "." + std::to_string(q);
      }
    }
    project.Pasting = false;
    project.Renumber();
  }
  static constexpr uint8_t kKinds[6] = {kind::Timer, kind::Puls, kind::Shot, kind::Zaehler, kind::Sregist,
                                        kind::Vrzaehl};
};

void BM_Generate200TimingBlocks(benchmark::State& state) {
  TimingPlan plan;
  GenerationResult r;
  for (auto _ : state) {
    r = plan.writer.GenerateText();
    benchmark::DoNotOptimize(r);
  }
  state.counters["passes"] = r.Passes;
  state.counters["words"] = r.RomUsed;
  state.counters["out_of_rom"] = r.OutOfRom;
}
BENCHMARK(BM_Generate200TimingBlocks)->Unit(benchmark::kMillisecond);

void BM_SimulationTick200TimingBlocks(benchmark::State& state) {
  TimingPlan plan;
  AddPlanVariables(plan.project, plan.engine);
  plan.engine.SetAllPagesOpen(true);
  plan.engine.SetSimRate(10);
  plan.engine.StartSimulation();
  for (auto _ : state) benchmark::DoNotOptimize(plan.engine.Tick());
  plan.engine.StopSimulation();
}
BENCHMARK(BM_SimulationTick200TimingBlocks)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tolmek
