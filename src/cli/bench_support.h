// What `tolmekc test` and `tolmekc verify` share: reading the bench beside the plan and writing waveforms.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "verify/bench.h"
#include "verify/trace.h"

namespace tolmek::cli {

// The bench named on the command line, else the one beside the plan. Every problem is printed on stderr
// with its line number; nothing is returned unless the whole file could be read.
[[nodiscard]] std::optional<Bench> LoadBench(const Options& options, Session& session);

// Prints bench problems on stderr (the same lines as the window shows).
void PrintProblems(const std::vector<BenchProblem>& problems, Language language);

// Writes the traces as a VCD file when --vcd named one; false (after saying so) when it cannot be written.
bool WriteVcdOption(const Options& options, const std::vector<std::pair<std::string, const Trace*>>& traces);

}  // namespace tolmek::cli
