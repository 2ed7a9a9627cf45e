// The logic gate: pins, file record, names it announces and its simulation rule.
#include "components/gatter.h"

#include <algorithm>

#include "codegen/analysis.h"
#include "components/block_support.h"

namespace tolmek {

TObjGatter::TObjGatter(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Gatter;
  Width = 50;
  Height = 40;
  Name = "LG";
  for (int i = 0; i < kMaxInputs; ++i) inputs_[size_t(i)] = &AddPin(kind::InputPin, 1, 0, 10, 10 + 20 * i, "");
  output_ = &AddPin(kind::OutputPin, 1, 1, 40, 20, "");
}

int TObjGatter::ActiveInputs() const { return std::clamp<int>(InputCount, 1, kMaxInputs); }

void TObjGatter::ApplySettings(uint8_t type, int inputCount) {
  GateType = std::min<uint8_t>(type, ExclusiveOr);
  InputCount = uint8_t(std::clamp(inputCount, 1, kMaxInputs));
  Height = 20 * InputCount;
  output_->Y = InputCount == 1 ? 10 : 20;
  if (InputCount == 1) output_->Inverted = true;
}

const char* TObjGatter::Symbol() const {
  if (InputCount == 1) return "";
  switch (GateType) {
    case Or: return ">=1";
    case ExclusiveOr: return "=1";
    default: return "&";
  }
}

TObjAnschluss* TObjGatter::HitPin(int x, int y) {
  if (auto* hit = output_->HitPin(x, y)) return hit;
  for (int i = 0; i < ActiveInputs(); ++i)
    if (auto* hit = inputs_[size_t(i)]->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjGatter::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Choice("gateType", GateType, And, ExclusiveOr);
  v.Choice("inputCount", InputCount, 1, kMaxInputs);
  v.Flag("reserved", ReservedFlag);
  static constexpr const char* kInputKeys[kMaxInputs] = {"in1", "in2",  "in3",  "in4",  "in5",  "in6",
                                                         "in7", "in8",  "in9",  "in10", "in11", "in12",
                                                         "in13", "in14", "in15", "in16"};
  for (int i = 0; i < kMaxInputs; ++i) v.Pin(kInputKeys[i], *inputs_[size_t(i)]);
  v.Pin("out", *output_);
  v.Page(Page);
  v.Zeros(255);
}

void TObjGatter::DeclareVariables(Analysis& a) {
  if (GateType == ExclusiveOr) RegisterWorkBits(a, "SYS_TMP1");
  output_->DeclareVariables(a);
}

void TObjGatter::NoteUsedNames(Analysis& a) {
  if (GateType == ExclusiveOr) a.RegisterVariable("SYS_TMP1");
  output_->NoteUsedNames(a);
}

void TObjGatter::SimulationStep(SimContext&) {
  int high = 0;
  const int n = ActiveInputs();
  for (int i = 0; i < n; ++i) high += inputs_[size_t(i)]->GetMarked();
  bool level = false;
  switch (GateType) {
    case Or: level = high > 0; break;
    case ExclusiveOr: level = high == 1; break;
    default: level = high == n; break;
  }
  DriveLevel(*output_, level);
}

void TObjGatter::SimulationStop(SimContext&) { ClearLevels(*this); }

}  // namespace tolmek
