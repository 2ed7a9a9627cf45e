// Running an outside program with an argument list (no shell) and waiting for it.
#pragma once

#include <string>
#include <vector>

namespace tolmek {

struct ProcessResult {
  bool Started = false;  // false: the program could not be run at all
  int ExitCode = -1;     // the exit status; -1 when the program was ended by a signal
  std::string Output;    // what it wrote to stdout and stderr, in order
};

// Runs args[0] (looked up in PATH when it holds no "/") with args[1..] in `workDir` (empty: the current
// directory) and waits until it ends.
[[nodiscard]] ProcessResult RunProcess(const std::vector<std::string>& args, const std::string& workDir = {});

}  // namespace tolmek
