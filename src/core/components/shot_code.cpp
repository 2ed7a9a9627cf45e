// The generated code of the one-shot. IN is read once per pass; bit 0 of Name_FD remembers its raw level,
// which starts low with the cleared RAM, so an inverted input at rest does not fire at power-up.
#include "components/block_code.h"
#include "components/shot.h"

namespace tolmek {

void TObjShot::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; One Shot -> " + Name);
  c.Blank();
  const std::string memory = Name + "_FD,0";
  const bool inverted = in_->Inverted;
  const std::string out = c.BitOperand(*out_);
  // skip when the input is active / skip when the remembered level is not the active one
  c.OpOn(SkipIfLow(*in_), c.BitOperand(*in_));
  c.Goto("_1");
  c.OpOn(inverted ? "BTFSS" : "BTFSC", memory);
  c.Goto("_3");
  c.OpOn(inverted ? "BCF" : "BSF", memory);
  c.OpOn(SetBit(*out_), out);
  c.Goto("_2");
  c.JumpTarget("_1");
  c.OpOn(inverted ? "BSF" : "BCF", memory);
  c.JumpTarget("_3");
  c.OpOn(ClearBit(*out_), out);
  c.JumpTarget("_2");
}

}  // namespace tolmek
