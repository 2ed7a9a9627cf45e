// The simulation's variable table from the variable registry of an analysis of the plan.
#include "sim/plan_variables.h"

#include "codegen/analysis.h"

namespace tolmek {

void AddPlanVariables(Project& project, SimEngine& engine) {
  if (project.SimActive) return;  // the table stays the one left by the last analysis
  Analysis analysis(project);
  analysis.RunAnalysis(false);
  engine.AddVariables(analysis.VariableNames());
  // The analysis leaves the ports out (they are registers of the part); the simulation reads them as bytes.
  engine.AddVariables(PortByteNames(project));
}

}  // namespace tolmek
