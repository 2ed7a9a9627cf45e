// What the numeric blocks (comparator, arithmetic, limiter) share: value connections that are a variable
// or a decimal constant, in the simulation and in the generated code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "components/strigg8.h"  // DecimalConstant
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class ProgramWriter;
class SimContext;
struct SimVariable;

// The mask of a value width: 0xFF for 8 bits, 0xFFFF for 16.
[[nodiscard]] constexpr long WidthMask(bool wide) { return wide ? 0xFFFF : 0xFF; }

// A value connection while simulating: a variable of the table or a constant of the plan.
struct ValueSource {
  SimVariable* variable = nullptr;
  long constant = 0;
  bool bound = false;
  [[nodiscard]] long Read(long mask) const;
  void Write(long value) const;
};

// Finds `name` among the simulation's variables or reads it as a decimal constant (when allowed).
// Returns false (and leaves `source` unbound) when it is neither.
bool BindValue(SimContext& ctx, std::string_view name, ValueSource& source, bool constantAllowed = true);

// The constant a connection names, cut to the width the code works with; nullopt for a variable.
[[nodiscard]] std::optional<long> MaskedConstant(std::string_view name, bool wide);

// The register a variable name stands for, as for a byte connection ("RB" -> "PORTB", "GP" -> "GPIO" on
// the GPIO parts).
[[nodiscard]] std::string VariableOperand(const TBauteil& block, const std::string& name);

// A connection the generated code reads as a register must name a variable. A number there would be taken
// for a register address: it is reported with the block's name (message 18, not in the preview run) and
// an ERROR line stops the assembler. Returns false in that case.
bool RequireVariable(ProgramWriter& w, const TBauteil& block, const TObjAnschluss& pin);

}  // namespace tolmek

namespace tolmek {
// "8" or "16" in the lower right corner of a comparator or arithmetic block.
void DrawWidthMark(Canvas& canvas, const TBauteil& block, bool wide);
}  // namespace tolmek
