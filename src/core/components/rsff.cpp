// The RS flip-flop: pins, file record, names it announces and its simulation rule.
#include "components/rsff.h"

#include "codegen/analysis.h"
#include "components/block_support.h"

namespace tolmek {

TObjRsff::TObjRsff(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Rsff;
  Width = 50;
  Height = 40;
  Name = "RS";
  s_ = &AddPin(kind::InputPin, 1, 0, 10, 30, "S");
  r_ = &AddPin(kind::InputPin, 1, 0, 10, 10, "R");
  y_ = &AddPin(kind::OutputPin, 1, 1, 40, 20, "Y");
}

TObjAnschluss* TObjRsff::HitPin(int x, int y) {
  for (auto* pin : {y_, s_, r_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjRsff::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Pin("set", *s_);
  v.Pin("reset", *r_);
  v.Pin("out", *y_);
  v.Page(Page);
  v.Zeros(255);
}

void TObjRsff::DeclareVariables(Analysis& a) {
  // The flip-flop's own name as a whole byte (no bit); it is not an output pin, so it stays out of the port image.
  a.RegisterBit(Name, 0, 0);
  y_->DeclareVariables(a);
}

void TObjRsff::NoteUsedNames(Analysis& a) { y_->NoteUsedNames(a); }

void TObjRsff::SimulationStep(SimContext&) {
  if (r_->GetMarked())
    DriveLevel(*y_, false);
  else if (s_->GetMarked())
    DriveLevel(*y_, true);
}

void TObjRsff::SimulationStop(SimContext&) { ClearLevels(*this); }

}  // namespace tolmek
