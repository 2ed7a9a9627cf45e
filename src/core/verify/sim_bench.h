// Running a bench against the on-screen simulation, headless: the channels it records and the run itself.
#pragma once

#include <vector>

#include "codegen/analysis.h"
#include "sim/engine.h"
#include "verify/bench.h"
#include "verify/trace.h"

namespace tolmek {

// The channels a bench run records: every chip pin the plan names (from an analysis that registered names),
// then every bench name that is no pin. Names the plan does not know are reported, as are values a net
// cannot take. The engine must hold the plan's variables (AddPlanVariables).
struct BenchSignals {
  std::vector<Signal> channels;
  std::vector<BenchProblem> problems;
};
[[nodiscard]] BenchSignals SignalsOf(const Bench& bench, const Analysis& analysis, SimEngine& engine);

struct SimulatedRun {
  Trace trace;
  bool aborted = false;  // a block stopped the simulation (its message was shown)
};

// Starts the simulation with every page open at the bench's step, applies each change before the step that
// contains its time, records every signal at the end of every step and stops again.
[[nodiscard]] SimulatedRun RunOnSimulation(SimEngine& engine, const Bench& bench, std::vector<Signal> channels);

}  // namespace tolmek
