// The generated code of the RS flip-flop: reset is tested first, so it wins over set.
#include "components/block_code.h"
#include "components/rsff.h"

namespace tolmek {

void TObjRsff::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; RS-FLIP-FLOP -> " + Name);
  const std::string y = c.BitOperand(*y_);
  c.OpOn(SkipIfHigh(*r_), c.BitOperand(*r_));
  c.Goto("_RESET");
  c.OpOn(SkipIfLow(*s_), c.BitOperand(*s_));
  c.Goto("_ENDE");
  // An inverted output swaps the instructions; the comments follow the instruction written.
  auto comment = [](std::string_view op) { return op == "BSF" ? "; Ausgang setzen" : "; Ausgang zurücksetzen"; };
  c.OpOn(SetBit(*y_), y, comment(SetBit(*y_)));
  c.Goto("_ENDE");
  c.JumpTarget("_RESET");
  c.OpOn(ClearBit(*y_), y, comment(ClearBit(*y_)));
  c.JumpTarget("_ENDE");
  c.Blank();
}

}  // namespace tolmek
