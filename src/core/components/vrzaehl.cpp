// The up/down counter: pins, the name its QS output shares, file record and the count on an edge.
#include "components/vrzaehl.h"

#include "components/block_code.h"

namespace tolmek {

TObjVrzaehl::TObjVrzaehl(int32_t x, int32_t y) : TCountBlock(x, y) {
  Kind = kind::Vrzaehl;
  Width = 80;
  Height = 70;
  Name = "ZV";
  OutputCount = 0;
  res_ = &AddPin(kind::InputPin, 1, 0, 10, 10, "RES");
  clk_ = &AddPin(kind::InputPin, 1, 0, 10, 30, "CLK");
  rv_ = &AddPin(kind::InputPin, 1, 0, 10, 50, "R / V");
  qs_ = &AddPin(kind::OutputPin, 8, 1, 70, 10, "QS");
  qs_->Renamable = false;
  qs_->InvertAllowed = false;
  qs_->Name = Name;
  AddOutputs(kMaxOutputs, 70, 40);
}

void TObjVrzaehl::SetWidth16(bool wide) {
  Width16 = wide ? 1 : 0;
  qs_->Bits = wide ? 16 : 8;
  qs_->HighByteUsed = wide;
  OutputCount = uint8_t(std::min<int>(OutputCount, MaxOutputs()));
}

void TObjVrzaehl::SetName(std::string_view name) {
  TBauteil::SetName(name);
  if (qs_ && qs_->Name != Name) qs_->ForceName(Name);
}

void TObjVrzaehl::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("outputCount", OutputCount, 0, kMaxOutputs);
  v.Choice("width16", Width16, 0, 1);
  v.Pin("res", *res_);
  v.Pin("clk", *clk_);
  v.Pin("direction", *rv_);
  v.Pin("qs", *qs_);
  static constexpr const char* kKeys[kMaxOutputs] = {"q0", "q1", "q2",  "q3",  "q4",  "q5",  "q6",  "q7",
                                                      "q8", "q9", "q10", "q11", "q12", "q13", "q14", "q15"};
  for (int i = 0; i < kMaxOutputs; ++i) v.Pin(kKeys[i], *outputs_[size_t(i)]);
  v.Page(Page);
  v.Zeros(255);
}

void TObjVrzaehl::AfterLoad() {
  qs_->Bits = Wide() ? 16 : 8;
  qs_->HighByteUsed = Wide();
}

void TObjVrzaehl::WriteEdgeAction(BlockCode& c) {
  c.OpOn(SkipIfHigh(*rv_), c.BitOperand(*rv_), "; Vorwärts oder Rückwärts ?");
  c.Goto("_BACKWARD");
  c.Blank();
  if (Wide()) {
    c.OpOn("INCFSZ", Name + ",F");
    c.Goto("_SETOUT");
    c.OpOn("INCF", Name + "_HI,F");
  } else {
    c.OpOn("INCF", Name + ",F");
  }
  c.Goto("_SETOUT");
  c.Blank();
  c.JumpTarget("_BACKWARD");
  c.OpOn("DECF", Name + ",F");
  if (Wide()) {
    // Name was 0 before when it reads 255 now: the borrow goes to the high byte.
    c.OpOn("INCFSZ", Name + ",W");
    c.Goto("_SETOUT");
    c.OpOn("DECF", Name + "_HI,F");
  }
}

}  // namespace tolmek
