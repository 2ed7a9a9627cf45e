// What the timing and edge-counting blocks share: the tick of the time base, its work registers, and the
// one reading of an edge input per pass (in the program and in the simulation).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "components/block_code.h"
#include "model/pin.h"

namespace tolmek {

class Analysis;
class Project;

// One tick of the time base is 256 instruction cycles (one TMR0 overflow); an instruction cycle is four
// clock periods.
inline constexpr int kCyclesPerTick = 256;
inline constexpr int kMaxTicks = 65535;

// Milliseconds of one tick at the project's clock (0.256 at 4 MHz).
[[nodiscard]] double TickMilliseconds(double clockHz);
// Ticks for `ms` milliseconds, to the nearest whole tick; may exceed kMaxTicks.
[[nodiscard]] long TicksFor(double ms, double clockHz);
// The range a timer period (ms) may take at the clock: 2 .. min(131070, two full tick counters).
inline constexpr long kMinTimerPeriod = 2;
[[nodiscard]] long MaxTimerPeriod(double clockHz);
// The range of a mono-flop length (ms): 1 .. min(65535, one full tick counter).
inline constexpr long kMinPulseLength = 1;
[[nodiscard]] long MaxPulseLength(double clockHz);

// Announces the time base's work registers: SYS_OLDTMR0 on 12-bit cores (TMR0 is polled), the interrupt's
// save registers otherwise. `bits` also enters their bits into the bit list.
void DeclareTimeBase(Analysis& a, bool bits);
// Announces a byte variable and, with `bits`, its eight bit names.
void DeclareByte(Analysis& a, const std::string& name, bool bits);

// The time comparison of a tick counter `counter` (and counter_HI when `wide`) with a limit: jumps to
// `target` while the counter is below the limit. The limit is a pair of literals or a variable (limit,
// limit_HI when wide). The high bytes decide unless they are equal; only then the low bytes do.
struct TickLimit {
  bool byName = false;
  std::string name;  // variable
  long ticks = 0;    // constant
};
void CompareTicks(BlockCode& c, const std::string& counter, bool wide, const TickLimit& limit,
                  std::string_view target);

// Reads an edge input once per pass: bit `bit` of `memory` takes the input's raw level.
void ReadInputOnce(BlockCode& c, const TObjAnschluss& input, const std::string& memory, int bit);

// The edge memory of a block while simulating: the raw level of the input at the last step. It starts
// low, as the cleared RAM of the chip does: an input high from the start counts as an edge in both, an
// inverted input never does at the start.
class EdgeMemory {
 public:
  void Reset() { raw_ = false; }
  // Takes this step's reading; true when the input became active.
  bool Update(const TObjAnschluss& input) {
    const bool raw = input.Marked != 0;
    const bool edge = raw != raw_ && input.GetMarked() != 0;
    raw_ = raw;
    return edge;
  }

 private:
  bool raw_ = false;
};

}  // namespace tolmek
