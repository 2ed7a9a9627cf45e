// A check's report as text, the same in tolmekc and in the window.
#include <cstdio>

#include "verify/verify.h"

namespace tolmek {

std::string DescribeFailure(const FailedExpectation& f, const char* side) {
  std::string found = f.found == kUnknown ? "nothing" : std::to_string(f.found);
  std::string text = "line " + std::to_string(f.line.line) + ": at " + std::to_string(f.line.ms) + " ms " +
                     f.line.name + " should be " + std::to_string(f.line.value);
  if (f.line.withinMs > 0) text += " within " + std::to_string(f.line.withinMs) + " ms";
  return text + ", the " + side + " shows " + found;
}

namespace {

const char* OutcomeText(VerifyReport::Outcome outcome) {
  switch (outcome) {
    case VerifyReport::Outcome::Agree: return "agreement: the simulation and the chip show the same";
    case VerifyReport::Outcome::Differ: return "the simulation and the chip differ";
    case VerifyReport::Outcome::BadBench: return "the test bench cannot be run";
    case VerifyReport::Outcome::NotBuilt: return "the program could not be built";
    case VerifyReport::Outcome::NotChecked: return "not checked on the chip";
    case VerifyReport::Outcome::Aborted: return "the simulation was aborted";
  }
  return "";
}

}  // namespace

std::string DescribeProblem(const BenchProblem& problem, Language language) {
  return problem.place + ": " + ComposeMessage(language, problem.number, MessageMode::Error, problem.detail, {});
}

std::vector<std::string> DescribeReport(const VerifyReport& r) {
  std::vector<std::string> lines;
  std::string head = r.processor + (r.gpsimModel.empty() ? "" : " (gpsim " + r.gpsimModel + ")") + ": " +
                     OutcomeText(r.outcome);
  if (!r.simulated.rows.empty())
    head += ", " + std::to_string(r.simulated.MsOfRow(r.simulated.rows.size() - 1)) + " ms in steps of " +
            std::to_string(r.simulated.stepMs) + " ms";
  lines.push_back(head);
  for (const BenchProblem& p : r.problems) lines.push_back(DescribeProblem(p, r.language));
  if (r.divergence) {
    const Divergence& d = *r.divergence;
    lines.push_back("first divergence at " + std::to_string(d.ms) + " ms: " + d.signal + " simulated " +
                    std::to_string(d.simulated) + ", chip " + std::to_string(d.chip));
  }
  for (const auto& f : r.simulationFailures) lines.push_back(DescribeFailure(f, "simulation"));
  for (const auto& f : r.chipFailures) lines.push_back(DescribeFailure(f, "chip"));
  for (const auto& n : r.notes) lines.push_back(n);
  return lines;
}

}  // namespace tolmek
