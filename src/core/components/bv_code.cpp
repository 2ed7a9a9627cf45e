// The generated code of the distributor: bits tested into a byte (and high byte), or a byte's bits set
// on the outputs.
#include <string>

#include "codegen/analysis.h"
#include "components/bv.h"
#include "components/value_support.h"

namespace tolmek {

void TObjBv::GenerateMainCode(ProgramWriter& w) {
  if (ByteToBit())
    GenerateUnpack(w);
  else
    GeneratePack(w);
}

void TObjBv::GeneratePack(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Verteiler -> " + Name);
  if (ReportUnnamed(w, *this, *byte_, Msg::UnknownOutputVariable)) return;
  const std::string out = BlockCode::ByteOperand(*byte_);
  c.Op("MOVLW 0");
  int mask = 1;
  for (int i = 1; i <= BitCount; ++i) {
    if (i == 9) {
      c.OpOn("MOVWF", out, "; OUT");
      c.Blank();
      c.Op("MOVLW 0");
      mask = 1;
    }
    const TObjAnschluss& bit = *bits_[size_t(i - 1)];
    if (bit.Name != ".") {
      c.OpOn(SkipIfHigh(bit), c.BitOperand(bit), "; IN" + std::to_string(i - 1));
      c.Op("IORLW " + std::to_string(mask));
    }
    mask *= 2;
  }
  if (BitCount > 8)
    c.OpOn("MOVWF", out + "_HI", "; OUT High-Byte");
  else
    c.OpOn("MOVWF", out, "; OUT");
  c.Blank();
}

void TObjBv::GenerateUnpack(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Verteiler -> " + Name);
  if (ReportUnnamed(w, *this, *byte_, Msg::UnknownInputVariable) || ReportNumberAsRegister(w, *this, *byte_, Msg::UnknownInputVariable)) return;
  const std::string in = BlockCode::ByteOperand(*byte_);
  if (BitCount > 8 && !w.GetAnalysis().CellExists(in + "_HI"))
    ReportAtGeneration(*this, Msg::Needs16BitVariable, byte_->PinLabel + " = " + byte_->Name);
  for (int i = 1; i <= BitCount; ++i) {
    const TObjAnschluss& bit = *bits_[size_t(i - 1)];
    if (bit.Name == ".") continue;
    const std::string k = std::to_string(i - 1);
    const std::string operand = c.BitOperand(bit);
    if (i <= 8)
      c.OpOn("BTFSC", in + "," + k);
    else
      c.OpOn("BTFSC", in + "_HI," + std::to_string(i - 9));
    c.Goto("_" + k);
    const BankState atJump = w.Bank();
    c.OpOn(ClearBit(bit), operand);
    c.Goto("_" + k + "_END");
    // Only the jump above leads here.
    c.JumpTarget("_" + k);
    w.RestoreBank(atJump);
    c.OpOn(SetBit(bit), operand);
    c.JumpTarget("_" + k + "_END");
    c.Blank();
    w.Comment(";" + std::string(46, '*'));
    c.Blank();
  }
  c.Blank();
}

}  // namespace tolmek
