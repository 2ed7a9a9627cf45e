// Bench loading and waveform output for the bench commands.
#include "cli/bench_support.h"

#include <cstdio>

#include "verify/vcd.h"
#include "verify/verify.h"

namespace tolmek::cli {

void PrintProblems(const std::vector<BenchProblem>& problems, Language language) {
  for (const BenchProblem& p : problems) std::fprintf(stderr, "%s\n", DescribeProblem(p, language).c_str());
}

std::optional<Bench> LoadBench(const Options& options, Session& session) {
  const std::string path =
      options.positional.size() > 1 ? options.positional[1] : BenchPathFor(options.positional.front());
  auto text = ReadTextFile(path);
  if (!text) {
    session.messenger.ShowMessage(Msg::FileMissing, MessageMode::Error, path);
    return std::nullopt;
  }
  BenchReading reading = ReadBench(*text, path);
  if (!reading.problems.empty()) {
    PrintProblems(reading.problems, session.messenger.CurrentLanguage());
    return std::nullopt;
  }
  return std::move(reading.bench);
}

bool WriteVcdOption(const Options& options, const std::vector<std::pair<std::string, const Trace*>>& traces) {
  auto path = options.Get("--vcd");
  if (!path) return true;
  std::vector<VcdScope> scopes;
  for (const auto& [name, trace] : traces) scopes.push_back({name, trace, name == "chip"});
  if (WriteOutput(*path, VcdText(scopes))) return true;
  std::fprintf(stderr, "tolmekc: cannot write %s\n", path->c_str());
  return false;
}

}  // namespace tolmek::cli
