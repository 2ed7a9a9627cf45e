// tolmekc dump: a readable listing of a plan file.
#include <cstdio>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "model/record_io.h"

namespace tolmek::cli {

namespace {
constexpr const char* kUsage = "dump PLAN.pic [--password PW] [--lang de|en|it]";
}

int RunDump(const std::vector<std::string>& args) {
  std::string error;
  auto options = ParseOptions(args, {"--password", "--lang"}, {}, error);
  if (!options) return UsageError(kUsage, error);
  if (options->positional.size() != 1) return UsageError(kUsage, "name one plan file");
  Session session;
  if (!session.ApplyLanguage(*options)) return kExitUsage;
  if (!session.OpenPlan(options->positional[0], *options)) return kExitFailure;
  std::string listing = "file: " + options->positional[0] + "\n" + PlanListing(session.project);
  if (!WriteOutput("", listing)) return kExitFailure;
  return 0;
}

}  // namespace tolmek::cli
