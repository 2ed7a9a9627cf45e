// The generated code of the limiter: the input tested against the upper limit and, when that did not act,
// against the lower one; the output gets the limit that acted or the input, each flag tells which acted.
#include <string>

#include "components/block_code.h"
#include "components/limit.h"

namespace tolmek {

namespace {

// The operands of a limit: a constant (masked to the width) or a variable.
struct Limit {
  std::optional<long> constant;
  std::string variable;
};

Limit ReadLimit(const TBauteil& block, const std::string& text, bool wide) {
  Limit l;
  l.constant = MaskedConstant(text, wide);
  if (!l.constant) l.variable = VariableOperand(block, text);
  return l;
}

}  // namespace

void TObjLimit::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Limiter -> " + Name);
  if (!RequireVariable(w, *this, *in_)) {
    c.Blank();
    return;
  }
  const bool wide = Is16Bit();
  const std::string x = BlockCode::ByteOperand(*in_);
  const std::string y = BlockCode::ByteOperand(*out_);
  const bool hasUpperFlag = upper_->Name != ".";
  const bool hasLowerFlag = lower_->Name != ".";
  const std::string fu = hasUpperFlag ? c.BitOperand(*upper_) : "";
  const std::string fl = hasLowerFlag ? c.BitOperand(*lower_) : "";
  const Limit upper = ReadLimit(*this, UpperLimit, wide);
  const Limit lower = ReadLimit(*this, LowerLimit, wide);
  const bool lowerActs = LowerLimitActs();

  auto loadLow = [&](const Limit& l) {
    if (l.constant)
      c.Op(std::string(wide ? "MOVLW LOW " : "MOVLW ") + std::to_string(*l.constant));
    else
      c.OpOn("MOVFW", l.variable);
  };
  auto loadHigh = [&](const Limit& l) {
    if (l.constant)
      c.Op("MOVLW HIGH " + std::to_string(*l.constant));
    else
      c.OpOn("MOVFW", l.variable + "_HI");
  };
  // The flags of X - limit; with 16 bits the high bytes decide unless they are equal.
  auto subtract = [&](const Limit& l, const char* check) {
    if (wide) {
      loadHigh(l);
      c.OpOn("SUBWF", x + "_HI,W");
      c.Op("BTFSS STATUS,ZERO");
      c.Goto(check);
    }
    loadLow(l);
    c.OpOn("SUBWF", x + ",W");
    if (wide) c.JumpTarget(check);
  };
  // Each path writes either flag and the output once, so that ports show no passing values.
  auto flags = [&](bool up, bool low) {
    if (hasUpperFlag) c.OpOn(up ? SetBit(*upper_) : ClearBit(*upper_), fu);
    if (hasLowerFlag) c.OpOn(low ? SetBit(*lower_) : ClearBit(*lower_), fl);
  };
  auto copyLimit = [&](const Limit& l) {
    loadLow(l);
    c.OpOn("MOVWF", y);
    if (wide) {
      loadHigh(l);
      c.OpOn("MOVWF", y + "_HI");
    }
  };

  const char* below = lowerActs ? "_BOTTOM" : "_INSIDE";
  subtract(upper, "_CHECK1");
  c.Op("BTFSS STATUS,CARRY");
  c.Goto(below);
  c.Op("BTFSC STATUS,ZERO");
  c.Goto(below);
  c.Blank();
  flags(true, false);
  copyLimit(upper);
  c.Goto("_EXIT");
  c.Blank();
  if (lowerActs) {
    c.JumpTarget("_BOTTOM");
    subtract(lower, "_CHECK2");
    c.Op("BTFSC STATUS,CARRY");
    c.Goto("_INSIDE");
    c.Blank();
    flags(false, true);
    copyLimit(lower);
    c.Goto("_EXIT");
    c.Blank();
  }
  c.JumpTarget("_INSIDE");
  flags(false, false);
  c.OpOn("MOVFW", x);
  c.OpOn("MOVWF", y);
  if (wide) {
    c.OpOn("MOVFW", x + "_HI");
    c.OpOn("MOVWF", y + "_HI");
  }
  c.Blank();
  c.JumpTarget("_EXIT");
  c.Blank();
}

}  // namespace tolmek
