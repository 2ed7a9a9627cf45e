// tolmekc build: generate the source of a plan, assemble it, show the error file and the ROM and RAM figures.
#include <cstdio>

#include "cli/cli_support.h"
#include "cli/codegen_support.h"
#include "cli/commands.h"
#include "codegen/build.h"

namespace tolmek::cli {

namespace {
constexpr const char* kUsage = "build PLAN.pic [--assembler PROG] [--password PW] [--lang de|en|it]";
}

int RunBuild(const std::vector<std::string>& args) {
  std::string error;
  auto options = ParseOptions(args, {"--assembler", "--password", "--lang"}, {}, error);
  if (!options) return UsageError(kUsage, error);
  if (options->positional.size() != 1) return UsageError(kUsage, "name one plan file");
  Session session;
  if (!session.ApplyLanguage(*options)) return kExitUsage;
  if (!session.OpenPlan(options->positional[0], *options)) return kExitFailure;
  const Environment environment = ApplyEnvironment(session.project);

  Analysis analysis(session.project);
  ProgramWriter writer(session.project, analysis);
  BuildOptions build;
  build.Assembler = options->Get("--assembler").value_or(environment.Assembler);
  const BuildResult r = Build(writer, build);
  PrintWarnings(r.Warnings);
  if (!r.SourceWritten && !r.OutOfRom) session.messenger.ShowMessage(Msg::CannotSave, MessageMode::Error, r.SourcePath);
  if (!r.ErrorText.empty()) std::fputs(r.ErrorText.c_str(), stdout);
  if (r.AssemblerStarted) {
    std::printf("ROM: %d (%d)\n", static_cast<int>(r.RomUsed), r.RomSize);
    std::printf("RAM: %d (%d)\n", r.RamUsed, r.RamSize);
  }
  std::fflush(stdout);
  return r.Succeeded() ? 0 : kExitFailure;
}

}  // namespace tolmek::cli
