// The generated code of the arithmetic block. The 12-bit core has no ADDLW and SUBLW: its forms get by
// with MOVLW and the register forms of the instructions.
#include <string>

#include "codegen/analysis.h"
#include "components/block_code.h"
#include "components/mathe.h"

namespace tolmek {

void TObjMathe::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  w.StarLine(51);
  w.Comment(";" + Name);
  w.StarLine(51);
  w.Blank();
  const bool wide = Is16Bit();
  const auto aConst = MaskedConstant(a_->Name, wide);
  const auto bConst = MaskedConstant(b_->Name, wide);
  const std::string r = BlockCode::ByteOperand(*r_);

  if (aConst && bConst) {
    // Decided now, for every operation.
    const long v = Compute(Operation, *aConst, *bConst, wide);
    if (wide) {
      c.Op("MOVLW LOW " + std::to_string(v));
      c.OpOn("MOVWF", r);
      c.Op("MOVLW HIGH " + std::to_string(v));
      c.OpOn("MOVWF", r + "_HI");
    } else {
      c.Op("MOVLW " + std::to_string(v));
      c.OpOn("MOVWF", r);
    }
    c.Blank();
    c.Blank();
    return;
  }
  if (CallsRoutine())
    CallRoutine(w);
  else if (wide)
    AddSubtract16(w);
  else
    AddSubtract8(w);
  c.Blank();
  c.Label("_EXIT");
}

void TObjMathe::AddSubtract8(ProgramWriter& w) {
  BlockCode c(w, *this);
  const bool core12 = w.Props().Core12;
  const auto aConst = MaskedConstant(a_->Name, false);
  const auto bConst = MaskedConstant(b_->Name, false);
  const std::string a = BlockCode::ByteOperand(*a_);
  const std::string b = BlockCode::ByteOperand(*b_);
  const std::string r = BlockCode::ByteOperand(*r_);

  if (Operation == Add) {
    // Every form writes the result once: a port written twice would show the first value on its pins.
    if (aConst) {
      c.Op("MOVLW " + std::to_string(*aConst));
      c.OpOn("ADDWF", b + ",W");
    } else if (!bConst) {
      c.OpOn("MOVFW", a);
      c.OpOn("ADDWF", b + ",W");
    } else if (core12) {
      // No ADDLW: the constant is added to the register instead.
      c.Op("MOVLW " + std::to_string(*bConst));
      c.OpOn("ADDWF", a + ",W");
    } else {
      c.OpOn("MOVFW", a);
      c.Op("ADDLW " + std::to_string(*bConst));
    }
    c.OpOn("MOVWF", r);
    return;
  }
  // Subtraction.
  if (aConst && core12) {
    // No SUBLW: the constant goes into a work register. B is read before the result is written.
    c.Op("MOVLW " + std::to_string(*aConst));
    c.OpOn("MOVWF", "SYS_TMP1");
    c.OpOn("MOVFW", b);
    c.OpOn("SUBWF", "SYS_TMP1,W", "; F - W -> W");
    c.OpOn("MOVWF", r);
    return;
  }
  if (bConst)
    c.Op("MOVLW " + std::to_string(*bConst));
  else
    c.OpOn("MOVFW", b);
  if (aConst)
    c.Op("SUBLW " + std::to_string(*aConst), "; L - W -> W");
  else
    c.OpOn("SUBWF", a + ",W", "; F - W -> W");
  c.OpOn("MOVWF", r);
}

