// The shift register: pins, file record and the shift it runs on a counted edge.
#include "components/sregist.h"

#include "components/block_code.h"

namespace tolmek {

TObjSregist::TObjSregist(int32_t x, int32_t y) : TCountBlock(x, y) {
  Kind = kind::Sregist;
  Width = 70;
  Height = 70;
  Name = "SR";
  d_ = &AddPin(kind::InputPin, 1, 0, 10, 10, "D");
  clk_ = &AddPin(kind::InputPin, 1, 0, 10, 30, "CLK");
  res_ = &AddPin(kind::InputPin, 1, 0, 10, 50, "RES");
  AddOutputs(kMaxOutputs, 60, 10);
}

void TObjSregist::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("outputCount", OutputCount, 1, kMaxOutputs);
  v.Pin("d", *d_);
  v.Pin("clk", *clk_);
  v.Pin("res", *res_);
  static constexpr const char* kKeys[kMaxOutputs] = {"q0", "q1", "q2", "q3", "q4", "q5", "q6", "q7"};
  for (int i = 0; i < kMaxOutputs; ++i) v.Pin(kKeys[i], *outputs_[size_t(i)]);
  v.Page(Page);
  v.Zeros(255);
}

void TObjSregist::WriteEdgeAction(BlockCode& c) {
  // D goes into the carry, the carry into bit 0.
  c.Op("BCF STATUS,CARRY");
  c.Writer().SkipThen(std::string(SkipIfHigh(*d_)) + " " + c.BitOperand(*d_), "BSF STATUS,CARRY");
  c.Blank();
  c.OpOn("RLF", Name + ",F");
}

}  // namespace tolmek
