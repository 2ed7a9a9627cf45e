// tolmekc export: the JSON form of a plan file, on stdout or into a file.
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "model/plan_json.h"

namespace tolmek::cli {

namespace {
constexpr const char* kUsage = "export PLAN.pic [-o PLAN.json] [--password PW] [--lang de|en|it]";
}

int RunExport(const std::vector<std::string>& args) {
  std::string error;
  auto options = ParseOptions(args, {"-o", "--password", "--lang"}, {}, error);
  if (!options) return UsageError(kUsage, error);
  if (options->positional.size() != 1) return UsageError(kUsage, "name one plan file");
  Session session;
  if (!session.ApplyLanguage(*options)) return kExitUsage;
  if (!session.OpenPlan(options->positional[0], *options)) return kExitFailure;
  std::string target = options->Get("-o").value_or("");
  if (!WriteOutput(target, PlanToJsonText(session.project))) {
    session.messenger.ShowMessage(Msg::CannotSave, MessageMode::Error, target);
    return kExitFailure;
  }
  return 0;
}

}  // namespace tolmek::cli
