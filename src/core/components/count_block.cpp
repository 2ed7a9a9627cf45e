// The shared rules of the counting blocks: outputs, names they announce, and their simulation.
#include "components/count_block.h"

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

int TCountBlock::ActiveOutputs() const { return std::clamp<int>(OutputCount, MinOutputs(), MaxOutputs()); }

void TCountBlock::AddOutputs(int count, int x, int firstY) {
  for (int i = 0; i < count; ++i)
    outputs_.push_back(&AddPin(kind::OutputPin, 1, 1, x, firstY + 20 * i, "Q" + std::to_string(i)));
}

void TCountBlock::SetOutputCount(int count) {
  OutputCount = uint8_t(std::clamp(count, MinOutputs(), MaxOutputs()));
  Height = HeightFor(OutputCount);
}

std::string TCountBlock::StateBit(int i) const {
  return i < 8 ? Name + "," + std::to_string(i) : Name + "_HI," + std::to_string(i - 8);
}

TObjAnschluss* TCountBlock::HitPin(int x, int y) {
  for (auto* pin : InputPins())
    if (auto* hit = pin->HitPin(x, y)) return hit;
  for (int i = 0; i < ActiveOutputs(); ++i)
    if (auto* hit = outputs_[size_t(i)]->HitPin(x, y)) return hit;
  return nullptr;
}

void TCountBlock::DeclareVariables(Analysis& a) {
  a.RegisterBit(MemoryName() + ".0", 0, 0);
  a.RegisterBit(MemoryName() + ".1", 0, 0);
  for (int b = 0; b < 8; ++b) a.RegisterBit(Name + "." + std::to_string(b), 0, 0);
  if (Wide())
    for (int b = 0; b < 8; ++b) a.RegisterBit(Name + "_HI." + std::to_string(b), 0, 0);
  for (int i = 0; i < ActiveOutputs(); ++i) outputs_[size_t(i)]->DeclareVariables(a);
}

void TCountBlock::NoteUsedNames(Analysis& a) {
  a.RegisterVariable(Name);
  a.RegisterVariable(MemoryName());
  if (Wide()) a.RegisterVariable(Name + "_HI");
  for (int i = 0; i < ActiveOutputs(); ++i) outputs_[size_t(i)]->NoteUsedNames(a);
}

int32_t TCountBlock::SimValue() const { return value_ ? value_->Value & (Wide() ? 0xFFFF : 0xFF) : 0; }

void TCountBlock::SimulationStart(SimContext& ctx) {
  value_ = &ctx.Variables().Add(Name);
  value_->Value = 0;
  edge_.Reset();
  shown_ = -1;
}

void TCountBlock::SimulationStep(SimContext&) {
  if (!value_) return;
  // The edge memory follows CLK in every pass, during a reset too, as in the program: releasing the reset
  // while CLK is active counts nothing.
  const bool edge = edge_.Update(*clk_);
  uint32_t v = uint32_t(SimValue());
  if (res_->GetMarked()) v = 0;
  else if (edge) v = NextValue(v) & (Wide() ? 0xFFFFu : 0xFFu);
  value_->Value = int32_t(v);
  for (int i = 0; i < ActiveOutputs(); ++i) DriveLevel(*outputs_[size_t(i)], (v >> i) & 1u);
  if (int32_t(v) != shown_) {
    shown_ = int32_t(v);
    Redraw();
  }
}

void TCountBlock::SimulationStop(SimContext&) {
  value_ = nullptr;
  shown_ = -1;
  ClearLevels(*this);
}

}  // namespace tolmek
