// Running a bench against the generated program in gpsim: the same changes on the pins, the same samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "verify/bench.h"
#include "verify/gputils.h"
#include "verify/trace.h"

namespace tolmek {

struct ChipRun {
  Trace trace;
  bool ran = false;    // gpsim ran and printed every sample
  std::string output;  // gpsim's output, for a report when it did not
  // The cycle the chip entered its main loop: bench time 0 on the chip (its initialisation has no
  // counterpart on the screen).
  uint64_t startCycle = 0;
};

// Every input pin among `channels` is driven low from the start and then as the bench's changes say; a
// variable's change is written to its RAM cells. Pins are read from their port registers and variables
// from their cells at the end of every step (the instruction cycles of `clockHz` per ms), counted from the
// moment the program first enters its main loop. Inner nets have no chip value.
[[nodiscard]] ChipRun RunOnChip(const Assembly& program, const std::string& gpsimProcessor, const Bench& bench,
                                std::vector<Signal> channels, int64_t clockHz, int timeLimitSeconds);

}  // namespace tolmek
