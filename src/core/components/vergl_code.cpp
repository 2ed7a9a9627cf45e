// The generated code of the comparator: W := A - B with the flags set, then the test of the relation.
#include <string>

#include "components/block_code.h"
#include "components/vergl.h"

namespace tolmek {

namespace {

// The relation seen from the other side: A > B is B < A.
uint8_t Mirrored(uint8_t op) {
  switch (op) {
    case TObjVergl::Greater: return TObjVergl::Less;
    case TObjVergl::GreaterEqual: return TObjVergl::LessEqual;
    case TObjVergl::LessEqual: return TObjVergl::GreaterEqual;
    case TObjVergl::Less: return TObjVergl::Greater;
    default: return op;
  }
}

}  // namespace

void TObjVergl::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Vergleich -> " + Name);
  const std::string q = c.BitOperand(*q_);
  const bool wide = Is16Bit();
  const auto aConst = MaskedConstant(a_->Name, wide);
  const auto bConst = MaskedConstant(b_->Name, wide);

  if (aConst && bConst) {
    const bool holds = Holds(CompareOp, *aConst, *bConst);
    c.OpOn(holds ? SetBit(*q_) : ClearBit(*q_), q);
    c.Blank();
    c.Blank();
    return;
  }

  // X - Y with X the register or constant subtracted from: normally A - B. The 12-bit core has no SUBLW,
  // so a constant A is taken the other way round (B - A) and the relation mirrored.
  const bool swap = aConst && w.Props().Core12;
  const TObjAnschluss& x = swap ? *b_ : *a_;
  const TObjAnschluss& y = swap ? *a_ : *b_;
  const auto xConst = swap ? bConst : aConst;
  const auto yConst = swap ? aConst : bConst;
  const uint8_t op = swap ? Mirrored(CompareOp) : CompareOp;
  const std::string xv = BlockCode::ByteOperand(x);
  const std::string yv = BlockCode::ByteOperand(y);

  // W := X - Y on one byte: `part` is "" for 8 bits, "LOW " or "HIGH " for a byte of 16; `suffix` the
  // variable's byte ("" or "_HI").
  auto subtract = [&](const std::string& part, const std::string& suffix) {
    if (yConst)
      c.Op("MOVLW " + part + std::to_string(*yConst));
    else
      c.OpOn("MOVFW", yv + suffix);
    if (xConst)
      c.Op("SUBLW " + part + std::to_string(*xConst), "; K - W -> W");
    else
      c.OpOn("SUBWF", xv + suffix + ",W", "; F - W -> W");
    c.Blank();
  };

  if (wide) {
    subtract("HIGH ", "_HI");
    c.Op("BTFSS STATUS,ZERO", "; Wenn ZERO gesetzt LOW-Byte testen");
    c.Goto("_CHECK");
    subtract("LOW ", "");
  } else {
    subtract("", "");
  }
  c.JumpTarget("_CHECK");
  // Every path below starts here, so the output's bank is chosen once for all of them.
  w.SelectBank(q);
  switch (op) {
    case Greater:
      c.Op("BTFSS STATUS,CARRY", "; Test auf -> >");
      c.Goto("_FALSE");
      c.Op("BTFSC STATUS,ZERO");
      c.Goto("_FALSE");
      break;
    case GreaterEqual:
      c.Op("BTFSS STATUS,CARRY", "; Test auf -> >=");
      c.Goto("_FALSE");
      break;
    case Equal:
      c.Op("BTFSS STATUS,ZERO", "; Test auf -> =");
      c.Goto("_FALSE");
      break;
    case LessEqual:
      c.Op("BTFSS STATUS,CARRY", "; Test auf -> <=");
      c.Goto("_TRUE");
      c.Op("BTFSS STATUS,ZERO");
      c.Goto("_FALSE");
      break;
    case Less:
      c.Op("BTFSC STATUS,CARRY", "; Test auf -> <");
      c.Goto("_FALSE");
      break;
    default:
      c.Op("BTFSC STATUS,ZERO", "; Test auf -> <>");
      c.Goto("_FALSE");
      break;
  }
  c.Blank();
  const BankState atTest = w.Bank();
  c.Label("_TRUE");
  c.OpOn(SetBit(*q_), q);
  c.Goto("_EXIT");
  c.Blank();
  // Reached only from the tests above, with the output's bank selected.
  w.RestoreBank(atTest);
  c.Label("_FALSE");
  c.OpOn(ClearBit(*q_), q);
  c.Blank();
  c.JumpTarget("_EXIT");
}

}  // namespace tolmek
