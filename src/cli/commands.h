// Sub-commands of tolmekc: one function per command, listed in commands.cpp.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolmek::cli {

struct Command {
  const char* name;
  const char* usage;  // one line, shown by `tolmekc help`
  int (*run)(const std::vector<std::string>& args);  // args after the command name; returns the exit code
};

[[nodiscard]] std::span<const Command> Commands();

int RunDump(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunImport(const std::vector<std::string>& args);
int RunGenerate(const std::vector<std::string>& args);
int RunBuild(const std::vector<std::string>& args);
int RunSimulate(const std::vector<std::string>& args);
int RunTest(const std::vector<std::string>& args);
int RunVerify(const std::vector<std::string>& args);

}  // namespace tolmek::cli
