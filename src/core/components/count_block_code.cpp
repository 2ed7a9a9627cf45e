// The generated code of the counting blocks. CLK is read once per pass into bit 1 of Name_FD; the edge test
// and the edge memory (bit 0) both use that one reading, so no edge arriving between two readings is lost.
#include "components/block_code.h"
#include "components/count_block.h"

namespace tolmek {

void TCountBlock::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header(Title());
  const std::string fd = MemoryName();
  const bool fallingEdge = clk_->Inverted;
  ReadInputOnce(c, *clk_, fd, 1);
  c.Blank();
  c.OpOn(SkipIfLow(*res_), c.BitOperand(*res_), "; Reset ?");
  c.Goto("_COUNT");
  c.OpOn("CLRF", Name);
  if (Wide()) c.OpOn("CLRF", Name + "_HI");
  c.Goto("_SETOUT");
  c.Blank();
  c.JumpTarget("_COUNT");
  c.Blank();
  w.Comment(fallingEdge ? "; Test auf negative Flanke" : "; Test auf positive Flanke");
  c.Blank();
  // No edge when the level remembered already was the active one, or the level read now is not.
  c.OpOn(fallingEdge ? "BTFSS" : "BTFSC", fd + ",0");
  c.Goto("_SETFD");
  c.OpOn(fallingEdge ? "BTFSC" : "BTFSS", fd + ",1");
  c.Goto("_SETFD");
  c.Blank();
  WriteEdgeAction(c);
  c.Blank();
  c.JumpTarget("_SETOUT");
  c.Blank();
  WriteOutputs(c);
  c.JumpTarget("_SETFD");
  c.Blank();
  c.OpOn("BCF", fd + ",0", "; Flankenspeicher");
  w.SkipThen("BTFSC " + fd + ",1", "BSF " + fd + ",0");
  c.Label("_END");
  c.Blank();
}

void TCountBlock::WriteOutputs(BlockCode& c) {
  ProgramWriter& w = c.Writer();
  for (int i = 0; i < ActiveOutputs(); ++i) {
    const TObjAnschluss& q = *outputs_[size_t(i)];
    if (q.Name == ".") continue;  // an unnamed output has nothing to drive
    const std::string n = std::to_string(i);
    const std::string operand = c.BitOperand(q);
    w.Comment("; Output Q" + n);
    c.Blank();
    c.OpOn("BTFSS", StateBit(i));
    c.Goto("_SETOUT" + n);
    const BankState atTest = w.Bank();
    c.OpOn(SetBit(q), operand);
    c.Goto("_SETOUT" + n + "_END");
    const BankState afterSet = w.Bank();
    c.Label("_SETOUT" + n);
    w.RestoreBank(atTest);
    c.OpOn(ClearBit(q), operand);
    const bool same = w.Bank() == afterSet;
    c.Label("_SETOUT" + n + "_END");
    if (!same) w.ForgetBank();
    c.Blank();
  }
}

}  // namespace tolmek