void TObjMathe::AddSubtract16(ProgramWriter& w) {
  BlockCode c(w, *this);
  const bool core12 = w.Props().Core12;
  const auto aConst = MaskedConstant(a_->Name, true);
  const auto bConst = MaskedConstant(b_->Name, true);
  const std::string a = BlockCode::ByteOperand(*a_);
  const std::string b = BlockCode::ByteOperand(*b_);
  const std::string r = BlockCode::ByteOperand(*r_);
  const std::string aText = aConst ? std::to_string(*aConst) : "";
  const std::string bText = bConst ? std::to_string(*bConst) : "";

  // The low byte first; its carry or borrow goes into the high byte before that is written, so that each
  // result byte is written once.
  auto plusCarry = [](long constant) { return std::to_string(((constant >> 8) + 1) & 0xFF); };
  auto high = [](long constant) { return std::to_string((constant >> 8) & 0xFF); };
  if (Operation == Add) {
    if (aConst) {
      c.Op("MOVLW LOW " + aText);
      c.OpOn("ADDWF", b + ",W");
    } else if (!bConst) {
      c.OpOn("MOVFW", a);
      c.OpOn("ADDWF", b + ",W");
    } else if (core12) {
      c.Op("MOVLW LOW " + bText);
      c.OpOn("ADDWF", a + ",W");
    } else {
      c.OpOn("MOVFW", a);
      c.Op("ADDLW LOW " + bText);
    }
    c.OpOn("MOVWF", r);
    if (aConst || bConst) {
      const long k = aConst ? *aConst : *bConst;
      c.Op("MOVLW " + high(k), "; HIGH " + (aConst ? aText : bText));
      c.Op("BTFSC STATUS,CARRY");
      c.Op("MOVLW " + plusCarry(k), "; + CARRY");
      c.OpOn("ADDWF", (aConst ? b : a) + "_HI,W");
    } else {
      c.OpOn("MOVFW", a + "_HI");
      c.SkipOver("BTFSC STATUS,CARRY", "INCF", a + "_HI,W");
      c.OpOn("ADDWF", b + "_HI,W");
    }
    c.OpOn("MOVWF", r + "_HI");
    return;
  }
  // Subtraction.
  if (aConst && core12) {
    // No SUBLW: the constant in SYS_TMP2:SYS_TMP1, B subtracted there, then the result written.
    c.Op("MOVLW HIGH " + aText);
    c.OpOn("MOVWF", "SYS_TMP2");
    c.Op("MOVLW LOW " + aText);
    c.OpOn("MOVWF", "SYS_TMP1");
    c.OpOn("MOVFW", b);
    c.OpOn("SUBWF", "SYS_TMP1,F", "; F - W -> F");
    c.SkipOver("BTFSS STATUS,CARRY", "DECF", "SYS_TMP2,F");
    c.OpOn("MOVFW", b + "_HI");
    c.OpOn("SUBWF", "SYS_TMP2,W");
    c.OpOn("MOVWF", r + "_HI");
    c.OpOn("MOVFW", "SYS_TMP1");
    c.OpOn("MOVWF", r);
    return;
  }
  if (bConst)
    c.Op("MOVLW LOW " + bText);
  else
    c.OpOn("MOVFW", b);
  if (aConst)
    c.Op("SUBLW LOW " + aText, "; L - W -> W");
  else
    c.OpOn("SUBWF", a + ",W", "; F - W -> W");
  c.OpOn("MOVWF", r);
  // A borrow (CARRY clear) adds one to what is taken from the high byte.
  if (bConst) {
    c.Op("MOVLW " + high(*bConst), "; HIGH " + bText);
    c.Op("BTFSS STATUS,CARRY");
    c.Op("MOVLW " + plusCarry(*bConst), "; + BORROW");
  } else {
    c.OpOn("MOVFW", b + "_HI");
    c.SkipOver("BTFSS STATUS,CARRY", "INCF", b + "_HI,W");
  }
  if (aConst)
    c.Op("SUBLW HIGH " + aText, "; L - W -> W");
  else
    c.OpOn("SUBWF", a + "_HI,W", "; F - W -> W");
  c.OpOn("MOVWF", r + "_HI");
}

// Operands into the work registers, the shared routine, the result back.
void TObjMathe::CallRoutine(ProgramWriter& w) {
  BlockCode c(w, *this);
  const bool wide = Is16Bit();
  const auto aConst = MaskedConstant(a_->Name, wide);
  const auto bConst = MaskedConstant(b_->Name, wide);
  const std::string a = BlockCode::ByteOperand(*a_);
  const std::string b = BlockCode::ByteOperand(*b_);
  const std::string r = BlockCode::ByteOperand(*r_);
  auto load = [&](const std::optional<long>& constant, const std::string& var, const std::string& part,
                  const std::string& suffix, const char* target) {
    if (constant)
      c.Op("MOVLW " + part + std::to_string(*constant));
    else
      c.OpOn("MOVFW", var + suffix);
    c.OpOn("MOVWF", target);
  };
  std::string routine;
  if (wide) {
    load(aConst, a, "LOW ", "", "SYS_TMP1");
    load(aConst, a, "HIGH ", "_HI", "SYS_TMP2");
    load(bConst, b, "LOW ", "", "SYS_TMP3");
    load(bConst, b, "HIGH ", "_HI", "SYS_TMP4");
    routine = Operation == Multiply ? "SYSMUL16" : "SYSDIV16";
  } else {
    load(aConst, a, "", "", "SYS_TMP1");
    load(bConst, b, "", "", "SYS_TMP2");
    routine = Operation == Multiply ? "SYSMUL8" : "SYSDIV8";
  }
  // The routines lie in the first page, written before the main loop.
  w.SelectPage(0);
  c.Op("CALL " + routine);
  w.ForgetBank();
  w.SelectPage(w.RomCounter());
  if (wide) {
    c.OpOn("MOVFW", "SYS_TMP5");
    c.OpOn("MOVWF", r);
    c.OpOn("MOVFW", "SYS_TMP6");
    c.OpOn("MOVWF", r + "_HI");
  } else {
    c.OpOn("MOVFW", "SYS_TMP3");
    c.OpOn("MOVWF", r);
  }
}

}  // namespace tolmek
