// Waveform files (VCD, as GTKWave opens them) from recorded traces.
#pragma once

#include <string>
#include <vector>

#include "verify/trace.h"

namespace tolmek {

struct VcdScope {
  std::string name;     // "simulation", "chip"
  const Trace* trace;
  bool chipNames;       // channels under their chip names ("portb3") instead of the plan's ("RB.3")
};

// One module per scope, time in ms; a value that was not read is written as "x".
[[nodiscard]] std::string VcdText(const std::vector<VcdScope>& scopes);

}  // namespace tolmek
