// Speed of the list-wide file and net passes on a plan of 5,000 blocks with their nets.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "components/gatter.h"
#include "components/gnd.h"
#include "components/spl.h"
#include "components/text.h"
#include "model/node.h"
#include "model/project_file.h"

namespace tolmek {
namespace {

// 1,000 units of five blocks: a gate fed by GND and by a destination label, driving a source label, and a
// comment; three nets each. 28,000 numbers: about as many as element numbers allow.
struct BigPlan {
  RecordingSink sink;
  Messenger messages{&sink};
  Project project{messages};

  BigPlan() {
    project.Pasting = true;  // no renumbering per created element while building
    for (int i = 0; i < 1000; ++i) {
      int x = 100 + (i % 10) * 280, y = 60 + (i / 10 % 25) * 75;
      project.CurrentPage = i / 250;
      auto& gnd = static_cast<TObjGnd&>(*project.CreateElement(kind::Gnd, x, y));
      auto& target = static_cast<TObjSpl&>(*project.CreateElement(kind::Spl, x, y + 30));
      target.SetMode(0);
      auto& gate = static_cast<TObjGatter&>(*project.CreateElement(kind::Gatter, x + 80, y));
      auto& source = static_cast<TObjSpl&>(*project.CreateElement(kind::Spl, x + 180, y));
      source.Name = "P1:X";
      project.CreateElement(kind::Text, x, y - 20);
      auto node = [&](int nx, int ny) -> TObjKnoten& {
        return static_cast<TObjKnoten&>(*project.CreateElement(kind::Knoten, nx, ny));
      };
      TObjKnoten& a = node(x + 40, y + 10);
      Connect(a, gnd.Pin());
      Connect(a, gate.Input(0));
      TObjKnoten& b = node(x + 60, y + 40);
      Connect(b, target.Pin());
      Connect(b, gate.Input(1));
      TObjKnoten& c = node(x + 150, y + 20);
      Connect(c, gate.Output());
      Connect(c, source.Pin());
    }
    project.Pasting = false;
    project.Renumber();
    project.AutoSignalNames();
  }
};

BigPlan& Plan() {
  static BigPlan plan;
  return plan;
}

std::string TempPlan() { return (std::filesystem::temp_directory_path() / "tolmek_file_bench.pic").string(); }

void BM_SaveProject(benchmark::State& state) {
  auto& p = Plan();
  for (auto _ : state) benchmark::DoNotOptimize(SaveProject(p.project, TempPlan()));
  state.counters["elements"] = double(p.project.Elements().size());
}

void BM_OpenProject(benchmark::State& state) {
  auto& p = Plan();
  SaveProject(p.project, TempPlan());
  RecordingSink sink;
  Messenger messages(&sink);
  Project project(messages);
  FixedPassword none;
  for (auto _ : state) benchmark::DoNotOptimize(OpenProject(project, TempPlan(), none));
  if (project.Elements().size() != p.project.Elements().size()) state.SkipWithError("the plan did not load");
}

void BM_Renumber(benchmark::State& state) {
  auto& p = Plan();
  for (auto _ : state) p.project.Renumber();
}

void BM_AutoSignalNames(benchmark::State& state) {
  auto& p = Plan();
  for (auto _ : state) p.project.AutoSignalNames();
}

BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Renumber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoSignalNames)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tolmek
