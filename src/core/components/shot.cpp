// The one-shot: pins, file record, names it announces and its simulation rule.
#include "components/shot.h"

#include "codegen/analysis.h"
#include "components/block_support.h"

namespace tolmek {

TObjShot::TObjShot(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Shot;
  Width = 70;
  Height = 40;
  Name = "OS";
  in_ = &AddPin(kind::InputPin, 1, 0, 10, 30, "IN");
  out_ = &AddPin(kind::OutputPin, 1, 1, 60, 30, "OUT");
}

TObjAnschluss* TObjShot::HitPin(int x, int y) {
  for (auto* pin : {out_, in_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjShot::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Pin("in", *in_);
  v.Pin("out", *out_);
  v.Page(Page);
  v.Zeros(256);
}

void TObjShot::DeclareVariables(Analysis& a) {
  a.RegisterBit(Name + "_FD.0", 0, 0);
  out_->DeclareVariables(a);
}

void TObjShot::NoteUsedNames(Analysis& a) {
  a.RegisterVariable(Name + "_FD");
  out_->NoteUsedNames(a);
}

void TObjShot::SimulationStart(SimContext&) { edge_.Reset(); }

// Active for exactly one step after the input became active, as the program is for one pass of its loop.
void TObjShot::SimulationStep(SimContext&) { DriveLevel(*out_, edge_.Update(*in_)); }

void TObjShot::SimulationStop(SimContext&) { ClearLevels(*this); }

}  // namespace tolmek
