// The limiter: pins, file record, names it announces and its simulation rule.
#include "components/limit.h"

#include "components/block_support.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjLimit::TObjLimit(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Limit;
  Width = 60;
  Height = 60;
  Name = "LM";
  in_ = &AddPin(kind::InputPin, 8, 0, 10, 30, "");
  out_ = &AddPin(kind::OutputPin, 8, 1, 50, 30, "");
  upper_ = &AddPin(kind::OutputPin, 1, 1, 50, 10, "");
  lower_ = &AddPin(kind::OutputPin, 1, 1, 50, 50, "");
}

void TObjLimit::SetWidth16(bool wide) {
  Width16 = wide ? 1 : 0;
  for (auto* pin : {in_, out_}) pin->Bits = wide ? 16 : 8;
  out_->HighByteUsed = wide;
}

bool TObjLimit::LowerLimitActs() const {
  auto constant = MaskedConstant(LowerLimit, Is16Bit());
  return !constant || *constant != 0;
}

TObjLimit::Outcome TObjLimit::Clamp(long value, long upper, long lower) {
  if (upper < value) return {upper, true, false};
  if (value < lower) return {lower, false, true};
  return {value, false, false};
}

TObjAnschluss* TObjLimit::HitPin(int x, int y) {
  for (auto* pin : {out_, upper_, lower_, in_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjLimit::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("width16", Width16, 0, 1);
  v.Text("upperLimit", UpperLimit, kMaxNameLength);
  v.Text("lowerLimit", LowerLimit, kMaxNameLength);
  v.Pin("in", *in_);
  v.Pin("out", *out_);
  v.Pin("upperFlag", *upper_);
  v.Pin("lowerFlag", *lower_);
  v.Page(Page);
  v.Zeros(256);
}

void TObjLimit::AfterLoad() { SetWidth16(Is16Bit()); }

void TObjLimit::DeclareVariables(Analysis& a) {
  for (auto* pin : {out_, upper_, lower_}) pin->DeclareVariables(a);
}

void TObjLimit::NoteUsedNames(Analysis& a) {
  for (auto* pin : {out_, upper_, lower_}) pin->NoteUsedNames(a);
}

void TObjLimit::SimulationStart(SimContext& ctx) {
  showing_ = false;
  Messenger& m = ctx.GetProject().Messages;
  bool ok = true;
  // The input is read as a register by the program: it must be a variable.
  if (!BindValue(ctx, in_->Name, inValue_, false)) {
    m.ShowMessage(Msg::UnknownInputVariable, MessageMode::Error, Name);
    ok = false;
  }
  if (!BindValue(ctx, out_->Name, outValue_, false)) {
    m.ShowMessage(Msg::UnknownOutputVariable, MessageMode::Error, Name);
    ok = false;
  }
  if (!BindValue(ctx, UpperLimit, upperValue_)) {
    m.ShowMessage(Msg::UnknownUpperLimit, MessageMode::Error, Name);
    ok = false;
  }
  if (!BindValue(ctx, LowerLimit, lowerValue_)) {
    m.ShowMessage(Msg::UnknownLowerLimit, MessageMode::Error, Name);
    ok = false;
  }
  bound_ = ok;
}

void TObjLimit::SimulationStep(SimContext&) {
  if (!bound_) return;  // the limiter stays idle after its start message
  const long mask = WidthMask(Is16Bit());
  const Outcome o = Clamp(inValue_.Read(mask), upperValue_.Read(mask), lowerValue_.Read(mask));
  outValue_.Write(o.value);
  DriveLevel(*upper_, o.upper);
  DriveLevel(*lower_, o.lower);
  if (!showing_ || o.value != shown_) {
    shown_ = o.value;
    showing_ = true;
    Redraw();
  }
}

void TObjLimit::SimulationStop(SimContext&) {
  inValue_ = outValue_ = upperValue_ = lowerValue_ = {};
  bound_ = showing_ = false;
  ClearLevels(*this);
}

}  // namespace tolmek
