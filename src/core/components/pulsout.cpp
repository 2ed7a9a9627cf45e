// The pulse and PWM output: pins, file record, the names it announces and the dialog's rule.
#include "components/pulsout.h"

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "components/strigg8.h"

namespace tolmek {

TObjPulsOut::TObjPulsOut(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::PulsOut;
  Width = 80;
  Height = 40;
  Name = "PO";
  value_ = &AddPin(kind::InputPin, 16, 0, 10, 10, "VAL");
  enable_ = &AddPin(kind::InputPin, 1, 0, 10, 30, kPulseEnableLabel);
  out_ = &AddPin(kind::OutputPin, 1, 1, Width - 10, 10, "OUT");
}

void TObjPulsOut::SetEnableLabel() { enable_->PinLabel = IsPwm() ? kPwmEnableLabel : kPulseEnableLabel; }

bool TObjPulsOut::PwmAvailable(const ProcessorProps& p) const {
  return !p.CcpPins[static_cast<size_t>(Ccp() - 1)].empty();
}

void TObjPulsOut::ApplySettings(uint8_t pulseType, uint8_t ccpNumber, const ProcessorProps& p) {
  PulseType = pulseType == kPwm && p.CcpCount() > 0 ? kPwm : kPulse;
  if (IsPwm()) {
    // A part with one module has it as CCP1.
    CcpNumber = ccpNumber == 2 && p.CcpCount() == 2 ? 2 : 1;
    out_->Inverted = false;
    out_->SetName(p.CcpPins[static_cast<size_t>(CcpNumber - 1)]);
  }
  SetEnableLabel();
}

TObjAnschluss* TObjPulsOut::HitPin(int x, int y) {
  for (auto* pin : {out_, value_, enable_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjPulsOut::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Pin("value", *value_);
  v.Pin("enable", *enable_);
  v.Pin("out", *out_);
  v.Byte("storedFlag", StoredFlag);
  v.Page(Page);
  v.Choice("pulseType", PulseType, kPulse, kPwm);
  v.Byte("ccpNumber", CcpNumber);
  v.Zeros(253);
}

void TObjPulsOut::AfterLoad() {
  value_->Bits = 16;
  SetEnableLabel();
}

bool TObjPulsOut::ValueIsConstant() const { return DecimalConstant(value_->Name).has_value(); }

void TObjPulsOut::DeclareVariables(Analysis& a) {
  if (!ValueIsConstant() && !value_->Name.empty()) {
    for (int b = 0; b < 8; ++b) {
      a.RegisterBit(value_->Name + "." + std::to_string(b), 0, 0);
      a.RegisterBit(value_->Name + "_HI." + std::to_string(b), 0, 0);
    }
  }
  RegisterWorkBits(a, "SYS_TMP1");
  RegisterWorkBits(a, "SYS_TMP2");
  if (!IsPwm()) RegisterWorkBits(a, "SYS_TMP3");
  if (IsPwm()) a.RegisterBit(Name + "_FD.0", 0, 0);
  out_->DeclareVariables(a);
}

void TObjPulsOut::NoteUsedNames(Analysis& a) {
  if (!ValueIsConstant() && !value_->Name.empty()) {
    a.RegisterVariable(value_->Name);
    a.RegisterVariable(value_->Name + "_HI");
  }
  a.RegisterVariable("SYS_TMP1");
  a.RegisterVariable("SYS_TMP2");
  // The pulse follows the running timer: SYS_TMP3 holds the timer value last seen.
  if (!IsPwm()) a.RegisterVariable("SYS_TMP3");
  if (IsPwm()) a.RegisterVariable(Name + "_FD");
  out_->NoteUsedNames(a);
}

void TObjPulsOut::SimulationStop(SimContext&) { ClearLevels(*this); }

}  // namespace tolmek
