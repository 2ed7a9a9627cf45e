// tolmekc test: runs a plan's test bench against the simulation and reports every expectation it misses.
#include <cstdio>

#include "cli/bench_support.h"
#include "cli/commands.h"
#include "codegen/analysis.h"
#include "sim/plan_variables.h"
#include "verify/sim_bench.h"
#include "verify/verify.h"

namespace tolmek::cli {
namespace {
constexpr const char* kUsage = "test PLAN.pic [BENCH.tbench] [--vcd FILE] [--password PW] [--lang de|en|it]";
}

int RunTest(const std::vector<std::string>& args) {
  std::string error;
  auto options = ParseOptions(args, {"--vcd", "--password", "--lang"}, {}, error);
  if (!options) return UsageError(kUsage, error);
  if (options->positional.empty() || options->positional.size() > 2) return UsageError(kUsage, "name a plan and at most one bench");
  Session session;
  if (!session.ApplyLanguage(*options)) return kExitUsage;
  if (!session.OpenPlan(options->positional[0], *options)) return kExitFailure;
  auto bench = LoadBench(*options, session);
  if (!bench) return kExitFailure;

  SimEngine engine(session.project);
  AddPlanVariables(session.project, engine);
  Analysis analysis(session.project);
  analysis.VariableWindowOpen = true;
  analysis.RunAnalysis(true);
  BenchSignals channels = SignalsOf(*bench, analysis, engine);
  if (!channels.problems.empty()) {
    PrintProblems(channels.problems, session.messenger.CurrentLanguage());
    return kExitFailure;
  }
  const int messagesBefore = session.sink.shown;
  SimulatedRun run = RunOnSimulation(engine, *bench, std::move(channels.channels));
  const std::vector<FailedExpectation> failures = CheckExpectations(*bench, run.trace);
  const bool passed = failures.empty() && !run.aborted && session.sink.shown == messagesBefore;
  int expectations = 0;
  for (const auto& l : bench->lines) expectations += l.kind == BenchLine::Kind::Expect;
  std::printf("%s: %d of %d expectations met in %lld ms of simulation\n", options->positional[0].c_str(),
              expectations - int(failures.size()), expectations, static_cast<long long>(bench->Steps() * bench->stepMs));
  for (const auto& f : failures) std::printf("  %s\n", DescribeFailure(f, "simulation").c_str());
  std::fflush(stdout);
  if (!WriteVcdOption(*options, {{"simulation", &run.trace}})) return kExitFailure;
  return passed ? 0 : kExitFailure;
}

}  // namespace tolmek::cli
