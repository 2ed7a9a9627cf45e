// tolmekc verify: the plan's program in gpsim beside the simulation, fed by the plan's bench.
#include <charconv>
#include <cstdio>

#include "cli/bench_support.h"
#include "cli/commands.h"
#include "verify/verify.h"

namespace tolmek::cli {
namespace {
constexpr const char* kUsage =
    "verify PLAN.pic [BENCH.tbench] [--vcd FILE] [--time-limit S] [--password PW] [--lang de|en|it]";
// Exit status when the chip could not be checked (gpsim missing or not modelling the part): not a pass.
constexpr int kExitNotChecked = 3;
}  // namespace

int RunVerify(const std::vector<std::string>& args) {
  std::string error;
  auto options = ParseOptions(args, {"--vcd", "--time-limit", "--password", "--lang"}, {}, error);
  if (!options) return UsageError(kUsage, error);
  if (options->positional.empty() || options->positional.size() > 2) return UsageError(kUsage, "name a plan and at most one bench");
  VerifyOptions verify;
  if (auto limit = options->Get("--time-limit")) {
    auto [end, ec] = std::from_chars(limit->data(), limit->data() + limit->size(), verify.timeLimitSeconds);
    if (ec != std::errc() || end != limit->data() + limit->size() || verify.timeLimitSeconds < 1)
      return UsageError(kUsage, "--time-limit takes seconds");
  }
  Session session;
  if (!session.ApplyLanguage(*options)) return kExitUsage;
  if (!session.OpenPlan(options->positional[0], *options)) return kExitFailure;
  auto bench = LoadBench(*options, session);
  if (!bench) return kExitFailure;

  const VerifyReport report = Verify(session.project, *bench, verify);
  for (const std::string& line : DescribeReport(report)) std::printf("%s\n", line.c_str());
  std::printf("took %.1f s\n", report.seconds);
  std::fflush(stdout);
  if (!WriteVcdOption(*options, {{"simulation", &report.simulated}, {"chip", &report.chip}})) return kExitFailure;
  switch (report.outcome) {
    case VerifyReport::Outcome::Agree: return 0;
    case VerifyReport::Outcome::NotChecked: return kExitNotChecked;
    default: return kExitFailure;
  }
}

}  // namespace tolmek::cli
