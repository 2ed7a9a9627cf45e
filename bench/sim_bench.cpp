// Cost of one simulation tick on a plan of 10,000 gates in chains, steady and with every level changing.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "components/gatter.h"
#include "components/spl.h"
#include "model/messages.h"
#include "model/node.h"
#include "model/project.h"
#include "sim/engine.h"

namespace tolmek {
namespace {

constexpr int kChains = 100;
constexpr int kChainLength = 100;

// Chains of inverters and OR/exclusive-OR buffers (their second input stays open, so low): a level
// change at the head of a chain runs through all of it, and every gate's output changes.
struct ChainPlan {
  RecordingSink sink;
  Messenger messages{&sink};
  Project project{messages};
  std::vector<TObjAnschluss*> heads;
  SimEngine engine{project};

  // `labelled`: each chain's end goes through a source label to a destination label on page 2.
  explicit ChainPlan(bool labelled = false) {
    project.Pasting = true;  // keeps creation linear: the list is numbered once at the end
    for (int c = 0; c < kChains; ++c) {
      TObjAnschluss* previous = nullptr;
      for (int g = 0; g < kChainLength; ++g) {
        auto* gate = static_cast<TObjGatter*>(project.CreateElement(kind::Gatter, 60 * g, 60 * c));
        static constexpr uint8_t kTypes[] = {TObjGatter::And, TObjGatter::Or, TObjGatter::ExclusiveOr};
        const uint8_t type = kTypes[g % 3];
        gate->ApplySettings(type, type == TObjGatter::And ? 1 : 2);
        if (previous) {
          TBauteil* node = project.CreateElement(kind::Knoten, 60 * g, 60 * c + 30);
          Connect(*node, *previous);
          Connect(*node, gate->Input(0));
        } else {
          heads.push_back(&gate->Input(0));
        }
        previous = &gate->Output();
      }
      TBauteil* end = project.CreateElement(kind::Knoten, 60 * kChainLength, 60 * c);
      Connect(*end, *previous);
      if (!labelled) continue;
      const std::string name = "P1:X" + std::to_string(c + 1);
      auto* source = static_cast<TObjSpl*>(project.CreateElement(kind::Spl, 60 * kChainLength + 20, 60 * c));
      source->SetName(name);
      Connect(*end, source->Pin());
      project.CurrentPage = 1;
      auto* destination = static_cast<TObjSpl*>(project.CreateElement(kind::Spl, 100, 60 * c));
      destination->AttachTo(name);
      Connect(*project.CreateElement(kind::Knoten, 200, 60 * c), destination->Pin());
      project.CurrentPage = 0;
    }
    project.Pasting = false;
    project.Renumber();
    engine.SetAllPagesOpen(true);
    engine.StartSimulation();
    engine.Tick();
    engine.Tick();
  }
};

void BM_TickSteady(benchmark::State& state) {
  ChainPlan plan;
  for (auto _ : state) plan.engine.Tick();
  state.counters["gates"] = kChains * kChainLength;
  state.counters["objects"] = double(plan.project.Elements().size());
}
BENCHMARK(BM_TickSteady)->Unit(benchmark::kMillisecond);

void BM_TickEveryLevelChanging(benchmark::State& state) {
  ChainPlan plan;
  for (auto _ : state) {
    for (TObjAnschluss* head : plan.heads) plan.engine.Toggle(*head);
    plan.engine.Tick();
  }
  state.counters["gates"] = kChains * kChainLength;
}
BENCHMARK(BM_TickEveryLevelChanging)->Unit(benchmark::kMillisecond);

// The same with every chain carried to another page by a pair of labels (100 sources, 100 destinations).
void BM_TickEveryLevelChangingThroughLabels(benchmark::State& state) {
  ChainPlan plan(true);
  for (auto _ : state) {
    for (TObjAnschluss* head : plan.heads) plan.engine.Toggle(*head);
    plan.engine.Tick();
  }
  state.counters["gates"] = kChains * kChainLength;
  state.counters["labels"] = 2 * kChains;
}
BENCHMARK(BM_TickEveryLevelChangingThroughLabels)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolmek
