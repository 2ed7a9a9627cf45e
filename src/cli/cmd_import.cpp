// tolmekc import: a plan file made from its JSON form.
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "model/plan_json.h"
#include "model/project_file.h"

namespace tolmek::cli {

namespace {
constexpr const char* kUsage = "import PLAN.json -o PLAN.pic [--lang de|en|it]";
}

int RunImport(const std::vector<std::string>& args) {
  std::string error;
  auto options = ParseOptions(args, {"-o", "--lang"}, {}, error);
  if (!options) return UsageError(kUsage, error);
  if (options->positional.size() != 1) return UsageError(kUsage, "name one JSON file");
  auto target = options->Get("-o");
  if (!target || target->empty()) return UsageError(kUsage, "name the plan file to write with -o");
  Session session;
  if (!session.ApplyLanguage(*options)) return kExitUsage;
  const std::string& source = options->positional[0];
  std::optional<std::string> text = ReadTextFile(source);
  if (!text) {
    session.messenger.ShowMessage(Msg::FileMissing, MessageMode::Error, source);
    return kExitFailure;
  }
  try {
    PlanFromJsonText(session.project, *text);
  } catch (const CorruptFile& e) {
    session.messenger.ShowMessage(Msg::NotAProjectFile, MessageMode::Error, source, e.what());
    return kExitFailure;
  }
  // The plan is written as the JSON describes it, time stamps included, so export gives the JSON back.
  if (!WriteFileReplacing(*target, ProjectToBytes(session.project))) {
    session.messenger.ShowMessage(Msg::CannotSave, MessageMode::Error, *target);
    return kExitFailure;
  }
  return 0;
}

}  // namespace tolmek::cli
