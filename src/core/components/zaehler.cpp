// The counter: pins, file record and the instruction it runs on a counted edge.
#include "components/zaehler.h"

#include "components/block_code.h"

namespace tolmek {

TObjZaehler::TObjZaehler(int32_t x, int32_t y) : TCountBlock(x, y) {
  Kind = kind::Zaehler;
  Width = 80;
  Height = 60;
  Name = "ZR";
  res_ = &AddPin(kind::InputPin, 1, 0, 10, 10, "RES");
  clk_ = &AddPin(kind::InputPin, 1, 0, 10, 30, "CLK");
  AddOutputs(kMaxOutputs, 70, 10);
}

void TObjZaehler::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("outputCount", OutputCount, 1, kMaxOutputs);
  v.Pin("res", *res_);
  v.Pin("clk", *clk_);
  static constexpr const char* kKeys[kMaxOutputs] = {"q0", "q1", "q2", "q3", "q4", "q5", "q6", "q7"};
  for (int i = 0; i < kMaxOutputs; ++i) v.Pin(kKeys[i], *outputs_[size_t(i)]);
  v.Page(Page);
  v.Zeros(255);
}

void TObjZaehler::WriteEdgeAction(BlockCode& c) { c.OpOn("INCF", Name + ",F"); }

}  // namespace tolmek
