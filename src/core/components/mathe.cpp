// The arithmetic block: pins, file record, names it announces and its simulation rule.
#include "components/mathe.h"

#include <algorithm>
#include <string>

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "components/vergl.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjMathe::TObjMathe(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Mathe;
  Width = 70;
  Height = 60;
  Name = "AF";
  a_ = &AddPin(kind::InputPin, 8, 0, 10, 10, "A");
  b_ = &AddPin(kind::InputPin, 8, 0, 10, 50, "B");
  r_ = &AddPin(kind::OutputPin, 8, 1, 60, 30, OpLabel(Operation));
}

std::string_view TObjMathe::OpLabel(uint8_t op) {
  static constexpr std::string_view kLabels[kOpCount] = {"A + B", "A - B", "A x B", "A DIV B"};
  return op < kOpCount ? kLabels[op] : kLabels[0];
}

long TObjMathe::Compute(uint8_t op, long a, long b, bool wide) {
  const long mask = WidthMask(wide);
  a &= mask;
  b &= mask;
  switch (op) {
    case Add: return (a + b) & mask;
    case Subtract: return (a - b) & mask;
    case Multiply: return (a * b) & mask;
    default: return b == 0 ? mask : a / b;
  }
}

void TObjMathe::SetWidth16(bool wide) {
  Width16 = wide ? 1 : 0;
  for (auto* pin : {a_, b_, r_}) pin->Bits = wide ? 16 : 8;
  r_->HighByteUsed = wide;
}

void TObjMathe::SetOperation(uint8_t op) {
  Operation = std::min<uint8_t>(op, kOpCount - 1);
  r_->PinLabel = OpLabel(Operation);
}

TObjAnschluss* TObjMathe::HitPin(int x, int y) {
  for (auto* pin : {r_, a_, b_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjMathe::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("operation", Operation, 0, kOpCount - 1);
  v.Choice("width16", Width16, 0, 1);
  v.Pin("a", *a_);
  v.Pin("b", *b_);
  v.Pin("result", *r_);
  v.Page(Page);
  v.Zeros(255);
}

void TObjMathe::AfterLoad() {
  ConvertOlderValueLayout(*this);
  SetWidth16(Is16Bit());
  SetOperation(Operation);
}

int TObjMathe::WorkRegisters(const Analysis& a) const {
  if (CallsRoutine()) return Is16Bit() ? 7 : 4;
  // The 12-bit core subtracts from a constant in work registers.
  const bool constantMinusVariable = Operation == Subtract && DecimalConstant(a_->Name) && !DecimalConstant(b_->Name);
  if (constantMinusVariable && a.Props().Core12) return Is16Bit() ? 2 : 1;
  return 0;
}

void TObjMathe::DeclareVariables(Analysis& a) {
  for (int n = 1; n <= WorkRegisters(a); ++n) RegisterWorkBits(a, "SYS_TMP" + std::to_string(n));
  r_->DeclareVariables(a);
}

void TObjMathe::NoteUsedNames(Analysis& a) {
  for (int n = 1; n <= WorkRegisters(a); ++n) a.RegisterVariable("SYS_TMP" + std::to_string(n));
  if (CallsRoutine()) {
    bool& flag = Operation == Multiply ? (Is16Bit() ? a.NeedsMul16 : a.NeedsMul8)
                                       : (Is16Bit() ? a.NeedsDiv16 : a.NeedsDiv8);
    flag = true;
  }
  r_->NoteUsedNames(a);
}

void TObjMathe::SimulationStart(SimContext& ctx) {
  showing_ = false;
  const bool inputs = BindValue(ctx, a_->Name, aValue_) && BindValue(ctx, b_->Name, bValue_);
  if (!inputs) ctx.GetProject().Messages.ShowMessage(Msg::UnknownInputVariable, MessageMode::Error, Name);
  const bool result = BindValue(ctx, r_->Name, rValue_, false);
  if (inputs && !result) ctx.GetProject().Messages.ShowMessage(Msg::UnknownOutputVariable, MessageMode::Error, Name);
  bound_ = inputs && result;
}

void TObjMathe::SimulationStep(SimContext& ctx) {
  if (!bound_) {
    ctx.RequestAbort();
    return;
  }
  const bool wide = Is16Bit();
  const long value = Compute(Operation, aValue_.Read(WidthMask(wide)), bValue_.Read(WidthMask(wide)), wide);
  rValue_.Write(value);
  if (!showing_ || value != shown_) {
    shown_ = value;
    showing_ = true;
    Redraw();
  }
}

void TObjMathe::SimulationStop(SimContext&) {
  aValue_ = bValue_ = rValue_ = {};
  bound_ = showing_ = false;
  ClearLevels(*this);
}

}  // namespace tolmek
