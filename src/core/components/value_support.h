// Byte and word connections shared by the routing kinds: constants and variables while simulating, and the
// checks and loads their generated code makes.
#pragma once

#include <string>
#include <string_view>

#include "components/block_code.h"
#include "components/numeric.h"  // WidthMask
#include "components/strigg8.h"  // DecimalConstant
#include "model/element.h"
#include "model/messages.h"
#include "model/pin.h"

namespace tolmek {

class SimContext;
struct SimVariable;

// A connection while simulating: a variable of the table, or a constant written as a decimal number.
struct ValueRef {
  SimVariable* variable = nullptr;
  long constant = 0;
  bool bound = false;
  [[nodiscard]] long Read(long mask) const;
  // Constants are not written.
  void Write(long value) const;
};

// Binds the pin's name: a variable of the table first, else a decimal constant. False when it is neither.
bool BindValue(SimContext& ctx, const TObjAnschluss& pin, ValueRef& ref);
// Binds a variable only (a connection the block writes, or one the code reads as a register).
bool BindVariable(SimContext& ctx, const TObjAnschluss& pin, ValueRef& ref);

// --- Generation checks. Each shows its message with the block's name (never in the preview run) and
// writes an ERROR line, so that the assembler refuses the program instead of building a wrong one.
// A pin the code reads as a register but that carries a number: message `number`. True when it is a number.
bool ReportNumberAsRegister(ProgramWriter& w, const TBauteil& block, const TObjAnschluss& pin, Msg number);
// A byte or word connection without a name (nothing to read or write): message `number`. True when unnamed.
bool ReportUnnamed(ProgramWriter& w, const TBauteil& block, const TObjAnschluss& pin, Msg number);
// A constant that does not fit 8 (16) bits: message 20. True when it does not fit.
bool ReportConstantTooWide(ProgramWriter& w, const TBauteil& block, std::string_view text, bool wide);
// Shows a message of a generation run (not of the preview) with the block's name.
void ReportAtGeneration(const TBauteil& block, Msg number, std::string_view detail2 = {});

// W := low byte of a connection: "MOVFW var", or "MOVLW LOW n" (16-bit) / "MOVLW n" (8-bit).
void LoadLow(BlockCode& c, const TObjAnschluss& pin, bool wide);
// W := high byte: "MOVFW var_HI" or "MOVLW HIGH n".
void LoadHigh(BlockCode& c, const TObjAnschluss& pin);

}  // namespace tolmek
