// Settings for the code-generating commands, read the way the application reads them.
#include "cli/codegen_support.h"

#include <cstdio>

#include "codegen/build.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

namespace tolmek::cli {

Environment ApplyEnvironment(Project& project) {
  Environment env;
  env.Assembler = kDefaultAssembler;
  IniFile ini;
  if (!ini.Load(SettingsFilePath(StandardSettingsFolder()))) return env;
  project.Options.Optimise = ini.ReadBool(ini::Umgebung, "Optimize", project.Options.Optimise);
  const std::string assembler = ini.ReadString(ini::Tools, "Assembler");
  if (!assembler.empty()) env.Assembler = assembler;
  return env;
}

void PrintWarnings(const std::vector<ChipWarning>& warnings) {
  for (const ChipWarning& w : warnings) std::fprintf(stderr, "%s\n", WarningLine(w).c_str());
  std::fflush(stderr);
}

}  // namespace tolmek::cli
