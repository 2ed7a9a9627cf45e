// The generated code of the Schmitt trigger, 8- and 16-bit.
#include <algorithm>
#include <string>

#include "components/block_code.h"
#include "components/strigg8.h"

namespace tolmek {

void TObjStrigg8::GenerateMainCode(ProgramWriter& w) {
  if (Is16Bit())
    GenerateCode16(w);
  else
    GenerateCode8(w);
}

void TObjStrigg8::GenerateCode8(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Schmitt-Trigger 8-Bit -> " + Name);
  const std::string q = c.BitOperand(*q_);
  const std::string in = BlockCode::ByteOperand(*in_);
  const std::string sp = BlockCode::ByteOperand(*sp_);
  const std::string hy = BlockCode::ByteOperand(*hy_);
  const auto spConst = DecimalConstant(sp_->Name);
  const auto hyConst = DecimalConstant(hy_->Name);
  auto loadSetPoint = [&] {
    if (spConst)
      c.Op("MOVLW " + sp_->Name);
    else
      c.OpOn("MOVFW", sp);
  };

  c.OpOn(SkipIfHigh(*q_), q, "; Ausgang gesetzt ?");
  c.Goto("_MH", "; dann mit Hysterese ?");
  c.Blank();
  const BankState atTest = w.Bank();
  loadSetPoint();
  c.Goto("_TEST");
  c.Blank();
  // Only the jump above leads here, so the bank is the one selected before it.
  c.Label("_MH");
  c.Blank();
  w.RestoreBank(atTest);
  // A hysteresis above the set point puts the lower threshold at 0: the output never switches off again,
  // as in the simulation. A difference that borrowed would otherwise wrap round to a high threshold and the
  // output would toggle on every pass.
  if (spConst && hyConst) {
    c.Op("MOVLW " + std::to_string(std::max(0L, *spConst - *hyConst)));
  } else {
    if (!hyConst) {
      loadSetPoint();
      c.OpOn("MOVWF", "SYS_TMP1");
      c.OpOn("MOVFW", hy, "; Hysterese");
      c.OpOn("SUBWF", "SYS_TMP1,W");
    } else {
      c.Op("MOVLW " + hy_->Name, "; Hysterese");
      c.OpOn("SUBWF", sp + ",W");
    }
    c.Op("BTFSS STATUS,CARRY");
    c.Op("MOVLW 0", "; Hysterese > Sollwert");
  }
  c.JumpTarget("_TEST");
  c.Blank();
  c.OpOn("SUBWF", in + ",W");
  c.Op("BTFSS STATUS,CARRY");
  c.Goto("_RESET");
  c.Blank();
  c.OpOn(SetBit(*q_), q, "; if greater or equal");
  c.Goto("_ENDE");
  c.Blank();
  c.JumpTarget("_RESET");
  c.OpOn(ClearBit(*q_), q, "; if less");
  c.JumpTarget("_ENDE");
  c.Blank();
}

// The threshold is built in SYS_TMP2:SYS_TMP1 and compared with IN high byte first.
void TObjStrigg8::GenerateCode16(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Schmitt-Trigger 16-Bit -> " + Name);
  const std::string q = c.BitOperand(*q_);
  const std::string in = BlockCode::ByteOperand(*in_);
  const std::string sp = BlockCode::ByteOperand(*sp_);
  const std::string hy = BlockCode::ByteOperand(*hy_);

  if (DecimalConstant(sp_->Name)) {
    c.Op("MOVLW LOW " + sp_->Name);
    c.OpOn("MOVWF", "SYS_TMP1");
    c.Op("MOVLW HIGH " + sp_->Name);
    c.OpOn("MOVWF", "SYS_TMP2");
  } else {
    c.OpOn("MOVFW", sp);
    c.OpOn("MOVWF", "SYS_TMP1");
    c.OpOn("MOVFW", sp + "_HI");
    c.OpOn("MOVWF", "SYS_TMP2");
  }
  c.Blank();
  c.OpOn(SkipIfLow(*q_), q, "; Ausgang gesetzt ?");
  c.Goto("_TEST", "; without Hysterese");
  c.Blank();
  // The threshold goes down by the hysteresis, but not below 0: a borrow out of the high byte (from the
  // hysteresis' high byte or from the low byte's borrow) clears it, as the simulation clamps it.
  const bool hyConst = DecimalConstant(hy_->Name).has_value();
  if (hyConst)
    c.Op("MOVLW HIGH " + hy_->Name);
  else
    c.OpOn("MOVFW", hy + "_HI");
  c.OpOn("SUBWF", "SYS_TMP2,F");
  c.Op("BTFSS STATUS,CARRY");
  c.Goto("_ZERO");
  if (hyConst)
    c.Op("MOVLW LOW " + hy_->Name);
  else
    c.OpOn("MOVFW", hy);
  c.OpOn("SUBWF", "SYS_TMP1,F");
  c.Op("BTFSC STATUS,CARRY");
  c.Goto("_TEST");
  c.Op("MOVLW 1");
  c.OpOn("SUBWF", "SYS_TMP2,F");
  c.Op("BTFSC STATUS,CARRY");
  c.Goto("_TEST");
  c.JumpTarget("_ZERO");
  c.OpOn("CLRF", "SYS_TMP1", "; Hysterese > Sollwert");
  c.OpOn("CLRF", "SYS_TMP2");
  c.Blank();
  c.JumpTarget("_TEST");
  c.OpOn("MOVFW", "SYS_TMP2");
  c.OpOn("SUBWF", in + "_HI,W");
  c.Blank();
  c.Op("BTFSS STATUS,ZERO");
  c.Goto("_TEST2");
  c.Blank();
  c.OpOn("MOVFW", "SYS_TMP1");
  c.OpOn("SUBWF", in + ",W");
  c.Blank();
  c.JumpTarget("_TEST2");
  c.Op("BTFSS STATUS,CARRY");
  c.Goto("_RESET");
  c.Blank();
  c.Label("_SET");
  c.OpOn(SetBit(*q_), q, "; if greater or equal");
  c.Goto("_ENDE");
  c.Blank();
  c.JumpTarget("_RESET");
  c.OpOn(ClearBit(*q_), q, "; if less");
  c.JumpTarget("_ENDE");
  c.Blank();
}

}  // namespace tolmek
