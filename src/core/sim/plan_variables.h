// Filling the simulation's variable table from the names the analysis pass registers for a plan.
#pragma once

#include "model/project.h"
#include "sim/engine.h"

namespace tolmek {

// Runs an analysis of the project (not while simulating) and adds every variable it registered to
// the engine's table; known names keep their values.
void AddPlanVariables(Project& project, SimEngine& engine);

}  // namespace tolmek
