// The check on the simulated chip: the plan's program built and run in gpsim beside the on-screen simulation,
// both fed by one bench, compared step by step.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/project.h"
#include "verify/bench.h"
#include "verify/trace.h"

namespace tolmek {

struct VerifyOptions {
  // Seconds gpsim may run before it is stopped.
  int timeLimitSeconds = 600;
  // Called with the generated program before it is assembled (tests alter it to prove a divergence is seen).
  std::function<void(std::string& source)> alterSource;
};

struct VerifyReport {
  enum class Outcome {
    Agree,        // both sides ran, no divergence, every expectation met on both
    Differ,       // a divergence or a failed expectation
    BadBench,     // the bench names what the plan lacks, or asks what the chip cannot do
    NotBuilt,     // generation or the assembler failed
    NotChecked,   // gpsim (or gpasm) is missing, or does not model the processor: the chip was not checked
    Aborted,      // the simulation was stopped by a block's message
  };
  Outcome outcome = Outcome::Agree;
  Language language = Language::English;  // of the messages in the report
  std::string processor;   // the part's name ("16F84")
  std::string gpsimModel;  // the processor gpsim ran ("p16f84"), empty when none
  std::vector<BenchProblem> problems;
  // Messages that do not stop the check (number and composed text), and the reasons for NotBuilt/NotChecked.
  std::vector<std::string> notes;
  std::optional<Divergence> divergence;
  std::vector<FailedExpectation> simulationFailures, chipFailures;
  Trace simulated, chip;
  double seconds = 0;  // wall time of the whole check
};

// Runs the check. The project is simulated (not while its own simulation runs) and generated, never saved;
// the program is built in a temporary folder.
[[nodiscard]] VerifyReport Verify(Project& project, const Bench& bench, const VerifyOptions& options = {});

// A bench problem as a line: "lamp.tbench:12: Error 68 : test bench line cannot be read -> sett RA.0 1".
[[nodiscard]] std::string DescribeProblem(const BenchProblem& problem, Language language);

// A missed expectation as a line: "line 7: at 250 ms RB.4 should be 1, the chip shows 0".
[[nodiscard]] std::string DescribeFailure(const FailedExpectation& failure, const char* side);

// The report as lines of text: the outcome, the first divergence, every failed expectation, the notes.
[[nodiscard]] std::vector<std::string> DescribeReport(const VerifyReport& report);

}  // namespace tolmek
