// The Schmitt trigger: pins, file record, names it announces and its simulation rule.
#include "components/strigg8.h"

#include <charconv>

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

std::optional<long> DecimalConstant(std::string_view name) {
  if (name.empty()) return std::nullopt;
  long value = 0;
  auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), value);
  if (ec != std::errc() || end != name.data() + name.size() || name.front() == '-') return std::nullopt;
  return value;
}

TObjStrigg8::TObjStrigg8(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Strigg8;
  Width = 60;
  Height = 70;
  Name = "ST";
  in_ = &AddPin(kind::InputPin, 8, 0, 10, 10, "IN");
  sp_ = &AddPin(kind::InputPin, 8, 0, 10, 40, "SP");
  hy_ = &AddPin(kind::InputPin, 8, 0, 10, 60, "HY");
  q_ = &AddPin(kind::OutputPin, 1, 1, 50, 30, "Q");
}

void TObjStrigg8::SetWidth16(bool wide) {
  Width16 = wide ? 1 : 0;
  for (auto* pin : {in_, sp_, hy_}) pin->Bits = wide ? 16 : 8;
}

TObjAnschluss* TObjStrigg8::HitPin(int x, int y) {
  for (auto* pin : {q_, in_, sp_, hy_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjStrigg8::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Pin("in", *in_);
  v.Pin("sp", *sp_);
  v.Pin("hy", *hy_);
  v.Pin("q", *q_);
  v.Choice("width16", Width16, 0, 1);
  v.Page(Page);
  v.Zeros(254);
}

void TObjStrigg8::AfterLoad() { SetWidth16(Is16Bit()); }

bool TObjStrigg8::UsesTmp1() const { return Is16Bit() || !DecimalConstant(hy_->Name); }

void TObjStrigg8::DeclareVariables(Analysis& a) {
  if (UsesTmp1()) RegisterWorkBits(a, "SYS_TMP1");
  if (UsesTmp2()) RegisterWorkBits(a, "SYS_TMP2");
  q_->DeclareVariables(a);
}

void TObjStrigg8::NoteUsedNames(Analysis& a) {
  if (UsesTmp1()) a.RegisterVariable("SYS_TMP1");
  if (UsesTmp2()) a.RegisterVariable("SYS_TMP2");
  q_->NoteUsedNames(a);
}

long TObjStrigg8::ValueSource::Read(long mask) const { return (variable ? variable->Value : constant) & mask; }

bool TObjStrigg8::BindSource(SimContext& ctx, const TObjAnschluss& pin, ValueSource& source) {
  source = {};
  if (SimVariable* v = ctx.Variables().Find(pin.Name)) {
    source.variable = v;
    return true;
  }
  if (auto constant = DecimalConstant(pin.Name)) {
    source.constant = *constant;
    return true;
  }
  ctx.GetProject().Messages.ShowMessage(Msg::UnknownInputVariable, MessageMode::Error, Name);
  return false;
}

void TObjStrigg8::SimulationStart(SimContext& ctx) {
  // One message for the first connection that names nothing; the block then stays idle.
  bound_ = BindSource(ctx, *in_, inValue_) && BindSource(ctx, *sp_, spValue_) && BindSource(ctx, *hy_, hyValue_);
}

void TObjStrigg8::SimulationStep(SimContext&) {
  if (!bound_) return;
  const long mask = Is16Bit() ? 0xFFFF : 0xFF;
  const long in = inValue_.Read(mask);
  const long setPoint = spValue_.Read(mask);
  if (q_->GetMarked()) {
    if (in < setPoint - hyValue_.Read(mask)) DriveLevel(*q_, false);
  } else if (in >= setPoint) {
    DriveLevel(*q_, true);
  }
}

void TObjStrigg8::SimulationStop(SimContext&) {
  inValue_ = spValue_ = hyValue_ = {};
  bound_ = false;
  ClearLevels(*this);
}

}  // namespace tolmek
