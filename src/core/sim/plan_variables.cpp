// The simulation's variable table from the names the plan's output pins announce.
#include "sim/plan_variables.h"

#include <string>
#include <vector>

#include "model/pin.h"

namespace tolmek {

void AddPlanVariables(Project& project, SimEngine& engine) {
  std::vector<std::string> names;
  for (const auto& e : project.Elements())
    for (const TObjAnschluss* pin : e->Pins()) {
      if (!pin->IsOutput() || pin->Bits == 1 || pin->Name.empty()) continue;
      names.push_back(pin->Name);
      if (pin->HighByteUsed) names.push_back(pin->Name + "_HI");
    }
  engine.AddVariables(names);
}

}  // namespace tolmek
