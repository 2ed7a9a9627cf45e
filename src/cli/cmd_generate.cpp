// tolmekc generate: the assembler source of a plan, written as the "save source" command writes it.
#include <cstdio>

#include "cli/cli_support.h"
#include "cli/codegen_support.h"
#include "cli/commands.h"
#include "codegen/build.h"

namespace tolmek::cli {

namespace {
constexpr const char* kUsage = "generate PLAN.pic [-o OUT.asm|-] [--password PW] [--lang de|en|it]";
}

int RunGenerate(const std::vector<std::string>& args) {
  std::string error;
  auto options = ParseOptions(args, {"-o", "--password", "--lang"}, {}, error);
  if (!options) return UsageError(kUsage, error);
  if (options->positional.size() != 1) return UsageError(kUsage, "name one plan file");
  Session session;
  if (!session.ApplyLanguage(*options)) return kExitUsage;
  const std::string& plan = options->positional[0];
  if (!session.OpenPlan(plan, *options)) return kExitFailure;
  ApplyEnvironment(session.project);

  Analysis analysis(session.project);
  ProgramWriter writer(session.project, analysis);
  const std::string target = options->Get("-o").value_or(DefaultSourcePath(plan));
  if (target == "-") {
    const GenerationResult r = writer.GenerateText();
    PrintWarnings(ChipWarnings(session.project, analysis));
    if (!WriteOutput("", writer.Text())) return kExitFailure;
    return r.OutOfRom ? kExitFailure : 0;
  }
  const GenerationResult r = SaveSource(writer, target);
  PrintWarnings(ChipWarnings(session.project, analysis));
  if (!r.FileWritten) {
    session.messenger.ShowMessage(Msg::CannotSave, MessageMode::Error, target);
    return kExitFailure;
  }
  return r.OutOfRom ? kExitFailure : 0;
}

}  // namespace tolmek::cli
