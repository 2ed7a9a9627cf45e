// What a bench run records: the value of every signal at the end of every step, on screen or on the chip.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "verify/bench.h"

namespace tolmek {

// A chip pin's net ("RB.3", "GP.2") or a variable of the plan.
struct Signal {
  enum class Kind { Pin, Variable, InnerNet };
  Kind kind = Kind::Pin;
  std::string name;
  bool output = false;  // pins: the program drives it
  int bits = 1;         // 1 for nets, 8 or 16 for variables
  // Pins: the port register and bit as gpsim names them ("portb", 3); variables: their RAM addresses.
  std::string port;
  int bit = 0;
  int address = -1, highAddress = -1;
  // A/D results ("ADC0"): the pin whose voltage the chip converts (gpsim's name) and the reading at full
  // scale. The bench's value for them becomes that pin's voltage on the chip.
  std::string analoguePin;
  int fullScale = 0;
  [[nodiscard]] bool OnChip() const { return kind != Kind::InnerNet; }
  // The name the chip's side of a waveform gives it: "portb3", "COUNT@0x0c".
  [[nodiscard]] std::string ChipName() const;
};

inline constexpr int64_t kUnknown = -1;

struct Trace {
  int stepMs = kDefaultBenchStep;
  std::vector<Signal> channels;
  // rows[k] holds every signal's value at the end of step k + 1 (at (k + 1) * stepMs); kUnknown: not read.
  std::vector<std::vector<int64_t>> rows;

  [[nodiscard]] std::optional<size_t> Find(const std::string& name) const;
  [[nodiscard]] int64_t MsOfRow(size_t row) const { return int64_t(row + 1) * stepMs; }
};

// An expectation of the bench that a run did not meet, with the value found at its time.
struct FailedExpectation {
  BenchLine line;
  int64_t found = kUnknown;
};

// Every expectation on a signal the trace holds: met when the value is seen at some step end within
// [time - within, time + within] (the step that ends at or after the time when within is 0).
[[nodiscard]] std::vector<FailedExpectation> CheckExpectations(const Bench& bench, const Trace& trace);

// The first step where the chip shows a value of a chip signal that the screen shows neither in the same step
// nor in the one before or after it; reported from the step where the two began to differ.
struct Divergence {
  int64_t ms = 0;
  std::string signal;
  int64_t simulated = 0, chip = 0;
};
[[nodiscard]] std::optional<Divergence> FirstDivergence(const Trace& simulated, const Trace& chip);

// The row of the step that ends at or after `ms` (row 0 for times within the first step).
[[nodiscard]] size_t RowAt(const Trace& trace, int64_t ms);

}  // namespace tolmek
