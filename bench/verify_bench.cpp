// How long the check on the simulated chip takes for the largest example plan, and how it grows with the
// simulated time: the example's own bench run to 1, 5 and 20 seconds.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "model/project_file.h"
#include "verify/gputils.h"
#include "verify/verify.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

// The largest plan in examples/ that has a bench beside it.
fs::path LargestExample() {
  fs::path best;
  for (const auto& entry : fs::directory_iterator(fs::path(TOLMEK_SOURCE_DIR) / "examples")) {
    if (entry.path().extension() != ".pic" || !fs::exists(BenchPathFor(entry.path().string()))) continue;
    if (best.empty() || entry.file_size() > fs::file_size(best)) best = entry.path();
  }
  return best;
}

void BM_VerifyLargestExample(benchmark::State& state) {
  if (!HaveGpasm() || !HaveGpsim()) return state.SkipWithError("gputils/gpsim not installed");
  const fs::path plan = LargestExample();
  RecordingSink sink;
  Messenger messages{&sink};
  Project project{messages};
  FixedPassword none;
  if (plan.empty() || !OpenProject(project, plan.string(), none)) return state.SkipWithError("no example plan");
  std::ifstream in(BenchPathFor(plan.string()));
  std::stringstream text;
  text << in.rdbuf();
  BenchReading bench = ReadBench(text.str(), BenchPathFor(plan.string()));
  bench.bench.endMs = state.range(0);
  for (auto _ : state) {
    const VerifyReport report = Verify(project, bench.bench);
    benchmark::DoNotOptimize(report.seconds);
  }
  state.SetLabel(plan.filename().string() + ", " + std::to_string(bench.bench.Steps()) + " steps");
}
BENCHMARK(BM_VerifyLargestExample)->Arg(1000)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tolmek
