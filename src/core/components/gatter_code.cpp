// The generated code of the logic gate.
#include <string>

#include "components/block_code.h"
#include "components/gatter.h"

namespace tolmek {

namespace {

constexpr const char* kTitles[] = {"; UND - ", "; ODER - ", "; EXKLUSIVODER - "};

void WriteAnd(BlockCode& c, const TObjGatter& g, const std::string& out) {
  for (int i = 0; i < g.ActiveInputs(); ++i) {
    const TObjAnschluss& in = g.Input(i);
    c.Label("_" + std::to_string(i + 1));
    c.OpOn(SkipIfLow(in), c.BitOperand(in));
    c.Goto("_FALSE");
  }
  c.Blank();
  c.Label("_TRUE");
  c.OpOn(SetBit(g.Output()), out);
  c.Goto("_ENDE");
  c.JumpTarget("_FALSE");
  c.OpOn(ClearBit(g.Output()), out);
  c.JumpTarget("_ENDE");
}

void WriteOr(BlockCode& c, const TObjGatter& g, const std::string& out) {
  for (int i = 0; i < g.ActiveInputs(); ++i) {
    const TObjAnschluss& in = g.Input(i);
    c.Label("_" + std::to_string(i + 1));
    c.OpOn(SkipIfHigh(in), c.BitOperand(in));
    c.Goto("_TRUE");
  }
  c.Blank();
  c.Label("_FALSE");
  c.OpOn(ClearBit(g.Output()), out);
  c.Goto("_ENDE");
  c.JumpTarget("_TRUE");
  c.OpOn(SetBit(g.Output()), out);
  c.JumpTarget("_ENDE");
}

// Counts the active inputs in SYS_TMP1; the output is high when the count is exactly one.
void WriteExclusiveOr(BlockCode& c, const TObjGatter& g, const std::string& out) {
  c.OpOn("CLRF", "SYS_TMP1");
  for (int i = 0; i < g.ActiveInputs(); ++i) {
    const TObjAnschluss& in = g.Input(i);
    const std::string next = "_" + std::to_string(i + 1);
    c.OpOn(SkipIfLow(in), c.BitOperand(in));
    c.Goto(next);
    c.OpOn("INCF", "SYS_TMP1,F");
    c.Blank();
    c.JumpTarget(next);
  }
  c.OpOn("DECF", "SYS_TMP1,F");
  c.SkipOver("BTFSC STATUS,ZERO", SetBit(g.Output()), out);
  c.SkipOver("BTFSS STATUS,ZERO", ClearBit(g.Output()), out);
}

}  // namespace

void TObjGatter::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  const uint8_t type = GateType <= ExclusiveOr ? GateType : uint8_t(And);
  c.Header(std::string(kTitles[type]) + "Gatter -> " + Name);
  const std::string out = c.BitOperand(Output());
  switch (type) {
    case Or: WriteOr(c, *this, out); break;
    case ExclusiveOr: WriteExclusiveOr(c, *this, out); break;
    default: WriteAnd(c, *this, out); break;
  }
}

}  // namespace tolmek
