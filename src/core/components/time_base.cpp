// The time base the timing blocks count on, and the code and simulation forms of edge inputs.
#include "components/time_base.h"

#include <algorithm>
#include <cmath>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"

namespace tolmek {

double TickMilliseconds(double clockHz) { return kCyclesPerTick * 4.0 / clockHz * 1000.0; }

long TicksFor(double ms, double clockHz) { return std::lround(ms / TickMilliseconds(clockHz)); }

long MaxTimerPeriod(double clockHz) {
  return std::min(131070L, std::lround(2.0 * kMaxTicks * TickMilliseconds(clockHz)));
}

long MaxPulseLength(double clockHz) {
  return std::min(65535L, std::lround(double(kMaxTicks) * TickMilliseconds(clockHz)));
}

void DeclareByte(Analysis& a, const std::string& name, bool bits) {
  if (name.empty()) return;
  a.RegisterVariable(name);
  if (bits)
    for (int b = 0; b < 8; ++b) a.RegisterBit(name + "." + std::to_string(b), 0, 0);
}

void DeclareTimeBase(Analysis& a, bool bits) {
  const ProcessorProps& p = a.Props();
  if (p.Core12) {
    DeclareByte(a, "SYS_OLDTMR0", bits);
    return;
  }
  DeclareByte(a, "SYS_WSAV", bits);
  DeclareByte(a, "SYS_SSAV", bits);
  if (p.PagingNeeded) DeclareByte(a, "SYS_PSAV", bits);
}

void CompareTicks(BlockCode& c, const std::string& counter, bool wide, const TickLimit& limit,
                  std::string_view target) {
  ProgramWriter& w = c.Writer();
  auto loadHigh = [&] {
    if (limit.byName) c.OpOn("MOVFW", limit.name + "_HI");
    else c.Op("MOVLW " + std::to_string((limit.ticks >> 8) & 0xFF), "; Test auf >=");
  };
  auto loadLow = [&] {
    if (limit.byName) c.OpOn("MOVFW", limit.name);
    else c.Op("MOVLW " + std::to_string(limit.ticks & 0xFF));
  };
  if (wide) {
    loadHigh();
    c.OpOn("SUBWF", counter + "_HI,W", ";F-W -> W");
    c.Op("BTFSS STATUS,ZERO", "; High-Bytes gleich ?");
    c.Goto("_CHECK");
    const BankState atJump = w.Bank();
    loadLow();
    c.OpOn("SUBWF", counter + ",W", ";F-W -> W");
    // Both ways arrive with the bank of the counter's bytes when they share one.
    const bool same = w.Bank() == atJump;
    c.Label("_CHECK");
    if (!same) w.ForgetBank();
  } else {
    loadLow();
    c.OpOn("SUBWF", counter + ",W", ";F-W -> W");
  }
  c.Op("BTFSS STATUS,CARRY", "; Schon drüber ?");
  c.Goto(target);
}

void ReadInputOnce(BlockCode& c, const TObjAnschluss& input, const std::string& memory, int bit) {
  const std::string cell = memory + "," + std::to_string(bit);
  c.OpOn("BCF", cell, "; Eingang einmal lesen");
  c.Writer().SkipThen("BTFSC " + c.BitOperand(input), "BSF " + cell);
}

}  // namespace tolmek
