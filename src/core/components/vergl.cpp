// The comparator: pins, file record, names it announces and its simulation rule.
#include "components/vergl.h"

#include <algorithm>

#include "components/block_support.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjVergl::TObjVergl(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Vergl;
  Width = 70;
  Height = 60;
  Name = "IF";
  a_ = &AddPin(kind::InputPin, 8, 0, 10, 10, "A");
  b_ = &AddPin(kind::InputPin, 8, 0, 10, 50, "B");
  q_ = &AddPin(kind::OutputPin, 1, 1, 60, 30, OpLabel(CompareOp));
}

std::string_view TObjVergl::OpLabel(uint8_t op) {
  static constexpr std::string_view kLabels[kOpCount] = {"A>B", "A>=B", "A=B", "A<=B", "A<B", "A<>B"};
  return op < kOpCount ? kLabels[op] : kLabels[0];
}

bool TObjVergl::Holds(uint8_t op, long a, long b) {
  switch (op) {
    case Greater: return a > b;
    case GreaterEqual: return a >= b;
    case Equal: return a == b;
    case LessEqual: return a <= b;
    case Less: return a < b;
    default: return a != b;
  }
}

void TObjVergl::SetWidth16(bool wide) {
  Width16 = wide ? 1 : 0;
  for (auto* pin : {a_, b_}) pin->Bits = wide ? 16 : 8;
}

void TObjVergl::SetCompareOp(uint8_t op) {
  CompareOp = std::min<uint8_t>(op, kOpCount - 1);
  q_->PinLabel = OpLabel(CompareOp);
}

TObjAnschluss* TObjVergl::HitPin(int x, int y) {
  for (auto* pin : {q_, a_, b_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjVergl::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("compareOp", CompareOp, 0, kOpCount - 1);
  v.Choice("width16", Width16, 0, 1);
  v.Pin("a", *a_);
  v.Pin("b", *b_);
  v.Pin("out", *q_);
  v.Page(Page);
  v.Zeros(255);
}

void ConvertOlderValueLayout(TBauteil& block) {
  auto pins = block.Pins();
  // Only the whole older layout is converted: a block whose pins were placed otherwise is left alone.
  if (block.Height != 40 || pins.size() < 3 || pins[0]->Y != 0 || pins[1]->Y != 40 || pins[2]->Y != 20) return;
  block.Height = 60;
  block.Y = std::max(0, block.Y - 10);
  pins[0]->Y = 10;
  pins[1]->Y = 50;
  pins[2]->Y = 30;
}

void TObjVergl::AfterLoad() {
  ConvertOlderValueLayout(*this);
  SetWidth16(Is16Bit());
  SetCompareOp(CompareOp);
}

void TObjVergl::DeclareVariables(Analysis& a) { q_->DeclareVariables(a); }

void TObjVergl::NoteUsedNames(Analysis& a) { q_->NoteUsedNames(a); }

void TObjVergl::SimulationStart(SimContext& ctx) {
  bound_ = BindValue(ctx, a_->Name, aValue_) && BindValue(ctx, b_->Name, bValue_);
  if (!bound_) ctx.GetProject().Messages.ShowMessage(Msg::UnknownInputVariable, MessageMode::Error, Name);
}

void TObjVergl::SimulationStep(SimContext& ctx) {
  if (!bound_) {
    ctx.RequestAbort();
    return;
  }
  // The program compares 8 or 16 bits: so does the simulation.
  const long mask = WidthMask(Is16Bit());
  DriveLevel(*q_, Holds(CompareOp, aValue_.Read(mask), bValue_.Read(mask)));
}

void TObjVergl::SimulationStop(SimContext&) {
  aValue_ = bValue_ = {};
  bound_ = false;
  ClearLevels(*this);
}

}  // namespace tolmek
